#pragma once
// Pure geometry and colour plans of the styled controls: what to draw where, without a device.
#include <cstdint>
#include <vector>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"
#include "widgets/styled/QMConsts.h"

namespace qm {

// a * b / c rounded to nearest (halves away from zero); -1 when c is 0.
int MulDiv(int a, int b, int c);

TRect Shrink(const TRect& r, int dx, int dy);
TRect Intersect(const TRect& a, const TRect& b);  // (0,0,0,0) when they do not meet

// Per channel of a 0x00BBGGRR value: lighten adds and clamps at 255, otherwise subtracts and clamps at 0.
std::uint32_t ShadeRGB(std::uint32_t rgb, int dR, int dG, int dB, bool lighten);

// The shades the frame styles draw with, from a resolved RGB base colour.
struct Shades {
    std::uint32_t Base, Highlight, Shadow, SoftShadow, DarkShadow, Darkest;
};
Shades ShadesOf(std::uint32_t rgb);

// One band of a stepped gradient fill.
struct Band {
    TRect Rect;
    std::uint32_t Color;  // RGB
};
// Bands that fill r from startRGB to endRGB, left to right (or top to bottom when vertical);
// reverse swaps the colours. At most min(maxSteps, extent - 1, 255) + 1 bands.
std::vector<Band> PlanBands(const TRect& r, std::uint32_t startRGB, std::uint32_t endRGB, int maxSteps, bool reverse,
                            bool vertical);
// The band plan FillGradient draws (empty for qmgNone or an empty rectangle).
std::vector<Band> PlanGradient(const TRect& r, TQMGradient direction, std::uint32_t startRGB, std::uint32_t endRGB);

// A one-pixel line; its end point is not drawn.
struct Line {
    TPoint From, To;
    TColor Color;
};
std::vector<Line> EdgeLines(const TRect& r, TColor first, TColor second, TQMBorderEdges edges);

// A ring of a frame: top-left lines in one colour, bottom-right lines in the other; or, when Edge
// holds edge flags (BDR_*), the platform's 3-D edge all round.
struct Ring {
    TRect Rect;
    TColor TopLeft, BottomRight;
    TQMBorderEdges Edges;
    unsigned Edge = 0;
};
// Rings of a shaded frame (colours derived from baseRGB).
std::vector<Ring> ShadedBorderRings(const TRect& r, std::uint32_t baseRGB, TQMBorderEdges edges,
                                    TQMControlBorder style);
// Rings of a frame in the system's colours; the edge set only reaches the plain rings.
std::vector<Ring> SystemBorderRings(const TRect& r, TColor flat, TQMBorderEdges edges, TQMControlBorder style);

// Client area of a window of the given size inside a frame of the given total thickness per side;
// a dimension too small for the frame collapses to its middle.
TRect FramedClientRect(int width, int height, int frameTotal);

// Frame area of a window-relative point: qmhaNone, qmhaFrame, qmhaBorderBand, or -1 when the point
// lies inside the frames but outside the client rectangle (the control's own client areas decide).
int FrameHitArea(TPoint p, int width, int height, const TRect& clientInWindow, int outer, int band, int inner);

// Status bar inside the frames at the bottom of a window; empty when the frames leave nothing.
TRect StatusbarRect(int width, int height, int frameTotal);
// qmhaNone, qmhaStatusbar or qmhaSizeGrip for a window-relative point.
int StatusbarHitArea(TPoint p, int width, int height, int frameTotal, bool showGrip);
// The hit-test answer of a sizable control with status bar and grip shown.
int SizeGripHitTest(int answer, int area);
TRect StatusbarTextRect(const TRect& bar, bool showGrip);
// The grip's diagonals followed by the bar's top line; dark is the grip colour, plain the pen's
// colour when no grip is drawn.
std::vector<Line> StatusbarLines(const TRect& bar, bool showGrip, TColor barColor, TColor dark, TColor plain);

// Inset of a panel bevel from the client edge.
int BevelSize(TQMControlBorder bevel, int bevelWidth);
TRect ShrinkForBevel(const TRect& r, TQMControlBorder bevel, TQMBorderEdges edges, int bevelWidth);

// Where a w x h picture is drawn inside r.
std::vector<TPoint> PicturePlacements(const TRect& r, int w, int h, TQMPictureOrient orient);

// Image and caption rectangles of a panel's content area.
struct ContentLayout {
    TRect Image, Text;
};
ContentLayout PanelContentLayout(const TRect& r, int imageW, int imageH, TQMPanelLayout layout, bool rightJustify,
                                 int spacing);

// Background gradient of a panel: one or two fills.
struct GradientPart {
    TRect Rect;
    TQMGradient Direction;
    TColor Start, End;
};
bool GradientPainted(TQMGradient g, TColor color, TColor end, TColor mid, bool usesMid);
std::vector<GradientPart> PanelGradientParts(const TRect& r, TQMGradient g, TColor color, TColor end, TColor mid,
                                             bool usesMid);

// Size a panel needs for its content: image and caption side by side with the spacing between,
// inside the indent, the bevel insets and the frame margins (each a per-side TRect of widths).
// It depends on the content only, so applying it again gives the same size.
TSize PanelContentSize(TSize text, TSize image, int spacing, int indent, const TRect& bevelInsets,
                       const TRect& margins);
// New bounds of a given size that keep the right edge (keepRight) or the left edge in place.
TRect AutoSizedBounds(const TRect& bounds, TSize size, bool keepRight);

// OS version code from the platform's version information.
int OSVersionCodeOf(int platformId, int major, int minor, const char* servicePack);

}  // namespace qm
