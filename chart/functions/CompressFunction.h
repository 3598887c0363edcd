#pragma once
// Compression of a series into OHLC bars: one bar per Period points, or, with Period 0, per
// calendar period of the points' dates.
#include <cstdint>
#include <iterator>

#include "chart/core/ZebFunction.h"
#include "platform/rtl/Types.h"

enum TCompressionPeriod {
    ocDay,
    ocWeek,
    ocMonth,
    ocBiMonth,
    ocQuarter,
    ocYear,
    ocSecond,
    ocTenSecond,
    ocMinute,
    ocTwoMinutes,
    ocFiveMinutes,
    ocTenMinutes,
    ocFifteenMinutes,
    ocTwentyMinutes,
    ocHalfHour,
    ocHour,
    ocTwoHours,
    ocThreeHour,
    ocSixHour,
    ocTwelveHour
};
inline constexpr const char* TCompressionPeriodNames[] = {
    "ocDay",        "ocWeek",          "ocMonth",         "ocBiMonth",  "ocQuarter",  "ocYear",     "ocSecond",
    "ocTenSecond",  "ocMinute",        "ocTwoMinutes",    "ocFiveMinutes", "ocTenMinutes", "ocFifteenMinutes",
    "ocTwentyMinutes", "ocHalfHour",   "ocHour",          "ocTwoHours", "ocThreeHour", "ocSixHour",  "ocTwelveHour"};
static_assert(std::size(TCompressionPeriodNames) == ocTwelveHour + 1);

class TZebFunction;
using TCompressGetDate =
    TMethodEvent<void(TZebFunction* Sender, TChartSeries* Source, int ValueIndex, TDateTime& Date)>;

// The key of the period that holds date: equal keys share a bar. A key names the period within
// its enclosing one too (a week by its Monday, a month by year and month), so data that skip a
// whole period never fall into one bar.
std::int64_t CompressionKey(TCompressionPeriod period, TDateTime date);

class TCompressFunction : public TZebFunction {
    TV_CLASS(TCompressFunction, TZebFunction)
public:
    explicit TCompressFunction(TComponent* owner);

    TCompressionPeriod Compress() const { return compress_; }
    void SetCompress(TCompressionPeriod value);
    const TCompressGetDate& OnGetDate() const { return onGetDate_; }
    void SetOnGetDate(TCompressGetDate value) { onGetDate_ = std::move(value); }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;
    // Bars of source into dest (an OHLC series); with destVolume also the summed volumes of
    // sourceVolume.
    void CompressSeries(TChartSeries* source, TChartSeries* dest, TChartSeries* destVolume,
                        TChartSeries* sourceVolume);

private:
    TCompressionPeriod compress_ = ocWeek;
    TCompressGetDate onGetDate_;
};
