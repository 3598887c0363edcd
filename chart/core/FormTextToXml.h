#pragma once
// Charts saved as XML: the component text of a chart rewritten as XML elements.
#include "platform/rtl/StringList.h"

class TStream;

// The encoding the XML is written in: "shift_jis" in a Japanese locale, else "ISO-8859-1".
String XmlEncodingName();
// <?xml version="1.0" encoding="..."?> (without the encoding attribute for an empty name).
String XmlHeader(const String& encoding);
// Text for an XML attribute or element: markup characters as entities, tab and line ends as
// character references (attribute values keep them), other control characters as U+FFFD.
String EscapeXmlText(const String& text);
// Converts the component text held in the stream to XML and writes it over the stream from its
// start (the stream is cut to the XML's length), with the XML declaration when header is set.
// Values are escaped; the text is encoded in XmlEncodingName(), characters it lacks written as
// character references.
void ConvertFormTextToXml(TStream& stream, bool header);

// A stack of element names: push appends, pop removes and returns the last one ("" when empty).
class TStringsStack : public TStringList {
public:
    void Push(const String& name) { Add(name); }
    String Pop();
};
