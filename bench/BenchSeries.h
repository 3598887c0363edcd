#pragma once
// Series of the chart benchmarks: points appended in X order, and one that draws a segment to
// every visible point through the chart canvas.
#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ValueList.h"

class TBenchSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    void Append(double x, double y)
    {
        XValues()->AddInOrder(x);
        YValues()->InsertAt(YValues()->Count(), y);
    }
};

class TBenchLineSeries : public TBenchSeries {
public:
    using TBenchSeries::TBenchSeries;
    void DrawVisiblePoints() override
    {
        TCanvas3D& canvas = *ParentChart()->Canvas3D();
        const TChartAxis& h = *GetHorizAxis();
        const TChartAxis& v = *GetVertAxis();
        canvas.MoveTo(h.ValueToPixel(XValues()->ValueAt(FirstVisibleIndex())),
                      v.ValueToPixel(YValues()->ValueAt(FirstVisibleIndex())));
        for (int i = FirstVisibleIndex() + 1; i <= LastVisibleIndex(); ++i)
            canvas.LineTo(h.ValueToPixel(XValues()->ValueAt(i)), v.ValueToPixel(YValues()->ValueAt(i)));
    }
};
