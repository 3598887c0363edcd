#pragma once
// A line across the chart rectangle at one value of an axis, draggable, drawn behind or in front
// of the series, with an optional label on it.
#include "chart/core/ChartTools.h"

class TAnnotationTool;
class TCanvas3D;

enum TColorLineStyle { clCustom, clMaximum, clCenter, clMinimum };
inline constexpr const char* TColorLineStyleNames[] = {"clCustom", "clMaximum", "clCenter", "clMinimum"};
static_assert(std::size(TColorLineStyleNames) == clMinimum + 1);

class TColorLineTool;
using TColorLineToolOnDrag = TMethodEvent<void(TColorLineTool* Sender)>;

class TColorLineTool : public TZebCustomToolAxis {
    TV_CLASS(TColorLineTool, TZebCustomToolAxis)
public:
    explicit TColorLineTool(TComponent* owner);
    ~TColorLineTool() override;
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }

    // ---- published ----
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    // Created on first read, visible; null frees it.
    TAnnotationTool* Annotation();
    void SetAnnotation(TAnnotationTool* value);
    bool AnnotationValue() const { return annotationValue_; }
    void SetAnnotationValue(bool value);
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool DragRepaint() const { return dragRepaint_; }
    void SetDragRepaint(bool value);
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { ChangeBoolean(draw3D_, value); }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { ChangeBoolean(drawBehind_, value); }
    bool NoLimitDrag() const { return noLimitDrag_; }
    void SetNoLimitDrag(bool value) { noLimitDrag_ = value; }
    TColorLineStyle Style() const { return style_; }
    void SetStyle(TColorLineStyle value) { Change(style_, value); }
    double Value() const { return value_; }
    void SetValue(double value);
    const TColorLineToolOnDrag& OnBeginDragLine() const { return onBeginDrag_; }
    void SetOnBeginDragLine(TColorLineToolOnDrag value) { onBeginDrag_ = std::move(value); }
    const TColorLineToolOnDrag& OnDragLine() const { return onDrag_; }
    void SetOnDragLine(TColorLineToolOnDrag value) { onDrag_ = std::move(value); }
    const TColorLineToolOnDrag& OnEndDragLine() const { return onEndDrag_; }
    void SetOnEndDragLine(TColorLineToolOnDrag value) { onEndDrag_ = std::move(value); }

    // ---- state ----
    bool Dragging() const { return dragging_; }
    // The chart drawn on: the parent chart unless set.
    TCustomAxisPanel* DrawChart() const;
    virtual void SetDrawChart(TCustomAxisPanel* chart);
    // Fired before OnDragLine and OnEndDragLine (the band's edges).
    TColorLineToolOnDrag DragNotify, EndDragNotify;
    // One pass with the line's pen: the behind pass (before the series) or the front pass.
    void PaintPass(bool behind);
    // Value for clCustom, else the axis' maximum, centre or minimum.
    double EffectiveValue() const;
    // value when its pixel lies within the axis' span, else the value at the end it passed.
    double LimitToAxis(double value) const;
    // Where the line is drawn and hit: the effective value, kept within the axis when draggable.
    double ShownValue() const;
    bool Clicked(int x, int y) const;

protected:
    virtual void DoEndDrag();
    void ReadState(TReader& reader) override;

private:
    bool needsFullRepaint() const;
    void drawPass(TCanvas3D& canvas, bool behind);
    void drawLine(TCanvas3D& canvas, int p);
    void paintBoth(TCanvas3D& canvas);
    TRect touchedRect() const;

    TAnnotationTool* annotation_ = nullptr;  // owned (as component)
    bool allowDrag_ = true;
    bool annotationValue_ = false;
    int clickTolerance_ = 3;
    bool dragRepaint_ = false;
    bool draw3D_ = true;
    bool drawBehind_ = false;
    bool noLimitDrag_ = false;
    TColorLineStyle style_ = clCustom;
    double value_ = 0;
    TColorLineToolOnDrag onBeginDrag_, onDrag_, onEndDrag_;
    bool dragging_ = false;
    TCustomAxisPanel* drawChart_ = nullptr;
};
