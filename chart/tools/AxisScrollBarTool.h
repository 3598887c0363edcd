#pragma once
// A painted scroll bar beside an axis: the thumb shows which part of the data the axis shows
// (positions 0 .. 1000 over the data extent, the page being the visible range), dragging it
// scrolls the axis and dragging its ends changes the axis range.
#include "chart/tools/ScrollBar.h"

class TChartAxis;

class TAxisScrollBarTool : public TZebScrollBar {
    TV_CLASS(TAxisScrollBarTool, TZebScrollBar)
public:
    explicit TAxisScrollBarTool(TComponent* owner);
    ~TAxisScrollBarTool() override;
    // The axis and Margin, then the scroll bar settings.
    void Assign(TPersistent* source) override;
    void Loaded() override;
    // Gives the axis its space back.
    void BeforeDestruction() override;
    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;

    int GetPageSize() override;
    void ResizePage(bool atEnd, double delta) override;
    void SetPosition(int value) override;
    void SetSize(int value) override;
    bool GetScrollArea(TRect& area) override;

    TChartAxis* Axis() const { return axis_; }
    void SetAxis(TChartAxis* value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    // The position the axis' range stands for, taken without moving the axis.
    void PositionFromAxis();

protected:
    void DefineProperties(TFiler& filer) override;

private:
    void reserveSpace();
    // The data extent of the axis' active series.
    bool extent(double& low, double& high) const;
    void applyRange(double minimum, double maximum);
    int axisID() const;

    TChartAxis* axis_ = nullptr;
    int pendingAxisID_ = -1;
    int margin_ = 5;
    bool following_ = false;  // the position follows the axis: no range change back
    TRect area_{};
    bool areaValid_ = false;
};
