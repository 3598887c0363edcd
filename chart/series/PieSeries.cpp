// The pie series: settings, the points of each frame (renumbering and the other slice), slice
// angles, explode, several pies per chart, hit test, legend items and gallery.
#include "chart/series/PieSeries.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AutomaticText.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/MarksTail.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ValueList.h"
#include "chart/core/ZebConst.h"
#include "chart/series/FramedBorder.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Random.h"

namespace {

class TPieSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPieSeriesEditor"; }
};

class TDonutSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TDonutSeriesEditor"; }
};

int RoundInt(double value) { return static_cast<int>(Round(value)); }

}  // namespace

TV_PUBLISHED_AS(TPieSeries, TPieSeriesClass)
{
    Prop("AngleSize", &TPieSeries::AngleSize, &TPieSeries::SetAngleSize, 360);
    Prop("AutoMarkPosition", &TPieSeries::AutoMarkPosition, &TPieSeries::SetAutoMarkPosition).Stored(false);
    Prop("Bevel", &TPieSeries::Bevel, &TPieSeries::SetBevel);
    Prop("BevelPercent", &TPieSeries::BevelPercent, &TPieSeries::SetBevelPercent).Stored(false);
    Prop("CircleBackColor", &TPieSeries::CircleBackColor, &TPieSeries::SetCircleBackColor, clAutomatic);
    Prop("ColorEachPoint", &TPieSeries::ColorEachPoint, &TPieSeries::SetColorEachPoint, true);
    Prop("Dark3D", &TPieSeries::Dark3D, &TPieSeries::SetDark3D, true);
    Prop("DarkPen", &TPieSeries::DarkPen, &TPieSeries::SetDarkPen, 0);
    PropEnum("EdgeStyle", &TPieSeries::EdgeStyle, &TPieSeries::SetEdgeStyle, edNone, TEdgeStyleNames);
    Prop("ExplodeBiggest", &TPieSeries::ExplodeBiggest, &TPieSeries::SetExplodeBiggest, 0);
    Prop("Gradient", &TPieSeries::Gradient, &TPieSeries::SetGradient);
    Prop("GradientBright", &TPieSeries::GradientBright, &TPieSeries::SetGradientBright, 0);
    PropEnum("MultiPie", &TPieSeries::MultiPie, &TPieSeries::SetMultiPie, mpAutomatic, TMultiPieNames);
    Prop("OtherSlice", &TPieSeries::OtherSlice, &TPieSeries::SetOtherSlice);
    Prop("PieMarks", &TPieSeries::PieMarks, &TPieSeries::SetPieMarks);
    Prop("PiePen", &TPieSeries::PiePen, &TPieSeries::SetPiePen);
    Prop("PieValues", &TPieSeries::PieValues, &TPieSeries::SetPieValues).Stored(false);
    Prop("RotationAngle", &TPieSeries::RotationAngle, &TPieSeries::SetRotationAngle, 0);
    Prop("Transparency", &TPieSeries::Transparency, &TPieSeries::SetTransparency, 0);
    Prop("UsePatterns", &TPieSeries::UsePatterns, &TPieSeries::SetUsePatterns, false);
}

TV_PUBLISHED_AS(TDonutSeries, TDonutSeriesClass)
{
    Prop("DonutPercent", &TDonutSeries::DonutPercent, &TDonutSeries::SetDonutPercent, 50);
}

// ---- life ----

TPieSeries::TPieSeries(TComponent* owner)
    : TCircledSeries(owner),
      bevel_(std::make_unique<TPieBevel>(this)),
      otherSlice_(std::make_unique<TPieOtherSlice>(this)),
      pieMarks_(std::make_unique<TPieMarks>(this)),
      explodeDistances_(this),
      sliceDepths_(this)
{
    hasSeriesColor_ = false;
    YValues()->SetName("Pie");
    XValues()->SetName(String());
    SetStoreXValues(false);
    SetColorEachPoint(true);
    CircleGradient()->SetVisible(false);
    CircleGradient()->SetStartColor(clWhite);
    CircleGradient()->InitDirection(gdRadial);
    TSeriesMarks& marks = Marks();
    marks.InitVisible(true);
    marks.Callout()->InitLength(8);
    TMarksTail& tail = *marks.Tail();
    tail.SetAutoAlign(true);
    tail.SetUseTipPoint(true);
    tail.SetMargin(2);
}

TPieSeries::~TPieSeries() = default;

TDonutSeries::TDonutSeries(TComponent* owner) : TPieSeries(owner) { SetDonutPercent(50); }

void TDonutSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* donut = dynamic_cast<TDonutSeries*>(other)) SetDonutPercent(donut->DonutPercent());
    TPieSeries::CopyAppearance(other);
    if (DonutPercent() <= 0) SetDonutPercent(50);
}

void TPieSeries::SetParentChart(TCustomAxisPanel* value)
{
    TCircledSeries::SetParentChart(value);
    if (IsDestroying()) return;
    if (HasFrame()) Frame()->SetParentPanel(ParentChart());
    if (otherSlice_->HasLegend()) otherSlice_->Legend()->SetParentPanel(ParentChart());
}

void TPieSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* pie = dynamic_cast<TPieSeries*>(other)) {
        angleSize_ = pie->angleSize_;
        bevel_->Assign(pie->bevel_.get());
        dark3D_ = pie->dark3D_;
        darkPen_ = pie->darkPen_;
        donutPercent_ = pie->donutPercent_;
        explodeBiggest_ = pie->explodeBiggest_;
        explodeDistances_.Values() = pie->explodeDistances_.Values();
        multiPie_ = pie->multiPie_;
        sliceDepths_.Values() = pie->sliceDepths_.Values();
        usePatterns_ = pie->usePatterns_;
        otherSlice_->Assign(pie->otherSlice_.get());
        pieMarks_->Assign(pie->pieMarks_.get());
    }
    TCircledSeries::CopyAppearance(other);
    SetColorEachPoint(true);
}

// ---- settings ----

bool TPieSeries::AutoMarkPosition() { return Marks().AutomaticText()->Move(); }

void TPieSeries::SetAutoMarkPosition(bool value) { Marks().AutomaticText()->SetMove(value); }

void TPieSeries::SetEdgeStyle(TEdgeStyle value) { Change(edgeStyle_, value); }

void TPieSeries::SetMultiPie(TMultiPie value) { Change(multiPie_, value); }

void TPieSeries::SetExplodeBiggest(int value)
{
    ChangeInteger(explodeBiggest_, value);
    ExplodeBiggestSlice();
}

void TPieSeries::SetGradientBright(int value)
{
    ChangeInteger(gradientBright_, value);
    if (value == 0) CircleGradient()->SetStartColor(clWhite);
}

void TPieSeries::ApplyCircledView3D()
{
    TView3DOptions& view = *ParentChart()->View3DOptions();
    view.SetOrthogonal(false);
    view.SetRotation(360);
    view.SetElevation(315);
    view.SetPerspective(0);
    view.SetTilt(0);
}

// ---- points of the frame ----

bool TPieSeries::IsOtherPoint(int index) const { return XValues()->ValueAt(index) == OtherPointX; }

bool TPieSeries::IsGroupedPoint(int index) const { return XValues()->ValueAt(index) == -1; }

void TPieSeries::renumberPoints()
{
    TPointUpdateBlock block(*this);
    for (int i = Count() - 1; i >= 0; --i)
        if (IsOtherPoint(i)) TChartSeries::RemovePoint(i);
    SliceAngles.clear();
    XValues()->FillWithIndexes();
}

void TPieSeries::groupOtherSlices()
{
    const TPieOtherStyle style = otherSlice_->Style();
    TChartValueList& values = *YValues();
    const double total = values.AbsSum();
    if (style == poNone || total <= 0) return;
    double grouped = 0;
    bool any = false;
    for (int i = 0; i < Count(); ++i) {
        double v = std::fabs(values.ValueAt(i));
        if (style == poBelowPercent) v = v * 100 / total;
        if (v < otherSlice_->Value()) {
            XValues()->SetValueAt(i, -1);
            grouped += std::fabs(values.ValueAt(i));
            any = true;
        }
    }
    if (!any) return;
    int other;
    {
        TPointUpdateBlock block(*this);
        other = InsertXY(OtherPointX, grouped, otherSlice_->Text(), otherSlice_->Color());
    }
    values.OverrideAbsSum(values.AbsSum() - grouped);
    (void)other;
}

void TPieSeries::PrepareDraw()
{
    TCircledSeries::PrepareDraw();
    TSeriesMarksPositions& positions = Marks().Positions();
    TSeriesMarkPosition savedOther;
    bool hasSavedOther = false;
    for (int i = 0; i < Count(); ++i)
        if (IsOtherPoint(i))
            if (const TSeriesMarkPosition* p = positions.PositionAt(i); p && p->Custom) {
                savedOther = *p;
                hasSavedOther = true;
            }
    if (YValues()->Order() != loNone) YValues()->SortPoints();
    renumberPoints();
    const int before = Count();
    groupOtherSlices();
    if (hasSavedOther && Count() > before) positions.StoreAt(Count() - 1, savedOther);
}

void TPieSeries::FindVisibleRange()
{
    if (otherSlice_->Style() != poNone) {
        TChartSeries::FindVisibleRange();
        return;
    }
    int first = -1, last = -1;
    GetPageRange(first, last);
    if (first == -1)
        TChartSeries::FindVisibleRange();
    else
        SetVisibleRange(first, last);
}

void TPieSeries::ComputeSliceAngles()
{
    const int count = Count();
    SliceAngles.assign(static_cast<size_t>(count), TPieAngle{});
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    const TChartValueList& values = *YValues();
    const auto counted = [&](int i) { return !IsGroupedPoint(i); };
    double total = 0;
    if (otherSlice_->Style() != poNone || first == -1) {
        for (int i = 0; i < count; ++i)
            if (counted(i)) total += std::fabs(values.ValueAt(i));
    } else {
        for (int i = first; i <= last && i < count; ++i) total += std::fabs(values.ValueAt(i));
    }
    const double span = angleSize_ * std::numbers::pi / 180;
    double sum = 0, previous = 0;
    for (int i = std::max(first, 0); i <= last && i < count; ++i) {
        if (counted(i)) sum += std::fabs(values.ValueAt(i));
        TPieAngle& a = SliceAngles[static_cast<size_t>(i)];
        a.StartAngle = i == first ? 0 : previous;
        a.EndAngle = total == 0 || sum == total ? span : sum * span / total;
        a.EndAngle = std::min(a.EndAngle, a.StartAngle + span);
        a.MidAngle = (a.StartAngle + a.EndAngle) / 2;
        previous = a.EndAngle;
    }
}

void TPieSeries::ExplodedRadii(int index, int& radiusX, int& radiusY) const
{
    const int e = explodeDistances_.GetSliceValue(index);
    if (e == 0) {
        radiusX = RadiusX;
        radiusY = RadiusY;
        return;
    }
    radiusX = RoundInt(RadiusX * (1 + e / 100.0));
    radiusY = RoundInt(RadiusY * (1 + e / 100.0));
}

TPoint TPieSeries::SliceOffset(int index) const
{
    if (!SideWalls || explodeDistances_.IsEmpty() || index < 0 || index >= static_cast<int>(SliceAngles.size()))
        return {0, 0};
    const int e = explodeDistances_.GetSliceValue(index);
    if (e <= 0) return {0, 0};
    const double m = SliceAngles[static_cast<size_t>(index)].MidAngle + RotationRad;
    return {RoundInt(std::cos(m) * RadiusX * e / 100), RoundInt(std::sin(m) * RadiusY * e / 100)};
}

void TPieSeries::ExplodeBiggestSlice()
{
    if (Count() < 2) return;
    int biggest = -1;
    const TChartValueList& values = *YValues();
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->GetMaxPointsPerPage() > 0) {
        const int first = FirstVisibleIndex(), last = LastVisibleIndex();
        if (first == -1 || first == last) return;
        for (int i = first; i <= last; ++i)
            if (biggest == -1 || values.ValueAt(i) > values.ValueAt(biggest)) biggest = i;
    } else {
        for (int i = 0; i < Count(); ++i)
            if (biggest == -1 || values.ValueAt(i) > values.ValueAt(biggest)) biggest = i;
    }
    if (biggest != -1) explodeDistances_.SetSliceValue(biggest, explodeBiggest_);
}

int TPieSeries::SliceTopZ(int index) const
{
    const TDepthRange& depth = DepthRange();
    if (index < 0 || index >= sliceDepths_.Count()) return depth.end;
    return depth.start + RoundInt(sliceDepths_.GetSliceValue(index) * (depth.end - depth.start) / 100.0);
}

// ---- several pies ----

void TPieSeries::layoutMultiPie()
{
    TCustomAxisPanel& chart = *ParentChart();
    if (multiPie_ == mpAutomatic) {
        int n = 0, k = 0;
        for (TChartSeries* series : chart.SeriesList()) {
            if (!series->Active() || !IsSameKind(series)) continue;
            if (series == this) k = n;
            ++n;
        }
        if (n >= 2) {
            const int columns = RoundInt(std::sqrt(static_cast<double>(n)));
            const int rows = RoundInt(std::sqrt(static_cast<double>(n)) + 0.5);
            const TRect r = chart.ChartRect();
            const int dw = (r.Right - r.Left) / columns, dh = (r.Bottom - r.Top) / rows;
            TRect cell;
            cell.Left = r.Left + dw * (k % columns);
            cell.Right = cell.Left + RoundInt(dw * 0.9);
            cell.Top = r.Top + (k / columns) * dh;
            cell.Bottom = cell.Top + RoundInt(dh * 0.9);
            if (chart.View3D()) cell = chart.Canvas3D()->ProjectedBoundsAtZ(cell, 0);
            chart.SetChartRect(cell);
        }
    }
    TCircledSeries::BeforeDrawPoints();
    ConcentricRing = false;
    if (multiPie_ != mpConcentric) return;
    int a = 0, k = 0;
    const TPieSeries* last = nullptr;
    const TPieSeries* previous = nullptr;
    for (TChartSeries* series : chart.SeriesList()) {
        auto* pie = dynamic_cast<TPieSeries*>(series);
        if (!pie || !pie->Active() || pie->multiPie_ != mpConcentric) continue;
        if (pie == this) {
            k = a;
            previous = last;
        }
        last = pie;
        ++a;
    }
    if (a == 0) return;
    ConcentricRing = true;
    const double x = (100 / a) * (k + 1) * 0.01;
    RadiusX = RoundInt(RadiusX * x);
    RadiusY = RoundInt(RadiusY * x);
    // A ring of radius 0 has no hole to match (more rings than percent).
    donutPercent_ = previous && RadiusX != 0 ? RoundInt(previous->RadiusX * 100.0 / RadiusX) : 0;
}

void TPieSeries::BeforeDrawPoints()
{
    MarksShrinkCircle = !pieMarks_->InsideSlice();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    savedChartRect_ = chart->ChartRect();
    savedDonutPercent_ = donutPercent_;
    layoutMultiPie();
}

void TPieSeries::AfterDrawPoints()
{
    if (TCustomAxisPanel* chart = ParentChart()) chart->SetChartRect(savedChartRect_);
    donutPercent_ = savedDonutPercent_;
    TCircledSeries::AfterDrawPoints();
}

void TPieSeries::ReserveZSlot() { SetZSlot(-1); }

// ---- positions ----

double TPieSeries::HighestX() { return GetHorizAxis() ? GetHorizAxis()->Maximum() : 0; }
double TPieSeries::LowestX() { return GetHorizAxis() ? GetHorizAxis()->Minimum() : 0; }
double TPieSeries::HighestY() { return GetVertAxis() ? GetVertAxis()->Maximum() : 0; }
double TPieSeries::LowestY() { return GetVertAxis() ? GetVertAxis()->Minimum() : 0; }

int TPieSeries::PointScreenX(int index) const
{
    return IsOtherPoint(index) ? 0 : TCircledSeries::PointScreenX(index);
}

void TPieSeries::GetPointXY(int index, int& x, int& y) const
{
    if (index >= 0 && index < static_cast<int>(SliceAngles.size())) {
        int rx, ry;
        ExplodedRadii(index, rx, ry);
        const TPoint p = PolarToPixel(SliceAngles[static_cast<size_t>(index)].MidAngle, rx, ry);
        x = p.X;
        y = p.Y;
        return;
    }
    TCircledSeries::GetPointXY(index, x, y);
}

int TPieSeries::SliceAtPoint(int x, int y, bool explode)
{
    if (SliceAngles.empty() || !ParentChart()) return -1;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const bool in3D = ParentChart()->View3D();
    const int z = DepthRange().end;
    constexpr int rim = 32;
    for (int i = 0; i < static_cast<int>(SliceAngles.size()); ++i) {
        const TPieAngle& a = SliceAngles[static_cast<size_t>(i)];
        const double step = (a.EndAngle - a.StartAngle) / (rim - 1);
        std::vector<TPoint> polygon;
        if (donutPercent_ <= 0) polygon.push_back({CenterX, CenterY});
        for (int j = 0; j < rim; ++j) polygon.push_back(PolarToPixel(a.StartAngle + j * step, RadiusX, RadiusY));
        if (donutPercent_ > 0) {
            const double hx = RadiusX * donutPercent_ / 100.0, hy = RadiusY * donutPercent_ / 100.0;
            for (int j = rim - 1; j >= 0; --j) polygon.push_back(PolarToPixel(a.StartAngle + j * step, hx, hy));
        }
        const TPoint offset = explode ? SliceOffset(i) : TPoint{0, 0};
        for (TPoint& p : polygon) {
            p = {p.X + offset.X, p.Y - offset.Y};
            if (in3D) p = canvas.ProjectXYZ(p.X, p.Y, z);
        }
        if (PointInPolygon({x, y}, polygon)) return i;
    }
    return -1;
}

int TPieSeries::HitTest(int x, int y)
{
    const int hit = TCircledSeries::HitTest(x, y);
    return hit != -1 ? hit : SliceAtPoint(x, y, true);
}

// ---- points ----

int TPieSeries::drawnOtherLegend() const
{
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        if (IsGroupedPoint(i)) ++n;
    return n;
}

int TPieSeries::GetPointCount() const
{
    if (drawingOtherLegend_) return drawnOtherLegend();
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        if (!IsGroupedPoint(i)) ++n;
    return n;
}

int TPieSeries::PointOfLegendItem(int index) const
{
    int n = -1;
    for (int i = 0; i < Count(); ++i)
        if (IsGroupedPoint(i) == drawingOtherLegend_ && ++n == index) return i;
    return index;
}

void TPieSeries::RemoveAllPoints()
{
    TCircledSeries::RemoveAllPoints();
    SliceAngles.clear();
}

void TPieSeries::ResetPointLists()
{
    TCircledSeries::ResetPointLists();
    explodeDistances_.Clear();
    sliceDepths_.Clear();
}

void TPieSeries::RemovePoint(int index)
{
    TCircledSeries::RemovePoint(index);
    explodeDistances_.Delete(index);
    sliceDepths_.Delete(index);
}

void TPieSeries::SwapPoints(int a, int b)
{
    TCircledSeries::SwapPoints(a, b);
    explodeDistances_.Exchange(a, b, Count());
    sliceDepths_.Exchange(a, b, Count());
}

void TPieSeries::WriteDataBinary(TStream& stream)
{
    {
        TPointUpdateBlock block(*this);
        for (int i = Count() - 1; i >= 0; --i)
            if (IsOtherPoint(i)) TChartSeries::RemovePoint(i);
    }
    TCircledSeries::WriteDataBinary(stream);
}

void TPieSeries::ApplyValueOrder()
{
    XValues()->SetOrder(loAscending);
    InvalidateChart();
}

void TPieSeries::AddRandomPoints(int count, bool valuesOnly)
{
    (void)valuesOnly;
    static const char* const labels[] = {"Cars", "Phones", "Tables", "Monitors", "Lamps", "Keyboards", "Bikes", "Chairs"};
    TPointUpdateBlock block(*this);
    for (int i = 0; i < count; ++i) AppendMainValue(1 + Random(1000), labels[i % std::size(labels)]);
}

// ---- gallery ----

void TPieSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCircledSeries::ListGalleryStyles(add);
    for (const char* name : {"Patterns", "Exploded", "Shadow", "Marks", "Semi Pie", "No Border", "Dark Border",
                             "Concentric"})
        add(name);
}

void TPieSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1:
        SetUsePatterns(true);
        CircleGradient()->SetVisible(false);
        break;
    case 2: SetExplodeBiggest(30); break;
    case 3:
        Shadow()->SetHorizSize(10);
        Shadow()->SetVertSize(10);
        break;
    case 4:
        Marks().SetVisible(true);
        RemoveAllPoints();
        AppendMainValue(30, "A");
        AppendMainValue(70, "B");
        break;
    case 5: SetAngleSize(180); break;
    case 6: PiePen()->SetVisible(false); break;
    case 7: SetDarkPen(32); break;
    case 8: {
        SetMultiPie(mpConcentric);
        TCustomAxisPanel* chart = ParentChart();
        if (!chart) break;
        auto* ring = static_cast<TPieSeries*>(chart->NewSeries(ClassType()));
        ring->SetTitle(String());
        ring->SetMultiPie(mpConcentric);
        ring->Marks().SetVisible(false);
        ring->FillWithSamples(Count());
        break;
    }
    default: TCircledSeries::ApplyGalleryStyle(index);
    }
}

void TPieSeries::SetupGalleryPreview()
{
    TCircledSeries::SetupGalleryPreview();
    RemoveAllPoints();
    FillWithSamples(8);
    if (TCustomAxisPanel* chart = ParentChart()) {
        chart->SetChart3DPercent(75);
        TView3DOptions& view = *chart->View3DOptions();
        view.SetOrthogonal(false);
        view.SetRotation(0);
        view.SetElevation(305);
    }
    Marks().Callout()->SetLength(0);
    Marks().SetDrawEvery(1);
    CircleGradient()->SetVisible(true);
    SetColorEachPoint(true);
}
