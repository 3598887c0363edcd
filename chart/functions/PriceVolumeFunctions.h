#pragma once
// Price-volume and trend indicators over OHLC sources: the close location value, money flow,
// the awesome and accelerator/decelerator oscillators, the alligator and the gator oscillator.
// Money flow, alligator and gator draw extra lines that are series of the function (see
// OwnedSeries.h); AO, AC and gator colour each bar by its direction.
#include <iterator>

#include "chart/functions/FinancialFunction.h"

class TAreaSeries;
class TFastLineSeries;
class THistogramSeries;
class TOHLCSeries;
class TVolumeSeries;
class TZebPen;

enum TCMFStyle { cmfLine, cmfArea, cmfVolume, cmfHistogram };
inline constexpr const char* TCMFStyleNames[] = {"cmfLine", "cmfArea", "cmfVolume", "cmfHistogram"};
static_assert(std::size(TCMFStyleNames) == cmfHistogram + 1);

class TCLVFunction : public TFinancialFunction {
    TV_CLASS(TCLVFunction, TFinancialFunction)
public:
    explicit TCLVFunction(TComponent* owner);

    bool Accumulate() const { return accumulate_; }
    void SetAccumulate(bool value);
    // Volumes matched to the source by point index; none when it is freed.
    TChartSeries* Volume() const { return volume_; }
    void SetVolume(TChartSeries* value);

    // ((close - low) - (high - close)) / (high - low); 1 when high = low.
    static double CloseLocation(const TOHLCSeries& source, int index);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool accumulate_ = true;
    TChartSeries* volume_ = nullptr;
};

class TMoneyFlowFunction : public TCLVFunction {
    TV_CLASS(TMoneyFlowFunction, TCLVFunction)
public:
    explicit TMoneyFlowFunction(TComponent* owner);

    TCMFStyle CMFStyle() const { return cmfStyle_; }
    void SetCMFStyle(TCMFStyle value);
    TColor UpColor() const { return upColor_; }
    void SetUpColor(TColor value);
    TColor DownColor() const { return downColor_; }
    void SetDownColor(TColor value);
    TZebPen* AreaPen() const;
    void SetAreaPen(TZebPen* value);
    TZebPen* HistogramPen() const;
    void SetHistogramPen(TZebPen* value);

    TVolumeSeries* VolumeLine() const { return volumeLine_; }
    TAreaSeries* Area() const { return area_; }
    THistogramSeries* Histogram() const { return histogram_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    TCMFStyle cmfStyle_ = cmfLine;
    TColor upColor_ = static_cast<TColor>(0x008000);
    TColor downColor_ = static_cast<TColor>(0x0000FF);
    TVolumeSeries* volumeLine_;
    TAreaSeries* area_;
    THistogramSeries* histogram_;
};

class TAOFunction : public TFinancialFunction {
    TV_CLASS(TAOFunction, TFinancialFunction)
public:
    explicit TAOFunction(TComponent* owner);
    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;
};

class TACFunction : public TFinancialFunction {
    TV_CLASS(TACFunction, TFinancialFunction)
public:
    explicit TACFunction(TComponent* owner);
    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;
};

class TAlligatorFunction : public TFinancialFunction {
    TV_CLASS(TAlligatorFunction, TFinancialFunction)
public:
    explicit TAlligatorFunction(TComponent* owner);

    TZebPen* TeethPen() const;
    void SetTeethPen(TZebPen* value);
    TZebPen* LipsPen() const;
    void SetLipsPen(TZebPen* value);
    TFastLineSeries* Teeth() const { return teeth_; }
    TFastLineSeries* Lips() const { return lips_; }

    void RecomputeFrom(TChartSeries* source) override;

private:
    TFastLineSeries* teeth_;
    TFastLineSeries* lips_;
};

class TGatorFunction : public TFinancialFunction {
    TV_CLASS(TGatorFunction, TFinancialFunction)
public:
    explicit TGatorFunction(TComponent* owner);

    TVolumeSeries* LowerHistogram() const { return lower_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    TVolumeSeries* lower_;
};
