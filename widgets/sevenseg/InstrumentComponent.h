#pragma once
// TiComponent: the owner-drawn base of the instrument controls. Paints through an off-screen
// bitmap, collects changes during an update, limits the repaint rate, forwards input to hooks,
// keeps an error state and saves and loads its published settings as a text file.
#include <functional>
#include <memory>
#include <utility>

#include "platform/classes/Assign.h"
#include "platform/forms/Controls.h"
#include "widgets/sevenseg/InstrumentTypes.h"
#include "widgets/sevenseg/OPCItem.h"
#include "widgets/sevenseg/RepaintScheduler.h"

class TBitmap;
class TGraphic;
class TTimer;

// Divides the red, green and blue bytes of colour by divisor (integer division).
TColor DivideColor(TColor colour, int divisor);
// Type 0 a sunken edge, 1 a raised edge, 2 an outline in the button-shadow colour.
void DrawBevelBorder(TCanvas& canvas, const TRect& rect, int type);
// The object a published class property holds, or nullptr.
TObject* GetObjectProperty(TObject* object, const String& propertyName);

class TiComponent : public TCustomControl, public IOPCItemOwner {
    TV_CLASS(TiComponent, TCustomControl)
public:
    explicit TiComponent(TComponent* owner);
    ~TiComponent() override;

    // ---- published settings ----
    int UpdateFrameRate() const { return scheduler_.UpdateFrameRate(); }
    void SetUpdateFrameRate(int value);
    bool AutoFrameRate() const { return scheduler_.AutoFrameRate(); }
    void SetAutoFrameRate(bool value);
    bool OptionSaveAllProperties() const { return optionSaveAllProperties_; }
    void SetOptionSaveAllProperties(bool value) { optionSaveAllProperties_ = value; }
    TColor BackGroundColor() const { return backGroundColor_; }
    virtual void SetBackGroundColor(TColor value);
    TiBevelStyle BorderStyle() const { return borderStyle_; }
    virtual void SetBorderStyle(TiBevelStyle value);

    // ---- hooks, assignable from code only (not events: never stored) ----
    using TAfterPaintHook = std::function<void(TObject* sender, TCanvas& canvas)>;
    using TBeforeChangeHook = std::function<void(TObject* sender, const String& propertyName, bool& allow)>;
    using TAfterChangeHook = std::function<void(TObject* sender, const String& propertyName)>;
    using TDesigningHook = std::function<void(TObject* sender, bool& designing)>;
    void SetAfterPaintHook(TAfterPaintHook hook) { afterPaintHook_ = std::move(hook); }
    void SetBeforeChangeHook(TBeforeChangeHook hook) { beforeChangeHook_ = std::move(hook); }
    void SetAfterChangeHook(TAfterChangeHook hook) { afterChangeHook_ = std::move(hook); }
    void SetDesigningHook(TDesigningHook hook) { designingHook_ = std::move(hook); }

    // ---- state ----
    bool IsLoading() const { return TComponent::IsLoading(); }
    bool IsDesigning();
    void SetErrorActive(bool on) override;
    bool ErrorActive() const { return errorActive_; }
    const String& ErrorText() const { return errorText_; }
    void SetErrorText(const String& value) { errorText_ = value; }
    TFont* ErrorFont() const { return errorFont_.get(); }
    bool HasFocus() const { return focus_; }
    TDateTime CreationTime() const { return creationTime_; }

    virtual TPoint GetCenterPoint() const;
    // A stored setting only: no background picture is kept, as every paint draws the whole
    // control into its off-screen bitmap anyway.
    virtual void SetCachedBackground(bool on);
    bool CachedBackground() const { return cachedBackground_; }

    // ---- changes and repaint rate ----
    void InvalidateChange();
    virtual void BackGroundChange();
    void RepaintIfDue() { scheduler_.RepaintIfDue(); }
    void DoRepaint() { scheduler_.DoRepaint(); }
    virtual void BeginUpdate();
    virtual void EndUpdate();
    bool Updating() const { return scheduler_.Updating(); }
    bool BackgroundNeedsRedraw() const { return backgroundNeedsRedraw_; }
    // The clock the frame-rate limit reads (milliseconds); tests put in their own.
    void SetRepaintClock(TRepaintScheduler::Clock clock);
    const TRepaintScheduler& Scheduler() const { return scheduler_; }

    // ---- paint lock and the one-channel timer (the windowed base implements them) ----
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual bool TimerRunning() const = 0;
    virtual void StartTimer(Cardinal firstDelay, Cardinal interval) = 0;
    virtual void StopTimer() = 0;

    // ---- OPC ----
    // The variant type to ask the server for; empty leaves the server's own.
    virtual void GetOPCDataType(const String& propertyName, TVarType& dataType);
    // A property changed: true when an OPC item took the value to its server.
    virtual bool OPCOutput(const String& propertyName, const TOPCVariant& value);

    // ---- properties text file ----
    // Raises "Error Saving Properties - ..." / "Error Loading Properties - ...".
    virtual void SavePropertiesToFile(const String& fileName);
    virtual void LoadPropertiesFromFile(const String& fileName);

    // Draws the control into canvas (the control's size, origin at (0, 0)).
    virtual void PaintTo(TCanvas& canvas) = 0;

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;
    virtual void DrawBackground(TCanvas& canvas, TColor colour);
    virtual void DrawBorder(TCanvas& canvas);
    // Background picture, stretched over the control instead of the colour; owned.
    void SetBackgroundPicture(std::unique_ptr<TGraphic> picture);

    // Asks the before-change hook; false when the change is refused.
    bool AllowChange(const String& propertyName);
    void AfterChange(const String& propertyName);

    // Input hooks: empty here.
    virtual void iWantSpecialKey(Word& key, bool& result)
    {
        (void)key;
        (void)result;
    }
    virtual void iKeyUp(Word& key, TShiftState shift)
    {
        (void)key;
        (void)shift;
    }
    virtual void iKeyDown(Word& key, TShiftState shift)
    {
        (void)key;
        (void)shift;
    }
    virtual void iKeyPress(char& key) { (void)key; }
    virtual void iMouseDown(TMouseButton button, TShiftState shift, int x, int y)
    {
        (void)button;
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void iMouseUp(TMouseButton button, TShiftState shift, int x, int y)
    {
        (void)button;
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void iMouseMove(TShiftState shift, int x, int y)
    {
        (void)shift;
        (void)x;
        (void)y;
    }
    virtual void iDoubleClick() {}
    virtual bool iMouseWheel(int delta, TShiftState shift, TPoint pos)
    {
        (void)delta;
        (void)shift;
        (void)pos;
        return false;
    }

    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void DoEnter() override;
    void DoExit() override;

    TPoint centerOffset_{0, 0};

private:
    void PaintBuffered();
    void FlushTimer(TObject* sender);

    TAfterPaintHook afterPaintHook_;
    TBeforeChangeHook beforeChangeHook_;
    TAfterChangeHook afterChangeHook_;
    TDesigningHook designingHook_;
    TDateTime creationTime_ = 0;
    TRepaintScheduler scheduler_;
    std::unique_ptr<TGraphic> backgroundPicture_;
    TColor backGroundColor_ = clBtnFace;
    bool backgroundNeedsRedraw_ = true;
    TiBevelStyle borderStyle_ = ibsNone;
    bool focus_ = false;
    bool cachedBackground_ = true;
    bool optionSaveAllProperties_ = false;
    bool errorActive_ = false;
    String errorText_ = "Error";
    std::unique_ptr<TFont> errorFont_;
    TOwnedPtr<TTimer> flushTimer_;  // single-shot: shows a change the frame-rate limit held back
};
