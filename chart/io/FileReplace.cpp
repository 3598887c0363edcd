#include "chart/io/FileReplace.h"

#include <memory>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

// A name in the target's folder that no file has yet.
String temporaryNameFor(const String& fileName)
{
    for (int n = 0;; ++n) {
        String name = ExtractFilePath(fileName) + "." + ExtractFileName(fileName) + "." + IntToStr(n) + ".part";
        if (!FileExists(name)) return name;
    }
}

}  // namespace

void WriteFileReplacing(const String& fileName, const std::function<void(TStream& stream)>& write)
{
    const String temporary = temporaryNameFor(fileName);
    try {
        {
            std::unique_ptr<TFileStream> file;
            try {
                file = std::make_unique<TFileStream>(temporary, fmCreate);
            } catch (const EFCreateError& error) {
                // Named after the file asked for, not the temporary one.
                String message = error.Message();
                if (const auto at = message.find(temporary); at != String::npos)
                    message.replace(at, temporary.size(), fileName);
                throw EFCreateError(message);
            }
            write(*file);
        }
        if (!RenameFile(temporary, fileName))
            throw EFCreateError("Cannot create file \"" + fileName + "\". The written file could not replace it");
    } catch (...) {
        DeleteFile(temporary);
        throw;
    }
}
