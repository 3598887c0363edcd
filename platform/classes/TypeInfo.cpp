#include "platform/classes/TypeInfo.h"

#include <cstring>
#include <map>
#include <mutex>
#include <strings.h>

#include "platform/classes/Component.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/StringList.h"

namespace {
bool sameText(const String& a, const String& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

String trim(const String& s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

struct EnumRegistry {
    std::mutex mutex;
    std::map<const char* const*, std::unique_ptr<TEnumInfo>> infos;
};
EnumRegistry& enums()
{
    static EnumRegistry r;
    return r;
}

struct IdentMap {
    TIdentToInt toInt;
    TIntToIdent toIdent;
};
struct IdentRegistry {
    std::mutex mutex;
    std::vector<std::pair<String, IdentMap>> maps;
};
IdentRegistry& idents()
{
    static IdentRegistry r;
    return r;
}
}  // namespace

const TEnumInfo& EnumInfoOf(const char* const* names, int count)
{
    EnumRegistry& r = enums();
    std::lock_guard lock(r.mutex);
    auto& slot = r.infos[names];
    if (!slot) {
        slot = std::make_unique<TEnumInfo>();
        for (int i = 0; i < count; ++i) slot->Names.emplace_back(names[i]);
    }
    return *slot;
}

String GetEnumName(const TEnumInfo& info, int value)
{
    if (value >= 0 && value < info.Count()) return info.Names[static_cast<size_t>(value)];
    return std::to_string(value);
}

int GetEnumValue(const TEnumInfo& info, const String& name)
{
    for (int i = 0; i < info.Count(); ++i)
        if (sameText(info.Names[static_cast<size_t>(i)], name)) return i;
    return -1;
}

void RegisterIntegerConsts(const String& typeName, TIdentToInt identToInt, TIntToIdent intToIdent)
{
    IdentRegistry& r = idents();
    std::lock_guard lock(r.mutex);
    for (auto& entry : r.maps)
        if (sameText(entry.first, typeName)) {
            entry.second = {std::move(identToInt), std::move(intToIdent)};
            return;
        }
    r.maps.push_back({typeName, {std::move(identToInt), std::move(intToIdent)}});
}

static IdentMap findIdentMap(const String& typeName)
{
    if (typeName.empty()) return {};
    IdentRegistry& r = idents();
    std::lock_guard lock(r.mutex);
    for (auto& entry : r.maps)
        if (sameText(entry.first, typeName)) return entry.second;
    return {};
}

bool IntToIdentOf(const String& typeName, Int64 value, String& ident)
{
    IdentMap m = findIdentMap(typeName);
    return m.toIdent && m.toIdent(value, ident);
}

bool IdentToIntOf(const String& typeName, const String& ident, Int64& value)
{
    IdentMap m = findIdentMap(typeName);
    return m.toInt && m.toInt(ident, value);
}

String SetToString(const TEnumInfo& info, std::uint64_t mask, bool brackets)
{
    String result;
    for (int i = 0; i < 64; ++i) {
        if (!(mask & (std::uint64_t{1} << i))) continue;
        if (!result.empty()) result += ',';
        result += GetEnumName(info, i);
    }
    return brackets ? "[" + result + "]" : result;
}

std::uint64_t StringToSet(const TEnumInfo& info, const String& text)
{
    String s = trim(text);
    if (!s.empty() && s.front() == '[') {
        if (s.back() != ']') throw EConvertError("Invalid property value");
        s = s.substr(1, s.size() - 2);
    }
    std::uint64_t mask = 0;
    size_t start = 0;
    while (start <= s.size()) {
        size_t comma = s.find(',', start);
        if (comma == String::npos) comma = s.size();
        String name = trim(s.substr(start, comma - start));
        if (!name.empty()) {
            const int v = GetEnumValue(info, name);
            if (v < 0 || v >= 64) throw EConvertError("Invalid property element: " + name);
            mask |= std::uint64_t{1} << v;
        } else if (comma < s.size()) {
            throw EConvertError("Invalid property value");
        }
        start = comma + 1;
    }
    return mask;
}

// ---- by path ---------------------------------------------------------------------------------

const TPropInfo* FindPropInfo(TObject* instance, const String& path, TObject** holder)
{
    TObject* obj = instance;
    size_t start = 0;
    while (obj) {
        const size_t dot = path.find('.', start);
        const String name = path.substr(start, dot == String::npos ? String::npos : dot - start);
        const TPropInfo* info = obj->ClassType().FindProperty(name);
        if (!info) return nullptr;
        if (dot == String::npos) {
            if (holder) *holder = obj;
            return info;
        }
        if (info->Kind != pkClass && info->Kind != pkComponent) return nullptr;
        obj = info->Access->GetObj(obj);
        start = dot + 1;
    }
    return nullptr;
}

const TPropInfo& GetPropInfo(TObject* instance, const String& path, TObject** holder)
{
    if (!instance) throw EPropertyError("Property " + path + " does not exist");
    const TPropInfo* info = FindPropInfo(instance, path, holder);
    if (!info) throw EPropertyError("Property " + path + " does not exist");
    return *info;
}

bool IsPublishedProp(TObject* instance, const String& path)
{
    return instance && FindPropInfo(instance, path, nullptr) != nullptr;
}

namespace {
bool isOrdinal(TPropKind k)
{
    return k == pkInteger || k == pkInt64 || k == pkEnum || k == pkSet || k == pkBoolean || k == pkChar ||
           k == pkCurrency;
}
bool isFloat(TPropKind k) { return k == pkSingle || k == pkDouble || k == pkExtended || k == pkDate; }

const TPropInfo& checked(TObject* instance, const String& path, TObject*& holder, bool (*ok)(TPropKind))
{
    const TPropInfo& info = GetPropInfo(instance, path, &holder);
    if (!ok(info.Kind)) throw EPropertyError("Invalid property type: " + info.Name);
    return info;
}

void checkWritable(const TPropInfo& info)
{
    if (!info.IsWritable()) throw EPropertyError("Property " + info.Name + " is read-only");
}

TFormatSettings dotSettings()
{
    TFormatSettings fs = TFormatSettings::Invariant();
    fs.DecimalSeparator = '.';
    return fs;
}
}  // namespace

Int64 GetOrdProp(TObject* instance, const String& path)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, isOrdinal);
    return info.Access->GetOrd(h);
}

void SetOrdProp(TObject* instance, const String& path, Int64 value)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, isOrdinal);
    checkWritable(info);
    info.Access->SetOrd(h, value);
}

Extended GetFloatProp(TObject* instance, const String& path)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, isFloat);
    return info.Access->GetFloat(h);
}

void SetFloatProp(TObject* instance, const String& path, Extended value)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, isFloat);
    checkWritable(info);
    info.Access->SetFloat(h, value);
}

String GetStrProp(TObject* instance, const String& path)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, [](TPropKind k) { return k == pkString; });
    return info.Access->GetStr(h);
}

void SetStrProp(TObject* instance, const String& path, const String& value)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, [](TPropKind k) { return k == pkString; });
    checkWritable(info);
    info.Access->SetStr(h, value);
}

TObject* GetObjectProp(TObject* instance, const String& path)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, [](TPropKind k) { return k == pkClass || k == pkComponent; });
    return info.Access->GetObj(h);
}

void SetObjectProp(TObject* instance, const String& path, TObject* value)
{
    TObject* h = nullptr;
    const TPropInfo& info = checked(instance, path, h, [](TPropKind k) { return k == pkClass || k == pkComponent; });
    checkWritable(info);
    info.Access->SetObj(h, value);
}

String GetPropValue(TObject* instance, const String& path)
{
    TObject* h = nullptr;
    const TPropInfo& info = GetPropInfo(instance, path, &h);
    const TPropAccess& a = *info.Access;
    switch (info.Kind) {
    case pkInteger: {
        const Int64 v = a.GetOrd(h);
        String ident;
        if (IntToIdentOf(info.TypeName, v, ident)) return ident;
        return std::to_string(v);
    }
    case pkInt64:
    case pkCurrency: return std::to_string(a.GetOrd(h));
    case pkEnum: return GetEnumName(*info.EnumInfo, static_cast<int>(a.GetOrd(h)));
    case pkSet: return SetToString(*info.EnumInfo, static_cast<std::uint64_t>(a.GetOrd(h)));
    case pkBoolean: return a.GetOrd(h) ? "True" : "False";
    case pkChar: return String(1, static_cast<char>(a.GetOrd(h)));
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: return FloatToStr(a.GetFloat(h), dotSettings());
    case pkString: return a.GetStr(h);
    case pkClass: {
        TObject* o = a.GetObj(h);
        return o ? o->ClassName() : String();
    }
    case pkComponent: {
        auto* c = dynamic_cast<TComponent*>(a.GetObj(h));
        return c ? c->Name() : String();
    }
    case pkEvent: return a.GetMethod(h).Name;
    case pkStrings: {
        TStrings* s = a.GetStrings(h);
        return s ? s->Text() : String();
    }
    }
    return {};
}

void SetPropValue(TObject* instance, const String& path, const String& value)
{
    TObject* h = nullptr;
    const TPropInfo& info = GetPropInfo(instance, path, &h);
    const TPropAccess& a = *info.Access;
    if (info.Kind != pkClass && info.Kind != pkStrings) checkWritable(info);
    const String v = trim(value);
    switch (info.Kind) {
    case pkInteger: {
        Int64 n = 0;
        if (!IdentToIntOf(info.TypeName, v, n)) n = StrToInt(v);
        a.SetOrd(h, n);
        return;
    }
    case pkInt64:
    case pkCurrency: a.SetOrd(h, StrToInt64(v)); return;
    case pkEnum: {
        int n = GetEnumValue(*info.EnumInfo, v);
        if (n < 0) {
            if (!TryStrToInt(v, n) || n < 0 || n >= info.EnumInfo->Count())
                throw EConvertError("Invalid property value");
        }
        a.SetOrd(h, n);
        return;
    }
    case pkSet: a.SetOrd(h, static_cast<Int64>(StringToSet(*info.EnumInfo, v))); return;
    case pkBoolean: a.SetOrd(h, StrToBool(v) ? 1 : 0); return;
    case pkChar:
        if (value.size() != 1) throw EConvertError("Invalid property value");
        a.SetOrd(h, static_cast<unsigned char>(value[0]));
        return;
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: a.SetFloat(h, StrToFloat(v, dotSettings())); return;
    case pkString: a.SetStr(h, value); return;
    case pkComponent: {
        TComponent* found = nullptr;
        if (!v.empty()) {
            auto* c = dynamic_cast<TComponent*>(h);
            for (TComponent* root = c; root && !found; root = root->Owner()) found = root->FindComponent(v);
            if (!found) throw EConvertError("Invalid property value");
        }
        a.SetObj(h, found);
        return;
    }
    case pkEvent: {
        if (v.empty()) {
            a.SetMethod(h, nullptr, nullptr);
            return;
        }
        auto* c = dynamic_cast<TComponent*>(h);
        TComponent* root = c;
        while (root && root->Owner()) root = root->Owner();
        const TMethodInfo* m = root ? root->ClassType().FindMethod(v) : nullptr;
        if (!m || !a.SetMethod(h, root, m)) throw EConvertError("Invalid property value");
        return;
    }
    case pkStrings: {
        TStrings* s = a.GetStrings(h);
        if (s) s->SetText(value);
        return;
    }
    case pkClass: throw EConvertError("Invalid property value");
    }
}

bool IsDefaultPropValue(const TObject* instance, const TPropInfo& info)
{
    const TPropAccess& a = *info.Access;
    switch (info.Kind) {
    case pkInteger:
    case pkInt64:
    case pkEnum:
    case pkSet:
    case pkBoolean:
    case pkChar:
    case pkCurrency: return info.HasDefault && a.GetOrd(instance) == info.DefaultOrd;
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate:
        // As with text: a number declared without a default is written whenever it is stored.
        if (info.NoDefault) return false;
        return a.GetFloat(instance) == (info.HasDefault ? info.DefaultFloat : 0);
    case pkString:
        if (info.HasDefault) return a.GetStr(instance) == info.DefaultStr;
        return !info.NoDefault && a.GetStr(instance).empty();
    case pkComponent: return a.GetObj(instance) == nullptr;
    case pkEvent: return a.GetMethod(instance).Name.empty();
    case pkClass:
    case pkStrings: return false;
    }
    return false;
}

bool IsStoredProp(const TObject* instance, const TPropInfo& info)
{
    return info.Access && info.Access->IsStored(instance);
}
