#pragma once
// TZebCanvas: the two-dimensional drawing surface every chart element draws through. It owns the
// current pen, brush and font, keeps the nesting of transparent sections, measures text and
// implements what can be said with other operations; the device primitives are left to the back
// ends. Point arrays are spans everywhere (a span of n points is the "high index n - 1" form).
#include <span>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/Gradient.h"
#include "platform/classes/Object.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/DeviceContext.h"

class TBitmap;
class TBrush;
class TCanvas;
class TGraphic;
class TPen;
class TZebBasePath;
class TZebBlend;
class TZebBrush;
class TZebCorners;
class TZebFont;
class TZebPen;

using TPointFloatArray = std::vector<TPointFloat>;

class TZebCanvas : public TObject {
    TV_CLASS(TZebCanvas, TObject)
public:
    TZebCanvas();
    ~TZebCanvas() override;

    // ---- state ----
    TZebBrush* Brush() const { return brush_; }
    TZebPen* Pen() const { return pen_; }
    TZebFont* Font() const { return font_; }
    TCanvas* TargetCanvas() const { return target_; }
    // sqLow stretches pictures without smoothing (pixelated), as colour grids and some back images
    // want.
    TCanvasStretchQuality StretchQuality() const { return stretchQuality_; }
    void SetStretchQuality(TCanvasStretchQuality value) { stretchQuality_ = value; }
    // Drawing for a metafile or a printer: bitmap effects are skipped, fonts follow the outside
    // device's resolution.
    bool Metafiling() const { return metafiling_; }
    void SetMetafiling(bool value) { metafiling_ = value; }
    // The canvas draws transparency itself: transparent sections need no captured background and
    // callers pass an empty rectangle.
    bool SupportsAlpha() const { return supportsAlpha_; }
    // Whether series wrap their points and marks in named elements (BeginElement).
    bool RecordElements() const { return recordElements_; }
    void SetRecordElements(bool value) { recordElements_ = value; }
    bool MapShapes() const { return mapShapes_; }
    void SetMapShapes(bool value) { mapShapes_ = value; }
    // The bounds given to the last PrepareView; transparent sections are clamped to it.
    const TRect& DrawBounds() const { return drawBounds_; }
    void SetDrawBounds(const TRect& value) { drawBounds_ = value; }
    // Percent; 100 draws texts at their size. Applies while FontZoomActive.
    double FontZoom() const { return fontZoom_; }
    void SetFontZoom(double value) { fontZoom_ = value; }
    bool FontZoomActive() const { return fontZoomActive_; }
    void SetFontZoomActive(bool value) { fontZoomActive_ = value; }
    // The point about which rotated texts of the device canvas turn.
    bool HasRotationPivot() const { return hasPivot_; }
    TPoint RotationPivot() const { return pivot_; }
    void SetRotationPivot(bool enabled, TPoint pivot = {}) { hasPivot_ = enabled, pivot_ = pivot; }
    // Transparency of the drawing in progress, percent; 0 is opaque.
    TZebTransparency Transparency() const { return transparency_; }
    // The off-screen bitmap a buffered canvas draws into; null for none.
    virtual TBitmap* BufferBitmap() const { return nullptr; }

    // ---- operations of every canvas ----
    virtual void BindCanvas(TCanvas* target);
    virtual void ApplyBrush(TBrush& brush);
    virtual void ApplyFont();
    virtual void ApplyPen();
    virtual void LineToCached(int x, int y) { LineTo(x, y); }
    virtual TColor GetBackgroundColor() const = 0;
    virtual TBkMode GetBackgroundMode() const = 0;
    virtual HDC GetDeviceContext() = 0;
    virtual bool PrefersVectorShapes() const = 0;
    virtual bool GetMonochromeMode() const = 0;
    virtual TColor GetPixelColor(int x, int y) = 0;
    virtual bool IsTrue3D() const = 0;
    virtual bool CanDrawInverted() const = 0;
    virtual TTextAlign GetTextAlignment() const = 0;
    virtual bool GetBuffered() const = 0;
    virtual bool IsSmoothingOn() const { return false; }
    // 0 pixel-exact, 1 antialiased.
    virtual int GetSmoothingKind() const = 0;
    virtual void SetSmoothingOn(bool value) { (void)value; }
    virtual void SetBackgroundColor(TColor color) = 0;
    virtual void SetBackgroundMode(TBkMode mode) = 0;
    virtual void CacheDeviceContext(bool cache) = 0;
    virtual void SetCharacterSpacing(int extra);
    virtual void SetMonochromeMode(bool value) = 0;
    virtual void ApplyPenMixMode(const TZebPen& pen);
    virtual void SetPixelColor(int x, int y, TColor color) = 0;
    virtual void SetTextAlignment(TTextAlign align) = 0;
    virtual void SetBuffered(bool value) = 0;
    // Points of a map shape the canvas converted itself; none in the base.
    virtual TPointFloatArray BuildFloatPoints(std::span<const double> x, std::span<const double> y);
    virtual void SelectBrush(TZebBrush& brush, TColor fillColor, TColor backColor);
    virtual void SelectPen(TZebPen& pen, TColor color);
    virtual TZebBlend* StartBlend(const TRect& rect, TZebTransparency transparency);
    virtual void FinishBlend(TZebBlend* blend);
    // The platform's arc of the box's ellipse, counter-clockwise from the ray to (x3, y3) to the ray
    // to (x4, y4).
    virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    // Counter-clockwise on the screen from the smaller angle to the larger (degrees).
    virtual void ArcByAngles(int left, int top, int right, int bottom, float startAngle, float endAngle);
    virtual void ArcToDirected(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                               bool clockwise);
    // Angles in radians.
    virtual void DrawDonutSlice(int centerX, int centerY, int radiusX, int radiusY, double startAngle, double endAngle,
                                double donutPercent) = 0;
    virtual void DrawGraphic(int x, int y, TGraphic* graphic) = 0;
    virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
    // Filled with the brush (gradient aware), no outline.
    virtual void FillRectangle(const TRect& rect) = 0;
    // width rings from the outside in; rect ends inset by width on every side.
    virtual void DrawBevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width);
    virtual void LineTo(int x, int y) = 0;
    virtual void LineToFloat(TPointFloat point);
    virtual void MoveTo(int x, int y) = 0;
    virtual void MoveToFloat(TPointFloat point);
    virtual void PieByAngles(const TRect& rect, double startAngle, double endAngle) = 0;
    virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
    virtual void Rectangle(int x0, int y0, int x1, int y1) = 0;
    virtual void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) = 0;
    virtual void StretchGraphic(const TRect& rect, TGraphic* graphic) = 0;
    virtual void TextOut(int x, int y, const String& text) = 0;
    // Device extents of the current font plus the font's visible shadow and emboss sizes.
    virtual int TextHeight(const String& text);
    virtual TSizeFloat TextSizeFloat(const String& text);
    virtual int TextWidth(const String& text);
    // Clips nest: each adds to the clip history, RemoveClip takes the last one away.
    virtual void ClipToRect(const TRect& rect) = 0;
    virtual void ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight);
    // exclusive: combined by exclusive-or.
    virtual void ClipToEllipse(const TRect& rect, bool exclusive = false);
    // exclude: the polygon is taken away from the drawable area.
    virtual void ClipToPolygon(std::span<const TPoint> points, bool exclude = false);
    virtual TZebBasePath* CreatePathObject();
    // A polygon when closed, else a polyline; smoothing canvases draw a curve of the tension.
    virtual void PolylineOrPolygon(std::span<const TPoint> points, float tension, bool closed, bool unused = false);
    virtual void HorizontalSegment(int x0, int x1, int y);
    virtual void VerticalSegment(int x, int y0, int y1);
    virtual void DrawCheckBox(int x, int y, bool checked, int unused, bool checkBox);
    virtual void EraseRect(const TRect& rect) = 0;
    // A gradient fill that leaves the brush's own gradient alone.
    virtual void FillRectGradient(const TRect& rect, TColor startColor, TColor endColor, TGradientDirection direction,
                                  int balance = 50, int radialX = 0, int radialY = 0) = 0;
    virtual void MarkBufferStale() = 0;
    virtual void DrawLine(int x0, int y0, int x1, int y1);
    virtual void Polyline(std::span<const TPoint> points) = 0;
    virtual void PolylineFloat(std::span<const TPointFloat> points) = 0;
    // Filled with the brush (image and gradient aware), outlined with the pen.
    virtual void Polygon(std::span<const TPoint> points) = 0;
    virtual void PolygonOfArray(std::span<const TPoint> points) { Polygon(points); }
    virtual void PolygonFloat(std::span<const TPointFloat> points) = 0;
    // Angle in degrees counter-clockwise; html: render the HTML subset where the canvas can.
    virtual void RotatedTextOut(int x, int y, const String& text, double angle, bool html = false) = 0;
    virtual void RemoveClip() = 0;

    // ---- built on the operations ----
    // The brush's BackColor becomes the fill colour and its Color the back (hatch) colour.
    void UseBrush(TZebBrush& brush);
    void UseBrushColored(TZebBrush& brush, TColor color);
    void UsePen(TZebPen& pen);
    void UseFont(TZebFont& font);
    void UseFontSized(TZebFont& font, float size);
    // Default pen, brush, font, background and alignment (the end of every frame).
    void ResetDrawingState();
    int StandardTextHeight() { return TextHeight("W"); }
    TZebGradient* GetBrushGradient();
    bool HasBrushGradient() const;
    void DarkenBrushColor(TColor color, int amount);
    void DrawRect(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void DrawEllipseRect(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void LineToPoint(TPoint point) { LineTo(point.X, point.Y); }
    void MoveToPoint(TPoint point) { MoveTo(point.X, point.Y); }
    void LineBetween(TPoint p0, TPoint p1) { DrawLine(p0.X, p0.Y, p1.X, p1.Y); }
    TZebBasePath* StartPath() { return CreatePathObject(); }
    // Without corners the plain RoundRect; with them a path with one style per corner.
    void RoundRectCorners(const TRect& rect, int cornerWidth, int cornerHeight, const TZebCorners* corners = nullptr);
    void ArcInRect(const TRect& rect, float startAngle, float endAngle)
    {
        ArcByAngles(rect.Left, rect.Top, rect.Right, rect.Bottom, startAngle, endAngle);
    }
    // An arrow from `from` to the tip `to`; the head length is cut to the arrow's length; the body
    // is bodyPercent of the head width. Nothing for equal points.
    void DrawArrow(bool filled, TPoint from, TPoint to, int headLength, int headWidth, double bodyPercent);

    // ---- class routines ----
    // clNone gives black, system colours their RGB value; others are returned unchanged.
    static TColor ResolveColor(TColor color);
    static Byte ColorAlpha(TColor color) { return static_cast<Byte>(static_cast<std::uint32_t>(color) >> 24); }
    static TColor ColorWithAlpha(TColor color, Byte alpha)
    {
        return static_cast<TColor>((static_cast<std::uint32_t>(color) & 0x00FFFFFFu) |
                                   (static_cast<std::uint32_t>(alpha) << 24));
    }
    // Blue, green, red: the colour value's bytes without system-colour translation.
    static void ColorToRGBTriple(TColor color, Byte (&triple)[3]);
    // Start and end angles in degrees [0, 360) of a platform arc's end points about its box's centre.
    static void ArcPointAngles(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, double& startAngle,
                               double& endAngle);
    // The seven-point arrow outline: body corner at the start, body corner near the head, head
    // corner, tip, and back on the other side. Empty for equal points.
    static std::vector<TPoint> CalcArrowPoints(TPoint from, TPoint to, int headLength, int headWidth,
                                               double bodyPercent);
    // One-pixel dots: space 0 or less the alternate-dot pen, otherwise dots space + 1 apart.
    static TLogPen CreateDottedPen(TColor color, int space);
    // The device pen for a chart pen: dotted, cosmetic below width 2, else geometric with the end
    // cap, join and style of the pen. The target canvas's pen takes the pen's settings.
    static void BuildExtendedPen(TCanvas& target, const TZebPen& pen, TColor color);

protected:
    void SetSupportsAlpha(bool value) { supportsAlpha_ = value; }

private:
    void brushChanged(TObject*);
    void penChanged(TObject*);
    void fontChanged(TObject*);

    TZebBrush* brush_;
    TCanvas* target_ = nullptr;
    TZebFont* font_;
    TZebPen* pen_;
    TCanvasStretchQuality stretchQuality_ = sqHigh;
    bool metafiling_ = false;
    bool fontLock_ = false;
    std::vector<TZebTransparency> transparencyStack_;
    TRect drawBounds_;
    double fontZoom_ = 100;
    bool supportsAlpha_ = false;
    bool mapShapes_ = true;
    bool fontZoomActive_ = true;
    bool hasPivot_ = false;
    TPoint pivot_;
    TZebTransparency transparency_ = 0;
    bool recordElements_ = false;
    int characterSpacing_ = 0;
    // A pattern selected from a brush picture or bitmap: the device's text and back colours.
    bool patternSelected_ = false;
    TColor patternFill_ = clBlack;
    TColor patternBack_ = clWhite;
};

// Text through the HTML-subset renderer when html is set, else the canvas's TextOut.
void TextOutOrHtml(TZebCanvas& canvas, int x, int y, const String& text, bool html);
