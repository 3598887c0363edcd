#pragma once
// TCustomZebPanelExtended: the panel of an interactive chart. It adds the mouse zoom and panning
// settings, the rubber band, and the panel background: colour, gradient, back image, shadow and
// emboss around the frame.
#include "chart/core/PanelZoom.h"
#include "chart/core/ZebPanel.h"

class TZebGradient;

class TCustomZebPanelExtended : public TCustomZebPanel {
    TV_CLASS(TCustomZebPanelExtended, TCustomZebPanel)
public:
    explicit TCustomZebPanelExtended(TComponent* owner);
    ~TCustomZebPanelExtended() override;
    void Assign(TPersistent* source) override;

    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
    // Created on first read; null frees it.
    TBackImage* BackImage();
    void SetBackImage(TBackImage* value);
    // A back image holding a graphic.
    bool HasBackImage() const;
    bool IsBackImageStored() const { return backImage_ != nullptr; }
    bool BackImageInside() const;
    void SetBackImageInside(bool value);
    TZebBackImageMode BackImageMode() const;
    void SetBackImageMode(TZebBackImageMode value);
    // The graphic's own transparency; ignored without a graphic.
    bool BackImageTransp() const;
    void SetBackImageTransp(bool value);
    // Created on first read; null frees it.
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    bool HasGradient() const { return gradient_ != nullptr; }
    bool HasVisibleGradient() const;
    TMouseButton ScrollMouseButton() const { return scrollMouseButton_; }
    void SetScrollMouseButton(TMouseButton value) { scrollMouseButton_ = value; }
    TZebZoom* Zoom() const { return zoom_; }
    void SetZoom(TZebZoom* value) { zoom_->Assign(value); }
    TMouseWheelStyle ZoomWheel() const { return zoomWheel_; }
    void SetZoomWheel(TMouseWheelStyle value) { zoomWheel_ = value; }
    bool AllowZoom() const { return zoom_->Allow(); }
    void SetAllowZoom(bool value) { zoom_->SetAllow(value); }
    // The chart shows a zoomed range.
    bool Zoomed() const { return zoomed_; }
    void SetZoomed(bool value) { zoomed_ = value; }

    const TNotifyEvent& OnAfterDraw() const { return onAfterDraw_; }
    void SetOnAfterDraw(TNotifyEvent handler) { onAfterDraw_ = std::move(handler); }
    const TNotifyEvent& OnScroll() const { return onScroll_; }
    void SetOnScroll(TNotifyEvent handler) { onScroll_ = std::move(handler); }
    const TNotifyEvent& OnUndoZoom() const { return onUndoZoom_; }
    void SetOnUndoZoom(TNotifyEvent handler) { onUndoZoom_ = std::move(handler); }
    const TNotifyEvent& OnZoom() const { return onZoom_; }
    void SetOnZoom(TNotifyEvent handler) { onZoom_ = std::move(handler); }

    // The gradient's start colour while the gradient shows.
    TColor GetBackgroundColor() const override;
    virtual void FillPanelFrame(const TRect& rect);
    virtual void PaintPanelBackground(const TRect& rect);
    void DrawBackImage(const TRect& rect, int z);
    // image drawn into rect by its mode (shapes draw their pictures through it).
    void DrawImage(TBackImage& image, const TRect& rect, int z);
    virtual void RevertZoom();
    // Removes a rubber band drawn inverted, else repaints in full.
    void RepaintZoomFrame();
    // Inverted unless FullRepaint: drawing it twice restores the picture. Outside a render pass it
    // goes into the off-screen buffer and the window is refreshed from there.
    void PaintZoomFrame();

protected:
    void DefineProperties(TFiler& filer) override;

private:
    bool frameCoversAll() const;
    void paintFrameEffect(TZebShadow& effect, bool emboss, const TRect& rect);
    void stretchImage(TBackImage& image, const TRect& rect, TGraphic* graphic);

    TPanningMode allowPanning_ = pmBoth;
    TZebGradient* gradient_ = nullptr;  // owned
    TMouseButton scrollMouseButton_ = mbRight;
    TZebZoom* zoom_ = nullptr;  // owned
    TMouseWheelStyle zoomWheel_ = pmwNone;
    bool zoomed_ = false;
    TBackImage* backImage_ = nullptr;  // owned
    TNotifyEvent onAfterDraw_, onScroll_, onUndoZoom_, onZoom_;
};
