// Playing a metafile file's records against a device state into the picture's records.
#include <QFontMetricsF>
#include <cmath>
#include <numbers>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/MetafileBuilder_p.h"

namespace {

enum : int { MWT_IDENTITY = 1, MWT_LEFTMULTIPLY, MWT_RIGHTMULTIPLY, MWT_SET };

// Angle in degrees (counter-clockwise, y up) of the radial from the box's centre through p.
qreal radial(const QRectF& box, QPointF p)
{
    const QPointF c = box.center();
    const qreal rx = box.width() / 2, ry = box.height() / 2;
    const qreal dx = (p.x() - c.x()) / (rx > 0 ? rx : 1), dy = (c.y() - p.y()) / (ry > 0 ? ry : 1);
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy, dx) * 180 / std::numbers::pi;
}

QPainterPath regionPath(const QRegion& r)
{
    QPainterPath p;
    p.addRegion(r);
    return p;
}

}  // namespace

TMfBuilder::TMfBuilder(QSize frame, const QTransform& deviceToPicture)
    : frame_(frame), deviceToPicture_(deviceToPicture)
{
    image_->size = frame;
    s_.font.height = -12;
    s_.font.face = u"Arial";
}

// ---------- objects ----------
void TMfBuilder::SetPen(const TMfPen& pen)
{
    s_.gdiPen = pen;
    s_.pen = QtPen(pen);
}

void TMfBuilder::SetBrush(const TMfBrush& brush)
{
    s_.gdiBrush = brush;
    s_.pattern = QBrush();
}

void TMfBuilder::SetPatternBrush(const QImage& pattern)
{
    s_.gdiBrush = TMfBrush{BS_SOLID, 0, 0, false, 0};
    s_.pattern = pattern.isNull() ? QBrush() : QBrush(pattern);
}

void TMfBuilder::SetFont(const TMfFont& font) { s_.font = font; }

// ---------- mapping ----------
void TMfBuilder::SetMapMode(int mode)
{
    s_.mapMode = mode;
    // The fixed modes measure in physical units with y up; the picture has 96 pixels per inch.
    qreal unitsPerInch = 0;
    switch (mode) {
    case MM_LOMETRIC: unitsPerInch = 254; break;
    case MM_HIMETRIC: unitsPerInch = 2540; break;
    case MM_LOENGLISH: unitsPerInch = 100; break;
    case MM_HIENGLISH: unitsPerInch = 1000; break;
    case MM_TWIPS: unitsPerInch = 1440; break;
    default: return;
    }
    s_.winExt = QSizeF(unitsPerInch, unitsPerInch);
    const QPointF px = deviceToPicture_.inverted().map(QPointF(96, 96)) - deviceToPicture_.inverted().map(QPointF());
    s_.vpExt = QSizeF(px.x(), -px.y());
}

void TMfBuilder::SetWindowOrg(QPointF org) { s_.winOrg = org; }
void TMfBuilder::SetViewportOrg(QPointF org) { s_.vpOrg = org; }

void TMfBuilder::SetWindowExt(QSizeF ext)
{
    if (s_.mapMode == MM_ISOTROPIC || s_.mapMode == MM_ANISOTROPIC)
        if (ext.width() != 0 && ext.height() != 0) s_.winExt = ext;
}

void TMfBuilder::SetViewportExt(QSizeF ext)
{
    if (s_.mapMode == MM_ISOTROPIC || s_.mapMode == MM_ANISOTROPIC)
        if (ext.width() != 0 && ext.height() != 0) s_.vpExt = ext;
}

void TMfBuilder::ModifyWorldTransform(const QTransform& xf, int mode)
{
    switch (mode) {
    case MWT_IDENTITY: s_.world = QTransform(); break;
    case MWT_LEFTMULTIPLY: s_.world = xf * s_.world; break;
    case MWT_RIGHTMULTIPLY: s_.world = s_.world * xf; break;
    case MWT_SET: s_.world = xf; break;
    default: break;
    }
}

QTransform TMfBuilder::toPicture() const
{
    qreal sx = 1, sy = 1;
    if (s_.mapMode != MM_TEXT) {
        sx = s_.vpExt.width() / s_.winExt.width();
        sy = s_.vpExt.height() / s_.winExt.height();
        if (s_.mapMode == MM_ISOTROPIC) {
            const qreal m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
    }
    const QTransform page = QTransform::fromTranslate(-s_.winOrg.x(), -s_.winOrg.y()) * QTransform::fromScale(sx, sy) *
                            QTransform::fromTranslate(s_.vpOrg.x(), s_.vpOrg.y());
    return s_.world * page * deviceToPicture_;
}

qreal TMfBuilder::scale() const { return std::sqrt(std::abs(toPicture().determinant())); }

QPen TMfBuilder::devicePen() const
{
    QPen p = s_.pen;
    if (p.style() != Qt::NoPen && !p.isCosmetic()) p.setWidthF(std::max<qreal>(1, p.widthF() * scale()));
    return p;
}

QBrush TMfBuilder::deviceBrush() const
{
    if (s_.pattern.style() != Qt::NoBrush) return s_.pattern;
    TMfBrush b = s_.gdiBrush;
    if (b.style == BS_HATCHED) {  // the gaps follow the background mode at drawing time
        b.opaque = s_.bkMode == OPAQUE;
        b.paper = s_.bkColor;
    }
    return QtBrush(b);
}

QPainter::CompositionMode TMfBuilder::mode() const { return Rop2CompositionMode(s_.rop2); }

TMetafileRecord& TMfBuilder::add(TMetafileRecord::Kind kind, bool pen, bool brush)
{
    flushClip();
    TMetafileRecord& r = image_->records.emplace_back();
    r.kind = kind;
    r.mode = mode();
    if (pen) r.pen = image_->AddPen(devicePen());
    if (brush) r.brush = image_->AddBrush(deviceBrush());
    return r;
}

void TMfBuilder::shape(const QPainterPath& logical, bool fill)
{
    if (s_.inPath) {
        s_.path.addPath(mapPath(logical));
        return;
    }
    TMetafileRecord& r = add(TMetafileRecord::Path, true, fill);
    r.path = mapPath(logical);
    r.path.setFillRule(s_.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    r.fillRule = r.path.fillRule();
}

// ---------- drawing ----------
void TMfBuilder::MoveTo(QPointF p)
{
    s_.pos = p;
    if (s_.inPath) s_.path.moveTo(map(p));
}

void TMfBuilder::LineTo(QPointF p) { PolylineTo(QPolygonF{p}); }

void TMfBuilder::Polyline(const QPolygonF& pts)
{
    if (pts.size() < 2) return;
    if (s_.inPath) {
        const QPolygonF m = toPicture().map(pts);
        s_.path.moveTo(m[0]);
        for (qsizetype i = 1; i < m.size(); ++i) s_.path.lineTo(m[i]);
        return;
    }
    TMetafileRecord& r = add(TMetafileRecord::Polyline, true, false);
    r.points = toPicture().map(pts);
}

void TMfBuilder::PolylineTo(const QPolygonF& pts)
{
    if (pts.isEmpty()) return;
    if (s_.inPath) {
        if (s_.path.elementCount() == 0) s_.path.moveTo(map(s_.pos));
        for (const QPointF& p : pts) s_.path.lineTo(map(p));
    } else {
        QPolygonF all;
        all << s_.pos << pts;
        Polyline(all);
    }
    s_.pos = pts.back();
}

void TMfBuilder::PolyBezier(const QPolygonF& pts)
{
    if (pts.size() < 4) return;
    MoveTo(pts[0]);
    if (!s_.inPath) {
        QPainterPath p(pts[0]);
        for (qsizetype i = 1; i + 2 < pts.size(); i += 3) p.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
        TMetafileRecord& r = add(TMetafileRecord::Path, true, false);
        r.path = mapPath(p);
        s_.pos = pts.back();
        return;
    }
    PolyBezierTo(pts.mid(1));
}

void TMfBuilder::PolyBezierTo(const QPolygonF& pts)
{
    if (pts.size() < 3) return;
    if (!s_.inPath) {
        QPolygonF all;
        all << s_.pos << pts;
        PolyBezier(all);
        return;
    }
    if (s_.path.elementCount() == 0) s_.path.moveTo(map(s_.pos));
    for (qsizetype i = 0; i + 2 < pts.size(); i += 3) s_.path.cubicTo(map(pts[i]), map(pts[i + 1]), map(pts[i + 2]));
    s_.pos = pts[(pts.size() / 3) * 3 - 1];
}

void TMfBuilder::Polygon(const QPolygonF& pts)
{
    if (pts.size() < 2) return;
    if (s_.inPath) {
        s_.path.addPolygon(toPicture().map(pts));
        s_.path.closeSubpath();
        return;
    }
    TMetafileRecord& r = add(TMetafileRecord::Polygon, true, true);
    r.points = toPicture().map(pts);
    r.fillRule = s_.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

void TMfBuilder::PolyPolygon(const std::vector<QPolygonF>& polys)
{
    if (polys.size() == 1) {
        Polygon(polys[0]);
        return;
    }
    QPainterPath p;
    for (const QPolygonF& poly : polys) {
        p.addPolygon(poly);
        p.closeSubpath();
    }
    shape(p, true);
}

void TMfBuilder::PolyPolyline(const std::vector<QPolygonF>& polys)
{
    for (const QPolygonF& poly : polys) Polyline(poly);
}

void TMfBuilder::Rectangle(const QRectF& box)
{
    const QRectF b = box.normalized();
    // With a pen the outline runs through the box's last pixels; without one the fill stops there.
    const QRectF r(b.left(), b.top(), b.width() - 1, b.height() - 1);
    if (s_.inPath || toPicture().type() > QTransform::TxScale) {
        QPainterPath p;
        p.addRect(b);
        shape(p, true);
        return;
    }
    if (s_.pen.style() == Qt::NoPen) {
        TMetafileRecord& f = add(TMetafileRecord::Polygon, false, true);
        f.points = toPicture().map(QPolygonF(QRectF(b.left(), b.top(), b.width() - 1, b.height() - 1)));
        f.points.removeLast();
        return;
    }
    TMetafileRecord& rec = add(TMetafileRecord::Rect, true, true);
    rec.rect = toPicture().mapRect(r);
}

void TMfBuilder::RoundRect(const QRectF& box, QSizeF corner)
{
    QPainterPath p;
    const QRectF b = box.normalized();
    p.addRoundedRect(QRectF(b.left(), b.top(), b.width() - 1, b.height() - 1), corner.width() / 2, corner.height() / 2);
    shape(p, true);
}

void TMfBuilder::Ellipse(const QRectF& box)
{
    const QRectF b = box.normalized();
    const QRectF r(b.left(), b.top(), b.width() - 1, b.height() - 1);
    if (s_.inPath || toPicture().type() > QTransform::TxScale) {
        QPainterPath p;
        p.addEllipse(r);
        shape(p, true);
        return;
    }
    TMetafileRecord& rec = add(TMetafileRecord::Ellipse, true, true);
    rec.rect = toPicture().mapRect(r);
}

void TMfBuilder::Arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind)
{
    const QRectF b = box.normalized();
    const QRectF r(b.left(), b.top(), b.width() - 1, b.height() - 1);
    const qreal a = radial(r, start);
    qreal span = radial(r, end) - a;
    if (s_.arcDir == AD_COUNTERCLOCKWISE) {
        if (span <= 0) span += 360;
    } else if (span >= 0) {
        span -= 360;
    }
    QPainterPath p;
    if (kind == PieKind) {
        p.moveTo(r.center());
        p.arcTo(r, a, span);
        p.closeSubpath();
    } else if (kind == ArcToKind && s_.inPath) {
        p.moveTo(s_.path.currentPosition());
        p.arcTo(r, a, span);
    } else {
        p.arcMoveTo(r, a);
        p.arcTo(r, a, span);
        if (kind == ChordKind) p.closeSubpath();
    }
    if (kind == ArcToKind) {
        if (s_.inPath) {
            s_.path.connectPath(mapPath(p));
        } else {
            QPainterPath line(s_.pos);
            line.lineTo(p.pointAtPercent(0));
            line.connectPath(p);
            shape(line, false);
        }
        s_.pos = p.currentPosition();
        return;
    }
    shape(p, kind != ArcOnly);
}

void TMfBuilder::TextOut(QPointF ref, const QString& text, const QRectF* opaque)
{
    const QTransform xf = toPicture();
    if (opaque && !opaque->isEmpty()) {
        TMetafileRecord& r = add(TMetafileRecord::Polygon, false, false);
        r.brush = image_->AddBrush(QBrush(FromColorRef(s_.bkColor)));
        r.points = xf.map(QPolygonF(opaque->normalized()));
        r.points.removeLast();
    }
    if (text.isEmpty()) return;
    if (s_.textAlign & TA_UPDATECP) ref = s_.pos;
    TMfFont f = s_.font;
    const qreal fontScale = std::abs(xf.m22()) > 0 ? std::sqrt(std::abs(xf.determinant())) : 1;
    f.height = f.height ? ToUnit(f.height * fontScale) : -12;
    const QFont font = QtFont(f);
    const QFontMetricsF fm(font);
    const qreal w = fm.horizontalAdvance(text), h = fm.height();
    qreal dx = 0, dy = 0;
    switch (s_.textAlign & TA_CENTER) {
    case TA_CENTER: dx = -w / 2; break;
    case TA_RIGHT: dx = -w; break;
    default: break;
    }
    switch (s_.textAlign & TA_BASELINE) {
    case TA_BASELINE: break;
    case TA_BOTTOM: dy = -fm.descent(); break;
    default: dy = fm.ascent(); break;
    }
    if (s_.textAlign & TA_UPDATECP) {
        const qreal advance = w / std::max<qreal>(scale(), 1e-9);
        if ((s_.textAlign & TA_CENTER) == TA_LEFT) s_.pos.rx() += advance;
        if ((s_.textAlign & TA_CENTER) == TA_RIGHT) s_.pos.rx() -= advance;
    }
    const qreal angle = s_.font.escapement / 10.0;
    const QTransform local = QTransform().translate(xf.map(ref).x(), xf.map(ref).y()).rotate(-angle);
    if (s_.bkMode == OPAQUE) {
        TMetafileRecord& r = add(TMetafileRecord::Polygon, false, false);
        r.brush = image_->AddBrush(QBrush(FromColorRef(s_.bkColor)));
        r.points = local.map(QPolygonF(QRectF(dx, dy - fm.ascent(), w, h)));
        r.points.removeLast();
    }
    TMetafileRecord& r = add(TMetafileRecord::Text, false, false);
    r.points << local.map(QPointF(dx, dy));
    r.text = text;
    r.font = image_->AddFont(font);
    r.color = FromColorRef(s_.textColor);
    r.angle = angle;
    r.antialiased = f.quality != NONANTIALIASED_QUALITY;
}

void TMfBuilder::Image(const QRectF& dest, const QImage& image, const QRectF& source)
{
    if (image.isNull() || dest.width() == 0 || dest.height() == 0) return;
    TMetafileRecord& r = add(TMetafileRecord::Image, false, false);
    r.image = image_->AddImage(image);
    r.rect = toPicture().mapRect(dest);
    // A box given with a negative extent mirrors the picture.
    const QTransform xf = toPicture();
    const QPointF a = xf.map(dest.topLeft()), b = xf.map(dest.bottomRight());
    r.rect = QRectF(a, b);
    r.source = source;
}

void TMfBuilder::FillRegion(const QRegion& deviceRegion, const TMfBrush& brush)
{
    TMetafileRecord& r = add(TMetafileRecord::Path, false, false);
    r.brush = image_->AddBrush(QtBrush(brush));
    r.path = deviceToPicture_.map(regionPath(deviceRegion));
}

void TMfBuilder::SetPixel(QPointF p, TColorRef c)
{
    TMetafileRecord& r = add(TMetafileRecord::Rect, false, false);
    r.brush = image_->AddBrush(QBrush(FromColorRef(c)));
    const QPointF m = map(p);
    r.rect = QRectF(std::floor(m.x()), std::floor(m.y()), 1, 1);
}

// ---------- paths ----------
void TMfBuilder::BeginPath()
{
    s_.inPath = true;
    s_.path = QPainterPath();
}

void TMfBuilder::AbortPath()
{
    s_.inPath = false;
    s_.path = QPainterPath();
}

void TMfBuilder::CloseFigure()
{
    if (s_.inPath) s_.path.closeSubpath();
}

void TMfBuilder::drawPath(bool stroke, bool fill)
{
    s_.inPath = false;
    if (s_.path.isEmpty()) return;
    TMetafileRecord& r = add(TMetafileRecord::Path, stroke, fill);
    r.path = s_.path;
    r.path.setFillRule(s_.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    r.fillRule = r.path.fillRule();
    s_.path = QPainterPath();
}

void TMfBuilder::SelectClipPath(int mode)
{
    s_.inPath = false;
    Clip c;
    c.on = true;
    c.isRegion = false;
    c.path = s_.path;
    c.path.setFillRule(s_.fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    s_.path = QPainterPath();
    combineClip(c, mode);
}

// ---------- clipping ----------
void TMfBuilder::combineClip(const Clip& with, int mode)
{
    Clip& cur = s_.clip;
    if (mode == RGN_COPY || !cur.on) {
        if (mode == RGN_DIFF && !cur.on) {
            // Everything but the given area.
            Clip all;
            all.on = true;
            all.region = QRegion(0, 0, frame_.width(), frame_.height());
            cur = all;
        } else if (mode == RGN_COPY || mode == RGN_AND || mode == RGN_OR || mode == RGN_XOR) {
            cur = with;
            return;
        }
    }
    if (cur.isRegion && with.isRegion) {
        switch (mode) {
        case RGN_AND: cur.region &= with.region; break;
        case RGN_OR: cur.region |= with.region; break;
        case RGN_XOR: cur.region ^= with.region; break;
        case RGN_DIFF: cur.region -= with.region; break;
        default: break;
        }
        return;
    }
    const QPainterPath a = cur.isRegion ? regionPath(cur.region) : cur.path;
    const QPainterPath b = with.isRegion ? regionPath(with.region) : with.path;
    switch (mode) {
    case RGN_AND: cur.path = a.intersected(b); break;
    case RGN_OR: cur.path = a.united(b); break;
    case RGN_XOR: cur.path = a.united(b).subtracted(a.intersected(b)); break;
    case RGN_DIFF: cur.path = a.subtracted(b); break;
    default: break;
    }
    cur.isRegion = false;
    cur.region = QRegion();
}

void TMfBuilder::SelectClipRegion(const QRegion* deviceRegion, int mode)
{
    if (!deviceRegion) {
        if (mode == RGN_COPY) s_.clip = Clip{};
        return;
    }
    Clip c;
    c.on = true;
    if (deviceToPicture_.type() <= QTransform::TxScale) {
        c.region = deviceToPicture_.map(*deviceRegion);
    } else {
        c.isRegion = false;
        c.path = deviceToPicture_.map(regionPath(*deviceRegion));
    }
    combineClip(c, mode);
}

void TMfBuilder::CombineClipRect(const QRectF& r, int mode)
{
    Clip c;
    c.on = true;
    const QTransform xf = toPicture();
    if (xf.type() <= QTransform::TxScale) {
        c.region = QRegion(xf.mapRect(r.normalized()).toRect());
    } else {
        c.isRegion = false;
        c.path.addPolygon(xf.map(QPolygonF(r)));
    }
    combineClip(c, mode);
}

void TMfBuilder::OffsetClip(QPointF d)
{
    if (!s_.clip.on) return;
    const QPointF m = toPicture().map(d) - toPicture().map(QPointF());
    if (s_.clip.isRegion)
        s_.clip.region.translate(m.toPoint());
    else
        s_.clip.path.translate(m);
}

void TMfBuilder::flushClip()
{
    const Clip& c = s_.clip;
    const bool same = c.on == emitted_.on &&
                      (!c.on || (c.isRegion == emitted_.isRegion &&
                                 (c.isRegion ? c.region == emitted_.region : c.path == emitted_.path)));
    if (same) return;
    TMetafileRecord& r = image_->records.emplace_back();
    r.kind = TMetafileRecord::Clip;
    if (!c.on)
        r.clip = TMetafileRecord::NoClip;
    else if (c.isRegion) {
        r.clip = TMetafileRecord::RegionClip;
        r.region = c.region;
    } else {
        r.clip = TMetafileRecord::PathClip;
        r.path = c.path;
    }
    emitted_ = c;
}

// ---------- saved states ----------
void TMfBuilder::SaveDC() { saved_.push_back(s_); }

void TMfBuilder::RestoreDC(int level)
{
    const int n = static_cast<int>(saved_.size());
    const int target = level < 0 ? n + level + 1 : level;
    if (target < 1 || target > n) return;
    s_ = saved_[static_cast<std::size_t>(target - 1)];
    saved_.resize(static_cast<std::size_t>(target - 1));
}

std::shared_ptr<TMetafileImage> TMfBuilder::Finish()
{
    while (!image_->records.empty() && image_->records.back().kind == TMetafileRecord::Clip) image_->records.pop_back();
    return std::exchange(image_, std::make_shared<TMetafileImage>());
}
