#include "chart/core/AxisShapes.h"

#include "chart/canvas/Geometry.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

namespace {

// The shape settings the text shapes of an axis store.
template <class C>
void PublishShape(TPublishedBuilder<C>& b)
{
    b.PropColor("Color", &C::Color, &C::SetColor, clWhite);
    b.Prop("Font", &C::Font, &C::SetFont);
    b.Prop("Shadow", &C::Shadow, &C::SetShadow);
    b.PropEnum("ShapeStyle", &C::ShapeStyle, &C::SetShapeStyle, fosRectangle, TChartObjectShapeStyleNames);
    b.Prop("Transparent", &C::Transparent, &C::SetTransparent).NoDefault().Stored(&C::IsTransparentStored);
    b.Prop("Transparency", &C::Transparency, &C::SetTransparency, 0);
    b.Prop("Visible", &C::Visible, &C::SetVisible).NoDefault().Stored(&C::IsVisibleStored);
}

}  // namespace

TV_PUBLISHED(TChartAxisTitle)
{
    PublishShape<TChartAxisTitle>(*this);
    Prop("Angle", &TChartAxisTitle::Angle, &TChartAxisTitle::SetAngle)
        .NoDefault()
        .Stored(&TChartAxisTitle::IsAngleStored);
    PropEnum("Position", &TChartAxisTitle::Position, &TChartAxisTitle::SetPosition, tpCenter,
             TAxisTitlePositionNames);
}

TV_PUBLISHED(TAxisLabelsFormat) { PublishShape<TAxisLabelsFormat>(*this); }

TV_PUBLISHED(TAxisBackShape)
{
    Prop("Brush", &TAxisBackShape::Brush, &TAxisBackShape::SetBrush);
    PropColor("Color", &TAxisBackShape::Color, &TAxisBackShape::SetColor, clWhite);
    Prop("Pen", &TAxisBackShape::Pen, &TAxisBackShape::SetPen);
    Prop("Transparency", &TAxisBackShape::Transparency, &TAxisBackShape::SetTransparency, 0);
    Prop("Visible", &TAxisBackShape::Visible, &TAxisBackShape::SetVisible, false);
}

TChartAxisTitle::TChartAxisTitle(TCustomZebPanel* panel) : TCustomTextShape(panel)
{
    SetDefaultTextAlignment(taCenter);
    PresetTransparent(true);
}

void TChartAxisTitle::Assign(TPersistent* source)
{
    if (auto* t = dynamic_cast<TChartAxisTitle*>(source)) position_ = t->position_;
    TCustomTextShape::Assign(source);
}

void TChartAxisTitle::SetPosition(TAxisTitlePosition value)
{
    if (AssignIfChanged(position_, value)) InvalidateChart();
}

String TChartAxisTitle::Caption() const
{
    const String& text = Text();
    const auto end = text.find(LineBreakChar);
    return end == String::npos ? text : text.substr(0, end);
}

bool TChartAxisTitle::Clicked(TPoint point) const
{
    return Visible() && !Caption().empty() && RectContainsPoint(ShapeBounds(), point);
}

TAxisLabelsFormat::TAxisLabelsFormat(TCustomZebPanel* panel) : TCustomTextShape(panel)
{
    SetDefaultTextAlignment(taCenter);
    PresetTransparent(true);
}

TAxisBackShape::TAxisBackShape(TCustomZebPanel* panel) : TZebCustomShape(panel)
{
    PresetVisible(false);
    Shadow()->SetVisible(false);
}
