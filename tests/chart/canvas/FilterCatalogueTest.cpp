#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/Filters.h"
#include "platform/graphics/Bitmap.h"

namespace {

struct Spot {
    int x, y;
    Byte value;
};

// A grey picture (all channels equal) of one background value with a few spots.
std::unique_ptr<TBitmap> greyPicture(int w, int h, Byte background, std::initializer_list<Spot> spots,
                                     TPixelFormat format = pf24bit)
{
    auto b = std::make_unique<TBitmap>(w, h, format);
    const int bpp = format == pf32bit ? 4 : 3;
    auto rows = format == pf32bit ? BitmapScanLines32(*b) : BitmapScanLines24(*b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < bpp; ++k) rows[static_cast<std::size_t>(y)][x * bpp + k] = background;
    for (const Spot& s : spots)
        for (int k = 0; k < 3; ++k) rows[static_cast<std::size_t>(s.y)][s.x * bpp + k] = s.value;
    return b;
}

// Channel k (0 blue, 1 green, 2 red) of a pixel, in the bitmap's own layout.
int channel(TBitmap& b, int x, int y, int k = 0)
{
    const bool wide = b.PixelFormat() == pf32bit;
    auto rows = wide ? BitmapScanLines32(b) : BitmapScanLines24(b);
    return rows[static_cast<std::size_t>(y)][x * (wide ? 4 : 3) + k];
}

}  // namespace

// Kernels on a 5 x 5 picture: background 100 with one bright pixel of 180 in the middle.
TEST(FilterCatalogue, KernelsOnASpot)
{
    struct Probe {
        int x, y, value;
    };
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TZebFilter>()> make;
        std::vector<Probe> probes;
    };
    auto blur = [](int amount, int steps) {
        return [=] {
            auto f = std::make_unique<TBlurFilter>(nullptr);
            f->SetAmount(amount);
            f->SetSteps(steps);
            return std::unique_ptr<TZebFilter>(std::move(f));
        };
    };
    const Case cases[] = {
        // (8 * 100 + 180) / 9 = 108.9 truncated; the border keeps its pixels.
        {"blur", blur(1, 1), {{2, 2, 108}, {1, 1, 108}, {3, 3, 108}, {0, 0, 100}, {4, 2, 100}}},
        // The second pass reads the first one's result.
        {"blur twice", blur(1, 2), {{2, 2, 108}, {1, 1, 103}, {1, 2, 105}}},
        // Centre weight 0: the eight neighbours alone (sum of weights 8).
        {"blur amount 0", blur(0, 1), {{2, 2, 100}, {1, 1, 110}}},
        {"blur amount 10", blur(10, 1), {{2, 2, 144}, {1, 1, 104}}},
        {"sharpen",
         [] { return std::unique_ptr<TZebFilter>(std::make_unique<TSharpenFilter>(nullptr)); },
         {{2, 2, 255}, {1, 1, 90}, {3, 2, 90}, {0, 2, 100}}},
        // The weights sum to -1: a flat area keeps its value.
        {"emboss",
         [] { return std::unique_ptr<TZebFilter>(std::make_unique<TEmbossFilter>(nullptr)); },
         {{2, 2, 20}, {1, 2, 20}, {2, 1, 180}, {3, 2, 180}, {2, 3, 180}, {1, 1, 100}}},
        {"soften",
         [] { return std::unique_ptr<TZebFilter>(std::make_unique<TSoftenFilter>(nullptr)); },
         {{1, 1, 120}, {2, 1, 120}, {1, 2, 120}, {2, 2, 120}, {3, 3, 100}, {3, 2, 100}}},
    };
    for (const Case& c : cases) {
        auto f = c.make();
        auto b = greyPicture(5, 5, 100, {{2, 2, 180}});
        f->ApplyToBitmap(*b);
        for (const Probe& p : c.probes)
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(channel(*b, p.x, p.y, k), p.value) << c.name << " at " << p.x << "," << p.y;
    }
}

TEST(FilterCatalogue, BlurKeepsThePixelLayoutOfTheBitmap)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        auto b = greyPicture(5, 5, 100, {{2, 2, 180}}, format);
        TBlurFilter f(nullptr);
        f.ApplyToBitmap(*b);
        EXPECT_EQ(b->PixelFormat(), format);
        EXPECT_EQ(channel(*b, 1, 1), 108) << format;
        EXPECT_EQ(channel(*b, 0, 1), 100) << format;
    }
}

TEST(FilterCatalogue, BlurStaysInsideItsRegion)
{
    auto b = greyPicture(9, 9, 100, {{2, 2, 190}, {6, 6, 190}});
    TBlurFilter f(nullptr);
    f.SetSteps(3);
    f.Region()->SetWidth(4);
    f.Region()->SetHeight(4);  // columns and rows 0 .. 4
    f.ApplyToBitmap(*b);
    EXPECT_NE(channel(*b, 2, 2), 190);
    EXPECT_EQ(channel(*b, 5, 5), 100);
    EXPECT_EQ(channel(*b, 6, 6), 190);
    EXPECT_EQ(channel(*b, 4, 2), 100);  // the region's own border
}
