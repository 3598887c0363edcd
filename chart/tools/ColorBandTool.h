#pragma once
// A stripe of the chart rectangle between two values of an axis, filled with a colour or
// gradient, behind the series, behind the axes or on top; dragged whole by the mouse, and
// resized by its two edge lines.
#include <memory>

#include "chart/core/ChartTools.h"
#include "platform/forms/Control.h"

class TCanvas3D;
class TColorLineTool;
class TZebGradient;
class TZebPicture;

class TColorBandTool : public TZebCustomToolAxis {
    TV_CLASS(TColorBandTool, TZebCustomToolAxis)
public:
    explicit TColorBandTool(TComponent* owner);
    ~TColorBandTool() override;
    void Assign(TPersistent* source) override;
    void Loaded() override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void SetAxis(TChartAxis* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }

    // ---- published ----
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { ChangeColor(color_, value); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { ChangeBoolean(drawBehind_, value); }
    bool DrawBehindAxes() const { return drawBehindAxes_; }
    void SetDrawBehindAxes(bool value) { ChangeBoolean(drawBehindAxes_, value); }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value);
    double EndValue() const { return endValue_; }
    void SetEndValue(double value);
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    // Created on first read, its changes repaint; null frees it.
    TZebPicture* Picture();
    void SetPicture(TZebPicture* value);
    bool HasPicture() const { return picture_ != nullptr; }
    bool NoLimitDrag() const { return noLimitDrag_; }
    void SetNoLimitDrag(bool value) { noLimitDrag_ = value; }
    bool ResizeStart() const;
    void SetResizeStart(bool value);
    bool ResizeEnd() const;
    void SetResizeEnd(bool value);
    TZebPen* StartLinePen() const;
    void SetStartLinePen(TZebPen* value);
    TZebPen* EndLinePen() const;
    void SetEndLinePen(TZebPen* value);
    int Transparency() const { return transparency_; }
    void SetTransparency(int value) { ChangeInteger(transparency_, value); }
    const TMouseEvent& OnClick() const { return onClick_; }
    void SetOnClick(TMouseEvent value) { onClick_ = std::move(value); }
    const TNotifyEvent& OnDragging() const { return onDragging_; }
    void SetOnDragging(TNotifyEvent value) { onDragging_ = std::move(value); }
    const TNotifyEvent& OnResizing() const { return onResizing_; }
    void SetOnResizing(TNotifyEvent value) { onResizing_ = std::move(value); }
    const TNotifyEvent& OnResized() const { return onResized_; }
    void SetOnResized(TNotifyEvent value) { onResized_ = std::move(value); }

    // ---- state ----
    TColorLineTool* StartLine() const { return startLine_; }
    TColorLineTool* EndLine() const { return endLine_; }
    bool Dragging() const { return dragging_; }
    // The stripe on screen (before projection); empty without an axis or outside its range.
    TRect BoundsRect() const;
    bool Clicked(int x, int y) const;

protected:
    void ReadState(TReader& reader) override;

private:
    TColorLineTool* makeLine();
    void nameLines();
    void bindLine(TColorLineTool* line);
    void linesTakeValues();
    void lineDragged(TColorLineTool* line);
    void lineDropped(TColorLineTool* line);
    int depth() const;
    void drawBand(TCanvas3D& canvas);

    std::unique_ptr<TZebPicture> picture_;
    TColorLineTool* startLine_ = nullptr;  // owned (as component)
    TColorLineTool* endLine_ = nullptr;    // owned (as component)
    bool allowDrag_ = true;
    TColor color_ = clWhite;
    TCursor cursor_ = crDefault;
    bool drawBehind_ = true;
    bool drawBehindAxes_ = false;
    double startValue_ = 0, endValue_ = 0;
    bool noLimitDrag_ = true;
    int transparency_ = 0;
    TMouseEvent onClick_;
    TNotifyEvent onDragging_, onResizing_, onResized_;
    bool dragging_ = false, moved_ = false;
    double grab_ = 0;
};
