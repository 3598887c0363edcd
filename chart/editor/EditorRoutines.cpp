#include "chart/editor/EditorRoutines.h"

#include <algorithm>
#include <cstdlib>

#include "platform/forms/Forms.h"
#include "platform/rtl/Format.h"

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
    const int to = parentForm->PixelsPerInch(), from = form.PixelsPerInch();
    auto scaled = [&](int v) { return v * to / from; };
    for (int i = 0; i < form.ControlCount(); ++i) {
        TControl* c = form.Controls(i);
        c->SetBounds(scaled(c->Left()), scaled(c->Top()), scaled(c->Width()), scaled(c->Height()));
    }
    form.SetBounds(form.Left(), form.Top(), scaled(form.Width()), scaled(form.Height()));
    form.SetPixelsPerInch(to);
}

String FormatByteSize(std::uint32_t bytes)
{
    constexpr std::uint32_t mega = 1048576u, giga = 1073741824u;
    if (bytes < mega) return Format("%d bytes", {static_cast<Int64>(bytes)});
    if (bytes < giga) return Format("%d KB", {static_cast<Int64>(bytes / 1024u)});
    return Format("%d MB", {static_cast<Int64>(bytes / mega)});
}
