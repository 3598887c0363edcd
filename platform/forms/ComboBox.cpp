// TComboBox on the native combo box; its items are a string list that updates the widget.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/rtl/StringList.h"

using tvforms::Q;
using tvforms::S;
using tvforms::Wire;

class TComboItems : public TStringList {
public:
    explicit TComboItems(TComboBox* combo) : combo_(combo) {}
    void Put(int index, const String& s) override
    {
        TStringList::Put(index, s);
        changed();
    }
    void Insert(int index, const String& s) override
    {
        TStringList::Insert(index, s);
        changed();
    }
    void InsertObject(int index, const String& s, TObject* o) override
    {
        TStringList::InsertObject(index, s, o);
        changed();
    }
    int Add(const String& s) override
    {
        int i = TStringList::Add(s);
        changed();
        return i;
    }
    int AddObject(const String& s, TObject* o) override
    {
        int i = TStringList::AddObject(s, o);
        changed();
        return i;
    }
    void Delete(int index) override
    {
        TStringList::Delete(index);
        changed();
    }
    void Clear() override
    {
        TStringList::Clear();
        changed();
    }
    void Exchange(int a, int b) override
    {
        TStringList::Exchange(a, b);
        changed();
    }
    void Assign(const TStrings& other) override
    {
        BeginUpdate();
        TStringList::Assign(other);
        EndUpdate();
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating) combo_->itemsChanged();
    }

private:
    void changed()
    {
        if (UpdateCount() == 0) combo_->itemsChanged();
    }
    TComboBox* combo_;
};

TV_PUBLISHED(TComboBox)
{
    PropEnum("Style", &TComboBox::Style, &TComboBox::SetStyle, csDropDown, TComboBoxStyleNames);
    Prop("Items", &TComboBox::Items, &TComboBox::SetItems);
    Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1);
    Prop("Text", &TComboBox::Text, &TComboBox::SetText);
    Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount, 8);
    Prop("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength, 0);
    Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, false);
    Prop("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight, 13);
    Prop("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop, true);
    PropColor("Color", &TComboBox::Color, &TComboBox::SetColor, clWindow).Stored(&TComboBox::IsColorStored);
    Prop("ParentColor", &TComboBox::ParentColor, &TComboBox::SetParentColor, false);
    Prop("OnChange", &TComboBox::OnChange, &TComboBox::SetOnChange);
    Prop("OnSelect", &TComboBox::OnSelect, &TComboBox::SetOnSelect);
    Prop("OnDropDown", &TComboBox::OnDropDown, &TComboBox::SetOnDropDown);
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TComboItems>(this))
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);  // the colour is already the window colour, so SetColor left the flag on
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() = default;

TStrings* TComboBox::Items() const { return items_.get(); }

void TComboBox::SetItems(TStrings* value)
{
    if (value) items_->Assign(*value);
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    if (!AssignIfChanged(style_, value)) return;
    if (style_ == csDropDownList && itemIndex_ < 0) value_.clear();
    pushToHost();
}

void TComboBox::SetSorted(bool value)
{
    sorted_ = value;
    items_->SetSorted(value);
}

void TComboBox::SetItemIndex(int value)
{
    if (IsLoading()) loadedIndex_ = value;
    if (value < -1 || value >= items_->Count()) value = -1;
    itemIndex_ = value;
    value_ = value >= 0 ? items_->Get(value) : String();
    pushToHost();
}

void TComboBox::Loaded()
{
    TWinControl::Loaded();
    // A stored description names the item before its list of items.
    if (loadedIndex_ >= 0 && itemIndex_ < 0) SetItemIndex(loadedIndex_);
    loadedIndex_ = -1;
}

void TComboBox::Clear()
{
    items_->Clear();
    SetItemIndex(-1);
}

String TComboBox::GetText() const { return value_; }

void TComboBox::SetTextValue(const String& value)
{
    int index = items_->IndexOf(value);
    if (style_ == csDropDownList) {
        itemIndex_ = index;
        value_ = index >= 0 ? items_->Get(index) : String();
    } else {
        value_ = value;
        itemIndex_ = index;
    }
    pushToHost();
}

void TComboBox::itemsChanged()
{
    // The edit text stays; the selection follows it.
    if (style_ == csDropDownList) {
        if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
        value_ = itemIndex_ >= 0 ? items_->Get(itemIndex_) : String();
    } else {
        itemIndex_ = items_->IndexOf(value_);
    }
    pushToHost();
}

std::unique_ptr<THostWindow> TComboBox::CreateHostWindow() { return MakeHost<QComboBox>(this, true); }

void TComboBox::HostCreated()
{
    auto* w = HostWidgetAs<QComboBox>(this);
    if (!w) return;
    w->setFocusPolicy(Qt::StrongFocus);
    w->setInsertPolicy(QComboBox::NoInsert);
    Wire(this, w, qOverload<int>(&QComboBox::activated), [this](int index) { UserSelected(index); });
    pushToHost();
}

void TComboBox::pushToHost()
{
    auto* w = HostWidgetAs<QComboBox>(this);
    if (!w) return;
    QSignalBlocker block(w);
    bool editable = style_ != csDropDownList;
    if (w->isEditable() != editable) w->setEditable(editable);
    if (editable && w->lineEdit() && w->lineEdit()->property("tvWired").isNull()) {
        QLineEdit* e = w->lineEdit();
        e->setProperty("tvWired", true);
        Wire(this, e, &QLineEdit::textEdited, [this](const QString& text) { UserEdited(S(text)); });
    }
    w->clear();
    QStringList list;
    for (int i = 0; i < items_->Count(); ++i) list << Q(items_->Get(i));
    w->addItems(list);
    w->setCurrentIndex(itemIndex_);
    if (editable && w->lineEdit()) {
        QSignalBlocker blockEdit(w->lineEdit());
        w->lineEdit()->setText(Q(value_));
    }
}

void TComboBox::UserEdited(const String& text)
{
    value_ = text;
    itemIndex_ = items_->IndexOf(text);
    Change();
}

void TComboBox::UserSelected(int index)
{
    if (index < 0 || index >= items_->Count()) return;
    itemIndex_ = index;
    value_ = items_->Get(index);
    pushToHost();
    Click();
    if (!tvforms::IsLive(this)) return;
    Select();
}

void TComboBox::Change()
{
    if (onChange_) onChange_(this);
}

void TComboBox::Select()
{
    if (onSelect_)
        onSelect_(this);
    else
        Change();
}
