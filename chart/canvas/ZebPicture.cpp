#include "chart/canvas/ZebPicture.h"

#include "chart/canvas/Filters.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

TV_PUBLISHED(TZebPicture) { Prop("Filters", &TZebPicture::Filters, &TZebPicture::SetFilters).Stored(false); }

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
        "FilterItems", [this](TReader& reader) { ReadFilterItems(reader, *Filters()); },
        [this](TWriter& writer) { WriteFilterItems(writer, *filters_); }, HasFilters());
}

void TZebPicture::WriteFilterItems(TWriter& writer, TFilterItems& items)
{
    // A writer of its own on the same stream: item properties carry no path of the owner's.
    TWriter out(writer.Stream());
    out.WriteValue(vaCollection);
    for (int i = 0; i < items.Count(); ++i) {
        out.WriteListBegin();
        out.WriteStr("ItemClass");
        out.WriteString(items.Items(i)->ClassName());
        out.WriteProperties(items.Items(i));
        out.WriteListEnd();
    }
    out.WriteListEnd();
}

void TZebPicture::ReadFilterItems(TReader& reader, TFilterItems& filters)
{
    filters.BeginUpdate();
    try {
        if (filters.Count() > 0) filters.Clear();
        reader.CheckValue(vaCollection);
        while (!reader.EndOfList()) {
            const TValueType next = reader.NextValue();
            if (next == vaInt8 || next == vaInt16 || next == vaInt32) reader.ReadInteger();  // item order
            reader.ReadListBegin();
            reader.ReadStr();  // "ItemClass"
            const String className = reader.ReadString();
            TZebFilter* filter = filters.Add(FindClass(className));
            while (!reader.EndOfList()) reader.ReadProperty(filter);
            reader.ReadListEnd();
        }
        reader.ReadListEnd();
    } catch (...) {
        filters.EndUpdate();
        throw;
    }
    filters.EndUpdate();
}
