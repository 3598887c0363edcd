#pragma once
// The styled-control base: a windowed, owner-drawn control with a frame in its non-client area
// (outer style, border-width band, inner style), optional transparency, a shared picture list,
// hover/press/focus tracking, and its settings saved to and loaded from a text file.
#include "platform/forms/Controls.h"
#include "platform/graphics/ImageList.h"
#include "widgets/styled/QMConsts.h"
#include "widgets/styled/QMPictureList.h"

class TQMCustomControl;

// Frame settings; every value lives in the control.
class TQMControlBorderProps : public TPersistent {
    TV_CLASS(TQMControlBorderProps, TPersistent)
public:
    explicit TQMControlBorderProps(TQMCustomControl* control) : control_(control) {}
    TQMCustomControl* Control() const { return control_; }

protected:
    TPersistent* GetOwner() const override;
    TQMCustomControl* control_;
};

class TQMBorderProps : public TQMControlBorderProps {
    TV_CLASS(TQMBorderProps, TQMControlBorderProps)
public:
    using TQMControlBorderProps::TQMControlBorderProps;
    void Assign(TPersistent* source) override;

    TQMControlBorder Border() const;
    void SetBorder(TQMControlBorder value);
    TColor Color() const;
    void SetColor(TColor value);
    bool ExDraw() const;
    void SetExDraw(bool value);
    TColor FlatColor() const;
    void SetFlatColor(TColor value);
    TColor FlatInnerColor() const;
    void SetFlatInnerColor(TColor value);
    TQMControlBorder InnerBorder() const;
    void SetInnerBorder(TQMControlBorder value);
    int Width() const;
    void SetWidth(int value);
};

// Message numbers of the key query: does the control turn this key into a Tab (answer 1)? And does
// it refuse focus to one of its children (LParam; answer 1)?
constexpr Cardinal QM_WANTTABKEY = 0x8781;
constexpr Cardinal QM_REFUSECHILDFOCUS = 0x8782;

// Key-flag word of a shift state: 1 left, 2 right, 4 Shift, 8 Ctrl, 16 middle button, 32 Alt.
Word ShiftStateToKeyFlags(TShiftState shift);
// Alt from bit 29 of a key message's data; Shift and Ctrl from the keyboard state the control saw.
TShiftState QMKeyDataToShiftState(intptr keyData, TShiftState keyboard = {});

class TQMCustomControl : public TCustomControl {
    TV_CLASS(TQMCustomControl, TCustomControl)
public:
    explicit TQMCustomControl(TComponent* owner);
    ~TQMCustomControl() override;
    void Assign(TPersistent* source) override;

    void SetAutoSize(bool value) override;
    TQMBorderProps* BorderProps() const { return borderProps_.get(); }
    void SetBorderProps(TQMBorderProps* value) { borderProps_->Assign(value); }
    bool ClickFocus() const { return clickFocus_; }
    void SetClickFocus(bool value) { clickFocus_ = value; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    // Watched, not owned: the control forgets a list that is destroyed.
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    bool IsValidImage(int index) const;
    // (0, 0, image width, image height); empty without Images.
    TRect GetImageRect() const;
    int Indent() const { return indent_; }
    void SetIndent(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // The shared picture list and the index of this control's picture in it (never below -1).
    TQMPictureList* PictureList() const { return pictureList_; }
    void SetPictureList(TQMPictureList* value);
    int PictureIndex() const { return pictureIndex_; }
    void SetPictureIndex(int value);
    String About() const;
    void SetAbout(const String&) {}

    // Hover events of the styled set (never raised while disabled or designing).
    const TNotifyEvent& OnMouseEnter() const { return onEnter_; }
    void SetOnMouseEnter(const TNotifyEvent& e) { onEnter_ = e; }
    const TNotifyEvent& OnMouseLeave() const { return onLeave_; }
    void SetOnMouseLeave(const TNotifyEvent& e) { onLeave_ = e; }

    // Frame settings as the border settings object shows them.
    TQMControlBorder OuterBorder() const { return border_; }
    void SetOuterBorder(TQMControlBorder value);
    TColor BandColor() const { return bandColor_; }
    void SetBandColor(TColor value);
    void SetBandWidth(int value);  // the frame band (BorderWidth), refitting an auto-sized control
    bool ExDraw() const { return exDraw_; }
    void SetExDraw(bool value);
    TColor FlatColor() const { return flatColor_; }
    void SetFlatColor(TColor value);
    TColor FlatInnerColor() const { return flatInnerColor_; }
    void SetFlatInnerColor(TColor value);
    TQMControlBorder InnerBorder() const { return innerBorder_; }
    void SetInnerBorder(TQMControlBorder value);

    // Input state.
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }
    TPoint DownPoint() const { return downPoint_; }
    int HitArea() const { return hitArea_; }
    bool NCCapture() const { return ncCapture_; }

    // Frame geometry.
    virtual int GetBorderSize() const;
    virtual int GetInnerBorderSize() const;
    virtual void ShrinkForBorders(TRect& rect) const;
    TRect GetFramedBounds(int width, int height) const;
    TRect GetClientMargins() const override;
    // Screen point to coordinates from the window's top-left corner (frame included).
    virtual TPoint ScreenToWindow(TPoint screenPoint) const;

    // Paints the frame on canvas (window coordinates); null repaints it through the window.
    virtual void PaintBorders(TCanvas* canvas);
    virtual void PaintParentBackground(TCanvas* canvas);

    // Settings file: the text form of the control's stored description.
    virtual void SaveToFile(const String& fileName);
    // Nothing when the file does not exist; a bad file raises and leaves the control as it was.
    virtual void LoadFromFile(const String& fileName);

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void PaintNonClient(TCanvas& canvas) override;

    // Hooks of the set; most are empty here.
    virtual void BeforeEnter() {}
    virtual void AfterEnter() {}
    virtual void BeforeExit() {}
    virtual void AfterExit() {}
    virtual bool CanClickFocus() const { return true; }
    virtual bool CanFocusChild(TControl*) const { return true; }
    virtual bool IsBorderAllowed(TQMControlBorder) const { return true; }
    virtual bool IsInnerBorderAllowed(TQMControlBorder) const { return true; }
    virtual void PictureListChanged() {}
    virtual void FocusChanged() {}
    virtual void TransparentChanged() { Invalidate(); }
    virtual void EnabledChanged() {}
    virtual void SysColorsChanged() { Invalidate(); }
    virtual void BorderChanged();
    virtual TColor GetBorderFaceColor() const { return Color(); }
    virtual TColor GetFaceColor() const { return Color(); }
    virtual void BeforeAutoSizeChange() {}
    // The styled set's own size adjustment (content-driven in descendants).
    virtual void AdjustSize() {}
    virtual void IndentChanged() { Invalidate(); }
    virtual void SpacingChanged() { Invalidate(); }
    virtual void ImagesChanged() { Invalidate(); }
    virtual void PaintNonClientHook(TCanvas&) {}

    virtual void InternalMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void InternalMouseMove(TShiftState shift, int x, int y);
    virtual void InternalMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void CaptureChanged(bool) {}
    virtual void CancelPressAndTrack();
    virtual void HotChanged() {}
    virtual bool CanCapture() const { return true; }
    virtual bool CanPressAt(int, int) const { return true; }
    virtual int GetClientHitArea(TPoint) const { return qmhaNone; }
    virtual bool WantsNCCapture(TPoint) const { return false; }
    virtual void MouseLeft() {}
    virtual void HitAreaChanged(intptr, int, int) {}
    virtual void NCMouseDown(TMouseButton, int, int, int, bool) {}
    virtual void NCMouseMove(int, int, int) {}
    virtual void NCMouseUp(TMouseButton, int, int, int) {}
    // Frame area of a window-relative point.
    int FrameHitAreaAt(TPoint windowPoint) const;
    // Makes hot follow the pointer, raising the hover events as entering and leaving would.
    void SyncHover();
    // The control under the mouse pointer, disabled ones included.
    virtual TControl* ControlUnderCursor() const;

    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMEnabledChanged(TMessage& message) override;
    void CMColorChanged(TMessage& message) override;
    void CMParentColorChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;
    void WMMouseButton(TMessage& message) override;
    void WMMouseMove(TMessage& message) override;
    void WMSetFocus(TMessage& message) override;
    void WMKillFocus(TMessage& message) override;
    void WMNCHitTest(TMessage& message) override;

private:
    void pictureListNotify(TQMPictureList* list, Byte operation);
    void cancelOthersMode();
    bool ncClientMessage(TMessage& message);
    void ncMouseMessage(TMessage& message);
    void keyDown(TMessage& message);

    TQMControlBorder border_ = qmcbNone;
    TColor bandColor_ = clBtnFace;
    bool exDraw_ = false;
    TQMControlBorder innerBorder_ = qmcbNone;
    TOwnedPtr<TQMBorderProps> borderProps_;
    bool clickFocus_ = true;
    TColor flatColor_ = clBtnShadow;
    TColor flatInnerColor_ = clBtnShadow;
    int imageIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TChangeLink> imageLink_;
    int indent_ = 0;
    int pictureIndex_ = -1;
    TQMPictureList* pictureList_ = nullptr;
    std::unique_ptr<TQMPictureNotifier> notifier_;
    int spacing_ = 4;
    bool transparent_ = false;
    bool hot_ = false;
    bool pressed_ = false;
    TPoint downPoint_{-1, -1};
    int hitArea_ = qmhaNone;
    bool ncCapture_ = false;
    TNotifyEvent onEnter_, onLeave_;
    bool paintingParent_ = false;
    bool pointerInside_ = false;
};
