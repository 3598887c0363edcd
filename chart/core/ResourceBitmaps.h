#pragma once
// Pictures of the engine's galleries and editors, taken by name from the program's resources.
#include "platform/rtl/Types.h"

class TBitmap;
class TCanvas;
class TObject;

// Loads the resource called name, else the one called fallbackName, into bitmap; true when one
// loaded. A resource that fails to load counts as absent.
bool LoadNamedBitmapResource(TBitmap& bitmap, const String& name, const String& fallbackName = {});
// The same with the object's class name and its parent class's name.
bool LoadClassIcon(const TObject& object, TBitmap& bitmap);
// Draws at (x, y) the resource named after the object's class in capitals, or after its nearest
// ancestor that has one; nothing when none has.
void DrawClassBitmap(TCanvas& canvas, const TObject& object, int x, int y);
