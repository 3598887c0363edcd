#include "chart/animation/ZebAnimations.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/Legend.h"
#include "chart/core/LegendItems.h"
#include "chart/core/ValueList.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Random.h"

TV_PUBLISHED(TCustomAnimationChart)
{
    Prop("Chart", &TCustomAnimationChart::Chart, &TCustomAnimationChart::SetChart);
    Prop("Series", &TCustomAnimationChart::Series, &TCustomAnimationChart::SetSeries);
}

TV_PUBLISHED(TSeriesAnimation)
{
    Prop("DrawEvery", &TSeriesAnimation::DrawEvery, &TSeriesAnimation::SetDrawEvery, 0);
    PropEnum("Loop", &TSeriesAnimation::SeriesLoop, &TSeriesAnimation::SetSeriesLoop, salNo, TSeriesAnimationLoopNames);
    Prop("StartAtMin", &TSeriesAnimation::StartAtMin, &TSeriesAnimation::SetStartAtMin, true);
    Prop("StartValue", &TSeriesAnimation::StartValue, &TSeriesAnimation::SetStartValue);
}

TV_PUBLISHED(TRandomPointsAnimation) {}

// ---- chart animation ----

TCustomAnimationChart::~TCustomAnimationChart()
{
    if (series_) series_->RemoveFreeNotification(this);
    if (chart_) chart_->RemoveFreeNotification(this);
}

void TCustomAnimationChart::SetChart(TCustomAxisPanel* value)
{
    if (chart_ == value) return;
    // Old subscriptions stay: a run's kept series and charts may share them.
    chart_ = value;
    if (chart_) chart_->FreeNotification(this);
}

void TCustomAnimationChart::SetSeries(TChartSeries* value)
{
    if (series_ == value) return;
    series_ = value;
    if (series_) series_->FreeNotification(this);
    if (!series_ && RunState() == arsRunning) DoStop();
}

bool TCustomAnimationChart::AcceptsPanel(TComponent* panel) const
{
    return dynamic_cast<TCustomAxisPanel*>(panel) != nullptr;
}

void TCustomAnimationChart::Notification(TComponent* component, TOperation operation)
{
    TZebAnimation::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == series_) series_ = nullptr;
    if (component == chart_) chart_ = nullptr;
    if (!series_ && RunState() == arsRunning) DoStop();
}

std::vector<TChartSeries*> TCustomAnimationChart::ActedOn() const
{
    if (series_) return {series_};
    std::vector<TChartSeries*> all;
    if (chart_)
        for (TChartSeries* s : chart_->SeriesList()) all.push_back(s);
    return all;
}

TCustomAxisPanel* TCustomAnimationChart::WorkingChart() const
{
    if (chart_) return chart_;
    return series_ ? series_->ParentChart() : nullptr;
}

// ---- series values ----

namespace {
TChartAxis* valueAxis(TChartSeries* s)
{
    return s->YMandatory() ? s->GetVertAxis() : s->GetHorizAxis();
}

TChartAxis* pairedAxis(TChartSeries* s)
{
    TCustomAxisPanel* chart = s->ParentChart();
    if (!chart) return nullptr;
    if (s->YMandatory()) return s->VertAxis() == aBothVertAxis ? chart->RightAxis() : nullptr;
    return s->HorizAxis() == aBothHorizAxis ? chart->TopAxis() : nullptr;
}

void drawNow(TCustomAxisPanel* chart)
{
    if (chart && !chart->IsDestroying()) chart->DrawWhole();
}
}  // namespace

TSeriesAnimation::~TSeriesAnimation() { releaseKept(); }

void TSeriesAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TSeriesAnimation*>(source)) {
        SetChart(other->Chart());
        SetSeries(other->Series());
        drawEvery_ = other->drawEvery_;
        seriesLoop_ = other->seriesLoop_;
        startAtMin_ = other->startAtMin_;
        startValue_ = other->startValue_;
    }
    TCustomAnimationChart::Assign(source);
}

void TSeriesAnimation::releaseKept()
{
    // Subscriptions stay: one may be shared with Chart or Series, and a stale one costs nothing.
    kept_.clear();
    legendChart_ = nullptr;
}

TChartSeries* TSeriesAnimation::KeptCopy(int index) const
{
    return index >= 0 && index < static_cast<int>(kept_.size()) ? kept_[static_cast<size_t>(index)].copy.get()
                                                                : nullptr;
}

void TSeriesAnimation::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove) {
        for (auto& k : kept_)
            if (k.series == component) k.series = nullptr;
        if (component == legendChart_) legendChart_ = nullptr;
        // The chart's axes go with it.
        for (auto& k : kept_)
            if (k.chart == component) k.axis = k.paired = nullptr, k.chart = nullptr;
    }
    TCustomAnimationChart::Notification(component, operation);
}

void TSeriesAnimation::Prepare()
{
    TCustomAnimationChart::Prepare();
    releaseKept();
    for (TChartSeries* s : ActedOn()) KeepOriginalValues(s);
    if (auto* chart = dynamic_cast<TChart*>(legendChart_)) {
        // The legend keeps showing the items it had while the values move.
        TLegendItems& items = chart->Legend()->Items();
        savedCustomItems_ = items.UseCustomItems();
        if (!savedCustomItems_ && items.Count() > 0) items.SetUseCustomItems(true);
    }
    prepared_ = true;
    if (Started) Started(this);
}

void TSeriesAnimation::KeepOriginalValues(TChartSeries* s)
{
    Kept k;
    k.series = s;
    s->FreeNotification(this);
    k.copy.reset(static_cast<TChartSeries*>(s->ClassType().CreateComponent(nullptr)));
    if (s->Active()) {
        k.copy->CopyValuesFrom(s);
        if (TChartAxis* axis = valueAxis(s)) {
            TCustomAxisPanel* chart = s->ParentChart();
            k.axis = axis;
            k.chart = chart;
            if (chart) chart->FreeNotification(this);
            k.wasAutomatic = axis->Automatic();
            if (k.wasAutomatic && axis->Maximum() == axis->Minimum() && chart) {
                // No range yet: one draw off screen computes it.
                TOwnedPtr<TBitmap> drawn(chart->MakePanelBitmap());
            }
            axis->SetAutomatic(false);
            if ((k.paired = pairedAxis(s))) {
                k.pairedWasAutomatic = k.paired->Automatic();
                k.paired->SetAutomatic(false);
            }
        }
        s->BeginPointUpdate();
        k.updating = true;
    }
    kept_.push_back(std::move(k));
    if (s->Active()) FillStartValues(s);
    if (s->ParentChart() && legendChart_ != s->ParentChart()) {
        legendChart_ = s->ParentChart();
        legendChart_->FreeNotification(this);
    }
}

void TSeriesAnimation::FillStartValues(TChartSeries* s)
{
    if (Inverted()) return;
    TChartValueList* list = s->MandatoryValueList();
    const double v = startAtMin_ ? list->Lowest() : startValue_;
    for (int i = 0; i < list->Count(); ++i) list->SetValueAt(i, v);
}

void TSeriesAnimation::ApplyFraction(float fraction)
{
    bool any = false;
    TCustomAxisPanel* chart = nullptr;
    for (size_t i = 0; i < kept_.size(); ++i) {
        TChartSeries* s = kept_[i].series;
        if (!s) continue;
        if (InterpolateValues(s, static_cast<int>(i), fraction)) {
            any = true;
            if (!chart) chart = s->ParentChart();
        }
    }
    if (any) drawNow(chart ? chart : Chart());
    if (Stepped) Stepped(this);
}

bool TSeriesAnimation::InterpolateValues(TChartSeries* s, int index, float fraction)
{
    if (!s->Active()) return false;
    TChartSeries* copy = KeptCopy(index);
    if (!copy) return false;
    TChartValueList* values = s->MandatoryValueList();
    const TChartValueList* orig = copy->MandatoryValueList();
    const int count = std::min(values->Count(), orig->Count());
    if (drawEvery_ <= 0) {
        for (int k = 0; k < count; ++k) values->SetValueAt(k, fraction * orig->ValueAt(k));
        return true;
    }
    const int n = drawEvery_;
    const int groups = count / n;
    if (groups == 0) return true;
    const int full = static_cast<int>(groups * fraction);
    for (int k = 0; k < std::min(full * n, count); ++k) values->SetValueAt(k, orig->ValueAt(k));
    const double g = full > 0 ? groups * (fraction - static_cast<double>(full) / groups) : groups * fraction;
    for (int k = full * n; k < std::min((full + 1) * n, count); ++k) values->SetValueAt(k, orig->ValueAt(k) * g);
    return true;
}

bool TSeriesAnimation::Finish()
{
    const bool freeIt = TCustomAnimationChart::Finish();
    std::vector<TCustomAxisPanel*> redraw;
    for (auto& k : kept_) {
        TChartSeries* s = k.series;
        if (s && k.copy && s->Active()) {
            TChartValueList* values = s->MandatoryValueList();
            const TChartValueList* orig = k.copy->MandatoryValueList();
            const int count = std::min(values->Count(), orig->Count());
            for (int i = 0; i < count; ++i) values->SetValueAt(i, orig->ValueAt(i));
        }
        if (k.axis && k.wasAutomatic) k.axis->SetAutomatic(true);
        if (k.paired && k.pairedWasAutomatic) k.paired->SetAutomatic(true);
        k.axis = k.paired = nullptr;
        if (s && k.updating) s->EndPointUpdate();
        k.updating = false;
        if (s && s->ParentChart() && std::find(redraw.begin(), redraw.end(), s->ParentChart()) == redraw.end())
            redraw.push_back(s->ParentChart());
    }
    if (auto* chart = dynamic_cast<TChart*>(legendChart_); chart && prepared_ && !chart->IsDestroying())
        chart->Legend()->Items().SetUseCustomItems(savedCustomItems_);
    prepared_ = false;
    for (TCustomAxisPanel* chart : redraw) drawNow(chart);
    if (Stopped) Stopped(this);
    return freeIt;
}

// ---- random points ----

void TRandomPointsAnimation::Prepare()
{
    targets_.clear();
    TSeriesAnimation::Prepare();
}

void TRandomPointsAnimation::KeepOriginalValues(TChartSeries* s)
{
    TSeriesAnimation::KeepOriginalValues(s);
    TOwnedPtr<TChartSeries> target(static_cast<TChartSeries*>(s->ClassType().CreateComponent(nullptr)));
    if (s->Active()) {
        target->CopyValuesFrom(s);
        TChartValueList* m = target->MandatoryValueList();
        TChartValueList* o = target->OrderValueList();
        const double lowM = m->Lowest(), rangeM = m->Highest() - lowM;
        const double lowI = o->Lowest(), rangeI = o->Highest() - lowI;
        for (int k = 0; k < m->Count(); ++k) {
            m->SetValueAt(k, lowM + 4 * rangeM * (Random(1000) - 500) * 0.001);
            o->SetValueAt(k, lowI + 4 * rangeI * (Random(1000) - 500) * 0.001);
        }
    }
    targets_.push_back(std::move(target));
}

bool TRandomPointsAnimation::InterpolateValues(TChartSeries* s, int index, float fraction)
{
    if (!s->Active()) return false;
    TChartSeries* copy = KeptCopy(index);
    if (!copy || index >= static_cast<int>(targets_.size())) return false;
    TChartSeries* target = targets_[static_cast<size_t>(index)].get();
    auto move = [fraction](TChartValueList* values, const TChartValueList* orig, const TChartValueList* to) {
        const int count = std::min({values->Count(), orig->Count(), to->Count()});
        for (int k = 0; k < count; ++k)
            values->SetValueAt(k, orig->ValueAt(k) + (1 - fraction) * (to->ValueAt(k) - orig->ValueAt(k)));
    };
    move(s->MandatoryValueList(), copy->MandatoryValueList(), target->MandatoryValueList());
    move(s->OrderValueList(), copy->OrderValueList(), target->OrderValueList());
    return true;
}
