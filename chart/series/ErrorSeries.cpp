// Error series: the error lines are painted in place of (or on top of) each bar, so they follow
// the bar layout of the chart: one slot per series, caps as wide as the bars by default.
#include "chart/series/ErrorSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"

namespace {

class TErrorSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TErrorSeriesEditor"; }
};

// Click tolerance around the error lines and caps.
constexpr int ErrorClickTolerance = 3;

}  // namespace

TV_PUBLISHED_AS(TCustomErrorSeries, TErrorSeriesClass)
{
    Prop("ErrorPen", &TCustomErrorSeries::ErrorPen, &TCustomErrorSeries::SetErrorPen);
    Prop("ErrorValues", &TCustomErrorSeries::ErrorValues, &TCustomErrorSeries::SetErrorValues);
    Prop("ErrorWidth", &TCustomErrorSeries::ErrorWidth, &TCustomErrorSeries::SetErrorWidth, 100);
    PropEnum("ErrorWidthUnits", &TCustomErrorSeries::ErrorWidthUnits, &TCustomErrorSeries::SetErrorWidthUnits,
             ewuPercent, TErrorWidthUnitsNames);
}

TV_PUBLISHED_AS(TErrorSeries, TErrorSeriesClass)
{
    PropEnum("ErrorStyle", &TErrorSeries::ErrorStyle, &TErrorSeries::SetErrorStyle, essTopBottom,
             TErrorSeriesStyleNames);
}

TV_PUBLISHED_AS(TErrorBarSeries, TErrorSeriesClass) {}

TCustomErrorSeries::TCustomErrorSeries(TComponent* owner)
    : TBarSeries(owner),
      errorPen_(std::make_unique<TZebPen>(TNotifyEvent(this, &TCustomErrorSeries::penChanged))),
      errorValues_(new TChartValueList(this, "StdError"))
{
    Marks().InitVisible(false);  // its stored default too
}

TCustomErrorSeries::~TCustomErrorSeries() = default;

TErrorBarSeries::TErrorBarSeries(TComponent* owner) : TCustomErrorSeries(owner)
{
    SetDrawBars(true);
    SetErrorStyle(essTop);
}

void TCustomErrorSeries::penChanged(TObject* sender) { StyleChanged(sender); }

void TCustomErrorSeries::SetErrorPen(TZebPen* value)
{
    errorPen_->Assign(value);
    if (!drawBars_) SetSeriesColor(errorPen_->Color());
}

void TCustomErrorSeries::SetSeriesColor(TColor value)
{
    TBarSeries::SetSeriesColor(value);
    if (!drawBars_) errorPen_->SetColor(value);
}

void TCustomErrorSeries::SetErrorStyle(TErrorSeriesStyle value) { Change(errorStyle_, value); }

void TCustomErrorSeries::SetErrorWidthUnits(TErrorWidthUnits value) { Change(errorWidthUnits_, value); }

int TCustomErrorSeries::AppendXYError(double x, double y, double error, const String& label, TColor color)
{
    errorValues_->SetPendingValue(std::fabs(error));
    return InsertXY(x, y, label, color);
}

void TCustomErrorSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustomErrorSeries*>(other)) {
        errorPen_->Assign(s->errorPen_.get());
        errorStyle_ = s->errorStyle_;
        errorWidth_ = s->errorWidth_;
        errorWidthUnits_ = s->errorWidthUnits_;
    }
    TBarSeries::CopyAppearance(other);
}

// ---- drawing ----

void TCustomErrorSeries::UseErrorPen(int index) const
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.UsePen(*errorPen_);
    if (!drawBars_) {
        if (index != -1)
            canvas.Pen()->SetColor(GetPointColor(index));
        else if (!IsSeriesColorStored())  // picked, not stored: the pen never received it
            canvas.Pen()->SetColor(SeriesColor());
    }
    canvas.SetBackgroundMode(TRANSPARENT);
}

void TCustomErrorSeries::DrawErrorLines(int x, int y, bool is3D, int lowSpan, int highSpan, int capWidth) const
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const int z = DepthRange().middle, half = capWidth / 2;
    const auto line = [&](int x0, int y0, int x1, int y1) {
        if (is3D)
            canvas.LineAtZ(x0, y0, x1, y1, z);
        else
            canvas.DrawLine(x0, y0, x1, y1);
    };
    const auto horizontal = [&](int endX) {
        line(x, y, endX, y);
        line(endX, y - half, endX, y + half);
    };
    const auto vertical = [&](int endY) {
        line(x, y, x, endY);
        line(x - half, endY, x + half, endY);
    };
    switch (errorStyle_) {
    case essLeft: horizontal(x - lowSpan); break;
    case essRight: horizontal(x + highSpan); break;
    case essLeftRight: horizontal(x - lowSpan), horizontal(x + highSpan); break;
    case essTop: vertical(y - lowSpan); break;
    case essBottom: vertical(y + highSpan); break;
    case essTopBottom: vertical(y - lowSpan), vertical(y + highSpan); break;
    }
}

int TCustomErrorSeries::CapWidth(int barWidth) const
{
    if (errorWidth_ == 0) return barWidth;
    return errorWidthUnits_ == ewuPixels ? errorWidth_ : RoundHalfEven(errorWidth_ * barWidth / 100.0);
}

void TCustomErrorSeries::errorSpans(int index, int& lowSpan, int& highSpan) const
{
    const double e = errorValues_->ValueAt(index);
    const TChartAxis* axis = isHorizontalStyle() ? GetHorizAxis() : GetVertAxis();
    const double value = isHorizontalStyle() ? XValues()->ValueAt(index) : YValues()->ValueAt(index);
    // A logarithmic axis measures by pixel positions, which run downward on a vertical axis.
    lowSpan = std::abs(axis->PixelSpanBetween(value - e, value));
    highSpan = std::abs(axis->PixelSpanBetween(value, value + e));
    if (axis->Inverted()) std::swap(lowSpan, highSpan);
}

void TCustomErrorSeries::PaintBarShape(int index, int first, int second)
{
    const double e = errorValues_->ValueAt(index);
    if (!errorPen_->Visible() || e == 0) {
        if (drawBars_) TBarSeries::PaintBarShape(index, first, second);
        return;
    }
    int lowSpan, highSpan;
    errorSpans(index, lowSpan, highSpan);
    if (drawBars_) TBarSeries::PaintBarShape(index, first, second);
    const int x = (BarBounds.Left + BarBounds.Right) / 2;
    const int y = ValueScreenY(MultiBar() == mbStacked100 ? 100 : YValues()->ValueAt(index));
    UseErrorPen(index);
    DrawErrorLines(x, y, ParentChart()->View3D(), lowSpan, highSpan, CapWidth(BarBounds.Right - BarBounds.Left));
}

// ---- margins and ranges ----

void TCustomErrorSeries::MeasureHorizMargins(int& left, int& right) const
{
    TBarSeries::MeasureHorizMargins(left, right);
    const int width = errorPen_->Width();
    if (errorStyle_ == essLeft || errorStyle_ == essLeftRight) left = std::max(left, width);
    if (errorStyle_ == essRight || errorStyle_ == essLeftRight) right = std::max(right, width);
}

void TCustomErrorSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TBarSeries::MeasureVertMargins(top, bottom);
    const int width = errorPen_->Width();
    if (errorStyle_ == essTop || errorStyle_ == essTopBottom) top = std::max(top, width);
    if (errorStyle_ == essBottom || errorStyle_ == essTopBottom) bottom = std::max(bottom, width);
}

double TCustomErrorSeries::HighestY() { return errorExtreme(true); }
double TCustomErrorSeries::LowestY() { return errorExtreme(false); }

double TCustomErrorSeries::errorExtreme(bool highest)
{
    const auto better = [highest](double a, double b) { return highest ? std::max(a, b) : std::min(a, b); };
    if (drawBars_) {
        // The error end away from zero widens the bars' own range.
        double result = highest ? TBarSeries::HighestY() : TBarSeries::LowestY();
        for (int i = 0; i < Count(); ++i) {
            const double y = YValues()->ValueAt(i), e = errorValues_->ValueAt(i);
            result = better(result, y >= 0 ? y + e : y - e);
        }
        return result;
    }
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    const TErrorSeriesStyle oneSided = highest ? essTop : essBottom;
    const bool reaches = errorStyle_ == essTopBottom || (errorStyle_ == oneSided && !inverted);
    double result = 0;
    for (int i = 0; i < Count(); ++i) {
        const double e = reaches ? errorValues_->ValueAt(i) : 0;
        const double v = YValues()->ValueAt(i) + (highest ? e : -e);
        result = i == 0 ? v : better(result, v);
    }
    return result;
}

// ---- legend and clicks ----

void TCustomErrorSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    TBarSeries::GetLegendSymbolStyle(index, backColor, style);
    UseErrorPen(index);
}

void TCustomErrorSeries::FillLegendSymbol(int index, const TRect& rect)
{
    (void)index;
    const int span = rect.Height() / 2 - 1;
    DrawErrorLines((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2, false, span, span, rect.Width());
}

int TCustomErrorSeries::HitTest(int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    const int first = FirstVisibleIndex();
    if (!chart || first == -1) return -1;
    const int last = std::min(LastVisibleIndex(), Count() - 1);
    // The bars test themselves against their projected boxes.
    if (drawBars_)
        if (const int bar = TBarSeries::HitTest(x, y); bar != -1) return bar;
    if (chart->View3D()) chart->Canvas3D()->UnprojectXY(x, y, DepthRange().middle);
    const TPoint p{x, y};
    const int c = CapWidth(BarSize), f = c / 2;
    for (int i = first; i <= last; ++i) {
        const double e = errorValues_->ValueAt(i);
        const int sx = PointScreenX(i), sy = PointScreenY(i);
        const double vx = XValues()->ValueAt(i), vy = YValues()->ValueAt(i);
        bool hit = false;
        const auto vertical = [&](double end) {
            const int py = ValueScreenY(end);
            return IsNearSegmentXY(p, sx, py, sx + c, py, ErrorClickTolerance) ||
                   IsNearSegmentXY(p, sx + f, sy, sx + f, py, ErrorClickTolerance);
        };
        const auto horizontal = [&](double end) {
            const int px = ValueScreenX(end) + f;
            return IsNearSegmentXY(p, sx + f, sy, px, sy, ErrorClickTolerance) ||
                   IsNearSegmentXY(p, px, sy - f, px, sy + f, ErrorClickTolerance);
        };
        switch (errorStyle_) {
        case essTop: hit = vertical(vy + e); break;
        case essBottom: hit = vertical(vy - e); break;
        case essTopBottom: hit = vertical(vy + e) || vertical(vy - e); break;
        case essLeft: hit = horizontal(vx - e); break;
        case essRight: hit = horizontal(vx + e); break;
        case essLeftRight: hit = horizontal(vx - e) || horizontal(vx + e); break;
        }
        if (hit) return i;
    }
    return -1;
}

// ---- samples ----

void TCustomErrorSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    double x = r.startX;
    for (int i = 0; i < count; ++i) {
        const double y = RandomInt(RoundHalfEven(r.spanY));
        const double e = r.spanY / (RandomInt(4) + 20);
        AppendXYError(x, y, e);
        x += r.stepX;
    }
}

void TCustomErrorSeries::SetupGalleryPreview()
{
    TBarSeries::SetupGalleryPreview();
    errorPen_->SetColor(static_cast<TColor>(0x0000FF));
    SetSeriesColor(static_cast<TColor>(0xFF0000));
}

void TErrorBarSeries::SetupGalleryPreview()
{
    ErrorPen()->SetWidth(2);
    TCustomErrorSeries::SetupGalleryPreview();
}
