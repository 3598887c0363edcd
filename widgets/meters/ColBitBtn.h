#pragma once
// The coloured bitmap button: a windowless button with a gradient face, a graded bevel, a glyph cut
// from a strip of up to three images and lines of text; its base gives it a binary state shared by
// a group through a status word, four modes and flashing through the shared flash timer.
#include "platform/forms/Controls.h"
#include "widgets/meters/FlashTimer.h"
#include "widgets/meters/GaugeSettings.h"

class TBitmap;

enum TMode { mButton, mSwitch, mIndicator, mRadioButton };

class TVnBinGControl : public TGraphicControl {
    TV_CLASS(TVnBinGControl, TGraphicControl)
public:
    explicit TVnBinGControl(TComponent* owner);
    ~TVnBinGControl() override;

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TFlashFreq Frequency() const { return frequency_; }
    void SetFrequency(TFlashFreq v);
    bool Flashing() const { return flashing_; }
    void SetFlashing(bool v);
    int StatusInt() const { return statusInt_; }
    void SetStatusInt(int v);
    int StatusBit() const { return statusBit_; }
    void SetStatusBit(int v);  // 0..31, else refused
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    TMode Mode() const { return mode_; }
    void SetMode(TMode v);
    bool Pressed() const { return pressed_; }
    int LowestBit() const { return lowestBit_; }

    const TNotifyEvent& OnStatusChanged() const { return onStatusChanged_; }
    void SetOnStatusChanged(const TNotifyEvent& e) { onStatusChanged_ = e; }
    const TNotifyEvent& OnStatusIntChanged() const { return onStatusIntChanged_; }
    void SetOnStatusIntChanged(const TNotifyEvent& e) { onStatusIntChanged_ = e; }

protected:
    virtual void CaptionChanged() {}
    virtual void RedrawFace() {}
    virtual void GroupIndexChanged() {}
    virtual void StatusIntChanged() {}
    virtual void BlinkStateChanged(bool /*state*/) {}

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void WndProc(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    std::uint32_t bit() const { return std::uint32_t{1} << statusBit_; }
    void updateFlashRegistration();

    bool checked_ = false;
    TFlashFreq frequency_ = ff1Hz;
    bool flashing_ = false;
    int statusInt_ = 0;
    int statusBit_ = 0;
    int groupIndex_ = 0;
    TMode mode_ = mIndicator;
    TNotifyEvent onStatusChanged_, onStatusIntChanged_;
    bool pressed_ = false;
    int lowestBit_ = 32;
};

enum TFlashOption { foGlyph, foText, foTextCol, foBtnCol };
using TFlashOptions = TSet<TFlashOption>;
enum TCheckedOption { coGlyph, coText, coTextCol, coBtnCol, coBevel };
using TCheckedOptions = TSet<TCheckedOption>;
enum TPosH { phLeft, phCenter, phRight };
enum TPosV { pvTop, pvCenter, pvBottom };
enum TPos { pLeft, pRight, pTop, pBottom };

class TVnColBitBtn : public TVnBinGControl {
    TV_CLASS(TVnColBitBtn, TVnBinGControl)
public:
    explicit TVnColBitBtn(TComponent* owner);
    ~TVnColBitBtn() override;

    TVnBtnBevel* ButtonBevel() const { return bevel_.get(); }
    void SetButtonBevel(TVnBtnBevel* v) { bevel_->Assign(v); }
    TFlashOptions FlashOptions() const { return flashOptions_; }
    void SetFlashOptions(TFlashOptions v) { flashOptions_ = v; }
    TCheckedOptions CheckedOptions() const { return checkedOptions_; }
    void SetCheckedOptions(TCheckedOptions v);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* v);
    int NumGlyph() const { return numGlyph_; }
    void SetNumGlyph(int v);  // above 0 only
    TColor ColorOff() const { return colorOff_; }
    void SetColorOff(TColor v) { redrawOnChange(colorOff_, v); }
    TColor ColorDisabled() const { return colorDisabled_; }
    void SetColorDisabled(TColor v) { redrawOnChange(colorDisabled_, v); }
    TColor ColorOn() const { return colorOn_; }
    void SetColorOn(TColor v) { redrawOnChange(colorOn_, v); }
    int OffsetDown() const { return offsetDown_; }
    void SetOffsetDown(int v) { redrawOnChange(offsetDown_, v); }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int v) { redrawOnChange(offsetX_, v); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int v) { redrawOnChange(offsetY_, v); }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool v) { redrawOnChange(beveled_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v) { redrawOnChange(flat_, v); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v) { redrawOnChange(spacing_, v); }
    const String& TextOn() const { return textOn_; }
    void SetTextOn(const String& v) { redrawOnChange(textOn_, v); }
    const String& TextOff() const { return textOff_; }
    void SetTextOff(const String& v) { redrawOnChange(textOff_, v); }
    TColor TextColOn() const { return textColOn_; }
    void SetTextColOn(TColor v) { redrawOnChange(textColOn_, v); }
    TColor TextColOff() const { return textColOff_; }
    void SetTextColOff(TColor v) { redrawOnChange(textColOff_, v); }
    TColor TextColDisabled() const { return textColDisabled_; }
    void SetTextColDisabled(TColor v) { redrawOnChange(textColDisabled_, v); }
    bool Text3D() const { return text3D_; }
    void SetText3D(bool v) { redrawOnChange(text3D_, v); }
    void SetEnabled(bool value) override;
    TVnGradSettings* GradBtnFace() const { return grad_.get(); }
    void SetGradBtnFace(TVnGradSettings* v) { grad_->Assign(v); }
    TPosH PosHorizontal() const { return posH_; }
    void SetPosHorizontal(TPosH v) { redrawOnChange(posH_, v); }
    TPosV PosVertical() const { return posV_; }
    void SetPosVertical(TPosV v) { redrawOnChange(posV_, v); }
    TPos PosGlyph() const { return posGlyph_; }
    void SetPosGlyph(TPos v) { redrawOnChange(posGlyph_, v); }

    bool BlinkState() const { return blinkState_; }
    bool MouseOver() const { return mouseOver_; }
    // The glyph cell shown for the current state (0 normal, 1 disabled, 2 on); -1 without a glyph.
    int GlyphCell() const;

protected:
    void Paint() override;
    void RedrawFace() override;
    void CaptionChanged() override { Invalidate(); }
    void BlinkStateChanged(bool state) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void VisibleChanged() override;

private:
    template <class T> void redrawOnChange(T& field, const T& value)
    {
        if (field == value) return;
        field = value;
        RedrawFace();
    }
    bool aspect(TFlashOption flash, TCheckedOption checked) const;
    void drawFace(TCanvas& canvas, bool glyphState, bool textState, bool faceState, bool textColState);

    TOwnedPtr<TVnBtnBevel> bevel_;
    TFlashOptions flashOptions_{foGlyph, foText, foTextCol, foBtnCol};
    TCheckedOptions checkedOptions_{coGlyph, coText, coTextCol, coBtnCol, coBevel};
    TOwnedPtr<TBitmap> glyph_;
    int numGlyph_ = 1;
    TColor colorOff_ = clBtnFace;
    TColor colorDisabled_ = TColor(0xA0A0A0);
    TColor colorOn_ = clBtnFace;
    int offsetDown_ = 1, offsetX_ = 0, offsetY_ = 0;
    bool beveled_ = true, transparent_ = false, flat_ = false;
    int spacing_ = 4;
    String textOn_, textOff_;
    TColor textColOn_ = TColor(0x00FF00);
    TColor textColOff_ = clBlack;
    TColor textColDisabled_ = clBtnShadow;
    bool text3D_ = true;
    TOwnedPtr<TVnGradSettings> grad_;
    TPosH posH_ = phCenter;
    TPosV posV_ = pvCenter;
    TPos posGlyph_ = pLeft;
    bool blinkState_ = false;
    TOwnedPtr<TBitmap> faceCache_;
    bool mouseOver_ = false;
    bool painting_ = false;
    TCanvas* paintCanvas_ = nullptr;
};
