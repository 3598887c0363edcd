#pragma once
// Funnel series: one segment per point, from the largest quote to the smallest, each filled to the
// share of its quote that the opportunity reached and coloured by how far it fell short.
#include <memory>
#include <vector>

#include "chart/core/ChartSeries.h"

class TFunnelSeries : public TChartSeries {
    TV_CLASS(TFunnelSeries, TChartSeries)
public:
    explicit TFunnelSeries(TComponent* owner);
    ~TFunnelSeries() override;
    void Assign(TPersistent* source) override;

    virtual TChartValueList* GetQuoteValues() const { return YValues(); }
    virtual void SetQuoteValues(TChartValueList* value) { SetYValues(value); }
    TChartValueList* OpportunityValues() const { return opportunityValues_; }
    void SetOpportunityValues(TChartValueList* value) { opportunityValues_->Assign(value); }
    TColor AboveColor() const { return aboveColor_; }
    void SetAboveColor(TColor value) { ChangeColor(aboveColor_, value); }
    TColor WithinColor() const { return withinColor_; }
    void SetWithinColor(TColor value) { ChangeColor(withinColor_, value); }
    TColor BelowColor() const { return belowColor_; }
    void SetBelowColor(TColor value) { ChangeColor(belowColor_, value); }
    bool AutoUpdate() const { return autoUpdate_; }
    void SetAutoUpdate(bool value);
    double DifferenceLimit() const { return differenceLimit_; }
    void SetDifferenceLimit(double value);
    TZebPen* LinesPen() const { return linesPen_.get(); }
    void SetLinesPen(TZebPen* value);
    bool QuotesSorted() const { return quotesSorted_; }
    void SetQuotesSorted(bool value) { quotesSorted_ = sorted_ = value; }

    int AddSegment(const String& label, TColor color, double quote, double opportunity);
    void Recalc();
    // Fills the corners and the filled polygon of segment index; its fill colour.
    TColor SegmentPolygon(int index);
    const std::vector<TPoint>& FilledPolygon() const { return filled_; }
    double Step() const { return step_; }
    void MarkPercentText(TChartSeries* sender, int index, String& text);

    void PrepareDraw() override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void SetActive(bool value) override;
    void DrawPoint(int index) override;
    void DrawVisiblePoints() override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    int HitTest(int x, int y) override;
    double LowestX() override { return -0.5; }
    double HighestX() override { return Count() - 0.5; }
    double LowestY() override { return 0; }
    int GetPointCount() const override { return 3; }
    TColor GetLegendColor(int index) const override;
    String FormatLegendText(int index, TLegendTextStyle style) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;

private:
    void restoreAxis();

    TChartValueList* opportunityValues_;
    TColor aboveColor_ = static_cast<TColor>(32768);
    TColor withinColor_ = static_cast<TColor>(65535);
    TColor belowColor_ = static_cast<TColor>(255);
    bool autoUpdate_ = true;
    double differenceLimit_ = 30.0;
    std::unique_ptr<TZebPen> linesPen_;
    bool quotesSorted_ = false;
    bool sorted_ = false;
    double first_ = 0, last_ = 0, step_ = 0;
    TPoint a_{}, b_{}, c_{}, d_{};
    std::vector<TPoint> filled_;
    bool savedAxisVisible_ = true;
};
