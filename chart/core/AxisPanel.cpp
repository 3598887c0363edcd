#include "chart/core/AxisPanel.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTools.h"
#include "chart/core/ColorPalette.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebFunction.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TCustomAxisPanel)
{
    Prop("OnGetAxisLabel", &TCustomAxisPanel::OnGetAxisLabel, &TCustomAxisPanel::SetOnGetAxisLabel);
    Prop("OnGetNextAxisLabel", &TCustomAxisPanel::OnGetNextAxisLabel, &TCustomAxisPanel::SetOnGetNextAxisLabel);
}

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner)
    : TCustomZebPanelExtended(owner), axes_(std::make_unique<TChartAxes>(this))
{
    SetAutoRepaint(false);
    animations_ = std::make_unique<TChartAnimations>(this);
    tools_ = std::make_unique<TChartTools>(this);
    seriesGroups_ = new TSeriesGroups(this);
    customAxes_ = new TChartCustomAxes(this, nullptr);
    // Created in this order, each joins the axes list: Bottom, Top, Left, Right, Depth, DepthTop.
    (new TChartAxis(this))->SetHorizontal(true);
    auto* top = new TChartAxis(this);
    top->SetHorizontal(true);
    top->SetOtherSide(true);
    top->SetZPosition(100);
    top->Grid()->InitZPosition(100);
    new TChartAxis(this);
    auto* right = new TChartAxis(this);
    right->SetOtherSide(true);
    right->SetZPosition(100);
    right->Grid()->InitZPosition(100);
    const char* const names[] = {"Bottom", "Top", "Left", "Right", "Depth", "DepthTop"};
    (new TChartDepthAxis(this))->SetOtherSide(true);
    new TChartDepthAxis(this);
    for (int i = 0; i < axes_->Count(); ++i) axes_->Items(i)->ElementName = names[i];
    pages_ = std::make_unique<TChartPage>(this);
    hover_ = std::make_unique<TZebHover>(this);
    SetAutoRepaint(true);
}

TCustomAxisPanel::~TCustomAxisPanel() { teardown(); }

void TCustomAxisPanel::BeforeDestruction()
{
    teardown();
    TCustomZebPanelExtended::BeforeDestruction();
}

void TCustomAxisPanel::teardown()
{
    if (tornDown_) return;
    tornDown_ = true;
    DisposeAllSeries(nullptr);
    animations_->Clear();
    pages_.reset();
    axes_->Clear();
    delete customAxes_;
    customAxes_ = nullptr;
    delete seriesGroups_;
    seriesGroups_ = nullptr;
    for (TZebCustomTool* tool : *tools_)
        if (auto* axisTool = dynamic_cast<TZebCustomToolAxis*>(tool)) axisTool->ForgetAxis();
    tools_->Clear();
    hover_.reset();
}

void TCustomAxisPanel::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomAxisPanel*>(source)) {
        chart3DPercent_ = other->chart3DPercent_;
        axisBehind_ = other->axisBehind_;
        axisVisible_ = other->axisVisible_;
        BottomAxis()->Assign(other->BottomAxis());
        clipPoints_ = other->clipPoints_;
        colorPalette_ = other->colorPalette_;
        customAxes_->Assign(other->customAxes_);
        hover_->Assign(other->hover_.get());
        LeftAxis()->Assign(other->LeftAxis());
        DepthAxis()->Assign(other->DepthAxis());
        DepthTopAxis()->Assign(other->DepthTopAxis());
        pages_->Assign(other->pages_.get());
        RightAxis()->Assign(other->RightAxis());
        TopAxis()->Assign(other->TopAxis());
        view3DWalls_ = other->view3DWalls_;
    }
    TCustomZebPanelExtended::Assign(source);
}

void TCustomAxisPanel::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TCustomZebPanelExtended::GetChildren(proc, root);
    for (TChartSeries* series : series_)
        if (!series->Internal()) proc(series);
}

void TCustomAxisPanel::Loaded()
{
    TCustomZebPanelExtended::Loaded();
    for (int i = 0; i < seriesGroups_->Count(); ++i) seriesGroups_->GetGroup(i)->RebuildFromStored(*this);
}

void TCustomAxisPanel::DefineProperties(TFiler& filer)
{
    TCustomZebPanelExtended::DefineProperties(filer);
    filer.DefineProperty(
        "MaxPointsPerPage", [this](TReader& reader) { pages_->SetMaxPointsPerPage(reader.ReadInteger()); }, nullptr,
        false);
    filer.DefineProperty(
        "Page", [this](TReader& reader) { pages_->SetCurrent(reader.ReadInteger()); }, nullptr, false);
    filer.DefineProperty(
        "ScaleLastPage", [this](TReader& reader) { pages_->SetScaleLastPage(reader.ReadBoolean()); }, nullptr, false);
}

// ---- settings ----

void TCustomAxisPanel::SetChart3DPercent(int value)
{
    Change(chart3DPercent_, std::clamp(value, 1, 100));
}

void TCustomAxisPanel::SetAxisBehind(bool value) { Change(axisBehind_, value); }
void TCustomAxisPanel::SetAxisVisible(bool value) { Change(axisVisible_, value); }
void TCustomAxisPanel::SetClipPoints(bool value) { Change(clipPoints_, value); }
void TCustomAxisPanel::SetView3DWalls(bool value) { Change(view3DWalls_, value); }
void TCustomAxisPanel::SetHover(TZebHover* value) { hover_->Assign(value); }
void TCustomAxisPanel::SetCustomAxes(TChartCustomAxes* value) { customAxes_->Assign(value); }
void TCustomAxisPanel::SetSeriesGroups(TSeriesGroups* value) { seriesGroups_->Assign(value); }
bool TCustomAxisPanel::IsSeriesGroupsStored() const { return seriesGroups_->Count() > 0; }
void TCustomAxisPanel::SetPages(TChartPage* value) { pages_->Assign(value); }

// ---- axes ----

TChartDepthAxis* TCustomAxisPanel::DepthAxis() const { return static_cast<TChartDepthAxis*>(axes_->GetDepthAxis()); }

TChartDepthAxis* TCustomAxisPanel::DepthTopAxis() const
{
    return static_cast<TChartDepthAxis*>(axes_->GetDepthTopAxis());
}

void TCustomAxisPanel::SetDepthAxis(TChartDepthAxis* value) { DepthAxis()->Assign(value); }
void TCustomAxisPanel::SetDepthTopAxis(TChartDepthAxis* value) { DepthTopAxis()->Assign(value); }

int TCustomAxisPanel::WidestMarkWidth() const
{
    int widest = 0;
    for (const TChartSeries* series : series_)
        if (series->Active()) widest = std::max(widest, series->WidestMarkWidth());
    return widest;
}

int TCustomAxisPanel::WidestSeriesLabel() const
{
    int widest = 0;
    TCanvas3D* canvas = Canvas3D();
    if (!canvas) return 0;
    for (const TChartSeries* series : series_) {
        if (!series->HasPointLabels()) continue;
        for (int i = 0; i < series->Count(); ++i) {
            const String label = series->GetPointLabel(i);
            if (!label.empty()) widest = std::max(widest, canvas->TextWidth(label));
        }
    }
    return widest;
}

String TCustomAxisPanel::SeriesTitleText(int slot, bool activeOnly) const
{
    int z = 0;
    for (const TChartSeries* series : series_) {
        if (activeOnly && !series->Active()) continue;
        if (z++ == slot) return series->TitleOrName();
    }
    return {};
}

int TCustomAxisPanel::WallSizeAt(const TChartAxis*) const { return 0; }

void TCustomAxisPanel::NotifyAxisRangeChanged(TChartAxis* axis)
{
    for (TChartSeries* series : series_) series->AxisRangeChanged(axis);
    Invalidate();
}

bool TCustomAxisPanel::IsAxisInUse(const TChartAxis* axis, bool defaultValue) const
{
    bool result = defaultValue;
    for (TChartSeries* series : series_) {
        if (!series->Active()) continue;
        if (!series->DependsOnAxes()) return false;
        result = series->IsBoundToAxis(axis);
        if (result) break;
    }
    return result;
}

bool TCustomAxisPanel::IsAxisShown(const TChartAxis* axis) const
{
    if (!axisVisible_ || !axis->Visible()) return false;
    return axis->IsDepthAxis() ? View3D() : IsAxisInUse(axis, true);
}

bool TCustomAxisPanel::NoActiveSeriesOn(const TChartAxis* axis) const
{
    return std::none_of(series_.begin(), series_.end(),
                        [axis](const TChartSeries* s) { return s->Active() && s->IsBoundToAxis(axis); });
}

TChartSeries* TCustomAxisPanel::FirstSeriesOn(const TChartAxis* axis) const
{
    const bool anyActive = !NoActiveSeriesOn(axis);
    for (TChartSeries* series : series_)
        if ((series->Active() || !anyActive) && series->IsBoundToAxis(axis)) return series;
    return nullptr;
}

TChartSeries* TCustomAxisPanel::LongestSeriesOn(const TChartAxis* axis) const
{
    const bool anyActive = !NoActiveSeriesOn(axis);
    TChartSeries* result = nullptr;
    for (TChartSeries* series : series_)
        if ((series->Active() || !anyActive) && series->IsBoundToAxis(axis) &&
            (!result || series->Count() > result->Count()))
            result = series;
    return result;
}

// ---- series ----

void TCustomAxisPanel::AddSeries(TChartSeries* series)
{
    if (IndexOfSeries(series) >= 0) return;
    StyleFromTemplate(series);
    series->storeParentChart(this);
    series->AddedToChart();
    series_.AppendSeries(series);
    BroadcastSeriesEvent(series, seAdded);
    if (onAddSeries_) onAddSeries_(series);
    Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series) { RemoveSeriesAt(IndexOfSeries(series)); }

void TCustomAxisPanel::RemoveSeriesAt(int index)
{
    if (index < 0) return;
    TChartSeries* series = series_.GetSeriesAt(index);
    BroadcastSeriesEvent(series, seRemoving);
    series->RemovedFromChart();
    series_.Remove(series);
    if (onRemoveSeries_) onRemoveSeries_(series);
    BroadcastSeriesEvent(series, seRemoved);
    Invalidate();
}

int TCustomAxisPanel::ActiveSeriesTotal() const
{
    return static_cast<int>(std::count_if(series_.begin(), series_.end(), [](const TChartSeries* s) { return s->Active(); }));
}

int TCustomAxisPanel::MaxPointCount() const
{
    int result = 0;
    for (TChartSeries* series : series_)
        if (series->Active()) result = std::max(result, series->Count());
    return result;
}

TChartSeries* TCustomAxisPanel::NewSeries(const TMetaClass& cls)
{
    return AdoptSeries(static_cast<TChartSeries*>(cls.CreateComponent(GetSeriesOwner())));
}

TChartSeries* TCustomAxisPanel::AdoptSeries(TChartSeries* series)
{
    series->SetParentChart(this);
    return series;
}

void TCustomAxisPanel::DisposeAllSeries(const TMetaClass* cls)
{
    // A series that is a detail sub-series of another one is its master's to free.
    const auto isDetail = [this](const TChartSeries* s) {
        for (TChartSeries* master : series_)
            if (const TSeriesDetail* detail = master->DetailOrNull(); detail && detail->Contains(s)) return true;
        return false;
    };
    int i = 0;
    while (i < NumSeries()) {
        TChartSeries* series = GetSeriesAt(i);
        if (cls && !series->InheritsFrom(*cls)) {
            ++i;
            continue;
        }
        const bool detail = isDetail(series);
        series->SetParentChart(nullptr);
        if (!detail) series->Free();
    }
}

void TCustomAxisPanel::ExchangeSeries(int index1, int index2)
{
    const auto skipInternal = [this](int index) {
        if (!GetSeriesAt(index)->Internal()) return index;
        for (int i = index + 1; i < NumSeries(); ++i)
            if (!GetSeriesAt(i)->Internal()) return i;
        return index;
    };
    index1 = skipInternal(index1);
    index2 = skipInternal(index2);
    TChartSeries* a = GetSeriesAt(index1);
    TChartSeries* b = GetSeriesAt(index2);
    series_.Exchange(index1, index2);
    if (a->Owner() && a->Owner() == b->Owner()) {
        const int ia = a->ComponentIndex(), ib = b->ComponentIndex();
        a->SetComponentIndex(ib);
        b->SetComponentIndex(ia);
    }
    if (const int g = seriesGroups_->IndexOfSeries(a); g >= 0) {
        TCustomSeriesList& members = seriesGroups_->GetGroup(g)->Series();
        if (const int ib = members.IndexOf(b); ib >= 0) members.Exchange(members.IndexOf(a), ib);
    }
    BroadcastSeriesEvent(nullptr, seOrderChanged);
    Invalidate();
}

void TCustomAxisPanel::SwapSeries(TChartSeries* a, TChartSeries* b)
{
    if (a->ParentChart() == this && b->ParentChart() == this) {
        ExchangeSeries(IndexOfSeries(a), IndexOfSeries(b));
        return;
    }
    TCustomAxisPanel* chartA = a->ParentChart();
    TCustomAxisPanel* chartB = b->ParentChart();
    a->SetParentChart(chartB);
    b->SetParentChart(chartA);
}

void TCustomAxisPanel::BroadcastSeriesEvent(TChartSeries* series, TZebSeriesEventKind kind)
{
    if (suppressSeriesEvents_ || !HasListeners()) return;
    TZebSeriesEvent event;
    event.Kind = kind;
    event.Series = series;
    BroadcastEvent(&event);
}

TChartSeries* TCustomAxisPanel::LegendSeries(int position, bool activeOnly) const
{
    int n = 0;
    for (TChartSeries* series : series_) {
        if (series->Internal() || !series->ShowInLegend() || (activeOnly && !series->Active())) continue;
        if (n++ == position) return series;
    }
    return nullptr;
}

String TCustomAxisPanel::LegendSeriesTitle(int position, bool activeOnly) const
{
    TChartSeries* series = LegendSeries(position, activeOnly);
    if (!series) return String();
    return series->LegendTitle().empty() ? series->GetTitleOrName(true) : CleanLegendText(series->LegendTitle());
}

String CleanLegendText(const String& text)
{
    String s = text;
    std::replace(s.begin(), s.end(), '\x06', ' ');
    if (const size_t lfcr = s.find("\n\r"); lfcr != String::npos)
        s.erase(lfcr, 1);
    else if (const size_t crlf = s.find("\r\n"); crlf != String::npos)
        s.erase(crlf, 1);
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

// ---- colours ----

TColor TCustomAxisPanel::PaletteColor(int index) const
{
    if (!colorPalette_.empty()) return colorPalette_[static_cast<size_t>(index) % colorPalette_.size()];
    return DefaultPaletteColor(index);
}

TColor TCustomAxisPanel::PickFreeColor(bool checkBackground, const TChartSeries* ignoreSeries) const
{
    const int high = static_cast<int>(colorPalette_.empty() ? DefaultColorPalette.size() : colorPalette_.size()) - 1;
    // The last entry is never tried: when every other one is taken the series' position decides.
    for (int i = 0; i < high; ++i) {
        const TColor c = PaletteColor(i);
        if (IsColorFree(c, checkBackground, ignoreSeries)) return c;
    }
    return PaletteColor(NumSeries());
}

void TCustomAxisPanel::ReassignAutoColors()
{
    for (TChartSeries* series : series_)
        if (!series->IsSeriesColorStored()) series->SetPickedColor(PickFreeColor(true, series));
}

bool TCustomAxisPanel::IsColorFree(TColor color, bool, const TChartSeries* ignoreSeries) const
{
    return std::none_of(series_.begin(), series_.end(), [&](const TChartSeries* s) {
        return s != ignoreSeries && s->SeriesColor() == color;
    });
}

// ---- data sources ----

bool TCustomAxisPanel::IsAcceptableSource(TChartSeries* series, TComponent* source)
{
    bool accept = false;
    if (auto* sourceSeries = dynamic_cast<TChartSeries*>(source))
        accept = sourceSeries != series && series->FunctionAcceptsSource(sourceSeries);
    else if (dynamic_cast<TZebSeriesSource*>(source))
        accept = SeriesSourceClassOf(source->ClassType())->AppliesToChart(this);
    if (accept && onValidDataSource_) onValidDataSource_(this, series, accept, source);
    return accept;
}

void TCustomAxisPanel::CheckSourceLoop(TComponent* component, TChartSeries* series) const
{
    if (auto* source = dynamic_cast<TChartSeries*>(component)) series->CheckNoCircularSource(source);
}

void TCustomAxisPanel::DetachSourceComponent(TChartSeries* series, TComponent* source)
{
    if (auto* seriesSource = dynamic_cast<TZebSeriesSource*>(source); seriesSource && series->DataSource() == source)
        seriesSource->DetachSeries();
}

void TCustomAxisPanel::RefreshSeriesData(TChartSeries* series) { series->RefreshFromSources(); }

// ---- tools and templates ----

void TCustomAxisPanel::StyleFromTemplate(TChartSeries* series)
{
    if (!templateChart_) return;
    TChartSeries* model = nullptr;
    for (TChartSeries* s : templateChart_->series_)
        if (&s->ClassType() == &series->ClassType()) {
            model = s;
            break;
        }
    if (!model)
        for (TChartSeries* s : templateChart_->series_)
            if (s->Is<TThemedSeries>()) {
                model = s;
                break;
            }
    if (!model) model = templateChart_->NewSeries(TChartSeries::StaticClass());
    series->CopyAppearance(model);
}

void TCustomAxisPanel::ToolFromTemplate(TZebCustomTool* tool)
{
    if (!templateChart_) return;
    for (TZebCustomTool* t : *templateChart_->tools_)
        if (t->InheritsFrom(tool->ClassType()) || tool->InheritsFrom(t->ClassType())) {
            tool->Assign(t);
            return;
        }
}

void TCustomAxisPanel::AxisFromTemplate(TChartAxis* axis)
{
    if (!templateChart_) return;
    TChartAxis* model = nullptr;
    for (int i = 0; i < templateChart_->axes_->Count() && !model; ++i) {
        TChartAxis* candidate = templateChart_->axes_->Items(i);
        if (candidate->Visible() && candidate->Horizontal() == axis->Horizontal()) model = candidate;
    }
    if (!model) {
        templateChart_->customAxes_->AddAxis();
        model = templateChart_->customAxes_->GetAxisAt(0);
    }
    axis->Assign(model);
}

// ---- events ----

void TCustomAxisPanel::FireBeforeDrawChart()
{
    if (onBeforeDrawChart_) onBeforeDrawChart_(this);
}

void TCustomAxisPanel::FireBeforeDrawAxes()
{
    if (onBeforeDrawAxes_) onBeforeDrawAxes_(this);
}

void TCustomAxisPanel::FireBeforeDrawSeries()
{
    if (onBeforeDrawSeries_) onBeforeDrawSeries_(this);
}

void TCustomAxisPanel::FireAfterDraw()
{
    if (onAfterDraw_) onAfterDraw_(this);
}
