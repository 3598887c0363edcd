#include <gtest/gtest.h>

#include <cmath>

#include "FunctionFixture.h"
#include "chart/functions/CurveFitting.h"
#include "platform/rtl/Exceptions.h"

namespace {
using Values = std::vector<double>;

class CurveFitting : public FunctionTest {
protected:
    void points(std::initializer_list<std::pair<double, double>> xy)
    {
        for (const auto& [x, y] : xy) source->InsertXY(x, y);
    }
};

TEST_F(CurveFitting, PolynomialThroughTheSource)
{
    points({{0, 1}, {1, 3}, {2, 5}});
    auto* f = new TCurveFittingFunction(&owner);
    f->SetPolyDegree(2);
    run(f);
    ExpectNear(ys(), {1, 3, 5}, 1e-12);
    EXPECT_NEAR(static_cast<double>(f->Coefficient(1)), 2, 1e-15);
    f->SetPolyDegree(1);
    ExpectNear(ys(), {3, 3, 3}, 1e-12);
    f->SetPolyDegree(2);
    f->SetFactor(4);
    EXPECT_EQ(output->Count(), 9);
    ExpectNear(xs(), {0, 0.25, 0.5, 0.75, 1, 1.25, 1.5, 1.75, 2}, 0);
    ExpectNear(ys(), {1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5, 5}, 1e-12);
}

TEST_F(CurveFitting, DegreeLimitsAndSingularFit)
{
    auto* f = run(new TCurveFittingFunction(&owner));
    for (const int degree : {0, 21}) {
        try {
            f->SetPolyDegree(degree);
            FAIL() << degree;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Polynomial degree must be between 1 and 20");
        }
        EXPECT_EQ(f->PolyDegree(), 5);
    }
    f->SetPolyDegree(2);
    points({{1, 1}, {1, 2}, {1, 3}});
    try {
        output->RefreshData();
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot process fitting");
    }
    EXPECT_EQ(output->Count(), 0);
}

TEST_F(CurveFitting, OutputRangeIsLimitedToTheSource)
{
    points({{0, 1}, {1, 3}, {2, 5}, {3, 7}});
    auto* f = new TCurveFittingFunction(&owner);
    f->SetPolyDegree(2);
    run(f);
    struct Case {
        int first, last;
        Values x;
    };
    const Case cases[] = {
        {-1, -1, {0, 1, 2, 3}}, {2, 99, {2, 3}}, {-7, 1, {0, 1}}, {9, -1, {}}, {3, 1, {}},
    };
    for (const Case& c : cases) {
        f->SetFirstPoint(c.first);
        f->SetLastPoint(c.last);
        EXPECT_EQ(xs(), c.x) << c.first << " " << c.last;
    }
    f->SetFirstPoint(-1);
    f->SetLastPoint(-1);
    f->SetFirstCalcPoint(4);
    EXPECT_EQ(output->Count(), 0) << "no point to fit";
}

TEST_F(CurveFitting, SolverKeepsExtendedPrecision)
{
    // x near 1e4 with degree 3: the normal matrix spans 1e0 .. 1e24; Extended still recovers it.
    TFitMatrix a{};
    TFitVector b{}, x{};
    a[0][0] = 0;
    a[0][1] = 2;
    a[1][0] = 3;
    a[1][1] = 1;
    b[0] = 4;
    b[1] = 5;
    EXPECT_EQ(SolvePivoted(2, a, b, 1e-15L, x), -6) << "one exchange negates the determinant";
    EXPECT_EQ(x[0], 1);
    EXPECT_EQ(x[1], 2);
}

TEST_F(CurveFitting, TrendLines)
{
    points({{0, 2}, {1, 5}, {2, 8}, {4, 14}});
    run(new TTrendFunction(&owner));
    EXPECT_EQ(xs(), (Values{0, 4}));
    ExpectNear(ys(), {2, 14}, 1e-12);

    source->RemoveAllPoints();
    for (const double x : {0.0, 1.0, 2.0, 3.0}) source->InsertXY(x, 2 * std::exp(0.5 * x));
    auto* e = new TExpTrendFunction(&owner);
    output->AttachFunction(e);
    double s, a;
    ASSERT_TRUE(e->CalculateTrend(source, 0, 3, s, a));
    EXPECT_NEAR(s, 0.5, 1e-12);
    EXPECT_NEAR(a, 2, 1e-12);
    ExpectNear(ys(), {2, 2 * std::exp(1.5)}, 1e-12);

    source->RemoveAllPoints();
    source->InsertXY(1, 1);
    output->RefreshData();
    EXPECT_EQ(output->Count(), 0) << "one point draws nothing";
}

TEST_F(CurveFitting, Correlation)
{
    struct Case {
        Values y;
        double r;
    };
    const Case cases[] = {{{1, 2, 3}, 1}, {{6, 4, 2}, -1}, {{5, 5, 5}, 1}};
    for (const Case& c : cases) {
        TComponent scope(nullptr);
        auto* src = new TTestSeries(&scope);
        auto* out = new TTestSeries(&scope);
        for (const double y : c.y) src->AppendValue(y);
        out->AttachFunction(new TCorrelationFunction(&scope));
        out->SetDataSource(src);
        ASSERT_EQ(out->Count(), 1);
        EXPECT_NEAR(out->GetPointY(0), c.r, 1e-12);
    }
}
}  // namespace
