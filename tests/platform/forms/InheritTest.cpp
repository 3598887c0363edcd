// Parent font and colour, notifications, wheel and capture, closing forms.
#include <gtest/gtest.h>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/GraphicsObjects.h"

namespace {

// Records the notification handlers the control library calls.
class Probe : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<String> seen;

protected:
    void CMFontChanged(TMessage& m) override
    {
        seen.push_back("font");
        TGraphicControl::CMFontChanged(m);
    }
    void CMColorChanged(TMessage& m) override
    {
        seen.push_back("color");
        TGraphicControl::CMColorChanged(m);
    }
    void CMTextChanged(TMessage& m) override
    {
        seen.push_back("text");
        TGraphicControl::CMTextChanged(m);
    }
    void CMVisibleChanged(TMessage& m) override
    {
        seen.push_back("visible");
        TGraphicControl::CMVisibleChanged(m);
    }
    void CMEnabledChanged(TMessage& m) override
    {
        seen.push_back("enabled");
        TGraphicControl::CMEnabledChanged(m);
    }
};

struct InheritFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    void SetUp() override { form->SetBounds(0, 0, 300, 200); }
};

TEST_F(InheritFixture, ChildrenFollowTheParentsFontAndColourUntilTheyHaveTheirOwn)
{
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    auto* follows = new TLabel(form.get());
    follows->SetParent(panel);
    auto* own = new TLabel(form.get());
    own->SetParent(panel);
    own->Font()->SetHeight(-20);
    EXPECT_FALSE(own->ParentFont());
    own->SetColor(clRed);
    EXPECT_FALSE(own->ParentColor());

    form->Font()->SetName("Arial");  // the panel follows the form, the label the panel
    panel->SetColor(clNavy);
    EXPECT_EQ(panel->Font()->Name(), "Arial");
    EXPECT_EQ(follows->Font()->Name(), "Arial");
    EXPECT_TRUE(follows->ParentFont());
    EXPECT_EQ(own->Font()->Name(), "MS Sans Serif");
    EXPECT_EQ(own->Font()->Height(), -20);
    EXPECT_EQ(follows->Color(), clNavy);
    EXPECT_EQ(own->Color(), clRed);

    own->SetParentFont(true);
    EXPECT_EQ(own->Font()->Name(), "Arial");
    EXPECT_EQ(own->Font()->Height(), panel->Font()->Height());
}

TEST_F(InheritFixture, ChangesReachTheirNotificationHandlersOncePerRealChange)
{
    auto* p = new Probe(form.get());
    p->SetParent(form.get());
    p->seen.clear();
    p->SetCaption("a");
    p->SetCaption("a");
    p->SetColor(clRed);
    p->SetColor(clRed);
    p->Font()->SetColor(clBlue);
    p->SetVisible(false);
    p->SetVisible(false);
    p->SetEnabled(false);
    EXPECT_EQ(p->seen, (std::vector<String>{"text", "color", "font", "visible", "enabled"}));
}

TEST_F(InheritFixture, WheelGoesToTheControlAndUnhandledOnToItsParent)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    std::vector<String> seen;
    form->SetOnMouseWheel([&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        seen.push_back("form " + std::to_string(delta));
        handled = true;
    });
    bool editHandles = false;
    edit->SetOnMouseWheel([&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        seen.push_back("edit " + std::to_string(delta));
        handled = editHandles;
    });
    intptr wparam = static_cast<intptr>(static_cast<std::uint16_t>(-120)) << 16;
    EXPECT_EQ(edit->Perform(WM_MOUSEWHEEL, wparam, 0), 1);
    editHandles = true;
    EXPECT_EQ(edit->Perform(WM_MOUSEWHEEL, wparam, 0), 1);
    EXPECT_EQ(seen, (std::vector<String>{"edit -120", "form -120", "edit -120"}));
}

TEST_F(InheritFixture, UnhandledWheelDeltasAddUpToOneStepPerNotch)
{
    form->Show();
    std::vector<String> seen;
    form->SetOnMouseWheelUp([&](TObject*, TShiftState, TPoint, bool& handled) {
        seen.push_back("up");
        handled = true;
    });
    form->SetOnMouseWheelDown([&](TObject*, TShiftState, TPoint, bool&) { seen.push_back("down"); });
    // A touchpad's small deltas: 40 + 40 + 40 is one notch up; 300 is two more, 60 left over;
    // -180 takes it to -120, one notch down.
    EXPECT_FALSE(testkit::MouseWheel(*form, 40));
    EXPECT_FALSE(testkit::MouseWheel(*form, 40));
    EXPECT_TRUE(testkit::MouseWheel(*form, 40));
    EXPECT_TRUE(testkit::MouseWheel(*form, 300));
    EXPECT_FALSE(testkit::MouseWheel(*form, -180));
    EXPECT_EQ(seen, (std::vector<String>{"up", "up", "up", "down"}));
    // OnMouseWheel handling the message leaves the steps out.
    form->SetOnMouseWheel([](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; });
    EXPECT_TRUE(testkit::MouseWheel(*form, 120));
    EXPECT_EQ(seen.size(), 4u);
}

TEST_F(InheritFixture, PressedWindowlessControlKeepsTheMouseUntilRelease)
{
    form->Show();
    auto* shape = new TShape(form.get());
    shape->SetParent(form.get());
    shape->SetBounds(10, 10, 30, 30);
    std::vector<String> seen;
    shape->SetOnMouseMove([&](TObject*, TShiftState, int x, int y) {
        seen.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    });
    shape->SetOnMouseUp([&](TObject*, TMouseButton, TShiftState, int x, int y) {
        seen.push_back("up " + std::to_string(x) + "," + std::to_string(y));
    });
    shape->SetOnClick([&](TObject*) { seen.push_back("click"); });
    testkit::MouseDown(*form, mbLeft, 15, 15);
    EXPECT_EQ(GetCaptureControl(), shape);
    testkit::MouseMove(*form, 100, 100, TShiftState{ssLeft});
    testkit::MouseUp(*form, mbLeft, 100, 100);
    EXPECT_EQ(GetCaptureControl(), nullptr);
    // Released outside: no click.
    EXPECT_EQ(seen, (std::vector<String>{"move 90,90", "up 90,90"}));
    testkit::Click(*shape);
    EXPECT_EQ(seen.back(), "up 15,15");
    EXPECT_EQ(seen[seen.size() - 2], "click");
}

class FocusProbe : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<String>* log = nullptr;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == CM_FOCUSCHANGED) log->push_back(Name() + " sees " + reinterpret_cast<TControl*>(m.LParam)->Name());
        if (m.Msg == CM_ENTER) log->push_back(Name() + " enter");
        if (m.Msg == CM_EXIT) log->push_back(Name() + " exit");
        if (m.Msg == WM_CAPTURECHANGED) log->push_back(Name() + " loses the mouse");
        TCustomControl::WndProc(m);
    }
};

TEST_F(InheritFixture, FocusAndCaptureChangesAreAnnounced)
{
    std::vector<String> log;
    auto* a = new FocusProbe(form.get());
    auto* b = new FocusProbe(form.get());
    for (auto* p : {a, b}) {
        p->SetParent(form.get());
        p->log = &log;
    }
    a->SetName("A");
    b->SetName("B");
    b->SetTop(50);
    a->Perform(WM_SETFOCUS, 0, 0);
    a->Perform(WM_KILLFOCUS, 0, 0);
    b->Perform(WM_SETFOCUS, 0, 0);
    EXPECT_EQ(log,
              (std::vector<String>{"A sees A", "B sees A", "A enter", "A exit", "A sees B", "B sees B", "B enter"}));
    EXPECT_EQ(form->ActiveControl(), b);
    log.clear();
    a->SetMouseCapture(true);
    b->SetMouseCapture(true);
    b->SetMouseCapture(false);
    EXPECT_EQ(log, (std::vector<String>{"A loses the mouse", "B loses the mouse"}));
}

struct CloseCase {
    const char* what;
    TCloseAction action;
    bool visibleAfter;
    bool existsAfterLoop;
};

void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.what; }

const CloseCase closeCases[] = {
    {"hide", caHide, false, true},
    {"refuse", caNone, true, true},
    {"free", caFree, false, false},
};

class CloseAction : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseAction, DecidesWhatCloseDoes)
{
    auto* form = new TForm(nullptr);
    form->Show();
    TCloseAction action = GetParam().action;
    form->SetOnClose([&](TObject*, TCloseAction& a) { a = action; });
    int before = Screen->FormCount();
    form->Close();
    EXPECT_EQ(form->Visible(), GetParam().visibleAfter);
    Application->ProcessMessages();
    bool exists = Screen->FormCount() == before;
    EXPECT_EQ(exists, GetParam().existsAfterLoop);
    if (exists) form->Free();
}

INSTANTIATE_TEST_SUITE_P(Table, CloseAction, ::testing::ValuesIn(closeCases));

}  // namespace
