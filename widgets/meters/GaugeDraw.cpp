#include "widgets/meters/GaugeDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "widgets/meters/GaugeMath.h"

void WidestSeparatedItem(TCanvas& canvas, const String& text, char separator, int& width, int& height)
{
    height = canvas.TextHeight(text);
    width = 0;
    String rest = text;
    while (!rest.empty()) width = std::max(width, canvas.TextWidth(CutFirstItem(rest, separator)));
}

void WidestListItem(TCanvas& canvas, const String& list, int& width, int& height)
{
    WidestSeparatedItem(canvas, list, ';', width, height);
}

void TextSizeHalf(TCanvas& canvas, const String& text, int& width, int& height, TPoint& half)
{
    width = canvas.TextWidth(text);
    height = canvas.TextHeight(text);
    half = Point(width / 2, height / 2);
}

void TextAtAnchor(TCanvas& canvas, int x, int y, int anchor, const String& text)
{
    const int w = canvas.TextWidth(text);
    const int h = canvas.TextHeight(text);
    const int col = anchor % 3;
    const int row = anchor / 3;
    x -= col == 0 ? 0 : col == 1 ? w / 2 : w;
    y -= row == 0 ? 0 : row == 1 ? h / 2 : h;
    canvas.TextOut(x, y, text);
}

void MultiLineText(TCanvas& canvas, int x, int y, bool text3D, int anchor, const String& text, TColor highlight,
                   TColor shadow, TColor textColour, int extraSpacing)
{
    const int lineHeight = canvas.TextHeight("X") + extraSpacing;
    const int total = CountChar(text, '|') * lineHeight;
    if (anchor >= 3 && anchor <= 5)
        y -= total / 2;
    else if (anchor >= 6 && anchor <= 8)
        y -= total;
    String rest = text;
    do {
        const String line = CutFirstItem(rest, '|');
        if (text3D) {
            canvas.Font()->SetColor(highlight);
            TextAtAnchor(canvas, x + 1, y + 1, anchor, line);
            canvas.Font()->SetColor(shadow);
            TextAtAnchor(canvas, x - 1, y - 1, anchor, line);
        }
        canvas.Font()->SetColor(textColour);
        TextAtAnchor(canvas, x, y, anchor, line);
        y += lineHeight;
    } while (!rest.empty());
}

void Frame3DLine(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight)
{
    canvas.Pen()->SetWidth(1);
    const int right = r.Right - 1;
    const int bottom = r.Bottom - 1;
    canvas.Pen()->SetColor(topLeft);
    const TPoint tl[] = {{r.Left, bottom}, {r.Left, r.Top}, {right, r.Top}};
    canvas.Polyline(tl, 3);
    canvas.Pen()->SetColor(bottomRight);
    const TPoint br[] = {{right, r.Top}, {right, bottom}, {r.Left - 1, bottom}};
    canvas.Polyline(br, 3);
    ShrinkRect(r, 1);
}

void PieSector(TCanvas& canvas, const TRect& r, float start, float sweep)
{
    const TPoint centre = RectCentre(r);
    const TPoint p0 = Point(centre.X, r.Top);
    const TPoint p1 = RotatePoint(p0, centre, true, start);
    const TPoint p2 = RotatePoint(p1, centre, true, sweep);
    canvas.Pie(r.Left, r.Top, r.Right, r.Bottom, p2.X, p2.Y, p1.X, p1.Y);
}

TNeedleShape DrawRotatedShape(TCanvas& canvas, const TNeedleShape& shape, bool clockwise, float angle)
{
    const TNeedleShape drawn = RotateShape(shape, clockwise, angle);
    if (drawn.PolygonCount() > 0) canvas.Polygon(&drawn.Points[1], drawn.PolygonCount());
    return drawn;
}

void CaptureBackground(TCanvas& canvas, TBitmap& bitmap, const TRect& r)
{
    TRect c;
    if (!OverlapRect(canvas.ClipRect(), r, c)) return;
    bitmap.SetSize(r.Width(), r.Height());
    if (c.IsEmpty()) return;
    // The visible part lands where it lies within r.
    TRect dest = c;
    OffsetRect(dest, -r.Left, -r.Top);
    bitmap.Canvas()->CopyRect(dest, &canvas, c);
}

namespace {

// Colour k of a gradient of m steps: each channel moves k * d / m from its start, wrapping in 8 bits.
class Steps {
public:
    Steps(TColorRef from, TColorRef to) : from_(from)
    {
        for (int i = 0; i < 3; ++i) d_[i] = channel(to, i) - channel(from, i);
    }
    int Largest() const
    {
        const int s = std::max({std::abs(d_[0]), std::abs(d_[1]), std::abs(d_[2])});
        return s == 0 ? 1 : s;
    }
    TColor At(double k, int m, bool truncate = false) const
    {
        TColorRef c = 0;
        for (int i = 0; i < 3; ++i) {
            const double delta = k * d_[i] / m;
            const int step = truncate ? static_cast<int>(std::trunc(delta)) : RoundSaturated(delta);
            c |= static_cast<TColorRef>((channel(from_, i) + step) & 0xFF) << (8 * i);
        }
        return static_cast<TColor>(c);
    }

private:
    static int channel(TColorRef c, int i) { return (c >> (8 * i)) & 0xFF; }
    TColorRef from_;
    int d_[3] = {};
};

void penAndBrush(TCanvas& c, TColor colour)
{
    c.Pen()->SetColor(colour);
    c.Brush()->SetColor(colour);
}

void line(TCanvas& c, int x1, int y1, int x2, int y2)
{
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void fillAll(TCanvas& c, int w, int h, TColor colour)
{
    c.Brush()->SetColor(colour);
    c.FillRect(Rect(0, 0, w, h));
}

void paintGradient(TCanvas& c, int w, int h, TColorRef from, TColorRef to, TGradientStyle style)
{
    const Steps colour(from, to);
    const int steps = colour.Largest();
    c.Pen()->SetWidth(1);
    c.Pen()->SetStyle(psSolid);
    c.Brush()->SetStyle(bsSolid);
    switch (style) {
    case gsHorizontal1:
    case gsVertical1: {
        const bool across = style == gsHorizontal1;
        const int extent = across ? h : w;
        int m = std::min(steps, extent);
        const int band = extent / m;
        m = std::max(1, extent / band);
        for (int k = 0; k <= m; ++k) {
            c.Brush()->SetColor(colour.At(k, m, true));
            c.FillRect(across ? Rect(0, k * band, w, (k + 1) * band) : Rect(k * band, 0, (k + 1) * band, h));
        }
        break;
    }
    case gsHorizontal2:
    case gsVertical2:
    case gsHorizontal3:
    case gsVertical3: {
        const bool across = style == gsHorizontal2 || style == gsHorizontal3;
        const int extent = across ? h : w;
        const bool centred = style == gsHorizontal2 || style == gsVertical2;
        const int m = centred ? extent / 2 : RoundSaturated(extent * 0.67);
        const int mid = centred ? m : extent / 3;
        auto at = [&](int pos) { across ? line(c, 0, pos, w, pos) : line(c, pos, 0, pos, h); };
        c.Pen()->SetColor(colour.At(0, std::max(m, 1)));
        at(mid);
        for (int k = 1; k <= m; ++k) {
            c.Pen()->SetColor(colour.At(k, m));
            at(mid + k);
            if (centred || mid - k >= 0) at(mid - k);
        }
        break;
    }
    case gsElliptic1:
    case gsElliptic2:
    case gsElliptic3: {
        const int m = steps;
        fillAll(c, w, h, static_cast<TColor>(to));
        TPoint centre = RectCentre(Rect(0, 0, w, h));
        const double f = style == gsElliptic1 ? 0.5 : style == gsElliptic2 ? 0.695 : 0.82;
        const double rx = double(w) / m * f;
        const double ry = double(h) / m * f;
        if (style == gsElliptic3) {
            centre.X += 1 - w / 4;
            centre.Y += 1 - h / 4;
        }
        for (int k = m; k >= 1; --k) {
            penAndBrush(c, colour.At(k, m));
            const int ex = RoundSaturated(k * rx);
            const int ey = RoundSaturated(k * ry);
            c.Ellipse(centre.X - ex, centre.Y - ey, centre.X + ex, centre.Y + ey);
        }
        break;
    }
    case gsRectangle: {
        const int m = steps;
        const TPoint centre = RectCentre(Rect(0, 0, w, h));
        for (int k = m; k >= 0; --k) {
            penAndBrush(c, colour.At(k, m));
            const int sx = RoundSaturated(k * (double(w) / m / 2));
            const int sy = RoundSaturated(k * (double(h) / m / 2));
            c.Rectangle(centre.X - sx, centre.Y - sy, centre.X + sx + 1, centre.Y + sy + 1);
        }
        break;
    }
    case gsDiamond1:
    case gsDiamond2: {
        const int y = std::max(w, h);
        const bool half = style == gsDiamond1;
        const int m = std::max(half ? y / 2 : y, steps);
        const double ix = half ? double(w) / m / 2 : double(w) / m;
        const double iy = half ? double(h) / m / 2 : double(h) / m;
        fillAll(c, w, h, static_cast<TColor>(to));
        const TPoint centre = RectCentre(Rect(0, 0, w, h));
        for (int k = m; k >= 1; --k) {
            c.Pen()->SetColor(colour.At(k, m));
            const int u = RoundSaturated(k * ix);
            const int v = RoundSaturated(k * iy);
            const TPoint pts[] = {{centre.X, centre.Y - v},
                                  {centre.X + u, centre.Y},
                                  {centre.X, centre.Y + v},
                                  {centre.X - u, centre.Y},
                                  {centre.X, centre.Y - v}};
            c.Polyline(pts, 5);
        }
        c.Handle()->SetPixel(centre.X, centre.Y, static_cast<TColor>(from));
        break;
    }
    case gsTopLeft:
    case gsTopRight: {
        const int m = std::max(w, h);
        const double sx = double(w) / m;
        const double sy = double(h) / m;
        const bool left = style == gsTopLeft;
        for (int k = 0; k <= m; ++k) {
            const int u = RoundSaturated(k * sx);
            const int v = RoundSaturated(k * sy);
            c.Pen()->SetColor(colour.At(k / 2.0, m));
            left ? line(c, 0, v, u, -1) : line(c, w, v, w - u, -1);
            c.Pen()->SetColor(colour.At(m - k / 2.0, m));
            left ? line(c, w, h - v, w - u, h) : line(c, 0, h - v, u, h);
        }
        break;
    }
    }
}

}  // namespace

void FillGradientRect(TCanvas& canvas, const TRect& r, TColor from, TColor to, TGradientStyle style)
{
    const int w = r.Width();
    const int h = r.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap bmp;
    bmp.SetSize(w, h);
    TCanvas& c = *bmp.Canvas();
    const TColorRef a = ColorToRGB(from);
    const TColorRef b = ColorToRGB(to);
    if (a == b) {
        c.Pen()->SetColor(from);
        fillAll(c, w, h, from);
    } else {
        paintGradient(c, w, h, a, b, style);
    }
    canvas.StretchDraw(r, &bmp);
}
