#pragma once
// Scrolls an axis while the user drags on the axis itself.
#include "chart/core/ChartTools.h"

enum TAxisScrollLimit { slNone, slMinimum, slMaximum, slBoth };
inline constexpr const char* TAxisScrollLimitNames[] = {"slNone", "slMinimum", "slMaximum", "slBoth"};
static_assert(std::size(TAxisScrollLimitNames) == slBoth + 1);

// The axis across the chart from axis, when an active series is bound to both of its direction.
TChartAxis* PairedAxis(TCustomAxisPanel& chart, const TChartAxis& axis);
// Shifts axis by delta unless the chart's OnAllowScroll refuses (guarded: within the series data),
// with its paired axis when asked, then OnScroll; true when it moved.
bool ScrollAxisBy(TCustomAxisPanel& chart, TChartAxis& axis, double delta, bool guarded, bool withPartner);

class TAxisScrollTool : public TZebCustomToolAxis {
    TV_CLASS(TAxisScrollTool, TZebCustomToolAxis)
public:
    using TZebCustomToolAxis::TZebCustomToolAxis;
    void Assign(TPersistent* source) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    TAxisScrollLimit Limit() const { return limit_; }
    void SetLimit(TAxisScrollLimit value) { limit_ = value; }
    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }

    // The axis the mouse is on: the tool's own when set, else the chart's first visible one.
    TChartAxis* AxisAt(int x, int y) const;
    // Shifts axis by pixels worth of its range, unless the chart refuses; true when it moved.
    bool ScrollAxis(TChartAxis& axis, int pixels);

private:
    TAxisScrollLimit limit_ = slNone;
    bool scrollInverted_ = false;
    TChartAxis* dragged_ = nullptr;
    TPoint last_{};
};
