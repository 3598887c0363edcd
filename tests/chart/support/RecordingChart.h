#pragma once
// A suite that starts the chart engine and one series unit, and a 400 x 300 chart on a recording
// canvas whose series belong to the same root component.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

template <void (*StartUnits)(), void (*StopUnits)()>
class TChartUnitSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        StartUnits();
    }
    static void TearDownTestSuite()
    {
        StopUnits();
        StopChartEngine();
    }
};

class TRecordingChart {
public:
    explicit TRecordingChart(bool view3D)
    {
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(view3D);
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
    // The logged calls whose line starts with the prefix.
    std::vector<std::string> CallsStartingWith(const char* prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& line : canvas->Log())
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }

    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart& chart = *new TChart(root.get());
    TRecordingCanvas* canvas;
};
