#pragma once
// Small settings objects of the gauge set: each is owned by one control and reports every effective
// change through OnChange.
#include <iterator>

#include "platform/classes/Assign.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/MethodEvent.h"
#include "platform/forms/ExtCtrls.h"  // TBevelStyle
#include "platform/graphics/Colors.h"
#include "platform/rtl/Types.h"
#include "widgets/meters/GaugeDraw.h"

class TVnPersistent : public TPersistent {
    TV_CLASS(TVnPersistent, TPersistent)
public:
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

    virtual void Changed();
    virtual void NotifyChange(TObject* sender);

private:
    TNotifyEvent onChange_;
};

class TVnOffset : public TVnPersistent {
    TV_CLASS(TVnOffset, TVnPersistent)
public:
    TVnOffset() = default;
    int Top() const { return top_; }
    int Left() const { return left_; }
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    void SetTop(int v)
    {
        if (AssignIfChanged(top_, v)) Changed();
    }
    void SetLeft(int v)
    {
        if (AssignIfChanged(left_, v)) Changed();
    }
    void SetRight(int v)
    {
        if (AssignIfChanged(right_, v)) Changed();
    }
    void SetBottom(int v)
    {
        if (AssignIfChanged(bottom_, v)) Changed();
    }
    // Moves each side of r inwards by its own amount.
    void Apply(TRect& r) const;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    int top_ = 0, left_ = 0, right_ = 0, bottom_ = 0;
};

// The needle of a meter and its two hub circles.
class TArrowSettings : public TVnPersistent {
    TV_CLASS(TArrowSettings, TVnPersistent)
public:
    TArrowSettings() = default;
    int Shape() const { return shape_; }
    void SetShape(int v)
    {
        if (AssignIfChanged(shape_, v)) Changed();
    }
    TColor ColorPen() const { return colorPen_; }
    void SetColorPen(TColor v)
    {
        if (AssignIfChanged(colorPen_, v)) Changed();
    }
    TColor ColorBrush() const { return colorBrush_; }
    void SetColorBrush(TColor v)
    {
        if (AssignIfChanged(colorBrush_, v)) Changed();
    }
    TColor ColorCP1Pen() const { return cp1Pen_; }
    void SetColorCP1Pen(TColor v)
    {
        if (AssignIfChanged(cp1Pen_, v)) Changed();
    }
    TColor ColorCP1Brush() const { return cp1Brush_; }
    void SetColorCP1Brush(TColor v)
    {
        if (AssignIfChanged(cp1Brush_, v)) Changed();
    }
    TColor ColorCP2Pen() const { return cp2Pen_; }
    void SetColorCP2Pen(TColor v)
    {
        if (AssignIfChanged(cp2Pen_, v)) Changed();
    }
    TColor ColorCP2Brush() const { return cp2Brush_; }
    void SetColorCP2Brush(TColor v)
    {
        if (AssignIfChanged(cp2Brush_, v)) Changed();
    }

protected:
    void AssignTo(TPersistent* dest) override;

private:
    int shape_ = 0;
    TColor colorPen_ = clBlack;
    TColor colorBrush_ = TColor(0x00FF00);
    TColor cp1Pen_ = clBlack;
    TColor cp1Brush_ = clBlack;
    TColor cp2Pen_ = clBlack;
    TColor cp2Brush_ = clBtnFace;
};

// Draws `width` one-pixel frames, the colours graded from the "from" colour outside to the "to" colour
// inside; `r` ends inside the frame.
void GradedFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised, int width, TColor highlightFrom,
                 TColor highlightTo, TColor shadowFrom, TColor shadowTo);

// Frame of a button.
class TVnBtnBevel : public TVnPersistent {
    TV_CLASS(TVnBtnBevel, TVnPersistent)
public:
    TVnBtnBevel() = default;
    TColor ShadowColFrom() const { return shadowFrom_; }
    void SetShadowColFrom(TColor v)
    {
        if (AssignIfChanged(shadowFrom_, v)) Changed();
    }
    TColor ShadowColTo() const { return shadowTo_; }
    void SetShadowColTo(TColor v)
    {
        if (AssignIfChanged(shadowTo_, v)) Changed();
    }
    TColor HighlightColFrom() const { return highlightFrom_; }
    void SetHighlightColFrom(TColor v)
    {
        if (AssignIfChanged(highlightFrom_, v)) Changed();
    }
    TColor HighlightColTo() const { return highlightTo_; }
    void SetHighlightColTo(TColor v)
    {
        if (AssignIfChanged(highlightTo_, v)) Changed();
    }
    int Width() const { return width_; }
    void SetWidth(int v);

    void Draw3DFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised) const;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    TColor shadowFrom_ = clBlack;
    TColor shadowTo_ = clBtnShadow;
    TColor highlightFrom_ = TColor(0xD2D2D2);
    TColor highlightTo_ = clBtnHighlight;
    int width_ = 2;
};

class TVnGradSettings : public TVnPersistent {
    TV_CLASS(TVnGradSettings, TVnPersistent)
public:
    TVnGradSettings() = default;
    TVnGradSettings(TColor from, TColor to, bool visible) : from_(from), to_(to), visible_(visible) {}
    TColor ColorFrom() const { return from_; }
    void SetColorFrom(TColor v)
    {
        if (AssignIfChanged(from_, v)) Changed();
    }
    TColor ColorTo() const { return to_; }
    void SetColorTo(TColor v)
    {
        if (AssignIfChanged(to_, v)) Changed();
    }
    bool Visible() const { return visible_; }
    void SetVisible(bool v)
    {
        if (AssignIfChanged(visible_, v)) Changed();
    }
    TGradientStyle Style() const { return style_; }
    void SetStyle(TGradientStyle v)
    {
        if (AssignIfChanged(style_, v)) Changed();
    }

protected:
    void AssignTo(TPersistent* dest) override;

private:
    TColor from_ = TColor(0xE2E2E2);
    TColor to_ = TColor(0x8F8F8F);
    bool visible_ = false;
    TGradientStyle style_ = gsHorizontal1;
};

enum TBevelLine { blNone, blOuter, blInner, blBoth };
inline constexpr const char* TBevelLineNames[] = {"blNone", "blOuter", "blInner", "blBoth"};
static_assert(std::size(TBevelLineNames) == blBoth + 1);

// The panel-like border of a meter: face, graded frame, optional surface gradient and outline.
class TVnSBevel : public TVnPersistent {
    TV_CLASS(TVnSBevel, TVnPersistent)
public:
    TVnSBevel();
    ~TVnSBevel() override;

    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle v)
    {
        if (AssignIfChanged(style_, v)) Changed();
    }
    int Spacing() const { return spacing_; }
    void SetSpacing(int v)
    {
        if (AssignIfChanged(spacing_, v)) Changed();
    }
    TBevelLine BevelLine() const { return bevelLine_; }
    void SetBevelLine(TBevelLine v)
    {
        if (AssignIfChanged(bevelLine_, v)) Changed();
    }
    int Width() const { return width_; }
    void SetWidth(int v);
    TColor Color() const { return color_; }
    void SetColor(TColor v)
    {
        if (AssignIfChanged(color_, v)) Changed();
    }
    TVnOffset* Offset() const { return offset_.get(); }
    void SetOffset(TVnOffset* v) { offset_->Assign(v); }
    TColor ColorShadowFrom() const { return shadowFrom_; }
    void SetColorShadowFrom(TColor v)
    {
        if (AssignIfChanged(shadowFrom_, v)) Changed();
    }
    TColor ColorShadowTo() const { return shadowTo_; }
    void SetColorShadowTo(TColor v)
    {
        if (AssignIfChanged(shadowTo_, v)) Changed();
    }
    TColor ColorHighLightFrom() const { return highlightFrom_; }
    void SetColorHighLightFrom(TColor v)
    {
        if (AssignIfChanged(highlightFrom_, v)) Changed();
    }
    TColor ColorHighLightTo() const { return highlightTo_; }
    void SetColorHighLightTo(TColor v)
    {
        if (AssignIfChanged(highlightTo_, v)) Changed();
    }
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor v)
    {
        if (AssignIfChanged(penColor_, v)) Changed();
    }
    TVnGradSettings* SurfaceGrad() const { return surfaceGrad_.get(); }
    void SetSurfaceGrad(TVnGradSettings* v) { surfaceGrad_->Assign(v); }
    int TotalWidth() const { return totalWidth_; }

    void Changed() override;
    void Draw3DFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised) const;
    // Draws the bevel over r and leaves in r the area inside it.
    void DrawBevel(TCanvas& canvas, TRect& r) const;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void partChanged(TObject*) { Changed(); }

    TBevelStyle style_ = bsRaised;
    int spacing_ = 5;
    TBevelLine bevelLine_ = blNone;
    int width_ = 2;
    TColor color_ = clBtnFace;
    TOwnedPtr<TVnOffset> offset_;
    TColor shadowFrom_ = clBtnShadow, shadowTo_ = clBtnShadow;
    TColor highlightFrom_ = clBtnHighlight, highlightTo_ = clBtnHighlight;
    TColor penColor_ = clBlack;
    TOwnedPtr<TVnGradSettings> surfaceGrad_;
    int totalWidth_ = 7;
};

// Value range of an analog control and the mapping factors derived from it.
class TSignalSettings : public TVnPersistent {
    TV_CLASS(TSignalSettings, TVnPersistent)
public:
    TSignalSettings() { recompute(); }

    int DigitalFrom() const { return digitalFrom_; }
    void SetDigitalFrom(int v)
    {
        if (AssignIfChanged(digitalFrom_, v)) Changed();
    }
    int DigitalTo() const { return digitalTo_; }
    void SetDigitalTo(int v)
    {
        if (AssignIfChanged(digitalTo_, v)) Changed();
    }
    const String& Name1() const { return name1_; }
    void SetName1(const String& v)
    {
        if (AssignIfChanged(name1_, v)) Changed();
    }
    const String& Name2() const { return name2_; }
    void SetName2(const String& v)
    {
        if (AssignIfChanged(name2_, v)) Changed();
    }
    const String& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const String& v)
    {
        if (AssignIfChanged(valueFormat_, v)) Changed();
    }
    float ValueFrom() const { return valueFrom_; }
    // Equal to either bound: ignored; 0 is kept as 0.000001; with the decade flag snapped to a decade.
    void SetValueFrom(float v);
    float ValueTo() const { return valueTo_; }
    void SetValueTo(float v);
    const String& ValueUnit() const { return valueUnit_; }
    void SetValueUnit(const String& v)
    {
        if (AssignIfChanged(valueUnit_, v)) Changed();
    }

    bool LogScale() const { return logScale_; }
    void SetLogScale(bool v) { logScale_ = v; }

    float ValueSpan() const { return valueSpan_; }
    int DigitSpan() const { return digitSpan_; }
    float ValuePerDigit() const { return valuePerDigit_; }
    float DigitsPerValue() const { return digitsPerValue_; }
    float PptPerValue() const { return pptPerValue_; }
    // Position of x on the 0..1000 scale (unclamped, saturated to 32 bits).
    int ValueToPpt(float x) const;

    void Changed() override;
    // Recomputes the derived values without notifying.
    void Recompute() { recompute(); }

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void recompute();

    int digitalFrom_ = 0;
    int digitalTo_ = 1000;
    String name1_ = "SignalName1";
    String name2_ = "SignalName2";
    String valueFormat_ = "##0.0";
    float valueFrom_ = 0;
    float valueTo_ = 100;
    String valueUnit_ = "%";
    bool logScale_ = false;
    float valueSpan_ = 100;
    int digitSpan_ = 1000;
    float valuePerDigit_ = 0.1f;
    float digitsPerValue_ = 10;
    float pptPerValue_ = 10;
};

// Extremes seen by an analog control; Max and Min are stamped with the time they were taken.
class TMinMax : public TVnPersistent {
    TV_CLASS(TMinMax, TVnPersistent)
public:
    TMinMax();
    float Max() const { return max_; }
    void SetMax(float v);  // stamps MaxDateTime, no notification
    float Min() const { return min_; }
    void SetMin(float v);
    TDateTime MaxDateTime() const { return maxTime_; }
    void SetMaxDateTime(TDateTime v) { maxTime_ = v; }
    TDateTime MinDateTime() const { return minTime_; }
    void SetMinDateTime(TDateTime v) { minTime_ = v; }
    TColor MaxColor() const { return maxColor_; }
    void SetMaxColor(TColor v)
    {
        if (AssignIfChanged(maxColor_, v)) Changed();
    }
    TColor MinColor() const { return minColor_; }
    void SetMinColor(TColor v)
    {
        if (AssignIfChanged(minColor_, v)) Changed();
    }
    bool UseSectorCol() const { return useSectorCol_; }
    void SetUseSectorCol(bool v)
    {
        if (AssignIfChanged(useSectorCol_, v)) Changed();
    }
    bool MinVisible() const { return minVisible_; }
    void SetMinVisible(bool v)
    {
        if (AssignIfChanged(minVisible_, v)) Changed();
    }
    bool MaxVisible() const { return maxVisible_; }
    void SetMaxVisible(bool v)
    {
        if (AssignIfChanged(maxVisible_, v)) Changed();
    }

    static constexpr float InitialMin = 9999999;
    static constexpr float InitialMax = -9999999;
    // Back to the initial extremes without stamping a time.
    void ResetExtremes()
    {
        min_ = InitialMin;
        max_ = InitialMax;
    }

private:
    float max_ = InitialMax;
    TDateTime maxTime_ = 0;
    float min_ = InitialMin;
    TDateTime minTime_ = 0;
    TColor maxColor_ = TColor(0xFFFF00);
    TColor minColor_ = TColor(0xFFFF00);
    bool useSectorCol_ = true;
    bool minVisible_ = true;
    bool maxVisible_ = true;
};

// Three coloured ranges on the 0..1000 scale.
class TSectorSettings : public TVnPersistent {
    TV_CLASS(TSectorSettings, TVnPersistent)
public:
    TSectorSettings() = default;
    TColor Sector1Color() const { return color_[0]; }
    void SetSector1Color(TColor v)
    {
        if (AssignIfChanged(color_[0], v)) Changed();
    }
    TColor Sector2Color() const { return color_[1]; }
    void SetSector2Color(TColor v)
    {
        if (AssignIfChanged(color_[1], v)) Changed();
    }
    TColor Sector3Color() const { return color_[2]; }
    void SetSector3Color(TColor v)
    {
        if (AssignIfChanged(color_[2], v)) Changed();
    }
    int Sector1From() const { return from_[0]; }
    void SetSector1From(int v)
    {
        if (AssignIfChanged(from_[0], v)) Changed();
    }
    int Sector2From() const { return from_[1]; }
    void SetSector2From(int v)
    {
        if (AssignIfChanged(from_[1], v)) Changed();
    }
    int Sector3From() const { return from_[2]; }
    void SetSector3From(int v)
    {
        if (AssignIfChanged(from_[2], v)) Changed();
    }
    int Sector1To() const { return to_[0]; }
    void SetSector1To(int v)
    {
        if (AssignIfChanged(to_[0], v)) Changed();
    }
    int Sector2To() const { return to_[1]; }
    void SetSector2To(int v)
    {
        if (AssignIfChanged(to_[1], v)) Changed();
    }
    int Sector3To() const { return to_[2]; }
    void SetSector3To(int v)
    {
        if (AssignIfChanged(to_[2], v)) Changed();
    }
    int Offset() const { return offset_; }
    void SetOffset(int v)
    {
        if (AssignIfChanged(offset_, v)) Changed();
    }
    int WidthOffset() const { return widthOffset_; }
    void SetWidthOffset(int v)
    {
        if (AssignIfChanged(widthOffset_, v)) Changed();
    }
    bool LogScale() const { return logScale_; }
    void SetLogScale(bool v) { logScale_ = v; }

    // Sector k = 0, 1, 2.
    TColor SectorColor(int k) const { return color_[k]; }
    int SectorFrom(int k) const { return from_[k]; }
    int SectorTo(int k) const { return to_[k]; }
    bool InSector(int k, int ppt) const { return from_[k] <= ppt && ppt <= to_[k]; }
    // Colour of the first sector containing ppt; false when none does.
    bool SectorColorAt(int ppt, TColor& colour) const;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    TColor color_[3] = {TColor(0x00FFFF), TColor(0x008000), TColor(0x0000FF)};
    int from_[3] = {0, 334, 667};
    int to_[3] = {333, 666, 1000};
    int offset_ = 0;
    int widthOffset_ = 0;
    bool logScale_ = false;
};
