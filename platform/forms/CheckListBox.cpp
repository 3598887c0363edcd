#include "platform/forms/CheckListBox.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/StringList.h"

TV_PUBLISHED(TCheckListBox)
{
    PropEnum("Style", &TCheckListBox::Style, &TCheckListBox::SetStyle, lbOwnerDrawFixed, TListBoxStyleNames);
    Prop("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed, false);
    Prop("OnClickCheck", &TCheckListBox::OnClickCheck, &TCheckListBox::SetOnClickCheck);
}

TCheckListBox::TCheckListBox(TComponent* owner) : TListBox(owner) { SetStyle(lbOwnerDrawFixed); }

TCheckBoxState TCheckListBox::State(int index) const
{
    if (index < 0 || index >= Count()) return cbUnchecked;
    if (static_cast<int>(states_.size()) < Count()) states_.resize(static_cast<size_t>(Count()), cbUnchecked);
    return states_[static_cast<size_t>(index)];
}

void TCheckListBox::SetState(int index, TCheckBoxState value)
{
    if (index < 0 || index >= Count()) return;
    if (static_cast<int>(states_.size()) < Count()) states_.resize(static_cast<size_t>(Count()), cbUnchecked);
    states_[static_cast<size_t>(index)] = value;
    Invalidate();
}

void TCheckListBox::ToggleCheck(int index)
{
    if (index < 0 || index >= Count() || !Enabled()) return;
    const TCheckBoxState s = State(index);
    TCheckBoxState next = cbChecked;
    if (s == cbChecked)
        next = allowGrayed_ ? cbGrayed : cbUnchecked;
    else if (s == cbGrayed)
        next = cbUnchecked;
    SetState(index, next);
    if (onClickCheck_) onClickCheck_(this);
}

void TCheckListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    TCanvas& c = *Canvas();
    const TColor back = c.Brush()->Color();
    c.Brush()->SetColor(Color());
    c.FillRect(Rect(rect.Left, rect.Top, rect.Left + CheckWidth, rect.Bottom));
    const int top = rect.Top + (rect.Bottom - rect.Top - 13) / 2;
    unsigned flags = DFCS_BUTTONCHECK | DFCS_FLAT;
    const TCheckBoxState s = State(index);
    if (s != cbUnchecked) flags |= DFCS_CHECKED;
    if (s == cbGrayed) flags |= DFCS_INACTIVE;
    tvforms::Ready(c)->DrawFrameControl(Rect(rect.Left + 1, top, rect.Left + 14, top + 13), DFC_BUTTON, flags);
    c.Brush()->SetColor(back);
    TListBox::DrawItem(index, Rect(rect.Left + CheckWidth, rect.Top, rect.Right, rect.Bottom), state);
}

void TCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TListBox::MouseDown(button, shift, x, y);
    if (button != mbLeft || x >= CheckWidth) return;
    const int index = ItemAtPos(Point(x, y), true);
    if (index >= 0) ToggleCheck(index);
}

void RegisterCheckListBoxes() { RegisterClass(TCheckListBox::StaticClass()); }
