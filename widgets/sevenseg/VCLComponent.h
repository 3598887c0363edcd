#pragma once
// TiVCLComponent completes the instrument base for windowed controls: a paint lock, a one-channel
// timer, the OPC bindings of the control ("OPCItems") with values moved to and from properties by
// name, and a transparent look that shows the parent's pixels under the control.
// TiCustomComponent is the direct base of the seven-segment controls.
#include "platform/classes/SyncObjs.h"
#include "widgets/sevenseg/InstrumentComponent.h"

class TTimer;

using TIndexObjectEvent = TMethodEvent<void(int Index)>;
using TBeforeOPCNewDataEvent = TMethodEvent<void(int Index, const TOPCVariant& Data)>;

class TiVCLComponent : public TiComponent {
    TV_CLASS(TiVCLComponent, TiComponent)
public:
    explicit TiVCLComponent(TComponent* owner);
    ~TiVCLComponent() override;

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);

    TiOPCItemManager& OPCItems() { return *opcItems_; }
    const TIndexObjectEvent& OnNewOPCData() const { return onNewOPCData_; }
    void SetOnNewOPCData(const TIndexObjectEvent& e) { onNewOPCData_ = e; }
    const TBeforeOPCNewDataEvent& OnBeforeNewOPCData() const { return onBeforeNewOPCData_; }
    void SetOnBeforeNewOPCData(const TBeforeOPCNewDataEvent& e) { onBeforeNewOPCData_ = e; }

    void Lock() override;
    void Unlock() override;
    bool TimerRunning() const override { return timerRunning_; }
    // First delay 0: the interval is the first delay and the timer does not re-arm.
    void StartTimer(Cardinal firstDelay, Cardinal interval) override;
    void StopTimer() override;
    // Called on every tick of the timer; assignable from code only.
    void SetInternalTimerHook(std::function<void(TObject* sender)> hook) { internalTimerHook_ = std::move(hook); }

    bool OPCOutput(const String& propertyName, const TOPCVariant& value) override;
    void BackGroundChange() override;

    // Sets the published property whose path (from `path`) is `name` from a variant's text.
    // Raises when the text does not convert.
    void SetPropertyByName(TObject* object, const String& path, const String& name, const TOPCVariant& value);
    // An item took a new value: into the property it names, with the two events around it.
    void HandleNewOPCData(TiOPCItem* item);
    bool FromOPC() const { return fromOPC_; }
    bool CapturePending() const { return capturePending_; }

protected:
    void DrawBackground(TCanvas& canvas, TColor colour) override;
    // False: the value goes to the property by name.
    virtual bool OPCInput(TiOPCItem* item)
    {
        (void)item;
        return false;
    }
    void DefineProperties(TFiler& filer) override;
    void BoundsChanged() override;
    void RequestBackgroundCapture();
    void CaptureBackground(TCanvas& source);

private:
    void TimerTick(TObject* sender);

    bool skipBackground_ = false;
    std::unique_ptr<TBitmap> transparentBitmap_;
    TCriticalSection paintLock_;
    bool transparent_ = false;
    std::unique_ptr<TiOPCItemManager> opcItems_;
    bool fromOPC_ = false;
    bool timerRunning_ = false;
    bool firstTick_ = false;
    Cardinal repeatInterval_ = 0;
    TOwnedPtr<TTimer> timer_;
    std::function<void(TObject* sender)> internalTimerHook_;
    TIndexObjectEvent onNewOPCData_;
    TBeforeOPCNewDataEvent onBeforeNewOPCData_;
    bool capturePending_ = false;
};

class TiCustomComponent : public TiVCLComponent {
    TV_CLASS(TiCustomComponent, TiVCLComponent)
public:
    using TiVCLComponent::TiVCLComponent;
};
