#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/functions/ChangeFunctions.h"

namespace {
using Values = std::vector<double>;

class ChangeFunctions : public FunctionTest {};

TEST_F(ChangeFunctions, ChangeAlongTheSource)
{
    struct Case {
        const char* what;
        TZebFunction* (*make)(TComponent*);
        Values values, expected;
    };
    const Case cases[] = {
        {"percent change", [](TComponent* o) -> TZebFunction* { return new TPercentChangeFunction(o); },
         {50, 75, 0, 10}, {0, 50, -100, 0}},
        {"performance", [](TComponent* o) -> TZebFunction* { return new TPerformanceFunction(o); },
         {100, 120, 90}, {0, 20, -10}},
        {"performance from 0", [](TComponent* o) -> TZebFunction* { return new TPerformanceFunction(o); },
         {0, 5}, {0, 0}},
        {"slope", [](TComponent* o) -> TZebFunction* { return new TSlopeFunction(o); }, {1, 3, 3, 0}, {0, 2, 0, -3}},
    };
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* src = new TTestSeries(&scope);
        auto* out = new TTestSeries(&scope);
        for (const double v : c.values) src->AppendValue(v);
        out->AttachFunction(c.make(&scope));
        out->SetDataSource(src);
        EXPECT_EQ(valuesOf(out->YValues()), c.expected) << c.what;
    }
}

TEST_F(ChangeFunctions, CrossPointsOfTwoLines)
{
    auto* other = new TTestSeries(&owner);
    for (const double x : {0.0, 1.0, 2.0, 3.0}) source->InsertXY(x, x);  // rising
    for (const double x : {0.0, 1.0, 2.0, 3.0}) other->InsertXY(x, x < 2 ? 4 - 2 * x : 3 - x);
    output->AttachFunction(new TCrossPointsFunction(&owner));
    output->DataSources().AddSource(source);
    output->RefreshData();
    EXPECT_EQ(output->Count(), 0) << "one source gives no points";
    output->DataSources().AddSource(other);
    output->RefreshData();
    ASSERT_EQ(output->Count(), 1);
    EXPECT_NEAR(output->GetPointX(0), 1.5, 1e-12);
    EXPECT_NEAR(output->GetPointY(0), 1.5, 1e-12);
}

TEST_F(ChangeFunctions, PerimeterIsTheClosedHullOnScreen)
{
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {10.0, 0.0}, {5.0, 5.0}, {10.0, 10.0}, {0.0, 10.0}})
        source->InsertXY(x, y);
    run(new TPerimeterFunction(&owner));
    EXPECT_EQ(output->Count(), 0) << "no chart to project on";

    TTestAxisPanel chart(nullptr);
    chart.SetBounds(0, 0, 400, 300);
    chart.SetView3D(false);
    chart.SetChartRect({0, 0, 100, 100});
    chart.NormalizeChartRect();
    source->SetParentChart(&chart);
    output->SetParentChart(&chart);
    for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
        axis->ApplyRange(0, 10);
        axis->ComputePixelBounds();
        axis->ComputeRange();
    }
    output->RefreshData();
    ASSERT_EQ(output->Count(), 5) << "four corners, the first again";
    EXPECT_EQ(output->GetPointX(0), output->GetPointX(4));
    EXPECT_EQ(output->GetPointY(0), output->GetPointY(4));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(output->GetPointX(i) == 0 || output->GetPointX(i) == 10) << i;
        EXPECT_TRUE(output->GetPointY(i) == 0 || output->GetPointY(i) == 10) << i;
    }
    source->SetParentChart(nullptr);
    output->SetParentChart(nullptr);
}

TEST_F(ChangeFunctions, CentroidIsTheMiddleOfTheExtents)
{
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {10.0, 2.0}, {4.0, 8.0}}) source->InsertXY(x, y);
    run(new TCentroidZebFunction(&owner));
    EXPECT_EQ(xs(), Values{5});
    EXPECT_EQ(ys(), Values{4});
    source->RemoveAllPoints();
    source->InsertXY(0.1, 0.1);
    output->RefreshData();
    EXPECT_EQ(xs(), Values{static_cast<float>(0.1)}) << "held in single precision";
}
}  // namespace
