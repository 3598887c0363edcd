// The transform animation: element transforms of legend, titles, series, marks and axes, fades,
// and what goes back at the end.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "chart/animation/ChartAnimations.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/animation/AnimationFixture.h"
#include "tests/chart/animation/ChartFixture.h"
#include "tests/support/Golden.h"
#include "tests/support/StreamText.h"

namespace {

// Records the transform each element is opened with (enabled ones only).
class TTransformCanvas : public TRecordingCanvas {
public:
    using TRecordingCanvas::TRecordingCanvas;
    TObject* BeginElement(const String& name, TObject* owner, TZebTransform* transform) override
    {
        if (transform && transform->Enabled) Seen[name] = *transform;
        return TRecordingCanvas::BeginElement(name, owner, transform);
    }
    std::map<std::string, TZebTransform> Seen;
};

class TransformAnimationTest : public AnimationSuite {
protected:
    TransformAnimationTest()
    {
        canvas = new TTransformCanvas(400, 300);
        c.chart.ReplaceCanvas(canvas);
        c.chart.Title()->Lines()->Add("Tilt");
    }
    TTransformAnimation* Add(TChartClickedPartStyle target)
    {
        auto* a = new TTransformAnimation(player.get());
        player->Animations().AddAnimation(a);
        a->SetChart(&c.chart);
        a->SetTarget(target);
        return a;
    }
    TAnimatedChart c;
    TTransformCanvas* canvas = nullptr;
    TOwnedPtr<TZebAnimate> player{new TZebAnimate(nullptr)};
};

TEST_F(TransformAnimationTest, ComputeTransformTranslatesScalesZoomsAndTurns)
{
    TTransformAnimation a(nullptr);
    TZebTransform t;
    const TRect r{100, 50, 300, 150};
    a.ComputeTransform(t, r, 0.25f);  // from the left by default
    EXPECT_TRUE(t.Enabled);
    EXPECT_TRUE(t.Clip);
    EXPECT_FLOAT_EQ(t.TranslateX, -150);
    EXPECT_FLOAT_EQ(t.CenterX, 200);
    EXPECT_FLOAT_EQ(t.CenterY, 100);
    a.SetTranslateStyle(ttFromBottomRight);
    a.ComputeTransform(t, r, 0.5f);
    EXPECT_FLOAT_EQ(t.TranslateX, 100);
    EXPECT_FLOAT_EQ(t.TranslateY, 50);
    a.SetTranslateStyle(ttNone);
    a.SetZoomStyle(tzOut);
    a.ComputeTransform(t, r, 0.0f);
    EXPECT_FLOAT_EQ(t.ScaleX, 3);
    a.ComputeTransform(t, r, 1.0f);
    EXPECT_FLOAT_EQ(t.ScaleY, 1);
    a.SetZoomStyle(tzNone);
    a.SetScale(TTransformScale::tsVertical);
    a.SetRotateMin(90);
    a.SetRotateMax(-90);  // runs from the smaller to the larger
    a.ComputeTransform(t, r, 0.25f);
    EXPECT_FLOAT_EQ(t.ScaleX, 1);
    EXPECT_FLOAT_EQ(t.ScaleY, 0.25f);
    EXPECT_FLOAT_EQ(t.Angle, -45);
}

TEST_F(TransformAnimationTest, FadesEndAtTheOwnTransparencyAndEverythingGoesBack)
{
    auto& s = c.Add({1, 2, 3});
    s.SetTransparency(20);
    s.Marks().SetVisible(true);
    s.Marks().SetClip(false);
    for (TTransformFade fade : {tfIn, tfOut}) {
        SCOPED_TRACE(fade);
        player->Animations().Clear();
        auto* a = Add(cpSeries);
        a->SetFade(fade);
        player->StartPlaying();
        Tick(16);
        Tick(234);  // a quarter
        EXPECT_EQ(s.Transparency(), fade == tfIn ? 75 : 25);
        EXPECT_TRUE(s.Marks().Clip());
        ASSERT_NE(s.ElementTransform, nullptr);
        EXPECT_TRUE(canvas->Seen.contains(std::string(s.GetFallbackName())));
        Run(900);
        EXPECT_FALSE(player->IsPlaying());
        EXPECT_EQ(s.Transparency(), 20);  // faded out included
        EXPECT_FALSE(s.Marks().Clip());
        EXPECT_EQ(s.ElementTransform, nullptr);
    }
}

TEST_F(TransformAnimationTest, LegendAndTitleSlideInAndLeaveNoTransform)
{
    c.Add({1, 2});
    c.Frame();  // the shapes have their bounds
    for (TChartClickedPartStyle target : {cpLegend, cpTitle}) {
        player->Animations().Clear();
        auto* a = Add(target);
        a->SetFade(tfIn);
        player->StartPlaying();
        Tick(16);
        Tick(484);
        TZebCustomShape* shape = target == cpLegend ? static_cast<TZebCustomShape*>(c.chart.Legend())
                                                    : static_cast<TZebCustomShape*>(c.chart.Title());
        EXPECT_TRUE(shape->Transform()->Enabled);
        EXPECT_FLOAT_EQ(shape->Transform()->TranslateX, -0.5f * shape->ShapeBounds().Width());
        player->StopPlaying();
        EXPECT_FALSE(shape->Transform()->Enabled);
    }
    EXPECT_EQ(c.chart.Legend()->GlobalTransparency(), 0);
    EXPECT_EQ(c.chart.Title()->Transparency(), 0);
}

TEST_F(TransformAnimationTest, AxisAndMarksCarryTheirTransformToTheCanvas)
{
    auto& s = c.Add({1, 2, 3});
    s.Marks().SetVisible(true);
    auto* axis = Add(cpAxis);
    axis->SetAxis(c.chart.LeftAxis());
    Add(cpSeriesMarks);
    player->StartPlaying();
    Tick(16);
    Tick(484);
    EXPECT_TRUE(canvas->Seen.contains("Marks"));
    EXPECT_TRUE(canvas->Seen.contains(std::string(c.chart.LeftAxis()->ElementName)));
    player->StopPlaying();
    canvas->Seen.clear();
    c.Frame();
    EXPECT_TRUE(canvas->Seen.empty());
}

TEST_F(TransformAnimationTest, TheAxisIsStoredByItsPosition)
{
    auto* a = Add(cpAxisTitle);
    a->SetName("Slide");
    a->SetAxis(c.chart.RightAxis());
    const String text = ComponentToText(a);
    EXPECT_NE(text.find("AxisID = 3"), String::npos) << text;
    TTransformAnimation back(nullptr);
    back.SetChart(&c.chart);
    TextToComponent(text, &back);
    EXPECT_EQ(back.Axis(), c.chart.RightAxis());
}

}  // namespace

namespace {

// The antialiased canvas applies the element transforms: the left axis half-way in from the
// left, the marks zoomed from twice their size, each clipped to its bounds.
TEST_F(TransformAnimationTest, AxisAndMarksMoveOnTheAntialiasedCanvas)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetCanvasClassName("TGDIPlusCanvas");
    chart->SetBounds(0, 0, 480, 300);
    chart->SetView3D(false);
    chart->SetColorPaletteIndex(0);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add("Transforms");
    auto* bars = new TBarSeries(root.get());
    bars->SetParentChart(chart);
    for (double v : {3, 5, 2, 6}) bars->AppendMainValue(v);
    bars->Marks().SetVisible(true);
    TBitmap warmUp;
    testkit::RenderToBitmap(*chart, warmUp);  // the layout the transforms start from
    auto* axis = new TTransformAnimation(root.get());
    axis->SetChart(chart);
    axis->SetTarget(cpAxis);
    axis->SetAxis(chart->LeftAxis());
    axis->SetClip(false);
    auto* marks = new TTransformAnimation(root.get());
    marks->SetChart(chart);
    marks->SetTarget(cpSeriesMarks);
    marks->SetTranslateStyle(ttNone);
    marks->SetZoomStyle(tzOut);
    marks->SetMaxZoom(200);
    axis->ApplyFraction(0.5f);
    marks->ApplyFraction(0.0f);
    TBitmap picture;
    testkit::RenderToBitmap(*chart, picture);
    testsupport::ExpectMatchesGolden(picture, TV_SOURCE_DIR "/tests/chart/animation/golden", "transform_axis_marks");
    axis->Finish();
    marks->Finish();
}

}  // namespace
