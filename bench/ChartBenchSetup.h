#pragma once
// What the chart benchmarks share: the application and chart engine started once, headless, and a
// plain axis panel to put series on.
#include <cstdlib>

#include "chart/core/AxisPanel.h"
#include "chart/core/EngineStartup.h"
#include "platform/forms/Forms.h"

struct ChartBenchSetup {
    ChartBenchSetup()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Application->Initialize();
        StartChartEngine();
    }
};

class TBenchChart : public TCustomAxisPanel {
public:
    using TCustomAxisPanel::TCustomAxisPanel;
};
