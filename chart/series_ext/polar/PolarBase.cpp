#include "chart/series_ext/polar/PolarBase.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/canvas/Blend.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/HitTests.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TPolarSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPolarSeriesEditor"; }
};

constexpr double DegToRad = std::numbers::pi / 180;

int RoundInt(double value) { return static_cast<int>(Round(value)); }

// Points come from the chart's canvas; a series without one draws nothing.
TCanvas3D& CanvasOf(const TChartSeries& series) { return *series.ParentChart()->Canvas3D(); }

// Grid, tick and scale pens: clear brush, transparent background, gray when automatic.
void ApplyGridPen(TCanvas3D& canvas, TZebPen& pen)
{
    canvas.SelectPen(pen, pen.Color() == GridAutomaticColor ? static_cast<TColor>(0x808080) : pen.Color());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
}

}  // namespace

TV_PUBLISHED_AS(TCustomCircledSeries, TPolarSeriesClass)
{
    PropColor("CircleBackColor", &TCustomCircledSeries::CircleBackColor, &TCustomCircledSeries::SetCircleBackColor,
              clAutomatic);
    Prop("CircleBrush", &TCustomCircledSeries::CircleBrush, &TCustomCircledSeries::SetCircleBrush);
    Prop("CircleGradient", &TCustomCircledSeries::CircleGradient, &TCustomCircledSeries::SetCircleGradient)
        .Stored(false);
    Prop("CirclePen", &TCustomCircledSeries::CirclePen, &TCustomCircledSeries::SetCirclePen);
    Prop("ColorEachLine", &TCustomCircledSeries::ColorEachLine, &TCustomCircledSeries::SetColorEachLine, true);
    PropEnum("DrawStyle", &TCustomCircledSeries::DrawStyle, &TCustomCircledSeries::SetDrawStyle, dsSegments,
             TCustomSeriesDrawStyleNames);
    Prop("Pointer", &TCustomCircledSeries::Pointer, &TCustomCircledSeries::SetPointer);
    Prop("PointerBehind", &TCustomCircledSeries::PointerBehind, &TCustomCircledSeries::SetPointerBehind, false);
    Prop("RotationAngle", &TCustomCircledSeries::RotationAngle, &TCustomCircledSeries::SetRotationAngle, 0);
    Prop("OnGetPointerStyle", &TCustomCircledSeries::OnGetPointerStyle, &TCustomCircledSeries::SetOnGetPointerStyle);
}

TV_PUBLISHED(TPolarLabels)
{
    Prop("AntiOverlap", &TPolarLabels::AntiOverlap, &TPolarLabels::SetAntiOverlap, true);
    Prop("ClockWise", &TPolarLabels::ClockWise, &TPolarLabels::SetClockWise, false);
    Prop("Curved", &TPolarLabels::Curved, &TPolarLabels::SetCurved, false);
    Prop("Inside", &TPolarLabels::Inside, &TPolarLabels::SetInside, false);
    Prop("Margin", &TPolarLabels::Margin, &TPolarLabels::SetMargin, 3);
    Prop("Rotated", &TPolarLabels::Rotated, &TPolarLabels::SetRotated, false);
}

TV_PUBLISHED_AS(TCustomPolarSeries, TPolarSeriesClass)
{
    Prop("AngleIncrement", &TCustomPolarSeries::AngleIncrement, &TCustomPolarSeries::SetAngleIncrement)
        .NoDefault()
        .Stored(&TCustomPolarSeries::IsAngleIncrementStored);
    Prop("AngleLabels", &TCustomPolarSeries::AngleLabels, &TCustomPolarSeries::SetAngleLabels);
    Prop("CircleLabels", &TCustomPolarSeries::CircleLabels, &TCustomPolarSeries::SetCircleLabels).Stored(false);
    Prop("CircleLabelsFont", &TCustomPolarSeries::CircleLabelsFont, &TCustomPolarSeries::SetCircleLabelsFont)
        .Stored(false);
    Prop("CircleLabelsInside", &TCustomPolarSeries::CircleLabelsInside, &TCustomPolarSeries::SetCircleLabelsInside)
        .Stored(false);
    Prop("CircleLabelsRotated", &TCustomPolarSeries::CircleLabelsRotated,
         &TCustomPolarSeries::SetCircleLabelsRotated)
        .Stored(false);
    Prop("ClockWiseLabels", &TCustomPolarSeries::ClockWiseLabels, &TCustomPolarSeries::SetClockWiseLabels)
        .Stored(false);
    Prop("CloseCircle", &TCustomPolarSeries::CloseCircle, &TCustomPolarSeries::SetCloseCircle, true);
    Prop("LabelsMargin", &TCustomPolarSeries::LabelsMargin, &TCustomPolarSeries::SetLabelsMargin).Stored(false);
    Prop("RadiusIncrement", &TCustomPolarSeries::RadiusIncrement, &TCustomPolarSeries::SetRadiusIncrement)
        .NoDefault();
    Prop("RadiusValues", &TCustomPolarSeries::RadiusValues, &TCustomPolarSeries::SetRadiusValues)
        .Stored(&TCustomPolarSeries::IsRadiusValuesStored);
    Prop("OnGetCircleLabel", &TCustomPolarSeries::OnGetCircleLabel, &TCustomPolarSeries::SetOnGetCircleLabel);
}

// ---- circled series with lines and pointers ----

TCustomCircledSeries::TCustomCircledSeries(TComponent* owner)
    : TCircledSeries(owner), circlePen_(CreatePen()), pointer_(std::make_unique<TSeriesPointer>(this))
{
    Brush()->InitColor(clAutomatic);  // a colour makes a brush solid: the style comes after
    Brush()->SetStyle(bsClear);
}

TCustomCircledSeries::~TCustomCircledSeries() = default;

void TCustomCircledSeries::SetCirclePen(TZebPen* value) { circlePen_->Assign(value); }

void TCustomCircledSeries::SetPointer(TSeriesPointer* value) { pointer_->Assign(value); }

void TCustomCircledSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustomCircledSeries*>(other)) {
        circlePen_->Assign(s->circlePen_.get());
        colorEachLine_ = s->colorEachLine_;
        drawStyle_ = s->drawStyle_;
        pointer_->Assign(s->pointer_.get());
        pointerBehind_ = s->pointerBehind_;
    }
    TCircledSeries::CopyAppearance(other);
    if (Brush()->Style() == bsClear) Pen()->SetVisible(true);
}

void TCustomCircledSeries::SetParentChart(TCustomAxisPanel* value)
{
    const bool joining = value && value != ParentChart();
    TCircledSeries::SetParentChart(value);
    pointer_->SetParentPanel(value);
    // A series put on a chart at design time turns the chart flat; a loaded one keeps its view.
    if (joining && IsDesigning() && !IsLoading()) value->SetView3D(false);
}

void TCustomCircledSeries::SetSeriesColor(TColor value)
{
    TCircledSeries::SetSeriesColor(value);
    if (Brush()->Style() == bsClear) Pen()->SetColor(value);
}

void TCustomCircledSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCircledSeries::MeasureHorizMargins(left, right);
    pointer_->WidenHorizMargins(left, right);
}

void TCustomCircledSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCircledSeries::MeasureVertMargins(top, bottom);
    pointer_->WidenVertMargins(top, bottom);
}

void TCustomCircledSeries::FitRadii()
{
    TCircledSeries::FitRadii();
    const int h = circlePen_->HalfWidth();
    InnerXRadius = RadiusX - h;
    InnerYRadius = RadiusY - h;
    if (pointer_->Visible() && pointer_->InflateMargins()) {
        InnerXRadius -= pointer_->HorizSize();
        InnerYRadius -= pointer_->VertSize();
    }
}

TColor TCustomCircledSeries::ResolvedPointColor(int index) const
{
    const TColor c = GetPointColor(index);
    if (c != clNullPoint || TreatNulls() != tnIgnore) return c;
    if (ColorEachPoint() && ParentChart()) return ParentChart()->PaletteColor(index);
    return SeriesColor();
}

TSeriesPointerStyle TCustomCircledSeries::pointerStyleOf(int index) const
{
    if (onGetPointerStyle_) return onGetPointerStyle_(const_cast<TCustomCircledSeries*>(this), index);
    return pointer_->Style();
}

void TCustomCircledSeries::drawPointers(bool behind)
{
    if (!pointer_->Visible() || behind != pointerBehind_) return;
    TCanvas3D& canvas = CanvasOf(*this);
    const int first = std::min(FirstDrawnIndex(), LastDrawnIndex());
    const int last = std::max(FirstDrawnIndex(), LastDrawnIndex());
    for (int i = first; i <= last; ++i) {
        if (!IsPointUsable(i)) continue;
        TColor color = ResolvedPointColor(i);
        if (pointer_->Brush()->Color() != clAutomatic && pointer_->Brush()->Color() != clDefault)
            color = pointer_->Brush()->Color();
        pointer_->SetupCanvas(canvas, color);
        ApplyHoverPen(i);
        pointer_->DrawStyled(PointScreenX(i), PointScreenY(i), pointerStyleOf(i), color);
    }
}

void TCustomCircledSeries::ApplyLinePen(int index)
{
    TCanvas3D& canvas = CanvasOf(*this);
    TZebPen& pen = *Pen();
    if (!pen.Visible()) {
        canvas.Pen()->SetStyle(psClear);
        return;
    }
    TColor color = pen.Color();
    if (index == -1 || color == clAutomatic || color == clDefault)
        color = SeriesColor();
    else if (ColorEachPoint() && colorEachLine_)
        color = ResolvedPointColor(index);
    if (index != -1 && ColorEachPoint() && colorEachLine_) color = ResolvedPointColor(index);
    canvas.SelectPen(pen, color);
    canvas.SetBackgroundMode(TRANSPARENT);
    // A closed run of lines is filled with the brush of the moment on antialiased canvases.
    canvas.Brush()->SetStyle(bsClear);
}

// ---- angle labels ----

TPolarLabels::TPolarLabels(TCustomPolarSeries* series) : series_(series)
{
    PresetTransparent(true);
    PresetVisible(false);
}

void TPolarLabels::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TPolarLabels*>(source)) {
        antiOverlap_ = s->antiOverlap_;
        clockWise_ = s->clockWise_;
        curved_ = s->curved_;
        inside_ = s->inside_;
        margin_ = s->margin_;
        rotated_ = s->rotated_;
    }
    TZebShape::Assign(source);
}

template <class T>
void TPolarLabels::change(T& field, T value)
{
    if (AssignIfChanged(field, value) && series_) series_->InvalidateChart();
}

void TPolarLabels::SetClockWise(bool value)
{
    if (clockWise_ == value) return;
    clockWise_ = value;
    if (!series_) return;
    if (!series_->IsLoading()) {
        TChartValueList& angles = *series_->GetAngleValues();
        for (int i = 0; i < angles.Count(); ++i) angles.SetValueAt(i, 360 - angles.ValueAt(i));
    }
    series_->InvalidateChart();
}

// ---- polar series ----

TCustomPolarSeries::TCustomPolarSeries(TComponent* owner)
    : TCustomCircledSeries(owner), angleLabels_(std::make_unique<TPolarLabels>(this))
{
    Shadow()->InitDefaults(false, static_cast<TColor>(0xA0A0A0), 3);
    YValues()->SetName("Radius");
    ConvertsZoomRectangle = true;
}

TCustomPolarSeries::~TCustomPolarSeries() = default;

void TCustomPolarSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomPolarSeries*>(source)) closeCircle_ = s->closeCircle_;
    TCustomCircledSeries::Assign(source);
}

void TCustomPolarSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustomPolarSeries*>(other)) angleLabels_->Assign(s->angleLabels_.get());
    TCustomCircledSeries::CopyAppearance(other);
}

void TCustomPolarSeries::SetParentChart(TCustomAxisPanel* value)
{
    TCustomCircledSeries::SetParentChart(value);
    angleLabels_->SetParentPanel(value);
}

double TCustomPolarSeries::AngleIncrement() const
{
    const TChartAxis* axis = GetHorizAxis();
    const double step = axis ? axis->Increment() : 0;
    return step == 0 ? 10 : step;
}

void TCustomPolarSeries::SetAngleIncrement(double value)
{
    if (TChartAxis* axis = GetHorizAxis()) axis->SetIncrement(value);
}

// The 10 read for an axis increment of 0 is not stored: loading it would give the axis one.
bool TCustomPolarSeries::IsAngleIncrementStored() const
{
    const TChartAxis* axis = GetHorizAxis();
    return axis && axis->Increment() != 0;
}

double TCustomPolarSeries::RadiusIncrement() const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->Increment() : 0;
}

void TCustomPolarSeries::SetRadiusIncrement(double value)
{
    if (TChartAxis* axis = GetVertAxis()) axis->SetIncrement(value);
}

bool TCustomPolarSeries::IsRadiusValuesStored() const
{
    const TChartValueList& list = *YValues();
    return list.Name() != "Radius" || list.DateTime() || list.Order() != loNone || !list.ValueSource().empty();
}

void TCustomPolarSeries::SetPointAngle(int index, double angle)
{
    XValues()->SetValueAt(index, angle);
    InvalidateChart();
}

String TCustomPolarSeries::GetAngleLabel(int index, double angle) const
{
    (void)index;
    double a = angleLabels_->ClockWise() ? 360 - angle : angle;
    if (a == 360) a = 0;
    return FloatToStrF(a, ffGeneral, 15, 0) + TxtDegreeSymbol;
}

// ---- geometry ----

TPoint TCustomPolarSeries::CalcXYPos(double r, const TChartAxis& axis, double value, double angle) const
{
    const double lo = axis.Minimum(), hi = axis.Maximum();
    const double d = hi - lo;
    const double f = axis.Inverted() ? hi - value : value - lo;
    const double rad = angle * DegToRad;
    if (d == 0 || f < 0 || (axis.Logarithmic() && (f <= 0 || value <= 0))) return {CenterX, CenterY};
    double pixels;
    if (axis.Logarithmic()) {
        const double lmax = std::log(hi), lmin = lo > 0 ? std::log(lo) : 0;
        if (lmax == lmin) return {CenterX, CenterY};
        pixels = axis.Inverted() ? Round((lmax - std::log(value)) * r / (lmax - lmin))
                                 : Round((std::log(value) - lmin) * r / (lmax - lmin));
    } else {
        pixels = f * r / d;
    }
    return PolarToPixel(rad, pixels, pixels);
}

TPoint TCustomPolarSeries::ValueToRadii(double value) const
{
    const TChartAxis* axis = GetVertAxis();
    if (!axis || axis->Maximum() == axis->Minimum()) return {0, 0};
    const double t = (value - axis->Minimum()) / (axis->Maximum() - axis->Minimum());
    return {RoundInt(InnerXRadius * t), RoundInt(InnerYRadius * t)};
}

int TCustomPolarSeries::PointScreenX(int index) const
{
    return CalcXYPos(InnerXRadius, *GetVertAxis(), YValues()->ValueAt(index), GetPointX(index)).X;
}

int TCustomPolarSeries::PointScreenY(int index) const
{
    return CalcXYPos(InnerYRadius, *GetVertAxis(), YValues()->ValueAt(index), GetPointX(index)).Y;
}

void TCustomPolarSeries::MovePoint(int x, int y, int index, bool changeAngle, bool changeRadius)
{
    if (changeAngle) XValues()->SetValueAt(index, AngleOfPixel(x, y) * 180 / std::numbers::pi);
    if (changeRadius) YValues()->SetValueAt(index, RadiusOfPixel(x, y));
    InvalidateChart();
}

// ---- the shared frame ----

bool TCustomPolarSeries::IsFirstOfClass() const
{
    for (const TChartSeries* series : ParentChart()->SeriesList())
        if (series->Active() && series->InheritsFrom(ClassType())) return series == this;
    return true;
}

bool TCustomPolarSeries::lastOfClass() const
{
    const auto& list = ParentChart()->SeriesList();
    const auto mine = std::find(list.begin(), list.end(), this);
    return std::none_of(mine + 1, list.end(), [&](const TChartSeries* s) { return s->InheritsFrom(ClassType()); });
}

bool TCustomPolarSeries::AxesBehind() const
{
    const TCustomAxisPanel& chart = *ParentChart();
    bool behind = chart.AxisBehind();
    if (chart.View3D() && !chart.View3DOptions()->Orthogonal() && !chart.IsPlaneFacing(chart.Depth3D()))
        behind = !behind;
    return behind;
}

bool TCustomPolarSeries::reserveAngleLabelSpace()
{
    if (!angleLabels_->Visible()) return false;
    if (angleLabels_->Inside()) return true;
    TCustomAxisPanel& chart = *ParentChart();
    chart.ApplyFont(*angleLabels_->Font());
    TCanvas3D& canvas = *chart.Canvas3D();
    const int w = canvas.TextWidth("360");
    TRect r = chart.ChartRect();
    if (r.Right - r.Left < 3 * w) return false;
    const int h = angleLabels_->Rotated() ? w : canvas.StandardTextHeight() + 2;
    chart.SetChartRect({r.Left + w, r.Top + h, r.Right - w, r.Bottom - h});
    return true;
}

void TCustomPolarSeries::BeforeDrawPoints()
{
    TCustomAxisPanel& chart = *ParentChart();
    const int h = CirclePen()->HalfWidth();
    const TRect r = chart.ChartRect();
    chart.SetChartRect({r.Left + h, r.Top + h, r.Right - h, r.Bottom - h});
    TCustomCircledSeries::BeforeDrawPoints();
    const bool first = IsFirstOfClass();
    ShowAngleLabels = true;
    if (first) ShowAngleLabels = reserveAngleLabelSpace();
    TCustomCircledSeries::BeforeDrawPoints();
    if (!first) return;
    ShrinkToFrame();
    drawCircleBackground();
    if (AxesBehind()) DrawPolarAxes();
}

void TCustomPolarSeries::drawCircleBackground()
{
    TCustomAxisPanel& chart = *ParentChart();
    PaintCircleShadow();
    TCanvas3D& canvas = *chart.Canvas3D();
    chart.AssignCanvasBrush(*CircleBrush(), ResolveCircleBackColor(), ResolveCircleBackColor());
    canvas.UsePen(*CirclePen());
    DrawGridRing(CircleSizeX / 2, CircleSizeY / 2, DepthRange().end);
}

void TCustomPolarSeries::DrawGridRing(int rx, int ry, int z)
{
    TCanvas3D& canvas = CanvasOf(*this);
    if (SideCount == 0) {
        canvas.EllipseAtZ(CenterX - rx, CenterY - ry, CenterX + rx, CenterY + ry, z);
        return;
    }
    const double s = AngleIncrement() * DegToRad;
    std::vector<TPoint> points;
    for (int i = 0; i <= SideCount; ++i) points.push_back(PolarToPixel(i * s, rx, ry));
    if (canvas.Brush()->Style() != bsClear) {
        // Seams between antialiased triangles of the fan would show.
        const TPenStyle style = canvas.Pen()->Style();
        const bool smooth = canvas.IsSmoothingOn();
        canvas.Pen()->SetStyle(psClear);
        canvas.SetSmoothingOn(false);
        for (size_t i = 1; i < points.size(); ++i) canvas.TriangleAtZ({CenterX, CenterY}, points[i - 1], points[i], z);
        canvas.SetSmoothingOn(smooth);
        canvas.Pen()->SetStyle(style);
    }
    // The outline fills nothing, whatever an antialiased canvas makes of the closed run.
    canvas.Brush()->SetStyle(bsClear);
    canvas.MoveToXYZ(points.front().X, points.front().Y, z);
    for (const TPoint& p : points) canvas.LineToXYZ(p.X, p.Y, z);
}

void TCustomPolarSeries::DrawPolarAxes()
{
    TCustomAxisPanel& chart = *ParentChart();
    chart.FireBeforeDrawAxes();
    drawAngleGrid(InnerXRadius, InnerYRadius);
    if (!chart.AxisVisible()) return;
    drawRadiusGrid();
    drawRadiusScales();
}

int TCustomPolarSeries::AngleLabelStride(double step, int textHeight) const
{
    if (!angleLabels_->AntiOverlap()) return 1;
    const int hgt = std::max(2, textHeight);
    const int c = std::max(1, RoundInt(static_cast<double>(CircleSizeY) / hgt));
    const int e = RoundInt(180 / step);
    return c < e ? std::max(1, e / c) : 1;
}

void TCustomPolarSeries::drawAngleGrid(int rx, int ry)
{
    TCustomAxisPanel& chart = *ParentChart();
    TChartAxis& axis = *GetHorizAxis();
    if (!axis.Visible() && !CircleLabels()) return;
    double step = axis.Increment();
    if (step <= 0) step = 10;
    TCanvas3D& canvas = *chart.Canvas3D();
    const int z = DepthRange().end;
    int sx = rx, sy = ry;
    if (Pointer()->Visible() && Pointer()->InflateMargins()) sx += Pointer()->HorizSize(), sy += Pointer()->VertSize();
    if (axis.Grid()->Visible()) {
        ApplyGridPen(canvas, *axis.Grid());
        for (double a = 0; a < 360; a += step) {
            const TPoint p = PolarToPixel(a * DegToRad, sx, sy);
            canvas.MoveToXYZ(CenterX, CenterY, z);
            canvas.LineToXYZ(p.X, p.Y, z);
        }
    }
    if (SideCount == 0 && axis.MinorTicks()->Visible() && axis.MinorTickCount() > 0)
        drawAngleTicks(*axis.MinorTicks(), axis.MinorTickCount(), axis.MinorTickLength(),
                       step / (axis.MinorTickCount() + 1), step, rx, ry);
    if (axis.Ticks()->Visible()) drawAngleTicks(*axis.Ticks(), 1, axis.TickLength(), step, step, rx, ry);
    if (!ShowAngleLabels) return;
    chart.ApplyFont(*angleLabels_->Font());
    const int k = AngleLabelStride(step, canvas.StandardTextHeight());
    for (int i = 0; i * step < 360; ++i)
        if (i % k == 0) drawAngleLabel(i, i * step);
}

void TCustomPolarSeries::drawAngleTicks(TZebPen& pen, int count, int length, double spacing, double step, int rx,
                                        int ry)
{
    TCanvas3D& canvas = CanvasOf(*this);
    ApplyGridPen(canvas, pen);
    const int z = DepthRange().end;
    const double inner = 1 - length / 100.0;
    for (double a = 0; a < 360; a += step)
        for (int j = 1; j <= count; ++j) {
            const double t = (a + spacing * j) * DegToRad;
            const TPoint p = PolarToPixel(t, inner * rx, inner * ry);
            const TPoint q = PolarToPixel(t, rx, ry);
            canvas.MoveToXYZ(p.X, p.Y, z);
            canvas.LineToXYZ(q.X, q.Y, z);
        }
}

void TCustomPolarSeries::drawRadiusGrid()
{
    TChartAxis& axis = *GetVertAxis();
    if (!axis.Grid()->Visible()) return;
    const double s = axis.ComputeLabelStep();
    if (s <= 0) return;
    TCanvas3D& canvas = CanvasOf(*this);
    ApplyGridPen(canvas, *axis.Grid());
    const double lo = axis.Minimum(), hi = axis.Maximum();
    double v = hi / s;
    if (std::abs(v) >= 2147483647 || std::abs((hi - lo) / s) >= 10000) return;
    v = axis.RoundFirstLabel() ? std::trunc(v) * s : hi;
    const auto ring = [&](double value) {
        canvas.Brush()->SetStyle(bsClear);
        const TPoint r = ValueToRadii(value);
        DrawGridRing(r.X, r.Y, DepthRange().end);
    };
    if (axis.LabelsOnAxis()) {
        while (v > hi) v -= s;
        for (; v >= lo; v -= s) ring(v);
    } else {
        while (v >= hi) v -= s;
        for (; v > lo; v -= s) ring(v);
    }
}

void TCustomPolarSeries::drawRadiusScales()
{
    TCustomAxisPanel& chart = *ParentChart();
    TChartAxis& vert = *GetVertAxis();
    TChartAxis& horiz = *GetHorizAxis();
    const auto scale = [&](TChartAxis& axis, bool invert, int from, int to, int line) {
        if (!axis.Visible()) return;
        const bool inverted = axis.Inverted();
        if (invert) axis.StoreInverted(!inverted);
        TChartAxis::TTemporaryRange range;
        range.Increment = vert.Increment();
        range.Minimum = vert.Minimum();
        range.Maximum = vert.Maximum();
        range.Start = from;
        range.End = to;
        range.Position = line;
        range.Grid = false;
        try {
            axis.PaintWithTemporaryRange(range);
        } catch (...) {
            axis.StoreInverted(inverted);
            throw;
        }
        axis.StoreInverted(inverted);
    };
    TChartAxis& right = *chart.RightAxis();
    if (SideCount > 0) right.StoreInverted(vert.Inverted());
    right.StoreLogarithmic(vert.Logarithmic());
    const int off = right.TickZoneSize(true);
    scale(right, false, CenterY - InnerYRadius, CenterY, CenterX + off);
    if (SideCount > 0) return;
    TChartAxis& left = *chart.LeftAxis();
    TChartAxis& top = *chart.TopAxis();
    TChartAxis& bottom = *chart.BottomAxis();
    if (&left != &vert) left.StoreLogarithmic(horiz.Logarithmic());
    top.StoreLogarithmic(horiz.Logarithmic());
    bottom.StoreLogarithmic(horiz.Logarithmic());
    scale(left, true, CenterY, CenterY + InnerYRadius, CenterX - left.TickZoneSize(true));
    scale(top, true, CenterX - InnerXRadius, CenterX, CenterY - top.TickZoneSize(true));
    scale(bottom, false, CenterX, CenterX + InnerXRadius, CenterY + bottom.TickZoneSize(true));
}

void TCustomPolarSeries::drawAngleLabel(int index, double angle)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const int h = canvas.StandardTextHeight();
    if (angle >= 360) angle -= 360;
    String text = GetAngleLabel(index, angle);
    if (onGetCircleLabel_) onGetCircleLabel_(this, angle, index, text);
    int rx, ry, m;
    if (angleLabels_->Inside()) {
        rx = InnerXRadius - canvas.TextWidth("   ");
        ry = InnerYRadius - h;
        m = -angleLabels_->Margin();
    } else {
        const int p = CirclePen()->HalfWidth();
        rx = RadiusX + p;
        ry = RadiusY + p;
        m = angleLabels_->Margin();
    }
    rx += RoundInt(rx * m / 100.0);
    ry += RoundInt(ry * m / 100.0);
    TPoint p = PolarToPixel(angle * DegToRad, rx, ry);
    double b = angle + RotationAngle();
    const int z = DepthRange().end;
    if (angleLabels_->Rotated()) {
        const int sg = b > 90 && b < 270 ? 1 : -1;
        p.X += sg * RoundInt(std::sin(b * DegToRad) * h / 2);
        p.Y += sg * RoundInt(std::cos(b * DegToRad) * h / 2);
    }
    if (b >= 360) b -= 360;
    // A canvas path that gives no point data (and this one draws them straight) leaves curved
    // labels straight rather than out.
    if (angleLabels_->Rotated()) {
        if (b > 90 && b < 270) {
            canvas.SetTextAlignment(TA_RIGHT);
            b += 180;
        } else {
            canvas.SetTextAlignment(TA_LEFT);
        }
        canvas.RotatedTextXYZ(p.X, p.Y, z, text, b);
        return;
    }
    if (b == 0 || b == 180)
        p.Y -= h / 2;
    else if (b > 0 && b < 180)
        p.Y -= h;
    TTextAlign align;
    if (b == 90 || b == 270)
        align = TA_CENTER;
    else if (angleLabels_->Inside())
        align = b > 90 && b < 270 ? TA_LEFT : TA_RIGHT;
    else
        align = b > 90 && b < 270 ? TA_RIGHT : TA_LEFT;
    const int w = canvas.TextWidth(text);
    if (!angleLabels_->Transparent()) {
        int px = RoundInt(h * 0.1), py = RoundInt(h * 0.04);
        if (angleLabels_->Pen()->Visible()) px += angleLabels_->Pen()->Width() / 2, py += angleLabels_->Pen()->Width() / 2;
        TRect r{p.X - px, p.Y - py, p.X + w + px, p.Y + h + py};
        if (align == TA_CENTER) r.Left = p.X - w / 2 - px, r.Right = p.X + w / 2 + px;
        if (align == TA_RIGHT) r.Left = p.X - w - px, r.Right = p.X + px;
        angleLabels_->DrawInRect(r, 0, z);
        chart.ApplyFont(*angleLabels_->Font());
    }
    canvas.SetTextAlignment(align);
    canvas.PlainTextXYZ(p.X, p.Y, z, text);
}

// ---- points ----

void TCustomPolarSeries::DrawVisiblePoints()
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    TZebBlend* blend = Transparency() > 0 && canvas.SupportsAlpha() ? canvas.StartBlend({}, Transparency()) : nullptr;
    drawPointers(true);
    const bool flat = !chart.View3D() || chart.View3DOptions()->Orthogonal();
    if ((ColorEachPoint() && ColorEachLine()) || DrawStyle() == dsSegments || !flat)
        TCustomCircledSeries::DrawVisiblePoints();
    else
        DrawOutlineAll();
    drawPointers(false);
    if (blend) canvas.FinishBlend(blend);
}

void TCustomPolarSeries::DrawOutlineAll()
{
    std::vector<TPoint> points;
    for (int i = FirstDrawnIndex(); i <= LastDrawnIndex(); ++i)
        if (IsPointUsable(i)) points.push_back({PointScreenX(i), PointScreenY(i)});
    if (points.empty()) return;
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    ApplyLinePen(-1);
    const bool clear = Brush()->Style() == bsClear;
    if (clear)
        canvas.Brush()->SetStyle(bsClear);
    else
        chart.AssignCanvasBrush(*Brush(), Brush()->Color() == clAutomatic ? SeriesColor() : Brush()->Color(),
                                chart.GetBackgroundColor());
    const int z = DepthRange().middle;
    if (DrawStyle() == dsCurve) {
        canvas.PolylineOrPolygon(points, 0.5f, IsOutlineClosed());
    } else if (clear) {
        if (IsOutlineClosed()) points.push_back(points.front());
        canvas.PolylineAtZ(points, z);
    } else {
        canvas.PolygonAtZ(points, z);
    }
}

void TCustomPolarSeries::DrawPoint(int index)
{
    TCanvas3D& canvas = CanvasOf(*this);
    if (IsPointUsable(index)) {
        const int x = PointScreenX(index), y = PointScreenY(index);
        ApplyLinePen(index);
        DrawPolarPoint(index, x, y);
        LastPoint = {x, y};
    } else if (TreatNulls() == tnDontPaint) {
        const int next = index + 1 < Count() ? index + 1 : 0;
        LastPoint = {PointScreenX(next), PointScreenY(next)};
        canvas.MoveToXYZ(LastPoint.X, LastPoint.Y, DepthRange().start);
    }
}

void TCustomPolarSeries::DrawPolarPoint(int index, int x, int y)
{
    TCanvas3D& canvas = CanvasOf(*this);
    const int z = DepthRange().start;
    if (index == FirstDrawnIndex()) {
        canvas.MoveToXYZ(x, y, z);
        return;
    }
    if (TPoint{x, y} != LastPoint) {
        FillSector(index, LastPoint, {x, y});
        canvas.MoveToXYZ(LastPoint.X, LastPoint.Y, z);
        canvas.LineToXYZ(x, y, z);
    }
    if (index == LastDrawnIndex() && CloseCircle()) {
        const int first = FirstDrawnIndex();
        const TPoint start{PointScreenX(first), PointScreenY(first)};
        if (ColorEachPoint() && Brush()->Style() != bsClear) ApplyLinePen(first);
        LastPoint = {x, y};
        FillSector(index, {x, y}, start);
        canvas.MoveToXYZ(x, y, z);
        canvas.LineToXYZ(start.X, start.Y, z);
    }
}

void TCustomPolarSeries::FillSector(int index, TPoint from, TPoint to)
{
    if (Brush()->Style() == bsClear) return;
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    chart.AssignCanvasBrush(*Brush(), ResolvedPointColor(index), chart.GetBackgroundColor());
    const int z = DepthRange().start;
    const TPenStyle style = canvas.Pen()->Style();
    canvas.Pen()->SetStyle(psClear);
    TZebBlend* blend = nullptr;
    if (Transparency() > 0 && !canvas.SupportsAlpha()) {
        const int l = std::min({CenterX, from.X, to.X}), r = std::max({CenterX, from.X, to.X});
        const int t = std::min({CenterY, from.Y, to.Y}), b = std::max({CenterY, from.Y, to.Y});
        blend = canvas.StartBlend(canvas.ProjectRectAtZ({l, t, r + 1, b + 1}, z), Transparency());
    }
    canvas.TriangleAtZ({CenterX, CenterY}, from, to, z);
    if (blend) canvas.FinishBlend(blend);
    canvas.Pen()->SetStyle(style);
    ApplyLinePen(index);
}

void TCustomPolarSeries::AfterDrawPoints()
{
    if (!AxesBehind() && lastOfClass()) DrawPolarAxes();
    TCustomCircledSeries::AfterDrawPoints();
}

// ---- hits and legend ----

bool TCustomPolarSeries::inSector(TPoint p, TPoint q, int x, int y) const
{
    const TPoint m{x, y};
    return (Brush()->Style() != bsClear && IsInsideTriangle(m, {CenterX, CenterY}, p, q)) ||
           (Pen()->Visible() && IsOnSegment(m, p, q));
}

int TCustomPolarSeries::HitTest(int x, int y)
{
    const int base = TCustomCircledSeries::HitTest(x, y);
    if (base != -1) return base;
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first == -1 || last < first) return -1;
    TCustomAxisPanel& chart = *ParentChart();
    TPoint m{x, y};
    chart.Canvas3D()->UnprojectXY(m.X, m.Y, DepthRange().start);
    TPoint previous{}, c{};
    for (int i = first; i <= last; ++i) {
        c = {PointScreenX(i), PointScreenY(i)};
        if (c == m) return i;
        if (Pointer()->Visible() && std::abs(c.X - m.X) < Pointer()->HorizSize() &&
            std::abs(c.Y - m.Y) < Pointer()->VertSize())
            return i;
        if (i > first && inSector(previous, c, m.X, m.Y)) return i - 1;
        previous = c;
    }
    if (CloseCircle() && last > first) {
        previous = {PointScreenX(first), PointScreenY(first)};
        if (inSector(previous, c, m.X, m.Y)) return last;
    }
    return -1;
}

void TCustomPolarSeries::FillLegendSymbol(int index, const TRect& rect)
{
    TCanvas3D& canvas = CanvasOf(*this);
    const auto legendPointer = [&](bool behind) {
        TSeriesPointer& pointer = *Pointer();
        if (!pointer.Visible() || behind != PointerBehind()) return;
        TColor color = index == -1 ? SeriesColor() : ResolvedPointColor(index);
        const TColor own = pointer.Brush()->Color();
        if (color != clNullPoint && own != clAutomatic && own != clDefault) color = own;
        TSeriesPointerStyle style = pointer.Style();
        if (index != -1 && OnGetPointerStyle()) {
            pointer.Brush()->SetColor(color);
            style = OnGetPointerStyle()(this, index);
            color = pointer.Brush()->Color();
        }
        PaintPointerLegendSymbol(pointer, color, rect, style, pointer.Pen()->Visible());
        pointer.Brush()->SetColor(own);
    };
    legendPointer(true);
    if (Pen()->Visible()) {
        ApplyLinePen(index);
        canvas.Pen()->SetWidth(std::min(canvas.Pen()->Width(), rect.Bottom - rect.Top));
        const int y = (rect.Top + rect.Bottom) / 2;
        canvas.MoveTo(rect.Left, y);
        canvas.LineTo(rect.Right, y);
    }
    if (Pointer()->Visible())
        legendPointer(false);
    else if (!Pen()->Visible())
        TCustomCircledSeries::FillLegendSymbol(index, rect);
}

// ---- gallery and samples ----

void TCustomPolarSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomCircledSeries::ListGalleryStyles(add);
    for (const char* name : {"No Point", "No Line", "Filled", "Labels", "No Border", "No Circle"}) add(name);
}

void TCustomPolarSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: Pointer()->SetVisible(false); break;
    case 2: Pen()->SetVisible(false); break;
    case 3: Brush()->SetStyle(bsSolid); break;
    case 4: SetCircleLabels(true); break;
    case 5: Pointer()->Pen()->SetVisible(false); break;
    case 6: CirclePen()->SetVisible(false); break;
    default: TCustomCircledSeries::ApplyGalleryStyle(index);
    }
}

void TCustomPolarSeries::SetupGalleryPreview()
{
    TCustomCircledSeries::SetupGalleryPreview();
    SetCircled(true);
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    GetHorizAxis()->SetIncrement(90);
    chart->SetChart3DPercent(5);
    chart->RightAxis()->SetLabels(false);
    chart->TopAxis()->SetLabels(false);
    chart->View3DOptions()->SetOrthogonal(false);
    chart->View3DOptions()->SetElevation(360);
    chart->View3DOptions()->SetZoom(90);
}

void TCustomPolarSeries::AddRandomPoints(int count, bool valuesOnly)
{
    (void)valuesOnly;
    for (int i = 1; i <= count; ++i) InsertXY(360.0 / count * i, RandomInt(1000) + 1);
}
