#pragma once
// Tools working over the area of a series' axes: a picture painted behind the series that follows
// the data when zooming, and a series clipped to its axes.
#include <memory>

#include "chart/core/ChartTools.h"

class TZebPicture;

class TChartImageTool : public TZebCustomToolSeries {
    TV_CLASS(TChartImageTool, TZebCustomToolSeries)
public:
    explicit TChartImageTool(TComponent* owner);
    ~TChartImageTool() override;
    void Assign(TPersistent* source) override;
    void SetSeries(TChartSeries* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;

    TZebPicture* Picture() const { return picture_.get(); }
    void SetPicture(TZebPicture* value);

    // Where the picture goes: the series' data area, else the working axes' ranges, else the
    // chart rectangle.
    TRect PictureRect() const;

private:
    void pictureChanged(TObject*) { InvalidateChart(); }

    std::unique_ptr<TZebPicture> picture_;
};

class TClipSeriesTool : public TZebCustomToolSeries {
    TV_CLASS(TClipSeriesTool, TZebCustomToolSeries)
public:
    using TZebCustomToolSeries::TZebCustomToolSeries;
    void SeriesDrawStage(TChartSeries* series, TSeriesDrawStage stage) override;

private:
    bool clipped_ = false;
};
