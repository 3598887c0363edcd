#include "chart/canvas/Filters.h"

#include <algorithm>
#include <cstring>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Geometry.h"
#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Resources.h"

// ---- TFilterRegion ----

TV_PUBLISHED(TFilterRegion)
{
    Prop("Left", &TFilterRegion::Left, &TFilterRegion::SetLeft, 0);
    Prop("Top", &TFilterRegion::Top, &TFilterRegion::SetTop, 0);
    Prop("Width", &TFilterRegion::Width, &TFilterRegion::SetWidth, 0);
    Prop("Height", &TFilterRegion::Height, &TFilterRegion::SetHeight, 0);
}

void TFilterRegion::Assign(TPersistent* source)
{
    auto* r = dynamic_cast<TFilterRegion*>(source);
    if (!r) return inherited::Assign(source);
    left_ = r->left_;
    top_ = r->top_;
    width_ = r->width_;
    height_ = r->height_;
}

// ---- TZebFilter ----

TV_PUBLISHED(TZebFilter)
{
    Prop("Enabled", &TZebFilter::Enabled, &TZebFilter::SetEnabled, true);
    Prop("Region", &TZebFilter::Region, &TZebFilter::SetRegion).Stored(&TZebFilter::IsRegionStored);
}

TZebFilter::TZebFilter(TCollection* collection) : TCollectionItem(collection) {}

TZebFilter::~TZebFilter() { TObject::Free(region_); }

void TZebFilter::Assign(TPersistent* source)
{
    auto* f = dynamic_cast<TZebFilter*>(source);
    if (!f) return inherited::Assign(source);
    SetEnabled(f->enabled_);
    SetRegion(f->Region());
}

void TZebFilter::SetEnabled(bool value)
{
    if (!AssignIfChanged(enabled_, value)) return;
    Changed(false);
    SettingChanged();
}

TFilterRegion* TZebFilter::Region()
{
    if (!region_) region_ = new TFilterRegion();
    return region_;
}

void TZebFilter::SetRegion(TFilterRegion* value)
{
    if (!value) {
        TObject::Free(region_);
        region_ = nullptr;
    } else {
        Region()->Assign(value);
    }
    Changed(false);
}

TRect TZebFilter::RegionRect(int width, int height) const
{
    if (!region_) return {0, 0, width - 1, height - 1};
    TRect r;
    r.Left = region_->Left();
    r.Top = region_->Top();
    r.Right = region_->Width() != 0 ? std::min(width - 1, r.Left + region_->Width()) : std::max(r.Left, width - 1);
    r.Bottom = region_->Height() != 0 ? std::min(height - 1, r.Top + region_->Height()) : std::max(r.Top, height - 1);
    return r;
}

void TZebFilter::ApplyToBitmap(TBitmap& bitmap) { Apply(bitmap, RegionRect(bitmap.Width(), bitmap.Height())); }

void TZebFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    (void)rect;
    if (reuseLines_) return;
    lines_ = pixels32_ ? BitmapScanLines32(bitmap) : BitmapScanLines24(bitmap);
}

void TZebFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    (void)builder;
    onChange_ = std::move(onChange);
}

String TZebFilter::GetDescription() const { return ClassName(); }

void TZebFilter::SettingChanged()
{
    if (onChange_) onChange_(this);
}

void TZebFilter::ApplyClassTo(const TMetaClass& filterClass, TBitmap& bitmap)
{
    TCollectionItem* item = filterClass.CreateItem(nullptr);
    auto* filter = dynamic_cast<TZebFilter*>(item);
    if (!filter) {
        TObject::Free(item);
        return;
    }
    try {
        filter->ApplyToBitmap(bitmap);
    } catch (...) {
        filter->Free();
        throw;
    }
    filter->Free();
}

// ---- TFilterItems ----

TV_PUBLISHED(TFilterItems) {}

TFilterItems::TFilterItems(TPersistent* owner) : TOwnedCollection(owner, TZebFilter::StaticClass()) {}

void TFilterItems::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TFilterItems*>(source);
    if (!other) return inherited::Assign(source);
    if (other == this) return;
    Clear();
    BeginUpdate();
    try {
        for (int i = 0; i < other->Count(); ++i) Add(other->Items(i)->ClassType())->Assign(other->Items(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TZebFilter* TFilterItems::Add(const TMetaClass& filterClass)
{
    TCollectionItem* item = filterClass.CreateItem(this);
    auto* filter = dynamic_cast<TZebFilter*>(item);
    if (!filter) {
        TObject::Free(item);
        throw EInvalidOperation("Not a picture filter class: " + filterClass.ClassName());
    }
    return filter;
}

void TFilterItems::ApplyAll(TBitmap& bitmap)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Enabled()) Items(i)->ApplyToBitmap(bitmap);
}

void TFilterItems::Update(TCollectionItem* item)
{
    (void)item;
    changed_ = true;
    if (onChange_) onChange_(this);
}

void TFilterItems::Notify(TCollectionItem* item, bool added)
{
    inherited::Notify(item, added);
    changed_ = true;
}

// ---- TConvolveFilter ----

TV_PUBLISHED(TConvolveFilter) {}

TConvolveFilter::TConvolveFilter(TCollection* collection) : TZebFilter(collection) {}

void TConvolveFilter::SetWeights(const float (&weights)[9]) { std::copy(weights, weights + 9, weights_); }

void TConvolveFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& rows = Lines();
    if (rows.empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    const int left = std::max(0, rect.Left), top = std::max(0, rect.Top);
    const int right = std::min(rect.Right, w - 1), bottom = std::min(rect.Bottom, h - 1);
    if (right - left < 2 || bottom - top < 2) return;  // no inner pixels
    const int bpp = BytesPerPixel();
    const int bw = right - left;
    const std::size_t stride = static_cast<std::size_t>(bw) * static_cast<std::size_t>(bpp);
    buffer_.resize(stride * static_cast<std::size_t>(bottom - top));

    const bool plain = std::all_of(weights_, weights_ + 9, [](float v) { return v == 1.0f; });
    float sum = 0;
    for (float v : weights_) sum += v;
    // Kernels whose weights cancel out (edge detectors) apply their plain weighted sum.
    const float scale = sum == 0 ? 1.0f : 1.0f / sum;

    for (int y = top + 1; y < bottom; ++y) {
        const Byte* above = rows[static_cast<std::size_t>(y - 1)];
        const Byte* same = rows[static_cast<std::size_t>(y)];
        const Byte* below = rows[static_cast<std::size_t>(y + 1)];
        Byte* out = &buffer_[static_cast<std::size_t>(y - top) * stride];
        for (int x = left + 1; x < right; ++x) {
            const int l = (x - 1) * bpp, c = x * bpp, r = (x + 1) * bpp;
            Byte* o = out + (x - left) * bpp;
            for (int k = 0; k < bpp; ++k) {
                if (plain) {
                    const int s = above[l + k] + above[c + k] + above[r + k] + same[l + k] + same[c + k] + same[r + k] +
                                  below[l + k] + below[c + k] + below[r + k];
                    o[k] = static_cast<Byte>(s / 9);
                } else {
                    const float s = weights_[0] * above[l + k] + weights_[1] * above[c + k] +
                                    weights_[2] * above[r + k] + weights_[3] * same[l + k] + weights_[4] * same[c + k] +
                                    weights_[5] * same[r + k] + weights_[6] * below[l + k] +
                                    weights_[7] * below[c + k] + weights_[8] * below[r + k];
                    o[k] = static_cast<Byte>(std::clamp(RoundHalfEven(s * scale), 0, 255));
                }
            }
        }
    }
    for (int y = top + 1; y < bottom; ++y)
        std::memcpy(rows[static_cast<std::size_t>(y)] + (left + 1) * bpp,
                    &buffer_[static_cast<std::size_t>(y - top) * stride] + bpp,
                    static_cast<std::size_t>(bw - 1) * static_cast<std::size_t>(bpp));
    if (!keepBuffer_) ReleaseBuffer();
    bitmap.ImageChanged();
}

void TConvolveFilter::ReleaseBuffer()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
}

// ---- registration ----

namespace {
std::vector<String>& filterNames()
{
    static std::vector<String> names;
    return names;
}
}  // namespace

void RegisterFilterClasses(std::initializer_list<const TMetaClass*> classes)
{
    ActivateControlClassGroup();
    GroupDescendentsWith(TZebFilter::StaticClass(), TControl::StaticClass());
    auto& names = filterNames();
    for (const TMetaClass* cls : classes) {
        if (std::find(names.begin(), names.end(), cls->ClassName()) != names.end()) continue;
        names.push_back(cls->ClassName());
        RegisterClass(*cls);
    }
}

void UnregisterFilterClasses(std::initializer_list<const TMetaClass*> classes)
{
    auto& names = filterNames();
    for (const TMetaClass* cls : classes) {
        names.erase(std::remove(names.begin(), names.end(), cls->ClassName()), names.end());
        UnRegisterClass(*cls);
    }
}

const std::vector<String>& FilterClassNames() { return filterNames(); }

void ForgetFilterClassNames() { filterNames().clear(); }

std::unique_ptr<TStream> FindResourceStream(const String& name)
{
    if (!FindResource(name)) return nullptr;
    return std::make_unique<TResourceStream>(name);
}
