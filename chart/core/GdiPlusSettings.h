#pragma once
// The antialiased canvas as a chart setting: TZebGDIPlus switches a linked panel to the GDI+ canvas
// and carries its settings; TDraw3D is a panel with the chart background and zoom machinery but no
// chart, whose content an OnPaint handler draws (previews of the editors). The unit registers the
// antialiased canvas after the GDI one, so new panels draw antialiased.
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/core/ZebPanelExtended.h"

class TZebGDIPlus : public TComponent {
    TV_CLASS(TZebGDIPlus, TComponent)
public:
    explicit TZebGDIPlus(TComponent* owner);
    void BeforeDestruction() override;

    // The linked panel draws with a TGDIPlusCanvas while true.
    bool Active() const { return active_; }
    void SetActive(bool value);
    bool Antialias() const { return antialias_; }
    void SetAntialias(bool value);
    TGDIPlusFontQuality AntiAliasText() const { return antiAliasText_; }
    void SetAntiAliasText(TGDIPlusFontQuality value);
    float Scale() const { return scale_; }
    void SetScale(float value);
    bool IsScaleStored() const { return scale_ != 1.0f; }
    TCustomZebPanel* ZebPanel() const { return panel_; }
    // The old panel goes back to the GDI canvas.
    void SetZebPanel(TCustomZebPanel* value);
    // The linked panel's canvas when it is a TGDIPlusCanvas.
    TGDIPlusCanvas* GetCanvas() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void applyActivity();
    void pushSettings();
    void detach();

    bool active_ = false;
    bool antialias_ = true;
    TGDIPlusFontQuality antiAliasText_ = gpfDefault;
    float scale_ = 1.0f;
    TCustomZebPanel* panel_ = nullptr;
};

using TDraw3DPaintEvent = TMethodEvent<void(TObject* Sender, TRect& ARect)>;

// The docking events a stored description of the panel may name. This platform has no docking:
// they are stored and loaded, and never fired.
using TDockDropEvent = TMethodEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDockOverEvent = TMethodEvent<void(TObject* Sender, TObject* Source, int X, int Y, int State, bool& Accept)>;
using TEndDockEvent = TMethodEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TGetSiteInfoEvent =
    TMethodEvent<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TStartDockEvent = TMethodEvent<void(TObject* Sender, TObject*& DragObject)>;
using TUnDockEvent = TMethodEvent<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

class TDraw3D : public TCustomZebPanelExtended {
    TV_CLASS(TDraw3D, TCustomZebPanelExtended)
public:
    using TCustomZebPanelExtended::TCustomZebPanelExtended;
    void Assign(TPersistent* source) override;

    // Stored and loaded only, like the docking events: nothing docks here.
    bool Locked() const { return locked_; }
    void SetLocked(bool value) { locked_ = value; }
    const TDockDropEvent& OnDockDrop() const { return onDockDrop_; }
    void SetOnDockDrop(const TDockDropEvent& e) { onDockDrop_ = e; }
    const TDockOverEvent& OnDockOver() const { return onDockOver_; }
    void SetOnDockOver(const TDockOverEvent& e) { onDockOver_ = e; }
    const TEndDockEvent& OnEndDock() const { return onEndDock_; }
    void SetOnEndDock(const TEndDockEvent& e) { onEndDock_ = e; }
    const TGetSiteInfoEvent& OnGetSiteInfo() const { return onGetSiteInfo_; }
    void SetOnGetSiteInfo(const TGetSiteInfoEvent& e) { onGetSiteInfo_ = e; }
    const TStartDockEvent& OnStartDock() const { return onStartDock_; }
    void SetOnStartDock(const TStartDockEvent& e) { onStartDock_ = e; }
    const TUnDockEvent& OnUnDock() const { return onUnDock_; }
    void SetOnUnDock(const TUnDockEvent& e) { onUnDock_ = e; }

    const TDraw3DPaintEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(TDraw3DPaintEvent handler) { onPaint_ = std::move(handler); }
    // The canvas's drawing state is left as OnPaint found and left it.
    bool KeepState() const { return keepState_; }
    void SetKeepState(bool value) { keepState_ = value; }

    void DrawChart(const TRect& rect) override;
    virtual void FirePaintEvent(TRect& rect);

private:
    TDraw3DPaintEvent onPaint_;
    bool keepState_ = false;
    bool locked_ = false;
    TDockDropEvent onDockDrop_;
    TDockOverEvent onDockOver_;
    TEndDockEvent onEndDock_;
    TGetSiteInfoEvent onGetSiteInfo_;
    TStartDockEvent onStartDock_;
    TUnDockEvent onUnDock_;
};

// Registers TZebGDIPlus and TDraw3D for streams and appends TGDIPlusCanvas to the canvas class
// list; the stop takes the canvas class out again.
void StartGdiPlusUnit();
void StopGdiPlusUnit();
