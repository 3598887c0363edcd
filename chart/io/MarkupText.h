#pragma once
// Texts made safe for the markup and JSON exports (markup text itself: EscapeXmlText).
#include "platform/rtl/Types.h"

// A name usable as an XML attribute name: ASCII letters, digits, '_', '-' and '.', others '_';
// '_' in front of one that starts with neither a letter nor '_'.
String MarkupName(const String& name);
// The inside of a JSON string: quotes, backslashes and control characters escaped.
String EscapeJsonString(const String& text);
