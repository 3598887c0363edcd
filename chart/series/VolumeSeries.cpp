#include "chart/series/VolumeSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/rtl/MathUtils.h"

namespace {
class TVolumeSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TVolumeSeriesEditor"; }
};
}  // namespace

TV_PUBLISHED_AS(TVolumeSeries, TVolumeSeriesClass)
{
    Prop("ClickableLine", &TVolumeSeries::ClickableLine, &TVolumeSeries::SetClickableLine, false);
    Prop("ColorEachPoint", &TVolumeSeries::ColorEachPoint, &TVolumeSeries::SetColorEachPoint, false);
    Prop("LinePen", &TVolumeSeries::LinePen, &TVolumeSeries::SetLinePen);
    Prop("UseYOrigin", &TVolumeSeries::UseYOrigin, &TVolumeSeries::SetUseYOrigin, false);
    // An alias of YValues, which stores the list.
    Prop("VolumeValues", &TVolumeSeries::VolumeValues, &TVolumeSeries::SetVolumeValues).Stored(false);
    Prop("YOrigin", &TVolumeSeries::YOrigin, &TVolumeSeries::SetYOrigin, 0.0);
}

TVolumeSeries::TVolumeSeries(TComponent* owner) : TCustomSeries(owner)
{
    SetDrawArea(false);
    SetClickableLine(false);
    Pointer()->PresetVisible(false);
    YValues()->SetName(TxtVolume);
}

void TVolumeSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TVolumeSeries*>(source)) {
        useYOrigin_ = other->useYOrigin_;
        yOrigin_ = other->yOrigin_;
    }
    TCustomSeries::Assign(source);
}

int TVolumeSeries::BasePixel() const
{
    const TChartAxis* axis = GetVertAxis();
    if (useYOrigin_) return ValueScreenY(yOrigin_);
    if (!axis) return 0;
    return axis->Inverted() ? axis->StartPixel() : axis->EndPixel();
}

void TVolumeSeries::SetSeriesColor(TColor value)
{
    TCustomSeries::SetSeriesColor(value);
    Pen()->SetColor(value);
}

void TVolumeSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomSeries::MeasureHorizMargins(left, right);
    const int extra = static_cast<int>(Round(Pen()->Width() * 0.5)) + 1;
    left += extra;
    right += extra;
}

void TVolumeSeries::CopyAppearance(TChartSeries* other)
{
    TCustomSeries::CopyAppearance(other);
    Pen()->SetVisible(true);
}

void TVolumeSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TChartSeries::ListGalleryStyles(add);
    for (const String* name : {&TxtDotted, &TxtColors, &TxtOrigin}) add(*name);
}

void TVolumeSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: Pen()->SetSmallDots(true); break;
    case 2: SetColorEachPoint(true); break;
    case 3: SetUseYOrigin(true); break;
    default: TCustomSeries::ApplyGalleryStyle(index); break;
    }
}

void TVolumeSeries::SetupGalleryPreview()
{
    TCustomSeries::SetupGalleryPreview();
    FillWithSamples(26);
    Pointer()->SetInflateMargins(true);
}

void TVolumeSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D()) return;
    const int alpha = static_cast<int>(Round(TZebCanvas::ColorAlpha(Pen()->Color()) / 2.55));
    const int transparency = std::max(Transparency(), alpha);
    std::optional<TBlendSection> blend;
    if (transparency > 0) blend.emplace(*chart->Canvas3D(), chart->ChartRect(), transparency);
    TChartSeries::DrawVisiblePoints();
}

void TVolumeSeries::useLinePen(bool force, TColor color)
{
    if (!force && color == penColor_) return;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    canvas.SelectPen(*Pen(), color);
    canvas.SetBackgroundMode(TRANSPARENT);
    penColor_ = color;
}

void TVolumeSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool hovered = IsHoverEnabled() && SelectedOrNull() && SelectedOrNull()->HoverIndex() != -1;
    useLinePen(hovered || index == FirstDrawnIndex(), GetPointColor(index));
    ApplyHoverPen(index);
    const int x = PointScreenX(index), y = PointScreenY(index), base = BasePixel();
    if (chart->View3D())
        canvas.LineAlongY3D(x, base, y, DepthRange().middle);
    else
        canvas.VerticalSegment(x, base, y);
}

void TVolumeSeries::FillLegendSymbol(int, const TRect& rect)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    useLinePen(true, SeriesColor());
    canvas.HorizontalSegment(rect.Left, rect.Right, (rect.Top + rect.Bottom) / 2);
}

int TVolumeSeries::HitTest(int x, int y)
{
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    const int tolerance = Pen()->Width() - 1, base = BasePixel();
    for (int i = first; i <= last; ++i) {
        const int px = PointScreenX(i);
        if (IsNearSegment({x, y}, {px, PointScreenY(i)}, {px, base}, tolerance)) return i;
    }
    return -1;
}

void TVolumeSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    double x = r.startX;
    for (int i = 0; i < count; ++i) {
        InsertXY(x, RandomInt(static_cast<int>(Round(r.spanY)) / 15));
        x += r.stepX;
    }
}
