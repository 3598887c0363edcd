#pragma once
// A fresh directory for one test, removed afterwards; also points XDG_CONFIG_HOME into it.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tv-system-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        const char* old = std::getenv("XDG_CONFIG_HOME");
        hadOld_ = old != nullptr;
        if (old) old_ = old;
        setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
    }
    ~TempDir()
    {
        if (hadOld_)
            setenv("XDG_CONFIG_HOME", old_.c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::filesystem::remove_all(path_);
    }
    std::string operator/(const std::string& rel) const { return (path_ / rel).string(); }
    void Write(const std::string& rel, const std::string& text) const
    {
        std::filesystem::create_directories((path_ / rel).parent_path());
        std::ofstream(path_ / rel) << text;
    }
    std::string Read(const std::string& rel) const
    {
        std::ifstream in(path_ / rel);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
    std::string old_;
    bool hadOld_ = false;
};
