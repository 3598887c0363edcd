#include "chart/canvas/FilterConvolution.h"

#include "chart/canvas/BitmapRoutines.h"
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
