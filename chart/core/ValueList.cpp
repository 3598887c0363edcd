#include "chart/core/ValueList.h"

#include <algorithm>
#include <cmath>

#include "chart/core/ChartSeries.h"
#include "chart/core/ErrorBox.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

int ValueListGrowthStep = 1000;

TV_PUBLISHED(TChartValueList)
{
    Prop("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
        .NoDefault()
        .Stored(&TChartValueList::IsDateTimeStored);
    Prop("Name", &TChartValueList::Name, &TChartValueList::SetName).NoDefault();  // each list starts named
    PropEnum("Order", &TChartValueList::Order, &TChartValueList::SetOrder, loNone, TChartListOrderNames);
    Prop("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource);
}

TChartValueList::TChartValueList(TChartSeries* owner, const String& name) : owner_(owner), name_(name)
{
    if (owner_) owner_->ValueLists().Add(this);
}

TChartValueList::~TChartValueList() = default;

void TChartValueList::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartValueList*>(source)) {
        order_ = other->order_;
        dateTime_ = other->dateTime_;
        valueSource_ = other->valueSource_;
        return;
    }
    TPersistent::Assign(source);
}

void TChartValueList::SetDateTime(bool value)
{
    if (owner_)
        owner_->ChangeBoolean(dateTime_, value);
    else
        dateTime_ = value;
}

void TChartValueList::InitDateTime(bool value)
{
    dateTime_ = value;
    defaultDateTime_ = value;
}

void TChartValueList::SetValueSource(const String& value)
{
    if (AssignIfChanged(valueSource_, value) && owner_) owner_->RefreshData();
}

void TChartValueList::growFor(int count)
{
    if (count <= capacity_) return;
    // A step below 1 would never make room.
    capacity_ += std::max(ValueListGrowthStep, 1);
    if (values_.capacity() < static_cast<size_t>(capacity_))
        values_.reserve(std::max(static_cast<size_t>(capacity_), values_.capacity() * 2));
}

int TChartValueList::AddInOrder(double value)
{
    pendingValue_ = value;
    return InsertPendingValue();
}

int TChartValueList::InsertPendingValue()
{
    const double value = pendingValue_;
    int index = Count();
    if (order_ == loAscending && index > 0 && value < values_.back()) {
        int i = index - 1;
        while (i >= 0 && values_[static_cast<size_t>(i)] > value) --i;
        index = i + 1;
    } else if (order_ == loDescending && index > 0 && value > values_.back()) {
        int i = index - 1;
        while (i >= 0 && values_[static_cast<size_t>(i)] < value) --i;
        index = i + 1;
    }
    InsertAt(index, value);
    return index;
}

void TChartValueList::InsertAt(int index, double value)
{
    growFor(Count() + 1);
    if (index == Count()) {
        values_.push_back(value);
        noteAppended(value);
    } else {
        values_.insert(values_.begin() + index, value);
        statsStale_ = true;
    }
    SetDirty(true);
}

void TChartValueList::noteAppended(double value)
{
    if (statsStale_) return;
    // The same steps, in the same order, as a full recompute over the list.
    if (Count() == 1) {
        total_ = value;
        absTotal_ = std::fabs(value);
    } else {
        total_ += value;
        absTotal_ += std::fabs(value);
    }
    if (!std::isfinite(value)) return;
    if (!anyFinite_) {
        lowest_ = highest_ = value;
        anyFinite_ = true;
    } else if (value < lowest_)
        lowest_ = value;
    else if (value > highest_)
        highest_ = value;
}

void TChartValueList::RemoveRange(int start, int count)
{
    count = std::min(count, Count() - start);
    if (count <= 0) return;
    values_.erase(values_.begin() + start, values_.begin() + start + count);
    statsStale_ = true;
    SetDirty(true);
}

void TChartValueList::RemoveAll()
{
    std::vector<double>().swap(values_);
    capacity_ = 0;
    statsChanged();
}

void TChartValueList::statsChanged()
{
    statsStale_ = true;
    modified_ = true;
}

void TChartValueList::SetValueAt(int index, double value)
{
    values_[static_cast<size_t>(index)] = value;
    statsChanged();
    if (owner_) owner_->ValuesModified(index);
}

void TChartValueList::SwapValues(int a, int b)
{
    std::swap(values_[static_cast<size_t>(a)], values_[static_cast<size_t>(b)]);
    statsChanged();
    if (owner_) owner_->ValuesModified(a);
}

void TChartValueList::FillWithIndexes()
{
    for (int i = 0; i < Count(); ++i) values_[static_cast<size_t>(i)] = i;
    statsChanged();
    if (owner_) owner_->ValuesModified(0);
}

void TChartValueList::SortPoints()
{
    if (owner_) owner_->SortByValueList(this, order_);
}

void TChartValueList::RotateFirstToEnd()
{
    if (values_.empty()) return;
    std::rotate(values_.begin(), values_.begin() + 1, values_.end());
    // The sums do not change with the order, but a recompute adds in index order; keep results
    // equal to one.
    statsStale_ = true;
}

void TChartValueList::SetDirty(bool value)
{
    if (AssignIfChanged(modified_, value) && value && owner_) owner_->ValuesModified(-1);
}

void TChartValueList::RecomputeAllStats()
{
    lowest_ = highest_ = total_ = absTotal_ = 0;
    anyFinite_ = false;
    if (!values_.empty()) {
        total_ = values_.front();
        absTotal_ = std::fabs(total_);
        for (size_t i = 1; i < values_.size(); ++i) {
            total_ += values_[i];
            absTotal_ += std::fabs(values_[i]);
        }
        for (const double v : values_) {
            if (!std::isfinite(v)) continue;
            if (!anyFinite_) {
                lowest_ = highest_ = v;
                anyFinite_ = true;
            } else if (v < lowest_)
                lowest_ = v;
            else if (v > highest_)
                highest_ = v;
        }
    }
    statsStale_ = false;
    modified_ = false;
}

void TChartValueList::ensureStats()
{
    if (statsStale_)
        RecomputeAllStats();
    else
        modified_ = false;
}

double TChartValueList::Highest()
{
    ensureStats();
    return highest_;
}

double TChartValueList::Lowest()
{
    ensureStats();
    return lowest_;
}

double TChartValueList::Sum()
{
    ensureStats();
    return total_;
}

double TChartValueList::AbsSum()
{
    ensureStats();
    return absTotal_;
}

void TChartValueList::OverrideAbsSum(double value)
{
    ensureStats();
    absTotal_ = value;
}

int TChartValueList::IndexOfValue(double value, int first, int last) const
{
    for (int i = std::max(first, 0); i <= last && i < Count(); ++i)
        if (values_[static_cast<size_t>(i)] == value) return i;
    return -1;
}

void TChartValueList::DefineProperties(TFiler& filer)
{
    TPersistent::DefineProperties(filer);
    filer.DefineProperty(
        "Multiplier", [this](TReader& reader) { readMultiplier(reader); }, nullptr, false);
}

void TChartValueList::readMultiplier(TReader& reader)
{
    if (reader.ReadFloat() != 1)
        ShowErrorBox(String("Error: Multiplier property is obsolete.") + '\r' +
                     "Modify ZebDefs (enable Multiplier) and recompile.");
}
