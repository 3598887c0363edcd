#pragma once
// Fixtures of the series tests beside the test panel and series: an average as calculation
// function (plain and moving), a series tool, an axis tool that counts its Loaded calls and a
// data source that loads three points.
#include <numeric>
#include <vector>

#include "AxisFixtures.h"
#include "chart/core/ChartTools.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebFunction.h"

// The mean of the collected values.
inline double MeanOf(const std::vector<double>& work)
{
    return work.empty() ? 0 : std::accumulate(work.begin(), work.end(), 0.0) / static_cast<double>(work.size());
}

class TTestAverage : public TZebFunction {
    TV_CLASS(TTestAverage, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override { return MeanOf(work); }
};

class TTestMovingAverage : public TZebMovingFunction {
    TV_CLASS(TTestMovingAverage, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override { return MeanOf(work); }
};

class TTestSeriesTool : public TZebCustomToolSeries {
    TV_CLASS(TTestSeriesTool, TZebCustomToolSeries)
public:
    using TZebCustomToolSeries::TZebCustomToolSeries;
};

class TTestAxisTool : public TZebCustomToolAxis {
    TV_CLASS(TTestAxisTool, TZebCustomToolAxis)
public:
    using TZebCustomToolAxis::TZebCustomToolAxis;
    int LoadedCalls = 0;
    void Loaded() override
    {
        ++LoadedCalls;
        TZebCustomToolAxis::Loaded();
    }
};

// Loads the points 4, 6, 8 into its series, anew each time; counts the loads.
class TTestSource : public TZebSeriesSource {
    TV_CLASS(TTestSource, TZebSeriesSource)
public:
    using TZebSeriesSource::TZebSeriesSource;
    int Loads = 0;
    void LoadSource() override
    {
        ++Loads;
        if (!Series()) return;
        TPointUpdateBlock block(*Series());
        Series()->RemoveAllPoints();
        for (const double y : {4.0, 6.0, 8.0}) Series()->AppendValue(y);
    }
};

inline std::vector<double> valuesOf(const TChartValueList* list)
{
    return std::vector<double>(list->Values(), list->Values() + list->Count());
}
