#pragma once
// An annotation shown as a free box the user drags by its inside and resizes by its edges and
// corners.
#include <memory>

#include "chart/tools/AnnotationTool.h"

class TBitmap;

// The rectangle's text shape: placed where it was put unless told otherwise.
class TRectangleShape : public TTextShape {
    TV_CLASS(TRectangleShape, TTextShape)
public:
    explicit TRectangleShape(TCustomZebPanel* panel = nullptr);
};

class TRectangleTool : public TAnnotationTool {
    TV_CLASS(TRectangleTool, TAnnotationTool)
public:
    explicit TRectangleTool(TComponent* owner);
    void Assign(TPersistent* source) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool value) { allowResize_ = value; }
    const TNotifyEvent& OnDragging() const { return onDragging_; }
    void SetOnDragging(TNotifyEvent value) { onDragging_ = std::move(value); }
    const TNotifyEvent& OnDragged() const { return onDragged_; }
    void SetOnDragged(TNotifyEvent value) { onDragged_ = std::move(value); }
    const TNotifyEvent& OnResizing() const { return onResizing_; }
    void SetOnResizing(TNotifyEvent value) { onResizing_ = std::move(value); }
    const TNotifyEvent& OnResized() const { return onResized_; }
    void SetOnResized(TNotifyEvent value) { onResized_ = std::move(value); }

    // Edge codes: 0 left, 1 top, 2 right, 3 bottom, 4 left-top, 5 left-bottom, 6 right-top,
    // 7 right-bottom; -1 none or outside the box.
    int HitEdge(int x, int y);
    bool Dragging() const { return dragging_; }
    // A picture of the chart under the box. withoutTool: the chart drawn afresh without this tool
    // (Active comes back as it was, also when drawing fails); otherwise the window's kept picture,
    // drawn first when there is none (blank on a canvas that keeps none).
    std::unique_ptr<TBitmap> CaptureArea(bool withoutTool);
    int ResizeEdge() const { return resizeEdge_; }

private:
    // Stores the box's corner in the position units.
    void placeAt(int left, int top);

    bool allowDrag_ = true;
    bool allowResize_ = true;
    TNotifyEvent onDragging_, onDragged_, onResizing_, onResized_;
    bool dragging_ = false;
    int resizeEdge_ = -1;
    int grabX_ = 0, grabY_ = 0;
};
