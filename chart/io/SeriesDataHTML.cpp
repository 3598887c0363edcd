#include "chart/core/ChartSeries.h"
#include "chart/core/FormTextToXml.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/io/ExportSink.h"
#include "chart/io/MarkupText.h"
#include "chart/io/SeriesDataExport.h"
#include "platform/classes/Published.h"

namespace {

// Markup escaped; line ends stay as they are (a reference to a carriage return would be an
// illegal character reference in HTML).
String htmlText(const String& text)
{
    String out;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find_first_of("\r\n", start);
        out += EscapeXmlText(text.substr(start, end == String::npos ? String::npos : end - start));
        if (end == String::npos) return out;
        out += text[end];
        start = end + 1;
    }
}

String cell(const String& tag, const String& text) { return "<" + tag + ">" + htmlText(text) + "</" + tag + ">"; }

}  // namespace

String TSeriesDataHTML::GetRowText(int row)
{
    String line = "<tr>";
    if (IncludeIndex()) line += cell("td", IntegerToText(row));
    ForEachSeries([&](TChartSeries& series) {
        const TChartValueLists& lists = series.ValueLists();
        const int firstList = HasColumn(cfXValues) ? 0 : 1;
        if (row >= series.Count()) {
            const int cells = (HasColumn(cfLabels) ? 1 : 0) + (HasColumn(cfColors) ? 1 : 0) + lists.Count() - firstList;
            for (int i = 0; i < cells; ++i) line += "<td></td>";
            return;
        }
        if (HasColumn(cfLabels)) line += cell("td", series.GetLabelAt(row));
        if (HasColumn(cfColors)) line += cell("td", ColorToHtmlText(series.GetPointColor(row)));
        for (int i = firstList; i < lists.Count(); ++i)
            line += cell("td", FormatValue(&series, lists.ValueListAt(i)->ValueAt(row)));
    });
    return line + "</tr>";
}

void TSeriesDataHTML::WriteText(TExportSink& sink)
{
    PrepareMainColumns();
    // The texts are UTF-8; said so, browsers read them as such.
    sink << "<meta charset=\"utf-8\">\r\n<table border=\"1\">\r\n";
    if (IncludeHeader()) {
        String line = "<tr>";
        if (IncludeIndex()) line += cell("th", TxtIndex);
        ForEachSeries([&](TChartSeries& series) {
            if (HasColumn(cfLabels)) line += cell("th", TxtText);
            if (HasColumn(cfColors)) line += cell("th", TxtColors);
            for (const String& name : valueColumnNames(series, true)) line += cell("th", name);
        });
        sink << line << "</tr>\r\n";
    }
    writeRows(sink);
    sink << "</table>";
}

TV_PUBLISHED(TSeriesDataHTML) {}
