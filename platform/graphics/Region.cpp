#include <QPainterPath>
#include <QPolygon>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"

TRegion::TRegion() : impl_(std::make_unique<Impl>()) {}
TRegion::~TRegion() = default;
TRegion::TRegion(const TRegion& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}
TRegion& TRegion::operator=(const TRegion& other)
{
    if (this != &other) *impl_ = *other.impl_;
    return *this;
}
TRegion::TRegion(TRegion&& other) noexcept : impl_(std::make_unique<Impl>()) { impl_->rgn.swap(other.impl_->rgn); }
TRegion& TRegion::operator=(TRegion&& other) noexcept
{
    impl_->rgn.swap(other.impl_->rgn);
    return *this;
}

static QRect toQRect(const TRect& r)
{
    int l = std::min(r.Left, r.Right), rr = std::max(r.Left, r.Right);
    int t = std::min(r.Top, r.Bottom), b = std::max(r.Top, r.Bottom);
    return QRect(l, t, rr - l, b - t);
}

TRegion TRegion::FromRect(const TRect& r)
{
    TRegion x;
    x.impl_->rgn = QRegion(toQRect(r));
    return x;
}

TRegion TRegion::FromEllipse(const TRect& r)
{
    TRegion x;
    QRect q = toQRect(r);
    if (!q.isEmpty()) x.impl_->rgn = QRegion(q, QRegion::Ellipse);
    return x;
}

TRegion TRegion::FromRoundRect(const TRect& r, int cw, int ch)
{
    TRegion x;
    QRect q = toQRect(r);
    if (q.isEmpty()) return x;
    QPainterPath p;
    p.addRoundedRect(q, cw / 2.0, ch / 2.0);
    x.impl_->rgn = QRegion(p.toFillPolygon().toPolygon());
    return x;
}

TRegion TRegion::FromPolygon(const TPoint* points, int count, int fillMode)
{
    TRegion x;
    if (!points || count < 3) return x;
    QPolygon poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i) poly << QPoint(points[i].X, points[i].Y);
    x.impl_->rgn = QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return x;
}

bool TRegion::IsEmpty() const { return impl_->rgn.isEmpty(); }

TRect TRegion::BoundingBox() const
{
    if (impl_->rgn.isEmpty()) return {};
    QRect b = impl_->rgn.boundingRect();
    return {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
}

bool TRegion::Contains(TPoint p) const { return impl_->rgn.contains(QPoint(p.X, p.Y)); }
bool TRegion::IntersectsRect(const TRect& r) const { return impl_->rgn.intersects(toQRect(r)); }

int TRegion::Kind() const
{
    if (impl_->rgn.isEmpty()) return NULLREGION;
    return impl_->rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

std::vector<TRect> TRegion::Rects() const
{
    std::vector<TRect> out;
    for (const QRect& r : impl_->rgn) out.push_back({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    return out;
}

void TRegion::Offset(int dx, int dy) { impl_->rgn.translate(dx, dy); }
bool TRegion::operator==(const TRegion& other) const { return impl_->rgn == other.impl_->rgn; }

int TRegion::Combine(const TRegion& a, const TRegion& b, int mode)
{
    QRegion r;
    switch (mode) {
    case RGN_AND: r = a.impl_->rgn.intersected(b.impl_->rgn); break;
    case RGN_OR: r = a.impl_->rgn.united(b.impl_->rgn); break;
    case RGN_XOR: r = a.impl_->rgn.xored(b.impl_->rgn); break;
    case RGN_DIFF: r = a.impl_->rgn.subtracted(b.impl_->rgn); break;
    case RGN_COPY: r = a.impl_->rgn; break;
    default: return RGN_ERROR;
    }
    impl_->rgn = r;
    return Kind();
}
