#pragma once
// The way back from a chart's XML form to its component text, for tests that show the XML keeps
// every value: objects (the root, and elements with a Name), path elements that group dotted
// property names, lists of String items, collections of items, and values as the text form wrote
// them. Raises std::runtime_error for XML that is not well-formed.
#include <string>

std::string XmlFormToText(const std::string& xml);
