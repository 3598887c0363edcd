// The legend symbol of a bar series whose brush holds a picture shows the picture, on both
// canvases and whether or not the bar pen is drawn.
#include "BarFixtures.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/Legend.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr TColor PictureColor = static_cast<TColor>(0x3399CC);

// Pixels of the picture's colour inside the legend after a frame.
int PicturePixelsInLegend(const char* canvasClass, bool penVisible)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetCanvasClassName(canvasClass);
    chart->SetBounds(0, 0, 400, 300);
    chart->SetView3D(false);
    auto* bar = new TBarSeries(root.get());
    bar->SetParentChart(chart);
    for (double v : {3.0, 5.0, 4.0}) bar->AppendMainValue(v);
    bar->Pen()->SetVisible(penVisible);
    TBitmap picture(8, 8, pf24bit);
    picture.Canvas()->Brush()->SetColor(PictureColor);
    picture.Canvas()->FillRect({0, 0, 8, 8});
    bar->BarBrush()->Image()->SetGraphic(&picture);
    chart->Legend()->SetLegendStyle(lsSeries);
    TBitmap frame(400, 300, pf24bit);
    chart->RenderTo(frame.Canvas(), {0, 0, 400, 300});
    const TRect legend = chart->Legend()->ShapeBounds();
    int count = 0;
    for (int y = legend.Top; y < legend.Bottom; ++y)
        for (int x = legend.Left; x < legend.Right; ++x) count += frame.Canvas()->Pixels(x, y) == PictureColor;
    return count;
}

}  // namespace

TEST_F(BarSuite, APictureBrushShowsInTheLegendSymbol)
{
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"})
        for (bool pen : {true, false}) {
            SCOPED_TRACE(::testing::Message() << canvasClass << (pen ? ", pen" : ", no pen"));
            // The symbol is about 16 x 8 pixels, less its outline when the pen is drawn.
            EXPECT_GT(PicturePixelsInLegend(canvasClass, pen), 10);
        }
}
