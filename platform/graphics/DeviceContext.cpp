// The GDI-style device context on QPainter. Solid one-pixel lines are rasterised here (Qt's
// cosmetic stroker orders the end points, so it would drop the wrong end pixel of lines drawn
// towards smaller coordinates); fills, wide pens, arcs and text go through the painter.
// Block transfers with raster operations read the surface back and evaluate the ternary
// operation per pixel, then write the result through the painter so the clip still applies.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/Fonts.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/rtl/Exceptions.h"

namespace {

struct DCState {
    TLogPen pen;
    TLogBrush brush;
    TLogFont font;
    TColorRef textColor = 0;
    TColorRef bkColor = 0xFFFFFF;
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int fillMode = ALTERNATE;
    int arcDir = AD_COUNTERCLOCKWISE;
    unsigned textAlign = TA_LEFT | TA_TOP;
    int charExtra = 0;
    TPoint brushOrg;
    TPoint vpOrg;
    TPoint pos;
    bool hasClip = false;
    QRegion clip;  // device units
};

QColor rgbColor(TColorRef c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QPainter::CompositionMode rop2Mode(int rop2)
{
    switch (rop2) {
    case R2_BLACK: return QPainter::RasterOp_ClearDestination;
    case R2_NOTMERGEPEN: return QPainter::RasterOp_NotSourceAndNotDestination;
    case R2_MASKNOTPEN: return QPainter::RasterOp_NotSourceAndDestination;
    case R2_NOTCOPYPEN: return QPainter::RasterOp_NotSource;
    case R2_MASKPENNOT: return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT: return QPainter::RasterOp_NotDestination;
    case R2_XORPEN: return QPainter::RasterOp_SourceXorDestination;
    case R2_NOTMASKPEN: return QPainter::RasterOp_NotSourceOrNotDestination;
    case R2_MASKPEN: return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN: return QPainter::RasterOp_NotSourceXorDestination;
    case R2_MERGENOTPEN: return QPainter::RasterOp_NotSourceOrDestination;
    case R2_MERGEPENNOT: return QPainter::RasterOp_SourceOrNotDestination;
    case R2_MERGEPEN: return QPainter::RasterOp_SourceOrDestination;
    case R2_WHITE: return QPainter::RasterOp_SetDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// The six hatches as 8x8 patterns (row bytes, leftmost pixel in the high bit), lines on row 0 /
// column 0 of the brush origin.
QImage hatchImage(int hatch, QRgb ink, QRgb paper)
{
    QImage img(8, 8, QImage::Format_ARGB32);
    for (int y = 0; y < 8; ++y) {
        unsigned bits;
        switch (hatch) {
        case HS_HORIZONTAL: bits = y == 0 ? 0xFF : 0; break;
        case HS_VERTICAL: bits = 0x80; break;
        case HS_FDIAGONAL: bits = 0x80u >> y; break;
        case HS_BDIAGONAL: bits = 0x01u << y; break;
        case HS_CROSS: bits = y == 0 ? 0xFF : 0x80; break;
        default: bits = (0x80u >> y) | (0x01u << y); break;
        }
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < 8; ++x) line[x] = (bits & (0x80u >> x)) ? ink : paper;
    }
    return img;
}

// One ternary raster operation on 32-bit pixels: each set bit i of the code adds the minterm
// (P if i&4) & (S if i&2) & (D if i&1), complemented where the bit of i is clear.
inline std::uint32_t ropEval(unsigned code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (code) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0x33: return ~s;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFF;
    default: break;
    }
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (code & (1u << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r;
}

bool ropUsesSource(unsigned code) { return ((code >> 2) & 0x33) != (code & 0x33); }
bool ropUsesPattern(unsigned code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
bool ropUsesDest(unsigned code) { return ((code >> 1) & 0x55) != (code & 0x55); }

// Parametric angle (degrees, counter-clockwise, y up) of the radial through (x, y).
double radialAngle(double cx, double cy, double rx, double ry, int x, int y)
{
    double dx = (x - cx) / (rx > 0 ? rx : 1), dy = (cy - y) / (ry > 0 ? ry : 1);
    if (dx == 0 && dy == 0) return 0;
    return std::atan2(dy, dx) * 180.0 / std::numbers::pi;
}

}  // namespace

struct TDeviceContext::Impl {
    QPainter* painter = nullptr;
    std::unique_ptr<QPainter> ownPainter;
    std::shared_ptr<TPixelImage> image;  // image DCs
    QSize size;
    QTransform base;  // the painter's transform when the DC was made

    DCState s;
    std::vector<DCState> saved;

    bool inPath = false;
    bool pathReady = false;
    QPainterPath path;  // device units

    bool fontValid = false;
    QFont qfont;

    // A bitmap's surface can be replaced (resized, reloaded): the painter is ended then and opened
    // again on the next call, so the context itself stays valid for its holders.
    QSize sz() const { return image ? image->image.size() : size; }
    // Painter scopes save the painter's state; ending the painter drops the saved states of the
    // scopes still open, and those scopes must not restore on the next opening.
    unsigned openings = 0;  // begin() calls of the own painter
    int scopeSaves = 0;     // states saved by the scopes open on this opening
    bool ensure()
    {
        if (painter->isActive()) return true;
        if (!ownPainter || !image) return false;
        if (image->prepare) image->prepare();
        if (image->image.isNull()) return false;
        ownPainter->begin(&image->image);
        ++openings;
        size = image->image.size();
        if (painter->isActive()) applyAll();
        return painter->isActive();
    }
    void suspend()
    {
        if (!ownPainter || !ownPainter->isActive()) return;
        for (; scopeSaves > 0; --scopeSaves) ownPainter->restore();
        ownPainter->end();
    }

    // ---------- painter state ----------
    void applyTransform()
    {
        painter->setWorldTransform(QTransform::fromTranslate(s.vpOrg.X, s.vpOrg.Y) * base);
    }
    void applyClip()
    {
        if (s.hasClip) painter->setClipRegion(s.clip.translated(-s.vpOrg.X, -s.vpOrg.Y));
        else painter->setClipping(false);
    }
    void applyAll()
    {
        applyTransform();
        applyClip();
        fontValid = false;
    }
    QRegion surface() const { return QRegion(0, 0, sz().width(), sz().height()); }
    QRegion effectiveClip() const { return s.hasClip ? s.clip : surface(); }
    QPoint toDevice(int x, int y) const { return QPoint(x + s.vpOrg.X, y + s.vpOrg.Y); }

    // ---------- pens and brushes ----------
    bool penVisible() const { return (s.pen.Style & PS_STYLE_MASK) != PS_NULL && s.rop2 != R2_NOP; }
    bool brushVisible() const { return s.brush.Style != BS_NULL && s.rop2 != R2_NOP; }
    int penWidth() const { return std::max(1, s.pen.Width); }
    bool thinSolidPen() const
    {
        int st = s.pen.Style & PS_STYLE_MASK;
        return penWidth() == 1 && (st == PS_SOLID || st == PS_INSIDEFRAME);
    }
    QColor penColor() const { return rgbColor(ColorToRGB(s.pen.Color)); }

    QPen makePen(bool forBackground = false) const
    {
        int st = s.pen.Style & PS_STYLE_MASK;
        QPen pen(forBackground ? rgbColor(s.bkColor) : penColor());
        int w = penWidth();
        pen.setWidth(w == 1 ? 0 : w);
        pen.setCosmetic(w == 1);
        if (w == 1) {
            pen.setCapStyle(Qt::FlatCap);
            pen.setJoinStyle(Qt::MiterJoin);
        } else {
            switch (s.pen.Style & PS_ENDCAP_MASK) {
            case PS_ENDCAP_SQUARE: pen.setCapStyle(Qt::SquareCap); break;
            case PS_ENDCAP_FLAT: pen.setCapStyle(Qt::FlatCap); break;
            default: pen.setCapStyle(Qt::RoundCap); break;
            }
            switch (s.pen.Style & PS_JOIN_MASK) {
            case PS_JOIN_BEVEL: pen.setJoinStyle(Qt::BevelJoin); break;
            case PS_JOIN_MITER: pen.setJoinStyle(Qt::MiterJoin); break;
            default: pen.setJoinStyle(Qt::RoundJoin); break;
            }
        }
        if (forBackground) return pen;
        // Dash lengths of the one-pixel pen in pixels; wide pens scale them by the width.
        QList<qreal> dashes;
        switch (st) {
        case PS_DASH: dashes = {18, 6}; break;
        case PS_DOT: dashes = {3, 3}; break;
        case PS_DASHDOT: dashes = {9, 6, 3, 6}; break;
        case PS_DASHDOTDOT: dashes = {9, 3, 3, 3, 3, 3}; break;
        case PS_ALTERNATE: dashes = {1, 1}; break;
        case PS_USERSTYLE:
            for (auto d : s.pen.Dashes) dashes << std::max<qreal>(d, 0.01);
            if (dashes.size() % 2) dashes << dashes.back();
            break;
        default: break;
        }
        if (!dashes.isEmpty()) {
            if (w > 1 && st != PS_USERSTYLE)
                for (auto& d : dashes) d /= 3;  // geometric pens: the pattern scales with the width
            pen.setDashPattern(dashes);
        }
        return pen;
    }
    bool penDashed() const
    {
        int st = s.pen.Style & PS_STYLE_MASK;
        return st != PS_SOLID && st != PS_INSIDEFRAME && st != PS_NULL;
    }

    // opaque: the gaps of a hatch take the background colour.
    QBrush makeBrush(const TLogBrush& b, bool opaque = false) const
    {
        QColor c = rgbColor(ColorToRGB(b.Color));
        switch (b.Style) {
        case BS_HATCHED: return QBrush(hatchImage(b.Hatch, c.rgb(), opaque ? rgbColor(s.bkColor).rgb() : 0));
        case BS_PATTERN:
            if (b.Pattern && !b.Pattern->image.isNull()) return QBrush(b.Pattern->image);
            return QBrush(c);
        case BS_NULL: return QBrush(Qt::NoBrush);
        default: return QBrush(c);
        }
    }
    void setBrushOrigin() { painter->setBrushOrigin(s.brushOrg.X - s.vpOrg.X, s.brushOrg.Y - s.vpOrg.Y); }

    void begin(int rop2)
    {
        painter->setCompositionMode(rop2Mode(rop2));
        painter->setRenderHint(QPainter::Antialiasing, false);
    }

    // Fills whatever draw() paints with the given brush (hatches get the background colour first
    // in opaque mode).
    template <class F> void fillWith(const TLogBrush& b, F draw)
    {
        if (b.Style == BS_NULL || s.rop2 == R2_NOP) return;
        begin(s.rop2);
        painter->setPen(Qt::NoPen);
        setBrushOrigin();
        painter->setBrush(makeBrush(b, s.bkMode == OPAQUE));
        draw();
    }
    template <class F> void fill(F draw) { fillWith(s.brush, draw); }

    // Strokes with the current pen (dashes get the background colour first in opaque mode).
    template <class F> void stroke(F draw)
    {
        if (!penVisible()) return;
        begin(s.rop2);
        painter->setBrush(Qt::NoBrush);
        if (penDashed() && s.bkMode == OPAQUE && (s.pen.Style & PS_STYLE_MASK) != PS_ALTERNATE) {
            painter->setPen(makePen(true));
            draw();
        }
        painter->setPen(makePen());
        draw();
    }

    // Curved shapes drawn by the painter with a one-pixel or inside-frame pen are held to their
    // box (the painter's rounding can spill a pixel, and tiny boxes leave no room for the pen).
    struct BoxClip {
        BoxClip(Impl& impl, const QRect& box, bool active) : painter(active ? impl.painter : nullptr)
        {
            if (!painter) return;
            painter->save();
            painter->setClipRect(box, Qt::IntersectClip);
        }
        ~BoxClip()
        {
            if (painter) painter->restore();
        }
        BoxClip(const BoxClip&) = delete;
        BoxClip& operator=(const BoxClip&) = delete;
        QPainter* painter;
    };
    bool penInsideBox() const { return penWidth() == 1 || (s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME; }

    // ---------- one-pixel solid lines ----------
    std::vector<QRect> runs;
    void addLine(int x0, int y0, int x1, int y1)  // end pixel excluded
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
    void flushRuns(QColor color)
    {
        if (runs.empty()) return;
        begin(s.rop2);
        painter->setPen(Qt::NoPen);
        painter->setBrush(color);
        painter->drawRects(runs.data(), static_cast<int>(runs.size()));
        runs.clear();
    }

    // Draws a polyline (closed when asked) with the current pen, end pixel of every segment
    // excluded.
    void polyline(const QPoint* pts, int n, bool closed)
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
        stroke([&] {
            if (closed) painter->drawPolygon(pts, n);
            else painter->drawPolyline(pts, n);
        });
    }

    // ---------- text ----------
    const QFont& font()
    {
        if (!fontValid) {
            qfont = ToQFont(s.font);
            if (s.charExtra) qfont.setLetterSpacing(QFont::AbsoluteSpacing, s.charExtra);
            fontValid = true;
        }
        return qfont;
    }

    // ---------- pixel access ----------
    // The image under the surface and where the DC's device (0,0) lies in it; null when the
    // surface cannot be read (a non-raster paint device).
    QImage* backing(QPoint& offset) const
    {
        if (image) {
            if (image->prepare && !painter->isActive()) image->prepare();
            offset = QPoint(0, 0);
            return &image->image;
        }
        QPaintEngine* engine = painter->paintEngine();
        if (!engine) return nullptr;
        QPaintDevice* dev = engine->paintDevice();
        if (!dev || dev->devType() != QInternal::Image) return nullptr;
        offset = painter->deviceTransform().map(QPoint(0, 0)) -
                 (QTransform::fromTranslate(s.vpOrg.X, s.vpOrg.Y)).map(QPoint(0, 0));
        return static_cast<QImage*>(dev);
    }
    // Device rectangle of the surface as a 32-bit copy (white where unreadable).
    QImage readDevice(const QRect& r) const
    {
        QPoint off;
        const QImage* img = backing(off);
        QImage out(r.size(), QImage::Format_RGB32);
        out.fill(Qt::white);
        if (img) {
            QRect src = r.translated(off).intersected(img->rect());
            if (!src.isEmpty()) {
                QPainter p(&out);
                p.setCompositionMode(QPainter::CompositionMode_Source);
                p.drawImage(src.topLeft() - r.topLeft() - off, *img, src);
            }
        }
        return out;
    }
    // Writes a 32-bit image at a device position through the painter (clip applies).
    void writeDevice(const QPoint& at, const QImage& img, QPainter::CompositionMode mode = QPainter::CompositionMode_Source)
    {
        painter->save();
        painter->setWorldTransform(base);
        if (s.hasClip) painter->setClipRegion(s.clip);
        painter->setCompositionMode(mode);
        painter->drawImage(at, img);
        painter->restore();
    }
    QImage patternImage(const QRect& devRect) const
    {
        QImage p(devRect.size(), QImage::Format_RGB32);
        p.fill(rgbColor(s.bkColor));
        if (s.brush.Style == BS_NULL) return p;
        QPainter q(&p);
        q.setBrushOrigin(s.brushOrg.X - devRect.left(), s.brushOrg.Y - devRect.top());
        q.fillRect(p.rect(), makeBrush(s.brush, true));
        return p;
    }
    // dst (device) = rop(P, S, D); S is given in dst's size (or null).
    void ropBlt(const QRect& dstDev, const QImage* src, TRop rop)
    {
        QRect d = dstDev.intersected(QRect(QPoint(0, 0), sz()));
        if (d.isEmpty()) return;
        unsigned code = (rop >> 16) & 0xFF;
        QImage S;
        if (src && ropUsesSource(code)) S = src->copy(d.translated(-dstDev.topLeft())).convertToFormat(QImage::Format_RGB32);
        QImage P = ropUsesPattern(code) ? patternImage(d) : QImage();
        QImage D = ropUsesDest(code) ? readDevice(d) : QImage(d.size(), QImage::Format_RGB32);
        for (int y = 0; y < d.height(); ++y) {
            auto* dl = reinterpret_cast<std::uint32_t*>(D.scanLine(y));
            const auto* sl = S.isNull() ? nullptr : reinterpret_cast<const std::uint32_t*>(S.constScanLine(y));
            const auto* pl = P.isNull() ? nullptr : reinterpret_cast<const std::uint32_t*>(P.constScanLine(y));
            for (int x = 0; x < d.width(); ++x)
                dl[x] = ropEval(code, pl ? pl[x] : 0, sl ? sl[x] : 0, dl[x]) | 0xFF000000u;
        }
        writeDevice(d.topLeft(), D);
    }
    // Source pixels of a DC (device rectangle) as a 32-bit image.
    QImage sourceImage(const QRect& r) const { return readDevice(r); }

    // ---------- paths ----------
    bool recording() const { return inPath; }
    void pathLine(int x0, int y0, int x1, int y1)
    {
        QPointF a(x0 + s.vpOrg.X, y0 + s.vpOrg.Y);
        if (path.elementCount() == 0 || path.currentPosition() != a) path.moveTo(a);
        path.lineTo(x1 + s.vpOrg.X, y1 + s.vpOrg.Y);
    }
};

// ===================================================================================

TDeviceContext::TDeviceContext(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TDeviceContext::~TDeviceContext()
{
    // A bitmap ends its context's painter before the context goes (suspend); ending it again warns.
    if (impl_->ownPainter) impl_->suspend();
    else if (impl_->painter) {
        impl_->painter->setWorldTransform(impl_->base);
        impl_->painter->setClipping(false);
        impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

std::unique_ptr<TDeviceContext> CreatePainterDC(QPainter& painter, QSize size)
{
    auto impl = std::make_unique<TDeviceContext::Impl>();
    impl->painter = &painter;
    impl->size = size;
    impl->base = painter.worldTransform();
    auto dc = std::make_unique<TDeviceContext>(std::move(impl));
    dc->impl().applyAll();
    return dc;
}

std::unique_ptr<TDeviceContext> CreateImageDC(std::shared_ptr<TPixelImage> image)
{
    EnsureGuiApplication();
    auto impl = std::make_unique<TDeviceContext::Impl>();
    impl->image = std::move(image);
    impl->size = impl->image->image.size();
    impl->ownPainter = std::make_unique<QPainter>();
    if (!impl->image->image.isNull()) {
        impl->ownPainter->begin(&impl->image->image);
        ++impl->openings;
    }
    impl->painter = impl->ownPainter.get();
    auto dc = std::make_unique<TDeviceContext>(std::move(impl));
    if (dc->impl().painter->isActive()) dc->impl().applyAll();
    return dc;
}

DCPainterScope::DCPainterScope(TDeviceContext& dc) : dc_(dc.impl())
{
    if (!dc_.ensure()) return;
    painter_ = dc_.painter;
    opening_ = dc_.openings;
    painter_->save();
    ++dc_.scopeSaves;
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

DCPainterScope::~DCPainterScope()
{
    if (!painter_ || !painter_->isActive() || dc_.openings != opening_) return;
    painter_->restore();
    --dc_.scopeSaves;
}

#define DC_ACTIVE(ret) \
    if (!impl_->ensure()) return ret

void SuspendDC(TDeviceContext& dc) { dc.impl().suspend(); }

int TDeviceContext::Width() const { return impl_->sz().width(); }
int TDeviceContext::Height() const { return impl_->sz().height(); }

// ---------- selected objects and modes ----------
TLogPen TDeviceContext::SelectPen(const TLogPen& pen) { return std::exchange(impl_->s.pen, pen); }
TLogBrush TDeviceContext::SelectBrush(const TLogBrush& brush) { return std::exchange(impl_->s.brush, brush); }
TLogFont TDeviceContext::SelectFont(const TLogFont& font)
{
    if (!(font == impl_->s.font)) impl_->fontValid = false;
    return std::exchange(impl_->s.font, font);
}
const TLogPen& TDeviceContext::GetPen() const { return impl_->s.pen; }
const TLogBrush& TDeviceContext::GetBrush() const { return impl_->s.brush; }
const TLogFont& TDeviceContext::GetFont() const { return impl_->s.font; }
TColorRef TDeviceContext::SetTextColor(TColor c) { return std::exchange(impl_->s.textColor, ColorToRGB(c)); }
TColorRef TDeviceContext::GetTextColor() const { return impl_->s.textColor; }
TColorRef TDeviceContext::SetBkColor(TColor c) { return std::exchange(impl_->s.bkColor, ColorToRGB(c)); }
TColorRef TDeviceContext::GetBkColor() const { return impl_->s.bkColor; }
int TDeviceContext::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return std::exchange(impl_->s.bkMode, mode);
}
int TDeviceContext::GetBkMode() const { return impl_->s.bkMode; }
int TDeviceContext::SetROP2(int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE) return 0;
    return std::exchange(impl_->s.rop2, mode);
}
int TDeviceContext::GetROP2() const { return impl_->s.rop2; }
int TDeviceContext::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return std::exchange(impl_->s.fillMode, mode);
}
int TDeviceContext::GetPolyFillMode() const { return impl_->s.fillMode; }
int TDeviceContext::SetArcDirection(int dir)
{
    if (dir != AD_COUNTERCLOCKWISE && dir != AD_CLOCKWISE) return 0;
    return std::exchange(impl_->s.arcDir, dir);
}
int TDeviceContext::GetArcDirection() const { return impl_->s.arcDir; }
unsigned TDeviceContext::SetTextAlign(unsigned align) { return std::exchange(impl_->s.textAlign, align); }
unsigned TDeviceContext::GetTextAlign() const { return impl_->s.textAlign; }
int TDeviceContext::SetTextCharacterExtra(int extra)
{
    impl_->fontValid = false;
    return std::exchange(impl_->s.charExtra, extra);
}
TColorRef TDeviceContext::SetDCBrushColor(TColor c)
{
    TColorRef old = ColorToRGB(impl_->s.brush.Color);
    impl_->s.brush = TLogBrush{BS_SOLID, c, 0, nullptr};
    return old;
}

int TDeviceContext::GetDeviceCaps(int index) const
{
    switch (index) {
    case HORZRES: return impl_->sz().width();
    case VERTRES: return impl_->sz().height();
    case BITSPIXEL: {
        QPoint off;
        const QImage* img = impl_->backing(off);
        return img && img->depth() < 32 ? img->depth() : 32;
    }
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    default: return 0;
    }
}

TPoint TDeviceContext::SetBrushOrg(TPoint org) { return std::exchange(impl_->s.brushOrg, org); }
TPoint TDeviceContext::SetViewportOrg(TPoint org)
{
    TPoint old = std::exchange(impl_->s.vpOrg, org);
    DC_ACTIVE(old);
    impl_->applyTransform();
    impl_->applyClip();
    return old;
}
TPoint TDeviceContext::OffsetViewportOrg(int dx, int dy)
{
    TPoint o = impl_->s.vpOrg;
    return SetViewportOrg({o.X + dx, o.Y + dy});
}
TPoint TDeviceContext::GetViewportOrg() const { return impl_->s.vpOrg; }
TPoint TDeviceContext::LPtoDP(TPoint p) const { return {p.X + impl_->s.vpOrg.X, p.Y + impl_->s.vpOrg.Y}; }
TPoint TDeviceContext::DPtoLP(TPoint p) const { return {p.X - impl_->s.vpOrg.X, p.Y - impl_->s.vpOrg.Y}; }

// ---------- state stack ----------
int TDeviceContext::SaveDC()
{
    impl_->saved.push_back(impl_->s);
    return static_cast<int>(impl_->saved.size());
}

bool TDeviceContext::RestoreDC(int level)
{
    int n = static_cast<int>(impl_->saved.size());
    int target = level < 0 ? n + level + 1 : level;
    if (target < 1 || target > n) return false;
    impl_->s = impl_->saved[static_cast<size_t>(target - 1)];
    impl_->saved.resize(static_cast<size_t>(target - 1));
    if (impl_->painter->isActive()) impl_->applyAll();
    impl_->fontValid = false;
    return true;
}

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
    TRegion rg = TRegion::FromRect({l, t, r, b});
    rg.Offset(impl_->s.vpOrg.X, impl_->s.vpOrg.Y);
    return ExtSelectClipRgn(&rg, RGN_AND);
}

int TDeviceContext::ExcludeClipRect(int l, int t, int r, int b)
{
    TRegion rg = TRegion::FromRect({l, t, r, b});
    rg.Offset(impl_->s.vpOrg.X, impl_->s.vpOrg.Y);
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
    QRect b = c.boundingRect().translated(-impl_->s.vpOrg.X, -impl_->s.vpOrg.Y);
    box = {b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    return regionKind(c);
}

bool TDeviceContext::GetClipRgn(TRegion& rgn) const
{
    if (!impl_->s.hasClip) return false;
    rgn.impl().rgn = impl_->s.clip;
    return true;
}

bool TDeviceContext::PtVisible(int x, int y) const
{
    return impl_->effectiveClip().contains(impl_->toDevice(x, y));
}

bool TDeviceContext::RectVisible(const TRect& r) const
{
    QRect q(r.Left + impl_->s.vpOrg.X, r.Top + impl_->s.vpOrg.Y, r.Width(), r.Height());
    return !q.isEmpty() && impl_->effectiveClip().intersects(q);
}

// ---------- lines ----------
TPoint TDeviceContext::MoveTo(int x, int y)
{
    if (impl_->inPath) impl_->path.moveTo(x + impl_->s.vpOrg.X, y + impl_->s.vpOrg.Y);
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
    QPoint pts[2] = {{p.X, p.Y}, {x, y}};
    impl_->polyline(pts, 2, false);
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
        impl_->path.moveTo(pts[0].X + impl_->s.vpOrg.X, pts[0].Y + impl_->s.vpOrg.Y);
        for (int i = 1; i < count; ++i) impl_->path.lineTo(pts[i].X + impl_->s.vpOrg.X, pts[i].Y + impl_->s.vpOrg.Y);
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
        impl_->path.addPath(p.translated(impl_->s.vpOrg.X, impl_->s.vpOrg.Y));
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
        for (int i = 0; i < count; ++i) poly << QPointF(pts[i].X + impl_->s.vpOrg.X, pts[i].Y + impl_->s.vpOrg.Y);
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
        impl_->path.addPath(p.translated(impl_->s.vpOrg.X, impl_->s.vpOrg.Y));
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
        impl_->path.addRect(l + impl_->s.vpOrg.X, t + impl_->s.vpOrg.Y, r - l, b - t);
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
    if (fillRect.width() > 0 && fillRect.height() > 0) I.fill([&] { I.painter->drawRect(fillRect); });
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
    I.begin(I.s.rop2);
    I.painter->setPen(Qt::NoPen);
    I.painter->setBrush(I.penColor());
    for (const QRect& q : ring) I.painter->drawRect(q);
}

void TDeviceContext::RoundRect(int l, int t, int r, int b, int cw, int ch)
{
    normalize(l, t, r, b);
    if (impl_->inPath) {
        impl_->path.addRoundedRect(l + impl_->s.vpOrg.X, t + impl_->s.vpOrg.Y, r - l, b - t, cw / 2.0, ch / 2.0);
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    if (r - l <= 0 || b - t <= 0) return;
    TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox());
    I.fill([&] { I.painter->drawRoundedRect(QRect(l, t, r - l, b - t), cw / 2.0, ch / 2.0); });
    int w = I.penWidth();
    double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1 ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0) : 0;
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
        impl_->path.addEllipse(l + impl_->s.vpOrg.X, t + impl_->s.vpOrg.Y, r - l, b - t);
        return;
    }
    DC_ACTIVE();
    auto& I = *impl_;
    if (r - l <= 0 || b - t <= 0) return;
    int w = I.penWidth();
    if (w > 1 || I.penDashed()) {
        TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox());
        I.fill([&] { I.painter->drawEllipse(QRect(l, t, r - l, b - t)); });
        double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1 ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0) : 0;
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
        if (y == t || y == b - 1) ia = ie;
        else {
            ia = std::max({ia, rows[static_cast<size_t>(y - t - 1)].first, rows[static_cast<size_t>(y - t + 1)].first});
            ie = std::min({ie, rows[static_cast<size_t>(y - t - 1)].second, rows[static_cast<size_t>(y - t + 1)].second});
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
    if (pen) I.flushRuns(I.penColor());
    else I.runs.clear();
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

static void drawArcKind(TDeviceContext::Impl& I, ArcKind kind, int l, int t, int r, int b, int x1, int y1, int x2, int y2)
{
    normalize(l, t, r, b);
    double start, span;
    arcAngles(l, t, r, b, x1, y1, x2, y2, I.s.arcDir, start, span);
    int a = static_cast<int>(std::lround(start * 16)), sp = static_cast<int>(std::lround(span * 16));
    if (I.inPath) {
        QPainterPath p;
        QRectF box(l + I.s.vpOrg.X, t + I.s.vpOrg.Y, r - l, b - t);
        if (kind == ArcKind::Pie) p.moveTo(box.center());
        else p.arcMoveTo(box, start);
        p.arcTo(box, start, span);
        if (kind != ArcKind::Arc) p.closeSubpath();
        I.path.addPath(p);
        return;
    }
    if (!I.ensure() || r - l <= 0 || b - t <= 0) return;
    TDeviceContext::Impl::BoxClip clip(I, QRect(l, t, r - l, b - t), I.penInsideBox());
    if (kind != ArcKind::Arc) {
        QRect box(l, t, r - l, b - t);
        I.fill([&] {
            if (kind == ArcKind::Pie) I.painter->drawPie(box, a, sp);
            else I.painter->drawChord(box, a, sp);
        });
    }
    int w = I.penWidth();
    double in = (I.s.pen.Style & PS_STYLE_MASK) == PS_INSIDEFRAME && w > 1 ? std::min(w / 2.0, (std::min(r - l, b - t) - 1) / 2.0) : 0;
    QRectF outline = w == 1 ? QRectF(l, t, r - l - 1, b - t - 1) : QRectF(l + in, t + in, r - l - 1 - 2 * in, b - t - 1 - 2 * in);
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
        return TPoint{static_cast<int>(std::lround(cx + rx * std::cos(rad))), static_cast<int>(std::lround(cy - ry * std::sin(rad)))};
    };
    TPoint a = at(start), e = at(start + span);
    LineTo(a.X, a.Y);
    Arc(l, t, r, b, x1, y1, x2, y2);
    impl_->s.pos = e;
}

void TDeviceContext::AngleArc(int x, int y, int radius, float startAngle, float sweepAngle)
{
    auto at = [&](double deg) {
        double rad = deg * std::numbers::pi / 180;
        return TPoint{static_cast<int>(std::lround(x + radius * std::cos(rad))), static_cast<int>(std::lround(y - radius * std::sin(rad)))};
    };
    TPoint a = at(startAngle), e = at(startAngle + sweepAngle);
    LineTo(a.X, a.Y);
    int old = SetArcDirection(sweepAngle >= 0 ? AD_COUNTERCLOCKWISE : AD_CLOCKWISE);
    if (std::fabs(sweepAngle) >= 360) Ellipse(x - radius, y - radius, x + radius, y + radius);
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
    I.painter->setBrushOrigin(-I.s.vpOrg.X, -I.s.vpOrg.Y);
    I.painter->setBrush(QBrush(Qt::white, Qt::Dense4Pattern));
    for (const QRect& q : ring) I.painter->drawRect(q);
    I.painter->restore();
}

void TDeviceContext::FillRgn(const TRegion& rgn, const TLogBrush& brush)
{
    DC_ACTIVE();
    auto& I = *impl_;
    QRegion r = rgn.impl().rgn.translated(-I.s.vpOrg.X, -I.s.vpOrg.Y);
    I.fillWith(brush, [&] {
        for (const QRect& q : r) I.painter->drawRect(q);
    });
}

void TDeviceContext::FrameRgn(const TRegion& rgn, const TLogBrush& brush, int w, int h)
{
    QRegion r = rgn.impl().rgn;
    QRegion inner = r.intersected(r.translated(w, 0)).intersected(r.translated(-w, 0))
                        .intersected(r.translated(0, h)).intersected(r.translated(0, -h));
    TRegion frame;
    frame.impl().rgn = r.subtracted(inner);
    FillRgn(frame, brush);
}

void TDeviceContext::PaintRgn(const TRegion& rgn)
{
    DC_ACTIVE();
    auto& I = *impl_;
    QRegion r = rgn.impl().rgn.translated(-I.s.vpOrg.X, -I.s.vpOrg.Y);
    I.fill([&] {
        for (const QRect& q : r) I.painter->drawRect(q);
    });
}

void TDeviceContext::InvertRgn(const TRegion& rgn)
{
    for (const TRect& r : rgn.Rects())
        InvertRect({r.Left - impl_->s.vpOrg.X, r.Top - impl_->s.vpOrg.Y, r.Right - impl_->s.vpOrg.X, r.Bottom - impl_->s.vpOrg.Y});
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
        if (outer == BDR_RAISEDOUTER) ring(soft ? clBtnHighlight : cl3DLight, cl3DDkShadow);
        else if (outer == BDR_SUNKENOUTER) ring(soft ? cl3DDkShadow : clBtnShadow, clBtnHighlight);
        if (inner == BDR_RAISEDINNER) ring(soft ? cl3DLight : clBtnHighlight, clBtnShadow);
        else if (inner == BDR_SUNKENINNER) ring(soft ? clBtnShadow : cl3DDkShadow, cl3DLight);
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

// ---------- pixels and blocks ----------
TColorRef TDeviceContext::SetPixel(int x, int y, TColor c)
{
    auto& I = *impl_;
    if (!I.ensure()) return CLR_INVALID;
    QPoint d = I.toDevice(x, y);
    if (!QRect(QPoint(0, 0), I.sz()).contains(d) || !I.effectiveClip().contains(d)) return CLR_INVALID;
    I.painter->setCompositionMode(QPainter::CompositionMode_Source);
    I.painter->fillRect(QRect(x, y, 1, 1), rgbColor(ColorToRGB(c)));
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return ColorToRGB(c);
}

TColorRef TDeviceContext::GetPixel(int x, int y) const
{
    auto& I = *impl_;
    QPoint d = I.toDevice(x, y);
    if (!QRect(QPoint(0, 0), I.sz()).contains(d) || !I.effectiveClip().contains(d)) return CLR_INVALID;
    QPoint off;
    const QImage* img = I.backing(off);
    if (!img || !img->rect().contains(d + off)) return CLR_INVALID;
    QRgb p = img->pixel(d + off);
    return RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)), static_cast<Byte>(qBlue(p)));
}

void TDeviceContext::PatBlt(int x, int y, int w, int h, TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    if (w == 0 || h == 0) return;
    QRect q(x, y, w, h);
    unsigned code = (rop >> 16) & 0xFF;
    bool plainBrush = I.s.brush.Style == BS_SOLID || I.s.brush.Style == BS_PATTERN;
    auto qtFill = [&](QPainter::CompositionMode m, const QBrush& b) {
        I.painter->setCompositionMode(m);
        I.setBrushOrigin();
        I.painter->fillRect(q, b);
        I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    };
    switch (code) {
    case 0x00: qtFill(QPainter::CompositionMode_Source, QBrush(Qt::black)); return;
    case 0xFF: qtFill(QPainter::CompositionMode_Source, QBrush(Qt::white)); return;
    case 0x55: qtFill(QPainter::RasterOp_NotDestination, QBrush(Qt::black)); return;
    case 0xAA: return;
    case 0xF0:
        if (plainBrush) { qtFill(QPainter::CompositionMode_Source, I.makeBrush(I.s.brush)); return; }
        break;
    case 0x5A:
        if (plainBrush) { qtFill(QPainter::RasterOp_SourceXorDestination, I.makeBrush(I.s.brush)); return; }
        break;
    default: break;
    }
    QPoint dev = I.toDevice(x, y);
    I.ropBlt(QRect(dev, QSize(w, h)), nullptr, rop);
}

void TDeviceContext::BitBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, TRop rop)
{
    StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
}

void TDeviceContext::StretchBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh, TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
    unsigned code = (rop >> 16) & 0xFF;
    QImage S;
    if (ropUsesSource(code)) {
        bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
        if (sw < 0) { sx += sw; sw = -sw; }
        if (sh < 0) { sy += sh; sh = -sh; }
        QPoint sd = src.impl().toDevice(sx, sy);
        S = src.impl().sourceImage(QRect(sd, QSize(sw, sh)));
        if (mirrorX || mirrorY) S = S.mirrored(mirrorX, mirrorY);
    }
    if (w < 0) { x += w; w = -w; }
    if (h < 0) { y += h; h = -h; }
    if (!S.isNull() && S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPoint dev = I.toDevice(x, y);
    if (code == 0xCC) {
        I.writeDevice(dev, S);
        return;
    }
    I.ropBlt(QRect(dev, QSize(w, h)), S.isNull() ? nullptr : &S, rop);
}

void TDeviceContext::AlphaBlend(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                                TBlendFunction blend)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    QPoint sd = src.impl().toDevice(sx, sy);
    QImage S;
    QPoint off;
    const QImage* simg = src.impl().backing(off);
    if (blend.AlphaFormat & AC_SRC_ALPHA && simg && simg->depth() == 32) {
        // The stored alpha byte is the source's own: read the pixels as premultiplied colour.
        QRect sr = QRect(sd + off, QSize(sw, sh)).intersected(simg->rect());
        QImage raw(simg->constScanLine(0), simg->width(), simg->height(), simg->bytesPerLine(),
                   QImage::Format_ARGB32_Premultiplied);
        S = QImage(sw, sh, QImage::Format_ARGB32_Premultiplied);
        S.fill(Qt::transparent);
        QPainter p(&S);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(sr.topLeft() - sd - off, raw, sr);
    } else {
        S = src.impl().sourceImage(QRect(sd, QSize(sw, sh)));
    }
    if (S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    I.painter->setOpacity(blend.SourceConstantAlpha / 255.0);
    I.painter->drawImage(QPoint(x, y), S);
    I.painter->restore();
}

static QImage keyed(const QImage& src, TColorRef key)
{
    QImage m = src.convertToFormat(QImage::Format_ARGB32);
    QRgb k = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    for (int y = 0; y < m.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m.scanLine(y));
        for (int x = 0; x < m.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
    }
    return m;
}

void TDeviceContext::TransparentBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                                    TColor transparent)
{
    DC_ACTIVE();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    QImage S = src.impl().sourceImage(QRect(src.impl().toDevice(sx, sy), QSize(sw, sh)));
    if (S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    impl_->painter->drawImage(QPoint(x, y), keyed(S, ColorToRGB(transparent)));
}

void TDeviceContext::DrawImage(const TRect& dst, const TPixelImage& image, const TRect& src, TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (dst.Width() == 0 || dst.Height() == 0 || image.image.isNull()) return;
    QRect sr(src.Left, src.Top, src.Width(), src.Height());
    unsigned code = (rop >> 16) & 0xFF;
    if (code == 0xCC && dst.Width() > 0 && dst.Height() > 0 && sr.width() > 0 && sr.height() > 0) {
        I.painter->setCompositionMode(QPainter::CompositionMode_Source);
        if (I.painter->device() == &image.image) {
            // A bitmap drawn onto itself: read from a copy, the areas may overlap.
            QImage part = image.image.copy(sr).scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            I.painter->drawImage(QPoint(dst.Left, dst.Top), part);
        } else if (sr.size() == QSize(dst.Width(), dst.Height())) I.painter->drawImage(QPoint(dst.Left, dst.Top), image.image, sr);
        else {
            QImage part = image.image.copy(sr).scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            I.painter->drawImage(QPoint(dst.Left, dst.Top), part);
        }
        I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    QImage S = image.image.copy(sr).convertToFormat(QImage::Format_RGB32);
    int w = dst.Width(), h = dst.Height();
    if (w < 0 || h < 0) S = S.mirrored(w < 0, h < 0);
    w = std::abs(w);
    h = std::abs(h);
    if (S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QPoint dev = I.toDevice(std::min(dst.Left, dst.Right), std::min(dst.Top, dst.Bottom));
    I.ropBlt(QRect(dev, QSize(w, h)), &S, rop);
}

void TDeviceContext::DrawImageTransparent(const TRect& dst, const TPixelImage& image, const TRect& src, TColor transparent)
{
    DC_ACTIVE();
    if (dst.Width() <= 0 || dst.Height() <= 0 || image.image.isNull()) return;
    QImage S = image.image.copy(QRect(src.Left, src.Top, src.Width(), src.Height()));
    if (S.size() != QSize(dst.Width(), dst.Height()))
        S = S.scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    impl_->painter->drawImage(QPoint(dst.Left, dst.Top), keyed(S, ColorToRGB(transparent)));
}

// ---------- text ----------
TSize TDeviceContext::GetTextExtent(const String& text) const
{
    QFontMetrics fm(impl_->font());
    return {fm.horizontalAdvance(QString::fromStdString(text)), fm.height()};
}

TTextMetric TDeviceContext::GetTextMetrics() const
{
    const QFont& f = impl_->font();
    QFontMetrics fm(f);
    TTextMetric m;
    m.tmAscent = fm.ascent();
    m.tmDescent = fm.descent();
    m.tmHeight = fm.height();
    m.tmInternalLeading = std::max(0, fm.height() - f.pixelSize());
    m.tmExternalLeading = std::max(0, fm.leading());
    m.tmAveCharWidth = fm.averageCharWidth();
    m.tmMaxCharWidth = fm.maxWidth();
    m.tmWeight = impl_->s.font.Weight ? impl_->s.font.Weight : FW_NORMAL;
    m.tmItalic = impl_->s.font.Italic;
    return m;
}

void TDeviceContext::TextOut(int x, int y, const String& text) { ExtTextOut(x, y, 0, nullptr, text); }

void TDeviceContext::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text)
{
    DC_ACTIVE();
    auto& I = *impl_;
    const QFont& f = I.font();
    QString qs = QString::fromStdString(text);
    QFontMetrics fm(f);
    int w = fm.horizontalAdvance(qs), h = fm.height();
    unsigned align = I.s.textAlign;
    if (align & TA_UPDATECP) {
        x = I.s.pos.X;
        y = I.s.pos.Y;
    }
    int dx = 0;
    switch (align & TA_CENTER) {
    case TA_CENTER: dx = -w / 2; break;
    case TA_RIGHT: dx = -w; break;
    default: break;
    }
    int top = 0;
    switch (align & TA_BASELINE) {
    case TA_BASELINE: top = -fm.ascent(); break;
    case TA_BOTTOM: top = -h; break;
    default: break;
    }
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) == TA_LEFT) I.s.pos.X += w;
        else if ((align & TA_CENTER) == TA_RIGHT) I.s.pos.X -= w;
    }
    if (I.inPath) {
        QPainterPath p;
        p.addText(QPointF(x + dx, y + top + fm.ascent()), f, qs);
        I.path.addPath(p.translated(I.s.vpOrg.X, I.s.vpOrg.Y));
        return;
    }
    I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (rect && (options & ETO_OPAQUE))
        I.painter->fillRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), rgbColor(I.s.bkColor));
    if (rect && (options & ETO_CLIPPED))
        I.painter->setClipRect(QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), Qt::IntersectClip);
    I.painter->translate(x, y);
    if (I.s.font.Escapement) I.painter->rotate(-I.s.font.Escapement / 10.0);
    if (I.s.bkMode == OPAQUE && !text.empty()) I.painter->fillRect(QRect(dx, top, w, h), rgbColor(I.s.bkColor));
    I.painter->setFont(f);
    I.painter->setPen(rgbColor(I.s.textColor));
    I.painter->setRenderHint(QPainter::TextAntialiasing, I.s.font.Quality != NONANTIALIASED_QUALITY);
    I.painter->drawText(QPoint(dx, top + fm.ascent()), qs);
    I.painter->restore();
}

int TDeviceContext::DrawText(const String& text, TRect& r, unsigned format)
{
    auto& I = *impl_;
    const QFont& f = I.font();
    QFontMetrics fm(f);
    QString qs = QString::fromStdString(text);
    int flags = 0;
    if (format & DT_SINGLELINE) {
        flags |= Qt::TextSingleLine;
        if (format & DT_VCENTER) flags |= Qt::AlignVCenter;
        else if (format & DT_BOTTOM) flags |= Qt::AlignBottom;
        else flags |= Qt::AlignTop;
    } else {
        flags |= Qt::AlignTop;
    }
    if (format & DT_CENTER) flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT) flags |= Qt::AlignRight;
    else flags |= Qt::AlignLeft;
    if (format & DT_WORDBREAK) flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX)) flags |= (format & DT_HIDEPREFIX) ? Qt::TextHideMnemonic : Qt::TextShowMnemonic;
    QRect box(r.Left, r.Top, r.Width(), r.Height());
    if ((format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) && (format & DT_SINGLELINE)) {
        Qt::TextElideMode mode = (format & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
        qs = fm.elidedText(qs, mode, std::max(0, box.width()), flags & Qt::TextShowMnemonic ? Qt::TextShowMnemonic : 0);
    }
    // Measure top-left aligned in the rectangle's width with unlimited height.
    int measureFlags = flags & ~(Qt::AlignVCenter | Qt::AlignBottom | Qt::AlignHCenter | Qt::AlignRight);
    QRect layout(box.left(), box.top(), std::max(box.width(), 0), 1 << 20);
    if (!(format & DT_WORDBREAK)) layout.setWidth(1 << 20);
    QRect bound = fm.boundingRect(layout, measureFlags, qs);
    if (format & DT_SINGLELINE) bound.setHeight(fm.height());
    if (text.empty()) bound.setSize(QSize(0, 0));
    if (format & DT_CALCRECT) {
        r.Right = r.Left + bound.width();
        r.Bottom = r.Top + bound.height();
        return bound.height();
    }
    if (!I.ensure()) return 0;
    I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (!(format & DT_NOCLIP)) I.painter->setClipRect(box, Qt::IntersectClip);
    else flags |= Qt::TextDontClip;
    I.painter->setFont(f);
    I.painter->setPen(rgbColor(I.s.textColor));
    if (I.s.bkMode == OPAQUE && !text.empty()) {
        QRect placed = QFontMetrics(f).boundingRect(box, flags, qs);
        if (format & DT_SINGLELINE) placed.setHeight(fm.height());
        I.painter->fillRect(placed, rgbColor(I.s.bkColor));
    }
    I.painter->setRenderHint(QPainter::TextAntialiasing, I.s.font.Quality != NONANTIALIASED_QUALITY);
    I.painter->drawText(box, flags, qs);
    I.painter->restore();
    if (format & DT_SINGLELINE) return fm.height();
    return bound.height();
}

// ---------- paths ----------
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
