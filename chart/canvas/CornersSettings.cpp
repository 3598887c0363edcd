#include "chart/canvas/Corners.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebCorner)
{
    PropEnum("Style", &TZebCorner::Style, &TZebCorner::SetStyle, cosRound, TZebCornerStyleNames);
}

TV_PUBLISHED(TZebCorners)
{
    Prop("LeftBottom", &TZebCorners::LeftBottom, &TZebCorners::SetLeftBottom);
    Prop("LeftTop", &TZebCorners::LeftTop, &TZebCorners::SetLeftTop);
    Prop("RightBottom", &TZebCorners::RightBottom, &TZebCorners::SetRightBottom);
    Prop("RightTop", &TZebCorners::RightTop, &TZebCorners::SetRightTop);
}

void TZebCorner::Assign(TPersistent* source)
{
    auto* c = dynamic_cast<TZebCorner*>(source);
    if (!c) return inherited::Assign(source);
    SetStyle(c->style_);
}

void TZebCorner::SetStyle(TZebCornerStyle value)
{
    if (AssignIfChanged(style_, value)) Changed();
}

TZebCorners::TZebCorners(TNotifyEvent onChange)
    : TZebPersistent(onChange),
      leftBottom_(new TZebCorner(onChange)),
      leftTop_(new TZebCorner(onChange)),
      rightBottom_(new TZebCorner(onChange)),
      rightTop_(new TZebCorner(onChange))
{
}

TZebCorners::~TZebCorners()
{
    TObject::Free(leftBottom_);
    TObject::Free(leftTop_);
    TObject::Free(rightBottom_);
    TObject::Free(rightTop_);
}

void TZebCorners::Assign(TPersistent* source)
{
    auto* c = dynamic_cast<TZebCorners*>(source);
    if (!c) return inherited::Assign(source);
    leftBottom_->Assign(c->leftBottom_);
    leftTop_->Assign(c->leftTop_);
    rightBottom_->Assign(c->rightBottom_);
    rightTop_->Assign(c->rightTop_);
}
