#pragma once
// The process side of the antialiased object layer: start-up and shut-down once per process, the
// availability probe, the cached generic objects, and status texts. The layer is built in, so
// nothing is loaded at run time; a test switch makes it behave as if its library were missing.
#include "platform/graphics/GPTypes.h"
#include "platform/rtl/Types.h"

class TGPFontFamily;
class TGPStringFormat;

// Starts the layer once per process; later calls do nothing. With the library missing it does
// not start, and every object of the layer answers GdiplusNotInitialized.
void StartGdiPlus();
// Frees the cached generic objects and, when started, shuts the layer down. Runs at process exit
// too.
void ShutdownGdiPlus();
bool GdiPlusStarted();
// True when a solid brush can be made (it is not when the library is missing).
bool GdiPlusAvailable();

// Made on first use, freed at shut-down; null when the library is missing.
TGPFontFamily* GenericSansSerifFamily();
TGPStringFormat* GenericTypographicFormat();

// "Ok" .. "Property Not Supported" for 0..20, "Unknown Status" for any other number.
String GdiPlusStatusText(int status);
// Nothing for status 0; otherwise raises Exception "GDI+ Error: <status as a signed byte> <text>".
void RaiseGdiPlusStatus(int status);

namespace tvgdiplus {

// The missing-library switch (tests of the fallback to the aliased canvas). Takes effect at the
// next start-up; a running layer keeps running until it is shut down.
void SetLibraryMissing(bool missing);
bool LibraryMissing();

// How often the layer was really started and shut down in this process.
struct EngineCalls {
    int Startups = 0;
    int Shutdowns = 0;
};
EngineCalls GetEngineCalls();

}  // namespace tvgdiplus
