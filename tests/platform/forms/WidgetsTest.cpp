// Page controls, list boxes, radio groups, splitters and file dialogs: read from a stored
// description, driven as a user drives them, and answered by the dialog handler.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "tests/support/FormSupport.h"

class TWidgetsForm : public TForm {
    TV_CLASS(TWidgetsForm, TForm)
public:
    explicit TWidgetsForm(TComponent* owner) : TForm(owner) {}
    std::vector<String> log;
    void PagesChange(TObject* s) { log.push_back("change " + static_cast<TPageControl*>(s)->ActivePage()->Name()); }
    void PagesChanging(TObject*, bool& allow)
    {
        log.push_back("changing");
        allow = allowChange;
    }
    void GroupClick(TObject* s) { log.push_back("group " + std::to_string(static_cast<TRadioGroup*>(s)->ItemIndex())); }
    void ListClick(TObject* s) { log.push_back("list " + std::to_string(static_cast<TListBox*>(s)->ItemIndex())); }
    void ListDblClick(TObject*) { log.push_back("dblclick"); }
    bool allowChange = true;
};

TV_PUBLISHED(TWidgetsForm)
{
    Method("PagesChange", &TWidgetsForm::PagesChange);
    Method("PagesChanging", &TWidgetsForm::PagesChanging);
    Method("GroupClick", &TWidgetsForm::GroupClick);
    Method("ListClick", &TWidgetsForm::ListClick);
    Method("ListDblClick", &TWidgetsForm::ListDblClick);
}

namespace {

using testsupport::Find;

const char* const widgetsForm = R"(object WidgetsForm: TWidgetsForm
  Left = 0
  Top = 0
  Width = 400
  Height = 300
  Caption = 'Widgets'
  object Pages: TPageControl
    Left = 0
    Top = 0
    Width = 392
    Height = 200
    ActivePage = Second
    Align = alTop
    HotTrack = True
    OnChange = PagesChange
    OnChanging = PagesChanging
    object First: TTabSheet
      Caption = '&First'
      object List: TListBox
        Left = 4
        Top = 4
        Width = 120
        Height = 100
        Items.Strings = (
          'pear'
          'apple'
          'fig')
        Sorted = True
        OnClick = ListClick
        OnDblClick = ListDblClick
      end
    end
    object Second: TTabSheet
      Caption = 'Second'
      object Inner: TPageControl
        Left = 0
        Top = 0
        Width = 300
        Height = 150
        ActivePage = InnerB
        object InnerA: TTabSheet
          Caption = 'A'
        end
        object InnerB: TTabSheet
          Caption = 'B'
          object Group: TRadioGroup
            Left = 4
            Top = 4
            Width = 200
            Height = 80
            Caption = 'Format:'
            Columns = 2
            ItemIndex = 1
            Items.Strings = (
              'Text'
              'XML'
              'HTML'
              'Excel'
              'JSON')
            OnClick = GroupClick
          end
        end
      end
    end
    object Third: TTabSheet
      Caption = 'Third'
      TabVisible = False
    end
  end
  object Left: TPanel
    Left = 0
    Top = 200
    Width = 100
    Height = 73
    Align = alLeft
  end
  object Splitter1: TSplitter
    Left = 100
    Top = 200
    Width = 3
    Height = 73
    MinSize = 40
  end
  object Rest: TPanel
    Left = 103
    Top = 200
    Width = 289
    Height = 73
    Align = alClient
  end
  object Scale: TComboBox
    Left = 300
    Top = 210
    Width = 60
    Height = 21
    Style = csDropDownList
    ItemIndex = 2
    Items.Strings = (
      '0.25'
      '0.5'
      '1')
  end
  object SaveDialog1: TSaveDialog
    DefaultExt = 'txt'
    Filter = 'Text|*.txt|Comma|*.csv|Anything|*.*'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]
    Title = 'Save as'
  end
  object OpenDialog1: TOpenDialog
    Filter = 'Text|*.txt'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
  end
end
)";

struct Widgets : ::testing::Test {
    TOwnedPtr<TWidgetsForm> form = testsupport::LoadForm<TWidgetsForm>(widgetsForm);
    TPageControl& pages = Find<TPageControl>(*form, "Pages");
    void SetUp() override { form->Show(); }
};

TEST_F(Widgets, AComboBoxChoiceStoredBeforeItsItemsIsKept)
{
    auto& scale = Find<TComboBox>(*form, "Scale");
    EXPECT_EQ(scale.ItemIndex(), 2);
    EXPECT_EQ(scale.Text(), "1");
}

// ---- page control ------------------------------------------------------------------------------

TEST_F(Widgets, PagesComeFromTheDescriptionWithTheStoredActivePageAndHiddenTabs)
{
    ASSERT_EQ(pages.PageCount(), 3);
    EXPECT_EQ(pages.ActivePage()->Name(), "Second");
    EXPECT_EQ(pages.Pages(2)->TabIndex(), -1);
    EXPECT_TRUE(IsRectEmpty(pages.TabRect(2)));
    // Only the active page shows; the nested control shows its own active page inside it.
    EXPECT_FALSE(Find<TTabSheet>(*form, "First").Visible());
    EXPECT_TRUE(Find<TTabSheet>(*form, "InnerB").Showing());
    EXPECT_FALSE(Find<TTabSheet>(*form, "InnerA").Visible());
    // Pages fill the area below the tabs.
    TRect display = pages.DisplayRect();
    EXPECT_EQ(pages.ActivePage()->BoundsRect(), display);
    EXPECT_GT(display.Top, pages.TabRect(0).Bottom - 1);
}

TEST_F(Widgets, PickingATabAsksAndReportsButSettingOneInCodeDoesNot)
{
    pages.SetActivePageIndex(0);
    EXPECT_TRUE(form->log.empty());
    TRect tab = pages.TabRect(1);
    testkit::Click(pages, tab.Left + 5, tab.Top + 5);
    EXPECT_EQ(form->log, (std::vector<String>{"changing", "change Second"}));
    form->allowChange = false;
    form->log.clear();
    tab = pages.TabRect(0);
    testkit::Click(pages, tab.Left + 5, tab.Top + 5);
    EXPECT_EQ(form->log, (std::vector<String>{"changing"}));
    EXPECT_EQ(pages.ActivePage()->Name(), "Second");
    // The hidden tab's page is not offered by a click anywhere in the tab row.
    EXPECT_EQ(pages.IndexOfTabAt(pages.TabRect(1).Right + 20, tab.Top + 5), -1);
}

TEST_F(Widgets, HidingTheActiveTabMovesToTheNextVisibleOneAndShowingATabBringsItBack)
{
    auto& third = Find<TTabSheet>(*form, "Third");
    pages.Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pages.ActivePage()->Name(), "First");  // wraps past the hidden third page
    third.SetTabVisible(true);
    EXPECT_EQ(third.TabIndex(), 1);
    pages.SetActivePage(&third);
    EXPECT_TRUE(third.Visible());
    EXPECT_FALSE(pages.Pages(0)->Visible());
}

TEST_F(Widgets, HotTrackFollowsTheMouseOverTheTabs)
{
    TRect tab = pages.TabRect(0);
    testkit::MouseMove(pages, tab.Left + 3, tab.Top + 3);
    EXPECT_EQ(pages.HotTab(), 0);
    testkit::MouseMove(pages, 5, pages.Height() - 5);
    EXPECT_EQ(pages.HotTab(), -1);
}

// ---- list box ----------------------------------------------------------------------------------

TEST_F(Widgets, ListBoxSortsWithObjectsAndReportsUserChoicesOnly)
{
    pages.SetActivePageIndex(0);
    auto& list = Find<TListBox>(*form, "List");
    TObject marker;
    list.Items()->AddObject("banana", &marker);
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Items()->Get(0), "apple");
    EXPECT_EQ(list.Items()->Get(1), "banana");
    EXPECT_EQ(list.Items()->GetObject(1), &marker);
    list.SetItemIndex(2);
    EXPECT_TRUE(list.Selected(2));
    EXPECT_TRUE(form->log.empty());  // code does not click
    TRect r = list.ItemRect(1);
    testkit::Click(list, r.Left + 5, r.Top + 3);
    EXPECT_EQ(list.ItemIndex(), 1);
    EXPECT_FALSE(list.Selected(2));
    testkit::DblClick(list, r.Left + 5, r.Top + 3);
    EXPECT_EQ(form->log, (std::vector<String>{"list 1", "dblclick"}));
    // The choice moves with its item.
    list.Items()->Delete(0);
    EXPECT_EQ(list.ItemIndex(), 0);
    EXPECT_EQ(list.Items()->Get(list.ItemIndex()), "banana");
    EXPECT_THROW(list.Selected(9), EListError);
}

TEST_F(Widgets, MultiSelectListTakesControlAndShiftClicks)
{
    pages.SetActivePageIndex(0);
    auto& list = Find<TListBox>(*form, "List");
    list.SetMultiSelect(true);
    auto at = [&](int i) { return list.ItemRect(i).Top + 3; };
    testkit::Click(list, 5, at(0));
    testkit::MouseDown(list, mbLeft, 5, at(2), {ssShift});
    testkit::MouseUp(list, mbLeft, 5, at(2), {ssShift});
    EXPECT_EQ(list.SelCount(), 3);
    testkit::MouseDown(list, mbLeft, 5, at(1), {ssCtrl});
    testkit::MouseUp(list, mbLeft, 5, at(1), {ssCtrl});
    EXPECT_EQ(list.SelCount(), 2);
    EXPECT_FALSE(list.Selected(1));
    EXPECT_TRUE(list.Selected(0));
    EXPECT_TRUE(list.Selected(2));
    EXPECT_EQ(form->log.size(), 3u);
}

// ---- radio group -------------------------------------------------------------------------------

TEST_F(Widgets, RadioGroupLaysOutColumnsAndClicksOnEveryChange)
{
    auto& group = Find<TRadioGroup>(*form, "Group");
    ASSERT_EQ(group.ButtonCount(), 5);
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_TRUE(group.Buttons(1)->Checked());
    EXPECT_TRUE(form->log.empty());  // reading the description does not click
    // Five items in two columns: three rows, the fourth item starts the second column.
    EXPECT_EQ(group.Buttons(3)->Top(), group.Buttons(0)->Top());
    EXPECT_GT(group.Buttons(3)->Left(), group.Buttons(2)->Left());
    EXPECT_GT(group.Buttons(2)->Top(), group.Buttons(1)->Top());
    group.SetItemIndex(4);
    group.SetItemIndex(4);
    testkit::Click(*group.Buttons(0));
    EXPECT_EQ(group.ItemIndex(), 0);
    EXPECT_FALSE(group.Buttons(4)->Checked());
    EXPECT_EQ(form->log, (std::vector<String>{"group 4", "group 0"}));
    // The buttons belong to the items: a stored description holds none of them.
    int stored = 0;
    group.GetChildren([&](TComponent*) { ++stored; }, form.get());
    EXPECT_EQ(stored, 0);
}

// ---- splitter ----------------------------------------------------------------------------------

TEST_F(Widgets, SplitterDragResizesTheControlBesideItWithinMinSize)
{
    auto& splitter = Find<TSplitter>(*form, "Splitter1");
    auto& left = Find<TPanel>(*form, "Left");
    ASSERT_EQ(splitter.ResizeControl(), &left);
    testkit::MouseDown(splitter, mbLeft, 1, 10);
    testkit::MouseMove(splitter, 31, 10);
    testkit::MouseUp(splitter, mbLeft, 31, 10);
    EXPECT_EQ(left.Width(), 130);
    EXPECT_EQ(splitter.Left(), 130);
    EXPECT_EQ(splitter.MoveBy(-500), -90);
    EXPECT_EQ(left.Width(), 40);
    splitter.MoveBy(1000);
    EXPECT_EQ(form->ClientWidth() - splitter.Left() - splitter.Width(), 40);
}

// ---- file dialogs ------------------------------------------------------------------------------

struct FileDialogs : Widgets {
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("tv_filedialogs_" + std::to_string(::getpid()));
    std::vector<TDialogRequest> asked;
    String answerName;
    int answerEntry = 1;
    int answer = IDOK;
    int overwriteAnswer = IDYES;
    TDialogHandler previous;
    void SetUp() override
    {
        Widgets::SetUp();
        std::filesystem::create_directories(dir);
        previous = SetDialogHandler([this](const TDialogRequest& r) {
            asked.push_back(r);
            if (r.Kind == dkMessageBox) return overwriteAnswer;
            *r.Value = answerName;
            *r.FilterIndex = answerEntry;
            return answer;
        });
    }
    void TearDown() override
    {
        SetDialogHandler(previous);
        std::filesystem::remove_all(dir);
    }
};

TEST_F(FileDialogs, TheHandlerSeesTheDialogAndItsChoiceIsCompleted)
{
    auto& save = static_cast<TSaveDialog&>(*form->FindComponent("SaveDialog1"));
    save.SetInitialDir(dir.string());
    save.SetFilterIndex(2);
    struct Case {
        String typed;
        int entry;
        String expected;
    };
    const Case cases[] = {
        {"report", 2, "report.csv"},      // the entry's single extension
        {"report", 3, "report.txt"},      // "*.*" names none: the default extension
        {"report.dat", 1, "report.dat"},  // a typed extension stays
    };
    for (const auto& c : cases) {
        answerName = c.typed;
        answerEntry = c.entry;
        asked.clear();
        ASSERT_TRUE(save.Execute()) << c.typed;
        EXPECT_EQ(save.FileName(), (dir / c.expected).string());
        EXPECT_EQ(save.FilterIndex(), c.entry);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].Kind, dkSaveDialog);
        EXPECT_EQ(asked[0].Caption, "Save as");
        EXPECT_EQ(asked[0].FileDialog, &save);
    }
    EXPECT_EQ(save.FilterCount(), 3);
    EXPECT_EQ(save.FilterDescription(2), "Comma");
    EXPECT_TRUE(save.Options().Contains(ofHideReadOnly));
    EXPECT_TRUE(save.Options().Contains(ofEnableSizing));
}

TEST_F(FileDialogs, CancelOverwriteRefusalAndAMissingFileKeepTheOldName)
{
    auto& save = static_cast<TSaveDialog&>(*form->FindComponent("SaveDialog1"));
    auto& open = static_cast<TOpenDialog&>(*form->FindComponent("OpenDialog1"));
    save.SetFileName("old.txt");
    answer = IDCANCEL;
    answerName = (dir / "x.txt").string();
    EXPECT_FALSE(save.Execute());
    EXPECT_EQ(save.FileName(), "old.txt");
    answer = IDOK;
    std::ofstream((dir / "x.txt").string()) << "keep";
    overwriteAnswer = IDNO;
    asked.clear();
    EXPECT_FALSE(save.Execute());
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].Kind, dkMessageBox);
    EXPECT_NE(asked[1].Text.find("already exists"), String::npos);
    overwriteAnswer = IDYES;
    EXPECT_TRUE(save.Execute());
    answerName = (dir / "missing.txt").string();
    EXPECT_FALSE(open.Execute());
    answerName = (dir / "x.txt").string();
    EXPECT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), answerName);
}

TEST(FileDialogsOffscreen, WithoutAHandlerNobodyChoosesAFile)
{
    TOwnedPtr<TOpenDialog> open(new TOpenDialog(nullptr));
    TDialogHandler previous = SetDialogHandler(nullptr);
    EXPECT_FALSE(open->Execute());
    SetDialogHandler(previous);
}

}  // namespace
