#pragma once
// TComboBox. OnChange fires on user edits and user selection only (never for ItemIndex/Text set in
// code); filling Items keeps the edit text.
#include <iterator>

#include "platform/forms/WinControl.h"

class TStrings;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
inline constexpr const char* TComboBoxStyleNames[] = {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                                                      "csOwnerDrawVariable"};
static_assert(std::size(TComboBoxStyleNames) == csOwnerDrawVariable + 1);

class TComboItems;

class TComboBox : public TWinControl {
    TV_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // Changing the items keeps the edit text (csDropDown).
    TStrings* Items() const;
    void SetItems(TStrings* value);  // copies
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    bool DroppedDown() const { return false; }
    void Clear();

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    const TNotifyEvent& OnSelect() const { return onSelect_; }
    void SetOnSelect(const TNotifyEvent& e) { onSelect_ = e; }
    const TNotifyEvent& OnDropDown() const { return onDropDown_; }
    void SetOnDropDown(const TNotifyEvent& e) { onDropDown_ = e; }

    // Private to the layer: the user typed or picked an item.
    void UserEdited(const String& text);
    void UserSelected(int index);

protected:
    virtual void Change();
    virtual void Select();
    void Loaded() override;
    String GetText() const override;
    void SetTextValue(const String& value) override;
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    friend class TComboItems;
    void itemsChanged();
    void pushToHost();

    std::unique_ptr<TComboItems> items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int loadedIndex_ = -1;  // ItemIndex read before the items it names
    String value_;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool sorted_ = false;
    int itemHeight_ = 13;
    TNotifyEvent onChange_, onSelect_, onDropDown_;
};
