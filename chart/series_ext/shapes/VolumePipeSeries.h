#pragma once
// Volume pipe series: the points as consecutive sections of one horizontal pipe filling the plot
// and narrowing to the right; each section's area is its share of the total.
#include <array>
#include <memory>
#include <vector>

#include "chart/core/ChartSeries.h"

class TZebGradient;

class TVolumePipeSeries : public TChartSeries {
    TV_CLASS(TVolumePipeSeries, TChartSeries)
public:
    explicit TVolumePipeSeries(TComponent* owner);
    ~TVolumePipeSeries() override;
    void Assign(TPersistent* source) override;

    int ConePercent() const { return conePercent_; }
    // Clamped to 0..100: the right end closes to a point at 100.
    void SetConePercent(int value);
    TZebGradient* Gradient() const;
    void SetGradient(TZebGradient* value);
    TZebPen* LinesPen() const { return linesPen_.get(); }
    void SetLinesPen(TZebPen* value);
    TColor Color() const { return SeriesColor(); }
    void SetColor(TColor value) { SetSeriesColor(value); }

    using TQuad = std::array<TPoint, 4>;
    void ComputeOutline();
    int MarksHeight() const;
    // The offset from the left end at which the outline's area equals the share of points 0..index.
    int SectionOffset(int index) const;
    const TQuad& Outline() const { return outline_; }
    // Entry i is the section of point i; empty for a null point.
    const std::vector<TQuad>& Sections() const { return sections_; }
    const std::vector<bool>& HasSection() const { return hasSection_; }

    void PrepareDraw() override;
    void DrawPoint(int) override {}
    void DrawVisiblePoints() override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    int HitTest(int x, int y) override;
    bool IsPointInPlot(int) const override { return true; }
    bool DependsOnAxes() const override { return false; }
    int DefaultSampleCount() const override { return 5; }
    void AddRandomPoints(int count, bool valuesOnly) override;

private:
    int conePercent_ = 30;
    std::unique_ptr<TZebPen> linesPen_;
    TQuad outline_{};
    int h0_ = 0, h1_ = 0, w_ = 0, d_ = 0, area_ = 0;
    double total_ = 0;
    std::vector<TQuad> sections_;
    std::vector<bool> hasSection_;
};
