#pragma once
// Pyramid series: the points stacked as horizontal slices of one pyramid that narrows linearly with
// the share of the total already stacked; each series stands at its own index in the chart.
#include "chart/canvas/Geometry.h"
#include "chart/core/ChartSeries.h"

class TPyramidSeries : public TChartSeries {
    TV_CLASS(TPyramidSeries, TChartSeries)
public:
    explicit TPyramidSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    int SizePercent() const { return sizePercent_; }
    void SetSizePercent(int value) { ChangeInteger(sizePercent_, value); }

    // The Y values of points 0..n; 0 when n < 0.
    double SumThrough(int n) const;
    struct TSlice {
        float zInset = 0;
        TFloatRect rect;
        float topHalfDepth = 0, topHalfWidth = 0;
    };
    TSlice SliceGeometry(int index) const;

    void MeasureHorizMargins(int& left, int& right) const override { left = right = 20; }
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    int HitTest(int x, int y) override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    int PointScreenX(int index) const override;
    double LowestX() override { return IndexInChart() - 0.5; }
    double HighestX() override { return IndexInChart() + 0.5; }
    double LowestY() override { return 0; }
    double HighestY() override;
    bool InvertsLegend() const override;
    bool IsSeriesOrderForward() const override;
    bool IsPointOrderForward() const override;
    void ReserveZSlot() override;
    bool SharesZSlot() const override { return false; }

private:
    bool vertInverted() const;
    int sizePercent_ = 50;
};
