#pragma once
// Small text routines of the engine: number texts between the invariant and the locale's
// separators, character substitution, fields, file names and addresses, and the text translation
// hook.
#include <functional>

#include "platform/rtl/Types.h"

// ',' to the locale's thousand separator and '.' to its decimal separator (Delocalize: the
// reverse); unchanged when the two locale separators are equal.
String LocalizeNumberText(const String& text);
String DelocalizeNumberText(const String& text);

// Every occurrence of ch replaced by replacement, or removed when replacement is '\0'. A
// replacement equal to ch returns the text unchanged.
String SubstituteChar(const String& text, char ch, char replacement);

// The separator of FieldCount and PickField: ";" after start-up.
extern String FieldSeparator;
// 0 for an empty text, else 1 + the separators, a separator at the very end adding none.
int FieldCount(const String& text);
// The n-th field (1-based); empty when the text is empty, n < 1 or there are fewer fields.
String PickField(const String& text, int n);
// The same with another separator for the call (FieldSeparator is restored, also on failure).
// GUI thread only: they change the global separator meanwhile.
int FieldCountWith(const String& text, const String& separator);
String PickFieldWith(const String& text, const String& separator, int n);

// The file name without its extension (the folder part kept).
String StripFileExtension(const String& fileName);
// The trimmed, upper-cased text contains "HTTP://" or "FTP://".
bool HasUrlPrefix(const String& text);
String IntegerToText(int value);
// 1-based position of sub in text, 0 when absent.
int FindSubText(const String& sub, const String& text);

// Translation of texts shown by forms: LocalizeText returns the hook's answer when one is
// installed, else the text.
using TTextTranslationHook = std::function<String(const String& text)>;
extern TTextTranslationHook TextTranslationHook;
String LocalizeText(const String& text);
