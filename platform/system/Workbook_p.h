#pragma once
// The readers of each file form.
#include "platform/system/Workbook.h"

std::unique_ptr<TWorkbookReader> OpenXlsxWorkbook(const String& fileName);
std::unique_ptr<TWorkbookReader> OpenXlsWorkbook(const String& fileName);
// A file's bytes (name for the messages).
std::unique_ptr<TWorkbookReader> ReadXlsxWorkbook(const String& name, const std::string& bytes);
std::unique_ptr<TWorkbookReader> ReadXlsWorkbook(const String& name, const std::string& bytes);
