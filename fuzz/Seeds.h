#pragma once
// Seeds of the fuzz targets, made by the project's own writers (the chart units must be started).
#include <filesystem>
#include <string>
#include <vector>

namespace tv_fuzz {

// "chart_file", "xls", "xlsx": the names of the targets (fuzz_<name>) and of their seed kinds.
const std::vector<std::string>& FuzzTargets();
void WriteSeeds(const std::string& target, const std::filesystem::path& folder);

}  // namespace tv_fuzz
