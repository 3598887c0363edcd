// Pixel rules of the GDI-style device context on small bitmaps.
#include <cmath>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PixelTest.h"
#include "platform/graphics/GdiConsts.h"

namespace {

struct LineCase {
    const char* name;
    int x0, y0, x1, y1;
};

TEST(DeviceContextLines, LineToDrawsTheStartAndOmitsTheEndInEveryDirection)
{
    const LineCase cases[] = {
        {"right", 2, 5, 12, 5},      {"left", 12, 5, 2, 5},         {"down", 5, 2, 5, 12},
        {"up", 5, 12, 5, 2},         {"down-right", 2, 2, 12, 12},  {"up-left", 12, 12, 2, 2},
        {"shallow", 1, 3, 14, 8},    {"shallow back", 14, 8, 1, 3}, {"steep", 3, 1, 8, 14},
        {"steep back", 8, 14, 3, 1}, {"up-right", 2, 12, 12, 2},    {"one step", 4, 4, 5, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(16, 16);
        s.dc->SelectPen(SolidPen(clBlack));
        s.dc->MoveTo(c.x0, c.y0);
        s.dc->LineTo(c.x1, c.y1);
        EXPECT_TRUE(s.Is(c.x0, c.y0, clBlack)) << s.Dump();
        EXPECT_TRUE(s.Is(c.x1, c.y1, clWhite)) << s.Dump();
        // One pixel per step along the major axis.
        EXPECT_EQ(s.Count(clBlack), std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0))) << s.Dump();
        EXPECT_EQ(s.dc->GetCurrentPosition(), (TPoint{c.x1, c.y1}));
    }
}

TEST(DeviceContextLines, PolylineJoinsSegmentsWithoutDoubleDrawingTheCorners)
{
    // With XOR, a corner drawn twice would vanish.
    Surface s(12, 12);
    s.dc->SelectPen(SolidPen(clWhite));
    s.dc->SetROP2(R2_XORPEN);
    const TPoint pts[] = {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {1, 1}};
    s.dc->Polyline(pts, 5);
    for (const auto& p : pts) EXPECT_TRUE(s.Is(p.X, p.Y, clBlack)) << p.X << "," << p.Y << "\n" << s.Dump();
    EXPECT_EQ(s.Count(clBlack), 32);
}

TEST(DeviceContextLines, PenWidthZeroAndOneDrawOnePixel)
{
    for (int w : {0, 1}) {
        Surface s(10, 10);
        s.dc->SelectPen(SolidPen(clBlack, w));
        s.dc->MoveTo(0, 4);
        s.dc->LineTo(10, 4);
        EXPECT_EQ(s.Ink(), (TRect{0, 4, 10, 5})) << "width " << w;
    }
}

TEST(DeviceContextLines, NullPenDrawsNothing)
{
    Surface s(10, 10);
    s.dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
    s.dc->MoveTo(0, 0);
    s.dc->LineTo(9, 9);
    EXPECT_EQ(s.Count(clBlack), 0);
}

TEST(DeviceContextShapes, RectangleWithOnePixelPenCoversLeftToRightMinusOne)
{
    Surface s(14, 14);
    s.dc->SelectPen(SolidPen(clBlack));
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->Rectangle(0, 0, 10, 10);
    for (int x = 0; x <= 9; ++x) {
        EXPECT_TRUE(s.Is(x, 0, clBlack)) << x;
        EXPECT_TRUE(s.Is(x, 9, clBlack)) << x;
    }
    EXPECT_TRUE(s.Is(10, 0, clWhite));
    EXPECT_TRUE(s.Is(0, 10, clWhite));
    EXPECT_TRUE(s.Is(1, 1, clRed));
    EXPECT_TRUE(s.Is(8, 8, clRed));
    EXPECT_EQ(s.Ink(), (TRect{0, 0, 10, 10}));
}

TEST(DeviceContextShapes, RectangleWithNullPenIsOnePixelSmaller)
{
    Surface s(14, 14);
    s.dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->Rectangle(2, 2, 10, 10);
    EXPECT_EQ(s.Ink(), (TRect{2, 2, 9, 9}));
}

TEST(DeviceContextShapes, InsideFramePenStaysInsideTheBox)
{
    for (int w : {2, 3, 5}) {
        Surface s(30, 30);
        s.dc->SelectPen(TLogPen{PS_INSIDEFRAME, w, clBlack, {}});
        s.dc->SelectBrush(SolidBrush(clRed));
        s.dc->Rectangle(5, 5, 25, 25);
        EXPECT_EQ(s.Ink(), (TRect{5, 5, 25, 25})) << "width " << w;
        EXPECT_TRUE(s.Is(5 + w - 1, 15, clBlack));
        EXPECT_TRUE(s.Is(5 + w, 15, clRed));
    }
}

TEST(DeviceContextShapes, FillRectExcludesRightAndBottomAndIgnoresThePen)
{
    Surface s(12, 12);
    s.dc->SelectPen(SolidPen(clBlue, 3));
    s.dc->FillRect({2, 3, 7, 9}, SolidBrush(clGreen));
    EXPECT_EQ(s.Ink(), (TRect{2, 3, 7, 9}));
    EXPECT_EQ(s.Count(clGreen), 5 * 6);
}

TEST(DeviceContextShapes, FrameRectDrawsAOnePixelBorder)
{
    Surface s(12, 12);
    s.dc->FrameRect({1, 1, 6, 5}, SolidBrush(clNavy));
    EXPECT_EQ(s.Ink(), (TRect{1, 1, 6, 5}));
    EXPECT_EQ(s.Count(clNavy), 2 * 5 + 2 * 2);
}

TEST(DeviceContextShapes, EllipseStaysInItsBoxAndTouchesEverySide)
{
    const TRect boxes[] = {{0, 0, 10, 10}, {2, 3, 21, 12}, {1, 1, 4, 4}, {0, 0, 31, 17}};
    for (const auto& b : boxes) {
        Surface s(32, 32);
        s.dc->SelectPen(SolidPen(clBlack));
        s.dc->SelectBrush(SolidBrush(clRed));
        s.dc->Ellipse(b.Left, b.Top, b.Right, b.Bottom);
        EXPECT_EQ(s.Ink(), b) << s.Dump();
        EXPECT_TRUE(s.Is((b.Left + b.Right) / 2, b.Top, clBlack)) << s.Dump();
    }
}

TEST(DeviceContextShapes, PolygonFillFollowsTheFillMode)
{
    // A pentagram: the centre is outside under ALTERNATE and inside under WINDING.
    const TPoint star[] = {{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}};
    for (int mode : {ALTERNATE, WINDING}) {
        Surface s(40, 40);
        s.dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
        s.dc->SelectBrush(SolidBrush(clRed));
        s.dc->SetPolyFillMode(mode);
        s.dc->Polygon(star, 5);
        EXPECT_EQ(s.Is(20, 20, clRed), mode == WINDING) << s.Dump();
        EXPECT_TRUE(s.Is(20, 8, clRed));
    }
}

TEST(DeviceContextShapes, PolygonFillExcludesRightAndBottomEdges)
{
    Surface s(12, 12);
    s.dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
    s.dc->SelectBrush(SolidBrush(clRed));
    const TPoint sq[] = {{1, 1}, {9, 1}, {9, 9}, {1, 9}};
    s.dc->Polygon(sq, 4);
    EXPECT_EQ(s.Ink(), (TRect{1, 1, 9, 9}));
}

// Arcs are given by radial end points; counter-clockwise from (right) to (top) is the top-right quarter.
struct ArcCase {
    const char* name;
    int dir;
    bool quadrant[4];  // top-right, top-left, bottom-left, bottom-right has ink
};

TEST(DeviceContextShapes, ArcRunsFromStartToEndInTheArcDirection)
{
    const ArcCase cases[] = {
        {"counter-clockwise", AD_COUNTERCLOCKWISE, {true, false, false, false}},
        {"clockwise", AD_CLOCKWISE, {false, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(41, 41);
        s.dc->SelectPen(SolidPen(clBlack));
        s.dc->SetArcDirection(c.dir);
        s.dc->Arc(0, 0, 41, 41, 40, 20, 20, 0);
        auto inkIn = [&](int x0, int y0, int x1, int y1) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x)
                    if (s.Is(x, y, clBlack)) return true;
            return false;
        };
        // Quadrants minus a margin around the axes where both arcs end.
        EXPECT_EQ(inkIn(24, 0, 41, 16), c.quadrant[0]) << s.Dump();
        EXPECT_EQ(inkIn(0, 0, 16, 16), c.quadrant[1]) << s.Dump();
        EXPECT_EQ(inkIn(0, 24, 16, 41), c.quadrant[2]) << s.Dump();
        EXPECT_EQ(inkIn(24, 24, 41, 41), c.quadrant[3]) << s.Dump();
    }
}

TEST(DeviceContextShapes, PieFillsTheSectorOnly)
{
    for (int dir : {AD_COUNTERCLOCKWISE, AD_CLOCKWISE}) {
        Surface s(41, 41);
        s.dc->SelectPen(SolidPen(clBlack));
        s.dc->SelectBrush(SolidBrush(clRed));
        s.dc->SetArcDirection(dir);
        s.dc->Pie(0, 0, 41, 41, 40, 20, 20, 0);
        bool ccw = dir == AD_COUNTERCLOCKWISE;
        EXPECT_EQ(s.Is(28, 12, clRed), ccw) << s.Dump();
        EXPECT_EQ(s.Is(12, 28, clRed), !ccw) << s.Dump();
        EXPECT_EQ(s.Is(12, 12, clRed), !ccw) << s.Dump();
    }
}

TEST(DeviceContextShapes, ChordClosesWithAStraightLine)
{
    Surface s(41, 41);
    s.dc->SelectPen(SolidPen(clBlack));
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->Chord(0, 0, 41, 41, 40, 20, 20, 0);
    EXPECT_TRUE(s.Is(33, 8, clRed)) << s.Dump();    // inside the cap
    EXPECT_FALSE(s.Is(24, 16, clRed)) << s.Dump();  // between chord and centre
}

TEST(DeviceContextBrushes, HatchesDrawTheirLinesInTheBrushColour)
{
    struct HatchCase {
        int hatch;
        TPoint on, off;
    };
    const HatchCase cases[] = {
        {HS_HORIZONTAL, {3, 0}, {3, 1}}, {HS_VERTICAL, {0, 3}, {1, 3}}, {HS_FDIAGONAL, {3, 3}, {4, 3}},
        {HS_BDIAGONAL, {4, 3}, {3, 3}},  {HS_CROSS, {0, 5}, {1, 1}},    {HS_DIAGCROSS, {2, 2}, {1, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hatch);
        Surface s(16, 16);
        s.dc->SetBkMode(TRANSPARENT);
        s.dc->FillRect({0, 0, 16, 16}, TLogBrush{BS_HATCHED, clBlue, c.hatch, nullptr});
        EXPECT_TRUE(s.Is(c.on.X, c.on.Y, clBlue)) << s.Dump();
        EXPECT_TRUE(s.Is(c.on.X + 8, c.on.Y + 8, clBlue)) << "8-pixel period\n" << s.Dump();
        EXPECT_TRUE(s.Is(c.off.X, c.off.Y, clWhite)) << s.Dump();
    }
}

TEST(DeviceContextBrushes, OpaqueHatchFillsTheGapsWithTheBackgroundColour)
{
    Surface s(16, 16);
    s.dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
    s.dc->SelectBrush(TLogBrush{BS_HATCHED, clBlue, HS_HORIZONTAL, nullptr});
    s.dc->SetBkColor(clYellow);
    s.dc->SetBkMode(OPAQUE);
    s.dc->Rectangle(0, 0, 17, 17);
    EXPECT_TRUE(s.Is(3, 0, clBlue));
    EXPECT_TRUE(s.Is(3, 1, clYellow));
    s.dc->SetBkMode(TRANSPARENT);
    s.Clear(clWhite);
    s.dc->Rectangle(0, 0, 17, 17);
    EXPECT_TRUE(s.Is(3, 1, clWhite));
}

// Pen mixes on a known destination: result = f(pen, dest) per bit.
TEST(DeviceContextRasterOps, AllSixteenPenMixes)
{
    const std::uint32_t P = 0x00F0CC, D = 0xAA55AA;  // pen colour, destination (0x00BBGGRR)
    struct MixCase {
        int rop2;
        std::uint32_t expect;
    };
    const MixCase cases[] = {
        {R2_BLACK, 0},
        {R2_NOTMERGEPEN, ~(P | D)},
        {R2_MASKNOTPEN, ~P & D},
        {R2_NOTCOPYPEN, ~P},
        {R2_MASKPENNOT, P & ~D},
        {R2_NOT, ~D},
        {R2_XORPEN, P ^ D},
        {R2_NOTMASKPEN, ~(P & D)},
        {R2_MASKPEN, P & D},
        {R2_NOTXORPEN, ~(P ^ D)},
        {R2_NOP, D},
        {R2_MERGENOTPEN, ~P | D},
        {R2_COPYPEN, P},
        {R2_MERGEPENNOT, P | ~D},
        {R2_MERGEPEN, P | D},
        {R2_WHITE, 0xFFFFFF},
    };
    for (TPixelFormat f : {pf32bit, pf24bit, pfDevice})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.rop2);
            SCOPED_TRACE(f);
            Surface s(8, 8, f);
            s.Clear(static_cast<TColor>(D));
            s.dc->SelectPen(SolidPen(static_cast<TColor>(P)));
            s.dc->SetROP2(c.rop2);
            s.dc->MoveTo(0, 3);
            s.dc->LineTo(8, 3);
            EXPECT_EQ(s.At(4, 3), c.expect & 0xFFFFFF);
            EXPECT_EQ(s.At(4, 4), D);
        }
}

TEST(DeviceContextRasterOps, XorAndNotXorDrawnTwiceRestoreTheImage)
{
    for (int rop : {R2_XORPEN, R2_NOTXORPEN, R2_NOT}) {
        Surface s(20, 20);
        s.dc->FillRect({0, 0, 10, 20}, static_cast<TColor>(0x336699));
        s.dc->SetPixel(12, 5, clRed);
        TBitmap before;
        before.Assign(s.bmp.get());
        s.dc->SetROP2(rop);
        s.dc->SelectPen(SolidPen(static_cast<TColor>(0x00FF80)));
        s.dc->SelectBrush(NullBrush());
        for (int pass = 0; pass < 2; ++pass) {
            s.dc->Rectangle(2, 2, 18, 18);
            s.dc->MoveTo(0, 0);
            s.dc->LineTo(19, 13);
            s.dc->Ellipse(3, 3, 15, 11);
            if (pass == 0) {
                EXPECT_NE(s.At(2, 2), 0xFFFFFFu);
            }
        }
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(s.At(x, y), before.Canvas()->Handle()->GetPixel(x, y))
                    << "rop " << rop << " at " << x << "," << y;
    }
}

TEST(DeviceContextRasterOps, PatBltOperations)
{
    const std::uint32_t P = 0x0F0F33, D = 0x5A5AF0;
    struct PatCase {
        TRop rop;
        std::uint32_t expect;
    };
    const PatCase cases[] = {
        {PATCOPY, P},
        {PATINVERT, P ^ D},
        {DSTINVERT, ~D},
        {BLACKNESS, 0},
        {WHITENESS, 0xFFFFFF},
        {0x00A000C9 /* P and D */, P & D},
        {0x00FA0089 /* P or D */, P | D},
        {0x000A0329 /* D and not P */, D & ~P},
    };
    for (TPixelFormat f : {pf32bit, pf24bit})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.rop);
            SCOPED_TRACE(f);
            Surface s(10, 10, f);
            s.Clear(static_cast<TColor>(D));
            s.dc->SelectBrush(SolidBrush(static_cast<TColor>(P)));
            s.dc->PatBlt(2, 2, 5, 4, c.rop);
            EXPECT_EQ(s.At(2, 2), c.expect & 0xFFFFFF);
            EXPECT_EQ(s.At(6, 5), c.expect & 0xFFFFFF);
            EXPECT_EQ(s.At(7, 5), D);
            EXPECT_EQ(s.At(6, 6), D);
        }
}

// A solid pattern copy lands inside the clip, after the viewport's offset, and leaves a copy of
// the bitmap taken before it untouched.
TEST(DeviceContextRasterOps, SolidPatternCopyKeepsClipMappingAndCopies)
{
    Surface s(12, 8);
    s.dc->SetViewportOrg({1, 0});
    TRegion clip;
    clip.Combine(TRegion::FromRect({0, 0, 4, 8}), TRegion::FromRect({8, 0, 12, 8}), RGN_OR);
    s.dc->SelectClipRgn(&clip);
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->PatBlt(0, 2, 10, 3, PATCOPY);
    EXPECT_EQ(s.Dump(), "............\n"
                        "............\n"
                        ".###....###.\n"
                        ".###....###.\n"
                        ".###....###.\n"
                        "............\n"
                        "............\n"
                        "............\n");
    EXPECT_TRUE(s.Is(1, 2, clRed));
    TBitmap copy;
    copy.Assign(s.bmp.get());
    s.dc->SelectBrush(SolidBrush(clBlue));
    s.dc->PatBlt(0, 2, 10, 3, PATCOPY);
    EXPECT_TRUE(s.Is(1, 2, clBlue));
    EXPECT_EQ(copy.Canvas()->Handle()->GetPixel(1, 2), ColorToRGB(clRed));
}

TEST(DeviceContextRasterOps, BitBltWithSourceOperations)
{
    const std::uint32_t S = 0x3355AA, D = 0x0FF00F;
    struct BltCase {
        TRop rop;
        std::uint32_t expect;
    };
    const BltCase cases[] = {
        {SRCCOPY, S},       {SRCPAINT, S | D}, {SRCAND, S & D},         {SRCINVERT, S ^ D},
        {SRCERASE, S & ~D}, {NOTSRCCOPY, ~S},  {NOTSRCERASE, ~(S | D)}, {MERGEPAINT, ~S | D},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rop);
        Surface src(6, 6), dst(10, 10);
        src.Clear(static_cast<TColor>(S));
        dst.Clear(static_cast<TColor>(D));
        dst.dc->BitBlt(3, 3, 4, 4, *src.dc, 1, 1, c.rop);
        EXPECT_EQ(dst.At(3, 3), c.expect & 0xFFFFFF);
        EXPECT_EQ(dst.At(6, 6), c.expect & 0xFFFFFF);
        EXPECT_EQ(dst.At(7, 7), D);
    }
}

// A plain copy moves the pixels by rows when it can: each target format keeps the colours, the
// clip and the target's edge, and a source rectangle beyond the source reads white.
TEST(DeviceContextRasterOps, SourceCopyKeepsColoursClipAndEdges)
{
    struct CopyCase {
        TPixelFormat source, target;
        bool clipped;
        int x, y, sx;
    };
    const CopyCase cases[] = {
        {pf32bit, pf32bit, false, 3, 3, 1}, {pf32bit, pf24bit, false, 3, 3, 1}, {pf24bit, pf24bit, false, 3, 3, 1},
        {pf24bit, pf32bit, false, 3, 3, 1}, {pf32bit, pf32bit, true, 3, 3, 1},  {pf24bit, pf24bit, true, 3, 3, 1},
        {pf32bit, pf24bit, false, 7, 7, 1}, {pf24bit, pf24bit, false, 7, 7, 2}, {pf32bit, pf32bit, false, 3, 3, 4},
    };
    const TColor a = static_cast<TColor>(0x3355AA), b = static_cast<TColor>(0x0FF00F);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source * 1000 + c.target * 100 + c.clipped * 10 + c.x);
        Surface src(6, 6, c.source), dst(10, 10, c.target);
        src.dc->FillRect({0, 0, 6, 3}, a);
        src.dc->FillRect({0, 3, 6, 6}, b);
        if (c.clipped) {
            TRegion clip = TRegion::FromRect({0, 0, 5, 10});
            dst.dc->SelectClipRgn(&clip);
        }
        dst.dc->BitBlt(c.x, c.y, 4, 4, *src.dc, c.sx, 1, SRCCOPY);
        const int sy = 1;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) {
                const int u = x - c.x + c.sx, v = y - c.y + sy;
                const bool inside = x >= c.x && x < c.x + 4 && y >= c.y && y < c.y + 4 && !(c.clipped && x >= 5);
                const TColorRef want = !inside ? 0xFFFFFF : u >= 6 ? 0xFFFFFF : ColorToRGB(v < 3 ? a : b);
                EXPECT_EQ(dst.At(x, y), want) << x << "," << y;
            }
    }
}

// Rows of distinct pixels, of lengths around the copy's four-pixel steps.
TEST(DeviceContextRasterOps, SourceCopyKeepsEveryPixelOfARow)
{
    for (const TPixelFormat source : {pf32bit, pf24bit})
        for (const TPixelFormat target : {pf32bit, pf24bit})
            for (const int width : {1, 3, 4, 5, 8, 11}) {
                SCOPED_TRACE(::testing::Message() << source << ", " << target << ", " << width);
                Surface src(12, 2, source), dst(12, 2, target);
                const auto colour = [](int x, int y) {
                    return static_cast<TColor>(RGB(20 * x + 1, 7 * x + 100 * y, 250 - 9 * x));
                };
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 12; ++x) src.dc->SetPixel(x, y, colour(x, y));
                dst.dc->BitBlt(1, 0, width, 2, *src.dc, 0, 0, SRCCOPY);
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 12; ++x)
                        EXPECT_EQ(dst.At(x, y), x >= 1 && x <= width ? ColorToRGB(colour(x - 1, y)) : 0xFFFFFFu)
                            << x << "," << y;
            }
}

TEST(DeviceContextRasterOps, StretchBltScalesAndMirrors)
{
    Surface src(2, 1), dst(8, 4);
    src.dc->SetPixel(0, 0, clRed);
    src.dc->SetPixel(1, 0, clBlue);
    dst.dc->StretchBlt(0, 0, 4, 2, *src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_TRUE(dst.Is(1, 1, clRed));
    EXPECT_TRUE(dst.Is(2, 0, clBlue));
    // Negative width mirrors.
    dst.dc->StretchBlt(8, 2, -4, 2, *src.dc, 0, 0, 2, 1, SRCCOPY);
    EXPECT_TRUE(dst.Is(7, 3, clRed)) << dst.Dump();
    EXPECT_TRUE(dst.Is(4, 3, clBlue));
}

TEST(DeviceContextRasterOps, DrawFocusRectTwiceRestores)
{
    Surface s(12, 12);
    s.dc->DrawFocusRect({1, 1, 11, 9});
    EXPECT_GT(s.Count(clBlack), 0);
    EXPECT_TRUE(s.Is(5, 5, clWhite));
    s.dc->DrawFocusRect({1, 1, 11, 9});
    EXPECT_EQ(s.Count(clWhite), 144);
}

TEST(DeviceContextClipping, RegionDifferenceKeepsTheHoleUntouched)
{
    Surface s(20, 20);
    TRegion outer = CreateRectRgn(2, 2, 18, 18), hole = CreateEllipticRgn(6, 6, 14, 14), ring;
    EXPECT_EQ(CombineRgn(ring, outer, hole, RGN_DIFF), COMPLEXREGION);
    SelectClipRgn(s.dc, &ring);
    s.dc->FillRect({0, 0, 20, 20}, clRed);
    EXPECT_TRUE(s.Is(10, 10, clWhite));
    EXPECT_TRUE(s.Is(3, 3, clRed));
    EXPECT_TRUE(s.Is(1, 1, clWhite));
    EXPECT_TRUE(s.Is(18, 18, clWhite));
    TRect box;
    EXPECT_EQ(GetClipBox(s.dc, &box), COMPLEXREGION);
    EXPECT_EQ(box, (TRect{2, 2, 18, 18}));
    SelectClipRgn(s.dc, nullptr);
    s.dc->FillRect({0, 0, 20, 20}, clRed);
    EXPECT_EQ(s.Count(clRed), 400);
}

TEST(DeviceContextClipping, IntersectAndExcludeClipRects)
{
    Surface s(20, 20);
    IntersectClipRect(s.dc, 2, 2, 12, 12);
    ExcludeClipRect(s.dc, 5, 5, 8, 8);
    s.dc->FillRect({0, 0, 20, 20}, clRed);
    EXPECT_EQ(s.Count(clRed), 100 - 9);
    EXPECT_TRUE(s.Is(6, 6, clWhite));
    EXPECT_FALSE(s.dc->PtVisible(6, 6));
    EXPECT_TRUE(s.dc->PtVisible(2, 2));
    EXPECT_FALSE(s.dc->RectVisible({14, 14, 18, 18}));
}

TEST(DeviceContextClipping, EmptyClipHidesEverything)
{
    Surface s(10, 10);
    IntersectClipRect(s.dc, 2, 2, 5, 5);
    EXPECT_EQ(IntersectClipRect(s.dc, 6, 6, 9, 9), NULLREGION);
    TRect box;
    EXPECT_EQ(s.dc->GetClipBox(box), NULLREGION);
    s.dc->FillRect({0, 0, 10, 10}, clRed);
    EXPECT_EQ(s.Count(clRed), 0);
}

TEST(DeviceContextState, ViewportOriginMovesDrawingButNotClipRegions)
{
    Surface s(20, 20);
    SetViewportOrgEx(s.dc, 5, 4, nullptr);
    s.dc->FillRect({0, 0, 2, 2}, clRed);
    EXPECT_TRUE(s.Is(5, 4, clRed));
    EXPECT_TRUE(s.Is(6, 5, clRed));
    // The region is in device units: (0,0)-(6,6) on the surface whatever the origin.
    TRegion r = CreateRectRgn(0, 0, 6, 6);
    SelectClipRgn(s.dc, &r);
    s.dc->FillRect({-10, -10, 20, 20}, clBlue);
    EXPECT_TRUE(s.Is(0, 0, clBlue));
    EXPECT_TRUE(s.Is(6, 6, clWhite));
    // Clip rectangles are logical.
    TRect box;
    s.dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{-5, -4, 1, 2}));
    SelectClipRgn(s.dc, nullptr);
    IntersectClipRect(s.dc, 0, 0, 1, 1);
    s.dc->FillRect({-10, -10, 20, 20}, clGreen);
    EXPECT_EQ(s.Count(clGreen), 1);
    EXPECT_TRUE(s.Is(5, 4, clGreen));
}

TEST(DeviceContextState, SaveAndRestoreBringBackClipOriginAndObjects)
{
    Surface s(20, 20);
    s.dc->SelectPen(SolidPen(clRed));
    int level = SaveDC(s.dc);
    EXPECT_EQ(level, 1);
    SetViewportOrgEx(s.dc, 3, 3, nullptr);
    IntersectClipRect(s.dc, 0, 0, 2, 2);
    s.dc->SelectPen(SolidPen(clBlue));
    s.dc->SetROP2(R2_XORPEN);
    SaveDC(s.dc);
    SetViewportOrgEx(s.dc, 9, 9, nullptr);
    EXPECT_TRUE(RestoreDC(s.dc, 1));  // two levels at once
    EXPECT_EQ(s.dc->GetViewportOrg(), (TPoint{0, 0}));
    EXPECT_EQ(s.dc->GetPen().Color, clRed);
    EXPECT_EQ(s.dc->GetROP2(), R2_COPYPEN);
    s.dc->FillRect({0, 0, 20, 20}, clRed);
    EXPECT_EQ(s.Count(clRed), 400);
    EXPECT_FALSE(RestoreDC(s.dc, -1));  // nothing left to restore
}

TEST(DeviceContextPixels, SetPixelAndGetPixelRespectSurfaceAndClip)
{
    Surface s(5, 5);
    EXPECT_EQ(s.dc->SetPixel(2, 2, clRed), ColorToRGB(clRed));
    EXPECT_EQ(s.dc->GetPixel(2, 2), ColorToRGB(clRed));
    EXPECT_EQ(s.dc->GetPixel(5, 0), CLR_INVALID);
    EXPECT_EQ(s.dc->GetPixel(-1, 0), CLR_INVALID);
    IntersectClipRect(s.dc, 0, 0, 2, 2);
    EXPECT_EQ(s.dc->GetPixel(3, 3), CLR_INVALID);
    EXPECT_EQ(s.dc->SetPixel(3, 3, clBlue), CLR_INVALID);
    SelectClipRgn(s.dc, nullptr);
    EXPECT_EQ(s.dc->GetPixel(3, 3), 0xFFFFFFu);
}

TEST(DeviceContextPixels, SystemColoursResolveBeforeDrawing)
{
    Surface s(4, 4);
    s.dc->FillRect({0, 0, 4, 4}, clBtnFace);
    EXPECT_EQ(s.At(1, 1), GetSysColor(COLOR_BTNFACE));
}

TEST(DeviceContextEdges, RaisedAndSunkenEdgesUseTheThreeDColours)
{
    struct EdgeCase {
        unsigned edge;
        TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
    };
    const EdgeCase cases[] = {
        {EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
        {EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
        {EDGE_ETCHED, clBtnShadow, clBtnHighlight, clBtnHighlight, clBtnShadow},
        {EDGE_BUMP, cl3DLight, cl3DDkShadow, cl3DDkShadow, cl3DLight},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        Surface s(12, 12);
        TRect r{0, 0, 10, 10};
        EXPECT_TRUE(DrawEdge(s.dc, r, c.edge, BF_RECT | BF_ADJUST | BF_MIDDLE));
        EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
        EXPECT_EQ(s.At(0, 5), ColorToRGB(c.outerTopLeft));
        EXPECT_EQ(s.At(9, 5), ColorToRGB(c.outerBottomRight));
        EXPECT_EQ(s.At(1, 5), ColorToRGB(c.innerTopLeft));
        EXPECT_EQ(s.At(8, 5), ColorToRGB(c.innerBottomRight));
        EXPECT_EQ(s.At(5, 5), ColorToRGB(clBtnFace));
        EXPECT_EQ(s.At(10, 10), 0xFFFFFFu);
    }
}

TEST(DeviceContextEdges, OnlyTheChosenSidesAreDrawn)
{
    Surface s(12, 12);
    TRect r{0, 0, 10, 10};
    DrawEdge(s.dc, r, BDR_SUNKENOUTER, BF_TOP | BF_ADJUST);
    EXPECT_EQ(r, (TRect{0, 1, 10, 10}));
    EXPECT_EQ(s.Ink(), (TRect{0, 0, 10, 1}));
}

TEST(DeviceContextPaths, FillPathAndSelectClipPath)
{
    Surface s(20, 20);
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->BeginPath();
    s.dc->MoveTo(2, 2);
    s.dc->LineTo(12, 2);
    s.dc->LineTo(12, 12);
    s.dc->LineTo(2, 12);
    s.dc->CloseFigure();
    s.dc->EndPath();
    EXPECT_EQ(s.Count(clRed), 0);  // recording draws nothing
    s.dc->FillPath();
    EXPECT_EQ(s.Ink(), (TRect{2, 2, 12, 12}));

    s.Clear(clWhite);
    s.dc->BeginPath();
    s.dc->Rectangle(5, 5, 10, 10);
    s.dc->EndPath();
    EXPECT_TRUE(s.dc->SelectClipPath(RGN_COPY));
    s.dc->FillRect({0, 0, 20, 20}, clBlue);
    EXPECT_EQ(s.Ink(), (TRect{5, 5, 10, 10}));
}

TEST(DeviceContextBlend, AlphaBlendWithConstantAlphaMixesHalfway)
{
    Surface src(4, 4), dst(4, 4);
    src.Clear(clBlack);
    dst.Clear(clWhite);
    TBlendFunction bf;
    bf.SourceConstantAlpha = 128;
    dst.dc->AlphaBlend(0, 0, 4, 4, *src.dc, 0, 0, 4, 4, bf);
    TColorRef c = dst.At(1, 1);
    EXPECT_NEAR(GetRValue(c), 127, 2);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
}

TEST(DeviceContextBlend, TransparentBltSkipsTheKeyColour)
{
    Surface src(4, 4), dst(4, 4);
    src.Clear(clFuchsia);
    src.dc->SetPixel(1, 1, clBlue);
    dst.Clear(clYellow);
    dst.dc->TransparentBlt(0, 0, 4, 4, *src.dc, 0, 0, 4, 4, clFuchsia);
    EXPECT_TRUE(dst.Is(1, 1, clBlue));
    EXPECT_TRUE(dst.Is(0, 0, clYellow));
    EXPECT_EQ(dst.Count(clYellow), 15);
}

TEST(DeviceContextBlend, GradientFillRectInterpolatesPerColumn)
{
    Surface s(5, 2);
    TTriVertex a{0, 0, 0, 0, 0, 0}, b{4, 2, 0xFF00, 0, 0, 0};
    s.dc->GradientFillRect(a, b, GRADIENT_FILL_RECT_H);
    EXPECT_EQ(GetRValue(s.At(0, 0)), 0);
    EXPECT_EQ(GetRValue(s.At(1, 1)), 63);
    EXPECT_EQ(GetRValue(s.At(3, 0)), 191);
    EXPECT_EQ(s.At(4, 0), 0xFFFFFFu);  // right edge excluded
}

}  // namespace

namespace {

TEST(DeviceContextShapes, WidePenFrameAndFillDoNotOverlap)
{
    // Under XOR an overlap of fill and frame would cancel out; every pixel must change once.
    for (int w : {2, 3, 4}) {
        for (int style : {PS_SOLID, PS_INSIDEFRAME}) {
            Surface s(30, 30);
            s.dc->SetROP2(R2_XORPEN);
            s.dc->SelectPen(TLogPen{style, w, clWhite, {}});
            s.dc->SelectBrush(SolidBrush(clWhite));
            s.dc->Rectangle(6, 6, 22, 20);
            TRect ink = s.Ink();
            EXPECT_EQ(s.Count(clBlack), ink.Width() * ink.Height()) << "width " << w << " style " << style << "\n"
                                                                    << s.Dump();
            if (style == PS_SOLID) {
                EXPECT_EQ(ink, (TRect{6 - w / 2, 6 - w / 2, 21 - w / 2 + w, 19 - w / 2 + w}));
            }
        }
    }
}

}  // namespace

namespace {

TEST(DeviceContextText, AlignmentPlacesTheTextCellAroundThePoint)
{
    Surface probe(10, 10);
    TLogFont f;
    f.Height = -14;
    probe.dc->SelectFont(f);
    TSize ext = probe.dc->GetTextExtent("Hxg");
    TTextMetric tm = probe.dc->GetTextMetrics();
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
    EXPECT_EQ(ext.cy, tm.tmHeight);
    const int x = 60, y = 40;
    struct AlignCase {
        unsigned align;
        TRect cell;
    };
    const AlignCase cases[] = {
        {TA_LEFT | TA_TOP, {x, y, x + ext.cx, y + ext.cy}},
        {TA_RIGHT | TA_TOP, {x - ext.cx, y, x, y + ext.cy}},
        {TA_CENTER | TA_TOP, {x - ext.cx / 2, y, x - ext.cx / 2 + ext.cx, y + ext.cy}},
        {TA_LEFT | TA_BOTTOM, {x, y - ext.cy, x + ext.cx, y}},
        {TA_LEFT | TA_BASELINE, {x, y - tm.tmAscent, x + ext.cx, y - tm.tmAscent + ext.cy}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        Surface s(120, 80);
        s.dc->SelectFont(f);
        s.dc->SetBkMode(OPAQUE);
        s.dc->SetBkColor(clYellow);
        s.dc->SetTextAlign(c.align);
        s.dc->TextOut(x, y, "Hxg");
        EXPECT_EQ(s.Ink(), c.cell);
    }
    // TA_UPDATECP: text starts at the current position, which then moves past it.
    Surface s(120, 80);
    s.dc->SelectFont(f);
    s.dc->SetTextAlign(TA_UPDATECP);
    s.dc->SetBkColor(clYellow);
    s.dc->MoveTo(5, 5);
    s.dc->TextOut(100, 100, "Hxg");
    s.dc->TextOut(100, 100, "Hxg");
    EXPECT_EQ(s.dc->GetCurrentPosition(), (TPoint{5 + 2 * ext.cx, 5}));
    EXPECT_EQ(s.Ink(), (TRect{5, 5, 5 + 2 * ext.cx, 5 + ext.cy}));
}

TEST(DeviceContextText, ExtTextOutOpaqueRectAndClipping)
{
    Surface s(60, 30);
    s.dc->SetBkMode(TRANSPARENT);
    s.dc->SetBkColor(clAqua);
    TRect r{10, 5, 30, 20};
    s.dc->ExtTextOut(12, 6, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWWWWWWWW");
    EXPECT_EQ(s.Ink(), r);
    EXPECT_TRUE(s.Is(10, 5, clAqua));
}

// A plain text takes a shorter way than a clipped one: the same pixels, under a viewport offset
// too, and a later text draws with its own settings (here a font without smoothing, so that pure
// red pixels show).
TEST(DeviceContextText, PlainAndClippedTextsDrawAlike)
{
    for (const TPoint origin : {TPoint{0, 0}, TPoint{7, -3}}) {
        SCOPED_TRACE(origin.X);
        Surface plain(90, 40), clipped(90, 40);
        const TRect everywhere{-100, -100, 300, 300};
        for (Surface* s : {&plain, &clipped}) {
            s->dc->SetViewportOrg(origin);
            s->dc->SetBkMode(OPAQUE);
            s->dc->SetBkColor(clYellow);
            s->dc->SetTextColor(clNavy);
            s->dc->SetTextAlign(TA_CENTER | TA_BASELINE);
            const bool clip = s == &clipped;
            s->dc->ExtTextOut(40, 20, clip ? ETO_CLIPPED : 0, clip ? &everywhere : nullptr, "Hxg 12");
            s->dc->SetBkMode(TRANSPARENT);
            s->dc->SetTextColor(clRed);
            s->dc->SetTextAlign(TA_LEFT | TA_TOP);
            TLogFont sharp;
            sharp.Height = -14;
            sharp.Quality = NONANTIALIASED_QUALITY;
            s->dc->SelectFont(sharp);
            s->dc->ExtTextOut(2, 24, clip ? ETO_CLIPPED : 0, clip ? &everywhere : nullptr, "-1000");
        }
        EXPECT_GT(plain.Count(clRed), 0);
        EXPECT_GT(plain.Count(clYellow), 0);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 90; ++x) ASSERT_EQ(plain.At(x, y), clipped.At(x, y)) << x << "," << y;
    }
}

TEST(CanvasFill, FloodFillStopsAtTheBorderColour)
{
    Surface s(20, 20);
    TCanvas* c = s.bmp->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(2, 2, 12, 12);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clRed);
    c->FloodFill(5, 5, clBlack, fsBorder);
    s.dc = c->Handle();
    EXPECT_EQ(s.Count(clRed), 8 * 8);
    // fsSurface: recolour the red area only.
    c->Brush()->SetColor(clBlue);
    c->FloodFill(5, 5, clRed, fsSurface);
    EXPECT_EQ(s.Count(clBlue), 64);
    EXPECT_EQ(s.Count(clRed), 0);
}

}  // namespace

namespace {

TEST(DeviceContextShapes, EveryClosedShapeStaysInsideItsBox)
{
    enum Kind { kRect, kRound, kEllipse, kPie, kChord };
    const TRect boxes[] = {{3, 4, 40, 30}, {5, 5, 6, 6}, {2, 2, 9, 30}, {10, 1, 45, 36}};
    for (Kind k : {kRect, kRound, kEllipse, kPie, kChord}) {
        for (const auto& b : boxes) {
            for (int w : {1, 3}) {
                Surface s(50, 40);
                s.dc->SelectPen(TLogPen{PS_INSIDEFRAME, w, clBlack, {}});
                s.dc->SelectBrush(SolidBrush(clRed));
                const int cx = (b.Left + b.Right) / 2;
                switch (k) {
                case kRect: s.dc->Rectangle(b.Left, b.Top, b.Right, b.Bottom); break;
                case kRound: s.dc->RoundRect(b.Left, b.Top, b.Right, b.Bottom, 10, 10); break;
                case kEllipse: s.dc->Ellipse(b.Left, b.Top, b.Right, b.Bottom); break;
                case kPie: s.dc->Pie(b.Left, b.Top, b.Right, b.Bottom, b.Right, b.Top, cx, b.Bottom); break;
                case kChord: s.dc->Chord(b.Left, b.Top, b.Right, b.Bottom, b.Right, b.Top, cx, b.Bottom); break;
                }
                TRect ink = s.Ink(), both;
                EXPECT_TRUE(ink.IsEmpty() || (IntersectRect(both, ink, b) && both == ink))
                    << "shape " << k << " width " << w << " box " << b.Left << "," << b.Top << "," << b.Right << ","
                    << b.Bottom << "\n"
                    << s.Dump();
            }
        }
    }
}

TEST(DeviceContextShapes, FrameControlsDrawCheckMarksAndRadioDots)
{
    Surface s(30, 15);
    EXPECT_TRUE(s.dc->DrawFrameControl({0, 0, 13, 13}, DFC_BUTTON, DFCS_BUTTONCHECK));
    int plain = s.Count(clWindowText);
    s.Clear(clWhite);
    s.dc->DrawFrameControl({0, 0, 13, 13}, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    EXPECT_GT(s.Count(clWindowText), plain + 10);
    TRect ink = s.Ink();
    EXPECT_EQ(ink.TopLeft(), (TPoint{0, 0}));
    EXPECT_TRUE(PtInRect({0, 0, 13, 13}, {ink.Right - 1, ink.Bottom - 1}));
    s.Clear(clWhite);
    s.dc->DrawFrameControl({15, 0, 28, 13}, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_TRUE(s.Is(21, 6, clWindowText));
    EXPECT_FALSE(s.dc->DrawFrameControl({0, 0, 13, 13}, 1, 0));
}

// ---- paths: figures, the state stack, widening ----

// A quarter of a ring around (25, 25), radii 20 and 10, recorded as GDI builds a donut slice:
// the outer arc counter-clockwise from the current point, the inner one clockwise back.
void RecordQuarterRing(HDC dc)
{
    dc->MoveTo(45, 25);
    dc->BeginPath();
    dc->ArcTo(5, 5, 45, 45, 45, 25, 25, 5);
    dc->SetArcDirection(AD_CLOCKWISE);
    dc->ArcTo(15, 15, 35, 35, 25, 15, 35, 25);
    dc->SetArcDirection(AD_COUNTERCLOCKWISE);
    dc->EndPath();
}

TEST(DeviceContextPaths, FiguresContinueOrStartAsInGdi)
{
    const struct {
        const char* name;
        std::function<void(HDC)> record;
        std::vector<TPoint> inside, outside;
    } cases[] = {
        {"ArcTo continues the figure: a ring slice",
         RecordQuarterRing,
         {{33, 17}, {38, 20}, {27, 8}},
         {{28, 22}, {10, 10}, {40, 35}}},
        {"ArcTo ending between pixels: the figure goes on from the current position",
         [](HDC dc) {
             // From 0.5 to 5.5 radians: the arcs' ends are not on the pixel grid.
             dc->MoveTo(43, 15);
             dc->BeginPath();
             dc->ArcTo(5, 5, 45, 45, 43, 15, 39, 39);
             dc->SetArcDirection(AD_CLOCKWISE);
             dc->ArcTo(15, 15, 35, 35, 39, 39, 43, 15);
             dc->SetArcDirection(AD_COUNTERCLOCKWISE);
             dc->EndPath();
         },
         {{8, 25}, {25, 8}, {25, 42}},
         {{42, 25}, {25, 25}, {30, 25}}},
        {"AngleArc continues from the centre: a pie quarter",
         [](HDC dc) {
             dc->BeginPath();
             dc->MoveTo(25, 25);
             dc->AngleArc(25, 25, 20, 0, 90);
             dc->CloseFigure();
             dc->EndPath();
         },
         {{30, 20}, {40, 15}},
         {{20, 30}, {30, 30}}},
        {"PolylineTo continues the figure",
         [](HDC dc) {
             dc->BeginPath();
             dc->MoveTo(5, 5);
             dc->LineTo(40, 5);
             const TPoint rest[] = {{40, 40}, {5, 40}};
             dc->PolylineTo(rest, 2);
             dc->EndPath();
         },
         {{20, 20}, {35, 35}},
         {{45, 45}}},
        {"Arc makes a figure of its own (a chord when filled)",
         [](HDC dc) {
             dc->BeginPath();
             dc->MoveTo(5, 45);
             dc->LineTo(45, 45);
             dc->Arc(5, 5, 45, 45, 45, 25, 25, 5);
             dc->EndPath();
         },
         {{37, 13}},
         {{40, 35}, {30, 20}}},
        {"Pie closes a figure of its own",
         [](HDC dc) {
             dc->BeginPath();
             dc->MoveTo(2, 48);
             dc->LineTo(10, 48);
             dc->Pie(5, 5, 45, 45, 45, 25, 25, 5);
             dc->EndPath();
         },
         {{30, 20}, {40, 15}},
         {{20, 30}, {37, 35}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(50, 50);
        s.dc->SelectBrush(SolidBrush(clRed));
        c.record(s.dc);
        s.dc->FillPath();
        for (TPoint p : c.inside) EXPECT_TRUE(s.Is(p.X, p.Y, clRed)) << p.X << "," << p.Y << "\n" << s.Dump();
        for (TPoint p : c.outside) EXPECT_TRUE(s.Is(p.X, p.Y, clWhite)) << p.X << "," << p.Y << "\n" << s.Dump();
    }
}

TEST(DeviceContextPaths, StrokeAndFillClosesTheFigureStrokeAloneDoesNot)
{
    // The ring slice's figure ends at the inner arc's start (35, 25); closing it draws the line
    // back to the outer start along row 25.
    for (bool fill : {true, false}) {
        Surface s(50, 50);
        s.dc->SelectPen(SolidPen(clBlue));
        s.dc->SelectBrush(SolidBrush(clRed));
        RecordQuarterRing(s.dc);
        if (fill)
            s.dc->StrokeAndFillPath();
        else
            s.dc->StrokePath();
        EXPECT_EQ(s.Is(40, 25, clBlue), fill) << s.Dump();
        EXPECT_EQ(s.Is(33, 17, clRed), fill) << s.Dump();
    }
}

TEST(DeviceContextPaths, RestoreDCBringsBackThePathAsSaved)
{
    Surface s(20, 20);
    s.dc->SelectBrush(SolidBrush(clRed));
    s.dc->BeginPath();
    s.dc->Rectangle(2, 2, 8, 8);
    s.dc->EndPath();
    // A path used up between SaveDC and RestoreDC is there again afterwards.
    const int level = s.dc->SaveDC();
    EXPECT_TRUE(s.dc->SelectClipPath(RGN_AND));
    s.dc->RestoreDC(level);
    s.dc->FillPath();
    EXPECT_EQ(s.Ink(), (TRect{2, 2, 8, 8})) << s.Dump();
    TRect box;
    EXPECT_EQ(s.dc->GetClipBox(box), SIMPLEREGION);
    EXPECT_EQ(box, (TRect{0, 0, 20, 20}));  // the clip made from it went with the restore

    // One recorded after SaveDC goes with RestoreDC, an open bracket included.
    s.Clear(clWhite);
    s.dc->SaveDC();
    s.dc->BeginPath();
    s.dc->Rectangle(10, 10, 15, 15);
    s.dc->EndPath();
    s.dc->SaveDC();
    s.dc->BeginPath();
    s.dc->RestoreDC(-1);
    s.dc->FillPath();  // the finished rectangle, kept by the inner SaveDC
    EXPECT_EQ(s.Ink(), (TRect{10, 10, 15, 15})) << s.Dump();
    s.dc->RestoreDC(-1);
    s.Clear(clWhite);
    s.dc->FillPath();
    EXPECT_EQ(s.Count(clRed), 0);
    s.dc->SelectPen(SolidPen(clBlue));
    s.dc->MoveTo(0, 19);
    s.dc->LineTo(20, 19);  // not recording any more
    EXPECT_EQ(s.Count(clBlue), 20);
}

TEST(DeviceContextPaths, WidenPathMakesTheStrokeAreaWithTheCurrentPen)
{
    Surface s(30, 20);
    s.dc->BeginPath();
    s.dc->MoveTo(5, 10);
    s.dc->LineTo(25, 10);
    s.dc->EndPath();
    s.dc->SelectPen(SolidPen(clBlack, 1));
    EXPECT_FALSE(s.dc->WidenPath());  // a one-pixel pen does not widen
    s.dc->SelectPen({PS_SOLID | PS_ENDCAP_FLAT, 6, clBlack, {}});
    EXPECT_TRUE(s.dc->WidenPath());
    s.dc->SelectBrush(SolidBrush(clRed));
    for (int mode : {ALTERNATE, WINDING}) {
        SCOPED_TRACE(mode);
        s.Clear(clWhite);
        s.dc->SetPolyFillMode(mode);
        const int level = s.dc->SaveDC();
        s.dc->FillPath();
        s.dc->RestoreDC(level);
        EXPECT_EQ(s.Ink(), (TRect{5, 7, 25, 13})) << s.Dump();
        EXPECT_EQ(s.Count(clRed), 20 * 6);
    }
    EXPECT_FALSE(Surface(4, 4).dc->WidenPath());  // no path
}

// ---- long wide lines ----

// The pixels in which two surfaces differ.
int Differences(const Surface& a, const Surface& b)
{
    int n = 0;
    for (int y = 0; y < a.bmp->Height(); ++y) {
        const auto* p = reinterpret_cast<const std::uint32_t*>(a.bmp->ScanLine(y));
        const auto* q = reinterpret_cast<const std::uint32_t*>(b.bmp->ScanLine(y));
        for (int x = 0; x < a.bmp->Width(); ++x) n += (p[x] & 0xFFFFFF) != (q[x] & 0xFFFFFF);
    }
    return n;
}

TEST(DeviceContextLines, LongWideLinesLookAsOneStroke)
{
    // 3,000 points, steps from 0 to 9 pixels: the line is stroked in runs, and must cover the same
    // pixels as the same line stroked as one path (joins included).
    std::vector<TPoint> pts;
    for (int i = 0; i < 3000; ++i)
        pts.push_back(
            {10 + i * 380 / 3000, 60 + static_cast<int>(std::lround(45 * std::sin(i * 0.37) * std::cos(i * 0.011)))});
    const struct {
        const char* name;
        TLogPen pen;
        bool closed;
    } cases[] = {
        {"round", {PS_SOLID, 2, clBlack, {}}, false},
        {"flat caps, mitred joins", {PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, 3, clBlack, {}}, false},
        {"square caps, bevelled joins", {PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_BEVEL, 4, clBlack, {}}, false},
        {"dashed", {PS_DASH, 3, clBlack, {}}, false},
        {"closed", {PS_SOLID | PS_JOIN_MITER, 3, clBlack, {}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface runs(400, 120), whole(400, 120);
        for (Surface* s : {&runs, &whole}) {
            s->dc->SelectPen(c.pen);
            s->dc->SelectBrush(NullBrush());
            s->dc->SetBkMode(TRANSPARENT);
        }
        if (c.closed)
            runs.dc->Polygon(pts.data(), static_cast<int>(pts.size()));
        else
            runs.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
        whole.dc->BeginPath();
        if (c.closed)
            whole.dc->Polygon(pts.data(), static_cast<int>(pts.size()));
        else
            whole.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
        whole.dc->EndPath();
        whole.dc->StrokePath();
        EXPECT_GT(runs.Count(clBlack), 1000);
        EXPECT_EQ(Differences(runs, whole), 0) << Differences(runs, whole) * 100.0 / runs.Count(clBlack) << "%";
    }
}

TEST(DeviceContextLines, LongWideXorLineDrawnTwiceRestoresTheImage)
{
    // A mix that a pixel drawn twice would undo keeps the line in one piece.
    std::vector<TPoint> pts;
    for (int i = 0; i < 1000; ++i) pts.push_back({i / 10, 20 + (i % 7) * 3});
    Surface s(100, 50);
    s.dc->SelectPen({PS_SOLID, 3, clWhite, {}});
    s.dc->SetROP2(R2_XORPEN);
    s.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
    const int drawn = s.Count(clBlack);
    EXPECT_GT(drawn, 100);
    s.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
    EXPECT_EQ(s.Count(clWhite), 100 * 50);
}

TEST(DeviceContextClipping, ExcludingOrXoringWithoutAClipStartsFromTheWholeSurface)
{
    const struct {
        const char* name;
        int mode;
    } cases[] = {{"exclude", RGN_DIFF}, {"xor", RGN_XOR}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(10, 10);
        SetViewportOrgEx(s.dc, 2, 2, nullptr);
        TRegion hole = CreateRectRgn(3, 3, 6, 6);  // device units
        EXPECT_EQ(s.dc->ExtSelectClipRgn(&hole, c.mode), COMPLEXREGION);
        s.dc->FillRect({-2, -2, 8, 8}, clRed);
        EXPECT_EQ(s.Count(clRed), 100 - 9) << s.Dump();
        EXPECT_TRUE(s.Is(4, 4, clWhite));
    }
    Surface s(10, 10);
    ExcludeClipRect(s.dc, 0, 0, 10, 5);
    s.dc->FillRect({0, 0, 10, 10}, clRed);
    EXPECT_EQ(s.Ink(), (TRect{0, 5, 10, 10}));
}

TEST(DeviceContextClipping, AClipSelectedAfterClippingWasSwitchedOffTakesEffect)
{
    const TPoint square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    const struct {
        const char* name;
        TRegion region;
    } regions[] = {
        {"rectangle", CreateRectRgn(10, 10, 20, 20)},
        {"ellipse", CreateEllipticRgn(10, 10, 20, 20)},
        {"polygon", TRegion::FromPolygon(square, 4, ALTERNATE)},
    };
    const struct {
        int mode;
        bool centre, corner;  // painted at (15, 15) and at (2, 2)
    } modes[] = {{RGN_COPY, true, false}, {RGN_AND, true, false}, {RGN_DIFF, false, true}, {RGN_XOR, false, true}};
    for (const auto& r : regions)
        for (const auto& m : modes) {
            SCOPED_TRACE(std::string(r.name) + " mode " + std::to_string(m.mode));
            Surface s(30, 30);
            TRegion first = CreateRectRgn(0, 0, 25, 25);
            s.dc->SelectClipRgn(&first);
            s.dc->SelectClipRgn(nullptr);
            s.dc->ExtSelectClipRgn(&r.region, m.mode);
            s.dc->FillRect({0, 0, 30, 30}, clRed);
            EXPECT_EQ(s.Is(15, 15, clRed), m.centre) << s.Dump();
            EXPECT_EQ(s.Is(2, 2, clRed), m.corner) << s.Dump();
        }
}

TEST(DeviceContextLines, ALineOfNoLengthWithAWidePenIsADotOfItsCaps)
{
    const struct {
        const char* name;
        int style, width;
        int pixels;
    } cases[] = {
        {"round", PS_SOLID, 5, 21},
        {"square", PS_SOLID | PS_ENDCAP_SQUARE, 5, 25},
        {"flat", PS_SOLID | PS_ENDCAP_FLAT, 5, 0},
        {"one pixel", PS_SOLID, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(20, 20);
        s.dc->SelectPen({c.style, c.width, clBlack, {}});
        s.dc->MoveTo(10, 10);
        s.dc->LineTo(10, 10);
        EXPECT_EQ(s.Count(clBlack), c.pixels) << s.Dump();
        if (c.pixels > 0) {
            EXPECT_EQ(s.Ink(), (TRect{8, 8, 13, 13})) << s.Dump();
        }
    }
}

TEST(DeviceContextLines, WideRoundPenLinesCoverHalfTheWidthAroundTheSegment)
{
    const struct {
        const char* name;
        int width, x0, y0, x1, y1;
        TRect ink;
    } cases[] = {
        {"even width, across", 2, 2, 10, 20, 10, {1, 9, 21, 11}},
        {"even width, backwards", 2, 20, 10, 2, 10, {1, 9, 21, 11}},
        {"odd width, across", 3, 2, 10, 20, 10, {1, 9, 22, 12}},
        {"even width, down", 2, 10, 2, 10, 20, {9, 1, 11, 21}},
        {"odd width, diagonal", 3, 4, 4, 16, 16, {3, 3, 18, 18}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(24, 24);
        s.dc->SelectPen({PS_SOLID, c.width, clBlack, {}});
        s.dc->MoveTo(c.x0, c.y0);
        s.dc->LineTo(c.x1, c.y1);
        EXPECT_EQ(s.Ink(), c.ink) << s.Dump();
        EXPECT_EQ(s.dc->GetCurrentPosition(), (TPoint{c.x1, c.y1}));
        // Every pixel once: drawn again in white with XOR, the black line goes entirely.
        s.dc->SelectPen({PS_SOLID, c.width, clWhite, {}});
        s.dc->SetROP2(R2_XORPEN);
        s.dc->MoveTo(c.x0, c.y0);
        s.dc->LineTo(c.x1, c.y1);
        EXPECT_EQ(s.Count(clWhite), 24 * 24) << s.Dump();
    }
}

}  // namespace
