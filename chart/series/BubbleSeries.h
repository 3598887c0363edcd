#pragma once
// Bubble series: each point is a pointer symbol whose size is a third value, the radius, in units
// of the vertical axis (and, for stretched bubbles, of the horizontal axis across).
#include "chart/series/LineSeries.h"

class TCustomBubbleSeries : public TPointSeries {
    TV_CLASS(TCustomBubbleSeries, TPointSeries)
public:
    explicit TCustomBubbleSeries(TComponent* owner);

    TChartValueList* RadiusValues() const { return radiusValues_; }
    void SetRadiusValues(TChartValueList* value) { radiusValues_->Assign(value); }
    int AddBubble(double x, double y, double radius, const String& label = String(), TColor color = clAutomatic);

    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    bool IsOverPointer(int index, int x, int y, int clickX, int clickY) override;
    void DrawPoint(int index) override;
    // Sizes the shared pointer for the bubble of index. The sizes stay in the pointer, so a stored
    // series keeps the last bubble's size; every drawing sizes each bubble anew.
    void PreparePointer(int index) override;
    float RadiusPixels(int index) const;

private:
    TChartValueList* radiusValues_;
};

class TBubbleSeries : public TCustomBubbleSeries {
    TV_CLASS(TBubbleSeries, TCustomBubbleSeries)
public:
    explicit TBubbleSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    // On: round bubbles sized on the vertical axis; off: the width follows the horizontal axis.
    bool Squared() const { return squared_; }
    void SetSquared(bool value) { ChangeBoolean(squared_, value); }

    void CopyAppearance(TChartSeries* other) override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    bool IsPointInPlot(int index) const override;
    double HighestY() override;
    double LowestY() override;
    double HighestZ() override;
    double LowestZ() override;
    TZebGradient* GetGradient() override;
    void PreparePointer(int index) override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void SetupGalleryPreview() override;
    void MeasureAxisOverhang(const TChartAxis& axis, TRect& margins) const override;
    int DefaultSampleCount() const override { return 8; }

private:
    bool squared_ = true;
};
