#pragma once
// Fixtures of the pie tests: the bar tests' chart on a recording canvas, without a legend, and
// pies filled from values.
#include <initializer_list>

#include "BarFixtures.h"
#include "chart/core/Legend.h"
#include "chart/series/PieSeries.h"

using PieSuite = BarSuite;

class TPieChart : public TBarChart {
public:
    explicit TPieChart(bool view3D = false, int width = 400, int height = 300) : TBarChart(view3D, width, height)
    {
        chart.Legend()->SetVisible(false);
    }
    template <class S = TPieSeries>
    S& Add(std::initializer_list<double> values, bool marks = false)
    {
        auto* pie = new S(root.get());
        pie->SetParentChart(&chart);
        for (const double v : values) pie->AppendMainValue(v);
        pie->Marks().SetVisible(marks);
        return *pie;
    }
};
