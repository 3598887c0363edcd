// A chart with one series of every polar class, written as a chart file (binary and text) and
// read back, draws the same picture.
#include <gtest/gtest.h>

#include <cstring>

#include "chart/io/ChartFile.h"
#include "chart/series_ext/polar/PolarSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series_ext/polar/PolarFixtures.h"
#include "tests/chart/support/ChartRoundTrip.h"

namespace {

class PolarChartFile : public PolarSuite {
public:
    static void SetUpTestSuite()
    {
        PolarSuite::SetUpTestSuite();
        StartChartFileUnit();
    }
    static void TearDownTestSuite()
    {
        StopChartFileUnit();
        PolarSuite::TearDownTestSuite();
    }
};

TOwnedPtr<TChart> MakeChart()
{
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    chart->SetBounds(0, 0, 400, 300);
    chart->SetView3D(false);
    auto* polar = new TPolarSeries(chart.get());
    polar->SetName("Polar1");
    polar->SetParentChart(chart.get());
    polar->SetClockWiseLabels(true);
    polar->SetCircleLabels(true);
    auto* bar = new TPolarBarSeries(chart.get());
    bar->SetName("PolarBar1");
    bar->SetParentChart(chart.get());
    for (int i = 0; i < 8; ++i) polar->AddPolar(i * 45, 3 + i), bar->AddPolar(i * 45 + 20, 10 - i);
    auto* radar = new TRadarSeries(chart.get());
    radar->SetName("Radar1");
    radar->SetParentChart(chart.get());
    for (int i = 0; i < 6; ++i) radar->AppendMainValue(2 + (i * 5) % 7, i == 0 ? "first" : "");
    return chart;
}

TEST_F(PolarChartFile, EverySeriesComesBackAndDrawsTheSame)
{
    for (const bool asText : {false, true}) {
        SCOPED_TRACE(asText ? "text" : "binary");
        TOwnedPtr<TChart> chart = MakeChart();
        TBitmap before;
        testkit::RenderToBitmap(*chart, before);
        TOwnedPtr<TChart> back = ReadBackChart(*chart, asText);
        ExpectSameSeries(*back, *chart);
        TBitmap after;
        testkit::RenderToBitmap(*back, after);
        EXPECT_TRUE(SamePixels(before, after));
    }
}

}  // namespace
