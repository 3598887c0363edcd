#pragma once
// Float to text. Decimal ties are rounded away from zero on the decimal digits of the value.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// General format, 15 significant digits.
String FloatToStr(Extended value);
String FloatToStr(Extended value, const TFormatSettings& fs);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs);
// Picture formats: 0 # . , E+ E- e+ e-, "quoted" and 'quoted' text, up to three ';' sections.
String FormatFloat(const String& picture, Extended value);
String FormatFloat(const String& picture, Extended value, const TFormatSettings& fs);
String CurrToStr(Extended value);
