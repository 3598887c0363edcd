#pragma once
// Turns the chart's 3-D view with the mouse: across for the rotation, up and down for the
// elevation; optionally an inverted outline while dragging, and inertia after release.
#include <memory>

#include "chart/core/ChartTools.h"

class TTimer;

enum TRotateToolStyles { rsAll, rsRotation, rsElevation };
inline constexpr const char* TRotateToolStylesNames[] = {"rsAll", "rsRotation", "rsElevation"};
static_assert(std::size(TRotateToolStylesNames) == rsElevation + 1);

class TRotateTool : public TZebCustomTool {
    TV_CLASS(TRotateTool, TZebCustomTool)
public:
    explicit TRotateTool(TComponent* owner);
    ~TRotateTool() override;
    void Assign(TPersistent* source) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    int Inertia() const { return inertia_; }
    void SetInertia(int value) { inertia_ = value; }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { inverted_ = value; }
    int Speed() const { return speed_; }
    void SetSpeed(int value) { speed_ = value; }
    TRotateToolStyles Style() const { return style_; }
    void SetStyle(TRotateToolStyles value) { style_ = value; }
    const TNotifyEvent& OnRotate() const { return onRotate_; }
    void SetOnRotate(TNotifyEvent value) { onRotate_ = std::move(value); }

    bool Dragging() const { return dragging_; }
    // Turns the view by an elevation and a rotation step in degrees.
    void Rotate(double elevationStep, double rotationStep);
    double ElevationStep() const { return elevationStep_; }
    double RotationStep() const { return rotationStep_; }
    TTimer* InertiaTimer() const { return timer_.get(); }

private:
    void drawOutline();
    void inertiaTick(TObject*);

    TMouseButton button_ = mbLeft;
    TCursor cursor_ = crHandPoint;
    int inertia_ = 0;
    bool inverted_ = false;
    int speed_ = 50;
    TRotateToolStyles style_ = rsAll;
    TNotifyEvent onRotate_;

    bool dragging_ = false, firstMove_ = false;
    bool savedRepaint_ = true, repaintSaved_ = false;
    TPoint last_{};
    double rotationStep_ = 0, elevationStep_ = 0;
    TCursor savedCursor_ = crDefault;
    bool cursorSaved_ = false;
    std::unique_ptr<TTimer> timer_;
};
