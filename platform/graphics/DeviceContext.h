#pragma once
// The GDI-style device context: one aliased painter over a bitmap or a window surface, with the
// state and the pixel rules of GDI (right and bottom edges excluded, LineTo omits its last pixel,
// alternate or winding polygon fill, pen width 0 = 1 pixel, arcs given by radial end points).
// Coordinates are logical; the window and viewport origins (and, in the anisotropic mapping mode,
// their extents) map them to device units: device = (logical - window org) * viewport ext /
// window ext + viewport org. Clip regions are in device units, as in GDI. The codes its calls take
// are in GdiConsts.h.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/graphics/Region.h"
#include "platform/rtl/Types.h"

class TPixelImage;  // shared pixel storage of a bitmap (private to the layer)

// ---- pens ----
struct TLogPen {
    int Style = PS_SOLID;
    int Width = 0;  // 0 and 1: one pixel
    TColor Color = clBlack;
    std::vector<std::uint32_t> Dashes;  // PS_USERSTYLE: dash, gap, dash, ... in pixels
    bool operator==(const TLogPen&) const = default;
};

// ---- brushes ----
struct TLogBrush {
    int Style = BS_SOLID;
    TColor Color = clWhite;
    int Hatch = HS_HORIZONTAL;
    std::shared_ptr<const TPixelImage> Pattern;  // BS_PATTERN: tiled from the brush origin
    bool operator==(const TLogBrush&) const = default;
};

// ---- fonts ----
struct TLogFont {
    int Height = -11;    // < 0: character height (em) in pixels; > 0: cell height; 0: default
    int Width = 0;       // 0: natural
    int Escapement = 0;  // tenths of a degree, counter-clockwise
    int Orientation = 0;
    int Weight = FW_NORMAL;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int CharSet = DEFAULT_CHARSET;
    int Quality = DEFAULT_QUALITY;
    int Pitch = DEFAULT_PITCH;
    String FaceName = "MS Sans Serif";
    bool operator==(const TLogFont&) const = default;
};
struct TTextMetric {
    int tmHeight = 0, tmAscent = 0, tmDescent = 0, tmInternalLeading = 0, tmExternalLeading = 0;
    int tmAveCharWidth = 0, tmMaxCharWidth = 0, tmWeight = 0;
    bool tmItalic = false;
};

// ---- blends and gradients ----
struct TBlendFunction {
    Byte BlendOp = AC_SRC_OVER;
    Byte BlendFlags = 0;
    Byte SourceConstantAlpha = 255;
    Byte AlphaFormat = 0;  // AC_SRC_ALPHA: the source carries premultiplied alpha
};
struct TTriVertex {
    int X = 0, Y = 0;
    std::uint16_t Red = 0, Green = 0, Blue = 0, Alpha = 0;  // 16-bit channels as GDI has them
};

class TDeviceContext {
public:
    ~TDeviceContext();
    TDeviceContext(const TDeviceContext&) = delete;
    TDeviceContext& operator=(const TDeviceContext&) = delete;

    // Size of the surface in device pixels.
    int Width() const;
    int Height() const;

    // ---- selected objects and modes ----
    TLogPen SelectPen(const TLogPen& pen);  // each returns the previous one
    TLogBrush SelectBrush(const TLogBrush& brush);
    TLogFont SelectFont(const TLogFont& font);
    const TLogPen& GetPen() const;
    const TLogBrush& GetBrush() const;
    const TLogFont& GetFont() const;
    TColorRef SetTextColor(TColor c);
    TColorRef GetTextColor() const;
    TColorRef SetBkColor(TColor c);
    TColorRef GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    int SetROP2(int mode);
    int GetROP2() const;
    int SetPolyFillMode(int mode);
    int GetPolyFillMode() const;
    int SetArcDirection(int dir);
    int GetArcDirection() const;
    unsigned SetTextAlign(unsigned align);
    unsigned GetTextAlign() const;
    int SetTextCharacterExtra(int extra);
    // The solid brush of the stock "DC brush": selects a solid brush of that colour.
    TColorRef SetDCBrushColor(TColor c);
    // HORZRES/VERTRES: surface size; HORZSIZE/VERTSIZE: that in millimetres; BITSPIXEL: 32 (24
    // for a 24-bit bitmap); PLANES: 1; LOGPIXELSX/Y: the device's resolution (96 on screens and
    // bitmaps); NUMCOLORS: -1; TECHNOLOGY: DT_METAFILE on a metafile canvas, else DT_RASDISPLAY.
    int GetDeviceCaps(int index) const;
    TPoint SetBrushOrg(TPoint org);  // device units

    // ---- mapping ----
    // MM_TEXT or MM_ANISOTROPIC; returns the previous mode, 0 for another mode (nothing changes).
    // Going back to MM_TEXT resets both extents to 1 x 1; the origins stay.
    int SetMapMode(int mode);
    int GetMapMode() const;
    TPoint SetViewportOrg(TPoint org);  // the window origin lands on device org
    TPoint OffsetViewportOrg(int dx, int dy);
    TPoint GetViewportOrg() const;
    TPoint SetWindowOrg(TPoint org);  // logical point that maps to the viewport origin
    TPoint GetWindowOrg() const;
    // Extents count only in MM_ANISOTROPIC (ignored otherwise, as GDI does: false, nothing
    // changes); a zero extent is refused. Negative extents flip the axis. old: the previous one.
    bool SetWindowExt(TSize ext, TSize* old = nullptr);
    TSize GetWindowExt() const;
    bool SetViewportExt(TSize ext, TSize* old = nullptr);
    TSize GetViewportExt() const;
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;

    // ---- state stack ----
    int SaveDC();               // returns the new level (1, 2, ...)
    bool RestoreDC(int level);  // level > 0: that level; < 0: relative (-1 = last save)

    // ---- clipping (regions in device units, rectangles in logical units) ----
    int SelectClipRgn(const TRegion* rgn);  // null: no clip
    int ExtSelectClipRgn(const TRegion* rgn, int mode);
    int IntersectClipRect(int l, int t, int r, int b);
    int ExcludeClipRect(int l, int t, int r, int b);
    int OffsetClipRgn(int dx, int dy);
    int GetClipBox(TRect& box) const;     // logical units; SIMPLEREGION etc.
    bool GetClipRgn(TRegion& rgn) const;  // false when there is no clip
    bool PtVisible(int x, int y) const;
    bool RectVisible(const TRect& r) const;

    // ---- lines and shapes ----
    TPoint MoveTo(int x, int y);  // returns the previous position
    TPoint GetCurrentPosition() const;
    void LineTo(int x, int y);
    void Polyline(const TPoint* pts, int count);
    void PolylineTo(const TPoint* pts, int count);
    void PolyBezier(const TPoint* pts, int count);
    void Polygon(const TPoint* pts, int count);
    void PolyPolygon(const TPoint* pts, const int* counts, int polygons);
    void Rectangle(int l, int t, int r, int b);
    void RoundRect(int l, int t, int r, int b, int cornerWidth, int cornerHeight);
    void Ellipse(int l, int t, int r, int b);
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void AngleArc(int x, int y, int radius, float startAngle, float sweepAngle);
    void FillRect(const TRect& r, const TLogBrush& brush);
    void FillRect(const TRect& r, TColor color);
    void FrameRect(const TRect& r, const TLogBrush& brush);
    void InvertRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void FillRgn(const TRegion& rgn, const TLogBrush& brush);  // region in device units
    void FrameRgn(const TRegion& rgn, const TLogBrush& brush, int w, int h);
    void PaintRgn(const TRegion& rgn);
    void InvertRgn(const TRegion& rgn);
    bool DrawEdge(TRect& r, unsigned edge, unsigned flags);
    bool DrawFrameControl(const TRect& r, unsigned type, unsigned state);
    void GradientFillRect(const TTriVertex& a, const TTriVertex& b, unsigned mode);

    // ---- pixels and blocks ----
    TColorRef SetPixel(int x, int y, TColor c);
    TColorRef GetPixel(int x, int y) const;  // CLR_INVALID outside the surface or clip
    void PatBlt(int x, int y, int w, int h, TRop rop);
    void BitBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, TRop rop);
    void StretchBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh, TRop rop);
    void AlphaBlend(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                    TBlendFunction blend);
    void TransparentBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                        TColor transparent);
    // Draws pixel storage directly (used by bitmaps drawn onto canvases).
    void DrawImage(const TRect& dst, const TPixelImage& image, const TRect& src, TRop rop = SRCCOPY);
    void DrawImageTransparent(const TRect& dst, const TPixelImage& image, const TRect& src, TColor transparent);

    // ---- text ----
    void TextOut(int x, int y, const String& text);
    void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text);
    int DrawText(const String& text, TRect& r, unsigned format);  // returns the text height
    TSize GetTextExtent(const String& text) const;
    TTextMetric GetTextMetrics() const;

    // ---- paths ----
    // Inside a bracket LineTo, PolylineTo, ArcTo and AngleArc continue the figure from the current
    // position; Arc, Polyline, PolyBezier and the closed shapes (Pie and Chord too) make figures of
    // their own. Filling, and stroking with filling, close the open figures.
    void BeginPath();
    void EndPath();
    void AbortPath();
    void CloseFigure();
    void StrokePath();
    void FillPath();
    void StrokeAndFillPath();
    bool SelectClipPath(int mode);
    TRegion PathToRegion();
    // The finished path becomes the area its stroke with the current pen would cover; false (and
    // the path unchanged) without a finished path or with a pen one pixel wide.
    bool WidenPath();

    // ---- saved clips ----
    // Clips that nested clip calls of the drawing layers above saved on this device, newest last;
    // they end with the context, so a later context never restores them.
    std::vector<TRegion>& SavedClips() { return savedClips_; }

    struct Impl;
    Impl& impl() const { return *impl_; }
    explicit TDeviceContext(std::unique_ptr<Impl> impl);

private:
    std::unique_ptr<Impl> impl_;
    std::vector<TRegion> savedClips_;
};

using HDC = TDeviceContext*;

// Win32-named forms of the calls, so ported drawing code reads the same.
inline bool MoveToEx(HDC dc, int x, int y, TPoint* old)
{
    TPoint p = dc->MoveTo(x, y);
    if (old) *old = p;
    return true;
}
inline bool LineTo(HDC dc, int x, int y)
{
    dc->LineTo(x, y);
    return true;
}
inline bool Polyline(HDC dc, const TPoint* pts, int n)
{
    dc->Polyline(pts, n);
    return true;
}
inline bool Polygon(HDC dc, const TPoint* pts, int n)
{
    dc->Polygon(pts, n);
    return true;
}
inline bool Rectangle(HDC dc, int l, int t, int r, int b)
{
    dc->Rectangle(l, t, r, b);
    return true;
}
inline bool RoundRect(HDC dc, int l, int t, int r, int b, int w, int h)
{
    dc->RoundRect(l, t, r, b, w, h);
    return true;
}
inline bool Ellipse(HDC dc, int l, int t, int r, int b)
{
    dc->Ellipse(l, t, r, b);
    return true;
}
inline bool Arc(HDC dc, int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    dc->Arc(l, t, r, b, x1, y1, x2, y2);
    return true;
}
inline bool Pie(HDC dc, int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    dc->Pie(l, t, r, b, x1, y1, x2, y2);
    return true;
}
inline bool Chord(HDC dc, int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    dc->Chord(l, t, r, b, x1, y1, x2, y2);
    return true;
}
inline int FillRect(HDC dc, const TRect& r, const TLogBrush& b)
{
    dc->FillRect(r, b);
    return 1;
}
inline int FrameRect(HDC dc, const TRect& r, const TLogBrush& b)
{
    dc->FrameRect(r, b);
    return 1;
}
inline bool DrawFocusRect(HDC dc, const TRect& r)
{
    dc->DrawFocusRect(r);
    return true;
}
inline bool DrawEdge(HDC dc, TRect& r, unsigned edge, unsigned flags) { return dc->DrawEdge(r, edge, flags); }
inline int DrawText(HDC dc, const String& s, TRect& r, unsigned fmt) { return dc->DrawText(s, r, fmt); }
inline bool TextOut(HDC dc, int x, int y, const String& s)
{
    dc->TextOut(x, y, s);
    return true;
}
inline bool PatBlt(HDC dc, int x, int y, int w, int h, TRop rop)
{
    dc->PatBlt(x, y, w, h, rop);
    return true;
}
inline bool BitBlt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, TRop rop)
{
    dc->BitBlt(x, y, w, h, *src, sx, sy, rop);
    return true;
}
inline bool StretchBlt(HDC dc, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh, TRop rop)
{
    dc->StretchBlt(x, y, w, h, *src, sx, sy, sw, sh, rop);
    return true;
}
inline int SelectClipRgn(HDC dc, const TRegion* rgn) { return dc->SelectClipRgn(rgn); }
inline int ExtSelectClipRgn(HDC dc, const TRegion* rgn, int mode) { return dc->ExtSelectClipRgn(rgn, mode); }
inline int IntersectClipRect(HDC dc, int l, int t, int r, int b) { return dc->IntersectClipRect(l, t, r, b); }
inline int ExcludeClipRect(HDC dc, int l, int t, int r, int b) { return dc->ExcludeClipRect(l, t, r, b); }
inline int GetClipBox(HDC dc, TRect* box) { return dc->GetClipBox(*box); }
inline int SaveDC(HDC dc) { return dc->SaveDC(); }
inline bool RestoreDC(HDC dc, int level) { return dc->RestoreDC(level); }
inline bool SetViewportOrgEx(HDC dc, int x, int y, TPoint* old)
{
    TPoint p = dc->SetViewportOrg({x, y});
    if (old) *old = p;
    return true;
}
inline bool GetViewportOrgEx(HDC dc, TPoint* p)
{
    *p = dc->GetViewportOrg();
    return true;
}
inline int SetMapMode(HDC dc, int mode) { return dc->SetMapMode(mode); }
inline int GetMapMode(HDC dc) { return dc->GetMapMode(); }
inline bool SetWindowOrgEx(HDC dc, int x, int y, TPoint* old)
{
    TPoint p = dc->SetWindowOrg({x, y});
    if (old) *old = p;
    return true;
}
inline bool GetWindowOrgEx(HDC dc, TPoint* p)
{
    *p = dc->GetWindowOrg();
    return true;
}
inline bool SetWindowExtEx(HDC dc, int x, int y, TSize* old) { return dc->SetWindowExt({x, y}, old); }
inline bool SetViewportExtEx(HDC dc, int x, int y, TSize* old) { return dc->SetViewportExt({x, y}, old); }
inline bool GetWindowExtEx(HDC dc, TSize* s)
{
    *s = dc->GetWindowExt();
    return true;
}
inline bool GetViewportExtEx(HDC dc, TSize* s)
{
    *s = dc->GetViewportExt();
    return true;
}
inline bool LPtoDP(HDC dc, TPoint* pts, int count)
{
    for (int i = 0; i < count; ++i) pts[i] = dc->LPtoDP(pts[i]);
    return true;
}
inline bool DPtoLP(HDC dc, TPoint* pts, int count)
{
    for (int i = 0; i < count; ++i) pts[i] = dc->DPtoLP(pts[i]);
    return true;
}
inline int GetDeviceCaps(HDC dc, int index) { return dc->GetDeviceCaps(index); }
inline int SetROP2(HDC dc, int mode) { return dc->SetROP2(mode); }
inline int SetBkMode(HDC dc, int mode) { return dc->SetBkMode(mode); }
inline TColorRef SetBkColor(HDC dc, TColor c) { return dc->SetBkColor(c); }
inline TColorRef SetTextColor(HDC dc, TColor c) { return dc->SetTextColor(c); }
inline unsigned SetTextAlign(HDC dc, unsigned a) { return dc->SetTextAlign(a); }
inline int SetArcDirection(HDC dc, int d) { return dc->SetArcDirection(d); }
inline int SetPolyFillMode(HDC dc, int m) { return dc->SetPolyFillMode(m); }
inline TColorRef SetPixel(HDC dc, int x, int y, TColor c) { return dc->SetPixel(x, y, c); }
inline TColorRef GetPixel(HDC dc, int x, int y) { return dc->GetPixel(x, y); }
inline bool FillRgn(HDC dc, const TRegion& rgn, const TLogBrush& b)
{
    dc->FillRgn(rgn, b);
    return true;
}
inline bool BeginPath(HDC dc)
{
    dc->BeginPath();
    return true;
}
inline bool EndPath(HDC dc)
{
    dc->EndPath();
    return true;
}
inline bool StrokePath(HDC dc)
{
    dc->StrokePath();
    return true;
}
inline bool FillPath(HDC dc)
{
    dc->FillPath();
    return true;
}
inline bool SelectClipPath(HDC dc, int mode) { return dc->SelectClipPath(mode); }
