#include "platform/graphics/Metafile.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/MetafileFormats_p.h"
#include "platform/graphics/MetafileRecorder_p.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TMetafile) {}
TV_PUBLISHED(TMetafileCanvas) {}

// ---------- TMetafile ----------
TMetafile::TMetafile() = default;
TMetafile::~TMetafile() = default;

void TMetafile::Assign(TPersistent* source)
{
    if (source == this) return;
    if (!source) {
        Clear();
        return;
    }
    if (auto* m = dynamic_cast<TMetafile*>(source)) {
        image_ = m->image_;
        width_ = m->width_;
        height_ = m->height_;
        mmWidth_ = m->mmWidth_;
        mmHeight_ = m->mmHeight_;
        enhanced_ = m->enhanced_;
        transparent_ = m->transparent_;
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        image_.reset();
        SetWidth(g->Width());
        SetHeight(g->Height());
        {
            TMetafileCanvas canvas(this, nullptr);
            canvas.Draw(0, 0, g);
        }
        return;
    }
    TGraphic::Assign(source);
}

bool TMetafile::Empty() const { return !image_; }
int TMetafile::Width() const { return width_; }
int TMetafile::Height() const { return height_; }

void TMetafile::SetWidth(int w)
{
    w = std::max(0, w);
    if (!AssignIfChanged(width_, w)) return;
    mmWidth_ = PixelsToHundredthsMM(w);
    Changed();
}

void TMetafile::SetHeight(int h)
{
    h = std::max(0, h);
    if (!AssignIfChanged(height_, h)) return;
    mmHeight_ = PixelsToHundredthsMM(h);
    Changed();
}

int TMetafile::MMWidth() const { return mmWidth_; }
int TMetafile::MMHeight() const { return mmHeight_; }

void TMetafile::SetMMWidth(int w)
{
    w = std::max(0, w);
    if (!AssignIfChanged(mmWidth_, w)) return;
    width_ = HundredthsMMToPixels(w);
    Changed();
}

void TMetafile::SetMMHeight(int h)
{
    h = std::max(0, h);
    if (!AssignIfChanged(mmHeight_, h)) return;
    height_ = HundredthsMMToPixels(h);
    Changed();
}

void TMetafile::SetEnhanced(bool e)
{
    if (AssignIfChanged(enhanced_, e)) Changed();
}

void TMetafile::Clear()
{
    image_.reset();
    width_ = height_ = mmWidth_ = mmHeight_ = 0;
    Changed();
}

void TMetafile::SetImage(std::shared_ptr<const TMetafileImage> image)
{
    image_ = std::move(image);
    if (image_ && (width_ == 0 || height_ == 0)) {
        width_ = image_->size.width();
        height_ = image_->size.height();
        mmWidth_ = PixelsToHundredthsMM(width_);
        mmHeight_ = PixelsToHundredthsMM(height_);
    }
    Changed();
}

void TMetafile::LoadFromStream(TStream& stream)
{
    const std::int64_t n = stream.Size() - stream.Position();
    std::vector<Byte> bytes(static_cast<std::size_t>(std::max<std::int64_t>(n, 0)));
    if (n > 0) stream.ReadBuffer(bytes.data(), n);
    TMetafileFile file;
    bool enhanced = true;
    if (LooksLikeEmf(bytes.data(), bytes.size())) {
        file = ReadEmf(bytes.data(), bytes.size());
    } else if (LooksLikeWmf(bytes.data(), bytes.size())) {
        file = ReadWmf(bytes.data(), bytes.size());
        enhanced = false;
    } else {
        throw EInvalidGraphic("Invalid metafile: neither an enhanced nor a Windows metafile");
    }
    image_ = std::move(file.image);
    width_ = file.width;
    height_ = file.height;
    mmWidth_ = file.mmWidth;
    mmHeight_ = file.mmHeight;
    enhanced_ = enhanced;
    Changed();
}

void TMetafile::SaveToStream(TStream& stream)
{
    const TMetafileImage blank;
    const TMetafileImage& image = image_ ? *image_ : blank;
    const std::vector<Byte> bytes = enhanced_ ? WriteEmf(image, QSize(width_, height_), QSize(mmWidth_, mmHeight_))
                                              : WriteWmf(image, QSize(width_, height_));
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TMetafile::Draw(TCanvas& canvas, const TRect& rect)
{
    if (!image_) return;
    DCPainterScope p(*canvas.Handle());
    if (p) image_->Play(*p, QRectF(rect.Left, rect.Top, rect.Width(), rect.Height()), QSize(width_, height_));
}

// ---------- TMetafileCanvas ----------
class TMetafileCanvas::Recorder {
public:
    explicit Recorder(QSize size) : device(size)
    {
        painter.begin(&device);
        dc = CreatePainterDC(painter, QSize(device.width(), device.height()));
    }
    TMetafileRecorder device;
    QPainter painter;
    std::unique_ptr<TDeviceContext> dc;
};

TMetafileCanvas::TMetafileCanvas(TMetafile* metafile, HDC) : metafile_(metafile)
{
    if (!metafile_) throw EInvalidOperation("A metafile canvas needs a metafile");
    EnsureGuiApplication();
    recorder_ = std::make_unique<Recorder>(QSize(metafile_->Width(), metafile_->Height()));
}

TMetafileCanvas::~TMetafileCanvas()
{
    SetHandle(nullptr);
    recorder_->dc.reset();
    recorder_->painter.end();
    metafile_->SetImage(recorder_->device.Take());
}

void TMetafileCanvas::CreateHandle() { SetHandle(recorder_->dc.get()); }
