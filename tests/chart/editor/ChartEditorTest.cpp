// The chart editor as a user meets it: opened on a chart, its series list, the series page and
// the line page; and the faults it must not have (a frozen chart after a failing show, pages
// writing into freed series, a cancelled retype converting the other series).
#include <gtest/gtest.h>

#include <stdexcept>

#include "chart/core/Chart.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesLists.h"
#include "chart/editor/ChartEditor.h"
#include "chart/editor/ChartListBox.h"
#include "chart/editor/EditorButtons.h"
#include "chart/editor/SeriesPage.h"
#include "chart/editor/pages/CustomSeriesEditor.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/CheckListBox.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Menus.h"
#include "platform/forms/SpeedButton.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/MessageBoxCodes.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"
#include "tests/chart/core/IsolatedRegistry.h"
#include "tests/chart/editor/ModalDialogs.h"

namespace {

class ChartEditorTest : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartStandardSeriesUnits();
        StartChartEditorUnit();
    }
    static void TearDownTestSuite()
    {
        StopChartEditorUnit();
        StopStandardSeriesUnits();
    }

protected:
    void SetUp() override
    {
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 500, 400);
        chart = new TChart(form.get());
        chart->SetName("Chart1");
        chart->SetParent(form.get());
        chart->SetBounds(0, 0, 400, 300);
        chart->SetView3D(false);
        for (const char* title : {"X-Value", "Y-Value"}) AddLine(title);
        editor = new TChartEditor(form.get());
        editor->SetChart(chart);
        previousDialogs = SetDialogHandler([this](const TDialogRequest& r) { return answer(r); });
    }
    void TearDown() override
    {
        SetDialogHandler(previousDialogs);
        form.reset();
    }

    TLineSeries* AddLine(const String& title)
    {
        auto* series = new TLineSeries(form.get());
        series->SetName("Series" + IntToStr(++named));
        series->SetTitle(title);
        series->SetParentChart(chart);
        for (int i = 0; i < 5; ++i) series->AppendValue(i * (named + 1));
        return series;
    }
    TChartSeries* SeriesAt(int index) const { return chart->GetSeriesAt(index); }

    // Opens the editor; inside, action drives the dialog.
    void Open(const std::function<void(TChartEditForm&)>& action)
    {
        OnNextModal<TChartEditForm> modal([&](TChartEditForm& d) {
            action(d);
            return mrCancel;
        });
        editor->OpenEditorDialog();
    }

    std::function<int(const TDialogRequest&)> answer = [](const TDialogRequest& r) {
        return r.Kind == dkMessageDlg ? mrYes : IDCANCEL;
    };
    IsolatedRegistry registry;
    TOwnedPtr<TForm> form;
    TChart* chart = nullptr;
    TChartEditor* editor = nullptr;
    TDialogHandler previousDialogs;
    int named = 0;
};

TEST_F(ChartEditorTest, EveryEditorFormLoadsItsStoredDescription)
{
    // An unknown class, property, handler or component name raises while the description loads.
    for (const char* name : {"TChartEditForm", "TFormZebSeries", "TCustomSeriesEditor"}) {
        const TMetaClass* cls = GetClass(name);
        ASSERT_NE(cls, nullptr) << name;
        TOwnedPtr<TObject> page;
        EXPECT_NO_THROW(page.reset(cls->CreateInstance(form.get()))) << name;
        EXPECT_NE(dynamic_cast<TCustomForm*>(page.get()), nullptr) << name;
    }
}

TEST_F(ChartEditorTest, DoubleClickOpensTheEditorOnTheChartsSeries)
{
    chart->SetOnDblClick(TNotifyEvent([this](TObject*) { editor->OpenEditorDialog(); }));
    form->Show();
    bool shown = false;
    TChartEditForm* seen = nullptr;
    OnNextModal<TChartEditForm> modal([&](TChartEditForm& d) {
        shown = true;
        seen = &d;
        EXPECT_EQ(d.Caption(), "Editing Chart1");
        EXPECT_EQ(d.MainPage->ActivePage(), d.TabChart);
        EXPECT_EQ(d.SubPage->ActivePage(), d.TabSeriesList);
        EXPECT_EQ(d.LBSeries->Count(), 2);
        EXPECT_EQ(d.LBSeries->Items()->Get(0), "X-Value");
        EXPECT_EQ(d.LBSeries->Items()->Get(1), "Y-Value");
        EXPECT_EQ(d.LBSeries->CurrentRow(), 0);  // the first series is selected
        EXPECT_FALSE(d.PanelGroups->Visible());
        EXPECT_TRUE(testkit::RenderToPng(d, "chart_editor_series_list.png"));
        return mrCancel;
    });
    testkit::DblClick(*chart, 200, 150);
    EXPECT_TRUE(shown);
    // The dialog was freed: the chart has no listener of it left.
    EXPECT_EQ(chart->Listeners().Count(), 0);
    (void)seen;
    // Closing ends the mouse action that opened the editor.
    chart->SetMouseHandled(false);
    OnNextModal<TChartEditForm> again([](TChartEditForm&) { return mrCancel; });
    editor->OpenEditorDialog();
    EXPECT_TRUE(chart->MouseHandled());
}

TEST_F(ChartEditorTest, HiddenTabsAndTheStartTab)
{
    const TChartEditorHiddenTabs allSub{cetMain, cetGeneral, cetAxis, cetTitles, cetLegend,
                                        cetPanel, cetPaging, cetWalls, cet3D};
    struct Case {
        TChartEditorHiddenTabs hidden;
        TChartEditorTab start;
        int subPage;  // expected SubPage index, -1 when the Chart tab is hidden
    } cases[] = {
        {{}, cetMain, 0},
        {{cetAxis}, cetAxis, 3},           // the next visible after it
        {{cetWalls, cet3D}, cetWalls, 6},  // none after: the nearest before
        {{cetGeneral}, cetGeneral, 2},
        {allSub, cetMain, -1},
    };
    for (const Case& c : cases) {
        editor->SetHideTabs(c.hidden);
        editor->SetDefaultTab(c.start);
        Open([&](TChartEditForm& d) {
            if (c.subPage < 0) {
                EXPECT_FALSE(d.TabChart->TabVisible());
            } else {
                EXPECT_TRUE(d.TabChart->TabVisible());
                EXPECT_EQ(d.SubPage->ActivePageIndex(), c.subPage) << "start " << c.start;
            }
        });
    }
}

TEST_F(ChartEditorTest, SizeGivenByTheComponentAndPlacementKeptAcrossOpenings)
{
    editor->SetWidth(500);
    editor->SetHeight(420);
    Open([](TChartEditForm& d) {
        EXPECT_EQ(d.Width(), 500);
        EXPECT_EQ(d.Height(), 420);
    });
    // Only one of the two: the size comes from the design, then from what was stored.
    editor->SetWidth(0);
    Open([](TChartEditForm& d) {
        EXPECT_EQ(d.Width(), 414);
        EXPECT_EQ(d.Height(), 347);
        d.SetBounds(d.Left(), d.Top(), 600, 450);
    });
    Open([](TChartEditForm& d) {
        EXPECT_EQ(d.Width(), 600);
        EXPECT_EQ(d.Height(), 450);
    });
}

TEST_F(ChartEditorTest, AutoRepaintOffComesBackAlsoAfterARaisingShow)
{
    editor->SetAutoRepaint(false);
    form->Show();
    Open([&](TChartEditForm&) { EXPECT_FALSE(chart->AutoRepaint()); });
    EXPECT_TRUE(chart->AutoRepaint());

    bool closed = false;
    editor->SetOnShow(TNotifyEvent([](TObject*) { throw std::runtime_error("show failed"); }));
    editor->SetOnClose(TNotifyEvent([&](TObject*) { closed = true; }));
    chart->SetMouseHandled(false);
    EXPECT_THROW(editor->OpenEditorDialog(), std::runtime_error);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(chart->AutoRepaint());
    EXPECT_FALSE(chart->MouseHandled());
}

TEST_F(ChartEditorTest, AutoRepaintOffDrawsTheChartOnceAfterTheDialog)
{
    editor->SetAutoRepaint(false);
    int draws = 0;
    chart->SetOnAfterDraw(TNotifyEvent([&](TObject*) { ++draws; }));
    TBitmap picture;
    testkit::RenderToBitmap(*chart, picture);
    ASSERT_EQ(draws, 1);
    Open([&](TChartEditForm&) {
        SeriesAt(0)->SetActive(false);
        SeriesAt(1)->SetSeriesColor(clRed);
        testkit::RenderToBitmap(*chart, picture);  // the old picture stands while editing
        EXPECT_EQ(draws, 1);
    });
    testkit::RenderToBitmap(*chart, picture);
    EXPECT_EQ(draws, 2);
    testkit::RenderToBitmap(*chart, picture);
    EXPECT_EQ(draws, 2);
}

TEST_F(ChartEditorTest, DensityRescalesTheDialogAndHighlightedTabsFollowTheActivePage)
{
    editor->SetPixelsPerInch(120);
    editor->SetHighLightTabs(true);
    Open([](TChartEditForm& d) {
        EXPECT_EQ(d.Width(), 414 * 120 / 96 + 1);  // 517.5 rounds up
        EXPECT_EQ(d.PixelsPerInch(), 120);
        EXPECT_EQ(d.Font()->Height(), -14);  // -11 at 96
        EXPECT_TRUE(d.TabSeriesList->Highlighted());
        bool allow = false;
        d.MainPage->SetActivePage(d.TabSeries);
        d.MainPageChange(d.MainPage);
        EXPECT_TRUE(d.TabSeries->Highlighted());
        d.MainPageChanging(d.MainPage, allow);
        EXPECT_TRUE(allow);
        EXPECT_FALSE(d.TabSeries->Highlighted());
        d.MainPage->SetActivePage(d.TabChart);
        d.MainPageChange(d.MainPage);
        EXPECT_TRUE(d.TabChart->Highlighted());
        ASSERT_TRUE(testkit::RenderToPng(d, "chart_editor_scaled.png"));
    });
}

TEST_F(ChartEditorTest, SeriesButtonsFollowOptionsFlagsAndSelection)
{
    struct Case {
        const char* name;
        std::function<void(TChartEditForm&)> arrange;
        bool del, rename, clone, up, down, moveVisible;
    } cases[] = {
        {"first row", [](TChartEditForm&) {}, true, true, true, false, true, true},
        {"inherited", [this](TChartEditForm&) { SeriesAt(0)->SetAncestorState(true); }, false, true, true, false, true,
         true},
        {"no clone flag", [this](TChartEditForm&) { SeriesAt(0)->SetStyle({3}); }, true, true, false, false, true, true},
        {"two rows",
         [](TChartEditForm& d) {
             d.LBSeries->SetSelected(1, true);
         },
         true, false, false, false, false, true},
        {"no ordering", [](TChartEditForm& d) { d.SetOptions(DefaultChartEditorOptions - TChartEditorOptions{ceOrderSeries}); },
         true, true, true, false, true, false},
    };
    for (const Case& c : cases) {
        SeriesAt(0)->SetAncestorState(false);
        SeriesAt(0)->SetStyle({});
        Open([&](TChartEditForm& d) {
            c.arrange(d);
            d.RefreshButtons();
            EXPECT_EQ(d.BDeleteSeries->Enabled(), c.del) << c.name;
            EXPECT_EQ(d.BRenameSeries->Enabled(), c.rename) << c.name;
            EXPECT_EQ(d.BCloneSeries->Enabled(), c.clone) << c.name;
            EXPECT_EQ(d.BMoveUP->Enabled(), c.up) << c.name;
            EXPECT_EQ(d.BMoveDown->Enabled(), c.down) << c.name;
            EXPECT_EQ(d.BMoveUP->Visible(), c.moveVisible) << c.name;
            EXPECT_EQ(d.LBSeries->EnableDragSeries(), c.moveVisible) << c.name;
            // Adding and retyping wait for the gallery.
            EXPECT_FALSE(d.BAddSeries->Enabled()) << c.name;
            EXPECT_FALSE(d.BChangeTypeSeries->Enabled()) << c.name;
        });
    }
}

TEST_F(ChartEditorTest, HideOtherUsesTheRowsOwnSeriesPastOnesTheListSkips)
{
    // A series editors do not show comes first: rows and chart positions differ.
    TLineSeries* hidden = AddLine("internal");
    chart->SeriesList().Exchange(0, 2);
    hidden->SetShowInEditor(false);
    Open([&](TChartEditForm& d) {
        ASSERT_EQ(d.LBSeries->Count(), 2);
        const int row = d.LBSeries->Items()->IndexOf("Y-Value");
        d.LBSeries->ClearSelection();
        d.LBSeries->SetItemIndex(row);
        d.LBSeries->SetSelected(row, true);
        d.HideOther1Click(d.HideOther1);
    });
    for (TChartSeries* s : chart->SeriesList()) EXPECT_EQ(s->Active(), s->Title() == "Y-Value") << s->Title();
}

TEST_F(ChartEditorTest, GroupsListAndAddGroup)
{
    editor->SetOptions(DefaultChartEditorOptions + TChartEditorOptions{ceGroups});
    form->Show();
    int asked = 0;
    answer = [&](const TDialogRequest& r) {
        if (r.Kind != dkInputQuery) return IDCANCEL;
        // An empty name asks again.
        *r.Value = ++asked == 1 ? String() : String("Axis X");
        return IDOK;
    };
    Open([&](TChartEditForm& d) {
        EXPECT_TRUE(d.PanelGroups->Visible());
        d.BAddGroupClick(d.BAddGroup);
        EXPECT_EQ(asked, 2);
        ASSERT_EQ(d.Groups->Count(), 2);  // "(all)" first
        EXPECT_EQ(d.Groups->Items()->Get(1), "Axis X");
        EXPECT_TRUE(d.BDeleteGroup->Enabled());
        // The empty group lists no series.
        EXPECT_EQ(d.LBSeries->Count(), 0);
    });
    ASSERT_NE(chart->SeriesGroups(), nullptr);
    EXPECT_EQ(chart->SeriesGroups()->Count(), 1);
}

TEST_F(ChartEditorTest, DraggingASeriesOntoAGroupPutsItThere)
{
    editor->SetOptions(DefaultChartEditorOptions + TChartEditorOptions{ceGroups});
    form->Show();
    answer = [&](const TDialogRequest& r) {
        if (r.Kind != dkInputQuery) return IDCANCEL;
        *r.Value = "Axis X";
        return IDOK;
    };
    Open([&](TChartEditForm& d) {
        d.BAddGroupClick(d.BAddGroup);
        d.Groups->SetItemIndex(0);  // "(all)"
        d.GroupsClick(d.Groups);
        ASSERT_EQ(d.LBSeries->Count(), 2);
        d.LBSeries->ClearSelection();
        d.LBSeries->SetItemIndex(1);
        d.LBSeries->SetSelected(1, true);
        const int x = d.LBSeries->SectionLeft(clsTitle) + 20, y = 24 + 12;
        const TRect groupRow = d.Groups->ItemRect(1);
        const TPoint over = d.LBSeries->ScreenToClient(
            d.Groups->ClientToScreen(Point(groupRow.Left + 10, (groupRow.Top + groupRow.Bottom) / 2)));
        testkit::MouseDown(*d.LBSeries, mbLeft, x, y);
        testkit::MouseMove(*d.LBSeries, over.X, over.Y);
        testkit::MouseUp(*d.LBSeries, mbLeft, over.X, over.Y);
        TSeriesGroup* group = chart->SeriesGroups()->GetGroup(0);
        ASSERT_EQ(group->Series().Count(), 1);
        EXPECT_EQ(group->Series().GetSeriesAt(0), SeriesAt(1));
        // The group is now current and lists its one series; dropping it there again is refused.
        EXPECT_EQ(d.Groups->ItemIndex(), 1);
        EXPECT_EQ(d.LBSeries->Count(), 1);
        bool accept = true;
        d.GroupsDragOver(d.Groups, d.LBSeries, groupRow.Left + 10, groupRow.Top + 2, dsDragMove, accept);
        EXPECT_FALSE(accept);
    });
}

// ---- series list box ----

class ChartListBoxTest : public ChartEditorTest {
protected:
    void SetUp() override
    {
        ChartEditorTest::SetUp();
        list = new TChartListBox(form.get());
        list->SetParent(form.get());
        list->SetBounds(0, 0, 300, 120);
        list->SetChart(chart);
        form->Show();
        testkit::Pump();
    }
    int RowY(int row) const { return row * 24 + 12; }
    TChartListBox* list = nullptr;
};

TEST_F(ChartListBoxTest, SectionsMoveLeftWhenTheIconSectionIsOff)
{
    EXPECT_EQ(list->SectionAt(30), clsActive);
    EXPECT_EQ(list->SectionAt(50), clsColor);
    EXPECT_EQ(list->SectionAt(26), -1);  // on an edge: no section
    list->SetShowSeriesIcon(false);
    EXPECT_EQ(list->SectionAt(4), clsActive);
    EXPECT_EQ(list->SectionAt(24), clsColor);
    EXPECT_EQ(list->SectionAt(50), clsTitle);
    // A click on the check toggles Active where the check now is.
    testkit::Click(*list, 8, RowY(1));
    EXPECT_FALSE(SeriesAt(1)->Active());
}

TEST_F(ChartListBoxTest, RadioChecksKeepOneSeriesActive)
{
    AddLine("Z-Value");
    list->SetCheckStyle(cbsRadio);  // all three were active: only the first stays
    EXPECT_TRUE(SeriesAt(0)->Active());
    EXPECT_FALSE(SeriesAt(1)->Active());
    EXPECT_FALSE(SeriesAt(2)->Active());
    testkit::Click(*list, list->SectionLeft(clsActive) + 8, RowY(2));
    EXPECT_FALSE(SeriesAt(0)->Active());
    EXPECT_TRUE(SeriesAt(2)->Active());
}

TEST_F(ChartListBoxTest, DraggingATitleOntoAnotherRowSwapsTheTwoSeriesOnce)
{
    TChartSeries* first = SeriesAt(0);
    TChartSeries* second = SeriesAt(1);
    int orders = 0;
    list->SetOnChangeOrder(TChangeOrderEvent([&](TChartListBox*, TCustomChartSeries*, TCustomChartSeries*) { ++orders; }));
    const int x = list->SectionLeft(clsTitle) + 20;
    testkit::MouseDown(*list, mbLeft, x, RowY(0));
    testkit::MouseMove(*list, x, RowY(1));
    testkit::MouseUp(*list, mbLeft, x, RowY(1));
    EXPECT_EQ(orders, 1);
    EXPECT_EQ(SeriesAt(0), second);
    EXPECT_EQ(SeriesAt(1), first);
    EXPECT_EQ(list->Items()->Get(0), "Y-Value");
    // Onto its own row: nothing.
    testkit::Click(*list, x, RowY(0));
    EXPECT_EQ(orders, 1);
}

TEST_F(ChartListBoxTest, RenamingToTheNameClearsTheTitle)
{
    struct Case {
        String typed;
        String title;
    } cases[] = {{"Speed", "Speed"}, {"Series1", ""}, {"   ", ""}};
    for (const Case& c : cases) {
        SeriesAt(0)->SetTitle("X-Value");
        list->SetItemIndex(0);
        answer = [&](const TDialogRequest& r) {
            EXPECT_EQ(r.Caption, "Change Series Title");
            *r.Value = c.typed;
            return IDOK;
        };
        list->RenameSelected();
        EXPECT_EQ(SeriesAt(0)->Title(), c.title) << c.typed;
    }
}

TEST_F(ChartListBoxTest, ACancelledRetypeConvertsNoOtherSeries)
{
    int asked = 0;
    ChangeSeriesTypeGalleryHook = [&](TComponent*, TChartSeries*&) -> const TMetaClass* {
        ++asked;
        return nullptr;  // the user cancelled
    };
    list->SelectAll();
    list->ChangeTypeOfSelected();
    ChangeSeriesTypeGalleryHook = nullptr;
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(SeriesAt(0)->Is<TLineSeries>());
    EXPECT_TRUE(SeriesAt(1)->Is<TLineSeries>());
}

TEST_F(ChartListBoxTest, DeleteAsksWithTheTitleOrTheSelectionText)
{
    String asked;
    answer = [&](const TDialogRequest& r) {
        asked = r.Text;
        return mrNo;
    };
    list->ClearSelection();
    list->SetItemIndex(1);
    list->SetSelected(1, true);
    list->DeleteSelected();
    EXPECT_EQ(asked, "Delete Y-Value ?");
    list->SelectAll();
    list->DeleteSelected();
    EXPECT_EQ(asked, "Delete (Selected Series) ?");
    EXPECT_EQ(chart->SeriesList().Count(), 2);
}

TEST_F(ChartListBoxTest, APieRowShowsNoColourSampleAndTheListPaints)
{
    auto* pie = new TPieSeries(form.get());
    pie->SetName("Pie1");
    pie->SetParentChart(chart);
    EXPECT_FALSE(pie->HasSeriesColor());
    EXPECT_TRUE(SeriesAt(0)->HasSeriesColor());
    ASSERT_TRUE(testkit::RenderToPng(*list, "chart_list_box.png"));
    // The colour sample of row 0 shows the series' line colour; the pie row's box is plain.
    const int x = list->SectionLeft(clsColor) + 13;
    EXPECT_NE(testkit::PixelAt(*list, x, RowY(0)), testkit::PixelAt(*list, x, 2 * 24 + 2));
    EXPECT_EQ(testkit::PixelAt(*list, x, RowY(2)), testkit::PixelAt(*list, x, 2 * 24 + 2));
}

// ---- series page and line page ----

TEST_F(ChartEditorTest, SeriesPageOpensTheLinePageAndItsControlsWriteAtOnce)
{
    form->Show();
    TLineSeries* line = static_cast<TLineSeries*>(SeriesAt(1));
    Open([&](TChartEditForm& d) {
        d.LBSeries->ClearSelection();
        d.LBSeries->SetItemIndex(1);
        d.LBSeriesEditSeries(d.LBSeries, 1);
        ASSERT_NE(d.SeriesPage(), nullptr);
        TFormZebSeries& page = *d.SeriesPage();
        EXPECT_EQ(page.CurrentSeries(), line);
        EXPECT_EQ(page.CBSeries->Items()->Count(), 2);
        auto* lineEditor = dynamic_cast<TCustomSeriesEditor*>(page.ClassEditor());
        ASSERT_NE(lineEditor, nullptr);
        EXPECT_EQ(page.PageSeries->ActivePage(), page.TheTabSheet);
        // Loading wrote nothing: the series is as before.
        EXPECT_FALSE(line->Stairs());
        EXPECT_FALSE(lineEditor->CBInvStairs->Enabled());
        lineEditor->CBStairs->SetChecked(true);
        EXPECT_TRUE(line->Stairs());
        EXPECT_TRUE(lineEditor->CBInvStairs->Enabled());
        lineEditor->CBInvStairs->SetChecked(true);
        EXPECT_TRUE(line->InvertedStairs());
        lineEditor->CBStairs->SetChecked(false);
        EXPECT_FALSE(lineEditor->CBInvStairs->Enabled());
        lineEditor->CBDark3D->SetChecked(!line->Dark3D());
        EXPECT_EQ(line->Dark3D(), lineEditor->CBDark3D->Checked());
        lineEditor->TBTransp->SetPosition(40);
        EXPECT_EQ(line->Transparency(), 40);
        lineEditor->CBStack->SetItemIndex(2);
        lineEditor->CBStackChange(lineEditor->CBStack);
        EXPECT_EQ(line->Stacked(), cssStack);
        answer = [](const TDialogRequest& r) {
            if (r.Kind != dkColorDialog) return IDCANCEL;
            *r.Value = IntToStr(static_cast<int>(clRed));
            return IDOK;
        };
        lineEditor->BLineColor->Click();
        EXPECT_EQ(line->SeriesColor(), clRed);
        EXPECT_FALSE(lineEditor->CBDefColor->Checked());
        ASSERT_TRUE(testkit::RenderToPng(d, "chart_editor_line_page.png"));
    });
}

TEST_F(ChartEditorTest, AColourPickedIn3DIsKept)
{
    chart->SetView3D(true);
    auto* line = static_cast<TLineSeries*>(SeriesAt(0));
    TOwnedPtr<TCustomSeriesEditor> page(new TCustomSeriesEditor(form.get()));
    page->SetTag(reinterpret_cast<Int64>(line));
    page->SetParent(form.get());
    page->Show();
    answer = [](const TDialogRequest& r) {
        *r.Value = IntToStr(static_cast<int>(clBlue));
        return r.Kind == dkColorDialog ? IDOK : IDCANCEL;
    };
    page->BLineColor->Click();
    EXPECT_EQ(line->SeriesColor(), clBlue);
    EXPECT_TRUE(line->IsSeriesColorStored());
}

TEST_F(ChartEditorTest, ASeriesWithoutPageOpensGeneralAndAFreedSeriesEmptiesThePages)
{
    auto* pie = new TPieSeries(form.get());
    pie->SetName("Pie1");
    pie->SetParentChart(chart);
    TOwnedPtr<TFormZebSeries> page(new TFormZebSeries(form.get()));
    page->SetParent(form.get());
    page->Show();
    FillSeriesNames(*page->CBSeries->Items(), chart->SeriesList(), true);
    page->SetCurrentSeries(pie);
    page->SelectCurrentSeries();
    EXPECT_FALSE(page->TheTabSheet->TabVisible());
    EXPECT_EQ(page->PageSeries->ActivePage(), page->TabGeneral);

    // A line page whose series is freed elsewhere keeps no pointer to it (ASan would see the write).
    page->SetCurrentSeries(SeriesAt(0));
    page->SelectCurrentSeries();
    auto* linePage = dynamic_cast<TCustomSeriesEditor*>(page->ClassEditor());
    ASSERT_NE(linePage, nullptr);
    TOwnedPtr<TCustomSeriesEditor> loose(new TCustomSeriesEditor(form.get()));
    loose->SetTag(reinterpret_cast<Int64>(SeriesAt(1)));
    loose->SetParent(form.get());
    loose->Show();
    SeriesAt(1)->Free();
    EXPECT_EQ(loose->Series(), nullptr);
    EXPECT_FALSE(loose->PageControl1->Enabled());
    loose->CBStairs->SetChecked(true);  // writes nowhere
    SeriesAt(0)->Free();
    EXPECT_EQ(page->CurrentSeries(), nullptr);
}

}  // namespace
