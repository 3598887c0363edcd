#include "chart/series_ext/grid3d/SeriesColorPalette.h"

#include "platform/classes/Published.h"

TV_PUBLISHED(TPaletteSeries) {}

TV_PUBLISHED(TSpecialChart) {}

void TSpecialChart::Invalidate()
{
    if (ownerSeries_) ownerSeries_->InvalidateChart();
}

TSeriesColorPalette::TSeriesColorPalette(TChartSeries* owner)
    : owner_(owner), hostChart_(new TSpecialChart), innerSeries_(new TPaletteSeries(nullptr))
{
    hostChart_->SetOwnerSeries(owner);
    innerSeries_->SetParentChart(hostChart_.get());
}

TSeriesColorPalette::~TSeriesColorPalette() = default;

void TSeriesColorPalette::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TSeriesColorPalette*>(source))
        innerSeries_->Assign(other->innerSeries_.get());
    else
        TPersistent::Assign(source);
}

void TSeriesColorPalette::SetValueRange(TColor color, double min, double max)
{
    {
        const TPointUpdateBlock block(*innerSeries_);
        innerSeries_->RemoveAllPoints();
        innerSeries_->InsertXYZ(0, min, 0);
        innerSeries_->InsertXYZ(0, max, 0);
        innerSeries_->SetSeriesColor(color);
    }
    innerSeries_->PrepareDraw();
}

TV_PUBLISHED(TSeriesColorPalette)
{
    PropColor("EndColor", &TSeriesColorPalette::EndColor, &TSeriesColorPalette::SetEndColor, static_cast<TColor>(0xFFFFFF));
    Prop("LegendEvery", &TSeriesColorPalette::LegendEvery, &TSeriesColorPalette::SetLegendEvery, 1);
    PropColor("MidColor", &TSeriesColorPalette::MidColor, &TSeriesColorPalette::SetMidColor, clNullPoint);
    Prop("PaletteMin", &TSeriesColorPalette::PaletteMin, &TSeriesColorPalette::SetPaletteMin);
    Prop("PaletteStep", &TSeriesColorPalette::PaletteStep, &TSeriesColorPalette::SetPaletteStep);
    Prop("PaletteSteps", &TSeriesColorPalette::PaletteSteps, &TSeriesColorPalette::SetPaletteSteps, 32);
    PropEnum("PaletteStyle", &TSeriesColorPalette::PaletteStyle, &TSeriesColorPalette::SetPaletteStyle, psPale,
             TZebPaletteStyleNames);
    PropColor("StartColor", &TSeriesColorPalette::StartColor, &TSeriesColorPalette::SetStartColor,
              static_cast<TColor>(0x800000));
    Prop("UseColorRange", &TSeriesColorPalette::UseColorRange, &TSeriesColorPalette::SetUseColorRange, true);
    Prop("UsePalette", &TSeriesColorPalette::UsePalette, &TSeriesColorPalette::SetUsePalette, false);
    Prop("UsePaletteMin", &TSeriesColorPalette::UsePaletteMin, &TSeriesColorPalette::SetUsePaletteMin, false);
}
