#include "chart/core/GdiPlusSettings.h"

#include <utility>

#include "chart/canvas/CanvasServices.h"
#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/StandardProps.h"

TV_PUBLISHED(TZebGDIPlus)
{
    Prop("Active", &TZebGDIPlus::Active, &TZebGDIPlus::SetActive);
    Prop("Antialias", &TZebGDIPlus::Antialias, &TZebGDIPlus::SetAntialias);
    PropEnum("AntiAliasText", &TZebGDIPlus::AntiAliasText, &TZebGDIPlus::SetAntiAliasText, gpfDefault,
             TGDIPlusFontQualityNames)
        .NoDefault();
    Prop("Scale", &TZebGDIPlus::Scale, &TZebGDIPlus::SetScale, 1.0f).Stored(&TZebGDIPlus::IsScaleStored);
    Prop("ZebPanel", &TZebGDIPlus::ZebPanel, &TZebGDIPlus::SetZebPanel);
}

TV_PUBLISHED(TDraw3D)
{
    PublishStandardProps(*this);
    Prop("Locked", &TDraw3D::Locked, &TDraw3D::SetLocked, false);
    Prop("OnDockDrop", &TDraw3D::OnDockDrop, &TDraw3D::SetOnDockDrop);
    Prop("OnDockOver", &TDraw3D::OnDockOver, &TDraw3D::SetOnDockOver);
    Prop("OnEndDock", &TDraw3D::OnEndDock, &TDraw3D::SetOnEndDock);
    Prop("OnGetSiteInfo", &TDraw3D::OnGetSiteInfo, &TDraw3D::SetOnGetSiteInfo);
    Prop("OnStartDock", &TDraw3D::OnStartDock, &TDraw3D::SetOnStartDock);
    Prop("OnUnDock", &TDraw3D::OnUnDock, &TDraw3D::SetOnUnDock);
    Prop("OnPaint", &TDraw3D::OnPaint, &TDraw3D::SetOnPaint);
}

void TDraw3D::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TDraw3D*>(source)) locked_ = other->locked_;
    TCustomZebPanelExtended::Assign(source);
}

// ---- settings component ----

TZebGDIPlus::TZebGDIPlus(TComponent* owner) : TComponent(owner) {}

void TZebGDIPlus::BeforeDestruction()
{
    detach();
    SetZebPanel(nullptr);
    TComponent::BeforeDestruction();
}

TGDIPlusCanvas* TZebGDIPlus::GetCanvas() const
{
    return panel_ ? dynamic_cast<TGDIPlusCanvas*>(panel_->Canvas3D()) : nullptr;
}

void TZebGDIPlus::SetActive(bool value)
{
    if (AssignIfChanged(active_, value)) applyActivity();
}

void TZebGDIPlus::SetAntialias(bool value)
{
    if (AssignIfChanged(antialias_, value)) pushSettings();
}

void TZebGDIPlus::SetAntiAliasText(TGDIPlusFontQuality value)
{
    if (AssignIfChanged(antiAliasText_, value)) pushSettings();
}

void TZebGDIPlus::SetScale(float value)
{
    if (AssignIfChanged(scale_, value)) pushSettings();
}

void TZebGDIPlus::SetZebPanel(TCustomZebPanel* value)
{
    if (value == panel_) return;
    // The old panel is let go (and given its plain canvas back) before the new one is held.
    if (TCustomZebPanel* old = panel_) {
        old->RemoveFreeNotification(this);
        if (dynamic_cast<TGDIPlusCanvas*>(old->Canvas3D())) old->ReplaceCanvas(new TZebCanvas3D);
    }
    panel_ = value;
    if (panel_)
        panel_->FreeNotification(this);
    else
        active_ = false;
    applyActivity();
}

void TZebGDIPlus::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == panel_) SetZebPanel(nullptr);
}

void TZebGDIPlus::applyActivity()
{
    if (!panel_) return;
    if (active_) {
        auto* canvas = new TGDIPlusCanvas;
        if (TCanvas3D* current = panel_->Canvas3D()) canvas->SetBuffered(current->GetBuffered());
        panel_->ReplaceCanvas(canvas);
        pushSettings();
        canvas->SetSettingsComponent(this);
        canvas->GetGraphics();
        return;
    }
    detach();
    if (GetCanvas()) panel_->ReplaceCanvas(new TZebCanvas3D);
}

void TZebGDIPlus::pushSettings()
{
    TGDIPlusCanvas* canvas = GetCanvas();
    if (!canvas) return;
    canvas->SetAntiAlias(antialias_);
    canvas->SetAntiAliasText(antiAliasText_);
    canvas->SetScale(scale_);
}

void TZebGDIPlus::detach()
{
    if (TGDIPlusCanvas* canvas = GetCanvas(); canvas && canvas->SettingsComponent() == this)
        canvas->SetSettingsComponent(nullptr);
}

// ---- free-drawing panel ----

void TDraw3D::DrawChart(const TRect& rect)
{
    TCanvas3D& c = *Canvas3D();
    const bool saved = AutoRepaint();
    SetAutoRepaint(false);
    try {
        if (!c.IsTrue3D()) PaintPanelBackground(rect);
        NormalizeChartRect();
        SetDepth3D(100);
        c.SetupProjection(100, rect, ChartRect());
        if (c.IsTrue3D()) {
            SetChartRect(rect);
            PaintPanelBackground(rect);
        }
        if (!keepState_) c.ResetDrawingState();
        TRect r = rect;
        FirePaintEvent(r);
        if (Zoom()->Active()) PaintZoomFrame();
        if (!keepState_) c.ResetDrawingState();
        if (OnAfterDraw()) OnAfterDraw()(this);
    } catch (...) {
        SetAutoRepaint(saved);
        throw;
    }
    SetAutoRepaint(saved);
}

void TDraw3D::FirePaintEvent(TRect& rect)
{
    if (onPaint_) onPaint_(this, rect);
}

// ---- the unit ----

void StartGdiPlusUnit()
{
    ActivateControlClassGroup();
    RegisterClasses({&TZebGDIPlus::StaticClass(), &TDraw3D::StaticClass()});
    RegisterCanvasClass(TGDIPlusCanvas::StaticClass());
}

void StopGdiPlusUnit() { UnregisterCanvasClass(TGDIPlusCanvas::StaticClass()); }
