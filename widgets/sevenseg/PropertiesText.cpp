#include "widgets/sevenseg/PropertiesText.h"

#include <cstdint>
#include <set>

#include "platform/classes/Persistent.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

constexpr size_t kMaxLine = 255;

String PathOf(const String& path, const String& name)
{
    String p = Trim(path).empty() ? name : path + "." + name;
    if (p.size() > kMaxLine) p.resize(kMaxLine);
    return p;
}

bool IsOrdinal(TPropKind k) { return k == pkInteger || k == pkChar || k == pkEnum || k == pkSet || k == pkBoolean; }

bool IsFloat(TPropKind k) { return k == pkSingle || k == pkDouble || k == pkExtended || k == pkDate; }

bool IsObject(TPropKind k) { return k == pkClass || k == pkComponent; }

bool IsExcluded(const String& path, const std::vector<String>& excluded)
{
    for (const String& e : excluded)
        if (SameText(e, path)) return true;
    return false;
}

void SaveObject(TObject* object, const String& path, TPropertyLines& lines, const std::vector<String>& excluded,
                std::set<const TObject*>& visiting)
{
    if (!object || !visiting.insert(object).second) return;  // a reference that leads back never loops
    for (const TPropInfo* info : object->ClassType().Properties()) {
        const String propPath = PathOf(path, info->Name);
        // A sub-object's settings always go in, each under its own stored test: a font that
        // follows its parent's is still part of how the control looks.
        if (!IsObject(info->Kind) && (!info->IsWritable() || !info->Access->IsStored(object))) continue;
        if (IsExcluded(propPath, excluded)) continue;
        String line;
        if (IsOrdinal(info->Kind)) {
            Int64 v = info->Access->GetOrd(object);
            if (info->Kind == pkInteger) v = static_cast<std::int32_t>(v);
            line = propPath + " = " + IntToStr(v);
        } else if (IsFloat(info->Kind)) {
            line = propPath + " = " + FloatToStr(info->Access->GetFloat(object));
        } else if (info->Kind == pkString) {
            line = propPath + " = " + info->Access->GetStr(object);
        } else if (IsObject(info->Kind)) {
            TObject* child = info->Access->GetObj(object);
            if (child && child->Is<TPersistent>()) SaveObject(child, propPath, lines, excluded, visiting);
            continue;
        } else {
            continue;  // events, 64-bit integers, string lists
        }
        if (line.size() > kMaxLine) line.resize(kMaxLine);
        lines.push_back(line);
    }
    visiting.erase(object);
}

void LoadObject(TObject* object, const String& path, TPropertyLines& lines, std::set<const TObject*>& visiting)
{
    if (!object || !visiting.insert(object).second) return;
    for (const TPropInfo* info : object->ClassType().Properties()) {
        const String propPath = PathOf(path, info->Name);
        if (IsObject(info->Kind)) {
            TObject* child = info->Access->GetObj(object);
            if (child && child->Is<TPersistent>()) LoadObject(child, propPath, lines, visiting);
            continue;
        }
        if (!info->IsWritable() || !info->Access->IsStored(object)) continue;
        if (!IsOrdinal(info->Kind) && !IsFloat(info->Kind) && info->Kind != pkString) continue;
        String value;
        if (!ExtractPropertyValue(lines, propPath, value)) continue;
        if (IsOrdinal(info->Kind)) {
            const Int64 v = StrToInt64(value);
            // An enumeration outside its names would leave the control in a state it cannot draw.
            if (info->Kind == pkEnum && info->EnumInfo && (v < 0 || v >= info->EnumInfo->Count()))
                throw EConvertError("'" + value + "' is not a valid value of " + propPath);
            if (info->Kind == pkInteger && (v < INT32_MIN || v > INT32_MAX))
                throw EConvertError("'" + value + "' is not a valid integer value");
            info->Access->SetOrd(object, v);
        } else if (IsFloat(info->Kind)) {
            info->Access->SetFloat(object, StrToFloat(value));
        } else {
            info->Access->SetStr(object, value);
        }
    }
    visiting.erase(object);
}

}  // namespace

void SplitNameValue(const String& line, String& name, String& value)
{
    const size_t eq = line.find('=');
    if (eq == String::npos) {
        name.clear();
        value = Trim(line);
        return;
    }
    name = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
}

bool ExtractPropertyValue(TPropertyLines& lines, const String& path, String& value)
{
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        String name;
        SplitNameValue(*it, name, value);
        if (!name.empty() && SameText(name, path)) {
            lines.erase(it);
            return true;
        }
    }
    value.clear();
    return false;
}

void SavePropertiesToList(TObject* object, const String& path, TPropertyLines& lines,
                          const std::vector<String>& excluded)
{
    std::set<const TObject*> visiting;
    SaveObject(object, path, lines, excluded, visiting);
}

void LoadPropertiesFromList(TObject* object, const String& path, TPropertyLines& lines)
{
    std::set<const TObject*> visiting;
    LoadObject(object, path, lines, visiting);
}

void WritePropertyLines(const String& fileName, const TPropertyLines& lines)
{
    String text;
    for (const String& line : lines) text += line + "\r\n";
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

TPropertyLines ReadPropertyLines(const String& fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    String text(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    TPropertyLines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}
