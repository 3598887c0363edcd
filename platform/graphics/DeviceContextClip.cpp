// Clipping, region fills and paths of the device context. Clip regions are kept in device
// units; paths are recorded in device units too and end as a stroke, a fill, a region or a clip.
#include "platform/graphics/DeviceContextImpl_p.h"

// ---------- clipping ----------
static int regionKind(const QRegion& r)
{
    if (r.isEmpty()) return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int TDeviceContext::SelectClipRgn(const TRegion* rgn) { return ExtSelectClipRgn(rgn, RGN_COPY); }

int TDeviceContext::ExtSelectClipRgn(const TRegion* rgn, int mode)
{
    auto& s = impl_->s;
    if (!rgn) {
        if (mode != RGN_COPY) return RGN_ERROR;
        s.hasClip = false;
        s.clip = QRegion();
    } else {
        QRegion cur = impl_->effectiveClip();
        const QRegion& r = rgn->impl().rgn;
        switch (mode) {
        case RGN_COPY: s.clip = r; break;
        case RGN_AND: s.clip = cur.intersected(r); break;
        case RGN_OR: s.clip = cur.united(r); break;
        case RGN_XOR: s.clip = cur.xored(r); break;
        case RGN_DIFF: s.clip = cur.subtracted(r); break;
        default: return RGN_ERROR;
        }
        s.hasClip = true;
    }
    if (impl_->painter->isActive()) impl_->applyClip();
    return regionKind(impl_->effectiveClip());
}

int TDeviceContext::IntersectClipRect(int l, int t, int r, int b)
{
    TRegion rg = impl_->toDeviceRegion(l, t, r, b);
    return ExtSelectClipRgn(&rg, RGN_AND);
}

int TDeviceContext::ExcludeClipRect(int l, int t, int r, int b)
{
    TRegion rg = impl_->toDeviceRegion(l, t, r, b);
    return ExtSelectClipRgn(&rg, RGN_DIFF);
}

int TDeviceContext::OffsetClipRgn(int dx, int dy)
{
    if (impl_->s.hasClip) {
        impl_->s.clip.translate(dx, dy);
        if (impl_->painter->isActive()) impl_->applyClip();
    }
    return regionKind(impl_->effectiveClip());
}

int TDeviceContext::GetClipBox(TRect& box) const
{
    QRegion c = impl_->effectiveClip();
    if (c.isEmpty()) {
        box = {};
        return NULLREGION;
    }
    const QRect b = c.boundingRect();
    const QPoint p0 = impl_->toLogical(b.topLeft()), p1 = impl_->toLogical(b.topLeft() + QPoint(b.width(), b.height()));
    box = {std::min(p0.x(), p1.x()), std::min(p0.y(), p1.y()), std::max(p0.x(), p1.x()), std::max(p0.y(), p1.y())};
    return regionKind(c);
}

bool TDeviceContext::GetClipRgn(TRegion& rgn) const
{
    if (!impl_->s.hasClip) return false;
    rgn.impl().rgn = impl_->s.clip;
    return true;
}

bool TDeviceContext::PtVisible(int x, int y) const { return impl_->effectiveClip().contains(impl_->toDevice(x, y)); }

bool TDeviceContext::RectVisible(const TRect& r) const
{
    if (r.Width() <= 0 || r.Height() <= 0) return false;
    QRect q = impl_->toDeviceRect(r.Left, r.Top, r.Width(), r.Height());
    return !q.isEmpty() && impl_->effectiveClip().intersects(q);
}

// ---------- region fills ----------
void TDeviceContext::FillRgn(const TRegion& rgn, const TLogBrush& brush)
{
    DC_ACTIVE();
    auto& I = *impl_;
    const QRegion& r = rgn.impl().rgn;
    I.fillWith(brush, [&] {
        TDeviceContext::Impl::DeviceUnits device(I);
        for (const QRect& q : r) I.painter->drawRect(q);
    });
}

void TDeviceContext::FrameRgn(const TRegion& rgn, const TLogBrush& brush, int w, int h)
{
    QRegion r = rgn.impl().rgn;
    QRegion inner = r.intersected(r.translated(w, 0))
                        .intersected(r.translated(-w, 0))
                        .intersected(r.translated(0, h))
                        .intersected(r.translated(0, -h));
    TRegion frame;
    frame.impl().rgn = r.subtracted(inner);
    FillRgn(frame, brush);
}

void TDeviceContext::PaintRgn(const TRegion& rgn)
{
    DC_ACTIVE();
    auto& I = *impl_;
    const QRegion& r = rgn.impl().rgn;
    I.fill([&] {
        TDeviceContext::Impl::DeviceUnits device(I);
        for (const QRect& q : r) I.painter->drawRect(q);
    });
}

void TDeviceContext::InvertRgn(const TRegion& rgn)
{
    for (const TRect& r : rgn.Rects()) {
        const QPoint a = impl_->toLogical(QPoint(r.Left, r.Top)), b = impl_->toLogical(QPoint(r.Right, r.Bottom));
        InvertRect({a.x(), a.y(), b.x(), b.y()});
    }
}

// ---------- paths ----------
void TDeviceContext::Impl::pathLine(int x0, int y0, int x1, int y1)
{
    QPointF a = toDeviceF(x0, y0);
    if (path.elementCount() == 0 || path.currentPosition() != a) path.moveTo(a);
    path.lineTo(toDeviceF(x1, y1));
}

void TDeviceContext::BeginPath()
{
    impl_->inPath = true;
    impl_->pathReady = false;
    impl_->path = QPainterPath();
}
void TDeviceContext::EndPath()
{
    if (!impl_->inPath) return;
    impl_->inPath = false;
    impl_->pathReady = true;
}
void TDeviceContext::AbortPath()
{
    impl_->inPath = false;
    impl_->pathReady = false;
    impl_->path = QPainterPath();
}
void TDeviceContext::CloseFigure()
{
    if (impl_->inPath) impl_->path.closeSubpath();
}

void TDeviceContext::StrokePath()
{
    auto& I = *impl_;
    if (!I.pathReady || !I.ensure()) return;
    I.painter->save();
    I.painter->setWorldTransform(I.base);
    if (I.s.hasClip) I.painter->setClipRegion(I.s.clip);
    I.stroke([&] { I.painter->drawPath(I.path); });
    I.painter->restore();
    I.pathReady = false;
    I.path = QPainterPath();
}

void TDeviceContext::FillPath()
{
    auto& I = *impl_;
    if (!I.pathReady || !I.ensure()) return;
    I.path.setFillRule(I.s.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    I.painter->save();
    I.painter->setWorldTransform(I.base);
    if (I.s.hasClip) I.painter->setClipRegion(I.s.clip);
    TPoint keep = I.s.vpOrg;
    I.s.vpOrg = {};  // brush origin in device units already
    I.fill([&] { I.painter->drawPath(I.path); });
    I.s.vpOrg = keep;
    I.painter->restore();
    I.pathReady = false;
    I.path = QPainterPath();
}

void TDeviceContext::StrokeAndFillPath()
{
    QPainterPath keep = impl_->path;
    FillPath();
    impl_->path = keep;
    impl_->pathReady = true;
    StrokePath();
}

TRegion TDeviceContext::PathToRegion()
{
    TRegion r;
    if (!impl_->pathReady) return r;
    impl_->path.setFillRule(impl_->s.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    QRegion acc;
    for (const QPolygonF& poly : impl_->path.toFillPolygons())
        acc = acc.xored(QRegion(poly.toPolygon(), impl_->path.fillRule()));
    r.impl().rgn = acc;
    impl_->pathReady = false;
    impl_->path = QPainterPath();
    return r;
}

bool TDeviceContext::SelectClipPath(int mode)
{
    if (!impl_->pathReady) return false;
    TRegion r = PathToRegion();
    return ExtSelectClipRgn(&r, mode) != RGN_ERROR;
}
