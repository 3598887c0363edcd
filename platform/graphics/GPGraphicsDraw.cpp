// Drawing of the antialiased graphics: strokes, fills, text and images. Pens and brushes that Qt
// can express draw through the painter directly; the rest (separate start and end caps, path
// gradients of any outline) go through outlines filled by the layer.
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainterPathStroker>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "platform/graphics/GPGraphics.h"
#include "platform/graphics/GPObjects_p.h"

using tvgdiplus::GraphicsPaint;
using tvgdiplus::ToQColor;
using tvgdiplus::ToQt;

namespace {

// ---------- pens ----------
Qt::PenCapStyle qtCap(TGPLineCap cap)
{
    switch (cap) {
    case LineCapSquare:
    case LineCapSquareAnchor: return Qt::SquareCap;
    case LineCapRound:
    case LineCapRoundAnchor: return Qt::RoundCap;
    default: return Qt::FlatCap;
    }
}

// The cap shapes Qt has no pen for: triangles, and start and end caps that differ.
enum class CapShape { Flat, Square, Round, Triangle };
CapShape capShape(TGPLineCap cap)
{
    switch (cap) {
    case LineCapSquare:
    case LineCapSquareAnchor: return CapShape::Square;
    case LineCapRound:
    case LineCapRoundAnchor: return CapShape::Round;
    case LineCapTriangle:
    case LineCapDiamondAnchor:
    case LineCapArrowAnchor: return CapShape::Triangle;
    default: return CapShape::Flat;
    }
}

QList<qreal> dashPattern(const TGPPen::Impl& pen)
{
    switch (pen.dashStyle) {
    case DashStyleDash: return {3, 1};
    case DashStyleDot: return {1, 1};
    case DashStyleDashDot: return {3, 1, 1, 1};
    case DashStyleDashDotDot: return {3, 1, 1, 1, 1, 1};
    case DashStyleCustom: return QList<qreal>(pen.pattern.begin(), pen.pattern.end());
    default: return {};
    }
}

struct PenPlan {
    QPen pen;
    bool native = true;                           // the painter strokes with pen
    bool capsByLayer = false;                     // start and end caps added as shapes
    const TGPBrush::Impl* rasterBrush = nullptr;  // a pen brush the layer fills itself
    double halfWidth = 0.5;                       // world units
};

// How a pen strokes under the full transform (world units to device pixels).
PenPlan planPen(const TGPPen::Impl& pen, const QTransform& full)
{
    PenPlan plan;
    const double scale = std::sqrt(std::abs(full.determinant()));
    const bool hairline = !(pen.width * scale >= 1.0);  // at least a pixel wide, as the platform draws
    QBrush brush(ToQColor(pen.color));
    if (pen.brush && !pen.brush->qtBrush(brush, full)) plan.rasterBrush = pen.brush.get();
    plan.pen = QPen(brush, hairline ? 0.0 : pen.width);
    plan.pen.setCosmetic(hairline);
    plan.halfWidth = hairline ? 0.5 / std::max(scale, 1e-9) : pen.width / 2.0;
    switch (pen.join) {
    case LineJoinBevel: plan.pen.setJoinStyle(Qt::BevelJoin); break;
    case LineJoinRound: plan.pen.setJoinStyle(Qt::RoundJoin); break;
    case LineJoinMiterClipped: plan.pen.setJoinStyle(Qt::SvgMiterJoin); break;
    default: plan.pen.setJoinStyle(Qt::MiterJoin); break;
    }
    plan.pen.setMiterLimit(pen.miterLimit);
    const QList<qreal> dashes = dashPattern(pen);
    if (!dashes.isEmpty()) {
        plan.pen.setDashPattern(dashes);
        // Dashes take the dash cap at both ends; Qt has no triangle, the round cap is nearest.
        plan.pen.setCapStyle(pen.dashCap == DashCapFlat ? Qt::FlatCap : Qt::RoundCap);
    } else if (hairline || (pen.startCap == pen.endCap && capShape(pen.startCap) != CapShape::Triangle)) {
        plan.pen.setCapStyle(qtCap(pen.startCap));
    } else {
        plan.pen.setCapStyle(Qt::FlatCap);
        plan.capsByLayer = true;
    }
    plan.native = !plan.capsByLayer && !plan.rasterBrush;
    return plan;
}

void addCap(QPainterPath& out, CapShape shape, QPointF end, QPointF outward, double h)
{
    const double len = std::hypot(outward.x(), outward.y());
    if (shape == CapShape::Flat || len == 0) return;
    const QPointF d = outward / len * h, n(-d.y(), d.x());
    switch (shape) {
    case CapShape::Square: out.addPolygon(QPolygonF({end + n, end + n + d, end - n + d, end - n, end + n})); break;
    case CapShape::Round: out.addEllipse(end, h, h); break;
    default: out.addPolygon(QPolygonF({end + n, end + d, end - n, end + n})); break;
    }
}

// The outline of a stroke as a filled shape (world units), caps included.
QPainterPath strokeOutline(const TGPPen::Impl& pen, const PenPlan& plan, const QPainterPath& path)
{
    QPainterPathStroker stroker(plan.pen);
    stroker.setWidth(plan.halfWidth * 2);
    QPainterPath out = stroker.createStroke(path);
    out.setFillRule(Qt::WindingFill);
    if (!plan.capsByLayer) return out;
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
        if (poly.size() < 2 || poly.front() == poly.back()) continue;  // closed figures have no ends
        qsizetype a = 1;
        while (a < poly.size() - 1 && poly[a] == poly[0]) ++a;
        qsizetype b = poly.size() - 2;
        while (b > 0 && poly[b] == poly.back()) --b;
        addCap(out, capShape(pen.startCap), poly[0], poly[0] - poly[a], plan.halfWidth);
        addCap(out, capShape(pen.endCap), poly.back(), poly.back() - poly[b], plan.halfWidth);
    }
    return out;
}

}  // namespace

// Strokes: native draws with the painter's pen; pathOf gives the figure for the layer's outline.
template <class Native, class PathOf>
static void strokeOn(const GraphicsPaint& p, const TGPPen& pen, Native native, PathOf pathOf)
{
    const PenPlan plan = planPen(*pen.impl(), p.Full());
    if (plan.native) {
        p->setPen(plan.pen);
        p->setBrush(Qt::NoBrush);
        native(*p);
        return;
    }
    const QPainterPath outline = strokeOutline(*pen.impl(), plan, pathOf());
    if (plan.rasterBrush)
        plan.rasterBrush->Fill(*p, outline);
    else
        p->fillPath(outline, plan.pen.brush());
}

template <class Native, class PathOf>
static TGPStatus strokeWith(TGPGraphics::Impl& g, const TGPPen& pen, Native native, PathOf pathOf)
{
    GraphicsPaint p(g);
    if (p) strokeOn(p, pen, native, pathOf);
    return Ok;
}

// Fills: native draws with the painter's brush; pathOf gives the figure for brushes the layer
// rasterises.
template <class Native, class PathOf>
static void fillOn(const GraphicsPaint& p, const TGPBrush& brush, Native native, PathOf pathOf)
{
    const TGPBrush::Impl& b = *brush.impl();
    QBrush qb;
    if (b.qtBrush(qb, p.Full()) && !(b.type == BrushTypeTextureFill && b.wrap == WrapModeClamp)) {
        p->setPen(Qt::NoPen);
        p->setBrush(qb);
        native(*p);
    } else
        b.Fill(*p, pathOf());
}

template <class Native, class PathOf>
static TGPStatus fillWith(TGPGraphics::Impl& g, const TGPBrush& brush, Native native, PathOf pathOf)
{
    GraphicsPaint p(g);
    if (p) fillOn(p, brush, native, pathOf);
    return Ok;
}

namespace {

// Integer points as float points, for the integer forms of the point-list calls.
std::vector<TGPPointF> floatPoints(const TPoint* points, int count)
{
    std::vector<TGPPointF> out;
    if (points && count > 0) {
        out.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) out.push_back({float(points[i].X), float(points[i].Y)});
    }
    return out;
}

QPolygonF polygonOf(const TPoint* points, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly.append(QPointF(points[i].X, points[i].Y));
    return poly;
}

QPolygonF polygonOf(const TGPPointF* points, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly.append(ToQt(points[i]));
    return poly;
}

QPainterPath bezierPath(const std::vector<QPointF>& pts, bool closed)
{
    QPainterPath path;
    if (pts.empty()) return path;
    path.moveTo(pts[0]);
    for (std::size_t i = 1; i + 2 < pts.size(); i += 3) path.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
    if (closed) path.closeSubpath();
    return path;
}

QPainterPath arcPath(double x, double y, double w, double h, double start, double sweep)
{
    return bezierPath(tvgdiplus::ArcPoints(x, y, w, h, start, sweep), false);
}

QPainterPath piePath(double x, double y, double w, double h, double start, double sweep)
{
    const std::vector<QPointF> arc = tvgdiplus::ArcPoints(x, y, w, h, start, sweep);
    QPainterPath path(QPointF(x + w / 2, y + h / 2));
    path.lineTo(arc[0]);
    for (std::size_t i = 1; i + 2 < arc.size(); i += 3) path.cubicTo(arc[i], arc[i + 1], arc[i + 2]);
    path.closeSubpath();
    return path;
}

QPainterPath polygonPath(const QPolygonF& poly, bool closed, Qt::FillRule rule = Qt::OddEvenFill)
{
    QPainterPath path;
    path.setFillRule(rule);
    if (closed)
        path.addPolygon(poly), path.closeSubpath();
    else
        path.addPolygon(poly);
    return path;
}

QPainterPath curvePath(const TPoint* points, int count, float tension, bool closed, Qt::FillRule rule = Qt::OddEvenFill)
{
    const QPolygonF poly = polygonOf(points, count);
    QPainterPath path = bezierPath(tvgdiplus::CardinalBeziers(poly.constData(), count, tension, closed), closed);
    path.setFillRule(rule);
    return path;
}

bool finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

Qt::FillRule rule(TGPFillMode mode) { return mode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill; }

}  // namespace

// ---------- stamped outlines ----------
namespace {

// What an antialiased stroke leaves of a small figure made of lines along the axes (a grid or
// tick line, a bevel, a frame): the coverage of the pixels around it at whole device coordinates,
// as rectangles from its first point. The painter's stroke is the same wherever such a figure
// lies, so it is learned once from the painter itself and then written straight into the surface
// (a chart draws dozens of them every frame, and the painter's set-up and stroker cost far more
// than their pixels).
enum class StampShape { Line, Polyline, Rectangle };

struct StampKey {
    float width;
    TGPLineCap startCap, endCap;
    TGPLineJoin join;
    float miterLimit;
    StampShape shape;
    std::vector<QPoint> steps;  // the figure's points from its first (a rectangle: its size)
    bool operator==(const StampKey&) const = default;
};

struct StampHash {
    std::size_t operator()(const StampKey& k) const
    {
        std::size_t h = qHashMulti(0, k.width, int(k.startCap), int(k.endCap), int(k.join), k.miterLimit, int(k.shape));
        for (const QPoint& s : k.steps) h = qHashMulti(h, s.x(), s.y());
        return h;
    }
};

void strokePolyline(QPainter& p, const QPolygonF& poly);

// The painter's own drawing of a stamped figure, as the layer draws it unstamped.
void strokeFigure(QPainter& p, StampShape shape, const QPolygonF& poly)
{
    switch (shape) {
    case StampShape::Line: p.drawLine(poly[0], poly[1]); break;
    case StampShape::Rectangle: p.drawRect(QRectF(poly[0], poly[1])); break;
    case StampShape::Polyline: strokePolyline(p, poly); break;
    }
}

const std::vector<TCoverRect>& stamp(const StampKey& key, const TGPPen::Impl& penShape)
{
    thread_local std::unordered_map<StampKey, std::vector<TCoverRect>, StampHash> stamps;
    const auto found = stamps.find(key);
    if (found != stamps.end()) return found->second;
    QRect extent;
    for (const QPoint& s : key.steps) extent |= QRect(s, QSize(1, 1));
    extent |= QRect(0, 0, 1, 1);
    const int margin = int(std::ceil(key.width)) + 2;
    QImage scratch(extent.width() + 2 * margin, extent.height() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(0);
    const QPoint start(margin - extent.left(), margin - extent.top());
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing, true);
        QPen pen = planPen(penShape, QTransform()).pen;
        pen.setColor(Qt::white);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPolygonF poly;
        poly.append(QPointF(start));
        for (const QPoint& s : key.steps) poly.append(QPointF(start + s));
        strokeFigure(p, key.shape, poly);
    }
    // Runs of one coverage along the rows, joined with the same run of the row above.
    std::vector<TCoverRect> spans;
    std::vector<std::size_t> above, here;  // the rectangles reaching the row above, and this one
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        here.clear();
        for (int x = 0; x < scratch.width();) {
            const int cover = qAlpha(row[x]);
            int end = x + 1;
            while (end < scratch.width() && qAlpha(row[end]) == cover) ++end;
            const TCoverRect run{x - start.x(), y - start.y(), end - x, 1, cover};
            x = end;
            if (!cover) continue;
            const auto same = std::find_if(above.begin(), above.end(), [&](std::size_t i) {
                return spans[i].x == run.x && spans[i].width == run.width && spans[i].cover == run.cover;
            });
            if (same != above.end()) {
                ++spans[*same].height;
                here.push_back(*same);
            } else {
                here.push_back(spans.size());
                spans.push_back(run);
            }
        }
        std::swap(above, here);
    }
    // Bounded: a chart's axes and frames need a handful of sizes.
    if (stamps.size() >= 256) stamps.clear();
    return stamps.emplace(key, std::move(spans)).first->second;
}

bool whole(double v) { return v == std::floor(v) && std::abs(v) < 1e7; }

}  // namespace

// A solid opaque figure along the axes at whole device coordinates, antialiased, on a surface
// whose pixels can be written: drawn from its learned stamp. False when it must go through the
// painter. Polylines are lines of up to 8 points, each along an axis. Where a figure's strokes
// overlap (a rectangle's corner) the stamp blends the pixel once with their joint coverage, the
// painter once per stroke: the two may differ by a level there.
static bool drawStamped(TGPGraphics::Impl& g, const TGPPen::Impl& pen, StampShape shape, const QPolygonF& figure)
{
    if (!g.dc || !g.Antialias() || (g.hasClip && !g.clipIsRect)) return false;
    if (pen.brush || qAlpha(pen.color) != 255 || pen.dashStyle != DashStyleSolid) return false;
    if (figure.size() < 2 || figure.size() > 8) return false;
    // Wider figures than lines have curved ends and joins, whose flattening is not quite the same
    // at every place.
    if (shape != StampShape::Line && pen.width > 1) return false;
    QPoint shift;
    const QTransform toDC = g.ToDC();
    if (toDC.type() > QTransform::TxTranslate || !DCRowShift(*g.dc, shift)) return false;
    // The device transform as GraphicsPaint makes it (antialiased: half-pixel shift unless the
    // offset mode puts pixel centres half-way).
    const QTransform full = toDC * QTransform::fromTranslate(g.HalfPixel() ? 0.5 : 0.0, g.HalfPixel() ? 0.5 : 0.0) *
                            QTransform::fromTranslate(shift.x(), shift.y());
    const QPolygonF dev = full.map(figure);
    for (const QPointF& q : dev)
        if (!whole(q.x()) || !whole(q.y())) return false;
    const QPoint origin(int(dev[0].x()), int(dev[0].y()));
    std::vector<QPoint> steps;
    steps.reserve(std::size_t(dev.size() - 1));
    for (qsizetype i = 1; i < dev.size(); ++i) {
        const QPoint step = QPoint(int(dev[i].x()), int(dev[i].y())) - origin;
        if (std::max(std::abs(step.x()), std::abs(step.y())) > 4096) return false;
        steps.push_back(step);
    }
    if (shape == StampShape::Rectangle) {
        if (steps[0].x() <= 0 || steps[0].y() <= 0) return false;
    } else {
        for (qsizetype i = 1; i < dev.size(); ++i) {
            const QPointF d = dev[i] - dev[i - 1];
            if ((d.x() != 0) == (d.y() != 0)) return false;  // along one axis, with a length
        }
    }
    QRect clip(-(1 << 24), -(1 << 24), 1 << 25, 1 << 25);
    if (g.hasClip) {
        const QRectF c = g.clipRect.translated(shift);
        if (!whole(c.left()) || !whole(c.top()) || !whole(c.right()) || !whole(c.bottom())) return false;
        clip = c.toRect();
    }
    // Caps the painter's pen cannot draw go through the layer's outlines (planPen, at scale 1).
    const bool hairline = !(pen.width >= 1.0f);
    if (!hairline && (pen.startCap != pen.endCap || capShape(pen.startCap) == CapShape::Triangle)) return false;
    const StampKey key{pen.width, pen.startCap, pen.endCap, pen.join, pen.miterLimit, shape, std::move(steps)};
    DCBlendRects(*g.dc, origin, stamp(key, pen), pen.color, clip);
    return true;
}

// ---------- lines and outlines ----------
TGPStatus TGPGraphics::DrawLine(const TGPPen& pen, float x1, float y1, float x2, float y2)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!finite({x1, y1, x2, y2})) return SetStatus(InvalidParameter);
    const QLineF line(x1, y1, x2, y2);
    if (drawStamped(*impl_, *pen.impl(), StampShape::Line, QPolygonF({line.p1(), line.p2()}))) return Ok;
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawLine(line); },
        [&] {
            QPainterPath path(line.p1());
            path.lineTo(line.p2());
            return path;
        });
}

TGPStatus TGPGraphics::DrawLineI(const TGPPen& pen, int x1, int y1, int x2, int y2)
{
    return DrawLine(pen, float(x1), float(y1), float(x2), float(y2));
}

namespace {

// The outline of a polyline stroked with round ends and joins, made from the segments' normals:
// the painter's stroker finds the same shape through two arc tangents per join, which costs more
// than the whole fill.
class TRoundOutline {
public:
    TRoundOutline(QPainterPath& path, qreal radius) : path_(path), r_(radius) {}

    // One side of the line (left of its direction), its far round end included.
    void Side(const std::vector<QPointF>& pts, bool first)
    {
        const std::size_t n = pts.size();
        QPointF d = direction(pts[0], pts[1]), off = normal(d);  // of the segment from point i
        if (first)
            path_.moveTo(pts[0] + off);
        else
            path_.lineTo(pts[0] + off);
        for (std::size_t i = 0; i + 1 < n; ++i) {
            path_.lineTo(pts[i + 1] + off);
            if (i + 2 < n) {
                const QPointF next = direction(pts[i + 1], pts[i + 2]);
                const qreal cross = d.x() * next.y() - d.y() * next.x();
                const QPointF nextOff = normal(next);
                if (cross > 0 || (cross == 0 && d.x() * next.x() + d.y() * next.y() < 0))
                    arc(pts[i + 1], off, nextOff, d);  // the outer side of the turn
                else if (cross < 0)
                    path_.lineTo(pts[i + 1]), path_.lineTo(pts[i + 1] + nextOff);
                d = next, off = nextOff;
            } else {
                arc(pts[i + 1], off, -off, d);  // the round end
            }
        }
    }

private:
    static QPointF direction(QPointF a, QPointF b)
    {
        const QPointF d = b - a;
        return d / std::sqrt(d.x() * d.x() + d.y() * d.y());
    }
    QPointF normal(QPointF d) const { return QPointF(d.y(), -d.x()) * r_; }

    // From centre + a to centre + b (both of length r) the short way round; a half turn bulges
    // towards ahead.
    void arc(QPointF centre, QPointF a, QPointF b, QPointF ahead)
    {
        const qreal dot = (a.x() * b.x() + a.y() * b.y()) / (r_ * r_);
        if (dot < 0) {
            QPointF mid = a + b;
            const qreal len = std::hypot(mid.x(), mid.y());
            mid = len > 1e-9 * r_ ? mid * (r_ / len) : ahead * r_;
            arc(centre, a, mid, ahead);
            arc(centre, mid, b, ahead);
            return;
        }
        // A quarter turn or less: one cubic, its handles 4/3 tan(angle / 4) of the radius long.
        const qreal c = std::clamp(dot, qreal(-1), qreal(1));
        const qreal halfCos = std::sqrt((1 + c) / 2), halfSin = std::sqrt((1 - c) / 2);
        const qreal k = 4.0 / 3.0 * halfSin / (1 + halfCos);
        const qreal turn = a.x() * b.y() - a.y() * b.x() < 0 ? -1 : 1;
        const QPointF ta(-a.y() * turn, a.x() * turn), tb(-b.y() * turn, b.x() * turn);
        path_.cubicTo(centre + a + ta * k, centre + b - tb * k, centre + b);
    }

    QPainterPath& path_;
    qreal r_;
};

bool RoundOutlines = true;

// An antialiased solid pen with round ends and joins is filled as its outline (with the winding
// rule, as the painter fills its stroke); false for any other pen or a line with no length.
bool fillRoundStroke(QPainter& p, const QPolygonF& poly)
{
    const QPen& pen = p.pen();
    if (pen.style() != Qt::SolidLine || pen.capStyle() != Qt::RoundCap || pen.joinStyle() != Qt::RoundJoin ||
        pen.brush().style() != Qt::SolidPattern || pen.isCosmetic() || !(pen.widthF() > 1) ||
        !p.testRenderHint(QPainter::Antialiasing))
        return false;
    if (!RoundOutlines) return false;
    std::vector<QPointF> pts;
    pts.reserve(static_cast<std::size_t>(poly.size()));
    for (const QPointF& q : poly) {
        if (!std::isfinite(q.x()) || !std::isfinite(q.y())) return false;
        if (pts.empty() || q != pts.back()) pts.push_back(q);
    }
    if (pts.size() < 2) return false;
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    outline.reserve(int(6 * pts.size()));  // both sides, their turns as cubics
    TRoundOutline round(outline, pen.widthF() / 2);
    round.Side(pts, true);
    std::reverse(pts.begin(), pts.end());
    round.Side(pts, false);
    outline.closeSubpath();
    p.fillPath(outline, pen.brush());
    return true;
}

void strokePolyline(QPainter& p, const QPolygonF& poly)
{
    if (!fillRoundStroke(p, poly)) p.drawPolyline(poly);
}

}  // namespace

void tvgdiplus::SetRoundLineOutlines(bool on) { RoundOutlines = on; }

TGPStatus TGPGraphics::DrawLines(const TGPPen& pen, const TGPPointF* points, int count)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 2) return SetStatus(InvalidParameter);
    const QPolygonF poly = polygonOf(points, count);
    if (drawStamped(*impl_, *pen.impl(), StampShape::Polyline, poly)) return Ok;
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { strokePolyline(p, poly); }, [&] { return polygonPath(poly, false); });
}

TGPStatus TGPGraphics::DrawLinesI(const TGPPen& pen, const TPoint* points, int count)
{
    const std::vector<TGPPointF> floats = floatPoints(points, count);
    return DrawLines(pen, points ? floats.data() : nullptr, count);
}

TGPStatus TGPGraphics::DrawArcI(const TGPPen& pen, int x, int y, int width, int height, float startAngle,
                                float sweepAngle)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (width <= 0 || height <= 0 || !finite({startAngle, sweepAngle})) return SetStatus(InvalidParameter);
    const QPainterPath path = arcPath(x, y, width, height, startAngle, sweepAngle);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

TGPStatus TGPGraphics::DrawRectangleI(const TGPPen& pen, int x, int y, int width, int height)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    const QRectF r(x, y, width, height);
    if (drawStamped(*impl_, *pen.impl(), StampShape::Rectangle, QPolygonF({r.topLeft(), r.bottomRight()}))) return Ok;
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawRect(r); },
        [&] {
            QPainterPath path;
            path.addRect(r);
            return path;
        });
}

TGPStatus TGPGraphics::DrawEllipseI(const TGPPen& pen, int x, int y, int width, int height)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    const QRectF r(x, y, width, height);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawEllipse(r); },
        [&] {
            QPainterPath path;
            path.addEllipse(r);
            return path;
        });
}

TGPStatus TGPGraphics::DrawPieI(const TGPPen& pen, int x, int y, int width, int height, float startAngle,
                                float sweepAngle)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (width <= 0 || height <= 0 || !finite({startAngle, sweepAngle})) return SetStatus(InvalidParameter);
    const QPainterPath path = piePath(x, y, width, height, startAngle, sweepAngle);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

TGPStatus TGPGraphics::DrawPolygon(const TGPPen& pen, const TGPPointF* points, int count)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 2) return SetStatus(InvalidParameter);
    const QPolygonF poly = polygonOf(points, count);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPolygon(poly); }, [&] { return polygonPath(poly, true); });
}

TGPStatus TGPGraphics::DrawPolygonI(const TGPPen& pen, const TPoint* points, int count)
{
    const std::vector<TGPPointF> floats = floatPoints(points, count);
    return DrawPolygon(pen, points ? floats.data() : nullptr, count);
}

TGPStatus TGPGraphics::DrawPath(const TGPPen& pen, const TGPGraphicsPath& path)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!path.impl()) return SetStatus(InvalidParameter);
    const QPainterPath q = path.impl()->ToQt();
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPath(q); }, [&] { return q; });
}

TGPStatus TGPGraphics::DrawCurve2I(const TGPPen& pen, const TPoint* points, int count, float tension)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 2 || !std::isfinite(tension)) return SetStatus(InvalidParameter);
    const QPainterPath path = curvePath(points, count, tension, false);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

TGPStatus TGPGraphics::DrawClosedCurve2I(const TGPPen& pen, const TPoint* points, int count, float tension)
{
    if (!impl_) return NotMade();
    if (!pen.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 3 || !std::isfinite(tension)) return SetStatus(InvalidParameter);
    const QPainterPath path = curvePath(points, count, tension, true);
    return strokeWith(
        *impl_, pen, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

// ---------- fills ----------
TGPStatus TGPGraphics::Clear(TGPColor color)
{
    if (!impl_) return NotMade();
    GraphicsPaint p(*impl_);
    if (!p) return Ok;
    // A device context has no alpha of its own: the colour lands opaque there.
    const QColor c = ToQColor(impl_->alphaTarget ? color : (color | 0xFF000000u));
    p->resetTransform();
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(QRect(0, 0, p->device()->width(), p->device()->height()), c);
    return Ok;
}

TGPStatus TGPGraphics::FillRectangle(const TGPBrush& brush, float x, float y, float width, float height)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!finite({x, y, width, height})) return SetStatus(InvalidParameter);
    if (width <= 0 || height <= 0) return Ok;
    const QRectF r(x, y, width, height);
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawRect(r); },
        [&] {
            QPainterPath path;
            path.addRect(r);
            return path;
        });
}

TGPStatus TGPGraphics::FillRectangleI(const TGPBrush& brush, int x, int y, int width, int height)
{
    return FillRectangle(brush, float(x), float(y), float(width), float(height));
}

TGPStatus TGPGraphics::FillPolygon(const TGPBrush& brush, const TGPPointF* points, int count, TGPFillMode fillMode)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 3) return SetStatus(InvalidParameter);
    const QPolygonF poly = polygonOf(points, count);
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawPolygon(poly, rule(fillMode)); },
        [&] { return polygonPath(poly, true, rule(fillMode)); });
}

TGPStatus TGPGraphics::FillPolygonI(const TGPBrush& brush, const TPoint* points, int count, TGPFillMode fillMode)
{
    const std::vector<TGPPointF> floats = floatPoints(points, count);
    return FillPolygon(brush, points ? floats.data() : nullptr, count, fillMode);
}

TGPStatus TGPGraphics::FillDrawPolygonI(const TGPBrush* brush, const TGPPen* pen, const TPoint* points, int count)
{
    if (!impl_) return NotMade();
    if ((brush && !brush->impl()) || (pen && !pen->impl())) return SetStatus(InvalidParameter);
    if (!points || count < 3) return SetStatus(InvalidParameter);
    GraphicsPaint p(*impl_);
    if (!p) return Ok;
    const QPolygonF poly = polygonOf(points, count);
    const auto native = [&](QPainter& painter) { painter.drawPolygon(poly); };
    const auto path = [&] { return polygonPath(poly, true); };
    if (brush) fillOn(p, *brush, native, path);
    if (pen) strokeOn(p, *pen, native, path);
    return Ok;
}

TGPStatus TGPGraphics::FillDrawPolygonRunI(TGPSolidBrush& brush, const TGPColor* colors, const TGPPen* pen,
                                           const TPoint* points, int perPolygon, int polygons)
{
    if (!impl_) return NotMade();
    if (!brush.impl() || (pen && !pen->impl())) return SetStatus(InvalidParameter);
    if (polygons <= 0) return Ok;
    if (!points || !colors || perPolygon < 3) return SetStatus(InvalidParameter);
    GraphicsPaint p(*impl_);
    if (!p) return Ok;
    QPolygonF poly(perPolygon);
    const auto at = [&](int i) {
        const TPoint* first = points + static_cast<std::ptrdiff_t>(i) * perPolygon;
        for (int k = 0; k < perPolygon; ++k) poly[k] = QPointF(first[k].X, first[k].Y);
    };
    // A pen the painter strokes itself is set once and each polygon filled and outlined in one
    // call (the painter fills, then strokes, as the two calls would).
    if (const PenPlan plan = pen ? planPen(*pen->impl(), p.Full()) : PenPlan{}; plan.native) {
        p->setPen(pen ? plan.pen : QPen(Qt::NoPen));
        for (int i = 0; i < polygons; ++i) {
            at(i);
            p->setBrush(ToQColor(colors[i]));
            p->drawPolygon(poly);
        }
        brush.SetColor(colors[polygons - 1]);
        return Ok;
    }
    const auto native = [&](QPainter& painter) { painter.drawPolygon(poly); };
    const auto path = [&] { return polygonPath(poly, true); };
    for (int i = 0; i < polygons; ++i) {
        at(i);
        brush.SetColor(colors[i]);
        fillOn(p, brush, native, path);
        strokeOn(p, *pen, native, path);
    }
    return Ok;
}

TGPStatus TGPGraphics::FillEllipse(const TGPBrush& brush, float x, float y, float width, float height)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!finite({x, y, width, height})) return SetStatus(InvalidParameter);
    const QRectF r(x, y, width, height);
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawEllipse(r); },
        [&] {
            QPainterPath path;
            path.addEllipse(r);
            return path;
        });
}

TGPStatus TGPGraphics::FillEllipseI(const TGPBrush& brush, int x, int y, int width, int height)
{
    return FillEllipse(brush, float(x), float(y), float(width), float(height));
}

TGPStatus TGPGraphics::FillPieI(const TGPBrush& brush, int x, int y, int width, int height, float startAngle,
                                float sweepAngle)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (width <= 0 || height <= 0 || !finite({startAngle, sweepAngle})) return SetStatus(InvalidParameter);
    const QPainterPath path = piePath(x, y, width, height, startAngle, sweepAngle);
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

TGPStatus TGPGraphics::FillPath(const TGPBrush& brush, const TGPGraphicsPath& path)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!path.impl()) return SetStatus(InvalidParameter);
    const QPainterPath q = path.impl()->ToQt();
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawPath(q); }, [&] { return q; });
}

TGPStatus TGPGraphics::FillClosedCurve2I(const TGPBrush& brush, const TPoint* points, int count, float tension,
                                         TGPFillMode fillMode)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!points || count < 3 || !std::isfinite(tension)) return SetStatus(InvalidParameter);
    const QPainterPath path = curvePath(points, count, tension, true, rule(fillMode));
    return fillWith(
        *impl_, brush, [&](QPainter& p) { p.drawPath(path); }, [&] { return path; });
}

// ---------- text ----------
namespace {

// The em of a font in world units on a graphics.
double emWorld(const TGPFont::Impl& font, const TGPGraphics::Impl& g)
{
    return font.unit == UnitWorld ? font.size : font.EmPixels(96.0) / g.PageScale();
}

bool textAntialiased(TGPTextRenderingHint hint)
{
    return hint != TextRenderingHintSingleBitPerPixel && hint != TextRenderingHintSingleBitPerPixelGridFit;
}

// Labels are single lines: they are not split.
QStringList linesOf(const String& text)
{
    QString all = QString::fromStdString(text);
    if (!all.contains(QLatin1Char('\n'))) return QStringList(std::move(all));
    return all.split(QLatin1Char('\n'));
}

// A font as made for one device, with what was measured and shaped in it: axis labels draw and
// measure the same short texts every frame, and making a font and shaping a text cost more than
// drawing it. Keyed by everything the font is made from.
struct MadeFontKey {
    QString family;
    double em, dpi;
    int style;
    bool antialias;
    bool operator==(const MadeFontKey&) const = default;
};

struct MadeFontHash {
    std::size_t operator()(const MadeFontKey& k) const
    {
        return qHashMulti(0, k.family, k.em, k.dpi, k.style, k.antialias);
    }
};

struct MadeFont {
    QFont font;
    qreal ascent = 0, lineSpacing = 0;
    std::unordered_map<QString, qreal> widths;
    // Glyphs of single lines, positions from the baseline's start; an empty list for lines the
    // painter must draw itself.
    std::unordered_map<QString, QList<QGlyphRun>> glyphs;
    const QList<QGlyphRun>& glyphRuns(const QString& line, const QPaintDevice* device);
};

MadeFont& madeFont(const TGPFont::Impl& font, double em, const QPaintDevice* device, bool antialias)
{
    thread_local std::unordered_map<MadeFontKey, MadeFont, MadeFontHash> made;
    const double dpi = device->logicalDpiY();
    MadeFontKey key{font.family, em, dpi, font.style, antialias};
    const auto found = made.find(key);
    if (found != made.end()) return found->second;
    // Bounded: a handful of fonts draw a chart.
    if (made.size() >= 32) made.clear();
    MadeFont& m = made[std::move(key)];
    m.font = font.Make(em, dpi, antialias);
    const QFontMetricsF fm(m.font, device);
    m.ascent = fm.ascent();
    m.lineSpacing = fm.lineSpacing();
    return m;
}

qreal lineWidth(MadeFont& m, const QString& line, const QPaintDevice* device)
{
    const auto found = m.widths.find(line);
    if (found != m.widths.end()) return found->second;
    if (m.widths.size() >= 1024) m.widths.clear();
    return m.widths.emplace(line, QFontMetricsF(m.font, device).horizontalAdvance(line)).first->second;
}

const QList<QGlyphRun>& MadeFont::glyphRuns(const QString& line, const QPaintDevice* device)
{
    const auto found = glyphs.find(line);
    if (found != glyphs.end()) return found->second;
    if (glyphs.size() >= 1024) glyphs.clear();
    return glyphs.emplace(line, ShapeLine(line, font, device)).first->second;
}

}  // namespace

TGPStatus TGPGraphics::DrawString(const String& text, const TGPFont& font, const TGPRectF& layout,
                                  const TGPStringFormat* /*format*/, const TGPBrush& brush)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    if (!font.impl() || !finite({layout.X, layout.Y})) return SetStatus(InvalidParameter);
    if (text.empty()) return Ok;
    GraphicsPaint p(*impl_);
    if (!p) return Ok;
    MadeFont& made = madeFont(*font.impl(), emWorld(*font.impl(), *impl_), p->device(), textAntialiased(impl_->textHint));
    const QFont& qf = made.font;
    const TGPBrush::Impl& b = *brush.impl();
    QBrush qb;
    const bool native = b.qtBrush(qb, p.Full()) && !(b.type == BrushTypeTextureFill && b.wrap == WrapModeClamp);
    // Recording and printing engines keep texts as texts.
    const bool raster = p->paintEngine()->type() == QPaintEngine::Raster;
    QPainterPath glyphs;
    double baseline = layout.Y + made.ascent;
    p->setFont(qf);
    p->setPen(QPen(qb, 1));
    for (const QString& line : linesOf(text)) {
        const QList<QGlyphRun>* runs = native && raster ? &made.glyphRuns(line, p->device()) : nullptr;
        if (runs && !runs->isEmpty())
            for (const QGlyphRun& run : *runs) p->drawGlyphRun(QPointF(layout.X, baseline), run);
        else if (native)
            p->drawText(QPointF(layout.X, baseline), line);
        else
            glyphs.addText(QPointF(layout.X, baseline), qf, line);
        baseline += made.lineSpacing;
    }
    if (!native) b.Fill(*p, glyphs);
    return Ok;
}

TGPStatus TGPGraphics::MeasureString(const String& text, const TGPFont& font, const TGPRectF& layout,
                                     const TGPStringFormat* /*format*/, TGPRectF& boundingBox)
{
    if (!impl_) return NotMade();
    if (!font.impl()) return SetStatus(InvalidParameter);
    boundingBox = {layout.X, layout.Y, 0, 0};
    if (text.empty()) return Ok;
    const QImage& reference = tvgdiplus::ReferenceDevice();
    MadeFont& made = madeFont(*font.impl(), emWorld(*font.impl(), *impl_), &reference, true);
    double width = 0;
    const QStringList lines = linesOf(text);
    for (const QString& line : lines) width = std::max(width, lineWidth(made, line, &reference));
    boundingBox.Width = float(width);
    boundingBox.Height = float(made.lineSpacing * lines.size());
    return Ok;
}

// ---------- images ----------
TGPStatus TGPGraphics::DrawImageI(const TGPImage& image, int x, int y)
{
    return DrawImageRectRectI(image, x, y, int(image.GetWidth()), int(image.GetHeight()), 0, 0, int(image.GetWidth()),
                              int(image.GetHeight()));
}

TGPStatus TGPGraphics::DrawImageRectI(const TGPImage& image, int x, int y, int width, int height)
{
    return DrawImageRectRectI(image, x, y, width, height, 0, 0, int(image.GetWidth()), int(image.GetHeight()));
}

TGPStatus TGPGraphics::DrawImageRectRectI(const TGPImage& image, int dstX, int dstY, int dstWidth, int dstHeight,
                                          int srcX, int srcY, int srcWidth, int srcHeight, TGPUnit srcUnit,
                                          const TGPImageAttributes* attributes)
{
    if (!impl_) return NotMade();
    if (!image.impl() || srcUnit != UnitPixel) return SetStatus(InvalidParameter);
    if (dstWidth == 0 || dstHeight == 0 || srcWidth <= 0 || srcHeight <= 0) return Ok;
    GraphicsPaint p(*impl_);
    if (!p) return Ok;
    // Images stay on the pixel grid whatever the pixel offset mode.
    p->setWorldTransform(impl_->ToDC() * p.Base());
    QRectF src(srcX, srcY, srcWidth, srcHeight);
    const QRectF dst(dstX, dstY, dstWidth, dstHeight);
    const TGPColorMatrix* matrix = tvgdiplus::BitmapMatrix(attributes);
    float alpha = 1;
    // A metafile plays as vectors (a recording surface records them as such) unless its colours
    // change.
    if (image.impl()->type == ImageTypeMetafile && (!matrix || tvgdiplus::AlphaOnly(*matrix, alpha))) {
        p->setOpacity(std::clamp(alpha, 0.0f, 1.0f));
        tvgdiplus::PlayMetafile(*image.impl(), *p, dst, src);
        return Ok;
    }
    QImage img = tvgdiplus::ImageForDrawing(*image.impl());
    if (img.isNull()) return Ok;
    if (matrix) {
        if (tvgdiplus::AlphaOnly(*matrix, alpha))
            p->setOpacity(std::clamp(alpha, 0.0f, 1.0f));
        else {
            img = tvgdiplus::ApplyColorMatrix(img.copy(src.toAlignedRect()), *matrix);
            src.moveTo(0, 0);
        }
    }
    p->drawImage(dst, img, src);
    return Ok;
}
