#pragma once
// TSplitter: a bar between aligned controls; dragging it resizes the control on its aligned side
// (the one it follows in the alignment), keeping that control at least MinSize and the space on
// the other side at least MinSize.
#include "platform/forms/CustomControls.h"

class TSplitter : public TGraphicControl {
    TV_CLASS(TSplitter, TGraphicControl)
public:
    explicit TSplitter(TComponent* owner);

    int MinSize() const { return minSize_; }
    void SetMinSize(int value) { minSize_ = value < 1 ? 1 : value; }
    bool ResizeStyleLine() const { return false; }
    // The control the bar resizes (nullptr when none lies beside it).
    TControl* ResizeControl() const;
    // Moves the bar by delta pixels as a drag does; answers the distance really moved.
    int MoveBy(int delta);

    const TNotifyEvent& OnMoved() const { return onMoved_; }
    void SetOnMoved(const TNotifyEvent& e) { onMoved_ = e; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool horizontal() const { return Align() == alTop || Align() == alBottom; }

    int minSize_ = 30;
    bool dragging_ = false;
    int downAt_ = 0;
    TNotifyEvent onMoved_;
};

void RegisterSplitters();
