#include "platform/classes/Persistent.h"

#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TPersistent) {}

void TPersistent::Assign(TPersistent* source)
{
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignTo(this);  // raises with "nil" as the source
}

void TPersistent::AssignTo(TPersistent* dest)
{
    // Called on the source; a null source arrives as dest->AssignTo(dest) from Assign(nullptr).
    const bool nilSource = dest == this;
    const String sourceName = nilSource ? String("nil") : ClassName();
    throw EConvertError("Cannot assign a " + sourceName + " to a " + dest->ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}

String TPersistent::GetNamePath() const
{
    String result = ClassName();
    if (TPersistent* owner = GetOwner()) {
        String ownerPath = owner->GetNamePath();
        if (!ownerPath.empty()) result = ownerPath + "." + result;
    }
    return result;
}
