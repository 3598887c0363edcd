#include "platform/system/UserConfig.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

bool MakeDirs(const String& dir)
{
    if (dir.empty()) return false;
    String partial;
    std::size_t pos = 0;
    while (pos != String::npos) {
        pos = dir.find('/', pos + 1);
        partial = dir.substr(0, pos);
        if (mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat st {};
    return stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

String UserConfigDir()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return String(xdg) + "/tiltviewer";
    const char* home = std::getenv("HOME");
    return String(home && *home ? home : ".") + "/.config/tiltviewer";
}

bool ForceUserConfigDir() { return MakeDirs(UserConfigDir()); }

bool EditFileAtomically(const String& path, String (*edit)(const String& old, void* context), void* context)
{
    const std::size_t slash = path.rfind('/');
    if (slash != String::npos && slash > 0 && !MakeDirs(path.substr(0, slash))) return false;
    const String lockPath = path + ".lock";
    const int lock = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) return false;
    if (flock(lock, LOCK_EX) != 0) {
        const int e = errno;
        close(lock);
        errno = e;
        return false;
    }
    String old;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            std::ostringstream s;
            s << in.rdbuf();
            old = s.str();
        }
    }
    const String text = edit(old, context);
    const String temp = path + ".tmp" + std::to_string(getpid());
    bool ok = false;
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && fsync(fd) == 0;
        ok = close(fd) == 0 && ok;
        ok = ok && rename(temp.c_str(), path.c_str()) == 0;
        if (!ok) {
            const int e = errno;
            unlink(temp.c_str());
            errno = e;
        }
    }
    const int e = errno;
    close(lock);  // releases the lock
    errno = e;
    return ok;
}
