// Scrolling an axis by dragging on it, and the axis found under the mouse.
#include <cstdlib>
#include <string>

#include "ToolFixture.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/AxisScrollTool.h"

namespace {

class AxisScrollTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(0, 0);
        series.InsertXY(100, 100);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 100);
        chart.LeftAxis()->ApplyRange(0, 100);
        tool.SetParentChart(&chart);
        Frame();
    }
    // A point on the bottom axis' labels, and one on the left axis' labels.
    TPoint OnBottom() const
    {
        const TRect r = chart.BottomAxis()->GetLabelsArea();
        return {(chart.ChartRect().Left + chart.ChartRect().Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TPoint OnLeft() const
    {
        const TRect r = chart.LeftAxis()->GetLabelsArea();
        return {(r.Left + r.Right) / 2, (chart.ChartRect().Top + chart.ChartRect().Bottom) / 2};
    }
    void Drag(TPoint from, int dx, int dy)
    {
        testkit::MouseDown(chart, mbLeft, from.X, from.Y);
        testkit::MouseMove(chart, from.X + dx, from.Y + dy);
        testkit::MouseUp(chart, mbLeft, from.X + dx, from.Y + dy);
        Frame();
    }
    double PerPixel(const TChartAxis& axis) const
    {
        return (axis.Maximum() - axis.Minimum()) / std::abs(axis.EndPixel() - axis.StartPixel());
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TAxisScrollTool& tool = *new TAxisScrollTool(form.get());
};

TEST_F(AxisScrollTest, TheAxisAtAPointIsTheFirstVisibleOneHoldingIt)
{
    const TChartAxes& axes = chart.Axes();
    EXPECT_EQ(axes.AxisAtPoint(OnBottom()), chart.BottomAxis());
    EXPECT_EQ(axes.AxisAtPoint(OnLeft()), chart.LeftAxis());
    const TRect plot = chart.ChartRect();
    EXPECT_EQ(axes.AxisAtPoint({(plot.Left + plot.Right) / 2, (plot.Top + plot.Bottom) / 2}), nullptr);
    chart.LeftAxis()->SetVisible(false);
    Frame();
    EXPECT_EQ(axes.AxisAtPoint(OnLeft()), nullptr);
}

TEST_F(AxisScrollTest, DraggingAnAxisMovesTheContentWithTheMouse)
{
    struct Case {
        const char* name;
        bool bottom, inverted;
        int pixels;  // along the drag: negative left or up
        double sign; // of the range's shift
    };
    const Case cases[] = {
        {"bottom to the left", true, false, -20, +1},
        {"bottom to the right", true, false, 20, -1},
        {"left upwards", false, false, -20, -1},
        {"left upwards, inverted scrolling", false, true, -20, +1},
        {"bottom to the left, inverted scrolling", true, true, -20, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChartAxis& axis = c.bottom ? *chart.BottomAxis() : *chart.LeftAxis();
        axis.ApplyRange(0, 100);
        Frame();
        tool.SetScrollInverted(c.inverted);
        const double step = PerPixel(axis) * std::abs(c.pixels);
        Drag(c.bottom ? OnBottom() : OnLeft(), c.bottom ? c.pixels : 0, c.bottom ? 0 : c.pixels);
        EXPECT_NEAR(axis.Minimum(), c.sign * step, 1e-9);
        EXPECT_NEAR(axis.Maximum(), 100 + c.sign * step, 1e-9);
    }
}

TEST_F(AxisScrollTest, ARefusingChartOrAToolForAnotherAxisLeavesTheRange)
{
    chart.SetOnAllowScroll([](TChartAxis*, double&, double&, bool& allow) { allow = false; });
    Drag(OnBottom(), -20, 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 0);
    chart.SetOnAllowScroll(nullptr);
    tool.SetAxis(chart.LeftAxis());
    Drag(OnBottom(), -20, 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 0);
}

TEST_F(AxisScrollTest, ALimitKeepsTheAxisWithinTheData)
{
    tool.SetLimit(slBoth);
    // The data ends at 100, where the axis ends: no further to the right.
    Drag(OnBottom(), -20, 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 100);
    chart.BottomAxis()->ApplyRange(20, 60);
    Frame();
    Drag(OnBottom(), -20, 0);
    EXPECT_GT(chart.BottomAxis()->Minimum(), 20);
}

}  // namespace
