// The view of a memo whose lines do not wrap (a log): following the end, selection with the mouse
// and keys, plain editing, changes made in code, and the switch between the two kinds of memo.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/LogView_p.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"

namespace {

using TPos = TvLogView::TPos;

struct MemoView : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TMemo* memo = nullptr;
    int changes = 0;

    void SetUp() override
    {
        form->SetBounds(0, 0, 400, 300);
        memo = new TMemo(form.get());
        memo->SetParent(form.get());
        memo->SetBounds(8, 8, 209, 137);
        memo->SetScrollBars(ssBoth);
        memo->SetOnChange([this](TObject*) { ++changes; });
        form->Show();
    }
    TvLogView& View()
    {
        auto* view = dynamic_cast<TvLogView*>(memo->Host()->widget.data());
        if (!view) throw std::runtime_error("the memo has no log view");
        return *view;
    }
    void AddLines(int from, int to)
    {
        for (int i = from; i < to; ++i) memo->Lines()->Add("line " + std::to_string(i));
        testkit::Pump();
    }
    // The memo's client point where a place of the text is drawn (its middle, for the mouse).
    TPoint At(TPos pos)
    {
        const QPoint p = View().PointOf(pos) + View().viewport()->pos();
        return {p.x(), p.y() + QFontMetrics(View().font()).lineSpacing() / 2};
    }
    void Press(TPos pos, TShiftState shift = {})
    {
        const TPoint p = At(pos);
        testkit::MouseDown(*memo, mbLeft, p.X, p.Y, shift);
        testkit::MouseUp(*memo, mbLeft, p.X, p.Y, shift);
    }
    std::vector<String> Lines()
    {
        std::vector<String> out;
        for (int i = 0; i < memo->Lines()->Count(); ++i) out.push_back(memo->Lines()->Get(i));
        return out;
    }
};

TEST_F(MemoView, FollowsTheEndUntilTheUserScrollsAway)
{
    AddLines(0, 200);
    const int visible = View().VisibleLines();
    ASSERT_GT(visible, 2);
    EXPECT_EQ(View().TopLine(), 200 - visible);

    testkit::KeyPress(*memo, VK_HOME, TShiftState{ssCtrl});
    EXPECT_EQ(View().TopLine(), 0);
    AddLines(200, 250);
    EXPECT_EQ(View().TopLine(), 0);  // reading the start: new lines do not pull the view away

    testkit::KeyPress(*memo, VK_END, TShiftState{ssCtrl});
    EXPECT_EQ(View().TopLine(), 250 - visible);
    AddLines(250, 260);
    EXPECT_EQ(View().TopLine(), 260 - visible);
    EXPECT_EQ(View().verticalScrollBar()->maximum(), 260 - visible);
}

TEST_F(MemoView, MouseAndKeysSelectAndTheSelectionStaysWhileLinesCome)
{
    memo->Lines()->Add("alpha beta");
    memo->Lines()->Add("gamma");
    memo->Lines()->Add("delta");
    testkit::Pump();
    Press({0, 6});
    const TPoint to = At({2, 2});
    testkit::MouseDown(*memo, mbLeft, to.X, to.Y, TShiftState{ssShift});
    testkit::MouseUp(*memo, mbLeft, to.X, to.Y, TShiftState{ssShift});
    EXPECT_EQ(View().SelectedText(), "beta\ngamma\nde");
    testkit::KeyPress(*memo, VK_RIGHT, TShiftState{ssShift});
    EXPECT_EQ(View().SelectedText(), "beta\ngamma\ndel");
    AddLines(0, 3);
    EXPECT_EQ(View().SelectedText(), "beta\ngamma\ndel");

    const TPoint word = At({1, 2});
    testkit::DblClick(*memo, word.X, word.Y);
    EXPECT_EQ(View().SelectedText(), "gamma");
    testkit::KeyPress(*memo, 'A', TShiftState{ssCtrl});
    EXPECT_EQ(View().SelectedText(), "alpha beta\ngamma\ndelta\nline 0\nline 1\nline 2");
}

struct EditCase {
    const char* what;
    TPos caret;
    const char* keys;  // typed text; '<' is Backspace, '>' is Delete, '\r' is Return
    bool shiftHome;    // select to the start of the line first
    std::vector<String> lines;
};

const EditCase editCases[] = {
    {"type", {0, 2}, "xy", false, {"abxyc", "de"}},
    {"return splits", {0, 1}, "\r", false, {"a", "bc", "de"}},
    {"backspace joins", {1, 0}, "<", false, {"abcde"}},
    {"delete joins", {0, 3}, ">", false, {"abcde"}},
    {"typing replaces the selection", {1, 2}, "z", true, {"abc", "z"}},
    {"two-byte characters are one", {1, 3}, "<<", false, {"abc", ""}},
};

class MemoEdit : public MemoView, public ::testing::WithParamInterface<EditCase> {};

TEST_P(MemoEdit, ChangesTheLinesAsAnEditDoes)
{
    const EditCase& c = GetParam();
    memo->Lines()->Add("abc");
    memo->Lines()->Add(String(c.what) == "two-byte characters are one" ? "d\xC3\xA9" : "de");
    testkit::Pump();
    Press(c.caret);
    if (c.shiftHome) testkit::KeyPress(*memo, VK_HOME, TShiftState{ssShift});
    changes = 0;
    for (const char* k = c.keys; *k; ++k) {
        if (*k == '<')
            testkit::KeyPress(*memo, VK_BACK);
        else if (*k == '>')
            testkit::KeyPress(*memo, VK_DELETE);
        else
            testkit::TypeText(*memo, String(1, *k));
    }
    EXPECT_EQ(Lines(), c.lines);
    EXPECT_EQ(changes, static_cast<int>(String(c.keys).size()));
    EXPECT_TRUE(memo->Modified());
}

INSTANTIATE_TEST_SUITE_P(Table, MemoEdit, ::testing::ValuesIn(editCases), [](const auto& info) {
    String name = info.param.what;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

TEST_F(MemoView, ReadOnlyTakesNoTypingButSelects)
{
    memo->Lines()->Add("abc");
    memo->SetReadOnly(true);
    testkit::Pump();
    Press({0, 1});
    testkit::TypeText(*memo, "x\r");
    testkit::KeyPress(*memo, VK_BACK);
    EXPECT_EQ(Lines(), std::vector<String>{"abc"});
    testkit::KeyPress(*memo, VK_END, TShiftState{ssShift});
    EXPECT_EQ(View().SelectedText(), "bc");
}

TEST_F(MemoView, ChangesInCodeKeepTheCaretOnItsText)
{
    AddLines(0, 5);
    Press({3, 2});
    memo->Lines()->Insert(0, "new");
    testkit::Pump();
    EXPECT_EQ(View().Caret(), (TPos{4, 2}));
    memo->Lines()->Delete(1);
    memo->Lines()->Delete(1);
    testkit::Pump();
    EXPECT_EQ(View().Caret(), (TPos{2, 2}));
    memo->Lines()->Put(2, "x");
    testkit::Pump();
    EXPECT_EQ(View().Caret(), (TPos{2, 1}));  // the line got shorter than the caret's place
    memo->Lines()->Clear();
    testkit::Pump();
    EXPECT_EQ(View().Caret(), (TPos{0, 0}));
    EXPECT_EQ(View().verticalScrollBar()->maximum(), 0);
    TBitmap picture;
    testkit::RenderToBitmap(*memo, picture);  // paints with nothing to show
}

TEST_F(MemoView, ALongLineScrollsSidewaysToTheCaret)
{
    memo->Lines()->Add(String(300, 'w'));
    memo->Lines()->Add("short");
    testkit::Pump();
    QScrollBar* bar = View().horizontalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    Press({0, 0});
    testkit::KeyPress(*memo, VK_END);
    EXPECT_GT(bar->value(), 0);
    const int x = View().PointOf(View().Caret()).x();
    EXPECT_GE(x, 0);
    EXPECT_LT(x, View().viewport()->width());
    testkit::KeyPress(*memo, VK_DOWN);
    EXPECT_EQ(View().Caret(), (TPos{1, 5}));
}

TEST_F(MemoView, WrappingOrNotPicksTheWidgetAndKeepsTheLines)
{
    AddLines(0, 3);
    testkit::Pump();
    ASSERT_NO_THROW(View());
    memo->SetScrollBars(ssVertical);  // wraps again: the platform's text edit
    EXPECT_THROW(View(), std::runtime_error);
    EXPECT_EQ(memo->Text(), "line 0\r\nline 1\r\nline 2");
    testkit::TypeText(*memo, "x");
    EXPECT_EQ(memo->Lines()->Get(0), "xline 0");
    memo->SetWordWrap(false);
    ASSERT_NO_THROW(View());
    EXPECT_EQ(Lines(), (std::vector<String>{"xline 0", "line 1", "line 2"}));
}

}  // namespace
