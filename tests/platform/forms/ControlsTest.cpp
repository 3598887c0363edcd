// Memo lines, up-down with its edit, bars, keys, modal forms and dialogs.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"

namespace {

struct ControlsFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    int changes = 0;
    void SetUp() override
    {
        form->SetBounds(0, 0, 400, 300);
        form->Show();
    }
    template <class T>
    T* Make()
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        return c;
    }
};

// ---- memo -------------------------------------------------------------------------------------

// Both kinds of memo: one that wraps (the platform's text edit) and one that does not (the log view).
class MemoKinds : public ControlsFixture, public ::testing::WithParamInterface<TScrollStyle> {
protected:
    TMemo* MakeMemo()
    {
        auto* memo = Make<TMemo>();
        memo->SetScrollBars(GetParam());
        return memo;
    }
};

INSTANTIATE_TEST_SUITE_P(Kinds, MemoKinds, ::testing::Values(ssNone, ssBoth),
                         [](const auto& info) { return info.param == ssNone ? "Wrapping" : "LogView"; });

TEST_P(MemoKinds, MemoLinesAndTextAgree)
{
    auto* memo = MakeMemo();
    memo->SetOnChange([&](TObject*) { ++changes; });
    memo->Lines()->Add("12.5 3.0");
    memo->Lines()->Add("1.0 2.0");
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Text(), "12.5 3.0\r\n1.0 2.0");
    EXPECT_EQ(memo->Lines()->Text(), "12.5 3.0\r\n1.0 2.0\r\n");
    EXPECT_EQ(changes, 2);  // every added line reports a change
    memo->Lines()->BeginUpdate();
    memo->Lines()->Add("3.0 4.0");
    memo->Lines()->Add("5.0 6.0");
    EXPECT_EQ(changes, 2);
    memo->Lines()->EndUpdate();
    EXPECT_EQ(changes, 3);  // a batch reports once, at its end
    memo->Lines()->Delete(3);
    memo->Lines()->Delete(2);
    memo->Lines()->Insert(0, "first");
    memo->Lines()->Delete(2);
    EXPECT_EQ(memo->Text(), "first\r\n12.5 3.0");
    memo->SetText("a\r\nb\r\n");  // a final line break adds no line
    EXPECT_EQ(memo->Lines()->Count(), 2);
    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    EXPECT_EQ(memo->Text(), "");
    EXPECT_THROW(memo->Lines()->Delete(0), EStringListError);
}

TEST_P(MemoKinds, TypingInAMemoShowsInItsLines)
{
    auto* memo = MakeMemo();
    memo->Lines()->Add("abc");
    memo->SetOnChange([&](TObject*) { ++changes; });
    testkit::TypeText(*memo, "x\ry");
    EXPECT_GT(changes, 0);
    // The caret starts at the beginning.
    EXPECT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ(memo->Lines()->Get(0), "x");
    EXPECT_EQ(memo->Lines()->Get(1), "yabc");
}

TEST_P(MemoKinds, SelectionCountsLineBreaksAsTwoCharacters)
{
    auto* memo = MakeMemo();
    memo->SetText("first line\r\nsecond");
    memo->SetSelStart(6);
    memo->SetSelLength(7);
    EXPECT_EQ(memo->SelStart(), 6);
    EXPECT_EQ(memo->SelLength(), 7);
    EXPECT_EQ(memo->SelText(), "line\r\ns");
    memo->SetSelStart(0);
    EXPECT_EQ(memo->SelText(), "");
}

TEST_F(ControlsFixture, ALogMemoFreedWithItsParentLeavesNothingForItsViewToRead)
{
    auto* panel = Make<TPanel>();
    auto* memo = new TMemo(form.get());
    memo->SetScrollBars(ssBoth);
    memo->SetParent(panel);
    memo->Lines()->Add("pending");  // the view measures it later, from the message loop
    // Freed from a click: the view's window goes only after the click's event.
    auto* button = Make<TButton>();
    button->SetOnClick([&](TObject*) { panel->Free(); });
    testkit::Click(*button);
    testkit::Pump(20);
}

// ---- up-down ----------------------------------------------------------------------------------

struct UpDownFixture : ControlsFixture {
    TEdit* edit = nullptr;
    TUpDown* updown = nullptr;
    std::vector<String> edits;
    void SetUp() override
    {
        ControlsFixture::SetUp();
        edit = Make<TEdit>();
        edit->SetBounds(0, 1, 65, 28);
        edit->SetOnChange([&](TObject*) { edits.push_back(edit->Text()); });
        updown = Make<TUpDown>();
        updown->SetMin(-9000);
        updown->SetMax(9000);
        updown->SetThousands(false);
        updown->SetAssociate(edit);
    }
};

TEST_F(UpDownFixture, SitsBesideItsEditAndWritesThePositionIntoIt)
{
    EXPECT_EQ(updown->Left(), 65);
    EXPECT_EQ(updown->Top(), 1);
    EXPECT_EQ(updown->Height(), 28);
    EXPECT_EQ(edit->Width(), 65);
    updown->SetPosition(90);
    EXPECT_EQ(edit->Text(), "90");
    updown->Press(btNext);
    EXPECT_EQ(edit->Text(), "91");
    EXPECT_EQ(updown->Position(), 91);
    EXPECT_EQ(edits, (std::vector<String>{"0", "90", "91"}));
}

TEST_F(UpDownFixture, EditKeepsAnyTextAndTheNextPressStartsFromItsNumber)
{
    testkit::TypeText(*edit, "abc");
    EXPECT_EQ(edit->Text(), "0abc");  // not a number: left as typed
    updown->SetPosition(5);
    edit->SetText("100");
    EXPECT_EQ(updown->Position(), 100);
    updown->Press(btPrev);
    EXPECT_EQ(edit->Text(), "99");
    edit->SetText("nope");
    updown->Press(btNext);
    EXPECT_EQ(edit->Text(), "100");  // from the last position known
}

struct PressCase {
    const char* what;
    int min, max, start, increment;
    bool wrap, thousands;
    TUDBtnType button;
    const char* text;
};

// Names the case in test listings.
void PrintTo(const PressCase& c, std::ostream* os) { *os << c.what; }


const PressCase pressCases[] = {
    {"up", 0, 100, 5, 1, false, false, btNext, "6"},
    {"down", 0, 100, 5, 1, false, false, btPrev, "4"},
    {"stops at the top", 0, 100, 100, 1, false, false, btNext, "100"},
    {"stops at the bottom", -10, 10, -10, 1, false, false, btPrev, "-10"},
    {"wraps to the bottom", 0, 10, 10, 1, true, false, btNext, "0"},
    {"wraps to the top", 0, 10, 0, 1, true, false, btPrev, "10"},
    {"step of five", 0, 100, 5, 5, false, false, btNext, "10"},
    {"thousands separator", 0, 9000, 999, 1, false, true, btNext, "1,000"},
    {"negative thousands", -9000, 0, -1000, 1, false, true, btPrev, "-1,001"},
};

class UpDownPress : public UpDownFixture, public ::testing::WithParamInterface<PressCase> {};

TEST_P(UpDownPress, MovesTheNumberInTheEdit)
{
    const PressCase& c = GetParam();
    updown->SetMin(c.min);
    updown->SetMax(c.max);
    updown->SetIncrement(c.increment);
    updown->SetWrap(c.wrap);
    updown->SetThousands(c.thousands);
    updown->SetPosition(c.start);
    updown->Press(c.button);
    EXPECT_EQ(edit->Text(), c.text) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, UpDownPress, ::testing::ValuesIn(pressCases));

TEST_F(UpDownFixture, ChangingCanBeRefusedAndClickNamesTheButton)
{
    updown->SetPosition(3);
    std::vector<TUDBtnType> clicked;
    updown->SetOnClick([&](TObject*, TUDBtnType b) { clicked.push_back(b); });
    updown->SetOnChanging([](TObject*, bool& allow) { allow = false; });
    updown->Press(btNext);
    EXPECT_EQ(edit->Text(), "3");
    EXPECT_TRUE(clicked.empty());
    updown->SetOnChanging(nullptr);
    testkit::Click(*updown, 5, 2);                     // upper arrow
    testkit::Click(*updown, 5, updown->Height() - 2);  // lower arrow
    EXPECT_EQ(clicked, (std::vector<TUDBtnType>{btNext, btPrev}));
    EXPECT_EQ(edit->Text(), "3");
}

// ---- bars -------------------------------------------------------------------------------------

TEST_F(ControlsFixture, BarsClampPositionAndReportChanges)
{
    auto* track = Make<TTrackBar>();
    track->SetOnChange([&](TObject*) { ++changes; });
    track->SetPosition(7);
    track->SetPosition(7);
    track->SetPosition(99);
    EXPECT_EQ(track->Position(), 10);
    EXPECT_EQ(changes, 2);

    auto* scroll = Make<TScrollBar>();
    int scrolls = 0;
    scroll->SetOnChange([&](TObject*) { ++scrolls; });
    scroll->SetParams(50, 0, 40);
    EXPECT_EQ(scroll->Position(), 40);
    EXPECT_EQ(scrolls, 1);
    EXPECT_THROW(scroll->SetParams(0, 10, 5), EInvalidOperation);
    EXPECT_EQ(scroll->Min(), 0);
    EXPECT_EQ(scroll->Max(), 40);
}

// ---- keys -------------------------------------------------------------------------------------

TEST_F(ControlsFixture, KeyHandlersCanSwallowOrReplaceKeys)
{
    auto* edit = Make<TEdit>();
    edit->SetOnKeyDown([](TObject*, Word& key, TShiftState) {
        if (key == 'X') key = 0;
    });
    edit->SetOnKeyPress([](TObject*, char& key) {
        if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    });
    testkit::TypeText(*edit, "axb");
    EXPECT_EQ(edit->Text(), "AB");
}

TEST_F(ControlsFixture, KeyPreviewLetsTheFormSeeKeysFirst)
{
    auto* edit = Make<TEdit>();
    std::vector<String> seen;
    form->SetKeyPreview(true);
    form->SetOnKeyDown([&](TObject*, Word& key, TShiftState) {
        seen.push_back("form");
        if (key == VK_ESCAPE) key = 0;
    });
    edit->SetOnKeyDown([&](TObject*, Word&, TShiftState) { seen.push_back("edit"); });
    testkit::KeyPress(*edit, 'A');
    testkit::KeyPress(*edit, VK_ESCAPE);
    EXPECT_EQ(seen, (std::vector<String>{"form", "edit", "form"}));
}

TEST_F(ControlsFixture, ReturnAndEscapePressTheDefaultAndCancelButtons)
{
    auto* edit = Make<TEdit>();
    auto* ok = Make<TButton>();
    auto* cancel = Make<TButton>();
    ok->SetDefault(true);
    cancel->SetCancel(true);
    std::vector<String> pressed;
    ok->SetOnClick([&](TObject*) { pressed.push_back("ok"); });
    cancel->SetOnClick([&](TObject*) { pressed.push_back("cancel"); });
    testkit::KeyPress(*edit, VK_RETURN);
    testkit::KeyPress(*edit, VK_ESCAPE);
    EXPECT_EQ(pressed, (std::vector<String>{"ok", "cancel"}));
}

// ---- modal forms and dialogs ------------------------------------------------------------------

TEST(Modal, ButtonWithAModalResultEndsTheModalLoop)
{
    TOwnedPtr<TForm> dialog(new TForm(nullptr));
    auto* ok = new TButton(dialog.get());
    ok->SetParent(dialog.get());
    ok->SetModalResult(mrOk);
    int levelInside = -1;
    ok->SetOnClick([&](TObject*) { levelInside = Application->ModalLevel(); });
    int levelBefore = Application->ModalLevel();
    testkit::PostClick(*ok);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(levelInside, levelBefore + 1);
    EXPECT_EQ(Application->ModalLevel(), levelBefore);
    EXPECT_FALSE(dialog->Visible());
}

TEST(Modal, CloseQueryCanKeepAModalFormOpen)
{
    TOwnedPtr<TForm> dialog(new TForm(nullptr));
    int asked = 0;
    dialog->SetOnCloseQuery([&](TObject*, bool& can) { can = ++asked > 1; });
    auto* timer = new TTimer(dialog.get());
    timer->SetInterval(5);
    timer->SetOnTimer([&](TObject*) { dialog->Close(); });
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(asked, 2);
    EXPECT_THROW(
        {
            dialog->Show();
            dialog->ShowModal();
        },
        EInvalidOperation);
}

TEST(Modal, HandlerAnswersShowModalInTests)
{
    TOwnedPtr<TForm> dialog(new TForm(nullptr));
    TModalHandler old = SetModalHandler([](TCustomForm& f) {
        f.SetModalResult(mrYes);
        return mrNone;
    });
    EXPECT_EQ(dialog->ShowModal(), mrYes);
    SetModalHandler(old);
}

TEST(Dialogs, HandlerSeesWhatIsAskedAndAnswers)
{
    std::vector<TDialogRequest> asked;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest& r) {
        asked.push_back(r);
        if (r.Kind == dkInputQuery) *r.Value = "edited";
        return r.Kind == dkMessageDlg ? mrNo : IDOK;
    });
    ShowMessage("Open Com port.");
    EXPECT_EQ(MessageDlg("Save?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}), mrNo);
    String value = "start";
    EXPECT_TRUE(InputQuery("ID", "New ID", value));
    EXPECT_EQ(value, "edited");
    SetDialogHandler(old);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].Kind, dkMessageBox);
    EXPECT_EQ(asked[0].Text, "Open Com port.");
    EXPECT_EQ(asked[0].Flags, MB_OK);
    EXPECT_EQ(asked[1].Caption, "Confirm");
    EXPECT_TRUE(asked[1].Buttons.Contains(mbYes));
    EXPECT_EQ(asked[2].Text, "New ID");
}

TEST(Dialogs, WithoutHandlerOffscreenBoxesAnswerTheirDefaultButton)
{
    EXPECT_EQ(Application->MessageBox("x", "y", MB_YESNO), IDYES);
    EXPECT_EQ(Application->MessageBox("x", "y", MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(Application->MessageBox("x", "y", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(MessageDlg("x", mtWarning, TMsgDlgButtons{mbAbort, mbIgnore}), mrAbort);
    EXPECT_EQ(MessageDlg("x", mtWarning, TMsgDlgButtons{mbOK, mbCancel}), mrOk);
    String v = "same";
    EXPECT_TRUE(InputQuery("c", "p", v));
    EXPECT_EQ(v, "same");
}

}  // namespace
