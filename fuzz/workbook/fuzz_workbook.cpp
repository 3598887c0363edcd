// libFuzzer targets of the workbook readers, one per form: FUZZ_XLSX or not (FuzzWorkbook.h; see
// fuzz/run.sh).
#include "fuzz/workbook/FuzzWorkbook.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
#ifdef FUZZ_XLSX
    tv_fuzz::FuzzWorkbook(data, size, true);
#else
    tv_fuzz::FuzzWorkbook(data, size, false);
#endif
    return 0;
}
