#pragma once
// Spreadsheet workbooks: read from .xlsx and .xls files, written as .xlsx, cell by cell. Rows and
// columns count from 1, sheets from 0.
#include <memory>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"

class EWorkbookError : public Exception {
public:
    using Exception::Exception;
};

struct TWorkbookCell {
    enum class TKind { Empty, Number, Text, Boolean, Error };
    TKind Kind = TKind::Empty;
    // Numbers; dates and times as days since 1899-12-30; booleans 0 or 1.
    double Number = 0;
    // Texts, and the code of an error cell ("#DIV/0!").
    String Text;
};

class TWorkbookReader {
public:
    virtual ~TWorkbookReader() = default;
    // By the extension: .xlsx (also .xlsm) or .xls, in any letter case. Raises EWorkbookError for a
    // missing, unreadable or damaged file or another extension.
    static std::unique_ptr<TWorkbookReader> Open(const String& fileName);
    // Formula cells give the value the file stores for them.
    const std::vector<String>& SheetNames() const { return sheetNames_; }
    // Empty outside the cells the sheet holds. Raises EWorkbookError for a damaged sheet.
    virtual TWorkbookCell Cell(int sheet, int row, int column) = 0;

protected:
    std::vector<String> sheetNames_;
};

// A new workbook of one sheet. Rows go out in order as they are written (memory does not grow
// with their count), so a row cannot be written after a later one; the file is complete after
// Save. Numbers read back as the same double; a text keeps its carriage returns. Raises
// EWorkbookError beyond the format's limits or when the file cannot be written.
class TWorkbookWriter {
public:
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 16384;

    TWorkbookWriter(const String& fileName, const String& sheetName);
    ~TWorkbookWriter();
    TWorkbookWriter(const TWorkbookWriter&) = delete;
    TWorkbookWriter& operator=(const TWorkbookWriter&) = delete;

    void WriteNumber(int row, int column, double value);
    void WriteText(int row, int column, const String& text);  // an empty one leaves the cell empty
    void Save();

private:
    void startCell(int row, int column);

    struct TState;
    std::unique_ptr<TState> state_;
};
