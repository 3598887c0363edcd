#include <gtest/gtest.h>

#include <optional>

#include "widgets/sevenseg/RepaintScheduler.h"

namespace {

// A scheduler on a hand-driven clock that records invalidations and the flush it armed.
struct Rig {
    double now = 1000.0;
    int invalidations = 0;
    std::optional<unsigned> flushDelay;
    TRepaintScheduler s{[this] { return now; }, [this] { ++invalidations; }, [this](unsigned d) { flushDelay = d; }};

    // Lets the armed flush fire once its delay has passed.
    void RunFlush()
    {
        ASSERT_TRUE(flushDelay.has_value());
        now += *flushDelay;
        flushDelay.reset();
        s.Flush();
    }
};

TEST(RepaintScheduler, WithoutLimitEveryChangeInvalidates)
{
    Rig r;
    for (int i = 0; i < 3; ++i) r.s.ForegroundChange();
    r.s.BackgroundChange();
    EXPECT_EQ(r.invalidations, 4);
    EXPECT_FALSE(r.s.AnyPending());
    EXPECT_FALSE(r.flushDelay);
}

TEST(RepaintScheduler, UpdateCollectsChangesIntoOneInvalidation)
{
    Rig r;
    r.s.BeginUpdate();
    r.s.ForegroundChange();
    r.s.BackgroundChange();
    r.s.BeginUpdate();  // not counted: the first EndUpdate ends it
    EXPECT_EQ(r.invalidations, 0);
    EXPECT_TRUE(r.s.ForegroundPending());
    EXPECT_TRUE(r.s.BackgroundPending());
    r.s.EndUpdate();
    EXPECT_EQ(r.invalidations, 1);
    EXPECT_FALSE(r.s.Updating());
    r.s.EndUpdate();  // nothing pending any more
    EXPECT_EQ(r.invalidations, 1);
}

TEST(RepaintScheduler, FrameRateLimitHoldsChangesWithinOnePeriod)
{
    Rig r;
    r.s.SetAutoFrameRate(true);  // 60 per second: 16.67 ms
    r.s.ForegroundChange();
    r.now += 2;
    r.s.ForegroundChange();
    r.now += 2;
    r.s.ForegroundChange();
    EXPECT_EQ(r.invalidations, 1);
    EXPECT_TRUE(r.s.ForegroundPending());
    // A later change after the period shows the last value.
    r.now += 13;  // 17 ms after the repaint
    r.s.ForegroundChange();
    EXPECT_EQ(r.invalidations, 2);
    EXPECT_FALSE(r.s.AnyPending());
}

TEST(RepaintScheduler, HeldBackChangeIsFlushedOnceThePeriodHasPassed)
{
    Rig r;
    r.s.SetAutoFrameRate(true);
    r.s.ForegroundChange();  // repaint at 1000
    r.now += 5;
    r.s.ForegroundChange();  // held: due after 1016.67
    ASSERT_TRUE(r.flushDelay);
    EXPECT_EQ(*r.flushDelay, 12u);
    EXPECT_EQ(r.invalidations, 1);
    r.RunFlush();  // the stream stopped: nothing else comes
    EXPECT_EQ(r.invalidations, 2);
    EXPECT_FALSE(r.s.AnyPending());
    EXPECT_FALSE(r.flushDelay);
}

TEST(RepaintScheduler, FlushWithNothingPendingOrDuringAnUpdateDoesNothing)
{
    Rig r;
    r.s.SetAutoFrameRate(true);
    r.s.ForegroundChange();
    r.now += 1;
    r.s.ForegroundChange();
    r.now += 1;
    r.s.ForegroundChange();  // re-arms; the earlier flush is replaced
    r.s.BeginUpdate();
    r.RunFlush();
    EXPECT_EQ(r.invalidations, 1);  // held by the update
    r.s.EndUpdate();
    EXPECT_EQ(r.invalidations, 2);
    r.s.Flush();
    EXPECT_EQ(r.invalidations, 2);
}

TEST(RepaintScheduler, RateZeroOrLimitOffRepaintsAtOnce)
{
    struct Case {
        bool autoRate;
        int rate;
    };
    for (const Case c : {Case{true, 0}, Case{false, 60}, Case{true, -5}}) {
        Rig r;
        r.s.SetAutoFrameRate(c.autoRate);
        r.s.SetUpdateFrameRate(c.rate);
        r.s.ForegroundChange();
        r.s.ForegroundChange();
        EXPECT_EQ(r.invalidations, 2) << c.autoRate << " " << c.rate;
    }
}

TEST(RepaintScheduler, SlowRateHoldsLonger)
{
    Rig r;
    r.s.SetAutoFrameRate(true);
    r.s.SetUpdateFrameRate(2);  // 500 ms
    r.s.ForegroundChange();
    r.now += 499;
    r.s.ForegroundChange();
    EXPECT_EQ(r.invalidations, 1);
    EXPECT_EQ(*r.flushDelay, 2u);
    r.now += 1;  // exactly one period: still not later than it
    r.s.ForegroundChange();
    EXPECT_EQ(r.invalidations, 1);
    r.now += 1;
    r.s.ForegroundChange();
    EXPECT_EQ(r.invalidations, 2);
}

}  // namespace
