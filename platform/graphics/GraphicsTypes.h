#pragma once
// Points, sizes and rectangles of the drawing layer (32-bit integer device units).
#include <cstdint>

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    constexpr bool operator==(const TSize&) const = default;
};

struct TPointFloat {
    float X = 0;
    float Y = 0;
    constexpr bool operator==(const TPointFloat&) const = default;
};

// Right and Bottom are exclusive, as everywhere in the drawing calls.
struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    constexpr std::int32_t Width() const { return Right - Left; }
    constexpr std::int32_t Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TPoint Point(std::int32_t x, std::int32_t y) { return {x, y}; }
constexpr TSize Size(std::int32_t cx, std::int32_t cy) { return {cx, cy}; }
constexpr TRect Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) { return {l, t, r, b}; }
constexpr TRect Rect(TPoint topLeft, TPoint bottomRight)
{
    return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}
constexpr TRect Bounds(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) { return {l, t, l + w, t + h}; }

constexpr bool IsRectEmpty(const TRect& r) { return r.IsEmpty(); }
constexpr bool PtInRect(const TRect& r, TPoint p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
// Dst becomes the overlap; false (and an all-zero Dst) when there is none.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
// Dst becomes the bounding box; empty inputs are ignored; false when both are empty.
bool UnionRect(TRect& dst, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, std::int32_t dx, std::int32_t dy);
void InflateRect(TRect& r, std::int32_t dx, std::int32_t dy);
