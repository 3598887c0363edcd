#include "chart/animation/DragTools.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "chart/animation/PropertyAnimations.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesPointer.h"
#include "chart/core/ValueList.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/PieSettings.h"
#include "platform/classes/Published.h"
#include "platform/forms/Control.h"
#include "platform/rtl/MathUtils.h"

namespace {
class TDragToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TDragPointToolEdit"; }
    String GalleryName() const override { return "Drag Point"; }
    String GalleryHint() const override { return "Moves a Series point when dragging it with mouse."; }
};
class TGanttToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TGanttToolEditor"; }
    String GalleryName() const override { return "Gantt Drag"; }
    String GalleryHint() const override { return "Allows dragging and resizing Gantt bars."; }
};
class TPieToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPieToolEditor"; }
    String GalleryName() const override { return "Pie Slices"; }
    String GalleryHint() const override
    {
        return "Outlines or expands Pie slices when moving or clicking with mouse.";
    }
};
}  // namespace

TV_PUBLISHED_AS(TDragPointTool, TDragToolClass)
{
    PropEnum("DragStyle", &TDragPointTool::DragStyle, &TDragPointTool::SetDragStyle, dsBoth, TDragPointStyleNames);
    Prop("OnDragPoint", &TDragPointTool::OnDragPoint, &TDragPointTool::OnDragPoint);
    Prop("OnEndDrag", &TDragPointTool::OnEndDrag, &TDragPointTool::OnEndDrag);
    Prop("OnStartDrag", &TDragPointTool::OnStartDrag, &TDragPointTool::OnStartDrag);
}

TV_PUBLISHED_AS(TGanttTool, TGanttToolClass)
{
    Prop("AllowDrag", &TGanttTool::AllowDrag, &TGanttTool::SetAllowDrag, true);
    Prop("AllowResize", &TGanttTool::AllowResize, &TGanttTool::SetAllowResize, true);
    PropCursor("CursorDrag", &TGanttTool::CursorDrag, &TGanttTool::SetCursorDrag, -21);
    PropCursor("CursorResize", &TGanttTool::CursorResize, &TGanttTool::SetCursorResize, -9);
    Prop("MinPixels", &TGanttTool::MinPixels, &TGanttTool::SetMinPixels, 5);
    Prop("OnDragBar", &TGanttTool::OnDragBar, &TGanttTool::OnDragBar);
    Prop("OnResizeBar", &TGanttTool::OnResizeBar, &TGanttTool::OnResizeBar);
}

TV_PUBLISHED(TPieToolPen)
{
    Prop("Width", &TPieToolPen::Width, &TPieToolPen::SetWidth).NoDefault().Stored(&TPieToolPen::IsPieWidthStored);
}

TPieToolPen::TPieToolPen() { SetWidth(4); }

TV_PUBLISHED_AS(TPieTool, TPieToolClass)
{
    Prop("Pen", &TPieTool::Pen, &TPieTool::SetPen);
    PropEnum("Style", &TPieTool::Style, &TPieTool::SetStyle, ptFocus, TPieToolStyleNames);
}

// ---- shared ----

double DragAxisValue(TChartAxis& axis, int pixel)
{
    // Adding a tenth of the smallest double to the maximum leaves it where it was; a real step
    // (relative to the value, at least 1 near 0) gives the axis a range to divide by.
    if (axis.Maximum() == axis.Minimum()) {
        axis.SetAutomaticMaximum(false);
        const double m = axis.Maximum();
        axis.SetMaximum(m + std::max(1.0, std::abs(m) * 1e-9));
        axis.RecalcScale();
    }
    return axis.PixelToValue(pixel);
}

// ---- drag point ----

void TDragPointTool::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TDragPointTool*>(source)) dragStyle_ = other->dragStyle_;
    TZebCustomToolSeries::Assign(source);
}

void TDragPointTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    TChartSeries* s = Series();
    TCustomAxisPanel* chart = ParentChart();
    if (!s || !chart) return;
    switch (kind) {
        case tmkDown: {
            const int index = s->HitTest(x, y);
            if (index < 0) return;
            bool start = true;
            if (OnStartDrag) OnStartDrag(this, index, start);
            if (!start) return;
            index_ = index;
            chart->SetMouseHandled(true);
            break;
        }
        case tmkMove: {
            if (index_ < 0 || index_ >= s->Count()) return;
            const bool changeX = dragStyle_ != dsY, changeY = dragStyle_ != dsX;
            if (auto* own = dynamic_cast<IDragPointSeries*>(s)) {
                own->DragPoint(index_, x, y, changeX, changeY);
            } else {
                TPointUpdateBlock block(*s);
                if (changeX && s->GetHorizAxis()) s->XValues()->SetValueAt(index_, DragAxisValue(*s->GetHorizAxis(), x));
                if (changeY && s->GetVertAxis()) s->YValues()->SetValueAt(index_, DragAxisValue(*s->GetVertAxis(), y));
            }
            chart->SetMouseHandled(true);
            chart->Invalidate();
            if (OnDragPoint) OnDragPoint(this, index_);
            break;
        }
        case tmkUp:
            if (index_ < 0) return;
            if (OnEndDrag) OnEndDrag(this, index_);
            index_ = -1;
            break;
    }
}

// ---- Gantt ----

void TGanttTool::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TGanttTool*>(source)) {
        allowDrag_ = other->allowDrag_;
        allowResize_ = other->allowResize_;
        cursorDrag_ = other->cursorDrag_;
        cursorResize_ = other->cursorResize_;
        minPixels_ = other->minPixels_;
    }
    TZebCustomToolSeries::Assign(source);
}

int TGanttTool::edgeAt(int x, int y, TGanttToolBarPart& part) const
{
    auto* gantt = dynamic_cast<TGanttSeries*>(Series());
    if (!gantt || !gantt->GetHorizAxis()) return -1;
    const int half = gantt->Pointer()->VertSize() / 2;
    for (int i = 0; i < gantt->Count(); ++i) {
        if (std::abs(y - gantt->PointScreenY(i)) > half) continue;
        if (std::abs(gantt->ValueScreenX(gantt->StartValues()->ValueAt(i)) - x) < minPixels_) {
            part = bpStart;
            return i;
        }
        if (std::abs(gantt->ValueScreenX(gantt->EndValues()->ValueAt(i)) - x) < minPixels_) {
            part = bpEnd;
            return i;
        }
    }
    return -1;
}

void TGanttTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    auto* gantt = dynamic_cast<TGanttSeries*>(Series());
    TCustomAxisPanel* chart = ParentChart();
    if (!gantt || !chart || !gantt->GetHorizAxis()) return;
    TChartAxis& axis = *gantt->GetHorizAxis();
    switch (kind) {
        case tmkDown:
            bar_ = -1;
            lastValue_ = DragAxisValue(axis, x);
            if (allowResize_) bar_ = edgeAt(x, y, part_);
            if (bar_ < 0 && allowDrag_) {
                bar_ = gantt->HitTest(x, y);
                part_ = bpAll;
            }
            if (bar_ >= 0) chart->SetMouseHandled(true);
            break;
        case tmkMove: {
            if (bar_ < 0 || bar_ >= gantt->Count()) {
                TGanttToolBarPart part = bpAll;
                if (allowResize_ && edgeAt(x, y, part) >= 0) {
                    chart->SetCursor(cursorResize_);
                    chart->SetMouseHandled(true);
                } else if (allowDrag_ && gantt->HitTest(x, y) >= 0) {
                    chart->SetCursor(cursorDrag_);
                    chart->SetMouseHandled(true);
                }
                return;
            }
            const double value = DragAxisValue(axis, x);
            const double delta = value - lastValue_;
            TChartValueList* start = gantt->StartValues();
            TChartValueList* end = gantt->EndValues();
            const double s = start->ValueAt(bar_), e = end->ValueAt(bar_);
            switch (part_) {
                case bpStart:
                    start->SetValueAt(bar_, std::min(s + delta, e));
                    if (OnResizeBar) OnResizeBar(this, bar_, part_);
                    break;
                case bpAll:
                    start->SetValueAt(bar_, s + delta);
                    end->SetValueAt(bar_, e + delta);
                    if (OnDragBar) OnDragBar(this, bar_);
                    break;
                case bpEnd:
                    end->SetValueAt(bar_, std::max(e + delta, s));
                    if (OnResizeBar) OnResizeBar(this, bar_, part_);
                    break;
            }
            lastValue_ = value;
            chart->SetMouseHandled(true);
            chart->Invalidate();
            break;
        }
        case tmkUp: bar_ = -1; break;
    }
}

// ---- pie slices ----

TPieTool::TPieTool(TComponent* owner) : TZebCustomToolSeries(owner), pen_(std::make_unique<TPieToolPen>()) {}

TPieTool::~TPieTool() = default;

void TPieTool::SetPen(TZebPen* value)
{
    if (value) pen_->Assign(value);
}

void TPieTool::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TPieTool*>(source)) {
        style_ = other->style_;
        pen_->Assign(other->pen_.get());
    }
    TZebCustomToolSeries::Assign(source);
}

void TPieTool::Notification(TComponent* component, TOperation operation)
{
    TZebCustomToolSeries::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == pie_) pie_ = nullptr, slice_ = -1;
    if (component == player_) player_ = nullptr, explode_ = nullptr;
    if (component == explode_) explode_ = nullptr;
}

TColor TPieTool::OutlineColor(TColor sliceColor) const
{
    const TColor pen = pen_->Color();
    if (sliceColor != pen) return pen;
    return pen == clBlack ? clWhite : clBlack;
}

void TPieTool::find(int x, int y, TPieSeries*& pie, int& slice) const
{
    pie = nullptr;
    slice = -1;
    auto look = [&](TPieSeries* p) {
        if (!p->Active()) return false;
        int s = p->SliceAtPoint(x, y, true);
        if (s < 0) s = p->SliceAtPoint(x, y, false);
        if (s < 0) return false;
        pie = p, slice = s;
        return true;
    };
    if (auto* own = dynamic_cast<TPieSeries*>(Series())) {
        look(own);
        return;
    }
    if (!ParentChart()) return;
    for (TChartSeries* s : ParentChart()->SeriesList())
        if (auto* p = dynamic_cast<TPieSeries*>(s); p && look(p)) return;
}

void TPieTool::highlight(bool on)
{
    if (!pie_ || slice_ < 0 || slice_ >= pie_->Count()) return;
    TCustomAxisPanel* chart = pie_->ParentChart();
    if (!chart) return;
    if (style_ == ptFocus) {
        if (!on) {
            chart->Invalidate();
            return;
        }
        TCanvas3D& canvas = *chart->Canvas3D();
        canvas.Brush()->SetStyle(bsClear);
        canvas.Pen()->Assign(pen_.get());
        canvas.Pen()->SetColor(OutlineColor(pie_->GetPointColor(slice_)));
        pie_->PaintSlice(slice_);
        return;
    }
    if (!player_) {
        player_ = new TZebAnimate(this);
        explode_ = new TNumberAnimation(player_);
        explode_->SetDuration(300);
        explode_->SetKeepEndValue(true);
        player_->Animations().AddAnimation(explode_);
    }
    if (player_->IsPlaying() || player_->IsPaused()) player_->StopPlaying();
    TPieSeries* pie = pie_;
    const int slice = slice_;
    explode_->OnSetValue = [pie, slice](TZebAnimation*, double v) {
        pie->ExplodedSlice().SetSliceValue(slice, static_cast<int>(Round(v)));
    };
    explode_->SetStartValue(pie->ExplodedSlice().GetSliceValue(slice));
    explode_->SetEndValue(on ? 50 : 0);
    pie->FreeNotification(this);
    player_->StartPlaying(false, true);
}

void TPieTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    if (kind != tmkMove) return;
    TPieSeries* pie = nullptr;
    int slice = -1;
    find(x, y, pie, slice);
    if (pie == pie_ && slice == slice_) return;
    if (slice_ >= 0) {
        highlight(false);
        find(x, y, pie, slice);
    }
    pie_ = pie;
    slice_ = slice;
    if (pie_) pie_->FreeNotification(this);
    if (slice_ >= 0) highlight(true);
}
