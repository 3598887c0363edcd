#pragma once
// Filters that change each pixel's colour.
#include <iterator>

#include "chart/canvas/Filters.h"
#include "platform/graphics/Colors.h"

enum TGrayMethod { gmSimple, gmEye, gmEye2, gmLight };
inline constexpr const char* TGrayMethodNames[] = {"gmSimple", "gmEye", "gmEye2", "gmLight"};
static_assert(std::size(TGrayMethodNames) == gmLight + 1);

enum TColorMethod { cmHue, cmLum, cmSat };
inline constexpr const char* TColorMethodNames[] = {"cmHue", "cmLum", "cmSat"};
static_assert(std::size(TColorMethodNames) == cmSat + 1);

// Works on 24-bit or, when asked, on 32-bit pixels (alpha kept).
class TInvertFilter : public TZebFilter {
    TV_CLASS(TInvertFilter, TZebFilter)
public:
    explicit TInvertFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
    using TZebFilter::SetPixels32;
};

// Works on 24-bit or, when asked, on 32-bit pixels (alpha kept).
class TGrayScaleFilter : public TZebFilter {
    TV_CLASS(TGrayScaleFilter, TZebFilter)
public:
    explicit TGrayScaleFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;
    using TZebFilter::SetPixels32;

    TGrayMethod Method() const { return method_; }
    void SetMethod(TGrayMethod value) { method_ = value; }

private:
    TGrayMethod method_ = gmSimple;
};

// Adds a signed amount to each channel.
class TColorFilter : public TZebFilter {
    TV_CLASS(TColorFilter, TZebFilter)
public:
    explicit TColorFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    int Red() const { return red_; }
    void SetRed(int value) { red_ = value; }
    int Green() const { return green_; }
    void SetGreen(int value) { green_ = value; }
    int Blue() const { return blue_; }
    void SetBlue(int value) { blue_ = value; }

private:
    int red_ = 0, green_ = 0, blue_ = 0;
};

// Adds a signed amount to each of hue, luminance and saturation.
class THueLumSatFilter : public TZebFilter {
    TV_CLASS(THueLumSatFilter, TZebFilter)
public:
    explicit THueLumSatFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    int Hue() const { return hue_; }
    void SetHue(int value) { hue_ = value; }
    int Luminance() const { return luminance_; }
    void SetLuminance(int value) { luminance_ = value; }
    int Saturation() const { return saturation_; }
    void SetSaturation(int value) { saturation_ = value; }

private:
    int hue_ = 0, luminance_ = 0, saturation_ = 0;
};

// Paints Color over every pixel whose hue, luminance or saturation lies in FromValue .. ToValue.
class TColorReplaceFilter : public TZebFilter {
    TV_CLASS(TColorReplaceFilter, TZebFilter)
public:
    explicit TColorReplaceFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    int FromValue() const { return fromValue_; }
    void SetFromValue(int value) { fromValue_ = value; }
    int ToValue() const { return toValue_; }
    void SetToValue(int value) { toValue_ = value; }
    TColorMethod Method() const { return method_; }
    void SetMethod(TColorMethod value) { method_ = value; }

private:
    TColor color_ = clWhite;
    int fromValue_ = 0, toValue_ = 0;
    TColorMethod method_ = cmHue;
};

class TSepiaFilter : public TZebFilter {
    TV_CLASS(TSepiaFilter, TZebFilter)
public:
    explicit TSepiaFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};

// Stretches each channel to 0 .. 255 over the rectangle's inner pixels.
class TEqualizeFilter : public TZebFilter {
    TV_CLASS(TEqualizeFilter, TZebFilter)
public:
    explicit TEqualizeFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    String GetDescription() const override;
};

// Lightens the top and left edges and darkens the bottom and right ones, Size pixels deep.
class TBevelFilter : public TZebFilter {
    TV_CLASS(TBevelFilter, TZebFilter)
public:
    explicit TBevelFilter(TCollection* collection);
    void Assign(TPersistent* source) override;
    void Apply(TBitmap& bitmap, const TRect& rect) override;
    void BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange) override;
    String GetDescription() const override;

    int Bright() const { return bright_; }
    void SetBright(int value) { bright_ = value; }
    int Size() const { return size_; }
    void SetSize(int value) { size_ = value; }

private:
    int bright_ = 64;
    int size_ = 15;
};
