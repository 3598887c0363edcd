#include "chart/canvas/Shadow.h"

#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebPen.h"

bool TZebShadow::BeginShadow(TCanvas3D& canvas, const TRect& rect, double angle)
{
    blend_ = nullptr;
    sectionTransparency_ = 0;
    if (color_ == clNone || (horizSize_ == 0 && vertSize_ == 0)) return false;
    const TZebTransparency inUse = transparency_ != 0 ? transparency_ : canvas.Transparency();
    if (inUse == 0) return true;
    sectionTransparency_ = inUse;
    if (canvas.SupportsAlpha()) {
        blend_ = canvas.StartBlend({}, transparency_);
        return true;
    }
    TRect r;
    if (smooth_) {
        const int h = 2 * std::abs(horizSize_), v = 2 * std::abs(vertSize_);
        r = {rect.Left - h, rect.Top - v, rect.Right + h, rect.Bottom + v};
    } else {
        r = ShadowRect(rect);
    }
    if (angle != 0) r = BoundsOfPointArray(RotatedRectCorners(r, angle));
    blend_ = canvas.StartBlend(r, transparency_);
    return true;
}

void TZebShadow::EndShadow(TCanvas3D& canvas)
{
    if (sectionTransparency_ != 0) canvas.FinishBlend(blend_);
    blend_ = nullptr;
    sectionTransparency_ = 0;
}

void TZebShadow::DrawRect(TCanvas3D& canvas, const TRect& rect, int roundSize, double angle)
{
    TZebPen& pen = *canvas.Pen();
    const TPenStyle style = pen.Style();
    const TColor color = pen.Color();
    try {
        if (BeginShadow(canvas, rect, angle)) {
            const TRect sr = ShadowRect(rect);
            if (angle != 0) {
                const auto pts = RotatedRectCorners(sr, angle);
                canvas.PaintShadow(*this, sr, false, 0, pts, 0, 0, 360);
            } else {
                canvas.PaintShadow(*this, sr, false, roundSize, {}, 0, 0, 360);
            }
            EndShadow(canvas);
        }
    } catch (...) {
        pen.SetStyle(style);
        pen.SetColor(color);
        throw;
    }
    pen.SetStyle(style);
    pen.SetColor(color);
}

void TZebShadow::DrawEllipse(TCanvas3D& canvas, const TRect& rect, int holePercent, double startAngle, double endAngle)
{
    if (!BeginShadow(canvas, rect, 0)) return;
    canvas.PaintShadow(*this, ShadowRect(rect), true, 0, {}, holePercent, startAngle, endAngle);
    EndShadow(canvas);
}

void TZebShadow::DrawPolygon(TCanvas3D& canvas, std::span<const TPoint> points)
{
    std::vector<TPoint> moved(points.begin(), points.end());
    for (TPoint& p : moved) {
        p.X += horizSize_;
        p.Y += vertSize_;
    }
    const TRect bounds = canvas.SupportsAlpha() ? TRect{} : BoundsOfPointArray(moved);
    if (!BeginShadow(canvas, bounds, 0)) return;
    canvas.PaintShadow(*this, bounds, false, 0, moved, 0, 0, 360);
    EndShadow(canvas);
}
