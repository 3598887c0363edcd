// Pens, brushes and gradients of the antialiased canvas: the chart pen becomes one cached layer pen
// (dashes, caps, joins, an optional gradient fill); every fill makes a fresh brush: gradient,
// picture texture, class-library pattern, hatch or solid.
#include <algorithm>
#include <cmath>

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiPlus.h"

namespace {

TFloatRect boundsOf(std::span<const TPointFloat> points)
{
    if (points.empty()) return {};
    TFloatRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPointFloat& p : points) {
        r.Left = std::min(r.Left, p.X), r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X), r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

TFloatRect inflated(TFloatRect r, float by) { return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by}; }

// A picture as a layer bitmap: bitmaps directly, other graphics drawn into one first.
std::unique_ptr<TGPBitmap> layerBitmap(TGraphic& graphic)
{
    if (const auto* bitmap = dynamic_cast<TBitmap*>(&graphic)) return std::make_unique<TGPBitmap>(*bitmap);
    TBitmap drawn;
    TZebPicture::CopyGraphicToBitmap(graphic, drawn);
    return std::make_unique<TGPBitmap>(drawn);
}

}  // namespace

// ---- pens ----

TGDIPlusCanvas::TPenKey TGDIPlusCanvas::penKey() const
{
    const TZebPen& pen = *Pen();
    return {color(pen.Color()), pen.Width(),   GPDashStyle(pen), static_cast<int>(pen.EndStyle()),
            GPLineJoin(pen),    pen.Visible(), pen.HasGradientFill()};
}

void TGDIPlusCanvas::ApplyPen()
{
    if (gpPen_ && !penFill_ && !gpPenKey_.Gradient && penKey() == gpPenKey_) return;
    flushRun();
    gpPen_.reset();
    penFill_.reset();
}

bool TGDIPlusCanvas::PreparePen()
{
    TZebPen& pen = *Pen();
    if (!pen.Visible() || pen.Style() == psClear) return false;
    if (!gpPen_) {
        gpPen_ = std::make_unique<TGPPen>(color(pen.Color()), 1.0f, UnitWorld);
        gpPen_->SetWidth(static_cast<float>(pen.Width()));
        const int dash = GPDashStyle(pen);
        if (dash >= 0) gpPen_->SetDashStyle(static_cast<TGPDashStyle>(dash));
        const TGPCaps caps = GPCapsOf(pen);
        gpPen_->SetLineCap(static_cast<TGPLineCap>(caps.Start), static_cast<TGPLineCap>(caps.End),
                           static_cast<TGPDashCap>(caps.Dash));
        gpPen_->SetLineJoin(static_cast<TGPLineJoin>(GPLineJoin(pen)));
        gpPenKey_ = penKey();
    }
    setSmoothingForPen(GPPenSmoothing(pen, antiAlias_));
    return true;
}

void TGDIPlusCanvas::PenFillForRect(const TFloatRect& extent)
{
    TZebPen& pen = *Pen();
    if (!gpPen_ || !pen.HasGradientFill()) return;
    TFloatRect r = extent;
    if (pen.Width() == 0 || pen.Width() % 2 == 1) r.Top -= 1;
    r = inflated(r, pen.Width() / 2.0f);
    penFill_ = gradientBrushForRect(*pen.Fill()->Gradient(), r);
    if (penFill_) gpPen_->SetBrush(*penFill_);
}

void TGDIPlusCanvas::PenFillForPoints(std::span<const TPointFloat> points, bool wholeWidth)
{
    TZebPen& pen = *Pen();
    if (!gpPen_ || !pen.HasGradientFill() || points.empty()) return;
    const float by = wholeWidth ? static_cast<float>(pen.Width()) : pen.Width() / 2.0f;
    penFill_ = gradientBrushForRect(*pen.Fill()->Gradient(), inflated(boundsOf(points), by));
    if (penFill_) gpPen_->SetBrush(*penFill_);
}

// ---- brushes ----

void TGDIPlusCanvas::ApplyBrush(TBrush& brush)
{
    auto* zeb = &brush == Brush() ? Brush() : dynamic_cast<TZebBrush*>(&brush);
    const TColor back = zeb ? zeb->BackColor() : clNone;
    if (back == clNone || brush.Style() == bsClear) {
        SetBackgroundMode(TRANSPARENT);
    } else if (brush.Style() != bsSolid) {
        SetBackgroundMode(OPAQUE);
        SetBackgroundColor(back);
    }
}

TGPBrush* TGDIPlusCanvas::replaceFillBrush(std::unique_ptr<TGPBrush> brush)
{
    fillBrush_ = std::move(brush);
    return fillBrush_.get();
}

TGPBrush* TGDIPlusCanvas::BrushForRect(const TFloatRect& rect)
{
    if (Brush()->Style() == bsClear) return nullptr;
    if (HasBrushGradient()) {
        if (!gradientPolygon_.empty()) return BrushForPoints({});
        return replaceFillBrush(gradientBrushForRect(*Brush()->Gradient(), rect));
    }
    return PlainBrush();
}

TGPBrush* TGDIPlusCanvas::BrushForPoints(std::span<const TPointFloat> points)
{
    if (Brush()->Style() == bsClear) return nullptr;
    if (!HasBrushGradient()) return PlainBrush();
    const std::span<const TPointFloat> shape = gradientPolygon_.empty() ? points : gradientPolygon_;
    return replaceFillBrush(gradientBrushForPoints(*Brush()->Gradient(), shape));
}

TGPBrush* TGDIPlusCanvas::PlainBrush()
{
    TZebBrush& brush = *Brush();
    TGraphic* texture = nullptr;
    if (brush.HasImage())
        texture = brush.Image()->GetFilteredGraphic();
    else if (brush.Bitmap() && !brush.Bitmap()->Empty())
        texture = brush.Bitmap();
    if (texture) {
        const auto image = layerBitmap(*texture);
        if (alpha_ == 255) return replaceFillBrush(std::make_unique<TGPTextureBrush>(*image, WrapModeTile));
        const auto attributes = AlphaImageAttributes(alpha_);
        auto textureBrush = std::make_unique<TGPTextureBrush>(*image, attributes.get(), 0.0f, 0.0f,
                                                              static_cast<float>(image->GetWidth()),
                                                              static_cast<float>(image->GetHeight()));
        textureBrush->SetWrapMode(WrapModeTile);
        return replaceFillBrush(std::move(textureBrush));
    }
    if (brush.Style() != bsSolid)
        return replaceFillBrush(
            std::make_unique<TGPHatchBrush>(static_cast<TGPHatchStyle>(GPHatchStyle(brush, brush.HatchStyle())),
                                            color(brush.Color()), color(brush.BackColor())));
    // A solid brush is kept and recoloured: solids fill many faces one after the other.
    if (auto* solid = dynamic_cast<TGPSolidBrush*>(fillBrush_.get())) {
        solid->SetColor(color(brush.Color()));
        return solid;
    }
    return replaceFillBrush(std::make_unique<TGPSolidBrush>(color(brush.Color())));
}

// ---- gradients ----

namespace {
void presetBlend(TGPLinearGradientBrush& brush, const TGPBlend& blend)
{
    if (!blend.Colors.empty())
        brush.SetPresetBlend(blend.Colors.data(), blend.Positions.data(), static_cast<int>(blend.Colors.size()));
}
void presetBlend(TGPPathGradientBrush& brush, const TGPBlend& blend)
{
    if (!blend.Colors.empty())
        brush.SetPresetBlend(blend.Colors.data(), blend.Positions.data(), static_cast<int>(blend.Colors.size()));
}
}  // namespace

std::unique_ptr<TGPBrush> TGDIPlusCanvas::gradientBrushForRect(TCustomZebGradient& gradient, const TFloatRect& rect)
{
    const TGradientDirection direction = gradient.Direction();
    const TGPBlend blend = GPPresetBlend(gradient, alpha_);
    if (GPGradientIsPath(direction)) {
        TGPGraphicsPath path;
        TFloatRect r = rect;
        if (direction == gdFromCenter) {
            path.AddRectangle(MakeRect(r.Left, r.Top, r.Right - r.Left + 1, r.Bottom - r.Top + 1));
        } else {
            r = GPRadialBounds(rect);
            path.AddEllipse(r.Left - 1, r.Top - 1, r.Right - r.Left + 2, r.Bottom - r.Top + 2);
        }
        auto brush = std::make_unique<TGPPathGradientBrush>(path);
        brush->SetCenterPoint(MakePoint((r.Left + r.Right) / 2 + static_cast<float>(gradient.RadialX()),
                                        (r.Top + r.Bottom) / 2 + static_cast<float>(gradient.RadialY())));
        presetBlend(*brush, blend);
        return brush;
    }
    std::uint32_t c1 = 0, c2 = 0;
    GPLinearColors(gradient, alpha_, c1, c2);
    const TGPRectF box = MakeRect(rect.Left, rect.Top, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1);
    std::unique_ptr<TGPLinearGradientBrush> brush;
    if (gradient.Angle() == 0)
        brush = std::make_unique<TGPLinearGradientBrush>(box, c1, c2,
                                                         static_cast<TGPLinearGradientMode>(GPLinearMode(direction)));
    else
        brush = std::make_unique<TGPLinearGradientBrush>(box, c1, c2, GPLinearAngle(direction, gradient.Angle()));
    if (blend.Colors.size() > 2) presetBlend(*brush, blend);
    return brush;
}

std::unique_ptr<TGPBrush> TGDIPlusCanvas::gradientBrushForPoints(TCustomZebGradient& gradient,
                                                                 std::span<const TPointFloat> points)
{
    if (points.empty()) return nullptr;
    const TGradientDirection direction = gradient.Direction();
    TFloatRect b = boundsOf(points);
    if (!GPGradientIsPath(direction)) {
        // The linear brush over the bounds, without the added unit of a rectangle's.
        b.Right -= 1, b.Bottom -= 1;
        return gradientBrushForRect(gradient, b);
    }
    TGPGraphicsPath path;
    if (direction == gdFromCenter) {
        path.AddRectangle(MakeRect(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top));
    } else {
        const auto dx = static_cast<float>(RoundHalfEven((b.Right - b.Left) / 4));
        const auto dy = static_cast<float>(RoundHalfEven((b.Bottom - b.Top) / 4));
        path.AddEllipse(b.Left - dx, b.Top - dy, b.Right - b.Left + 2 * dx, b.Bottom - b.Top + 2 * dy);
    }
    auto brush = std::make_unique<TGPPathGradientBrush>(path);
    if (gradient.RadialX() != 0 || gradient.RadialY() != 0) {
        TPoint c;
        brush->GetCenterPointI(c);
        brush->SetCenterPointI({c.X + gradient.RadialX(), c.Y + gradient.RadialY()});
    }
    presetBlend(*brush, GPPresetBlend(gradient, alpha_));
    return brush;
}

// The balance bends the GDI-style ramp only; here the ramp stays linear.
void TGDIPlusCanvas::FillRectGradient(const TRect& rect, TColor startColor, TColor endColor,
                                      TGradientDirection direction, int balance, int radialX, int radialY)
{
    TZebGradient gradient;
    gradient.SetVisible(true);
    gradient.SetStartColor(startColor);
    gradient.SetEndColor(endColor);
    gradient.SetDirection(direction);
    gradient.SetBalance(balance);
    gradient.SetRadialX(radialX);
    gradient.SetRadialY(radialY);
    if (!GetGraphics()) return;
    TRect r = rect;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    TGPBrush* brush = replaceFillBrush(
        gradientBrushForRect(gradient, {static_cast<float>(r.Left), static_cast<float>(r.Top),
                                        static_cast<float>(r.Right), static_cast<float>(r.Bottom)}));
    if (brush) graphics_->FillRectangleI(*brush, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}
