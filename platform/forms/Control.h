#pragma once
// TControl, the base of every control: placed on a parent, windowless by itself; and the types and
// events the controls share. Owner (who frees) and Parent (where shown) are separate.
#include <iterator>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Sets.h"
#include "platform/forms/MessageRecord.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"

class TFont;
class TSizeConstraints;
class TReader;
class TWinControl;
class TCustomForm;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
inline constexpr const char* TAlignNames[] = {"alNone",  "alTop",    "alBottom", "alLeft",
                                              "alRight", "alClient", "alCustom"};
static_assert(std::size(TAlignNames) == alCustom + 1);

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
inline constexpr const char* TAnchorKindNames[] = {"akLeft", "akTop", "akRight", "akBottom"};
static_assert(std::size(TAnchorKindNames) == akBottom + 1);
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
inline constexpr const char* TMouseButtonNames[] = {"mbLeft", "mbRight", "mbMiddle"};
static_assert(std::size(TMouseButtonNames) == mbMiddle + 1);
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
inline constexpr const char* TShiftStateItemNames[] = {"ssShift", "ssAlt",    "ssCtrl",  "ssLeft",
                                                       "ssRight", "ssMiddle", "ssDouble"};
static_assert(std::size(TShiftStateItemNames) == ssDouble + 1);
using TShiftState = TSet<TShiftStateItem>;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateItem>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
inline constexpr const char* TAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
static_assert(std::size(TAlignmentNames) == taCenter + 1);
using TLeftRight = TAlignment;  // taLeftJustify and taRightJustify
inline constexpr const char* TLeftRightNames[] = {TAlignmentNames[taLeftJustify], TAlignmentNames[taRightJustify]};
static_assert(std::size(TLeftRightNames) == taRightJustify + 1);

enum TTextLayout { tlTop, tlCenter, tlBottom };
inline constexpr const char* TTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
static_assert(std::size(TTextLayoutNames) == tlBottom + 1);

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
inline constexpr const char* TScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
static_assert(std::size(TScrollStyleNames) == ssBoth + 1);

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
inline constexpr const char* TFormBorderStyleNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                                        "bsDialog", "bsToolWindow", "bsSizeToolWin"};
static_assert(std::size(TFormBorderStyleNames) == bsSizeToolWin + 1);
using TBorderStyle = TFormBorderStyle;  // controls use bsNone and bsSingle
inline constexpr const char* TBorderStyleNames[] = {TFormBorderStyleNames[bsNone], TFormBorderStyleNames[bsSingle]};
static_assert(std::size(TBorderStyleNames) == bsSingle + 1);

// Cursors: the standard ones are negative; programs add their own at positive indexes
// (Screen->SetCursors).
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Drag and drop between controls: a drag starts at the source (BeginDrag, or by itself with
// dmAutomatic), asks the control under the mouse whether it accepts the source, drops there on
// release and tells the source where it ended (target nullptr when nothing accepted).
enum TDragMode { dmManual, dmAutomatic };
inline constexpr const char* TDragModeNames[] = {"dmManual", "dmAutomatic"};
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent =
    TMethodEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TMethodEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = TMethodEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;

using TMouseEvent = TMethodEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TMethodEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    TMethodEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = TMethodEvent<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// A proposed size the handler may change, or refuse with Resize false.
using TCanResizeEvent = TMethodEvent<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
// The size limits about to apply (0: none), which the handler may change.
using TConstrainedResizeEvent =
    TMethodEvent<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight)>;
// A context menu was asked for at MousePos (client coordinates); Handled stops the control's own.
using TContextPopupEvent = TMethodEvent<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TMethodEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TMethodEvent<void(TObject* Sender, char& Key)>;

class TControl : public TComponent {
    TV_CLASS(TControl, TComponent)
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    void BeforeDestruction() override;  // leaves the parent while the derived parts live

    // ---- geometry (Left/Top relative to the parent's client area) ----
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    // Position and size (and the font, unless it is the parent's) times multiplier / divisor;
    // right and bottom edges are scaled so that neighbours stay flush.
    virtual void ChangeScale(int multiplier, int divisor);
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // The client area in client coordinates: (0, 0, ClientWidth, ClientHeight).
    TRect ClientRect() const { return GetClientRect(); }
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);
    // Screen position of the client area's (0, 0).
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;

    // ---- placement ----
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors value);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool value);
    // Smallest and largest size; every change of the bounds keeps within them.
    TSizeConstraints* Constraints() const { return constraints_; }
    void SetConstraints(TSizeConstraints* value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible and every parent up to a shown form visible.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value);
    // Enabled and every parent enabled.
    bool IsEnabledInTree() const;
    void BringToFront();
    void SendToBack();

    // ---- look ----
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFont* Font() const { return font_; }
    void SetFont(TFont* value);  // copies the value
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    String Caption() const { return GetText(); }
    void SetCaption(const String& value) { SetText(value); }
    String Text() const { return GetText(); }
    void SetText(const String& value);
    const String& Hint() const { return hint_; }
    void SetHint(const String& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* value);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle value) { controlStyle_ = value; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState value) { controlState_ = value; }

    // ---- painting ----
    virtual void Invalidate();
    // Invalidate and paint now.
    virtual void Repaint();
    // Paint what is invalid now.
    virtual void Update();
    void Refresh() { Repaint(); }

    // ---- messages ----
    // Synchronous dispatch to WndProc; answers the message's Result.
    intptr Perform(Cardinal msg, intptr wparam = 0, intptr lparam = 0);
    // Queued: delivered from the message loop (any thread may post); dropped when the control is gone.
    void PostMessage(Cardinal msg, intptr wparam = 0, intptr lparam = 0);
    virtual void WndProc(TMessage& message);
    // Where unhandled messages end: Result stays 0.
    virtual void DefaultHandler(TMessage& message);

    // ---- mouse ----
    bool MouseCapture() const;
    void SetMouseCapture(bool value);
    // Client point of the mouse as last seen by this control's window.
    bool MouseInClient() const { return mouseInClient_; }

    // ---- events ----
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& e) { onClick_ = e; }
    const TNotifyEvent& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(const TNotifyEvent& e) { onDblClick_ = e; }
    const TMouseEvent& OnMouseDown() const { return onMouseDown_; }
    void SetOnMouseDown(const TMouseEvent& e) { onMouseDown_ = e; }
    const TMouseMoveEvent& OnMouseMove() const { return onMouseMove_; }
    void SetOnMouseMove(const TMouseMoveEvent& e) { onMouseMove_ = e; }
    const TMouseEvent& OnMouseUp() const { return onMouseUp_; }
    void SetOnMouseUp(const TMouseEvent& e) { onMouseUp_ = e; }
    const TNotifyEvent& OnMouseEnter() const { return onMouseEnter_; }
    void SetOnMouseEnter(const TNotifyEvent& e) { onMouseEnter_ = e; }
    const TNotifyEvent& OnMouseLeave() const { return onMouseLeave_; }
    void SetOnMouseLeave(const TNotifyEvent& e) { onMouseLeave_ = e; }
    const TMouseWheelEvent& OnMouseWheel() const { return onMouseWheel_; }
    void SetOnMouseWheel(const TMouseWheelEvent& e) { onMouseWheel_ = e; }
    const TMouseWheelUpDownEvent& OnMouseWheelDown() const { return onMouseWheelDown_; }
    void SetOnMouseWheelDown(const TMouseWheelUpDownEvent& e) { onMouseWheelDown_ = e; }
    const TMouseWheelUpDownEvent& OnMouseWheelUp() const { return onMouseWheelUp_; }
    void SetOnMouseWheelUp(const TMouseWheelUpDownEvent& e) { onMouseWheelUp_ = e; }
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    // Starts a drag from this control while the left button is down; without immediate it starts
    // once the mouse has moved threshold pixels (negative: the platform's 5).
    void BeginDrag(bool immediate, int threshold = -1);
    // Ends this control's drag: dropping on the accepting target when drop, else cancelling.
    void EndDrag(bool drop);
    bool Dragging() const;
    // Asks the control whether it takes source at (x, y); OnDragOver decides, nothing accepts
    // without one.
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    const TDragOverEvent& OnDragOver() const { return onDragOver_; }
    void SetOnDragOver(const TDragOverEvent& e) { onDragOver_ = e; }
    const TDragDropEvent& OnDragDrop() const { return onDragDrop_; }
    void SetOnDragDrop(const TDragDropEvent& e) { onDragDrop_ = e; }
    const TEndDragEvent& OnEndDrag() const { return onEndDrag_; }
    void SetOnEndDrag(const TEndDragEvent& e) { onEndDrag_ = e; }
    const TNotifyEvent& OnResize() const { return onResize_; }
    void SetOnResize(const TNotifyEvent& e) { onResize_ = e; }
    const TCanResizeEvent& OnCanResize() const { return onCanResize_; }
    void SetOnCanResize(const TCanResizeEvent& e) { onCanResize_ = e; }
    const TConstrainedResizeEvent& OnConstrainedResize() const { return onConstrainedResize_; }
    void SetOnConstrainedResize(const TConstrainedResizeEvent& e) { onConstrainedResize_ = e; }
    const TContextPopupEvent& OnContextPopup() const { return onContextPopup_; }
    void SetOnContextPopup(const TContextPopupEvent& e) { onContextPopup_ = e; }

    // ---- component streams ----
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // Runs the click handling (OnClick) as a user click would.
    virtual void Click();

    // Stored tests of the streamed properties.
    bool IsFontStored() const { return !parentFont_; }
    bool IsColorStored() const { return !parentColor_; }
    bool IsAnchorsStored() const;
    bool IsShowHintStored() const { return !parentShowHint_; }

protected:
    // Text storage; windowed controls with an editable text override both.
    virtual String GetText() const { return text_; }
    virtual void SetTextValue(const String& value) { text_ = value; }
    virtual TRect GetClientRect() const;

    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // OnMouseWheel; when that leaves the message unhandled, one DoMouseWheelUp or DoMouseWheelDown
    // per whole notch (120) of the delta accumulated so far (touchpads send small deltas).
    virtual bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
    virtual bool DoMouseWheelDown(TShiftState shift, TPoint mousePos);
    virtual bool DoMouseWheelUp(TShiftState shift, TPoint mousePos);
    virtual void Resize();
    // AutoSize: a control may change the proposed size; false keeps it as is.
    virtual bool CanAutoSize(int& newWidth, int& newHeight);
    // OnCanResize: false keeps the present size.
    virtual bool CanResize(int& newWidth, int& newHeight);
    // The size within the constraints, after OnConstrainedResize has seen them.
    virtual void ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight);
    // OnContextPopup; handled stops the control's own menu.
    virtual void DoContextPopup(TPoint mousePos, bool& handled);
    void AdjustSize();
    void Loaded() override;
    void ReadState(TReader& reader) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Called after Left/Top/Width/Height changed (the host window follows here).
    virtual void BoundsChanged();
    virtual void VisibleChanged();
    virtual void ParentChanged() {}
    // Sets the flag alone (no notifications): forms start hidden.
    void SetVisibleState(bool value) { visible_ = value; }
    // The font object changed (Font()->OnChange).
    void FontChanged(TObject* sender);

    // Notification handlers dispatched by WndProc.
    virtual void CMMouseEnter(TMessage& message);
    virtual void CMMouseLeave(TMessage& message);
    virtual void CMFontChanged(TMessage& message);
    virtual void CMTextChanged(TMessage& message);
    virtual void CMVisibleChanged(TMessage& message);
    virtual void CMEnabledChanged(TMessage& message);
    virtual void CMColorChanged(TMessage& message);
    virtual void CMParentColorChanged(TMessage& message);
    virtual void CMParentFontChanged(TMessage& message);
    virtual void CMParentShowHintChanged(TMessage& message);
    virtual void CMHitTest(TMessage& message);
    virtual void CMCursorChanged(TMessage& message);

    // Mouse messages in client coordinates (LParam packs x, y; WParam the MK_ flags).
    virtual void WMMouseButton(TMessage& message);
    virtual void WMMouseMove(TMessage& message);
    virtual void WMMouseWheel(TMessage& message);
    // A context menu asked for at LParam (client coordinates); Result 1 when it was handled.
    virtual void WMContextMenu(TMessage& message);

    // The window that paints this control: itself for windowed controls, else the parent.
    virtual void InvalidateRect(const TRect& r);

    friend class TWinControl;
    friend struct TControlAccess;

private:
    void updateAnchorBase();
    void constrain(int& width, int& height);
    void constraintsChanged(TObject* sender);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    bool autoSize_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    TFont* font_ = nullptr;  // owned
    bool parentFont_ = true;
    String text_;
    String hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = crDefault;
    TComponent* popupMenu_ = nullptr;
    TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState controlState_;
    bool mouseInClient_ = false;
    bool inAutoSize_ = false;
    // Anchor rules: distances to the parent's right and bottom client edges when last placed.
    int anchorRight_ = 0, anchorBottom_ = 0;
    bool anchorValid_ = false;

    TSizeConstraints* constraints_ = nullptr;  // owned
    TNotifyEvent onClick_, onDblClick_, onMouseEnter_, onMouseLeave_, onResize_;
    TCanResizeEvent onCanResize_;
    TConstrainedResizeEvent onConstrainedResize_;
    TContextPopupEvent onContextPopup_;
    TMouseEvent onMouseDown_, onMouseUp_;
    TMouseMoveEvent onMouseMove_;
    TMouseWheelEvent onMouseWheel_;
    TMouseWheelUpDownEvent onMouseWheelDown_, onMouseWheelUp_;
    int wheelAccumulator_ = 0;
    TDragMode dragMode_ = dmManual;
    TDragOverEvent onDragOver_;
    TDragDropEvent onDragDrop_;
    TEndDragEvent onEndDrag_;

protected:
    // The source hears where its drag ended.
    virtual void DoEndDrag(TObject* target, int x, int y);
};

// The form a control sits on (nullptr when it is not on one).
TCustomForm* GetParentForm(const TControl* control);
