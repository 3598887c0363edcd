// Hover, press, focus and key handling of the styled controls, as message sequences.
#include <gtest/gtest.h>

#include "StyledTestSupport.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"

namespace {

enum Step { Enter, Leave, LDown, LUp, RDown, RUp, LDouble, Disable, Enable, MoveOver, PointerAway, PointerOver };

struct Counts {
    int enters = 0, leaves = 0;
};

struct Fixture : StyledForm {
    Counts counts;
    Fixture()
    {
        form->Show();
        panel->fakeCursor = true;
        panel->SetOnMouseEnter(TNotifyEvent([this](TObject*) { ++counts.enters; }));
        panel->SetOnMouseLeave(TNotifyEvent([this](TObject*) { ++counts.leaves; }));
    }
    void run(Step s)
    {
        switch (s) {
        case Enter:
            panel->under = panel;
            panel->Perform(CM_MOUSEENTER);
            break;
        case Leave:
            panel->under = nullptr;
            panel->Perform(CM_MOUSELEAVE);
            break;
        case LDown: panel->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(7, 8)); break;
        case LUp: panel->Perform(WM_LBUTTONUP, 0, MakeLParam(7, 8)); break;
        case RDown: panel->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(7, 8)); break;
        case RUp: panel->Perform(WM_RBUTTONUP, 0, MakeLParam(7, 8)); break;
        case LDouble: panel->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(3, 4)); break;
        case Disable: panel->SetEnabled(false); break;
        case Enable: panel->SetEnabled(true); break;
        case MoveOver:
            panel->under = panel;
            panel->Perform(WM_MOUSEMOVE, 0, MakeLParam(9, 9));
            break;
        case PointerAway: panel->under = nullptr; break;
        case PointerOver: panel->under = panel; break;
        }
    }
};

struct Expect {
    bool hot, pressed;
    int enters, leaves;
};

}  // namespace

TEST(StyledInput, HoverAndPressSequences)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;
        Expect after;
    } cases[] = {
        {"enter", {Enter}, {true, false, 1, 0}},
        {"enter leave", {Enter, Leave}, {false, false, 1, 1}},
        {"disabled enter leave", {Disable, Enter, Leave}, {false, false, 0, 0}},
        {"left press", {Enter, LDown}, {true, true, 1, 0}},
        {"left press release", {Enter, LDown, LUp}, {true, false, 1, 0}},
        {"right press", {Enter, RDown}, {true, false, 1, 0}},
        {"double click presses", {Enter, LDouble}, {true, true, 1, 0}},
        {"disable while pressed", {Enter, LDown, Disable}, {false, false, 1, 0}},
        {"enable with pointer over", {Disable, PointerOver, Enable}, {true, false, 1, 0}},
        {"enable with pointer away", {Disable, PointerAway, Enable}, {false, false, 0, 0}},
        {"disable then enable away after hover", {Enter, PointerAway, Disable, Enable}, {false, false, 1, 0}},
        {"move over a cold control", {MoveOver}, {true, false, 1, 0}},
        {"move over a hot control", {Enter, MoveOver}, {true, false, 1, 0}},
    };
    for (const Case& c : cases) {
        Fixture f;
        for (Step s : c.steps) f.run(s);
        EXPECT_EQ(f.panel->Hot(), c.after.hot) << c.name;
        EXPECT_EQ(f.panel->Pressed(), c.after.pressed) << c.name;
        EXPECT_EQ(f.counts.enters, c.after.enters) << c.name;
        EXPECT_EQ(f.counts.leaves, c.after.leaves) << c.name;
        if (!c.after.pressed) {
            EXPECT_EQ(f.panel->DownPoint(), (TPoint{-1, -1})) << c.name;
        }
    }
}

TEST(StyledInput, PressStoresThePointAndCapturesTheMouse)
{
    Fixture f;
    f.run(LDown);
    EXPECT_EQ(f.panel->DownPoint(), (TPoint{7, 8}));
    EXPECT_TRUE(f.panel->MouseCapture());
    f.run(LUp);
    EXPECT_EQ(f.panel->DownPoint(), (TPoint{-1, -1}));
}

TEST(StyledInput, ClickFocusDecidesWhetherAPressTakesTheFocus)
{
    for (bool clickFocus : {true, false}) {
        Fixture f;
        auto* edit = new TEdit(f.form);
        edit->SetParent(f.form);
        edit->SetBounds(200, 10, 80, 20);
        edit->SetFocus();
        ASSERT_TRUE(edit->Focused());
        f.panel->SetClickFocus(clickFocus);
        f.run(LDown);
        EXPECT_EQ(f.panel->Focused(), clickFocus);
        EXPECT_EQ(edit->Focused(), !clickFocus);
        EXPECT_TRUE(f.panel->Pressed()) << "a left press captures either way";
        EXPECT_TRUE(f.panel->MouseCapture());
        f.run(LUp);
    }
}

TEST(StyledInput, LosingTheFocusWithThePointerOverKeepsItHot)
{
    // Focus messages go straight to the control: an offscreen window is never the active one.
    Fixture f;
    f.run(Enter);
    f.run(LDown);
    f.panel->Perform(WM_KILLFOCUS);
    EXPECT_FALSE(f.panel->Pressed());
    EXPECT_EQ(f.panel->DownPoint(), (TPoint{-1, -1}));
    EXPECT_FALSE(f.panel->MouseCapture());
    EXPECT_TRUE(f.panel->Hot());
    EXPECT_EQ(f.counts.enters, 1) << "hot did not change, so no second enter";
    EXPECT_EQ(f.counts.leaves, 0);

    // Focus comes back and goes again with the pointer elsewhere: the control cools and says so.
    f.panel->Perform(WM_SETFOCUS);
    f.run(PointerAway);
    f.panel->Perform(WM_KILLFOCUS);
    EXPECT_FALSE(f.panel->Hot());
    EXPECT_EQ(f.counts.leaves, 1);

    // Pointer back over a cold control while it loses the focus: it warms up and says so.
    f.run(PointerOver);
    f.panel->Perform(WM_KILLFOCUS);
    EXPECT_TRUE(f.panel->Hot());
    EXPECT_EQ(f.counts.enters, 2);
}

TEST(StyledInput, DisabledControlKeepsColdThroughFocusChanges)
{
    Fixture f;
    f.run(Disable);
    f.run(PointerOver);
    f.panel->Perform(WM_KILLFOCUS);
    f.panel->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(f.panel->Hot());
    EXPECT_EQ(f.counts.enters, 0);
    EXPECT_EQ(f.counts.leaves, 0);
}

TEST(StyledInput, HooksFollowTheState)
{
    Fixture f;
    f.run(Enter);
    f.run(Leave);
    f.run(Disable);
    EXPECT_EQ(f.panel->hooks, (std::vector<String>{"hot", "hot", "left", "enabled", "hot"}));
}

TEST(StyledInput, KeysPassUnlessTheQueryTakesThem)
{
    Fixture f;
    std::vector<Word> keys;
    f.panel->SetOnKeyDown(TKeyEvent([&](TObject*, Word& key, TShiftState) { keys.push_back(key); }));
    f.panel->SetFocus();
    f.panel->Perform(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(keys, std::vector<Word>{'A'});

    f.panel->wantTab = 1;
    f.panel->Perform(WM_KEYDOWN, 'B', 0);
    EXPECT_EQ(keys, std::vector<Word>{'A'}) << "consumed";
    f.panel->wantTab = 0;
    Application->ProcessMessages();
    EXPECT_EQ(keys, (std::vector<Word>{'A', VK_TAB})) << "a Tab key-down was posted instead";
}

TEST(StyledInput, ChildFocusQueryAnswersOnlyForChildren)
{
    Fixture f;
    auto* child = new TEdit(f.form);
    child->SetParent(f.panel);
    auto* stranger = new TEdit(f.form);
    stranger->SetParent(f.form);
    EXPECT_EQ(f.panel->Perform(QM_REFUSECHILDFOCUS, 0, reinterpret_cast<intptr>(child)), 0);
    EXPECT_EQ(f.panel->Perform(QM_REFUSECHILDFOCUS, 0, reinterpret_cast<intptr>(stranger)), 0);
    EXPECT_EQ(f.panel->Perform(QM_WANTTABKEY, 'A', 0), 0);
}

TEST(StyledInput, KeyFlagsAndKeyData)
{
    struct {
        TShiftState s;
        Word flags;
    } cases[] = {
        {{}, 0},         {{ssLeft}, 1},    {{ssRight}, 2}, {{ssShift}, 4},
        {{ssCtrl}, 8},   {{ssMiddle}, 16}, {{ssAlt}, 32},  {{ssShift, ssCtrl, ssAlt, ssLeft, ssRight, ssMiddle}, 63},
        {{ssDouble}, 0},
    };
    for (auto& c : cases) EXPECT_EQ(ShiftStateToKeyFlags(c.s), c.flags);
    EXPECT_EQ(QMKeyDataToShiftState(intptr(1) << 29), (TShiftState{ssAlt}));
    EXPECT_EQ(QMKeyDataToShiftState(0, {ssShift, ssLeft}), (TShiftState{ssShift}));
    EXPECT_EQ(QMKeyDataToShiftState((intptr(1) << 29) | 0x1F0001, {ssCtrl}), (TShiftState{ssAlt, ssCtrl}));
}

TEST(StyledInput, RealPointerTracksTheControlUnderIt)
{
    StyledForm f;
    f.form->Show();
    Counts counts;
    f.panel->SetOnMouseEnter(TNotifyEvent([&](TObject*) { ++counts.enters; }));
    f.panel->SetOnMouseLeave(TNotifyEvent([&](TObject*) { ++counts.leaves; }));
    testkit::MouseEnter(*f.panel);
    EXPECT_TRUE(f.panel->Hot());
    EXPECT_EQ(counts.enters, 1);
    testkit::MouseDown(*f.panel, mbLeft, 20, 20, {ssLeft});
    EXPECT_TRUE(f.panel->Pressed());
    testkit::MouseUp(*f.panel, mbLeft, 20, 20);
    EXPECT_FALSE(f.panel->Pressed());
    f.panel->Perform(WM_KILLFOCUS);
    EXPECT_TRUE(f.panel->Hot()) << "the pointer is still over it";
    EXPECT_EQ(counts.enters, 1);
    testkit::MouseLeave(*f.panel);
    EXPECT_FALSE(f.panel->Hot());
    EXPECT_EQ(counts.leaves, 1);
    f.panel->SetEnabled(false);
    f.panel->SetEnabled(true);
    EXPECT_FALSE(f.panel->Hot());
    EXPECT_EQ(counts.enters, 1);
    EXPECT_EQ(counts.leaves, 1);
}

namespace {
class FramePress : public ProbePanel {
public:
    using ProbePanel::ProbePanel;
    bool wantCapture = false;
    std::vector<String> nc;
    bool WantsNCCapture(TPoint) const override { return wantCapture; }
    void NCMouseDown(TMouseButton b, int hit, int x, int y, bool dbl) override
    {
        nc.push_back("down " + std::to_string(b) + " " + std::to_string(hit) + " " + std::to_string(x) + "," +
                     std::to_string(y) + (dbl ? " double" : ""));
    }
    void NCMouseMove(int hit, int x, int y) override
    {
        nc.push_back("move " + std::to_string(hit) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void NCMouseUp(TMouseButton b, int hit, int x, int y) override
    {
        nc.push_back("up " + std::to_string(b) + " " + std::to_string(hit) + " " + std::to_string(x) + "," +
                     std::to_string(y));
    }
};

intptr screenOf(TQMCustomControl& c, int x, int y)
{
    const TPoint o = c.ClientOrigin();
    const TRect m = c.GetClientMargins();
    return MakeLParam(o.X - m.Left + x, o.Y - m.Top + y);
}
}  // namespace

TEST(StyledInput, FramePressHoldsTheMouseUntilRelease)
{
    StyledForm f;
    auto* p = new FramePress(f.form);
    p->SetParent(f.form);
    p->SetBounds(150, 10, 100, 60);
    p->BorderProps()->SetBorder(qmcbBumped);
    f.form->Show();

    p->Perform(WM_NCLBUTTONDOWN, qmhtBorder, screenOf(*p, 1, 30));
    EXPECT_FALSE(p->NCCapture()) << "no capture unless the control asks for it";
    p->Perform(WM_NCLBUTTONUP, qmhtBorder, screenOf(*p, 1, 30));

    p->wantCapture = true;
    p->Perform(WM_NCLBUTTONDOWN, qmhtBorder, screenOf(*p, 0, 5));
    EXPECT_TRUE(p->NCCapture());
    EXPECT_TRUE(p->MouseCapture());
    // Client input now belongs to the frame: reported with the client hit code in window coordinates.
    p->Perform(WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(10, 10));
    p->Perform(WM_LBUTTONUP, 0, MakeLParam(10, 11));
    EXPECT_FALSE(p->NCCapture());
    EXPECT_FALSE(p->MouseCapture());
    EXPECT_FALSE(p->Pressed()) << "the client press handling never saw it";
    const std::vector<String> want = {"down 0 18 1,30", "up 0 18 1,30", "down 0 18 0,5", "move 1 12,12",
                                      "up 0 1 12,13"};
    EXPECT_EQ(p->nc, want);

    p->Perform(WM_NCRBUTTONDBLCLK, qmhtBorder, screenOf(*p, 99, 59));
    EXPECT_EQ(p->nc.back(), "down 1 18 99,59 double");
}
