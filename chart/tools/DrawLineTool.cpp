#include "chart/tools/DrawLineTool.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/PaintOverBuffer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TDrawLineToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TDrawLineEdit"; }
    String GalleryName() const override { return "Draw Line"; }
    String GalleryHint() const override { return "Allows drawing custom lines by dragging the mouse."; }
};

// Half side of a figure's end handles.
constexpr int handleSize = 3;
// Handle colour on a black chart.
constexpr TColor silverHandle = static_cast<TColor>(0xC0C0C0);

bool nearSegment(TPoint m, TPoint a, TPoint b, int tolerance)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((m.X - a.X) * dx + (m.Y - a.Y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(m.X - (a.X + t * dx), m.Y - (a.Y + t * dy)) <= tolerance;
}

bool inSquare(TPoint m, TPoint c) { return std::abs(m.X - c.X) <= handleSize && std::abs(m.Y - c.Y) <= handleSize; }

}  // namespace

// ---- figure ----

TV_PUBLISHED(TDrawLine)
{
    Prop("Pen", &TDrawLine::Pen, &TDrawLine::SetPen).Stored(&TDrawLine::HasPen);
    PropEnum("Style", &TDrawLine::Style, &TDrawLine::SetStyle, dlLine, TDrawLineStyleNames);
    Prop("X0", &TDrawLine::X0, &TDrawLine::SetX0).NoDefault();
    Prop("Y0", &TDrawLine::Y0, &TDrawLine::SetY0).NoDefault();
    Prop("X1", &TDrawLine::X1, &TDrawLine::SetX1).NoDefault();
    Prop("Y1", &TDrawLine::Y1, &TDrawLine::SetY1).NoDefault();
}

TDrawLine::TDrawLine(TCollection* collection) : TCollectionItem(collection) {}

TDrawLine::~TDrawLine()
{
    if (TDrawLineTool* tool = Tool()) tool->LineFreed(this);
}

TDrawLineTool* TDrawLine::Tool() const
{
    const auto* lines = dynamic_cast<const TDrawLines*>(Collection());
    return lines ? lines->Tool() : nullptr;
}

void TDrawLine::repaint() const
{
    if (TDrawLineTool* tool = Tool()) tool->InvalidateChart();
}

void TDrawLine::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TDrawLine*>(source);
    if (!s) return inherited::Assign(source);
    x0_ = s->x0_;
    y0_ = s->y0_;
    x1_ = s->x1_;
    y1_ = s->y1_;
    style_ = s->style_;
    if (s->pen_)
        Pen()->Assign(s->pen_.get());
    else
        pen_.reset();
    repaint();
}

TZebPen* TDrawLine::Pen()
{
    if (!pen_) {
        pen_ = std::make_unique<TZebPen>(TNotifyEvent(this, &TDrawLine::penChanged));
        if (TDrawLineTool* tool = Tool()) pen_->Assign(tool->Pen());
    }
    return pen_.get();
}

void TDrawLine::SetPen(TZebPen* value)
{
    if (value)
        Pen()->Assign(value);
    else
        pen_.reset();
    repaint();
}

TZebPen* TDrawLine::DrawPen() const
{
    if (pen_) return pen_.get();
    TDrawLineTool* tool = Tool();
    return tool ? tool->Pen() : nullptr;
}

TPoint TDrawLine::StartPixel() const
{
    TDrawLineTool* tool = Tool();
    return tool ? tool->AxisPoint(x0_, y0_) : TPoint{};
}

TPoint TDrawLine::EndPixel() const
{
    TDrawLineTool* tool = Tool();
    return tool ? tool->AxisPoint(x1_, y1_) : TPoint{};
}

// ---- figures ----

TV_PUBLISHED(TDrawLines) {}

TDrawLines::TDrawLines(TDrawLineTool* tool) : TOwnedCollection(tool, TDrawLine::StaticClass()), tool_(tool) {}

TDrawLine* TDrawLines::AppendLine(double x0, double y0, double x1, double y1)
{
    auto* line = static_cast<TDrawLine*>(Add());
    line->SetX0(x0);
    line->SetY0(y0);
    line->SetX1(x1);
    line->SetY1(y1);
    return line;
}

// ---- tool ----

TV_PUBLISHED_AS(TDrawLineTool, TDrawLineToolClass)
{
    PropEnum("Button", &TDrawLineTool::Button, &TDrawLineTool::SetButton, mbLeft, TMouseButtonNames);
    Prop("ClickTolerance", &TDrawLineTool::ClickTolerance, &TDrawLineTool::SetClickTolerance, 0);
    Prop("EnableDraw", &TDrawLineTool::EnableDraw, &TDrawLineTool::SetEnableDraw, true);
    Prop("EnableSelect", &TDrawLineTool::EnableSelect, &TDrawLineTool::SetEnableSelect, true);
    Prop("FullRepaint", &TDrawLineTool::FullRepaint, &TDrawLineTool::SetFullRepaint, false);
    Prop("Lines", &TDrawLineTool::Lines, &TDrawLineTool::SetLines);
    Prop("Pen", &TDrawLineTool::Pen, &TDrawLineTool::SetPen);
    Prop("SelectNewLines", &TDrawLineTool::SelectNewLines, &TDrawLineTool::SetSelectNewLines, true);
    PropEnum("Style", &TDrawLineTool::Style, &TDrawLineTool::SetStyle, dlLine, TDrawLineStyleNames);
    Prop("OnDraggedLine", &TDrawLineTool::OnDraggedLine, &TDrawLineTool::SetOnDraggedLine);
    Prop("OnDragLine", &TDrawLineTool::OnDragLine, &TDrawLineTool::SetOnDragLine);
    Prop("OnNewLine", &TDrawLineTool::OnNewLine, &TDrawLineTool::SetOnNewLine);
    Prop("OnSelect", &TDrawLineTool::OnSelect, &TDrawLineTool::SetOnSelect);
    Prop("OnSelecting", &TDrawLineTool::OnSelecting, &TDrawLineTool::SetOnSelecting);
}

TDrawLineTool::TDrawLineTool(TComponent* owner)
    : TZebCustomToolSeries(owner), lines_(std::make_unique<TDrawLines>(this))
{
}

TDrawLineTool::~TDrawLineTool()
{
    selected_ = nullptr;
    // The figures ask their tool on the way out: free them while it is whole.
    lines_.reset();
}

void TDrawLineTool::LineFreed(TDrawLine* line)
{
    if (selected_ == line) selected_ = nullptr;
}

void TDrawLineTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TDrawLineTool*>(source)) {
        button_ = s->button_;
        clickTolerance_ = s->clickTolerance_;
        enableDraw_ = s->enableDraw_;
        enableSelect_ = s->enableSelect_;
        fullRepaint_ = s->fullRepaint_;
        lines_->Assign(s->lines_.get());
        selectNewLines_ = s->selectNewLines_;
        style_ = s->style_;
    }
    TZebCustomToolSeries::Assign(source);
}

void TDrawLineTool::SetEnableSelect(bool value)
{
    if (!AssignIfChanged(enableSelect_, value)) return;
    if (!value) SelectLine(nullptr);
}

void TDrawLineTool::SelectLine(TDrawLine* line)
{
    if (selected_ == line) return;
    selected_ = line;
    InvalidateChart();
}

// ---- geometry ----

TPoint TDrawLineTool::AxisPoint(double x, double y) const
{
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (!horiz || !vert) return {};
    return {horiz->ValueToPixel(x), vert->ValueToPixel(y)};
}

void TDrawLineTool::ScreenToValues(TPoint p, double& x, double& y) const
{
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (!horiz || !vert) return;
    x = horiz->PixelToValue(p.X);
    y = vert->PixelToValue(p.Y);
}

TPoint TDrawLineTool::flatPoint(int x, int y) const
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D() && chart->Canvas3D()) chart->Canvas3D()->UnprojectXY(x, y, 0);
    return {x, y};
}

bool TDrawLineTool::Clicked(const TDrawLine& line, int x, int y, int part) const
{
    const TPoint m = flatPoint(x, y);
    const TPoint p = line.StartPixel(), q = line.EndPixel();
    if (part == 1) return inSquare(m, p);
    if (part == 2) return inSquare(m, q);
    const int tolerance = clickTolerance_ + 1;
    switch (line.Style()) {
    case dlLine:
        return nearSegment(m, p, q, tolerance);
    case dlHorizParallel:
        return nearSegment(m, p, {q.X, p.Y}, tolerance) || nearSegment(m, {p.X, q.Y}, q, tolerance);
    case dlVertParallel:
        return nearSegment(m, p, {p.X, q.Y}, tolerance) || nearSegment(m, {q.X, p.Y}, q, tolerance);
    case dlRectangle:
    case dlEllipse:
        return m.X >= std::min(p.X, q.X) && m.X <= std::max(p.X, q.X) && m.Y >= std::min(p.Y, q.Y) &&
               m.Y <= std::max(p.Y, q.Y);
    }
    return false;
}

TDrawLine* TDrawLineTool::LineAt(int x, int y, int part) const
{
    if (selected_ && Clicked(*selected_, x, y, part)) return selected_;
    for (int i = 0; i < lines_->Count(); ++i)
        if (Clicked(*lines_->Items(i), x, y, part)) return lines_->Items(i);
    return nullptr;
}

TDrawLine* TDrawLineTool::LineAt(int x, int y) const
{
    for (int part = 0; part <= 2; ++part)
        if (TDrawLine* line = LineAt(x, y, part)) return line;
    return nullptr;
}

// ---- drawing ----

bool TDrawLineTool::needsFullRepaint() const
{
    TCustomAxisPanel* chart = ParentChart();
    return fullRepaint_ || !chart || !chart->Canvas3D() || !chart->Canvas3D()->CanDrawInverted();
}

bool TDrawLineTool::ClipToAxes()
{
    TCustomAxisPanel& chart = *ParentChart();
    if (!chart.ClippingAllowed()) return false;
    TRect r = chart.ChartRect();
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (Series() && horiz && vert)
        r = {std::min(horiz->StartPixel(), horiz->EndPixel()), std::min(vert->StartPixel(), vert->EndPixel()),
             std::max(horiz->StartPixel(), horiz->EndPixel()), std::max(vert->StartPixel(), vert->EndPixel())};
    chart.Canvas3D()->ClipToBox(r, 0, chart.Depth3DWidth());
    return true;
}

void TDrawLineTool::applyPen(TCanvas3D& canvas, TZebPen& pen, bool inverted)
{
    canvas.Brush()->Clear();
    if (inverted)
        ParentChart()->ApplyXorPen(pen);
    else
        canvas.UsePen(pen);
}

void TDrawLineTool::drawFigure(TCanvas3D& canvas, TDrawLineStyle style, TPoint p, TPoint q) const
{
    const bool in3D = ParentChart()->View3D();
    auto line = [&](TPoint a, TPoint b) {
        if (in3D) {
            canvas.LineAtZ(a.X, a.Y, b.X, b.Y, 0);
        } else {
            canvas.MoveTo(a.X, a.Y);
            canvas.LineTo(b.X, b.Y);
        }
    };
    switch (style) {
    case dlLine:
        line(p, q);
        break;
    case dlHorizParallel:
        line(p, {q.X, p.Y});
        line({p.X, q.Y}, q);
        break;
    case dlVertParallel:
        line(p, {p.X, q.Y});
        line({q.X, p.Y}, q);
        break;
    case dlRectangle: {
        const TRect r{std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)};
        if (in3D)
            canvas.RectangleAtZ(r, 0);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        break;
    }
    case dlEllipse: {
        const TRect r{std::min(p.X, q.X), std::min(p.Y, q.Y), std::max(p.X, q.X), std::max(p.Y, q.Y)};
        if (in3D)
            canvas.EllipseAtZ(r.Left, r.Top, r.Right, r.Bottom, 0);
        else
            canvas.Ellipse(r.Left, r.Top, r.Right, r.Bottom);
        break;
    }
    }
}

void TDrawLineTool::drawLines(TCanvas3D& canvas)
{
    TCustomAxisPanel& chart = *ParentChart();
    canvas.SetBackgroundMode(TRANSPARENT);
    const bool clipped = ClipToAxes();
    const bool inverted = !needsFullRepaint();
    for (int i = 0; i < lines_->Count(); ++i) {
        TDrawLine& line = *lines_->Items(i);
        applyPen(canvas, *line.DrawPen(), inverted);
        drawFigure(canvas, line.Style(), line.StartPixel(), line.EndPixel());
        canvas.Pen()->SetMode(pmCopy);
    }
    if (selected_ && dragPart_ == 0) {
        canvas.Pen()->SetStyle(psClear);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(chart.Color() == clBlack ? silverHandle : clBlack);
        for (TPoint c : {selected_->StartPixel(), selected_->EndPixel()}) {
            const TRect r{c.X - handleSize, c.Y - handleSize, c.X + handleSize, c.Y + handleSize};
            if (chart.View3D())
                canvas.RectangleAtZ(r, 0);
            else
                canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        }
    }
    if (drawing_) {
        applyPen(canvas, *Pen(), inverted);
        drawFigure(canvas, style_, p0_, p1_);
        canvas.Pen()->SetMode(pmCopy);
    }
    if (clipped) canvas.RemoveClip();
}

void TDrawLineTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolSeries::ChartDrawStage(stage);
    if (stage != cdsEnd || !ParentChart() || !Active()) return;
    drawLines(*ParentChart()->Canvas3D());
}

TRect TDrawLineTool::touchedRect() const
{
    const int pad = Pen()->Width() + handleSize + 2;
    TRect r{std::min(p0_.X, p1_.X) - pad, std::min(p0_.Y, p1_.Y) - pad, std::max(p0_.X, p1_.X) + pad,
            std::max(p0_.Y, p1_.Y) + pad};
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) r = chart->Canvas3D()->ProjectedBoundsAtZ(r, 0);
    return r;
}

void TDrawLineTool::drawInverted()
{
    TCustomAxisPanel& chart = *ParentChart();
    const TDrawLineStyle style = drawing_ || !selected_ ? style_ : selected_->Style();
    TZebPen& pen = drawing_ || !selected_ ? *Pen() : *selected_->DrawPen();
    const bool shown = PaintOverBuffer(chart, touchedRect(), [&](TCanvas3D& canvas) {
        canvas.SetBackgroundMode(TRANSPARENT);
        applyPen(canvas, pen, true);
        drawFigure(canvas, style, p0_, p1_);
    });
    if (!shown) chart.Invalidate();
}

// ---- mouse ----

void TDrawLineTool::storeDragged()
{
    // Only the ends that move: a point read back from its pixel would drift.
    double vx = 0, vy = 0;
    if (dragPart_ != 2) {
        ScreenToValues(p0_, vx, vy);
        selected_->SetX0(vx);
        selected_->SetY0(vy);
    }
    if (dragPart_ != 1) {
        ScreenToValues(p1_, vx, vy);
        selected_->SetX1(vx);
        selected_->SetY1(vy);
    }
}

void TDrawLineTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    const bool full = needsFullRepaint();
    switch (kind) {
    case tmkDown: {
        if (button != button_) return;
        TDrawLine* found = enableSelect_ ? LineAt(x, y) : nullptr;
        if (found) {
            p0_ = found->StartPixel();
            p1_ = found->EndPixel();
            last_ = {x, y};
            dragPart_ = 3;
            if (found == selected_) {
                if (LineAt(x, y, 1) == found)
                    dragPart_ = 1;
                else if (LineAt(x, y, 2) == found)
                    dragPart_ = 2;
            } else {
                bool allow = true;
                if (onSelecting_) onSelecting_(this, found, allow);
                if (allow) {
                    selected_ = found;
                    if (onSelect_) onSelect_(this);
                }
            }
            // Dragging an unselected figure (a vetoed selection) has nothing to move.
            if (found != selected_) dragPart_ = 0;
            chart->Invalidate();
        } else {
            SelectLine(nullptr);
            if (!enableDraw_) return;
            drawing_ = true;
            p0_ = p1_ = {x, y};
            if (full)
                chart->Invalidate();
            else
                drawInverted();
        }
        chart->SetMouseHandled(true);
        break;
    }
    case tmkMove:
        if (drawing_ || dragPart_ != 0) {
            if (full)
                chart->Invalidate();
            else
                drawInverted();
            if (drawing_) {
                p1_ = {x, y};
            } else if (dragPart_ == 1) {
                p0_ = {x, y};
            } else if (dragPart_ == 2) {
                p1_ = {x, y};
            } else {
                const int dx = x - last_.X, dy = y - last_.Y;
                p0_ = {p0_.X + dx, p0_.Y + dy};
                p1_ = {p1_.X + dx, p1_.Y + dy};
                last_ = {x, y};
            }
            if (!drawing_ && selected_) {
                const bool repaint = chart->AutoRepaint();
                // The figure follows in values; the drawing is the inverting pen's.
                if (!full) chart->SetAutoRepaint(false);
                storeDragged();
                chart->SetAutoRepaint(repaint);
            }
            if (!full) drawInverted();
            chart->SetMouseHandled(true);
            moved_ = true;
            if (onDragLine_) onDragLine_(this);
        } else if (enableSelect_) {
            TCursor cursor = crDefault;
            if (selected_ && (Clicked(*selected_, x, y, 1) || Clicked(*selected_, x, y, 2)))
                cursor = crCross;
            else if (LineAt(x, y))
                cursor = crHandPoint;
            if (cursor != crDefault) {
                chart->SetCursor(cursor);
                chart->SetMouseHandled(true);
            }
        }
        break;
    case tmkUp:
        if (button != button_) return;
        if (dragPart_ != 0) {
            if (selected_) storeDragged();
            dragPart_ = 0;
            chart->Invalidate();
            if (moved_) {
                moved_ = false;
                if (onDraggedLine_) onDraggedLine_(this);
            }
        } else if (drawing_) {
            drawing_ = false;
            if (p0_ != p1_) {
                double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                ScreenToValues(p0_, x0, y0);
                ScreenToValues(p1_, x1, y1);
                TDrawLine* line = lines_->AppendLine(x0, y0, x1, y1);
                line->SetStyle(style_);
                if (selectNewLines_) selected_ = line;
                chart->Invalidate();
                if (onNewLine_) onNewLine_(this);
            } else {
                chart->Invalidate();
            }
        }
        break;
    }
}
