#include <gtest/gtest.h>

#include <cmath>

#include "FunctionFixture.h"
#include "chart/functions/DownSampling.h"

namespace {
using Values = std::vector<double>;

class DownSampling : public FunctionTest {
protected:
    TDownSamplingFunction* f = new TDownSamplingFunction(&owner);
    void points(std::initializer_list<std::pair<double, double>> xy)
    {
        for (const auto& [x, y] : xy) source->InsertXY(x, y);
    }
};

TEST_F(DownSampling, DouglasPeucker)
{
    // (2, 2) lies on the segment from (0, 0) to (4, 4); (1, 3) is 1.41 off it.
    points({{0, 0}, {1, 3}, {2, 2}, {3, 3}, {4, 4}, {5, 0}});
    f->SetTolerance(1e9);
    run(f);
    EXPECT_EQ(xs(), (Values{0, 5})) << "a huge tolerance keeps the ends";
    f->SetTolerance(0);
    EXPECT_EQ(xs(), (Values{0, 1, 2, 4, 5})) << "only (3, 3) lies exactly between kept points";
    f->SetTolerance(1.5);
    EXPECT_EQ(xs(), (Values{0, 4, 5}));
    EXPECT_EQ(f->ReducedSize(), 3);
    f->SetTolerance(-5);
    EXPECT_EQ(f->Tolerance(), 0);
}

TEST_F(DownSampling, OnePointStaysWithEveryMethod)
{
    points({{3, 7}});
    run(f);
    for (int m = dsDouglas; m <= dsMinMaxFirstLastNull; ++m) {
        f->SetDownSampleMethod(static_cast<TDownSampleMethod>(m));
        EXPECT_EQ(xs(), Values{3}) << m;
        EXPECT_EQ(ys(), Values{7}) << m;
    }
}

TEST_F(DownSampling, GroupsByXWidth)
{
    for (int x = 0; x < 100; ++x) source->InsertXY(x, x % 10 == 3 ? 50 : x % 10);
    f->SetDownSampleMethod(dsMax);
    f->SetTolerance(10);
    run(f);
    ASSERT_EQ(output->Count(), 10);
    EXPECT_EQ(output->GetPointX(0), 4.5);
    EXPECT_EQ(output->GetPointX(1), 14.5);
    EXPECT_EQ(output->GetPointY(9), 50);
    f->SetDownSampleMethod(dsMinMax);
    ASSERT_EQ(output->Count(), 20);
    EXPECT_EQ(xs()[0], 0) << "the minimum at the group's first X";
    EXPECT_EQ(ys()[0], 0);
    EXPECT_EQ(xs()[1], 9) << "the maximum at its last X";
    EXPECT_EQ(ys()[1], 50);
    f->SetDownSampleMethod(dsAverage);
    EXPECT_EQ(ys()[0], (0 + 1 + 2 + 50 + 4 + 5 + 6 + 7 + 8 + 9) / 10.0);
}

TEST_F(DownSampling, FirstMinMaxLastGroups)
{
    points({{0, 5}, {1, 9}, {2, 1}, {3, 4}, {4, 6}, {5, 2}, {6, 3}});
    f->SetDownSampleMethod(dsMinMaxFirstLast);
    f->SetTolerance(5);
    run(f);
    // Group 0..4: first, the minimum at 2 and the maximum at 1 in X order, last; group 5..6 of
    // two points: each once.
    EXPECT_EQ(xs(), (Values{0, 1, 2, 4, 5, 6}));
    EXPECT_EQ(ys(), (Values{5, 9, 1, 6, 2, 3}));
}

TEST_F(DownSampling, NullAwareGroupsMarkNullPoints)
{
    source->SetNullValue(-1);
    points({{0, 5}, {1, -1}, {2, 7}, {3, -1}, {4, 0}, {5, 8}});
    f->SetDownSampleMethod(dsMinMaxFirstLastNull);
    f->SetDisplayedPointCount(4);  // groups of round(4 * 6 / 4) = 6 points
    run(f);
    // Values stop after the second null at X 3: minimum -1 at 1, maximum 7 at 2, last at 3.
    EXPECT_EQ(xs(), (Values{0, 1, 2, 3}));
    EXPECT_TRUE(output->IsNullPoint(1));
    EXPECT_TRUE(output->IsNullPoint(3));
    EXPECT_FALSE(output->IsNullPoint(2));
}

TEST_F(DownSampling, DisplayedPointCountMakesGroupsOfPoints)
{
    std::vector<double> x(100000), y(100000);
    for (size_t i = 0; i < x.size(); ++i) {
        x[i] = static_cast<double>(i);
        y[i] = std::sin(static_cast<double>(i) * 0.001) * 100 + static_cast<double>(i % 7);
    }
    source->AppendXYValues(x, y);
    f->SetDownSampleMethod(dsMax);
    f->SetDisplayedPointCount(1000);
    run(f);
    EXPECT_EQ(output->Count(), 250) << "groups of 400";
    EXPECT_EQ(output->GetPointX(0), 199.5);
    f->SetDownSampleMethod(dsMinMaxFirstLast);
    EXPECT_EQ(output->Count(), 1000);
}

TEST_F(DownSampling, AMillionPointsByDouglasPeucker)
{
    const size_t n = 1'000'000;
    std::vector<double> x(n), y(n);
    for (size_t i = 0; i < n; ++i) {
        x[i] = static_cast<double>(i) * 1e-3;
        y[i] = std::sin(x[i]) * 100 + static_cast<double>(i % 13) * 0.01;
    }
    source->AppendXYValues(x, y);
    f->SetTolerance(0.5);
    run(f);
    EXPECT_GT(output->Count(), 100);
    EXPECT_LT(output->Count(), 5000);
    EXPECT_EQ(output->GetPointX(0), x.front());
    EXPECT_EQ(output->GetPointX(output->Count() - 1), x.back());
    for (int i = 1; i < output->Count(); ++i) ASSERT_LT(output->GetPointX(i - 1), output->GetPointX(i));
}
}  // namespace
