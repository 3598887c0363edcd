// The combo painted on the chart: its selection, its list opened and picked with the mouse and
// the keys, and the rows that fit.
#include <string>

#include "ToolFixture.h"
#include "chart/tools/ComboTool.h"
#include "chart/tools/RectangleTool.h"
#include "platform/forms/VirtualKeys.h"

namespace {

class ComboTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        combo.Shape()->SetCustomPosition(true);
        combo.Shape()->SetShapeBounds({20, 20, 0, 0});
        combo.SetParentChart(&chart);
        combo.SetOnChange(TNotifyEvent([this](TObject*) { ++changes; }));
    }
    void Fill(int count)
    {
        combo.Items()->Clear();
        for (int i = 0; i < count; ++i) combo.Items()->Add("Item " + std::to_string(i));
        Frame();
    }
    void Click(int x, int y)
    {
        testkit::MouseDown(chart, mbLeft, x, y);
        testkit::MouseUp(chart, mbLeft, x, y);
        Frame();
    }
    void Key(Word key)
    {
        combo.HandleKey(tkkDown, key, {}, 0);
        Frame();
    }
    TPoint Header() { return {combo.GetBounds().Left + 5, combo.GetBounds().Top + 5}; }
    // The middle of row (0 the first item) of the open list.
    TPoint Row(int row)
    {
        const TRect box = combo.GetBounds();
        return {box.Left + 5, box.Top + combo.RowHeight() * (row + 1) + combo.RowHeight() / 2};
    }
    TZebCombo& combo = *new TZebCombo(form.get());
    int changes = 0;
};

TEST_F(ComboTest, ItemIndexStaysWithinTheItems)
{
    Fill(3);
    struct Case {
        int value, expected, changes;
    };
    const Case cases[] = {{1, 1, 1}, {1, 1, 0}, {10, 2, 1}, {-5, -1, 1}, {0, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        changes = 0;
        combo.SetItemIndex(c.value);
        EXPECT_EQ(combo.ItemIndex(), c.expected);
        EXPECT_EQ(changes, c.changes);
    }
    combo.SetItemIndex(1);
    EXPECT_EQ(combo.GetText(), "Item 1");
    changes = 0;
    combo.Items()->Clear();
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(changes, 0) << "clearing the items is no choice";
}

TEST_F(ComboTest, AClickOpensTheListAndAClickOnARowPicksIt)
{
    Fill(3);
    combo.SetItemIndex(1);
    Frame();
    const int closedHeight = combo.GetBounds().Height();
    Click(Header().X, Header().Y);
    ASSERT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.GetBounds().Height(), 4 * closedHeight) << "a header and three rows";
    Click(Header().X, Header().Y);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 1) << "the header row closes without a choice";
    Click(Header().X, Header().Y);
    const TPoint third = Row(2);
    testkit::MouseMove(chart, third.X, third.Y);
    EXPECT_EQ(combo.HotItem(), 2);
    Click(third.X, third.Y);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 2);
    // A click elsewhere closes an open list and goes no further; a closed one leaves it alone.
    Click(Header().X, Header().Y);
    testkit::MouseDown(chart, mbLeft, 300, 200);
    EXPECT_TRUE(chart.MouseHandled());
    EXPECT_FALSE(combo.DroppedDown());
    testkit::MouseUp(chart, mbLeft, 300, 200);
    testkit::MouseDown(chart, mbLeft, 300, 200);
    EXPECT_FALSE(chart.MouseHandled());
    testkit::MouseUp(chart, mbLeft, 300, 200);
}

TEST_F(ComboTest, KeysMoveTheSelectionOfAnOpenList)
{
    Fill(5);
    combo.SetItemIndex(0);
    Click(Header().X, Header().Y);
    struct Case {
        const char* name;
        Word key;
        int expected;
    };
    const Case cases[] = {{"page down", VK_NEXT, 4}, {"home", VK_HOME, 0},   {"up at 0", VK_UP, 0},
                          {"down", VK_DOWN, 1},      {"end", VK_END, 4},     {"page up", VK_PRIOR, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Key(c.key);
        EXPECT_EQ(combo.ItemIndex(), c.expected);
        EXPECT_TRUE(combo.DroppedDown());
    }
    Key(VK_RETURN);
    EXPECT_FALSE(combo.DroppedDown());
    Click(Header().X, Header().Y);
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo.DroppedDown());
}

TEST_F(ComboTest, ALongListShowsTheWholeRowsThatFitAndKeepsTheSelectionInView)
{
    Fill(40);
    combo.SetItemIndex(30);
    Click(Header().X, Header().Y);
    const TRect box = combo.GetBounds();
    const int rows = combo.VisibleRows();
    EXPECT_LT(rows, 40);
    EXPECT_EQ(box.Height(), (rows + 1) * combo.RowHeight());
    EXPECT_LE(box.Bottom, chart.GetPanelRect().Bottom - 2);
    EXPECT_LE(combo.FirstShown(), 30);
    EXPECT_GT(combo.FirstShown() + rows, 30);
}

TEST_F(ComboTest, AnOpenComboOverAnEarlierToolStillPicksTheRow)
{
    // Every tool sees the press in list order; the rectangle grabbing it does not keep it from the combo.
    auto& under = *new TRectangleTool(form.get());
    under.Shape()->SetShapeBounds({10, 10, 200, 200});
    under.SetParentChart(&chart);
    Fill(3);
    Click(Header().X, Header().Y);
    ASSERT_TRUE(combo.DroppedDown());
    const TPoint row = Row(1);
    Click(row.X, row.Y);
    EXPECT_EQ(combo.ItemIndex(), 1);
    EXPECT_FALSE(combo.DroppedDown());
}

}  // namespace
