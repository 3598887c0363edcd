#include "chart/canvas/FilterStartup.h"

#include <optional>

#include "chart/canvas/FilterAmount.h"
#include "chart/canvas/FilterColor.h"
#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/FilterGeometry.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/Gradient.h"
#include "platform/graphics/Bitmap.h"

namespace {
std::optional<TFilterTexts>& texts()
{
    static std::optional<TFilterTexts> current;
    return current;
}

// Turning bigger pictures would take too long to be worth it.
constexpr Int64 MaxRotatedGradientPixels = 16777215;

void rotateGradient(const TCustomZebGradient& gradient, TBitmap& bitmap)
{
    if (static_cast<Int64>(bitmap.Width()) * bitmap.Height() > MaxRotatedGradientPixels) return;
    TRotateFilter rotate(nullptr);
    rotate.SetAngle(gradient.Angle());
    rotate.ApplyToBitmap(bitmap);
}
}  // namespace

void StartFilterUnit(const TFilterTexts& filterTexts)
{
    texts() = filterTexts;
    RegisterFilterClasses({&TInvertFilter::StaticClass(),
                           &TGrayScaleFilter::StaticClass(),
                           &TMosaicFilter::StaticClass(),
                           &TFlipFilter::StaticClass(),
                           &TReverseFilter::StaticClass(),
                           &TBrightnessFilter::StaticClass(),
                           &TContrastFilter::StaticClass(),
                           &TColorFilter::StaticClass(),
                           &TColorReplaceFilter::StaticClass(),
                           &THueLumSatFilter::StaticClass(),
                           &TBlurFilter::StaticClass(),
                           &TSharpenFilter::StaticClass(),
                           &TGammaCorrectionFilter::StaticClass(),
                           &TEmbossFilter::StaticClass(),
                           &TSoftenFilter::StaticClass(),
                           &TCropFilter::StaticClass(),
                           &TResizeFilter::StaticClass(),
                           &TRotateFilter::StaticClass(),
                           &TMirrorFilter::StaticClass(),
                           &TTileFilter::StaticClass(),
                           &TBevelFilter::StaticClass(),
                           &TEqualizeFilter::StaticClass(),
                           &TZoomFilter::StaticClass(),
                           &TSobelFilter::StaticClass(),
                           &TSepiaFilter::StaticClass()});
    SetGradientRotationHook(rotateGradient);
}

void StopFilterUnit()
{
    SetGradientRotationHook(nullptr);
    texts().reset();
    ForgetFilterClassNames();
}

String FilterText(const String* TFilterTexts::*text)
{
    const auto& t = texts();
    if (!t) return {};
    const String* s = (*t).*text;
    return s ? *s : String();
}
