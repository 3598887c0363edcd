#pragma once
// Palette settings for series that colour by value without deriving from the palette series: a
// settings object over a hidden palette series, whose host chart never paints and sends every
// repaint to the chart of the series that owns the settings.
#include <memory>

#include "chart/core/Chart.h"
#include "chart/series_ext/grid3d/PaletteSeries.h"
#include "platform/classes/Component.h"

// The palette series of the settings object; it adds nothing.
class TPaletteSeries : public TCustom3DPaletteSeries {
    TV_CLASS(TPaletteSeries, TCustom3DPaletteSeries)
public:
    using TCustom3DPaletteSeries::TCustom3DPaletteSeries;
};

// A windowless chart that holds a hidden series: its repaints go to its owner series' chart.
class TSpecialChart : public TCustomChart {
    TV_CLASS(TSpecialChart, TCustomChart)
public:
    explicit TSpecialChart(TComponent* owner = nullptr) : TCustomChart(owner) {}
    TChartSeries* OwnerSeries() const { return ownerSeries_; }
    void SetOwnerSeries(TChartSeries* value) { ownerSeries_ = value; }
    void Invalidate() override;

private:
    TChartSeries* ownerSeries_ = nullptr;
};

class TSeriesColorPalette : public TPersistent {
    TV_CLASS(TSeriesColorPalette, TPersistent)
public:
    explicit TSeriesColorPalette(TChartSeries* owner = nullptr);
    ~TSeriesColorPalette() override;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }

    TPaletteSeries* InnerSeries() const { return innerSeries_.get(); }
    TSpecialChart* HostChart() const { return hostChart_.get(); }

    TColor EndColor() const { return innerSeries_->EndColor(); }
    void SetEndColor(TColor value) { innerSeries_->SetEndColor(value); }
    int LegendEvery() const { return innerSeries_->LegendEvery(); }
    void SetLegendEvery(int value) { innerSeries_->SetLegendEvery(value); }
    TColor MidColor() const { return innerSeries_->MidColor(); }
    void SetMidColor(TColor value) { innerSeries_->SetMidColor(value); }
    double PaletteMin() const { return innerSeries_->PaletteMin(); }
    void SetPaletteMin(double value) { innerSeries_->SetPaletteMin(value); }
    double PaletteStep() const { return innerSeries_->PaletteStep(); }
    void SetPaletteStep(double value) { innerSeries_->SetPaletteStep(value); }
    int PaletteSteps() const { return innerSeries_->PaletteSteps(); }
    void SetPaletteSteps(int value) { innerSeries_->SetPaletteSteps(value); }
    TZebPaletteStyle PaletteStyle() const { return innerSeries_->PaletteStyle(); }
    void SetPaletteStyle(TZebPaletteStyle value) { innerSeries_->SetPaletteStyle(value); }
    TColor StartColor() const { return innerSeries_->StartColor(); }
    void SetStartColor(TColor value) { innerSeries_->SetStartColor(value); }
    bool UseColorRange() const { return innerSeries_->UseColorRange(); }
    void SetUseColorRange(bool value) { innerSeries_->SetUseColorRange(value); }
    bool UsePalette() const { return innerSeries_->UsePalette(); }
    void SetUsePalette(bool value) { innerSeries_->SetUsePalette(value); }
    bool UsePaletteMin() const { return innerSeries_->UsePaletteMin(); }
    void SetUsePaletteMin(bool value) { innerSeries_->SetUsePaletteMin(value); }

    // Colour lookups and palette builds span [min, max] afterwards; color is the colour of a
    // series that colours by neither range nor palette.
    void SetValueRange(TColor color, double min, double max);
    TCustom3DPalette CopyPalette() const { return innerSeries_->Palette(); }
    TColor ColorOfValue(double value) const { return innerSeries_->ColorOfValue(value); }

private:
    TChartSeries* owner_;
    // The series goes first: it leaves its chart as it is freed.
    std::unique_ptr<TSpecialChart, TFreeDeleter> hostChart_;
    std::unique_ptr<TPaletteSeries, TFreeDeleter> innerSeries_;
};
