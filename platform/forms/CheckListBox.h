#pragma once
// TCheckListBox: a list box with a check box before every row. A click on the box cycles its
// state (unchecked, checked, and grayed when AllowGrayed) and fires OnClickCheck; setting a state
// in code fires nothing.
#include <vector>

#include "platform/forms/Buttons.h"
#include "platform/forms/ListBox.h"

class TCheckListBox : public TListBox {
    TV_CLASS(TCheckListBox, TListBox)
public:
    explicit TCheckListBox(TComponent* owner);

    bool Checked(int index) const { return State(index) == cbChecked; }
    void SetChecked(int index, bool value) { SetState(index, value ? cbChecked : cbUnchecked); }
    TCheckBoxState State(int index) const;
    void SetState(int index, TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    const TNotifyEvent& OnClickCheck() const { return onClickCheck_; }
    void SetOnClickCheck(const TNotifyEvent& e) { onClickCheck_ = e; }
    // The user's click on a row's check box.
    void ToggleCheck(int index);

    // Width of the check column.
    static constexpr int CheckWidth = 16;

protected:
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // Rows are keyed by position; the list grows the states as items arrive.
    mutable std::vector<TCheckBoxState> states_;
    bool allowGrayed_ = false;
    TNotifyEvent onClickCheck_;
};

void RegisterCheckListBoxes();
