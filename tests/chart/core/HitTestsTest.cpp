#include <gtest/gtest.h>

#include <vector>

#include "chart/core/HitTests.h"

TEST(HitTests, RectAround)
{
    EXPECT_EQ(RectAroundXY(10, 20, 3, 5), Rect(7, 15, 13, 25));
    EXPECT_EQ(RectAroundPoint({10, 20}, 4), Rect(6, 16, 14, 24));  // no half height: a square
}

TEST(HitTests, NearSegment)
{
    struct Case {
        TPoint point;
        TPoint a, b;
        int tolerance;
        bool near;
    };
    const Case cases[] = {
        {{5, 1}, {0, 0}, {10, 0}, 0, true},          // one pixel beside a line counts with tolerance 0
        {{5, 2}, {0, 0}, {10, 0}, 0, false},         // two do not
        {{5, 3}, {0, 0}, {10, 0}, 2, true},          // tolerance + 1
        {{12, 0}, {0, 0}, {10, 0}, 1, true},         // beyond the end: distance to the end point
        {{13, 0}, {0, 0}, {10, 0}, 1, false},        //
        {{-2, 0}, {0, 0}, {10, 0}, 0, false},        // before the start
        {{4, 4}, {4, 4}, {4, 4}, 0, true},           // a point segment hit at its point
        {{6, 5}, {4, 4}, {4, 4}, 0, false},          // distance sqrt(5)
        {{3, 3}, {0, 0}, {10, 10}, 0, true},         // on a diagonal
        {{4, 2}, {0, 0}, {10, 10}, 0, false},        // sqrt(2) beside it
        {{100, 100}, {100, 100}, {0, 0}, -5, true},  // an end point is always a hit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNearSegment(c.point, c.a, c.b, c.tolerance), c.near)
            << c.point.X << "," << c.point.Y << " to " << c.a.X << "," << c.a.Y << "-" << c.b.X << "," << c.b.Y;
    }
    EXPECT_TRUE(IsOnSegment({5, 1}, {0, 0}, {10, 0}));
    EXPECT_FALSE(IsOnSegmentXY({5, 2}, 0, 0, 10, 0));
}

TEST(HitTests, InsidePolygonInScreenCoordinates)
{
    // y grows downwards: the top edge (smallest y) and the left edge are inside, the right and
    // bottom edges outside, so squares that share an edge never both take its pixels.
    const std::vector<TPoint> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct Case {
        TPoint point;
        bool inside;
    };
    const Case cases[] = {
        {{5, 5}, true}, {{0, 5}, true},    {{5, 0}, true},   {{10, 5}, false}, {{5, 10}, false},
        {{0, 0}, true}, {{10, 10}, false}, {{-1, 5}, false}, {{5, -1}, false}, {{9, 9}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsInsidePolygon(c.point, square), c.inside) << c.point.X << "," << c.point.Y;

    const std::vector<TPoint> line{{0, 0}, {10, 10}};
    EXPECT_FALSE(IsInsidePolygon({5, 5}, line));
    EXPECT_FALSE(IsInsidePolygon({0, 0}, std::vector<TPoint>{{0, 0}}));
    EXPECT_FALSE(IsInsidePolygon({0, 0}, {}));

    // Even-odd: the hole of a self-crossing star is outside.
    const std::vector<TPoint> star{{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}};
    EXPECT_FALSE(IsInsidePolygon({50, 55}, star));
    EXPECT_TRUE(IsInsidePolygon({50, 20}, star));
}

TEST(HitTests, Triangles)
{
    EXPECT_TRUE(IsInsideTriangle({5, 2}, {0, 0}, {10, 0}, {5, 10}));
    EXPECT_FALSE(IsInsideTriangle({1, 8}, {0, 0}, {10, 0}, {5, 10}));
    // Base (0,10)-(10,10), apex (5,0): pointing up.
    EXPECT_TRUE(IsInsideTriangleVertical({5, 3}, 0, 10, 10, 0));
    EXPECT_FALSE(IsInsideTriangleVertical({1, 3}, 0, 10, 10, 0));
    // Base (0,0)-(0,10), apex (10,5): pointing right.
    EXPECT_TRUE(IsInsideTriangleHorizontal({3, 5}, 0, 10, 0, 10));
    EXPECT_FALSE(IsInsideTriangleHorizontal({8, 1}, 0, 10, 0, 10));
}

TEST(HitTests, InsideEllipse)
{
    struct Case {
        TPoint point;
        TRect box;
        bool inside;
    };
    const Case cases[] = {
        {{10, 5}, {0, 0, 20, 10}, true},   // centre
        {{20, 5}, {0, 0, 20, 10}, true},   // on the ellipse's right end
        {{21, 5}, {0, 0, 20, 10}, false},  //
        {{10, 0}, {0, 0, 20, 10}, true},   // top
        {{1, 1}, {0, 0, 20, 10}, false},   // corner of the box
        {{0, 0}, {0, 0, 0, 10}, false},    // no width
        {{0, 0}, {0, 0, 10, 1}, false},    // half height truncates to 0
    };
    for (const Case& c : cases) EXPECT_EQ(IsInsideEllipse(c.point, c.box), c.inside) << c.point.X << "," << c.point.Y;
}

TEST(HitTests, IntersectSegments)
{
    struct Case {
        TSegmentPoint a0, a1, b0, b1;
        bool crosses;
        double x, y;
    };
    const Case cases[] = {
        {{0, 0}, {10, 10}, {0, 10}, {10, 0}, true, 5, 5},  // an X
        {{0, 0}, {4, 4}, {0, 10}, {10, 0}, false, 5, 5},   // the lines cross beyond segment A
        {{0, 0}, {10, 0}, {5, 0}, {6, 5}, true, 5, 0},     // touching at an end point
        {{0, 0}, {10, 0}, {0, 1}, {10, 1}, false, 10, 1},  // parallel: x from B's second point
    };
    for (const Case& c : cases) {
        double x = -1, y = -1;
        EXPECT_EQ(IntersectSegments(c.a0, c.a1, c.b0, c.b1, x, y), c.crosses);
        EXPECT_DOUBLE_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(y, c.y);
    }
    double x = -1, y = -1;
    EXPECT_FALSE(IntersectSegments({5, 0}, {5, 10}, {0, 5}, {10, 5}, x, y));  // a vertical segment
    EXPECT_EQ(x, -1);
}
