// TLabel: its caption's size (AutoSize) and drawing.
#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/Label.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::MeasureCanvas;

TV_PUBLISHED(TLabel)
{
    Prop("Caption", &TLabel::Caption, &TLabel::SetCaption);
    PropEnum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify, TAlignmentNames);
    Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true);
    PropEnum("Layout", &TLabel::Layout, &TLabel::SetLayout, tlTop, TTextLayoutNames);
    Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false);
    Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
    Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true);
    Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TLabel::SetAlignment(TAlignment value)
{
    if (AssignIfChanged(alignment_, value)) Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (AssignIfChanged(layout_, value)) Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (!AssignIfChanged(transparent_, value)) return;
    SetControlStyle(value ? ControlStyle() - csOpaque : ControlStyle() + csOpaque);
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (!AssignIfChanged(wordWrap_, value)) return;
    AdjustSize();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (!AssignIfChanged(showAccelChar_, value)) return;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    TControl::SetAutoSize(value);
    Invalidate();
}

namespace {
unsigned AlignFlags(TAlignment a)
{
    if (a == taRightJustify) return DT_RIGHT;
    if (a == taCenter) return DT_CENTER;
    return DT_LEFT;
}
}  // namespace

bool TLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    String text = Caption();
    if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
    TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    unsigned flags = DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) |
                     (showAccelChar_ ? 0u : unsigned(DT_NOPREFIX));
    DrawText(tvforms::Ready(c), text, r, flags);
    newWidth = r.Width();
    newHeight = r.Height();
    return true;
}

void TLabel::Paint()
{
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        c.Brush()->SetColor(Color());
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(r);
    }
    c.Brush()->SetStyle(bsClear);
    c.SetFont(Font());
    String text = Caption();
    unsigned flags = DT_EXPANDTABS | AlignFlags(alignment_) | (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) |
                     (showAccelChar_ ? 0u : unsigned(DT_NOPREFIX));
    if (layout_ != tlTop) {
        TRect calc = r;
        DrawText(tvforms::Ready(c), text.empty() ? String(" ") : text, calc, flags | DT_CALCRECT);
        int offset = layout_ == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
        r.Top += offset;
    }
    if (!Enabled()) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        c.Font()->SetColor(clBtnHighlight);
        DrawText(tvforms::Ready(c), text, shadow, flags);
        c.Font()->SetColor(clBtnShadow);
        DrawText(tvforms::Ready(c), text, r, flags);
    } else {
        DrawText(tvforms::Ready(c), text, r, flags);
    }
}

void TLabel::CMTextChanged(TMessage& m)
{
    TGraphicControl::CMTextChanged(m);
    AdjustSize();
    Invalidate();
}

void TLabel::CMFontChanged(TMessage& m)
{
    TGraphicControl::CMFontChanged(m);
    AdjustSize();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}
