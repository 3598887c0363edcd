#include <cstring>

#include "chart/core/ChartSeries.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/io/ExportSink.h"
#include "chart/io/SeriesDataExport.h"
#include "chart/io/TextEncoding.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/FloatFormat.h"

namespace {

// Record types of the BIFF2 worksheet.
constexpr std::uint16_t RecordBlank = 0x0001;
constexpr std::uint16_t RecordNumber = 0x0003;
constexpr std::uint16_t RecordLabel = 0x0004;
constexpr std::uint16_t RecordBof = 0x0009;
constexpr std::uint16_t RecordEof = 0x000A;
// Cells a worksheet of this format addresses.
constexpr int MaxRows = 65536;
constexpr int MaxColumns = 256;
constexpr std::size_t MaxLabelBytes = 255;

class TBiffWriter {
public:
    explicit TBiffWriter(TStreamSink& sink) : sink_(sink) {}

    void Record(std::uint16_t type, const String& data)
    {
        word(type);
        word(static_cast<std::uint16_t>(data.size()));
        sink_.WriteBytes(data);
    }
    void Label(int row, int column, const String& text)
    {
        String bytes = Utf8ToWindows1252(text);
        if (bytes.size() > MaxLabelBytes) bytes.resize(MaxLabelBytes);
        Record(RecordLabel, cell(row, column) + static_cast<char>(bytes.size()) + bytes);
    }
    void Number(int row, int column, double value)
    {
        char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        Record(RecordNumber, cell(row, column) + String(bytes, sizeof bytes));
    }
    void Blank(int row, int column) { Record(RecordBlank, cell(row, column)); }

private:
    static String littleWord(int value)
    {
        return String{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    }
    // Row and column words and three attribute bytes.
    static String cell(int row, int column) { return littleWord(row) + littleWord(column) + String(3, '\0'); }
    void word(std::uint16_t value) { sink_.WriteBytes(littleWord(value)); }

    TStreamSink& sink_;
};

}  // namespace

void TSeriesDataXLS::WriteToStream(TStream& stream)
{
    PrepareMainColumns();
    const int labelColumns = (HasColumn(cfLabels) ? 1 : 0) + (HasColumn(cfColors) ? 1 : 0);
    const int firstList = HasColumn(cfXValues) ? 0 : 1;

    RefuseBeyondSheet(MaxRows, MaxColumns);
    const int rows = RowCount();

    TStreamSink sink(stream);
    TBiffWriter biff(sink);
    biff.Record(RecordBof, String("\x00\x00\x09\x00", 4));
    if (IncludeHeader()) {
        int column = 0;
        if (IncludeIndex()) biff.Label(0, column++, TxtIndex);
        ForEachSeries([&](TChartSeries& series) {
            if (HasColumn(cfLabels)) biff.Label(0, column++, TxtText);
            if (HasColumn(cfColors)) biff.Label(0, column++, TxtColors);
            for (const String& name : valueColumnNames(series, false)) biff.Label(0, column++, name);
        });
    }
    const int top = IncludeHeader() ? 1 : 0;
    for (int row = 0; row < rows; ++row) {
        const int sheetRow = row + top;
        int column = 0;
        if (IncludeIndex()) biff.Number(sheetRow, column++, row);
        ForEachSeries([&](TChartSeries& series) {
            const TChartValueLists& lists = series.ValueLists();
            if (row >= series.Count()) {
                for (int i = 0; i < labelColumns; ++i) biff.Label(sheetRow, column++, {});
                for (int i = firstList; i < lists.Count(); ++i) biff.Blank(sheetRow, column++);
                return;
            }
            if (HasColumn(cfLabels)) biff.Label(sheetRow, column++, series.GetLabelAt(row));
            if (HasColumn(cfColors)) biff.Label(sheetRow, column++, ColorToHtmlText(series.GetPointColor(row)));
            const bool null = series.IsNullPoint(row);
            for (int i = firstList; i < lists.Count(); ++i) {
                if (i > 0 && null)
                    biff.Blank(sheetRow, column++);
                else
                    biff.Number(sheetRow, column++, ShownValue(&series, lists.ValueListAt(i)->ValueAt(row)));
            }
        });
    }
    biff.Record(RecordEof, {});
    sink.Flush();
}

TV_PUBLISHED(TSeriesDataXLS) {}
