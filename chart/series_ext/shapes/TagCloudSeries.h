#pragma once
// Tag cloud: each point a word (its label) of a weight (its Y value), written across the plot in
// bottom-aligned rows, in point order, at a font size and palette colour that grow with the weight.
#include <memory>
#include <vector>

#include "chart/series_ext/grid3d/PaletteSeries.h"

class TTagCloudSeries;
class TZebFont;
class TZebGradient;

using TDrawTagEvent = TMethodEvent<void(TTagCloudSeries* Sender, int ValueIndex)>;

class TTagCloudSeries : public TCustom3DPaletteSeries {
    TV_CLASS(TTagCloudSeries, TCustom3DPaletteSeries)
public:
    explicit TTagCloudSeries(TComponent* owner);
    ~TTagCloudSeries() override;
    void Assign(TPersistent* source) override;

    const String& Filter() const { return filter_; }
    void SetFilter(const String& value) { ChangeString(filter_, value); }
    TZebFont* Font() const { return font_.get(); }
    void SetFont(TZebFont* value);
    TZebGradient* Gradient() const;
    void SetGradient(TZebGradient* value);
    int TagSeparation() const { return tagSeparation_; }
    void SetTagSeparation(int value) { ChangeInteger(tagSeparation_, value); }
    const TDrawTagEvent& OnDrawTag() const { return onDrawTag_; }
    void SetOnDrawTag(TDrawTagEvent value) { onDrawTag_ = std::move(value); }

    int AddTag(const String& text, double weight);
    // By 0: the labels; by 1: the weights (the Y list keeps the order).
    void SortTags(int by, TChartListOrder order);
    bool PassesFilter(int index) const;
    int TagFontSize(int index) const;
    int TagGap() const;
    // Entry i is the rectangle of tag i in the last drawing; unplaced tags have none.
    const std::vector<TRect>& TagRects() const { return rects_; }
    bool IsPlaced(int index) const;

    void CopyAppearance(TChartSeries* other) override;
    void DrawVisiblePoints() override;
    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    int HitTest(int x, int y) override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    bool DependsOnAxes() const override { return false; }
    void ApplyGallery3D(bool is3D) override;
    void AddRandomPoints(int count, bool valuesOnly) override;

private:
    void fontChanged(TObject*) { InvalidateChart(); }

    String filter_;
    std::unique_ptr<TZebFont> font_;
    int tagSeparation_ = 5;
    TDrawTagEvent onDrawTag_;
    std::vector<TRect> rects_;
    std::vector<bool> placed_;
};

// The end colour of new tag clouds: the third colour of named palette 13, taken at the unit's start.
extern TColor TagCloudEndColor;
