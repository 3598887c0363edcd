// The chart panel: chart rectangle, repaints, the guarded pass, the canvas class.
#include <functional>
#include <string>

#include "PanelFixture.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/ChartEvents.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Published.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/FormSupport.h"

namespace {

class PanelTest : public PanelSuite {};

// A pass onto a bitmap of the panel's size: lays out the chart rectangle.
void RenderOnce(TCustomZebPanel& panel, const TRect& rect)
{
    TBitmap target(rect.Right, rect.Bottom, pf32bit);
    panel.RenderTo(target.Canvas(), rect);
}

struct ChartRectCase {
    const char* name;
    std::function<void(TTestPanel&)> setup;
    TRect expected;
};

TEST_F(PanelTest, ChartRectangleLiesInsideMarginsFrameAndShadow)
{
    const ChartRectCase cases[] = {
        {"default margins in percent", [](TTestPanel&) {}, {12, 10, 388, 240}},
        {"pixels",
         [](TTestPanel& p) {
             p.SetMarginUnits(muPixels);
             p.SetMarginLeft(10), p.SetMarginTop(20), p.SetMarginRight(30), p.SetMarginBottom(40);
         },
         {10, 20, 370, 210}},
        {"outer and inner bevel of 2 and a border width of 3",
         [](TTestPanel& p) {
             p.SetBevelOuter(bvRaised), p.SetBevelInner(bvLowered), p.SetBevelWidth(2), p.SetBorderWidth(3);
         },
         {12 + 7, 10 + 7, 388 - 7, 240 - 7}},
        {"a visible border pen of 4",
         [](TTestPanel& p) {
             p.Border()->SetVisible(true);
             p.Border()->SetWidth(4);
         },
         {16, 14, 384, 236}},
        {"shadow towards the bottom right",
         [](TTestPanel& p) {
             p.Shadow()->SetHorizSize(5);
             p.Shadow()->SetVertSize(6);
         },
         {12, 10, 383, 234}},
        {"shadow towards the top left",
         [](TTestPanel& p) {
             p.Shadow()->SetHorizSize(-5);
             p.Shadow()->SetVertSize(-6);
         },
         {17, 16, 388, 240}},
        {"a hidden shadow takes no room",
         [](TTestPanel& p) {
             p.Shadow()->SetHorizSize(5);
             p.Shadow()->SetVisible(false);
         },
         {12, 10, 388, 240}},
        {"emboss towards the bottom right",
         [](TTestPanel& p) {
             p.Emboss()->SetVisible(true);
             p.Emboss()->SetHorizSize(2);
             p.Emboss()->SetVertSize(3);
         },
         {14, 13, 388, 240}},
        {"margins larger than the panel: one pixel, never inverted",
         [](TTestPanel& p) {
             p.SetMarginUnits(muPixels);
             p.SetMarginLeft(300), p.SetMarginRight(300), p.SetMarginTop(200), p.SetMarginBottom(200);
         },
         {300, 200, 301, 201}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTestPanel panel(nullptr);
        panel.SetBevelOuter(bvNone);
        c.setup(panel);
        RenderOnce(panel, panel.GetPanelRect());
        EXPECT_EQ(panel.PanelBounds(), (TRect{0, 0, 400, 250}));
        EXPECT_EQ(panel.ChartRect(), c.expected);
        EXPECT_EQ(panel.ChartWidth(), c.expected.Width());
        EXPECT_EQ(panel.ChartXCenter(), (c.expected.Left + c.expected.Right) / 2);
    }
}

TEST_F(PanelTest, AnEmptyChartExtentStaysInsideBoundsThatDoNotStartAtZero)
{
    TTestPanel panel(nullptr);
    panel.SetBevelOuter(bvNone);
    panel.SetBufferedDisplay(false);  // drawn where it is printed: bounds start at 100, 100
    panel.SetMarginUnits(muPixels);
    panel.SetMarginLeft(50), panel.SetMarginRight(350);
    panel.SetMarginTop(30), panel.SetMarginBottom(220);
    RenderOnce(panel, {100, 100, 500, 350});
    EXPECT_EQ(panel.PanelBounds(), (TRect{100, 100, 500, 350}));
    EXPECT_EQ(panel.ChartRect(), (TRect{150, 130, 500, 350}));
}

struct SetterCase {
    const char* name;
    std::function<void(TTestPanel&)> same;
    std::function<void(TTestPanel&)> changed;
    const char* canvasClass = "TZebCanvas3D";
};

TEST_F(PanelTest, OnlyAnEffectiveChangeWithAutoRepaintOnMakesTheBufferStale)
{
    const SetterCase cases[] = {
        {"margin", [](TTestPanel& p) { p.SetMarginLeft(3); }, [](TTestPanel& p) { p.SetMarginLeft(5); }},
        {"margin units", [](TTestPanel& p) { p.SetMarginUnits(muPercent); },
         [](TTestPanel& p) { p.SetMarginUnits(muPixels); }},
        {"view 3-D", [](TTestPanel& p) { p.SetView3D(true); }, [](TTestPanel& p) { p.SetView3D(false); }},
        {"rounded border", [](TTestPanel& p) { p.SetBorderRound(0); }, [](TTestPanel& p) { p.SetBorderRound(8); }},
        {"border pen", [](TTestPanel& p) { p.Border()->SetWidth(1); }, [](TTestPanel& p) { p.Border()->SetWidth(2); }},
        {"shadow", [](TTestPanel& p) { p.Shadow()->SetHorizSize(0); },
         [](TTestPanel& p) { p.Shadow()->SetHorizSize(4); }},
        {"gradient", [](TTestPanel& p) { p.Gradient()->SetVisible(false); },
         [](TTestPanel& p) { p.Gradient()->SetVisible(true); }},
        {"3-D view rotation", [](TTestPanel& p) { p.View3DOptions()->SetRotation(345); },
         [](TTestPanel& p) { p.View3DOptions()->SetRotation(300); }},
        {"3-D view zoom", [](TTestPanel& p) { p.View3DOptions()->SetZoom(100); },
         [](TTestPanel& p) { p.View3DOptions()->SetZoom(150); }},
        {"canvas antialiasing",
         [](TTestPanel& p) { dynamic_cast<TGDIPlusCanvas&>(*p.Canvas3D()).SetAntiAlias(true); },
         [](TTestPanel& p) { dynamic_cast<TGDIPlusCanvas&>(*p.Canvas3D()).SetAntiAlias(false); }, "TGDIPlusCanvas"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTestPanel panel(nullptr);
        panel.SetCanvasClassName(c.canvasClass);
        auto& gdi = dynamic_cast<TZebCanvas3D&>(*panel.Canvas3D());
        TBitmap shot;
        testkit::RenderToBitmap(panel, shot);
        ASSERT_FALSE(gdi.BufferStale());
        c.same(panel);
        EXPECT_FALSE(gdi.BufferStale()) << "the current value";
        panel.SetAutoRepaint(false);
        c.changed(panel);
        EXPECT_FALSE(gdi.BufferStale()) << "auto-repaint off";
        panel.SetAutoRepaint(true);
        testkit::RenderToBitmap(panel, shot);
        ASSERT_FALSE(gdi.BufferStale());
        c.same(panel);  // now back to the first value
        EXPECT_TRUE(gdi.BufferStale()) << "a change";
    }
}

TEST_F(PanelTest, ARepaintWithAValidBufferDrawsNothing)
{
    TTestPanel panel(nullptr);
    panel.SetColor(clTeal);
    TBitmap first, second;
    testkit::RenderToBitmap(panel, first);
    EXPECT_EQ(panel.Draws, 1);
    testkit::RenderToBitmap(panel, second);
    EXPECT_EQ(panel.Draws, 1);
    EXPECT_EQ(second.Canvas()->Pixels(200, 125), first.Canvas()->Pixels(200, 125));
    panel.Invalidate();
    testkit::RenderToBitmap(panel, second);
    EXPECT_EQ(panel.Draws, 2);
}

TEST_F(PanelTest, ADrawFailureAtRunTimeReachesTheCaller)
{
    TTestPanel panel(nullptr);
    panel.Content = [](TTestPanel&, const TRect&) { throw Exception("broken series"); };
    TBitmap target(400, 250, pf32bit);
    EXPECT_THROW(panel.RenderTo(target.Canvas(), panel.GetPanelRect()), Exception);
    EXPECT_THROW(panel.RenderTo(target.Canvas(), panel.GetPanelRect()), Exception);
    EXPECT_FALSE(panel.ReportShown());
}

// A canvas that reports its drawing library missing.
class TMissingCanvas : public TZebCanvas3D {
    TV_CLASS(TMissingCanvas, TZebCanvas3D)
public:
    bool IsAvailable() const override { return false; }
};

}  // namespace

TV_PUBLISHED(TMissingCanvas) {}

namespace {

struct CanvasClassCase {
    const char* name;
    const char* stored;
    const char* expected;
};

TEST_F(PanelTest, AStoredCanvasClassThatCannotDrawLoadsTheGdiCanvas)
{
    RegisterCanvasClass(TMissingCanvas::StaticClass());
    RegisterClass(TTestPanel::StaticClass());
    const CanvasClassCase cases[] = {
        {"not registered", "TNoSuchCanvas", "TZebCanvas3D"},
        {"registered but unavailable", "TMissingCanvas", "TZebCanvas3D"},
        {"the GDI canvas", "TZebCanvas3D", "TZebCanvas3D"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto form = testsupport::LoadForm<TForm>(std::string("object Form1: TForm\n"
                                                             "  object Chart1: TTestPanel\n"
                                                             "    DefaultCanvas = '") +
                                                 c.stored +
                                                 "'\n"
                                                 "  end\n"
                                                 "end\n");
        auto& panel = testsupport::Find<TTestPanel>(*form, "Chart1");
        EXPECT_EQ(panel.Canvas3D()->ClassName(), c.expected);
    }
    UnregisterCanvasClass(TMissingCanvas::StaticClass());
}

TEST_F(PanelTest, TheCanvasClassIsSearchedByExactName)
{
    RegisterCanvasClass(TMissingCanvas::StaticClass());
    TTestPanel panel(nullptr);
    panel.SetCanvasClassName("tmissingcanvas");
    EXPECT_EQ(panel.Canvas3D()->ClassName(), "TZebCanvas3D");
    panel.SetCanvasClassName("TMissingCanvas");
    EXPECT_EQ(panel.Canvas3D()->ClassName(), "TMissingCanvas");
    TCanvas3D* kept = panel.Canvas3D();
    panel.ApplyCanvasClass();
    EXPECT_EQ(panel.Canvas3D(), kept);
    UnregisterCanvasClass(TMissingCanvas::StaticClass());
}

}  // namespace

namespace {

// Records what reaches it; may consume mouse-downs.
class Listener : public IChartEventListener {
public:
    Listener(std::vector<std::string>& log, std::string name, TCustomZebPanel* consumeOn = nullptr)
        : log_(log), name_(std::move(name)), consumeOn_(consumeOn)
    {
    }
    void HandleChartEvent(TZebEvent& event) override
    {
        std::string kind = "other";
        if (auto* m = dynamic_cast<TZebMouseEvent*>(&event)) {
            kind = m->Kind == meDown ? "down" : m->Kind == meUp ? "up" : "move";
            if (consumeOn_ && m->Kind == meDown) consumeOn_->SetMouseHandled(true);
        } else if (dynamic_cast<TZebView3DEvent*>(&event)) {
            kind = "3d";
        }
        log_.push_back(name_ + ":" + kind);
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
    TCustomZebPanel* consumeOn_;
};

TEST_F(PanelTest, AConsumedMouseDownStopsLaterListenersButTheMouseUpArrives)
{
    TTestPanel panel(nullptr);
    std::vector<std::string> log;
    Listener first(log, "first", &panel), second(log, "second");
    panel.AddListener(&first);
    panel.AddListener(&second);
    panel.AddListener(&first);  // listed once
    testkit::MouseDown(panel, mbLeft, 20, 20);
    testkit::MouseUp(panel, mbLeft, 20, 20);
    panel.SetView3D(false);
    EXPECT_EQ(log, (std::vector<std::string>{"first:down", "first:up", "second:up", "first:3d", "second:3d"}));
    panel.RemoveListener(&first);
    panel.RemoveListener(&second);
}

TEST_F(PanelTest, AHandlerThatConsumesTheMouseDownKeepsItFromEveryListener)
{
    TTestPanel panel(nullptr);
    std::vector<std::string> log;
    Listener only(log, "only");
    panel.AddListener(&only);
    panel.SetOnMouseDown(
        TMouseEvent([&panel](TObject*, TMouseButton, TShiftState, int, int) { panel.SetMouseHandled(true); }));
    testkit::MouseDown(panel, mbLeft, 20, 20);
    testkit::MouseUp(panel, mbLeft, 20, 20);
    EXPECT_EQ(log, (std::vector<std::string>{"only:up"}));
    panel.RemoveListener(&only);
}

TEST_F(PanelTest, ADesignTimeDrawFailureIsReportedOnceAndAlwaysRaised)
{
    TTestPanel panel(nullptr);
    panel.SetDesigning(true);
    panel.Content = [](TTestPanel&, const TRect&) { throw Exception("broken series"); };
    TBitmap target(400, 250, pf32bit);
    EXPECT_THROW(panel.RenderTo(target.Canvas(), panel.GetPanelRect()), Exception);
    EXPECT_TRUE(panel.ReportShown());
    EXPECT_THROW(panel.RenderTo(target.Canvas(), panel.GetPanelRect()), Exception);
}

}  // namespace

namespace {

TEST_F(PanelTest, TheCursorInClientCoordinates)
{
    TTestPanel panel(nullptr);
    panel.SetBounds(30, 40, 200, 100);
    for (TPoint screen : {TPoint{100, 80}, TPoint{107, 85}}) {
        Screen->SetCursorPos(screen);
        const TPoint client = panel.GetCursorClientPos();
        EXPECT_EQ(panel.ClientToScreen(client), screen);
    }
    Screen->SetCursorPos({100, 80});
    const TPoint a = panel.GetCursorClientPos();
    Screen->SetCursorPos({107, 85});
    const TPoint b = panel.GetCursorClientPos();
    EXPECT_EQ(b.X - a.X, 7);
    EXPECT_EQ(b.Y - a.Y, 5);
}

TEST_F(PanelTest, ARescaleZoomsTheTextsByTheSameFactor)
{
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 400, 250);
    panel.ChangeScale(120, 96);
    EXPECT_EQ(panel.Width(), 500);
    EXPECT_EQ(panel.View3DOptions()->FontZoom(), 125);
    panel.ChangeScale(96, 96);  // no rescale: the zoom stays
    panel.ChangeScale(96, 120);
    EXPECT_EQ(panel.View3DOptions()->FontZoom(), 100);
}

TEST_F(PanelTest, ScreenSizeAndDeviceAspect)
{
    int width = 0, height = 0;
    ScreenSizeInPixels(width, height);
    EXPECT_EQ(width, Screen->Width());
    EXPECT_EQ(height, Screen->Height());
    const struct {
        int width, height;
        double aspect;
    } cases[] = {{960, 480, 2.0}, {480, 480, 1.0}, {480, 960, 0.5}, {50, 0, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        TBitmap bitmap(c.width, c.height, pf24bit);
        EXPECT_NEAR(CanvasDeviceAspect(*bitmap.Canvas()), c.aspect, 0.01);
    }
}

}  // namespace
