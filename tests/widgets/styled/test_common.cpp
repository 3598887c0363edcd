// Drawing routines of the styled set on real bitmaps: band fills, gradients, frames, shading.
#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "widgets/styled/QMCommon.h"
#include "widgets/styled/QMGeometry.h"

namespace {

TColorRef px(TBitmap& b, int x, int y) { return ColorToRGB(b.Canvas()->Pixels(x, y)); }

struct Surface {
    explicit Surface(int w = 40, int h = 20, TColor fill = clWhite) : bmp(w, h)
    {
        bmp.Canvas()->Brush()->SetColor(fill);
        bmp.Canvas()->FillRect({0, 0, w, h});
    }
    TBitmap bmp;
    TCanvas* canvas() { return bmp.Canvas(); }
    HDC dc() { return bmp.Canvas()->Handle(); }
};

// Saves and restores the process-wide gradient settings a test changes.
struct GradientSettings {
    GradientSettings() : os(QMOSVersion), fill(QMGradientFill) {}
    ~GradientSettings()
    {
        QMOSVersion = os;
        QMGradientFill = fill;
    }
    int os;
    TQMGradientFillProc fill;
};

int gradientCalls = 0;
TTriVertex lastVertices[2];
unsigned lastMode = 99;
bool recordingGradient(HDC, const TTriVertex* v, int count, const TRect&, unsigned mode)
{
    ++gradientCalls;
    for (int i = 0; i < count && i < 2; ++i) lastVertices[i] = v[i];
    lastMode = mode;
    return true;
}

}  // namespace

TEST(StyledCommon, ShadesResolveSystemColours)
{
    EXPECT_EQ(ShadowOf(clBlack), clBlack);
    EXPECT_EQ(ColorToRGB(HighlightOf(TColor(RGB(50, 60, 70)))), RGB(255, 255, 255));
    const TColorRef face = ColorToRGB(clBtnFace);
    EXPECT_EQ(ColorToRGB(ShadowOf(clBtnFace)), ShadeRGB(face, 96, 96, 96, false));
    EXPECT_EQ(ColorToRGB(DarkShadowOf(TColor(RGB(200, 200, 200)))), RGB(40, 40, 40));
    EXPECT_EQ(ColorToRGB(SoftShadowOf(TColor(RGB(10, 200, 30)))), RGB(0, 176, 6));
}

TEST(StyledCommon, BandFillOfOnePixelOrEqualColoursIsSolid)
{
    Surface s;
    FillBandsHorizontal(s.canvas(), {3, 2, 4, 12}, clRed, clBlue, 255, false);
    for (int y = 2; y < 12; ++y) EXPECT_EQ(px(s.bmp, 3, y), RGB(255, 0, 0));
    EXPECT_EQ(px(s.bmp, 4, 5), RGB(255, 255, 255));
    FillBandsVertical(s.canvas(), {10, 0, 30, 20}, clLime, clLime, 255, true);
    EXPECT_EQ(px(s.bmp, 10, 0), RGB(0, 255, 0));
    EXPECT_EQ(px(s.bmp, 29, 19), RGB(0, 255, 0));
}

TEST(StyledCommon, GradientPutsTheStartColourOnItsSide)
{
    GradientSettings keep;
    QMGradientFill = nullptr;
    struct {
        TQMGradient g;
        TPoint start, end;
    } cases[] = {
        {qmgLeftToRight, {0, 5}, {39, 5}},
        {qmgRightToLeft, {39, 5}, {0, 5}},
        {qmgTopToBottom, {5, 0}, {5, 19}},
        {qmgBottomToTop, {5, 19}, {5, 0}},
    };
    for (auto& c : cases) {
        Surface s;
        FillGradient(s.canvas(), {0, 0, 40, 20}, c.g, clRed, clBlue);
        EXPECT_EQ(px(s.bmp, c.start.X, c.start.Y), RGB(255, 0, 0)) << c.g;
        EXPECT_EQ(px(s.bmp, c.end.X, c.end.Y), RGB(0, 0, 255)) << c.g;
    }
    Surface none;
    FillGradient(none.canvas(), {0, 0, 40, 20}, qmgNone, clRed, clBlue);
    FillGradient(nullptr, {0, 0, 40, 20}, qmgLeftToRight, clRed, clBlue);
    FillGradient(none.canvas(), {10, 10, 10, 20}, qmgLeftToRight, clRed, clBlue);
    EXPECT_EQ(px(none.bmp, 10, 10), RGB(255, 255, 255));
}

TEST(StyledCommon, PlatformGradientOnlyWhereTheVersionAllowsIt)
{
    GradientSettings keep;
    QMGradientFill = &recordingGradient;
    for (int code : {-1, 1, 5}) {
        QMOSVersion = code;
        gradientCalls = 0;
        Surface s;
        FillGradient(s.canvas(), {0, 0, 40, 20}, qmgLeftToRight, clRed, clBlue);
        EXPECT_EQ(gradientCalls, 0) << code;
        EXPECT_EQ(px(s.bmp, 0, 0), RGB(255, 0, 0)) << "band fill drawn for " << code;
    }
    QMOSVersion = 7;
    gradientCalls = 0;
    Surface s;
    FillGradient(s.canvas(), {2, 3, 40, 20}, qmgRightToLeft, clRed, clBlue);
    ASSERT_EQ(gradientCalls, 1);
    EXPECT_EQ(lastMode, unsigned(GRADIENT_FILL_RECT_H));
    // Right to left: the end colour is the left vertex's, the start colour the right one's.
    EXPECT_EQ(lastVertices[0].X, 2);
    EXPECT_EQ(lastVertices[0].Blue, 0xFF00);
    EXPECT_EQ(lastVertices[0].Red, 0);
    EXPECT_EQ(lastVertices[1].X, 40);
    EXPECT_EQ(lastVertices[1].Red, 0xFF00);
    EXPECT_EQ(px(s.bmp, 30, 10), RGB(255, 0, 0));  // the right side's colour fills first
    FillGradient(s.canvas(), {0, 0, 40, 20}, qmgBottomToTop, clRed, clBlue);
    EXPECT_EQ(lastMode, unsigned(GRADIENT_FILL_RECT_V));
}

TEST(StyledCommon, EdgeLinesLeaveTheirEndPoints)
{
    Surface s(10, 10);
    DrawEdgeLines(s.dc(), {0, 0, 10, 10}, clRed, clBlue, QMAllEdges);
    EXPECT_EQ(px(s.bmp, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(px(s.bmp, 9, 0), RGB(255, 0, 0));
    EXPECT_EQ(px(s.bmp, 0, 9), RGB(0, 0, 255));
    EXPECT_EQ(px(s.bmp, 9, 9), RGB(0, 0, 255));
    EXPECT_EQ(px(s.bmp, 5, 9), RGB(0, 0, 255));
    EXPECT_EQ(px(s.bmp, 9, 5), RGB(0, 0, 255));
    EXPECT_EQ(px(s.bmp, 5, 5), RGB(255, 255, 255));
}

TEST(StyledCommon, ShadedBorderTopOnlyDrawsTheHighlight)
{
    Surface s(20, 10, TColor(RGB(100, 100, 100)));
    DrawShadedBorder(s.dc(), {0, 0, 20, 10}, TColor(RGB(100, 100, 100)), {qmbeTop}, qmcbRaised);
    for (int x = 1; x < 20; ++x) EXPECT_EQ(px(s.bmp, x, 0), RGB(255, 255, 255)) << x;
    EXPECT_EQ(px(s.bmp, 0, 0), RGB(100, 100, 100)) << "the corner belongs to the left line";
    EXPECT_EQ(px(s.bmp, 0, 5), RGB(100, 100, 100));
    EXPECT_EQ(px(s.bmp, 19, 9), RGB(100, 100, 100));
    EXPECT_EQ(px(s.bmp, 10, 9), RGB(100, 100, 100));
}

TEST(StyledCommon, ShadedBorderRingsOfEveryStyle)
{
    const TColorRef base = RGB(128, 128, 128);
    for (int style = 1; style < QMControlBorderCount; ++style) {
        if (style == qmcbEtched) continue;
        Surface s(20, 12, TColor(RGB(1, 2, 3)));
        DrawShadedBorder(s.dc(), {0, 0, 20, 12}, TColor(base), QMAllEdges, TQMControlBorder(style));
        const auto rings = qm::ShadedBorderRings({0, 0, 20, 12}, base, QMAllEdges, TQMControlBorder(style));
        for (std::size_t i = 0; i < rings.size(); ++i) {
            const int d = static_cast<int>(i);
            EXPECT_EQ(px(s.bmp, d, 6), TColorRef(rings[i].TopLeft)) << style << " ring " << i;
            EXPECT_EQ(px(s.bmp, 19 - d, 6), TColorRef(rings[i].BottomRight)) << style << " ring " << i;
        }
        EXPECT_EQ(px(s.bmp, 10, 6), RGB(1, 2, 3)) << "inside untouched, style " << style;
    }
}

TEST(StyledCommon, EtchedRingsOverlapOffsetByOnePixel)
{
    Surface s(20, 12, TColor(RGB(1, 2, 3)));
    DrawShadedBorder(s.dc(), {0, 0, 20, 12}, TColor(RGB(128, 128, 128)), QMAllEdges, qmcbEtched);
    const TColorRef H = RGB(255, 255, 255), S = RGB(32, 32, 32);
    EXPECT_EQ(px(s.bmp, 0, 6), S);   // dark ring's left side
    EXPECT_EQ(px(s.bmp, 1, 6), H);   // light ring one pixel right
    EXPECT_EQ(px(s.bmp, 18, 6), S);  // dark ring's right side
    EXPECT_EQ(px(s.bmp, 19, 6), H);  // light ring's right side
}

TEST(StyledCommon, BordersIgnoreNothingToDraw)
{
    Surface s(10, 10);
    DrawShadedBorder(nullptr, {0, 0, 10, 10}, clRed, QMAllEdges, qmcbFlat);
    DrawShadedBorder(s.dc(), {0, 0, 10, 10}, clRed, QMAllEdges, qmcbNone);
    DrawShadedBorder(s.dc(), {0, 0, 10, 10}, clRed, {}, qmcbFlat);
    DrawSystemBorder(s.dc(), {5, 5, 5, 9}, clRed, QMAllEdges, qmcbFlat);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(px(s.bmp, x, y), RGB(255, 255, 255));
}

TEST(StyledCommon, BordersRestoreThePen)
{
    Surface s(10, 10);
    TLogPen pen;
    pen.Color = clFuchsia;
    pen.Width = 3;
    s.dc()->SelectPen(pen);
    DrawShadedBorder(s.dc(), {0, 0, 10, 10}, clRed, QMAllEdges, qmcbBumped);
    DrawSystemBorder(s.dc(), {0, 0, 10, 10}, clRed, QMAllEdges, qmcbMacRaised);
    EXPECT_EQ(s.dc()->GetPen(), pen);
}

TEST(StyledCommon, SystemBorderFlatRingUsesTheFlatColour)
{
    Surface s(10, 10);
    DrawSystemBorder(s.dc(), {0, 0, 10, 10}, clGreen, {qmbeLeft, qmbeBottom}, qmcbFlat);
    EXPECT_EQ(px(s.bmp, 0, 4), RGB(0, 128, 0));
    EXPECT_EQ(px(s.bmp, 4, 9), RGB(0, 128, 0));
    EXPECT_EQ(px(s.bmp, 4, 0), RGB(255, 255, 255));  // top not chosen
    EXPECT_EQ(px(s.bmp, 9, 4), RGB(255, 255, 255));  // right not chosen
}

TEST(StyledCommon, SystemBorderRaisedUsesThreeDColours)
{
    Surface s(10, 10);
    DrawSystemBorder(s.dc(), {0, 0, 10, 10}, clGreen, QMAllEdges, qmcbRaised);
    EXPECT_EQ(px(s.bmp, 0, 4), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(px(s.bmp, 4, 9), ColorToRGB(clBtnShadow));
    EXPECT_EQ(px(s.bmp, 4, 4), RGB(255, 255, 255));
}
