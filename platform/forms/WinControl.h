#pragma once
// TWinControl: a control with a host window of its own, child controls, the tab order and the focus.
#include <memory>
#include <vector>

#include "platform/forms/Control.h"

class TCanvas;
class TRegion;
struct THostWindow;  // the platform window behind a TWinControl (private to the layer)

class TWinControl : public TControl {
    TV_CLASS(TWinControl, TControl)
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // Child controls in z-order (first = bottom).
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const;  // direct or deeper child
    // Topmost visible child at a client point (enabled ones only unless allowDisabled).
    TControl* ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls = false) const;
    TControl* FindChildControl(const String& name) const;

    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // The children's positions and sizes and the control's own size times multiplier / divisor
    // (the control stays where it is).
    void ScaleBy(int multiplier, int divisor);
    void ChangeScale(int multiplier, int divisor) override;
    virtual bool CanFocus() const;
    virtual void SetFocus();
    bool Focused() const;
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool value) { doubleBuffered_ = value; }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    void DisableAlign() { ++alignLevel_; }
    void EnableAlign();
    void Realign();

    // The host window exists (made on first need: parent set, shown, painted).
    bool HandleAllocated() const;
    void HandleNeeded();
    // Margins of the non-client frame (left, top, right, bottom widths); default BorderWidth on
    // every side. Changing the answer: call FrameChanged().
    virtual TRect GetClientMargins() const;
    void FrameChanged();
    // Paints the whole window (frame, client, windowless children) into canvas at (x, y).
    void PaintTo(TCanvas& canvas, int x, int y);
    // The window's shape in window coordinates (rounded panels): outside it nothing of the window
    // shows and the mouse goes to what lies below. Null removes it. The region stays as set when
    // the window is resized; an owner that follows the size sets it again. Kept while the host
    // window does not exist yet and applied when it is made.
    void SetWindowRgn(const TRegion* region, bool redraw = true);
    bool GetWindowRgn(TRegion& region) const;  // false when none is set

    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetParent(TWinControl* parent) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void SetChildOrder(TComponent* child, int order) override;
    void WndProc(TMessage& message) override;

    const TKeyEvent& OnKeyDown() const { return onKeyDown_; }
    void SetOnKeyDown(const TKeyEvent& e) { onKeyDown_ = e; }
    const TKeyEvent& OnKeyUp() const { return onKeyUp_; }
    void SetOnKeyUp(const TKeyEvent& e) { onKeyUp_ = e; }
    const TKeyPressEvent& OnKeyPress() const { return onKeyPress_; }
    void SetOnKeyPress(const TKeyPressEvent& e) { onKeyPress_ = e; }
    const TNotifyEvent& OnEnter() const { return onEnter_; }
    void SetOnEnter(const TNotifyEvent& e) { onEnter_ = e; }
    const TNotifyEvent& OnExit() const { return onExit_; }
    void SetOnExit(const TNotifyEvent& e) { onExit_ = e; }

    // Private to the layer: the host window.
    THostWindow* Host() const { return host_.get(); }

protected:
    TRect GetClientRect() const override;
    // Makes the host window; the standard controls return their native counterparts.
    virtual std::unique_ptr<THostWindow> CreateHostWindow();
    // After the host window exists: push state (text, items) into it.
    virtual void HostCreated() {}
    // Arranges aligned and anchored children within rect (the client rect less padding).
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void AdjustClientRect(TRect& rect);
    // Client painting of the window itself (before the windowless children).
    virtual void PaintWindow(TCanvas& canvas);
    // Frame painting in window coordinates (WM_NCPAINT); default fills the margins with Color.
    virtual void PaintNonClient(TCanvas& canvas);
    void PaintControls(TCanvas& canvas, TControl* first);
    void BoundsChanged() override;
    void VisibleChanged() override;
    void InvalidateRect(const TRect& r) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMVisibleChanged(TMessage& message) override;
    void CMShowHintChanged(TMessage& message);

    virtual void KeyDown(Word& key, TShiftState shift);
    virtual void KeyUp(Word& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void WMKey(TMessage& message);
    virtual void WMSetFocus(TMessage& message);
    virtual void WMKillFocus(TMessage& message);
    virtual void WMNCHitTest(TMessage& message);
    virtual void WMNCPaint(TMessage& message);
    virtual void WMPaint(TMessage& message);

    friend struct THostWindow;
    friend struct TControlAccess;
    friend class TControl;

private:
    void freeChildren();
    void alignAll();
    void attachToParentHost();
    // Marks the widget opaque while the control fills its client area (csOpaque).
    void syncOpaque();
    void placeHost();
    void childBoundsChanged(TControl* control);
    void anchorChildren(int oldClientWidth, int oldClientHeight);

    std::vector<TControl*> controls_;  // not owned: the owner frees
    std::unique_ptr<THostWindow> host_;
    std::unique_ptr<TRegion> windowRgn_;
    std::vector<TWinControl*> tabList_;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    int borderWidth_ = 0;
    int alignLevel_ = 0;
    bool aligning_ = false;
    int lastClientWidth_ = -1, lastClientHeight_ = -1;
    int pendingTabOrder_ = -1;

    TKeyEvent onKeyDown_, onKeyUp_;
    TKeyPressEvent onKeyPress_;
    TNotifyEvent onEnter_, onExit_;
};
