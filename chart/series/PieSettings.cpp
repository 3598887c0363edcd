// The pie's settings objects.
#include "chart/series/PieSettings.h"

#include <utility>

#include "chart/core/ChartSeries.h"
#include "chart/core/Legend.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TPieOtherSlice)
{
    Prop("Color", &TPieOtherSlice::Color, &TPieOtherSlice::SetColor, clAutomatic);
    Prop("Legend", &TPieOtherSlice::Legend, &TPieOtherSlice::SetLegend).Stored(&TPieOtherSlice::HasLegend);
    PropEnum("Style", &TPieOtherSlice::Style, &TPieOtherSlice::SetStyle, poNone, TPieOtherStyleNames);
    Prop("Text", &TPieOtherSlice::Text, &TPieOtherSlice::SetText).Stored(&TPieOtherSlice::IsTextStored);
    Prop("Value", &TPieOtherSlice::Value, &TPieOtherSlice::SetValue);
}

TV_PUBLISHED(TPieMarks)
{
    Prop("EmptySlice", &TPieMarks::EmptySlice, &TPieMarks::SetEmptySlice, false);
    Prop("InsideSlice", &TPieMarks::InsideSlice, &TPieMarks::SetInsideSlice, false);
    Prop("LegSize", &TPieMarks::LegSize, &TPieMarks::SetLegSize, 0);
    Prop("Rotated", &TPieMarks::Rotated, &TPieMarks::SetRotated, false);
    PropEnum("RotateStyle", &TPieMarks::RotateStyle, &TPieMarks::SetRotateStyle, rsRadial, TRotateStyleNames);
    Prop("VertCenter", &TPieMarks::VertCenter, &TPieMarks::SetVertCenter, false);
}

TV_PUBLISHED(TPieBevel)
{
    Prop("Bright", &TPieBevel::Bright, &TPieBevel::SetBright, 32);
    Prop("Percent", &TPieBevel::Percent, &TPieBevel::SetPercent, 0);
    Prop("UseBorder", &TPieBevel::UseBorder, &TPieBevel::SetUseBorder, true);
}

// ---- TPieOtherSlice ----

TPieOtherSlice::TPieOtherSlice(TChartSeries* pie) : pie_(pie) {}

TPieOtherSlice::~TPieOtherSlice() = default;

void TPieOtherSlice::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPieOtherSlice*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    color_ = other->color_;
    SetLegend(other->legend_.get());
    style_ = other->style_;
    text_ = other->text_;
    value_ = other->value_;
}

void TPieOtherSlice::SetColor(TColor value)
{
    if (pie_)
        pie_->ChangeColor(color_, value);
    else
        color_ = value;
}

TChartLegend* TPieOtherSlice::Legend()
{
    if (!legend_) {
        legend_ = std::make_unique<TChartLegend>(pie_ ? pie_->ParentChart() : nullptr);
        legend_->InitVisible(false);
        legend_->SetLegendSeries(pie_);
    }
    return legend_.get();
}

void TPieOtherSlice::SetLegend(TChartLegend* value)
{
    if (!value) {
        legend_.reset();
        return;
    }
    Legend()->Assign(value);
    legend_->SetLegendSeries(pie_);
}

void TPieOtherSlice::SetStyle(TPieOtherStyle value)
{
    if (AssignIfChanged(style_, value) && pie_) pie_->InvalidateChart();
}

String TPieOtherSlice::Text() const { return text_.empty() ? TxtOther : text_; }

void TPieOtherSlice::SetText(const String& value)
{
    if (AssignIfChanged(text_, value) && pie_) pie_->InvalidateChart();
}

void TPieOtherSlice::SetValue(double value)
{
    if (pie_)
        pie_->ChangeDouble(value_, value);
    else
        value_ = value;
}

// ---- TPieMarks ----

void TPieMarks::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPieMarks*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    emptySlice_ = other->emptySlice_;
    insideSlice_ = other->insideSlice_;
    legSize_ = other->legSize_;
    rotated_ = other->rotated_;
    rotateStyle_ = other->rotateStyle_;
    vertCenter_ = other->vertCenter_;
}

template <class T>
void TPieMarks::change(T& field, T value)
{
    if (AssignIfChanged(field, value) && pie_) pie_->InvalidateChart();
}

// ---- TPieBevel ----

void TPieBevel::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TPieBevel*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    bright_ = other->bright_;
    percent_ = other->percent_;
    useBorder_ = other->useBorder_;
}

void TPieBevel::changed()
{
    if (pie_) pie_->InvalidateChart();
}

void TPieBevel::SetBright(int value)
{
    if (AssignIfChanged(bright_, value)) changed();
}

void TPieBevel::SetPercent(int value)
{
    if (AssignIfChanged(percent_, value)) changed();
}

void TPieBevel::SetUseBorder(bool value)
{
    if (AssignIfChanged(useBorder_, value)) changed();
}

// ---- TSliceValueList ----

int TSliceValueList::GetSliceValue(int index) const
{
    return index >= 0 && index < Count() ? values_[static_cast<size_t>(index)] : 0;
}

void TSliceValueList::SetSliceValue(int index, int value)
{
    if (index < 0) return;
    if (index >= Count()) values_.resize(static_cast<size_t>(index) + 1, 0);
    int& slot = values_[static_cast<size_t>(index)];
    if (AssignIfChanged(slot, value) && pie_) pie_->InvalidateChart();
}

void TSliceValueList::Delete(int index)
{
    if (index >= 0 && index < Count()) values_.erase(values_.begin() + index);
}

void TSliceValueList::Exchange(int a, int b, int count)
{
    if (values_.empty()) return;
    if (Count() < count) values_.resize(static_cast<size_t>(count), 0);
    if (a < 0 || b < 0 || a >= Count() || b >= Count()) return;
    std::swap(values_[static_cast<size_t>(a)], values_[static_cast<size_t>(b)]);
}
