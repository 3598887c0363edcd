#pragma once
// Character set of a seven-segment cell and the outline of every shape it draws.
#include <cstdint>
#include <iterator>
#include <vector>

enum TSevenSegmentCharacter : std::uint8_t {
    ssc0,
    ssc1,
    ssc2,
    ssc3,
    ssc4,
    ssc5,
    ssc6,
    ssc7,
    ssc8,
    ssc9,
    sscA,
    sscB,
    sscC,
    sscD,
    sscE,
    sscF,
    sscPeriod,
    sscColon,
    sscPlus,
    sscMinus,
    sscBlank,
    sscLine,
    sscUpArrow,
    sscDownArrow,
    sscSemiColon,
    sscComma
};
constexpr int SevenSegmentCharacterCount = sscComma + 1;
inline constexpr const char* TSevenSegmentCharacterNames[] = {
    "ssc0",    "ssc1",     "ssc2",     "ssc3",    "ssc4",       "ssc5",         "ssc6",         "ssc7",      "ssc8",
    "ssc9",    "sscA",     "sscB",     "sscC",    "sscD",       "sscE",         "sscF",         "sscPeriod", "sscColon",
    "sscPlus", "sscMinus", "sscBlank", "sscLine", "sscUpArrow", "sscDownArrow", "sscSemiColon", "sscComma"};
static_assert(std::size(TSevenSegmentCharacterNames) == sscComma + 1);

// Segment bits: A top, B upper right, C lower right, D bottom, E lower left, F upper left, G middle.
constexpr std::uint8_t SegA = 0x01, SegB = 0x02, SegC = 0x04, SegD = 0x08, SegE = 0x10, SegF = 0x20, SegG = 0x40;

// Any character outside the set (blank included) gives sscBlank.
TSevenSegmentCharacter CharacterToSegmentValue(char c);
// Digits, lower-case hex letters and the signs; sscBlank gives ' '.
char SegmentValueToCharacter(TSevenSegmentCharacter value);
// Segment bits of the digits, hex letters and blank; 0 for the signs (drawn by their own shapes).
std::uint8_t GlyphBits(TSevenSegmentCharacter value);
// The narrow characters (period, colon, semicolon, comma).
bool IsNarrowCharacter(TSevenSegmentCharacter value);

struct SegPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const SegPoint&) const = default;
};

enum class SegState { Lit, Unlit };

struct SegShape {
    std::vector<SegPoint> Points;  // relative to the cell origin
    SegState State = SegState::Lit;
};

struct CellGeometry {
    int Width = 0;       // W
    int Height = 0;      // H
    int Margin = 0;      // m
    int Seperation = 0;  // s
    int Size = 1;        // z
};

struct CellStyle {
    bool ShowOffSegments = true;
    bool UseSegmentBits = false;
    std::uint8_t SegmentBits = 0;
};

// Polygon of one of the seven segments (index 0 = A .. 6 = G).
std::vector<SegPoint> SegmentPolygon(const CellGeometry& g, int index);

// Every shape of one cell in drawing order, each marked lit or unlit; unlit shapes only appear
// where off segments are shown.
std::vector<SegShape> CharacterShapes(const CellGeometry& g, TSevenSegmentCharacter value, const CellStyle& style);

// Round to nearest, halves to the even neighbour.
int RoundToEven(double x);
