#include "platform/system/DeviceMap.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/system/UserConfig.h"

namespace {

// Digits only, no sign, no leading junk; -1 otherwise.
int ParseNumber(const String& s)
{
    if (s.empty() || s.size() > 9) return -1;
    int n = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

String Trim(const String& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

String PortName(int n) { return "COM" + std::to_string(n); }

String ReadSmallFile(const String& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<String> SplitLines(const String& text)
{
    std::vector<String> lines;
    std::istringstream in(text);
    for (String line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct Edit {
    String port;
    String device;
    bool remove;
    bool tied;
};

// "COM7=/dev/pts/4;pid=1234": the device, and the process the line belongs to (0: none).
void SplitValue(const String& value, String& device, long& pid)
{
    const String v = Trim(value);
    const std::size_t mark = v.find(";pid=");
    device = Trim(v.substr(0, mark));
    pid = 0;
    if (mark != String::npos) {
        const int n = ParseNumber(v.substr(mark + 5));
        pid = n > 0 ? n : -1;
    }
}

// A line of a process that is gone names a pseudo-terminal that may serve somebody else now.
bool OwnerGone(long pid) { return pid < 0 || (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH); }

String EditMap(const String& old, void* context)
{
    const Edit& e = *static_cast<const Edit*>(context);
    const int number = ComNumberOfName(e.port);
    String text;
    bool done = false;
    for (const String& line : SplitLines(old)) {
        const std::size_t eq = line.find('=');
        if (eq != String::npos && ComNumberOfName(Trim(line.substr(0, eq))) == number) {
            if (e.remove) {
                String device;
                long pid;
                SplitValue(line.substr(eq + 1), device, pid);
                if (device != e.device) text += line + "\n";
                continue;
            }
            if (!done)
                text += PortName(number) + "=" + e.device + (e.tied ? ";pid=" + std::to_string(getpid()) : "") + "\n";
            done = true;
            continue;
        }
        text += line + "\n";
    }
    if (!e.remove && !done)
        text += PortName(number) + "=" + e.device + (e.tied ? ";pid=" + std::to_string(getpid()) : "") + "\n";
    return text;
}

struct Claim {
    int wanted;
    String device;
    TSerialMapClaim result;
};

// The first line of a live owner for the number, if any.
bool LiveOwner(const String& text, int number, String& device, long& pid)
{
    for (const String& line : SplitLines(text)) {
        const std::size_t eq = line.find('=');
        if (eq == String::npos || ComNumberOfName(Trim(line.substr(0, eq))) != number) continue;
        SplitValue(line.substr(eq + 1), device, pid);
        if (!device.empty() && device[0] == '/' && !OwnerGone(pid)) return true;
    }
    return false;
}

String ClaimInMap(const String& old, void* context)
{
    Claim& c = *static_cast<Claim*>(context);
    String owner;
    long pid = 0;
    int number = c.wanted;
    if (number != 0) {
        if (LiveOwner(old, number, owner, pid)) {
            c.result.OwnerDevice = owner;
            c.result.OwnerPid = pid;
            return old;
        }
    } else {
        for (number = 1; number <= 99 && LiveOwner(old, number, owner, pid); ++number) {
        }
        if (number > 99) return old;
    }
    c.result.Number = number;
    Edit e{PortName(number), c.device, false, true};
    return EditMap(old, &e);
}

}  // namespace

int ComNumberForTty(const String& ttyName)
{
    struct Scheme {
        const char* prefix;
        int first;
        int count;
    };
    static const Scheme schemes[] = {{"ttyUSB", 33, 32}, {"ttyACM", 65, 35}, {"ttyS", 1, 32}};
    for (const Scheme& s : schemes) {
        const String prefix = s.prefix;
        if (ttyName.compare(0, prefix.size(), prefix) != 0) continue;
        const int n = ParseNumber(ttyName.substr(prefix.size()));
        if (n < 0 || n >= s.count) return 0;
        return s.first + n;
    }
    return 0;
}

int ComNumberOfName(const String& name)
{
    String s = name;
    while (s.compare(0, 4, "\\\\.\\") == 0) s.erase(0, 4);
    if (s.size() < 4) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(s[i])) != "COM"[i]) return 0;
    const int n = ParseNumber(s.substr(3));
    return n > 0 && n <= 255 ? n : 0;
}

std::vector<TSerialMapEntry> SystemSerialPorts(const String& sysClassTty)
{
    std::vector<TSerialMapEntry> ports;
    DIR* dir = opendir(sysClassTty.c_str());
    if (!dir) return ports;
    while (const dirent* e = readdir(dir)) {
        const String name = e->d_name;
        const int number = ComNumberForTty(name);
        if (number == 0) continue;
        const String base = sysClassTty + "/" + name;
        struct stat st {};
        if (stat((base + "/device").c_str(), &st) != 0) continue;  // virtual terminal, no hardware behind it
        if (name.compare(0, 4, "ttyS") == 0 && stat((base + "/type").c_str(), &st) == 0 &&
            Trim(ReadSmallFile(base + "/type")) == "0")
            continue;  // a legacy port slot without a UART
        ports.push_back({"/dev/" + name, PortName(number)});
    }
    closedir(dir);
    return ports;
}

String SerialMapFilePath() { return UserConfigDir() + "/serialcomm.map"; }

std::vector<TSerialMapEntry> ReadSerialMapFile(const String& path)
{
    std::vector<TSerialMapEntry> entries;
    for (const String& raw : SplitLines(ReadSmallFile(path))) {
        const String line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        const std::size_t eq = line.find('=');
        if (eq == String::npos) continue;
        const int number = ComNumberOfName(Trim(line.substr(0, eq)));
        String device;
        long pid;
        SplitValue(line.substr(eq + 1), device, pid);
        if (number == 0 || device.empty() || device[0] != '/' || OwnerGone(pid)) continue;
        entries.push_back({device, PortName(number)});
    }
    return entries;
}

std::vector<TSerialMapEntry> SerialDeviceMap(const String& mapFile, const String& sysClassTty)
{
    std::vector<TSerialMapEntry> map;
    const std::vector<TSerialMapEntry> user = ReadSerialMapFile(mapFile);
    auto takenByUser = [&](const String& port) {
        return std::any_of(user.begin(), user.end(), [&](const TSerialMapEntry& u) { return u.Port == port; });
    };
    for (const TSerialMapEntry& e : SystemSerialPorts(sysClassTty))
        if (!takenByUser(e.Port)) map.push_back(e);
    for (const TSerialMapEntry& e : user) {
        // A later line for the same port wins.
        auto same = std::find_if(map.begin(), map.end(), [&](const TSerialMapEntry& m) { return m.Port == e.Port; });
        if (same != map.end())
            *same = e;
        else
            map.push_back(e);
    }
    std::stable_sort(map.begin(), map.end(), [](const TSerialMapEntry& a, const TSerialMapEntry& b) {
        return ComNumberOfName(a.Port) < ComNumberOfName(b.Port);
    });
    return map;
}

std::vector<TSerialMapEntry> SerialDeviceMap() { return SerialDeviceMap(SerialMapFilePath()); }

String ResolveSerialDevice(const String& name, const std::vector<TSerialMapEntry>& map)
{
    String bare = name;
    while (bare.compare(0, 4, "\\\\.\\") == 0) bare.erase(0, 4);
    if (!bare.empty() && bare[0] == '/') return bare;
    const int number = ComNumberOfName(name);
    if (number == 0) return {};
    for (const TSerialMapEntry& e : map)
        if (ComNumberOfName(e.Port) == number) return e.Device;
    return {};
}

String ResolveSerialDevice(const String& name) { return ResolveSerialDevice(name, SerialDeviceMap()); }

bool SetSerialMapEntry(const String& mapFile, const String& port, const String& device, bool tiedToThisProcess)
{
    if (ComNumberOfName(port) == 0 || device.empty()) return false;
    Edit e{port, device, false, tiedToThisProcess};
    return EditFileAtomically(mapFile, EditMap, &e);
}

bool RemoveSerialMapEntry(const String& mapFile, const String& port, const String& device)
{
    if (ComNumberOfName(port) == 0) return false;
    Edit e{port, device, true, false};
    return EditFileAtomically(mapFile, EditMap, &e);
}

bool ClaimSerialMapEntry(const String& mapFile, int number, const String& device, TSerialMapClaim& claim)
{
    Claim c{number, device, {}};
    const bool written = EditFileAtomically(mapFile, ClaimInMap, &c);
    claim = c.result;
    return written;
}
