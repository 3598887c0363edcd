#pragma once
// Shared libraries loaded by name at run time.
#include "platform/rtl/Types.h"

using HMODULE = void*;

// The library, or nullptr when it cannot be loaded (never reports an error itself).
HMODULE SafeLoadLibrary(const String& fileName);
// false for a null handle or when the library cannot be released.
bool FreeLibrary(HMODULE module);
// The address of an exported symbol; nullptr when the library does not export it.
void* GetProcAddress(HMODULE module, const String& name);
