// Property paths, number, colour, toggle, sine and sound animations.
#include <gtest/gtest.h>

#include <vector>

#include "chart/animation/PropertyAnimations.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/system/Sound.h"
#include "tests/chart/animation/AnimationFixture.h"

namespace {

class PropertyAnimationTest : public AnimationSuite {
protected:
    PropertyAnimationTest()
    {
        for (int i = 0; i < 3; ++i) (new TLineSeries(&chart))->SetParentChart(&chart);
    }
    TChart chart{nullptr};
    TOwnedPtr<TZebAnimate> player{new TZebAnimate(nullptr)};

    template <class A>
    A* Add(const String& path)
    {
        auto* a = new A(player.get());
        player->Animations().AddAnimation(a);
        a->SetInstance(&chart);
        a->SetPropertyName(path);
        return a;
    }
};

TEST_F(PropertyAnimationTest, PathsWalkPropertiesListsAndItems)
{
    const struct {
        const char* path;
        bool resolves;
        TObject* holder;
        const char* name;
    } cases[] = {
        {"Title.Font.Size", true, chart.Title()->Font(), "Size"},
        {"SeriesList.Item0.Marks.Visible", true, &chart.GetSeriesAt(0)->Marks(), "Visible"},
        {"seriesList.item2.Marks.Visible", true, &chart.GetSeriesAt(2)->Marks(), "Visible"},
        {"SeriesList.Item7.Marks.Visible", false, nullptr, "Marks.Visible"},
        {"Title.Text.Text", true, chart.Title(), "Text"},  // a string list's Text: the property before it
        {"Title.Nothing.Size", false, chart.Title(), "Size"},
        {"Title.NoSuchProperty", false, chart.Title(), "NoSuchProperty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const TResolvedProperty r = ResolvePropertyPath(&chart, c.path);
        EXPECT_EQ(r.Info != nullptr, c.resolves);
        EXPECT_EQ(r.Instance, c.holder);
        EXPECT_EQ(r.Name, c.name);
    }
    EXPECT_EQ(ResolvePropertyPath(&chart, "Title.Text.Text").Info->Name, "Text");
}

TEST_F(PropertyAnimationTest, AnItemBeyondTheListCannotPlayAndWritesNothing)
{
    auto* a = Add<TNumberAnimation>("SeriesList.Item7.Marks.Visible");
    EXPECT_FALSE(a->IsResolved());
    EXPECT_FALSE(a->CanPlay());
    a->SetCurrentValue(1);  // held, not written anywhere
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(chart.GetSeriesAt(i)->Marks().Visible());
}

TEST_F(PropertyAnimationTest, NumberMovesThePropertyAndPutsItBack)
{
    chart.Title()->Font()->SetSize(8);
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        player->Animations().Clear();
        auto* a = Add<TNumberAnimation>("Title.Font.Size");
        a->SetStartValue(10);
        a->SetEndValue(30);
        a->SetKeepEndValue(keep);
        player->StartPlaying();
        Tick(16);
        Tick(484);
        EXPECT_EQ(chart.Title()->Font()->Size(), 20);
        Run(600);
        EXPECT_FALSE(player->IsPlaying());
        EXPECT_EQ(chart.Title()->Font()->Size(), keep ? 30 : 8);
        chart.Title()->Font()->SetSize(8);
    }
}

TEST_F(PropertyAnimationTest, WithoutUseStartValueTheStartIsReadWhenItStarts)
{
    chart.Title()->Font()->SetSize(8);
    auto* a = Add<TNumberAnimation>("Title.Font.Size");
    a->SetUseStartValue(false);
    a->SetEndValue(28);
    a->SetStartTime(100);
    player->StartPlaying();
    chart.Title()->Font()->SetSize(12);  // after Prepare, before the start
    Tick(16);
    Tick(100);  // starts here
    Tick(500);
    EXPECT_DOUBLE_EQ(a->StartValue(), 12);
    EXPECT_EQ(chart.Title()->Font()->Size(), 20);
}

TEST_F(PropertyAnimationTest, AHandlerTakesValuesWhenNothingResolves)
{
    auto* a = new TNumberAnimation(player.get());
    player->Animations().AddAnimation(a);
    std::vector<double> got;
    a->OnSetValue = [&](TZebAnimation*, double v) { got.push_back(v); };
    a->SetUseStartValue(false);  // must not read a property that is not there
    a->SetStartValue(5);
    a->SetEndValue(15);
    EXPECT_TRUE(a->CanPlay());
    player->StartPlaying();
    Tick(16);
    Tick(484);
    ASSERT_FALSE(got.empty());
    EXPECT_DOUBLE_EQ(a->StartValue(), 5);
    EXPECT_DOUBLE_EQ(got.back(), 10);
    player->StopPlaying();
    EXPECT_DOUBLE_EQ(got.back(), 0);  // the value before playing: none was held
    a->OnSetValue = nullptr;
}

TEST_F(PropertyAnimationTest, LinksGiveStartAndEnd)
{
    chart.Title()->Font()->SetSize(8);
    chart.SubTitle()->Font()->SetSize(40);
    auto* a = Add<TNumberAnimation>("Title.Font.Size");
    a->StartLink()->SetInstance(&chart);
    a->StartLink()->SetPropertyName("Title.Font.Size");
    a->EndLink()->SetInstance(&chart);
    a->EndLink()->SetPropertyName(" SubTitle.Font.Size ");
    EXPECT_EQ(a->EndLink()->PropertyName(), "SubTitle.Font.Size");
    EXPECT_DOUBLE_EQ(a->GetStartValue(), 8);
    EXPECT_DOUBLE_EQ(a->GetEndValue(), 40);
    a->ApplyFraction(0.5f);
    EXPECT_EQ(chart.Title()->Font()->Size(), 24);
}

TEST_F(PropertyAnimationTest, ColoursMixInRgbAndHls)
{
    auto* a = Add<TColorsAnimation>("Title.Font.Color");
    a->SetStartColor(clBlack);
    a->SetEndColor(clWhite);
    a->ApplyFraction(0.5f);
    EXPECT_EQ(chart.Title()->Font()->Color(), static_cast<TColor>(RGB(128, 128, 128)));
    a->SetStartColor(static_cast<TColor>(RGB(255, 0, 0)));
    a->SetEndColor(static_cast<TColor>(RGB(0, 0, 255)));
    a->ApplyFraction(0.25f);
    EXPECT_EQ(chart.Title()->Font()->Color(), static_cast<TColor>(RGB(191, 0, 64)));
    a->SetMethod(cmHLS);
    a->ApplyFraction(1.0f);
    EXPECT_EQ(chart.Title()->Font()->Color(), static_cast<TColor>(RGB(0, 0, 255)));
    a->ApplyFraction(0.0f);
    EXPECT_EQ(chart.Title()->Font()->Color(), static_cast<TColor>(RGB(255, 0, 0)));
}

TEST_F(PropertyAnimationTest, ToggleFlipsEveryFewFrames)
{
    auto* a = Add<TToggleAnimation>("SeriesList.Item1.Marks.Visible");
    a->SetDuration(5000);
    std::vector<bool> states;
    player->StartPlaying();
    Tick(16);  // frame 0 starts it
    for (int frame = 1; frame <= 11; ++frame) {
        Tick(16);
        states.push_back(chart.GetSeriesAt(1)->Marks().Visible());
    }
    // Flips on frames 5 and 10.
    const std::vector<bool> expected{false, false, false, false, true, true, true, true, true, false, false};
    EXPECT_EQ(states, expected);
    a->SetEvery(0);
    a->ApplyFraction(0);
    a->ApplyFraction(0);
    a->ApplyFraction(0);
    EXPECT_TRUE(chart.GetSeriesAt(1)->Marks().Visible());
}

TEST_F(PropertyAnimationTest, SineSwingsAroundTheStart)
{
    auto* a = Add<TSinusAnimation>("Title.Font.Size");
    a->SetStartValue(10);
    a->SetEndValue(20);
    const struct {
        float f;
        int size;
    } cases[] = {{0, 10}, {0.25f, 20}, {0.5f, 10}, {0.75f, 0}, {1, 10}};
    for (const auto& c : cases) {
        a->ApplyFraction(c.f);
        EXPECT_EQ(chart.Title()->Font()->Size(), c.size) << c.f;
    }
}

TEST(AnimationCurveTest, CurveStreamsAsCountAndLittleEndianPairs)
{
    TAnimationCurve curve;
    curve.X = {0, 0.5, 1};
    curve.Y = {0, 1, 0};
    TMemoryStream out;
    curve.WriteData(out);
    ASSERT_EQ(out.Size(), 4 + 3 * 16);
    const auto* bytes = static_cast<const unsigned char*>(out.Memory());
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
    // 0.5 = 0x3FE0000000000000 little-endian at the second pair's X
    EXPECT_EQ(bytes[4 + 16 + 7], 0x3F);
    EXPECT_EQ(bytes[4 + 16 + 6], 0xE0);
    out.SetPosition(0);
    TAnimationCurve back;
    back.ReadData(out);
    EXPECT_EQ(back.X, curve.X);
    EXPECT_EQ(back.Y, curve.Y);

    TMemoryStream bad;  // a count beyond the data is refused, nothing sized
    const unsigned char huge[] = {0xFF, 0xFF, 0xFF, 0x0F};
    bad.WriteBuffer(huge, 4);
    bad.SetPosition(0);
    EXPECT_THROW(back.ReadData(bad), EReadError);
    EXPECT_EQ(back.X, curve.X);
}

TEST(AnimationCurveTest, SamplesAreNormalisedAndStayInsideThePoints)
{
    TAnimationCurve curve;
    curve.ComputeSamples(5);  // flat curve: a straight ramp
    const std::vector<double> ramp{0, 0.25, 0.5, 0.75, 1};
    for (size_t i = 0; i < ramp.size(); ++i) EXPECT_NEAR(curve.Samples[i], ramp[i], 1e-12);
    curve.X = {0.2, 0.8};
    curve.Y = {1, 1};
    EXPECT_DOUBLE_EQ(curve.ValueAt(0.0), 1);  // before the first point: its value
    EXPECT_DOUBLE_EQ(curve.ValueAt(1.0), 1);
    curve.ComputeSamples(10);
    EXPECT_DOUBLE_EQ(curve.Samples.back(), 1);
    curve.X.clear();
    curve.Y.clear();
    curve.ComputeSamples(10);
    EXPECT_TRUE(curve.Samples.empty());
}

class SoundAnimationTest : public PropertyAnimationTest {
protected:
    void SetUp() override
    {
        PropertyAnimationTest::SetUp();
        SetSoundPlayer([this](const String& name, bool sync) { played.push_back({name, sync}); });
    }
    void TearDown() override
    {
        SetSoundPlayer({});
        MacroFolder().clear();
        PropertyAnimationTest::TearDown();
    }
    std::vector<std::pair<String, bool>> played;
};

TEST_F(SoundAnimationTest, PlaysOncePerPassAsAskedAndNothingWithoutAName)
{
    auto* a = new TPlaySoundAnimation(player.get());
    player->Animations().AddAnimation(a);
    EXPECT_FALSE(a->CanPlay());
    a->SetFileName("ding.wav");
    a->SetSynchronous(true);
    player->StartPlaying();
    Run(1200);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].first, "ding.wav");
    EXPECT_TRUE(played[0].second);
    TPlaySoundAnimation::PlaySoundFile("", false);
    EXPECT_EQ(played.size(), 1u);
}

TEST_F(SoundAnimationTest, MacroPrefixStandsForTheFolder)
{
    TPlaySoundAnimation a(nullptr);
    MacroFolder() = "/sounds";
    EXPECT_EQ(a.ResolveFileName(" $(ZEBFORGE)\\bell.wav "), "/sounds/bell.wav");
    EXPECT_EQ(a.ResolveFileName("$(zebforge)/bell.wav"), "/sounds/bell.wav");
    MacroFolder().clear();
    EXPECT_EQ(a.ResolveFileName("$(ZEBFORGE)\\bell.wav"), ProgramFolder() + "bell.wav");
}

TEST(SoundServiceTest, AMissingFilePlaysNothingAndRaisesNothing)
{
    EXPECT_NO_THROW(PlaySoundFile("/no/such/file.wav", true));
    EXPECT_NO_THROW(PlaySoundFile("/no/such/file.wav", false));
}

}  // namespace
