#pragma once
// Chart files in the tests: a chart written in the binary or text form and read into a new chart of
// its size, its series compared by class and point count, and pictures compared pixel for pixel.
#include <gtest/gtest.h>

#include <cstring>

#include "chart/core/Chart.h"
#include "chart/io/ChartFile.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"

inline TOwnedPtr<TChart> ReadBackChart(TChart& chart, bool asText)
{
    TMemoryStream stream;
    WriteChartStream(&chart, stream, true, asText);
    stream.SetPosition(0);
    TOwnedPtr<TChart> back(new TChart(nullptr));
    back->SetBounds(0, 0, chart.Width(), chart.Height());
    ReadChartStream(back.get(), stream, true);
    return back;
}

inline void ExpectSameSeries(TChart& back, TChart& chart)
{
    ASSERT_EQ(back.SeriesList().Count(), chart.SeriesList().Count());
    for (int i = 0; i < chart.SeriesList().Count(); ++i) {
        const TChartSeries* read = back.SeriesList().GetSeriesAt(i);
        const TChartSeries* original = chart.SeriesList().GetSeriesAt(i);
        EXPECT_EQ(read->ClassType().ClassName(), original->ClassType().ClassName());
        EXPECT_EQ(read->Count(), original->Count());
    }
}

inline bool SamePixels(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        if (std::memcmp(a.ScanLine(y), b.ScanLine(y), static_cast<size_t>(a.BytesPerScanLine())) != 0) return false;
    return true;
}
