#include "platform/graphics/GPPaths.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/graphics/GPObjects_p.h"

using tvgdiplus::ToQt;

// ---------- curves as Bezier segments ----------
namespace {

constexpr double degToRad = M_PI / 180.0;

// The parameter of the ellipse point in the direction of a geometric angle (radians).
double ellipseParameter(double angle, double rx, double ry)
{
    return std::atan2(rx * std::sin(angle), ry * std::cos(angle));
}

}  // namespace

std::vector<QPointF> tvgdiplus::ArcPoints(double x, double y, double w, double h, double startAngle, double sweepAngle)
{
    const double rx = w / 2, ry = h / 2, cx = x + rx, cy = y + ry;
    sweepAngle = std::clamp(sweepAngle, -360.0, 360.0);
    const double ts = ellipseParameter(startAngle * degToRad, rx, ry);
    double dt;
    if (std::abs(sweepAngle) >= 360)
        dt = sweepAngle > 0 ? 2 * M_PI : -2 * M_PI;
    else {
        dt = ellipseParameter((startAngle + sweepAngle) * degToRad, rx, ry) - ts;
        while (sweepAngle > 0 && dt < 0) dt += 2 * M_PI;
        while (sweepAngle < 0 && dt > 0) dt -= 2 * M_PI;
        if (sweepAngle == 0) dt = 0;
    }
    auto at = [&](double t) { return QPointF(cx + rx * std::cos(t), cy + ry * std::sin(t)); };
    auto slope = [&](double t) { return QPointF(-rx * std::sin(t), ry * std::cos(t)); };
    std::vector<QPointF> pts{at(ts)};
    const int n = std::max(1, int(std::ceil(std::abs(dt) / (M_PI / 2) - 1e-9)));
    if (dt == 0) return pts;
    const double seg = dt / n, k = 4.0 / 3.0 * std::tan(seg / 4);
    for (int i = 0; i < n; ++i) {
        const double a = ts + seg * i, b = a + seg;
        pts.push_back(at(a) + slope(a) * k);
        pts.push_back(at(b) - slope(b) * k);
        pts.push_back(at(b));
    }
    return pts;
}

std::vector<QPointF> tvgdiplus::CardinalBeziers(const QPointF* p, int count, float tension, bool closed)
{
    std::vector<QPointF> out;
    if (count < 1) return out;
    out.push_back(p[0]);
    const double k = tension / 3.0;
    auto at = [&](int i) {
        if (closed) return p[((i % count) + count) % count];
        return p[std::clamp(i, 0, count - 1)];
    };
    const int segments = closed ? count : count - 1;
    for (int i = 0; i < segments; ++i) {
        const QPointF a = at(i), b = at(i + 1);
        out.push_back(a + (b - at(i - 1)) * k);
        out.push_back(b - (at(i + 2) - a) * k);
        out.push_back(b);
    }
    return out;
}

// ---------- the point store ----------
void TGPGraphicsPath::Impl::AddJoined(const QPointF* pts, int count, std::uint8_t type)
{
    if (count < 1) return;
    Changed();
    const TGPPointF first{float(pts[0].x()), float(pts[0].y())};
    if (figureOpen && !points.empty()) {
        if (!(points.back() == first)) {
            points.push_back(first);
            types.push_back(PathPointTypeLine);
        }
    } else {
        points.push_back(first);
        types.push_back(PathPointTypeStart);
        figureOpen = true;
    }
    for (int i = 1; i < count; ++i) {
        points.push_back({float(pts[i].x()), float(pts[i].y())});
        types.push_back(type);
    }
}

void TGPGraphicsPath::Impl::AddClosed(const QPointF* pts, int count, std::uint8_t type)
{
    if (count < 1) return;
    Changed();
    for (int i = 0; i < count; ++i) {
        points.push_back({float(pts[i].x()), float(pts[i].y())});
        types.push_back(i == 0 ? std::uint8_t(PathPointTypeStart) : type);
    }
    types.back() |= PathPointTypeCloseSubpath;
    figureOpen = false;
}

QPainterPath TGPGraphicsPath::Impl::ToQt() const
{
    QPainterPath q;
    q.setFillRule(fillMode == FillModeWinding ? Qt::WindingFill : Qt::OddEvenFill);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t t = types[i];
        switch (t & PathPointTypePathTypeMask) {
        case PathPointTypeStart: q.moveTo(tvgdiplus::ToQt(points[i])); break;
        case PathPointTypeBezier:
            if (i + 2 < n) {
                q.cubicTo(tvgdiplus::ToQt(points[i]), tvgdiplus::ToQt(points[i + 1]), tvgdiplus::ToQt(points[i + 2]));
                i += 2;
                t = types[i];
            } else
                q.lineTo(tvgdiplus::ToQt(points[i]));
            break;
        default: q.lineTo(tvgdiplus::ToQt(points[i])); break;
        }
        if (t & PathPointTypeCloseSubpath) q.closeSubpath();
    }
    return q;
}

void TGPGraphicsPath::Impl::Append(const QPainterPath& path, bool closeAll)
{
    Changed();
    std::size_t figureStart = points.size();
    auto endFigure = [&] {
        if (!closeAll || points.size() <= figureStart) return;
        // A closing line back to the start is the close flag's job.
        if (points.size() - figureStart > 2 && points.back() == points[figureStart] &&
            (types.back() & PathPointTypePathTypeMask) == PathPointTypeLine) {
            points.pop_back();
            types.pop_back();
        }
        types.back() |= PathPointTypeCloseSubpath;
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const TGPPointF pt{float(e.x), float(e.y)};
        switch (e.type) {
        case QPainterPath::MoveToElement:
            endFigure();
            figureStart = points.size();
            points.push_back(pt);
            types.push_back(PathPointTypeStart);
            break;
        case QPainterPath::LineToElement:
            points.push_back(pt);
            types.push_back(PathPointTypeLine);
            break;
        default:
            points.push_back(pt);
            types.push_back(PathPointTypeBezier);
            break;
        }
    }
    endFigure();
    figureOpen = !closeAll && !points.empty();
}

// ---------- the wrapper ----------
TGPGraphicsPath::TGPGraphicsPath(TGPFillMode fillMode)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    impl_ = std::make_unique<Impl>();
    impl_->fillMode = fillMode == FillModeWinding ? FillModeWinding : FillModeAlternate;
}

TGPGraphicsPath::TGPGraphicsPath(const TGPPointF* points, const std::uint8_t* types, int count, TGPFillMode fillMode)
    : TGPGraphicsPath(fillMode)
{
    if (!impl_) return;
    if (count < 0 || (count > 0 && (!points || !types))) {
        SetStatus(InvalidParameter);
        return;
    }
    impl_->points.assign(points, points + count);
    impl_->types.assign(types, types + count);
    if (count > 0) impl_->types[0] = std::uint8_t((impl_->types[0] & ~PathPointTypePathTypeMask) | PathPointTypeStart);
    impl_->figureOpen = count > 0 && !(impl_->types.back() & PathPointTypeCloseSubpath);
}

TGPGraphicsPath::~TGPGraphicsPath() = default;

std::unique_ptr<TGPGraphicsPath> TGPGraphicsPath::Clone() const
{
    auto c = std::make_unique<TGPGraphicsPath>();
    if (impl_ && c->impl_) *c->impl_ = *impl_;
    return c;
}

TGPStatus TGPGraphicsPath::Reset()
{
    if (!impl_) return NotMade();
    *impl_ = Impl();
    return Ok;
}

TGPFillMode TGPGraphicsPath::GetFillMode() const { return impl_ ? impl_->fillMode : FillModeAlternate; }

TGPStatus TGPGraphicsPath::SetFillMode(TGPFillMode fillMode)
{
    if (!impl_) return NotMade();
    impl_->fillMode = fillMode == FillModeWinding ? FillModeWinding : FillModeAlternate;
    return Ok;
}

TGPStatus TGPGraphicsPath::StartFigure()
{
    if (!impl_) return NotMade();
    impl_->figureOpen = false;
    return Ok;
}

TGPStatus TGPGraphicsPath::CloseFigure()
{
    if (!impl_) return NotMade();
    if (impl_->figureOpen && !impl_->types.empty()) impl_->types.back() |= PathPointTypeCloseSubpath;
    impl_->figureOpen = false;
    return Ok;
}

TGPStatus TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2)
{
    if (!impl_) return NotMade();
    const QPointF pts[2] = {{x1, y1}, {x2, y2}};
    impl_->AddJoined(pts, 2, PathPointTypeLine);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddLine2I(const TPoint* points, int count)
{
    if (!impl_) return NotMade();
    if (!points || count < 1) return SetStatus(InvalidParameter);
    std::vector<QPointF> pts;
    pts.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) pts.emplace_back(points[i].X, points[i].Y);
    impl_->AddJoined(pts.data(), count, PathPointTypeLine);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    if (!impl_) return NotMade();
    if (!(width > 0 && height > 0) || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return SetStatus(InvalidParameter);
    const std::vector<QPointF> pts = tvgdiplus::ArcPoints(x, y, width, height, startAngle, sweepAngle);
    impl_->AddJoined(pts.data(), int(pts.size()), PathPointTypeBezier);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddArcI(int x, int y, int width, int height, float startAngle, float sweepAngle)
{
    return AddArc(float(x), float(y), float(width), float(height), startAngle, sweepAngle);
}

namespace {

std::vector<QPointF> toQt(const TPoint* points, int count)
{
    std::vector<QPointF> pts;
    pts.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) pts.emplace_back(points[i].X, points[i].Y);
    return pts;
}

}  // namespace

TGPStatus TGPGraphicsPath::AddCurve2I(const TPoint* points, int count, float tension)
{
    if (!impl_) return NotMade();
    if (!points || count < 2 || !std::isfinite(tension)) return SetStatus(InvalidParameter);
    const std::vector<QPointF> pts = toQt(points, count);
    const std::vector<QPointF> bez = tvgdiplus::CardinalBeziers(pts.data(), count, tension, false);
    impl_->AddJoined(bez.data(), int(bez.size()), PathPointTypeBezier);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddClosedCurve2I(const TPoint* points, int count, float tension)
{
    if (!impl_) return NotMade();
    if (!points || count < 3 || !std::isfinite(tension)) return SetStatus(InvalidParameter);
    const std::vector<QPointF> pts = toQt(points, count);
    std::vector<QPointF> bez = tvgdiplus::CardinalBeziers(pts.data(), count, tension, true);
    impl_->AddClosed(bez.data(), int(bez.size()), PathPointTypeBezier);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddRectangle(const TGPRectF& rect)
{
    if (!impl_) return NotMade();
    if (rect.Width == 0 || rect.Height == 0) return Ok;  // nothing to add
    const QPointF pts[4] = {{rect.X, rect.Y},
                            {rect.X + rect.Width, rect.Y},
                            {rect.X + rect.Width, rect.Y + rect.Height},
                            {rect.X, rect.Y + rect.Height}};
    impl_->AddClosed(pts, 4, PathPointTypeLine);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddEllipse(float x, float y, float width, float height)
{
    if (!impl_) return NotMade();
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(width) || !std::isfinite(height))
        return SetStatus(InvalidParameter);
    const bool first = impl_->points.empty();
    const std::vector<QPointF> pts = tvgdiplus::ArcPoints(x, y, width, height, 0, 360);
    impl_->AddClosed(pts.data(), int(pts.size()), PathPointTypeBezier);
    if (first && width != 0 && height != 0) {
        impl_->isEllipse = true;
        impl_->ellipseRect = QRectF(x, y, width, height).normalized();
    }
    return Ok;
}

TGPStatus TGPGraphicsPath::AddEllipseI(int x, int y, int width, int height)
{
    return AddEllipse(float(x), float(y), float(width), float(height));
}

TGPStatus TGPGraphicsPath::AddPieI(int x, int y, int width, int height, float startAngle, float sweepAngle)
{
    if (!impl_) return NotMade();
    if (width <= 0 || height <= 0 || !std::isfinite(startAngle) || !std::isfinite(sweepAngle))
        return SetStatus(InvalidParameter);
    std::vector<QPointF> pts{QPointF(x + width / 2.0, y + height / 2.0)};
    const std::vector<QPointF> arc = tvgdiplus::ArcPoints(x, y, width, height, startAngle, sweepAngle);
    // The centre, a line to the arc's start, the arc, closed back to the centre.
    impl_->Changed();
    impl_->points.push_back({float(pts[0].x()), float(pts[0].y())});
    impl_->types.push_back(PathPointTypeStart);
    for (std::size_t i = 0; i < arc.size(); ++i) {
        impl_->points.push_back({float(arc[i].x()), float(arc[i].y())});
        impl_->types.push_back(i == 0 ? PathPointTypeLine : PathPointTypeBezier);
    }
    impl_->types.back() |= PathPointTypeCloseSubpath;
    impl_->figureOpen = false;
    return Ok;
}

TGPStatus TGPGraphicsPath::AddPolygon(const TGPPointF* points, int count)
{
    if (!impl_) return NotMade();
    if (!points || count < 3) return SetStatus(InvalidParameter);
    std::vector<QPointF> pts;
    pts.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) pts.push_back(ToQt(points[i]));
    impl_->AddClosed(pts.data(), count, PathPointTypeLine);
    return Ok;
}

TGPStatus TGPGraphicsPath::AddString(const String& text, const TGPFontFamily* family, int style, float emSize,
                                     const TGPRectF& layout, const TGPStringFormat* /*format*/)
{
    if (!impl_) return NotMade();
    if (!family || !family->impl() || !(emSize > 0)) return SetStatus(InvalidParameter);
    // Outlines are taken at a large size and scaled: font sizes are whole pixels.
    constexpr int reference = 256;
    TGPFont::Impl f{family->impl()->family, float(reference), style, UnitPixel};
    const QFont font = f.Make(reference, 96, true);
    const QFontMetricsF fm(font);
    QPainterPath glyphs;
    double baseline = fm.ascent();
    for (const QString& line : QString::fromStdString(text).split(QLatin1Char('\n'))) {
        glyphs.addText(QPointF(0, baseline), font, line);
        baseline += fm.lineSpacing();
    }
    const double k = emSize / reference;
    QTransform t;
    t.translate(layout.X, layout.Y);
    t.scale(k, k);
    impl_->Append(t.map(glyphs), true);
    return Ok;
}

TGPStatus TGPGraphicsPath::GetWorldBounds(TGPRectF& bounds, const TGPMatrix* matrix, const TGPPen* pen) const
{
    if (!impl_) return NotMade();
    bounds = {};
    if (impl_->points.empty()) return Ok;
    QPainterPath q = impl_->ToQt();
    if (matrix && matrix->impl()) q = matrix->impl()->m.map(q);
    QRectF r = q.boundingRect();
    if (pen && pen->impl()) {
        const double h = pen->impl()->width / 2;
        r.adjust(-h, -h, h, h);
    }
    bounds = tvgdiplus::FromQt(r);
    return Ok;
}

int TGPGraphicsPath::GetPointCount() const { return impl_ ? int(impl_->points.size()) : 0; }

TGPStatus TGPGraphicsPath::GetPathTypes(std::uint8_t* types, int count) const
{
    if (!impl_) return NotMade();
    if (count < int(impl_->types.size()) || (!types && !impl_->types.empty())) return SetStatus(InvalidParameter);
    std::copy(impl_->types.begin(), impl_->types.end(), types);
    return Ok;
}

TGPStatus TGPGraphicsPath::GetPathPoints(TGPPointF* points, int count) const
{
    if (!impl_) return NotMade();
    if (count < int(impl_->points.size()) || (!points && !impl_->points.empty())) return SetStatus(InvalidParameter);
    std::copy(impl_->points.begin(), impl_->points.end(), points);
    return Ok;
}

TGPStatus TGPGraphicsPath::GetLastPoint(TGPPointF& point) const
{
    if (!impl_) return NotMade();
    if (impl_->points.empty()) return SetStatus(InvalidParameter);
    point = impl_->points.back();
    return Ok;
}
