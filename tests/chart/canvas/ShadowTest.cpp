#include <gtest/gtest.h>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Region.h"

namespace {
std::unique_ptr<TBitmap> filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect({0, 0, w, h});
    return b;
}

TColorRef pixel(TBitmap& b, int x, int y) { return b.Canvas()->Handle()->GetPixel(x, y); }
}  // namespace

TEST(Blur, KernelWeights)
{
    const auto w = BlurWeights(4, 0);
    ASSERT_EQ(w.size(), 5u);
    EXPECT_EQ(w[0], 100000);
    EXPECT_EQ(w[1], 86334);  // 100000 * 1.8 ^ (-1/4)
    EXPECT_GT(w[1], w[4]);
    // A base of zero or less would have no powers: the weights stay finite and positive.
    for (int blur : {-180, -500}) {
        for (Int64 v : BlurWeights(4, blur)) EXPECT_GT(v, 0) << blur;
    }
}

TEST(Blur, OnlyPixelsInsideTheBufferChange)
{
    auto shadow = filled(10, 10, clBlack);
    auto buffer = filled(20, 20, clWhite);
    BlurShadowInto(*shadow, buffer.get(), {15, -5}, 4, 0);
    EXPECT_EQ(pixel(*buffer, 17, 2), 0u) << "the shadow's middle darkens the buffer";
    EXPECT_EQ(pixel(*buffer, 14, 2), 0xFFFFFFu) << "left of the shadow";
    EXPECT_EQ(pixel(*buffer, 17, 6), 0xFFFFFFu) << "below it";

    auto off = filled(20, 20, clWhite);
    BlurShadowInto(*shadow, off.get(), {40, 40}, 4, 0);  // wholly outside: nothing happens
    EXPECT_EQ(pixel(*off, 19, 19), 0xFFFFFFu);
}

TEST(Blur, SoftensEdges)
{
    auto shadow = filled(20, 20, clWhite);
    shadow->Canvas()->Brush()->SetColor(clBlack);
    shadow->Canvas()->FillRect({5, 5, 15, 15});
    BlurShadowInto(*shadow, nullptr, {0, 0}, 4, 0);
    const Byte edge = GetRValue(pixel(*shadow, 5, 10));
    EXPECT_GT(edge, 0);
    EXPECT_LT(edge, 255);
    EXPECT_EQ(pixel(*shadow, 10, 10), 0u);
}

TEST(BlendBitmaps, PercentWeighsTheDestination)
{
    for (bool masked : {false, true}) {
        auto mask = filled(4, 4, masked ? 0x808080 : clBlack);
        auto source = filled(4, 4, clBlack);
        auto keep = filled(4, 4, clWhite);
        BlendBitmaps(*source, *keep, {0, 0}, masked ? mask.get() : nullptr, 100);
        if (!masked) {
            EXPECT_EQ(pixel(*keep, 1, 1), 0xFFFFFFu);
        }

        auto take = filled(4, 4, clWhite);
        BlendBitmaps(*source, *take, {0, 0}, nullptr, 0);
        EXPECT_EQ(pixel(*take, 1, 1), 0u);
    }
    // The per-pixel mix follows the mask.
    auto mask = filled(4, 4, 0x808080);
    auto source = filled(4, 4, clBlack);
    auto dest = filled(4, 4, 0x646464);
    BlendBitmaps(*source, *dest, {0, 0}, mask.get(), 50);
    EXPECT_EQ(GetRValue(pixel(*dest, 0, 0)), 100 - ((100 * 128) >> 8));

    // Off the destination: nothing.
    auto small = filled(4, 4, clWhite);
    BlendBitmaps(*source, *small, {10, 10}, nullptr, 0);
    EXPECT_EQ(pixel(*small, 3, 3), 0xFFFFFFu);
}

// A chart's buffer is a 32-bit bitmap: blending into it must keep its format (a 24-bit buffer
// sends every later frame down slower paths) and give the pixels of a 24-bit destination.
TEST(BlendBitmaps, ThirtyTwoBitDestinationKeepsItsFormatAndMixesAlike)
{
    const auto painted = [](TPixelFormat format, int seed) {
        // Wide enough for whole 16-byte blocks of both formats and a tail.
        auto b = std::make_unique<TBitmap>(12, 5, format);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 12; ++x)
                b->Canvas()->Handle()->SetPixel(
                    x, y, static_cast<TColor>(RGB(20 * x + seed, 50 * y + 3 * seed, 255 - 15 * x - 20 * y - seed)));
        return b;
    };
    for (const bool masked : {false, true})
        for (const int percent : {0, 30, 75}) {
            SCOPED_TRACE(::testing::Message() << (masked ? "masked, " : "") << percent);
            auto mask = painted(pf24bit, 9);
            for (const TPixelFormat sourceFormat : {pf24bit, pf32bit}) {
                auto source = painted(sourceFormat, 5);
                auto narrow = painted(pf24bit, 1), wide = painted(pf32bit, 1);
                BlendBitmaps(*source, *narrow, {1, 2}, masked ? mask.get() : nullptr, percent);
                BlendBitmaps(*source, *wide, {1, 2}, masked ? mask.get() : nullptr, percent);
                EXPECT_EQ(wide->PixelFormat(), pf32bit);
                for (int y = 0; y < 5; ++y)
                    for (int x = 0; x < 12; ++x) EXPECT_EQ(pixel(*wide, x, y), pixel(*narrow, x, y)) << x << "," << y;
            }
        }
}

TEST(Shadow, OpaqueShadowsOpenNoSection)
{
    TRecordingCanvas canvas;
    TZebShadow shadow;
    shadow.SetSize(3);
    shadow.SetTransparency(0);
    shadow.SetColor(clNavy);
    canvas.Pen()->SetColor(clRed);
    shadow.DrawRect(canvas, {10, 10, 20, 20});
    EXPECT_EQ(canvas.Calls("FillRectangle"), std::vector<std::string>{"FillRectangle(13,13,23,23) brush=800000"});
    EXPECT_TRUE(canvas.Calls("DrawGraphic").empty());
    EXPECT_EQ(canvas.Pen()->Color(), clRed) << "the pen is given back";
}

// A transparent shadow mixes back what lay under it: in the bitmap's rows when they can be
// reached, through the canvas as a picture when a clip of several rectangles is in the way. Both
// give the same pixels.
TEST(Shadow, TransparentShadowsBlendBack)
{
    std::vector<TColorRef> mixed;
    for (const bool inRows : {true, false}) {
        SCOPED_TRACE(inRows ? "rows" : "picture");
        TRecordingCanvas canvas;
        if (!inRows) {
            TRegion ell;
            ell.Combine(TRegion::FromRect({0, 0, 200, 30}), TRegion::FromRect({0, 30, 100, 200}), RGN_OR);
            canvas.GetDeviceContext()->SelectClipRgn(&ell);
        }
        TZebShadow shadow;
        shadow.SetSize(3);
        shadow.SetSmooth(false);
        shadow.DrawRect(canvas, {10, 10, 20, 20});
        EXPECT_EQ(canvas.Calls("FillRectangle").size(), 1u);
        EXPECT_EQ(canvas.Calls("DrawGraphic"),
                  inRows ? std::vector<std::string>{} : std::vector<std::string>{"DrawGraphic(13,13,10,10)"});
        EXPECT_EQ(canvas.Transparency(), 0);
        mixed.push_back(pixel(canvas.Bitmap(), 15, 15));
        EXPECT_NE(mixed.back(), static_cast<TColorRef>(ColorToRGB(shadow.Color()))) << "mixed with the white under it";
        EXPECT_NE(mixed.back(), static_cast<TColorRef>(RGB(255, 255, 255)));
    }
    EXPECT_EQ(mixed[0], mixed[1]);
}

TEST(Shadow, NothingToDraw)
{
    TRecordingCanvas canvas;
    TZebShadow shadow;  // size 0
    shadow.DrawRect(canvas, {10, 10, 20, 20});
    shadow.SetSize(2);
    shadow.SetColor(clNone);
    shadow.DrawEllipse(canvas, {10, 10, 20, 20});
    EXPECT_TRUE(canvas.Log().empty());
}

TEST(Shadow, RotatedRectangleAndPolygon)
{
    TRecordingCanvas canvas;
    TZebShadow shadow;
    shadow.SetSize(2);
    shadow.SetTransparency(0);
    shadow.DrawRect(canvas, {0, 0, 10, 10}, 0, 90);
    EXPECT_EQ(canvas.Calls("Polygon"), std::vector<std::string>{"Polygon(2,12 2,2 12,2 12,12) brush=C0C0C0"});

    canvas.ClearLog();
    const TPoint pts[] = {{0, 0}, {10, 0}, {0, 10}};
    shadow.SetDirection(sdLeftTop);  // polygons move by the sizes whatever the direction
    shadow.DrawPolygon(canvas, pts);
    EXPECT_EQ(canvas.Calls("Polygon"), std::vector<std::string>{"Polygon(2,2 12,2 2,12) brush=C0C0C0"});
}

// A smooth shadow blurs its picture once and, frame after frame, multiplies the buffer by the
// blurred picture it kept: the pixels are those of blurring into the buffer every time, also when
// the shadow moves; one reaching out of the buffer is blurred into it as before.
TEST(Shadow, SmoothShadowBlurredOnceLooksTheSameEveryFrame)
{
    constexpr int W = 80, H = 50;
    TZebShadow shadow;
    shadow.SetSize(4);
    shadow.SetColor(clNavy);
    const int r = shadow.BlurRadius();
    // What blurring straight into the buffer gives for the rectangle at (x, y).
    const auto expected = [&](int x, int y) {
        auto buffer = filled(W, H, clSilver);
        auto picture = filled(30, 20, clWhite);
        picture->Canvas()->Handle()->FillRect({r / 2, r / 2, 30 - r / 2, 20 - r / 2}, clNavy);
        BlurShadowInto(*picture, buffer.get(), {x, y}, r, shadow.SmoothBlur());
        return buffer;
    };
    TBitmap window(W, H, pf24bit);
    TZebCanvas3D canvas;
    const struct {
        int x, y;
    } frames[] = {{10, 10}, {10, 10}, {30, 20}, {60, 40}};
    for (const auto& f : frames) {
        SCOPED_TRACE(::testing::Message() << f.x << "," << f.y);
        canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, W, H});
        canvas.GetDeviceContext()->FillRect({0, 0, W, H}, clSilver);
        canvas.PaintShadow(shadow, {f.x, f.y, f.x + 30, f.y + 20}, false, 0, {}, 0, 0, 360);
        auto want = expected(f.x, f.y);
        int differing = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                differing += canvas.BufferBitmap()->Canvas()->Handle()->GetPixel(x, y) != pixel(*want, x, y);
        EXPECT_EQ(differing, 0);
    }
}

// Drawn unbuffered straight onto a bitmap, a smooth shadow blurs into the bitmap's own pixels where
// the device context's viewport origin puts it, and only inside the device clip when the shadow
// keeps to it.
TEST(Shadow, SmoothShadowDrawnUnbufferedBlursIntoTheBitmap)
{
    constexpr int W = 80, H = 50;
    const TRect clipRect{13, -4, 33, H};  // logical units
    const struct {
        TPixelFormat format;
        TPoint origin;
        bool clip;
    } cases[] = {{pf24bit, {0, 0}, false}, {pf32bit, {7, 4}, false}, {pf32bit, {7, 4}, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.format << " " << c.origin.X << "," << c.origin.Y << " " << c.clip);
        TZebShadow shadow;
        shadow.SetSize(4);
        shadow.SetColor(clNavy);
        shadow.SetClip(c.clip);
        const int r = shadow.BlurRadius();
        auto want = filled(W, H, clSilver);
        auto picture = filled(30, 20, clWhite);
        picture->Canvas()->Handle()->FillRect({r / 2, r / 2, 30 - r / 2, 20 - r / 2}, clNavy);
        BlurShadowInto(*picture, want.get(), {10 + c.origin.X, 10 + c.origin.Y}, r, shadow.SmoothBlur());

        TBitmap target(W, H, c.format);
        TZebCanvas3D canvas;
        canvas.SetBuffered(false);
        canvas.PrepareView(target.Canvas(), nullptr, clWhite, false, {0, 0, W, H});
        HDC d = canvas.GetDeviceContext();
        d->FillRect({0, 0, W, H}, clSilver);
        d->SetViewportOrg(c.origin);
        if (c.clip) d->IntersectClipRect(clipRect.Left, clipRect.Top, clipRect.Right, clipRect.Bottom);
        canvas.PaintShadow(shadow, {10, 10, 40, 30}, false, 0, {}, 0, 0, 360);
        d->SelectClipRgn(nullptr);
        d->SetViewportOrg({0, 0});

        int differing = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const bool inside = !c.clip || (x >= clipRect.Left + c.origin.X && x < clipRect.Right + c.origin.X);
                differing += pixel(target, x, y) != (inside ? pixel(*want, x, y) : TColorRef{0xC0C0C0});
            }
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(target.PixelFormat(), c.format);
    }
}
