#include "platform/classes/Collection.h"

#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TCollectionItem) {}
TV_PUBLISHED(TCollection) {}
TV_PUBLISHED(TOwnedCollection) {}

// ---- TCollectionItem -------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem()
{
    if (collection_) collection_->removeItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection_ == collection) return;
    if (collection_) collection_->removeItem(this);
    if (collection) collection->insertItem(this);
}

int TCollectionItem::Index() const
{
    if (!collection_) return -1;
    auto& items = collection_->items_;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    const int current = Index();
    if (current < 0 || index < 0 || index == current) return;
    auto& items = collection_->items_;
    index = std::min(index, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

String TCollectionItem::DisplayName() const { return ClassName(); }

String TCollectionItem::GetNamePath() const
{
    if (!collection_) return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ && collection_->updateCount_ == 0) collection_->Update(allItems ? nullptr : this);
}

// ---- TCollection -----------------------------------------------------------------------------

TCollection::TCollection(const TMetaClass& itemClass) : itemClass_(&itemClass) {}

TCollection::~TCollection()
{
    ++updateCount_;  // no Update calls while going
    clearing_ = true;
    while (!items_.empty()) delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() { return itemClass_->CreateItem(this); }

TCollectionItem* TCollection::Insert(int index)
{
    BeginUpdate();
    TCollectionItem* item = nullptr;
    try {
        item = Add();
        item->SetIndex(index);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear()
{
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) delete items_.back();
    EndUpdate();
}

void TCollection::Exchange(int index1, int index2)
{
    std::swap(items_.at(static_cast<size_t>(Items(index1)->Index())),
              items_.at(static_cast<size_t>(Items(index2)->Index())));
    Changed();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TCollection*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::BeginUpdate() { ++updateCount_; }

void TCollection::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

String TCollection::GetNamePath() const
{
    TPersistent* owner = GetOwner();
    if (!owner) return ClassName();
    String ownerPath = owner->GetNamePath();
    if (ownerPath.empty()) return ClassName();
    String prop = propName_;
    if (prop.empty()) {
        // The owner's published property that holds us.
        for (const TPropInfo* info : owner->ClassType().Properties())
            if (info->Kind == pkClass && info->Access->GetObj(owner) == this) {
                prop = info->Name;
                break;
            }
    }
    return ownerPath + "." + (prop.empty() ? ClassName() : prop);
}

void TCollection::Update(TCollectionItem*) {}
void TCollection::Notify(TCollectionItem*, bool) {}

void TCollection::Changed()
{
    if (updateCount_ == 0) Update(nullptr);
}

void TCollection::insertItem(TCollectionItem* item)
{
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Notify(item, true);
    Changed();
}

void TCollection::removeItem(TCollectionItem* item)
{
    Notify(item, false);
    std::erase(items_, item);
    item->collection_ = nullptr;
    Changed();
}

TOwnedCollection::TOwnedCollection(TPersistent* owner, const TMetaClass& itemClass)
    : TCollection(itemClass), owner_(owner)
{
}
