#include "chart/io/ExcelSource.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "chart/core/ChartException.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/io/ExcelExport.h"
#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Control.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Workbook.h"
#include "chart/core/UnitStarts.h"

namespace {

class TExcelSourceClass : public TZebSeriesSourceClass {
public:
    using TZebSeriesSourceClass::TZebSeriesSourceClass;
    String ListCaption() const override { return TxtExcel2; }
};

struct TCellName {
    int Row = 0;
    int Column = 0;
};

// "B7", "$B$7" or "b7".
TCellName ParseCellName(const String& text)
{
    const String name = UpperCase(Trim(text));
    TCellName cell;
    std::size_t i = 0;
    if (i < name.size() && name[i] == '$') ++i;
    const std::size_t letters = i;
    while (i < name.size() && name[i] >= 'A' && name[i] <= 'Z' && cell.Column <= 16384) cell.Column = cell.Column * 26 + (name[i++] - 'A' + 1);
    const bool hasLetters = i > letters;
    if (i < name.size() && name[i] == '$') ++i;
    const std::size_t digits = i;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && cell.Row <= 1048576)
        cell.Row = cell.Row * 10 + (name[i++] - '0');
    if (!hasLetters || i == digits || i != name.size() || cell.Row < 1 || cell.Row > 1048576 || cell.Column > 16384)
        throw ChartException("Invalid cell name: \"" + text + "\"");
    return cell;
}

// A range of a sheet, its cells read as they are asked for (only its first row or column ever is);
// a range of one cell is no array.
struct TCellBlock {
    TWorkbookReader& Book;
    int Sheet = 0;
    int Top = 0;
    int Left = 0;
    int Rows = 0;
    int Columns = 0;
    bool IsArray() const { return Rows > 1 || Columns > 1; }
    TWorkbookCell At(int row, int column) const { return Book.Cell(Sheet, Top + row, Left + column); }
};

TCellBlock ReadRange(TWorkbookReader& book, int sheet, const String& from, const String& to)
{
    const TCellName a = ParseCellName(from);
    const TCellName b = to.empty() ? a : ParseCellName(to);
    const int top = std::min(a.Row, b.Row), left = std::min(a.Column, b.Column);
    return {book, sheet, top, left, std::max(a.Row, b.Row) - top + 1, std::max(a.Column, b.Column) - left + 1};
}

// As an automation value converts: empty 0, true -1, texts by the locale's number format.
double CellNumber(const TWorkbookCell& cell)
{
    switch (cell.Kind) {
    case TWorkbookCell::TKind::Empty: return 0;
    case TWorkbookCell::TKind::Number: return cell.Number;
    case TWorkbookCell::TKind::Boolean: return cell.Number != 0 ? -1 : 0;
    case TWorkbookCell::TKind::Text: return static_cast<double>(StrToFloat(Trim(cell.Text)));
    case TWorkbookCell::TKind::Error: break;
    }
    throw EConvertError("Could not convert the cell value " + cell.Text + " into a number");
}

String CellText(const TWorkbookCell& cell)
{
    switch (cell.Kind) {
    case TWorkbookCell::TKind::Number: return FloatToStr(cell.Number);
    case TWorkbookCell::TKind::Boolean: return cell.Number != 0 ? "True" : "False";
    default: return cell.Text;
    }
}

// A single column gives its rows, else the first row gives its columns.
std::vector<double> BlockValues(const TCellBlock& block)
{
    std::vector<double> values;
    if (block.Columns == 1)
        for (int r = 0; r < block.Rows; ++r) values.push_back(CellNumber(block.At(r, 0)));
    else
        for (int c = 0; c < block.Columns; ++c) values.push_back(CellNumber(block.At(0, c)));
    return values;
}

TUnitStarts starts;

}  // namespace

TV_PUBLISHED_AS(TZebExcelSource, TExcelSourceClass)
{
    Prop("WorkSheet", &TZebExcelSource::WorkSheet, &TZebExcelSource::SetWorkSheet);
    Prop("RangeFrom", &TZebExcelSource::RangeFrom, &TZebExcelSource::SetRangeFrom);
    Prop("RangeTo", &TZebExcelSource::RangeTo, &TZebExcelSource::SetRangeTo);
    Prop("LabelsFrom", &TZebExcelSource::LabelsFrom, &TZebExcelSource::SetLabelsFrom);
    Prop("LabelsTo", &TZebExcelSource::LabelsTo, &TZebExcelSource::SetLabelsTo);
}

String ExcelColumnName(int column)
{
    String name;
    int n = column - 1;
    while (n > 25) {
        name.insert(name.begin(), static_cast<char>('A' + n % 26));
        n = n / 26 - 1;
    }
    name.insert(name.begin(), static_cast<char>('A' + n));
    return name;
}

std::pair<String, String> SplitRangeName(const TChartValueList& list)
{
    const String& name = list.Name();
    const std::size_t colon = name.find(':');
    if (colon == String::npos) return {};
    return {name.substr(0, colon), name.substr(colon + 1)};
}

bool IsSpreadsheetRunning() { return false; }

TZebExcelSource::TZebExcelSource(TComponent* owner) : TZebSeriesSourceFile(owner) {}

TZebExcelSource::~TZebExcelSource() = default;

void TZebExcelSource::SetAndClose(String& field, const String& value)
{
    if (AssignIfChanged(field, value)) CloseSource();
}

void TZebExcelSource::SetWorkSheet(const String& value) { SetAndClose(workSheet_, value); }
void TZebExcelSource::SetRangeFrom(const String& value) { SetAndClose(rangeFrom_, value); }
void TZebExcelSource::SetRangeTo(const String& value) { SetAndClose(rangeTo_, value); }
void TZebExcelSource::SetLabelsFrom(const String& value) { SetAndClose(labelsFrom_, value); }
void TZebExcelSource::SetLabelsTo(const String& value) { SetAndClose(labelsTo_, value); }

void TZebExcelSource::OpenWorkbook()
{
    // Read afresh each time: the file may have changed since.
    workbook_.reset();
    workbook_ = TWorkbookReader::Open(FileName());
}

int TZebExcelSource::FindSheet() const
{
    if (workSheet_.empty()) throw ChartException(TxtExcelWorkSheetMustBeSpecified);
    const auto& names = workbook_->SheetNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], workSheet_)) return static_cast<int>(i);
    const int number = StrToIntDef(Trim(workSheet_), 0);
    if (number >= 1 && number <= static_cast<int>(names.size())) return number - 1;
    throw ChartException("Worksheet \"" + workSheet_ + "\" not found in " + FileName());
}

void TZebExcelSource::LoadSource()
{
    if (FileName().empty()) throw ChartException(TxtExcelFileEmpty);
    OpenWorkbook();
    const int sheet = FindSheet();
    TChartSeries* series = Series();
    if (!series) return;
    if (rangeFrom_.empty()) {
        const auto [from, to] = SplitRangeName(*series->YValues());
        rangeFrom_ = from;
        rangeTo_ = to;
    }
    const TCellBlock values = ReadRange(*workbook_, sheet, rangeFrom_, rangeTo_);
    if (values.IsArray()) {
        const std::vector<double> numbers = BlockValues(values);
        series->RemoveAllPoints();
        for (double value : numbers) series->AppendMainValue(value);
    }
    TChartValueLists& lists = series->ValueLists();
    for (int i = 0; i < lists.Count(); ++i) {
        TChartValueList* list = lists.ValueListAt(i);
        if (list == series->YValues()) continue;
        const auto [from, to] = SplitRangeName(*list);
        if (from.empty() || to.empty()) continue;
        const TCellBlock block = ReadRange(*workbook_, sheet, from, to);
        if (!block.IsArray()) continue;
        const std::vector<double> numbers = BlockValues(block);
        const int count = std::min(static_cast<int>(numbers.size()), series->Count());
        for (int p = 0; p < count; ++p) list->SetValueAt(p, numbers[static_cast<std::size_t>(p)]);
    }
    if (!labelsFrom_.empty() && !labelsTo_.empty()) {
        const TCellBlock labels = ReadRange(*workbook_, sheet, labelsFrom_, labelsTo_);
        // Row r of the label range labels point r - 1 (r from 1), as values read from the same
        // rows land on those points; rows beyond the points label nothing.
        if (labels.IsArray())
            for (int r = 0; r < std::min(labels.Rows, series->Count()); ++r)
                series->Labels().SetLabel(r, CellText(labels.At(r, 0)));
    }
}

void TZebExcelSource::CloseSource()
{
    // No application was started for the workbook, so there is none to quit.
    workbook_.reset();
    TZebSeriesSourceFile::CloseSource();
}

void StartExcelSourceUnit()
{
    if (!starts.First()) return;
    ExcelExportClass = &CreateSeriesDataXLSObject;
    ActivateClassGroup(TControl::StaticClass());
    RegisterClass(TZebExcelSource::StaticClass());
    SeriesSourceClassList().push_back(&TZebExcelSource::StaticClass());
}

void StopExcelSourceUnit()
{
    if (!starts.Last()) return;
    ExcelExportClass = nullptr;
    auto& list = SeriesSourceClassList();
    list.erase(std::remove(list.begin(), list.end(), &TZebExcelSource::StaticClass()), list.end());
    UnRegisterClass(TZebExcelSource::StaticClass());
}
