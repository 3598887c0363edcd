#pragma once
// The coloured bitmap button: a windowless button with a gradient face, a graded bevel, a glyph cut
// from a strip of up to three images and lines of text; its base gives it a binary state shared by
// a group through a status word, four modes and flashing through the shared flash timer.
#include <iterator>

#include "platform/classes/Assign.h"
#include "platform/forms/Controls.h"
#include "widgets/meters/FlashTimer.h"
#include "widgets/meters/GaugeSettings.h"

class TBitmap;

enum TMode { mButton, mSwitch, mIndicator, mRadioButton };
inline constexpr const char* TModeNames[] = {"mButton", "mSwitch", "mIndicator", "mRadioButton"};
static_assert(std::size(TModeNames) == mRadioButton + 1);

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
inline constexpr const char* TFlashOptionNames[] = {"foGlyph", "foText", "foTextCol", "foBtnCol"};
static_assert(std::size(TFlashOptionNames) == foBtnCol + 1);
using TFlashOptions = TSet<TFlashOption>;
enum TCheckedOption { coGlyph, coText, coTextCol, coBtnCol, coBevel };
inline constexpr const char* TCheckedOptionNames[] = {"coGlyph", "coText", "coTextCol", "coBtnCol", "coBevel"};
static_assert(std::size(TCheckedOptionNames) == coBevel + 1);
using TCheckedOptions = TSet<TCheckedOption>;
enum TPosH { phLeft, phCenter, phRight };
inline constexpr const char* TPosHNames[] = {"phLeft", "phCenter", "phRight"};
static_assert(std::size(TPosHNames) == phRight + 1);
enum TPosV { pvTop, pvCenter, pvBottom };
inline constexpr const char* TPosVNames[] = {"pvTop", "pvCenter", "pvBottom"};
static_assert(std::size(TPosVNames) == pvBottom + 1);
enum TPos { pLeft, pRight, pTop, pBottom };
inline constexpr const char* TPosNames[] = {"pLeft", "pRight", "pTop", "pBottom"};
static_assert(std::size(TPosNames) == pBottom + 1);

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
    void SetColorOff(TColor v)
    {
        if (AssignIfChanged(colorOff_, v)) RedrawFace();
    }
    TColor ColorDisabled() const { return colorDisabled_; }
    void SetColorDisabled(TColor v)
    {
        if (AssignIfChanged(colorDisabled_, v)) RedrawFace();
    }
    TColor ColorOn() const { return colorOn_; }
    void SetColorOn(TColor v)
    {
        if (AssignIfChanged(colorOn_, v)) RedrawFace();
    }
    int OffsetDown() const { return offsetDown_; }
    void SetOffsetDown(int v)
    {
        if (AssignIfChanged(offsetDown_, v)) RedrawFace();
    }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int v)
    {
        if (AssignIfChanged(offsetX_, v)) RedrawFace();
    }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int v)
    {
        if (AssignIfChanged(offsetY_, v)) RedrawFace();
    }
    bool Beveled() const { return beveled_; }
    void SetBeveled(bool v)
    {
        if (AssignIfChanged(beveled_, v)) RedrawFace();
    }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool Flat() const { return flat_; }
    void SetFlat(bool v)
    {
        if (AssignIfChanged(flat_, v)) RedrawFace();
    }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v)
    {
        if (AssignIfChanged(spacing_, v)) RedrawFace();
    }
    const String& TextOn() const { return textOn_; }
    void SetTextOn(const String& v)
    {
        if (AssignIfChanged(textOn_, v)) RedrawFace();
    }
    const String& TextOff() const { return textOff_; }
    void SetTextOff(const String& v)
    {
        if (AssignIfChanged(textOff_, v)) RedrawFace();
    }
    TColor TextColOn() const { return textColOn_; }
    void SetTextColOn(TColor v)
    {
        if (AssignIfChanged(textColOn_, v)) RedrawFace();
    }
    TColor TextColOff() const { return textColOff_; }
    void SetTextColOff(TColor v)
    {
        if (AssignIfChanged(textColOff_, v)) RedrawFace();
    }
    TColor TextColDisabled() const { return textColDisabled_; }
    void SetTextColDisabled(TColor v)
    {
        if (AssignIfChanged(textColDisabled_, v)) RedrawFace();
    }
    bool Text3D() const { return text3D_; }
    void SetText3D(bool v)
    {
        if (AssignIfChanged(text3D_, v)) RedrawFace();
    }
    void SetEnabled(bool value) override;
    TVnGradSettings* GradBtnFace() const { return grad_.get(); }
    void SetGradBtnFace(TVnGradSettings* v) { grad_->Assign(v); }
    TPosH PosHorizontal() const { return posH_; }
    void SetPosHorizontal(TPosH v)
    {
        if (AssignIfChanged(posH_, v)) RedrawFace();
    }
    TPosV PosVertical() const { return posV_; }
    void SetPosVertical(TPosV v)
    {
        if (AssignIfChanged(posV_, v)) RedrawFace();
    }
    TPos PosGlyph() const { return posGlyph_; }
    void SetPosGlyph(TPos v)
    {
        if (AssignIfChanged(posGlyph_, v)) RedrawFace();
    }

    bool BlinkState() const { return blinkState_; }
    bool MouseOver() const { return mouseOver_; }
    // The glyph cell shown for the current state (0 normal, 1 disabled, 2 on); -1 without a glyph.
    int GlyphCell() const;

protected:
    // The face gradient starts away from its class's published colours.
    void ReadState(TReader& reader) override;
    void Paint() override;
    void RedrawFace() override;
    void CaptionChanged() override { Invalidate(); }
    void BlinkStateChanged(bool state) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void VisibleChanged() override;

private:
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
