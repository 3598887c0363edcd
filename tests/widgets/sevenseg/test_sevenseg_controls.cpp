#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/FormatSettings.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

namespace {

template <class T>
TOwnedPtr<T> Make()
{
    return TOwnedPtr<T>(new T(nullptr));
}

TEST(SevenSegmentCharacter, NewControlAndItsNaturalSize)
{
    auto c = Make<TiSevenSegmentCharacter>();
    EXPECT_EQ(c->Width(), 15);
    EXPECT_EQ(c->Height(), 23);
    EXPECT_EQ(c->Value(), ssc0);
    c->SetValue(sscPeriod);
    EXPECT_EQ(c->Width(), 7);  // 2m + 2z + 1
    EXPECT_EQ(c->Height(), 23);
    c->SetSegmentSize(2);
    EXPECT_EQ(c->Width(), 9);
    EXPECT_EQ(c->Height(), 41);
    c->SetAutoSize(false);
    c->SetValue(ssc8);
    EXPECT_EQ(c->Width(), 9);  // no longer follows
}

TEST(SevenSegmentCharacter, CharacterAndValue)
{
    auto c = Make<TiSevenSegmentCharacter>();
    const std::pair<char, TSevenSegmentCharacter> cases[] = {{'b', sscB},     {'B', sscB}, {'x', sscBlank},
                                                             {'-', sscMinus}, {'7', ssc7}, {';', sscSemiColon}};
    for (const auto& [ch, value] : cases) {
        c->SetCharacter(ch);
        EXPECT_EQ(c->Value(), value) << ch;
    }
    c->SetCharacter('B');
    EXPECT_EQ(c->Character(), 'b');
}

TEST(SevenSegmentCharacter, SettingsAreClamped)
{
    auto c = Make<TiSevenSegmentCharacter>();
    c->SetSegmentSize(0);
    EXPECT_EQ(c->SegmentSize(), 1);
    c->SetSegmentMargin(-3);
    EXPECT_EQ(c->SegmentMargin(), 0);
    c->SetSegmentSeperation(-1);
    EXPECT_EQ(c->SegmentSeperation(), 0);
}

TEST(SevenSegmentCharacter, Colours)
{
    auto c = Make<TiSevenSegmentCharacter>();
    EXPECT_EQ(c->OffColor(), 0x02005500);  // a third of 0xFF, palette-relative
    EXPECT_EQ(c->OnColor(), 0x0200FF00);
    c->SetPowerOff(true);
    EXPECT_EQ(c->OnColor(), c->OffColor());
    c->SetAutoSegmentOffColor(false);
    c->SetSegmentOffColor(0x123456);
    EXPECT_EQ(c->OffColor(), 0x123456);
    EXPECT_EQ(DivideColor(0x00FF9030, 3), 0x00553010);
}

TEST(SevenSegmentCharacter, SegmentBitsAndFlags)
{
    auto c = Make<TiSevenSegmentCharacter>();
    c->SetSegmentBits(0x49);
    EXPECT_TRUE(c->SegAOn());
    EXPECT_TRUE(c->SegDOn());
    EXPECT_TRUE(c->SegGOn());
    EXPECT_FALSE(c->SegBOn());
    c->SetSegBOn(true);
    c->SetSegAOn(false);
    EXPECT_EQ(c->SegmentBits(), 0x4A);
    c->SetSegmentBits(0xFF);
    EXPECT_EQ(c->SegmentBits(), 0x7F);
}

TEST(SevenSegmentCharacter, ValueChangeCanBeVetoed)
{
    auto c = Make<TiSevenSegmentCharacter>();
    std::vector<String> after;
    c->SetBeforeChangeHook([](TObject*, const String& name, bool& allow) { allow = name != "Value"; });
    c->SetAfterChangeHook([&](TObject*, const String& name) { after.push_back(name); });
    c->SetValue(ssc5);
    EXPECT_EQ(c->Value(), ssc0);
    c->SetBeforeChangeHook(nullptr);
    c->SetValue(ssc5);
    EXPECT_EQ(c->Value(), ssc5);
    EXPECT_EQ(after, std::vector<String>{"Value"});
}

TEST(SevenSegmentAnalog, NewReadout)
{
    auto a = Make<TiSevenSegmentAnalog>();
    EXPECT_EQ(a->Width(), 84);
    EXPECT_EQ(a->Height(), 28);
    EXPECT_EQ(a->DigitCount(), 4);
    EXPECT_EQ(a->Precision(), 2);
    EXPECT_TRUE(a->ShowSign());
    EXPECT_EQ(a->LeadingStyle(), ilsSpaces);
    EXPECT_EQ(a->SegmentColor(), 0xFFFFFF);
    EXPECT_EQ(a->BackGroundColor(), clBlack);
    a->SetSegmentSize(2);  // 20 per digit, 36 high
    EXPECT_EQ(a->Width(), (20 + 6) * 5 + 10 - 6);
    EXPECT_EQ(a->Height(), 46);
    a->SetShowSign(false);
    EXPECT_EQ(a->Width(), (20 + 6) * 4 + 10 - 6);
}

TEST(SevenSegmentAnalog, SettingsAreClamped)
{
    auto a = Make<TiSevenSegmentAnalog>();
    struct Case {
        void (TiSevenSegmentAnalog::*set)(int);
        int (TiSevenSegmentAnalog::*get)() const;
        int in, out;
    };
    const Case cases[] = {
        {&TiSevenSegmentAnalog::SetPrecision, &TiSevenSegmentAnalog::Precision, 20, 13},
        {&TiSevenSegmentAnalog::SetPrecision, &TiSevenSegmentAnalog::Precision, -1, 0},
        {&TiSevenSegmentAnalog::SetDigitCount, &TiSevenSegmentAnalog::DigitCount, 0, 1},
        {&TiSevenSegmentAnalog::SetDigitCount, &TiSevenSegmentAnalog::DigitCount, 40, 32},
        {&TiSevenSegmentAnalog::SetSegmentSize, &TiSevenSegmentAnalog::SegmentSize, 0, 1},
        {&TiSevenSegmentAnalog::SetSegmentSize, &TiSevenSegmentAnalog::SegmentSize, 101, 100},
        {&TiSevenSegmentAnalog::SetSegmentMargin, &TiSevenSegmentAnalog::SegmentMargin, -2, 0},
        {&TiSevenSegmentAnalog::SetSegmentSeperation, &TiSevenSegmentAnalog::SegmentSeperation, -2, 0},
    };
    for (const auto& c : cases) {
        (a.get()->*c.set)(c.in);
        EXPECT_EQ((a.get()->*c.get)(), c.out) << c.in;
    }
}

TEST(SevenSegmentAnalog, ValueLimitAndChangeEvents)
{
    auto a = Make<TiSevenSegmentAnalog>();
    int changes = 0;
    a->SetOnValueChange(TNotifyEvent([&](TObject* sender) {
        EXPECT_EQ(sender, a.get());
        ++changes;
    }));
    a->SetValue(2e15);
    EXPECT_EQ(a->Value(), 1e15);
    EXPECT_EQ(changes, 1);
    a->SetValue(1e15);  // the value it holds
    EXPECT_EQ(changes, 1);
    a->SetValue(-1e300);  // no lower bound
    EXPECT_EQ(a->Value(), -1e300);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    a->SetValue(nan);
    a->SetValue(nan);
    EXPECT_EQ(changes, 3);
    a->SetValue(std::numeric_limits<double>::infinity());
    EXPECT_EQ(a->Value(), 1e15);
}

TEST(SevenSegmentAnalog, SettingsReachTheCell)
{
    auto a = Make<TiSevenSegmentAnalog>();
    a->SetSegmentColor(clLime);
    a->SetAutoSegmentOffColor(false);
    a->SetSegmentOffColor(clBlack);
    a->SetSegmentSize(3);
    a->SetShowOffSegments(false);
    a->CopySettingsToCell();
    TiSevenSegmentCharacter& cell = a->Cell();
    EXPECT_EQ(cell.SegmentColor(), clLime);
    EXPECT_FALSE(cell.AutoSegmentOffColor());
    EXPECT_EQ(cell.SegmentOffColor(), clBlack);
    EXPECT_EQ(cell.SegmentSize(), 3);
    EXPECT_FALSE(cell.ShowOffSegments());
    EXPECT_EQ(cell.SegmentMargin(), 0);
    EXPECT_EQ(a->ComponentCount(), 1);  // the cell, owned but never shown
    EXPECT_EQ(cell.Parent(), nullptr);
}

TEST(SevenSegmentAnalog, SeparatorFollowsTheLocale)
{
    auto a = Make<TiSevenSegmentAnalog>();
    a->SetValue(7.25);
    const char saved = FormatSettings.DecimalSeparator;
    FormatSettings.DecimalSeparator = ',';
    const auto cells = a->Layout();
    FormatSettings.DecimalSeparator = saved;
    bool comma = false;
    for (const auto& c : cells) comma |= c.Value == sscComma;
    EXPECT_TRUE(comma);
}

}  // namespace
