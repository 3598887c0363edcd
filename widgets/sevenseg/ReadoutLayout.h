#pragma once
// Where the cells of a multi-digit analog readout go and what each one shows.
#include <vector>

#include "platform/rtl/Types.h"
#include "widgets/sevenseg/InstrumentTypes.h"
#include "widgets/sevenseg/SevenSegmentGlyphs.h"

struct ReadoutSettings {
    int Width = 84;
    int Height = 28;
    int SegmentMargin = 5;
    int DigitSpacing = 6;
    int DigitCount = 4;
    int Precision = 2;
    bool ShowSign = true;
    TiLeadingStyle LeadingStyle = ilsSpaces;
    char DecimalSeparator = '.';
};

struct ReadoutCell {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    TSevenSegmentCharacter Value = sscBlank;
    bool operator==(const ReadoutCell&) const = default;
};

// The text a readout shows for a value: |value| with exactly `precision` decimals and the given
// separator. Empty when the value is not finite.
String ReadoutText(double value, int precision, char decimalSeparator);

// True when the value cannot be shown in `digitCount` digits and the overflow pattern stands in.
bool ReadoutOverflows(double value, int digitCount, int precision, char decimalSeparator);

// Cells in drawing order: sign, digits (or the overflow arrows), separator, fraction digits.
std::vector<ReadoutCell> AnalogReadoutCells(const ReadoutSettings& s, double value);
