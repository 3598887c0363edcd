#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/functions/KernelDensity.h"

namespace {
class KernelDensity : public FunctionTest {
protected:
    TKDEFunction* kde = new TKDEFunction(&owner);
    std::vector<float> gridOf() const
    {
        std::vector<float> g;
        for (const TPointFloat& p : kde->KDEPoints()) g.push_back(p.Y);
        return g;
    }
    std::vector<float> countsOf() const
    {
        std::vector<float> c;
        for (const TPointFloat& p : kde->KDEPoints()) c.push_back(p.X);
        return c;
    }
};

TEST_F(KernelDensity, HistogramGrid)
{
    fillY({0, 1, 3, 7, 8});
    kde->SetSourceValues(source->YValues());
    kde->Options()->SetResolution(4);
    kde->Options()->SetHistogram(true);
    kde->CalculateKDE();
    // Grid 0, 2, 4, 6: 1 half-way counts at 0, 3 at 2, 7 at 6, 8 is nearest to 6.
    EXPECT_EQ(gridOf(), (std::vector<float>{0, 2, 4, 6})) << "an empty grid point stays on the grid";
    EXPECT_EQ(countsOf(), (std::vector<float>{2, 1, 0, 2}));
}

TEST_F(KernelDensity, DensityOutline)
{
    fillY({0, 100});
    kde->SetSourceValues(source->YValues());
    kde->Options()->SetResolution(2);
    kde->SetPosition(10);
    kde->CalculateKDE();
    // Grid 0 and 50: each sample 100 away from the other grid point adds nothing.
    const TFloatPointArray& p = kde->KDEPoints();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_FLOAT_EQ(p[0].X, 10 - 0.0375f / 2);
    EXPECT_FLOAT_EQ(p[0].Y, 0);
    EXPECT_FLOAT_EQ(p[1].X, 10);
    EXPECT_FLOAT_EQ(p[1].Y, 50);
    EXPECT_FLOAT_EQ(p[2].X, 10);
    EXPECT_FLOAT_EQ(p[3].X, 10 + 0.0375f / 2);
    EXPECT_FLOAT_EQ(p[3].Y, 0);
}

TEST_F(KernelDensity, NoSamplesAndClearing)
{
    fillY({1, 2});
    kde->SetSourceValues(source->YValues());
    kde->CalculateKDE();
    const size_t computed = kde->KDEPoints().size();
    EXPECT_EQ(computed, 200u);
    source->RemoveAllPoints();
    kde->CalculateKDE();
    EXPECT_EQ(kde->KDEPoints().size(), computed) << "an empty sample list leaves the points";
    kde->Options()->SetResolution(7);
    kde->Options()->SetHistogram(true);
    output->AttachFunction(kde);
    output->RemoveAllPoints();
    EXPECT_EQ(kde->Options()->Resolution, 100);
    EXPECT_EQ(kde->Options()->Bandwidth, 20);
    EXPECT_FALSE(kde->Options()->Histogram);
    EXPECT_TRUE(kde->KDEPoints().empty());
}
}  // namespace
