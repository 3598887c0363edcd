#pragma once
// Stripes between an axis' grid lines, filled alternately with two brushes.
#include <memory>

#include "chart/canvas/ZebBrush.h"
#include "chart/core/ChartTools.h"

// A band brush: its back colour none means the chart's back-wall colour; its own transparency.
class TGridBandBrush : public TZebBrush {
    TV_CLASS(TGridBandBrush, TZebBrush)
public:
    explicit TGridBandBrush(TNotifyEvent onChange = {});
    void Assign(TPersistent* source) override;

    int Transparency() const { return transparency_; }
    void SetTransparency(int value);

private:
    int transparency_ = 0;
};

class TGridBandTool : public TZebCustomToolAxis {
    TV_CLASS(TGridBandTool, TZebCustomToolAxis)
public:
    explicit TGridBandTool(TComponent* owner);
    ~TGridBandTool() override;
    void Assign(TPersistent* source) override;
    // Moves the tool's grid hook from the old axis to the new one.
    void SetAxis(TChartAxis* value) override;

    TGridBandBrush* Band1() const { return band1_.get(); }
    void SetBand1(TGridBandBrush* value) { band1_->Assign(value); }
    TGridBandBrush* Band2() const { return band2_.get(); }
    void SetBand2(TGridBandBrush* value) { band2_->Assign(value); }

    // The axis' grid stage: the stripes between its ticks.
    void DrawGrid(TChartAxis& axis);

private:
    void detach();
    void fillStripe(TChartAxis& axis, TGridBandBrush& band, int from, int to);

    std::unique_ptr<TGridBandBrush> band1_, band2_;
};
