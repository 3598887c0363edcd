#pragma once
// Locale helpers behind TFormatSettings, open to the tests.
#include "platform/rtl/Types.h"

namespace rtl_detail {

// A strftime date or time picture (the C library's D_FMT / T_FMT) as a FormatDateTime picture: its
// separator ('/', '.', '-' or ':') becomes placeholder ('/' for dates, ':' for times) and is stored in
// separator; other text is quoted.
String StrftimeToPicture(const char* fmt, char placeholder, char& separator);

}  // namespace rtl_detail
