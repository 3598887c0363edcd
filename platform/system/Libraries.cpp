#include "platform/system/Libraries.h"

#include <dlfcn.h>

HMODULE SafeLoadLibrary(const String& fileName)
{
    if (fileName.empty()) return nullptr;
    return dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
}

bool FreeLibrary(HMODULE module) { return module && dlclose(module) == 0; }

void* GetProcAddress(HMODULE module, const String& name)
{
    if (!module) return nullptr;
    return dlsym(module, name.c_str());
}
