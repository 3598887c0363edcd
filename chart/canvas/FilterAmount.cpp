#include "chart/canvas/FilterAmount.h"

#include <cmath>
#include <cstdlib>

#include "chart/canvas/FilterPixels.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/OptionBuilder.h"
#include "platform/classes/Published.h"
#include "platform/forms/ScrollBar.h"
#include "platform/graphics/Bitmap.h"

// ---- TAmountFilter ----

TV_PUBLISHED(TAmountFilter)
{
    Prop("Amount", &TAmountFilter::Amount, &TAmountFilter::SetAmount, 5);
    Prop("Percent", &TAmountFilter::Percent, &TAmountFilter::SetPercent, true);
}

TAmountFilter::TAmountFilter(TCollection* collection) : TZebFilter(collection) {}

void TAmountFilter::Assign(TPersistent* source)
{
    if (auto* a = dynamic_cast<TAmountFilter*>(source)) {
        amount_ = a->amount_;
        percent_ = a->percent_;
    }
    inherited::Assign(source);
}

int TAmountFilter::minimum() const
{
    if (onlyPositive_) return 0;
    return percent_ ? -100 : -255;
}

int TAmountFilter::maximum() const { return percent_ ? 100 : 255; }

void TAmountFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    scrollBar_ = builder.AddScrollBar("Amount", minimum(), maximum());
    builder.AddCheckBox("Percent", "Percent", TNotifyEvent(this, &TAmountFilter::percentClicked));
}

void TAmountFilter::percentClicked(TObject* sender)
{
    (void)sender;
    if (scrollBar_) scrollBar_->SetParams(scrollBar_->Position(), minimum(), maximum());
}

// ---- TBrightnessFilter ----

TV_PUBLISHED(TBrightnessFilter) {}

TBrightnessFilter::TBrightnessFilter(TCollection* collection) : TAmountFilter(collection) {}

void TBrightnessFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty() || Amount() == 0) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    // The percent is held in single precision: 10 % is just above 25.5 and adds 26.
    const int d = ChannelChange(
        Percent() ? SaturatedRound(255.0 * static_cast<double>(static_cast<float>(Amount() * 0.01))) : Amount());
    ForEachPixel(Lines(), r, 3, [d](Byte* p) {
        for (int k = 0; k < 3; ++k) p[k] = ClampChannel(p[k] + d);
    });
    bitmap.ImageChanged();
}

String TBrightnessFilter::GetDescription() const { return FilterText(&TFilterTexts::Brightness); }

void TBrightnessFilter::PrepareGallerySample() { SetAmount(30); }

// ---- TContrastFilter ----

TV_PUBLISHED(TContrastFilter) {}

TContrastFilter::TContrastFilter(TCollection* collection) : TAmountFilter(collection) {}

void TContrastFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty()) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    const Int64 amount = Amount();
    const bool percent = Percent();
    ForEachPixel(Lines(), r, 3, [amount, percent](Byte* p) {
        for (int k = 0; k < 3; ++k) {
            const Int64 v = p[k];
            const Int64 factor = percent ? static_cast<Int64>(std::nearbyint(static_cast<double>(v * amount) * 0.01))
                                         : amount;
            p[k] = ClampChannel(v + factor * (v - 128) / 256);
        }
    });
    bitmap.ImageChanged();
}

String TContrastFilter::GetDescription() const { return FilterText(&TFilterTexts::Contrast); }

void TContrastFilter::PrepareGallerySample() { SetAmount(60); }

// ---- TGammaCorrectionFilter ----

TV_PUBLISHED(TGammaCorrectionFilter) { Prop("Amount", &TAmountFilter::Amount, &TAmountFilter::SetAmount, 70); }

TGammaCorrectionFilter::TGammaCorrectionFilter(TCollection* collection) : TAmountFilter(collection)
{
    SetAmount(70);
    SetOnlyPositive(true);
}

void TGammaCorrectionFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty()) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    const double a = std::abs(static_cast<double>(Amount()));
    const double gamma = std::max(0.001, Percent() ? a * 0.01 : a / 255);
    Byte table[256];
    table[0] = 0;
    for (int i = 1; i < 256; ++i) table[i] = ClampChannel(SaturatedRound(255 * std::pow(i / 255.0, 1 / gamma)));
    ForEachPixel(Lines(), r, 3, [&table](Byte* p) {
        for (int k = 0; k < 3; ++k) p[k] = table[p[k]];
    });
    bitmap.ImageChanged();
}

String TGammaCorrectionFilter::GetDescription() const { return FilterText(&TFilterTexts::GammaCorrection); }
