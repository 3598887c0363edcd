#include "chart/canvas/FilterColor.h"

#include <algorithm>

#include "chart/canvas/FilterPixels.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/HlsColor.h"
#include "chart/canvas/OptionBuilder.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

namespace {
// The clipped rectangle, or an empty one when the filter has no rows to work on.
TRect workArea(const std::vector<Byte*>& lines, const TBitmap& bitmap, const TRect& rect)
{
    if (lines.empty()) return {0, 0, -1, -1};
    return ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
}

TColor pixelColor(const Byte* p) { return static_cast<TColor>(RGB(p[2], p[1], p[0])); }

void setPixel(Byte* p, TColor color)
{
    const auto rgb = static_cast<TColorRef>(color);
    p[0] = GetBValue(rgb);
    p[1] = GetGValue(rgb);
    p[2] = GetRValue(rgb);
}
}  // namespace

// ---- TInvertFilter ----

TV_PUBLISHED(TInvertFilter) {}

TInvertFilter::TInvertFilter(TCollection* collection) : TZebFilter(collection) {}

void TInvertFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    ForEachPixel(Lines(), r, BytesPerPixel(), [](Byte* p) {
        for (int k = 0; k < 3; ++k) p[k] = static_cast<Byte>(255 - p[k]);
    });
    bitmap.ImageChanged();
}

String TInvertFilter::GetDescription() const { return FilterText(&TFilterTexts::Invert); }

// ---- TGrayScaleFilter ----

TV_PUBLISHED(TGrayScaleFilter)
{
    PropEnum("Method", &TGrayScaleFilter::Method, &TGrayScaleFilter::SetMethod, gmSimple, TGrayMethodNames);
}

TGrayScaleFilter::TGrayScaleFilter(TCollection* collection) : TZebFilter(collection) {}

void TGrayScaleFilter::Assign(TPersistent* source)
{
    if (auto* g = dynamic_cast<TGrayScaleFilter*>(source)) method_ = g->method_;
    inherited::Assign(source);
}

void TGrayScaleFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    const TGrayMethod method = method_;
    ForEachPixel(Lines(), r, BytesPerPixel(), [method](Byte* p) {
        const int b = p[0], g = p[1], red = p[2];
        int grey = 0;
        switch (method) {
        case gmSimple: grey = (red + g + b) / 3; break;
        case gmEye: grey = RoundHalfEven(0.299 * red + 0.587 * g + 0.114 * b); break;
        case gmEye2: grey = (11 * red + 16 * g + 5 * b) >> 5; break;
        case gmLight: grey = (std::max({red, g, b}) + std::min({red, g, b})) >> 1; break;
        }
        p[0] = p[1] = p[2] = ClampChannel(grey);
    });
    bitmap.ImageChanged();
}

void TGrayScaleFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddEnumList("Method");
}

String TGrayScaleFilter::GetDescription() const { return FilterText(&TFilterTexts::GrayScale); }

// ---- TColorFilter ----

TV_PUBLISHED(TColorFilter)
{
    Prop("Red", &TColorFilter::Red, &TColorFilter::SetRed, 0);
    Prop("Green", &TColorFilter::Green, &TColorFilter::SetGreen, 0);
    Prop("Blue", &TColorFilter::Blue, &TColorFilter::SetBlue, 0);
}

TColorFilter::TColorFilter(TCollection* collection) : TZebFilter(collection) {}

void TColorFilter::Assign(TPersistent* source)
{
    if (auto* c = dynamic_cast<TColorFilter*>(source)) {
        red_ = c->red_;
        green_ = c->green_;
        blue_ = c->blue_;
    }
    inherited::Assign(source);
}

void TColorFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (red_ == 0 && green_ == 0 && blue_ == 0) return;
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    const int add[3] = {ChannelChange(blue_), ChannelChange(green_), ChannelChange(red_)};
    ForEachPixel(Lines(), r, 3, [&add](Byte* p) {
        for (int k = 0; k < 3; ++k)
            if (add[k] != 0) p[k] = ClampChannel(p[k] + add[k]);
    });
    bitmap.ImageChanged();
}

void TColorFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    for (const char* name : {"Red", "Green", "Blue"}) builder.AddSignedScrollBar(name, -255, 255);
}

String TColorFilter::GetDescription() const { return FilterText(&TFilterTexts::Color); }

// ---- THueLumSatFilter ----

TV_PUBLISHED(THueLumSatFilter)
{
    Prop("Hue", &THueLumSatFilter::Hue, &THueLumSatFilter::SetHue, 0);
    Prop("Luminance", &THueLumSatFilter::Luminance, &THueLumSatFilter::SetLuminance, 0);
    Prop("Saturation", &THueLumSatFilter::Saturation, &THueLumSatFilter::SetSaturation, 0);
}

THueLumSatFilter::THueLumSatFilter(TCollection* collection) : TZebFilter(collection) {}

void THueLumSatFilter::Assign(TPersistent* source)
{
    if (auto* h = dynamic_cast<THueLumSatFilter*>(source)) {
        hue_ = h->hue_;
        luminance_ = h->luminance_;
        saturation_ = h->saturation_;
    }
    inherited::Assign(source);
}

void THueLumSatFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (hue_ == 0 && luminance_ == 0 && saturation_ == 0) return;
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    const int dh = ChannelChange(hue_), dl = ChannelChange(luminance_), ds = ChannelChange(saturation_);
    ForEachPixel(Lines(), r, 3, [=](Byte* p) {
        Word h, l, s;
        ColorToHLS(pixelColor(p), h, l, s);
        const int hue = dh != 0 ? std::clamp(h + dh, 0, 255) : h;
        const int lum = dl != 0 ? std::clamp(l + dl, 0, 255) : l;
        const int sat = ds != 0 ? std::clamp(s + ds, 0, 255) : s;
        setPixel(p, HLSToColor(hue, lum, sat));
    });
    bitmap.ImageChanged();
}

void THueLumSatFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    for (const char* name : {"Hue", "Luminance", "Saturation"}) builder.AddSignedScrollBar(name, -255, 255);
}

String THueLumSatFilter::GetDescription() const { return FilterText(&TFilterTexts::HueLumSat); }

// ---- TColorReplaceFilter ----

TV_PUBLISHED(TColorReplaceFilter)
{
    PropColor("Color", &TColorReplaceFilter::Color, &TColorReplaceFilter::SetColor, clWhite);
    Prop("FromValue", &TColorReplaceFilter::FromValue, &TColorReplaceFilter::SetFromValue, 0);
    Prop("ToValue", &TColorReplaceFilter::ToValue, &TColorReplaceFilter::SetToValue, 0);
    PropEnum("Method", &TColorReplaceFilter::Method, &TColorReplaceFilter::SetMethod, cmHue, TColorMethodNames);
}

TColorReplaceFilter::TColorReplaceFilter(TCollection* collection) : TZebFilter(collection) {}

void TColorReplaceFilter::Assign(TPersistent* source)
{
    if (auto* c = dynamic_cast<TColorReplaceFilter*>(source)) {
        color_ = c->color_;
        fromValue_ = c->fromValue_;
        toValue_ = c->toValue_;
        method_ = c->method_;
    }
    inherited::Assign(source);
}

void TColorReplaceFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    const auto replacement = static_cast<TColor>(ColorToRGB(color_));
    const int from = fromValue_, to = toValue_;
    const TColorMethod method = method_;
    ForEachPixel(Lines(), r, 3, [=](Byte* p) {
        Word h, l, s;
        ColorToHLS(pixelColor(p), h, l, s);
        const int v = method == cmHue ? h : method == cmLum ? l : s;
        if (v >= from && v <= to) setPixel(p, replacement);
    });
    bitmap.ImageChanged();
}

void TColorReplaceFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddEnumList("Method");
    builder.AddScrollBar("FromValue", 0, 255);
    builder.AddScrollBar("ToValue", 0, 255);
    builder.AddColor("Color", "Color");
}

String TColorReplaceFilter::GetDescription() const { return FilterText(&TFilterTexts::ColorReplacer); }

// ---- TSepiaFilter ----

TV_PUBLISHED(TSepiaFilter) {}

TSepiaFilter::TSepiaFilter(TCollection* collection) : TZebFilter(collection) {}

void TSepiaFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    ForEachPixel(Lines(), r, 3, [](Byte* p) {
        const double b = p[0], g = p[1], red = p[2];
        p[2] = ClampChannel(RoundHalfEven(0.393 * red + 0.769 * g + 0.189 * b));
        p[1] = ClampChannel(RoundHalfEven(0.349 * red + 0.686 * g + 0.168 * b));
        p[0] = ClampChannel(RoundHalfEven(0.272 * red + 0.534 * g + 0.131 * b));
    });
    bitmap.ImageChanged();
}

String TSepiaFilter::GetDescription() const { return FilterText(&TFilterTexts::Sepia); }

// ---- TEqualizeFilter ----

TV_PUBLISHED(TEqualizeFilter) {}

TEqualizeFilter::TEqualizeFilter(TCollection* collection) : TZebFilter(collection) {}

void TEqualizeFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    TRect r = workArea(Lines(), bitmap, rect);
    // The outer row and column of the rectangle are neither measured nor changed.
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    if (IsEmptyFilterRect(r)) return;
    int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
    ForEachPixel(Lines(), r, 3, [&](const Byte* p) {
        for (int k = 0; k < 3; ++k) {
            lo[k] = std::min<int>(lo[k], p[k]);
            hi[k] = std::max<int>(hi[k], p[k]);
        }
    });
    if (std::all_of(lo, lo + 3, [](int v) { return v == 0; }) &&
        std::all_of(hi, hi + 3, [](int v) { return v == 255; }))
        return;
    double factor[3];
    for (int k = 0; k < 3; ++k) factor[k] = hi[k] == lo[k] ? 0.0 : 255.0 / (hi[k] - lo[k]);
    ForEachPixel(Lines(), r, 3, [&](Byte* p) {
        for (int k = 0; k < 3; ++k) p[k] = ClampChannel(RoundHalfEven((p[k] - lo[k]) * factor[k]));
    });
    bitmap.ImageChanged();
}

String TEqualizeFilter::GetDescription() const { return FilterText(&TFilterTexts::Equalize); }

// ---- TBevelFilter ----

TV_PUBLISHED(TBevelFilter)
{
    Prop("Bright", &TBevelFilter::Bright, &TBevelFilter::SetBright, 64);
    Prop("Size", &TBevelFilter::Size, &TBevelFilter::SetSize, 15);
}

TBevelFilter::TBevelFilter(TCollection* collection) : TZebFilter(collection) {}

void TBevelFilter::Assign(TPersistent* source)
{
    if (auto* b = dynamic_cast<TBevelFilter*>(source)) {
        bright_ = b->bright_;
        size_ = b->size_;
    }
    inherited::Assign(source);
}

void TBevelFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const TRect r = workArea(Lines(), bitmap, rect);
    if (IsEmptyFilterRect(r)) return;
    const auto& rows = Lines();
    const int bright = ChannelChange(bright_);
    auto change = [&rows, bright](int x, int y, int sign) {
        Byte* p = rows[static_cast<std::size_t>(y)] + static_cast<std::ptrdiff_t>(x) * 3;
        for (int k = 0; k < 3; ++k) p[k] = ClampChannel(p[k] + sign * bright);
    };
    for (int k = 0; k < size_; ++k) {
        const bool rowsLeft = k < (r.Bottom - r.Top) / 2, columnsLeft = k < (r.Right - r.Left) / 2;
        if (!rowsLeft && !columnsLeft) break;
        if (rowsLeft)
            for (int x = r.Left + k; x <= r.Right - k; ++x) {
                change(x, r.Top + k, 1);
                change(x, r.Bottom - k, -1);
            }
        if (columnsLeft)
            for (int y = r.Top + k + 1; y <= r.Bottom - k; ++y) {
                change(r.Left + k, y, 1);
                change(r.Right - k, y, -1);
            }
    }
    bitmap.ImageChanged();
}

void TBevelFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddScrollBar("Bright", 1, 255);
    builder.AddScrollBar("Size", 1, 1000);
}

String TBevelFilter::GetDescription() const { return FilterText(&TFilterTexts::Bevel); }
