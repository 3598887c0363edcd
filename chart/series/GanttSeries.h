#pragma once
// Gantt series: one horizontal bar per task, a pointer symbol stretched from the start to the end
// date on the task's row, and stepped connectors from each task to the task it leads to.
#include <memory>

#include "chart/series/LineSeries.h"

class TMarksCallout;

class TGanttSeries : public TPointSeries {
    TV_CLASS(TGanttSeries, TPointSeries)
public:
    explicit TGanttSeries(TComponent* owner);
    ~TGanttSeries() override;

    TChartValueList* StartValues() const { return XValues(); }
    void SetStartValues(TChartValueList* value) { SetXValues(value); }
    TChartValueList* EndValues() const { return endValues_; }
    void SetEndValues(TChartValueList* value) { endValues_->Assign(value); }
    // Index of the task each task leads to; -1 none.
    TChartValueList* NextTask() const { return nextTask_; }
    void SetNextTask(TChartValueList* value) { nextTask_->Assign(value); }
    TZebPen* ConnectingPen() const { return LinePen(); }
    void SetConnectingPen(TZebPen* value) { SetLinePen(value); }
    // Made on first read (hidden, arrow pen hidden); assigning none frees it.
    TMarksCallout* Callout();
    void SetCallout(TMarksCallout* value);
    bool HasCallout() const { return callout_ != nullptr; }

    int AddTaskColor(double start, double end, double row, const String& label, TColor color);
    int AddTask(double start, double end, double row, const String& label = String());

    void MeasureVertMargins(int& top, int& bottom) const override;
    void CopyAppearance(TChartSeries* other) override;
    bool IsOverPointer(int index, int x, int y, int clickX, int clickY) override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    void DrawPoint(int index) override;
    int InsertXY(double x, double y, const String& label = String(), TColor color = clAutomatic) override;
    double HighestX() override;
    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    void AddRandomPoints(int count, bool valuesOnly) override;
    void SetupGalleryPreview() override;

private:
    int endPixel(int index) const;
    void drawConnector(int index, int x1, int y);

    TChartValueList* endValues_;
    TChartValueList* nextTask_;
    std::unique_ptr<TMarksCallout> callout_;
};

// Label of the sample task of index: the names of a product's phases, "Banking" past them.
String TaskSampleName(int index);
