#include "chart/canvas/Canvas3D.h"

#include <cmath>
#include <numbers>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

int CylinderSideCount = 32;
int CirclePointCount = 180;

TV_PUBLISHED(TTriangleCache) {}
TV_PUBLISHED(TCanvas3D) {}

TObject* TCanvas3D::BeginElement(const String& name, TObject* owner, TZebTransform* transform)
{
    (void)name, (void)transform;
    return owner;
}

void TCanvas3D::DrawShineOverlay(int style, int z, const TRect& outer, const TRect& band, const TRect& inner,
                                 int startAngle, int endAngle, TPoint center, bool donut)
{
    (void)style, (void)z, (void)outer, (void)band, (void)inner, (void)startAngle, (void)endAngle, (void)center,
        (void)donut;
}

void TCanvas3D::PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize,
                            std::span<const TPoint> points, int holePercent, double startAngle, double endAngle)
{
    (void)holePercent;
    const TColor color = shadow.Color();
    Brush()->SetColor(color);
    Brush()->SetStyle(bsSolid);
    if (Pen()->Style() != psClear) {
        TChangeEventDetach quiet(*Pen());
        Pen()->SetStyle(psSolid);
        Pen()->SetColor(color);
    }
    ApplyPen();
    if (!points.empty()) {
        Polygon(points);
        return;
    }
    if (ellipse) {
        auto shape = [&] {
            if (std::fabs(endAngle - startAngle - 360) < 1e-12)
                Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom);
            else
                PieByAngles(rect, startAngle, endAngle);
        };
        if (!shadow.Smooth()) {
            shape();
            return;
        }
        TZebGradient saved;
        saved.Assign(GetBrushGradient());
        TZebGradient* g = GetBrushGradient();
        g->SetDirection(gdRadial);
        g->SetStartColor(DarkenColor(color, 128));
        g->SetEndColor(color == 0 ? clSilver : LightenColor(color, 32));
        g->SetVisible(true);
        Pen()->SetStyle(psClear);
        try {
            shape();
        } catch (...) {
            GetBrushGradient()->Assign(&saved);
            throw;
        }
        GetBrushGradient()->Assign(&saved);
        return;
    }
    if (roundSize > 0) {
        RoundRect(rect.Left, rect.Top, rect.Right, rect.Bottom, roundSize, roundSize);
        return;
    }
    FillRectangle(rect);
}

void TCanvas3D::AssignSettings(TCanvas3D& source)
{
    SetMonochromeMode(source.GetMonochromeMode());
    options_ = source.options_;
    SetFontZoom(source.FontZoom());
}

bool TCanvas3D::CopyBufferTo(TGraphic*& graphic, const TRect& rect)
{
    (void)graphic, (void)rect;
    return false;
}

void TCanvas3D::DrawDiamond(int left, int top, int right, int bottom, int z0, int z1)
{
    const int cx = (left + right) / 2, cy = (top + bottom) / 2;
    const TPoint pts[] = {{cx, top}, {right, cy}, {cx, bottom}, {left, cy}};
    PolygonAtZ(pts, (z0 + z1) / 2);
}

void TCanvas3D::LineAlongX3D(int x0, int x1, int y, int z)
{
    MoveToXYZ(x0, y, z);
    LineToXYZ(x1, y, z);
}

void TCanvas3D::LineAlongY3D(int x, int y0, int y1, int z)
{
    MoveToXYZ(x, y0, z);
    LineToXYZ(x, y1, z);
}

void TCanvas3D::LineAlongZ3D(int x, int y, int z0, int z1)
{
    MoveToXYZ(x, y, z0);
    LineToXYZ(x, y, z1);
}

void TCanvas3D::LineAtZ(int x0, int y0, int x1, int y1, int z)
{
    MoveToXYZ(x0, y0, z);
    LineToXYZ(x1, y1, z);
}

void TCanvas3D::RoundRectAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z, int unused)
{
    (void)unused;
    if (IsTrue3D()) {
        RectangleAtZ(rect, z);
        return;
    }
    const TPoint a = ProjectXYZ(rect.Left, rect.Top, z), b = ProjectXYZ(rect.Right, rect.Bottom, z);
    RoundRect(a.X, a.Y, b.X, b.Y, cornerWidth, cornerHeight);
}

void TCanvas3D::PushFlatMode()
{
    if (flatModeCount_ == 0) SaveAndClearProjection();
    ++flatModeCount_;
}

void TCanvas3D::PopFlatMode()
{
    --flatModeCount_;
    if (flatModeCount_ == 0) RestoreProjection();
}

void TCanvas3D::MoveToXYZ(int x, int y, int z) { MoveToPoint(ProjectXYZ(x, y, z)); }

void TCanvas3D::MoveToXYZFloat(float x, float y, float z)
{
    MoveToXYZ(RoundHalfEven(x), RoundHalfEven(y), RoundHalfEven(z));
}

void TCanvas3D::LineToXYZ(int x, int y, int z) { LineToPoint(ProjectXYZ(x, y, z)); }

void TCanvas3D::LineToXYZFloat(float x, float y, float z)
{
    LineToXYZ(RoundHalfEven(x), RoundHalfEven(y), RoundHalfEven(z));
}

void TCanvas3D::PolygonXYZFloat(std::span<const TPointFloat3D> points, bool flag)
{
    std::vector<TPoint3D> rounded;
    rounded.reserve(points.size());
    for (const TPointFloat3D& p : points)
        rounded.push_back({RoundHalfEven(p.X), RoundHalfEven(p.Y), RoundHalfEven(p.Z)});
    PolygonXYZVariant(rounded, flag);
}

void TCanvas3D::PolygonXYZVariant(std::span<const TPoint3D> points, bool flag)
{
    (void)flag;
    PolygonXYZ(points);
}

void TCanvas3D::PolygonAtZ(std::span<const TPoint> points, int z) { Polygon(ProjectPointsAtZ(points, z)); }

void TCanvas3D::ColoredPointBlocks(std::span<const TFourPoints> blocks, std::span<const int> depths,
                                   std::span<const TColor> colors)
{
    const size_t count = std::min({blocks.size(), colors.size(), depths.size() / 2});
    for (size_t i = 0; i < count; ++i) {
        Brush()->SetColor(colors[i]);
        PlaneFromPointBlock(blocks[i], depths[2 * i], depths[2 * i + 1]);
    }
}

void TCanvas3D::ColoredPolygons(std::span<const TPoint> points, int perPolygon, std::span<const TColor> colors)
{
    if (perPolygon <= 0) return;
    const size_t count = std::min(colors.size(), points.size() / static_cast<size_t>(perPolygon));
    for (size_t i = 0; i < count; ++i) {
        Brush()->SetColor(colors[i]);
        Polygon(points.subspan(i * static_cast<size_t>(perPolygon), static_cast<size_t>(perPolygon)));
    }
}

void TCanvas3D::PolylineAtZ(std::span<const TPoint> points, int z) { Polyline(ProjectPointsAtZ(points, z)); }

void TCanvas3D::DrawSquareFrustum(const TFloatRect& r, bool topCap, double z0, double z1, double topHalfWidth,
                                  double topHalfDepth, int baseCap)
{
    const float xc = (r.Left + r.Right) * 0.5f;
    const float zc = static_cast<float>((z0 + z1) * 0.5);
    const float hw = static_cast<float>(topHalfWidth), hd = static_cast<float>(topHalfDepth);
    const float fz0 = static_cast<float>(z0), fz1 = static_cast<float>(z1);
    const bool up = r.Bottom < r.Top;
    auto project = [&](float x, float y, float z) {
        TPointFloat p{x, y};
        ProjectXYZFloat(p, z);
        return p;
    };
    auto baseCapFace = [&] {
        if (baseCap == 0) return;
        const TPointFloat q[] = {project(r.Left, r.Bottom, fz0), project(r.Right, r.Bottom, fz0),
                                 project(r.Right, r.Bottom, fz1), project(r.Left, r.Bottom, fz1)};
        PolygonFloat(q);
    };
    auto topCapFace = [&] {
        if (!topCap || hw == 0) return;
        const TPointFloat q[] = {project(xc - hw, r.Top, zc - hd), project(xc + hw, r.Top, zc - hd),
                                 project(xc + hw, r.Top, zc + hd), project(xc - hw, r.Top, zc + hd)};
        PolygonFloat(q);
    };
    auto depthFace = [&](bool flag, float zt, float zb) {
        const TPointFloat q[] = {project(xc - hw, r.Top, zt), project(xc + hw, r.Top, zt),
                                 project(r.Right, r.Bottom, zb), project(r.Left, r.Bottom, zb)};
        if ((IsBackFacingFloat(q[1], q[2], q[3]) != flag) != up) PolygonFloat(q);
    };
    auto sideFace = [&](bool flag, float xb, float xt) {
        const TPointFloat q[] = {project(xt, r.Top, zc - hd), project(xt, r.Top, zc + hd), project(xb, r.Bottom, fz1),
                                 project(xb, r.Bottom, fz0)};
        if ((IsBackFacingFloat(q[3], q[2], q[1]) != !flag) != up) PolygonFloat(q);
    };
    if (r.Bottom > r.Top)
        baseCapFace();
    else
        topCapFace();
    if (hw != 0 || z0 != z1) {
        depthFace(true, zc + hd, fz1);
        sideFace(true, r.Left, xc - hw);
        depthFace(false, zc - hd, fz0);
        sideFace(false, r.Right, xc + hw);
    } else {
        depthFace(false, zc + hd, fz1);
    }
    if (r.Bottom > r.Top)
        topCapFace();
    else
        baseCapFace();
}

void TCanvas3D::RoundedRectangleAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z)
{
    (void)cornerWidth, (void)cornerHeight;
    RectangleAtZ(rect, z);
}

void TCanvas3D::PaintImageOnPlane(const TRect& rect, TGraphic* graphic, double position, TCanvas3DPlane plane)
{
    Pen()->SetStyle(psClear);
    if (!graphic || graphic->Empty()) return;
    // A 24-bit copy: the caller's picture keeps its own format.
    TBitmap bitmap;
    bitmap.Assign(graphic);
    bitmap.SetTransparent(graphic->Transparent());
    const int w = bitmap.Width(), h = bitmap.Height();
    if (w == 0 || h == 0) return;
    const auto rows = BitmapScanLines24(bitmap);
    const int p = RoundHalfEven(position);
    const int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
    auto corner = [&](int a, int b) {
        switch (plane) {
        case cpX: return ProjectXYZ(p, b, a);
        case cpY: return ProjectXYZ(a, p, b);
        case cpZ: break;
        }
        return ProjectXYZ(a, b, p);
    };
    const bool smoothing = IsSmoothingOn();
    SetSmoothingOn(false);
    const bool dcBrush = SelectStockDCBrush();
    HDC dc = dcBrush ? GetDeviceContext() : nullptr;
    for (int i = 0; i < h; ++i) {
        const int y0 = rect.Top + RoundHalfEven(static_cast<double>(i) * height / h);
        const int y1 = rect.Top + RoundHalfEven(static_cast<double>(i + 1) * height / h);
        const Byte* row = rows[static_cast<std::size_t>(i)];
        for (int j = 0; j < w; ++j) {
            const int x0 = rect.Left + RoundHalfEven(static_cast<double>(j) * width / w);
            const int x1 = rect.Left + RoundHalfEven(static_cast<double>(j + 1) * width / w);
            const Byte* px = row + j * 3;
            const TColor color = static_cast<TColor>(RGB(px[2], px[1], px[0]));
            if (dc)
                dc->SetDCBrushColor(color);
            else
                Brush()->SetColor(color);
            const TPoint cell[] = {corner(x0, y0), corner(x1, y0), corner(x1, y1), corner(x0, y1)};
            Polygon(cell);
        }
    }
    if (dc) ApplyBrush(*Brush());
    SetSmoothingOn(smoothing);
}

bool TCanvas3D::DrawShapeDirect(TObject* shape, std::span<const TPointFloat> points)
{
    (void)shape, (void)points;
    return false;
}

void TCanvas3D::DrawTriangleStream(int count, TZebBlend* blend, TZebTransparency transparency,
                                   const TTriangleCallback& triangle, TTriangleCache** cache)
{
    (void)cache;
    for (int i = 1; i <= count; ++i) {
        TStreamTriangle t;
        triangle(i, t);
        if (blend) {
            TPoint screen[3];
            ProjectTriangle(t.Points[0], t.Points[1], t.Points[2], screen);
            blend->CaptureRect(BoundsOfPointArray(screen));
            TriangleXYZ(t.Points[0], t.Points[1], t.Points[2], t.Colors[0]);
            blend->BlendBack(transparency);
        } else {
            TriangleXYZ(t.Points[0], t.Points[1], t.Points[2], t.Colors[0]);
        }
    }
}

// ---- non-virtual helpers ----

void TCanvas3D::UseFontZoomed(TZebFont& font)
{
    if (!UsesWorldCoordinates() && options_ && options_->ZoomText() != ztNo && options_->ZoomFloat() != 100)
        UseFontSized(font, static_cast<float>(font.SizeFloat() * options_->ZoomFloat() / 100));
    else
        UseFont(font);
}

void TCanvas3D::ArcAtZ(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4, int z)
{
    const TPoint a = ProjectXYZ(left, top, z), b = ProjectXYZ(right, bottom, z);
    const TPoint s = ProjectXYZ(x3, y3, z), e = ProjectXYZ(x4, y4, z);
    Arc(a.X, a.Y, b.X, b.Y, s.X, s.Y, e.X, e.Y);
}

std::vector<TPoint> TCanvas3D::CalcArrowPointsAtZ(TPoint from, TPoint to, int z, int headLength, int headWidth,
                                                  double bodyPercent)
{
    std::vector<TPoint> pts = CalcArrowPoints(from, to, headLength, headWidth, bodyPercent);
    for (TPoint& p : pts) p = ProjectXYZ(p.X, p.Y, z);
    return pts;
}

bool TCanvas3D::BoxOutline(const TRect& r, int z0, int z1, std::vector<TPoint>& outline)
{
    outline = {ProjectXYZ(r.Left, r.Bottom, z0), ProjectXYZ(r.Left, r.Bottom, z1), ProjectXYZ(r.Left, r.Top, z1),
               ProjectXYZ(r.Right, r.Top, z1),   ProjectXYZ(r.Right, r.Top, z0),   ProjectXYZ(r.Right, r.Bottom, z0),
               ProjectXYZ(r.Left, r.Top, z0),    ProjectXYZ(r.Right, r.Bottom, z1)};
    return ComputeConvexHull(outline) && outline.size() >= 3;
}

std::vector<TPoint> TCanvas3D::ProjectPointsAtZ(std::span<const TPoint> points, int z)
{
    std::vector<TPoint> out;
    out.reserve(points.size());
    for (const TPoint& p : points) out.push_back(ProjectXYZ(p.X, p.Y, z));
    return out;
}

TRect TCanvas3D::ProjectRectAtZ(const TRect& rect, int z)
{
    const TPoint a = ProjectXYZ(rect.Left, rect.Top, z), b = ProjectXYZ(rect.Right, rect.Bottom, z);
    return {a.X, a.Y, b.X, b.Y};
}

TFourPoints TCanvas3D::ProjectRectCorners(const TRect& rect, int z)
{
    return {ProjectXYZ(rect.Left, rect.Top, z), ProjectXYZ(rect.Right, rect.Top, z),
            ProjectXYZ(rect.Right, rect.Bottom, z), ProjectXYZ(rect.Left, rect.Bottom, z)};
}

TRect TCanvas3D::ProjectedBoundsAtZ(const TRect& rect, int z)
{
    const TFourPoints p = ProjectRectCorners(rect, z);
    return BoundsOfPointArray(p);
}

void TCanvas3D::ProjectTriangle(const TPoint3D& p0, const TPoint3D& p1, const TPoint3D& p2, TPoint (&out)[3])
{
    out[0] = ProjectPoint3D(p0);
    out[1] = ProjectPoint3D(p1);
    out[2] = ProjectPoint3D(p2);
}

TPointFloat TCanvas3D::PointOnEllipse(const TRect& rect, int z, double angle, bool downward)
{
    const double a = angle * std::numbers::pi / 180;
    const double hw = (rect.Right - rect.Left) / 2.0, hh = (rect.Bottom - rect.Top) / 2.0;
    const double cx = rect.Left + hw, cy = rect.Top + hh;
    const double dy = std::sin(a) * hh;
    TPointFloat p{static_cast<float>(std::cos(a) * hw + cx), static_cast<float>(downward ? cy + dy : cy - dy)};
    if (z != 0) ProjectXYZFloat(p, static_cast<float>(z));
    return p;
}

void TCanvas3D::PolygonFloatAtZ(std::span<const TPointFloat> points, float z)
{
    std::vector<TPointFloat> out(points.begin(), points.end());
    for (TPointFloat& p : out) ProjectXYZFloat(p, z);
    PolygonFloat(out);
}

void TCanvas3D::PolylineFloatAtZ(std::span<const TPointFloat> points, float z)
{
    std::vector<TPointFloat> out(points.begin(), points.end());
    for (TPointFloat& p : out) ProjectXYZFloat(p, z);
    PolylineFloat(out);
}
