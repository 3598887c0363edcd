#pragma once
// Fixtures of the polar series tests: the engine for each suite and a chart on the recording
// canvas whose series belong to one root component.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/series_ext/polar/PolarUnits.h"
#include "tests/chart/support/RecordingChart.h"

using PolarSuite = TChartUnitSuite<StartPolarUnits, StopPolarUnits>;

class TPolarChart : public TRecordingChart {
public:
    explicit TPolarChart(bool view3D = false) : TRecordingChart(view3D) {}
    std::vector<std::string> Calls(const char* name) const { return CallsStartingWith(name); }
};
