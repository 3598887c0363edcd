#include "chart/tools/RotateTool.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/SystemRoutines.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"

namespace {

class TRotateToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TRotateToolEditor"; }
    String GalleryName() const override { return "Rotate"; }
    String GalleryHint() const override { return "Allows rotating Chart dragging with mouse button."; }
};

double wrap(double v) { return v > 360 ? v - 360 : v < 0 ? v + 360 : v; }

// Steps this close to 0 count as rest.
constexpr double restStep = 0.01;

}  // namespace

TV_PUBLISHED_AS(TRotateTool, TRotateToolClass)
{
    PropEnum("Button", &TRotateTool::Button, &TRotateTool::SetButton, mbLeft, TMouseButtonNames);
    PropCursor("Cursor", &TRotateTool::Cursor, &TRotateTool::SetCursor, crHandPoint);
    Prop("Inertia", &TRotateTool::Inertia, &TRotateTool::SetInertia, 0);
    Prop("Inverted", &TRotateTool::Inverted, &TRotateTool::SetInverted, false);
    Prop("Pen", &TRotateTool::Pen, &TRotateTool::SetPen);
    Prop("Speed", &TRotateTool::Speed, &TRotateTool::SetSpeed, 50);
    PropEnum("Style", &TRotateTool::Style, &TRotateTool::SetStyle, rsAll, TRotateToolStylesNames);
    Prop("OnRotate", &TRotateTool::OnRotate, &TRotateTool::SetOnRotate);
}

TRotateTool::TRotateTool(TComponent* owner) : TZebCustomTool(owner)
{
    Pen()->InitVisible(false);
    Pen()->SetMode(pmXor);
    Pen()->SetColor(clWhite);
}

TRotateTool::~TRotateTool() = default;

void TRotateTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TRotateTool*>(source)) {
        button_ = s->button_;
        cursor_ = s->cursor_;
        inertia_ = s->inertia_;
        inverted_ = s->inverted_;
        speed_ = s->speed_;
        style_ = s->style_;
    }
    TZebCustomTool::Assign(source);
}

void TRotateTool::Rotate(double e, double r)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TView3DOptions& view = *chart->View3DOptions();
    view.SetOrthogonal(false);
    const bool rotation = style_ == rsAll || style_ == rsRotation;
    const bool elevation = style_ == rsAll || style_ == rsElevation;
    if (chart->Canvas3D() && chart->Canvas3D()->IsTrue3D()) {
        if (rotation) view.SetRotationFloat(wrap(view.RotationFloat() + r));
        if (elevation) view.SetElevationFloat(wrap(view.ElevationFloat() + e));
        return;
    }
    if (rotation && r != 0) {
        double v = view.RotationFloat() + r;
        if (r > 0 && v > 360) v -= 360;
        if (r < 0 && v < 0) v += 360;
        view.SetRotationFloat(v);
    }
    if (elevation && e != 0)
        view.SetElevationFloat(e > 0 ? std::min(view.ElevationFloat() + e, 360.0)
                                     : std::max(view.ElevationFloat() + e, 270.0));
}

void TRotateTool::drawOutline()
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    canvas.SetupProjection(chart.Depth3D(), chart.PanelBounds(), chart.ChartRect());
    canvas.UsePen(*Pen());
    canvas.Brush()->Clear();
    const TRect r = chart.ChartRect();
    const int depth = chart.Depth3D();
    canvas.RectangleAtZ(r, 0);
    canvas.RectangleAtZ(r, depth);
    for (TPoint c : {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Top}, TPoint{r.Left, r.Bottom}, TPoint{r.Right, r.Bottom}})
        canvas.LineAlongZ3D(c.X, c.Y, 0, depth);
    canvas.Pen()->SetMode(pmCopy);
}

void TRotateTool::inertiaTick(TObject*)
{
    timer_->SetEnabled(false);
    if (dragging_) return;
    Rotate(elevationStep_, rotationStep_);
    timer_->SetEnabled(true);
}

void TRotateTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomTool::ChartDrawStage(stage);
    if (inertia_ <= 0) return;
    if (std::abs(elevationStep_) <= restStep && std::abs(rotationStep_) <= restStep) {
        if (timer_) timer_->SetEnabled(false);
        return;
    }
    const double factor = 1 - (100 - inertia_) * 0.001;
    for (double* step : {&elevationStep_, &rotationStep_}) *step = std::abs(*step) > restStep ? *step * factor : 0;
}

void TRotateTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState, int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    switch (kind) {
    case tmkDown:
        if (button != button_) return;
        if (timer_) timer_->SetEnabled(false);
        dragging_ = true;
        firstMove_ = true;
        repaintSaved_ = false;
        last_ = {x, y};
        if (cursor_ != crDefault) {
            savedCursor_ = SetScreenCursor(cursor_);
            cursorSaved_ = true;
        }
        chart->SetMouseHandled(true);
        break;
    case tmkMove: {
        if (!dragging_) return;
        const double f = 1 + (speed_ - 50) * 0.01;
        double r = (x - last_.X) * 90.0 / std::max(1, chart->Width()) * f;
        double e = (last_.Y - y) * 90.0 / std::max(1, chart->Height()) * f;
        if (inverted_) r = -r, e = -e;
        const bool outline = Pen()->Visible();
        if (outline) {
            if (firstMove_) {
                savedRepaint_ = chart->AutoRepaint();
                repaintSaved_ = true;
                chart->SetAutoRepaint(false);
            } else {
                drawOutline();
            }
        }
        firstMove_ = false;
        chart->SetView3D(true);
        Rotate(e, r);
        rotationStep_ = r;
        elevationStep_ = e;
        last_ = {x, y};
        chart->SetMouseHandled(true);
        if (outline) drawOutline();
        if (onRotate_) onRotate_(this);
        break;
    }
    case tmkUp:
        if (!dragging_) return;
        dragging_ = false;
        if (Pen()->Visible() && repaintSaved_) {
            chart->SetAutoRepaint(savedRepaint_);
            repaintSaved_ = false;
            chart->Invalidate();
        }
        if (inertia_ > 0) {
            if (!timer_) {
                timer_ = std::make_unique<TTimer>(nullptr);
                timer_->SetOnTimer(TNotifyEvent(this, &TRotateTool::inertiaTick));
            }
            timer_->SetInterval(1);
            timer_->SetEnabled(true);
        }
        if (cursorSaved_) {
            SetScreenCursor(savedCursor_);
            cursorSaved_ = false;
        }
        break;
    }
}
