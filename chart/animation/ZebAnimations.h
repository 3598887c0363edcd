#pragma once
// Chart animations: series values growing into place, points flying in from random places.
#include <functional>
#include <vector>

#include "chart/animation/ZebAnimate.h"
#include "platform/classes/Object.h"

class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;

// Acts on one series, or on every series of a chart.
class TCustomAnimationChart : public TZebAnimation {
    TV_CLASS(TCustomAnimationChart, TZebAnimation)
public:
    using TZebAnimation::TZebAnimation;
    ~TCustomAnimationChart() override;

    TCustomAxisPanel* Chart() const { return chart_; }
    void SetChart(TCustomAxisPanel* value);
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* value);
    bool AcceptsPanel(TComponent* panel) const override;

    // The series acted on now: Series, else every series of Chart.
    std::vector<TChartSeries*> ActedOn() const;
    // Chart, else the chart of Series.
    TCustomAxisPanel* WorkingChart() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomAxisPanel* chart_ = nullptr;
    TChartSeries* series_ = nullptr;
};

enum TSeriesAnimationLoop { salNo, salOneWay, salCircular };
inline constexpr const char* TSeriesAnimationLoopNames[] = {"salNo", "salOneWay", "salCircular"};

class TSeriesAnimation : public TCustomAnimationChart {
    TV_CLASS(TSeriesAnimation, TCustomAnimationChart)
public:
    using TCustomAnimationChart::TCustomAnimationChart;
    ~TSeriesAnimation() override;
    void Assign(TPersistent* source) override;

    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int value) { drawEvery_ = value; }
    TSeriesAnimationLoop SeriesLoop() const { return seriesLoop_; }
    void SetSeriesLoop(TSeriesAnimationLoop value) { seriesLoop_ = value; }
    bool StartAtMin() const { return startAtMin_; }
    void SetStartAtMin(bool value) { startAtMin_ = value; }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value) { startValue_ = value; }

    // Installed by the series animation tool.
    std::function<void(TSeriesAnimation*)> Started, Stepped, Stopped;

    String EditorFormClassName() const override { return "TSeriesAnimationEditor"; }
    String GetDescriptionText() const override { return "Animate Series Values"; }
    void Prepare() override;
    void ApplyFraction(float fraction) override;
    bool Finish() override;

    virtual bool InterpolateValues(TChartSeries* series, int index, float fraction);
    virtual void FillStartValues(TChartSeries* series);
    virtual void KeepOriginalValues(TChartSeries* series);

    // The kept copy of the series acted on at index (none before Prepare).
    TChartSeries* KeptCopy(int index) const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

    // One series acted on, from Prepare to Finish: its copy and the axes it froze.
    struct Kept {
        TChartSeries* series = nullptr;
        TCustomAxisPanel* chart = nullptr;  // whose axes these are
        TOwnedPtr<TChartSeries> copy;
        TChartAxis* axis = nullptr;
        TChartAxis* paired = nullptr;
        bool wasAutomatic = false;
        bool pairedWasAutomatic = false;
        bool updating = false;  // a point update was begun
    };
    std::vector<Kept> kept_;

private:
    void releaseKept();

    int drawEvery_ = 0;
    TSeriesAnimationLoop seriesLoop_ = salNo;
    bool startAtMin_ = true;
    double startValue_ = 0;
    TCustomAxisPanel* legendChart_ = nullptr;
    bool savedCustomItems_ = false;
    bool prepared_ = false;
};

class TRandomPointsAnimation : public TSeriesAnimation {
    TV_CLASS(TRandomPointsAnimation, TSeriesAnimation)
public:
    using TSeriesAnimation::TSeriesAnimation;
    String GetDescriptionText() const override { return "Random Points"; }
    void Prepare() override;
    void FillStartValues(TChartSeries* series) override { (void)series; }
    void KeepOriginalValues(TChartSeries* series) override;
    bool InterpolateValues(TChartSeries* series, int index, float fraction) override;

private:
    std::vector<TOwnedPtr<TChartSeries>> targets_;
};
