#include "chart/core/Callout.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebPanel.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TCallout)
{
    Prop("Arrow", &TCallout::Arrow, &TCallout::SetArrow);
    PropEnum("ArrowHead", &TCallout::ArrowHead, &TCallout::SetArrowHead, ahNone, TArrowHeadStyleNames);
    Prop("ArrowHeadSize", &TCallout::ArrowHeadSize, &TCallout::SetArrowHeadSize, 8);
    Prop("Distance", &TCallout::Distance, &TCallout::SetDistance, 0);
    Prop("Draw3D", &TCallout::Draw3D, &TCallout::SetDraw3D, false);
}

TV_PUBLISHED(TMarksCallout)
{
    Prop("Length", &TMarksCallout::Length, &TMarksCallout::SetLength).NoDefault().Stored(&TMarksCallout::IsLengthStored);
}

TCallout::TCallout(TChartSeries* series) : TSeriesPointer(series)
{
    arrow_ = new TWhitePen(TNotifyEvent(static_cast<TZebCustomShapeBrushPen*>(this), &TCallout::StyleChanged));
    SetStyle(psRectangle);
    SetDraw3D(false);
    SetInflateMargins(true);
    PresetFullGradient(true);
    Brush()->InitColor(clBlack);
}

TCallout::~TCallout() { TObject::Free(arrow_); }

void TCallout::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCallout*>(source)) {
        distance_ = s->distance_;
        arrow_->Assign(s->arrow_);
        arrowHead_ = s->arrowHead_;
        arrowHeadSize_ = s->arrowHeadSize_;
    }
    TSeriesPointer::Assign(source);
}

void TCallout::SetArrow(TZebPen* value) { arrow_->Assign(value); }

void TCallout::SetArrowHead(TArrowHeadStyle value)
{
    if (AssignIfChanged(arrowHead_, value)) InvalidateChart();
}

void TCallout::SetArrowHeadSize(int value)
{
    if (AssignIfChanged(arrowHeadSize_, value)) InvalidateChart();
}

void TCallout::SetDistance(int value)
{
    if (AssignIfChanged(distance_, value)) InvalidateChart();
}

void TCallout::DrawCallout(TCustomZebPanel& chart, TColor color, bool withBend, int z, TPoint markPoint,
                           TPoint bendPoint, TPoint targetPoint)
{
    TCanvas3D& canvas = *chart.Canvas3D();
    const TColor fill = Brush()->Color() == clDefault ? color : Brush()->Color();
    const bool in3D = chart.View3D();
    if (arrow_->Visible()) {
        SetupCanvas(canvas, fill);
        if (arrowHead_ != ahSolid) canvas.Brush()->SetStyle(bsClear);
        canvas.UsePen(*arrow_);
        if (arrowHead_ != ahNone) {
            canvas.DrawArrowAtZ(arrowHead_ == ahSolid, markPoint, targetPoint, arrowHeadSize_, arrowHeadSize_, z, z,
                                50);
        } else if (in3D) {
            canvas.MoveToXYZ(targetPoint.X, targetPoint.Y, z);
            if (withBend) canvas.LineToXYZ(bendPoint.X, bendPoint.Y, z);
            canvas.LineToXYZ(markPoint.X, markPoint.Y, z);
        } else {
            canvas.MoveToPoint(targetPoint);
            if (withBend) canvas.LineToPoint(bendPoint);
            canvas.LineToPoint(markPoint);
        }
    }
    if (arrowHead_ == ahNone && Visible()) {
        SetupCanvas(canvas, fill);
        const TPoint at = in3D ? canvas.ProjectPointAtZ(targetPoint, z) : targetPoint;
        DrawSymbol(canvas, false, Style(), fill, VertSize(), HorizSize(), at.Y, at.X);
    }
}

void TCallout::DrawCalloutOnParent(TColor color, bool withBend, int z, TPoint markPoint, TPoint bendPoint,
                                   TPoint targetPoint)
{
    if (TCustomZebPanel* chart = Chart()) DrawCallout(*chart, color, withBend, z, markPoint, bendPoint, targetPoint);
}

TMarksCallout::TMarksCallout(TChartSeries* series) : TCallout(series) { PresetVisible(false); }

void TMarksCallout::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TMarksCallout*>(source)) length_ = s->length_;
    TCallout::Assign(source);
}

void TMarksCallout::InitLength(int value) { length_ = defaultLength_ = value; }

void TMarksCallout::SetLength(int value)
{
    if (AssignIfChanged(length_, value)) InvalidateChart();
}

void TMarksCallout::OffsetMarkPosition(TPoint& arrowFrom, TPoint& arrowTo, TPoint& leftTop) const
{
    arrowFrom.Y -= Distance();
    arrowTo.Y -= length_ + Distance();
    leftTop.Y -= length_ + Distance();
}
