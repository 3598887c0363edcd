#pragma once
// TCanvas3D: the canvas of charts. It adds a projection from chart coordinates (x, y and a depth
// z, 0 at the front) to screen points, 3-D lines, planes, polygons, solids, texts and pictures on
// planes, a counted switch to draw flat, named drawing elements, drop shadows and an off-screen
// buffer protocol. Panels create their canvas by class from the canvas class list.
#include <functional>
#include <span>
#include <vector>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebCanvas.h"

class TView3DOptions;
class TZebShadow;

// Sides of cylinders and cones (the tower series draws square towers with 4).
extern int CylinderSideCount;
// Points of projected ellipses.
extern int CirclePointCount;

// A transform that a chart element asks the canvas to apply while it is drawn.
struct TZebTransform {
    bool Enabled = false;
    float CenterX = 0, CenterY = 0;  // rotation centre
    float TranslateX = 0, TranslateY = 0;
    float Angle = 0;  // degrees
    float ScaleX = 1, ScaleY = 1, ScaleZ = 1;
    bool Clip = false;
    TRect Bounds;
};

// A 3-D pie or donut slice (angles in radians).
struct TSolidPieSlice {
    int CenterX = 0, CenterY = 0, RadiusX = 0, RadiusY = 0, Z0 = 0, Z1 = 0;
    double StartAngle = 0, EndAngle = 0;
    bool DarkSides = false;
    bool DrawSides = true;
    int DonutPercent = 0;
    TObject* Overlay = nullptr;  // the gloss settings of the antialiased canvas
    int BevelPercent = 0;
    int OverlayStyle = 0;
    TZebTransparency Transparency = 0;
    int BevelBrightness = 0;
    bool BevelBorder = false;
    bool HideSides = false;
};

// One triangle of a stream: corners in chart coordinates, the vertex indices they come from and
// their colours (canvases that shade flat use the first).
struct TStreamTriangle {
    TPoint3D Points[3];
    int Indices[3] = {0, 0, 0};
    TColor Colors[3] = {clBlack, clBlack, clBlack};
};
// Fills triangle `index` (1 .. count).
using TTriangleCallback = std::function<void(int index, TStreamTriangle& triangle)>;
// What a canvas keeps of a stream between frames (canvases that render real 3-D); the caller frees
// it when its triangles change.
class TTriangleCache : public TObject {
    TV_CLASS(TTriangleCache, TObject)
};

// A surface grid handed to canvases that draw it at once: corners and colour of a cell; false
// skips the cell.
using TSurfaceCellCallback = std::function<bool(int column, int row, TPoint3D (&corners)[4], TColor& color)>;

class TCanvas3D : public TZebCanvas {
    TV_CLASS(TCanvas3D, TZebCanvas)
public:
    TCanvas3D() = default;

    TView3DOptions* View3DOptions() const { return options_; }
    bool IsOrthogonal() const { return orthogonal_; }
    TZebTransform* Transform() const { return transform_; }
    void SetTransform(TZebTransform* value) { transform_ = value; }
    int FlatModeCount() const { return flatModeCount_; }
    // Text code leaves alignment offsets alone (the antialiased canvas places texts exactly).
    bool NoTextAlignFix() const { return noTextAlignFix_; }
    TPoint3D ProjectionCenter() const { return {centerX_, centerY_, centerZ_}; }
    TPointFloat3D ProjectionOffset() const { return {offsetX_, offsetY_, offsetZ_}; }
    void SetProjectionOffset(TPointFloat3D value) { offsetX_ = value.X, offsetY_ = value.Y, offsetZ_ = value.Z; }

    // ---- operations of every 3-D canvas ----
    // Named parts of a frame ("Panel", "Axes", "Series" ...); returns owner.
    virtual TObject* BeginElement(const String& name, TObject* owner, TZebTransform* transform);
    virtual void EndElement() {}
    virtual void DrawShineOverlay(int style, int z, const TRect& outer, const TRect& band, const TRect& inner,
                                  int startAngle, int endAngle, TPoint center, bool donut);
    // Selects the device's DC brush for fast per-cell colours; false when the canvas has none.
    virtual bool SelectStockDCBrush() { return false; }
    virtual TColor GetPixelAtZ(int x, int y, int z) = 0;
    // The canvas projects chart coordinates itself: callers skip projection and font zoom.
    virtual bool UsesWorldCoordinates() const = 0;
    virtual void SetPixelAtZ(int x, int y, int z, TColor color) = 0;
    // The shadow's shape: the polygon when points are given, else the ellipse (or slice), the
    // rounded rectangle, or the rectangle.
    virtual void PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize,
                             std::span<const TPoint> points, int holePercent, double startAngle, double endAngle);
    virtual String GetDescription() const { return {}; }
    virtual String GetEditorClassName() const { return {}; }
    virtual void UnprojectXY(int& x, int& y, int z) = 0;
    virtual TPoint ProjectXYZ(int x, int y, int z) = 0;
    virtual void ProjectXYZFloat(TPointFloat& point, float z) = 0;
    // Prepares a frame: binds the target (or an off-screen bitmap), keeps options and bounds and
    // computes the projection terms; returns the drawing rectangle.
    virtual TRect PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                              const TRect& bounds) = 0;
    virtual bool IsAvailable() const { return true; }
    // Same monochrome mode, 3-D options and font zoom as source.
    virtual void AssignSettings(TCanvas3D& source);
    virtual void SetupProjection(int depth, const TRect& outer, const TRect& chart) = 0;
    virtual void FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect) = 0;
    virtual bool RepaintFromBuffer() = 0;
    // Copies a valid buffer of exactly rect's size into graphic; false in the base.
    virtual bool CopyBufferTo(TGraphic*& graphic, const TRect& rect);
    virtual void DrawArrowAtZ(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z0, int z1,
                              double bodyPercent) = 0;
    virtual void ClipToBox(const TRect& rect, int z0, int z1) = 0;
    virtual void DrawTaperedCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                     bool darkSides, int conePercent) = 0;
    virtual void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides,
                         int roundSize = 0) = 0;
    virtual void DrawBoxVariant(int left, int right, int top, int bottom, int z0, int z1, int unused, bool darkSides,
                                int roundSize) = 0;
    virtual void DrawPlainCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                   bool darkSides) = 0;
    // The four edge midpoints at depth (z0 + z1) / 2.
    virtual void DrawDiamond(int left, int top, int right, int bottom, int z0, int z1);
    virtual void SaveAndClearProjection() {}
    virtual void EllipseAtZ(int left, int top, int right, int bottom, int z) = 0;
    virtual void RestoreProjection() {}
    virtual void LineAlongX3D(int x0, int x1, int y, int z);
    virtual void RoundRectAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z, int unused = 0);
    virtual void LineAlongY3D(int x, int y0, int y1, int z);
    virtual void LineAlongZ3D(int x, int y, int z0, int z1);
    // Flat drawing: only the outermost pair switches the projection. Pair them exactly.
    virtual void PushFlatMode();
    virtual void PopFlatMode();
    virtual void LineAtZ(int x0, int y0, int x1, int y1, int z);
    virtual void MoveToXYZ(int x, int y, int z);
    virtual void MoveToXYZFloat(float x, float y, float z);
    virtual void LineToXYZ(int x, int y, int z);
    virtual void LineToXYZFloat(float x, float y, float z);
    virtual void DrawSolidPieSlice(const TSolidPieSlice& slice) = 0;
    virtual void PlaneFromTwoPoints(TPoint p0, TPoint p1, int z0, int z1) = 0;
    virtual void PlaneFromFourPoints(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) = 0;
    // The first two points at z0, the last two at z1.
    virtual void PlaneFromPointBlock(const TFourPoints& points, int z0, int z1) = 0;
    virtual void PolygonXYZ(std::span<const TPoint3D> points) = 0;
    virtual void PolygonXYZFloat(std::span<const TPointFloat3D> points, bool flag);
    virtual void PolygonXYZVariant(std::span<const TPoint3D> points, bool flag);
    virtual void PolygonAtZ(std::span<const TPoint> points, int z);
    virtual void PolygonAtZVariant(std::span<const TPoint> points, int z) { PolygonAtZ(points, z); }
    virtual void PolylineAtZ(std::span<const TPoint> points, int z);
    // Screen polygons of perPolygon points each, in order, each filled with its colour in the
    // brush's style and outlined with the pen; the brush keeps the last colour.
    virtual void ColoredPolygons(std::span<const TPoint> points, int perPolygon, std::span<const TColor> colors);
    // PlaneFromPointBlock for each block with its depths (z0, z1 pairs), filled with its colour.
    virtual void ColoredPointBlocks(std::span<const TFourPoints> blocks, std::span<const int> depths,
                                    std::span<const TColor> colors);
    // Apex at the top edge (swap top and bottom to turn it over).
    virtual void DrawSquarePyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                   bool darkSides) = 0;
    // The visible faces of a truncated pyramid from the rectangle's bottom edge (Left..Right,
    // z0..z1) to a top of the given half sizes at its top edge, centred between the depths.
    virtual void DrawSquareFrustum(const TFloatRect& rect, bool topCap, double z0, double z1, double topHalfWidth,
                                   double topHalfDepth, int baseCap);
    virtual void RectangleAtZ(const TRect& rect, int z) = 0;
    virtual void PlaneAlongXZ(int x0, int y, int x1, int z0, int z1) = 0;
    virtual void PlaneAlongYZ(int x, int y0, int y1, int z0, int z1) = 0;
    virtual void RotatedTextXYZ(int x, int y, int z, const String& text, double angle, bool html = false) = 0;
    virtual void RoundedRectangleAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z);
    virtual void CircleAtZ(int centerX, int centerY, int z, double radius) = 0;
    // The picture's pixels as filled cells of the rectangle on a chart plane at position.
    virtual void PaintImageOnPlane(const TRect& rect, TGraphic* graphic, double position, TCanvas3DPlane plane);
    // For canvases that draw a whole surface grid at once.
    virtual void DrawSurfaceMesh(int columns, int rows, const TSurfaceCellCallback& cell) = 0;
    virtual void TextOutXYZ(int x, int y, int z, const String& text, bool html = false) = 0;
    // The brush takes the colour (unless clear) and the projected triangle is filled.
    virtual void TriangleXYZ(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor color) = 0;
    // For canvases that draw a map shape's points themselves; false: the caller draws it.
    virtual bool DrawShapeDirect(TObject* shape, std::span<const TPointFloat> points);
    virtual void TriangleAtZ(TPoint p1, TPoint p2, TPoint p3, int z) = 0;
    // Triangles 1 .. count from the callback; with a blend each one's screen bounds are captured
    // first and mixed back with the transparency after it is drawn. cache: what a canvas may keep
    // of the stream (the caller frees it); the base keeps nothing.
    virtual void DrawTriangleStream(int count, TZebBlend* blend, TZebTransparency transparency,
                                    const TTriangleCallback& triangle, TTriangleCache** cache = nullptr);

    // ---- built on the operations ----
    // UseFont scaled by the 3-D zoom when the canvas does not project itself and texts zoom.
    void UseFontZoomed(TZebFont& font);
    void ArcAtZ(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4, int z);
    void DrawArrowAtZDefault(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z)
    {
        DrawArrowAtZ(filled, from, to, headWidth, headLength, z, z, 50);
    }
    // The arrow outline of CalcArrowPoints projected at z; empty for equal points.
    std::vector<TPoint> CalcArrowPointsAtZ(TPoint from, TPoint to, int z, int headLength, int headWidth,
                                           double bodyPercent);
    // The convex hull of the box's eight projected corners; false when fewer than three remain.
    bool BoxOutline(const TRect& rect, int z0, int z1, std::vector<TPoint>& outline);
    std::vector<TPoint> ProjectPointsAtZ(std::span<const TPoint> points, int z);
    TRect ProjectRectAtZ(const TRect& rect, int z);
    TPoint ProjectPointAtZ(TPoint point, int z) { return ProjectXYZ(point.X, point.Y, z); }
    TPoint ProjectPoint3D(const TPoint3D& point) { return ProjectXYZ(point.X, point.Y, point.Z); }
    // Left-top, right-top, right-bottom, left-bottom.
    TFourPoints ProjectRectCorners(const TRect& rect, int z);
    TRect ProjectedBoundsAtZ(const TRect& rect, int z);
    void ProjectTriangle(const TPoint3D& p0, const TPoint3D& p1, const TPoint3D& p2, TPoint (&out)[3]);
    // The point at angle degrees on the rectangle's ellipse (below the centre when downward);
    // projected at z when z is not 0.
    TPointFloat PointOnEllipse(const TRect& rect, int z, double angle, bool downward = false);
    void PolygonFloatAtZ(std::span<const TPointFloat> points, float z);
    void PolylineFloatAtZ(std::span<const TPointFloat> points, float z);
    void DrawBoxRect(const TRect& rect, int z0, int z1, bool darkSides = false, int roundSize = 0)
    {
        DrawBox(rect.Left, rect.Right, rect.Top, rect.Bottom, z0, z1, darkSides, roundSize);
    }
    void DrawDiamondRect(const TRect& rect, int z0, int z1)
    {
        DrawDiamond(rect.Left, rect.Top, rect.Right, rect.Bottom, z0, z1);
    }
    void EllipseRectAtZ(const TRect& rect, int z) { EllipseAtZ(rect.Left, rect.Top, rect.Right, rect.Bottom, z); }
    void DrawRectAtZ(const TRect& rect, int z) { RectangleAtZ(rect, z); }
    void DrawRectAtZCoords(int left, int top, int right, int bottom, int z)
    {
        RectangleAtZ({left, top, right, bottom}, z);
    }
    void LineAtZPoints(TPoint from, TPoint to, int z) { LineAtZ(from.X, from.Y, to.X, to.Y, z); }
    void MoveToPoint3D(const TPoint3D& p) { MoveToXYZ(p.X, p.Y, p.Z); }
    void LineToPoint3D(const TPoint3D& p) { LineToXYZ(p.X, p.Y, p.Z); }
    void PlaneFromQuad(const TFourPoints& p, int z) { PlaneFromFourPoints(p[0], p[1], p[2], p[3], z); }
    void PlainTextXYZ(int x, int y, int z, const String& text) { TextOutXYZ(x, y, z, text, false); }

protected:
    void SetView3DOptions(TView3DOptions* options) { options_ = options; }
    void SetOrthogonal(bool value) { orthogonal_ = value; }
    void SetNoTextAlignFix(bool value) { noTextAlignFix_ = value; }
    void SetProjectionCenter(int x, int y, int z) { centerX_ = x, centerY_ = y, centerZ_ = z; }

private:
    int flatModeCount_ = 0;
    TView3DOptions* options_ = nullptr;
    bool orthogonal_ = false;
    TZebTransform* transform_ = nullptr;
    int centerX_ = 0, centerY_ = 0, centerZ_ = 0;
    bool noTextAlignFix_ = false;
    float offsetX_ = 0, offsetY_ = 0, offsetZ_ = 0;
};
