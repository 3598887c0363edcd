#pragma once
// Fixtures of the bar series tests: a chart drawn on the recording canvas, bar series filled
// from a list of values, and a bar series that opens its drawing steps to the tests.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/BarSeries.h"
#include "chart/series/HorizBarSeries.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

// The engine's texts and canvas classes live for each suite.
class BarSuite : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};

// A bar series whose drawing steps tests call one by one.
class TProbeBarSeries : public TBarSeries {
    TV_CLASS(TProbeBarSeries, TBarSeries)
public:
    using TBarSeries::TBarSeries;
    using TCustomBarSeries::ApplyRelativeGradient;
};

// A 400 x 300 chart on a recording canvas; its series belong to the same root component.
class TBarChart {
public:
    explicit TBarChart(bool view3D = false, int width = 400, int height = 300) : width_(width), height_(height)
    {
        chart.SetBounds(0, 0, width, height);
        chart.SetView3D(view3D);
        if (view3D) chart.View3DOptions()->SetOrthogonal(true);
        canvas = new TRecordingCanvas(width, height);
        chart.ReplaceCanvas(canvas);
    }
    template <class S = TBarSeries>
    S& Add(std::initializer_list<double> values, TMultiBar mode = mbSide)
    {
        auto* series = new S(root.get());
        series->SetParentChart(&chart);
        for (const double v : values) series->AppendMainValue(v);
        series->Marks().SetVisible(false);
        series->SetMultiBar(mode);
        return *series;
    }
    void Frame()
    {
        canvas->ClearLog();
        chart.RenderTo(nullptr, {0, 0, width_, height_});
    }
    // Log lines that start with one of the names.
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
