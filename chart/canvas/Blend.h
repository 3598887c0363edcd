#pragma once
// Transparent sections of a canvas and the bitmap mixing they rely on: a blend captures the
// background of a rectangle before the section is drawn and mixes it back over the new drawing.
#include <memory>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/graphics/GraphicsTypes.h"
#include "chart/canvas/CanvasTypes.h"

class TBitmap;
class TZebCanvas;

class TZebBlend : public TObject {
    TV_CLASS(TZebBlend, TObject)
public:
    // Captures rect of the canvas's drawing (nothing without a canvas).
    TZebBlend(TZebCanvas* canvas, const TRect& rect);
    ~TZebBlend() override;

    // Clamps the rectangle to the canvas's bounds (at least one pixel each way) and copies that
    // area of the drawing (the buffer bitmap, else the bound canvas) into the blend's bitmap.
    void CaptureRect(const TRect& rect);
    // Mixes the captured background back over what was drawn since: the new drawing keeps
    // 100 - transparency percent. Nothing while metafiling or for an empty rectangle.
    void BlendBack(TZebTransparency transparency);

    const TRect& Rect() const { return rect_; }
    bool Valid() const { return valid_; }
    TBitmap* Captured() const { return bitmap_.get(); }

private:
    // The bitmap holding the section's pixels, reached by rows (offset: of the logical origin), or
    // null when only the canvas can reach them.
    TBitmap* pixels(TPoint& offset) const;

    TZebCanvas* canvas_;
    TRect rect_;
    bool valid_ = false;
    std::unique_ptr<TBitmap> bitmap_;
};

// destination = destination * percent / 100 + source * (100 - percent) / 100 over the overlap of
// source placed at position (negative coordinates raised to 0). With a mask each channel mixes by
// the mask's channel instead.
void BlendBitmaps(TBitmap& source, TBitmap& destination, TPoint position, TBitmap* mask, int percent);

// Blurs a shadow picture (white where there is no shadow) into the destination at position:
// every destination pixel it covers is multiplied by the blurred value. Kernel: radius, weights
// 100000 * B^(-d*d / radius) with B = (smoothBlur + 180) / 100. Without a destination the source
// takes the blurred values. With a clip test, only pixels it accepts change.
struct TBlurClip {
    virtual ~TBlurClip() = default;
    virtual bool Visible(int x, int y) const = 0;
};
void BlurShadowInto(TBitmap& source, TBitmap* destination, TPoint position, int radius, int smoothBlur,
                    const TBlurClip* clip = nullptr);
// Multiplies the destination by a shadow blurred already (BlurShadowInto without a destination)
// at position, which must lie wholly inside it: the same pixels as blurring into the destination.
void MultiplyBlurredShadow(TBitmap& blurred, TBitmap& destination, TPoint position, const TBlurClip* clip = nullptr);
// The kernel weights of BlurShadowInto, centre first (index = distance).
std::vector<Int64> BlurWeights(int radius, int smoothBlur);
