#include <gtest/gtest.h>

#include <filesystem>

#include "platform/classes/ObjectText.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "widgets/meters/ColBitBtn.h"
#include "widgets/meters/GaugeDraw.h"
#include "widgets/meters/GaugeMath.h"

namespace {

String outputDir()
{
    const auto dir = std::filesystem::temp_directory_path() / "meters";
    std::filesystem::create_directories(dir);
    return dir.string();
}

// A strip of three 16 x 16 cells: red, green, blue, each with a fuchsia bottom-left pixel.
void makeGlyph(TBitmap& strip)
{
    strip.SetSize(48, 16);
    const TColor colours[] = {clRed, clLime, clBlue};
    for (int i = 0; i < 3; ++i) {
        strip.Canvas()->Brush()->SetColor(colours[i]);
        strip.Canvas()->FillRect(Rect(i * 16, 0, i * 16 + 16, 16));
    }
    strip.Canvas()->SetPixels(0, 15, clFuchsia);
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 320, 120);
        form->SetClientWidth(300);
        form->SetClientHeight(100);
        form->SetColor(clSilver);
        button = make(10, 10);
        form->Show();
        testkit::Pump();
    }
    void TearDown() override { form.reset(); }

    TVnColBitBtn* make(int x, int y)
    {
        auto* b = new TVnColBitBtn(form.get());
        b->SetParent(form.get());
        b->SetBounds(x, y, 65, 33);
        return b;
    }

    TOwnedPtr<TForm> form;
    TVnColBitBtn* button = nullptr;
};

}  // namespace

TEST_F(ButtonTest, PushButtonIsCheckedWhileHeldAndClicksOnce)
{
    int clicks = 0, status = 0;
    button->SetOnClick(TNotifyEvent([&](TObject*) { ++clicks; }));
    button->SetOnStatusChanged(TNotifyEvent([&](TObject*) { ++status; }));
    const TColor raisedCorner = testkit::PixelAt(*button, 0, 0);

    testkit::MouseDown(*button);
    EXPECT_TRUE(button->Checked());
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(status, 1);
    EXPECT_EQ(clicks, 0);
    // Sunken: the outer ring's top-left is the first step from the shadow's inner to outer colour.
    const TVnBtnBevel& b = *button->ButtonBevel();
    EXPECT_EQ(testkit::PixelAt(*button, 0, 0),
              static_cast<TColor>(ColorToRGB(ColorStep(b.ShadowColTo(), b.ShadowColFrom(), b.Width(), 1))));
    EXPECT_NE(testkit::PixelAt(*button, 0, 0), raisedCorner);
    ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/button_pressed.png"));

    testkit::MouseUp(*button);
    EXPECT_FALSE(button->Checked());
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(status, 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(testkit::PixelAt(*button, 0, 0),
              static_cast<TColor>(ColorToRGB(ColorStep(b.HighlightColFrom(), b.HighlightColTo(), b.Width(), 1))));
}

TEST_F(ButtonTest, SwitchTogglesAndIndicatorIgnoresTheMouse)
{
    button->SetMode(mSwitch);
    testkit::Click(*button);
    EXPECT_TRUE(button->Checked());
    testkit::Click(*button);
    EXPECT_FALSE(button->Checked());
    button->SetMode(mIndicator);
    testkit::Click(*button);
    EXPECT_FALSE(button->Checked());
}

TEST_F(ButtonTest, RadioGroupSharesOneStatusWord)
{
    TVnColBitBtn* radios[3] = {button, make(80, 10), make(150, 10)};
    for (int i = 0; i < 3; ++i) {
        radios[i]->SetStatusBit(i);
        radios[i]->SetMode(mRadioButton);
        radios[i]->SetGroupIndex(1);
    }
    testkit::MouseDown(*radios[1]);
    testkit::MouseUp(*radios[1]);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(radios[i]->StatusInt(), 2) << i;
        EXPECT_EQ(radios[i]->Checked(), i == 1) << i;
        EXPECT_EQ(radios[i]->LowestBit(), 1) << i;
    }
    testkit::Click(*radios[2]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(radios[i]->Checked(), i == 2) << i;
}

TEST_F(ButtonTest, SwitchesInAGroupCombineTheirBits)
{
    TVnColBitBtn* other = make(80, 10);
    button->SetMode(mSwitch);
    other->SetMode(mSwitch);
    button->SetStatusBit(0);
    other->SetStatusBit(3);
    button->SetGroupIndex(7);
    other->SetGroupIndex(7);
    testkit::Click(*button);
    testkit::Click(*other);
    EXPECT_EQ(button->StatusInt(), 9);
    EXPECT_EQ(other->StatusInt(), 9);
    testkit::Click(*button);
    EXPECT_EQ(other->StatusInt(), 8);
    EXPECT_TRUE(other->Checked());
    EXPECT_FALSE(button->Checked());
}

TEST_F(ButtonTest, StatusBitOutsideTheWordIsRefused)
{
    for (int bad : {32, -1, 40}) {
        button->SetStatusBit(bad);
        EXPECT_EQ(button->StatusBit(), 0) << bad;
    }
    button->SetMode(mSwitch);
    button->SetStatusBit(31);
    button->SetChecked(true);
    EXPECT_EQ(static_cast<std::uint32_t>(button->StatusInt()), 0x80000000u);
}

TEST_F(ButtonTest, GlyphCellFollowsTheState)
{
    TBitmap strip;
    makeGlyph(strip);
    button->SetGlyph(&strip);
    button->SetNumGlyph(3);
    button->SetMode(mSwitch);
    EXPECT_EQ(button->Glyph()->TransparentColor(), clFuchsia);

    struct Case {
        bool checked, enabled;
        int cell;
        TColor colour;
    };
    const Case cases[] = {{false, true, 0, clRed},
                          {true, true, 2, clBlue},
                          {false, false, 1, clLime},
                          {true, false, 1, clLime}};
    for (const auto& c : cases) {
        button->SetChecked(c.checked);
        button->SetEnabled(c.enabled);
        EXPECT_EQ(button->GlyphCell(), c.cell) << c.checked << c.enabled;
        // No text: the glyph is centred in the face (moved by one pixel while checked).
        EXPECT_EQ(testkit::PixelAt(*button, 32, 16), c.colour) << c.checked << c.enabled;
    }
    button->SetEnabled(true);
    button->SetChecked(false);
    // The transparent colour lets the face through.
    EXPECT_NE(testkit::PixelAt(*button, 24, 23), clFuchsia);
    ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/button_glyph.png"));

    button->SetNumGlyph(0);  // refused
    EXPECT_EQ(button->NumGlyph(), 3);
    button->SetNumGlyph(1);
    EXPECT_EQ(button->GlyphCell(), 0);
}

TEST_F(ButtonTest, FlashingCheckedButtonRegistersAndTogglesItsFace)
{
    TVnColBitBtn* flashing = make(80, 10);
    flashing->SetMode(mSwitch);
    flashing->SetFrequency(ff2Hz);
    flashing->SetFlashing(true);
    EXPECT_EQ(FlashEntryCount(), 0);  // not checked yet
    flashing->SetChecked(true);
    ASSERT_EQ(FlashEntryCount(), 1);
    EXPECT_EQ(FlashEntry(0)->Interval, 4);

    SetFlashCounter(0);
    std::vector<bool> states;
    for (int i = 0; i < 64; ++i) {
        const bool before = flashing->BlinkState();
        FlashTick();
        if (flashing->BlinkState() != before) states.push_back(flashing->BlinkState());
    }
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false}));

    flashing->SetFrequency(ff8Hz);
    EXPECT_EQ(FlashEntry(0)->Interval, 2);
    flashing->SetChecked(false);
    EXPECT_EQ(FlashEntryCount(), 0);
}

TEST_F(ButtonTest, FaceColourFollowsTheState)
{
    button->SetMode(mSwitch);
    button->SetTextOn("On|line");
    button->SetTextOff("Off");
    button->GradBtnFace()->SetVisible(false);
    button->SetColorOff(clYellow);
    button->SetColorOn(clLime);
    button->SetColorDisabled(clGray);
    const TCheckedOptions all{coGlyph, coText, coTextCol, coBtnCol, coBevel};
    TCheckedOptions noColour = all;
    noColour.Exclude(coBtnCol);
    struct Case {
        const char* what;
        bool checked, enabled, flat;
        TCheckedOptions options;
        TColor face;
    };
    const Case cases[] = {
        {"off", false, true, false, all, clYellow},
        {"on", true, true, false, all, clLime},
        {"on, colour not among the checked options", true, true, false, noColour, clYellow},
        {"disabled", false, false, false, all, clGray},
        {"disabled while on", true, false, false, all, clGray},
        {"flat", false, true, true, all, clYellow},
        {"flat and on", true, true, true, all, clLime},
    };
    // Inside the bevel, clear of the centred text; a flat button has no bevel at its corner.
    const int inside = button->ButtonBevel()->Width() + 1;
    for (const auto& c : cases) {
        button->SetCheckedOptions(c.options);
        button->SetFlat(c.flat);
        button->SetEnabled(c.enabled);
        button->SetChecked(c.checked);
        EXPECT_EQ(testkit::PixelAt(*button, inside, inside), c.face) << c.what;
        EXPECT_EQ(testkit::PixelAt(*button, 0, 0) == c.face, c.flat) << c.what;
    }

    button->SetFlat(false);
    button->SetEnabled(true);
    button->SetChecked(false);
    ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/buttons_off.png"));
    button->SetChecked(true);
    ASSERT_TRUE(testkit::RenderToPng(*form, outputDir() + "/buttons_on.png"));
    // A flashing button alternates between its two faces while checked.
    button->SetFlashing(true);
    for (bool lit : {true, false}) {
        for (int i = 0; i < 64 && button->BlinkState() != lit; ++i) FlashTick();
        ASSERT_EQ(button->BlinkState(), lit);
        EXPECT_EQ(testkit::PixelAt(*button, inside, inside), lit ? clLime : clYellow) << lit;
    }
    button->SetFlashing(false);
}

TEST_F(ButtonTest, OwnFontAndParentFontSurviveTheStream)
{
    // The constructor makes the font bold and its own: plain and the parent's are then the
    // values a stream has to carry.
    TVnColBitBtn* plain = make(80, 10);
    plain->SetName("Plain");
    plain->Font()->SetStyle({});
    TVnColBitBtn* parents = make(150, 10);
    parents->SetName("Parents");
    parents->SetParentFont(true);
    for (TVnColBitBtn* b : {plain, parents}) {
        TOwnedPtr<TVnColBitBtn> copy(new TVnColBitBtn(nullptr));
        TextToComponent(ComponentToText(b), copy.get());
        EXPECT_EQ(copy->Font()->Style(), b->Font()->Style()) << b->Name();
        EXPECT_EQ(copy->ParentFont(), b->ParentFont()) << b->Name();
    }
}

TEST(MultiLineText, MiddleAnchorCentresTheBlock)
{
    TBitmap bmp(100, 100);
    TCanvas& c = *bmp.Canvas();
    c.Brush()->SetColor(clWhite);
    c.FillRect(Rect(0, 0, 100, 100));
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetName("Arial");
    c.Font()->SetSize(10);
    MultiLineText(c, 50, 50, false, 4, "AB|CD", clWhite, clBlack, clBlack, 0);
    int top = 100, bottom = -1, left = 100, right = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (c.Pixels(x, y) != clWhite) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_NEAR((top + bottom) / 2.0, 50, 3);
    EXPECT_NEAR((left + right) / 2.0, 50, 3);
    EXPECT_GT(bottom - top, c.TextHeight("X"));  // two lines
}

TEST(TextAtAnchor, AnchorNamesThePointOfTheTextBox)
{
    TBitmap bmp(200, 100);
    TCanvas& c = *bmp.Canvas();
    c.Font()->SetName("Arial");
    c.Font()->SetSize(10);
    const int w = c.TextWidth("Wg");
    const int h = c.TextHeight("Wg");
    struct Case {
        int anchor;
        int left, top;
    };
    const Case cases[] = {{0, 100, 50}, {4, 100 - w / 2, 50 - h / 2}, {8, 100 - w, 50 - h}, {5, 100 - w, 50 - h / 2}};
    for (const auto& k : cases) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clWhite);
        c.FillRect(Rect(0, 0, 200, 100));
        c.Brush()->SetColor(clYellow);  // opaque text background marks the text box
        TextAtAnchor(c, 100, 50, k.anchor, "Wg");
        EXPECT_EQ(c.Pixels(k.left, k.top), clYellow) << k.anchor;
        EXPECT_EQ(c.Pixels(k.left - 1, k.top), clWhite) << k.anchor;
        EXPECT_EQ(c.Pixels(k.left, k.top - 1), clWhite) << k.anchor;
    }
}

TEST(PieSectorTest, QuadrantsByClockwiseAngles)
{
    struct Case {
        float start, sweep;
        TPoint inside, outside;
    };
    const Case cases[] = {
        {270, 90, {25, 25}, {75, 25}},   // upper-left quarter
        {0, 90, {75, 25}, {25, 25}},     // upper-right
        {90, 90, {75, 75}, {75, 25}},    // lower-right
        {180, 90, {25, 75}, {75, 75}},   // lower-left
        {270, 180, {50, 20}, {50, 80}},  // upper half
    };
    for (const auto& k : cases) {
        TBitmap bmp(101, 101);
        TCanvas& c = *bmp.Canvas();
        c.Brush()->SetColor(clWhite);
        c.FillRect(Rect(0, 0, 101, 101));
        c.Brush()->SetColor(clRed);
        c.Pen()->SetColor(clRed);
        PieSector(c, Rect(0, 0, 101, 101), k.start, k.sweep);
        EXPECT_EQ(c.Pixels(k.inside.X, k.inside.Y), clRed) << k.start;
        EXPECT_EQ(c.Pixels(k.outside.X, k.outside.Y), clWhite) << k.start;
    }
}

TEST_F(ButtonTest, FlatButtonShowsItsBevelOnlyUnderThePointer)
{
    button->SetFlat(true);
    button->GradBtnFace()->SetVisible(false);
    button->SetColorOff(clYellow);
    EXPECT_EQ(testkit::PixelAt(*button, 0, 0), clYellow);
    testkit::MouseEnter(*button);
    EXPECT_TRUE(button->MouseOver());
    EXPECT_NE(testkit::PixelAt(*button, 0, 0), clYellow);
    testkit::MouseLeave(*button);
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(testkit::PixelAt(*button, 0, 0), clYellow);
    button->SetEnabled(false);
    testkit::MouseEnter(*button);
    EXPECT_FALSE(button->MouseOver());
}
