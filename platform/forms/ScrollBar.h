#pragma once
// TScrollBar: a stand-alone scroll bar.
#include <iterator>

#include "platform/forms/WinControl.h"

enum TScrollBarKind { sbHorizontal, sbVertical };
inline constexpr const char* TScrollBarKindNames[] = {"sbHorizontal", "sbVertical"};
static_assert(std::size(TScrollBarKindNames) == sbVertical + 1);

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TMethodEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    TV_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    // EInvalidOperation "Scroll bar property out of range" when min > max.
    void SetParams(int position, int min, int max);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    const TScrollEvent& OnScroll() const { return onScroll_; }
    void SetOnScroll(const TScrollEvent& e) { onScroll_ = e; }

    // Private to the layer: the user moved the bar.
    void UserScrolled(TScrollCode code, int position);

protected:
    virtual void Change();
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0;
    int smallChange_ = 1, largeChange_ = 1, pageSize_ = 0;
    TNotifyEvent onChange_;
    TScrollEvent onScroll_;
};
