#pragma once
// A path of the antialiased layer: figures of points, each point with a type byte (start, line,
// Bezier, and the close flag on a closed figure's last point). Arcs, ellipses, curves and text are
// stored as Bezier segments. Within an open figure an added line, arc or curve joins the previous
// end with a line; rectangles, ellipses, pies, polygons and closed curves are figures of their own.
#include <memory>

#include "platform/graphics/GPBase.h"
#include "platform/rtl/Types.h"

class TGPFontFamily;
class TGPStringFormat;
class TGPMatrix;
class TGPPen;

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(TGPFillMode fillMode = FillModeAlternate);
    // From points and their type bytes (as GetPathPoints and GetPathTypes give them); count < 0 or
    // null arrays with count > 0: InvalidParameter and an empty path.
    TGPGraphicsPath(const TGPPointF* points, const std::uint8_t* types, int count,
                    TGPFillMode fillMode = FillModeAlternate);
    ~TGPGraphicsPath() override;
    std::unique_ptr<TGPGraphicsPath> Clone() const;

    TGPStatus Reset();  // empty, fill mode alternate
    TGPFillMode GetFillMode() const;
    TGPStatus SetFillMode(TGPFillMode fillMode);
    TGPStatus StartFigure();
    TGPStatus CloseFigure();

    TGPStatus AddLine(float x1, float y1, float x2, float y2);
    TGPStatus AddLine2I(const TPoint* points, int count);  // a polyline
    TGPStatus AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    TGPStatus AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle);
    // Cardinal splines through the points; tension 0 gives straight segments, 0.5 the usual curve.
    TGPStatus AddCurve2I(const TPoint* points, int count, float tension);
    TGPStatus AddClosedCurve2I(const TPoint* points, int count, float tension);
    TGPStatus AddRectangle(const TGPRectF& rect);
    TGPStatus AddEllipse(float x, float y, float width, float height);
    TGPStatus AddEllipseI(int x, int y, int width, int height);
    TGPStatus AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle);
    TGPStatus AddPolygon(const TGPPointF* points, int count);
    // The outlines of the text; emSize in world units, layout's origin is the text's top left.
    TGPStatus AddString(const String& text, const TGPFontFamily* family, int style, float emSize,
                        const TGPRectF& layout, const TGPStringFormat* format);

    // Bounds of the path transformed by the matrix (when given), widened by half the pen's width
    // (when given).
    TGPStatus GetWorldBounds(TGPRectF& bounds, const TGPMatrix* matrix = nullptr, const TGPPen* pen = nullptr) const;
    int GetPointCount() const;
    TGPStatus GetPathTypes(std::uint8_t* types, int count) const;  // count < the point count: InvalidParameter
    TGPStatus GetPathPoints(TGPPointF* points, int count) const;
    TGPStatus GetLastPoint(TGPPointF& point) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
