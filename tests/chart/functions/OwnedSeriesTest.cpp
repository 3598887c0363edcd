// Extra lines of a function: hidden, following the output, emptied with it, freed with the
// function, and stored only through the function, so a reloaded chart has each line once.
#include <gtest/gtest.h>

#include "FunctionFixture.h"
#include "chart/core/OwnedSeries.h"
#include "chart/series/FastLineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/FormRoot.h"
#include "tests/support/StreamText.h"

namespace {

// The output copies the source; its extra line holds twice each value.
class TDoubledLineFunction : public TZebFunction {
    TV_CLASS(TDoubledLineFunction, TZebFunction)
public:
    explicit TDoubledLineFunction(TComponent* owner)
        : TZebFunction(owner), Extra(OwnedSeries().Add(new TFastLineSeries(this)))
    {
    }
    void RecomputeFrom(TChartSeries* source) override
    {
        OwnedSeries().FollowOutput(*OutputSeries());
        for (int i = 0; i < source->Count(); ++i) {
            OutputSeries()->InsertXY(source->GetPointX(i), source->GetPointY(i));
            Extra->InsertXY(source->GetPointX(i), 2 * source->GetPointY(i));
        }
    }
    TFastLineSeries* Extra;
};

}  // namespace

TV_PUBLISHED(TDoubledLineFunction) {}

namespace {

class OwnedSeries : public FunctionTest {
protected:
    void SetUp() override
    {
        source->SetParentChart(&chart);
        output->SetParentChart(&chart);
    }
    TTestAxisPanel chart{&owner};
};

TEST_F(OwnedSeries, ExtraLineIsHiddenAndFollowsTheOutputAtEachRefill)
{
    auto* f = new TDoubledLineFunction(&owner);
    TFastLineSeries& extra = *f->Extra;
    EXPECT_TRUE(extra.Internal());
    EXPECT_FALSE(extra.ShowInLegend());
    EXPECT_FALSE(extra.ShowInEditor());
    EXPECT_EQ(extra.ParentChart(), nullptr);

    int drawn = 0;
    output->SetVertAxis(aRightAxis);
    source->XValues()->SetDateTime(true);  // the output takes it from its source
    output->SetAfterDrawValues(TNotifyEvent([&](TObject*) { ++drawn; }));
    fillY({1, 2, 3});
    run(f);
    EXPECT_EQ(extra.ParentChart(), &chart);
    EXPECT_EQ(extra.VertAxis(), aRightAxis);
    EXPECT_TRUE(output->XValues()->DateTime());
    EXPECT_TRUE(extra.XValues()->DateTime());
    ASSERT_TRUE(bool(extra.AfterDrawValues()));
    extra.AfterDrawValues()(&extra);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(valuesOf(extra.YValues()), (std::vector<double>{2, 4, 6}));
    // Out of the chart's legend count and stored children.
    int children = 0;
    chart.GetChildren([&](TComponent* c) { children += c == &extra; }, nullptr);
    EXPECT_EQ(children, 0);

    // A refill replaces the points rather than adding to them.
    output->RefreshData();
    EXPECT_EQ(extra.Count(), 3);
    output->RemoveAllPoints();
    EXPECT_EQ(extra.Count(), 0);
}

TEST_F(OwnedSeries, ExtraLineGoesWithTheFunctionAndAChartFreedFirstLeavesNoDanglingLine)
{
    fillY({1, 2});
    auto* f = run(new TDoubledLineFunction(&owner));
    ASSERT_EQ(chart.NumSeries(), 3);
    output->AttachFunction(nullptr);  // frees the function
    EXPECT_EQ(chart.NumSeries(), 2);

    auto* panel = new TTestAxisPanel(&owner);
    auto* out2 = new TTestSeries(&owner);
    out2->SetParentChart(panel);
    auto* g = new TDoubledLineFunction(&owner);
    out2->AttachFunction(g);
    out2->SetDataSource(source);
    ASSERT_EQ(g->Extra->ParentChart(), panel);
    g->Extra->Free();  // freed by someone else: the function forgets it
    EXPECT_EQ(g->OwnedSeries().Count(), 0);
    out2->RemoveAllPoints();
    // The chart frees its series, the output with its function and the function's lines.
    g = new TDoubledLineFunction(&owner);
    out2->AttachFunction(g);
    out2->RefreshData();
    panel->Free();
    (void)f;
}

TEST_F(OwnedSeries, AStoredChartReloadsWithEachExtraLineOnce)
{
    RegisterClasses({&TFormRoot::StaticClass(), &TTestAxisPanel::StaticClass(), &TTestSeries::StaticClass(),
                     &TDoubledLineFunction::StaticClass(), &TFastLineSeries::StaticClass()});
    TOwnedPtr<TFormRoot> root(new TFormRoot(nullptr));
    root->SetName("Root");
    auto* panel = new TTestAxisPanel(root.get());
    panel->SetName("Chart1");
    auto* src = new TTestSeries(root.get());
    src->SetName("Series1");
    src->SetParentChart(panel);
    for (double y : {1.0, 2.0, 3.0}) src->AppendValue(y);
    src->SetManualData(true);
    auto* out = new TTestSeries(root.get());
    out->SetName("Series2");
    out->SetParentChart(panel);
    auto* f = new TDoubledLineFunction(root.get());
    f->SetName("Function1");
    out->AttachFunction(f);
    out->SetDataSource(src);
    ASSERT_EQ(panel->NumSeries(), 3);

    TStringStream stored;
    WriteComponentToStream(stored, root.get());
    const String text = testsupport::toText(stored.DataString());
    EXPECT_EQ(text.find("TFastLineSeries"), String::npos) << text;

    for (int round = 0; round < 2; ++round) {
        TOwnedPtr<TFormRoot> back(new TFormRoot(nullptr));
        TStringStream in(stored.DataString());
        ReadComponentFromStream(in, back.get());
        auto* chart2 = dynamic_cast<TTestAxisPanel*>(back->FindComponent("Chart1"));
        ASSERT_NE(chart2, nullptr);
        auto* out2 = dynamic_cast<TTestSeries*>(back->FindComponent("Series2"));
        ASSERT_NE(out2, nullptr);
        out2->RefreshData();
        EXPECT_EQ(chart2->NumSeries(), 3);
        auto* g = dynamic_cast<TDoubledLineFunction*>(out2->FunctionObject());
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(valuesOf(g->Extra->YValues()), (std::vector<double>{2, 4, 6}));
        // Stored again, the copy still holds no line of its own.
        TStringStream again;
        WriteComponentToStream(again, back.get());
        EXPECT_EQ(testsupport::toText(again.DataString()).find("TFastLineSeries"), String::npos);
    }
    UnRegisterClasses({&TFormRoot::StaticClass(), &TTestAxisPanel::StaticClass(), &TTestSeries::StaticClass(),
                       &TDoubledLineFunction::StaticClass(), &TFastLineSeries::StaticClass()});
}

}  // namespace
