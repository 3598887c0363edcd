#include "platform/system/DesktopPrograms.h"

#include <QMimeDatabase>
#include <QMimeType>

#include "platform/system/ChildProcess.h"

namespace {

constexpr int AnswerWaitMs = 5000;

String FileTypeOfExtension(const String& extension)
{
    String name = extension;
    if (!name.empty() && name.front() == '.') name.erase(0, 1);
    if (name.empty()) return String();
    const QList<QMimeType> types = QMimeDatabase().mimeTypesForFileName(QString::fromStdString("file." + name));
    return types.isEmpty() ? String() : types.front().name().toStdString();
}

}  // namespace

bool DesktopHasProgramFor(const String& extension)
{
    const String type = FileTypeOfExtension(extension);
    if (type.empty()) return false;
    TChildProcess query;
    if (!query.Start("/bin/sh", {"-c", "exec xdg-mime query default \"$1\" 2>/dev/null </dev/null", "sh", type}))
        return false;
    String program;
    const bool answered = query.ReadLine(program, AnswerWaitMs);
    const int code = query.Wait(AnswerWaitMs);
    return answered && code == 0 && program.find_first_not_of(" \t\r") != String::npos;
}
