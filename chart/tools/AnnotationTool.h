#pragma once
// A framed text box drawn over the finished chart at a preset or custom place, with an optional
// callout arrow to a point; clicks and hovering over the box reach its events.
#include "chart/core/Callout.h"
#include "chart/core/ChartTools.h"
#include "chart/core/StringsShape.h"

class TZebSelected;

enum TAnnotationPosition { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom, ppCenter };
inline constexpr const char* TAnnotationPositionNames[] = {"ppLeftTop", "ppLeftBottom", "ppRightTop",
                                                           "ppRightBottom", "ppCenter"};
static_assert(std::size(TAnnotationPositionNames) == ppCenter + 1);

// The arrow of an annotation: its target in pixels of the chart panel; hidden unless shown.
class TAnnotationCallout : public TCallout {
    TV_CLASS(TAnnotationCallout, TCallout)
public:
    TAnnotationCallout();
    void Assign(TPersistent* source) override;

    int XPosition() const { return x_; }
    void SetXPosition(int value) { Change(x_, value); }
    int YPosition() const { return y_; }
    void SetYPosition(int value) { Change(y_, value); }
    int ZPosition() const { return z_; }
    void SetZPosition(int value) { Change(z_, value); }

private:
    int x_ = 0, y_ = 0, z_ = 0;
};

class TAnnotationTool;
using TAnnotationClick =
    TMethodEvent<void(TAnnotationTool* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

class TAnnotationTool : public TZebCustomTool {
    TV_CLASS(TAnnotationTool, TZebCustomTool)
public:
    explicit TAnnotationTool(TComponent* owner);
    ~TAnnotationTool() override;
    // Callout, positions, hover, shape and Z, then the element settings; Draw3D and the events
    // stay.
    void Assign(TPersistent* source) override;
    void SetName(const String& newName) override;
    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    // ---- published ----
    bool AutoSize() const { return shape_->AutoSize(); }
    void SetAutoSize(bool value) { shape_->SetAutoSize(value); }
    TAnnotationCallout* Callout() const { return callout_; }
    void SetCallout(TAnnotationCallout* value) { callout_->Assign(value); }
    bool ClipText() const { return shape_->ClipText(); }
    void SetClipText(bool value) { shape_->SetClipText(value); }
    TCursor Cursor() const { return shape_->Cursor(); }
    void SetCursor(TCursor value) { shape_->SetCursor(value); }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { ChangeBoolean(draw3D_, value); }
    TAnnotationPosition Position() const { return position_; }
    void SetPosition(TAnnotationPosition value);
    TZebUnits PositionUnits() const { return positionUnits_; }
    void SetPositionUnits(TZebUnits value) { Change(positionUnits_, value); }
    TZebSelected* Selected() const { return selected_; }
    void SetSelected(TZebSelected* value);
    TTextShape* Shape() const { return shape_; }
    void SetShape(TTextShape* value) { shape_->Assign(value); }
    const String& Text() const { return shape_->Text(); }
    void SetText(const String& value) { shape_->SetText(value); }
    TAlignment TextAlignment() const { return shape_->TextAlignment(); }
    void SetTextAlignment(TAlignment value) { shape_->SetTextAlignment(value); }
    int Left() const { return shape_->Left(); }
    void SetLeft(int value);
    int Top() const { return shape_->Top(); }
    void SetTop(int value);
    int Width() const { return shape_->BoundsWidth(); }
    void SetWidth(int value);
    int Height() const { return shape_->BoundsHeight(); }
    void SetHeight(int value);
    bool IsSizeStored() const { return !AutoSize(); }
    int Z() const { return z_; }
    void SetZ(int value) { ChangeInteger(z_, value); }
    const TNotifyEvent& OnBeforeDraw() const { return onBeforeDraw_; }
    void SetOnBeforeDraw(TNotifyEvent value) { onBeforeDraw_ = std::move(value); }
    const TNotifyEvent& OnAfterDraw() const { return onAfterDraw_; }
    void SetOnAfterDraw(TNotifyEvent value) { onAfterDraw_ = std::move(value); }
    const TAnnotationClick& OnClick() const { return onClick_; }
    void SetOnClick(TAnnotationClick value) { onClick_ = std::move(value); }
    const TAnnotationClick& OnDblClick() const { return onDblClick_; }
    void SetOnDblClick(TAnnotationClick value) { onDblClick_ = std::move(value); }

    // Set by tools that choose the mouse cursor themselves.
    bool OwnCursorHandling = false;

    // ---- slots ----
    virtual void DrawAnnotation(TCustomAxisPanel& panel);
    virtual int GetTextOffset() const { return 0; }
    virtual String GetText() const { return shape_->Text(); }
    // The box on a panel whose drawing rectangle is panelRect; top and left are its corner.
    virtual void CalcShapeBounds(TCustomAxisPanel& panel, const TRect& panelRect, TRect& bounds, int& top,
                                 int& left);

    // The box on the parent chart; empty without one.
    TRect GetBounds();
    bool ContainsPoint(int x, int y);
    // Puts the annotation on a chart without entering its tool list.
    void AttachToChart(TCustomAxisPanel* chart);
    void RepaintAnnotation();

protected:
    // Descendants with a shape class of their own hand it in (owned from then on).
    TAnnotationTool(TComponent* owner, TTextShape* shape);

private:
    TTextShape* shape_ = nullptr;          // owned
    TAnnotationCallout* callout_ = nullptr;  // owned
    TZebSelected* selected_ = nullptr;       // owned
    TAnnotationPosition position_ = ppLeftTop;
    TZebUnits positionUnits_ = muPixels;
    bool draw3D_ = false;
    int z_ = 0;
    TNotifyEvent onBeforeDraw_, onAfterDraw_;
    TAnnotationClick onClick_, onDblClick_;
};
