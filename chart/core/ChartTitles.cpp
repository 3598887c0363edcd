#include "chart/core/ChartTitles.h"

#include <algorithm>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TChartTitle)
{
    Prop("AdjustFrame", &TChartTitle::AdjustFrame, &TChartTitle::SetAdjustFrame, true);
    Prop("VertMargin", &TChartTitle::VertMargin, &TChartTitle::SetVertMargin, 5);
    PropEnum("Alignment", &TChartTitle::Alignment, &TChartTitle::SetAlignment, taCenter, TAlignmentNames);
    PropEnum("Bevel", &TChartTitle::Bevel, &TChartTitle::SetBevel, bvNone, TBevelCutNames);
    Prop("BevelWidth", &TChartTitle::BevelWidth, &TChartTitle::SetBevelWidth, 2);
    Prop("Brush", &TChartTitle::Brush, &TChartTitle::SetBrush);
    Prop("Children", &TChartTitle::Children, &TChartTitle::SetChildren).Stored(&TChartTitle::IsChildrenStored);
    PropEnum("ChildLayout", &TChartTitle::ChildLayout, &TChartTitle::SetChildLayout, slTopBottom,
             TZebShapeLayoutNames);
    PropColor("Color", &TChartTitle::Color, &TChartTitle::SetColor, clWhite);
    Prop("Emboss", &TChartTitle::Emboss, &TChartTitle::SetEmboss).Stored(&TChartTitle::HasEmboss);
    Prop("Font", &TChartTitle::Font, &TChartTitle::SetFont);
    Prop("Frame", &TChartTitle::Pen, &TChartTitle::SetPen);
    Prop("Gradient", &TChartTitle::Gradient, &TChartTitle::SetGradient).Stored(false);
    Prop("Picture", &TChartTitle::Picture, &TChartTitle::SetPicture).Stored(&TChartTitle::HasPicture);
    Prop("Shadow", &TChartTitle::Shadow, &TChartTitle::SetShadow);
    Prop("ShapeCallout", &TChartTitle::ShapeCallout, &TChartTitle::SetShapeCallout)
        .Stored(&TChartTitle::HasShapeCallout);
    PropEnum("ShapeStyle", &TChartTitle::ShapeStyle, &TChartTitle::SetShapeStyle, fosRectangle,
             TChartObjectShapeStyleNames);
    Prop("Transparency", &TChartTitle::Transparency, &TChartTitle::SetTransparency, 0);
    Prop("Transparent", &TChartTitle::Transparent, &TChartTitle::SetTransparent)
        .NoDefault()
        .Stored(&TChartTitle::IsTransparentStored);
    Prop("Visible", &TChartTitle::Visible, &TChartTitle::SetVisible).NoDefault().Stored(&TChartTitle::IsVisibleStored);
}

TV_PUBLISHED(TChartFootTitle) {}

TChartTitle::TChartTitle(TCustomZebPanel* panel) : TStringsShape(panel)
{
    SetAlignment(taCenter);
    SetDefaultTextAlignment(taCenter);
    PresetTransparent(true);
    Font()->InitColor(clBlue);
}

TChartFootTitle::TChartFootTitle(TCustomZebPanel* panel) : TChartTitle(panel)
{
    Font()->InitColor(clRed);
    Font()->InitStyle(TFontStyles{fsItalic});
}

void TChartTitle::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TChartTitle*>(source)) {
        adjustFrame_ = s->adjustFrame_;
        Lines()->Assign(*s->Lines());
        vertMargin_ = s->vertMargin_;
    }
    TStringsShape::Assign(source);
}

void TChartTitle::SetAdjustFrame(bool value)
{
    if (ParentPanel())
        ParentPanel()->ChangeBoolean(adjustFrame_, value);
    else
        adjustFrame_ = value;
}

void TChartTitle::SetVertMargin(int value)
{
    if (AssignIfChanged(vertMargin_, value)) InvalidateChart();
}

bool TChartTitle::Clicked(TPoint p) const
{
    const TRect& r = ShapeBounds();
    return Visible() && p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

void TChartTitle::LayoutTitle(TCustomChart& chart)
{
    if (!IsVisibleWithText()) return;
    SetAutoSize(true);
    MeasureBounds(chart);
    const int penHalf = Pen()->Visible() && Pen()->Width() > 1 ? Pen()->Width() / 2 : 0;
    if (!CustomPosition()) {
        const int edge = chart.FrameWidth() + RoundHalfEven(chart.Width() * 0.02);
        const int y = IsOnTop() ? chart.ChartRect().Top + penHalf : chart.ChartRect().Bottom - BoundsHeight() - penHalf;
        if (AdjustFrame()) {
            int x = std::max(edge, chart.ChartXCenter() - BoundsWidth() / 2);
            if (Alignment() == taLeftJustify) x = edge;
            if (Alignment() == taRightJustify) x = chart.Width() - BoundsWidth() - edge;
            MoveBoundsTo(x, y);
        } else {
            // The box spans the panel; the text aligns inside it.
            SetAutoSize(false);
            MoveBoundsTo(edge, y);
            SetBoundsWidth(chart.Width() - 2 * edge);
        }
    }
    DrawAtBounds();
    if (CustomPosition()) return;
    TRect rect = chart.ChartRect();
    if (IsOnTop())
        rect.Top = Bottom() + penHalf + VertMargin();
    else
        rect.Bottom = Top() - penHalf - VertMargin();
    chart.SetChartRect(rect);
    chart.NormalizeChartRect();
}
