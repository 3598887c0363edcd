#pragma once
// A data source reading a cell range of a workbook file (.xlsx or .xls) into a series: values,
// further value lists named by ranges, and labels.
#include <memory>
#include <utility>

#include "chart/io/FileSource.h"

class TChartValueList;
class TWorkbookReader;

// Spreadsheet column letters of a column counted from 1: 1 A, 26 Z, 27 AA, 703 AAA.
String ExcelColumnName(int column);
// A value list named "B2:B20" gives "B2" and "B20"; a name without ":" gives two empty texts.
std::pair<String, String> SplitRangeName(const TChartValueList& list);
// Whether a spreadsheet application this program could attach to is running: never here, the
// workbook files are read and written directly.
bool IsSpreadsheetRunning();

class TZebExcelSource : public TZebSeriesSourceFile {
    TV_CLASS(TZebExcelSource, TZebSeriesSourceFile)
public:
    explicit TZebExcelSource(TComponent* owner);
    ~TZebExcelSource() override;

    // ---- published; a different value closes the source ----
    // The sheet's name, or its number from 1 when no sheet has that name.
    const String& WorkSheet() const { return workSheet_; }
    void SetWorkSheet(const String& value);
    // First and last cell of the value range ("A1", "A10").
    const String& RangeFrom() const { return rangeFrom_; }
    void SetRangeFrom(const String& value);
    const String& RangeTo() const { return rangeTo_; }
    void SetRangeTo(const String& value);
    const String& LabelsFrom() const { return labelsFrom_; }
    void SetLabelsFrom(const String& value);
    const String& LabelsTo() const { return labelsTo_; }
    void SetLabelsTo(const String& value);

    // Opens FileName and reads the ranges into the series; the workbook stays open until closed.
    void LoadSource() override;
    void CloseSource() override;

private:
    void SetAndClose(String& field, const String& value);
    void OpenWorkbook();
    int FindSheet() const;

    String workSheet_, rangeFrom_, rangeTo_, labelsFrom_, labelsTo_;
    std::unique_ptr<TWorkbookReader> workbook_;
};

// Registers the source with the class registry and the editor's list of source kinds, and makes
// the workbook file export the export dialog's "> v2010" choice; the last stop undoes both.
void StartExcelSourceUnit();
void StopExcelSourceUnit();
