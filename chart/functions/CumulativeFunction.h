#pragma once
// The running total of a source, or of several sources point index by point index.
#include "chart/core/ZebFunction.h"

class TCumulative : public TZebFunction {
    TV_CLASS(TCumulative, TZebFunction)
public:
    explicit TCumulative(TComponent* owner);
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
    double ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index) override;
};
