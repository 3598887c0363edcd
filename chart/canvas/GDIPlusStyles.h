#pragma once
// How the antialiased canvas translates chart settings into the object layer's numbers: colours
// with alpha, dash styles, caps and joins, hatch styles, linear and path gradients with their
// stops, pie angles, rounded corners and element transforms. Pure functions, shared by the
// canvas and its tests; the numbering is the object layer's.
#include <cstdint>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "platform/graphics/Colors.h"

class TBrush;
class TZebPen;
struct TZebTransform;

// ---- colours and alpha ----

// 0xAARRGGBB from a chart colour 0x00BBGGRR whose top byte is a transparency: the alpha is
// canvasAlpha minus that byte, 0 when negative.
std::uint32_t GPColor(TColor color, Byte canvasAlpha);
// A transparency percent applied to an alpha: round((100 - transparency) * 2.55 * alpha / 255).
Byte GPAlphaOf(TZebTransparency transparency, Byte alpha);

// ---- pens ----

struct TGPCaps {
    int Start = 0, End = 0, Dash = 0;  // flat 0, square 1, round 2; dash caps: triangle 3
    constexpr bool operator==(const TGPCaps&) const = default;
};
// Solid 0, dash 1, dot 2, dash-dot 3, dash-dot-dot 4; -1 for the styles that set none.
int GPDashStyle(const TZebPen& pen);
TGPCaps GPCapsOf(const TZebPen& pen);
// Miter 0, bevel 1, round 2.
int GPLineJoin(const TZebPen& pen);
// Pens of width 0 are hairlines: drawn aliased whatever the canvas's setting.
bool GPPenSmoothing(const TZebPen& pen, bool antiAlias);

// ---- brushes ----

// The 53 hatch styles: below hs05Percent the class-library brush style decides, above
// hsSolidDiamond gives horizontal.
int GPHatchStyle(const TBrush& brush, int hatchStyle);

// ---- gradients ----

// The directions whose colours run from the first stop to the last.
bool GPGradientReversed(TGradientDirection direction);
bool GPGradientIsPath(TGradientDirection direction);
// Horizontal 0, vertical 1, forward diagonal 2, backward diagonal 3.
int GPLinearMode(TGradientDirection direction);
// The angle of a linear gradient turned by angle degrees.
float GPLinearAngle(TGradientDirection direction, int angle);

struct TGPBlend {
    std::vector<std::uint32_t> Colors;  // 0xAARRGGBB
    std::vector<float> Positions;
};
// One colour and one position per stop (at most 256): in their order at their offsets for the
// reversed directions, else backwards at 1 - offset; each colour with its stop's transparency.
TGPBlend GPPresetBlend(TCustomZebGradient& gradient, Byte canvasAlpha);
// The first and last colours the linear brush is made with.
void GPLinearColors(TCustomZebGradient& gradient, Byte canvasAlpha, std::uint32_t& color1, std::uint32_t& color2);
// The radial gradient's rectangle: widened by a quarter of its width and height on each side.
TFloatRect GPRadialBounds(const TFloatRect& rect);

// ---- figures ----

struct TGPArc {
    float Start = 0, Sweep = 0;
    constexpr bool operator==(const TGPArc&) const = default;
};
// Chart pie angles (counter-clockwise, end 0 meaning 360) as the layer's clockwise start and sweep.
TGPArc GPPieAngles(double startAngle, double endAngle);
// Rounded-rectangle corner size: even, at least 1, at most the side.
int GPCornerSize(int size, int side);
// The edge of a smooth shadow fades out to this blend position.
float GPShadowFadePosition(int smoothBlur);

// ---- element transforms ----

// An affine map x' = M11 x + M21 y + DX, y' = M12 x + M22 y + DY.
struct TGPAffine {
    float M11 = 1, M12 = 0, M21 = 0, M22 = 1, DX = 0, DY = 0;
    TPointFloat Map(TPointFloat p) const { return {M11 * p.X + M21 * p.Y + DX, M12 * p.X + M22 * p.Y + DY}; }
    // this applied first, then next.
    TGPAffine Then(const TGPAffine& next) const;
    bool IsIdentity() const { return M11 == 1 && M12 == 0 && M21 == 0 && M22 == 1 && DX == 0 && DY == 0; }
};
// What a chart element's transform does to its drawing: translated, then turned (degrees,
// clockwise on the screen) and scaled about its centre. Non-finite terms are left out.
TGPAffine GPElementMatrix(const TZebTransform& transform);

// ---- numbers ----

// A float coordinate the layer can take: NaN and the infinities become 0 and the float limits.
float GPCoord(double value);
