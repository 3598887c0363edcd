#pragma once
// Small routines the editor forms share: embedding a form inside a panel or page of another form,
// placing dialogs, and byte counts as text.
#include <cstdint>

#include "platform/rtl/Types.h"

class TControl;
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
