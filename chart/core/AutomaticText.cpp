#include "chart/core/AutomaticText.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TAutomaticText)
{
    Prop("Hide", &TAutomaticText::Hide, &TAutomaticText::SetHide, true);
    Prop("Move", &TAutomaticText::Move, &TAutomaticText::SetMove, true);
    Prop("Resize", &TAutomaticText::Resize, &TAutomaticText::SetResize, true);
    Prop("Rotate", &TAutomaticText::Rotate, &TAutomaticText::SetRotate, true);
    Prop("Trim", &TAutomaticText::Trim, &TAutomaticText::SetTrim, true);
    Prop("Wrap", &TAutomaticText::Wrap, &TAutomaticText::SetWrap, true);
}

void TAutomaticText::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TAutomaticText*>(source);
    if (!s) return inherited::Assign(source);
    hide_ = s->hide_;
    move_ = s->move_;
    resize_ = s->resize_;
    rotate_ = s->rotate_;
    trim_ = s->trim_;
    wrap_ = s->wrap_;
}
