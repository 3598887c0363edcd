// Lines and shapes of the device context. Solid one-pixel lines are rasterised here (Qt's
// cosmetic stroker orders the end points, so it would drop the wrong end pixel of lines drawn
// towards smaller coordinates); fills, wide pens and arcs go through the painter.
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/graphics/DeviceContextImpl_p.h"

namespace {

// Parametric angle (degrees, counter-clockwise, y up) of the radial through (x, y).
double radialAngle(double cx, double cy, double rx, double ry, int x, int y)
{
    double dx = (x - cx) / (rx > 0 ? rx : 1), dy = (cy - y) / (ry > 0 ? ry : 1);
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

}  // namespace

static std::vector<std::pair<int, int>> ellipseSpans(int l, int t, int r, int b);

void TDeviceContext::Impl::addLine(int x0, int y0, int x1, int y1)
{
    int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    if (dx == 0 && dy == 0) return;
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    if (dy == 0) {
        int a = sx > 0 ? x0 : x1 + 1;
        runs.emplace_back(a, y0, dx, 1);
        return;
    }
    if (dx == 0) {
        int a = sy > 0 ? y0 : y1 + 1;
        runs.emplace_back(x0, a, 1, dy);
        return;
    }
    if (dx >= dy) {
        // Runs along x; the error term decides where y steps.
        int err = 2 * dy - dx, x = x0, y = y0, runStart = x0;
        for (int i = 0; i < dx; ++i) {
            bool step = err > 0 || (err == 0 && sx < 0);
            if (step || i == dx - 1) {
                int a = std::min(runStart, x), b = std::max(runStart, x);
                runs.emplace_back(a, y, b - a + 1, 1);
            }
            if (step) {
                y += sy;
                err -= 2 * dx;
                runStart = x + sx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy, x = x0, y = y0, runStart = y0;
        for (int i = 0; i < dy; ++i) {
            bool step = err > 0 || (err == 0 && sy < 0);
            if (step || i == dy - 1) {
                int a = std::min(runStart, y), b = std::max(runStart, y);
                runs.emplace_back(x, a, 1, b - a + 1);
            }
            if (step) {
                x += sx;
                err -= 2 * dy;
                runStart = y + sy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

void TDeviceContext::Impl::flushRuns(QColor color)
{
    if (runs.empty() || fillRuns(color)) return;
    begin(s.rop2);
    painter->setPen(Qt::NoPen);
    painter->setBrush(color);
    painter->drawRects(runs.data(), static_cast<int>(runs.size()));
    runs.clear();
}

void TDeviceContext::Impl::polyline(const QPoint* pts, int n, bool closed)
{
    if (n < 2 || !penVisible()) return;
    if (thinSolidPen()) {
        QColor c = penColor();
        for (int i = 0; i + 1 < n; ++i) {
            addLine(pts[i].x(), pts[i].y(), pts[i + 1].x(), pts[i + 1].y());
            if (runs.size() >= 65536) flushRuns(c);
        }
        if (closed) addLine(pts[n - 1].x(), pts[n - 1].y(), pts[0].x(), pts[0].y());
        flushRuns(c);
        return;
    }
    if (std::all_of(pts + 1, pts + n, [&](const QPoint& p) { return p == pts[0]; })) {
        // A line of no length: the caps of a wide pen make a dot of its width (a disc, or a square
        // for square caps), flat caps nothing.
        const int w = penWidth(), cap = s.pen.Style & PS_ENDCAP_MASK;
        if (w == 1 || cap == PS_ENDCAP_FLAT) return;
        const QRect box(pts[0].x() - w / 2, pts[0].y() - w / 2, w, w);
        if (cap == PS_ENDCAP_SQUARE) {
            runs.push_back(box);
        } else {
            const auto rows = ellipseSpans(box.left(), box.top(), box.left() + w, box.top() + w);
            for (int i = 0; i < w; ++i)
                runs.emplace_back(rows[static_cast<size_t>(i)].first, box.top() + i,
                                  rows[static_cast<size_t>(i)].second - rows[static_cast<size_t>(i)].first, 1);
        }
        flushRuns(penColor());
        return;
    }
    if (strokeInRuns(pts, n, closed)) return;
    stroke([&] {
        if (closed)
            painter->drawPolygon(pts, n);
        else
            painter->drawPolyline(pts, n);
    });
}

namespace {

constexpr int StrokeRun = 256;  // points per run of a long wide line

// Mixes that give the same pixel when a pixel is drawn twice: only these may meet at the run ends.
bool idempotentMix(int rop2)
{
    switch (rop2) {
    case R2_BLACK:
    case R2_WHITE:
    case R2_COPYPEN:
    case R2_NOTCOPYPEN:
    case R2_MASKPEN:
    case R2_MERGEPEN:
    case R2_MASKNOTPEN:
    case R2_MERGENOTPEN: return true;
    default: return false;
    }
}

double distance(const QPointF& a, const QPointF& b) { return std::hypot(b.x() - a.x(), b.y() - a.y()); }

}  // namespace

bool TDeviceContext::Impl::strokeInRuns(const QPoint* pts, int n, bool closed)
{
    // One-pixel pens take the painter's cosmetic stroker, whose cost grows with the length alone.
    if (n <= StrokeRun || penWidth() == 1 || !idempotentMix(s.rop2)) return false;
    const double w = penWidth();
    // A run ends in the middle of a segment at least a pen width long, so the caps of the two
    // runs meeting there lie inside that segment's band and every corner keeps its join. Where
    // the line has no such segment for long, a shorter one will do.
    const auto splits = [&](const QPointF& a, const QPointF& b, size_t runSize) {
        const double d = distance(a, b);
        return runSize >= StrokeRun && d > 0 && (d >= w || runSize >= 4 * StrokeRun);
    };
    std::vector<QPointF> line;
    line.reserve(static_cast<size_t>(n) + 2);
    if (closed) {
        // A closed line starts and ends in the middle of its first long segment.
        int k = 0;
        while (k < n && distance(pts[k], pts[(k + 1) % n]) < w) ++k;
        if (k == n || penDashed()) return false;
        const QPointF mid = (QPointF(pts[k]) + QPointF(pts[(k + 1) % n])) / 2;
        line.push_back(mid);
        for (int i = 1; i <= n; ++i) line.emplace_back(pts[(k + i) % n]);
        line.push_back(mid);
    } else {
        for (int i = 0; i < n; ++i) line.emplace_back(pts[i]);
    }
    const qreal unit = w;  // dash lengths count in pen widths
    qreal travelled = 0;
    std::vector<QPointF> run{line.front()};
    run.reserve(2 * StrokeRun);
    const auto draw = [&] {
        dashOffset = travelled / unit;
        stroke([&] { painter->drawPolyline(run.data(), static_cast<int>(run.size())); });
        dashOffset = 0;
        for (size_t i = 1; i < run.size(); ++i) travelled += distance(run[i - 1], run[i]);
    };
    for (size_t i = 1; i < line.size(); ++i) {
        if (i + 1 < line.size() && splits(line[i - 1], line[i], run.size())) {
            const QPointF mid = (line[i - 1] + line[i]) / 2;
            run.push_back(mid);
            draw();
            run.assign(1, mid);
        }
        run.push_back(line[i]);
    }
    draw();
    return true;
}

namespace {

void capsuleRuns(int w, int x0, int y0, int x1, int y1, std::vector<QRect>& runs)
{
    const double r = w / 2.0, off = w % 2 ? 0.5 : 0.0;
    const double ax = x0 + off, ay = y0 + off, bx = x1 + off, by = y1 + off;
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy, reach = r * std::sqrt(len2);
    const int top = static_cast<int>(std::floor(std::min(ay, by) - r)),
              bottom = static_cast<int>(std::ceil(std::max(ay, by) + r));
    for (int py = top; py <= bottom; ++py) {
        const double cy = py + 0.5;
        double lo = std::numeric_limits<double>::infinity(), hi = -lo;
        // The round ends.
        for (const auto& [ex, ey] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            const double t = r * r - (cy - ey) * (cy - ey);
            if (t < 0) continue;
            const double half = std::sqrt(t);
            lo = std::min(lo, ex - half), hi = std::max(hi, ex + half);
        }
        // The band: |(x - ax) dy - (cy - ay) dx| <= r |d| and 0 <= (x - ax) dx + (cy - ay) dy <= |d|^2.
        if (len2 > 0) {
            double blo = -std::numeric_limits<double>::infinity(), bhi = -blo;
            const auto within = [&](double k, double c, double from, double to) {
                // from <= k (x - ax) + c <= to
                if (k == 0) {
                    if (c < from || c > to) blo = 1, bhi = 0;
                    return;
                }
                double a = (from - c) / k + ax, b = (to - c) / k + ax;
                if (a > b) std::swap(a, b);
                blo = std::max(blo, a), bhi = std::min(bhi, b);
            };
            within(dy, -(cy - ay) * dx, -reach, reach);
            within(dx, (cy - ay) * dy, 0, len2);
            if (blo <= bhi) lo = std::min(lo, blo), hi = std::max(hi, bhi);
        }
        if (lo > hi) continue;
        const int xa = static_cast<int>(std::ceil(lo - 0.5)), xb = static_cast<int>(std::floor(hi - 0.5));
        if (xa <= xb) runs.emplace_back(xa, py, xb - xa + 1, 1);
    }
}

}  // namespace

void TDeviceContext::Impl::capsule(int x0, int y0, int x1, int y1)
{
    // A chart's line repeats the same few steps from point to point: the runs of a step are kept,
    // relative to its start, and only moved for the next segment of that step.
    const int w = penWidth(), dx = x1 - x0, dy = y1 - y0;
    if (w > 64 || std::abs(dx) > 512 || std::abs(dy) > 512) {
        capsuleRuns(w, x0, y0, x1, y1, runs);
        return;
    }
    const std::uint64_t key = static_cast<std::uint64_t>(w) << 32 |
                              static_cast<std::uint64_t>(static_cast<std::uint16_t>(dx)) << 16 |
                              static_cast<std::uint16_t>(dy);
    auto step = capsules.find(key);
    if (step == capsules.end()) {
        if (capsules.size() >= 4096) capsules.clear();
        std::vector<QRect> shape;
        capsuleRuns(w, 0, 0, dx, dy, shape);
        step = capsules.emplace(key, std::move(shape)).first;
    }
    for (const QRect& r : step->second) runs.push_back(r.translated(x0, y0));
}

// ---------- lines ----------
TPoint TDeviceContext::MoveTo(int x, int y)
{
    if (impl_->inPath) impl_->path.moveTo(impl_->toDeviceF(x, y));
    return std::exchange(impl_->s.pos, TPoint{x, y});
}
TPoint TDeviceContext::GetCurrentPosition() const { return impl_->s.pos; }

void TDeviceContext::LineTo(int x, int y)
{
    TPoint p = impl_->s.pos;
    impl_->s.pos = {x, y};
    if (impl_->inPath) {
        impl_->pathLine(p.X, p.Y, x, y);
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    // A solid wide pen with round caps: the segment's pixels straight away (a chart line drawn
    // point by point would otherwise take the painter's stroker once per segment).
    if (I.penWidth() > 1 && I.penVisible() && !I.penDashed() && (I.s.pen.Style & PS_ENDCAP_MASK) == PS_ENDCAP_ROUND &&
        (I.s.pen.Style & PS_STYLE_MASK) != PS_INSIDEFRAME) {
        I.capsule(p.X, p.Y, x, y);
        I.flushRuns(I.penColor());
        return;
    }
    QPoint pts[2] = {{p.X, p.Y}, {x, y}};
    I.polyline(pts, 2, false);
}

static std::vector<QPoint> toQPoints(const TPoint* pts, int n)
{
    std::vector<QPoint> q(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) q[static_cast<size_t>(i)] = QPoint(pts[i].X, pts[i].Y);
    return q;
}

void TDeviceContext::Polyline(const TPoint* pts, int count)
{
    if (!pts || count < 2) return;
    if (impl_->inPath) {
        impl_->path.moveTo(impl_->toDeviceF(pts[0].X, pts[0].Y));
        for (int i = 1; i < count; ++i) impl_->path.lineTo(impl_->toDeviceF(pts[i].X, pts[i].Y));
        return;
    }
    DC_ACTIVE();
    if (impl_->thinSolidPen()) {
        // Straight from the caller's points: no copy for long lines.
        if (!impl_->penVisible()) return;
        QColor c = impl_->penColor();
        for (int i = 0; i + 1 < count; ++i) {
            impl_->addLine(pts[i].X, pts[i].Y, pts[i + 1].X, pts[i + 1].Y);
            if (impl_->runs.size() >= 65536) impl_->flushRuns(c);
        }
        impl_->flushRuns(c);
        return;
    }
    auto q = toQPoints(pts, count);
    impl_->polyline(q.data(), count, false);
}

void TDeviceContext::PolylineTo(const TPoint* pts, int count)
{
    if (!pts || count < 1) return;
    if (impl_->inPath) {
        for (int i = 0; i < count; ++i) LineTo(pts[i].X, pts[i].Y);
        return;
    }
    std::vector<TPoint> all;
    all.reserve(static_cast<size_t>(count) + 1);
    all.push_back(impl_->s.pos);
    all.insert(all.end(), pts, pts + count);
    Polyline(all.data(), count + 1);
    impl_->s.pos = pts[count - 1];
}

void TDeviceContext::PolyBezier(const TPoint* pts, int count)
{
    if (!pts || count < 4 || (count - 1) % 3) return;
    QPainterPath p;
    p.moveTo(pts[0].X, pts[0].Y);
    for (int i = 1; i + 2 < count; i += 3)
        p.cubicTo(pts[i].X, pts[i].Y, pts[i + 1].X, pts[i + 1].Y, pts[i + 2].X, pts[i + 2].Y);
    if (impl_->inPath) {
        impl_->path.addPath(impl_->toDevice(p));
        return;
    }
    DC_ACTIVE();
    QPolygon poly = p.toFillPolygon().toPolygon();
    if (!poly.isEmpty() && poly.first() == poly.last() && pts[0].X != pts[count - 1].X) poly.removeLast();
    impl_->polyline(poly.constData(), static_cast<int>(poly.size()), false);
}

// ---------- shapes ----------
void TDeviceContext::Polygon(const TPoint* pts, int count)
{
    if (!pts || count < 2) return;
    if (impl_->inPath) {
        QPolygonF poly;
        for (int i = 0; i < count; ++i) poly << impl_->toDeviceF(pts[i].X, pts[i].Y);
        impl_->path.addPolygon(poly);
        impl_->path.closeSubpath();
        return;
    }
    DC_ACTIVE();
    auto q = toQPoints(pts, count);
    Qt::FillRule rule = impl_->s.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
    if (count >= 3) impl_->fill([&] { impl_->painter->drawPolygon(q.data(), count, rule); });
    impl_->polyline(q.data(), count, true);
}

void TDeviceContext::PolyPolygon(const TPoint* pts, const int* counts, int polygons)
{
    if (!pts || !counts) return;
    QPainterPath p;
    p.setFillRule(impl_->s.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const TPoint* cur = pts;
    for (int k = 0; k < polygons; ++k) {
        QPolygonF poly;
        for (int i = 0; i < counts[k]; ++i) poly << QPointF(cur[i].X, cur[i].Y);
        p.addPolygon(poly);
        p.closeSubpath();
        cur += counts[k];
    }
    if (impl_->inPath) {
        impl_->path.addPath(impl_->toDevice(p));
        return;
    }
    DC_ACTIVE();
    impl_->fill([&] { impl_->painter->drawPath(p); });
    cur = pts;
    for (int k = 0; k < polygons; ++k) {
        auto q = toQPoints(cur, counts[k]);
        impl_->polyline(q.data(), counts[k], true);
        cur += counts[k];
    }
}

static void normalize(int& l, int& t, int& r, int& b)
{
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
}

void TDeviceContext::Rectangle(int l, int t, int r, int b)
{
    normalize(l, t, r, b);
    if (impl_->inPath) {
        impl_->path.addRect(impl_->toDeviceF(QRectF(l, t, r - l, b - t)));
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    int w = I.penWidth();
    bool pen = I.penVisible();
    bool inside = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME;
    // A null pen leaves the shape one pixel smaller, as the pen's line would have covered it.
    QRect fillRect = pen ? QRect(l, t, r - l, b - t) : QRect(l, t, r - l - 1, b - t - 1);
    if (pen) {
        // Inside the frame's bands: a centred pen of width w covers x - w/2 .. x - w/2 + w - 1
        // around the frame lines at Left and Right - 1.
        int before = w == 1 ? 1 : (inside ? w : w - w / 2);
        int after = w == 1 ? 1 : (inside ? w : 1 + w / 2);
        fillRect = QRect(l + before, t + before, r - l - before - after, b - t - before - after);
    }
    // Walls and legends fill large solid areas: straight into the bitmap's rows where it allows.
    const bool unscaledCopy = I.s.rop2 == R2_COPYPEN && !I.scaled();
    if (fillRect.width() > 0 && fillRect.height() > 0 &&
        !(unscaledCopy && I.s.brush.Style == BS_SOLID &&
          I.fillSolid(I.toDeviceRect(fillRect.x(), fillRect.y(), fillRect.width(), fillRect.height()),
                      ColorToRGB(I.s.brush.Color))))
        I.fill([&] { I.painter->drawRect(fillRect); });
    if (!pen) return;
    if (I.penDashed()) {
        I.stroke([&] { I.painter->drawRect(QRect(l, t, r - l - 1, b - t - 1)); });
        return;
    }
    // The frame as four filled bands (exact for every width).
    QRect outer = inside || w == 1 ? QRect(l, t, r - l, b - t)
                                   : QRect(l - w / 2, t - w / 2, r - l - 1 + w, b - t - 1 + w);
    int bw = std::min({w, (outer.width() + 1) / 2, (outer.height() + 1) / 2});
    if (outer.width() <= 0 || outer.height() <= 0) return;
    QRect bands[4] = {
        QRect(outer.left(), outer.top(), outer.width(), bw),
        QRect(outer.left(), outer.bottom() - bw + 1, outer.width(), bw),
        QRect(outer.left(), outer.top() + bw, bw, outer.height() - 2 * bw),
        QRect(outer.right() - bw + 1, outer.top() + bw, bw, outer.height() - 2 * bw),
    };
    QRegion ring;
    for (auto& q : bands)
        if (q.width() > 0 && q.height() > 0) ring += q;
    if (!I.scaled()) {
        // As pixel runs (in logical units, which the runs need unscaled).
        for (const QRect& q : ring) I.runs.push_back(q);
        I.flushRuns(I.penColor());
        return;
    }
    I.begin(I.s.rop2);
    I.painter->setPen(Qt::NoPen);
    I.painter->setBrush(I.penColor());
    for (const QRect& q : ring) I.painter->drawRect(q);
}

void TDeviceContext::RoundRect(int l, int t, int r, int b, int cw, int ch)
{
    normalize(l, t, r, b);
    if (impl_->inPath) {
        QPainterPath rounded;
        rounded.addRoundedRect(l, t, r - l, b - t, cw / 2.0, ch / 2.0);
        impl_->path.addPath(impl_->toDevice(rounded));
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    if (r - l <= 0 || b - t <= 0) return;
    TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox());
    I.fill([&] { I.painter->drawRoundedRect(QRect(l, t, r - l, b - t), cw / 2.0, ch / 2.0); });
    int w = I.penWidth();
    double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1
                    ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0)
                    : 0;
    I.stroke([&] {
        I.painter->drawRoundedRect(QRectF(l + in, t + in, r - l - 1 - 2 * in, b - t - 1 - 2 * in), cw / 2.0, ch / 2.0);
    });
}

// Row spans [x0, x1) of the ellipse in the box: a pixel belongs when its centre lies inside.
static std::vector<std::pair<int, int>> ellipseSpans(int l, int t, int r, int b)
{
    std::vector<std::pair<int, int>> rows(static_cast<size_t>(b - t));
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    for (int y = t; y < b; ++y) {
        double v = (y + 0.5 - cy) / ry;
        double dx = rx * std::sqrt(std::max(0.0, 1 - v * v));
        int x0 = static_cast<int>(std::ceil(cx - dx - 0.5)), x1 = static_cast<int>(std::floor(cx + dx - 0.5)) + 1;
        // Keep every row at least one pixel wide so that the outline stays closed.
        if (x1 <= x0) {
            x0 = static_cast<int>(std::floor(cx - 0.5));
            x1 = x0 + 1 + ((r - l) % 2 == 0);
        }
        rows[static_cast<size_t>(y - t)] = {std::max(x0, l), std::min(x1, r)};
    }
    return rows;
}

void TDeviceContext::Ellipse(int l, int t, int r, int b)
{
    normalize(l, t, r, b);
    if (impl_->inPath) {
        impl_->path.addEllipse(impl_->toDeviceF(QRectF(l, t, r - l, b - t)));
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    if (r - l <= 0 || b - t <= 0) return;
    int w = I.penWidth();
    // A recording keeps the shape (the pixel spans below are for raster surfaces).
    if (w > 1 || I.penDashed() || I.metafile) {
        TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox() && !I.metafile);
        I.fill([&] { I.painter->drawEllipse(QRect(l, t, r - l, b - t)); });
        double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1
                        ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0)
                        : 0;
        I.stroke([&] { I.painter->drawEllipse(QRectF(l + in, t + in, r - l - 1 - 2 * in, b - t - 1 - 2 * in)); });
        return;
    }
    // One-pixel pen: the outline is the boundary of the filled spans, so fill and frame meet
    // exactly and both stay inside the box.
    auto rows = ellipseSpans(l, t, r, b);
    bool pen = I.penVisible();
    std::vector<QRect> interior;
    for (int y = t; y < b; ++y) {
        auto [a, e] = rows[static_cast<size_t>(y - t)];
        if (!pen) {
            interior.emplace_back(a, y, e - a, 1);
            continue;
        }
        int ia = a + 1, ie = e - 1;
        if (y == t || y == b - 1)
            ia = ie;
        else {
            ia = std::max({ia, rows[static_cast<size_t>(y - t - 1)].first, rows[static_cast<size_t>(y - t + 1)].first});
            ie = std::min(
                {ie, rows[static_cast<size_t>(y - t - 1)].second, rows[static_cast<size_t>(y - t + 1)].second});
        }
        if (ie > ia) {
            interior.emplace_back(ia, y, ie - ia, 1);
            I.runs.emplace_back(a, y, ia - a, 1);
            I.runs.emplace_back(ie, y, e - ie, 1);
        } else {
            I.runs.emplace_back(a, y, e - a, 1);
        }
    }
    if (!interior.empty()) I.fill([&] { I.painter->drawRects(interior.data(), static_cast<int>(interior.size())); });
    if (pen)
        I.flushRuns(I.penColor());
    else
        I.runs.clear();
}

namespace {
enum class ArcKind { Arc, Pie, Chord };
}

static void arcAngles(int l, int t, int r, int b, int x1, int y1, int x2, int y2, int dir, double& start, double& span)
{
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    start = radialAngle(cx, cy, rx, ry, x1, y1);
    double end = radialAngle(cx, cy, rx, ry, x2, y2);
    span = end - start;
    if (dir == AD_COUNTERCLOCKWISE) {
        while (span <= 0) span += 360;
    } else {
        while (span >= 0) span -= 360;
    }
}

static void drawArcKind(TDeviceContext::Impl& I, ArcKind kind, int l, int t, int r, int b, int x1, int y1, int x2,
                        int y2)
{
    normalize(l, t, r, b);
    double start, span;
    arcAngles(l, t, r, b, x1, y1, x2, y2, I.s.arcDir, start, span);
    int a = static_cast<int>(std::lround(start * 16)), sp = static_cast<int>(std::lround(span * 16));
    if (I.inPath) {
        QPainterPath p;
        QRectF box(l, t, r - l, b - t);
        if (kind == ArcKind::Pie)
            p.moveTo(box.center());
        else
            p.arcMoveTo(box, start);
        p.arcTo(box, start, span);
        if (kind != ArcKind::Arc) p.closeSubpath();
        I.path.addPath(I.toDevice(p));
        return;
    }
    if (!I.ensure() || r - l <= 0 || b - t <= 0) return;
    TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox());
    if (kind != ArcKind::Arc) {
        QRect box(l, t, r - l, b - t);
        I.fill([&] {
            if (kind == ArcKind::Pie)
                I.painter->drawPie(box, a, sp);
            else
                I.painter->drawChord(box, a, sp);
        });
    }
    int w = I.penWidth();
    double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1
                    ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0)
                    : 0;
    QRectF outline = w == 1 ? QRectF(l, t, r - l - 1, b - t - 1)
                            : QRectF(l + in, t + in, r - l - 1 - 2 * in, b - t - 1 - 2 * in);
    I.stroke([&] {
        switch (kind) {
        case ArcKind::Arc: I.painter->drawArc(outline, a, sp); break;
        case ArcKind::Pie: I.painter->drawPie(outline, a, sp); break;
        case ArcKind::Chord: I.painter->drawChord(outline, a, sp); break;
        }
    });
}

void TDeviceContext::Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    drawArcKind(*impl_, ArcKind::Arc, l, t, r, b, x1, y1, x2, y2);
}
void TDeviceContext::Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    drawArcKind(*impl_, ArcKind::Pie, l, t, r, b, x1, y1, x2, y2);
}
void TDeviceContext::Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    drawArcKind(*impl_, ArcKind::Chord, l, t, r, b, x1, y1, x2, y2);
}

void TDeviceContext::ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    normalize(l, t, r, b);
    double start, span;
    arcAngles(l, t, r, b, x1, y1, x2, y2, impl_->s.arcDir, start, span);
    double cx = (l + r) / 2.0, cy = (t + b) / 2.0, rx = (r - l) / 2.0, ry = (b - t) / 2.0;
    auto at = [&](double deg) {
        double rad = deg * std::numbers::pi / 180;
        return TPoint{static_cast<int>(std::lround(cx + rx * std::cos(rad))),
                      static_cast<int>(std::lround(cy - ry * std::sin(rad)))};
    };
    TPoint a = at(start), e = at(start + span);
    if (impl_->inPath) {
        impl_->pathArc(QRectF(l, t, r - l, b - t), start, span, e);
        return;
    }
    LineTo(a.X, a.Y);
    Arc(l, t, r, b, x1, y1, x2, y2);
    impl_->s.pos = e;
}

void TDeviceContext::AngleArc(int x, int y, int radius, float startAngle, float sweepAngle)
{
    auto at = [&](double deg) {
        double rad = deg * std::numbers::pi / 180;
        return TPoint{static_cast<int>(std::lround(x + radius * std::cos(rad))),
                      static_cast<int>(std::lround(y - radius * std::sin(rad)))};
    };
    TPoint a = at(startAngle), e = at(startAngle + sweepAngle);
    if (impl_->inPath) {
        impl_->pathArc(QRectF(x - radius, y - radius, 2.0 * radius, 2.0 * radius), startAngle, sweepAngle, e);
        return;
    }
    LineTo(a.X, a.Y);
    int old = SetArcDirection(sweepAngle >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
    if (std::fabs(sweepAngle) >= 360)
        Ellipse(x - radius, y - radius, x + radius, y + radius);
    else if (sweepAngle != 0) {
        TLogBrush keep = SelectBrush(TLogBrush{BS_NULL, clWhite, 0, nullptr});
        Arc(x - radius, y - radius, x + radius, y + radius, a.X, a.Y, e.X, e.Y);
        SelectBrush(keep);
    }
    SetArcDirection(old);
    impl_->s.pos = e;
}

void TDeviceContext::FillRect(const TRect& r, const TLogBrush& brush)
{
    DC_ACTIVE();
    if (r.IsEmpty()) return;
    auto& I = *impl_;
    // FillRect ignores the mix mode and the background mode of hatches only in part: GDI fills
    // hatches over the background colour here.
    int keepRop = std::exchange(I.s.rop2, R2_COPYPEN);
    I.fillWith(brush, [&] { I.painter->drawRect(QRect(r.Left, r.Top, r.Width(), r.Height())); });
    I.s.rop2 = keepRop;
}

void TDeviceContext::FillRect(const TRect& r, TColor color) { FillRect(r, TLogBrush{BS_SOLID, color, 0, nullptr}); }

void TDeviceContext::FrameRect(const TRect& r, const TLogBrush& brush)
{
    if (r.IsEmpty()) return;
    FillRect({r.Left, r.Top, r.Right, r.Top + 1}, brush);
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom}, brush);
    FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, brush);
    FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, brush);
}

void TDeviceContext::InvertRect(const TRect& r)
{
    DC_ACTIVE();
    if (r.IsEmpty()) return;
    impl_->painter->setCompositionMode(QPainter::RasterOp_NotDestination);
    impl_->painter->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), Qt::black);
    impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TDeviceContext::DrawFocusRect(const TRect& r)
{
    DC_ACTIVE();
    if (r.IsEmpty()) return;
    auto& I = *impl_;
    // Every other pixel of the one-pixel frame inverted; drawing it twice restores the image.
    QRegion ring(QRect(r.Left, r.Top, r.Width(), r.Height()));
    if (r.Width() > 2 && r.Height() > 2) ring -= QRegion(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2));
    I.painter->save();
    I.painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    I.painter->setPen(Qt::NoPen);
    I.painter->setBackgroundMode(Qt::TransparentMode);
    I.painter->setBrushOrigin(I.mapping().inverted().map(QPointF(0, 0)));
    I.painter->setBrush(QBrush(Qt::white, Qt::Dense4Pattern));
    for (const QRect& q : ring) I.painter->drawRect(q);
    I.painter->restore();
}

bool TDeviceContext::DrawEdge(TRect& rc, unsigned edge, unsigned flags)
{
    auto& I = *impl_;
    if (!I.ensure()) return false;
    TRect r = rc;
    auto line = [&](const TRect& q, TColor c) {
        if (!q.IsEmpty()) I.painter->fillRect(QRect(q.Left, q.Top, q.Width(), q.Height()), ToQColor(c));
    };
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // One ring per edge part: outer first, then inner.
    auto ring = [&](TColor tl, TColor br) {
        if (flags & BF_LEFT) line({r.Left, r.Top, r.Left + 1, r.Bottom}, tl);
        if (flags & BF_TOP) line({r.Left, r.Top, r.Right, r.Top + 1}, tl);
        if (flags & BF_RIGHT) line({r.Right - 1, r.Top, r.Right, r.Bottom}, br);
        if (flags & BF_BOTTOM) line({r.Left, r.Bottom - 1, r.Right, r.Bottom}, br);
        // The bottom-right colour wins the corners it shares with the top-left one.
        if ((flags & BF_LEFT) && (flags & BF_BOTTOM)) line({r.Left, r.Bottom - 1, r.Left + 1, r.Bottom}, br);
        if ((flags & BF_TOP) && (flags & BF_RIGHT)) line({r.Right - 1, r.Top, r.Right, r.Top + 1}, br);
        if (flags & BF_LEFT) ++r.Left;
        if (flags & BF_TOP) ++r.Top;
        if (flags & BF_RIGHT) --r.Right;
        if (flags & BF_BOTTOM) --r.Bottom;
    };
    bool soft = flags & BF_SOFT;
    unsigned outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
    if (flags & BF_MONO) {
        if (outer) ring(clWindowFrame, clWindowFrame);
        if (inner) ring(clWindow, clWindow);
    } else if (flags & BF_FLAT) {
        if (outer) ring(clBtnShadow, clBtnShadow);
        if (inner) ring(clBtnFace, clBtnFace);
    } else {
        if (outer == BDR_RAISEDOUTER)
            ring(soft ? clBtnHighlight : cl3DLight, cl3DDkShadow);
        else if (outer == BDR_SUNKENOUTER)
            ring(soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight);
        if (inner == BDR_RAISEDINNER)
            ring(soft ? cl3DLight : clBtnHighlight, clBtnShadow);
        else if (inner == BDR_SUNKENINNER)
            ring(soft ? clBtnShadow : cl3DDkShadow, cl3DLight);
    }
    if (flags & BF_MIDDLE) line(r, (flags & BF_MONO) ? clWindow : clBtnFace);
    if (flags & BF_ADJUST) rc = r;
    return true;
}

bool TDeviceContext::DrawFrameControl(const TRect& r, unsigned type, unsigned state)
{
    if (type != DFC_BUTTON || !impl_->ensure()) return false;
    auto& I = *impl_;
    TRect box = r;
    bool inactive = state & DFCS_INACTIVE;
    TColor face = (state & DFCS_PUSHED) || inactive ? clBtnFace : clWindow;
    if ((state & 0x1F) == DFCS_BUTTONPUSH) {
        TRect q = r;
        DrawEdge(q, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
        return true;
    }
    QColor mark = ToQColor(inactive ? clGrayText : clWindowText);
    if ((state & 0x1F) == DFCS_BUTTONRADIO) {
        I.painter->save();
        I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        I.painter->setPen(QPen(ToQColor(clBtnShadow), 0));
        I.painter->setBrush(ToQColor(face));
        I.painter->drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
        if (state & DFCS_CHECKED) {
            I.painter->setPen(Qt::NoPen);
            I.painter->setBrush(mark);
            int cw = box.Width() / 3, chh = box.Height() / 3;
            I.painter->drawEllipse(QRect(box.Left + cw, box.Top + chh, box.Width() - 2 * cw, box.Height() - 2 * chh));
        }
        I.painter->restore();
        return true;
    }
    TRect q = box;
    DrawEdge(q, EDGE_SUNKEN, BF_RECT | BF_ADJUST | ((state & DFCS_FLAT) ? static_cast<unsigned>(BF_FLAT) : 0u));
    I.painter->fillRect(QRect(q.Left, q.Top, q.Width(), q.Height()), ToQColor(face));
    if (state & DFCS_CHECKED) {
        // A check mark: two strokes three pixels thick, from the lower left up to the right.
        int x = q.Left + (q.Width() - 7) / 2, y = q.Top + (q.Height() - 7) / 2;
        for (int i = 0; i < 7; ++i) {
            int yy = i < 3 ? y + 2 + i : y + 4 - (i - 2);
            I.painter->fillRect(QRect(x + i, yy, 1, 3), mark);
        }
    }
    return true;
}

void TDeviceContext::GradientFillRect(const TTriVertex& a, const TTriVertex& b, unsigned mode)
{
    DC_ACTIVE();
    auto& I = *impl_;
    int l = std::min(a.X, b.X), r = std::max(a.X, b.X), t = std::min(a.Y, b.Y), bt = std::max(a.Y, b.Y);
    const TTriVertex& first = (mode == GRADIENT_FILL_RECT_H ? a.X <= b.X : a.Y <= b.Y) ? a : b;
    const TTriVertex& last = &first == &a ? b : a;
    int n = mode == GRADIENT_FILL_RECT_H ? r - l : bt - t;
    if (n <= 0 || r <= l || bt <= t) return;
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (int i = 0; i < n; ++i) {
        auto mix = [&](std::uint16_t c0, std::uint16_t c1) {
            return static_cast<int>((c0 + (static_cast<std::int64_t>(c1) - c0) * i / n) >> 8);
        };
        QColor c(mix(first.Red, last.Red), mix(first.Green, last.Green), mix(first.Blue, last.Blue));
        QRect q = mode == GRADIENT_FILL_RECT_H ? QRect(l + i, t, 1, bt - t) : QRect(l, t + i, r - l, 1);
        I.painter->fillRect(q, c);
    }
}
