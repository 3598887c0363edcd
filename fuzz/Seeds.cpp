// Charts: one per registered series and function type, with sample points, in the binary and the
// text form; workbooks: .xlsx by the workbook writer, .xls by the BIFF2 export.
#include "fuzz/Seeds.h"

#include <fstream>

#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesTypes.h"
#include "chart/io/ChartFile.h"
#include "chart/io/SeriesDataExport.h"
#include "chart/series/LineSeries.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/system/Workbook.h"

namespace {

void save(const std::filesystem::path& file, const String& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

void chartSeeds(const std::filesystem::path& folder)
{
    RandSeed = 20261211;  // the same seeds every time
    int n = 0;
    for (const auto& type : RegisteredSeriesTypes()) {
        if (!type->SeriesClass || type->SubIndex != 0) continue;
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        chart->Title()->Lines()->SetText("Seed " + type->SeriesClass->ClassName() +
                                         " with a title longer than a line of text");
        TChartSeries* series = MakeSeriesOfClass(chart.get(), chart.get(), *type->SeriesClass, type->FunctionClass);
        if (type->FunctionClass) {
            TChartSeries* source = MakeSeriesOfClass(chart.get(), chart.get(), TLineSeries::StaticClass());
            source->AddRandomPoints(6, false);
            series->SetDataSource(source);
        } else {
            series->AddRandomPoints(6, false);
        }
        for (const bool asText : {false, true}) {
            TStringStream out;
            WriteChartStream(chart.get(), out, true, asText);
            save(folder / (std::to_string(n++) + (asText ? ".txt" : ".zeb")), out.DataString());
        }
    }
}

void workbookSeeds(const std::filesystem::path& folder, bool xlsx)
{
    if (xlsx) {
        TWorkbookWriter writer((folder / "numbers.xlsx").string(), "Readings");
        writer.WriteText(1, 1, "Index");
        writer.WriteText(1, 2, "Tilt X\r\nline two");
        for (int row = 2; row <= 12; ++row) {
            writer.WriteNumber(row, 1, row - 2);
            writer.WriteNumber(row, 2, (row - 7) * 0.3);
        }
        writer.Save();
        return;
    }
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    auto* series = new TLineSeries(chart.get());
    series->SetParentChart(chart.get());
    for (int i = 0; i < 8; ++i) series->AppendValue(i * 1.5, i % 2 ? "odd" : "");
    TSeriesDataXLS exporter(chart.get(), series);
    exporter.SetIncludeHeader(true);
    exporter.SetIncludeIndex(true);
    exporter.WriteToFile((folder / "export.xls").string());
}

}  // namespace

namespace tv_fuzz {

const std::vector<std::string>& FuzzTargets()
{
    static const std::vector<std::string> targets{"chart_file", "xls", "xlsx"};
    return targets;
}

void WriteSeeds(const std::string& target, const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder);
    if (target == "chart_file")
        chartSeeds(folder);
    else
        workbookSeeds(folder, target == "xlsx");
}

}  // namespace tv_fuzz
