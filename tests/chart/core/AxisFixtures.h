#pragma once
// Fixtures of the axis and series tests: a chart panel with axes and a series that fills its value
// lists directly, the way a series type adds a point.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/EngineStartup.h"

class TTestAxisPanel : public TCustomAxisPanel {
    TV_CLASS(TTestAxisPanel, TCustomAxisPanel)
public:
    explicit TTestAxisPanel(TComponent* owner) : TCustomAxisPanel(owner) {}

    // Colours the free-colour test refuses; empty: the series' colours decide.
    std::set<TColor> Taken;
    bool IsColorFree(TColor color, bool checkBackground, const TChartSeries* ignore) const override
    {
        if (!Taken.empty()) return !Taken.count(color);
        return TCustomAxisPanel::IsColorFree(color, checkBackground, ignore);
    }

    // Where set, the chart's own stages of a frame are noted: "FitPlotTo3D", "surroundings",
    // "surroundings after", "walls".
    std::vector<std::string>* Trace = nullptr;
    void FitPlotTo3D() override
    {
        note("FitPlotTo3D");
        TCustomAxisPanel::FitPlotTo3D();
    }
    void DrawSurroundings(bool beforeSeries) override { note(beforeSeries ? "surroundings" : "surroundings after"); }
    void PaintWalls() override { note("walls"); }

private:
    void note(const char* stage)
    {
        if (Trace) Trace->push_back(stage);
    }
};

class TTestSeries : public TChartSeries {
    TV_CLASS(TTestSeries, TChartSeries)
public:
    explicit TTestSeries(TComponent* owner) : TChartSeries(owner) {}

    // One point: the ordering list places it, every other list takes the same index.
    int AddXY(double x, double y)
    {
        XValues()->SetPendingValue(x);
        YValues()->SetPendingValue(y);
        TChartValueList* order = OrderValueList();
        const int index = order->InsertPendingValue();
        for (int i = 0; i < ValueLists().Count(); ++i) {
            TChartValueList* list = ValueLists().ValueListAt(i);
            if (list != order) list->InsertAt(index, list->PendingValue());
        }
        return index;
    }
    // Y at X = the point count, as the main window appends.
    int AddY(double y) { return AddXY(Count(), y); }

    // (kind, index) of every notice to dependants.
    std::vector<std::pair<int, int>> Notices;
    void NotifyDependents(TDependantNotice kind, int index) override
    {
        Notices.emplace_back(kind, index);
        TChartSeries::NotifyDependents(kind, index);
    }

    // Points within HitRadius of (x, y) in value units hit; DependsOnAxes switchable.
    double HitRadius = 0.5;
    int HitTests = 0;
    int HitTest(int x, int y) override
    {
        ++HitTests;
        for (int i = 0; i < Count(); ++i)
            if (std::hypot(GetPointX(i) - x, GetPointY(i) - y) <= HitRadius) return i;
        return -1;
    }
    bool AxisFree = false;
    bool DependsOnAxes() const override { return !AxisFree; }
};

// The engine's texts and canvas classes live for each suite.
class ChartCoreSuite : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};
