#include "chart/tools/AxisArrowTool.h"

#include <algorithm>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/AxisScrollTool.h"
#include "platform/classes/Published.h"

namespace {

class TAxisArrowToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAxisArrowToolEditor"; }
    String GalleryName() const override { return "Axis Arrows"; }
    String GalleryHint() const override
    {
        return "Displays clickable arrows at axis start and ending points, to scroll axis.";
    }
};

}  // namespace

TV_PUBLISHED_AS(TAxisArrowTool, TAxisArrowToolClass)
{
    PropEnum("Position", &TAxisArrowTool::Position, &TAxisArrowTool::SetPosition, aaBoth,
             TAxisArrowToolPositionNames);
    Prop("Brush", &TAxisArrowTool::Brush, &TAxisArrowTool::SetBrush);
    Prop("Pen", &TAxisArrowTool::Pen, &TAxisArrowTool::SetPen);
    Prop("HeadWidth", &TAxisArrowTool::HeadWidth, &TAxisArrowTool::SetHeadWidth, 8);
    Prop("Length", &TAxisArrowTool::Length, &TAxisArrowTool::SetLength, 16);
    Prop("ScrollInverted", &TAxisArrowTool::ScrollInverted, &TAxisArrowTool::SetScrollInverted, false);
    Prop("ScrollPercent", &TAxisArrowTool::ScrollPercent, &TAxisArrowTool::SetScrollPercent, 10);
    Prop("SizePercent", &TAxisArrowTool::SizePercent, &TAxisArrowTool::SetSizePercent, 50);
    Prop("OnClick", &TAxisArrowTool::OnClick, &TAxisArrowTool::SetOnClick);
}

void TAxisArrowTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TAxisArrowTool*>(source)) {
        position_ = s->position_;
        headWidth_ = s->headWidth_;
        length_ = s->length_;
        scrollInverted_ = s->scrollInverted_;
        scrollPercent_ = s->scrollPercent_;
        sizePercent_ = s->sizePercent_;
    }
    TZebCustomToolAxis::Assign(source);
}

void TAxisArrowTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomToolAxis::ChartDrawStage(stage);
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = ParentChart();
    if (stage != cdsEnd || !axis || !chart || !Active()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.UseBrush(*Brush());
    canvas.UsePen(*Pen());
    const int depth = chart->View3D() && axis->OtherSide() ? chart->Depth3D() : 0;
    const int q = axis->AxisLinePosition(), start = axis->StartPixel(), end = axis->EndPixel();
    auto arrow = [&](int from, int to) {
        const TPoint a = axis->Horizontal() ? TPoint{from, q} : TPoint{q, from};
        const TPoint b = axis->Horizontal() ? TPoint{to, q} : TPoint{q, to};
        canvas.DrawArrowAtZ(true, a, b, headWidth_, headWidth_, depth - 5, depth + 5, sizePercent_);
    };
    const int inward = start <= end ? 1 : -1;
    if (hasStart()) arrow(start + inward * length_, start);
    if (hasEnd()) arrow(end - inward * length_, end);
}

int TAxisArrowTool::ClickedArrow(int x, int y) const
{
    const TChartAxis* axis = Axis();
    if (!axis) return -1;
    const bool horizontal = axis->Horizontal();
    const int across = horizontal ? y : x, along = horizontal ? x : y;
    if (std::abs(across - axis->AxisLinePosition()) >= std::max(3, headWidth_ / 2)) return -1;
    const int start = std::min(axis->StartPixel(), axis->EndPixel()), end = std::max(axis->StartPixel(), axis->EndPixel());
    if (hasStart() && start < along && along < start + length_) return 0;
    if (hasEnd() && end - length_ < along && along < end) return 1;
    return -1;
}

void TAxisArrowTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = ParentChart();
    if (!axis || !chart || !Active() || !axis->Visible()) return;
    const int arrow = ClickedArrow(x, y);
    if (arrow == -1) return;
    if (kind == tmkMove) {
        chart->SetCursor(crHandPoint);
        chart->SetMouseHandled(true);
    } else if (kind == tmkDown && scrollPercent_ != 0) {
        double delta = (axis->Maximum() - axis->Minimum()) * scrollPercent_ / 100.0;
        if (scrollInverted_) delta = -delta;
        ScrollAxisBy(*chart, *axis, arrow == 0 ? delta : -delta, false, true);
        chart->SetMouseHandled(true);
        if (onClick_) onClick_(this, arrow == 0);
    }
}
