#pragma once
// What a legend item shows of its point, and the character that splits it into columns.
#include <iterator>

enum TLegendTextStyle {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue,
    ltsValue,
    ltsPercent,
    ltsXAndValue,
    ltsXAndPercent,
    ltsXAndText,
    ltsXAndValueAndText
};
inline constexpr const char* TLegendTextStyleNames[] = {
    "ltsPlain",  "ltsLeftValue", "ltsRightValue",  "ltsLeftPercent", "ltsRightPercent", "ltsXValue",
    "ltsValue",  "ltsPercent",   "ltsXAndValue",   "ltsXAndPercent", "ltsXAndText",     "ltsXAndValueAndText"};
static_assert(std::size(TLegendTextStyleNames) == ltsXAndValueAndText + 1);

inline constexpr char LegendColumnSeparator = '\x06';
