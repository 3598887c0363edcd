#include <gtest/gtest.h>

#include "platform/forms/TestKit.h"
#include "tests/app/ViewerFixture.h"

namespace {

TEST_F(ViewerTest, RendersTheWindow)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(w.ClientWidth(), 929);
    EXPECT_EQ(w.ClientHeight(), 717);
    ASSERT_TRUE(testkit::RenderToPng(w, (std::filesystem::temp_directory_path() / "viewer-window.png").string()));
}

}  // namespace
