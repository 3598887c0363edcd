#include <gtest/gtest.h>

#include "widgets/sevenseg/SevenSegmentGlyphs.h"

namespace {

struct GlyphCase {
    char c;
    TSevenSegmentCharacter value;
    int bits;
};

TEST(SevenSegmentGlyphs, DigitsAndLettersLightTheirSegments)
{
    const GlyphCase cases[] = {
        {'0', ssc0, 63},  {'1', ssc1, 6},  {'2', ssc2, 91},  {'3', ssc3, 79},  {'4', ssc4, 102},   {'5', ssc5, 109},
        {'6', ssc6, 125}, {'7', ssc7, 7},  {'8', ssc8, 127}, {'9', ssc9, 103}, {'A', sscA, 119},   {'b', sscB, 124},
        {'C', sscC, 57},  {'d', sscD, 94}, {'E', sscE, 121}, {'f', sscF, 113}, {' ', sscBlank, 0}, {'x', sscBlank, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.c));
        EXPECT_EQ(CharacterToSegmentValue(c.c), c.value);
        EXPECT_EQ(GlyphBits(c.value), c.bits);
    }
    // Nine has no bottom segment.
    EXPECT_EQ(GlyphBits(ssc9) & SegD, 0);
}

TEST(SevenSegmentGlyphs, CharacterMapsBackInLowerCase)
{
    const std::string all = "0123456789abcdef.:+- _<>;,";
    for (char c : all) EXPECT_EQ(SegmentValueToCharacter(CharacterToSegmentValue(c)), c) << c;
    EXPECT_EQ(SegmentValueToCharacter(CharacterToSegmentValue('B')), 'b');
}

CellGeometry MainReadoutCell()
{
    return CellGeometry{15, 29, 0, 1, 1};  // a digit of the main window's readout
}

TEST(SevenSegmentGlyphs, SegmentPolygonsOfAReadoutCell)
{
    const CellGeometry g = MainReadoutCell();  // h = 14
    using P = std::vector<SegPoint>;
    EXPECT_EQ(SegmentPolygon(g, 0), (P{{1, 0}, {13, 0}, {11, 2}, {3, 2}}));
    EXPECT_EQ(SegmentPolygon(g, 1), (P{{14, 1}, {14, 13}, {12, 11}, {12, 3}}));
    EXPECT_EQ(SegmentPolygon(g, 2), (P{{14, 15}, {14, 27}, {12, 25}, {12, 17}}));
    EXPECT_EQ(SegmentPolygon(g, 3), (P{{1, 28}, {13, 28}, {11, 26}, {3, 26}}));
    EXPECT_EQ(SegmentPolygon(g, 4), (P{{0, 15}, {0, 27}, {2, 25}, {2, 17}}));
    EXPECT_EQ(SegmentPolygon(g, 5), (P{{0, 1}, {0, 13}, {2, 11}, {2, 3}}));
    EXPECT_EQ(SegmentPolygon(g, 6), (P{{1, 14}, {2, 13}, {12, 13}, {13, 14}, {12, 15}, {2, 15}}));
}

TEST(SevenSegmentGlyphs, MarginAndSizeMoveTheSegments)
{
    const CellGeometry g{30, 40, 3, 2, 2};  // h = 19
    using P = std::vector<SegPoint>;
    EXPECT_EQ(SegmentPolygon(g, 0), (P{{5, 3}, {24, 3}, {20, 7}, {9, 7}}));
    EXPECT_EQ(SegmentPolygon(g, 6), (P{{5, 19}, {7, 17}, {22, 17}, {24, 19}, {22, 21}, {7, 21}}));
}

int CountState(const std::vector<SegShape>& shapes, SegState state)
{
    int n = 0;
    for (const auto& s : shapes) n += s.State == state;
    return n;
}

TEST(SevenSegmentGlyphs, UnlitShapesOnlyWithOffSegmentsShown)
{
    struct Case {
        TSevenSegmentCharacter value;
        bool showOff;
        int lit, unlit;
    };
    const Case cases[] = {
        {ssc8, true, 7, 0},      {ssc1, true, 2, 5},      {ssc1, false, 2, 0},      {sscBlank, true, 0, 7},
        {sscBlank, false, 0, 0}, {sscPlus, true, 2, 1},   {sscPlus, false, 2, 0},   {sscMinus, true, 1, 2},
        {sscMinus, false, 1, 0}, {sscPeriod, true, 1, 0}, {sscColon, true, 2, 0},   {sscSemiColon, true, 3, 0},
        {sscComma, true, 2, 0},  {sscLine, true, 1, 0},   {sscUpArrow, true, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.value));
        const auto shapes = CharacterShapes(MainReadoutCell(), c.value, CellStyle{c.showOff, false, 0});
        EXPECT_EQ(CountState(shapes, SegState::Lit), c.lit);
        EXPECT_EQ(CountState(shapes, SegState::Unlit), c.unlit);
    }
}

TEST(SevenSegmentGlyphs, SegmentBitsOverrideTheValue)
{
    const CellGeometry g = MainReadoutCell();
    const auto shapes = CharacterShapes(g, ssc8, CellStyle{true, true, 0x49});
    ASSERT_EQ(shapes.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        const bool lit = i == 0 || i == 3 || i == 6;  // A, D, G
        EXPECT_EQ(shapes[i].State, lit ? SegState::Lit : SegState::Unlit) << i;
        EXPECT_EQ(shapes[i].Points, SegmentPolygon(g, i));
    }
}

TEST(SevenSegmentGlyphs, SignShapesOfAReadoutCell)
{
    const CellGeometry g = MainReadoutCell();
    using P = std::vector<SegPoint>;
    const auto minus = CharacterShapes(g, sscMinus, CellStyle{});
    // Off plus bar and stem first, then the lit minus: 13.5 * 29 / 18 = 21.75.
    ASSERT_EQ(minus.size(), 3u);
    EXPECT_EQ(minus[0].Points, (P{{4, 7}, {11, 7}, {11, 8}, {4, 8}}));  // 7.25 +- 0.5
    EXPECT_EQ(minus[1].Points, (P{{7, 3}, {8, 3}, {8, 11}, {7, 11}}));  // 7.5 -+ 0.5, 3.22, 11.28
    EXPECT_EQ(minus[2].Points, (P{{4, 21}, {11, 21}, {11, 22}, {4, 22}}));
    EXPECT_EQ(minus[2].State, SegState::Lit);
}

TEST(SevenSegmentGlyphs, DotsTailsLineAndArrows)
{
    const CellGeometry g = MainReadoutCell();
    using P = std::vector<SegPoint>;
    // Period in the narrow separator cell of the readout (3 wide).
    EXPECT_EQ(CharacterShapes({3, 29, 0, 1, 1}, sscPeriod, {})[0].Points, (P{{0, 27}, {2, 27}, {2, 29}, {0, 29}}));
    const auto semi = CharacterShapes(g, sscSemiColon, {});
    ASSERT_EQ(semi.size(), 3u);
    EXPECT_EQ(semi[0].Points, (P{{6, 8}, {8, 8}, {8, 11}, {6, 11}}));    // 8.06, 11.28
    EXPECT_EQ(semi[1].Points, (P{{6, 18}, {8, 18}, {8, 21}, {6, 21}}));  // 17.72, 20.94
    EXPECT_EQ(semi[2].Points, (P{{7, 21}, {8, 21}, {8, 26}, {7, 26}}));  // 25.78
    EXPECT_EQ(CharacterShapes(g, sscLine, {})[0].Points, (P{{0, 14}, {14, 14}, {14, 14}, {0, 14}}));
    EXPECT_EQ(CharacterShapes(g, sscUpArrow, {})[0].Points, (P{{14, 14}, {0, 14}, {7, 7}}));
    EXPECT_EQ(CharacterShapes(g, sscDownArrow, {})[0].Points, (P{{14, 14}, {0, 14}, {7, 21}}));
    // A flat cell puts the apex on the margin.
    const CellGeometry flat{21, 10, 1, 1, 1};  // k = 9, H div 2 = 5
    EXPECT_EQ(CharacterShapes(flat, sscUpArrow, {})[0].Points, (P{{19, 5}, {1, 5}, {10, 1}}));
    EXPECT_EQ(CharacterShapes(flat, sscDownArrow, {})[0].Points, (P{{19, 5}, {1, 5}, {10, 8}}));
}

TEST(SevenSegmentGlyphs, RoundsHalvesToEven)
{
    EXPECT_EQ(RoundToEven(0.5), 0);
    EXPECT_EQ(RoundToEven(1.5), 2);
    EXPECT_EQ(RoundToEven(2.5), 2);
    EXPECT_EQ(RoundToEven(4.5), 4);
    EXPECT_EQ(RoundToEven(-0.5), 0);
    EXPECT_EQ(RoundToEven(2.51), 3);
}

}  // namespace
