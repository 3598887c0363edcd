#pragma once
// The settings an interactive chart needs before any axis exists: the dragged rectangle of mouse
// zoom and panning with their options, the zoom history, and the panel's back image. The chart's
// mouse handlers drive them; the panel draws the rubber band and the image.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/canvas/CanvasTypes.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPersistent.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/forms/Control.h"

enum TMouseWheelStyle { pmwNormal, pmwInverted, pmwNone };
inline constexpr const char* TMouseWheelStyleNames[] = {"pmwNormal", "pmwInverted", "pmwNone"};
static_assert(std::size(TMouseWheelStyleNames) == pmwNone + 1);

enum TZebZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };
inline constexpr const char* TZebZoomDirectionNames[] = {"tzdHorizontal", "tzdVertical", "tzdBoth"};
static_assert(std::size(TZebZoomDirectionNames) == tzdBoth + 1);

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
inline constexpr const char* TPanningModeNames[] = {"pmNone", "pmHorizontal", "pmVertical", "pmBoth"};
static_assert(std::size(TPanningModeNames) == pmBoth + 1);

enum TZebBackImageMode { pbmStretch, pbmTile, pbmCenter, pbmCustom };
inline constexpr const char* TZebBackImageModeNames[] = {"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"};
static_assert(std::size(TZebBackImageModeNames) == pbmCustom + 1);

// The rectangle of a drag: where it started (X0, Y0) and where the mouse is now (X1, Y1).
class TZoomPanning : public TZebPersistent {
    TV_CLASS(TZoomPanning, TZebPersistent)
public:
    explicit TZoomPanning(TNotifyEvent onChange = {}) : TZebPersistent(std::move(onChange)) {}

    bool Active() const { return active_; }
    void SetActive(bool value) { active_ = value; }
    int X0() const { return x0_; }
    int Y0() const { return y0_; }
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    void SetX0(int value) { x0_ = value; }
    void SetY0(int value) { y0_ = value; }
    void SetX1(int value) { x1_ = value; }
    void SetY1(int value) { y1_ = value; }

    void StartDrag(int x, int y);
    // Swaps the corners so that X0 <= X1 and Y0 <= Y1.
    void OrderCorners();

private:
    bool active_ = false;
    int x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
};

class TZebPanning : public TZoomPanning {
    TV_CLASS(TZebPanning, TZoomPanning)
public:
    explicit TZebPanning(TNotifyEvent onChange = {}) : TZoomPanning(std::move(onChange)) {}
    void Assign(TPersistent* source) override;

    // Panning only while the mouse stays inside the chart rectangle.
    bool InsideBounds() const { return insideBounds_; }
    void SetInsideBounds(bool value);
    TMouseWheelStyle MouseWheel() const { return mouseWheel_; }
    void SetMouseWheel(TMouseWheelStyle value);

private:
    bool insideBounds_ = false;
    TMouseWheelStyle mouseWheel_ = pmwNormal;
};

// Silver, 3 wide, flat ends.
class TZebZoomPen : public TZebPen {
    TV_CLASS(TZebZoomPen, TZebPen)
public:
    explicit TZebZoomPen(TNotifyEvent onChange = {});
    bool IsZoomWidthStored() const { return Width() != 3; }
};

// White and clear.
class TZebZoomBrush : public TZebBrush {
    TV_CLASS(TZebZoomBrush, TZebBrush)
public:
    explicit TZebZoomBrush(TNotifyEvent onChange = {});
};

// The axis ranges before a zoom: minimum and maximum of the four standard axes, then of each
// custom axis.
class TZoomSnapshot : public TObject {
    TV_CLASS(TZoomSnapshot, TObject)
public:
    std::vector<double> StandardAxes = std::vector<double>(8);
    int CustomAxisCount = 0;
    std::vector<std::vector<double>> CustomAxes;
};

class TZoomSnapshots {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TZoomSnapshot* Items(int index) const { return items_[static_cast<size_t>(index)].get(); }
    TZoomSnapshot* Add();
    void Delete(int index);
    void Clear() { items_.clear(); }

private:
    struct Deleter {
        void operator()(TZoomSnapshot* s) const { TObject::Free(s); }
    };
    std::vector<std::unique_ptr<TZoomSnapshot, Deleter>> items_;
};

class TZebZoom : public TZoomPanning {
    TV_CLASS(TZebZoom, TZoomPanning)
public:
    explicit TZebZoom(TNotifyEvent onChange = {});
    ~TZebZoom() override;
    // Not MinimumPixels, MouseWheel, UpLeftZooms; other sources are ignored.
    void Assign(TPersistent* source) override;

    bool Allow() const { return allow_; }
    void SetAllow(bool value) { allow_ = value; }
    bool Animated() const { return animated_; }
    void SetAnimated(bool value) { animated_ = value; }
    int AnimatedSteps() const { return animatedSteps_; }
    void SetAnimatedSteps(int value) { animatedSteps_ = value; }
    // Created on first read; null frees it.
    TZebZoomBrush* Brush();
    void SetBrush(TZebZoomBrush* value);
    bool HasBrush() const { return brush_ != nullptr; }
    TZebZoomDirection Direction() const { return direction_; }
    void SetDirection(TZebZoomDirection value) { direction_ = value; }
    // The rubber band is drawn in copy mode and removed by a full repaint.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    bool History() const { return history_; }
    // Off frees every snapshot.
    void SetHistory(bool value);
    bool KeepAspectRatio() const { return keepAspectRatio_; }
    void SetKeepAspectRatio(bool value) { keepAspectRatio_ = value; }
    TShiftState KeyShift() const { return keyShift_; }
    void SetKeyShift(TShiftState value) { keyShift_ = value; }
    int MinimumPixels() const { return minimumPixels_; }
    void SetMinimumPixels(int value) { minimumPixels_ = value; }
    TMouseButton MouseButton() const { return mouseButton_; }
    void SetMouseButton(TMouseButton value) { mouseButton_ = value; }
    TMouseWheelStyle MouseWheel() const { return mouseWheel_; }
    void SetMouseWheel(TMouseWheelStyle value) { mouseWheel_ = value; }
    // Created on first read; null frees it.
    TZebZoomPen* Pen();
    void SetPen(TZebZoomPen* value);
    bool HasPen() const { return pen_ != nullptr; }
    bool UpLeftZooms() const { return upLeftZooms_; }
    void SetUpLeftZooms(bool value) { upLeftZooms_ = value; }

    // The end corner of a drag from (X0, Y0) towards (x, y) with the chart rectangle's aspect.
    void ApplyAspectRatio(const TRect& chartRect, int x, int y);
    // Created on first use.
    TZoomSnapshots* GetHistoryList();
    bool HasHistory() const { return historyList_ != nullptr; }

private:
    bool allow_ = true;
    bool animated_ = false;
    int animatedSteps_ = 8;
    TZebZoomBrush* brush_ = nullptr;  // owned
    TZebZoomDirection direction_ = tzdBoth;
    bool fullRepaint_ = false;
    bool history_ = false;
    std::unique_ptr<TZoomSnapshots> historyList_;
    bool keepAspectRatio_ = false;
    TShiftState keyShift_;
    int minimumPixels_ = 16;
    TMouseButton mouseButton_ = mbLeft;
    TMouseWheelStyle mouseWheel_ = pmwNone;
    TZebZoomPen* pen_ = nullptr;  // owned
    bool upLeftZooms_ = false;
};

// A picture behind the panel (or inside the chart rectangle): stretched, tiled, centred or placed
// at custom bounds.
class TBackImage : public TZebPicture {
    TV_CLASS(TBackImage, TZebPicture)
public:
    TBackImage();
    ~TBackImage() override;
    // The seven settings, then the picture.
    void Assign(TPersistent* source) override;

    TZebBackImageMode Mode() const { return mode_; }
    void SetMode(TZebBackImageMode value);
    bool Inside() const { return inside_; }
    void SetInside(bool value);
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    int Right() const { return right_; }
    void SetRight(int value);
    int Bottom() const { return bottom_; }
    void SetBottom(int value);
    TCanvasStretchQuality DrawQuality() const { return drawQuality_; }
    void SetDrawQuality(TCanvasStretchQuality value);
    // All four at once, one change.
    void SetCustomBounds(const TRect& rect);

    // The picture after its filters, smoothly resampled to width x height; kept until the picture
    // or the size changes. Null when there is nothing to draw.
    TGraphic* ResampledGraphic(int width, int height);
    // How often the kept picture was made (benchmarks and tests).
    int ResampleCount() const { return resampleCount_; }

protected:
    void Changed(TObject* sender) override;

private:
    TZebBackImageMode mode_ = pbmStretch;
    bool inside_ = false;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    TCanvasStretchQuality drawQuality_ = sqHigh;
    std::unique_ptr<TBitmap> resampled_;
    bool resampledValid_ = false;
    int resampleCount_ = 0;
};
