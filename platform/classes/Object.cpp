#include "platform/classes/Object.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <strings.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

namespace {
bool sameText(const String& a, const String& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}
}  // namespace

// ---- TObject ---------------------------------------------------------------------------------

const TMetaClass& TObject::StaticClass()
{
    static const TMetaClass meta("TObject", nullptr, nullptr, nullptr, nullptr);
    return meta;
}

const TMetaClass& TObject::ClassType() const { return StaticClass(); }
const String& TObject::ClassName() const { return ClassType().ClassName(); }
bool TObject::InheritsFrom(const TMetaClass& cls) const { return ClassType().InheritsFrom(cls); }

void TObject::Free()
{
    BeforeDestruction();
    delete this;
}

// ---- TMetaClass ------------------------------------------------------------------------------

struct TMetaClass::Tables {
    std::vector<std::unique_ptr<TPropInfo>> ownProps;
    std::vector<const TPropInfo*> props;  // parent's first
    std::vector<TMethodInfo> methods;
};

TMetaClass::TMetaClass(const char* name, const TMetaClass* parent, Factory factory, ItemFactory itemFactory,
                       Builder builder)
    : name_(name), parent_(parent), factory_(factory), itemFactory_(itemFactory), builder_(builder)
{
}

TMetaClass::~TMetaClass() = default;

bool TMetaClass::InheritsFrom(const TMetaClass& cls) const
{
    for (const TMetaClass* c = this; c; c = c->parent_)
        if (c == &cls) return true;
    return false;
}

TObject* TMetaClass::CreateInstance(TComponent* owner) const
{
    if (!factory_) throw EInvalidOperation("Cannot create an instance of abstract class " + name_);
    return factory_(owner);
}

TComponent* TMetaClass::CreateComponent(TComponent* owner) const
{
    if (!InheritsFrom(TComponent::StaticClass())) throw EComponentError("Class " + name_ + " is not a component class");
    return static_cast<TComponent*>(CreateInstance(owner));
}

TCollectionItem* TMetaClass::CreateItem(TCollection* collection) const
{
    if (!itemFactory_) throw EInvalidOperation("Cannot create an instance of abstract class " + name_);
    return itemFactory_(collection);
}

const TMetaClass::Tables& TMetaClass::tables() const
{
    std::call_once(once_, [this] {
        auto t = std::make_unique<Tables>();
        TClassTableBuilder b;
        if (parent_) {
            // Inherited entries are shared, not copied: the parent outlives us (both static).
            for (const TPropInfo* p : parent_->Properties()) t->props.push_back(p);
        }
        if (builder_) builder_(b);
        for (auto& p : b.Props) {
            auto it = std::find_if(t->props.begin(), t->props.end(),
                                   [&](const TPropInfo* q) { return sameText(q->Name, p->Name); });
            if (it != t->props.end())
                *it = p.get();
            else
                t->props.push_back(p.get());
            t->ownProps.push_back(std::move(p));
        }
        t->methods = std::move(b.Methods);
        tables_ = std::move(t);
    });
    return *tables_;
}

const std::vector<const TPropInfo*>& TMetaClass::Properties() const { return tables().props; }

const TPropInfo* TMetaClass::FindProperty(const String& name) const
{
    for (const TPropInfo* p : Properties())
        if (sameText(p->Name, name)) return p;
    return nullptr;
}

const TMethodInfo* TMetaClass::FindMethod(const String& name) const
{
    for (const TMetaClass* c = this; c; c = c->parent_)
        for (const TMethodInfo& m : c->tables().methods)
            if (sameText(m.Name, name)) return &m;
    return nullptr;
}

// ---- class registry --------------------------------------------------------------------------

namespace {
struct Registry {
    std::mutex mutex;
    std::vector<const TMetaClass*> classes;
    std::vector<const TMetaClass*> groups;                                 // group classes started
    std::vector<std::pair<const TMetaClass*, const TMetaClass*>> grouped;  // class -> group class
    const TMetaClass* active = nullptr;
};
Registry& registry()
{
    static Registry r;
    return r;
}
}  // namespace

void RegisterClass(const TMetaClass& cls)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const TMetaClass* c : r.classes) {
        if (c == &cls) return;
        if (sameText(c->ClassName(), cls.ClassName()))
            throw EFilerError("A class named " + cls.ClassName() + " already exists");
    }
    r.classes.push_back(&cls);
}

void RegisterClasses(std::initializer_list<const TMetaClass*> classes)
{
    for (const TMetaClass* c : classes) RegisterClass(*c);
}

void UnRegisterClass(const TMetaClass& cls)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase(r.classes, &cls);
}

void UnRegisterClasses(std::initializer_list<const TMetaClass*> classes)
{
    for (const TMetaClass* c : classes) UnRegisterClass(*c);
}

TClass GetClass(const String& className)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const TMetaClass* c : r.classes)
        if (sameText(c->ClassName(), className)) return c;
    return nullptr;
}

const TMetaClass& FindClass(const String& className)
{
    TClass c = GetClass(className);
    if (!c) throw EClassNotFound("Class " + className + " not found");
    return *c;
}

TClass FindClassOf(const String& className, const TMetaClass& base)
{
    TClass c = GetClass(className);
    return c && c->InheritsFrom(base) ? c : nullptr;
}

std::vector<TClass> RegisteredClasses()
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return r.classes;
}

void StartClassGroup(const TMetaClass& groupClass)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    if (std::find(r.groups.begin(), r.groups.end(), &groupClass) == r.groups.end()) r.groups.push_back(&groupClass);
}

const TMetaClass* ActivateClassGroup(const TMetaClass& groupClass)
{
    StartClassGroup(groupClass);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const TMetaClass* previous = r.active;
    r.active = &groupClass;
    return previous;
}

const TMetaClass* ActiveClassGroup()
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    return r.active;
}

void GroupDescendentsWith(const TMetaClass& cls, const TMetaClass& groupClass)
{
    StartClassGroup(groupClass);
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (auto& entry : r.grouped)
        if (entry.first == &cls) {
            entry.second = &groupClass;
            return;
        }
    r.grouped.emplace_back(&cls, &groupClass);
}

const TMetaClass* ClassGroupOf(const TMetaClass& cls)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    // The nearest grouped ancestor decides; a started group class heads its own group.
    for (const TMetaClass* c = &cls; c; c = c->ClassParent()) {
        for (const auto& entry : r.grouped)
            if (entry.first == c) return entry.second;
        if (std::find(r.groups.begin(), r.groups.end(), c) != r.groups.end()) return c;
    }
    return nullptr;
}
