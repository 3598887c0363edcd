#pragma once
// Fixtures of the polar series tests: the engine for each suite and a chart on the recording
// canvas whose series belong to one root component.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "chart/series_ext/polar/PolarUnits.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

class PolarSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        StartPolarUnits();
    }
    static void TearDownTestSuite()
    {
        StopPolarUnits();
        StopChartEngine();
    }
};

// A flat 400 x 300 chart on a recording canvas.
class TPolarChart {
public:
    TPolarChart()
    {
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(false);
        canvas = new TRecordingCanvas(400, 300);
        chart.ReplaceCanvas(canvas);
    }
    template <class S>
    S& Add()
    {
        auto* series = new S(root.get());
        series->SetParentChart(&chart);
        return *series;
    }
    void Frame()
    {
        canvas->ClearLog();
        chart.RenderTo(nullptr, {0, 0, 400, 300});
    }
    std::vector<std::string> Calls(const char* name) const
    {
        std::vector<std::string> out;
        for (const std::string& line : canvas->Log())
            if (line.rfind(name, 0) == 0) out.push_back(line);
        return out;
    }

    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart& chart = *new TChart(root.get());
    TRecordingCanvas* canvas;
};
