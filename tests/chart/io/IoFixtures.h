#pragma once
// Fixtures of the chart file and export tests: a chart with line series, fixed number and date
// formats, files in the temp folder and the outside programs that check what was written.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <sys/wait.h>

#include "chart/core/Chart.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/Component.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "tests/support/TempName.h"

// Number and date texts as the tables expect them, whatever the machine's locale.
class TFixedFormats {
public:
    TFixedFormats() : saved_(FormatSettings)
    {
        FormatSettings = TFormatSettings{};
        FormatSettings.DecimalSeparator = '.';
        FormatSettings.ThousandSeparator = ',';
        FormatSettings.ShortDateFormat = "yyyy-mm-dd";
        FormatSettings.LongTimeFormat = "hh:nn:ss";
        FormatSettings.DateSeparator = '-';
        FormatSettings.TimeSeparator = ':';
    }
    ~TFixedFormats() { FormatSettings = saved_; }
    TFixedFormats(const TFixedFormats&) = delete;
    TFixedFormats& operator=(const TFixedFormats&) = delete;

private:
    TFormatSettings saved_;
};

// A line series added to the chart (owned by it), titled.
inline TLineSeries& AddLine(TCustomChart& chart, const String& title = {})
{
    auto* series = new TLineSeries(&chart);
    series->SetParentChart(&chart);
    if (!title.empty()) series->SetTitle(title);
    return *series;
}

// A file in the temp folder, removed at the end.
class TTempFile {
public:
    TTempFile(std::string_view stem, std::string_view extension)
        : path_(testsupport::UniqueTempPath(stem, extension))
    {
        std::filesystem::remove(path_);
    }
    ~TTempFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    String Name() const { return path_.string(); }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline String ReadWholeFile(const String& fileName)
{
    TMemoryStream stream;
    stream.LoadFromFile(fileName);
    return String(reinterpret_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size()));
}

inline void WriteWholeFile(const String& fileName, const String& bytes)
{
    TStringStream stream(bytes);
    TFileStream file(fileName, fmCreate);
    file.CopyFrom(stream, 0);
}

inline bool HaveProgram(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a shell command; its exit code and what it printed (stderr joined).
struct TCommandResult {
    int Code = -1;
    std::string Output;
};
inline TCommandResult RunCommand(const std::string& command)
{
    TCommandResult result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    if (!pipe) return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) result.Output.append(buffer, n);
    const int status = pclose(pipe.release());
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}
