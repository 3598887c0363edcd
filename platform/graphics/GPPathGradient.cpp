// Path gradients over any outline, rasterised: a pixel at the fraction s of the way from the
// centre point to the outline (along the ray through it) takes the blend's colour at position
// 1 - s. A convex outline around its centre point finds s as the largest ratio over its edges;
// any other outline casts the ray against every edge.
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/graphics/GPObjects_p.h"

namespace {

constexpr int lutSize = 1024;

// Premultiplied colours at positions 0..1 of the blend (outline to centre).
std::vector<QRgb> colourTable(const TGPBrush::Impl& b)
{
    tvgdiplus::Blend blend = b.blend;
    if (blend.empty()) {
        blend.colors = {b.surroundColor, b.centerColor};
        blend.positions = {0, 1};
    }
    const QGradientStops stops = tvgdiplus::BlendStops(blend, false);
    std::vector<QRgb> lut(lutSize);
    qsizetype k = 0;
    for (int i = 0; i < lutSize; ++i) {
        const double pos = double(i) / (lutSize - 1);
        while (k + 2 < stops.size() && stops[k + 1].first < pos) ++k;
        const auto& a = stops[k];
        const auto& c = stops[std::min(k + 1, stops.size() - 1)];
        const double span = c.first - a.first;
        double t = span > 0 ? std::clamp((pos - a.first) / span, 0.0, 1.0) : 1.0;
        const QRgb pa = qPremultiply(a.second.rgba()), pc = qPremultiply(c.second.rgba());
        auto mix = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
        lut[std::size_t(i)] = qRgba(mix(qRed(pa), qRed(pc)), mix(qGreen(pa), qGreen(pc)), mix(qBlue(pa), qBlue(pc)),
                                    mix(qAlpha(pa), qAlpha(pc)));
    }
    return lut;
}

struct Edge {
    QPointF a, b;
};

// For a convex outline around m: s(p) = max over edges of n.(p - m) / (n.v - n.m).
struct ConvexForm {
    std::vector<double> ax, ay, c;
};

bool convexForm(const std::vector<QPolygonF>& polys, QPointF m, ConvexForm& form)
{
    if (polys.size() != 1) return false;
    QPolygonF poly = polys.front();
    if (poly.size() > 1 && poly.front() == poly.back()) poly.removeLast();
    const qsizetype n = poly.size();
    if (n < 3) return false;
    int sign = 0;
    for (qsizetype i = 0; i < n; ++i) {
        QPointF e1 = poly[(i + 1) % n] - poly[i], e2 = poly[(i + 2) % n] - poly[(i + 1) % n];
        double cross = e1.x() * e2.y() - e1.y() * e2.x();
        if (std::abs(cross) < 1e-9) continue;
        int sg = cross > 0 ? 1 : -1;
        if (sign && sg != sign) return false;
        sign = sg;
    }
    if (!sign) return false;
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF v = poly[i], w = poly[(i + 1) % n];
        if (v == w) continue;
        // Outward normal: with a clockwise turn (sign > 0 in y-down space) it is (dy, -dx).
        QPointF nrm = sign > 0 ? QPointF(w.y() - v.y(), v.x() - w.x()) : QPointF(v.y() - w.y(), w.x() - v.x());
        double denom = QPointF::dotProduct(nrm, v) - QPointF::dotProduct(nrm, m);
        if (denom <= 1e-9) return false;  // the centre point is not inside
        form.ax.push_back(nrm.x() / denom);
        form.ay.push_back(nrm.y() / denom);
        form.c.push_back(-(nrm.x() * m.x() + nrm.y() * m.y()) / denom);
    }
    return !form.ax.empty();
}

// s for any outline: 1 / the smallest ray parameter at which the ray m + t (p - m) meets an edge.
double rayFraction(const std::vector<Edge>& edges, QPointF m, QPointF p)
{
    const QPointF d = p - m;
    if (d.x() == 0 && d.y() == 0) return 0;
    double best = std::numeric_limits<double>::infinity();
    for (const Edge& e : edges) {
        const QPointF s = e.b - e.a;
        const double den = d.x() * s.y() - d.y() * s.x();
        if (std::abs(den) < 1e-12) continue;
        const QPointF w = e.a - m;
        const double t = (w.x() * s.y() - w.y() * s.x()) / den;
        const double u = (w.x() * d.y() - w.y() * d.x()) / den;
        if (t > 1e-9 && u >= 0 && u <= 1) best = std::min(best, t);
    }
    return std::isinf(best) ? 2 : 1 / best;
}

}  // namespace

namespace {

// A rasterised gradient, kept for the same brush over the same device outline and area: a chart's
// shadows are the same from frame to frame, and finding every pixel's ray costs far more than
// filling with the result.
struct Rasterised {
    std::vector<QPolygonF> outline;  // device pixels
    QPointF center;
    QRect area;
    tvgdiplus::Blend blend;
    TGPColor centerColor, surroundColor;
    QImage image;

    bool sameAs(const std::vector<QPolygonF>& o, QPointF m, const QRect& a, const TGPBrush::Impl& b) const
    {
        return area == a && center == m && centerColor == b.centerColor && surroundColor == b.surroundColor &&
               blend.colors == b.blend.colors && blend.positions == b.blend.positions && outline == o;
    }
};

QImage rasterise(const TGPBrush::Impl& b, const std::vector<QPolygonF>& outline, QPointF m, const QRect& area)
{
    const std::vector<QRgb> lut = colourTable(b);
    ConvexForm form;
    const bool convex = convexForm(outline, m, form);
    std::vector<Edge> edges;
    if (!convex)
        for (const QPolygonF& poly : outline)
            for (qsizetype i = 0; i < poly.size(); ++i) edges.push_back({poly[i], poly[(i + 1) % poly.size()]});

    // Pixels the outline only grazes keep the outline's colour (the fill's antialiased edge covers
    // them partly); beyond that the brush paints nothing.
    QRectF bounds;
    for (const QPolygonF& poly : outline) bounds |= poly.boundingRect();
    const double reach = 1.0 + 1.5 / std::max(1.0, std::min(bounds.width(), bounds.height()) / 2);

    QImage img(area.size(), QImage::Format_ARGB32_Premultiplied);
    const int last = lutSize - 1;
    std::vector<double> rowBase(form.ax.size());
    for (int y = 0; y < area.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double py = area.top() + y + 0.5;
        const double px0 = area.left() + 0.5;
        if (convex)  // each edge's ratio is linear along the row
            for (std::size_t e = 0; e < rowBase.size(); ++e)
                rowBase[e] = form.ax[e] * px0 + form.ay[e] * py + form.c[e];
        for (int x = 0; x < area.width(); ++x) {
            double s;
            if (convex) {
                s = -std::numeric_limits<double>::infinity();
                for (std::size_t e = 0; e < rowBase.size(); ++e) s = std::max(s, rowBase[e] + form.ax[e] * x);
            } else
                s = rayFraction(edges, m, {px0 + x, py});
            if (!(s <= reach)) {
                line[x] = 0;  // outside the outline
                continue;
            }
            const double pos = 1.0 - std::clamp(s, 0.0, 1.0);
            line[x] = lut[std::size_t(int(pos * last + 0.5))];
        }
    }
    return img;
}

const QImage& rasterised(const TGPBrush::Impl& b, std::vector<QPolygonF> outline, QPointF m, const QRect& area)
{
    // A few: a chart has a shadow or two.
    thread_local std::vector<Rasterised> kept;
    const auto found = std::find_if(kept.begin(), kept.end(),
                                    [&](const Rasterised& r) { return r.sameAs(outline, m, area, b); });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front().image;
    }
    if (kept.size() >= 4) kept.pop_back();
    QImage image = rasterise(b, outline, m, area);
    kept.insert(kept.begin(),
                Rasterised{std::move(outline), m, area, b.blend, b.centerColor, b.surroundColor, std::move(image)});
    return kept.front().image;
}

}  // namespace

void tvgdiplus::RasterisePathGradient(const TGPBrush::Impl& b, QPainter& p, const QPainterPath& path)
{
    const QTransform toDevice = p.worldTransform();
    const QPainterPath devPath = toDevice.map(path);
    QRect area = devPath.boundingRect().toAlignedRect() & QRect(0, 0, p.device()->width(), p.device()->height());
    if (p.hasClipping()) area &= toDevice.mapRect(p.clipBoundingRect()).toAlignedRect();
    if (area.isEmpty()) return;

    std::vector<QPolygonF> outline;
    for (const QPolygonF& poly : b.outline) outline.push_back(toDevice.map(poly));
    const QImage& img = rasterised(b, std::move(outline), toDevice.map(b.center), area);
    p.save();
    p.resetTransform();
    QBrush brush(img);
    brush.setTransform(QTransform::fromTranslate(area.left(), area.top()));
    p.fillPath(devPath, brush);
    p.restore();
}
