#include "chart/core/MarkShapes.h"

#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TSeriesMarkShape)
{
    PropEnum("Style", &TSeriesMarkShape::Style, &TSeriesMarkShape::SetStyle, smsLabelOrValue, TSeriesMarksStyleNames);
}

TV_PUBLISHED(TSeriesMarksSymbol)
{
    Prop("Brush", &TSeriesMarksSymbol::Brush, &TSeriesMarksSymbol::SetBrush);
    Prop("Emboss", &TSeriesMarksSymbol::Emboss, &TSeriesMarksSymbol::SetEmboss).Stored(&TSeriesMarksSymbol::HasEmboss);
    Prop("Pen", &TSeriesMarksSymbol::Pen, &TSeriesMarksSymbol::SetPen);
    Prop("Shadow", &TSeriesMarksSymbol::Shadow, &TSeriesMarksSymbol::SetShadow);
    PropEnum("ShapeStyle", &TSeriesMarksSymbol::ShapeStyle, &TSeriesMarksSymbol::SetShapeStyle, fosRectangle,
             TChartObjectShapeStyleNames);
    Prop("Transparency", &TSeriesMarksSymbol::Transparency, &TSeriesMarksSymbol::SetTransparency, 0);
    Prop("Transparent", &TSeriesMarksSymbol::Transparent, &TSeriesMarksSymbol::SetTransparent)
        .NoDefault()
        .Stored(&TSeriesMarksSymbol::IsTransparentStored);
    Prop("Visible", &TSeriesMarksSymbol::Visible, &TSeriesMarksSymbol::SetVisible)
        .NoDefault()
        .Stored(&TSeriesMarksSymbol::IsVisibleStored);
}

TSeriesMarkShape::TSeriesMarkShape(TCustomZebPanel* panel) : TCustomTextShape(panel)
{
    SetShapeStyle(fosRoundRectangle);
}

void TSeriesMarkShape::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TSeriesMarkShape*>(source)) style_ = s->style_;
    TCustomTextShape::Assign(source);
}

void TSeriesMarkShape::SetStyle(TSeriesMarksStyle value)
{
    if (!AssignIfChanged(style_, value)) return;
    if (ParentPanel())
        ParentPanel()->Invalidate();
    else if (marks_ && marks_->Series())
        marks_->Series()->InvalidateChart();
}

TSeriesMarksSymbol::TSeriesMarksSymbol(TCustomZebPanel* panel) : TZebCustomShape(panel)
{
    PresetVisible(false);
    PresetTransparent(false);
    const TNotifyEvent keep = Shadow()->OnChange();
    Shadow()->SetOnChange({});
    InitShadowDefaults(*Shadow());
    Shadow()->SetOnChange(keep);
}

void TSeriesMarksSymbol::InitShadowDefaults(TZebShadow& shadow)
{
    shadow.InitDefaults(shadow.Visible(), shadow.Color(), 1);
}

void TSeriesMarksSymbol::InitEmbossDefaults(TZebEmboss& emboss)
{
    emboss.InitDefaults(emboss.Visible(), emboss.Color(), 1);
}
