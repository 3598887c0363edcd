#include "platform/graphics/GPMatrix.h"

#include "platform/graphics/GPObjects_p.h"

namespace {

// Prepend: the step runs before the matrix; append: after it.
void combine(QTransform& m, const QTransform& step, TGPMatrixOrder order)
{
    m = order == MatrixOrderAppend ? m * step : step * m;
}

}  // namespace

TGPMatrix::TGPMatrix()
{
    if (tvgdiplus::LayerUsable())
        impl_ = std::make_unique<Impl>();
    else
        CreationFailed(GdiplusNotInitialized);
}

TGPMatrix::TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy) : TGPMatrix()
{
    if (impl_) impl_->m = QTransform(m11, m12, m21, m22, dx, dy);
}

TGPMatrix::~TGPMatrix() = default;

std::unique_ptr<TGPMatrix> TGPMatrix::Clone() const
{
    auto c = std::make_unique<TGPMatrix>();
    if (impl_ && c->impl_) *c->impl_ = *impl_;
    return c;
}

TGPStatus TGPMatrix::Reset()
{
    if (!impl_) return NotMade();
    impl_->m.reset();
    return Ok;
}

TGPStatus TGPMatrix::SetElements(float m11, float m12, float m21, float m22, float dx, float dy)
{
    if (!impl_) return NotMade();
    impl_->m = QTransform(m11, m12, m21, m22, dx, dy);
    return Ok;
}

TGPStatus TGPMatrix::GetElements(float elements[6]) const
{
    if (!impl_) return NotMade();
    const QTransform& m = impl_->m;
    const qreal v[6] = {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()};
    for (int i = 0; i < 6; ++i) elements[i] = float(v[i]);
    return Ok;
}

float TGPMatrix::OffsetX() const { return impl_ ? float(impl_->m.dx()) : 0; }
float TGPMatrix::OffsetY() const { return impl_ ? float(impl_->m.dy()) : 0; }
bool TGPMatrix::IsIdentity() const { return !impl_ || impl_->m.isIdentity(); }
bool TGPMatrix::IsInvertible() const { return impl_ && impl_->m.isInvertible(); }

TGPStatus TGPMatrix::Multiply(const TGPMatrix& matrix, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    if (!matrix.impl_) return SetStatus(InvalidParameter);
    combine(impl_->m, matrix.impl_->m, order);
    return Ok;
}

TGPStatus TGPMatrix::Translate(float dx, float dy, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    combine(impl_->m, QTransform::fromTranslate(dx, dy), order);
    return Ok;
}

TGPStatus TGPMatrix::Scale(float sx, float sy, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    combine(impl_->m, QTransform::fromScale(sx, sy), order);
    return Ok;
}

TGPStatus TGPMatrix::Rotate(float angle, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    QTransform r;
    r.rotate(angle);  // y points down: positive angles turn clockwise on the surface
    combine(impl_->m, r, order);
    return Ok;
}

TGPStatus TGPMatrix::RotateAt(float angle, TGPPointF center, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    if (order == MatrixOrderAppend) {
        Translate(-center.X, -center.Y, order);
        Rotate(angle, order);
        return Translate(center.X, center.Y, order);
    }
    Translate(center.X, center.Y, order);
    Rotate(angle, order);
    return Translate(-center.X, -center.Y, order);
}

TGPStatus TGPMatrix::Invert()
{
    if (!impl_) return NotMade();
    bool ok = false;
    QTransform inv = impl_->m.inverted(&ok);
    if (!ok) return SetStatus(InvalidParameter);
    impl_->m = inv;
    return Ok;
}

TGPStatus TGPMatrix::TransformPoints(TGPPointF* points, int count) const
{
    if (!impl_) return NotMade();
    if (count < 0 || (count > 0 && !points)) return SetStatus(InvalidParameter);
    for (int i = 0; i < count; ++i) {
        QPointF q = impl_->m.map(tvgdiplus::ToQt(points[i]));
        points[i] = {float(q.x()), float(q.y())};
    }
    return Ok;
}
