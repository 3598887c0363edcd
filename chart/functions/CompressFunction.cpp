#include "chart/functions/CompressFunction.h"

#include <cmath>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/functions/FunctionClasses.h"
#include "chart/series/CandleSeries.h"
#include "platform/classes/Published.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/MathUtils.h"

namespace {
constexpr char CompressForm[] = "TCompressFuncEditor";

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
}  // namespace

TV_PUBLISHED_AS(TCompressFunction, TFunctionWithForm<CompressForm>)
{
    PropEnum("Compress", &TCompressFunction::Compress, &TCompressFunction::SetCompress, ocWeek,
             TCompressionPeriodNames);
    Prop("OnGetDate", &TCompressFunction::OnGetDate, &TCompressFunction::SetOnGetDate);
}

std::int64_t CompressionKey(TCompressionPeriod period, TDateTime date)
{
    Word year, month, day, hour, minute, second, msec;
    DecodeDateTime(date, year, month, day, hour, minute, second, msec);
    const auto days = static_cast<std::int64_t>(std::floor(static_cast<double>(date)));
    const std::int64_t months = year * 12 + (month - 1);
    const std::int64_t hours = days * 24 + hour, minutes = hours * 60 + minute, seconds = minutes * 60 + second;
    switch (period) {
    case ocDay: return days;
    case ocWeek: return days - (DayOfTheWeek(date) - 1);  // the week's Monday
    case ocMonth: return months;
    case ocBiMonth: return FloorDiv(months, 2);
    case ocQuarter: return FloorDiv(months, 3);
    case ocYear: return year;
    case ocSecond: return seconds;
    case ocTenSecond: return FloorDiv(seconds, 10);
    case ocMinute: return minutes;
    case ocTwoMinutes: return FloorDiv(minutes, 2);
    case ocFiveMinutes: return FloorDiv(minutes, 5);
    case ocTenMinutes: return FloorDiv(minutes, 10);
    case ocFifteenMinutes: return FloorDiv(minutes, 15);
    case ocTwentyMinutes: return FloorDiv(minutes, 20);
    case ocHalfHour: return FloorDiv(minutes, 30);
    case ocHour: return hours;
    case ocTwoHours: return FloorDiv(hours, 2);
    case ocThreeHour: return FloorDiv(hours, 3);
    case ocSixHour: return FloorDiv(hours, 6);
    case ocTwelveHour: return FloorDiv(hours, 12);
    }
    return days;
}

TCompressFunction::TCompressFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
    OwnValueLists = true;
}

void TCompressFunction::SetCompress(TCompressionPeriod value) { Change(compress_, value); }

void TCompressFunction::RecomputeFrom(TChartSeries* source)
{
    if (source && dynamic_cast<TOHLCSeries*>(OutputSeries())) CompressSeries(source, OutputSeries(), nullptr, nullptr);
}

void TCompressFunction::CompressSeries(TChartSeries* source, TChartSeries* dest, TChartSeries* destVolume,
                                       TChartSeries* sourceVolume)
{
    auto* out = dynamic_cast<TOHLCSeries*>(dest);
    if (!out) return;
    out->RemoveAllPoints();
    if (destVolume) destVolume->RemoveAllPoints();
    const auto* prices = dynamic_cast<const TOHLCSeries*>(source);
    const TChartValueList& values = *SourceValueList(source);
    const TChartValueList& dates = *source->IndependentValueList();
    const int p = static_cast<int>(Round(Period()));
    std::int64_t previous = 0;
    for (int i = 0; i < source->Count(); ++i) {
        bool starts = i == 0;
        if (p != 0) {
            starts = starts || i % p == 0;
        } else {
            TDateTime date = dates[i];
            if (onGetDate_) onGetDate_(this, source, i, date);
            const std::int64_t key = CompressionKey(compress_, date);
            starts = starts || key != previous;
            previous = key;
        }
        const double open = prices ? prices->OpenValues()->ValueAt(i) : values[i];
        const double high = prices ? prices->HighValues()->ValueAt(i) : values[i];
        const double low = prices ? prices->LowValues()->ValueAt(i) : values[i];
        const double close = prices ? prices->CloseValues()->ValueAt(i) : values[i];
        if (starts) {
            const int j = out->AppendOHLC(String(), clAutomatic, dates[i], open, high, low, close);
            out->SetLabelAt(j, source->GetLabelAt(i));
            if (destVolume && sourceVolume) destVolume->InsertXY(dates[i], sourceVolume->YValues()->ValueAt(i));
            continue;
        }
        const int j = out->Count() - 1;
        out->CloseValues()->SetValueAt(j, close);
        out->DateValues()->SetValueAt(j, dates[i]);
        if (high > out->HighValues()->ValueAt(j)) out->HighValues()->SetValueAt(j, high);
        if (low < out->LowValues()->ValueAt(j)) out->LowValues()->SetValueAt(j, low);
        out->SetLabelAt(j, source->GetLabelAt(i));
        if (destVolume && sourceVolume) {
            const int v = destVolume->Count() - 1;
            destVolume->YValues()->SetValueAt(v, destVolume->YValues()->ValueAt(v) + sourceVolume->YValues()->ValueAt(i));
            destVolume->XValues()->SetValueAt(v, sourceVolume->XValues()->ValueAt(i));
        }
    }
    if (destVolume) {
        destVolume->XValues()->SetDirty(true);
        destVolume->YValues()->SetDirty(true);
    }
}

void TCompressFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    if (chart->NumSeries() > 1) chart->GetSeriesAt(1)->Free();
    if (chart->NumSeries() == 0) return;
    auto* candles = new TCandleSeries(chart->Owner());
    candles->SetParentChart(chart);
    candles->SetVertAxis(aRightAxis);
    candles->AttachFunction(this);
    candles->SetDataSource(chart->GetSeriesAt(0));
    chart->LeftAxis()->SetEndPosition(50);
    chart->RightAxis()->SetStartPosition(50);
}
