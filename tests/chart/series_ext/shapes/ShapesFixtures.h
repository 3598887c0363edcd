#pragma once
// Fixtures of the shape series tests: the engine for each suite and a chart on the recording canvas.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/series_ext/shapes/ShapesUnits.h"
#include "tests/chart/support/RecordingChart.h"

using ShapesSuite = TChartUnitSuite<StartShapesUnits, StopShapesUnits>;

class TShapesChart : public TRecordingChart {
public:
    explicit TShapesChart(bool view3D = false) : TRecordingChart(view3D) {}
    std::vector<std::string> Calls(const char* name) const { return canvas->Calls(name); }
};
