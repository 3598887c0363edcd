#pragma once
// A fake clock for the animation tests: the player and the timer read it, and a tick is fired by
// calling the timer's handler after moving it.
#include <gtest/gtest.h>

#include <cstdint>

#include "chart/animation/AnimationUnits.h"
#include "chart/animation/ZebAnimate.h"
#include "chart/core/EngineStartup.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/rtl/Tick.h"

class AnimationSuite : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartChartEngine();
        StartStandardSeriesUnits();
        StartAnimationUnits();
    }
    static void TearDownTestSuite()
    {
        StopAnimationUnits();
        StopStandardSeriesUnits();
        StopChartEngine();
    }

protected:
    void SetUp() override
    {
        now_ = 100000;
        SetTickClock([this] { return now_; });
    }
    void TearDown() override { SetTickClock({}); }

    // Moves the clock by ms and fires one timer tick.
    void Tick(std::uint64_t ms)
    {
        now_ += ms;
        AnimationTimer().TickTimers();
    }
    // Ticks every `step` ms until `total` ms have passed.
    void Run(std::uint64_t total, std::uint64_t step = 16)
    {
        for (std::uint64_t t = 0; t < total; t += step) Tick(step);
    }
    std::uint64_t now_ = 0;
};
