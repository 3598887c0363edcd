#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "widgets/meters/GaugeMath.h"
#include "widgets/meters/NeedleShape.h"

TEST(GaugeMath, LinearScaleLabels)
{
    struct Case {
        int steps;
        const char* format;
        float from, to;
        const char* expected;
    };
    const Case cases[] = {
        {12, "##0", -90, 90, "-90;-75;-60;-45;-30;-15;0;15;30;45;60;75;90;"},
        {5, "##0", 0, 100, "0;20;40;60;80;100;"},
        {4, "##0.0", 100, 0, "100.0;75.0;50.0;25.0;0.0;"},  // descending range
        {1, "0", -1, 1, "-1;1;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinearScaleLabels(c.steps, c.format, c.to, c.from), c.expected) << c.steps << " " << c.from;
}

TEST(GaugeMath, LogScaleLabels)
{
    struct Case {
        int fromExp, toExp, steps;
        bool descending;
        const char* expected;
    };
    const Case cases[] = {
        {0, 3, 3, false, "1e0;1e1;1e2;1e3;"},
        {0, 3, 3, true, "1e3;1e2;1e1;1e0;"},
        {0, 3, 1, false, "1e0;1e3;"},
        {0, 5, 2, false, "1e0;1e2;1e4;1e6;"},  // the last label passes the end when the step does not divide
        {-2, 1, 0, false, "1e-2;1e1;"},        // steps below 1 count as 1
        {2, 2, 3, false, "1e2;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LogScaleLabels(c.fromExp, c.toExp, c.steps, "0e-0", c.descending), c.expected)
            << c.fromExp << ".." << c.toExp << " in " << c.steps;
}

TEST(GaugeMath, LogScaleLabelsNeverLoopWithAZeroStep)
{
    // 3 steps over 2 decades give a step of 0: one label instead of an endless list.
    EXPECT_EQ(LogScaleLabels(0, 2, 3, "0", false), "1;");
}

TEST(GaugeMath, SnapToDecade)
{
    struct Case {
        double x;
        double expected;
        int exponent;
    };
    const Case cases[] = {{0, 1, 0}, {-5, 1, 0}, {3, 1, 0}, {50, 100, 2}, {0.02, 0.01, -2}, {1000, 1000, 3}};
    for (const auto& c : cases) {
        int e = 99;
        EXPECT_DOUBLE_EQ(SnapToDecade(c.x, e), c.expected) << c.x;
        EXPECT_EQ(e, c.exponent) << c.x;
    }
}

TEST(GaugeMath, RoundToInt32HalvesToEvenAndSaturates)
{
    constexpr auto big = std::numeric_limits<std::int32_t>::max();
    constexpr auto small = std::numeric_limits<std::int32_t>::min();
    struct Case {
        double x;
        std::int32_t expected;
    };
    const Case cases[] = {{2.5, 2},    {3.5, 4},       {-2.5, -2},      {0.49, 0},
                          {1e20, big}, {-1e20, small}, {INFINITY, big}, {-INFINITY, small}};
    for (const auto& c : cases) {
        std::int32_t r = 0;
        EXPECT_TRUE(RoundToInt32(c.x, r));
        EXPECT_EQ(r, c.expected) << c.x;
    }
    std::int32_t r = 7;
    EXPECT_FALSE(RoundToInt32(NAN, r));
    EXPECT_EQ(r, 7);
}

TEST(GaugeMath, ColorStep)
{
    struct Case {
        TColor from, to;
        int steps, index;
        TColor expected;
    };
    const Case cases[] = {
        {clBlack, clWhite, 4, 1, 0x404040},                                           // 63.75 -> 64
        {clBlack, clWhite, 4, 2, 0x808080},                                           // 127.5 -> 128 (half to even)
        {clBlack, clWhite, 4, 4, 0xFFFFFF},      {clWhite, clBlack, 2, 1, 0x7F7F7F},  // 255 - 127.5 -> 255 - 128
        {0x0000FF, 0xFF0000, 1, 1, 0xFF0000},    {clRed, clBlue, 0, 1, 0xFF0000},     // 0 steps count as 1
        {clBtnFace, clBtnFace, 3, 2, clBtnFace},  // equal colours come back unresolved
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorStep(c.from, c.to, c.steps, c.index), c.expected) << std::hex << c.from << " " << c.to;
}

TEST(GaugeMath, ColorStepResolvesSystemColours)
{
    const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorStep(clBtnFace, clBlack, 1, 0), face);
}

TEST(GaugeMath, RotatePoint)
{
    struct Case {
        TPoint p;
        bool clockwise;
        float angle;
        TPoint expected;
    };
    const TPoint c{50, 50};
    const Case cases[] = {
        {{50, 0}, true, 90, {100, 50}}, {{50, 0}, false, 90, {0, 50}}, {{50, 0}, true, 180, {50, 100}},
        {{50, 0}, true, 270, {0, 50}},  {{50, 0}, true, 45, {85, 15}}, {{50, 0}, true, 0, {50, 0}},
        {{60, 50}, true, 90, {50, 60}},
    };
    for (const auto& k : cases) {
        const TPoint q = RotatePoint(k.p, c, k.clockwise, k.angle);
        EXPECT_EQ(q, k.expected) << k.angle << (k.clockwise ? " cw" : " ccw") << " got " << q.X << "," << q.Y;
    }
}

TEST(GaugeMath, Rectangles)
{
    TRect c;
    EXPECT_TRUE(OverlapRect(Rect(0, 0, 10, 10), Rect(5, 5, 20, 20), c));
    EXPECT_EQ(c, Rect(5, 5, 10, 10));
    EXPECT_TRUE(OverlapRect(Rect(0, 0, 10, 10), Rect(10, 0, 20, 10), c));  // touching: empty, not negative
    EXPECT_FALSE(OverlapRect(Rect(0, 0, 10, 10), Rect(11, 0, 20, 10), c));
    EXPECT_FALSE(OverlapRect(Rect(0, 0, 10, 10), Rect(0, 12, 10, 20), c));

    EXPECT_EQ(RectCentre(Rect(0, 0, 11, 7)), Point(5, 3));
    EXPECT_EQ(RectCentre(Rect(-11, -7, 0, 0)), Point(-6, -4));  // halves truncate toward zero
    TRect r = Rect(0, 0, 100, 50);
    ShrinkRect(r, 3);
    EXPECT_EQ(r, Rect(3, 3, 97, 47));
    ShrinkRectSides(r, 1, 2, 3, 4);
    EXPECT_EQ(r, Rect(4, 5, 94, 43));
}

TEST(GaugeMath, ListText)
{
    String s = "a;bc;;d";
    EXPECT_EQ(CountChar(s, ';'), 3);
    EXPECT_EQ(CountChar("", ';'), 0);
    EXPECT_EQ(CutFirstItem(s, ';'), "a");
    EXPECT_EQ(s, "bc;;d");
    EXPECT_EQ(CutFirstItem(s, ';'), "bc");
    EXPECT_EQ(CutFirstItem(s, ';'), "");
    EXPECT_EQ(CutFirstItem(s, ';'), "d");
    EXPECT_EQ(s, "");
    EXPECT_EQ(CutFirstItem(s, ';'), "");
}

TEST(NeedleShape, PolygonsOfTheEightShapes)
{
    // Width 200: h = 100, c = 10, l = 6.
    struct Case {
        int shape;
        int count, penBlinks, hub1, hub2;
        std::vector<TPoint> polygon;
    };
    const Case cases[] = {
        {0, 4, 0, 2, 0, {{90, 110}, {110, 110}, {100, 0}}},
        {1, 4, 0, 15, 3, {{94, 100}, {106, 100}, {100, 0}}},
        {2, 4, 0, 0, 0, {{90, 40}, {110, 40}, {100, 0}}},
        {3, 4, 0, 10, 3, {{94, 120}, {106, 120}, {100, 0}}},
        {4, 8, 0, 2, 0, {{94, 110}, {106, 110}, {106, 30}, {120, 30}, {100, 0}, {80, 30}, {94, 30}}},
        {5, 6, 0, 2, 0, {{90, 110}, {110, 110}, {110, 20}, {100, 0}, {90, 20}}},
        {6, 5, 1, 8, 3, {{99, 120}, {101, 120}, {101, 0}, {99, 0}}},
        {7, 6, 0, 6, 2, {{90, 100}, {84, 120}, {116, 120}, {110, 100}, {100, 0}}},
        {9, 4, 0, 2, 0, {{90, 110}, {110, 110}, {100, 0}}},  // unknown numbers draw shape 0
        {-1, 4, 0, 2, 0, {{90, 110}, {110, 110}, {100, 0}}},
    };
    for (const auto& c : cases) {
        const TNeedleShape s = NeedleShape(c.shape, Rect(10, 20, 210, 120));
        EXPECT_EQ(s.Count, c.count) << c.shape;
        EXPECT_EQ(s.PenBlinks, c.penBlinks) << c.shape;
        EXPECT_EQ(s.Hub1, c.hub1) << c.shape;
        EXPECT_EQ(s.Hub2, c.hub2) << c.shape;
        EXPECT_EQ(s.Centre(), Point(100, 100)) << c.shape;
        ASSERT_EQ(s.PolygonCount(), static_cast<int>(c.polygon.size())) << c.shape;
        for (int i = 0; i < s.PolygonCount(); ++i)
            EXPECT_EQ(s.Points[i + 1], c.polygon[i]) << c.shape << " point " << i;
    }
}

TEST(NeedleShape, RotationKeepsTheCentreAndMovesTheTip)
{
    const TNeedleShape s = NeedleShape(0, Rect(0, 0, 200, 200));
    const TNeedleShape r = RotateShape(s, true, 90);
    EXPECT_EQ(r.Centre(), s.Centre());
    EXPECT_EQ(r.Points[3], Point(200, 100));  // tip: straight up -> 3 o'clock
    EXPECT_EQ(r.Points[1], Point(90, 90));    // (90, 110) turned about (100, 100)
    EXPECT_EQ(r.Hub1, s.Hub1);
}
