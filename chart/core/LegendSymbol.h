#pragma once
// TLegendSymbol: the coloured box beside every legend item: its size (relative to the item's row
// and text, or in pixels), side, frame pen, gradient, shadow and emboss, and the painting of a
// colour box with them.
#include <iterator>
#include <memory>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class TChartSeries;
class TCustomChartLegend;
class TZebEmboss;
class TZebGradient;
class TZebPen;
class TZebShadow;

enum TLegendSymbolSize { lcsPercent, lcsPixels };
inline constexpr const char* TLegendSymbolSizeNames[] = {"lcsPercent", "lcsPixels"};
static_assert(std::size(TLegendSymbolSizeNames) == lcsPixels + 1);

enum TLegendSymbolPosition { spLeft, spRight };
inline constexpr const char* TLegendSymbolPositionNames[] = {"spLeft", "spRight"};
static_assert(std::size(TLegendSymbolPositionNames) == spRight + 1);

class TLegendSymbol;
// Sender, the series, the item's value index and the symbol rectangle.
using TSymbolDrawEvent =
    TMethodEvent<void(TLegendSymbol* Sender, TChartSeries* Series, int ValueIndex, const TRect& R)>;

class TLegendSymbol : public TPersistent {
    TV_CLASS(TLegendSymbol, TPersistent)
public:
    explicit TLegendSymbol(TCustomChartLegend* legend = nullptr);
    ~TLegendSymbol() override;
    void Assign(TPersistent* source) override;

    bool Continuous() const { return continuous_; }
    void SetContinuous(bool value);
    // Colour boxes keep the canvas's pen instead of Pen.
    bool DefaultPen() const { return defaultPen_; }
    void SetDefaultPen(bool value);
    TZebEmboss* Emboss() const { return emboss_.get(); }
    void SetEmboss(TZebEmboss* value);
    TZebGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TZebGradient* value);
    int Height() const { return height_; }
    void SetHeight(int value);
    TLegendSymbolSize HeightUnits() const { return heightUnits_; }
    void SetHeightUnits(TLegendSymbolSize value);
    const TSymbolDrawEvent& OnDraw() const { return onDraw_; }
    void SetOnDraw(TSymbolDrawEvent value) { onDraw_ = std::move(value); }
    TZebPen* Pen() const { return pen_.get(); }
    void SetPen(TZebPen* value);
    TLegendSymbolPosition Position() const { return position_; }
    void SetPosition(TLegendSymbolPosition value);
    TZebShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TZebShadow* value);
    // As wide as high.
    bool Squared() const { return squared_; }
    void SetSquared(bool value);
    bool UseImages() const { return useImages_; }
    void SetUseImages(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    int Width() const { return width_; }
    void SetWidth(int value);
    TLegendSymbolSize WidthUnits() const { return widthUnits_; }
    void SetWidthUnits(TLegendSymbolSize value);

    // Of the legend's current row height and font.
    int PixelHeight() const;
    // 0 when hidden; for an item whose texts are textWidth wide.
    int PixelWidth(int textWidth) const;
    // A box of color in rect on the legend's chart, with the symbol's shadow, emboss, pen and
    // gradient; the canvas brush comes back after the effects.
    void PaintColorBox(TColor color, const TRect& rect);

private:
    void changed();
    void changedObject(TObject*) { changed(); }
    template <class T>
    void change(T& field, T value);

    TCustomChartLegend* legend_;
    bool continuous_ = false;
    bool defaultPen_ = true;
    std::unique_ptr<TZebEmboss> emboss_;
    std::unique_ptr<TZebGradient> gradient_;
    int height_ = 100;
    TLegendSymbolSize heightUnits_ = lcsPercent;
    TSymbolDrawEvent onDraw_;
    std::unique_ptr<TZebPen> pen_;
    TLegendSymbolPosition position_ = spLeft;
    std::unique_ptr<TZebShadow> shadow_;
    bool squared_ = true;
    bool useImages_ = true;
    bool visible_ = true;
    int width_ = 20;
    TLegendSymbolSize widthUnits_ = lcsPercent;
};
