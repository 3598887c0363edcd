#include "chart/core/SeriesSource.h"

#include "chart/core/ChartSeries.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"

TV_PUBLISHED_AS(TZebSeriesSource, TZebSeriesSourceClass)
{
    Prop("Active", &TZebSeriesSource::Active, &TZebSeriesSource::SetActive, false);
    Prop("Series", &TZebSeriesSource::Series, &TZebSeriesSource::SetSeries);
}

const TZebSeriesSourceClass* SeriesSourceClassOf(const TMetaClass& cls)
{
    for (const TMetaClass* c = &cls; c; c = c->ClassParent())
        if (auto* source = dynamic_cast<const TZebSeriesSourceClass*>(c)) return source;
    return nullptr;
}

std::vector<const TMetaClass*>& SeriesSourceClassList()
{
    static std::vector<const TMetaClass*> list;
    return list;
}

TZebSeriesSource::TZebSeriesSource(TComponent* owner) : TComponent(owner) {}

void TZebSeriesSource::BeforeDestruction()
{
    // Destroying first, so that closing leaves the series' points alone.
    TComponent::BeforeDestruction();
    CloseSource();
}

void TZebSeriesSource::SetActive(bool value)
{
    if (active_ == value) return;
    // Loading or emptying the series happens while the source still has its old state.
    if (series_) {
        if (value) {
            if (!IsLoading()) LoadSource();
        } else if (!IsDestroying() && !series_->IsDestroying()) {
            series_->RemoveAllPoints();
        }
    }
    active_ = value;
}

void TZebSeriesSource::SetSeries(TChartSeries* value)
{
    if (series_ == value) return;
    // The source closes and leaves the old series before it takes the new one.
    CloseSource();
    TChartSeries* old = series_;
    if (old) old->RemoveFreeNotification(this);
    series_ = value;
    if (value) {
        value->FreeNotification(this);
        value->SetDataSource(this);
    } else if (old && old->DataSource() == this) {
        old->SetDataSource(nullptr);
    }
}

void TZebSeriesSource::MoveToSeries(TChartSeries* series)
{
    if (series_ == series) return;
    const bool wasActive = active_;
    CloseSource();
    TChartSeries* old = series_;
    if (old) {
        if (Owner() == old) {
            old->RemoveComponent(this);
            series->InsertComponent(this);
        }
        old->RemoveFreeNotification(this);
    }
    series_ = series;
    series->FreeNotification(this);
    if (wasActive) OpenSource();
}

bool TZebSeriesSource::IsSourceKindOf(const TChartSeries* series) const
{
    const TComponent* source = series ? series->DataSource() : nullptr;
    return source && source->ClassName() == ClassName();
}

void TZebSeriesSource::CloseSource()
{
    if (!IsLoading() && !IsDestroying()) SetActive(false);
}

void TZebSeriesSource::LoadIfActive()
{
    if (active_ && !IsLoading()) LoadSource();
}

void TZebSeriesSource::Loaded()
{
    TComponent::Loaded();
    LoadIfActive();
}

void TZebSeriesSource::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == series_) series_ = nullptr;
}

void TZebSeriesSource::ReadState(TReader& reader)
{
    ApplyPublishedDefaults(*this, &TComponent::StaticClass());
    TComponent::ReadState(reader);
}
