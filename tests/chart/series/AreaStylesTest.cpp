// The band of an area series is filled down to its origin whatever the drawing style, on both
// canvases: segments, one polygon, or a curve closed by straight lines to the origin.
#include "SeriesTestPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/LineSeries.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 320, Height = 200;
constexpr TColor Fill = static_cast<TColor>(0x8000FF);

// Pixels of the fill colour in the picture of an area series drawn in style.
int BandPixels(const char* canvasClass, TCustomSeriesDrawStyle style, bool horizontal)
{
    TOwnedPtr<TLineTestPanel> chart(new TLineTestPanel(nullptr));
    chart->SetBounds(0, 0, Width, Height);
    chart->SetView3D(false);
    chart->SetCanvasClassName(canvasClass);
    TCustomSeries* s = horizontal ? static_cast<TCustomSeries*>(new THorizAreaSeries(chart.get()))
                                  : static_cast<TCustomSeries*>(new TAreaSeries(chart.get()));
    s->SetParentChart(chart.get());
    s->SetSeriesColor(Fill);
    s->LinePen()->SetVisible(false);
    s->SetDrawStyle(style);
    const double values[] = {2, 6, 3, 7, 4, 8, 5};
    for (int i = 0; i < 7; ++i) {
        if (horizontal)
            s->InsertXY(values[i], i);
        else
            s->InsertXY(i, values[i]);
    }
    TChartAxis& value = horizontal ? *chart->BottomAxis() : *chart->LeftAxis();
    value.SetAutomatic(false);
    value.ApplyRange(0, 10);
    TBitmap bitmap(Width, Height, pf24bit);
    chart->RenderTo(bitmap.Canvas(), {0, 0, Width, Height});
    int count = 0;
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) count += bitmap.Canvas()->Pixels(x, y) == Fill;
    return count;
}

}  // namespace

TEST_F(LineFamily, AreaBandIsFilledInEveryDrawStyle)
{
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"})
        for (bool horizontal : {false, true}) {
            SCOPED_TRACE(::testing::Message() << canvasClass << (horizontal ? ", horizontal" : ", vertical"));
            const int segments = BandPixels(canvasClass, dsSegments, horizontal);
            ASSERT_GT(segments, Width * Height / 8);
            for (TCustomSeriesDrawStyle style : {dsAll, dsCurve}) {
                SCOPED_TRACE(TCustomSeriesDrawStyleNames[style]);
                // The curve swings about the straight segments; both enclose nearly the same band.
                EXPECT_NEAR(BandPixels(canvasClass, style, horizontal), segments, segments * 0.06);
            }
        }
}
