#pragma once
// Fixtures of the 3-D grid series tests: the engine for each suite, a chart on the recording
// canvas, and grids filled node by node.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/EngineStartup.h"
#include "chart/series_ext/grid3d/Grid3DUnits.h"
#include "platform/classes/Component.h"
#include "tests/chart/support/RecordingCanvas.h"

class Grid3DSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        StartGrid3DUnits();
    }
    static void TearDownTestSuite()
    {
        StopGrid3DUnits();
        StopChartEngine();
    }
};

// A 400 x 300 chart on a recording canvas; its series belong to the same root component.
class TGridChart {
public:
    explicit TGridChart(bool view3D = true)
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
    void Rotate(int rotation)
    {
        chart.View3DOptions()->SetOrthogonal(false);
        chart.View3DOptions()->SetRotation(rotation);
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

// Nodes x = 1..nx, z = 1..nz with Y from value(x, z).
template <class S>
void FillGrid(S& s, int nx, int nz, const std::function<double(int, int)>& value)
{
    for (int z = 1; z <= nz; ++z)
        for (int x = 1; x <= nx; ++x) s.InsertPoint3D(x, value(x, z), z);
}
