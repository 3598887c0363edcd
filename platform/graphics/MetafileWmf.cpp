// Windows metafiles: the picture's records as WMF records behind a placeable header, and back.
//
// Units: one logical unit is one pixel of the picture; the placeable header's box is the frame at
// 96 units per inch, and the window (MM_ANISOTROPIC) is the same box. WMF has 16-bit coordinates,
// no paths, no Bezier curves, no alpha and 8-bit text, so: paths and curves are flattened into
// polygons and polylines; fills and strokes GDI has no object for (translucent colours, gradients,
// textures) become solid fills of their mean colour; translucent pixels of images are laid over
// white; clip regions and clip paths become the intersection of their box with the excluded rest of
// that box (a clip path in whole pixels); text outside Latin-1 shows "?".
#include <uwmf.h>

#include <QFontMetricsF>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/MetafileBuilder_p.h"
#include "platform/graphics/MetafileFormats_p.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

std::int16_t clamp16(qreal v) { return static_cast<std::int16_t>(std::clamp(ToUnit(v), -32767, 32767)); }
U_POINT16 pt16(QPointF p) { return U_POINT16{clamp16(p.x()), clamp16(p.y())}; }
U_COLORREF cref(TColorRef c)
{
    return U_COLORREF{static_cast<uint8_t>(c & 0xFF), static_cast<uint8_t>((c >> 8) & 0xFF),
                      static_cast<uint8_t>((c >> 16) & 0xFF), 0};
}

void put16(std::vector<Byte>& v, std::uint32_t x)
{
    v.push_back(static_cast<Byte>(x));
    v.push_back(static_cast<Byte>(x >> 8));
}
void put32(std::vector<Byte>& v, std::uint32_t x)
{
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// The mean colour of what a record paints (its pixels weighted by their cover), opaque.
QColor meanColor(const TMetafileImage& image, const TMetafileRecord& r, QSize frame)
{
    QRect where;
    const QImage piece = RasterPiece(image, r, frame, where);
    double red = 0, green = 0, blue = 0, cover = 0;
    for (int y = 0; y < piece.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
        for (int x = 0; x < piece.width(); ++x) {
            red += qRed(line[x]), green += qGreen(line[x]), blue += qBlue(line[x]), cover += qAlpha(line[x]);
        }
    }
    if (cover <= 0) return QColor(Qt::black);
    return QColor::fromRgbF(static_cast<float>(red / cover), static_cast<float>(green / cover),
                            static_cast<float>(blue / cover));
}

class WmfWriter {
public:
    WmfWriter(const TMetafileImage& image, QSize frame) : image_(image), frame_(frame) {}

    std::vector<Byte> Run()
    {
        take(U_WMRSETMAPMODE_set(MM_ANISOTROPIC));
        take(U_WMRSETWINDOWORG_set(U_POINT16{0, 0}));
        take(U_WMRSETWINDOWEXT_set(
            U_POINT16{clamp16(std::max(1, frame_.width())), clamp16(std::max(1, frame_.height()))}));
        take(U_WMRSETBKMODE_set(U_TRANSPARENT));
        // Text by its cell's top: readers of this format know that best.
        take(U_WMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT));
        take(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
        // The state every clip change returns to (WMF cannot set a clip back, only restore one).
        take(U_WMRSAVEDC_set());
        for (const TMetafileRecord& r : image_.records) record(r);
        take(U_WMRRESTOREDC_set(-1));
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i]) take(U_WMRDELETEOBJECT_set(static_cast<std::uint16_t>(i)));
        take(U_WMREOF_set());
        return finish();
    }

private:
    struct Slot {
        int handle = -1;  // the object in the file's table
        std::int64_t key = -1;
        bool selected = false;
    };

    void take(char* rec)
    {
        if (!rec) throw EOutOfMemory("Out of memory");
        std::uint32_t words;
        std::memcpy(&words, rec, 4);
        body_.insert(body_.end(), rec, rec + std::size_t{words} * 2);
        maxRecord_ = std::max(maxRecord_, words);
        std::free(rec);
    }

    std::vector<Byte> finish()
    {
        std::vector<Byte> out;
        // Placeable header: key, no handle, box, units per inch, reserved, checksum of the words before.
        put32(out, kPlaceableKey);
        put16(out, 0);
        put16(out, 0);
        put16(out, 0);
        put16(out, static_cast<std::uint16_t>(clamp16(frame_.width())));
        put16(out, static_cast<std::uint16_t>(clamp16(frame_.height())));
        put16(out, kMetafileDpi);
        put32(out, 0);
        std::uint16_t sum = 0;
        for (std::size_t i = 0; i < 20; i += 2) sum ^= static_cast<std::uint16_t>(out[i] | (out[i + 1] << 8));
        put16(out, sum);
        // The metafile header: in memory, 9 words, version 3.0, sizes in words.
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, static_cast<std::uint32_t>((18 + body_.size()) / 2));
        put16(out, static_cast<std::uint16_t>(std::max<std::size_t>(slots_.size(), 1)));
        put32(out, maxRecord_);
        put16(out, 0);
        out.insert(out.end(), body_.begin(), body_.end());
        return out;
    }

    // The lowest free entry of the file's object table, as GDI hands them out.
    int allocate()
    {
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (!slots_[i]) {
                slots_[i] = true;
                return static_cast<int>(i);
            }
        slots_.push_back(true);
        return static_cast<int>(slots_.size() - 1);
    }

    template <class Make>
    void use(Slot& slot, std::int64_t key, Make make)
    {
        if (slot.key == key && slot.handle >= 0) {
            if (!slot.selected) take(U_WMRSELECTOBJECT_set(static_cast<std::uint16_t>(slot.handle)));
            slot.selected = true;
            return;
        }
        const int handle = allocate();
        take(make());
        take(U_WMRSELECTOBJECT_set(static_cast<std::uint16_t>(handle)));
        if (slot.handle >= 0) {
            take(U_WMRDELETEOBJECT_set(static_cast<std::uint16_t>(slot.handle)));
            slots_[static_cast<std::size_t>(slot.handle)] = false;
        }
        slot.handle = handle;
        slot.key = key;
        slot.selected = true;
    }

    void selectPen(const TMfPen& p, std::int64_t key)
    {
        use(pen_, key, [&] {
            int style = p.style & ~PS_TYPE_MASK;
            if ((style & PS_STYLE_MASK) == PS_USERSTYLE) {
                // The nearest stock dashes: two entries are dashes or dots, more are dash-dots.
                const std::size_t n = p.dashes.size();
                const bool dots = n >= 2 && p.dashes[0] <= p.dashes[1] * 3 / 2;
                style = (style & ~PS_STYLE_MASK) | (n <= 2   ? (dots ? PS_DOT : PS_DASH)
                                                    : n <= 4 ? PS_DASHDOT
                                                             : PS_DASHDOTDOT);
            }
            return U_WMRCREATEPENINDIRECT_set(U_PEN_set(static_cast<std::uint16_t>(style),
                                                        static_cast<std::uint16_t>(std::min(p.width, 32767)),
                                                        cref(p.color)));
        });
    }

    void selectPen(std::uint32_t index, const TMetafileRecord& r)
    {
        if (index == 0) return selectPen(TMfPen{PS_NULL, 0, 0, {}}, -2);
        if (auto p = GdiPen(image_.pens[index])) return selectPen(*p, index);
        const QPen& qp = image_.pens[index];
        TMfPen p = GdiPen(QPen(QColor(qp.color().rgb()), qp.widthF())).value_or(TMfPen{});
        if (qp.brush().style() != Qt::SolidPattern) {
            TMetafileRecord stroke = r;
            stroke.brush = 0;
            p.color = ToColorRef(meanColor(image_, stroke, frame_));
        }
        selectPen(p, -3 - static_cast<std::int64_t>(p.color));
    }

    void selectBrush(std::uint32_t index, const TMetafileRecord& r)
    {
        TMfBrush b{BS_NULL, 0, 0, false, 0};
        std::int64_t key = -2;
        if (index) {
            if (auto g = GdiBrush(image_.brushes[index])) {
                b = *g;
                key = index;
            } else {
                TMetafileRecord fill = r;
                fill.pen = 0;
                b = TMfBrush{BS_SOLID, ToColorRef(meanColor(image_, fill, frame_)), 0, false, 0};
                key = -3 - static_cast<std::int64_t>(b.color);
            }
        }
        if (b.style == BS_HATCHED) {
            setBkMode(b.opaque ? U_OPAQUE : U_TRANSPARENT);
            if (b.opaque) setBkColor(b.paper);
        }
        use(brush_, key, [&] {
            return U_WMRCREATEBRUSHINDIRECT_set(U_WLOGBRUSH_set(static_cast<std::uint16_t>(b.style), cref(b.color),
                                                                static_cast<std::uint16_t>(b.hatch)));
        });
    }

    void selectFont(std::uint32_t index, qreal angle)
    {
        const TMfFont f = GdiFont(image_.fonts[index], angle);
        const std::int64_t key = (static_cast<std::int64_t>(index) << 20) ^ (f.escapement & 0xFFFFF);
        use(font_, key, [&] {
            std::string face;
            for (char16_t c : f.face) face.push_back(c < 256 ? static_cast<char>(c) : '?');
            U_FONT* font = U_FONT_set(clamp16(f.height), 0, clamp16(f.escapement), clamp16(f.escapement),
                                      clamp16(f.weight), f.italic, f.underline, f.strikeOut, U_ANSI_CHARSET,
                                      U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS, static_cast<std::uint8_t>(f.quality),
                                      U_DEFAULT_PITCH, face.data());
            char* rec = U_WMRCREATEFONTINDIRECT_set(font);
            std::free(font);
            return rec;
        });
    }

    void setBkMode(std::uint16_t m)
    {
        if (bkMode_ == m) return;
        take(U_WMRSETBKMODE_set(m));
        bkMode_ = m;
    }
    void setBkColor(TColorRef c)
    {
        if (bkColor_ == c) return;
        take(U_WMRSETBKCOLOR_set(cref(c)));
        bkColor_ = c;
    }
    void setTextColor(TColorRef c)
    {
        if (textColor_ == c) return;
        take(U_WMRSETTEXTCOLOR_set(cref(c)));
        textColor_ = c;
    }
    void setFillMode(Qt::FillRule rule)
    {
        const std::uint16_t m = rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE;
        if (fillMode_ == m) return;
        take(U_WMRSETPOLYFILLMODE_set(m));
        fillMode_ = m;
    }
    void setRop2(QPainter::CompositionMode m)
    {
        const std::uint16_t rop2 = m == QPainter::RasterOp_SourceXorDestination ? U_R2_XORPEN
                                   : m == QPainter::RasterOp_NotDestination     ? U_R2_NOT
                                                                                : U_R2_COPYPEN;
        if (rop2_ == rop2) return;
        take(U_WMRSETROP2_set(rop2));
        rop2_ = rop2;
    }

    void record(const TMetafileRecord& r)
    {
        switch (r.kind) {
        case TMetafileRecord::Clip: clip(r); return;
        case TMetafileRecord::Text: text(r); return;
        case TMetafileRecord::Image: imageRecord(r); return;
        default: break;
        }
        setRop2(r.mode);
        selectPen(r.pen, r);
        switch (r.kind) {
        case TMetafileRecord::Polyline: polyline(r.points); break;
        case TMetafileRecord::Rect: {
            selectBrush(r.brush, r);
            QPolygonF box(r.rect);
            box.removeLast();
            polygon(box);
            break;
        }
        case TMetafileRecord::Polygon:
            selectBrush(r.brush, r);
            setFillMode(r.fillRule);
            polygon(r.points);
            break;
        case TMetafileRecord::Ellipse: {
            selectBrush(r.brush, r);
            const QRectF e = r.rect.normalized();
            const U_POINT16 a = pt16(e.topLeft()), b = pt16(e.bottomRight() + QPointF(1, 1));
            take(U_WMRELLIPSE_set(U_RECT16{a.x, a.y, b.x, b.y}));
            break;
        }
        case TMetafileRecord::Path: {
            selectBrush(r.brush, r);
            setFillMode(r.path.fillRule());
            const QList<QPolygonF> figures = r.path.toSubpathPolygons();
            if (r.brush) {
                // The fill without the pen, then each figure's outline.
                const bool closed = std::all_of(figures.begin(), figures.end(), [](const QPolygonF& f) {
                    return f.size() > 2 && f.first() == f.last();
                });
                if (!r.pen || closed) {
                    polyPolygon(figures);
                    break;
                }
                selectPen(0, r);
                polyPolygon(figures);
                selectPen(r.pen, r);
            }
            for (const QPolygonF& f : figures) polyline(f);
            break;
        }
        default: break;
        }
    }

    void polyline(const QPolygonF& pts)
    {
        if (pts.size() < 2) return;
        for (qsizetype from = 0; from + 1 < pts.size(); from += 8000) {
            const QPolygonF part = pts.mid(from, 8001);
            std::vector<U_POINT16> p;
            for (QPointF q : part) p.push_back(pt16(q));
            take(U_WMRPOLYLINE_set(static_cast<std::uint16_t>(p.size()), p.data()));
        }
    }

    void polygon(const QPolygonF& pts)
    {
        if (pts.size() < 2) return;
        std::vector<U_POINT16> p;
        for (QPointF q : pts.mid(0, 16000)) p.push_back(pt16(q));
        take(U_WMRPOLYGON_set(static_cast<std::uint16_t>(p.size()), p.data()));
    }

    void polyPolygon(const QList<QPolygonF>& figures)
    {
        std::vector<std::uint16_t> counts;
        std::vector<U_POINT16> p;
        for (const QPolygonF& f : figures) {
            if (f.size() < 2 || p.size() + static_cast<std::size_t>(f.size()) > 16000) continue;
            counts.push_back(static_cast<std::uint16_t>(f.size()));
            for (QPointF q : f) p.push_back(pt16(q));
        }
        if (counts.empty()) return;
        take(U_WMRPOLYPOLYGON_set(static_cast<std::uint16_t>(counts.size()), counts.data(), p.data()));
    }

    // Back to the saved state without a clip, then the new clip: its box less the rest of the box.
    void clip(const TMetafileRecord& r)
    {
        take(U_WMRRESTOREDC_set(-1));
        take(U_WMRSAVEDC_set());
        pen_.selected = brush_.selected = font_.selected = false;
        bkMode_ = U_TRANSPARENT;
        fillMode_ = U_ALTERNATE;
        rop2_ = U_R2_COPYPEN;
        bkColor_ = 0xFFFFFF;
        textColor_ = 0;
        if (r.clip == TMetafileRecord::NoClip) return;
        QRegion region = r.clip == TMetafileRecord::RegionClip
                             ? r.region
                             : QRegion(r.path.toFillPolygon().toPolygon(),
                                       r.path.fillRule() == Qt::WindingFill ? Qt::WindingFill : Qt::OddEvenFill);
        const QRect box = region.boundingRect();
        const U_POINT16 a = pt16(box.topLeft()), b = pt16(box.topLeft() + QPoint(box.width(), box.height()));
        take(U_WMRINTERSECTCLIPRECT_set(U_RECT16{a.x, a.y, b.x, b.y}));
        for (const QRect& hole : QRegion(box) - region) {
            const U_POINT16 c = pt16(hole.topLeft()), d = pt16(hole.topLeft() + QPoint(hole.width(), hole.height()));
            take(U_WMREXCLUDECLIPRECT_set(U_RECT16{c.x, c.y, d.x, d.y}));
        }
    }

    void text(const TMetafileRecord& r)
    {
        if (r.points.isEmpty() || r.font >= image_.fonts.size()) return;
        setRop2(QPainter::CompositionMode_SourceOver);
        selectFont(r.font, r.angle);
        setTextColor(ToColorRef(r.color));
        std::string s;
        for (QChar c : r.text) s.push_back(c.unicode() < 256 ? static_cast<char>(c.unicode()) : '?');
        if (s.empty()) return;
        std::vector<std::uint32_t> adv = TextAdvances(image_.fonts[r.font], r.text);
        std::vector<std::int16_t> dx;
        for (auto a : adv) dx.push_back(static_cast<std::int16_t>(std::min<std::uint32_t>(a, 32767)));
        const auto n = static_cast<std::int16_t>(std::min<std::size_t>(s.size(), 32000));
        const qreal ascent = QFontMetricsF(image_.fonts[r.font]).ascent();
        const QPointF top =
            QTransform().translate(r.points[0].x(), r.points[0].y()).rotate(-r.angle).map(QPointF(0, -ascent));
        take(U_WMREXTTEXTOUT_set(pt16(top), n, 0, s.data(), dx.data(), U_RECT16{0, 0, 0, 0}));
    }

    void imageRecord(const TMetafileRecord& r)
    {
        if (r.image >= image_.images.size()) return;
        const QImage& img = image_.images[r.image];
        const QRect src = r.source.toAlignedRect() & img.rect();
        if (src.isEmpty()) return;
        setRop2(QPainter::CompositionMode_SourceOver);
        const TMfDib dib = MakeDib(img.copy(src), false);
        std::vector<Byte> bmi = dib.header;
        const U_POINT16 at = pt16(r.rect.topLeft());
        const U_POINT16 size{static_cast<int16_t>(clamp16(r.rect.right()) - at.x),
                             static_cast<int16_t>(clamp16(r.rect.bottom()) - at.y)};
        take(U_WMRSTRETCHDIB_set(
            at, size, U_POINT16{0, 0}, U_POINT16{static_cast<int16_t>(src.width()), static_cast<int16_t>(src.height())},
            U_DIB_RGB_COLORS, U_SRCCOPY, reinterpret_cast<const U_BITMAPINFO*>(bmi.data()),
            static_cast<std::uint32_t>(dib.bits.size()), reinterpret_cast<const char*>(dib.bits.data())));
    }

    const TMetafileImage& image_;
    QSize frame_;
    std::vector<Byte> body_;
    std::uint32_t maxRecord_ = 3;
    std::vector<bool> slots_;
    Slot pen_, brush_, font_;
    std::uint16_t bkMode_ = U_TRANSPARENT, fillMode_ = U_ALTERNATE, rop2_ = U_R2_COPYPEN;
    TColorRef bkColor_ = 0xFFFFFF, textColor_ = 0;
};

}  // namespace

std::vector<Byte> WriteWmf(const TMetafileImage& image, QSize frame) { return WmfWriter(image, frame).Run(); }

// ---------- reading ----------
namespace {

[[noreturn]] void corrupt(const char* what) { throw EInvalidGraphic(String("Invalid Windows metafile: ") + what); }

std::uint16_t u16(const Byte* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int16_t i16(const Byte* p) { return static_cast<std::int16_t>(u16(p)); }
std::uint32_t u32(const Byte* p) { return u16(p) | (static_cast<std::uint32_t>(u16(p + 2)) << 16); }

struct WmfObject {
    enum Kind { None, Pen, Brush, Pattern, Font, Other } kind = None;
    TMfPen pen;
    TMfBrush brush;
    QImage pattern;
    TMfFont font;
};

// One record's parameters, read with bounds checks.
struct Params {
    const Byte* p;
    std::size_t n;
    std::uint16_t w(std::size_t i) const
    {
        if (i * 2 + 2 > n) corrupt("a record is shorter than its kind");
        return u16(p + i * 2);
    }
    std::int16_t s(std::size_t i) const { return static_cast<std::int16_t>(w(i)); }
    std::uint32_t d(std::size_t i) const { return w(i) | (static_cast<std::uint32_t>(w(i + 1)) << 16); }
    QPointF yx(std::size_t i) const { return QPointF(s(i + 1), s(i)); }
    // Four words bottom, right, top, left.
    QRectF box(std::size_t i) const { return QRectF(QPointF(s(i + 3), s(i + 2)), QPointF(s(i + 1), s(i))); }
};

class WmfReader {
public:
    WmfReader(const Byte* data, std::size_t size) : data_(data), size_(size) {}

    TMetafileFile Run()
    {
        std::size_t at = 0;
        QRectF box;
        int inch = kMetafileDpi;
        const bool placeable = size_ >= 22 && u32(data_) == kPlaceableKey;
        if (placeable) {
            box =
                QRectF(QPointF(i16(data_ + 6), i16(data_ + 8)), QPointF(i16(data_ + 10), i16(data_ + 12))).normalized();
            inch = u16(data_ + 14) ? u16(data_ + 14) : kMetafileDpi;
            at = 22;
        }
        if (size_ - at < 18) corrupt("the header is cut short");
        const std::uint16_t type = u16(data_ + at), headerWords = u16(data_ + at + 2);
        if ((type != 1 && type != 2) || headerWords != 9) corrupt("the header is damaged");
        const std::uint32_t words = u32(data_ + at + 6);
        objects_.resize(std::clamp<std::size_t>(u16(data_ + at + 10), 1, 65535));
        if (std::size_t{words} * 2 > size_ - at) corrupt("the file is cut short");
        const std::size_t end = words >= 9 ? at + std::size_t{words} * 2 : size_;
        at += 18;
        if (!placeable) box = windowOf(at, end);

        TMetafileFile file;
        file.width = std::max(0, ToUnit(box.width() * kMetafileDpi / inch));
        file.height = std::max(0, ToUnit(box.height() * kMetafileDpi / inch));
        file.mmWidth = ToUnit(box.width() * 2540.0 / inch);
        file.mmHeight = ToUnit(box.height() * 2540.0 / inch);
        // The file's window maps onto the frame, as players map it onto their output.
        TMfBuilder b(QSize(file.width, file.height), QTransform());
        b.SetMapMode(MM_ANISOTROPIC);
        b.SetViewportExt(QSizeF(std::max(1, file.width), std::max(1, file.height)));
        winOrg_ = box.topLeft();
        winExt_ = box.size();
        applyWindow(b);

        bool ended = false;
        while (at < end) {
            if (end - at < 6) corrupt("a record is cut short");
            const std::uint32_t recWords = u32(data_ + at);
            const std::uint16_t function = u16(data_ + at + 4);
            if (recWords < 3 || std::size_t{recWords} * 2 > end - at) corrupt("a record's size is wrong");
            const Params params{data_ + at + 6, std::size_t{recWords} * 2 - 6};
            at += std::size_t{recWords} * 2;
            if (function == 0) {
                ended = true;
                break;
            }
            play(b, function, params);
        }
        if (!ended) corrupt("the end record is missing");
        file.image = b.Finish();
        return file;
    }

private:
    // A file without a placeable header is as big as its window.
    QRectF windowOf(std::size_t at, std::size_t end) const
    {
        QPointF org;
        QSizeF ext;
        while (end - at >= 6) {
            const std::uint32_t w = u32(data_ + at);
            if (w < 3 || std::size_t{w} * 2 > end - at) break;
            const Params p{data_ + at + 6, std::size_t{w} * 2 - 6};
            const std::uint16_t f = u16(data_ + at + 4);
            if (f == 0x020B && p.n >= 4) org = p.yx(0);
            if (f == 0x020C && p.n >= 4) ext = QSizeF(p.s(1), p.s(0));
            at += std::size_t{w} * 2;
        }
        return QRectF(org, ext).normalized();
    }

    void applyWindow(TMfBuilder& b) const
    {
        b.SetWindowOrg(winOrg_);
        if (winExt_.width() != 0 && winExt_.height() != 0) b.SetWindowExt(winExt_);
    }

    WmfObject* object(std::size_t i) { return i < objects_.size() ? &objects_[i] : nullptr; }

    WmfObject& create(WmfObject::Kind kind)
    {
        for (auto& o : objects_)
            if (o.kind == WmfObject::None) {
                o = {};
                o.kind = kind;
                return o;
            }
        objects_.emplace_back().kind = kind;
        return objects_.back();
    }

    static QImage dib(const Params& p, std::size_t from)
    {
        if (from >= p.n) return {};
        const Byte* info = p.p + from;
        const std::size_t n = p.n - from;
        if (n < 40) return {};
        const std::uint32_t header = u32(info);
        const int bpp = u16(info + 14);
        std::uint32_t colors = u32(info + 32);
        if (bpp <= 8 && colors == 0) colors = 1u << bpp;
        if (bpp > 8) colors = u32(info + 16) == 3 ? 3 : 0;
        const std::size_t bitsAt = std::size_t{header} + std::size_t{colors} * 4;
        if (bitsAt > n) return {};
        return ReadDib(info, bitsAt, info + bitsAt, n - bitsAt, false);
    }

    void play(TMfBuilder& b, std::uint16_t function, const Params& p)
    {
        switch (function) {
        case 0x0201: b.SetBkColor(p.d(0) & 0xFFFFFF); break;
        case 0x0102: b.SetBkMode(p.w(0)); break;
        case 0x0104: b.SetRop2(p.w(0)); break;
        case 0x0106: b.SetPolyFillMode(p.w(0)); break;
        case 0x0209: b.SetTextColor(p.d(0) & 0xFFFFFF); break;
        case 0x020B:
            winOrg_ = p.yx(0);
            applyWindow(b);
            break;
        case 0x020C:
            winExt_ = QSizeF(p.s(1), p.s(0));
            applyWindow(b);
            break;
        case 0x0213: b.LineTo(p.yx(0)); break;
        case 0x0214: b.MoveTo(p.yx(0)); break;
        case 0x0415: b.CombineClipRect(p.box(0), RGN_DIFF); break;
        case 0x0416: b.CombineClipRect(p.box(0), RGN_AND); break;
        case 0x0220: b.OffsetClip(p.yx(0)); break;
        case 0x0817: b.Arc(p.box(4), p.yx(2), p.yx(0), TMfBuilder::ArcOnly); break;
        case 0x081A: b.Arc(p.box(4), p.yx(2), p.yx(0), TMfBuilder::PieKind); break;
        case 0x0830: b.Arc(p.box(4), p.yx(2), p.yx(0), TMfBuilder::ChordKind); break;
        case 0x0418: b.Ellipse(p.box(0)); break;
        case 0x041B: b.Rectangle(p.box(0)); break;
        case 0x061C: b.RoundRect(p.box(2), QSizeF(p.s(1), p.s(0))); break;
        case 0x001E: b.SaveDC(); break;
        case 0x0127: b.RestoreDC(p.s(0)); break;
        case 0x041F: b.SetPixel(p.yx(2), p.d(0) & 0xFFFFFF); break;
        case 0x012E: b.SetTextAlign(p.w(0)); break;
        case 0x0324:
        case 0x0325: {
            const std::uint16_t count = p.w(0);
            QPolygonF pts;
            for (std::uint16_t i = 0; i < count; ++i) pts << QPointF(p.s(1 + i * 2), p.s(2 + i * 2));
            if (function == 0x0324)
                b.Polygon(pts);
            else
                b.Polyline(pts);
            break;
        }
        case 0x0538: {
            const std::uint16_t polys = p.w(0);
            std::vector<QPolygonF> all;
            std::size_t at = 1 + std::size_t{polys};
            for (std::uint16_t k = 0; k < polys; ++k) {
                QPolygonF f;
                const std::uint16_t count = p.w(1 + k);
                for (std::uint16_t i = 0; i < count; ++i, at += 2) f << QPointF(p.s(at), p.s(at + 1));
                all.push_back(f);
            }
            b.PolyPolygon(all);
            break;
        }
        case 0x0521: {
            const std::uint16_t len = p.w(0);
            const std::size_t words = (std::size_t{len} + 1) / 2;
            if (2 + words * 2 > p.n - 2) corrupt("a text runs past its record");
            const QString s = QString::fromLatin1(reinterpret_cast<const char*>(p.p + 2), len);
            b.TextOut(QPointF(p.s(2 + words), p.s(1 + words)), s, nullptr);
            break;
        }
        case 0x0A32: {
            const QPointF ref = p.yx(0);
            const std::uint16_t len = p.w(2), opts = p.w(3);
            std::size_t at = 8;
            QRectF rect;
            if (opts & (ETO_OPAQUE | ETO_CLIPPED)) {
                rect = QRectF(QPointF(p.s(4), p.s(5)), QPointF(p.s(6), p.s(7)));
                at = 16;
            }
            if (at + len > p.n) corrupt("a text runs past its record");
            const QString s = QString::fromLatin1(reinterpret_cast<const char*>(p.p + at), len);
            b.TextOut(ref, s, (opts & ETO_OPAQUE) && !rect.isEmpty() ? &rect : nullptr);
            break;
        }
        case 0x061D: {  // PATBLT
            const QRectF r(QPointF(p.s(5), p.s(4)), QSizeF(p.s(3), p.s(2)));
            const std::uint32_t rop = p.d(0);
            b.SaveDC();
            b.SetPen(TMfPen{PS_NULL, 0, 0, {}});
            if (rop == BLACKNESS) b.SetBrush({BS_SOLID, 0});
            if (rop == WHITENESS) b.SetBrush({BS_SOLID, 0xFFFFFF});
            if (rop == PATCOPY || rop == BLACKNESS || rop == WHITENESS) b.Rectangle(r.adjusted(0, 0, 1, 1));
            b.RestoreDC(-1);
            break;
        }
        case 0x0940: {             // DIBBITBLT
            if (p.n <= 18) break;  // no bitmap: a pattern blit
            const QRectF dest(QPointF(p.s(7), p.s(6)), QSizeF(p.s(5), p.s(4)));
            b.Image(dest, dib(p, 16), QRectF(QPointF(p.s(3), p.s(2)), dest.size()));
            break;
        }
        case 0x0B41: {  // DIBSTRETCHBLT
            if (p.n <= 20) break;
            const QImage img = dib(p, 20);
            const QRectF src(QPointF(p.s(5), p.s(4)), QSizeF(p.s(3), p.s(2)));
            b.Image(QRectF(QPointF(p.s(9), p.s(8)), QSizeF(p.s(7), p.s(6))), img, src);
            break;
        }
        case 0x0F43: {  // STRETCHDIB
            const QImage img = dib(p, 22);
            const QRectF src(p.s(6), img.height() - p.s(5) - p.s(3), p.s(4), p.s(3));
            b.Image(QRectF(QPointF(p.s(10), p.s(9)), QSizeF(p.s(8), p.s(7))), img, src);
            break;
        }
        case 0x012D: {  // SELECTOBJECT
            WmfObject* o = object(p.w(0));
            if (!o) break;
            switch (o->kind) {
            case WmfObject::Pen: b.SetPen(o->pen); break;
            case WmfObject::Brush: b.SetBrush(o->brush); break;
            case WmfObject::Pattern: b.SetPatternBrush(o->pattern); break;
            case WmfObject::Font: b.SetFont(o->font); break;
            default: break;
            }
            break;
        }
        case 0x012C:  // SELECTCLIPREGION: regions are not kept; a null one removes the clip
            if (WmfObject* o = object(p.w(0)); !o || o->kind != WmfObject::Other) b.SelectClipRegion(nullptr, RGN_COPY);
            break;
        case 0x01F0:
            if (WmfObject* o = object(p.w(0))) *o = {};
            break;
        case 0x02FA: {
            WmfObject& o = create(WmfObject::Pen);
            o.pen.style = p.w(0);
            o.pen.width = std::max<int>(0, p.s(1));
            if (o.pen.width > 1) o.pen.style |= PS_GEOMETRIC;
            o.pen.color = p.d(3) & 0xFFFFFF;
            break;
        }
        case 0x02FC: {
            WmfObject& o = create(WmfObject::Brush);
            const std::uint16_t style = p.w(0);
            o.brush.style = style == BS_HATCHED || style == BS_NULL ? static_cast<int>(style)
                                                                    : static_cast<int>(BS_SOLID);
            o.brush.color = p.d(1) & 0xFFFFFF;
            o.brush.hatch = p.w(3);
            break;
        }
        case 0x0142: {
            WmfObject& o = create(WmfObject::Pattern);
            o.pattern = dib(p, 4);
            break;
        }
        case 0x02FB: {
            WmfObject& o = create(WmfObject::Font);
            TMfFont& f = o.font;
            f.height = p.s(0);
            f.escapement = p.s(2);
            f.weight = p.s(4);
            const Byte* q = p.p + 10;
            if (p.n < 18) corrupt("a font is cut short");
            f.italic = q[0], f.underline = q[1], f.strikeOut = q[2], f.quality = q[6];
            for (std::size_t i = 18; i < p.n && i < 18 + 32 && p.p[i]; ++i)
                f.face.push_back(static_cast<char16_t>(p.p[i]));
            break;
        }
        case 0x00F7:
        case 0x01F9:
        case 0x06FF: create(WmfObject::Other); break;  // palettes, old pattern brushes, regions hold slots
        default: break;                                // nothing to draw
        }
    }

    const Byte* data_;
    std::size_t size_;
    std::vector<WmfObject> objects_;
    QPointF winOrg_;
    QSizeF winExt_;
};

}  // namespace

bool LooksLikeWmf(const Byte* data, std::size_t size)
{
    if (size >= 4 && u32(data) == kPlaceableKey) return true;
    return size >= 18 && (u16(data) == 1 || u16(data) == 2) && u16(data + 2) == 9 && (u16(data + 4) & 0xFF00) <= 0x0300;
}

TMetafileFile ReadWmf(const Byte* data, std::size_t size) { return WmfReader(data, size).Run(); }
