#include "chart/canvas/Shadow.h"

#include <algorithm>
#include <cstdlib>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebShadow)
{
    Prop("Clip", &TZebShadow::Clip, &TZebShadow::SetClip, false);
    PropColor("Color", &TZebShadow::Color, &TZebShadow::SetColor, clSilver)
        .NoDefault()
        .Stored(&TZebShadow::IsColorStored);
    PropEnum("Direction", &TZebShadow::Direction, &TZebShadow::SetDirection, sdRightBottom, TShadowDirectionNames);
    Prop("HorizSize", &TZebShadow::HorizSize, &TZebShadow::SetHorizSize)
        .NoDefault()
        .Stored(&TZebShadow::IsHorizSizeStored);
    Prop("Smooth", &TZebShadow::Smooth, &TZebShadow::SetSmooth, true);
    Prop("SmoothBlur", &TZebShadow::SmoothBlur, &TZebShadow::SetSmoothBlur, 0);
    Prop("Transparency", &TZebShadow::Transparency, &TZebShadow::SetTransparency, 50);
    Prop("VertSize", &TZebShadow::VertSize, &TZebShadow::SetVertSize).NoDefault().Stored(&TZebShadow::IsVertSizeStored);
    Prop("Visible", &TZebShadow::Visible, &TZebShadow::SetVisible).NoDefault().Stored(&TZebShadow::IsVisibleStored);
}

TV_PUBLISHED(TZebEmboss)
{
    PropEnum("Direction", &TZebEmboss::Direction, &TZebEmboss::SetDirection, sdLeftTop, TShadowDirectionNames);
}

TZebShadow::TZebShadow(TNotifyEvent onChange) : TZebPersistent(std::move(onChange)) {}

TZebEmboss::TZebEmboss(TNotifyEvent onChange) : TZebShadow(std::move(onChange))
{
    InitDirection(sdLeftTop);
    const TNotifyEvent keep = OnChange();
    SetOnChange({});
    InitDefaults(false, Color(), 0);
    SetOnChange(keep);
}

void TZebShadow::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZebShadow*>(source);
    if (!s) return inherited::Assign(source);
    color_ = s->color_;
    direction_ = s->direction_;
    horizSize_ = s->horizSize_;
    vertSize_ = s->vertSize_;
    smooth_ = s->smooth_;
    smoothBlur_ = s->smoothBlur_;
    transparency_ = s->transparency_;
    visible_ = s->visible_;
}

void TZebShadow::SetClip(bool value)
{
    if (AssignIfChanged(clip_, value)) Changed();
}

void TZebShadow::SetColor(TColor value)
{
    if (AssignIfChanged(color_, value)) Changed();
}

void TZebShadow::SetDirection(TShadowDirection value)
{
    if (AssignIfChanged(direction_, value)) Changed();
}

void TZebShadow::SetHorizSize(int value)
{
    if (AssignIfChanged(horizSize_, value)) Changed();
}

void TZebShadow::SetVertSize(int value)
{
    if (AssignIfChanged(vertSize_, value)) Changed();
}

void TZebShadow::SetSmooth(bool value)
{
    if (AssignIfChanged(smooth_, value)) Changed();
}

void TZebShadow::SetSmoothBlur(int value)
{
    if (AssignIfChanged(smoothBlur_, value)) Changed();
}

void TZebShadow::SetTransparency(TZebTransparency value)
{
    if (AssignIfChanged(transparency_, value)) Changed();
}

void TZebShadow::SetVisible(bool value)
{
    if (AssignIfChanged(visible_, value)) Changed();
}

void TZebShadow::InitDefaults(bool visible, TColor color, int size)
{
    const bool changed = visible_ != visible || color_ != color || horizSize_ != size || vertSize_ != size;
    visible_ = defaultVisible_ = visible;
    color_ = defaultColor_ = color;
    horizSize_ = vertSize_ = defaultSize_ = size;
    if (changed) Changed();
}

void TZebShadow::SetSize(int value)
{
    // Both sizes take the value; one notice for the pair.
    const bool horizChanged = AssignIfChanged(horizSize_, value);
    if (AssignIfChanged(vertSize_, value) || horizChanged) Changed();
}

int TZebShadow::LargestSize() const { return std::max(std::abs(horizSize_), std::abs(vertSize_)); }

TRect TZebShadow::ShadowRect(const TRect& r) const
{
    const int h = horizSize_, v = vertSize_;
    switch (direction_) {
    case sdLeftTop: return {r.Left - h, r.Top - v, r.Right - h, r.Bottom - v};
    case sdLeftBottom: return {r.Left - h, r.Top + v, r.Right - h, r.Bottom + v};
    case sdRightTop: return {r.Left + h, r.Top - v, r.Right + h, r.Bottom - v};
    case sdRightBottom: return {r.Left + h, r.Top + v, r.Right + h, r.Bottom + v};
    case sdCenter: {
        const int ah = std::abs(h), av = std::abs(v);
        return {r.Left - ah, r.Top - av, r.Right + ah, r.Bottom + av};
    }
    }
    return r;
}
