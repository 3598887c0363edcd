#include "chart/core/SeriesLists.h"

#include <algorithm>

#include "chart/core/ChartSeries.h"
#include "platform/classes/Assign.h"
#include "platform/rtl/StringList.h"

int TCustomSeriesList::IndexOf(const TChartSeries* series) const
{
    const auto it = std::find(items_.begin(), items_.end(), series);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TCustomSeriesList::Remove(const TChartSeries* series)
{
    const int index = IndexOf(series);
    if (index >= 0) Delete(index);
    return index;
}

void TCustomSeriesList::Exchange(int a, int b)
{
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

void TCustomSeriesList::InsertAt(int index, TChartSeries* series)
{
    if (index > Count()) items_.resize(static_cast<size_t>(index));
    Insert(index, series);
}

// ---- chart's list ----

TChartSeries* TChartSeriesList::SeriesAtPoint(int x, int y, int& index) const
{
    for (int i = Count() - 1; i >= 0; --i) {
        TChartSeries* series = GetSeriesAt(i);
        if (!series->Active()) continue;
        index = series->HitTest(x, y);
        if (index != -1) return series;
    }
    index = -1;
    return nullptr;
}

bool TChartSeriesList::IsEverySeriesActive() const
{
    return std::all_of(begin(), end(), [](const TChartSeries* s) { return s->Active(); });
}

void TChartSeriesList::SetEverySeriesActive(bool value) const
{
    for (TChartSeries* series : *this) series->SetActive(value);
}

void TChartSeriesList::ClearAllPoints() const
{
    for (TChartSeries* series : *this) series->RemoveAllPoints();
}

void TChartSeriesList::FillAllWithSamples(int count) const
{
    for (TChartSeries* series : *this) series->FillWithSamples(count);
}

// ---- detail ----

TSeriesDetail::~TSeriesDetail()
{
    for (TChartSeries* sub : *this)
        if (sub) sub->Free();
}

void TSeriesDetail::DeleteRange(int start, int count)
{
    const int end = std::min(start + count, Count());
    for (int i = end - 1; i >= start && i >= 0; --i) {
        if (TChartSeries* sub = GetSeriesAt(i)) sub->Free();
        Delete(i);
    }
}

void TSeriesDetail::Swap(int a, int b)
{
    const int high = std::max(a, b);
    while (Count() <= high) AppendSeries(nullptr);
    Exchange(a, b);
}

void TSeriesDetail::SetAggregate(TSeriesDetailAggregate value) { if (AssignIfChanged(aggregate_, value)) Rebuild(); }

namespace {
double aggregateOf(const TChartValueList& list, TSeriesDetailAggregate aggregate)
{
    const int n = list.Count();
    if (n == 0) return 0;
    double sum = 0;
    for (int i = 0; i < n; ++i) sum += list.ValueAt(i);
    switch (aggregate) {
    case daSum: return sum;
    case daCount: return n;
    case daAverage: return sum / n;
    case daMin: return *std::min_element(list.Values(), list.Values() + n);
    case daMax: return *std::max_element(list.Values(), list.Values() + n);
    }
    return 0;
}
}  // namespace

void TSeriesDetail::Rebuild()
{
    TPointUpdateBlock block(*owner_);
    while (owner_->Count() < Count()) {
        TChartSeries* sub = GetSeriesAt(owner_->Count());
        owner_->AppendMainValue(0, sub ? sub->Title() : String());
    }
    for (int j = 0; j < Count(); ++j)
        if (TChartSeries* sub = GetSeriesAt(j))
            owner_->MandatoryValueList()->SetValueAt(j, aggregateOf(*sub->MandatoryValueList(), aggregate_));
    owner_->InvalidateChart();
}

// ---- data sources ----

int TDataSourcesList::IndexOf(const TComponent* component) const
{
    const auto it = std::find(items_.begin(), items_.end(), component);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TDataSourcesList::AddSource(TComponent* component) { return owner_->AddSourceChecked(component, false); }

void TDataSourcesList::Clear()
{
    owner_->UnlinkFromSources();
    for (TComponent* c : items_)
        if (!dynamic_cast<TChartSeries*>(c)) c->RemoveFreeNotification(owner_);
    items_.clear();
    if (!owner_->ManualData()) owner_->RemoveAllPoints();
}

void FillSeriesNames(TStrings& strings, const TCustomSeriesList& list, bool useTitles)
{
    strings.BeginUpdate();
    for (TChartSeries* series : list)
        if (series && series->ShowInEditor() && !series->Internal())
            strings.AddObject(useTitles ? series->GetTitleOrName(true) : series->Name(), series);
    strings.EndUpdate();
}
