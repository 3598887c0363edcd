#pragma once
// A 2-D test panel with a recording canvas, the chart rectangle 100..400 x 20..320 and both axes
// fixed to 0..10, for the line family's tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/EngineStartup.h"
#include "chart/series/CustomSeries.h"
#include "tests/chart/support/RecordingCanvas.h"

class TLineTestPanel : public TCustomAxisPanel {
    TV_CLASS(TLineTestPanel, TCustomAxisPanel)
public:
    explicit TLineTestPanel(TComponent* owner) : TCustomAxisPanel(owner) {}
};

class LineFamily : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }

protected:
    void SetUp() override
    {
        chart.SetBounds(0, 0, 500, 400);
        chart.SetView3D(false);
        canvas = new TRecordingCanvas(500, 400);
        chart.ReplaceCanvas(canvas);
        chart.SetChartRect({100, 20, 400, 320});
        chart.NormalizeChartRect();
        Range(0, 10, 0, 10);
    }
    void Range(double x0, double x1, double y0, double y1)
    {
        for (auto [axis, lo, hi] : {std::tuple{chart.BottomAxis(), x0, x1}, std::tuple{chart.LeftAxis(), y0, y1}}) {
            axis->ApplyRange(lo, hi);
            axis->ComputePixelBounds();
            axis->ComputeRange();
        }
    }
    template <class S>
    S* Add(std::initializer_list<double> ys)
    {
        auto* s = new S(&owner);
        s->SetParentChart(&chart);
        s->SetSeriesColor(clRed);
        for (double y : ys) s->AppendValue(y);
        return s;
    }
    // The drawing calls of one series pass.
    std::vector<std::string> Draw(TChartSeries& s)
    {
        canvas->ClearLog();
        s.FindVisibleRange();
        s.DrawVisiblePoints();
        std::vector<std::string> out;
        for (const auto& line : canvas->Log())
            if (line.rfind("MoveTo", 0) == 0 || line.rfind("LineTo", 0) == 0 || line.rfind("Polyline", 0) == 0 ||
                line.rfind("Polygon", 0) == 0 || line.rfind("Rectangle", 0) == 0)
                out.push_back(line.substr(0, line.find(' ')));
        return out;
    }
    int X(double v) const { return chart.BottomAxis()->HorizontalValueToPixel(v); }
    int Y(double v) const { return chart.LeftAxis()->VerticalValueToPixel(v); }
    static std::string P(const char* name, int a, int b)
    {
        return std::string(name) + "(" + std::to_string(a) + "," + std::to_string(b) + ")";
    }

    TComponent owner{nullptr};
    TLineTestPanel chart{nullptr};
    TRecordingCanvas* canvas = nullptr;
};
