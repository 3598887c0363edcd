#include "chart/canvas/GDIPlusStyles.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/canvas/ZebPen.h"

// ---- colours and alpha ----

std::uint32_t GPColor(TColor color, Byte canvasAlpha)
{
    const auto u = static_cast<std::uint32_t>(TZebCanvas::ResolveColor(color));
    const int alpha = std::max(0, static_cast<int>(canvasAlpha) - static_cast<int>(u >> 24));
    return static_cast<std::uint32_t>(alpha) << 24 | (u & 0xFFu) << 16 | (u & 0xFF00u) | (u >> 16 & 0xFFu);
}

Byte GPAlphaOf(TZebTransparency transparency, Byte alpha)
{
    const int t = std::min<int>(transparency, 100);
    return static_cast<Byte>(std::clamp(RoundHalfEven((100 - t) * 2.55 * alpha / 255), 0, 255));
}

// ---- pens ----

int GPDashStyle(const TZebPen& pen)
{
    if (pen.SmallDots()) return 2;
    switch (pen.Style()) {
    case psSolid: return 0;
    case psDash: return 1;
    case psDot: return 2;
    case psDashDot: return 3;
    case psDashDotDot: return 4;
    default: return -1;
    }
}

TGPCaps GPCapsOf(const TZebPen& pen)
{
    switch (pen.EndStyle()) {
    case esRound: return {2, 2, 2};
    case esSquare: return {1, 1, 3};
    case esFlat: break;
    }
    return {0, 0, 0};
}

int GPLineJoin(const TZebPen& pen)
{
    switch (pen.JoinStyle()) {
    case jsRound: return 2;
    case jsBevel: return 1;
    case jsMitter: break;
    }
    return 0;
}

bool GPPenSmoothing(const TZebPen& pen, bool antiAlias) { return antiAlias && pen.Width() != 0; }

// ---- brushes ----

int GPHatchStyle(const TBrush& brush, int hatchStyle)
{
    if (hatchStyle > hsSolidDiamond) return hsHorizontal;
    if (hatchStyle >= hs05Percent) return hatchStyle;
    switch (brush.Style()) {
    case bsVertical: return hsVertical;
    case bsFDiagonal: return hsForwardDiagonal;
    case bsBDiagonal: return hsBackwardDiagonal;
    case bsCross: return hsCross;
    case bsDiagCross: return hsDiagonalCross;
    default: return hsHorizontal;
    }
}

// ---- gradients ----

bool GPGradientReversed(TGradientDirection direction)
{
    return direction == gdBottomTop || direction == gdRightLeft || direction == gdFromBottomLeft ||
           direction == gdDiagonalDown;
}

bool GPGradientIsPath(TGradientDirection direction) { return direction == gdFromCenter || direction == gdRadial; }

int GPLinearMode(TGradientDirection direction)
{
    switch (direction) {
    case gdLeftRight:
    case gdRightLeft: return 0;
    case gdFromTopLeft:
    case gdDiagonalDown: return 2;
    case gdFromBottomLeft:
    case gdDiagonalUp: return 3;
    default: return 1;
    }
}

float GPLinearAngle(TGradientDirection direction, int angle)
{
    int base = 0;
    switch (direction) {
    case gdTopBottom: base = 90; break;
    case gdBottomTop: base = 270; break;
    case gdRightLeft: base = 180; break;
    case gdFromTopLeft:
    case gdDiagonalUp: base = 45; break;
    case gdFromBottomLeft:
    case gdDiagonalDown: base = 135; break;
    default: break;
    }
    return static_cast<float>(base + angle);
}

namespace {
constexpr int maxStops = 256;

std::uint32_t stopColor(const TZebGradientColor& stop, Byte canvasAlpha)
{
    return GPColor(stop.Color(), GPAlphaOf(stop.Transparency(), canvasAlpha));
}
}  // namespace

TGPBlend GPPresetBlend(TCustomZebGradient& gradient, Byte canvasAlpha)
{
    TGPBlend blend;
    TZebGradientColors& colors = *gradient.Colors();
    // More stops than a blend holds: the first 255 and the last, so the ramp still ends where the
    // gradient ends.
    const int count = colors.Count();
    std::vector<int> taken;
    for (int i = 0; i < std::min(count, maxStops - 1); ++i) taken.push_back(i);
    if (count >= maxStops) taken.push_back(count - 1);
    const bool reversed = GPGradientReversed(gradient.Direction());
    if (!reversed) std::reverse(taken.begin(), taken.end());
    for (int i : taken) {
        const TZebGradientColor& stop = *colors.Items(i);
        blend.Colors.push_back(stopColor(stop, canvasAlpha));
        const double offset = std::clamp(stop.Offset(), 0.0, 1.0);
        blend.Positions.push_back(static_cast<float>(reversed ? offset : 1 - offset));
    }
    return blend;
}

void GPLinearColors(TCustomZebGradient& gradient, Byte canvasAlpha, std::uint32_t& color1, std::uint32_t& color2)
{
    TZebGradientColors& colors = *gradient.Colors();
    if (colors.Count() == 0) {
        color1 = color2 = 0;
        return;
    }
    const std::uint32_t first = stopColor(*colors.Items(0), canvasAlpha);
    const std::uint32_t last = stopColor(*colors.Items(colors.Count() - 1), canvasAlpha);
    const bool reversed = GPGradientReversed(gradient.Direction());
    color1 = reversed ? first : last;
    color2 = reversed ? last : first;
}

TFloatRect GPRadialBounds(const TFloatRect& r)
{
    const float dx = (r.Right - r.Left) / 4, dy = (r.Bottom - r.Top) / 4;
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

// ---- figures ----

TGPArc GPPieAngles(double startAngle, double endAngle)
{
    const double e = endAngle == 0 ? 360 : endAngle;
    const double sweep = startAngle <= e ? e - startAngle : endAngle + 360 - startAngle;
    return {static_cast<float>(360 - startAngle - sweep), static_cast<float>(sweep)};
}

int GPCornerSize(int size, int side)
{
    size -= size % 2;
    return std::min(std::max(size, 1), std::max(side, 1));
}

float GPShadowFadePosition(int smoothBlur) { return static_cast<float>(smoothBlur * 0.002 + 0.1); }

// ---- element transforms ----

TGPAffine TGPAffine::Then(const TGPAffine& b) const
{
    return {b.M11 * M11 + b.M21 * M12, b.M12 * M11 + b.M22 * M12,      b.M11 * M21 + b.M21 * M22,
            b.M12 * M21 + b.M22 * M22, b.M11 * DX + b.M21 * DY + b.DX, b.M12 * DX + b.M22 * DY + b.DY};
}

namespace {
bool finite(float v) { return std::isfinite(v); }
}  // namespace

TGPAffine GPElementMatrix(const TZebTransform& t)
{
    TGPAffine m;
    const bool scaled = finite(t.ScaleX) && finite(t.ScaleY) && (t.ScaleX != 1 || t.ScaleY != 1);
    const bool turned = finite(t.Angle) && t.Angle != 0;
    if ((scaled || turned) && finite(t.CenterX) && finite(t.CenterY)) {
        m = m.Then({1, 0, 0, 1, -t.CenterX, -t.CenterY});
        if (scaled) m = m.Then({t.ScaleX, 0, 0, t.ScaleY, 0, 0});
        if (turned) {
            const double r = t.Angle * 3.14159265358979323846 / 180;
            const auto c = static_cast<float>(std::cos(r)), s = static_cast<float>(std::sin(r));
            m = m.Then({c, s, -s, c, 0, 0});
        }
        m = m.Then({1, 0, 0, 1, t.CenterX, t.CenterY});
    }
    if (finite(t.TranslateX) && finite(t.TranslateY) && (t.TranslateX != 0 || t.TranslateY != 0))
        m = m.Then({1, 0, 0, 1, t.TranslateX, t.TranslateY});
    return m;
}

// ---- numbers ----

float GPCoord(double value)
{
    if (std::isnan(value)) return 0;
    constexpr double limit = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -limit, limit));
}
