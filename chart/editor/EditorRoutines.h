#pragma once
// Small routines the editor forms share: embedding a form inside a panel or page of another form,
// placing dialogs, and byte counts as text.
#include <cstdint>

#include <initializer_list>

#include "platform/rtl/Types.h"

class TBitmap;
class TComponent;
class TControl;
class TGraphic;
class TListBox;
class TStrings;
class TWinControl;
class TCustomForm;

// Centred on the form's owner form when it has an owner, else on the screen.
void CenterEditorForm(TCustomForm& form);
// EmbedEditorForm with the form's own Tag.
void EmbedForm(TCustomForm& form, TWinControl& parent);
// Makes the form a borderless child of parent that takes tag, places it (left 4, top at most 4
// when it has no alignment), matches its scale and font to the parent's and shows it. The parent
// is visible meanwhile and gets its visibility back afterwards.
void EmbedEditorForm(TCustomForm& form, TWinControl& parent, std::int64_t tag);
// The nearest form among the control's parents (nullptr when none).
TCustomForm* FindParentForm(const TControl& control);
// Scales the form to its parent form's pixels per inch when they differ.
void MatchParentFormScale(TCustomForm& form);
// "%d bytes" below 1 MB, "%d KB" below 1 GB, else "%d MB".
String FormatByteSize(std::uint32_t bytes);

// The control's parent form; the control itself when it is no control or has no parent form.
TComponent* ParentFormOf(TComponent* control);
// A form of type T owned by ParentFormOf(control), unaligned, centred, sizeable; not shown.
template <class T>
T* CreateEditorDialog(TComponent* control);
void PrepareEditorDialog(TCustomForm& form);
void ShowControls(bool visible, std::initializer_list<TControl*> controls);
// A Yes/No confirmation with the default cursor; true on Yes.
bool AskYesNo(const String& message, TControl* control = nullptr);
// AskYesNo "Delete %s ?".
bool ConfirmDelete(const String& name, TControl* control = nullptr);
// The folder browser; folder replaced only when the user confirms.
bool SelectFolder(const String& caption, const String& root, String& folder);
// "ZebArrowUp" and "ZebArrowDown".
void LoadArrowBitmaps(TBitmap& up, TBitmap& down);
// Appends the selected items of source (texts and objects) to target, then deletes them.
void MoveSelectedListItems(TListBox& source, TListBox& target);
void MoveAllListItems(TStrings& source, TStrings& target);
// The save-picture dialog for the graphic's class; the graphic saves itself when confirmed.
void SaveGraphicAs(TComponent* owner, TGraphic& graphic);
// The form's size from the editor key's values prefix+"Width" and prefix+"Height" (at least 100).
void LoadEditorFormSize(TCustomForm& form, const String& prefix);
void SaveEditorFormSize(const TCustomForm& form, const String& prefix);

template <class T>
T* CreateEditorDialog(TComponent* control)
{
    auto* form = new T(ParentFormOf(control));
    PrepareEditorDialog(*form);
    return form;
}
