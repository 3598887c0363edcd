// The pie's settings objects and the ring frames.
#include "PieFixtures.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/series/FramedBorder.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/support/StreamText.h"

namespace {

class PieSettings : public PieSuite {};

TEST_F(PieSettings, EmptyOtherTextReadsOtherAndIsNotStored)
{
    TPieChart c;
    TPieSeries& pie = c.Add({1});
    EXPECT_EQ(pie.OtherSlice()->Text(), "Other");
    EXPECT_FALSE(pie.OtherSlice()->IsTextStored());
    pie.OtherSlice()->SetText("Rest");
    EXPECT_EQ(pie.OtherSlice()->Text(), "Rest");
    EXPECT_TRUE(pie.OtherSlice()->IsTextStored());
}

TEST_F(PieSettings, SliceValuesPadWithZeros)
{
    TSliceValueList list;
    EXPECT_EQ(list.GetSliceValue(3), 0);
    list.SetSliceValue(5, 7);
    ASSERT_EQ(list.Count(), 6);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(list.GetSliceValue(i), 0);
    EXPECT_EQ(list.GetSliceValue(5), 7);
    EXPECT_EQ(list.GetSliceValue(6), 0);
    list.Delete(0);
    EXPECT_EQ(list.GetSliceValue(4), 7);
}

// A frame painting on the chart's recording canvas.
class RingFrames : public PieSuite {
protected:
    template <class F>
    std::vector<std::string> Paint(F& frame, const TRect& rect)
    {
        frame.SetParentPanel(&c.chart);
        c.canvas->ClearLog();
        frame.PaintFrame(rect);
        return c.Shapes({"FillRectangle", "Ellipse"});
    }
    TPieChart c;
};

TEST_F(RingFrames, RectangularFrameRingsFromTheOutsideIn)
{
    TFramedBorder frame;
    EXPECT_DOUBLE_EQ(frame.PixelWidth({0, 0, 200, 100}), 10);
    const auto shapes = Paint(frame, {0, 0, 200, 100});
    ASSERT_EQ(shapes.size(), 4u);
    // Outer 20 % of 10 pixels; then w of the 196 x 96 rectangle (9.6): middle 10 %, inner 70 %.
    EXPECT_TRUE(shapes[0].starts_with("FillRectangle(2,2,198,98)")) << shapes[0];
    EXPECT_TRUE(shapes[1].starts_with("FillRectangle(3,3,197,97)")) << shapes[1];
    EXPECT_TRUE(shapes[2].starts_with("FillRectangle(10,10,190,90)")) << shapes[2];
}

TEST_F(RingFrames, CircularFrameProportionsScaleToWhole)
{
    TCircularFrame frame;
    frame.SetCircled(false);
    frame.SetWidth(30);  // 30 pixels of a 100 x 100 rectangle
    frame.InnerProportion = frame.MiddleProportion = frame.OuterProportion = 50;
    const auto thirds = Paint(frame, {0, 0, 100, 100});
    ASSERT_EQ(thirds.size(), 3u);
    EXPECT_TRUE(thirds[0].starts_with("FillRectangle(0,0,100,100)"));
    EXPECT_TRUE(thirds[1].starts_with("FillRectangle(10,10,90,90)"));
    EXPECT_TRUE(thirds[2].starts_with("FillRectangle(20,20,80,80)"));
    // Nothing to divide: no rings.
    frame.InnerProportion = frame.MiddleProportion = frame.OuterProportion = 0;
    EXPECT_TRUE(Paint(frame, {0, 0, 100, 100}).empty());
}

TEST_F(RingFrames, PartialArcsCloseTowardsTheCentreOrByTheirChord)
{
    TCircularFrame frame;
    frame.SetCircled(true);
    // The gradient rings fill the bounds of their path: a quarter from 135 degrees clockwise is the
    // left wedge up to the centre; three quarters end at 45 degrees, closed by the chord at y 85.
    for (const auto& [total, outer] : {std::pair{90, "FillRectangle(0,15,50,85)"}, {270, "FillRectangle(0,0,100,85)"}}) {
        frame.SetTotalAngle(total);
        const auto shapes = Paint(frame, {0, 0, 100, 100});
        ASSERT_EQ(shapes.size(), 3u) << total;
        EXPECT_TRUE(shapes[0].starts_with(outer)) << total << ": " << shapes[0];
    }
}

}  // namespace
