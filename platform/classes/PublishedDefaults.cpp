#include "platform/classes/PublishedDefaults.h"

#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/TypeInfo.h"

namespace {

constexpr int MaxDepth = 6;  // sub-objects of sub-objects ...

void setDefault(TObject& object, const TPropInfo& p)
{
    const TPropAccess& a = *p.Access;
    switch (p.Kind) {
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: a.SetFloat(&object, p.DefaultFloat); break;
    case pkString: a.SetStr(&object, p.DefaultStr); break;
    default: a.SetOrd(&object, p.DefaultOrd); break;
    }
}

void applyDefaults(TObject& object, const TMetaClass* base, int depth)
{
    if (depth > MaxDepth) return;
    for (const TPropInfo* p : object.ClassType().Properties()) {
        if (base && base->FindProperty(p->Name)) continue;
        switch (p->Kind) {
        case pkClass: {
            // A sub-object made on first use (and stored only once made) is not made here.
            if (!IsStoredProp(&object, *p)) continue;
            TObject* sub = p->Access->GetObj(&object);
            if (sub && !sub->Is<TComponent>() && !dynamic_cast<TCollection*>(sub))
                applyDefaults(*sub, nullptr, depth + 1);
            continue;
        }
        case pkComponent:
        case pkEvent:
        case pkStrings: continue;
        default: break;
        }
        if (!p->HasDefault || !p->IsWritable() || !IsStoredProp(&object, *p) || IsDefaultPropValue(&object, *p))
            continue;
        try {
            setDefault(object, *p);
        } catch (const std::exception&) {
            // the class refuses its own default here: the stream's value, or none, decides
        }
    }
}

}  // namespace

void ApplyPublishedDefaults(TObject& object, const TMetaClass* base) { applyDefaults(object, base, 0); }
