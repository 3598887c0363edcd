#pragma once
// The tail of a series mark: a wedge on one edge of the box pointing at the point, which turns the
// box into a speech balloon.
#include <array>
#include <iterator>

#include "chart/canvas/ZebPersistent.h"
#include "platform/graphics/GraphicsTypes.h"

enum TTailAlign { ttaNear, ttaCenter, ttaFar };
inline constexpr const char* TTailAlignNames[] = {"ttaNear", "ttaCenter", "ttaFar"};
static_assert(std::size(TTailAlignNames) == ttaFar + 1);

// The box edge the tail leaves from.
enum TTailEdge { teLeft, teTop, teRight, teBottom };

class TMarksTail : public TZebPersistent {
    TV_CLASS(TMarksTail, TZebPersistent)
public:
    // onChange repaints the series.
    explicit TMarksTail(TNotifyEvent onChange = {}) : TZebPersistent(std::move(onChange)) {}
    // Everything but the edge and the custom-tip flag.
    void Assign(TPersistent* source) override;

    // On: the edge follows the arrow and the tail is centred (unless a custom tip is used).
    bool AutoAlign() const { return autoAlign_; }
    void SetAutoAlign(bool value) { Change(autoAlign_, value); }
    TTailAlign Align() const { return align_; }
    void SetAlign(TTailAlign value);
    int Height() const { return height_; }
    void SetHeight(int value) { Change(height_, value); }
    int Margin() const { return margin_; }
    void SetMargin(int value) { Change(margin_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Change(visible_, value); }
    int Width() const { return width_; }
    void SetWidth(int value) { Change(width_, value); }

    bool UseTipPoint() const { return useTipPoint_; }
    void SetUseTipPoint(bool value) { Change(useTipPoint_, value); }
    TPoint TipPoint() const { return tipPoint_; }
    // Always repaints.
    void SetTipPoint(TPoint value);
    TTailEdge Edge() const { return edge_; }
    void SetEdge(TTailEdge value);

    // The box (left, top, right, bottom) as a seven-point outline with the tail. yMandatory: the
    // series' points are ordered by X (the automatic edge is then the top or bottom one).
    std::array<TPoint, 7> Polygon(const TRect& box, TPoint arrowFrom, TPoint arrowTo, bool yMandatory) const;

private:
    bool autoAlign_ = true;
    bool useTipPoint_ = false;
    TPoint tipPoint_;
    int height_ = 8;
    TTailAlign align_ = ttaCenter;
    int margin_ = 0;
    bool visible_ = false;
    int width_ = 8;
    TTailEdge edge_ = teBottom;
};
