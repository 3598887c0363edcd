#pragma once
// Brushes of the antialiased layer: solid, hatch (the 53 patterns of TGPHatchStyle), texture,
// linear gradient and path gradient. Gradients take preset blends: colours at positions 0..1 in
// ascending order, any number of them; before the first and after the last position the end
// colours continue. Path gradients run from the path's outline (position 0) to its centre point
// (position 1).
#include <memory>

#include "platform/graphics/GPBase.h"

class TGPImage;
class TGPImageAttributes;
class TGPGraphicsPath;

class TGPBrush : public TGdiplusBase {
public:
    ~TGPBrush() override;
    // A copy that takes over this brush's last status; null when it cannot be made.
    virtual std::unique_ptr<TGPBrush> Clone() const;
    TGPBrushType GetType() const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

protected:
    explicit TGPBrush(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(TGPColor color);
    TGPStatus GetColor(TGPColor& color) const;
    TGPStatus SetColor(TGPColor color);
};

// The pattern is fixed to the device: it does not move, turn or grow with the world transform.
class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush(TGPHatchStyle style, TGPColor foreColor, TGPColor backColor = MakeColor(255, 0, 0, 0));
    TGPHatchStyle GetHatchStyle() const;
    TGPStatus GetForegroundColor(TGPColor& color) const;
    TGPStatus GetBackgroundColor(TGPColor& color) const;
};

// The image is copied when the brush is made.
class TGPTextureBrush : public TGPBrush {
public:
    TGPTextureBrush(const TGPImage& image, TGPWrapMode wrapMode = WrapModeTile);
    // The part (x, y, width, height) of the image, its colours adjusted by the attributes.
    TGPTextureBrush(const TGPImage& image, const TGPImageAttributes* attributes, float x, float y, float width,
                    float height);
    TGPStatus SetWrapMode(TGPWrapMode wrapMode);
    TGPWrapMode GetWrapMode() const;
    int ImageWidth() const;
    int ImageHeight() const;
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    // Colour 1 at the rectangle's start edge, colour 2 at the far one; the diagonal modes run
    // corner to corner and scale with the rectangle.
    TGPLinearGradientBrush(const TGPRectF& rect, TGPColor color1, TGPColor color2, TGPLinearGradientMode mode,
                           TGPWrapMode wrapMode = WrapModeTile);
    // angle: degrees clockwise from the x axis; the gradient spans the rectangle's corners along it.
    TGPLinearGradientBrush(const TGPRectF& rect, TGPColor color1, TGPColor color2, float angle,
                           bool isAngleScalable = false, TGPWrapMode wrapMode = WrapModeTile);
    TGPStatus GetLinearColors(TGPColor& color1, TGPColor& color2) const;
    TGPStatus GetRectangle(TGPRectF& rect) const;
    float GetAngle() const;  // the mode's angle (0, 90, 45, 135) or the given one
    TGPWrapMode GetWrapMode() const;
    // count < 1 (or null arrays): InvalidParameter, the brush unchanged.
    TGPStatus SetPresetBlend(const TGPColor* colors, const float* positions, int count);
    int GetPresetBlendCount() const;  // 0 without a preset blend
    TGPStatus GetPresetBlend(TGPColor* colors, float* positions, int count) const;
};

class TGPPathGradientBrush : public TGPBrush {
public:
    // The outline is the path's (all its figures); the centre point starts at the centre of its
    // bounds. An ellipse path draws as a radial gradient; other outlines are rasterised.
    explicit TGPPathGradientBrush(const TGPGraphicsPath& path);
    TGPStatus GetCenterPoint(TGPPointF& point) const;
    TGPStatus GetCenterPointI(TPoint& point) const;  // rounded
    TGPStatus SetCenterPoint(TGPPointF point);
    TGPStatus SetCenterPointI(TPoint point);
    TGPStatus GetRectangle(TGPRectF& rect) const;  // bounds of the outline
    // Without a preset blend the brush runs from the surround colour to the centre colour (both
    // opaque white at first).
    TGPStatus SetCenterColor(TGPColor color);
    TGPStatus SetSurroundColor(TGPColor color);
    TGPStatus SetPresetBlend(const TGPColor* colors, const float* positions, int count);
    int GetPresetBlendCount() const;
    TGPStatus GetPresetBlend(TGPColor* colors, float* positions, int count) const;
};
