#include "chart/io/ExcelExport.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/io/ExcelSource.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Convert.h"
#include "platform/system/Workbook.h"

TSeriesDataClass ExcelExportClass = nullptr;

std::unique_ptr<TSeriesData> CreateSeriesDataXLSObject(TCustomAxisPanel* chart, TChartSeries* series)
{
    return std::make_unique<TSeriesDataXLSObject>(chart, series);
}

void TSeriesDataXLSObject::WriteToFile(const String& fileName)
{
    TZebExcelExport excel(Chart(), Series());
    excel.SetIncludeIndex(IncludeIndex());
    excel.SetIncludeHeader(IncludeHeader());
    excel.SetIncludeColors(IncludeColors());
    excel.SetIncludeLabels(IncludeLabels());
    excel.SetFileName(fileName);
    excel.Export();
}

void TZebExcelExport::Export()
{
    PrepareMainColumns();
    const int labelColumns = (HasColumn(cfLabels) ? 1 : 0) + (HasColumn(cfColors) ? 1 : 0);
    const int firstList = HasColumn(cfXValues) ? 0 : 1;
    const int rows = RowCount();
    const int top = IncludeHeader() ? 2 : 1;
    RefuseBeyondSheet(TWorkbookWriter::MaxRows, TWorkbookWriter::MaxColumns);

    TWorkbookWriter sheet(fileName_, "Sheet1");
    if (IncludeHeader()) {
        int column = 1;
        if (IncludeIndex()) sheet.WriteText(1, column++, TxtIndex);
        ForEachSeries([&](TChartSeries& series) {
            const TChartValueLists& lists = series.ValueLists();
            if (HasColumn(cfLabels)) sheet.WriteText(1, column++, TxtText);
            if (HasColumn(cfColors)) sheet.WriteText(1, column++, TxtColors);
            if (HasColumn(cfXValues)) sheet.WriteText(1, column++, lists.ValueListAt(0)->Name());
            sheet.WriteText(1, column++, series.GetTitleOrName(false));
            for (int i = 2; i < lists.Count(); ++i) sheet.WriteText(1, column++, lists.ValueListAt(i)->Name());
        });
    }
    for (int row = 0; row < rows; ++row) {
        const int sheetRow = row + top;
        int column = 1;
        if (IncludeIndex()) sheet.WriteNumber(sheetRow, column++, row);
        ForEachSeries([&](TChartSeries& series) {
            const TChartValueLists& lists = series.ValueLists();
            if (row >= series.Count()) {
                for (int i = 0; i < labelColumns + lists.Count() - firstList; ++i) sheet.WriteText(sheetRow, column++, {});
                return;
            }
            if (HasColumn(cfLabels)) sheet.WriteText(sheetRow, column++, series.GetLabelAt(row));
            if (HasColumn(cfColors)) sheet.WriteText(sheetRow, column++, ColorToHtmlText(series.GetPointColor(row)));
            if (HasColumn(cfXValues)) sheet.WriteNumber(sheetRow, column++, ShownValue(&series, lists.ValueListAt(0)->ValueAt(row)));
            // A null point leaves its Y and further cells empty.
            const bool null = series.IsNullPoint(row);
            for (int i = 1; i < lists.Count(); ++i, ++column)
                if (!null) sheet.WriteNumber(sheetRow, column, ShownValue(&series, lists.ValueListAt(i)->ValueAt(row)));
        });
    }
    sheet.Save();
}

TV_PUBLISHED(TSeriesDataXLSObject) {}
TV_PUBLISHED(TZebExcelExport) {}
