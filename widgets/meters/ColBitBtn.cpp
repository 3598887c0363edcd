#include "widgets/meters/ColBitBtn.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StandardProps.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "widgets/meters/GaugeDraw.h"
#include "widgets/meters/GaugeMath.h"
#include "widgets/meters/Register.h"

namespace {
// Set while a status word is handed round a group, so the members do not hand it on again.
bool groupUpdating = false;

int lowestSetBit(std::uint32_t v)
{
    for (int i = 0; i < 32; ++i)
        if (v & (std::uint32_t{1} << i)) return i;
    return 32;
}
}  // namespace

// ---- TVnBinGControl ----

TV_PUBLISHED(TVnBinGControl)
{
    Prop("Checked", &TVnBinGControl::Checked, &TVnBinGControl::SetChecked).NoDefault();
    PropEnum("Frequency", &TVnBinGControl::Frequency, &TVnBinGControl::SetFrequency, TFlashFreqNames).NoDefault();
    Prop("Flashing", &TVnBinGControl::Flashing, &TVnBinGControl::SetFlashing).NoDefault();
    Prop("StatusInt", &TVnBinGControl::StatusInt, &TVnBinGControl::SetStatusInt).NoDefault();
    Prop("StatusBit", &TVnBinGControl::StatusBit, &TVnBinGControl::SetStatusBit).NoDefault();
    Prop("GroupIndex", &TVnBinGControl::GroupIndex, &TVnBinGControl::SetGroupIndex).NoDefault();
    PropEnum("Mode", &TVnBinGControl::Mode, &TVnBinGControl::SetMode, TModeNames).NoDefault();
    Prop("OnStatusChanged", &TVnBinGControl::OnStatusChanged, &TVnBinGControl::SetOnStatusChanged);
    Prop("OnStatusIntChanged", &TVnBinGControl::OnStatusIntChanged, &TVnBinGControl::SetOnStatusIntChanged);
}

TVnBinGControl::TVnBinGControl(TComponent* owner) : TGraphicControl(owner) {}

TVnBinGControl::~TVnBinGControl() { UnregisterFlashControl(this); }

void TVnBinGControl::updateFlashRegistration()
{
    if (checked_ && flashing_)
        RegisterFlashControl(this, FlashCodeOf(frequency_));
    else
        UnregisterFlashControl(this);
}

void TVnBinGControl::SetChecked(bool v)
{
    if (!AssignIfChanged(checked_, v)) return;
    updateFlashRegistration();
    const auto status = static_cast<std::uint32_t>(statusInt_);
    if (v)
        SetStatusInt(static_cast<int>(mode_ == mRadioButton ? bit() : status | bit()));
    else if (mode_ != mRadioButton)
        SetStatusInt(static_cast<int>(status & ~bit()));
    RedrawFace();
    if (onStatusChanged_) onStatusChanged_(this);
}

void TVnBinGControl::SetStatusInt(int v)
{
    if (!AssignIfChanged(statusInt_, v)) return;
    SetChecked((static_cast<std::uint32_t>(v) & bit()) != 0);
    lowestBit_ = lowestSetBit(static_cast<std::uint32_t>(v));
    StatusIntChanged();
    if (onStatusIntChanged_) onStatusIntChanged_(this);
    if (groupIndex_ == 0 || groupUpdating || !Owner()) return;
    groupUpdating = true;
    try {
        TComponent* owner = Owner();
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            auto* other = dynamic_cast<TVnBinGControl*>(owner->Components(i));
            if (other && other != this && other->groupIndex_ == groupIndex_) other->SetStatusInt(statusInt_);
        }
    } catch (...) {
        groupUpdating = false;
        throw;
    }
    groupUpdating = false;
}

void TVnBinGControl::SetStatusBit(int v)
{
    if (v < 0 || v > 31 || !AssignIfChanged(statusBit_, v)) return;
    SetChecked((static_cast<std::uint32_t>(statusInt_) & bit()) != 0);
}

void TVnBinGControl::SetGroupIndex(int v)
{
    if (v < 0 || !AssignIfChanged(groupIndex_, v)) return;
    if (TComponent* owner = Owner()) {
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            auto* first = dynamic_cast<TVnBinGControl*>(owner->Components(i));
            if (first && first->groupIndex_ == v) {
                SetStatusInt(first->statusInt_);
                break;
            }
        }
    }
    GroupIndexChanged();
}

void TVnBinGControl::SetMode(TMode v)
{
    mode_ = v;
    if (v == mButton) SetStatusInt(0);
    if (v == mRadioButton) SetStatusInt(1);
}

void TVnBinGControl::SetFrequency(TFlashFreq v)
{
    frequency_ = v;
    if (checked_ && flashing_) RegisterFlashControl(this, FlashCodeOf(v));
}

void TVnBinGControl::SetFlashing(bool v)
{
    if (!AssignIfChanged(flashing_, v)) return;
    updateFlashRegistration();
    RedrawFace();
    if (onStatusChanged_) onStatusChanged_(this);
}

void TVnBinGControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft) {
        pressed_ = true;
        switch (mode_) {
        case mButton: SetChecked(true); break;
        case mSwitch: SetChecked(!checked_); break;
        case mRadioButton: SetStatusInt(static_cast<int>(bit())); break;
        case mIndicator: break;
        }
    }
    inherited::MouseDown(button, shift, x, y);
}

void TVnBinGControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    inherited::MouseUp(button, shift, x, y);
    if (mode_ == mIndicator || button != mbLeft) return;
    pressed_ = false;
    if (mode_ == mButton) SetChecked(false);
    RedrawFace();
}

void TVnBinGControl::WndProc(TMessage& message)
{
    if (message.Msg == WM_FLASH) {
        BlinkStateChanged(message.LParam != 0);
        return;
    }
    inherited::WndProc(message);
}

void TVnBinGControl::CMTextChanged(TMessage& message)
{
    inherited::CMTextChanged(message);
    CaptionChanged();
}

// ---- TVnColBitBtn ----

TV_PUBLISHED(TVnColBitBtn)
{
    Prop("ButtonBevel", &TVnColBitBtn::ButtonBevel, &TVnColBitBtn::SetButtonBevel);
    PropSet("FlashOptions", &TVnColBitBtn::FlashOptions, &TVnColBitBtn::SetFlashOptions,
            TFlashOptions{foGlyph, foText, foTextCol, foBtnCol}, TFlashOptionNames)
        .NoDefault();
    PropSet("CheckedOptions", &TVnColBitBtn::CheckedOptions, &TVnColBitBtn::SetCheckedOptions,
            TCheckedOptions{coGlyph, coText, coTextCol, coBtnCol, coBevel}, TCheckedOptionNames)
        .NoDefault();
    Prop("Glyph", &TVnColBitBtn::Glyph, &TVnColBitBtn::SetGlyph);
    Prop("NumGlyph", &TVnColBitBtn::NumGlyph, &TVnColBitBtn::SetNumGlyph).NoDefault();
    PropColor("ColorOff", &TVnColBitBtn::ColorOff, &TVnColBitBtn::SetColorOff, clBtnFace).NoDefault();
    PropColor("ColorDisabled", &TVnColBitBtn::ColorDisabled, &TVnColBitBtn::SetColorDisabled, 0xA0A0A0).NoDefault();
    PropColor("ColorOn", &TVnColBitBtn::ColorOn, &TVnColBitBtn::SetColorOn, clBtnFace).NoDefault();
    Prop("OffsetDown", &TVnColBitBtn::OffsetDown, &TVnColBitBtn::SetOffsetDown).NoDefault();
    Prop("OffsetX", &TVnColBitBtn::OffsetX, &TVnColBitBtn::SetOffsetX).NoDefault();
    Prop("OffsetY", &TVnColBitBtn::OffsetY, &TVnColBitBtn::SetOffsetY).NoDefault();
    Prop("Beveled", &TVnColBitBtn::Beveled, &TVnColBitBtn::SetBeveled).NoDefault();
    Prop("Transparent", &TVnColBitBtn::Transparent, &TVnColBitBtn::SetTransparent).NoDefault();
    Prop("Flat", &TVnColBitBtn::Flat, &TVnColBitBtn::SetFlat).NoDefault();
    Prop("Spacing", &TVnColBitBtn::Spacing, &TVnColBitBtn::SetSpacing).NoDefault();
    Prop("TextOn", &TVnColBitBtn::TextOn, &TVnColBitBtn::SetTextOn);
    Prop("TextOff", &TVnColBitBtn::TextOff, &TVnColBitBtn::SetTextOff);
    PropColor("TextColOn", &TVnColBitBtn::TextColOn, &TVnColBitBtn::SetTextColOn, 0x00FF00).NoDefault();
    PropColor("TextColOff", &TVnColBitBtn::TextColOff, &TVnColBitBtn::SetTextColOff, clBlack).NoDefault();
    PropColor("TextColDisabled", &TVnColBitBtn::TextColDisabled, &TVnColBitBtn::SetTextColDisabled, clBtnShadow)
        .NoDefault();
    Prop("Text3D", &TVnColBitBtn::Text3D, &TVnColBitBtn::SetText3D).NoDefault();
    Prop("GradBtnFace", &TVnColBitBtn::GradBtnFace, &TVnColBitBtn::SetGradBtnFace);
    PropEnum("PosHorizontal", &TVnColBitBtn::PosHorizontal, &TVnColBitBtn::SetPosHorizontal, TPosHNames).NoDefault();
    PropEnum("PosVertical", &TVnColBitBtn::PosVertical, &TVnColBitBtn::SetPosVertical, TPosVNames).NoDefault();
    PropEnum("PosGlyph", &TVnColBitBtn::PosGlyph, &TVnColBitBtn::SetPosGlyph, TPosNames).NoDefault();
    Prop("Font", &TVnColBitBtn::Font, &TVnColBitBtn::SetFont);
    PublishStandardProps(*this, ShowHintStorage::DefaultFalse);
    Prop("ParentFont", &TVnColBitBtn::ParentFont, &TVnColBitBtn::SetParentFont, false);
}

TVnColBitBtn::TVnColBitBtn(TComponent* owner)
    : TVnBinGControl(owner),
      bevel_(new TVnBtnBevel),
      glyph_(new TBitmap),
      grad_(new TVnGradSettings(TColor(0xF0F0F0), TColor(0x696969), true)),
      faceCache_(new TBitmap)
{
    bevel_->SetWidth(4);
    SetBounds(Left(), Top(), 65, 33);
    SetParentFont(false);
    Font()->SetStyle(Font()->Style() + fsBold);
    SetMode(mButton);
    // Linked at once rather than after loading, so a button made in code follows its settings too.
    const TNotifyEvent changed([this](TObject*) { CaptionChanged(); });
    bevel_->SetOnChange(changed);
    grad_->SetOnChange(changed);
}

TVnColBitBtn::~TVnColBitBtn() = default;

void TVnColBitBtn::ReadState(TReader& reader)
{
    ApplyPublishedDefaults(*this, &TVnBinGControl::StaticClass());
    TVnBinGControl::ReadState(reader);
}

void TVnColBitBtn::SetCheckedOptions(TCheckedOptions v)
{
    checkedOptions_ = v;
    RedrawFace();
}

void TVnColBitBtn::SetGlyph(TBitmap* v)
{
    glyph_->Assign(v);
    if (glyph_->Height() == 0)
        numGlyph_ = 1;
    else
        glyph_->SetTransparentColor(glyph_->Canvas()->Pixels(0, glyph_->Height() - 1));
    RedrawFace();
}

void TVnColBitBtn::SetNumGlyph(int v)
{
    if (v > 0 && AssignIfChanged(numGlyph_, v)) RedrawFace();
}

void TVnColBitBtn::SetTransparent(bool v)
{
    if (AssignIfChanged(transparent_, v)) Invalidate();
}

void TVnColBitBtn::SetEnabled(bool value)
{
    if (value == Enabled()) return;
    inherited::SetEnabled(value);
    RedrawFace();
}

void TVnColBitBtn::BlinkStateChanged(bool state)
{
    blinkState_ = state;
    if (!painting_) RedrawFace();
}

void TVnColBitBtn::CMMouseEnter(TMessage& message)
{
    inherited::CMMouseEnter(message);
    if (flat_ && Enabled() && !mouseOver_ && !MouseCapture()) {
        mouseOver_ = true;
        RedrawFace();
    }
}

void TVnColBitBtn::CMMouseLeave(TMessage& message)
{
    inherited::CMMouseLeave(message);
    if (flat_ && mouseOver_ && Enabled()) {
        mouseOver_ = false;
        RedrawFace();
    }
}

void TVnColBitBtn::VisibleChanged()
{
    inherited::VisibleChanged();
    if (!IsDesigning()) Invalidate();
}

bool TVnColBitBtn::aspect(TFlashOption flash, TCheckedOption checked) const
{
    if (flashOptions_.Contains(flash) && Checked() && Flashing()) return blinkState_;
    return checkedOptions_.Contains(checked) && Checked();
}

int TVnColBitBtn::GlyphCell() const
{
    if (glyph_->Width() / numGlyph_ <= 0) return -1;
    if (numGlyph_ < 2) return 0;
    if (!Enabled()) return 1;
    return aspect(foGlyph, coGlyph) && numGlyph_ > 2 ? 2 : 0;
}

void TVnColBitBtn::Paint()
{
    if (painting_ || !(Visible() || IsDesigning())) return;
    painting_ = true;
    paintCanvas_ = Canvas();
    try {
        // The face starts from what the parent painted under the button.
        const TRect client = ClientRect();
        CaptureBackground(*paintCanvas_, *faceCache_, client);
        if (!transparent_ && grad_->Visible()) {
            TRect inner = client;
            ShrinkRect(inner, bevel_->Width());
            FillGradientRect(*faceCache_->Canvas(), inner, grad_->ColorFrom(), grad_->ColorTo(), grad_->Style());
        }
        painting_ = false;
        RedrawFace();
    } catch (...) {
        painting_ = false;
        paintCanvas_ = nullptr;
        throw;
    }
    paintCanvas_ = nullptr;
}

void TVnColBitBtn::RedrawFace()
{
    if (painting_) return;
    if (!paintCanvas_) {
        // Outside a paint the face is drawn by the repaint this asks for.
        if (Visible() || IsDesigning()) Invalidate();
        return;
    }
    painting_ = true;
    try {
        if (Visible() || IsDesigning())
            drawFace(*paintCanvas_, aspect(foGlyph, coGlyph), aspect(foText, coText), aspect(foBtnCol, coBtnCol),
                     aspect(foTextCol, coTextCol));
    } catch (...) {
        painting_ = false;
        throw;
    }
    painting_ = false;
}

void TVnColBitBtn::drawFace(TCanvas& canvas, bool glyphState, bool textState, bool faceState, bool textColState)
{
    canvas.Draw(0, 0, faceCache_.get());
    TCanvas& fc = canvas;
    TRect cr = ClientRect();
    int offX = offsetX_, offY = offsetY_;
    const int cellW = glyph_->Width() / numGlyph_;
    const int cellH = glyph_->Height();

    const String& text = textState ? textOn_ : (!textOff_.empty() ? textOff_ : textOn_);
    if (Pressed() || (Checked() && checkedOptions_.Contains(coBevel))) {
        offX += offsetDown_;
        offY += offsetDown_;
    }
    const TColor face = Enabled() ? (faceState ? colorOn_ : colorOff_) : colorDisabled_;
    const bool fill = !(transparent_ || grad_->Visible());
    if ((beveled_ && (!flat_ || IsDesigning())) || (!beveled_ && flat_ && IsDesigning()) || (mouseOver_ && flat_)) {
        const bool raised = checkedOptions_.Contains(coBevel) ? !Checked() && !Pressed() : !Pressed();
        bevel_->Draw3DFrame(fc, cr, face, fill, raised);
    } else if (fill) {
        fc.Brush()->SetStyle(bsSolid);
        fc.Brush()->SetColor(face);
        fc.FillRect(cr);
    }

    fc.SetFont(Font());
    int textW = 0, unused = 0;
    WidestSeparatedItem(fc, textOn_ + "|" + textOff_, '|', textW, unused);
    const int textH = fc.TextHeight("X") * (CountChar(text, '|') + 1);
    const int sp = cellW < 1 || textW < 1 ? 0 : spacing_;
    const bool sideways = posGlyph_ == pLeft || posGlyph_ == pRight;
    const int wc = sideways ? cellW + sp + textW : std::max(cellW, textW);
    const int hc = sideways ? std::max(cellH, textH) : cellH + sp + textH;
    const TPoint centre = RectCentre(cr);
    const int x = posH_ == phLeft ? cr.Left + wc / 2 : posH_ == phRight ? cr.Right - wc / 2 : centre.X;
    const int y = posV_ == pvTop ? cr.Top + hc / 2 : posV_ == pvBottom ? cr.Bottom - hc / 2 : centre.Y;
    TPoint g, t;
    int anchor = 0;
    switch (posGlyph_) {
    case pLeft:
        g = Point(x - wc / 2, y - cellH / 2);
        t = Point(g.X + cellW + sp, y);
        anchor = 3;
        break;
    case pRight:
        g = Point(x + wc / 2 - cellW, y - cellH / 2);
        t = Point(g.X - sp, y);
        anchor = 5;
        break;
    case pTop:
        g = Point(x - cellW / 2, y - hc / 2);
        t = Point(x, g.Y + cellH + sp);
        anchor = 1;
        break;
    case pBottom:
        g = Point(x - cellW / 2, y + hc / 2 - cellH);
        t = Point(x, g.Y - sp);
        anchor = 7;
        break;
    }
    g.X += offX;
    g.Y += offY;
    t.X += offX;
    t.Y += offY;

    const TColor textColour = !Enabled() ? textColDisabled_ : textColState ? textColOn_ : textColOff_;
    if (!text.empty()) {
        fc.Brush()->SetStyle(bsClear);
        MultiLineText(fc, t.X, t.Y, text3D_, anchor, text, bevel_->HighlightColTo(), bevel_->ShadowColTo(), textColour,
                      0);
    }
    if (cellW > 0) {
        const int cell = numGlyph_ < 2 ? 0 : !Enabled() ? 1 : glyphState && numGlyph_ > 2 ? 2 : 0;
        fc.Handle()->TransparentBlt(g.X, g.Y, cellW, cellH, *glyph_->Canvas()->Handle(), cell * cellW, 0, cellW, cellH,
                                    glyph_->TransparentColor());
    }
}

namespace {
const bool registered = (RegisterMeterControls(), true);
}  // namespace
