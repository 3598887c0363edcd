// The cursor: its first place, snapping, its events, its values across a zoom and the inverted
// erase that repeats the last figure.
#include <string>
#include <vector>

#include "ToolFixture.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ValueList.h"
#include "chart/tools/CursorTool.h"
#include "platform/classes/Published.h"

// A series with a Z value per point.
class TXYZToolSeries : public TToolSeries {
    TV_CLASS(TXYZToolSeries, TToolSeries)
public:
    explicit TXYZToolSeries(TComponent* owner) : TToolSeries(owner), z_(new TChartValueList(this, "Z")) {}
    void InsertXYZ(double x, double y, double z)
    {
        InsertXY(x, y);
        z_->SetValueAt(Count() - 1, z);
    }

private:
    TChartValueList* z_;
};

TV_PUBLISHED(TXYZToolSeries) {}

namespace {

class CursorTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        // Points (0, 0), (1, 10) .. (10, 100).
        for (int i = 0; i <= 10; ++i) series.InsertXY(i, 10 * i);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 10);
        chart.LeftAxis()->ApplyRange(0, 100);
        tool.SetParentChart(&chart);
    }
    // The cursor's lines of one log, as "MoveTo..LineTo" pairs at its crossing's row and column.
    static std::vector<std::string> Lines(const TRecordingCanvas& canvas)
    {
        std::vector<std::string> lines;
        const auto& log = canvas.Log();
        for (size_t i = 0; i + 1 < log.size(); ++i)
            if (log[i].rfind("MoveTo", 0) == 0 && log[i + 1].rfind("LineTo", 0) == 0)
                lines.push_back(log[i] + " " + log[i + 1]);
        return lines;
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TCursorTool& tool = *new TCursorTool(form.get());
};

TEST_F(CursorTest, ANewCrossHairStandsAtTheMiddleOfItsAxes)
{
    Record();
    const TChartAxis& bottom = *chart.BottomAxis();
    const TChartAxis& left = *chart.LeftAxis();
    const TPoint middle{(bottom.StartPixel() + bottom.EndPixel()) / 2, (left.StartPixel() + left.EndPixel()) / 2};
    EXPECT_EQ(tool.CursorPoint(), middle);
    EXPECT_DOUBLE_EQ(tool.XValue(), bottom.PixelToValue(middle.X));
    EXPECT_DOUBLE_EQ(tool.YValue(), left.PixelToValue(middle.Y));
}

TEST_F(CursorTest, SnappingTakesTheNearestPointAndTheLowerIndexOnATie)
{
    tool.SetSeries(&series);
    tool.SetSnap(true);
    Frame();
    struct Case {
        TCursorToolStyle style;
        TSnapStyle snapStyle;
        double x, y;
        int index;
        double snappedX, snappedY;
    };
    const Case cases[] = {
        {cssVertical, TSnapStyle::ssDefault, 2.4, 77, 2, 2, 77},   // X decides; Y stays
        {cssVertical, TSnapStyle::ssDefault, 2.5, 77, 2, 2, 77},   // tie: the lower index
        {cssVertical, TSnapStyle::ssDefault, 2.6, 0, 3, 3, 0},
        {cssHorizontal, TSnapStyle::ssDefault, 9, 61, 6, 9, 60},   // Y decides; X stays
        {cssBoth, TSnapStyle::ssDefault, 7, 21, 2, 2, 20},         // the nearest in both
        {cssBoth, TSnapStyle::ssVertical, 7, 21, 7, 7, 70},        // by X alone
        {cssBoth, TSnapStyle::ssHorizontal, 1, 79, 8, 8, 80},      // by Y alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.x) + "," + std::to_string(c.y));
        tool.SetStyle(c.style);
        tool.SetSnapStyle(c.snapStyle);
        tool.SetXValue(c.x);
        tool.SetYValue(c.y);
        EXPECT_EQ(tool.SnapToPoint(), c.index);
        EXPECT_DOUBLE_EQ(tool.XValue(), c.snappedX);
        EXPECT_DOUBLE_EQ(tool.YValue(), c.snappedY);
    }
}

TEST_F(CursorTest, ASeriesWithZValuesIsMeasuredByXAndZ)
{
    auto& xyz = *new TXYZToolSeries(form.get());
    // Near in Y but far in Z, and the other way round.
    xyz.InsertXYZ(5, 50, 0);
    xyz.InsertXYZ(5, 0, 50);
    xyz.SetParentChart(&chart);
    tool.SetSeries(&xyz);
    tool.SetSnap(true);
    tool.SetStyle(cssBoth);
    Frame();
    tool.SetXValue(5);
    tool.SetYValue(50);
    EXPECT_EQ(tool.SnapToPoint(), 1);
    EXPECT_DOUBLE_EQ(tool.YValue(), 0) << "the point's Y is taken";
}

TEST_F(CursorTest, FollowingTheMouseReportsEveryMoveAndEachNewSnappedPoint)
{
    tool.SetSeries(&series);
    tool.SetSnap(true);
    tool.SetStyle(cssVertical);
    tool.SetFollowMouse(true);
    Frame();
    int changes = 0;
    std::vector<int> snapped;
    tool.SetOnChange([&](TCursorTool*, int, int, double, double, TChartSeries*, int) { ++changes; });
    tool.SetOnSnapChange(
        [&](TCursorTool*, int, int, double, double, TChartSeries*, int index) { snapped.push_back(index); });
    const TChartAxis& bottom = *chart.BottomAxis();
    const int y = chart.ChartRect().Top + 20;
    for (double x : {2.1, 2.2, 2.9, 3.1})
        testkit::MouseMove(chart, bottom.ValueToPixel(x), y);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(snapped, (std::vector<int>{2, 3}));
    EXPECT_DOUBLE_EQ(tool.XValue(), 3);
    // Outside the axes the cursor stays.
    testkit::MouseMove(chart, bottom.ValueToPixel(8), chart.ChartRect().Bottom + 5);
    EXPECT_DOUBLE_EQ(tool.XValue(), 3);
}

TEST_F(CursorTest, TheCursorKeepsItsValuesThroughAZoom)
{
    tool.SetXValue(5);
    tool.SetYValue(50);
    Frame();
    chart.BottomAxis()->ApplyRange(4, 6);
    Frame();
    EXPECT_DOUBLE_EQ(tool.XValue(), 5);
    EXPECT_EQ(tool.CursorPoint().X, chart.BottomAxis()->ValueToPixel(5));
}

TEST_F(CursorTest, ADragErasesByRepeatingTheLastFigureThenDrawsTheNewOne)
{
    tool.SetXValue(5);
    tool.SetYValue(50);
    // The frame ends with the cursor's two lines.
    const std::vector<std::string> frame = Lines(Record());
    ASSERT_GE(frame.size(), 2u);
    const std::vector<std::string> before(frame.end() - 2, frame.end());
    const TPoint at = tool.CursorPoint();
    TCanvas3D* own = chart.ExchangeCanvas(recording.get());
    recording->ClearLog();
    tool.HandleMouse(tmkDown, mbLeft, {}, at.X, at.Y);
    EXPECT_EQ(tool.DragPart(), 3);
    tool.HandleMouse(tmkMove, mbLeft, {}, at.X + 20, at.Y + 10);
    tool.HandleMouse(tmkUp, mbLeft, {}, at.X + 20, at.Y + 10);
    chart.ExchangeCanvas(own);
    const std::vector<std::string> moved = Lines(*recording);
    ASSERT_EQ(moved.size(), 4u) << recording->LogText();
    EXPECT_EQ(moved[0], before[0]);
    EXPECT_EQ(moved[1], before[1]);
    EXPECT_EQ(tool.CursorPoint(), (TPoint{at.X + 20, at.Y + 10}));
    EXPECT_NE(moved[2], before[0]);
}

TEST_F(CursorTest, TheHitTestNamesTheLineUnderTheMouse)
{
    tool.SetXValue(5);
    tool.SetYValue(50);
    Frame();
    const TPoint at = tool.CursorPoint();
    struct Case {
        TCursorToolStyle style;
        int dx, dy, part;
    };
    const Case cases[] = {
        {cssBoth, 0, 0, 3},      {cssBoth, 30, 3, 1},       {cssBoth, 3, 30, 2},       {cssBoth, 30, 4, 0},
        {cssHorizontal, 0, 0, 1}, {cssHorizontal, 2, 30, 0}, {cssVertical, 0, 0, 2},   {cssScopeOnly, 0, 0, 3},
        {cssScopeOnly, 30, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + " " + std::to_string(c.dx) + "," + std::to_string(c.dy));
        tool.SetStyle(c.style);
        EXPECT_EQ(tool.HitTest(at.X + c.dx, at.Y + c.dy), c.part);
    }
    // HorizSize narrows where the horizontal line can be grabbed.
    tool.SetStyle(cssHorizontal);
    tool.SetHorizSize(20);
    EXPECT_EQ(tool.HitTest(at.X + 20, at.Y), 1);
    EXPECT_EQ(tool.HitTest(at.X + 21, at.Y), 0);
}

}  // namespace
