// Which changes fire which events, owner versus parent freeing, messages, and the exception barrier.
#include <gtest/gtest.h>

#include <ostream>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/Strings.h"

namespace {

// Counts events by name.
struct Recorder : TObject {
    std::map<String, int> counts;
    std::vector<String> log;
    void Hit(const String& name)
    {
        ++counts[name];
        log.push_back(name);
    }
    void OnClick(TObject*) { Hit("Click"); }
    void OnChange(TObject*) { Hit("Change"); }
    void OnSelect(TObject*) { Hit("Select"); }
};

struct FormFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    Recorder rec;
    void SetUp() override
    {
        form->SetBounds(0, 0, 400, 300);
        form->Show();
    }
};

// ---- event semantics table --------------------------------------------------------------------

struct EventCase {
    const char* what;
    std::function<void(TForm&, Recorder&)> act;
    int clicks;
    int changes;
};

// Names the case in test listings.
void PrintTo(const EventCase& c, std::ostream* os) { *os << c.what; }


TEdit* MakeEdit(TForm& f, Recorder& r)
{
    auto* e = new TEdit(&f);
    e->SetParent(&f);
    e->SetOnChange(TNotifyEvent(&r, &Recorder::OnChange));
    e->SetOnClick(TNotifyEvent(&r, &Recorder::OnClick));
    return e;
}

TCheckBox* MakeCheck(TForm& f, Recorder& r)
{
    auto* c = new TCheckBox(&f);
    c->SetParent(&f);
    c->SetCaption("Check");
    c->SetOnClick(TNotifyEvent(&r, &Recorder::OnClick));
    return c;
}

TComboBox* MakeCombo(TForm& f, Recorder& r, TComboBoxStyle style = csDropDown)
{
    auto* c = new TComboBox(&f);
    c->SetParent(&f);
    c->SetStyle(style);
    c->Items()->Add("alpha");
    c->Items()->Add("beta");
    c->SetOnChange(TNotifyEvent(&r, &Recorder::OnChange));
    c->SetOnClick(TNotifyEvent(&r, &Recorder::OnClick));
    return c;
}

const EventCase eventCases[] = {
    {"edit text set in code", [](TForm& f, Recorder& r) { MakeEdit(f, r)->SetText("abc"); }, 0, 1},
    {"edit text set to the same value",
     [](TForm& f, Recorder& r) {
         auto* e = MakeEdit(f, r);
         e->SetText("x");
         e->SetText("x");
     },
     0, 1},
    {"edit typed by the user", [](TForm& f, Recorder& r) { testkit::TypeText(*MakeEdit(f, r), "ab"); }, 0, 2},
    {"edit cleared",
     [](TForm& f, Recorder& r) {
         auto* e = MakeEdit(f, r);
         e->SetText("x");
         e->Clear();
     },
     0, 2},
    {"check box checked in code", [](TForm& f, Recorder& r) { MakeCheck(f, r)->SetChecked(true); }, 1, 0},
    {"check box set to its own state", [](TForm& f, Recorder& r) { MakeCheck(f, r)->SetChecked(false); }, 0, 0},
    {"check box unchecked in code",
     [](TForm& f, Recorder& r) {
         auto* c = MakeCheck(f, r);
         c->SetChecked(true);
         c->SetChecked(false);
     },
     2, 0},
    {"check box clicked by the user", [](TForm& f, Recorder& r) { testkit::Click(*MakeCheck(f, r)); }, 1, 0},
    {"combo item index set in code", [](TForm& f, Recorder& r) { MakeCombo(f, r)->SetItemIndex(1); }, 0, 0},
    {"combo text set in code", [](TForm& f, Recorder& r) { MakeCombo(f, r)->SetText("beta"); }, 0, 0},
    {"combo items refilled",
     [](TForm& f, Recorder& r) {
         auto* c = MakeCombo(f, r);
         c->Items()->Clear();
         c->Items()->Add("x");
     },
     0, 0},
    {"combo typed by the user", [](TForm& f, Recorder& r) { testkit::TypeText(*MakeCombo(f, r), "ga"); }, 0, 2},
    {"combo item picked by the user", [](TForm& f, Recorder& r) { MakeCombo(f, r)->UserSelected(1); }, 1, 1},
};

class EventSemantics : public FormFixture, public ::testing::WithParamInterface<EventCase> {};

TEST_P(EventSemantics, FiresAsTheClassLibraryDoes)
{
    GetParam().act(*form, rec);
    EXPECT_EQ(rec.counts["Click"], GetParam().clicks) << GetParam().what;
    EXPECT_EQ(rec.counts["Change"], GetParam().changes) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, EventSemantics, ::testing::ValuesIn(eventCases));

TEST_F(FormFixture, ComboPickWithOnSelectFiresSelectInsteadOfChange)
{
    auto* c = MakeCombo(*form, rec);
    c->SetOnSelect(TNotifyEvent(&rec, &Recorder::OnSelect));
    c->UserSelected(0);
    EXPECT_EQ(rec.counts["Select"], 1);
    EXPECT_EQ(rec.counts["Change"], 0);
    EXPECT_EQ(c->Text(), "alpha");
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST_F(FormFixture, FillingComboItemsKeepsTheEditText)
{
    auto* c = MakeCombo(*form, rec);
    c->SetText("COM3");
    c->Items()->Clear();
    for (const char* s : {"COM1", "COM3", "COM4"}) c->Items()->Add(s);
    EXPECT_EQ(c->Text(), "COM3");
    EXPECT_EQ(c->ItemIndex(), 1);
    c->Items()->Clear();
    EXPECT_EQ(c->Text(), "COM3");
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(FormFixture, DropDownListTextFollowsTheSelection)
{
    auto* c = MakeCombo(*form, rec, csDropDownList);
    c->SetText("beta");
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SetText("nothing");
    EXPECT_EQ(c->ItemIndex(), -1);
    EXPECT_EQ(c->Text(), "");
}

TEST_F(FormFixture, TypedEditTextIsTheText)
{
    auto* e = MakeEdit(*form, rec);
    e->SetText("12");
    testkit::TypeText(*e, "3");
    EXPECT_EQ(e->Text(), "123");
    EXPECT_TRUE(e->Modified());
}

TEST_F(FormFixture, RadioButtonsInOneParentExcludeEachOther)
{
    auto* a = new TRadioButton(form.get());
    auto* b = new TRadioButton(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    b->SetTop(30);
    a->SetOnClick(TNotifyEvent(&rec, &Recorder::OnClick));
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_EQ(rec.counts["Click"], 1);  // unchecking fires nothing
    testkit::Click(*a);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
}

// ---- owner versus parent ----------------------------------------------------------------------

struct FreeWatch : TComponent {
    explicit FreeWatch(TComponent* owner) : TComponent(owner) {}
    std::vector<TComponent*> freed;
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == opRemove) freed.push_back(c);
    }
};

// ---- hints ----

// Hints as the class library finds them, for windowless controls as for windowed ones: the nearest
// control from the one under the pointer up that shows hints, the nearest hint from there up, its
// part before '|'.
TEST_F(FormFixture, HintOfTheControlUnderThePointer)
{
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 300, 200);
    panel->SetHint("Panel");
    auto lamp = [&](int left, const char* hint, bool showHint) {
        auto* shape = new TShape(form.get());
        shape->SetParent(panel);
        shape->SetBounds(left, 10, 40, 40);
        shape->SetHint(hint);
        shape->SetShowHint(showHint);
        return shape;
    };
    TShape* own = lamp(10, "Lamp|The receive lamp", true);
    TShape* emptyHint = lamp(60, "", true);
    TShape* silent = lamp(110, "Silent", false);
    TShape* disabled = lamp(160, "Disabled", true);
    disabled->SetEnabled(false);
    auto* edit = new TEdit(form.get());
    edit->SetParent(panel);
    edit->SetBounds(10, 100, 80, 21);
    edit->SetHint("Edit");
    edit->SetShowHint(true);

    const struct {
        const char* what;
        TControl* control;
        const char* hint;
    } cases[] = {
        {"windowless control", own, "Lamp"},
        {"empty hint: the parent's", emptyHint, "Panel"},
        {"no ShowHint up the chain", silent, ""},
        {"disabled control", disabled, "Disabled"},
        {"windowed control", edit, "Edit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(testkit::HintAt(*c.control), c.hint);
    }
    panel->SetShowHint(true);
    EXPECT_EQ(testkit::HintAt(*silent), "Panel") << "the parent shows hints now";
    Application->SetShowHint(false);
    EXPECT_EQ(testkit::HintAt(*own), "") << "hints off for the application";
    Application->SetShowHint(true);
}

// A status panel's whole text is its tooltip, cut on the panel or not.
TEST_F(FormFixture, StatusPanelShowsItsWholeTextAsTooltip)
{
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    for (int width : {100, 100}) bar->Panels()->Add()->SetWidth(width);
    const String long_ = "Specified device not found (/dev/ttyUSB7). - 2024-03-03 14:05:09";
    bar->Panels()->Items(0)->SetText(long_);
    EXPECT_EQ(testkit::HintAt(*bar, 50, 10), long_);
    EXPECT_EQ(testkit::HintAt(*bar, 150, 10), "") << "a panel without text";
}

TEST(OwnerAndParent, FreeingTheOwnerFreesTheControlsItOwnsWhereverTheyAre)
{
    TOwnedPtr<TForm> host(new TForm(nullptr));
    FreeWatch watch(nullptr);
    auto* owner = new TComponent(nullptr);
    auto* edit = new TEdit(owner);
    edit->SetParent(host.get());
    edit->FreeNotification(&watch);
    ASSERT_EQ(host->ControlCount(), 1);
    owner->Free();
    EXPECT_EQ(host->ControlCount(), 0);
    ASSERT_EQ(watch.freed.size(), 1u);
    EXPECT_EQ(watch.freed[0], edit);
}

TEST(OwnerAndParent, FreeingTheParentFreesItsChildControlsAndTellsTheirOwner)
{
    auto* panelOwner = new TForm(nullptr);
    TOwnedPtr<TComponent> owner(new TComponent(nullptr));
    auto* panel = new TPanel(panelOwner);
    auto* button = new TButton(owner.get());
    button->SetParent(panel);
    ASSERT_EQ(owner->ComponentCount(), 1);
    panelOwner->Free();  // frees the panel, which takes its child controls along
    EXPECT_EQ(owner->ComponentCount(), 0);
}

TEST(OwnerAndParent, FreeingAChildLeavesTheParent)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    label->Free();
    edit->Free();
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(OwnerAndParent, ParentCannotBeTheControlOrItsChild)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* outer = new TGroupBox(form.get());
    auto* inner = new TGroupBox(form.get());
    outer->SetParent(form.get());
    inner->SetParent(outer);
    EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
    EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
    EXPECT_EQ(outer->Parent(), form.get());
}

// ---- messages ---------------------------------------------------------------------------------

constexpr Cardinal WM_FLASH = 0x464;

class FlashTarget : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TMessage> got;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_FLASH) {
            got.push_back(m);
            m.Result = m.WParam + m.LParam;
            return;
        }
        TCustomControl::WndProc(m);
    }
};

TEST(Messages, PerformDispatchesAUserMessageAtOnceAndAnswersItsResult)
{
    TOwnedPtr<FlashTarget> t(new FlashTarget(nullptr));
    EXPECT_EQ(t->Perform(WM_FLASH, 7, 1), 8);
    ASSERT_EQ(t->got.size(), 1u);
    EXPECT_EQ(t->got[0].Msg, WM_FLASH);
    EXPECT_EQ(t->got[0].WParam, 7);
    EXPECT_EQ(t->got[0].LParam, 1);
    EXPECT_EQ(t->Perform(0x9999, 1, 2), 0);  // unhandled: Result stays 0
}

TEST(Messages, PostedMessagesArriveFromTheLoopAndNeverAfterTheControlIsGone)
{
    auto* t = new FlashTarget(nullptr);
    t->PostMessage(WM_FLASH, 1, 0);
    t->PostMessage(WM_FLASH, 2, 0);
    EXPECT_TRUE(t->got.empty());
    Application->ProcessMessages();
    ASSERT_EQ(t->got.size(), 2u);
    EXPECT_EQ(t->got[0].WParam, 1);
    EXPECT_EQ(t->got[1].WParam, 2);
    t->PostMessage(WM_FLASH, 3, 0);
    t->Free();
    Application->ProcessMessages();  // must not touch the freed control
}

// ---- exception barrier ------------------------------------------------------------------------

struct ExceptionSink : TObject {
    std::vector<String> messages;
    std::vector<TObject*> senders;
    void Handle(TObject* sender, Exception* e)
    {
        senders.push_back(sender);
        messages.push_back(e->Message());
    }
};

struct BarrierFixture : FormFixture {
    ExceptionSink sink;
    TExceptionEvent saved;
    void SetUp() override
    {
        FormFixture::SetUp();
        saved = Application->OnException();
        Application->SetOnException(TExceptionEvent(&sink, &ExceptionSink::Handle));
    }
    void TearDown() override { Application->SetOnException(saved); }
};

TEST_F(BarrierFixture, ExceptionInAClickHandlerReachesOnExceptionWithItsMessage)
{
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetOnClick([](TObject*) { throw EConvertError("'abc' is not a valid integer value"); });
    testkit::Click(*b);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "'abc' is not a valid integer value");
    EXPECT_EQ(sink.senders[0], b);
}

TEST_F(BarrierFixture, AbortIsSilentAndForeignExceptionsKeepTheirText)
{
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetOnClick([](TObject*) { throw EAbort("quiet"); });
    testkit::Click(*b);
    EXPECT_TRUE(sink.messages.empty());
    b->SetOnClick([](TObject*) { throw std::runtime_error("plain"); });
    testkit::Click(*b);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], "plain");
}

class ThrowingPaint : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        throw Exception("paint failed");
    }
};

TEST_F(BarrierFixture, ExceptionInPaintIsReportedAndPaintingGoesOn)
{
    auto* p = new ThrowingPaint(form.get());
    p->SetParent(form.get());
    p->SetBounds(0, 0, 50, 50);
    testkit::RenderToPng(*form, testing::TempDir() + "/throwing.png");
    EXPECT_GE(p->paints, 1);
    ASSERT_FALSE(sink.messages.empty());
    EXPECT_EQ(sink.messages[0], "paint failed");
}

TEST_F(BarrierFixture, AnErrorInTheHandlerItselfIsDropped)
{
    Application->SetOnException([](TObject*, Exception*) { throw Exception("handler broke"); });
    auto* b = new TButton(form.get());
    b->SetParent(form.get());
    b->SetOnClick([](TObject*) { throw Exception("first"); });
    EXPECT_NO_THROW(testkit::Click(*b));
}

TEST(DefaultReport, ShowsTheMessageInABoxEndedByAPeriod)
{
    std::vector<TDialogRequest> asked;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest& r) {
        asked.push_back(r);
        return IDOK;
    });
    TExceptionEvent saved = Application->OnException();
    Application->SetOnException(nullptr);
    Exception a("Range error"), b("Done.");
    Application->ShowException(&a);
    Application->ShowException(&b);
    Application->SetOnException(saved);
    SetDialogHandler(old);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].Text, "Range error.");
    EXPECT_EQ(asked[1].Text, "Done.");
    EXPECT_EQ(asked[0].Flags & 0xF0, MB_ICONSTOP);
    EXPECT_EQ(asked[0].Caption, Application->Title());
}

}  // namespace

namespace {

// Two panels side by side: a drag starts on the left one and ends on the right one or elsewhere.
TEST(DragAndDrop, DropsOnAnAcceptingTargetAndTellsTheSourceWhereItEnded)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 200);
    auto* source = new TPanel(form.get());
    source->SetParent(form.get());
    source->SetBounds(0, 0, 100, 100);
    source->SetDragMode(dmAutomatic);
    auto* target = new TPanel(form.get());
    target->SetParent(form.get());
    target->SetBounds(150, 0, 100, 100);
    form->Show();
    std::vector<String> log;
    bool accept = true;
    target->SetOnDragOver(TDragOverEvent([&](TObject*, TObject* from, int x, int, TDragState state, bool& a) {
        log.push_back("over " + IntToStr(state) + " " + IntToStr(x));
        a = accept && from == source;
    }));
    target->SetOnDragDrop(TDragDropEvent([&](TObject*, TObject*, int x, int y) {
        log.push_back("drop " + IntToStr(x) + "," + IntToStr(y));
    }));
    source->SetOnEndDrag(TEndDragEvent([&](TObject*, TObject* on, int, int) {
        log.push_back(on == target ? "end on target" : "end on nothing");
    }));

    struct Case {
        const char* name;
        bool accept;
        int moveX;  // in the source's coordinates
        std::vector<String> expected;
    } cases[] = {
        {"accepted", true, 170, {"over 0 20", "over 2 20", "drop 20,50", "end on target"}},
        {"refused", false, 170, {"over 0 20", "over 2 20", "end on nothing"}},
        {"under the threshold", true, 52, {"end on nothing"}},
    };
    for (const Case& c : cases) {
        log.clear();
        accept = c.accept;
        testkit::MouseDown(*source, mbLeft, 50, 50);
        EXPECT_TRUE(source->Dragging()) << c.name;
        testkit::MouseMove(*source, c.moveX, 50);
        testkit::MouseUp(*source, mbLeft, c.moveX, 50);
        EXPECT_FALSE(source->Dragging()) << c.name;
        EXPECT_EQ(log, c.expected) << c.name;
    }
}

}  // namespace
