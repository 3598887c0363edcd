#pragma once
// One fuzz input through a workbook reader (.xlsx or .xls): read as a workbook and the first cells
// of every sheet asked for. EWorkbookError is the expected answer to a bad file; any other
// exception, and every sanitizer report, is a finding.
#include <cstdint>

#include "fuzz/Finding.h"
#include "platform/system/Workbook_p.h"

namespace tv_fuzz {

// Returns whether the input was read as a workbook.
inline bool FuzzWorkbook(const std::uint8_t* data, std::size_t size, bool xlsx)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const auto book = xlsx ? ReadXlsxWorkbook("fuzz.xlsx", bytes) : ReadXlsWorkbook("fuzz.xls", bytes);
        for (int sheet = 0; sheet < static_cast<int>(book->SheetNames().size()) && sheet < 4; ++sheet)
            for (int row = 1; row <= 16; ++row)
                for (int column = 1; column <= 8; ++column) book->Cell(sheet, row, column);
        return true;
    } catch (const EWorkbookError&) {
        return false;
    } catch (const std::exception& e) {
        Finding("workbook", e.what());
    }
}

}  // namespace tv_fuzz
