// Workbook files: .xlsx made by openpyxl and by hand (the forms other writers use), .xls made by
// LibreOffice and BIFF records made here, damaged and oversized files, and our own .xlsx read back
// by openpyxl.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
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

// BIFF records as the .xls readers meet them.
class TBiff {
public:
    TBiff& Record(std::uint16_t type, const std::string& data)
    {
        bytes_ += Word(type) + Word(static_cast<std::uint16_t>(data.size())) + data;
        return *this;
    }
    static std::string Word(std::uint16_t v) { return std::string{char(v & 0xFF), char(v >> 8)}; }
    static std::string Long(std::uint32_t v) { return Word(v & 0xFFFF) + Word(static_cast<std::uint16_t>(v >> 16)); }
    static std::string Double(double v)
    {
        std::string b(8, '\0');
        std::memcpy(b.data(), &v, 8);
        return b;
    }
    // Row and column from 0, then the XF index (BIFF5/8) or three attribute bytes (BIFF2).
    static std::string Cell(int row, int column, bool biff2 = false)
    {
        return Word(static_cast<std::uint16_t>(row)) + Word(static_cast<std::uint16_t>(column)) +
               (biff2 ? std::string(3, '\0') : Word(0));
    }
    std::string& Bytes() { return bytes_; }

private:
    std::string bytes_;
};

// A bare BIFF2 stream, as the spreadsheet exporter writes it, with the record kinds of its time,
// and a BIFF8 stream whose shared strings continue into a CONTINUE record with other options.
TEST_F(Workbook, ReadsTheRecordsOfBiff2AndBiff8)
{
    TBiff old;
    old.Record(0x0009, std::string("\0\0\x09\0", 4))
        .Record(0x0002, TBiff::Cell(0, 0, true) + TBiff::Word(7))
        .Record(0x0003, TBiff::Cell(0, 1, true) + TBiff::Double(-2.5))
        .Record(0x0004, TBiff::Cell(1, 0, true) +
                            "\x05Gr\xF6\xDF"
                            "e")
        .Record(0x0005, TBiff::Cell(1, 1, true) + std::string("\x01\x00", 2))
        .Record(0x0005, TBiff::Cell(1, 2, true) + std::string("\x07\x01", 2))
        .Record(0x0006, TBiff::Cell(2, 0, true) + std::string("\0\0\0\0\0\0\xFF\xFF", 8) + std::string(3, '\0'))
        .Record(0x0007,
                "\x02"
                "ab")
        .Record(0x000A, "");
    tmp_.Write("old.xls", old.Bytes());
    auto book = TWorkbookReader::Open(tmp_ / "old.xls");
    EXPECT_EQ(book->SheetNames(), std::vector<String>{"Sheet1"});
    ExpectCell(*book, 0, 1, 1, TKind::Number, 7, "");
    ExpectCell(*book, 0, 1, 2, TKind::Number, -2.5, "");
    ExpectCell(*book, 0, 2, 1, TKind::Text, 0,
               "Gr\xC3\xB6\xC3\x9F"
               "e");  // Windows-1252
    ExpectCell(*book, 0, 2, 2, TKind::Boolean, 1, "");
    ExpectCell(*book, 0, 2, 3, TKind::Error, 0, "#DIV/0!");
    ExpectCell(*book, 0, 3, 1, TKind::Text, 0, "ab");

    // Globals with one sheet whose BOF follows at the offset the sheet list gives.
    const std::string bof8 = TBiff::Word(0x0600) + TBiff::Word(0x0005) + std::string(12, '\0');
    const std::string sheetName = std::string("\x04\x00", 2) + "Data";  // length, compressed
    const std::string sstHead = TBiff::Long(3) + TBiff::Long(3);
    const std::string first = TBiff::Word(3) + std::string("\0", 1) + "one";
    // "z\u20ACz": begun compressed, the rest continued in UTF-16.
    const std::string split = TBiff::Word(3) + std::string("\0", 1) + "z";
    const std::string rest = std::string("\x01", 1) + TBiff::Word(0x20AC) + TBiff::Word('z');
    const std::string third = TBiff::Word(2) + std::string("\x01", 1) + TBiff::Word(0xE9) + TBiff::Word('!');
    TBiff globals;
    globals.Record(0x0809, bof8);
    const std::size_t sheetListAt = globals.Bytes().size() + 4;
    globals.Record(0x0085, TBiff::Long(0) + std::string("\0\0", 2) + sheetName)
        .Record(0x00FC, sstHead + first + split)
        .Record(0x003C, rest + third)
        .Record(0x000A, "");
    const std::uint32_t sheetAt = static_cast<std::uint32_t>(globals.Bytes().size());
    globals.Bytes().replace(sheetListAt, 4, TBiff::Long(sheetAt));
    globals.Record(0x0809, TBiff::Word(0x0600) + TBiff::Word(0x0010) + std::string(12, '\0'))
        .Record(0x00FD, TBiff::Cell(0, 0) + TBiff::Long(1))
        .Record(0x00FD, TBiff::Cell(0, 1) + TBiff::Long(2))
        .Record(0x027E, TBiff::Cell(1, 0) + TBiff::Long(static_cast<std::uint32_t>(-3 << 2 | 2 | 1)))  // -0.03
        .Record(0x00BD, TBiff::Cell(1, 1).substr(0, 4) + TBiff::Word(0) + TBiff::Long(5 << 2 | 2) + TBiff::Word(0) +
                            TBiff::Long(6 << 2 | 2) + TBiff::Word(2))
        .Record(0x0006, TBiff::Cell(2, 0) + std::string("\0\0\0\0\0\0\xFF\xFF", 8) + std::string(6, '\0'))
        .Record(0x0207, TBiff::Word(2) + std::string("\0", 1) + "hi")
        .Record(0x000A, "");
    tmp_.Write("new.xls", globals.Bytes());
    book = TWorkbookReader::Open(tmp_ / "new.xls");
    EXPECT_EQ(book->SheetNames(), std::vector<String>{"Data"});
    ExpectCell(*book, 0, 1, 1, TKind::Text, 0, "z\xE2\x82\xACz");
    ExpectCell(*book, 0, 1, 2, TKind::Text, 0, "\xC3\xA9!");
    ExpectCell(*book, 0, 2, 1, TKind::Number, -0.03, "");
    ExpectCell(*book, 0, 2, 2, TKind::Number, 5, "");
    ExpectCell(*book, 0, 2, 3, TKind::Number, 6, "");
    ExpectCell(*book, 0, 3, 1, TKind::Text, 0, "hi");
}

// Damaged .xls files, some from fuzzing the reader, some cut from a LibreOffice book: each gives
// the clear error or what it still holds, never a read outside the file.
TEST_F(Workbook, DamagedXlsFilesGiveAClearError)
{
    const auto expectClearError = [](const EWorkbookError& e) {
        EXPECT_NE(std::string(e.what()).find("not a readable spreadsheet: "), std::string::npos) << e.what();
    };
    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TV_TEST_DATA) + "/damaged")) {
        ++kept;
        try {
            TWorkbookReader::Open(entry.path().string());
            ADD_FAILURE() << entry.path() << " was read";
        } catch (const EWorkbookError& e) {
            expectClearError(e);
        }
    }
    ASSERT_GT(kept, 0);
    std::vector<std::string> files;
    const std::string xlsx = tmp_ / "book.xlsx";
    if (std::system("command -v soffice >/dev/null 2>&1") == 0 && MakeOpenpyxlBook(xlsx)) {
        const std::string command = "soffice -env:UserInstallation=file://" + tmp_ / "profile" +
                                    " --headless --convert-to xls --outdir " + testsupport::ShellQuote(tmp_ / "") +
                                    " " + testsupport::ShellQuote(xlsx) + " >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            const std::string whole = tmp_.Read("book.xls");
            for (const std::size_t size : {std::size_t{100}, std::size_t{600}, whole.size() / 2, whole.size() - 1}) {
                tmp_.Write("cut" + std::to_string(size) + ".xls", whole.substr(0, size));
                files.push_back(tmp_ / ("cut" + std::to_string(size) + ".xls"));
            }
            for (std::size_t at = 512; at < whole.size(); at += 97) {  // every sector's bytes touched
                std::string flipped = whole;
                flipped[at] = static_cast<char>(~flipped[at]);
                const std::string name = "flip" + std::to_string(at) + ".xls";
                tmp_.Write(name, flipped);
                files.push_back(tmp_ / name);
            }
        }
    }
    for (const std::string& file : files) {
        try {
            auto book = TWorkbookReader::Open(file);
            for (int sheet = 0; sheet < static_cast<int>(book->SheetNames().size()); ++sheet)
                for (int row = 1; row <= 12; ++row)
                    for (int column = 1; column <= 4; ++column) book->Cell(sheet, row, column);
        } catch (const EWorkbookError& e) {
            expectClearError(e);
        }
    }
}

// Parts are read by the size they unpack to, whatever the archive states, and a part beyond the
// bound is refused by name rather than read into memory.
TEST_F(Workbook, XlsxPartsAreReadByTheirRealSizeWithinABound)
{
    const std::string lying = tmp_ / "lying.xlsx", huge = tmp_ / "huge.xlsx";
    const std::string script = R"(
import sys, zipfile, struct
def book(path, sheet):
    z = zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED)
    z.writestr('xl/workbook.xml', '<workbook><sheets><sheet name="S" r:id="rId1" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"/></sheets></workbook>')
    z.writestr('xl/_rels/workbook.xml.rels', '<Relationships><Relationship Id="rId1" Type="x/worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
    sheet(z)
    z.close()
book(sys.argv[1], lambda z: z.writestr('xl/worksheets/sheet1.xml', '<worksheet><sheetData><row r="1"><c r="A1"><v>4</v></c></row></sheetData></worksheet>'))
# Every size field of the archive claims 2 GB more than the part holds.
data = bytearray(open(sys.argv[1], 'rb').read())
for sig, at in ((b'PK', 22), (b'PK', 24)):
    i = data.find(sig)
    while i >= 0:
        size = struct.unpack_from('<I', data, i + at)[0]
        struct.pack_into('<I', data, i + at, (size + 0x7FFFFFF0) & 0xFFFFFFFF)
        i = data.find(sig, i + 4)
open(sys.argv[1], 'wb').write(data)
def bomb(z):
    with z.open('xl/worksheets/sheet1.xml', 'w', force_zip64=True) as f:
        f.write(b'<worksheet><sheetData>')
        blank = b' ' * (1 << 20)
        for _ in range(130):
            f.write(blank)
        f.write(b'</sheetData></worksheet>')
book(sys.argv[2], bomb)
print('ok')
)";
    if (testsupport::RunPython("python3", script, {lying, huge}) != "ok\n") GTEST_SKIP() << "no python3";
    try {
        auto book = TWorkbookReader::Open(lying);
        ExpectCell(*book, 0, 1, 1, TKind::Number, 4, "");
    } catch (const EWorkbookError&) {
        // the archive's own check may refuse the sizes: refused, not read at them
    }
    try {
        TWorkbookReader::Open(huge)->Cell(0, 1, 1);
        ADD_FAILURE() << "read";
    } catch (const EWorkbookError& e) {
        EXPECT_NE(std::string(e.what()).find("the workbook's sheet is larger than 128 MB"), std::string::npos)
            << e.what();
    }
    EXPECT_LT(std::filesystem::file_size(huge), 1u << 20);
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

// Numbers that need all 17 digits read back as the same double, here and in openpyxl; texts
// keep carriage returns, here, in openpyxl and in LibreOffice, and other control characters and a
// text that looks like the format's escape of one stay themselves here and in LibreOffice
// (openpyxl shows that escape as it stands).
TEST_F(Workbook, NumbersAndTextsReadBackExactly)
{
    const std::vector<double> numbers = {0.1 + 0.2, 1.0 / 3, 123456789.12345678, -2.5e-310, 1e300, 5e-324, 0};
    const std::vector<String> texts = {"two\r\nlines",     "a\rb",          "tab\there", "bell\x07",
                                       "_x000D_ as typed", "\xC3\xA4 < & >"};
    const std::string path = tmp_ / "exact.xlsx";
    {
        TWorkbookWriter writer(path, "S");
        for (size_t i = 0; i < numbers.size(); ++i) writer.WriteNumber(1, static_cast<int>(i) + 1, numbers[i]);
        for (size_t i = 0; i < texts.size(); ++i) writer.WriteText(2, static_cast<int>(i) + 1, texts[i]);
        writer.Save();
    }
    auto book = TWorkbookReader::Open(path);
    for (size_t i = 0; i < numbers.size(); ++i)
        EXPECT_EQ(book->Cell(0, 1, static_cast<int>(i) + 1).Number, numbers[i]) << i;
    for (size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(book->Cell(0, 2, static_cast<int>(i) + 1).Text, texts[i]) << i;
    if (python_.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    const std::string out = testsupport::RunPython(python_, R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print([repr(float(c.value)) for c in ws[1]])
print([c.value for c in ws[2]])
)",
                                                   {path});
    EXPECT_EQ(out,
              "['0.30000000000000004', '0.3333333333333333', '123456789.12345678', '-2.5e-310', '1e+300', "
              "'5e-324', '0.0']\n"
              "['two\\r\\nlines', 'a\\rb', 'tab\\there', 'bell_x0007_', '_x000D_ as typed', '\xC3\xA4 < & >', None]\n");
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "no LibreOffice";
    const std::string command = "cd " + testsupport::ShellQuote(tmp_ / "") +
                                " && soffice -env:UserInstallation=file://" + tmp_ / "profile" +
                                " --headless --convert-to csv " + testsupport::ShellQuote(path) + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string csv = tmp_.Read("exact.csv");
    EXPECT_NE(csv.find("\"a\rb\""), std::string::npos) << csv;
    EXPECT_NE(csv.find("bell\x07"), std::string::npos) << csv;
    EXPECT_NE(csv.find("_x000D_ as typed"), std::string::npos) << csv;
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
