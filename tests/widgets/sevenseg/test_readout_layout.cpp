#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "widgets/sevenseg/ReadoutLayout.h"

namespace {

ReadoutSettings MainWindowReadout()
{
    ReadoutSettings s;
    s.Width = 145;
    s.Height = 49;
    s.SegmentMargin = 10;
    s.DigitSpacing = 6;
    s.DigitCount = 5;
    s.Precision = 2;
    s.ShowSign = true;
    return s;
}

// The characters of the cells, the separator cell marked by its own character.
std::string Shown(const std::vector<ReadoutCell>& cells)
{
    std::string out;
    for (const auto& c : cells) out += SegmentValueToCharacter(c.Value);
    return out;
}

TEST(ReadoutLayout, MainWindowReadoutCellsAndPositions)
{
    const auto cells = AnalogReadoutCells(MainWindowReadout(), -12.5);
    ASSERT_EQ(cells.size(), 7u);
    const ReadoutCell expected[] = {
        {12, 10, 15, 29, sscMinus}, {33, 10, 15, 29, sscBlank}, {54, 10, 15, 29, ssc1},  {75, 10, 15, 29, ssc2},
        {92, 10, 3, 29, sscPeriod}, {96, 10, 15, 29, ssc5},     {117, 10, 15, 29, ssc0},
    };
    for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(cells[i], expected[i]) << i;
}

TEST(ReadoutLayout, ShownTextByValueAndStyle)
{
    struct Case {
        double value;
        TiLeadingStyle leading;
        int digits, precision;
        bool sign;
        char separator;
        std::string shown;
    };
    const Case cases[] = {
        {-12.5, ilsSpaces, 5, 2, true, '.', "- 12.50"},
        {0.0, ilsSpaces, 5, 2, true, '.', "+  0.00"},
        {1234.5, ilsSpaces, 5, 2, true, '.', "+<<<<<"},
        {-1234.5, ilsSpaces, 5, 2, true, '.', "->>>>>"},
        {123.45, ilsZeros, 5, 2, true, '.', "+123.45"},
        {3.1, ilsZeros, 5, 2, true, '.', "+003.10"},
        {3.1, ilsNone, 5, 2, true, '.', "+3.10"},
        {99999, ilsSpaces, 5, 0, true, '.', "+99999"},
        {100000, ilsSpaces, 5, 0, true, '.', "+<<<<<"},
        {-7.25, ilsSpaces, 4, 2, false, '.', " 7.25"},
        {7.25, ilsSpaces, 4, 2, true, ',', "+ 7,25"},
        {0.004, ilsSpaces, 4, 2, true, '.', "+ 0.00"},
        {-0.004, ilsSpaces, 4, 2, true, '.', "- 0.00"},
        {5.0, ilsSpaces, 1, 0, false, '.', "5"},
        {5.0, ilsSpaces, 1, 1, false, '.', "<"},
        {1e15, ilsSpaces, 5, 2, true, '.', "+<<<<<"},
        // Exact binary ties round away from zero, as the runtime library's formatting does.
        {0.125, ilsSpaces, 4, 2, true, '.', "+ 0.13"},
        {-0.125, ilsSpaces, 4, 2, true, '.', "- 0.13"},
        {0.625, ilsSpaces, 4, 2, true, ',', "+ 0,63"},
        {2.5, ilsSpaces, 5, 0, true, '.', "+    3"},
        {-4.5, ilsNone, 5, 0, true, '.', "-5"},
        {12.0625, ilsSpaces, 5, 3, true, '.', "+12.063"},
        {1.005, ilsSpaces, 5, 2, true, '.', "+  1.00"},   // just below the tie in binary
        {999.995, ilsSpaces, 5, 2, true, '.', "+<<<<<"},  // just above it: 1000.00 does not fit
        {99999.5, ilsSpaces, 5, 0, true, '.', "+<<<<<"},  // the tie carries into a sixth digit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        ReadoutSettings s = MainWindowReadout();
        s.LeadingStyle = c.leading;
        s.DigitCount = c.digits;
        s.Precision = c.precision;
        s.ShowSign = c.sign;
        s.DecimalSeparator = c.separator;
        EXPECT_EQ(Shown(AnalogReadoutCells(s, c.value)), c.shown);
    }
}

TEST(ReadoutLayout, ValuesThatCannotBeShownGiveTheOverflowPattern)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double value;
        std::string shown;
    };
    const Case cases[] = {{inf, "+<<<<<"}, {-inf, "->>>>>"}, {nan, "+<<<<<"}, {-nan, "->>>>>"}, {-1e300, "->>>>>"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        EXPECT_EQ(Shown(AnalogReadoutCells(MainWindowReadout(), c.value)), c.shown);
        EXPECT_TRUE(ReadoutOverflows(c.value, 5, 2, '.'));
    }
}

}  // namespace
