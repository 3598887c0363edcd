// Chart coordinates to screen points. Terms are computed once per PrepareView in long double;
// every pixel conversion rounds halves to even and saturates.
#include <algorithm>
#include <cmath>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebCanvas3D.h"

namespace {
constexpr long double DegToRad = 0.017453292519943295L;
}

void TZebCanvas3D::CalcRotationTerms()
{
    if (IsOrthogonal()) return;
    const TView3DOptions* o = View3DOptions();
    const long double e = o ? -o->ElevationFloat() : 0.0L;
    const long double r = o ? -o->RotationFloat() : 0.0L;
    const int t = o ? o->Tilt() : 0;
    perspectiveOn_ = false;
    perspectiveFactor_ = 0;
    sE_ = std::sin(e * DegToRad), cE_ = std::cos(e * DegToRad);
    sR_ = std::sin(r * DegToRad), cR_ = std::cos(r * DegToRad);
    sT_ = std::sin(t * DegToRad), cT_ = std::cos(t * DegToRad);
    tiltOn_ = t != 0;
    k1_ = static_cast<double>(cR_ * sT_);
    k2_ = std::max(static_cast<double>(cR_ * cT_), 0.00001);
    k3_ = std::max(static_cast<double>(sE_ * sR_ * sT_ + cE_ * cT_), 0.00001);
    k4_ = static_cast<double>(cT_ * sE_ * sR_ - cE_ * sT_);
    k5_ = static_cast<double>(cE_ * sR_ * sT_ - cT_ * sE_);
    k6_ = static_cast<double>(cE_ * cT_ * sR_ + sE_ * sT_);
}

void TZebCanvas3D::CalcPerspectiveFactor(const TRect& chart)
{
    const TView3DOptions* o = View3DOptions();
    perspectiveOn_ = o && o->Perspective() > 0;
    if (!perspectiveOn_) return;
    const int w = std::max(chart.Right - chart.Left, 1);
    perspectiveFactor_ = o->Perspective() * zoom_ * (1.0 / 120) / w;
}

void TZebCanvas3D::SetupProjection(int depth, const TRect& outer, const TRect& chart)
{
    (void)outer;
    const int cx = (chart.Left + chart.Right) / 2, cy = (chart.Top + chart.Bottom) / 2;
    SetProjectionCenter(cx, cy, PixelRound(depth * 0.5L));
    originX_ = cx, originY_ = cy;
    const TView3DOptions* o = View3DOptions();
    if (!o) return;
    originX_ += o->HorizOffset();
    originY_ += o->VertOffset();
    if (projectionOn_) zoom_ = o->ZoomFloat() * 0.01;
    CalcPerspectiveFactor(chart);
}

TPoint TZebCanvas3D::ProjectXYZ(int x, int y, int z)
{
    const TPoint3D c = ProjectionCenter();
    const long double k = zoom_;
    if (IsOrthogonal()) {
        if (z == 0)
            return {PixelRoundAt((static_cast<long double>(x) - c.X) * k, originX_),
                    PixelRoundAt((static_cast<long double>(y) - c.Y) * k, originY_)};
        return {PixelRoundAt(((static_cast<long double>(x) - c.X) + z * static_cast<long double>(orthoStepX_)) * k,
                             originX_),
                PixelRoundAt(((static_cast<long double>(y) - c.Y) - z * static_cast<long double>(orthoStepY_)) * k,
                             originY_)};
    }
    if (!projectionOn_) return {x, y};
    const long double dx = static_cast<long double>(x) - c.X, dy = static_cast<long double>(y) - c.Y,
                      dz = static_cast<long double>(z) - c.Z;
    const long double t = dz * cR_ - dx * sR_;
    const long double a = dx * cR_ + dz * sR_;
    // A perspective denominator at or near 0 throws points far off: they saturate.
    const long double f = perspectiveOn_ ? k / ((cE_ * t + sE_ * dy) * perspectiveFactor_ + 1) : k;
    const long double b = dy * cE_ - sE_ * t;
    if (!tiltOn_) return {PixelRoundAt(a * f, originX_), PixelRoundAt(b * f, originY_)};
    return {PixelRoundAt((cT_ * a - sT_ * b) * f, originX_), PixelRoundAt((cT_ * b + sT_ * a) * f, originY_)};
}

void TZebCanvas3D::ProjectXYZFloat(TPointFloat& point, float z)
{
    const TPoint3D c = ProjectionCenter();
    const float k = static_cast<float>(zoom_);
    const float dx = point.X - static_cast<float>(c.X), dy = point.Y - static_cast<float>(c.Y);
    if (IsOrthogonal()) {
        point.X = (dx + z * static_cast<float>(orthoStepX_)) * k + static_cast<float>(originX_);
        point.Y = (dy - z * static_cast<float>(orthoStepY_)) * k + static_cast<float>(originY_);
        return;
    }
    if (!projectionOn_) {
        // Flat sections of a 3-D chart still zoom about the centre.
        point.X = dx * k + static_cast<float>(originX_);
        point.Y = dy * k + static_cast<float>(originY_);
        return;
    }
    const float sE = static_cast<float>(sE_), cE = static_cast<float>(cE_), sR = static_cast<float>(sR_),
                cR = static_cast<float>(cR_), sT = static_cast<float>(sT_), cT = static_cast<float>(cT_);
    const float dz = z - static_cast<float>(c.Z);
    const float t = dz * cR - dx * sR;
    const float a = dx * cR + dz * sR;
    const float f = perspectiveOn_ ? k / ((cE * t + sE * dy) * static_cast<float>(perspectiveFactor_) + 1) : k;
    const float b = dy * cE - sE * t;
    point.X = (cT * a - sT * b) * f + static_cast<float>(originX_);
    point.Y = (cT * b + sT * a) * f + static_cast<float>(originY_);
}

void TZebCanvas3D::UnprojectXY(int& x, int& y, int z)
{
    if (zoom_ == 0) return;
    const long double q = 1.0L / zoom_;
    const TPoint3D c = ProjectionCenter();
    if (IsOrthogonal()) {
        x = PixelRoundAt((static_cast<long double>(x) - originX_) * q - z * static_cast<long double>(orthoStepX_), c.X);
        y = PixelRoundAt((static_cast<long double>(y) - originY_) * q + z * static_cast<long double>(orthoStepY_), c.Y);
        return;
    }
    if (projectionOn_ && k3_ != 0 && k2_ != 0) {
        const long double dz = static_cast<long double>(z) - c.Z;
        const long double sx = x;
        x = PixelRoundAt(((sx - originX_) * q - dz * k5_ - (static_cast<long double>(y) - c.Y) * k1_) / k3_, c.X);
        y = PixelRoundAt(((static_cast<long double>(y) - originY_) * q - dz * k6_ - (sx - c.X) * k4_) / k2_, c.Y);
    }
}

void TZebCanvas3D::SaveAndClearProjection()
{
    savedProjection_ = projectionOn_;
    projectionOn_ = false;
}

void TZebCanvas3D::RestoreProjection() { projectionOn_ = savedProjection_; }
