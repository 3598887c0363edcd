#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Geometry.h"

namespace {
std::string str(TPoint p) { return "(" + std::to_string(p.X) + "," + std::to_string(p.Y) + ")"; }
std::string str(TRect r)
{
    return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom) + ")";
}
std::string str(TPointFloat p)
{
    std::ostringstream s;
    s << "(" << p.X << "," << p.Y << ")";
    return s.str();
}
std::string str(bool b) { return b ? "true" : "false"; }
std::string str(const std::vector<TPoint>& pts)
{
    std::string s;
    for (TPoint p : pts) s += str(p);
    return s;
}
}  // namespace

TEST(Geometry, RoutinesByCase)
{
    struct Case {
        const char* what;
        std::function<std::string()> actual;
        std::string expected;
    };
    const std::vector<TPoint> square{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    const std::vector<TPoint> collinear{{0, 0}, {1, 1}, {2, 2}};
    const Case cases[] = {
        {"centre halves toward zero",
         [] {
             int x, y;
             RectCenterXY({-3, -3, 0, 0}, x, y);
             return str(TPoint{x, y});
         },
         "(-1,-1)"},
        {"contains its far corner",
         [] {
             return str(RectContainsXY({0, 0, 10, 10}, 10, 10));
         },
         "true"},
        {"outside by one",
         [] {
             return str(RectContainsXY({0, 0, 10, 10}, 11, 10));
         },
         "false"},
        {"back face",
         [] {
             return str(IsBackFacing({0, 0}, {10, 0}, {10, 10}));
         },
         "true"},
        {"front face (mirrored)",
         [] {
             return str(IsBackFacing({10, 10}, {10, 0}, {0, 0}));
         },
         "false"},
        {"centroid of a square", [&] { return str(PolygonCentroid(square)); }, "(1,1)"},
        {"centroid without area", [&] { return str(PolygonCentroid(collinear)); }, "(0,0)"},
        {"centroid of two points",
         [] {
             return str(PolygonCentroid(std::vector<TPoint>{{0, 0}, {3, 1}}));
         },
         "(1.5,0.5)"},
        {"pull back along x",
         [] {
             return str(PullBackLineEnd({0, 0}, {10, 0}, 3));
         },
         "(7,0)"},
        {"pull back a vertical line",
         [] {
             return str(PullBackLineEnd({0, 10}, {0, 0}, 3));
         },
         "(0,3)"},
        {"negative distance extends",
         [] {
             return str(PullBackLineEnd({0, 0}, {10, 0}, -2));
         },
         "(12,0)"},
        {"bounds of one point",
         [] {
             return str(BoundsOfPointArray(std::vector<TPoint>{{5, 5}}));
         },
         "(5,5,6,6)"},
        {"bounds of nothing", [] { return str(BoundsOfPointArray({})); }, "(0,0,0,0)"},
        {"normalised edges", [] { return str(RectFromEdgesNormalized(10, 2, 3, -4)); }, "(3,-4,10,2)"},
        {"round halves to even",
         [] {
             return str(RoundFloatPoint({2.5f, -3.5f}));
         },
         "(2,-4)"},
        {"inside a square",
         [&] {
             return str(PointInPolygon({1, 1}, square));
         },
         "true"},
        {"beside a square",
         [&] {
             return str(PointInPolygon({3, 1}, square));
         },
         "false"},
        {"square inside a larger one",
         [&] {
             return str(PolygonInsidePolygon(square, std::vector<TPoint>{{-1, -1}, {5, -1}, {5, 5}, {-1, 5}}));
         },
         "true"},
        {"hull of square and centre",
         [] {
             std::vector<TPoint> pts{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}};
             ComputeConvexHull(pts);
             return str(pts);
         },
         "(10,10)(0,10)(0,0)(10,0)"},
        {"hull of two points refused",
         [] {
             std::vector<TPoint> pts{{0, 0}, {1, 1}};
             return str(ComputeConvexHull(pts));
         },
         "false"},
        {"darken clamps at 0", [] { return std::to_string(DarkenColor(0x20A0FF10, 0x20)); },
         std::to_string(0x0080DF00)},
        {"lighten clamps at 255", [] { return std::to_string(LightenColor(0x00F00010, 0x20)); },
         std::to_string(0x00FF2030)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual(), c.expected) << c.what;
}
