#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/functions/CountFunction.h"
#include "chart/functions/CumulativeFunction.h"

namespace {
using Values = std::vector<double>;

class CountCumulative : public FunctionTest {
protected:
    TTestSeries* other = new TTestSeries(&owner);
    void twoSources(TZebFunction* f, Values a, Values b)
    {
        for (const double v : a) source->AppendValue(v);
        for (const double v : b) other->AppendValue(v);
        output->AttachFunction(f);
        output->DataSources().AddSource(source);
        output->DataSources().AddSource(other);
        output->RefreshData();
    }
};

TEST_F(CountCumulative, CountPerPeriodAndAcrossSources)
{
    fillY({1, 1, 1, 1, 1, 1, 1});
    auto* f = run(new TCountZebFunction(&owner));
    f->SetPeriod(3);
    EXPECT_EQ(ys(), (Values{3, 3}));
    f->SetPeriod(0);
    EXPECT_EQ(ys(), (Values{7}));
    source->RemoveAllPoints();
    twoSources(new TCountZebFunction(&owner), {1, 1, 1, 1, 1}, {1, 1, 1});
    EXPECT_EQ(ys(), (Values{2, 2, 2, 1, 1}));
}

TEST_F(CountCumulative, RunningTotal)
{
    fillY({1, 2, 3, 4});
    auto* f = run(new TCumulative(&owner));
    EXPECT_EQ(ys(), (Values{1, 3, 6, 10}));
    f->SetPeriod(0);
    EXPECT_EQ(ys(), (Values{0}));
    source->RemoveAllPoints();
    auto* across = new TCumulative(&owner);
    twoSources(across, {1, 1, 1}, {2, 2});
    EXPECT_EQ(ys(), (Values{3, 6, 7}));
    across->SetCalcByValue(true);
    EXPECT_EQ(ys(), (Values{0, 0, 0})) << "neither combines by X";
}
}  // namespace
