#include "chart/core/MarksItems.h"

#include <cstdint>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr TColor MarksColor = static_cast<TColor>(0xE1FFFF);

}  // namespace

TV_PUBLISHED(TMarksItem)
{
    PropEnum("Bevel", &TMarksItem::Bevel, &TMarksItem::SetBevel, bvNone, TBevelCutNames);
    Prop("BevelWidth", &TMarksItem::BevelWidth, &TMarksItem::SetBevelWidth, 2);
    Prop("Children", &TMarksItem::Children, &TMarksItem::SetChildren).Stored(&TMarksItem::IsChildrenStored);
    PropEnum("ChildLayout", &TMarksItem::ChildLayout, &TMarksItem::SetChildLayout, slTopBottom, TZebShapeLayoutNames);
    PropColor("Color", &TMarksItem::Color, &TMarksItem::SetColor, MarksColor);
    Prop("Emboss", &TMarksItem::Emboss, &TMarksItem::SetEmboss).Stored(&TMarksItem::HasEmboss);
    Prop("Font", &TMarksItem::Font, &TMarksItem::SetFont);
    Prop("Gradient", &TMarksItem::Gradient, &TMarksItem::SetGradient);
    Prop("Picture", &TMarksItem::Picture, &TMarksItem::SetPicture).Stored(&TMarksItem::HasPicture);
    Prop("Shadow", &TMarksItem::Shadow, &TMarksItem::SetShadow);
    Prop("ShapeCallout", &TMarksItem::ShapeCallout, &TMarksItem::SetShapeCallout)
        .Stored(&TMarksItem::HasShapeCallout);
    PropEnum("ShapeStyle", &TMarksItem::ShapeStyle, &TMarksItem::SetShapeStyle, fosRectangle,
             TChartObjectShapeStyleNames);
    Prop("Text", &TMarksItem::TextLines, &TMarksItem::SetTextLines).Stored(&TMarksItem::TextSet);
    Prop("Transparency", &TMarksItem::Transparency, &TMarksItem::SetTransparency, 0);
    Prop("Transparent", &TMarksItem::Transparent, &TMarksItem::SetTransparent)
        .NoDefault()
        .Stored(&TMarksItem::IsTransparentStored);
}

// ---- item ----

TMarksItem::TMarksItem(TCustomZebPanel* panel) : TCustomTextShape(panel) { SetColor(MarksColor); }

TMarksItem::~TMarksItem() = default;

void TMarksItem::Assign(TPersistent* source)
{
    TCustomTextShape::Assign(source);
    if (auto* item = dynamic_cast<TMarksItem*>(source)) {
        textSet_ = item->textSet_;
        return;
    }
    // The marks' text is the last mark they drew, not the item's.
    quiet_ = true;
    SetText({});
    quiet_ = false;
    textSet_ = false;
}

TStringList* TMarksItem::TextLines()
{
    if (!lines_) {
        lines_ = std::make_unique<TStringList>();
        lines_->OnChange = [this] { linesChanged(); };
    }
    quiet_ = true;
    lines_->SetText(Text());
    quiet_ = false;
    return lines_.get();
}

void TMarksItem::SetTextLines(TStringList* value)
{
    if (value) {
        TextLines()->Assign(*value);
        return;
    }
    lines_.reset();
    quiet_ = true;
    SetText({});
    quiet_ = false;
    textSet_ = false;
}

void TMarksItem::ShowText(const String& text)
{
    if (textSet_) return;
    quiet_ = true;
    SetText(text);
    quiet_ = false;
}

void TMarksItem::linesChanged()
{
    if (!quiet_) SetText(lines_->Text());
}

void TMarksItem::TextChanged()
{
    if (quiet_) return;
    textSet_ = true;
    TCustomTextShape::TextChanged();
}

// ---- items ----

TMarksItem* TMarksItems::ItemAt(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TOwnedPtr<TMarksItem> TMarksItems::newItem() const
{
    TOwnedPtr<TMarksItem> item(new TMarksItem(marks_.ParentPanel()));
    item->Assign(&marks_);
    return item;
}

TMarksItem& TMarksItems::EnsureItem(int index)
{
    if (index >= Count()) items_.resize(static_cast<size_t>(index) + 1);
    auto& slot = items_[static_cast<size_t>(index)];
    if (!slot) slot = newItem();
    return *slot;
}

TMarksItem& TMarksItems::ItemOrScratch(int index, TOwnedPtr<TMarksItem>& scratch) const
{
    if (TMarksItem* item = ItemAt(index)) return *item;
    scratch = newItem();
    return *scratch;
}

void TMarksItems::Clear()
{
    items_.clear();
    marks_.InvalidateChart();
}

void TMarksItems::Remove(int index)
{
    if (index >= 0 && index < Count()) items_.erase(items_.begin() + index);
}

void TMarksItems::Swap(int a, int b)
{
    if (std::max(a, b) >= Count()) items_.resize(static_cast<size_t>(std::max(a, b)) + 1);
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

void TMarksItems::WriteItems(TStream& stream) const
{
    const auto count = static_cast<std::int32_t>(items_.size());
    stream.WriteBuffer(&count, sizeof count);
    TWriter writer(stream, 1024);
    for (int i = 0; i < Count(); ++i) {
        TOwnedPtr<TMarksItem> scratch;
        writer.WriteListBegin();
        writer.WriteProperties(&ItemOrScratch(i, scratch));
        writer.WriteListEnd();
    }
}

void TMarksItems::ReadItems(TStream& stream)
{
    std::int32_t count = 0;
    stream.ReadBuffer(&count, sizeof count);
    if (count < 1) {
        loaded_ = false;
        return;
    }
    // Every item takes at least its two list markers.
    if (count > stream.Remaining() / 2) throw EReadError("Mark items count exceeds the stored data");
    // Read aside first: a corrupt block raises before the items change.
    std::vector<TOwnedPtr<TMarksItem>> read;
    TReader reader(stream, 1024);
    for (std::int32_t i = 0; i < count; ++i) {
        TOwnedPtr<TMarksItem> item = newItem();
        if (TMarksItem* existing = ItemAt(i)) item->Assign(existing);
        reader.ReadListBegin();
        reader.ReadProperties(item.get());
        read.push_back(std::move(item));
    }
    if (Count() < count) items_.resize(static_cast<size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) items_[static_cast<size_t>(i)] = std::move(read[static_cast<size_t>(i)]);
    loaded_ = true;
    marks_.InvalidateChart();
}
