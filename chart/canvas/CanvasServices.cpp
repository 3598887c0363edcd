#include "chart/canvas/CanvasServices.h"

#include <algorithm>
#include <memory>

#include "chart/canvas/ZebCanvas3D.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Fonts.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StringList.h"
#include "platform/system/Libraries.h"

namespace {
std::unique_ptr<TCanvasClassList> classList;
String defaultFontName = "Arial";
int defaultFontSize = 8;
TFontListHook fontListHook;
}  // namespace

const char* const JapaneseGothicFaceName =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";

TCanvasClassList* CanvasClassList() { return classList.get(); }

void RegisterCanvasClass(const TMetaClass& cls)
{
    if (!classList) return;
    if (std::find(classList->begin(), classList->end(), &cls) == classList->end()) classList->push_back(&cls);
}

void UnregisterCanvasClass(const TMetaClass& cls)
{
    if (!classList) return;
    classList->erase(std::remove(classList->begin(), classList->end(), &cls), classList->end());
}

const String& ZebDefaultFontName() { return defaultFontName; }
int ZebDefaultFontSize() { return defaultFontSize; }

void InitDefaultFont(const String& name, int size, const String& language)
{
    defaultFontName = name;
    defaultFontSize = size;
    if (language == "ja") {
        if (defaultFontSize == 8) defaultFontSize = 9;
        if (defaultFontName == "Arial") defaultFontName = JapaneseGothicFaceName;
    }
}

TLibraryHandle LoadLibraryQuiet(const String& fileName) { return SafeLoadLibrary(fileName); }

void ReleaseLibrary(TLibraryHandle handle)
{
    if (handle) FreeLibrary(handle);
}

bool LoadGdiLibrary() { return true; }
bool LoadAlphaBlend() { return true; }
bool HasDCColorFunctions() { return true; }

const TFontListHook& FontListHook() { return fontListHook; }

void AddDigitFontNames(TStrings& list)
{
    list.Add("Elektra");
    list.Add("DS-Digital");
}

void AddCustomFonts()
{
    RegisterProgramFonts();
    fontListHook = AddDigitFontNames;
}

void RemoveCustomFonts() { fontListHook = nullptr; }

// The history lives on the device: a canvas drawing on another device (a temporary bitmap, a
// legend symbol) neither pops nor selects the regions saved for this one, and a freed device
// takes its regions with it.
void PushClipRegion(HDC dc, const TRegion& region, int mode)
{
    TRegion current;
    if (dc->GetClipRgn(current)) dc->SavedClips().push_back(std::move(current));
    dc->ExtSelectClipRgn(&region, mode);
}

void PopClipRegion(HDC dc)
{
    std::vector<TRegion>& saved = dc->SavedClips();
    if (saved.empty()) {
        dc->SelectClipRgn(nullptr);
        return;
    }
    dc->SelectClipRgn(&saved.back());
    saved.pop_back();
}

void ClearClipHistory(HDC dc) { dc->SavedClips().clear(); }

int ClipHistoryDepth(HDC dc) { return static_cast<int>(dc->SavedClips().size()); }

void DrawCheckOrRadio(int x, int y, TCanvas& canvas, bool checked, int unused, bool checkBox)
{
    (void)unused;
    HDC dc = canvas.Handle();
    dc->SetTextAlign(0);
    unsigned state = checkBox ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO;
    if (checked) state |= DFCS_CHECKED;
    dc->DrawFrameControl({x, y, x + 13, y + 13}, DFC_BUTTON, state);
}

void ActivateControlClassGroup()
{
    StartClassGroup(TControl::StaticClass());
    ActivateClassGroup(TControl::StaticClass());
}

const TMetaClass* FindControlGroupClass(const String& className)
{
    ActivateControlClassGroup();
    return GetClass(className);
}

void EmptyHandler(TObject* sender) { (void)sender; }

void StartCanvasUnit(const String& defaultFontName, int defaultFontSize)
{
    InitDefaultFont(defaultFontName, defaultFontSize, SystemLanguage());
    AddCustomFonts();
    classList = std::make_unique<TCanvasClassList>();
    RegisterCanvasClass(TZebCanvas3D::StaticClass());
}

void StopCanvasUnit()
{
    RemoveCustomFonts();
    classList.reset();
    defaultFontName.clear();
}
