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
