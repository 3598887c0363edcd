// The B-spline and the smoothing function: sample counts, ends on the source's ends, the curve
// through (or near) the points, corners by repeated points, and the linear solve against a dense
// elimination of the same system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "SeriesFixtures.h"
#include "tests/chart/support/DenseSplineSolve.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebSpline.h"

namespace {

class Smoothing : public ChartCoreSuite {
protected:
    Smoothing()
    {
        source.SetParentChart(&chart);
        output.SetParentChart(&chart);
        function = new TSmoothingFunction(nullptr);
        output.AttachFunction(function);
        output.SetDataSource(&source);
    }
    void fill(const std::vector<T2DPoint>& points)
    {
        TPointUpdateBlock block(source);
        for (const T2DPoint& p : points) source.InsertXY(p.X, p.Y);
    }

    TTestAxisPanel chart{nullptr};
    TTestSeries source{nullptr};
    TTestSeries output{nullptr};
    TSmoothingFunction* function;
};

TEST_F(Smoothing, SampleCountsAndEnds)
{
    fill({{0, 1}, {1, 5}, {2, 2}});
    ASSERT_EQ(output.Count(), 13);
    EXPECT_NEAR(output.GetPointX(0), 0, 1e-12);
    EXPECT_NEAR(output.GetPointY(0), 1, 1e-12);
    EXPECT_NEAR(output.GetPointX(12), 2, 1e-12);
    EXPECT_NEAR(output.GetPointY(12), 2, 1e-12);
    std::vector<T2DPoint> many;
    for (int i = 0; i < 200; ++i) many.push_back({double(i), std::sin(i * 0.1)});
    source.RemoveAllPoints();
    fill(many);
    EXPECT_EQ(output.Count(), 601);
}

TEST_F(Smoothing, WithoutInterpolationTheCurveStaysNearThePoints)
{
    function->SetInterpolate(false);
    const std::vector<T2DPoint> points{{0, 0}, {1, 4}, {2, 1}, {3, 5}, {4, 2}};
    fill(points);
    ASSERT_EQ(output.Count(), 21);
    for (int i = 0; i < output.Count(); ++i) {
        EXPECT_GE(output.GetPointY(i), -1e-12);
        EXPECT_LE(output.GetPointY(i), 5 + 1e-12);
    }
    EXPECT_NEAR(output.GetPointY(20), 2, 1e-12);
    // Inner points are only approached.
    EXPECT_LT(output.GetPointY(4), 4 - 0.1);
}

TEST_F(Smoothing, OnePointGivesFactorPlusOnePointsAtTheOrigin)
{
    function->SetFactor(3);
    fill({{5, 7}});
    ASSERT_EQ(output.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(output.GetPointX(i), 0);
        EXPECT_EQ(output.GetPointY(i), 0);
    }
}

TEST_F(Smoothing, FactorIsAtLeastOne)
{
    function->SetFactor(0);
    EXPECT_EQ(function->Factor(), 1);
    function->SetFactor(-7);
    EXPECT_EQ(function->Factor(), 1);
    EXPECT_EQ(function->Period(), 1);
    EXPECT_TRUE(function->OneSource);
    EXPECT_FALSE(function->UsesPeriod);
}

TEST_F(Smoothing, RegisteredAsAnExtendedFunctionWhileTheEngineRuns)
{
    const auto find = [] {
        for (const auto& type : RegisteredSeriesTypes())
            if (type->FunctionClass == &TSmoothingFunction::StaticClass()) return type.get();
        return static_cast<TZebSeriesType*>(nullptr);
    };
    const TZebSeriesType* type = find();
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->DescriptionText(), "Smoothing");
    EXPECT_EQ(type->GalleryPageText(), TxtExtended);
    EXPECT_EQ(type->NumGallerySeries, 1);
    StopSplineUnit();
    EXPECT_EQ(find(), nullptr);
    StartSplineUnit();
    EXPECT_NE(find(), nullptr);
}

// Evaluated at a point's parameter, an interpolating spline gives the point; of three equal points
// in a row the curve passes through the middle one (the outer ones become plain vertices).
TEST(BSpline, InterpolatingCurvePassesThroughEveryPoint)
{
    const std::vector<T2DPoint> points{{0, 0}, {1, 2}, {2, 5}, {2, 5}, {2, 5}, {3, 1}, {4, 0}, {6, 3}};
    TBSpline spline;
    for (const T2DPoint& p : points) spline.AddPoint(p.X, p.Y);
    spline.SetInterpolating(true);
    const int v = spline.VertexCount();
    ASSERT_EQ(v, 8);
    for (int i = 0; i < v; ++i) {
        if (i == 2 || i == 4) continue;
        const T2DPoint p = spline.EvaluateAt(double(i) / (v - 1));
        EXPECT_NEAR(p.X, points[size_t(i)].X, 1e-9) << i;
        EXPECT_NEAR(p.Y, points[size_t(i)].Y, 1e-9) << i;
    }
}

TEST(BSpline, KnucklesAreTripledAndNeverAtTheEnds)
{
    TBSpline spline;
    for (int i = 0; i < 4; ++i) spline.AddPoint(i, i * i);
    spline.SetKnuckle(1, true);
    spline.SetKnuckle(2, true);
    EXPECT_FALSE(spline.IsKnuckle(1));
    EXPECT_TRUE(spline.IsKnuckle(2));
    EXPECT_EQ(spline.VertexCount(), 6);
    EXPECT_EQ(spline.Vertex(4).Y, 1);
    EXPECT_EQ(spline.Vertex(5).Y, 4);
    spline.SetSegmentCount(5000);
    EXPECT_EQ(spline.SegmentCount(), TBSpline::MaxSegments);
}

TEST(BSpline, LinearSolveMatchesTheDenseElimination)
{
    for (int n = 3; n <= 60; ++n) {
        TBSpline spline;
        std::vector<T2DPoint> vertices{{0, 0}};
        for (int i = 0; i < n; ++i) {
            // Every seventh point repeated three times: identity rows inside the system.
            const double x = i % 7 == 4 ? vertices.back().X : i + std::sin(i);
            const double y = i % 7 == 4 ? vertices.back().Y : std::cos(i * 1.3) * 10;
            for (int copies = i % 7 == 3 ? 3 : 1; copies > 0; --copies) {
                spline.AddPoint(x, y);
                vertices.push_back({x, y});
            }
        }
        spline.SetInterpolating(true);
        const int v = spline.VertexCount();
        ASSERT_EQ(v, int(vertices.size()) - 1);
        const std::vector<T2DPoint> expected = DenseSplineSolve(vertices, v);
        for (int k = 1; k <= v; ++k) {
            EXPECT_NEAR(spline.Vertex(k).X, expected[size_t(k)].X, 1e-12) << n << " " << k;
            EXPECT_NEAR(spline.Vertex(k).Y, expected[size_t(k)].Y, 1e-12) << n << " " << k;
        }
    }
}

}  // namespace
