// .xlsx files written here: the sheet's XML goes to a temporary file row by row as it is written
// (memory does not grow with the rows), and Save packs it with the workbook's other parts into a
// zip archive under a temporary name beside the target, which replaces the target once complete.
// Numbers are written as the shortest text that reads back to the same double; texts go to the
// shared strings part (another temporary file, one entry per text written). A carriage return is
// written as a character reference, which every XML reader keeps (raw, it would be read as a line
// feed); the control characters XML can not hold at all as the format escapes them ("_x0007_").
#include <unistd.h>
#include <zip.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/rtl/Unicode.h"
#include "platform/system/Workbook.h"

namespace {

[[noreturn]] void Fail(const String& fileName, const String& why)
{
    throw EWorkbookError("Cannot write workbook \"" + fileName + "\": " + why);
}

struct TFileCloser {
    void operator()(std::FILE* file) const
    {
        if (file) std::fclose(file);
    }
};

String ColumnName(int column)
{
    String name;
    for (int n = column; n > 0; n = (n - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

String NumberText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return String(buffer, result.ptr);
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// Text for an XML element of a cell: markup escaped, a carriage return as a reference, the other
// control characters and a literal "_xHHHH_" escaped as the format reads them back, bytes that are
// no UTF-8 taken as Latin-1.
String CellText(const String& text)
{
    String out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t start = at;
        const std::uint32_t c = NextUtf8CodePoint(text, at);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\r': out += "&#13;"; break;
        case '_':
            if (start + 7 <= text.size() && text[start + 1] == 'x' && IsHex(text[start + 2]) &&
                IsHex(text[start + 3]) && IsHex(text[start + 4]) && IsHex(text[start + 5]) && text[start + 6] == '_')
                out += "_x005F_";
            else
                out += '_';
            break;
        default:
            if ((c < 0x20 && c != '\t' && c != '\n') || c == 0xFFFE || c == 0xFFFF) {
                char escape[16];
                std::snprintf(escape, sizeof escape, "_x%04X_", static_cast<unsigned>(c));
                out += escape;
            } else {
                AppendUtf8(out, c);
            }
        }
    }
    return out;
}

String AttributeText(const String& text)
{
    String out;
    for (const char c : CellText(text)) out += c == '"' ? String("&quot;") : String(1, c);
    return out;
}

// Excel's rule for sheet names.
bool IsSheetName(const String& name)
{
    if (name.empty() || name.size() > 31 || name.front() == '\'' || name.back() == '\'') return false;
    return name.find_first_of("[]:*?/\\") == String::npos;
}

const char* const ContentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/xl/workbook.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
    "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
    "<Override PartName=\"/xl/sharedStrings.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
    "<Override PartName=\"/xl/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
    "</Types>";

const char* const PackageRelations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"xl/workbook.xml\"/></Relationships>";

const char* const WorkbookRelations =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
    "Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "<Relationship Id=\"rId3\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
    "Target=\"sharedStrings.xml\"/></Relationships>";

const char* const Styles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "</styleSheet>";

const char* const SheetStart =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";

}  // namespace

struct TWorkbookWriter::TState {
    String fileName;
    String partName;
    String sheetName;
    std::unique_ptr<std::FILE, TFileCloser> sheet;    // the sheet's XML so far; null once saved
    std::unique_ptr<std::FILE, TFileCloser> strings;  // the shared strings' items so far
    long long stringCount = 0;
    int lastRow = 0;
    bool failed = false;

    void Put(std::FILE* file, const String& text)
    {
        if (!failed && std::fwrite(text.data(), 1, text.size(), file) != text.size()) failed = true;
    }
    void Put(const String& text) { Put(sheet.get(), text); }
};

TWorkbookWriter::TWorkbookWriter(const String& fileName, const String& sheetName) : state_(std::make_unique<TState>())
{
    state_->fileName = fileName;
    state_->partName = fileName + ".part" + std::to_string(getpid());
    state_->sheetName = sheetName.empty() ? "Sheet1" : sheetName;
    if (!IsSheetName(state_->sheetName)) Fail(fileName, "the sheet name \"" + sheetName + "\" is not valid");
    state_->sheet.reset(std::tmpfile());
    state_->strings.reset(std::tmpfile());
    if (!state_->sheet || !state_->strings) Fail(fileName, "no temporary file for the sheet");
    state_->Put(SheetStart);
}

// The file is made only when saving, so a writer dropped unsaved leaves no file behind.
TWorkbookWriter::~TWorkbookWriter() = default;

namespace {

void CheckCell(const String& fileName, int row, int column, int lastRow)
{
    if (row < 1 || row > TWorkbookWriter::MaxRows || column < 1 || column > TWorkbookWriter::MaxColumns)
        Fail(fileName, "the cell in row " + std::to_string(row) + ", column " + std::to_string(column) +
                           " is beyond the sheet's 1048576 rows and 16384 columns");
    if (row < lastRow) Fail(fileName, "row " + std::to_string(row) + " comes after row " + std::to_string(lastRow));
}

}  // namespace

void TWorkbookWriter::WriteNumber(int row, int column, double value)
{
    if (!state_->sheet) Fail(state_->fileName, "already saved");
    CheckCell(state_->fileName, row, column, state_->lastRow);
    startCell(row, column);
    // A spreadsheet holds no infinity or NaN: the cell shows the format's number error.
    state_->Put(std::isfinite(value) ? "\"><v>" + NumberText(value) + "</v></c>"
                                     : String("\" t=\"e\"><v>#NUM!</v></c>"));
}

void TWorkbookWriter::WriteText(int row, int column, const String& text)
{
    if (!state_->sheet) Fail(state_->fileName, "already saved");
    CheckCell(state_->fileName, row, column, state_->lastRow);
    if (text.empty()) return;  // an empty text leaves the cell empty
    startCell(row, column);
    state_->Put("\" t=\"s\"><v>" + std::to_string(state_->stringCount++) + "</v></c>");
    state_->Put(state_->strings.get(), "<si><t xml:space=\"preserve\">" + CellText(text) + "</t></si>");
}

void TWorkbookWriter::startCell(int row, int column)
{
    if (row != state_->lastRow) {
        if (state_->lastRow > 0) state_->Put("</row>");
        state_->Put("<row r=\"" + std::to_string(row) + "\">");
        state_->lastRow = row;
    }
    state_->Put("<c r=\"" + ColumnName(column) + std::to_string(row));
}

void TWorkbookWriter::Save()
{
    if (!state_->sheet) Fail(state_->fileName, "already saved");
    if (state_->lastRow > 0) state_->Put("</row>");
    state_->Put("</sheetData></worksheet>");
    std::unique_ptr<std::FILE, TFileCloser> sheet = std::move(state_->sheet), strings = std::move(state_->strings);
    if (state_->failed || std::fflush(sheet.get()) != 0 || std::fflush(strings.get()) != 0)
        Fail(state_->fileName, "the temporary sheet could not be written");
    std::rewind(sheet.get());
    std::rewind(strings.get());
    // The shared strings part: its head with the count, then the items written meanwhile.
    const String stringsHead =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
        std::to_string(state_->stringCount) + "\" uniqueCount=\"" + std::to_string(state_->stringCount) + "\">";
    std::unique_ptr<std::FILE, TFileCloser> stringsPart(std::tmpfile());
    if (!stringsPart) Fail(state_->fileName, "no temporary file for the sheet");
    {
        bool ok = std::fwrite(stringsHead.data(), 1, stringsHead.size(), stringsPart.get()) == stringsHead.size();
        char buffer[65536];
        for (std::size_t read; ok && (read = std::fread(buffer, 1, sizeof buffer, strings.get())) > 0;)
            ok = std::fwrite(buffer, 1, read, stringsPart.get()) == read;
        ok = ok && std::fputs("</sst>", stringsPart.get()) >= 0 && std::fflush(stringsPart.get()) == 0;
        if (!ok) Fail(state_->fileName, "the temporary sheet could not be written");
        std::rewind(stringsPart.get());
    }
    const String workbook =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet name=\"" +
        AttributeText(state_->sheetName) + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";

    int error = 0;
    zip_t* archive = zip_open(state_->partName.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) Fail(state_->fileName, "it can not be created");
    const auto add = [&](const char* name, zip_source_t* source) {
        if (!source || zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source) zip_source_free(source);
            zip_discard(archive);
            std::remove(state_->partName.c_str());
            Fail(state_->fileName, "it can not be packed");
        }
    };
    // The texts outlive the archive, which reads them when it is closed.
    const auto text = [&](const char* content) { return zip_source_buffer(archive, content, std::strlen(content), 0); };
    add("[Content_Types].xml", text(ContentTypes));
    add("_rels/.rels", text(PackageRelations));
    add("xl/workbook.xml", text(workbook.c_str()));
    add("xl/_rels/workbook.xml.rels", text(WorkbookRelations));
    add("xl/styles.xml", text(Styles));
    add("xl/sharedStrings.xml", zip_source_filep(archive, stringsPart.release(), 0, -1));  // the sources close them
    add("xl/worksheets/sheet1.xml", zip_source_filep(archive, sheet.release(), 0, -1));
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        std::remove(state_->partName.c_str());
        Fail(state_->fileName, "it can not be written");
    }
    if (std::rename(state_->partName.c_str(), state_->fileName.c_str()) != 0) {
        std::remove(state_->partName.c_str());
        Fail(state_->fileName, "it cannot replace the file there");
    }
}
