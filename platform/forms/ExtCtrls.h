#pragma once
// Timer, panel, shape, image, bevel, and the no-op visual-styles component.
#include <iterator>
#include <memory>

#include "platform/forms/Controls.h"

class TPen;
class TBrush;
class TPicture;

// Fires OnTimer every Interval milliseconds from the message loop (also inside ProcessMessages)
// while Enabled, Interval > 0 and OnTimer is assigned.
class TTimer : public TComponent {
    TV_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    Cardinal Interval() const { return interval_; }
    void SetInterval(Cardinal value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(const TNotifyEvent& e);

protected:
    virtual void Timer();
    void Loaded() override;

private:
    struct Impl;
    void update();

    bool enabled_ = true;
    Cardinal interval_ = 1000;
    TNotifyEvent onTimer_;
    std::unique_ptr<Impl> impl_;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
inline constexpr const char* TBevelCutNames[] = {"bvNone", "bvLowered", "bvRaised", "bvSpace"};
static_assert(std::size(TBevelCutNames) == bvSpace + 1);
using TPanelBevel = TBevelCut;

class TCustomPanel : public TCustomControl {
    TV_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool value) { parentBackground_ = value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void CMTextChanged(TMessage& message) override;
    void PaintNonClient(TCanvas& canvas) override;

public:
    TRect GetClientMargins() const override;

private:
    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
    bool parentBackground_ = false;
};

class TPanel : public TCustomPanel {
    TV_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
inline constexpr const char* TShapeTypeNames[] = {"stRectangle",   "stSquare",  "stRoundRect",
                                                  "stRoundSquare", "stEllipse", "stCircle"};
static_assert(std::size(TShapeTypeNames) == stCircle + 1);

class TShape : public TGraphicControl {
    TV_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* owner);
    ~TShape() override;

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    TPen* Pen() const { return pen_; }
    void SetPen(TPen* value);  // copies
    TBrush* Brush() const { return brush_; }
    void SetBrush(TBrush* value);  // copies

protected:
    void Paint() override;

private:
    void styleChanged(TObject* sender);

    TShapeType shape_ = stRectangle;
    TPen* pen_ = nullptr;      // owned
    TBrush* brush_ = nullptr;  // owned
};

class TImage : public TGraphicControl {
    TV_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* owner);
    ~TImage() override;

    TPicture* Picture() const { return picture_; }
    void SetPicture(TPicture* value);  // copies
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Proportional() const { return proportional_; }
    void SetProportional(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool IncrementalDisplay() const { return incrementalDisplay_; }
    void SetIncrementalDisplay(bool value) { incrementalDisplay_ = value; }
    // Where the picture lands in the client area.
    TRect DestRect() const;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;

private:
    void pictureChanged(TObject* sender);

    TPicture* picture_ = nullptr;  // owned
    bool stretch_ = false;
    bool center_ = false;
    bool proportional_ = false;
    bool transparent_ = false;
    bool incrementalDisplay_ = false;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
inline constexpr const char* TBevelShapeNames[] = {"bsBox",      "bsFrame",     "bsTopLine", "bsBottomLine",
                                                   "bsLeftLine", "bsRightLine", "bsSpacer"};
static_assert(std::size(TBevelShapeNames) == bsSpacer + 1);

enum TBevelStyle { bsLowered, bsRaised };
inline constexpr const char* TBevelStyleNames[] = {"bsLowered", "bsRaised"};
static_assert(std::size(TBevelStyleNames) == bsRaised + 1);

class TBevel : public TGraphicControl {
    TV_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

// Visual styles switch of the platform: nothing to do here.
class TXPManifest : public TComponent {
    TV_CLASS(TXPManifest, TComponent)
public:
    using TComponent::TComponent;
};

void RegisterExtControls();
