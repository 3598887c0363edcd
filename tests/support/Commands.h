#pragma once
// Shell commands the tests consult: outside tools that check what the system wrote.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

// The standard output of a shell command.
inline std::string RunCommand(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> buffer{};
        while (fgets(buffer.data(), static_cast<int>(buffer.size()), pipe)) out += buffer.data();
        pclose(pipe);
    }
    return out;
}

// A command's exit code and what it printed (stderr joined).
struct TCommandResult {
    int Code = -1;
    std::string Output;
};
inline TCommandResult RunCommandStatus(const std::string& command)
{
    TCommandResult result;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) result.Output.append(buffer.data(), n);
    const int status = pclose(pipe.release());
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline bool HaveProgram(const std::string& program)
{
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}
