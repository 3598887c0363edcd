#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/GDIPlusStyles.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"

TEST(GdiPlusStyles, ColorCarriesCanvasAlphaLessTransparencyByte)
{
    const struct {
        TColor color;
        Byte alpha;
        std::uint32_t expected;
    } cases[] = {
        {static_cast<TColor>(0x40102030), 255, 0xBF302010u},
        {static_cast<TColor>(0x40102030), 0x30, 0x00302010u},
        {clRed, 255, 0xFFFF0000u},
        {clBlue, 128, 0x800000FFu},
        {clNone, 255, 0xFF000000u},  // resolved to black, not read as a transparency byte
        {clWindow, 255,
         0xFF000000u | ((ColorToRGB(clWindow) & 0xFF) << 16) | (ColorToRGB(clWindow) & 0xFF00) |
             ((ColorToRGB(clWindow) >> 16) & 0xFF)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GPColor(c.color, c.alpha), c.expected) << std::hex << static_cast<std::uint32_t>(c.color);
}

TEST(GdiPlusStyles, TransparencyScalesAlpha)
{
    EXPECT_EQ(GPAlphaOf(20, 255), 204);
    EXPECT_EQ(GPAlphaOf(50, 204), 102);
    EXPECT_EQ(GPAlphaOf(0, 255), 255);
    EXPECT_EQ(GPAlphaOf(100, 255), 0);
    EXPECT_EQ(GPAlphaOf(250, 255), 0);  // beyond 100 percent stays invisible
}

TEST(GdiPlusStyles, PenTable)
{
    const struct {
        TPenStyle style;
        TPenEndStyle end;
        TPenJoinStyle join;
        bool smallDots;
        int dash;
        TGPCaps caps;
        int lineJoin;
    } cases[] = {
        {psDash, esSquare, jsRound, false, 1, {1, 1, 3}, 2},
        {psSolid, esRound, jsBevel, false, 0, {2, 2, 2}, 1},
        {psDashDotDot, esFlat, jsMitter, false, 4, {0, 0, 0}, 0},
        {psDashDot, esFlat, jsRound, true, 2, {0, 0, 0}, 2},  // small dots whatever the style
        {psInsideFrame, esRound, jsRound, false, -1, {2, 2, 2}, 2},
    };
    for (const auto& c : cases) {
        TZebPen pen;
        pen.SetStyle(c.style);
        pen.SetEndStyle(c.end);
        pen.SetJoinStyle(c.join);
        pen.SetSmallDots(c.smallDots);
        EXPECT_EQ(GPDashStyle(pen), c.dash) << c.style;
        EXPECT_EQ(GPCapsOf(pen), c.caps) << c.end;
        EXPECT_EQ(GPLineJoin(pen), c.lineJoin) << c.join;
    }
}

TEST(GdiPlusStyles, HairlinesAreNeverSmoothed)
{
    TZebPen pen;
    pen.SetWidth(0);
    EXPECT_FALSE(GPPenSmoothing(pen, true));
    pen.SetWidth(2);
    EXPECT_TRUE(GPPenSmoothing(pen, true));
    EXPECT_FALSE(GPPenSmoothing(pen, false));
}

TEST(GdiPlusStyles, HatchChoice)
{
    const struct {
        TBrushStyle style;
        int hatch;
        int expected;
    } cases[] = {
        {bsCross, hsHorizontal, hsCross},
        {bsCross, hs50Percent, hs50Percent},
        {bsBDiagonal, hsVertical, hsBackwardDiagonal},
        {bsDiagCross, hsCross, hsDiagonalCross},
        {bsHorizontal, hsSolidDiamond, hsSolidDiamond},
        {bsVertical, hsSolidDiamond + 1, hsHorizontal},
    };
    for (const auto& c : cases) {
        TBrush brush;
        brush.SetStyle(c.style);
        EXPECT_EQ(GPHatchStyle(brush, c.hatch), c.expected) << c.style << " " << c.hatch;
    }
}

TEST(GdiPlusStyles, LinearGradientModeAngleAndColours)
{
    const struct {
        TGradientDirection direction;
        int angle;
        int mode;
        float brushAngle;
        bool firstStopFirst;
    } cases[] = {
        {gdTopBottom, 30, 1, 120, false}, {gdBottomTop, 0, 1, 270, true},      {gdLeftRight, 0, 0, 0, false},
        {gdRightLeft, 10, 0, 190, true},  {gdFromTopLeft, 0, 2, 45, false},    {gdDiagonalDown, 0, 2, 135, true},
        {gdDiagonalUp, 0, 3, 45, false},  {gdFromBottomLeft, 0, 3, 135, true},
    };
    for (const auto& c : cases) {
        TZebGradient g;
        g.SetDirection(c.direction);
        g.SetStartColor(clRed);
        g.SetEndColor(clBlue);
        EXPECT_EQ(GPLinearMode(c.direction), c.mode) << c.direction;
        EXPECT_FLOAT_EQ(GPLinearAngle(c.direction, c.angle), c.brushAngle) << c.direction;
        std::uint32_t c1 = 0, c2 = 0;
        GPLinearColors(g, 255, c1, c2);
        EXPECT_EQ(c1, c.firstStopFirst ? 0xFFFF0000u : 0xFF0000FFu) << c.direction;
        EXPECT_EQ(c2, c.firstStopFirst ? 0xFF0000FFu : 0xFFFF0000u) << c.direction;
    }
}

TEST(GdiPlusStyles, PresetBlendOrderPositionsAndStopAlpha)
{
    TZebGradient g;
    g.SetDirection(gdLeftRight);
    g.Colors()->Clear();
    g.Colors()->InsertColor(clRed, 0, 0);
    g.Colors()->InsertColor(clLime, 40, 0.3);
    g.Colors()->InsertColor(clBlue, 0, 1);
    TGPBlend blend = GPPresetBlend(g, 255);
    ASSERT_EQ(blend.Positions.size(), 3u);
    EXPECT_FLOAT_EQ(blend.Positions[0], 0);
    EXPECT_FLOAT_EQ(blend.Positions[1], 0.7f);
    EXPECT_FLOAT_EQ(blend.Positions[2], 1);
    EXPECT_EQ(blend.Colors[0], 0xFF0000FFu);
    EXPECT_EQ(blend.Colors[1], 0x9900FF00u);  // round(60 * 2.55) = 153
    EXPECT_EQ(blend.Colors[2], 0xFFFF0000u);

    g.SetDirection(gdRightLeft);  // reversed directions keep the order and offsets
    blend = GPPresetBlend(g, 102);
    EXPECT_FLOAT_EQ(blend.Positions[1], 0.3f);
    EXPECT_EQ(blend.Colors[0], 0x66FF0000u);
    EXPECT_EQ(blend.Colors[1], 0x3D00FF00u);  // round(61.2)
}

TEST(GdiPlusStyles, PresetBlendKeepsItsEndsBeyond256Stops)
{
    TZebGradient g;
    g.SetDirection(gdBottomTop);
    g.Colors()->Clear();
    for (int i = 0; i < 300; ++i) g.Colors()->InsertColor(i == 299 ? clBlue : clRed, 0, i / 299.0);
    const TGPBlend blend = GPPresetBlend(g, 255);
    ASSERT_EQ(blend.Positions.size(), 256u);
    EXPECT_FLOAT_EQ(blend.Positions.back(), 1);
    EXPECT_EQ(blend.Colors.back(), 0xFF0000FFu);
}

TEST(GdiPlusStyles, RadialBoundsWidenByAQuarter)
{
    EXPECT_EQ(GPRadialBounds({0, 0, 100, 40}), (TFloatRect{-25, -10, 125, 50}));
}

TEST(GdiPlusStyles, PieAngles)
{
    const struct {
        double start, end;
        TGPArc expected;
    } cases[] = {
        {0, 0, {0, 360}},
        {90, 180, {180, 90}},
        {300, 60, {-60, 120}},  // across 0
        {0, 90, {270, 90}},
    };
    for (const auto& c : cases) EXPECT_EQ(GPPieAngles(c.start, c.end), c.expected) << c.start << " " << c.end;
}

TEST(GdiPlusStyles, CornerSizes)
{
    const struct {
        int size, side, expected;
    } cases[] = {{7, 100, 6}, {0, 100, 1}, {-5, 100, 1}, {200, 50, 50}, {8, 8, 8}};
    for (const auto& c : cases) EXPECT_EQ(GPCornerSize(c.size, c.side), c.expected) << c.size << " " << c.side;
}

TEST(GdiPlusStyles, ShadowFadePosition) { EXPECT_FLOAT_EQ(GPShadowFadePosition(50), 0.2f); }

TEST(GdiPlusStyles, ElementMatrix)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const auto make = [](float cx, float cy, float tx, float ty, float angle, float sx, float sy) {
        TZebTransform t;
        t.Enabled = true;
        t.CenterX = cx, t.CenterY = cy, t.TranslateX = tx, t.TranslateY = ty;
        t.Angle = angle, t.ScaleX = sx, t.ScaleY = sy;
        return t;
    };
    const struct {
        const char* name;
        TZebTransform transform;
        TPointFloat in, out;
    } cases[] = {
        {"identity", make(0, 0, 0, 0, 0, 1, 1), {3, 4}, {3, 4}},
        {"translation", make(0, 0, 10, -5, 0, 1, 1), {3, 4}, {13, -1}},
        {"turned about its centre keeps the centre", make(50, 20, 0, 0, 90, 1, 1), {50, 20}, {50, 20}},
        {"a quarter turn clockwise on the screen", make(50, 20, 0, 0, 90, 1, 1), {60, 20}, {50, 30}},
        {"scaled about the centre, then moved", make(10, 10, 5, 0, 0, 2, 3), {11, 11}, {17, 13}},
        {"non-finite terms are left out", make(0, 0, nan, 1, nan, nan, 2), {1, 1}, {1, 1}},
    };
    for (const auto& c : cases) {
        const TPointFloat p = GPElementMatrix(c.transform).Map(c.in);
        EXPECT_NEAR(p.X, c.out.X, 1e-4) << c.name;
        EXPECT_NEAR(p.Y, c.out.Y, 1e-4) << c.name;
    }
}

TEST(GdiPlusStyles, CoordinatesAreAlwaysFinite)
{
    EXPECT_EQ(GPCoord(std::nan("")), 0);
    EXPECT_EQ(GPCoord(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(GPCoord(-std::numeric_limits<double>::infinity()), -std::numeric_limits<float>::max());
    EXPECT_EQ(GPCoord(2.5), 2.5f);
}
