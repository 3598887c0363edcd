// The 53 hatch patterns of the antialiased layer: their bits, their place on the device grid, and
// a sheet of all of them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiPlus.h"
#include "tests/support/Golden.h"

namespace {

using Rows = std::array<std::uint8_t, 8>;  // top row first; the high bit is the leftmost pixel

const struct {
    TGPHatchStyle style;
    Rows rows;
} hatches[] = {
    {HatchStyleHorizontal, {0xFF, 0, 0, 0, 0, 0, 0, 0}},
    {HatchStyleVertical, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyleForwardDiagonal, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},
    {HatchStyleBackwardDiagonal, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},
    {HatchStyleCross, {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyleDiagonalCross, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}},
    {HatchStyle05Percent, {0x88, 0, 0, 0, 0x88, 0, 0, 0}},
    {HatchStyle10Percent, {0x88, 0, 0x20, 0, 0x88, 0, 0x02, 0}},
    {HatchStyle20Percent, {0xAA, 0, 0xA2, 0, 0xAA, 0, 0x22, 0}},
    {HatchStyle25Percent, {0xAA, 0, 0xAA, 0, 0xAA, 0, 0xAA, 0}},
    {HatchStyle30Percent, {0xAA, 0x44, 0xAA, 0, 0xAA, 0x04, 0xAA, 0}},
    {HatchStyle40Percent, {0xAA, 0x54, 0xAA, 0x11, 0xAA, 0x45, 0xAA, 0x11}},
    {HatchStyle50Percent, {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}},
    {HatchStyle60Percent, {0xEE, 0x55, 0xBA, 0x55, 0xEE, 0x55, 0xAB, 0x55}},
    {HatchStyle70Percent, {0xFF, 0x55, 0xFB, 0x55, 0xFF, 0x55, 0xBB, 0x55}},
    {HatchStyle75Percent, {0xFF, 0x55, 0xFF, 0x55, 0xFF, 0x55, 0xFF, 0x55}},
    {HatchStyle80Percent, {0xFF, 0xDD, 0xFF, 0x55, 0xFF, 0x5D, 0xFF, 0x55}},
    {HatchStyle90Percent, {0xFF, 0xFD, 0xFF, 0x77, 0xFF, 0xDF, 0xFF, 0x77}},
    {HatchStyleLightDownwardDiagonal, {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11}},
    {HatchStyleLightUpwardDiagonal, {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88}},
    {HatchStyleDarkDownwardDiagonal, {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99}},
    {HatchStyleDarkUpwardDiagonal, {0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99}},
    {HatchStyleWideDownwardDiagonal, {0xE0, 0x70, 0x38, 0x1C, 0x0E, 0x07, 0x83, 0xC1}},
    {HatchStyleWideUpwardDiagonal, {0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1, 0x83}},
    {HatchStyleLightVertical, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88}},
    {HatchStyleLightHorizontal, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0}},
    {HatchStyleNarrowVertical, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
    {HatchStyleNarrowHorizontal, {0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0}},
    {HatchStyleDarkVertical, {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}},
    {HatchStyleDarkHorizontal, {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0}},
    {HatchStyleDashedDownwardDiagonal, {0, 0, 0, 0, 0x88, 0x44, 0x22, 0x11}},
    {HatchStyleDashedUpwardDiagonal, {0, 0, 0, 0, 0x11, 0x22, 0x44, 0x88}},
    {HatchStyleDashedHorizontal, {0xF0, 0, 0, 0, 0x0F, 0, 0, 0}},
    {HatchStyleDashedVertical, {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08}},
    {HatchStyleSmallConfetti, {0x80, 0x08, 0x40, 0x02, 0x10, 0x01, 0x20, 0x04}},
    {HatchStyleLargeConfetti, {0xC0, 0xC0, 0x0C, 0x0C, 0x03, 0x03, 0x30, 0x30}},
    {HatchStyleZigZag, {0x81, 0x42, 0x24, 0x18, 0, 0, 0, 0}},
    {HatchStyleWave, {0, 0x70, 0x88, 0x07, 0, 0, 0, 0}},
    {HatchStyleDiagonalBrick, {0x01, 0x02, 0x04, 0x08, 0x14, 0x22, 0x41, 0x80}},
    {HatchStyleHorizontalBrick, {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}},
    {HatchStyleWeave, {0x88, 0x54, 0x22, 0x45, 0x88, 0x51, 0x22, 0x15}},
    {HatchStylePlaid, {0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0}},
    {HatchStyleDivot, {0, 0x40, 0x20, 0x40, 0, 0x04, 0x02, 0x04}},
    {HatchStyleDottedGrid, {0xAA, 0, 0x80, 0, 0x80, 0, 0x80, 0}},
    {HatchStyleDottedDiamond, {0x80, 0, 0x22, 0, 0x08, 0, 0x22, 0}},
    {HatchStyleShingle, {0xF0, 0x08, 0x04, 0x02, 0x0F, 0x80, 0x40, 0x20}},
    {HatchStyleTrellis, {0xFF, 0x33, 0xFF, 0xCC, 0xFF, 0x33, 0xFF, 0xCC}},
    {HatchStyleSphere, {0x38, 0x7C, 0xDE, 0xFE, 0xFE, 0x7C, 0x38, 0}},
    {HatchStyleSmallGrid, {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88}},
    {HatchStyleSmallCheckerBoard, {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33}},
    {HatchStyleLargeCheckerBoard, {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F}},
    {HatchStyleOutlinedDiamond, {0x08, 0x14, 0x22, 0x41, 0x80, 0x41, 0x22, 0x14}},
    {HatchStyleSolidDiamond, {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0}},
};
static_assert(std::size(hatches) == HatchStyleCount);

struct GdiPlusHatch : ::testing::Test {
    void SetUp() override
    {
        tvgdiplus::SetLibraryMissing(false);
        StartGdiPlus();
    }
};

constexpr TGPColor fore = 0xFF102030, back = 0xFFF0E0D0;

TEST_F(GdiPlusHatch, EachPatternHasItsBitsInForeAndBackColour)
{
    for (const auto& h : hatches) {
        SCOPED_TRACE(h.style);
        // Filled from an odd place: the pattern stays on the device grid, so pixel (x, y) shows
        // bit (x mod 8, y mod 8).
        TGPBitmap bmp(24, 24, PixelFormat32bppARGB);
        TGPGraphics g(bmp);
        TGPHatchBrush brush(h.style, fore, back);
        ASSERT_EQ(brush.GetHatchStyle(), h.style);
        ASSERT_EQ(g.FillRectangleI(brush, 3, 5, 21, 19), Ok);
        int wrong = 0;
        for (int y = 5; y < 24; ++y)
            for (int x = 3; x < 24; ++x) {
                TGPColor c = 0;
                bmp.GetPixel(x, y, c);
                const bool set = h.rows[std::size_t(y % 8)] & (0x80 >> (x % 8));
                wrong += c != (set ? fore : back);
            }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(GdiPlusHatch, PercentPatternsGrowDenser)
{
    int last = 0;
    for (int style = HatchStyle05Percent; style <= HatchStyle90Percent; ++style) {
        int bits = 0;
        for (std::uint8_t row : hatches[style].rows) bits += __builtin_popcount(row);
        EXPECT_GT(bits, last) << style;
        last = bits;
    }
}

TEST_F(GdiPlusHatch, PatternsStayOnTheDeviceGridUnderTransformsAndOrigins)
{
    TBitmap bmp(20, 20, pf32bit);
    HDC dc = bmp.Canvas()->Handle();
    dc->SetViewportOrg({3, 1});
    TGPGraphics g(dc);
    g.TranslateWorldTransform(2.0f, 5.0f);
    g.FillRectangleI(TGPHatchBrush(HatchStyleVertical, 0xFF000000, 0xFFFFFFFF), -5, -6, 20, 20);
    dc->SetViewportOrg({0, 0});
    for (int x = 0; x < 20; ++x) EXPECT_EQ(dc->GetPixel(x, 10) == 0, x % 8 == 0) << x;
}

TEST_F(GdiPlusHatch, StylesOutsideTheTableAreRefused)
{
    EXPECT_EQ(TGPHatchBrush(TGPHatchStyle(53), fore, back).GetLastStatus(), InvalidParameter);
    EXPECT_EQ(TGPHatchBrush(TGPHatchStyle(-1), fore, back).GetLastStatus(), InvalidParameter);
}

TEST_F(GdiPlusHatch, SheetOfAllPatterns)
{
    constexpr int columns = 9, cell = 40, gap = 4;
    constexpr int rows = (HatchStyleCount + columns - 1) / columns;
    TBitmap sheet(columns * (cell + gap) + gap, rows * (cell + gap) + gap, pf24bit);
    HDC dc = sheet.Canvas()->Handle();
    dc->FillRect({0, 0, sheet.Width(), sheet.Height()}, clWhite);
    TGPGraphics g(dc);
    TGPPen frame(0xFF606060, 1);
    for (int style = 0; style < HatchStyleCount; ++style) {
        const int x = gap + (style % columns) * (cell + gap), y = gap + (style / columns) * (cell + gap);
        g.FillRectangleI(TGPHatchBrush(TGPHatchStyle(style), 0xFF000080, 0xFFFFF0C0), x, y, cell, cell);
        g.DrawRectangleI(frame, x, y, cell - 1, cell - 1);
    }
    testsupport::ExpectMatchesGolden(sheet, TV_SOURCE_DIR "/tests/platform/graphics/golden", "gdiplus_hatches");
}

}  // namespace
