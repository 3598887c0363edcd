#include "chart/core/HitTests.h"

#include <cmath>

TRect RectAroundPoint(TPoint center, int halfWidth, int halfHeight)
{
    return RectAroundXY(center.X, center.Y, halfWidth, halfHeight);
}

TRect RectAroundXY(int x, int y, int halfWidth, int halfHeight)
{
    if (halfHeight == 0) halfHeight = halfWidth;
    return {x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

namespace {

float distanceToSegment(float px, float py, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax;
    const float dy = by - ay;
    const float length2 = dx * dx + dy * dy;
    if (length2 == 0) return std::hypot(px - ax, py - ay);
    const float t = ((px - ax) * dx + (py - ay) * dy) / length2;
    if (t < 0) return std::hypot(px - ax, py - ay);
    if (t > 1) return std::hypot(px - bx, py - by);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

}  // namespace

bool IsNearSegmentXY(TPoint point, int x0, int y0, int x1, int y1, int tolerance)
{
    if ((point.X == x0 && point.Y == y0) || (point.X == x1 && point.Y == y1)) return true;
    const float d = distanceToSegment(static_cast<float>(point.X), static_cast<float>(point.Y), static_cast<float>(x0),
                                      static_cast<float>(y0), static_cast<float>(x1), static_cast<float>(y1));
    return d <= static_cast<float>(tolerance) + 1.0f;
}

bool IsNearSegment(TPoint point, TPoint p0, TPoint p1, int tolerance)
{
    return IsNearSegmentXY(point, p0.X, p0.Y, p1.X, p1.Y, tolerance);
}

bool IsOnSegmentXY(TPoint point, int x0, int y0, int x1, int y1) { return IsNearSegmentXY(point, x0, y0, x1, y1, 0); }

bool IsOnSegment(TPoint point, TPoint p0, TPoint p1) { return IsNearSegmentXY(point, p0.X, p0.Y, p1.X, p1.Y, 0); }

bool IsInsidePolygon(TPoint point, std::span<const TPoint> polygon)
{
    if (polygon.size() < 3) return false;
    bool inside = false;
    TPoint previous = polygon.back();
    for (const TPoint& vertex : polygon) {
        const bool spans = (vertex.Y <= point.Y && point.Y < previous.Y) ||
                           (previous.Y <= point.Y && point.Y < vertex.Y);
        if (spans) {
            const double crossing = static_cast<double>(point.Y - vertex.Y) * (previous.X - vertex.X) /
                                        (previous.Y - vertex.Y) +
                                    vertex.X;
            if (point.X < crossing) inside = !inside;
        }
        previous = vertex;
    }
    return inside;
}

bool IsInsideTriangle(TPoint point, TPoint p0, TPoint p1, TPoint p2)
{
    const TPoint corners[] = {p0, p1, p2};
    return IsInsidePolygon(point, corners);
}

bool IsInsideTriangleVertical(TPoint point, int x0, int x1, int y0, int y1)
{
    return IsInsideTriangle(point, {x0, y0}, {x1, y0}, {(x0 + x1) / 2, y1});
}

bool IsInsideTriangleHorizontal(TPoint point, int y0, int y1, int x0, int x1)
{
    return IsInsideTriangle(point, {x0, y0}, {x0, y1}, {x1, (y0 + y1) / 2});
}

bool IsInsideEllipseXY(TPoint point, int left, int top, int right, int bottom)
{
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    const double a = static_cast<double>(cx - left) * (cx - left);
    const double b = static_cast<double>(cy - top) * (cy - top);
    if (a == 0 || b == 0) return false;
    const double dx = point.X - cx;
    const double dy = point.Y - cy;
    return dx * dx / a + dy * dy / b <= 1;
}

bool IsInsideEllipse(TPoint point, const TRect& box)
{
    return IsInsideEllipseXY(point, box.Left, box.Top, box.Right, box.Bottom);
}

namespace {

// Which side of the line through p0 and p1 the point lies on (the sign), 0 on it.
double sideOf(TSegmentPoint p0, TSegmentPoint p1, TSegmentPoint point)
{
    return (p1.X - p0.X) * (point.Y - p0.Y) - (p1.Y - p0.Y) * (point.X - p0.X);
}

bool separates(TSegmentPoint p0, TSegmentPoint p1, TSegmentPoint q0, TSegmentPoint q1)
{
    const double s0 = sideOf(p0, p1, q0);
    const double s1 = sideOf(p0, p1, q1);
    return (s0 > 0) != (s1 > 0) || (s0 == 0) != (s1 == 0);
}

}  // namespace

bool IntersectSegments(TSegmentPoint a0, TSegmentPoint a1, TSegmentPoint b0, TSegmentPoint b1, double& x, double& y)
{
    if (a1.X == a0.X || b1.X == b0.X) return false;
    const double mA = (a1.Y - a0.Y) / (a1.X - a0.X);
    const double mB = (b1.Y - b0.Y) / (b1.X - b0.X);
    const double interceptA = a0.Y - mA * a0.X;
    const double interceptB = b0.Y - mB * b0.X;
    if (std::fabs(mA - mB) <= 1e-15)
        x = b1.X;
    else
        x = (interceptB - interceptA) / (mA - mB);
    y = interceptB + mB * x;
    return separates(a0, a1, b0, b1) && separates(b0, b1, a0, a1);
}
