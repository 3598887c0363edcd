#include "platform/system/Workbook.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Workbook_p.h"

std::unique_ptr<TWorkbookReader> TWorkbookReader::Open(const String& fileName)
{
    const String extension = UpperCase(ExtractFileExt(fileName));
    if (!FileExists(fileName)) throw EWorkbookError("Cannot open file \"" + fileName + "\". No such file");
    if (extension == ".XLSX" || extension == ".XLSM") return OpenXlsxWorkbook(fileName);
    if (extension == ".XLS") return OpenXlsWorkbook(fileName);
    throw EWorkbookError("Not a workbook file: " + fileName);
}
