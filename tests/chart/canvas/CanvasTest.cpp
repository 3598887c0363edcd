#include <gtest/gtest.h>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Canvas.h"

namespace {
std::unique_ptr<TBitmap> pixels2x2(TColor a, TColor b, TColor c, TColor d)
{
    auto bmp = std::make_unique<TBitmap>(2, 2, pf24bit);
    bmp->Canvas()->SetPixels(0, 0, a);
    bmp->Canvas()->SetPixels(1, 0, b);
    bmp->Canvas()->SetPixels(0, 1, c);
    bmp->Canvas()->SetPixels(1, 1, d);
    return bmp;
}
}  // namespace

TEST(ZebCanvas, UseBrushTakesBackColorAsFill)
{
    TRecordingCanvas canvas;
    TZebBrush brush;
    brush.SetColor(clBlue);  // BackColor stays clNone
    canvas.UseBrush(brush);
    EXPECT_EQ(canvas.Brush()->Color(), clNone);
    EXPECT_EQ(canvas.Brush()->BackColor(), clBlue);

    canvas.UseBrushColored(brush, clRed);
    EXPECT_EQ(canvas.Brush()->Color(), clRed);
    EXPECT_EQ(canvas.Brush()->BackColor(), clBlue);
}

TEST(ZebCanvas, HatchedBrushPaintsItsBackColourOpaque)
{
    TRecordingCanvas canvas;
    TZebBrush brush;
    brush.SetHatchStyle(hsCross);
    brush.SetColor(clYellow);
    canvas.UseBrushColored(brush, clNavy);
    HDC dc = canvas.GetDeviceContext();
    EXPECT_EQ(dc->GetBrush().Style, BS_HATCHED);
    EXPECT_EQ(dc->GetBkMode(), OPAQUE);
    EXPECT_EQ(dc->GetBkColor(), static_cast<TColorRef>(clYellow));
}

TEST(ZebCanvas, PictureBrushBecomesAPatternOnAnOpaqueBackground)
{
    TRecordingCanvas canvas;
    TZebBrush brush;
    brush.SetBackColor(clRed);
    brush.SetColor(clLime);
    auto bmp = pixels2x2(clBlack, clWhite, clWhite, clBlack);
    brush.Image()->SetGraphic(bmp.get());
    canvas.UseBrush(brush);

    EXPECT_EQ(canvas.Brush()->Style(), bsClear);
    ASSERT_NE(canvas.Brush()->Bitmap(), nullptr);
    EXPECT_TRUE(canvas.Brush()->HasImage());
    HDC dc = canvas.GetDeviceContext();
    EXPECT_EQ(dc->GetBrush().Style, BS_PATTERN);
    EXPECT_EQ(dc->GetBkMode(), OPAQUE);
    EXPECT_EQ(dc->GetBkColor(), static_cast<TColorRef>(clLime));
    EXPECT_EQ(dc->GetTextColor(), static_cast<TColorRef>(clRed));

    // Freeing the caller's brush leaves the canvas brush usable.
    TZebBrush plain;
    plain.SetBackColor(clGreen);
    canvas.UseBrush(plain);
    EXPECT_EQ(canvas.Brush()->Bitmap(), nullptr);
    EXPECT_EQ(canvas.GetDeviceContext()->GetBrush().Style, BS_SOLID);
}

TEST(ZebCanvas, PensBecomeDevicePens)
{
    struct Case {
        const char* what;
        std::function<void(TZebPen&)> setup;
        int style;
        int width;
        std::vector<std::uint32_t> dashes;
    };
    const Case cases[] = {
        {"thin", [](TZebPen&) {}, PS_SOLID, 1, {}},
        {"width 3 flat bevel dash",
         [](TZebPen& p) {
             p.SetWidth(3);
             p.SetEndStyle(esFlat);
             p.SetJoinStyle(jsBevel);
             p.SetStyle(psDash);
         },
         PS_GEOMETRIC | PS_ENDCAP_FLAT | PS_JOIN_BEVEL | PS_DASH,
         3,
         {}},
        {"width 2 round",
         [](TZebPen& p) { p.SetWidth(2); },
         PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND | PS_SOLID,
         2,
         {}},
        {"small dots, space 2",
         [](TZebPen& p) {
             p.SetSmallDots(true);
             p.SetSmallSpace(2);
         },
         PS_GEOMETRIC | PS_USERSTYLE,
         1,
         {0, 3}},
        {"small dots, no space", [](TZebPen& p) { p.SetSmallDots(true); }, PS_COSMETIC | PS_ALTERNATE, 1, {}},
        {"hidden", [](TZebPen& p) { p.Hide(); }, PS_NULL, 1, {}},
    };
    for (const Case& c : cases) {
        TRecordingCanvas canvas;
        TZebPen pen;
        pen.SetColor(clRed);
        c.setup(pen);
        canvas.UsePen(pen);
        const TLogPen& selected = canvas.GetDeviceContext()->GetPen();
        EXPECT_EQ(selected.Style, c.style) << c.what;
        EXPECT_EQ(selected.Width, c.width) << c.what;
        EXPECT_EQ(selected.Dashes, c.dashes) << c.what;
        if (c.style != PS_NULL) {
            EXPECT_EQ(selected.Color, clRed) << c.what;
        }
    }
}

TEST(ZebCanvas, WideSquarePensKeepTheirMixMode)
{
    TRecordingCanvas canvas;
    TZebPen pen;
    pen.SetWidth(3);
    pen.SetEndStyle(esSquare);
    pen.SetMode(pmXor);
    canvas.UsePen(pen);
    EXPECT_EQ(canvas.GetDeviceContext()->GetROP2(), R2_XORPEN);
}

TEST(ZebCanvas, TransparentSectionsCompound)
{
    TRecordingCanvas canvas;
    TZebBlend* outer = canvas.StartBlend({0, 0, 10, 10}, 50);
    EXPECT_EQ(canvas.Transparency(), 50);
    TZebBlend* inner = canvas.StartBlend({0, 0, 10, 10}, 50);
    EXPECT_EQ(canvas.Transparency(), 75);
    canvas.FinishBlend(inner);
    EXPECT_EQ(canvas.Transparency(), 50);
    canvas.FinishBlend(outer);
    EXPECT_EQ(canvas.Transparency(), 0);
    canvas.FinishBlend(nullptr);  // only restores
    EXPECT_EQ(canvas.Transparency(), 0);
}

TEST(ZebCanvas, ATransparentSectionMixesTheNewDrawingWithTheOld)
{
    TRecordingCanvas canvas(20, 20);
    canvas.Brush()->SetColor(clBlack);
    TZebBlend* blend = canvas.StartBlend({0, 0, 10, 10}, 50);
    canvas.FillRectangle({0, 0, 20, 20});
    canvas.FinishBlend(blend);
    const TColorRef inside = canvas.GetDeviceContext()->GetPixel(5, 5);
    EXPECT_NEAR(GetRValue(inside), 128, 2);
    EXPECT_EQ(canvas.GetDeviceContext()->GetPixel(15, 15), 0u);  // outside the section: as drawn
}

TEST(ZebCanvas, TextWidthCountsShadowAndEmboss)
{
    TRecordingCanvas canvas;
    TZebFont font;
    canvas.UseFont(font);
    const int plain = canvas.TextWidth("Chart");
    const int plainHeight = canvas.TextHeight("Chart");
    ASSERT_GT(plain, 0);

    font.Shadow()->SetHorizSize(-3);
    font.Emboss()->SetVertSize(2);  // hidden: not counted
    canvas.UseFont(font);
    EXPECT_EQ(canvas.TextWidth("Chart"), plain + 3);
    EXPECT_EQ(canvas.TextHeight("Chart"), plainHeight);
    font.Emboss()->SetVisible(true);
    canvas.UseFont(font);
    EXPECT_EQ(canvas.TextHeight("Chart"), plainHeight + 2);
    const TSizeFloat size = canvas.TextSizeFloat("Chart");
    EXPECT_EQ(size.Width, static_cast<float>(plain + 3));
}

TEST(ZebCanvas, ArcByAnglesInEitherOrder)
{
    TRecordingCanvas canvas;
    canvas.ArcByAngles(0, 0, 100, 50, 0, 90);
    canvas.ArcByAngles(0, 0, 100, 50, 90, 0);
    const auto arcs = canvas.Calls("Arc");
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0], "Arc(0,0,100,50,100,25,50,0)");
    EXPECT_EQ(arcs[1], arcs[0]);
}

TEST(ZebCanvas, BevelFrameDrawsRingsInward)
{
    TRecordingCanvas canvas;
    TRect r{0, 0, 10, 10};
    canvas.DrawBevelFrame(r, clWhite, clGray, 2);
    EXPECT_EQ(r, (TRect{2, 2, 8, 8}));
    const std::vector<std::string> expected = {"Polyline(0,9 0,0 9,0)", "Polyline(9,0 9,9 -1,9)",
                                               "Polyline(1,8 1,1 8,1)", "Polyline(8,1 8,8 0,8)"};
    EXPECT_EQ(canvas.Calls("Polyline"), expected);
    EXPECT_EQ(canvas.Pen()->Width(), 1);
}

TEST(ZebCanvas, ArrowOutlines)
{
    const auto pts = TZebCanvas::CalcArrowPoints({0, 0}, {100, 0}, 10, 10, 50);
    const std::vector<TPoint> expected = {{0, 2}, {90, 2}, {90, 5}, {100, 0}, {90, -5}, {90, -2}, {0, -2}};
    EXPECT_EQ(pts, expected);
    // The head is cut to the arrow's length.
    EXPECT_EQ(TZebCanvas::CalcArrowPoints({0, 0}, {4, 0}, 10, 10, 50)[2], (TPoint{0, 5}));

    TRecordingCanvas canvas;
    EXPECT_TRUE(TZebCanvas::CalcArrowPoints({3, 3}, {3, 3}, 10, 10, 50).empty());
    canvas.DrawArrow(true, {3, 3}, {3, 3}, 10, 10, 50);
    canvas.DrawArrow(false, {3, 3}, {3, 3}, 10, 10, 50);
    EXPECT_TRUE(canvas.Log().empty());

    canvas.DrawArrow(false, {0, 0}, {100, 0}, 10, 10, 50);
    EXPECT_EQ(canvas.LogText(), "MoveTo(0,0)\nLineTo(100,0)\nMoveTo(90,-5)\nLineTo(100,0)\nLineTo(90,5)\n");
}

TEST(ZebCanvas, ClipsNestAndUnwind)
{
    TRecordingCanvas canvas(50, 50);
    HDC dc = canvas.GetDeviceContext();
    canvas.ClipToRect({0, 0, 30, 30});
    canvas.ClipToEllipse({0, 0, 20, 20});
    TRect box;
    dc->GetClipBox(box);
    EXPECT_LE(box.Right, 20);
    EXPECT_LE(box.Bottom, 20);
    canvas.RemoveClip();
    dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{0, 0, 30, 30}));
    canvas.RemoveClip();

    const TPoint square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
    canvas.ClipToPolygon(square, true);
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRectangle({0, 0, 50, 50});
    canvas.RemoveClip();
    EXPECT_EQ(dc->GetPixel(15, 15), 0xFFFFFFu);
    EXPECT_EQ(dc->GetPixel(5, 5), 0u);
}

TEST(ZebCanvas, ResetDrawingStateRestoresDefaults)
{
    TRecordingCanvas canvas;
    TZebPen pen;
    pen.SetWidth(4);
    pen.SetColor(clRed);
    canvas.UsePen(pen);
    canvas.Brush()->SetColor(clRed);
    canvas.SetTextAlignment(TA_CENTER);
    canvas.ResetDrawingState();
    EXPECT_EQ(canvas.Pen()->Width(), 1);
    EXPECT_EQ(canvas.Pen()->Color(), clBlack);
    EXPECT_EQ(canvas.Brush()->Color(), clWhite);
    EXPECT_EQ(canvas.Font()->Name(), ZebDefaultFontName());
    EXPECT_EQ(canvas.GetTextAlignment(), TA_LEFT);
    EXPECT_EQ(canvas.GetBackgroundMode(), TRANSPARENT);
}

TEST(ZebCanvas, ColourRoutines)
{
    EXPECT_EQ(TZebCanvas::ResolveColor(clNone), clBlack);
    EXPECT_EQ(TZebCanvas::ResolveColor(clBtnFace), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(TZebCanvas::ResolveColor(0x123456), 0x123456);
    EXPECT_EQ(TZebCanvas::ColorAlpha(TZebCanvas::ColorWithAlpha(clRed, 128)), 128);
    Byte triple[3];
    TZebCanvas::ColorToRGBTriple(0x00112233, triple);
    EXPECT_EQ(triple[0], 0x11);
    EXPECT_EQ(triple[2], 0x33);
    double a = 0, b = 0;
    TZebCanvas::ArcPointAngles(0, 0, 100, 100, 100, 50, 50, 100, a, b);
    EXPECT_DOUBLE_EQ(a, 0);
    EXPECT_DOUBLE_EQ(b, 270);
}

// ---- 3-D interface ----

TEST(Canvas3D, FlatModeNests)
{
    TRecordingCanvas canvas;
    canvas.PushFlatMode();
    canvas.PushFlatMode();
    EXPECT_FALSE(canvas.Projecting());
    canvas.PopFlatMode();
    EXPECT_FALSE(canvas.Projecting());
    canvas.PopFlatMode();
    EXPECT_TRUE(canvas.Projecting());
    EXPECT_EQ(canvas.LogText(), "SaveAndClearProjection()\nRestoreProjection()\n");
}

TEST(Canvas3D, DiamondAtTheMiddleDepth)
{
    TRecordingCanvas canvas;
    canvas.DrawDiamond(0, 0, 10, 20, 0, 10);
    // (5, 0), (10, 10), (5, 20), (0, 10) at depth 5.
    EXPECT_EQ(canvas.Calls("Polygon")[0].substr(0, 30), "Polygon(10,-5 15,5 10,15 5,5) ");
}

TEST(Canvas3D, ElementsHandBackTheirOwner)
{
    TRecordingCanvas canvas;
    TZebPen owner;
    EXPECT_EQ(canvas.BeginElement("Series", &owner, nullptr), &owner);
    EXPECT_EQ(canvas.BeginElement("Axes", nullptr, nullptr), nullptr);
}

TEST(Canvas3D, ShadowShapes)
{
    struct Case {
        const char* what;
        bool ellipse;
        int round;
        std::vector<TPoint> points;
        double start, end;
        bool smooth;
        const char* call;
    };
    const Case cases[] = {
        {"polygon", false, 0, {{0, 0}, {10, 0}, {5, 5}}, 0, 360, true, "Polygon"},
        {"full ellipse", true, 0, {}, 0, 360, false, "Ellipse"},
        {"slice", true, 0, {}, 0, 90, false, "PieByAngles"},
        {"smooth ellipse", true, 0, {}, 0, 360, true, "Ellipse"},
        {"rounded", false, 5, {}, 0, 360, true, "RoundRect"},
        {"rectangle", false, 0, {}, 0, 360, true, "FillRectangle"},
    };
    for (const Case& c : cases) {
        TRecordingCanvas canvas;
        TZebShadow shadow;
        shadow.SetColor(clNavy);
        shadow.SetSmooth(c.smooth);
        canvas.PaintShadow(shadow, {0, 0, 20, 10}, c.ellipse, c.round, c.points, 0, c.start, c.end);
        ASSERT_EQ(canvas.Calls(c.call).size(), 1u) << c.what << "\n" << canvas.LogText();
        EXPECT_EQ(canvas.Brush()->Color(), clNavy) << c.what;
        EXPECT_FALSE(canvas.HasBrushGradient()) << c.what << ": the brush gradient is restored";
    }
}

TEST(Canvas3D, PictureOnAPlaneIsOneCellPerPixel)
{
    TRecordingCanvas canvas;
    auto bmp = pixels2x2(clRed, clLime, clBlue, clWhite);
    canvas.PaintImageOnPlane({0, 0, 10, 10}, bmp.get(), 0, cpZ);
    const std::vector<std::string> expected = {
        "Polygon(0,0 5,0 5,5 0,5) brush=0000FF", "Polygon(5,0 10,0 10,5 5,5) brush=00FF00",
        "Polygon(0,5 5,5 5,10 0,10) brush=FF0000", "Polygon(5,5 10,5 10,10 5,10) brush=FFFFFF"};
    EXPECT_EQ(canvas.Calls("Polygon"), expected);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);

    TRecordingCanvas empty;
    TBitmap none;
    empty.PaintImageOnPlane({0, 0, 10, 10}, &none, 0, cpZ);
    EXPECT_TRUE(empty.Log().empty());
    EXPECT_EQ(empty.Pen()->Style(), psClear);
}

TEST(Canvas3D, TriangleStreams)
{
    TRecordingCanvas canvas;
    int asked = 0;
    auto triangle = [&](int index, TStreamTriangle& t) {
        ++asked;
        t.Points[0] = {index, 0, 0};
        t.Points[1] = {index + 10, 0, 0};
        t.Points[2] = {index, 10, 0};
        t.Colors[0] = clRed;
    };
    canvas.DrawTriangleStream(0, nullptr, 0, triangle);
    canvas.DrawTriangleStream(-3, nullptr, 0, triangle);
    EXPECT_EQ(asked, 0);
    EXPECT_TRUE(canvas.Log().empty());

    canvas.DrawTriangleStream(2, nullptr, 0, triangle);
    const auto calls = canvas.Calls("TriangleXYZ");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "TriangleXYZ(1,0,0,11,0,0,1,10,0) color=0000FF");
    EXPECT_EQ(calls[1], "TriangleXYZ(2,0,0,12,0,0,2,10,0) color=0000FF");
}

TEST(Canvas3D, BoxOutlineIsTheHullOfTheProjectedBox)
{
    TRecordingCanvas canvas;
    std::vector<TPoint> outline;
    ASSERT_TRUE(canvas.BoxOutline({0, 0, 10, 10}, 0, 5, outline));
    // Front (0,0)-(10,10) and back moved by (+5, -5): a hexagon.
    EXPECT_EQ(outline.size(), 6u);
    canvas.PushFlatMode();
    ASSERT_TRUE(canvas.BoxOutline({0, 0, 10, 10}, 0, 5, outline));
    EXPECT_EQ(outline.size(), 4u);
    canvas.PopFlatMode();
}

TEST(Canvas3D, ProjectionHelpers)
{
    TRecordingCanvas canvas;
    EXPECT_EQ(canvas.ProjectRectAtZ({0, 0, 10, 10}, 2), (TRect{2, -2, 12, 8}));
    const TFourPoints corners = canvas.ProjectRectCorners({0, 0, 10, 10}, 1);
    EXPECT_EQ(corners[2], (TPoint{11, 9}));
    EXPECT_EQ(canvas.ProjectedBoundsAtZ({0, 0, 10, 10}, 1), (TRect{1, -1, 12, 10}));
    const auto arrow = canvas.CalcArrowPointsAtZ({0, 0}, {100, 0}, 3, 10, 10, 50);
    EXPECT_EQ(arrow[3], (TPoint{103, -3}));
    const TPointFloat p = canvas.PointOnEllipse({0, 0, 100, 50}, 0, 90);
    EXPECT_FLOAT_EQ(p.X, 50);
    EXPECT_FLOAT_EQ(p.Y, 0);
}

TEST(Canvas3D, FrustumFacesAndCaps)
{
    TRecordingCanvas canvas;
    canvas.PushFlatMode();
    canvas.DrawSquareFrustum({0, 0, 20, 20}, true, 0, 0, 5, 0, 1);
    canvas.PopFlatMode();
    // Base cap, then one depth face, then the top cap, all at depth 0.
    const auto faces = canvas.Calls("PolygonFloat");
    ASSERT_FALSE(faces.empty());
    EXPECT_EQ(faces.front().substr(0, 30), "PolygonFloat(0,20 20,20 20,20 ");
}
