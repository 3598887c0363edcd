// The styled control base: frame geometry and hit areas, settings, assignment, the settings file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "StyledTestSupport.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "widgets/styled/QMCommon.h"

namespace {

String readFile(const String& name)
{
    std::ifstream in(name);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

String tempName(const char* base) { return ::testing::TempDir() + base; }

// Screen point of a window-relative point of a control.
intptr screenLParam(TQMCustomControl& c, int x, int y)
{
    const TPoint o = c.ClientOrigin();
    const TRect m = c.GetClientMargins();
    return MakeLParam(o.X - m.Left + x, o.Y - m.Top + y);
}

}  // namespace

TEST(StyledControl, DefaultsLeaveTheWholeWindowToTheClient)
{
    StyledForm f;
    EXPECT_EQ(f.panel->ClientWidth(), 100);
    EXPECT_EQ(f.panel->ClientHeight(), 60);
    EXPECT_EQ(f.panel->BorderProps()->Border(), qmcbNone);
    EXPECT_EQ(f.panel->BorderProps()->Color(), clBtnFace);
    EXPECT_EQ(f.panel->BorderProps()->FlatColor(), clBtnShadow);
    EXPECT_EQ(f.panel->Spacing(), 4);
    EXPECT_EQ(f.panel->ImageIndex(), -1);
    EXPECT_TRUE(f.panel->ClickFocus());
}

TEST(StyledControl, ClientAreaShrinksByEveryFramePart)
{
    struct {
        TQMControlBorder outer, inner;
        int width;
        int shrink;
    } cases[] = {
        {qmcb3DRaised, qmcbFlat, 3, 6},          {qmcbFlat, qmcbNone, 0, 1}, {qmcbNone, qmcbEtched, 0, 2},
        {qmcbSoftLowered, qmcbSoftRaised, 5, 9}, {qmcbNone, qmcbNone, 4, 4}, {qmcbColor, qmcbLowered, 1, 3},
    };
    for (auto& c : cases) {
        StyledForm f;
        f.panel->BorderProps()->SetBorder(c.outer);
        f.panel->BorderProps()->SetInnerBorder(c.inner);
        f.panel->BorderProps()->SetWidth(c.width);
        EXPECT_EQ(f.panel->ClientWidth(), 100 - 2 * c.shrink) << c.outer << "/" << c.inner << "/" << c.width;
        EXPECT_EQ(f.panel->ClientHeight(), 60 - 2 * c.shrink) << c.outer << "/" << c.inner << "/" << c.width;
        const TRect framed = f.panel->GetFramedBounds(10, 20);
        EXPECT_EQ(framed, Bounds(10, 10, 10 + 2 * c.shrink, 20 + 2 * c.shrink));
    }
}

TEST(StyledControl, StatusbarTakesSixteenPixelsOffTheClient)
{
    StyledForm f;
    f.panel->SetBounds(10, 10, 100, 100);
    f.panel->SetShowStatusbar(true);
    EXPECT_EQ(f.panel->ClientHeight(), 84);
    EXPECT_EQ(f.panel->ClientWidth(), 100);
    f.panel->SetShowStatusbar(false);
    EXPECT_EQ(f.panel->ClientHeight(), 100);
}

TEST(StyledControl, ValuesOutOfRangeAreClamped)
{
    StyledForm f;
    f.panel->SetSpacing(-5);
    EXPECT_EQ(f.panel->Spacing(), 0);
    f.panel->SetPictureIndex(-7);
    EXPECT_EQ(f.panel->PictureIndex(), -1);
    f.panel->PictureProps()->SetPictureIndex(3);
    EXPECT_EQ(f.panel->PictureIndex(), 3);
}

TEST(StyledControl, TransparencySwitchesTheOpaqueStyle)
{
    StyledForm f;
    EXPECT_TRUE(f.panel->ControlStyle().Contains(csOpaque));
    f.panel->SetTransparent(true);
    EXPECT_FALSE(f.panel->ControlStyle().Contains(csOpaque));
    f.panel->SetTransparent(false);
    EXPECT_TRUE(f.panel->ControlStyle().Contains(csOpaque));
}

TEST(StyledControl, BorderSettingsWithoutAControlAnswerDefaults)
{
    TQMBorderProps loose(nullptr);
    loose.SetBorder(qmcbEtched);
    loose.SetWidth(7);
    EXPECT_EQ(loose.Border(), qmcbNone);
    EXPECT_EQ(loose.Width(), 0);
    EXPECT_EQ(loose.FlatInnerColor(), clBtnShadow);
    TQMPanelPictureProps pictures(nullptr);
    pictures.SetVisible(false);
    EXPECT_TRUE(pictures.Visible());
    EXPECT_EQ(pictures.PictureIndex(), -1);
}

TEST(StyledControl, AssignFromAPlatformControlTakesNoFrame)
{
    StyledForm f;
    auto* label = new TLabel(f.form);
    label->SetAutoSize(false);
    label->SetBounds(1, 2, 33, 44);
    label->SetHint("tip");
    label->SetVisible(false);
    f.panel->BorderProps()->SetBorder(qmcbBumped);
    f.panel->Assign(label);
    EXPECT_EQ(f.panel->Width(), 33);
    EXPECT_EQ(f.panel->Height(), 44);
    EXPECT_EQ(f.panel->Hint(), "tip");
    EXPECT_FALSE(f.panel->Visible());
    EXPECT_EQ(f.panel->BorderProps()->Border(), qmcbBumped);
}

TEST(StyledControl, AssignFromAStyledControlTakesItsSettings)
{
    StyledForm f;
    auto* other = new TQMPanel(f.form);
    other->BorderProps()->SetBorder(qmcbMacRaised);
    other->BorderProps()->SetInnerBorder(qmcbFlat);
    other->BorderProps()->SetExDraw(true);
    other->BorderProps()->SetWidth(2);
    other->BorderProps()->SetFlatColor(clRed);
    other->SetClickFocus(false);
    other->SetSpacing(9);
    other->SetGradient(qmgTopToBottom);
    other->SetStatusbarText("ready");
    f.panel->Assign(other);
    EXPECT_EQ(f.panel->BorderProps()->Border(), qmcbMacRaised);
    EXPECT_EQ(f.panel->BorderProps()->InnerBorder(), qmcbFlat);
    EXPECT_TRUE(f.panel->BorderProps()->ExDraw());
    EXPECT_EQ(f.panel->BorderProps()->Width(), 2);
    EXPECT_EQ(f.panel->BorderProps()->FlatColor(), clRed);
    EXPECT_FALSE(f.panel->ClickFocus());
    EXPECT_EQ(f.panel->Spacing(), 9);
    EXPECT_EQ(f.panel->Gradient(), qmgTopToBottom);
    EXPECT_EQ(f.panel->StatusbarText(), "ready");
}

TEST(StyledControl, SettingsFileRoundTrip)
{
    const String file = tempName("styled_settings.txt");
    StyledForm f;
    f.panel->SetName("Bar");
    f.panel->BorderProps()->SetBorder(qmcbSoftRaised);
    f.panel->BorderProps()->SetColor(clTeal);
    f.panel->BorderProps()->SetWidth(3);
    f.panel->SetBevel(qmcbEtched);
    f.panel->SetBevelEdges({qmbeTop, qmbeBottom});
    f.panel->SetBevelWidth(2);
    f.panel->SetGradient(qmgRightToLeft);
    f.panel->SetGradientEnd(clMaroon);
    f.panel->SetGradientUsesMid(true);
    f.panel->SetShowStatusbar(true);
    f.panel->SetStatusbarText("Port closed");
    f.panel->SetIndent(5);
    f.panel->SetSpacing(0);
    f.panel->PictureProps()->SetOrient(qmpoTiled);
    f.panel->PictureProps()->SetVisible(false);
    f.panel->SaveToFile(file);

    const String text = readFile(file);
    EXPECT_EQ(text.rfind("object Bar: TQMPanel", 0), 0u) << text;
    EXPECT_EQ(text.find("About"), String::npos) << "never stored";

    StyledForm g;
    g.panel->LoadFromFile(file);
    EXPECT_EQ(g.panel->BorderProps()->Border(), qmcbSoftRaised);
    EXPECT_EQ(g.panel->BorderProps()->Color(), clTeal);
    EXPECT_EQ(g.panel->BorderProps()->Width(), 3);
    EXPECT_EQ(g.panel->Bevel(), qmcbEtched);
    EXPECT_EQ(g.panel->BevelEdges(), (TQMBorderEdges{qmbeTop, qmbeBottom}));
    EXPECT_EQ(g.panel->BevelWidth(), 2);
    EXPECT_EQ(g.panel->Gradient(), qmgRightToLeft);
    EXPECT_EQ(g.panel->GradientEnd(), clMaroon);
    EXPECT_TRUE(g.panel->GradientUsesMid());
    EXPECT_TRUE(g.panel->ShowStatusbar());
    EXPECT_EQ(g.panel->StatusbarText(), "Port closed");
    EXPECT_EQ(g.panel->Indent(), 5);
    EXPECT_EQ(g.panel->Spacing(), 0);
    EXPECT_EQ(g.panel->PictureOrient(), qmpoTiled);
    EXPECT_FALSE(g.panel->PictureVisible());
    std::remove(file.c_str());
}

TEST(StyledControl, LoadingAMissingFileChangesNothing)
{
    StyledForm f;
    f.panel->SetSpacing(7);
    f.panel->LoadFromFile(tempName("no_such_styled_file.txt"));
    EXPECT_EQ(f.panel->Spacing(), 7);
}

TEST(StyledControl, LoadingABadFileRaisesAndKeepsTheSettings)
{
    const char* bad[] = {
        "object Bar: TQMPanel\n  Spacing = \n",               // cut short
        "object Bar: TNoSuchStyledClass\nend\n",              // unknown class
        "object Bar: TQMPanel\n  Bevel = qmcbWobbly\nend\n",  // unknown value
        "this is not a component\n",
    };
    for (const char* text : bad) {
        const String file = tempName("styled_bad.txt");
        std::ofstream(file) << text;
        StyledForm f;
        f.panel->SetSpacing(7);
        f.panel->SetBevel(qmcbFlat);
        EXPECT_ANY_THROW(f.panel->LoadFromFile(file)) << text;
        EXPECT_EQ(f.panel->Spacing(), 7) << text;
        EXPECT_EQ(f.panel->Bevel(), qmcbFlat) << text;
        std::remove(file.c_str());
    }
}

TEST(StyledControl, TextFormRoundTripMakesTheNamedClass)
{
    StyledForm f;
    f.panel->SetBevel(qmcbBumped);
    TQMPanel source(nullptr);
    source.SetName("QMPanel1");
    source.SetBevel(qmcbBumped);
    source.SetStatusbarColor(clYellow);
    source.SetParentColor(false);
    source.SetColor(cl3DDkShadow);
    source.SetCaption("Top");
    const String text = ControlToText(&source);
    EXPECT_NE(text.find("ParentColor = False"), String::npos) << text;
    EXPECT_NE(text.find("Color = cl3DDkShadow"), String::npos) << text;
    EXPECT_EQ(text.find("Spacing"), String::npos) << "defaults are not stored\n" << text;
    TOwnedPtr<TComponent> back = TextToControl(text);
    auto* panel = dynamic_cast<TQMPanel*>(back.get());
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Name(), "QMPanel1");
    EXPECT_EQ(panel->Bevel(), qmcbBumped);
    EXPECT_EQ(panel->StatusbarColor(), clYellow);
    EXPECT_FALSE(panel->ParentColor());
    EXPECT_EQ(panel->Color(), cl3DDkShadow);
    EXPECT_EQ(panel->Caption(), "Top");

    // A default panel keeps the parent's colour and stores neither colour setting.
    TQMPanel plain(nullptr);
    plain.SetName("Plain");
    const String plainText = ControlToText(&plain);
    EXPECT_EQ(plainText.find("Color"), String::npos) << plainText;
}

TEST(StyledControl, HitAreasOfTheFrame)
{
    StyledForm f;
    f.form->Show();
    f.panel->BorderProps()->SetBorder(qmcb3DRaised);
    f.panel->BorderProps()->SetWidth(3);
    f.panel->BorderProps()->SetInnerBorder(qmcbFlat);
    struct {
        int x, y, area;
    } cases[] = {
        {0, 0, qmhaFrame}, {1, 30, qmhaFrame}, {2, 30, qmhaBorderBand}, {4, 30, qmhaBorderBand},  {5, 30, qmhaFrame},
        {6, 30, qmhaNone}, {50, 30, qmhaNone}, {99, 59, qmhaFrame},     {96, 30, qmhaBorderBand}, {100, 30, qmhaNone},
    };
    for (auto& c : cases) EXPECT_EQ(f.panel->FrameHitAreaAt({c.x, c.y}), c.area) << c.x << "," << c.y;
}

TEST(StyledControl, HitTestAnswersBorderOnlyWhenTheAreaChanges)
{
    StyledForm f;
    f.form->Show();
    f.panel->BorderProps()->SetBorder(qmcbFlat);
    f.panel->BorderProps()->SetWidth(2);
    const intptr plain = f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 50, 30));
    EXPECT_EQ(f.panel->HitArea(), qmhaNone);
    EXPECT_EQ(f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 0, 30)), qmhtBorder);
    EXPECT_EQ(f.panel->HitArea(), qmhaFrame);
    const intptr again = f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 0, 31));
    EXPECT_EQ(f.panel->HitArea(), qmhaFrame);
    EXPECT_EQ(f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 1, 31)), qmhtBorder);
    EXPECT_EQ(f.panel->HitArea(), qmhaBorderBand);
    EXPECT_EQ(f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 50, 30)), qmhtBorder);
    EXPECT_EQ(f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, 51, 30)), plain);
    (void)again;
    EXPECT_EQ(std::count(f.panel->hooks.begin(), f.panel->hooks.end(), "area"), 3);
}

TEST(StyledControl, WithoutAFrameTheHitTestIsThePlatforms)
{
    StyledForm f;
    f.form->Show();
    for (TPoint p : {TPoint{0, 0}, TPoint{50, 30}, TPoint{99, 59}}) {
        f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, p.X, p.Y));
        EXPECT_EQ(f.panel->HitArea(), qmhaNone);
    }
    EXPECT_TRUE(f.panel->hooks.empty());
}

TEST(StyledControl, SizeGripAnswersTheBottomRightSizingCode)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetBounds(10, 10, 100, 100);
    f.panel->SetShowStatusbar(true);
    // Twice at each point: the first hit in a new area answers the border code.
    auto hit = [&](int x, int y) {
        f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, x, y));
        return f.panel->Perform(WM_NCHITTEST, 0, screenLParam(*f.panel, x, y));
    };
    EXPECT_EQ(hit(90, 90), qmhtBottomRight);
    EXPECT_EQ(f.panel->HitArea(), qmhaSizeGrip);
    EXPECT_EQ(hit(84, 84), qmhtBottomRight);
    const intptr bar = hit(40, 90);
    EXPECT_EQ(f.panel->HitArea(), qmhaStatusbar);
    EXPECT_NE(bar, qmhtBottomRight);
    f.panel->SetShowSizeGrip(false);
    EXPECT_NE(hit(90, 90), qmhtBottomRight);
    EXPECT_EQ(f.panel->HitArea(), qmhaStatusbar);
}
