// The bar shapes in 2-D and 3-D, the bar rectangle, thin bars, side counts, rounded corners, the
// relative gradient, effects, null points, clicks and tick lines.
#include <string>
#include <vector>

#include "BarFixtures.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

namespace {

std::string Z(int z0, int z1) { return std::to_string(z0) + "," + std::to_string(z1); }

struct ShapeCase {
    TBarStyle style;
    std::string flat;  // the 2-D call, depth 0
    std::string solid;  // the 3-D call; "Z" stands for the series' start and end Z, "M" its middle
};

// Bar bounds 10, 20, 30, 80 (L, T, R, B), ends 20 and 80: M = 20, W = 20.
const ShapeCase VerticalShapes[] = {
    {bsRectangle, "Rectangle(10,20,30,80)", "DrawBox(10,30,20,80,Z,true,0)"},
    {bsPyramid, "Polygon(10,80 20,20 30,80)", "DrawSquarePyramid(true,10,20,30,80,Z,true)"},
    {bsInvPyramid, "Polygon(10,20 20,80 30,20)", "DrawSquarePyramid(true,10,80,30,20,Z,true)"},
    {bsCilinder, "Rectangle(10,20,30,80)", "DrawPlainCylinder(true,10,20,30,80,Z,true)"},
    {bsEllipse, "Ellipse(10,20,30,80)", "EllipseAtZ(10,20,30,80,M)"},
    {bsArrow, "DrawArrowAtZ(true,20,80,20,20,20,10,0,0,50)", "DrawArrowAtZ(true,20,80,20,20,20,10,Z,50)"},
    {bsRectGradient, "Rectangle(10,20,30,80)", "DrawBox(10,30,20,80,Z,true,0)"},
    {bsCone, "Polygon(10,80 20,20 30,80)", "DrawTaperedCylinder(true,10,20,30,80,Z,true,0)"},
    {bsBevel, "Rectangle(10,20,30,80)", "DrawBox(10,30,20,80,Z,true,0)"},
    {bsSlantCube, "Rectangle(10,20,30,80)", "DrawPlainCylinder(true,10,20,30,80,Z,true)"},
    {bsDiamond, "DrawDiamond(10,20,30,80,0,0)", "DrawDiamond(10,20,30,80,Z)"},
    {bsInvArrow, "DrawArrowAtZ(true,20,20,20,80,20,10,0,0,50)", "DrawArrowAtZ(true,20,20,20,80,20,10,Z,50)"},
    {bsInvCone, "Polygon(10,20 20,80 30,20)", "DrawTaperedCylinder(true,10,80,30,20,Z,true,0)"},
    {bsCustom, "", ""},
    {bsRoundRectangle, "", "DrawBox(10,30,20,80,Z,true,16)"},
};

// Bar bounds 20, 10, 80, 30 (L, T, R, B), ends 20 and 80: N = 20, H = 20.
const ShapeCase HorizontalShapes[] = {
    {bsRectangle, "Rectangle(20,10,80,30)", "DrawBox(20,80,10,30,Z,true,0)"},
    {bsPyramid, "Polygon(20,10 80,20 20,30)", "DrawSquarePyramid(false,20,10,80,30,Z,true)"},
    {bsInvPyramid, "Polygon(80,10 20,20 80,30)", "DrawSquarePyramid(false,80,10,20,30,Z,true)"},
    {bsCilinder, "Rectangle(20,10,80,30)", "DrawPlainCylinder(false,20,10,80,30,Z,true)"},
    {bsEllipse, "Ellipse(20,10,80,30)", "EllipseAtZ(20,10,80,30,M)"},
    {bsArrow, "DrawArrowAtZ(true,20,20,80,20,20,10,0,0,50)", "DrawArrowAtZ(true,20,20,80,20,20,10,Z,50)"},
    {bsCone, "Polygon(20,10 80,20 20,30)", "DrawTaperedCylinder(false,20,10,80,30,Z,true,0)"},
    {bsSlantCube, "Rectangle(20,10,80,30)", "DrawPlainCylinder(false,20,10,80,30,Z,true)"},
    {bsDiamond, "DrawDiamond(20,10,80,30,0,0)", "DrawDiamond(20,10,80,30,Z)"},
    {bsInvArrow, "DrawArrowAtZ(true,80,20,20,20,20,10,0,0,50)", "DrawArrowAtZ(true,80,20,20,20,20,10,Z,50)"},
    {bsInvCone, "Polygon(80,10 20,20 80,30)", "DrawTaperedCylinder(false,80,10,20,30,Z,true,0)"},
    {bsCustom, "", ""},
};

const std::initializer_list<const char*> ShapeCalls = {
    "Rectangle", "Polygon", "Ellipse", "EllipseAtZ", "DrawArrowAtZ", "DrawDiamond", "DrawBox",
    "DrawSquarePyramid", "DrawPlainCylinder", "DrawTaperedCylinder", "RoundRect"};

std::string Expand(std::string text, const TChartSeries::TDepthRange& depth)
{
    const auto replace = [&](const std::string& key, const std::string& value) {
        for (size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
            text.replace(at, key.size(), value);
    };
    replace(",Z,", "," + Z(depth.start, depth.end) + ",");
    replace(",Z)", "," + Z(depth.start, depth.end) + ")");
    replace(",M)", "," + std::to_string(depth.middle) + ")");
    return text;
}

template <class S>
void CheckShapes(std::span<const ShapeCase> cases, const TRect& bounds)
{
    for (const bool view3D : {false, true}) {
        TBarChart c(view3D);
        S& s = c.template Add<S>({5});
        s.BarPen()->SetVisible(false);
        c.Frame();
        for (const ShapeCase& k : cases) {
            s.SetBarStyle(k.style);
            s.BarBounds = bounds;
            c.canvas->ClearLog();
            const bool horizontal = !s.YMandatory();
            s.PaintBarShape(0, horizontal ? bounds.Left : bounds.Top, horizontal ? bounds.Right : bounds.Bottom);
            const std::vector<std::string> shapes = c.Shapes(ShapeCalls);
            const std::string expected = Expand(view3D ? k.solid : k.flat, s.DepthRange());
            SCOPED_TRACE(std::string(TBarStyleNames[k.style]) + (view3D ? " 3-D" : " 2-D"));
            if (k.style == bsCustom) {
                EXPECT_TRUE(shapes.empty());
            } else if (!expected.empty()) {
                ASSERT_FALSE(shapes.empty());
                EXPECT_TRUE(shapes.front().starts_with(expected)) << shapes.front();
            }
        }
    }
}

TEST_F(BarSuite, VerticalShapesCallTheirCanvasOperation) { CheckShapes<TBarSeries>(VerticalShapes, {10, 20, 30, 80}); }

TEST_F(BarSuite, HorizontalShapesCallTheirCanvasOperation)
{
    CheckShapes<THorizBarSeries>(HorizontalShapes, {20, 10, 80, 30});
}

// ---- the bar rectangle ----

TEST_F(BarSuite, HiddenPenGrowsTheBarByOnePixel)
{
    TBarChart c;
    TBarSeries& s = c.Add({5, -5});
    c.Frame();
    const TRect up = s.ComputeBarRect(0), down = s.ComputeBarRect(1);
    s.BarPen()->SetVisible(false);
    const TRect upHidden = s.ComputeBarRect(0), downHidden = s.ComputeBarRect(1);
    EXPECT_EQ(upHidden.Bottom, up.Bottom + 1);
    EXPECT_EQ(upHidden.Top, up.Top);
    EXPECT_EQ(upHidden.Right, up.Right + 1);
    EXPECT_EQ(downHidden.Top, down.Top + 1);  // the value end is the lower one
    EXPECT_EQ(up.Right - up.Left, s.BarSize + 1);
}

TEST_F(BarSuite, HorizontalHiddenPenWithNegativeValue)
{
    TBarChart c;
    auto& s = c.Add<THorizBarSeries>({5, -5});
    c.Frame();
    const TRect up = s.ComputeBarRect(0), down = s.ComputeBarRect(1);
    s.BarPen()->SetVisible(false);
    const TRect upHidden = s.ComputeBarRect(0), downHidden = s.ComputeBarRect(1);
    EXPECT_EQ(upHidden.Right, up.Right + 1);
    EXPECT_EQ(downHidden.Left, down.Left + 1);
    EXPECT_EQ(downHidden.Right, down.Right - 1);
    EXPECT_EQ(downHidden.Bottom, down.Bottom + 1);
    EXPECT_EQ(up.Bottom - up.Top, s.BarSize - 1);
}

TEST_F(BarSuite, ThinBarIsItsOutlineInTheFillColour)
{
    TBarChart c;
    TBarSeries& s = c.Add({5});
    s.SetSeriesColor(clRed);
    s.BarPen()->SetWidth(2);
    c.Frame();
    s.BarColor = clRed;
    // Inset by half the pen: nothing left across, a line in the fill colour.
    s.BarBounds = {10, 20, 12, 80};
    c.canvas->ClearLog();
    s.PaintBarShape(0, 20, 80);
    EXPECT_EQ(c.canvas->Pen()->Color(), clRed);
    EXPECT_TRUE(c.Shapes({"Rectangle"}).empty());
    // One pixel across, under a pen 2 wide: the outline alone.
    s.BarBounds = {10, 20, 13, 80};
    s.PaintBarShape(0, 20, 80);
    EXPECT_EQ(c.canvas->Pen()->Color(), clRed);
    EXPECT_EQ(c.canvas->Brush()->Style(), bsClear);
    // Wide enough: filled, outlined by the pen.
    s.BarBounds = {10, 20, 40, 80};
    s.PaintBarShape(0, 20, 80);
    EXPECT_EQ(c.canvas->Brush()->Style(), bsSolid);
    EXPECT_EQ(c.canvas->Pen()->Color(), s.BarPen()->Color());
}

// Notes the side count a cylinder was drawn with.
class TSidesCanvas : public TRecordingCanvas {
    TV_CLASS(TSidesCanvas, TRecordingCanvas)
public:
    using TRecordingCanvas::TRecordingCanvas;
    std::vector<int> Sides, Points;
    void DrawPlainCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                           bool darkSides) override
    {
        Sides.push_back(CylinderSideCount);
        Points.push_back(CirclePointCount);
        TRecordingCanvas::DrawPlainCylinder(vertical, left, top, right, bottom, z0, z1, darkSides);
    }
};

TEST_F(BarSuite, SideCountsHoldForTheShapeOnly)
{
    TBarChart c(true);
    auto* canvas = new TSidesCanvas(400, 300);
    c.chart.ReplaceCanvas(canvas);
    TBarSeries& s = c.Add({5});
    s.SetSides(1);
    s.SetBarStyle(bsCilinder);
    const int sides = CylinderSideCount, points = CirclePointCount;
    c.chart.RenderTo(nullptr, {0, 0, 400, 300});
    s.SetBarStyle(bsSlantCube);
    c.chart.RenderTo(nullptr, {0, 0, 400, 300});
    EXPECT_EQ(canvas->Sides, (std::vector<int>{2, 4}));
    EXPECT_EQ(canvas->Points, (std::vector<int>{4, 8}));
    EXPECT_EQ(CylinderSideCount, sides);
    EXPECT_EQ(CirclePointCount, points);
}

TEST_F(BarSuite, RoundedAtValueKeepsTheBaseSquare)
{
    TBarChart c;
    TBarSeries& s = c.Add({5, -5});
    s.SetBarStyle(bsRoundRectangle);
    s.BarPen()->SetVisible(false);
    s.SetSeriesColor(clBlue);
    s.SetRoundSize(12);
    c.chart.SetColor(clWhite);
    c.Frame();
    TBitmap& bitmap = c.canvas->Bitmap();
    const auto filled = [&](int x, int y) { return bitmap.Canvas()->Pixels(x, y) == clBlue; };
    const TRect up = s.ComputeBarRect(0), down = s.ComputeBarRect(1);
    // Above the origin: rounded at the top, square at the bottom.
    EXPECT_FALSE(filled(up.Left, up.Top));
    EXPECT_TRUE(filled(up.Left + 1, up.Bottom - 2));
    // Below it: square at the top (the base), rounded at the bottom.
    EXPECT_TRUE(filled(down.Left + 1, down.Bottom + 1));
    EXPECT_FALSE(filled(down.Left, down.Top - 1));
}

TEST_F(BarSuite, RelativeGradientScalesTheEndColour)
{
    const TColor start = clWhite, bar = static_cast<TColor>(0x0000C8);
    const struct {
        std::initializer_list<double> values;
        bool useOrigin;
        int index;
        TColor end;
    } cases[] = {
        {{10, 5, 0}, true, 0, bar},                               // the highest bar: its own colour
        {{10, 5, 0}, true, 2, start},                             // at the origin: the start colour
        {{10, 5, 0}, true, 1, static_cast<TColor>(0x7F7FE3)},     // half way, halves to even
        {{4, 4}, false, 0, bar},                                  // no spread: its own colour
        {{0, -5}, true, 0, bar},                                  // highest at the origin
        {{2, 6}, false, 0, start},                                // the lowest without an origin
    };
    for (const auto& k : cases) {
        TBarChart c;
        auto& s = c.Add<TProbeBarSeries>(k.values);
        s.SetGradientRelative(true);
        s.SetUseYOrigin(k.useOrigin);
        s.Gradient()->SetStartColor(start);
        s.BarColor = bar;
        s.ApplyRelativeGradient(k.index);
        EXPECT_EQ(s.Gradient()->EndColor(), k.end) << k.index;
    }
}

TEST_F(BarSuite, RelativeGradientBelowTheOriginIsTurned)
{
    TBarChart c;
    auto& s = c.Add<TProbeBarSeries>({4, -4});
    s.SetGradientRelative(true);
    s.Gradient()->SetStartColor(clWhite);
    s.BarColor = clRed;
    EXPECT_TRUE(s.ApplyRelativeGradient(1));
    EXPECT_EQ(s.Gradient()->StartColor(), clRed);
    EXPECT_EQ(s.Gradient()->EndColor(), clWhite);
}

TEST_F(BarSuite, EmbossOnAPyramidIsOffsetBySizes)
{
    TBarChart c;
    TBarSeries& s = c.Add({5});
    s.SetBarStyle(bsPyramid);
    s.BarPen()->SetVisible(false);
    s.Emboss()->SetVisible(true);
    s.Emboss()->SetHorizSize(3);
    s.Emboss()->SetVertSize(2);
    c.Frame();
    const std::vector<std::string> shapes = c.Shapes({"Polygon"});
    ASSERT_EQ(shapes.size(), 2u);
    const TRect r = s.ComputeBarRect(0);
    const int m = (r.Left + r.Right) / 2;
    // Towards the top left: both sizes negated; the top moves, the base stays.
    const auto triangle = [](int l, int r, int m, int top, int bottom) {
        return "Polygon(" + std::to_string(l) + "," + std::to_string(bottom) + " " + std::to_string(m) + "," +
               std::to_string(top) + " " + std::to_string(r) + "," + std::to_string(bottom) + ")";
    };
    EXPECT_TRUE(shapes[0].starts_with(triangle(r.Left - 3, r.Right - 3, m - 3, r.Top - 2, r.Bottom))) << shapes[0];
    EXPECT_TRUE(shapes[0].ends_with("brush=808080")) << shapes[0];
    EXPECT_TRUE(shapes[1].starts_with(triangle(r.Left, r.Right, m, r.Top, r.Bottom))) << shapes[1];
}

TEST_F(BarSuite, NullPointDrawsNeitherBarNorShadow)
{
    TBarChart c;
    TBarSeries& s = c.Add({5, 6});
    s.Shadow()->SetSize(4);
    s.SetPointNull(1, true);
    c.Frame();
    int rects = 0;
    s.BarRectHook = [&](int, TRect& r) {
        ++rects;
        r = {10, 10, 20, 20};
    };
    c.canvas->ClearLog();
    s.DrawPoint(1);
    EXPECT_TRUE(c.canvas->Log().empty());
    EXPECT_EQ(rects, 0);
    s.DrawPoint(0);
    EXPECT_EQ(rects, 1);
    EXPECT_FALSE(c.canvas->Log().empty());
}

TEST_F(BarSuite, ClickEdgesIn2D)
{
    TBarChart c;
    TBarSeries& s = c.Add({5, 6});
    c.Frame();
    const int x0 = s.PointScreenX(0);
    const int y = (s.BarValuePixel(0) + s.BarOriginPixel(0)) / 2;
    EXPECT_TRUE(s.BarContainsPoint(0, {x0, y}));
    EXPECT_TRUE(s.BarContainsPoint(0, {x0 + s.BarSize, y}));
    EXPECT_FALSE(s.BarContainsPoint(0, {x0 + s.BarSize + 1, y}));
    EXPECT_FALSE(s.BarContainsPoint(0, {x0 - 1, y}));
    EXPECT_EQ(s.HitTest(x0 + 1, y), 0);
    EXPECT_EQ(s.HitTest(x0 - 1, y), -1);
}

// Points of a bar given across its slot (0 one edge, 1 the other) and along it (0 the base, 1 the
// value end) hit alike whichever way the bar lies: a pyramid narrows towards the value, its
// inverse towards the base, arrows point at the value or the base.
TEST_F(BarSuite, ClicksFollowTheShapeInBothOrientations)
{
    const struct {
        double across, along;
    } points[] = {{0.5, 0.5}, {0.1, 0.9}, {0.1, 0.1}, {0.5, 0.97}, {0.02, 0.5}, {0.5, 0.03}};
    const struct {
        TBarStyle style;
        const char* hits;  // one per point
    } cases[] = {
        {bsRectangle, "111111"}, {bsPyramid, "101101"}, {bsInvPyramid, "110101"}, {bsCilinder, "111111"},
        {bsEllipse, "100111"},   {bsArrow, "100101"},   {bsInvArrow, "100101"},   {bsDiamond, "100111"},
        {bsCone, "101101"},      {bsInvCone, "110101"},
    };
    for (const bool vertical : {true, false}) {
        TBarChart c;
        TCustomBarSeries& s =
            vertical ? static_cast<TCustomBarSeries&>(c.Add({10})) : c.Add<THorizBarSeries>({10});
        c.Frame();
        const int slot = s.BarSlotPixel(0), base = s.BarOriginPixel(0), end = s.BarValuePixel(0);
        for (const auto& k : cases) {
            s.SetBarStyle(k.style);
            std::string hits;
            for (const auto& p : points) {
                const int across = slot + static_cast<int>(p.across * s.BarSize);
                const int along = base + static_cast<int>(p.along * (end - base));
                hits += s.BarContainsPoint(0, vertical ? TPoint{across, along} : TPoint{along, across}) ? '1' : '0';
            }
            EXPECT_EQ(hits, k.hits) << TBarStyleNames[k.style] << (vertical ? " vertical" : " horizontal");
        }
    }
}

// Tick lines cross the bar at the tick's pixel: whole for boxes, half as wide on arrows; in 3-D a
// box's line goes on along the side face seen (here the left side of a vertical bar, the bottom
// of a horizontal one).
TEST_F(BarSuite, TickLinesCrossTheBarInBothOrientations)
{
    const struct {
        bool vertical, view3D;
        TBarStyle style;
        std::vector<std::string> lines;
    } cases[] = {
        {true, false, bsRectangle, {"MoveTo(10,50)", "LineTo(30,50)"}},
        {true, false, bsArrow, {"MoveTo(15,50)", "LineTo(25,50)"}},
        {true, true, bsRectangle, {"MoveTo(10,50)", "LineTo(30,50)", "MoveTo(10,50)", "LineTo(15,45)"}},
        {true, true, bsArrow, {"MoveTo(17,48)", "LineTo(27,48)"}},
        {false, false, bsRectangle, {"MoveTo(50,10)", "LineTo(50,30)"}},
        {false, false, bsArrow, {"MoveTo(50,15)", "LineTo(50,25)"}},
        {false, true, bsRectangle, {"MoveTo(50,10)", "LineTo(50,30)", "MoveTo(50,30)", "LineTo(55,25)"}},
        {false, true, bsArrow, {"MoveTo(52,13)", "LineTo(52,23)"}},
    };
    for (const auto& k : cases) {
        TBarChart c(k.view3D);
        TCustomBarSeries& s =
            k.vertical ? static_cast<TCustomBarSeries&>(c.Add({10})) : c.Add<THorizBarSeries>({10});
        c.Frame();
        s.BarBounds = k.vertical ? TRect{10, 20, 30, 80} : TRect{20, 10, 80, 30};
        c.canvas->ClearLog();
        s.PaintTickLine(50, k.style);
        EXPECT_EQ(c.canvas->Log(), k.lines) << TBarStyleNames[k.style] << (k.vertical ? " vertical" : " horizontal")
                                            << (k.view3D ? " 3-D" : " 2-D");
    }
}

}  // namespace

TV_PUBLISHED(TSidesCanvas) {}
