#pragma once
// Animations kept in a chart's Animations list: a tool owning a player with any animations, and
// the tools wrapping one inner animation (pointer expand, series values).
#include "chart/animation/ChartAnimations.h"
#include "chart/animation/ZebAnimations.h"
#include "chart/core/ChartTools.h"

class TZebAnimationTool : public TZebCustomAnimation {
    TV_CLASS(TZebAnimationTool, TZebCustomAnimation)
public:
    explicit TZebAnimationTool(TComponent* owner);
    ~TZebAnimationTool() override;
    void Assign(TPersistent* source) override;

    TZebAnimate* Animate() { return GetAnimate(); }
    TZebAnimate* GetAnimate();
    bool AutoPlay() const { return autoPlay_; }
    void SetAutoPlay(bool value) { autoPlay_ = value; }
    bool Loop() { return GetAnimate()->Loop(); }
    void SetLoop(bool value) { GetAnimate()->SetLoop(value); }
    int Speed() { return GetAnimate()->Speed(); }
    void SetSpeed(int value) { GetAnimate()->SetSpeed(value); }
    TNotifyEvent OnPlay() { return GetAnimate()->OnPlay; }
    void SetOnPlay(const TNotifyEvent& e) { GetAnimate()->OnPlay = e; }
    TNotifyEvent OnStopPlaying() { return GetAnimate()->OnStop; }
    void SetOnStopPlaying(const TNotifyEvent& e) { GetAnimate()->OnStop = e; }

    void PlayAnimation() override;
    void StopPlaying();
    void PausePlaying() { GetAnimate()->PausePlaying(); }
    void ResumePlaying() { GetAnimate()->ResumePlaying(); }
    bool IsPlaying() { return GetAnimate()->IsPlaying(); }
    bool IsPaused() { return GetAnimate()->IsPaused(); }
    TAnimations& GetAnimations() { return GetAnimate()->Animations(); }
    void PlayUnlessPlaying();

    void ChartDrawStage(TChartDrawStage stage) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }
    void Loaded() override;

protected:
    void ReadState(TReader& reader) override;
    void Notification(TComponent* component, TOperation operation) override;
    bool keepPlayer_ = false;  // a player present when the tool is read stays
    TZebAnimate* player_ = nullptr;

private:
    void adoptOwned();

    bool autoPlay_ = false;
    bool autoPlayed_ = false;
};

class TZebLegacyAnimation : public TZebAnimationTool {
    TV_CLASS(TZebLegacyAnimation, TZebAnimationTool)
public:
    explicit TZebLegacyAnimation(TComponent* owner);
    ~TZebLegacyAnimation() override;

    TZebAnimation* InnerAnimation() const { return inner_; }
    virtual TZebAnimation* CreateInnerAnimation() = 0;
    virtual void SetInnerAnimation(TZebAnimation* animation);
    virtual bool AcceptsAnimation(TZebAnimation* animation) const = 0;
    void Loaded() override;

protected:
    void ReadState(TReader& reader) override;
    void Notification(TComponent* component, TOperation operation) override;
    // Ensures an inner animation after construction or reading.
    void ensureInner();

private:
    TZebAnimation* inner_ = nullptr;
};

class TExpandAnimation : public TZebLegacyAnimation {
    TV_CLASS(TExpandAnimation, TZebLegacyAnimation)
public:
    explicit TExpandAnimation(TComponent* owner);
    void Assign(TPersistent* source) override;

    TCustomExpandAnimation* Expand() const { return static_cast<TCustomExpandAnimation*>(InnerAnimation()); }
    int SizeBy() const { return Expand() ? Expand()->SizeBy() : 10; }
    void SetSizeBy(int value);
    int Speed() const { return Expand() ? Expand()->Duration() / 20 : 10; }
    void SetSpeed(int value);
    TChartClickedPartStyle Target() const { return Expand() ? Expand()->Target() : cpSeriesPointer; }
    void SetTarget(TChartClickedPartStyle value);
    TAnimationTrigger Trigger() const { return Expand() ? Expand()->Trigger() : atMouseOver; }
    void SetTrigger(TAnimationTrigger value);

    TZebAnimation* CreateInnerAnimation() override;
    bool AcceptsAnimation(TZebAnimation* animation) const override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;
};

using TSeriesAnimationStep = TMethodEvent<void(class TSeriesAnimationTool* Sender, int Step)>;

class TSeriesAnimationTool : public TZebLegacyAnimation {
    TV_CLASS(TSeriesAnimationTool, TZebLegacyAnimation)
public:
    explicit TSeriesAnimationTool(TComponent* owner);
    void Assign(TPersistent* source) override;

    TSeriesAnimation* Inner() const { return static_cast<TSeriesAnimation*>(InnerAnimation()); }
    int Delay() const { return Inner() ? Inner()->StartTime() : 0; }
    void SetDelay(int value);
    int DrawEvery() const { return Inner() ? Inner()->DrawEvery() : 0; }
    void SetDrawEvery(int value);
    int Duration() const { return Inner() ? Inner()->Duration() : 1000; }
    void SetDuration(int value);
    TSeriesAnimationLoop SeriesLoop() const { return Inner() ? Inner()->SeriesLoop() : salNo; }
    void SetSeriesLoop(TSeriesAnimationLoop value);
    TChartSeries* Series() const { return Inner() ? Inner()->Series() : nullptr; }
    void SetSeries(TChartSeries* value);
    bool StartAtMin() const { return Inner() ? Inner()->StartAtMin() : true; }
    void SetStartAtMin(bool value);
    double StartValue() const { return Inner() ? Inner()->StartValue() : 0; }
    void SetStartValue(double value);

    TNotifyEvent OnStart;
    TSeriesAnimationStep OnStep;
    TNotifyEvent OnStop;

    TZebAnimation* CreateInnerAnimation() override;
    bool AcceptsAnimation(TZebAnimation* animation) const override;
    void SetInnerAnimation(TZebAnimation* animation) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void Loaded() override;

protected:
    void DefineProperties(TFiler& filer) override;

private:
    int pendingDuration_ = -1;  // "Steps" of an older file, applied once the inner animation is there
};
