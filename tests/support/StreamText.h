#pragma once
// Component streams as byte strings, converted between the binary and the text form.
#include "platform/classes/ObjectText.h"
#include "platform/rtl/Streams.h"

namespace testsupport {

inline String toText(const String& binary)
{
    TStringStream in(binary), out;
    ObjectBinaryToText(in, out);
    return out.DataString();
}

inline String toBinary(const String& text)
{
    TStringStream in(text), out;
    ObjectTextToBinary(in, out);
    return out.DataString();
}

}  // namespace testsupport
