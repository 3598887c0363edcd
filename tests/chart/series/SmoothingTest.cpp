// Smoothed line series: the hidden copy and the curve, the points given back, and the stored form
// of a chart saved while a series is smoothed.
#include <tuple>

#include "SeriesTestPanel.h"
#include "chart/core/SeriesData.h"
#include "chart/core/ZebSpline.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/FormRoot.h"
#include "tests/support/StreamText.h"

namespace {

std::vector<double> values(const TChartSeries& s)
{
    std::vector<double> out;
    for (int i = 0; i < s.Count(); ++i) out.push_back(s.YValues()->ValueAt(i));
    return out;
}

const std::vector<double> Own{1, 3, 2, 5};

}  // namespace

TEST_F(LineFamily, SmoothedOnAPointSeriesMakesNoCopy)
{
    auto* s = Add<TPointSeries>({1, 3, 2, 5});
    s->SetSmoothed(true);
    s->PrepareDraw();
    EXPECT_EQ(s->ComponentCount(), 0);
    EXPECT_EQ(s->FunctionObject(), nullptr);
    EXPECT_EQ(values(*s), Own);
}

TEST_F(LineFamily, SmoothedLineShowsTheCurveAndGivesItsOwnPointsBack)
{
    auto* s = Add<TLineSeries>({1, 3, 2, 5});
    s->SetManualData(true);
    s->SetSmoothed(true);
    s->PrepareDraw();
    EXPECT_NE(dynamic_cast<TSmoothingFunction*>(s->FunctionObject()), nullptr);
    EXPECT_GT(s->Count(), 4);
    EXPECT_TRUE(s->ManualData());
    s->PrepareDraw();  // a second drawing keeps the curve
    EXPECT_GT(s->Count(), 4);

    s->SetSmoothed(false);
    s->PrepareDraw();
    EXPECT_EQ(values(*s), Own);
    EXPECT_EQ(s->FunctionObject(), nullptr);
    EXPECT_EQ(s->DataSource(), nullptr);
    EXPECT_EQ(s->ComponentCount(), 0);
    EXPECT_TRUE(s->ManualData());
}

// Saved while smoothed, a series reloads with its own points (stored as its points, or forced
// into the file, or loaded again from its source) and with neither the function nor the copy.
TEST_F(LineFamily, ASmoothedLineSeriesSavedAndReloadedKeepsItsPoints)
{
    RegisterClasses({&TFormRoot::StaticClass(), &TLineTestPanel::StaticClass(), &TLineSeries::StaticClass()});
    enum { Manual, Forced, FromSource };
    for (int how : {Manual, Forced, FromSource}) {
        SCOPED_TRACE(how);
        TOwnedPtr<TFormRoot> root(new TFormRoot(nullptr));
        root->SetName("Root");
        auto* panel = new TLineTestPanel(root.get());
        panel->SetName("Chart1");
        auto* s = new TLineSeries(root.get());
        s->SetName("Series1");
        s->SetParentChart(panel);
        TLineSeries* feed = s;
        if (how == FromSource) {
            feed = new TLineSeries(root.get());
            feed->SetName("Series2");
            feed->SetParentChart(panel);
        }
        for (double y : Own) feed->AppendValue(y);
        feed->SetManualData(true);
        if (how == FromSource) s->SetDataSource(feed);
        if (how == Forced) s->SetManualData(false);
        s->SetSmoothed(true);
        s->PrepareDraw();
        ASSERT_GT(s->Count(), 4);

        TStringStream out;
        {
            const TSeriesDataMarkGuard force(*s, how == Forced ? TChartSeries::dmForceData : TChartSeries::dmNone);
            WriteComponentToStream(out, root.get());
        }
        const String text = testsupport::toText(out.DataString());
        EXPECT_EQ(text.find("TSmoothingFunction"), String::npos) << text;
        EXPECT_EQ(text.find("DataSource") != String::npos, how == FromSource) << text;

        TOwnedPtr<TFormRoot> back(new TFormRoot(nullptr));
        TStringStream in(out.DataString());
        ReadComponentFromStream(in, back.get());
        auto* reloaded = dynamic_cast<TLineSeries*>(back->FindComponent("Series1"));
        ASSERT_NE(reloaded, nullptr);
        EXPECT_EQ(values(*reloaded), Own);
        EXPECT_EQ(reloaded->FunctionObject(), nullptr);
        if (how == FromSource) {
            EXPECT_EQ(reloaded->DataSource(), back->FindComponent("Series2"));
        }
    }
    UnRegisterClasses({&TFormRoot::StaticClass(), &TLineTestPanel::StaticClass(), &TLineSeries::StaticClass()});
}
