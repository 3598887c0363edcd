#pragma once
// The plain-text form of a control's published settings: one "Path = value" line per stored
// property, nested objects by dotted path ("Font.Color").
#include <vector>

#include "platform/rtl/Types.h"

class TObject;

using TPropertyLines = std::vector<String>;

// Splits at the first "=" into a trimmed name and value; a line without "=" has an empty name.
void SplitNameValue(const String& line, String& name, String& value);

// Appends a line for every stored, writable published property of object (inherited ones first,
// declaration order); paths in `excluded` (any case) are left out.
void SavePropertiesToList(TObject* object, const String& path, TPropertyLines& lines,
                          const std::vector<String>& excluded);

// Assigns every property that has a line (matched by path, any case; the line is consumed).
// Properties without a line keep their values. A value that does not convert raises.
void LoadPropertiesFromList(TObject* object, const String& path, TPropertyLines& lines);

// The first line naming path, removed from lines; false when there is none.
bool ExtractPropertyValue(TPropertyLines& lines, const String& path, String& value);

// Text file helpers: lines ended by CR LF; reading accepts LF or CR LF.
void WritePropertyLines(const String& fileName, const TPropertyLines& lines);
TPropertyLines ReadPropertyLines(const String& fileName);
