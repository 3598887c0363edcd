#include "platform/system/Registry.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/system/DeviceMap.h"
#include "platform/system/UserConfig.h"

namespace {

const char* const SerialCommKey = "hardware\\devicemap\\serialcomm";

std::mutex userFileLock;
String userFileOverride;

String Lower(String s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Key paths compare without case, as the registry's do.
struct KeyLess {
    bool operator()(const String& a, const String& b) const { return Lower(a) < Lower(b); }
};

struct Section {
    std::vector<std::pair<String, String>> values;  // in file order
};
using IniFile = std::map<String, Section, KeyLess>;

String Escape(const String& s)
{
    String out;
    for (char c : s) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

String Unescape(const String& s)
{
    String out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char c = s[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

IniFile Parse(const String& text)
{
    IniFile ini;
    Section* current = nullptr;
    std::istringstream in(text);
    for (String line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            current = &ini[line.substr(1, line.size() - 2)];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (!current || eq == String::npos) continue;
        current->values.emplace_back(Unescape(line.substr(0, eq)), Unescape(line.substr(eq + 1)));
    }
    return ini;
}

String Render(const IniFile& ini)
{
    String text;
    for (const auto& [key, section] : ini) {
        text += "[" + key + "]\n";
        for (const auto& [name, value] : section.values) {
            // '=' cannot be escaped in a name: the first one splits, so names keep theirs out.
            text += Escape(name) + "=" + Escape(value) + "\n";
        }
        text += "\n";
    }
    return text;
}

IniFile Load()
{
    std::ifstream in(TRegistry::UserFile(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return Parse(s.str());
}

template <typename F>
bool Modify(F change)
{
    struct Context {
        F* change;
    } context{&change};
    return EditFileAtomically(
        TRegistry::UserFile(),
        [](const String& old, void* c) {
            IniFile ini = Parse(old);
            (*static_cast<Context*>(c)->change)(ini);
            return Render(ini);
        },
        &context);
}

auto FindValue(Section& s, const String& name)
{
    return std::find_if(s.values.begin(), s.values.end(), [&](const auto& v) { return Lower(v.first) == Lower(name); });
}

bool IsPrefixKey(const String& parent, const String& child)
{
    return child.size() > parent.size() + 1 && Lower(child.substr(0, parent.size())) == Lower(parent) &&
           child[parent.size()] == '\\';
}

}  // namespace

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() = default;

void TRegistry::SetUserFile(const String& path)
{
    std::lock_guard guard(userFileLock);
    userFileOverride = path;
}

String TRegistry::UserFile()
{
    std::lock_guard guard(userFileLock);
    return userFileOverride.empty() ? UserConfigDir() + "/registry.ini" : userFileOverride;
}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    root_ = root;
}

String TRegistry::Resolve(const String& key) const
{
    String k = key;
    const bool absolute = !k.empty() && k[0] == '\\';
    while (!k.empty() && k.front() == '\\') k.erase(0, 1);
    while (!k.empty() && k.back() == '\\') k.pop_back();
    if (absolute || !open_ || path_.empty()) return k;
    return k.empty() ? path_ : path_ + "\\" + k;
}

bool TRegistry::IsSerialComm() const { return root_ == HKEY_LOCAL_MACHINE && Lower(path_) == SerialCommKey; }

bool TRegistry::OpenKey(const String& key, bool canCreate)
{
    const String path = Resolve(key);
    if (root_ == HKEY_LOCAL_MACHINE) {
        if (Lower(path) != SerialCommKey) return false;
        path_ = path;
        open_ = true;
        readOnly_ = true;
        return true;
    }
    if (root_ != HKEY_CURRENT_USER) return false;
    if (!KeyExists("\\" + path)) {
        if (!canCreate || path.empty()) return false;
        if (!Modify([&](IniFile& ini) { ini[path]; })) return false;
    }
    path_ = path;
    open_ = true;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key)
{
    if (!OpenKey(key, false)) return false;
    readOnly_ = true;
    return true;
}

void TRegistry::CloseKey()
{
    open_ = false;
    readOnly_ = false;
    path_.clear();
}

bool TRegistry::KeyExists(const String& key)
{
    const String path = Resolve(key);
    if (root_ == HKEY_LOCAL_MACHINE) {
        const String l = Lower(path);
        return l == SerialCommKey || l == "hardware" || l == "hardware\\devicemap";
    }
    if (root_ != HKEY_CURRENT_USER) return false;
    const IniFile ini = Load();
    if (ini.count(path)) return true;
    return std::any_of(ini.begin(), ini.end(), [&](const auto& s) { return IsPrefixKey(path, s.first); });
}

bool TRegistry::DeleteKey(const String& key)
{
    if (root_ != HKEY_CURRENT_USER) return false;
    const String path = Resolve(key);
    if (!KeyExists("\\" + path)) return false;
    return Modify([&](IniFile& ini) {
        for (auto it = ini.begin(); it != ini.end();)
            it = Lower(it->first) == Lower(path) || IsPrefixKey(path, it->first) ? ini.erase(it) : std::next(it);
    });
}

bool TRegistry::MoveKey(const String& oldName, const String& newName, bool deleteOld)
{
    if (root_ != HKEY_CURRENT_USER) return false;
    const String from = Resolve(oldName);
    const String to = Resolve(newName);
    if (from.empty() || to.empty() || Lower(from) == Lower(to) || IsPrefixKey(from, to)) return false;
    if (!KeyExists("\\" + from) || KeyExists("\\" + to)) return false;
    return Modify([&](IniFile& ini) {
        IniFile moved;
        for (auto it = ini.begin(); it != ini.end();) {
            const bool inside = Lower(it->first) == Lower(from) || IsPrefixKey(from, it->first);
            if (!inside) {
                ++it;
                continue;
            }
            moved[to + it->first.substr(from.size())] = it->second;
            it = deleteOld ? ini.erase(it) : std::next(it);
        }
        ini.merge(moved);
    });
}

bool TRegistry::ValueExists(const String& name)
{
    if (!open_) return false;
    if (IsSerialComm()) {
        const auto map = SerialDeviceMap();
        return std::any_of(map.begin(), map.end(), [&](const TSerialMapEntry& e) { return e.Device == name; });
    }
    IniFile ini = Load();
    auto s = ini.find(path_);
    return s != ini.end() && FindValue(s->second, name) != s->second.values.end();
}

void TRegistry::GetValueNames(TStrings& names)
{
    names.Clear();
    if (!open_) return;
    if (IsSerialComm()) {
        for (const TSerialMapEntry& e : SerialDeviceMap()) names.Add(e.Device);
        return;
    }
    const IniFile ini = Load();
    auto s = ini.find(path_);
    if (s != ini.end())
        for (const auto& v : s->second.values) names.Add(v.first);
}

void TRegistry::GetKeyNames(TStrings& names)
{
    names.Clear();
    if (!open_ || root_ != HKEY_CURRENT_USER) return;
    std::vector<String> seen;
    for (const auto& [key, section] : Load()) {
        if (!IsPrefixKey(path_, key) && !path_.empty()) continue;
        String rest = path_.empty() ? key : key.substr(path_.size() + 1);
        rest = rest.substr(0, rest.find('\\'));
        if (std::none_of(seen.begin(), seen.end(), [&](const String& s) { return Lower(s) == Lower(rest); })) {
            seen.push_back(rest);
            names.Add(rest);
        }
    }
}

String TRegistry::ReadString(const String& name)
{
    if (!open_) return {};
    if (IsSerialComm()) {
        for (const TSerialMapEntry& e : SerialDeviceMap())
            if (e.Device == name) return e.Port;
        return {};
    }
    IniFile ini = Load();
    auto s = ini.find(path_);
    if (s == ini.end()) return {};
    auto v = FindValue(s->second, name);
    return v == s->second.values.end() ? String() : v->second;
}

int TRegistry::ReadInteger(const String& name)
{
    if (ValueExists(name)) {
        const String text = ReadString(name);
        try {
            std::size_t used = 0;
            const long long v = std::stoll(text, &used, 10);
            if (used == text.size() && v >= INT32_MIN && v <= UINT32_MAX)
                return static_cast<int>(static_cast<std::int64_t>(v));
        } catch (const std::exception&) {
        }
    }
    throw ERegistryException("Invalid data type for '" + name + "'");
}

bool TRegistry::ReadBool(const String& name) { return ReadInteger(name) != 0; }

void TRegistry::WriteString(const String& name, const String& value)
{
    if (!open_ || readOnly_ || name.find('=') != String::npos || !Modify([&](IniFile& ini) {
            Section& s = ini[path_];
            auto v = FindValue(s, name);
            if (v != s.values.end())
                v->second = value;
            else
                s.values.emplace_back(name, value);
        }))
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteInteger(const String& name, int value) { WriteString(name, std::to_string(value)); }

void TRegistry::WriteBool(const String& name, bool value) { WriteInteger(name, value ? 1 : 0); }

bool TRegistry::DeleteValue(const String& name)
{
    if (!open_ || readOnly_ || !ValueExists(name)) return false;
    return Modify([&](IniFile& ini) {
        Section& s = ini[path_];
        auto v = FindValue(s, name);
        if (v != s.values.end()) s.values.erase(v);
    });
}
