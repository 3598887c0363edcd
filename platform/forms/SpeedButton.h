#pragma once
// TSpeedButton: a windowless button that never takes the focus. With a GroupIndex it stays down:
// pressing one button of a group releases the others of the same parent and group; with
// AllowAllUp a down button comes up when pressed again.
#include <memory>

#include "platform/forms/CustomControls.h"

class TBitmap;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
inline constexpr const char* TButtonLayoutNames[] = {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};

class TSpeedButton : public TGraphicControl {
    TV_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    // Only a grouped button stays down; setting it releases the group's others.
    bool Down() const { return down_; }
    void SetDown(bool value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    // Drawn beside the caption; its bottom-left pixel is the transparent colour.
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* value);
    // Press and release as the user does.
    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    std::unique_ptr<TBitmap> glyph_;
    int groupIndex_ = 0;
    bool flat_ = false;
    bool allowAllUp_ = false;
    bool down_ = false;
    bool pressed_ = false;  // the mouse holds it
    bool hot_ = false;
    TButtonLayout layout_ = blGlyphLeft;
};

void RegisterSpeedButtons();
