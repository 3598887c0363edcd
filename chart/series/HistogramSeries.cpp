// Histogram series: contiguous bars, each starting at the edge the previous bar left, so adjacent
// bars share one pixel column and their outline is one stepped line.
#include "chart/series/HistogramSeries.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "platform/classes/Published.h"

namespace {

class THistogramSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "THistogramSeriesEditor"; }
};

TRect Normalized(const TRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

}  // namespace

TV_PUBLISHED_AS(THistogramSeries, THistogramSeriesClass)
{
    Prop("Brush", &THistogramSeries::Brush, &THistogramSeries::SetBrush);
    Prop("LinePen", &THistogramSeries::LinePen, &THistogramSeries::SetLinePen);
    Prop("LinesPen", &THistogramSeries::LinesPen, &THistogramSeries::SetLinesPen);
    Prop("UseYOrigin", &THistogramSeries::UseYOrigin, &THistogramSeries::SetUseYOrigin, false);
    Prop("YOrigin", &THistogramSeries::YOrigin, &THistogramSeries::SetYOrigin, 0.0);
}

TV_PUBLISHED_AS(THorizHistogramSeries, THistogramSeriesClass) {}

THistogramSeries::THistogramSeries(TComponent* owner)
    : TCustomLineSeries(owner),
      linesPen_(std::make_unique<TZebHiddenPen>(TNotifyEvent(this, &THistogramSeries::penChanged)))
{
}

THistogramSeries::~THistogramSeries() = default;

void THistogramSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<THistogramSeries*>(source)) {
        yOrigin_ = s->yOrigin_;
        useYOrigin_ = s->useYOrigin_;
    }
    TCustomLineSeries::Assign(source);
}

void THistogramSeries::SetLinesPen(TZebHiddenPen* value) { linesPen_->Assign(value); }

void THistogramSeries::CopyAppearance(TChartSeries* other)
{
    TCustomLineSeries::CopyAppearance(other);
    if (auto* s = dynamic_cast<THistogramSeries*>(other)) {
        Pen()->Assign(s->Pen());
        linesPen_->Assign(s->linesPen_.get());
        Brush()->Assign(s->Brush());
    }
}

void THistogramSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomLineSeries::ListGalleryStyles(add);
    for (const char* name : {"Hollow", "No Border", "Lines", "Transparency"}) add(name);
}

void THistogramSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: Brush()->SetStyle(bsClear); break;
    case 2: Pen()->SetVisible(false); break;
    case 3: linesPen_->SetVisible(true); break;
    case 4: SetTransparency(30); break;
    default: break;
    }
}

int THistogramSeries::BinCount() const
{
    const TCustomAxisPanel* chart = ParentChart();
    const int perPage = chart ? chart->GetMaxPointsPerPage() : 0;
    return perPage != 0 ? perPage : Count();
}

void THistogramSeries::MeasureHorizMargins(int& left, int& right) const
{
    left = right = 0;
    const int bins = BinCount();
    const int penWidth = Pen()->Visible() ? Pen()->Width() : 0;
    if (!YMandatory()) {
        right = penWidth;
        return;
    }
    if (const TChartAxis* axis = GetHorizAxis(); axis && bins >= 1) left = right = (axis->AxisSize() / bins) / 2;
    right += penWidth;
}

void THistogramSeries::MeasureVertMargins(int& top, int& bottom) const
{
    top = bottom = 0;
    const int bins = BinCount();
    const int penWidth = Pen()->Visible() ? Pen()->Width() : 0;
    if (YMandatory()) {
        top = penWidth;
        return;
    }
    if (const TChartAxis* axis = GetVertAxis(); axis && bins >= 1) top = bottom = (axis->AxisSize() / bins) / 2;
    bottom += penWidth;
}

void THistogramSeries::FindVisibleRange()
{
    TCustomLineSeries::FindVisibleRange();
    int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return;
    SetVisibleRange(std::max(0, first - 1), std::min(Count() - 1, last + 1));
}

void THistogramSeries::BinEdges(int index, int& start, int& end)
{
    const bool bars = YMandatory();  // bins along the horizontal axis
    const auto position = [&](int i) { return bars ? PointScreenX(i) : PointScreenY(i); };
    const int step = IsPointOrderForward() ? 1 : -1;
    const int s = position(index);
    const bool first = index == FirstDrawnIndex();
    int half;
    if (!first) {
        half = RoundHalfEven((s - position(index - step)) * 0.5);
    } else if (const int next = index + step; next >= 0 && next < Count()) {
        half = RoundHalfEven((position(next) - s) * 0.5);
    } else {
        // No neighbour to measure against: the axis' bin width.
        const TChartAxis* axis = bars ? GetHorizAxis() : GetVertAxis();
        const bool inverted = axis && axis->Inverted();
        const int towardsHigh = bars == !inverted ? 1 : -1;
        const double binWidth = axis ? static_cast<double>(axis->AxisSize()) / BinCount() : 0;
        half = towardsHigh * step * RoundHalfEven(binWidth * 0.5);
    }
    const int d = half < 0 ? -1 : 1;
    start = first ? s - half - d : lastEdge_;
    end = s + half + d;
    lastEdge_ = end - d;
}

TRect THistogramSeries::ComputeBinRect(int index)
{
    if (BinCount() < 1 || !ParentChart()) return {};
    int start = 0, end = 0;
    BinEdges(index, start, end);
    const TChartAxis& axis = *GetVertAxis();
    int bottom;
    if (axis.Inverted())
        bottom = axis.StartPixel();
    else
        bottom = useYOrigin_ ? MainValueToScreen(yOrigin_) : axis.EndPixel();
    return {start, PointScreenY(index), end, bottom};
}

void THistogramSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    // Computed for a null point too: the next bar starts at its far edge.
    const TRect rect = ComputeBinRect(index);
    if (IsNullPoint(index) || BinCount() < 1) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool bars = YMandatory();
    const int z = DepthRange().start;
    // Along: the axis of the bins; across: the value axis.
    const int start = bars ? rect.Left : rect.Top, end = bars ? rect.Right : rect.Bottom;
    const int value = bars ? rect.Top : rect.Right, base = bars ? rect.Bottom : rect.Left;
    const int d = end >= start ? 1 : -1;
    const auto line = [&](int a0, int c0, int a1, int c1) {
        const TPoint p0 = bars ? TPoint{a0, c0} : TPoint{c0, a0}, p1 = bars ? TPoint{a1, c1} : TPoint{c1, a1};
        if (chart->View3D()) {
            canvas.LineAtZ(p0.X, p0.Y, p1.X, p1.Y, z);
        } else {
            canvas.MoveTo(p0.X, p0.Y);
            canvas.LineTo(p1.X, p1.Y);
        }
    };
    const int step = IsPointOrderForward() ? 1 : -1;
    const int previous = index - step, next = index + step;
    const bool first = index == FirstDrawnIndex();
    const auto valueOf = [&](int i) { return bars ? PointScreenY(i) : PointScreenX(i); };

    if (Brush()->Style() != bsClear) {
        canvas.Pen()->SetStyle(psClear);
        canvas.UseBrushColored(*Brush(), GetPointColor(index));
        TRect fill = Normalized(rect);
        // One pixel more on the base side, under the outline of the neighbours.
        if (bars)
            (base >= value ? fill.Bottom : fill.Top) += base >= value ? 1 : -1;
        else
            (base <= value ? fill.Left : fill.Right) += base <= value ? -1 : 1;
        std::optional<TBlendSection> blend;
        if (Transparency() > 0)
            blend.emplace(canvas, canvas.SupportsAlpha() ? TRect{} : canvas.ProjectedBoundsAtZ(fill, z),
                          Transparency());
        if (chart->View3D())
            canvas.RectangleAtZ({fill.Left, fill.Top, fill.Right - 1, fill.Bottom}, z);
        else
            canvas.Rectangle(fill.Left, fill.Top + 1, fill.Right, fill.Bottom);
    }

    const bool hovered = ApplyHoverPen(index);
    if (hovered || Pen()->Visible()) {
        if (!hovered) canvas.UsePen(*Pen());
        if (first)
            line(start, base, start, value);
        else
            line(start, value, start, IsNullPoint(previous) ? base : valueOf(previous));
        line(start, value, end, value);
        const bool last = index == LastDrawnIndex() || (next >= 0 && next < Count() && IsNullPoint(next));
        if (last) line(end - d, value, end - d, base);
    }
    if (!first && (ApplyHoverPen(index) || linesPen_->Visible())) {
        if (!hovered) canvas.UsePen(*linesPen_);
        const int other = valueOf(previous);
        int tip = std::abs(other - base) < std::abs(value - base) ? other : value;
        if (!Pen()->Visible()) tip += tip < base ? 1 : tip > base ? -1 : 0;
        line(start, base, start, tip);
    }
}

int THistogramSeries::HitTest(int x, int y)
{
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    if (TCustomAxisPanel* chart = ParentChart()) chart->Canvas3D()->UnprojectXY(x, y, DepthRange().start);
    const int step = IsPointOrderForward() ? 1 : -1;
    for (int i = FirstDrawnIndex();; i += step) {
        const TRect rect = Normalized(ComputeBinRect(i));
        if (!IsNullPoint(i) && PtInRect(rect, {x, y})) return i;
        if (i == LastDrawnIndex()) break;
    }
    return -1;
}

THorizHistogramSeries::THorizHistogramSeries(TComponent* owner) : THistogramSeries(owner)
{
    MakeHorizontal();
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
}

TRect THorizHistogramSeries::ComputeBinRect(int index)
{
    if (BinCount() < 1 || !ParentChart()) return {};
    int start = 0, end = 0;
    BinEdges(index, start, end);
    const TChartAxis& axis = *GetHorizAxis();
    const int left = axis.Inverted() ? axis.EndPixel() : axis.StartPixel();
    return {left, start, PointScreenX(index) + 1, end};
}
