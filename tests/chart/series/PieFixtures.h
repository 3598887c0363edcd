#pragma once
// Fixtures of the pie tests: a chart drawn on the recording canvas and pies filled from values.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/PieSeries.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

class PieSuite : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};

// A 400 x 300 chart on a recording canvas, 2-D unless asked.
class TPieChart {
public:
    explicit TPieChart(bool view3D = false, int width = 400, int height = 300) : width_(width), height_(height)
    {
        chart.SetBounds(0, 0, width, height);
        chart.SetView3D(view3D);
        chart.Legend()->SetVisible(false);
        canvas = new TRecordingCanvas(width, height);
        chart.ReplaceCanvas(canvas);
    }
    template <class S = TPieSeries>
    S& Add(std::initializer_list<double> values, bool marks = false)
    {
        auto* pie = new S(root.get());
        pie->SetParentChart(&chart);
        for (const double v : values) pie->AppendMainValue(v);
        pie->Marks().SetVisible(marks);
        return *pie;
    }
    void Frame()
    {
        canvas->ClearLog();
        chart.RenderTo(nullptr, {0, 0, width_, height_});
    }
    std::vector<std::string> Shapes(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> out;
        for (const std::string& line : canvas->Log())
            for (const char* name : names)
                if (line.starts_with(std::string(name) + "(")) out.push_back(line);
        return out;
    }

    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart& chart = *new TChart(root.get());
    TRecordingCanvas* canvas = nullptr;

private:
    int width_, height_;
};
