// Where the chart's surroundings go in a frame: titles and legend before the series (shrinking
// the chart rectangle), the walls behind the axes, and after the series the legend, the
// custom-positioned titles and, in 3-D, the walls and axes that lie in front.
#include <algorithm>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/Legend.h"

namespace {

const char* const TitleElementNames[] = {"Title", "Subtitle", "Foot", "Subfoot"};

}  // namespace

int TCustomChart::WallSizeAt(const TChartAxis* axis) const
{
    if (!View3D() || !View3DWalls()) return 0;
    const TChartWall* wall = walls_->Back();
    if (axis == LeftAxis())
        wall = walls_->Left();
    else if (axis == BottomAxis())
        wall = walls_->Bottom();
    else if (axis == RightAxis())
        wall = walls_->RightOrNull();
    return wall && wall->Visible() ? wall->Size() : 0;
}

bool TCustomChart::NeedsAxes() const
{
    if (NumSeries() == 0) return true;
    return std::any_of(SeriesList().begin(), SeriesList().end(),
                       [](const TChartSeries* s) { return s->Active() && s->DependsOnAxes(); });
}

void TCustomChart::FitPlotTo3D()
{
    TCustomAxisPanel::FitPlotTo3D();
    const TView3DOptions& view = *View3DOptions();
    if (FixedChartRect() || !View3D() || !view.Orthogonal()) return;
    const int size = NeedsAxes() ? walls_->Back()->Size() : 0;
    const int depth = std::abs(Depth3D());
    TRect r = ChartRect();
    if (view.OrthoAngle() <= 90) {
        r.Right -= depth + size;
        if (const TChartRightWall* right = walls_->RightOrNull(); right && right->Visible()) r.Right -= right->Size() + 1;
    } else {
        r.Left += depth + size;
        if (walls_->Left()->Visible()) r.Left += walls_->Left()->Size() + 1;
    }
    r.Top += std::abs(Height3D) + size;
    SetChartRect(r);
    NormalizeChartRect();
}

bool TCustomChart::IsSideFacingAt(int x) const
{
    TCanvas3D& c = *Canvas3D();
    if (c.IsTrue3D()) return true;
    const int bottom = ChartRect().Bottom + WallSizeAt(BottomAxis());
    const TPoint points[] = {c.ProjectXYZ(x, ChartRect().Top, 0), c.ProjectXYZ(x, bottom, 0),
                             c.ProjectXYZ(x, bottom, walls_->Back()->Size() + Depth3D())};
    return IsBackFacingTriangle(points);
}

void TCustomChart::DrawTitles(bool customPosition)
{
    std::unique_ptr<TElementScope> titles;
    for (int i = 0; i < 4; ++i) {
        TChartTitle* title = TitleAt(i);
        if (!title || title->CustomPosition() != customPosition || !title->IsVisibleWithText()) continue;
        if (!titles) titles = std::make_unique<TElementScope>(*Canvas3D(), "Titles", this);
        TElementScope element(*Canvas3D(), TitleElementNames[i], title, title->Transform());
        title->LayoutTitle(*this);
    }
}

void TCustomChart::DrawSurroundings(bool beforeSeries)
{
    TCanvas3D& c = *Canvas3D();
    TChartLegend& legend = *legend_;
    if (beforeSeries) {
        const TFlatMode flat(c);
        if (!legend.HasContent()) {
            DrawTitles(false);
        } else if (legend.IsSideAligned()) {
            // The legend's top follows the chart rectangle before the title band is taken.
            legend.ComputeLayout();
            if (legend.DrawBehind()) legend.RenderLegend();
            DrawTitles(false);
        } else {
            // The legend sits inside the title bands.
            DrawTitles(false);
            legend.ComputeLayout();
            if (legend.DrawBehind()) legend.RenderLegend();
        }
        return;
    }
    {
        const TFlatMode flatAfter(c);
        if (legend.HasContent() && !legend.DrawBehind()) legend.RenderLegend();
        DrawTitles(true);
    }
    // The side walls and axes in front stand in the chart box: projected.
    if (c.IsTrue3D() || !View3D() || !NeedsAxes()) return;
    if (IsRightSideVisible()) {
        if (const TChartRightWall* right = walls_->RightOrNull(); right && right->IsShown()) PaintRightWall();
        drawWallAxis(RightAxis(), false);
    }
    if (IsLeftSideVisible()) {
        if (walls_->Left()->IsShown()) PaintLeftWall();
        drawWallAxis(LeftAxis(), false);
    }
    if (IsPlaneFacing(Depth3D())) {
        drawWallAxis(TopAxis(), true);
        drawWallAxis(BottomAxis(), true);
        if (walls_->Back()->IsShown()) PaintBackWall();
    }
}

// Over the series only the line, ticks and labels come again: a grid (or grid bands) would cover
// them. Only an axis this frame laid out has a position; an unused one would draw at the panel's
// edge.
void TCustomChart::drawWallAxis(TChartAxis* axis, bool grid)
{
    (void)grid;
    if (IsAxisShownInFrame(axis)) axis->DrawAxisAfterSideWall();
}

void TCustomChart::PaintWalls()
{
    if (!NeedsAxes()) return;
    TCanvas3D& c = *Canvas3D();
    const bool true3D = c.IsTrue3D();
    TElementScope element(c, "Walls", this);
    const bool walls3D = View3D() && View3DWalls();
    if (const TChartRightWall* right = walls_->RightOrNull();
        walls3D && right && right->Visible() && (true3D || !IsRightSideVisible()))
        PaintRightWall();
    if (View3DWalls() && walls_->Back()->Visible() && (true3D || !IsPlaneFacing(Depth3D()))) PaintBackWall();
    if (!walls3D) return;
    if (walls_->Left()->Visible() && (true3D || !IsLeftSideVisible())) PaintLeftWall();
    if (walls_->Bottom()->Visible()) PaintBottomWall();
    if (!true3D && IsPlaneFacing(0))
        for (TChartAxis* axis : {TopAxis(), BottomAxis()})
            if (axis->Visible()) axis->Draw(true);
}
