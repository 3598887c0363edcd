#include "platform/classes/Component.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TComponent)
{
    Prop("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
    Prop("Tag", &TComponent::Tag, &TComponent::SetTag, 0);
}

namespace {
bool sameText(const String& a, const String& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}
}  // namespace

TComponent::TComponent(TComponent* owner)
{
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Held on the stack or in a plain unique_ptr: do the owner/notification work now (only this
    // class's parts are left, which is what such roots expect).
    TComponent::BeforeDestruction();
}

void TComponent::BeforeDestruction()
{
    if (beforeDestructionDone_) return;
    beforeDestructionDone_ = true;
    state_.Include(csDestroying);
    for (TComponent* c : components_) c->state_.Include(csDestroying);
    // Clients first, while every part of this object is alive.
    while (!freeNotifies_.empty()) {
        TComponent* client = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(client->freeNotifies_, this);
        client->Notification(this, opRemove);
    }
    state_.Exclude(csFreeNotification);
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetComponentIndex(int index)
{
    if (!owner_) return;
    auto& list = owner_->components_;
    const int current = ComponentIndex();
    if (current < 0) return;
    index = std::clamp(index, 0, static_cast<int>(list.size()) - 1);
    if (index == current) return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

TComponent* TComponent::FindComponent(const String& name) const
{
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (sameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    ValidateRename(component, {}, component->name_);
    insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this) return;
    Notification(component, opRemove);
    remove(component);
}

void TComponent::DestroyComponents()
{
    // Last first, each removed (and announced to its siblings) before it goes.
    while (!components_.empty()) {
        TComponent* c = components_.back();
        RemoveComponent(c);
        c->Free();
    }
}

void TComponent::insert(TComponent* c)
{
    components_.push_back(c);
    c->owner_ = this;
}

void TComponent::remove(TComponent* c)
{
    std::erase(components_, c);
    c->owner_ = nullptr;
}

bool TComponent::IsValidIdent(const String& ident)
{
    if (ident.empty()) return false;
    const auto first = static_cast<unsigned char>(ident[0]);
    if (!(std::isalpha(first) || first == '_')) return false;
    return std::all_of(ident.begin() + 1, ident.end(), [](char ch) {
        const auto u = static_cast<unsigned char>(ch);
        return u < 0x80 && (std::isalnum(u) || u == '_');
    });
}

void TComponent::SetName(const String& newName)
{
    if (name_ == newName) return;
    if (!newName.empty() && !IsValidIdent(newName))
        throw EComponentError("'" + newName + "' is not a valid component name");
    if (owner_)
        owner_->ValidateRename(this, name_, newName);
    else
        ValidateRename(nullptr, name_, newName);
    name_ = newName;
}

void TComponent::ValidateRename(TComponent* component, const String& curName, const String& newName)
{
    if (component && !newName.empty() && !sameText(curName, newName) && component->owner_ == this) {
        TComponent* other = FindComponent(newName);
        if (other && other != component) throw EComponentError("A component named " + newName + " already exists");
    }
    if (component && !newName.empty() && component->owner_ != this) {
        // Inserting: the name must be free among the new siblings.
        TComponent* other = FindComponent(newName);
        if (other && other != component) throw EComponentError("A component named " + newName + " already exists");
    }
}

void TComponent::SetDesigning(bool value, bool setChildren)
{
    if (value)
        state_.Include(csDesigning);
    else
        state_.Exclude(csDesigning);
    if (setChildren)
        for (TComponent* c : components_) c->SetDesigning(value, true);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this) return;
    // Siblings hear of each other through their owner already.
    if (owner_ && component->owner_ == owner_) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
        freeNotifies_.push_back(component);
    if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
        component->freeNotifies_.end())
        component->freeNotifies_.push_back(this);
    state_.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (!component) return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
    if (freeNotifies_.empty()) state_.Exclude(csFreeNotification);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Copy: a handler may free or move components while we walk.
    const std::vector<TComponent*> owned = components_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        if (std::find(components_.begin(), components_.end(), *it) != components_.end())
            (*it)->Notification(component, operation);
}

String TComponent::GetNamePath() const { return name_; }

void TComponent::GetChildren(const TGetChildProc&, TComponent*) {}

void TComponent::Loaded() { state_.Exclude(csLoading); }

void TComponent::SetLoading()
{
    state_.Include(csLoading);
    state_.Include(csReading);
}

void TComponent::SetReading(bool on)
{
    if (on)
        state_.Include(csReading);
    else
        state_.Exclude(csReading);
}
void TComponent::SetWriting(bool on)
{
    if (on)
        state_.Include(csWriting);
    else
        state_.Exclude(csWriting);
}
void TComponent::SetInlineState(bool on)
{
    if (on)
        state_.Include(csInline);
    else
        state_.Exclude(csInline);
}
void TComponent::SetAncestorState(bool on)
{
    if (on)
        state_.Include(csAncestor);
    else
        state_.Exclude(csAncestor);
}

void TComponent::ReadState(TReader& reader) { reader.readData(this); }
void TComponent::WriteState(TWriter& writer) { writer.writeData(this); }
void TComponent::Updating() { state_.Include(csUpdating); }
void TComponent::Updated() { state_.Exclude(csUpdating); }

String UniqueComponentName(const TComponent* owner, const String& base)
{
    for (int i = 1;; ++i) {
        String candidate = base + std::to_string(i);
        if (!owner || !owner->FindComponent(candidate)) return candidate;
    }
}
