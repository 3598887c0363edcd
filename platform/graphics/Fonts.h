#pragma once
// Font names: the program's own digit fonts and the usual desktop names, mapped to installed
// families so that the same name always gives the same font.
#include <vector>

#include "platform/rtl/Types.h"

// Registers the embedded digit fonts ("Elektra": LCD digits, "DS-Digital": LED digits). Runs once;
// drawing calls it on first use, the application may call it at start-up.
void RegisterProgramFonts();
// The family a name is drawn with: "Elektra" -> the DSEG7 Classic family, "DS-Digital" -> DSEG7
// Modern, "MS Sans Serif"/"Arial" -> Liberation Sans, "Courier New" -> Liberation Mono,
// "Times New Roman" -> Liberation Serif; an installed family as is; the Japanese Gothic faces
// ("MS PGothic" in either spelling) -> the first installed Japanese family; anything else -> DejaVu Sans.
String ResolveFontFamily(const String& name);
// True when ResolveFontFamily finds the name rather than falling back: a program font, a desktop
// name, an installed family or a Japanese Gothic face with a Japanese family installed.
bool FontNameKnown(const String& name);
// The names the program's font boxes offer (program fonts first, then the installed families).
std::vector<String> ScreenFontNames();
