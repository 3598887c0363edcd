#include "platform/graphics/GPPens.h"

#include "platform/graphics/GPObjects_p.h"

TGPPen::TGPPen(TGPColor color, float width, TGPUnit unit)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    if (unit < UnitWorld || unit > UnitMillimeter || unit == UnitDisplay) {
        CreationFailed(InvalidParameter);
        return;
    }
    impl_ = std::make_unique<Impl>();
    impl_->color = color;
    impl_->width = width;
    impl_->unit = unit;
}

TGPPen::~TGPPen() = default;

std::unique_ptr<TGPPen> TGPPen::Clone() const
{
    auto c = std::make_unique<TGPPen>(impl_ ? impl_->color : 0, 1.0f);
    if (impl_ && c->impl_) *c->impl_ = *impl_;
    return c;
}

TGPStatus TGPPen::SetWidth(float width)
{
    if (!impl_) return NotMade();
    impl_->width = width;
    return Ok;
}

float TGPPen::GetWidth() const { return impl_ ? impl_->width : 0; }
TGPUnit TGPPen::GetUnit() const { return impl_ ? impl_->unit : UnitWorld; }

TGPStatus TGPPen::SetColor(TGPColor color)
{
    if (!impl_) return NotMade();
    impl_->color = color;
    impl_->brush.reset();
    return Ok;
}

TGPStatus TGPPen::GetColor(TGPColor& color) const
{
    if (!impl_) return NotMade();
    if (impl_->brush) {
        if (impl_->brush->type != BrushTypeSolidColor) return SetStatus(WrongState);
        color = impl_->brush->color;
        return Ok;
    }
    color = impl_->color;
    return Ok;
}

TGPStatus TGPPen::SetBrush(const TGPBrush& brush)
{
    if (!impl_) return NotMade();
    if (!brush.impl()) return SetStatus(InvalidParameter);
    impl_->brush = std::make_shared<TGPBrush::Impl>(*brush.impl());
    return Ok;
}

bool TGPPen::HasBrush() const { return impl_ && impl_->brush; }

TGPStatus TGPPen::SetLineCap(TGPLineCap startCap, TGPLineCap endCap, TGPDashCap dashCap)
{
    if (!impl_) return NotMade();
    impl_->startCap = startCap;
    impl_->endCap = endCap;
    return SetDashCap(dashCap);
}

TGPStatus TGPPen::SetStartCap(TGPLineCap cap)
{
    if (!impl_) return NotMade();
    impl_->startCap = cap;
    return Ok;
}

TGPStatus TGPPen::SetEndCap(TGPLineCap cap)
{
    if (!impl_) return NotMade();
    impl_->endCap = cap;
    return Ok;
}

TGPStatus TGPPen::SetDashCap(TGPDashCap cap)
{
    if (!impl_) return NotMade();
    // Any other value is taken as flat.
    impl_->dashCap = cap == DashCapRound || cap == DashCapTriangle ? cap : DashCapFlat;
    return Ok;
}

TGPLineCap TGPPen::GetStartCap() const { return impl_ ? impl_->startCap : LineCapFlat; }
TGPLineCap TGPPen::GetEndCap() const { return impl_ ? impl_->endCap : LineCapFlat; }
TGPDashCap TGPPen::GetDashCap() const { return impl_ ? impl_->dashCap : DashCapFlat; }

TGPStatus TGPPen::SetLineJoin(TGPLineJoin join)
{
    if (!impl_) return NotMade();
    impl_->join = join;
    return Ok;
}

TGPLineJoin TGPPen::GetLineJoin() const { return impl_ ? impl_->join : LineJoinMiter; }

TGPStatus TGPPen::SetMiterLimit(float limit)
{
    if (!impl_) return NotMade();
    impl_->miterLimit = std::max(1.0f, limit);
    return Ok;
}

float TGPPen::GetMiterLimit() const { return impl_ ? impl_->miterLimit : 10; }

TGPStatus TGPPen::SetDashStyle(TGPDashStyle style)
{
    if (!impl_) return NotMade();
    if (style < DashStyleSolid || style > DashStyleCustom) return SetStatus(InvalidParameter);
    if (style == DashStyleCustom && impl_->pattern.empty()) impl_->pattern = {1, 1};
    impl_->dashStyle = style;
    return Ok;
}

TGPDashStyle TGPPen::GetDashStyle() const { return impl_ ? impl_->dashStyle : DashStyleSolid; }

TGPStatus TGPPen::SetDashPattern(const float* dashes, int count)
{
    if (!impl_) return NotMade();
    if (!dashes || count < 1) return SetStatus(InvalidParameter);
    for (int i = 0; i < count; ++i)
        if (!(dashes[i] > 0)) return SetStatus(InvalidParameter);
    impl_->pattern.assign(dashes, dashes + count);
    if (count % 2) impl_->pattern.push_back(dashes[count - 1]);
    impl_->dashStyle = DashStyleCustom;
    return Ok;
}
