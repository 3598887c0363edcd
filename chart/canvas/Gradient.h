#pragma once
// Gradients: a colour ramp of two or more stops with a direction, an angle, a balance that bends
// the ramp, a radial centre offset, and an optional sub-gradient painted over it with transparency.
#include <iterator>

#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/ZebPersistent.h"
#include "platform/classes/Collection.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"

class TZebCanvas;
class TBitmap;
class TCustomZebGradient;
class TSubGradient;

enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
    gdRadial,
    gdDiagonalUp,
    gdDiagonalDown
};
inline constexpr const char* TGradientDirectionNames[] = {
    "gdTopBottom",   "gdBottomTop",      "gdLeftRight", "gdRightLeft",  "gdFromCenter",
    "gdFromTopLeft", "gdFromBottomLeft", "gdRadial",    "gdDiagonalUp", "gdDiagonalDown"};
static_assert(std::size(TGradientDirectionNames) == gdDiagonalDown + 1);

class TZebGradientColor : public TCollectionItem {
    TV_CLASS(TZebGradientColor, TCollectionItem)
public:
    explicit TZebGradientColor(TCollection* collection);
    void Assign(TPersistent* source) override;

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    double Offset() const { return offset_; }  // 0 at the start .. 1 at the end
    void SetOffset(double value);
    TZebTransparency Transparency() const { return transparency_; }
    void SetTransparency(TZebTransparency value);

private:
    TColor color_ = clBlack;
    double offset_ = 0;
    TZebTransparency transparency_ = 0;
};

class TZebGradientColors : public TOwnedCollection {
    TV_CLASS(TZebGradientColors, TOwnedCollection)
public:
    explicit TZebGradientColors(TCustomZebGradient* gradient);

    TZebGradientColor* Items(int index) const { return static_cast<TZebGradientColor*>(TCollection::Items(index)); }
    // The stop at index, adding stops until it exists.
    TZebGradientColor* ItemAt(int index);
    // Offset clamped to 0..1; inserted before the first stop with a greater offset.
    TZebGradientColor* InsertColor(TColor color, TZebTransparency transparency, double offset);
    // Fires the gradient's change event.
    void NotifyOwner();
    // Two stops at 0 and 1, or three at 0, 0.5 and 1, none transparent.
    bool HasDefaultShape() const;

protected:
    void Update(TCollectionItem* item) override;

private:
    friend class TCustomZebGradient;
    TCustomZebGradient* gradient_;
    int quiet_ = 0;
};

class TCustomZebGradient : public TZebPersistent {
    TV_CLASS(TCustomZebGradient, TZebPersistent)
public:
    explicit TCustomZebGradient(TNotifyEvent onChange = {});
    ~TCustomZebGradient() override;
    // Copies every setting and stop; calls nobody back.
    void Assign(TPersistent* source) override;

    int Angle() const { return angle_; }
    void SetAngle(int value);
    int Balance() const { return balance_; }
    void SetBalance(int value);
    // Created on first read with the default start and end stops.
    TZebGradientColors* Colors();
    void SetColors(TZebGradientColors* value);
    bool HasColors() const { return colors_ != nullptr; }
    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection value);
    int RadialX() const { return radialX_; }
    void SetRadialX(int value);
    int RadialY() const { return radialY_; }
    void SetRadialY(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // clNone for an empty stop list; the recorded default while there is no list.
    TColor StartColor() const;
    void SetStartColor(TColor value);
    TColor EndColor() const;
    void SetEndColor(TColor value);
    // The second stop of three or more; clNone otherwise. clNone removes it.
    TColor MidColor() const;
    void SetMidColor(TColor value);
    void RestoreMidColor() { SetMidColor(lastMidColor_); }
    // When set, a new end colour recolours the first stop too.
    bool StartFollowsEnd() const { return startFollowsEnd_; }
    void SetStartFollowsEnd(bool value) { startFollowsEnd_ = value; }

    void ResetColors();
    void InitDirection(TGradientDirection value);
    // Visibility and its stored default.
    void InitVisible(bool value) { visible_ = defaultVisible_ = value; }
    // The start and end colours of a gradient without stops, and their stored defaults.
    void InitColors(TColor start, TColor end);

    // Created on first use with transparency 50; assigning copies the settings and transparency.
    TSubGradient* SubGradient();
    void SetSubGradient(TSubGradient* value);
    bool HasSubGradient() const { return subGradient_ != nullptr; }

    bool IsColorsStored() const;
    bool IsStartColorStored() const { return colors_ && StartColor() != defaultStart_; }
    bool IsMidColorStored() const { return colors_ && MidColor() != defaultMid_; }
    bool IsEndColorStored() const { return colors_ && EndColor() != defaultEnd_; }
    bool IsDirectionStored() const { return direction_ != defaultDirection_; }
    bool IsVisibleStored() const { return visible_ != defaultVisible_; }

    // Fills the rectangle with the gradient through the canvas brush (a rounded rectangle with a
    // round size of 1 or more), then paints a visible sub-gradient over it.
    void Draw(TZebCanvas& canvas, const TRect& rect, int roundSize = 0);
    void DrawSubGradient(TZebCanvas& canvas, const TRect& rect, int roundSize);
    // Concentric ellipses from the end colour outside to the start colour in the centre.
    void DrawRadialEllipses(TZebCanvas& canvas, const TRect& rect);
    // The gradient drawn unrotated into a bitmap that the rotation hook turns by Angle.
    void DrawRotated(TZebCanvas& canvas, const TRect& rect);

private:
    friend class TZebGradientColors;
    TZebGradientColors* ensureColors();

    int angle_ = 0;
    int balance_ = 50;
    TZebGradientColors* colors_ = nullptr;  // owned
    TGradientDirection direction_ = gdTopBottom;
    int radialX_ = 0;
    int radialY_ = 0;
    bool startFollowsEnd_ = false;
    bool visible_ = false;
    bool defaultVisible_ = false;
    TGradientDirection defaultDirection_ = gdTopBottom;
    TColor defaultStart_ = clWhite;
    TColor defaultEnd_ = clYellow;
    TColor defaultMid_ = clNone;
    TColor lastMidColor_ = clWhite;
    TSubGradient* subGradient_ = nullptr;  // owned
};

class TZebGradient : public TCustomZebGradient {
    TV_CLASS(TZebGradient, TCustomZebGradient)
public:
    explicit TZebGradient(TNotifyEvent onChange = {}) : TCustomZebGradient(std::move(onChange)) {}
};

class TSubGradient : public TCustomZebGradient {
    TV_CLASS(TSubGradient, TCustomZebGradient)
public:
    explicit TSubGradient(TNotifyEvent onChange = {}) : TCustomZebGradient(std::move(onChange)) {}
    void Assign(TPersistent* source) override;

    TZebTransparency Transparency() const { return transparency_; }
    void SetTransparency(TZebTransparency value);

private:
    TZebTransparency transparency_ = 50;
};

// Turns a gradient's bitmap by the gradient's Angle; installed by the picture-filter catalogue.
// While none is installed a rotated gradient is drawn unrotated.
using TGradientRotationHook = void (*)(const TCustomZebGradient& gradient, TBitmap& bitmap);
TGradientRotationHook GradientRotationHook();
void SetGradientRotationHook(TGradientRotationHook hook);
