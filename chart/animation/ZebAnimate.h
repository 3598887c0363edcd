#pragma once
// The time base and the playing machinery of chart animations: the millisecond clock, the one
// shared multi-event timer, the animation base class, its list and the player.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Assign.h"
#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/rtl/StringList.h"

class TTimer;
class TZebAnimate;
class TZebAnimation;

// Milliseconds of the platform's monotonic tick clock (replaced in tests by SetTickClock).
std::uint64_t TimerMilliseconds();

// ---- multi-event timer ----

using TTimerCallback = std::function<void()>;
using TTimerEnableQuery = std::function<bool()>;

struct TTimerEvent {
    const void* Id = nullptr;  // identifies the event (the registrant)
    TTimerCallback Callback;
    TTimerEnableQuery EnableQuery;  // may be empty
    bool Enabled = true;
    bool Repeating = true;
    std::int64_t LastTick = 0;  // clock div Interval at the last firing
    Cardinal Interval = 1;
};

// Callbacks fired on the GUI thread, each at multiples of its interval on the clock. A platform
// timer of 1 ms runs only while some event is enabled; a late tick fires an event once.
class TMultiTimer {
public:
    TMultiTimer();
    ~TMultiTimer();
    TMultiTimer(const TMultiTimer&) = delete;
    TMultiTimer& operator=(const TMultiTimer&) = delete;

    // Nothing when an event with that id exists.
    void AddEvent(Cardinal interval, bool repeating, const void* id, TTimerCallback callback,
                  TTimerEnableQuery enableQuery = {});
    int IndexOfEvent(const void* id) const;
    void EnableEvent(const void* id, bool enabled);
    // The event fires at the next tick.
    void SetEventInterval(const void* id, Cardinal interval);
    // Leaves an empty entry, compacted after the next tick.
    void RemoveEvent(const void* id);
    // One tick; the platform timer's handler. Nothing happens while the timer is not running.
    void TickTimers();
    bool Running() const { return running_; }
    int EntryCount() const { return static_cast<int>(events_.size()); }

private:
    void startTicking();
    void checkTicking();

    std::vector<std::unique_ptr<TTimerEvent>> events_;
    bool anyRemoved_ = false;
    bool running_ = false;
    std::unique_ptr<TTimer> ticker_;
};

// The program's one animation timer, created on first use.
TMultiTimer& AnimationTimer();
// Frees it (unit shutdown): nothing ticks afterwards, and players freed later leave it alone.
void FreeAnimationTimer();
// The timer when it exists (stopping needs none made).
TMultiTimer* ExistingAnimationTimer();

// ---- animation ----

enum TAnimationState { asStopped, asPlaying, asPaused };
inline constexpr const char* TAnimationStateNames[] = {"asStopped", "asPlaying", "asPaused"};
enum TAnimationTiming { atLinear, atSine, atSquare, atExp, atCubic, atBack, atBounce, atElastic };
inline constexpr const char* TAnimationTimingNames[] = {"atLinear", "atSine",   "atSquare", "atExp",
                                                        "atCubic",  "atBack",   "atBounce", "atElastic"};
enum TAnimationTimingStyle { atIn, atOut, atInOut };
inline constexpr const char* TAnimationTimingStyleNames[] = {"atIn", "atOut", "atInOut"};

enum TAnimationRunState { arsIdle, arsRunning, arsPaused };

using TAnimationEndEvent = TMethodEvent<void(TZebAnimation* Sender, bool& FreeAnimation)>;
using TAnimationFrameEvent = TMethodEvent<void(TZebAnimation* Sender, float Fraction)>;

// Eases a raw fraction by a timing curve and style; 0 and 1 at the ends for every curve.
float EaseFraction(TAnimationTiming timing, TAnimationTimingStyle style, float x);
// "TNumberAnimation" -> "Number"; "TAnimation" stays "Animation".
String AnimationDescription(const String& className);

class TZebAnimation : public TComponent {
    TV_CLASS(TZebAnimation, TComponent)
public:
    explicit TZebAnimation(TComponent* owner);
    ~TZebAnimation() override;
    void Assign(TPersistent* source) override;

    int Duration() const { return duration_; }
    virtual void SetDuration(int value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value);
    bool Loop() const { return loop_; }
    void SetLoop(bool value);
    TZebAnimation* Parent() const { return parent_; }
    virtual void SetParent(TZebAnimation* value);
    int StartTime() const { return startTime_; }
    void SetStartTime(int value);
    TAnimationTiming Timing() const { return timing_; }
    void SetTiming(TAnimationTiming value);
    TAnimationTimingStyle TimingStyle() const { return timingStyle_; }
    void SetTimingStyle(TAnimationTimingStyle value);
    const String& Title() const { return title_; }
    void SetTitle(const String& value);
    bool TwoWay() const { return twoWay_; }
    void SetTwoWay(bool value);

    TNotifyEvent OnBegin, OnStop;
    TAnimationEndEvent OnEnd;
    TAnimationFrameEvent OnFrame;

    TAnimationRunState RunState() const { return runState_; }
    int EndTime() const { return startTime_ + duration_ - 1; }
    // The player, created (owned by this animation) when there is none.
    TZebAnimate* GetAnimate();
    TZebAnimate* Animate() const { return animate_; }
    virtual void SetAnimate(TZebAnimate* player);
    TComponent* OwnerChart() const { return ownerChart_; }
    void SetOwnerChart(TComponent* chart) { ownerChart_ = chart; }
    const String& BaseFolder() const { return baseFolder_; }
    virtual void SetBaseFolder(const String& path) { baseFolder_ = path; }

    float EaseFraction(float x) const { return ::EaseFraction(timing_, timingStyle_, x); }
    void ApplyEased(float x);

    virtual void ApplyFraction(float fraction) { (void)fraction; }
    // Puts back what Prepare kept; true: the caller frees this animation.
    virtual bool Finish();
    virtual String GetDescriptionText() const { return AnimationDescription(ClassName()); }
    virtual bool AcceptsPanel(TComponent* panel) const { return (void)panel, true; }
    virtual bool IsTargetAllowed(TObject* target, bool flag) const { return target && !flag; }
    virtual void DoResume();
    virtual void DoPause();
    virtual void DoStart();
    virtual void DoStop();
    virtual void Prepare() {}
    virtual String EditorFormClassName() const { return "TAnimationEditor"; }
    virtual String GetDisplayTitle() const;
    virtual bool CanPlay() const;
    virtual void DefaultValues() {}
    virtual void ChildAdded(TZebAnimation* child) { (void)child; }
    virtual void ChildDurationChanged(TZebAnimation* child) { (void)child; }
    virtual void ChildRemoved(TZebAnimation* child);
    virtual bool ControlsChildStart() const { return false; }

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;

protected:
    void DefineProperties(TFiler& filer) override;
    void ReadState(TReader& reader) override;
    void Notification(TComponent* component, TOperation operation) override;

    template <class V>
    void Change(V& field, V value)
    {
        AssignIfChanged(field, std::move(value));
    }

private:
    friend class TAnimations;
    int duration_ = 1000;
    bool enabled_ = true;
    bool inverted_ = false;
    bool loop_ = false;
    TZebAnimation* parent_ = nullptr;
    int startTime_ = 0;
    TAnimationTiming timing_ = atLinear;
    TAnimationTimingStyle timingStyle_ = atIn;
    String title_;
    bool twoWay_ = false;

    TAnimationRunState runState_ = arsIdle;
    TZebAnimate* animate_ = nullptr;
    TComponent* ownerChart_ = nullptr;
    String baseFolder_;
};

// The list of a player: animations in play order. Entries are not owned by the list; the player
// frees them when it is cleared or freed.
class TAnimations {
public:
    explicit TAnimations(TZebAnimate* player) : player_(player) {}
    TAnimations(const TAnimations&) = delete;
    TAnimations& operator=(const TAnimations&) = delete;

    TZebAnimate* Player() const { return player_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TZebAnimation* GetAnimation(int index) const { return items_[static_cast<size_t>(index)]; }
    int IndexOf(const TZebAnimation* animation) const;
    // Adds it once and points it at the player.
    void AddAnimation(TZebAnimation* animation);
    void Remove(const TZebAnimation* animation);
    // Frees every animation, then the player's OnClear.
    void Clear();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    TZebAnimate* player_;
    std::vector<TZebAnimation*> items_;
};

// A chart panel reference kept with a free notification.
class TCustomZebPanelLink : public TComponent {
    TV_CLASS(TCustomZebPanelLink, TComponent)
public:
    using TComponent::TComponent;
    TComponent* Panel() const { return panel_; }
    void SetPanel(TComponent* value);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComponent* panel_ = nullptr;
};

class TZebAnimate : public TCustomZebPanelLink {
    TV_CLASS(TZebAnimate, TCustomZebPanelLink)
public:
    explicit TZebAnimate(TComponent* owner);
    ~TZebAnimate() override;
    void BeforeDestruction() override;

    TAnimations& Animations() { return *animations_; }
    const TAnimations& Animations() const { return *animations_; }
    bool Loop() const { return loop_; }
    void SetLoop(bool value) { loop_ = value; }
    int Speed() const { return speed_; }
    void SetSpeed(int value);
    double SpeedFactor() const { return speedFactor_; }
    void SetSpeedFactor(double value) { speedFactor_ = value; }
    TAnimationState State() const { return state_; }

    TNotifyEvent OnClear, OnContinue, OnFrame, OnPause, OnPlay, OnStop;
    // Called with the player just before OnStop (the Animations page).
    std::function<void(TZebAnimate*)> StopNotify;

    int FrameIndex() const { return frameIndex_; }
    Cardinal StartMs() const { return startMs_; }
    bool FixedStep = false;     // elapsed time counted in frames, not read from the clock
    bool FreeWhenDone = false;  // the player frees itself after a pass that ends

    // Wait and ProcessMessages are accepted for callers that name them; playing never blocks.
    void StartPlaying(bool wait = false, bool processMessages = true);
    void PausePlaying();
    void ResumePlaying();
    void StopPlaying();
    void StepFrame();
    bool IsPlaying() const { return state_ == asPlaying; }
    bool IsPaused() const { return state_ == asPaused; }
    int TotalDuration() const;
    float FrameInterval() const;
    // The timer interval: the frame interval truncated, at least 1 ms.
    Cardinal TimerInterval() const;
    TZebAnimation* GetAnimation(int index) const { return animations_->GetAnimation(index); }
    // The timer's callback: one frame.
    void NextFrame();

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override;

    bool IsSpeedFactorStored() const { return speedFactor_ != 1.0; }

private:

    std::unique_ptr<TAnimations> animations_;
    bool loop_ = false;
    int speed_ = 60;
    double speedFactor_ = 1.0;
    TAnimationState state_ = asStopped;
    int frameIndex_ = -1;
    Cardinal startMs_ = 0;
    bool freed_ = false;
    bool closing_ = false;  // being freed: no stop or clear events
    friend class TAnimations;
};

// Registered animation class names, in registration order (created on first registration).
TStringList* AnimationClassNames();
// Registers the class with the class library and appends its name, once.
void RegisterAnimationClass(const TMetaClass& cls);
void FreeAnimationClassNames();
// Folder that "$(ZEBFORGE)\" in a sound file name stands for.
String& MacroFolder();
