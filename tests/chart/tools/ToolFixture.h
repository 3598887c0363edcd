#pragma once
// A 400 x 300 chart on a shown form, flat, for the tools: frames on the recording canvas and input
// through the window's own paths.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "tests/chart/support/RecordingCanvas.h"

// Points for the tools to find; it draws nothing.
class TToolSeries : public TChartSeries {
    TV_CLASS(TToolSeries, TChartSeries)
public:
    using TChartSeries::TChartSeries;
};

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form->SetBounds(0, 0, 500, 400);
        chart.SetParent(form.get());
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(false);
        form->Show();
        testkit::Pump();
    }
    // One frame drawn on a recording canvas in place of the chart's own.
    TRecordingCanvas& Record()
    {
        recording = std::make_unique<TRecordingCanvas>(400, 300);
        TCanvas3D* own = chart.ExchangeCanvas(recording.get());
        chart.RenderTo(recording->Bitmap().Canvas(), chart.GetPanelRect());
        chart.ExchangeCanvas(own);
        return *recording;
    }
    // Whether the log holds a line starting with text.
    static bool Logged(const TRecordingCanvas& canvas, const std::string& text)
    {
        for (const std::string& line : canvas.Log())
            if (line.rfind(text, 0) == 0) return true;
        return false;
    }
    void Frame()
    {
        chart.Invalidate();
        chart.Repaint();
    }
    // A series from (0, 0) to (10, 100) on fixed axes 0..10 and 0..100, and the tool on the bottom
    // axis, drawn once.
    template <class Tool>
    void OnBottomAxis(TChartSeries& series, Tool& tool)
    {
        series.InsertXY(0, 0);
        series.InsertXY(10, 100);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 10);
        chart.LeftAxis()->ApplyRange(0, 100);
        tool.SetParentChart(&chart);
        tool.SetAxis(chart.BottomAxis());
        Frame();
    }
    int Pixel(double value) const { return chart.BottomAxis()->ValueToPixel(value); }
    int Y() const { return (chart.ChartRect().Top + chart.ChartRect().Bottom) / 2; }

    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TChart& chart = *new TChart(form.get());
    std::unique_ptr<TRecordingCanvas> recording;
};
