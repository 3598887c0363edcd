#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

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
        {"orthogonal z = 0 ignores the angle", [](TView3DOptions& o) { o.SetOrthoAngle(80); }, {0, 0, 100, 100}, 20,
         {10, 20, 0}, "10,20"},
        {"orthogonal zoom about the centre", [](TView3DOptions& o) { o.SetZoom(200); }, {0, 0, 100, 100}, 20,
         {10, 20, 0}, "-30,-10"},
        {"orthogonal 45 moves depth right and up", [](TView3DOptions&) {}, {0, 0, 100, 100}, 20, {50, 50, 10},
         "60,40"},
        {"OrthoAngle 90 steps up by 1", [](TView3DOptions& o) { o.SetOrthoAngle(90); }, {0, 0, 100, 100}, 20,
         {50, 50, 10}, "60,40"},
        {"OrthoAngle 135 steps left", [](TView3DOptions& o) { o.SetOrthoAngle(135); }, {0, 0, 100, 100}, 20,
         {50, 50, 10}, "40,40"},
        {"offsets move the origin",
         [](TView3DOptions& o) {
             o.SetHorizOffset(7);
             o.SetVertOffset(-3);
         },
         {0, 0, 100, 100}, 20, {50, 50, 0}, "57,47"},
        {"2.5 rounds to 2, 3.5 to 4", [](TView3DOptions& o) { o.SetZoom(50); }, {0, 0, 0, 0}, 0, {5, 7, 0}, "2,4"},
        {"identity rotation scaled by zoom",
         [](TView3DOptions& o) {
             o.SetOrthogonal(false);
             o.SetElevation(0);
             o.SetRotation(0);
             o.SetPerspective(0);
             o.SetZoom(150);
         },
         {0, 0, 100, 100}, 20, {60, 40, 7}, "65,35"},
        {"rotation by 90 turns depth into x",
         [](TView3DOptions& o) {
             o.SetOrthogonal(false);
             o.SetElevation(0);
             o.SetRotation(90);
             o.SetPerspective(0);
         },
         {0, 0, 100, 100}, 20, {50, 50, 30}, "30,50"},
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
