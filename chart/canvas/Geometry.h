#pragma once
// Small geometry of the drawing layer: rectangles, points, containment, back faces, polygons.
// Integer halving truncates toward zero; float-to-integer rounding takes halves to even.
#include <array>
#include <span>
#include <vector>

#include "platform/graphics/GraphicsTypes.h"

// Four 32-bit floats in the order of TRect.
struct TFloatRect {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    constexpr bool operator==(const TFloatRect&) const = default;
};

// Nearest integer, halves to even.
int RoundHalfEven(double value);

TPoint PointFromXY(int x, int y);
void OffsetPointBy(TPoint& point, int amount);
TPoint RoundFloatPoint(TPointFloat point);
TPointFloat PointToFloatPoint(TPoint point);

TRect RectFromEdges(int left, int top, int right, int bottom);
TRect RectFromSize(int width, int height);
TRect RectFromEdgesNormalized(int x0, int y0, int x1, int y1);
TRect NormalizeRect(const TRect& rect);
// Negative amounts shrink.
void InflateRectBy(TRect& rect, int dx, int dy);
void InflateFloatRect(TFloatRect& rect, float dx, float dy);
TFloatRect RectToFloatRect(const TRect& rect);
void GetRectSize(const TRect& rect, int& width, int& height);
void GetFloatRectSize(const TFloatRect& rect, float& width, float& height);
void RectCenterXY(const TRect& rect, int& x, int& y);
TPoint RectCenterPoint(const TRect& rect);
void FloatRectCenter(const TFloatRect& rect, float& x, float& y);

// Edges included on all four sides.
bool RectContainsXY(const TRect& rect, int x, int y);
bool RectContainsPoint(const TRect& rect, TPoint point);
bool FloatRectContainsXY(const TFloatRect& rect, float x, float y);

// Right and bottom one past the largest coordinates; the zero rectangle for no points.
TRect BoundsOfPointArray(std::span<const TPoint> points);
// The corners of rect (left-top, right-top, right-bottom, left-bottom) turned by angle degrees
// about its centre.
std::array<TPoint, 4> RotatedRectCorners(const TRect& rect, double angle);
// Inclusive bounds; the zero rectangle for no points.
TFloatRect BoundsOfFloatPoints(std::span<const TPointFloat> points);

// The face through three screen points turns its back to the viewer.
bool IsBackFacing(TPoint p0, TPoint p1, TPoint p2);
bool IsBackFacingTriangle(std::span<const TPoint> points);  // the first three points
bool IsBackFacingFloat(TPointFloat p0, TPointFloat p1, TPointFloat p2);

// Even-odd ray test.
bool PointInPolygon(TPoint point, std::span<const TPoint> polygon);
bool PolygonInsidePolygon(std::span<const TPoint> points, std::span<const TPoint> polygon);
// Area centroid; one point gives the point, two their midpoint, none or no area (0, 0).
TPointFloat PolygonCentroid(std::span<const TPoint> points);

// The end moved toward the start by distance (a negative distance extends the line).
TPoint PullBackLineEnd(TPoint start, TPoint end, double distance);
TPointFloat PullBackLineEndFloat(TPointFloat start, TPointFloat end, double distance);
double HypotDouble(double a, double b);
float HypotSingle(float a, float b);
float HypotInt(int a, int b);  // the sum of squares formed in integers

// Replaces the points by their convex hull, the pivot (smallest y, then largest x) last. Three
// points stay as they are; fewer than three: false and unchanged.
bool ComputeConvexHull(std::vector<TPoint>& points);

// A chart element kept by canvases that hold 3-D elements: centre and size in chart space.
struct TBlockPlacement {
    float PositionX = 0, PositionY = 0, PositionZ = 0;
    float SizeX = 0, SizeY = 0, SizeZ = 0;
};
void PlaceBlockFromRect(TBlockPlacement& block, const TRect& rect, int panelHeight, int z0, int z1);

void ExchangeDoubles(double& a, double& b);
void ExchangeIntegers(int& a, int& b);
