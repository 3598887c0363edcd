#include "chart/core/SystemRoutines.h"

#include <chrono>

#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/StringList.h"
#include "platform/system/Shell.h"

std::unique_ptr<TStringList> ListFilesMatching(const String& pattern)
{
    auto names = std::make_unique<TStringList>();
    for (const String& name : ListFiles(pattern)) names->Add(name);
    return names;
}

int OpenWithShell(TWinControl* window, const String& document)
{
    // The desktop places the program it starts itself; the window only says who asked.
    (void)window;
    return OpenWithShell(document);
}

int SetScreenCursor(int cursor)
{
    const int old = Screen->Cursor();
    Screen->SetCursor(cursor);
    return old;
}

double SystemMilliseconds()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
