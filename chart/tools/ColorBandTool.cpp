#include "chart/tools/ColorBandTool.h"

#include <algorithm>
#include <array>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/ColorLineTool.h"
#include "platform/classes/Published.h"

namespace {

class TColorBandToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TColorBandToolEditor"; }
    String GalleryName() const override { return "Color Band"; }
    String GalleryHint() const override
    {
        return "Displays a coloured rectangle (band) at the specified axis and position.";
    }
};

// Even-odd rule over a closed polygon.
bool insidePolygon(const std::array<TPoint, 4>& p, int x, int y)
{
    bool inside = false;
    for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].Y > y) != (p[j].Y > y) &&
            x < (p[j].X - p[i].X) * static_cast<double>(y - p[i].Y) / (p[j].Y - p[i].Y) + p[i].X)
            inside = !inside;
    }
    return inside;
}

}  // namespace

TV_PUBLISHED_AS(TColorBandTool, TColorBandToolClass)
{
    Prop("AllowDrag", &TColorBandTool::AllowDrag, &TColorBandTool::SetAllowDrag, true);
    Prop("Brush", &TColorBandTool::Brush, &TColorBandTool::SetBrush);
    PropColor("Color", &TColorBandTool::Color, &TColorBandTool::SetColor, clWhite);
    PropCursor("Cursor", &TColorBandTool::Cursor, &TColorBandTool::SetCursor, crDefault);
    Prop("DrawBehind", &TColorBandTool::DrawBehind, &TColorBandTool::SetDrawBehind, true);
    Prop("DrawBehindAxes", &TColorBandTool::DrawBehindAxes, &TColorBandTool::SetDrawBehindAxes, false);
    Prop("EndLinePen", &TColorBandTool::EndLinePen, &TColorBandTool::SetEndLinePen);
    Prop("EndValue", &TColorBandTool::EndValue, &TColorBandTool::SetEndValue, 0.0);
    Prop("Gradient", &TColorBandTool::Gradient, &TColorBandTool::SetGradient).Stored(false);
    Prop("NoLimitDrag", &TColorBandTool::NoLimitDrag, &TColorBandTool::SetNoLimitDrag, true);
    Prop("Pen", &TColorBandTool::Pen, &TColorBandTool::SetPen);
    Prop("Picture", &TColorBandTool::Picture, &TColorBandTool::SetPicture).Stored(&TColorBandTool::HasPicture);
    Prop("ResizeEnd", &TColorBandTool::ResizeEnd, &TColorBandTool::SetResizeEnd, true);
    Prop("ResizeStart", &TColorBandTool::ResizeStart, &TColorBandTool::SetResizeStart, true);
    Prop("StartLinePen", &TColorBandTool::StartLinePen, &TColorBandTool::SetStartLinePen);
    Prop("StartValue", &TColorBandTool::StartValue, &TColorBandTool::SetStartValue, 0.0);
    Prop("Transparency", &TColorBandTool::Transparency, &TColorBandTool::SetTransparency, 0);
    Prop("OnClick", &TColorBandTool::OnClick, &TColorBandTool::SetOnClick);
    Prop("OnDragging", &TColorBandTool::OnDragging, &TColorBandTool::SetOnDragging);
    Prop("OnResizing", &TColorBandTool::OnResizing, &TColorBandTool::SetOnResizing);
    Prop("OnResized", &TColorBandTool::OnResized, &TColorBandTool::SetOnResized);
}

TColorBandTool::TColorBandTool(TComponent* owner) : TZebCustomToolAxis(owner)
{
    startLine_ = makeLine();
    endLine_ = makeLine();
    nameLines();
}

// Named, so that the stored forms tell the two children apart.
void TColorBandTool::nameLines()
{
    startLine_->SetName("StartLine");
    endLine_->SetName("EndLine");
}

TColorBandTool::~TColorBandTool() = default;

TColorLineTool* TColorBandTool::makeLine()
{
    auto* line = new TColorLineTool(this);
    line->SetDragRepaint(true);
    bindLine(line);
    return line;
}

void TColorBandTool::bindLine(TColorLineTool* line)
{
    line->DragNotify = [this](TColorLineTool* sender) { lineDragged(sender); };
    line->EndDragNotify = [this](TColorLineTool* sender) { lineDropped(sender); };
    line->Pen()->SetOnChange([this](TObject*) { InvalidateChart(); });
    line->SetDrawChart(ParentChart());
}

void TColorBandTool::lineDragged(TColorLineTool* line)
{
    if (!line->DragRepaint()) return;
    if (line == startLine_)
        SetStartValue(line->Value());
    else
        SetEndValue(line->Value());
    if (onResizing_) onResizing_(this);
}

void TColorBandTool::lineDropped(TColorLineTool* line)
{
    if (!line->DragRepaint()) {
        if (line == startLine_)
            SetStartValue(line->Value());
        else
            SetEndValue(line->Value());
    }
    if (onResized_) onResized_(this);
}

void TColorBandTool::linesTakeValues()
{
    startLine_->SetValue(startValue_);
    endLine_->SetValue(endValue_);
}

void TColorBandTool::SetStartValue(double value)
{
    if (!AssignIfChanged(startValue_, value)) return;
    InvalidateChart();
    linesTakeValues();
}

void TColorBandTool::SetEndValue(double value)
{
    if (!AssignIfChanged(endValue_, value)) return;
    InvalidateChart();
    linesTakeValues();
}

TZebGradient* TColorBandTool::Gradient() { return Brush()->Gradient(); }

TZebPicture* TColorBandTool::Picture()
{
    if (!picture_) {
        picture_ = std::make_unique<TZebPicture>();
        picture_->SetOnChange(TNotifyEvent([this](TObject*) { InvalidateChart(); }));
    }
    return picture_.get();
}

void TColorBandTool::SetPicture(TZebPicture* value)
{
    if (!value)
        picture_.reset();
    else
        Picture()->Assign(value);
    InvalidateChart();
}

void TColorBandTool::SetGradient(TZebGradient* value) { Brush()->SetGradient(value); }

bool TColorBandTool::ResizeStart() const { return startLine_->AllowDrag(); }
bool TColorBandTool::ResizeEnd() const { return endLine_->AllowDrag(); }

void TColorBandTool::SetResizeStart(bool value)
{
    if (ComponentState().Contains(csReading)) return;
    startLine_->SetAllowDrag(value);
    if (value) startLine_->SetActive(true);
}

void TColorBandTool::SetResizeEnd(bool value)
{
    if (ComponentState().Contains(csReading)) return;
    endLine_->SetAllowDrag(value);
    if (value) endLine_->SetActive(true);
}

TZebPen* TColorBandTool::StartLinePen() const { return startLine_->Pen(); }
void TColorBandTool::SetStartLinePen(TZebPen* value) { startLine_->SetPen(value); }
TZebPen* TColorBandTool::EndLinePen() const { return endLine_->Pen(); }
void TColorBandTool::SetEndLinePen(TZebPen* value) { endLine_->SetPen(value); }

void TColorBandTool::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TZebCustomToolAxis::GetChildren(proc, root);
    proc(startLine_);
    proc(endLine_);
}

void TColorBandTool::ReadState(TReader& reader)
{
    // The streamed lines take the names.
    startLine_->SetName(String());
    endLine_->SetName(String());
    TZebCustomToolAxis::ReadState(reader);
    // The streamed lines (start first) replace the ones the constructor made.
    std::vector<TColorLineTool*> read;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* line = dynamic_cast<TColorLineTool*>(Components(i)); line && line->IsLoading())
            read.push_back(line);
    auto adopt = [this](TColorLineTool*& own, TColorLineTool* line) {
        if (own != line) TObject::Free(std::exchange(own, line));
        bindLine(own);
        if (Axis()) own->SetAxis(Axis());
        own->SetParentChart(nullptr);
        own->SetDrawChart(ParentChart());
    };
    if (read.size() >= 2) adopt(endLine_, read[1]);
    if (!read.empty()) adopt(startLine_, read[0]);
    nameLines();
}

void TColorBandTool::Loaded()
{
    TZebCustomToolAxis::Loaded();
    for (TColorLineTool* line : {startLine_, endLine_}) {
        if (Axis()) line->SetAxis(Axis());
        line->SetParentChart(nullptr);
        line->SetDrawChart(ParentChart());
    }
    linesTakeValues();
}

void TColorBandTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TColorBandTool*>(source)) {
        allowDrag_ = s->allowDrag_;
        color_ = s->color_;
        cursor_ = s->cursor_;
        drawBehind_ = s->drawBehind_;
        drawBehindAxes_ = s->drawBehindAxes_;
        endValue_ = s->endValue_;
        noLimitDrag_ = s->noLimitDrag_;
        startValue_ = s->startValue_;
        transparency_ = s->transparency_;
        endLine_->Assign(s->endLine_);
        SetPicture(s->picture_.get());
        startLine_->Assign(s->startLine_);
        for (TColorLineTool* line : {startLine_, endLine_}) {
            line->SetParentChart(nullptr);
            line->SetDrawChart(ParentChart());
        }
    }
    TZebCustomToolAxis::Assign(source);
}

void TColorBandTool::SetParentChart(TCustomAxisPanel* value)
{
    TZebCustomToolAxis::SetParentChart(value);
    for (TColorLineTool* line : {startLine_, endLine_}) line->SetDrawChart(value);
}

void TColorBandTool::SetAxis(TChartAxis* value)
{
    TZebCustomToolAxis::SetAxis(value);
    if (ComponentState().Contains(csReading)) return;
    for (TColorLineTool* line : {startLine_, endLine_}) {
        line->SetAxis(value);
        line->SetParentChart(nullptr);
        line->SetDrawChart(ParentChart());
    }
}

// ---- geometry ----

TRect TColorBandTool::BoundsRect() const
{
    const TChartAxis* axis = Axis();
    const TCustomAxisPanel* chart = ParentChart();
    if (!axis || !chart) return {};
    double a = std::min(startValue_, endValue_), b = std::max(startValue_, endValue_);
    if (a > axis->Maximum() || b < axis->Minimum()) return {};
    if (axis->Inverted()) std::swap(a, b);
    const int lo = std::min(axis->StartPixel(), axis->EndPixel());
    const int hi = std::max(axis->StartPixel(), axis->EndPixel());
    TRect r = chart->ChartRect();
    const bool pen = Pen()->Visible();
    if (axis->Horizontal()) {
        r.Left = std::max(lo, axis->ValueToPixel(a));
        r.Right = std::min(hi, axis->ValueToPixel(b));
        if (pen) ++r.Right;
    } else {
        r.Top = std::max(lo, axis->ValueToPixel(b));
        r.Bottom = std::min(hi, axis->ValueToPixel(a));
        ++r.Left;
        ++r.Bottom;
        if (!pen) {
            ++r.Bottom;
            ++r.Right;
        }
    }
    return r;
}

int TColorBandTool::depth() const
{
    return drawBehind_ && ParentChart() && ParentChart()->View3D() ? ParentChart()->Depth3D() : 0;
}

bool TColorBandTool::Clicked(int x, int y) const
{
    const TRect r = BoundsRect();
    if (r.Width() <= 0 || r.Height() <= 0) return false;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const int z = depth();
    const std::array<TPoint, 4> corners{canvas.ProjectXYZ(r.Left, r.Top, z), canvas.ProjectXYZ(r.Right, r.Top, z),
                                        canvas.ProjectXYZ(r.Right, r.Bottom, z),
                                        canvas.ProjectXYZ(r.Left, r.Bottom, z)};
    return insidePolygon(corners, x, y);
}

// ---- drawing ----

void TColorBandTool::drawBand(TCanvas3D& canvas)
{
    const TRect r = BoundsRect();
    if (r.Width() > 0 && r.Height() > 0) {
        TCustomAxisPanel& chart = *ParentChart();
        const TChartAxis& axis = *Axis();
        const int z = depth();
        canvas.UseBrushColored(*Brush(), color_);
        canvas.UsePen(*Pen());
        TZebBlend* blend = nullptr;
        if (transparency_ > 0) {
            const TPoint a = canvas.ProjectXYZ(r.Left, r.Top, z), b = canvas.ProjectXYZ(r.Right, r.Bottom, z);
            blend = canvas.StartBlend({a.X, a.Y, b.X, b.Y}, static_cast<TZebTransparency>(transparency_));
        }
        if (picture_ && picture_->HasGraphic()) {
            // Stretched over the band as projected at its depth.
            const TPoint a = canvas.ProjectXYZ(r.Left, r.Top, z), b = canvas.ProjectXYZ(r.Right, r.Bottom, z);
            canvas.StretchGraphic({a.X, a.Y, b.X, b.Y}, picture_->GetFilteredGraphic());
        } else if (Brush()->HasVisibleGradient() && !chart.View3D()) {
            // The whole band's gradient, of which the visible part shows.
            TRect whole = chart.ChartRect();
            const int p0 = axis.ValueToPixel(startValue_), p1 = axis.ValueToPixel(endValue_);
            if (axis.Horizontal()) {
                whole.Left = std::min(p0, p1);
                whole.Right = std::max(p0, p1);
            } else {
                whole.Top = std::min(p0, p1);
                whole.Bottom = std::max(p0, p1);
            }
            canvas.ClipToRect(r);
            Brush()->Gradient()->Draw(canvas, whole);
            canvas.RemoveClip();
            canvas.Brush()->Clear();
        }
        if (!picture_ || !picture_->HasGraphic()) canvas.RectangleAtZ(r, z);
        if (blend) canvas.FinishBlend(blend);
        // The gradient must not carry over to what is filled next.
        canvas.Brush()->Clear();
    }
    for (TColorLineTool* line : {startLine_, endLine_})
        if (line->Active()) line->PaintPass(false);
}

void TColorBandTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolAxis::ChartDrawStage(stage);
    if (!Axis() || !ParentChart()) return;
    const bool draw = drawBehindAxes_ ? stage == cdsBeforeAxes
                      : drawBehind_   ? stage == cdsBeforeSeries
                                      : stage == cdsEnd;
    if (draw) drawBand(*ParentChart()->Canvas3D());
}

// ---- mouse ----

void TColorBandTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    TChartAxis* axis = Axis();
    if (!chart || !axis) return;
    if (startLine_->Active()) startLine_->HandleMouse(kind, button, shift, x, y);
    if (endLine_->Active() && !chart->MouseHandled()) endLine_->HandleMouse(kind, button, shift, x, y);
    const bool byLine = chart->MouseHandled();
    const int along = axis->Horizontal() ? x : y;
    switch (kind) {
    case tmkDown:
        moved_ = false;
        if (allowDrag_ && !byLine && Clicked(x, y)) {
            dragging_ = true;
            grab_ = axis->PixelToValue(along) - startValue_;
            chart->SetMouseHandled(true);
        }
        break;
    case tmkMove:
        if (dragging_ && !byLine) {
            double s = axis->PixelToValue(along) - grab_;
            const double w = endValue_ - startValue_;
            if (!noLimitDrag_) {
                s = startLine_->LimitToAxis(s);
                const double e = startLine_->LimitToAxis(s + w);
                if (s + w > e) s = e - w;
            }
            // Both ends move together: one repaint.
            startValue_ = s;
            endValue_ = s + w;
            linesTakeValues();
            InvalidateChart();
            moved_ = true;
            chart->SetMouseHandled(true);
            if (onDragging_) onDragging_(this);
        } else if (!dragging_ && !byLine && (allowDrag_ || cursor_ != crDefault) && Clicked(x, y)) {
            chart->SetCursor(cursor_ == crDefault && allowDrag_ ? crHandPoint : cursor_);
            chart->SetMouseHandled(true);
        }
        break;
    case tmkUp: {
        const bool wasDragging = dragging_;
        dragging_ = false;
        if (!moved_ && onClick_ && Clicked(x, y) && (wasDragging || !byLine)) onClick_(this, button, shift, x, y);
        moved_ = false;
        break;
    }
    }
}
