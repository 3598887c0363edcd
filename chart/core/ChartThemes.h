#pragma once
// TChartTheme: the base of the chart themes. A theme works on one chart, which it does not own;
// the concrete themes change the chart's look. A theme class found by name is made for a chart
// with CreateInstance(chart).
#include "platform/classes/Persistent.h"

class TComponent;
class TCustomChart;

class TChartTheme : public TPersistent {
    TV_CLASS(TChartTheme, TPersistent)
public:
    // chart: the chart to work on (none when it is not a chart).
    explicit TChartTheme(TComponent* chart);

    TCustomChart* Chart() const { return chart_; }
    // Changes the chart's look; the base changes nothing.
    virtual void ApplyTheme() {}
    // The theme's display name: "Default" in the base.
    virtual String GetDescription() const;
    // Adjustments after a stored look was applied; none in the base.
    virtual void AdjustChart() {}

private:
    TCustomChart* chart_;
};
