#pragma once
// Writing a file so that a failure leaves the file that was there: the bytes go to a temporary
// file beside it, which replaces the target only once everything was written.
#include <functional>

#include "platform/rtl/Types.h"

class TStream;

// Calls write with a stream on the temporary file, then renames it to fileName. When write or the
// rename raises, the temporary file is deleted and the error passes on; a failure to create the
// temporary file is reported under fileName.
void WriteFileReplacing(const String& fileName, const std::function<void(TStream& stream)>& write);
