#include <gtest/gtest.h>

#include <cmath>

#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exceptions.h"
#include "widgets/meters/GaugeSettings.h"
#include "widgets/meters/ScaleSettings.h"

namespace {
struct ChangeCounter {
    int count = 0;
    TNotifyEvent handler()
    {
        return TNotifyEvent([this](TObject*) { ++count; });
    }
};
}  // namespace

TEST(SignalSettings, DefaultsGiveTenDigitsAndTenPerMillePerUnit)
{
    TSignalSettings s;
    EXPECT_FLOAT_EQ(s.DigitsPerValue(), 10);
    EXPECT_FLOAT_EQ(s.PptPerValue(), 10);
    EXPECT_FLOAT_EQ(s.ValuePerDigit(), 0.1f);
    EXPECT_EQ(s.DigitSpan(), 1000);
    EXPECT_EQ(s.ValueToPpt(25), 250);
}

TEST(SignalSettings, DerivedValuesByRange)
{
    struct Case {
        float from, to;
        int dfrom, dto;
        float span;
        int digits;
        float perValue;
    };
    const Case cases[] = {
        {-90, 90, -1500, 1500, 180, 3000, 3000.0f / 180},
        {-20, -10, 0, 100, 10, 100, 10},  // both negative
        {5, 25, 10, 30, 20, 20, 1},
        {-5, 0, -10, 0, 5, 10, 2},  // from negative, to zero
    };
    for (const auto& c : cases) {
        TSignalSettings s;
        s.SetDigitalFrom(c.dfrom);
        s.SetDigitalTo(c.dto);
        s.SetValueFrom(c.from);
        s.SetValueTo(c.to);
        EXPECT_FLOAT_EQ(s.ValueSpan(), c.span) << c.from << ".." << c.to;
        EXPECT_EQ(s.DigitSpan(), c.digits) << c.from << ".." << c.to;
        EXPECT_FLOAT_EQ(s.DigitsPerValue(), c.perValue) << c.from << ".." << c.to;
    }
}

TEST(SignalSettings, RangeFromNonNegativeToNonPositiveKeepsThePreviousSpan)
{
    TSignalSettings s;  // 0..100
    s.SetValueTo(-10);  // from 0 to -10: a case without a span
    EXPECT_FLOAT_EQ(s.ValueSpan(), 100);
    EXPECT_FLOAT_EQ(s.DigitsPerValue(), 10);
}

TEST(SignalSettings, BoundsRefuseEqualAndNonFiniteValues)
{
    TSignalSettings s;
    ChangeCounter changes;
    s.SetOnChange(changes.handler());
    s.SetValueTo(0);  // equals ValueFrom
    EXPECT_FLOAT_EQ(s.ValueTo(), 100);
    s.SetValueFrom(100);  // equals ValueTo
    EXPECT_FLOAT_EQ(s.ValueFrom(), 0);
    s.SetValueTo(NAN);
    s.SetValueFrom(INFINITY);
    EXPECT_FLOAT_EQ(s.ValueTo(), 100);
    EXPECT_FLOAT_EQ(s.ValueFrom(), 0);
    EXPECT_EQ(changes.count, 0);

    s.SetValueFrom(5);
    s.SetValueFrom(0);
    EXPECT_FLOAT_EQ(s.ValueFrom(), 0.000001f);
    EXPECT_EQ(changes.count, 2);
}

TEST(SignalSettings, DecadeFlagSnapsBoundsToDecades)
{
    TSignalSettings s;
    s.SetLogScale(true);
    s.SetValueTo(700);
    EXPECT_FLOAT_EQ(s.ValueTo(), 1000);
    s.SetValueFrom(0.02f);
    EXPECT_FLOAT_EQ(s.ValueFrom(), 0.01f);
}

TEST(SignalSettings, AssignCopiesTheRange)
{
    TSignalSettings a, b;
    a.SetDigitalFrom(-1500);
    a.SetDigitalTo(1500);
    a.SetValueFrom(-90);
    a.SetValueTo(90);
    a.SetValueUnit("X axis[Deg]");
    a.SetValueFormat("##0.0#");
    b.Assign(&a);
    EXPECT_FLOAT_EQ(b.ValueFrom(), -90);
    EXPECT_FLOAT_EQ(b.ValueTo(), 90);
    EXPECT_EQ(b.DigitSpan(), 3000);
    EXPECT_EQ(b.ValueUnit(), "X axis[Deg]");
    EXPECT_EQ(b.ValueFormat(), "##0.0#");
    TSectorSettings wrong;
    EXPECT_THROW(wrong.Assign(&a), Exception);
}

TEST(SectorSettings, ColourAtPosition)
{
    TSectorSettings s;
    struct Case {
        int ppt;
        bool found;
        TColor colour;
    };
    const Case cases[] = {{0, true, 0x00FFFF},   {333, true, 0x00FFFF},  {334, true, 0x008000}, {666, true, 0x008000},
                          {667, true, 0x0000FF}, {1000, true, 0x0000FF}, {1001, false, 0},      {-1, false, 0}};
    for (const auto& c : cases) {
        TColor colour = 0x123456;
        EXPECT_EQ(s.SectorColorAt(c.ppt, colour), c.found) << c.ppt;
        EXPECT_EQ(colour, c.found ? c.colour : 0x123456) << c.ppt;
    }
}

TEST(MinMax, ExtremesAreStampedWithoutNotification)
{
    TMinMax m;
    ChangeCounter changes;
    m.SetOnChange(changes.handler());
    EXPECT_FLOAT_EQ(m.Min(), 9999999);
    EXPECT_FLOAT_EQ(m.Max(), -9999999);
    m.SetMaxDateTime(0);
    m.SetMax(42);
    EXPECT_FLOAT_EQ(m.Max(), 42);
    EXPECT_GT(m.MaxDateTime(), 40000);  // a date of this century
    EXPECT_EQ(changes.count, 0);
    m.SetMaxColor(clRed);
    EXPECT_EQ(changes.count, 1);
}

TEST(Bevel, TotalWidthByLine)
{
    struct Case {
        TBevelLine line;
        int spacing, width, total;
    };
    const Case cases[] = {{blNone, 5, 2, 7},
                          {blOuter, 5, 2, 8},
                          {blInner, 5, 2, 8},
                          {blBoth, 5, 2, 9},
                          {blBoth, 0, 0, 2}};
    for (const auto& c : cases) {
        TVnSBevel b;
        b.SetSpacing(c.spacing);
        b.SetWidth(c.width);
        b.SetBevelLine(c.line);
        EXPECT_EQ(b.TotalWidth(), c.total) << c.line;
    }
}

TEST(Bevel, NegativeWidthsAreIgnored)
{
    TVnSBevel s;
    s.SetWidth(-1);
    EXPECT_EQ(s.Width(), 2);
    TVnBtnBevel b;
    b.SetWidth(-3);
    EXPECT_EQ(b.Width(), 2);
}

TEST(Bevel, InnerBevelLeavesTheAreaInsideFrameLineAndSpacing)
{
    TBitmap bmp(60, 40);
    TVnSBevel b;
    b.SetBevelLine(blInner);
    b.SetStyle(bsLowered);
    TRect r = Rect(0, 0, 60, 40);
    b.DrawBevel(*bmp.Canvas(), r);
    EXPECT_EQ(r, Rect(8, 8, 52, 32));  // 2 frame, 1 line, 5 spacing
    // The outline lies just inside the frame in the pen colour.
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 20), clBlack);
    // The face keeps the bevel colour inside.
    EXPECT_EQ(bmp.Canvas()->Pixels(30, 20), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(Bevel, OffsetMovesEachSide)
{
    TVnSBevel b;
    b.SetBevelLine(blNone);
    b.Offset()->SetLeft(1);
    b.Offset()->SetTop(2);
    b.Offset()->SetRight(3);
    b.Offset()->SetBottom(4);
    TBitmap bmp(60, 40);
    TRect r = Rect(0, 0, 60, 40);
    b.DrawBevel(*bmp.Canvas(), r);
    EXPECT_EQ(r, Rect(2 + 5 + 1, 2 + 5 + 2, 60 - 7 - 3, 40 - 7 - 4));
}

TEST(Bevel, SubObjectChangesReachTheOwner)
{
    TVnSBevel b;
    ChangeCounter changes;
    b.SetOnChange(changes.handler());
    b.SurfaceGrad()->SetVisible(true);
    b.Offset()->SetTop(3);
    b.SetSpacing(5);  // unchanged
    EXPECT_EQ(changes.count, 2);
}

TEST(Bevel, RaisedFrameGradesFromTheOuterColours)
{
    TBitmap bmp(20, 20);
    TRect r = Rect(0, 0, 20, 20);
    TVnBtnBevel b;
    b.SetWidth(2);
    b.SetHighlightColFrom(clWhite);
    b.SetHighlightColTo(0x808080);
    b.SetShadowColFrom(clBlack);
    b.SetShadowColTo(0x808080);
    b.Draw3DFrame(*bmp.Canvas(), r, clRed, true, true);
    EXPECT_EQ(r, Rect(2, 2, 18, 18));
    TCanvas& c = *bmp.Canvas();
    // Step 1 of 2 lies half way from the outer to the inner colour; step 2 is the inner colour.
    EXPECT_EQ(c.Pixels(5, 0), 0xBFBFBF);  // top, outer ring: white -> grey, index 1 (-63.5 to even)
    EXPECT_EQ(c.Pixels(5, 1), 0x808080);
    EXPECT_EQ(c.Pixels(5, 19), 0x404040);  // bottom, outer ring: black -> grey, index 1
    EXPECT_EQ(c.Pixels(19, 0), 0x404040);  // the top-right corner belongs to the shadow
    EXPECT_EQ(c.Pixels(10, 10), clRed);    // filled face
}

TEST(ScaleSettings, SettersKeepTheirRanges)
{
    TScaleSettings s;
    for (int bad : {0, 21, -1}) s.SetSteps(bad);
    EXPECT_EQ(s.Steps(), 5);
    for (int bad : {0, 11}) s.SetSubSteps(bad);
    EXPECT_EQ(s.SubSteps(), 2);
    s.SetSteps(20);
    s.SetSubSteps(10);
    EXPECT_EQ(s.Steps(), 20);
    EXPECT_EQ(s.SubSteps(), 10);
}

TEST(ScaleSettings, LogStepCount)
{
    struct Case {
        int steps, decades, expected;
    };
    const Case cases[] = {{5, 3, 3}, {5, 7, 1}, {5, 0, 1}, {5, 4, 4}, {5, 10, 5}, {3, 12, 3}, {0, 4, 1}, {5, -4, 4}};
    for (const auto& c : cases)
        EXPECT_EQ(TScaleSettings::LogStepCount(c.steps, c.decades), c.expected) << c.steps << " " << c.decades;
}

TEST(ScaleSettings, TwelveStepsOfThreeOverHalfACircle)
{
    TScaleSettings s;
    s.SetSteps(12);
    s.SetSubSteps(3);
    TBitmap bmp(10, 10);
    s.Prepare(*bmp.Canvas(), -90, 90);
    TRect r = Rect(0, 0, 240, 240);
    const auto layout = s.Measure(r, 180);
    int main = 0;
    std::vector<float> subs;
    for (const auto& t : layout.Ticks) {
        if (t.Main)
            ++main;
        else
            subs.push_back(t.Angle);
    }
    EXPECT_EQ(main, 13);
    ASSERT_EQ(subs.size(), 24u);
    for (std::size_t i = 0; i < subs.size(); ++i) {
        EXPECT_EQ(std::fmod(subs[i], 5.0f), 0.0f) << subs[i];
        EXPECT_NE(std::fmod(subs[i], 15.0f), 0.0f) << subs[i];
    }
    EXPECT_EQ(layout.LabelAngles.size(), 13u);
    EXPECT_EQ(s.Labels(), "-90;-75;-60;-45;-30;-15;0;15;30;45;60;75;90;");
}

TEST(ScaleSettings, FullCircleWritesNoDoubledLabel)
{
    TScaleSettings s;
    s.SetSteps(4);
    TBitmap bmp(10, 10);
    s.Prepare(*bmp.Canvas(), 0, 100);
    TRect r = Rect(0, 0, 200, 200);
    const auto layout = s.Measure(r, 360);
    EXPECT_EQ(layout.LabelAngles.size(), 4u);
    EXPECT_EQ(layout.Ticks.back().Angle, 360);
}

TEST(ScaleSettings, DecadeScaleLabelsAndSubTicks)
{
    TScaleSettings s;
    s.SetLogScale(true);
    s.SetSteps(5);
    s.SetSubSteps(2);
    TBitmap bmp(10, 10);
    s.Prepare(*bmp.Canvas(), 1, 1000);
    EXPECT_EQ(s.LogSteps(), 3);
    EXPECT_EQ(s.Labels(), "1e0;1e1;1e2;1e3;");
    TRect r = Rect(0, 0, 200, 200);
    const auto layout = s.Measure(r, 180);
    // One sub tick per decade, at log10(5) of the decade's 60 degrees.
    std::vector<float> subs;
    for (const auto& t : layout.Ticks)
        if (!t.Main) subs.push_back(t.Angle);
    EXPECT_EQ(subs, (std::vector<float>{42, 102, 162}));
}

TEST(ScaleSettings, NonPositiveDecadeBoundsDoNotBreakTheLabels)
{
    TScaleSettings s;
    s.SetLogScale(true);
    TBitmap bmp(10, 10);
    s.Prepare(*bmp.Canvas(), 0, -5);
    EXPECT_FALSE(s.Labels().empty());
}
