#pragma once
// A measuring cursor over the chart: horizontal and vertical lines, a cross-hair or a scope
// figure at axis values, dragged or following the mouse, snapping to the nearest point of its
// series, with an optional value label beside the axis.
#include "chart/core/ChartTools.h"

class TAnnotationTool;

enum TCursorToolStyle { cssHorizontal, cssVertical, cssBoth, cssScope, cssScopeOnly };
inline constexpr const char* TCursorToolStyleNames[] = {"cssHorizontal", "cssVertical", "cssBoth", "cssScope",
                                                        "cssScopeOnly"};
static_assert(std::size(TCursorToolStyleNames) == cssScopeOnly + 1);

enum TScopeCursorStyle { scsRectangle, scsCircle, scsDiamond, scsEmpty, scsCamera };
inline constexpr const char* TScopeCursorStyleNames[] = {"scsRectangle", "scsCircle", "scsDiamond", "scsEmpty",
                                                         "scsCamera"};
static_assert(std::size(TScopeCursorStyleNames) == scsCamera + 1);

// Scoped: the platform's scroll styles use the same names.
enum class TSnapStyle { ssDefault, ssHorizontal, ssVertical };
inline constexpr const char* TSnapStyleNames[] = {"ssDefault", "ssHorizontal", "ssVertical"};
static_assert(std::size(TSnapStyleNames) == static_cast<int>(TSnapStyle::ssVertical) + 1);

class TCursorTool;
using TCursorToolChangeEvent = TMethodEvent<void(TCursorTool* Sender, int x, int y, double XValue, double YValue,
                                                 TChartSeries* Series, int ValueIndex)>;

class TCursorTool : public TZebCustomToolSeries {
    TV_CLASS(TCursorTool, TZebCustomToolSeries)
public:
    explicit TCursorTool(TComponent* owner);
    ~TCursorTool() override;
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void SetSeries(TChartSeries* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetChildOwner() override { return this; }

    // ---- published ----
    // Created on first read, hidden; null frees it.
    TAnnotationTool* AxisAnnotation();
    void SetAxisAnnotation(TAnnotationTool* value);
    bool HasAxisAnnotation() const { return annotation_ != nullptr; }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool FollowMouse() const { return followMouse_; }
    void SetFollowMouse(bool value) { followMouse_ = value; }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { ChangeBoolean(fullRepaint_, value); }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value) { ChangeInteger(horizSize_, value); }
    int ScopeSize() const { return scopeSize_; }
    void SetScopeSize(int value) { ChangeInteger(scopeSize_, value); }
    TScopeCursorStyle ScopeStyle() const { return scopeStyle_; }
    void SetScopeStyle(TScopeCursorStyle value) { Change(scopeStyle_, value); }
    bool Snap() const { return snap_; }
    void SetSnap(bool value) { snap_ = value; }
    TSnapStyle SnapStyle() const { return snapStyle_; }
    void SetSnapStyle(TSnapStyle value) { snapStyle_ = value; }
    TCursorToolStyle Style() const { return style_; }
    void SetStyle(TCursorToolStyle value);
    bool UseSeriesZ() const { return useSeriesZ_; }
    void SetUseSeriesZ(bool value) { ChangeBoolean(useSeriesZ_, value); }
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value) { ChangeInteger(vertSize_, value); }
    double XValue() const { return xValue_; }
    void SetXValue(double value);
    double YValue() const { return yValue_; }
    void SetYValue(double value);
    const TCursorToolChangeEvent& OnChange() const { return onChange_; }
    void SetOnChange(TCursorToolChangeEvent value) { onChange_ = std::move(value); }
    const TCursorToolChangeEvent& OnSnapChange() const { return onSnapChange_; }
    void SetOnSnapChange(TCursorToolChangeEvent value) { onSnapChange_ = std::move(value); }

    // ---- state ----
    // The crossing in pixels (once the chart has drawn).
    TPoint CursorPoint() const { return {x_, y_}; }
    int DragPart() const { return dragPart_; }
    // Moves to the nearest visible point of the series; its index, or -1.
    int SnapToPoint();
    // 0 none, 1 the horizontal line, 2 the vertical line, 3 both.
    int HitTest(int x, int y) const;
    // The bounds the lines span: the working axes' pixel spans, else the chart rectangle.
    TRect Bounds() const;

protected:
    virtual void DoChange(int valueIndex);
    void ReadState(TReader& reader) override;

private:
    bool needsFullRepaint() const;
    TRect lineRect() const;
    int depth() const;
    void calcScreenPositions();
    void positionFromMouse(int x, int y);
    void drawCursor(TCanvas3D& canvas);
    void drawAxisAnnotation();
    // The pixels the cursor covers now.
    TRect touchedRect() const;

    TAnnotationTool* annotation_ = nullptr;  // owned (as component)
    int clickTolerance_ = 3;
    bool followMouse_ = false;
    bool fullRepaint_ = false;
    int horizSize_ = 0;
    int scopeSize_ = 4;
    TScopeCursorStyle scopeStyle_ = scsRectangle;
    bool snap_ = false;
    TSnapStyle snapStyle_ = TSnapStyle::ssDefault;
    TCursorToolStyle style_ = cssBoth;
    bool useSeriesZ_ = false;
    int vertSize_ = 0;
    double xValue_ = 0, yValue_ = 0;
    TCursorToolChangeEvent onChange_, onSnapChange_;

    bool xSet_ = false, ySet_ = false, drawn_ = false;
    int dragPart_ = 0;
    int lastSnapIndex_ = -1;
    int x_ = 0, y_ = 0;
};
