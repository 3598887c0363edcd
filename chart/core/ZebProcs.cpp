#include "chart/core/ZebProcs.h"

#include <cstdint>
#include <vector>

#include "chart/core/ColorPalette.h"
#include "chart/core/TextRoutines.h"
#include "platform/forms/Forms.h"

String DefaultCanvasClassName;
char LineBreakChar = '\0';

namespace {

bool started = false;

// The pointing hand: '#' outline, '.' fill, hot spot at the fingertip.
constexpr int handSize = 16;
constexpr const char* handPicture[handSize] = {
    "     ##         ",  //
    "    #..#        ",  //
    "    #..#        ",  //
    "    #..#        ",  //
    "    #..###      ",  //
    "    #..#..###   ",  //
    " ## #..#..#..## ",  //
    "#..##..#..#..#.#",  //
    "#...#........#.#",  //
    " #..#..........#",  //
    "  #............#",  //
    "  #...........# ",  //
    "   #..........# ",  //
    "   #.........#  ",  //
    "    #........#  ",  //
    "    ##########  ",  //
};

HCURSOR makeHandCursor()
{
    std::vector<std::uint32_t> argb(handSize * handSize, 0);
    for (int y = 0; y < handSize; ++y)
        for (int x = 0; x < handSize; ++x) {
            const char c = handPicture[y][x];
            if (c == '#') argb[y * handSize + x] = 0xFF000000u;
            if (c == '.') argb[y * handSize + x] = 0xFFFFFFFFu;
        }
    return LoadCursorFromImage(argb, handSize, handSize, 5, 0);
}

}  // namespace

void StartEngineRoutines()
{
    if (started) return;
    started = true;
    DefaultCanvasClassName = "TGDIPlusCanvas";
    SetDefaultPalette({});
    LineBreakChar = '\r';
    FieldSeparator = ";";
    Screen->SetCursors(crZebHand, makeHandCursor());
}

void StopEngineRoutines()
{
    if (!started) return;
    started = false;
    DefaultColorPalette.clear();
    Screen->SetCursors(crZebHand, 0);
    LineBreakChar = '\0';
    FieldSeparator.clear();
    DefaultCanvasClassName.clear();
}
