#include "platform/graphics/GraphicsTypes.h"

#include <algorithm>

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dst = TRect{};
        return false;
    }
    dst = r;
    return true;
}

bool UnionRect(TRect& dst, const TRect& a, const TRect& b)
{
    if (a.IsEmpty() && b.IsEmpty()) {
        dst = TRect{};
        return false;
    }
    if (a.IsEmpty())
        dst = b;
    else if (b.IsEmpty())
        dst = a;
    else
        dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
    return true;
}

void OffsetRect(TRect& r, std::int32_t dx, std::int32_t dy)
{
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

void InflateRect(TRect& r, std::int32_t dx, std::int32_t dy)
{
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}
