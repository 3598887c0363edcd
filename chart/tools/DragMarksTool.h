#pragma once
// Lets the user drag series marks to new places, which the series keeps as custom positions.
#include "chart/core/ChartTools.h"

class TDragMarksTool;
using TDragMarkEvent = TMethodEvent<void(TDragMarksTool* Sender, int Index, TMouseButton Button, TShiftState Shift,
                                         int X, int Y)>;

class TDragMarksTool : public TZebCustomToolSeries {
    TV_CLASS(TDragMarksTool, TZebCustomToolSeries)
public:
    using TZebCustomToolSeries::TZebCustomToolSeries;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    const TDragMarkEvent& OnDraggingMark() const { return onDraggingMark_; }
    void SetOnDraggingMark(TDragMarkEvent value) { onDraggingMark_ = std::move(value); }
    const TDragMarkEvent& OnDraggedMark() const { return onDraggedMark_; }
    void SetOnDraggedMark(TDragMarkEvent value) { onDraggedMark_ = std::move(value); }

    TChartSeries* DraggedSeries() const { return dragged_; }
    int DraggedIndex() const { return index_; }

private:
    // The mark under the point: in the tool's series, else the last series first; index -1 none.
    TChartSeries* markAt(int x, int y, int& index) const;

    TDragMarkEvent onDraggingMark_, onDraggedMark_;
    TChartSeries* dragged_ = nullptr;
    int index_ = -1;
    TPoint last_{};
};
