// Palette settings for series outside the palette family: the value range they colour over, the
// palettes they build, the repaint of the owner's chart, and Assign and the stream through an
// owning series.
#include <gtest/gtest.h>

#include <memory>

#include "chart/series_ext/grid3d/SeriesColorPalette.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"
#include "tests/support/RegistryCheck.h"

namespace {

constexpr TColor rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

// A series that publishes palette settings, as the polar grid does.
class TPaletteOwnerSeries : public TChartSeries {
    TV_CLASS(TPaletteOwnerSeries, TChartSeries)
public:
    explicit TPaletteOwnerSeries(TComponent* owner) : TChartSeries(owner) {}
    TSeriesColorPalette* Palette() const { return palette_.get(); }
    void SetPalette(TSeriesColorPalette* value) { palette_->Assign(value); }
    void Assign(TPersistent* source) override
    {
        if (auto* other = dynamic_cast<TPaletteOwnerSeries*>(source)) palette_->Assign(other->palette_.get());
        TChartSeries::Assign(source);
    }

private:
    std::unique_ptr<TSeriesColorPalette> palette_ = std::make_unique<TSeriesColorPalette>(this);
};

// Counts the repaints asked of it.
class TCountingChart : public TChart {
    TV_CLASS(TCountingChart, TChart)
public:
    using TChart::TChart;
    int Repaints = 0;
    void Invalidate() override
    {
        ++Repaints;
        TChart::Invalidate();
    }
};

}  // namespace

TV_PUBLISHED(TPaletteOwnerSeries)
{
    Prop("Palette", &TPaletteOwnerSeries::Palette, &TPaletteOwnerSeries::SetPalette);
}

TV_PUBLISHED(TCountingChart) {}

namespace {

class SeriesColorPalette : public Grid3DSuite {};

TEST_F(SeriesColorPalette, ColoursSpanTheValueRangeItIsGiven)
{
    TSeriesColorPalette palette;
    EXPECT_EQ(palette.InnerSeries()->ParentChart(), palette.HostChart());
    palette.SetValueRange(clRed, 0, 10);
    struct Case {
        double value;
        TColor color;
    };
    for (const Case& k : {Case{0, rgb(255, 255, 255)}, Case{5, rgb(127, 127, 191)}, Case{10, rgb(0, 0, 128)},
                          Case{-1, rgb(255, 255, 255)}, Case{11, rgb(0, 0, 128)}})
        EXPECT_EQ(palette.ColorOfValue(k.value), k.color) << k.value;

    // A rainbow needs a chart to build in: the host chart is one.
    palette.SetUseColorRange(false);
    palette.SetPaletteStyle(psRainbow);
    palette.SetPaletteSteps(25);
    palette.SetUsePalette(true);
    palette.SetValueRange(clRed, 0, 24);
    const TCustom3DPalette entries = palette.CopyPalette();
    ASSERT_EQ(entries.size(), 25u);
    EXPECT_EQ(entries[24].Color, RainbowPalette[24]);
    EXPECT_DOUBLE_EQ(entries[24].UpToValue, 24);
    EXPECT_EQ(palette.ColorOfValue(2.5), RainbowPalette[3]);

    palette.SetUsePalette(false);
    palette.SetValueRange(clLime, 0, 24);
    EXPECT_EQ(palette.ColorOfValue(3), clLime) << "neither range nor palette: the series colour";
}

TEST_F(SeriesColorPalette, ASettingRepaintsTheOwnersChart)
{
    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    auto& chart = *new TCountingChart(root.get());
    auto& series = *new TPaletteOwnerSeries(root.get());
    series.SetParentChart(&chart);
    chart.Repaints = 0;
    series.Palette()->SetStartColor(clRed);
    EXPECT_GE(chart.Repaints, 1);
    chart.Repaints = 0;
    series.Palette()->SetStartColor(clRed);
    EXPECT_EQ(chart.Repaints, 0) << "an unchanged value";

    TSeriesColorPalette alone;  // no owner series: the change goes nowhere
    alone.SetStartColor(clRed);
    EXPECT_EQ(alone.StartColor(), clRed);
}

TEST_F(SeriesColorPalette, SettingsTravelThroughAssignAndTheStream)
{
    RegisterClasses({&TPaletteOwnerSeries::StaticClass()});
    const std::vector<String> faults =
        testsupport::CheckStreamedClass(TPaletteOwnerSeries::StaticClass(), testsupport::DesignStreamCheckOptions());
    EXPECT_TRUE(faults.empty()) << testing::PrintToString(faults);
    UnRegisterClasses({&TPaletteOwnerSeries::StaticClass()});

    TSeriesColorPalette a, b;
    a.SetPaletteStyle(psGrayScale);
    a.SetPaletteSteps(4);
    a.SetLegendEvery(3);
    a.SetMidColor(clRed);
    b.Assign(&a);
    EXPECT_EQ(b.PaletteStyle(), psGrayScale);
    EXPECT_EQ(b.PaletteSteps(), 4);
    EXPECT_EQ(b.LegendEvery(), 3);
    EXPECT_EQ(b.MidColor(), clRed);
}

}  // namespace
