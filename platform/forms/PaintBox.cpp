#include "platform/forms/PaintBox.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TPaintBox)
{
    Prop("OnPaint", &TPaintBox::OnPaint, &TPaintBox::SetOnPaint);
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TPaintBox::Paint()
{
    if (onPaint_) onPaint_(this);
}

void RegisterPaintBoxes() { RegisterClass(TPaintBox::StaticClass()); }
