#pragma once
// Volume series: one vertical line per point, from a base line (the axis end or YOrigin) to the
// traded volume.
#include "chart/series/CustomSeries.h"

class TVolumeSeries : public TCustomSeries {
    TV_CLASS(TVolumeSeries, TCustomSeries)
public:
    explicit TVolumeSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    TChartValueList* VolumeValues() const { return YValues(); }
    void SetVolumeValues(TChartValueList* value) { SetYValues(value); }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { ChangeBoolean(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { ChangeDouble(yOrigin_, value); }

    // The pixel the lines start at: YOrigin's, else the end of the vertical axis (its start when
    // inverted).
    int BasePixel() const;

    void SetSeriesColor(TColor value) override;
    void MeasureHorizMargins(int& left, int& right) const override;
    void CopyAppearance(TChartSeries* other) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void SetupGalleryPreview() override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    int HitTest(int x, int y) override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    int DefaultSampleCount() const override { return 40; }

private:
    // Consecutive points of one colour select the pen once.
    void useLinePen(bool force, TColor color);

    bool useYOrigin_ = false;
    double yOrigin_ = 0;
    TColor penColor_ = clAutomatic;
};
