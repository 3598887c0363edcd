#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/Tick.h"
#include "widgets/meters/FlashTimer.h"

namespace {

// Records the flash messages it receives.
class FlashProbe : public TGraphicControl {
public:
    explicit FlashProbe(TComponent* owner = nullptr) : TGraphicControl(owner) {}
    std::vector<std::pair<intptr, intptr>> got;

protected:
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_FLASH) {
            got.emplace_back(m.WParam, m.LParam);
            return;
        }
        TGraphicControl::WndProc(m);
    }
};

std::uint64_t clockNow = 0;
std::vector<std::pair<Cardinal, std::int32_t>> calls;
void recordCall(Cardinal counter, std::int32_t arg) { calls.emplace_back(counter, arg); }
void otherCall(Cardinal counter, std::int32_t arg) { calls.emplace_back(counter, arg + 1000); }
void throwingCall(Cardinal, std::int32_t) { throw std::runtime_error("handler failed"); }
void unregisterSelf(Cardinal counter, std::int32_t arg)
{
    calls.emplace_back(counter, arg);
    UnregisterFlashCallback(&unregisterSelf);
}
void freeTimerInsideTick(Cardinal, std::int32_t)
{
    calls.emplace_back(0, 0);
    FreeFlashTimer();
}

class FlashTimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        while (FlashEntryCount() > 0) DeleteFlashEntry(0);
        FreeFlashTimer();
        clockNow = 1000;
        SetTickClock([] { return clockNow; });
        SetFlashCounter(0);
        calls.clear();
    }
    void TearDown() override
    {
        while (FlashEntryCount() > 0) DeleteFlashEntry(0);
        FreeFlashTimer();
        SetTickClock({});
    }
    static void ticks(int n, std::uint64_t step = 16)
    {
        for (int i = 0; i < n; ++i) {
            clockNow += step;
            FlashTick();
        }
    }
};

}  // namespace

TEST_F(FlashTimerTest, FirstRegistrationCreatesTheTimer)
{
    EXPECT_EQ(FlashTimer(), nullptr);
    FlashProbe probe;
    RegisterFlashControl(&probe, 4);
    ASSERT_NE(FlashTimer(), nullptr);
    EXPECT_TRUE(FlashTimer()->Running());
    RegisterFlashControl(nullptr, 4);
    RegisterFlashCallback(nullptr, 4);
    EXPECT_EQ(FlashEntryCount(), 1);
    UnregisterFlashControl(&probe);
}

TEST_F(FlashTimerTest, RegisteringTwiceUpdatesTheOneEntry)
{
    FlashProbe probe;
    RegisterFlashControl(&probe, 5);
    RegisterFlashControl(&probe, 3);
    ASSERT_EQ(FlashEntryCount(), 1);
    EXPECT_EQ(FlashEntry(0)->Interval, 3);
    RegisterFlashCallback(&recordCall, 4);
    RegisterFlashCallback(&recordCall, 6);
    EXPECT_EQ(FlashEntryCount(), 2);
    EXPECT_EQ(FlashEntry(1)->Interval, 6);
    EXPECT_EQ(FlashEntry(1)->Control, nullptr);
    UnregisterFlashControl(&probe);
}

TEST_F(FlashTimerTest, UnregisteringAnUnknownTargetChangesNothing)
{
    FlashProbe a, b;
    RegisterFlashControl(&a, 4);
    RegisterFlashCallback(&recordCall, 4);
    UnregisterFlashControl(&b);
    UnregisterFlashCallback(&otherCall);
    DeleteFlashEntry(5);
    DeleteFlashEntry(-1);
    EXPECT_EQ(FlashEntryCount(), 2);
    UnregisterFlashControl(&a);
    EXPECT_EQ(FlashEntryCount(), 1);
}

TEST_F(FlashTimerTest, BlinkCodeFiveTogglesEveryThirtyTwoTicks)
{
    FlashProbe probe;
    RegisterFlashControl(&probe, FlashCodeOf(ff1Hz));
    ticks(200);
    const std::vector<std::pair<intptr, intptr>> expected = {{32, 1}, {64, 0}, {96, 1}, {128, 0}, {160, 1}, {192, 0}};
    EXPECT_EQ(probe.got, expected);
    UnregisterFlashControl(&probe);
}

TEST_F(FlashTimerTest, BlinkingGoesOnAcrossTheCounterWrap)
{
    FlashProbe probe;
    SetFlashCounter(0xFFFFFFFFu - 20);
    RegisterFlashControl(&probe, FlashCodeOf(ff8Hz));
    ticks(60);
    ASSERT_GE(probe.got.size(), 10u);
    for (std::size_t i = 1; i < probe.got.size(); ++i) {
        EXPECT_NE(probe.got[i].second, probe.got[i - 1].second) << i;
        EXPECT_EQ(Cardinal(probe.got[i].first - probe.got[i - 1].first), 4u) << i;
    }
    EXPECT_LT(FlashCounter(), 100u);
    UnregisterFlashControl(&probe);
}

TEST_F(FlashTimerTest, MillisecondTimerFiresWithItsLateness)
{
    RegisterFlashCallback(&recordCall, 100);  // due at 1100
    struct Step {
        std::uint64_t at;
        bool fires;
        std::int32_t late;
    };
    const Step steps[] = {
        {1099, false, 0}, {2600, true, 0},   // 1500 late: lateness 0, next due a full interval after now
        {2699, false, 0}, {2730, true, 30},  // next due 2800 - 30
        {2799, false, 0}, {2805, true, 5},
    };
    for (const auto& s : steps) {
        calls.clear();
        clockNow = s.at;
        FlashTick();
        ASSERT_EQ(calls.size(), s.fires ? 1u : 0u) << "at " << s.at;
        if (s.fires) {
            EXPECT_EQ(calls[0].second, s.late) << "at " << s.at;
        }
    }
}

TEST_F(FlashTimerTest, MillisecondTimerSurvivesTheTickWrap)
{
    clockNow = 0xFFFFFFFFull - 49;  // 50 ms before the 32-bit tick wraps
    RegisterFlashCallback(&recordCall, 100);
    struct Step {
        std::uint64_t at;
        bool fires;
        std::int32_t late;
    };
    const Step steps[] = {
        {0xFFFFFFFFull - 9, false, 0},    {0x100000000ull + 49, false, 0},  {0x100000000ull + 50, true, 0},
        {0x100000000ull + 140, false, 0}, {0x100000000ull + 160, true, 10},
    };
    for (const auto& s : steps) {
        calls.clear();
        clockNow = s.at;
        FlashTick();
        ASSERT_EQ(calls.size(), s.fires ? 1u : 0u) << "at " << std::hex << s.at;
        if (s.fires) {
            EXPECT_EQ(calls[0].second, s.late);
        }
    }
}

TEST_F(FlashTimerTest, OnceASecondCatchesUpAfterALateTick)
{
    RegisterFlashCallback(&recordCall, FlashEverySecond);  // creates the timer: next second at 2000
    ticks(186);                                            // to 3976
    EXPECT_EQ(calls.size(), 2u);
    for (const auto& c : calls) EXPECT_EQ(c.second, 0);
    calls.clear();
    clockNow = 6500;
    FlashTick();  // 4000 passed: flag, next 5000
    FlashTick();  // 5000 passed: flag, next 6000
    FlashTick();  // 6000 passed: flag, next 7000
    FlashTick();
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(FlashTimerTest, AFailingHandlerDoesNotStopTheOthers)
{
    RegisterFlashCallback(&throwingCall, 0);  // a period of 0: due on every tick
    RegisterFlashCallback(&recordCall, 0);
    EXPECT_NO_THROW(ticks(3));
    EXPECT_EQ(calls.size(), 3u);
}

TEST_F(FlashTimerTest, HandlersMayUnregisterDuringTheTick)
{
    RegisterFlashCallback(&unregisterSelf, 0);
    RegisterFlashCallback(&otherCall, 0);
    ticks(2);
    EXPECT_EQ(FlashEntryCount(), 1);
    // The entry after the removed one moved down and is visited from the next tick on.
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_LT(calls.front().second, 1000);  // unregisterSelf, on the first tick
    EXPECT_GE(calls.back().second, 1000);   // otherCall, on the second
    EXPECT_EQ(calls.back().first, 2u);
}

TEST_F(FlashTimerTest, FreeingTheTimerInsideItsCycleWaitsForTheCycleToEnd)
{
    RegisterFlashCallback(&freeTimerInsideTick, 0);
    ASSERT_NE(FlashTimer(), nullptr);
    FlashTick();
    ASSERT_NE(FlashTimer(), nullptr);  // still there, but stopped
    EXPECT_FALSE(FlashTimer()->Running());
    EnsureFlashTimer();  // taken back into service
    EXPECT_TRUE(FlashTimer()->Running());
    FlashTick();
    FreeFlashTimer();  // outside a cycle: gone
    EXPECT_EQ(FlashTimer(), nullptr);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(FlashTimerTest, TheTimerRunsFromTheMessageLoop)
{
    SetTickClock({});
    RegisterFlashCallback(&recordCall, FlashCodeOf(ff8Hz));
    for (int i = 0; i < 40 && calls.empty(); ++i) testkit::Pump(25);
    EXPECT_FALSE(calls.empty());
}

TEST(FlashComponent, RunsOnlyWhenEnabledWithAHandlerAndAnInterval)
{
    TVnFlash flash(nullptr);
    EXPECT_FALSE(flash.Running());
    int fired = 0;
    flash.SetOnTimer(TNotifyEvent([&](TObject*) { ++fired; }));
    EXPECT_TRUE(flash.Running());
    flash.SetEnabled(false);
    EXPECT_FALSE(flash.Running());
    flash.SetEnabled(true);
    flash.SetInterval(0);
    EXPECT_FALSE(flash.Running());
    flash.SetInterval(16);
    EXPECT_TRUE(flash.Running());
    flash.SetOnTimer(nullptr);
    EXPECT_FALSE(flash.Running());
}

TEST_F(FlashTimerTest, ASecondFlashTimerReportsAndStaysIdle)
{
    RegisterFlashCallback(&recordCall, 4);  // the shared timer exists now
    std::vector<TDialogRequest> shown;
    const TDialogHandler previous = SetDialogHandler([&](const TDialogRequest& r) {
        shown.push_back(r);
        return IDOK;
    });
    {
        TVnFlashTimer second(nullptr);
        EXPECT_FALSE(second.Running());
        EXPECT_FALSE(second.OnTimer().Assigned());
    }
    SetDialogHandler(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "Only one TVnFlashTimer per Application!\rRemove it...");
    EXPECT_EQ(shown[0].Caption, "Error Message");
    EXPECT_TRUE(FlashTimer()->Running());  // the shared one goes on
}
