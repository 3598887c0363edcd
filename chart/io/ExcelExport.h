#pragma once
// Series data written into a new workbook file (.xlsx): the export dialog's "> v2010" spreadsheet
// choice.
#include <memory>

#include "chart/io/SeriesDataExport.h"

// Writes the workbook through TZebExcelExport; the text and stream outputs stay the base ones.
class TSeriesDataXLSObject : public TSeriesData {
    TV_CLASS(TSeriesDataXLSObject, TSeriesData)
public:
    using TSeriesData::TSeriesData;
    // The include settings go over; the number-format settings do not, so raw values are written.
    void WriteToFile(const String& fileName) override;
};

// One sheet: an optional header row, then a row per point row; an index column first when asked,
// then each exported series' label, colour, X, Y and further value columns.
class TZebExcelExport : public TSeriesData {
    TV_CLASS(TZebExcelExport, TSeriesData)
public:
    using TSeriesData::TSeriesData;
    const String& FileName() const { return fileName_; }
    void SetFileName(const String& value) { fileName_ = value; }
    // Raises ChartException before anything is written when the sheet cannot hold the export; a
    // failure leaves an existing file as it was.
    void Export();

private:
    String fileName_;
};

// How the export dialog makes its spreadsheet exporter for a chart and its main series (none for
// every series).
using TSeriesDataClass = std::unique_ptr<TSeriesData> (*)(TCustomAxisPanel* chart, TChartSeries* series);
// TSeriesDataXLSObject's while the workbook unit runs (StartExcelSourceUnit), else none.
extern TSeriesDataClass ExcelExportClass;
std::unique_ptr<TSeriesData> CreateSeriesDataXLSObject(TCustomAxisPanel* chart, TChartSeries* series);
