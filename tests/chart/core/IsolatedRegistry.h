#pragma once
// The per-user registry of one test: a fresh file, removed afterwards.
#include <filesystem>
#include <string>

#include "platform/system/Registry.h"

class IsolatedRegistry {
public:
    IsolatedRegistry()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tv-chart-core-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        TRegistry::SetUserFile((folder_ / "registry.ini").string());
    }
    ~IsolatedRegistry()
    {
        TRegistry::SetUserFile("");
        std::filesystem::remove_all(folder_);
    }
    IsolatedRegistry(const IsolatedRegistry&) = delete;
    IsolatedRegistry& operator=(const IsolatedRegistry&) = delete;

private:
    std::filesystem::path folder_;
};
