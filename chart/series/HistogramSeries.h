#pragma once
// Histogram series: each point is a bar reaching half-way to its neighbours, touching the previous
// bar, so the bars form one stepped outline; the horizontal kind lays the bars along the vertical axis.
#include <memory>

#include "chart/series/CustomSeries.h"

class THistogramSeries : public TCustomLineSeries {
    TV_CLASS(THistogramSeries, TCustomLineSeries)
public:
    explicit THistogramSeries(TComponent* owner);
    ~THistogramSeries() override;
    void Assign(TPersistent* source) override;

    TZebHiddenPen* LinesPen() const { return linesPen_.get(); }
    void SetLinesPen(TZebHiddenPen* value);
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { ChangeBoolean(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { ChangeDouble(yOrigin_, value); }

    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void CopyAppearance(TChartSeries* other) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void DrawPoint(int index) override;
    void ApplyGalleryStyle(int index) override;
    void FindVisibleRange() override;
    int HitTest(int x, int y) override;

    // The bar of point index in screen pixels, unnormalised: its first edge in drawing order comes
    // first. Bars must be computed in drawing order (each starts at the edge the previous one left).
    virtual TRect ComputeBinRect(int index);

protected:
    // Number of bins the widths and margins are measured against.
    int BinCount() const;
    // Start and end edge of the bar along the axis of the bins; updates the stored edge.
    void BinEdges(int index, int& start, int& end);

private:
    void penChanged(TObject* sender) { StyleChanged(sender); }

    std::unique_ptr<TZebHiddenPen> linesPen_;
    bool useYOrigin_ = false;
    double yOrigin_ = 0;
    // Edge of the bar drawn last, where the next bar starts.
    int lastEdge_ = 0;
};

class THorizHistogramSeries : public THistogramSeries {
    TV_CLASS(THorizHistogramSeries, THistogramSeries)
public:
    explicit THorizHistogramSeries(TComponent* owner);
    TRect ComputeBinRect(int index) override;
};
