#include <gtest/gtest.h>

#include "platform/forms/Forms.h"

namespace {
// Some tests make controls: the window layer's application comes before any drawing does.
class WindowLayer : public ::testing::Environment {
public:
    void SetUp() override { Application->Initialize(); }
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new WindowLayer);
}  // namespace
