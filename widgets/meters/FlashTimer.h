#pragma once
// The shared flash timer of the meter and button set: one 16 ms cycle for the whole application that
// sends WM_FLASH to registered controls whose blink state changed or whose millisecond timer is due.
// Everything here runs on the main thread.
#include <cstdint>
#include <iterator>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Threads.h"
#include "platform/forms/Messages.h"

class TControl;
class TTimer;

constexpr Cardinal WM_FLASH = WM_USER + 100;  // WParam: counter; LParam: blink state, lateness or 0

enum TFlashFreq { ff8Hz, ff4Hz, ff2Hz, ff1Hz, ff05Hz };  // blink codes 2..6 (frequency + 2)
inline constexpr const char* TFlashFreqNames[] = {"ff8Hz", "ff4Hz", "ff2Hz", "ff1Hz", "ff05Hz"};
static_assert(std::size(TFlashFreqNames) == ff05Hz + 1);
constexpr Int64 FlashCodeOf(TFlashFreq f) { return Int64(f) + 2; }
constexpr Int64 FlashEverySecond = 32;

using TFlashCallback = void (*)(Cardinal counter, std::int32_t arg);

// Interval codes: 2..6 blink on bit `code` of the counter, 32 once a second, anything else a period in ms.
struct TFlashEntry {
    TControl* Control = nullptr;
    TFlashCallback Callback = nullptr;
    Int64 Interval = 0;
    Cardinal Due = 0;  // tick count at which a millisecond entry is next due (compared wrap-safely)
    bool LastState = false;
};

void RegisterFlashControl(TControl* control, Int64 interval);
void RegisterFlashCallback(TFlashCallback callback, Int64 interval);
void UnregisterFlashControl(TControl* control);
void UnregisterFlashCallback(TFlashCallback callback);
void DeleteFlashEntry(int index);
void EnsureFlashTimer();
void FreeFlashTimer();

// One cycle of the timer: advances the counter and dispatches to every entry that is due.
void FlashTick();

int FlashEntryCount();
const TFlashEntry* FlashEntry(int index);  // nullptr outside the list
Cardinal FlashCounter();
void SetFlashCounter(Cardinal value);
class TVnFlashTimer;
TVnFlashTimer* FlashTimer();  // the shared timer, nullptr until the first registration

// A periodic timer component. The cycle runs on the main thread, so no tick can outlive the component.
class TVnFlash : public TComponent {
    TV_CLASS(TVnFlash, TComponent)
public:
    explicit TVnFlash(TComponent* owner);
    ~TVnFlash() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    Cardinal Interval() const { return interval_; }
    void SetInterval(Cardinal value);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);
    bool Running() const;

protected:
    virtual void DoTimer();

private:
    void UpdateThread();
    void TimerFired(TObject* sender);
    friend class TVnFlashTimer;

    bool enabled_ = true;
    Cardinal interval_ = 16;
    TNotifyEvent onTimer_;
    TOwnedPtr<TTimer> timer_;
    TThreadPriority priority_ = tpNormal;  // kept for stored descriptions; the cycle runs on the main thread
};

// The one flash timer of the application; a second instance reports an error and stays idle.
class TVnFlashTimer : public TVnFlash {
    TV_CLASS(TVnFlashTimer, TVnFlash)
public:
    explicit TVnFlashTimer(TComponent* owner);
    ~TVnFlashTimer() override;
};
