// Workbook files: .xlsx made by openpyxl and by hand (the forms other writers use), .xls made by
// LibreOffice, and our own .xlsx read back by openpyxl.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "TempDir.h"
#include "platform/rtl/Files.h"
#include "platform/system/Workbook.h"
#include "tests/support/Python.h"

namespace {

using TKind = TWorkbookCell::TKind;

void ExpectCell(TWorkbookReader& book, int sheet, int row, int column, TKind kind, double number, const String& text)
{
    const TWorkbookCell cell = book.Cell(sheet, row, column);
    EXPECT_EQ(cell.Kind, kind) << sheet << " " << row << " " << column;
    if (kind == TKind::Number || kind == TKind::Boolean) {
        EXPECT_DOUBLE_EQ(cell.Number, number) << row << " " << column;
    }
    if (kind == TKind::Text || kind == TKind::Error) {
        EXPECT_EQ(cell.Text, text) << row << " " << column;
    }
}

const char* const MakeBook = R"(
import sys, datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'Data'
for r in range(1, 11):
    ws.cell(row=r, column=1, value=r * 1.5)
    ws.cell(row=r, column=2, value='label %d' % r)
ws['C1'] = True
ws['C2'] = datetime.datetime(2020, 1, 2, 12, 0)
ws['D5'] = -7
second = wb.create_sheet('Zweite Tabelle')
second['B3'] = 'äöü'
wb.save(sys.argv[1])
print('ok')
)";

class Workbook : public ::testing::Test {
protected:
    void SetUp() override { python_ = testsupport::OpenpyxlPython(); }
    bool MakeOpenpyxlBook(const std::string& path) { return !python_.empty() && testsupport::RunPython(python_, MakeBook, {path}) == "ok\n"; }
    TempDir tmp_;
    std::string python_;
};

TEST_F(Workbook, ReadsAnOpenpyxlBook)
{
    const std::string path = tmp_ / "book.xlsx";
    if (!MakeOpenpyxlBook(path)) GTEST_SKIP() << "no python3 with openpyxl";
    auto book = TWorkbookReader::Open(path);
    EXPECT_EQ(book->SheetNames(), (std::vector<String>{"Data", "Zweite Tabelle"}));
    ExpectCell(*book, 0, 1, 1, TKind::Number, 1.5, "");
    ExpectCell(*book, 0, 10, 1, TKind::Number, 15, "");
    ExpectCell(*book, 0, 10, 2, TKind::Text, 0, "label 10");
    ExpectCell(*book, 0, 1, 3, TKind::Boolean, 1, "");
    ExpectCell(*book, 0, 2, 3, TKind::Number, 43832.5, "");
    ExpectCell(*book, 0, 5, 4, TKind::Number, -7, "");
    ExpectCell(*book, 0, 11, 1, TKind::Empty, 0, "");
    ExpectCell(*book, 1, 3, 2, TKind::Text, 0, "äöü");
    ExpectCell(*book, 2, 1, 1, TKind::Empty, 0, "");
}

// The forms other writers use: inline and rich texts, stored formula results, rows and cells
// without their numbers or out of order, parts named from the package root.
TEST_F(Workbook, ReadsTheFormsOfOtherWriters)
{
    const std::string path = tmp_ / "hand.XLSX";
    const std::string script = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('_rels/.rels', '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="book/main.xml"/></Relationships>')
z.writestr('book/main.xml', '<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="rId7"/></sheets></workbook>')
z.writestr('book/_rels/main.xml.rels', '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/book/s/one.xml"/><Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/></Relationships>')
z.writestr('book/strings.xml', '<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>plain</t></si><si><r><t>ri</t></r><r><rPr/><t>ch</t></r><rPh><t>x</t></rPh></si></sst>')
z.writestr('book/s/one.xml', '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>'
  '<row><c><v>1</v></c><c t="s"><v>1</v></c><c r="E1" t="inlineStr"><is><t>inline</t></is></c></row>'
  '<row r="3"><c r="A3"><f>A1*2</f><v>2</v></c><c t="str"><f>"a"&amp;"b"</f><v>ab</v></c><c t="e"><v>#DIV/0!</v></c><c><f>A1</f></c><c t="s"><v>0</v></c></row>'
  '<row><c r="B4" t="b"><v>0</v></c></row><row r="2"><c r="C2"><v>5</v></c><c r="A2"><v>4</v></c></row></sheetData></worksheet>')
z.close()
print('ok')
)";
    if (testsupport::RunPython("python3", script, {path}) != "ok\n") GTEST_SKIP() << "no python3";
    auto book = TWorkbookReader::Open(path);
    EXPECT_EQ(book->SheetNames(), std::vector<String>{"S"});
    const struct {
        int row, column;
        TKind kind;
        double number;
        const char* text;
    } cells[] = {
        {1, 1, TKind::Number, 1, ""},      {1, 2, TKind::Text, 0, "rich"},   {1, 5, TKind::Text, 0, "inline"},
        {3, 1, TKind::Number, 2, ""},      {3, 2, TKind::Text, 0, "ab"},     {3, 3, TKind::Error, 0, "#DIV/0!"},
        {3, 4, TKind::Empty, 0, ""},       {3, 5, TKind::Text, 0, "plain"},  {4, 2, TKind::Boolean, 0, ""},
        {2, 1, TKind::Number, 4, ""},      {2, 2, TKind::Empty, 0, ""},      {2, 3, TKind::Number, 5, ""},
    };
    for (const auto& c : cells) ExpectCell(*book, 0, c.row, c.column, c.kind, c.number, c.text);
}

TEST_F(Workbook, ReadsAnXlsBookMadeByLibreOffice)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no LibreOffice";
    const std::string xlsx = tmp_ / "book.xlsx";
    if (!MakeOpenpyxlBook(xlsx)) GTEST_SKIP() << "no python3 with openpyxl";
    const std::string command = "soffice -env:UserInstallation=file://" + tmp_ / "profile" +
                                " --headless --convert-to xls --outdir " + testsupport::ShellQuote(tmp_ / "") + " " +
                                testsupport::ShellQuote(xlsx) + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 || !FileExists(tmp_ / "book.xls")) GTEST_SKIP() << "LibreOffice cannot convert";
    auto book = TWorkbookReader::Open(tmp_ / "book.xls");
    EXPECT_EQ(book->SheetNames(), (std::vector<String>{"Data", "Zweite Tabelle"}));
    ExpectCell(*book, 0, 1, 1, TKind::Number, 1.5, "");
    ExpectCell(*book, 0, 10, 2, TKind::Text, 0, "label 10");
    ExpectCell(*book, 0, 2, 3, TKind::Number, 43832.5, "");
    ExpectCell(*book, 0, 5, 4, TKind::Number, -7, "");
    ExpectCell(*book, 0, 11, 1, TKind::Empty, 0, "");
    ExpectCell(*book, 1, 3, 2, TKind::Text, 0, "äöü");
}

TEST_F(Workbook, FilesThatAreNoWorkbooksRaise)
{
    tmp_.Write("junk.xlsx", "not a zip");
    tmp_.Write("junk.xls", "not a workbook either");
    tmp_.Write("table.csv", "1,2");
    for (const std::string name : {"junk.xlsx", "junk.xls", "table.csv", "missing.xlsx"})
        EXPECT_THROW(TWorkbookReader::Open(tmp_ / name), EWorkbookError) << name;
}

TEST_F(Workbook, WrittenBooksReadBackHereAndWithOpenpyxl)
{
    const std::string path = tmp_ / "out.xlsx";
    {
        TWorkbookWriter writer(path, "Series");
        writer.WriteText(1, 1, "Index");
        writer.WriteText(1, 2, "Y");
        for (int row = 2; row <= 4; ++row) {
            writer.WriteNumber(row, 1, row - 2);
            writer.WriteNumber(row, 2, row * 0.25);
        }
        writer.WriteText(5, 3, "Größe");
        EXPECT_FALSE(FileExists(path));
        writer.Save();
    }
    auto book = TWorkbookReader::Open(path);
    EXPECT_EQ(book->SheetNames(), std::vector<String>{"Series"});
    ExpectCell(*book, 0, 1, 2, TKind::Text, 0, "Y");
    ExpectCell(*book, 0, 4, 2, TKind::Number, 1, "");
    ExpectCell(*book, 0, 5, 3, TKind::Text, 0, "Größe");
    if (python_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    const std::string out = testsupport::RunPython(python_, R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws.title, [[c.value for c in row] for row in ws.iter_rows()])
)", {path});
    EXPECT_EQ(out, "Series [['Index', 'Y', None], [0, 0.5, None], [1, 0.75, None], [2, 1, None], [None, None, 'Größe']]\n");
}

TEST_F(Workbook, TheWriterRefusesCellsBeyondTheSheetAndRowsOutOfOrder)
{
    const std::string path = tmp_ / "limits.xlsx";
    TWorkbookWriter writer(path, "S");
    EXPECT_NO_THROW(writer.WriteNumber(5, TWorkbookWriter::MaxColumns, 1));
    EXPECT_THROW(writer.WriteNumber(6, TWorkbookWriter::MaxColumns + 1, 1), EWorkbookError);
    EXPECT_THROW(writer.WriteNumber(TWorkbookWriter::MaxRows + 1, 1, 1), EWorkbookError);
    EXPECT_THROW(writer.WriteText(0, 1, "x"), EWorkbookError);
    EXPECT_THROW(writer.WriteText(4, 1, "x"), EWorkbookError);
    EXPECT_NO_THROW(writer.WriteNumber(TWorkbookWriter::MaxRows, 1, 1));
}

TEST_F(Workbook, AFailedOrDroppedWriteLeavesNoFile)
{
    {
        TWorkbookWriter writer(tmp_ / "dropped.xlsx", "S");
        writer.WriteNumber(1, 1, 1);
    }
    EXPECT_FALSE(FileExists(tmp_ / "dropped.xlsx"));
    TWorkbookWriter writer(tmp_ / "no such folder/x.xlsx", "S");
    writer.WriteNumber(1, 1, 1);
    EXPECT_THROW(writer.Save(), EWorkbookError);
    EXPECT_THROW(writer.WriteNumber(2, 1, 1), EWorkbookError);
}

}  // namespace
