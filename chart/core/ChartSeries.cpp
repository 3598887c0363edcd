#include "chart/core/ChartSeries.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TCustomChartElement)
{
    Prop("Active", &TCustomChartElement::Active, &TCustomChartElement::SetActive, true);
}

TV_PUBLISHED(TChartSeries)
{
    PropEnum("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis, aBottomAxis, THorizAxisNames);
    PropEnum("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis, aLeftAxis, TVertAxisNames);
    Prop("XValues", &TChartSeries::XValues, &TChartSeries::SetXValues);
    Prop("YValues", &TChartSeries::YValues, &TChartSeries::SetYValues);
}

TCustomChartElement::TCustomChartElement(TComponent* owner) : TComponent(owner) {}

void TCustomChartElement::BeforeDestruction()
{
    SetParentChart(nullptr);
    TComponent::BeforeDestruction();
}

void TCustomChartElement::SetActive(bool value) { ChangeBoolean(active_, value); }

void TCustomChartElement::SetParentChart(TCustomAxisPanel* value) { parentChart_ = value; }

void TCustomChartElement::ChangeBoolean(bool& field, bool value)
{
    if (field == value) return;
    field = value;
    InvalidateChart();
}

void TCustomChartElement::ChangeInteger(int& field, int value)
{
    if (field == value) return;
    field = value;
    InvalidateChart();
}

void TCustomChartElement::ChangeDouble(double& field, double value)
{
    if (field == value) return;
    field = value;
    InvalidateChart();
}

void TCustomChartElement::ChangeString(String& field, const String& value)
{
    if (field == value) return;
    field = value;
    InvalidateChart();
}

void TCustomChartElement::InvalidateChart()
{
    if (parentChart_) parentChart_->Invalidate();
}

void TCustomChartElement::StyleChanged(TObject*) { InvalidateChart(); }

TChartValueLists::~TChartValueLists()
{
    for (TChartValueList* list : lists_) delete list;
}

TChartSeries::TChartSeries(TComponent* owner) : TCustomChartElement(owner)
{
    xValues_ = new TChartValueList(this, TxtX);
    xValues_->SetOrder(loAscending);
    yValues_ = new TChartValueList(this, TxtY);
}

TChartSeries::~TChartSeries()
{
    // Held on the stack: BeforeDestruction has not run.
    SetParentChart(nullptr);
}

void TChartSeries::SetActive(bool value) { TCustomChartElement::SetActive(value); }

void TChartSeries::SetParentChart(TCustomAxisPanel* value)
{
    TCustomAxisPanel* old = ParentChart();
    if (old == value) return;
    if (old) old->DetachSeries(this);
    if (value) value->AddSeries(this);
    ResolveAxes();
}

void TChartSeries::SetXValues(TChartValueList* value)
{
    xValues_->Assign(value);
    InvalidateChart();
}

void TChartSeries::SetYValues(TChartValueList* value)
{
    yValues_->Assign(value);
    InvalidateChart();
}

void TChartSeries::SetHorizAxis(THorizAxis value)
{
    horizAxis_ = value;
    if (value != aCustomHorizAxis && !IsLoading()) customHorizAxis_ = nullptr;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetVertAxis(TVertAxis value)
{
    vertAxis_ = value;
    if (value != aCustomVertAxis && !IsLoading()) customVertAxis_ = nullptr;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* axis)
{
    customHorizAxis_ = axis;
    horizAxis_ = aCustomHorizAxis;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* axis)
{
    customVertAxis_ = axis;
    vertAxis_ = aCustomVertAxis;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::ResolveAxes()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) {
        horizAxisObject_ = vertAxisObject_ = nullptr;
        return;
    }
    if (horizAxis_ == aTopAxis)
        horizAxisObject_ = chart->TopAxis();
    else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_)
        horizAxisObject_ = customHorizAxis_;
    else
        horizAxisObject_ = chart->BottomAxis();
    if (vertAxis_ == aRightAxis)
        vertAxisObject_ = chart->RightAxis();
    else if (vertAxis_ == aCustomVertAxis && customVertAxis_)
        vertAxisObject_ = customVertAxis_;
    else
        vertAxisObject_ = chart->LeftAxis();
}

bool TChartSeries::IsBoundToAxis(const TChartAxis* axis) const
{
    if (!DependsOnAxes()) return false;
    if (axis->IsDepthAxis()) return true;
    if (axis->Horizontal()) return horizAxis_ == aBothHorizAxis || axis == horizAxisObject_;
    return vertAxis_ == aBothVertAxis || axis == vertAxisObject_;
}

TChartValueList* TChartSeries::GetAxisValueList(const TChartAxis* axis) const
{
    if (!IsBoundToAxis(axis)) return nullptr;
    return axis->Horizontal() ? xValues_ : yValues_;
}

void TChartSeries::NotifyDependents(int, int) {}

void TChartSeries::RefreshData() {}

TAxisLabelStyle TChartSeries::PreferredLabelStyle(const TChartAxis* axis) const
{
    if (axis == GetValueAxis()) return talValue;
    return PlacesByPointIndex() ? talPointValue : talValue;
}
