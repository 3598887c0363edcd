// The clipboard's text and window regions, on the offscreen platform.
#include <gtest/gtest.h>

#include "platform/forms/Clipboard.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Region.h"

namespace {

TEST(Clipboard, TextRoundTripsAndClears)
{
    for (const String& text : {String("plain"), String("Zeile 1\r\nZweite: \xC3\x84 & <b>\t\"q\""), String(" ")}) {
        Clipboard()->SetAsText(text);
        EXPECT_TRUE(Clipboard()->HasText());
        EXPECT_EQ(Clipboard()->AsText(), text);
    }
    Clipboard()->Clear();
    EXPECT_FALSE(Clipboard()->HasText());
    EXPECT_EQ(Clipboard()->AsText(), "");
}

struct RegionFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TPanel* panel = nullptr;
    void SetUp() override
    {
        form->SetBounds(0, 0, 200, 160);
        form->SetColor(clBlue);
        panel = new TPanel(form.get());
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clYellow);
        panel->SetBounds(10, 10, 80, 60);
    }
    // The form's pixel at a point of the panel.
    TColor At(int x, int y) { return testkit::PixelAt(*form, 10 + x, 10 + y); }
};

TEST_F(RegionFixture, RoundedRegionShowsTheParentInTheCorners)
{
    TRegion round = CreateRoundRectRgn(0, 0, 80, 60, 30, 30);
    panel->SetWindowRgn(&round);  // before the window exists: applied when it is made
    panel->SetParent(form.get());
    form->Show();
    EXPECT_EQ(At(1, 1), clBlue);
    EXPECT_EQ(At(78, 58), clBlue);
    EXPECT_EQ(At(40, 30), clYellow);
    EXPECT_EQ(At(40, 1), clYellow);
    TRegion back;
    ASSERT_TRUE(panel->GetWindowRgn(back));
    EXPECT_EQ(back, round);
}

TEST_F(RegionFixture, TheRegionStaysAsSetOnResizeAndGoesWhenRemoved)
{
    panel->SetParent(form.get());
    form->Show();
    TRegion left = CreateRectRgn(0, 0, 40, 60);
    panel->SetWindowRgn(&left);
    EXPECT_EQ(At(20, 30), clYellow);
    EXPECT_EQ(At(60, 30), clBlue);
    panel->SetBounds(10, 10, 100, 80);  // not scaled with the window: the owner sets it again
    EXPECT_EQ(At(60, 30), clBlue);
    panel->SetWindowRgn(nullptr);
    EXPECT_EQ(At(60, 30), clYellow);
    TRegion none;
    EXPECT_FALSE(panel->GetWindowRgn(none));
    TRegion empty;
    panel->SetWindowRgn(&empty);  // an empty region hides the whole window
    EXPECT_EQ(At(20, 30), clBlue);
}

}  // namespace
