// The clock, the shared timer, easing and the player.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/animation/PropertyAnimations.h"
#include "platform/classes/Object.h"
#include "platform/classes/Published.h"
#include "tests/chart/animation/AnimationFixture.h"

namespace {

// Records every fraction it receives.
class TProbeAnimation : public TZebAnimation {
    TV_CLASS(TProbeAnimation, TZebAnimation)
public:
    using TZebAnimation::TZebAnimation;
    std::vector<float> Fractions;
    int Finishes = 0;
    void ApplyFraction(float f) override { Fractions.push_back(f); }
    bool Finish() override
    {
        ++Finishes;
        return TZebAnimation::Finish();
    }
};

}  // namespace

TV_PUBLISHED(TProbeAnimation) {}

namespace {

struct EaseCase {
    TAnimationTiming timing;
    TAnimationTimingStyle style;
    float x, expected;
};

TEST(EasingTest, EveryCurveAndStyleRunsFromZeroToOne)
{
    for (int timing = atLinear; timing <= atElastic; ++timing)
        for (int style = atIn; style <= atInOut; ++style) {
            const auto t = static_cast<TAnimationTiming>(timing);
            const auto s = static_cast<TAnimationTimingStyle>(style);
            SCOPED_TRACE(::testing::Message() << TAnimationTimingNames[timing] << " " << TAnimationTimingStyleNames[style]);
            EXPECT_NEAR(EaseFraction(t, s, 0.0f), 0.0f, 1e-5f);
            EXPECT_NEAR(EaseFraction(t, s, 1.0f), 1.0f, 1e-5f);
            for (float x : {0.25f, 0.5f, 0.75f}) EXPECT_TRUE(std::isfinite(EaseFraction(t, s, x)));
        }
}

TEST(EasingTest, InnerPointsFollowTheCurves)
{
    const EaseCase cases[] = {
        {atLinear, atOut, 0.25f, 0.25f},  // linear ignores the style
        {atSquare, atIn, 0.5f, 0.25f},
        {atSquare, atOut, 0.5f, 0.75f},
        {atSquare, atInOut, 0.25f, 0.125f},
        {atSquare, atInOut, 0.75f, 0.875f},
        {atCubic, atIn, 0.5f, 0.125f},
        {atExp, atIn, 0.5f, 0.41421356f},  // 2^t - 1
        {atExp, atIn, 0.25f, 0.18920712f},
        {atSine, atIn, 0.5f, 0.29289322f},
        {atBack, atIn, 0.5f, -0.25f},
        {atElastic, atIn, 0.5f, 1.03125f - 3.6875f + 4.0f - 1.25f},
        {atBounce, atIn, 0.75f, 1.0f - 7.5625f * 0.25f * 0.25f},
        {atBounce, atOut, 0.25f, 7.5625f * 0.25f * 0.25f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << TAnimationTimingNames[c.timing] << " " << c.x);
        EXPECT_NEAR(EaseFraction(c.timing, c.style, c.x), c.expected, 1e-4f);
    }
}

TEST(AnimationTextTest, DescriptionDropsTheClassPrefixAndSuffix)
{
    EXPECT_EQ(AnimationDescription("TNumberAnimation"), "Number");
    EXPECT_EQ(AnimationDescription("TPlaySoundAnimation"), "PlaySound");
    EXPECT_EQ(AnimationDescription("TAnimation"), "Animation");
    TNumberAnimation number(nullptr);
    EXPECT_EQ(number.GetDisplayTitle(), "Number");
}

class TimerTest : public AnimationSuite {};

TEST_F(TimerTest, EventsFireOnIntervalMultiplesAndALateTickFiresOnce)
{
    TMultiTimer timer;
    int fired = 0, once = 0;
    const int a = 0, b = 0;
    timer.AddEvent(10, true, &a, [&] { ++fired; });
    timer.AddEvent(10, false, &b, [&] { ++once; });
    EXPECT_TRUE(timer.Running());
    now_ = 1000;
    timer.TickTimers();
    now_ = 1005;  // same multiple of 10
    timer.TickTimers();
    now_ = 1100;  // ten periods late
    timer.TickTimers();
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(once, 1);
    EXPECT_TRUE(timer.Running());
    timer.EnableEvent(&a, false);
    EXPECT_FALSE(timer.Running());  // nothing enabled: the platform timer stops
    timer.TickTimers();
    EXPECT_EQ(fired, 2);
}

TEST_F(TimerTest, RemovedEntriesAreCompactedAfterTheTick)
{
    TMultiTimer timer;
    const int a = 0, b = 0;
    int fired = 0;
    timer.AddEvent(1, true, &a, [&] { timer.RemoveEvent(&a); });
    timer.AddEvent(1, true, &b, [&] { ++fired; });
    timer.TickTimers();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(timer.EntryCount(), 1);
    EXPECT_EQ(timer.IndexOfEvent(&b), 0);
    timer.RemoveEvent(&b);
    timer.TickTimers();
    EXPECT_EQ(timer.EntryCount(), 0);
    EXPECT_FALSE(timer.Running());
}

class PlayerTest : public AnimationSuite {
protected:
    TOwnedPtr<TZebAnimate> player{new TZebAnimate(nullptr)};
    TProbeAnimation* Add(int start = 0, int duration = 1000)
    {
        auto* a = new TProbeAnimation(player.get());
        a->SetStartTime(start);
        a->SetDuration(duration);
        player->Animations().AddAnimation(a);
        return a;
    }
};

TEST_F(PlayerTest, SpeedGivesTheTimerInterval)
{
    const struct {
        int speed;
        Cardinal interval;
    } cases[] = {{0, 1000}, {-5, 1000}, {1, 1000}, {60, 16}, {1000, 1}, {5000, 1}};
    for (const auto& c : cases) {
        player->SetSpeed(c.speed);
        EXPECT_EQ(player->TimerInterval(), c.interval) << c.speed;
    }
}

TEST_F(PlayerTest, APassRunsFractionsFromZeroToOneAndStops)
{
    TProbeAnimation* a = Add();
    int stops = 0;
    player->OnStop = [&](TObject*) { ++stops; };
    player->StartPlaying();
    EXPECT_TRUE(player->IsPlaying());
    Tick(16);  // frame 0: elapsed 0, the animation starts
    EXPECT_EQ(a->RunState(), arsRunning);
    EXPECT_TRUE(a->Fractions.empty());
    Tick(484);  // 500 ms since StartPlaying
    ASSERT_EQ(a->Fractions.size(), 1u);
    EXPECT_NEAR(a->Fractions.back(), 0.5f, 1e-4f);
    Tick(600);  // beyond the end: the natural end, then the pass ends
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FLOAT_EQ(a->Fractions.back(), 1.0f);
    EXPECT_EQ(a->Finishes, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(AnimationTimer().IndexOfEvent(player.get()), -1);
}

TEST_F(PlayerTest, InvertedAndTwoWayEndWhereTheirDirectionEnds)
{
    const struct {
        bool inverted, twoWay;
        float mid, end;
    } cases[] = {{true, false, 0.75f, 0.0f}, {false, true, 0.5f, 0.0f}, {true, true, 0.5f, 1.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.inverted << c.twoWay);
        player->Animations().Clear();
        TProbeAnimation* a = Add();
        a->SetInverted(c.inverted);
        a->SetTwoWay(c.twoWay);
        player->StartPlaying();
        Tick(16);
        Tick(234);  // 0.25
        EXPECT_NEAR(a->Fractions.back(), c.mid, 1e-4f);
        player->StopPlaying();  // stopped mid-run: the state its direction ends in
        EXPECT_FLOAT_EQ(a->Fractions.back(), c.end);
    }
}

TEST_F(PlayerTest, PauseCountsAsElapsedAndStepRunsOneFrame)
{
    TProbeAnimation* a = Add(0, 10000);
    player->StartPlaying();
    Tick(16);
    Tick(984);  // 1 s
    player->PausePlaying();
    EXPECT_TRUE(player->IsPaused());
    Tick(2000);
    EXPECT_EQ(a->Fractions.size(), 1u);  // no frame while paused
    player->ResumePlaying();
    Tick(16);
    EXPECT_NEAR(a->Fractions.back(), 0.3016f, 1e-4f);
    now_ += 1000;
    player->StepFrame();  // one frame by hand, then paused
    EXPECT_TRUE(player->IsPaused());
    EXPECT_NEAR(a->Fractions.back(), 0.4016f, 1e-4f);
    player->StepFrame();  // paused animations stand still
    EXPECT_NEAR(a->Fractions.back(), 0.4016f, 1e-4f);
}

TEST_F(PlayerTest, LoopingAnimationRestartsInsideThePass)
{
    TProbeAnimation* a = Add(0, 100);
    a->SetLoop(true);
    Add(0, 1000);  // keeps the pass going
    player->StartPlaying();
    Tick(16);
    Tick(34);  // 50 ms
    EXPECT_NEAR(a->Fractions.back(), 0.5f, 1e-4f);
    Tick(60);  // 110: past the first round
    EXPECT_NEAR(a->Fractions.back(), 0.1f, 1e-4f);
    Tick(40);  // 150: second round
    EXPECT_NEAR(a->Fractions.back(), 0.5f, 1e-4f);
}

TEST_F(PlayerTest, AnEmptyPlayerStaysStoppedAndItsEventGoes)
{
    int frames = 0;
    player->OnFrame = [&](TObject*) { ++frames; };
    player->StartPlaying();
    EXPECT_FALSE(player->IsPlaying());
    Tick(16);
    Tick(16);
    EXPECT_EQ(frames, 2);
    Tick(16);
    EXPECT_EQ(AnimationTimer().IndexOfEvent(player.get()), -1);
}

TEST_F(PlayerTest, OnEndMayFreeTheAnimation)
{
    TProbeAnimation* first = Add(0, 100);
    TProbeAnimation* second = Add(0, 100);
    first->OnEnd = [](TZebAnimation*, bool& freeIt) { freeIt = true; };
    player->StartPlaying();
    Tick(16);
    Tick(200);
    EXPECT_FALSE(player->IsPlaying());
    ASSERT_EQ(player->Animations().Count(), 1);
    EXPECT_EQ(player->GetAnimation(0), second);
    EXPECT_EQ(second->Finishes, 1);
}

TEST_F(PlayerTest, ZeroDurationAppliesItsEndAtOnce)
{
    TProbeAnimation* a = Add(0, 0);
    a->SetLoop(true);
    player->StartPlaying();
    Tick(16);
    ASSERT_FALSE(a->Fractions.empty());
    EXPECT_FLOAT_EQ(a->Fractions.front(), 1.0f);
}

TEST_F(PlayerTest, FreeingThePlayerFreesItsAnimations)
{
    TProbeAnimation* a = Add();
    bool gone = false;
    a->OnStop = [&](TObject*) { gone = true; };
    player->StartPlaying();
    Tick(16);
    player.reset();
    EXPECT_TRUE(gone);
}

TEST_F(PlayerTest, AnAnimationMakesItsOwnPlayerOnDemand)
{
    TOwnedPtr<TProbeAnimation> a(new TProbeAnimation(nullptr));
    TZebAnimate* own = a->GetAnimate();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->Owner(), a.get());
    EXPECT_EQ(own->Animations().IndexOf(a.get()), 0);
    a.reset();  // frees the player with it, once
}

}  // namespace
