#include "chart/core/ChartSeries.h"
#include "chart/core/FormTextToXml.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ValueList.h"
#include "chart/io/ExportSink.h"
#include "chart/io/MarkupText.h"
#include "chart/io/SeriesDataExport.h"
#include "chart/io/TextEncoding.h"
#include "platform/classes/Published.h"

TSeriesDataXML::TSeriesDataXML(TCustomAxisPanel* chart, TChartSeries* series)
    : TSeriesData(chart, series), encoding_(XmlEncodingName())
{
    SetIncludeHeader(true);
}

bool TSeriesDataXML::IsEncodingStored() const { return encoding_ != XmlEncodingName(); }

String TSeriesDataXML::pointLine(TChartSeries& series, int index) const
{
    // Every attribute but the index brings its own blank: without an index two blanks follow "<point".
    String line = "<point ";
    if (IncludeIndex()) line += "index=\"" + IntegerToText(index) + "\"";
    if (HasColumn(cfLabels)) line += " text=\"" + EscapeXmlText(series.GetLabelAt(index)) + "\"";
    if (HasColumn(cfColors)) line += " color=\"" + ColorToHtmlText(series.GetPointColor(index)) + "\"";
    const TChartValueLists& lists = series.ValueLists();
    const auto attribute = [&](int list) {
        const TChartValueList& values = *lists.ValueListAt(list);
        line += " " + MarkupName(values.Name()) + "=\"" + EscapeXmlText(FormatValue(&series, values.ValueAt(index))) + "\"";
    };
    if (HasColumn(cfXValues)) attribute(0);
    if (!series.IsNullPoint(index))
        for (int i = 1; i < lists.Count(); ++i) attribute(i);
    return line + "/>";
}

void TSeriesDataXML::writeSeries(TExportSink& sink, TChartSeries& series)
{
    sink << "<series title=\"" << EscapeXmlText(series.GetTitleOrName(false)) << "\" type=\""
         << EscapeXmlText(SeriesTypeDescription(series)) << "\" color=\"" << ColorToHtmlText(series.SeriesColor())
         << "\">\r\n";
    const int count = series.Count();
    sink << "<points count=\"" << IntegerToText(count) << "\">\r\n";
    for (int i = 0; i < count; ++i) sink << pointLine(series, i) << "\r\n";
    sink << "</points>\r\n</series>\r\n\r\n";
}

void TSeriesDataXML::WriteText(TExportSink& sink)
{
    PrepareMainColumns();
    if (IncludeHeader()) sink << XmlHeader(encoding_) << "\r\n";
    if (Series()) {
        writeSeries(sink, *Series());
        return;
    }
    sink << "<chart>\r\n";
    ForEachSeries([&](TChartSeries& series) {
        PrepareColumns(&series);
        writeSeries(sink, series);
    });
    sink << "</chart>";
}

void TSeriesDataXML::WriteToStream(TStream& stream)
{
    TStreamSink sink(stream, XmlTextEncoder(encoding_));
    sink.WriteBytes(ByteOrderMark(encoding_));
    WriteText(sink);
    sink.Flush();
}

TV_PUBLISHED(TSeriesDataXML)
{
    Prop("Encoding", &TSeriesDataXML::Encoding, &TSeriesDataXML::SetEncoding).Stored(&TSeriesDataXML::IsEncodingStored);
}
