#pragma once
// The engine's modal error box: the whole text, an empty caption, the error icon, no owner window.
#include "platform/rtl/Types.h"

void ShowErrorBox(const String& text);
