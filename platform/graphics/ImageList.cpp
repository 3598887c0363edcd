#include "platform/graphics/ImageList.h"

#include <algorithm>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext_p.h"

TV_PUBLISHED(TCustomImageList) {}
TV_PUBLISHED(TImageList)
{
    PropColor("BkColor", &TImageList::BkColor, &TImageList::SetBkColor, clNone);
    Prop("Height", &TImageList::Height, &TImageList::SetHeight, 16);
    Prop("Masked", &TImageList::Masked, &TImageList::SetMasked, true);
    Prop("Width", &TImageList::Width, &TImageList::SetWidth, 16);
    Prop("OnChange", &TImageList::OnChange, &TImageList::SetOnChange);
}

struct TCustomImageList::Images {
    std::vector<QImage> list;  // ARGB32, width_ x height_
};

TChangeLink::~TChangeLink()
{
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change()
{
    if (onChange_) onChange_(sender_);
}

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner), images_(std::make_unique<Images>()) {}

TCustomImageList::~TCustomImageList()
{
    for (TChangeLink* l : links_) l->SetSender(nullptr);
}

void TCustomImageList::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomImageList*>(source)) {
        width_ = s->width_;
        height_ = s->height_;
        masked_ = s->masked_;
        bkColor_ = s->bkColor_;
        images_->list = s->images_->list;
        Change();
        return;
    }
    TComponent::Assign(source);
}

int TCustomImageList::Count() const { return static_cast<int>(images_->list.size()); }

void TCustomImageList::SetWidth(int w)
{
    if (w <= 0 || !AssignIfChanged(width_, w)) return;
    Clear();
}

void TCustomImageList::SetHeight(int h)
{
    if (h <= 0 || !AssignIfChanged(height_, h)) return;
    Clear();
}

void TCustomImageList::SetBkColor(TColor c)
{
    if (AssignIfChanged(bkColor_, c)) Change();
}

static std::vector<QImage> split(const QImage& all, int w, int h)
{
    std::vector<QImage> out;
    if (all.isNull()) return out;
    int n = std::max(1, all.width() / w);
    for (int i = 0; i < n; ++i) {
        QImage part(w, h, QImage::Format_ARGB32);
        part.fill(Qt::transparent);
        QPainter p(&part);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, all, i * w, 0, w, h);
        out.push_back(part);
    }
    return out;
}

static QImage withMask(const TBitmap* image, const TBitmap* mask)
{
    QImage img = BitmapImage(*image).convertToFormat(QImage::Format_ARGB32);
    if (mask && !mask->Empty()) {
        const QImage& m = BitmapImage(*mask);
        for (int y = 0; y < img.height() && y < m.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width() && x < m.width(); ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) line[x] = 0;
        }
    }
    return img;
}

int TCustomImageList::Add(TBitmap* image, TBitmap* mask)
{
    if (!image || image->Empty()) return -1;
    int first = Count();
    for (QImage& part : split(withMask(image, masked_ ? mask : nullptr), width_, height_))
        images_->list.push_back(part);
    Change();
    return first;
}

int TCustomImageList::AddMasked(TBitmap* image, TColor maskColor)
{
    if (!image || image->Empty()) return -1;
    QImage img = BitmapImage(*image).convertToFormat(QImage::Format_ARGB32);
    if (masked_) {
        TColorRef key = maskColor == clDefault ? ColorToRGB(image->TransparentColor()) : ColorToRGB(maskColor);
        QRgb k = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
        }
    }
    int first = Count();
    for (QImage& part : split(img, width_, height_)) images_->list.push_back(part);
    Change();
    return first;
}

void TCustomImageList::Replace(int index, TBitmap* image, TBitmap* mask)
{
    if (index < 0 || index >= Count() || !image) return;
    auto parts = split(withMask(image, masked_ ? mask : nullptr), width_, height_);
    if (parts.empty()) return;
    images_->list[static_cast<size_t>(index)] = parts.front();
    Change();
}

void TCustomImageList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    images_->list.erase(images_->list.begin() + index);
    Change();
}

void TCustomImageList::Clear()
{
    images_->list.clear();
    Change();
}

void TCustomImageList::Move(int cur, int to)
{
    if (cur < 0 || cur >= Count() || to < 0 || to >= Count() || cur == to) return;
    QImage img = images_->list[static_cast<size_t>(cur)];
    images_->list.erase(images_->list.begin() + cur);
    images_->list.insert(images_->list.begin() + to, img);
    Change();
}

void TCustomImageList::Draw(TCanvas* canvas, int x, int y, int index, bool enabled)
{
    if (!canvas || index < 0 || index >= Count()) return;
    DCPainterScope p(*canvas->Handle());
    if (!p) return;
    const QImage& img = images_->list[static_cast<size_t>(index)];
    if (bkColor_ != clNone) p->fillRect(QRect(x, y, width_, height_), ToQColor(bkColor_));
    if (enabled) {
        p->drawImage(x, y, img);
    } else {
        // The disabled look: the shape in the highlight colour one pixel down-right, then in the
        // shadow colour; only darker pixels of the image make up the shape.
        auto silhouette = [&](TColor c) {
            QImage s(img.size(), QImage::Format_ARGB32);
            QRgb col = ToQColor(c).rgb();
            for (int yy = 0; yy < img.height(); ++yy) {
                const auto* src = reinterpret_cast<const QRgb*>(img.constScanLine(yy));
                auto* dst = reinterpret_cast<QRgb*>(s.scanLine(yy));
                for (int xx = 0; xx < img.width(); ++xx)
                    dst[xx] = qAlpha(src[xx]) >= 128 && qGray(src[xx]) < 192 ? col : 0;
            }
            return s;
        };
        p->drawImage(x + 1, y + 1, silhouette(clBtnHighlight));
        p->drawImage(x, y, silhouette(clBtnShadow));
    }
}

void TCustomImageList::GetBitmap(int index, TBitmap* image)
{
    if (!image || index < 0 || index >= Count()) return;
    QImage img(width_, height_, QImage::Format_RGB32);
    img.fill(bkColor_ == clNone ? ToQColor(clBtnFace) : ToQColor(bkColor_));
    QPainter p(&img);
    p.drawImage(0, 0, images_->list[static_cast<size_t>(index)]);
    p.end();
    SetBitmapImage(*image, img);
}

void TCustomImageList::RegisterChanges(TChangeLink* link)
{
    if (!link || std::find(links_.begin(), links_.end(), link) != links_.end()) return;
    link->SetSender(this);
    links_.push_back(link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink* link)
{
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it == links_.end()) return;
    (*it)->SetSender(nullptr);
    links_.erase(it);
}

void TCustomImageList::BeginUpdate() { ++updateCount_; }

void TCustomImageList::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Change();
    }
}

void TCustomImageList::Change()
{
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    // A link may unregister itself from its handler: walk a copy.
    auto links = links_;
    for (TChangeLink* l : links)
        if (std::find(links_.begin(), links_.end(), l) != links_.end()) l->Change();
    if (onChange_) onChange_(this);
}
