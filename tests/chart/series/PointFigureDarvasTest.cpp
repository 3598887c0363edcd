// Point-and-figure columns and Darvas boxes: reversals, the legend, tiny boxes (one symbol per
// pixel row at most), and the boxes the state machine finds and draws.
#include <set>

#include "BlendCanvas.h"
#include "SeriesTestPanel.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/PointFigureSeries.h"

namespace {

struct HighLow {
    double high, low;
};

template <class S>
S& Prices(TComponent& owner, TLineTestPanel& chart, std::initializer_list<HighLow> prices)
{
    auto* s = new S(&owner);
    s->SetParentChart(&chart);
    double x = 0;
    for (const HighLow& p : prices) s->AppendOHLC(String(), clAutomatic, x++, p.low, p.high, p.low, p.high);
    return *s;
}

TEST_F(LineFamily, PointFigureColumnsReverseByTheReversalAmount)
{
    struct Case {
        const char* name;
        std::initializer_list<HighLow> prices;
        int columns;
    };
    const Case cases[] = {
        {"no points", {}, 0},
        {"never a box, never a reversal", {{10, 9}, {10.5, 8.5}, {11.9, 8.1}}, 1},
        {"rise of 3 boxes, fall of exactly 3", {{10, 10}, {13, 12}, {12, 10}}, 3},
        {"rise of 3 boxes, fall of 2.9", {{10, 10}, {13, 12}, {12, 10.1}}, 2},
        {"falls extend the first column", {{10, 10}, {10, 9}, {10, 7}, {10, 5}}, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto& s = Prices<TPointFigureSeries>(owner, chart, k.prices);
        EXPECT_EQ(s.CalcColumns(false), k.columns);
        if (k.columns > 0) {
            EXPECT_EQ(s.HighestX(), k.columns - 1);
            EXPECT_EQ(s.ColumnMap().back(), k.columns - 1);
        }
        EXPECT_EQ(s.LowestX(), 0);
        s.Free();
    }
}

TEST_F(LineFamily, PointFigureSettingsAndLegend)
{
    auto& s = Prices<TPointFigureSeries>(owner, chart, {{10, 9}});
    EXPECT_FALSE(s.XValues()->DateTime());
    for (double bad : {0.0, -1.0}) {
        s.SetBoxSize(bad);
        EXPECT_EQ(s.BoxSize(), 1.0);
    }
    s.SetBoxSize(0.5);
    EXPECT_EQ(s.BoxSize(), 0.5);
    EXPECT_EQ(s.GetPointCount(), 2);
    EXPECT_EQ(s.FormatLegendText(0, TLegendTextStyle{}), String("Up"));
    EXPECT_EQ(s.FormatLegendText(1, TLegendTextStyle{}), String("Down"));
    EXPECT_EQ(s.GetLegendColor(0), clGreen);
    EXPECT_EQ(s.GetLegendColor(1), clRed);
}

TEST_F(LineFamily, PointFigureFirstColumnIsOfOsFromLowToHigh)
{
    auto& s = Prices<TPointFigureSeries>(owner, chart, {{8, 5}});
    canvas->ClearLog();
    s.DrawVisiblePoints();
    const auto circles = canvas->Calls("Ellipse");
    EXPECT_EQ(circles.size(), 4u);  // 5, 6, 7, 8
    EXPECT_TRUE(canvas->Calls("MoveTo").empty());  // no crosses
}

TEST_F(LineFamily, PointFigureTinyBoxDrawsOneSymbolPerPixelRowAtMost)
{
    for (double box : {1e-9, 1e-300}) {
        SCOPED_TRACE(box);
        auto& s = Prices<TPointFigureSeries>(owner, chart, {{9, 1}});
        s.SetBoxSize(box);
        canvas->ClearLog();
        s.DrawVisiblePoints();
        const auto circles = canvas->Calls("Ellipse");
        std::set<int> rows;
        for (const std::string& c : circles) {
            int left, top, right, bottom;
            ASSERT_EQ(std::sscanf(c.c_str(), "Ellipse(%d,%d,%d,%d)", &left, &top, &right, &bottom), 4);
            EXPECT_TRUE(rows.insert(top).second) << c;
        }
        EXPECT_GT(circles.size(), 200u);  // 1 .. 9 over 240 pixel rows
        EXPECT_LE(circles.size(), 242u);
        s.Free();
    }
    // value + box no longer changes the value: still one column, drawn once.
    auto& big = Prices<TPointFigureSeries>(owner, chart, {{1e17 + 64, 1e17}});
    big.SetBoxSize(1);
    canvas->ClearLog();
    big.DrawVisiblePoints();
    EXPECT_LE(canvas->Calls("Ellipse").size(), 3u);
}

TEST_F(LineFamily, DarvasBoxesFromTheStateMachine)
{
    using Box = TDarvasSeries::TDarvasBox;
    const auto same = [](const std::vector<Box>& a, const std::vector<Box>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (a[i].start != b[i].start || a[i].top != b[i].top || a[i].end != b[i].end || a[i].bottom != b[i].bottom)
                return false;
        return true;
    };
    struct Case {
        const char* name;
        std::initializer_list<HighLow> prices;
        std::vector<Box> boxes;
    };
    const Case cases[] = {
        {"no points", {}, {}},
        {"falling highs, rising lows", {{10, 5}, {9, 6}, {8, 7}}, {{0, 0, 2, 2}}},
        {"rising highs", {{1, 0}, {2, 1}, {3, 2}, {4, 3}}, {{0, 3, 3, 3}}},
        {"a higher high before the bottom holds seeks the top again", {{10, 5}, {9, 4}, {8, 6}, {9, 7}, {12, 8}, {11, 9}},
         {{0, 4, 5, 4}}},
        {"a box left by a higher high", {{10, 5}, {9, 4}, {8, 6}, {9, 7}, {9, 8}, {12, 9}, {11, 10}},
         {{0, 0, 5, 2}, {5, 5, 6, 5}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        auto& s = Prices<TDarvasSeries>(owner, chart, k.prices);
        EXPECT_TRUE(same(s.FindBoxes(), k.boxes));
        s.Free();
    }
}

TEST_F(LineFamily, DarvasBoxesBlendUnlessOpaque)
{
    auto* blendCanvas = new TBlendCanvas(500, 400);
    chart.ReplaceCanvas(blendCanvas);
    canvas = blendCanvas;
    for (int transparency : {0, 70}) {
        SCOPED_TRACE(transparency);
        auto& s = Prices<TDarvasSeries>(owner, chart, {{10, 5}, {9, 6}, {8, 7}});
        s.SetBoxTransparency(transparency);
        Draw(s);
        EXPECT_EQ(canvas->Calls("Blend").size(), transparency ? 1u : 0u);
        // Three candle bodies and one box.
        EXPECT_EQ(canvas->Calls("Rectangle").size(), 4u);
        s.Free();
    }
}

}  // namespace
