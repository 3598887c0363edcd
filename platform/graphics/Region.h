#pragma once
// Clip and fill regions in device units: a value type (copying copies the shape).
#include <memory>
#include <vector>

#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/GraphicsTypes.h"

class TRegion {
public:
    TRegion();
    ~TRegion();
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    TRegion(TRegion&&) noexcept;
    TRegion& operator=(TRegion&&) noexcept;

    static TRegion FromRect(const TRect& r);
    static TRegion FromEllipse(const TRect& r);
    static TRegion FromRoundRect(const TRect& r, int cornerWidth, int cornerHeight);
    static TRegion FromPolygon(const TPoint* points, int count, int fillMode = ALTERNATE);

    bool IsEmpty() const;
    TRect BoundingBox() const;
    bool Contains(TPoint p) const;
    bool IntersectsRect(const TRect& r) const;
    int Kind() const;  // NULLREGION, SIMPLEREGION or COMPLEXREGION
    std::vector<TRect> Rects() const;
    void Offset(int dx, int dy);
    bool operator==(const TRegion& other) const;

    // Result replaces *this; returns the kind of the result.
    int Combine(const TRegion& a, const TRegion& b, int mode);

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// Win32-named helpers so ported drawing code reads the same.
using HRGN = TRegion*;
inline TRegion CreateRectRgn(int l, int t, int r, int b) { return TRegion::FromRect({l, t, r, b}); }
inline TRegion CreateRectRgnIndirect(const TRect& r) { return TRegion::FromRect(r); }
inline TRegion CreateEllipticRgn(int l, int t, int r, int b) { return TRegion::FromEllipse({l, t, r, b}); }
inline TRegion CreateEllipticRgnIndirect(const TRect& r) { return TRegion::FromEllipse(r); }
inline TRegion CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
{
    return TRegion::FromRoundRect({l, t, r, b}, w, h);
}
inline TRegion CreatePolygonRgn(const TPoint* pts, int count, int fillMode)
{
    return TRegion::FromPolygon(pts, count, fillMode);
}
inline int CombineRgn(TRegion& dst, const TRegion& a, const TRegion& b, int mode) { return dst.Combine(a, b, mode); }
inline int OffsetRgn(TRegion& rgn, int dx, int dy)
{
    rgn.Offset(dx, dy);
    return rgn.Kind();
}
inline bool PtInRegion(const TRegion& rgn, int x, int y) { return rgn.Contains({x, y}); }
inline bool RectInRegion(const TRegion& rgn, const TRect& r) { return rgn.IntersectsRect(r); }
inline int GetRgnBox(const TRegion& rgn, TRect& box)
{
    box = rgn.BoundingBox();
    return rgn.Kind();
}
inline bool EqualRgn(const TRegion& a, const TRegion& b) { return a == b; }
