// The series' drawing loop: the visible run of points, the order it is walked in, the canvas
// elements around the series and its points, and the conversions between values and pixels.
#include <optional>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTools.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/VisibleRange.h"
#include "platform/rtl/Strings.h"

// ---- visible range ----

void TChartSeries::FindVisibleRange()
{
    firstVisible_ = lastVisible_ = -1;
    const int count = Count();
    if (count == 0) return;
    const TChartValueList& list = *IndependentValueList();
    // The axis the independent values lie on.
    const TChartAxis* axis = yMandatory_ ? horizAxisObject_ : vertAxisObject_;
    if (!scanVisibleRange_ || list.Order() == loNone || !axis || !ParentChart()) {
        firstVisible_ = 0;
        lastVisible_ = count - 1;
        return;
    }
    const TRect& r = ParentChart()->ChartRect();
    const bool inverted = axis->Inverted();
    const bool offsets = axis->MinimumOffset() != 0 || axis->MaximumOffset() != 0;
    int lowPixel, highPixel;
    if (yMandatory_) {
        lowPixel = inverted ? r.Right : r.Left;
        highPixel = inverted ? r.Left : r.Right;
        if (offsets) lowPixel += axis->MinimumOffset() - 1, highPixel -= axis->MaximumOffset() - 1;
    } else {
        lowPixel = inverted ? r.Top : r.Bottom;
        highPixel = inverted ? r.Bottom : r.Top;
        if (offsets) lowPixel -= axis->MaximumOffset(), highPixel += axis->MinimumOffset();
    }
    const TVisibleRange range =
        OrderedVisibleRange({list.Values(), static_cast<size_t>(count)}, list.Order() == loDescending,
                            axis->PixelToValue(lowPixel), axis->PixelToValue(highPixel), drawBeyondLastVisible_);
    firstVisible_ = range.First;
    lastVisible_ = range.Last;
}

// ---- drawing ----

void TChartSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D* canvas = chart ? chart->Canvas3D() : nullptr;
    const TSeriesVisual* visualTemplate = visuals_ ? visuals_->Template() : nullptr;
    const bool elements = canvas && canvas->RecordElements() && !(visualTemplate && !visualTemplate->Enabled());
    const auto drawOne = [&](int index) {
        std::optional<TElementScope> element;
        if (elements) element.emplace(*canvas, IntToStr(index), visuals_ ? visuals_->VisualAt(index) : nullptr);
        if (chart && chart->DrawPointHook)
            chart->DrawPointHook(*this, index);
        else
            DrawPoint(index);
    };

    std::vector<int> order;
    GetPointDrawOrder(firstVisible_, lastVisible_, order, true);
    const bool forward = IsPointOrderForward();
    if (!order.empty()) {
        if (forward)
            for (int index : order) drawOne(index);
        else
            for (auto it = order.rbegin(); it != order.rend(); ++it) drawOne(*it);
    } else if (forward) {
        for (int i = firstVisible_; i <= lastVisible_; ++i) drawOne(i);
    } else {
        for (int i = lastVisible_; i >= firstVisible_; --i) drawOne(i);
    }
}

void TChartSeries::BeforeDrawPoints()
{
    NotifyTools(sdsBeforePoints);
    if (beforeDrawValues_) beforeDrawValues_(this);
}

void TChartSeries::AfterDrawPoints()
{
    NotifyTools(sdsAfterPoints);
    if (afterDrawValues_) afterDrawValues_(this);
}

void TChartSeries::DrawInChart()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    FindVisibleRange();
    if (firstVisible_ == -1) return;
    TChartBoxClip clip(*chart);
    if (DependsOnAxes() && chart->ClipPoints()) clip.Set();
    const TElementScope element(*chart->Canvas3D(), GetFallbackName(), this, ElementTransform);
    BeforeDrawPoints();
    PrecalcPoints();
    DrawVisiblePoints();
    clip.Remove();
    chart->DrawSeriesMarks(*this);
    AfterDrawPoints();
}

void TChartSeries::GetPointDrawOrder(int first, int last, std::vector<int>& order, bool singleSeries)
{
    (void)first, (void)last, (void)singleSeries;
    order.clear();
}

void TChartSeries::GetStackDrawOrder(int position, int count, std::vector<int>& order, int index)
{
    (void)position, (void)count, (void)index;
    order.clear();
}

bool TChartSeries::IsPointOrderForward() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (yMandatory_) {
        const bool forward = !(horizAxisObject_ && horizAxisObject_->Inverted());
        return chart && chart->PointOrderMirrored ? !forward : forward;
    }
    return !(vertAxisObject_ && vertAxisObject_->Inverted());
}

bool TChartSeries::IsStackOrderForward(int index) const
{
    (void)index;
    return !(ParentChart() && ParentChart()->PointOrderMirrored);
}

bool TChartSeries::IsSeriesOrderForward() const
{
    const TCustomAxisPanel* chart = ParentChart();
    const TChartAxis* depth = chart ? chart->DepthAxis() : nullptr;
    const bool inverted = depth && depth->Inverted();
    if (chart && chart->View3D() && chart->Canvas3D() && !chart->Canvas3D()->IsTrue3D()) {
        const int rotation = chart->View3DOptions()->Rotation();
        if (rotation >= 90 && rotation < 270) return inverted;
    }
    return !inverted;
}

void TChartSeries::GetPageRange(int& first, int& last) const
{
    if (const TCustomAxisPanel* chart = ParentChart()) {
        chart->Pages()->PageRange(Count(), first, last);
        return;
    }
    first = Count() > 0 ? 0 : -1;
    last = Count() - 1;
}

void TChartSeries::BeginCanvasElement()
{
    if (TCustomAxisPanel* chart = ParentChart())
        chart->Canvas3D()->BeginElement(GetFallbackName(), this, ElementTransform);
}

void TChartSeries::NotifyTools(TSeriesDrawStage stage)
{
    if (!ParentChart()) return;
    for (TZebCustomTool* tool : ParentChart()->Tools())
        if (tool->Active()) tool->SeriesDrawStage(this, stage);
}

// ---- screen positions ----

int TChartSeries::ValueScreenX(double value) const
{
    return horizAxisObject_ ? horizAxisObject_->HorizontalValueToPixel(value) : 0;
}

int TChartSeries::ValueScreenY(double value) const
{
    return vertAxisObject_ ? vertAxisObject_->VerticalValueToPixel(value) : 0;
}

double TChartSeries::ValueAtScreenX(int pixel) const
{
    return horizAxisObject_ ? horizAxisObject_->PixelToValue(pixel) : 0;
}

double TChartSeries::ValueAtScreenY(int pixel) const
{
    return vertAxisObject_ ? vertAxisObject_->PixelToValue(pixel) : 0;
}

void TChartSeries::GetPointXY(int index, int& x, int& y) const
{
    x = PointScreenX(index);
    y = PointScreenY(index);
}

int TChartSeries::XPixelSpan(double span) const { return horizAxisObject_ ? horizAxisObject_->PixelSpan(span) : 0; }

int TChartSeries::YPixelSpan(double span) const { return vertAxisObject_ ? vertAxisObject_->PixelSpan(span) : 0; }

bool TChartSeries::IsPointInPlot(int index) const
{
    return ParentChart() && RectContainsXY(ParentChart()->ChartRect(), PointScreenX(index), PointScreenY(index));
}
