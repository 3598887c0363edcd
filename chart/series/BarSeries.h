#pragma once
// TBarSeries: vertical bars, categories along the horizontal axis and values up the vertical one,
// one bar per point between its value and its base, in fifteen shapes.
#include "chart/series/CustomBarSeries.h"

class TBarSeries : public TCustomBarSeries {
    TV_CLASS(TBarSeries, TCustomBarSeries)
public:
    explicit TBarSeries(TComponent* owner);

    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void GetPointXY(int index, int& x, int& y) const override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    double HighestX() override;
    double HighestY() override { return BarHighestValue(); }
    double LowestX() override;
    double LowestY() override { return BarLowestValue(); }
    int PointScreenX(int index) const override { return BarSlotPixel(index); }
    int PointScreenY(int index) const override { return BarValuePixel(index); }
    bool IsStackOrderForward(int index) const override;
    int MarkExtent(int index) override;
    TRect ComputeBarRect(int index) const override;
};
