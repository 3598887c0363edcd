// The recording paint engine: every painter call becomes a record of the picture, in the frame's
// pixels, with the clip it was drawn under.
#include <QPaintEngine>
#include <QPixmap>
#include <QTextItem>
#include <cmath>

#include "platform/graphics/MetafileRecorder_p.h"

namespace {

constexpr int kUnboundedSide = 1 << 15;  // the device size of a recording without a frame
constexpr int kDpi = 96;

}  // namespace

class TMetafilePaintEngine : public QPaintEngine {
public:
    TMetafilePaintEngine() : QPaintEngine(AllFeatures) {}

    std::shared_ptr<TMetafileImage> image = std::make_shared<TMetafileImage>();

    bool begin(QPaintDevice*) override
    {
        xf_ = QTransform();
        clipOn_ = false;
        emittedClip_ = {};
        emittedOn_ = false;
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& st) override
    {
        const DirtyFlags f = st.state();
        if (f & DirtyTransform) xf_ = st.transform();
        if (f & DirtyPen) pen_ = st.pen();
        if (f & DirtyBrush) brush_ = st.brush();
        if (f & DirtyBrushOrigin) brushOrigin_ = st.brushOrigin();
        if (f & DirtyOpacity) opacity_ = st.opacity();
        if (f & DirtyCompositionMode) mode_ = st.compositionMode();
        if (f & DirtyHints) antialiased_ = st.renderHints().testFlag(QPainter::Antialiasing);
        if (f & DirtyClipRegion) {
            const QRegion region = st.clipRegion();
            setClip(st.clipOperation(), &region, nullptr);
        }
        if (f & DirtyClipPath) {
            const QPainterPath path = st.clipPath();
            setClip(st.clipOperation(), nullptr, &path);
        }
        if (f & DirtyClipEnabled) clipEnabled_ = st.isClipEnabled();
    }

    void drawRects(const QRectF* rects, int n) override
    {
        for (int i = 0; i < n; ++i) {
            if (xf_.type() <= QTransform::TxScale) {
                TMetafileRecord& r = add(TMetafileRecord::Rect, true, true);
                r.rect = xf_.mapRect(rects[i]);
            } else {
                TMetafileRecord& r = add(TMetafileRecord::Polygon, true, true);
                r.points = xf_.map(QPolygonF(rects[i]));
                r.points.removeLast();  // QPolygonF(QRectF) repeats the first corner
            }
        }
    }

    void drawLines(const QLineF* lines, int n) override
    {
        TMetafileRecord* run = nullptr;
        for (int i = 0; i < n; ++i) {
            const QPointF a = xf_.map(lines[i].p1()), b = xf_.map(lines[i].p2());
            if (run && run->points.back() == a) {
                run->points << b;
                continue;
            }
            run = &add(TMetafileRecord::Polyline, true, false);
            run->points << a << b;
        }
    }

    void drawEllipse(const QRectF& rect) override
    {
        if (xf_.type() <= QTransform::TxScale) {
            TMetafileRecord& r = add(TMetafileRecord::Ellipse, true, true);
            r.rect = xf_.mapRect(rect);
            return;
        }
        QPainterPath p;
        p.addEllipse(rect);
        drawPath(p);
    }

    void drawPath(const QPainterPath& path) override
    {
        if (path.isEmpty()) return;
        TMetafileRecord& r = add(TMetafileRecord::Path, true, true);
        r.path = xf_.map(path);
        r.fillRule = path.fillRule();
    }

    void drawPoints(const QPointF* points, int n) override
    {
        if (pen_.style() == Qt::NoPen) return;
        const qreal w = pen_.isCosmetic() || pen_.widthF() <= 1 ? 0 : pen_.widthF();
        const QBrush saved = brush_;
        const QPen savedPen = pen_;
        brush_ = pen_.brush();
        pen_ = QPen(Qt::NoPen);
        for (int i = 0; i < n; ++i) {
            const QPointF c = xf_.map(points[i]);
            const bool round = w > 0 && savedPen.capStyle() == Qt::RoundCap;
            TMetafileRecord& r = add(round ? TMetafileRecord::Ellipse : TMetafileRecord::Rect, false, true);
            const qreal side = w > 0 ? w * scale() : 1;
            r.rect = w > 0 ? QRectF(c.x() - side / 2, c.y() - side / 2, side, side)
                           : QRectF(std::floor(c.x()), std::floor(c.y()), 1, 1);
        }
        brush_ = saved;
        pen_ = savedPen;
    }

    void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override
    {
        if (n < 2) return;
        QPolygonF poly(n);
        for (int i = 0; i < n; ++i) poly[i] = xf_.map(points[i]);
        if (mode == PolylineMode) {
            TMetafileRecord& r = add(TMetafileRecord::Polyline, true, false);
            r.points = std::move(poly);
            return;
        }
        TMetafileRecord& r = add(TMetafileRecord::Polygon, true, true);
        r.points = std::move(poly);
        r.fillRule = mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill;
    }

    void drawPixmap(const QRectF& rect, const QPixmap& pm, const QRectF& sr) override
    {
        drawImage(rect, pm.toImage(), sr, Qt::AutoColor);
    }

    void drawImage(const QRectF& rect, const QImage& img, const QRectF& sr, Qt::ImageConversionFlags) override
    {
        const QRect part = sr.toAlignedRect() & img.rect();
        if (part.isEmpty() || rect.isEmpty()) return;
        TMetafileRecord& r = add(TMetafileRecord::Image, false, false);
        // A copy: the caller's image may wrap pixels that do not outlive the call.
        r.image = image->AddImage(img.copy(part));
        r.source = sr.translated(-part.topLeft());
        r.rect = xf_.mapRect(rect);
    }

    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        if (item.text().isEmpty() || pen_.style() == Qt::NoPen) return;
        const QPointF origin = xf_.map(p);
        const QPointF axis = xf_.map(QPointF(1, 0)) - xf_.map(QPointF(0, 0));
        QFont font = item.font();
        const qreal s = std::hypot(axis.x(), axis.y());
        qreal px = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * kDpi / 72.0;
        if (std::abs(s - 1) > 1e-6 || font.pixelSize() <= 0) font.setPixelSize(std::max(1, qRound(px * s)));
        TMetafileRecord& r = add(TMetafileRecord::Text, false, false);
        r.points << origin;
        r.text = item.text();
        r.font = image->AddFont(font);
        r.color = withOpacity(pen_.color());
        r.angle = -std::atan2(axis.y(), axis.x()) * 180.0 / M_PI;
        if (std::abs(r.angle) < 1e-9) r.angle = 0;
    }

private:
    qreal scale() const { return std::sqrt(std::abs(xf_.determinant())); }

    QColor withOpacity(QColor c) const
    {
        if (opacity_ < 1) c.setAlphaF(c.alphaF() * static_cast<float>(opacity_));
        return c;
    }

    QBrush deviceBrush(QBrush b) const
    {
        if (b.style() == Qt::NoBrush) return b;
        if (b.style() == Qt::SolidPattern) {
            b.setColor(withOpacity(b.color()));
            return b;
        }
        // Patterns and gradients are laid out in the painter's coordinates from the brush origin.
        b.setTransform(b.transform() * QTransform::fromTranslate(brushOrigin_.x(), brushOrigin_.y()) * xf_);
        return b;
    }

    QPen devicePen() const
    {
        QPen p = pen_;
        if (p.style() == Qt::NoPen) return p;
        p.setBrush(deviceBrush(p.brush()));
        if (!p.isCosmetic() && p.widthF() > 0 && xf_.type() >= QTransform::TxScale) p.setWidthF(p.widthF() * scale());
        return p;
    }

    TMetafileRecord& add(TMetafileRecord::Kind kind, bool pen, bool brush)
    {
        flushClip();
        TMetafileRecord& r = image->records.emplace_back();
        r.kind = kind;
        r.mode = mode_;
        r.antialiased = antialiased_;
        if (pen) r.pen = image->AddPen(devicePen());
        if (brush) r.brush = image->AddBrush(deviceBrush(brush_));
        return r;
    }

    // The clip in device pixels; the operation combines it with the one before.
    void setClip(Qt::ClipOperation op, const QRegion* region, const QPainterPath* path)
    {
        if (op == Qt::NoClip) {
            clipOn_ = false;
            clipEnabled_ = false;
            return;
        }
        bool isRegion = region && xf_.type() <= QTransform::TxScale;
        QRegion newRegion;
        QPainterPath newPath;
        if (isRegion) {
            newRegion = xf_.map(*region);
        } else {
            newPath = xf_.map(region ? regionPath(*region) : *path);
        }
        if (op == Qt::IntersectClip && clipOn_) {
            if (isRegion && clip_.clip == TMetafileRecord::RegionClip) {
                newRegion &= clip_.region;
            } else {
                const QPainterPath mine = clip_.clip == TMetafileRecord::RegionClip ? regionPath(clip_.region)
                                                                                    : clip_.path;
                newPath = (isRegion ? regionPath(newRegion) : newPath).intersected(mine);
                isRegion = false;
            }
        }
        clip_ = {};
        clip_.kind = TMetafileRecord::Clip;
        clip_.clip = isRegion ? TMetafileRecord::RegionClip : TMetafileRecord::PathClip;
        clip_.region = newRegion;
        clip_.path = newPath;
        clipOn_ = true;
        clipEnabled_ = true;
    }

    static QPainterPath regionPath(const QRegion& r)
    {
        QPainterPath p;
        p.addRegion(r);
        return p;
    }

    // Writes a clip record when the clip drawing happens under has changed.
    void flushClip()
    {
        const bool on = clipOn_ && clipEnabled_;
        if (on == emittedOn_ && (!on || sameClip(clip_, emittedClip_))) return;
        TMetafileRecord r = on ? clip_ : TMetafileRecord{};
        r.kind = TMetafileRecord::Clip;
        if (!on) r.clip = TMetafileRecord::NoClip;
        image->records.push_back(r);
        emittedClip_ = r;
        emittedOn_ = on;
    }

    static bool sameClip(const TMetafileRecord& a, const TMetafileRecord& b)
    {
        if (a.clip != b.clip) return false;
        if (a.clip == TMetafileRecord::RegionClip) return a.region == b.region;
        return a.path == b.path;
    }

    QTransform xf_;
    QPen pen_;
    QBrush brush_;
    QPointF brushOrigin_;
    qreal opacity_ = 1;
    QPainter::CompositionMode mode_ = QPainter::CompositionMode_SourceOver;
    bool antialiased_ = false;
    bool clipOn_ = false, clipEnabled_ = false;
    TMetafileRecord clip_;
    TMetafileRecord emittedClip_;
    bool emittedOn_ = false;
};

TMetafileRecorder::TMetafileRecorder(QSize size) : size_(size), engine_(std::make_unique<TMetafilePaintEngine>())
{
    engine_->image->size = size;
}

TMetafileRecorder::~TMetafileRecorder() = default;

QPaintEngine* TMetafileRecorder::paintEngine() const { return engine_.get(); }

int TMetafileRecorder::metric(PaintDeviceMetric metric) const
{
    const bool bounded = !size_.isEmpty();
    const int w = bounded ? size_.width() : kUnboundedSide, h = bounded ? size_.height() : kUnboundedSide;
    switch (metric) {
    case PdmWidth: return w;
    case PdmHeight: return h;
    case PdmWidthMM: return qRound(w * 25.4 / kDpi);
    case PdmHeightMM: return qRound(h * 25.4 / kDpi);
    case PdmNumColors: return 0x7fffffff;
    case PdmDepth: return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return kDpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
    default: return QPaintDevice::metric(metric);
    }
}

std::shared_ptr<TMetafileImage> TMetafileRecorder::Take()
{
    auto image = std::exchange(engine_->image, std::make_shared<TMetafileImage>());
    engine_->image->size = size_;
    if (size_.isEmpty()) {
        const QRectF ink = image->InkBounds();
        image->size = QSize(std::max(0, qCeil(ink.right())), std::max(0, qCeil(ink.bottom())));
    }
    // Trailing clip records draw nothing.
    while (!image->records.empty() && image->records.back().kind == TMetafileRecord::Clip) image->records.pop_back();
    return image;
}

bool IsMetafileEngine(const QPaintEngine* engine) { return dynamic_cast<const TMetafilePaintEngine*>(engine); }
