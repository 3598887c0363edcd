// The window layer must make the application object before any bitmap drawing makes a plainer one.
#include <gtest/gtest.h>

#include "platform/forms/Forms.h"

namespace {
class WindowLayerFirst : public ::testing::Environment {
public:
    void SetUp() override { (void)Application->Terminated(); }
};
[[maybe_unused]] ::testing::Environment* const windowLayerFirst =
    ::testing::AddGlobalTestEnvironment(new WindowLayerFirst);
}  // namespace

// The leak checker's suppressions, also when the test runner's environment does not carry the
// shared suppression file: leaks inside system libraries are not ours to fix.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6\nleak:libdbus\nleak:libglib\n";
}
