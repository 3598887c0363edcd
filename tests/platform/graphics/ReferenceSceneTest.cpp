// Draws a reference scene of the layer's features and writes it as a PNG next to the test
// binary (reference_scene.png) for a person to look at.
#include <filesystem>

#include "PixelTest.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/Images.h"

namespace {

void DrawScene(TCanvas& c)
{
    HDC dc = c.Handle();
    c.Brush()->SetColor(clBtnFace);
    c.FillRect({0, 0, 480, 320});

    // Shapes with one-pixel and wide pens.
    c.Pen()->SetColor(clBlack);
    c.Brush()->SetColor(clSkyBlue);
    c.Rectangle(10, 10, 70, 50);
    c.Brush()->SetColor(clMoneyGreen);
    c.Ellipse(80, 10, 150, 50);
    c.Pen()->SetWidth(3);
    c.Brush()->SetColor(clCream);
    c.RoundRect(160, 10, 230, 50, 16, 16);
    c.Pen()->SetWidth(1);
    c.Brush()->SetColor(clRed);
    c.Pie(240, 10, 300, 70, 300, 40, 270, 10);
    dc->SetArcDirection(AD_CLOCKWISE);
    c.Brush()->SetColor(clYellow);
    c.Pie(310, 10, 370, 70, 370, 40, 340, 10);
    dc->SetArcDirection(AD_COUNTERCLOCKWISE);
    c.Pen()->SetColor(clNavy);
    c.Pen()->SetWidth(2);
    c.Arc(380, 10, 470, 70, 470, 40, 380, 40);
    c.Pen()->SetWidth(1);
    const TPoint star[] = {{45, 60}, {70, 130}, {10, 85}, {80, 85}, {20, 130}};
    c.Pen()->SetColor(clPurple);
    c.Brush()->SetColor(clFuchsia);
    dc->SetPolyFillMode(WINDING);
    c.Polygon(star, 5);

    // The six hatches.
    const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
    c.Pen()->SetColor(clBlack);
    for (int i = 0; i < 6; ++i) {
        c.Brush()->SetStyle(hatches[i]);
        c.Brush()->SetColor(clTeal);
        c.Rectangle(100 + i * 40, 80, 135 + i * 40, 115);
    }
    c.Brush()->SetStyle(bsSolid);

    // Region clipping: a ring cut out of a filled square.
    dc->SaveDC();
    TRegion outer = CreateEllipticRgn(350, 80, 420, 150), inner = CreateEllipticRgn(368, 98, 402, 132), ring;
    CombineRgn(ring, outer, inner, RGN_DIFF);
    SelectClipRgn(dc, &ring);
    c.Brush()->SetColor(clGreen);
    c.FillRect({340, 70, 430, 160});
    dc->RestoreDC(-1);

    // Edges.
    TRect e{430, 80, 470, 120};
    DrawEdge(dc, e, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
    TRect e2{430, 125, 470, 160};
    DrawEdge(dc, e2, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);

    // Text: normal, rotated and in the digit fonts.
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetName("MS Sans Serif");
    c.Font()->SetSize(10);
    c.Font()->SetColor(clBlack);
    c.TextOut(100, 125, "MS Sans Serif 10 pt");
    c.Font()->SetName("Courier New");
    c.TextOut(100, 142, "Courier New 10 pt");
    c.Font()->SetName("Arial");
    c.Font()->SetOrientation(450);
    c.Font()->SetColor(clMaroon);
    c.TextOut(20, 300, "rotated 45");
    c.Font()->SetOrientation(0);
    c.Font()->SetName("Elektra");
    c.Font()->SetSize(28);
    c.Font()->SetColor(clLime);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clBlack);
    c.TextOut(110, 170, "-12.34");
    c.Font()->SetName("DS-Digital");
    c.Font()->SetColor(clRed);
    c.TextOut(110, 225, "88:05");

    // A JPEG picture made from a gradient, stretched into place.
    TBitmap grad(64, 48, pf24bit);
    for (int y = 0; y < 48; ++y) {
        Byte* row = grad.ScanLine(y);
        for (int x = 0; x < 64; ++x) {
            row[x * 3] = static_cast<Byte>(x * 4);
            row[x * 3 + 1] = static_cast<Byte>(y * 5);
            row[x * 3 + 2] = static_cast<Byte>(255 - x * 4);
        }
    }
    TJPEGImage jpg;
    jpg.Assign(&grad);
    TMemoryStream m;
    jpg.SaveToStream(m);
    m.SetPosition(0);
    TJPEGImage loaded;
    loaded.LoadFromStream(m);
    c.StretchDraw({330, 175, 466, 277}, &loaded);

    // XOR rubber band.
    c.Pen()->SetMode(pmXor);
    c.Pen()->SetColor(clWhite);
    c.Pen()->SetStyle(psDot);
    c.Brush()->SetStyle(bsClear);
    c.Rectangle(325, 170, 471, 282);
    c.Pen()->SetMode(pmCopy);
    c.Pen()->SetStyle(psSolid);
    c.DrawFocusRect({5, 5, 475, 315});
}

TEST(ReferenceScene, WritesThePicture)
{
    TBitmap scene(480, 320, pf24bit);
    DrawScene(*scene.Canvas());
    TPngImage png;
    png.Assign(&scene);
    const std::string file = (std::filesystem::current_path() / "reference_scene.png").string();
    png.SaveToFile(file);
    ASSERT_TRUE(std::filesystem::exists(file));
    TPicture back;
    back.LoadFromFile(file);
    EXPECT_EQ(back.Width(), 480);
    EXPECT_EQ(back.Height(), 320);
    // A few anchor pixels: frame of the first rectangle, its fill, the clip ring's hole.
    HDC dc = scene.Canvas()->Handle();
    EXPECT_EQ(dc->GetPixel(10, 10), 0u);
    EXPECT_EQ(dc->GetPixel(30, 30), ColorToRGB(clSkyBlue));
    EXPECT_EQ(dc->GetPixel(385, 115), ColorToRGB(clBtnFace));
    EXPECT_EQ(dc->GetPixel(355, 115), ColorToRGB(clGreen));
}

}  // namespace
