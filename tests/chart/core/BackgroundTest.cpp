// Zoom and panning settings, the rubber band and the panel background.
#include <cstdlib>
#include <functional>
#include <vector>

#include "MainWindowLook.h"
#include "PanelFixture.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

class BackgroundTest : public PanelSuite {};

// Four coloured quarters with a white cross between them, so placement and scaling show.
TOwnedPtr<TBitmap> MakeQuarters(int width, int height)
{
    TOwnedPtr<TBitmap> b(new TBitmap(width, height, pf24bit));
    TCanvas& c = *b->Canvas();
    const TColor colors[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        c.Brush()->SetColor(colors[i]);
        const int x = (i % 2) * width / 2, y = (i / 2) * height / 2;
        c.FillRect({x, y, x + width / 2, y + height / 2});
    }
    c.Brush()->SetColor(clWhite);
    c.FillRect({width / 2 - 1, 0, width / 2 + 1, height});
    c.FillRect({0, height / 2 - 1, width, height / 2 + 1});
    return b;
}

TEST_F(BackgroundTest, ZoomAssignLeavesMinimumPixelsWheelAndUpLeftZooms)
{
    TZebZoom source, target;
    source.SetAllow(false);
    source.SetAnimated(true);
    source.SetAnimatedSteps(3);
    source.Brush()->SetColor(clRed);
    source.SetDirection(tzdVertical);
    source.SetFullRepaint(true);
    source.SetHistory(true);
    source.SetKeepAspectRatio(true);
    source.SetKeyShift(TShiftState{ssCtrl});
    source.SetMouseButton(mbMiddle);
    source.Pen()->SetWidth(5);
    source.SetMinimumPixels(40);
    source.SetMouseWheel(pmwInverted);
    source.SetUpLeftZooms(true);

    target.Assign(&source);
    EXPECT_FALSE(target.Allow());
    EXPECT_TRUE(target.Animated());
    EXPECT_EQ(target.AnimatedSteps(), 3);
    EXPECT_EQ(target.Brush()->Color(), clRed);
    EXPECT_EQ(target.Direction(), tzdVertical);
    EXPECT_TRUE(target.FullRepaint());
    EXPECT_TRUE(target.History());
    EXPECT_TRUE(target.KeepAspectRatio());
    EXPECT_EQ(target.KeyShift(), TShiftState{ssCtrl});
    EXPECT_EQ(target.MouseButton(), mbMiddle);
    EXPECT_EQ(target.Pen()->Width(), 5);
    EXPECT_EQ(target.MinimumPixels(), 16);
    EXPECT_EQ(target.MouseWheel(), pmwNone);
    EXPECT_FALSE(target.UpLeftZooms());
}

TEST_F(BackgroundTest, SwitchingHistoryOffEmptiesTheSnapshotList)
{
    TZebZoom zoom;
    zoom.SetHistory(true);
    zoom.GetHistoryList()->Add();
    zoom.GetHistoryList()->Add();
    zoom.SetHistory(false);
    EXPECT_EQ(zoom.GetHistoryList()->Count(), 0);
}

TEST_F(BackgroundTest, TheZoomPenAndBrushStartWithTheirDefaults)
{
    TZebZoom zoom;
    EXPECT_FALSE(zoom.HasPen());
    EXPECT_EQ(zoom.Pen()->Color(), clSilver);
    EXPECT_EQ(zoom.Pen()->Width(), 3);
    EXPECT_EQ(zoom.Pen()->EndStyle(), esFlat);
    EXPECT_FALSE(zoom.Pen()->IsEndStyleStored());
    EXPECT_EQ(zoom.Brush()->Color(), clWhite);
    EXPECT_EQ(zoom.Brush()->Style(), bsClear);
    zoom.SetPen(nullptr);
    EXPECT_FALSE(zoom.HasPen());
}

struct AspectCase {
    const char* name;
    TRect chart;
    int x0, y0, x, y;
    int x1, y1;
};

TEST_F(BackgroundTest, ApplyAspectRatioKeepsTheChartRectanglesShape)
{
    const AspectCase cases[] = {
        // ratio 2: a wide drag keeps its width, the height follows
        {"wider than the chart", {0, 0, 200, 100}, 10, 10, 110, 30, 110, 60},
        {"taller than the chart", {0, 0, 200, 100}, 10, 10, 30, 60, 110, 60},
        {"up and to the left", {0, 0, 200, 100}, 100, 100, 20, 90, 20, 60},
        {"a wide drag upwards follows the horizontal sign", {0, 0, 200, 100}, 100, 100, 180, 90, 180, 140},
        {"no vertical movement counts as ratio 1", {0, 0, 100, 100}, 10, 10, 50, 10, 50, 50},
        {"a chart without height counts as ratio 1", {0, 50, 100, 50}, 0, 0, 40, 10, 40, 40},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TZebZoom zoom;
        zoom.StartDrag(c.x0, c.y0);
        zoom.ApplyAspectRatio(c.chart, c.x, c.y);
        EXPECT_EQ(zoom.X1(), c.x1);
        EXPECT_EQ(zoom.Y1(), c.y1);
    }
}

TEST_F(BackgroundTest, OrderCornersSwapsEachAxisOnItsOwn)
{
    TZebZoom zoom;
    zoom.StartDrag(50, 10);
    zoom.SetX1(20), zoom.SetY1(40);
    zoom.OrderCorners();
    EXPECT_EQ((TRect{zoom.X0(), zoom.Y0(), zoom.X1(), zoom.Y1()}), (TRect{20, 10, 50, 40}));
}

std::vector<TColor> Pixels(TBitmap& bitmap)
{
    std::vector<TColor> out;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) out.push_back(bitmap.Canvas()->Pixels(x, y));
    return out;
}

TEST_F(BackgroundTest, TheRubberBandDrawnTwiceRestoresEveryPixel)
{
    for (bool withBrush : {false, true}) {
        SCOPED_TRACE(withBrush ? "with a zoom brush" : "pen only");
        TTestPanel panel(nullptr);
        MainWindowLook(panel);
        TBitmap window;
        testkit::RenderToBitmap(panel, window);
        TBitmap* buffer = panel.Canvas3D()->BufferBitmap();
        ASSERT_NE(buffer, nullptr);
        const std::vector<TColor> before = Pixels(*buffer);

        if (withBrush) panel.Zoom()->Brush()->SetStyle(bsSolid);
        panel.Zoom()->StartDrag(100, 80);
        panel.Zoom()->SetX1(400), panel.Zoom()->SetY1(300);
        panel.PaintZoomFrame();
        EXPECT_NE(Pixels(*buffer), before);
        // The window shows the band from the buffer without drawing the chart again.
        testkit::RenderToBitmap(panel, window);
        EXPECT_EQ(panel.Draws, 1);
        EXPECT_EQ(window.Canvas()->Pixels(100, 200), buffer->Canvas()->Pixels(100, 200));
        EXPECT_NE(window.Canvas()->Pixels(100, 200), before[200 * 697 + 100]);

        panel.RepaintZoomFrame();
        EXPECT_EQ(Pixels(*buffer), before);
        testkit::RenderToBitmap(panel, window);
        EXPECT_EQ(panel.Draws, 1);
        EXPECT_EQ(window.Canvas()->Pixels(100, 200), before[200 * 697 + 100]);
    }
}

TEST_F(BackgroundTest, WithFullRepaintTheRubberBandIsRemovedByRedrawing)
{
    TTestPanel panel(nullptr);
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    panel.Zoom()->SetFullRepaint(true);
    panel.Zoom()->StartDrag(10, 10);
    panel.RepaintZoomFrame();
    testkit::RenderToBitmap(panel, window);
    EXPECT_EQ(panel.Draws, 2);
}

TEST_F(BackgroundTest, TheMainWindowsEmptyPanel)
{
    TTestPanel panel(nullptr);
    MainWindowLook(panel);
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, "panel_main_window");
}

struct ImageModeCase {
    const char* name;
    std::function<void(TBackImage&)> setup;
};

TEST_F(BackgroundTest, BackImageModes)
{
    const auto picture = MakeQuarters(64, 48);
    const auto large = MakeQuarters(320, 240);
    const ImageModeCase cases[] = {
        {"stretch", [](TBackImage& b) { b.SetMode(pbmStretch); }},
        {"stretch_low", [](TBackImage& b) { b.SetMode(pbmStretch), b.SetDrawQuality(sqLow); }},
        {"tile", [](TBackImage& b) { b.SetMode(pbmTile); }},
        {"center", [](TBackImage& b) { b.SetMode(pbmCenter); }},
        {"custom_unscaled",
         [](TBackImage& b) {
             b.SetMode(pbmCustom), b.SetCustomBounds({20, 10, 0, 0});
         }},
        {"custom_stretched",
         [](TBackImage& b) {
             b.SetMode(pbmCustom), b.SetCustomBounds({20, 10, 100, 30});
         }},
        {"center_larger",
         [&large](TBackImage& b) {
             b.SetMode(pbmCenter);
             b.SetGraphic(large.get());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TTestPanel panel(nullptr);
        panel.SetBounds(0, 0, 200, 120);
        panel.SetColor(clGray);
        panel.BackImage()->SetGraphic(picture.get());
        c.setup(*panel.BackImage());
        TBitmap window;
        testkit::RenderToBitmap(panel, window);
        testsupport::ExpectMatchesGolden(window, GoldenDir, String("panel_back_image_") + c.name);
    }
}

TEST_F(BackgroundTest, ACentredImageLargerThanThePanelIsCentredAndClipped)
{
    const auto large = MakeQuarters(320, 240);
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 200, 120);
    panel.SetBevelOuter(bvNone);
    panel.BackImage()->SetGraphic(large.get());
    panel.SetBackImageMode(pbmCenter);
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    // The white cross of the picture lies on the panel's centre; its quarters reach the corners.
    EXPECT_EQ(window.Canvas()->Pixels(100, 30), clWhite);
    EXPECT_EQ(window.Canvas()->Pixels(30, 60), clWhite);
    EXPECT_EQ(window.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(window.Canvas()->Pixels(199, 119), clYellow);
}

TEST_F(BackgroundTest, AGradientLiesOverTheImageOnlyWhenAColourIsTransparent)
{
    const auto picture = MakeQuarters(64, 48);
    for (int transparency : {0, 50}) {
        SCOPED_TRACE(transparency);
        TTestPanel panel(nullptr);
        panel.SetBounds(0, 0, 200, 120);
        panel.SetBevelOuter(bvNone);
        panel.BackImage()->SetGraphic(picture.get());
        panel.BackImage()->SetDrawQuality(sqLow);
        TZebGradient& g = *panel.Gradient();
        g.SetStartColor(clBlack);
        g.SetEndColor(clBlack);
        g.Colors()->Items(0)->SetTransparency(static_cast<TZebTransparency>(transparency));
        g.Colors()->Items(1)->SetTransparency(static_cast<TZebTransparency>(transparency));
        g.SetVisible(true);
        TBitmap window;
        testkit::RenderToBitmap(panel, window);
        const TColor top = window.Canvas()->Pixels(20, 20);
        if (transparency == 0)
            EXPECT_EQ(top, clRed);  // the image covers the gradient
        else
            EXPECT_NE(top, clRed);  // the gradient is painted again over it
    }
}

TEST_F(BackgroundTest, ASmoothlyStretchedImageIsResampledOncePerSize)
{
    const auto picture = MakeQuarters(64, 48);
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 200, 120);
    panel.BackImage()->SetGraphic(picture.get());
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    panel.Invalidate();
    testkit::RenderToBitmap(panel, window);
    EXPECT_EQ(panel.Draws, 2);
    EXPECT_EQ(panel.BackImage()->ResampleCount(), 1);
    panel.SetBounds(0, 0, 220, 120);
    testkit::RenderToBitmap(panel, window);
    EXPECT_EQ(panel.BackImage()->ResampleCount(), 2);
    const auto other = MakeQuarters(32, 32);
    panel.BackImage()->SetGraphic(other.get());
    testkit::RenderToBitmap(panel, window);
    EXPECT_EQ(panel.BackImage()->ResampleCount(), 3);
}

TEST_F(BackgroundTest, ARoundedPanelDrawsItsShadowRoundedAndUnrotated)
{
    TTestPanel panel(nullptr);
    panel.SetBounds(0, 0, 200, 120);
    panel.SetBorderRound(10);
    panel.Shadow()->SetSize(6);
    panel.Shadow()->SetTransparency(0);
    auto* recording = new TRecordingCanvas(200, 120);
    panel.ReplaceCanvas(recording);
    panel.SetBufferedDisplay(false);
    panel.RenderTo(recording->Bitmap().Canvas(), panel.GetPanelRect());
    const auto calls = recording->Calls("RoundRect");
    ASSERT_FALSE(calls.empty());
    // The shadow: the panel's rectangle less 7 at the bottom right, moved by 6, corners of 10.
    EXPECT_EQ(calls.front().rfind("RoundRect(6,6,199,119,10,10)", 0), 0u) << recording->LogText();
}

}  // namespace
