// The device canvas and metafiles: pictures played into a rectangle, drawing recorded into one.
#include <gtest/gtest.h>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Metafile.h"

namespace {

TColor Pixel(TBitmap& bmp, int x, int y)
{
    const Byte* p = bmp.ScanLine(y) + 4 * x;
    return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
}

// A 10 x 10 metafile with one diagonal line.
void DrawDiagonal(TMetafile& mf)
{
    mf.SetWidth(10);
    mf.SetHeight(10);
    TMetafileCanvas c(&mf, nullptr);
    c.Pen()->SetColor(clBlack);
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
}

TEST(GdiCanvasMetafile, StretchingPlaysThePictureAtTheRectanglesSize)
{
    TMetafile mf;
    DrawDiagonal(mf);
    for (TCanvasStretchQuality quality : {sqHigh, sqLow}) {
        SCOPED_TRACE(TCanvasStretchQualityNames[quality]);
        TBitmap window(40, 40, pf32bit);
        TZebCanvas3D canvas;
        canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, 40, 40});
        canvas.GetDeviceContext()->FillRect({0, 0, 40, 40}, clWhite);
        canvas.SetStretchQuality(quality);
        canvas.StretchGraphic({0, 0, 40, 40}, &mf);
        // A line one pixel wide along the diagonal, not a resampled band four pixels wide.
        TBitmap& shown = *canvas.BufferBitmap();
        EXPECT_EQ(Pixel(shown, 20, 20), clBlack);
        EXPECT_EQ(Pixel(shown, 22, 20), clWhite);
        EXPECT_EQ(Pixel(shown, 20, 22), clWhite);
    }
}

TEST(GdiCanvasMetafile, DrawingIntoAMetafileCanvasRecordsShapes)
{
    auto draw = [](TCanvas* target) {
        TZebCanvas3D canvas;
        canvas.SetBuffered(false);
        canvas.PrepareView(target, nullptr, clWhite, false, {0, 0, 60, 40});
        canvas.Brush()->SetColor(clRed);
        canvas.Rectangle(5, 5, 30, 20);
        canvas.Brush()->SetColor(clBlue);
        canvas.Ellipse(35, 5, 55, 35);
        canvas.TextOut(5, 22, "Tilt");
    };
    TMetafile mf;
    mf.SetWidth(60);
    mf.SetHeight(40);
    {
        TMetafileCanvas c(&mf, nullptr);
        draw(&c);
    }
    TBitmap direct(60, 40, pf32bit), played(60, 40, pf32bit);
    direct.Canvas()->Handle()->FillRect({0, 0, 60, 40}, clWhite);
    played.Canvas()->Handle()->FillRect({0, 0, 60, 40}, clWhite);
    draw(direct.Canvas());
    played.Canvas()->StretchDraw({0, 0, 60, 40}, &mf);
    for (TPoint p : {TPoint{15, 12}, TPoint{45, 20}, TPoint{2, 2}, TPoint{32, 12}})
        EXPECT_EQ(Pixel(played, p.X, p.Y), Pixel(direct, p.X, p.Y)) << p.X << "," << p.Y;
}

}  // namespace
