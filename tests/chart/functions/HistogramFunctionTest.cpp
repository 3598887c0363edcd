#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/functions/HistogramFunction.h"

namespace {
using Values = std::vector<double>;

class HistogramFunction : public FunctionTest {};

TEST_F(HistogramFunction, BinsByTruncationAndRounding)
{
    for (int v = 0; v <= 10; ++v) source->AppendValue(v);
    auto* f = new THistogramFunction(&owner);
    f->SetNumBins(5);
    run(f);
    EXPECT_EQ(xs(), (Values{1, 3, 5, 7, 9}));
    EXPECT_EQ(ys(), (Values{2, 2, 2, 2, 3}));
    f->SetDataStyle(hdsRound);
    EXPECT_EQ(ys(), (Values{2, 1, 3, 1, 4})) << "half-way positions go to the even bin";
    f->SetCumulative(true);
    EXPECT_EQ(ys(), (Values{2, 3, 6, 7, 11}));
    f->SetNumBins(0);
    EXPECT_EQ(f->NumBins(), 1);
    EXPECT_EQ(ys(), (Values{11}));
}

TEST_F(HistogramFunction, EqualValuesAndNulls)
{
    fillY({7, 7, 7});
    auto* f = new THistogramFunction(&owner);
    run(f);
    ASSERT_EQ(output->Count(), 20);
    // The bins span 7 - 10.5 .. 7 + 10.5, each 21 / 20 wide.
    EXPECT_DOUBLE_EQ(xs().front(), 7 - 10.5 + 1.05 / 2);
    EXPECT_DOUBLE_EQ(xs().back(), 7 + 10.5 - 1.05 / 2);
    double total = 0;
    for (const double c : ys()) total += c;
    EXPECT_EQ(total, 3);
    EXPECT_EQ(ys()[10], 3);
    source->SetPointNull(0, true);
    f->SetIncludeNulls(false);
    EXPECT_EQ(ys()[10], 2);
}
}  // namespace
