#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "widgets/meters/ColBitBtn.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/meters/FlashTimer.h"
#include "widgets/meters/GaugeMath.h"
#include "widgets/meters/Register.h"

namespace {

// The data-aware meter, recording which parts of it ask to be repainted.
class RecordingMeter : public TVnDB180Meter {
public:
    using TVnDB180Meter::TVnDB180Meter;
    std::vector<TRect> partial;
    int full = 0;
    void Invalidate() override
    {
        ++full;
        TVnDB180Meter::Invalidate();
    }
    void clear()
    {
        partial.clear();
        full = 0;
    }

protected:
    void InvalidateRect(const TRect& r) override
    {
        partial.push_back(r);
        TVnDB180Meter::InvalidateRect(r);
    }
};

String outputDir()
{
    const auto dir = std::filesystem::temp_directory_path() / "meters";
    std::filesystem::create_directories(dir);
    return dir.string();
}

// A tilt meter set up in code: -90..90 over digits -1500..1500, 12 steps of 3, no bevels or names
// (the main window's own meters are tested from its description in tests/app).
void configureAsTiltMeter(TVnRMeter& m)
{
    m.SetAutoSize(false);
    m.SetBounds(8, 8, 249, 145);
    m.SignalSettings()->SetDigitalFrom(-1500);
    m.SignalSettings()->SetDigitalTo(1500);
    m.SignalSettings()->SetValueFrom(-90);
    m.SignalSettings()->SetValueTo(90);
    m.SignalSettings()->SetValueUnit("X axis[Deg]");
    m.SignalSettings()->SetValueFormat("##0.0#");
    m.ScaleSettings()->SetSteps(12);
    m.ScaleSettings()->SetSubSteps(3);
    m.SectorSettings()->SetWidthOffset(5);
    m.SetOptions({opOverflow, opLimit, opSector, opUnit});
    m.SetLimitLower(-90);
    m.SetLimitUpper(90);
}

class MeterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 270, 170);
        form->SetClientWidth(265);
        form->SetClientHeight(161);
        form->SetColor(clWhite);
        meter = new RecordingMeter(form.get());
        configureAsTiltMeter(*meter);
        meter->Loaded();
        form->Show();
        testkit::Pump();
    }
    void TearDown() override { form.reset(); }

    TColor pixel(TPoint meterPoint) { return testkit::PixelAt(*meter, meterPoint.X, meterPoint.Y); }
    void render() { testkit::RenderToBitmap(*form, shot); }
    // A point half way up the needle, in the meter's coordinates.
    TPoint needleMiddle()
    {
        const TNeedleShape& n = meter->DrawnNeedle();
        const TPoint tip = n.Points[3];  // shape 0: the tip is the third polygon point
        const TRect& r = meter->NeedleRect();
        return Point(r.Left + (n.Centre().X + tip.X) / 2, r.Top + (n.Centre().Y + tip.Y) / 2);
    }

    TOwnedPtr<TForm> form;
    RecordingMeter* meter = nullptr;
    TBitmap shot;
};

}  // namespace

TEST_F(MeterTest, RendersTheTiltMeterAtFourValues)
{
    const struct {
        float value;
        const char* name;
    } shots[] = {{-90, "meter180_m90.png"}, {0, "meter180_0.png"}, {45, "meter180_45.png"}, {90, "meter180_90.png"}};
    for (const auto& s : shots) {
        meter->SetValue(s.value);
        testkit::Pump();
        ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/" + s.name)) << s.name;
        EXPECT_EQ(pixel(needleMiddle()), 0x00FF00) << s.name;  // needle brush
    }
    EXPECT_EQ(meter->ScaleSettings()->Labels(), "-90;-75;-60;-45;-30;-15;0;15;30;45;60;75;90;");
    EXPECT_FALSE(meter->Blinking());  // inside the scale nothing blinks
}

TEST_F(MeterTest, ValueChangeRepaintsOnlyTheNeedle)
{
    render();
    meter->SetValue(10);  // a first value after a full paint
    testkit::Pump();
    meter->clear();
    meter->SetValue(30);
    EXPECT_EQ(meter->full, 0);
    ASSERT_EQ(meter->partial.size(), 1u);
    TRect expected;
    OverlapRect(meter->NeedleRect(), meter->ClientRect(), expected);
    EXPECT_EQ(meter->partial[0], expected);
    EXPECT_LT(expected.Width() * expected.Height(), meter->Width() * meter->Height());
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x00FF00);
}

TEST_F(MeterTest, ValuesBeforeThePaintAskForOneNeedleRepaint)
{
    meter->SetValue(10);
    testkit::Pump();
    meter->clear();
    for (float v : {20.0f, 30.0f, 40.0f}) meter->SetValue(v);  // a stream's readings within one frame
    EXPECT_EQ(meter->partial.size(), 1u);
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x00FF00);  // at the last of them
    meter->SetValue(50);                         // after that paint a reading asks again
    EXPECT_EQ(meter->partial.size(), 2u);
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x00FF00);
}

TEST_F(MeterTest, CachedFaceLooksLikeAFullPaint)
{
    meter->SetValue(-20);
    testkit::Pump();
    render();
    meter->SetValue(35);  // the next paint takes the face from the cache, over the whole control here
    TBitmap cached;
    testkit::RenderToBitmap(*form, cached);
    meter->Invalidate();  // and this one draws everything
    TBitmap full;
    testkit::RenderToBitmap(*form, full);
    ASSERT_EQ(cached.Width(), full.Width());
    ASSERT_EQ(cached.Height(), full.Height());
    int differing = 0;
    for (int y = 0; y < full.Height(); ++y)
        differing += std::memcmp(cached.ScanLine(y), full.ScanLine(y), cached.BytesPerScanLine()) != 0;
    EXPECT_EQ(differing, 0);
    // The needle did move between the first picture and these.
    int moved = 0;
    for (int y = 0; y < full.Height(); ++y)
        moved += std::memcmp(shot.ScanLine(y), full.ScanLine(y), full.BytesPerScanLine()) != 0;
    EXPECT_GT(moved, 0);
}

TEST_F(MeterTest, SettingsChangeRepaintsEverything)
{
    render();
    meter->clear();
    meter->ScaleSettings()->SetColor(clRed);
    EXPECT_GE(meter->full, 1);
}

TEST_F(MeterTest, ValueOutsideTheScaleBlinksBetweenTheTwoColours)
{
    render();
    meter->SetValue(100);
    EXPECT_TRUE(meter->Blinking());
    ASSERT_EQ(FlashEntryCount(), 1);
    EXPECT_EQ(FlashEntry(0)->Interval, 4);
    EXPECT_EQ(FlashEntry(0)->Control, meter);

    meter->Perform(WM_FLASH, 0, 1);
    EXPECT_EQ(meter->BlinkColour(), 0x0000FF);
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x0000FF);
    meter->Perform(WM_FLASH, 0, 0);
    EXPECT_EQ(meter->BlinkColour(), 0x00FFFF);
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x00FFFF);

    meter->SetValue(20);
    EXPECT_FALSE(meter->Blinking());
    EXPECT_EQ(FlashEntryCount(), 0);
    testkit::Pump();
    EXPECT_EQ(pixel(needleMiddle()), 0x00FF00);
}

TEST_F(MeterTest, ValueBelowTheLowerLimitBlinksWithLimitOption)
{
    meter->SetLimitLower(0);  // kept as 0.0001
    render();
    meter->SetValue(-5);
    EXPECT_TRUE(meter->Blinking());
    meter->SetOptions({opOverflow, opSector, opUnit});
    meter->SetValue(-6);
    EXPECT_TRUE(meter->Blinking());  // the registration is renewed only when a flag changes
    meter->SetValue(-100);
    meter->SetValue(-7);  // overflow ends; without opLimit the limit no longer counts
    EXPECT_FALSE(meter->Blinking());
}

TEST_F(MeterTest, DestroyingABlinkingMeterUnregistersIt)
{
    meter->SetValue(200);
    EXPECT_EQ(FlashEntryCount(), 1);
    form.reset();
    EXPECT_EQ(FlashEntryCount(), 0);
}

TEST_F(MeterTest, MeterTooSmallForItsScaleIgnoresValuesAndBlinks)
{
    meter->SetOptions({opBevelInner, opBevelOuter, opSector, opUnit, opOverflow});
    meter->SetBounds(8, 8, 30, 30);
    render();
    EXPECT_TRUE(meter->TooSmall());
    meter->clear();
    meter->SetValue(40);
    meter->Perform(WM_FLASH, 0, 1);
    EXPECT_TRUE(meter->partial.empty());
    EXPECT_EQ(meter->BlinkColour(), 0x0000FF);  // unchanged initial colour: the message was ignored
    meter->Perform(WM_FLASH, 0, 0);
    EXPECT_EQ(meter->BlinkColour(), 0x0000FF);

    meter->SetBounds(8, 8, 249, 145);
    render();
    EXPECT_FALSE(meter->TooSmall());
    meter->clear();
    meter->SetValue(41);
    EXPECT_EQ(meter->partial.size(), 1u);
}

TEST_F(MeterTest, SectorRingFollowsTheOptionAndTheSectorWidths)
{
    meter->MinMax()->SetMinVisible(false);
    meter->MinMax()->SetMaxVisible(false);
    meter->SetValue(90);  // needle out of the way, to 3 o'clock
    render();
    // The top of the ring lies in sector 2.
    const TRect& r = meter->NeedleRect();
    const int mainTick = meter->ScaleSettings()->MainTick();
    const int ringWidth = (r.Width() - 2 * mainTick) / 10 + 5;
    const TPoint top = Point(r.Left + r.Width() / 2, r.Top + mainTick + ringWidth / 2);
    testkit::Pump();
    EXPECT_EQ(pixel(top), 0x008000);

    meter->SetOptions({opOverflow, opLimit, opUnit});
    testkit::Pump();
    EXPECT_EQ(pixel(top), clWhite);

    meter->SetOptions({opOverflow, opLimit, opSector, opUnit});
    meter->SectorSettings()->SetSector2To(338);  // 4 wide: not drawn
    testkit::Pump();
    EXPECT_EQ(pixel(top), clWhite);
}

TEST_F(MeterTest, NeedleShapesOutsideTheTableDrawTheFirst)
{
    for (int shape : {9, -1}) {
        meter->ArrowSettings()->SetShape(shape);
        render();
        const TNeedleShape& n = meter->Needle();
        EXPECT_EQ(n.Count, 4) << shape;
        EXPECT_EQ(n.Hub1, 2) << shape;
    }
}

TEST(MeterStreams, MeterAndButtonComeFromAStoredDescription)
{
    RegisterMeterControls();
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->InitFromText(R"(object Form1: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  object meterXValue: TVnDB180Meter
    Left = 8
    Top = 8
    Width = 249
    Height = 145
    AutoSize = False
    LimitUpper = 90
    LimitLower = -90
    Options = [opOverflow, opLimit, opSector, opUnit]
    SignalSettings.DigitalFrom = -1500
    SignalSettings.DigitalTo = 1500
    SignalSettings.ValueFrom = -90
    SignalSettings.ValueTo = 90
    SignalSettings.ValueFormat = '##0.0#'
    SignalSettings.ValueUnit = 'X axis[Deg]'
    ScaleSettings.Steps = 12
    ScaleSettings.SubSteps = 3
    SectorSettings.WidthOffset = 5
    DataReadOnly = True
  end
  object btConnect: TVnColBitBtn
    Left = 145
    Top = 8
    Width = 65
    Height = 41
    Hint = 'ComPort Open or Close'
  end
  object Vn120Meter1: TVn120Meter
    Visible = False
  end
end
)");
    auto& meter = dynamic_cast<TVnDB180Meter&>(testkit::FindControl(*form, "meterXValue"));
    EXPECT_EQ(meter.SignalSettings()->DigitSpan(), 3000);
    EXPECT_EQ(meter.ScaleSettings()->Steps(), 12);
    EXPECT_FALSE(meter.SettingsLocked());
    meter.SetValue(45);
    EXPECT_EQ(meter.Digit(), 750);
    EXPECT_EQ(meter.Ppt(), 750);
    auto& button = dynamic_cast<TVnColBitBtn&>(testkit::FindControl(*form, "btConnect"));
    EXPECT_EQ(button.Hint(), "ComPort Open or Close");
    EXPECT_EQ(button.Mode(), mButton);
    EXPECT_NE(GetClass("TVn120Meter"), nullptr);
    EXPECT_NE(GetClass("TVnFlashTimer"), nullptr);
}

TEST(MeterLooks, DefaultMetersWithBevelsNamesAndAutoSize)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 620, 260);
    form->SetColor(clWhite);
    auto* m180 = new TVn180Meter(form.get());
    m180->SetBounds(5, 5, 252, 174);
    m180->Loaded();
    auto* m120 = new TVn120Meter(form.get());
    m120->SetBounds(300, 5, 252, 155);
    m120->SignalSettings()->SetValueUnit("%");
    m120->Loaded();
    form->Show();
    testkit::Pump();
    m180->SetValue(70);  // beyond the upper limit of 90? no: inside 10..90
    m120->SetValue(95);  // above the default upper limit: blinks
    testkit::Pump();
    ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/meters_default.png"));
    // Automatic size: ten label heights wide plus the bevels.
    const int labelHeight = m180->ScaleSettings()->LabelHeight();
    EXPECT_EQ(m180->Width(),
              10 * labelHeight + 2 * m180->BevelOuter()->TotalWidth() + 2 * m180->BevelInner()->TotalWidth());
    EXPECT_FALSE(m180->Blinking());
    EXPECT_TRUE(m120->Blinking());
    EXPECT_EQ(m180->ScaleSettings()->Labels(), "0;20;40;60;80;100;");
}

TEST(MeterStreams, StoredPropertiesSurviveARoundTrip)
{
    RegisterMeterControls();
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetName("Form1");
    auto* meter = new TVnDB180Meter(form.get());
    meter->SetName("meterYValue");
    meter->SetParent(form.get());
    configureAsTiltMeter(*meter);
    meter->SignalSettings()->SetValueUnit("Y axis[Deg]");
    meter->ArrowSettings()->SetShape(4);
    meter->BevelInner()->SetStyle(bsRaised);
    auto* button = new TVnColBitBtn(form.get());
    button->SetName("btClose");
    button->SetParent(form.get());
    button->SetTextOff("Close");
    button->SetFrequency(ff4Hz);
    button->GradBtnFace()->SetStyle(gsVertical2);
    TBitmap glyph(6, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 6, 4));
    glyph.Canvas()->SetPixels(2, 1, clNavy);
    button->SetGlyph(&glyph);

    const String text = ComponentToText(form.get());
    EXPECT_NE(text.find("TVnDB180Meter"), String::npos) << text;
    EXPECT_NE(text.find("Options = [opOverflow, opLimit, opSector, opUnit]"), String::npos) << text;

    TOwnedPtr<TForm> copy(new TForm(nullptr));
    copy->InitFromText(text);
    auto& m = dynamic_cast<TVnDB180Meter&>(testkit::FindControl(*copy, "meterYValue"));
    EXPECT_EQ(m.SignalSettings()->ValueUnit(), "Y axis[Deg]");
    EXPECT_EQ(m.SignalSettings()->DigitalFrom(), -1500);
    EXPECT_FLOAT_EQ(m.SignalSettings()->ValueFrom(), -90);
    EXPECT_FLOAT_EQ(m.LimitLower(), -90);
    EXPECT_EQ(m.ScaleSettings()->SubSteps(), 3);
    EXPECT_EQ(m.ArrowSettings()->Shape(), 4);
    EXPECT_EQ(m.BevelInner()->Style(), bsRaised);
    EXPECT_EQ(m.Options(), (TRMeterOptions{opOverflow, opLimit, opSector, opUnit}));
    EXPECT_FALSE(m.MeterAutoSize());
    auto& b = dynamic_cast<TVnColBitBtn&>(testkit::FindControl(*copy, "btClose"));
    EXPECT_EQ(b.TextOff(), "Close");
    EXPECT_EQ(b.Frequency(), ff4Hz);
    EXPECT_EQ(b.GradBtnFace()->Style(), gsVertical2);
    ASSERT_EQ(b.Glyph()->Width(), 6);
    ASSERT_EQ(b.Glyph()->Height(), 4);
    EXPECT_EQ(b.Glyph()->Canvas()->Pixels(2, 1), clNavy);
    EXPECT_EQ(b.Glyph()->TransparentColor(), clFuchsia);
    EXPECT_EQ(b.ButtonBevel()->Width(), 4);
}
