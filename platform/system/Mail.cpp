#include "platform/system/Mail.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/system/ChildProcess.h"

namespace {

constexpr const char* Composer = "xdg-email";
constexpr int ComposerWaitMs = 5000;
constexpr int ShellNotFound = 127;

}  // namespace

bool MailComposerAvailable()
{
    const char* path = std::getenv("PATH");
    if (!path) return false;
    const String folders = path;
    std::size_t start = 0;
    while (start <= folders.size()) {
        std::size_t end = folders.find(':', start);
        if (end == String::npos) end = folders.size();
        String candidate = end > start ? folders.substr(start, end - start) : String(".");
        candidate.append("/").append(Composer);
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

int ComposeMailWithAttachment(const String& file, const String& subject)
{
    TChildProcess composer;
    if (!composer.Start("/bin/sh", {"-c", "exec xdg-email --subject \"$1\" --attach \"$2\" >/dev/null 2>&1 </dev/null",
                                    "sh", subject, file}))
        return -1;
    int code = composer.Wait(ComposerWaitMs);
    if (code == -1 && composer.Running()) {
        composer.Detach();
        return 0;
    }
    if (code == -1) code = composer.Wait(0);
    return code == ShellNotFound ? -1 : code;
}
