#include "chart/core/ZebSelected.h"

#include "chart/canvas/ZebCanvas.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebPanel.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TZebHover) {}

TV_PUBLISHED(TZebSelected)
{
    Prop("Hover", &TZebSelected::Hover, &TZebSelected::SetHover);
}

TZebHover::TZebHover(TCustomZebPanel* panel) : TCustomTextShape(panel)
{
    Font()->SetColor(static_cast<TColor>(0x0000FF));
    Pen()->SetColor(TZebCanvas::ColorWithAlpha(static_cast<TColor>(0x0000FF), 128));
    Pen()->SetWidth(3);
}

TZebSelected::TZebSelected(TPersistent* owner) : owner_(owner)
{
    PresetVisible(false);
    Pen()->SetColor(static_cast<TColor>(0x0000FF));
    Pen()->SetWidth(2);
    hover_ = std::make_unique<TZebHover>();
}

TZebSelected::~TZebSelected() = default;

void TZebSelected::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebSelected*>(source)) hover_->Assign(other->hover_.get());
    TCustomTextShape::Assign(source);
}

void TZebSelected::SetHover(TZebHover* value) { hover_->Assign(value); }

void TZebSelected::SetHoverIndex(int value)
{
    if (AssignIfChanged(hoverIndex_, value) && hover_->Visible()) repaintOwner();
}

void TZebSelected::SetSelectedIndex(int value)
{
    if (AssignIfChanged(selectedIndex_, value) && Visible()) repaintOwner();
}

void TZebSelected::repaintOwner()
{
    if (auto* element = dynamic_cast<TCustomChartElement*>(owner_))
        element->InvalidateChart();
    else if (auto* shape = dynamic_cast<TZebCustomShapeBrushPen*>(owner_))
        shape->InvalidateChart();
    else if (auto* panel = dynamic_cast<TCustomZebPanel*>(owner_))
        panel->Invalidate();
}
