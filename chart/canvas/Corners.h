#pragma once
// Per-corner styles of rounded rectangles (bar series, shapes, callouts): round, bevelled or square.
#include <iterator>

#include "chart/canvas/ZebPersistent.h"
#include "platform/graphics/GraphicsTypes.h"

class TZebCanvas;
class TZebBasePath;

enum TZebCornerStyle { cosRound, cosBevel, cosNone };
inline constexpr const char* TZebCornerStyleNames[] = {"cosRound", "cosBevel", "cosNone"};
static_assert(std::size(TZebCornerStyleNames) == cosNone + 1);

class TZebCorner : public TZebPersistent {
    TV_CLASS(TZebCorner, TZebPersistent)
public:
    explicit TZebCorner(TNotifyEvent onChange = {}) : TZebPersistent(std::move(onChange)) {}
    void Assign(TPersistent* source) override;

    TZebCornerStyle Style() const { return style_; }
    void SetStyle(TZebCornerStyle value);

private:
    TZebCornerStyle style_ = cosRound;
};

class TZebCorners : public TZebPersistent {
    TV_CLASS(TZebCorners, TZebPersistent)
public:
    explicit TZebCorners(TNotifyEvent onChange = {});
    ~TZebCorners() override;
    void Assign(TPersistent* source) override;

    TZebCorner* LeftBottom() const { return leftBottom_; }
    void SetLeftBottom(TZebCorner* value) { leftBottom_->Assign(value); }
    TZebCorner* LeftTop() const { return leftTop_; }
    void SetLeftTop(TZebCorner* value) { leftTop_->Assign(value); }
    TZebCorner* RightBottom() const { return rightBottom_; }
    void SetRightBottom(TZebCorner* value) { rightBottom_->Assign(value); }
    TZebCorner* RightTop() const { return rightTop_; }
    void SetRightTop(TZebCorner* value) { rightTop_->Assign(value); }

    // The outline of the rectangle with each corner in its style, as one closed figure of a new
    // path of the canvas (the caller frees it). Corner sizes are made even and limited to the
    // rectangle.
    TZebBasePath* BuildCornerPath(TZebCanvas& canvas, const TRect& rect, int cornerWidth, int cornerHeight) const;

private:
    TZebCorner* leftBottom_;   // owned
    TZebCorner* leftTop_;      // owned
    TZebCorner* rightBottom_;  // owned
    TZebCorner* rightTop_;     // owned
};
