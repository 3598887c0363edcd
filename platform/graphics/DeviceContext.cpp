// The GDI-style device context on QPainter: the context's life, its painter, its selected objects
// and modes, and the state stack. Drawing lives beside it: lines and shapes
// (DeviceContextShapes.cpp), text (DeviceContextText.cpp), pixels and block transfers
// (DeviceContextBlits.cpp), clipping, regions and paths (DeviceContextClip.cpp).
#include "platform/graphics/DeviceContextImpl_p.h"
#include "platform/graphics/MetafileRecorder_p.h"

namespace {

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

}  // namespace

bool TDeviceContext::Impl::ensure()
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

void TDeviceContext::Impl::suspend()
{
    if (!ownPainter || !ownPainter->isActive()) return;
    for (; scopeSaves > 0; --scopeSaves) ownPainter->restore();
    ownPainter->end();
}

QTransform TDeviceContext::Impl::mapping() const
{
    QTransform m = QTransform::fromTranslate(-s.winOrg.X, -s.winOrg.Y);
    if (scaled())
        m *= QTransform::fromScale(static_cast<qreal>(s.vpExt.cx) / s.winExt.cx,
                                   static_cast<qreal>(s.vpExt.cy) / s.winExt.cy);
    return m * QTransform::fromTranslate(s.vpOrg.X, s.vpOrg.Y);
}

QPoint TDeviceContext::Impl::toDevice(int x, int y) const
{
    if (!scaled()) return QPoint(x - s.winOrg.X + s.vpOrg.X, y - s.winOrg.Y + s.vpOrg.Y);
    auto axis = [](int v, int wo, int we, int ve, int vo) {
        return static_cast<int>(std::lround(static_cast<double>(v - wo) * ve / we)) + vo;
    };
    return QPoint(axis(x, s.winOrg.X, s.winExt.cx, s.vpExt.cx, s.vpOrg.X),
                  axis(y, s.winOrg.Y, s.winExt.cy, s.vpExt.cy, s.vpOrg.Y));
}

QRect TDeviceContext::Impl::toDeviceRect(int x, int y, int w, int h) const
{
    const QPoint a = toDevice(x, y), b = toDevice(x + w, y + h);
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()) - 1, std::max(a.y(), b.y()) - 1));
}

QPoint TDeviceContext::Impl::toLogical(QPoint d) const
{
    if (!scaled()) return QPoint(d.x() - s.vpOrg.X + s.winOrg.X, d.y() - s.vpOrg.Y + s.winOrg.Y);
    auto axis = [](int v, int vo, int ve, int we, int wo) {
        return static_cast<int>(std::lround(static_cast<double>(v - vo) * we / ve)) + wo;
    };
    return QPoint(axis(d.x(), s.vpOrg.X, s.vpExt.cx, s.winExt.cx, s.winOrg.X),
                  axis(d.y(), s.vpOrg.Y, s.vpExt.cy, s.winExt.cy, s.winOrg.Y));
}

void TDeviceContext::Impl::applyTransform() { painter->setWorldTransform(mapping() * base); }

void TDeviceContext::Impl::applyClip()
{
    if (!s.hasClip) {
        painter->setClipping(false);
        return;
    }
    // The region is in device units: set it under the base transform, then map again. A region
    // other than a rectangle set while clipping is off would be ignored.
    painter->setWorldTransform(base);
    painter->setClipping(true);
    painter->setClipRegion(s.clip);
    applyTransform();
}

void TDeviceContext::Impl::applyAll()
{
    applyTransform();
    applyClip();
    fontValid = false;
}

QPen TDeviceContext::Impl::makePen(bool forBackground) const
{
    int st = s.pen.Style & PS_STYLE_MASK;
    QPen pen(forBackground ? rgbColor(s.bkColor) : penColor());
    int w = penWidth();
    // Under a scaled mapping a pen of width 1 is one logical unit wide, as GDI has it; width 0
    // stays one device pixel.
    const bool cosmetic = w == 1 && !(scaled() && s.pen.Width == 1);
    pen.setWidth(cosmetic ? 0 : w);
    pen.setCosmetic(cosmetic);
    if (cosmetic) {
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
        pen.setDashOffset(dashOffset);
    }
    return pen;
}

QBrush TDeviceContext::Impl::makeBrush(const TLogBrush& b, bool opaque) const
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

void TDeviceContext::Impl::begin(int rop2)
{
    painter->setCompositionMode(Rop2CompositionMode(rop2));
    painter->setRenderHint(QPainter::Antialiasing, false);
}

TDeviceContext::TDeviceContext(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TDeviceContext::~TDeviceContext()
{
    // A bitmap ends its context's painter before the context goes (suspend); ending it again warns.
    if (impl_->ownPainter)
        impl_->suspend();
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
    impl->metafile = IsMetafileEngine(painter.paintEngine());
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

std::unique_ptr<TDeviceContext> CreateInfoDC(QSize size, int dpiX, int dpiY)
{
    auto impl = std::make_unique<TDeviceContext::Impl>();
    impl->ownPainter = std::make_unique<QPainter>();  // never opened: no surface to draw on
    impl->painter = impl->ownPainter.get();
    impl->size = size;
    auto dc = std::make_unique<TDeviceContext>(std::move(impl));
    SetDeviceResolution(*dc, dpiX, dpiY);
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

void SuspendDC(TDeviceContext& dc) { dc.impl().suspend(); }

void SetDeviceResolution(TDeviceContext& dc, int dpiX, int dpiY)
{
    dc.impl().dpiX = std::max(1, dpiX);
    dc.impl().dpiY = std::max(1, dpiY);
}

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
    case LOGPIXELSX: return impl_->dpiX;
    case LOGPIXELSY: return impl_->dpiY;
    case HORZSIZE: return static_cast<int>(std::lround(impl_->sz().width() * 25.4 / impl_->dpiX));
    case VERTSIZE: return static_cast<int>(std::lround(impl_->sz().height() * 25.4 / impl_->dpiY));
    case TECHNOLOGY: return impl_->metafile ? DT_METAFILE : DT_RASDISPLAY;
    default: return 0;
    }
}

TPoint TDeviceContext::SetBrushOrg(TPoint org) { return std::exchange(impl_->s.brushOrg, org); }

// ---------- mapping ----------
int TDeviceContext::SetMapMode(int mode)
{
    if (mode != MM_TEXT && mode != MM_ANISOTROPIC) return 0;
    const int old = std::exchange(impl_->s.mapMode, mode);
    if (mode == MM_TEXT) impl_->s.winExt = impl_->s.vpExt = TSize{1, 1};
    impl_->mappingChanged();
    return old;
}
int TDeviceContext::GetMapMode() const { return impl_->s.mapMode; }

TPoint TDeviceContext::SetViewportOrg(TPoint org)
{
    TPoint old = std::exchange(impl_->s.vpOrg, org);
    impl_->mappingChanged();
    return old;
}
TPoint TDeviceContext::OffsetViewportOrg(int dx, int dy)
{
    TPoint o = impl_->s.vpOrg;
    return SetViewportOrg({o.X + dx, o.Y + dy});
}
TPoint TDeviceContext::GetViewportOrg() const { return impl_->s.vpOrg; }

TPoint TDeviceContext::SetWindowOrg(TPoint org)
{
    TPoint old = std::exchange(impl_->s.winOrg, org);
    impl_->mappingChanged();
    return old;
}
TPoint TDeviceContext::GetWindowOrg() const { return impl_->s.winOrg; }

bool TDeviceContext::SetWindowExt(TSize ext, TSize* old)
{
    if (old) *old = impl_->s.winExt;
    if (impl_->s.mapMode != MM_ANISOTROPIC || ext.cx == 0 || ext.cy == 0) return false;
    impl_->s.winExt = ext;
    impl_->mappingChanged();
    return true;
}
TSize TDeviceContext::GetWindowExt() const { return impl_->s.winExt; }

bool TDeviceContext::SetViewportExt(TSize ext, TSize* old)
{
    if (old) *old = impl_->s.vpExt;
    if (impl_->s.mapMode != MM_ANISOTROPIC || ext.cx == 0 || ext.cy == 0) return false;
    impl_->s.vpExt = ext;
    impl_->mappingChanged();
    return true;
}
TSize TDeviceContext::GetViewportExt() const { return impl_->s.vpExt; }

TPoint TDeviceContext::LPtoDP(TPoint p) const
{
    QPoint d = impl_->toDevice(p.X, p.Y);
    return {d.x(), d.y()};
}
TPoint TDeviceContext::DPtoLP(TPoint p) const
{
    QPoint l = impl_->toLogical(QPoint(p.X, p.Y));
    return {l.x(), l.y()};
}

// ---------- state stack ----------
int TDeviceContext::SaveDC()
{
    impl_->saved.push_back(impl_->s);
    impl_->savedPaths.push_back({impl_->inPath, impl_->pathReady, impl_->path});
    return static_cast<int>(impl_->saved.size());
}

bool TDeviceContext::RestoreDC(int level)
{
    int n = static_cast<int>(impl_->saved.size());
    int target = level < 0 ? n + level + 1 : level;
    if (target < 1 || target > n) return false;
    impl_->s = impl_->saved[static_cast<size_t>(target - 1)];
    impl_->saved.resize(static_cast<size_t>(target - 1));
    // The path comes back as it was saved, so a path used up in between (as a clip, say) is
    // there again, and one recorded in between is gone.
    auto& path = impl_->savedPaths[static_cast<size_t>(target - 1)];
    impl_->inPath = path.inPath;
    impl_->pathReady = path.pathReady;
    impl_->path = std::move(path.path);
    impl_->savedPaths.resize(static_cast<size_t>(target - 1));
    if (impl_->painter->isActive()) impl_->applyAll();
    impl_->fontValid = false;
    return true;
}

QPainter::CompositionMode Rop2CompositionMode(int rop2)
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
