// Histogram series on the recording canvas: contiguous bars, gaps at nulls, the base of the bars
// and the one-point-wider visible range.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/core/ChartAxis.h"
#include "chart/series/HistogramSeries.h"
#include "tests/chart/series/BarFixtures.h"

namespace {

class HistogramSuite : public BarSuite {};

// A histogram of values at X 0, 1, 2 ...; a value below 0 is a null point.
THistogramSeries& AddHistogram(TBarChart& c, std::initializer_list<double> values)
{
    auto* series = new THistogramSeries(c.root.get());
    series->SetParentChart(&c.chart);
    series->Marks().SetVisible(false);
    for (const double v : values) series->AppendMainValue(std::max(v, 0.0), String(), v < 0 ? clNullPoint : clAutomatic);
    return *series;
}

std::vector<TRect> Bars(THistogramSeries& s)
{
    std::vector<TRect> out;
    for (int i = s.FirstVisibleIndex(); i <= s.LastVisibleIndex(); ++i) out.push_back(s.ComputeBinRect(i));
    return out;
}

// Vertical lines the log shows as MoveTo(x,a) LineTo(x,b).
std::vector<std::string> VerticalLines(const TBarChart& c)
{
    std::vector<std::string> out;
    const std::vector<std::string> log = c.Shapes({"MoveTo", "LineTo"});
    for (size_t i = 0; i + 1 < log.size(); ++i) {
        int x0, y0, x1, y1;
        if (std::sscanf(log[i].c_str(), "MoveTo(%d,%d)", &x0, &y0) == 2 &&
            std::sscanf(log[i + 1].c_str(), "LineTo(%d,%d)", &x1, &y1) == 2 && x0 == x1)
            out.push_back(std::to_string(x0) + ":" + std::to_string(y0) + "-" + std::to_string(y1));
    }
    return out;
}

}  // namespace

TEST_F(HistogramSuite, AdjacentBarsShareOnePixelColumn)
{
    TBarChart c;
    THistogramSeries& s = AddHistogram(c, {3, 5, 2, 4});
    c.Frame();
    const std::vector<TRect> bars = Bars(s);
    ASSERT_EQ(bars.size(), 4u);
    for (size_t i = 1; i < bars.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bars[i].Left, bars[i - 1].Right - 1);
        EXPECT_EQ(bars[i].Top, s.PointScreenY(static_cast<int>(i)));
        EXPECT_EQ(bars[i].Bottom, c.chart.LeftAxis()->EndPixel());
    }
    // The point sits in the middle of its bar.
    EXPECT_NEAR((bars[1].Left + bars[1].Right) / 2.0, s.PointScreenX(1), 1.0);
}

TEST_F(HistogramSuite, NullGapIsClosedByFullHeightEdges)
{
    TBarChart c;
    THistogramSeries& s = AddHistogram(c, {3, 5, -1, 4});
    c.Frame();
    const int base = c.chart.LeftAxis()->EndPixel();
    const std::vector<TRect> bars = Bars(s);
    const std::vector<std::string> lines = VerticalLines(c);
    const std::string before = std::to_string(bars[1].Right - 1) + ":" + std::to_string(bars[1].Top) + "-" +
                               std::to_string(base);
    const std::string after = std::to_string(bars[3].Left) + ":" + std::to_string(bars[3].Top) + "-" +
                              std::to_string(base);
    EXPECT_NE(std::find(lines.begin(), lines.end(), before), lines.end()) << before;
    EXPECT_NE(std::find(lines.begin(), lines.end(), after), lines.end()) << after;
    EXPECT_EQ(s.HitTest((bars[2].Left + bars[2].Right) / 2, base - 2), -1);
    EXPECT_EQ(s.HitTest((bars[3].Left + bars[3].Right) / 2, base - 2), 3);
}

TEST_F(HistogramSuite, BaseOfTheBars)
{
    struct Case {
        const char* name;
        bool useOrigin, inverted;
    };
    for (const Case& k : {Case{"axis end", false, false}, Case{"origin 5", true, false}, Case{"inverted", true, true}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        THistogramSeries& s = AddHistogram(c, {2, 8, 6});
        s.SetYOrigin(5);
        s.SetUseYOrigin(k.useOrigin);
        c.chart.LeftAxis()->SetInverted(k.inverted);
        c.Frame();
        const TChartAxis& axis = *c.chart.LeftAxis();
        const std::vector<TRect> bars = Bars(s);
        const int expected = k.inverted ? axis.StartPixel() : k.useOrigin ? s.ValueScreenY(5) : axis.EndPixel();
        for (const TRect& r : bars) EXPECT_EQ(r.Bottom, expected);
        // Below the origin the bar reaches down from it.
        if (k.useOrigin && !k.inverted) EXPECT_GT(bars[0].Top, bars[0].Bottom);
    }
}

TEST_F(HistogramSuite, OuterHalfBarsAreInTheVisibleRange)
{
    TBarChart c;
    THistogramSeries& s = AddHistogram(c, {1, 2, 3, 4, 5, 6, 7});
    TChartAxis& axis = *c.chart.BottomAxis();
    axis.SetAutomatic(false);
    axis.SetMaximum(4.8);
    axis.SetMinimum(2.2);
    c.Frame();
    EXPECT_EQ(s.FirstVisibleIndex(), 2);  // points 3 and 4 in view, one more each side
    EXPECT_EQ(s.LastVisibleIndex(), 5);
}

TEST_F(HistogramSuite, LoneBarTakesTheAxisBinWidth)
{
    TBarChart c;
    THistogramSeries& s = AddHistogram(c, {4});
    c.Frame();
    const TRect bar = s.ComputeBinRect(0);
    const int binWidth = c.chart.BottomAxis()->AxisSize();
    EXPECT_NEAR(bar.Right - bar.Left, binWidth + 2, 1);
}

TEST_F(HistogramSuite, HorizontalBarsStackAlongTheVerticalAxis)
{
    TBarChart c;
    auto* s = new THorizHistogramSeries(c.root.get());
    s->SetParentChart(&c.chart);
    s->Marks().SetVisible(false);
    for (const double v : {3.0, 5.0, 2.0}) s->AppendMainValue(v);
    c.Frame();
    const std::vector<TRect> bars = Bars(*s);
    ASSERT_EQ(bars.size(), 3u);
    for (size_t i = 0; i < bars.size(); ++i) {
        EXPECT_EQ(bars[i].Left, c.chart.BottomAxis()->StartPixel());
        EXPECT_EQ(bars[i].Right, s->PointScreenX(static_cast<int>(i)) + 1);
        if (i > 0) EXPECT_EQ(bars[i].Top, bars[i - 1].Bottom + 1);
    }
}
