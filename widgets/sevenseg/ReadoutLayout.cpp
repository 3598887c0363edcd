#include "widgets/sevenseg/ReadoutLayout.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"

String ReadoutText(double value, int precision, char decimalSeparator)
{
    if (!std::isfinite(value)) return {};
    // The runtime library's rounding, as every other number of the program: ties away from zero.
    TFormatSettings fs = FormatSettings;
    fs.DecimalSeparator = decimalSeparator;
    return Format("%.*f", {precision, std::fabs(value)}, fs);
}

bool ReadoutOverflows(double value, int digitCount, int precision, char decimalSeparator)
{
    if (!std::isfinite(value)) return true;
    const size_t limit = static_cast<size_t>(precision > 0 ? digitCount + 1 : digitCount);
    return ReadoutText(value, precision, decimalSeparator).size() > limit;
}

std::vector<ReadoutCell> AnalogReadoutCells(const ReadoutSettings& s, double value)
{
    std::vector<ReadoutCell> cells;
    const int n = s.DigitCount + (s.ShowSign ? 1 : 0);
    const int w = static_cast<int>(
        std::trunc(static_cast<double>(s.Width - 2 * s.SegmentMargin - (n - 1) * s.DigitSpacing) / n));
    const int H = s.Height - 2 * s.SegmentMargin;
    int x = (s.Width + s.DigitSpacing - n * (w + s.DigitSpacing)) / 2;
    const int y = s.SegmentMargin;
    // NaN compares false either way; its sign bit decides, like that of any other value.
    const bool negative = std::isnan(value) ? std::signbit(value) : value < 0;

    auto put = [&](TSevenSegmentCharacter c) {
        cells.push_back({x, y, w, H, c});
        x += w + s.DigitSpacing;
    };

    if (s.ShowSign) put(negative ? sscMinus : sscPlus);

    if (ReadoutOverflows(value, s.DigitCount, s.Precision, s.DecimalSeparator)) {
        for (int i = 0; i < s.DigitCount; ++i) put(negative ? sscDownArrow : sscUpArrow);
        return cells;
    }

    const String text = ReadoutText(value, s.Precision, s.DecimalSeparator);
    size_t cut = text.find('.');
    if (cut == String::npos) cut = text.find(',');
    String intPart = text.substr(0, cut);
    const char separator = cut == String::npos ? '\0' : text[cut];
    String fraction = cut == String::npos ? String() : text.substr(cut + 1);

    const int intWidth = s.DigitCount - s.Precision;
    if (static_cast<int>(intPart.size()) < intWidth && s.LeadingStyle != ilsNone)
        intPart.insert(0, static_cast<size_t>(intWidth) - intPart.size(), s.LeadingStyle == ilsZeros ? '0' : ' ');
    for (char c : intPart) put(CharacterToSegmentValue(c));

    if (s.Precision > 0 && s.DigitCount > 1) {
        const int sepX = x - RoundToEven(w / 10.0 + s.DigitSpacing / 2.0);
        cells.push_back({sepX, y, w / 5, H, separator == '.' ? sscPeriod : sscComma});
        if (static_cast<int>(fraction.size()) > s.Precision) fraction.resize(static_cast<size_t>(s.Precision));
        fraction.insert(0, static_cast<size_t>(s.Precision) - fraction.size(), '0');
        const size_t shown = std::min(fraction.size(), static_cast<size_t>(s.DigitCount - 1));
        for (size_t i = 0; i < shown; ++i) put(CharacterToSegmentValue(fraction[i]));
    }
    return cells;
}
