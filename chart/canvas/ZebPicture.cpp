#include "chart/canvas/ZebPicture.h"

#include "chart/canvas/Filters.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

TV_PUBLISHED(TZebPicture)
{
    Prop("Filters", &TZebPicture::Filters, &TZebPicture::SetFilters).Stored(false);
}

TZebPicture::TZebPicture() = default;

TZebPicture::~TZebPicture() { TObject::Free(filters_); }

void TZebPicture::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TZebPicture*>(source)) SetFilters(p->filters_);
    inherited::Assign(source);
}

TFilterItems* TZebPicture::Filters()
{
    if (!filters_) {
        filters_ = new TFilterItems(this);
        filters_->SetOnChange([this](TObject*) { Changed(this); });
    }
    return filters_;
}

void TZebPicture::SetFilters(TFilterItems* value)
{
    if (!value) {
        TObject::Free(filters_);
        filters_ = nullptr;
        return;
    }
    Filters()->Assign(value);
}

bool TZebPicture::HasFilters() const { return filters_ && filters_->Count() > 0; }

TGraphic* TZebPicture::GetFilteredGraphic()
{
    if (!HasFilters() || !Graphic()) return Graphic();
    if (!filtered_) filtered_ = std::make_unique<TBitmap>();
    CopyGraphicToBitmap(*Graphic(), *filtered_);
    filters_->ApplyAll(*filtered_);
    return filtered_.get();
}

void TZebPicture::CopyGraphicToBitmap(TGraphic& graphic, TBitmap& bitmap) { bitmap.Assign(&graphic); }

void TZebPicture::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "FilterItems", [this](TReader& reader) { Filters()->ReadItems(reader); },
        [this](TWriter& writer) { filters_->WriteItems(writer); }, HasFilters());
}
