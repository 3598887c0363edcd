// Pictures of the shape series' gallery samples in 2-D and 3-D, compared with golden images that
// someone has looked at.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series_ext/shapes/CalendarSeries.h"
#include "chart/series_ext/shapes/FunnelSeries.h"
#include "chart/series_ext/shapes/OrgSeries.h"
#include "chart/series_ext/shapes/TreeMapSeries.h"
#include "chart/series_ext/shapes/PyramidSeries.h"
#include "chart/series_ext/shapes/TagCloudSeries.h"
#include "chart/series_ext/shapes/VolumePipeSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Random.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"
#include "tests/support/Golden.h"

namespace {

class ShapesPictures : public ShapesSuite {};

// The chart with a title naming the picture; fill adds the series.
void ExpectPicture(const std::string& name, bool view3D, const std::function<void(TComponent&, TChart&)>& fill)
{
    SCOPED_TRACE(name);
    RandSeed = 1;
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetBounds(0, 0, 480, 300);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(view3D);
    chart->View3DOptions()->SetOrthogonal(false);
    chart->View3DOptions()->SetRotation(345);
    chart->View3DOptions()->SetElevation(340);
    chart->View3DOptions()->SetPerspective(0);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add(name);
    fill(*root, *chart);
    TBitmap bitmap;
    testkit::RenderToBitmap(*chart, bitmap);
    testsupport::ExpectMatchesGolden(bitmap, TV_SOURCE_DIR "/tests/chart/series_ext/shapes/golden", name);
}

template <class S>
S& AddSample(TComponent& root, TChart& chart, int count = 0)
{
    auto* s = new S(&root);
    s->SetParentChart(&chart);
    s->FillWithSamples(count);
    return *s;
}

TEST_F(ShapesPictures, Funnel)
{
    for (const bool view3D : {false, true})
        ExpectPicture(std::string("funnel_") + (view3D ? "3d" : "2d"), view3D, [](TComponent& root, TChart& chart) {
            AddSample<TFunnelSeries>(root, chart, 6).Marks().SetVisible(true);
        });
}

TEST_F(ShapesPictures, PyramidPair)
{
    for (const bool view3D : {false, true})
        ExpectPicture(std::string("pyramid_") + (view3D ? "3d" : "2d"), view3D, [](TComponent& root, TChart& chart) {
            AddSample<TPyramidSeries>(root, chart, 5);
            AddSample<TPyramidSeries>(root, chart, 4);
        });
}

TEST_F(ShapesPictures, VolumePipe)
{
    for (const bool view3D : {false, true})
        ExpectPicture(std::string("volumepipe_") + (view3D ? "3d" : "2d"), view3D, [](TComponent& root, TChart& chart) {
            AddSample<TVolumePipeSeries>(root, chart).Marks().SetVisible(true);
        });
}

TEST_F(ShapesPictures, OrgChartBothLineStyles)
{
    for (const int style : {0, 1})
        ExpectPicture("org_" + std::to_string(style), false, [style](TComponent& root, TChart& chart) {
            AddSample<TOrgSeries>(root, chart).ApplyGalleryStyle(style);
        });
}

TEST_F(ShapesPictures, TreeMap)
{
    for (const bool byValue : {false, true})
        ExpectPicture(std::string("treemap_") + (byValue ? "value" : "level"), false, [byValue](TComponent& root, TChart& chart) {
            AddSample<TTreeMapSeries>(root, chart).SetColorStyle(byValue ? csByValue : csByLevel);
        });
}

TEST_F(ShapesPictures, TagCloud)
{
    ExpectPicture("tagcloud", false, [](TComponent& root, TChart& chart) { AddSample<TTagCloudSeries>(root, chart, 40); });
}

TEST_F(ShapesPictures, Calendar)
{
    ExpectPicture("calendar", false, [](TComponent& root, TChart& chart) {
        auto& s = AddSample<TCalendarSeries>(root, chart);
        s.SetFirstDayOfWeek(0);
        s.SetDate(EncodeDate(2026, 3, 18));
    });
}

}  // namespace
