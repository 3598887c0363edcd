#include "chart/io/SeriesDataExport.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesData.h"
#include "chart/core/SeriesLists.h"
#include "chart/core/ValueList.h"
#include "chart/io/ExportSink.h"
#include "chart/io/FileReplace.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"

namespace {

// Large enough that a stream sees few writes, small enough to stay flat in memory.
constexpr std::size_t SinkBufferSize = 64 * 1024;

}  // namespace

// ---- sinks ----

TStreamSink::TStreamSink(TStream& stream, TTextEncoder encoder) : stream_(stream), encoder_(std::move(encoder))
{
    buffer_.reserve(SinkBufferSize + 1024);
}

void TStreamSink::Write(const String& text)
{
    if (encoder_)
        encoder_(text, buffer_);
    else
        buffer_ += text;
    if (buffer_.size() >= SinkBufferSize) Flush();
}

void TStreamSink::WriteBytes(const void* data, std::size_t size)
{
    buffer_.append(static_cast<const char*>(data), size);
    if (buffer_.size() >= SinkBufferSize) Flush();
}

void TStreamSink::Flush()
{
    stream_.WriteBuffer(buffer_.data(), static_cast<std::int64_t>(buffer_.size()));
    buffer_.clear();
}

// ---- colour texts ----

namespace {

// Lower-case hex digits, at least two per byte given.
String lowerHex(std::uint32_t value, int digits)
{
    static constexpr char Digits[] = "0123456789abcdef";
    String text;
    do {
        text.insert(text.begin(), Digits[value & 0xF]);
        value >>= 4;
    } while (value != 0 || static_cast<int>(text.size()) < digits);
    return text;
}

}  // namespace

String ColorToHtmlText(TColor color)
{
    const auto value = static_cast<std::uint32_t>(color);
    const std::uint32_t rgb = (value & 0xFF) << 16 | (value & 0xFF00) | (value >> 16 & 0xFF);
    const std::uint32_t alpha = value >> 24;
    return "#" + (alpha != 0 ? lowerHex(alpha << 24 | rgb, 8) : lowerHex(rgb, 6));
}

String ColorToJsonText(TColor color) { return "#" + lowerHex(static_cast<std::uint32_t>(color), 6); }

// ---- TSeriesData ----

TSeriesData::TSeriesData(TCustomAxisPanel* chart, TChartSeries* series)
    : chart_(chart), series_(series), extraSeries_(std::make_unique<TCustomSeriesList>())
{
}

TSeriesData::~TSeriesData() = default;

bool TSeriesData::IncludesSeries(const TChartSeries* series) const
{
    return extraSeries_->Count() == 0 || series == series_ || extraSeries_->Contains(series);
}

void TSeriesData::ForEachSeries(const std::function<void(TChartSeries&)>& proc) const
{
    if (series_) {
        proc(*series_);
        return;
    }
    if (!chart_) return;
    for (TChartSeries* series : chart_->SeriesList())
        if (IncludesSeries(series)) proc(*series);
}

int TSeriesData::RowCount() const
{
    if (!chart_) return 0;
    int rows = 0;
    ForEachSeries([&](TChartSeries& series) { rows = std::max(rows, series.Count()); });
    return rows;
}

const String& TSeriesData::ValueFormatFor(const TChartSeries* series) const
{
    return series && useSeriesFormat_ ? series->ValueFormat() : valueFormat_;
}

double TSeriesData::ShownValue(const TChartSeries* series, double value) const
{
    if (ValueFormatFor(series).empty()) return value;
    double shown = 0;
    return TryStrToFloat(FormatValue(series, value), shown) ? shown : value;
}

void TSeriesData::RefuseBeyondSheet(Int64 maxRows, Int64 maxColumns) const
{
    const int labelColumns = (HasColumn(cfLabels) ? 1 : 0) + (HasColumn(cfColors) ? 1 : 0);
    const int firstList = HasColumn(cfXValues) ? 0 : 1;
    const Int64 sheetRows = Int64(RowCount()) + (IncludeHeader() ? 1 : 0);
    Int64 columns = IncludeIndex() ? 1 : 0;
    ForEachSeries([&](TChartSeries& series) { columns += labelColumns + series.ValueLists().Count() - firstList; });
    if (sheetRows > maxRows)
        throw ChartException(Format("The spreadsheet file holds at most %d rows, the export has %d", {maxRows, sheetRows}));
    if (columns > maxColumns)
        throw ChartException(
            Format("The spreadsheet file holds at most %d columns, the export has %d", {maxColumns, columns}));
}

String TSeriesData::FormatValue(const TChartSeries* series, double value) const
{
    const String& format = ValueFormatFor(series);
    return format.empty() ? FloatToStr(value) : FormatFloat(format, value);
}

void TSeriesData::PrepareSeriesFlags(TChartSeries* series)
{
    if (!series && chart_) {
        for (TChartSeries* candidate : chart_->SeriesList())
            if (IncludesSeries(candidate) && candidate->Count() > 0) {
                series = candidate;
                break;
            }
    }
    if (series) columnFlags_ = StoredDataFlags(*series) & (cfXValues | cfColors | cfLabels);
}

void TSeriesData::PrepareFlags() { PrepareSeriesFlags(series_); }

void TSeriesData::PrepareMainColumns()
{
    PrepareFlags();
    applyIncludes();
}

void TSeriesData::PrepareColumns(TChartSeries* series)
{
    PrepareSeriesFlags(series);
    applyIncludes();
}

void TSeriesData::applyIncludes()
{
    if (!includeLabels_) columnFlags_ &= static_cast<std::uint8_t>(~cfLabels);
    if (includeColors_)
        columnFlags_ |= cfColors;
    else
        columnFlags_ &= static_cast<std::uint8_t>(~cfColors);
}

std::vector<String> TSeriesData::valueColumnNames(const TChartSeries& series, bool titleForTwoLists) const
{
    std::vector<String> names;
    const TChartValueLists& lists = series.ValueLists();
    if (HasColumn(cfXValues)) names.push_back(lists.ValueListAt(0)->Name());
    if (titleForTwoLists && lists.Count() == 2) {
        names.push_back(series.GetTitleOrName(false));
        return names;
    }
    for (int i = 1; i < lists.Count(); ++i) names.push_back(lists.ValueListAt(i)->Name());
    return names;
}

String TSeriesData::GetRowText(int) { return {}; }

void TSeriesData::writeRows(TExportSink& sink)
{
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) sink << GetRowText(row) << "\r\n";
}

void TSeriesData::WriteText(TExportSink& sink)
{
    PrepareMainColumns();
    writeRows(sink);
}

String TSeriesData::AsText()
{
    TStringSink sink;
    WriteText(sink);
    return std::move(sink.Text());
}

void TSeriesData::WriteToStream(TStream& stream)
{
    TStreamSink sink(stream);
    WriteText(sink);
    sink.Flush();
}

void TSeriesData::WriteToFile(const String& fileName)
{
    WriteFileReplacing(fileName, [this](TStream& stream) { WriteToStream(stream); });
}

TV_PUBLISHED(TSeriesData)
{
    Prop("IncludeColors", &TSeriesData::IncludeColors, &TSeriesData::SetIncludeColors, false);
    Prop("IncludeIndex", &TSeriesData::IncludeIndex, &TSeriesData::SetIncludeIndex, false);
    Prop("IncludeHeader", &TSeriesData::IncludeHeader, &TSeriesData::SetIncludeHeader, false);
    Prop("IncludeLabels", &TSeriesData::IncludeLabels, &TSeriesData::SetIncludeLabels, true);
    Prop("UseSeriesFormat", &TSeriesData::UseSeriesFormat, &TSeriesData::SetUseSeriesFormat, false);
    Prop("ValueFormat", &TSeriesData::ValueFormat, &TSeriesData::SetValueFormat);
}
