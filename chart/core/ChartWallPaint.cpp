// How each wall of the chart box is painted: the back wall as the plot rectangle (2-D) or a
// plane or box at the depth, the left and right walls along the depth, the floor under the plot.
#include <algorithm>

#include "chart/canvas/Blend.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/PanelZoom.h"

namespace {

// The wall's blend, finished on every way out.
class TWallBlend {
public:
    TWallBlend(TCustomChartWall& wall, TZebBlend* blend) : wall_(wall), blend_(blend) {}
    ~TWallBlend() { wall_.EndTransparency(blend_); }
    TWallBlend(const TWallBlend&) = delete;
    TWallBlend& operator=(const TWallBlend&) = delete;

private:
    TCustomChartWall& wall_;
    TZebBlend* blend_;
};

void paintPlanePicture(TCanvas3D& canvas, TChartWall& wall, const TRect& rect, int position, TCanvas3DPlane plane)
{
    if (wall.HasPicture() && wall.Picture()->HasGraphic())
        canvas.PaintImageOnPlane(rect, wall.Picture()->Graphic(), position, plane);
}

}  // namespace

void TCustomChart::PrepareWallCanvas(TChartWall& wall)
{
    TCanvas3D& c = *Canvas3D();
    c.UsePen(*wall.Pen());
    if (wall.Transparent())
        c.Brush()->Clear();
    else
        AssignCanvasBrush(*wall.Brush(), wall.Color(), GetBackgroundColor());
}

void TCustomChart::PaintBackWall()
{
    TChartBackWall& wall = *walls_->Back();
    TCanvas3D& c = *Canvas3D();
    TElementScope element(c, "Back", &wall);
    PrepareWallCanvas(wall);
    int top, bottom;
    wall.VerticalExtent(top, bottom);
    const TRect& chart = ChartRect();
    const int depth = Depth3D();
    const int roundSize = wall.ShapeStyle() == fosRoundRectangle ? wall.RoundSize() : 0;
    TRect r{chart.Left, top, chart.Right, bottom};
    if (!View3D()) {
        // One pixel more right and (reaching the bottom) down: the frame encloses the plot.
        ++r.Right;
        if (wall.EndPosition() == 100) ++r.Bottom;
    } else if (wall.Size() > 0) {
        r.Left -= WallSizeAt(LeftAxis());
    }
    TZebBlend* blend = nullptr;
    if (!wall.Transparent() && wall.Transparency() > 0)
        blend = c.StartBlend(View3D() ? c.ProjectedBoundsAtZ(r, depth) : r,
                             static_cast<TZebTransparency>(wall.Transparency()));
    TWallBlend finish(wall, blend);
    const TRect effectRect = View3D() ? c.ProjectRectAtZ(r, depth) : r;
    if (!wall.Transparent()) {
        if (wall.Shadow()->IsActive()) wall.Shadow()->DrawRect(c, effectRect, roundSize);
        if (wall.HasEmboss() && wall.Emboss()->IsActive()) wall.Emboss()->DrawRect(c, effectRect, roundSize);
        PrepareWallCanvas(wall);
    }
    if (!View3D()) {
        if (c.IsTrue3D())
            c.RectangleAtZ(r, 1);
        else if (roundSize > 0)
            c.RoundRect(r.Left, r.Top, r.Right, r.Bottom, roundSize, roundSize);
        else
            c.DrawRect(r);
    } else if (wall.Size() < 1) {
        if (c.IsTrue3D())
            c.RectangleAtZ(r, depth + 1);
        else if (roundSize > 0)
            c.RoundRectAtZ(r, roundSize, roundSize, depth);
        else
            c.RectangleAtZ(r, depth);
    } else {
        const int far = depth + (depth < 0 ? -wall.Size() : wall.Size());
        c.DrawBoxRect(r, std::min(depth, far), std::max(depth, far), wall.IsDark3D(), roundSize);
    }
    const TRect picture{chart.Left, top, chart.Right, bottom};
    if (wall.HasPicture() && wall.Picture()->HasGraphic()) {
        DrawImage(*wall.Picture(), picture, depth);
    } else if (HasBackImage() && BackImageInside()) {
        TRect inside = picture;
        if (wall.Pen()->Visible()) ++inside.Left, ++inside.Top;
        DrawImage(*BackImage(), inside, depth);
    }
}

// A side wall at x: a plane along the depth to planeDepth, or a box of its size reaching outward
// (-1 left, +1 right) to boxDepth. A true 3-D canvas sets the plane one pixel outside the plot.
void TCustomChart::paintSideWall(TChartWall& wall, const char* name, int x, int outward, int planeDepth, int boxDepth)
{
    TCanvas3D& c = *Canvas3D();
    TElementScope element(c, name, &wall);
    PrepareWallCanvas(wall);
    int top, bottom;
    wall.VerticalExtent(top, bottom);
    TWallBlend finish(wall, wall.StartTransparency(x, bottom));
    if (wall.Size() < 1) {
        c.PlaneAlongYZ(c.IsTrue3D() ? x + outward : x, top, bottom, 0, planeDepth);
    } else {
        const int outer = x + outward * wall.Size();
        c.DrawBox(std::min(x, outer), std::max(x, outer), top, bottom, 0, boxDepth, wall.IsDark3D());
    }
    paintPlanePicture(c, wall, TRect{0, top, Depth3D(), bottom}, x, cpX);
}

void TCustomChart::PaintLeftWall() { paintSideWall(*walls_->Left(), "Left", ChartRect().Left, -1, Depth3D(), Depth3D()); }

void TCustomChart::PaintRightWall()
{
    const int back = walls_->Back()->Visible() ? walls_->Back()->Size() : 0;
    paintSideWall(*walls_->Right(), "Right", ChartRect().Right, 1, Depth3D() + 1, Depth3D() + back);
}

void TCustomChart::PaintBottomWall()
{
    TChartBottomWall& wall = *walls_->Bottom();
    TCanvas3D& c = *Canvas3D();
    TElementScope element(c, "Bottom", &wall);
    PrepareWallCanvas(wall);
    const int depth = Depth3D();
    const int y = ChartRect().Bottom + (c.IsTrue3D() ? 1 : 0);
    const int z0 = RoundHalfEven(wall.StartPosition() * depth * 0.01);
    const int z1 = depth - RoundHalfEven((100 - wall.EndPosition()) * depth * 0.01);
    int x0 = ChartRect().Left;
    const TChartLeftWall& left = *walls_->Left();
    if (left.Visible() && left.AutoHide() && IsLeftSideVisible()) x0 -= WallSizeAt(LeftAxis());
    const int x1 = ChartRect().Right;
    TZebBlend* blend = nullptr;
    if (!wall.Transparent() && wall.Transparency() > 0) {
        const TPoint corners[] = {c.ProjectXYZ(x0, y, z0), c.ProjectXYZ(x0, y, z1), c.ProjectXYZ(x1, y, z1),
                                  c.ProjectXYZ(x1, y, z0)};
        blend = c.StartBlend(BoundsOfPointArray(corners), static_cast<TZebTransparency>(wall.Transparency()));
    }
    TWallBlend finish(wall, blend);
    if (wall.Size() < 1)
        c.PlaneAlongXZ(x0, y, x1, z0, z1);
    else
        c.DrawBox(x0, x1, y, y + wall.Size(), z0, z1, wall.IsDark3D());
    paintPlanePicture(c, wall, TRect{x0, z0, x1, z1}, y, cpY);
}
