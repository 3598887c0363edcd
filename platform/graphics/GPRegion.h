#pragma once
// A region of the antialiased layer: an area in world units for clipping.
#include <memory>

#include "platform/graphics/GPBase.h"

class TGPGraphicsPath;
class TRegion;

class TGPRegion : public TGdiplusBase {
public:
    TGPRegion();  // infinite
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(const TGPGraphicsPath& path);
    explicit TGPRegion(const TRegion& region);  // a device-context region, in its units
    ~TGPRegion() override;
    std::unique_ptr<TGPRegion> Clone() const;

    TGPStatus MakeInfinite();
    TGPStatus MakeEmpty();
    bool IsInfinite() const;
    bool IsEmpty() const;
    TGPStatus Combine(const TGPRegion& region, TGPCombineMode mode);
    TGPStatus GetBounds(TGPRectF& bounds) const;  // an infinite region gives a very large rectangle
    bool IsVisible(float x, float y) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
