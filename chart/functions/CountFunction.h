#pragma once
// The number of points of each period, or of sources holding each point index.
#include "chart/core/ZebFunction.h"

class TCountZebFunction : public TZebFunction {
    TV_CLASS(TCountZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
    double ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index) override;
};
