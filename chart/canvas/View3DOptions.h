#pragma once
// The 3-D view of a chart panel: angles, perspective, zoom, offsets and text zooming. Every change
// calls the owner back (the panel repaints).
#include <functional>
#include <iterator>

#include "chart/canvas/ZebPersistent.h"

enum TCanvasZoomText { ztManual, ztNo, ztAuto };
inline constexpr const char* TCanvasZoomTextNames[] = {"ztManual", "ztNo", "ztAuto"};
static_assert(std::size(TCanvasZoomTextNames) == ztAuto + 1);

class TView3DOptions : public TZebPersistent {
    TV_CLASS(TView3DOptions, TZebPersistent)
public:
    // onChange: called after every change (the panel repaints itself).
    using TZebPersistent::TZebPersistent;
    // The view settings, not the change callback or the hooks.
    void Assign(TPersistent* source) override;

    // Angles, zoom and offsets are kept as floats and published rounded to integers.
    int Elevation() const;
    void SetElevation(int value) { SetElevationFloat(value); }
    double ElevationFloat() const { return elevation_; }
    void SetElevationFloat(double value);
    int Rotation() const;
    void SetRotation(int value) { SetRotationFloat(value); }
    double RotationFloat() const { return rotation_; }
    void SetRotationFloat(double value);
    int Tilt() const;
    void SetTilt(int value) { SetTiltFloat(value); }
    double TiltFloat() const { return tilt_; }
    void SetTiltFloat(double value);
    int Zoom() const;
    void SetZoom(int value) { SetZoomFloat(value); }
    double ZoomFloat() const { return zoom_; }
    void SetZoomFloat(double value);
    int HorizOffset() const;
    void SetHorizOffset(int value) { SetHorizOffsetFloat(value); }
    double HorizOffsetFloat() const { return horizOffset_; }
    void SetHorizOffsetFloat(double value);
    int VertOffset() const;
    void SetVertOffset(int value) { SetVertOffsetFloat(value); }
    double VertOffsetFloat() const { return vertOffset_; }
    void SetVertOffsetFloat(double value);
    int Perspective() const { return perspective_; }
    void SetPerspective(int value);  // at most 100
    int FontZoom() const { return fontZoom_; }
    void SetFontZoom(int value);
    int OrthoAngle() const { return orthoAngle_; }
    void SetOrthoAngle(int value);
    bool Orthogonal() const { return orthogonal_; }
    void SetOrthogonal(bool value);
    TCanvasZoomText ZoomText() const { return zoomText_; }
    void SetZoomText(TCanvasZoomText value);

    // Seen from behind: not orthogonal and the rounded rotation within 91 .. 269.
    bool IsRotatedToBack() const;
    // tan of the ortho angle (angles above 90 mirrored) when orthogonal, else 1.
    double GetOrthoSlope() const;

    // Calls the owner back; the canvases also call it when their own look changes (monochrome,
    // antialiasing), so that the panel repaints.
    using TZebPersistent::Changed;
    // Called after an offset changed (true: the horizontal one).
    std::function<void(bool horizontal)> ScrolledHook;
    // Called with the new zoom, rounded, before it is stored.
    std::function<void(int zoom)> ZoomChangedHook;

private:
    double elevation_ = 345;
    double rotation_ = 345;
    double tilt_ = 0;
    int perspective_ = 15;
    double zoom_ = 100;
    int fontZoom_ = 100;
    int orthoAngle_ = 45;
    bool orthogonal_ = true;
    double horizOffset_ = 0;
    double vertOffset_ = 0;
    TCanvasZoomText zoomText_ = ztManual;
};
