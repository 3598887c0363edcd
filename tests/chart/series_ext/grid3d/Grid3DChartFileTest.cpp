// A chart with one series of every 3-D grid class, written as a chart file (binary and text) and
// read back, draws the same picture.
#include <gtest/gtest.h>

#include <cstring>

#include "chart/io/ChartFile.h"
#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/series_ext/grid3d/ContourSeries.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"
#include "tests/chart/support/ChartRoundTrip.h"

namespace {

class Grid3DChartFile : public Grid3DSuite {
public:
    static void SetUpTestSuite()
    {
        Grid3DSuite::SetUpTestSuite();
        StartChartFileUnit();
    }
    static void TearDownTestSuite()
    {
        StopChartFileUnit();
        Grid3DSuite::TearDownTestSuite();
    }
};

template <class S>
S& AddGrid(TChart& chart, const char* name, int shift)
{
    auto* s = new S(&chart);
    s->SetName(name);
    s->SetParentChart(&chart);
    FillGrid(*s, 6, 5, [shift](int x, int z) { return (x * 3 + z * z + shift) % 11; });
    return *s;
}

TOwnedPtr<TChart> MakeChart()
{
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    chart->SetCanvasClassName("TGDIPlusCanvas");
    chart->SetBounds(0, 0, 400, 300);
    chart->View3DOptions()->SetOrthogonal(false);
    chart->View3DOptions()->SetRotation(340);
    AddGrid<TSurfaceSeries>(*chart, "Surface1", 0).SetSmoothPalette(true);
    AddGrid<TWaterFallSeries>(*chart, "WaterFall1", 1);
    auto& contour = AddGrid<TContourSeries>(*chart, "Contour1", 2);
    contour.SetNumLevels(5);
    AddGrid<TColorGridSeries>(*chart, "ColorGrid1", 3).SetPaletteStyle(psCustom);
    AddGrid<TIsoSurfaceSeries>(*chart, "IsoSurface1", 4);
    return chart;
}

TEST_F(Grid3DChartFile, EverySeriesComesBackAndDrawsTheSame)
{
    for (const bool asText : {false, true}) {
        SCOPED_TRACE(asText ? "text" : "binary");
        TOwnedPtr<TChart> chart = MakeChart();
        TBitmap before;
        testkit::RenderToBitmap(*chart, before);
        TOwnedPtr<TChart> back = ReadBackChart(*chart, asText);
        ExpectSameSeries(*back, *chart);
        ASSERT_EQ(back->SeriesList().Count(), 5);
        TBitmap after;
        testkit::RenderToBitmap(*back, after);
        EXPECT_TRUE(SamePixels(before, after));
    }
}

}  // namespace
