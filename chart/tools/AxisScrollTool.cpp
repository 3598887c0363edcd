#include "chart/tools/AxisScrollTool.h"

#include <cstdlib>

#include "chart/core/Chart.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "platform/classes/Published.h"

namespace {

class TAxisScrollToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAxisScrollEditor"; }
    String GalleryName() const override { return "Axis Scroll"; }
    String GalleryHint() const override { return "Allows the scrolling of Axes by mouse dragging"; }
};

}  // namespace

TChartAxis* PairedAxis(TCustomAxisPanel& chart, const TChartAxis& axis)
{
    TChartAxis* partner = nullptr;
    if (&axis == chart.BottomAxis()) partner = chart.TopAxis();
    if (&axis == chart.TopAxis()) partner = chart.BottomAxis();
    if (&axis == chart.LeftAxis()) partner = chart.RightAxis();
    if (&axis == chart.RightAxis()) partner = chart.LeftAxis();
    if (!partner) return nullptr;
    for (TChartSeries* series : chart.SeriesList())
        if (series->Active() &&
            (axis.Horizontal() ? series->HorizAxis() == aBothHorizAxis : series->VertAxis() == aBothVertAxis))
            return partner;
    return nullptr;
}

bool ScrollAxisBy(TCustomAxisPanel& panel, TChartAxis& axis, double delta, bool guarded, bool withPartner)
{
    auto* chart = dynamic_cast<TCustomChart*>(&panel);
    if (chart && chart->OnAllowScroll()) {
        double low = axis.Minimum() + delta, high = axis.Maximum() + delta;
        bool allow = true;
        chart->OnAllowScroll()(&axis, low, high, allow);
        if (!allow) return false;
    }
    axis.ShiftRange(guarded, delta);
    if (withPartner)
        if (TChartAxis* partner = PairedAxis(panel, axis)) partner->ShiftRange(guarded, delta);
    if (chart && chart->OnScroll()) chart->OnScroll()(chart);
    return true;
}

TV_PUBLISHED_AS(TAxisScrollTool, TAxisScrollToolClass)
{
    PropEnum("Limit", &TAxisScrollTool::Limit, &TAxisScrollTool::SetLimit, slNone, TAxisScrollLimitNames);
    Prop("ScrollInverted", &TAxisScrollTool::ScrollInverted, &TAxisScrollTool::SetScrollInverted, false);
}

void TAxisScrollTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TAxisScrollTool*>(source)) {
        limit_ = s->limit_;
        scrollInverted_ = s->scrollInverted_;
    }
    TZebCustomToolAxis::Assign(source);
}

TChartAxis* TAxisScrollTool::AxisAt(int x, int y) const
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return nullptr;
    if (TChartAxis* own = Axis()) return own->ContainsPoint({x, y}) ? own : nullptr;
    return chart->Axes().AxisAtPoint({x, y});
}

bool TAxisScrollTool::ScrollAxis(TChartAxis& axis, int pixels)
{
    const int length = std::abs(axis.EndPixel() - axis.StartPixel());
    if (length == 0 || pixels == 0) return false;
    if (!ParentChart()) return false;
    const double delta = (axis.Maximum() - axis.Minimum()) * pixels / length;
    const bool guarded = delta > 0 ? limit_ == slMaximum || limit_ == slBoth : limit_ == slMinimum || limit_ == slBoth;
    return ScrollAxisBy(*ParentChart(), axis, delta, guarded, false);
}

void TAxisScrollTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    switch (kind) {
    case tmkDown:
        dragged_ = AxisAt(x, y);
        last_ = {x, y};
        if (dragged_) {
            chart->SetMouseHandled(true);
            if (auto* c = dynamic_cast<TCustomChart*>(chart); c && c->OnClickAxis())
                c->OnClickAxis()(c, dragged_, button, shift, x, y);
        }
        break;
    case tmkMove:
        if (dragged_) {
            const bool horizontal = dragged_->Horizontal();
            int pixels = horizontal ? last_.X - x : last_.Y - y;
            if (dragged_->Inverted()) pixels = -pixels;
            if (horizontal == scrollInverted_) pixels = -pixels;
            ScrollAxis(*dragged_, pixels);
            if (TChartAxis* partner = PairedAxis(*chart, *dragged_)) ScrollAxis(*partner, pixels);
            last_ = {x, y};
            chart->SetMouseHandled(true);
        } else if (AxisAt(x, y)) {
            chart->SetCursor(crHandPoint);
            chart->SetMouseHandled(true);
        }
        break;
    case tmkUp:
        dragged_ = nullptr;
        break;
    }
}
