// The device context's mapping: window and viewport origins and extents, and what goes through them.
#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"

namespace {

struct Mapping {
    int mode;
    TPoint winOrg, vpOrg;
    TSize winExt, vpExt;
};

void Apply(HDC dc, const Mapping& m)
{
    SetMapMode(dc, m.mode);
    SetWindowOrgEx(dc, m.winOrg.X, m.winOrg.Y, nullptr);
    SetViewportOrgEx(dc, m.vpOrg.X, m.vpOrg.Y, nullptr);
    SetWindowExtEx(dc, m.winExt.cx, m.winExt.cy, nullptr);
    SetViewportExtEx(dc, m.vpExt.cx, m.vpExt.cy, nullptr);
}

TEST(MappingMode, LogicalAndDevicePointsConvertBothWays)
{
    const struct {
        const char* name;
        Mapping m;
        TPoint logical, device;
        bool exactBack;  // the device point converts back to the same logical one
    } cases[] = {
        {"text: origins only", {MM_TEXT, {10, 20}, {3, 4}, {1, 1}, {1, 1}}, {15, 25}, {8, 9}, true},
        {"text ignores extents", {MM_TEXT, {}, {}, {100, 100}, {300, 200}}, {7, 7}, {7, 7}, true},
        {"anisotropic 3 x 2", {MM_ANISOTROPIC, {}, {}, {100, 100}, {300, 200}}, {7, 7}, {21, 14}, true},
        {"page of a printer", {MM_ANISOTROPIC, {}, {}, {400, 250}, {4800, 3000}}, {400, 250}, {4800, 3000}, true},
        {"shrinking rounds", {MM_ANISOTROPIC, {}, {}, {4, 4}, {1, 1}}, {6, 5}, {2, 1}, false},
        {"origins and extents", {MM_ANISOTROPIC, {10, 10}, {100, 50}, {1, 1}, {2, 4}}, {12, 11}, {104, 54}, true},
        {"flipped y", {MM_ANISOTROPIC, {}, {0, 100}, {1, 1}, {1, -1}}, {5, 30}, {5, 70}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Surface s(4, 4);
        Apply(s.dc, c.m);
        EXPECT_EQ(s.dc->LPtoDP(c.logical), c.device);
        if (c.exactBack) {
            EXPECT_EQ(s.dc->DPtoLP(c.device), c.logical);
        }
        TPoint pts[] = {c.logical, c.logical};
        LPtoDP(s.dc, pts, 2);
        EXPECT_EQ(pts[1], c.device);
    }
}

TEST(MappingMode, ModesAndExtentsThatAreRefused)
{
    Surface s(4, 4);
    EXPECT_EQ(s.dc->GetMapMode(), MM_TEXT);
    EXPECT_FALSE(SetWindowExtEx(s.dc, 10, 10, nullptr));  // extents need the anisotropic mode
    EXPECT_EQ(s.dc->GetWindowExt(), (TSize{1, 1}));
    EXPECT_EQ(SetMapMode(s.dc, 3), 0);  // a mode the context does not offer
    EXPECT_EQ(SetMapMode(s.dc, MM_ANISOTROPIC), MM_TEXT);
    TSize old;
    EXPECT_TRUE(SetViewportExtEx(s.dc, 30, 40, &old));
    EXPECT_EQ(old, (TSize{1, 1}));
    EXPECT_FALSE(SetViewportExtEx(s.dc, 0, 5, nullptr));
    EXPECT_FALSE(SetWindowExtEx(s.dc, 5, 0, nullptr));
    EXPECT_EQ(s.dc->GetViewportExt(), (TSize{30, 40}));
    SetWindowOrgEx(s.dc, 2, 3, nullptr);
    // Back to text: extents 1 x 1, origins kept.
    EXPECT_EQ(SetMapMode(s.dc, MM_ANISOTROPIC + 0), MM_ANISOTROPIC);
    EXPECT_EQ(SetMapMode(s.dc, MM_TEXT), MM_ANISOTROPIC);
    EXPECT_EQ(s.dc->GetViewportExt(), (TSize{1, 1}));
    EXPECT_EQ(s.dc->GetWindowOrg(), (TPoint{2, 3}));
}

TEST(MappingMode, SaveAndRestoreKeepTheMapping)
{
    Surface s(4, 4);
    const int level = s.dc->SaveDC();
    Apply(s.dc, {MM_ANISOTROPIC, {1, 2}, {3, 4}, {10, 10}, {20, 30}});
    s.dc->RestoreDC(level);
    EXPECT_EQ(s.dc->GetMapMode(), MM_TEXT);
    EXPECT_EQ(s.dc->LPtoDP({5, 5}), (TPoint{5, 5}));
}

TEST(MappingMode, ShapesAndPensScaleWidthZeroStaysOnePixel)
{
    Surface s(40, 40);
    Apply(s.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {3, 2}});
    s.dc->FillRect({1, 1, 4, 3}, clRed);
    EXPECT_EQ(s.Ink(), (TRect{3, 2, 12, 6}));

    for (int width : {0, 1}) {
        SCOPED_TRACE(width);
        Surface l(40, 40);
        Apply(l.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {4, 4}});
        l.dc->SelectPen(SolidPen(clBlack, width));
        l.dc->MoveTo(1, 5);
        l.dc->LineTo(9, 5);
        const TRect ink = l.Ink();
        EXPECT_EQ(ink.Height(), width == 0 ? 1 : 4) << l.Dump();
        EXPECT_NEAR(ink.Left, 4, 2);  // a geometric pen's round caps reach half its width out
        EXPECT_NEAR(ink.Right, 36, 2);
    }
}

TEST(MappingMode, ClipRectanglesAreLogicalRegionsStayInDeviceUnits)
{
    Surface s(30, 30);
    Apply(s.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {2, 2}});
    IntersectClipRect(s.dc, 1, 1, 5, 5);
    TRect box;
    s.dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{1, 1, 5, 5}));
    s.dc->FillRect({0, 0, 30, 30}, clBlue);
    EXPECT_EQ(s.Ink(), (TRect{2, 2, 10, 10}));
    EXPECT_TRUE(s.dc->PtVisible(4, 4));
    EXPECT_FALSE(s.dc->PtVisible(5, 5));

    Surface r(30, 30);
    Apply(r.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {2, 2}});
    TRegion rgn = CreateRectRgn(3, 3, 7, 7);
    SelectClipRgn(r.dc, &rgn);
    r.dc->FillRect({0, 0, 30, 30}, clBlue);
    EXPECT_EQ(r.Ink(), (TRect{3, 3, 7, 7}));
    r.dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{2, 2, 4, 4}));  // 1.5 and 3.5 round up, as the device does
    // A mapping set after the clip leaves the clip where it is on the device.
    SetViewportOrgEx(r.dc, 10, 10, nullptr);
    r.dc->FillRect({-20, -20, 20, 20}, clRed);
    EXPECT_EQ(r.Count(clRed), 16);
}

TEST(MappingMode, BlocksPathsAndTextFollowTheMapping)
{
    Surface src(2, 2);
    src.dc->FillRect({0, 0, 1, 1}, clBlack);
    Surface s(20, 20);
    Apply(s.dc, {MM_ANISOTROPIC, {}, {4, 0}, {1, 1}, {3, 3}});
    BitBlt(s.dc, 0, 0, 2, 2, src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(s.Count(clBlack), 9);  // one source pixel covers 3 x 3 device pixels
    EXPECT_TRUE(s.Is(4, 0, clBlack));
    EXPECT_TRUE(s.Is(6, 2, clBlack));
    EXPECT_TRUE(s.Is(7, 0, clWhite));

    Surface p(20, 20);
    Apply(p.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {3, 3}});
    p.dc->SelectBrush(SolidBrush(clGreen));
    BeginPath(p.dc);
    p.dc->Rectangle(1, 1, 3, 3);
    EndPath(p.dc);
    FillPath(p.dc);
    EXPECT_EQ(p.Ink(), (TRect{3, 3, 9, 9}));

    // Font heights are logical: the same text is about twice as high at twice the scale.
    int heights[2] = {};
    for (int scale : {1, 2}) {
        Surface t(120, 60);
        Apply(t.dc, {MM_ANISOTROPIC, {}, {}, {1, 1}, {scale, scale}});
        TLogFont f;
        f.Height = -12;
        f.FaceName = "Arial";
        t.dc->SelectFont(f);
        t.dc->SetBkMode(TRANSPARENT);
        t.dc->TextOut(2, 2, "HX");
        heights[scale - 1] = t.Ink().Height();
    }
    ASSERT_GT(heights[0], 4);
    EXPECT_NEAR(heights[1], 2 * heights[0], 2);
}

TEST(MappingMode, DeviceCapsReportTheResolution)
{
    Surface s(600, 300);
    EXPECT_EQ(s.dc->GetDeviceCaps(LOGPIXELSX), 96);
    SetDeviceResolution(*s.dc, 600, 300);
    EXPECT_EQ(GetDeviceCaps(s.dc, LOGPIXELSX), 600);
    EXPECT_EQ(GetDeviceCaps(s.dc, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(s.dc, HORZSIZE), 25);  // one inch
    EXPECT_EQ(GetDeviceCaps(s.dc, VERTSIZE), 25);
}

}  // namespace
