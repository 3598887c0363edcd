#include "chart/core/PanelZoom.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/Geometry.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

TV_PUBLISHED(TZoomPanning) {}

TV_PUBLISHED(TZebPanning)
{
    Prop("InsideBounds", &TZebPanning::InsideBounds, &TZebPanning::SetInsideBounds, false);
    PropEnum("MouseWheel", &TZebPanning::MouseWheel, &TZebPanning::SetMouseWheel, pmwNormal, TMouseWheelStyleNames);
}

TV_PUBLISHED(TZebZoomPen)
{
    PropColor("Color", &TZebZoomPen::Color, &TZebZoomPen::SetColor, clSilver);
    Prop("Width", &TZebZoomPen::Width, &TZebZoomPen::SetWidth).NoDefault().Stored(&TZebZoomPen::IsZoomWidthStored);
}

TV_PUBLISHED(TZebZoomBrush)
{
    PropColor("Color", &TZebZoomBrush::Color, &TZebZoomBrush::SetColor, clWhite);
    PropEnum("Style", &TZebZoomBrush::Style, &TZebZoomBrush::SetStyle, bsClear, TBrushStyleNames);
}

TV_PUBLISHED(TZoomSnapshot) {}

TV_PUBLISHED(TZebZoom)
{
    Prop("Allow", &TZebZoom::Allow, &TZebZoom::SetAllow, true);
    Prop("Animated", &TZebZoom::Animated, &TZebZoom::SetAnimated, false);
    Prop("AnimatedSteps", &TZebZoom::AnimatedSteps, &TZebZoom::SetAnimatedSteps, 8);
    Prop("Brush", &TZebZoom::Brush, &TZebZoom::SetBrush).Stored(&TZebZoom::HasBrush);
    PropEnum("Direction", &TZebZoom::Direction, &TZebZoom::SetDirection, tzdBoth, TZebZoomDirectionNames);
    Prop("FullRepaint", &TZebZoom::FullRepaint, &TZebZoom::SetFullRepaint, false);
    Prop("History", &TZebZoom::History, &TZebZoom::SetHistory, false);
    Prop("KeepAspectRatio", &TZebZoom::KeepAspectRatio, &TZebZoom::SetKeepAspectRatio, false);
    PropSet("KeyShift", &TZebZoom::KeyShift, &TZebZoom::SetKeyShift, TShiftState{}, TShiftStateItemNames);
    Prop("MinimumPixels", &TZebZoom::MinimumPixels, &TZebZoom::SetMinimumPixels, 16);
    PropEnum("MouseButton", &TZebZoom::MouseButton, &TZebZoom::SetMouseButton, mbLeft, TMouseButtonNames);
    PropEnum("MouseWheel", &TZebZoom::MouseWheel, &TZebZoom::SetMouseWheel, pmwNone, TMouseWheelStyleNames);
    Prop("Pen", &TZebZoom::Pen, &TZebZoom::SetPen).Stored(&TZebZoom::HasPen);
    Prop("UpLeftZooms", &TZebZoom::UpLeftZooms, &TZebZoom::SetUpLeftZooms, false);
}

TV_PUBLISHED(TBackImage)
{
    PropEnum("Mode", &TBackImage::Mode, &TBackImage::SetMode, pbmStretch, TZebBackImageModeNames);
    Prop("Inside", &TBackImage::Inside, &TBackImage::SetInside, false);
    Prop("Left", &TBackImage::Left, &TBackImage::SetLeft, 0);
    Prop("Top", &TBackImage::Top, &TBackImage::SetTop, 0);
    Prop("Right", &TBackImage::Right, &TBackImage::SetRight, 0);
    Prop("Bottom", &TBackImage::Bottom, &TBackImage::SetBottom, 0);
    PropEnum("DrawQuality", &TBackImage::DrawQuality, &TBackImage::SetDrawQuality, sqHigh, TCanvasStretchQualityNames);
}

// ---- drag rectangle ----

void TZoomPanning::StartDrag(int x, int y)
{
    x0_ = x1_ = x;
    y0_ = y1_ = y;
    active_ = true;
}

void TZoomPanning::OrderCorners()
{
    if (x1_ < x0_) std::swap(x0_, x1_);
    if (y1_ < y0_) std::swap(y0_, y1_);
}

void TZebPanning::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZebPanning*>(source);
    if (!s) return inherited::Assign(source);
    insideBounds_ = s->insideBounds_;
    mouseWheel_ = s->mouseWheel_;
}

void TZebPanning::SetInsideBounds(bool value)
{
    if (AssignIfChanged(insideBounds_, value)) Changed();
}

void TZebPanning::SetMouseWheel(TMouseWheelStyle value)
{
    if (AssignIfChanged(mouseWheel_, value)) Changed();
}

// ---- zoom ----

TZebZoomPen::TZebZoomPen(TNotifyEvent onChange)
{
    SetColor(clSilver);
    SetWidth(3);
    InitEndStyle(esFlat);
    SetOnChange(std::move(onChange));
}

TZebZoomBrush::TZebZoomBrush(TNotifyEvent onChange) : TZebBrush()
{
    InitColor(clWhite);
    SetStyle(bsClear);
    SetOnChange(std::move(onChange));
}

TZoomSnapshot* TZoomSnapshots::Add()
{
    items_.emplace_back(new TZoomSnapshot);
    return items_.back().get();
}

void TZoomSnapshots::Delete(int index) { items_.erase(items_.begin() + index); }

TZebZoom::TZebZoom(TNotifyEvent onChange) : TZoomPanning(std::move(onChange)) {}

TZebZoom::~TZebZoom()
{
    TObject::Free(pen_);
    TObject::Free(brush_);
}

void TZebZoom::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TZebZoom*>(source);
    if (!s) return;
    allow_ = s->allow_;
    animated_ = s->animated_;
    animatedSteps_ = s->animatedSteps_;
    SetBrush(s->brush_);
    direction_ = s->direction_;
    fullRepaint_ = s->fullRepaint_;
    SetHistory(s->history_);
    keepAspectRatio_ = s->keepAspectRatio_;
    keyShift_ = s->keyShift_;
    mouseButton_ = s->mouseButton_;
    SetPen(s->pen_);
}

TZebZoomBrush* TZebZoom::Brush()
{
    if (!brush_) brush_ = new TZebZoomBrush;
    return brush_;
}

void TZebZoom::SetBrush(TZebZoomBrush* value)
{
    if (!value) {
        TObject::Free(std::exchange(brush_, nullptr));
        return;
    }
    Brush()->Assign(value);
}

TZebZoomPen* TZebZoom::Pen()
{
    if (!pen_) pen_ = new TZebZoomPen;
    return pen_;
}

void TZebZoom::SetPen(TZebZoomPen* value)
{
    if (!value) {
        TObject::Free(std::exchange(pen_, nullptr));
        return;
    }
    Pen()->Assign(value);
}

void TZebZoom::SetHistory(bool value)
{
    history_ = value;
    if (!value && historyList_) historyList_->Clear();
}

TZoomSnapshots* TZebZoom::GetHistoryList()
{
    if (!historyList_) historyList_ = std::make_unique<TZoomSnapshots>();
    return historyList_.get();
}

void TZebZoom::ApplyAspectRatio(const TRect& chartRect, int x, int y)
{
    const float ratio = chartRect.Top == chartRect.Bottom ? 1.0f
                                                          : static_cast<float>(chartRect.Right - chartRect.Left) /
                                                                static_cast<float>(chartRect.Bottom - chartRect.Top);
    const float drag = y == Y0() ? 1.0f
                                 : static_cast<float>(std::abs(x - X0())) / static_cast<float>(std::abs(y - Y0()));
    if (drag >= ratio) {
        SetY1(Y0() + RoundHalfEven((x - X0()) / ratio));
        SetX1(X0() + RoundHalfEven((Y1() - Y0()) * ratio));
    } else {
        SetX1(X0() + RoundHalfEven((y - Y0()) * ratio));
        SetY1(Y0() + RoundHalfEven((X1() - X0()) / ratio));
    }
}

// ---- back image ----

TBackImage::TBackImage() = default;
TBackImage::~TBackImage() = default;

void TBackImage::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TBackImage*>(source)) {
        mode_ = s->mode_;
        inside_ = s->inside_;
        left_ = s->left_;
        top_ = s->top_;
        right_ = s->right_;
        bottom_ = s->bottom_;
        drawQuality_ = s->drawQuality_;
    }
    inherited::Assign(source);
}

void TBackImage::SetMode(TZebBackImageMode value)
{
    if (AssignIfChanged(mode_, value)) SignalChange();
}

void TBackImage::SetInside(bool value)
{
    if (AssignIfChanged(inside_, value)) SignalChange();
}

void TBackImage::SetLeft(int value)
{
    if (AssignIfChanged(left_, value)) SignalChange();
}

void TBackImage::SetTop(int value)
{
    if (AssignIfChanged(top_, value)) SignalChange();
}

void TBackImage::SetRight(int value)
{
    if (AssignIfChanged(right_, value)) SignalChange();
}

void TBackImage::SetBottom(int value)
{
    if (AssignIfChanged(bottom_, value)) SignalChange();
}

void TBackImage::SetDrawQuality(TCanvasStretchQuality value)
{
    if (AssignIfChanged(drawQuality_, value)) SignalChange();
}

void TBackImage::SetCustomBounds(const TRect& rect)
{
    left_ = rect.Left;
    top_ = rect.Top;
    right_ = rect.Right;
    bottom_ = rect.Bottom;
    SignalChange();
}

void TBackImage::Changed(TObject* sender)
{
    resampledValid_ = false;
    inherited::Changed(sender);
}

TGraphic* TBackImage::ResampledGraphic(int width, int height)
{
    if (!HasGraphic() || width <= 0 || height <= 0) return nullptr;
    if (HasFilters() && Filters()->ChangedFlag()) resampledValid_ = false;
    if (resampledValid_ && resampled_ && resampled_->Width() == width && resampled_->Height() == height)
        return resampled_.get();
    TGraphic* source = GetFilteredGraphic();
    if (HasFilters()) Filters()->ClearChangedFlag();
    TBitmap converted;
    auto* bitmap = dynamic_cast<TBitmap*>(source);
    if (!bitmap) {
        converted.Assign(source);
        bitmap = &converted;
    }
    if (!resampled_) resampled_ = std::make_unique<TBitmap>(width, height, pf32bit);
    EnsureBitmapSize(*resampled_, width, height);
    ResampleBitmap(*bitmap, *resampled_);
    resampledValid_ = true;
    ++resampleCount_;
    return resampled_.get();
}
