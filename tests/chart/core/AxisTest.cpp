#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AxisFixtures.h"
#include "chart/core/ChartAxes.h"

namespace {

class Axis : public ChartCoreSuite {
protected:
    TTestAxisPanel chart{nullptr};
};

TEST_F(Axis, StandardAxesInCreationOrder)
{
    const TChartAxes& axes = chart.Axes();
    ASSERT_EQ(axes.Count(), 6);
    struct Expect {
        TChartAxis* axis;
        bool horizontal, otherSide, depth, visible;
        double z;
    };
    for (const Expect& e : {Expect{chart.BottomAxis(), true, false, false, true, 0.01},
                            Expect{chart.TopAxis(), true, true, false, true, 100},
                            Expect{chart.LeftAxis(), false, false, false, true, 0.01},
                            Expect{chart.RightAxis(), false, true, false, true, 100},
                            Expect{chart.DepthAxis(), false, true, true, false, 0.01},
                            Expect{chart.DepthTopAxis(), false, false, true, false, 0.01}}) {
        SCOPED_TRACE(e.axis->Index());
        EXPECT_TRUE(e.axis->IsStandard());
        EXPECT_EQ(e.axis->Horizontal(), e.horizontal);
        EXPECT_EQ(e.axis->OtherSide(), e.otherSide);
        EXPECT_EQ(e.axis->IsDepthAxis(), e.depth);
        EXPECT_EQ(e.axis->Visible(), e.visible);
        EXPECT_EQ(e.axis->ZPosition(), e.z);
        EXPECT_FALSE(e.axis->IsZPositionStored());
    }
    EXPECT_EQ(axes.Items(0), chart.BottomAxis());
    EXPECT_EQ(axes.Items(5), chart.DepthTopAxis());
}

TEST_F(Axis, RefusedSettingsRaiseAndChangeNothing)
{
    TChartAxis& axis = *chart.LeftAxis();
    axis.ApplyRange(0, 10);
    struct Case {
        const char* text;
        void (*set)(TChartAxis&);
    };
    const Case cases[] = {
        {"Axis Minimum Value must be <= Maximum", [](TChartAxis& a) { a.SetMinimum(11); }},
        {"Axis Maximum Value must be >= Minimum", [](TChartAxis& a) { a.SetMaximum(-1); }},
        {"Axis increment must be >= 0", [](TChartAxis& a) { a.SetIncrement(-1); }},
        {"Axis Logarithmic Base should be <> 1 and > 0", [](TChartAxis& a) { a.SetLogarithmicBase(1); }},
        {"Axis Logarithmic Base should be <> 1 and > 0", [](TChartAxis& a) { a.SetLogarithmicBase(0); }},
        {"Axis Logarithmic Base should be <> 1 and > 0", [](TChartAxis& a) { a.SetLogarithmicBase(-2); }},
        {"Axis Logarithmic Base should be <> 1 and > 0",
         [](TChartAxis& a) { a.SetLogarithmicBase(std::numeric_limits<double>::quiet_NaN()); }},
        {"Logarithmic Axis Min and Max values should be >= 0",
         [](TChartAxis& a) {
             a.ApplyRange(-1, 10);
             a.SetLogarithmic(true);
         }},
    };
    for (const Case& c : cases) {
        try {
            c.set(axis);
            ADD_FAILURE() << "no exception: " << c.text;
        } catch (const AxisException& e) {
            EXPECT_EQ(e.Message(), c.text);
        }
    }
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_EQ(axis.Increment(), 0);
    EXPECT_EQ(axis.LogarithmicBase(), 10);
    EXPECT_FALSE(axis.Logarithmic());
    axis.SetIncrement(0);
    axis.SetLogarithmicBase(2);
    EXPECT_EQ(axis.LogarithmicBase(), 2);
    EXPECT_TRUE(axis.IsLogarithmicBaseStored());
}

TEST_F(Axis, OrderIsNotCheckedWhileLoading)
{
    TChartAxis& axis = *chart.BottomAxis();
    chart.SetLoading();
    axis.SetMinimum(20);
    axis.SetMaximum(5);
    axis.SetAutomatic(false);
    EXPECT_TRUE(axis.AutomaticMinimum()) << "the stored flags are read on their own";
    static_cast<TComponent&>(chart).Loaded();
    EXPECT_EQ(axis.Minimum(), 20);
    EXPECT_EQ(axis.Maximum(), 5);
    EXPECT_THROW(axis.SetMinimum(30), AxisException);
}

TEST_F(Axis, ApplyRangeFixesBothEnds)
{
    TChartAxis& axis = *chart.BottomAxis();
    TChartAxis* sub = axis.SubAxes()->AddAxis();
    EXPECT_TRUE(sub->Horizontal()) << "a sub-axis takes its parent's orientation";
    EXPECT_EQ(sub->ParentAxis(), &axis);
    EXPECT_EQ(chart.Axes().Count(), 6) << "sub-axes are not in the chart's list";
    axis.ApplyRange(10, 5);
    EXPECT_EQ(axis.Minimum(), 5);
    EXPECT_EQ(axis.Maximum(), 10);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    EXPECT_EQ(sub->Minimum(), 5);
    EXPECT_EQ(sub->Maximum(), 10);
}

TEST_F(Axis, AutomaticFlagsFollowEachOther)
{
    TChartAxis& axis = *chart.LeftAxis();
    axis.SetAutomatic(false);
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    axis.SetAutomaticMinimum(true);
    EXPECT_FALSE(axis.Automatic()) << "the maximum is still fixed";
    axis.SetAutomaticMaximum(true);
    EXPECT_TRUE(axis.Automatic());
    axis.SetAutomaticMinimum(false);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_TRUE(axis.AutomaticMaximum());
    axis.SetAutomatic(true);
    EXPECT_TRUE(axis.AutomaticMinimum());
}

TEST_F(Axis, ZPositionAndItsStoredRule)
{
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetZPosition(50);
    EXPECT_TRUE(bottom.IsZPositionStored());
    bottom.SetZPosition(0);
    EXPECT_EQ(bottom.ZPosition(), 0.01);
    EXPECT_FALSE(bottom.IsZPositionStored());
    TChartAxis& top = *chart.TopAxis();
    top.SetZPosition(0);
    EXPECT_TRUE(top.IsZPositionStored());
    chart.DepthAxis()->SetZPosition(50);
    EXPECT_FALSE(chart.DepthAxis()->IsZPositionStored());
}

// Axis pixels 100 .. 400 (the depth axis 0 .. 300); linear range 0 .. 30, logarithmic 1 .. 1000.
enum class Kind { Linear, Fast, Logarithmic, Depth };
struct ConversionCase {
    Kind kind;
    bool horizontal, inverted;
    double value;
    int pixel;
};

class Conversion : public Axis, public ::testing::WithParamInterface<ConversionCase> {
protected:
    TChartAxis& Prepare(const ConversionCase& c, double low, double high)
    {
        TChartAxis* axis = c.kind == Kind::Depth ? chart.DepthAxis() : chart.CustomAxes()->AddAxis();
        chart.Axes().SetFastPixelCalc(c.kind == Kind::Fast);
        if (c.kind != Kind::Depth) axis->SetHorizontal(c.horizontal);
        axis->SetInverted(c.inverted);
        if (c.kind == Kind::Depth)
            axis->SetPixelBounds(0, 300);
        else
            axis->SetPixelBounds(100, 400);
        axis->ApplyRange(low, high);
        if (c.kind == Kind::Logarithmic) axis->SetLogarithmic(true);
        axis->ComputeRange();
        return *axis;
    }
};

TEST_P(Conversion, ValueToPixelAndBack)
{
    const ConversionCase& c = GetParam();
    const bool log = c.kind == Kind::Logarithmic;
    TChartAxis& axis = Prepare(c, log ? 1 : 0, log ? 1000 : 30);
    EXPECT_EQ(axis.ValueToPixel(c.value), c.pixel);
    EXPECT_EQ(c.horizontal ? axis.HorizontalValueToPixel(c.value) : axis.VerticalValueToPixel(c.value), c.pixel);
    EXPECT_NEAR(axis.PixelToValue(c.pixel), c.value, log ? c.value * 0.03 : 0.1);
    // The ends map back exactly.
    for (const int pixel : {axis.StartPixel(), axis.EndPixel()})
        EXPECT_NEAR(axis.ValueToPixel(axis.PixelToValue(pixel)), pixel, 0) << pixel;
}

// Far values, infinities and NaN all land within +-32767.
TEST_P(Conversion, EveryValueLandsWithinThePixelRange)
{
    const ConversionCase& c = GetParam();
    TChartAxis& axis = Prepare(c, 1, 2);
    const double inf = std::numeric_limits<double>::infinity();
    for (const double v : {1e300, -1e300, inf, -inf, std::numeric_limits<double>::quiet_NaN(), 1e-300, 1e6}) {
        const int p = axis.ValueToPixel(v);
        EXPECT_LE(std::abs(p), MaxPixelCoordinate) << v;
    }
    EXPECT_EQ(axis.ValueToPixel(std::numeric_limits<double>::quiet_NaN()), -MaxPixelCoordinate);
}

TEST_P(Conversion, ZeroRangeMapsToTheCentre)
{
    const ConversionCase& c = GetParam();
    TChartAxis& axis = Prepare(c, 7, 7);
    EXPECT_TRUE(axis.ZeroRange());
    EXPECT_EQ(axis.ValueToPixel(7), axis.CentrePixel());
    EXPECT_EQ(axis.ValueToPixel(1e9), axis.CentrePixel());
}

INSTANTIATE_TEST_SUITE_P(
    Axis, Conversion,
    ::testing::Values(
        ConversionCase{Kind::Linear, true, false, 5, 150}, ConversionCase{Kind::Linear, true, true, 5, 350},
        ConversionCase{Kind::Linear, false, false, 5, 350}, ConversionCase{Kind::Linear, false, true, 5, 150},
        ConversionCase{Kind::Fast, true, false, 5, 150}, ConversionCase{Kind::Fast, true, true, 5, 350},
        ConversionCase{Kind::Fast, false, false, 5, 350}, ConversionCase{Kind::Fast, false, true, 5, 150},
        ConversionCase{Kind::Logarithmic, true, false, 10, 200}, ConversionCase{Kind::Logarithmic, true, true, 10, 300},
        ConversionCase{Kind::Logarithmic, false, false, 10, 300},
        ConversionCase{Kind::Logarithmic, false, true, 10, 200}, ConversionCase{Kind::Depth, false, false, 5, 50},
        ConversionCase{Kind::Depth, false, true, 5, 250}));

TEST_F(Axis, NonFiniteRangeCountsAsZero)
{
    TChartAxis& axis = *chart.LeftAxis();
    axis.SetPixelBounds(0, 100);
    axis.ApplyRange(0, std::numeric_limits<double>::infinity());
    axis.ComputeRange();
    EXPECT_TRUE(axis.ZeroRange());
    EXPECT_EQ(axis.ValueToPixel(5), 50);
    EXPECT_EQ(axis.PixelSpan(5), 0);
}

TEST_F(Axis, LogarithmicFromZero)
{
    TChartAxis& axis = *chart.LeftAxis();
    axis.SetPixelBounds(0, 300);
    axis.ApplyRange(0, 100);
    axis.SetLogarithmic(true);
    axis.ComputeRange();
    EXPECT_EQ(axis.ValueToPixel(0), 300);
    EXPECT_EQ(axis.ValueToPixel(-5), 300);
    axis.SetInverted(true);
    EXPECT_EQ(axis.ValueToPixel(0), 0);
}

TEST_F(Axis, PixelBoundsFromTheChartRectangle)
{
    chart.SetChartRect(TRect{10, 20, 410, 220});
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetStartPosition(25);
    bottom.SetEndPosition(75);
    EXPECT_TRUE(bottom.IsStartPositionStored());
    EXPECT_TRUE(bottom.IsEndPositionStored());
    // The panel computes its chart width when it lays out; here the axis is told directly.
    bottom.SetPixelBounds(110, 310);
    EXPECT_EQ(bottom.AxisSize(), 200);
    EXPECT_EQ(bottom.CentrePixel(), 210);
}

TEST_F(Axis, MarginsWidenTheRange)
{
    TChartAxis& axis = *chart.BottomAxis();
    axis.SetPixelBounds(0, 100);
    axis.ApplyRange(0, 100);
    axis.ComputeRange();
    axis.AdjustRangeForMargins(10, 10);
    // Pixels 0 .. 100 now show what 10 .. 90 showed: the range grows by 12.5 at each end.
    EXPECT_DOUBLE_EQ(axis.WorkingMinimum(), -12.5);
    EXPECT_DOUBLE_EQ(axis.WorkingMaximum(), 112.5);
    EXPECT_EQ(axis.ValueToPixel(0), 10);
    EXPECT_EQ(axis.ValueToPixel(100), 90);
}

class AxisSeries : public Axis {
protected:
    TTestSeries a{nullptr}, b{nullptr};
};

TEST_F(AxisSeries, AutomaticRangeFromTheBoundSeries)
{
    TChartAxis& bottom = *chart.BottomAxis();
    TChartAxis& left = *chart.LeftAxis();
    bottom.ComputeRange();
    EXPECT_EQ(bottom.WorkingMinimum(), 0);
    EXPECT_EQ(bottom.WorkingMaximum(), 0);

    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    for (const double y : {3, -2, 8}) a.AddY(y);
    b.AddXY(-5, 100);
    b.SetVertAxis(aRightAxis);
    bottom.ComputeRange();
    left.ComputeRange();
    EXPECT_EQ(bottom.WorkingMinimum(), -5);
    EXPECT_EQ(bottom.WorkingMaximum(), 2);
    EXPECT_EQ(left.WorkingMinimum(), -2);
    EXPECT_EQ(left.WorkingMaximum(), 8);
    b.SetVertAxis(aBothVertAxis);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMaximum(), 100);

    a.SetActive(false);
    b.SetActive(false);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMaximum(), 100) << "hidden series keep the range while no active one is bound";

    // A fixed end stays; the other follows the series.
    a.SetActive(true);
    left.SetAutomaticMaximum(false);
    left.SetMaximum(50);
    left.ComputeRange();
    EXPECT_EQ(left.WorkingMinimum(), -2);
    EXPECT_EQ(left.WorkingMaximum(), 50);
}

TEST_F(AxisSeries, BindingToAxes)
{
    a.SetParentChart(&chart);
    EXPECT_EQ(a.GetHorizAxis(), chart.BottomAxis());
    EXPECT_EQ(a.GetVertAxis(), chart.LeftAxis());
    EXPECT_EQ(a.GetValueAxis(), chart.LeftAxis());
    EXPECT_EQ(a.GetAxisValueList(chart.BottomAxis()), a.XValues());
    EXPECT_EQ(a.GetAxisValueList(chart.LeftAxis()), a.YValues());
    EXPECT_EQ(a.GetAxisValueList(chart.TopAxis()), nullptr);
    EXPECT_TRUE(a.IsBoundToAxis(chart.DepthAxis()));
    a.SetHorizAxis(aTopAxis);
    EXPECT_TRUE(a.IsBoundToAxis(chart.TopAxis()));
    EXPECT_FALSE(a.IsBoundToAxis(chart.BottomAxis()));
    a.SetHorizAxis(aBothHorizAxis);
    EXPECT_TRUE(a.IsBoundToAxis(chart.BottomAxis()));
    EXPECT_TRUE(a.IsBoundToAxis(chart.TopAxis()));
}

TEST_F(AxisSeries, RemovingACustomAxisSendsItsSeriesBack)
{
    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    TChartAxis* horizontal = chart.CustomAxes()->AddAxis();
    horizontal->SetHorizontal(true);
    TChartAxis* vertical = chart.CustomAxes()->AddAxis();
    EXPECT_EQ(chart.Axes().Count(), 8);
    a.SetCustomHorizAxis(horizontal);
    b.SetCustomVertAxis(vertical);
    EXPECT_EQ(a.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(a.GetHorizAxis(), horizontal);
    EXPECT_TRUE(b.IsBoundToAxis(vertical));
    a.SetVertAxis(aRightAxis);  // the other choice keeps its custom axis
    EXPECT_EQ(a.GetHorizAxis(), horizontal);

    chart.CustomAxes()->Delete(0);
    chart.CustomAxes()->Delete(0);
    EXPECT_EQ(chart.CustomAxes()->Count(), 0);
    EXPECT_EQ(chart.Axes().Count(), 6);
    EXPECT_EQ(a.HorizAxis(), aBottomAxis);
    EXPECT_EQ(a.GetHorizAxis(), chart.BottomAxis());
    EXPECT_EQ(a.CustomHorizAxis(), nullptr);
    EXPECT_EQ(b.VertAxis(), aLeftAxis);
    EXPECT_EQ(b.GetVertAxis(), chart.LeftAxis());
}

// Setting a range tells every series, then repaints.
TEST_F(AxisSeries, RangeChangesReachTheSeries)
{
    struct Listening : TTestSeries {
        using TTestSeries::TTestSeries;
        std::vector<TChartAxis*> changed;
        void AxisRangeChanged(TChartAxis* axis) override { changed.push_back(axis); }
    } listening(nullptr);
    listening.SetParentChart(&chart);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetMaximum(10);
    bottom.SetMaximum(10);
    bottom.SetMinimum(2);
    EXPECT_EQ(listening.changed, (std::vector<TChartAxis*>{&bottom, &bottom}));
}

TEST_F(AxisSeries, GuardedShiftMovesOnlyWhileDataLiesBeyond)
{
    a.SetParentChart(&chart);
    for (int i = 0; i <= 20; ++i) a.AddY(i);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.ApplyRange(0, 10);
    struct Step {
        bool guarded;
        double delta, minimum, maximum;
    };
    for (const Step s : {Step{true, 5, 5, 15}, Step{true, 5, 5, 15} /* 20 - 5 is not above 15 */, Step{true, 4, 9, 19},
                         Step{true, 0, 9, 19}, Step{true, -2, 7, 17}, Step{true, -8, 7, 17} /* 0 + 8 is not below 7 */,
                         Step{false, 5, 12, 22}}) {
        bottom.ShiftRange(s.guarded, s.delta);
        EXPECT_EQ(bottom.Minimum(), s.minimum) << s.delta;
        EXPECT_EQ(bottom.Maximum(), s.maximum) << s.delta;
    }
}

TEST_F(Axis, ListCallsReachEveryAxisAndTheChart)
{
    TChartAxes& axes = chart.Axes();
    for (int i = 0; i < axes.Count(); ++i) axes.Items(i)->ApplyRange(1, 2);
    axes.SetAutomatic(false);
    for (int i = 0; i < axes.Count(); ++i) EXPECT_FALSE(axes.Items(i)->Automatic()) << i;
    axes.MakeAllAutomatic();
    for (int i = 0; i < axes.Count(); ++i) {
        EXPECT_TRUE(axes.Items(i)->Automatic()) << i;
        EXPECT_TRUE(axes.Items(i)->AutomaticMinimum()) << i;
    }
    for (bool on : {false, true}) {
        axes.SetVisible(on);
        EXPECT_EQ(chart.AxisVisible(), on);
        EXPECT_EQ(axes.GetVisible(), on);
        axes.SetBehind(on);
        EXPECT_EQ(chart.AxisBehind(), on);
        EXPECT_EQ(axes.GetBehind(), on);
    }
}

TEST_F(Axis, SubAxesTakeTheirMastersRange)
{
    TChartAxis& bottom = *chart.BottomAxis();
    TChartAxis* a = bottom.SubAxes()->AddAxis();
    TChartAxis* b = bottom.SubAxes()->AddAxis();
    b->ApplyRange(-5, 5);
    bottom.ApplyRange(10, 20);
    bottom.SubAxes()->ApplyRangeToSubAxes(&bottom);
    for (TChartAxis* sub : {a, b}) {
        EXPECT_EQ(sub->Minimum(), 10);
        EXPECT_EQ(sub->Maximum(), 20);
    }
    // Another axis is nobody's master here.
    chart.LeftAxis()->ApplyRange(0, 1);
    bottom.SubAxes()->ApplyRangeToSubAxes(chart.LeftAxis());
    EXPECT_EQ(a->Maximum(), 20);
}

TEST(ChartAxesList, ClearFreesEveryAxisOnce)
{
    TChartAxes axes;
    // Axes without a chart do not leave the list on their own.
    axes.Add(new TChartAxis(static_cast<TCustomAxisPanel*>(nullptr)));
    axes.Add(new TChartAxis(static_cast<TCustomAxisPanel*>(nullptr)));
    axes.Clear();
    EXPECT_EQ(axes.Count(), 0);
}

}  // namespace

namespace {

TEST_F(Axis, AssignCopiesTheSettings)
{
    TChartAxis& source = *chart.LeftAxis();
    source.ApplyRange(-3, 7);
    source.SetInverted(true);
    source.SetLogarithmicBase(2);
    source.SetAxisValuesFormat("0.0");
    source.SetLabelsSeparation(30);
    source.SetStartPosition(10);
    TChartAxis& target = *chart.RightAxis();
    target.Assign(&source);
    EXPECT_EQ(target.Minimum(), -3);
    EXPECT_EQ(target.Maximum(), 7);
    EXPECT_FALSE(target.Automatic());
    EXPECT_TRUE(target.Inverted());
    EXPECT_EQ(target.LogarithmicBase(), 2);
    EXPECT_EQ(target.AxisValuesFormat(), "0.0");
    EXPECT_EQ(target.LabelsSeparation(), 30);
    EXPECT_EQ(target.StartPosition(), 10);
}

}  // namespace
