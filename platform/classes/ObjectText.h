#pragma once
// The text form of component streams ("object Name: TClass ... end") and the conversions.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

// A syntax error in the text form: "<what> on line <n>".
class EParserError : public EReadError {
public:
    using EReadError::EReadError;
};

class TComponent;

// From the current position of input to the end of output. Errors: EReadError/EParserError;
// EWriteError for an infinity or NaN, which the text form can not hold.
// The text uses CR LF line ends; both line ends are accepted when reading.
void ObjectBinaryToText(TStream& input, TStream& output);
void ObjectTextToBinary(TStream& input, TStream& output);

enum TStreamOriginalFormat { sofUnknown, sofBinary, sofText };
// Looks at the next bytes without moving: "TPF0" binary, "object"/"inherited"/"inline" text.
TStreamOriginalFormat TestStreamFormat(TStream& stream);

// Whole-component convenience: the text form of a component, and reading one back.
String ComponentToText(TComponent* component);
TComponent* TextToComponent(const String& text, TComponent* instance);
