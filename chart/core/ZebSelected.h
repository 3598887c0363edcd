#pragma once
// The highlight of one chart element (a series, a shape or a panel): the selection outline and the
// hover highlight of the point or mark under the mouse.
#include <memory>

#include "chart/core/TextShapes.h"

class TPersistent;

// Hover highlight settings: red text, a half-transparent red pen 3 wide.
class TZebHover : public TCustomTextShape {
    TV_CLASS(TZebHover, TCustomTextShape)
public:
    explicit TZebHover(TCustomZebPanel* panel = nullptr);
};

class TZebSelected : public TCustomTextShape {
    TV_CLASS(TZebSelected, TCustomTextShape)
public:
    // owner repaints when the highlight changes: a chart element, a shape or a panel.
    explicit TZebSelected(TPersistent* owner = nullptr);
    ~TZebSelected() override;
    // Hover first, then the shape settings.
    void Assign(TPersistent* source) override;

    TZebHover* Hover() const { return hover_.get(); }
    void SetHover(TZebHover* value);
    int HoverIndex() const { return hoverIndex_; }
    // Repaints the owner when it changes while the hover highlight is visible.
    void SetHoverIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    // Repaints the owner when it changes while the selection is visible.
    void SetSelectedIndex(int value);

private:
    void repaintOwner();

    TPersistent* owner_;
    std::unique_ptr<TZebHover> hover_;
    int hoverIndex_ = -1;
    int selectedIndex_ = -1;
};
