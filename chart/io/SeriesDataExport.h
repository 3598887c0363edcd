#pragma once
// The series data exporters: the points of one series, or of every included series of a chart, as
// delimited text, XML, an HTML table, a BIFF2 spreadsheet file or JSON. Every exporter writes a
// stream or a file row by row, so a big series never sits in memory as one text.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "chart/core/ExportData.h"
#include "platform/graphics/Colors.h"

class TChartSeries;
class TCustomAxisPanel;
class TCustomSeriesList;
class TExportSink;

// "#rrggbb", or "#aarrggbb" when the colour's top byte is set (the automatic colour reads
// #20000000).
String ColorToHtmlText(TColor color);
// "#" and at least six hex digits of the raw colour value (0x00BBGGRR: blue first).
String ColorToJsonText(TColor color);

class TSeriesData : public TZebExportData {
    TV_CLASS(TSeriesData, TZebExportData)
public:
    // Column flags of the current export.
    static constexpr std::uint8_t cfXValues = 0x01;
    static constexpr std::uint8_t cfColors = 0x02;
    static constexpr std::uint8_t cfLabels = 0x04;

    // series null: every included series of chart.
    TSeriesData(TCustomAxisPanel* chart, TChartSeries* series = nullptr);
    ~TSeriesData() override;

    TCustomAxisPanel* Chart() const { return chart_; }
    void SetChart(TCustomAxisPanel* value) { chart_ = value; }
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* value) { series_ = value; }
    // When not empty, only the main series and these are exported (in chart order).
    TCustomSeriesList& ExtraSeries() { return *extraSeries_; }

    bool IncludeColors() const { return includeColors_; }
    void SetIncludeColors(bool value) { includeColors_ = value; }
    bool IncludeIndex() const { return includeIndex_; }
    void SetIncludeIndex(bool value) { includeIndex_ = value; }
    bool IncludeHeader() const { return includeHeader_; }
    void SetIncludeHeader(bool value) { includeHeader_ = value; }
    bool IncludeLabels() const { return includeLabels_; }
    void SetIncludeLabels(bool value) { includeLabels_ = value; }
    bool UseSeriesFormat() const { return useSeriesFormat_; }
    void SetUseSeriesFormat(bool value) { useSeriesFormat_ = value; }
    const String& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const String& value) { valueFormat_ = value; }

    bool IncludesSeries(const TChartSeries* series) const;
    // The series exported, in chart order: the main series alone, or every included series.
    void ForEachSeries(const std::function<void(TChartSeries&)>& proc) const;
    // The main series' point count, or the largest among the included series; 0 without a chart.
    int RowCount() const;
    // With the series' ValueFormat (UseSeriesFormat) or ValueFormat; the general conversion when
    // that is empty.
    String FormatValue(const TChartSeries* series, double value) const;
    // The number format that applies to the series' values ("" for the general conversion).
    const String& ValueFormatFor(const TChartSeries* series) const;
    // A spreadsheet cell's number: rounded as the number format shows it; a shown text that does
    // not read back as a number (thousands separators, literal text) leaves the value as it is.
    double ShownValue(const TChartSeries* series, double value) const;
    // After PrepareMainColumns: refuses a sheet of more rows or columns than the file format holds,
    // before anything is written (a cut worksheet would look complete).
    void RefuseBeyondSheet(Int64 maxRows, Int64 maxColumns) const;

    std::uint8_t ColumnFlags() const { return columnFlags_; }
    bool HasColumn(std::uint8_t flag) const { return (columnFlags_ & flag) != 0; }
    // PrepareFlags, then the label and colour columns as the Include settings say: the first step
    // of every export.
    void PrepareMainColumns();
    // The series' stored-data flags, labels only with IncludeLabels, colours as IncludeColors says.
    void PrepareColumns(TChartSeries* series);
    virtual void PrepareFlags();
    virtual void PrepareSeriesFlags(TChartSeries* series);
    // One row without its line end; empty here.
    virtual String GetRowText(int row);

    String AsText() override;
    // Row by row through a buffer: the bytes AsText gives (in the XML's declared encoding).
    void WriteToStream(TStream& stream) override;
    // Through a temporary file beside the target, renamed over it when complete: a failed export
    // leaves an existing file as it was.
    void WriteToFile(const String& fileName) override;

protected:
    // The whole export into the sink, piece by piece.
    virtual void WriteText(TExportSink& sink);
    void setColumnFlags(std::uint8_t value) { columnFlags_ = value; }
    // GetRowText of every row, each followed by CR LF.
    void writeRows(TExportSink& sink);
    // The names of the series' columns after label and colour: X (with the X column), then the
    // title for a series of two value lists, else the name of every list from Y on.
    std::vector<String> valueColumnNames(const TChartSeries& series, bool titleForTwoLists) const;

private:
    void applyIncludes();

    TCustomAxisPanel* chart_;
    TChartSeries* series_;
    std::unique_ptr<TCustomSeriesList> extraSeries_;
    bool includeColors_ = false;
    bool includeIndex_ = false;
    bool includeHeader_ = false;
    bool includeLabels_ = true;
    bool useSeriesFormat_ = false;
    String valueFormat_;
    std::uint8_t columnFlags_ = 0;
};

// Fields joined by TextDelimiter, one row per line (CR LF), ending with an empty line. A field
// holding the delimiter, a quote or a line break is quoted (TextQuotes, or '"' when that is empty)
// with its quotes doubled.
class TSeriesDataText : public TSeriesData {
    TV_CLASS(TSeriesDataText, TSeriesData)
public:
    TSeriesDataText(TCustomAxisPanel* chart, TChartSeries* series = nullptr);

    char TextDelimiter() const { return textDelimiter_; }
    void SetTextDelimiter(char value) { textDelimiter_ = value; }
    // Written around every header name, label and date-time value.
    const String& TextQuotes() const { return textQuotes_; }
    void SetTextQuotes(const String& value) { textQuotes_ = value; }

    void PrepareFlags() override;
    String GetRowText(int row) override;

protected:
    void WriteText(TExportSink& sink) override;

private:
    String field(const String& text, bool quoted) const;
    // True when text goes into a row as it is (no delimiter, quote or line break in it).
    bool plainField(const String& text) const;
    String headerText() const;

    char textDelimiter_ = '\t';
    String textQuotes_;
};

// <series> elements with one <point> per point, in a <chart> element without a main series.
// Written in Encoding: UTF-8, UTF-16 (with a byte-order mark), ISO-8859-1 or windows-1252
// (others as character references); AsText is the same text as a string.
class TSeriesDataXML : public TSeriesData {
    TV_CLASS(TSeriesDataXML, TSeriesData)
public:
    TSeriesDataXML(TCustomAxisPanel* chart, TChartSeries* series = nullptr);

    const String& Encoding() const { return encoding_; }
    void SetEncoding(const String& value) { encoding_ = value; }
    bool IsEncodingStored() const;

    void WriteToStream(TStream& stream) override;

protected:
    void WriteText(TExportSink& sink) override;

private:
    void writeSeries(TExportSink& sink, TChartSeries& series);
    String pointLine(TChartSeries& series, int index) const;

    String encoding_;
};

// A <table> with an optional <th> header row and one <tr> per row.
class TSeriesDataHTML : public TSeriesData {
    TV_CLASS(TSeriesDataHTML, TSeriesData)
public:
    using TSeriesData::TSeriesData;
    String GetRowText(int row) override;

protected:
    void WriteText(TExportSink& sink) override;
};

// BIFF2 records: a header row of labels and a row of number, label and blank cells per point row.
// AsText is the base one (an empty line per row). More rows than a row word holds, or more than
// 256 columns, are refused before any byte is written.
class TSeriesDataXLS : public TSeriesData {
    TV_CLASS(TSeriesDataXLS, TSeriesData)
public:
    using TSeriesData::TSeriesData;
    void WriteToStream(TStream& stream) override;
};

// { "chart": [ one object per series with its points ] }. Numbers with "." whatever the locale,
// not-a-number and infinities as null.
class TSeriesDataJSON : public TSeriesData {
    TV_CLASS(TSeriesDataJSON, TSeriesData)
public:
    // DateStyle values.
    static constexpr std::uint8_t dsNumber = 0;
    static constexpr std::uint8_t dsMilliseconds = 1;

    using TSeriesData::TSeriesData;
    // dsMilliseconds: date-time values as milliseconds since 1970-01-01.
    std::uint8_t DateStyle() const { return dateStyle_; }
    void SetDateStyle(std::uint8_t value) { dateStyle_ = value; }

protected:
    void WriteText(TExportSink& sink) override;

private:
    void writeSeries(TExportSink& sink, TChartSeries& series);
    String valueText(const class TChartValueList& list, int index) const;

    std::uint8_t dateStyle_ = dsNumber;
};
