#include "chart/canvas/ImageFiltered.h"

#include "chart/canvas/Filters.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TImageFiltered) { Prop("Filters", &TImageFiltered::Filters, &TImageFiltered::SetFilters).Stored(false); }

TImageFiltered::TImageFiltered(TComponent* owner) : TImage(owner), filters_(new TFilterItems(this))
{
    SetControlStyle(ControlStyle() + csOpaque);
    pictureHandler_ = Picture()->OnChange();
    Picture()->SetOnChange(TNotifyEvent(this, &TImageFiltered::pictureChanged));
    filters_->SetOnChange([this](TObject*) { Invalidate(); });
}

TImageFiltered::~TImageFiltered() { TObject::Free(filters_); }

void TImageFiltered::SetFilters(TFilterItems* value)
{
    if (value)
        filters_->Assign(value);
    else
        filters_->Clear();
    filtered_.reset();
}

void TImageFiltered::pictureChanged(TObject* sender)
{
    if (building_) return;
    filtered_.reset();
    if (pictureHandler_) pictureHandler_(sender);
}

TBitmap* TImageFiltered::FilteredBitmap()
{
    if (filters_->ChangedFlag()) {
        filtered_.reset();
        filters_->ClearChangedFlag();
    }
    if (filtered_) return filtered_.get();
    TGraphic* graphic = Picture()->Graphic();
    if (!graphic || graphic->Empty()) return nullptr;
    auto bitmap = std::make_unique<TBitmap>();
    building_ = true;
    try {
        bitmap->Assign(graphic);
        filters_->ApplyAll(*bitmap);
    } catch (...) {
        building_ = false;
        throw;
    }
    building_ = false;
    filtered_ = std::move(bitmap);
    return filtered_.get();
}

void TImageFiltered::Paint()
{
    TCanvas& c = *Canvas();
    if (TBitmap* b = FilteredBitmap()) {
        const TRect dest = DestRect();
        if (b->Width() == dest.Width() && b->Height() == dest.Height())
            c.Draw(dest.Left, dest.Top, b);
        else
            c.StretchDraw(dest, b);
    }
    if (IsDesigning()) {
        c.Pen()->SetStyle(psDash);
        c.Brush()->SetStyle(bsClear);
        c.Handle()->SetBkMode(TRANSPARENT);
        c.Rectangle(0, 0, Width(), Height());
    }
}

void TImageFiltered::DefineProperties(TFiler& filer)
{
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "FilterItems", [this](TReader& reader) { TZebPicture::ReadFilterItems(reader, *filters_); },
        [this](TWriter& writer) { TZebPicture::WriteFilterItems(writer, *filters_); }, filters_->Count() > 0);
}
