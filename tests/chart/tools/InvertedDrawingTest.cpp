// The figures the tools draw with the inverting pen outside a paint pass: drawn twice through the
// panel routine they leave every pixel as it was, on both canvases.
#include <functional>
#include <vector>

#include "ToolFixture.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/PaintOverBuffer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

class InvertedDrawingTest : public ToolTest {
protected:
    // The pixels the routine draws on: the kept picture, else the canvas it is bound to.
    std::vector<TColor> Snapshot(const TRect& r)
    {
        TCanvas3D& canvas = *chart.Canvas3D();
        TCanvas* target = canvas.BufferBitmap() ? canvas.BufferBitmap()->Canvas() : canvas.TargetCanvas();
        std::vector<TColor> pixels;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) pixels.push_back(target ? target->Pixels(x, y) : clNone);
        return pixels;
    }
};

TEST_F(InvertedDrawingTest, EveryInvertedFigureDrawnTwiceLeavesThePictureAsItWas)
{
    auto& series = *new TToolSeries(form.get());
    series.InsertXY(0, 0);
    series.InsertXY(10, 100);
    series.SetParentChart(&chart);
    const TRect area{100, 80, 200, 180};
    const std::vector<TPoint> diamond{{150, 100}, {170, 130}, {150, 160}, {130, 130}};
    const std::vector<TPoint> arrow{{110, 170}, {125, 160}, {125, 178}, {110, 170}};
    struct Figure {
        const char* name;
        int width;
        std::function<void(TCanvas3D&)> draw;
    };
    const Figure figures[] = {
        {"cross-hair", 1, [](TCanvas3D& c) { c.MoveTo(100, 130); c.LineTo(200, 130); c.MoveTo(150, 80); c.LineTo(150, 180); }},
        {"scope box", 1, [](TCanvas3D& c) { c.Rectangle(140, 120, 160, 140); }},
        {"scope circle", 1, [](TCanvas3D& c) { c.Ellipse(140, 120, 160, 140); }},
        {"scope diamond", 1, [&](TCanvas3D& c) { c.Polygon(diamond); }},
        {"thick colour line", 3, [](TCanvas3D& c) { c.MoveTo(120, 80); c.LineTo(120, 180); }},
        {"arrow highlight", 2, [&](TCanvas3D& c) { c.Polyline(arrow); }},
    };
    int drawn = 0;
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"}) {
        chart.SetCanvasClassName(canvasClass);
        Frame();
        for (const Figure& f : figures) {
            SCOPED_TRACE(std::string(canvasClass) + " " + f.name);
            const std::vector<TColor> before = Snapshot(area);
            TZebPen pen;
            pen.SetColor(clBlue);
            pen.SetWidth(f.width);
            auto draw = [&](TCanvas3D& canvas) {
                canvas.Brush()->Clear();
                chart.ApplyXorPen(pen);
                f.draw(canvas);
            };
            // A canvas that keeps no picture makes the tool repaint instead.
            if (!PaintOverBuffer(chart, area, draw)) continue;
            ++drawn;
            EXPECT_NE(Snapshot(area), before) << "the figure shows";
            ASSERT_TRUE(PaintOverBuffer(chart, area, draw));
            EXPECT_EQ(Snapshot(area), before);
        }
    }
    EXPECT_EQ(drawn, 2 * static_cast<int>(std::size(figures)));
}

}  // namespace
