#include "chart/core/SeriesGroups.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED(TSeriesGroup)
{
    Prop("Name", &TSeriesGroup::Name, &TSeriesGroup::SetName).NoDefault();
}

TV_PUBLISHED(TSeriesGroups) {}

TSeriesGroup::TSeriesGroup(TCollection* collection) : TCollectionItem(collection)
{
    if (collection) name_ = "Group" + IntToStr(collection->Count());
}

TCustomAxisPanel* TSeriesGroup::chart() const
{
    auto* groups = dynamic_cast<TSeriesGroups*>(Collection());
    return groups ? groups->Chart() : nullptr;
}

void TSeriesGroup::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TSeriesGroup*>(source)) {
        name_ = other->name_;
        series_.Clear();
        for (TChartSeries* series : other->series_) series_.AppendSeries(series);
        return;
    }
    TCollectionItem::Assign(source);
}

TSeriesGroupActive TSeriesGroup::Active() const
{
    const auto active = std::count_if(series_.begin(), series_.end(), [](const TChartSeries* s) { return s->Active(); });
    if (active == series_.Count()) return gaYes;
    return active == 0 ? gaNo : gaSome;
}

void TSeriesGroup::SetActive(TSeriesGroupActive value)
{
    if (value == gaSome || value == Active()) return;
    for (TChartSeries* series : series_) series->SetActive(value == gaYes);
}

void TSeriesGroup::DefineProperties(TFiler& filer)
{
    TCollectionItem::DefineProperties(filer);
    filer.DefineProperty(
        "Series", [this](TReader& reader) { readSeries(reader); }, [this](TWriter& writer) { writeSeries(writer); },
        series_.Count() > 0);
}

void TSeriesGroup::readSeries(TReader& reader)
{
    storedPositions_ = std::make_unique<std::vector<String>>();
    reader.ReadListBegin();
    while (!reader.EndOfList()) storedPositions_->push_back(reader.ReadString());
    reader.ReadListEnd();
}

void TSeriesGroup::writeSeries(TWriter& writer)
{
    const TCustomAxisPanel* owner = chart();
    writer.WriteListBegin();
    for (const TChartSeries* series : series_) writer.WriteString(IntToStr(owner ? owner->IndexOfSeries(series) : -1));
    writer.WriteListEnd();
}

void TSeriesGroup::RebuildFromStored(const TCustomAxisPanel& chart)
{
    const std::unique_ptr<std::vector<String>> positions = std::move(storedPositions_);
    if (!positions) return;
    series_.Clear();
    for (const String& text : *positions) {
        const int index = StrToInt(text);
        // A position the chart does not have (a series removed by hand from the file) is no member.
        if (index >= 0 && index < chart.NumSeries()) series_.AppendSeries(chart.GetSeriesAt(index));
    }
}

TSeriesGroups::TSeriesGroups(TCustomAxisPanel* chart) : TCollection(TSeriesGroup::StaticClass()), chart_(chart) {}

TSeriesGroups::~TSeriesGroups() { Clear(); }

TPersistent* TSeriesGroups::GetOwner() const { return chart_; }

int TSeriesGroups::IndexOfSeries(const TChartSeries* series) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetGroup(i)->Series().Contains(series)) return i;
    return -1;
}
