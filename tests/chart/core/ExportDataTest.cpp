#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "chart/core/ExportData.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

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
