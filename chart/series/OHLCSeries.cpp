#include "chart/series/OHLCSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED(TOHLCSeries)
{
    // The date and close lists travel as XValues and YValues; their names here are aliases.
    Prop("CloseValues", &TOHLCSeries::CloseValues, &TOHLCSeries::SetCloseValues).Stored(false);
    Prop("DateValues", &TOHLCSeries::DateValues, &TOHLCSeries::SetDateValues).Stored(false);
    Prop("HighValues", &TOHLCSeries::HighValues, &TOHLCSeries::SetHighValues);
    Prop("LowValues", &TOHLCSeries::LowValues, &TOHLCSeries::SetLowValues);
    Prop("OpenValues", &TOHLCSeries::OpenValues, &TOHLCSeries::SetOpenValues);
}

TOHLCSeries::TOHLCSeries(TComponent* owner)
    : TCustomSeries(owner),
      highValues_(new TChartValueList(this, TxtHigh2)),
      lowValues_(new TChartValueList(this, TxtLow2)),
      openValues_(new TChartValueList(this, TxtOpen))
{
    XValues()->SetName(TxtDate);
    XValues()->InitDateTime(true);
    YValues()->SetName(TxtClose);
}

int TOHLCSeries::AppendOHLC(const String& label, TColor color, double date, double open, double high, double low,
                            double close)
{
    highValues_->SetPendingValue(high);
    lowValues_->SetPendingValue(low);
    openValues_->SetPendingValue(open);
    return InsertXY(date, close, label, color);
}

double TOHLCSeries::ExtremeValue(bool lowest)
{
    bool any = false;
    double result = 0;
    for (int i = 0; i < Count(); ++i) {
        if (!IsPointUsable(i)) continue;
        const double prices[] = {highValues_->ValueAt(i), CloseValues()->ValueAt(i), lowValues_->ValueAt(i),
                                 openValues_->ValueAt(i)};
        const double point = lowest ? *std::min_element(std::begin(prices), std::end(prices))
                                    : *std::max_element(std::begin(prices), std::end(prices));
        if (!any || (lowest ? point < result : point > result)) result = point;
        any = true;
    }
    return result;
}

void TOHLCSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    const double span = r.spanY;
    double x = r.startX;
    double open = RandomInt(static_cast<int>(Round(span))) + r.minY;
    for (int i = 0; i < count; ++i) {
        const double close = open + RandomInt(static_cast<int>(Round(span / 25))) - span / 50;
        const int t = 3 * static_cast<int>(Round(std::fabs(close - open) / 10));
        const int s = std::abs(static_cast<int>(Round(span / 400)));
        const double high = std::max(open, close) + t + RandomInt(s);
        const double low = std::min(open, close) - t - RandomInt(s);
        AppendOHLC(String(), clAutomatic, x, open, high, low, close);
        x += r.stepX;
        open = close + RandomInt(10) - 5;
    }
}

bool TOHLCSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TOHLCSeries*>(series) != nullptr;
}
