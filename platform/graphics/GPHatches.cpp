// The 53 hatch patterns of the antialiased layer, 8 x 8 pixels each, drawn to match their names.
// Row 0 is the top; the high bit of a row is its leftmost pixel; set bits take the fore colour.
#include <array>
#include <cstdint>

#include "platform/graphics/GPObjects_p.h"

namespace {

using Pattern = std::array<std::uint8_t, 8>;

// The percent patterns spread their share of the 64 pixels evenly: a pixel is set when its rank
// in an ordered-dither matrix is below the share.
constexpr std::uint8_t ditherRank[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
                                           {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
                                           {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
                                           {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21}};

constexpr Pattern percent(int pixels)
{
    Pattern p{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (ditherRank[y][x] < pixels) p[y] = std::uint8_t(p[y] | (0x80 >> x));
    return p;
}

constexpr Pattern rows(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d, std::uint8_t e, std::uint8_t f,
                       std::uint8_t g, std::uint8_t h)
{
    return {a, b, c, d, e, f, g, h};
}

constexpr std::array<Pattern, HatchStyleCount> patterns = {
    rows(0xFF, 0, 0, 0, 0, 0, 0, 0),                       // Horizontal
    rows(0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80),  // Vertical
    rows(0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01),  // ForwardDiagonal: top left to bottom right
    rows(0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80),  // BackwardDiagonal
    rows(0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80),  // Cross
    rows(0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81),  // DiagonalCross
    percent(4),                                            // 05Percent: a regular grid of dots
    percent(6),                                            // 10Percent
    percent(13),                                           // 20Percent
    percent(16),                                           // 25Percent
    percent(19),                                           // 30Percent
    percent(26),                                           // 40Percent
    percent(32),                                           // 50Percent
    percent(38),                                           // 60Percent
    percent(45),                                           // 70Percent
    percent(48),                                           // 75Percent
    percent(51),                                           // 80Percent
    percent(58),                                           // 90Percent
    rows(0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11),  // LightDownwardDiagonal: every 4th pixel
    rows(0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88),  // LightUpwardDiagonal
    rows(0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99),  // DarkDownwardDiagonal: two pixels wide
    rows(0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99),  // DarkUpwardDiagonal
    rows(0xE0, 0x70, 0x38, 0x1C, 0x0E, 0x07, 0x83, 0xC1),  // WideDownwardDiagonal: three pixels wide
    rows(0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1, 0x83),  // WideUpwardDiagonal
    rows(0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88),  // LightVertical: every 4th column
    rows(0xFF, 0, 0, 0, 0xFF, 0, 0, 0),                    // LightHorizontal: every 4th row
    rows(0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA),  // NarrowVertical: every 2nd column
    rows(0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0),              // NarrowHorizontal: every 2nd row
    rows(0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC),  // DarkVertical: two of every four columns
    rows(0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0),              // DarkHorizontal: two of every four rows
    rows(0, 0, 0, 0, 0x88, 0x44, 0x22, 0x11),              // DashedDownwardDiagonal
    rows(0, 0, 0, 0, 0x11, 0x22, 0x44, 0x88),              // DashedUpwardDiagonal
    rows(0xF0, 0, 0, 0, 0x0F, 0, 0, 0),                    // DashedHorizontal: staggered dashes
    rows(0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08),  // DashedVertical
    rows(0x80, 0x08, 0x40, 0x02, 0x10, 0x01, 0x20, 0x04),  // SmallConfetti: single scattered dots
    rows(0xC0, 0xC0, 0x0C, 0x0C, 0x03, 0x03, 0x30, 0x30),  // LargeConfetti: scattered 2 x 2 flecks
    rows(0x81, 0x42, 0x24, 0x18, 0, 0, 0, 0),              // ZigZag
    rows(0x60, 0x90, 0x09, 0x06, 0, 0, 0, 0),              // Wave
    rows(0x01, 0x02, 0x04, 0x08, 0x14, 0x22, 0x41, 0x80),  // DiagonalBrick: rising courses, half-length joints
    rows(0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08),  // HorizontalBrick: joints staggered by half a brick
    rows(0x88, 0x54, 0x22, 0x45, 0x88, 0x51, 0x22, 0x15),  // Weave: diagonals passing over and under
    rows(0xAA, 0x55, 0xAA, 0x55, 0xF0, 0xF0, 0xF0, 0xF0),  // Plaid: a checked band across a solid one
    rows(0, 0x40, 0x20, 0x40, 0, 0x04, 0x02, 0x04),        // Divot: small notches
    rows(0xAA, 0, 0x80, 0, 0x80, 0, 0x80, 0),              // DottedGrid
    rows(0x80, 0, 0x22, 0, 0x08, 0, 0x22, 0),              // DottedDiamond
    rows(0xF0, 0x08, 0x04, 0x02, 0x0F, 0x80, 0x40, 0x20),  // Shingle: staggered slanted tiles
    rows(0xFF, 0x33, 0xFF, 0xCC, 0xFF, 0x33, 0xFF, 0xCC),  // Trellis
    rows(0x38, 0x7C, 0xDE, 0xFE, 0xFE, 0x7C, 0x38, 0),     // Sphere: a ball with a highlight
    rows(0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88),  // SmallGrid: every 4th row and column
    rows(0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33),  // SmallCheckerBoard: 2 x 2 squares
    rows(0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F),  // LargeCheckerBoard: 4 x 4 squares
    rows(0x08, 0x14, 0x22, 0x41, 0x80, 0x41, 0x22, 0x14),  // OutlinedDiamond
    rows(0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0),     // SolidDiamond
};

}  // namespace

const std::uint8_t* tvgdiplus::HatchBits(int style)
{
    return patterns[style >= 0 && style < HatchStyleCount ? style : HatchStyleHorizontal].data();
}
