#pragma once
// A 480 x 300 chart with a title, a legend and two line series (the sensor's two axes), for the
// picture exports and the video tools; and the outside tools that read what they write.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "chart/core/Chart.h"
#include "platform/classes/Component.h"
#include "platform/rtl/Types.h"

class TLineSeries;

class PictureChart : public ::testing::Test {
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;

    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart* chart = nullptr;
    TLineSeries* axisX = nullptr;
    TLineSeries* axisY = nullptr;
};

// The program's output, "" when the program is missing.
std::string RunTool(const std::string& command);
bool HaveTool(const char* name);
// The python with the picture library (the system's, not a user's own).
std::string Python();
// A file of this run in the temp folder: "<stem>_<pid><extension>".
std::filesystem::path TempFile(const std::string& stem, const std::string& extension);
// The file's bytes.
std::string FileBytes(const std::filesystem::path& path);
