#pragma once
// The pen of chart elements: a class-library pen with end and join styles, small dots, visibility
// and an optional fill brush. Width, end style, join style and visibility are stored against
// defaults recorded per pen, so an owner can change them.
#include <iterator>

#include "platform/classes/Object.h"
#include "platform/graphics/GraphicsObjects.h"

class TZebBrush;

enum TPenEndStyle { esRound, esSquare, esFlat };
inline constexpr const char* TPenEndStyleNames[] = {"esRound", "esSquare", "esFlat"};
static_assert(std::size(TPenEndStyleNames) == esFlat + 1);

enum TPenJoinStyle { jsRound, jsBevel, jsMitter };
inline constexpr const char* TPenJoinStyleNames[] = {"jsRound", "jsBevel", "jsMitter"};
static_assert(std::size(TPenJoinStyleNames) == jsMitter + 1);

class TZebPen : public TPen {
    TV_CLASS(TZebPen, TPen)
public:
    explicit TZebPen(TNotifyEvent onChange = {});
    ~TZebPen() override;
    void Assign(TPersistent* source) override;
    // Assign for a source known to be a chart pen (the canvas selects one per segment).
    void AssignZebPen(const TZebPen& source);

    TPenEndStyle EndStyle() const { return endStyle_; }
    void SetEndStyle(TPenEndStyle value);
    TPenJoinStyle JoinStyle() const { return joinStyle_; }
    void SetJoinStyle(TPenJoinStyle value);
    bool SmallDots() const { return smallDots_; }
    void SetSmallDots(bool value);
    int SmallSpace() const { return smallSpace_; }
    void SetSmallSpace(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // The fill brush, created on first read with the pen's change event; null frees it.
    TZebBrush* Fill();
    void SetFill(TZebBrush* value);
    bool HasFill() const { return fill_ != nullptr; }
    bool HasGradientFill() const;

    void AssignColor(TColor value) { SetColor(value); }
    // Sets the end style and records it as the stored default.
    void InitEndStyle(TPenEndStyle value);
    // Width div 2 for a visible pen at least 2 wide, else 0.
    int HalfWidth() const;
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    bool IsWidthStored() const { return Width() != defaultWidth_; }
    bool IsEndStyleStored() const { return endStyle_ != defaultEndStyle_; }
    bool IsJoinStyleStored() const { return joinStyle_ != defaultJoinStyle_; }
    bool IsVisibleStored() const { return visible_ != defaultVisible_; }

    // Sets the visibility and records it as the stored default (hidden pens).
    void InitVisible(bool value);
    // Sets the width and records it as the stored default.
    void InitWidth(int value);

protected:
    void notify() { Changed(); }

private:
    TPenEndStyle endStyle_ = esRound;
    TPenJoinStyle joinStyle_ = jsRound;
    bool smallDots_ = false;
    int smallSpace_ = 0;
    bool visible_ = true;
    bool defaultVisible_ = true;
    TPenEndStyle defaultEndStyle_ = esRound;
    TPenJoinStyle defaultJoinStyle_ = jsRound;
    int defaultWidth_ = 1;
    TZebBrush* fill_ = nullptr;  // owned
};

// Hidden unless shown; its stored default is hidden.
class TZebHiddenPen : public TZebPen {
    TV_CLASS(TZebHiddenPen, TZebPen)
public:
    explicit TZebHiddenPen(TNotifyEvent onChange = {});
};

class TDarkGrayPen : public TZebPen {
    TV_CLASS(TDarkGrayPen, TZebPen)
public:
    explicit TDarkGrayPen(TNotifyEvent onChange = {});
};

class TWhitePen : public TZebPen {
    TV_CLASS(TWhitePen, TZebPen)
public:
    explicit TWhitePen(TNotifyEvent onChange = {});
};
