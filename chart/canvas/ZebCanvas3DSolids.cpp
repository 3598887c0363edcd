// Planes, boxes, cylinders, cones, pyramids, pie slices and texts in chart space, drawn through
// the projection and the 2-D shapes.
#include <array>
#include <cmath>
#include <numbers>

#include "chart/canvas/ColorMath.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Canvas.h"

namespace {


int Orientation(const TPoint (&c)[4])
{
    return (c[3].X - c[2].X) * (c[1].Y - c[2].Y) - (c[1].X - c[2].X) * (c[3].Y - c[2].Y);
}

}  // namespace

// ---- planes and polygons ----

void TZebCanvas3D::RectangleAtZ(const TRect& rect, int z)
{
    PlaneFromFourPoints({rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom},
                        {rect.Left, rect.Bottom}, z);
}

void TZebCanvas3D::PlaneFromFourPoints(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z)
{
    const TPoint pts[] = {ProjectXYZ(p1.X, p1.Y, z), ProjectXYZ(p2.X, p2.Y, z), ProjectXYZ(p3.X, p3.Y, z),
                          ProjectXYZ(p4.X, p4.Y, z)};
    Polygon(pts);
}

void TZebCanvas3D::PlaneFromTwoPoints(TPoint p0, TPoint p1, int z0, int z1)
{
    const TPoint pts[] = {ProjectXYZ(p0.X, p0.Y, z0), ProjectXYZ(p1.X, p1.Y, z0), ProjectXYZ(p1.X, p1.Y, z1),
                          ProjectXYZ(p0.X, p0.Y, z1)};
    Polygon(pts);
}

void TZebCanvas3D::PlaneFromPointBlock(const TFourPoints& p, int z0, int z1)
{
    const TPoint pts[] = {ProjectXYZ(p[0].X, p[0].Y, z0), ProjectXYZ(p[1].X, p[1].Y, z0),
                          ProjectXYZ(p[2].X, p[2].Y, z1), ProjectXYZ(p[3].X, p[3].Y, z1)};
    Polygon(pts);
}

void TZebCanvas3D::PlaneAlongXZ(int x0, int y, int x1, int z0, int z1)
{
    const TPoint pts[] = {ProjectXYZ(x0, y, z0), ProjectXYZ(x1, y, z0), ProjectXYZ(x1, y, z1), ProjectXYZ(x0, y, z1)};
    Polygon(pts);
}

void TZebCanvas3D::PlaneAlongYZ(int x, int y0, int y1, int z0, int z1)
{
    const TPoint pts[] = {ProjectXYZ(x, y0, z0), ProjectXYZ(x, y0, z1), ProjectXYZ(x, y1, z1), ProjectXYZ(x, y1, z0)};
    Polygon(pts);
}

void TZebCanvas3D::PolygonXYZ(std::span<const TPoint3D> points)
{
    std::vector<TPoint> pts;
    pts.reserve(points.size());
    for (const TPoint3D& p : points) pts.push_back(ProjectXYZ(p.X, p.Y, p.Z));
    Polygon(pts);
}

void TZebCanvas3D::TriangleAtZ(TPoint p1, TPoint p2, TPoint p3, int z)
{
    const TPoint pts[] = {ProjectXYZ(p1.X, p1.Y, z), ProjectXYZ(p2.X, p2.Y, z), ProjectXYZ(p3.X, p3.Y, z)};
    Polygon(pts);
}

void TZebCanvas3D::TriangleXYZ(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor color)
{
    if (Brush()->Style() != bsClear) Brush()->SetColor(color);
    const TPoint pts[] = {ProjectXYZ(p0.X, p0.Y, p0.Z), ProjectXYZ(p1.X, p1.Y, p1.Z), ProjectXYZ(p2.X, p2.Y, p2.Z)};
    Polygon(pts);
}

// ---- points and texts ----

void TZebCanvas3D::TextOutXYZ(int x, int y, int z, const String& text, bool html)
{
    const TPoint p = ProjectXYZ(x, y, z);
    if (html)
        HtmlTextOut(*this, p.X, p.Y, text);
    else
        TextOut(p.X, p.Y, text);
}

void TZebCanvas3D::RotatedTextXYZ(int x, int y, int z, const String& text, double angle, bool html)
{
    const TPoint p = ProjectXYZ(x, y, z);
    RotatedTextOut(p.X, p.Y, text, angle, html);
}

void TZebCanvas3D::CircleAtZ(int centerX, int centerY, int z, double radius)
{
    const int r = PixelRound(radius);
    EllipseAtZ(centerX - r, centerY - r, centerX + r, centerY + r, z);
}

void TZebCanvas3D::EllipseAtZ(int left, int top, int right, int bottom, int z)
{
    if (IsOrthogonal()) {
        const TPoint a = ProjectXYZ(left, top, z), b = ProjectXYZ(right, bottom, z);
        Ellipse(a.X, a.Y, b.X, b.Y);
        return;
    }
    if (!projectionOn_) {
        Ellipse(left, top, right + 1, bottom + 1);
        return;
    }
    const double cx = (left + right) * 0.5, cy = (top + bottom) * 0.5, hw = (right - left) * 0.5,
                 hh = (bottom - top) * 0.5;
    const int count = std::max(CirclePointCount, 3);
    std::vector<TPointFloat> pts(count);
    for (int i = 0; i < count; ++i) {
        const double a = i * 360.0 / (count - 1) * std::numbers::pi / 180;
        pts[i] = {static_cast<float>(cx + hw * std::sin(a)), static_cast<float>(cy + hh * std::cos(a))};
        ProjectXYZFloat(pts[i], static_cast<float>(z));
    }
    if (Brush()->Style() != bsClear)
        PolygonFloat(pts);
    else if (Pen()->Visible() && Pen()->Style() != psClear)
        PolylineFloat(pts);
}

// ---- solids ----

void TZebCanvas3D::ShadedFace(std::span<const TPoint> face, bool darkSides, TGradientDirection direction, int amount)
{
    if (!darkSides) {
        Polygon(face);
        return;
    }
    TZebGradient& g = *Brush()->Gradient();
    const bool visible = g.Visible();
    const TGradientDirection dir = g.Direction();
    const TColor start = g.StartColor(), end = g.EndColor(), mid = g.MidColor();
    const TColor color = Brush()->Style() == bsSolid ? Brush()->Color() : GetBackgroundColor();
    g.SetDirection(direction);
    g.SetStartColor(color);
    g.SetEndColor(DarkenColor(color, amount));
    g.SetMidColor(clNone);
    g.SetVisible(true);
    Polygon(face);
    g.SetVisible(visible);
    g.SetDirection(dir);
    g.SetStartColor(start);
    g.SetEndColor(end);
    g.SetMidColor(mid);
}

void TZebCanvas3D::DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides, int roundSize)
{
    (void)roundSize;
    const TPoint p1 = ProjectXYZ(left, top, z0), p2 = ProjectXYZ(right, top, z0), p4 = ProjectXYZ(right, top, z1);
    const bool clear = Brush()->Style() == bsClear;
    const auto face = [&](TPoint3D a, TPoint3D b, TPoint3D c, TPoint3D d) {
        return std::array<TPoint, 4>{ProjectXYZ(a.X, a.Y, a.Z), ProjectXYZ(b.X, b.Y, b.Z), ProjectXYZ(c.X, c.Y, c.Z),
                                     ProjectXYZ(d.X, d.Y, d.Z)};
    };
    const auto front = face({left, top, z0}, {right, top, z0}, {right, bottom, z0}, {left, bottom, z0});
    const TPoint frontC[4] = {front[0], front[1], front[2], front[3]};
    const int orient = Orientation(frontC);
    if (clear || orient > 0)
        Polygon(front);
    else
        Polygon(face({left, top, z1}, {right, top, z1}, {right, bottom, z1}, {left, bottom, z1}));

    const auto rightFace = face({right, top, z0}, {right, top, z1}, {right, bottom, z1}, {right, bottom, z0});
    if (clear || orient > 0) ShadedFace(rightFace, darkSides, gdLeftRight, 128);
    const auto leftFace = face({left, top, z0}, {left, top, z1}, {left, bottom, z1}, {left, bottom, z0});
    const TPoint* c = leftFace.data();
    if (clear || (c[3].X - c[0].X) * (c[1].Y - c[0].Y) - (c[1].X - c[0].X) * (c[3].Y - c[0].Y) > 0)
        ShadedFace(leftFace, darkSides, gdRightLeft, 128);
    if (clear || (p1.X - p2.X) * (p4.Y - p2.Y) - (p4.X - p2.X) * (p1.Y - p2.Y) > 0)
        ShadedFace(face({left, top, z0}, {right, top, z0}, {right, top, z1}, {left, top, z1}), darkSides, gdBottomTop,
                   64);
    if (clear || orient < 0)
        ShadedFace(face({left, bottom, z0}, {left, bottom, z1}, {right, bottom, z1}, {right, bottom, z0}), darkSides,
                   gdTopBottom, 64);
}

void TZebCanvas3D::DrawBoxVariant(int left, int right, int top, int bottom, int z0, int z1, int unused, bool darkSides,
                                  int roundSize)
{
    (void)unused;
    DrawBox(left, right, top, bottom, z0, z1, darkSides, roundSize);
}

void TZebCanvas3D::DrawPlainCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                     bool darkSides)
{
    DrawTaperedCylinder(vertical, left, top, right, bottom, z0, z1, darkSides, 100);
}

void TZebCanvas3D::DrawTaperedCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                       bool darkSides, int conePercent)
{
    const int rz = (z1 - z0) / 2, zc = (z0 + z1) / 2;
    const int r = vertical ? (right - left) / 2 : (bottom - top) / 2;
    const int c = vertical ? (left + right) / 2 : (top + bottom) / 2;
    const int sides = std::max(3, CylinderSideCount);
    const auto circle = [&](int at, int radius, int zRadius) {
        std::vector<TPointFloat> out(sides);
        for (int i = 0; i < sides; ++i) {
            const double a = i * 2 * std::numbers::pi / sides;
            const int u = PixelRoundAt(std::sin(a) * radius, c);
            const int z = PixelRoundAt(-std::cos(a) * zRadius, zc);
            TPointFloat p = vertical ? TPointFloat{static_cast<float>(u), static_cast<float>(at)}
                                     : TPointFloat{static_cast<float>(at), static_cast<float>(u)};
            ProjectXYZFloat(p, static_cast<float>(z));
            out[i] = p;
        }
        return out;
    };
    const std::vector<TPointFloat> base = circle(vertical ? bottom : left, r, rz);
    const bool cone = conePercent == 0;
    std::vector<TPointFloat> far;
    if (!cone) {
        const int fr = conePercent == 100 ? r : PixelRound(r * conePercent * 0.01);
        const int fz = conePercent == 100 ? rz : PixelRound(rz * conePercent * 0.01);
        far = circle(vertical ? top : right, fr, fz);
    }
    bool capTest;
    if (vertical) {
        capTest = bottom < top;
    } else {
        // The far end (x = right) shows where the planes of constant x face the viewer, as the
        // right faces of boxes do; their back-facing test taken as it stands would cap the near
        // end instead and leave the far one open.
        capTest = !IsBackFacing(ProjectXYZ(0, 0, 0), ProjectXYZ(0, 0, 10), ProjectXYZ(0, 10, 10));
        if (right < left) capTest = !capTest;
    }
    if (!cone && !capTest) PolygonFloat(far);

    const std::vector<TPointFloat>& ring = cone ? base : far;
    const auto key = [&](const TPointFloat& p) { return vertical ? p.X : p.Y; };
    int iMin = 0, iMax = 0;
    for (int i = 1; i < sides; ++i) {
        if (key(ring[i]) < key(ring[iMin])) iMin = i;
        if (key(ring[i]) > key(ring[iMax])) iMax = i;
    }
    std::vector<TPointFloat> body;
    for (int i = iMin;; i = (i + 1) % sides) {
        body.push_back(ring[i]);
        if (i == iMax) break;
    }
    if (cone) {
        TPointFloat apex = vertical ? TPointFloat{static_cast<float>(c), static_cast<float>(top)}
                                    : TPointFloat{static_cast<float>(right), static_cast<float>(c)};
        ProjectXYZFloat(apex, static_cast<float>(zc));
        body.push_back(apex);
    } else {
        for (int i = iMax;; i = (i + sides - 1) % sides) {
            body.push_back(base[i]);
            if (i == iMin) break;
        }
    }
    const TColor color = Brush()->Color();
    TZebGradient& g = *Brush()->Gradient();
    g.SetMidColor(clNone);
    g.SetDirection(vertical ? gdLeftRight : gdTopBottom);
    g.SetStartColor(darkSides ? LightenColor(color, 64) : color);
    g.SetEndColor(DarkenColor(color, darkSides ? 128 : 64));
    g.SetVisible(true);
    PolygonFloat(body);
    if (capTest) PolygonFloat(base);
}

void TZebCanvas3D::DrawSquarePyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                     bool darkSides)
{
    // In the horizontal case x and y change roles: the apex at x = right, the base at x = left.
    const auto at = [&](int u, int v, int z) { return vertical ? ProjectXYZ(u, v, z) : ProjectXYZ(v, u, z); };
    const int uLo = vertical ? left : top, uHi = vertical ? right : bottom;
    const int vApex = vertical ? top : right, vBase = vertical ? bottom : left;
    const TPoint p0 = at(uLo, vBase, z0), p1 = at(uHi, vBase, z0), p2 = at(uLo, vBase, z1), p3 = at(uHi, vBase, z1);
    const TPoint apex = at((uLo + uHi) / 2, vApex, (z0 + z1) / 2);
    const bool upright = vertical ? top < bottom : right > left;
    const TColor color = Brush()->Color();
    if (vApex != vBase) {
        const TPoint front[] = {p0, p1, apex};
        Polygon(front);
        if (IsBackFacing(p0, apex, p2) != upright) {
            const TPoint side[] = {p0, apex, p2};
            Polygon(side);
        }
        if (darkSides) Brush()->SetColor(DarkenColor(color, 128));
        if (IsBackFacing(p1, apex, p3) == upright) {
            const TPoint side[] = {p1, apex, p3};
            Polygon(side);
        }
        if (upright && IsBackFacing(apex, p2, p3)) {
            const TPoint back[] = {apex, p2, p3};
            Polygon(back);
        }
    }
    if (IsBackFacing(p0, p1, p2) == upright) {
        if (darkSides) Brush()->SetColor(DarkenColor(color, 64));
        const TPoint base[] = {p0, p1, p3, p2};
        Polygon(base);
    }
    if (darkSides) Brush()->SetColor(color);
}

void TZebCanvas3D::DrawArrowAtZ(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z0, int z1,
                                double bodyPercent)
{
    const auto pts = CalcArrowPointsAtZ(from, to, (z0 + z1) / 2, headLength, headWidth, bodyPercent);
    if (pts.empty()) return;
    if (filled) {
        Polygon(pts);
        return;
    }
    const TPoint start = ProjectXYZ(from.X, from.Y, (z0 + z1) / 2);
    DrawLine(start.X, start.Y, pts[3].X, pts[3].Y);
    DrawLine(pts[2].X, pts[2].Y, pts[3].X, pts[3].Y);
    DrawLine(pts[4].X, pts[4].Y, pts[3].X, pts[3].Y);
}

void TZebCanvas3D::DrawSolidPieSlice(const TSolidPieSlice& slice)
{
    if (!std::isfinite(slice.StartAngle) || !std::isfinite(slice.EndAngle)) return;
    const int t = slice.Z1 - slice.Z0;
    const int depth = t;
    // Whole degrees; huge angles lose whole turns by remainder rather than by a loop.
    const auto degrees = [](double radians) {
        const long double d = std::fmod(static_cast<long double>(radians) * 57.295779513082320877L, 720.0L);
        return PixelRound(d);
    };
    int start = degrees(slice.StartAngle), end = degrees(slice.EndAngle);
    const bool full = start == end || end - start == 360 ||
                      std::abs(slice.EndAngle - slice.StartAngle) >= 2 * std::numbers::pi - 1e-9;
    if (end < start) end += 360;
    if (full) end = start + 360;
    const int sweep = end - start;
    const bool whole = slice.Transparency > 0 && !slice.HideSides;
    const bool donut = slice.DonutPercent > 0;
    const double irx = PixelRound(slice.RadiusX * slice.DonutPercent * 0.01),
                 iry = PixelRound(slice.RadiusY * slice.DonutPercent * 0.01);
    const double rx = slice.RadiusX, ry = slice.RadiusY;
    // A bevel: the top face shrinks by w and a ring joins it to the outer ellipse w lower.
    const bool bevel = slice.BevelPercent > 0;
    const double w = t * slice.BevelPercent * 0.01;
    const double topRx = bevel ? PixelRound(rx - w) : rx, topRy = bevel ? PixelRound(ry - w) : ry;
    const int drop = bevel ? PixelRound(w) : 0;

    // The point at angle a (degrees) of the ellipse with radii rx, ry, dy pixels below the top face.
    const auto at = [&](double a, double ex, double ey, int dy) {
        const double r = a * std::numbers::pi / 180;
        return ProjectXYZ(PixelRoundAt(std::cos(r) * ex, slice.CenterX),
                          PixelRoundAt(-std::sin(r) * ey, static_cast<long double>(slice.CenterY) + dy), depth);
    };
    const auto arc = [&](std::vector<TPoint>& out, int from, int to, double ex, double ey, int dy) {
        const int step = from <= to ? 1 : -1;
        for (int a = from;; a += step) {
            out.push_back(at(a, ex, ey, dy));
            if (a == to) break;
        }
    };
    const TPoint centerTop = ProjectXYZ(slice.CenterX, slice.CenterY, depth),
                 centerBottom = ProjectXYZ(slice.CenterX, slice.CenterY + t, depth);

    TZebBlend* blend = nullptr;
    if (slice.Transparency > 0) {
        const int halfPen = Pen()->Width() / 2;
        const TRect bounds{slice.CenterX - slice.RadiusX, slice.CenterY - slice.RadiusY, slice.CenterX + slice.RadiusX,
                           slice.CenterY + slice.RadiusY + t};
        TRect projected = ProjectedBoundsAtZ(bounds, depth);
        projected = {projected.Left - halfPen, projected.Top - halfPen, projected.Right + halfPen,
                     projected.Bottom + halfPen};
        blend = StartBlend(SupportsAlpha() ? TRect{} : projected, slice.Transparency);
    }
    const auto face = [&](bool top) {
        const int dy = top ? 0 : t;
        std::vector<TPoint> pts;
        arc(pts, start, end, top ? topRx : rx, top ? topRy : ry, dy);
        if (donut)
            arc(pts, end, start, irx, iry, dy);
        else if (!full)
            pts.push_back(top ? centerTop : centerBottom);
        Polygon(pts);
    };
    // The outer wall below the top face (below the bevel ring when bevelled), or the inner one.
    const auto wall = [&](int u, int v, bool inner = false) {
        if (u == v) return;
        std::vector<TPoint> pts;
        arc(pts, u, v, inner ? irx : rx, inner ? iry : ry, inner ? 0 : drop);
        arc(pts, v, u, inner ? irx : rx, inner ? iry : ry, t);
        Polygon(pts);
    };
    const TColor brushColor = Brush()->Color();
    const auto ring = [&](int u, int v) {
        if (!bevel) return;
        if (v < u) v += 360;
        std::vector<TPoint> pts;
        arc(pts, u, v, topRx, topRy, 0);
        arc(pts, v, u, rx, ry, drop);
        const TColor sideColor = Brush()->Color();
        const bool clearBrush = Brush()->Style() == bsClear;
        if (!clearBrush)
            Brush()->SetColor(slice.BevelBrightness > 0 ? LightenColor(brushColor, slice.BevelBrightness)
                                                        : DarkenColor(brushColor, -slice.BevelBrightness));
        TPen& pen = *TargetCanvas()->Pen();
        const TPenStyle penStyle = pen.Style();
        if (!slice.BevelBorder) pen.SetStyle(psClear);
        Polygon(pts);
        pen.SetStyle(penStyle);
        if (!clearBrush) Brush()->SetColor(sideColor);
    };
    const auto side = [&](int a) {
        std::vector<TPoint> pts;
        pts.push_back(donut ? at(a, irx, iry, 0) : centerTop);
        pts.push_back(at(a, topRx, topRy, 0));
        if (bevel) pts.push_back(at(a, rx, ry, drop));
        pts.push_back(at(a, rx, ry, t));
        pts.push_back(donut ? at(a, irx, iry, t) : centerBottom);
        Polygon(pts);
    };
    const auto norm = [](int x) { return ((x % 360) + 360) % 360; };

    if (whole) face(false);
    const bool darken = slice.DarkSides && Brush()->Style() != bsClear;
    if (darken) Brush()->SetColor(DarkenColor(brushColor, 32));
    // A pen of the slice's colour darkens with the sides, so their outline stays in their shade.
    const TColor penColor = Pen()->Color();
    const bool darkenPen = slice.DarkSides && Pen()->Visible() && ColorToRGB(penColor) == ColorToRGB(brushColor);
    if (darkenPen) Pen()->SetColor(DarkenColor(brushColor, 32));
    if (sweep != 0) {
        const bool sides = !full && (whole || slice.DrawSides);
        const TPoint ps = at(start, topRx, topRy, 0), pe = at(end, topRx, topRy, 0);
        const int cx = centerTop.X, yc = centerTop.Y;
        const auto innerWall = [&] {
            if (donut && !slice.HideSides && (whole || ps.Y < yc || pe.Y < yc || sweep >= 180)) wall(start, end, true);
        };
        const auto outerWall = [&](int a, int b) {
            const int S = norm(a), E = norm(b);
            if (full) {
                wall(0, 180);
                wall(180, 360);
                if (!whole) ring(0, 360);
                return;
            }
            if (ps.Y <= yc && pe.Y <= yc) {
                if (sweep < 180) {
                    if (whole)
                        wall(a, b);
                    else
                        ring(a, b);
                    return;
                }
                wall(a, b);
                if (whole) return;
            } else if (ps.Y > yc && pe.Y < yc) {
                if (whole) wall(0, E);
                if (S > 0) wall(S, 360);
            } else if (ps.Y < yc && pe.Y > yc) {
                if (whole) wall(180, S);
                wall(180, norm(end));
            } else if (ps.Y >= yc && pe.Y > yc && sweep > 180) {
                wall(0, 180);
                wall(E, 180);
                if (S > 0) wall(S, 360);
            } else {
                wall(S, E < S ? E + 360 : E);
            }
            ring(start, end);
        };
        const auto startSide = [&] {
            if (sides) side(start);
        };
        const auto endSide = [&] {
            if (sides) side(end);
        };
        const auto outer = [&] { outerWall(start, end); };
        // The order keeps nearer parts over farther ones.
        const bool right = cx<pe.X, left = cx> ps.X;
        if (right && left) {
            innerWall(), startSide(), endSide();
            if (sweep > 180)
                outerWall(std::max(start, 180), std::min(end, 360));
            else
                outer();
        } else if (right) {
            if (sweep > 180)
                innerWall(), startSide(), endSide(), outer();
            else
                endSide(), innerWall(), outer(), startSide();
        } else if (left) {
            if (sweep > 180)
                innerWall(), endSide(), startSide(), outer();
            else
                startSide(), innerWall(), outer(), endSide();
        } else {
            if (sweep > 180)
                innerWall(), endSide(), outer(), startSide();
            else
                innerWall(), outer(), startSide(), endSide();
        }
    }
    if (darken) Brush()->SetColor(brushColor);
    if (darkenPen) Pen()->SetColor(penColor);
    face(true);
    // A gloss over the top face, for canvases that paint one (this one does not).
    if (slice.Overlay || slice.OverlayStyle != 2) {
        const TRect outer{slice.CenterX - slice.RadiusX, slice.CenterY - slice.RadiusY, slice.CenterX + slice.RadiusX,
                          slice.CenterY + slice.RadiusY};
        const TRect band{PixelRoundAt(-topRx, slice.CenterX), PixelRoundAt(-topRy, slice.CenterY),
                         PixelRoundAt(topRx, slice.CenterX), PixelRoundAt(topRy, slice.CenterY)};
        const TRect inner = donut ? TRect{PixelRoundAt(-irx, slice.CenterX), PixelRoundAt(-iry, slice.CenterY),
                                          PixelRoundAt(irx, slice.CenterX), PixelRoundAt(iry, slice.CenterY)}
                                  : TRect{};
        DrawShineOverlay(slice.OverlayStyle, depth, outer, band, inner, start, end, centerTop, donut);
    }
    if (blend) FinishBlend(blend);
}
