#pragma once
// A chart canvas for tests. Every primitive is logged as one line, "Name(a,b,...)" with the fill
// colour appended to filled shapes (" brush=BBGGRR", the colour value in hex) and the font to texts
// (" font=BBGGRR/size/styles", styles as letters of BIUS), and drawn on a
// bitmap through the bitmap's platform canvas, so text extents, clips and the device path are
// real and the picture can be looked at. The projection is a plain oblique one: (x + z, y - z),
// switched off in flat mode.
#include <memory>
#include <string>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "platform/graphics/Bitmap.h"

class TRecordingCanvas : public TCanvas3D {
    TV_CLASS(TRecordingCanvas, TCanvas3D)
public:
    // A white bitmap of the size, bound at once; the draw bounds are the whole bitmap.
    explicit TRecordingCanvas(int width = 200, int height = 200);
    ~TRecordingCanvas() override;

    TBitmap& Bitmap() { return *bitmap_; }
    const std::vector<std::string>& Log() const { return log_; }
    std::string LogText() const;  // lines joined by '\n'
    void ClearLog() { log_.clear(); }
    // Lines that start with name (the operation's name).
    std::vector<std::string> Calls(const std::string& name) const;
    bool Projecting() const { return projecting_; }
    // Saves the bitmap as a PNG file.
    void SavePng(const std::string& path);

    // ---- the back end ----
    void BindCanvas(TCanvas* target) override;
    TColor GetBackgroundColor() const override;
    TBkMode GetBackgroundMode() const override;
    HDC GetDeviceContext() override;
    bool PrefersVectorShapes() const override { return false; }
    bool GetMonochromeMode() const override { return monochrome_; }
    TColor GetPixelColor(int x, int y) override;
    bool IsTrue3D() const override { return false; }
    bool CanDrawInverted() const override { return true; }
    TTextAlign GetTextAlignment() const override;
    bool GetBuffered() const override { return false; }
    int GetSmoothingKind() const override { return 0; }
    void SetBackgroundColor(TColor color) override;
    void SetBackgroundMode(TBkMode mode) override;
    void CacheDeviceContext(bool) override {}
    void SetMonochromeMode(bool value) override { monochrome_ = value; }
    void SetPixelColor(int x, int y, TColor color) override;
    void SetTextAlignment(TTextAlign align) override;
    void SetBuffered(bool) override {}
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void DrawDonutSlice(int cx, int cy, int rx, int ry, double start, double end, double donut) override;
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
    void EraseRect(const TRect& rect) override;
    void FillRectGradient(const TRect& rect, TColor startColor, TColor endColor, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    void MarkBufferStale() override {}
    void Polyline(std::span<const TPoint> points) override;
    void PolylineFloat(std::span<const TPointFloat> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void PolygonFloat(std::span<const TPointFloat> points) override;
    void RotatedTextOut(int x, int y, const String& text, double angle, bool html) override;
    void RemoveClip() override;

    TColor GetPixelAtZ(int x, int y, int z) override;
    bool UsesWorldCoordinates() const override { return false; }
    void SetPixelAtZ(int x, int y, int z, TColor color) override;
    void SaveAndClearProjection() override;
    void RestoreProjection() override;
    void UnprojectXY(int& x, int& y, int z) override;
    TPoint ProjectXYZ(int x, int y, int z) override;
    void ProjectXYZFloat(TPointFloat& point, float z) override;
    TRect PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                      const TRect& bounds) override;
    void SetupProjection(int depth, const TRect& outer, const TRect& chart) override;
    void FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect) override;
    bool RepaintFromBuffer() override { return false; }
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
    void DrawDiamond(int left, int top, int right, int bottom, int z0, int z1) override;
    void DrawBevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width) override;
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
    void DrawSurfaceMesh(int columns, int rows, const TSurfaceCellCallback& cell) override;
    void TextOutXYZ(int x, int y, int z, const String& text, bool html) override;
    void TriangleXYZ(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor color) override;
    void TriangleAtZ(TPoint p1, TPoint p2, TPoint p3, int z) override;

    // Layout tests: every character charWidth wide and every text height high, whatever the font;
    // 0 measures with the font again.
    void SetFixedTextMetrics(int charWidth, int height)
    {
        fixedCharWidth_ = charWidth;
        fixedHeight_ = height;
    }
    int TextWidth(const String& text) override;
    int TextHeight(const String& text) override;
    // Logged as "DrawCheckBox(x,y,checked,checkBox)" and drawn as the platform draws it.
    void DrawCheckBox(int x, int y, bool checked, int unused, bool checkBox) override;

    // Logs a line of the caller's (for tests that wrap calls in markers).
    void Note(const std::string& line) { log_.push_back(line); }

private:
    void log(const std::string& line) { log_.push_back(line); }
    std::string filled(const std::string& line) const;
    std::string lettered(const std::string& line) const;
    HDC dc();

    std::unique_ptr<TBitmap> bitmap_;
    std::vector<std::string> log_;
    bool monochrome_ = false;
    bool projecting_ = true;
    int fixedCharWidth_ = 0;
    int fixedHeight_ = 0;
};
