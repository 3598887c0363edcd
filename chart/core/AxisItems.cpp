#include "chart/core/AxisItems.h"

#include <algorithm>
#include <cstdint>

#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"

TV_PUBLISHED(TAxisItem)
{
    Prop("Text", &TAxisItem::Text, &TAxisItem::SetText);
    Prop("Value", &TAxisItem::Value, &TAxisItem::SetValue);
    Prop("Format", &TAxisItem::Format, &TAxisItem::SetFormat).Stored(&TAxisItem::HasFormat);
}

namespace {

TCustomAxisPanel* ChartOf(const TAxisItems* items)
{
    return items && items->Axis() ? items->Axis()->ParentChart() : nullptr;
}

}  // namespace

TAxisItem::~TAxisItem()
{
    TObject::Free(format_);
    if (owner_) owner_->forget(this);
}

void TAxisItem::changed()
{
    if (owner_) owner_->invalidate();
}

void TAxisItem::SetText(const String& value)
{
    if (AssignIfChanged(text_, value)) changed();
}

void TAxisItem::SetValue(double value)
{
    if (AssignIfChanged(value_, value)) changed();
}

TAxisLabelsFormat* TAxisItem::Format()
{
    if (!format_) format_ = new TAxisLabelsFormat(ChartOf(owner_));
    return format_;
}

void TAxisItem::SetFormat(TAxisLabelsFormat* value)
{
    if (!value) {
        TObject::Free(format_);
        format_ = nullptr;
        return;
    }
    Format()->Assign(value);
}

TAxisLabelsFormat* TAxisItem::EffectiveFormat() const
{
    if (format_) return format_;
    return owner_ ? owner_->Format() : nullptr;
}

TAxisItems::TAxisItems(TChartAxis* axis) : axis_(axis), format_(new TAxisLabelsFormat(ChartOf(this))) {}

TZebSelected* TAxisItems::Selected()
{
    if (!selected_) {
        selected_.reset(new TZebSelected(ChartOf(this)));
        selected_->Hover()->SetParentPanel(ChartOf(this));
        selected_->Hover()->Font()->SetStyle(TFontStyles{fsBold});
    }
    return selected_.get();
}

TAxisItems::~TAxisItems()
{
    bulk_ = true;
    items_.clear();
    automaticItems_.clear();
}

void TAxisItems::invalidate()
{
    if (TCustomAxisPanel* chart = ChartOf(this)) chart->Invalidate();
}

void TAxisItems::forget(TAxisItem* item)
{
    // A label freed on its own leaves the list; the list's own deletions release it first.
    if (bulk_) return;
    const auto it = std::find_if(items_.begin(), items_.end(), [item](const auto& p) { return p.get() == item; });
    if (it == items_.end()) return;
    it->release();
    items_.erase(it);
    invalidate();
}

void TAxisItems::SetAutomatic(bool value)
{
    if (AssignIfChanged(automatic_, value)) invalidate();
}

TAxisItem* TAxisItems::AddItem(const String& text, double value)
{
    TOwnedPtr<TAxisItem> item(new TAxisItem(this));
    item->SetText(text);
    item->SetValue(value);
    automatic_ = false;
    items_.push_back(std::move(item));
    invalidate();
    return items_.back().get();
}

void TAxisItems::DeleteItem(int index)
{
    bulk_ = true;
    items_.erase(items_.begin() + index);
    bulk_ = false;
    invalidate();
}

void TAxisItems::Clear()
{
    bulk_ = true;
    items_.clear();
    bulk_ = false;
    invalidate();
}

void TAxisItems::CopyFrom(const TAxisItems& other)
{
    format_->Assign(other.format_.get());
    if (other.automatic_) return;
    Clear();
    automatic_ = false;
    for (const auto& item : other.items_) AddItem(item->Text(), item->Value());
}

void TAxisItems::WriteItems(TStream& stream) const
{
    const auto count = static_cast<std::int32_t>(items_.size());
    stream.WriteBuffer(&count, sizeof count);
    TWriter writer(stream, 1024);
    for (const auto& item : items_) {
        writer.WriteListBegin();
        writer.WriteProperties(item.get());
        writer.WriteListEnd();
    }
}

void TAxisItems::ReadItems(TStream& stream)
{
    std::int32_t count = 0;
    stream.ReadBuffer(&count, sizeof count);
    if (count < 1) return;
    // Read aside first: a corrupt block raises before the list changes.
    std::vector<TOwnedPtr<TAxisItem>> read;
    TReader reader(stream, 1024);
    for (std::int32_t i = 0; i < count; ++i) {
        TOwnedPtr<TAxisItem> item(new TAxisItem(nullptr));
        reader.ReadListBegin();
        reader.ReadProperties(item.get());
        read.push_back(std::move(item));
    }
    Clear();
    automatic_ = false;
    for (auto& item : read) {
        TOwnedPtr<TAxisItem> adopted(new TAxisItem(this));
        adopted->SetText(item->Text());
        adopted->SetValue(item->Value());
        if (item->HasFormat()) adopted->SetFormat(item->Format());
        items_.push_back(std::move(adopted));
    }
    invalidate();
}

TAxisItem* TAxisItems::AddAutomatic(const String& text, double value, int pixel)
{
    TOwnedPtr<TAxisItem> item(new TAxisItem(nullptr));
    item->SetText(text);
    item->SetValue(value);
    item->Pixel = pixel;
    automaticItems_.push_back(std::move(item));
    return automaticItems_.back().get();
}
