#pragma once
// What the chart benchmarks share: the engine started once, offscreen, and a bare axis panel.
#include <cstdlib>

#include "chart/core/AxisPanel.h"
#include "chart/core/EngineStartup.h"
#include "platform/forms/Forms.h"

inline void StartChartBench()
{
    static const bool started = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Application->Initialize();
        StartChartEngine();
        return true;
    }();
    (void)started;
}

class TBenchChart : public TCustomAxisPanel {
public:
    using TCustomAxisPanel::TCustomAxisPanel;
};
