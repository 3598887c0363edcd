#include <gtest/gtest.h>

#include <cstdlib>

#include "../support/RecordingCanvas.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"

// A picture to look at: HTML text, corner styles, bevels and arrows on the recording canvas. It is
// written to $TV_LOOK_DIR (the test's temporary folder when unset).
TEST(Look, CanvasPicture)
{
    TRecordingCanvas canvas(360, 220);
    TZebFont font;
    font.SetSize(10);
    canvas.UseFont(font);
    HtmlTextOut(canvas, 10, 8,
                "Tilt <B>X</B> and <I>Y</I> in <FONT COLOR=#C00000 SIZE=+3>degrees</FONT>, "
                "x<SUP>2</SUP> &amp; <U>more</U><BR><FONT NAME=\"Courier New\">fixed</FONT> <IMG SRC=missing.png "
                "WIDTH=16 HEIGHT=16>");

    TZebBrush brush;
    brush.SetBackColor(0x80C0FF);
    canvas.UseBrush(brush);
    TZebPen pen;
    pen.SetColor(clNavy);
    canvas.UsePen(pen);
    const TZebCornerStyle styles[][4] = {{cosRound, cosRound, cosRound, cosRound},
                                         {cosBevel, cosRound, cosNone, cosRound},
                                         {cosNone, cosBevel, cosBevel, cosRound}};
    int x = 10;
    for (const auto& s : styles) {
        TZebCorners corners;
        corners.LeftTop()->SetStyle(s[0]);
        corners.RightTop()->SetStyle(s[1]);
        corners.RightBottom()->SetStyle(s[2]);
        corners.LeftBottom()->SetStyle(s[3]);
        canvas.RoundRectCorners({x, 60, x + 90, 120}, 24, 20, &corners);
        x += 110;
    }

    for (int i = 0; i < 3; ++i) {
        TRect r{10 + i * 60, 140, 60 + i * 60, 190};
        canvas.DrawBevelFrame(r, clWhite, clGray, i + 1);
        canvas.DrawBevelFrame(r, clGray, clWhite, 1);
    }

    TZebBrush arrowBrush;
    arrowBrush.SetBackColor(clRed);
    canvas.UseBrush(arrowBrush);
    canvas.UsePen(pen);
    canvas.DrawArrow(true, {200, 200}, {340, 140}, 20, 16, 40);
    canvas.DrawArrow(false, {200, 150}, {330, 190}, 14, 12, 50);

    const char* dir = std::getenv("TV_LOOK_DIR");
    const std::string path = (dir ? std::string(dir) + "/" : ::testing::TempDir()) + "chart-canvas-look.png";
    canvas.SavePng(path);
    EXPECT_FALSE(canvas.Calls("TextOut").empty());
    std::printf("picture: %s\n", path.c_str());
}
