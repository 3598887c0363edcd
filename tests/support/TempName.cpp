#include "TempName.h"

#include <unistd.h>

#include <string>

namespace testsupport {

std::filesystem::path UniqueTempPath(std::string_view stem, std::string_view extension)
{
    std::string name(stem);
    name += '_';
    name += std::to_string(getpid());
    name += extension;
    return std::filesystem::temp_directory_path() / name;
}

}  // namespace testsupport
