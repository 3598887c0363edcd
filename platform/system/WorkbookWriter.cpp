// .xlsx files written through libxlsxwriter in its constant-memory mode: each row is written out
// when a later one begins. The library makes the file only when the workbook is closed, under a
// temporary name beside the target that replaces the target once complete.
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <string>

#include "platform/system/Workbook.h"

struct TWorkbookWriter::TState {
    String fileName;
    String partName;
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    int lastRow = 0;
};

namespace {

[[noreturn]] void Fail(const String& fileName, const String& why)
{
    throw EWorkbookError("Cannot write workbook \"" + fileName + "\": " + why);
}

}  // namespace

TWorkbookWriter::TWorkbookWriter(const String& fileName, const String& sheetName) : state_(std::make_unique<TState>())
{
    state_->fileName = fileName;
    state_->partName = fileName + ".part" + std::to_string(getpid());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    state_->workbook = workbook_new_opt(state_->partName.c_str(), &options);
    if (!state_->workbook) Fail(fileName, "out of memory");
    state_->sheet = workbook_add_worksheet(state_->workbook, sheetName.empty() ? nullptr : sheetName.c_str());
    if (!state_->sheet) {
        lxw_workbook_free(state_->workbook);
        Fail(fileName, "the sheet name \"" + sheetName + "\" is not valid");
    }
}

// The file is made only when saving, so a writer dropped unsaved leaves no file behind.
TWorkbookWriter::~TWorkbookWriter()
{
    if (state_->workbook) lxw_workbook_free(state_->workbook);
}

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
    if (!state_->workbook) Fail(state_->fileName, "already saved");
    CheckCell(state_->fileName, row, column, state_->lastRow);
    state_->lastRow = row;
    const lxw_error error = worksheet_write_number(state_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), value, nullptr);
    if (error != LXW_NO_ERROR) Fail(state_->fileName, lxw_strerror(error));
}

void TWorkbookWriter::WriteText(int row, int column, const String& text)
{
    if (!state_->workbook) Fail(state_->fileName, "already saved");
    CheckCell(state_->fileName, row, column, state_->lastRow);
    state_->lastRow = row;
    const lxw_error error = worksheet_write_string(state_->sheet, lxw_row_t(row - 1), lxw_col_t(column - 1), text.c_str(), nullptr);
    if (error != LXW_NO_ERROR) Fail(state_->fileName, lxw_strerror(error));
}

void TWorkbookWriter::Save()
{
    if (!state_->workbook) Fail(state_->fileName, "already saved");
    lxw_workbook* workbook = state_->workbook;
    state_->workbook = nullptr;  // closing frees it, also on failure
    const lxw_error error = workbook_close(workbook);
    if (error != LXW_NO_ERROR) {
        std::remove(state_->partName.c_str());
        Fail(state_->fileName, lxw_strerror(error));
    }
    if (std::rename(state_->partName.c_str(), state_->fileName.c_str()) != 0) {
        std::remove(state_->partName.c_str());
        Fail(state_->fileName, "it cannot replace the file there");
    }
}
