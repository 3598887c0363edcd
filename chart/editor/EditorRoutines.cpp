#include "chart/editor/EditorRoutines.h"

#include <algorithm>
#include <cstdlib>

#include "chart/core/EditorRegistry.h"
#include "chart/core/ResourceBitmaps.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtDialogs.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/ListBox.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"

void CenterEditorForm(TCustomForm& form) { form.SetPosition(form.Owner() ? poOwnerFormCenter : poScreenCenter); }

void EmbedForm(TCustomForm& form, TWinControl& parent) { EmbedEditorForm(form, parent, form.Tag()); }

void EmbedEditorForm(TCustomForm& form, TWinControl& parent, std::int64_t tag)
{
    const bool parentWasVisible = parent.Visible();
    parent.SetVisible(true);
    struct Restore {
        TWinControl& parent;
        bool visible;
        ~Restore() { parent.SetVisible(visible); }
    } restore{parent, parentWasVisible};
    form.SetParentColor(true);
    form.SetPosition(poDesigned);
    form.SetBorderStyle(bsNone);
    form.SetBorderIcons({});
    form.SetTag(tag);
    form.SetParent(&parent);
    if (form.Align() == alNone) {
        const int gap = std::abs(parent.ClientHeight() - form.ClientHeight()) / 2;
        form.SetBounds(4, std::min(4, gap), form.Width(), form.Height());
    }
    MatchParentFormScale(form);
    if (form.ParentFont()) form.SetFont(parent.Font());
    form.Show();
}

TCustomForm* FindParentForm(const TControl& control)
{
    for (TWinControl* p = control.Parent(); p; p = p->Parent())
        if (auto* form = dynamic_cast<TCustomForm*>(p)) return form;
    return nullptr;
}

void MatchParentFormScale(TCustomForm& form)
{
    auto* parentForm = dynamic_cast<TForm*>(FindParentForm(form));
    if (!parentForm || parentForm->PixelsPerInch() == form.PixelsPerInch()) return;
    form.ScaleBy(parentForm->PixelsPerInch(), form.PixelsPerInch());
    form.SetPixelsPerInch(parentForm->PixelsPerInch());
}

String FormatByteSize(std::uint32_t bytes)
{
    constexpr std::uint32_t mega = 1048576u, giga = 1073741824u;
    if (bytes < mega) return Format("%d bytes", {static_cast<Int64>(bytes)});
    if (bytes < giga) return Format("%d KB", {static_cast<Int64>(bytes / 1024u)});
    return Format("%d MB", {static_cast<Int64>(bytes / mega)});
}

TComponent* ParentFormOf(TComponent* control)
{
    auto* c = dynamic_cast<TControl*>(control);
    if (!c) return control;
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
    TCustomForm* form = FindParentForm(*c);
    return form ? static_cast<TComponent*>(form) : control;
}

void PrepareEditorDialog(TCustomForm& form)
{
    form.SetAlign(alNone);
    CenterEditorForm(form);
    form.SetBorderStyle(bsSizeable);
}

void ShowControls(bool visible, std::initializer_list<TControl*> controls)
{
    for (TControl* c : controls)
        if (c) c->SetVisible(visible);
}

bool AskYesNo(const String& message, TControl*)
{
    Screen->SetCursor(crDefault);
    return MessageDlg(message, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrYes;
}

bool ConfirmDelete(const String& name, TControl* control) { return AskYesNo(Format("Delete %s ?", {name}), control); }

bool SelectFolder(const String& caption, const String& root, String& folder)
{
    return SelectDirectory(caption, root, folder);
}

void LoadArrowBitmaps(TBitmap& up, TBitmap& down)
{
    LoadNamedBitmapResource(up, "ZebArrowUp");
    LoadNamedBitmapResource(down, "ZebArrowDown");
}

void MoveSelectedListItems(TListBox& source, TListBox& target)
{
    TStrings& from = *source.Items();
    TStrings& to = *target.Items();
    for (int i = 0; i < from.Count(); ++i)
        if (source.Selected(i)) to.AddObject(from.Get(i), from.GetObject(i));
    for (int i = from.Count() - 1; i >= 0; --i)
        if (source.Selected(i)) from.Delete(i);
}

void MoveAllListItems(TStrings& source, TStrings& target)
{
    for (int i = 0; i < source.Count(); ++i) target.AddObject(source.Get(i), source.GetObject(i));
    source.Clear();
}

void SaveGraphicAs(TComponent* owner, TGraphic& graphic)
{
    TOwnedPtr<TSaveDialog> dialog(new TSaveDialog(owner));
    dialog->SetFilter(TPicture::GraphicFilter(&graphic.ClassType()));
    TOpenOptions options = dialog->Options();
    options += ofOverwritePrompt;
    dialog->SetOptions(options);
    if (dialog->Execute()) graphic.SaveToFile(dialog->FileName());
}

void LoadEditorFormSize(TCustomForm& form, const String& prefix)
{
    const int width = ReadEditorInteger(prefix + "Width", form.Width());
    const int height = ReadEditorInteger(prefix + "Height", form.Height());
    form.SetBounds(form.Left(), form.Top(), std::max(100, width), std::max(100, height));
}

void SaveEditorFormSize(const TCustomForm& form, const String& prefix)
{
    WriteEditorInteger(prefix + "Width", form.Width());
    WriteEditorInteger(prefix + "Height", form.Height());
}
