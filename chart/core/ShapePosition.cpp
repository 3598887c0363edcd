#include "chart/core/ShapePosition.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TZebCustomShapePosition) {}

void TZebCustomShapePosition::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TZebCustomShapePosition*>(source)) {
        customPosition_ = s->customPosition_;
        if (customPosition_) MoveBoundsTo(s->Left(), s->Top());
    }
    TCustomTextShape::Assign(source);
}

void TZebCustomShapePosition::SetCustomPosition(bool value)
{
    if (ParentPanel())
        ParentPanel()->ChangeBoolean(customPosition_, value);
    else
        customPosition_ = value;
}

void TZebCustomShapePosition::SetPositionLeft(int value)
{
    customPosition_ = true;
    if (value != Left()) MoveBoundsTo(value, Top());
}

void TZebCustomShapePosition::SetPositionTop(int value)
{
    customPosition_ = true;
    if (value != Top()) MoveBoundsTo(Left(), value);
}
