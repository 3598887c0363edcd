#include "chart/io/FileReplace.h"

#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

namespace {

String TemporaryName(const String& fileName) { return fileName + ".tmp~"; }

// The creation error names the file the caller asked for, not the temporary one.
String NamingTarget(String message, const String& temporary, const String& fileName)
{
    const auto at = message.find(temporary);
    if (at != String::npos) message.replace(at, temporary.size(), fileName);
    return message;
}

}  // namespace

void WriteFileReplacing(const String& fileName, const std::function<void(TStream& stream)>& write)
{
    const String temporary = TemporaryName(fileName);
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(temporary, fmCreate);
    } catch (const EFCreateError& error) {
        throw EFCreateError(NamingTarget(error.Message(), temporary, fileName));
    }
    try {
        write(*stream);
        stream.reset();
        if (!RenameFile(temporary, fileName)) throw EFCreateError("Cannot create file \"" + fileName + "\"");
    } catch (...) {
        stream.reset();
        DeleteFile(temporary);
        throw;
    }
}
