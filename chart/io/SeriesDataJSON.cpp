#include <cmath>

#include "chart/core/ChartSeries.h"
#include "chart/core/ValueList.h"
#include "chart/io/ExportSink.h"
#include "chart/io/MarkupText.h"
#include "chart/io/SeriesDataExport.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FloatFormat.h"

namespace {

// Milliseconds since 1970-01-01 of a day-number date.
constexpr double UnixEpochDay = 25569;
constexpr double MillisecondsPerDay = 86400000;

String quoted(const String& text) { return "\"" + EscapeJsonString(text) + "\""; }

}  // namespace

String TSeriesDataJSON::valueText(const TChartValueList& list, int index) const
{
    const double value = list.ValueAt(index);
    if (!std::isfinite(value)) return "null";
    if (list.DateTime() && dateStyle_ == dsMilliseconds) {
        // nearbyint rounds halves to even in the default rounding mode.
        const double milliseconds = std::nearbyint((value - UnixEpochDay) * MillisecondsPerDay);
        return std::to_string(static_cast<long long>(milliseconds));
    }
    // JSON numbers take "." whatever the locale says.
    static const TFormatSettings invariant = [] {
        TFormatSettings settings;
        settings.DecimalSeparator = '.';
        settings.ThousandSeparator = ',';
        return settings;
    }();
    return FloatToStr(value, invariant);
}

void TSeriesDataJSON::writeSeries(TExportSink& sink, TChartSeries& series)
{
    sink << "  {\r\n   \"series\": {\r\n";
    if (!series.Title().empty()) sink << "   \"name\":" << quoted(series.Title()) << ",\r\n";
    sink << "   \"color\":" << quoted(ColorToJsonText(series.SeriesColor())) << ",\r\n   \"point\": [\r\n";
    PrepareColumns(&series);
    const TChartValueLists& lists = series.ValueLists();
    const int count = series.Count();
    for (int i = 0; i < count; ++i) {
        String line = "     { \"value\":" + valueText(*lists.ValueListAt(1), i);
        if (HasColumn(cfXValues)) line += ", \"x\":" + valueText(*lists.ValueListAt(0), i);
        if (HasColumn(cfColors)) line += ", \"color\":" + quoted(ColorToJsonText(series.GetPointColor(i)));
        if (HasColumn(cfLabels)) line += ", \"name\":" + quoted(series.GetLabelAt(i));
        line += i + 1 < count ? " },\r\n" : " }\r\n";
        sink << line;
    }
    sink << "   ]\r\n   }\r\n  }";
}

void TSeriesDataJSON::WriteText(TExportSink& sink)
{
    PrepareMainColumns();
    sink << "{ \"chart\": [\r\n";
    bool first = true;
    ForEachSeries([&](TChartSeries& series) {
        if (!first) sink << ",";
        first = false;
        writeSeries(sink, series);
        sink << "\r\n";
    });
    sink << " ]\r\n}\r\n";
}

TV_PUBLISHED(TSeriesDataJSON) {}
