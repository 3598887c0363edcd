#pragma once
// The base of the financial series: every point carries a date and four prices. The date is the
// X list, the close the Y list, and high, low and open are extra lists the editors show in that
// order.
#include "chart/series/CustomSeries.h"

class TOHLCSeries : public TCustomSeries {
    TV_CLASS(TOHLCSeries, TCustomSeries)
public:
    explicit TOHLCSeries(TComponent* owner);

    TChartValueList* DateValues() const { return XValues(); }
    void SetDateValues(TChartValueList* value) { SetXValues(value); }
    TChartValueList* CloseValues() const { return YValues(); }
    void SetCloseValues(TChartValueList* value) { SetYValues(value); }
    TChartValueList* HighValues() const { return highValues_; }
    void SetHighValues(TChartValueList* value) { highValues_->Assign(value); }
    TChartValueList* LowValues() const { return lowValues_; }
    void SetLowValues(TChartValueList* value) { lowValues_->Assign(value); }
    TChartValueList* OpenValues() const { return openValues_; }
    void SetOpenValues(TChartValueList* value) { openValues_->Assign(value); }

    // The only way to add a point with all five values; the new index.
    int AppendOHLC(const String& label, TColor color, double date, double open, double high, double low,
                   double close);

    double HighestY() override { return ExtremeValue(false); }
    double LowestY() override { return ExtremeValue(true); }
    // The extreme of the four prices over the usable points; 0 when none is usable.
    virtual double ExtremeValue(bool lowest);
    void AddRandomPoints(int count, bool valuesOnly) override;
    int DefaultSampleCount() const override { return 40; }
    bool AcceptsSourceSeries(const TChartSeries* series) const override;

private:
    TChartValueList* highValues_;
    TChartValueList* lowValues_;
    TChartValueList* openValues_;
};
