// The window layer must make the application object before any bitmap drawing makes a plainer one.
#include <gtest/gtest.h>

#include "platform/forms/Forms.h"

namespace {
class WindowLayerFirst : public ::testing::Environment {
public:
    void SetUp() override { (void)Application->Terminated(); }
};
[[maybe_unused]] ::testing::Environment* const windowLayerFirst = ::testing::AddGlobalTestEnvironment(
    new WindowLayerFirst);
}  // namespace
