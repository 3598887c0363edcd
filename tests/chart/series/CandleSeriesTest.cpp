// Candle series on the recording canvas: up and down, the halves of a body on both canvases, flat
// bodies, tick colours, the close line and its gaps, candles by index, the legend symbol and hits.
#include <cstdio>

#include "SeriesTestPanel.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZebPen.h"
#include "chart/series/CandleSeries.h"
#include "platform/classes/Published.h"

namespace {

// Logs the pen colour of every line drawn.
class TPenCanvas : public TRecordingCanvas {
    TV_CLASS(TPenCanvas, TRecordingCanvas)
public:
    using TRecordingCanvas::TRecordingCanvas;
    void LineTo(int x, int y) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "Pen(%06x)", static_cast<unsigned>(Pen()->Color()));
        Note(text);
        TRecordingCanvas::LineTo(x, y);
    }
};

// Logs the pen colour of every 3-D box.
class TBoxPenCanvas : public TRecordingCanvas {
    TV_CLASS(TBoxPenCanvas, TRecordingCanvas)
public:
    using TRecordingCanvas::TRecordingCanvas;
    void DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides, int roundSize) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "BoxPen(%06x)", static_cast<unsigned>(Pen()->Color()));
        Note(text);
        TRecordingCanvas::DrawBox(left, right, top, bottom, z0, z1, darkSides, roundSize);
    }
};

}  // namespace

TV_PUBLISHED(TPenCanvas) {}
TV_PUBLISHED(TBoxPenCanvas) {}

namespace {

struct Candle {
    double open, high, low, close;
};

class CandleSuite : public LineFamily {
protected:
    TCandleSeries& Candles(std::initializer_list<Candle> candles)
    {
        auto* s = new TCandleSeries(&owner);
        s->SetParentChart(&chart);
        double date = 1;
        for (const Candle& c : candles) s->AppendCandle(String(), clAutomatic, date++, c.open, c.high, c.low, c.close);
        return *s;
    }
};

TEST_F(CandleSuite, UpAndDownFollowTheColorStyle)
{
    struct Case {
        const char* name;
        TCandleColorStyle style;
        std::initializer_list<Candle> candles;
        std::vector<bool> up;
    };
    const Case cases[] = {
        {"to open", cssRelativeToOpen, {{2, 5, 1, 4}, {4, 5, 1, 3}}, {true, false}},
        {"flat first candle is up", cssRelativeToOpen, {{3, 5, 1, 3}}, {true}},
        {"flat candle above the previous close", cssRelativeToOpen, {{4, 5, 1, 3}, {6, 7, 1, 6}}, {false, true}},
        {"flat candle below the previous close", cssRelativeToOpen, {{2, 5, 1, 4}, {3, 5, 1, 3}}, {true, false}},
        {"to close", cssRelativeToClose, {{2, 5, 1, 4}, {6, 7, 1, 5}, {6, 7, 1, 5}, {1, 7, 1, 4}}, {true, true, true, false}},
        {"to close, equal closes keep a down", cssRelativeToClose, {{2, 5, 1, 4}, {1, 7, 1, 3}, {9, 9, 1, 3}},
         {true, false, false}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TCandleSeries& s = Candles(k.candles);
        s.SetColorStyle(k.style);
        for (int i = 0; i < s.Count(); ++i) {
            EXPECT_EQ(s.CandleGradient(i) == s.UpCloseGradient(), k.up[static_cast<size_t>(i)]) << i;
            EXPECT_EQ(s.CandleColor(i), k.up[static_cast<size_t>(i)] ? clWhite : clRed);
        }
        s.Free();
    }
}

TEST_F(CandleSuite, HalvesOfAnOddWidthOnBothCanvases)
{
    TCandleSeries& s = Candles({{2, 5, 1, 4}});
    s.SetCandleWidth(5);
    TCandleSeries::TCandleGeometry g = s.CandleGeometry(0);
    EXPECT_EQ(g.left, 2);
    EXPECT_EQ(g.right, 3);
    chart.ReplaceCanvas(new TGDIPlusCanvas());
    g = s.CandleGeometry(0);
    EXPECT_EQ(g.left, 2);
    EXPECT_EQ(g.right, 2);
    canvas = nullptr;
}

TEST_F(CandleSuite, FlatBodyIsOnePixelTallIn2D)
{
    TCandleSeries& s = Candles({{3, 5, 1, 3}, {2, 5, 1, 4}});
    Draw(s);
    const auto rects = canvas->Calls("Rectangle");
    ASSERT_EQ(rects.size(), 2u);
    char expected[64];
    std::snprintf(expected, sizeof expected, "Rectangle(%d,%d,%d,%d)", X(1) - 2, Y(3) - 1, X(1) + 3, Y(3));
    EXPECT_EQ(rects[0].substr(0, rects[0].find(' ')), expected);
    std::snprintf(expected, sizeof expected, "Rectangle(%d,%d,%d,%d)", X(2) - 2, Y(4), X(2) + 3, Y(2));
    EXPECT_EQ(rects[1].substr(0, rects[1].find(' ')), expected);
}

TEST_F(CandleSuite, FlatBoxIn3DIsBorderedInTheCandleColour)
{
    auto* boxCanvas = new TBoxPenCanvas(500, 400);
    chart.ReplaceCanvas(boxCanvas);
    canvas = boxCanvas;
    chart.SetView3D(true);
    TCandleSeries& s = Candles({{3, 5, 1, 3}, {2, 5, 1, 4}});
    s.SetUpCloseColor(clLime);
    Draw(s);
    EXPECT_EQ(canvas->Calls("BoxPen"), (std::vector<std::string>{"BoxPen(00ff00)", "BoxPen(000000)"}));
}

TEST_F(CandleSuite, TicksTakeTheirColourOrTheCandles)
{
    auto* penCanvas = new TPenCanvas(500, 400);
    chart.ReplaceCanvas(penCanvas);
    canvas = penCanvas;
    struct Case {
        const char* name;
        TColor open, close;
        std::vector<std::string> pens;  // high-low, open tick, close tick
    };
    const Case cases[] = {
        {"no colours", clNullPoint, clNullPoint, {"Pen(0000ff)", "Pen(0000ff)", "Pen(0000ff)"}},
        {"open tick green", clGreen, clNullPoint, {"Pen(0000ff)", "Pen(008000)", "Pen(0000ff)"}},
        {"close tick blue", clNullPoint, clBlue, {"Pen(0000ff)", "Pen(0000ff)", "Pen(ff0000)"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TCandleSeries& s = Candles({{4, 5, 1, 2}});  // a down candle: red
        s.SetCandleStyle(csCandleBar);
        s.SetOpenTickColor(k.open);
        s.SetCloseTickColor(k.close);
        Draw(s);
        EXPECT_EQ(canvas->Calls("Pen"), k.pens);
        s.Free();
    }
}

TEST_F(CandleSuite, CloseLineIsBrokenByANullPoint)
{
    TCandleSeries& s = Candles({{2, 5, 1, 4}, {2, 5, 1, 3}, {2, 5, 1, 5}, {2, 5, 1, 6}, {2, 5, 1, 2}});
    s.SetCandleStyle(csLine);
    EXPECT_EQ(s.HighestY(), 6);
    EXPECT_EQ(s.LowestY(), 2);
    Draw(s);
    EXPECT_EQ(canvas->Calls("LineTo").size(), 4u);
    s.SetPointNull(2, true);
    Draw(s);
    // 0-1, then 3 starts again after the gap: 3-4.
    EXPECT_EQ(canvas->Calls("LineTo").size(), 2u);
}

TEST_F(CandleSuite, RemoveGapsPlacesCandlesByIndex)
{
    TCandleSeries& s = Candles({});
    for (double date : {3.0, 7.0, 8.5}) s.AppendCandle(String(), clAutomatic, date, 2, 5, 1, 4);
    s.SetRemoveGaps(true);
    EXPECT_TRUE(s.PlacesByPointIndex());
    EXPECT_EQ(s.LowestX(), 0);
    EXPECT_EQ(s.HighestX(), 2);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.PointScreenX(i), X(i));
    s.SetRemoveGaps(false);
    EXPECT_EQ(s.LowestX(), 3);
    EXPECT_EQ(s.PointScreenX(1), X(7));
}

TEST_F(CandleSuite, AutoSizeMarginIsHalfTheClosestGapAndFourForOneCandle)
{
    struct Case {
        const char* name;
        std::vector<double> dates;
        bool autoSize;
        int margin;
    };
    // One unit of X is 30 pixels; the axis' ends are automatic, so the candles widen them.
    chart.BottomAxis()->SetAutomatic(true);
    const Case cases[] = {
        {"one candle", {2}, true, 4},
        {"closest gap of one unit", {1, 2, 4}, true, 15},
        {"closest gap of two units", {1, 3, 7}, true, 30},
        {"fixed width", {1, 2}, false, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TCandleSeries& s = Candles({});
        for (double d : k.dates) s.AppendCandle(String(), clAutomatic, d, 2, 5, 1, 4);
        s.SetAutoSize(k.autoSize);
        TRect margins{0, 0, 0, 0};
        s.MeasureAxisOverhang(*chart.BottomAxis(), margins);
        EXPECT_EQ(margins.Left, k.margin);
        EXPECT_EQ(margins.Right, k.margin);
        if (k.autoSize) {
            EXPECT_EQ(s.CandleMargin(), k.margin);
        }
        s.Free();
    }
}

TEST_F(CandleSuite, LegendSymbolIsABodyWithTwoWicks)
{
    TCandleSeries& s = Candles({{2, 5, 1, 4}});
    canvas->ClearLog();
    s.FillLegendSymbol(-1, {10, 10, 30, 30});
    const auto& log = canvas->Log();
    std::vector<std::string> shapes;
    for (const std::string& line : log) shapes.push_back(line.substr(0, line.find(' ')));
    const std::vector<std::string> expected{"Rectangle(13,14,27,26)", "MoveTo(20,10)", "LineTo(20,13)",
                                            "MoveTo(20,30)", "LineTo(20,27)"};
    std::vector<std::string> drawn;
    for (const std::string& shape : shapes)
        if (shape.rfind("Rectangle", 0) == 0 || shape.rfind("MoveTo", 0) == 0 || shape.rfind("LineTo", 0) == 0)
            drawn.push_back(shape);
    EXPECT_EQ(drawn, expected);
}

TEST_F(CandleSuite, HitTestsPerStyle)
{
    TCandleSeries& s = Candles({{2, 6, 1, 4}, {5, 9, 3, 8}});
    s.SetCandleWidth(6);
    struct Case {
        const char* name;
        TCandleStyle style;
        int x, y, expected;
    };
    const int x1 = X(1), x2 = X(2);
    const Case cases[] = {
        {"stick wick", csCandleStick, x1, Y(5.5), 0},
        {"stick body", csCandleStick, x1 + 3, Y(3), 0},
        {"stick beside the body", csCandleStick, x1 + 5, Y(3), -1},
        {"open-close has no wick", csOpenClose, x1, Y(5.5), -1},
        {"open-close body", csOpenClose, x2 - 3, Y(6), 1},
        {"bar open tick", csCandleBar, x1 - 4, Y(2), 0},
        {"bar close tick", csCandleBar, x2 + 4, Y(8), 1},
        {"bar beside the ticks", csCandleBar, x2 - 4, Y(8), -1},
        {"line segment", csLine, (x1 + x2) / 2, (Y(4) + Y(8)) / 2, 1},
        {"line before the first point", csLine, x1 - 5, Y(4), -1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        s.SetCandleStyle(k.style);
        Draw(s);
        EXPECT_EQ(s.HitTest(k.x, k.y), k.expected);
    }
}

}  // namespace
