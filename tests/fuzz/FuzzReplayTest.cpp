// The fuzz targets' checks (fuzz/chart, fuzz/workbook) run in the suite: on the seeds the project's
// writers make, which must load, on fixed mutations of them, and on the inputs that once found a
// fault the targets' own checks show (others are kept beside the test of the code they found it in).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "app/ChartUnits.h"
#include "fuzz/Seeds.h"
#include "fuzz/chart/FuzzChartFile.h"
#include "fuzz/workbook/FuzzWorkbook.h"
#include "tests/support/TempName.h"

namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::pair<std::string, std::string>> filesIn(const fs::path& folder)
{
    std::vector<std::pair<std::string, std::string>> files;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            files.emplace_back(entry.path().filename().string(), read(entry.path()));
    std::sort(files.begin(), files.end());
    return files;
}

bool fuzzOne(const std::string& target, const std::string& bytes)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    if (target == "chart_file") return tv_fuzz::FuzzChartFile(data, bytes.size());
    return tv_fuzz::FuzzWorkbook(data, bytes.size(), target == "xlsx");
}

std::string mutate(std::string bytes, std::mt19937& rng)
{
    static const char* const tokens[] = {"'",
                                         "#",
                                         "(",
                                         ")",
                                         "<",
                                         ">",
                                         "item",
                                         "end",
                                         "object TChart",
                                         ".",
                                         "=",
                                         "\x00",
                                         "\xFF\xFF\xFF\x7F",
                                         "\x09\x08",
                                         "PK\x03\x04"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = rng() % bytes.size();
        switch (rng() % 5) {
        case 0: bytes[at] = static_cast<char>(rng()); break;
        case 1: bytes.erase(at, 1 + rng() % 64); break;
        case 2: bytes.resize(at); break;
        case 3: bytes.insert(at, tokens[rng() % std::size(tokens)]); break;
        default: {  // a slice twice: nested objects, repeated records
            const size_t len = std::min<size_t>(bytes.size() - at, 1 + rng() % 256);
            bytes.insert(rng() % bytes.size(), bytes.substr(at, len));
            break;
        }
        }
    }
    return bytes;
}

class FuzzReplay : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { StartChartUnits(); }
    static void TearDownTestSuite() { StopChartUnits(); }
    void TearDown() override { fs::remove_all(folder_); }

    const fs::path folder_ = testsupport::UniqueTempPath("tv_fuzz_seeds");
};

TEST_P(FuzzReplay, SeedsLoadAndTheirMutationsAreRefusedOrRead)
{
    tv_fuzz::WriteSeeds(GetParam(), folder_);
    const auto seeds = filesIn(folder_);
    ASSERT_FALSE(seeds.empty());
    for (const auto& [name, bytes] : seeds) EXPECT_TRUE(fuzzOne(GetParam(), bytes)) << name << " was refused";
    std::mt19937 rng(20261211);
    for (int round = 0; round < 300; ++round) fuzzOne(GetParam(), mutate(seeds[rng() % seeds.size()].second, rng));
}

// Inputs a fuzzing run found a fault with (a finding aborts).
TEST_P(FuzzReplay, KeptFindingsPass)
{
    for (const auto& [name, bytes] : filesIn(fs::path(TV_TEST_DATA) / GetParam())) {
        SCOPED_TRACE(name);
        fuzzOne(GetParam(), bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(tv_fuzz::FuzzTargets()),
                         [](const auto& info) { return info.param; });

}  // namespace
