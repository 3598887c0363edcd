#include "widgets/sevenseg/SevenSegmentGlyphs.h"

#include <cmath>

namespace {

constexpr std::uint8_t kGlyphBits[16] = {63, 6, 91, 79, 102, 109, 125, 7, 127, 103, 119, 124, 57, 94, 121, 113};

std::vector<SegPoint> Quad(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return {{x1, y1}, {x2, y2}, {x3, y3}, {x4, y4}};
}

// An axis-aligned box given by its corner columns and rows, listed clockwise from top left.
std::vector<SegPoint> Box(int left, int top, int right, int bottom)
{
    return Quad(left, top, right, top, right, bottom, left, bottom);
}

struct SignBoxes {
    std::vector<SegPoint> plusBar, plusStem, minus;
};

SignBoxes SignShapes(const CellGeometry& g)
{
    const double W = g.Width, H = g.Height, z = g.Size;
    const int left = RoundToEven(2.5 * W / 10), right = RoundToEven(7.5 * W / 10);
    SignBoxes s;
    s.plusBar = Box(left, RoundToEven(4.5 * H / 18 - z / 2), right, RoundToEven(4.5 * H / 18 + z / 2));
    s.plusStem = Box(RoundToEven(W / 2 - z / 2), RoundToEven(2 * H / 18), RoundToEven(W / 2 + z / 2),
                     RoundToEven(7 * H / 18));
    s.minus = Box(left, RoundToEven(13.5 * H / 18 - z / 2), right, RoundToEven(13.5 * H / 18 + z / 2));
    return s;
}

}  // namespace

int RoundToEven(double x)
{
    return static_cast<int>(std::nearbyint(x));  // default rounding mode: to nearest, ties to even
}

TSevenSegmentCharacter CharacterToSegmentValue(char c)
{
    if (c >= '0' && c <= '9') return static_cast<TSevenSegmentCharacter>(c - '0');
    if (c >= 'a' && c <= 'f') return static_cast<TSevenSegmentCharacter>(sscA + (c - 'a'));
    if (c >= 'A' && c <= 'F') return static_cast<TSevenSegmentCharacter>(sscA + (c - 'A'));
    switch (c) {
    case '.': return sscPeriod;
    case ':': return sscColon;
    case '+': return sscPlus;
    case '-': return sscMinus;
    case '_': return sscLine;
    case '<': return sscUpArrow;
    case '>': return sscDownArrow;
    case ';': return sscSemiColon;
    case ',': return sscComma;
    default: return sscBlank;
    }
}

char SegmentValueToCharacter(TSevenSegmentCharacter value)
{
    static constexpr char kChars[SevenSegmentCharacterCount + 1] = "0123456789abcdef.:+- _<>;,";
    const int i = static_cast<int>(value);
    return (i >= 0 && i < SevenSegmentCharacterCount) ? kChars[i] : ' ';
}

std::uint8_t GlyphBits(TSevenSegmentCharacter value) { return value <= sscF ? kGlyphBits[value] : 0; }

bool IsNarrowCharacter(TSevenSegmentCharacter value)
{
    return value == sscPeriod || value == sscColon || value == sscSemiColon || value == sscComma;
}

std::vector<SegPoint> SegmentPolygon(const CellGeometry& g, int index)
{
    const int W = g.Width, H = g.Height, m = g.Margin, s = g.Seperation, z = g.Size;
    const int h = (H - 1) / 2;
    switch (index) {
    case 0: return Quad(m + s, m, W - m - s - 1, m, W - m - s - 2 * z - 1, m + 2 * z, m + s + 2 * z, m + 2 * z);
    case 1:
        return Quad(W - m - 1, m + s, W - m - 1, h - s, W - m - 2 * z - 1, h - s - 2 * z, W - m - 2 * z - 1,
                    m + s + 2 * z);
    case 2:
        return Quad(W - m - 1, h + s, W - m - 1, H - 1 - m - s, W - m - 2 * z - 1, H - 1 - m - s - 2 * z,
                    W - m - 2 * z - 1, h + s + 2 * z);
    case 3:
        return Quad(m + s, H - m - 1, W - m - s - 1, H - m - 1, W - m - s - 2 * z - 1, H - m - 2 * z - 1, m + s + 2 * z,
                    H - m - 2 * z - 1);
    case 4: return Quad(m, h + s, m, H - 1 - m - s, m + 2 * z, H - 1 - m - s - 2 * z, m + 2 * z, h + s + 2 * z);
    case 5: return Quad(m, m + s, m, h - s, m + 2 * z, h - s - 2 * z, m + 2 * z, m + s + 2 * z);
    case 6:
        return {{m + s, h},         {m + s + z, h - z},         {W - m - s - z - 1, h - z},
                {W - m - s - 1, h}, {W - m - s - z - 1, h + z}, {m + s + z, h + z}};
    default: return {};
    }
}

std::vector<SegShape> CharacterShapes(const CellGeometry& g, TSevenSegmentCharacter value, const CellStyle& style)
{
    std::vector<SegShape> shapes;
    auto lit = [&](std::vector<SegPoint> pts) { shapes.push_back({std::move(pts), SegState::Lit}); };
    auto unlit = [&](std::vector<SegPoint> pts) {
        if (style.ShowOffSegments) shapes.push_back({std::move(pts), SegState::Unlit});
    };

    auto segments = [&](std::uint8_t bits) {
        for (int i = 0; i < 7; ++i) {
            if (bits & (1u << i))
                lit(SegmentPolygon(g, i));
            else
                unlit(SegmentPolygon(g, i));
        }
    };
    if (style.UseSegmentBits) {
        segments(style.SegmentBits & 0x7F);
        return shapes;
    }
    if (value <= sscF || value == sscBlank) {
        segments(GlyphBits(value));
        return shapes;
    }

    const int W = g.Width, H = g.Height, m = g.Margin, z = g.Size;
    const double Hd = H;
    const int c = W / 2;
    const int h = (H - 1) / 2;
    const auto upperDot = Box(c - z, RoundToEven(5 * Hd / 18), c + z, RoundToEven(7 * Hd / 18));
    const auto lowerDot = Box(c - z, RoundToEven(11 * Hd / 18), c + z, RoundToEven(13 * Hd / 18));
    const auto tail = Box(c, RoundToEven(13 * Hd / 18), c + z, RoundToEven(16 * Hd / 18));
    const int k = (W - 1 - 2 * m) / 2;
    const int cc = (W - 1) / 2;

    switch (value) {
    case sscPeriod: lit(Box(c - z, H - 2 * z, c + z, H)); break;
    case sscColon:
        lit(upperDot);
        lit(lowerDot);
        break;
    case sscSemiColon:
        lit(upperDot);
        lit(lowerDot);
        lit(tail);
        break;
    case sscComma:
        lit(lowerDot);
        lit(tail);
        break;
    case sscPlus: {
        SignBoxes s = SignShapes(g);
        unlit(s.minus);
        lit(s.plusBar);
        lit(s.plusStem);
        break;
    }
    case sscMinus: {
        SignBoxes s = SignShapes(g);
        unlit(s.plusBar);
        unlit(s.plusStem);
        lit(s.minus);
        break;
    }
    case sscLine: lit(Box(m, h - z / 2, W - m - 1, h + z / 2)); break;
    case sscUpArrow: {
        int apex = H / 2 - k;
        if (apex <= m) apex = m;
        lit({{cc + k, H / 2}, {cc - k, H / 2}, {cc, apex}});
        break;
    }
    case sscDownArrow: {
        int apex = H / 2 + k;
        if (apex >= H - m - 1) apex = H - m - 1;
        lit({{cc + k, H / 2}, {cc - k, H / 2}, {cc, apex}});
        break;
    }
    default: break;
    }
    return shapes;
}
