// .xls workbooks (the binary form), read through libfreexl.
#include <freexl.h>

#include <cstdio>

#include "platform/rtl/DateTime.h"
#include "platform/system/Workbook_p.h"

namespace {

// libfreexl gives dates and times as "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS".
bool DateTimeNumber(int type, const char* text, double& result)
{
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    TDateTime date = 0, time = 0;
    switch (type) {
    case FREEXL_CELL_DATE:
        return std::sscanf(text, "%u-%u-%u", &year, &month, &day) == 3 &&
               TryEncodeDate(Word(year), Word(month), Word(day), result);
    case FREEXL_CELL_DATETIME:
        if (std::sscanf(text, "%u-%u-%u %u:%u:%u", &year, &month, &day, &hour, &minute, &second) != 6 ||
            !TryEncodeDate(Word(year), Word(month), Word(day), date) ||
            !TryEncodeTime(Word(hour), Word(minute), Word(second), 0, time))
            return false;
        result = date + time;
        return true;
    case FREEXL_CELL_TIME:
        return std::sscanf(text, "%u:%u:%u", &hour, &minute, &second) == 3 &&
               TryEncodeTime(Word(hour), Word(minute), Word(second), 0, result);
    default: return false;
    }
}

class TXlsReader : public TWorkbookReader {
public:
    explicit TXlsReader(const String& fileName) : fileName_(fileName)
    {
        if (freexl_open(fileName.c_str(), &handle_) != FREEXL_OK) {
            handle_ = nullptr;
            Fail("not a workbook of this kind, or damaged");
        }
        unsigned count = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) Fail("no sheet list");
        for (unsigned i = 0; i < count; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK) Fail("no sheet name");
            sheetNames_.push_back(name ? name : "");
        }
    }
    ~TXlsReader() override
    {
        if (handle_) freexl_close(handle_);
    }

    TWorkbookCell Cell(int sheet, int row, int column) override
    {
        TWorkbookCell cell;
        if (sheet < 0 || sheet >= static_cast<int>(sheetNames_.size()) || row < 1 || column < 1) return cell;
        if (sheet != active_) {
            if (freexl_select_active_worksheet(handle_, static_cast<unsigned short>(sheet)) != FREEXL_OK ||
                freexl_worksheet_dimensions(handle_, &rows_, &columns_) != FREEXL_OK)
                Fail("cannot read sheet \"" + sheetNames_[sheet] + "\"");
            active_ = sheet;
        }
        if (static_cast<unsigned>(row) > rows_ || column > columns_) return cell;
        FreeXL_CellValue value{};
        if (freexl_get_cell_value(handle_, static_cast<unsigned>(row - 1), static_cast<unsigned short>(column - 1), &value) !=
            FREEXL_OK)
            Fail("cannot read a cell of sheet \"" + sheetNames_[sheet] + "\"");
        switch (value.type) {
        case FREEXL_CELL_INT:
            cell.Kind = TWorkbookCell::TKind::Number;
            cell.Number = value.value.int_value;
            break;
        case FREEXL_CELL_DOUBLE:
            cell.Kind = TWorkbookCell::TKind::Number;
            cell.Number = value.value.double_value;
            break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            cell.Kind = TWorkbookCell::TKind::Text;
            cell.Text = value.value.text_value ? value.value.text_value : "";
            break;
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            if (DateTimeNumber(value.type, value.value.text_value ? value.value.text_value : "", cell.Number))
                cell.Kind = TWorkbookCell::TKind::Number;
            else {
                cell.Kind = TWorkbookCell::TKind::Text;
                cell.Text = value.value.text_value ? value.value.text_value : "";
            }
            break;
        default: break;
        }
        return cell;
    }

private:
    [[noreturn]] void Fail(const String& why) const
    {
        throw EWorkbookError("Cannot read workbook \"" + fileName_ + "\": " + why);
    }

    String fileName_;
    const void* handle_ = nullptr;
    int active_ = -1;
    unsigned rows_ = 0;
    unsigned short columns_ = 0;
};

}  // namespace

std::unique_ptr<TWorkbookReader> OpenXlsWorkbook(const String& fileName) { return std::make_unique<TXlsReader>(fileName); }
