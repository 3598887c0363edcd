#pragma once
// TRadioGroup: a group box holding one radio button per item, laid out in Columns. ItemIndex is the
// checked item; OnClick fires when it changes, by the user or in code (not while reading a stored
// description).
#include <memory>
#include <vector>

#include "platform/forms/GroupBox.h"

class TStrings;
class TRadioButton;
class TRadioGroupItems;

class TRadioGroup : public TCustomGroupBox {
    TV_CLASS(TRadioGroup, TCustomGroupBox)
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings* Items() const;
    void SetItems(TStrings* value);  // copies
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int Columns() const { return columns_; }
    void SetColumns(int value);
    // The button of an item (the group makes and owns them).
    TRadioButton* Buttons(int index) const;
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

protected:
    void Loaded() override;
    void Resize() override;
    void CMEnabledChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;

private:
    friend class TRadioGroupItems;
    void rebuild();
    void arrange();
    void buttonClicked(TObject* sender);

    std::unique_ptr<TRadioGroupItems> items_;
    std::vector<TRadioButton*> buttons_;  // owned by the group
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

void RegisterRadioGroups();
