#include "chart/canvas/FilterGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/FilterPixels.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/OptionBuilder.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {
// The whole source resampled smoothly over the whole destination; sides of one pixel, which the
// resampler leaves alone, are stretched instead.
void smoothCopy(TBitmap& source, TBitmap& destination)
{
    if (source.Width() > 1 && source.Height() > 1 && destination.Width() > 1 && destination.Height() > 1)
        ResampleBitmap(source, destination);
    else
        destination.Canvas()->StretchDraw({0, 0, destination.Width(), destination.Height()}, &source);
}

std::size_t row(int y) { return static_cast<std::size_t>(y); }
}  // namespace

// ---- TMosaicFilter ----

TV_PUBLISHED(TMosaicFilter)
{
    Prop("Amount", &TAmountFilter::Amount, &TAmountFilter::SetAmount, 8);
    Prop("Percent", &TAmountFilter::Percent, &TAmountFilter::SetPercent, false);
}

TMosaicFilter::TMosaicFilter(TCollection* collection) : TAmountFilter(collection)
{
    SetAmount(8);
    SetPercent(false);
    SetOnlyPositive(true);
}

void TMosaicFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& rows = Lines();
    if (rows.empty() || Amount() < 1) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    const int block = Percent() ? std::max(1, SaturatedRound(std::min(r.Right - r.Left, r.Bottom - r.Top) *
                                                             static_cast<double>(Amount()) * 0.01))
                                : Amount();
    // Blocks of full size while they end before the far edge; the last one of a row or column
    // reaches the edge.
    auto blockEnd = [block](int start, int edge) { return start < edge - block ? start + block - 1 : edge; };
    for (int top = r.Top; top <= r.Bottom;) {
        const int bottom = blockEnd(top, r.Bottom);
        for (int left = r.Left; left <= r.Right;) {
            const int right = blockEnd(left, r.Right);
            Int64 sum[3] = {0, 0, 0};
            for (int y = top; y <= bottom; ++y)
                for (int x = left; x <= right; ++x)
                    for (int k = 0; k < 3; ++k) sum[k] += rows[row(y)][x * 3 + k];
            const double count = static_cast<double>(bottom - top + 1) * (right - left + 1);
            Byte mean[3];
            for (int k = 0; k < 3; ++k) mean[k] = ClampChannel(RoundHalfEven(static_cast<double>(sum[k]) / count));
            for (int y = top; y <= bottom; ++y)
                for (int x = left; x <= right; ++x) std::memcpy(rows[row(y)] + x * 3, mean, 3);
            left = right + 1;
        }
        top = bottom + 1;
    }
    bitmap.ImageChanged();
}

String TMosaicFilter::GetDescription() const { return FilterText(&TFilterTexts::Mosaic); }

// ---- TFlipFilter ----

TV_PUBLISHED(TFlipFilter) {}

TFlipFilter::TFlipFilter(TCollection* collection) : TZebFilter(collection) {}

void TFlipFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& rows = Lines();
    if (rows.empty()) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    const auto bytes = static_cast<std::size_t>(r.Right - r.Left + 1) * 3;
    for (int k = 0; k < (r.Bottom - r.Top + 1) / 2; ++k)
        std::swap_ranges(rows[row(r.Top + k)] + r.Left * 3, rows[row(r.Top + k)] + r.Left * 3 + bytes,
                         rows[row(r.Bottom - k)] + r.Left * 3);
    bitmap.ImageChanged();
}

String TFlipFilter::GetDescription() const { return FilterText(&TFilterTexts::Flip); }

// ---- TReverseFilter ----

TV_PUBLISHED(TReverseFilter) {}

TReverseFilter::TReverseFilter(TCollection* collection) : TZebFilter(collection) {}

void TReverseFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& rows = Lines();
    if (rows.empty()) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int k = 0; k < (r.Right - r.Left + 1) / 2; ++k)
            std::swap_ranges(rows[row(y)] + (r.Left + k) * 3, rows[row(y)] + (r.Left + k) * 3 + 3,
                             rows[row(y)] + (r.Right - k) * 3);
    bitmap.ImageChanged();
}

String TReverseFilter::GetDescription() const { return FilterText(&TFilterTexts::Reverse); }

// ---- TResizeFilter ----

TV_PUBLISHED(TResizeFilter)
{
    Prop("Width", &TResizeFilter::Width, &TResizeFilter::SetWidth, 0);
    Prop("Height", &TResizeFilter::Height, &TResizeFilter::SetHeight, 0);
}

TResizeFilter::TResizeFilter(TCollection* collection) : TZebFilter(collection) {}

void TResizeFilter::Assign(TPersistent* source)
{
    if (auto* r = dynamic_cast<TResizeFilter*>(source)) {
        width_ = r->width_;
        height_ = r->height_;
    }
    inherited::Assign(source);
}

void TResizeFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty() || width_ <= 0 || height_ <= 0) return;
    TBitmap resized(width_, height_, pf24bit);
    smoothCopy(bitmap, resized);
    bitmap.Assign(&resized);
}

void TResizeFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddInteger("Width", "Width", 10000, 0);
    builder.AddInteger("Height", "Height", 10000, 0);
}

String TResizeFilter::GetDescription() const { return FilterText(&TFilterTexts::Resize); }

void TResizeFilter::PrepareGallerySample()
{
    width_ = 50;
    height_ = 50;
}

// ---- TCropFilter ----

TV_PUBLISHED(TCropFilter)
{
    Prop("Left", &TCropFilter::Left, &TCropFilter::SetLeft, 0);
    Prop("Top", &TCropFilter::Top, &TCropFilter::SetTop, 0);
    Prop("Smooth", &TCropFilter::Smooth, &TCropFilter::SetSmooth, false);
}

TCropFilter::TCropFilter(TCollection* collection) : TResizeFilter(collection) {}

void TCropFilter::Assign(TPersistent* source)
{
    if (auto* c = dynamic_cast<TCropFilter*>(source)) {
        left_ = c->left_;
        top_ = c->top_;
        smooth_ = c->smooth_;
    }
    inherited::Assign(source);
}

void TCropFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty() || Width() < 1 || Height() < 1) return;
    TBitmap cropped(Width(), Height(), bitmap.PixelFormat());
    auto farEdge = [](int start, int size) {
        return static_cast<int>(std::min<Int64>(static_cast<Int64>(start) + size, std::numeric_limits<int>::max()));
    };
    cropped.Canvas()->CopyRect({0, 0, Width(), Height()}, bitmap.Canvas(),
                               {left_, top_, farEdge(left_, Width()), farEdge(top_, Height())});
    if (smooth_)
        smoothCopy(cropped, bitmap);
    else
        bitmap.Canvas()->StretchDraw({0, 0, bitmap.Width(), bitmap.Height()}, &cropped);
}

void TCropFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TResizeFilter::BuildEditor(builder, std::move(onChange));
    builder.AddInteger("Left", "", 10000, 0);
    builder.AddInteger("Top", "", 10000, 0);
    builder.AddCheckBox("Smooth", "Smooth");
}

String TCropFilter::GetDescription() const { return FilterText(&TFilterTexts::Crop); }

// ---- TRotateFilter ----

TV_PUBLISHED(TRotateFilter)
{
    Prop("Angle", &TRotateFilter::Angle, &TRotateFilter::SetAngle, 0.0);
    Prop("AutoSize", &TRotateFilter::AutoSize, &TRotateFilter::SetAutoSize, true);
    PropColor("BackColor", &TRotateFilter::BackColor, &TRotateFilter::SetBackColor, clWhite);
}

TRotateFilter::TRotateFilter(TCollection* collection) : TZebFilter(collection) {}

void TRotateFilter::Assign(TPersistent* source)
{
    if (auto* r = dynamic_cast<TRotateFilter*>(source)) {
        SetAngle(r->angle_);
        autoSize_ = r->autoSize_;
        backColor_ = r->backColor_;
    }
    inherited::Assign(source);
}

void TRotateFilter::SetAngle(double value) { angle_ = value; }

void TRotateFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& source = Lines();
    if (source.empty() || !std::isfinite(angle_)) return;
    // Whole turns above one full turn are dropped; 720 stays 360, as subtracting turns would leave it.
    if (angle_ > 360) {
        const double rest = std::fmod(angle_, 360.0);
        SetAngle(rest == 0 ? 360.0 : rest);
    }
    if (angle_ == 180) {
        ApplyClassTo(TFlipFilter::StaticClass(), bitmap);
        ApplyClassTo(TReverseFilter::StaticClass(), bitmap);
        return;
    }
    if (angle_ == 0) return;

    const int w = bitmap.Width(), h = bitmap.Height();
    const bool quarter = angle_ == 90 || angle_ == 270;
    const double theta = (360 - angle_) * std::numbers::pi / 180;
    const double c = std::cos(theta), s = std::sin(theta);
    int tw = w, th = h;
    if (quarter) {
        tw = h;
        th = w;
    } else if (autoSize_) {
        if (s * c > 0) {
            tw = std::abs(RoundHalfEven(w * c + h * s));
            th = std::abs(RoundHalfEven(w * s + h * c));
        } else {
            tw = std::abs(RoundHalfEven(w * c - h * s));
            th = std::abs(RoundHalfEven(w * s - h * c));
        }
    }
    if (w <= 1 || h <= 1) return;

    TBitmap turned(tw, th, pf24bit);  // white
    if (backColor_ == clNone) {
        turned.SetTransparent(true);
    } else if (ColorToRGB(backColor_) != ColorToRGB(clWhite)) {
        turned.Canvas()->Brush()->SetColor(backColor_);
        turned.Canvas()->FillRect({0, 0, tw, th});
    }
    const auto target = BitmapScanLines24(turned);
    auto copyPixel = [&](int sx, int sy, int tx, int ty) {
        std::memcpy(target[row(ty)] + tx * 3, source[row(sy)] + sx * 3, 3);
    };
    if (angle_ == 90) {
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j) copyPixel(j, i, h - 1 - i, j);
    } else if (angle_ == 270) {
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j) copyPixel(j, i, i, w - 1 - j);
    } else {
        for (int i = 0; i < th; ++i)
            for (int j = 0; j < tw; ++j) {
                const int gx = j - tw / 2, gy = i - th / 2;
                const int sx = RoundHalfEven(c * gx - s * gy + w / 2);
                const int sy = RoundHalfEven(s * gx + c * gy + h / 2);
                if (sx >= 0 && sx < w && sy >= 0 && sy < h) copyPixel(sx, sy, j, i);
            }
    }
    turned.ImageChanged();
    bitmap.Assign(&turned);
    if (backColor_ == clNone) bitmap.SetTransparent(true);
}

void TRotateFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddScrollBar("Angle", 0, 360);
    builder.AddColor("BackColor", "Back");
    builder.AddCheckBox("AutoSize", "Autosize");
}

String TRotateFilter::GetDescription() const { return FilterText(&TFilterTexts::Rotate); }

void TRotateFilter::PrepareGallerySample() { SetAngle(45); }

// ---- TMirrorFilter ----

TV_PUBLISHED(TMirrorFilter)
{
    PropEnum("Direction", &TMirrorFilter::Direction, &TMirrorFilter::SetDirection, mdDown, TMirrorDirectionNames);
}

TMirrorFilter::TMirrorFilter(TCollection* collection) : TZebFilter(collection) { SetRegionAllowed(false); }

void TMirrorFilter::Assign(TPersistent* source)
{
    if (auto* m = dynamic_cast<TMirrorFilter*>(source)) direction_ = m->direction_;
    inherited::Assign(source);
}

void TMirrorFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    const auto& source = Lines();
    if (source.empty()) return;
    const int w = bitmap.Width(), h = bitmap.Height();
    const bool vertical = direction_ == mdDown || direction_ == mdUp;
    TBitmap doubled(vertical ? w : 2 * w, vertical ? 2 * h : h, pf24bit);
    const auto target = BitmapScanLines24(doubled);
    const auto bytes = static_cast<std::size_t>(w) * 3;
    for (int y = 0; y < h; ++y) {
        const Byte* line = source[row(y)];
        if (vertical) {
            // The picture and its upside-down copy.
            const int same = direction_ == mdDown ? y : h + y;
            const int flipped = direction_ == mdDown ? 2 * h - 1 - y : h - 1 - y;
            std::memcpy(target[row(same)], line, bytes);
            std::memcpy(target[row(flipped)], line, bytes);
        } else {
            // The picture and its left-to-right copy.
            Byte* same = target[row(y)] + (direction_ == mdRight ? 0 : bytes);
            Byte* reversed = target[row(y)] + (direction_ == mdRight ? bytes : 0);
            std::memcpy(same, line, bytes);
            for (int x = 0; x < w; ++x) std::memcpy(reversed + (w - 1 - x) * 3, line + x * 3, 3);
        }
    }
    doubled.ImageChanged();
    bitmap.Assign(&doubled);
}

void TMirrorFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddEnumList("Direction");
}

String TMirrorFilter::GetDescription() const { return FilterText(&TFilterTexts::Mirror); }

// ---- TTileFilter ----

TV_PUBLISHED(TTileFilter)
{
    Prop("NumCols", &TTileFilter::NumCols, &TTileFilter::SetNumCols, 3);
    Prop("NumRows", &TTileFilter::NumRows, &TTileFilter::SetNumRows, 3);
}

TTileFilter::TTileFilter(TCollection* collection) : TZebFilter(collection) {}

void TTileFilter::Assign(TPersistent* source)
{
    if (auto* t = dynamic_cast<TTileFilter*>(source)) {
        numCols_ = t->numCols_;
        numRows_ = t->numRows_;
    }
    inherited::Assign(source);
}

void TTileFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty()) return;
    numCols_ = std::max(1, numCols_);
    numRows_ = std::max(1, numRows_);
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    const int w = (r.Right - r.Left) / numCols_, h = (r.Bottom - r.Top) / numRows_;
    if (w < 1 || h < 1) return;
    TBitmap tile(w, h, pf24bit);
    smoothCopy(bitmap, tile);
    for (int c = 0; c < numCols_; ++c)
        for (int rr = 0; rr < numRows_; ++rr) bitmap.Canvas()->Draw(w * c, h * rr, &tile);
}

void TTileFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddInteger("NumCols", "Columns", 1000, 1);
    builder.AddInteger("NumRows", "Rows", 1000, 1);
}

String TTileFilter::GetDescription() const { return FilterText(&TFilterTexts::Tile); }

// ---- TZoomFilter ----

TV_PUBLISHED(TZoomFilter)
{
    Prop("Percent", &TZoomFilter::Percent, &TZoomFilter::SetPercent, 10.0);
    Prop("Smooth", &TZoomFilter::Smooth, &TZoomFilter::SetSmooth, false);
}

TZoomFilter::TZoomFilter(TCollection* collection) : TZebFilter(collection) {}

void TZoomFilter::Assign(TPersistent* source)
{
    if (auto* z = dynamic_cast<TZoomFilter*>(source)) {
        percent_ = z->percent_;
        smooth_ = z->smooth_;
    }
    inherited::Assign(source);
}

void TZoomFilter::Apply(TBitmap& bitmap, const TRect& rect)
{
    TZebFilter::Apply(bitmap, rect);
    if (Lines().empty() || !std::isfinite(percent_)) return;
    const TRect r = ClipFilterRect(rect, bitmap.Width(), bitmap.Height());
    if (IsEmptyFilterRect(r)) return;
    const int w = r.Right - r.Left + 1, h = r.Bottom - r.Top + 1;
    // Above 100 % the crop would leave the picture: it stays on the middle pixel. Below -200 %
    // the crop only grows its empty part.
    const int dx = std::clamp(SaturatedRound(w * percent_ * 0.005), -w, w / 2);
    const int dy = std::clamp(SaturatedRound(h * percent_ * 0.005), -h, h / 2);
    TCropFilter crop(nullptr);
    crop.SetWidth(std::max(1, w - 2 * dx));
    crop.SetHeight(std::max(1, h - 2 * dy));
    crop.SetSmooth(smooth_);
    if (w == bitmap.Width() && h == bitmap.Height()) {
        crop.SetLeft(dx);
        crop.SetTop(dy);
        crop.ApplyToBitmap(bitmap);
        return;
    }
    // A part of the bitmap: zoomed in a copy (whose origin is the rectangle's) and drawn back.
    TBitmap part(w, h, pf24bit);
    part.Canvas()->CopyRect({0, 0, w, h}, bitmap.Canvas(), {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    crop.SetLeft(dx);
    crop.SetTop(dy);
    crop.ApplyToBitmap(part);
    bitmap.Canvas()->Draw(r.Left, r.Top, &part);
}

void TZoomFilter::BuildEditor(IOptionBuilder& builder, TNotifyEvent onChange)
{
    TZebFilter::BuildEditor(builder, std::move(onChange));
    builder.AddScrollBar("Percent", 0, 100);
    builder.AddCheckBox("Smooth", "Smooth");
}

String TZoomFilter::GetDescription() const { return FilterText(&TFilterTexts::Zoom); }

void TZoomFilter::PrepareGallerySample() { percent_ = 60; }
