#pragma once
// Tools and animations: chart elements kept in a chart's Tools and Animations lists, called at the
// stages of a frame and given the chart's mouse, key, drag and wheel input.
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartInput.h"
#include "chart/core/ChartSeries.h"

class TChartAxis;
class TCustomAxisPanel;
class TZebCustomTool;

class TZebCustomTool : public TCustomChartElement {
    TV_CLASS(TZebCustomTool, TCustomChartElement)
public:
    explicit TZebCustomTool(TComponent* owner);
    // Leaves the old chart's list and joins the new one's.
    void SetParentChart(TCustomAxisPanel* value) override;

    virtual void ChartDrawStage(TChartDrawStage stage) { (void)stage; }
    // The chart's input, tools first. A tool that sets the chart's MouseHandled stops the rest of
    // a mouse or wheel event's handling.
    virtual void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
    {
        (void)kind, (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void HandleKey(TToolKeyKind kind, Word& key, TShiftState shift, char keyChar)
    {
        (void)kind, (void)key, (void)shift, (void)keyChar;
    }
    virtual void SeriesDrawStage(TChartSeries* series, TSeriesDrawStage stage) { (void)series, (void)stage; }
    // x, y: the pointer in client coordinates.
    virtual void HandleWheel(TToolWheelKind kind, int delta, int x, int y)
    {
        (void)kind, (void)delta, (void)x, (void)y;
    }

    bool HasParent() const override { return true; }

protected:
    // The list this kind of element lives in.
    virtual class TChartTools* ChartList(TCustomAxisPanel* chart) const;
};

class TZebCustomToolSeries : public TZebCustomTool {
    TV_CLASS(TZebCustomToolSeries, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    void Assign(TPersistent* source) override;

    TChartSeries* Series() const { return series_; }
    virtual void SetSeries(TChartSeries* value);
    // The series' custom or horizontal axis; without series the first horizontal axis in use.
    TChartAxis* WorkingHorizAxis() const;
    TChartAxis* WorkingVertAxis() const;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TChartSeries* series_ = nullptr;
};

class TZebCustomToolAxis : public TZebCustomTool {
    TV_CLASS(TZebCustomToolAxis, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    void Assign(TPersistent* source) override;
    void Loaded() override;

    TChartAxis* Axis() const { return axis_; }
    // The tool joins the axis' chart.
    virtual void SetAxis(TChartAxis* value);
    // The chart is going: forget the axis without touching it.
    void ForgetAxis() { axis_ = nullptr; }

protected:
    void DefineProperties(TFiler& filer) override;

private:
    void readAxisID(TReader& reader);
    void resolvePendingAxis();
    int axisID() const;

    TChartAxis* axis_ = nullptr;
    int pendingAxisID_ = -1;  // read before the tool had its chart
};

class TZebCustomAnimation : public TZebCustomTool {
    TV_CLASS(TZebCustomAnimation, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    virtual void PlayAnimation() = 0;
    // The name, else the gallery name, else the class name.
    String GetDisplayText() const;

protected:
    TChartTools* ChartList(TCustomAxisPanel* chart) const override;
};

// A chart's tools (or a free list without chart). It frees its tools when cleared.
class TChartTools {
public:
    explicit TChartTools(TCustomAxisPanel* chart = nullptr) : chart_(chart) {}
    virtual ~TChartTools();
    TChartTools(const TChartTools&) = delete;
    TChartTools& operator=(const TChartTools&) = delete;

    TCustomAxisPanel* Chart() const { return chart_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TZebCustomTool* GetTool(int index) const { return items_[static_cast<size_t>(index)]; }
    int IndexOf(const TZebCustomTool* tool) const;
    // Template settings first when the tool is new to the chart; then appended.
    void AddToList(TZebCustomTool* tool);
    // Through the tool's ParentChart with a chart; returns tool.
    TZebCustomTool* AddTool(TZebCustomTool* tool);
    TZebCustomTool* AddNewTool(const TMetaClass& cls);
    void Remove(const TZebCustomTool* tool);
    // Takes each tool out before freeing it, so a tool that does not leave on its own cannot make
    // this loop forever.
    void Clear();

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    TCustomAxisPanel* chart_;
    std::vector<TZebCustomTool*> items_;
};

class TChartAnimations : public TChartTools {
public:
    using TChartTools::TChartTools;
    TZebCustomAnimation* GetAnimation(int index) const { return static_cast<TZebCustomAnimation*>(GetTool(index)); }
};
