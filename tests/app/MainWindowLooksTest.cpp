// The main window's meters and buttons as its stored description makes them, checked by pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/forms/ComCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/forms/TestKit.h"
#include "widgets/meters/ColBitBtn.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/meters/FlashTimer.h"
#include "tests/app/ViewerFixture.h"

namespace {

bool dark(TColor c)
{
    const auto v = static_cast<std::uint32_t>(c);
    return (v & 0xFF) < 0x80 && (v >> 8 & 0xFF) < 0x80 && (v >> 16 & 0xFF) < 0x80;
}

class MainWindowLooks : public ViewerTest {
protected:
    // The meter's pixel at `fraction` of the way from the needle's pivot to its tip.
    static TColor needlePixel(TVnDB180Meter& meter, double fraction)
    {
        const TNeedleShape& n = meter.DrawnNeedle();
        const TPoint c = n.Centre();
        const TPoint tip = n.Points[3];  // shape 0: the tip is the last polygon point
        const TRect& r = meter.NeedleRect();
        const int x = r.Left + c.X + static_cast<int>(std::lround((tip.X - c.X) * fraction));
        const int y = r.Top + c.Y + static_cast<int>(std::lround((tip.Y - c.Y) * fraction));
        return testkit::PixelAt(meter, x, y);
    }
    // The needle is whole: from near its pivot to near its tip it shows `colour`.
    static void expectNeedle(TVnDB180Meter& meter, TColor colour)
    {
        for (double fraction : {0.15, 0.5, 0.8}) EXPECT_EQ(needlePixel(meter, fraction), colour) << fraction;
    }
};

TEST_F(MainWindowLooks, MetersShowTheWholeNeedleOverThePicture)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(w.meterXValue->Options(), (TRMeterOptions{opOverflow, opLimit, opSector, opUnit}));
    EXPECT_EQ(w.meterXValue->ScaleSettings()->Labels(), "-90;-75;-60;-45;-30;-15;0;15;30;45;60;75;90;");
    const struct {
        const char* line;
        float x, y;
    } cases[] = {{"-90 90", -90, 90}, {"0 0", 0, 0}, {"90 -90", 90, -90}, {"-45 45", -45, 45}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        w.ProcessLine(c.line);
        testkit::Pump();
        ASSERT_EQ(w.meterXValue->Value(), c.x);
        ASSERT_EQ(w.meterYValue->Value(), c.y);
        for (TVnDB180Meter* meter : {w.meterXValue, w.meterYValue}) {
            SCOPED_TRACE(meter->Name());
            expectNeedle(*meter, 0x00FF00);
            EXPECT_FALSE(meter->Blinking());
            // No bevel box: the dark picture behind shows at the meter's corner.
            EXPECT_TRUE(dark(testkit::PixelAt(*meter, 3, 3)));
        }
    }
    ASSERT_TRUE(testkit::RenderToPng(w, (root_ / "meters.png").string()));
}

TEST_F(MainWindowLooks, ReadingBeyondTheScaleBlinksTheNeedleAtItsEnd)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    // A tare of -30 and a tilt of +70 give 100.
    w.ProcessLine("-30 0");
    Get<TCheckBox>("CheckBox1").SetChecked(true);
    w.ProcessLine("70 0");
    testkit::Pump();
    TVnDB180Meter& meter = *w.meterXValue;
    ASSERT_FLOAT_EQ(meter.Value(), 100);
    ASSERT_TRUE(meter.Blinking());
    EXPECT_FALSE(w.meterYValue->Blinking());
    meter.Perform(WM_FLASH, 0, 1);
    testkit::Pump();
    expectNeedle(meter, 0x0000FF);
    const TPoint onState = meter.DrawnNeedle().Points[3];
    meter.Perform(WM_FLASH, 0, 0);
    testkit::Pump();
    expectNeedle(meter, 0x00FFFF);
    EXPECT_EQ(meter.DrawnNeedle().Points[3], onState);  // pinned to the end of the scale, at 3 o'clock
    EXPECT_GT(onState.X, meter.DrawnNeedle().Centre().X);
    EXPECT_EQ(onState.Y, meter.DrawnNeedle().Centre().Y);

    w.ProcessLine("0 0");  // back inside: 30
    testkit::Pump();
    EXPECT_FALSE(meter.Blinking());
    expectNeedle(meter, 0x00FF00);
}

}  // namespace

namespace {

// Each channel of c lies between those of a and b.
bool between(TColor c, TColor a, TColor b)
{
    for (int shift : {0, 8, 16}) {
        const auto v = static_cast<std::uint32_t>(c) >> shift & 0xFF;
        const auto x = static_cast<std::uint32_t>(a) >> shift & 0xFF;
        const auto y = static_cast<std::uint32_t>(b) >> shift & 0xFF;
        if (v < std::min(x, y) || v > std::max(x, y)) return false;
    }
    return true;
}

// Enlarged by the window system (its border is sizeable), the window shows its face colour over
// all of the new area but for the top bar, anchored to both sides, and the status bar, at the
// bottom; its title bar offers no maximize button (its border icons are the system menu only).
TEST_F(MainWindowLooks, EnlargedWindowShowsItsFaceInTheNewArea)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(testkit::WindowButtons(w), TBorderIcons{biSystemMenu});
    testkit::ResizeWindow(w, 929 + 200, 717 + 150);
    ASSERT_EQ(w.ClientWidth(), 1129);
    ASSERT_EQ(w.ClientHeight(), 867);
    const TControl& bar = testkit::FindControl(w, "QMPanel1");
    EXPECT_EQ(bar.BoundsRect(), Rect(-2, 0, 1129, 65));
    EXPECT_EQ(w.StatusBar1->BoundsRect(), Rect(0, 848, 1129, 867));
    TBitmap shot;
    testkit::RenderToBitmap(w, shot);
    ASSERT_TRUE(testkit::RenderToPng(w, (std::filesystem::current_path() / "viewer-enlarged.png").string()));
    const auto face = static_cast<TColor>(ColorToRGB(clBtnFace));
    int wrong = 0;
    for (int y = 65; y < 848; ++y)
        for (int x = y < 717 ? 929 : 0; x < 1129; ++x) wrong += shot.Canvas()->Pixels(x, y) != face;
    EXPECT_EQ(wrong, 0) << "pixels of the new area that are not the face colour";
}

TEST_F(MainWindowLooks, ButtonsShowTheirFaceColourAndGlyph)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    const struct {
        const char* name;
        TColor face;
    } cases[] = {{"btConnect", clNavy}, {"btACStart", clGreen}, {"btACStop", clMaroon}, {"btClose", clGray}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& button = Get<TVnColBitBtn>(c.name);
        EXPECT_EQ(button.ColorOff(), c.face);
        // The face is a gradient in the face colour, dark enough under the white caption.
        const TColor faceFrom = button.GradBtnFace()->ColorFrom();
        const TColor left = testkit::PixelAt(button, button.ButtonBevel()->Width() + 1, button.Height() / 2);
        EXPECT_TRUE(between(left, faceFrom, ColorToRGB(c.face))) << std::hex << left;
        EXPECT_EQ(button.GradBtnFace()->ColorTo(), c.face);
        EXPECT_TRUE(between(faceFrom, ColorToRGB(c.face), clWhite));
        EXPECT_EQ(button.TextColOff(), clWhite);
        // The glyph is drawn, its key colour (the bottom-left pixel) left out.
        ASSERT_EQ(button.Glyph()->Width(), 16);
        const TColor key = button.Glyph()->TransparentColor();
        TBitmap shot;
        testkit::RenderToBitmap(button, shot);
        int outline = 0, keyed = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) {
                const TColor p = shot.Canvas()->Pixels(x, y);
                outline += p == TColor(0x303030);
                keyed += p == key;
            }
        EXPECT_GT(outline, 20);
        EXPECT_EQ(keyed, 0);
    }
    ASSERT_TRUE(testkit::RenderToPng(w, (root_ / "buttons.png").string()));
}

// The window repaints only what a frame changed; forcing every control to repaint each frame must
// show the same pictures, frame for frame. Readings that keep the readouts' text or the needles'
// pixels come between ones that move them.
TEST_F(MainWindowLooks, RepaintingOnlyWhatChangedShowsTheSameFrames)
{
    const std::vector<std::vector<String>> frames = {
        {"1.00 -1.00"},           {"1.001 -1.004"},        {"1.002 -0.996", "1.003 -0.998"},
        {"12.34 -5.67"},          {"12.341 -5.671"},       {"12.34 -5.67"},
        {"-45 45", "-45.001 45"}, {"-45.002 45.004"},      {"90 -90"},
        {"95 -95"},               {"95.001 -95"},          {"0 0", "0.001 0.002", "0 0"},
        {"7.5"},                  {"7.5"},                 {"-0.004 0.004"},
    };
    std::vector<std::vector<std::string>> shown[2];
    for (int forced = 0; forced < 2; ++forced) {
        SCOPED_TRACE(forced ? "every control repainted" : "what changed repainted");
        if (window_) window_.reset();
        TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
        testkit::Pump(50);
        for (const auto& frame : frames) {
            for (const String& line : frame) w.ProcessLine(line);
            if (forced) {
                w.Invalidate();
                for (int i = 0; i < w.ComponentCount(); ++i)
                    if (auto* control = dynamic_cast<TControl*>(w.Components(i))) control->Invalidate();
            }
            testkit::Pump(10);
            TBitmap picture;
            testkit::ShownToBitmap(w, picture);
            std::vector<std::string> rows;
            for (int y = 0; y < picture.Height(); ++y)
                rows.emplace_back(reinterpret_cast<const char*>(picture.ScanLine(y)),
                                  static_cast<std::size_t>(picture.Width()) * 3);
            shown[forced].push_back(std::move(rows));
        }
    }
    ASSERT_EQ(shown[0].size(), shown[1].size());
    for (std::size_t f = 0; f < shown[0].size(); ++f) {
        ASSERT_EQ(shown[0][f].size(), shown[1][f].size()) << "frame " << f;
        for (std::size_t y = 0; y < shown[0][f].size(); ++y)
            ASSERT_EQ(shown[0][f][y], shown[1][f][y]) << "frame " << f << ", row " << y;
    }
}

}  // namespace