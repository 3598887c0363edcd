#pragma once
// TListBox: a list of texts, each with an object, painted by the control. OnClick fires when the
// user picks an item (mouse or arrow keys), not when ItemIndex or Selected is set in code.
// MultiSelect: a click picks one item, Ctrl+click toggles one, Shift+click picks a run.
#include <memory>
#include <vector>

#include "platform/forms/CustomControls.h"

class TStrings;
class TListBoxItems;

// lbOwnerDrawFixed: every row has ItemHeight and is drawn by DrawItem (OnDrawItem when assigned).
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed };
inline constexpr const char* TListBoxStyleNames[] = {"lbStandard", "lbOwnerDrawFixed"};
// Selected: the row is chosen; Focused: the row is the current one and the list has the focus.
struct TOwnerDrawState {
    bool Selected = false;
    bool Focused = false;
};
using TDrawItemEvent = TMethodEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBox : public TCustomControl {
    TV_CLASS(TListBox, TCustomControl)
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings* Items() const;
    void SetItems(TStrings* value);  // copies texts and objects
    int Count() const;
    // The focused item; in a single-choice list also the one chosen (-1: none).
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    bool Selected(int index) const;
    void SetSelected(int index, bool value);
    int SelCount() const;
    void ClearSelection();
    void SelectAll();
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    int ItemHeight() const;
    void SetItemHeight(int value)
    {
        itemHeight_ = value;
        Invalidate();
    }
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int value);
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle value)
    {
        style_ = value;
        Invalidate();
    }
    const TDrawItemEvent& OnDrawItem() const { return onDrawItem_; }
    void SetOnDrawItem(const TDrawItemEvent& e) { onDrawItem_ = e; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    void Clear();
    // The item under a client point (-1 when none, or the count when existing is false and the
    // point lies below the last item).
    int ItemAtPos(TPoint pos, bool existing) const;
    TRect ItemRect(int index) const;

    TRect GetClientMargins() const override;

protected:
    void Paint() override;
    // An owner-drawn row: OnDrawItem when assigned, else the standard row; the canvas has the
    // list's font and the row's background brush.
    virtual void DrawItem(int index, TRect rect, TOwnerDrawState state);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void PaintNonClient(TCanvas& canvas) override;

private:
    friend class TListBoxItems;
    void userPicked(int index, TShiftState shift);
    void makeVisible(int index);
    int visibleRows() const;

    std::unique_ptr<TListBoxItems> items_;
    std::vector<bool> selected_;  // beside the items, index for index
    int itemIndex_ = -1;
    int anchor_ = -1;  // start of a Shift run
    int topIndex_ = 0;
    int itemHeight_ = 0;
    bool sorted_ = false;
    bool multiSelect_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    TListBoxStyle style_ = lbStandard;
    TDrawItemEvent onDrawItem_;
};

void RegisterListBoxes();
