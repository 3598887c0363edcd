// The animation tools in a chart's Animations list: automatic play, streams, legacy tools, the
// expand tool under the mouse, and the registered classes.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/animation/AnimationTools.h"
#include "chart/animation/PropertyAnimations.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/SeriesTypes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/animation/AnimationFixture.h"
#include "tests/chart/animation/ChartFixture.h"
#include "tests/support/RegistryCheck.h"
#include "tests/support/StreamText.h"

namespace {

class AnimationToolTest : public AnimationSuite {
protected:
    static String store(TComponent* root)
    {
        TStringStream s;
        WriteComponentToStream(s, root);
        return testsupport::toText(s.DataString());
    }
    static TOwnedPtr<TChart> load(const String& text)
    {
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        TextToComponent(text, chart.get());
        return chart;
    }
    TAnimatedChart c;
};

TEST_F(AnimationToolTest, TwelveAnimationClassesAndThreeToolTypesAreRegistered)
{
    ASSERT_NE(AnimationClassNames(), nullptr);
    EXPECT_EQ(AnimationClassNames()->Count(), 12);
    EXPECT_EQ(AnimationClassNames()->Strings(0), "TNumberAnimation");
    EXPECT_EQ(AnimationClassNames()->Strings(11), "TSeriesTransitionAnimation");
    for (int i = 0; i < AnimationClassNames()->Count(); ++i)
        EXPECT_NE(GetClass(AnimationClassNames()->Strings(i)), nullptr) << AnimationClassNames()->Strings(i);
    EXPECT_GE(RegisteredAnimationTypes().IndexOf(TSeriesAnimationTool::StaticClass()), 0);
    EXPECT_GE(RegisteredAnimationTypes().IndexOf(TExpandAnimation::StaticClass()), 0);
    EXPECT_GE(RegisteredAnimationTypes().IndexOf(TZebAnimationTool::StaticClass()), 0);
}

TEST_F(AnimationToolTest, AutoPlayStartsOnceAtTheFirstDraw)
{
    auto* tool = new TZebAnimationTool(&c.chart);
    tool->SetParentChart(&c.chart);
    tool->SetAutoPlay(true);
    int plays = 0;
    tool->SetOnPlay([&](TObject*) { ++plays; });
    auto* number = new TNumberAnimation(tool);
    tool->GetAnimations().AddAnimation(number);
    number->OnSetValue = [](TZebAnimation*, double) {};
    c.Frame();
    EXPECT_TRUE(tool->IsPlaying());
    Run(1200);
    EXPECT_FALSE(tool->IsPlaying());
    c.Frame();
    c.Frame();
    EXPECT_EQ(plays, 1);
}

TEST_F(AnimationToolTest, AStoredChartPlaysItsSeriesAnimationOnceAfterLoad)
{
    auto& s = c.Add({2, 4, 8});
    s.SetName("Series1");
    auto* tool = new TZebAnimationTool(&c.chart);
    tool->SetParentChart(&c.chart);
    tool->SetName("Grow");
    tool->SetAutoPlay(true);
    auto* grow = new TSeriesAnimation(tool);
    grow->SetName("GrowValues");
    grow->SetChart(&c.chart);
    grow->SetDuration(400);
    tool->GetAnimations().AddAnimation(grow);
    auto* title = new TNumberAnimation(tool);
    title->SetName("TitleSize");
    tool->GetAnimations().AddAnimation(title);
    const String text = store(&c.chart);
    EXPECT_NE(text.find("object GrowValues: TSeriesAnimation"), String::npos) << text;

    auto loaded = load(text);
    ASSERT_EQ(loaded->Animations().Count(), 1);
    auto* back = dynamic_cast<TZebAnimationTool*>(loaded->Animations().GetAnimation(0));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetAnimations().Count(), 2);
    auto* titleBack = dynamic_cast<TNumberAnimation*>(back->GetAnimations().GetAnimation(1));
    ASSERT_NE(titleBack, nullptr);
    EXPECT_EQ(titleBack->Instance(), loaded.get());  // property animations of a tool animate its chart
    const String tools = text.substr(text.find("  object Grow"));
    EXPECT_NE(store(loaded.get()).find(tools), String::npos);
    for (double v : {2, 4, 8}) loaded->GetSeriesAt(0)->AppendMainValue(v);  // values are not stored

    loaded->SetBounds(0, 0, 400, 300);
    loaded->ReplaceCanvas(new TRecordingCanvas(400, 300));
    loaded->RenderTo(nullptr, {0, 0, 400, 300});
    EXPECT_TRUE(back->IsPlaying());
    Run(600);
    EXPECT_FALSE(back->IsPlaying());
    loaded->RenderTo(nullptr, {0, 0, 400, 300});
    EXPECT_FALSE(back->IsPlaying());
    EXPECT_EQ(c.Values(*loaded->GetSeriesAt(0)), (std::vector<double>{2, 4, 8}));
}

TEST_F(AnimationToolTest, LegacyToolsKeepTheirStreamedInnerAnimationAndReadSteps)
{
    auto* tool = new TSeriesAnimationTool(&c.chart);
    tool->SetParentChart(&c.chart);
    tool->SetName("Legacy");
    tool->SetDrawEvery(2);
    tool->SetDuration(700);
    ASSERT_NE(tool->InnerAnimation(), nullptr);
    EXPECT_EQ(tool->Inner()->Chart(), &c.chart);
    tool->InnerAnimation()->SetName("Inner");
    const String text = store(&c.chart);
    auto loaded = load(text);
    auto* back = dynamic_cast<TSeriesAnimationTool*>(loaded->Animations().GetAnimation(0));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetAnimations().Count(), 1);  // the stream's, not a second one
    EXPECT_EQ(back->InnerAnimation()->Name(), "Inner");
    EXPECT_EQ(back->DrawEvery(), 2);
    EXPECT_EQ(back->Duration(), 700);

    auto old = load("object C: TChart\r\n  object T: TSeriesAnimationTool\r\n    Steps = 100\r\n  end\r\nend\r\n");
    auto* legacy = dynamic_cast<TSeriesAnimationTool*>(old->Animations().GetAnimation(0));
    ASSERT_NE(legacy, nullptr);
    EXPECT_EQ(legacy->Duration(), 1667);
    EXPECT_EQ(legacy->GetAnimations().Count(), 1);
}

TEST_F(AnimationToolTest, SeriesToolRelaysItsEvents)
{
    c.Add({1, 2});
    auto* tool = new TSeriesAnimationTool(&c.chart);
    tool->SetParentChart(&c.chart);
    int started = 0, stepped = 0, stopped = 0, lastStep = -5;  // the highest frame seen
    tool->OnStart = [&](TObject*) { ++started; };
    tool->OnStep = [&](TSeriesAnimationTool*, int step) { ++stepped, lastStep = std::max(lastStep, step); };
    tool->OnStop = [&](TObject*) { ++stopped; };
    tool->PlayAnimation();
    Run(1200);
    EXPECT_EQ(started, 1);
    EXPECT_GT(stepped, 1);
    EXPECT_GT(lastStep, 0);
    EXPECT_EQ(stopped, 1);
}

TEST_F(AnimationToolTest, ExpandToolSwellsAHoveredPointOnce)
{
    auto& s = c.Add<TLineSeries>({1, 5, 3});
    s.Pointer()->SetVisible(true);
    c.Frame();
    auto* tool = new TExpandAnimation(&c.chart);
    tool->SetParentChart(&c.chart);
    EXPECT_EQ(tool->Speed(), 10);
    EXPECT_EQ(tool->Target(), cpSeriesPointer);
    const int x = s.PointScreenX(1), y = s.PointScreenY(1);
    tool->HandleMouse(tmkMove, mbLeft, {}, x, y);
    EXPECT_TRUE(tool->IsPlaying());
    Tick(16);
    Tick(84);  // the top of its two-way run
    EXPECT_EQ(s.Pointer()->EnsureItem(1)->HorizSize(), s.Pointer()->HorizSize() + 10);
    tool->HandleMouse(tmkMove, mbLeft, {}, x, y);  // still on it: nothing new
    Run(200);
    EXPECT_FALSE(tool->IsPlaying());
    tool->HandleMouse(tmkMove, mbLeft, {}, x, y);  // the same point again: no second swell
    EXPECT_FALSE(tool->IsPlaying());
    EXPECT_EQ(s.Pointer()->EnsureItem(1)->HorizSize(), s.Pointer()->HorizSize());
    tool->HandleMouse(tmkMove, mbLeft, {}, s.PointScreenX(2), s.PointScreenY(2));  // the next point
    EXPECT_TRUE(tool->IsPlaying());
}

TEST_F(AnimationToolTest, EveryAnimationClassStreamsAndAssigns)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    std::vector<const TMetaClass*> classes{&TZebAnimate::StaticClass(), &TZebAnimationTool::StaticClass(),
                                           &TExpandAnimation::StaticClass(), &TSeriesAnimationTool::StaticClass()};
    for (int i = 0; i < AnimationClassNames()->Count(); ++i) classes.push_back(&FindClass(AnimationClassNames()->Strings(i)));
    for (const TMetaClass* cls : classes) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String all;
        for (const String& f : faults) all += f + "\n";
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":\n" << all;
    }
}

}  // namespace
