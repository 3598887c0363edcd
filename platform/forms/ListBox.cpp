// TListBox: items in a string list that tells the control of every change, so the selection flags
// move with their items.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/StringList.h"

using tvforms::MeasureCanvas;

class TListBoxItems : public TStringList {
public:
    explicit TListBoxItems(TListBox* box) : box_(box) {}
    void Put(int index, const String& s) override
    {
        TStringList::Put(index, s);
        changed();
    }
    void InsertObject(int index, const String& s, TObject* o) override
    {
        TStringList::InsertObject(index, s, o);
        box_->selected_.insert(box_->selected_.begin() + index, false);
        if (box_->itemIndex_ >= index) ++box_->itemIndex_;
        changed();
    }
    void Insert(int index, const String& s) override { InsertObject(index, s, nullptr); }
    int AddObject(const String& s, TObject* o) override
    {
        int before = Count();
        int i = TStringList::AddObject(s, o);
        if (Count() > before) {
            box_->selected_.insert(box_->selected_.begin() + i, false);
            if (box_->itemIndex_ >= i) ++box_->itemIndex_;
        }
        changed();
        return i;
    }
    int Add(const String& s) override { return AddObject(s, nullptr); }
    void Delete(int index) override
    {
        TStringList::Delete(index);
        box_->selected_.erase(box_->selected_.begin() + index);
        if (box_->itemIndex_ == index)
            box_->itemIndex_ = -1;
        else if (box_->itemIndex_ > index)
            --box_->itemIndex_;
        changed();
    }
    void Clear() override
    {
        TStringList::Clear();
        box_->selected_.clear();
        box_->itemIndex_ = -1;
        box_->topIndex_ = 0;
        changed();
    }
    void Exchange(int a, int b) override
    {
        TStringList::Exchange(a, b);
        std::vector<bool>::swap(box_->selected_[static_cast<size_t>(a)], box_->selected_[static_cast<size_t>(b)]);
        changed();
    }
    void Sort() override
    {
        TStringList::Sort();
        // Sorting moves items under their flags: the choice starts over.
        box_->selected_.assign(static_cast<size_t>(Count()), false);
        box_->itemIndex_ = -1;
        changed();
    }
    void Assign(const TStrings& other) override
    {
        BeginUpdate();
        Clear();
        for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
        EndUpdate();
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating) box_->Invalidate();
    }

private:
    void changed()
    {
        if (UpdateCount() == 0) box_->Invalidate();
    }
    TListBox* box_;
};

TV_PUBLISHED(TListBox)
{
    Prop("Items", &TListBox::Items, &TListBox::SetItems);
    Prop("Sorted", &TListBox::Sorted, &TListBox::SetSorted, false);
    Prop("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect, false);
    Prop("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight, 13);
    PropEnum("BorderStyle", &TListBox::BorderStyle, &TListBox::SetBorderStyle, bsSingle, TBorderStyleNames);
    PropEnum("Style", &TListBox::Style, &TListBox::SetStyle, lbStandard, TListBoxStyleNames);
    Prop("OnDrawItem", &TListBox::OnDrawItem, &TListBox::SetOnDrawItem);
    Prop("TabStop", &TListBox::TabStop, &TListBox::SetTabStop, true);
    PropColor("Color", &TListBox::Color, &TListBox::SetColor, clWindow).Stored(&TListBox::IsColorStored);
    Prop("ParentColor", &TListBox::ParentColor, &TListBox::SetParentColor, false);
}

TListBox::TListBox(TComponent* owner) : TCustomControl(owner), items_(std::make_unique<TListBoxItems>(this))
{
    // Clicks are reported by the item choice, not by every press.
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csOpaque});
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

TStrings* TListBox::Items() const { return items_.get(); }

void TListBox::SetItems(TStrings* value)
{
    if (value) items_->Assign(*value);
}

int TListBox::Count() const { return items_->Count(); }

void TListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= Count()) value = -1;
    itemIndex_ = value;
    if (!multiSelect_) std::fill(selected_.begin(), selected_.end(), false);
    if (value >= 0) {
        if (!multiSelect_) selected_[static_cast<size_t>(value)] = true;
        anchor_ = value;
        makeVisible(value);
    }
    Invalidate();
}

bool TListBox::Selected(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return selected_[static_cast<size_t>(index)];
}

void TListBox::SetSelected(int index, bool value)
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    if (!multiSelect_) {
        if (value)
            SetItemIndex(index);
        else if (index == itemIndex_)
            SetItemIndex(-1);
        return;
    }
    selected_[static_cast<size_t>(index)] = value;
    Invalidate();
}

int TListBox::SelCount() const
{
    if (!multiSelect_) return -1;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

void TListBox::ClearSelection()
{
    std::fill(selected_.begin(), selected_.end(), false);
    if (!multiSelect_) itemIndex_ = -1;
    Invalidate();
}

void TListBox::SelectAll()
{
    if (!multiSelect_) return;
    std::fill(selected_.begin(), selected_.end(), true);
    Invalidate();
}

void TListBox::SetSorted(bool value)
{
    if (sorted_ == value) return;
    sorted_ = value;
    items_->SetSorted(value);
    if (value) items_->Sort();
}

void TListBox::SetMultiSelect(bool value)
{
    if (multiSelect_ == value) return;
    multiSelect_ = value;
    std::fill(selected_.begin(), selected_.end(), false);
    if (!value && itemIndex_ >= 0) selected_[static_cast<size_t>(itemIndex_)] = true;
    Invalidate();
}

int TListBox::ItemHeight() const
{
    if (itemHeight_ > 0) return itemHeight_;
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    return std::max(13, c.TextHeight("Wg"));
}

void TListBox::SetTopIndex(int value)
{
    topIndex_ = std::clamp(value, 0, std::max(0, Count() - visibleRows()));
    Invalidate();
}

void TListBox::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value;
    FrameChanged();
}

TRect TListBox::GetClientMargins() const
{
    int w = borderStyle_ == bsSingle ? 2 : 0;
    return Rect(w, w, w, w);
}

void TListBox::Clear() { items_->Clear(); }

int TListBox::visibleRows() const { return std::max(1, ClientHeight() / ItemHeight()); }

TRect TListBox::ItemRect(int index) const
{
    const int h = ItemHeight();
    const int top = (index - topIndex_) * h;
    return Rect(0, top, ClientWidth(), top + h);
}

int TListBox::ItemAtPos(TPoint pos, bool existing) const
{
    if (pos.X < 0 || pos.X >= ClientWidth() || pos.Y < 0) return -1;
    int index = topIndex_ + pos.Y / ItemHeight();
    if (index < Count()) return index;
    return existing ? -1 : Count();
}

void TListBox::makeVisible(int index)
{
    if (index < topIndex_)
        topIndex_ = index;
    else if (index >= topIndex_ + visibleRows())
        topIndex_ = index - visibleRows() + 1;
}

void TListBox::userPicked(int index, TShiftState shift)
{
    if (index < 0 || index >= Count()) return;
    if (!multiSelect_) {
        if (index == itemIndex_) return;
        SetItemIndex(index);
    } else if (shift.Contains(ssCtrl)) {
        selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
        itemIndex_ = anchor_ = index;
    } else if (shift.Contains(ssShift) && anchor_ >= 0) {
        std::fill(selected_.begin(), selected_.end(), false);
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
            selected_[static_cast<size_t>(i)] = true;
        itemIndex_ = index;
    } else {
        std::fill(selected_.begin(), selected_.end(), false);
        selected_[static_cast<size_t>(index)] = true;
        itemIndex_ = anchor_ = index;
    }
    makeVisible(index);
    Invalidate();
    Click();
}

void TListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus()) SetFocus();
    TCustomControl::MouseDown(button, shift, x, y);
    if (button == mbLeft && !shift.Contains(ssDouble)) userPicked(ItemAtPos(Point(x, y), true), shift);
}

void TListBox::KeyDown(Word& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    int to = -2;
    switch (key) {
    case 0x26: to = std::max(0, itemIndex_ - 1); break;                        // up
    case 0x28: to = std::min(Count() - 1, itemIndex_ + 1); break;              // down
    case 0x24: to = 0; break;                                                  // home
    case 0x23: to = Count() - 1; break;                                        // end
    case 0x21: to = std::max(0, itemIndex_ - visibleRows()); break;            // page up
    case 0x22: to = std::min(Count() - 1, itemIndex_ + visibleRows()); break;  // page down
    default: return;
    }
    if (Count() == 0) return;
    userPicked(to, shift - TShiftState{ssCtrl});
    key = 0;
}

bool TListBox::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    SetTopIndex(topIndex_ - wheelDelta / 40);
    return true;
}

void TListBox::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    for (int i = topIndex_; i < Count(); ++i) {
        TRect r = ItemRect(i);
        if (r.Top >= ClientHeight()) break;
        const bool sel = selected_[static_cast<size_t>(i)];
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(sel ? clHighlight : Color());
        if (style_ == lbOwnerDrawFixed) {
            c.Font()->SetColor(sel ? clHighlightText : Font()->Color());
            DrawItem(i, r, TOwnerDrawState{sel, i == itemIndex_ && Focused()});
            c.Font()->SetColor(Font()->Color());
            continue;
        }
        c.FillRect(r);
        c.Font()->SetColor(sel ? clHighlightText : (IsEnabledInTree() ? Font()->Color() : clGrayText));
        c.Brush()->SetStyle(bsClear);
        TRect text = Rect(r.Left + 2, r.Top, r.Right, r.Bottom);
        DrawText(tvforms::Ready(c), items_->Get(i), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (i == itemIndex_ && Focused()) c.DrawFocusRect(r);
    }
    c.Font()->SetColor(Font()->Color());
}

void TListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    if (onDrawItem_) return onDrawItem_(this, index, rect, state);
    TCanvas& c = *Canvas();
    c.FillRect(rect);
    c.Brush()->SetStyle(bsClear);
    TRect text = Rect(rect.Left + 2, rect.Top, rect.Right, rect.Bottom);
    DrawText(tvforms::Ready(c), items_->Get(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TListBox::PaintNonClient(TCanvas& canvas)
{
    if (borderStyle_ != bsSingle) return TCustomControl::PaintNonClient(canvas);
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(tvforms::Ready(canvas), r, EDGE_SUNKEN, BF_RECT);
}

void RegisterListBoxes() { RegisterClass(TListBox::StaticClass()); }
