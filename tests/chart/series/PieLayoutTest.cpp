// Pie data and layout: slice angles, the other slice, several pies in one chart, hit test.
#include <cmath>
#include <numbers>

#include "PieFixtures.h"
#include "chart/canvas/Shadow.h"
#include "chart/core/ValueList.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"

namespace {

class PieLayout : public PieSuite {};

double Degrees(double radians) { return radians * 180 / std::numbers::pi; }

TEST_F(PieLayout, SliceAnglesFollowTheShares)
{
    struct Case {
        std::initializer_list<double> values;
        int angleSize;
        std::vector<double> ends;  // degrees
    };
    for (const Case& k : {Case{{10, 20, 70}, 360, {36, 108, 360}}, Case{{10, -20, 70}, 180, {18, 54, 180}},
                          Case{{0, 0, 0}, 360, {360, 360, 360}}, Case{{5}, 360, {360}}}) {
        TPieChart c;
        TPieSeries& pie = c.Add(k.values);
        pie.SetAngleSize(k.angleSize);
        c.Frame();
        ASSERT_EQ(pie.SliceAngles.size(), k.ends.size());
        for (size_t i = 0; i < k.ends.size(); ++i) {
            EXPECT_NEAR(Degrees(pie.SliceAngles[i].EndAngle), k.ends[i], 1e-9) << i;
            EXPECT_NEAR(pie.SliceAngles[i].StartAngle, i == 0 ? 0 : pie.SliceAngles[i - 1].EndAngle, 1e-12);
        }
    }
}

TEST_F(PieLayout, SmallSlicesGroupIntoTheOtherSliceWhichIsNeverStored)
{
    TPieChart c;
    TPieSeries& pie = c.Add({5, 10, 85});
    pie.OtherSlice()->SetStyle(poBelowPercent);
    pie.OtherSlice()->SetValue(15);
    c.Frame();
    ASSERT_EQ(pie.Count(), 4);
    EXPECT_TRUE(pie.IsGroupedPoint(0));
    EXPECT_TRUE(pie.IsGroupedPoint(1));
    EXPECT_TRUE(pie.IsOtherPoint(3));
    EXPECT_EQ(pie.YValues()->ValueAt(3), 15);
    EXPECT_EQ(pie.GetPointLabel(3), "Other");
    EXPECT_EQ(pie.GetPointCount(), 2) << "legend items: 85 and the other slice";
    EXPECT_NEAR(Degrees(pie.SliceAngles[3].EndAngle - pie.SliceAngles[3].StartAngle), 54, 1e-9);
    EXPECT_EQ(c.Shapes({"PieByAngles"}).size(), 2u);
    EXPECT_EQ(pie.YValues()->AbsSum(), 100) << "percentages count the grouped values once";

    TMemoryStream stream;
    pie.WriteDataBinary(stream);
    EXPECT_EQ(pie.Count(), 3);
    c.Frame();
    EXPECT_EQ(pie.Count(), 4) << "the next frame groups again";
}

TEST_F(PieLayout, TheOtherSliceLegendFollowsThePiesChart)
{
    TPieChart first, second;
    TPieSeries& pie = first.Add({5, 10, 85});
    TChartLegend* legend = pie.OtherSlice()->Legend();
    ASSERT_EQ(legend->Chart(), &first.chart);
    for (TChart* next : {&second.chart, static_cast<TChart*>(nullptr), &first.chart}) {
        pie.SetParentChart(next);
        EXPECT_EQ(legend->Chart(), next);
        EXPECT_EQ(legend->ParentPanel(), next);
    }
}

TEST_F(PieLayout, SeveralPiesShareTheChartInAGrid)
{
    for (const int n : {3, 4}) {
        TPieChart c(false, 400, 300);
        std::vector<TPieSeries*> pies;
        for (int i = 0; i < n; ++i) {
            pies.push_back(&c.Add({1, 2}));
            pies.back()->SetCircled(false);
        }
        c.Frame();
        const TRect r = c.chart.ChartRect();
        const int dw = (r.Right - r.Left) / 2, dh = (r.Bottom - r.Top) / 2;
        for (int k = 0; k < n; ++k) {
            const TPieSeries& pie = *pies[static_cast<size_t>(k)];
            const int left = r.Left + dw * (k % 2), top = r.Top + dh * (k / 2);
            // The cell's 90 %, made even.
            EXPECT_NEAR(pie.CircleBounds.Left, left, 1) << n << " pies, pie " << k;
            EXPECT_NEAR(pie.CircleBounds.Top, top, 1) << n << " pies, pie " << k;
            EXPECT_NEAR(pie.CircleSizeX, std::lround(dw * 0.9), 1);
            EXPECT_NEAR(pie.CircleSizeY, std::lround(dh * 0.9), 1);
        }
    }
}

TEST_F(PieLayout, ConcentricPiesAreRingsAroundEachOther)
{
    TPieChart c;
    std::vector<TPieSeries*> pies;
    for (int i = 0; i < 3; ++i) {
        pies.push_back(&c.Add({1, 2}));
        pies.back()->SetMultiPie(mpConcentric);
    }
    c.Frame();
    const auto slices = c.Shapes({"PieByAngles", "DrawDonutSlice"});
    ASSERT_EQ(slices.size(), 6u);
    const int full = pies[0]->CircleSizeX / 2;
    EXPECT_EQ(pies[0]->RadiusX, std::lround(full * 0.33));
    EXPECT_EQ(pies[1]->RadiusX, std::lround(full * 0.66));
    EXPECT_EQ(pies[2]->RadiusX, std::lround(full * 0.99));
    EXPECT_TRUE(slices[0].starts_with("PieByAngles"));
    const int hole1 = std::lround(pies[0]->RadiusX * 100.0 / pies[1]->RadiusX);
    const int hole2 = std::lround(pies[1]->RadiusX * 100.0 / pies[2]->RadiusX);
    EXPECT_TRUE(slices[2].starts_with("DrawDonutSlice") && slices[2].find("," + std::to_string(hole1) + ")") !=
                                                                std::string::npos)
        << slices[2];
    EXPECT_NE(slices[4].find("," + std::to_string(hole2) + ")"), std::string::npos) << slices[4];
    EXPECT_TRUE(c.Shapes({"Ellipse"}).empty()) << "no pie shadow";
    EXPECT_EQ(pies[2]->DonutPercent(), 0) << "the hole is the frame's only";
}

TEST_F(PieLayout, MoreRingsThanPercentsGiveEmptyRingsWithoutHoles)
{
    TPieChart c;
    std::vector<TPieSeries*> pies;
    for (int i = 0; i < 101; ++i) {
        pies.push_back(&c.Add({1}));
        pies.back()->SetMultiPie(mpConcentric);
    }
    c.Frame();
    EXPECT_EQ(pies.back()->RadiusX, 0);
    EXPECT_TRUE(c.Shapes({"DrawDonutSlice"}).empty());
}

TEST_F(PieLayout, AClickOnTheMovedSliceHitsIt)
{
    TPieChart c;
    TPieSeries& pie = c.Add({50, 50});
    pie.SetRotationAngle(0);
    pie.ExplodedSlice().SetSliceValue(0, 40);
    pie.Shadow()->SetVisible(false);
    c.Frame();
    const TPoint offset = pie.SliceOffset(0);
    ASSERT_GT(offset.Y, 0) << "slice 0 spans the upper half";
    const int x = pie.CenterX, y = pie.CenterY - pie.RadiusY / 4;
    EXPECT_EQ(pie.HitTest(x, y - offset.Y), 0);
    EXPECT_EQ(pie.HitTest(pie.CenterX, pie.CenterY + pie.RadiusY / 2), 1);
    EXPECT_EQ(pie.HitTest(pie.CenterX + 2 * pie.RadiusX, pie.CenterY), -1);
}

}  // namespace

// A root that streams the chart; the chart streams its series.
class TPieRoot : public TComponent {
    TV_CLASS(TPieRoot, TComponent)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent*) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->GetParentComponent()) proc(Components(i));
    }
};

TV_PUBLISHED(TPieRoot) {}

namespace {

TEST_F(PieLayout, AStoredDonutReloadsWithItsSettingsAndOwnPoints)
{
    const std::initializer_list<const TMetaClass*> classes{&TPieRoot::StaticClass(), &TChart::StaticClass(),
                                                           &TDonutSeries::StaticClass()};
    RegisterClasses(classes);
    TOwnedPtr<TPieRoot> root(new TPieRoot(nullptr));
    root->SetName("Root");
    auto* chart = new TChart(root.get());
    chart->SetName("Chart1");
    auto* donut = new TDonutSeries(root.get());
    donut->SetName("Series1");
    donut->SetParentChart(chart);
    for (const double v : {5.0, 10.0, 85.0}) donut->AppendMainValue(v);
    donut->SetManualData(true);
    donut->SetDonutPercent(40);
    donut->SetRotationAngle(30);
    donut->SetMultiPie(mpConcentric);
    donut->SetBevelPercent(15);
    donut->OtherSlice()->SetStyle(poBelowValue);
    donut->OtherSlice()->SetValue(8);
    donut->PieMarks()->SetLegSize(6);
    donut->PrepareDraw();
    ASSERT_EQ(donut->Count(), 4);

    TStringStream out;
    WriteComponentToStream(out, root.get());
    TOwnedPtr<TPieRoot> back(new TPieRoot(nullptr));
    TStringStream in(out.DataString());
    ReadComponentFromStream(in, back.get());
    auto* reloaded = dynamic_cast<TDonutSeries*>(back->FindComponent("Series1"));
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->Count(), 3);
    EXPECT_EQ(reloaded->DonutPercent(), 40);
    EXPECT_EQ(reloaded->RotationAngle(), 30);
    EXPECT_EQ(reloaded->MultiPie(), mpConcentric);
    EXPECT_EQ(reloaded->Bevel()->Percent(), 15);
    EXPECT_EQ(reloaded->OtherSlice()->Style(), poBelowValue);
    EXPECT_EQ(reloaded->OtherSlice()->Value(), 8);
    EXPECT_EQ(reloaded->PieMarks()->LegSize(), 6);
    UnRegisterClasses(classes);
}

}  // namespace
