#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Exceptions.h"
#include "widgets/sevenseg/PropertiesText.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

namespace {

class PropertiesFile : public ::testing::Test {
protected:
    PropertiesFile()
        : dir_(std::filesystem::temp_directory_path() /
               ("sevenseg_props_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(dir_);
    }
    ~PropertiesFile() override { std::filesystem::remove_all(dir_); }

    String Path(const char* name) const { return (dir_ / name).string(); }

    static String Read(const String& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Write(const String& path, const String& text)
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    static std::vector<String> Names(const String& text)
    {
        std::vector<String> names;
        std::istringstream in(text);
        String line;
        while (std::getline(in, line)) {
            String name, value;
            SplitNameValue(line, name, value);
            names.push_back(name);
        }
        return names;
    }
    static bool Has(const std::vector<String>& names, const String& name)
    {
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    static String LoadError(TiComponent& c, const String& path)
    {
        try {
            c.LoadPropertiesFromFile(path);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    TOwnedPtr<TiSevenSegmentAnalog> readout{new TiSevenSegmentAnalog(nullptr)};

private:
    std::filesystem::path dir_;
};

TEST_F(PropertiesFile, SavedLinesWithDefaultOptions)
{
    readout->SetPrecision(3);
    readout->SavePropertiesToFile(Path("r.txt"));
    const String text = Read(Path("r.txt"));
    EXPECT_EQ(text.rfind("File Type = TiSevenSegmentAnalog\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\nPrecision = 3\r\n"), String::npos);
    EXPECT_NE(text.find("\r\nShowSign = 1\r\n"), String::npos);
    EXPECT_NE(text.find("\r\nSegmentColor = 16777215\r\n"), String::npos);
    EXPECT_NE(text.find("\r\nLeadingStyle = 2\r\n"), String::npos);
    EXPECT_NE(text.find("\r\nBackGroundColor = 0\r\n"), String::npos);
    const auto names = Names(text);
    EXPECT_TRUE(Has(names, "Font.Color"));
    EXPECT_TRUE(Has(names, "Font.Name"));
    for (const char* left : {"Name", "Left", "Top", "Width", "Height", "Visible", "Enabled", "Cursor", "ShowHint",
                             "Hint", "Align", "Tag", "OnClick", "OnValueChange"})
        EXPECT_FALSE(Has(names, left)) << left;
    // Every line but the first is a property; text ends with CR LF.
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST_F(PropertiesFile, SaveAllPropertiesAddsPlacementButNeverName)
{
    readout->SetOptionSaveAllProperties(true);
    readout->SavePropertiesToFile(Path("r.txt"));
    const auto names = Names(Read(Path("r.txt")));
    for (const char* added :
         {"Left", "Top", "Width", "Height", "Visible", "Enabled", "Cursor", "ShowHint", "Hint", "Align"})
        EXPECT_TRUE(Has(names, added)) << added;
    EXPECT_FALSE(Has(names, "Name"));
}

TEST_F(PropertiesFile, RoundTripWithOneLineEdited)
{
    readout->SetDigitCount(5);
    readout->SetSegmentColor(clLime);
    readout->SetValue(-12.5);
    readout->SetLeadingStyle(ilsZeros);
    readout->SetAutoFrameRate(true);
    readout->Font()->SetColor(clRed);
    readout->SavePropertiesToFile(Path("r.txt"));

    String text = Read(Path("r.txt"));
    const String line = "DigitCount = 5";
    ASSERT_NE(text.find(line), String::npos);
    text.replace(text.find(line), line.size(), "DigitCount = 6");
    Write(Path("r.txt"), text);

    TOwnedPtr<TiSevenSegmentAnalog> copy(new TiSevenSegmentAnalog(nullptr));
    copy->LoadPropertiesFromFile(Path("r.txt"));
    EXPECT_EQ(copy->DigitCount(), 6);
    EXPECT_EQ(copy->SegmentColor(), clLime);
    EXPECT_EQ(copy->Value(), -12.5);
    EXPECT_EQ(copy->LeadingStyle(), ilsZeros);
    EXPECT_TRUE(copy->AutoFrameRate());
    EXPECT_EQ(copy->Font()->Color(), clRed);
    EXPECT_FALSE(copy->Updating());
}

TEST_F(PropertiesFile, LoadIgnoresCaseOrderAndBlanks)
{
    Write(Path("r.txt"),
          "File Type = TiSevenSegmentAnalog\n"
          "  showsign=0  \n"
          "PRECISION   =   4\r\n"
          "not a property line\n"
          "segmentcolor = 255\n"
          "Value = 3.5\n");
    readout->LoadPropertiesFromFile(Path("r.txt"));
    EXPECT_FALSE(readout->ShowSign());
    EXPECT_EQ(readout->Precision(), 4);
    EXPECT_EQ(readout->SegmentColor(), 255);
    EXPECT_EQ(readout->Value(), 3.5);
    EXPECT_EQ(readout->DigitCount(), 4);  // no line: unchanged
}

TEST_F(PropertiesFile, FileOfAnotherClassAppliesTheMatchingPaths)
{
    TOwnedPtr<TiSevenSegmentCharacter> character(new TiSevenSegmentCharacter(nullptr));
    character->SetSegmentColor(clRed);
    character->SetShowOffSegments(false);
    character->SavePropertiesToFile(Path("c.txt"));
    readout->LoadPropertiesFromFile(Path("c.txt"));
    EXPECT_EQ(readout->SegmentColor(), clRed);
    EXPECT_FALSE(readout->ShowOffSegments());
}

TEST_F(PropertiesFile, BadValuesFailWithTheLoadText)
{
    struct Case {
        const char* line;
        const char* detail;  // a piece of the message after the fixed prefix
    };
    const Case cases[] = {
        {"Precision = x", "x"},    {"ShowSign = yes", "yes"},   {"Value = 1,2,3", "1,2,3"},
        {"LeadingStyle = 7", "7"}, {"Font.Color = red", "red"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Write(Path("bad.txt"), String("File Type = TiSevenSegmentAnalog\r\n") + c.line + "\r\n");
        const String message = LoadError(*readout, Path("bad.txt"));
        EXPECT_EQ(message.rfind("Error Loading Properties - ", 0), 0u) << message;
        EXPECT_NE(message.find(c.detail), String::npos) << message;
        // A failed load holds no repaints back.
        EXPECT_FALSE(readout->Updating());
    }
}

TEST_F(PropertiesFile, BooleanWrittenAsOneLoadsAsTrue)
{
    readout->SetShowSign(false);
    Write(Path("b.txt"), "File Type = TiSevenSegmentAnalog\r\nShowSign = 1\r\nPowerOff = 0\r\n");
    readout->LoadPropertiesFromFile(Path("b.txt"));
    EXPECT_TRUE(readout->ShowSign());
    EXPECT_FALSE(readout->PowerOff());
}

TEST_F(PropertiesFile, MissingOrUnwritableFiles)
{
    const String missing = LoadError(*readout, Path("none.txt"));
    EXPECT_EQ(missing.rfind("Error Loading Properties - ", 0), 0u) << missing;
    try {
        readout->SavePropertiesToFile(Path("no/such/dir/r.txt"));
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind("Error Saving Properties - ", 0), 0u) << e.Message();
    }
}

TEST(PropertiesText, SplitNameValue)
{
    struct Case {
        const char* line;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"A = 1", "A", "1"},
        {"  Font.Color=255 ", "Font.Color", "255"},
        {"Hint = a = b", "Hint", "a = b"},
        {"no equals", "", "no equals"},
        {"= 5", "", "5"},
    };
    for (const auto& c : cases) {
        String name, value;
        SplitNameValue(c.line, name, value);
        EXPECT_EQ(name, c.name) << c.line;
        EXPECT_EQ(value, c.value) << c.line;
    }
}

TEST(PropertiesText, ExtractTakesTheFirstMatchAndConsumesIt)
{
    TPropertyLines lines{"File Type = X", "value = 1", "Value = 2"};
    String v;
    EXPECT_TRUE(ExtractPropertyValue(lines, "VALUE", v));
    EXPECT_EQ(v, "1");
    EXPECT_TRUE(ExtractPropertyValue(lines, "Value", v));
    EXPECT_EQ(v, "2");
    EXPECT_FALSE(ExtractPropertyValue(lines, "Value", v));
    EXPECT_EQ(lines.size(), 1u);
}

}  // namespace
