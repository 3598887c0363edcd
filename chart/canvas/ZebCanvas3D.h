#pragma once
// TZebCanvas3D ("GDI"): the pixel-exact chart canvas over the graphics layer's device context,
// and the base of the antialiased one. A whole chart paint lands in a 32-bit off-screen bitmap that
// FlushBuffer copies to the window; a later paint with nothing changed only copies it again.
#include <functional>
#include <memory>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebFont.h"

class TBitmap;
class TCustomZebGradient;
class TZebShadow;

// The pixel of a float coordinate: nearest, halves to even, saturated to the int range; NaN gives 0.
int PixelRound(long double value);
// Round(value) + offset, saturated to the int range; a NaN value gives the offset.
int PixelRoundAt(long double value, long double offset);
// Angles above 360 lose whole turns, 720 giving 360; a non-finite angle gives NaN.
double ReduceAngle(double angle);

class TZebCanvas3D : public TCanvas3D {
    TV_CLASS(TZebCanvas3D, TCanvas3D)
public:
    TZebCanvas3D();
    ~TZebCanvas3D() override;

    // ---- buffer ----
    TBitmap* BufferBitmap() const override { return buffer_.get(); }
    void SetBufferBitmap(std::unique_ptr<TBitmap> bitmap);
    void FreeBufferBitmap();
    bool BufferStale() const { return bufferStale_; }
    // Set by the panel while it draws unbuffered onto another device; keeps the bitmap alive.
    bool ExternalDrawing() const { return externalDrawing_; }
    void SetExternalDrawing(bool value) { externalDrawing_ = value; }
    void BlitBuffer(int x, int y, TCanvas& canvas);
    TZebFontQuality TextQuality() const { return textQuality_; }
    void SetTextQuality(TZebFontQuality value) { textQuality_ = value; }
    // The settings component that installed this canvas; not read here.
    TObject* SettingsComponent() const { return settings_; }
    void SetSettingsComponent(TObject* value) { settings_ = value; }

    // ---- projection terms (other canvases and the chart editor use them) ----
    void CalcRotationTerms();
    void CalcPerspectiveFactor(const TRect& chart);
    bool ProjectionOn() const { return projectionOn_; }
    double ZoomFactor() const { return zoom_; }
    double OrthoStepX() const { return orthoStepX_; }
    double OrthoStepY() const { return orthoStepY_; }
    bool PerspectiveOn() const { return perspectiveOn_; }
    double PerspectiveFactor() const { return perspectiveFactor_; }
    TPoint ProjectionOrigin() const { return {originX_, originY_}; }

    // ---- TZebCanvas ----
    void BindCanvas(TCanvas* target) override;
    void LineToCached(int x, int y) override;
    TColor GetBackgroundColor() const override;
    TBkMode GetBackgroundMode() const override;
    HDC GetDeviceContext() override;
    bool PrefersVectorShapes() const override { return false; }
    bool GetMonochromeMode() const override { return monochrome_; }
    TColor GetPixelColor(int x, int y) override;
    bool IsTrue3D() const override { return false; }
    bool CanDrawInverted() const override;
    TTextAlign GetTextAlignment() const override;
    bool GetBuffered() const override { return buffered_; }
    int GetSmoothingKind() const override { return 0; }
    void SetBackgroundColor(TColor color) override;
    void SetBackgroundMode(TBkMode mode) override;
    void CacheDeviceContext(bool cache) override;
    void SetMonochromeMode(bool value) override;
    void SetPixelColor(int x, int y, TColor color) override;
    void SetTextAlignment(TTextAlign align) override;
    void SetBuffered(bool value) override;
    void MarkBufferStale() override { bufferStale_ = true; }

    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
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
    void ClipToRect(const TRect& rect) override;
    // An element's transform slides and scales it through the device context's mapping; the
    // context cannot turn, so an angle is left out.
    TObject* BeginElement(const String& name, TObject* owner, TZebTransform* transform) override;
    void EndElement() override;
    void EraseRect(const TRect& rect) override { FillRectangle(rect); }
    void FillRectGradient(const TRect& rect, TColor startColor, TColor endColor, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    void Polyline(std::span<const TPoint> points) override;
    void PolylineFloat(std::span<const TPointFloat> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void PolygonFloat(std::span<const TPointFloat> points) override;
    void RotatedTextOut(int x, int y, const String& text, double angle, bool html) override;
    void RemoveClip() override;
    void ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight) override;
    void ClipToEllipse(const TRect& rect, bool exclusive = false) override;
    void ClipToPolygon(std::span<const TPoint> points, bool exclude = false) override;
    // Paints a gradient object into rect: rotated, radial, split at a middle colour, or plain.
    void PaintGradient(TCustomZebGradient& gradient, const TRect& rect);
    // Where the text painter puts a text at x, y under the current alignment.
    TRect TextRectAt(int x, int y, const String& text);

    // Leaves everything as it is when the pen is selected already (see penSelected).
    void SelectPen(TZebPen& pen, TColor color) override;

    // ---- TCanvas3D ----
    bool SelectStockDCBrush() override;
    // Smooth shadows are blurred into the buffer (multiplied); without a buffer, or into a
    // metafile, the plain shape of the base.
    void PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize, std::span<const TPoint> points,
                     int holePercent, double startAngle, double endAngle) override;
    TColor GetPixelAtZ(int x, int y, int z) override;
    bool UsesWorldCoordinates() const override { return false; }
    void SetPixelAtZ(int x, int y, int z, TColor color) override;
    String GetDescription() const override { return "GDI"; }
    void UnprojectXY(int& x, int& y, int z) override;
    TPoint ProjectXYZ(int x, int y, int z) override;
    void ProjectXYZFloat(TPointFloat& point, float z) override;
    TRect PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                      const TRect& bounds) override;
    void SetupProjection(int depth, const TRect& outer, const TRect& chart) override;
    void SaveAndClearProjection() override;
    void RestoreProjection() override;
    void FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect) override;
    bool RepaintFromBuffer() override;
    bool CopyBufferTo(TGraphic*& graphic, const TRect& rect) override;
    void DrawSurfaceMesh(int, int, const TSurfaceCellCallback&) override {}
    bool DrawShapeDirect(TObject*, std::span<const TPointFloat>) override { return false; }

    void DrawArrowAtZ(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z0, int z1,
                      double bodyPercent) override;
    void ClipToBox(const TRect& rect, int z0, int z1) override;
    void DrawTaperedCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1, bool darkSides,
                             int conePercent) override;
    void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides, int roundSize) override;
    void DrawBoxVariant(int left, int right, int top, int bottom, int z0, int z1, int unused, bool darkSides,
                        int roundSize) override;
    void DrawPlainCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                           bool darkSides) override;
    void EllipseAtZ(int left, int top, int right, int bottom, int z) override;
    void DrawSolidPieSlice(const TSolidPieSlice& slice) override;
    void PlaneFromTwoPoints(TPoint p0, TPoint p1, int z0, int z1) override;
    void PlaneFromFourPoints(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
    void PlaneFromPointBlock(const TFourPoints& points, int z0, int z1) override;
    void PolygonXYZ(std::span<const TPoint3D> points) override;
    void DrawSquarePyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                           bool darkSides) override;
    void RectangleAtZ(const TRect& rect, int z) override;
    void PlaneAlongXZ(int x0, int y, int x1, int z0, int z1) override;
    void PlaneAlongYZ(int x, int y0, int y1, int z0, int z1) override;
    void RotatedTextXYZ(int x, int y, int z, const String& text, double angle, bool html) override;
    void CircleAtZ(int centerX, int centerY, int z, double radius) override;
    void TextOutXYZ(int x, int y, int z, const String& text, bool html) override;
    void TriangleXYZ(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor color) override;
    void TriangleAtZ(TPoint p1, TPoint p2, TPoint p3, int z) override;

protected:
    HDC dc() { return GetDeviceContext(); }
    // The LOGFONT quality byte of the current font.
    int FontQualityByte() const;
    bool BrushHasGradient();
    // A brush picture or gradient is painted into bounds through clip, then draw runs with a
    // hollow brush; without either draw runs alone.
    void ShapeWithBrush(const TRect& bounds, const std::function<void()>& clip, const std::function<void()>& draw,
                        bool pictures = true);
    // A side face: plain, or with dark sides a gradient from the face colour to one darkened by amount.
    void ShadedFace(std::span<const TPoint> face, bool darkSides, TGradientDirection direction, int amount);

private:
    // Whether selecting pen in color would leave the canvas's pen, its target's pen and the device
    // context's pen as they are (lines select their pen for every segment). Plain solid wide pens
    // only; the context is asked, never remembered, since shapes select pens on it directly.
    bool penSelected(const TZebPen& pen, TColor color) const;
    void paintText(int x, int y, const String& text);
    void textEffectPass(TZebShadow& shadow, int direction, int& x, int& y, const String& text);
    void selectDeviceFont(int escapement);

    std::unique_ptr<TBitmap> buffer_;
    // The mapping before each open element; applied false where the element had none.
    struct TElementMapping {
        bool applied = false, clipped = false;
        TPoint windowOrg, viewportOrg;
    };
    std::vector<TElementMapping> elementMappings_;
    // The last smooth shadow blurred, kept for the next frame's same shadow (a legend's, a title's).
    struct TBlurredShadow {
        int Width = 0, Height = 0, Radius = 0, SmoothBlur = 0, RoundSize = 0, HolePercent = 0;
        TColor Color = clNone;
        bool Ellipse = false;
        double StartAngle = 0, EndAngle = 0;
        std::vector<TPoint> Shape;  // from the picture's corner
        bool operator==(const TBlurredShadow&) const = default;
    };
    TBlurredShadow blurredShadow_;
    std::unique_ptr<TBitmap> blurredPicture_;
    bool buffered_ = true;
    bool bufferStale_ = true;
    bool externalDrawing_ = false;
    bool monochrome_ = false;
    HDC cachedDC_ = nullptr;
    TZebFontQuality textQuality_ = TZebFontQuality::fqBest;
    TObject* settings_ = nullptr;

    // projection
    bool projectionOn_ = false;
    bool savedProjection_ = false;
    double zoom_ = 1.0;
    int originX_ = 0, originY_ = 0;
    double orthoStepX_ = 0, orthoStepY_ = 0;
    long double sE_ = 0, cE_ = 0, sR_ = 0, cR_ = 0, sT_ = 0, cT_ = 0;
    bool tiltOn_ = false;
    bool perspectiveOn_ = false;
    double perspectiveFactor_ = 0;
    double k1_ = 0, k2_ = 0, k3_ = 0, k4_ = 0, k5_ = 0, k6_ = 0;
};
