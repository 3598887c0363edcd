#include "chart/tools/NearestTool.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/PaintOverBuffer.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/StringsShape.h"
#include "chart/core/ValueList.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TNearestToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TNearestToolEdit"; }
    String GalleryName() const override { return "Nearest Point"; }
    String GalleryHint() const override
    {
        return "Displays a graphical signal when the mouse is moving near a series point.";
    }
};

class TMarksTipToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TMarksTipToolEdit"; }
    String GalleryName() const override { return "Mark Tips"; }
    String GalleryHint() const override
    {
        return "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series point.";
    }
};

// Half the height of the system's mouse cursor: an own tip starts below the pointer.
constexpr int halfCursorHeight = 16;
// Farther points are never chosen.
constexpr int farthest = 10000;

TCustomAxisPanel* hintHost(TChartSeries& series)
{
    TCustomAxisPanel* chart = series.ParentChart();
    if (chart && !chart->Parent()) return dynamic_cast<TCustomAxisPanel*>(chart->Owner());
    return chart;
}

int pointDepth(TChartSeries& series, int index)
{
    (void)index;
    return series.DepthRange().start;
}

}  // namespace

// ---- shared routines ----

void ShowMarkHint(TChartSeries& series, int index, TSeriesMarksStyle style, TZebFont* font, TColor color,
                  TMarksTipTool* tool, const TMarksTipGetText& getText, int x, int y)
{
    String text;
    {
        TCustomAxisPanel* chart = series.ParentChart();
        const bool repaint = chart ? chart->AutoRepaint() : false;
        if (chart) chart->SetAutoRepaint(false);
        TSeriesMarks& marks = series.Marks();
        const TSeriesMarksStyle old = marks.Style();
        struct Restore {
            TCustomAxisPanel* chart;
            bool repaint;
            TSeriesMarks& marks;
            TSeriesMarksStyle old;
            ~Restore()
            {
                marks.SetStyle(old);
                if (chart) chart->SetAutoRepaint(repaint);
            }
        } restore{chart, repaint, marks, old};
        marks.SetStyle(style);
        text = series.ComposeMarkText(index);
    }
    if (getText) getText(tool, text);
    TCustomAxisPanel* host = hintHost(series);
    if (!host) return;
    if (!tool || tool->SystemHints()) {
        if (text == host->Hint()) return;
        Application->CancelHint();
        if (color != clDefault) Application->SetHintColor(color);
        if (font) Screen->HintFont()->Assign(font);
        host->SetShowHint(true);
        host->SetHint(text);
        TPoint at{x, y};
        if (host->Parent())
            at = host->ClientToScreen(at);
        else
            at = {x + host->Left(), y + host->Top()};
        Application->ActivateHint(host, at);
        return;
    }
    TTextShape& shape = *tool->Format();
    if (shape.Visible() && text == shape.Text()) return;
    shape.SetParentPanel(host);
    shape.SetText(text);
    shape.MeasureBounds(*host);
    const int w = shape.BoundsWidth(), h = shape.BoundsHeight();
    int left = x, top = y + halfCursorHeight;
    if (left + w > host->Width()) left = std::max(0, host->Width() - w - 1);
    if (top + h > host->Height()) top = std::max(0, y - halfCursorHeight - h);
    shape.SetShapeBounds({left, top, left + w, top + h});
    shape.SetLeft(left);
    shape.SetTop(top);
    shape.SetVisible(true);
    tool->TipShownFor(&series);
    host->Invalidate();
}

void CancelChartHint(TCustomAxisPanel& chart)
{
    const bool had = !chart.Hint().empty();
    chart.SetHint(String());
    if (!had) return;
    Application->SetHintColor(clInfoBk);
    Application->CancelHint();
}

int NearestPoint(TChartSeries& series, int x, int y, int distance)
{
    if (const int hit = series.HitTest(x, y); hit != -1) return hit;
    if (series.Count() == 0) return -1;
    TCustomAxisPanel* chart = series.ParentChart();
    const int first = std::max(0, series.FirstVisibleIndex());
    const int last = std::min(series.Count() - 1, series.LastVisibleIndex());
    int best = -1, bestDistance = farthest;
    for (int i = first; i <= last; ++i) {
        if (!series.IsPointUsable(i)) continue;
        int px = 0, py = 0;
        series.GetPointXY(i, px, py);
        if (chart && chart->View3D()) {
            const TPoint p = chart->Canvas3D()->ProjectXYZ(px, py, pointDepth(series, i));
            px = p.X;
            py = p.Y;
        }
        const int d = static_cast<int>(Round(std::hypot(y - py, x - px)));
        if (distance != 0 && d >= distance) continue;
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// ---- nearest tool ----

TV_PUBLISHED_AS(TNearestTool, TNearestToolClass)
{
    Prop("Brush", &TNearestTool::Brush, &TNearestTool::SetBrush);
    Prop("Distance", &TNearestTool::Distance, &TNearestTool::SetDistance, 0);
    Prop("DrawLine", &TNearestTool::DrawLine, &TNearestTool::SetDrawLine, true);
    Prop("FullRepaint", &TNearestTool::FullRepaint, &TNearestTool::SetFullRepaint, true);
    Prop("Hint", &TNearestTool::Hint, &TNearestTool::SetHint, false);
    PropEnum("HintStyle", &TNearestTool::HintStyle, &TNearestTool::SetHintStyle, smsLabelValue,
             TSeriesMarksStyleNames);
    Prop("LinePen", &TNearestTool::LinePen, &TNearestTool::SetLinePen);
    Prop("Pen", &TNearestTool::Pen, &TNearestTool::SetPen);
    Prop("Size", &TNearestTool::Size, &TNearestTool::SetSize, 20);
    PropEnum("Style", &TNearestTool::Style, &TNearestTool::SetStyle, hsCircle, TNearestToolStyleNames);
    Prop("OnChange", &TNearestTool::OnChange, &TNearestTool::SetOnChange);
    Prop("OnGetHint", &TNearestTool::OnGetHint, &TNearestTool::SetOnGetHint);
}

TNearestTool::TNearestTool(TComponent* owner) : TZebCustomToolSeries(owner), linePen_(CreatePen())
{
    Brush()->SetStyle(bsClear);
    Pen()->SetStyle(psDot);
    Pen()->SetColor(clWhite);
    Pen()->InitWidth(3);
}

TNearestTool::~TNearestTool() = default;

void TNearestTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TNearestTool*>(source)) {
        distance_ = s->distance_;
        fullRepaint_ = s->fullRepaint_;
        hint_ = s->hint_;
        hintStyle_ = s->hintStyle_;
        linePen_->Assign(s->linePen_.get());
        size_ = s->size_;
        style_ = s->style_;
    }
    TZebCustomToolSeries::Assign(source);
}

bool TNearestTool::DrawLine() const { return linePen_->Visible(); }

void TNearestTool::SetDrawLine(bool value) { linePen_->SetVisible(value); }

void TNearestTool::SetLinePen(TZebPen* value) { linePen_->Assign(value); }

bool TNearestTool::needsFullRepaint() const
{
    TCustomAxisPanel* chart = ParentChart();
    return fullRepaint_ || !chart || !chart->Canvas3D() || !chart->Canvas3D()->CanDrawInverted();
}

void TNearestTool::drawMarking(TCanvas3D& canvas, bool inverted)
{
    TChartSeries* series = Series();
    if (!series || !series->Active() || point_ < 0 || point_ >= series->Count()) return;
    TCustomAxisPanel& chart = *ParentChart();
    auto usePen = [&](TZebPen& pen) {
        if (inverted)
            chart.ApplyXorPen(pen);
        else
            canvas.UsePen(pen);
    };
    usePen(*Pen());
    int px = 0, py = 0;
    series->GetPointXY(point_, px, py);
    const int z = pointDepth(*series, point_);
    const bool in3D = chart.View3D();
    if (style_ != hsNone) {
        const TRect r{px - size_, py - size_, px + size_, py + size_};
        canvas.UseBrush(*Brush());
        canvas.SetBackgroundMode(TRANSPARENT);
        switch (style_) {
        case hsCircle:
            if (in3D)
                canvas.EllipseAtZ(r.Left, r.Top, r.Right, r.Bottom, z);
            else
                canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
            break;
        case hsRectangle:
            if (in3D)
                canvas.RectangleAtZ(r, z);
            else
                canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
            break;
        case hsDiamond: {
            const std::array<TPoint, 4> diamond{TPoint{px, r.Top}, TPoint{r.Right, py}, TPoint{px, r.Bottom},
                                                TPoint{r.Left, py}};
            if (in3D)
                canvas.PolygonAtZ(diamond, z);
            else
                canvas.Polygon(diamond);
            break;
        }
        case hsSeries: {
            const auto saved = CreatePen();
            saved->Assign(series->Pen());
            series->Pen()->Assign(Pen());
            series->DrawPoint(point_);
            series->Pen()->Assign(saved.get());
            break;
        }
        case hsNone:
            break;
        }
    }
    if (DrawLine()) {
        usePen(*linePen_);
        canvas.Brush()->Clear();
        if (in3D) {
            canvas.MoveTo(mouse_.X, mouse_.Y);
            const TPoint p = canvas.ProjectXYZ(px, py, z);
            canvas.LineTo(p.X, p.Y);
        } else {
            canvas.MoveTo(mouse_.X, mouse_.Y);
            canvas.LineTo(px, py);
        }
    }
    if (inverted) canvas.Pen()->SetMode(pmCopy);
}

TRect TNearestTool::touchedRect() const
{
    TChartSeries* series = Series();
    if (!series || point_ < 0 || point_ >= series->Count()) return {};
    int px = 0, py = 0;
    series->GetPointXY(point_, px, py);
    const int pad = size_ + std::max(Pen()->Width(), linePen_->Width()) + 2;
    return {std::min(px, mouse_.X) - pad, std::min(py, mouse_.Y) - pad, std::max(px, mouse_.X) + pad,
            std::max(py, mouse_.Y) + pad};
}

void TNearestTool::paintInverted()
{
    if (point_ < 0) return;
    TCustomAxisPanel& chart = *ParentChart();
    if (chart.View3D() || !PaintOverBuffer(chart, touchedRect(), [&](TCanvas3D& c) { drawMarking(c, true); }))
        chart.Invalidate();
}

void TNearestTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolSeries::ChartDrawStage(stage);
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    if (stage == cdsEnd) {
        drawMarking(*chart->Canvas3D(), !needsFullRepaint());
    } else if (stage == cdsMouseLeave && point_ != -1) {
        if (needsFullRepaint())
            chart->Invalidate();
        else
            paintInverted();
        point_ = -1;
    }
}

void TNearestTool::HandleMouse(TToolMouseKind kind, TMouseButton, TShiftState, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    TChartSeries* series = Series();
    if (kind != tmkMove || !chart || !series || !Active()) return;
    const bool full = needsFullRepaint();
    if (!full) paintInverted();
    point_ = NearestPoint(*series, x, y, distance_);
    mouse_ = {x, y};
    if (!full) paintInverted();
    if (onChange_) onChange_(this);
    if (full) chart->Invalidate();
    if (hint_) {
        if (point_ == -1)
            CancelChartHint(*chart);
        else
            ShowMarkHint(*series, point_, hintStyle_, series->Marks().Font(), Brush()->Color(), nullptr, onGetHint_,
                         x, y);
    }
}

// ---- mark tips ----

TV_PUBLISHED_AS(TMarksTipTool, TMarksTipToolClass)
{
    Prop("Font", &TMarksTipTool::Font, &TMarksTipTool::SetFont).Stored(false);
    Prop("Format", &TMarksTipTool::Format, &TMarksTipTool::SetFormat);
    Prop("HideDelay", &TMarksTipTool::HideDelay, &TMarksTipTool::SetHideDelay, 2500);
    PropEnum("MouseAction", &TMarksTipTool::MouseAction, &TMarksTipTool::SetMouseAction, mtmMove,
             TMarkToolMouseActionNames);
    Prop("MouseDelay", &TMarksTipTool::MouseDelay, &TMarksTipTool::SetMouseDelay, 500);
    PropEnum("Style", &TMarksTipTool::Style, &TMarksTipTool::SetStyle, smsLabelOrValue, TSeriesMarksStyleNames);
    Prop("SystemHints", &TMarksTipTool::SystemHints, &TMarksTipTool::SetSystemHints, true);
    Prop("OnCancelHint", &TMarksTipTool::OnCancelHint, &TMarksTipTool::SetOnCancelHint);
    Prop("OnGetText", &TMarksTipTool::OnGetText, &TMarksTipTool::SetOnGetText);
}

namespace {
// The tip's shape: placed where the mouse puts it.
class TTipShape : public TTextShape {
public:
    TTipShape() { PresetCustomPosition(true); }
};
}  // namespace

TMarksTipTool::TMarksTipTool(TComponent* owner) : TZebCustomToolSeries(owner), format_(std::make_unique<TTipShape>())
{
    format_->SetVisible(false);
    format_->SetDefaultTextAlignment(taCenter);
}

TMarksTipTool::~TMarksTipTool() { forgetTipSeries(); }

void TMarksTipTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TMarksTipTool*>(source)) {
        format_->Assign(s->format_.get());
        mouseAction_ = s->mouseAction_;
        style_ = s->style_;
        hideDelay_ = s->hideDelay_;
        mouseDelay_ = s->mouseDelay_;
        systemHints_ = s->systemHints_;
    }
    TZebCustomToolSeries::Assign(source);
}

void TMarksTipTool::Loaded()
{
    TZebCustomToolSeries::Loaded();
    if (systemHints_) Application->SetHintPause(mouseDelay_);
}

TZebFont* TMarksTipTool::Font() const { return format_->Font(); }

void TMarksTipTool::SetFont(TZebFont* value) { format_->Font()->Assign(value); }

void TMarksTipTool::SetFormat(TTextShape* value) { format_->Assign(value); }

int TMarksTipTool::HideDelay() const { return systemHints_ ? Application->HintHidePause() : hideDelay_; }

void TMarksTipTool::SetHideDelay(int value)
{
    if (systemHints_)
        Application->SetHintHidePause(value);
    else
        hideDelay_ = value;
}

int TMarksTipTool::MouseDelay() const { return systemHints_ ? Application->HintPause() : mouseDelay_; }

void TMarksTipTool::SetMouseDelay(int value)
{
    if (IsLoading() || !systemHints_)
        mouseDelay_ = value;
    else
        Application->SetHintPause(value);
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction value)
{
    mouseAction_ = value;
    CancelHint();
}

void TMarksTipTool::SetActive(bool value)
{
    TZebCustomToolSeries::SetActive(value);
    if (!value) CancelHint();
}

TCustomAxisPanel* TMarksTipTool::Chart() const
{
    if (Series() && Series()->ParentChart()) return Series()->ParentChart();
    return ParentChart();
}

void TMarksTipTool::TipShownFor(TChartSeries* series)
{
    if (tipSeries_ == series) return;
    forgetTipSeries();
    tipSeries_ = series;
    if (tipSeries_) tipSeries_->FreeNotification(this);
}

void TMarksTipTool::forgetTipSeries()
{
    if (tipSeries_ && tipSeries_ != Series()) tipSeries_->RemoveFreeNotification(this);
    tipSeries_ = nullptr;
}

void TMarksTipTool::Notification(TComponent* component, TOperation operation)
{
    TZebCustomToolSeries::Notification(component, operation);
    if (operation == opRemove && component == tipSeries_) {
        tipSeries_ = nullptr;
        CancelHint();
    }
}

void TMarksTipTool::CancelHint()
{
    TCustomAxisPanel* chart = Chart();
    if (!chart) return;
    if (onCancelHint_) onCancelHint_(this);
    if (systemHints_) {
        CancelChartHint(*chart);
    } else if (format_->Visible()) {
        format_->SetVisible(false);
        chart->Invalidate();
    }
    forgetTipSeries();
}

void TMarksTipTool::hideTimerTick(TObject*)
{
    timer_->SetEnabled(false);
    CancelHint();
}

void TMarksTipTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolSeries::ChartDrawStage(stage);
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    if (stage == cdsEnd && !systemHints_ && format_->Visible()) {
        // A tip of a series that left the chart meanwhile is stale.
        if (tipSeries_ && tipSeries_->ParentChart() != chart) {
            format_->SetVisible(false);
            forgetTipSeries();
            return;
        }
        format_->SetParentPanel(chart);
        format_->DrawAtBounds();
    } else if (stage == cdsMouseLeave && hideDelay_ == 0) {
        CancelHint();
    }
}

void TMarksTipTool::HandleMouse(TToolMouseKind kind, TMouseButton, TShiftState, int x, int y)
{
    if (!Active()) return;
    if (mouseAction_ == mtmMove ? kind != tmkMove : kind != tmkDown) return;
    TCustomAxisPanel* chart = Chart();
    if (!chart) return;
    TChartSeries* series = nullptr;
    int index = -1;
    if (Series()) {
        series = Series();
        index = series->HitTest(x, y);
    } else {
        for (int i = chart->NumSeries() - 1; i >= 0 && index == -1; --i) {
            TChartSeries* s = chart->GetSeriesAt(i);
            if (!s->Active()) continue;
            if (const int hit = s->HitTest(x, y); hit != -1) {
                series = s;
                index = hit;
            }
        }
    }
    if (index == -1) {
        for (TZebCustomTool* tool : chart->Tools())
            if (tool != this && dynamic_cast<TMarksTipTool*>(tool)) return;
        CancelHint();
        return;
    }
    ShowMarkHint(*series, index, style_, Font(), Brush()->Color(), this, onGetText_, x, y);
    if (!systemHints_ && hideDelay_ > 0) {
        if (!timer_) {
            timer_ = std::make_unique<TTimer>(nullptr);
            timer_->SetOnTimer(TNotifyEvent(this, &TMarksTipTool::hideTimerTick));
        }
        timer_->SetEnabled(false);
        timer_->SetInterval(static_cast<Cardinal>(hideDelay_));
        timer_->SetEnabled(true);
    }
}
