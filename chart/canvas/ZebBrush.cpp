#include "chart/canvas/ZebBrush.h"

#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebBrush)
{
    PropColor("Color", &TZebBrush::Color, &TZebBrush::SetColor, clDefault)
        .NoDefault()
        .Stored(&TZebBrush::IsColorStored);
    PropColor("BackColor", &TZebBrush::BackColor, &TZebBrush::SetBackColor, clNone);
    Prop("Gradient", &TZebBrush::Gradient, &TZebBrush::SetGradient).Stored(&TZebBrush::IsGradientStored);
    PropEnum("HatchStyle", &TZebBrush::HatchStyle, &TZebBrush::SetHatchStyle, hsHorizontal, THatchStyleNames);
    Prop("Image", &TZebBrush::Image, &TZebBrush::SetImage).Stored(&TZebBrush::IsImageStored);
}

TZebBrush::TZebBrush(TNotifyEvent onChange)
{
    SetColor(clDefault);
    SetOnChange(std::move(onChange));
}

TZebBrush::~TZebBrush()
{
    TObject::Free(gradient_);
    TObject::Free(image_);
}

void TZebBrush::Assign(TPersistent* source)
{
    auto* b = dynamic_cast<TZebBrush*>(source);
    if (!b) return inherited::Assign(source);
    {
        TChangeEventDetach quiet(*this);
        if (b->image_) {
            Image()->Assign(b->image_);
        } else {
            TObject::Free(image_);
            image_ = nullptr;
        }
        backColor_ = b->backColor_;
        hatchStyle_ = b->hatchStyle_;
        if (b->gradient_) {
            Gradient()->Assign(b->gradient_);
        } else {
            TObject::Free(gradient_);
            gradient_ = nullptr;
        }
        inherited::Assign(b);
    }
    Changed();
}

void TZebBrush::SetBackColor(TColor value)
{
    if (AssignIfChanged(backColor_, value)) Changed();
}

void TZebBrush::SetHatchStyle(THatchStyle value)
{
    if (!AssignIfChanged(hatchStyle_, value)) return;
    if (value <= hsDiagonalCross) {
        TChangeEventDetach quiet(*this);
        SetStyle(static_cast<TBrushStyle>(static_cast<int>(value) + static_cast<int>(bsHorizontal)));
    }
    Changed();
}

TZebGradient* TZebBrush::Gradient()
{
    if (!gradient_) gradient_ = new TZebGradient(OnChange());
    return gradient_;
}

void TZebBrush::SetGradient(TZebGradient* value)
{
    if (!value) {
        if (!gradient_) return;
        TObject::Free(gradient_);
        gradient_ = nullptr;
        Changed();
        return;
    }
    Gradient()->Assign(value);
    Changed();
}

TZebPicture* TZebBrush::Image()
{
    if (!image_) {
        image_ = new TZebPicture();
        image_->SetOnChange(OnChange());
    }
    return image_;
}

void TZebBrush::SetImage(TZebPicture* value)
{
    if (!value) {
        if (!image_) return;
        TObject::Free(image_);
        image_ = nullptr;
        Changed();
        return;
    }
    Image()->Assign(value);
}

void TZebBrush::InitColor(TColor value)
{
    {
        TChangeEventDetach quiet(*this);
        SetColor(value);
    }
    defaultColor_ = value;
}

void TZebBrush::Clear()
{
    {
        TChangeEventDetach quiet(*this);
        SetStyle(bsClear);
        TObject::Free(image_);
        image_ = nullptr;
        TObject::Free(gradient_);
        gradient_ = nullptr;
    }
    Changed();
}

bool TZebBrush::HasVisibleGradient() const { return gradient_ && gradient_->Visible(); }

bool TZebBrush::HasImage() const { return image_ && image_->HasGraphic(); }
