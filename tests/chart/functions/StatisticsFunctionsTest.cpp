#include <gtest/gtest.h>

#include <cmath>

#include "FunctionFixture.h"
#include "chart/functions/StatisticsFunctions.h"

namespace {
using Values = std::vector<double>;

class StatisticsFunctions : public FunctionTest {};

TEST_F(StatisticsFunctions, SpreadOfTheCollectedValues)
{
    struct Case {
        const char* what;
        TZebFunction* (*make)(TComponent*, bool complete);
        bool complete;
        Values values;
        double expected;
    };
    auto deviation = [](TComponent* o, bool complete) -> TZebFunction* {
        auto* f = new TStdDeviationFunction(o);
        f->SetComplete(complete);
        return f;
    };
    auto rms = [](TComponent* o, bool complete) -> TZebFunction* {
        auto* f = new TRMSFunction(o);
        f->SetComplete(complete);
        return f;
    };
    auto variance = [](TComponent* o, bool) -> TZebFunction* { return new TVarianceFunction(o); };
    const Case cases[] = {
        {"population deviation", deviation, true, {2, 4, 4, 4, 5, 5, 7, 9}, 2},
        {"sample deviation", deviation, false, {2, 4, 4, 4, 5, 5, 7, 9}, std::sqrt(32.0 / 7)},
        {"deviation of one value", deviation, false, {5}, 0},
        {"rms complete", rms, true, {3, 4}, std::sqrt(12.5)},
        {"rms sample", rms, false, {3, 4}, 5},
        {"rms of one value", rms, true, {3}, 0},
        {"variance", variance, false, {1, 2, 3, 4}, 1.25},
    };
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* src = new TTestSeries(&scope);
        auto* out = new TTestSeries(&scope);
        for (const double v : c.values) src->AppendValue(v);
        out->AttachFunction(c.make(&scope, c.complete));
        out->SetDataSource(src);
        ASSERT_EQ(out->Count(), 1) << c.what;
        EXPECT_NEAR(out->GetPointY(0), c.expected, 1e-12) << c.what;
    }
}

TEST_F(StatisticsFunctions, SkewnessAndKurtosisDescribeTheWholeSource)
{
    fillY({3, 3, 3, 3});
    auto* skew = run(new TSkewnessFunction(&owner));
    EXPECT_EQ(ys(), Values{0}) << "no deviation";
    source->RemoveAllPoints();
    fillY({1, 2, 3, 10});
    output->RefreshData();
    // Mean 4, sample variance 50 / 3; central cubes sum to 180, fourth powers to 1394.
    const double skewness = 180 / (std::pow(50.0 / 3, 1.5) * 3);
    ExpectNear(ys(), {skewness});
    skew->SetPeriod(2);
    // Every period gets the whole source's value.
    ExpectNear(ys(), {skewness, skewness});
    output->AttachFunction(new TKurtosisFunction(&owner));
    ExpectNear(ys(), {1394 / (2500.0 / 9 * 3)});  // 3 is not subtracted
}
}  // namespace
