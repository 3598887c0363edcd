// Enhanced metafiles: the picture's records as EMF records and back.
//
// Units: one logical unit is one pixel of the picture (MM_TEXT) on a reference device of 96 dpi
// (1920 x 1440 pixels, 508 x 381 mm); the frame is the picture's size in 0.01 mm. Shapes keep GDI's
// meaning (an ellipse's box excludes its right and bottom edge), so GDI readers draw what the
// painter drew. Pens, brushes and text are GDI objects; fills and strokes GDI has no object for
// (translucent colours, gradients, textures that are no hatch) are drawn into premultiplied pixels
// over the shape's box and stored as an alpha-blend record; translucent text is stored opaque.
#include <uemf.h>
#include <uemf_safe.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/MetafileBuilder_p.h"
#include "platform/graphics/MetafileFormats_p.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr int kRefPixelsX = 1920, kRefPixelsY = 1440, kRefMMX = 508, kRefMMY = 381;

U_RECTL rectl(const QRect& r) { return U_RECTL{r.left(), r.top(), r.right(), r.bottom()}; }
U_RECTL rectl(const QRectF& r) { return rectl(r.toAlignedRect()); }
// A rectangle with its right and bottom edges excluded, as clip rectangles take it.
U_RECTL rectOf(const QRect& q) { return U_RECTL{q.left(), q.top(), q.left() + q.width(), q.top() + q.height()}; }
U_POINTL pointl(QPointF p) { return U_POINTL{ToUnit(p.x()), ToUnit(p.y())}; }

bool fits16(const QPolygonF& pts)
{
    return std::all_of(pts.begin(), pts.end(),
                       [](QPointF p) { return std::abs(p.x()) < 32767 && std::abs(p.y()) < 32767; });
}

class EmfWriter {
public:
    EmfWriter(const TMetafileImage& image, QSize frame, QSize mm) : image_(image), frame_(frame), mm_(mm) {}

    std::vector<Byte> Run()
    {
        take(U_EMRSETMAPMODE_set(U_MM_TEXT));
        take(U_EMRSETBKMODE_set(U_TRANSPARENT));
        take(U_EMRSETTEXTALIGN_set(U_TA_BASELINE | U_TA_LEFT));
        take(U_EMRSETPOLYFILLMODE_set(U_ALTERNATE));
        for (const TMetafileRecord& r : image_.records) record(r);
        // Leave no object of ours selected, then delete them.
        selectStock(U_NULL_PEN, pen_);
        selectStock(U_NULL_BRUSH, brush_);
        selectStock(U_DEVICE_DEFAULT_FONT, font_);
        eof();
        return finish();
    }

private:
    // An object slot: two handles taken in turn, so the new object is selected before the old goes.
    struct Slot {
        std::uint32_t first, current = 0;
        std::int64_t key = -1;  // the table index selected (-1: none, -2: stock)
    };

    void take(char* rec)
    {
        if (!rec) throw EOutOfMemory("Out of memory");
        std::uint32_t size;
        std::memcpy(&size, rec + 4, 4);
        body_.insert(body_.end(), rec, rec + size);
        std::free(rec);
        ++records_;
    }

    void raw(std::vector<std::uint32_t> words)
    {
        words[1] = static_cast<std::uint32_t>(words.size() * 4);
        const auto* b = reinterpret_cast<const Byte*>(words.data());
        body_.insert(body_.end(), b, b + words.size() * 4);
        ++records_;
    }

    void eof() { raw({U_EMR_EOF, 0, 0, 16, 20}); }

    std::vector<Byte> finish()
    {
        // The bounds are the whole frame: readers that size the picture by them keep its margins.
        const U_RECTL bounds{0, 0, frame_.width(), frame_.height()};
        const U_RECTL frame{0, 0, std::max(0, mm_.width() - 1), std::max(0, mm_.height() - 1)};
        char* head = U_EMRHEADER_set(bounds, frame, nullptr, 0, nullptr, U_SIZEL{kRefPixelsX, kRefPixelsY},
                                     U_SIZEL{kRefMMX, kRefMMY}, 0);
        if (!head) throw EOutOfMemory("Out of memory");
        U_EMRHEADER h;
        std::memcpy(&h, head, sizeof h);
        const std::uint32_t headSize = h.emr.nSize;
        h.nBytes = static_cast<std::uint32_t>(headSize + body_.size());
        h.nRecords = records_ + 1;
        h.nHandles = 7;  // the reserved 0 and two handles for each of pen, brush and font
        std::vector<Byte> out(head, head + headSize);
        std::memcpy(out.data(), &h, std::min<std::size_t>(sizeof h, headSize));
        std::free(head);
        out.insert(out.end(), body_.begin(), body_.end());
        return out;
    }

    void selectStock(std::uint32_t stock, Slot& slot)
    {
        if (slot.key == -2) return;
        take(U_EMRSELECTOBJECT_set(stock));
        if (slot.current) take(U_EMRDELETEOBJECT_set(slot.current));
        slot.current = 0;
        slot.key = -2;
    }

    // Makes a new object in the slot's free handle, selects it and deletes the one before.
    template <class Make>
    void selectNew(Slot& slot, std::int64_t key, Make make)
    {
        if (slot.key == key) return;
        const std::uint32_t handle = slot.current == slot.first ? slot.first + 1 : slot.first;
        take(make(handle));
        take(U_EMRSELECTOBJECT_set(handle));
        if (slot.current) take(U_EMRDELETEOBJECT_set(slot.current));
        slot.current = handle;
        slot.key = key;
    }

    void selectPen(std::uint32_t index)
    {
        if (index == 0) return selectStock(U_NULL_PEN, pen_);
        const TMfPen p = *GdiPen(image_.pens[index]);
        selectNew(pen_, index, [&](std::uint32_t h) -> char* {
            U_COLORREF c = colorref3_set(p.color & 0xFF, (p.color >> 8) & 0xFF, (p.color >> 16) & 0xFF);
            if ((p.style & PS_TYPE_MASK) != PS_GEOMETRIC && (p.style & PS_STYLE_MASK) != PS_USERSTYLE)
                return U_EMRCREATEPEN_set(h, logpen_set(static_cast<std::uint32_t>(p.style), U_POINT{0, 0}, c));
            std::vector<U_STYLEENTRY> dashes(p.dashes.begin(), p.dashes.end());
            PU_EXTLOGPEN elp = extlogpen_set(static_cast<std::uint32_t>(p.style), std::max(1, p.width), U_BS_SOLID, c,
                                             0, static_cast<U_NUM_STYLEENTRY>(dashes.size()),
                                             dashes.empty() ? nullptr : dashes.data());
            char* rec = U_EMREXTCREATEPEN_set(h, nullptr, 0, nullptr, elp);
            std::free(elp);
            return rec;
        });
    }

    void selectBrush(std::uint32_t index)
    {
        if (index == 0) return selectStock(U_NULL_BRUSH, brush_);
        const TMfBrush b = *GdiBrush(image_.brushes[index]);
        if (b.style == BS_HATCHED) {
            setBkMode(b.opaque ? U_OPAQUE : U_TRANSPARENT);
            if (b.opaque) setBkColor(b.paper);
        }
        selectNew(brush_, index, [&](std::uint32_t h) {
            U_COLORREF c = colorref3_set(b.color & 0xFF, (b.color >> 8) & 0xFF, (b.color >> 16) & 0xFF);
            return U_EMRCREATEBRUSHINDIRECT_set(
                h, logbrush_set(static_cast<std::uint32_t>(b.style), c, b.style == BS_HATCHED ? b.hatch : 0));
        });
    }

    void selectFont(std::uint32_t index, qreal angle)
    {
        const TMfFont f = GdiFont(image_.fonts[index], angle);
        const std::int64_t key = (static_cast<std::int64_t>(index) << 20) ^ (f.escapement & 0xFFFFF);
        selectNew(font_, key, [&](std::uint32_t h) {
            std::u16string face = f.face;
            face.resize(U_LF_FACESIZE - 1);
            std::vector<std::uint16_t> name(face.begin(), face.end());
            name.push_back(0);
            U_LOGFONT lf = logfont_set(f.height, 0, f.escapement, f.escapement, f.weight, f.italic, f.underline,
                                       f.strikeOut, U_DEFAULT_CHARSET, U_OUT_DEFAULT_PRECIS, U_CLIP_DEFAULT_PRECIS,
                                       static_cast<std::uint8_t>(f.quality), U_DEFAULT_PITCH, name.data());
            std::uint16_t empty[1] = {0};
            U_LOGFONT_PANOSE elfw = logfont_panose_set(lf, empty, empty, 0, U_PAN_ALL1);
            return U_EMREXTCREATEFONTINDIRECTW_set(h, nullptr, reinterpret_cast<const char*>(&elfw));
        });
    }

    void setBkMode(std::uint32_t mode)
    {
        if (bkMode_ == mode) return;
        take(U_EMRSETBKMODE_set(mode));
        bkMode_ = mode;
    }
    void setBkColor(TColorRef c)
    {
        if (bkColor_ == c) return;
        take(U_EMRSETBKCOLOR_set(colorref3_set(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)));
        bkColor_ = c;
    }
    void setTextColor(TColorRef c)
    {
        if (textColor_ == c) return;
        take(U_EMRSETTEXTCOLOR_set(colorref3_set(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)));
        textColor_ = c;
    }
    void setFillMode(Qt::FillRule rule)
    {
        const std::uint32_t mode = rule == Qt::WindingFill ? U_WINDING : U_ALTERNATE;
        if (fillMode_ == mode) return;
        take(U_EMRSETPOLYFILLMODE_set(mode));
        fillMode_ = mode;
    }
    void setRop2(QPainter::CompositionMode m)
    {
        std::uint32_t rop2 = U_R2_COPYPEN;
        switch (m) {
        case QPainter::RasterOp_ClearDestination: rop2 = U_R2_BLACK; break;
        case QPainter::RasterOp_NotSourceAndNotDestination: rop2 = U_R2_NOTMERGEPEN; break;
        case QPainter::RasterOp_NotSourceAndDestination: rop2 = U_R2_MASKNOTPEN; break;
        case QPainter::RasterOp_NotSource: rop2 = U_R2_NOTCOPYPEN; break;
        case QPainter::RasterOp_SourceAndNotDestination: rop2 = U_R2_MASKPENNOT; break;
        case QPainter::RasterOp_NotDestination: rop2 = U_R2_NOT; break;
        case QPainter::RasterOp_SourceXorDestination: rop2 = U_R2_XORPEN; break;
        case QPainter::RasterOp_NotSourceOrNotDestination: rop2 = U_R2_NOTMASKPEN; break;
        case QPainter::RasterOp_SourceAndDestination: rop2 = U_R2_MASKPEN; break;
        case QPainter::RasterOp_NotSourceXorDestination: rop2 = U_R2_NOTXORPEN; break;
        case QPainter::RasterOp_NotSourceOrDestination: rop2 = U_R2_MERGENOTPEN; break;
        case QPainter::RasterOp_SourceOrNotDestination: rop2 = U_R2_MERGEPENNOT; break;
        case QPainter::RasterOp_SourceOrDestination: rop2 = U_R2_MERGEPEN; break;
        case QPainter::RasterOp_SetDestination: rop2 = U_R2_WHITE; break;
        default: break;
        }
        if (rop2_ == rop2) return;
        take(U_EMRSETROP2_set(rop2));
        rop2_ = rop2;
    }

    // ---- records ----
    void record(const TMetafileRecord& r)
    {
        switch (r.kind) {
        case TMetafileRecord::Clip: clip(r); return;
        case TMetafileRecord::Text: text(r); return;
        case TMetafileRecord::Image: imageRecord(r); return;
        default: break;
        }
        if (NeedsRaster(image_, r)) {
            QRect where;
            const QImage piece = RasterPiece(image_, r, frame_, where);
            if (!piece.isNull()) pixels(QRectF(where), piece, true);
            return;
        }
        setRop2(r.mode);
        selectPen(r.pen);
        const U_RECTL bounds = rectl(RecordBounds(image_, r));
        switch (r.kind) {
        case TMetafileRecord::Polyline:
            if (fits16(r.points)) {
                const auto pts = points16(r.points);
                take(U_EMRPOLYLINE16_set(bounds, static_cast<std::uint32_t>(pts.size()), pts.data()));
            } else {
                const auto pts = points32(r.points);
                take(U_EMRPOLYLINE_set(bounds, static_cast<std::uint32_t>(pts.size()), pts.data()));
            }
            break;
        case TMetafileRecord::Rect: {
            selectBrush(r.brush);
            polygon(QPolygonF(r.rect), bounds, true);
            break;
        }
        case TMetafileRecord::Polygon:
            selectBrush(r.brush);
            setFillMode(r.fillRule);
            polygon(r.points, bounds, false);
            break;
        case TMetafileRecord::Ellipse: {
            selectBrush(r.brush);
            const QRectF e = r.rect.normalized();
            take(U_EMRELLIPSE_set(
                U_RECTL{ToUnit(e.left()), ToUnit(e.top()), ToUnit(e.right()) + 1, ToUnit(e.bottom()) + 1}));
            break;
        }
        case TMetafileRecord::Path:
            selectBrush(r.brush);
            setFillMode(r.path.fillRule());
            path(r.path, bounds, r.pen != 0, r.brush != 0);
            break;
        default: break;
        }
    }

    static std::vector<U_POINT16> points16(const QPolygonF& pts)
    {
        std::vector<U_POINT16> out;
        out.reserve(static_cast<std::size_t>(pts.size()));
        for (QPointF p : pts)
            out.push_back(U_POINT16{static_cast<int16_t>(ToUnit(p.x())), static_cast<int16_t>(ToUnit(p.y()))});
        return out;
    }
    static std::vector<U_POINTL> points32(const QPolygonF& pts)
    {
        std::vector<U_POINTL> out;
        out.reserve(static_cast<std::size_t>(pts.size()));
        for (QPointF p : pts) out.push_back(pointl(p));
        return out;
    }

    void polygon(QPolygonF pts, const U_RECTL& bounds, bool closedCopy)
    {
        if (closedCopy) pts.removeLast();  // QPolygonF(QRectF) repeats the first corner
        if (fits16(pts)) {
            const auto p = points16(pts);
            take(U_EMRPOLYGON16_set(bounds, static_cast<std::uint32_t>(p.size()), p.data()));
        } else {
            const auto p = points32(pts);
            take(U_EMRPOLYGON_set(bounds, static_cast<std::uint32_t>(p.size()), p.data()));
        }
    }

    // A path as a path bracket: figures of lines and Bezier curves.
    void bracket(const QPainterPath& p)
    {
        take(U_EMRBEGINPATH_set());
        QPolygonF run;
        bool curves = false;
        QPointF start;
        auto flush = [&] {
            if (run.isEmpty()) return;
            const auto pts = points32(run);
            const U_RECTL b = rectl(run.boundingRect());
            take(curves ? U_EMRPOLYBEZIERTO_set(b, static_cast<std::uint32_t>(pts.size()), pts.data())
                        : U_EMRPOLYLINETO_set(b, static_cast<std::uint32_t>(pts.size()), pts.data()));
            run.clear();
        };
        for (int i = 0; i < p.elementCount(); ++i) {
            const QPainterPath::Element e = p.elementAt(i);
            if (e.isMoveTo()) {
                flush();
                if (i > 0 && p.elementAt(i - 1).x == start.x() && p.elementAt(i - 1).y == start.y())
                    take(U_EMRCLOSEFIGURE_set());
                start = QPointF(e.x, e.y);
                take(U_EMRMOVETOEX_set(pointl(start)));
            } else if (e.isLineTo()) {
                if (curves) flush();
                curves = false;
                run << QPointF(e.x, e.y);
            } else if (e.isCurveTo()) {
                if (!curves) flush();
                curves = true;
                run << QPointF(e.x, e.y) << QPointF(p.elementAt(i + 1).x, p.elementAt(i + 1).y)
                    << QPointF(p.elementAt(i + 2).x, p.elementAt(i + 2).y);
                i += 2;
            }
        }
        flush();
        const int n = p.elementCount();
        if (n > 1 && p.elementAt(n - 1).x == start.x() && p.elementAt(n - 1).y == start.y())
            take(U_EMRCLOSEFIGURE_set());
        take(U_EMRENDPATH_set());
    }

    void path(const QPainterPath& p, const U_RECTL& bounds, bool stroke, bool fill)
    {
        // Figures of straight lines only are polygons or polylines, which every reader knows.
        bool curves = false;
        for (int i = 0; i < p.elementCount() && !curves; ++i) curves = p.elementAt(i).isCurveTo();
        if (!curves) {
            const QList<QPolygonF> figures = p.toSubpathPolygons();
            const bool allClosed = std::all_of(figures.begin(), figures.end(), [](const QPolygonF& f) {
                return f.size() > 2 && f.first() == f.last();
            });
            if ((allClosed || !fill) && !figures.isEmpty()) {
                std::vector<std::uint32_t> counts;
                QPolygonF all;
                for (QPolygonF f : figures) {
                    if (allClosed) f.removeLast();
                    counts.push_back(static_cast<std::uint32_t>(f.size()));
                    all << f;
                }
                const auto pts = points32(all);
                const auto nPolys = static_cast<std::uint32_t>(counts.size());
                const auto nPts = static_cast<std::uint32_t>(pts.size());
                if (allClosed)
                    take(U_EMRPOLYPOLYGON_set(bounds, nPolys, counts.data(), nPts, pts.data()));
                else
                    take(U_EMRPOLYPOLYLINE_set(bounds, nPolys, counts.data(), nPts, pts.data()));
                return;
            }
        }
        bracket(p);
        if (stroke && fill)
            take(U_EMRSTROKEANDFILLPATH_set(bounds));
        else if (fill)
            take(U_EMRFILLPATH_set(bounds));
        else
            take(U_EMRSTROKEPATH_set(bounds));
    }

    void clip(const TMetafileRecord& r)
    {
        switch (r.clip) {
        case TMetafileRecord::NoClip: raw({U_EMR_EXTSELECTCLIPRGN, 0, 0, U_RGN_COPY}); break;
        case TMetafileRecord::RegionClip: {
            // The box less the rest of the box: more readers know these records than regions.
            raw({U_EMR_EXTSELECTCLIPRGN, 0, 0, U_RGN_COPY});
            const QRect box = r.region.boundingRect();
            take(U_EMRINTERSECTCLIPRECT_set(rectOf(box)));
            for (const QRect& hole : QRegion(box) - r.region) take(U_EMREXCLUDECLIPRECT_set(rectOf(hole)));
            break;
        }
        case TMetafileRecord::PathClip:
            setFillMode(r.path.fillRule());
            bracket(r.path);
            take(U_EMRSELECTCLIPPATH_set(U_RGN_COPY));
            break;
        }
    }

    void text(const TMetafileRecord& r)
    {
        if (r.points.isEmpty() || r.font >= image_.fonts.size()) return;
        setRop2(QPainter::CompositionMode_SourceOver);
        selectFont(r.font, r.angle);
        setTextColor(ToColorRef(r.color));
        const std::u16string s = r.text.toStdU16String();
        std::vector<std::uint32_t> dx = TextAdvances(image_.fonts[r.font], r.text);
        const U_RECTL bounds = rectl(RecordBounds(image_, r));
        char* et = emrtext_set(pointl(r.points[0]), static_cast<U_NUM_STR>(s.size()), 2,
                               const_cast<char16_t*>(s.data()), U_ETO_NONE, bounds, dx.data());
        if (!et) throw EOutOfMemory("Out of memory");
        take(U_EMREXTTEXTOUTW_set(bounds, U_GM_COMPATIBLE, 0, 0, reinterpret_cast<PU_EMRTEXT>(et)));
        std::free(et);
    }

    void imageRecord(const TMetafileRecord& r)
    {
        if (r.image >= image_.images.size()) return;
        const QImage& img = image_.images[r.image];
        const QRect src = r.source.toAlignedRect() & img.rect();
        if (src.isEmpty()) return;
        const QImage part = src == img.rect() ? img : img.copy(src);
        pixels(r.rect, part, part.hasAlphaChannel());
    }

    void pixels(const QRectF& dest, const QImage& img, bool alpha)
    {
        setRop2(QPainter::CompositionMode_SourceOver);
        const TMfDib dib = MakeDib(img, alpha);
        U_BITMAPINFOHEADER bmih;
        std::memcpy(&bmih, dib.header.data(), sizeof bmih);
        PU_BITMAPINFO bmi = bitmapinfo_set(bmih, nullptr);
        if (!bmi) throw EOutOfMemory("Out of memory");
        const U_POINTL at = pointl(dest.topLeft());
        const U_POINTL size{ToUnit(dest.right()) - at.x, ToUnit(dest.bottom()) - at.y};
        const U_POINTL src{0, 0}, srcSize{img.width(), img.height()};
        const U_RECTL bounds = rectl(dest.normalized());
        auto* bits = reinterpret_cast<char*>(const_cast<Byte*>(dib.bits.data()));
        const auto cb = static_cast<std::uint32_t>(dib.bits.size());
        if (alpha) {
            const U_BLEND blend{0, 0, 255, U_AC_SRC_ALPHA};
            take(U_EMRALPHABLEND_set(bounds, at, size, src, srcSize, xform_set(1, 0, 0, 1, 0, 0),
                                     colorref3_set(0, 0, 0), U_DIB_RGB_COLORS, blend, bmi, cb, bits));
        } else {
            take(U_EMRSTRETCHDIBITS_set(bounds, at, size, src, srcSize, U_DIB_RGB_COLORS, U_SRCCOPY, bmi, cb, bits));
        }
        std::free(bmi);
    }

    const TMetafileImage& image_;
    QSize frame_, mm_;
    std::vector<Byte> body_;
    std::uint32_t records_ = 0;
    Slot pen_{1}, brush_{3}, font_{5};
    std::uint32_t bkMode_ = U_TRANSPARENT, fillMode_ = U_ALTERNATE, rop2_ = U_R2_COPYPEN;
    TColorRef bkColor_ = 0xFFFFFF, textColor_ = 0;
};

}  // namespace

std::vector<Byte> WriteEmf(const TMetafileImage& image, QSize frame, QSize mm)
{
    return EmfWriter(image, frame, mm).Run();
}

// ---------- reading ----------
namespace {

[[noreturn]] void corrupt(const char* what) { throw EInvalidGraphic(String("Invalid enhanced metafile: ") + what); }

template <class T>
T field(const Byte* rec, std::size_t size)
{
    T v{};
    std::memcpy(&v, rec, std::min(sizeof(T), size));
    return v;
}

std::uint32_t u32(const Byte* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
std::int32_t s32(const Byte* p) { return static_cast<std::int32_t>(u32(p)); }
std::int16_t s16(const Byte* p)
{
    std::int16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

QColor colorOf(const U_COLORREF& c) { return QColor(c.Red, c.Green, c.Blue); }
TColorRef refOf(const U_COLORREF& c) { return ToColorRef(colorOf(c)); }

struct EmfObject {
    enum Kind { None, Pen, Brush, Pattern, Font } kind = None;
    TMfPen pen;
    TMfBrush brush;
    QImage pattern;
    TMfFont font;
};

class EmfReader {
public:
    EmfReader(const Byte* data, std::size_t size) : data_(data), size_(size) {}

    TMetafileFile Run()
    {
        if (size_ < 88) corrupt("the header is cut short");
        const auto head = field<U_EMRHEADER>(data_, std::min<std::size_t>(size_, sizeof(U_EMRHEADER)));
        if (head.emr.iType != U_EMR_HEADER || head.dSignature != kEmfSignature || head.emr.nSize < 88 ||
            head.emr.nSize > size_ || head.emr.nSize % 4)
            corrupt("the header is damaged");
        if (head.nBytes > size_) corrupt("the file is cut short");
        const std::size_t end = head.nBytes >= head.emr.nSize ? head.nBytes : size_;
        TMetafileFile file;
        file.mmWidth = std::max(0, head.rclFrame.right - head.rclFrame.left + 1);
        file.mmHeight = std::max(0, head.rclFrame.bottom - head.rclFrame.top + 1);
        file.width = HundredthsMMToPixels(file.mmWidth);
        file.height = HundredthsMMToPixels(file.mmHeight);
        // Device units to the picture's pixels: through the reference device's millimetres.
        const qreal devX = head.szlDevice.cx > 0 && head.szlMillimeters.cx > 0
                               ? head.szlMillimeters.cx * 100.0 * kMetafileDpi / (head.szlDevice.cx * 2540.0)
                               : 1;
        const qreal devY = head.szlDevice.cy > 0 && head.szlMillimeters.cy > 0
                               ? head.szlMillimeters.cy * 100.0 * kMetafileDpi / (head.szlDevice.cy * 2540.0)
                               : 1;
        const QTransform toPicture = QTransform::fromScale(devX, devY) *
                                     QTransform::fromTranslate(-head.rclFrame.left * kMetafileDpi / 2540.0,
                                                               -head.rclFrame.top * kMetafileDpi / 2540.0);
        objects_.resize(std::clamp<std::size_t>(head.nHandles, 1, 65536));
        TMfBuilder b(QSize(file.width, file.height), toPicture);
        std::size_t at = head.emr.nSize;
        bool ended = false;
        while (at < end) {
            if (end - at < 8) corrupt("a record is cut short");
            const std::uint32_t type = u32(data_ + at), n = u32(data_ + at + 4);
            if (n < 8 || n % 4 || n > end - at) corrupt("a record's size is wrong");
            const Byte* rec = data_ + at;
            at += n;
            if (type == U_EMR_EOF) {
                ended = true;
                break;
            }
            if (!interpreted(type)) continue;
            if (!U_emf_record_safe(reinterpret_cast<const char*>(rec))) corrupt("a record is damaged");
            play(b, type, rec, n);
        }
        if (!ended) corrupt("the end record is missing");
        file.image = b.Finish();
        return file;
    }

private:
    // The records play() draws or keeps state from; only those are checked, so that a record this
    // reader skips never makes a file unreadable.
    static bool interpreted(std::uint32_t type)
    {
        static constexpr std::uint32_t known[] = {U_EMR_POLYBEZIER,
                                                  U_EMR_POLYGON,
                                                  U_EMR_POLYLINE,
                                                  U_EMR_POLYBEZIERTO,
                                                  U_EMR_POLYLINETO,
                                                  U_EMR_POLYPOLYLINE,
                                                  U_EMR_POLYPOLYGON,
                                                  U_EMR_SETWINDOWEXTEX,
                                                  U_EMR_SETWINDOWORGEX,
                                                  U_EMR_SETVIEWPORTEXTEX,
                                                  U_EMR_SETVIEWPORTORGEX,
                                                  U_EMR_SETPIXELV,
                                                  U_EMR_SETMAPMODE,
                                                  U_EMR_SETBKMODE,
                                                  U_EMR_SETPOLYFILLMODE,
                                                  U_EMR_SETROP2,
                                                  U_EMR_SETTEXTALIGN,
                                                  U_EMR_SETTEXTCOLOR,
                                                  U_EMR_SETBKCOLOR,
                                                  U_EMR_OFFSETCLIPRGN,
                                                  U_EMR_MOVETOEX,
                                                  U_EMR_EXCLUDECLIPRECT,
                                                  U_EMR_INTERSECTCLIPRECT,
                                                  U_EMR_SAVEDC,
                                                  U_EMR_RESTOREDC,
                                                  U_EMR_SETWORLDTRANSFORM,
                                                  U_EMR_MODIFYWORLDTRANSFORM,
                                                  U_EMR_SELECTOBJECT,
                                                  U_EMR_CREATEPEN,
                                                  U_EMR_CREATEBRUSHINDIRECT,
                                                  U_EMR_DELETEOBJECT,
                                                  U_EMR_ELLIPSE,
                                                  U_EMR_RECTANGLE,
                                                  U_EMR_ROUNDRECT,
                                                  U_EMR_ARC,
                                                  U_EMR_CHORD,
                                                  U_EMR_PIE,
                                                  U_EMR_LINETO,
                                                  U_EMR_ARCTO,
                                                  U_EMR_SETARCDIRECTION,
                                                  U_EMR_BEGINPATH,
                                                  U_EMR_ENDPATH,
                                                  U_EMR_CLOSEFIGURE,
                                                  U_EMR_FILLPATH,
                                                  U_EMR_STROKEANDFILLPATH,
                                                  U_EMR_STROKEPATH,
                                                  U_EMR_SELECTCLIPPATH,
                                                  U_EMR_ABORTPATH,
                                                  U_EMR_FILLRGN,
                                                  U_EMR_EXTSELECTCLIPRGN,
                                                  U_EMR_BITBLT,
                                                  U_EMR_STRETCHBLT,
                                                  U_EMR_SETDIBITSTODEVICE,
                                                  U_EMR_STRETCHDIBITS,
                                                  U_EMR_EXTCREATEFONTINDIRECTW,
                                                  U_EMR_EXTTEXTOUTA,
                                                  U_EMR_EXTTEXTOUTW,
                                                  U_EMR_POLYBEZIER16,
                                                  U_EMR_POLYGON16,
                                                  U_EMR_POLYLINE16,
                                                  U_EMR_POLYBEZIERTO16,
                                                  U_EMR_POLYLINETO16,
                                                  U_EMR_POLYPOLYLINE16,
                                                  U_EMR_POLYPOLYGON16,
                                                  U_EMR_CREATEMONOBRUSH,
                                                  U_EMR_CREATEDIBPATTERNBRUSHPT,
                                                  U_EMR_EXTCREATEPEN,
                                                  U_EMR_ALPHABLEND,
                                                  U_EMR_TRANSPARENTBLT};
        return std::find(std::begin(known), std::end(known), type) != std::end(known);
    }

    // Object indexes beyond the header's count are taken as they come (some writers count short).
    EmfObject* object(std::uint32_t ih)
    {
        if (ih == 0 || ih >= 65536) return nullptr;
        if (ih >= objects_.size()) objects_.resize(ih + 1);
        return &objects_[ih];
    }

    void select(TMfBuilder& b, std::uint32_t ih)
    {
        if (ih & U_STOCK_OBJECT) {
            switch (ih) {
            case U_WHITE_BRUSH: b.SetBrush({BS_SOLID, 0xFFFFFF}); break;
            case U_LTGRAY_BRUSH: b.SetBrush({BS_SOLID, 0xC0C0C0}); break;
            case U_GRAY_BRUSH: b.SetBrush({BS_SOLID, 0x808080}); break;
            case U_DKGRAY_BRUSH: b.SetBrush({BS_SOLID, 0x404040}); break;
            case U_BLACK_BRUSH: b.SetBrush({BS_SOLID, 0}); break;
            case U_NULL_BRUSH: b.SetBrush({BS_NULL, 0}); break;
            case U_WHITE_PEN: b.SetPen({PS_SOLID, 0, 0xFFFFFF, {}}); break;
            case U_BLACK_PEN: b.SetPen({PS_SOLID, 0, 0, {}}); break;
            case U_NULL_PEN: b.SetPen({PS_NULL, 0, 0, {}}); break;
            default:
                if (ih >= U_OEM_FIXED_FONT && ih <= U_DEFAULT_GUI_FONT && ih != 0x80000009) {
                    TMfFont f;
                    f.height = -12;
                    f.face = u"Arial";
                    b.SetFont(f);
                }
                break;
            }
            return;
        }
        const EmfObject* o = object(ih);
        if (!o) return;
        switch (o->kind) {
        case EmfObject::Pen: b.SetPen(o->pen); break;
        case EmfObject::Brush: b.SetBrush(o->brush); break;
        case EmfObject::Pattern: b.SetPatternBrush(o->pattern); break;
        case EmfObject::Font: b.SetFont(o->font); break;
        default: break;
        }
    }

    // A DIB the record points at (offsets from the record's start), or null.
    static QImage dib(const Byte* rec, std::size_t n, std::uint32_t offBmi, std::uint32_t cbBmi, std::uint32_t offBits,
                      std::uint32_t cbBits, bool alpha)
    {
        if (!cbBmi || offBmi > n || cbBmi > n - offBmi || offBits > n || cbBits > n - offBits) return {};
        return ReadDib(rec + offBmi, cbBmi, rec + offBits, cbBits, alpha);
    }

    static QPolygonF points(const Byte* rec, std::size_t n, std::size_t at, std::uint32_t count, bool small)
    {
        const std::size_t each = small ? 4 : 8;
        if (at > n || count > (n - at) / each) corrupt("a point list runs past its record");
        QPolygonF pts;
        pts.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const Byte* p = rec + at + i * each;
            if (small)
                pts << QPointF(s16(p), s16(p + 2));
            else
                pts << QPointF(s32(p), s32(p + 4));
        }
        return pts;
    }

    static std::vector<QPolygonF> polyPoints(const Byte* rec, std::size_t n, bool small)
    {
        if (n < 32) corrupt("a point list runs past its record");
        const std::uint32_t polys = u32(rec + 24), total = u32(rec + 28);
        if (polys > (n - 32) / 4) corrupt("a point list runs past its record");
        const QPolygonF all = points(rec, n, 32 + std::size_t{polys} * 4, total, small);
        std::vector<QPolygonF> out;
        qsizetype from = 0;
        for (std::uint32_t i = 0; i < polys; ++i) {
            const std::uint32_t c = u32(rec + 32 + i * 4);
            if (c > all.size() - from) corrupt("a polygon has more points than its record");
            out.push_back(all.mid(from, c));
            from += c;
        }
        return out;
    }

    static std::optional<QRegion> region(const Byte* rgn, std::size_t cb)
    {
        if (cb < sizeof(U_RGNDATAHEADER)) return std::nullopt;
        const auto h = field<U_RGNDATAHEADER>(rgn, cb);
        if (h.nCount > (cb - sizeof(U_RGNDATAHEADER)) / 16) corrupt("a region runs past its record");
        QRegion r;
        for (std::uint32_t i = 0; i < h.nCount; ++i) {
            const auto q = field<U_RECTL>(rgn + sizeof(U_RGNDATAHEADER) + i * 16, 16);
            r += QRect(QPoint(q.left, q.top), QPoint(q.right - 1, q.bottom - 1));
        }
        return r;
    }

    void play(TMfBuilder& b, std::uint32_t type, const Byte* rec, std::size_t n)
    {
        auto at = [&](std::size_t off) {
            if (off + 4 > n) corrupt("a record is shorter than its kind");
            return rec + off;
        };
        auto point = [&](std::size_t off) { return QPointF(s32(at(off)), s32(at(off + 4))); };
        auto box = [&](std::size_t off) {
            return QRectF(QPointF(s32(at(off)), s32(at(off + 4))), QPointF(s32(at(off + 8)), s32(at(off + 12))));
        };
        switch (type) {
        case U_EMR_POLYBEZIER: b.PolyBezier(points(rec, n, 28, u32(at(24)), false)); break;
        case U_EMR_POLYGON: b.Polygon(points(rec, n, 28, u32(at(24)), false)); break;
        case U_EMR_POLYLINE: b.Polyline(points(rec, n, 28, u32(at(24)), false)); break;
        case U_EMR_POLYBEZIERTO: b.PolyBezierTo(points(rec, n, 28, u32(at(24)), false)); break;
        case U_EMR_POLYLINETO: b.PolylineTo(points(rec, n, 28, u32(at(24)), false)); break;
        case U_EMR_POLYBEZIER16: b.PolyBezier(points(rec, n, 28, u32(at(24)), true)); break;
        case U_EMR_POLYGON16: b.Polygon(points(rec, n, 28, u32(at(24)), true)); break;
        case U_EMR_POLYLINE16: b.Polyline(points(rec, n, 28, u32(at(24)), true)); break;
        case U_EMR_POLYBEZIERTO16: b.PolyBezierTo(points(rec, n, 28, u32(at(24)), true)); break;
        case U_EMR_POLYLINETO16: b.PolylineTo(points(rec, n, 28, u32(at(24)), true)); break;
        case U_EMR_POLYPOLYLINE: b.PolyPolyline(polyPoints(rec, n, false)); break;
        case U_EMR_POLYPOLYGON: b.PolyPolygon(polyPoints(rec, n, false)); break;
        case U_EMR_POLYPOLYLINE16: b.PolyPolyline(polyPoints(rec, n, true)); break;
        case U_EMR_POLYPOLYGON16: b.PolyPolygon(polyPoints(rec, n, true)); break;
        case U_EMR_SETWINDOWEXTEX: b.SetWindowExt(QSizeF(s32(at(8)), s32(at(12)))); break;
        case U_EMR_SETWINDOWORGEX: b.SetWindowOrg(point(8)); break;
        case U_EMR_SETVIEWPORTEXTEX: b.SetViewportExt(QSizeF(s32(at(8)), s32(at(12)))); break;
        case U_EMR_SETVIEWPORTORGEX: b.SetViewportOrg(point(8)); break;
        case U_EMR_SETPIXELV: b.SetPixel(point(8), u32(at(16)) & 0xFFFFFF); break;
        case U_EMR_SETMAPMODE: b.SetMapMode(s32(at(8))); break;
        case U_EMR_SETBKMODE: b.SetBkMode(s32(at(8))); break;
        case U_EMR_SETPOLYFILLMODE: b.SetPolyFillMode(s32(at(8))); break;
        case U_EMR_SETROP2: b.SetRop2(s32(at(8))); break;
        case U_EMR_SETTEXTALIGN: b.SetTextAlign(u32(at(8))); break;
        case U_EMR_SETTEXTCOLOR: b.SetTextColor(u32(at(8)) & 0xFFFFFF); break;
        case U_EMR_SETBKCOLOR: b.SetBkColor(u32(at(8)) & 0xFFFFFF); break;
        case U_EMR_OFFSETCLIPRGN: b.OffsetClip(point(8)); break;
        case U_EMR_MOVETOEX: b.MoveTo(point(8)); break;
        case U_EMR_EXCLUDECLIPRECT: b.CombineClipRect(box(8), RGN_DIFF); break;
        case U_EMR_INTERSECTCLIPRECT: b.CombineClipRect(box(8), RGN_AND); break;
        case U_EMR_SAVEDC: b.SaveDC(); break;
        case U_EMR_RESTOREDC: b.RestoreDC(s32(at(8))); break;
        case U_EMR_SETWORLDTRANSFORM:
        case U_EMR_MODIFYWORLDTRANSFORM: {
            const auto x = field<U_XFORM>(at(8), n - 8);
            const QTransform xf(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy);
            if (type == U_EMR_SETWORLDTRANSFORM)
                b.SetWorldTransform(xf);
            else
                b.ModifyWorldTransform(xf, s32(at(32)));
            break;
        }
        case U_EMR_SELECTOBJECT: select(b, u32(at(8))); break;
        case U_EMR_CREATEPEN: {
            const auto r = field<U_EMRCREATEPEN>(rec, n);
            if (EmfObject* o = object(r.ihPen)) {
                *o = {};
                o->kind = EmfObject::Pen;
                o->pen.style = static_cast<int>(r.lopn.lopnStyle);
                o->pen.width = std::max(0, r.lopn.lopnWidth.x);
                if (o->pen.width > 1) o->pen.style |= PS_GEOMETRIC;
                o->pen.color = refOf(r.lopn.lopnColor);
            }
            break;
        }
        case U_EMR_EXTCREATEPEN: {
            const auto r = field<U_EMREXTCREATEPEN>(rec, n);
            if (EmfObject* o = object(r.ihPen)) {
                *o = {};
                o->kind = EmfObject::Pen;
                o->pen.style = static_cast<int>(r.elp.elpPenStyle);
                o->pen.width = static_cast<int>(std::min<std::uint32_t>(r.elp.elpWidth, 1 << 20));
                if ((o->pen.style & PS_TYPE_MASK) != PS_GEOMETRIC) o->pen.width = 0;
                o->pen.color = refOf(r.elp.elpColor);
                if (r.elp.elpBrushStyle == U_BS_NULL) o->pen.style = PS_NULL;
                const std::size_t entries = offsetof(U_EMREXTCREATEPEN, elp) + offsetof(U_EXTLOGPEN, elpStyleEntry);
                if (r.elp.elpNumEntries > (n - std::min(n, entries)) / 4) corrupt("a pen's dashes run past its record");
                for (std::uint32_t i = 0; i < r.elp.elpNumEntries; ++i)
                    o->pen.dashes.push_back(u32(rec + entries + i * 4));
            }
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT: {
            const auto r = field<U_EMRCREATEBRUSHINDIRECT>(rec, n);
            if (EmfObject* o = object(r.ihBrush)) {
                *o = {};
                o->kind = EmfObject::Brush;
                o->brush.style = r.lb.lbStyle == U_BS_HATCHED || r.lb.lbStyle == U_BS_NULL
                                     ? static_cast<int>(r.lb.lbStyle)
                                     : BS_SOLID;
                o->brush.color = refOf(r.lb.lbColor);
                o->brush.hatch = static_cast<int>(r.lb.lbHatch);
            }
            break;
        }
        case U_EMR_CREATEDIBPATTERNBRUSHPT:
        case U_EMR_CREATEMONOBRUSH: {
            const auto r = field<U_EMRCREATEDIBPATTERNBRUSHPT>(rec, n);
            if (EmfObject* o = object(r.ihBrush)) {
                *o = {};
                o->kind = EmfObject::Pattern;
                o->pattern = dib(rec, n, r.offBmi, r.cbBmi, r.offBits, r.cbBits, false);
            }
            break;
        }
        case U_EMR_EXTCREATEFONTINDIRECTW: {
            if (n < 12 + 92) corrupt("a font is cut short");
            const auto lf = field<U_LOGFONT>(rec + 12, 92);
            if (EmfObject* o = object(u32(rec + 8))) {
                *o = {};
                o->kind = EmfObject::Font;
                TMfFont& f = o->font;
                f.height = lf.lfHeight;
                f.escapement = lf.lfEscapement;
                f.weight = lf.lfWeight;
                f.italic = lf.lfItalic;
                f.underline = lf.lfUnderline;
                f.strikeOut = lf.lfStrikeOut;
                f.quality = lf.lfQuality;
                for (std::uint16_t ch : lf.lfFaceName) {
                    if (!ch) break;
                    f.face.push_back(static_cast<char16_t>(ch));
                }
            }
            break;
        }
        case U_EMR_DELETEOBJECT:
            if (EmfObject* o = object(u32(at(8)))) *o = {};
            break;
        case U_EMR_ELLIPSE: b.Ellipse(box(8)); break;
        case U_EMR_RECTANGLE: b.Rectangle(box(8)); break;
        case U_EMR_ROUNDRECT: b.RoundRect(box(8), QSizeF(s32(at(24)), s32(at(28)))); break;
        case U_EMR_ARC: b.Arc(box(8), point(24), point(32), TMfBuilder::ArcOnly); break;
        case U_EMR_CHORD: b.Arc(box(8), point(24), point(32), TMfBuilder::ChordKind); break;
        case U_EMR_PIE: b.Arc(box(8), point(24), point(32), TMfBuilder::PieKind); break;
        case U_EMR_ARCTO: b.Arc(box(8), point(24), point(32), TMfBuilder::ArcToKind); break;
        case U_EMR_LINETO: b.LineTo(point(8)); break;
        case U_EMR_SETARCDIRECTION: b.SetArcDirection(s32(at(8))); break;
        case U_EMR_BEGINPATH: b.BeginPath(); break;
        case U_EMR_ENDPATH: b.EndPath(); break;
        case U_EMR_CLOSEFIGURE: b.CloseFigure(); break;
        case U_EMR_FILLPATH: b.FillPath(); break;
        case U_EMR_STROKEANDFILLPATH: b.StrokeAndFillPath(); break;
        case U_EMR_STROKEPATH: b.StrokePath(); break;
        case U_EMR_SELECTCLIPPATH: b.SelectClipPath(s32(at(8))); break;
        case U_EMR_ABORTPATH: b.AbortPath(); break;
        case U_EMR_EXTSELECTCLIPRGN: {
            const std::uint32_t cb = u32(at(8));
            const int mode = s32(at(12));
            if (cb > n - 16) corrupt("a region runs past its record");
            const auto r = region(rec + 16, cb);
            b.SelectClipRegion(r ? &*r : nullptr, mode);
            break;
        }
        case U_EMR_FILLRGN: {
            const auto r = field<U_EMRFILLRGN>(rec, n);
            if (r.cbRgnData > n - std::min<std::size_t>(n, 32)) corrupt("a region runs past its record");
            const EmfObject* o = object(r.ihBrush);
            const auto rgn = region(rec + 32, r.cbRgnData);
            if (rgn && o && o->kind == EmfObject::Brush) b.FillRegion(*rgn, o->brush);
            break;
        }
        case U_EMR_BITBLT:
        case U_EMR_STRETCHBLT: {
            const auto r = field<U_EMRSTRETCHBLT>(rec, n);
            const QRectF dest(QPointF(r.Dest.x, r.Dest.y), QSizeF(r.cDest.x, r.cDest.y));
            if (!r.cbBmiSrc) {
                patBlt(b, dest, r.dwRop);
                break;
            }
            const QImage img = dib(rec, n, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc, false);
            const QSizeF src = type == U_EMR_STRETCHBLT ? QSizeF(r.cSrc.x, r.cSrc.y) : QSizeF(r.cDest.x, r.cDest.y);
            b.Image(dest, img, QRectF(QPointF(r.Src.x, r.Src.y), src));
            break;
        }
        case U_EMR_STRETCHDIBITS: {
            const auto r = field<U_EMRSTRETCHDIBITS>(rec, n);
            const QImage img = dib(rec, n, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc, false);
            // DIB source rows count from the bottom.
            const QRectF src(r.Src.x, img.height() - r.Src.y - r.cSrc.y, r.cSrc.x, r.cSrc.y);
            b.Image(QRectF(QPointF(r.Dest.x, r.Dest.y), QSizeF(r.cDest.x, r.cDest.y)), img, src);
            break;
        }
        case U_EMR_SETDIBITSTODEVICE: {
            const auto r = field<U_EMRSETDIBITSTODEVICE>(rec, n);
            const QImage img = dib(rec, n, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc, false);
            const QRectF src(r.Src.x, img.height() - r.Src.y - r.cSrc.y, r.cSrc.x, r.cSrc.y);
            b.Image(QRectF(QPointF(r.Dest.x, r.Dest.y), QSizeF(r.cSrc.x, r.cSrc.y)), img, src);
            break;
        }
        case U_EMR_ALPHABLEND:
        case U_EMR_TRANSPARENTBLT: {
            const auto r = field<U_EMRALPHABLEND>(rec, n);
            const bool alpha = type == U_EMR_ALPHABLEND && r.Blend.Op == U_AC_SRC_ALPHA;
            QImage img = dib(rec, n, r.offBmiSrc, r.cbBmiSrc, r.offBitsSrc, r.cbBitsSrc, alpha);
            if (img.isNull()) break;
            if (type == U_EMR_TRANSPARENTBLT) {
                const auto key = field<U_EMRTRANSPARENTBLT>(rec, n).TColor & 0xFFFFFF;
                img = img.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < img.height(); ++y) {
                    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
                    for (int x = 0; x < img.width(); ++x)
                        if (ToColorRef(QColor(line[x])) == key) line[x] = 0;
                }
            } else if (r.Blend.Global != 255) {
                QImage faded(img.size(), QImage::Format_ARGB32_Premultiplied);
                faded.fill(Qt::transparent);
                QPainter p(&faded);
                p.setOpacity(r.Blend.Global / 255.0);
                p.drawImage(0, 0, img);
                p.end();
                img = faded;
            }
            const QRectF src(r.Src.x, r.Src.y, r.cSrc.x, r.cSrc.y);
            b.Image(QRectF(QPointF(r.Dest.x, r.Dest.y), QSizeF(r.cDest.x, r.cDest.y)), img, src);
            break;
        }
        case U_EMR_EXTTEXTOUTA:
        case U_EMR_EXTTEXTOUTW: text(b, rec, n, type == U_EMR_EXTTEXTOUTW); break;
        default: break;  // known to the format, nothing to draw
        }
    }

    static void patBlt(TMfBuilder& b, const QRectF& dest, std::uint32_t rop)
    {
        TMfPen none{PS_NULL, 0, 0, {}};
        b.SaveDC();
        b.SetPen(none);
        switch (rop) {
        case U_BLACKNESS: b.SetBrush({BS_SOLID, 0}); break;
        case U_WHITENESS: b.SetBrush({BS_SOLID, 0xFFFFFF}); break;
        case U_PATCOPY: break;
        default: b.RestoreDC(-1); return;
        }
        b.Rectangle(dest.adjusted(0, 0, 1, 1));
        b.RestoreDC(-1);
    }

    static void text(TMfBuilder& b, const Byte* rec, std::size_t n, bool wide)
    {
        if (n < 76) corrupt("a text record is cut short");
        const QPointF ref(s32(rec + 36), s32(rec + 40));
        const std::uint32_t chars = u32(rec + 44), off = u32(rec + 48), options = u32(rec + 52);
        const std::size_t bytes = std::size_t{chars} * (wide ? 2 : 1);
        if (off > n || bytes > n - off) corrupt("a text runs past its record");
        QString s;
        if (wide) {
            std::u16string w(chars, u'\0');
            std::memcpy(w.data(), rec + off, bytes);
            s = QString::fromStdU16String(w);
        } else {
            s = QString::fromLatin1(reinterpret_cast<const char*>(rec + off), static_cast<qsizetype>(chars));
        }
        QRectF opaque;
        const bool hasRect = !(options & U_ETO_NO_RECT);
        if (hasRect && (options & U_ETO_OPAQUE))
            opaque = QRectF(QPointF(s32(rec + 56), s32(rec + 60)), QPointF(s32(rec + 64), s32(rec + 68)));
        b.TextOut(ref, s, opaque.isEmpty() ? nullptr : &opaque);
    }

    const Byte* data_;
    std::size_t size_;
    std::vector<EmfObject> objects_;
};

}  // namespace

bool LooksLikeEmf(const Byte* data, std::size_t size)
{
    return size >= 44 && u32(data) == U_EMR_HEADER && u32(data + 40) == kEmfSignature;
}

TMetafileFile ReadEmf(const Byte* data, std::size_t size) { return EmfReader(data, size).Run(); }
