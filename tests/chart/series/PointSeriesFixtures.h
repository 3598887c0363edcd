#pragma once
// Fixtures of the shape, Gantt, arrow and bubble series tests: a series on the recording-canvas
// chart without marks or legend, and fixed axis ranges so pixels per unit are known.
#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesMarks.h"
#include "tests/chart/series/BarFixtures.h"

template <class S>
S& AddPointSeries(TBarChart& c)
{
    auto* series = new S(c.root.get());
    series->SetParentChart(&c.chart);
    series->Marks().SetVisible(false);
    c.chart.Legend()->SetVisible(false);
    return *series;
}

// The vertical axis 0..vertMax and the horizontal one 0..horizMax.
inline void FixAxes(TBarChart& c, double vertMax, double horizMax)
{
    for (auto [axis, max] : {std::pair{c.chart.LeftAxis(), vertMax}, std::pair{c.chart.BottomAxis(), horizMax}}) {
        axis->SetAutomatic(false);
        axis->SetMaximum(max);
        axis->SetMinimum(0);
    }
}

// The colour drawn at (x, y), read from the recording canvas' bitmap.
inline TColor PixelAt(TRecordingCanvas& canvas, int x, int y)
{
    const Byte* p = canvas.Bitmap().ScanLine(y) + 4 * x;
    return static_cast<TColor>(p[2] | p[1] << 8 | p[0] << 16);
}
