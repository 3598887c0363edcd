#pragma once
// Small pieces the standard series share: where a self-stacked bar series stands, and hatch
// styles picked by index (one per series or point, cycling).
#include "platform/classes/Persistent.h"
#include "platform/graphics/GraphicsObjects.h"

class TCustomChartElement;

// The place of a self-stacked bar series on the category axis: its index in the chart's series
// list, or Position when UsePosition is on. The series that owns it is its parent.
class TSelfStack : public TPersistent {
    TV_CLASS(TSelfStack, TPersistent)
public:
    explicit TSelfStack(TCustomChartElement* parent = nullptr) : parent_(parent) {}
    // Copies Position and UsePosition without repainting anything.
    void Assign(TPersistent* source) override;

    bool UsePosition() const { return usePosition_; }
    void SetUsePosition(bool value);
    double Position() const { return position_; }
    void SetPosition(double value);

private:
    TCustomChartElement* parent_;
    bool usePosition_ = false;
    double position_ = 0;
};

// bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross by index mod 6.
TBrushStyle PatternBrushStyle(int index);
