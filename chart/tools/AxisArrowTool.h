#pragma once
// Clickable arrows at the ends of an axis that scroll its range by a percentage.
#include "chart/core/ChartTools.h"

enum TAxisArrowToolPosition { aaStart, aaEnd, aaBoth };
inline constexpr const char* TAxisArrowToolPositionNames[] = {"aaStart", "aaEnd", "aaBoth"};
static_assert(std::size(TAxisArrowToolPositionNames) == aaBoth + 1);

class TAxisArrowTool;
using TAxisArrowClickEvent = TMethodEvent<void(TAxisArrowTool* Sender, bool AtStart)>;

class TAxisArrowTool : public TZebCustomToolAxis {
    TV_CLASS(TAxisArrowTool, TZebCustomToolAxis)
public:
    using TZebCustomToolAxis::TZebCustomToolAxis;
    void Assign(TPersistent* source) override;
    void ChartDrawStage(TChartDrawStage stage) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;

    TAxisArrowToolPosition Position() const { return position_; }
    void SetPosition(TAxisArrowToolPosition value) { Change(position_, value); }
    int HeadWidth() const { return headWidth_; }
    void SetHeadWidth(int value) { ChangeInteger(headWidth_, value); }
    int Length() const { return length_; }
    void SetLength(int value) { ChangeInteger(length_, value); }
    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }
    int ScrollPercent() const { return scrollPercent_; }
    void SetScrollPercent(int value) { scrollPercent_ = value; }
    int SizePercent() const { return sizePercent_; }
    void SetSizePercent(int value) { ChangeInteger(sizePercent_, value); }
    const TAxisArrowClickEvent& OnClick() const { return onClick_; }
    void SetOnClick(TAxisArrowClickEvent value) { onClick_ = std::move(value); }

    // 0 the start arrow, 1 the end arrow, -1 none.
    int ClickedArrow(int x, int y) const;

private:
    bool hasStart() const { return position_ != aaEnd; }
    bool hasEnd() const { return position_ != aaStart; }

    TAxisArrowToolPosition position_ = aaBoth;
    int headWidth_ = 8;
    int length_ = 16;
    bool scrollInverted_ = false;
    int scrollPercent_ = 10;
    int sizePercent_ = 50;
    TAxisArrowClickEvent onClick_;
};
