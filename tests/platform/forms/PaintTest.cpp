// Painting: windowless controls on their parent's surface, z-order, frames around the client area.
#include <gtest/gtest.h>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Canvas.h"

namespace {

struct PaintFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TPanel* panel = nullptr;
    void SetUp() override
    {
        form->SetBounds(0, 0, 216, 139);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 200, 100);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clYellow);
    }
    TShape* Shape(int l, int t, int w, int h, TColor brush)
    {
        auto* s = new TShape(form.get());
        s->SetParent(panel);
        s->SetBounds(l, t, w, h);
        s->Brush()->SetColor(brush);
        s->Pen()->SetColor(clBlack);
        return s;
    }
};

TEST_F(PaintFixture, WindowlessControlLetsItsParentShowThrough)
{
    TShape* circle = Shape(10, 10, 25, 25, clRed);
    circle->SetShape(stCircle);
    circle->Pen()->SetColor(clWhite);
    circle->Pen()->SetWidth(2);
    EXPECT_EQ(testkit::PixelAt(*panel, 11, 11), clYellow);  // corner of the circle's box
    EXPECT_EQ(testkit::PixelAt(*panel, 22, 22), clRed);     // its middle
    EXPECT_EQ(testkit::PixelAt(*panel, 22, 10), clWhite);   // its pen at the top
    EXPECT_EQ(testkit::PixelAt(*circle, 12, 12), clRed);    // rendered on its own, in its coordinates
    testkit::RenderToPng(*panel, testing::TempDir() + "/circle.png");
}

TEST_F(PaintFixture, TransparentLabelShowsTheParentOpaqueOneItsColour)
{
    auto* label = new TLabel(form.get());
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(50, 50, 60, 20);
    label->SetCaption("");
    label->SetColor(clLime);
    EXPECT_EQ(testkit::PixelAt(*panel, 52, 52), clLime);
    label->SetTransparent(true);
    EXPECT_EQ(testkit::PixelAt(*panel, 52, 52), clYellow);
}

TEST_F(PaintFixture, LaterControlsPaintOverEarlierOnesUntilTheOrderChanges)
{
    TShape* below = Shape(10, 10, 40, 40, clRed);
    TShape* above = Shape(20, 20, 40, 40, clBlue);
    EXPECT_EQ(testkit::PixelAt(*panel, 30, 30), clBlue);
    above->SendToBack();
    EXPECT_EQ(testkit::PixelAt(*panel, 30, 30), clRed);
    above->BringToFront();
    EXPECT_EQ(testkit::PixelAt(*panel, 30, 30), clBlue);
    above->Hide();
    EXPECT_EQ(testkit::PixelAt(*panel, 30, 30), clRed);
    below->Hide();
    EXPECT_EQ(testkit::PixelAt(*panel, 30, 30), clYellow);
}

TEST_F(PaintFixture, MouseGoesToTheTopmostWindowlessControlUnderIt)
{
    TShape* below = Shape(10, 10, 40, 40, clRed);
    TShape* above = Shape(20, 20, 40, 40, clBlue);
    std::vector<String> hits;
    below->SetOnClick([&](TObject*) { hits.push_back("below"); });
    above->SetOnClick([&](TObject*) { hits.push_back("above"); });
    panel->SetOnClick([&](TObject*) { hits.push_back("panel"); });
    std::vector<std::pair<int, int>> downAt;
    above->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int x, int y) { downAt.emplace_back(x, y); });
    testkit::Click(*panel, 15, 15);
    testkit::Click(*panel, 30, 30);
    testkit::Click(*panel, 90, 90);
    above->SetEnabled(false);
    testkit::Click(*panel, 30, 30);
    EXPECT_EQ(hits, (std::vector<String>{"below", "above", "panel", "below"}));
    ASSERT_EQ(downAt.size(), 1u);
    EXPECT_EQ(downAt[0], std::make_pair(10, 10));  // in the shape's own coordinates
}

TEST_F(PaintFixture, PointerEnteringAWindowlessChildLeavesTheParent)
{
    TShape* s = Shape(10, 10, 40, 40, clRed);
    std::vector<String> seen;
    s->SetOnMouseEnter([&](TObject*) { seen.push_back("enter shape"); });
    s->SetOnMouseLeave([&](TObject*) { seen.push_back("leave shape"); });
    panel->SetOnMouseEnter([&](TObject*) { seen.push_back("enter panel"); });
    panel->SetOnMouseLeave([&](TObject*) { seen.push_back("leave panel"); });
    testkit::MouseEnter(*panel);  // at the panel's middle, away from the shape
    testkit::MouseMove(*panel, 20, 20);
    testkit::MouseMove(*panel, 25, 25);
    testkit::MouseMove(*panel, 150, 80);
    testkit::MouseLeave(*panel);
    EXPECT_EQ(seen, (std::vector<String>{"enter panel", "leave panel", "enter shape", "leave shape", "enter panel",
                                         "leave panel"}));
}

// A control with a 3-pixel frame around its client area.
class Framed : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TMessage> frameMessages;
    std::vector<std::pair<int, int>> clientDowns;
    TRect GetClientMargins() const override { return Rect(3, 4, 3, 4); }
    void WndProc(TMessage& m) override
    {
        if (m.Msg >= WM_NCMOUSEMOVE && m.Msg <= WM_NCMBUTTONDBLCLK) frameMessages.push_back(m);
        if (m.Msg == WM_LBUTTONDOWN) clientDowns.emplace_back(LParamX(m.LParam), LParamY(m.LParam));
        TCustomControl::WndProc(m);
    }

protected:
    void PaintNonClient(TCanvas& c) override
    {
        c.Brush()->SetColor(clRed);
        c.FillRect(Rect(0, 0, Width(), Height()));
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(ClientRect());
    }
};

TEST_F(PaintFixture, FrameAroundTheClientAreaIsPaintedHitAndRouted)
{
    auto* f = new Framed(form.get());
    f->SetParent(panel);
    f->SetBounds(20, 20, 60, 40);
    EXPECT_EQ(f->ClientRect(), Rect(0, 0, 54, 32));
    TPoint origin = f->ClientOrigin();
    TPoint panelOrigin = panel->ClientOrigin();
    EXPECT_EQ(origin.X - panelOrigin.X, 23);
    EXPECT_EQ(origin.Y - panelOrigin.Y, 24);

    EXPECT_EQ(testkit::PixelAt(*panel, 21, 21), clRed);   // frame
    EXPECT_EQ(testkit::PixelAt(*panel, 24, 25), clBlue);  // client (0, 0) is at the frame's inside
    EXPECT_EQ(testkit::PixelAt(*f, 0, 0), clBlue);        // client coordinates

    TPoint inFrame = f->ClientToScreen(Point(-2, 5));
    TPoint inClient = f->ClientToScreen(Point(5, 5));
    EXPECT_EQ(f->Perform(WM_NCHITTEST, 0, MakeLParam(inFrame.X, inFrame.Y)), HTBORDER);
    EXPECT_EQ(f->Perform(WM_NCHITTEST, 0, MakeLParam(inClient.X, inClient.Y)), HTCLIENT);

    testkit::MouseDown(*f, mbLeft, -2, 5);
    testkit::MouseUp(*f, mbLeft, -2, 5);
    testkit::MouseDown(*f, mbLeft, 5, 6);
    ASSERT_GE(f->frameMessages.size(), 2u);
    EXPECT_EQ(f->frameMessages[0].Msg, WM_NCLBUTTONDOWN);
    EXPECT_EQ(f->frameMessages[0].WParam, HTBORDER);
    EXPECT_EQ(LParamX(f->frameMessages[0].LParam), inFrame.X);
    EXPECT_EQ(f->frameMessages[1].Msg, WM_NCLBUTTONUP);
    ASSERT_EQ(f->clientDowns.size(), 1u);
    EXPECT_EQ(f->clientDowns[0], std::make_pair(5, 6));
    testkit::MouseUp(*f, mbLeft, 5, 6);
}

TEST_F(PaintFixture, DrawingOutsidePaintIsHarmlessAndBringsARepaint)
{
    struct Counting : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        int paints = 0;
        void Paint() override
        {
            ++paints;
            Canvas()->Brush()->SetColor(clLime);
            Canvas()->FillRect(ClientRect());
        }
    };
    form->Show();
    auto* c = new Counting(form.get());
    c->SetParent(panel);
    c->SetBounds(5, 5, 20, 20);
    testkit::Pump();
    int before = c->paints;
    EXPECT_NO_THROW(c->Canvas()->FillRect(Rect(0, 0, 5, 5)));
    testkit::Pump(20);
    EXPECT_GT(c->paints, before);
    EXPECT_EQ(testkit::PixelAt(*panel, 6, 6), clLime);
}

TEST_F(PaintFixture, ALampToggleRepaintsNoNeighbour)
{
    struct Counting : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        int paints = 0;
        void Paint() override { ++paints; }
    };
    form->Show();
    TShape* lamp = Shape(10, 10, 25, 25, clGreen);
    auto* neighbour = new Counting(form.get());
    neighbour->SetParent(panel);
    neighbour->SetBounds(60, 10, 60, 40);
    testkit::Pump();
    const int before = neighbour->paints;
    lamp->Brush()->SetColor(clLime);
    testkit::Pump(20);
    EXPECT_EQ(neighbour->paints, before);
    EXPECT_EQ(testkit::PixelAt(*panel, 22, 22), clLime);
}

TEST_F(PaintFixture, BorderWidthIsAFrameOfTheParentsColourAndChildrenSitInside)
{
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    inner->SetBevelOuter(bvNone);
    inner->SetBounds(0, 0, 100, 60);
    auto* group = new TGroupBox(form.get());
    group->SetParent(panel);
    group->SetBounds(110, 0, 80, 60);
    group->SetBorderWidth(5);
    EXPECT_EQ(group->ClientRect(), Rect(0, 0, 70, 50));
    auto* child = new TShape(form.get());
    child->SetParent(group);
    child->SetBounds(0, 0, 10, 10);
    child->Brush()->SetColor(clFuchsia);
    EXPECT_EQ(testkit::PixelAt(*panel, 116, 6), clFuchsia);
}

}  // namespace
