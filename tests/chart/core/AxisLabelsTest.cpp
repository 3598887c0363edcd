#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "AxisFixtures.h"
#include "chart/core/AxisLabels.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/ZebProcs.h"

namespace {

TEST(AxisLabels, NiceStepIsTheNextOfOneTwoFive)
{
    struct Case {
        double x, step;
    };
    for (const Case c : {Case{1, 2}, Case{0.3, 0.5}, Case{7, 10}, Case{2, 5}, Case{19, 20}, Case{50, 100},
                         Case{0.002, 0.005}, Case{std::numeric_limits<double>::infinity(), 1}, Case{0, 1}})
        EXPECT_DOUBLE_EQ(NiceStep(c.x), c.step) << c.x;
}

TEST(AxisLabels, GeographicTexts)
{
    struct Case {
        double v;
        bool horizontal;
        const char* text;
    };
    for (const Case c : {Case{12.5, true,
                              "12\xC2\xB0"
                              "30' E"},
                         Case{-0.25, false,
                              "0\xC2\xB0"
                              "15' S"},
                         Case{10, false, "10\xC2\xB0 N"},
                         Case{-1.5125, true,
                              "1\xC2\xB0"
                              "30'45\" W"},
                         Case{3e15, true, "+INF E"}, Case{-3e15, false, "-INF S"}})
        EXPECT_EQ(GeographicLabelText(c.v, c.horizontal), c.text) << c.v;
}

class AxisIncrement : public ChartCoreSuite {
protected:
    TTestAxisPanel chart{nullptr};
    TChartAxis& Axis(double low, double high, int size = 400)
    {
        TChartAxis& axis = *chart.LeftAxis();
        axis.SetPixelBounds(0, size);
        axis.ApplyRange(low, high);
        axis.ComputeRange();
        return axis;
    }
};

TEST_F(AxisIncrement, StepForTheLabelSize)
{
    // 400 / (20 + 2) gives 18 labels: 100 / 19, then nice steps up to the first that fits.
    EXPECT_DOUBLE_EQ(Axis(0, 100).StepForLabelSize(20), 10);
    TChartAxis& axis = Axis(0, 100);
    axis.SetLabelsSeparation(0);
    EXPECT_DOUBLE_EQ(axis.StepForLabelSize(20), 100.0 / 21) << "no separation: the first guess stays";
    EXPECT_THROW(axis.SetLabelsSeparation(-1), AxisException);
    EXPECT_EQ(axis.LabelsSeparation(), 0);
}

TEST_F(AxisIncrement, IncrementRules)
{
    struct Case {
        const char* name;
        double low, high, increment;
        bool logarithmic;
        int count;
        double step;
    };
    for (const Case c :
         {Case{"a set increment doubles", 0, 100, 3, false, 10, 12},
          Case{"a set increment that fits", 0, 100, 25, false, 10, 25},
          Case{"no room", 0, 100, 0, false, 0, std::numeric_limits<double>::denorm_min()},
          Case{"zero range", 5, 5, 0, false, 10, 1}, Case{"logarithmic by the base", 1, 1e6, 0, true, 3, 1e6},
          Case{"near the precision", 1e17, 1e17 + 64, 0, false, 10, 10},
          Case{"the widest range", -1.7e308, 1.7e308, 0, false, 10, std::numeric_limits<double>::infinity()}}) {
        TChartAxis& axis = Axis(c.low, c.high);
        axis.SetIncrement(c.increment);
        if (c.logarithmic) axis.SetLogarithmic(true);
        axis.ComputeRange();
        const double step = axis.IncrementForCount(c.count);
        if (std::isinf(c.step))
            EXPECT_GT(step, 0) << c.name << ": ends";
        else
            EXPECT_DOUBLE_EQ(step, c.step) << c.name;
        axis.SetLogarithmic(false);
    }
}

// A series with few points on its index axis keeps steps of at least one.
TEST_F(AxisIncrement, FewPointsStepByWholeIndexes)
{
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    for (int i = 0; i < 3; ++i) series.AddY(i);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetPixelBounds(0, 400);
    bottom.ComputeRange();
    EXPECT_DOUBLE_EQ(bottom.IncrementForCount(10), 1);
    TChartAxis& left = *chart.LeftAxis();
    left.SetPixelBounds(0, 400);
    left.ComputeRange();
    EXPECT_DOUBLE_EQ(left.IncrementForCount(10), 0.2) << "the value axis is not an index axis";
}

TEST_F(AxisIncrement, DateTimeSteps)
{
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    series.XValues()->SetDateTime(true);
    series.AddXY(45000, 1);
    series.AddXY(45365, 2);  // a year
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetPixelBounds(0, 600);
    bottom.ComputeRange();
    ASSERT_TRUE(bottom.ShowsDateTime());
    EXPECT_FALSE(chart.LeftAxis()->ShowsDateTime());
    const double month = bottom.IncrementForCount(12);
    EXPECT_LE(std::round(365 / month), 12);
    EXPECT_NEAR(month, 30, 1) << "a month";
    const double halfMonth = bottom.IncrementForCount(24);
    EXPECT_NEAR(halfMonth, 15, 0.5) << "half a month";
    EXPECT_DOUBLE_EQ(bottom.IncrementForCount(0), DateTimeStepTable[0]);
}

}  // namespace

namespace {

TEST_F(AxisIncrement, LabelTexts)
{
    TChartAxis& axis = Axis(0, 2000);
    EXPECT_EQ(axis.ValueToLabelText(1234.5), "1,234.5");
    EXPECT_EQ(axis.ValueToLabelText(0.00049), "0");
    EXPECT_FALSE(axis.IsAxisValuesFormatStored());
    axis.SetAxisValuesFormat("0.00");
    EXPECT_EQ(axis.ValueToLabelText(-0.125), "-0.13");
    axis.GeographicLabels = true;
    EXPECT_EQ(axis.ValueToLabelText(-0.25),
              "0\xC2\xB0"
              "15' S");
    axis.GeographicLabels = false;

    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    series.YValues()->SetDateTime(true);
    series.AddY(45000.5);
    axis.SetDateTimeFormat("yyyy-mm-dd hh:nn");
    EXPECT_EQ(axis.ValueToLabelText(45000.5), "2023-03-15 12:00");
}

TEST_F(AxisIncrement, RoundedAutomaticEnds)
{
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    for (const double y : {-7, 23}) series.AddY(y);
    TChartAxis& left = *chart.LeftAxis();
    left.SetPixelBounds(0, 400);
    left.SetIncrement(5);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMaximum(), 23);
    left.SetMaximumRound(true);
    left.SetMinimumRound(true);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMaximum(), 25);
    EXPECT_EQ(left.WorkingMinimum(), -10);
    left.SetAutomaticMaximum(false);
    left.SetMaximum(23);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMaximum(), 23) << "a fixed end is not rounded";
}

// With no increment the midpoint of 0 .. 4 is halved to 0.5 so that a label with decimals is
// measured; with MultiLine a blank of a value text breaks the line.
TEST_F(AxisIncrement, MeasuredLabelTexts)
{
    std::vector<String> asked;
    chart.SetOnGetAxisLabel(
        TAxisOnGetLabel([&](TChartAxis*, TChartSeries*, int, String& text) { asked.push_back(text); }));
    Axis(0, 4).ComputeLabelStep();
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<String>{"0", "0.5", "4"}));
    chart.SetOnGetAxisLabel({});

    TChartAxis& axis = Axis(0, 10);
    axis.SetAxisValuesFormat("0' m'");
    EXPECT_EQ(axis.ValueToLabelText(5), "5 m");
    axis.SetLabelsMultiLine(true);
    EXPECT_EQ(axis.ValueToLabelText(5), String("5") + LineBreakChar + "m");
}

// Measuring the labels of extreme ranges ends.
TEST_F(AxisIncrement, LabelStepOfExtremeRangesEnds)
{
    for (const double high : {1.7e308, 1e17 + 64, 4.0}) {
        TChartAxis& axis = Axis(high == 4.0 ? 0 : -high, high);
        EXPECT_GT(axis.ComputeLabelStep(), 0) << high;
    }
}

}  // namespace

namespace {

class TIndexedSeries : public TTestSeries {
public:
    using TTestSeries::TTestSeries;
    bool PlacesByPointIndex() const override { return true; }
};

TEST_F(AxisIncrement, LabelStyleFromTheBoundSeries)
{
    TChartAxis& bottom = *chart.BottomAxis();
    EXPECT_EQ(bottom.LabelStyleInUse(), talNone) << "no series";
    TTestSeries plain(nullptr);
    plain.SetParentChart(&chart);
    EXPECT_EQ(bottom.LabelStyleInUse(), talValue);
    TIndexedSeries indexed(nullptr);
    indexed.SetParentChart(&chart);
    EXPECT_EQ(bottom.LabelStyleInUse(), talPointValue);
    EXPECT_EQ(chart.LeftAxis()->LabelStyleInUse(), talValue) << "the value axis";
    indexed.SetActive(false);
    EXPECT_EQ(bottom.LabelStyleInUse(), talValue);
    bottom.SetLabelStyle(talText);
    EXPECT_EQ(bottom.LabelStyleInUse(), talText);
    EXPECT_EQ(bottom.SubAxes()->AddAxis()->EffectiveLabelStyle(), talValue) << "a sub-axis asks its parent";
    EXPECT_EQ(chart.DepthAxis()->EffectiveLabelStyle(), talText) << "flat series";
}

}  // namespace
