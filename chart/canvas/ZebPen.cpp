#include "chart/canvas/ZebPen.h"

#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/ZebBrush.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebPen)
{
    Prop("Width", &TZebPen::Width, &TZebPen::SetWidth).NoDefault().Stored(&TZebPen::IsWidthStored);
    PropEnum("EndStyle", &TZebPen::EndStyle, &TZebPen::SetEndStyle, esRound, TPenEndStyleNames)
        .NoDefault()
        .Stored(&TZebPen::IsEndStyleStored);
    PropEnum("JoinStyle", &TZebPen::JoinStyle, &TZebPen::SetJoinStyle, jsRound, TPenJoinStyleNames)
        .NoDefault()
        .Stored(&TZebPen::IsJoinStyleStored);
    Prop("SmallDots", &TZebPen::SmallDots, &TZebPen::SetSmallDots, false);
    Prop("SmallSpace", &TZebPen::SmallSpace, &TZebPen::SetSmallSpace, 0);
    Prop("Visible", &TZebPen::Visible, &TZebPen::SetVisible).NoDefault().Stored(&TZebPen::IsVisibleStored);
    Prop("Fill", &TZebPen::Fill, &TZebPen::SetFill);
}

TV_PUBLISHED(TZebHiddenPen) {}

TV_PUBLISHED(TDarkGrayPen) { PropColor("Color", &TDarkGrayPen::Color, &TDarkGrayPen::SetColor, clGray); }

TV_PUBLISHED(TWhitePen) { PropColor("Color", &TWhitePen::Color, &TWhitePen::SetColor, clWhite); }

TZebPen::TZebPen(TNotifyEvent onChange) { SetOnChange(std::move(onChange)); }

TZebPen::~TZebPen() { TObject::Free(fill_); }

void TZebPen::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TZebPen*>(source)) return AssignZebPen(*p);
    inherited::Assign(source);
}

void TZebPen::AssignZebPen(const TZebPen& source)
{
    const TZebPen* p = &source;
    bool changed = false;
    {
        TChangeEventDetach quiet(*this);
        changed |= AssignIfChanged(visible_, p->visible_);
        changed |= AssignIfChanged(smallDots_, p->smallDots_);
        changed |= AssignIfChanged(smallSpace_, p->smallSpace_);
        changed |= AssignIfChanged(endStyle_, p->endStyle_);
        changed |= AssignIfChanged(joinStyle_, p->joinStyle_);
        if (p->fill_) {
            Fill()->Assign(p->fill_);
            changed = true;
        } else if (fill_) {
            TObject::Free(fill_);
            fill_ = nullptr;
            changed = true;
        }
        const bool baseChanged = Color() != p->Color() || Width() != p->Width() || Style() != p->Style() ||
                                 Mode() != p->Mode();
        AssignPen(*p);
        changed |= baseChanged;
    }
    if (changed) Changed();
}

void TZebPen::SetEndStyle(TPenEndStyle value)
{
    if (AssignIfChanged(endStyle_, value)) Changed();
}

void TZebPen::SetJoinStyle(TPenJoinStyle value)
{
    if (AssignIfChanged(joinStyle_, value)) Changed();
}

void TZebPen::SetSmallDots(bool value)
{
    if (AssignIfChanged(smallDots_, value)) Changed();
}

void TZebPen::SetSmallSpace(int value)
{
    if (AssignIfChanged(smallSpace_, value)) Changed();
}

void TZebPen::SetVisible(bool value)
{
    if (AssignIfChanged(visible_, value)) Changed();
}

TZebBrush* TZebPen::Fill()
{
    if (!fill_) fill_ = new TZebBrush(OnChange());
    return fill_;
}

void TZebPen::SetFill(TZebBrush* value)
{
    if (!value) {
        if (!fill_) return;
        TObject::Free(fill_);
        fill_ = nullptr;
        Changed();
        return;
    }
    Fill()->Assign(value);
}

bool TZebPen::HasGradientFill() const { return fill_ && fill_->HasVisibleGradient(); }

void TZebPen::InitEndStyle(TPenEndStyle value)
{
    SetEndStyle(value);
    defaultEndStyle_ = value;
}

void TZebPen::InitVisible(bool value)
{
    SetVisible(value);
    defaultVisible_ = value;
}

void TZebPen::InitWidth(int value)
{
    SetWidth(value);
    defaultWidth_ = value;
}

int TZebPen::HalfWidth() const { return visible_ && Width() >= 2 ? Width() / 2 : 0; }

TZebHiddenPen::TZebHiddenPen(TNotifyEvent onChange) : TZebPen(std::move(onChange))
{
    TChangeEventDetach quiet(*this);
    InitVisible(false);
}

TDarkGrayPen::TDarkGrayPen(TNotifyEvent onChange) : TZebPen(std::move(onChange))
{
    TChangeEventDetach quiet(*this);
    SetColor(clGray);
}

TWhitePen::TWhitePen(TNotifyEvent onChange) : TZebPen(std::move(onChange))
{
    TChangeEventDetach quiet(*this);
    SetColor(clWhite);
}
