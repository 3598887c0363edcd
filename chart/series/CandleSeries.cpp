#include "chart/series/CandleSeries.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"

namespace {
class TCandleSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TCandleEditor"; }
};

bool Inside(const TRect& r, int x, int y) { return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom; }
}  // namespace

TV_PUBLISHED_AS(TCandleSeries, TCandleSeriesClass)
{
    Prop("AutoSize", &TCandleSeries::AutoSize, &TCandleSeries::SetAutoSize, true);
    PropEnum("BorderColor", &TCandleSeries::BorderColor, &TCandleSeries::SetBorderColor, cbUseColor,
             TCandleBorderColorNames);
    PropEnum("CandleStyle", &TCandleSeries::CandleStyle, &TCandleSeries::SetCandleStyle, csCandleStick,
             TCandleStyleNames);
    Prop("CandleWidth", &TCandleSeries::CandleWidth, &TCandleSeries::SetCandleWidth, 4);
    PropEnum("ColorStyle", &TCandleSeries::ColorStyle, &TCandleSeries::SetColorStyle, cssRelativeToOpen,
             TCandleColorStyleNames);
    Prop("Draw3D", &TCandleSeries::Draw3D, &TCandleSeries::SetDraw3D, true);
    Prop("Dark3D", &TCandleSeries::Dark3D, &TCandleSeries::SetDark3D, true);
    PropColor("DownCloseColor", &TCandleSeries::DownCloseColor, &TCandleSeries::SetDownCloseColor, clRed);
    Prop("DownCloseGradient", &TCandleSeries::DownCloseGradient, &TCandleSeries::SetDownCloseGradient);
    PropEnum("HighLowColor", &TCandleSeries::HighLowColor, &TCandleSeries::SetHighLowColor, cbUseColor,
             TCandleBorderColorNames);
    Prop("HighLowPen", &TCandleSeries::HighLowPen, &TCandleSeries::SetHighLowPen);
    PropColor("OpenTickColor", &TCandleSeries::OpenTickColor, &TCandleSeries::SetOpenTickColor, clNullPoint);
    PropColor("CloseTickColor", &TCandleSeries::CloseTickColor, &TCandleSeries::SetCloseTickColor, clNullPoint);
    Prop("RemoveGaps", &TCandleSeries::RemoveGaps, &TCandleSeries::SetRemoveGaps, false);
    Prop("ShowOpenTick", &TCandleSeries::ShowOpenTick, &TCandleSeries::SetShowOpenTick, true);
    Prop("ShowCloseTick", &TCandleSeries::ShowCloseTick, &TCandleSeries::SetShowCloseTick, true);
    PropColor("UpCloseColor", &TCandleSeries::UpCloseColor, &TCandleSeries::SetUpCloseColor, clWhite);
    Prop("UpCloseGradient", &TCandleSeries::UpCloseGradient, &TCandleSeries::SetUpCloseGradient);
}

TCandleSeries::TCandleSeries(TComponent* owner)
    : TOHLCSeries(owner),
      downGradient_(std::make_unique<TZebGradient>(TNotifyEvent(this, &TCandleSeries::styleChanged))),
      upGradient_(std::make_unique<TZebGradient>(TNotifyEvent(this, &TCandleSeries::styleChanged))),
      highLowPen_(CreatePen())
{
    downGradient_->SetStartColor(clRed);
    upGradient_->SetStartColor(clWhite);
    highLowPen_->SetColor(clAutomatic);
    highLowPen_->SetEndStyle(esSquare);
}

TCandleSeries::~TCandleSeries() = default;

// ---- settings ----

void TCandleSeries::SetBorderColor(TCandleBorderColor value) { Change(borderColor_, value); }

void TCandleSeries::SetCandleStyle(TCandleStyle value) { Change(candleStyle_, value); }

void TCandleSeries::SetColorStyle(TCandleColorStyle value) { Change(colorStyle_, value); }

void TCandleSeries::SetHighLowColor(TCandleBorderColor value) { Change(highLowColor_, value); }

bool TCandleSeries::Draw3D() const { return Pointer()->Draw3D(); }
void TCandleSeries::SetDraw3D(bool value) { Pointer()->SetDraw3D(value); }
bool TCandleSeries::Dark3D() const { return Pointer()->Dark3D(); }
void TCandleSeries::SetDark3D(bool value) { Pointer()->SetDark3D(value); }
int TCandleSeries::CandleDepth() const { return Pointer()->Depth(); }
void TCandleSeries::SetCandleDepth(int value) { Pointer()->SetDepth(value); }
TColor TCandleSeries::DownCloseColor() const { return downGradient_->StartColor(); }
void TCandleSeries::SetDownCloseColor(TColor value) { downGradient_->SetStartColor(value); }
void TCandleSeries::SetDownCloseGradient(TZebGradient* value) { downGradient_->Assign(value); }
TColor TCandleSeries::UpCloseColor() const { return upGradient_->StartColor(); }
void TCandleSeries::SetUpCloseColor(TColor value) { upGradient_->SetStartColor(value); }
void TCandleSeries::SetUpCloseGradient(TZebGradient* value) { upGradient_->Assign(value); }
void TCandleSeries::SetHighLowPen(TZebPen* value) { highLowPen_->Assign(value); }

void TCandleSeries::SetRemoveGaps(bool value)
{
    SetScanVisibleRange(!value);
    ChangeBoolean(removeGaps_, value);
}

// ---- colours and geometry ----

TColor TCandleSeries::CandleColor(int index) const
{
    const TColor stored = GetStoredColor(index);
    return stored != clAutomatic ? stored : CandleGradient(index)->StartColor();
}

TZebGradient* TCandleSeries::CandleGradient(int index) const
{
    const TChartValueList& close = *CloseValues();
    const TChartValueList& open = *OpenValues();
    // Equal closes defer to the previous point: a loop, so a long flat run costs no stack.
    for (int i = index;; --i) {
        if (colorStyle_ == cssRelativeToOpen || i == 0) {
            if (close[i] > open[i]) return upGradient_.get();
            if (close[i] < open[i]) return downGradient_.get();
            if (i == 0) return upGradient_.get();
        }
        if (close[i] > close[i - 1]) return upGradient_.get();
        if (close[i] < close[i - 1]) return downGradient_.get();
    }
}

TCandleSeries::TCandleGeometry TCandleSeries::CandleGeometry(int index) const
{
    TCandleGeometry g{};
    g.x = PointScreenX(index);
    g.open = ValueScreenY(OpenValues()->ValueAt(index));
    g.close = ValueScreenY(CloseValues()->ValueAt(index));
    g.high = ValueScreenY(HighValues()->ValueAt(index));
    g.low = ValueScreenY(LowValues()->ValueAt(index));
    g.left = candleWidth_ / 2;
    g.right = candleWidth_ - g.left;
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->Canvas3D() && chart->Canvas3D()->SupportsAlpha()) --g.right;
    return g;
}

TRect TCandleSeries::bodyRect(const TCandleGeometry& g, bool in3D) const
{
    int top = std::min(g.open, g.close), bottom = std::max(g.open, g.close);
    if (in3D) return {g.x - g.left, top, g.x + g.right, bottom};
    if (g.open == g.close) --top;
    return {g.x - g.left, top, g.x + g.right + 1, bottom};
}

int TCandleSeries::PointScreenX(int index) const
{
    return removeGaps_ ? ValueScreenX(index) : TOHLCSeries::PointScreenX(index);
}

double TCandleSeries::LowestX() { return removeGaps_ ? 0 : TOHLCSeries::LowestX(); }
double TCandleSeries::HighestX() { return removeGaps_ ? Count() - 1 : TOHLCSeries::HighestX(); }
double TCandleSeries::HighestY() { return candleStyle_ == csLine ? TCustomSeries::ExtremeValue(false) : ExtremeValue(false); }
double TCandleSeries::LowestY() { return candleStyle_ == csLine ? TCustomSeries::ExtremeValue(true) : ExtremeValue(true); }

void TCandleSeries::PrepareDraw()
{
    TOHLCSeries::PrepareDraw();
    candleMargin_ = candleWidth_ != 0 ? candleWidth_ : 4;
}

void TCandleSeries::MeasureAxisOverhang(const TChartAxis& axis, TRect& margins) const
{
    TOHLCSeries::MeasureAxisOverhang(axis, margins);
    if (&axis != GetHorizAxis() || Count() == 0 || !(autoSize_ || candleWidth_ == 0)) return;
    int margin = 4;  // one candle: no gap to measure
    if (const int gaps = std::min(10, Count() - 1); gaps > 0) {
        int smallest = std::abs(PointScreenX(1) - PointScreenX(0));
        for (int i = 1; i < gaps; ++i) smallest = std::min(smallest, std::abs(PointScreenX(i + 1) - PointScreenX(i)));
        margin = std::max(1, smallest / 2);
    }
    const_cast<TCandleSeries*>(this)->candleMargin_ = margin;
    if (!Pointer()->InflateMargins()) return;
    if (axis.Automatic() || axis.AutomaticMinimum()) margins.Left = std::max(margins.Left, margin);
    if (axis.Automatic() || axis.AutomaticMaximum()) margins.Right = std::max(margins.Right, margin);
}

// ---- drawing ----

void TCandleSeries::UseHighLowPen(TColor color)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    if (highLowColor_ == cbSameAsCandle)
        canvas.SelectPen(*highLowPen_, color);
    else if (highLowPen_->Color() == clAutomatic)
        canvas.SelectPen(*highLowPen_, Pointer()->Pen()->Color());
    else
        canvas.SelectPen(*highLowPen_, highLowPen_->Color());
    canvas.SetBackgroundMode(TRANSPARENT);
}

void TCandleSeries::fillBodyGradient(int index, const TRect& rect)
{
    if (!upGradient_->Visible() && !downGradient_->Visible()) return;
    TZebGradient* gradient = CandleGradient(index);
    if (!gradient->Visible()) return;
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom), std::max(rect.Left, rect.Right),
            std::max(rect.Top, rect.Bottom)};
    if (chart->View3D()) r = canvas.ProjectRectAtZ(r, Draw3D() ? Pointer()->GetStartZ() : DepthRange().middle);
    gradient->Draw(canvas, r);
    canvas.Brush()->SetStyle(bsClear);
}

void TCandleSeries::DrawVisiblePoints()
{
    hasLineFrom_ = false;
    TChartSeries::DrawVisiblePoints();
}

void TCandleSeries::DrawPoint(int index)
{
    if (IsNullPoint(index)) return;
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    if (OnGetPointerStyle()) OnGetPointerStyle()(this, index);
    Pointer()->SetupCanvas(canvas, SeriesColor());
    const TCandleGeometry g = CandleGeometry(index);
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) {
        const TRect r{g.x - g.left, std::min(g.high, g.low), g.x + g.right + 1, std::max(g.high, g.low) + 1};
        blend.emplace(canvas, chart->View3D() ? canvas.ProjectRectAtZ(r, DepthRange().middle) : r, Transparency());
    }
    const TColor color = CandleColor(index);
    const bool hover = ApplyHoverPen(index);
    switch (candleStyle_) {
    case csCandleStick:
    case csOpenClose: drawCandle(index, g, color, hover); break;
    case csLine: drawLinePart(index, g, color, hover); break;
    case csCandleBar: drawBar(g, color, hover); break;
    }
}

void TCandleSeries::drawCandle(int index, const TCandleGeometry& g, TColor color, bool hover)
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    TZebPen& pen = *Pointer()->Pen();
    const bool stick = candleStyle_ == csCandleStick;
    const int middle = DepthRange().middle;
    if (!hover) UseHighLowPen(color);
    if (chart->View3D() && Draw3D()) {
        const int top = std::min(g.open, g.close), bottom = std::max(g.open, g.close);
        if (stick) canvas.LineAlongY3D(g.x, bottom, g.low, middle);
        canvas.Brush()->SetColor(color);
        if (!hover) canvas.SelectPen(pen, g.open == g.close || !pen.Visible() ? color : pen.Color());
        const TRect body{g.x - g.left, top, g.x + g.right, bottom};
        // A point's own visual object draws its body itself.
        if (!(VisualsOrNull() && Visuals().VisualAt(index)))
            canvas.DrawBox(body.Left, body.Right, body.Top, body.Bottom, Pointer()->GetStartZ(),
                           Pointer()->GetEndZ(), Dark3D(), 0);
        fillBodyGradient(index, body);
        if (!hover) UseHighLowPen(color);
        if (stick) canvas.LineAlongY3D(g.x, top, g.high, middle);
        return;
    }
    if (stick) {
        if (chart->View3D())
            canvas.LineAlongY3D(g.x, g.high, g.low, middle);
        else
            canvas.VerticalSegment(g.x, g.high, g.low);
    }
    int open = g.open, close = g.close;
    if (open == close) --close;
    canvas.Brush()->SetColor(color);
    if (!hover) canvas.SelectPen(pen, borderColor_ == cbSameAsCandle ? color : pen.Color());
    if (chart->View3D()) {
        const TRect body{g.x - g.left, open, g.x + g.right, close};
        fillBodyGradient(index, body);
        canvas.RectangleAtZ(body, middle);
        return;
    }
    if (!pen.Visible()) (open < close ? open : close) -= 1;
    const TRect body{g.x - g.left, std::min(open, close), g.x + g.right + 1, std::max(open, close)};
    fillBodyGradient(index, body);
    canvas.DrawRect(body);
}

void TCandleSeries::drawLinePart(int index, const TCandleGeometry& g, TColor color, bool hover)
{
    const TPoint p{g.x, g.close};
    if (hasLineFrom_ && !(index > 0 && IsNullPoint(index - 1))) {
        TCustomAxisPanel* chart = ParentChart();
        TCanvas3D& canvas = *chart->Canvas3D();
        if (!hover) canvas.SelectPen(*Pointer()->Pen(), color);
        canvas.SetBackgroundMode(TRANSPARENT);
        if (chart->View3D())
            canvas.LineAtZ(lineFrom_.X, lineFrom_.Y, p.X, p.Y, DepthRange().middle);
        else
            canvas.DrawLine(lineFrom_.X, lineFrom_.Y, p.X, p.Y);
    }
    lineFrom_ = p;
    hasLineFrom_ = true;
}

void TCandleSeries::drawBar(const TCandleGeometry& g, TColor color, bool hover)
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    TZebPen& pen = *Pointer()->Pen();
    const int middle = DepthRange().middle;
    const auto line = [&](int x0, int y0, int x1, int y1) {
        if (chart->View3D())
            canvas.LineAtZ(x0, y0, x1, y1, middle);
        else
            canvas.DrawLine(x0, y0, x1, y1);
    };
    canvas.SetBackgroundMode(TRANSPARENT);
    if (!hover) canvas.SelectPen(pen, color);
    line(g.x, g.low, g.x, g.high);
    // A tick without a colour of its own takes the candle's, also after the other tick's.
    const auto tick = [&](TColor own, int y, int end) {
        if (!hover) canvas.SelectPen(pen, own != clNullPoint ? own : color);
        line(g.x, y, end, y);
    };
    if (showOpenTick_) tick(openTickColor_, g.open, g.x - g.left - 1);
    if (showCloseTick_) tick(closeTickColor_, g.close, g.x + g.right + 1);
}

void TCandleSeries::FillLegendSymbol(int, const TRect& rect)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const int dx = rect.Width() / 5 - 1, dy = rect.Height() / 5;
    const TRect body{rect.Left + dx, rect.Top + dy, rect.Right - dx, rect.Bottom - dy};
    canvas.DrawRect(body);
    const int x = (rect.Left + rect.Right) / 2;
    canvas.VerticalSegment(x, rect.Top, body.Top - 1);
    canvas.VerticalSegment(x, rect.Bottom, body.Bottom + 1);
}

// ---- hits ----

bool TCandleSeries::CandleContains(int index, int x, int y)
{
    const TCandleGeometry g = CandleGeometry(index);
    const TPoint click{x, y};
    const bool in3D = ParentChart() && ParentChart()->View3D();
    switch (candleStyle_) {
    case csCandleStick:
        if (IsNearSegment(click, {g.x, g.high}, {g.x, g.low}, 0)) return true;
        [[fallthrough]];
    case csOpenClose: return Inside(bodyRect(g, in3D), x, y);
    case csLine: {
        const TPoint p{g.x, g.close};
        const bool hit = hasLineFrom_ && IsNearSegment(click, lineFrom_, p, 0);
        lineFrom_ = p;
        hasLineFrom_ = true;
        return hit;
    }
    case csCandleBar:
        return IsNearSegment(click, {g.x, g.high}, {g.x, g.low}, 0) ||
               (showOpenTick_ && IsNearSegment(click, {g.x - g.left - 1, g.open}, {g.x, g.open}, 0)) ||
               (showCloseTick_ && IsNearSegment(click, {g.x, g.close}, {g.x + g.right + 1, g.close}, 0));
    }
    return false;
}

int TCandleSeries::HitTest(int x, int y)
{
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D() && chart->Canvas3D()) chart->Canvas3D()->UnprojectXY(x, y, Pointer()->GetStartZ());
    hasLineFrom_ = false;
    for (int i = first; i <= last; ++i)
        if (CandleContains(i, x, y)) return i;
    return -1;
}

bool TCandleSeries::IsPointInPlot(int index) const
{
    if (candleStyle_ == csLine || !ParentChart()) return false;
    const TRect body = bodyRect(CandleGeometry(index), ParentChart()->View3D());
    const TRect plot = ParentChart()->ChartRect();
    return body.Left <= plot.Right && body.Right >= plot.Left && body.Top <= plot.Bottom && body.Bottom >= plot.Top;
}

// ---- gallery and appearance ----

void TCandleSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCandleSeries*>(other)) {
        autoSize_ = s->autoSize_;
        borderColor_ = s->borderColor_;
        candleWidth_ = s->candleWidth_;
        candleStyle_ = s->candleStyle_;
        colorStyle_ = s->colorStyle_;
        upGradient_->Assign(s->upGradient_.get());
        downGradient_->Assign(s->downGradient_.get());
        highLowPen_->Assign(s->highLowPen_.get());
        highLowColor_ = s->highLowColor_;
        showOpenTick_ = s->showOpenTick_;
        showCloseTick_ = s->showCloseTick_;
    }
    TOHLCSeries::CopyAppearance(other);
}

void TCandleSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TChartSeries::ListGalleryStyles(add);
    for (const String* name : {&TxtBar, &TxtNoOpen, &TxtNoClose, &TxtNoBorder, &TxtLine}) add(*name);
}

void TCandleSeries::ApplyGalleryStyle(int index)
{
    if (index > 5) {
        TOHLCSeries::ApplyGalleryStyle(index);
        return;
    }
    Pointer()->Pen()->SetVisible(true);
    SetShowOpenTick(true);
    SetShowCloseTick(true);
    switch (index) {
    case 0: SetCandleStyle(csCandleStick); break;
    case 1: SetCandleStyle(csCandleBar); break;
    case 2:
        SetCandleStyle(csCandleBar);
        SetShowOpenTick(false);
        break;
    case 3:
        SetCandleStyle(csCandleBar);
        SetShowCloseTick(false);
        break;
    case 4:
        SetCandleStyle(csCandleStick);
        Pointer()->Pen()->SetVisible(false);
        break;
    default: SetCandleStyle(csLine); break;
    }
}

void TCandleSeries::ApplyGallery3D()
{
    if (TCustomAxisPanel* chart = ParentChart()) {
        SetDownCloseColor(chart->PaletteColor(2));
        SetUpCloseColor(chart->PaletteColor(5));
    }
}

void TCandleSeries::SetupGalleryPreview()
{
    TOHLCSeries::SetupGalleryPreview();
    FillWithSamples(4);
    SetColorEachPoint(true);
    Pointer()->Pen()->SetWidth(2);
    SetCandleWidth(12);
    SetAutoSize(true);
    SetRemoveGaps(true);
}
