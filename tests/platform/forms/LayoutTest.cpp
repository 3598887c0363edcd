// Alignment, anchors and form geometry.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/SizeConstraints.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Colors.h"

namespace {

struct LayoutFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TPanel* panel = nullptr;
    void SetUp() override
    {
        form->SetBounds(0, 0, 416, 339);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBevelOuter(bvNone);
        panel->SetBounds(0, 0, 200, 100);
    }
    TControl* Child(TAlign align, TRect bounds)
    {
        auto* c = new TBevel(form.get());
        c->SetParent(panel);
        c->SetBoundsRect(bounds);
        c->SetAlign(align);
        return c;
    }
};

TEST_F(LayoutFixture, AlignedControlsTakeTheirSideInTurn)
{
    TControl* top = Child(alTop, Bounds(5, 5, 10, 20));
    TControl* bottom = Child(alBottom, Bounds(5, 5, 10, 15));
    TControl* left = Child(alLeft, Bounds(5, 5, 30, 10));
    TControl* right = Child(alRight, Bounds(5, 5, 40, 10));
    TControl* client = Child(alClient, Bounds(5, 5, 1, 1));
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 200, 20));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 85, 200, 15));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 20, 30, 65));
    EXPECT_EQ(right->BoundsRect(), Bounds(160, 20, 40, 65));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 130, 65));

    panel->SetBounds(0, 0, 300, 200);  // the parent grows: every aligned child follows
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 20));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 185, 300, 15));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 230, 165));

    top->Hide();  // a hidden control gives its room up
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 0, 30, 185));
}

TEST_F(LayoutFixture, PanelBevelsAndBorderWidthShrinkTheAlignmentArea)
{
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(1);
    TControl* client = Child(alClient, Bounds(0, 0, 1, 1));
    EXPECT_EQ(client->BoundsRect(), Rect(5, 5, 195, 95));
}

TEST_F(LayoutFixture, StatusBarSitsAtTheBottomOfItsParent)
{
    auto* bar = new TStatusBar(form.get());
    bar->SetParent(form.get());
    EXPECT_EQ(bar->Align(), alBottom);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, form->ClientHeight() - 19, form->ClientWidth(), 19));
    bar->Panels()->Add()->SetWidth(300);
    bar->Panels()->Add()->SetWidth(50);
    EXPECT_EQ(bar->PanelRect(0).Right, 300);
    EXPECT_EQ(bar->PanelRect(1).Right, form->ClientWidth());  // the last panel reaches the edge
}

struct AnchorCase {
    const char* what;
    TAnchors anchors;
    TRect after;  // child at (20, 10, 40 x 30) in a 200 x 100 panel that becomes 260 x 130
};

// Names the case in test listings.
void PrintTo(const AnchorCase& c, std::ostream* os) { *os << c.what; }


const AnchorCase anchorCases[] = {
    {"left top", TAnchors{akLeft, akTop}, Bounds(20, 10, 40, 30)},
    {"right", TAnchors{akTop, akRight}, Bounds(80, 10, 40, 30)},
    {"left right stretches", TAnchors{akLeft, akTop, akRight}, Bounds(20, 10, 100, 30)},
    {"bottom", TAnchors{akLeft, akBottom}, Bounds(20, 40, 40, 30)},
    {"all four", TAnchors{akLeft, akTop, akRight, akBottom}, Bounds(20, 10, 100, 60)},
    {"none keeps the middle", TAnchors{}, Bounds(50, 25, 40, 30)},
};

class Anchors : public LayoutFixture, public ::testing::WithParamInterface<AnchorCase> {};

TEST_P(Anchors, KeepTheirDistancesWhenTheParentResizes)
{
    TControl* c = Child(alNone, Bounds(20, 10, 40, 30));
    c->SetAnchors(GetParam().anchors);
    panel->SetBounds(0, 0, 260, 130);
    EXPECT_EQ(c->BoundsRect(), GetParam().after) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Table, Anchors, ::testing::ValuesIn(anchorCases));

TEST(FormGeometry, ClientSizeIsTheOuterSizeLessTheFrame)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetClientWidth(929);
    form->SetClientHeight(717);
    EXPECT_EQ(form->Width(), 945);
    EXPECT_EQ(form->Height(), 756);
    form->SetBorderStyle(bsNone);
    EXPECT_EQ(form->ClientWidth(), 929);
    EXPECT_EQ(form->Width(), 929);
}

TEST(FormGeometry, ScreenCentredFormIsPlacedWhenFirstShown)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 200);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (Screen->Width() - 300) / 2);
    EXPECT_EQ(form->Top(), (Screen->Height() - 200) / 2);
}

// The window system sizes a shown form's window (the user at its border, maximizing): the form
// takes the new size where it stands, its anchored and aligned controls follow, OnResize runs, and
// its face colour covers all of the new area that no control takes.
TEST(FormGeometry, WindowSizedByTheWindowSystemSizesTheForm)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetClientWidth(300);
    form->SetClientHeight(200);
    auto colourPanel = [&](TColor colour) {
        auto* p = new TPanel(form.get());
        p->SetParent(form.get());
        p->SetBevelOuter(bvNone);
        p->SetColor(colour);
        return p;
    };
    TPanel* top = colourPanel(clNavy);
    top->SetBounds(0, 0, 300, 40);
    top->SetAnchors({akLeft, akTop, akRight});
    TPanel* bottom = colourPanel(clGreen);
    bottom->SetBounds(0, 180, 300, 20);
    bottom->SetAlign(alBottom);
    int resizes = 0;
    form->SetOnResize(TNotifyEvent([&](TObject*) { ++resizes; }));
    form->Show();
    const int left = form->Left(), top0 = form->Top();

    testkit::ResizeWindow(*form, 500, 350);
    EXPECT_EQ(form->ClientWidth(), 500);
    EXPECT_EQ(form->ClientHeight(), 350);
    EXPECT_EQ(form->Left(), left);
    EXPECT_EQ(form->Top(), top0);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 500, 40));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 330, 500, 350));

    TBitmap shot;
    testkit::RenderToBitmap(*form, shot);
    ASSERT_EQ(shot.Width(), 500);
    ASSERT_EQ(shot.Height(), 350);
    const auto face = static_cast<TColor>(ColorToRGB(clBtnFace));
    int wrong = 0;
    for (int y = 40; y < 330; ++y)
        for (int x = 0; x < 500; ++x)
            if (shot.Canvas()->Pixels(x, y) != face) ++wrong;
    EXPECT_EQ(wrong, 0) << "pixels between the panels that are not the face colour";
    EXPECT_EQ(shot.Canvas()->Pixels(499, 0), ColorToRGB(clNavy));
    EXPECT_EQ(shot.Canvas()->Pixels(499, 349), ColorToRGB(clGreen));
}

}  // namespace

namespace {

// Every change of the bounds keeps within the constraints; OnConstrainedResize may move the
// limits and OnCanResize change or refuse the proposed size.
TEST_F(LayoutFixture, SizeConstraintsAndResizeEvents)
{
    struct Case {
        const char* name;
        int minWidth, minHeight, maxWidth, maxHeight;
        int width, height;       // asked for
        int wantWidth, wantHeight;
    };
    const Case cases[] = {
        {"no limits", 0, 0, 0, 0, 300, 5, 300, 5},
        {"too small", 50, 40, 0, 0, 10, 10, 50, 40},
        {"too large", 0, 0, 120, 80, 300, 200, 120, 80},
        {"within", 50, 40, 120, 80, 60, 50, 60, 50},
    };
    TSizeConstraints& limits = *panel->Constraints();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel->SetBounds(0, 0, 100, 60);
        limits.SetMaxWidth(0), limits.SetMaxHeight(0), limits.SetMinWidth(0), limits.SetMinHeight(0);
        limits.SetMinWidth(c.minWidth);
        limits.SetMinHeight(c.minHeight);
        limits.SetMaxWidth(c.maxWidth);
        limits.SetMaxHeight(c.maxHeight);
        panel->SetBounds(3, 4, c.width, c.height);
        EXPECT_EQ(panel->BoundsRect(), Bounds(3, 4, c.wantWidth, c.wantHeight));
    }
    // New limits apply to the present size at once.
    panel->Constraints()->SetMaxWidth(0);
    panel->Constraints()->SetMinWidth(0);
    panel->SetWidth(200);
    panel->Constraints()->SetMaxWidth(150);
    EXPECT_EQ(panel->Width(), 150);
    // A maximum below the minimum pulls the minimum down.
    panel->Constraints()->SetMinWidth(100);
    panel->Constraints()->SetMaxWidth(90);
    EXPECT_EQ(panel->Constraints()->MinWidth(), 90);

    struct Handlers : TObject {
        int limitCalls = 0;
        void Limit(TObject*, int&, int&, int& maxWidth, int&)
        {
            ++limitCalls;
            maxWidth = 70;
        }
        void Refuse(TObject*, int&, int& newHeight, bool& resize) { resize = newHeight != 33; }
    } handlers;
    limits.SetMaxWidth(0), limits.SetMaxHeight(0), limits.SetMinWidth(0), limits.SetMinHeight(0);
    panel->SetHeight(60);
    panel->SetOnConstrainedResize(TConstrainedResizeEvent(&handlers, &Handlers::Limit));
    panel->SetWidth(100);
    EXPECT_EQ(panel->Width(), 70);
    EXPECT_GT(handlers.limitCalls, 0);
    panel->SetOnConstrainedResize({});
    panel->SetOnCanResize(TCanResizeEvent(&handlers, &Handlers::Refuse));
    panel->SetBounds(0, 0, 90, 33);
    EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 70, 60)) << "a refused size keeps the present one";
    panel->SetBounds(0, 0, 90, 34);
    EXPECT_EQ(panel->BoundsRect(), Bounds(0, 0, 90, 34));
}

// Releasing the right button asks for the context menu at the release point; the left does not.
TEST_F(LayoutFixture, ARightClickAsksForTheContextMenu)
{
    struct Handler : TObject {
        std::vector<TPoint> at;
        void Popup(TObject*, TPoint mousePos, bool& handled)
        {
            at.push_back(mousePos);
            handled = true;
        }
    } handler;
    panel->SetOnContextPopup(TContextPopupEvent(&handler, &Handler::Popup));
    testkit::MouseDown(*panel, mbLeft, 10, 12);
    testkit::MouseUp(*panel, mbLeft, 10, 12);
    EXPECT_TRUE(handler.at.empty());
    testkit::MouseDown(*panel, mbRight, 10, 12);
    testkit::MouseUp(*panel, mbRight, 20, 22);
    ASSERT_EQ(handler.at.size(), 1u);
    EXPECT_EQ(handler.at[0], (TPoint{20, 22}));
    EXPECT_EQ(panel->Perform(WM_CONTEXTMENU, 0, MakeLParam(5, 6)), 1) << "handled";
    EXPECT_EQ(handler.at.back(), (TPoint{5, 6}));
}

}  // namespace

namespace {

TEST_F(LayoutFixture, ScaleByScalesChildrenAndOwnSizeButNotOwnPlace)
{
    panel->SetBounds(10, 20, 200, 100);
    TControl* a = Child(alNone, Rect(0, 0, 33, 10));
    TControl* b = Child(alNone, Rect(33, 0, 66, 10));  // flush with a
    TControl* top = Child(alTop, Rect(0, 0, 0, 16));
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    label->Font()->SetHeight(-12);  // its own font grows; a and b keep their parent's
    panel->ScaleBy(3, 2);
    EXPECT_EQ(panel->BoundsRect(), Rect(10, 20, 310, 170));
    EXPECT_EQ(a->BoundsRect(), Rect(0, 0, 50, 15));
    EXPECT_EQ(b->Left(), a->Left() + a->Width());
    EXPECT_EQ(b->Width(), 49);  // 99 - 50: the right edge is scaled, not the width
    EXPECT_EQ(top->Height(), 24);
    EXPECT_EQ(top->Width(), 300);
    EXPECT_EQ(label->Font()->Height(), -18);
    EXPECT_TRUE(a->ParentFont());
    // The same scale both ways is nothing.
    panel->ScaleBy(2, 2);
    EXPECT_EQ(panel->BoundsRect(), Rect(10, 20, 310, 170));
}

TEST(FormGeometry, AFormRecordsTheDensityItsSizesAreFor)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    EXPECT_EQ(form->PixelsPerInch(), 96);
    form->SetPixelsPerInch(120);
    EXPECT_EQ(form->PixelsPerInch(), 120);
    form->SetPixelsPerInch(0);  // no density: the screen's
    EXPECT_EQ(form->PixelsPerInch(), 96);
}

}  // namespace
