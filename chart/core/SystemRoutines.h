#pragma once
// The engine's few calls to the desktop and the file system.
#include <memory>

#include "platform/rtl/Types.h"

class TStringList;
class TWinControl;

// The names of the entries matching a path pattern ("dir/*.zeb") that are not folders.
std::unique_ptr<TStringList> ListFilesMatching(const String& pattern);
// Opens the document (file or address) with the desktop's program for it; the desktop's answer
// (greater than 32 on success, as the shell's "open" verb answers).
int OpenWithShell(TWinControl* window, const String& document);
// Replaces the cursor shown everywhere (a TCursor); the one shown before.
int SetScreenCursor(int cursor);
// A monotonic millisecond clock.
double SystemMilliseconds();
