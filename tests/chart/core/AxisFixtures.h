#pragma once
// Fixtures of the axis and series tests: a chart panel with axes and a series that fills its value
// lists directly, the way a series type adds a point.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/EngineStartup.h"

class TTestAxisPanel : public TCustomAxisPanel {
    TV_CLASS(TTestAxisPanel, TCustomAxisPanel)
public:
    explicit TTestAxisPanel(TComponent* owner) : TCustomAxisPanel(owner) {}
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
    void NotifyDependents(int kind, int index) override { Notices.emplace_back(kind, index); }
};

// The engine's texts and canvas classes live for each suite.
class ChartCoreSuite : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};
