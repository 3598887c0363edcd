#pragma once
// TGDIPlusCanvas ("GDI+"): the antialiased chart canvas, the default of every chart panel. It keeps
// the projection, buffering and solids of the GDI-style canvas and draws their primitives, texts,
// clips, paths and pictures through the antialiased object layer: alpha from colours and
// transparent sections, gradient, hatch and texture brushes with colour stops, cardinal curves and
// supersampling (Scale). XOR-mode pens draw through a companion GDI-style canvas on the same device.
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "chart/canvas/GDIPlusStyles.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/graphics/GPTypes.h"

class TGPBrush;
class TGPFont;
class TGPGraphics;
class TGPGraphicsPath;
class TGPMatrix;
class TGPPen;
class TGPPrivateFontCollection;
class TGPRegion;

// Text quality of the antialiased canvas.
enum TGDIPlusFontQuality { gpfBest, gpfDefault, gpfClearType, gpfNormal };
inline constexpr const char* TGDIPlusFontQualityNames[] = {"gpfBest", "gpfDefault", "gpfClearType", "gpfNormal"};
static_assert(std::size(TGDIPlusFontQualityNames) == gpfNormal + 1);

// Off: every line segment is stroked by itself, not joined into the pending run (pictures of the
// two ways are compared).
extern bool JoinLineSegments;

class TGDIPlusCanvas : public TZebCanvas3D {
    TV_CLASS(TGDIPlusCanvas, TZebCanvas3D)
public:
    TGDIPlusCanvas();
    ~TGDIPlusCanvas() override;

    // ---- settings ----
    bool AntiAlias() const { return antiAlias_; }
    void SetAntiAlias(bool value);
    TGDIPlusFontQuality GetAntiAliasText() const;
    void SetAntiAliasText(TGDIPlusFontQuality value);
    // Supersampling: above 1 a frame is drawn Scale times larger and shrunk smoothly when flushed.
    float Scale() const { return scale_; }
    void SetScale(float value);
    // The alpha every fill and line carries, 0..255; transparent sections lower it.
    Byte Alpha() const { return alpha_; }
    // The drawing surface, made when missing; null without a device.
    TGPGraphics* GetGraphics();
    // The GDI-style canvas that draws XOR-mode pens on the same device.
    TZebCanvas3D& Companion() { return *companion_; }
    // The path of points and point types as another path reported them (GetPathData).
    TZebBasePath* CreatePathFromData(std::span<const TPointFloat> points, std::span<const Byte> types);
    // Shrinks or stretches source smoothly over the whole destination.
    static void StretchBitmapSmooth(const TBitmap& source, TBitmap& destination);

    // ---- TZebCanvas ----
    void BindCanvas(TCanvas* target) override;
    HDC GetDeviceContext() override;
    void ApplyBrush(TBrush& brush) override;
    void ApplyFont() override;
    void ApplyPen() override;
    void LineToCached(int x, int y) override;
    TColor GetBackgroundColor() const override { return backColor_; }
    TBkMode GetBackgroundMode() const override { return backMode_; }
    bool CanDrawInverted() const override { return true; }
    TTextAlign GetTextAlignment() const override { return textAlign_; }
    bool IsSmoothingOn() const override { return smoothing_; }
    int GetSmoothingKind() const override { return 1; }
    void SetSmoothingOn(bool value) override;
    void SetBackgroundColor(TColor color) override { backColor_ = color; }
    void SetBackgroundMode(TBkMode mode) override { backMode_ = mode; }
    void CacheDeviceContext(bool cache) override { SetSmoothingOn(!cache); }
    void SetCharacterSpacing(int extra) override { characterSpacing_ = extra; }
    void SetPixelColor(int x, int y, TColor color) override;
    TColor GetPixelColor(int x, int y) override;
    void SetTextAlignment(TTextAlign align) override { textAlign_ = align; }
    void SetBuffered(bool value) override;
    TZebBlend* StartBlend(const TRect& rect, TZebTransparency transparency) override;
    void FinishBlend(TZebBlend* blend) override;
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void ArcByAngles(int left, int top, int right, int bottom, float startAngle, float endAngle) override;
    void ArcToDirected(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                       bool clockwise) override;
    void DrawDonutSlice(int centerX, int centerY, int radiusX, int radiusY, double startAngle, double endAngle,
                        double donutPercent) override;
    void DrawGraphic(int x, int y, TGraphic* graphic) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void FillRectangle(const TRect& rect) override;
    void LineTo(int x, int y) override;
    void MoveTo(int x, int y) override;
    void PieByAngles(const TRect& rect, double startAngle, double endAngle) override;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) override;
    void StretchGraphic(const TRect& rect, TGraphic* graphic) override;
    void TextOut(int x, int y, const String& text) override;
    int TextHeight(const String& text) override;
    TSizeFloat TextSizeFloat(const String& text) override;
    int TextWidth(const String& text) override;
    void ClipToRect(const TRect& rect) override;
    void ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) override;
    // exclusive: the ellipse is taken away from the drawable area.
    void ClipToEllipse(const TRect& rect, bool exclusive = false) override;
    void ClipToPolygon(std::span<const TPoint> points, bool exclude = false) override;
    TZebBasePath* CreatePathObject() override;
    void PolylineOrPolygon(std::span<const TPoint> points, float tension, bool closed, bool unused = false) override;
    void HorizontalSegment(int x0, int x1, int y) override;
    void VerticalSegment(int x, int y0, int y1) override;
    void FillRectGradient(const TRect& rect, TColor startColor, TColor endColor, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    void DrawLine(int x0, int y0, int x1, int y1) override;
    void Polyline(std::span<const TPoint> points) override;
    void PolylineFloat(std::span<const TPointFloat> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void PolygonFloat(std::span<const TPointFloat> points) override;
    void ColoredPolygons(std::span<const TPoint> points, int perPolygon, std::span<const TColor> colors) override;
    void ColoredPointBlocks(std::span<const TFourPoints> blocks, std::span<const int> depths,
                            std::span<const TColor> colors) override;
    void RotatedTextOut(int x, int y, const String& text, double angle, bool html) override;
    void RemoveClip() override;

    // ---- TCanvas3D ----
    TObject* BeginElement(const String& name, TObject* owner, TZebTransform* transform) override;
    void EndElement() override;
    void DrawShineOverlay(int style, int z, const TRect& outer, const TRect& band, const TRect& inner, int startAngle,
                          int endAngle, TPoint center, bool donut) override;
    bool SelectStockDCBrush() override { return false; }
    void SetPixelAtZ(int x, int y, int z, TColor color) override;
    void PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize, std::span<const TPoint> points,
                     int holePercent, double startAngle, double endAngle) override;
    String GetDescription() const override { return "GDI+"; }
    String GetEditorClassName() const override { return "TGDIPlusEditor"; }
    TRect PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                      const TRect& bounds) override;
    bool IsAvailable() const override;
    void FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect) override;
    bool CopyBufferTo(TGraphic*& graphic, const TRect& rect) override;
    void LineAlongX3D(int x0, int x1, int y, int z) override;
    void LineAlongY3D(int x, int y0, int y1, int z) override;
    void LineAlongZ3D(int x, int y, int z0, int z1) override;
    void LineAtZ(int x0, int y0, int x1, int y1, int z) override;
    void MoveToXYZ(int x, int y, int z) override;
    void LineToXYZ(int x, int y, int z) override;
    void RoundedRectangleAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z) override;
    void TextOutXYZ(int x, int y, int z, const String& text, bool html) override;

    // ---- pens and brushes (also for the canvas's paths) ----
    // False when there is no outline; makes the layer's pen when missing and sets the smoothing.
    bool PreparePen();
    // The pen's gradient fill over a stroke's extent, widened by half the pen width (or by whole
    // when wholeWidth).
    void PenFillForRect(const TFloatRect& extent);
    void PenFillForPoints(std::span<const TPointFloat> points, bool wholeWidth = false);
    // A fresh fill brush for the figure: gradient (from the gradient polygon when set), picture,
    // class-library pattern, hatch or solid. Null for a clear brush.
    TGPBrush* BrushForRect(const TFloatRect& rect);
    TGPBrush* BrushForPoints(std::span<const TPointFloat> points);
    TGPBrush* PlainBrush();
    TGPPen* LayerPen() const { return gpPen_.get(); }
    TGPFont* LayerFont() const { return gpFont_.get(); }

private:
    friend class TZebGDIPlusPath;

    void applySmoothing(bool value);
    void applyTransform(const TZebTransform& transform);
    void setSmoothingForPen(bool value);
    void sendTextHint(TZebFontQuality quality, float size);
    void revalidateGraphics();
    void freeGraphics();
    void makeGraphicsOn(HDC dc);
    std::uint32_t color(TColor c) const { return GPColor(c, alpha_); }
    bool xorPen() const;
    TZebCanvas3D& companionFor(bool withBrush);
    void strokeLine(TPointFloat from, TPointFloat to);
    void appendToRun(TGPPointF to);
    void flushRun();
    static bool sameGPPoint(TGPPointF a, TGPPointF b) { return a.X == b.X && a.Y == b.Y; }
    // What the layer pen is made of: a pen selected again with the same settings keeps the layer
    // pen and the pending run (a line series selects its pen for every segment).
    struct TPenKey {
        std::uint32_t Color = 0;
        int Width = 0, Dash = 0, Ends = 0, Join = 0;
        bool Shown = false, Gradient = false;
        bool operator==(const TPenKey&) const = default;
    };
    TPenKey penKey() const;
    // Pieces of a line drawn one after the other look like the whole line.
    bool joinsInvisibly() const;
    void narrowClip(const TGPRegion& shape, bool exclude);
    TGPBrush* replaceFillBrush(std::unique_ptr<TGPBrush> brush);
    std::unique_ptr<TGPBrush> gradientBrushForRect(TCustomZebGradient& gradient, const TFloatRect& rect);
    std::unique_ptr<TGPBrush> gradientBrushForPoints(TCustomZebGradient& gradient, std::span<const TPointFloat> points);
    // The rounded rectangle's corner arcs as one closed figure.
    static void addRoundRect(TGPGraphicsPath& path, const TRect& rect, int cornerWidth, int cornerHeight);
    void fillAndStrokePath(TGPGraphicsPath& path, const TFloatRect& bounds, bool gradientFromPath);
    void drawText(float x, float y, const String& text, TColor color, bool solid);
    void drawTextPlain(float x, float y, const String& text, TColor color, bool solid);
    bool blurText(TZebShadow& shadow, float x, float y, const String& text);
    TSizeFloat measure(const String& text) const;
    TGPPrivateFontCollection& privateFonts();

    std::unique_ptr<TGPGraphics> graphics_;
    std::unique_ptr<TGPFont> gpFont_;
    // Sizes of texts measured in gpFont_, forgotten when the font changes: labels measure the same
    // short texts many times a frame.
    mutable std::unordered_map<std::string, TSizeFloat> measured_;
    std::unique_ptr<TGPPen> gpPen_;
    TPenKey gpPenKey_;
    std::unique_ptr<TGPBrush> penFill_;
    std::unique_ptr<TGPBrush> fillBrush_;
    std::unique_ptr<TGPPrivateFontCollection> privateFonts_;
    std::unique_ptr<TZebCanvas3D> companion_;
    std::vector<TGPPointF> pendingRun_;  // cached or joined lines not drawn yet
    float x_ = 0, y_ = 0;
    int z_ = 0;
    bool antiAlias_ = true;
    float scale_ = 1;
    double textAngle_ = 0;
    Byte alpha_ = 255;
    std::vector<Byte> alphaStack_;
    std::unique_ptr<TGPRegion> clip_;                // null: none
    std::vector<std::unique_ptr<TGPRegion>> clips_;  // the clip before each clip operation
    struct TElement {
        std::unique_ptr<TGPMatrix> Saved;  // the world transform before the element's own
        bool Clipped = false;
    };
    std::vector<TElement> elements_;
    std::vector<TPointFloat> gradientPolygon_;
    std::vector<TGPColor> runColors_;  // ColoredPolygons' colours, kept for the next run
    std::vector<TPoint> runPoints_;    // ColoredPointBlocks' projected corners, likewise
    String fontName_;
    float fontSize_ = 0;
    unsigned fontStyle_ = 0;
    TColor backColor_ = clWhite;
    TBkMode backMode_ = TRANSPARENT;
    TTextAlign textAlign_ = TA_LEFT;
    int characterSpacing_ = 0;
    bool smoothing_ = false;
};
