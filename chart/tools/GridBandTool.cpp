#include "chart/tools/GridBandTool.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartWalls.h"
#include "platform/classes/Published.h"

namespace {

class TGridBandToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TGridBandToolEdit"; }
    String GalleryName() const override { return "Grid Band"; }
    String GalleryHint() const override
    {
        return "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the specified "
               "axis and position.";
    }
};

}  // namespace

TV_PUBLISHED(TGridBandBrush)
{
    Prop("Transparency", &TGridBandBrush::Transparency, &TGridBandBrush::SetTransparency, 0);
}

TGridBandBrush::TGridBandBrush(TNotifyEvent onChange) : TZebBrush(std::move(onChange)) {}

void TGridBandBrush::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TGridBandBrush*>(source)) transparency_ = s->transparency_;
    TZebBrush::Assign(source);
}

void TGridBandBrush::SetTransparency(int value)
{
    if (AssignIfChanged(transparency_, value)) Changed();
}

TV_PUBLISHED_AS(TGridBandTool, TGridBandToolClass)
{
    Prop("Band1", &TGridBandTool::Band1, &TGridBandTool::SetBand1);
    Prop("Band2", &TGridBandTool::Band2, &TGridBandTool::SetBand2);
}

TGridBandTool::TGridBandTool(TComponent* owner)
    : TZebCustomToolAxis(owner),
      band1_(std::make_unique<TGridBandBrush>(TNotifyEvent(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged))),
      band2_(std::make_unique<TGridBandBrush>(TNotifyEvent(static_cast<TCustomChartElement*>(this), &TCustomChartElement::StyleChanged)))
{
    band2_->SetColor(clWhite);
}

TGridBandTool::~TGridBandTool() { detach(); }

void TGridBandTool::detach()
{
    if (Axis()) Axis()->GridHook = nullptr;
}

void TGridBandTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TGridBandTool*>(source)) {
        band1_->Assign(s->band1_.get());
        band2_->Assign(s->band2_.get());
    }
    detach();
    TZebCustomToolAxis::Assign(source);
}

void TGridBandTool::SetAxis(TChartAxis* value)
{
    detach();
    TZebCustomToolAxis::SetAxis(value);
    if (TChartAxis* axis = Axis()) axis->GridHook = [this](TChartAxis& a) { DrawGrid(a); };
}

void TGridBandTool::fillStripe(TChartAxis& axis, TGridBandBrush& band, int from, int to)
{
    if (band.Style() == bsClear) return;
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    if (from > to) std::swap(from, to);
    const TRect cr = chart.ChartRect();
    const TRect r = axis.Horizontal() ? TRect{from, cr.Top + 1, to, cr.Bottom} : TRect{cr.Left + 1, from, cr.Right, to + 1};
    const int z = chart.Depth3DWidth();
    const bool in3D = chart.View3D();
    TZebBlend* blend = nullptr;
    if (band.Transparency() > 0) {
        const TRect shown = in3D ? canvas.ProjectedBoundsAtZ(r, z) : r;
        blend = canvas.StartBlend(shown, static_cast<TZebTransparency>(band.Transparency()));
    }
    struct Finish {
        TCanvas3D& canvas;
        TZebBlend* blend;
        ~Finish()
        {
            if (blend) canvas.FinishBlend(blend);
        }
    } finish{canvas, blend};
    TColor back = band.BackColor();
    if (back == clNone)
        if (auto* full = dynamic_cast<TCustomChart*>(&chart); full && full->BackWall()) back = full->BackWall()->Color();
    chart.AssignCanvasBrush(band, band.Color(), back);
    if (in3D)
        canvas.RectangleAtZ(r, z);
    else
        canvas.FillRectangle(r);
}

void TGridBandTool::DrawGrid(TChartAxis& axis)
{
    TCustomAxisPanel* chart = ParentChart();
    const std::vector<int>& ticks = axis.TickPositions();
    if (!chart || !Active() || ticks.size() < 2) return;
    if (band1_->Style() == bsClear && band2_->Style() == bsClear) return;
    chart->Canvas3D()->Pen()->SetStyle(psClear);
    // From the axis' largest value to its smallest, whatever the axis' direction.
    const int high = axis.ValueToPixel(axis.Maximum()), low = axis.ValueToPixel(axis.Minimum());
    const int toLow = low >= high ? 1 : -1;
    std::vector<int> order(ticks);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return (a - b) * toLow < 0; });
    auto inside = [&](int p) { return (p - high) * toLow > 0 && (low - p) * toLow > 0; };
    TGridBandBrush* band = band1_.get();
    auto next = [&] { band = band == band1_.get() ? band2_.get() : band1_.get(); };
    if (!axis.Grid()->Centered()) {
        if (inside(order.front())) {
            fillStripe(axis, *band, high + toLow, order.front());
            next();
        }
        for (size_t i = 1; i < order.size(); ++i) {
            fillStripe(axis, *band, order[i - 1], order[i]);
            next();
        }
        if (inside(order.back())) {
            fillStripe(axis, *band, order.back(), low);
            next();
        }
        return;
    }
    // Centred: stripes half a tick spacing around each tick, bounded by the axis ends, from the
    // largest value down.
    const int half = std::abs(order[order.size() - 1] - order[order.size() - 2]) / 2;
    auto clampTo = [&](int p) { return toLow > 0 ? std::clamp(p, high, low) : std::clamp(p, low, high); };
    for (int tick : order) {
        const int a = clampTo(tick - half * toLow), b = clampTo(tick + half * toLow);
        if (a != b) fillStripe(axis, *band, a, b);
        next();
    }
}
