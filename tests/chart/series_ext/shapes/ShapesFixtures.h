#pragma once
// Fixtures of the shape series tests: the engine for each suite and a chart on the recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "chart/series_ext/shapes/ShapesUnits.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

class ShapesSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        StartShapesUnits();
    }
    static void TearDownTestSuite()
    {
        StopShapesUnits();
        StopChartEngine();
    }
};

// A 400 x 300 chart on a recording canvas; its series belong to the same root component.
class TShapesChart {
public:
    explicit TShapesChart(bool view3D = false)
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
    std::vector<std::string> Calls(const char* name) const { return canvas->Calls(name); }

    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart& chart = *new TChart(root.get());
    TRecordingCanvas* canvas;
};
