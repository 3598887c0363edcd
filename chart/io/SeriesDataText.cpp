#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/io/ExportSink.h"
#include "chart/io/SeriesDataExport.h"
#include "platform/classes/Published.h"
#include "platform/rtl/DateTime.h"

namespace {

// Every occurrence of quote doubled.
String doubledQuotes(const String& text, const String& quote)
{
    String result;
    for (std::size_t at = 0;;) {
        const auto found = text.find(quote, at);
        if (found == String::npos) return result + text.substr(at);
        result += text.substr(at, found - at) + quote + quote;
        at = found + quote.size();
    }
}

}  // namespace

TSeriesDataText::TSeriesDataText(TCustomAxisPanel* chart, TChartSeries* series) : TSeriesData(chart, series) {}

void TSeriesDataText::PrepareFlags()
{
    TSeriesData::PrepareFlags();
    if (Series() || !IncludeLabels() || HasColumn(cfLabels)) return;
    bool anyLabels = false;
    ForEachSeries([&](TChartSeries& series) { anyLabels = anyLabels || series.HasPointLabels(); });
    if (anyLabels) setColumnFlags(ColumnFlags() | cfLabels);
}

// Labels, names and dates are quoted when TextQuotes is set; any field that would break the row
// (the delimiter, a quote, a line break) is quoted in any case, with its quotes doubled.
String TSeriesDataText::field(const String& text, bool quoted) const
{
    const String quote = textQuotes_.empty() ? String("\"") : textQuotes_;
    const bool quoteAnyway = quoted && !textQuotes_.empty();
    const bool breaksRow = text.find(textDelimiter_) != String::npos || text.find(quote) != String::npos ||
                           text.find_first_of("\r\n") != String::npos;
    if (breaksRow || quoteAnyway) return quote + doubledQuotes(text, quote) + quote;
    return text;
}

bool TSeriesDataText::plainField(const String& text) const
{
    const char quote = textQuotes_.empty() ? '"' : textQuotes_[0];
    for (const char c : text)
        if (c == textDelimiter_ || c == quote || c == '\r' || c == '\n') return false;
    return true;
}

String TSeriesDataText::headerText() const
{
    String line;
    bool first = true;
    const auto add = [&](const String& name) {
        if (!first) line += textDelimiter_;
        line += field(name, true);
        first = false;
    };
    if (IncludeIndex()) add(TxtIndex);
    if (HasColumn(cfLabels)) add(TxtText);
    if (HasColumn(cfColors)) add(TxtColors);
    ForEachSeries([&](TChartSeries& series) {
        for (const String& name : valueColumnNames(series, true)) add(name);
    });
    return line;
}

String TSeriesDataText::GetRowText(int row)
{
    String line;
    bool firstField = true;
    const auto add = [&](const String& text) {
        if (!firstField) line += textDelimiter_;
        line += text;
        firstField = false;
    };
    if (IncludeIndex()) add(field(IntegerToText(row), false));

    bool firstSeries = true;
    ForEachSeries([&](TChartSeries& series) {
        const bool hasRow = row < series.Count();
        if (firstSeries) {
            if (HasColumn(cfLabels)) {
                String label;
                if (Series()) {
                    if (hasRow) label = series.GetLabelAt(row);
                } else {
                    ForEachSeries([&](TChartSeries& other) {
                        if (label.empty() && row < other.Count()) label = other.GetLabelAt(row);
                    });
                }
                add(label.empty() ? String() : field(label, true));
            }
            if (HasColumn(cfColors)) add(field(ColorToHtmlText(hasRow ? series.GetPointColor(row) : clAutomatic), false));
            firstSeries = false;
        }
        const TChartValueLists& lists = series.ValueLists();
        for (int i = HasColumn(cfXValues) ? 0 : 1; i < lists.Count(); ++i) {
            const TChartValueList& list = *lists.ValueListAt(i);
            if (!hasRow)
                add({});
            else if (list.DateTime())
                add(field(DateTimeToStr(list.ValueAt(row)), true));
            else if (String number = FormatValue(&series, list.ValueAt(row)); plainField(number))
                add(number);  // the common case, checked in one pass
            else
                add(field(number, false));
        }
    });
    return line;
}

void TSeriesDataText::WriteText(TExportSink& sink)
{
    PrepareMainColumns();
    if (IncludeHeader()) sink << headerText() << "\r\n";
    writeRows(sink);
    sink << "\r\n";
}

TV_PUBLISHED(TSeriesDataText)
{
    Prop("TextDelimiter", &TSeriesDataText::TextDelimiter, &TSeriesDataText::SetTextDelimiter, '\t');
    Prop("TextQuotes", &TSeriesDataText::TextQuotes, &TSeriesDataText::SetTextQuotes);
}
