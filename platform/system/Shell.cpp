#include "platform/system/Shell.h"

#include "platform/system/ChildProcess.h"

namespace {

// The exit codes xdg-open documents.
enum { OpenerOk = 0, OpenerNoFile = 2, OpenerNoTool = 3, ShellNotFound = 127 };
constexpr int OpenerWaitMs = 2000;
constexpr int Opened = 33;

}  // namespace

int OpenWithShell(const String& document)
{
    // Through the shell so the opener's output goes nowhere: a program it starts may write to it
    // long after this call has returned.
    TChildProcess opener;
    if (!opener.Start("/bin/sh", {"-c", "exec xdg-open \"$1\" >/dev/null 2>&1 </dev/null", "sh", document}))
        return SE_ERR_NOASSOC;
    int code = opener.Wait(OpenerWaitMs);
    if (code == -1 && opener.Running()) {
        opener.Detach();
        return Opened;
    }
    if (code == -1) code = opener.Wait(0);  // it ended just as the wait ran out
    switch (code) {
    case OpenerOk: return Opened;
    case OpenerNoFile: return SE_ERR_FNF;
    case OpenerNoTool:
    case ShellNotFound: return SE_ERR_NOASSOC;
    default: return SE_ERR_ACCESSDENIED;
    }
}
