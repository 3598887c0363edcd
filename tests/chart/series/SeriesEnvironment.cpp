#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BarFixtures.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"

TV_PUBLISHED_AS(TProbeBarSeries, TChartElementClass) {}

namespace {
// Charts are controls and read the user's editor settings: the window layer comes first, and the
// settings live in a folder of this run only.
class SeriesEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string dir = (std::filesystem::temp_directory_path() / "tv_chart_series_XXXXXX").string();
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
    std::string dir_;
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new SeriesEnvironment);
}  // namespace
