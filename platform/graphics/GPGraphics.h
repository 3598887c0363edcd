#pragma once
// The antialiased drawing surface of the object layer. On a device context it draws with the
// context's own painter (one painter per device: the aliased calls of the context and these calls
// may alternate freely), in the context's origin and inside its clip; on an image it draws into
// the image. Settings, world transform and clip belong to the graphics, not to the device.
// Coordinates are world units; the page unit is the pixel unless set otherwise. Pixel centres lie
// on whole coordinates (pixel offset none) or half-way (high quality and half).
#include <memory>

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GPBase.h"
#include "platform/rtl/Types.h"

class TGPPen;
class TGPBrush;
class TGPSolidBrush;
class TGPImage;
class TGPImageAttributes;
class TGPMatrix;
class TGPRegion;
class TGPGraphicsPath;
class TGPFont;
class TGPStringFormat;

class TGPGraphics : public TGdiplusBase {
public:
    // Null dc: InvalidParameter and no surface.
    explicit TGPGraphics(HDC dc);
    // Draws into a bitmap's pixels; a metafile image cannot be drawn on (InvalidParameter).
    explicit TGPGraphics(TGPImage& image);
    ~TGPGraphics() override;

    // The device context drawn on (for a bitmap, one over its pixels); null without a surface.
    HDC GetHDC();
    void ReleaseHDC(HDC dc);

    // ---- settings ----
    TGPStatus SetSmoothingMode(TGPSmoothingMode mode);
    TGPSmoothingMode GetSmoothingMode() const;
    TGPStatus SetPixelOffsetMode(TGPPixelOffsetMode mode);
    TGPPixelOffsetMode GetPixelOffsetMode() const;
    // The single-bit hints draw aliased text, the others antialiased (without sub-pixel colour).
    TGPStatus SetTextRenderingHint(TGPTextRenderingHint hint);
    TGPTextRenderingHint GetTextRenderingHint() const;
    // Nearest neighbour stretches images pixelated; every other mode smooths them (bilinear).
    TGPStatus SetInterpolationMode(TGPInterpolationMode mode);
    TGPInterpolationMode GetInterpolationMode() const;
    TGPStatus SetPageUnit(TGPUnit unit);  // UnitWorld: InvalidParameter
    TGPUnit GetPageUnit() const;
    float GetDpiX() const;
    float GetDpiY() const;

    // ---- world transform (non-finite values: InvalidParameter) ----
    TGPStatus SetWorldTransform(const TGPMatrix& matrix);
    TGPStatus ResetWorldTransform();
    TGPStatus MultiplyWorldTransform(const TGPMatrix& matrix, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus TranslateWorldTransform(float dx, float dy, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus ScaleWorldTransform(float sx, float sy, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus RotateWorldTransform(float angle, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus GetWorldTransform(TGPMatrix& matrix) const;

    // ---- lines and outlines ----
    TGPStatus DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2);
    TGPStatus DrawLineI(const TGPPen& pen, int x1, int y1, int x2, int y2);
    TGPStatus DrawLines(const TGPPen& pen, const TGPPointF* points, int count);
    TGPStatus DrawLinesI(const TGPPen& pen, const TPoint* points, int count);
    // Angles in degrees, clockwise from the x axis.
    TGPStatus DrawArcI(const TGPPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
    TGPStatus DrawRectangleI(const TGPPen& pen, int x, int y, int width, int height);
    TGPStatus DrawEllipseI(const TGPPen& pen, int x, int y, int width, int height);
    TGPStatus DrawPieI(const TGPPen& pen, int x, int y, int width, int height, float startAngle, float sweepAngle);
    TGPStatus DrawPolygon(const TGPPen& pen, const TGPPointF* points, int count);
    TGPStatus DrawPolygonI(const TGPPen& pen, const TPoint* points, int count);
    TGPStatus DrawPath(const TGPPen& pen, const TGPGraphicsPath& path);
    TGPStatus DrawCurve2I(const TGPPen& pen, const TPoint* points, int count, float tension);
    TGPStatus DrawClosedCurve2I(const TGPPen& pen, const TPoint* points, int count, float tension);

    // ---- fills ----
    // The whole surface inside the clip becomes the colour (alpha included, nothing blended).
    TGPStatus Clear(TGPColor color);
    TGPStatus FillRectangle(const TGPBrush& brush, float x, float y, float width, float height);
    TGPStatus FillRectangleI(const TGPBrush& brush, int x, int y, int width, int height);
    TGPStatus FillPolygon(const TGPBrush& brush, const TGPPointF* points, int count,
                          TGPFillMode fillMode = FillModeAlternate);
    TGPStatus FillPolygonI(const TGPBrush& brush, const TPoint* points, int count,
                           TGPFillMode fillMode = FillModeAlternate);
    // FillPolygonI then DrawPolygonI in one painter set-up (clip and transform applied once); a
    // null brush or pen leaves that part out.
    TGPStatus FillDrawPolygonI(const TGPBrush* brush, const TGPPen* pen, const TPoint* points, int count);
    // Polygons of perPolygon points each, in order, each filled with its colour through the solid
    // brush (left at the last colour) and outlined with the pen (none where null), all in one
    // painter set-up: what FillDrawPolygonI does polygon by polygon.
    TGPStatus FillDrawPolygonRunI(TGPSolidBrush& brush, const TGPColor* colors, const TGPPen* pen,
                                  const TPoint* points, int perPolygon, int polygons);
    TGPStatus FillEllipse(const TGPBrush& brush, float x, float y, float width, float height);
    TGPStatus FillEllipseI(const TGPBrush& brush, int x, int y, int width, int height);
    TGPStatus FillPieI(const TGPBrush& brush, int x, int y, int width, int height, float startAngle, float sweepAngle);
    TGPStatus FillPath(const TGPBrush& brush, const TGPGraphicsPath& path);
    TGPStatus FillClosedCurve2I(const TGPBrush& brush, const TPoint* points, int count, float tension,
                                TGPFillMode fillMode = FillModeAlternate);

    // ---- text ----
    // The text's top left at the layout rectangle's origin (its size is not used); lines break at
    // line feeds. Formats add no padding.
    TGPStatus DrawString(const String& text, const TGPFont& font, const TGPRectF& layout, const TGPStringFormat* format,
                         const TGPBrush& brush);
    // The box of the text drawn at the layout's origin: its advance width and line height.
    TGPStatus MeasureString(const String& text, const TGPFont& font, const TGPRectF& layout,
                            const TGPStringFormat* format, TGPRectF& boundingBox);

    // ---- images ----
    TGPStatus DrawImageI(const TGPImage& image, int x, int y);  // natural size
    TGPStatus DrawImageRectI(const TGPImage& image, int x, int y, int width, int height);
    // The source rectangle in srcUnit (pixels) of the image into the destination rectangle.
    TGPStatus DrawImageRectRectI(const TGPImage& image, int dstX, int dstY, int dstWidth, int dstHeight, int srcX,
                                 int srcY, int srcWidth, int srcHeight, TGPUnit srcUnit = UnitPixel,
                                 const TGPImageAttributes* attributes = nullptr);

    // ---- clipping (in world units at the time of the call) ----
    TGPStatus SetClipRect(const TGPRectF& rect, TGPCombineMode mode = CombineModeReplace);
    TGPStatus SetClipRectI(const TGPRect& rect, TGPCombineMode mode = CombineModeReplace);
    TGPStatus SetClipPath(const TGPGraphicsPath& path, TGPCombineMode mode = CombineModeReplace);
    TGPStatus SetClipRegion(const TGPRegion& region, TGPCombineMode mode = CombineModeReplace);
    TGPStatus ResetClip();
    bool IsClipEmpty() const;
    // The bounds of what can be drawn (surface, the device's clip and this clip) in world units.
    TGPStatus GetVisibleClipBounds(TGPRectF& rect) const;
    bool IsVisible(float x, float y) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
