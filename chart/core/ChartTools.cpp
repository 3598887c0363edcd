#include "chart/core/ChartTools.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"

namespace {
class TSeriesToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TSeriesToolEditor"; }
};
class TAxisToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAxisToolEditor"; }
};
}  // namespace

TV_PUBLISHED_AS(TZebCustomTool, TChartElementClass) {}

TV_PUBLISHED_AS(TZebCustomToolSeries, TSeriesToolClass)
{
    Prop("Series", &TZebCustomToolSeries::Series, &TZebCustomToolSeries::SetSeries);
}

TV_PUBLISHED_AS(TZebCustomToolAxis, TAxisToolClass) {}

TV_PUBLISHED_AS(TZebCustomAnimation, TChartElementClass) {}

// ---- tool ----

TZebCustomTool::TZebCustomTool(TComponent* owner) : TCustomChartElement(owner) {}

TChartTools* TZebCustomTool::ChartList(TCustomAxisPanel* chart) const { return &chart->Tools(); }

void TZebCustomTool::SetParentChart(TCustomAxisPanel* value)
{
    TCustomAxisPanel* old = ParentChart();
    if (old == value) return;
    if (old) {
        ChartList(old)->Remove(this);
        if (!value) old->Invalidate();
    }
    TCustomChartElement::SetParentChart(value);
    if (value) ChartList(value)->AddToList(this);
}

// ---- series tool ----

void TZebCustomToolSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebCustomToolSeries*>(source)) SetSeries(other->series_);
    TZebCustomTool::Assign(source);
}

void TZebCustomToolSeries::SetSeries(TChartSeries* value)
{
    if (series_ == value) return;
    // The old reference stops and the new one starts telling this object that it goes.
    if (series_) series_->RemoveFreeNotification(this);
    series_ = value;
    if (series_) series_->FreeNotification(this);
}

void TZebCustomToolSeries::Notification(TComponent* component, TOperation operation)
{
    TZebCustomTool::Notification(component, operation);
    if (operation == opRemove && component == series_) series_ = nullptr;
}

namespace {
TChartAxis* firstAxisInUse(TCustomAxisPanel* chart, bool horizontal)
{
    TChartAxis* first = horizontal ? chart->BottomAxis() : chart->LeftAxis();
    TChartAxis* second = horizontal ? chart->TopAxis() : chart->RightAxis();
    if (chart->IsAxisInUse(first, false)) return first;
    if (chart->IsAxisInUse(second, false)) return second;
    for (int i = 0; i < chart->CustomAxes()->Count(); ++i) {
        TChartAxis* axis = chart->CustomAxes()->GetAxisAt(i);
        if (axis->Horizontal() == horizontal && chart->IsAxisInUse(axis, false)) return axis;
    }
    return first;
}
}  // namespace

TChartAxis* TZebCustomToolSeries::WorkingHorizAxis() const
{
    if (series_)
        return series_->HorizAxis() == aCustomHorizAxis ? series_->CustomHorizAxis() : series_->GetHorizAxis();
    return ParentChart() ? firstAxisInUse(ParentChart(), true) : nullptr;
}

TChartAxis* TZebCustomToolSeries::WorkingVertAxis() const
{
    if (series_)
        return series_->VertAxis() == aCustomVertAxis ? series_->CustomVertAxis() : series_->GetVertAxis();
    return ParentChart() ? firstAxisInUse(ParentChart(), false) : nullptr;
}

// ---- axis tool ----

void TZebCustomToolAxis::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebCustomToolAxis*>(source)) SetAxis(other->axis_);
    TZebCustomTool::Assign(source);
}

void TZebCustomToolAxis::SetAxis(TChartAxis* value)
{
    // The same axis in another chart still moves the tool there.
    if (value == axis_ && (!value || value->ParentChart() == ParentChart())) return;
    axis_ = value;
    SetParentChart(value ? value->ParentChart() : nullptr);
    if (!IsLoading()) InvalidateChart();
}

int TZebCustomToolAxis::axisID() const
{
    TCustomAxisPanel* chart = axis_ ? axis_->ParentChart() : nullptr;
    if (!chart) return -1;
    for (int i = 0; i < chart->Axes().Count(); ++i)
        if (chart->Axes().Items(i) == axis_) return i;
    return -1;
}

void TZebCustomToolAxis::DefineProperties(TFiler& filer)
{
    TZebCustomTool::DefineProperties(filer);
    filer.DefineProperty(
        "AxisID", [this](TReader& reader) { readAxisID(reader); },
        [this](TWriter& writer) { writer.WriteInteger(axisID()); }, axisID() >= 0);
}

void TZebCustomToolAxis::readAxisID(TReader& reader)
{
    pendingAxisID_ = reader.ReadInteger();
    resolvePendingAxis();
}

void TZebCustomToolAxis::Loaded()
{
    TZebCustomTool::Loaded();
    resolvePendingAxis();
}

void TZebCustomToolAxis::resolvePendingAxis()
{
    const int id = pendingAxisID_;
    TCustomAxisPanel* chart = ParentChart();
    // Without its chart yet, the tool keeps the position for Loaded.
    if (id < 0 || !chart) return;
    pendingAxisID_ = -1;
    // A position outside the chart's axes names no axis.
    if (id < chart->Axes().Count()) SetAxis(chart->Axes().Items(id));
}

// ---- animation ----

TChartTools* TZebCustomAnimation::ChartList(TCustomAxisPanel* chart) const { return &chart->Animations(); }

String TZebCustomAnimation::GetDisplayText() const
{
    if (!Name().empty()) return Name();
    const TChartElementClass* cls = ChartElementClassOf(ClassType());
    const String gallery = cls ? cls->GalleryName() : String();
    return gallery.empty() ? ClassName() : gallery;
}

// ---- lists ----

TChartTools::~TChartTools() { Clear(); }

int TChartTools::IndexOf(const TZebCustomTool* tool) const
{
    const auto it = std::find(items_.begin(), items_.end(), tool);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TChartTools::AddToList(TZebCustomTool* tool)
{
    if (chart_ && IndexOf(tool) < 0) chart_->ToolFromTemplate(tool);
    if (IndexOf(tool) < 0) items_.push_back(tool);
}

TZebCustomTool* TChartTools::AddTool(TZebCustomTool* tool)
{
    if (chart_)
        tool->SetParentChart(chart_);
    else
        AddToList(tool);
    return tool;
}

TZebCustomTool* TChartTools::AddNewTool(const TMetaClass& cls)
{
    auto* tool = static_cast<TZebCustomTool*>(cls.CreateComponent(chart_));
    return AddTool(tool);
}

void TChartTools::Remove(const TZebCustomTool* tool)
{
    const int index = IndexOf(tool);
    if (index >= 0) items_.erase(items_.begin() + index);
}

void TChartTools::Clear()
{
    while (!items_.empty()) {
        TZebCustomTool* tool = items_.front();
        items_.erase(items_.begin());
        tool->Free();
    }
}
