#pragma once
// Pictures of the engine's galleries and editors, taken by name from the program's resources.
#include "platform/rtl/Types.h"

class TBitmap;
class TObject;

// Loads the resource called name, else the one called fallbackName, into bitmap; true when one
// loaded. A resource that fails to load counts as absent.
bool LoadNamedBitmapResource(TBitmap& bitmap, const String& name, const String& fallbackName = {});
// The same with the object's class name and its parent class's name.
bool LoadClassIcon(const TObject& object, TBitmap& bitmap);
