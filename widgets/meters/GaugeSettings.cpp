#include "widgets/meters/GaugeSettings.h"

#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/DateTime.h"
#include "widgets/meters/GaugeMath.h"

namespace {
// Span of a range by the cases the gauges have always used: a range from a non-negative start to a
// non-positive end keeps the previous span.
template <class T>
bool spanOf(T from, T to, T& span)
{
    if ((from < 0 && to < 0) || (from < 0 && to >= 0) || (from >= 0 && to > 0)) {
        span = to - from;
        return true;
    }
    return false;
}

bool finite(float v) { return std::isfinite(v); }
}  // namespace

// ---- TVnPersistent ----

TV_PUBLISHED(TVnPersistent) { Prop("OnChange", &TVnPersistent::OnChange, &TVnPersistent::SetOnChange); }

void TVnPersistent::Changed()
{
    if (onChange_) onChange_(this);
}

void TVnPersistent::NotifyChange(TObject* sender)
{
    if (onChange_) onChange_(sender);
}

// ---- TVnOffset ----

TV_PUBLISHED(TVnOffset)
{
    Prop("Top", &TVnOffset::Top, &TVnOffset::SetTop, 0);
    Prop("Left", &TVnOffset::Left, &TVnOffset::SetLeft, 0);
    Prop("Right", &TVnOffset::Right, &TVnOffset::SetRight, 0);
    Prop("Bottom", &TVnOffset::Bottom, &TVnOffset::SetBottom, 0);
}

void TVnOffset::Apply(TRect& r) const { ShrinkRectSides(r, left_, top_, right_, bottom_); }

void TVnOffset::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TVnOffset*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->top_ = top_;
    d->left_ = left_;
    d->right_ = right_;
    d->bottom_ = bottom_;
    d->Changed();
}

// ---- TArrowSettings ----

TV_PUBLISHED(TArrowSettings)
{
    Prop("Shape", &TArrowSettings::Shape, &TArrowSettings::SetShape, 0);
    PropColor("ColorPen", &TArrowSettings::ColorPen, &TArrowSettings::SetColorPen, clBlack);
    PropColor("ColorBrush", &TArrowSettings::ColorBrush, &TArrowSettings::SetColorBrush, 0x00FF00);
    PropColor("ColorCP1Pen", &TArrowSettings::ColorCP1Pen, &TArrowSettings::SetColorCP1Pen, clBlack);
    PropColor("ColorCP1Brush", &TArrowSettings::ColorCP1Brush, &TArrowSettings::SetColorCP1Brush, clBlack);
    PropColor("ColorCP2Pen", &TArrowSettings::ColorCP2Pen, &TArrowSettings::SetColorCP2Pen, clBlack);
    PropColor("ColorCP2Brush", &TArrowSettings::ColorCP2Brush, &TArrowSettings::SetColorCP2Brush, clBtnFace);
}

void TArrowSettings::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TArrowSettings*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->shape_ = shape_;
    d->colorPen_ = colorPen_;
    d->colorBrush_ = colorBrush_;
    d->cp1Pen_ = cp1Pen_;
    d->cp1Brush_ = cp1Brush_;
    d->cp2Pen_ = cp2Pen_;
    d->cp2Brush_ = cp2Brush_;
    d->Changed();
}

// ---- frames ----

void GradedFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised, int width, TColor highlightFrom,
                 TColor highlightTo, TColor shadowFrom, TColor shadowTo)
{
    if (fill) {
        canvas.Pen()->SetWidth(1);
        canvas.Pen()->SetColor(face);
        canvas.Brush()->SetColor(face);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Rectangle(r);
    }
    for (int i = 1; i <= width; ++i) {
        if (raised)
            Frame3DLine(canvas, r, ColorStep(highlightFrom, highlightTo, width, i),
                        ColorStep(shadowFrom, shadowTo, width, i));
        else
            Frame3DLine(canvas, r, ColorStep(shadowTo, shadowFrom, width, i),
                        ColorStep(highlightTo, highlightFrom, width, i));
    }
}

// ---- TVnBtnBevel ----

TV_PUBLISHED(TVnBtnBevel)
{
    PropColor("ShadowColFrom", &TVnBtnBevel::ShadowColFrom, &TVnBtnBevel::SetShadowColFrom, clBlack);
    PropColor("ShadowColTo", &TVnBtnBevel::ShadowColTo, &TVnBtnBevel::SetShadowColTo, clBtnShadow);
    PropColor("HighlightColFrom", &TVnBtnBevel::HighlightColFrom, &TVnBtnBevel::SetHighlightColFrom, 0xD2D2D2);
    PropColor("HighlightColTo", &TVnBtnBevel::HighlightColTo, &TVnBtnBevel::SetHighlightColTo, clBtnHighlight);
    Prop("Width", &TVnBtnBevel::Width, &TVnBtnBevel::SetWidth).NoDefault();
}

void TVnBtnBevel::SetWidth(int v)
{
    if (v >= 0 && AssignIfChanged(width_, v)) Changed();
}

void TVnBtnBevel::Draw3DFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised) const
{
    GradedFrame(canvas, r, face, fill, raised, width_, highlightFrom_, highlightTo_, shadowFrom_, shadowTo_);
}

void TVnBtnBevel::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TVnBtnBevel*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->shadowFrom_ = shadowFrom_;
    d->shadowTo_ = shadowTo_;
    d->highlightFrom_ = highlightFrom_;
    d->highlightTo_ = highlightTo_;
    d->width_ = width_;
    d->Changed();
}

// ---- TVnGradSettings ----

TV_PUBLISHED(TVnGradSettings)
{
    PropColor("ColorFrom", &TVnGradSettings::ColorFrom, &TVnGradSettings::SetColorFrom, 0xE2E2E2);
    PropColor("ColorTo", &TVnGradSettings::ColorTo, &TVnGradSettings::SetColorTo, 0x8F8F8F);
    Prop("Visible", &TVnGradSettings::Visible, &TVnGradSettings::SetVisible).NoDefault();
    PropEnum("Style", &TVnGradSettings::Style, &TVnGradSettings::SetStyle, TGradientStyleNames).NoDefault();
}

void TVnGradSettings::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TVnGradSettings*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->SetColorFrom(from_);
    d->SetColorTo(to_);
    d->SetVisible(visible_);
    d->SetStyle(style_);
    d->Changed();
}

// ---- TVnSBevel ----

TV_PUBLISHED(TVnSBevel)
{
    PropEnum("Style", &TVnSBevel::Style, &TVnSBevel::SetStyle, TBevelStyleNames).NoDefault();
    Prop("Spacing", &TVnSBevel::Spacing, &TVnSBevel::SetSpacing).NoDefault();
    PropEnum("BevelLine", &TVnSBevel::BevelLine, &TVnSBevel::SetBevelLine, TBevelLineNames).NoDefault();
    Prop("Width", &TVnSBevel::Width, &TVnSBevel::SetWidth).NoDefault();
    PropColor("Color", &TVnSBevel::Color, &TVnSBevel::SetColor, clBtnFace);
    Prop("Offset", &TVnSBevel::Offset, &TVnSBevel::SetOffset);
    PropColor("ColorShadowFrom", &TVnSBevel::ColorShadowFrom, &TVnSBevel::SetColorShadowFrom, clBtnShadow);
    PropColor("ColorShadowTo", &TVnSBevel::ColorShadowTo, &TVnSBevel::SetColorShadowTo, clBtnShadow);
    PropColor("ColorHighLightFrom", &TVnSBevel::ColorHighLightFrom, &TVnSBevel::SetColorHighLightFrom, clBtnHighlight);
    PropColor("ColorHighLightTo", &TVnSBevel::ColorHighLightTo, &TVnSBevel::SetColorHighLightTo, clBtnHighlight);
    PropColor("PenColor", &TVnSBevel::PenColor, &TVnSBevel::SetPenColor, clBlack);
    Prop("SurfaceGrad", &TVnSBevel::SurfaceGrad, &TVnSBevel::SetSurfaceGrad);
}

TVnSBevel::TVnSBevel() : offset_(new TVnOffset), surfaceGrad_(new TVnGradSettings)
{
    offset_->SetOnChange(TNotifyEvent(this, &TVnSBevel::partChanged));
    surfaceGrad_->SetOnChange(TNotifyEvent(this, &TVnSBevel::partChanged));
    totalWidth_ = spacing_ + width_;
}

TVnSBevel::~TVnSBevel() = default;

void TVnSBevel::SetWidth(int v)
{
    if (v >= 0 && AssignIfChanged(width_, v)) Changed();
}

void TVnSBevel::Changed()
{
    totalWidth_ = spacing_ + width_ + (bevelLine_ == blOuter || bevelLine_ == blInner ? 1 : 0) +
                  (bevelLine_ == blBoth ? 2 : 0);
    inherited::Changed();
}

void TVnSBevel::Draw3DFrame(TCanvas& canvas, TRect& r, TColor face, bool fill, bool raised) const
{
    GradedFrame(canvas, r, face, fill, raised, width_, highlightFrom_, highlightTo_, shadowFrom_, shadowTo_);
}

void TVnSBevel::DrawBevel(TCanvas& canvas, TRect& r) const
{
    const TRect outer = r;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(color_);
    canvas.Brush()->SetColor(color_);
    canvas.Rectangle(r);
    TRect inner = r;
    ShrinkRect(inner, totalWidth_ - spacing_);
    if (bevelLine_ == blOuter || bevelLine_ == blBoth) ShrinkRect(r, 1);
    Draw3DFrame(canvas, r, color_, true, style_ == bsRaised);
    if (surfaceGrad_->Visible())
        FillGradientRect(canvas, inner, surfaceGrad_->ColorFrom(), surfaceGrad_->ColorTo(), surfaceGrad_->Style());
    canvas.Pen()->SetColor(penColor_);
    canvas.Brush()->SetStyle(bsClear);
    if (bevelLine_ == blInner || bevelLine_ == blBoth) {
        canvas.Rectangle(r);
        ShrinkRect(r, 1);
    }
    if (bevelLine_ == blOuter || bevelLine_ == blBoth) canvas.Rectangle(outer);
    ShrinkRect(r, spacing_);
    offset_->Apply(r);
}

void TVnSBevel::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TVnSBevel*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->style_ = style_;
    d->spacing_ = spacing_;
    d->bevelLine_ = bevelLine_;
    d->width_ = width_;
    d->color_ = color_;
    d->offset_->Assign(offset_.get());
    d->shadowFrom_ = shadowFrom_;
    d->shadowTo_ = shadowTo_;
    d->highlightFrom_ = highlightFrom_;
    d->highlightTo_ = highlightTo_;
    d->penColor_ = penColor_;
    d->surfaceGrad_->Assign(surfaceGrad_.get());
    d->Changed();
}

// ---- TSignalSettings ----

TV_PUBLISHED(TSignalSettings)
{
    Prop("DigitalFrom", &TSignalSettings::DigitalFrom, &TSignalSettings::SetDigitalFrom, 0);
    Prop("DigitalTo", &TSignalSettings::DigitalTo, &TSignalSettings::SetDigitalTo, 1000);
    Prop("Name1", &TSignalSettings::Name1, &TSignalSettings::SetName1).NoDefault();
    Prop("Name2", &TSignalSettings::Name2, &TSignalSettings::SetName2).NoDefault();
    Prop("ValueFormat", &TSignalSettings::ValueFormat, &TSignalSettings::SetValueFormat).NoDefault();
    Prop("ValueFrom", &TSignalSettings::ValueFrom, &TSignalSettings::SetValueFrom);
    Prop("ValueTo", &TSignalSettings::ValueTo, &TSignalSettings::SetValueTo);
    Prop("ValueUnit", &TSignalSettings::ValueUnit, &TSignalSettings::SetValueUnit).NoDefault();
}

void TSignalSettings::SetValueFrom(float v)
{
    if (!finite(v) || v == valueFrom_ || v == valueTo_) return;
    valueFrom_ = v == 0 ? 0.000001f : v;
    if (logScale_) {
        int e;
        SetValueFrom(static_cast<float>(SnapToDecade(valueFrom_, e)));
    }
    Changed();
}

void TSignalSettings::SetValueTo(float v)
{
    if (!finite(v) || v == valueFrom_ || v == valueTo_) return;
    valueTo_ = v;
    if (logScale_) {
        int e;
        SetValueTo(static_cast<float>(SnapToDecade(valueTo_, e)));
    }
    Changed();
}

void TSignalSettings::recompute()
{
    spanOf(valueFrom_, valueTo_, valueSpan_);
    Int64 digits = 0;
    if (spanOf<Int64>(digitalFrom_, digitalTo_, digits))
        digitSpan_ = static_cast<int>(
            std::clamp<Int64>(digits, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    if (digitSpan_ > 0) valuePerDigit_ = valueSpan_ / digitSpan_;
    if (valueSpan_ > 0) {
        digitsPerValue_ = digitSpan_ / valueSpan_;
        pptPerValue_ = 1000 / valueSpan_;
    }
}

void TSignalSettings::Changed()
{
    recompute();
    inherited::Changed();
}

int TSignalSettings::ValueToPpt(float x) const { return RoundSaturated((double(x) - valueFrom_) * pptPerValue_); }

void TSignalSettings::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TSignalSettings*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->SetDigitalFrom(digitalFrom_);
    d->SetDigitalTo(digitalTo_);
    d->SetValueFormat(valueFormat_);
    d->SetValueFrom(valueFrom_);
    d->SetValueTo(valueTo_);
    d->SetValueUnit(valueUnit_);
    d->SetName1(name1_);
    d->SetName2(name2_);
}

// ---- TMinMax ----

TV_PUBLISHED(TMinMax)
{
    Prop("Max", &TMinMax::Max, &TMinMax::SetMax).Stored(false);
    PropDate("MaxDateTime", &TMinMax::MaxDateTime, &TMinMax::SetMaxDateTime).Stored(false);
    Prop("Min", &TMinMax::Min, &TMinMax::SetMin).Stored(false);
    PropDate("MinDateTime", &TMinMax::MinDateTime, &TMinMax::SetMinDateTime).Stored(false);
    PropColor("MaxColor", &TMinMax::MaxColor, &TMinMax::SetMaxColor, 0xFFFF00);
    PropColor("MinColor", &TMinMax::MinColor, &TMinMax::SetMinColor, 0xFFFF00);
    Prop("UseSectorCol", &TMinMax::UseSectorCol, &TMinMax::SetUseSectorCol, true);
    Prop("MinVisible", &TMinMax::MinVisible, &TMinMax::SetMinVisible, true);
    Prop("MaxVisible", &TMinMax::MaxVisible, &TMinMax::SetMaxVisible, true);
}

TMinMax::TMinMax() { maxTime_ = minTime_ = Now(); }

void TMinMax::SetMax(float v)
{
    max_ = v;
    maxTime_ = Now();
}

void TMinMax::SetMin(float v)
{
    min_ = v;
    minTime_ = Now();
}

// ---- TSectorSettings ----

TV_PUBLISHED(TSectorSettings)
{
    PropColor("Sector1Color", &TSectorSettings::Sector1Color, &TSectorSettings::SetSector1Color, 0x00FFFF);
    Prop("Sector1From", &TSectorSettings::Sector1From, &TSectorSettings::SetSector1From, 0);
    Prop("Sector1To", &TSectorSettings::Sector1To, &TSectorSettings::SetSector1To, 333);
    PropColor("Sector2Color", &TSectorSettings::Sector2Color, &TSectorSettings::SetSector2Color, 0x008000);
    Prop("Sector2From", &TSectorSettings::Sector2From, &TSectorSettings::SetSector2From, 334);
    Prop("Sector2To", &TSectorSettings::Sector2To, &TSectorSettings::SetSector2To, 666);
    PropColor("Sector3Color", &TSectorSettings::Sector3Color, &TSectorSettings::SetSector3Color, 0x0000FF);
    Prop("Sector3From", &TSectorSettings::Sector3From, &TSectorSettings::SetSector3From, 667);
    Prop("Sector3To", &TSectorSettings::Sector3To, &TSectorSettings::SetSector3To, 1000);
    Prop("Offset", &TSectorSettings::Offset, &TSectorSettings::SetOffset, 0);
    Prop("WidthOffset", &TSectorSettings::WidthOffset, &TSectorSettings::SetWidthOffset, 0);
}

bool TSectorSettings::SectorColorAt(int ppt, TColor& colour) const
{
    for (int k = 0; k < 3; ++k)
        if (InSector(k, ppt)) {
            colour = color_[k];
            return true;
        }
    return false;
}

void TSectorSettings::AssignTo(TPersistent* dest)
{
    auto* d = dynamic_cast<TSectorSettings*>(dest);
    if (!d) return inherited::AssignTo(dest);
    d->SetSector1Color(color_[0]);
    d->SetSector2Color(color_[1]);
    d->SetSector3Color(color_[2]);
    d->SetSector1From(from_[0]);
    d->SetSector2From(from_[1]);
    d->SetSector3From(from_[2]);
    d->SetSector1To(to_[0]);
    d->SetSector2To(to_[1]);
    d->SetSector3To(to_[2]);
}
