// Gradient fills painted as pattern-blit bands of the DC brush, and clips on device regions.
#include <algorithm>
#include <cmath>

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiConsts.h"

namespace {

// The colour ramp of one fill: colour i of 0 .. n.
class TColorRamp {
public:
    TColorRamp(HDC dc, TColor start, TColor end, int balance) : dc_(dc), balance_(balance), saved_(dc->GetBrush())
    {
        const auto s = static_cast<std::uint32_t>(start), e = static_cast<std::uint32_t>(end);
        for (int c = 0; c < 3; ++c) {
            c0_[c] = static_cast<int>((s >> (8 * c)) & 0xFF);
            d_[c] = static_cast<int>((e >> (8 * c)) & 0xFF) - c0_[c];
        }
    }
    ~TColorRamp() { dc_->SelectBrush(saved_); }
    TColorRamp(const TColorRamp&) = delete;
    TColorRamp& operator=(const TColorRamp&) = delete;

    void SetSteps(int n) { n_ = std::max(1, n); }
    TColor Color(int i) const
    {
        std::uint32_t rgb = 0;
        for (int c = 0; c < 3; ++c) {
            int v;
            if (balance_ == 50) {
                v = c0_[c] + i * d_[c] / n_;
            } else {
                const double x = std::pow(static_cast<double>(i + 1) / (n_ + 1), balance_ / 100.0 + 0.5);
                v = c0_[c] + PixelRound(d_[c] * x);
            }
            rgb |= static_cast<std::uint32_t>(std::clamp(v, 0, 255)) << (8 * c);
        }
        return static_cast<TColor>(rgb);
    }
    // Selects colour i unless it is the one selected last.
    void Use(int i)
    {
        const TColor c = Color(i);
        if (c == last_) return;
        last_ = c;
        dc_->SetDCBrushColor(c);
    }
    void Band(int x, int y, int w, int h) const
    {
        if (w > 0 && h > 0) dc_->PatBlt(x, y, w, h, PATCOPY);
    }

private:
    HDC dc_;
    int balance_;
    TLogBrush saved_;
    int c0_[3] = {}, d_[3] = {};
    int n_ = 1;
    TColor last_ = clNone;
};

constexpr int MaxDiagonalArea = 0x4000000;

TColor Grey(TColor color)
{
    if (color == clNone) return color;
    const auto v = static_cast<std::uint32_t>(TZebCanvas::ResolveColor(color));
    const std::uint32_t g = ((v & 0xFF) + ((v >> 8) & 0xFF) + ((v >> 16) & 0xFF)) / 3;
    return static_cast<TColor>(g | (g << 8) | (g << 16));
}

}  // namespace

void TZebCanvas3D::FillRectGradient(const TRect& rect, TColor startColor, TColor endColor, TGradientDirection direction,
                                    int balance, int radialX, int radialY)
{
    TRect r = rect;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    const int w = r.Right - r.Left, h = r.Bottom - r.Top;
    TColor start = ResolveColor(startColor), end = ResolveColor(endColor);
    if (direction == gdRadial) {
        TCustomZebGradient radial;
        radial.SetDirection(gdRadial);
        radial.SetStartColor(start);
        radial.SetEndColor(end);
        radial.SetBalance(balance);
        radial.SetRadialX(radialX);
        radial.SetRadialY(radialY);
        radial.DrawRadialEllipses(*this, r);
        return;
    }
    if (direction != gdTopBottom && direction != gdLeftRight && direction != gdDiagonalUp &&
        direction != gdDiagonalDown)
        std::swap(start, end);

    HDC d = dc();
    TColorRamp ramp(d, start, end, balance);
    switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
    case gdLeftRight:
    case gdRightLeft: {
        const bool rows = direction == gdTopBottom || direction == gdBottomTop;
        const int size = rows ? h : w;
        const int m = std::min(size, 256);
        if (m - 1 <= 0) return;
        ramp.SetSteps(m - 1);
        // The first colour lies on the bottom (right) edge.
        for (int k = 0; k < m; ++k) {
            const int c0 = static_cast<int>(static_cast<long long>(k) * size / m);
            const int c1 = static_cast<int>(static_cast<long long>(k + 1) * size / m);
            ramp.Use(k);
            if (rows)
                ramp.Band(r.Left, r.Bottom - c1, w, c1 - c0);
            else
                ramp.Band(r.Right - c1, r.Top, c1 - c0, h);
        }
        return;
    }
    case gdFromCenter: {
        const int a = w / 2, b = h / 2;
        ramp.SetSteps(a + b);
        int c = 0, dd = 0;
        do {
            ramp.Use(c + dd);
            ramp.Band(r.Left + dd, r.Top + c, 1, h - 2 * c);
            ramp.Band(r.Right - dd - 1, r.Top + c, 1, h - 2 * c);
            ramp.Band(r.Left + dd, r.Top + c, w - 2 * dd, 1);
            ramp.Band(r.Left + dd, r.Bottom - c - 1, w - 2 * dd, 1);
            if (c < b) ++c;
            if (dd < a) ++dd;
        } while (c < b || dd < a);
        // An odd side leaves a middle line the rings do not reach.
        ramp.Use(c + dd);
        ramp.Band(r.Left + dd, r.Top + c, w - 2 * dd, h - 2 * c);
        return;
    }
    case gdFromTopLeft:
    case gdFromBottomLeft: {
        // L-shaped bands around the corner, band t being a column and a row t pixels from it.
        const bool top = direction == gdFromTopLeft;
        ramp.SetSteps(w + h);
        for (int t = 0; t < std::max(w, h); ++t) {
            ramp.Use(std::min(2 * t, w + h));
            const int extent = std::min(t + 1, h);
            if (t < w) ramp.Band(r.Left + t, top ? r.Top : r.Bottom - extent, 1, extent);
            if (t < h) ramp.Band(r.Left, top ? r.Top + t : r.Bottom - 1 - t, std::min(t + 1, w), 1);
        }
        return;
    }
    case gdDiagonalUp:
    case gdDiagonalDown: {
        if (static_cast<long long>(w) * h > MaxDiagonalArea) return;
        const bool up = direction == gdDiagonalUp;
        int rt = r.Top, rb = r.Bottom;
        if (!up) --rt, --rb;
        TPoint a{r.Left, up ? rb : rt}, b = a;
        const int s = w + h;
        const int n = std::max(1, std::min(255, s - 1));
        ramp.SetSteps(n);
        const TLogPen saved = d->GetPen();
        const int rop = d->SetROP2(R2_COPYPEN);
        for (int k = 0; k < s; ++k) {
            d->SelectPen({PS_SOLID, 1, ramp.Color(static_cast<int>(static_cast<long long>(k) * n / s)), {}});
            d->MoveTo(a.X, a.Y);
            d->LineTo(b.X, b.Y);
            if (b.X < r.Right)
                ++b.X;
            else if (up ? b.Y > rt : b.Y < rb)
                b.Y += up ? -1 : 1;
            if (up ? a.Y > rt : a.Y < rb)
                a.Y += up ? -1 : 1;
            else if (a.X < r.Right)
                ++a.X;
        }
        d->SetROP2(rop);
        d->SelectPen(saved);
        return;
    }
    default: return;
    }
}

void TZebCanvas3D::PaintGradient(TCustomZebGradient& gradient, const TRect& rect)
{
    if (gradient.Angle() != 0) {
        gradient.DrawRotated(*this, rect);
        return;
    }
    TColor start = gradient.StartColor(), mid = gradient.MidColor(), end = gradient.EndColor();
    if (GetMonochromeMode()) start = Grey(start), mid = Grey(mid), end = Grey(end);
    const TGradientDirection dir = gradient.Direction();
    if (dir == gdRadial) {
        FillRectGradient(rect, start, end, gdRadial, gradient.Balance(), gradient.RadialX(), gradient.RadialY());
        return;
    }
    if (mid != clNone && dir != gdDiagonalUp && dir != gdDiagonalDown) {
        const int midRow = (rect.Top + rect.Bottom) / 2, midCol = (rect.Left + rect.Right) / 2;
        const TRect upper{rect.Left, rect.Top, rect.Right, midRow}, lower{rect.Left, midRow, rect.Right, rect.Bottom};
        const TRect left{rect.Left, rect.Top, midCol, rect.Bottom}, right{midCol, rect.Top, rect.Right, rect.Bottom};
        switch (dir) {
        case gdTopBottom:
            FillRectGradient(upper, mid, end, dir, 50, 0, 0);
            FillRectGradient(lower, start, mid, dir, 50, 0, 0);
            return;
        case gdBottomTop:
            FillRectGradient(upper, start, mid, dir, 50, 0, 0);
            FillRectGradient(lower, mid, end, dir, 50, 0, 0);
            return;
        case gdLeftRight:
            FillRectGradient(left, mid, end, dir, 50, 0, 0);
            FillRectGradient(right, start, mid, dir, 50, 0, 0);
            return;
        case gdRightLeft:
            FillRectGradient(left, start, mid, dir, 50, 0, 0);
            FillRectGradient(right, mid, end, dir, 50, 0, 0);
            return;
        default: FillRectGradient(rect, start, end, dir, 50, 0, 0); return;
        }
    }
    FillRectGradient(rect, start, end, dir, gradient.Balance(), 0, 0);
}

// ---- clipping (regions in device units) ----

namespace {
TRect DeviceRect(HDC dc, const TRect& r)
{
    const TPoint a = dc->LPtoDP(r.TopLeft()), b = dc->LPtoDP(r.BottomRight());
    return {a.X, a.Y, b.X, b.Y};
}
}  // namespace

TObject* TZebCanvas3D::BeginElement(const String& name, TObject* owner, TZebTransform* transform)
{
    (void)name;
    TElementMapping saved;
    HDC context = dc();
    // Over a plain mapping only: logical (x, y) lands on (x - C) * S + C + T, then as before.
    if (transform && transform->Enabled && context && context->GetMapMode() == MM_TEXT) {
        const TZebTransform& t = *transform;
        constexpr int extent = 10000;
        const auto scaled = [](float scale) {
            return std::isfinite(scale) ? std::max(1, static_cast<int>(std::lround(extent * scale))) : extent;
        };
        const auto whole = [](float value) { return std::isfinite(value) ? static_cast<int>(std::lround(value)) : 0; };
        saved = {true, t.Clip, context->GetWindowOrg(), context->GetViewportOrg()};
        if (t.Clip) ClipToRect(t.Bounds);
        const TPoint center{whole(t.CenterX), whole(t.CenterY)};
        context->SetMapMode(MM_ANISOTROPIC);
        context->SetWindowExt({extent, extent});
        context->SetViewportExt({scaled(t.ScaleX), scaled(t.ScaleY)});
        context->SetWindowOrg(center);
        context->SetViewportOrg({center.X + whole(t.TranslateX) - saved.windowOrg.X + saved.viewportOrg.X,
                                 center.Y + whole(t.TranslateY) - saved.windowOrg.Y + saved.viewportOrg.Y});
    }
    elementMappings_.push_back(saved);
    return owner;
}

void TZebCanvas3D::EndElement()
{
    if (elementMappings_.empty()) return;
    const TElementMapping saved = elementMappings_.back();
    elementMappings_.pop_back();
    HDC context = dc();
    if (!saved.applied || !context) return;
    context->SetMapMode(MM_TEXT);
    context->SetWindowOrg(saved.windowOrg);
    context->SetViewportOrg(saved.viewportOrg);
    if (saved.clipped) RemoveClip();
}

void TZebCanvas3D::ClipToRect(const TRect& rect)
{
    HDC d = dc();
    PushClipRegion(d, TRegion::FromRect(DeviceRect(d, rect)), RGN_AND);
}

void TZebCanvas3D::ClipToRoundRect(const TRect& rect, int cornerWidth, int cornerHeight)
{
    HDC d = dc();
    PushClipRegion(d, TRegion::FromRoundRect(DeviceRect(d, rect), cornerWidth, cornerHeight), RGN_AND);
}

void TZebCanvas3D::ClipToEllipse(const TRect& rect, bool exclusive)
{
    HDC d = dc();
    if (exclusive)
        PushClipRegion(d, TRegion::FromEllipse(rect), RGN_XOR);
    else
        PushClipRegion(d, TRegion::FromEllipse(DeviceRect(d, rect)), RGN_AND);
}

void TZebCanvas3D::ClipToPolygon(std::span<const TPoint> points, bool exclude)
{
    if (points.empty()) return;
    HDC d = dc();
    std::vector<TPoint> device(points.begin(), points.end());
    for (TPoint& p : device) p = d->LPtoDP(p);
    PushClipRegion(d, TRegion::FromPolygon(device.data(), static_cast<int>(device.size()), ALTERNATE),
                   exclude ? RGN_DIFF : RGN_AND);
}

void TZebCanvas3D::ClipToBox(const TRect& rect, int z0, int z1)
{
    if (projectionOn_) {
        std::vector<TPoint> outline;
        if (BoxOutline(rect, z0, z1, outline)) ClipToPolygon(outline, false);
        return;
    }
    ClipToRect({rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1});
}

void TZebCanvas3D::RemoveClip() { PopClipRegion(dc()); }
