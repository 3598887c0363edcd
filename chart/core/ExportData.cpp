#include "chart/core/ExportData.h"

#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"

String TZebExportData::AsText() { return {}; }

void TZebExportData::CopyTextToClipboard() {}

void TZebExportData::WriteToStream(TStream& stream)
{
    const String text = AsText();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void TZebExportData::WriteToFile(const String& fileName)
{
    TFileStream file(fileName, fmCreate);
    WriteToStream(file);
}

TV_PUBLISHED(TZebExportData) {}
