// Pens, brushes, fonts and pixels of metafile records, from and to the painter's objects.
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/MetafileGdi_p.h"

namespace {

// The device context's six hatches: row bits of the 8 x 8 pattern, leftmost pixel in the high bit.
unsigned hatchRow(int hatch, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL: return y == 0 ? 0xFF : 0;
    case HS_VERTICAL: return 0x80;
    case HS_FDIAGONAL: return 0x80u >> y;
    case HS_BDIAGONAL: return 0x01u << y;
    case HS_CROSS: return y == 0 ? 0xFF : 0x80;
    default: return (0x80u >> y) | (0x01u << y);
    }
}

// The hatch an 8 x 8 two-colour texture draws, with its ink and paper.
std::optional<TMfBrush> hatchOf(const QImage& texture)
{
    if (texture.size() != QSize(8, 8)) return std::nullopt;
    const QImage img = texture.convertToFormat(QImage::Format_ARGB32);
    for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
        std::optional<QRgb> ink, paper;
        bool match = true;
        for (int y = 0; y < 8 && match; ++y)
            for (int x = 0; x < 8 && match; ++x) {
                const QRgb px = img.pixel(x, y);
                auto& slot = (hatchRow(hatch, y) & (0x80u >> x)) ? ink : paper;
                if (!slot) slot = px;
                match = *slot == px;
            }
        if (!match || !ink || qAlpha(*ink) != 255) continue;
        if (paper && qAlpha(*paper) != 0 && qAlpha(*paper) != 255) continue;
        TMfBrush b;
        b.style = BS_HATCHED;
        b.hatch = hatch;
        b.color = ToColorRef(QColor(*ink));
        b.opaque = paper && qAlpha(*paper) == 255;
        if (b.opaque) b.paper = ToColorRef(QColor(*paper));
        return b;
    }
    return std::nullopt;
}

}  // namespace

int ToUnit(qreal v)
{
    if (std::isnan(v)) return 0;
    constexpr qreal lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::round(v), lo, hi));
}

std::optional<TMfPen> GdiPen(const QPen& pen)
{
    TMfPen p;
    if (pen.style() == Qt::NoPen) {
        p.style = PS_NULL;
        return p;
    }
    if (pen.brush().style() != Qt::SolidPattern || pen.color().alpha() != 255) return std::nullopt;
    p.color = ToColorRef(pen.color());
    const bool cosmetic = pen.isCosmetic() || pen.widthF() == 0;
    p.width = cosmetic ? 0 : std::max(1, ToUnit(pen.widthF()));
    const int unit = std::max(1, p.width);
    switch (pen.style()) {
    case Qt::DashLine: p.style = PS_DASH; break;
    case Qt::DotLine: p.style = PS_DOT; break;
    case Qt::DashDotLine: p.style = PS_DASHDOT; break;
    case Qt::DashDotDotLine: p.style = PS_DASHDOTDOT; break;
    case Qt::CustomDashLine: {
        // The device context's stock dashes go back to their styles, which every reader draws.
        QList<qreal> pattern = pen.dashPattern();
        for (auto& d : pattern) d *= cosmetic ? 1 : 3;
        p.style = pattern == QList<qreal>{18, 6}              ? PS_DASH
                  : pattern == QList<qreal>{3, 3}             ? PS_DOT
                  : pattern == QList<qreal>{9, 6, 3, 6}       ? PS_DASHDOT
                  : pattern == QList<qreal>{9, 3, 3, 3, 3, 3} ? PS_DASHDOTDOT
                                                              : PS_USERSTYLE;
        if (p.style == PS_USERSTYLE)
            for (qreal d : pen.dashPattern())
                p.dashes.push_back(static_cast<std::uint32_t>(std::max(1, ToUnit(d * unit))));
        break;
    }
    default: p.style = PS_SOLID; break;
    }
    if (!cosmetic) {
        p.style |= PS_GEOMETRIC;
        switch (pen.capStyle()) {
        case Qt::FlatCap: p.style |= PS_ENDCAP_FLAT; break;
        case Qt::SquareCap: p.style |= PS_ENDCAP_SQUARE; break;
        default: p.style |= PS_ENDCAP_ROUND; break;
        }
        switch (pen.joinStyle()) {
        case Qt::BevelJoin: p.style |= PS_JOIN_BEVEL; break;
        case Qt::RoundJoin: p.style |= PS_JOIN_ROUND; break;
        default: p.style |= PS_JOIN_MITER; break;
        }
    }
    return p;
}

QPen QtPen(const TMfPen& p)
{
    const int type = p.style & PS_STYLE_MASK;
    if (type == PS_NULL) return QPen(Qt::NoPen);
    QPen pen(FromColorRef(p.color));
    const bool geometric = (p.style & PS_TYPE_MASK) == PS_GEOMETRIC && p.width > 0;
    pen.setWidth(geometric ? p.width : 0);
    pen.setCosmetic(!geometric);
    if (geometric) {
        switch (p.style & PS_ENDCAP_MASK) {
        case PS_ENDCAP_FLAT: pen.setCapStyle(Qt::FlatCap); break;
        case PS_ENDCAP_SQUARE: pen.setCapStyle(Qt::SquareCap); break;
        default: pen.setCapStyle(Qt::RoundCap); break;
        }
        switch (p.style & PS_JOIN_MASK) {
        case PS_JOIN_BEVEL: pen.setJoinStyle(Qt::BevelJoin); break;
        case PS_JOIN_MITER: pen.setJoinStyle(Qt::MiterJoin); break;
        default: pen.setJoinStyle(Qt::RoundJoin); break;
        }
    } else {
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
    }
    // The stock dashes as the device context draws them: in pixels for a thin pen, a third of
    // that in widths for a wide one.
    const qreal unit = geometric && p.width > 1 ? 3 : 1;
    auto dashes = [&](QList<qreal> d) {
        for (auto& x : d) x /= unit;
        pen.setDashPattern(d);
    };
    switch (type) {
    case PS_DASH: dashes({18, 6}); break;
    case PS_DOT: dashes({3, 3}); break;
    case PS_ALTERNATE: pen.setDashPattern({1, 1}); break;
    case PS_DASHDOT: dashes({9, 6, 3, 6}); break;
    case PS_DASHDOTDOT: dashes({9, 3, 3, 3, 3, 3}); break;
    case PS_USERSTYLE: {
        QList<qreal> pattern;
        const qreal width = std::max(1, p.width);
        for (auto d : p.dashes) pattern << std::max<qreal>(d, 1) / width;
        if (pattern.size() % 2) pattern << pattern.back();
        if (!pattern.isEmpty()) pen.setDashPattern(pattern);
        break;
    }
    default: break;
    }
    return pen;
}

std::optional<TMfBrush> GdiBrush(const QBrush& brush)
{
    TMfBrush b;
    const QColor c = brush.color();
    switch (brush.style()) {
    case Qt::NoBrush: b.style = BS_NULL; return b;
    case Qt::SolidPattern:
        if (c.alpha() != 255) return std::nullopt;
        b.style = BS_SOLID;
        b.color = ToColorRef(c);
        return b;
    case Qt::HorPattern: b.hatch = HS_HORIZONTAL; break;
    case Qt::VerPattern: b.hatch = HS_VERTICAL; break;
    case Qt::CrossPattern: b.hatch = HS_CROSS; break;
    case Qt::BDiagPattern: b.hatch = HS_BDIAGONAL; break;
    case Qt::FDiagPattern: b.hatch = HS_FDIAGONAL; break;
    case Qt::DiagCrossPattern: b.hatch = HS_DIAGCROSS; break;
    case Qt::TexturePattern: return hatchOf(brush.textureImage());
    default: return std::nullopt;
    }
    if (c.alpha() != 255) return std::nullopt;
    b.style = BS_HATCHED;
    b.color = ToColorRef(c);
    return b;
}

QBrush QtBrush(const TMfBrush& b)
{
    switch (b.style) {
    case BS_NULL: return QBrush(Qt::NoBrush);
    case BS_HATCHED: {
        QImage img(8, 8, QImage::Format_ARGB32);
        const QRgb ink = FromColorRef(b.color).rgb(), paper = b.opaque ? FromColorRef(b.paper).rgb() : 0;
        const int hatch = std::clamp(b.hatch, static_cast<int>(HS_HORIZONTAL), static_cast<int>(HS_DIAGCROSS));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) img.setPixel(x, y, (hatchRow(hatch, y) & (0x80u >> x)) ? ink : paper);
        return QBrush(img);
    }
    default: return QBrush(FromColorRef(b.color));
    }
}

TMfFont GdiFont(const QFont& font, qreal angle)
{
    TMfFont f;
    const qreal px = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    f.height = -std::max(1, ToUnit(px));
    f.escapement = ToUnit(angle * 10);
    f.weight = std::clamp(static_cast<int>(font.weight()), 1, 1000);
    f.italic = font.italic();
    f.underline = font.underline();
    f.strikeOut = font.strikeOut();
    f.quality = font.styleStrategy() & QFont::NoAntialias ? NONANTIALIASED_QUALITY : DEFAULT_QUALITY;
    f.face = font.family().left(31).toStdU16String();
    return f;
}

QFont QtFont(const TMfFont& f)
{
    QFont font(QString::fromStdU16String(f.face));
    // A positive height is the cell; Qt sizes by the em, which is about 0.85 of the cell here.
    const int px = f.height < 0 ? -f.height : f.height > 0 ? std::max(1, ToUnit(f.height * 0.85)) : 11;
    font.setPixelSize(std::max(1, px));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight ? f.weight : 400, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    if (f.quality == NONANTIALIASED_QUALITY) font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool NeedsRaster(const TMetafileImage& image, const TMetafileRecord& r)
{
    switch (r.kind) {
    case TMetafileRecord::Polyline:
    case TMetafileRecord::Polygon:
    case TMetafileRecord::Rect:
    case TMetafileRecord::Ellipse:
    case TMetafileRecord::Path:
        return (r.pen && !GdiPen(image.pens[r.pen])) || (r.brush && !GdiBrush(image.brushes[r.brush]));
    default: return false;
    }
}

QImage RasterPiece(const TMetafileImage& image, const TMetafileRecord& record, QSize frame, QRect& where)
{
    where = RecordBounds(image, record).toAlignedRect() & QRect(QPoint(0, 0), frame);
    if (where.isEmpty()) return {};
    QImage piece(where.size(), QImage::Format_ARGB32_Premultiplied);
    piece.fill(Qt::transparent);
    QPainter p(&piece);
    p.translate(-where.topLeft());
    TMetafileRecord r = record;
    r.mode = QPainter::CompositionMode_SourceOver;
    PlayRecord(p, image, r);
    return piece;
}

std::vector<std::uint32_t> TextAdvances(const QFont& font, const QString& text)
{
    QFontMetricsF fm(font);
    std::vector<std::uint32_t> dx(static_cast<std::size_t>(text.size()));
    int before = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int after = ToUnit(fm.horizontalAdvance(text.left(i + 1)));
        dx[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(std::max(0, after - before));
        before = std::max(before, after);
    }
    return dx;
}

namespace {

void put16(std::vector<Byte>& v, std::size_t at, std::uint32_t x)
{
    v[at] = static_cast<Byte>(x);
    v[at + 1] = static_cast<Byte>(x >> 8);
}
void put32(std::vector<Byte>& v, std::size_t at, std::uint32_t x)
{
    put16(v, at, x & 0xFFFF);
    put16(v, at + 2, x >> 16);
}
std::uint32_t get32(const Byte* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t get16(const Byte* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

TMfDib MakeDib(const QImage& image, bool alpha)
{
    TMfDib dib;
    const int w = image.width(), h = image.height();
    const int bpp = alpha ? 32 : 24;
    const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
    dib.header.assign(40, 0);
    put32(dib.header, 0, 40);
    put32(dib.header, 4, static_cast<std::uint32_t>(w));
    put32(dib.header, 8, static_cast<std::uint32_t>(h));
    put16(dib.header, 12, 1);
    put16(dib.header, 14, static_cast<std::uint32_t>(bpp));
    put32(dib.header, 20, static_cast<std::uint32_t>(stride * h));
    put32(dib.header, 24, 3780);  // 96 dpi in pixels per metre
    put32(dib.header, 28, 3780);
    dib.bits.assign(stride * h, 0);
    QImage src;
    if (alpha) {
        src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        src = QImage(image.size(), QImage::Format_RGB32);
        src.fill(Qt::white);
        QPainter p(&src);
        p.drawImage(0, 0, image);
    }
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        Byte* out = dib.bits.data() + stride * static_cast<std::size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const QRgb px = line[x];
            *out++ = static_cast<Byte>(qBlue(px));
            *out++ = static_cast<Byte>(qGreen(px));
            *out++ = static_cast<Byte>(qRed(px));
            if (alpha) *out++ = static_cast<Byte>(qAlpha(px));
        }
    }
    return dib;
}

QImage ReadDib(const Byte* info, std::size_t infoSize, const Byte* bits, std::size_t bitsSize, bool alpha)
{
    if (!info || infoSize < 40) return {};
    const std::uint32_t headerSize = get32(info);
    if (headerSize < 40 || headerSize > infoSize) return {};
    const auto w = static_cast<std::int32_t>(get32(info + 4));
    const auto rawH = static_cast<std::int32_t>(get32(info + 8));
    const int bpp = get16(info + 14);
    const std::uint32_t compression = get32(info + 16);
    std::uint32_t used = get32(info + 32);
    if (w <= 0 || rawH == 0 || rawH == std::numeric_limits<std::int32_t>::min()) return {};
    const bool topDown = rawH < 0;
    const std::int32_t h = topDown ? -rawH : rawH;
    if (static_cast<std::int64_t>(w) * h > (1LL << 26)) return {};
    constexpr std::uint32_t BI_RGB = 0, BI_BITFIELDS = 3;
    if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bpp == 16 || bpp == 32))) return {};
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return {};
    std::uint32_t masks[3] = {0, 0, 0};
    std::size_t tableAt = headerSize;
    if (compression == BI_BITFIELDS) {
        if (headerSize >= 52) {
            masks[0] = get32(info + 40), masks[1] = get32(info + 44), masks[2] = get32(info + 48);
        } else {
            if (infoSize < headerSize + 12) return {};
            masks[0] = get32(info + headerSize), masks[1] = get32(info + headerSize + 4),
            masks[2] = get32(info + headerSize + 8);
            tableAt += 12;
        }
    } else if (bpp == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    }
    std::vector<QRgb> table;
    if (bpp <= 8) {
        if (used == 0 || used > (1u << bpp)) used = 1u << bpp;
        if (infoSize < tableAt + used * 4) return {};
        for (std::uint32_t i = 0; i < used; ++i) {
            const Byte* q = info + tableAt + i * 4;
            table.push_back(qRgb(q[2], q[1], q[0]));
        }
    }
    const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 31) / 32) * 4;
    if (!bits || bitsSize < stride * static_cast<std::size_t>(h)) return {};
    auto channel = [](std::uint32_t v, std::uint32_t mask) -> int {
        if (!mask) return 0;
        int shift = 0;
        while (!((mask >> shift) & 1)) ++shift;
        const std::uint32_t m = mask >> shift;
        return static_cast<int>(((v >> shift) & m) * 255 / m);
    };
    QImage img(w, h, alpha && bpp == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const Byte* row = bits + stride * static_cast<std::size_t>(topDown ? y : h - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            QRgb px = 0;
            switch (bpp) {
            case 1: px = table[std::min<std::size_t>((row[x / 8] >> (7 - x % 8)) & 1, table.size() - 1)]; break;
            case 4: px = table[std::min<std::size_t>((row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF, table.size() - 1)]; break;
            case 8: px = table[std::min<std::size_t>(row[x], table.size() - 1)]; break;
            case 16: {
                const std::uint32_t v = get16(row + x * 2);
                px = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
                break;
            }
            case 24: px = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
            default: {
                const Byte* q = row + x * 4;
                if (compression == BI_BITFIELDS) {
                    const std::uint32_t v = get32(q);
                    px = qRgb(channel(v, masks[0]), channel(v, masks[1]), channel(v, masks[2]));
                } else if (alpha) {
                    const int a = q[3];
                    px = qRgba(std::min<int>(q[2], a), std::min<int>(q[1], a), std::min<int>(q[0], a), a);
                } else {
                    px = qRgb(q[2], q[1], q[0]);
                }
                break;
            }
            }
            out[x] = px;
        }
    }
    return img;
}
