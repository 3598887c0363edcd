#include "chart/canvas/ZebFont.h"

#include <cmath>

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebFont)
{
    PropColor("Color", &TZebFont::Color, &TZebFont::SetColor, clBlack).NoDefault().Stored(&TZebFont::IsColorStored);
    Prop("Height", &TZebFont::Height, &TZebFont::SetHeight).NoDefault().Stored(&TZebFont::IsHeightStored);
    Prop("Name", &TZebFont::Name, &TZebFont::SetName).NoDefault().Stored(&TZebFont::IsNameStored);
    PropSet("Style", &TZebFont::Style, &TZebFont::SetStyle, TFontStyles{}, TFontStyleNames)
        .NoDefault()
        .Stored(&TZebFont::IsStyleStored);
    Prop("SizeFloat", &TZebFont::SizeFloat, &TZebFont::SetSizeFloat).Stored(&TZebFont::IsSizeFloatStored);
    PropEnum("Quality", &TZebFont::Quality, &TZebFont::SetQuality, TZebFontQuality::fqDefault, TZebFontQualityNames);
    Prop("InterCharSize", &TZebFont::InterCharSize, &TZebFont::SetInterCharSize, 0);
    Prop("OutLine", &TZebFont::OutLine, &TZebFont::SetOutLine).Stored(&TZebFont::HasOutLine);
    Prop("Shadow", &TZebFont::Shadow, &TZebFont::SetShadow).Stored(&TZebFont::HasShadow);
    Prop("Emboss", &TZebFont::Emboss, &TZebFont::SetEmboss).Stored(&TZebFont::HasEmboss);
    Prop("Brush", &TZebFont::Brush, &TZebFont::SetBrush);
    Prop("Gradient", &TZebFont::Gradient, &TZebFont::SetGradient).Stored(false);
    Prop("Picture", &TZebFont::Picture, &TZebFont::SetPicture).Stored(false);
    Prop("Depth", &TZebFont::Depth, &TZebFont::SetDepth).Stored(&TZebFont::IsDepthStored);
    Prop("DefaultFont", &TZebFont::DefaultFont, &TZebFont::SetDefaultFont, false);
}

TZebFont::TZebFont(TNotifyEvent onChange)
{
    brush_ = new TZebBrush();
    brush_->InitColor(clBlack);
    SetColor(clBlack);
    SetCharset(DEFAULT_CHARSET);
    SetSize(ZebDefaultFontSize());
    SetName(ZebDefaultFontName());
    brush_->SetOnChange(onChange);
    SetOnChange(std::move(onChange));
}

TZebFont::~TZebFont()
{
    TObject::Free(outLine_);
    TObject::Free(shadow_);
    TObject::Free(emboss_);
    TObject::Free(brush_);
}

void TZebFont::Assign(TPersistent* source)
{
    auto* f = dynamic_cast<TZebFont*>(source);
    if (!f) return inherited::Assign(source);
    {
        TChangeEventDetach quiet(*this);
        TChangeEventDetach quietBrush(*brush_);
        brush_->Assign(f->brush_);
        defaultFont_ = f->defaultFont_;
        depth_ = f->depth_;
        if (f->emboss_)
            Emboss()->Assign(f->emboss_);
        else {
            TObject::Free(emboss_);
            emboss_ = nullptr;
        }
        interCharSize_ = f->interCharSize_;
        if (f->outLine_)
            OutLine()->Assign(f->outLine_);
        else {
            TObject::Free(outLine_);
            outLine_ = nullptr;
        }
        quality_ = f->quality_;
        if (f->shadow_)
            Shadow()->Assign(f->shadow_);
        else {
            TObject::Free(shadow_);
            shadow_ = nullptr;
        }
        fraction_ = f->fraction_;
        inherited::Assign(f);
    }
    Changed();
}

float TZebFont::SizeFloat() const { return static_cast<float>(Size()) + fraction_; }

void TZebFont::SetSizeFloat(float value)
{
    // The whole points and the fraction are stored apart, with one notice for both.
    if (value == SizeFloat()) return;
    const float whole = std::floor(value);
    {
        TChangeEventDetach quiet(*this);
        SetSize(static_cast<int>(whole));
    }
    fraction_ = value - whole;
    Changed();
}

void TZebFont::SetQuality(TZebFontQuality value)
{
    if (AssignIfChanged(quality_, value)) Changed();
}

void TZebFont::SetInterCharSize(int value)
{
    if (AssignIfChanged(interCharSize_, value)) Changed();
}

void TZebFont::SetDepth(double value)
{
    if (AssignIfChanged(depth_, value)) Changed();
}

void TZebFont::SetDefaultFont(bool value)
{
    if (AssignIfChanged(defaultFont_, value)) Changed();
}

TZebHiddenPen* TZebFont::OutLine()
{
    if (!outLine_) outLine_ = new TZebHiddenPen(OnChange());
    return outLine_;
}

void TZebFont::SetOutLine(TZebHiddenPen* value) { OutLine()->Assign(value); }

TZebShadow* TZebFont::Shadow()
{
    if (!shadow_) shadow_ = new TZebShadow(OnChange());
    return shadow_;
}

void TZebFont::SetShadow(TZebShadow* value)
{
    Shadow()->Assign(value);
    Changed();
}

TZebEmboss* TZebFont::Emboss()
{
    if (!emboss_) emboss_ = new TZebEmboss(OnChange());
    return emboss_;
}

void TZebFont::SetEmboss(TZebEmboss* value)
{
    Emboss()->Assign(value);
    Changed();
}

void TZebFont::SetBrush(TZebBrush* value) { brush_->Assign(value); }

TZebGradient* TZebFont::Gradient() { return brush_->Gradient(); }

void TZebFont::SetGradient(TZebGradient* value) { brush_->SetGradient(value); }

TZebPicture* TZebFont::Picture() { return brush_->Image(); }

void TZebFont::SetPicture(TZebPicture* value) { brush_->SetImage(value); }

void TZebFont::InitColor(TColor value)
{
    {
        TChangeEventDetach quiet(*this);
        SetColor(value);
    }
    defaultColor_ = value;
    brush_->InitColor(value);
}

void TZebFont::InitStyle(TFontStyles value)
{
    {
        TChangeEventDetach quiet(*this);
        SetStyle(value);
    }
    defaultStyle_ = value;
}

bool TZebFont::IsHeightStored() const { return Size() != ZebDefaultFontSize(); }

bool TZebFont::IsNameStored() const { return Name() != ZebDefaultFontName(); }
