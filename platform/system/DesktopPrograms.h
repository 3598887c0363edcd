#pragma once
// What the desktop knows about file types.
#include "platform/rtl/Types.h"

// Whether the desktop has a program that opens files with this extension (".csv" or "csv"): the
// extension must name a known file type, and xdg-mime must name a default program for that type.
// False without xdg-mime on the search path.
bool DesktopHasProgramFor(const String& extension);
