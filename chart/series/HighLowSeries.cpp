// High-low series: the band is filled pixel column by pixel column from the interpolated high and
// low lines, so a crossing between two points splits the fill exactly where the lines meet.
#include "chart/series/HighLowSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "platform/classes/Published.h"

namespace {

class THighLowSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "THighLowEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TBaseHighLowSeries, TChartElementClass)
{
    Prop("HighValues", &TBaseHighLowSeries::HighValues, &TBaseHighLowSeries::SetHighValues);
    Prop("LowValues", &TBaseHighLowSeries::LowValues, &TBaseHighLowSeries::SetLowValues);
}

TV_PUBLISHED_AS(THighLowSeries, THighLowSeriesClass)
{
    Prop("HighBrush", &THighLowSeries::HighBrush, &THighLowSeries::SetHighBrush);
    Prop("HighPen", &THighLowSeries::HighPen, &THighLowSeries::SetHighPen);
    Prop("LowBrush", &THighLowSeries::LowBrush, &THighLowSeries::SetLowBrush);
    Prop("LowPen", &THighLowSeries::LowPen, &THighLowSeries::SetLowPen);
}

// ---- base ----

TBaseHighLowSeries::TBaseHighLowSeries(TComponent* owner)
    : TChartSeries(owner), lowValues_(new TChartValueList(this, "Low"))
{
    YValues()->SetName("High");
}

int TBaseHighLowSeries::AppendHighLow(double x, double high, double low, const String& label, TColor color)
{
    lowValues_->SetPendingValue(low);
    return InsertXY(x, high, label, color);
}

double TBaseHighLowSeries::HighestY() { return std::max(lowValues_->Highest(), YValues()->Highest()); }

double TBaseHighLowSeries::LowestY() { return std::min(lowValues_->Lowest(), YValues()->Lowest()); }

bool TBaseHighLowSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TBaseHighLowSeries*>(series) != nullptr;
}

void TBaseHighLowSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    const double span = r.spanY;
    double x = r.startX, y = RandomInt(RoundHalfEven(span));
    for (int i = 1; i <= count; ++i) {
        y += RandomInt(RoundHalfEven(span / 5)) - span / 10;
        // Every third low may lie above its high.
        const double low = i % 3 != 0 ? y - RandomInt(RoundHalfEven(span / 5))
                                       : y + RoundHalfEven(span / 6) - RandomInt(RoundHalfEven(span / 4));
        AppendHighLow(x, y, low);
        x += r.stepX;
    }
}

// ---- high-low series ----

THighLowSeries::THighLowSeries(TComponent* owner)
    : TBaseHighLowSeries(owner),
      lowBrush_(std::make_unique<TZebBrush>(TNotifyEvent(this, &THighLowSeries::styleChanged))),
      highPen_(std::make_unique<TZebPen>(TNotifyEvent(this, &THighLowSeries::styleChanged))),
      lowPen_(std::make_unique<TZebPen>(TNotifyEvent(this, &THighLowSeries::styleChanged)))
{
    SetScanVisibleRange(false);
    Brush()->SetStyle(bsClear);
    lowBrush_->SetStyle(bsClear);
    Pen()->SetColor(clAutomatic);
}

THighLowSeries::~THighLowSeries() = default;

void THighLowSeries::SetLowBrush(TZebBrush* value) { lowBrush_->Assign(value); }
void THighLowSeries::SetHighPen(TZebPen* value) { highPen_->Assign(value); }
void THighLowSeries::SetLowPen(TZebPen* value) { lowPen_->Assign(value); }

void THighLowSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<THighLowSeries*>(other)) {
        highPen_->Assign(s->highPen_.get());
        lowPen_->Assign(s->lowPen_.get());
        lowBrush_->Assign(s->lowBrush_.get());
    }
    TBaseHighLowSeries::CopyAppearance(other);
}

void THighLowSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TBaseHighLowSeries::ListGalleryStyles(add);
    for (const char* name : {"Filled", "No Lines", "No High", "No Low"}) add(name);
}

void THighLowSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: HighBrush()->SetStyle(bsSolid); break;
    case 2: Pen()->SetVisible(false); break;
    case 3: highPen_->SetVisible(false); break;
    case 4: lowPen_->SetVisible(false); break;
    default: break;
    }
}

// ---- interpolation ----

bool THighLowSeries::XAscending() const
{
    const TChartValueList& x = *XValues();
    for (int i = 1; i < x.Count(); ++i)
        if (x.ValueAt(i) < x.ValueAt(i - 1)) return false;
    return true;
}

double THighLowSeries::InterpolateAt(bool high, double x) const { return InterpolateBy(high, x, XAscending()); }

double THighLowSeries::InterpolateBy(bool high, double x, bool bisection) const
{
    const TChartValueList& xs = *XValues();
    const TChartValueList& ys = high ? *YValues() : *LowValues();
    const int count = xs.Count();
    int b;
    if (bisection) {
        b = static_cast<int>(std::upper_bound(xs.Values(), xs.Values() + count, x) - xs.Values());
    } else {
        b = 0;
        while (b < count && !(xs.ValueAt(b) > x)) ++b;
    }
    b = std::clamp(b, 1, count - 1);
    const double x0 = xs.ValueAt(b - 1), x1 = xs.ValueAt(b);
    if (x0 == x1) return 0;
    const double y0 = ys.ValueAt(b - 1), y1 = ys.ValueAt(b);
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// ---- drawing ----

void THighLowSeries::BeforeDrawPoints()
{
    TBaseHighLowSeries::BeforeDrawPoints();
    firstDrawn_ = true;
    lastSolidColor_ = static_cast<TColor>(0xFFFFFF);
    polygons_.Clear();
    highRun_.clear();
    lowRun_.clear();
    connectors_.clear();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    const bool perPointFills =
        ColorEachPoint() && (HighBrush()->Style() != bsClear || lowBrush_->Style() != bsClear);
    gather_ = !chart->View3D() && !perPointFills;
    TChartBoxClip clip(*chart);
    clip.Set();
    if (Count() >= 2) fillBand();
    for (int i = 0; i < polygons_.Count(); ++i) {
        const THighLowPolygon& p = polygons_.Item(i);
        TZebBrush& brush = p.HighAbove ? *HighBrush() : *lowBrush_;
        // A brush left automatic fills in the series' colour.
        const TColor color = brush.Color() == clAutomatic || brush.Color() == clDefault ? SeriesColor() : brush.Color();
        fillPolygon(p.Points, brush, color, true);
    }
}

void THighLowSeries::fillBand()
{
    const TChartAxis& axis = *GetHorizAxis();
    // From the axis minimum towards its maximum: leftward on an inverted axis.
    const int from = axis.ValueToPixel(axis.Minimum()), to = axis.ValueToPixel(axis.Maximum());
    const int step = to >= from ? 1 : -1;
    const double firstX = XValues()->ValueAt(0), highestX = XValues()->Highest();
    const bool bisection = XAscending();
    std::vector<TPoint> upper, lower;
    bool highAbove = false;
    const auto close = [&] {
        if (upper.empty()) return;
        THighLowPolygon polygon{polygons_.Count(), upper, highAbove};
        polygon.Points.insert(polygon.Points.end(), lower.rbegin(), lower.rend());
        polygons_.Add(std::move(polygon));
        upper.clear();
        lower.clear();
    };
    for (int px = from; px != to; px += step) {
        const double v = axis.PixelToValue(px);
        if (v < firstX || v > highestX) continue;
        const int h = ValueScreenY(InterpolateBy(true, v, bisection));
        const int l = ValueScreenY(InterpolateBy(false, v, bisection));
        const bool above = h < l;
        if (above != highAbove) {
            close();
            highAbove = above;
        }
        upper.push_back({px, std::min(h, l)});
        lower.push_back({px, std::max(h, l)});
    }
    close();
}

void THighLowSeries::fillPolygon(const std::vector<TPoint>& points, TZebBrush& brush, TColor color, bool band)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const bool is3D = !band && chart.View3D();
    // With a colour per point the band stays empty: DrawPoint fills between the points.
    const TBrushStyle saved = brush.Style();
    const bool perPoint = band && ColorEachPoint();
    if (perPoint) brush.SetStyle(bsClear);
    if (band) {
        if (brush.Style() == bsSolid)
            lastSolidColor_ = color;
        else
            color = lastSolidColor_;
    }
    canvas.UseBrushColored(brush, color);
    canvas.Pen()->SetStyle(psClear);
    {
        std::optional<TBlendSection> blend;
        if (Transparency() > 0)
            blend.emplace(canvas, canvas.SupportsAlpha() ? TRect{} : BoundsOfPointArray(points), Transparency());
        if (is3D)
            canvas.PlaneFromFourPoints(points[0], points[1], points[2], points[3], DepthRange().middle);
        else
            canvas.Polygon(points);
    }
    if (perPoint) brush.SetStyle(saved);
}

void THighLowSeries::drawConnector(int x, int high, int low, TColor color)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    if (Pen()->Color() != clAutomatic) color = Pen()->Color();
    if (gather_) {
        // The pixels a line from high to low covers: its start, not its end.
        if (high == low) return;
        const TConnector c{x, high < low ? high : low + 1, high < low ? low - 1 : high, color};
        if (!connectors_.empty()) {
            TConnector& last = connectors_.back();
            if (last.x == c.x && last.color == c.color && c.top <= last.bottom + 1 && c.bottom >= last.top - 1) {
                last.top = std::min(last.top, c.top);
                last.bottom = std::max(last.bottom, c.bottom);
                return;
            }
        }
        connectors_.push_back(c);
        return;
    }
    canvas.UsePen(*Pen());
    canvas.Pen()->SetColor(color);
    if (chart.View3D())
        canvas.LineAtZ(x, high, x, low, DepthRange().middle);
    else
        canvas.DrawLine(x, high, x, low);
}

void THighLowSeries::drawLine(TZebPen& pen, std::vector<TPoint>& run, int y0, int y1, int x)
{
    if (!pen.Visible()) return;
    if (gather_) {
        if (run.empty() || run.back() != TPoint{previousX_, y0}) {
            flushRun(pen, run);
            run.push_back({previousX_, y0});
        }
        run.push_back({x, y1});
        return;
    }
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    canvas.UsePen(pen);
    if (ParentChart()->View3D())
        canvas.LineAtZ(previousX_, y0, x, y1, DepthRange().middle);
    else
        canvas.DrawLine(previousX_, y0, x, y1);
}

void THighLowSeries::flushRun(TZebPen& pen, std::vector<TPoint>& run)
{
    if (run.size() >= 2) {
        // Within one pixel column the path covers the rows from its lowest to its highest point,
        // so entering, lowest, highest and leaving point cover them alike.
        std::vector<TPoint> path;
        path.reserve(run.size());
        for (size_t i = 0; i < run.size();) {
            size_t j = i;
            TPoint low = run[i], high = run[i];
            for (; j < run.size() && run[j].X == run[i].X; ++j) {
                if (run[j].Y < low.Y) low = run[j];
                if (run[j].Y > high.Y) high = run[j];
            }
            for (const TPoint& p : {run[i], low, high, run[j - 1]})
                if (path.empty() || path.back() != p) path.push_back(p);
            i = j;
        }
        TCanvas3D& canvas = *ParentChart()->Canvas3D();
        canvas.UsePen(pen);
        canvas.Polyline(path);
    }
    run.clear();
}

void THighLowSeries::flushConnectors()
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    canvas.UsePen(*Pen());
    for (const TConnector& c : connectors_) {
        canvas.Pen()->SetColor(c.color);
        canvas.DrawLine(c.x, c.top, c.x, c.bottom + 1);
    }
    connectors_.clear();
}

void THighLowSeries::AfterDrawPoints()
{
    if (ParentChart() && gather_) {
        flushRun(*highPen_, highRun_);
        flushRun(*lowPen_, lowRun_);
        flushConnectors();
    }
    TBaseHighLowSeries::AfterDrawPoints();
}

void THighLowSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    const int x = PointScreenX(index), h = PointScreenY(index), l = ValueScreenY(LowValues()->ValueAt(index));
    if (firstDrawn_ || index == 0) {
        firstDrawn_ = false;
        previousX_ = x, previousHigh_ = h, previousLow_ = l;
        return;
    }
    const bool nullHere = IsNullPoint(index), nullBefore = IsNullPoint(index - 1);
    if (!nullHere && !nullBefore) {
        TZebBrush& brush =
            YValues()->ValueAt(index) > LowValues()->ValueAt(index) ? *HighBrush() : *lowBrush_;
        if (brush.Style() != bsClear && ColorEachPoint()) {
            const std::vector<TPoint> quad{
                {previousX_, previousHigh_}, {previousX_, previousLow_}, {x, l}, {x, h}};
            fillPolygon(quad, brush, GetPointColor(index - 1), false);
        }
        drawLine(*highPen_, highRun_, previousHigh_, h, x);
        drawLine(*lowPen_, lowRun_, previousLow_, l, x);
    }
    if (Pen()->Visible()) {
        if (!nullBefore) drawConnector(previousX_, previousHigh_, previousLow_, GetPointColor(index - 1));
        // The last point has no successor to draw its connector: it draws its own.
        if (index == LastVisibleIndex() && !nullHere) drawConnector(x, h, l, GetPointColor(index));
    }
    previousX_ = x, previousHigh_ = h, previousLow_ = l;
}

int THighLowSeries::HitTest(int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    const int first = FirstVisibleIndex();
    if (!chart || first == -1) return -1;
    const int last = std::min(LastVisibleIndex(), Count() - 1);
    const int z = DepthRange().middle;
    const auto corner = [&](int index, bool high) {
        const TPoint p{PointScreenX(index),
                       high ? PointScreenY(index) : ValueScreenY(LowValues()->ValueAt(index))};
        return chart->View3D() ? chart->Canvas3D()->ProjectPointAtZ(p, z) : p;
    };
    for (int i = first + 1; i <= last; ++i) {
        const TPoint quad[] = {corner(i - 1, true), corner(i - 1, false), corner(i, false), corner(i, true)};
        if (IsInsidePolygon({x, y}, quad)) return i;
    }
    return -1;
}
