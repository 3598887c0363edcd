// Contouring of single cells (the triangle case table, crossings, band polygons) and the chaining
// of segments into level lines.
#include <gtest/gtest.h>

#include <vector>

#include "chart/series_ext/grid3d/LevelDifs.h"

namespace {

// One cell A (0, 0), C (1, 0), B (0, 1), D (1, 1) with the heights given in the order A, C, D, B.
struct TCell {
    double x[4] = {0, 1, 1, 0};
    double z[4] = {0, 0, 1, 1};
    double y[4];
    TLevelDifs difs;
    TCell(double a, double c, double d, double b, double minLevel = -1e9, double maxLevel = 1e9)
        : y{a, c, d, b}, difs(x, y, z, minLevel, maxLevel)
    {
    }
    bool Prepare() { return difs.PrepareCell(0, 1, 3, 2); }
    std::vector<std::pair<TLevelPoint, TLevelPoint>> Segments(double level)
    {
        std::vector<std::pair<TLevelPoint, TLevelPoint>> out;
        difs.ContourCell([&](const TLevelPoint& p, const TLevelPoint& q) { out.emplace_back(p, q); }, level);
        return out;
    }
};

TEST(LevelDifs, StraightCrossingChainsIntoOneLineOfThreePoints)
{
    TCell cell(0, 0, 10, 10);
    ASSERT_TRUE(cell.Prepare());
    const auto segments = cell.Segments(5);
    TLevelLineChain chain;
    for (const auto& [p, q] : segments) {
        EXPECT_DOUBLE_EQ(p.Z, 0.5);
        EXPECT_DOUBLE_EQ(q.Z, 0.5);
        chain.Add(p, q);
    }
    const TLevelSegments lines = chain.Lines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_DOUBLE_EQ(lines[0][1].X, 0.5) << "through the centre";
}

TEST(LevelDifs, LevelThroughCornersUsesTheVertices)
{
    struct Case {
        const char* name;
        double a, c, d, b, level;
        int segments;
    };
    for (const Case k : {Case{"one corner on the level", 5, 0, 0, 0, 5, 0},
                         Case{"two corners on the level, rest below", 5, 5, 0, 0, 5, 1},
                         Case{"diagonal corners on the level", 5, 0, 5, 10, 5, 4},
                         Case{"flat cell on the level: its edges", 5, 5, 5, 5, 5, 4},
                         Case{"corner on the level, opposite above", 5, 0, 10, 0, 5, 2}}) {
        SCOPED_TRACE(k.name);
        TCell cell(k.a, k.c, k.d, k.b);
        ASSERT_TRUE(cell.Prepare());
        const auto segments = cell.Segments(k.level);
        EXPECT_EQ(static_cast<int>(segments.size()), k.segments);
        for (const auto& [p, q] : segments) {
            // Every end is a vertex of the cell or a crossing on its edges or diagonals.
            EXPECT_GE(p.X, 0);
            EXPECT_LE(p.X, 1);
            EXPECT_GE(q.Z, 0);
            EXPECT_LE(q.Z, 1);
        }
    }
}

TEST(LevelDifs, CellsOutsideTheLevelsAreRejected)
{
    EXPECT_FALSE(TCell(11, 12, 13, 14, 0, 10).Prepare());
    EXPECT_FALSE(TCell(-4, -3, -2, -1, 0, 10).Prepare());
    EXPECT_TRUE(TCell(-4, -3, -2, 0, 0, 10).Prepare());
}

TEST(LevelDifs, EndsWithinTheToleranceChain)
{
    struct Case {
        double offset;
        int lines;
    };
    for (const Case k : {Case{1e-4, 1}, Case{2e-4, 2}}) {
        SCOPED_TRACE(k.offset);
        TLevelLineChain chain;
        chain.Add({0, 0}, {1, 1});
        chain.Add({1 + k.offset, 1 + k.offset}, {2, 2});
        EXPECT_EQ(chain.LineCount(), k.lines);
    }
}

TEST(LevelDifs, ASegmentBetweenTwoLinesMergesThem)
{
    TLevelLineChain chain;
    chain.Add({0, 0}, {1, 0});
    chain.Add({3, 0}, {4, 0});
    chain.Add({1, 0}, {3, 0});
    const TLevelSegments lines = chain.Lines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 4u);
    EXPECT_DOUBLE_EQ(lines[0].front().X, 0);
    EXPECT_DOUBLE_EQ(lines[0].back().X, 4);
}

TEST(LevelDifs, FirstLineInListOrderTakesASharedEnd)
{
    TLevelLineChain chain;
    chain.Add({0, 0}, {1, 0});
    chain.Add({2, 0}, {1, 0});  // meets line 0's last point: appended there
    chain.Add({5, 5}, {6, 6});
    chain.Add({2, 0}, {3, 0});  // meets line 0's new end
    const TLevelSegments lines = chain.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 4u);
    EXPECT_DOUBLE_EQ(lines[1][0].X, 5);
}

TEST(LevelDifs, BandPolygons)
{
    struct Case {
        const char* name;
        double upper, lower;
        int polygons, points;  // points: of every polygon when all have the same count, else 0
    };
    for (const Case k : {Case{"band holds every height", 20, -1, 4, 3}, Case{"band above every height", 30, 20, 0, 0},
                         Case{"band below every height", -1, -5, 0, 0}, Case{"middle band", 6, 4, 4, 0}}) {
        SCOPED_TRACE(k.name);
        TCell cell(0, 0, 10, 10);
        ASSERT_TRUE(cell.Prepare());
        int polygons = 0;
        cell.difs.BandPolygons(
            [&](std::span<const TBandPoint> points) {
                ++polygons;
                EXPECT_GE(points.size(), 3u);
                EXPECT_LE(points.size(), 5u);
                if (k.points) {
                    EXPECT_EQ(static_cast<int>(points.size()), k.points);
                }
                for (const TBandPoint& p : points) {
                    EXPECT_GE(p.Y, k.lower - 1e-12);
                    EXPECT_LE(p.Y, k.upper + 1e-12);
                }
            },
            k.upper, k.lower);
        EXPECT_EQ(polygons, k.polygons);
    }
}

TEST(LevelDifs, CrossingsAreLinearInterpolations)
{
    // A ramp along X: A and B at 0, C and D at 8; level 2 crosses every edge along X at x = 0.25.
    TCell cell(0, 8, 8, 0);
    ASSERT_TRUE(cell.Prepare());
    for (const auto& [p, q] : cell.Segments(2)) {
        EXPECT_NEAR(p.X, 0.25, 1e-12);
        EXPECT_NEAR(q.X, 0.25, 1e-12);
    }
}

}  // namespace
