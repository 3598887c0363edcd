#pragma once
// The standard output of a shell command (the picture and PDF tools the printing tests consult).
#include <array>
#include <cstdio>
#include <string>

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
