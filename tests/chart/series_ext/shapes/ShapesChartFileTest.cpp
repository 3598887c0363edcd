// Each shape series, written in a chart file (binary and text) and read back, draws the same
// picture.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "chart/io/ChartFile.h"
#include "chart/series_ext/shapes/CalendarSeries.h"
#include "chart/series_ext/shapes/FunnelSeries.h"
#include "chart/series_ext/shapes/OrgSeries.h"
#include "chart/series_ext/shapes/PyramidSeries.h"
#include "chart/series_ext/shapes/TagCloudSeries.h"
#include "chart/series_ext/shapes/TreeMapSeries.h"
#include "chart/series_ext/shapes/VolumePipeSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"
#include "tests/chart/support/ChartRoundTrip.h"

namespace {

class ShapesChartFile : public ShapesSuite {
public:
    static void SetUpTestSuite()
    {
        ShapesSuite::SetUpTestSuite();
        StartChartFileUnit();
    }
    static void TearDownTestSuite()
    {
        StopChartFileUnit();
        ShapesSuite::TearDownTestSuite();
    }
};

template <class S>
TChartSeries* AddSample(TChart& chart, int count)
{
    auto* s = new S(&chart);
    s->SetName("Series1");
    s->SetParentChart(&chart);
    s->FillWithSamples(count);
    return s;
}

TEST_F(ShapesChartFile, EverySeriesComesBackAndDrawsTheSame)
{
    const std::function<TChartSeries*(TChart&)> makers[] = {
        [](TChart& c) { return AddSample<TFunnelSeries>(c, 5); },
        [](TChart& c) { return AddSample<TPyramidSeries>(c, 5); },
        [](TChart& c) { return AddSample<TVolumePipeSeries>(c, 5); },
        [](TChart& c) {
            auto* s = AddSample<TOrgSeries>(c, 6);
            static_cast<TOrgSeries*>(s)->GetItem(3)->Format()->SetTextAlignment(taLeftJustify);
            return s;
        },
        [](TChart& c) { return AddSample<TTreeMapSeries>(c, 12); },
        [](TChart& c) { return AddSample<TTagCloudSeries>(c, 20); },
        [](TChart& c) {
            auto* s = AddSample<TCalendarSeries>(c, 1);
            static_cast<TCalendarSeries*>(s)->SetFirstDayOfWeek(0);
            static_cast<TCalendarSeries*>(s)->SetDate(EncodeDate(2026, 3, 18));
            return s;
        }};
    for (const auto& make : makers)
        for (const bool asText : {false, true}) {
            TOwnedPtr<TChart> chart(new TChart(nullptr));
            chart->SetBounds(0, 0, 400, 300);
            const TChartSeries* original = make(*chart);
            SCOPED_TRACE(std::string(original->ClassType().ClassName()) + (asText ? " text" : " binary"));
            TBitmap before;
            testkit::RenderToBitmap(*chart, before);
            TOwnedPtr<TChart> back = ReadBackChart(*chart, asText);
            ExpectSameSeries(*back, *chart);
            ASSERT_EQ(back->SeriesList().Count(), 1);
            const TChartSeries* read = back->SeriesList().GetSeriesAt(0);
            if (auto* org = dynamic_cast<const TOrgSeries*>(read)) {
                ASSERT_EQ(org->Items()->Count(), 6);
                EXPECT_TRUE(org->GetItem(3)->HasFormat());
                EXPECT_FALSE(org->GetItem(2)->HasFormat());
            }
            if (auto* calendar = dynamic_cast<TCalendarSeries*>(back->SeriesList().GetSeriesAt(0)))
                calendar->SetFirstDayOfWeek(0);
            TBitmap after;
            testkit::RenderToBitmap(*back, after);
            EXPECT_TRUE(SamePixels(before, after));
        }
}

}  // namespace
