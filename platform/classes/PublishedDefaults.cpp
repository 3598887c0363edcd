#include "platform/classes/PublishedDefaults.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

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

// The properties of a class, less those base publishes too, that can take a default: sub-objects,
// and writable values that declare one. Worked out once per pair: a class's properties are fixed
// once made, and a chart's load asked for them by name hundreds of times.
const std::vector<const TPropInfo*>& defaultableProperties(const TMetaClass& cls, const TMetaClass* base)
{
    static std::mutex mutex;
    static std::map<std::pair<const TMetaClass*, const TMetaClass*>, std::vector<const TPropInfo*>> known;
    const std::lock_guard lock(mutex);
    const auto [it, added] = known.try_emplace({&cls, base});
    if (!added) return it->second;
    for (const TPropInfo* p : cls.Properties()) {
        if (base && base->FindProperty(p->Name)) continue;
        switch (p->Kind) {
        case pkClass: it->second.push_back(p); continue;
        case pkComponent:
        case pkEvent:
        case pkStrings: continue;
        default: break;
        }
        if (p->HasDefault && p->IsWritable()) it->second.push_back(p);
    }
    return it->second;
}

void applyDefaults(TObject& object, const TMetaClass* base, int depth)
{
    if (depth > MaxDepth) return;
    for (const TPropInfo* p : defaultableProperties(object.ClassType(), base)) {
        if (p->Kind == pkClass) {
            // A sub-object made on first use (and stored only once made) is not made here.
            if (!IsStoredProp(&object, *p)) continue;
            TObject* sub = p->Access->GetObj(&object);
            if (sub && !sub->Is<TComponent>() && !dynamic_cast<TCollection*>(sub))
                applyDefaults(*sub, nullptr, depth + 1);
            continue;
        }
        if (!IsStoredProp(&object, *p) || IsDefaultPropValue(&object, *p)) continue;
        try {
            setDefault(object, *p);
        } catch (const std::exception&) {
            // the class refuses its own default here: the stream's value, or none, decides
        }
    }
}

}  // namespace

void ApplyPublishedDefaults(TObject& object, const TMetaClass* base) { applyDefaults(object, base, 0); }
