// TRadioGroup: the buttons are remade whenever the items change and placed in columns, top to
// bottom first.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/StringList.h"

class TRadioGroupItems : public TStringList {
public:
    explicit TRadioGroupItems(TRadioGroup* group) : group_(group) {}

protected:
    void Changed() override
    {
        TStringList::Changed();
        if (UpdateCount() == 0) group_->rebuild();
    }

private:
    TRadioGroup* group_;
};

TV_PUBLISHED(TRadioGroup)
{
    Prop("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns, 1);
    Prop("Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
    Prop("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex, -1);
    PropColor("Color", &TRadioGroup::Color, &TRadioGroup::SetColor, clBtnFace).Stored(&TRadioGroup::IsColorStored);
    Prop("ParentColor", &TRadioGroup::ParentColor, &TRadioGroup::SetParentColor, true);
}

TRadioGroup::TRadioGroup(TComponent* owner) : TCustomGroupBox(owner), items_(std::make_unique<TRadioGroupItems>(this))
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks, csParentBackground});
    SetColor(clBtnFace);
    SetParentColor(true);  // the face colour until it has a parent
}

TRadioGroup::~TRadioGroup() = default;

TStrings* TRadioGroup::Items() const { return items_.get(); }

void TRadioGroup::SetItems(TStrings* value)
{
    if (value) items_->Assign(*value);
}

TRadioButton* TRadioGroup::Buttons(int index) const
{
    if (index < 0 || index >= ButtonCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return buttons_[static_cast<size_t>(index)];
}

void TRadioGroup::SetColumns(int value)
{
    value = std::clamp(value, 1, 16);
    if (columns_ == value) return;
    columns_ = value;
    arrange();
    Invalidate();
}

void TRadioGroup::SetItemIndex(int value)
{
    if (IsLoading()) {
        itemIndex_ = value;
        return;
    }
    value = std::clamp(value, -1, ButtonCount() - 1);
    if (value == itemIndex_) return;
    if (value < 0) {
        itemIndex_ = -1;
        updating_ = true;
        for (TRadioButton* b : buttons_) b->SetChecked(false);
        updating_ = false;
        return;
    }
    // Checking the button reports the click, as a user's choice does.
    buttons_[static_cast<size_t>(value)]->SetChecked(true);
}

void TRadioGroup::buttonClicked(TObject* sender)
{
    if (updating_) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), sender);
    if (it == buttons_.end() || !(*it)->Checked()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    if (!IsLoading()) Click();
}

void TRadioGroup::rebuild()
{
    if (IsDestroying()) return;
    updating_ = true;
    while (static_cast<int>(buttons_.size()) > items_->Count()) {
        buttons_.back()->Free();
        buttons_.pop_back();
    }
    while (static_cast<int>(buttons_.size()) < items_->Count()) {
        auto* b = new TRadioButton(this);
        b->SetOnClick(TNotifyEvent(this, &TRadioGroup::buttonClicked));
        b->SetParent(this);
        buttons_.push_back(b);
    }
    for (int i = 0; i < ButtonCount(); ++i) {
        TRadioButton* b = buttons_[static_cast<size_t>(i)];
        b->SetCaption(items_->Get(i));
        b->SetEnabled(Enabled());
        b->SetChecked(i == itemIndex_);
    }
    if (itemIndex_ >= ButtonCount()) itemIndex_ = -1;
    updating_ = false;
    arrange();
}

void TRadioGroup::arrange()
{
    if (buttons_.empty()) return;
    TCanvas& c = tvforms::MeasureCanvas();
    c.SetFont(Font());
    const int textHeight = c.TextHeight("0");
    const int count = ButtonCount();
    const int rows = (count + columns_ - 1) / columns_;
    const int width = std::max(0, (Width() - 10) / columns_);
    const int top = textHeight + 1;
    const int each = std::max(textHeight + 2, (Height() - top - 5) / std::max(1, rows));
    const int buttonHeight = std::min(each, textHeight + 6);
    for (int i = 0; i < count; ++i) {
        int col = i / rows, row = i % rows;
        buttons_[static_cast<size_t>(i)]->SetBounds(col * width + 8, top + row * each + (each - buttonHeight) / 2,
                                                    width, buttonHeight);
    }
}

void TRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    int index = std::clamp(itemIndex_, -1, ButtonCount() - 1);
    updating_ = true;
    for (int i = 0; i < ButtonCount(); ++i) buttons_[static_cast<size_t>(i)]->SetChecked(i == index);
    updating_ = false;
    itemIndex_ = index;
    arrange();
}

void TRadioGroup::Resize()
{
    TCustomGroupBox::Resize();
    arrange();
}

void TRadioGroup::CMEnabledChanged(TMessage& m)
{
    TCustomGroupBox::CMEnabledChanged(m);
    for (TRadioButton* b : buttons_) b->SetEnabled(Enabled());
}

void TRadioGroup::CMFontChanged(TMessage& m)
{
    TCustomGroupBox::CMFontChanged(m);
    arrange();
}

void TRadioGroup::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    // The buttons belong to the items; other children are stored as usual.
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == root && std::find(buttons_.begin(), buttons_.end(), c) == buttons_.end()) proc(c);
    }
}

void RegisterRadioGroups() { RegisterClass(TRadioGroup::StaticClass()); }
