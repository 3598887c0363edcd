#include "chart/canvas/ZebCanvas3D.h"

#include <cmath>
#include <limits>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiConsts.h"

TV_PUBLISHED(TZebCanvas3D) {}

int PixelRound(long double value)
{
    if (std::isnan(value)) return 0;
    constexpr long double lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    if (value <= lo) return std::numeric_limits<int>::min();
    if (value >= hi) return std::numeric_limits<int>::max();
    // rint rounds as nearbyint does, without saving and restoring the floating-point environment.
    return static_cast<int>(std::rint(value));
}

int PixelRoundAt(long double value, long double offset)
{
    if (std::isnan(value)) return PixelRound(offset);
    return PixelRound(std::rint(value) + offset);
}

TZebCanvas3D::TZebCanvas3D()
{
    SetFontZoom(100.0);
    SetFontZoomActive(true);
}

TZebCanvas3D::~TZebCanvas3D() = default;

void TZebCanvas3D::SelectPen(TZebPen& pen, TColor color)
{
    if (!penSelected(pen, color)) TZebCanvas::SelectPen(pen, color);
}

bool TZebCanvas3D::penSelected(const TZebPen& pen, TColor color) const
{
    TCanvas* const target = TargetCanvas();
    const TZebPen& mine = *Pen();
    if (!target || IsTrue3D() || !pen.Visible() || pen.SmallDots() || pen.HasFill() || pen.Width() < 2 ||
        pen.Style() != psSolid || pen.EndStyle() != esRound || pen.JoinStyle() != jsRound)
        return false;
    if (GetMonochromeMode()) color = clBlack;
    const auto same = [&](const TPen& p) {
        return p.Color() == color && p.Width() == pen.Width() && p.Style() == pen.Style() && p.Mode() == pen.Mode();
    };
    if (!mine.Visible() || mine.SmallDots() || mine.SmallSpace() != pen.SmallSpace() || mine.HasFill() ||
        mine.EndStyle() != esRound || mine.JoinStyle() != jsRound || !same(mine) || !same(*target->Pen()))
        return false;
    // What the canvas selects on the context for such a pen.
    const TLogPen wide{PS_GEOMETRIC | PS_ENDCAP_ROUND | PS_JOIN_ROUND | PS_SOLID, pen.Width(), color, {}};
    return target->Handle()->GetPen() == wide;
}

// ---- binding and attributes ----

void TZebCanvas3D::BindCanvas(TCanvas* target)
{
    TCanvas3D::BindCanvas(target);
    if (!target) return;
    ApplyFont();
    ApplyPen();
    ApplyBrush(*Brush());
}

HDC TZebCanvas3D::GetDeviceContext() { return TargetCanvas() ? TargetCanvas()->Handle() : nullptr; }

TColor TZebCanvas3D::GetBackgroundColor() const
{
    return static_cast<TColor>(const_cast<TZebCanvas3D*>(this)->dc()->GetBkColor());
}

TBkMode TZebCanvas3D::GetBackgroundMode() const
{
    return static_cast<TBkMode>(const_cast<TZebCanvas3D*>(this)->dc()->GetBkMode());
}

TTextAlign TZebCanvas3D::GetTextAlignment() const
{
    return static_cast<TTextAlign>(const_cast<TZebCanvas3D*>(this)->dc()->GetTextAlign());
}

void TZebCanvas3D::SetBackgroundColor(TColor color) { dc()->SetBkColor(color); }

void TZebCanvas3D::SetBackgroundMode(TBkMode mode) { dc()->SetBkMode(mode); }

void TZebCanvas3D::SetTextAlignment(TTextAlign align) { dc()->SetTextAlign(align); }

TColor TZebCanvas3D::GetPixelColor(int x, int y) { return static_cast<TColor>(dc()->GetPixel(x, y)); }

void TZebCanvas3D::SetPixelColor(int x, int y, TColor color) { dc()->SetPixel(x, y, color); }

void TZebCanvas3D::MoveTo(int x, int y) { dc()->MoveTo(x, y); }

void TZebCanvas3D::LineTo(int x, int y) { dc()->LineTo(x, y); }

void TZebCanvas3D::CacheDeviceContext(bool cache) { cachedDC_ = cache ? dc() : nullptr; }

// Without a remembered device the current one draws, rather than a stale or null handle.
void TZebCanvas3D::LineToCached(int x, int y) { (cachedDC_ ? cachedDC_ : dc())->LineTo(x, y); }

bool TZebCanvas3D::SelectStockDCBrush()
{
    // The device context always has a DC brush colour.
    dc()->SetDCBrushColor(Brush()->Color());
    return true;
}

// Windows are painted only in paint events, so inverted drawing goes into the buffer and the
// window is refreshed from it; without a buffer the caller repaints in full.
bool TZebCanvas3D::CanDrawInverted() const { return buffered_ && buffer_ != nullptr; }

void TZebCanvas3D::SetMonochromeMode(bool value)
{
    if (!AssignIfChanged(monochrome_, value)) return;
    bufferStale_ = true;
    if (View3DOptions()) View3DOptions()->Changed();
}

TColor TZebCanvas3D::GetPixelAtZ(int x, int y, int z)
{
    const TPoint p = ProjectXYZ(x, y, z);
    return GetPixelColor(p.X, p.Y);
}

void TZebCanvas3D::SetPixelAtZ(int x, int y, int z, TColor color)
{
    const TPoint p = ProjectXYZ(x, y, z);
    if (Pen()->Width() <= 1) {
        SetPixelColor(p.X, p.Y, color);
        return;
    }
    // A dot of the pen's width: the wide pen's line of no length.
    MoveTo(p.X, p.Y);
    LineTo(p.X, p.Y);
}

// ---- buffer ----

void TZebCanvas3D::SetBufferBitmap(std::unique_ptr<TBitmap> bitmap) { buffer_ = std::move(bitmap); }

void TZebCanvas3D::FreeBufferBitmap() { buffer_.reset(); }

void TZebCanvas3D::SetBuffered(bool value)
{
    if (!AssignIfChanged(buffered_, value)) return;
    if (!buffer_) return;
    if (!value) {
        if (externalDrawing_) return;
        FreeBufferBitmap();
        TCanvas3D::BindCanvas(nullptr);
        bufferStale_ = true;
    } else {
        BindCanvas(buffer_->Canvas());
    }
}

void TZebCanvas3D::BlitBuffer(int x, int y, TCanvas& canvas)
{
    if (!buffer_) return;
    canvas.Handle()->BitBlt(x, y, buffer_->Width(), buffer_->Height(), *buffer_->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TZebCanvas3D::FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect)
{
    if (buffered_ && buffer_ && destination) {
        BlitBuffer(rect.Left, rect.Top, *destination);
        bufferStale_ = false;
    }
    BindCanvas(next);
}

bool TZebCanvas3D::RepaintFromBuffer()
{
    if (bufferStale_) return false;
    if (TargetCanvas()) BlitBuffer(0, 0, *TargetCanvas());
    return true;
}

bool TZebCanvas3D::CopyBufferTo(TGraphic*& graphic, const TRect& rect)
{
    if (bufferStale_ || !buffered_ || !buffer_) return false;
    if (rect != TRect{0, 0, buffer_->Width(), buffer_->Height()}) return false;
    if (!graphic) return false;
    graphic->Assign(buffer_.get());
    return true;
}

TRect TZebCanvas3D::PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                                const TRect& bounds)
{
    (void)background;
    SetDrawBounds(bounds);
    SetView3DOptions(options);
    if (options) {
        SetFontZoom(options->FontZoom());
        SetFontZoomActive(options->ZoomText() != ztNo);
    }
    projectionOn_ = is3D;
    SetOrthogonal(false);
    zoom_ = 1.0;
    if (is3D && options) {
        SetOrthogonal(options->Orthogonal());
        if (IsOrthogonal()) {
            long double a = options->OrthoAngle();
            if (a > 90) {
                orthoStepX_ = -1.0;
                a = 180 - a;
            } else {
                orthoStepX_ = 1.0;
            }
            const long double rad = a * 0.017453292519943295L;
            orthoStepY_ = std::cos(rad) < 0.01L ? 1.0 : static_cast<double>(std::sin(rad) / std::cos(rad));
        }
    }
    if (is3D) CalcRotationTerms();

    TRect drawRect = bounds;
    if (buffered_) {
        const int w = bounds.Right - bounds.Left, h = bounds.Bottom - bounds.Top;
        if (!buffer_)
            buffer_ = std::make_unique<TBitmap>(w, h, pf32bit);
        else if (buffer_->Width() != w || buffer_->Height() != h)
            buffer_->SetSize(w, h);
        buffer_->Canvas()->SetOnChange({});
        buffer_->Canvas()->SetOnChanging({});
        BindCanvas(buffer_->Canvas());
        drawRect = {0, 0, w, h};
    } else {
        BindCanvas(target);
    }
    if (TargetCanvas()) SetBackgroundMode(OPAQUE);
    return drawRect;
}
