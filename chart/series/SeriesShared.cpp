#include "chart/series/SeriesShared.h"

#include "chart/core/ChartSeries.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TSelfStack)
{
    Prop("Position", &TSelfStack::Position, &TSelfStack::SetPosition);
    Prop("UsePosition", &TSelfStack::UsePosition, &TSelfStack::SetUsePosition, false);
}

void TSelfStack::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TSelfStack*>(source)) {
        position_ = other->position_;
        usePosition_ = other->usePosition_;
        return;
    }
    TPersistent::Assign(source);
}

void TSelfStack::SetUsePosition(bool value)
{
    if (parent_)
        parent_->ChangeBoolean(usePosition_, value);
    else
        usePosition_ = value;
}

void TSelfStack::SetPosition(double value)
{
    if (AssignIfChanged(position_, value) && parent_) parent_->InvalidateChart();
}

TBrushStyle PatternBrushStyle(int index)
{
    static constexpr TBrushStyle styles[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
    return styles[index % 6];
}
