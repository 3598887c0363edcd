#pragma once
// Mouse tools bound to one series: dragging points, dragging and resizing Gantt bars, and
// outlining or pulling out pie slices (the pull-out is a number animation).
#include <memory>

#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartTools.h"
#include "platform/classes/MethodEvent.h"

class TNumberAnimation;
class TPieSeries;
class TZebAnimate;

// A series that moves its own points under the mouse (the polar family).
class IDragPointSeries {
public:
    virtual ~IDragPointSeries() = default;
    virtual void DragPoint(int index, int x, int y, bool changeX, bool changeY) = 0;
};

enum TDragPointStyle { dsX, dsY, dsBoth };
inline constexpr const char* TDragPointStyleNames[] = {"dsX", "dsY", "dsBoth"};

using TDragPointToolEvent = TMethodEvent<void(class TDragPointTool* Sender, int Index)>;
using TDragPointToolStartEvent = TMethodEvent<void(class TDragPointTool* Sender, int Index, bool& Start)>;

// The axis value at a pixel; an axis without a range first gets a real one.
double DragAxisValue(TChartAxis& axis, int pixel);

class TDragPointTool : public TZebCustomToolSeries {
    TV_CLASS(TDragPointTool, TZebCustomToolSeries)
public:
    using TZebCustomToolSeries::TZebCustomToolSeries;
    void Assign(TPersistent* source) override;

    TDragPointStyle DragStyle() const { return dragStyle_; }
    void SetDragStyle(TDragPointStyle value) { dragStyle_ = value; }
    TDragPointToolEvent OnDragPoint, OnEndDrag;
    TDragPointToolStartEvent OnStartDrag;
    int DraggedIndex() const { return index_; }

    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TDragPointStyle dragStyle_ = dsBoth;
    int index_ = -1;
};

enum TGanttToolBarPart { bpStart, bpAll, bpEnd };

using TGanttToolDragEvent = TMethodEvent<void(class TGanttTool* Sender, int GanttBar)>;
using TGanttToolResizeEvent = TMethodEvent<void(class TGanttTool* Sender, int GanttBar, TGanttToolBarPart BarPart)>;

class TGanttTool : public TZebCustomToolSeries {
    TV_CLASS(TGanttTool, TZebCustomToolSeries)
public:
    using TZebCustomToolSeries::TZebCustomToolSeries;
    void Assign(TPersistent* source) override;

    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool value) { allowResize_ = value; }
    int CursorDrag() const { return cursorDrag_; }
    void SetCursorDrag(int value) { cursorDrag_ = value; }
    int CursorResize() const { return cursorResize_; }
    void SetCursorResize(int value) { cursorResize_ = value; }
    int MinPixels() const { return minPixels_; }
    void SetMinPixels(int value) { minPixels_ = value; }
    TGanttToolDragEvent OnDragBar;
    TGanttToolResizeEvent OnResizeBar;

    int Bar() const { return bar_; }
    TGanttToolBarPart Part() const { return part_; }
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // The first bar under the row with an edge near x; -1 none.
    int edgeAt(int x, int y, TGanttToolBarPart& part) const;

    bool allowDrag_ = true, allowResize_ = true;
    int cursorDrag_ = -21, cursorResize_ = -9, minPixels_ = 5;
    int bar_ = -1;
    TGanttToolBarPart part_ = bpAll;
    double lastValue_ = 0;
};

// The pie tool's outline: 4 pixels wide unless set otherwise.
class TPieToolPen : public TZebPen {
    TV_CLASS(TPieToolPen, TZebPen)
public:
    TPieToolPen();
    bool IsPieWidthStored() const { return Width() != 4; }
};

enum TPieToolStyle { ptFocus, ptExplode };
inline constexpr const char* TPieToolStyleNames[] = {"ptFocus", "ptExplode"};

class TPieTool : public TZebCustomToolSeries {
    TV_CLASS(TPieTool, TZebCustomToolSeries)
public:
    explicit TPieTool(TComponent* owner);
    ~TPieTool() override;
    void Assign(TPersistent* source) override;

    TPieToolStyle Style() const { return style_; }
    void SetStyle(TPieToolStyle value) { style_ = value; }
    TZebPen* Pen() const { return pen_.get(); }
    void SetPen(TZebPen* value);

    TPieSeries* HighlightedSeries() const { return pie_; }
    int HighlightedSlice() const { return slice_; }
    // The outline colour for a slice of the colour given.
    TColor OutlineColor(TColor sliceColor) const;
    TNumberAnimation* ExplodeAnimation() const { return explode_; }

    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void find(int x, int y, TPieSeries*& pie, int& slice) const;
    void highlight(bool on);

    TPieToolStyle style_ = ptFocus;
    std::unique_ptr<TPieToolPen> pen_;
    TPieSeries* pie_ = nullptr;
    int slice_ = -1;
    TZebAnimate* player_ = nullptr;
    TNumberAnimation* explode_ = nullptr;
};
