#pragma once
// Declaring a class's published properties and methods. Include in .cpp files only.
//
//   // TPen.h:   enum TPenStyle { psSolid, psDash, psDot };
//   //           inline constexpr const char* TPenStyleNames[] = {"psSolid", "psDash", "psDot"};
//   //           static_assert(std::size(TPenStyleNames) == psDot + 1);
//   //           class TPen : public TPersistent { TV_CLASS(TPen, TPersistent) public: ... };
//   // TPen.cpp:
//   TV_PUBLISHED(TPen)
//   {
//       PropColor("Color", &TPen::Color, &TPen::SetColor, clBlack);
//       Prop("Width", &TPen::Width, &TPen::SetWidth, 1);
//       PropEnum("Style", &TPen::Style, &TPen::SetStyle, psSolid, TPenStyleNames);
//       Prop("Visible", &TPen::Visible, &TPen::SetVisible, true).Stored(&TPen::IsVisibleStored);
//       Prop("OnChange", &TPen::OnChange, &TPen::SetOnChange);
//       Method("PenChanged", &TPen::PenChanged);   // a handler streams can bind by name
//   }
//
// Class-level virtual functions: derive a metaclass type and use TV_PUBLISHED_AS(TName, TMeta).
//
// Getters and setters are plain member functions (or a data member, for a field read or written
// directly); a null setter makes the property read-only. Without a default an ordinal property is
// always written, a float only when not 0, a string only when not empty.
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Sets.h"
#include "platform/classes/TypeInfo.h"

class TClassTableBuilder {
public:
    // A property named like an inherited one replaces it (a descendant changing the default).
    TPropInfo& AddProperty(std::unique_ptr<TPropInfo> info);
    void AddMethod(TMethodInfo info);

    std::vector<std::unique_ptr<TPropInfo>> Props;
    std::vector<TMethodInfo> Methods;
};

namespace tv_published {

template <class M>
struct MemberValue;
template <class C, class R>
struct MemberValue<R (C::*)() const> {
    using type = std::remove_cvref_t<R>;
};
template <class C, class R>
struct MemberValue<R (C::*)()> {
    using type = std::remove_cvref_t<R>;
};
template <class C, class R>
struct MemberValue<R C::*> {
    using type = std::remove_cvref_t<R>;
};
template <class M>
using ValueOf = typename MemberValue<M>::type;

template <class V>
struct IsSet : std::false_type {
};
template <class E>
struct IsSet<TSet<E>> : std::true_type {
};
template <class V>
struct IsEvent : std::false_type {
};
template <class Sig>
struct IsEvent<TMethodEvent<Sig>> : std::true_type {
    using sig = Sig;
};

template <class T, class G>
decltype(auto) get(const TObject* o, G g)
{
    const T* t = static_cast<const T*>(o);
    if constexpr (std::is_member_function_pointer_v<G>)
        return (const_cast<T*>(t)->*g)();
    else
        return (t->*g);
}

template <class T, class S, class V>
void set(TObject* o, S s, V&& v)
{
    T* t = static_cast<T*>(o);
    if constexpr (std::is_member_function_pointer_v<S>)
        (t->*s)(std::forward<V>(v));
    else
        t->*s = std::forward<V>(v);
}

class AccessBase : public TPropAccess {
public:
    bool IsStored(const TObject* o) const override { return stored ? stored(o) : storedConst; }
    std::function<bool(const TObject*)> stored;
    bool storedConst = true;
};

template <class T, class V, class G, class S>
class Access final : public AccessBase {
public:
    Access(G g, S s) : g_(g), s_(s) {}
    static constexpr bool writable = !std::is_same_v<S, std::nullptr_t>;
    bool CanWrite() const override { return writable; }

    Int64 GetOrd(const TObject* o) const override
    {
        if constexpr (IsSet<V>::value)
            return static_cast<Int64>(get<T>(o, g_).Mask());
        else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
            return static_cast<Int64>(get<T>(o, g_));
        else
            return TPropAccess::GetOrd(o);
    }
    void SetOrd(TObject* o, Int64 v) const override
    {
        if constexpr (!writable)
            return;
        else if constexpr (IsSet<V>::value)
            set<T>(o, s_, V::FromMask(static_cast<std::uint64_t>(v)));
        else if constexpr (std::is_same_v<V, bool>)
            set<T>(o, s_, v != 0);
        else if constexpr (std::is_integral_v<V> || std::is_enum_v<V>)
            set<T>(o, s_, static_cast<V>(v));
    }
    Extended GetFloat(const TObject* o) const override
    {
        if constexpr (std::is_floating_point_v<V>)
            return static_cast<Extended>(get<T>(o, g_));
        else
            return TPropAccess::GetFloat(o);
    }
    void SetFloat(TObject* o, Extended v) const override
    {
        if constexpr (writable && std::is_floating_point_v<V>) set<T>(o, s_, static_cast<V>(v));
    }
    String GetStr(const TObject* o) const override
    {
        if constexpr (std::is_same_v<V, String>)
            return get<T>(o, g_);
        else
            return TPropAccess::GetStr(o);
    }
    void SetStr(TObject* o, const String& v) const override
    {
        if constexpr (writable && std::is_same_v<V, String>) set<T>(o, s_, v);
    }
    TObject* GetObj(const TObject* o) const override
    {
        if constexpr (std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>)
            return get<T>(o, g_);
        else
            return TPropAccess::GetObj(o);
    }
    void SetObj(TObject* o, TObject* v) const override
    {
        if constexpr (writable && std::is_pointer_v<V> && std::is_base_of_v<TObject, std::remove_pointer_t<V>>) {
            auto* typed = dynamic_cast<V>(v);
            if (v && !typed) throw EPropertyError("Invalid property value");
            set<T>(o, s_, typed);
        }
    }
    TStrings* GetStrings(const TObject* o) const override
    {
        if constexpr (std::is_pointer_v<V> && !std::is_base_of_v<TObject, std::remove_pointer_t<V>>)
            return get<T>(o, g_);
        else
            return TPropAccess::GetStrings(o);
    }
    TMethod GetMethod(const TObject* o) const override
    {
        if constexpr (IsEvent<V>::value)
            return get<T>(o, g_).Method();
        else
            return TPropAccess::GetMethod(o);
    }
    bool SetMethod(TObject* o, TObject* data, const TMethodInfo* m) const override
    {
        if constexpr (writable && IsEvent<V>::value) {
            V ev;
            if (m) {
                if (m->Signature != std::type_index(typeid(typename IsEvent<V>::sig))) return false;
                m->Bind(data, &ev);
            }
            set<T>(o, s_, ev);
            return true;
        } else {
            return TPropAccess::SetMethod(o, data, m);
        }
    }

private:
    G g_;
    S s_;
};

}  // namespace tv_published

// Chained refinements of a declared property.
template <class T>
class TPropDecl {
public:
    TPropDecl(TPropInfo& info, tv_published::AccessBase& access) : info_(info), access_(access) {}
    // Per-instance stored test (a member function), or a constant.
    template <class C>
    TPropDecl& Stored(bool (C::*fn)() const)
    {
        access_.stored = [fn](const TObject* o) { return (static_cast<const T*>(o)->*fn)(); };
        return *this;
    }
    TPropDecl& Stored(bool value)
    {
        access_.storedConst = value;
        access_.stored = nullptr;
        return *this;
    }
    TPropDecl& NoDefault()
    {
        info_.HasDefault = false;
        info_.NoDefault = true;
        return *this;
    }
    TPropDecl& TypeName(const char* name)
    {
        info_.TypeName = name;
        return *this;
    }
    TPropInfo& Info() { return info_; }

private:
    TPropInfo& info_;
    tv_published::AccessBase& access_;
};

template <class T>
class TPublishedBuilder {
public:
    explicit TPublishedBuilder(TClassTableBuilder& b) : b_(b) {}

    // Kind from the value type: integers, Int64, bool, char, float/double/long double, String,
    // TPersistent* (sub-object), TComponent* (reference), TStrings*, TMethodEvent<...> (event).
    template <class G, class S>
    TPropDecl<T> Prop(const char* name, G get, S set)
    {
        using V = tv_published::ValueOf<G>;
        static_assert(!std::is_enum_v<V> && !tv_published::IsSet<V>::value,
                      "enumerations and sets need their names: PropEnum / PropSet");
        return add<V>(name, get, set, kindOf<V>(), nullptr);
    }
    template <class G, class S, class D>
    TPropDecl<T> Prop(const char* name, G get, S set, D def)
    {
        auto d = Prop(name, get, set);
        setDefault<tv_published::ValueOf<G>>(d.Info(), def);
        return d;
    }
    template <class G, class S, class D, int N>
    TPropDecl<T> PropEnum(const char* name, G get, S set, D def, const char* const (&names)[N])
    {
        using V = tv_published::ValueOf<G>;
        auto d = add<V>(name, get, set, pkEnum, &EnumInfoOf(names));
        d.Info().HasDefault = true;
        d.Info().DefaultOrd = static_cast<Int64>(static_cast<V>(def));
        return d;
    }
    template <class G, class S, int N>
    TPropDecl<T> PropEnum(const char* name, G get, S set, const char* const (&names)[N])
    {
        return add<tv_published::ValueOf<G>>(name, get, set, pkEnum, &EnumInfoOf(names));
    }
    template <class G, class S, class D, int N>
    TPropDecl<T> PropSet(const char* name, G get, S set, D def, const char* const (&names)[N])
    {
        using V = tv_published::ValueOf<G>;
        auto d = add<V>(name, get, set, pkSet, &EnumInfoOf(names));
        d.Info().HasDefault = true;
        d.Info().DefaultOrd = static_cast<Int64>(V(def).Mask());
        return d;
    }
    // Integer properties whose values may have identifiers (RegisterIntegerConsts).
    template <class G, class S, class D>
    TPropDecl<T> PropColor(const char* name, G get, S set, D def)
    {
        return PropIdent(name, get, set, def, "TColor");
    }
    template <class G, class S, class D>
    TPropDecl<T> PropCursor(const char* name, G get, S set, D def)
    {
        return PropIdent(name, get, set, def, "TCursor");
    }
    template <class G, class S, class D>
    TPropDecl<T> PropIdent(const char* name, G get, S set, D def, const char* typeName)
    {
        using V = tv_published::ValueOf<G>;
        auto d = add<V>(name, get, set, pkInteger, nullptr);
        d.Info().TypeName = typeName;
        d.Info().HasDefault = true;
        d.Info().DefaultOrd = static_cast<Int64>(static_cast<V>(def));
        return d;
    }
    template <class G, class S>
    TPropDecl<T> PropDate(const char* name, G get, S set)
    {
        return add<tv_published::ValueOf<G>>(name, get, set, pkDate, nullptr);
    }

    // A published method: streams bind event properties to it by name.
    template <class C, class R, class... A>
    void Method(const char* name, R (C::*fn)(A...))
    {
        TMethodInfo m;
        m.Name = name;
        m.Signature = typeid(R(A...));
        String n = name;
        m.Bind = [fn, n](TObject* instance, void* out) {
            C* obj = static_cast<T*>(instance);
            *static_cast<TMethodEvent<R(A...)>*>(out) = TMethodEvent<R(A...)>(obj, fn, n);
        };
        b_.AddMethod(std::move(m));
    }

private:
    template <class V>
    static constexpr TPropKind kindOf()
    {
        if constexpr (std::is_same_v<V, bool>)
            return pkBoolean;
        else if constexpr (std::is_same_v<V, char>)
            return pkChar;
        else if constexpr (std::is_integral_v<V>)
            return sizeof(V) > 4 ? pkInt64 : pkInteger;
        else if constexpr (std::is_same_v<V, float>)
            return pkSingle;
        else if constexpr (std::is_same_v<V, double>)
            return pkDouble;
        else if constexpr (std::is_same_v<V, long double>)
            return pkExtended;
        else if constexpr (std::is_same_v<V, String>)
            return pkString;
        else if constexpr (tv_published::IsEvent<V>::value)
            return pkEvent;
        else if constexpr (std::is_pointer_v<V>) {
            using P = std::remove_cv_t<std::remove_pointer_t<V>>;
            if constexpr (std::is_base_of_v<TComponent, P>)
                return pkComponent;
            else if constexpr (std::is_base_of_v<TObject, P>)
                return pkClass;
            else {
                static_assert(std::is_base_of_v<TStrings, P>, "unsupported property type");
                return pkStrings;
            }
        } else {
            static_assert(sizeof(V) == 0, "unsupported property type");
            return pkInteger;
        }
    }

    template <class V, class G, class S>
    TPropDecl<T> add(const char* name, G get, S set, TPropKind kind, const TEnumInfo* enumInfo)
    {
        auto info = std::make_unique<TPropInfo>();
        info->Name = name;
        info->Kind = kind;
        info->EnumInfo = enumInfo;
        if constexpr (std::is_pointer_v<V>) {
            using P = std::remove_cv_t<std::remove_pointer_t<V>>;
            if constexpr (std::is_base_of_v<TObject, P>) {
                info->ClassType = &P::StaticClass();
                info->TypeName = P::StaticClass().ClassName();
            }
        }
        if constexpr (tv_published::IsEvent<V>::value) info->EventType = typeid(typename tv_published::IsEvent<V>::sig);
        auto access = std::make_unique<tv_published::Access<T, V, G, S>>(get, set);
        auto* raw = access.get();
        info->Access = std::move(access);
        return TPropDecl<T>(b_.AddProperty(std::move(info)), *raw);
    }

    template <class V, class D>
    static void setDefault(TPropInfo& info, const D& def)
    {
        if constexpr (std::is_floating_point_v<V>) {
            info.DefaultFloat = static_cast<Extended>(def);
            info.HasDefault = true;
        } else if constexpr (std::is_same_v<V, String>) {
            info.DefaultStr = String(def);
            info.HasDefault = true;
        } else if constexpr (std::is_integral_v<V>) {
            info.DefaultOrd = static_cast<Int64>(static_cast<V>(def));
            info.HasDefault = true;
        } else
            static_assert(sizeof(V) == 0, "this property kind takes no default");
    }

protected:
    TClassTableBuilder& b_;
};

namespace tv_published {
template <class T>
TObject* factory(TComponent* owner)
{
    if constexpr (std::is_constructible_v<T, TComponent*>)
        return new T(owner);
    else {
        (void)owner;
        return new T();
    }
}
template <class T>
TCollectionItem* itemFactory(TCollection* collection)
{
    return new T(collection);
}

template <class T>
constexpr TMetaClass::Factory factoryOf()
{
    if constexpr (std::is_abstract_v<T>)
        return nullptr;
    else if constexpr (std::is_constructible_v<T, TComponent*> || std::is_default_constructible_v<T>)
        return &factory<T>;
    else
        return nullptr;
}
template <class T>
constexpr TMetaClass::ItemFactory itemFactoryOf()
{
    if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TCollection*> &&
                  !std::is_constructible_v<T, TComponent*>)
        return &itemFactory<T>;
    else
        return nullptr;
}
}  // namespace tv_published

// Defines T's metaclass; the braced block that follows lists its published properties and methods.
#define TV_PUBLISHED(T) TV_PUBLISHED_AS(T, TMetaClass)

// Same, with a metaclass type of the caller's (derived from TMetaClass, constructors inherited):
// its virtual functions are the class-level virtuals, reachable from a class found by name.
#define TV_PUBLISHED_AS(T, Meta)                                                               \
    namespace {                                                                                \
    struct TvPublished_##T : TPublishedBuilder<T> {                                            \
        using TPublishedBuilder<T>::TPublishedBuilder;                                         \
        void Build();                                                                          \
    };                                                                                         \
    }                                                                                          \
    const TMetaClass& T::StaticClass()                                                         \
    {                                                                                          \
        static const Meta meta(#T, &T::inherited::StaticClass(), tv_published::factoryOf<T>(), \
                               tv_published::itemFactoryOf<T>(),                               \
                               [](TClassTableBuilder& b) { TvPublished_##T(b).Build(); });     \
        return meta;                                                                           \
    }                                                                                          \
    const TMetaClass& T::ClassType() const { return StaticClass(); }                           \
    void TvPublished_##T::Build()
