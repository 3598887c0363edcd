#pragma once
// An affine matrix of the antialiased layer: row vectors times [m11 m12; m21 m22; dx dy].
// Prepend applies the new step first, append last.
#include <memory>

#include "platform/graphics/GPBase.h"

class TGPMatrix : public TGdiplusBase {
public:
    TGPMatrix();  // identity
    TGPMatrix(float m11, float m12, float m21, float m22, float dx, float dy);
    ~TGPMatrix() override;
    std::unique_ptr<TGPMatrix> Clone() const;

    TGPStatus Reset();
    TGPStatus SetElements(float m11, float m12, float m21, float m22, float dx, float dy);
    TGPStatus GetElements(float elements[6]) const;  // m11, m12, m21, m22, dx, dy
    float OffsetX() const;
    float OffsetY() const;
    bool IsIdentity() const;
    bool IsInvertible() const;

    TGPStatus Multiply(const TGPMatrix& matrix, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus Translate(float dx, float dy, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus Scale(float sx, float sy, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus Rotate(float angle, TGPMatrixOrder order = MatrixOrderPrepend);  // degrees, clockwise
    // Rotation about a point: the translation to the centre, the rotation and the translation
    // back, each in the given order.
    TGPStatus RotateAt(float angle, TGPPointF center, TGPMatrixOrder order = MatrixOrderPrepend);
    TGPStatus Invert();  // InvalidParameter when singular
    TGPStatus TransformPoints(TGPPointF* points, int count) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
