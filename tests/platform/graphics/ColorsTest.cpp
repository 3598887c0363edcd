#include <gtest/gtest.h>

#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(Colors, ColorToRgbResolvesSystemColoursThroughThePalette)
{
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    EXPECT_EQ(ColorToRGB(clSkyBlue), 0xF0CAA6u);
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), GetSysColor(COLOR_3DDKSHADOW));
    TColorRef old = GetSysColor(COLOR_WINDOW);
    SetSysColor(COLOR_WINDOW, RGB(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clWindow), RGB(1, 2, 3));
    SetSysColor(COLOR_WINDOW, old);
    // clNone and clDefault are plain values to the conversion.
    EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clDefault), 0u);
}

TEST(Colors, ChannelsAndRgb)
{
    TColorRef c = RGB(0x12, 0x34, 0x56);
    EXPECT_EQ(c, 0x563412u);
    EXPECT_EQ(GetRValue(c), 0x12);
    EXPECT_EQ(GetGValue(c), 0x34);
    EXPECT_EQ(GetBValue(c), 0x56);
}

TEST(Colors, IdentifiersBothWays)
{
    struct Case {
        TColor color;
        const char* ident;
    };
    const Case cases[] = {
        {clBlack, "clBlack"},
        {clRed, "clRed"},
        {clGray, "clGray"},
        {clSilver, "clSilver"},
        {clWhite, "clWhite"},
        {clMoneyGreen, "clMoneyGreen"},
        {clMedGray, "clMedGray"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
        {clBtnFace, "clBtnFace"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {clWindowText, "clWindowText"},
        {clHighlight, "clHighlight"},
        {clMenuBar, "clMenuBar"},
    };
    for (const auto& c : cases) {
        String s;
        ASSERT_TRUE(ColorToIdent(c.color, s)) << c.ident;
        EXPECT_EQ(s, c.ident);
        TColor back = 0;
        ASSERT_TRUE(IdentToColor(c.ident, back));
        EXPECT_EQ(back, c.color);
    }
    TColor x;
    EXPECT_TRUE(IdentToColor("CLRED", x));  // names are case-insensitive
    EXPECT_EQ(x, clRed);
    String s;
    EXPECT_FALSE(ColorToIdent(0x123456, s));
    EXPECT_FALSE(IdentToColor("clPink", x));
    // The duplicates have one canonical name.
    EXPECT_TRUE(ColorToIdent(clLtGray, s));
    EXPECT_EQ(s, "clSilver");
}

TEST(Colors, StringForms)
{
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(ColorConst(0xFF0000FF)), "$FF0000FF");  // not a palette slot name

    EXPECT_EQ(StringToColor("clBlue"), clBlue);
    EXPECT_EQ(StringToColor("$00FF00"), 0x00FF00);
    EXPECT_EQ(StringToColor("0x10"), 16);
    EXPECT_EQ(StringToColor("255"), 255);
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    for (const char* bad : {"", "clNoSuch", "12ab", "$", "$1FFFFFFFF", "99999999999"})
        EXPECT_THROW(StringToColor(bad), EConvertError) << bad;
}

TEST(Colors, ValuesWalkEveryIdentifierOnce)
{
    std::vector<String> names;
    GetColorValues([&](const String& n) { names.push_back(n); });
    EXPECT_EQ(names.front(), "clBlack");
    EXPECT_NE(std::find(names.begin(), names.end(), "clCream"), names.end());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

}  // namespace
