#pragma once
// Drop shadows of chart elements and fonts, and the emboss of texts (a shadow on the other side).
// A shadow decides where it lies and lets the canvas paint it, inside a transparent section when
// it is transparent.
#include <iterator>
#include <span>

#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/ZebPersistent.h"
#include "platform/graphics/Colors.h"

class TCanvas3D;
class TZebBlend;

enum TShadowDirection { sdLeftTop, sdLeftBottom, sdRightTop, sdRightBottom, sdCenter };
inline constexpr const char* TShadowDirectionNames[] = {"sdLeftTop", "sdLeftBottom", "sdRightTop", "sdRightBottom",
                                                        "sdCenter"};
static_assert(std::size(TShadowDirectionNames) == sdCenter + 1);

class TZebShadow : public TZebPersistent {
    TV_CLASS(TZebShadow, TZebPersistent)
public:
    explicit TZebShadow(TNotifyEvent onChange = {});
    // Everything but Clip.
    void Assign(TPersistent* source) override;

    bool Clip() const { return clip_; }
    void SetClip(bool value);
    TColor Color() const { return color_; }  // clNone: no shadow
    void SetColor(TColor value);
    TShadowDirection Direction() const { return direction_; }
    void SetDirection(TShadowDirection value);
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value);
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value);
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool value);
    int SmoothBlur() const { return smoothBlur_; }
    void SetSmoothBlur(int value);
    TZebTransparency Transparency() const { return transparency_; }
    void SetTransparency(TZebTransparency value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Half width of the blur kernel in pixels.
    int BlurRadius() const { return blurRadius_; }

    // Sets visibility, colour and both sizes and records them as the stored defaults.
    void InitDefaults(bool visible, TColor color, int size);
    void SetSize(int value);  // both sizes
    int LargestSize() const;
    bool IsActive() const { return visible_ && (horizSize_ != 0 || vertSize_ != 0); }
    // The rectangle moved by the direction; sdCenter grows it by both sizes on every side.
    TRect ShadowRect(const TRect& rect) const;

    // Opens the transparent section the shadow is drawn in (when it is transparent); false when
    // there is nothing to draw. Always pair with EndShadow.
    bool BeginShadow(TCanvas3D& canvas, const TRect& rect, double angle);
    void EndShadow(TCanvas3D& canvas);
    // The shadow of a (rounded, rotated by angle degrees) rectangle; the canvas pen is kept.
    void DrawRect(TCanvas3D& canvas, const TRect& rect, int roundSize = 0, double angle = 0);
    // The shadow of an ellipse, or of a slice when the angles do not span 360 degrees.
    virtual void DrawEllipse(TCanvas3D& canvas, const TRect& rect, int holePercent = 0, double startAngle = 0,
                             double endAngle = 360);
    // The shadow of a polygon, moved by both sizes whatever the direction.
    void DrawPolygon(TCanvas3D& canvas, std::span<const TPoint> points);

    bool IsColorStored() const { return color_ != defaultColor_; }
    bool IsHorizSizeStored() const { return horizSize_ != defaultSize_; }
    bool IsVertSizeStored() const { return vertSize_ != defaultSize_; }
    bool IsVisibleStored() const { return visible_ != defaultVisible_; }

protected:
    void InitDirection(TShadowDirection value) { direction_ = value; }

private:
    bool clip_ = false;
    TColor color_ = clSilver;
    TShadowDirection direction_ = sdRightBottom;
    int horizSize_ = 0;
    bool smooth_ = true;
    int smoothBlur_ = 0;
    TZebTransparency transparency_ = 50;
    int vertSize_ = 0;
    bool visible_ = true;
    TColor defaultColor_ = clSilver;
    int defaultSize_ = 0;
    bool defaultVisible_ = true;
    TZebBlend* blend_ = nullptr;  // the open section, between BeginShadow and EndShadow
    TZebTransparency sectionTransparency_ = 0;
    int blurRadius_ = 4;
};

// The emboss of a text: a shadow, hidden by default, towards the top left.
class TZebEmboss : public TZebShadow {
    TV_CLASS(TZebEmboss, TZebShadow)
public:
    explicit TZebEmboss(TNotifyEvent onChange = {});
};
