#pragma once
// Change along a source (slope, percentage change, performance) and the geometry of its points
// (cross points of two sources, the perimeter as convex hull, the centroid).
#include "chart/core/ZebFunction.h"

// Against the point before the window; 0 at the first point.
class TSlopeFunction : public TZebMovingFunction {
    TV_CLASS(TSlopeFunction, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

class TPercentChangeFunction : public TZebMovingFunction {
    TV_CLASS(TPercentChangeFunction, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

// Change in percent of the source's first value.
class TPerformanceFunction : public TZebMovingFunction {
    TV_CLASS(TPerformanceFunction, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

// Where the lines of the first two sources cross.
class TCrossPointsFunction : public TZebFunction {
    TV_CLASS(TCrossPointsFunction, TZebFunction)
public:
    explicit TCrossPointsFunction(TComponent* owner);
    void RecomputeFrom(TChartSeries* source) override;
};

// The convex hull of the source's points on screen, closed; empty outside a chart.
class TPerimeterFunction : public TZebFunction {
    TV_CLASS(TPerimeterFunction, TZebFunction)
public:
    explicit TPerimeterFunction(TComponent* owner);
    void RecomputeFrom(TChartSeries* source) override;
};

// The middle of the source's X and Y extents, in single precision.
class TCentroidZebFunction : public TZebFunction {
    TV_CLASS(TCentroidZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    void RecomputeFrom(TChartSeries* source) override;
};
