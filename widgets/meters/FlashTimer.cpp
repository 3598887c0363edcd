#include "widgets/meters/FlashTimer.h"

#include <memory>
#include <vector>

#include "platform/classes/Assign.h"
#include "platform/rtl/Exceptions.h"  // before Published.h, which uses it
#include "platform/classes/Published.h"
#include "platform/forms/Controls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Messages.h"
#include "platform/rtl/Streams.h"  // before Forms.h, which uses it
#include "platform/forms/Forms.h"
#include "platform/rtl/Tick.h"

namespace {

constexpr Cardinal kOneSecondMs = 1000;

struct FlashState {
    std::vector<std::unique_ptr<TFlashEntry>> list;
    TVnFlashTimer* timer = nullptr;
    Cardinal counter = 0;
    Cardinal nextSecond = 0;   // tick count of the next once-a-second dispatch
    int timerCount = 0;        // live TVnFlashTimer instances
    int tickDepth = 0;         // > 0 while FlashTick dispatches
    bool freePending = false;  // FreeFlashTimer asked for during a tick: stopped, freed later
};

FlashState& state()
{
    static FlashState s;
    return s;
}

bool applicationGoing() { return Application->IsDestroying(); }

// Signed distance now - due on the 32-bit tick, valid across its wrap.
std::int32_t tickDiff(Cardinal now, Cardinal due) { return static_cast<std::int32_t>(now - due); }

void afterRegister()
{
    auto& list = state().list;
    if (list.capacity() - list.size() < 2) list.reserve(list.size() + 10);
    if (!list.empty()) EnsureFlashTimer();
}

void afterUnregister()
{
    if (applicationGoing() && state().list.empty()) FreeFlashTimer();
}

void dispatch(TFlashEntry& e, Cardinal counter, std::int32_t arg)
{
    if (e.Control)
        e.Control->Perform(WM_FLASH, static_cast<intptr>(counter), static_cast<intptr>(arg));
    else
        e.Callback(counter, arg);
}

}  // namespace

void RegisterFlashControl(TControl* control, Int64 interval)
{
    if (!control) return;
    auto& s = state();
    const Cardinal due = GetTickCount() + static_cast<Cardinal>(interval);
    bool found = false;
    for (auto& e : s.list)
        if (e->Control == control) {
            e->Interval = interval;
            e->Due = due;
            found = true;
        }
    if (!found) {
        auto e = std::make_unique<TFlashEntry>();
        e->Control = control;
        e->Interval = interval;
        e->Due = due;
        s.list.push_back(std::move(e));
    }
    afterRegister();
}

void RegisterFlashCallback(TFlashCallback callback, Int64 interval)
{
    if (!callback) return;
    auto& s = state();
    const Cardinal due = GetTickCount() + static_cast<Cardinal>(interval);
    bool found = false;
    for (auto& e : s.list)
        if (e->Callback == callback) {
            e->Interval = interval;
            e->Due = due;
            found = true;
        }
    if (!found) {
        auto e = std::make_unique<TFlashEntry>();
        e->Callback = callback;
        e->Interval = interval;
        e->Due = due;
        s.list.push_back(std::move(e));
    }
    afterRegister();
}

void UnregisterFlashControl(TControl* control)
{
    auto& list = state().list;
    for (int i = 0; i < static_cast<int>(list.size()); ++i)
        if (list[i]->Control == control) {
            DeleteFlashEntry(i);
            break;
        }
    afterUnregister();
}

void UnregisterFlashCallback(TFlashCallback callback)
{
    auto& list = state().list;
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i)
        if (list[i]->Callback == callback) {
            DeleteFlashEntry(i);
            break;
        }
    afterUnregister();
}

void DeleteFlashEntry(int index)
{
    auto& list = state().list;
    if (index < 0 || index >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + index);
}

void EnsureFlashTimer()
{
    auto& s = state();
    if (s.timer && s.freePending) {
        // Stopped from inside a cycle and not yet freed: take it back into service.
        s.freePending = false;
        s.timer->SetEnabled(true);
        return;
    }
    if (s.timer) return;
    s.nextSecond = GetTickCount() + kOneSecondMs;
    // The application owns it, so it goes before the platform's event loop does.
    s.timer = new TVnFlashTimer(Application);
}

void FreeFlashTimer()
{
    auto& s = state();
    if (!s.timer) return;
    if (s.tickDepth > 0) {
        // Asked from inside its own cycle: stop now, free on the next call outside a cycle.
        s.freePending = true;
        s.timer->SetEnabled(false);
        return;
    }
    s.freePending = false;
    TVnFlashTimer* t = s.timer;
    s.timer = nullptr;
    TObject::Free(t);
}

void FlashTick()
{
    auto& s = state();
    ++s.counter;
    const Cardinal now = GetTickCount();
    bool second = false;
    if (tickDiff(now, s.nextSecond) >= 0) {
        s.nextSecond += kOneSecondMs;
        second = true;
    }
    ++s.tickDepth;
    const int start = static_cast<int>(std::min<std::size_t>(s.list.size(), 32767));
    for (int i = 0; i < start; ++i) {
        if (applicationGoing()) break;
        if (i >= static_cast<int>(s.list.size())) break;
        TFlashEntry& e = *s.list[i];
        if (!e.Control && !e.Callback) continue;
        try {
            const auto code = static_cast<std::uint32_t>(e.Interval);
            if (code >= 2 && code <= 6) {
                const bool st = (s.counter >> code) & 1u;
                if (st != e.LastState) {
                    e.LastState = st;
                    dispatch(e, s.counter, st ? 1 : 0);
                }
            } else if (code == FlashEverySecond) {
                if (second) dispatch(e, s.counter, 0);
            } else {
                const std::int32_t diff = tickDiff(now, e.Due);
                std::int64_t late = diff < 0 ? -std::int64_t(diff) : diff;
                if (diff >= 0 || late == 0x7FFFFFFF) {
                    if (late > 1000) late = 0;
                    const auto period = static_cast<Cardinal>(e.Interval);
                    e.Due = diff >= 0 ? now + period - Cardinal(late) : now + period + Cardinal(late);
                    dispatch(e, s.counter, static_cast<std::int32_t>(late));
                }
            }
        } catch (...) {
            // A failing handler must not stop the other entries.
        }
    }
    --s.tickDepth;
}

int FlashEntryCount() { return static_cast<int>(state().list.size()); }

const TFlashEntry* FlashEntry(int index)
{
    const auto& list = state().list;
    return index >= 0 && index < static_cast<int>(list.size()) ? list[index].get() : nullptr;
}

Cardinal FlashCounter() { return state().counter; }
void SetFlashCounter(Cardinal value) { state().counter = value; }
TVnFlashTimer* FlashTimer() { return state().timer; }

// ---- TVnFlash ----

TV_PUBLISHED(TVnFlash)
{
    Prop("Enabled", &TVnFlash::Enabled, &TVnFlash::SetEnabled, true);
    PropEnum("ThreadPriority", &TVnFlash::ThreadPriority, &TVnFlash::SetThreadPriority, tpNormal, TThreadPriorityNames);
}

TVnFlash::TVnFlash(TComponent* owner) : TComponent(owner), timer_(new TTimer(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(interval_);
    timer_->SetOnTimer(TNotifyEvent(this, &TVnFlash::TimerFired));
}

TVnFlash::~TVnFlash()
{
    enabled_ = false;
    onTimer_ = nullptr;
    timer_.reset();  // on the main thread: no cycle can be running now
}

void TVnFlash::SetEnabled(bool value)
{
    if (AssignIfChanged(enabled_, value)) UpdateThread();
}

void TVnFlash::SetInterval(Cardinal value)
{
    interval_ = value;
    UpdateThread();
}

void TVnFlash::SetThreadPriority(TThreadPriority value)
{
    if (AssignIfChanged(priority_, value)) UpdateThread();
}

void TVnFlash::SetOnTimer(TNotifyEvent handler)
{
    const bool changed = handler.Assigned() != onTimer_.Assigned();
    onTimer_ = std::move(handler);
    if (changed) UpdateThread();
}

bool TVnFlash::Running() const { return timer_ && timer_->Enabled(); }

void TVnFlash::UpdateThread()
{
    if (!timer_) return;
    timer_->SetEnabled(false);
    timer_->SetInterval(interval_);
    if (interval_ == 0 || !enabled_ || !onTimer_) return;
    timer_->SetEnabled(true);
}

void TVnFlash::DoTimer()
{
    if (enabled_ && !IsDestroying() && onTimer_) onTimer_(this);
}

void TVnFlash::TimerFired(TObject*) { DoTimer(); }

// ---- TVnFlashTimer ----

TV_PUBLISHED(TVnFlashTimer) {}

TVnFlashTimer::TVnFlashTimer(TComponent* owner) : TVnFlash(owner)
{
    if (++state().timerCount == 1) {
        SetOnTimer(TNotifyEvent([](TObject*) { FlashTick(); }));
    } else {
        Application->MessageBox("Only one TVnFlashTimer per Application!\rRemove it...", "Error Message", MB_OK);
    }
}

TVnFlashTimer::~TVnFlashTimer()
{
    auto& s = state();
    --s.timerCount;
    if (s.timer == this) {
        s.timer = nullptr;
        s.freePending = false;
    }
}
