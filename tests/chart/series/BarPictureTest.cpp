// Pictures of bar charts on both canvases: bars side by side, stacked, 100 %, self-stacked,
// horizontal, and the fifteen shapes in 2-D and 3-D.
#include <functional>
#include <string>

#include "BarFixtures.h"
#include "ChartPicture.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"

namespace {

struct PictureCase {
    const char* name;
    bool view3D;
    TChartSetup setup;
};

template <class S = TBarSeries>
S& AddBars(TChart& chart, TComponent& root, std::initializer_list<double> values, TMultiBar mode, TColor color)
{
    auto* series = new S(&root);
    series->SetParentChart(&chart);
    series->SetSeriesColor(color);
    for (const double v : values) series->AppendMainValue(v);
    series->SetMultiBar(mode);
    return *series;
}

constexpr TColor Blue = static_cast<TColor>(0xC07030), Orange = static_cast<TColor>(0x2080F0),
                 Green = static_cast<TColor>(0x40A040);

void Side(TChart& chart, TComponent& root)
{
    AddBars(chart, root, {4, 7, 3, 6}, mbSide, Blue);
    AddBars(chart, root, {5, 2, 6, 4}, mbSide, Orange).Marks().SetVisible(false);
}

void Stacked(TChart& chart, TComponent& root)
{
    AddBars(chart, root, {4, 7, 3, 6}, mbStacked, Blue).Marks().SetVisible(false);
    AddBars(chart, root, {2, 3, 5, 1}, mbStacked, Orange).Marks().SetVisible(false);
    AddBars(chart, root, {-2, -1, -3, -2}, mbStacked, Green).Marks().SetVisible(false);
}

void Stacked100(TChart& chart, TComponent& root)
{
    AddBars(chart, root, {1, 2, 3, 0}, mbStacked100, Blue).Marks().SetVisible(false);
    AddBars(chart, root, {3, 2, 1, 0}, mbStacked100, Orange).Marks().SetVisible(false);
}

void SelfStack(TChart& chart, TComponent& root)
{
    for (TBarSeries* s : {&AddBars(chart, root, {1, 2, -1, 3}, mbSelfStack, Blue),
                          &AddBars(chart, root, {2, -2, 1}, mbSelfStack, Orange)}) {
        s->SetColorEachPoint(true);
        s->Marks().SetVisible(false);
    }
}

void Horizontal(TChart& chart, TComponent& root)
{
    // Marks on the outer bars, beyond both ends.
    AddBars<THorizBarSeries>(chart, root, {4, 7, -3, 6}, mbStacked, Blue).Marks().SetVisible(false);
    AddBars<THorizBarSeries>(chart, root, {2, 3, -2, 1}, mbStacked, Orange);
}

// One series, one point per shape, each point in its own style.
void Styles(TChart& chart, TComponent& root)
{
    TBarSeries& s = AddBars(chart, root, {}, mbSide, Blue);
    for (int i = 0; i < 15; ++i) s.AppendMainValue(4 + i % 4);
    s.SetColorEachPoint(true);
    s.Marks().SetVisible(false);
    s.SetBarWidthPercent(80);
    s.SetBevelSize(3);
    s.Gradient()->SetStartColor(clWhite);
    s.SetOnGetBarStyle(TGetBarStyleEvent([](TCustomBarSeries*, int index, TBarStyle& style) {
        style = static_cast<TBarStyle>(index);
    }));
}

class BarPicture : public BarSuite,
                   public ::testing::WithParamInterface<std::tuple<PictureCase, const char*>> {};

TEST_P(BarPicture, Frame)
{
    const auto& [c, canvasClass] = GetParam();
    ExpectChartPicture(c.name, c.view3D, canvasClass, c.setup);
}

INSTANTIATE_TEST_SUITE_P(
    Bars, BarPicture,
    ::testing::Combine(::testing::Values(PictureCase{"bars_side", false, Side},
                                         PictureCase{"bars_stacked_3d", true, Stacked},
                                         PictureCase{"bars_stacked100", false, Stacked100},
                                         PictureCase{"bars_self_stacked_3d", true, SelfStack},
                                         PictureCase{"bars_horizontal", false, Horizontal},
                                         PictureCase{"bars_styles", false, Styles},
                                         PictureCase{"bars_styles_3d", true, Styles}),
                       ::testing::Values("TZebCanvas3D", "TGDIPlusCanvas")),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + CanvasSuffix(std::get<1>(info.param));
    });

}  // namespace
