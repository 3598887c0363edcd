#include "platform/forms/SpeedButton.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/forms/WinControl.h"
#include "platform/graphics/Bitmap.h"

TV_PUBLISHED(TSpeedButton)
{
    Prop("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
    Prop("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false);
    Prop("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0);
    Prop("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false);
    Prop("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false);
    PropEnum("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout, blGlyphLeft, TButtonLayoutNames);
    Prop("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>())
{
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks, csSetCaption});
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool value)
{
    flat_ = value;
    Invalidate();
}

void TSpeedButton::SetDown(bool value)
{
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    down_ = value;
    if (down_ && Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
            if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
                other->down_ = false;
                other->Invalidate();
            }
        }
    }
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout value)
{
    layout_ = value;
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* value)
{
    if (value)
        glyph_->Assign(value);
    else
        glyph_->SetSize(0, 0);
    Invalidate();
}

void TSpeedButton::Click()
{
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        pressed_ = true;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    Invalidate();
    TGraphicControl::MouseUp(button, shift, x, y);
    // The click itself comes from the control's click rule (csClickEvents is off): a release
    // inside the button clicks it.
    if (wasPressed && button == mbLeft && x >= 0 && y >= 0 && x < Width() && y < Height()) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& message)
{
    TGraphicControl::CMMouseEnter(message);
    hot_ = true;
    if (flat_) Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage& message)
{
    TGraphicControl::CMMouseLeave(message);
    hot_ = false;
    if (flat_) Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage& message)
{
    TGraphicControl::CMTextChanged(message);
    Invalidate();
}

void TSpeedButton::Paint()
{
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    const bool sunk = down_ || pressed_;
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(down_ && !pressed_ ? TColor(0xE8E8E8) : clBtnFace);
    c.FillRect(r);
    if (!flat_ || hot_ || sunk) {
        TRect edge = r;
        DrawEdge(tvforms::Ready(c), edge, flat_ ? (sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER) : (sunk ? EDGE_SUNKEN : EDGE_RAISED),
                 BF_RECT);
    }
    if (sunk) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    c.SetFont(Font());
    const String text = Caption();
    const int gw = glyph_->Empty() ? 0 : glyph_->Width();
    const int gh = glyph_->Empty() ? 0 : glyph_->Height();
    const int tw = text.empty() ? 0 : c.TextWidth(text);
    const int gap = gw && tw ? 4 : 0;
    const int total = gw + gap + tw;
    int x = (r.Left + r.Right - total) / 2;
    const bool glyphFirst = layout_ != blGlyphRight;
    if (gw) {
        const int gx = glyphFirst ? x : x + tw + gap;
        glyph_->SetTransparent(true);
        c.Draw(gx, (r.Top + r.Bottom - gh) / 2, glyph_.get());
    }
    if (tw) {
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(Enabled() ? Font()->Color() : clGrayText);
        const int tx = glyphFirst ? x + gw + gap : x;
        TRect tr = Rect(tx, r.Top, tx + tw + 1, r.Bottom);
        DrawText(tvforms::Ready(c), text, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        c.Font()->SetColor(Font()->Color());
    }
}

void RegisterSpeedButtons() { RegisterClass(TSpeedButton::StaticClass()); }
