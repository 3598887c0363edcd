// Bubble series: the shared pointer is sized for each bubble before it is measured, drawn or hit.
#include "chart/series/BubbleSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"

namespace {

class TBubbleSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TBubbleSeriesEditor"; }
};

// Restores the pointer's sizes after a bubble was measured with it.
class TPointerSizeKeeper {
public:
    explicit TPointerSizeKeeper(TSeriesPointer& pointer)
        : pointer_(pointer), horiz_(pointer.HorizSize()), vert_(pointer.VertSize()), fraction_(pointer.FractionalSize())
    {
    }
    ~TPointerSizeKeeper()
    {
        pointer_.StoreHorizSize(horiz_);
        pointer_.StoreVertSize(vert_);
        pointer_.SetFractionalSize(fraction_);
    }
    TPointerSizeKeeper(const TPointerSizeKeeper&) = delete;
    TPointerSizeKeeper& operator=(const TPointerSizeKeeper&) = delete;

private:
    TSeriesPointer& pointer_;
    int horiz_, vert_;
    float fraction_;
};

}  // namespace

TV_PUBLISHED(TCustomBubbleSeries)
{
    Prop("RadiusValues", &TCustomBubbleSeries::RadiusValues, &TCustomBubbleSeries::SetRadiusValues);
}

TV_PUBLISHED_AS(TBubbleSeries, TBubbleSeriesClass)
{
    Prop("ColorEachPoint", &TBubbleSeries::ColorEachPoint, &TBubbleSeries::SetColorEachPoint, true);
    Prop("Squared", &TBubbleSeries::Squared, &TBubbleSeries::SetSquared, true);
}

// ---- custom bubble ----

TCustomBubbleSeries::TCustomBubbleSeries(TComponent* owner)
    : TPointSeries(owner), radiusValues_(new TChartValueList(this, "Radius"))
{
    Pointer()->InitStyle(psCircle);
    Marks().Pen()->InitVisible(false);  // its stored default too
    Marks().PresetTransparent(true);
}

int TCustomBubbleSeries::AddBubble(double x, double y, double radius, const String& label, TColor color)
{
    radiusValues_->SetPendingValue(radius);
    return InsertXY(x, y, label, color);
}

bool TCustomBubbleSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TCustomBubbleSeries*>(series) != nullptr;
}

float TCustomBubbleSeries::RadiusPixels(int index) const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? static_cast<float>(axis->PixelSpan(radiusValues_->ValueAt(index))) : 0.0f;
}

void TCustomBubbleSeries::PreparePointer(int index)
{
    const float r = RadiusPixels(index);
    Pointer()->SetFractionalSize(r);
    Pointer()->StoreHorizSize(RoundHalfEven(r));
    Pointer()->StoreVertSize(RoundHalfEven(r));
}

bool TCustomBubbleSeries::IsOverPointer(int index, int x, int y, int clickX, int clickY)
{
    TPointerSizeKeeper keep(*Pointer());
    PreparePointer(index);
    return Pointer()->IsPointInSymbol(GetPointerStyle(index), {clickX, clickY}, y, x);
}

void TCustomBubbleSeries::DrawPoint(int index)
{
    PreparePointer(index);
    DrawPointSymbol(PointScreenX(index), PointScreenY(index), index, GetPointColor(index));
}

// ---- bubble ----

TBubbleSeries::TBubbleSeries(TComponent* owner) : TCustomBubbleSeries(owner)
{
    Pointer()->SetMayChangeSize(false);
    SetColorEachPoint(true);
}

void TBubbleSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TBubbleSeries*>(source)) squared_ = s->squared_;
    TCustomBubbleSeries::Assign(source);
}

void TBubbleSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TBubbleSeries*>(other)) squared_ = s->squared_;
    TCustomBubbleSeries::CopyAppearance(other);
}

void TBubbleSeries::FillLegendSymbol(int index, const TRect& rect)
{
    const int side = std::min(rect.Width(), rect.Height());
    Pointer()->StoreHorizSize(side);
    Pointer()->StoreVertSize(side);
    TCustomBubbleSeries::FillLegendSymbol(index, rect);
}

bool TBubbleSeries::IsPointInPlot(int index) const
{
    // Sizing is the pointer's state, not the series': the test keeps every bubble reaching the plot.
    const_cast<TBubbleSeries*>(this)->PreparePointer(index);
    return TCustomBubbleSeries::IsPointInPlot(index);
}

double TBubbleSeries::HighestY()
{
    double r = TCustomBubbleSeries::HighestY();
    for (int i = 0; i < Count(); ++i) r = std::max(r, YValues()->ValueAt(i) + RadiusValues()->ValueAt(i));
    return r;
}

double TBubbleSeries::LowestY()
{
    double r = TCustomBubbleSeries::LowestY();
    for (int i = 0; i < Count(); ++i) r = std::min(r, YValues()->ValueAt(i) - RadiusValues()->ValueAt(i));
    return r;
}

double TBubbleSeries::HighestZ()
{
    return Pointer()->Draw3D() ? RadiusValues()->Highest() : TCustomBubbleSeries::HighestZ();
}

double TBubbleSeries::LowestZ()
{
    return Pointer()->Draw3D() ? -RadiusValues()->Highest() : TCustomBubbleSeries::LowestZ();
}

TZebGradient* TBubbleSeries::GetGradient() { return Pointer()->Gradient(); }

void TBubbleSeries::PreparePointer(int index)
{
    const float r = RadiusPixels(index);
    if (squared_) {
        Pointer()->SetFractionalSize(r);
        Pointer()->StoreHorizSize(RoundHalfEven(r));
    } else {
        Pointer()->SetFractionalSize(0);
        const TChartAxis* axis = GetHorizAxis();
        Pointer()->StoreHorizSize(axis ? axis->PixelSpan(RadiusValues()->ValueAt(index)) : 0);
    }
    Pointer()->StoreVertSize(RoundHalfEven(r));
}

void TBubbleSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    for (int i = 0; i < count; ++i) {
        const double y = RandomInt(RoundHalfEven(r.spanY));
        const double radius = RoundHalfEven(r.spanY / (10 + RandomInt(15))) + r.spanY / 15;
        AddBubble(r.startX + i * r.stepX, y, radius);
    }
}

void TBubbleSeries::SetupGalleryPreview()
{
    TCustomBubbleSeries::SetupGalleryPreview();
    Pointer()->Gradient()->SetVisible(true);
}

void TBubbleSeries::MeasureAxisOverhang(const TChartAxis& axis, TRect& margins) const
{
    TCustomBubbleSeries::MeasureAxisOverhang(axis, margins);
    if (Count() == 0 || !Pointer()->InflateMargins()) return;
    const TCustomAxisPanel* chart = ParentChart();
    const TChartAxis* horiz = HorizAxis() == aBothHorizAxis && chart ? chart->TopAxis() : GetHorizAxis();
    const TChartAxis* vert = GetVertAxis();
    if (&axis != horiz || !vert) return;
    margins.Left = std::max(margins.Left, vert->PixelSpan(RadiusValues()->FirstEntry()));
    margins.Right = std::max(margins.Right, vert->PixelSpan(RadiusValues()->LastEntry()));
}
