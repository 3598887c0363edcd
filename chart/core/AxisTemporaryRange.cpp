// An axis drawn once somewhere else over another range (the radius scales of polar series), with
// every setting it had put back afterwards.
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/AxisPanel.h"

void TChartAxis::StoreLogarithmic(bool value)
{
    logarithmic_ = value;
    SelectPixelStrategy();
}

void TChartAxis::PaintWithTemporaryRange(const TTemporaryRange& range)
{
    if (!chart_) return;
    // The settings changed for the drawing ask for no repaint; the destructor puts them back.
    struct TSaved {
        TChartAxis& axis;
        bool repaint = axis.chart_->AutoRepaint();
        double increment = axis.increment_, minimum = axis.minimum_, maximum = axis.maximum_;
        double workMinimum = axis.workMinimum_, workMaximum = axis.workMaximum_;
        int start = axis.start_, end = axis.end_, line = axis.linePosition_, labels = axis.labelsPosition_;
        bool grid = axis.grid_->Visible();
        TAxisLabelStyle style = axis.LabelStyle();
        ~TSaved()
        {
            axis.increment_ = increment;
            axis.minimum_ = minimum;
            axis.maximum_ = maximum;
            axis.workMinimum_ = workMinimum;
            axis.workMaximum_ = workMaximum;
            axis.grid_->SetVisible(grid);
            axis.SetLabelStyle(style);
            axis.SetPixelBounds(start, end);
            axis.linePosition_ = line;
            axis.labelsPosition_ = labels;
            axis.chart_->SetAutoRepaint(repaint);
        }
    } saved{*this};
    chart_->SetAutoRepaint(false);
    increment_ = range.Increment;
    minimum_ = workMinimum_ = range.Minimum;
    maximum_ = workMaximum_ = range.Maximum;
    grid_->SetVisible(range.Grid);
    // The values of the range, whatever the series bound to the axis would label.
    SetLabelStyle(talValue);
    SetPixelBounds(range.Start, range.End);
    linePosition_ = range.Position;
    labelsPosition_ = InflateAxisPos(linePosition_, TickZoneSize(true));
    Draw(false);
}
