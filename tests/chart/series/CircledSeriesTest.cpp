// The circled series base: rotation, the circle rectangle, shared radii, the circle borrowed from
// a marked pie, and the chart's 3-D view while a circled series is active.
#include <cmath>
#include <numbers>

#include "PieFixtures.h"
#include "platform/classes/Published.h"
#include "chart/canvas/View3DOptions.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/support/StreamText.h"

// A circled series of the base alone (a pie never borrows another's circle).
class TPlainCircled : public TCircledSeries {
    TV_CLASS(TPlainCircled, TCircledSeries)
public:
    using TCircledSeries::TCircledSeries;
};

TV_PUBLISHED(TPlainCircled) {}

namespace {

class CircledSeries : public PieSuite {};

TEST_F(CircledSeries, RotationAngleKeepsTheRemainderWithItsSign)
{
    TPieChart c;
    TPieSeries& pie = c.Add({1});
    for (const auto [set, kept] : {std::pair{370, 10}, {-30, -30}, {720, 0}, {-370, -10}}) {
        pie.SetRotationAngle(set);
        EXPECT_EQ(pie.RotationAngle(), kept) << set;
        EXPECT_DOUBLE_EQ(pie.RotationRad, kept * std::numbers::pi / 180) << set;
    }
}

TEST_F(CircledSeries, CircleRectangleIsEvenAndAtLeastFourWide)
{
    TPieChart c;
    TPieSeries& pie = c.Add({1});
    struct Case {
        TRect rect;
        int width, height, centerX, centerY;
    };
    for (const Case& k : {Case{{0, 0, 201, 101}, 200, 100, 100, 50}, Case{{10, 10, 13, 12}, 4, 4, 12, 12},
                          Case{{-5, 0, 5, 7}, 10, 6, 0, 3}}) {
        pie.CircleBounds = k.rect;
        pie.NormalizeCircleBounds();
        EXPECT_EQ(pie.CircleSizeX, k.width);
        EXPECT_EQ(pie.CircleSizeY, k.height);
        EXPECT_EQ(pie.CenterX, k.centerX);
        EXPECT_EQ(pie.CenterY, k.centerY);
    }
}

TEST_F(CircledSeries, KeepRectRoundShrinksTheLongerSide)
{
    struct Case {
        int rx, ry;
        double ratio;
        TRect expected;
    };
    for (const Case& k : {Case{100, 50, 1, {50, 0, 150, 100}}, Case{50, 100, 1, {0, 50, 100, 150}},
                          Case{100, 100, 1, {0, 0, 200, 200}}, Case{100, 100, 0.8, {20, 0, 180, 200}},
                          Case{100, 100, 1.25, {0, 20, 200, 180}}}) {
        TRect r{0, 0, 2 * k.rx, 2 * k.ry};
        TCircledSeries::KeepRectRound(k.rx, k.ry, k.ratio, r);
        EXPECT_EQ(r, k.expected) << k.rx << "x" << k.ry << " at " << k.ratio;
    }
    EXPECT_EQ(TCircledSeries::ScreenPixelRatio(true), 1);
}

TEST_F(CircledSeries, CustomRadiusIsSharedAndCircledClearsIt)
{
    TPieChart c;
    TPieSeries& a = c.Add({1, 2});
    TPieSeries& b = c.Add({3, 4});
    b.SetCustomXRadius(50);
    EXPECT_EQ(a.CustomXRadius(), 50);
    c.Frame();
    EXPECT_EQ(a.RadiusX, 50);
    EXPECT_EQ(b.RadiusX, 50);
    EXPECT_EQ(c.Add({5}).CustomXRadius(), 50) << "a pie joining the chart takes the shared radius";
    b.SetUniqueCustomRadius(false);
    EXPECT_FALSE(a.UniqueCustomRadius());
    b.SetCustomYRadius(30);
    EXPECT_EQ(a.CustomYRadius(), 0);

    a.SetCircled(false);
    EXPECT_FALSE(b.Circled());
    EXPECT_EQ(a.CustomXRadius(), 0);
    EXPECT_EQ(b.CustomXRadius(), 0);
    EXPECT_EQ(b.CustomYRadius(), 0);

    b.SetCustomXRadius(40);
    b.SetLoading();
    a.SetCircled(true);
    EXPECT_EQ(b.CustomXRadius(), 40) << "a series being loaded keeps its radius";
    b.Loaded();
}

TEST_F(CircledSeries, AnUnmarkedSeriesTakesTheCircleOfTheMarkedOne)
{
    TPieChart c;
    auto* first = new TPlainCircled(c.root.get());
    auto* second = new TPlainCircled(c.root.get());
    for (TPlainCircled* s : {first, second}) {
        s->SetParentChart(&c.chart);
        s->AppendMainValue(1, "Label");
    }
    first->Marks().SetVisible(false);
    second->Marks().SetVisible(true);
    c.Frame();
    EXPECT_EQ(first->CircleBounds, second->CircleBounds);
    EXPECT_LT(second->CircleSizeY, c.chart.ChartRect().Bottom - c.chart.ChartRect().Top);
}

// The view a pie puts on the chart while it is active.
bool IsCircledView(const TView3DOptions& v)
{
    return !v.Orthogonal() && v.Rotation() == 360 && v.Elevation() == 315 && v.Perspective() == 0;
}

TEST_F(CircledSeries, TheLastActiveCircledSeriesGivesTheViewBack)
{
    TPieChart c(true);
    TView3DOptions& view = *c.chart.View3DOptions();
    view.SetOrthogonal(true);
    view.SetElevation(340);
    TPieSeries& a = c.Add({1});
    EXPECT_TRUE(IsCircledView(view));
    TPieSeries& b = c.Add({2});
    a.SetActive(false);
    EXPECT_TRUE(IsCircledView(view)) << "b is still active";
    b.SetActive(false);
    EXPECT_TRUE(view.Orthogonal());
    EXPECT_EQ(view.Elevation(), 340);
    b.SetActive(true);
    EXPECT_TRUE(IsCircledView(view));
    delete &b;
    EXPECT_EQ(view.Elevation(), 340);
}

TEST_F(CircledSeries, AStoredChartHoldsTheUsersViewNotThePies)
{
    TPieChart c(true);
    c.chart.View3DOptions()->SetElevation(340);
    c.Add({1, 2});
    ASSERT_TRUE(IsCircledView(*c.chart.View3DOptions()));
    TStringStream s;
    WriteComponentToStream(s, &c.chart);
    const String text = testsupport::toText(s.DataString());
    EXPECT_NE(text.find("Elevation = 340"), String::npos) << text;
    EXPECT_EQ(text.find("Elevation = 315"), String::npos);
    // Settings that only exist once used are not made by storing.
    EXPECT_EQ(text.find("Frame"), String::npos);
    EXPECT_EQ(text.find("OtherSlice.Text"), String::npos);
    EXPECT_FALSE(static_cast<TPieSeries*>(c.chart.GetSeriesAt(0))->HasFrame());
}

}  // namespace
