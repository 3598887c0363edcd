#include "chart/core/LegendItems.h"

#include "chart/canvas/ZebFont.h"
#include "chart/core/Legend.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TLegendItem)
{
    using C = TLegendItem;
    Prop("Align", &C::Align, &C::SetAlign, 0);
    Prop("Font", &C::Font, &C::SetFont).Stored(&C::HasFont);
    Prop("Left", &C::Left, &C::SetLeft, 0);
    Prop("Top", &C::Top, &C::SetTop, 0);
    Prop("Text", &C::Text, &C::SetText);
    Prop("Text2", &C::Text2, &C::SetText2);
    Prop("Text3", &C::Text3, &C::SetText3);
}

TLegendItem::TLegendItem(TCustomChartLegend* legend) : legend_(legend) {}

TLegendItem::~TLegendItem() = default;

void TLegendItem::markCustom(bool positions)
{
    if (!legend_) return;
    legend_->Items().MarkCustom(positions);
    legend_->InvalidateChart();
}

void TLegendItem::SetAlign(int value)
{
    align_ = value;
    if (legend_) legend_->Items().MarkCustom(false);
}

TZebFont* TLegendItem::Font()
{
    if (!font_) {
        font_ = std::make_unique<TZebFont>();
        if (legend_) font_->Assign(legend_->Font());
    }
    return font_.get();
}

void TLegendItem::SetFont(TZebFont* value)
{
    if (!value)
        font_.reset();
    else
        Font()->Assign(value);
    if (legend_) legend_->InvalidateChart();
}

void TLegendItem::SetLeft(int value)
{
    left_ = value;
    markCustom(true);
}

void TLegendItem::SetTop(int value)
{
    top_ = value;
    markCustom(true);
}

void TLegendItem::setText(int column, const String& value)
{
    text_[column] = value;
    markCustom(false);
}

void TLegendItem::Record(int left, int top, int align)
{
    left_ = left;
    top_ = top;
    align_ = align;
}

void TLegendItem::RecordTexts(const String& text, const String& text2, const String& text3)
{
    text_[0] = text;
    text_[1] = text2;
    text_[2] = text3;
}

// ---- the list ----

TLegendItems::~TLegendItems() = default;

TLegendItem* TLegendItems::ItemAt(int index)
{
    if (index < 0) return nullptr;
    if (index >= Count()) items_.resize(static_cast<size_t>(index) + 1);
    auto& item = items_[static_cast<size_t>(index)];
    if (!item) item = std::make_unique<TLegendItem>(legend_);
    return item.get();
}

TLegendItem* TLegendItems::Find(int index) const
{
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
}

void TLegendItems::Clear()
{
    ClearAll();
    if (legend_) legend_->InvalidateChart();
}

void TLegendItems::SetUseCustomItems(bool value)
{
    custom_ = value;
    if (legend_) legend_->InvalidateChart();
}

void TLegendItems::SetUseCustomPositions(bool value)
{
    customPositions_ = value;
    if (legend_) legend_->InvalidateChart();
}
