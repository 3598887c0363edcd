#pragma once
// Text to number conversions. Blanks around the number are allowed; floats use the decimal separator
// of the settings and accept neither "inf"/"nan" nor hex. Failures raise EConvertError
// "'%s' is not a valid integer value" / "'%s' is not a valid floating point value".
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

// Integers: optional sign, decimal digits or hex after '$' / "0x"; range-checked.
int StrToInt(const String& s);
int StrToIntDef(const String& s, int def);
bool TryStrToInt(const String& s, int& value);
Int64 StrToInt64(const String& s);
Int64 StrToInt64Def(const String& s, Int64 def);
bool TryStrToInt64(const String& s, Int64& value);

Extended StrToFloat(const String& s);
Extended StrToFloat(const String& s, const TFormatSettings& fs);
Extended StrToFloatDef(const String& s, Extended def);
Extended StrToFloatDef(const String& s, Extended def, const TFormatSettings& fs);
bool TryStrToFloat(const String& s, Extended& value);
bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs);
// Rounded once, straight to double.
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs);

bool StrToBool(const String& s);  // "True"/"False" (any case) or a number; else EConvertError
bool StrToBoolDef(const String& s, bool def);
String BoolToStr(bool value, bool useBoolStrs = false);  // "-1"/"0", or "True"/"False"
