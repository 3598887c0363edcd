#include "chart/animation/ZebAnimate.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Tick.h"

TV_PUBLISHED(TZebAnimation)
{
    Prop("Duration", &TZebAnimation::Duration, &TZebAnimation::SetDuration, 1000);
    Prop("Enabled", &TZebAnimation::Enabled, &TZebAnimation::SetEnabled, true);
    Prop("Inverted", &TZebAnimation::Inverted, &TZebAnimation::SetInverted, false);
    Prop("Loop", &TZebAnimation::Loop, &TZebAnimation::SetLoop, false);
    Prop("Parent", &TZebAnimation::Parent, &TZebAnimation::SetParent);
    Prop("StartTime", &TZebAnimation::StartTime, &TZebAnimation::SetStartTime, 0);
    PropEnum("Timing", &TZebAnimation::Timing, &TZebAnimation::SetTiming, atLinear, TAnimationTimingNames);
    PropEnum("TimingStyle", &TZebAnimation::TimingStyle, &TZebAnimation::SetTimingStyle, atIn,
             TAnimationTimingStyleNames);
    Prop("Title", &TZebAnimation::Title, &TZebAnimation::SetTitle);
    Prop("TwoWay", &TZebAnimation::TwoWay, &TZebAnimation::SetTwoWay, false);
    Prop("OnBegin", &TZebAnimation::OnBegin, &TZebAnimation::OnBegin);
    Prop("OnEnd", &TZebAnimation::OnEnd, &TZebAnimation::OnEnd);
    Prop("OnFrame", &TZebAnimation::OnFrame, &TZebAnimation::OnFrame);
    Prop("OnStop", &TZebAnimation::OnStop, &TZebAnimation::OnStop);
}

TV_PUBLISHED(TCustomZebPanelLink) {}

TV_PUBLISHED(TZebAnimate)
{
    Prop("Loop", &TZebAnimate::Loop, &TZebAnimate::SetLoop, false);
    Prop("Speed", &TZebAnimate::Speed, &TZebAnimate::SetSpeed, 60);
    Prop("SpeedFactor", &TZebAnimate::SpeedFactor, &TZebAnimate::SetSpeedFactor, 1.0)
        .Stored(&TZebAnimate::IsSpeedFactorStored);
    PropEnum("State", &TZebAnimate::State, nullptr, TAnimationStateNames);
    Prop("OnClear", &TZebAnimate::OnClear, &TZebAnimate::OnClear);
    Prop("OnContinue", &TZebAnimate::OnContinue, &TZebAnimate::OnContinue);
    Prop("OnFrame", &TZebAnimate::OnFrame, &TZebAnimate::OnFrame);
    Prop("OnPause", &TZebAnimate::OnPause, &TZebAnimate::OnPause);
    Prop("OnPlay", &TZebAnimate::OnPlay, &TZebAnimate::OnPlay);
    Prop("OnStop", &TZebAnimate::OnStop, &TZebAnimate::OnStop);
}

// The platform's monotonic clock has millisecond resolution already; no counter of its own.
std::uint64_t TimerMilliseconds() { return GetTickCount64(); }

// ---- multi-event timer ----

TMultiTimer::TMultiTimer() = default;

TMultiTimer::~TMultiTimer()
{
    // The platform timer goes first, so no tick reaches the events being freed.
    ticker_.reset();
}

void TMultiTimer::AddEvent(Cardinal interval, bool repeating, const void* id, TTimerCallback callback,
                           TTimerEnableQuery enableQuery)
{
    if (IndexOfEvent(id) >= 0) return;
    auto event = std::make_unique<TTimerEvent>();
    event->Id = id;
    event->Callback = std::move(callback);
    event->EnableQuery = std::move(enableQuery);
    event->Enabled = event->EnableQuery ? event->EnableQuery() : true;
    event->Repeating = repeating;
    event->Interval = std::max<Cardinal>(1, interval);
    const bool enabled = event->Enabled;
    events_.push_back(std::move(event));
    if (enabled) startTicking();
}

int TMultiTimer::IndexOfEvent(const void* id) const
{
    for (size_t i = 0; i < events_.size(); ++i)
        if (events_[i] && events_[i]->Id == id) return static_cast<int>(i);
    return -1;
}

void TMultiTimer::EnableEvent(const void* id, bool enabled)
{
    const int i = IndexOfEvent(id);
    if (i >= 0) events_[static_cast<size_t>(i)]->Enabled = enabled;
    checkTicking();
}

void TMultiTimer::SetEventInterval(const void* id, Cardinal interval)
{
    const int i = IndexOfEvent(id);
    if (i < 0) return;
    auto& event = *events_[static_cast<size_t>(i)];
    event.Interval = std::max<Cardinal>(1, interval);
    event.LastTick = 0;
}

void TMultiTimer::RemoveEvent(const void* id)
{
    const int i = IndexOfEvent(id);
    if (i < 0) return;
    events_[static_cast<size_t>(i)].reset();
    anyRemoved_ = true;
}

void TMultiTimer::startTicking()
{
    if (running_) return;
    if (!ticker_) {
        ticker_ = std::make_unique<TTimer>(nullptr);
        ticker_->SetEnabled(false);
        ticker_->SetInterval(1);
        ticker_->SetOnTimer(TNotifyEvent([this](TObject*) { TickTimers(); }));
    }
    running_ = true;
    ticker_->SetEnabled(true);
}

void TMultiTimer::checkTicking()
{
    const bool needed = std::any_of(events_.begin(), events_.end(), [](const auto& e) {
        return e && e->Enabled && (!e->EnableQuery || e->EnableQuery());
    });
    if (needed) {
        startTicking();
    } else if (running_) {
        running_ = false;
        if (ticker_) ticker_->SetEnabled(false);
    }
}

void TMultiTimer::TickTimers()
{
    if (!running_) return;
    const auto now = static_cast<std::int64_t>(TimerMilliseconds());
    const size_t count = events_.size();
    for (size_t i = 0; i < count && i < events_.size(); ++i) {
        TTimerEvent* event = events_[i].get();
        if (!event || !event->Enabled) continue;
        const std::int64_t t = now / static_cast<std::int64_t>(event->Interval);
        if (t <= event->LastTick) continue;
        event->LastTick = t;
        event->Callback();
        // The callback may have removed its own entry.
        if (i < events_.size() && events_[i].get() == event && !event->Repeating) event->Enabled = false;
    }
    if (anyRemoved_) {
        std::erase_if(events_, [](const auto& e) { return !e; });
        anyRemoved_ = false;
        checkTicking();
    }
}

namespace {
std::unique_ptr<TMultiTimer>& timerSlot()
{
    static std::unique_ptr<TMultiTimer> timer;
    return timer;
}
}  // namespace

TMultiTimer& AnimationTimer()
{
    auto& slot = timerSlot();
    if (!slot) slot = std::make_unique<TMultiTimer>();
    return *slot;
}

void FreeAnimationTimer() { timerSlot().reset(); }

TMultiTimer* ExistingAnimationTimer() { return timerSlot().get(); }

// ---- easing ----

float EaseFraction(TAnimationTiming timing, TAnimationTimingStyle style, float x)
{
    if (timing == atLinear) return x;
    float t = x;
    if (style == atOut)
        t = 1.0f - x;
    else if (style == atInOut)
        t = x <= 0.5f ? 2.0f * x : 2.0f - 2.0f * x;
    float y = t;
    switch (timing) {
        case atSine: y = 1.0f - std::cos(t * std::numbers::pi_v<float> / 2.0f); break;
        case atSquare: y = t * t; break;
        // 2^t - 1 runs from 0 to 1; halving 2^t would start half-way.
        case atExp: y = std::exp2(t) - 1.0f; break;
        case atCubic: y = t * t * t; break;
        case atBack: y = 4.0f * t * t * t - 3.0f * t * t; break;
        case atElastic: y = 33.0f * std::pow(t, 5.0f) - 59.0f * std::pow(t, 4.0f) + 32.0f * t * t * t - 5.0f * t * t; break;
        case atBounce: {
            const float u = 1.0f - t;
            float b;
            if (u < 1.0f / 2.75f)
                b = 7.5625f * u * u;
            else if (u < 2.0f / 2.75f)
                b = 7.5625f * (u - 1.5f / 2.75f) * (u - 1.5f / 2.75f) + 0.75f;
            else if (u < 2.5f / 2.75f)
                b = 7.5625f * (u - 2.25f / 2.75f) * (u - 2.25f / 2.75f) + 0.9375f;
            else
                b = 7.5625f * (u - 2.625f / 2.75f) * (u - 2.625f / 2.75f) + 0.984375f;
            y = 1.0f - b;
            break;
        }
        case atLinear: break;
    }
    if (style == atIn) return y;
    if (style == atOut) return 1.0f - y;
    return x <= 0.5f ? 0.5f * y : 1.0f - 0.5f * y;
}

String AnimationDescription(const String& className)
{
    String s = !className.empty() && (className[0] == 'T' || className[0] == 't') ? className.substr(1) : className;
    if (s != "Animation" && s.size() >= 9 && UpperCase(s.substr(s.size() - 9)) == "ANIMATION") s.resize(s.size() - 9);
    return s;
}

// ---- animation ----

TZebAnimation::TZebAnimation(TComponent* owner) : TComponent(owner) {}

TZebAnimation::~TZebAnimation()
{
    if (animate_) {
        for (TZebAnimation* other : animate_->Animations())
            if (other && other->parent_ == this) other->parent_ = nullptr;
        animate_->Animations().Remove(this);
        animate_ = nullptr;
    }
    if (parent_) {
        TZebAnimation* parent = parent_;
        parent_ = nullptr;
        parent->ChildRemoved(this);
    }
}

void TZebAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebAnimation*>(source)) {
        SetDuration(other->duration_);
        SetEnabled(other->enabled_);
        SetInverted(other->inverted_);
        SetLoop(other->loop_);
        SetStartTime(other->startTime_);
        SetTitle(other->title_);
        SetTiming(other->timing_);
        SetTwoWay(other->twoWay_);
        SetTimingStyle(other->timingStyle_);
        return;
    }
    TComponent::Assign(source);
}

void TZebAnimation::SetDuration(int value)
{
    if (AssignIfChanged(duration_, value) && parent_) parent_->ChildDurationChanged(this);
}

void TZebAnimation::SetEnabled(bool value) { Change(enabled_, value); }
void TZebAnimation::SetInverted(bool value) { Change(inverted_, value); }
void TZebAnimation::SetLoop(bool value) { Change(loop_, value); }
void TZebAnimation::SetStartTime(int value) { Change(startTime_, value); }
void TZebAnimation::SetTiming(TAnimationTiming value) { Change(timing_, value); }
void TZebAnimation::SetTimingStyle(TAnimationTimingStyle value) { Change(timingStyle_, value); }
void TZebAnimation::SetTitle(const String& value) { Change(title_, value); }
void TZebAnimation::SetTwoWay(bool value) { Change(twoWay_, value); }

void TZebAnimation::SetParent(TZebAnimation* value)
{
    if (value == this || parent_ == value) return;
    if (parent_) parent_->RemoveFreeNotification(this);
    parent_ = value;
    if (parent_) {
        parent_->FreeNotification(this);
        parent_->ChildAdded(this);
    }
}

void TZebAnimation::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == parent_) parent_ = nullptr;
    if (component == ownerChart_) ownerChart_ = nullptr;
    if (component == animate_) {
        animate_->Animations().Remove(this);
        animate_ = nullptr;
    }
}

void TZebAnimation::ChildRemoved(TZebAnimation* child)
{
    if (child && child->parent_ == this) child->parent_ = nullptr;
}

TZebAnimate* TZebAnimation::GetAnimate()
{
    if (!animate_) SetAnimate(new TZebAnimate(this));
    return animate_;
}

void TZebAnimation::SetAnimate(TZebAnimate* player)
{
    if (animate_ == player) return;
    if (animate_) {
        animate_->Animations().Remove(this);
        animate_->RemoveFreeNotification(this);
    }
    animate_ = player;
    if (animate_) {
        animate_->FreeNotification(this);
        if (animate_->Animations().IndexOf(this) < 0) animate_->Animations().AddAnimation(this);
    }
}

TComponent* TZebAnimation::GetParentComponent() const { return animate_; }

void TZebAnimation::SetParentComponent(TComponent* value)
{
    if (auto* player = dynamic_cast<TZebAnimate*>(value)) SetAnimate(player);
}

void TZebAnimation::ReadState(TReader& reader)
{
    TComponent::ReadState(reader);
    if (auto* player = dynamic_cast<TZebAnimate*>(reader.Parent())) SetAnimate(player);
}

void TZebAnimation::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    // Older files count the start in frames of 60 per second.
    filer.DefineProperty(
        "StartFrame", [this](TReader& r) { SetStartTime(Round(r.ReadInteger() / 0.06)); }, nullptr, false);
}

void TZebAnimation::ApplyEased(float x)
{
    const float e = EaseFraction(x);
    ApplyFraction(e);
    if (OnFrame) OnFrame(this, e);
}

bool TZebAnimation::Finish()
{
    bool freeAnimation = false;
    if (OnEnd) OnEnd(this, freeAnimation);
    return freeAnimation;
}

void TZebAnimation::DoStart()
{
    runState_ = arsRunning;
    if (OnBegin) OnBegin(this);
}

void TZebAnimation::DoStop()
{
    runState_ = arsIdle;
    if (OnStop) OnStop(this);
}

void TZebAnimation::DoPause()
{
    if (runState_ == arsRunning) runState_ = arsPaused;
}

void TZebAnimation::DoResume()
{
    if (runState_ == arsPaused) runState_ = arsRunning;
}

String TZebAnimation::GetDisplayTitle() const
{
    if (!title_.empty()) return title_;
    if (!Name().empty()) return Name();
    return GetDescriptionText();
}

bool TZebAnimation::CanPlay() const { return enabled_ && (!parent_ || parent_->CanPlay()); }

// ---- list ----

int TAnimations::IndexOf(const TZebAnimation* animation) const
{
    auto it = std::find(items_.begin(), items_.end(), animation);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TAnimations::AddAnimation(TZebAnimation* animation)
{
    if (!animation || IndexOf(animation) >= 0) return;
    items_.push_back(animation);
    animation->SetAnimate(player_);
}

void TAnimations::Remove(const TZebAnimation* animation) { std::erase(items_, animation); }

void TAnimations::Clear()
{
    // Entries leave the list before they are freed; one that owns the player, or is already
    // going, is only let go (it frees the player, not the other way round).
    while (!items_.empty()) {
        TZebAnimation* animation = items_.front();
        items_.erase(items_.begin());
        if (!animation) continue;
        animation->animate_ = nullptr;
        player_->RemoveFreeNotification(animation);
        if (animation != player_->Owner() && !animation->IsDestroying()) animation->Free();
    }
    if (!player_->IsDestroying() && !player_->closing_ && player_->OnClear) player_->OnClear(player_);
}

// ---- panel link ----

void TCustomZebPanelLink::SetPanel(TComponent* value)
{
    if (panel_ == value) return;
    if (panel_) panel_->RemoveFreeNotification(this);
    panel_ = value;
    if (panel_) panel_->FreeNotification(this);
}

void TCustomZebPanelLink::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == panel_) panel_ = nullptr;
}

// ---- player ----

TZebAnimate::TZebAnimate(TComponent* owner)
    : TCustomZebPanelLink(owner), animations_(std::make_unique<TAnimations>(this))
{
}

void TZebAnimate::BeforeDestruction()
{
    closing_ = true;
    StopPlaying();
    if (TMultiTimer* timer = ExistingAnimationTimer()) timer->RemoveEvent(this);
    // The list's animations go first, also those the player owns as a component.
    animations_->Clear();
    TCustomZebPanelLink::BeforeDestruction();
}

TZebAnimate::~TZebAnimate()
{
    // A player destroyed without Free still leaves the timer.
    if (state_ != asStopped) StopPlaying();
    if (TMultiTimer* timer = ExistingAnimationTimer()) timer->RemoveEvent(this);
    animations_->Clear();
}

float TZebAnimate::FrameInterval() const { return 1000.0f / static_cast<float>(std::max(1, speed_)); }

Cardinal TZebAnimate::TimerInterval() const
{
    return std::max<Cardinal>(1, static_cast<Cardinal>(FrameInterval()));
}

void TZebAnimate::SetSpeed(int value)
{
    if (!AssignIfChanged(speed_, value)) return;
    if (TMultiTimer* timer = ExistingAnimationTimer()) timer->SetEventInterval(this, TimerInterval());
}

int TZebAnimate::TotalDuration() const
{
    int total = 0;
    for (TZebAnimation* a : *animations_)
        if (a && a->CanPlay()) total = std::max(total, a->EndTime());
    return total;
}

void TZebAnimate::StartPlaying(bool wait, bool processMessages)
{
    (void)wait, (void)processMessages;
    if (state_ == asPaused) {
        ResumePlaying();
        return;
    }
    if (state_ == asPlaying) return;
    frameIndex_ = -1;
    startMs_ = static_cast<Cardinal>(TimerMilliseconds());
    AnimationTimer().AddEvent(TimerInterval(), true, this, [this] { NextFrame(); });
    if (animations_->Count() == 0) return;
    for (int i = 0; i < animations_->Count(); ++i) {
        TZebAnimation* a = animations_->GetAnimation(i);
        if (a->CanPlay()) a->Prepare();
    }
    state_ = asPlaying;
    if (OnPlay) OnPlay(this);
}

void TZebAnimate::NextFrame()
{
    ++frameIndex_;
    const auto now = static_cast<Cardinal>(TimerMilliseconds());
    int elapsed = 0;
    if (frameIndex_ > 0) {
        if (FixedStep)
            elapsed = static_cast<int>(Round(FrameInterval() * frameIndex_ * speedFactor_));
        else
            elapsed = static_cast<int>(Round(static_cast<double>(now - startMs_) * speedFactor_));
    }
    // Walk by index and check membership again: a handler may free animations.
    for (int i = 0; i < animations_->Count(); ++i) {
        TZebAnimation* a = animations_->GetAnimation(i);
        if (!a->CanPlay()) continue;
        int local = elapsed;
        if (a->Loop() && a->Duration() > 0) local = elapsed % a->Duration();
        switch (a->RunState()) {
            case arsIdle:
                if (a->Duration() <= 0) {
                    // A zero-length animation: its end at once.
                    if (local >= a->StartTime()) {
                        a->DoStart();
                        a->ApplyEased(a->Inverted() ? 0.0f : 1.0f);
                        a->DoStop();
                    }
                } else if (a->StartTime() <= local && local < a->EndTime()) {
                    a->DoStart();
                }
                break;
            case arsRunning:
                if (local > a->EndTime()) {
                    if (!a->TwoWay()) a->ApplyEased(a->Inverted() ? 0.0f : 1.0f);
                    a->DoStop();
                    if (a->Loop()) a->DoStart();
                } else {
                    float f = static_cast<float>(local - a->StartTime()) / static_cast<float>(a->Duration());
                    if (a->TwoWay()) f = f > 0.5f ? 1.0f - (f - 0.5f) * 2.0f : f * 2.0f;
                    if (a->Inverted()) f = 1.0f - f;
                    a->ApplyEased(f);
                }
                break;
            case arsPaused: break;
        }
    }
    if (OnFrame) OnFrame(this);
    if (TotalDuration() < elapsed) {
        if (loop_) {
            frameIndex_ = -1;
            startMs_ = now;
        } else {
            StopPlaying();
            if (FreeWhenDone && !freed_) {
                freed_ = true;
                Free();
            }
        }
    }
}

void TZebAnimate::PausePlaying()
{
    if (TMultiTimer* timer = ExistingAnimationTimer()) timer->EnableEvent(this, false);
    for (TZebAnimation* a : *animations_) a->DoPause();
    state_ = asPaused;
    if (OnPause) OnPause(this);
}

void TZebAnimate::ResumePlaying()
{
    for (TZebAnimation* a : *animations_) a->DoResume();
    state_ = asPlaying;
    if (OnContinue) OnContinue(this);
    AnimationTimer().EnableEvent(this, true);
}

void TZebAnimate::StepFrame()
{
    if (state_ == asStopped) return;
    NextFrame();
    if (state_ == asPlaying) PausePlaying();
}

void TZebAnimate::StopPlaying()
{
    if (TMultiTimer* timer = ExistingAnimationTimer()) timer->RemoveEvent(this);
    frameIndex_ = -1;
    if (state_ == asStopped) return;
    for (int i = 0; i < animations_->Count();) {
        TZebAnimation* a = animations_->GetAnimation(i);
        if (!a->CanPlay()) {
            ++i;
            continue;
        }
        // The end state of the direction it runs: an inverted animation ends at 0, a two-way one
        // back where it began.
        if (!loop_) a->ApplyEased(a->Inverted() != a->TwoWay() ? 0.0f : 1.0f);
        a->DoStop();
        if (a->Finish()) {
            a->Free();  // leaves the list; the next one moves into its place
        } else {
            ++i;
        }
    }
    state_ = asStopped;
    if (IsDestroying() || closing_) return;
    if (StopNotify) StopNotify(this);
    if (OnStop) OnStop(this);
}

void TZebAnimate::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    (void)root;
    for (TZebAnimation* a : *animations_) proc(a);
}

TComponent* TZebAnimate::GetChildOwner() { return Owner() ? Owner() : this; }

// ---- class names ----

namespace {
std::unique_ptr<TStringList>& classNamesSlot()
{
    static std::unique_ptr<TStringList> names;
    return names;
}
}  // namespace

TStringList* AnimationClassNames() { return classNamesSlot().get(); }

void RegisterAnimationClass(const TMetaClass& cls)
{
    auto& names = classNamesSlot();
    if (!names) names = std::make_unique<TStringList>();
    if (names->IndexOf(cls.ClassName()) >= 0) return;
    RegisterClass(cls);
    names->Add(cls.ClassName());
}

void FreeAnimationClassNames() { classNamesSlot().reset(); }

String& MacroFolder()
{
    static String folder;
    return folder;
}
