// The navigator's button bar: width shared by error diffusion, keyboard focus, hints and the
// auto-repeat of a held button (driven tick by tick, not by waiting).
#include <gtest/gtest.h>

#include "chart/core/ZebConst.h"
#include "chart/editor/ZebNavigator.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/rtl/StringList.h"

namespace {

struct ClickLog : TObject {
    std::vector<int> clicks;
    void OnClicked(TObject*, int index) { clicks.push_back(index); }
};

struct Navigator : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TZebNavigator* nav = new TZebNavigator(form.get());
    ClickLog log;
    std::vector<int>& clicks = log.clicks;
    void SetUp() override
    {
        form->SetBounds(0, 0, 400, 200);
        nav->SetParent(form.get());
        nav->SetOnButtonClicked(TZebNavClickEvent(&log, &ClickLog::OnClicked));
        for (int i = 0; i < ZebNavButtonCount; ++i) nav->Buttons(i)->SetEnabled(true);
    }
    std::vector<int> widths() const
    {
        std::vector<int> w;
        for (int i = 0; i < ZebNavButtonCount; ++i)
            if (nav->Buttons(i)->Visible()) w.push_back(nav->Buttons(i)->Width());
        return w;
    }
};

TEST_F(Navigator, TheWidthIsSharedAmongTheVisibleButtons)
{
    const struct {
        int width;
        TAlign align;
        int shown;
        std::vector<int> widths;
        int barWidth;
    } cases[] = {
        {241, alNone, 4, {60, 60, 60, 60}, 240},
        {243, alTop, 4, {61, 60, 61, 61}, 243},
        {50, alNone, 4, {20, 20, 20, 20}, 80},  // never narrower than the buttons
        {185, alNone, 9, {20, 20, 20, 20, 20, 20, 20, 20, 20}, 180},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < ZebNavButtonCount; ++i) nav->Buttons(i)->SetVisible(i < c.shown);
        nav->SetAlign(c.align);
        if (c.align == alNone)
            nav->SetBounds(0, 100, c.width, 25);
        else
            form->SetClientWidth(c.width);
        EXPECT_EQ(widths(), c.widths) << c.width;
        EXPECT_EQ(nav->Width(), c.barWidth) << c.width;
        EXPECT_EQ(nav->Buttons(c.shown - 1)->Left() + nav->Buttons(c.shown - 1)->Width(), c.barWidth);
    }
    EXPECT_TRUE(testkit::RenderToPng(*form, ::testing::TempDir() + "navigator.png"));
}

TEST_F(Navigator, AHeldButtonRepeatsAfter400ThenEvery100Milliseconds)
{
    form->Show();
    TZebNavButton* next = nav->Buttons(nbNext);
    testkit::MouseDown(*next);
    ASSERT_NE(next->RepeatTimer(), nullptr);
    EXPECT_EQ(next->RepeatTimer()->Interval(), 400u);
    EXPECT_TRUE(next->RepeatTimer()->Enabled());
    EXPECT_EQ(nav->FocusedButton(), nbNext);
    next->RepeatTick();
    EXPECT_EQ(next->RepeatTimer()->Interval(), 100u);
    next->RepeatTick();
    EXPECT_EQ(clicks, (std::vector<int>{nbNext, nbNext}));
    testkit::MouseUp(*next);
    EXPECT_FALSE(next->RepeatTimer()->Enabled());
    EXPECT_EQ(clicks.size(), 3u);  // the release clicks once more
    next->RepeatTick();
    EXPECT_EQ(clicks.size(), 3u);
}

TEST_F(Navigator, KeysMoveTheFocusOverVisibleButtonsAndSpaceClicks)
{
    form->Show();
    testkit::KeyPress(*nav, VK_RIGHT);
    testkit::KeyPress(*nav, VK_RIGHT);
    testkit::KeyPress(*nav, VK_RIGHT);
    testkit::KeyPress(*nav, VK_RIGHT);  // Insert is hidden
    EXPECT_EQ(nav->FocusedButton(), nbLast);
    testkit::KeyPress(*nav, VK_LEFT);
    nav->Buttons(nbNext)->SetEnabled(false);
    testkit::KeyPress(*nav, VK_SPACE);
    nav->Buttons(nbNext)->SetEnabled(true);
    testkit::KeyPress(*nav, VK_SPACE);
    EXPECT_EQ(clicks, (std::vector<int>{nbNext}));
}

TEST_F(Navigator, UserHintsReplaceTheDefaultOnesLineByLine)
{
    EXPECT_EQ(nav->Buttons(nbPrior)->Hint(), "Prior");
    nav->Hints()->Add("");
    nav->Hints()->Add("Back");
    EXPECT_EQ(nav->Buttons(nbFirst)->Hint(), "First");
    EXPECT_EQ(nav->Buttons(nbPrior)->Hint(), "Back");
    EXPECT_EQ(nav->Buttons(nbCancel)->Hint(), "Cancel");
}

}  // namespace
