#pragma once
// Process-wide services of the chart canvas: the canvas class list, the default chart font, the
// digit fonts, run-time libraries, the clip history and the unit's start-up and shut-down.
#include <functional>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/Types.h"

class TCanvas;
class TObject;
class TStrings;

// ---- canvas classes ----
// The canvas classes a chart can draw with, in registration order (the GDI canvas first).
// nullptr outside StartCanvasUnit .. StopCanvasUnit.
using TCanvasClassList = std::vector<const TMetaClass*>;
TCanvasClassList* CanvasClassList();
// Appends a class not listed yet; ignored while the list does not exist.
void RegisterCanvasClass(const TMetaClass& cls);
void UnregisterCanvasClass(const TMetaClass& cls);

// The platform draws extended pens (caps, joins, user styles) and alternate dots.
inline bool IsWindowsNT() { return true; }

// ---- default font ----
// The proportional Gothic face a Japanese desktop uses; the graphics layer maps it to an installed
// Japanese family.
extern const char* const JapaneseGothicFaceName;
const String& ZebDefaultFontName();
int ZebDefaultFontSize();
// name and size come from the engine's texts; in a Japanese locale ("ja") size 8 becomes 9 and the
// name "Arial" the Japanese Gothic face.
void InitDefaultFont(const String& name, int size, const String& language);

// ---- libraries and optional entry points ----
using TLibraryHandle = void*;
TLibraryHandle LoadLibraryQuiet(const String& fileName);  // nullptr when it cannot be loaded
void ReleaseLibrary(TLibraryHandle handle);
// The device context draws with a DC brush colour and blends with constant alpha: always present.
bool LoadGdiLibrary();
bool LoadAlphaBlend();
bool HasDCColorFunctions();

// ---- digit fonts ----
// "Elektra" (LCD digits) and "DS-Digital" (LED digits) are program fonts of the graphics layer.
using TFontListHook = std::function<void(TStrings& list)>;
const TFontListHook& FontListHook();  // empty while the fonts are not available
void AddCustomFonts();
void RemoveCustomFonts();
void AddDigitFontNames(TStrings& list);

// ---- clip history (nested clips of every canvas, kept by the device and freed with it) ----
// Saves the device's clip (when it has one) and combines it with region by mode (RGN_AND ...).
void PushClipRegion(HDC dc, const TRegion& region, int mode);
// Back to the clip saved last; no clip at all when nothing is saved.
void PopClipRegion(HDC dc);
void ClearClipHistory(HDC dc);
int ClipHistoryDepth(HDC dc);

// A 13 x 13 check box (or radio button) of the platform at x, y; the integer is not read.
void DrawCheckOrRadio(int x, int y, TCanvas& canvas, bool checked, int unused, bool checkBox);

// ---- classes by name ----
void ActivateControlClassGroup();
// The registered class of that name after activating the control class group; nullptr when none.
const TMetaClass* FindControlGroupClass(const String& className);

// An event handler that does nothing.
void EmptyHandler(TObject* sender);

// ---- start-up and shut-down of the unit ----
// Default font from the engine's texts, digit fonts, a canvas class list holding the GDI canvas.
void StartCanvasUnit(const String& defaultFontName, int defaultFontSize);
void StopCanvasUnit();
