#include "chart/tools/DragMarksTool.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

namespace {

class TDragMarksToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TDragMarksToolEditor"; }
    String GalleryName() const override { return "Drag Marks"; }
    String GalleryHint() const override { return "Moves Series marks when dragging them with mouse."; }
};

}  // namespace

TV_PUBLISHED_AS(TDragMarksTool, TDragMarksToolClass)
{
    Prop("OnDraggingMark", &TDragMarksTool::OnDraggingMark, &TDragMarksTool::SetOnDraggingMark);
    Prop("OnDraggedMark", &TDragMarksTool::OnDraggedMark, &TDragMarksTool::SetOnDraggedMark);
}

TChartSeries* TDragMarksTool::markAt(int x, int y, int& index) const
{
    index = -1;
    auto hit = [&](TChartSeries* series) {
        if (!series->Active() || !series->HasVisibleMarks()) return false;
        index = series->Marks().MarkIndexAt({x, y});
        return index != -1;
    };
    if (TChartSeries* own = Series()) return hit(own) ? own : nullptr;
    const auto& list = ParentChart()->SeriesList();
    for (int i = list.Count() - 1; i >= 0; --i)
        if (hit(list.GetSeriesAt(i))) return list.GetSeriesAt(i);
    return nullptr;
}

void TDragMarksTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    switch (kind) {
    case tmkDown:
        dragged_ = markAt(x, y, index_);
        if (dragged_) {
            last_ = {x, y};
            chart->SetMouseHandled(true);
        }
        break;
    case tmkMove:
        // A series freed during the drag ends it.
        if (dragged_ && chart->SeriesList().IndexOf(dragged_) < 0) dragged_ = nullptr;
        if (dragged_ && index_ != -1) {
            if (TSeriesMarkPosition* position = dragged_->Marks().Positions().PositionAt(index_)) {
                position->Custom = true;
                position->ArrowFix = true;
                position->Offset({x - last_.X, y - last_.Y});
            }
            last_ = {x, y};
            chart->SetMouseHandled(true);
            chart->Invalidate();
            if (onDraggingMark_) onDraggingMark_(this, index_, button, shift, x, y);
        } else {
            int index = -1;
            if (markAt(x, y, index)) {
                chart->SetCursor(crHandPoint);
                chart->SetMouseHandled(true);
            }
        }
        break;
    case tmkUp:
        if (dragged_ && index_ != -1 && onDraggedMark_) onDraggedMark_(this, index_, button, shift, x, y);
        dragged_ = nullptr;
        index_ = -1;
        break;
    }
}
