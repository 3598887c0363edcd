#pragma once
// Colouring of 3-D points by value: a colour range between two or three colours over the span of
// the Y values, or a stepped palette of entries sorted by their upper bound. Palettes are built in
// six styles, listed in the legend, stored in chart files and read from and written to text files.
#include <functional>
#include <iterator>
#include <span>
#include <vector>

#include "chart/series_ext/grid3d/Custom3DSeries.h"

enum TZebPaletteStyle { psPale, psStrong, psGrayScale, psInvGray, psRainbow, psCustom };
inline constexpr const char* TZebPaletteStyleNames[] = {"psPale",    "psStrong",  "psGrayScale",
                                                        "psInvGray", "psRainbow", "psCustom"};
static_assert(std::size(TZebPaletteStyleNames) == psCustom + 1);

struct TGridPalette {
    double UpToValue = 0;
    TColor Color = clBlack;
    String Label;
};
using TCustom3DPalette = std::vector<TGridPalette>;

using TChartSurfaceGetColor = TMethodEvent<void(TChartSeries* Sender, int ValueIndex, TColor& Color)>;

// The 25 colours of the rainbow style, lowest value first.
extern const TColor RainbowPalette[25];

class TCustom3DPaletteSeries : public TCustom3DSeries {
    TV_CLASS(TCustom3DPaletteSeries, TCustom3DSeries)
public:
    explicit TCustom3DPaletteSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    bool UseColorRange() const { return useColorRange_; }
    void SetUseColorRange(bool value);
    bool UsePalette() const { return usePalette_; }
    void SetUsePalette(bool value);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value) { ChangeRangeColor(startColor_, value); }
    TColor MidColor() const { return midColor_; }
    void SetMidColor(TColor value) { ChangeRangeColor(midColor_, value); }
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value) { ChangeRangeColor(endColor_, value); }
    int PaletteSteps() const { return paletteSteps_; }
    void SetPaletteSteps(int value);
    TZebPaletteStyle PaletteStyle() const { return paletteStyle_; }
    void SetPaletteStyle(TZebPaletteStyle value);
    double PaletteMin() const { return paletteMin_; }
    void SetPaletteMin(double value);
    double PaletteStep() const { return paletteStep_; }
    void SetPaletteStep(double value);
    bool UsePaletteMin() const { return usePaletteMin_; }
    void SetUsePaletteMin(bool value);
    int LegendEvery() const { return legendEvery_; }
    void SetLegendEvery(int value);
    const TChartSurfaceGetColor& OnGetColor() const { return onGetColor_; }
    void SetOnGetColor(TChartSurfaceGetColor value) { onGetColor_ = std::move(value); }

    const TCustom3DPalette& Palette() const { return palette_; }
    bool PaletteByHand() const { return paletteByHand_; }
    bool PaletteStale() const { return paletteStale_; }
    bool NoPaletteLegend = false;

    virtual void PaletteChanged() {}
    // The span palettes are built over: the lowest Y and the spread of Y.
    virtual void GetPaletteValueRange(double& min, double& range);
    virtual void AssignPalette(const TCustom3DPalette& entries);

    // Steps 0: PaletteSteps.
    void BuildPalette(int steps = 0);
    int AddPaletteEntry(TColor color, double value);
    void AddCustomPaletteEntry(TColor color, double value);
    void ClearPalette() { palette_.clear(); }
    void SetPaletteColors(std::span<const TColor> colors);
    TColor ColorOfValue(double value) const;
    TColor RangeColorOfFraction(double t) const;
    TColor PaletteColorOfValue(double value) const;
    void RecolorPalette();
    // The whole file is read before the palette changes: on a bad line the palette stays as it
    // was and EConvertError names the line.
    void LoadPaletteFile(const String& fileName);
    void ApplyChartPalette();
    void EnsurePalette();
    void ChangeRangeColor(TColor& field, TColor value);
    void UpdateRangeScale();

    void CopyAppearance(TChartSeries* other) override;
    void PrepareDraw() override;
    void ReloadFromSource(TChartSeries* source) override;
    void RemoveAllPoints() override;
    void NotifyDependents(TDependantNotice kind, int index = 0) override;
    void PointColorChanged(int index) override;
    TColor GetPointColor(int index) const override;
    int GetPointCount() const override;
    TColor GetLegendColor(int index) const override;
    String FormatLegendText(int index, TLegendTextStyle style) const override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void SetupGalleryPreview() override;
    // The gallery's 2-D or 3-D view of a series with Z values.
    virtual void ApplyGallery3D(bool is3D);

protected:
    void DefineProperties(TFiler& filer) override;
    // The legend follows the palette or the range.
    bool PaletteLegend() const { return (useColorRange_ || usePalette_) && !NoPaletteLegend; }
    // Entry of legend item index.
    int legendEntry(int index) const { return static_cast<int>(palette_.size()) - 1 - index * legendEvery_; }

private:
    void prepareColorRange();
    void readPalette(TStream& stream);
    void writePalette(TStream& stream);

    bool useColorRange_ = true;
    bool usePalette_ = false;
    TColor startColor_ = static_cast<TColor>(0x800000);
    TColor midColor_ = clNullPoint;
    TColor endColor_ = static_cast<TColor>(0xFFFFFF);
    int paletteSteps_ = 32;
    TZebPaletteStyle paletteStyle_ = psPale;
    double paletteMin_ = 0;
    double paletteStep_ = 0;
    bool usePaletteMin_ = false;
    int legendEvery_ = 1;
    TChartSurfaceGetColor onGetColor_;

    TCustom3DPalette palette_;
    bool paletteByHand_ = false;
    bool paletteStale_ = false;
    // Bytes (red, green, blue, high) of the end, middle and start colours.
    int end_[4] = {}, mid_[4] = {}, start_[4] = {};
    double rangeMin_ = 0, rangeMax_ = 0, rangeScale_ = 0;
};

// Swaps the colours of the entries from both ends; the values stay.
void ReversePaletteColors(TCustom3DPaletteSeries& series);
// A header line, then "colour value" per entry, the value in the series' ValueFormat.
void SavePaletteFile(const TCustom3DPaletteSeries& series, const String& fileName);
