#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/functions/MovingAverages.h"
#include "platform/rtl/Exceptions.h"

namespace {
using Values = std::vector<double>;

class MovingAverages : public FunctionTest {};

TEST_F(MovingAverages, SimpleAndWeightedWindows)
{
    struct Case {
        bool weighted, weightedIndex;
        Values x, y, expected;
    };
    const Case cases[] = {
        {false, false, {0, 1, 2, 3}, {1, 2, 3, 4}, {2, 3}},
        {false, true, {0, 1, 2, 3}, {1, 2, 3, 4}, {14.0 / 6, 20.0 / 6}},
        {true, false, {1, 2, 3, 4}, {1, 2, 3, 4}, {14.0 / 6, 29.0 / 9}},
        {true, true, {-1, 0, 1}, {5, 6, 7}, {0}},  // X weights summing to 0; Weighted wins
    };
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* src = new TTestSeries(&scope);
        auto* out = new TTestSeries(&scope);
        for (size_t i = 0; i < c.x.size(); ++i) src->InsertXY(c.x[i], c.y[i]);
        auto* f = new TMovingAverageFunction(&scope);
        f->SetPeriod(3);
        f->SetWeighted(c.weighted);
        f->SetWeightedIndex(c.weightedIndex);
        out->AttachFunction(f);
        out->SetDataSource(src);
        ExpectNear(valuesOf(out->YValues()), c.expected);
        EXPECT_EQ(out->GetPointX(0), c.x[2]) << "placed at the window's last X";
    }
}

TEST_F(MovingAverages, ExponentialMovingAverage)
{
    fillY({10});
    auto* f = run(new TExpMovAveFunction(&owner));
    EXPECT_FALSE(f->UsesPeriod);
    EXPECT_EQ(f->Period(), 10);
    EXPECT_EQ(output->Count(), 0) << "one point is not enough";
    source->AppendValue(20);
    f->SetPeriod(1);
    EXPECT_EQ(ys(), (Values{10, 20}));
    f->SetPeriod(3);  // alpha 0.5
    source->AppendValue(40);
    output->RefreshData();
    EXPECT_EQ(ys(), (Values{10, 15, 27.5}));
    source->SetPointNull(0, true);
    f->SetIgnoreNulls(false);
    EXPECT_EQ(xs(), (Values{1, 2})) << "the null first point is skipped";
    EXPECT_EQ(ys(), (Values{20, 30}));
}

TEST_F(MovingAverages, ExponentialAverageAndItsWeight)
{
    fillY({2, 4, 8});
    auto* f = run(new TExpAverageFunction(&owner));
    f->SetWeight(0.5);
    EXPECT_EQ(ys(), (Values{2, 3, 6}));
    try {
        f->SetWeight(1.5);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "ExpAverage Weight must be between 0 and 1");
    }
    EXPECT_EQ(f->Weight(), 0.5);
    EXPECT_EQ(TExpAverageFunction(nullptr).Weight(), 0.2);
}

TEST_F(MovingAverages, SmoothedMovingAverageStartsAtTheSimpleAverage)
{
    fillY({2, 4, 6, 12, 0});
    auto* f = run(new TSmoothedMovAvgFunction(&owner));
    f->SetPeriod(3);
    EXPECT_EQ(f->Seed(), 4);
    // 4, then 4 + (12 - 4) / 3, then that + (0 - that) / 3.
    ExpectNear(ys(), {4, 4 + 8.0 / 3, (4 + 8.0 / 3) * 2 / 3});
}

TEST_F(MovingAverages, MomentumAndDivision)
{
    fillY({0, 5, 20, 10});
    run(new TMomentumFunction(&owner));
    EXPECT_EQ(ys(), (Values{5, 15, -10}));
    output->AttachFunction(new TMomentumDivFunction(&owner));
    EXPECT_EQ(ys(), (Values{0, 400, 50})) << "a first value of 0 gives 0";
}
}  // namespace
