// Free drawing: new figures from a drag, selection and its veto, dragging by a handle or whole,
// and figures held in values across a zoom.
#include <string>

#include "ToolFixture.h"
#include "chart/canvas/ZebPen.h"
#include "chart/tools/DrawLineTool.h"

namespace {

class DrawLineTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(0, 0);
        series.InsertXY(10, 100);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 10);
        chart.LeftAxis()->ApplyRange(0, 100);
        tool.SetParentChart(&chart);
        Frame();
    }
    TPoint At(double x, double y) const { return tool.AxisPoint(x, y); }
    void Drag(TPoint from, TPoint to)
    {
        testkit::MouseDown(chart, mbLeft, from.X, from.Y);
        testkit::MouseMove(chart, (from.X + to.X) / 2, (from.Y + to.Y) / 2);
        testkit::MouseMove(chart, to.X, to.Y);
        testkit::MouseUp(chart, mbLeft, to.X, to.Y);
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TDrawLineTool& tool = *new TDrawLineTool(form.get());
};

TEST_F(DrawLineTest, ADragDrawsAFigureInValuesAndAClickWithoutAMoveDrawsNothing)
{
    int added = 0;
    tool.SetOnNewLine([&](TObject*) { ++added; });
    const TPoint p = At(2, 20);
    testkit::MouseDown(chart, mbLeft, p.X, p.Y);
    testkit::MouseUp(chart, mbLeft, p.X, p.Y);
    EXPECT_EQ(tool.Lines()->Count(), 0);
    EXPECT_EQ(added, 0);

    // From right to left: the start stays at the press.
    Drag(At(8, 80), At(2, 20));
    ASSERT_EQ(tool.Lines()->Count(), 1);
    const TDrawLine& line = *tool.Lines()->Items(0);
    EXPECT_NEAR(line.X0(), 8, 0.05);
    EXPECT_NEAR(line.Y0(), 80, 0.5);
    EXPECT_NEAR(line.X1(), 2, 0.05);
    EXPECT_NEAR(line.Y1(), 20, 0.5);
    EXPECT_EQ(tool.Selected(), &line);
    EXPECT_EQ(added, 1);
    EXPECT_FALSE(tool.Drawing());
}

TEST_F(DrawLineTest, WithoutDrawingAClickOnEmptySpaceOnlyClearsTheSelection)
{
    TDrawLine* line = tool.Lines()->AppendLine(1, 10, 3, 30);
    tool.SelectLine(line);
    tool.SetEnableDraw(false);
    const TPoint p = At(8, 20);
    testkit::MouseDown(chart, mbLeft, p.X, p.Y);
    EXPECT_EQ(tool.Selected(), nullptr);
    EXPECT_FALSE(tool.Drawing());
    EXPECT_FALSE(chart.MouseHandled());
    testkit::MouseUp(chart, mbLeft, p.X, p.Y);
    EXPECT_EQ(tool.Lines()->Count(), 1);
}

TEST_F(DrawLineTest, TheStartHandleMovesOnlyTheStartAndAnUnselectedFigureMovesWhole)
{
    TDrawLine* line = tool.Lines()->AppendLine(2, 20, 6, 60);
    tool.SelectLine(line);
    Frame();
    int dragged = 0;
    tool.SetOnDraggedLine([&](TObject*) { ++dragged; });
    Drag(At(2, 20), At(4, 10));
    EXPECT_NEAR(line->X0(), 4, 0.05);
    EXPECT_NEAR(line->Y0(), 10, 0.5);
    EXPECT_DOUBLE_EQ(line->X1(), 6);
    EXPECT_DOUBLE_EQ(line->Y1(), 60);
    EXPECT_EQ(dragged, 1);

    TDrawLine* other = tool.Lines()->AppendLine(7, 70, 9, 90);
    Drag(At(8, 80), At(7, 60));
    EXPECT_EQ(tool.Selected(), other);
    EXPECT_NEAR(other->X0(), 6, 0.05);
    EXPECT_NEAR(other->Y0(), 50, 0.5);
    EXPECT_NEAR(other->X1(), 8, 0.05);
    EXPECT_NEAR(other->Y1(), 70, 0.5);
}

TEST_F(DrawLineTest, ARefusedSelectionKeepsThePreviousOne)
{
    TDrawLine* first = tool.Lines()->AppendLine(1, 10, 3, 30);
    TDrawLine* second = tool.Lines()->AppendLine(6, 10, 9, 10);
    tool.SelectLine(first);
    TDrawLine* asked = nullptr;
    tool.SetOnSelecting([&](TDrawLineTool*, TDrawLine* line, bool& allow) {
        asked = line;
        allow = false;
    });
    const TPoint p = At(7.5, 10);
    testkit::MouseDown(chart, mbLeft, p.X, p.Y);
    testkit::MouseUp(chart, mbLeft, p.X, p.Y);
    EXPECT_EQ(asked, second);
    EXPECT_EQ(tool.Selected(), first);
    EXPECT_DOUBLE_EQ(second->X0(), 6);
}

TEST_F(DrawLineTest, HitTestsFollowTheFigureStyle)
{
    TDrawLine& line = *tool.Lines()->AppendLine(2, 20, 6, 60);
    const TPoint p = At(2, 20), q = At(6, 60);
    const TPoint mid{(p.X + q.X) / 2, (p.Y + q.Y) / 2};
    struct Case {
        TDrawLineStyle style;
        TPoint at;
        bool hit;
    };
    const Case cases[] = {
        {dlLine, mid, true},           {dlLine, {mid.X, mid.Y - 6}, false}, {dlHorizParallel, {mid.X, p.Y}, true},
        {dlHorizParallel, mid, false}, {dlVertParallel, {q.X, mid.Y}, true}, {dlVertParallel, mid, false},
        {dlRectangle, mid, true},      {dlEllipse, {q.X + 2, mid.Y}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TDrawLineStyleNames[c.style]);
        line.SetStyle(c.style);
        EXPECT_EQ(tool.Clicked(line, c.at.X, c.at.Y, 0), c.hit);
    }
    tool.SetClickTolerance(6);
    line.SetStyle(dlLine);
    EXPECT_TRUE(tool.Clicked(line, mid.X, mid.Y - 6, 0));
}

TEST_F(DrawLineTest, FiguresKeepTheirValuesAcrossAZoomAndAreClippedToTheAxes)
{
    tool.SetSeries(&series);
    tool.Lines()->AppendLine(2, 20, 6, 60);
    chart.BottomAxis()->ApplyRange(0, 5);
    Frame();
    const TPoint p = At(2, 20), q = At(6, 60);
    EXPECT_EQ(p.X, chart.BottomAxis()->ValueToPixel(2));
    EXPECT_GT(q.X, chart.BottomAxis()->EndPixel());
    const TRecordingCanvas& canvas = Record();
    EXPECT_TRUE(Logged(canvas, "ClipToBox"));
    const TPoint drawn = At(6, 60);
    EXPECT_TRUE(Logged(canvas, "LineTo(" + std::to_string(drawn.X) + "," + std::to_string(drawn.Y) + ")"));
}

TEST_F(DrawLineTest, AFigureCopiesItsOwnPenAndOtherwiseFollowsTheTools)
{
    TDrawLine& plain = *tool.Lines()->AppendLine(0, 0, 1, 1);
    TDrawLine& own = *tool.Lines()->AppendLine(0, 0, 1, 1);
    tool.Pen()->SetColor(clRed);
    own.Pen()->SetWidth(4);
    EXPECT_EQ(own.Pen()->Color(), clRed);
    EXPECT_EQ(plain.DrawPen(), tool.Pen());
    TDrawLine& copy = *tool.Lines()->AppendLine(0, 0, 0, 0);
    copy.Assign(&own);
    ASSERT_TRUE(copy.HasPen());
    EXPECT_EQ(copy.Pen()->Width(), 4);
    copy.Assign(&plain);
    EXPECT_FALSE(copy.HasPen());
    // Freeing the selected figure clears the selection.
    tool.SelectLine(&own);
    tool.Lines()->Delete(own.Index());
    EXPECT_EQ(tool.Selected(), nullptr);
}

}  // namespace
