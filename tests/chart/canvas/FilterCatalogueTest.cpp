#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/FilterAmount.h"
#include "chart/canvas/FilterColor.h"
#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/FilterGeometry.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/HlsColor.h"
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

// A picture whose pixel colours (0x00BBGGRR) come from a function of x and y.
std::unique_ptr<TBitmap> picture(int w, int h, const std::function<TColor(int x, int y)>& color,
                                 TPixelFormat format = pf24bit)
{
    auto b = std::make_unique<TBitmap>(w, h, format);
    const int bpp = format == pf32bit ? 4 : 3;
    auto rows = format == pf32bit ? BitmapScanLines32(*b) : BitmapScanLines24(*b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto c = static_cast<TColorRef>(color(x, y));
            Byte* p = rows[static_cast<std::size_t>(y)] + x * bpp;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
            if (bpp == 4) p[3] = 0x7F;
        }
    return b;
}

std::unique_ptr<TBitmap> plain(int w, int h, TColor color, TPixelFormat format = pf24bit)
{
    return picture(
        w, h, [color](int, int) { return color; }, format);
}

TColor pixel(TBitmap& b, int x, int y)
{
    return static_cast<TColor>(RGB(static_cast<Byte>(channel(b, x, y, 2)), static_cast<Byte>(channel(b, x, y, 1)),
                                   static_cast<Byte>(channel(b, x, y, 0))));
}

// Makes a filter of class F, set up by setup; tables of cases hold these.
using TFilterMaker = std::function<std::unique_ptr<TZebFilter>()>;
template <class F>
TFilterMaker made(std::function<void(F&)> setup = {})
{
    return [setup] {
        auto f = std::make_unique<F>(nullptr);
        if (setup) setup(*f);
        return std::unique_ptr<TZebFilter>(std::move(f));
    };
}

template <class F>
TFilterMaker amount(int value, bool percent)
{
    return made<F>([=](F& f) {
        f.SetAmount(value);
        f.SetPercent(percent);
    });
}

// A distinct colour for every pixel position of a small picture.
TColor positionColor(int x, int y)
{
    return static_cast<TColor>(RGB(static_cast<Byte>(x * 20), static_cast<Byte>(y * 20), 7));
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
        TFilterMaker make;
        std::vector<Probe> probes;
    };
    auto blur = [](int centre, int steps) {
        return made<TBlurFilter>([=](TBlurFilter& f) {
            f.SetAmount(centre);
            f.SetSteps(steps);
        });
    };
    const Case cases[] = {
        // (8 * 100 + 180) / 9 = 108.9 truncated; the border keeps its pixels.
        {"blur", blur(1, 1), {{2, 2, 108}, {1, 1, 108}, {3, 3, 108}, {0, 0, 100}, {4, 2, 100}}},
        // The second pass reads the first one's result.
        {"blur twice", blur(1, 2), {{2, 2, 108}, {1, 1, 103}, {1, 2, 105}}},
        // Centre weight 0: the eight neighbours alone (sum of weights 8).
        {"blur amount 0", blur(0, 1), {{2, 2, 100}, {1, 1, 110}}},
        {"blur amount 10", blur(10, 1), {{2, 2, 144}, {1, 1, 104}}},
        {"sharpen", made<TSharpenFilter>(), {{2, 2, 255}, {1, 1, 90}, {3, 2, 90}, {0, 2, 100}}},
        // The weights sum to -1: a flat area keeps its value.
        {"emboss", made<TEmbossFilter>(), {{2, 2, 20}, {1, 2, 20}, {2, 1, 180}, {3, 2, 180}, {2, 3, 180}, {1, 1, 100}}},
        {"soften",
         made<TSoftenFilter>(),
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

TEST(FilterCatalogue, GrayScaleMethods)
{
    struct Case {
        TGrayMethod method;
        TColor color;
        int grey;
    };
    const Case cases[] = {
        {gmEye, RGB(255, 0, 0), 76},        {gmEye, RGB(0, 0, 255), 29},      {gmEye, RGB(200, 100, 50), 124},
        {gmSimple, RGB(200, 100, 50), 116}, {gmEye2, RGB(200, 100, 50), 126}, {gmLight, RGB(200, 100, 50), 125},
        {gmEye2, RGB(255, 255, 255), 255},
    };
    for (const Case& c : cases)
        for (TPixelFormat format : {pf24bit, pf32bit}) {
            auto b = plain(3, 3, c.color, format);
            TGrayScaleFilter f(nullptr);
            f.SetPixels32(format == pf32bit);
            f.SetMethod(c.method);
            f.ApplyToBitmap(*b);
            EXPECT_EQ(b->PixelFormat(), format);
            EXPECT_EQ(pixel(*b, 1, 1), RGB(c.grey, c.grey, c.grey)) << c.method << " " << std::hex << c.color;
            if (format == pf32bit) {
                EXPECT_EQ(channel(*b, 1, 1, 3), 0x7F) << "alpha kept";
            }
        }
}

TEST(FilterCatalogue, InvertInBothLayouts)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        auto b = plain(2, 2, RGB(10, 100, 255), format);
        TInvertFilter f(nullptr);
        f.SetPixels32(format == pf32bit);
        f.ApplyToBitmap(*b);
        EXPECT_EQ(pixel(*b, 1, 0), RGB(245, 155, 0)) << format;
        if (format == pf32bit) {
            EXPECT_EQ(channel(*b, 1, 0, 3), 0x7F);
        }
    }
}

// One pixel value v (all channels) before and after a filter.
TEST(FilterCatalogue, ToneFilters)
{
    struct Case {
        const char* name;
        TFilterMaker make;
        int before, after;
    };
    const auto brightness = amount<TBrightnessFilter>, contrast = amount<TContrastFilter>,
               gamma = amount<TGammaCorrectionFilter>;
    const Case cases[] = {
        // 255 times the single-precision 0.1 lies just above 25.5.
        {"brightness 10 %", brightness(10, true), 100, 126},
        {"brightness -10 %", brightness(-10, true), 100, 74},
        {"brightness 10", brightness(10, false), 100, 110},
        {"brightness clamps up", brightness(50, true), 200, 255},
        {"brightness clamps down", brightness(-50, false), 20, 0},
        {"contrast 64 above the middle", contrast(64, false), 200, 218},
        {"contrast 64 below the middle truncates", contrast(64, false), 50, 31},
        {"contrast 50 % above", contrast(50, true), 200, 228},
        {"contrast 50 % below", contrast(50, true), 50, 43},
        {"contrast clamps", contrast(255, false), 250, 255},
        {"gamma 70 %", gamma(70, true), 128, 95},
        {"gamma 70 % at 64", gamma(70, true), 64, 35},
        {"gamma 100 % keeps", gamma(100, true), 77, 77},
        {"gamma 255 keeps", gamma(255, false), 77, 77},
        {"gamma -100 % as 100 %", gamma(-100, true), 77, 77},
        {"gamma 0 keeps black", gamma(0, true), 0, 0},
    };
    for (const Case& c : cases) {
        const auto v = static_cast<Byte>(c.before);
        auto b = plain(3, 2, RGB(v, v, v));
        c.make()->ApplyToBitmap(*b);
        EXPECT_EQ(pixel(*b, 2, 1), RGB(c.after, c.after, c.after)) << c.name;
    }
}

TEST(FilterCatalogue, ColorFilters)
{
    struct Case {
        const char* name;
        TFilterMaker make;
        TColor before, after;
    };
    auto color = [](int r, int g, int b) {
        return made<TColorFilter>([=](TColorFilter& f) {
            f.SetRed(r);
            f.SetGreen(g);
            f.SetBlue(b);
        });
    };
    auto hls = [](int h, int l, int s) {
        return made<THueLumSatFilter>([=](THueLumSatFilter& f) {
            f.SetHue(h);
            f.SetLuminance(l);
            f.SetSaturation(s);
        });
    };
    auto replace = [](TColorMethod method, int from, int to) {
        return made<TColorReplaceFilter>([=](TColorReplaceFilter& f) {
            f.SetMethod(method);
            f.SetFromValue(from);
            f.SetToValue(to);
            f.SetColor(RGB(1, 2, 3));
        });
    };
    const auto defaults = made<TColorReplaceFilter>(), sepia = made<TSepiaFilter>();
    const Case cases[] = {
        {"colour adds and clamps", color(10, -20, 250), RGB(100, 10, 100), RGB(110, 0, 255)},
        {"colour of nothing", color(0, 0, 0), RGB(100, 10, 100), RGB(100, 10, 100)},
        {"hue 80 turns red green", hls(80, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0)},
        {"hue 160 turns red blue", hls(160, 0, 0), RGB(255, 0, 0), RGB(0, 0, 255)},
        {"luminance to white", hls(0, 255, 0), RGB(255, 0, 0), RGB(255, 255, 255)},
        {"saturation away", hls(0, 0, -255), RGB(255, 0, 0), RGB(128, 128, 128)},
        {"hls of nothing", hls(0, 0, 0), RGB(3, 200, 17), RGB(3, 200, 17)},
        // Defaults: white over hue 0 .. 0 only.
        {"replace red", defaults, RGB(255, 0, 0), RGB(255, 255, 255)},
        {"replace red with a little green (hue 0)", defaults, RGB(255, 1, 0), RGB(255, 255, 255)},
        {"keep red with a little blue (hue 240)", defaults, RGB(255, 0, 1), RGB(255, 0, 1)},
        {"keep grey (hue 160)", defaults, RGB(90, 90, 90), RGB(90, 90, 90)},
        {"keep green", defaults, RGB(0, 255, 0), RGB(0, 255, 0)},
        {"replace by luminance", replace(cmLum, 100, 140), RGB(128, 128, 128), RGB(1, 2, 3)},
        {"keep outside the luminance", replace(cmLum, 100, 110), RGB(128, 128, 128), RGB(128, 128, 128)},
        {"replace by saturation", replace(cmSat, 240, 240), RGB(0, 0, 255), RGB(1, 2, 3)},
        {"sepia", sepia, RGB(10, 20, 30), RGB(25, 22, 17)},
        {"sepia clamps", sepia, RGB(255, 255, 255), RGB(255, 255, 239)},
    };
    for (const Case& c : cases) {
        auto b = plain(2, 2, c.before);
        c.make()->ApplyToBitmap(*b);
        EXPECT_EQ(pixel(*b, 0, 1), c.after) << c.name << std::hex << " got " << pixel(*b, 0, 1);
    }
}

TEST(FilterCatalogue, HlsValuesOfKnownColours)
{
    struct Case {
        TColor color;
        int h, l, s;
    };
    const Case cases[] = {
        {RGB(0, 0, 0), 160, 0, 0},        {RGB(255, 255, 255), 160, 240, 0}, {RGB(128, 128, 128), 160, 121, 0},
        {RGB(255, 0, 0), 0, 120, 240},    {RGB(0, 255, 0), 80, 120, 240},    {RGB(0, 0, 255), 160, 120, 240},
        {RGB(255, 255, 0), 40, 120, 240}, {RGB(128, 0, 0), 0, 61, 240},      {RGB(255, 128, 128), 0, 181, 240},
    };
    for (const Case& c : cases) {
        Word h, l, s;
        ColorToHLS(c.color, h, l, s);
        EXPECT_EQ((std::vector<int>{h, l, s}), (std::vector<int>{c.h, c.l, c.s})) << std::hex << c.color;
    }
}

// One hue step at full saturation moves a channel by 6.4 levels, so the way back may miss by a few;
// black, white and the primary and secondary colours come back exactly.
TEST(FilterCatalogue, HlsRoundTripsOverAColourGrid)
{
    long total = 0, channels = 0;
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 15)
            for (int b = 0; b <= 255; b += 15) {
                const TColor color = RGB(static_cast<Byte>(r), static_cast<Byte>(g), static_cast<Byte>(b));
                Word h, l, s;
                ColorToHLS(color, h, l, s);
                ASSERT_LE(h, 240);
                ASSERT_LE(l, 240);
                ASSERT_LE(s, 240);
                const auto back = static_cast<TColorRef>(HLSToColor(h, l, s));
                const int d[3] = {std::abs(GetRValue(back) - r), std::abs(GetGValue(back) - g),
                                  std::abs(GetBValue(back) - b)};
                for (int e : d) {
                    EXPECT_LE(e, 6) << r << "," << g << "," << b;
                    total += e;
                    ++channels;
                }
                const bool corner = (r == 0 || r == 255) && (g == 0 || g == 255) && (b == 0 || b == 255);
                if (corner) {
                    EXPECT_EQ(back, static_cast<TColorRef>(color)) << r << "," << g << "," << b;
                }
            }
    EXPECT_LT(static_cast<double>(total) / channels, 1.5);
}

TEST(FilterCatalogue, EqualizeStretchesEachChannel)
{
    // Spans 0 .. 255 already (inner pixels): nothing changes.
    auto full = picture(4, 4, [](int x, int y) {
        const Byte v = (x == 1 && y == 1) ? 0 : (x == 2 && y == 2) ? 255 : 100;
        return static_cast<TColor>(RGB(v, v, v));
    });
    TEqualizeFilter f(nullptr);
    f.ApplyToBitmap(*full);
    EXPECT_EQ(pixel(*full, 1, 2), RGB(100, 100, 100));

    // Inner pixels 50 .. 150 (and 110) in red, 20 .. 20 in green, 0 .. 255 in blue; the border is left alone.
    auto b = picture(4, 4, [](int x, int y) {
        if (x == 0 || y == 0 || x == 3 || y == 3) return static_cast<TColor>(RGB(1, 1, 1));
        const bool low = x == 1 && y == 1;
        return static_cast<TColor>(RGB(low                ? 50
                                       : x == 2 && y == 2 ? 150
                                                          : 110,
                                       20,
                                       low                ? 0
                                       : x == 2 && y == 2 ? 255
                                                          : 64));
    });
    f.ApplyToBitmap(*b);
    EXPECT_EQ(pixel(*b, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(pixel(*b, 2, 2), RGB(255, 0, 255));
    EXPECT_EQ(pixel(*b, 1, 2), RGB(153, 0, 64));  // (110 - 50) * 255 / 100
    EXPECT_EQ(pixel(*b, 0, 0), RGB(1, 1, 1));
}

TEST(FilterCatalogue, SobelTreatsTheBorderAsBlack)
{
    auto b = plain(7, 7, RGB(30, 30, 30));
    TSobelFilter f(nullptr);
    f.ApplyToBitmap(*b);
    EXPECT_EQ(pixel(*b, 3, 3), RGB(0, 0, 0));        // flat inside
    EXPECT_EQ(pixel(*b, 1, 1), RGB(180, 180, 180));  // both sums -90
    EXPECT_EQ(pixel(*b, 2, 1), RGB(120, 120, 120));  // only the vertical sum
    EXPECT_EQ(pixel(*b, 0, 0), RGB(30, 30, 30));     // the border keeps its pixels

    auto bright = plain(5, 5, RGB(90, 90, 90));
    f.ApplyToBitmap(*bright);
    EXPECT_EQ(pixel(*bright, 1, 1), RGB(255, 255, 255));
}

TEST(FilterCatalogue, BevelLightensTopLeftAndDarkensBottomRight)
{
    auto b = plain(10, 10, RGB(100, 100, 100));
    TBevelFilter f(nullptr);
    f.SetBright(50);
    f.SetSize(2);
    f.ApplyToBitmap(*b);
    struct Probe {
        int x, y, v;
    };
    const Probe probes[] = {
        {0, 0, 150}, {5, 0, 150}, {9, 0, 150},  // top row, corners included
        {5, 9, 50},  {0, 5, 150}, {9, 5, 50},   // bottom row, left and right columns
        {0, 9, 100},                            // darkened by the bottom row, lightened by the left column
        {9, 9, 0},                              // darkened twice
        {5, 1, 150}, {1, 5, 150}, {8, 5, 50},  {5, 8, 50}, {5, 5, 100}, {2, 5, 100},
    };
    for (const Probe& p : probes) EXPECT_EQ(pixel(*b, p.x, p.y), RGB(p.v, p.v, p.v)) << p.x << "," << p.y;
}

TEST(FilterCatalogue, FlipAndReverseExchangeTheMiddleLinesOfAnEvenRegion)
{
    struct Case {
        const char* name;
        bool flip;
        int x, y;          // a pixel after the filter
        int fromX, fromY;  // where it was before
    };
    // Region rows (flip) or columns (reverse) 1 .. 4 of a 6 x 6 picture: four lines.
    const Case cases[] = {
        {"flip outer", true, 3, 1, 3, 4},         {"flip middle", true, 3, 2, 3, 3},
        {"flip middle back", true, 3, 3, 3, 2},   {"flip outside", true, 3, 0, 3, 0},
        {"flip outside below", true, 3, 5, 3, 5}, {"reverse outer", false, 1, 3, 4, 3},
        {"reverse middle", false, 2, 3, 3, 3},    {"reverse outside", false, 5, 3, 5, 3},
    };
    for (const Case& c : cases) {
        auto b = picture(6, 6, positionColor);
        std::unique_ptr<TZebFilter> f;
        if (c.flip)
            f = std::make_unique<TFlipFilter>(nullptr);
        else
            f = std::make_unique<TReverseFilter>(nullptr);
        f->Region()->SetLeft(c.flip ? 0 : 1);
        f->Region()->SetTop(c.flip ? 1 : 0);
        f->Region()->SetWidth(c.flip ? 0 : 3);
        f->Region()->SetHeight(c.flip ? 3 : 0);
        f->ApplyToBitmap(*b);
        EXPECT_EQ(pixel(*b, c.x, c.y), positionColor(c.fromX, c.fromY)) << c.name;
    }
}

TEST(FilterCatalogue, MosaicBlocks)
{
    // Block 10 on 100 x 100: ten rows of ten blocks, the last reaching the bottom row.
    auto b = picture(100, 100, [](int x, int y) { return static_cast<TColor>(RGB(x % 10 < 5 ? 0 : 100, y, 0)); });
    TMosaicFilter f(nullptr);
    f.SetAmount(10);
    f.ApplyToBitmap(*b);
    for (int by = 0; by < 10; ++by)
        for (int bx = 0; bx < 10; ++bx)
            for (int y = by * 10; y < by * 10 + 10; ++y)
                for (int x = bx * 10; x < bx * 10 + 10; ++x)
                    ASSERT_EQ(pixel(*b, x, y), RGB(50, by * 10 + 4, 0)) << x << "," << y;  // 4.5 to even

    // 25 x 1 with block 10: blocks 0..9, 10..19 and the short last one 20..24.
    auto line = picture(25, 1, [](int x, int) { return static_cast<TColor>(RGB(static_cast<Byte>(x * 10), 0, 0)); });
    f.ApplyToBitmap(*line);
    EXPECT_EQ(pixel(*line, 9, 0), RGB(45, 0, 0));
    EXPECT_EQ(pixel(*line, 10, 0), RGB(145, 0, 0));
    EXPECT_EQ(pixel(*line, 24, 0), RGB(220, 0, 0));

    // A percent of the shorter side: 10 % of 99 rounds to 10.
    auto pc = picture(100, 100, [](int x, int) { return static_cast<TColor>(RGB(x % 10 < 5 ? 0 : 100, 0, 0)); });
    f.SetPercent(true);
    f.ApplyToBitmap(*pc);
    EXPECT_EQ(pixel(*pc, 0, 0), RGB(50, 0, 0));
    EXPECT_EQ(pixel(*pc, 99, 99), RGB(50, 0, 0));

    f.SetAmount(0);  // nothing
    auto same = picture(4, 4, positionColor);
    f.ApplyToBitmap(*same);
    EXPECT_EQ(pixel(*same, 3, 3), positionColor(3, 3));
}

TEST(FilterCatalogue, RotateByRightAngles)
{
    struct Case {
        double angle;
        int width, height;  // of the result
        int x, y;           // a result pixel
        int fromX, fromY;   // where it was in the 3 x 2 source
    };
    const Case cases[] = {
        {90, 2, 3, 1, 0, 0, 0},  {90, 2, 3, 0, 2, 2, 1},  {270, 2, 3, 0, 2, 0, 0},
        {270, 2, 3, 1, 0, 2, 1}, {180, 3, 2, 0, 0, 2, 1}, {540, 3, 2, 2, 1, 0, 0},  // 540 is 180
        {720, 3, 2, 1, 0, 1, 0},                                                    // 720 is 360: the picture as it was
        {360, 3, 2, 2, 1, 2, 1},
    };
    for (const Case& c : cases) {
        auto b = picture(3, 2, positionColor);
        TRotateFilter f(nullptr);
        f.SetAngle(c.angle);
        f.ApplyToBitmap(*b);
        ASSERT_EQ(b->Width(), c.width) << c.angle;
        ASSERT_EQ(b->Height(), c.height) << c.angle;
        EXPECT_EQ(pixel(*b, c.x, c.y), positionColor(c.fromX, c.fromY)) << c.angle << " at " << c.x << "," << c.y;
    }
}

TEST(FilterCatalogue, RotateReducesTheAngleLikeWholeTurns)
{
    struct Case {
        double angle, reduced;
    };
    const Case cases[] = {
        {540, 180},    {720, 360},   {360, 360}, {370.5, 10.5},
        {3600010, 10}, {1e300, 360},  // a whole number of turns, and far too many to take away one by one
        {-90, -90},    {0, 0},
    };
    for (const Case& c : cases) {
        auto b = plain(4, 4, clRed);
        TRotateFilter f(nullptr);
        f.SetAngle(c.angle);
        f.ApplyToBitmap(*b);
        EXPECT_EQ(f.Angle(), c.reduced) << c.angle;
    }
}

TEST(FilterCatalogue, RotateIgnoresAngleWithoutAValue)
{
    for (double angle : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                         std::numeric_limits<double>::quiet_NaN()}) {
        auto b = picture(3, 2, positionColor);
        TRotateFilter f(nullptr);
        f.SetAngle(angle);
        f.ApplyToBitmap(*b);
        EXPECT_EQ(b->Width(), 3);
        EXPECT_EQ(pixel(*b, 2, 1), positionColor(2, 1));
    }
}

TEST(FilterCatalogue, RotateByOtherAngles)
{
    // 45 degrees: the bitmap grows to hold the turned picture; the corners take the back colour.
    auto b = plain(100, 50, clRed);
    TRotateFilter f(nullptr);
    f.SetAngle(45);
    f.SetBackColor(clBlue);
    f.ApplyToBitmap(*b);
    EXPECT_EQ(b->Width(), 106);
    EXPECT_EQ(b->Height(), 106);
    EXPECT_EQ(pixel(*b, 53, 53), clRed);
    EXPECT_EQ(pixel(*b, 0, 0), clBlue);
    EXPECT_EQ(pixel(*b, 105, 105), clBlue);

    // Clockwise: the top-right corner of a 21 x 21 picture comes to the middle of the right side,
    // the bottom-right corner to the middle of the bottom.
    auto square = picture(21, 21, positionColor);
    f.ApplyToBitmap(*square);
    ASSERT_EQ(square->Width(), 30);
    EXPECT_EQ(pixel(*square, 29, 15), positionColor(20, 0));
    EXPECT_EQ(pixel(*square, 15, 29), positionColor(20, 20));

    // Without AutoSize the size stays; the default back colour is white.
    auto kept = plain(100, 50, clRed);
    TRotateFilter g(nullptr);
    g.SetAngle(30);
    g.SetAutoSize(false);
    g.ApplyToBitmap(*kept);
    EXPECT_EQ(kept->Width(), 100);
    EXPECT_EQ(kept->Height(), 50);
    EXPECT_EQ(pixel(*kept, 50, 25), clRed);
    EXPECT_EQ(pixel(*kept, 0, 0), clWhite);

    // A turned 1 x 1 picture stays as it was.
    auto dot = plain(1, 1, clRed);
    f.ApplyToBitmap(*dot);
    EXPECT_EQ(dot->Width(), 1);
    EXPECT_EQ(dot->Height(), 1);
    EXPECT_EQ(pixel(*dot, 0, 0), clRed);
}

TEST(FilterCatalogue, MirrorDoublesThePicture)
{
    struct Case {
        TMirrorDirection direction;
        int width, height;
        int x, y, fromX, fromY;
    };
    const Case cases[] = {
        {mdDown, 3, 4, 2, 1, 2, 1},  {mdDown, 3, 4, 2, 2, 2, 1},  {mdDown, 3, 4, 0, 3, 0, 0},
        {mdUp, 3, 4, 2, 3, 2, 1},    {mdUp, 3, 4, 0, 0, 0, 1},    {mdUp, 3, 4, 0, 1, 0, 0},
        {mdRight, 6, 2, 1, 1, 1, 1}, {mdRight, 6, 2, 3, 0, 2, 0}, {mdRight, 6, 2, 5, 1, 0, 1},
        {mdLeft, 6, 2, 3, 1, 0, 1},  {mdLeft, 6, 2, 0, 0, 2, 0},  {mdLeft, 6, 2, 2, 1, 0, 1},
    };
    for (const Case& c : cases) {
        auto b = picture(3, 2, positionColor);
        TMirrorFilter f(nullptr);
        f.SetDirection(c.direction);
        f.ApplyToBitmap(*b);
        ASSERT_EQ(b->Width(), c.width) << c.direction;
        ASSERT_EQ(b->Height(), c.height) << c.direction;
        EXPECT_EQ(pixel(*b, c.x, c.y), positionColor(c.fromX, c.fromY)) << c.direction << " at " << c.x << "," << c.y;
    }
    EXPECT_FALSE(TMirrorFilter(nullptr).RegionAllowed());
}

// Four quadrants of a 20 x 20 picture.
TColor quadrant(int x, int y) { return x < 10 ? (y < 10 ? clRed : clLime) : (y < 10 ? clBlue : clYellow); }

TEST(FilterCatalogue, ResizeCropAndZoom)
{
    auto b = picture(20, 20, quadrant);
    TResizeFilter resize(nullptr);
    resize.ApplyToBitmap(*b);  // no size: nothing
    EXPECT_EQ(b->Width(), 20);
    resize.SetWidth(40);
    resize.SetHeight(10);
    resize.ApplyToBitmap(*b);
    EXPECT_EQ(b->Width(), 40);
    EXPECT_EQ(b->Height(), 10);
    EXPECT_EQ(pixel(*b, 0, 0), clRed);
    EXPECT_EQ(pixel(*b, 39, 9), clYellow);

    for (bool smooth : {false, true}) {
        // The top-right quadrant over the whole bitmap, which keeps its size.
        auto c = picture(20, 20, quadrant);
        TCropFilter crop(nullptr);
        crop.SetLeft(10);
        crop.SetWidth(10);
        crop.SetHeight(10);
        crop.SetSmooth(smooth);
        crop.ApplyToBitmap(*c);
        EXPECT_EQ(c->Width(), 20);
        for (TPoint p : {TPoint{0, 0}, TPoint{19, 0}, TPoint{0, 19}, TPoint{19, 19}, TPoint{10, 10}})
            EXPECT_EQ(pixel(*c, p.X, p.Y), clBlue) << smooth << " " << p.X << "," << p.Y;
    }

    // Zoom 50 %: a quarter is cut from each side; the corners keep their quadrants.
    auto z = picture(20, 20, quadrant);
    TZoomFilter zoom(nullptr);
    zoom.SetPercent(50);
    zoom.ApplyToBitmap(*z);
    EXPECT_EQ(pixel(*z, 0, 0), clRed);
    EXPECT_EQ(pixel(*z, 19, 19), clYellow);
    EXPECT_EQ(pixel(*z, 4, 4), clRed);
    EXPECT_EQ(pixel(*z, 15, 4), clBlue);

    // In a region: the part is zoomed where it lies; the rest stays.
    auto part = picture(40, 20, [](int x, int y) { return x < 20 ? quadrant(x, y) : clBlack; });
    zoom.Region()->SetWidth(19);
    zoom.Region()->SetHeight(19);
    zoom.ApplyToBitmap(*part);
    EXPECT_EQ(pixel(*part, 0, 0), clRed);
    EXPECT_EQ(pixel(*part, 19, 19), clYellow);
    EXPECT_EQ(pixel(*part, 15, 4), clBlue);
    EXPECT_EQ(pixel(*part, 25, 10), clBlack);
}

TEST(FilterCatalogue, TileRepeatsTheWholePicture)
{
    // Left half black, right half white, 21 x 11: two tiles of 10 x 10 side by side.
    auto b = picture(21, 11, [](int x, int) { return x < 10 ? clBlack : clWhite; });
    TTileFilter f(nullptr);
    f.SetNumCols(2);
    f.SetNumRows(0);  // becomes 1
    f.ApplyToBitmap(*b);
    EXPECT_EQ(f.NumRows(), 1);
    EXPECT_LT(channel(*b, 1, 5), 40);
    EXPECT_GT(channel(*b, 8, 5), 215);
    EXPECT_LT(channel(*b, 11, 5), 40);
    EXPECT_GT(channel(*b, 18, 5), 215);
    EXPECT_EQ(pixel(*b, 20, 5), clWhite);  // beyond the tiles
    EXPECT_EQ(pixel(*b, 1, 10), clBlack);

    f.SetNumCols(50);  // tiles narrower than a pixel: nothing
    auto same = picture(6, 6, positionColor);
    f.ApplyToBitmap(*same);
    EXPECT_EQ(pixel(*same, 0, 0), positionColor(0, 0));
}

// Settings read from a stream can hold any value: the extremes give the strongest effect, never a
// failure.
TEST(FilterCatalogue, ExtremeSettings)
{
    constexpr int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    struct Case {
        const char* name;
        TFilterMaker make;
        TColor after;  // of a mid-grey pixel inside the picture
    };
    auto zoom = [](double percent) { return made<TZoomFilter>([=](TZoomFilter& f) { f.SetPercent(percent); }); };
    const Case cases[] = {
        {"brightness most", amount<TBrightnessFilter>(most, false), clWhite},
        {"brightness most %", amount<TBrightnessFilter>(most, true), clWhite},
        {"brightness least %", amount<TBrightnessFilter>(least, true), clBlack},
        {"contrast most %", amount<TContrastFilter>(most, true), clWhite},  // 200 lies above the middle
        {"mosaic most %", amount<TMosaicFilter>(most, true), RGB(200, 200, 200)},
        {"colour least and most", made<TColorFilter>([](TColorFilter& f) {
             f.SetRed(least);
             f.SetGreen(most);
         }),
         RGB(0, 255, 200)},
        {"luminance most", made<THueLumSatFilter>([](THueLumSatFilter& f) { f.SetLuminance(most); }), clWhite},
        // (1, 1) lies on the lightened top-left edge.
        {"bevel most", made<TBevelFilter>([](TBevelFilter& f) {
             f.SetBright(most);
             f.SetSize(most);
         }),
         clWhite},
        {"crop far away", made<TCropFilter>([](TCropFilter& f) {
             f.SetLeft(most);
             f.SetTop(most);
             f.SetWidth(2);
             f.SetHeight(2);
         }),
         clWhite},
        {"zoom huge", zoom(1e300), RGB(200, 200, 200)},
        {"zoom not a number", zoom(std::numeric_limits<double>::quiet_NaN()), RGB(200, 200, 200)},
    };
    for (const Case& c : cases) {
        auto b = plain(6, 6, RGB(200, 200, 200));
        c.make()->ApplyToBitmap(*b);
        EXPECT_EQ(pixel(*b, 1, 1), c.after) << c.name << std::hex << " got " << pixel(*b, 1, 1);
    }
}
