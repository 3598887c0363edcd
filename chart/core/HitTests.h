#pragma once
// Hit tests in screen geometry (integer pixels, y down) for marks, shapes, lines and tools.
#include <span>

#include "platform/graphics/GraphicsTypes.h"

// The rectangle from centre - half to centre + half; a half height of 0 means the half width.
TRect RectAroundPoint(TPoint center, int halfWidth, int halfHeight = 0);
TRect RectAroundXY(int x, int y, int halfWidth, int halfHeight = 0);

// True when the point is an end point, or lies within tolerance + 1 of the segment (measured in
// single precision), so tolerance 0 still takes the pixels beside a line.
bool IsNearSegmentXY(TPoint point, int x0, int y0, int x1, int y1, int tolerance);
bool IsNearSegment(TPoint point, TPoint p0, TPoint p1, int tolerance);
bool IsOnSegmentXY(TPoint point, int x0, int y0, int x1, int y1);
bool IsOnSegment(TPoint point, TPoint p0, TPoint p1);

// Even-odd rule with half-open spans: a point on a left or top edge is inside, on a right or
// bottom edge outside (screen coordinates). False with fewer than three points (two enclose nothing).
bool IsInsidePolygon(TPoint point, std::span<const TPoint> polygon);
bool IsInsideTriangle(TPoint point, TPoint p0, TPoint p1, TPoint p2);
// Base from (x0, y0) to (x1, y0), apex at ((x0 + x1) / 2, y1).
bool IsInsideTriangleVertical(TPoint point, int x0, int x1, int y0, int y1);
// Base from (x0, y0) to (x0, y1), apex at (x1, (y0 + y1) / 2).
bool IsInsideTriangleHorizontal(TPoint point, int y0, int y1, int x0, int x1);

// The ellipse inscribed in the box; false when the box has no width or no height.
bool IsInsideEllipseXY(TPoint point, int left, int top, int right, int bottom);
bool IsInsideEllipse(TPoint point, const TRect& box);

// A point of a floating-point segment.
struct TSegmentPoint {
    double X = 0;
    double Y = 0;
};
// Where segment a0-a1 crosses segment b0-b1; false when they do not (or either is vertical).
// x and y are set whenever both segments have a horizontal extent.
bool IntersectSegments(TSegmentPoint a0, TSegmentPoint a1, TSegmentPoint b0, TSegmentPoint b1, double& x, double& y);
