// The chart frame: background, surroundings, axis layout and ranges, walls, axes and series with
// their marks, the tools' stages and the draw events, in that order. Every state a frame switches
// for its duration is a scope guard, so a throwing event handler, tool or series leaves auto-repaint
// on and no clip or element open.
#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTools.h"
#include "chart/core/DrawGuards.h"

void TCustomAxisPanel::DrawChart(const TRect& rect)
{
    TAutoRepaintOff pause(*this);
    TCanvas3D& canvas = *Canvas3D();
    const bool true3D = canvas.IsTrue3D();
    const TView3DOptions& view = *View3DOptions();
    PointOrderMirrored = View3D() && (view.Orthogonal() ? view.OrthoAngle() > 90 : view.Rotation() < 180);
    if (!true3D) PaintPanelBackground(rect);
    TDrawingStateReset resetState(canvas);
    ToolsDrawStage(cdsStart);
    FireBeforeDrawChart();
    for (TChartSeries* series : SeriesList())
        if (series->Active()) series->PrepareDraw();
    if (true3D) {
        assignZSlots();
        FitPlotTo3D();
        canvas.SetupProjection(Depth3D(), PanelBounds(), ChartRect());
        PaintPanelBackground(rect);
    }
    DrawSurroundings(true);
    if (!true3D) {
        assignZSlots();
        FitPlotTo3D();
    }
    for (TChartSeries* series : SeriesList())
        if (series->Active()) series->AdjustChartLayout();
    layoutAxes();
    for (TChartSeries* series : SeriesList())
        if (series->Active()) series->SetDepthRange(series->ComputeDepthRange());
    ApplyAxisMargins();
    if (!true3D) canvas.SetupProjection(Depth3D(), PanelBounds(), ChartRect());
    DrawWallsAxesSeries();
    DrawSurroundings(false);
    if (Zoom()->Active()) PaintZoomFrame();
    ToolsDrawStage(cdsEnd);
    resetState.Reset();
    FireAfterDraw();
}

void TCustomAxisPanel::assignZSlots()
{
    SeriesZSlotMax = 0;
    const auto takesSlot = [](const TChartSeries* s) { return s->Active() && !s->Internal(); };
    if (View3D()) {
        ResetZSlots();
        for (TChartSeries* series : SeriesList())
            if (takesSlot(series)) series->ReserveZSlot();
    }
    // The first series takes the deepest slot, unless the depth axis is inverted.
    if (DepthAxis()->Inverted()) return;
    for (TChartSeries* series : SeriesList())
        if (takesSlot(series)) series->SetZSlot(View3D() ? SeriesZSlotMax - series->GetZSlot() : 0);
}

int TCustomAxisPanel::Compute3DSize()
{
    if (!View3D()) {
        SeriesWidth3D = SeriesHeight3D = Height3D = 0;
        SetDepth3D(0);
        return 0;
    }
    const TView3DOptions& view = *View3DOptions();
    const int slots = std::max(1, SeriesZSlotMax + 1);
    double f = Chart3DPercent() * 0.001;
    if (!view.Orthogonal()) f *= 2;
    SeriesWidth3D = RoundHalfEven(ChartWidth() * f);
    const double slope = view.GetOrthoSlope();
    if (slope > 1) SeriesWidth3D = RoundHalfEven(SeriesWidth3D / slope);
    SeriesHeight3D = RoundHalfEven(SeriesWidth3D * slope);
    Height3D = SeriesHeight3D * slots;
    SetDepth3D(SeriesWidth3D * slots);
    return Depth3D();
}

namespace {

// Takes amount off the side of rect where axis stands.
void ShrinkAtAxis(TRect& rect, const TChartAxis& axis, int amount)
{
    if (axis.Horizontal())
        (axis.OtherSide() ? rect.Top : rect.Bottom) += axis.OtherSide() ? amount : -amount;
    else
        (axis.OtherSide() ? rect.Right : rect.Left) += axis.OtherSide() ? -amount : amount;
}

void CollectShown(const TChartAxis& axis, std::vector<const TChartAxis*>& shown)
{
    shown.push_back(&axis);
    if (!axis.HasSubAxes()) return;
    TChartCustomAxes* subAxes = const_cast<TChartAxis&>(axis).SubAxes();
    for (int i = 0; i < subAxes->Count(); ++i) CollectShown(*subAxes->GetAxisAt(i), shown);
}

}  // namespace

void TCustomAxisPanel::layoutAxes()
{
    TChartAxes& axes = Axes();
    shownAxes_.clear();
    for (int i = 0; i < axes.Count(); ++i) {
        TChartAxis& axis = *axes.Items(i);
        if (IsAxisShown(&axis)) CollectShown(axis, shownAxes_);
        axis.ComputeRange();
    }
    for (int i = 0; i < axes.Count(); ++i) axes.Items(i)->ComputePixelBounds();
    TRect work = ChartRect();
    for (int i = 0; i < axes.Count(); ++i) {
        TChartAxis& axis = *axes.Items(i);
        if (IsAxisShownInFrame(&axis)) {
            TRect placed = work;
            axis.CalcRect(placed, axis.IsStandard());
            TRect common;
            if (IntersectRect(common, placed, work)) work = common;
        } else if (AxesSpaceHook) {
            ShrinkAtAxis(work, axis, AxesSpaceHook(axis, 0));
        }
    }
    SetChartRect(work);
    NormalizeChartRect();
    for (int i = 0; i < axes.Count(); ++i) axes.Items(i)->ComputePixelBounds();
}

bool TCustomAxisPanel::IsAxisShownInFrame(const TChartAxis* axis) const
{
    return std::find(shownAxes_.begin(), shownAxes_.end(), axis) != shownAxes_.end();
}

bool TCustomAxisPanel::IsPlaneFacing(int depth) const
{
    TCanvas3D& canvas = *Canvas3D();
    if (canvas.IsTrue3D()) return false;
    const TFourPoints corners = canvas.ProjectRectCorners(ChartRect(), depth);
    return !IsBackFacingTriangle(corners);
}

void TCustomAxisPanel::ToolsDrawStage(TChartDrawStage stage)
{
    for (TZebCustomTool* tool : Tools())
        if (tool->Active()) tool->ChartDrawStage(stage);
    for (TZebCustomTool* animation : Animations())
        if (animation->Active()) animation->ChartDrawStage(stage);
}

void TCustomAxisPanel::DrawWallsAxesSeries()
{
    PaintWalls();
    if (AxisBehind()) {
        ToolsDrawStage(cdsBeforeAxes);
        DrawAxes();
    }
    ToolsDrawStage(cdsBeforeSeries);
    FireBeforeDrawSeries();
    DrawAllSeries();
    ToolsDrawStage(cdsAfterSeries);
    if (!AxisBehind()) {
        ToolsDrawStage(cdsBeforeAxes);
        DrawAxes();
    }
}

void TCustomAxisPanel::DrawAxes()
{
    if (!AxisVisible()) return;
    TElementScope element(*Canvas3D(), "Axes", this);
    FireBeforeDrawAxes();
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis& axis = *Axes().Items(i);
        if (!IsAxisShownInFrame(&axis)) continue;
        if (&axis == BottomAxis() && IsPlaneFacing(0)) continue;
        axis.Draw(true);  // inside its own element
    }
}

void TCustomAxisPanel::DrawAllSeries()
{
    TElementScope element(*Canvas3D(), "Series", this);
    if (NumSeries() == 0) return;
    const bool forward = Canvas3D()->IsTrue3D() || GetSeriesAt(0)->IsSeriesOrderForward();
    const int count = NumSeries();
    for (int k = 0; k < count; ++k) {
        TChartSeries& series = *GetSeriesAt(forward ? k : count - 1 - k);
        if (series.Active()) drawSeries(series);
    }
}

void TCustomAxisPanel::drawSeries(TChartSeries& series)
{
    if (!Canvas3D()->IsTrue3D() && View3D() && series.SharesZSlot()) {
        drawInterleaved(series);
        return;
    }
    series.DrawInChart();
}

void TCustomAxisPanel::drawInterleaved(TChartSeries& series)
{
    const int position = IndexOfSeries(&series);
    const int slot = series.GetZSlot();
    const auto inSlot = [slot](const TChartSeries* s) { return s->Active() && s->GetZSlot() == slot; };
    // The first series of the slot draws the points of all of them.
    if (!series.IsFirstInZSlot()) return;
    const int count = NumSeries();
    TChartBoxClip clip(*this);
    int first = -1, last = -1;
    for (int i = position; i < count; ++i) {
        TChartSeries& other = *GetSeriesAt(i);
        if (!inSlot(&other)) continue;
        other.FindVisibleRange();
        if (other.FirstVisibleIndex() == -1) continue;
        first = first == -1 ? other.FirstVisibleIndex() : std::min(first, other.FirstVisibleIndex());
        last = std::max(last, other.LastVisibleIndex());
        other.BeforeDrawPoints();
        if (ClipPoints()) clip.Set();
    }
    if (first == -1) return;
    const bool forward = series.IsPointOrderForward();
    std::vector<int> points;
    series.GetPointDrawOrder(first, last, points, false);
    if (points.empty())
        for (int i = first; i <= last; ++i) points.push_back(i);
    if (!forward) std::reverse(points.begin(), points.end());
    std::vector<int> stack;
    for (const int index : points) {
        stack.clear();
        series.GetStackDrawOrder(position, count, stack, index);
        if (stack.empty())
            for (int i = position; i < count; ++i) stack.push_back(i);
        if (index < series.Count() && !series.IsStackOrderForward(index)) std::reverse(stack.begin(), stack.end());
        for (const int at : stack) {
            TChartSeries& other = *GetSeriesAt(at);
            // A 3-D grid series keeps its own depth: it draws no points here.
            if (inSlot(&other) && other.Count() > index && !other.IsXYZSeries()) other.DrawPoint(index);
        }
    }
    clip.Remove();
    for (int i = position; i < count; ++i) {
        TChartSeries& other = *GetSeriesAt(i);
        if (!inSlot(&other) || other.FirstVisibleIndex() == -1) continue;
        DrawSeriesMarks(other);
        other.AfterDrawPoints();
    }
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries& series)
{
    if (series.Count() == 0 || !series.HasVisibleMarks()) return;
    TChartBoxClip clip(*this);
    if (series.ClipsMarks()) clip.Set();
    TElementScope element(*Canvas3D(), "Marks", &series);
    series.DrawPointMarks();
}
