// Pure plans of the styled controls: bands, rings, frames, status bar, pictures, content layout.
#include <gtest/gtest.h>

#include "platform/graphics/DeviceContext.h"
#include "widgets/styled/QMGeometry.h"

using namespace qm;

namespace {
constexpr std::uint32_t Rgb(int r, int g, int b)
{
    return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
}
}  // namespace

TEST(StyledMulDiv, RoundsHalfAwayFromZero)
{
    struct {
        int a, b, c, want;
    } cases[] = {
        {1, 5, 2, 3}, {-1, 5, 2, -3}, {1, 599, 255, 2}, {-1, 599, 255, -2}, {7, 1, 0, -1}, {3, 3, -2, -5}, {0, 9, 4, 0},
    };
    for (auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << "*" << c.b << "/" << c.c;
}

TEST(StyledShade, ChannelsClampAtTheirLimits)
{
    EXPECT_EQ(ShadeRGB(0, 96, 96, 96, false), 0u);  // shadow of black stays black
    EXPECT_EQ(ShadeRGB(Rgb(50, 60, 70), 220, 220, 220, true), Rgb(255, 255, 255));
    EXPECT_EQ(ShadeRGB(Rgb(10, 100, 250), 20, 20, 20, true), Rgb(30, 120, 255));
    EXPECT_EQ(ShadeRGB(Rgb(10, 100, 250), -20, 5, 300, false), Rgb(0, 95, 0));  // amounts count by size
    const Shades s = ShadesOf(Rgb(200, 100, 30));
    EXPECT_EQ(s.Highlight, Rgb(255, 255, 250));
    EXPECT_EQ(s.Shadow, Rgb(104, 4, 0));
    EXPECT_EQ(s.SoftShadow, Rgb(176, 76, 6));
    EXPECT_EQ(s.DarkShadow, Rgb(40, 0, 0));
    EXPECT_EQ(s.Darkest, Rgb(0, 0, 0));
}

TEST(StyledBands, CountFollowsWidthAndStepLimit)
{
    struct {
        int width;
        int maxSteps;
        std::size_t bands;
    } cases[] = {
        {600, 255, 256}, {10, 255, 10}, {256, 255, 256}, {2, 255, 2}, {100, 4, 5}, {100, 0, 2},
    };
    for (auto& c : cases) {
        const auto bands = PlanBands({0, 0, c.width, 5}, Rgb(0, 0, 0), Rgb(255, 255, 255), c.maxSteps, false, false);
        EXPECT_EQ(bands.size(), c.bands) << "width " << c.width << " steps " << c.maxSteps;
    }
}

TEST(StyledBands, CoverTheRectangleExactlyOnceFromStartToEnd)
{
    for (bool vertical : {false, true}) {
        for (int extent : {2, 3, 10, 77, 255, 256, 600, 1000}) {
            const TRect r = vertical ? TRect{5, 3, 9, 3 + extent} : TRect{-4, 1, -4 + extent, 7};
            const auto bands = PlanBands(r, Rgb(10, 20, 30), Rgb(210, 120, 0), 255, false, vertical);
            ASSERT_FALSE(bands.empty());
            int pos = vertical ? r.Top : r.Left;
            for (const Band& b : bands) {
                EXPECT_EQ(vertical ? b.Rect.Top : b.Rect.Left, pos);
                EXPECT_GT(vertical ? b.Rect.Height() : b.Rect.Width(), 0);
                EXPECT_EQ(vertical ? b.Rect.Left : b.Rect.Top, vertical ? r.Left : r.Top);
                pos = vertical ? b.Rect.Bottom : b.Rect.Right;
            }
            EXPECT_EQ(pos, vertical ? r.Bottom : r.Right) << extent;
            EXPECT_EQ(bands.front().Color, Rgb(10, 20, 30));
            EXPECT_EQ(bands.back().Color, Rgb(210, 120, 0));
        }
    }
}

TEST(StyledBands, SinglePixelOrEqualColoursIsOneFillInTheStartColour)
{
    auto one = PlanBands({0, 0, 1, 40}, Rgb(1, 2, 3), Rgb(200, 0, 0), 255, true, false);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].Rect, (TRect{0, 0, 1, 40}));
    EXPECT_EQ(one[0].Color, Rgb(1, 2, 3));
    auto same = PlanBands({0, 0, 300, 40}, Rgb(9, 9, 9), Rgb(9, 9, 9), 255, false, false);
    ASSERT_EQ(same.size(), 1u);
    EXPECT_EQ(same[0].Rect, (TRect{0, 0, 300, 40}));
    EXPECT_TRUE(PlanBands({0, 0, 0, 40}, 0, 1, 255, false, false).empty());
    EXPECT_TRUE(PlanBands({0, 0, 30, 0}, 0, 1, 255, false, true).empty());
}

TEST(StyledBands, ColoursStepEvenly)
{
    // 5 wide, 4 steps: every band one pixel, colour falls by a quarter of the distance each time.
    const auto bands = PlanBands({0, 0, 5, 1}, Rgb(200, 0, 100), Rgb(0, 200, 100), 255, false, false);
    ASSERT_EQ(bands.size(), 5u);
    const std::uint32_t want[] = {Rgb(200, 0, 100), Rgb(150, 50, 100), Rgb(100, 100, 100), Rgb(50, 150, 100),
                                  Rgb(0, 200, 100)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(bands[i].Rect, (TRect{i, 0, i + 1, 1}));
        EXPECT_EQ(bands[i].Color, want[i]) << i;
    }
}

TEST(StyledBands, GradientDirectionPutsStartColourOnItsSide)
{
    const std::uint32_t a = Rgb(255, 0, 0), b = Rgb(0, 0, 255);
    struct {
        TQMGradient g;
        bool vertical;
        bool startFirst;
    } cases[] = {
        {qmgLeftToRight, false, true},
        {qmgRightToLeft, false, false},
        {qmgTopToBottom, true, true},
        {qmgBottomToTop, true, false},
    };
    for (auto& c : cases) {
        const auto bands = PlanGradient({0, 0, 50, 30}, c.g, a, b);
        ASSERT_GT(bands.size(), 1u);
        EXPECT_EQ(bands.front().Color, c.startFirst ? a : b) << c.g;
        EXPECT_EQ(bands.back().Color, c.startFirst ? b : a) << c.g;
        EXPECT_EQ(bands[1].Rect.Top == 0 && bands[1].Rect.Bottom == 30, !c.vertical) << c.g;
    }
    EXPECT_TRUE(PlanGradient({0, 0, 50, 30}, qmgNone, a, b).empty());
}

TEST(StyledEdges, LinesRunAlongTheChosenEdges)
{
    const auto all = EdgeLines({0, 0, 10, 6}, 1, 2, QMAllEdges);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].From, (TPoint{9, 0}));
    EXPECT_EQ(all[0].To, (TPoint{0, 0}));
    EXPECT_EQ(all[0].Color, 1);
    EXPECT_EQ(all[1].From, (TPoint{0, 0}));
    EXPECT_EQ(all[1].To, (TPoint{0, 5}));
    EXPECT_EQ(all[1].Color, 1);
    EXPECT_EQ(all[2].From, (TPoint{0, 5}));
    EXPECT_EQ(all[2].To, (TPoint{9, 5}));
    EXPECT_EQ(all[2].Color, 2);
    EXPECT_EQ(all[3].From, (TPoint{9, 5}));
    EXPECT_EQ(all[3].To, (TPoint{9, 0}));
    EXPECT_EQ(all[3].Color, 2);

    const auto top = EdgeLines({0, 0, 10, 6}, 1, 2, {qmbeTop});
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].Color, 1);
    EXPECT_TRUE(EdgeLines({0, 0, 10, 6}, 1, 2, {}).empty());
    const auto flat = EdgeLines({3, 4, 3, 4}, 1, 2, {qmbeRight});  // no width, no height
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0].From, (TPoint{3, 4}));
}

TEST(StyledRings, ShadedStylesUseTheirShades)
{
    const std::uint32_t base = Rgb(128, 128, 128);
    const Shades s = ShadesOf(base);
    const TColor H = TColor(s.Highlight), S = TColor(s.Shadow), sS = TColor(s.SoftShadow), D = TColor(s.DarkShadow),
                 X = TColor(s.Darkest), c = TColor(base);
    struct Want {
        TColor tl, br;
    };
    struct {
        TQMControlBorder style;
        std::vector<Want> rings;
    } cases[] = {
        {qmcbNone, {}},
        {qmcbFlat, {{S, S}}},
        {qmcbColor, {{c, c}}},
        {qmcb3DRaised, {{H, D}, {sS, S}}},
        {qmcb3DLowered, {{S, H}, {D, sS}}},
        {qmcbRaised, {{H, S}}},
        {qmcbLowered, {{S, H}}},
        {qmcbBumped, {{H, S}, {S, H}}},
        {qmcbEtched, {{H, H}, {S, S}}},
        {qmcbMacLowered, {{S, H}, {X, X}}},
        {qmcbMacRaised, {{X, X}, {H, S}}},
        {qmcbSoftLowered, {{c, H}, {S, S}}},
        {qmcbSoftRaised, {{S, S}, {H, c}}},
    };
    const TRect r{0, 0, 20, 10};
    for (auto& k : cases) {
        const auto rings = ShadedBorderRings(r, base, QMAllEdges, k.style);
        ASSERT_EQ(rings.size(), k.rings.size()) << k.style;
        for (std::size_t i = 0; i < rings.size(); ++i) {
            EXPECT_EQ(rings[i].TopLeft, k.rings[i].tl) << k.style << " ring " << i;
            EXPECT_EQ(rings[i].BottomRight, k.rings[i].br) << k.style << " ring " << i;
        }
        if (k.style != qmcbEtched && rings.size() == 2) {
            EXPECT_EQ(rings[1].Rect, (TRect{1, 1, 19, 9})) << k.style;
        }
        if (!rings.empty() && k.style != qmcbEtched) {
            EXPECT_EQ(rings[0].Rect, r) << k.style;
        }
        // Never more rings than the thickness the style reserves.
        EXPECT_LE(static_cast<int>(rings.size()), QMBorderThickness(k.style)) << k.style;
    }
    const auto etched = ShadedBorderRings(r, base, QMAllEdges, qmcbEtched);
    EXPECT_EQ(etched[0].Rect, (TRect{1, 1, 20, 10}));
    EXPECT_EQ(etched[1].Rect, (TRect{0, 0, 19, 9}));
}

TEST(StyledRings, SystemStylesUsePlatformEdgesAndEdgeSetOnlyOnPlainRings)
{
    const TQMBorderEdges top{qmbeTop};
    struct Want {
        unsigned edge;
        TColor tl, br;
        int inset;
    };
    struct {
        TQMControlBorder style;
        std::vector<Want> rings;
    } cases[] = {
        {qmcbFlat, {{0, 7, 7, 0}}},
        {qmcbColor, {{0, 7, 7, 0}}},
        {qmcb3DRaised, {{BDR_RAISEDOUTER, 0, 0, 0}, {BDR_RAISEDINNER, 0, 0, 1}}},
        {qmcb3DLowered, {{BDR_SUNKENOUTER, 0, 0, 0}, {BDR_SUNKENINNER, 0, 0, 1}}},
        {qmcbRaised, {{BDR_RAISEDINNER, 0, 0, 0}}},
        {qmcbLowered, {{BDR_SUNKENOUTER, 0, 0, 0}}},
        {qmcbBumped, {{BDR_RAISEDINNER, 0, 0, 0}, {BDR_SUNKENOUTER, 0, 0, 1}}},
        {qmcbEtched, {{EDGE_ETCHED, 0, 0, 0}}},
        {qmcbMacLowered, {{BDR_SUNKENOUTER, 0, 0, 0}, {0, clWindowFrame, clWindowFrame, 1}}},
        {qmcbMacRaised, {{0, clWindowFrame, clWindowFrame, 0}, {BDR_RAISEDINNER, 0, 0, 1}}},
        {qmcbSoftLowered, {{0, clBtnFace, clBtnHighlight, 0}, {0, clBtnShadow, clBtnShadow, 1}}},
        {qmcbSoftRaised, {{0, clBtnShadow, clBtnShadow, 0}, {0, clBtnHighlight, clBtnFace, 1}}},
    };
    for (auto& k : cases) {
        const auto rings = SystemBorderRings({0, 0, 30, 30}, 7, top, k.style);
        ASSERT_EQ(rings.size(), k.rings.size()) << k.style;
        for (std::size_t i = 0; i < rings.size(); ++i) {
            const Want& w = k.rings[i];
            EXPECT_EQ(rings[i].Edge, w.edge) << k.style << " ring " << i;
            EXPECT_EQ(rings[i].Rect, (TRect{w.inset, w.inset, 30 - w.inset, 30 - w.inset})) << k.style;
            if (w.edge == 0) {
                EXPECT_EQ(rings[i].TopLeft, w.tl) << k.style;
                EXPECT_EQ(rings[i].BottomRight, w.br) << k.style;
                EXPECT_EQ(rings[i].Edges, top) << k.style << " ring " << i;
            } else {
                EXPECT_EQ(rings[i].Edges, QMAllEdges) << k.style << " ring " << i;
            }
        }
    }
    EXPECT_TRUE(SystemBorderRings({0, 0, 30, 30}, 7, top, qmcbNone).empty());
}

TEST(StyledFrame, ClientRectForEveryStyleAndWidth)
{
    for (int s = 0; s < QMControlBorderCount; ++s) {
        for (int inner = 0; inner < QMControlBorderCount; inner += 4) {
            for (int band : {0, 1, 3, 10}) {
                const int total = QMBorderThickness(TQMControlBorder(s)) + band +
                                  QMBorderThickness(TQMControlBorder(inner));
                const TRect c = FramedClientRect(200, 100, total);
                EXPECT_EQ(c, (TRect{total, total, 200 - total, 100 - total})) << s << "/" << inner << "/" << band;
            }
        }
    }
    EXPECT_EQ(FramedClientRect(50, 40, 0), (TRect{0, 0, 50, 40}));
    // 3-D raised outside, flat inside, band 3: 12 narrower and shorter.
    EXPECT_EQ(FramedClientRect(50, 40, 2 + 3 + 1), (TRect{6, 6, 44, 34}));
    EXPECT_EQ(FramedClientRect(50, 40, -3), (TRect{0, 0, 50, 40}));
    EXPECT_EQ(FramedClientRect(9, 40, 6), (TRect{4, 6, 4, 34}));  // too narrow: sides meet in the middle
    EXPECT_EQ(FramedClientRect(50, 11, 6), (TRect{6, 5, 44, 5}));
}

TEST(StyledFrame, HitAreasFromTheEdgeInward)
{
    // Outer 2, band 3, inner 1: client (6,6)-(44,34) of a 50 x 40 window.
    const TRect client{6, 6, 44, 34};
    struct {
        TPoint p;
        int want;
    } cases[] = {
        {{-1, 5}, qmhaNone},        {{50, 5}, qmhaNone},       {{0, 0}, qmhaFrame},  {{1, 20}, qmhaFrame},
        {{2, 20}, qmhaBorderBand},  {{4, 20}, qmhaBorderBand}, {{5, 20}, qmhaFrame}, {{20, 39}, qmhaFrame},
        {{20, 36}, qmhaBorderBand}, {{6, 6}, qmhaNone},        {{43, 33}, qmhaNone}, {{45, 20}, qmhaBorderBand},
    };
    for (auto& c : cases) EXPECT_EQ(FrameHitArea(c.p, 50, 40, client, 2, 3, 1), c.want) << c.p.X << "," << c.p.Y;
    // Inside the frames but outside the client (the status bar): the control decides.
    EXPECT_EQ(FrameHitArea({20, 30}, 50, 40, TRect{6, 6, 44, 18}, 2, 3, 1), -1);
    // No frame at all: every point of the window is client or none.
    EXPECT_EQ(FrameHitArea({0, 0}, 50, 40, TRect{0, 0, 50, 40}, 0, 0, 0), qmhaNone);
}

TEST(StyledStatusbar, GripAndBarAreas)
{
    // 120 x 100 window, frames 3 per side: bar (3,81)-(117,97), grip (101,81)-(117,97).
    struct {
        TPoint p;
        bool grip;
        int want;
    } cases[] = {
        {{50, 50}, true, qmhaNone},       {{50, 80}, true, qmhaNone},        {{50, 81}, true, qmhaStatusbar},
        {{100, 96}, true, qmhaStatusbar}, {{101, 81}, true, qmhaSizeGrip},   {{116, 96}, true, qmhaSizeGrip},
        {{117, 96}, true, qmhaNone},      {{116, 96}, false, qmhaStatusbar}, {{1, 90}, true, qmhaNone},
    };
    for (auto& c : cases) EXPECT_EQ(StatusbarHitArea(c.p, 120, 100, 3, c.grip), c.want) << c.p.X << "," << c.p.Y;
    EXPECT_EQ(StatusbarHitArea({3, 3}, 6, 6, 3, true), qmhaNone);  // frames leave nothing
    EXPECT_EQ(StatusbarRect(120, 100, 3), (TRect{3, 81, 117, 97}));
    EXPECT_EQ(StatusbarRect(120, 10, 0), (TRect{0, 0, 120, 10}));  // bar no higher than what is left
    EXPECT_EQ(StatusbarRect(4, 10, 2), TRect{});
}

TEST(StyledStatusbar, GripTakesOverTheBottomRightSizingCode)
{
    struct {
        int answer, area, want;
    } cases[] = {
        {qmhtBottomRight, qmhaNone, qmhtClient},
        {qmhtClient, qmhaSizeGrip, qmhtBottomRight},
        {qmhtBorder, qmhaStatusbar, qmhtBorder},
        {qmhtClient, qmhaStatusbar, qmhtClient},
    };
    for (auto& c : cases) EXPECT_EQ(SizeGripHitTest(c.answer, c.area), c.want);
}

TEST(StyledStatusbar, TextStopsBeforeTheGrip)
{
    const TRect bar{0, 84, 100, 100};
    EXPECT_EQ(StatusbarTextRect(bar, false), (TRect{4, 85, 96, 99}));
    EXPECT_EQ(StatusbarTextRect(bar, true), (TRect{4, 85, 80, 99}));
}

TEST(StyledStatusbar, GripShowsThreeDarkPairs)
{
    const TRect bar{0, 84, 100, 100};
    const auto lines = StatusbarLines(bar, true, 100, 200, 300);
    ASSERT_EQ(lines.size(), 11u);
    int dark = 0;
    for (std::size_t i = 0; i < 10; ++i) dark += lines[i].Color == 200;
    EXPECT_EQ(dark, 6);
    EXPECT_EQ(lines[0].From, (TPoint{98, 89}));  // d = 10 from the shrunk bar's corner (98, 99)
    EXPECT_EQ(lines[0].To, (TPoint{88, 99}));
    EXPECT_EQ(lines.back().From, (TPoint{0, 84}));
    EXPECT_EQ(lines.back().To, (TPoint{100, 84}));
    EXPECT_EQ(lines.back().Color, 200);  // top line keeps the grip's dark pen
    const auto plain = StatusbarLines(bar, false, 100, 200, 300);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].Color, 300);
}

TEST(StyledBevel, SizeAndChildOffsets)
{
    struct {
        TQMControlBorder bevel;
        int width;
        TQMBorderEdges edges;
        TRect want;
    } cases[] = {
        {qmcbRaised, 2, {qmbeLeft}, {3, 0, 100, 50}}, {qmcbNone, 5, QMAllEdges, {0, 0, 100, 50}},
        {qmcbBumped, 0, QMAllEdges, {2, 2, 98, 48}},  {qmcbFlat, 4, {qmbeTop, qmbeBottom}, {0, 5, 100, 45}},
        {qmcbEtched, 1, {qmbeRight}, {0, 0, 97, 50}}, {qmcbLowered, 3, {}, {0, 0, 100, 50}},
    };
    for (auto& c : cases) EXPECT_EQ(ShrinkForBevel({0, 0, 100, 50}, c.bevel, c.edges, c.width), c.want) << c.bevel;
    EXPECT_EQ(BevelSize(qmcbColor, 7), 8);
    EXPECT_EQ(BevelSize(qmcbSoftRaised, 7), 9);
}

TEST(StyledPicture, PlacementByOrientation)
{
    const TRect r{10, 20, 110, 70};
    struct {
        TQMPictureOrient o;
        TPoint at;
    } cases[] = {
        {qmpoTopLeft, {10, 20}},     {qmpoTopRight, {78, 20}}, {qmpoBottomLeft, {10, 38}},
        {qmpoBottomRight, {78, 38}}, {qmpoCenter, {44, 29}},
    };
    for (auto& c : cases) {
        const auto at = PicturePlacements(r, 32, 32, c.o);
        ASSERT_EQ(at.size(), 1u);
        EXPECT_EQ(at[0], c.at) << c.o;
    }
    EXPECT_EQ(PicturePlacements({0, 0, 10, 10}, 21, 21, qmpoCenter)[0], (TPoint{-5, -5}));  // toward zero
    EXPECT_TRUE(PicturePlacements({0, 0, 0, 10}, 5, 5, qmpoTopLeft).empty());
}

TEST(StyledPicture, TilingCounts)
{
    struct {
        int rw, rh, w, h;
        std::size_t tiles;
    } cases[] = {
        {100, 50, 32, 32, 8}, {64, 64, 32, 32, 4}, {1, 1, 32, 32, 1}, {65, 33, 32, 32, 6}, {100, 50, 0, 32, 0},
    };
    for (auto& c : cases) EXPECT_EQ(PicturePlacements({0, 0, c.rw, c.rh}, c.w, c.h, qmpoTiled).size(), c.tiles);
    // Column by column, each column top to bottom.
    const auto at = PicturePlacements({5, 5, 105, 55}, 32, 32, qmpoTiled);
    EXPECT_EQ(at[0], (TPoint{5, 5}));
    EXPECT_EQ(at[1], (TPoint{5, 37}));
    EXPECT_EQ(at[2], (TPoint{37, 5}));
    EXPECT_EQ(at[7], (TPoint{101, 37}));
}

TEST(StyledContent, ImageAndCaptionRectangles)
{
    const TRect r{0, 0, 100, 40};
    struct {
        int w, h;
        TQMPanelLayout layout;
        bool right;
        int spacing;
        TRect image, text;
    } cases[] = {
        {0, 0, qmplMiddle, false, 4, {0, 20, 0, 20}, {4, 0, 100, 40}},  // caption alone starts Spacing to the right
        {16, 16, qmplMiddle, false, 4, {0, 12, 16, 28}, {20, 0, 100, 40}},
        {16, 16, qmplTop, false, 4, {0, 0, 16, 16}, {20, 0, 100, 40}},
        {16, 16, qmplBottom, false, 4, {0, 24, 16, 40}, {20, 0, 100, 40}},
        {16, 16, qmplMiddle, true, 4, {84, 12, 100, 28}, {0, 0, 80, 40}},
        {16, 15, qmplMiddle, false, 0, {0, 12, 16, 27}, {16, 0, 100, 40}},
        {90, 10, qmplTop, true, 20, {10, 0, 100, 10}, {0, 0, 0, 40}},  // text never turns inside out
    };
    for (auto& c : cases) {
        const ContentLayout l = PanelContentLayout(r, c.w, c.h, c.layout, c.right, c.spacing);
        EXPECT_EQ(l.Image, c.image) << c.w << " " << c.layout << " " << c.right;
        EXPECT_EQ(l.Text, c.text) << c.w << " " << c.layout << " " << c.right;
    }
}

TEST(StyledGradient, PaintedOnlyWhenSomethingBlends)
{
    const TColor none = 0x1FFFFFFF, color = 0x404040, navy = 0x800000, blue = 0xFF0000;
    struct {
        TQMGradient g;
        TColor end, mid;
        bool usesMid;
        bool want;
    } cases[] = {
        {qmgNone, navy, blue, false, false},         {qmgLeftToRight, navy, blue, false, true},
        {qmgLeftToRight, color, blue, false, false}, {qmgLeftToRight, none, blue, false, false},
        {qmgLeftToRight, color, blue, true, true},   {qmgLeftToRight, color, color, true, false},
        {qmgLeftToRight, none, none, true, false},   {qmgTopToBottom, none, blue, true, true},
    };
    for (auto& c : cases) EXPECT_EQ(GradientPainted(c.g, color, c.end, c.mid, c.usesMid), c.want);
}

TEST(StyledGradient, MiddleColourSplitsTheFill)
{
    const TColor none = 0x1FFFFFFF, color = 1, end = 2, mid = 3;
    const TRect r{0, 0, 101, 51};
    auto two = PanelGradientParts(r, qmgLeftToRight, color, end, none, true);  // no middle colour: plain two-colour
    ASSERT_EQ(two.size(), 1u);
    EXPECT_EQ(two[0].Start, color);
    EXPECT_EQ(two[0].End, end);

    auto h = PanelGradientParts(r, qmgRightToLeft, color, end, mid, true);
    ASSERT_EQ(h.size(), 2u);
    EXPECT_EQ(h[0].Rect, (TRect{0, 0, 50, 51}));
    EXPECT_EQ(h[1].Rect, (TRect{50, 0, 101, 51}));
    EXPECT_EQ(h[0].Direction, qmgLeftToRight);
    EXPECT_EQ(h[0].Start, end);  // end colour at the left, panel colour at the right
    EXPECT_EQ(h[0].End, mid);
    EXPECT_EQ(h[1].Start, mid);
    EXPECT_EQ(h[1].End, color);

    auto v = PanelGradientParts(r, qmgTopToBottom, color, end, mid, true);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].Rect, (TRect{0, 0, 101, 25}));
    EXPECT_EQ(v[1].Rect, (TRect{0, 25, 101, 51}));
    EXPECT_EQ(v[0].Start, color);

    auto noEnd = PanelGradientParts(r, qmgLeftToRight, color, none, mid, true);
    ASSERT_EQ(noEnd.size(), 2u);
    EXPECT_EQ(noEnd[1].End, color);
}

TEST(StyledOSVersion, CodesByPlatformAndVersion)
{
    struct {
        int id, major, minor;
        const char* sp;
        int want;
    } cases[] = {
        {1, 3, 95, "", 0}, {1, 4, 0, "", 1},   {1, 4, 10, " A ", 3}, {1, 4, 10, " C", 2}, {1, 4, 10, nullptr, 2},
        {1, 4, 90, "", 4}, {1, 4, 50, "", -1}, {2, 3, 51, "", 5},    {2, 4, 0, "", 5},    {2, 5, 0, "", 6},
        {2, 5, 1, "", 7},  {2, 5, 2, "", 8},   {2, 10, 0, "", 8},    {0, 6, 1, "", -1},
    };
    for (auto& c : cases)
        EXPECT_EQ(OSVersionCodeOf(c.id, c.major, c.minor, c.sp), c.want) << c.id << " " << c.major << "." << c.minor;
}
