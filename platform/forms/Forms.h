#pragma once
// The application object (message loop, exception report), the screen, and forms.
#include <functional>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"
#include "platform/forms/MessageBoxCodes.h"
#include "platform/rtl/Exceptions.h"

class TCustomForm;
class TForm;
class TStream;

using TExceptionEvent = TMethodEvent<void(TObject* Sender, Exception* E)>;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1, mrNoToAll = mrAll + 1,
                       mrYesToAll = mrNoToAll + 1;

class TApplication : public TComponent {
    TV_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    void Initialize();
    // Creates a form of class T owned by the application; the first one becomes MainForm.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(this);
        formCreated(reference);
    }
    void CreateForm(const TMetaClass& formClass, TCustomForm** reference);
    // Shows the main form and runs the message loop until Terminate (or the main form closes).
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Runs every pending message: input, paints, timers, posted messages, Synchronize calls.
    // Re-entrant: a handler may call it again (a busy wait inside a click handler).
    void ProcessMessages();
    // Waits for at least one message and runs what is pending.
    void HandleMessage();
    // Sleeps until a message comes (input, paint, timer, posted message, Synchronize call) or
    // timeoutMs has passed; what woke it has run on return. A wait that pumps messages calls it
    // between two ProcessMessages instead of spinning.
    void WaitMessage(int timeoutMs);

    // Routes the exception being handled (call inside a catch block) to OnException, or to
    // ShowException when none is assigned. EAbort is silent.
    void HandleException(TObject* sender);
    void HandleException(TObject* sender, const std::exception& e);
    // The default report: a message box with the message.
    void ShowException(Exception* e);
    const TExceptionEvent& OnException() const { return onException_; }
    void SetOnException(const TExceptionEvent& e) { onException_ = e; }
    const TNotifyEvent& OnIdle() const { return onIdle_; }
    void SetOnIdle(const TNotifyEvent& e) { onIdle_ = e; }

    int MessageBox(const String& text, const String& caption, int flags = MB_OK);

    String ExeName() const;
    const String& Title() const { return title_; }
    void SetTitle(const String& value) { title_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value) { hintColor_ = value; }
    TCustomForm* MainForm() const { return mainForm_; }
    int ModalLevel() const { return modalLevel_; }
    // Shows control's hint (its part before '|') at a point in screen coordinates, in HintColor and
    // the screen's hint font, hidden after HintHidePause; nothing while hints are off.
    void ActivateHint(TControl* control, TPoint screenPos);
    void CancelHint();
    // The text of the hint shown by ActivateHint, empty when none shows.
    const String& ActiveHint() const { return activeHint_; }

    // Private to the layer.
    void EnterModal() { ++modalLevel_; }
    void LeaveModal() { --modalLevel_; }
    void FormDestroying(TCustomForm* form);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void formCreated(TCustomForm* form);
    void report(TObject* sender, Exception& e);

    bool terminated_ = false;
    String title_;
    bool showHint_ = true;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
    TColor hintColor_ = clInfoBk;
    String activeHint_;
    TCustomForm* mainForm_ = nullptr;
    int modalLevel_ = 0;
    int handlingException_ = 0;
    TExceptionEvent onException_;
    TNotifyEvent onIdle_;
};

// A program cursor made by the layer (LoadCursorFromImage); 0 is none.
using HCURSOR = intptr;

class TScreen : public TComponent {
    TV_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* owner);
    ~TScreen() override;

    int Width() const;
    int Height() const;
    // The primary screen's physical size in millimetres; 0 where the screen does not tell it.
    int PhysicalWidthMM() const;
    int PhysicalHeightMM() const;
    int PixelsPerInch() const { return 96; }
    // The mouse pointer's position in screen coordinates; setting it moves the pointer.
    TPoint CursorPos() const;
    void SetCursorPos(TPoint value);
    // The cursor shown everywhere (crHourGlass during a long job); crDefault: each control's own.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    // The font of hints shown by the application.
    TFont* HintFont();
    // Numbered cursors: the standard ones (negative) and program ones added at run time.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR cursor);
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return activeForm_; }
    TWinControl* ActiveControl() const;

    // Private to the layer.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void SetActiveForm(TCustomForm* form);

private:
    TCursor cursor_ = crDefault;
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
    std::vector<std::pair<int, HCURSOR>> cursors_;
    std::unique_ptr<TFont> hintFont_;
};

// A cursor from an image (ARGB pixels, width x height) with its hot spot.
HCURSOR LoadCursorFromImage(const std::vector<std::uint32_t>& argb, int width, int height, int hotX, int hotY);

// Application and Screen: made on first use (the platform's application object is created lazily).
struct TApplicationRef {
    TApplication* operator->() const;
    TApplication& operator*() const { return *operator->(); }
    operator TApplication*() const { return operator->(); }
};
struct TScreenRef {
    TScreen* operator->() const;
    TScreen& operator*() const { return *operator->(); }
    operator TScreen*() const { return operator->(); }
};
extern const TApplicationRef Application;
extern const TScreenRef Screen;

// Ends the application before main returns, while the platform's event loop still exists: frees
// the forms nobody owns, then the application with the forms and components it owns (newest
// first; threads they stop are served meanwhile), then the screen; releases workers still
// waiting for the main thread, and last the platform's application object.
void DoneApplication();

// The hint about to show for the control under the pointer, sent to the hint control with
// CM_HINTSHOW, which may change it. Points and the rectangle are in the hint control's client
// coordinates; the hint stays while the pointer is inside CursorRect.
struct THintInfo {
    TControl* HintControl = nullptr;
    TPoint CursorPos;
    TRect CursorRect;
    String HintStr;
    int HideTimeout = 0;  // milliseconds
};

enum TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = TMethodEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TMethodEvent<void(TObject* Sender, bool& CanClose)>;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
inline constexpr const char* TBorderIconNames[] = {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"};
static_assert(std::size(TBorderIconNames) == biHelp + 1);
using TBorderIcons = TSet<TBorderIcon>;
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
inline constexpr const char* TPositionNames[] = {"poDesigned",        "poDefault",        "poDefaultPosOnly",
                                                 "poDefaultSizeOnly", "poScreenCenter",   "poDesktopCenter",
                                                 "poMainFormCenter",  "poOwnerFormCenter"};
static_assert(std::size(TPositionNames) == poOwnerFormCenter + 1);

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
inline constexpr const char* TWindowStateNames[] = {"wsNormal", "wsMinimized", "wsMaximized"};
static_assert(std::size(TWindowStateNames) == wsMaximized + 1);

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
inline constexpr const char* TFormStyleNames[] = {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"};
static_assert(std::size(TFormStyleNames) == fsStayOnTop + 1);

class TCustomForm : public TWinControl {
    TV_CLASS(TCustomForm, TWinControl)
public:
    // An empty form; build it in code, or read a stored description with InitFromText /
    // InitFromResource at the end of the derived constructor.
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;
    void BeforeDestruction() override;

    // Reads the text form of the form's description into this form: components created by class
    // name, properties set, events bound by handler name through this class's published methods,
    // Loaded, then OnCreate. Errors (unknown class or property, bad value) raise.
    void InitFromText(const String& text);
    void InitFromBinary(TStream& stream);
    // The same from a program resource holding the text or binary form.
    void InitFromResource(const String& resourceName);

    void Show();
    void Hide() { SetVisible(false); }
    // Runs a modal loop until ModalResult is set (or the form closes); answers the ModalResult.
    virtual int ShowModal();
    // Asks OnCloseQuery, then OnClose with the default action (caHide; caFree for the main form
    // ends the program) and carries it out.
    void Close();
    virtual bool CloseQuery();
    // Frees the form from the message loop, after the running handler has returned.
    void Release();

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }
    bool InModal() const { return inModal_; }
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value) { windowState_ = value; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    bool Active() const;
    // The density the form's sizes are meant for; ScaleBy rescales them, this only records it.
    int PixelsPerInch() const { return pixelsPerInch_; }
    // The mouse pointer's position in screen coordinates; setting it moves the pointer.
    TPoint CursorPos() const;
    void SetCursorPos(TPoint value);
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value > 0 ? value : 96; }
    int TextHeight() const { return textHeight_; }
    void SetTextHeight(int value) { textHeight_ = value; }
    bool OldCreateOrder() const { return oldCreateOrder_; }
    void SetOldCreateOrder(bool value) { oldCreateOrder_ = value; }

    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    TPoint ClientOrigin() const override;
    TRect GetClientMargins() const override { return {}; }

    const TNotifyEvent& OnCreate() const { return onCreate_; }
    void SetOnCreate(const TNotifyEvent& e) { onCreate_ = e; }
    const TNotifyEvent& OnDestroy() const { return onDestroy_; }
    void SetOnDestroy(const TNotifyEvent& e) { onDestroy_ = e; }
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
    const TNotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(const TNotifyEvent& e) { onHide_ = e; }
    const TNotifyEvent& OnActivate() const { return onActivate_; }
    void SetOnActivate(const TNotifyEvent& e) { onActivate_ = e; }
    const TNotifyEvent& OnDeactivate() const { return onDeactivate_; }
    void SetOnDeactivate(const TNotifyEvent& e) { onDeactivate_ = e; }
    const TNotifyEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(const TNotifyEvent& e) { onPaint_ = e; }
    const TCloseEvent& OnClose() const { return onClose_; }
    void SetOnClose(const TCloseEvent& e) { onClose_ = e; }
    const TCloseQueryEvent& OnCloseQuery() const { return onCloseQuery_; }
    void SetOnCloseQuery(const TCloseQueryEvent& e) { onCloseQuery_ = e; }

    // Canvas valid during OnPaint.
    TCanvas* Canvas() const { return canvas_; }

    // Private to the layer: the close box of the window was used.
    void CloseFromWindow();
    // Private to the layer: the window system sized or moved the window to this client area
    // (screen coordinates).
    void WindowPlaced(const TRect& client);
    void WndProc(TMessage& message) override;

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

protected:
    virtual void DoCreate();
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    void PaintWindow(TCanvas& canvas) override;
    void VisibleChanged() override;
    void BoundsChanged() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation operation) override;
    TRect GetClientRect() const override;
    // Non-client frame size of the border style (left + right, top + bottom).
    TSize FrameSize() const;

private:
    void placeOnScreen();
    // Tells the window system which title-bar buttons the border icons and style leave.
    void applyWindowButtons();

    TModalResult modalResult_ = mrNone;
    bool inModal_ = false;
    bool shownOnce_ = false;
    bool initializing_ = false;  // reading the description and OnCreate: showing waits
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    bool keyPreview_ = false;
    TWinControl* activeControl_ = nullptr;
    int textHeight_ = 13;
    bool oldCreateOrder_ = false;
    TCanvas* canvas_ = nullptr;  // owned

    TNotifyEvent onCreate_, onDestroy_, onShow_, onHide_, onActivate_, onDeactivate_, onPaint_;
    TCloseEvent onClose_;
    TCloseQueryEvent onCloseQuery_;
    int pixelsPerInch_ = 96;
};

class TForm : public TCustomForm {
    TV_CLASS(TForm, TCustomForm)
public:
    using TCustomForm::TCustomForm;
};

// Test hook: when set, ShowModal hands the form to it instead of running a loop (the handler sets
// ModalResult, clicks buttons ...); its answer is ShowModal's result. Returns the previous hook.
using TModalHandler = std::function<int(TCustomForm& form)>;
TModalHandler SetModalHandler(TModalHandler handler);

// Registers the form and control base classes by name for component streams.
void RegisterFormClasses();
// Registers every standard control class of the layer (done by the first form read from a
// stored description).
void RegisterStandardClasses();
