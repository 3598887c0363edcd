#pragma once
// Collections: an ordered list of items of one class, streamed as "< item ... end >".
#include <vector>

#include "platform/classes/Persistent.h"

class TCollection;

class TCollectionItem : public TPersistent {
    TV_CLASS(TCollectionItem, TPersistent)
public:
    // Adds itself to collection (may be null).
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    void SetCollection(TCollection* collection);  // moves the item between collections
    int Index() const;
    virtual void SetIndex(int index);
    int ID() const { return id_; }
    virtual String DisplayName() const;   // default: the class name
    String GetNamePath() const override;  // "Chart1.Series[0]"

protected:
    TPersistent* GetOwner() const override;
    // Tell the collection this item changed (all: the whole collection).
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
    TV_CLASS(TCollection, TPersistent)
public:
    explicit TCollection(const TMetaClass& itemClass);
    ~TCollection() override;

    const TMetaClass& ItemClass() const { return *itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TCollectionItem* Items(int index) const;  // EListError "List index out of bounds (%d)"
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    void Exchange(int index1, int index2);
    TCollectionItem* FindItemID(int id) const;
    // Copies items from another collection: same count, each item assigned from its counterpart.
    void Assign(TPersistent* source) override;
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    String GetNamePath() const override;  // owner's path + "." + property name holding us

    // The property name in GetNamePath ("Series" in "Chart1.Series[0]"); by default the owner's
    // published property that holds this collection.
    void SetPropName(const String& name) { propName_ = name; }
    const String& PropName() const { return propName_; }

protected:
    // item null: the whole collection changed. Not called while updating.
    virtual void Update(TCollectionItem* item);
    virtual void Notify(TCollectionItem* item, bool added);
    void Changed();

private:
    friend class TCollectionItem;
    void insertItem(TCollectionItem* item);
    void removeItem(TCollectionItem* item);

    const TMetaClass* itemClass_;
    std::vector<TCollectionItem*> items_;
    int updateCount_ = 0;
    int nextId_ = 0;
    String propName_;
    bool clearing_ = false;
};

// A collection with an owner for GetNamePath and the object inspector.
class TOwnedCollection : public TCollection {
    TV_CLASS(TOwnedCollection, TCollection)
public:
    TOwnedCollection(TPersistent* owner, const TMetaClass& itemClass);

protected:
    TPersistent* GetOwner() const override { return owner_; }

private:
    TPersistent* owner_;
};
