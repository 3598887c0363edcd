#include "platform/classes/ObjectText.h"

void ObjectBinaryToText(TStream&, TStream&) { throw EReadError("not yet"); }
void ObjectTextToBinary(TStream&, TStream&) { throw EReadError("not yet"); }
TStreamOriginalFormat TestStreamFormat(TStream&) { return sofUnknown; }
String ComponentToText(TComponent*) { return {}; }
TComponent* TextToComponent(const String&, TComponent*) { return nullptr; }
