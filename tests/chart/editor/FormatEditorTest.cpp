// The number format dialog: formats read into the controls and built from them.
#include <gtest/gtest.h>

#include "chart/editor/FormatEditor.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/StringList.h"
#include "tests/chart/editor/ModalDialogs.h"

namespace {

struct FormatDialog : ::testing::Test {
    TFormatSettings saved = FormatSettings;
    void SetUp() override
    {
        FormatSettings.DecimalSeparator = '.';
        FormatSettings.ThousandSeparator = ',';
        FormatSettings.CurrencyString = "$";
    }
    void TearDown() override { FormatSettings = saved; }
    // Opens the dialog on format; inside, action looks and changes; OK is pressed.
    String Edit(const String& format, const std::function<void(TFormatEditor&)>& action, bool dateTimes = true,
                int result = mrOk)
    {
        OnNextModal<TFormatEditor> modal([&](TFormatEditor& d) {
            action(d);
            return result;
        });
        return EditValueFormat(nullptr, format, dateTimes);
    }
};

TEST_F(FormatDialog, NumberModeBuildsFromFixedDecimalsThousandsAndPercent)
{
    const struct {
        int fixed, decimals;
        bool fixedDecimals, thousands, percent;
        const char* expected;
    } cases[] = {
        {1, 2, false, true, false, "#,##0.##"}, {5, 0, false, true, false, "00,000"},
        {2, 1, true, false, true, "00.0%"},     {0, 0, false, true, false, "#,###"},
        {0, 3, true, false, false, "#.000"},
    };
    for (const auto& c : cases) {
        String built = Edit("0", [&](TFormatEditor& d) {
            EXPECT_TRUE(d.RBInteger->Checked());
            d.UpDown2->SetPosition(c.fixed);
            d.UpDown1->SetPosition(c.decimals);
            d.CBFixedDecimals->SetChecked(c.fixedDecimals);
            d.CBThousands->SetChecked(c.thousands);
            d.CBPercent->SetChecked(c.percent);
        });
        EXPECT_EQ(built, c.expected);
    }
}

TEST_F(FormatDialog, OpeningANumberFormatFillsTheNumberControls)
{
    Edit("#,##0.00", [](TFormatEditor& d) {
        EXPECT_TRUE(d.RBInteger->Checked());
        EXPECT_TRUE(d.CBThousands->Checked());
        EXPECT_EQ(d.UpDown1->Position(), 2);
        EXPECT_TRUE(d.CBFixedDecimals->Checked());
        EXPECT_EQ(d.UpDown2->Position(), 1);
        EXPECT_FALSE(d.CBCustom->Enabled());
    });
    const String kept = Edit("$0%", [](TFormatEditor& d) {
        // A percentage disables currency and thousands; the currency read afterwards stays checked.
        EXPECT_TRUE(d.CBPercent->Checked());
        EXPECT_TRUE(d.CBCurrency->Checked());
        EXPECT_FALSE(d.CBCurrency->Enabled());
        EXPECT_FALSE(d.CBThousands->Enabled());
    });
    EXPECT_EQ(kept, "$0%");
}

TEST_F(FormatDialog, LettersMakeACustomFormatAndKnownTextsTheirMode)
{
    const struct {
        const char* format;
        bool dateTimes;
        const char* mode;
    } cases[] = {{"0.0 kg", true, "custom"},
                 {"ddd mm ss", true, "geo"},
                 {"yyyy", true, "date"},
                 {"yyyy", false, "date"}};
    for (const auto& c : cases) {
        String built = Edit(
            c.format,
            [&](TFormatEditor& d) {
                const String mode = d.RBCustom->Checked() ? "custom"
                                    : d.RBGeo->Checked()  ? "geo"
                                    : d.RBDate->Checked() ? "date"
                                                          : "number";
                EXPECT_EQ(mode, c.mode) << c.format;
                EXPECT_EQ(d.RBDate->Visible(), c.dateTimes);
            },
            c.dateTimes);
        EXPECT_EQ(built, c.format);
    }
}

TEST_F(FormatDialog, ModeButtonsEnableTheirBoxAndCancelKeepsTheText)
{
    String built = Edit("0.00", [](TFormatEditor& d) {
        d.RBGeo->SetChecked(true);
        EXPECT_FALSE(d.RBInteger->Checked());
        EXPECT_TRUE(d.CBGeo->Enabled());
        EXPECT_EQ(d.CBGeo->Text(), "ddd\u00B0 mm' ss\".zzz");
        d.RBInteger->SetChecked(true);
        EXPECT_FALSE(d.RBGeo->Checked());
        EXPECT_FALSE(d.CBGeo->Enabled());
        d.RBCustom->SetChecked(true);
        EXPECT_FALSE(d.CBPercent->Enabled());
        d.CBCustom->SetText("#.### x");
    });
    EXPECT_EQ(built, "#.### x");
    EXPECT_EQ(Edit(
                  "#,##0.00", [](TFormatEditor& d) { d.UpDown1->SetPosition(5); }, true, mrCancel),
              "#,##0.00");
}

TEST(AddCustomFormats, AppendsTheTenPresets)
{
    TStringList list;
    list.Add("mine");
    AddCustomFormats(list);
    ASSERT_EQ(list.Count(), 11);
    EXPECT_EQ(list.Get(1), "#,##0.###");
    EXPECT_EQ(list.Get(3), "#.0 \"x10\" E+0");
    EXPECT_EQ(list.Get(10), "#.# x10E-#");
}

}  // namespace
