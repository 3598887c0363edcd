#include "chart/canvas/FloatPoints.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TPointBlock) {}

TV_PUBLISHED(TPointXYFloat)
{
    Prop("X", &TPointXYFloat::X, &TPointXYFloat::SetX).Stored(&TPointXYFloat::IsXStored);
    Prop("Y", &TPointXYFloat::Y, &TPointXYFloat::SetY).Stored(&TPointXYFloat::IsYStored);
    Prop("XZero", &TPointXYFloat::XZero, &TPointXYFloat::SetXZero, false);
    Prop("YZero", &TPointXYFloat::YZero, &TPointXYFloat::SetYZero, false);
}

TV_PUBLISHED(TFloatXY)
{
    Prop("X", &TFloatXY::X, &TFloatXY::SetX).Stored(&TFloatXY::IsXStored);
    Prop("Y", &TFloatXY::Y, &TFloatXY::SetY).Stored(&TFloatXY::IsYStored);
}

TV_PUBLISHED(TFloatXYZ) { Prop("Z", &TFloatXYZ::Z, &TFloatXYZ::SetZ).Stored(&TFloatXYZ::IsZStored); }

TPointXYFloat::TPointXYFloat(TPersistent* owner, TNotifyEvent onChange, float defaultValue)
    : TPointBlock(owner, std::move(onChange)), x_(defaultValue), y_(defaultValue), default_(defaultValue)
{
}

void TPointXYFloat::Assign(TPersistent* source)
{
    auto* p = dynamic_cast<TPointXYFloat*>(source);
    if (!p) return inherited::Assign(source);
    SetX(p->x_);
    SetY(p->y_);
}

void TPointXYFloat::SetX(float value)
{
    if (AssignIfChanged(x_, value)) Changed();
}

void TPointXYFloat::SetY(float value)
{
    if (AssignIfChanged(y_, value)) Changed();
}

void TPointXYFloat::SetXZero(bool value)
{
    if (value) SetX(0);
}

void TPointXYFloat::SetYZero(bool value)
{
    if (value) SetY(0);
}

TFloatXY::TFloatXY(TNotifyEvent onChange, float defaultX, float defaultY)
    : TZebPersistent(std::move(onChange)), x_(defaultX), y_(defaultY), defaultX_(defaultX), defaultY_(defaultY)
{
}

void TFloatXY::Assign(TPersistent* source)
{
    auto* p = dynamic_cast<TFloatXY*>(source);
    if (!p) return inherited::Assign(source);
    SetX(p->x_);
    SetY(p->y_);
}

void TFloatXY::SetX(float value)
{
    if (AssignIfChanged(x_, value)) Changed();
}

void TFloatXY::SetY(float value)
{
    if (AssignIfChanged(y_, value)) Changed();
}

TFloatXYZ::TFloatXYZ(TNotifyEvent onChange, float defaultX, float defaultY, float defaultZ)
    : TFloatXY(std::move(onChange), defaultX, defaultY), z_(defaultZ), defaultZ_(defaultZ)
{
}

void TFloatXYZ::Assign(TPersistent* source)
{
    inherited::Assign(source);
    if (auto* p = dynamic_cast<TFloatXYZ*>(source)) SetZ(p->z_);
}

void TFloatXYZ::SetZ(float value)
{
    if (AssignIfChanged(z_, value)) Changed();
}
