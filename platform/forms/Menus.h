#pragma once
// Pop-up menus: a TPopupMenu holds a tree of TMenuItem. A stored description nests the items in
// the menu and sub-items in their item. A caption of "-" is a separator.
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"

class TPopupMenu;

class TMenuItem : public TComponent {
    TV_CLASS(TMenuItem, TComponent)
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    String Caption() const { return caption_; }
    void SetCaption(const String& value) { caption_ = value; }
    // A radio item being checked unchecks the checked radio items of its GroupIndex beside it.
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value) { radioItem_ = value; }
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool IsLine() const { return caption_ == "-"; }
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& e) { onClick_ = e; }

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_[static_cast<size_t>(index)]; }
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Parent() const { return parent_; }
    // The pop-up menu the item belongs to (nullptr when none).
    TPopupMenu* GetParentMenu() const;
    // As the user picks it: AutoCheck toggles, then OnClick.
    virtual void Click();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* value) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

private:
    friend class TPopupMenu;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TPopupMenu* menu_ = nullptr;  // set on the root item only
    String caption_;
    int groupIndex_ = 0;
    bool checked_ = false;
    bool radioItem_ = false;
    bool autoCheck_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    TNotifyEvent onClick_;
};

class TPopupMenu : public TComponent {
    TV_CLASS(TPopupMenu, TComponent)
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    TMenuItem* Items() const { return items_; }
    // The control whose pop-up this is while it shows (set by Popup's callers and by a control's
    // right click).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    const TNotifyEvent& OnPopup() const { return onPopup_; }
    void SetOnPopup(const TNotifyEvent& e) { onPopup_ = e; }
    // Runs OnPopup, then shows the menu at a screen point until the user picks an item (clicked)
    // or leaves it. Tests and headless runs answer through the dialog handler (dkPopupMenu: Text
    // holds the visible captions, one a line; the answer is the picked line's index, -1 for none).
    void Popup(int x, int y);

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TMenuItem* items_;  // owned
    TComponent* popupComponent_ = nullptr;
    bool autoPopup_ = true;
    TNotifyEvent onPopup_;
};

void RegisterMenus();
