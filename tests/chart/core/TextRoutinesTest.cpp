#include <gtest/gtest.h>

#include "chart/core/TextRoutines.h"
#include "platform/rtl/FormatSettings.h"

namespace {

// Locale separators for one test.
class Separators {
public:
    Separators(char thousands, char decimal) : saved_(FormatSettings)
    {
        FormatSettings.ThousandSeparator = thousands;
        FormatSettings.DecimalSeparator = decimal;
    }
    ~Separators() { FormatSettings = saved_; }

private:
    TFormatSettings saved_;
};

}  // namespace

TEST(TextRoutines, NumberTextsBetweenInvariantAndLocale)
{
    {
        Separators german('.', ',');
        EXPECT_EQ(LocalizeNumberText("1,234.5"), "1.234,5");
        EXPECT_EQ(DelocalizeNumberText("1.234,5"), "1,234.5");
    }
    {
        Separators swiss('\'', '.');
        EXPECT_EQ(LocalizeNumberText("1,234.5"), "1'234.5");
        EXPECT_EQ(DelocalizeNumberText("1'234.5"), "1,234.5");
    }
    {
        Separators same('.', '.');
        EXPECT_EQ(LocalizeNumberText("1,234.5"), "1,234.5");
        EXPECT_EQ(DelocalizeNumberText("1,234.5"), "1,234.5");
    }
}

TEST(TextRoutines, SubstituteChar)
{
    EXPECT_EQ(SubstituteChar("a b c", ' ', '_'), "a_b_c");
    EXPECT_EQ(SubstituteChar("a b c", ' ', '\0'), "abc");
    EXPECT_EQ(SubstituteChar("a b c", ' ', ' '), "a b c");  // returns at once, without looping
    EXPECT_EQ(SubstituteChar("", ' ', '_'), "");
}

TEST(TextRoutines, Fields)
{
    FieldSeparator = ";";
    struct Case {
        const char* text;
        int count;
        const char* second;
    };
    const Case cases[] = {
        {"", 0, ""}, {"a", 1, ""}, {"a;b", 2, "b"}, {"a;", 1, ""}, {"a;;b", 3, ""}, {";b", 2, "b"}, {"a;bc;d", 3, "bc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldCount(c.text), c.count) << c.text;
        EXPECT_EQ(PickField(c.text, 2), c.second) << c.text;
    }
    EXPECT_EQ(PickField("a;b", 1), "a");
    EXPECT_EQ(PickField("a;b", 0), "");
    EXPECT_EQ(PickField("a;b", 3), "");
    EXPECT_EQ(PickField("a;;b", 3), "b");
}

TEST(TextRoutines, FieldsWithAnotherSeparatorRestoreTheGlobalOne)
{
    FieldSeparator = ";";
    EXPECT_EQ(FieldCountWith("a, b, c", ", "), 3);
    EXPECT_EQ(PickFieldWith("a, b, c", ", ", 3), "c");
    EXPECT_EQ(FieldSeparator, ";");
}

TEST(TextRoutines, SmallHelpers)
{
    EXPECT_EQ(StripFileExtension("/charts/sales.zeb"), "/charts/sales");
    EXPECT_EQ(StripFileExtension("/charts.old/sales"), "/charts.old/sales");
    EXPECT_TRUE(HasUrlPrefix("  http://example.org/a.zeb "));
    EXPECT_TRUE(HasUrlPrefix("ftp://host/file"));
    EXPECT_FALSE(HasUrlPrefix("C:/charts/a.zeb"));
    EXPECT_EQ(FindSubText("lo", "hello"), 4);
    EXPECT_EQ(FindSubText("xy", "hello"), 0);
    EXPECT_EQ(IntegerToText(-42), "-42");

    EXPECT_EQ(LocalizeText("Line"), "Line");
    TextTranslationHook = [](const String& text) { return "[" + text + "]"; };
    EXPECT_EQ(LocalizeText("Line"), "[Line]");
    TextTranslationHook = nullptr;
}
