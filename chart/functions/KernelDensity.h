#pragma once
// A kernel density estimate (Epanechnikov kernel) of a list of sample values, or their counts
// per grid point, delivered as points for the series that show distributions. Not a gallery
// function: such a series owns one, hands it the samples and copies KDEPoints.
#include <memory>
#include <vector>

#include "chart/core/ZebFunction.h"
#include "platform/graphics/GraphicsTypes.h"

using TFloatPointArray = std::vector<TPointFloat>;

class TKDEOptions : public TObject {
    TV_CLASS(TKDEOptions, TObject)
public:
    // Counts per grid point instead of a density.
    bool Histogram = false;
    // Grid points.
    int Resolution = 100;
    // Kernel half-width in value units.
    int Bandwidth = 20;
    // Kept for the series that set it.
    int ExtraValue = 0;
    // 0 the samples' extent, 1 ClampMin .. ClampMax.
    Byte ClampMode = 0;

    void SetHistogram(bool value) { Histogram = value; }
    void SetResolution(int value) { Resolution = value; }
    void SetBandwidth(int value) { Bandwidth = value; }
    void SetExtraValue(int value) { ExtraValue = value; }
    void SetClampMode(Byte value) { ClampMode = value; }
};

class TKDEFunction : public TZebFunction {
    TV_CLASS(TKDEFunction, TZebFunction)
public:
    explicit TKDEFunction(TComponent* owner);
    ~TKDEFunction() override;

    TKDEOptions* Options();
    const TFloatPointArray& KDEPoints() const { return points_; }
    // Centre X of the density outline.
    double Position() const { return position_; }
    void SetPosition(double value) { position_ = value; }
    double ClampMin() const { return clampMin_; }
    void SetClampMin(double value) { clampMin_ = value; }
    double ClampMax() const { return clampMax_; }
    void SetClampMax(double value) { clampMax_ = value; }

    // Not owned; its series is sorted by it when calculating.
    void SetSourceValues(TChartValueList* values) { samples_ = values; }
    // Nothing without samples.
    void CalculateKDE();
    void CalculateValues();
    // The output's vertical axis range, 10 pixels in from both ends.
    void CalcClampRange();

    void RecomputeFrom(TChartSeries* source) override;
    void HandleSeriesCleared() override;

private:
    std::unique_ptr<TKDEOptions> options_;
    TFloatPointArray points_;
    TChartValueList* samples_ = nullptr;
    double position_ = 0;
    double clampMin_ = 0;
    double clampMax_ = 0;
};
