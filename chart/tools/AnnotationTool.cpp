#include "chart/tools/AnnotationTool.h"

#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TAnnotationToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAnnotationToolEdit"; }
    String GalleryName() const override { return "Annotation"; }
    String GalleryHint() const override { return "Displays custom text at any location inside Chart."; }
};

// Space between a preset box and the panel's edges.
constexpr int presetMargin = 10;

}  // namespace

TV_PUBLISHED(TAnnotationCallout)
{
    Prop("XPosition", &TAnnotationCallout::XPosition, &TAnnotationCallout::SetXPosition, 0);
    Prop("YPosition", &TAnnotationCallout::YPosition, &TAnnotationCallout::SetYPosition, 0);
    Prop("ZPosition", &TAnnotationCallout::ZPosition, &TAnnotationCallout::SetZPosition, 0);
    Prop("Visible", &TAnnotationCallout::Visible, &TAnnotationCallout::SetVisible)
        .NoDefault()
        .Stored(&TAnnotationCallout::IsVisibleStored);
}

TV_PUBLISHED_AS(TAnnotationTool, TAnnotationToolClass)
{
    Prop("AutoSize", &TAnnotationTool::AutoSize, &TAnnotationTool::SetAutoSize, true);
    Prop("Callout", &TAnnotationTool::Callout, &TAnnotationTool::SetCallout);
    Prop("ClipText", &TAnnotationTool::ClipText, &TAnnotationTool::SetClipText, true);
    PropCursor("Cursor", &TAnnotationTool::Cursor, &TAnnotationTool::SetCursor, crDefault);
    Prop("Draw3D", &TAnnotationTool::Draw3D, &TAnnotationTool::SetDraw3D, false);
    PropEnum("Position", &TAnnotationTool::Position, &TAnnotationTool::SetPosition, ppLeftTop,
             TAnnotationPositionNames);
    PropEnum("PositionUnits", &TAnnotationTool::PositionUnits, &TAnnotationTool::SetPositionUnits, muPixels,
             TZebUnitsNames);
    Prop("Selected", &TAnnotationTool::Selected, &TAnnotationTool::SetSelected);
    Prop("Shape", &TAnnotationTool::Shape, &TAnnotationTool::SetShape);
    Prop("Text", &TAnnotationTool::Text, &TAnnotationTool::SetText).Stored(false);
    PropEnum("TextAlignment", &TAnnotationTool::TextAlignment, &TAnnotationTool::SetTextAlignment, taLeftJustify,
             TAlignmentNames);
    Prop("Left", &TAnnotationTool::Left, &TAnnotationTool::SetLeft).Stored(false);
    Prop("Top", &TAnnotationTool::Top, &TAnnotationTool::SetTop).Stored(false);
    Prop("Width", &TAnnotationTool::Width, &TAnnotationTool::SetWidth).Stored(&TAnnotationTool::IsSizeStored);
    Prop("Height", &TAnnotationTool::Height, &TAnnotationTool::SetHeight).Stored(&TAnnotationTool::IsSizeStored);
    Prop("Z", &TAnnotationTool::Z, &TAnnotationTool::SetZ, 0);
    Prop("OnBeforeDraw", &TAnnotationTool::OnBeforeDraw, &TAnnotationTool::SetOnBeforeDraw);
    Prop("OnAfterDraw", &TAnnotationTool::OnAfterDraw, &TAnnotationTool::SetOnAfterDraw);
    Prop("OnClick", &TAnnotationTool::OnClick, &TAnnotationTool::SetOnClick);
    Prop("OnDblClick", &TAnnotationTool::OnDblClick, &TAnnotationTool::SetOnDblClick);
}

// ---- callout ----

TAnnotationCallout::TAnnotationCallout() : TCallout(nullptr)
{
    Arrow()->InitVisible(false);
    PresetVisible(false);
}

void TAnnotationCallout::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TAnnotationCallout*>(source)) {
        x_ = s->x_;
        y_ = s->y_;
        z_ = s->z_;
    }
    TCallout::Assign(source);
}

// ---- tool ----

TAnnotationTool::TAnnotationTool(TComponent* owner) : TAnnotationTool(owner, new TTextShape(nullptr)) {}

TAnnotationTool::TAnnotationTool(TComponent* owner, TTextShape* shape) : TZebCustomTool(owner), shape_(shape)
{
    callout_ = new TAnnotationCallout;
    selected_ = new TZebSelected(this);
}

TAnnotationTool::~TAnnotationTool()
{
    TObject::Free(selected_);
    TObject::Free(callout_);
    TObject::Free(shape_);
}

void TAnnotationTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TAnnotationTool*>(source)) {
        callout_->Assign(s->callout_);
        position_ = s->position_;
        positionUnits_ = s->positionUnits_;
        selected_->Assign(s->selected_);
        shape_->Assign(s->shape_);
        // The box's size travels with the shape only while it is not measured.
        shape_->SetShapeBounds(s->shape_->ShapeBounds());
        z_ = s->z_;
        draw3D_ = s->draw3D_;
    }
    TZebCustomTool::Assign(source);
}

void TAnnotationTool::SetName(const String& newName)
{
    TZebCustomTool::SetName(newName);
    const bool loading = IsLoading() || (Owner() && Owner()->IsLoading());
    if (!loading) SetText(Name());
}

void TAnnotationTool::SetActive(bool value)
{
    TZebCustomTool::SetActive(value);
    shape_->SetVisible(value);
}

void TAnnotationTool::SetParentChart(TCustomAxisPanel* value)
{
    TZebCustomTool::SetParentChart(value);
    AttachToChart(value);
}

void TAnnotationTool::AttachToChart(TCustomAxisPanel* chart)
{
    if (IsDestroying()) return;
    if (ParentChart() != chart) storeParentChart(chart);
    shape_->SetParentPanel(chart);
    callout_->SetParentPanel(chart);
    if (chart) RepaintAnnotation();
}

void TAnnotationTool::RepaintAnnotation()
{
    if (ParentChart())
        ParentChart()->Invalidate();
    else if (shape_->ParentPanel())
        shape_->ParentPanel()->Invalidate();
}

void TAnnotationTool::SetPosition(TAnnotationPosition value)
{
    if (!AssignIfChanged(position_, value)) return;
    shape_->SetCustomPosition(false);
    RepaintAnnotation();
}

void TAnnotationTool::SetSelected(TZebSelected* value) { selected_->Assign(value); }

void TAnnotationTool::SetLeft(int value)
{
    const int width = shape_->BoundsWidth();
    shape_->SetLeft(value);
    shape_->SetBoundsWidth(width);
}

void TAnnotationTool::SetTop(int value)
{
    const int height = shape_->BoundsHeight();
    shape_->SetTop(value);
    shape_->SetBoundsHeight(height);
}

void TAnnotationTool::SetWidth(int value)
{
    if (value == shape_->BoundsWidth()) return;
    shape_->SetAutoSize(false);
    shape_->SetBoundsWidth(value);
    RepaintAnnotation();
}

void TAnnotationTool::SetHeight(int value)
{
    if (value == shape_->BoundsHeight()) return;
    shape_->SetAutoSize(false);
    shape_->SetBoundsHeight(value);
    RepaintAnnotation();
}

void TAnnotationTool::CalcShapeBounds(TCustomAxisPanel& panel, const TRect& panelRect, TRect& bounds, int& top,
                                      int& left)
{
    shape_->MeasureBounds(panel);
    const int width = shape_->BoundsWidth(), height = shape_->BoundsHeight();
    // The drawing rectangle's right and bottom are its last pixels.
    const int right = panelRect.Right - 1, bottom = panelRect.Bottom - 1;
    const int w = right - panelRect.Left + 1, h = bottom - panelRect.Top + 1;
    if (shape_->CustomPosition()) {
        left = shape_->Left();
        top = shape_->Top();
        if (positionUnits_ == muPercent) {
            left = static_cast<int>(Round(w * left * 0.01));
            top = static_cast<int>(Round(h * top * 0.01));
        }
        left += panelRect.Left;
        top += panelRect.Top;
        bounds = {left, top, left + width, top + height};
        return;
    }
    switch (position_) {
    case ppLeftTop:
        left = panelRect.Left + presetMargin;
        top = panelRect.Top + presetMargin;
        break;
    case ppLeftBottom:
        left = panelRect.Left + presetMargin;
        top = panelRect.Top + h - height - presetMargin;
        break;
    case ppRightTop:
        left = panelRect.Left + w - width - presetMargin;
        top = panelRect.Top + presetMargin;
        break;
    case ppRightBottom:
        left = panelRect.Left + w - width - presetMargin;
        top = panelRect.Top + h - height - presetMargin;
        break;
    case ppCenter:
        left = (panelRect.Left + right - width) / 2;
        top = (panelRect.Top + bottom - height) / 2;
        break;
    }
    shape_->MoveBoundsTo(left, top);
    bounds = shape_->ShapeBounds();
}

TRect TAnnotationTool::GetBounds()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return {};
    TRect bounds;
    int top = 0, left = 0;
    CalcShapeBounds(*chart, chart->GetPanelRect(), bounds, top, left);
    return bounds;
}

void TAnnotationTool::DrawAnnotation(TCustomAxisPanel& panel)
{
    shape_->SetText(GetText());
    TRect bounds;
    int top = 0, left = 0;
    CalcShapeBounds(panel, panel.PanelBounds(), bounds, top, left);
    TCanvas3D& canvas = *panel.Canvas3D();
    if (!draw3D_) canvas.PushFlatMode();
    shape_->SetTextXOffset(GetTextOffset());
    TZebHover* hover = selected_->Hover();
    std::unique_ptr<TZebPen> saved;
    if (selected_->HoverIndex() == 0 && hover && hover->Visible()) {
        saved = CreatePen();
        saved->Assign(shape_->Pen());
        shape_->Pen()->Assign(hover->Pen());
    }
    shape_->DrawInRect(bounds, shape_->Angle(), z_);
    if (saved) shape_->Pen()->Assign(saved.get());
    if (!draw3D_) canvas.PopFlatMode();

    if (!callout_->Visible() && !callout_->Arrow()->Visible()) return;
    TPoint target{callout_->XPosition(), callout_->YPosition()};
    // The side or middle of the box facing the target.
    auto facing = [](int t, int lo, int hi) { return t > hi ? hi : t < lo ? lo : (lo + hi) / 2; };
    const TPoint start{facing(target.X, bounds.Left, bounds.Right), facing(target.Y, bounds.Top, bounds.Bottom)};
    if (const int distance = callout_->Distance(); distance != 0) {
        const double dx = start.X - target.X, dy = start.Y - target.Y;
        if (const double length = std::hypot(dx, dy); length > 0) {
            target.X += static_cast<int>(Round(dx * distance / length));
            target.Y += static_cast<int>(Round(dy * distance / length));
        }
    }
    callout_->DrawCallout(panel, clNullPoint, false, callout_->ZPosition(), start, start, target);
}

void TAnnotationTool::ChartDrawStage(TChartDrawStage stage)
{
    TZebCustomTool::ChartDrawStage(stage);
    if (stage == cdsEnd && ParentChart()) {
        if (onBeforeDraw_) onBeforeDraw_(this);
        DrawAnnotation(*ParentChart());
        if (onAfterDraw_) onAfterDraw_(this);
    } else if (stage == cdsMouseLeave) {
        selected_->SetHoverIndex(-1);
    }
}

bool TAnnotationTool::ContainsPoint(int x, int y)
{
    TRect r = shape_->ClipText() && !shape_->CustomPosition() ? shape_->ShapeBounds() : GetBounds();
    if (draw3D_ && ParentChart() && ParentChart()->Canvas3D()) {
        TCanvas3D& canvas = *ParentChart()->Canvas3D();
        const TPoint a = canvas.ProjectXYZ(r.Left, r.Top, z_), b = canvas.ProjectXYZ(r.Right, r.Bottom, z_);
        r = {a.X, a.Y, b.X, b.Y};
    }
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

void TAnnotationTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    switch (kind) {
    case tmkDown:
        if (onClick_ && ContainsPoint(x, y)) onClick_(this, button, shift, x, y);
        if (shift.Contains(ssDouble) && onDblClick_ && ContainsPoint(x, y)) onDblClick_(this, button, shift, x, y);
        break;
    case tmkMove: {
        const bool inside = ContainsPoint(x, y);
        TZebHover* hover = selected_->Hover();
        selected_->SetHoverIndex(inside && hover && hover->Visible() ? 0 : -1);
        if (inside && Cursor() != crDefault) {
            if (!OwnCursorHandling) ParentChart()->SetCursor(Cursor());
            ParentChart()->SetMouseHandled(true);
        }
        break;
    }
    case tmkUp:
        break;
    }
}
