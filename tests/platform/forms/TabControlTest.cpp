// Tab controls and scroll boxes read from a stored description and driven as a user drives them.
#include <gtest/gtest.h>

#include "platform/classes/Published.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/TabControl.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/rtl/StringList.h"
#include "tests/support/FormSupport.h"

class TTabsForm : public TForm {
    TV_CLASS(TTabsForm, TForm)
public:
    explicit TTabsForm(TComponent* owner) : TForm(owner) {}
    std::vector<String> log;
    bool allow = true;
    void TabsChanging(TObject*, bool& can)
    {
        log.push_back("changing");
        can = allow;
    }
    void TabsChange(TObject* s) { log.push_back("change " + std::to_string(static_cast<TTabControl*>(s)->TabIndex())); }
};

TV_PUBLISHED(TTabsForm)
{
    Method("TabsChanging", &TTabsForm::TabsChanging);
    Method("TabsChange", &TTabsForm::TabsChange);
}

namespace {

using testsupport::Find;

const char* const tabsForm = R"(object TabsForm: TTabsForm
  Left = 0
  Top = 0
  Width = 400
  Height = 300
  Caption = 'Tabs'
  object Tabs: TTabControl
    Left = 0
    Top = 0
    Width = 300
    Height = 120
    TabIndex = 1
    Tabs.Strings = (
      'Series'
      'Functions'
      'Other')
    OnChanging = TabsChanging
    OnChange = TabsChange
    object Inside: TPanel
      Left = 0
      Top = 0
      Width = 50
      Height = 20
      Align = alClient
    end
  end
  object Box: TScrollBox
    Left = 0
    Top = 130
    Width = 104
    Height = 104
    object Far: TPanel
      Left = 10
      Top = 250
      Width = 50
      Height = 50
    end
  end
end
)";

struct Tabs : ::testing::Test {
    TOwnedPtr<TTabsForm> form = testsupport::LoadForm<TTabsForm>(tabsForm);
    TTabControl& tabs = Find<TTabControl>(*form, "Tabs");
    TScrollBox& box = Find<TScrollBox>(*form, "Box");
    void SetUp() override { form->Show(); }
};

TEST_F(Tabs, PickingATabAsksAndReportsButCodeDoesNot)
{
    EXPECT_EQ(tabs.TabIndex(), 1);
    // Children fill the area under the tabs.
    EXPECT_EQ(Find<TPanel>(*form, "Inside").BoundsRect(), tabs.DisplayRect());
    TRect r = tabs.TabRect(2);
    testkit::Click(tabs, r.Left + 3, r.Top + 3);
    EXPECT_EQ(tabs.TabIndex(), 2);
    form->allow = false;
    testkit::KeyPress(tabs, VK_LEFT);
    EXPECT_EQ(tabs.TabIndex(), 2);
    form->allow = true;
    tabs.SetTabIndex(0);
    tabs.Tabs()->Delete(2);
    tabs.SetTabIndex(7);
    EXPECT_EQ(tabs.TabIndex(), 1);
    EXPECT_EQ(form->log, (std::vector<String>{"changing", "change 2", "changing"}));
    EXPECT_TRUE(testkit::RenderToPng(*form, ::testing::TempDir() + "tabs.png"));
}

TEST_F(Tabs, ScrollBoxScrollsItsChildrenWithinTheirExtent)
{
    auto& far = Find<TPanel>(*form, "Far");
    EXPECT_EQ(box.ContentSize(), (TPoint{60, 300}));
    EXPECT_TRUE(testkit::MouseWheel(box, -120));
    EXPECT_EQ(box.VertPosition(), 48);
    EXPECT_EQ(far.Top(), 250 - 48);
    testkit::KeyPress(box, VK_END);
    EXPECT_EQ(box.VertPosition(), 300 - box.ClientHeight());
    box.SetVertPosition(0);
    box.ScrollInView(&far);
    EXPECT_EQ(far.Top() + far.Height(), box.ClientHeight());
    box.SetHorzPosition(500);  // nothing is wider than the box
    EXPECT_EQ(box.HorzPosition(), 0);
}

}  // namespace
