// Gantt series on the recording canvas: task bars, connectors to the next task, the axis range up
// to the latest end and clicks on the bars.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/canvas/ZebPen.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/PointSeriesUnits.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Random.h"
#include "tests/chart/series/PointSeriesFixtures.h"

namespace {

class GanttSuite : public BarSuite {};

// The three legs as the recording canvas logs one polyline: "x,y" pairs separated by blanks.
std::string Connector(int x1, int y, int mid, int gy, int gx)
{
    const auto at = [](int x, int y) { return std::to_string(x) + "," + std::to_string(y); };
    return "Polyline(" + at(x1, y) + " " + at(mid, y) + " " + at(mid, gy) + " " + at(gx, gy) + ")";
}

}  // namespace

TEST_F(GanttSuite, ZeroLengthTaskIsASymbolWithoutWidthAtItsStart)
{
    TBarChart c;
    TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
    s.AddTask(10, 20, 1);
    s.AddTask(15, 15, 2);
    c.Frame();
    const int x = s.PointScreenX(1), y = s.PointScreenY(1), v = s.Pointer()->VertSize();
    int found = 0;
    for (const std::string& line : c.Shapes({"Rectangle"})) {
        TRect r{};
        if (std::sscanf(line.c_str(), "Rectangle(%d,%d,%d,%d)", &r.Left, &r.Top, &r.Right, &r.Bottom) != 4) continue;
        if (std::abs(r.Left - x) <= 1 && r.Right - r.Left <= 2 && std::abs((r.Top + r.Bottom) / 2 - y) <= 1 &&
            r.Bottom - r.Top >= 2 * v - 1)
            ++found;
    }
    EXPECT_EQ(found, 1);
}

TEST_F(GanttSuite, ConnectorOnlyForAValidNextTask)
{
    struct Case {
        const char* name;
        double next;
        bool drawn;
    };
    for (const Case& k : {Case{"none", -1, false}, Case{"the count", 3, false}, Case{"beyond", 7, false},
                          Case{"negative", -2, false}, Case{"valid", 2, true}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
        s.AddTask(0, 5, 0);
        s.AddTask(2, 8, 1);
        s.AddTask(7, 12, 2);
        s.NextTask()->SetValueAt(0, k.next);
        c.Frame();
        const std::string expected =
            Connector(s.ValueScreenX(5), s.PointScreenY(0), s.ValueScreenX(5) + (s.PointScreenX(2) - s.ValueScreenX(5)) / 2,
                      s.PointScreenY(2), s.PointScreenX(2));
        const std::vector<std::string> lines = c.Shapes({"Polyline"});
        EXPECT_EQ(std::find(lines.begin(), lines.end(), expected) != lines.end(), k.drawn) << expected;
    }
}

TEST_F(GanttSuite, VerticalLegStandsHalfwayAlsoBeforeTheEnd)
{
    for (const double nextStart : {9.0, 3.0}) {
        SCOPED_TRACE(nextStart);
        TBarChart c;
        TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
        s.AddTask(0, 6, 0);
        const int n = s.AddTask(nextStart, 12, 1);
        s.NextTask()->SetValueAt(0, n);
        c.Frame();
        const int x1 = s.ValueScreenX(6), gx = s.ValueScreenX(nextStart);
        const std::string expected = Connector(x1, s.PointScreenY(0), x1 + (gx - x1) / 2, s.PointScreenY(n), gx);
        const std::vector<std::string> lines = c.Shapes({"Polyline"});
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
    }
}

TEST_F(GanttSuite, HorizontalAxisReachesTheLatestEnd)
{
    TBarChart c;
    TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
    s.AddTask(1, 30, 0);
    s.AddTask(5, 9, 1);
    EXPECT_DOUBLE_EQ(s.HighestX(), 30);
    c.Frame();
    EXPECT_GE(c.chart.BottomAxis()->Maximum(), 30);
}

TEST_F(GanttSuite, ClickInsideABarAnswersItsTask)
{
    TBarChart c;
    TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
    s.AddTask(2, 8, 1);
    s.AddTask(4, 9, 3);
    c.Frame();
    const int x = (s.PointScreenX(0) + s.ValueScreenX(8)) / 2, y = s.PointScreenY(0), v = s.Pointer()->VertSize();
    EXPECT_EQ(s.HitTest(x, y), 0);
    EXPECT_EQ(s.HitTest(x, y + v - 1), 0);
    EXPECT_EQ(s.HitTest(x, y + v), -1);
    EXPECT_EQ(s.HitTest(s.ValueScreenX(8) + 3, y), -1);
}

TEST_F(GanttSuite, SampleTasksAndDefaults)
{
    TBarChart c;
    TGanttSeries& s = AddPointSeries<TGanttSeries>(c);
    EXPECT_FALSE(s.YMandatory());
    EXPECT_EQ(s.StartValues()->Name(), "Start");
    EXPECT_TRUE(s.StartValues()->DateTime());
    EXPECT_TRUE(s.EndValues()->DateTime());
    EXPECT_EQ(s.NextTask()->Name(), "NextTask");
    EXPECT_TRUE(s.ColorEachPoint());
    EXPECT_FALSE(s.ClickableLine());
    EXPECT_EQ(s.Pointer()->Style(), psRectangle);
    EXPECT_FALSE(s.HasCallout());
    EXPECT_FALSE(s.Callout()->Visible());
    EXPECT_EQ(s.Callout()->Style(), psRightTriangle);
    EXPECT_EQ(EditorFormClassNameOf(TGanttSeries::StaticClass()), "TGanttSeriesEditor");
    EXPECT_EQ(TaskSampleName(0), "Design");
    EXPECT_EQ(TaskSampleName(8), "New Version");
    EXPECT_EQ(TaskSampleName(9), "Banking");

    RandSeed = 5;
    s.AddRandomPoints(40, false);
    ASSERT_GE(s.Count(), 11);
    const double today = Date();
    for (int i = 0; i < s.Count(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_GE(s.StartValues()->ValueAt(i), today);
        EXPECT_GE(s.EndValues()->ValueAt(i) - s.StartValues()->ValueAt(i), 9);
        const double next = s.NextTask()->ValueAt(i);
        if (next >= 0) EXPECT_LT(s.EndValues()->ValueAt(i), s.StartValues()->ValueAt(static_cast<int>(next)));
    }

    StartGanttUnit();
    const TZebSeriesType* type = RegisteredSeriesTypes().FindSeriesType(TGanttSeries::StaticClass());
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->NumGallerySeries, 1);
    StopGanttUnit();
}
