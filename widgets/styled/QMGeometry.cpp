#include "widgets/styled/QMGeometry.h"

#include "platform/graphics/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace qm {

namespace {
constexpr TColor kNoColor = clNone;

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

std::uint32_t MakeRGB(int r, int g, int b)
{
    auto clamp = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return clamp(r) | (clamp(g) << 8) | (clamp(b) << 16);
}
}  // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = p / c;
    const long long rem = p % c;
    // Round half away from zero.
    if (2 * std::llabs(rem) >= std::llabs(static_cast<long long>(c)))
        return static_cast<int>(((p < 0) != (c < 0)) ? q - 1 : q + 1);
    return static_cast<int>(q);
}

TRect Shrink(const TRect& r, int dx, int dy) { return TRect{r.Left + dx, r.Top + dy, r.Right - dx, r.Bottom - dy}; }

TRect Intersect(const TRect& a, const TRect& b)
{
    TRect r;
    IntersectRect(r, a, b);
    return r;
}

std::uint32_t ShadeRGB(std::uint32_t rgb, int dR, int dG, int dB, bool lighten)
{
    const int s = lighten ? 1 : -1;
    return MakeRGB(Channel(rgb, 0) + s * std::abs(dR), Channel(rgb, 8) + s * std::abs(dG),
                   Channel(rgb, 16) + s * std::abs(dB));
}

Shades ShadesOf(std::uint32_t rgb)
{
    return Shades{rgb,
                  ShadeRGB(rgb, 220, 220, 220, true),
                  ShadeRGB(rgb, 96, 96, 96, false),
                  ShadeRGB(rgb, 24, 24, 24, false),
                  ShadeRGB(rgb, 160, 160, 160, false),
                  ShadeRGB(rgb, 212, 212, 212, false)};
}

std::vector<Band> PlanBands(const TRect& r, std::uint32_t startRGB, std::uint32_t endRGB, int maxSteps, bool reverse,
                            bool vertical)
{
    std::vector<Band> bands;
    if (r.IsEmpty()) return bands;
    const int extent = vertical ? r.Height() : r.Width();
    if (extent == 1 || startRGB == endRGB) {
        bands.push_back({r, startRGB});
        return bands;
    }
    std::uint32_t c1 = startRGB, c2 = endRGB;
    if (reverse) std::swap(c1, c2);
    int steps = std::min(maxSteps, extent - 1);
    steps = std::min(steps, 255);
    steps = std::max(steps, 1);  // a zero or negative step count would divide by zero
    const int dR = Channel(c1, 0) - Channel(c2, 0);
    const int dG = Channel(c1, 8) - Channel(c2, 8);
    const int dB = Channel(c1, 16) - Channel(c2, 16);
    const int first = vertical ? r.Top : r.Left;
    const int last = vertical ? r.Bottom : r.Right;
    int pos = first;
    for (int i = 0; i <= steps && pos < last; ++i) {
        const int advance = std::max(1, MulDiv(i, extent - 1, steps) - MulDiv(i - 1, extent - 1, steps));
        const int end = std::min(pos + advance, last);
        const TRect band = vertical ? TRect{r.Left, pos, r.Right, end} : TRect{pos, r.Top, end, r.Bottom};
        const std::uint32_t color = MakeRGB(Channel(c1, 0) - MulDiv(i, dR, steps),
                                            Channel(c1, 8) - MulDiv(i, dG, steps),
                                            Channel(c1, 16) - MulDiv(i, dB, steps));
        bands.push_back({band, color});
        pos += advance;
    }
    return bands;
}

std::vector<Band> PlanGradient(const TRect& r, TQMGradient direction, std::uint32_t startRGB, std::uint32_t endRGB)
{
    switch (direction) {
    case qmgLeftToRight: return PlanBands(r, startRGB, endRGB, 255, false, false);
    case qmgRightToLeft: return PlanBands(r, startRGB, endRGB, 255, true, false);
    case qmgTopToBottom: return PlanBands(r, startRGB, endRGB, 255, false, true);
    case qmgBottomToTop: return PlanBands(r, startRGB, endRGB, 255, true, true);
    case qmgNone: break;
    }
    return {};
}

std::vector<Line> EdgeLines(const TRect& r, TColor first, TColor second, TQMBorderEdges edges)
{
    const int R = r.Right == r.Left ? r.Right : r.Right - 1;
    const int B = r.Bottom == r.Top ? r.Bottom : r.Bottom - 1;
    std::vector<Line> lines;
    if (edges.Contains(qmbeTop)) lines.push_back({{R, r.Top}, {r.Left, r.Top}, first});
    if (edges.Contains(qmbeLeft)) lines.push_back({{r.Left, r.Top}, {r.Left, B}, first});
    if (edges.Contains(qmbeBottom)) lines.push_back({{r.Left, B}, {R, B}, second});
    if (edges.Contains(qmbeRight)) lines.push_back({{R, B}, {R, r.Top}, second});
    return lines;
}

std::vector<Ring> ShadedBorderRings(const TRect& r, std::uint32_t baseRGB, TQMBorderEdges edges, TQMControlBorder style)
{
    const Shades s = ShadesOf(baseRGB);
    const auto c = [](std::uint32_t v) { return static_cast<TColor>(v); };
    const TRect in = Shrink(r, 1, 1);
    switch (style) {
    case qmcbNone: return {};
    case qmcbFlat: return {{r, c(s.Shadow), c(s.Shadow), edges}};
    case qmcbColor: return {{r, c(s.Base), c(s.Base), edges}};
    case qmcb3DRaised: return {{r, c(s.Highlight), c(s.DarkShadow), edges}, {in, c(s.SoftShadow), c(s.Shadow), edges}};
    case qmcb3DLowered: return {{r, c(s.Shadow), c(s.Highlight), edges}, {in, c(s.DarkShadow), c(s.SoftShadow), edges}};
    case qmcbRaised: return {{r, c(s.Highlight), c(s.Shadow), edges}};
    case qmcbLowered: return {{r, c(s.Shadow), c(s.Highlight), edges}};
    case qmcbBumped: return {{r, c(s.Highlight), c(s.Shadow), edges}, {in, c(s.Shadow), c(s.Highlight), edges}};
    case qmcbEtched: {
        const TRect light{r.Left + 1, r.Top + 1, r.Right, r.Bottom};
        const TRect dark{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
        return {{light, c(s.Highlight), c(s.Highlight), edges}, {dark, c(s.Shadow), c(s.Shadow), edges}};
    }
    case qmcbMacLowered: return {{r, c(s.Shadow), c(s.Highlight), edges}, {in, c(s.Darkest), c(s.Darkest), edges}};
    case qmcbMacRaised: return {{r, c(s.Darkest), c(s.Darkest), edges}, {in, c(s.Highlight), c(s.Shadow), edges}};
    case qmcbSoftLowered: return {{r, c(s.Base), c(s.Highlight), edges}, {in, c(s.Shadow), c(s.Shadow), edges}};
    case qmcbSoftRaised: return {{r, c(s.Shadow), c(s.Shadow), edges}, {in, c(s.Highlight), c(s.Base), edges}};
    }
    return {};
}

std::vector<Ring> SystemBorderRings(const TRect& r, TColor flat, TQMBorderEdges edges, TQMControlBorder style)
{
    const auto edge = [](unsigned flags) { return Ring{{}, clNone, clNone, QMAllEdges, flags}; };
    const auto plain = [edges](TColor tl, TColor br) { return Ring{{}, tl, br, edges, 0}; };
    std::vector<Ring> rings;
    switch (style) {
    case qmcbNone: return {};
    case qmcbFlat:
    case qmcbColor: rings = {plain(flat, flat)}; break;
    case qmcb3DRaised: rings = {edge(BDR_RAISEDOUTER), edge(BDR_RAISEDINNER)}; break;
    case qmcb3DLowered: rings = {edge(BDR_SUNKENOUTER), edge(BDR_SUNKENINNER)}; break;
    case qmcbRaised: rings = {edge(BDR_RAISEDINNER)}; break;
    case qmcbLowered: rings = {edge(BDR_SUNKENOUTER)}; break;
    case qmcbBumped: rings = {edge(BDR_RAISEDINNER), edge(BDR_SUNKENOUTER)}; break;
    case qmcbEtched: rings = {edge(EDGE_ETCHED)}; break;
    case qmcbMacLowered: rings = {edge(BDR_SUNKENOUTER), plain(clWindowFrame, clWindowFrame)}; break;
    case qmcbMacRaised: rings = {plain(clWindowFrame, clWindowFrame), edge(BDR_RAISEDINNER)}; break;
    case qmcbSoftLowered: rings = {plain(clBtnFace, clBtnHighlight), plain(clBtnShadow, clBtnShadow)}; break;
    case qmcbSoftRaised: rings = {plain(clBtnShadow, clBtnShadow), plain(clBtnHighlight, clBtnFace)}; break;
    }
    TRect at = r;
    for (Ring& ring : rings) {
        ring.Rect = at;
        const int depth = ring.Edge == EDGE_ETCHED ? 2 : 1;  // an etched edge is two rings in one call
        at = Shrink(at, depth, depth);
    }
    return rings;
}

TRect FramedClientRect(int width, int height, int frameTotal)
{
    const int t = std::max(frameTotal, 0);
    TRect r{t, t, width - t, height - t};
    if (r.Right < r.Left) r.Left = r.Right = width / 2;
    if (r.Bottom < r.Top) r.Top = r.Bottom = height / 2;
    return r;
}

int FrameHitArea(TPoint p, int width, int height, const TRect& clientInWindow, int outer, int band, int inner)
{
    TRect w{0, 0, width, height};
    if (!PtInRect(w, p)) return qmhaNone;
    if (!clientInWindow.IsEmpty() && PtInRect(clientInWindow, p)) return qmhaNone;
    w = Shrink(w, outer, outer);
    if (!PtInRect(w, p)) return qmhaFrame;
    w = Shrink(w, band, band);
    if (!PtInRect(w, p)) return qmhaBorderBand;
    w = Shrink(w, inner, inner);
    if (!PtInRect(w, p)) return qmhaFrame;
    return -1;
}

TRect StatusbarRect(int width, int height, int frameTotal)
{
    TRect r = Shrink(TRect{0, 0, width, height}, frameTotal, frameTotal);
    if (r.IsEmpty()) return {};
    r.Top = r.Bottom - std::min(QMStatusbarHeight, r.Height());
    return r;
}

int StatusbarHitArea(TPoint p, int width, int height, int frameTotal, bool showGrip)
{
    const TRect w{0, 0, width, height};
    TRect r = Shrink(w, frameTotal, frameTotal);
    if (r.IsEmpty()) return qmhaNone;
    r.Top = r.Bottom - QMStatusbarHeight;
    r = Intersect(r, w);
    if (!PtInRect(r, p)) return qmhaNone;
    if (showGrip) {
        r.Left = r.Right - QMStatusbarHeight;
        r = Intersect(r, w);
        if (PtInRect(r, p)) return qmhaSizeGrip;
    }
    return qmhaStatusbar;
}

int SizeGripHitTest(int answer, int area)
{
    if (answer == qmhtBottomRight) answer = qmhtClient;
    if (area == qmhaSizeGrip) answer = qmhtBottomRight;
    return answer;
}

TRect StatusbarTextRect(const TRect& bar, bool showGrip)
{
    TRect t = Shrink(bar, 4, 1);
    if (showGrip) t.Right -= QMStatusbarHeight;
    return t;
}

std::vector<Line> StatusbarLines(const TRect& bar, bool showGrip, TColor barColor, TColor dark, TColor plain)
{
    std::vector<Line> lines;
    const TRect r = Shrink(bar, 2, 1);
    TColor pen = plain;
    if (showGrip) {
        for (int d = 10; d >= 2; d -= 2) {
            pen = (d / 2) % 2 == 1 ? dark : barColor;
            lines.push_back({{r.Right, r.Bottom - d}, {r.Right - d, r.Bottom}, pen});
            lines.push_back({{r.Right, r.Bottom - d + 1}, {r.Right - d + 1, r.Bottom}, pen});
        }
    }
    lines.push_back({{bar.Left, bar.Top}, {bar.Right, bar.Top}, pen});
    return lines;
}

int BevelSize(TQMControlBorder bevel, int bevelWidth)
{
    if (bevel == qmcbNone) return 0;
    return bevelWidth + QMBorderThickness(bevel);
}

TRect ShrinkForBevel(const TRect& r, TQMControlBorder bevel, TQMBorderEdges edges, int bevelWidth)
{
    if (bevel == qmcbNone || edges.Empty()) return r;
    const int s = BevelSize(bevel, bevelWidth);
    TRect out = r;
    if (edges.Contains(qmbeLeft)) out.Left += s;
    if (edges.Contains(qmbeRight)) out.Right -= s;
    if (edges.Contains(qmbeTop)) out.Top += s;
    if (edges.Contains(qmbeBottom)) out.Bottom -= s;
    return out;
}

std::vector<TPoint> PicturePlacements(const TRect& r, int w, int h, TQMPictureOrient orient)
{
    if (r.IsEmpty() || w <= 0 || h <= 0) return {};
    switch (orient) {
    case qmpoTopLeft: return {{r.Left, r.Top}};
    case qmpoTopRight: return {{r.Right - w, r.Top}};
    case qmpoBottomLeft: return {{r.Left, r.Bottom - h}};
    case qmpoBottomRight: return {{r.Right - w, r.Bottom - h}};
    case qmpoCenter: return {{r.Left + (r.Width() - w) / 2, r.Top + (r.Height() - h) / 2}};
    case qmpoTiled: {
        const int cols = (r.Width() + w - 1) / w;
        const int rows = (r.Height() + h - 1) / h;
        std::vector<TPoint> at;
        at.reserve(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
        for (int c = 0; c < cols; ++c)
            for (int k = 0; k < rows; ++k) at.push_back({r.Left + c * w, r.Top + k * h});
        return at;
    }
    }
    return {};
}

ContentLayout PanelContentLayout(const TRect& r, int imageW, int imageH, TQMPanelLayout layout, bool rightJustify,
                                 int spacing)
{
    TRect i{r.Left, r.Top, r.Left + imageW, r.Bottom};
    switch (layout) {
    case qmplBottom: i.Top = r.Bottom - imageH; break;
    case qmplMiddle:
        i.Top = r.Top + (r.Height() - imageH) / 2;
        i.Bottom = i.Top + imageH;
        break;
    case qmplTop: i.Bottom = i.Top + imageH; break;
    }
    TRect t = r;
    if (!rightJustify) {
        t.Left = i.Right + spacing;
    } else {
        i.Right = r.Right;
        i.Left = r.Right - imageW;
        t.Right = std::max(i.Left - spacing, t.Left);
    }
    return {i, t};
}

bool GradientPainted(TQMGradient g, TColor color, TColor end, TColor mid, bool usesMid)
{
    if (g == qmgNone) return false;
    const bool none = end == kNoColor && (!usesMid || mid == kNoColor);
    const bool same = end == color && (!usesMid || mid == color);
    return !none && !same;
}

std::vector<GradientPart> PanelGradientParts(const TRect& r, TQMGradient g, TColor color, TColor end, TColor mid,
                                             bool usesMid)
{
    if (!GradientPainted(g, color, end, mid, usesMid) || r.IsEmpty()) return {};
    // No end colour means nothing to blend towards: that side keeps the panel colour.
    if (end == kNoColor) end = color;
    TColor start = color;
    if (!usesMid || mid == kNoColor) return {{r, g, start, end}};
    if (g == qmgRightToLeft || g == qmgBottomToTop) {
        std::swap(start, end);
        g = g == qmgRightToLeft ? qmgLeftToRight : qmgTopToBottom;
    }
    TRect first = r, second = r;
    if (g == qmgLeftToRight) {
        first.Right = first.Left + r.Width() / 2;
        second.Left = first.Right;
    } else {
        first.Bottom = first.Top + r.Height() / 2;
        second.Top = first.Bottom;
    }
    return {{first, g, start, mid}, {second, g, mid, end}};
}

TSize PanelContentSize(TSize text, TSize image, int spacing, int indent, const TRect& bevelInsets, const TRect& margins)
{
    const int w = image.cx + spacing + text.cx + 2 * indent + bevelInsets.Left + bevelInsets.Right + margins.Left +
                  margins.Right;
    const int h = std::max(image.cy, text.cy) + 2 * indent + bevelInsets.Top + bevelInsets.Bottom + margins.Top +
                  margins.Bottom;
    return {std::max(w, 0), std::max(h, 0)};
}

TRect AutoSizedBounds(const TRect& bounds, TSize size, bool keepRight)
{
    const int left = keepRight ? bounds.Right - size.cx : bounds.Left;
    return Bounds(left, bounds.Top, size.cx, size.cy);
}

int OSVersionCodeOf(int platformId, int major, int minor, const char* servicePack)
{
    if (platformId == 1) {
        if (major <= 3) return 0;
        if (major == 4 && minor == 0) return 1;
        if (major == 4 && minor == 10)
            return (servicePack && std::strlen(servicePack) >= 2 && servicePack[1] == 'A') ? 3 : 2;
        if (major == 4 && minor == 90) return 4;
        return -1;
    }
    if (platformId == 2) {
        if (major <= 4) return 5;
        if (major == 5 && minor == 0) return 6;
        if (major == 5 && minor == 1) return 7;
        return 8;
    }
    return -1;
}

}  // namespace qm
