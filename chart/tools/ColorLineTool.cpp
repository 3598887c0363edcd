#include "chart/tools/ColorLineTool.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/PaintOverBuffer.h"
#include "chart/tools/AnnotationTool.h"
#include "platform/classes/Published.h"

namespace {

class TColorLineToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TColorLineToolEditor"; }
    String GalleryName() const override { return "Color Line"; }
    String GalleryHint() const override { return "Displays a draggable line across axes."; }
};

}  // namespace

TV_PUBLISHED_AS(TColorLineTool, TColorLineToolClass)
{
    Prop("AllowDrag", &TColorLineTool::AllowDrag, &TColorLineTool::SetAllowDrag, true);
    Prop("Annotation", &TColorLineTool::Annotation, &TColorLineTool::SetAnnotation).Stored(false);
    Prop("AnnotationValue", &TColorLineTool::AnnotationValue, &TColorLineTool::SetAnnotationValue, false);
    Prop("ClickTolerance", &TColorLineTool::ClickTolerance, &TColorLineTool::SetClickTolerance, 3);
    Prop("DragRepaint", &TColorLineTool::DragRepaint, &TColorLineTool::SetDragRepaint, false);
    Prop("Draw3D", &TColorLineTool::Draw3D, &TColorLineTool::SetDraw3D, true);
    Prop("DrawBehind", &TColorLineTool::DrawBehind, &TColorLineTool::SetDrawBehind, false);
    Prop("NoLimitDrag", &TColorLineTool::NoLimitDrag, &TColorLineTool::SetNoLimitDrag, false);
    Prop("Pen", &TColorLineTool::Pen, &TColorLineTool::SetPen);
    PropEnum("Style", &TColorLineTool::Style, &TColorLineTool::SetStyle, clCustom, TColorLineStyleNames);
    Prop("Value", &TColorLineTool::Value, &TColorLineTool::SetValue, 0.0);
    Prop("OnBeginDragLine", &TColorLineTool::OnBeginDragLine, &TColorLineTool::SetOnBeginDragLine);
    Prop("OnDragLine", &TColorLineTool::OnDragLine, &TColorLineTool::SetOnDragLine);
    Prop("OnEndDragLine", &TColorLineTool::OnEndDragLine, &TColorLineTool::SetOnEndDragLine);
}

TColorLineTool::TColorLineTool(TComponent* owner) : TZebCustomToolAxis(owner) { Pen()->InitEndStyle(esFlat); }

TColorLineTool::~TColorLineTool() = default;

TCustomAxisPanel* TColorLineTool::DrawChart() const { return drawChart_ ? drawChart_ : ParentChart(); }

void TColorLineTool::SetDrawChart(TCustomAxisPanel* chart)
{
    drawChart_ = chart;
    if (annotation_) annotation_->AttachToChart(DrawChart());
}

TAnnotationTool* TColorLineTool::Annotation()
{
    if (!annotation_) {
        annotation_ = new TAnnotationTool(this);
        annotation_->Shape()->Shadow()->SetVisible(false);
        annotation_->Shape()->SetAlignment(taCenter);
        annotation_->Shape()->SetTextAlignment(taCenter);
        annotation_->AttachToChart(DrawChart());
        annotation_->Shape()->SetVisible(true);
    }
    return annotation_;
}

void TColorLineTool::SetAnnotation(TAnnotationTool* value)
{
    if (!value) {
        TObject::Free(std::exchange(annotation_, nullptr));
        InvalidateChart();
        return;
    }
    Annotation()->Assign(value);
}

void TColorLineTool::SetAnnotationValue(bool value)
{
    if (!AssignIfChanged(annotationValue_, value)) return;
    if (!value && annotation_) annotation_->SetText(String());
    InvalidateChart();
}

void TColorLineTool::SetDragRepaint(bool value)
{
    if (AssignIfChanged(dragRepaint_, value) && value) InvalidateChart();
}

void TColorLineTool::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TZebCustomToolAxis::GetChildren(proc, root);
    if (annotation_) proc(annotation_);
}

void TColorLineTool::ReadState(TReader& reader)
{
    TZebCustomToolAxis::ReadState(reader);
    if (annotation_ && !annotation_->IsLoading()) TObject::Free(std::exchange(annotation_, nullptr));
    if (ComponentCount() > 0)
        if (auto* read = dynamic_cast<TAnnotationTool*>(Components(0))) {
            annotation_ = read;
            annotation_->AttachToChart(DrawChart());
        }
}

void TColorLineTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TColorLineTool*>(source)) {
        allowDrag_ = s->allowDrag_;
        if (s->annotation_)
            Annotation()->Assign(s->annotation_);
        else
            TObject::Free(std::exchange(annotation_, nullptr));
        annotationValue_ = s->annotationValue_;
        clickTolerance_ = s->clickTolerance_;
        dragRepaint_ = s->dragRepaint_;
        draw3D_ = s->draw3D_;
        drawBehind_ = s->drawBehind_;
        noLimitDrag_ = s->noLimitDrag_;
        style_ = s->style_;
        value_ = s->value_;
    }
    TZebCustomToolAxis::Assign(source);
}

void TColorLineTool::SetParentChart(TCustomAxisPanel* value)
{
    TZebCustomToolAxis::SetParentChart(value);
    if (annotation_) annotation_->AttachToChart(DrawChart());
    InvalidateChart();
}

void TColorLineTool::SetValue(double value)
{
    if (!ComponentState().Contains(csReading)) style_ = clCustom;
    if (!dragging_ || needsFullRepaint())
        ChangeDouble(value_, value);
    else
        value_ = value;
}

double TColorLineTool::EffectiveValue() const
{
    const TChartAxis* axis = Axis();
    if (!axis || style_ == clCustom) return value_;
    switch (style_) {
    case clMaximum:
        return axis->Maximum();
    case clCenter:
        return (axis->Minimum() + axis->Maximum()) * 0.5;
    default:
        return axis->Minimum();
    }
}

double TColorLineTool::LimitToAxis(double value) const
{
    const TChartAxis* axis = Axis();
    if (!axis) return value;
    const int p = axis->ValueToPixel(value);
    const int lo = std::min(axis->StartPixel(), axis->EndPixel());
    const int hi = std::max(axis->StartPixel(), axis->EndPixel());
    if (p < lo) return axis->PixelToValue(lo);
    if (p > hi) return axis->PixelToValue(hi);
    return value;
}

// The stored value stays as the user left it: a zoom that hides it must not move it.
double TColorLineTool::ShownValue() const
{
    const double v = EffectiveValue();
    return allowDrag_ && !noLimitDrag_ ? LimitToAxis(v) : v;
}

bool TColorLineTool::needsFullRepaint() const
{
    const TCustomAxisPanel* chart = DrawChart();
    return dragRepaint_ || !chart || !chart->Canvas3D()->CanDrawInverted() ||
           (annotation_ && annotation_->Active() && annotation_->Shape()->Visible());
}

bool TColorLineTool::Clicked(int x, int y) const
{
    const TChartAxis* axis = Axis();
    const TCustomAxisPanel* chart = DrawChart();
    if (!axis || !chart) return false;
    const int p = axis->ValueToPixel(ShownValue());
    const TRect r = chart->ChartRect();
    if (axis->Horizontal()) return std::abs(x - p) < clickTolerance_ && y >= r.Top && y <= r.Bottom;
    return std::abs(y - p) < clickTolerance_ && x >= r.Left && x <= r.Right;
}

// ---- drawing ----

void TColorLineTool::drawLine(TCanvas3D& canvas, int p)
{
    TCustomAxisPanel& chart = *DrawChart();
    const TChartAxis& axis = *Axis();
    const TRect r = chart.ChartRect();
    const bool in3D = chart.View3D();
    auto segment = [&](int x0, int y0, int x1, int y1) {
        if (in3D) {
            canvas.MoveToXYZ(x0, y0, 0);
            canvas.LineToXYZ(x1, y1, 0);
        } else {
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        }
    };
    const bool vertical = axis.Horizontal();
    TAnnotationTool* label = annotation_;
    if (label && annotationValue_) {
        const bool repaint = chart.AutoRepaint();
        chart.SetAutoRepaint(false);
        label->SetText(axis.ValueToLabelText(EffectiveValue()));
        chart.SetAutoRepaint(repaint);
    }
    if (!label || !label->Active() || !label->Shape()->Visible() || label->Text().empty()) {
        if (vertical)
            segment(p, r.Top, p, r.Bottom);
        else
            segment(r.Left, p, r.Right, p);
        return;
    }
    // The line runs around its label.
    const bool repaint = chart.AutoRepaint();
    chart.SetAutoRepaint(false);
    TTextShape& shape = *label->Shape();
    shape.SetCustomPosition(true);
    shape.MeasureBounds(chart);
    const int w = shape.BoundsWidth(), h = shape.BoundsHeight() / 2;
    const TAlignment align = shape.Alignment();
    if (vertical) {
        const int left = align == taLeftJustify ? p : align == taRightJustify ? p - w : p - w / 2;
        const int m = (r.Top + r.Bottom) / 2;
        segment(p, r.Top, p, m - h);
        segment(p, m + h, p, r.Bottom);
        shape.MoveBoundsTo(left, m - h);
    } else {
        const int left = align == taLeftJustify    ? r.Left + 4
                         : align == taRightJustify ? r.Right - w - 4
                                                   : r.Left + (r.Width() - w) / 2;
        segment(r.Left, p, left, p);
        segment(left + w, p, r.Right, p);
        shape.MoveBoundsTo(left, p - h);
    }
    label->DrawAnnotation(chart);
    chart.SetAutoRepaint(repaint);
}

void TColorLineTool::drawPass(TCanvas3D& canvas, bool behind)
{
    TCustomAxisPanel& chart = *DrawChart();
    const TChartAxis& axis = *Axis();
    const int p = axis.ValueToPixel(ShownValue());
    if (p < std::min(axis.StartPixel(), axis.EndPixel()) || p > std::max(axis.StartPixel(), axis.EndPixel())) return;
    const TRect r = chart.ChartRect();
    const int d = chart.Depth3D();
    const bool vertical = axis.Horizontal();
    auto edge = [&](int x0, int y0, int z0, int x1, int y1, int z1) {
        canvas.MoveToXYZ(x0, y0, z0);
        canvas.LineToXYZ(x1, y1, z1);
    };
    if (behind) {
        if (chart.View3D()) {
            if (draw3D_) {
                if (vertical)
                    edge(p, r.Bottom, 0, p, r.Bottom, d);
                else
                    edge(r.Left, p, 0, r.Left, p, d);
            }
            if (drawBehind_ || draw3D_) {
                if (vertical)
                    edge(p, r.Top, d, p, r.Bottom, d);
                else
                    edge(r.Left, p, d, r.Right, p, d);
            }
        } else if (drawBehind_) {
            drawLine(canvas, p);
        }
        return;
    }
    if (chart.View3D() && draw3D_) {
        if (vertical)
            edge(p, r.Top, 0, p, r.Top, d);
        else
            edge(r.Right, p, 0, r.Right, p, d);
    }
    if (!drawBehind_) drawLine(canvas, p);
}

void TColorLineTool::paintBoth(TCanvas3D& canvas)
{
    DrawChart()->ApplyXorPen(*Pen());
    drawPass(canvas, true);
    drawPass(canvas, false);
}

TRect TColorLineTool::touchedRect() const
{
    const TCustomAxisPanel& chart = *DrawChart();
    const int p = Axis()->ValueToPixel(ShownValue());
    const int w = Pen()->Width() + 2, d = chart.View3D() ? chart.Depth3D() : 0;
    const TRect r = chart.ChartRect();
    if (Axis()->Horizontal()) return {p - w - d, r.Top - w - d, p + w + d, r.Bottom + w + d};
    return {r.Left - w - d, p - w - d, r.Right + w + d, p + w + d};
}

void TColorLineTool::PaintPass(bool behind)
{
    if (!Axis() || !DrawChart()) return;
    TCanvas3D& canvas = *DrawChart()->Canvas3D();
    canvas.SetBackgroundMode(TRANSPARENT);
    const bool full = needsFullRepaint();
    if (full)
        canvas.UsePen(*Pen());
    else
        DrawChart()->ApplyXorPen(*Pen());
    drawPass(canvas, behind);
    if (!full) canvas.Pen()->SetMode(pmCopy);
}

void TColorLineTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolAxis::ChartDrawStage(stage);
    if (stage == cdsBeforeSeries || stage == cdsEnd) PaintPass(stage == cdsBeforeSeries);
}

// ---- mouse ----

void TColorLineTool::DoEndDrag()
{
    if (EndDragNotify) EndDragNotify(this);
    if (onEndDrag_) onEndDrag_(this);
}

void TColorLineTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState, int x, int y)
{
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = DrawChart();
    if (!allowDrag_ || !axis || !chart) return;
    switch (kind) {
    case tmkDown:
        if (button != mbLeft) return;
        dragging_ = Clicked(x, y);
        chart->SetMouseHandled(dragging_);
        if (dragging_ && onBeginDrag_) onBeginDrag_(this);
        break;
    case tmkMove:
        if (dragging_) {
            double v = axis->PixelToValue(axis->Horizontal() ? x : y);
            if (!noLimitDrag_) v = LimitToAxis(v);
            if (needsFullRepaint()) {
                SetValue(v);
                chart->SetMouseHandled(true);
                if (DragNotify) DragNotify(this);
                if (onDrag_) onDrag_(this);
                break;
            }
            if (v == EffectiveValue()) break;
            auto paint = [this](TCanvas3D& canvas) { paintBoth(canvas); };
            const bool erased = PaintOverBuffer(*chart, touchedRect(), paint);
            style_ = clCustom;
            value_ = v;
            chart->SetMouseHandled(true);
            if (DragNotify) DragNotify(this);
            if (onDrag_) onDrag_(this);
            if (!erased || !PaintOverBuffer(*chart, touchedRect(), paint)) chart->Invalidate();
        } else if (Clicked(x, y)) {
            chart->SetCursor(axis->Horizontal() ? crHSplit : crVSplit);
            chart->SetMouseHandled(true);
        }
        break;
    case tmkUp:
        if (!dragging_) return;
        if (!dragRepaint_) chart->Invalidate();
        DoEndDrag();
        dragging_ = false;
        break;
    }
}
