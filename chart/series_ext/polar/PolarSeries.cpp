#include "chart/series_ext/polar/PolarSeries.h"

#include <cmath>
#include <numbers>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED(TPolarSeries)
{
    Prop("AngleValues", &TPolarSeries::AngleValues, &TPolarSeries::SetAngleValues);
}

TV_PUBLISHED(TRadarSeries) {}

TV_PUBLISHED(TPolarBarSeries) {}

// ---- polar ----

TPolarSeries::TPolarSeries(TComponent* owner)
    : TCustomPolarSeries(owner), angleValues_(new TChartValueList(this, "AngleValues"))
{
    XValues()->SetOrder(loNone);
}

void TPolarSeries::SetPointAngle(int index, double angle)
{
    angleValues_->SetValueAt(index, angle);
    InvalidateChart();
}

int TPolarSeries::AddPolar(double angle, double radius, const String& label, TColor color)
{
    const int index = InsertXY(radius, radius, label, color);
    if (index != -1) angleValues_->SetValueAt(index, ClockWiseLabels() ? 360 - angle : angle);
    return index;
}

int TPolarSeries::AppendNull(const String& label)
{
    const int index = AddPolar(0, 0, label);
    if (index != -1) SetPointNull(index, true);
    return index;
}

int TPolarSeries::AppendNullXY(double x, double y, const String& label)
{
    const int index = AddPolar(x, y, label);
    if (index != -1) SetPointNull(index, true);
    return index;
}

void TPolarSeries::AddRandomPoints(int count, bool valuesOnly)
{
    (void)valuesOnly;
    for (int i = 1; i <= count; ++i) AddPolar(360.0 / count * i, RandomInt(1000) + 1);
}

int TPolarSeries::PointScreenX(int index) const
{
    return CalcXYPos(InnerXRadius, *GetHorizAxis(), YValues()->ValueAt(index), GetPointAngle(index)).X;
}

int TPolarSeries::PointScreenY(int index) const
{
    return CalcXYPos(InnerYRadius, *GetVertAxis(), YValues()->ValueAt(index), GetPointAngle(index)).Y;
}

int TPolarSeries::ValueScreenY(double value) const
{
    const TChartAxis* axis = GetVertAxis();
    if (!axis) return TCustomPolarSeries::ValueScreenY(value);
    return TCustomPolarSeries::ValueScreenY(axis->Maximum() + axis->Minimum() - value);
}

double TPolarSeries::ValueAtScreenX(int pixel) const { return std::abs(TCustomPolarSeries::ValueAtScreenX(pixel)); }

double TPolarSeries::ValueAtScreenY(int pixel) const
{
    const TChartAxis* axis = GetVertAxis();
    const double v = TCustomPolarSeries::ValueAtScreenY(pixel);
    return axis ? std::abs(axis->Maximum() + axis->Minimum() - v) : std::abs(v);
}

void TPolarSeries::MovePoint(int x, int y, int index, bool changeAngle, bool changeRadius)
{
    if (changeAngle) angleValues_->SetValueAt(index, AngleOfPixel(x, y) * 180 / std::numbers::pi);
    if (changeRadius) {
        XValues()->SetValueAt(index, RadiusOfPixel(x, y));
        YValues()->SetValueAt(index, XValues()->ValueAt(index));
    }
    InvalidateChart();
}

void TPolarSeries::BeforeDrawPoints()
{
    TCustomPolarSeries::BeforeDrawPoints();
    TCustomAxisPanel& chart = *ParentChart();
    if (!chart.ClipPoints()) return;
    TCanvas3D& canvas = *chart.Canvas3D();
    TRect r{CircleBounds.Left + 1, CircleBounds.Top + 1, CircleBounds.Right + 1, CircleBounds.Bottom + 1};
    if (chart.View3D()) r = canvas.ProjectRectAtZ(r, chart.Depth3D());
    canvas.ClipToEllipse(r);
    clipped_ = true;
}

void TPolarSeries::removeClip()
{
    if (!clipped_) return;
    clipped_ = false;
    ParentChart()->Canvas3D()->RemoveClip();
}

void TPolarSeries::DrawVisiblePoints()
{
    try {
        TCustomPolarSeries::DrawVisiblePoints();
    } catch (...) {
        removeClip();
        throw;
    }
}

void TPolarSeries::AfterDrawPoints()
{
    removeClip();
    TCustomPolarSeries::AfterDrawPoints();
}

// ---- radar ----

double TRadarSeries::GetPointX(int index) const
{
    return SideCount <= 0 ? 0 : 360.0 / SideCount * categoryOf(index);
}

String TRadarSeries::GetAngleLabel(int index, double angle) const
{
    (void)angle;
    const int i = ClockWiseLabels() ? Count() - index - 1 : index;
    const String text = i >= 0 && i < Count() ? GetLabelAt(i) : String();
    return text.empty() ? IntToStr(i) : text;
}

void TRadarSeries::AddRandomPoints(int count, bool valuesOnly)
{
    (void)valuesOnly;
    const String* names[] = {&TxtCars, &TxtPhones, &TxtTables, &TxtMonitors, &TxtLamps};
    for (int i = 0; i < count; ++i) AppendMainValue(RandomInt(1000), *names[i % 5]);
}

void TRadarSeries::SetupGalleryPreview()
{
    TCustomPolarSeries::SetupGalleryPreview();
    FillWithSamples(DefaultSampleCount());
}

void TRadarSeries::PrepareDraw()
{
    TCustomPolarSeries::PrepareDraw();
    SetRotationAngle(90);
    TCustomAxisPanel* chart = ParentChart();
    SideCount = chart ? chart->MaxPointCount() : Count();
    if (SideCount > 0) SetAngleIncrement(360.0 / SideCount);
}

// ---- polar bar ----

void TPolarBarSeries::DrawPolarPoint(int index, int x, int y)
{
    if (!IsPointUsable(index)) return;
    ApplyLinePen(index);
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    canvas.MoveToXYZ(CenterX, CenterY, DepthRange().start);
    canvas.LineToXYZ(x, y, DepthRange().start);
}
