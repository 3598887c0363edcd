#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "widgets/meters/GaugeDraw.h"

namespace {
constexpr TGradientStyle kAllStyles[] = {gsHorizontal1, gsHorizontal2, gsHorizontal3, gsVertical1, gsVertical2,
                                         gsVertical3,   gsElliptic1,   gsElliptic2,   gsElliptic3, gsRectangle,
                                         gsDiamond1,    gsDiamond2,    gsTopLeft,     gsTopRight};

TColor grey(int level) { return static_cast<TColor>(RGB(level, level, level)); }

struct Canvas {
    TBitmap bmp;
    Canvas(int w, int h) : bmp(w, h)
    {
        bmp.Canvas()->Brush()->SetColor(clFuchsia);
        bmp.Canvas()->FillRect(Rect(0, 0, w, h));
    }
    TColor at(int x, int y) { return bmp.Canvas()->Pixels(x, y); }
};
}  // namespace

TEST(Gradient, EqualColoursFillFlatInEveryStyle)
{
    for (TGradientStyle style : kAllStyles) {
        Canvas c(30, 20);
        FillGradientRect(*c.bmp.Canvas(), Rect(5, 5, 25, 15), clBtnFace, clBtnFace, style);
        const TColor face = static_cast<TColor>(ColorToRGB(clBtnFace));
        for (TPoint p : {Point(5, 5), Point(24, 14), Point(15, 10)}) EXPECT_EQ(c.at(p.X, p.Y), face) << style;
        EXPECT_EQ(c.at(4, 4), clFuchsia) << style;
        EXPECT_EQ(c.at(25, 15), clFuchsia) << style;
    }
}

TEST(Gradient, EmptyRectangleLeavesTheCanvasAlone)
{
    for (TGradientStyle style : kAllStyles) {
        for (TRect r : {Rect(5, 5, 5, 15), Rect(5, 5, 25, 5), Rect(10, 10, 4, 4)}) {
            Canvas c(30, 20);
            FillGradientRect(*c.bmp.Canvas(), r, clBlack, clWhite, style);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 30; ++x) ASSERT_EQ(c.at(x, y), clFuchsia) << style << " at " << x << "," << y;
        }
    }
}

TEST(Gradient, Horizontal1BandsTruncateTheirChannels)
{
    // Black to white on 100 x 50: 255 steps reduce to the height, one-pixel bands, band k = trunc(k * 255 / 50).
    Canvas c(100, 50);
    FillGradientRect(*c.bmp.Canvas(), Rect(0, 0, 100, 50), clBlack, clWhite, gsHorizontal1);
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(c.at(0, y), grey(y * 255 / 50)) << y;
        EXPECT_EQ(c.at(99, y), grey(y * 255 / 50)) << y;
    }
}

TEST(Gradient, BandWidthsAndLevels)
{
    struct Case {
        TGradientStyle style;
        int w, h;
        TPoint p;
        TColor expected;
    };
    const Case cases[] = {
        // 0 to 100 grey over a height of 300: 100 bands of 3 pixels.
        {gsHorizontal1, 10, 300, {0, 0}, grey(0)},
        {gsHorizontal1, 10, 300, {0, 2}, grey(0)},
        {gsHorizontal1, 10, 300, {0, 3}, grey(1)},
        {gsHorizontal1, 10, 300, {0, 299}, grey(99)},
        // Across the width.
        {gsVertical1, 300, 10, {5, 5}, grey(1)},
        {gsVertical1, 300, 10, {299, 0}, grey(99)},
        // From in the middle, To at both edges: 25 steps of 4.
        {gsHorizontal2, 10, 50, {0, 25}, grey(0)},
        {gsHorizontal2, 10, 50, {0, 24}, grey(4)},
        {gsHorizontal2, 10, 50, {0, 26}, grey(4)},
        {gsHorizontal2, 10, 50, {0, 0}, grey(100)},
        {gsVertical2, 50, 10, {25, 3}, grey(0)},
        {gsVertical2, 50, 10, {0, 3}, grey(100)},
        // From a third of the way down; 34 steps (round(50 * 0.67)) of 100/34.
        {gsHorizontal3, 10, 50, {0, 16}, grey(0)},
        {gsHorizontal3, 10, 50, {0, 0}, grey(47)},   // 16 steps up: round(16 * 100 / 34)
        {gsHorizontal3, 10, 50, {0, 49}, grey(97)},  // 33 steps down
        // Centred styles: From in the middle, To in the corners.
        {gsElliptic1, 40, 40, {0, 0}, grey(100)},
        {gsRectangle, 41, 41, {20, 20}, grey(0)},
        {gsRectangle, 41, 41, {0, 0}, grey(96)},  // the smallest square reaching the corner: k = 96
        {gsDiamond1, 40, 40, {20, 20}, grey(0)},
        {gsDiamond1, 40, 40, {0, 0}, grey(100)},
    };
    for (const auto& k : cases) {
        Canvas c(k.w, k.h);
        FillGradientRect(*c.bmp.Canvas(), Rect(0, 0, k.w, k.h), grey(0), grey(100), k.style);
        EXPECT_EQ(c.at(k.p.X, k.p.Y), k.expected)
            << "style " << k.style << " at " << k.p.X << "," << k.p.Y << " got " << std::hex << c.at(k.p.X, k.p.Y);
    }
}

TEST(Gradient, EllipseCentreHoldsTheStartColour)
{
    for (TGradientStyle style : {gsElliptic1, gsElliptic2}) {
        Canvas c(60, 40);
        FillGradientRect(*c.bmp.Canvas(), Rect(0, 0, 60, 40), clRed, clBlue, style);
        const TColor centre = c.at(30, 20);
        EXPECT_GT(centre & 0xFF, 0xF0) << style;              // nearly pure red
        EXPECT_GT((c.at(0, 0) >> 16) & 0xFF, 0xF0) << style;  // nearly pure blue
    }
    // The widest ellipse of the first style just fits: the corners keep the end colour.
    Canvas c(60, 40);
    FillGradientRect(*c.bmp.Canvas(), Rect(0, 0, 60, 40), clRed, clBlue, gsElliptic1);
    EXPECT_EQ(c.at(0, 0), clBlue);
}

TEST(Gradient, DrawsOnlyInsideTheRectangle)
{
    Canvas c(50, 50);
    FillGradientRect(*c.bmp.Canvas(), Rect(10, 10, 40, 40), clBlack, clWhite, gsDiamond2);
    EXPECT_EQ(c.at(9, 25), clFuchsia);
    EXPECT_EQ(c.at(40, 25), clFuchsia);
    EXPECT_EQ(c.at(25, 9), clFuchsia);
    EXPECT_NE(c.at(25, 25), clFuchsia);
}

TEST(Gradient, CornerStylesRunFromOneCornerToTheOther)
{
    struct Case {
        TGradientStyle style;
        TPoint from, to;
    };
    const Case cases[] = {{gsTopLeft, {0, 0}, {39, 39}}, {gsTopRight, {39, 0}, {0, 39}}};
    for (const auto& k : cases) {
        Canvas c(40, 40);
        FillGradientRect(*c.bmp.Canvas(), Rect(0, 0, 40, 40), grey(0), grey(100), k.style);
        // Diagonal lines hit the corner pixels within a step or two of the end colours.
        EXPECT_LE(c.at(k.from.X, k.from.Y) & 0xFF, 2) << k.style;
        EXPECT_GE(c.at(k.to.X, k.to.Y) & 0xFF, 97) << k.style;
        const int mid = c.at(20, 20) & 0xFF;
        EXPECT_GT(mid, 35) << k.style;
        EXPECT_LT(mid, 65) << k.style;
    }
}
