#pragma once
// The test environment of chart test programs: charts are controls and read the user's editor
// settings, so the window layer comes first and the settings live in a folder of this run only.
// Each program registers it once: AddGlobalTestEnvironment(new TPanelEnvironment("tv_chart_core")).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/forms/Forms.h"

class TPanelEnvironment : public ::testing::Environment {
public:
    explicit TPanelEnvironment(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override
    {
        std::string dir = (std::filesystem::temp_directory_path() / (prefix_ + "_XXXXXX")).string();
        if (mkdtemp(dir.data())) {
            dir_ = dir;
            setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
        }
        Application->Initialize();
    }
    void TearDown() override
    {
        std::error_code ignored;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
    }

private:
    std::string prefix_;
    std::string dir_;
};
