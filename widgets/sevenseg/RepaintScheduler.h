#pragma once
// When an instrument control repaints: changes are collected during an update and, with the
// frame-rate limit on, held back until one frame period has passed since the last repaint.
// A held-back change arms a single-shot flush so the last value always reaches the screen.
#include <cstdint>
#include <functional>

class TRepaintScheduler {
public:
    using Clock = std::function<double()>;                   // milliseconds, monotonic
    using Invalidate = std::function<void()>;                // ask the platform for a paint
    using ArmFlush = std::function<void(unsigned delayMs)>;  // single-shot; re-arming replaces

    TRepaintScheduler(Clock clock, Invalidate invalidate, ArmFlush armFlush);

    void ForegroundChange();  // InvalidateChange
    void BackgroundChange();  // BackGroundChange (the caller marks its background dirty)
    void BeginUpdate();
    void EndUpdate();
    void RepaintIfDue();
    void DoRepaint();
    void Flush();  // the single-shot flush fired

    bool Updating() const { return updating_; }
    bool ForegroundPending() const { return foregroundPending_; }
    bool BackgroundPending() const { return backgroundPending_; }
    bool AnyPending() const { return foregroundPending_ || backgroundPending_; }

    bool AutoFrameRate() const { return autoFrameRate_; }
    void SetAutoFrameRate(bool on) { autoFrameRate_ = on; }
    int UpdateFrameRate() const { return updateFrameRate_; }
    void SetUpdateFrameRate(int rate) { updateFrameRate_ = rate; }

    // A new clock has its own time base: the next change repaints at once.
    void SetClock(Clock clock)
    {
        clock_ = std::move(clock);
        repainted_ = false;
    }

private:
    void Change(bool& pendingFlag);
    bool Limited() const { return autoFrameRate_ && updateFrameRate_ > 0; }
    double FramePeriodMs() const { return 1000.0 / updateFrameRate_; }

    Clock clock_;
    Invalidate invalidate_;
    ArmFlush armFlush_;
    bool updating_ = false;
    bool foregroundPending_ = false;
    bool backgroundPending_ = false;
    bool autoFrameRate_ = false;
    int updateFrameRate_ = 60;
    bool repainted_ = false;
    double lastRepaintMs_ = 0;
};
