#include "platform/graphics/GPRegion.h"

#include "platform/graphics/GPObjects_p.h"
#include "platform/graphics/Region.h"

namespace {

// Stands for "everything" where a shape is needed.
const QRectF everything(-4194304.0, -4194304.0, 8388608.0, 8388608.0);

QPainterPath everythingPath()
{
    QPainterPath p;
    p.addRect(everything);
    return p;
}

}  // namespace

TGPRegion::TGPRegion()
{
    if (tvgdiplus::LayerUsable())
        impl_ = std::make_unique<Impl>();
    else
        CreationFailed(GdiplusNotInitialized);
}

TGPRegion::TGPRegion(const TGPRectF& rect) : TGPRegion()
{
    if (!impl_) return;
    impl_->infinite = false;
    impl_->path.addRect(tvgdiplus::ToQt(rect).normalized());
}

TGPRegion::TGPRegion(const TGPGraphicsPath& path) : TGPRegion()
{
    if (!impl_) return;
    if (!path.impl()) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    impl_->infinite = false;
    impl_->path = path.impl()->ToQt();
}

TGPRegion::TGPRegion(const TRegion& region) : TGPRegion()
{
    if (!impl_) return;
    impl_->infinite = false;
    impl_->path.addRegion(region.impl().rgn);
}

TGPRegion::~TGPRegion() = default;

std::unique_ptr<TGPRegion> TGPRegion::Clone() const
{
    auto c = std::make_unique<TGPRegion>();
    if (impl_ && c->impl()) *c->impl_ = *impl_;
    return c;
}

TGPStatus TGPRegion::MakeInfinite()
{
    if (!impl_) return NotMade();
    *impl_ = Impl();
    return Ok;
}

TGPStatus TGPRegion::MakeEmpty()
{
    if (!impl_) return NotMade();
    impl_->infinite = false;
    impl_->path = QPainterPath();
    return Ok;
}

bool TGPRegion::IsInfinite() const { return impl_ && impl_->infinite; }
bool TGPRegion::IsEmpty() const { return !impl_ || (!impl_->infinite && impl_->path.boundingRect().isEmpty()); }

TGPStatus TGPRegion::Combine(const TGPRegion& region, TGPCombineMode mode)
{
    if (!impl_) return NotMade();
    if (!region.impl_) return SetStatus(InvalidParameter);
    const QPainterPath a = impl_->infinite ? everythingPath() : impl_->path;
    const QPainterPath b = region.impl_->infinite ? everythingPath() : region.impl_->path;
    QPainterPath r;
    switch (mode) {
    case CombineModeReplace: *impl_ = *region.impl_; return Ok;
    case CombineModeIntersect: r = a.intersected(b); break;
    case CombineModeUnion: r = a.united(b); break;
    case CombineModeXor: r = a.united(b).subtracted(a.intersected(b)); break;
    case CombineModeExclude: r = a.subtracted(b); break;
    case CombineModeComplement: r = b.subtracted(a); break;
    default: return SetStatus(InvalidParameter);
    }
    impl_->infinite = false;
    impl_->path = r;
    return Ok;
}

TGPStatus TGPRegion::GetBounds(TGPRectF& bounds) const
{
    if (!impl_) return NotMade();
    bounds = tvgdiplus::FromQt(impl_->infinite ? everything : impl_->path.boundingRect());
    return Ok;
}

bool TGPRegion::IsVisible(float x, float y) const
{
    return impl_ && (impl_->infinite || impl_->path.contains(QPointF(x, y)));
}
