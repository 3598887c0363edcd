// The recorded picture: its object tables and its playing.
#include <QHash>

#include "platform/graphics/MetafileImage_p.h"

namespace {

std::size_t mix(std::size_t h, std::size_t v) { return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)); }

std::size_t brushKey(const QBrush& b)
{
    std::size_t h = static_cast<std::size_t>(b.style());
    h = mix(h, b.color().rgba());
    if (b.gradient()) h = mix(h, static_cast<std::size_t>(b.gradient()->type()));
    if (b.style() == Qt::TexturePattern) h = mix(h, static_cast<std::size_t>(b.textureImage().cacheKey()));
    return h;
}

std::size_t penKey(const QPen& p)
{
    std::size_t h = static_cast<std::size_t>(p.style());
    h = mix(h, qHash(p.widthF()));
    h = mix(h, static_cast<std::size_t>(p.capStyle()) * 31 + static_cast<std::size_t>(p.joinStyle()));
    h = mix(h, p.isCosmetic());
    return mix(h, brushKey(p.brush()));
}

template <class T, class K>
std::uint32_t addShared(std::vector<T>& table, std::unordered_multimap<std::size_t, std::uint32_t>& index,
                        const T& value, K key)
{
    const std::size_t k = key(value);
    auto [first, last] = index.equal_range(k);
    for (auto it = first; it != last; ++it)
        if (table[it->second] == value) return it->second;
    const auto i = static_cast<std::uint32_t>(table.size());
    table.push_back(value);
    index.emplace(k, i);
    return i;
}

}  // namespace

std::uint32_t TMetafileImage::AddPen(const QPen& pen)
{
    if (pen.style() == Qt::NoPen) return 0;
    return addShared(pens, penIndex_, pen, penKey);
}

std::uint32_t TMetafileImage::AddBrush(const QBrush& brush)
{
    if (brush.style() == Qt::NoBrush) return 0;
    return addShared(brushes, brushIndex_, brush, brushKey);
}

std::uint32_t TMetafileImage::AddFont(const QFont& font)
{
    return addShared(fonts, fontIndex_, font, [](const QFont& f) { return static_cast<std::size_t>(qHash(f)); });
}

std::uint32_t TMetafileImage::AddImage(const QImage& image)
{
    if (auto it = imageIndex_.find(image.cacheKey()); it != imageIndex_.end()) return it->second;
    const auto i = static_cast<std::uint32_t>(images.size());
    images.push_back(image);
    imageIndex_.emplace(image.cacheKey(), i);
    return i;
}

QRectF RecordBounds(const TMetafileImage& image, const TMetafileRecord& r)
{
    QRectF box;
    switch (r.kind) {
    case TMetafileRecord::Polyline:
    case TMetafileRecord::Polygon: box = r.points.boundingRect(); break;
    case TMetafileRecord::Rect:
    case TMetafileRecord::Ellipse:
    case TMetafileRecord::Image: box = r.rect.normalized(); break;
    case TMetafileRecord::Path: box = r.path.boundingRect(); break;
    case TMetafileRecord::Text: {
        if (r.points.isEmpty() || r.font >= image.fonts.size()) return {};
        QFontMetricsF fm(image.fonts[r.font]);
        QRectF local(0, -fm.ascent(), fm.horizontalAdvance(r.text), fm.height());
        return QTransform().translate(r.points[0].x(), r.points[0].y()).rotate(-r.angle).mapRect(local);
    }
    case TMetafileRecord::Clip: return {};
    }
    if (r.pen && r.pen < image.pens.size()) {
        const QPen& pen = image.pens[r.pen];
        const qreal half = pen.isCosmetic() || pen.widthF() == 0 ? 1 : pen.widthF() / 2 + 1;
        box.adjust(-half, -half, half, half);
    }
    return box;
}

void PlayRecord(QPainter& p, const TMetafileImage& image, const TMetafileRecord& r)
{
    p.setCompositionMode(r.mode);
    p.setRenderHint(QPainter::Antialiasing, r.antialiased);
    p.setRenderHint(QPainter::SmoothPixmapTransform, r.antialiased);
    const QPen& pen = r.pen < image.pens.size() ? image.pens[r.pen] : image.pens[0];
    const QBrush& brush = r.brush < image.brushes.size() ? image.brushes[r.brush] : image.brushes[0];
    switch (r.kind) {
    case TMetafileRecord::Polyline:
        p.setPen(pen);
        p.drawPolyline(r.points);
        break;
    case TMetafileRecord::Polygon:
        p.setPen(pen);
        p.setBrush(brush);
        p.drawPolygon(r.points, r.fillRule);
        break;
    case TMetafileRecord::Rect:
        p.setPen(pen);
        p.setBrush(brush);
        p.drawRect(r.rect);
        break;
    case TMetafileRecord::Ellipse:
        p.setPen(pen);
        p.setBrush(brush);
        p.drawEllipse(r.rect);
        break;
    case TMetafileRecord::Path:
        p.setPen(pen);
        p.setBrush(brush);
        p.drawPath(r.path);
        break;
    case TMetafileRecord::Text: {
        if (r.points.isEmpty() || r.font >= image.fonts.size()) break;
        p.save();
        p.translate(r.points[0]);
        if (r.angle != 0) p.rotate(-r.angle);
        p.setFont(image.fonts[r.font]);
        p.setPen(r.color);
        p.setRenderHint(QPainter::TextAntialiasing, image.fonts[r.font].styleStrategy() != QFont::NoAntialias);
        p.drawText(QPointF(0, 0), r.text);
        p.restore();
        break;
    }
    case TMetafileRecord::Image:
        if (r.image < image.images.size()) p.drawImage(r.rect, image.images[r.image], r.source);
        break;
    case TMetafileRecord::Clip: break;
    }
}

void TMetafileImage::Play(QPainter& p, const QRectF& target, QSize frame) const
{
    if (frame.isEmpty() || target.width() == 0 || target.height() == 0) return;
    p.save();
    const QTransform outer = p.worldTransform();
    // The frame and the painter's own clip bound every recorded clip.
    QPainterPath bound;
    bound.addRect(target.normalized());
    if (p.hasClipping()) bound = bound.intersected(p.clipPath());
    const QTransform toTarget = QTransform::fromTranslate(target.left(), target.top())
                                    .scale(target.width() / frame.width(), target.height() / frame.height());
    auto setClip = [&](const TMetafileRecord* clip) {
        p.setWorldTransform(outer);
        p.setClipPath(bound);
        p.setWorldTransform(toTarget * outer);
        if (!clip) return;
        if (clip->clip == TMetafileRecord::RegionClip)
            p.setClipRegion(clip->region, Qt::IntersectClip);
        else if (clip->clip == TMetafileRecord::PathClip)
            p.setClipPath(clip->path, Qt::IntersectClip);
    };
    setClip(nullptr);
    for (const TMetafileRecord& r : records) {
        if (r.kind == TMetafileRecord::Clip)
            setClip(&r);
        else
            PlayRecord(p, *this, r);
    }
    p.restore();
}

QRectF TMetafileImage::InkBounds() const
{
    QRectF all;
    for (const TMetafileRecord& r : records) all |= RecordBounds(*this, r);
    return all;
}
