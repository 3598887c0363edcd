#include "chart/canvas/FilterConvolution.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/FilterPixels.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/OptionBuilder.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

// ---- TBlurFilter ----

TV_PUBLISHED(TBlurFilter)
{
    Prop("Amount", &TBlurFilter::Amount, &TBlurFilter::SetAmount, 1);
    Prop("Steps", &TBlurFilter::Steps, &TBlurFilter::SetSteps, 1);
}

TBlurFilter::TBlurFilter(TCollection* collection) : TConvolveFilter(collection) { SetAmount(1); }

void TBlurFilter::Assign(TPersistent* source)
{
    if (auto* b = dynamic_cast<TBlurFilter*>(source)) {
        SetAmount(b->amount_);
        steps_ = b->steps_;
    }
    inherited::Assign(source);
}

void TBlurFilter::SetAmount(int value)
{
    amount_ = value;
    const auto a = static_cast<float>(value);
    SetWeights({1, 1, 1, 1, a, 1, 1, 1, 1});
}

void TBlurFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    if (bitmap.Width() <= 0 || bitmap.Height() <= 0) return;
    SetPixels32(DeviceBitsPerPixel(bitmap.Canvas()->Handle()) == 32);
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty()) return;
    // One row table and one buffer serve every pass.
    SetReuseLines(true);
    SetKeepBuffer(true);
    try {
        for (int step = 0; step < steps_; ++step) TConvolveFilter::Apply(bitmap, rect);
    } catch (...) {
        ReleaseBuffer();
        SetKeepBuffer(false);
        SetReuseLines(false);
        throw;
    }
    ReleaseBuffer();
    SetKeepBuffer(false);
    SetReuseLines(false);
}

void TBlurFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddScrollBar("Steps", 1, 20);
    builder.AddScrollBar("Amount", 0, 50);
}

String TBlurFilter::GetDescription() const { return FilterText(&TFilterTexts::Blur); }

// ---- TSharpenFilter ----

TV_PUBLISHED(TSharpenFilter) {}

TSharpenFilter::TSharpenFilter(TCollection* collection) : TConvolveFilter(collection)
{
    constexpr float e = -0.125f;
    SetWeights({e, e, e, e, 2, e, e, e, e});
}

String TSharpenFilter::GetDescription() const { return FilterText(&TFilterTexts::Sharpen); }

// ---- TEmbossFilter ----

TV_PUBLISHED(TEmbossFilter) {}

TEmbossFilter::TEmbossFilter(TCollection* collection) : TConvolveFilter(collection)
{
    SetWeights({0, -1, 0, -1, 1, 1, 0, -1, 0});
}

String TEmbossFilter::GetDescription() const { return FilterText(&TFilterTexts::Emboss); }

// ---- TSoftenFilter ----

TV_PUBLISHED(TSoftenFilter) {}

TSoftenFilter::TSoftenFilter(TCollection* collection) : TConvolveFilter(collection)
{
    SetWeights({0, 0, 0, 0, 1, 1, 0, 1, 1});
}

String TSoftenFilter::GetDescription() const { return FilterText(&TFilterTexts::Antialias); }

// ---- TSobelFilter ----

TV_PUBLISHED(TSobelFilter) {}

TSobelFilter::TSobelFilter(TCollection* collection) : TZebFilter(collection) {}

void TSobelFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& rows = Lines();
    if (rows.empty()) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    const int w = r.Right - r.Left + 1, h = r.Bottom - r.Top + 1;
    if (w < 3 || h < 3) return;
    // Grey levels of the inner pixels; the outer row and column of the rectangle count as 0.
    std::vector<int> grey(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    auto at = [&grey, w](int x, int y) -> int& {
        return grey[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)];
    };
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const Byte* p = rows[static_cast<std::size_t>(r.Top + y)] + (r.Left + x) * 3;
            at(x, y) = (p[0] + p[1] + p[2]) / 3;
        }
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const int vertical = at(x - 1, y - 1) + 2 * at(x, y - 1) + at(x + 1, y - 1) - at(x - 1, y + 1) -
                                 2 * at(x, y + 1) - at(x + 1, y + 1);
            const int horizontal = at(x - 1, y - 1) + 2 * at(x - 1, y) + at(x - 1, y + 1) - at(x + 1, y - 1) -
                                   2 * at(x + 1, y) - at(x + 1, y + 1);
            Byte* p = rows[static_cast<std::size_t>(r.Top + y)] + (r.Left + x) * 3;
            p[0] = p[1] = p[2] = static_cast<Byte>(std::min(255, std::abs(vertical) + std::abs(horizontal)));
        }
    bitmap.ImageChanged();
}

String TSobelFilter::GetDescription() const { return FilterText(&TFilterTexts::Sobel); }
