#include "platform/forms/SizeConstraints.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TSizeConstraints)
{
    Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0);
    Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0);
    Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0);
    Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);
}

void TSizeConstraints::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSizeConstraints*>(source)) {
        maxHeight_ = s->maxHeight_;
        maxWidth_ = s->maxWidth_;
        minHeight_ = s->minHeight_;
        minWidth_ = s->minWidth_;
        changed();
        return;
    }
    TPersistent::Assign(source);
}

void TSizeConstraints::SetMaxHeight(int value)
{
    if (!AssignIfChanged(maxHeight_, value)) return;
    if (value > 0 && value < minHeight_) minHeight_ = value;
    changed();
}

void TSizeConstraints::SetMaxWidth(int value)
{
    if (!AssignIfChanged(maxWidth_, value)) return;
    if (value > 0 && value < minWidth_) minWidth_ = value;
    changed();
}

void TSizeConstraints::SetMinHeight(int value)
{
    if (!AssignIfChanged(minHeight_, value)) return;
    if (maxHeight_ > 0 && value > maxHeight_) maxHeight_ = value;
    changed();
}

void TSizeConstraints::SetMinWidth(int value)
{
    if (!AssignIfChanged(minWidth_, value)) return;
    if (maxWidth_ > 0 && value > maxWidth_) maxWidth_ = value;
    changed();
}

void TSizeConstraints::changed()
{
    if (onChange_) onChange_(this);
}
