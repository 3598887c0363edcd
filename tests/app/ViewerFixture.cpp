#include "tests/app/ViewerFixture.h"

#include <unistd.h>

#include <cstdlib>

#include "app/ChartUnits.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/TestKit.h"

void ViewerTest::SetUpTestSuite()
{
    static bool registered = false;
    if (!registered) {
        registered = true;
        TvRegisterResources_viewer();
        RegisterViewerClasses();
    }
    Application->Initialize();  // as the program: the engine's fonts need the window layer's application
    StartChartUnits();
}

void ViewerTest::TearDownTestSuite() { StopChartUnits(); }

void ViewerTest::SetUp()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::filesystem::temp_directory_path() /
            (String("viewer-") + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(root_);
    settings_ = root_ / "program";
    std::filesystem::create_directories(settings_);
    std::filesystem::create_directories(root_ / "config");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    TfKAVRO_IN_D_485_Viewer::SetSettingsFolder(settings_.string());
}

void ViewerTest::TearDown()
{
    window_.reset();
    testkit::Pump();
    TfKAVRO_IN_D_485_Viewer::SetClock(nullptr);
    std::filesystem::remove_all(root_);
}

TfKAVRO_IN_D_485_Viewer& ViewerTest::CreateWindow(bool show)
{
    window_.reset(new TfKAVRO_IN_D_485_Viewer(nullptr));
    if (show) window_->Show();
    testkit::Pump();
    return *window_;
}
