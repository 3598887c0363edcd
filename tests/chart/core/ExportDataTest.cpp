#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "chart/core/ExportData.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/system/ChildProcess.h"

namespace {

class TextExport : public TZebExportData {
public:
    explicit TextExport(String text) : text_(std::move(text)) {}
    String AsText() override { return text_; }

private:
    String text_;
};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ExportFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tv-export-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
};

}  // namespace

TEST_F(ExportFiles, WriteToFile)
{
    const auto file = folder_ / "data.txt";
    std::ofstream(file) << "older and longer contents";

    TZebExportData empty;
    empty.WriteToFile(file.string());
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(readFile(file), "");  // created empty, the old contents gone

    TextExport text("x;y\r\n1;2\r\nÄ");
    text.WriteToFile(file.string());
    EXPECT_EQ(readFile(file), "x;y\r\n1;2\r\nÄ");  // the bytes, no terminator, no byte-order mark

    EXPECT_THROW(text.WriteToFile((folder_ / "missing" / "data.txt").string()), EFCreateError);
}

TEST(ExportData, WriteToStreamAtItsPosition)
{
    TStringStream stream("head:");
    stream.Seek(0, soEnd);
    TextExport("body").WriteToStream(stream);
    EXPECT_EQ(stream.DataString(), "head:body");
}

namespace {

constexpr const char* clipboardText = "x;y\n1;2\n\xC3\x84 & \xE2\x82\xAC\n";

// A virtual X server of its own for one test; Display() is empty when none could start.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        int n = 150;
        while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) ||
               std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
            ++n;
        const String display = ":" + std::to_string(n);
        if (!server_.Start("Xvfb", {display, "-screen", "0", "640x480x24", "-nolisten", "tcp"})) return;
        for (int i = 0; i < 100 && !std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)); ++i)
            testkit::Pump(50);
        if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n))) display_ = display;
    }
    const String& Display() const { return display_; }

private:
    TChildProcess server_;
    String display_;
};

}  // namespace

TEST(ExportDataClipboard, CopiesTheTextAsPlainText)
{
    TextExport(clipboardText).CopyTextToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), clipboardText);
    TZebExportData().CopyTextToClipboard();  // the base's empty text empties the clipboard's text
    EXPECT_EQ(Clipboard()->AsText(), "");
}

// Run only by the next test, in a process of its own on an X display: puts the text on the
// desktop's clipboard and serves it until it is ended.
TEST(ExportDataClipboard, DISABLED_OwnerOnTheDesktop)
{
    TextExport(clipboardText).CopyTextToClipboard();
    std::cout << "clipboard ready" << std::endl;
    for (int i = 0; i < 200; ++i) testkit::Pump(50);
}

TEST(ExportDataClipboard, AnotherProgramReadsTheText)
{
    VirtualDisplay display;
    if (display.Display().empty()) GTEST_SKIP() << "no virtual X server (Xvfb)";
    TChildProcess owner;
    ASSERT_TRUE(owner.Start(
        "/proc/self/exe",
        {"--gtest_also_run_disabled_tests", "--gtest_filter=ExportDataClipboard.DISABLED_OwnerOnTheDesktop"},
        {{"DISPLAY", display.Display()},
         {"QT_QPA_PLATFORM", "xcb"},
         {"GTEST_TOTAL_SHARDS", "1"},
         {"GTEST_SHARD_INDEX", "0"}}));
    String line;
    bool ready = false;
    while (!ready && owner.ReadLine(line, 10000)) ready = line == "clipboard ready";
    ASSERT_TRUE(ready) << "the clipboard's owner did not start";

    TChildProcess reader;
    ASSERT_TRUE(reader.Start("xclip", {"-o", "-selection", "clipboard"}, {{"DISPLAY", display.Display()}}));
    String text;
    while (reader.ReadLine(line, 10000)) text += line + "\n";
    EXPECT_EQ(reader.Wait(5000), 0);
    EXPECT_EQ(text, clipboardText);
}
