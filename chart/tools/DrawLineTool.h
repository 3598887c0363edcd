#pragma once
// Figures the user draws on the chart with the mouse (lines, parallel pairs, rectangles and
// ellipses), held in axis values so they follow zooming and scrolling; one can be selected, moved
// whole or by either end.
#include <memory>

#include "chart/core/ChartTools.h"
#include "platform/classes/Collection.h"

class TDrawLineTool;

enum TDrawLineStyle { dlLine, dlHorizParallel, dlVertParallel, dlRectangle, dlEllipse };
inline constexpr const char* TDrawLineStyleNames[] = {"dlLine", "dlHorizParallel", "dlVertParallel", "dlRectangle",
                                                      "dlEllipse"};
static_assert(std::size(TDrawLineStyleNames) == dlEllipse + 1);

class TDrawLine : public TCollectionItem {
    TV_CLASS(TDrawLine, TCollectionItem)
public:
    explicit TDrawLine(TCollection* collection);
    ~TDrawLine() override;
    void Assign(TPersistent* source) override;

    double X0() const { return x0_; }
    void SetX0(double value) { change(x0_, value); }
    double Y0() const { return y0_; }
    void SetY0(double value) { change(y0_, value); }
    double X1() const { return x1_; }
    void SetX1(double value) { change(x1_, value); }
    double Y1() const { return y1_; }
    void SetY1(double value) { change(y1_, value); }
    TDrawLineStyle Style() const { return style_; }
    void SetStyle(TDrawLineStyle value) { change(style_, value); }
    // Made on first read as a copy of the tool's pen; none frees it and the tool's pen is used.
    TZebPen* Pen();
    void SetPen(TZebPen* value);
    bool HasPen() const { return pen_ != nullptr; }
    // The own pen, else the tool's.
    TZebPen* DrawPen() const;

    TDrawLineTool* Tool() const;
    // The two ends in pixels through the tool's working axes.
    TPoint StartPixel() const;
    TPoint EndPixel() const;

private:
    template <class T>
    void change(T& field, T value)
    {
        if (AssignIfChanged(field, value)) repaint();
    }
    void repaint() const;
    void penChanged(TObject*) { repaint(); }

    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
    TDrawLineStyle style_ = dlLine;
    std::unique_ptr<TZebPen> pen_;
};

class TDrawLines : public TOwnedCollection {
    TV_CLASS(TDrawLines, TOwnedCollection)
public:
    explicit TDrawLines(TDrawLineTool* tool = nullptr);
    TDrawLine* Items(int index) const { return static_cast<TDrawLine*>(TCollection::Items(index)); }
    TDrawLine* AppendLine(double x0, double y0, double x1, double y1);
    TDrawLineTool* Tool() const { return tool_; }

private:
    TDrawLineTool* tool_;
};

using TDrawLineSelecting = TMethodEvent<void(TDrawLineTool* Sender, TDrawLine* Line, bool& AllowSelect)>;

class TDrawLineTool : public TZebCustomToolSeries {
    TV_CLASS(TDrawLineTool, TZebCustomToolSeries)
public:
    explicit TDrawLineTool(TComponent* owner);
    ~TDrawLineTool() override;
    void Assign(TPersistent* source) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    // ---- published ----
    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool EnableDraw() const { return enableDraw_; }
    void SetEnableDraw(bool value) { enableDraw_ = value; }
    bool EnableSelect() const { return enableSelect_; }
    void SetEnableSelect(bool value);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    TDrawLines* Lines() const { return lines_.get(); }
    void SetLines(TDrawLines* value) { lines_->Assign(value); }
    bool SelectNewLines() const { return selectNewLines_; }
    void SetSelectNewLines(bool value) { selectNewLines_ = value; }
    TDrawLineStyle Style() const { return style_; }
    void SetStyle(TDrawLineStyle value) { style_ = value; }
    const TNotifyEvent& OnNewLine() const { return onNewLine_; }
    void SetOnNewLine(TNotifyEvent value) { onNewLine_ = std::move(value); }
    const TNotifyEvent& OnSelect() const { return onSelect_; }
    void SetOnSelect(TNotifyEvent value) { onSelect_ = std::move(value); }
    const TNotifyEvent& OnDragLine() const { return onDragLine_; }
    void SetOnDragLine(TNotifyEvent value) { onDragLine_ = std::move(value); }
    const TNotifyEvent& OnDraggedLine() const { return onDraggedLine_; }
    void SetOnDraggedLine(TNotifyEvent value) { onDraggedLine_ = std::move(value); }
    const TDrawLineSelecting& OnSelecting() const { return onSelecting_; }
    void SetOnSelecting(TDrawLineSelecting value) { onSelecting_ = std::move(value); }

    // ---- state ----
    TDrawLine* Selected() const { return selected_; }
    void SelectLine(TDrawLine* line);
    bool Drawing() const { return drawing_; }
    // 0 none, 1 the start point, 2 the end point, 3 the whole figure.
    int DragPart() const { return dragPart_; }
    // Whether line is hit at (x, y) for part (0 the figure, 1 its start handle, 2 its end handle).
    bool Clicked(const TDrawLine& line, int x, int y, int part) const;
    // The selected figure when hit, else the first hit one; none.
    TDrawLine* LineAt(int x, int y, int part) const;
    // Parts 0, 1 then 2.
    TDrawLine* LineAt(int x, int y) const;
    TPoint AxisPoint(double x, double y) const;
    void ScreenToValues(TPoint p, double& x, double& y) const;

    // Clips the canvas to the series' axes (else the chart rectangle) when the chart allows it;
    // whether it did.
    virtual bool ClipToAxes();

    // For the figures: the selection forgets a figure being freed.
    void LineFreed(TDrawLine* line);

private:
    bool needsFullRepaint() const;
    void applyPen(TCanvas3D& canvas, TZebPen& pen, bool inverted);
    void drawFigure(TCanvas3D& canvas, TDrawLineStyle style, TPoint p, TPoint q) const;
    void drawLines(TCanvas3D& canvas);
    // The figure under way drawn once with the inverting pen (draws or erases it).
    void drawInverted();
    TRect touchedRect() const;
    TPoint flatPoint(int x, int y) const;
    // The selected figure takes the dragged ends' values.
    void storeDragged();

    TMouseButton button_ = mbLeft;
    int clickTolerance_ = 0;
    bool enableDraw_ = true, enableSelect_ = true, fullRepaint_ = false, selectNewLines_ = true;
    std::unique_ptr<TDrawLines> lines_;
    TDrawLineStyle style_ = dlLine;
    TNotifyEvent onNewLine_, onSelect_, onDragLine_, onDraggedLine_;
    TDrawLineSelecting onSelecting_;

    TDrawLine* selected_ = nullptr;
    bool drawing_ = false, moved_ = false;
    int dragPart_ = 0;
    TPoint p0_, p1_, last_;
};
