#include "chart/animation/AnimationTools.h"

#include "chart/animation/PropertyAnimations.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {
class TAnimationToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String GalleryName() const override { return TxtAnimation; }
    String GalleryHint() const override { return TxtAnimation; }
};
class TExpandToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String GalleryName() const override { return TxtExpand; }
    String GalleryHint() const override { return TxtExpandsAChartObjectBy; }
};
class TSeriesAnimationToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TSeriesAnimToolEditor"; }
    String GalleryName() const override { return TxtSeriesAnimation; }
    String GalleryHint() const override { return TxtAnimateSeriesPoints; }
};
}  // namespace

TV_PUBLISHED_AS(TZebAnimationTool, TAnimationToolClass)
{
    Prop("Animate", &TZebAnimationTool::Animate, nullptr).Stored(false);
    Prop("AutoPlay", &TZebAnimationTool::AutoPlay, &TZebAnimationTool::SetAutoPlay, false);
    // Stored with the tool: the player is not written as a component of its own.
    Prop("Loop", &TZebAnimationTool::Loop, &TZebAnimationTool::SetLoop, false);
    Prop("Speed", &TZebAnimationTool::Speed, &TZebAnimationTool::SetSpeed, 60);
    Prop("OnPlay", &TZebAnimationTool::OnPlay, &TZebAnimationTool::SetOnPlay);
    Prop("OnStop", &TZebAnimationTool::OnStopPlaying, &TZebAnimationTool::SetOnStopPlaying);
}

TV_PUBLISHED_AS(TZebLegacyAnimation, TAnimationToolClass) {}

TV_PUBLISHED_AS(TExpandAnimation, TExpandToolClass)
{
    // Kept by the inner animation, which is stored as a child.
    Prop("SizeBy", &TExpandAnimation::SizeBy, &TExpandAnimation::SetSizeBy).Stored(false);
    Prop("Speed", &TExpandAnimation::Speed, &TExpandAnimation::SetSpeed).Stored(false);
    PropEnum("Target", &TExpandAnimation::Target, &TExpandAnimation::SetTarget, ClickedPartStyleNames).Stored(false);
    PropEnum("Trigger", &TExpandAnimation::Trigger, &TExpandAnimation::SetTrigger, TAnimationTriggerNames)
        .Stored(false);
}

TV_PUBLISHED_AS(TSeriesAnimationTool, TSeriesAnimationToolClass)
{
    Prop("Delay", &TSeriesAnimationTool::Delay, &TSeriesAnimationTool::SetDelay).Stored(false);
    Prop("DrawEvery", &TSeriesAnimationTool::DrawEvery, &TSeriesAnimationTool::SetDrawEvery).Stored(false);
    Prop("Duration", &TSeriesAnimationTool::Duration, &TSeriesAnimationTool::SetDuration).Stored(false);
    PropEnum("Loop", &TSeriesAnimationTool::SeriesLoop, &TSeriesAnimationTool::SetSeriesLoop,
             TSeriesAnimationLoopNames)
        .Stored(false);
    Prop("Series", &TSeriesAnimationTool::Series, &TSeriesAnimationTool::SetSeries).Stored(false);
    Prop("StartAtMin", &TSeriesAnimationTool::StartAtMin, &TSeriesAnimationTool::SetStartAtMin).Stored(false);
    Prop("StartValue", &TSeriesAnimationTool::StartValue, &TSeriesAnimationTool::SetStartValue).Stored(false);
    Prop("OnStart", &TSeriesAnimationTool::OnStart, &TSeriesAnimationTool::OnStart);
    Prop("OnStep", &TSeriesAnimationTool::OnStep, &TSeriesAnimationTool::OnStep);
    Prop("OnStop", &TSeriesAnimationTool::OnStop, &TSeriesAnimationTool::OnStop);
}

// ---- animation tool ----

TZebAnimationTool::TZebAnimationTool(TComponent* owner) : TZebCustomAnimation(owner) {}

TZebAnimationTool::~TZebAnimationTool()
{
    if (player_) {
        TZebAnimate* player = player_;
        player_ = nullptr;
        player->Free();
    }
}

void TZebAnimationTool::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebAnimationTool*>(source)) {
        autoPlay_ = other->autoPlay_;
        SetLoop(other->GetAnimate()->Loop());
        SetSpeed(other->GetAnimate()->Speed());
    }
    TZebCustomAnimation::Assign(source);
}

TZebAnimate* TZebAnimationTool::GetAnimate()
{
    if (!player_) {
        player_ = new TZebAnimate(this);
        player_->FreeNotification(this);
    }
    return player_;
}

void TZebAnimationTool::Notification(TComponent* component, TOperation operation)
{
    TZebCustomAnimation::Notification(component, operation);
    if (operation == opRemove && component == player_) player_ = nullptr;
}

void TZebAnimationTool::PlayAnimation() { GetAnimate()->StartPlaying(false, true); }

void TZebAnimationTool::StopPlaying()
{
    if (player_ && (player_->IsPlaying() || player_->IsPaused())) player_->StopPlaying();
}

void TZebAnimationTool::PlayUnlessPlaying()
{
    if (!GetAnimate()->IsPlaying()) PlayAnimation();
}

void TZebAnimationTool::ChartDrawStage(TChartDrawStage stage)
{
    (void)stage;
    if (autoPlay_ && !autoPlayed_ && !IsLoading()) {
        autoPlayed_ = true;
        PlayAnimation();
    }
}

void TZebAnimationTool::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TZebCustomAnimation::GetChildren(proc, root);
    if (player_)
        for (TZebAnimation* a : player_->Animations()) proc(a);
}

void TZebAnimationTool::ReadState(TReader& reader)
{
    if (player_ && !keepPlayer_ && !player_->IsLoading()) {
        TZebAnimate* old = player_;
        player_ = nullptr;
        old->Free();
    }
    TZebCustomAnimation::ReadState(reader);
    adoptOwned();
}

void TZebAnimationTool::adoptOwned()
{
    if (ComponentCount() == 0) return;
    if (auto* player = dynamic_cast<TZebAnimate*>(Components(0)); player && player != player_) {
        if (player_) player_->RemoveFreeNotification(this);
        player_ = player;
        player_->FreeNotification(this);
    }
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* a = dynamic_cast<TZebAnimation*>(Components(i));
        if (!a) continue;
        GetAnimate()->Animations().AddAnimation(a);
        // Property animations of a chart tool animate that chart.
        if (auto* p = dynamic_cast<TPropertyAnimation*>(a); p && ParentChart()) p->SetInstance(ParentChart());
    }
}

void TZebAnimationTool::Loaded()
{
    TZebCustomAnimation::Loaded();
    if (ParentChart())
        for (int i = 0; i < ComponentCount(); ++i)
            if (auto* p = dynamic_cast<TPropertyAnimation*>(Components(i)); p && !p->Instance())
                p->SetInstance(ParentChart());
}

// ---- legacy tool ----

TZebLegacyAnimation::TZebLegacyAnimation(TComponent* owner) : TZebAnimationTool(owner) { keepPlayer_ = true; }

TZebLegacyAnimation::~TZebLegacyAnimation()
{
    if (inner_) {
        TZebAnimation* inner = inner_;
        inner_ = nullptr;
        inner->Free();
    }
}

void TZebLegacyAnimation::SetInnerAnimation(TZebAnimation* animation)
{
    if (inner_ == animation) return;
    if (inner_) {
        TZebAnimation* old = inner_;
        inner_ = nullptr;
        old->RemoveFreeNotification(this);
        old->Free();
    }
    inner_ = animation;
    if (inner_) {
        inner_->FreeNotification(this);
        inner_->SetAnimate(GetAnimate());
    }
}

void TZebLegacyAnimation::ReadState(TReader& reader)
{
    // A stream holds the inner animation as a child; the one made at construction would be a
    // second (and its name would clash). Loaded makes one when the stream had none.
    SetInnerAnimation(nullptr);
    TZebAnimationTool::ReadState(reader);
}

void TZebLegacyAnimation::Notification(TComponent* component, TOperation operation)
{
    TZebAnimationTool::Notification(component, operation);
    if (operation == opRemove && component == inner_) inner_ = nullptr;
}

void TZebLegacyAnimation::ensureInner()
{
    // An accepted animation that a stream brought replaces the one made before reading.
    if (player_)
        for (TZebAnimation* a : player_->Animations())
            if (a != inner_ && AcceptsAnimation(a)) {
                SetInnerAnimation(a);
                break;
            }
    if (!inner_) SetInnerAnimation(CreateInnerAnimation());
}

void TZebLegacyAnimation::Loaded()
{
    TZebAnimationTool::Loaded();
    ensureInner();
}

// ---- expand tool ----

TExpandAnimation::TExpandAnimation(TComponent* owner) : TZebLegacyAnimation(owner)
{
    if (!owner || !owner->IsLoading()) ensureInner();
}

TZebAnimation* TExpandAnimation::CreateInnerAnimation()
{
    auto* inner = new TCustomExpandAnimation(this);
    inner->SetName("Animation");  // the stored forms keep named children apart from the tool's own values
    return inner;
}

bool TExpandAnimation::AcceptsAnimation(TZebAnimation* animation) const
{
    return dynamic_cast<TCustomExpandAnimation*>(animation) != nullptr;
}

void TExpandAnimation::SetSizeBy(int value)
{
    if (Expand()) Expand()->SetSizeBy(value);
}

void TExpandAnimation::SetSpeed(int value)
{
    if (Expand()) Expand()->SetDuration(value * 20);
}

void TExpandAnimation::SetTarget(TChartClickedPartStyle value)
{
    if (Expand()) Expand()->SetTarget(value);
}

void TExpandAnimation::SetTrigger(TAnimationTrigger value)
{
    if (Expand()) Expand()->SetTrigger(value);
}

void TExpandAnimation::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TExpandAnimation*>(source)) {
        SetSizeBy(other->SizeBy());
        SetSpeed(other->Speed());
        SetTarget(other->Target());
        SetTrigger(other->Trigger());
    }
    TZebLegacyAnimation::Assign(source);
}

void TExpandAnimation::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    (void)button, (void)shift;
    auto* chart = dynamic_cast<TChart*>(ParentChart());
    TCustomExpandAnimation* inner = Expand();
    if (!chart || !inner) return;
    const TChartClickedPart part = chart->PartAtPoint({x, y});
    if (part.Part != inner->Target()) {
        inner->LastPointIndex = -2;
        return;
    }
    const bool fires = (kind == tmkDown && inner->Trigger() == atMouseClick) ||
                       (kind == tmkMove && inner->Trigger() == atMouseOver);
    if (!fires || inner->RunState() != arsIdle) return;
    if (player_ && player_->State() != asStopped) return;
    if (part.PointIndex == inner->LastPointIndex) return;
    inner->ClickedPart = part;
    inner->LastPointIndex = part.PointIndex;
    GetAnimate()->StartPlaying(false, true);
}

// ---- series animation tool ----

TSeriesAnimationTool::TSeriesAnimationTool(TComponent* owner) : TZebLegacyAnimation(owner)
{
    if (!owner || !owner->IsLoading()) ensureInner();
}

TZebAnimation* TSeriesAnimationTool::CreateInnerAnimation()
{
    auto* inner = new TSeriesAnimation(this);
    inner->SetName("Animation");
    return inner;
}

bool TSeriesAnimationTool::AcceptsAnimation(TZebAnimation* animation) const
{
    return dynamic_cast<TSeriesAnimation*>(animation) != nullptr;
}

void TSeriesAnimationTool::SetInnerAnimation(TZebAnimation* animation)
{
    TZebLegacyAnimation::SetInnerAnimation(animation);
    if (TSeriesAnimation* inner = Inner()) {
        inner->Started = [this](TSeriesAnimation*) {
            if (OnStart) OnStart(this);
        };
        inner->Stepped = [this](TSeriesAnimation*) {
            if (OnStep) OnStep(this, player_ ? player_->FrameIndex() : -1);
        };
        inner->Stopped = [this](TSeriesAnimation*) {
            if (OnStop) OnStop(this);
        };
        if (ParentChart()) inner->SetChart(ParentChart());
    }
}

void TSeriesAnimationTool::SetParentChart(TCustomAxisPanel* value)
{
    TZebLegacyAnimation::SetParentChart(value);
    if (Inner()) Inner()->SetChart(value);
}

void TSeriesAnimationTool::Assign(TPersistent* source)
{
    TZebLegacyAnimation::Assign(source);
    if (auto* other = dynamic_cast<TSeriesAnimationTool*>(source); other && Inner() && other->Inner())
        Inner()->Assign(other->Inner());
}

void TSeriesAnimationTool::SetDelay(int value)
{
    if (Inner()) Inner()->SetStartTime(value);
}
void TSeriesAnimationTool::SetDrawEvery(int value)
{
    if (Inner()) Inner()->SetDrawEvery(value);
}
void TSeriesAnimationTool::SetDuration(int value)
{
    if (Inner()) Inner()->SetDuration(value);
}
void TSeriesAnimationTool::SetSeriesLoop(TSeriesAnimationLoop value)
{
    if (Inner()) Inner()->SetSeriesLoop(value);
}
void TSeriesAnimationTool::SetSeries(TChartSeries* value)
{
    if (Inner()) Inner()->SetSeries(value);
}
void TSeriesAnimationTool::SetStartAtMin(bool value)
{
    if (Inner()) Inner()->SetStartAtMin(value);
}
void TSeriesAnimationTool::SetStartValue(double value)
{
    if (Inner()) Inner()->SetStartValue(value);
}

void TSeriesAnimationTool::DefineProperties(TFiler& filer)
{
    TZebLegacyAnimation::DefineProperties(filer);
    // Older files count the duration in frames of 60 per second; the inner animation may be read
    // after it, so the value waits for Loaded when there is none yet.
    filer.DefineProperty(
        "Steps", [this](TReader& r) { pendingDuration_ = static_cast<int>(Round(r.ReadInteger() / 0.06)); },
        nullptr, false);
}

void TSeriesAnimationTool::Loaded()
{
    TZebLegacyAnimation::Loaded();
    if (pendingDuration_ >= 0) SetDuration(pendingDuration_);
    pendingDuration_ = -1;
}
