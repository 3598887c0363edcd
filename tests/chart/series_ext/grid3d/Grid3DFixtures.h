#pragma once
// Fixtures of the 3-D grid series tests: the engine for each suite, a chart on the recording
// canvas, and grids filled node by node.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "chart/canvas/View3DOptions.h"
#include "chart/series_ext/grid3d/Grid3DUnits.h"
#include "tests/chart/support/RecordingChart.h"

using Grid3DSuite = TChartUnitSuite<StartGrid3DUnits, StopGrid3DUnits>;

class TGridChart : public TRecordingChart {
public:
    explicit TGridChart(bool view3D = true) : TRecordingChart(view3D) {}
    void Rotate(int rotation)
    {
        chart.View3DOptions()->SetOrthogonal(false);
        chart.View3DOptions()->SetRotation(rotation);
    }
    std::vector<std::string> Calls(const char* name) const { return CallsStartingWith(name); }
};

// Nodes x = 1..nx, z = 1..nz with Y from value(x, z).
template <class S>
void FillGrid(S& s, int nx, int nz, const std::function<double(int, int)>& value)
{
    for (int z = 1; z <= nz; ++z)
        for (int x = 1; x <= nx; ++x) s.InsertPoint3D(x, value(x, z), z);
}
