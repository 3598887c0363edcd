#include "chart/core/ChartAxes.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TChartCustomAxes) {}

TChartCustomAxes::TChartCustomAxes(TCustomAxisPanel* chart, TChartAxis* parentAxis)
    : TCollection(TChartAxis::StaticClass()), chart_(chart), parentAxis_(parentAxis)
{
}

TChartCustomAxes::~TChartCustomAxes() { Clear(); }

TPersistent* TChartCustomAxes::GetOwner() const
{
    if (parentAxis_) return parentAxis_;
    return chart_;
}

TChartAxis* TChartCustomAxes::GetAxisAt(int index) const { return static_cast<TChartAxis*>(Items(index)); }

TChartAxis* TChartCustomAxes::AddAxis()
{
    auto* axis = static_cast<TChartAxis*>(Add());
    if (parentAxis_) {
        axis->SetHorizontal(parentAxis_->Horizontal());
        axis->SetOtherSide(parentAxis_->OtherSide());
    }
    return axis;
}

void TChartCustomAxes::ApplyRangeToSubAxes(TChartAxis* master)
{
    if (!master) return;
    for (int i = 0; i < Count(); ++i)
        if (TChartAxis* axis = GetAxisAt(i); axis->ParentAxis() == master)
            axis->ApplyRange(master->Minimum(), master->Maximum());
}

void TChartAxes::Remove(TChartAxis* axis)
{
    const auto it = std::find(axes_.begin(), axes_.end(), axis);
    if (it != axes_.end()) axes_.erase(it);
}

void TChartAxes::Clear()
{
    while (!axes_.empty()) {
        TChartAxis* axis = axes_.front();
        axes_.erase(axes_.begin());
        delete axis;
    }
}

void TChartAxes::SetFastPixelCalc(bool value)
{
    fastPixelCalc_ = value;
    for (TChartAxis* axis : axes_) axis->SelectPixelStrategy();
}

TChartAxis* TChartAxes::AxisAtPoint(TPoint point) const
{
    for (TChartAxis* axis : axes_)
        if (axis->ContainsPoint(point)) return axis;
    return nullptr;
}

void TChartAxes::SetAutomatic(bool value)
{
    for (TChartAxis* axis : axes_) axis->SetAutomatic(value);
}

bool TChartAxes::GetVisible() const { return !chart_ || chart_->AxisVisible(); }

void TChartAxes::SetVisible(bool value)
{
    if (chart_) chart_->SetAxisVisible(value);
}

bool TChartAxes::GetBehind() const { return chart_ && chart_->AxisBehind(); }

void TChartAxes::SetBehind(bool value)
{
    if (chart_) chart_->SetAxisBehind(value);
}
