// Pictures of pies and donuts on both canvases: an exploded slice, an "other" slice, marks with
// callouts and the legend, in 2-D and 3-D.
#include <functional>
#include <string>

#include "BarFixtures.h"
#include "ChartPicture.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/series/PieSeries.h"

namespace {

struct PieCase {
    const char* name;
    bool view3D;
    TChartSetup setup;
};

template <class S>
S& AddPie(TChart& chart, TComponent& root)
{
    auto* pie = new S(&root);
    pie->SetParentChart(&chart);
    const std::pair<double, const char*> points[] = {{30, "Cars"}, {22, "Phones"}, {18, "Tables"},
                                                     {14, "Lamps"}, {3, "Bikes"},  {2, "Chairs"}};
    for (const auto& [value, label] : points) pie->AppendMainValue(value, label);
    pie->ExplodedSlice().SetSliceValue(1, 20);
    pie->OtherSlice()->SetStyle(poBelowPercent);
    pie->OtherSlice()->SetValue(5);
    return *pie;
}

void Pie(TChart& chart, TComponent& root) { AddPie<TPieSeries>(chart, root); }

void Donut(TChart& chart, TComponent& root)
{
    TDonutSeries& donut = AddPie<TDonutSeries>(chart, root);
    donut.SetBevelPercent(20);
}

class PiePicture : public BarSuite, public ::testing::WithParamInterface<std::tuple<PieCase, const char*>> {};

TEST_P(PiePicture, Frame)
{
    const auto& [c, canvasClass] = GetParam();
    ExpectChartPicture(c.name, c.view3D, canvasClass, c.setup);
}

INSTANTIATE_TEST_SUITE_P(
    Pies, PiePicture,
    ::testing::Combine(::testing::Values(PieCase{"pie", false, Pie}, PieCase{"pie_3d", true, Pie},
                                         PieCase{"donut", false, Donut}, PieCase{"donut_3d", true, Donut}),
                       ::testing::Values("TZebCanvas3D", "TGDIPlusCanvas")),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + CanvasSuffix(std::get<1>(info.param));
    });

}  // namespace
