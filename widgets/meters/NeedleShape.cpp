#include "widgets/meters/NeedleShape.h"

void SetShapeHeader(TNeedleShape& shape, Byte count, Byte penBlinks, Byte hub1, Byte hub2)
{
    shape.Count = count;
    shape.PenBlinks = penBlinks;
    shape.Hub1 = hub1;
    shape.Hub2 = hub2;
}


TNeedleShape NeedleShape(int shape, const TRect& rect)
{
    const int h = (rect.Right - rect.Left) / 2;
    const int c = h / 10;
    const int l = h / 16;
    TNeedleShape s;
    auto set = [&](int count, int penBlinks, int hub1, int hub2, std::initializer_list<TPoint> polygon) {
        // Hub radii live in one byte each, as in the stored record.
        SetShapeHeader(s, Byte(count), Byte(penBlinks), Byte(hub1), Byte(hub2));
        s.Points[0] = Point(h, h);
        int i = 1;
        for (const TPoint& p : polygon) s.Points[i++] = p;
    };
    switch (shape) {
    case 1: set(4, 0, c + c / 2, 3, {{h - l, h}, {h + l, h}, {h, 0}}); break;
    case 2: set(4, 0, 0, 0, {{h - c, 4 * c}, {h + c, 4 * c}, {h, 0}}); break;
    case 3: set(4, 0, c, 3, {{h - l, h + 2 * c}, {h + l, h + 2 * c}, {h, 0}}); break;
    case 4:
        set(8, 0, 2, 0,
            {{h - l, h + c},
             {h + l, h + c},
             {h + l, 3 * c},
             {h + 2 * c, 3 * c},
             {h, 0},
             {h - 2 * c, 3 * c},
             {h - l, 3 * c}});
        break;
    case 5: set(6, 0, 2, 0, {{h - c, h + c}, {h + c, h + c}, {h + c, 2 * c}, {h, 0}, {h - c, 2 * c}}); break;
    case 6: set(5, 1, 8, 3, {{h - 1, h + 2 * c}, {h + 1, h + 2 * c}, {h + 1, 0}, {h - 1, 0}}); break;
    case 7: set(6, 0, l, 2, {{h - c, h}, {h - c - l, h + 2 * c}, {h + c + l, h + 2 * c}, {h + c, h}, {h, 0}}); break;
    default: set(4, 0, 2, 0, {{h - c, h + c}, {h + c, h + c}, {h, 0}}); break;
    }
    return s;
}

TNeedleShape RotateShape(const TNeedleShape& shape, bool clockwise, float angle)
{
    TNeedleShape r = shape;
    for (int i = 1; i < shape.Count && i < 8; ++i)
        r.Points[i] = RotatePoint(shape.Points[i], shape.Points[0], clockwise, angle);
    return r;
}
