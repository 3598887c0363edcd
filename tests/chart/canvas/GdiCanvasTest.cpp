#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <limits>
#include <string>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiConsts.h"

namespace {

std::string str(TPoint p) { return std::to_string(p.X) + "," + std::to_string(p.Y); }

// A canvas prepared for a 3-D frame over chart with depth, the options set up by the case.
struct TProjectionFixture {
    TZebCanvas3D canvas;
    TView3DOptions options;
    TBitmap window{10, 10, pf32bit};

    void Prepare(const TRect& chart, int depth, bool is3D = true)
    {
        canvas.SetBuffered(false);
        canvas.PrepareView(window.Canvas(), &options, clWhite, is3D, {0, 0, 10, 10});
        canvas.SetupProjection(depth, chart, chart);
    }
};

}  // namespace

TEST(GdiCanvas, DescriptionAndCapabilities)
{
    TZebCanvas3D canvas;
    EXPECT_EQ(canvas.GetDescription(), "GDI");
    EXPECT_EQ(canvas.GetSmoothingKind(), 0);
    EXPECT_FALSE(canvas.IsTrue3D());
    EXPECT_FALSE(canvas.PrefersVectorShapes());
    EXPECT_FALSE(canvas.UsesWorldCoordinates());
    EXPECT_TRUE(canvas.GetBuffered());
    EXPECT_DOUBLE_EQ(canvas.FontZoom(), 100.0);
    EXPECT_TRUE(canvas.FontZoomActive());
    // Inverted drawing needs the buffer: windows are refreshed from it.
    EXPECT_FALSE(canvas.CanDrawInverted());
    TBitmap window(8, 8, pf32bit);
    canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, 8, 8});
    EXPECT_TRUE(canvas.CanDrawInverted());
}

TEST(GdiCanvas, PixelRoundSaturates)
{
    const struct {
        long double value;
        int expected;
    } cases[] = {
        {2.5L, 2},
        {3.5L, 4},
        {-2.5L, -2},
        {std::numeric_limits<long double>::quiet_NaN(), 0},
        {1e300L, std::numeric_limits<int>::max()},
        {-std::numeric_limits<long double>::infinity(), std::numeric_limits<int>::min()},
    };
    for (const auto& c : cases) EXPECT_EQ(PixelRound(c.value), c.expected) << static_cast<double>(c.value);
    // Rounded first, then moved: 2.5 + 1 is 3, not 4; far points stay at the end of the range.
    const struct {
        long double value, offset;
        int expected;
    } moved[] = {
        {2.5L, 1, 3},
        {3.5L, -1, 3},
        {std::numeric_limits<long double>::quiet_NaN(), 7, 7},
        {std::numeric_limits<long double>::infinity(), 100, std::numeric_limits<int>::max()},
        {-1e30L, -100, std::numeric_limits<int>::min()},
        {std::numeric_limits<int>::max() - 1.0L, 5, std::numeric_limits<int>::max()},
    };
    for (const auto& c : moved) EXPECT_EQ(PixelRoundAt(c.value, c.offset), c.expected) << static_cast<double>(c.value);
}

TEST(GdiCanvas, APerspectiveDenominatorOfZeroSaturates)
{
    // Rotation and elevation 0, perspective 60 over a chart one pixel wide: p = 0.5, so a point
    // 2 pixels in front of the centre has a denominator of exactly 0.
    TProjectionFixture f;
    f.options.SetOrthogonal(false);
    f.options.SetElevation(0);
    f.options.SetRotation(0);
    f.options.SetTilt(0);
    f.options.SetPerspective(60);
    f.options.SetHorizOffset(1000);
    f.Prepare({0, 0, 1, 10}, 4);
    const TPoint right = f.canvas.ProjectXYZ(5, 5, 0), centre = f.canvas.ProjectXYZ(0, 5, 0);
    EXPECT_EQ(right.X, std::numeric_limits<int>::max());
    EXPECT_EQ(right.Y, 5) << "no vertical offset: 0 times infinity gives the origin";
    EXPECT_EQ(centre.X, 1000);
    TPointFloat p{5, 5};
    f.canvas.ProjectXYZFloat(p, 0);
    EXPECT_EQ(PixelRound(p.X), std::numeric_limits<int>::max());
}

TEST(GdiCanvas, Projection)
{
    const struct {
        const char* name;
        std::function<void(TView3DOptions&)> setup;
        TRect chart;
        int depth;
        TPoint3D point;
        const char* expected;
    } cases[] = {
        {"orthogonal z = 0 ignores the angle",
         [](TView3DOptions& o) { o.SetOrthoAngle(80); },
         {0, 0, 100, 100},
         20,
         {10, 20, 0},
         "10,20"},
        {"orthogonal zoom about the centre",
         [](TView3DOptions& o) { o.SetZoom(200); },
         {0, 0, 100, 100},
         20,
         {10, 20, 0},
         "-30,-10"},
        {"orthogonal 45 moves depth right and up", [](TView3DOptions&) {}, {0, 0, 100, 100}, 20, {50, 50, 10}, "60,40"},
        {"OrthoAngle 90 steps up by 1",
         [](TView3DOptions& o) { o.SetOrthoAngle(90); },
         {0, 0, 100, 100},
         20,
         {50, 50, 10},
         "60,40"},
        {"OrthoAngle 135 steps left",
         [](TView3DOptions& o) { o.SetOrthoAngle(135); },
         {0, 0, 100, 100},
         20,
         {50, 50, 10},
         "40,40"},
        {"offsets move the origin",
         [](TView3DOptions& o) {
             o.SetHorizOffset(7);
             o.SetVertOffset(-3);
         },
         {0, 0, 100, 100},
         20,
         {50, 50, 0},
         "57,47"},
        {"2.5 rounds to 2, 3.5 to 4", [](TView3DOptions& o) { o.SetZoom(50); }, {0, 0, 0, 0}, 0, {5, 7, 0}, "2,4"},
        {"identity rotation scaled by zoom",
         [](TView3DOptions& o) {
             o.SetOrthogonal(false);
             o.SetElevation(0);
             o.SetRotation(0);
             o.SetPerspective(0);
             o.SetZoom(150);
         },
         {0, 0, 100, 100},
         20,
         {60, 40, 7},
         "65,35"},
        {"rotation by 90 turns depth into x",
         [](TView3DOptions& o) {
             o.SetOrthogonal(false);
             o.SetElevation(0);
             o.SetRotation(90);
             o.SetPerspective(0);
         },
         {0, 0, 100, 100},
         20,
         {50, 50, 30},
         "30,50"},
    };
    for (const auto& c : cases) {
        TProjectionFixture f;
        c.setup(f.options);
        f.Prepare(c.chart, c.depth);
        EXPECT_EQ(str(f.canvas.ProjectXYZ(c.point.X, c.point.Y, c.point.Z)), c.expected) << c.name;
    }
}

TEST(GdiCanvas, PerspectiveShrinksDistantPoints)
{
    TProjectionFixture f;
    f.options.SetOrthogonal(false);
    f.options.SetElevation(0);
    f.options.SetRotation(0);
    f.options.SetPerspective(50);
    f.Prepare({0, 0, 100, 100}, 100);
    const int nearX = f.canvas.ProjectXYZ(90, 50, 0).X, farX = f.canvas.ProjectXYZ(90, 50, 100).X;
    EXPECT_GT(nearX - 50, farX - 50);
    EXPECT_GT(farX, 50);

    f.options.SetPerspective(0);
    f.Prepare({0, 0, 100, 100}, 100);
    EXPECT_EQ(f.canvas.ProjectXYZ(90, 50, 0).X, f.canvas.ProjectXYZ(90, 50, 100).X);

    // A rect narrower than a pixel counts as one pixel wide.
    f.options.SetPerspective(60);
    f.Prepare({10, 0, 10, 100}, 100);
    EXPECT_TRUE(f.canvas.PerspectiveOn());
    EXPECT_DOUBLE_EQ(f.canvas.PerspectiveFactor(), 60.0 / 120);
}

TEST(GdiCanvas, UnprojectRoundTripsAndZoomZeroLeavesThePoint)
{
    TProjectionFixture f;
    f.options.SetZoom(130);
    f.Prepare({0, 0, 100, 80}, 30);
    TPoint p = f.canvas.ProjectXYZ(30, 40, 10);
    f.canvas.UnprojectXY(p.X, p.Y, 10);
    EXPECT_EQ(str(p), "30,40");

    // The rotated inverse is exact for an unturned view (it is approximate once turned).
    f.options.SetOrthogonal(false);
    f.options.SetElevation(0);
    f.options.SetRotation(0);
    f.options.SetPerspective(0);
    f.Prepare({0, 0, 100, 80}, 30);
    p = f.canvas.ProjectXYZ(30, 40, 10);
    f.canvas.UnprojectXY(p.X, p.Y, 10);
    EXPECT_EQ(str(p), "30,40");

    f.options.SetZoom(0);
    f.Prepare({0, 0, 100, 80}, 30);
    int x = 17, y = 23;
    f.canvas.UnprojectXY(x, y, 5);
    EXPECT_EQ(str({x, y}), "17,23");
}

TEST(GdiCanvas, FlatMode)
{
    // Orthogonal views project the same inside flat sections.
    TProjectionFixture f;
    f.Prepare({0, 0, 100, 100}, 20);
    const TPoint before = f.canvas.ProjectXYZ(50, 50, 10);
    f.canvas.PushFlatMode();
    EXPECT_EQ(str(f.canvas.ProjectXYZ(50, 50, 10)), str(before));
    f.canvas.PopFlatMode();

    // Rotated views leave integer points alone but still zoom float points.
    f.options.SetOrthogonal(false);
    f.options.SetZoom(200);
    f.Prepare({0, 0, 100, 100}, 20);
    f.canvas.PushFlatMode();
    EXPECT_FALSE(f.canvas.ProjectionOn());
    EXPECT_EQ(str(f.canvas.ProjectXYZ(60, 50, 10)), "60,50");
    TPointFloat q{60, 50};
    f.canvas.ProjectXYZFloat(q, 10);
    EXPECT_FLOAT_EQ(q.X, 70);
    EXPECT_FLOAT_EQ(q.Y, 50);
    f.canvas.PopFlatMode();
    EXPECT_TRUE(f.canvas.ProjectionOn());
}

TEST(GdiCanvas, BufferLifecycle)
{
    const struct {
        const char* name;
        std::function<std::string(TZebCanvas3D&, TBitmap& window)> run;
        const char* expected;
    } cases[] = {
        {"first paint creates the bitmap at the bounds, the second reuses it",
         [](TZebCanvas3D& c, TBitmap& w) {
             const TRect r = c.PrepareView(w.Canvas(), nullptr, clWhite, false, {5, 5, 25, 15});
             TBitmap* first = c.BufferBitmap();
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {5, 5, 25, 15});
             return str(r.BottomRight()) + " " + std::to_string(first->Width()) + "x" +
                    std::to_string(first->Height()) + " " + (c.BufferBitmap() == first ? "same" : "new");
         },
         "20,10 20x10 same"},
        {"a new canvas repaints nothing from its stale buffer",
         [](TZebCanvas3D& c, TBitmap&) { return std::string(c.RepaintFromBuffer() ? "copied" : "stale"); }, "stale"},
        {"flush copies at the rect's corner and validates the buffer",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
             c.SetPixelColor(1, 2, clRed);
             c.FlushBuffer(w.Canvas(), w.Canvas(), {3, 3, 7, 7});
             const bool copied = w.Canvas()->Pixels(4, 5) == clRed;
             const bool valid = c.RepaintFromBuffer();
             c.MarkBufferStale();
             return std::string(copied ? "copied" : "missing") + (valid ? " valid" : " stale") +
                    (c.RepaintFromBuffer() ? " valid" : " stale");
         },
         "copied valid stale"},
        {"copy of another size is refused",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
             c.FlushBuffer(w.Canvas(), w.Canvas(), {0, 0, 4, 4});
             TBitmap target(1, 1, pf32bit);
             TGraphic* g = &target;
             const bool other = c.CopyBufferTo(g, {0, 0, 5, 4});
             const int keptWidth = target.Width();
             const bool same = c.CopyBufferTo(g, {0, 0, 4, 4});
             return std::to_string(other) + std::to_string(keptWidth) + std::to_string(same) +
                    std::to_string(target.Width());
         },
         "0114"},
        {"external drawing keeps the bitmap when buffering goes off",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
             TBitmap* bitmap = c.BufferBitmap();
             c.SetExternalDrawing(true);
             c.SetBuffered(false);
             const bool kept = c.BufferBitmap() == bitmap;
             c.SetBuffered(true);
             return std::string(kept ? "kept" : "freed") +
                    (c.TargetCanvas() == bitmap->Canvas() ? " rebound" : " unbound");
         },
         "kept rebound"},
        {"buffering off frees the bitmap and marks it stale",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
             c.FlushBuffer(w.Canvas(), w.Canvas(), {0, 0, 4, 4});
             c.SetBuffered(false);
             return std::string(c.BufferBitmap() ? "kept" : "freed") + (c.BufferStale() ? " stale" : " valid") +
                    (c.TargetCanvas() ? " bound" : " unbound");
         },
         "freed stale unbound"},
        {"unbuffered paints bind the window and return the bounds",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.SetBuffered(false);
             const TRect r = c.PrepareView(w.Canvas(), nullptr, clWhite, false, {2, 3, 9, 9});
             return str(r.TopLeft()) + " " + (c.TargetCanvas() == w.Canvas() ? "window" : "other") +
                    (c.GetBackgroundMode() == OPAQUE ? " opaque" : " transparent");
         },
         "2,3 window opaque"},
        {"a monochrome change marks the buffer stale, the same value does nothing",
         [](TZebCanvas3D& c, TBitmap& w) {
             c.PrepareView(w.Canvas(), nullptr, clWhite, false, {0, 0, 4, 4});
             c.FlushBuffer(w.Canvas(), w.Canvas(), {0, 0, 4, 4});
             c.SetMonochromeMode(false);
             const bool afterSame = c.BufferStale();
             c.SetMonochromeMode(true);
             return std::to_string(afterSame) + std::to_string(c.BufferStale());
         },
         "01"},
    };
    for (const auto& c : cases) {
        TZebCanvas3D canvas;
        TBitmap window(30, 30, pf32bit);
        EXPECT_EQ(c.run(canvas, window), c.expected) << c.name;
    }
}

TEST(GdiCanvas, LineToCachedWithoutCacheDrawsOnTheCurrentDevice)
{
    TZebCanvas3D canvas;
    TBitmap window(10, 10, pf32bit);
    canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, 10, 10});
    canvas.MoveTo(0, 4);
    canvas.LineToCached(9, 4);
    EXPECT_EQ(canvas.GetPixelColor(5, 4), clBlack);

    // A remembered device keeps receiving the lines after the canvas binds another one.
    canvas.CacheDeviceContext(true);
    TBitmap other(10, 10, pf32bit);
    HDC buffer = canvas.GetDeviceContext();
    canvas.BindCanvas(other.Canvas());
    buffer->MoveTo(0, 6);
    canvas.LineToCached(9, 6);
    EXPECT_EQ(static_cast<TColor>(buffer->GetPixel(5, 6)), clBlack);
    EXPECT_NE(other.Canvas()->Pixels(5, 6), clBlack);
}

// ---- gradients, clips and 2-D shapes on small bitmaps ----

#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"

namespace {

// A buffered canvas over a white w x h bitmap.
struct TPixelFixture {
    TZebCanvas3D canvas;
    TBitmap window;
    TPixelFixture(int w, int h) : window(w, h, pf32bit)
    {
        canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, w, h});
        canvas.GetDeviceContext()->FillRect({0, 0, w, h}, clWhite);
    }
    // Read from the bitmap's memory: the device answers nothing outside its clip.
    TColor At(int x, int y)
    {
        const Byte* p = canvas.BufferBitmap()->ScanLine(y) + 4 * x;
        return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
    }
    void FillAll(TColor color) { canvas.GetDeviceContext()->FillRect({0, 0, 100, 100}, color); }
};

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

}  // namespace

// A line selects its pen for every segment; whatever changed the pens in between (a shape
// selecting one on the device context directly, the canvas's or the target's pen set), selecting
// it again must draw with it.
TEST(GdiCanvas, SelectingTheSamePenAgainDrawsWithItWhateverChangedMeanwhile)
{
    const struct {
        const char* name;
        std::function<void(TZebCanvas3D&)> meanwhile;
        TColor again;
    } cases[] = {
        {"nothing", [](TZebCanvas3D&) {}, clRed},
        {"a thin pen on the context", [](TZebCanvas3D& c) { c.GetDeviceContext()->SelectPen({PS_SOLID, 1, clBlack, {}}); },
         clRed},
        {"the canvas's pen", [](TZebCanvas3D& c) { c.Pen()->SetColor(clBlue); }, clRed},
        {"the target's pen", [](TZebCanvas3D& c) { c.TargetCanvas()->Pen()->SetWidth(1); }, clRed},
        {"another colour", [](TZebCanvas3D&) {}, clGreen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPixelFixture f(40, 20);
        TZebPen line;
        line.SetWidth(3);
        line.SetColor(clRed);
        f.canvas.SelectPen(line, clRed);
        f.canvas.MoveTo(2, 5);
        f.canvas.LineTo(30, 5);
        c.meanwhile(f.canvas);
        f.canvas.SelectPen(line, c.again);
        f.canvas.MoveTo(2, 14);
        f.canvas.LineTo(30, 14);
        for (int y = 12; y <= 16; ++y) EXPECT_EQ(f.At(15, y), y == 12 || y == 16 ? clWhite : c.again) << y;
    }
}

TEST(GdiCanvasGradient, TopBottomBands)
{
    {
        TPixelFixture f(4, 1);
        f.canvas.FillRectGradient({0, 0, 4, 1}, clRed, clBlue, gdTopBottom, 50, 0, 0);
        EXPECT_EQ(f.At(0, 0), clWhite) << "one pixel high paints nothing";
    }
    {
        TPixelFixture f(4, 2);
        f.canvas.FillRectGradient({0, 0, 4, 2}, clRed, clBlue, gdTopBottom, 50, 0, 0);
        EXPECT_EQ(f.At(0, 1), clRed) << "the start colour is on the bottom row";
        EXPECT_EQ(f.At(3, 0), clBlue);
    }
    {
        TPixelFixture f(1, 300);
        f.canvas.FillRectGradient({0, 0, 1, 300}, clBlack, clWhite, gdTopBottom, 50, 0, 0);
        std::set<TColor> colors;
        for (int y = 0; y < 300; ++y) colors.insert(f.At(0, y));
        EXPECT_EQ(colors.size(), 256u);
    }
    {
        // Balance 50 with n = 4: start at band 0, the end colour exactly at band 4.
        TPixelFixture f(1, 5);
        f.canvas.FillRectGradient({0, 0, 1, 5}, Rgb(0, 0, 0), Rgb(200, 100, 7), gdTopBottom, 50, 0, 0);
        EXPECT_EQ(f.At(0, 4), Rgb(0, 0, 0));
        EXPECT_EQ(f.At(0, 2), Rgb(100, 50, 3));
        EXPECT_EQ(f.At(0, 0), Rgb(200, 100, 7));
    }
    {
        TPixelFixture f(5, 1);
        f.canvas.FillRectGradient({0, 0, 5, 1}, clRed, clBlue, gdLeftRight, 50, 0, 0);
        EXPECT_EQ(f.At(4, 0), clRed) << "left-right starts at the right edge";
        EXPECT_EQ(f.At(0, 0), clBlue);
        f.canvas.FillRectGradient({0, 0, 5, 1}, clRed, clBlue, gdRightLeft, 50, 0, 0);
        EXPECT_EQ(f.At(0, 0), clRed);
    }
}

TEST(GdiCanvasGradient, RingsCornersAndDiagonals)
{
    {
        TPixelFixture f(5, 5);
        f.canvas.FillRectGradient({0, 0, 5, 5}, clRed, clBlue, gdFromCenter, 50, 0, 0);
        EXPECT_EQ(f.At(0, 0), clBlue) << "the outer ring";
        EXPECT_EQ(f.At(4, 2), clBlue);
        EXPECT_EQ(f.At(2, 2), clRed) << "the centre";
    }
    {
        TPixelFixture f(6, 6);
        f.canvas.FillRectGradient({0, 0, 6, 6}, clRed, clBlue, gdFromTopLeft, 50, 0, 0);
        int white = 0;
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) white += f.At(x, y) == clWhite;
        EXPECT_EQ(white, 0) << "the L-bands cover the rect";
    }
    {
        TPixelFixture f(8, 8);
        f.canvas.FillRectGradient({0, 0, 10000, 10000}, clRed, clBlue, gdDiagonalUp, 50, 0, 0);
        EXPECT_EQ(f.At(3, 3), clWhite) << "no diagonal above 67,108,864 pixels";
        f.canvas.FillRectGradient({0, 0, 8, 8}, clRed, clBlue, gdDiagonalUp, 50, 0, 0);
        EXPECT_EQ(f.At(0, 7), clRed) << "the diagonal starts at the bottom-left corner";
        EXPECT_NE(f.At(7, 0), clWhite);
    }
}

TEST(GdiCanvasGradient, PainterSplitsAtTheMiddleColourAndGreysInMonochrome)
{
    const struct {
        TGradientDirection direction;
        TPoint startAt, middleAt, endAt;
    } cases[] = {
        {gdTopBottom, {0, 9}, {0, 5}, {0, 0}},
        {gdBottomTop, {0, 0}, {0, 4}, {0, 9}},
        {gdLeftRight, {9, 0}, {5, 0}, {0, 0}},
        {gdRightLeft, {0, 0}, {4, 0}, {9, 0}},
    };
    for (const auto& c : cases) {
        TPixelFixture f(10, 10);
        TZebGradient g;
        g.SetDirection(c.direction);
        g.SetStartColor(clRed);
        g.SetMidColor(clLime);
        g.SetEndColor(clBlue);
        f.canvas.PaintGradient(g, {0, 0, 10, 10});
        EXPECT_EQ(f.At(c.startAt.X, c.startAt.Y), clRed) << c.direction;
        EXPECT_EQ(f.At(c.middleAt.X, c.middleAt.Y), clLime) << c.direction;
        EXPECT_EQ(f.At(c.endAt.X, c.endAt.Y), clBlue) << c.direction;
    }
    TPixelFixture f(4, 4);
    f.canvas.SetMonochromeMode(true);
    TZebGradient g;
    g.SetDirection(gdTopBottom);
    g.SetStartColor(clRed);
    g.SetEndColor(clBlue);
    f.canvas.PaintGradient(g, {0, 0, 4, 4});
    EXPECT_EQ(f.At(0, 3), Rgb(85, 85, 85));
}

TEST(GdiCanvasClip, NestedClipsRestoreInTurn)
{
    TPixelFixture f(20, 20);
    f.canvas.ClipToRect({0, 0, 10, 10});
    f.canvas.ClipToRect({5, 5, 20, 20});
    f.FillAll(clRed);
    EXPECT_EQ(f.At(7, 7), clRed);
    EXPECT_EQ(f.At(3, 3), clWhite);
    f.canvas.RemoveClip();
    f.FillAll(clBlue);
    EXPECT_EQ(f.At(3, 3), clBlue);
    EXPECT_EQ(f.At(15, 15), clWhite) << "the first clip is back";
    f.canvas.RemoveClip();
    f.FillAll(clLime);
    EXPECT_EQ(f.At(15, 15), clLime) << "no clip at all";
}

// An element's transform moves and scales what it draws, clipped to its bounds when asked; the
// end of the element gives back the plain mapping and the clip.
TEST(GdiCanvasClip, AnElementTransformSlidesAndScalesItsDrawing)
{
    struct Case {
        const char* name;
        TZebTransform transform;
        TPoint inside, outside;  // pixels the square at 10..20 covers, and one it leaves
    };
    TZebTransform slide;
    slide.Enabled = true;
    slide.TranslateX = 20, slide.TranslateY = 5;
    TZebTransform zoom;
    zoom.Enabled = true;
    zoom.CenterX = 10, zoom.CenterY = 10, zoom.ScaleX = 2, zoom.ScaleY = 2;
    TZebTransform clipped = zoom;
    clipped.Clip = true;
    clipped.Bounds = {0, 0, 25, 25};
    TZebTransform off = slide;
    off.Enabled = false;
    for (const Case& k : {Case{"slide", slide, {35, 20}, {15, 15}}, Case{"zoom", zoom, {28, 28}, {5, 5}},
                          Case{"clipped zoom", clipped, {22, 22}, {28, 28}}, Case{"disabled", off, {15, 15}, {35, 20}}}) {
        SCOPED_TRACE(k.name);
        TPixelFixture f(40, 40);
        TZebTransform t = k.transform;
        f.canvas.BeginElement("Legend", nullptr, &t);
        f.canvas.GetDeviceContext()->FillRect({10, 10, 20, 20}, clRed);
        f.canvas.EndElement();
        EXPECT_EQ(f.At(k.inside.X, k.inside.Y), clRed);
        EXPECT_EQ(f.At(k.outside.X, k.outside.Y), clWhite);
        f.FillAll(clBlue);
        EXPECT_EQ(f.At(39, 39), clBlue) << "plain mapping, no clip";
        EXPECT_EQ(f.canvas.GetDeviceContext()->GetMapMode(), MM_TEXT);
    }
}

TEST(GdiCanvasClip, ExclusionAndExclusiveOr)
{
    {
        TPixelFixture f(20, 20);
        const TPoint square[] = {{5, 5}, {15, 5}, {15, 15}, {5, 15}};
        f.canvas.ClipToPolygon(square, true);
        f.FillAll(clRed);
        f.canvas.RemoveClip();
        EXPECT_EQ(f.At(10, 10), clWhite);
        EXPECT_EQ(f.At(2, 2), clRed);
    }
    {
        TPixelFixture f(20, 20);
        f.canvas.ClipToEllipse({0, 0, 20, 20}, true);
        f.FillAll(clRed);
        f.canvas.RemoveClip();
        EXPECT_EQ(f.At(10, 10), clWhite) << "the ellipse is taken out of the whole surface";
        EXPECT_EQ(f.At(0, 0), clRed);
    }
}

TEST(GdiCanvasClip, TwoCanvasesNestClipsWithoutDisturbingEachOther)
{
    TPixelFixture a(20, 20), b(20, 20);
    a.canvas.ClipToRect({0, 0, 10, 10});
    b.canvas.ClipToRect({0, 0, 10, 10});
    a.canvas.ClipToRect({0, 0, 5, 5});
    b.canvas.ClipToRect({10, 10, 20, 20});  // empty inside b's first clip
    b.canvas.RemoveClip();
    b.canvas.RemoveClip();
    a.canvas.RemoveClip();
    a.FillAll(clRed);
    b.FillAll(clBlue);
    EXPECT_EQ(a.At(7, 7), clRed);
    EXPECT_EQ(a.At(15, 15), clWhite) << "a keeps its first clip";
    EXPECT_EQ(b.At(15, 15), clBlue) << "b has no clip left";
    a.canvas.RemoveClip();
}

TEST(GdiCanvasShapes, PiesAndDonuts)
{
    const auto filled = [](TPixelFixture& f, int x, int y) { return f.At(x, y) == clRed; };
    {
        TPixelFixture f(41, 41);
        f.canvas.Brush()->SetColor(clRed);
        f.canvas.PieByAngles({0, 0, 40, 40}, 0, 360);
        EXPECT_TRUE(filled(f, 10, 30)) << "a full turn is an ellipse";
    }
    {
        TPixelFixture f(41, 41);
        f.canvas.Brush()->SetColor(clRed);
        f.canvas.PieByAngles({0, 0, 40, 40}, 0, 359.97);
        EXPECT_TRUE(filled(f, 30, 22)) << "almost a full turn is an ellipse too";
    }
    {
        TPixelFixture f(41, 41);
        f.canvas.Brush()->SetColor(clRed);
        f.canvas.PieByAngles({0, 0, 40, 40}, 10, 10);
        EXPECT_FALSE(filled(f, 10, 30)) << "equal angles draw only the radius";
        EXPECT_EQ(f.At(25, 19), clBlack);
    }
    {
        TPixelFixture f(41, 41);
        f.canvas.Brush()->SetColor(clRed);
        f.canvas.Pie(0, 0, 40, 40, 40, 20, 40, 20);
        EXPECT_EQ(f.At(20, 20), clWhite) << "equal radial points draw nothing";
    }
    {
        TPixelFixture f(41, 41);
        f.canvas.Brush()->SetColor(clRed);
        f.canvas.DrawDonutSlice(20, 20, 18, 18, 0, 2 * 3.14159265358979, 0);
        EXPECT_TRUE(filled(f, 20, 22)) << "P = 0: a pie without a hole";
        f.canvas.GetDeviceContext()->FillRect({0, 0, 41, 41}, clWhite);
        f.canvas.DrawDonutSlice(20, 20, 18, 18, 0, 2 * 3.14159265358979, 50);
        EXPECT_FALSE(filled(f, 20, 22)) << "a full ring keeps its hole";
        EXPECT_TRUE(filled(f, 20, 33));
        EXPECT_TRUE(filled(f, 20, 7));
    }
}

TEST(GdiCanvasShapes, AnglesReduceByRemainder)
{
    EXPECT_EQ(ReduceAngle(720), 360);
    EXPECT_EQ(ReduceAngle(400), 40);
    EXPECT_EQ(ReduceAngle(-90), -90);
    EXPECT_TRUE(std::isnan(ReduceAngle(std::numeric_limits<double>::infinity())));
    const double huge = ReduceAngle(1e300);
    EXPECT_TRUE(huge > 0 && huge <= 360) << huge;
    TPixelFixture f(20, 20);
    f.canvas.RotatedTextOut(2, 2, "W", std::numeric_limits<double>::infinity(), false);  // returns at once
    EXPECT_EQ(f.At(5, 8), clWhite);
}

TEST(GdiCanvasShapes, NilAndEmptyGraphicsDrawNothing)
{
    TPixelFixture f(10, 10);
    TBitmap empty;
    f.canvas.DrawGraphic(0, 0, nullptr);
    f.canvas.DrawGraphic(0, 0, &empty);
    f.canvas.StretchGraphic({0, 0, 10, 10}, nullptr);
    f.canvas.StretchGraphic({0, 0, 10, 10}, &empty);
    EXPECT_EQ(f.At(5, 5), clWhite);

    TBitmap red(2, 2, pf32bit);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 2, 2});
    f.canvas.StretchGraphic({2, 2, 8, 8}, &red);
    EXPECT_EQ(f.At(5, 5), clRed) << "high quality resamples into the rect";
    EXPECT_EQ(f.At(1, 1), clWhite);
}

// ---- 3-D solids ----


namespace {

// Keeps the point counts of the polygons drawn, and draws them.
class TPolygonLog : public TZebCanvas3D {
public:
    std::vector<std::size_t> Polygons;
    std::vector<std::vector<TPoint>> Shapes;
    std::vector<TColor> PenColors, BrushColors;
    void Polygon(std::span<const TPoint> points) override
    {
        PenColors.push_back(Pen()->Color());
        BrushColors.push_back(Brush()->Color());
        Polygons.push_back(points.size());
        Shapes.emplace_back(points.begin(), points.end());
        TZebCanvas3D::Polygon(points);
    }
};

struct TSolidFixture {
    TPolygonLog canvas;
    TView3DOptions options;
    TBitmap window{120, 120, pf32bit};
    explicit TSolidFixture(bool orthogonal = true)
    {
        options.SetOrthogonal(orthogonal);
        canvas.PrepareView(window.Canvas(), &options, clWhite, true, {0, 0, 120, 120});
        canvas.SetupProjection(40, {0, 0, 120, 120}, {0, 0, 120, 120});
        canvas.GetDeviceContext()->FillRect({0, 0, 120, 120}, clWhite);
        canvas.Brush()->SetColor(clRed);
    }
};

}  // namespace

TEST(GdiCanvasSolids, BoxFaces)
{
    {
        TSolidFixture f;
        f.canvas.DrawBox(30, 70, 40, 80, 0, 20, false, 0);
        EXPECT_EQ(f.canvas.Polygons.size(), 3u) << "front, right and top in the default view";
    }
    {
        TSolidFixture f;
        f.canvas.Brush()->SetStyle(bsClear);
        f.canvas.DrawBox(30, 70, 40, 80, 0, 20, false, 0);
        EXPECT_EQ(f.canvas.Polygons.size(), 5u) << "a clear brush outlines all but the back";
    }
}

TEST(GdiCanvasSolids, ConesCylindersEllipsesAndArrows)
{
    {
        TSolidFixture f;
        f.canvas.DrawTaperedCylinder(true, 30, 20, 70, 90, 0, 20, false, 0);
        ASSERT_FALSE(f.canvas.Polygons.empty());
        // A cone: the body runs along half the base circle to the apex.
        EXPECT_EQ(f.canvas.Polygons.front(), static_cast<std::size_t>(CylinderSideCount / 2 + 2));
    }
    {
        TSolidFixture f;
        f.canvas.DrawTaperedCylinder(true, 30, 20, 70, 90, 0, 20, false, 50);
        const TColor top = f.canvas.GetPixelColor(50 + 10, 20 - 10);
        EXPECT_NE(top, clWhite) << "the half-size top cap";
        EXPECT_EQ(f.canvas.GetPixelColor(50 + 10 + 17, 20 - 10), clWhite) << "nothing beyond the half radius";
    }
    {
        // A horizontal cylinder in the default view: its far end (x = right) is capped, the near
        // one hidden behind the body.
        TSolidFixture f;
        f.canvas.DrawTaperedCylinder(false, 20, 40, 100, 80, 0, 20, false, 100);
        EXPECT_NE(f.canvas.GetPixelColor(113, 47), clWhite) << "the far cap";
        EXPECT_EQ(f.canvas.GetPixelColor(14, 66), clWhite) << "nothing beyond the near end";
    }
    {
        TSolidFixture f;
        f.canvas.PushFlatMode();
        f.canvas.EllipseAtZ(10, 10, 20, 20, 0);
        f.canvas.PopFlatMode();
        // Orthogonal views ignore flat mode; a rotated flat view draws one pixel larger.
        TSolidFixture g(false);
        g.canvas.PushFlatMode();
        g.canvas.EllipseAtZ(10, 10, 20, 20, 0);
        g.canvas.PopFlatMode();
        EXPECT_NE(g.canvas.GetPixelColor(20, 15), clWhite);
        EXPECT_EQ(f.canvas.GetPixelColor(30, 5), clWhite);
    }
    {
        TSolidFixture f;
        f.canvas.DrawArrowAtZ(true, {10, 10}, {10, 10}, 8, 8, 0, 0, 50);
        EXPECT_TRUE(f.canvas.Polygons.empty()) << "equal points draw no arrow";
    }
}

TEST(GdiCanvasSolids, PieSlices)
{
    const double pi = 3.14159265358979323846;
    {
        TSolidFixture f(false);
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = 0, s.EndAngle = 2 * pi;
        f.canvas.DrawSolidPieSlice(s);
        // Two outer walls and the disc: no start or end sides.
        for (std::size_t n : f.canvas.Polygons) EXPECT_NE(n, 4u);
        EXPECT_EQ(f.canvas.Polygons.size(), 3u);
    }
    // One slice per quadrant: both sides (four points) and the top face last.
    for (int q = 0; q < 4; ++q) {
        TSolidFixture f(false);
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = q * pi / 2 + 0.1, s.EndAngle = (q + 1) * pi / 2 - 0.1;
        f.canvas.DrawSolidPieSlice(s);
        int sides = 0;
        for (std::size_t n : f.canvas.Polygons) sides += n == 4;
        EXPECT_EQ(sides, 2) << q;
        EXPECT_GT(f.canvas.Polygons.back(), 4u) << q;
    }
    TSolidFixture f(false);
    TSolidPieSlice s;
    s.StartAngle = std::numeric_limits<double>::infinity();
    f.canvas.DrawSolidPieSlice(s);
    EXPECT_TRUE(f.canvas.Polygons.empty());
}

// Dark sides shade the side faces by 32, the brush and a pen of the slice's colour; a pen of
// another colour and the top face keep theirs.
TEST(GdiCanvasSolids, DarkPieSidesShadeBrushAndAPenOfTheSlicesColour)
{
    const double pi = 3.14159265358979323846;
    const TColor slice = static_cast<TColor>(0x4080C0), dark = static_cast<TColor>(0x2060A0);
    const struct {
        const char* name;
        bool darkSides;
        TColor pen, sidePen, sideBrush;
    } cases[] = {
        {"pen of the slice's colour", true, slice, dark, dark},
        {"black pen", true, clBlack, clBlack, dark},
        {"flat sides", false, slice, slice, slice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TSolidFixture f(false);
        f.canvas.Brush()->SetColor(slice);
        f.canvas.Pen()->SetColor(c.pen);
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = pi + 0.1, s.EndAngle = 3 * pi / 2 - 0.1;
        s.DarkSides = c.darkSides;
        f.canvas.DrawSolidPieSlice(s);
        ASSERT_GE(f.canvas.Polygons.size(), 3u);
        const std::size_t top = f.canvas.Polygons.size() - 1;
        for (std::size_t i = 0; i < top; ++i) {
            EXPECT_EQ(f.canvas.PenColors[i], c.sidePen) << i;
            EXPECT_EQ(f.canvas.BrushColors[i], c.sideBrush) << i;
        }
        EXPECT_EQ(f.canvas.PenColors[top], c.pen);
        EXPECT_EQ(f.canvas.BrushColors[top], slice);
        EXPECT_EQ(f.canvas.Pen()->Color(), c.pen) << "restored";
    }
}

TEST(GdiCanvasSolids, PieSliceSidesFollowTheOrderTable)
{
    // S start side, E end side, W outer wall; the top face comes last. Nearer parts go later.
    const double pi = 3.14159265358979323846;
    const struct {
        double start, end;
        const char* order;
    } cases[] = {
        {0.1, pi / 2 - 0.1, "ES"},                // back right: centre left of both ends
        {pi / 2 + 0.1, pi - 0.1, "SE"},           // back left: centre right of both ends
        {pi + 0.1, 3 * pi / 2 - 0.1, "SWE"},      // front left
        {3 * pi / 2 + 0.1, 2 * pi - 0.1, "EWS"},  // front right
        {pi - 0.5, 2 * pi + 0.5, "SEW"},          // more than half, through the front
    };
    for (const auto& c : cases) {
        TSolidFixture f(false);
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = c.start, s.EndAngle = c.end;
        f.canvas.DrawSolidPieSlice(s);
        ASSERT_FALSE(f.canvas.Shapes.empty());
        const std::vector<TPoint>& top = f.canvas.Shapes.back();
        std::string order;
        for (std::size_t i = 0; i + 1 < f.canvas.Shapes.size(); ++i) {
            const std::vector<TPoint>& p = f.canvas.Shapes[i];
            if (p.size() == 4 && p[1] == top.front())
                order += 'S';
            else if (p.size() == 4 && p[1] == top[top.size() - 2])
                order += 'E';
            else
                order += 'W';
        }
        EXPECT_EQ(order, c.order) << c.start << " .. " << c.end;
    }
}

TEST(GdiCanvasSolids, PieSliceAsksForTheGlossOverlay)
{
    // Canvases that paint a gloss over slices get the call after the top face.
    class TOverlayLog : public TZebCanvas3D {
    public:
        std::vector<std::string> Calls;
        void DrawShineOverlay(int style, int z, const TRect& outer, const TRect& band, const TRect& inner,
                              int startAngle, int endAngle, TPoint center, bool donut) override
        {
            (void)z, (void)band, (void)inner, (void)center;
            Calls.push_back(std::to_string(style) + " " + std::to_string(outer.Right - outer.Left) + " " +
                            std::to_string(startAngle) + ".." + std::to_string(endAngle) + (donut ? " donut" : ""));
        }
    };
    TObject gloss;
    const struct {
        TObject* overlay;
        int style, donut;
        const char* call;  // empty: none
    } cases[] = {
        {nullptr, 2, 0, ""},
        {nullptr, 0, 0, "0 80 57..115"},
        {&gloss, 2, 50, "2 80 57..115 donut"},
    };
    for (const auto& c : cases) {
        TOverlayLog canvas;
        TView3DOptions options;
        TBitmap window(120, 120, pf32bit);
        canvas.PrepareView(window.Canvas(), &options, clWhite, true, {0, 0, 120, 120});
        canvas.SetupProjection(40, {0, 0, 120, 120}, {0, 0, 120, 120});
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = 1, s.EndAngle = 2;
        s.Overlay = c.overlay, s.OverlayStyle = c.style, s.DonutPercent = c.donut;
        canvas.DrawSolidPieSlice(s);
        EXPECT_EQ(canvas.Calls, c.call[0] ? std::vector<std::string>{c.call} : std::vector<std::string>{});
    }
}

TEST(GdiCanvasSolids, PieSliceBevelRing)
{
    const TColor lighter = Rgb(255, 60, 60), darker = Rgb(195, 0, 0);
    const struct {
        int bevelPercent, brightness;
        bool border;
        int lighterPixels, darkerPixels;  // -1: some
    } cases[] = {
        {0, 60, false, 0, 0},
        {50, 60, false, -1, 0},
        {50, -60, false, 0, -1},
        {50, 60, true, -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bevelPercent * 1000 + c.brightness);
        TSolidFixture f(false);
        TSolidPieSlice s;
        s.CenterX = 60, s.CenterY = 50, s.RadiusX = 40, s.RadiusY = 30, s.Z0 = 0, s.Z1 = 10;
        s.StartAngle = 3.5, s.EndAngle = 5.9;  // the front
        s.BevelPercent = c.bevelPercent, s.BevelBrightness = c.brightness, s.BevelBorder = c.border;
        f.canvas.DrawSolidPieSlice(s);
        int light = 0, dark = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x) {
                const TColor px = f.canvas.GetPixelColor(x, y);
                light += px == lighter, dark += px == darker;
            }
        if (c.lighterPixels < 0)
            EXPECT_GT(light, 20);
        else
            EXPECT_EQ(light, c.lighterPixels);
        if (c.darkerPixels < 0)
            EXPECT_GT(dark, 20);
        else
            EXPECT_EQ(dark, c.darkerPixels);
        // The ring: one more polygon; its outline only with a border.
        if (c.bevelPercent > 0) {
            TSolidFixture g(false);
            s.BevelPercent = 0;
            g.canvas.DrawSolidPieSlice(s);
            EXPECT_EQ(f.canvas.Polygons.size(), g.canvas.Polygons.size() + 1);
        }
    }
}

TEST(GdiCanvasSolids, SetPixelAtZDrawsADotOfTheWidePen)
{
    const struct {
        int width;
        int red, blue;  // pixels of the given colour and of the pen's
    } cases[] = {{1, 1, 0}, {5, 0, -1}};
    for (const auto& c : cases) {
        TSolidFixture f;
        TZebPen pen;
        pen.SetColor(clBlue);
        pen.SetWidth(c.width);
        f.canvas.UsePen(pen);
        f.canvas.SetPixelAtZ(60, 60, 0, clRed);
        int red = 0, blue = 0;
        TRect ink{120, 120, 0, 0};
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x) {
                const TColor px = f.canvas.GetPixelColor(x, y);
                red += px == clRed, blue += px == clBlue;
                if (px != clWhite)
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
            }
        EXPECT_EQ(red, c.red) << c.width;
        if (c.blue < 0) {
            EXPECT_GT(blue, 9) << c.width;
            EXPECT_LE(ink.Right - ink.Left, c.width + 1);
            EXPECT_LE(ink.Bottom - ink.Top, c.width + 1);
            EXPECT_TRUE(PtInRect(ink, {60, 60}));
        } else {
            EXPECT_EQ(blue, c.blue) << c.width;
        }
    }
}

// ---- text ----

#include "chart/canvas/Shadow.h"

namespace {
// The leftmost column holding a pixel of the colour; -1 when none.
int LeftmostColumn(TZebCanvas3D& canvas, int width, int height, TColor color)
{
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (canvas.GetPixelColor(x, y) == color) return x;
    return -1;
}
}  // namespace

TEST(GdiCanvasText, ShadowSizesMoveTheShadowOrTheText)
{
    const struct {
        int horizSize;
        int shadowShift, textShift;  // against the text drawn without a shadow
    } cases[] = {{4, 4, 0}, {-4, 0, 4}};
    TPixelFixture plain(60, 30);
    plain.canvas.Font()->SetColor(clRed);
    plain.canvas.Font()->SetSize(14);
    plain.canvas.Font()->SetQuality(TZebFontQuality::fqNormal);
    plain.canvas.SetBackgroundMode(TRANSPARENT);
    plain.canvas.TextOut(10, 5, "I");
    const int base = LeftmostColumn(plain.canvas, 60, 30, clRed);
    ASSERT_GE(base, 0);
    for (const auto& c : cases) {
        TPixelFixture f(60, 30);
        f.canvas.Font()->SetColor(clRed);
        f.canvas.Font()->SetSize(14);
        f.canvas.Font()->SetQuality(TZebFontQuality::fqNormal);
        TZebShadow& shadow = *f.canvas.Font()->Shadow();
        shadow.SetVisible(true);
        shadow.SetColor(clBlue);
        shadow.SetHorizSize(c.horizSize);
        shadow.SetVertSize(0);
        shadow.SetTransparency(0);
        shadow.SetSmooth(false);  // the blur would leave no pixel of the pure colour
        f.canvas.SetBackgroundMode(TRANSPARENT);
        f.canvas.TextOut(10, 5, "I");
        EXPECT_EQ(LeftmostColumn(f.canvas, 60, 30, clRed), base + c.textShift) << c.horizSize;
        EXPECT_EQ(LeftmostColumn(f.canvas, 60, 30, clBlue), base + c.shadowShift) << c.horizSize;
    }
}

TEST(GdiCanvasText, SmoothTextShadowsAreBlurred)
{
    // Without antialiasing a plain shadow has only its own colour; a smooth one has blends.
    for (bool smooth : {false, true}) {
        TPixelFixture f(60, 30);
        f.canvas.Font()->SetColor(clRed);
        f.canvas.Font()->SetSize(14);
        f.canvas.Font()->SetQuality(TZebFontQuality::fqNormal);
        TZebShadow& shadow = *f.canvas.Font()->Shadow();
        shadow.SetVisible(true);
        shadow.SetColor(clBlue);
        shadow.SetSize(6);
        shadow.SetTransparency(0);
        shadow.SetSmooth(smooth);
        f.canvas.SetBackgroundMode(TRANSPARENT);
        f.canvas.TextOut(10, 2, "H");
        std::set<TColor> colours;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x) colours.insert(f.At(x, y));
        colours.erase(clWhite), colours.erase(clRed), colours.erase(clBlue);
        EXPECT_EQ(colours.empty(), !smooth) << colours.size();
        EXPECT_EQ(f.canvas.GetDeviceContext()->GetBkMode(), TRANSPARENT);
    }
}

TEST(GdiCanvasText, AGradientFilledOutlineWidensTheTextInsteadOfStrokingIt)
{
    for (bool outlineGradient : {false, true}) {
        TPixelFixture f(80, 40);
        f.canvas.Font()->SetSize(20);
        f.canvas.Font()->SetColor(clRed);
        TZebGradient& g = *f.canvas.Font()->Brush()->Gradient();
        g.SetStartColor(clRed);
        g.SetEndColor(clBlue);
        g.SetVisible(true);
        TZebHiddenPen& outline = *f.canvas.Font()->OutLine();
        outline.SetVisible(true);
        outline.SetWidth(4);
        outline.SetColor(clLime);
        if (outlineGradient) outline.Fill()->Gradient()->SetVisible(true);
        f.canvas.SetBackgroundMode(TRANSPARENT);
        f.canvas.TextOut(10, 2, "H");
        int lime = 0, painted = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 80; ++x) lime += f.At(x, y) == clLime, painted += f.At(x, y) != clWhite;
        EXPECT_GT(painted, 50);
        EXPECT_EQ(lime == 0, outlineGradient) << lime;
    }
}

TEST(GdiCanvasShadow, SmoothShadowsBlurIntoTheBuffer)
{
    // A black shadow of (20, 20, 60, 50): blurred, its edge column is grey and its middle black;
    // plain, the edge is as black as the middle.
    const TPoint triangle[] = {{20, 50}, {60, 50}, {40, 20}};
    const struct {
        const char* name;
        bool smooth, metafiling, polygon;
        bool softEdge;
    } cases[] = {
        {"smooth rectangle", true, false, false, true},
        {"smooth polygon", true, false, true, true},
        {"plain", false, false, false, false},
        {"smooth into a metafile", true, true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TPixelFixture f(80, 70);
        f.canvas.SetMetafiling(c.metafiling);
        TZebShadow shadow;
        shadow.SetColor(clBlack);
        shadow.SetSmooth(c.smooth);
        const std::span<const TPoint> points = c.polygon ? std::span<const TPoint>(triangle)
                                                         : std::span<const TPoint>();
        f.canvas.PaintShadow(shadow, {20, 20, 60, 50}, false, 0, points, 0, 0, 360);
        const TColor middle = f.At(40, c.polygon ? 40 : 35);
        const TColor edge = f.At(c.polygon ? 40 : 20, c.polygon ? 49 : 35);
        EXPECT_EQ(middle, clBlack);
        if (c.softEdge)
            EXPECT_TRUE(edge != clBlack && edge != clWhite) << std::hex << edge;
        else
            EXPECT_EQ(edge, clBlack);
        EXPECT_EQ(f.At(5, 5), clWhite);
    }
}

// ---- pictures looked at ----

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/ZebPicture.h"
#include "tests/support/Golden.h"

namespace {

void ExpectLooksAsCommitted(TZebCanvas3D& canvas, const char* name)
{
    testsupport::ExpectMatchesGolden(*canvas.BufferBitmap(), TV_SOURCE_DIR "/tests/chart/canvas/golden", name);
}

void UseSolidPen(TZebCanvas3D& canvas, TColor color, int width = 1)
{
    TZebPen pen;
    pen.SetColor(color);
    pen.SetWidth(width);
    canvas.UsePen(pen);
}

}  // namespace

// Brushes (solid, hatched, picture, gradient) on every 2-D shape, corner styles, text effects,
// rotated texts, pies, donuts and arrows.
TEST(GdiCanvasLook, TwoDimensionalSheet)
{
    TPixelFixture f(400, 300);
    TZebCanvas3D& c = f.canvas;
    TZebBrush& brush = *c.Brush();
    UseSolidPen(c, clBlack);

    // Row 1: brushes.
    brush.SetColor(clYellow);
    c.Rectangle(10, 10, 60, 60);
    brush.SetStyle(bsDiagCross);
    brush.SetColor(clNavy);
    c.Rectangle(70, 10, 120, 60);
    brush.SetStyle(bsSolid);
    TBitmap tile(8, 8, pf32bit);
    tile.Canvas()->Brush()->SetColor(clAqua);
    tile.Canvas()->FillRect({0, 0, 8, 8});
    tile.Canvas()->Brush()->SetColor(clPurple);
    tile.Canvas()->FillRect({0, 0, 4, 4});
    tile.Canvas()->FillRect({4, 4, 8, 8});
    brush.Image()->Assign(&tile);
    c.Rectangle(130, 10, 180, 60);
    const TPoint star[] = {{215, 8}, {226, 50}, {190, 24}, {240, 24}, {204, 50}};
    c.Polygon(star);
    brush.Image()->Assign(nullptr);
    TZebGradient& g = *brush.Gradient();
    g.SetStartColor(clRed);
    g.SetEndColor(clYellow);
    g.SetDirection(gdLeftRight);
    g.SetVisible(true);
    c.RoundRect(250, 10, 310, 60, 20, 20);
    c.Ellipse(320, 10, 390, 60);
    const TPoint triangle[] = {{10, 120}, {60, 70}, {110, 120}};
    c.Polygon(triangle);
    c.Pie(120, 70, 180, 130, 180, 100, 150, 70);
    g.SetVisible(false);

    // Corner styles.
    brush.SetColor(0x80C0FF);
    const TZebCornerStyle styles[][4] = {{cosRound, cosRound, cosRound, cosRound},
                                         {cosBevel, cosRound, cosNone, cosRound},
                                         {cosNone, cosBevel, cosBevel, cosRound}};
    int x = 190;
    for (const auto& st : styles) {
        TZebCorners corners;
        corners.LeftTop()->SetStyle(st[0]);
        corners.RightTop()->SetStyle(st[1]);
        corners.RightBottom()->SetStyle(st[2]);
        corners.LeftBottom()->SetStyle(st[3]);
        c.RoundRectCorners({x, 70, x + 60, 125}, 20, 16, &corners);
        x += 70;
    }

    // Text effects: smooth shadow, emboss, outline, gradient, and rotated texts.
    c.SetBackgroundMode(TRANSPARENT);
    TZebFont& font = *c.Font();
    font.SetSize(16);
    font.SetColor(clNavy);
    font.Shadow()->SetVisible(true);
    font.Shadow()->SetSize(3);
    font.Shadow()->SetTransparency(0);
    c.TextOut(10, 140, "Shadow");
    font.Shadow()->SetVisible(false);
    font.SetColor(clSilver);
    font.Emboss()->SetVisible(true);
    font.Emboss()->SetSize(1);
    font.Emboss()->SetColor(clBlack);
    font.Emboss()->SetTransparency(0);
    font.Emboss()->SetSmooth(false);
    c.TextOut(110, 140, "Emboss");
    font.Emboss()->SetVisible(false);
    font.SetColor(clYellow);
    font.OutLine()->SetVisible(true);
    font.OutLine()->SetColor(clRed);
    c.TextOut(210, 140, "Outline");
    font.OutLine()->SetVisible(false);
    TZebGradient& tg = *font.Brush()->Gradient();
    tg.SetStartColor(clBlue);
    tg.SetEndColor(clLime);
    tg.SetVisible(true);
    c.TextOut(300, 140, "Gradient");
    tg.SetVisible(false);
    font.SetSize(10);
    font.SetColor(clBlack);
    c.RotatedTextOut(20, 280, "Rotated 45", 45, false);
    c.RotatedTextOut(110, 290, "Rotated 90", 90, false);
    c.RotatedTextOut(130, 190, "Rotated -30", -30, false);

    // Pies, donuts and arrows.
    brush.SetColor(clRed);
    c.PieByAngles({230, 180, 290, 240}, 30, 300);
    brush.SetColor(clAqua);
    c.DrawDonutSlice(330, 210, 30, 30, 0.5, 5.5, 50);
    g.SetStartColor(clGreen);
    g.SetEndColor(clWhite);
    g.SetDirection(gdTopBottom);
    g.SetVisible(true);
    c.DrawDonutSlice(260, 270, 25, 20, 3.5, 6.0, 40);
    g.SetVisible(false);
    brush.SetColor(clLime);
    c.DrawArrow(true, {300, 290}, {390, 250}, 14, 14, 40);
    c.DrawArrow(false, {180, 290}, {230, 250}, 10, 10, 50);

    ExpectLooksAsCommitted(c, "gdi-canvas-2d");
    EXPECT_EQ(f.At(35, 35), clYellow);
}

// The ten directions, radial centres, a turned gradient and a sub-gradient.
TEST(GdiCanvasLook, GradientSheet)
{
    // Turned gradients are drawn on a canvas of the first listed class and turned by the filter.
    StartCanvasUnit("Arial", 8);
    StopFilterUnit();
    StartFilterUnit({});
    TPixelFixture f(330, 200);
    TZebCanvas3D& c = f.canvas;
    const TGradientDirection directions[] = {gdTopBottom,  gdBottomTop,   gdLeftRight,      gdRightLeft,
                                             gdFromCenter, gdFromTopLeft, gdFromBottomLeft, gdRadial,
                                             gdDiagonalUp, gdDiagonalDown};
    for (int i = 0; i < 10; ++i) {
        const int x = (i % 5) * 65, y = (i / 5) * 50;
        TZebGradient g;
        g.SetVisible(true);
        g.SetStartColor(clNavy);
        g.SetEndColor(clYellow);
        g.SetDirection(directions[i]);
        g.Draw(c, {x + 5, y + 5, x + 60, y + 45});
    }
    // Radial centres moved, a middle colour, a turned one and a sub-gradient over a gradient.
    TZebGradient radial;
    radial.SetVisible(true);
    radial.SetDirection(gdRadial);
    radial.SetStartColor(clWhite);
    radial.SetEndColor(clMaroon);
    radial.SetRadialX(15);
    radial.SetRadialY(-10);
    radial.Draw(c, {5, 105, 60, 145});
    TZebGradient three;
    three.SetVisible(true);
    three.SetStartColor(clRed);
    three.SetMidColor(clWhite);
    three.SetEndColor(clBlue);
    three.Draw(c, {70, 105, 125, 145});
    TZebGradient turned;
    turned.SetVisible(true);
    turned.SetStartColor(clGreen);
    turned.SetEndColor(clYellow);
    turned.SetDirection(gdLeftRight);
    turned.SetAngle(30);
    turned.Draw(c, {135, 105, 190, 145});
    TZebGradient base;
    base.SetVisible(true);
    base.SetStartColor(clBlue);
    base.SetEndColor(clAqua);
    base.SubGradient()->SetStartColor(clYellow);
    base.SubGradient()->SetEndColor(clRed);
    base.SubGradient()->SetDirection(gdLeftRight);
    base.SubGradient()->SetVisible(true);
    base.Draw(c, {200, 105, 255, 145});
    TZebGradient rounded;
    rounded.SetVisible(true);
    rounded.SetStartColor(clPurple);
    rounded.SetEndColor(clSilver);
    rounded.SetDirection(gdFromCenter);
    rounded.Draw(c, {265, 105, 320, 145}, 12);
    // Monochrome: the same gradients in grey.
    c.SetMonochromeMode(true);
    TZebGradient grey;
    grey.SetVisible(true);
    grey.SetStartColor(clRed);
    grey.SetEndColor(clYellow);
    grey.Draw(c, {5, 155, 320, 195});
    c.SetMonochromeMode(false);
    StopFilterUnit();
    StopCanvasUnit();

    ExpectLooksAsCommitted(c, "gdi-canvas-gradients");
}

namespace {

// Every solid on one frame: boxes, cylinders, a cone, a pyramid, a frustum, pie slices (plain,
// donut, bevelled), an ellipse and an arrow at a depth.
void DrawSolids(TZebCanvas3D& c)
{
    TZebBrush& brush = *c.Brush();
    UseSolidPen(c, clBlack);
    brush.SetColor(clRed);
    c.DrawBox(20, 60, 120, 200, 0, 30, true, 0);
    brush.SetColor(clYellow);
    c.DrawBox(70, 110, 150, 200, 0, 30, false, 0);
    brush.SetColor(clBlue);
    c.DrawTaperedCylinder(true, 125, 110, 165, 200, 0, 30, true, 100);
    brush.Gradient()->SetVisible(false);
    brush.SetColor(clLime);
    c.DrawTaperedCylinder(true, 180, 110, 220, 200, 0, 30, false, 0);
    brush.Gradient()->SetVisible(false);
    brush.SetColor(clFuchsia);
    c.DrawTaperedCylinder(false, 235, 160, 300, 200, 0, 30, true, 50);
    brush.Gradient()->SetVisible(false);
    brush.SetColor(clAqua);
    c.DrawSquarePyramid(true, 310, 110, 350, 200, 0, 30, true);
    brush.SetColor(clOlive);
    c.DrawSquareFrustum({360, 110, 400, 200}, true, 0, 30, 10, 8, 1);
    TSolidPieSlice s;
    s.CenterX = 80, s.CenterY = 50, s.RadiusX = 60, s.RadiusY = 35, s.Z0 = 0, s.Z1 = 15;
    s.DarkSides = true;
    brush.SetColor(clYellow);
    s.StartAngle = 0.3, s.EndAngle = 2.6;
    c.DrawSolidPieSlice(s);
    brush.SetColor(clTeal);
    s.StartAngle = 2.6, s.EndAngle = 6.583;
    c.DrawSolidPieSlice(s);
    brush.SetColor(clSilver);
    s.CenterX = 230, s.DonutPercent = 45, s.StartAngle = 3.5, s.EndAngle = 8.0;
    c.DrawSolidPieSlice(s);
    brush.SetColor(clRed);
    s.CenterX = 350, s.RadiusX = 45, s.DonutPercent = 0, s.BevelPercent = 60, s.BevelBrightness = 50;
    s.StartAngle = 0, s.EndAngle = 6.2831853;
    c.DrawSolidPieSlice(s);
    brush.SetColor(clGreen);
    c.EllipseAtZ(20, 215, 90, 245, 20);
    brush.SetColor(clLime);
    c.DrawArrowAtZ(true, {110, 245}, {200, 215}, 14, 14, 10, 20, 40);
    UseSolidPen(c, clNavy, 3);
    c.MoveToXYZ(220, 240, 0);
    c.LineToXYZ(300, 220, 30);
    c.LineToXYZ(400, 240, 30);
}

}  // namespace

TEST(GdiCanvasLook, SolidsOrthogonalAndRotated)
{
    const struct {
        const char* name;
        bool orthogonal;
    } views[] = {{"gdi-canvas-solids-orthogonal", true}, {"gdi-canvas-solids-rotated", false}};
    for (const auto& v : views) {
        SCOPED_TRACE(v.name);
        TZebCanvas3D canvas;
        TView3DOptions options;
        TBitmap window(420, 260, pf32bit);
        options.SetOrthogonal(v.orthogonal);
        if (!v.orthogonal) {
            options.SetElevation(340);
            options.SetRotation(330);
            options.SetPerspective(40);
        }
        canvas.PrepareView(window.Canvas(), &options, clWhite, true, {0, 0, 420, 260});
        canvas.SetupProjection(30, {0, 0, 420, 260}, {0, 0, 420, 260});
        canvas.GetDeviceContext()->FillRect({0, 0, 420, 260}, clWhite);
        DrawSolids(canvas);
        ExpectLooksAsCommitted(canvas, v.name);
        int painted = 0;
        for (int y = 0; y < 260; y += 2)
            for (int x = 0; x < 420; x += 2) painted += canvas.GetPixelColor(x, y) != clWhite;
        EXPECT_GT(painted, 210 * 130 / 4);
    }
}
