// The workbook source and export on books made by openpyxl (.xlsx) and LibreOffice (.xls), and
// our own .xlsx read back by openpyxl.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/ChartException.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ValueList.h"
#include "chart/io/ExcelExport.h"
#include "chart/io/ChartFile.h"
#include "chart/io/ExcelSource.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"
#include "platform/system/Workbook.h"
#include "tests/support/Python.h"
#include "tests/support/TempName.h"

namespace {

// "Numbers": A1..A10 = 10, 20 .. 100, B1..B10 = 100 .. 1000, C1..J1 = 3000 .. 10000, A12 a word.
// "Labeled": a header row, then rows 2..20 with a name, x = r / 2 and y = r * r, D2 = A2 & "!".
const char* const MakeBook = R"(
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'Numbers'
for r in range(1, 11):
    ws.cell(row=r, column=1, value=r * 10)
    ws.cell(row=r, column=2, value=r * 100)
for c in range(3, 11):
    ws.cell(row=1, column=c, value=c * 1000)
ws['A12'] = 'word'
ws['A13'] = ' 12.5 '
ls = wb.create_sheet('Labeled')
ls.append(['name', 'x', 'y'])
for r in range(2, 21):
    ls.append(['p%d' % r, r / 2, r * r])
wb.save(sys.argv[1])
print('ok')
)";

class ExcelSource : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        Application->Initialize();
        StartChartEngine();
        folder_ = testsupport::UniqueTempPath("tv_excel_source");
        std::filesystem::create_directories(folder_);
        python_ = testsupport::OpenpyxlPython();
        book_ = (folder_ / "book.xlsx").string();
        if (python_.empty() || testsupport::RunPython(python_, MakeBook, {book_}) != "ok\n") book_.clear();
    }
    static void TearDownTestSuite()
    {
        StopChartEngine();
        std::filesystem::remove_all(folder_);
    }

protected:
    void SetUp() override
    {
        chart_.reset(new TChart(nullptr));
        series_ = new TLineSeries(chart_.get());
        series_->SetParentChart(chart_.get());
        source_ = new TZebExcelSource(chart_.get());
        source_->SetSeries(series_);
    }
    void Load(const String& file, const String& sheet, const String& from, const String& to)
    {
        source_->SetFileName(file);
        source_->SetWorkSheet(sheet);
        source_->SetRangeFrom(from);
        source_->SetRangeTo(to);
        source_->LoadSource();
    }
    std::vector<double> Values(const TChartValueList& list) const
    {
        return std::vector<double>(list.Values(), list.Values() + list.Count());
    }
    // The .xls form of the book, made once by LibreOffice; empty when it cannot be made.
    static String XlsBook()
    {
        static String xls = [] {
            if (book_.empty() || std::system("command -v soffice >/dev/null 2>&1") != 0) return String();
            const std::string command = "soffice -env:UserInstallation=file://" + (folder_ / "profile").string() +
                                        " --headless --convert-to xls --outdir " + testsupport::ShellQuote(folder_.string()) +
                                        " " + testsupport::ShellQuote(book_) + " >/dev/null 2>&1";
            const String path = (folder_ / "book.xls").string();
            return std::system(command.c_str()) == 0 && FileExists(path) ? path : String();
        }();
        return xls;
    }

    static std::filesystem::path folder_;
    static std::string python_;
    static String book_;
    TOwnedPtr<TChart> chart_;
    TLineSeries* series_ = nullptr;
    TZebExcelSource* source_ = nullptr;
};

std::filesystem::path ExcelSource::folder_;
std::string ExcelSource::python_;
String ExcelSource::book_;

TEST(ExcelColumnName, GivesTheSpreadsheetsLetters)
{
    const struct {
        int column;
        const char* name;
    } cases[] = {{1, "A"}, {26, "Z"}, {27, "AA"}, {52, "AZ"}, {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& c : cases) EXPECT_EQ(ExcelColumnName(c.column), c.name) << c.column;
}

TEST_F(ExcelSource, SplitRangeNameCutsAtTheFirstColon)
{
    const struct {
        const char* name;
        const char* from;
        const char* to;
    } cases[] = {{"B2:B20", "B2", "B20"}, {"Y", "", ""}, {"A1:", "A1", ""}, {"A1:B2:C3", "A1", "B2:C3"}, {"", "", ""}};
    for (const auto& c : cases) {
        series_->YValues()->SetName(c.name);
        const auto [from, to] = SplitRangeName(*series_->YValues());
        EXPECT_EQ(from, c.from) << c.name;
        EXPECT_EQ(to, c.to) << c.name;
    }
}

TEST_F(ExcelSource, ReadsColumnsRowsAndTheFirstRowOfABlock)
{
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    const struct {
        const char* from;
        const char* to;
        std::vector<double> values;
    } cases[] = {
        {"A1", "A10", {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {"A1", "J1", {10, 100, 3000, 4000, 5000, 6000, 7000, 8000, 9000, 10000}},
        {"A1", "B10", {10, 100}},
        {"$B$3", "b1", {100, 200, 300}},  // corners in any order
        {"A9", "A11", {90, 100, 0}},      // an empty cell reads 0
        {"A12", "A13", {}},               // a word is no number
    };
    for (const auto& c : cases) {
        if (c.values.empty()) {
            series_->RemoveAllPoints();
            series_->AppendValue(5);
            EXPECT_THROW(Load(book_, "Numbers", c.from, c.to), EConvertError);
            EXPECT_EQ(Values(*series_->YValues()), std::vector<double>{5}) << "kept";
            continue;
        }
        Load(book_, "Numbers", c.from, c.to);
        EXPECT_EQ(Values(*series_->YValues()), c.values) << c.from << ":" << c.to;
        EXPECT_EQ(series_->GetLabelAt(0), "");
    }
    // The whole sheet gives its first row.
    Load(book_, "Numbers", "A1", "XFD1048576");
    std::vector<double> row(16384, 0.0);
    for (int c = 0; c < 10; ++c) row[c] = c == 0 ? 10 : c == 1 ? 100 : (c + 1) * 1000;
    EXPECT_EQ(Values(*series_->YValues()), row);
}

TEST_F(ExcelSource, ASingleCellLeavesTheSeries)
{
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    Load(book_, "Numbers", "A1", "A3");
    series_->AppendValue(7);
    Load(book_, "Numbers", "B5", "B5");
    EXPECT_EQ(Values(*series_->YValues()), (std::vector<double>{10, 20, 30, 7}));
}

TEST_F(ExcelSource, TakesRangesFromValueListNamesAndLabelsTheRowsOfItsValues)
{
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    series_->YValues()->SetName("C2:C20");
    series_->XValues()->SetName("B2:B20");
    source_->SetLabelsFrom("A2");
    source_->SetLabelsTo("A20");
    Load(book_, "Labeled", "", "");
    EXPECT_EQ(source_->RangeFrom(), "C2");
    EXPECT_EQ(source_->RangeTo(), "C20");
    ASSERT_EQ(series_->Count(), 19);
    for (int p = 0; p < 19; ++p) {
        const int row = p + 2;
        EXPECT_EQ(series_->YValues()->ValueAt(p), row * row);
        EXPECT_EQ(series_->XValues()->ValueAt(p), row / 2.0);
        EXPECT_EQ(series_->GetLabelAt(p), "p" + std::to_string(row));
    }
}

TEST_F(ExcelSource, FindsSheetsByNameOrNumberAndNamesAMissingOne)
{
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    Load(book_, "labeled", "C2", "C4");
    EXPECT_EQ(Values(*series_->YValues()), (std::vector<double>{4, 9, 16}));
    Load(book_, "1", "A1", "A2");
    EXPECT_EQ(Values(*series_->YValues()), (std::vector<double>{10, 20}));
    for (const char* sheet : {"Nope", "3", "0"}) {
        try {
            Load(book_, sheet, "A1", "A2");
            ADD_FAILURE() << sheet;
        } catch (const ChartException& e) {
            EXPECT_NE(e.Message().find(String("\"") + sheet + "\""), String::npos) << e.Message();
        }
    }
    EXPECT_THROW(Load(book_, "", "A1", "A2"), ChartException);
    EXPECT_THROW(Load(book_, "Numbers", "1A", "A2"), ChartException);
    EXPECT_THROW(Load(book_, "Numbers", "A1", "A0"), ChartException);
}

TEST_F(ExcelSource, AnEmptyOrUnreadableFileRaises)
{
    try {
        Load("", "Numbers", "A1", "A2");
        FAIL() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Excel file empty");
    }
    EXPECT_THROW(Load((folder_ / "missing.xlsx").string(), "Numbers", "A1", "A2"), EWorkbookError);
}

TEST_F(ExcelSource, ReadsXlsBooks)
{
    if (XlsBook().empty()) GTEST_SKIP() << "no LibreOffice or openpyxl";
    Load(XlsBook(), "Numbers", "A1", "A10");
    EXPECT_EQ(Values(*series_->YValues()), (std::vector<double>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
    source_->SetLabelsFrom("A2");
    source_->SetLabelsTo("A4");
    Load(XlsBook(), "Labeled", "C2", "C4");
    EXPECT_EQ(Values(*series_->YValues()), (std::vector<double>{4, 9, 16}));
    EXPECT_EQ(series_->GetLabelAt(2), "p4");
}

TEST_F(ExcelSource, ClosingReleasesTheBookAndQuitsNothing)
{
    EXPECT_FALSE(IsSpreadsheetRunning());
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    source_->SetFileName(book_);
    source_->SetWorkSheet("Numbers");
    source_->SetRangeFrom("A1");
    source_->SetRangeTo("A3");
    source_->OpenSource();
    EXPECT_EQ(series_->Count(), 3);
    source_->CloseSource();
    EXPECT_FALSE(source_->Active());
    EXPECT_EQ(series_->Count(), 0);
}

TEST_F(ExcelSource, TheUnitRegistersTheSourceAndTheSpreadsheetExporter)
{
    StartExcelSourceUnit();
    auto& list = SeriesSourceClassList();
    EXPECT_EQ(std::count(list.begin(), list.end(), &TZebExcelSource::StaticClass()), 1);
    EXPECT_EQ(GetClass("TZebExcelSource"), &TZebExcelSource::StaticClass());
    EXPECT_EQ(SeriesSourceClassOf(TZebExcelSource::StaticClass())->ListCaption(), "Excel");
    ASSERT_NE(ExcelExportClass, nullptr);
    const auto exporter = ExcelExportClass(chart_.get(), series_);
    EXPECT_EQ(&exporter->ClassType(), &TSeriesDataXLSObject::StaticClass());
    EXPECT_EQ(exporter->Series(), series_);
    StopExcelSourceUnit();
    EXPECT_EQ(std::count(list.begin(), list.end(), &TZebExcelSource::StaticClass()), 0);
    EXPECT_EQ(ExcelExportClass, nullptr);
}

// A damaged .xls is refused with a clear error and the series keeps its points.
TEST_F(ExcelSource, ADamagedXlsIsRefusedAndTheSeriesKept)
{
    const String xls = XlsBook();
    if (xls.empty()) GTEST_SKIP() << "no LibreOffice or openpyxl";
    std::ifstream in(xls, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const String damaged = (folder_ / "damaged.xls").string();
    std::string cut = bytes.substr(0, bytes.size() * 3 / 4);
    cut[600] = '\xFF';  // the sector allocation list points nowhere
    std::ofstream(damaged, std::ios::binary) << cut;
    series_->AppendValue(5);
    try {
        Load(damaged, "Numbers", "A1", "A3");
        ADD_FAILURE() << "loaded";
    } catch (const EWorkbookError& e) {
        EXPECT_NE(String(e.what()).find("not a readable spreadsheet: "), String::npos) << e.what();
    }
    EXPECT_EQ(Values(*series_->YValues()), std::vector<double>{5});
}

// A chart file keeps the workbook source its series reads from: loading opens the workbook
// again, and the loaded chart saves the source back, once, however often it is loaded.
TEST_F(ExcelSource, AChartFileKeepsTheWorkbookSourceOfItsSeries)
{
    if (book_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    StartExcelSourceUnit();
    series_->SetName("Series1");
    source_->SetName("Source1");
    Load(book_, "Numbers", "A1", "A3");
    source_->SetActive(true);
    TStringStream first;
    WriteChartStream(chart_.get(), first, false, true);
    const String text = first.DataString();
    EXPECT_NE(text.find("object Source1: TZebExcelSource"), String::npos) << text;

    TOwnedPtr<TChart> loaded(new TChart(nullptr));
    for (int i = 0; i < 2; ++i) {
        TStringStream in(text);
        ReadChartStream(loaded.get(), in);
    }
    ASSERT_EQ(loaded->SeriesList().Count(), 1);
    TChartSeries* series = loaded->SeriesList().GetSeriesAt(0);
    auto* source = dynamic_cast<TZebExcelSource*>(series->DataSource());
    ASSERT_NE(source, nullptr);
    EXPECT_TRUE(source->Active());
    EXPECT_EQ(Values(*series->YValues()), (std::vector<double>{10, 20, 30}));
    TStringStream again;
    WriteChartStream(loaded.get(), again, false, true);
    EXPECT_EQ(again.DataString(), text);
    StopExcelSourceUnit();
}

class ExcelExport : public ExcelSource {};

TEST_F(ExcelExport, WritesTheIndexColumnThenTheSeriesCells)
{
    series_->SetTitle("Tilt X");
    series_->AppendValue(1.5, "first");
    series_->AppendValue(-2);
    series_->AppendValue(3);
    series_->SetPointNull(1, true);
    TSeriesDataXLSObject data(chart_.get(), series_);
    data.SetIncludeIndex(true);
    data.SetIncludeHeader(true);
    data.SetValueFormat("0");  // not passed on: raw values
    const String path = (folder_ / "export.xlsx").string();
    data.WriteToFile(path);

    auto book = TWorkbookReader::Open(path);
    EXPECT_EQ(book->Cell(0, 1, 1).Text, "Index");
    EXPECT_EQ(book->Cell(0, 1, 2).Text, "Text");
    EXPECT_EQ(book->Cell(0, 1, 3).Text, "Tilt X");
    EXPECT_EQ(book->Cell(0, 4, 1).Number, 2);
    EXPECT_EQ(book->Cell(0, 2, 2).Text, "first");
    EXPECT_EQ(book->Cell(0, 2, 3).Number, 1.5);
    EXPECT_EQ(book->Cell(0, 3, 3).Kind, TWorkbookCell::TKind::Empty);  // null point
    if (python_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    const std::string out = testsupport::RunPython(python_, R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print([[c.value for c in row] for row in ws.iter_rows()])
)", {path});
    EXPECT_EQ(out, "[['Index', 'Text', 'Tilt X'], [0, 'first', 1.5], [1, None, None], [2, None, 3]]\n");
}

TEST_F(ExcelExport, EverySeriesFollowsTheOthersAndShorterOnesEndInEmptyCells)
{
    auto* second = new TLineSeries(chart_.get());
    second->SetParentChart(chart_.get());
    second->SetTitle("B");
    series_->SetTitle("A");
    for (double y : {1.0, 2.0, 3.0}) series_->AppendValue(y);
    second->AppendValue(10);
    TZebExcelExport excel(chart_.get());
    excel.SetIncludeHeader(true);
    excel.SetIncludeLabels(false);
    excel.SetValueFormat("0.0");
    excel.SetFileName((folder_ / "all.xlsx").string());
    excel.Export();
    auto book = TWorkbookReader::Open(excel.FileName());
    EXPECT_EQ(book->Cell(0, 1, 1).Text, "A");
    EXPECT_EQ(book->Cell(0, 1, 2).Text, "B");
    EXPECT_EQ(book->Cell(0, 4, 1).Number, 3);
    EXPECT_EQ(book->Cell(0, 2, 2).Number, 10);
    EXPECT_EQ(book->Cell(0, 3, 2).Kind, TWorkbookCell::TKind::Empty);
}

TEST_F(ExcelExport, AnExportBeyondTheSheetIsRefusedBeforeTheFileIsWritten)
{
    std::vector<double> ys(TWorkbookWriter::MaxRows, 1.0);
    series_->AppendValues(ys);
    const String path = (folder_ / "big.xlsx").string();
    TZebExcelExport excel(chart_.get(), series_);
    excel.SetIncludeHeader(true);
    excel.SetFileName(path);
    try {
        excel.Export();
        FAIL() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "The spreadsheet file holds at most 1048576 rows, the export has 1048577");
    }
    EXPECT_FALSE(FileExists(path));
}

}  // namespace
