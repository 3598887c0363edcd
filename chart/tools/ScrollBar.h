#pragma once
// A scroll bar painted on the chart beside a rectangle its descendant supplies: two arrow
// buttons, a track and a thumb that can be dragged (and, with AllowResize, stretched by its ends);
// holding an arrow or the track repeats the step. Descendants say what is scrolled through the
// virtual position, page and largest position.
#include <memory>

#include "chart/core/ChartShapes.h"
#include "chart/core/ChartTools.h"
#include "platform/forms/ExtCtrls.h"

class TZebGradient;
class TZebPicture;
class TZebScrollBar;

enum TScrollThumbStyle { stsCustom, stsThumb1, stsThumb2, stsThumb3, stsThumb4 };
inline constexpr const char* TScrollThumbStyleNames[] = {"stsCustom", "stsThumb1", "stsThumb2", "stsThumb3",
                                                         "stsThumb4"};
static_assert(std::size(TScrollThumbStyleNames) == stsThumb4 + 1);

enum TZebScrollBarDrawStyle { dsAlways, dsWhenNeeded };
inline constexpr const char* TZebScrollBarDrawStyleNames[] = {"dsAlways", "dsWhenNeeded"};
static_assert(std::size(TZebScrollBarDrawStyleNames) == dsWhenNeeded + 1);

enum TScrollBarPart { sbpNone, sbpThumb, sbpIncrease, sbpDecrease, sbpThumbEnd, sbpThumbStart };

using TSetPositionEvent = TMethodEvent<void(TZebScrollBar* Sender, int Value)>;

class TScrollBarThumb : public TZebCustomShapeBrushPen {
    TV_CLASS(TScrollBarThumb, TZebCustomShapeBrushPen)
public:
    explicit TScrollBarThumb(TZebScrollBar* bar = nullptr);
    // Size and Style, then brush, pen and visibility.
    void Assign(TPersistent* source) override;
    void InvalidateChart() override;

    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    TZebPicture* Image();
    void SetImage(TZebPicture* value);
    bool IsImageStored() const;
    int Size() const { return size_; }
    void SetSize(int value);
    TScrollThumbStyle Style() const { return style_; }
    // Loads the style's picture (none for stsCustom); a picture sizes the thumb and the bar.
    void SetStyle(TScrollThumbStyle value);

private:
    TZebScrollBar* bar_;
    int size_ = 0;
    TScrollThumbStyle style_ = stsCustom;
};

class TZebScrollBar : public TZebCustomTool {
    TV_CLASS(TZebScrollBar, TZebCustomTool)
public:
    explicit TZebScrollBar(TComponent* owner);
    ~TZebScrollBar() override;
    void Assign(TPersistent* source) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    // ---- published ----
    bool AllowResize() const { return allowResize_; }
    void SetAllowResize(bool value) { allowResize_ = value; }
    TZebBrush* ArrowBrush() const { return arrowBrush_.get(); }
    void SetArrowBrush(TZebBrush* value);
    bool Arrows() const { return arrows_; }
    void SetArrows(bool value) { ChangeBoolean(arrows_, value); }
    bool AutoRepeat() const { return autoRepeat_; }
    void SetAutoRepeat(bool value) { autoRepeat_ = value; }
    TColor BackColor() const;
    void SetBackColor(TColor value);
    TBevelCut Bevel() const { return bevel_; }
    void SetBevel(TBevelCut value) { Change(bevel_, value); }
    TZebBrush* DisabledArrow() const { return disabledArrow_.get(); }
    void SetDisabledArrow(TZebBrush* value);
    TZebScrollBarDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TZebScrollBarDrawStyle value) { Change(drawStyle_, value); }
    TZebGradient* Gradient();
    void SetGradient(TZebGradient* value);
    int InitialDelay() const { return initialDelay_; }
    void SetInitialDelay(int value) { initialDelay_ = value; }
    int MinThumbSize() const { return minThumbSize_; }
    void SetMinThumbSize(int value) { ChangeInteger(minThumbSize_, value); }
    int RoundSize() const { return roundSize_; }
    void SetRoundSize(int value) { ChangeInteger(roundSize_, value); }
    int Size() const { return size_; }
    TScrollBarThumb* Thumb() const { return thumb_.get(); }
    void SetThumb(TScrollBarThumb* value) { thumb_->Assign(value); }
    TZebBrush* ThumbBrush() const { return thumb_->Brush(); }
    void SetThumbBrush(TZebBrush* value) { thumb_->SetBrush(value); }
    int ThumbSize() const { return thumb_->Size(); }
    void SetThumbSize(int value) { thumb_->SetSize(value); }
    const TNotifyEvent& OnChangeSize() const { return onChangeSize_; }
    void SetOnChangeSize(TNotifyEvent value) { onChangeSize_ = std::move(value); }
    const TNotifyEvent& OnScrolled() const { return onScrolled_; }
    void SetOnScrolled(TNotifyEvent value) { onScrolled_ = std::move(value); }
    const TSetPositionEvent& OnSetPosition() const { return onSetPosition_; }
    void SetOnSetPosition(TSetPositionEvent value) { onSetPosition_ = std::move(value); }

    // ---- slots ----
    virtual double PixelsToPosition(int newPixel, int oldPixel);
    virtual int GetPageSize() { return pageSize_; }
    virtual int GetSmallStep() { return GetPageSize() / 4; }
    virtual int GetPosition() { return position_; }
    virtual void ResizePage(bool atEnd, double delta);
    // Stored as given: the mouse only produces 0 .. largest - page, a descendant may follow an
    // outside range; the drawn thumb stays in the track either way.
    virtual void SetPosition(int value);
    virtual void SetSize(int value);
    // Whether the bar shows; area is the rectangle it attaches to.
    virtual bool GetScrollArea(TRect& area) { (void)area; return GetMaxPosition() > 0; }
    virtual int GetMaxPosition() { return maxPosition_; }

    // ---- state ----
    bool Horizontal() const { return horizontal_; }
    void SetHorizontal(bool value) { ChangeBoolean(horizontal_, value); }
    // The bar's size without OnChangeSize (thumb pictures).
    void StoreSize(int value) { ChangeInteger(size_, value); }
    void SetPageSize(int value) { pageSize_ = value; }
    void SetMaxPosition(int value) { maxPosition_ = value; }
    TScrollBarPart PressedPart() const { return pressed_; }
    int ThumbStart() const { return thumbStart_; }
    int ThumbEnd() const { return thumbEnd_; }
    // The bar, its track, arrows and thumb for the current scroll area (empty when not shown).
    TRect BarRect();
    TRect TrackRect();
    TRect DecreaseRect();
    TRect IncreaseRect();
    TRect ThumbRect();
    // Steps the position by delta, stopping the repeat at either end; repeat starts the timer.
    void ScrollBy(double delta, bool repeat);
    // The repeat timer's tick: the press again at the point where the mouse went down.
    void RepeatTick();
    TTimer* RepeatTimer() const { return timer_; }

private:
    void calcThumb(const TRect& area);
    void pressAt(int x, int y);
    TScrollBarPart thumbEdgeAt(int x, int y);
    std::vector<TPoint> arrowTriangle(bool increase, const TRect& r) const;
    void highlightArrow(bool increase);
    void stopRepeat();

    std::unique_ptr<TScrollBarThumb> thumb_;
    std::unique_ptr<TZebBrush> arrowBrush_, disabledArrow_;
    TTimer* timer_ = nullptr;  // owned as component, made on first use
    bool allowResize_ = false;
    bool arrows_ = true;
    bool autoRepeat_ = true;
    TBevelCut bevel_ = bvRaised;
    TZebScrollBarDrawStyle drawStyle_ = dsAlways;
    int initialDelay_ = 250;
    int minThumbSize_ = 4;
    int roundSize_ = 0;
    int size_ = 18;
    TNotifyEvent onChangeSize_, onScrolled_;
    TSetPositionEvent onSetPosition_;
    bool horizontal_ = false;
    int position_ = 0, pageSize_ = 0, maxPosition_ = 0;
    int thumbStart_ = 0, thumbEnd_ = 0;
    TScrollBarPart pressed_ = sbpNone;
    TPoint last_{};
    bool decreaseHot_ = false, increaseHot_ = false;
};
