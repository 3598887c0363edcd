#pragma once
// Tree map: the organisation tree drawn as nested rectangles, each item's share of its group
// proportional to its value, the direction of division alternating from level to level.
#include "chart/series_ext/shapes/OrgSeries.h"

class TCustom3DPaletteSeries;

enum TTreeMapTiling { tmSlice, tmStrip };
inline constexpr const char* TTreeMapTilingNames[] = {"tmSlice", "tmStrip"};
static_assert(std::size(TTreeMapTilingNames) == tmStrip + 1);

enum TTreeMapColorStyle { csByLevel, csByValue };
inline constexpr const char* TTreeMapColorStyleNames[] = {"csByLevel", "csByValue"};
static_assert(std::size(TTreeMapColorStyleNames) == csByValue + 1);

class TTreeMapSeries : public TCustomOrgSeries {
    TV_CLASS(TTreeMapSeries, TCustomOrgSeries)
public:
    explicit TTreeMapSeries(TComponent* owner);
    ~TTreeMapSeries() override;
    void Assign(TPersistent* source) override;

    TTreeMapColorStyle ColorStyle() const { return colorStyle_; }
    void SetColorStyle(TTreeMapColorStyle value) { Change(colorStyle_, value); }
    TTreeMapTiling MapStyle() const { return mapStyle_; }
    void SetMapStyle(TTreeMapTiling value) { Change(mapStyle_, value); }
    // The palette the items are coloured from, by level or by value.
    TCustom3DPaletteSeries& Palette() const { return *palette_; }
    int PaletteSteps() const;
    void SetPaletteSteps(int value);

    int AddItem(const String& text, int superior, TColor color, double value);
    double ItemValue(int index) const { return YValues()->ValueAt(index); }

    void PrepareDraw() override;
    TColor GetPointColor(int index) const override;
    void DrawVisiblePoints() override;
    int HitTest(int x, int y) override;
    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    int DefaultSampleCount() const override { return 15; }
    void AddRandomPoints(int count, bool valuesOnly) override;

private:
    void layoutGroup(const std::vector<int>& items, int level);
    void drawLevel(const std::vector<int>& items, int level);

    TTreeMapColorStyle colorStyle_ = csByLevel;
    TTreeMapTiling mapStyle_ = tmSlice;
    TOwnedPtr<TCustom3DPaletteSeries> palette_;
    std::vector<TRect> rects_;
};
