#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "widgets/meters/AnalogControl.h"

namespace {

// An analog control on the main window's range, loaded, with its events written into a log.
struct Gauge {
    TOwnedPtr<TVnAnalogGControl> c{new TVnAnalogGControl(nullptr)};
    std::vector<std::string> log;

    explicit Gauge(bool mainWindowRange = true)
    {
        if (mainWindowRange) {
            c->SignalSettings()->SetDigitalFrom(-1500);
            c->SignalSettings()->SetDigitalTo(1500);
            c->SignalSettings()->SetValueFrom(-90);
            c->SignalSettings()->SetValueTo(90);
        }
        c->Loaded();
        c->SetOnOverflow(
            TOverflowEvent([this](TObject*, int ppt) { log.push_back("overflow " + std::to_string(ppt)); }));
        c->SetOnSectorChange(TSectorChangeEvent([this](TObject*, bool s1, bool s2, bool s3, bool enter) {
            log.push_back(std::string("sector ") + (s1 ? "1" : "") + (s2 ? "2" : "") + (s3 ? "3" : "") +
                          (enter ? " enter" : " leave"));
        }));
        c->SetOnLimit(TLimitEvent([this](TObject*, bool lower, bool upper) {
            log.push_back(std::string("limit") + (lower ? " lower" : "") + (upper ? " upper" : ""));
        }));
        c->SetOnMinMaxChange(TNotifyEvent([this](TObject*) { log.push_back("minmax"); }));
        c->SetOnValueChange(TNotifyEvent([this](TObject*) { log.push_back("value"); }));
    }
    TVnAnalogGControl* operator->() { return c.get(); }
};

}  // namespace

TEST(AnalogControl, ValueToDigitToPosition)
{
    struct Case {
        float value;
        int digit;
        int ppt;
    };
    const Case cases[] = {
        {45, 750, 750},    {0, 0, 500},      {-90, -1500, 0}, {90, 1500, 1000}, {-45, -750, 250},
        {100, 1667, 1000}, {-100, -1667, 0}, {0.06f, 1, 500}, {-20, -333, 389},
    };
    for (const auto& k : cases) {
        Gauge g;
        g->SetValue(k.value);
        EXPECT_EQ(g->Digit(), k.digit) << k.value;
        EXPECT_EQ(g->Ppt(), k.ppt) << k.value;
    }
}

TEST(AnalogControl, PositionIsPerMilleOfTheDigitRange)
{
    // Digits 0..1000 over 0..100: the position is the digit.
    Gauge g(false);
    g->SetValue(45);
    EXPECT_EQ(g->Digit(), 450);
    EXPECT_EQ(g->Ppt(), 450);
    // Setting the digit moves the value with it.
    Gauge m;
    m->SetDigit(-750);
    EXPECT_FLOAT_EQ(m->Value(), -45);
    EXPECT_EQ(m->Ppt(), 250);
}

TEST(AnalogControl, OverflowIsReportedOnceWithTheUnclampedPosition)
{
    Gauge g;
    g->SetValue(100);
    g->SetValue(95);
    g->SetValue(0);
    g->SetValue(-95);
    g->SetValue(-100);
    const std::vector<std::string> overflow = [&] {
        std::vector<std::string> v;
        for (const auto& e : g.log)
            if (e.rfind("overflow", 0) == 0) v.push_back(e);
        return v;
    }();
    EXPECT_EQ(overflow, (std::vector<std::string>{"overflow 1056", "overflow 500", "overflow -28"}));
    EXPECT_EQ(g->Ppt(), 0);
    EXPECT_TRUE(g->Underflow());
    EXPECT_FALSE(g->Overflow());
}

TEST(AnalogControl, EventsOfOneValueChangeComeInOrder)
{
    Gauge g;
    g->SetValue(20);  // first value after loading: no minmax event
    g.log.clear();
    g->SetValue(100);
    // sector 2 left (1056 lies beyond every sector), the upper limit crossed, the range left, a new
    // maximum, then the value event of the nested run and of the outer run.
    EXPECT_EQ(g.log,
              (std::vector<std::string>{"sector 2 leave", "limit upper", "overflow 1056", "minmax", "value", "value"}));
}

TEST(AnalogControl, SameValueTwiceRaisesOneValueChange)
{
    Gauge g;
    g->SetValue(30);
    g.log.clear();
    g->SetValue(30);
    EXPECT_TRUE(g.log.empty());
}

TEST(AnalogControl, FirstValueAfterLoadingSetsBothExtremesSilently)
{
    Gauge g;
    g->SetValue(20);
    EXPECT_FLOAT_EQ(g->MinMax()->Min(), 20);
    EXPECT_FLOAT_EQ(g->MinMax()->Max(), 20);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "minmax"), 0);
    g.log.clear();
    g->SetValue(30);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "minmax"), 1);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "value"), 2);
    g.log.clear();
    g->SetValue(25);  // neither extreme
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "minmax"), 0);
    EXPECT_EQ(std::count(g.log.begin(), g.log.end(), "value"), 1);
    g->SetValue(10);
    EXPECT_FLOAT_EQ(g->MinMax()->Min(), 10);
    EXPECT_EQ(g->MinPpt(), 556);  // digit 167 of -1500..1500
    EXPECT_EQ(g->MaxPpt(), 667);
}

TEST(AnalogControl, SectorChangeNamesTheSectorLeftThenTheOneEntered)
{
    Gauge g;
    auto sectorEvents = [&] {
        std::vector<std::string> v;
        for (const auto& e : g.log)
            if (e.rfind("sector", 0) == 0) v.push_back(e);
        g.log.clear();
        return v;
    };
    g->SetValue(0);  // 500
    EXPECT_EQ(sectorEvents(), std::vector<std::string>{"sector 2 enter"});
    g->SetValue(-20);  // 389: still sector 2
    EXPECT_TRUE(sectorEvents().empty());
    g->SetValue(-40);  // 278: sectors are visited 1, 2, 3
    EXPECT_EQ(sectorEvents(), (std::vector<std::string>{"sector 1 enter", "sector 2 leave"}));
    g->SetValue(-20);  // from sector 1 into sector 2
    EXPECT_EQ(sectorEvents(), (std::vector<std::string>{"sector 1 leave", "sector 2 enter"}));
    g->SetValue(95);  // 1028: in no sector
    EXPECT_EQ(sectorEvents(), std::vector<std::string>{"sector 2 leave"});
}

TEST(AnalogControl, LimitFlagsFollowTheValue)
{
    Gauge g;
    struct Case {
        float value;
        bool below, above;
    };
    const Case cases[] = {{50, false, false}, {5, true, false},     {10, false, false},
                          {90, false, false}, {90.5f, false, true}, {-80, true, false}};
    for (const auto& k : cases) {
        g->SetValue(k.value);
        EXPECT_EQ(g->BelowLower(), k.below) << k.value;
        EXPECT_EQ(g->AboveUpper(), k.above) << k.value;
    }
    g->SetLimitLower(0);
    EXPECT_FLOAT_EQ(g->LimitLower(), 0.0001f);
}

TEST(AnalogControl, DecadeMapping)
{
    Gauge g(false);
    g->SignalSettings()->SetValueFrom(1);
    g->SignalSettings()->SetValueTo(1000);
    g->SetLogScale(true);
    struct Case {
        float value;
        int digit;
    };
    const Case cases[] = {{10, 333}, {100, 667}, {1000, 1000}, {1, 0}, {31.6228f, 500}};
    for (const auto& k : cases) {
        g->SetValue(k.value);
        EXPECT_EQ(g->Digit(), k.digit) << k.value;
    }
    g->SetValue(-5);  // no decade: refused
    EXPECT_FLOAT_EQ(g->Value(), 31.6228f);
    g->SetValue(0);
    EXPECT_FLOAT_EQ(g->Value(), 31.6228f);
    g->SetDigit(333);
    EXPECT_NEAR(g->Value(), 10, 0.05);
}

TEST(AnalogControl, SwitchingToDecadesSnapsTheRange)
{
    Gauge g(false);
    g->SignalSettings()->SetValueTo(700);  // from 0: no decade
    g->SetValue(-3);
    g->SetLogScale(true);
    EXPECT_FLOAT_EQ(g->SignalSettings()->ValueFrom(), 0.001f);
    EXPECT_FLOAT_EQ(g->SignalSettings()->ValueTo(), 1000);
    EXPECT_FLOAT_EQ(g->Value(), 0.001f);
    EXPECT_TRUE(std::isfinite(g->LogFactor()));
}

TEST(AnalogControl, ValuesWithoutAPositionAreRefusedOrClamped)
{
    Gauge g;
    g->SetValue(10);
    g.log.clear();
    g->SetValue(NAN);
    EXPECT_FLOAT_EQ(g->Value(), 10);
    EXPECT_TRUE(g.log.empty());

    g->SetValue(INFINITY);
    EXPECT_EQ(g->Digit(), std::numeric_limits<int>::max());
    EXPECT_EQ(g->Ppt(), 1000);
    EXPECT_TRUE(g->Overflow());
    g->SetValue(-INFINITY);
    EXPECT_EQ(g->Digit(), std::numeric_limits<int>::min());
    EXPECT_EQ(g->Ppt(), 0);
    EXPECT_TRUE(g->Underflow());
    g->SetValue(3.4e38f);  // finite, far beyond the digits
    EXPECT_EQ(g->Ppt(), 1000);
}

TEST(AnalogControl, DigitRangeOfNoWidthKeepsPositionsDefined)
{
    Gauge g(false);
    g->SignalSettings()->SetDigitalFrom(5);
    g->SignalSettings()->SetDigitalTo(5);
    EXPECT_EQ(g->SignalSettings()->DigitSpan(), 0);
    g->SetValue(70);
    EXPECT_GE(g->Ppt(), 0);
    EXPECT_LE(g->Ppt(), 1000);
    g->SetDigit(6);
    EXPECT_GE(g->Ppt(), 0);
    EXPECT_LE(g->Ppt(), 1000);
}

TEST(AnalogControl, AutomaticHint)
{
    Gauge g;
    g->SignalSettings()->SetValueUnit("Deg");
    g->SignalSettings()->SetValueFormat("0.0");
    g->SignalSettings()->SetName1("X");
    g->SignalSettings()->SetName2("Y");
    g->SetHintOptions({hoAutoHint, hoValue, hoMin, hoMax, hoName1, hoName2});
    g->SetValue(12.5f);
    g->SetValue(-3);
    EXPECT_EQ(g->Hint(), "Value= -3.0 Deg\rMIN= -3.0 Deg\rMAX= 12.5 Deg\rX\rY");
    g->SetHintOptions({hoAutoHint, hoValue, hoMax, hoMinMaxDate});
    g->SetValue(1);
    const String hint = g->Hint();
    EXPECT_EQ(hint.rfind("Value= 1.0 Deg\rMAX= 12.5 Deg ", 0), 0u) << hint;
    EXPECT_GT(hint.size(), String("Value= 1.0 Deg\rMAX= 12.5 Deg ").size());
    // The extremes' texts follow a new extreme, the unit and the format.
    g->SetHintOptions({hoAutoHint, hoValue, hoMin, hoMax});
    g->SetValue(20);
    EXPECT_EQ(g->Hint(), "Value= 20.0 Deg\rMIN= -3.0 Deg\rMAX= 20.0 Deg");
    g->SignalSettings()->SetValueUnit("mm");
    g->SignalSettings()->SetValueFormat("0.00");
    g->SetValue(-4);
    EXPECT_EQ(g->Hint(), "Value= -4.00 mm\rMIN= -4.00 mm\rMAX= 20.00 mm");
    g->SetValue(5);
    EXPECT_EQ(g->Hint(), "Value= 5.00 mm\rMIN= -4.00 mm\rMAX= 20.00 mm");
}

TEST(AnalogControl, SettingsChangesRecomputeTheDigitAfterLoading)
{
    Gauge g(false);
    int settings = 0;
    g->SetOnSettingsChange(TNotifyEvent([&](TObject*) { ++settings; }));
    g->SetValue(60);
    g->SignalSettings()->SetDigitalTo(2000);
    EXPECT_EQ(settings, 1);
    EXPECT_EQ(g->Digit(), 1200);
    g->LockSettings();
    g->SignalSettings()->SetDigitalTo(3000);
    EXPECT_EQ(settings, 1);
    g->UnlockSettings();
    EXPECT_EQ(settings, 2);
    EXPECT_EQ(g->Digit(), 1800);
}
