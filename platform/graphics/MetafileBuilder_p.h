#pragma once
// Layer-private: the device state a metafile file is played against while it is read (selected
// objects, colours, modes, mapping, clip, path bracket, saved states). The EMF and WMF readers
// call it record by record; it turns the drawing records into the picture's records.
#include <QPainterPath>
#include <QTransform>
#include <memory>
#include <vector>

#include "platform/graphics/MetafileGdi_p.h"
#include "platform/graphics/MetafileImage_p.h"

class TMfBuilder {
public:
    // frame: the picture's size in pixels; deviceToPicture maps the file's device units to them.
    TMfBuilder(QSize frame, const QTransform& deviceToPicture);

    // ---- objects and modes ----
    void SetPen(const TMfPen& pen);
    void SetBrush(const TMfBrush& brush);
    void SetPatternBrush(const QImage& pattern);
    void SetFont(const TMfFont& font);
    void SetTextColor(TColorRef c) { s_.textColor = c; }
    void SetBkColor(TColorRef c) { s_.bkColor = c; }
    void SetBkMode(int mode) { s_.bkMode = mode; }
    void SetTextAlign(unsigned align) { s_.textAlign = align; }
    void SetPolyFillMode(int mode) { s_.fillMode = mode; }
    void SetRop2(int rop2) { s_.rop2 = rop2; }
    void SetArcDirection(int dir) { s_.arcDir = dir; }

    // ---- mapping (logical units through the page and world transforms to device units) ----
    void SetMapMode(int mode);
    void SetWindowOrg(QPointF org);
    void SetWindowExt(QSizeF ext);
    void SetViewportOrg(QPointF org);
    void SetViewportExt(QSizeF ext);
    void SetWorldTransform(const QTransform& xf) { s_.world = xf; }
    void ModifyWorldTransform(const QTransform& xf, int mode);

    // ---- drawing (logical units) ----
    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Polyline(const QPolygonF& pts);
    void PolylineTo(const QPolygonF& pts);
    void PolyBezier(const QPolygonF& pts);
    void PolyBezierTo(const QPolygonF& pts);
    void Polygon(const QPolygonF& pts);
    void PolyPolygon(const std::vector<QPolygonF>& polys);
    void PolyPolyline(const std::vector<QPolygonF>& polys);
    void Rectangle(const QRectF& box);  // GDI's box: right and bottom excluded
    void RoundRect(const QRectF& box, QSizeF corner);
    void Ellipse(const QRectF& box);
    enum ArcKind { ArcOnly, ArcToKind, ChordKind, PieKind };
    void Arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind);
    // ref: the reference point the text alignment applies to; opaque: an ETO_OPAQUE rectangle.
    void TextOut(QPointF ref, const QString& text, const QRectF* opaque);
    void Image(const QRectF& dest, const QImage& image, const QRectF& source);
    void FillRegion(const QRegion& deviceRegion, const TMfBrush& brush);
    void SetPixel(QPointF p, TColorRef c);

    // ---- paths ----
    void BeginPath();
    void EndPath() { s_.inPath = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath() { drawPath(false, true); }
    void StrokePath() { drawPath(true, false); }
    void StrokeAndFillPath() { drawPath(true, true); }
    void SelectClipPath(int mode);

    // ---- clipping (regions in device units, rectangles in logical units) ----
    void SelectClipRegion(const QRegion* deviceRegion, int mode);  // null: no clip (RGN_COPY)
    // The clip combined with a rectangle: RGN_AND intersects, RGN_DIFF excludes.
    void CombineClipRect(const QRectF& r, int mode);
    void OffsetClip(QPointF d);

    void SaveDC();
    void RestoreDC(int level);

    std::shared_ptr<TMetafileImage> Finish();

private:
    struct Clip {
        bool on = false;
        bool isRegion = true;
        QRegion region;  // picture pixels
        QPainterPath path;
    };
    struct State {
        QPen pen{QColor(Qt::black), 0};
        TMfBrush gdiBrush{0, 0xFFFFFF, 0, false, 0xFFFFFF};
        QBrush pattern;  // a pattern brush when set
        TMfPen gdiPen;
        TMfFont font;
        TColorRef textColor = 0, bkColor = 0xFFFFFF;
        int bkMode = 2;  // OPAQUE
        unsigned textAlign = 0;
        int fillMode = 1;  // ALTERNATE
        int rop2 = 13;     // R2_COPYPEN
        int arcDir = 1;    // AD_COUNTERCLOCKWISE
        int mapMode = 1;   // MM_TEXT
        QPointF winOrg, vpOrg;
        QSizeF winExt{1, 1}, vpExt{1, 1};
        QTransform world;
        QPointF pos;  // logical
        Clip clip;
        bool inPath = false;
        QPainterPath path;  // picture pixels
    };

    QTransform toPicture() const;  // logical units to picture pixels
    QPointF map(QPointF p) const { return toPicture().map(p); }
    QPainterPath mapPath(const QPainterPath& p) const { return toPicture().map(p); }
    qreal scale() const;
    QPen devicePen() const;
    QBrush deviceBrush() const;
    QPainter::CompositionMode mode() const;
    TMetafileRecord& add(TMetafileRecord::Kind kind, bool pen, bool brush);
    void shape(const QPainterPath& logicalPath, bool fill);
    void drawPath(bool stroke, bool fill);
    void combineClip(const Clip& with, int mode);
    void flushClip();

    QSize frame_;
    QTransform deviceToPicture_;
    std::shared_ptr<TMetafileImage> image_ = std::make_shared<TMetafileImage>();
    State s_;
    std::vector<State> saved_;
    Clip emitted_;
};
