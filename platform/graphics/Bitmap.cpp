// TBitmap. Pixels live in a QImage the device context paints on; palette formats (pf1bit,
// pf4bit, pf8bit) keep their indexed pixels separately and convert when the other side is needed.
#include "platform/graphics/Bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <cstring>

#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TBitmap) {}

namespace {

QImage::Format workFormat(TPixelFormat f)
{
    switch (f) {
    case pf24bit: return QImage::Format_BGR888;
    case pf15bit: return QImage::Format_RGB555;
    case pf16bit: return QImage::Format_RGB16;
    default: return QImage::Format_RGB32;
    }
}
bool isIndexed(TPixelFormat f) { return f == pf1bit || f == pf4bit || f == pf8bit; }

QList<QRgb> defaultPalette(TPixelFormat f)
{
    QList<QRgb> pal;
    if (f == pf1bit) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (f == pf4bit) {
        static const QRgb vga[16] = {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080,
                                     0xFF008080, 0xFF808080, 0xFFC0C0C0, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00,
                                     0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
        for (QRgb c : vga) pal << c;
        return pal;
    }
    // 6x6x6 colour cube plus greys.
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b) pal << qRgb(r * 51, g * 51, b * 51);
    for (int i = 0; pal.size() < 256; ++i) pal << qRgb(i * 6 + 8, i * 6 + 8, i * 6 + 8);
    return pal;
}

QImage toIndexed(const QImage& work, TPixelFormat f, const QList<QRgb>& pal)
{
    QImage::Format fmt = f == pf1bit ? QImage::Format_Mono : QImage::Format_Indexed8;
    return work.convertToFormat(fmt, pal.isEmpty() ? defaultPalette(f) : pal, Qt::ThresholdDither | Qt::AvoidDither);
}

// ---- BMP file structures (little-endian) ----
std::uint32_t rd32(const Byte* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint16_t rd16(const Byte* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void wr32(Byte* p, std::uint32_t v)
{
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
    p[2] = (v >> 16) & 0xFF;
    p[3] = (v >> 24) & 0xFF;
}
void wr16(Byte* p, std::uint16_t v)
{
    p[0] = v & 0xFF;
    p[1] = (v >> 8) & 0xFF;
}

[[noreturn]] void badBitmap() { throw EInvalidGraphic("Bitmap image is not valid"); }

int maskShift(std::uint32_t m)
{
    int s = 0;
    while (m && !(m & 1)) {
        m >>= 1;
        ++s;
    }
    return s;
}
int maskBits(std::uint32_t m)
{
    m >>= maskShift(m);
    int b = 0;
    while (m & 1) {
        m >>= 1;
        ++b;
    }
    return b;
}
int scaleTo8(std::uint32_t v, int bits)
{
    if (bits <= 0) return 0;
    if (bits >= 8) return static_cast<int>(v >> (bits - 8));
    return static_cast<int>((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
}

}  // namespace

// The canvas keeps one device context for the bitmap's whole life, so a handle taken from it
// stays valid when the bitmap is resized or reloaded (the context reopens on the new pixels).
class TBitmap::TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}
    void Release()
    {
        if (dc_) SuspendDC(*dc_);
    }
    bool Allocated() const { return dc_ != nullptr; }
    TBitmap* SurfaceBitmap() override { return HandleAllocated() && Handle() == dc_.get() ? &owner_ : nullptr; }

protected:
    void CreateHandle() override
    {
        owner_.syncWork();
        if (!dc_) dc_ = CreateImageDC(owner_.image_);
        SetHandle(dc_.get());
    }

private:
    TBitmap& owner_;
    std::unique_ptr<TDeviceContext> dc_;
};

TBitmap::TBitmap() : image_(std::make_shared<TPixelImage>()), indexedStore_(std::make_shared<TPixelImage>())
{
    image_->prepare = [this] { syncWork(); };
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : TBitmap()
{
    format_ = format;
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    freeCanvasHandle();
    canvas_.reset();
    image_->prepare = nullptr;
}

void TBitmap::freeCanvasHandle()
{
    if (canvas_) canvas_->Release();
}

void TBitmap::syncWork()
{
    if (isIndexed(format_) && !workIsMaster_) {
        freeCanvasHandle();
        image_->image = indexedStore_->image.convertToFormat(QImage::Format_RGB32);
        workIsMaster_ = true;
    }
}

void TBitmap::syncIndexed()
{
    if (isIndexed(format_) && workIsMaster_) {
        freeCanvasHandle();
        indexedStore_->image = toIndexed(image_->image, format_, indexedStore_->image.colorTable());
        workIsMaster_ = false;
    }
}

bool TBitmap::Empty() const { return image_->image.isNull() && indexedStore_->image.isNull(); }
int TBitmap::Width() const
{
    return workIsMaster_ || !isIndexed(format_) ? image_->image.width() : indexedStore_->image.width();
}
int TBitmap::Height() const
{
    return workIsMaster_ || !isIndexed(format_) ? image_->image.height() : indexedStore_->image.height();
}
void TBitmap::SetWidth(int w) { SetSize(w, Height()); }
void TBitmap::SetHeight(int h) { SetSize(Width(), h); }

void TBitmap::SetSize(int w, int h)
{
    w = std::max(w, 0);
    h = std::max(h, 0);
    if (w == Width() && h == Height()) return;
    if (static_cast<long long>(w) * h > (1LL << 28)) throw EOutOfMemory("Out of memory");
    syncWork();
    freeCanvasHandle();
    QImage old = image_->image;
    QImage img;
    if (w > 0 && h > 0) {
        img = QImage(w, h, workFormat(format_));
        if (img.isNull()) throw EOutOfMemory("Out of memory");
        img.fill(Qt::white);
        if (!old.isNull()) {
            QPainter p(&img);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, old);
        }
    }
    image_->image = img;
    workIsMaster_ = true;
    indexedStore_->image = QImage();
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat f)
{
    if (f == format_) return;
    syncWork();
    freeCanvasHandle();
    if (!image_->image.isNull()) image_->image = image_->image.convertToFormat(workFormat(f));
    format_ = f;
    workIsMaster_ = true;
    indexedStore_->image = QImage();
    Changed();
}

void TBitmap::SetMonochrome(bool m)
{
    if (m)
        SetPixelFormat(pf1bit);
    else if (format_ == pf1bit)
        SetPixelFormat(pfDevice);
}

Byte* TBitmap::ScanLine(int y)
{
    if (y < 0 || y >= Height()) throw EInvalidGraphicOperation("Scan line index out of range");
    if (isIndexed(format_)) {
        syncIndexed();
        return indexedStore_->image.scanLine(y);
    }
    // A shared buffer would detach under the painter: drop the painter first.
    if (!image_->image.isDetached()) freeCanvasHandle();
    return image_->image.scanLine(y);
}

const Byte* TBitmap::ScanLine(int y) const { return const_cast<TBitmap*>(this)->ScanLine(y); }

int TBitmap::BytesPerScanLine() const
{
    int w = Width();
    switch (format_) {
    case pf1bit: return (w + 7) / 8;
    case pf4bit:
    case pf8bit: return w;
    case pf15bit:
    case pf16bit: return w * 2;
    case pf24bit: return w * 3;
    default: return w * 4;
    }
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
    syncWork();
    return canvas_.get();
}

bool TBitmap::HandleAllocated() const { return canvas_ && canvas_->Allocated(); }

TColor TBitmap::TransparentColor() const
{
    if (transparentMode_ == tmFixed && transparentColor_ != clDefault) return transparentColor_;
    const QImage& img = BitmapImage(const_cast<TBitmap&>(*this));
    if (img.isNull()) return clDefault;
    QRgb p = img.pixel(0, img.height() - 1);
    return static_cast<TColor>(
        RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)), static_cast<Byte>(qBlue(p))));
}

void TBitmap::SetTransparentColor(TColor c)
{
    transparentColor_ = c;
    transparentMode_ = c == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode m)
{
    if (!AssignIfChanged(transparentMode_, m)) return;
    if (m == tmAuto)
        transparentColor_ = clDefault;
    else
        transparentColor_ = TransparentColor();
    Changed();
}

void TBitmap::Assign(TPersistent* source)
{
    if (source == this) return;
    if (!source) {
        freeCanvasHandle();
        image_->image = QImage();
        indexedStore_->image = QImage();
        workIsMaster_ = true;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        freeCanvasHandle();
        b->syncWork();
        image_->image = b->image_->image.copy();
        indexedStore_->image = QImage();
        workIsMaster_ = true;
        format_ = b->format_;
        alphaFormat_ = b->alphaFormat_;
        transparent_ = b->transparent_;
        transparentMode_ = b->transparentMode_;
        transparentColor_ = b->transparentColor_;
        xppm_ = b->xppm_;
        yppm_ = b->yppm_;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        freeCanvasHandle();
        image_->image = QImage();
        indexedStore_->image = QImage();
        workIsMaster_ = true;
        if (format_ == pfDevice) format_ = pf24bit;
        SetSize(g->Width(), g->Height());
        transparent_ = g->Transparent();
        if (!g->Empty()) Canvas()->Draw(0, 0, g);
        Changed();
        return;
    }
    TGraphic::Assign(source);
}

void TBitmap::ImageChanged()
{
    freeCanvasHandle();
    Changed();
}

void TBitmap::Draw(TCanvas& canvas, const TRect& rect)
{
    syncWork();
    if (image_->image.isNull()) return;
    HDC dc = canvas.Handle();
    TRect src{0, 0, image_->image.width(), image_->image.height()};
    if (transparent_) {
        dc->DrawImageTransparent(rect, *image_, src, TransparentColor());
    } else if (format_ == pf32bit && alphaFormat_ != afIgnored) {
        // Per-pixel alpha: the stored bytes are premultiplied (afDefined is premultiplied first).
        QImage src32 = image_->image;
        QImage pm(src32.constBits(), src32.width(), src32.height(), src32.bytesPerLine(),
                  alphaFormat_ == afPremultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_ARGB32);
        DCPainterScope p(*dc);
        if (p) p->drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), pm);
    } else {
        dc->DrawImage(rect, *image_, src, canvas.CopyMode());
    }
}

void TBitmap::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            Byte sz[4];
            s.ReadBuffer(sz, 4);
            TMemoryStream m;
            if (const std::uint32_t size = rd32(sz)) m.CopyFrom(s, size);
            m.SetPosition(0);
            if (m.Size() > 0) LoadFromStream(m);
        },
        [this](TStream& s) {
            TMemoryStream m;
            SaveToStream(m);
            const auto size = static_cast<std::uint32_t>(m.Size());
            const Byte sz[4] = {static_cast<Byte>(size), static_cast<Byte>(size >> 8), static_cast<Byte>(size >> 16),
                                static_cast<Byte>(size >> 24)};
            s.WriteBuffer(sz, 4);
            s.WriteBuffer(m.Memory(), m.Size());
        },
        !Empty());
}

// ---------- BMP ----------
void TBitmap::LoadFromStream(TStream& stream)
{
    const std::int64_t start = stream.Position();
    Byte fh[14];
    if (stream.Read(fh, 14) != 14 || fh[0] != 'B' || fh[1] != 'M') badBitmap();
    std::uint32_t offBits = rd32(fh + 10);
    Byte sizeBuf[4];
    if (stream.Read(sizeBuf, 4) != 4) badBitmap();
    std::uint32_t ihSize = rd32(sizeBuf);
    if (ihSize != 12 && ihSize != 40 && ihSize != 52 && ihSize != 56 && ihSize != 108 && ihSize != 124) badBitmap();
    std::vector<Byte> ih(ihSize);
    std::memcpy(ih.data(), sizeBuf, 4);
    if (stream.Read(ih.data() + 4, ihSize - 4) != static_cast<std::int64_t>(ihSize - 4)) badBitmap();

    std::int32_t w, h;
    int bpp;
    std::uint32_t compression = 0, clrUsed = 0;
    std::int32_t xppm = 0, yppm = 0;
    if (ihSize == 12) {
        w = rd16(ih.data() + 4);
        h = static_cast<std::int16_t>(rd16(ih.data() + 6));
        bpp = rd16(ih.data() + 10);
    } else {
        w = static_cast<std::int32_t>(rd32(ih.data() + 4));
        h = static_cast<std::int32_t>(rd32(ih.data() + 8));
        bpp = rd16(ih.data() + 14);
        compression = rd32(ih.data() + 16);
        xppm = static_cast<std::int32_t>(rd32(ih.data() + 24));
        yppm = static_cast<std::int32_t>(rd32(ih.data() + 28));
        clrUsed = rd32(ih.data() + 32);
    }
    bool topDown = h < 0;
    if (topDown) h = -h;
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > (1LL << 28)) badBitmap();
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) badBitmap();

    std::uint32_t masks[3] = {0, 0, 0};
    if (compression == 3 /*BI_BITFIELDS*/) {
        if (ihSize >= 52) {
            masks[0] = rd32(ih.data() + 40);
            masks[1] = rd32(ih.data() + 44);
            masks[2] = rd32(ih.data() + 48);
        } else {
            Byte m[12];
            if (stream.Read(m, 12) != 12) badBitmap();
            masks[0] = rd32(m);
            masks[1] = rd32(m + 4);
            masks[2] = rd32(m + 8);
        }
    } else if (compression != 0) {
        // Run-length and embedded formats: let Qt's reader decode them.
        stream.SetPosition(start);
        std::vector<char> all(static_cast<size_t>(stream.Size() - start));
        stream.ReadBuffer(all.data(), static_cast<std::int64_t>(all.size()));
        QImage img;
        if (!img.loadFromData(reinterpret_cast<const uchar*>(all.data()), static_cast<int>(all.size()), "BMP"))
            badBitmap();
        freeCanvasHandle();
        format_ = bpp <= 8 ? pf8bit : pf24bit;
        indexedStore_->image = bpp <= 8 ? img.convertToFormat(QImage::Format_Indexed8) : QImage();
        image_->image = img.convertToFormat(workFormat(format_));
        workIsMaster_ = true;
        xppm_ = xppm;
        yppm_ = yppm;
        Changed();
        return;
    }

    QList<QRgb> pal;
    if (bpp <= 8) {
        int n = clrUsed ? static_cast<int>(std::min<std::uint32_t>(clrUsed, 1u << bpp)) : (1 << bpp);
        int entry = ihSize == 12 ? 3 : 4;
        std::vector<Byte> p(static_cast<size_t>(n * entry));
        if (stream.Read(p.data(), static_cast<std::int64_t>(p.size())) != static_cast<std::int64_t>(p.size()))
            badBitmap();
        for (int i = 0; i < n; ++i)
            pal << qRgb(p[static_cast<size_t>(i * entry + 2)], p[static_cast<size_t>(i * entry + 1)],
                        p[static_cast<size_t>(i * entry)]);
        while (pal.size() < (1 << bpp)) pal << qRgb(0, 0, 0);
    }
    const long long rowSize = ((static_cast<long long>(w) * bpp + 31) / 32) * 4;
    std::vector<Byte> bits(static_cast<size_t>(rowSize * h));
    stream.SetPosition(start + offBits);
    if (stream.Read(bits.data(), static_cast<std::int64_t>(bits.size())) != static_cast<std::int64_t>(bits.size()))
        badBitmap();

    TPixelFormat fmt;
    switch (bpp) {
    case 1: fmt = pf1bit; break;
    case 4: fmt = pf4bit; break;
    case 8: fmt = pf8bit; break;
    case 16: fmt = (compression == 3 && masks[1] == 0x07E0) ? pf16bit : pf15bit; break;
    case 24: fmt = pf24bit; break;
    default: fmt = pf32bit; break;
    }
    QImage img;
    QImage idx;
    if (bpp <= 8) {
        idx = QImage(w, h, bpp == 1 ? QImage::Format_Mono : QImage::Format_Indexed8);
        idx.setColorTable(pal);
    } else {
        img = QImage(w, h, workFormat(fmt));
    }
    if ((bpp <= 8 && idx.isNull()) || (bpp > 8 && img.isNull())) throw EOutOfMemory("Out of memory");
    if (bpp == 16 && compression != 3) masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    if (bpp == 32 && compression != 3) masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF;
    for (int y = 0; y < h; ++y) {
        const Byte* src = bits.data() + rowSize * (topDown ? y : h - 1 - y);
        if (bpp == 1)
            std::memcpy(idx.scanLine(y), src, static_cast<size_t>((w + 7) / 8));
        else if (bpp == 8)
            std::memcpy(idx.scanLine(y), src, static_cast<size_t>(w));
        else if (bpp == 4) {
            Byte* d = idx.scanLine(y);
            for (int x = 0; x < w; ++x) d[x] = (x & 1) ? (src[x / 2] & 0x0F) : (src[x / 2] >> 4);
        } else if (bpp == 24)
            std::memcpy(img.scanLine(y), src, static_cast<size_t>(w) * 3);
        else if (bpp == 32 && compression != 3)
            std::memcpy(img.scanLine(y), src, static_cast<size_t>(w) * 4);
        else if (bpp == 16 && fmt == pf15bit && compression != 3)
            std::memcpy(img.scanLine(y), src, static_cast<size_t>(w) * 2);
        else if (bpp == 16 && fmt == pf16bit && masks[0] == 0xF800 && masks[2] == 0x1F)
            std::memcpy(img.scanLine(y), src, static_cast<size_t>(w) * 2);
        else {
            // Arbitrary bit fields: expand through 8-bit channels.
            auto* d = img.scanLine(y);
            for (int x = 0; x < w; ++x) {
                std::uint32_t v = bpp == 16 ? rd16(src + x * 2) : rd32(src + x * 4);
                int c[3];
                for (int k = 0; k < 3; ++k) c[k] = scaleTo8((v & masks[k]) >> maskShift(masks[k]), maskBits(masks[k]));
                if (bpp == 32) {
                    d[x * 4] = static_cast<Byte>(c[2]);
                    d[x * 4 + 1] = static_cast<Byte>(c[1]);
                    d[x * 4 + 2] = static_cast<Byte>(c[0]);
                    d[x * 4 + 3] = 0xFF;
                } else {
                    reinterpret_cast<std::uint16_t*>(d)[x] = static_cast<std::uint16_t>(
                        ((c[0] >> 3) << 11) | ((c[1] >> 2) << 5) | (c[2] >> 3));
                }
            }
        }
    }
    freeCanvasHandle();
    format_ = fmt;
    if (bpp <= 8) {
        indexedStore_->image = idx;
        image_->image = QImage();
        workIsMaster_ = false;
    } else {
        image_->image = img;
        indexedStore_->image = QImage();
        workIsMaster_ = true;
    }
    xppm_ = xppm;
    yppm_ = yppm;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream)
{
    int w = Width(), h = Height();
    int bpp;
    switch (format_) {
    case pf1bit: bpp = 1; break;
    case pf4bit: bpp = 4; break;
    case pf8bit: bpp = 8; break;
    case pf15bit:
    case pf16bit: bpp = 16; break;
    case pf24bit: bpp = 24; break;
    default: bpp = 32; break;
    }
    if (isIndexed(format_))
        syncIndexed();
    else
        syncWork();
    QList<QRgb> pal = isIndexed(format_) ? indexedStore_->image.colorTable() : QList<QRgb>();
    if (bpp == 4 && pal.size() > 16) pal.resize(16);
    while (isIndexed(format_) && pal.size() < (1 << bpp)) pal << qRgb(0, 0, 0);
    bool bitfields = format_ == pf16bit;
    const std::uint32_t rowSize = static_cast<std::uint32_t>(((static_cast<long long>(w) * bpp + 31) / 32) * 4);
    const std::uint32_t palBytes = static_cast<std::uint32_t>(pal.size() * 4) + (bitfields ? 12 : 0);
    const std::uint32_t offBits = 14 + 40 + palBytes;
    const std::uint32_t imageSize = rowSize * static_cast<std::uint32_t>(h);
    std::vector<Byte> head(offBits, 0);
    head[0] = 'B';
    head[1] = 'M';
    wr32(&head[2], offBits + imageSize);
    wr32(&head[10], offBits);
    wr32(&head[14], 40);
    wr32(&head[18], static_cast<std::uint32_t>(w));
    wr32(&head[22], static_cast<std::uint32_t>(h));
    wr16(&head[26], 1);
    wr16(&head[28], static_cast<std::uint16_t>(bpp));
    wr32(&head[30], bitfields ? 3 : 0);
    wr32(&head[34], imageSize);
    wr32(&head[38], static_cast<std::uint32_t>(xppm_));
    wr32(&head[42], static_cast<std::uint32_t>(yppm_));
    wr32(&head[46], static_cast<std::uint32_t>(pal.size()));
    size_t o = 54;
    if (bitfields) {
        wr32(&head[o], 0xF800);
        wr32(&head[o + 4], 0x07E0);
        wr32(&head[o + 8], 0x001F);
        o += 12;
    }
    for (QRgb c : pal) {
        head[o++] = static_cast<Byte>(qBlue(c));
        head[o++] = static_cast<Byte>(qGreen(c));
        head[o++] = static_cast<Byte>(qRed(c));
        head[o++] = 0;
    }
    stream.WriteBuffer(head.data(), static_cast<std::int64_t>(head.size()));
    std::vector<Byte> row(rowSize, 0);
    for (int y = h - 1; y >= 0; --y) {
        std::fill(row.begin(), row.end(), 0);
        if (bpp == 4) {
            const Byte* s = indexedStore_->image.constScanLine(y);
            for (int x = 0; x < w; ++x)
                row[static_cast<size_t>(x / 2)] |= static_cast<Byte>((s[x] & 0x0F) << ((x & 1) ? 0 : 4));
        } else if (isIndexed(format_)) {
            std::memcpy(row.data(), indexedStore_->image.constScanLine(y),
                        static_cast<size_t>(bpp == 1 ? (w + 7) / 8 : w));
        } else {
            std::memcpy(row.data(), image_->image.constScanLine(y),
                        static_cast<size_t>(w) * static_cast<size_t>(bpp / 8));
        }
        stream.WriteBuffer(row.data(), rowSize);
    }
}

// ---------- layer-private access ----------
QImage& BitmapImage(TBitmap& bitmap)
{
    bitmap.syncWork();
    return bitmap.image_->image;
}

const QImage& BitmapImage(const TBitmap& bitmap) { return BitmapImage(const_cast<TBitmap&>(bitmap)); }

void SetBitmapImage(TBitmap& bitmap, const QImage& image)
{
    bitmap.freeCanvasHandle();
    TPixelFormat f = pf32bit;
    switch (image.format()) {
    case QImage::Format_BGR888:
    case QImage::Format_RGB888: f = pf24bit; break;
    case QImage::Format_RGB16: f = pf16bit; break;
    case QImage::Format_RGB555: f = pf15bit; break;
    case QImage::Format_Grayscale8:
    case QImage::Format_Indexed8: f = pf24bit; break;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: f = pf1bit; break;
    default: f = pf32bit; break;
    }
    bitmap.format_ = f;
    bitmap.indexedStore_->image = QImage();
    bitmap.workIsMaster_ = true;
    if (f == pf32bit && image.hasAlphaChannel()) {
        // Keep the alpha bytes: the 32-bit surface stores them as they are (premultiplied).
        QImage pm = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage raw(pm.width(), pm.height(), QImage::Format_RGB32);
        for (int y = 0; y < pm.height(); ++y)
            std::memcpy(raw.scanLine(y), pm.constScanLine(y), static_cast<size_t>(pm.width()) * 4);
        bitmap.image_->image = raw;
    } else {
        bitmap.image_->image = image.convertToFormat(workFormat(f));
    }
    bitmap.Changed();
}
