// The series' colour reset and the texts its legend items are made of: label, value, X value and
// percentage, in the legend's columns.
#include <cmath>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"

namespace {

// The point's value as the legend shows it: a date and time in date-time mode.
String LegendValueText(const TChartSeries& series, int index)
{
    const double value = series.GetMainValue(index);
    if (series.MandatoryValueList()->DateTime()) return FormatDateTime(PickDateTimeFormat(value), value);
    return FormatFloat(series.ValueFormat(), value);
}

String LegendPercentText(const TChartSeries& series, int index)
{
    const double total = series.MandatoryValueList()->AbsSum();
    return FormatFloat(series.PercentFormat(), total == 0 ? 100 : series.GetMainValue(index) * 100 / total);
}

// The point's X value as its horizontal axis labels it; in the value format without an axis.
String XValueText(const TChartSeries& series, double x)
{
    if (const TChartAxis* axis = series.GetHorizAxis()) return axis->ValueToLabelText(x);
    return FormatFloat(series.ValueFormat(), x);
}

}  // namespace

void TChartSeries::ResetSeriesColor()
{
    if (seriesColor_ == clAutomatic) return;
    seriesColor_ = pickedColor_ = clAutomatic;
    if (TCustomAxisPanel* chart = ParentChart()) {
        chart->ReassignAutoColors();
        chart->Invalidate();
    }
}

String TChartSeries::FormatLegendText(int index, TLegendTextStyle style) const
{
    const int i = LegendItemSource(index);
    const String label = GetPointLabel(i);
    const String sep(1, LegendColumnSeparator);
    // The piece, then the label in its own column when there is one (or the other way round).
    const auto withLabel = [&](const String& piece, bool labelFirst) {
        if (label.empty()) return piece;
        return labelFirst ? label + sep + piece : piece + sep + label;
    };
    switch (style) {
    case ltsPlain: return label;
    case ltsLeftValue: return withLabel(LegendValueText(*this, i), false);
    case ltsRightValue: return withLabel(LegendValueText(*this, i), true);
    case ltsLeftPercent: return withLabel(LegendPercentText(*this, i), false);
    case ltsRightPercent: return withLabel(LegendPercentText(*this, i), true);
    case ltsXValue: return XValueText(*this, GetPointX(i));
    case ltsValue: return LegendValueText(*this, i);
    case ltsPercent: return LegendPercentText(*this, i);
    case ltsXAndValue: return XValueText(*this, GetPointX(i)) + sep + LegendValueText(*this, i);
    case ltsXAndPercent: return XValueText(*this, GetPointX(i)) + sep + LegendPercentText(*this, i);
    case ltsXAndText: return XValueText(*this, GetPointX(i)) + sep + label;
    case ltsXAndValueAndText:
        return XValueText(*this, GetPointX(i)) + sep + LegendValueText(*this, i) + sep + label;
    }
    return label;
}

TPoint TChartSeries::GetMarkOverlapShift(const TRect& a, const TRect& b) const
{
    if (yMandatory_) return {0, a.Top < b.Top ? b.Top - a.Bottom : b.Bottom - a.Top};
    return {a.Left < b.Left ? b.Left - a.Right : b.Right - a.Left, 0};
}
