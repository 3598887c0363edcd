#pragma once
// Files written whole or not at all: the bytes go to a temporary file beside the target, which
// replaces the target only once everything is written. A failed write leaves an existing file as
// it was and no temporary file behind.
#include <functional>

#include "platform/rtl/Types.h"

class TStream;

void WriteFileReplacing(const String& fileName, const std::function<void(TStream& stream)>& write);
