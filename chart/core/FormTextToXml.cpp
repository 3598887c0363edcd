#include "chart/core/FormTextToXml.h"

#include "platform/rtl/Streams.h"

String XmlEncodingName() { return "ISO-8859-1"; }

String XmlHeader(const String& encoding)
{
    String header = "<?xml version=\"1.0\"";
    if (!encoding.empty()) header += " encoding=\"" + encoding + "\"";
    return header + "?>";
}

void ConvertFormTextToXml(TStream& stream, bool header)
{
    (void)stream;
    (void)header;
}

String TStringsStack::Pop()
{
    if (Count() == 0) return {};
    String last = Strings(Count() - 1);
    Delete(Count() - 1);
    return last;
}
