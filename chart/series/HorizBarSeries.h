#pragma once
// THorizBarSeries: bar series turned by a quarter, categories up the vertical axis and values
// along the horizontal one.
#include "chart/series/CustomBarSeries.h"

class THorizBarSeries : public TCustomBarSeries {
    TV_CLASS(THorizBarSeries, TCustomBarSeries)
public:
    explicit THorizBarSeries(TComponent* owner);

    // The same field as CustomBarWidth: the bar's height.
    int CustomBarHeight() const { return CustomBarWidth(); }
    void SetCustomBarHeight(int value) { SetCustomBarWidth(value); }

    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void GetPointXY(int index, int& x, int& y) const override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    bool IsSeriesOrderForward() const override;
    bool InvertsLegend() const override;
    double HighestX() override { return BarHighestValue(); }
    double HighestY() override;
    double LowestX() override { return BarLowestValue(); }
    double LowestY() override;
    int PointScreenX(int index) const override { return BarValuePixel(index); }
    int PointScreenY(int index) const override { return BarSlotPixel(index); }
    bool IsPointOrderForward() const override;
    bool IsStackOrderForward(int index) const override;
    int MarkExtent(int index) override;
    TRect ComputeBarRect(int index) const override;

private:
    // The 3-D rotation lies strictly between 0 and 180 degrees.
    bool RotatedHalfway() const;
};
