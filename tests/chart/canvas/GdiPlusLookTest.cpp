// Pictures of the antialiased canvas compared with committed images that someone has looked at:
// the GDI-style canvas's 2-D, gradient and 3-D sheets drawn antialiased, the hatches, gradient
// stops with transparency, texts in the digit fonts and the text qualities, and a frame drawn at
// Scale 2.
#include <gtest/gtest.h>

#include <cmath>

#include "../../support/Golden.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

const String goldenDir = TV_SOURCE_DIR "/tests/chart/canvas/golden";

struct TSheet {
    TBitmap window;
    TView3DOptions options;
    TGDIPlusCanvas canvas;

    TSheet(int w, int h, bool is3D = false) : window(w, h, pf32bit)
    {
        options.SetPerspective(30);
        options.SetOrthogonal(false);
        canvas.PrepareView(window.Canvas(), is3D ? &options : nullptr, clWhite, is3D, {0, 0, w, h});
        if (is3D) canvas.SetupProjection(40, {0, 0, w, h}, {0, 0, w, h});
        canvas.GetDeviceContext()->FillRect({0, 0, w, h}, clWhite);
        canvas.SetBackgroundMode(TRANSPARENT);
    }
    void Expect(const String& name) { testsupport::ExpectMatchesGolden(*canvas.BufferBitmap(), goldenDir, name); }
};

}  // namespace

TEST(GdiPlusCanvasLook, SolidsAndShapesSheet)
{
    TSheet f(120, 120, true);
    f.canvas.Brush()->SetColor(clRed);
    f.canvas.DrawBox(10, 40, 60, 100, 0, 20, true, 0);
    f.canvas.Brush()->SetColor(clBlue);
    f.canvas.DrawTaperedCylinder(true, 50, 60, 75, 100, 0, 20, true, 100);
    f.canvas.Brush()->Gradient()->SetVisible(false);
    f.canvas.Brush()->SetColor(clYellow);
    TSolidPieSlice s;
    s.CenterX = 60, s.CenterY = 25, s.RadiusX = 35, s.RadiusY = 20, s.Z0 = 0, s.Z1 = 10;
    s.StartAngle = 0.3, s.EndAngle = 4.5, s.DarkSides = true, s.DonutPercent = 40;
    f.canvas.DrawSolidPieSlice(s);
    f.canvas.Brush()->SetColor(clLime);
    f.canvas.DrawArrowAtZDefault(true, {85, 110}, {115, 70}, 10, 10, 0);
    f.Expect("gdiplus_canvas_solids");
}

TEST(GdiPlusCanvasLook, GradientsAndShapesSheet)
{
    TSheet f(200, 120);
    const TGradientDirection directions[] = {gdTopBottom,  gdBottomTop,   gdLeftRight,      gdRightLeft,
                                             gdFromCenter, gdFromTopLeft, gdFromBottomLeft, gdRadial,
                                             gdDiagonalUp, gdDiagonalDown};
    for (int i = 0; i < 10; ++i) {
        const int x = (i % 5) * 40, y = (i / 5) * 30;
        f.canvas.FillRectGradient({x + 2, y + 2, x + 38, y + 28}, clNavy, clYellow, directions[i], 50, 0, 0);
    }
    f.canvas.Brush()->SetColor(clRed);
    f.canvas.PieByAngles({5, 65, 55, 115}, 30, 300);
    f.canvas.Brush()->SetColor(clAqua);
    f.canvas.DrawDonutSlice(90, 90, 25, 25, 0.5, 5.5, 50);
    f.canvas.Font()->SetColor(clBlack);
    f.canvas.Font()->SetSize(10);
    f.canvas.RotatedTextOut(130, 110, "Rotated", 45, false);
    f.canvas.TextOut(140, 70, "Text");
    f.Expect("gdiplus_canvas_sheet");
}

TEST(GdiPlusCanvasLook, ShapesSheet)
{
    TSheet f(240, 120);
    TZebPen& pen = *f.canvas.Pen();
    pen.SetColor(clNavy);
    pen.SetWidth(3);
    f.canvas.Brush()->SetColor(clSkyBlue);
    f.canvas.Rectangle(5, 5, 55, 45);
    f.canvas.RoundRect(65, 5, 115, 45, 16, 16);
    f.canvas.Ellipse(125, 5, 175, 45);
    pen.SetStyle(psDash);
    pen.SetWidth(2);
    f.canvas.Brush()->SetStyle(bsClear);
    const TPoint curve[] = {{185, 45}, {200, 5}, {215, 40}, {235, 10}};
    f.canvas.PolylineOrPolygon(curve, 0.5f, false);
    pen.SetStyle(psSolid);
    pen.SetWidth(1);
    f.canvas.Brush()->SetStyle(bsSolid);
    f.canvas.Brush()->SetColor(clMoneyGreen);
    const TPoint star[] = {{30, 60}, {40, 110}, {5, 78}, {55, 78}, {20, 110}};
    f.canvas.Polygon(star);
    pen.SetWidth(4);
    pen.SetEndStyle(esFlat);
    pen.SetColor(static_cast<TColor>(0x600000FF));  // red, partly transparent
    const TPoint zigzag[] = {{65, 110}, {80, 60}, {95, 110}, {110, 60}};
    f.canvas.Polyline(zigzag);
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    f.canvas.ArcByAngles(120, 60, 170, 110, 20, 250);
    f.canvas.StartBlend({}, 40);
    f.canvas.Brush()->SetColor(clRed);
    f.canvas.Ellipse(180, 60, 225, 105);
    f.canvas.Brush()->SetColor(clBlue);
    f.canvas.Ellipse(195, 70, 238, 115);
    f.canvas.FinishBlend(nullptr);
    f.Expect("gdiplus_canvas_shapes");
}

TEST(GdiPlusCanvasLook, HatchSheet)
{
    TSheet f(270, 150);
    f.canvas.Pen()->SetColor(clGray);
    f.canvas.Brush()->SetStyle(bsHorizontal);
    f.canvas.Brush()->SetColor(clNavy);
    f.canvas.Brush()->SetBackColor(clWhite);
    for (int i = 0; i <= hsSolidDiamond; ++i) {
        f.canvas.Brush()->SetHatchStyle(static_cast<THatchStyle>(i));
        const int x = 2 + (i % 9) * 30, y = 2 + (i / 9) * 25;
        f.canvas.Rectangle(x, y, x + 26, y + 21);
    }
    f.Expect("gdiplus_canvas_hatches");
}

TEST(GdiPlusCanvasLook, StopsWithTransparency)
{
    TSheet f(200, 100);
    f.canvas.Pen()->SetStyle(psClear);
    for (int i = 0; i < 10; ++i) {
        f.canvas.Brush()->SetColor(i % 2 ? clBlack : clWhite);
        f.canvas.FillRectangle({i * 20, 0, i * 20 + 20, 100});
    }
    const TGradientDirection directions[] = {gdLeftRight, gdTopBottom, gdRadial, gdFromCenter};
    for (int i = 0; i < 4; ++i) {
        TZebGradient& g = *f.canvas.Brush()->Gradient();
        g.Colors()->Clear();
        g.Colors()->InsertColor(clRed, 0, 0);
        g.Colors()->InsertColor(clYellow, 70, 0.4);
        g.Colors()->InsertColor(clBlue, 20, 1);
        g.SetDirection(directions[i]);
        g.SetVisible(true);
        const int x = 4 + (i % 2) * 98, y = 4 + (i / 2) * 48;
        f.canvas.Rectangle(x, y, x + 94, y + 44);
    }
    f.Expect("gdiplus_canvas_stops");
}

TEST(GdiPlusCanvasLook, DigitFontsAndTextQualities)
{
    TSheet f(240, 150);
    TZebFont& font = *f.canvas.Font();
    font.SetColor(clMaroon);
    font.SetSize(18);
    font.SetName("DS-Digital");
    f.canvas.TextOut(5, 12, "-12.34");
    font.SetName("Elektra");
    f.canvas.TextOut(120, 12, "56:78");
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(clBlack);
    const TZebFontQuality qualities[] = {TZebFontQuality::fqBest, TZebFontQuality::fqNormal,
                                         TZebFontQuality::fqClearType, TZebFontQuality::fqDefault};
    int y = 60;
    for (TZebFontQuality q : qualities) {
        font.SetQuality(q);
        f.canvas.TextOut(5, y, "Tilt X 12.5");
        y += 18;
    }
    font.SetQuality(TZebFontQuality::fqDefault);
    font.SetSize(16);
    font.Shadow()->SetVisible(true);
    font.Shadow()->SetColor(clSilver);
    font.Shadow()->SetSize(2);
    f.canvas.TextOut(120, 65, "Shadow");
    font.Shadow()->SetVisible(false);
    font.OutLine()->SetVisible(true);
    font.OutLine()->SetColor(clNavy);
    font.SetColor(clYellow);
    font.SetStyle({fsBold});
    f.canvas.TextOut(120, 100, "Outline");
    f.Expect("gdiplus_canvas_text");
}

TEST(GdiPlusCanvasLook, FrameAtScale2)
{
    TBitmap window(160, 100, pf32bit);
    window.Canvas()->Brush()->SetColor(clWhite);
    window.Canvas()->FillRect({0, 0, 160, 100});
    TGDIPlusCanvas canvas;
    canvas.SetScale(2);
    const TRect r = canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {10, 10, 150, 90});
    canvas.Brush()->SetColor(clCream);
    canvas.Pen()->SetColor(clGray);
    canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetWidth(2);
    TPoint points[28];
    for (int i = 0; i < 28; ++i) points[i] = {10 + i * 10, 80 + static_cast<int>(std::lround(50 * std::sin(i * 0.45)))};
    canvas.Polyline(points);
    canvas.Font()->SetSize(10);
    canvas.Font()->SetColor(clBlack);
    canvas.SetBackgroundMode(TRANSPARENT);
    canvas.TextOut(12, 8, "Scale 2");
    canvas.FlushBuffer(window.Canvas(), window.Canvas(), {10, 10, 150, 90});
    testsupport::ExpectMatchesGolden(window, goldenDir, "gdiplus_canvas_scale2");
}
