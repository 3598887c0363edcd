#include "chart/series_ext/shapes/FunnelSeries.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/HitTests.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

namespace {

class TFunnelSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TFunnelSeriesEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TFunnelSeries, TFunnelSeriesClass)
{
    PropColor("AboveColor", &TFunnelSeries::AboveColor, &TFunnelSeries::SetAboveColor, static_cast<TColor>(32768));
    Prop("AutoUpdate", &TFunnelSeries::AutoUpdate, &TFunnelSeries::SetAutoUpdate, true);
    PropColor("BelowColor", &TFunnelSeries::BelowColor, &TFunnelSeries::SetBelowColor, static_cast<TColor>(255));
    Prop("DifferenceLimit", &TFunnelSeries::DifferenceLimit, &TFunnelSeries::SetDifferenceLimit, 30.0);
    Prop("LinesPen", &TFunnelSeries::LinesPen, &TFunnelSeries::SetLinesPen);
    Prop("OpportunityValues", &TFunnelSeries::OpportunityValues, &TFunnelSeries::SetOpportunityValues);
    Prop("QuotesSorted", &TFunnelSeries::QuotesSorted, &TFunnelSeries::SetQuotesSorted, false);
    Prop("QuoteValues", &TFunnelSeries::GetQuoteValues, &TFunnelSeries::SetQuoteValues);
    PropColor("WithinColor", &TFunnelSeries::WithinColor, &TFunnelSeries::SetWithinColor, static_cast<TColor>(65535));
}

TFunnelSeries::TFunnelSeries(TComponent* owner)
    : TChartSeries(owner), opportunityValues_(new TChartValueList(this, "OpportunityValues")), linesPen_(CreatePen())
{
    YValues()->SetName("QuoteValues");
    YValues()->SetOrder(loDescending);
    opportunityValues_->SetOrder(loNone);
    XValues()->SetName(String());
    XValues()->SetOrder(loNone);
    SetPercentFormat("0.00 %");
    SetOnGetMarkText(TSeriesOnGetMarkText(this, &TFunnelSeries::MarkPercentText));
}

TFunnelSeries::~TFunnelSeries() = default;

void TFunnelSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TFunnelSeries*>(source)) {
        aboveColor_ = s->aboveColor_;
        withinColor_ = s->withinColor_;
        belowColor_ = s->belowColor_;
        autoUpdate_ = s->autoUpdate_;
        differenceLimit_ = s->differenceLimit_;
        linesPen_->Assign(s->linesPen_.get());
        quotesSorted_ = s->quotesSorted_;
    }
    TChartSeries::Assign(source);
}

void TFunnelSeries::SetAutoUpdate(bool value)
{
    autoUpdate_ = value;
    if (value) Recalc();
}

void TFunnelSeries::SetDifferenceLimit(double value)
{
    if (differenceLimit_ == value) return;
    differenceLimit_ = value;
    if (autoUpdate_) Recalc();
    InvalidateChart();
}

void TFunnelSeries::SetLinesPen(TZebPen* value) { linesPen_->Assign(value); }

int TFunnelSeries::AddSegment(const String& label, TColor color, double quote, double opportunity)
{
    opportunityValues_->SetPendingValue(opportunity);
    const int index = AppendMainValue(quote, label, color);
    if (!quotesSorted_) {
        YValues()->SortPoints();
        XValues()->FillWithIndexes();
        sorted_ = true;
    }
    return index;
}

void TFunnelSeries::Recalc()
{
    if (!sorted_) {
        YValues()->SortPoints();
        XValues()->FillWithIndexes();
        sorted_ = true;
    }
    const int n = Count();
    if (n <= 0) {
        step_ = 0;
        return;
    }
    first_ = YValues()->FirstEntry();
    last_ = YValues()->LastEntry();
    step_ = (first_ - last_) * 0.5 / n;
}

TColor TFunnelSeries::SegmentPolygon(int i)
{
    const double quote = YValues()->ValueAt(i);
    const double r = quote != 0 ? opportunityValues_->ValueAt(i) / quote : 0;
    const double s = step_;
    a_ = {ValueScreenX(i - 0.5), ValueScreenY(first_ - i * s)};
    b_ = {ValueScreenX(i + 0.5), ValueScreenY(first_ - (i + 1) * s)};
    c_ = {b_.X, ValueScreenY((i + 1) * s)};
    d_ = {a_.X, ValueScreenY(i * s)};
    const double height = first_ - 2 * i * s;
    const int c = ValueScreenY(height * r + i * s);
    // Without a step (equal quotes) the segment is a rectangle: only the first and last cases apply.
    if (a_.Y >= c)
        filled_ = {a_, b_, c_, d_};
    else if (s != 0 && b_.Y >= c)
        filled_ = {{a_.X, c}, {ValueScreenX(i + height * (1 - r) / s - 0.5), c}, b_, c_, d_};
    else if (s != 0 && c_.Y < c)
        filled_ = {{a_.X, c}, {ValueScreenX(i + height * r / s - 0.5), c}, d_};
    else
        filled_ = {{a_.X, c}, {b_.X, c}, c_, d_};
    if (r >= 1) return aboveColor_;
    // The shortfall in percent, multiplied before dividing so that a shortfall of exactly the
    // limit (70 of 100 against 30) stays within.
    const double shortfall = quote != 0 ? (quote - opportunityValues_->ValueAt(i)) * 100 / quote : 100;
    return shortfall > differenceLimit_ ? belowColor_ : withinColor_;
}

void TFunnelSeries::MarkPercentText(TChartSeries*, int index, String& text)
{
    const double quote = YValues()->ValueAt(index);
    text = quote != 0 ? FormatFloat(PercentFormat(), opportunityValues_->ValueAt(index) * 100 / quote) : String();
}

void TFunnelSeries::PrepareDraw()
{
    TChartSeries::PrepareDraw();
    if (!Active()) return;
    if (TChartAxis* axis = GetVertAxis()) axis->SetVisible(false);
    if (step_ == 0 && autoUpdate_) Recalc();
}

void TFunnelSeries::restoreAxis()
{
    if (TChartAxis* axis = GetVertAxis()) axis->SetVisible(savedAxisVisible_);
}

void TFunnelSeries::SetParentChart(TCustomAxisPanel* value)
{
    if (!value) restoreAxis();
    TChartSeries::SetParentChart(value);
    if (ParentChart()) savedAxisVisible_ = GetVertAxis() ? GetVertAxis()->Visible() : true;
}

void TFunnelSeries::SetActive(bool value)
{
    if (!value) restoreAxis();
    TChartSeries::SetActive(value);
}

void TFunnelSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TColor color = SegmentPolygon(index);
    canvas.UseBrushColored(*Brush(), color);
    if (chart->View3D())
        canvas.PolygonAtZ(filled_, DepthRange().start);
    else
        canvas.Polygon(filled_);
}

void TFunnelSeries::DrawVisiblePoints()
{
    TChartSeries::DrawVisiblePoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const int n = Count(), z = DepthRange().start;
    canvas.UsePen(*Pen());
    canvas.Brush()->SetStyle(bsClear);
    const TPoint outline[] = {{ValueScreenX(-0.5), ValueScreenY(first_)},
                              {ValueScreenX(n - 0.5), ValueScreenY((first_ + last_) * 0.5)},
                              {ValueScreenX(n - 0.5), ValueScreenY((first_ - last_) * 0.5)},
                              {ValueScreenX(-0.5), ValueScreenY(0)}};
    if (chart->View3D())
        canvas.PolygonAtZ(outline, z);
    else
        canvas.Polygon(outline);
    if (!linesPen_->Visible()) return;
    canvas.UsePen(*linesPen_);
    for (int i = FirstVisibleIndex(); i >= 0 && i < LastVisibleIndex(); ++i) {
        const int x = ValueScreenX(i + 0.5), y0 = ValueScreenY(first_ - (i + 1) * step_), y1 = ValueScreenY((i + 1) * step_);
        if (chart->View3D())
            canvas.LineAlongY3D(x, y0, y1, z);
        else
            canvas.VerticalSegment(x, y0, y1);
    }
}

void TFunnelSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    position.LeftTop = {ValueScreenX(index) - position.Width / 2, ValueScreenY(first_ / 2) - position.Height / 2};
    TChartSeries::DrawPointMark(index, text, position);
}

int TFunnelSeries::HitTest(int x, int y)
{
    const int inherited = TChartSeries::HitTest(x, y);
    if (inherited != -1) return inherited;
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    for (int i = first; i <= last && i < Count(); ++i) {
        SegmentPolygon(i);
        if (IsInsidePolygon({x, y}, filled_)) return i;
    }
    return -1;
}

TColor TFunnelSeries::GetLegendColor(int index) const
{
    return index == 0 ? aboveColor_ : index == 1 ? withinColor_ : belowColor_;
}

String TFunnelSeries::FormatLegendText(int index, TLegendTextStyle) const
{
    if (index == 0) return TxtExceedsQuota;
    const String limit = FormatFloat(PercentFormat(), differenceLimit_);
    return limit + (index == 1 ? TxtWithinQuota : TxtOrMoreBelowQuota);
}

void TFunnelSeries::AddRandomPoints(int count, bool)
{
    for (int i = 0; i < count; ++i) {
        const int k = RandomInt(2);
        AddSegment("Segment " + IntToStr(i + 1), clAutomatic, count * 2.3 * (i + 1), (2.3 - k) * count * (i + 2));
    }
    Recalc();
}
