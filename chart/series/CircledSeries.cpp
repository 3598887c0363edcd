// The circled series base: the circle of each frame, its shared settings, the polar conversions
// and the chart's view while such a series is active.
#include "chart/series/CircledSeries.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/FramedBorder.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED_AS(TCircledSeries, TChartElementClass)
{
    Prop("Circled", &TCircledSeries::Circled, &TCircledSeries::SetCircled, true);
    Prop("CustomXRadius", &TCircledSeries::CustomXRadius, &TCircledSeries::SetCustomXRadius, 0);
    Prop("CustomYRadius", &TCircledSeries::CustomYRadius, &TCircledSeries::SetCustomYRadius, 0);
    Prop("Emboss", &TCircledSeries::Emboss, &TCircledSeries::SetEmboss);
    Prop("Frame", &TCircledSeries::Frame, &TCircledSeries::SetFrame).Stored(&TCircledSeries::HasFrame);
    Prop("Shadow", &TCircledSeries::Shadow, &TCircledSeries::SetShadow);
    Prop("UniqueCustomRadius", &TCircledSeries::UniqueCustomRadius, &TCircledSeries::SetUniqueCustomRadius, true);
}

namespace {

constexpr TColor EffectColor = static_cast<TColor>(0xA0A0A0);
constexpr int EffectSize = 3;

int RoundInt(double value) { return static_cast<int>(Round(value)); }

double WrapAngle(double angle)
{
    constexpr double full = 2 * std::numbers::pi;
    angle = std::fmod(angle, full);
    return angle < 0 ? angle + full : angle;
}

}  // namespace

TCircledSeries::TCircledSeries(TComponent* owner) : TChartSeries(owner)
{
    SetScanVisibleRange(false);
    XValues()->SetName("Angle");
    const TNotifyEvent changed(this, &TCircledSeries::effectsChanged);
    circleBrush_ = std::make_unique<TZebBrush>(changed);
    circleBrush_->SetColor(clAutomatic);
    emboss_ = std::make_unique<TZebEmboss>(changed);
    emboss_->InitDefaults(false, EffectColor, EffectSize);
    shadow_ = std::make_unique<TZebShadow>(changed);
    shadow_->InitDefaults(true, EffectColor, EffectSize);
}

TCircledSeries::~TCircledSeries()
{
    // A plain delete skips BeforeDestruction.
    SwapChartView3D(true);
}

void TCircledSeries::BeforeDestruction()
{
    SwapChartView3D(true);
    TChartSeries::BeforeDestruction();
}

void TCircledSeries::effectsChanged(TObject*) { InvalidateChart(); }

// ---- the circled view ----

bool TCircledSeries::keepsChartView() const
{
    const TCustomAxisPanel* chart = ParentChart();
    return !chart || chart->IsDestroying() || !chart->Canvas3D() || chart->Canvas3D()->UsesWorldCoordinates() ||
           !chart->View3DOptions();
}

void TCircledSeries::SwapChartView3D(bool restore)
{
    if (keepsChartView()) return;
    TCustomAxisPanel* chart = ParentChart();
    if (!restore) {
        // The first circled series of the chart keeps the user's view; a stored chart holds it.
        if (!savedView3D_ && !chart->HoldsStoredView3D()) {
            savedView3D_ = std::make_unique<TView3DOptions>();
            savedView3D_->Assign(chart->View3DOptions());
            chart->SetStoredView3DOptions(savedView3D_.get());
        }
        ApplyCircledView3D();
        return;
    }
    if (!savedView3D_) return;
    // Another active circled series keeps the chart in its view: the copy goes to it.
    for (TChartSeries* series : chart->SeriesList()) {
        auto* other = dynamic_cast<TCircledSeries*>(series);
        if (!other || other == this || !other->Active() || other->IsDestroying() || other->savedView3D_) continue;
        other->savedView3D_ = std::move(savedView3D_);
        return;
    }
    chart->SetStoredView3DOptions(nullptr);
    chart->View3DOptions()->Assign(savedView3D_.get());
    savedView3D_.reset();
}

void TCircledSeries::SetActive(bool value)
{
    TChartSeries::SetActive(value);
    SwapChartView3D(!Active());
}

void TCircledSeries::SetParentChart(TCustomAxisPanel* value)
{
    if (!value) SwapChartView3D(true);
    if (value == ParentChart()) return;
    TChartSeries::SetParentChart(value);
    if (!ParentChart()) return;
    // A series joining the chart takes the circle settings of the first related one.
    for (TChartSeries* series : ParentChart()->SeriesList()) {
        if (series == this || !InheritsFrom(series->ClassType())) continue;
        const auto& first = static_cast<const TCircledSeries&>(*series);
        circled_ = first.circled_;
        uniqueCustomRadius_ = first.uniqueCustomRadius_;
        if (uniqueCustomRadius_) {
            customXRadius_ = first.customXRadius_;
            customYRadius_ = first.customYRadius_;
        }
        break;
    }
    if (Active()) SwapChartView3D(false);
}

// ---- settings ----

template <class F>
void TCircledSeries::forRelated(F&& apply)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    for (TChartSeries* series : chart->SeriesList())
        if (series != this && InheritsFrom(series->ClassType())) apply(static_cast<TCircledSeries&>(*series));
}

void TCircledSeries::SetCircled(bool value)
{
    ChangeBoolean(circled_, value);
    const bool loading = IsLoading();
    if (!loading) customXRadius_ = customYRadius_ = 0;
    forRelated([&](TCircledSeries& series) {
        series.circled_ = value;
        if (!series.IsLoading()) series.customXRadius_ = series.customYRadius_ = 0;
    });
}

void TCircledSeries::shareRadius()
{
    if (!uniqueCustomRadius_) return;
    forRelated([&](TCircledSeries& series) {
        series.customXRadius_ = customXRadius_;
        series.customYRadius_ = customYRadius_;
    });
}

void TCircledSeries::SetCustomXRadius(int value)
{
    ChangeInteger(customXRadius_, value);
    shareRadius();
}

void TCircledSeries::SetCustomYRadius(int value)
{
    ChangeInteger(customYRadius_, value);
    shareRadius();
}

void TCircledSeries::SetUniqueCustomRadius(bool value)
{
    ChangeBoolean(uniqueCustomRadius_, value);
    forRelated([&](TCircledSeries& series) { series.uniqueCustomRadius_ = value; });
}

void TCircledSeries::SetRotationAngle(int value)
{
    ChangeInteger(rotationAngle_, value % 360);
    RotationRad = rotationAngle_ * std::numbers::pi / 180;
}

void TCircledSeries::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }

void TCircledSeries::SetShadow(TZebShadow* value) { shadow_->Assign(value); }

TFramedBorder* TCircledSeries::Frame()
{
    if (!frame_) {
        TCustomAxisPanel* chart = ParentChart();
        const bool repaint = chart && chart->AutoRepaint();
        if (chart) chart->SetAutoRepaint(false);
        frame_ = std::make_unique<TCircularFrame>();
        frame_->InitCircled(true);
        frame_->SetParentPanel(chart);
        frame_->SetWidth(4);
        frame_->InitVisible(false);
        const auto colors = [](TFrameBrush& brush, TColor start, TColor end) {
            TZebGradient& g = *brush.Gradient();
            g.SetStartColor(start);
            g.SetMidColor(clWhite);
            g.SetEndColor(end);
        };
        colors(*frame_->OuterBrush(), static_cast<TColor>(0xC0C0C0), RGB(64, 64, 64));
        colors(*frame_->MiddleBrush(), static_cast<TColor>(0x808080), RGB(130, 130, 130));
        colors(*frame_->InnerBrush(), RGB(64, 64, 64), static_cast<TColor>(0x808080));
        if (IsLoading()) ApplyPublishedDefaults(*frame_);  // what the stream leaves out is the default
        if (chart) chart->SetAutoRepaint(repaint);
    }
    return frame_.get();
}

void TCircledSeries::SetFrame(TFramedBorder* value)
{
    if (!value) {
        frame_.reset();
        return;
    }
    Frame()->Assign(value);
}

TColor TCircledSeries::CircleBackColor() const { return circleBrush_->Color(); }

void TCircledSeries::SetCircleBackColor(TColor value) { circleBrush_->SetColor(value); }

void TCircledSeries::SetCircleBrush(TZebBrush* value) { circleBrush_->Assign(value); }

TZebGradient* TCircledSeries::CircleGradient() const { return circleBrush_->Gradient(); }

void TCircledSeries::SetCircleGradient(TZebGradient* value) { circleBrush_->Gradient()->Assign(value); }

TColor TCircledSeries::ResolveCircleBackColor() const
{
    TColor color = CircleBackColor();
    const TCustomAxisPanel* chart = ParentChart();
    if (color != clAutomatic || !chart) return color;
    if (chart->Printing()) return clWhite;
    if (const auto* full = dynamic_cast<const TCustomChart*>(chart)) {
        const TChartBackWall* back = full->BackWall();
        if (back && !back->Transparent()) color = back->Color();
    }
    if (color == clAutomatic) color = chart->GetBackgroundColor();
    return color;
}

void TCircledSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* circled = dynamic_cast<TCircledSeries*>(other)) {
        circled_ = circled->circled_;
        SetRotationAngle(circled->rotationAngle_);
        customXRadius_ = circled->customXRadius_;
        customYRadius_ = circled->customYRadius_;
        circleBrush_->Assign(circled->circleBrush_.get());
        emboss_->Assign(circled->emboss_.get());
        SetFrame(circled->frame_.get());
        shadow_->Assign(circled->shadow_.get());
        uniqueCustomRadius_ = circled->uniqueCustomRadius_;
    }
    TChartSeries::CopyAppearance(other);
}

void TCircledSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    (void)index, (void)style;
    backColor = ResolveCircleBackColor();
}

// ---- the circle ----

void TCircledSeries::NormalizeCircleBounds()
{
    TRect& r = CircleBounds;
    if ((r.Right - r.Left) % 2 != 0) --r.Right;
    if ((r.Bottom - r.Top) % 2 != 0) --r.Bottom;
    if (r.Right - r.Left < 4) r.Right = r.Left + 4;
    if (r.Bottom - r.Top < 4) r.Bottom = r.Top + 4;
    CircleSizeX = r.Right - r.Left;
    CircleSizeY = r.Bottom - r.Top;
    CenterX = (r.Left + r.Right) / 2;
    CenterY = (r.Top + r.Bottom) / 2;
}

void TCircledSeries::FitRadii()
{
    if (customXRadius_ != 0) {
        RadiusX = customXRadius_;
        CircleSizeX = 2 * RadiusX;
    } else {
        RadiusX = CircleSizeX / 2;
    }
    if (customYRadius_ != 0) {
        RadiusY = customYRadius_;
        CircleSizeY = 2 * RadiusY;
    } else {
        RadiusY = CircleSizeY / 2;
    }
    CircleBounds = {CenterX - RadiusX, CenterY - RadiusY, CenterX + RadiusX, CenterY + RadiusY};
}

void TCircledSeries::SetCircleBounds(const TRect& rect)
{
    CircleBounds = rect;
    NormalizeCircleBounds();
    FitRadii();
}

double TCircledSeries::ScreenPixelRatio(bool printing)
{
    if (printing) return 1;
    const int height = Screen->Height();
    if (height == 0) return 1;
    const double screen = static_cast<double>(Screen->Width()) / height;
    const int physicalHeight = Screen->PhysicalHeightMM();
    const double device = physicalHeight == 0 ? 0 : static_cast<double>(Screen->PhysicalWidthMM()) / physicalHeight;
    // Without the physical size the pixels are taken as square.
    return device == 0 ? 1 : screen / device;
}

void TCircledSeries::KeepRectRound(int radiusX, int radiusY, double ratio, TRect& rect)
{
    const int d = RoundInt(radiusY * ratio);
    if (d < radiusX) {
        rect.Left += radiusX - d;
        rect.Right -= radiusX - d;
    } else {
        const int e = radiusY - RoundInt(radiusX / ratio);
        rect.Top += e;
        rect.Bottom -= e;
    }
}

void TCircledSeries::ReserveMarksSpace()
{
    TCustomAxisPanel& chart = *ParentChart();
    TSeriesMarks& marks = Marks();
    int length = marks.Callout()->Length();
    if (marks.Pen()->Visible()) length += 2 * marks.Pen()->Width();
    TSeriesMarkPosition probe;
    PrepareMarkShape(marks, " ", probe, 0, 0);
    TRect& r = CircleBounds;
    r.Top += length + probe.Height;
    r.Bottom -= length + probe.Height;
    chart.ApplyFont(*marks.Font());
    const int w = chart.Canvas3D()->TextWidth("W") + chart.WidestMarkWidth() + length;
    r.Left += w;
    r.Right -= w;
    NormalizeCircleBounds();
}

void TCircledSeries::AdoptMarkedSeriesRect()
{
    TCustomAxisPanel& chart = *ParentChart();
    const int mine = chart.IndexOfSeries(this);
    for (int i = 0; i < chart.NumSeries(); ++i) {
        TChartSeries* series = chart.GetSeriesAt(i);
        if (series == this || !series->Active() || !IsSameKind(series) || !series->HasVisibleMarks()) continue;
        auto& lender = static_cast<TCircledSeries&>(*series);
        if (i > mine) lender.BeforeDrawPoints();
        SetCircleBounds(lender.CircleBounds);
        return;
    }
}

void TCircledSeries::BeforeDrawPoints()
{
    TChartSeries::BeforeDrawPoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    CircleBounds = chart->ChartRect();
    NormalizeCircleBounds();
    if (HasVisibleMarks() && MarksShrinkCircle)
        ReserveMarksSpace();
    else
        AdoptMarkedSeriesRect();
    if (circled_) {
        FitRadii();
        KeepRectRound(RadiusX, RadiusY, ScreenPixelRatio(false), CircleBounds);
        NormalizeCircleBounds();
    }
    FitRadii();
}

// ---- polar coordinates ----

TPoint TCircledSeries::PolarToPixel(double angle, double radiusX, double radiusY) const
{
    const double a = angle + RotationRad;
    return {CenterX + RoundInt(std::cos(a) * radiusX), CenterY - RoundInt(std::sin(a) * radiusY)};
}

double TCircledSeries::AngleOfPixel(int x, int y) const
{
    double angle;
    if (x == CenterX)
        angle = y > CenterY ? -std::numbers::pi / 2 : std::numbers::pi / 2;
    else if (RadiusX == 0 || RadiusY == 0)
        angle = 0;
    else
        angle = std::atan2(static_cast<double>(CenterY - y) / RadiusY, static_cast<double>(x - CenterX) / RadiusX);
    return WrapAngle(WrapAngle(angle) - RotationRad);
}

double TCircledSeries::RadiusOfPixel(int x, int y) const
{
    const TChartAxis* axis = GetVertAxis();
    const double m = axis ? axis->Minimum() : 0;
    const double r = axis ? axis->Maximum() - m : 0;
    if (r == 0 || RadiusX == 0 || RadiusY == 0) return 0;
    const double dx = r * (x - CenterX) / RadiusX;
    const double dy = r * (y - CenterY) / RadiusY;
    return m + std::sqrt(dx * dx + dy * dy);
}

// ---- decorations ----

void TCircledSeries::PaintCircleShadow()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || (!shadow_->Visible() && !emboss_->Visible())) return;
    if (chart->View3D() && !chart->View3DOptions()->Orthogonal()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    TRect r{CenterX - CircleSizeX / 2, CenterY - CircleSizeY / 2, CenterX + CircleSizeX / 2, CenterY + CircleSizeY / 2};
    if (chart->View3D()) r = canvas.ProjectedBoundsAtZ(r, DepthRange().end);
    if (shadow_->Visible()) shadow_->DrawEllipse(canvas, r);
    if (emboss_->Visible()) emboss_->DrawEllipse(canvas, r);
}

void TCircledSeries::ShrinkToFrame()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || chart->View3D() || !frame_ || !frame_->Visible()) return;
    shadow_->SetVisible(false);
    frame_->PaintFrame(CircleBounds);
    const int w = RoundInt(frame_->PixelWidth(CircleBounds));
    SetCircleBounds({CircleBounds.Left + w, CircleBounds.Top + w, CircleBounds.Right - w, CircleBounds.Bottom - w});
}
