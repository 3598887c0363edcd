#pragma once
// Files a test writes into the temp folder carry the process id, so two runs at once (two build
// folders, parallel ctest) never write or delete each other's files.
#include <filesystem>
#include <string_view>

namespace testsupport {

// temp folder / "<stem>_<pid><extension>"; stem "tv_panel_print", extension ".pdf" or empty.
std::filesystem::path UniqueTempPath(std::string_view stem, std::string_view extension = {});

}  // namespace testsupport
