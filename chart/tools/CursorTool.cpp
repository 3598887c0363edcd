#include "chart/tools/CursorTool.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPens.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/PaintOverBuffer.h"
#include "chart/core/ValueList.h"
#include "chart/tools/AnnotationTool.h"
#include "platform/classes/Published.h"

namespace {

class TCursorToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TCursorToolEditor"; }
    String GalleryName() const override { return "Cursor"; }
    String GalleryHint() const override { return "Displays draggable Cursor lines on top of Series."; }
};

// Pen colour of a cursor in a monochrome chart.
constexpr TColor monochromeCursor = static_cast<TColor>(0xC0C0C0);

bool within(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

}  // namespace

TV_PUBLISHED_AS(TCursorTool, TCursorToolClass)
{
    Prop("AxisAnnotation", &TCursorTool::AxisAnnotation, &TCursorTool::SetAxisAnnotation).Stored(false);
    Prop("ClickTolerance", &TCursorTool::ClickTolerance, &TCursorTool::SetClickTolerance, 3);
    Prop("FollowMouse", &TCursorTool::FollowMouse, &TCursorTool::SetFollowMouse, false);
    Prop("FullRepaint", &TCursorTool::FullRepaint, &TCursorTool::SetFullRepaint, false);
    Prop("HorizSize", &TCursorTool::HorizSize, &TCursorTool::SetHorizSize, 0);
    Prop("Pen", &TCursorTool::Pen, &TCursorTool::SetPen);
    Prop("ScopeSize", &TCursorTool::ScopeSize, &TCursorTool::SetScopeSize, 4);
    PropEnum("ScopeStyle", &TCursorTool::ScopeStyle, &TCursorTool::SetScopeStyle, scsRectangle,
             TScopeCursorStyleNames);
    Prop("Snap", &TCursorTool::Snap, &TCursorTool::SetSnap, false);
    PropEnum("SnapStyle", &TCursorTool::SnapStyle, &TCursorTool::SetSnapStyle, TSnapStyle::ssDefault, TSnapStyleNames);
    PropEnum("Style", &TCursorTool::Style, &TCursorTool::SetStyle, cssBoth, TCursorToolStyleNames);
    Prop("UseSeriesZ", &TCursorTool::UseSeriesZ, &TCursorTool::SetUseSeriesZ, false);
    Prop("VertSize", &TCursorTool::VertSize, &TCursorTool::SetVertSize, 0);
    Prop("XValue", &TCursorTool::XValue, &TCursorTool::SetXValue, 0.0);
    Prop("YValue", &TCursorTool::YValue, &TCursorTool::SetYValue, 0.0);
    Prop("OnChange", &TCursorTool::OnChange, &TCursorTool::SetOnChange);
    Prop("OnSnapChange", &TCursorTool::OnSnapChange, &TCursorTool::SetOnSnapChange);
}

TCursorTool::TCursorTool(TComponent* owner) : TZebCustomToolSeries(owner) {}

TCursorTool::~TCursorTool() = default;

TAnnotationTool* TCursorTool::AxisAnnotation()
{
    if (!annotation_) {
        annotation_ = new TAnnotationTool(this);
        annotation_->Shape()->SetVisible(false);
        annotation_->Shape()->Shadow()->SetVisible(false);
        annotation_->Shape()->SetAlignment(taCenter);
        annotation_->Shape()->SetTextAlignment(taCenter);
        if (TCustomAxisPanel* chart = ParentChart()) {
            const bool repaint = chart->AutoRepaint();
            chart->SetAutoRepaint(false);
            annotation_->AttachToChart(chart);
            chart->SetAutoRepaint(repaint);
        }
    }
    return annotation_;
}

void TCursorTool::SetAxisAnnotation(TAnnotationTool* value)
{
    if (!value) {
        TObject::Free(std::exchange(annotation_, nullptr));
        InvalidateChart();
        return;
    }
    AxisAnnotation()->Assign(value);
}

void TCursorTool::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TZebCustomToolSeries::GetChildren(proc, root);
    if (annotation_) proc(annotation_);
}

void TCursorTool::ReadState(TReader& reader)
{
    TZebCustomToolSeries::ReadState(reader);
    if (annotation_ && !annotation_->IsLoading()) TObject::Free(std::exchange(annotation_, nullptr));
    if (ComponentCount() > 0)
        if (auto* read = dynamic_cast<TAnnotationTool*>(Components(0))) {
            annotation_ = read;
            annotation_->AttachToChart(ParentChart());
        }
}

void TCursorTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCursorTool*>(source)) {
        if (s->annotation_)
            AxisAnnotation()->Assign(s->annotation_);
        else
            TObject::Free(std::exchange(annotation_, nullptr));
        xValue_ = s->xValue_;
        yValue_ = s->yValue_;
        clickTolerance_ = s->clickTolerance_;
        followMouse_ = s->followMouse_;
        fullRepaint_ = s->fullRepaint_;
        horizSize_ = s->horizSize_;
        scopeSize_ = s->scopeSize_;
        scopeStyle_ = s->scopeStyle_;
        snap_ = s->snap_;
        snapStyle_ = s->snapStyle_;
        style_ = s->style_;
        useSeriesZ_ = s->useSeriesZ_;
        vertSize_ = s->vertSize_;
    }
    TZebCustomToolSeries::Assign(source);
}

void TCursorTool::SetParentChart(TCustomAxisPanel* value)
{
    TZebCustomToolSeries::SetParentChart(value);
    if (annotation_) annotation_->AttachToChart(value);
    InvalidateChart();
}

void TCursorTool::SetSeries(TChartSeries* value)
{
    TZebCustomToolSeries::SetSeries(value);
    lastSnapIndex_ = -1;
    if (value && !IsLoading()) {
        SnapToPoint();
        InvalidateChart();
    }
}

void TCursorTool::SetStyle(TCursorToolStyle value)
{
    if (!AssignIfChanged(style_, value)) return;
    SnapToPoint();
    InvalidateChart();
}

void TCursorTool::SetXValue(double value)
{
    xSet_ = true;
    if (!AssignIfChanged(xValue_, value)) return;
    lastSnapIndex_ = -1;
    calcScreenPositions();
    DoChange(-1);
    InvalidateChart();
}

void TCursorTool::SetYValue(double value)
{
    ySet_ = true;
    if (!AssignIfChanged(yValue_, value)) return;
    lastSnapIndex_ = -1;
    calcScreenPositions();
    DoChange(-1);
    InvalidateChart();
}

void TCursorTool::DoChange(int valueIndex)
{
    if (onChange_) onChange_(this, x_, y_, xValue_, yValue_, Series(), valueIndex);
}

// ---- geometry ----

TRect TCursorTool::Bounds() const
{
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (Series() && horiz && vert)
        return {std::min(horiz->StartPixel(), horiz->EndPixel()), std::min(vert->StartPixel(), vert->EndPixel()),
                std::max(horiz->StartPixel(), horiz->EndPixel()), std::max(vert->StartPixel(), vert->EndPixel())};
    return ParentChart() ? ParentChart()->ChartRect() : TRect{};
}

TRect TCursorTool::lineRect() const
{
    TRect r = Bounds();
    if (horizSize_ != 0) {
        r.Left = x_ - horizSize_;
        r.Right = x_ + horizSize_;
    }
    if (vertSize_ != 0) {
        r.Top = y_ - vertSize_;
        r.Bottom = y_ + vertSize_;
    }
    return r;
}

namespace {

// The Z values of a series that has them (a 3-D series); none otherwise.
const TChartValueList* zValuesOf(const TChartSeries& series)
{
    const TChartValueList* z = series.FindValueList("Z");
    return z && z != series.MandatoryValueList() ? z : nullptr;
}

}  // namespace

int TCursorTool::depth() const
{
    if (!useSeriesZ_ || !Series()) return 0;
    if (!snap_) return Series()->DepthRange().start;
    const TChartValueList* zs = zValuesOf(*Series());
    const TCustomAxisPanel* chart = ParentChart();
    if (zs && chart && lastSnapIndex_ >= 0 && lastSnapIndex_ < zs->Count())
        return chart->DepthAxis()->ValueToPixel((*zs)[lastSnapIndex_]);
    return Series()->DepthRange().middle;
}

TRect TCursorTool::touchedRect() const
{
    TRect r = lineRect();
    const int pen = Pen()->Width() + 2;
    const int around = scopeSize_ + std::max(horizSize_, vertSize_) + pen;
    r = {std::min(r.Left, x_ - around) - pen, std::min(r.Top, y_ - around) - pen, std::max(r.Right, x_ + around) + pen,
         std::max(r.Bottom, y_ + around) + pen};
    if (const int z = depth(); z != 0 && ParentChart() && ParentChart()->Canvas3D()) {
        const TPoint a = ParentChart()->Canvas3D()->ProjectXYZ(r.Left, r.Top, z);
        const TPoint b = ParentChart()->Canvas3D()->ProjectXYZ(r.Right, r.Bottom, z);
        r = {std::min(r.Left, a.X), std::min(r.Top, a.Y), std::max(r.Right, b.X), std::max(r.Bottom, b.Y)};
    }
    return r;
}

void TCursorTool::calcScreenPositions()
{
    const TChartAxis* horiz = WorkingHorizAxis();
    const TChartAxis* vert = WorkingVertAxis();
    if (!drawn_ || !horiz || !vert) return;
    if (xSet_) x_ = horiz->ValueToPixel(xValue_);
    if (ySet_) y_ = vert->ValueToPixel(yValue_);
    if (xSet_ && ySet_) return;
    if (!xSet_) {
        x_ = followMouse_ ? 0 : (horiz->StartPixel() + horiz->EndPixel()) / 2;
        xSet_ = true;
    }
    if (!ySet_) {
        y_ = followMouse_ ? 0 : (vert->StartPixel() + vert->EndPixel()) / 2;
        ySet_ = true;
    }
    xValue_ = horiz->PixelToValue(x_);
    yValue_ = vert->PixelToValue(y_);
    const int index = SnapToPoint();
    x_ = horiz->ValueToPixel(xValue_);
    y_ = vert->ValueToPixel(yValue_);
    DoChange(index);
}

int TCursorTool::SnapToPoint()
{
    TChartSeries* series = Series();
    if (!snap_ || !series || series->Count() == 0) return -1;
    const int first = std::max(0, series->FirstVisibleIndex());
    const int last = std::min(series->Count() - 1, series->LastVisibleIndex());
    const TChartValueList& xs = *series->XValues();
    const TChartValueList& ys = *series->YValues();
    // A 3-D series is measured against its Z values in place of Y.
    const TChartValueList* zs = zValuesOf(*series);
    int best = -1;
    double bestDistance = 0;
    for (int i = first; i <= last; ++i) {
        const double dx = std::abs(xValue_ - xs[i]), dy = std::abs(yValue_ - ys[i]);
        double d;
        if (snapStyle_ == TSnapStyle::ssHorizontal || (snapStyle_ == TSnapStyle::ssDefault && style_ == cssHorizontal))
            d = dy;
        else if (snapStyle_ == TSnapStyle::ssVertical || (snapStyle_ == TSnapStyle::ssDefault && style_ == cssVertical))
            d = dx;
        else
            d = std::hypot(dx, zs ? std::abs(yValue_ - (*zs)[i]) : dy);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    if (best < 0) return -1;
    if (style_ != cssVertical) yValue_ = ys[best];
    if (style_ != cssHorizontal) xValue_ = xs[best];
    return best;
}

int TCursorTool::HitTest(int x, int y) const
{
    if (const int z = depth(); z != 0 && ParentChart() && ParentChart()->Canvas3D()) {
        // Back to the plane of the cursor: undo the projection's shift of that depth.
        const TPoint origin = ParentChart()->Canvas3D()->ProjectXYZ(0, 0, z);
        const TPoint flat = ParentChart()->Canvas3D()->ProjectXYZ(0, 0, 0);
        x -= origin.X - flat.X;
        y -= origin.Y - flat.Y;
    }
    const TRect r = lineRect();
    if (x < r.Left || x > r.Right || y < r.Top || y > r.Bottom) return 0;
    const int d = clickTolerance_;
    const bool nearY = std::abs(y - y_) <= d, nearX = std::abs(x - x_) <= d;
    if ((style_ == cssBoth || style_ == cssScope || style_ == cssScopeOnly) && nearX && nearY) return 3;
    if (style_ != cssVertical && style_ != cssScopeOnly && nearY) return 1;
    if (style_ != cssHorizontal && style_ != cssScopeOnly && nearX) return 2;
    return 0;
}

bool TCursorTool::needsFullRepaint() const
{
    TCustomAxisPanel* chart = ParentChart();
    return fullRepaint_ || !chart || !chart->Canvas3D()->CanDrawInverted() ||
           (annotation_ && annotation_->Active() && annotation_->Shape()->Visible());
}

// ---- drawing ----

void TCursorTool::drawCursor(TCanvas3D& canvas)
{
    TCustomAxisPanel& chart = *ParentChart();
    canvas.Brush()->Clear();
    if (canvas.GetMonochromeMode()) {
        canvas.SelectPen(*Pen(), monochromeCursor);
    } else if (needsFullRepaint()) {
        canvas.UsePen(*Pen());
    } else {
        chart.ApplyXorPen(*Pen());
    }
    const int z = depth();
    const bool in3D = chart.View3D();
    auto line = [&](int x0, int y0, int x1, int y1) {
        if (in3D) {
            canvas.MoveToXYZ(x0, y0, z);
            canvas.LineToXYZ(x1, y1, z);
        } else {
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        }
    };
    const TRect bounds = Bounds();
    const TRect r = lineRect();
    const bool horizontal = style_ == cssHorizontal || style_ == cssBoth || style_ == cssScope;
    const bool vertical = style_ == cssVertical || style_ == cssBoth || style_ == cssScope;
    if (horizontal && within(y_, bounds.Top, bounds.Bottom)) line(r.Left, y_, r.Right, y_);
    if (vertical && within(x_, bounds.Left, bounds.Right)) line(x_, r.Top, x_, r.Bottom);
    if ((style_ == cssScope || style_ == cssScopeOnly) && scopeStyle_ != scsEmpty) {
        const TPoint c = in3D ? canvas.ProjectXYZ(x_, y_, z) : TPoint{x_, y_};
        const int s = scopeSize_;
        const TRect box{c.X - s, c.Y - s, c.X + s, c.Y + s};
        auto flat = [&](int x0, int y0, int x1, int y1) {
            canvas.MoveTo(x0, y0);
            canvas.LineTo(x1, y1);
        };
        if (scopeStyle_ == scsCamera) {
            canvas.Rectangle(box.Left - horizSize_, box.Top - vertSize_, box.Right + horizSize_,
                             box.Bottom + vertSize_);
            flat(box.Left, c.Y, box.Right, c.Y);
            flat(c.X, box.Top, c.X, box.Bottom);
        } else {
            flat(box.Left - horizSize_, c.Y, box.Left, c.Y);
            flat(box.Right, c.Y, box.Right + horizSize_, c.Y);
            flat(c.X, box.Top - vertSize_, c.X, box.Top);
            flat(c.X, box.Bottom, c.X, box.Bottom + vertSize_);
            if (scopeStyle_ == scsRectangle) {
                canvas.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
            } else if (scopeStyle_ == scsCircle) {
                canvas.Ellipse(box.Left, box.Top, box.Right, box.Bottom);
            } else {
                const std::array<TPoint, 4> diamond{
                    TPoint{c.X, box.Top}, TPoint{box.Right, c.Y}, TPoint{c.X, box.Bottom}, TPoint{box.Left, c.Y}};
                canvas.Polygon(diamond);
            }
        }
    }
    drawAxisAnnotation();
    canvas.Pen()->SetMode(pmCopy);
}

void TCursorTool::drawAxisAnnotation()
{
    if (!annotation_ || !annotation_->Active() || !annotation_->Shape()->Visible()) return;
    TCustomAxisPanel& chart = *ParentChart();
    TChartAxis* horiz = WorkingHorizAxis();
    TChartAxis* vert = WorkingVertAxis();
    if (!horiz || !vert) return;
    // Placing the label is part of this frame: it must not ask for another.
    const bool repaint = chart.AutoRepaint();
    chart.SetAutoRepaint(false);
    TTextShape& shape = *annotation_->Shape();
    const bool vertical = style_ == cssHorizontal;
    annotation_->SetText(vertical ? vert->ValueToLabelText(yValue_) : horiz->ValueToLabelText(xValue_));
    shape.SetCustomPosition(true);
    shape.MeasureBounds(chart);
    const int w = shape.BoundsWidth(), h = shape.BoundsHeight();
    if (vertical) {
        const int pen = vert->Axis()->Visible() ? vert->Axis()->Width() : 0;
        shape.MoveBoundsTo(vert->AxisLinePosition() + pen - w, y_ - h / 2);
    } else {
        const int pen = horiz->Axis()->Visible() ? horiz->Axis()->Width() : 0;
        shape.MoveBoundsTo(x_ - w / 2, horiz->AxisLinePosition() + pen);
    }
    annotation_->DrawAnnotation(chart);
    chart.SetAutoRepaint(repaint);
}

void TCursorTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolSeries::ChartDrawStage(stage);
    if (stage != cdsEnd || !ParentChart()) return;
    drawn_ = true;
    calcScreenPositions();
    drawCursor(*ParentChart()->Canvas3D());
}

// ---- mouse ----

void TCursorTool::positionFromMouse(int x, int y)
{
    TChartAxis* horiz = WorkingHorizAxis();
    TChartAxis* vert = WorkingVertAxis();
    if (!horiz || !vert) return;
    if (dragPart_ != 2) yValue_ = vert->PixelToValue(y);
    if (dragPart_ != 1) xValue_ = horiz->PixelToValue(x);
    xSet_ = ySet_ = true;
}

void TCursorTool::HandleMouse(TToolMouseKind kind, TMouseButton, TShiftState, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    switch (kind) {
    case tmkDown:
        if (followMouse_) return;
        dragPart_ = HitTest(x, y);
        if (dragPart_ != 0) chart->SetMouseHandled(true);
        break;
    case tmkMove: {
        if (dragPart_ != 0 || followMouse_) {
            const TRect b = Bounds();
            if (x < b.Left || x > b.Right || y < b.Top || y > b.Bottom) return;
            const bool full = needsFullRepaint();
            auto draw = [this](TCanvas3D& canvas) { drawCursor(canvas); };
            bool inverted = !full && drawn_ && PaintOverBuffer(*chart, touchedRect(), draw);
            positionFromMouse(x, y);
            const int index = SnapToPoint();
            calcScreenPositions();
            if (inverted) inverted = PaintOverBuffer(*chart, touchedRect(), draw);
            if (!inverted) chart->Invalidate();
            DoChange(index);
            if (onSnapChange_ && index != lastSnapIndex_)
                onSnapChange_(this, x_, y_, xValue_, yValue_, Series(), index);
            lastSnapIndex_ = index;
            chart->SetMouseHandled(true);
        } else {
            const int part = HitTest(x, y);
            if (part == 1)
                chart->SetCursor(crVSplit);
            else if (part == 2)
                chart->SetCursor(crHSplit);
            else if (part == 3)
                chart->SetCursor(crSizeAll);
            chart->SetMouseHandled(part != 0);
        }
        break;
    }
    case tmkUp:
        dragPart_ = 0;
        break;
    }
}
