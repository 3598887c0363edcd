// The antialiased canvas's surface: the layer's graphics on the buffer or the bound device,
// supersampling, smoothing and text-quality settings, transparent sections as alpha, and element
// transforms.
#include "chart/canvas/GDIPlusCanvas.h"

#include <cmath>

#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiPlus.h"

TV_PUBLISHED(TGDIPlusCanvas) {}

TGDIPlusCanvas::TGDIPlusCanvas() : companion_(std::make_unique<TZebCanvas3D>())
{
    StartGdiPlus();
    SetTextQuality(TZebFontQuality::fqDefault);
    SetSupportsAlpha(true);
    SetNoTextAlignFix(true);
    companion_->SetBuffered(false);
    if (IsAvailable()) GetGraphics();
}

TGDIPlusCanvas::~TGDIPlusCanvas()
{
    flushRun();
    fillBrush_.reset();
    gpPen_.reset();
    penFill_.reset();
    gpFont_.reset();
    elements_.clear();
    graphics_.reset();
}

bool TGDIPlusCanvas::IsAvailable() const { return GdiPlusAvailable(); }

bool JoinLineSegments = true;

// Whatever draws on the device directly comes after the lines still pending.
HDC TGDIPlusCanvas::GetDeviceContext()
{
    flushRun();
    return TZebCanvas3D::GetDeviceContext();
}

// ---- surface ----

void TGDIPlusCanvas::makeGraphicsOn(HDC dc)
{
    auto graphics = std::make_unique<TGPGraphics>(dc);
    const int status = graphics->GetLastStatus();
    if (status != 0) RaiseGdiPlusStatus(status);
    graphics_ = std::move(graphics);
    applySmoothing(antiAlias_);
    sendTextHint(TextQuality(), Font()->SizeFloat());
    graphics_->SetPageUnit(UnitPixel);
}

void TGDIPlusCanvas::freeGraphics()
{
    flushRun();
    elements_.clear();
    clips_.clear();
    clip_.reset();
    graphics_.reset();
}

TGPGraphics* TGDIPlusCanvas::GetGraphics()
{
    if (!pendingRun_.empty()) flushRun();
    if (!graphics_) {
        if (GetBuffered()) {
            if (!BufferBitmap()) SetBufferBitmap(std::make_unique<TBitmap>(1, 1, pf32bit));
            makeGraphicsOn(BufferBitmap()->Canvas()->Handle());
        } else if (TargetCanvas()) {
            makeGraphicsOn(GetDeviceContext());
        }
    }
    if (graphics_ && !gpFont_) ApplyFont();
    return graphics_.get();
}

// A graphics made for another device (or another buffer) is made again.
void TGDIPlusCanvas::revalidateGraphics()
{
    if (graphics_) {
        HDC dc = graphics_->GetHDC();
        graphics_->ReleaseHDC(dc);
        const HDC wanted = GetBuffered() && BufferBitmap() ? BufferBitmap()->Canvas()->Handle() : GetDeviceContext();
        if (dc != wanted) freeGraphics();
    }
    GetGraphics();
}

TRect TGDIPlusCanvas::PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                                  const TRect& bounds)
{
    TRect scaled = bounds;
    if (scale_ != 1) {
        // The frame is laid out Scale times larger from the same origin; FlushBuffer shrinks it
        // back into the bounds.
        scaled.Right = bounds.Left + PixelRound((bounds.Right - bounds.Left) * static_cast<double>(scale_));
        scaled.Bottom = bounds.Top + PixelRound((bounds.Bottom - bounds.Top) * static_cast<double>(scale_));
    }
    if (graphics_ && GetBuffered()) freeGraphics();  // the buffer may be resized below
    const TRect drawRect = TZebCanvas3D::PrepareView(target, options, background, is3D, scaled);
    x_ = y_ = 0;
    z_ = 0;
    revalidateGraphics();
    TCanvas* companionTarget = target;
    if (GetBuffered() && BufferBitmap()) companionTarget = BufferBitmap()->Canvas();
    companion_->PrepareView(companionTarget, options, background, is3D, drawRect);
    companion_->BindCanvas(companionTarget);
    if (Transform() && Transform()->Enabled) {
        FillRectangle(drawRect);
        if (graphics_) applyTransform(*Transform());
    }
    return drawRect;
}

void TGDIPlusCanvas::FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect)
{
    freeGraphics();  // the painter lets go of the buffer before it is copied
    TBitmap* buffer = BufferBitmap();
    if (scale_ > 1 && GetBuffered() && buffer && destination) {
        const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
        if (w > 0 && h > 0) {
            TBitmap shrunk(w, h, pf32bit);
            StretchBitmapSmooth(*buffer, shrunk);
            destination->Handle()->BitBlt(rect.Left, rect.Top, w, h, *shrunk.Canvas()->Handle(), 0, 0, SRCCOPY);
        }
        TZebCanvas3D::FlushBuffer(nullptr, next, rect);
    } else {
        TZebCanvas3D::FlushBuffer(destination, next, rect);
    }
    if (GetBuffered() && TargetCanvas()) makeGraphicsOn(GetDeviceContext());
    companion_->BindCanvas(TargetCanvas());
}

void TGDIPlusCanvas::SetBuffered(bool value)
{
    if (value == GetBuffered()) return;
    freeGraphics();
    TZebCanvas3D::SetBuffered(value);
    if (View3DOptions() && TargetCanvas()) makeGraphicsOn(GetDeviceContext());
}

void TGDIPlusCanvas::BindCanvas(TCanvas* target)
{
    if (graphics_ && target != TargetCanvas()) freeGraphics();
    TZebCanvas3D::BindCanvas(target);
    if (IsAvailable() && target) GetGraphics();
    companion_->BindCanvas(target);
}

// ---- settings ----

namespace {
void repaintPanel(TView3DOptions* options)
{
    if (options) options->Changed();
}

TGPTextRenderingHint textHint(TGDIPlusFontQuality quality)
{
    switch (quality) {
    case gpfBest: return TextRenderingHintAntiAlias;
    case gpfClearType: return TextRenderingHintClearTypeGridFit;
    case gpfNormal: return TextRenderingHintSingleBitPerPixelGridFit;
    case gpfDefault: break;
    }
    return TextRenderingHintSystemDefault;
}

TGDIPlusFontQuality fromFontQuality(TZebFontQuality q)
{
    switch (q) {
    case TZebFontQuality::fqBest: return gpfBest;
    case TZebFontQuality::fqNormal: return gpfNormal;
    case TZebFontQuality::fqClearType: return gpfClearType;
    case TZebFontQuality::fqDefault: break;
    }
    return gpfDefault;
}

TZebFontQuality toFontQuality(TGDIPlusFontQuality q)
{
    switch (q) {
    case gpfBest: return TZebFontQuality::fqBest;
    case gpfNormal: return TZebFontQuality::fqNormal;
    case gpfClearType: return TZebFontQuality::fqClearType;
    case gpfDefault: break;
    }
    return TZebFontQuality::fqDefault;
}
}  // namespace

void TGDIPlusCanvas::SetAntiAlias(bool value)
{
    if (!AssignIfChanged(antiAlias_, value)) return;
    if (graphics_) applySmoothing(value);
    repaintPanel(View3DOptions());
}

void TGDIPlusCanvas::applySmoothing(bool value)
{
    flushRun();
    smoothing_ = !value;
    setSmoothingForPen(value);
    graphics_->SetPixelOffsetMode(value ? PixelOffsetModeHighQuality : PixelOffsetModeNone);
}

void TGDIPlusCanvas::setSmoothingForPen(bool value)
{
    if (!graphics_ || smoothing_ == value) return;
    // The pending run is drawn in the old mode before the switch.
    flushRun();
    graphics_->SetSmoothingMode(value ? SmoothingModeHighQuality : SmoothingModeHighSpeed);
    smoothing_ = value;
}

// Off for runs of cached lines: the pen is made now (LineToCached draws with it as it is) and the
// smoothing stays off until it is switched on again or another stroke prepares the pen.
void TGDIPlusCanvas::SetSmoothingOn(bool value)
{
    if (!graphics_) return;
    flushRun();
    applySmoothing(value && antiAlias_);
    PreparePen();
    if (!value) setSmoothingForPen(false);
}

TGDIPlusFontQuality TGDIPlusCanvas::GetAntiAliasText() const { return fromFontQuality(TextQuality()); }

void TGDIPlusCanvas::SetAntiAliasText(TGDIPlusFontQuality value)
{
    if (value == GetAntiAliasText()) return;
    SetTextQuality(toFontQuality(value));
    repaintPanel(View3DOptions());
    if (graphics_) graphics_->SetTextRenderingHint(textHint(value));
}

// The font's own quality wins; the canvas default lets large texts antialias and small ones fit
// the pixel grid.
void TGDIPlusCanvas::sendTextHint(TZebFontQuality quality, float size)
{
    if (!graphics_) return;
    TGDIPlusFontQuality q = fromFontQuality(quality);
    if (q == gpfDefault) q = size >= 20 ? gpfBest : gpfClearType;
    graphics_->SetTextRenderingHint(textHint(q));
}

void TGDIPlusCanvas::SetScale(float value)
{
    if (!std::isfinite(value) || value <= 0) return;
    if (!AssignIfChanged(scale_, value)) return;
    repaintPanel(View3DOptions());
}

// ---- transparent sections ----

TZebBlend* TGDIPlusCanvas::StartBlend(const TRect& rect, TZebTransparency transparency)
{
    (void)rect;
    alphaStack_.push_back(alpha_);
    alpha_ = GPAlphaOf(transparency, alpha_);
    return nullptr;
}

void TGDIPlusCanvas::FinishBlend(TZebBlend* blend)
{
    (void)blend;
    if (alphaStack_.empty()) {
        alpha_ = 255;
        return;
    }
    alpha_ = alphaStack_.back();
    alphaStack_.pop_back();
}

// ---- element transforms ----

void TGDIPlusCanvas::applyTransform(const TZebTransform& transform)
{
    if (transform.Clip) ClipToRect(transform.Bounds);
    const TGPAffine m = GPElementMatrix(transform);
    if (m.IsIdentity()) return;
    TGPMatrix element(m.M11, m.M12, m.M21, m.M22, m.DX, m.DY);
    graphics_->MultiplyWorldTransform(element, MatrixOrderPrepend);
}

TObject* TGDIPlusCanvas::BeginElement(const String& name, TObject* owner, TZebTransform* transform)
{
    (void)name;
    TElement entry;
    if (transform && transform->Enabled && GetGraphics()) {
        entry.Saved = std::make_unique<TGPMatrix>();
        graphics_->GetWorldTransform(*entry.Saved);
        entry.Clipped = transform->Clip;
        applyTransform(*transform);
    }
    elements_.push_back(std::move(entry));
    return owner;
}

// Only a clip the element made itself is taken away: an element without one leaves the clips of
// the elements around it alone.
void TGDIPlusCanvas::EndElement()
{
    flushRun();
    if (elements_.empty()) return;
    TElement entry = std::move(elements_.back());
    elements_.pop_back();
    if (!entry.Saved || !graphics_) return;
    graphics_->SetWorldTransform(*entry.Saved);
    if (entry.Clipped) RemoveClip();
}
