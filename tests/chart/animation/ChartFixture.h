#pragma once
// A 400 x 300 chart drawn on the recording canvas, for the chart animations.
#include <initializer_list>

#include "chart/core/Chart.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/BarSeries.h"
#include "chart/series/LineSeries.h"
#include "tests/chart/support/RecordingCanvas.h"

class TAnimatedChart {
public:
    TAnimatedChart()
    {
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(false);
        chart.ReplaceCanvas(new TRecordingCanvas(400, 300));
    }
    template <class S = TBarSeries>
    S& Add(std::initializer_list<double> values)
    {
        auto* series = new S(&chart);
        series->SetParentChart(&chart);
        for (const double v : values) series->AppendMainValue(v);
        series->Marks().SetVisible(false);
        return *series;
    }
    void Frame() { chart.RenderTo(nullptr, {0, 0, 400, 300}); }
    std::vector<double> Values(const TChartSeries& s) const
    {
        std::vector<double> v;
        for (int i = 0; i < s.Count(); ++i) v.push_back(s.MandatoryValueList()->ValueAt(i));
        return v;
    }
    TChart chart{nullptr};
};
