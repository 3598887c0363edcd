// String helpers with 1-based positions, clipping at the ends.
#include <gtest/gtest.h>

#include "platform/rtl/Strings.h"

TEST(Strings, CopyPosDeleteInsertClipAtTheEnds)
{
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab");
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_EQ(Pos("cd", "abcdef"), 3);
    EXPECT_EQ(Pos("x", "abcdef"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(PosEx("a", "banana", 3), 4);
    EXPECT_EQ(PosEx("a", "banana", 7), 0);

    String s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 0, 5);  // index before the start: unchanged
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 99);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("!", s, 99);
    EXPECT_EQ(s, "aXYd!");
    Insert("<", s, -3);
    EXPECT_EQ(s, "<aXYd!");
}

TEST(Strings, TrimKeepsUtf8)
{
    EXPECT_EQ(Trim(" \t\r\n ab c \x01"), "ab c");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9");  // bytes of é are above the blank range
    EXPECT_EQ(Trim("   "), "");
}

TEST(Strings, CaseAndComparison)
{
    EXPECT_EQ(UpperCase("abc\xC3\xA9z"), "ABC\xC3\xA9Z");
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_TRUE(SameText("Hello", "hELLO"));
    EXPECT_FALSE(SameText("Hello", "Hell"));
    EXPECT_EQ(CompareText("abc", "ABD") < 0, true);
    EXPECT_EQ(CompareText("b", "A") > 0, true);
    EXPECT_EQ(CompareText("ab", "AB"), 0);
    EXPECT_LT(CompareText("ab", "abc"), 0);
    EXPECT_LT(CompareStr("B", "a"), 0);
    EXPECT_LT(CompareStr("a", "\xC3\xA9"), 0);  // bytes compare unsigned
}

TEST(Strings, IntToStrAndHex)
{
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(static_cast<Int64>(-9223372036854775807LL - 1)), "-9223372036854775808");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(static_cast<Int64>(-1), 0), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(0, 0), "0");
}

TEST(Strings, StringReplaceFlags)
{
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("Ab ab AB", "ab", "x", rfReplaceAll | rfIgnoreCase), "x x x");
    EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa");  // no rescanning of the replacement
    EXPECT_EQ(StringReplace("abc", "", "x", rfReplaceAll), "abc");
}

TEST(Strings, Quoting)
{
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiQuotedStr("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
    std::size_t pos = 0;
    EXPECT_EQ(AnsiExtractQuotedStr("\"a\"\"b\",rest", pos, '"'), "a\"b");
    EXPECT_EQ(pos, 6u);
}
