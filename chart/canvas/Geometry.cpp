#include "chart/canvas/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

TPoint PointFromXY(int x, int y) { return {x, y}; }

void OffsetPointBy(TPoint& point, int amount)
{
    point.X += amount;
    point.Y += amount;
}

TPoint RoundFloatPoint(TPointFloat point) { return {RoundHalfEven(point.X), RoundHalfEven(point.Y)}; }

TPointFloat PointToFloatPoint(TPoint point) { return {static_cast<float>(point.X), static_cast<float>(point.Y)}; }

TRect RectFromEdges(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

TRect RectFromSize(int width, int height) { return {0, 0, width, height}; }

TRect RectFromEdgesNormalized(int x0, int y0, int x1, int y1)
{
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

TRect NormalizeRect(const TRect& rect) { return RectFromEdgesNormalized(rect.Left, rect.Top, rect.Right, rect.Bottom); }

void InflateRectBy(TRect& rect, int dx, int dy)
{
    rect.Left -= dx;
    rect.Top -= dy;
    rect.Right += dx;
    rect.Bottom += dy;
}

void InflateFloatRect(TFloatRect& rect, float dx, float dy)
{
    rect.Left -= dx;
    rect.Top -= dy;
    rect.Right += dx;
    rect.Bottom += dy;
}

TFloatRect RectToFloatRect(const TRect& rect)
{
    return {static_cast<float>(rect.Left), static_cast<float>(rect.Top), static_cast<float>(rect.Right),
            static_cast<float>(rect.Bottom)};
}

void GetRectSize(const TRect& rect, int& width, int& height)
{
    width = rect.Right - rect.Left;
    height = rect.Bottom - rect.Top;
}

void GetFloatRectSize(const TFloatRect& rect, float& width, float& height)
{
    width = rect.Right - rect.Left;
    height = rect.Bottom - rect.Top;
}

void RectCenterXY(const TRect& rect, int& x, int& y)
{
    x = (rect.Left + rect.Right) / 2;
    y = (rect.Top + rect.Bottom) / 2;
}

TPoint RectCenterPoint(const TRect& rect)
{
    TPoint p;
    RectCenterXY(rect, p.X, p.Y);
    return p;
}

void FloatRectCenter(const TFloatRect& rect, float& x, float& y)
{
    x = (rect.Left + rect.Right) * 0.5f;
    y = (rect.Top + rect.Bottom) * 0.5f;
}

bool RectContainsXY(const TRect& rect, int x, int y)
{
    return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}

bool RectContainsPoint(const TRect& rect, TPoint point) { return RectContainsXY(rect, point.X, point.Y); }

bool FloatRectContainsXY(const TFloatRect& rect, float x, float y)
{
    return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}

TRect BoundsOfPointArray(std::span<const TPoint> points)
{
    if (points.empty()) return {};
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points.subspan(1)) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    ++r.Right;
    ++r.Bottom;
    return r;
}

TFloatRect BoundsOfFloatPoints(std::span<const TPointFloat> points)
{
    if (points.empty()) return {};
    TFloatRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPointFloat& p : points.subspan(1)) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

bool IsBackFacing(TPoint p0, TPoint p1, TPoint p2)
{
    const long long a = static_cast<long long>(p0.X - p1.X) * (p2.Y - p1.Y);
    const long long b = static_cast<long long>(p2.X - p1.X) * (p0.Y - p1.Y);
    return a - b < 0;
}

bool IsBackFacingTriangle(std::span<const TPoint> points)
{
    return points.size() >= 3 && IsBackFacing(points[0], points[1], points[2]);
}

bool IsBackFacingFloat(TPointFloat p0, TPointFloat p1, TPointFloat p2)
{
    return (p0.X - p1.X) * (p2.Y - p1.Y) - (p2.X - p1.X) * (p0.Y - p1.Y) < 0;
}

bool PointInPolygon(TPoint point, std::span<const TPoint> polygon)
{
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n ? n - 1 : 0; i < n; j = i++) {
        const TPoint& pi = polygon[i];
        const TPoint& pj = polygon[j];
        if ((pj.Y <= point.Y && point.Y < pi.Y) || (pi.Y <= point.Y && point.Y < pj.Y)) {
            const double x = pj.X + static_cast<double>(pi.X - pj.X) * (point.Y - pj.Y) / (pi.Y - pj.Y);
            if (point.X <= x) inside = !inside;
        }
    }
    return inside;
}

bool PolygonInsidePolygon(std::span<const TPoint> points, std::span<const TPoint> polygon)
{
    for (const TPoint& p : points)
        if (!PointInPolygon(p, polygon)) return false;
    return true;
}

TPointFloat PolygonCentroid(std::span<const TPoint> points)
{
    const std::size_t n = points.size();
    if (n == 0) return {};
    if (n == 1) return PointToFloatPoint(points[0]);
    if (n == 2)
        return {static_cast<float>((points[0].X + points[1].X) * 0.5),
                static_cast<float>((points[0].Y + points[1].Y) * 0.5)};
    double sum = 0, cx = 0, cy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % n];
        const double d = static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
        sum += d;
        cx += d * (a.X + b.X);
        cy += d * (a.Y + b.Y);
    }
    if (sum == 0) return {};
    return {static_cast<float>(cx / (3 * sum)), static_cast<float>(cy / (3 * sum))};
}

TPoint PullBackLineEnd(TPoint start, TPoint end, double distance)
{
    if (start.X == end.X) {
        const int d = RoundHalfEven(distance);
        if (start.Y < end.Y) return {end.X, end.Y - d};
        if (start.Y > end.Y) return {end.X, end.Y + d};
        return end;
    }
    const double a = std::atan2(static_cast<double>(end.Y - start.Y), static_cast<double>(end.X - start.X));
    return {end.X - RoundHalfEven(distance * std::cos(a)), end.Y - RoundHalfEven(distance * std::sin(a))};
}

TPointFloat PullBackLineEndFloat(TPointFloat start, TPointFloat end, double distance)
{
    if (start.X == end.X) {
        const float d = static_cast<float>(distance);
        if (start.Y < end.Y) return {end.X, end.Y - d};
        if (start.Y > end.Y) return {end.X, end.Y + d};
        return end;
    }
    const double a = std::atan2(static_cast<double>(end.Y) - start.Y, static_cast<double>(end.X) - start.X);
    return {static_cast<float>(end.X - distance * std::cos(a)), static_cast<float>(end.Y - distance * std::sin(a))};
}

double HypotDouble(double a, double b) { return std::sqrt(a * a + b * b); }

float HypotSingle(float a, float b) { return std::sqrt(a * a + b * b); }

float HypotInt(int a, int b)
{
    const long long s = static_cast<long long>(a) * a + static_cast<long long>(b) * b;
    return static_cast<float>(std::sqrt(static_cast<double>(s)));
}

bool ComputeConvexHull(std::vector<TPoint>& points)
{
    if (points.size() < 3) return false;
    if (points.size() == 3) return true;
    std::size_t pivotIndex = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const TPoint& p = points[i];
        const TPoint& q = points[pivotIndex];
        if (p.Y < q.Y || (p.Y == q.Y && p.X > q.X)) pivotIndex = i;
    }
    const TPoint pivot = points[pivotIndex];
    points[pivotIndex] = points.back();
    points.pop_back();

    auto key = [&](const TPoint& p) {
        const double dx = pivot.X - p.X, dy = pivot.Y - p.Y;
        const double h = std::hypot(dx, dy);
        return h == 0 ? 0.0 : dx / h;
    };
    std::sort(points.begin(), points.end(), [&](const TPoint& a, const TPoint& b) { return key(a) < key(b); });

    std::size_t i = 1;
    while (points.size() >= 2 && i < points.size() - 1) {
        const TPoint p = points[i], prev = points[i - 1], next = points[i + 1];
        const long long turn = static_cast<long long>(prev.X - p.X) * (next.Y - p.Y) -
                               static_cast<long long>(next.X - p.X) * (prev.Y - p.Y);
        if (turn < 0) {
            ++i;
        } else {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
            i = std::max<std::size_t>(1, i - 1);
        }
    }
    points.push_back(pivot);
    return true;
}

void PlaceBlockFromRect(TBlockPlacement& block, const TRect& rect, int panelHeight, int z0, int z1)
{
    block.PositionX = (rect.Left + rect.Right) * 0.5f;
    block.PositionY = (z0 + z1) * 0.5f;
    block.PositionZ = panelHeight - (rect.Top + rect.Bottom) * 0.5f;
    block.SizeX = static_cast<float>(std::abs(rect.Right - rect.Left));
    block.SizeY = static_cast<float>(std::abs(z0 - z1));
    block.SizeZ = static_cast<float>(std::abs(rect.Bottom - rect.Top));
}

void ExchangeDoubles(double& a, double& b) { std::swap(a, b); }

void ExchangeIntegers(int& a, int& b) { std::swap(a, b); }

std::array<TPoint, 4> RotatedRectCorners(const TRect& rect, double angle)
{
    const std::array<TPoint, 4> corners{
        {{rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left, rect.Bottom}}};
    // Every axis label asks, nearly always unturned.
    if (angle == 0) return corners;
    const int cx = (rect.Left + rect.Right) / 2, cy = (rect.Top + rect.Bottom) / 2;
    const double a = angle * std::numbers::pi / 180, c = std::cos(a), s = std::sin(a);
    std::array<TPoint, 4> out;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const double dx = corners[i].X - cx, dy = corners[i].Y - cy;
        out[i] = {RoundHalfEven(dx * c + dy * s) + cx, RoundHalfEven(-dx * s + dy * c) + cy};
    }
    return out;
}
