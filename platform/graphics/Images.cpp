#include "platform/graphics/Images.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <jpeglib.h>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TRasterImage) {}
TV_PUBLISHED(TJPEGImage)
{
    Prop("CompressionQuality", &TJPEGImage::CompressionQuality, &TJPEGImage::SetCompressionQuality, 90);
    Prop("Grayscale", &TJPEGImage::Grayscale, &TJPEGImage::SetGrayscale, false);
}
TV_PUBLISHED(TPngImage) {}
TV_PUBLISHED(TGIFImage) {}
TV_PUBLISHED(TIcon) {}

// ---------- TRasterImage ----------
TRasterImage::TRasterImage() : bitmap_(std::make_unique<TBitmap>()) {}
TRasterImage::~TRasterImage() = default;

void TRasterImage::Assign(TPersistent* source)
{
    if (auto* r = dynamic_cast<TRasterImage*>(source); r && &r->ClassType() == &ClassType()) {
        bitmap_->Assign(r->bitmap_.get());
        data_ = r->data_;
        transparent_ = r->transparent_;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(source)) {
        assignBitmap(b);
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        TBitmap tmp;
        tmp.Assign(g);
        assignBitmap(&tmp);
        return;
    }
    TGraphic::Assign(source);
}

void TRasterImage::assignBitmap(TBitmap* b)
{
    bitmap_->Assign(b);
    data_.clear();
    Changed();
}

void TRasterImage::LoadFromStream(TStream& stream)
{
    std::int64_t n = stream.Size() - stream.Position();
    std::vector<Byte> bytes(static_cast<size_t>(std::max<std::int64_t>(n, 0)));
    if (n > 0) stream.ReadBuffer(bytes.data(), n);
    std::vector<Byte> keep = std::move(data_);
    data_ = std::move(bytes);
    try {
        decode();
    } catch (...) {
        data_ = std::move(keep);  // a bad file leaves the picture as it was
        throw;
    }
    Changed();
}

void TRasterImage::SaveToStream(TStream& stream)
{
    if (data_.empty() && !bitmap_->Empty()) encode();
    if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TRasterImage::Draw(TCanvas& canvas, const TRect& rect)
{
    bitmap_->SetTransparent(false);
    bitmap_->Draw(canvas, rect);
}

// Qt-decoded formats: pixels with alpha become a premultiplied 32-bit bitmap.
static void decodeWithQt(const std::vector<Byte>& data, const char* format, TBitmap& bmp, const char* error)
{
    EnsureGuiApplication();
    QImage img;
    if (data.empty() || !img.loadFromData(data.data(), static_cast<int>(data.size()), format))
        throw EInvalidGraphic(error);
    if (img.hasAlphaChannel()) {
        SetBitmapImage(bmp, img.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        bmp.SetAlphaFormat(afPremultiplied);
    } else {
        SetBitmapImage(bmp, img.convertToFormat(QImage::Format_BGR888));
        bmp.SetAlphaFormat(afIgnored);
    }
}

void TPngImage::decode() { decodeWithQt(data_, "PNG", *bitmap_, "The PNG image is not valid"); }

void TPngImage::encode()
{
    QImage img = BitmapImage(*bitmap_);
    if (bitmap_->AlphaFormat() != afIgnored && bitmap_->PixelFormat() == pf32bit)
        img = QImage(img.constBits(), img.width(), img.height(), img.bytesPerLine(),
                     QImage::Format_ARGB32_Premultiplied)
                  .copy();
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    if (!img.save(&buf, "PNG")) throw EInvalidGraphicOperation("Cannot save the PNG image");
    data_.assign(out.begin(), out.end());
}

void TGIFImage::decode() { decodeWithQt(data_, "GIF", *bitmap_, "The GIF image is not valid"); }
void TGIFImage::encode() { throw EInvalidGraphicOperation("GIF images can only be saved as loaded"); }
void TIcon::decode() { decodeWithQt(data_, "ICO", *bitmap_, "Invalid icon"); }
void TIcon::encode() { throw EInvalidGraphicOperation("Icons can only be saved as loaded"); }

// ---------- JPEG on libjpeg ----------
namespace {

struct JpegError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr cinfo)
{
    auto* e = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, e->message);
    std::longjmp(e->jump, 1);
}
void onJpegMessage(j_common_ptr) {}  // warnings stay quiet

// The setjmp frames hold only trivially destructible locals: a longjmp out of libjpeg must
// not skip destructors.
bool readHeader(jpeg_decompress_struct* c, JpegError* e, const Byte* data, size_t size, int scaleDenom, bool gray,
                bool fast)
{
    if (setjmp(e->jump)) return false;
    jpeg_mem_src(c, data, static_cast<unsigned long>(size));
    jpeg_read_header(c, TRUE);
    c->scale_num = 1;
    c->scale_denom = static_cast<unsigned>(scaleDenom);
    if (c->jpeg_color_space == JCS_CMYK || c->jpeg_color_space == JCS_YCCK)
        c->out_color_space = JCS_CMYK;
    else if (gray || c->num_components == 1)
        c->out_color_space = JCS_GRAYSCALE;
    else
        c->out_color_space = JCS_EXT_BGR;
    if (fast) {
        c->dct_method = JDCT_IFAST;
        c->do_fancy_upsampling = FALSE;
    }
    jpeg_calc_output_dimensions(c);
    return true;
}

bool readPixels(jpeg_decompress_struct* c, JpegError* e, Byte* rows, size_t stride)
{
    if (setjmp(e->jump)) return false;
    jpeg_start_decompress(c);
    while (c->output_scanline < c->output_height) {
        JSAMPROW row = rows + stride * c->output_scanline;
        jpeg_read_scanlines(c, &row, 1);
    }
    jpeg_finish_decompress(c);
    return true;
}

bool writeJpeg(jpeg_compress_struct* c, JpegError* e, const Byte* rows, size_t stride, int w, int h, int quality,
               bool gray, bool progressive, unsigned char** out, unsigned long* outSize)
{
    if (setjmp(e->jump)) return false;
    jpeg_mem_dest(c, out, outSize);
    c->image_width = static_cast<JDIMENSION>(w);
    c->image_height = static_cast<JDIMENSION>(h);
    c->input_components = 3;
    c->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(c);
    jpeg_set_quality(c, quality, TRUE);
    if (gray) jpeg_set_colorspace(c, JCS_GRAYSCALE);
    if (progressive) jpeg_simple_progression(c);
    jpeg_start_compress(c, TRUE);
    while (c->next_scanline < c->image_height) {
        JSAMPROW row = const_cast<Byte*>(rows + stride * c->next_scanline);
        jpeg_write_scanlines(c, &row, 1);
    }
    jpeg_finish_compress(c);
    return true;
}

}  // namespace

void TJPEGImage::SetCompressionQuality(int q) { quality_ = std::clamp(q, 1, 100); }

void TJPEGImage::SetGrayscale(bool g)
{
    if (!AssignIfChanged(grayscale_, g)) return;
    if (!data_.empty()) {
        decode();
        Changed();
    }
}

void TJPEGImage::SetScale(TJPEGScale s)
{
    if (!AssignIfChanged(scale_, s)) return;
    if (!data_.empty()) {
        decode();
        Changed();
    }
}

void TJPEGImage::SetPerformance(TJPEGPerformance p)
{
    if (!AssignIfChanged(performance_, p)) return;
    if (!data_.empty()) {
        decode();
        Changed();
    }
}

void TJPEGImage::decode()
{
    static constexpr int denoms[] = {1, 2, 4, 8};
    jpeg_decompress_struct c{};
    JpegError e{};
    c.err = jpeg_std_error(&e.pub);
    e.pub.error_exit = onJpegError;
    e.pub.output_message = onJpegMessage;
    jpeg_create_decompress(&c);
    auto fail = [&](const char* what) {
        jpeg_destroy_decompress(&c);
        throw EInvalidGraphic(String("JPEG error #") + what);
    };
    if (data_.empty()) fail("not a JPEG file");
    if (!readHeader(&c, &e, data_.data(), data_.size(), denoms[scale_], grayscale_, performance_ == jpBestSpeed))
        fail(e.message);
    const int w = static_cast<int>(c.output_width), h = static_cast<int>(c.output_height);
    const int comps = c.output_components;
    if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > (1LL << 28)) fail("image too large");
    std::vector<Byte> rows(static_cast<size_t>(w) * static_cast<size_t>(comps) * static_cast<size_t>(h));
    if (!readPixels(&c, &e, rows.data(), static_cast<size_t>(w * comps))) fail(e.message);
    storedWidth_ = static_cast<int>(c.image_width);
    storedHeight_ = static_cast<int>(c.image_height);
    bool adobeInverted = c.saw_Adobe_marker;
    jpeg_destroy_decompress(&c);

    TBitmap bmp(w, h, pf24bit);
    for (int y = 0; y < h; ++y) {
        Byte* d = bmp.ScanLine(y);
        const Byte* s = rows.data() + static_cast<size_t>(y) * static_cast<size_t>(w * comps);
        for (int x = 0; x < w; ++x) {
            if (comps == 3) {
                d[x * 3] = s[x * 3];
                d[x * 3 + 1] = s[x * 3 + 1];
                d[x * 3 + 2] = s[x * 3 + 2];
            } else if (comps == 1) {
                d[x * 3] = d[x * 3 + 1] = d[x * 3 + 2] = s[x];
            } else {
                // CMYK: Adobe files store the channels inverted.
                int C = s[x * 4], M = s[x * 4 + 1], Y = s[x * 4 + 2], K = s[x * 4 + 3];
                if (!adobeInverted) C = 255 - C, M = 255 - M, Y = 255 - Y, K = 255 - K;
                d[x * 3 + 2] = static_cast<Byte>(C * K / 255);
                d[x * 3 + 1] = static_cast<Byte>(M * K / 255);
                d[x * 3] = static_cast<Byte>(Y * K / 255);
            }
        }
    }
    bitmap_->Assign(&bmp);
}

void TJPEGImage::encode()
{
    if (bitmap_->Empty()) {
        data_.clear();
        return;
    }
    TBitmap bgr;
    bgr.Assign(bitmap_.get());
    bgr.SetPixelFormat(pf24bit);
    const int w = bgr.Width(), h = bgr.Height();
    std::vector<Byte> rows(static_cast<size_t>(w) * 3 * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(rows.data() + static_cast<size_t>(y) * w * 3, bgr.ScanLine(y), static_cast<size_t>(w) * 3);
    jpeg_compress_struct c{};
    JpegError e{};
    c.err = jpeg_std_error(&e.pub);
    e.pub.error_exit = onJpegError;
    e.pub.output_message = onJpegMessage;
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    bool ok = writeJpeg(&c, &e, rows.data(), static_cast<size_t>(w) * 3, w, h, quality_, grayscale_, progressive_, &out,
                        &outSize);
    jpeg_destroy_compress(&c);
    if (ok && out) data_.assign(out, out + outSize);
    std::free(out);
    if (!ok) throw EInvalidGraphicOperation(String("JPEG error #") + e.message);
    storedWidth_ = w;
    storedHeight_ = h;
}

void TJPEGImage::Compress() { encode(); }
