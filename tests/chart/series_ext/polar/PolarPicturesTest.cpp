// Pictures of the polar family on the antialiased canvas (the default), compared with golden
// images that someone has looked at.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "chart/canvas/ZebBrush.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/series_ext/polar/PolarSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/series_ext/polar/PolarFixtures.h"
#include "tests/support/Golden.h"

namespace {

class PolarPictures : public PolarSuite {};

// A 480 x 360 flat chart titled with the picture's name; fill adds its series.
void ExpectPolarPicture(const std::string& name, const std::function<void(TChart&, TComponent*)>& fill)
{
    SCOPED_TRACE(name);
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetBounds(0, 0, 480, 360);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(false);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add(name);
    fill(*chart, root.get());
    TBitmap bitmap;
    testkit::RenderToBitmap(*chart, bitmap);
    testsupport::ExpectMatchesGolden(bitmap, TV_SOURCE_DIR "/tests/chart/series_ext/polar/golden", name);
}

// Radii 2..11 then 12..21 over 36 steps of 10 degrees.
template <class S>
S& AddSpiral(TChart& chart, TComponent* root, double start)
{
    auto* s = new S(root);
    s->SetParentChart(&chart);
    for (int i = 0; i < 10; ++i) s->AddPolar(i * 36, start + i);
    return *s;
}

TEST_F(PolarPictures, GalleryEntries)
{
    for (const int style : {0, 3, 4}) {
        ExpectPolarPicture("polar_" + std::to_string(style), [&](TChart& chart, TComponent* root) {
            auto& s = AddSpiral<TPolarSeries>(chart, root, 2);
            s.ApplyGalleryStyle(style);
        });
        ExpectPolarPicture("polarbar_" + std::to_string(style), [&](TChart& chart, TComponent* root) {
            auto& s = AddSpiral<TPolarBarSeries>(chart, root, 2);
            s.ApplyGalleryStyle(style);
        });
        ExpectPolarPicture("radar_" + std::to_string(style), [&](TChart& chart, TComponent* root) {
            auto* s = new TRadarSeries(root);
            s->SetParentChart(&chart);
            for (const double v : {5.0, 8.0, 3.0, 9.0, 6.0}) s->AppendMainValue(v);
            s->ApplyGalleryStyle(style);
        });
    }
}

TEST_F(PolarPictures, TwoPolarSeriesShareOneFrame)
{
    ExpectPolarPicture("polar_two_series", [&](TChart& chart, TComponent* root) {
        AddSpiral<TPolarSeries>(chart, root, 2).SetCircleLabels(true);
        AddSpiral<TPolarSeries>(chart, root, 12);
    });
}

}  // namespace
