#include "platform/forms/Menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Q;

TV_PUBLISHED(TMenuItem)
{
    Prop("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
    Prop("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false);
    Prop("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false);
    Prop("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0);
    Prop("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false);
    Prop("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
    Prop("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
    Prop("OnClick", &TMenuItem::OnClick, &TMenuItem::SetOnClick);
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    if (parent_) parent_->Remove(this);
    // Sub-items owned elsewhere (a form) stay; their parent goes.
    for (TMenuItem* item : items_) item->parent_ = nullptr;
}

void TMenuItem::SetChecked(bool value)
{
    checked_ = value;
    if (value && radioItem_ && parent_)
        for (TMenuItem* other : parent_->items_)
            if (other != this && other->radioItem_ && other->groupIndex_ == groupIndex_) other->checked_ = false;
}

void TMenuItem::Add(TMenuItem* item)
{
    if (!item || item->parent_ == this) return;
    if (item->parent_) item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    std::erase(items_, item);
    if (item->parent_ == this) item->parent_ = nullptr;
}

TPopupMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->parent_) item = item->parent_;
    return item->menu_;
}

void TMenuItem::Click()
{
    if (!enabled_) return;
    if (autoCheck_) SetChecked(!checked_);
    if (onClick_) onClick_(this);
}

TComponent* TMenuItem::GetParentComponent() const
{
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* value)
{
    if (auto* item = dynamic_cast<TMenuItem*>(value))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TPopupMenu*>(value))
        menu->Items()->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    for (TMenuItem* item : items_)
        if (item->Owner() == root) proc(item);
}

TV_PUBLISHED(TPopupMenu)
{
    Prop("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true);
    Prop("OnPopup", &TPopupMenu::OnPopup, &TPopupMenu::SetOnPopup);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TPopupMenu::~TPopupMenu() { delete items_; }

void TPopupMenu::GetChildren(const TGetChildProc& proc, TComponent* root) { items_->GetChildren(proc, root); }

void TPopupMenu::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

namespace {

// The visible items of a level, in order, with their captions (separators included).
void visibleItems(const TMenuItem& parent, std::vector<TMenuItem*>& out)
{
    for (int i = 0; i < parent.Count(); ++i)
        if (parent.Items(i)->Visible()) out.push_back(parent.Items(i));
}

void buildMenu(QMenu& menu, const TMenuItem& parent, std::vector<std::pair<QAction*, TMenuItem*>>& actions)
{
    std::vector<TMenuItem*> items;
    visibleItems(parent, items);
    for (TMenuItem* item : items) {
        if (item->IsLine()) {
            menu.addSeparator();
            continue;
        }
        String caption = item->Caption();
        if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(Q(caption));
            buildMenu(*sub, *item, actions);
            continue;
        }
        QAction* action = menu.addAction(Q(caption));
        action->setEnabled(item->Enabled());
        action->setCheckable(item->Checked() || item->RadioItem() || item->AutoCheck());
        action->setChecked(item->Checked());
        actions.emplace_back(action, item);
    }
}

}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    if (onPopup_) onPopup_(this);
    std::vector<TMenuItem*> items;
    visibleItems(*items_, items);
    TMenuItem* chosen = nullptr;
    const TDialogHandler& handler = CurrentDialogHandler();
    if (handler) {
        TDialogRequest request;
        request.Kind = dkPopupMenu;
        request.Caption = Name();
        for (TMenuItem* item : items) request.Text += item->Caption() + "\n";
        const int answer = handler(request);
        if (answer >= 0 && answer < static_cast<int>(items.size())) chosen = items[static_cast<size_t>(answer)];
    } else if (!tvforms::IsOffscreen()) {
        QMenu menu;
        std::vector<std::pair<QAction*, TMenuItem*>> actions;
        buildMenu(menu, *items_, actions);
        QAction* picked = tvforms::RunModal([&] { return menu.exec(QPoint(x, y)); });
        for (auto& [action, item] : actions)
            if (action == picked) chosen = item;
    }
    if (chosen && !chosen->IsLine()) chosen->Click();
}

void RegisterMenus() { RegisterClasses({&TMenuItem::StaticClass(), &TPopupMenu::StaticClass()}); }
