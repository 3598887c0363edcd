// Turning the view with the mouse: degrees per drag, the elevation's limits, the styles, the
// outline mode's single repaint, and inertia coming to rest.
#include <cmath>

#include "ToolFixture.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/tools/RotateTool.h"
#include "platform/forms/ExtCtrls.h"

namespace {

class RotateTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        tool.SetParentChart(&chart);
        view().SetRotationFloat(345);
        view().SetElevationFloat(345);
    }
    TView3DOptions& view() { return *chart.View3DOptions(); }
    void Drag(int dx, int dy)
    {
        const int x = 100, y = 100;
        testkit::MouseDown(chart, mbLeft, x, y);
        testkit::MouseMove(chart, x + dx, y + dy);
        testkit::MouseUp(chart, mbLeft, x + dx, y + dy);
    }
    TRotateTool& tool = *new TRotateTool(form.get());
};

TEST_F(RotateTest, HalfTheWidthTurnsByTheSpeedsShareOfNinetyDegreesAndGoesThreeD)
{
    struct Case {
        int speed;
        double turned;
    };
    for (const Case& c : {Case{50, 45}, Case{100, 67.5}}) {
        view().SetRotationFloat(100);
        tool.SetSpeed(c.speed);
        Drag(chart.Width() / 2, 0);
        EXPECT_NEAR(view().RotationFloat(), 100 + c.turned, 1e-9) << c.speed;
    }
    EXPECT_TRUE(chart.View3D());
    EXPECT_FALSE(view().Orthogonal());
    tool.SetInverted(true);
    tool.SetSpeed(50);
    Drag(chart.Width() / 2, 0);
    EXPECT_NEAR(view().RotationFloat(), 167.5 - 45, 1e-9);
}

TEST_F(RotateTest, TheElevationStaysWithinTwoHundredSeventyAndThreeHundredSixty)
{
    Drag(0, chart.Height());
    EXPECT_DOUBLE_EQ(view().ElevationFloat(), 270);
    Drag(0, -chart.Height() * 2);
    EXPECT_DOUBLE_EQ(view().ElevationFloat(), 360);
    tool.SetStyle(rsRotation);
    Drag(0, chart.Height() / 3);
    EXPECT_DOUBLE_EQ(view().ElevationFloat(), 360);
    // The rotation wraps past a full turn.
    view().SetRotationFloat(350);
    tool.SetSpeed(50);
    Drag(chart.Width() / 4, 0);
    EXPECT_NEAR(view().RotationFloat(), 350 + 22.5 - 360, 1e-9);
}

TEST_F(RotateTest, AnOutlineKeepsTheChartFromRepaintingUntilRelease)
{
    tool.Pen()->SetVisible(true);
    testkit::MouseDown(chart, mbLeft, 100, 100);
    testkit::MouseUp(chart, mbLeft, 100, 100);
    EXPECT_TRUE(chart.AutoRepaint());
    testkit::MouseDown(chart, mbLeft, 100, 100);
    testkit::MouseMove(chart, 140, 100);
    EXPECT_FALSE(chart.AutoRepaint());
    testkit::MouseUp(chart, mbLeft, 140, 100);
    EXPECT_TRUE(chart.AutoRepaint());
}

TEST_F(RotateTest, InertiaKeepsTurningAndSlowsToRest)
{
    Drag(40, 0);
    EXPECT_EQ(tool.InertiaTimer(), nullptr);

    tool.SetInertia(50);
    Drag(40, 0);
    ASSERT_NE(tool.InertiaTimer(), nullptr);
    EXPECT_TRUE(tool.InertiaTimer()->Enabled());
    EXPECT_EQ(tool.InertiaTimer()->Interval(), 1u);
    const double step = tool.RotationStep();
    const double before = view().RotationFloat();
    TTimer& timer = *tool.InertiaTimer();
    timer.OnTimer()(&timer);
    EXPECT_NEAR(view().RotationFloat(), std::fmod(before + step, 360.0), 1e-9);
    int ticks = 0;
    while (timer.Enabled() && ticks < 1000) {
        tool.ChartDrawStage(cdsEnd);
        if (timer.Enabled()) timer.OnTimer()(&timer);
        ++ticks;
    }
    EXPECT_LT(ticks, 1000);
    EXPECT_LE(std::abs(tool.RotationStep()), 0.01);
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
