// Grids read from a stored description and driven by keys and the mouse: cell geometry, the
// current cell and selection, the in-place editor's text round trip, sizing and scrolling.
#include <gtest/gtest.h>

#include "platform/classes/Published.h"
#include "platform/forms/Grids.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"
#include "tests/support/FormSupport.h"

class TGridsForm : public TForm {
    TV_CLASS(TGridsForm, TForm)
public:
    explicit TGridsForm(TComponent* owner) : TForm(owner) {}
    std::vector<String> log;
    std::map<std::pair<int, int>, String> texts;
    bool refuseCol3 = false;
    void GridGetEditText(TObject*, int c, int r, String& v) { v = texts[{c, r}]; }
    void GridSetEditText(TObject*, int c, int r, const String& v)
    {
        texts[{c, r}] = v;
        log.push_back("set " + std::to_string(c) + "," + std::to_string(r) + " '" + v + "'");
    }
    void GridSelectCell(TObject*, int c, int, bool& can) { can = !(refuseCol3 && c == 3); }
    void GridTopLeftChanged(TObject* s)
    {
        log.push_back("top " + std::to_string(static_cast<TDrawGrid*>(s)->TopRow()));
    }
};

TV_PUBLISHED(TGridsForm)
{
    Method("GridGetEditText", &TGridsForm::GridGetEditText);
    Method("GridSetEditText", &TGridsForm::GridSetEditText);
    Method("GridSelectCell", &TGridsForm::GridSelectCell);
    Method("GridTopLeftChanged", &TGridsForm::GridTopLeftChanged);
}

namespace {

using testsupport::Find;

const char* const gridsForm = R"(object GridsForm: TGridsForm
  Left = 0
  Top = 0
  Width = 400
  Height = 300
  Caption = 'Grids'
  object Grid: TDrawGrid
    Left = 0
    Top = 0
    Width = 304
    Height = 124
    BorderStyle = bsNone
    ColCount = 6
    RowCount = 1000
    DefaultRowHeight = 16
    DefaultColWidth = 50
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goColSizing, goEditing]
    OnGetEditText = GridGetEditText
    OnSetEditText = GridSetEditText
    OnSelectCell = GridSelectCell
    OnTopLeftChanged = GridTopLeftChanged
  end
  object Strings: TStringGrid
    Left = 0
    Top = 140
    Width = 200
    Height = 100
    ColCount = 3
    RowCount = 3
    FixedRows = 0
    Options = [goVertLine, goHorzLine, goEditing, goTabs]
  end
end
)";

struct Grids : ::testing::Test {
    TOwnedPtr<TGridsForm> form = testsupport::LoadForm<TGridsForm>(gridsForm);
    TDrawGrid& grid = Find<TDrawGrid>(*form, "Grid");
    TStringGrid& strings = Find<TStringGrid>(*form, "Strings");
    void SetUp() override { form->Show(); }
};

TEST_F(Grids, CellsLieAfterTheFixedOnesAndFollowTheScroll)
{
    EXPECT_EQ(grid.CellRect(0, 0), Rect(0, 0, 50, 16));
    EXPECT_EQ(grid.CellRect(2, 3), Rect(102, 51, 152, 67));
    EXPECT_EQ(grid.VisibleRowCount(), 6);  // (124 - 17) / 17
    EXPECT_EQ(grid.VisibleColCount(), 4);
    EXPECT_EQ(grid.MouseCoord(103, 52), (TGridCoord{2, 3}));
    EXPECT_EQ(grid.MouseCoord(399, 5), TGridCoord{});
    grid.SetTopRow(10);
    EXPECT_EQ(form->log, (std::vector<String>{"top 10"}));
    EXPECT_EQ(grid.CellRect(2, 3), TRect{});  // scrolled away
    EXPECT_EQ(grid.CellRect(2, 10), Rect(102, 17, 152, 33));
    EXPECT_EQ(grid.CellRect(2, 0).Top, 0);  // fixed rows stay
    grid.SetTopRow(5000);
    EXPECT_EQ(grid.TopRow(), 1000 - 6);  // the last page is full
    EXPECT_TRUE(testkit::MouseWheel(grid, 120));
    EXPECT_EQ(grid.TopRow(), 1000 - 9);
}

TEST_F(Grids, KeysMoveTheCurrentCellShiftExtendsTheSelectionAndSelectCellMayRefuse)
{
    struct Step {
        Word key;
        TShiftState shift;
        TGridCoord at;
        TGridRect selection;
    };
    const Step steps[] = {
        {VK_RIGHT, {}, {2, 1}, {2, 1, 2, 1}},       {VK_DOWN, {ssShift}, {2, 2}, {2, 1, 2, 2}},
        {VK_LEFT, {ssShift}, {1, 2}, {1, 1, 2, 2}}, {VK_RIGHT, {}, {2, 2}, {2, 2, 2, 2}},
        {VK_RIGHT, {}, {2, 2}, {2, 2, 2, 2}},  // column 3 refuses
        {VK_NEXT, {}, {2, 8}, {2, 8, 2, 8}},        {VK_END, {ssCtrl}, {5, 999}, {5, 999, 5, 999}},
        {VK_HOME, {ssCtrl}, {1, 1}, {1, 1, 1, 1}},  {VK_UP, {}, {1, 1}, {1, 1, 1, 1}},  // fixed row is not reachable
    };
    form->refuseCol3 = true;
    for (const Step& s : steps) {
        testkit::KeyPress(grid, s.key, s.shift);
        EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), s.at) << s.key;
        EXPECT_EQ(grid.Selection(), s.selection) << s.key;
    }
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(Grids, TheEditorShowsTheCellTextAppliesTypingAndEscapeRestores)
{
    form->texts[{1, 1}] = "7";
    testkit::KeyPress(grid, VK_F2);
    ASSERT_TRUE(grid.EditorMode());
    EXPECT_EQ(grid.InplaceEditor()->Text(), "7");
    EXPECT_EQ(grid.InplaceEditor()->BoundsRect(), grid.CellRect(1, 1));
    testkit::TypeText(*grid.InplaceEditor(), "42");
    EXPECT_EQ(form->texts[(std::pair{1, 1})], "42");
    testkit::KeyPress(*grid.InplaceEditor(), VK_ESCAPE);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(form->texts[(std::pair{1, 1})], "7");
    // Typing on the grid opens the editor with the typed text; Down posts and moves on.
    form->log.clear();
    testkit::TypeText(grid, "5");
    ASSERT_TRUE(grid.EditorMode());
    testkit::KeyPress(*grid.InplaceEditor(), VK_DOWN);
    EXPECT_FALSE(grid.EditorMode());
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(form->log, (std::vector<String>{"set 1,1 '5'", "set 1,1 '5'"}));
}

TEST_F(Grids, DraggingAHeaderEdgeSizesTheColumn)
{
    TRect r = grid.CellRect(1, 0);
    testkit::MouseDown(grid, mbLeft, r.Right - 1, 5);
    EXPECT_EQ(grid.GridState(), gsColSizing);
    testkit::MouseMove(grid, r.Right + 29, 5, {ssLeft});
    testkit::MouseUp(grid, mbLeft, r.Right + 29, 5);
    EXPECT_EQ(grid.ColWidths(1), 80);
    EXPECT_EQ(grid.GridState(), gsNormal);
    EXPECT_EQ(grid.CellRect(2, 1).Left, 51 + 81);
    // A click in a cell selects it; a drag selects a range.
    TRect a = grid.CellRect(2, 2), b = grid.CellRect(3, 4);
    testkit::MouseDown(grid, mbLeft, a.Left + 3, a.Top + 3);
    testkit::MouseMove(grid, b.Left + 3, b.Top + 3, {ssLeft});
    testkit::MouseUp(grid, mbLeft, b.Left + 3, b.Top + 3);
    EXPECT_EQ(grid.Selection(), (TGridRect{2, 2, 3, 4}));
}

TEST_F(Grids, StringGridKeepsItsCellsAndTabsThroughThem)
{
    strings.SetCells(0, 0, "a");
    strings.SetCells(2, 2, "z");
    EXPECT_EQ(strings.Cells(2, 2), "z");
    EXPECT_EQ(strings.Cells(1, 1), "");
    testkit::KeyPress(strings, VK_TAB);
    EXPECT_EQ(strings.Col(), 2);
    testkit::KeyPress(strings, VK_TAB);
    EXPECT_EQ((TGridCoord{strings.Col(), strings.Row()}), (TGridCoord{1, 1}));
    testkit::TypeText(strings, "hi");
    testkit::KeyPress(*strings.InplaceEditor(), VK_RETURN);
    EXPECT_EQ(strings.Cells(1, 1), "hi");
    EXPECT_TRUE(testkit::RenderToPng(*form, ::testing::TempDir() + "grids.png"));
}

TEST_F(Grids, ShrinkingTheRowCountKeepsTheCurrentCellInside)
{
    grid.SetRow(900);
    grid.SetColCount(2);
    grid.SetRowCount(10);
    EXPECT_EQ((TGridCoord{grid.Col(), grid.Row()}), (TGridCoord{1, 9}));
    EXPECT_LE(grid.TopRow(), 9);
    grid.SetRowCount(0);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.FixedRows(), 0);
}

}  // namespace
