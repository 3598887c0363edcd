#pragma once
// The root of the class tree and its per-class metadata (the metaclass).
//
// Every streamable class names itself with TV_CLASS(TName, TParent) in its header and defines its
// published table with TV_PUBLISHED(TName) { ... } in its .cpp (see Published.h).
#include <memory>
#include <mutex>
#include <vector>

#include "platform/rtl/Types.h"

class TObject;
class TComponent;
class TCollection;
class TCollectionItem;
class TMetaClass;
struct TPropInfo;
struct TMethodInfo;
class TClassTableBuilder;

using TClass = const TMetaClass*;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TMetaClass& StaticClass();
    virtual const TMetaClass& ClassType() const;
    const String& ClassName() const;
    bool InheritsFrom(const TMetaClass& cls) const;
    template <class T>
    bool Is() const
    {
        return InheritsFrom(T::StaticClass());
    }

    // Called by Free() while the whole object (derived parts included) is still alive.
    virtual void BeforeDestruction() {}
    // Deletes the object after BeforeDestruction(); null-safe as a static helper.
    void Free();
    static void Free(TObject* object)
    {
        if (object) object->Free();
    }
};

// Deleter for roots held in a unique_ptr: goes through Free() so destruction-time virtuals work.
struct TFreeDeleter {
    void operator()(TObject* object) const { TObject::Free(object); }
};
template <class T>
using TOwnedPtr = std::unique_ptr<T, TFreeDeleter>;

// One per class: name, parent, virtual constructor, published properties and methods.
class TMetaClass {
public:
    using Factory = TObject* (*)(TComponent* owner);
    using ItemFactory = TCollectionItem* (*)(TCollection* collection);
    using Builder = void (*)(TClassTableBuilder& builder);

    TMetaClass(const char* name, const TMetaClass* parent, Factory factory, ItemFactory itemFactory, Builder builder);
    virtual ~TMetaClass();
    TMetaClass(const TMetaClass&) = delete;
    TMetaClass& operator=(const TMetaClass&) = delete;

    const String& ClassName() const { return name_; }
    const TMetaClass* ClassParent() const { return parent_; }
    bool InheritsFrom(const TMetaClass& cls) const;
    bool CanCreate() const { return factory_ != nullptr || itemFactory_ != nullptr; }

    // Virtual constructor: components get their owner; plain persistents ignore it.
    // EInvalidOperation "Cannot create an instance of abstract class %s" when the class has none.
    TObject* CreateInstance(TComponent* owner = nullptr) const;
    // Same, for classes derived from TComponent; EComponentError otherwise.
    TComponent* CreateComponent(TComponent* owner) const;
    // Collection items are constructed with their collection.
    TCollectionItem* CreateItem(TCollection* collection) const;

    // Published properties in declaration order, base class first (built on first use).
    const std::vector<const TPropInfo*>& Properties() const;
    const TPropInfo* FindProperty(const String& name) const;  // case-insensitive; nullptr if none
    // Published methods (the method table): by name, own class first, then the parents.
    const TMethodInfo* FindMethod(const String& name) const;

private:
    struct Tables;
    const Tables& tables() const;

    String name_;
    const TMetaClass* parent_;
    Factory factory_;
    ItemFactory itemFactory_;
    Builder builder_;
    mutable std::unique_ptr<Tables> tables_;
    mutable std::once_flag once_;
};

// Class header one-liner: TV_CLASS(TPen, TPersistent). Leaves the access level at private.
#define TV_CLASS(T, Parent)                       \
public:                                           \
    using inherited = Parent;                     \
    static const TMetaClass& StaticClass();       \
    const TMetaClass& ClassType() const override; \
                                                  \
private:
