#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Colors.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

namespace {

// The main window's readout, as its stored description places it.
const char* const kReadoutForm = R"(object ReadoutForm: TForm
  Left = 0
  Top = 0
  ClientWidth = 200
  ClientHeight = 80
  Color = clNavy
  object ssXValue: TiSevenSegmentAnalog
    Left = 20
    Top = 15
    Width = 145
    Height = 49
    AutoFrameRate = True
    AutoSegmentOffColor = False
    DigitCount = 5
    SegmentColor = clLime
    SegmentMargin = 10
    SegmentOffColor = clBlack
    Transparent = True
  end
end
)";

class ReadoutRender : public ::testing::Test {
protected:
    ReadoutRender()
    {
        RegisterSevenSegmentClasses();
        form.reset(new TForm(nullptr));
        form->InitFromText(kReadoutForm);
        readout = dynamic_cast<TiSevenSegmentAnalog*>(&testkit::FindControl(*form, "ssXValue"));
    }

    void Show(double value)
    {
        readout->SetValue(value);
        testkit::Pump(40);  // past one frame period: the limiter has shown the value
    }

    // A pixel of the readout as the form shows it (the readout sits at 20, 15).
    TColor At(int x, int y) { return testkit::PixelAt(*form, 20 + x, 15 + y); }

    // Segment centres of a digit cell at column x (cells are 15 x 29 from y = 10).
    struct Probe {
        const char* name;
        int dx, dy;
    };
    static constexpr Probe kSegments[] = {{"A", 7, 1},  {"B", 13, 7}, {"C", 13, 21}, {"D", 7, 27},
                                          {"E", 1, 21}, {"F", 1, 7},  {"G", 7, 14}};

    // Checks which segments of the cell at column x are lit (lime) and which are dark (black).
    void ExpectDigit(int x, std::uint8_t bits, const char* what)
    {
        for (int i = 0; i < 7; ++i) {
            const bool lit = bits & (1u << i);
            EXPECT_EQ(At(x + kSegments[i].dx, 10 + kSegments[i].dy), lit ? clLime : clBlack)
                << what << " segment " << kSegments[i].name;
        }
    }

    void SaveImage(const char* name)
    {
        if (const char* dir = std::getenv("TV_RENDER_DIR")) testkit::RenderToPng(*form, String(dir) + "/" + name);
    }

    TOwnedPtr<TForm> form;
    TiSevenSegmentAnalog* readout = nullptr;
};

TEST_F(ReadoutRender, DescriptionKeepsItsSizeAndSettings)
{
    ASSERT_NE(readout, nullptr);
    EXPECT_EQ(readout->Width(), 145);
    EXPECT_EQ(readout->Height(), 49);
    EXPECT_EQ(readout->DigitCount(), 5);
    EXPECT_TRUE(readout->Transparent());
    EXPECT_TRUE(readout->AutoFrameRate());
}

TEST_F(ReadoutRender, NegativeValueWithBlankAndPeriod)
{
    Show(-12.5);
    SaveImage("readout_minus_12_5.png");
    // Sign cell at x 12: the minus lit, the plus dark.
    EXPECT_EQ(At(12 + 7, 10 + 21), clLime);
    EXPECT_EQ(At(12 + 7, 10 + 7), clBlack);
    EXPECT_EQ(At(12 + 7, 10 + 4), clBlack);
    ExpectDigit(33, 0, "blank");
    ExpectDigit(54, GlyphBits(ssc1), "1");
    ExpectDigit(75, GlyphBits(ssc2), "2");
    ExpectDigit(96, GlyphBits(ssc5), "5");
    ExpectDigit(117, GlyphBits(ssc0), "0");
    // The period: 3 wide at x 92, at the bottom of the cell; nothing above it.
    EXPECT_EQ(At(93, 10 + 28), clLime);
    EXPECT_EQ(At(93, 10 + 20), clNavy);  // no segment there: the parent shows through
    EXPECT_NE(At(91, 10 + 28), clLime);
}

TEST_F(ReadoutRender, ZeroShowsPlusAndLeadingBlanks)
{
    Show(0.0);
    SaveImage("readout_zero.png");
    EXPECT_EQ(At(12 + 7, 10 + 7), clLime);    // plus bar
    EXPECT_EQ(At(12 + 7, 10 + 4), clLime);    // plus stem
    EXPECT_EQ(At(12 + 7, 10 + 21), clBlack);  // minus dark
    ExpectDigit(33, 0, "blank");
    ExpectDigit(54, 0, "blank");
    ExpectDigit(75, GlyphBits(ssc0), "0");
    ExpectDigit(96, GlyphBits(ssc0), "0");
    ExpectDigit(117, GlyphBits(ssc0), "0");
}

TEST_F(ReadoutRender, OverflowShowsArrows)
{
    struct Case {
        double value;
        int apexDy;  // the arrow's tip row: up arrows point to row 7, down arrows to row 21
        int baseDy;
    };
    for (const Case c : {Case{1234.5, 9, 13}, Case{-1234.5, 19, 15}}) {
        SCOPED_TRACE(c.value);
        Show(c.value);
        for (int x : {33, 54, 75, 96, 117}) {
            EXPECT_EQ(At(x + 7, 10 + c.apexDy), clLime) << x;
            EXPECT_EQ(At(x + 7, 10 + c.baseDy), clLime) << x;
            EXPECT_EQ(At(x + 7, 10 + 27), clNavy) << x;  // no digit segments, not even dark ones
        }
    }
    Show(1234.5);
    SaveImage("readout_overflow.png");
}

TEST_F(ReadoutRender, ValuesThatCannotBeShownOverflow)
{
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        Show(v);
        EXPECT_EQ(At(33 + 7, 10 + 12), clLime) << v;
        EXPECT_EQ(At(33 + 7, 10 + 1), clNavy) << v;
    }
}

TEST_F(ReadoutRender, TransparentReadoutShowsItsParent)
{
    Show(1.0);
    SaveImage("readout_transparent.png");
    EXPECT_EQ(At(2, 2), clNavy);
    EXPECT_EQ(At(140, 45), clNavy);
}

TEST_F(ReadoutRender, OpaqueReadoutShowsItsBackgroundColour)
{
    readout->SetTransparent(false);
    Show(1.0);
    EXPECT_EQ(At(2, 2), clBlack);
}

TEST_F(ReadoutRender, LastValueOfABurstReachesTheScreen)
{
    double now = 5000;
    readout->SetRepaintClock([&] { return now; });
    // Many values inside one frame period, then nothing more.
    for (double v : {11.0, 22.0, 33.0, 44.0, 55.0, 66.0}) readout->SetValue(v);
    EXPECT_TRUE(readout->Scheduler().ForegroundPending());
    now += 20;
    testkit::Pump(80);  // the single-shot flush runs once the period has passed
    EXPECT_FALSE(readout->Scheduler().AnyPending());
    ExpectDigit(54, GlyphBits(ssc6), "6");
    ExpectDigit(75, GlyphBits(ssc6), "6");
}

TEST_F(ReadoutRender, PartlyHiddenReadoutShowsItsBackgroundColourUntilCaptured)
{
    readout->SetBackGroundColor(clMaroon);
    // Paint the readout itself onto a navy surface whose top right corner is covered.
    TBitmap surface(145, 49);
    TCanvas& canvas = *surface.Canvas();
    const auto fillNavy = [&] {
        canvas.Brush()->SetColor(clNavy);
        canvas.FillRect(TRect{0, 0, 145, 49});
    };
    fillNavy();
    canvas.Handle()->ExcludeClipRect(130, 0, 145, 12);
    readout->Perform(WM_PAINT, reinterpret_cast<intptr>(&canvas));
    EXPECT_TRUE(readout->CapturePending());
    EXPECT_EQ(canvas.Pixels(2, 2), clMaroon);

    // Uncovered: the capture succeeds and the parent's pixels show.
    canvas.Handle()->SelectClipRgn(nullptr);
    fillNavy();
    readout->Perform(WM_PAINT, reinterpret_cast<intptr>(&canvas));
    EXPECT_FALSE(readout->CapturePending());
    EXPECT_EQ(canvas.Pixels(2, 2), clNavy);
}

// One character control with the cell's own defaults: green on black, dim off segments.
TEST(CharacterRender, OffSegmentsAndPowerOff)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetClientWidth(60);
    form->SetClientHeight(40);
    auto* c = new TiSevenSegmentCharacter(form.get());
    c->SetParent(form.get());
    c->SetBounds(10, 5, 15, 23);  // margin 2: cell segments inside 2..12 x 2..20
    const auto at = [&](int x, int y) { return testkit::PixelAt(*form, 10 + x, 5 + y); };
    // Segment centres with margin 2, h = 11.
    const int segX[7] = {7, 11, 11, 7, 3, 3, 7};
    const int segY[7] = {3, 6, 16, 19, 16, 6, 11};

    c->SetCharacter('x');
    for (int i = 0; i < 7; ++i) EXPECT_EQ(at(segX[i], segY[i]), 0x005500) << "off segment " << i;
    c->SetShowOffSegments(false);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(at(segX[i], segY[i]), clBlack) << "hidden segment " << i;

    c->SetShowOffSegments(true);
    c->SetCharacter('7');
    EXPECT_EQ(at(segX[0], segY[0]), 0x00FF00);
    EXPECT_EQ(at(segX[3], segY[3]), 0x005500);
    c->SetPowerOff(true);
    EXPECT_EQ(at(segX[0], segY[0]), 0x005500);

    c->SetPowerOff(false);
    c->SetUseSegmentBits(true);
    c->SetSegmentBits(0x49);  // A, D, G whatever the value
    for (int i = 0; i < 7; ++i) EXPECT_EQ(at(segX[i], segY[i]), (0x49 >> i) & 1 ? 0x00FF00 : 0x005500) << "bit " << i;
}

TEST_F(ReadoutRender, InputStillReachesThePublishedEvents)
{
    std::vector<std::string> seen;
    readout->SetOnMouseDown(
        TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("down"); }));
    readout->SetOnMouseUp(TMouseEvent([&](TObject*, TMouseButton, TShiftState, int, int) { seen.push_back("up"); }));
    readout->SetOnClick(TNotifyEvent([&](TObject*) { seen.push_back("click"); }));
    readout->SetOnKeyDown(TKeyEvent([&](TObject*, Word&, TShiftState) { seen.push_back("key"); }));
    testkit::Click(*readout);
    testkit::KeyPress(*readout, 'A');
    EXPECT_EQ(seen, (std::vector<std::string>{"down", "click", "up", "key"}));
}

}  // namespace
