// Start-up and shut-down of the antialiased layer, the generic objects and the status texts.
#include "platform/graphics/GPLibrary.h"

#include <iterator>

#include "platform/graphics/GPObjects_p.h"
#include "platform/rtl/Exceptions.h"

namespace {

struct LayerState {
    bool missing = false;  // the test switch
    bool started = false;
    tvgdiplus::EngineCalls calls;
    std::unique_ptr<TGPFontFamily> sansSerif;
    std::unique_ptr<TGPStringFormat> typographic;
};

LayerState& state()
{
    static LayerState s;
    return s;
}

// Shuts the layer down at process exit, after every user of it is gone.
struct Finalization {
    Finalization() { state(); }  // the state outlives this object
    ~Finalization() { ShutdownGdiPlus(); }
} finalization;

const char* const statusTexts[] = {"Ok",
                                   "Generic Error",
                                   "Invalid Parameter",
                                   "Out Of Memory",
                                   "Object Busy",
                                   "Insufficient Buffer",
                                   "Not Implemented",
                                   "Win32 Error",
                                   "Wrong State",
                                   "Aborted",
                                   "File Not Found",
                                   "Value Overflow",
                                   "Access Denied",
                                   "Unknown Image Format",
                                   "Font Family Not Found",
                                   "Font Style Not Found",
                                   "Not TrueType Font",
                                   "Unsupported Gdiplus Version",
                                   "Gdiplus Not Initialized",
                                   "Property Not Found",
                                   "Property Not Supported"};
static_assert(std::size(statusTexts) == PropertyNotSupported + 1);

}  // namespace

bool tvgdiplus::LayerUsable() { return state().started || !state().missing; }

void tvgdiplus::SetLibraryMissing(bool missing) { state().missing = missing; }
bool tvgdiplus::LibraryMissing() { return state().missing; }
tvgdiplus::EngineCalls tvgdiplus::GetEngineCalls() { return state().calls; }

void StartGdiPlus()
{
    LayerState& s = state();
    if (s.started || s.missing) return;
    EnsureGuiApplication();
    s.started = true;
    ++s.calls.Startups;
}

void ShutdownGdiPlus()
{
    LayerState& s = state();
    s.sansSerif.reset();
    s.typographic.reset();
    if (!s.started) return;
    s.started = false;
    ++s.calls.Shutdowns;
}

bool GdiPlusStarted() { return state().started; }

bool GdiPlusAvailable()
{
    if (!tvgdiplus::LayerUsable()) return false;
    TGPSolidBrush probe(0);
    return probe.GetLastStatus() != GdiplusNotInitialized;
}

TGPFontFamily* GenericSansSerifFamily()
{
    LayerState& s = state();
    if (!s.sansSerif && tvgdiplus::LayerUsable()) s.sansSerif = TGPFontFamily::GenericSansSerif();
    return s.sansSerif.get();
}

TGPStringFormat* GenericTypographicFormat()
{
    LayerState& s = state();
    if (!s.typographic && tvgdiplus::LayerUsable()) s.typographic = TGPStringFormat::GenericTypographic();
    return s.typographic.get();
}

String GdiPlusStatusText(int status)
{
    if (status < 0 || status >= static_cast<int>(std::size(statusTexts))) return "Unknown Status";
    return statusTexts[status];
}

void RaiseGdiPlusStatus(int status)
{
    if (status == Ok) return;
    auto shown = static_cast<signed char>(status & 0xFF);
    throw Exception("GDI+ Error: " + std::to_string(int(shown)) + " " + GdiPlusStatusText(status));
}
