#include "platform/rtl/Files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

std::size_t LastDelim(const String& s)
{
    const auto p = s.rfind(PathDelim);
    return p == String::npos ? 0 : p + 1;  // start of the name part
}

std::vector<String> CommandLine()
{
    std::vector<String> args;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    String arg;
    while (std::getline(in, arg, '\0')) args.push_back(arg);
    return args;
}

}  // namespace

bool FileExists(const String& fileName)
{
    struct stat st {};
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& dirName)
{
    struct stat st {};
    return !dirName.empty() && ::stat(dirName.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const String& fileName) { return ::unlink(fileName.c_str()) == 0; }
bool RenameFile(const String& oldName, const String& newName)
{
    return std::rename(oldName.c_str(), newName.c_str()) == 0;
}
bool CreateDir(const String& dirName) { return ::mkdir(dirName.c_str(), 0777) == 0; }

bool ForceDirectories(const String& dirName)
{
    const String dir = ExcludeTrailingPathDelimiter(dirName);
    if (dir.empty() || DirectoryExists(dir)) return !dir.empty() || dirName == "/";
    const String parent = ExtractFileDir(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDir(dir) || (errno == EEXIST && DirectoryExists(dir));
}

String GetCurrentDir()
{
    char buf[PATH_MAX];
    return ::getcwd(buf, sizeof buf) ? String(buf) : String();
}

namespace {

// '*' any run, '?' one byte; iterative with one backtrack point, so long names stay linear.
bool WildcardMatch(const String& pattern, const String& name)
{
    std::size_t p = 0, n = 0, star = String::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != String::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

std::vector<String> ListFiles(const String& pathPattern)
{
    const String folder = ExtractFileDir(pathPattern);
    String pattern = ExtractFileName(pathPattern);
    if (pattern == "*.*") pattern = "*";  // every name, also those without a dot
    std::vector<String> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const String name = entry->d_name;
        if (!WildcardMatch(pattern, name)) continue;
        struct stat st {};
        const String full = folder.empty() ? name : IncludeTrailingPathDelimiter(folder) + name;
        if (::stat(full.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

String ExpandFileName(const String& fileName)
{
    if (fileName.empty()) return {};
    String path = fileName[0] == PathDelim ? fileName : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
    // Resolve "." and ".." lexically; the file need not exist.
    std::vector<String> parts;
    std::size_t p = 0;
    while (p <= path.size()) {
        std::size_t q = path.find(PathDelim, p);
        if (q == String::npos) q = path.size();
        const String part = path.substr(p, q - p);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        p = q + 1;
    }
    String r;
    for (const String& part : parts) r += PathDelim + part;
    if (r.empty() || (path.back() == PathDelim && r.back() != PathDelim)) r += PathDelim;
    return r;
}

String ExtractFilePath(const String& fileName) { return fileName.substr(0, LastDelim(fileName)); }

String ExtractFileDir(const String& fileName)
{
    std::size_t n = LastDelim(fileName);
    if (n > 1) --n;  // keep the root "/"
    return fileName.substr(0, n);
}

String ExtractFileName(const String& fileName) { return fileName.substr(LastDelim(fileName)); }

String ExtractFileExt(const String& fileName)
{
    const auto dot = fileName.rfind('.');
    if (dot == String::npos || dot < LastDelim(fileName)) return {};
    return fileName.substr(dot);
}

String ChangeFileExt(const String& fileName, const String& extension)
{
    const auto dot = fileName.rfind('.');
    if (dot == String::npos || dot < LastDelim(fileName)) return fileName + extension;
    return fileName.substr(0, dot) + extension;
}

String IncludeTrailingPathDelimiter(const String& path)
{
    return (!path.empty() && path.back() == PathDelim) ? path : path + PathDelim;
}

String ExcludeTrailingPathDelimiter(const String& path)
{
    return (path.size() > 1 && path.back() == PathDelim) ? path.substr(0, path.size() - 1) : path;
}

String ParamStr(int index)
{
    if (index == 0) {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n > 0) return String(buf, static_cast<std::size_t>(n));
    }
    const std::vector<String> args = CommandLine();
    return (index >= 0 && static_cast<std::size_t>(index) < args.size()) ? args[static_cast<std::size_t>(index)]
                                                                         : String();
}

int ParamCount()
{
    const auto n = CommandLine().size();
    return n ? static_cast<int>(n) - 1 : 0;
}

String ProgramFolder() { return ExtractFilePath(ParamStr(0)); }
