#pragma once
// Needle polygons of the round meters and the record they travel in.
#include "widgets/meters/GaugeMath.h"

// A needle at angle 0 (pointing up): a header, the centre of rotation and up to seven polygon points.
struct TNeedleShape {
    Byte Count = 0;         // points after the header: the centre plus Count - 1 polygon points
    Byte PenBlinks = 0;     // the outline takes the blink colour too
    Byte Hub1 = 0;          // radius of the first hub circle (0: none)
    Byte Hub2 = 0;          // radius of the second hub circle
    TPoint Points[8] = {};  // [0] centre, [1 .. Count - 1] polygon

    const TPoint& Centre() const { return Points[0]; }
    int PolygonCount() const { return Count > 0 ? Count - 1 : 0; }
};

void SetShapeHeader(TNeedleShape& shape, Byte count, Byte penBlinks, Byte hub1, Byte hub2);

// Builds needle number `shape` (0..7; any other number gives 0) for a meter whose needle area is `rect`.
// Only the width of `rect` is used: the centre is (w/2, w/2) and the tip (w/2, 0).
TNeedleShape NeedleShape(int shape, const TRect& rect);

// Rotates the polygon about the centre; header and centre are copied.
TNeedleShape RotateShape(const TNeedleShape& shape, bool clockwise, float angle);
