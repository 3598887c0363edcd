#pragma once
// Python scripts that make or check files with independent tools (openpyxl for workbooks).
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/Commands.h"
#include "tests/support/TempName.h"

namespace testsupport {

inline std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs the script with the arguments; its standard output.
inline std::string RunPython(const std::string& python, const std::string& script, const std::vector<std::string>& args = {})
{
    const std::string path = UniqueTempPath("tv_script", ".py").string();
    std::ofstream(path) << script;
    std::string command = python + " " + ShellQuote(path);
    for (const std::string& arg : args) command += " " + ShellQuote(arg);
    const std::string out = RunCommandStatus(command).Output;
    std::remove(path.c_str());
    return out;
}

// A python3 that has openpyxl (the system's first), or "" when none has.
inline std::string OpenpyxlPython()
{
    for (const std::string python : {"/usr/bin/python3", "python3"})
        if (RunPython(python, "import openpyxl\nprint('ok')\n") == "ok\n") return python;
    return "";
}

}  // namespace testsupport
