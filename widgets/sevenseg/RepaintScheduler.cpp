#include "widgets/sevenseg/RepaintScheduler.h"

#include <cmath>

TRepaintScheduler::TRepaintScheduler(Clock clock, Invalidate invalidate, ArmFlush armFlush)
    : clock_(std::move(clock)), invalidate_(std::move(invalidate)), armFlush_(std::move(armFlush))
{
}

void TRepaintScheduler::Change(bool& pendingFlag)
{
    pendingFlag = true;
    if (updating_) return;
    if (autoFrameRate_)
        RepaintIfDue();
    else
        DoRepaint();
}

void TRepaintScheduler::ForegroundChange() { Change(foregroundPending_); }
void TRepaintScheduler::BackgroundChange() { Change(backgroundPending_); }

void TRepaintScheduler::BeginUpdate() { updating_ = true; }

void TRepaintScheduler::EndUpdate()
{
    updating_ = false;
    if (AnyPending()) RepaintIfDue();
}

void TRepaintScheduler::RepaintIfDue()
{
    if (Limited() && repainted_) {
        const double now = clock_();
        const double due = lastRepaintMs_ + FramePeriodMs();
        if (now <= due) {
            // Held back: without this flush a stream that stops would leave an old value showing.
            if (armFlush_) armFlush_(static_cast<unsigned>(std::floor(due - now)) + 1);
            return;
        }
    }
    DoRepaint();
}

void TRepaintScheduler::DoRepaint()
{
    foregroundPending_ = false;
    backgroundPending_ = false;
    lastRepaintMs_ = clock_();
    repainted_ = true;
    if (invalidate_) invalidate_();
}

void TRepaintScheduler::Flush()
{
    if (!updating_ && AnyPending()) RepaintIfDue();
}
