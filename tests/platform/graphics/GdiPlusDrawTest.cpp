// The antialiased object layer's pixels: the shared painter, the pixel grid, caps, gradients,
// textures with an alpha matrix, clipping and text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiPlus.h"
#include "platform/graphics/Metafile.h"
#include "platform/graphics/Region.h"

namespace {

struct GdiPlusDraw : ::testing::Test {
    void SetUp() override
    {
        tvgdiplus::SetLibraryMissing(false);
        StartGdiPlus();
    }
};

// A white 32-bit bitmap, its device context and a graphics on it.
struct Surface {
    Surface(int w, int h) : bmp(w, h, pf32bit), dc(bmp.Canvas()->Handle())
    {
        dc->FillRect({0, 0, w, h}, clWhite);
        g = std::make_unique<TGPGraphics>(dc);
    }
    TColorRef At(int x, int y) const { return dc->GetPixel(x, y); }
    bool White(int x, int y) const { return At(x, y) == 0xFFFFFF; }
    TBitmap bmp;
    HDC dc;
    std::unique_ptr<TGPGraphics> g;
};

int R(TColorRef c) { return GetRValue(c); }
int G(TColorRef c) { return GetGValue(c); }
int B(TColorRef c) { return GetBValue(c); }
bool Near(TColorRef c, int r, int g, int b, int tolerance = 24)
{
    return std::abs(R(c) - r) <= tolerance && std::abs(G(c) - g) <= tolerance && std::abs(B(c) - b) <= tolerance;
}

constexpr TGPColor red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00, black = 0xFF000000;

TEST_F(GdiPlusDraw, SharesTheDeviceContextsPainterOriginAndClip)
{
    Surface s(40, 40);
    TGPSolidBrush brush(blue);
    s.dc->FillRect({0, 0, 4, 4}, clRed);
    s.g->FillRectangleI(brush, 2, 2, 4, 4);
    s.dc->SetPixel(3, 3, clLime);
    EXPECT_EQ(s.At(0, 0), ColorToRGB(clRed));
    EXPECT_EQ(s.At(5, 5), ColorToRGB(clBlue));
    EXPECT_EQ(s.At(3, 3), ColorToRGB(clLime));

    // The device context's origin and clip hold for the graphics too.
    s.dc->SetViewportOrg({10, 10});
    s.dc->IntersectClipRect(0, 0, 20, 20);
    s.g->FillRectangleI(brush, 0, 0, 30, 30);
    s.dc->SelectClipRgn(nullptr);
    s.dc->SetViewportOrg({0, 0});
    EXPECT_TRUE(s.White(9, 9));
    EXPECT_EQ(s.At(10, 10), ColorToRGB(clBlue));  // logical (0, 0)
    EXPECT_EQ(s.At(29, 29), ColorToRGB(clBlue));
    EXPECT_TRUE(s.White(30, 30));  // clipped

    // The graphics' transform and clip stay its own.
    s.g->TranslateWorldTransform(100, 100);
    s.g->SetClipRectI(MakeRectI(0, 0, 1, 1));
    s.dc->FillRect({30, 30, 32, 32}, clRed);
    EXPECT_EQ(s.At(31, 31), ColorToRGB(clRed));
}

TEST_F(GdiPlusDraw, PixelCentresFollowThePixelOffsetMode)
{
    const struct {
        TGPPixelOffsetMode offset;
        TGPSmoothingMode smoothing;
        bool exact;  // the rectangle covers whole pixels only
    } cases[] = {
        {PixelOffsetModeNone, SmoothingModeHighSpeed, true},
        {PixelOffsetModeHighQuality, SmoothingModeHighSpeed, true},
        {PixelOffsetModeHighQuality, SmoothingModeHighQuality, true},
        {PixelOffsetModeNone, SmoothingModeHighQuality, false},  // centres on whole coordinates: edges half covered
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset << "/" << c.smoothing);
        Surface s(12, 12);
        s.g->SetPixelOffsetMode(c.offset);
        s.g->SetSmoothingMode(c.smoothing);
        s.g->FillRectangleI(TGPSolidBrush(black), 2, 2, 4, 4);
        EXPECT_EQ(s.At(4, 4), 0u);
        if (c.exact) {
            EXPECT_EQ(s.At(2, 2), 0u);
            EXPECT_EQ(s.At(5, 5), 0u);
            EXPECT_TRUE(s.White(1, 3));
            EXPECT_TRUE(s.White(6, 3));
        } else {
            for (TPoint half : {TPoint{2, 3}, TPoint{6, 3}}) {
                EXPECT_FALSE(s.White(half.X, half.Y));
                EXPECT_NE(s.At(half.X, half.Y), 0u);
            }
            EXPECT_TRUE(s.White(1, 3));
        }
    }
    // An aliased one-pixel line on whole coordinates lights one row.
    Surface s(20, 10);
    s.g->SetPixelOffsetMode(PixelOffsetModeNone);
    s.g->SetSmoothingMode(SmoothingModeHighSpeed);
    s.g->DrawLineI(TGPPen(black, 1), 0, 5, 19, 5);
    EXPECT_EQ(s.At(10, 5), 0u);
    EXPECT_TRUE(s.White(10, 4));
    EXPECT_TRUE(s.White(10, 6));
}

TEST_F(GdiPlusDraw, StartAndEndCapsAreSeparate)
{
    const struct {
        TGPLineCap start, end;
        bool beforeStart, afterEnd, afterEndOffAxis;
    } cases[] = {
        {LineCapFlat, LineCapFlat, false, false, false}, {LineCapSquare, LineCapFlat, true, false, false},
        {LineCapFlat, LineCapRound, false, true, false}, {LineCapFlat, LineCapTriangle, false, true, false},
        {LineCapRound, LineCapSquare, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << "/" << c.end);
        Surface s(50, 30);
        s.g->SetSmoothingMode(SmoothingModeHighSpeed);
        s.g->SetPixelOffsetMode(PixelOffsetModeHighQuality);
        TGPPen pen(black, 8);
        pen.SetLineCap(c.start, c.end, DashCapFlat);
        s.g->DrawLine(pen, 10, 15, 30, 15);
        EXPECT_EQ(s.At(20, 12), 0u);
        EXPECT_EQ(!s.White(8, 15), c.beforeStart);
        EXPECT_EQ(!s.White(32, 15), c.afterEnd);
        EXPECT_EQ(!s.White(33, 12), c.afterEndOffAxis);  // near the corner: only a square reaches it
    }
}

TEST_F(GdiPlusDraw, DashesAreMultiplesOfTheWidth)
{
    Surface s(60, 10);
    s.g->SetSmoothingMode(SmoothingModeHighSpeed);
    s.g->SetPixelOffsetMode(PixelOffsetModeHighQuality);
    TGPPen pen(black, 2);
    pen.SetDashStyle(DashStyleDash);  // 6 on, 2 off
    s.g->DrawLine(pen, 0, 5, 60, 5);
    for (int x : {1, 4, 9, 12, 17}) EXPECT_EQ(s.At(x, 5), 0u) << x;
    for (int x : {7, 15, 23}) EXPECT_TRUE(s.White(x, 5)) << x;
}

TEST_F(GdiPlusDraw, LinearGradientsRunFromColourOneToColourTwo)
{
    const struct {
        const char* what;
        std::function<std::unique_ptr<TGPLinearGradientBrush>(TGPRectF)> make;
        TPoint redAt, blueAt;
    } cases[] = {
        {"horizontal",
         [](TGPRectF r) {
             return std::make_unique<TGPLinearGradientBrush>(r, red, blue, LinearGradientModeHorizontal);
         },
         {1, 20},
         {38, 20}},
        {"vertical",
         [](TGPRectF r) { return std::make_unique<TGPLinearGradientBrush>(r, red, blue, LinearGradientModeVertical); },
         {20, 1},
         {20, 38}},
        {"forward diagonal",
         [](TGPRectF r) {
             return std::make_unique<TGPLinearGradientBrush>(r, red, blue, LinearGradientModeForwardDiagonal);
         },
         {1, 1},
         {38, 38}},
        {"backward diagonal",
         [](TGPRectF r) {
             return std::make_unique<TGPLinearGradientBrush>(r, red, blue, LinearGradientModeBackwardDiagonal);
         },
         {38, 1},
         {1, 38}},
        {"angle 90",
         [](TGPRectF r) { return std::make_unique<TGPLinearGradientBrush>(r, red, blue, 90.0f); },
         {20, 1},
         {20, 38}},
        {"angle 180",
         [](TGPRectF r) { return std::make_unique<TGPLinearGradientBrush>(r, red, blue, 180.0f); },
         {38, 20},
         {1, 20}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Surface s(40, 40);
        auto brush = c.make(MakeRect(0, 0, 40, 40));
        ASSERT_EQ(brush->GetLastStatus(), Ok);
        s.g->FillRectangleI(*brush, 0, 0, 40, 40);
        EXPECT_TRUE(Near(s.At(c.redAt.X, c.redAt.Y), 255, 0, 0, 30)) << std::hex << s.At(c.redAt.X, c.redAt.Y);
        EXPECT_TRUE(Near(s.At(c.blueAt.X, c.blueAt.Y), 0, 0, 255, 30)) << std::hex << s.At(c.blueAt.X, c.blueAt.Y);
        EXPECT_TRUE(Near(s.At(20, 20), 128, 0, 128, 30)) << std::hex << s.At(20, 20);
    }
}

TEST_F(GdiPlusDraw, PresetBlendsPadBeyondTheirEndsAndTile)
{
    Surface s(80, 10);
    TGPLinearGradientBrush brush(MakeRect(0, 0, 40, 10), red, blue, LinearGradientModeHorizontal);
    const TGPColor colors[2] = {green, red};
    const float positions[2] = {0.25f, 0.75f};
    ASSERT_EQ(brush.SetPresetBlend(colors, positions, 2), Ok);
    s.g->FillRectangleI(brush, 0, 0, 80, 10);
    EXPECT_TRUE(Near(s.At(3, 5), 0, 255, 0, 8));   // before the first position: its colour
    EXPECT_TRUE(Near(s.At(37, 5), 255, 0, 0, 8));  // after the last
    EXPECT_TRUE(Near(s.At(20, 5), 128, 128, 0, 30));
    EXPECT_TRUE(Near(s.At(43, 5), 0, 255, 0, 8));  // tiled from the rectangle on
}

TEST_F(GdiPlusDraw, PathGradientsRunFromTheOutlineToTheCentrePoint)
{
    const TGPColor colors[2] = {blue, red};  // outline blue, centre red
    const float positions[2] = {0, 1};

    // An ellipse, its centre point moved right.
    {
        Surface s(60, 40);
        TGPGraphicsPath ellipse;
        ellipse.AddEllipse(0, 0, 60, 40);
        TGPPathGradientBrush brush(ellipse);
        brush.SetPresetBlend(colors, positions, 2);
        TGPPointF c;
        brush.GetCenterPoint(c);
        EXPECT_EQ(c, (TGPPointF{30, 20}));
        s.g->FillPath(brush, ellipse);
        EXPECT_TRUE(Near(s.At(30, 20), 255, 0, 0, 12));
        EXPECT_TRUE(Near(s.At(2, 20), 0, 0, 255, 40));
        const TColorRef leftHalf = s.At(15, 20);

        ASSERT_EQ(brush.SetCenterPoint({45, 20}), Ok);
        s.g->FillPath(brush, ellipse);
        EXPECT_TRUE(Near(s.At(45, 20), 255, 0, 0, 12));
        EXPECT_LT(R(s.At(30, 20)), 250);
        EXPECT_LT(R(s.At(15, 20)), R(leftHalf));  // further from the centre point now
    }
    // Outlines Qt has no gradient for: a rectangle, a triangle and a star.
    const struct {
        const char* what;
        std::vector<TGPPointF> outline;
        TPoint inside, nearEdge, outsideInBounds;
    } cases[] = {
        {"rectangle", {{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {20, 20}, {1, 20}, {-1, -1}},
        {"triangle", {{0, 40}, {20, 0}, {40, 40}}, {20, 27}, {20, 38}, {3, 3}},
        {"star",
         {{20, 0}, {24, 16}, {40, 20}, {24, 24}, {20, 40}, {16, 24}, {0, 20}, {16, 16}},
         {20, 20},
         {20, 2},
         {4, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Surface s(40, 40);
        TGPGraphicsPath path;
        path.AddPolygon(c.outline.data(), int(c.outline.size()));
        TGPPathGradientBrush brush(path);
        brush.SetPresetBlend(colors, positions, 2);
        TGPPointF centre;
        brush.GetCenterPoint(centre);
        brush.SetCenterPoint({centre.X, float(c.inside.Y)});
        s.g->FillRectangleI(brush, 0, 0, 40, 40);  // the brush paints only inside its outline
        EXPECT_TRUE(Near(s.At(c.inside.X, c.inside.Y), 255, 0, 0, 40)) << std::hex << s.At(c.inside.X, c.inside.Y);
        EXPECT_GT(B(s.At(c.nearEdge.X, c.nearEdge.Y)), 170) << std::hex << s.At(c.nearEdge.X, c.nearEdge.Y);
        if (c.outsideInBounds.X >= 0) {
            EXPECT_TRUE(s.White(c.outsideInBounds.X, c.outsideInBounds.Y));
        }
    }
}

// A rasterised gradient is kept for the next frame: every change of the brush, of the outline's
// place or of the area drawn must show.
TEST_F(GdiPlusDraw, RasterisedPathGradientsFollowEveryChangeOfBrushAndPlace)
{
    const std::vector<TGPPointF> star = {{20, 0}, {24, 16}, {40, 20}, {24, 24}, {20, 40}, {16, 24}, {0, 20}, {16, 16}};
    TGPGraphicsPath path;
    path.AddPolygon(star.data(), int(star.size()));
    const struct {
        const char* what;
        TGPColor centre;
        TGPPointF centrePoint;
        float shift;    // world translation along x
        TPoint at;      // the centre point's pixel
        TGPColor near;  // its colour
    } cases[] = {
        {"first", red, {20, 20}, 0, {20, 20}, red},
        {"again", red, {20, 20}, 0, {20, 20}, red},
        {"another centre colour", green, {20, 20}, 0, {20, 20}, green},
        {"another centre point", red, {20, 14}, 0, {20, 14}, red},
        {"moved", red, {20, 20}, 10, {30, 20}, red},
        {"first again", red, {20, 20}, 0, {20, 20}, red},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Surface s(50, 40);
        TGPPathGradientBrush brush(path);
        const TGPColor colors[2] = {blue, c.centre};
        const float positions[2] = {0, 1};
        brush.SetPresetBlend(colors, positions, 2);
        brush.SetCenterPoint(c.centrePoint);
        s.g->TranslateWorldTransform(c.shift, 0);
        s.g->FillPath(brush, path);
        const TColorRef got = s.At(c.at.X, c.at.Y);
        EXPECT_TRUE(Near(got, (c.near >> 16) & 0xFF, (c.near >> 8) & 0xFF, c.near & 0xFF, 40)) << std::hex << got;
        EXPECT_GT(B(s.At(int(c.shift) + 2, 20)), 120) << "the outline's colour at the left tip";
    }
}

TEST_F(GdiPlusDraw, TexturesAndImagesTakeTheAlphaMatrix)
{
    TGPBitmap image(4, 4, PixelFormat32bppARGB);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) image.SetPixel(x, y, red);
    const auto half = AlphaImageAttributes(128);

    Surface s(40, 40);
    TGPTextureBrush texture(image, half.get(), 0, 0, 4, 4);
    ASSERT_EQ(texture.GetLastStatus(), Ok);
    s.g->FillRectangleI(texture, 0, 0, 10, 10);
    EXPECT_TRUE(Near(s.At(1, 1), 255, 127, 127, 4)) << std::hex << s.At(1, 1);
    EXPECT_TRUE(Near(s.At(9, 9), 255, 127, 127, 4));  // tiled
    EXPECT_TRUE(s.White(10, 10));

    // An image drawn at alpha 128 covers exactly its destination.
    s.g->DrawImageRectRectI(image, 20, 25, 8, 4, 0, 0, 4, 4, UnitPixel, half.get());
    EXPECT_TRUE(Near(s.At(20, 25), 255, 127, 127, 4));
    EXPECT_TRUE(Near(s.At(27, 28), 255, 127, 127, 4));
    EXPECT_TRUE(s.White(19, 25));
    EXPECT_TRUE(s.White(28, 28));
    EXPECT_TRUE(s.White(20, 29));

    // Any other matrix recolours: red and blue swapped.
    TGPImageAttributes swap;
    TGPColorMatrix m;
    m.M[0][0] = m.M[2][2] = 0;
    m.M[0][2] = m.M[2][0] = 1;
    swap.SetColorMatrix(m, ColorMatrixFlagsDefault, ColorAdjustTypeBitmap);
    s.g->DrawImageRectRectI(image, 0, 30, 4, 4, 0, 0, 4, 4, UnitPixel, &swap);
    EXPECT_EQ(s.At(1, 31), ColorToRGB(clBlue));
}

TEST_F(GdiPlusDraw, TransparentColourBitmapsLeaveTheirKeyOut)
{
    TBitmap source(3, 1, pf24bit);
    source.Canvas()->SetPixels(0, 0, clFuchsia);
    source.Canvas()->SetPixels(1, 0, clRed);
    source.Canvas()->SetPixels(2, 0, clFuchsia);
    TGPBitmap keyed(source, clFuchsia);
    TGPColor c = 0;
    keyed.GetPixel(0, 0, c);
    EXPECT_EQ(c, 0x00FFFFFFu);
    keyed.GetPixel(1, 0, c);
    EXPECT_EQ(c, 0xFFFF0000u);

    Surface s(6, 2);
    s.dc->FillRect({0, 0, 6, 2}, clBlue);
    s.g->SetInterpolationMode(InterpolationModeNearestNeighbor);
    s.g->DrawImageRectI(keyed, 0, 0, 6, 2);
    EXPECT_EQ(s.At(0, 0), ColorToRGB(clBlue));
    EXPECT_EQ(s.At(2, 1), ColorToRGB(clRed));
    EXPECT_EQ(s.At(5, 1), ColorToRGB(clBlue));
}

TEST_F(GdiPlusDraw, ClipCombinesByMode)
{
    // A = (0, 0, 30, 30), B = (20, 20, 30, 30); points in A only, in both, in B only, in neither.
    const TPoint probes[4] = {{10, 10}, {25, 25}, {40, 40}, {5, 45}};
    const struct {
        TGPCombineMode mode;
        bool drawn[4];
    } cases[] = {
        {CombineModeReplace, {false, true, true, false}},  {CombineModeIntersect, {false, true, false, false}},
        {CombineModeUnion, {true, true, true, false}},     {CombineModeXor, {true, false, true, false}},
        {CombineModeExclude, {true, false, false, false}}, {CombineModeComplement, {false, false, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        Surface s(60, 60);
        s.g->SetClipRectI(MakeRectI(0, 0, 30, 30));
        TGPGraphicsPath b;
        b.AddRectangle(MakeRect(20, 20, 30, 30));
        s.g->SetClipPath(b, c.mode);
        s.g->FillRectangleI(TGPSolidBrush(black), 0, 0, 60, 60);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(!s.White(probes[i].X, probes[i].Y), c.drawn[i]) << i;
    }
}

TEST_F(GdiPlusDraw, ExcludedShapesAreCutOut)
{
    Surface s(60, 60);
    s.g->SetClipRectI(MakeRectI(0, 0, 50, 50));
    TGPGraphicsPath hole;
    hole.AddEllipse(10, 10, 20, 20);
    s.g->SetClipPath(hole, CombineModeExclude);
    TGPRegion corner(TRegion::FromRect({40, 0, 50, 10}));  // a device-context region
    s.g->SetClipRegion(corner, CombineModeExclude);
    TGPRectF visible;
    s.g->GetVisibleClipBounds(visible);
    EXPECT_EQ(visible, MakeRect(0, 0, 50, 50));
    s.g->FillRectangleI(TGPSolidBrush(black), 0, 0, 60, 60);
    EXPECT_TRUE(s.White(20, 20));
    EXPECT_TRUE(s.White(45, 5));
    EXPECT_TRUE(s.White(55, 55));
    EXPECT_EQ(s.At(2, 2), 0u);
    EXPECT_EQ(s.At(45, 15), 0u);

    s.g->ResetClip();
    s.g->GetVisibleClipBounds(visible);
    EXPECT_EQ(visible, MakeRect(0, 0, 60, 60));
    s.g->SetClipRectI(MakeRectI(10, 20, 30, 5));
    s.g->TranslateWorldTransform(10, 0);
    s.g->GetVisibleClipBounds(visible);
    EXPECT_EQ(visible, MakeRect(0, 20, 30, 5));  // in world units of the time of asking
}

TEST_F(GdiPlusDraw, ClearLandsOpaqueOnADeviceAndKeepsAlphaOnAnImage)
{
    Surface s(4, 4);
    s.g->Clear(0x00FF0000);
    EXPECT_EQ(s.At(1, 1), ColorToRGB(clRed));

    TGPBitmap image(4, 4, PixelFormat32bppARGB);
    TGPGraphics g(image);
    g.Clear(0x40FF0000);
    TGPColor c = 0;
    image.GetPixel(2, 2, c);
    EXPECT_EQ(GetAlpha(c), 0x40);
    EXPECT_EQ(GetRed(c), 0xFF);
}

TEST_F(GdiPlusDraw, PensFilledByABrush)
{
    Surface s(40, 10);
    TGPPen pen(black, 6);
    TGPLinearGradientBrush fill(MakeRect(0, 0, 40, 10), red, blue, LinearGradientModeHorizontal);
    ASSERT_EQ(pen.SetBrush(fill), Ok);
    EXPECT_TRUE(pen.HasBrush());
    s.g->DrawLine(pen, 0, 5, 40, 5);
    EXPECT_TRUE(Near(s.At(1, 5), 255, 0, 0, 30));
    EXPECT_TRUE(Near(s.At(38, 5), 0, 0, 255, 30));
    EXPECT_TRUE(s.White(20, 0));
    pen.SetColor(green);
    EXPECT_FALSE(pen.HasBrush());
}

TEST_F(GdiPlusDraw, CurvesPassThroughTheirPoints)
{
    Surface s(80, 50);
    s.g->SetSmoothingMode(SmoothingModeHighSpeed);
    const TPoint pts[4] = {{10, 40}, {30, 10}, {50, 40}, {70, 10}};
    TGPPen pen(black, 3);
    pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
    s.g->DrawCurve2I(pen, pts, 4, 0.5f);
    for (const TPoint& p : pts) EXPECT_EQ(s.At(p.X, p.Y), 0u) << p.X;
    EXPECT_TRUE(s.White(40, 10));  // between the peaks the curve dips
}

TEST_F(GdiPlusDraw, TextDrawsInsideItsMeasuredBox)
{
    Surface s(200, 60);
    TGPFont font("Arial", 20, FontStyleRegular, UnitPixel);
    TGPRectF one, two, lines;
    s.g->MeasureString("Wide", font, MakeRect(10, 10, 0, 0), nullptr, one);
    s.g->MeasureString("Wide Wide", font, MakeRect(10, 10, 0, 0), nullptr, two);
    s.g->MeasureString("Wide\nWide", font, MakeRect(10, 10, 0, 0), nullptr, lines);
    EXPECT_EQ(one.X, 10);
    EXPECT_GT(one.Width, 30);
    EXPECT_GT(two.Width, 2 * one.Width * 0.95f);
    EXPECT_FLOAT_EQ(lines.Height, 2 * one.Height);
    EXPECT_FLOAT_EQ(lines.Width, one.Width);
    EXPECT_NEAR(one.Height, font.GetHeight(s.g.get()), 0.01);

    s.g->DrawString("Wide", font, MakeRect(10, 10, 0, 0), nullptr, TGPSolidBrush(black));
    TRect ink{200, 60, 0, 0};
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (!s.White(x, y)) {
                ink.Left = std::min(ink.Left, x);
                ink.Top = std::min(ink.Top, y);
                ink.Right = std::max(ink.Right, x + 1);
                ink.Bottom = std::max(ink.Bottom, y + 1);
            }
    ASSERT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Left, 10);
    EXPECT_GE(ink.Top, 10);
    EXPECT_LE(ink.Right, 10 + int(one.Width) + 2);
    EXPECT_LE(ink.Bottom, 10 + int(one.Height) + 1);
}

TEST_F(GdiPlusDraw, MetafileCanvasesRecordVectorsThatPlayLikeTheBitmap)
{
    auto scene = [](TGPGraphics& g) {
        g.SetSmoothingMode(SmoothingModeHighQuality);
        g.FillEllipseI(TGPSolidBrush(blue), 5, 5, 30, 20);
        g.DrawLineI(TGPPen(red, 3), 0, 34, 40, 34);
    };
    TMetafile metafile;
    metafile.SetWidth(40);
    metafile.SetHeight(40);
    {
        TMetafileCanvas recorder(&metafile, nullptr);
        TGPGraphics g(recorder.Handle());
        scene(g);
    }
    ASSERT_FALSE(metafile.Empty());

    Surface direct(40, 40), played(40, 40);
    scene(*direct.g);
    TGPMetafile image(metafile);
    EXPECT_EQ(image.GetType(), ImageTypeMetafile);
    EXPECT_EQ(image.GetWidth(), 40u);
    ASSERT_EQ(played.g->DrawImageRectI(image, 0, 0, 40, 40), Ok);
    int differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            differing += !Near(played.At(x, y), R(direct.At(x, y)), G(direct.At(x, y)), B(direct.At(x, y)), 40);
    EXPECT_LE(differing, 16);

    // Played twice as large the edges stay sharp: vectors, not stretched pixels.
    Surface large(80, 80);
    large.g->DrawImageRectI(image, 0, 0, 80, 80);
    EXPECT_EQ(large.At(40, 30), ColorToRGB(clBlue));
    EXPECT_TRUE(large.White(40, 8));
    EXPECT_EQ(large.At(40, 68), ColorToRGB(clRed));

    // A source part lands on the destination and nothing else does.
    Surface part(40, 40);
    part.g->DrawImageRectRectI(image, 10, 10, 20, 10, 10, 10, 20, 10);
    EXPECT_EQ(part.At(20, 15), ColorToRGB(clBlue));
    EXPECT_TRUE(part.White(20, 34));
}

}  // namespace
