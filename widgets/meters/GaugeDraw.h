#pragma once
// Drawing routines of the gauge set on the class library's canvas: anchored and engraved text,
// pie sectors by clockwise angles, rotated needles, background capture and the banded gradients.
#include <iterator>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"
#include "widgets/meters/NeedleShape.h"

class TCanvas;
class TBitmap;

enum TGradientStyle {
    gsHorizontal1,
    gsHorizontal2,
    gsHorizontal3,
    gsVertical1,
    gsVertical2,
    gsVertical3,
    gsElliptic1,
    gsElliptic2,
    gsElliptic3,
    gsRectangle,
    gsDiamond1,
    gsDiamond2,
    gsTopLeft,
    gsTopRight
};
inline constexpr const char* TGradientStyleNames[] = {
    "gsHorizontal1", "gsHorizontal2", "gsHorizontal3", "gsVertical1", "gsVertical2", "gsVertical3", "gsElliptic1",
    "gsElliptic2",   "gsElliptic3",   "gsRectangle",   "gsDiamond1",  "gsDiamond2",  "gsTopLeft",   "gsTopRight"};
static_assert(std::size(TGradientStyleNames) == gsTopRight + 1);

// Largest text width among the ";"-separated items, and the height of the whole list.
void WidestListItem(TCanvas& canvas, const String& list, int& width, int& height);
void WidestSeparatedItem(TCanvas& canvas, const String& text, char separator, int& width, int& height);
void TextSizeHalf(TCanvas& canvas, const String& text, int& width, int& height, TPoint& half);
// Anchor 0..8: top-left, top-centre, top-right, middle-left ... bottom-right point of the text box at (x, y).
void TextAtAnchor(TCanvas& canvas, int x, int y, int anchor, const String& text);
// Lines separated by "|"; with text3D each line is engraved (highlight below right, shadow above left).
void MultiLineText(TCanvas& canvas, int x, int y, bool text3D, int anchor, const String& text, TColor highlight,
                   TColor shadow, TColor textColour, int extraSpacing);

// One-pixel 3-D frame: top and left in `topLeft`, bottom and right (with both end corners) in
// `bottomRight`; r shrinks by one pixel on every side.
void Frame3DLine(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight);

// Pie of the ellipse in r from `start` to `start + sweep` degrees clockwise from 12 o'clock.
void PieSector(TCanvas& canvas, const TRect& r, float start, float sweep);
// Turns the needle by `angle` about its centre and fills its polygon with the current pen and brush.
TNeedleShape DrawRotatedShape(TCanvas& canvas, const TNeedleShape& shape, bool clockwise, float angle);
// Copies the visible part of r from the canvas into `bitmap` (sized to r); nothing when r is not visible.
void CaptureBackground(TCanvas& canvas, TBitmap& bitmap, const TRect& r);
void FillGradientRect(TCanvas& canvas, const TRect& r, TColor from, TColor to, TGradientStyle style);
