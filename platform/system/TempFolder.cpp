#include "platform/system/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace {

// Owns the folders made during the run; removes them when the program ends.
class TFolders {
public:
    ~TFolders()
    {
        std::error_code ignored;
        for (const String& folder : made_) std::filesystem::remove_all(folder, ignored);
    }
    String Current()
    {
        std::lock_guard lock(mutex_);
        // Made again when something removed it or took the write permission meanwhile.
        if (current_.empty() || !Usable(current_)) current_ = Make();
        return current_;
    }

private:
    static bool Usable(const String& folder)
    {
        struct stat st{};
        return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && access(folder.c_str(), W_OK | X_OK) == 0;
    }
    String Make()
    {
        const char* base = std::getenv("TMPDIR");
        String pattern = (base && *base) ? String(base) : String("/tmp");
        if (pattern.back() != '/') pattern += '/';
        pattern += "tiltviewer-" + std::to_string(getpid()) + "-XXXXXX";
        if (!mkdtemp(pattern.data())) return String();
        made_.push_back(pattern);
        return pattern + '/';
    }

    std::mutex mutex_;
    String current_;
    std::vector<String> made_;
};

TFolders& Folders()
{
    static TFolders folders;
    return folders;
}

}  // namespace

String ProgramTempFolder() { return Folders().Current(); }
