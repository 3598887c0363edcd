// The type registries (gallery registrations, tool and animation classes) and the cloning of
// series, tools and charts: names, owners, kept links and copied points.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/RecordingCanvas.h"

namespace {

class TOtherSeries : public TTestSeries {
    TV_CLASS(TOtherSeries, TTestSeries)
public:
    using TTestSeries::TTestSeries;
};

}  // namespace

TV_PUBLISHED(TOtherSeries) {}

namespace {

String description = "Two\rlines";
String page = "Tests";

class SeriesTypes : public ChartCoreSuite {
protected:
    void TearDown() override
    {
        UnregisterSeriesTypes({&TTestSeries::StaticClass(), &TOtherSeries::StaticClass()});
        UnregisterFunctionTypes({&TTestAverage::StaticClass()});
        UnregisterToolTypes({&TTestSeriesTool::StaticClass()});
        UnregisterAnimationTypes({&TTestSeriesTool::StaticClass()});
    }
    static int registrationsOf(const TMetaClass& cls)
    {
        int n = 0;
        for (const auto& type : RegisteredSeriesTypes()) n += type->SeriesClass == &cls;
        return n;
    }
};

TEST_F(SeriesTypes, PlainRegistrationIsUniqueAndVariantsRepeat)
{
    RegisterGalleryType(&TTestSeries::StaticClass(), nullptr, &description, &page, 2, 0);
    RegisterGalleryType(&TTestSeries::StaticClass(), nullptr, &description, &page, 2, 0);
    EXPECT_EQ(registrationsOf(TTestSeries::StaticClass()), 1);
    RegisterGalleryType(&TTestSeries::StaticClass(), nullptr, &description, &page, 3, 1);
    RegisterGalleryType(&TTestSeries::StaticClass(), nullptr, &description, &page, 4, 2);
    EXPECT_EQ(registrationsOf(TTestSeries::StaticClass()), 3);
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TTestSeries::StaticClass(), 2)->NumGallerySeries, 4);
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TTestSeries::StaticClass())->SubIndex, 0);
    EXPECT_EQ(GetClass("TTestSeries"), &TTestSeries::StaticClass()) << "known to stored descriptions";
    UnregisterSeriesTypes({&TTestSeries::StaticClass()});
    EXPECT_EQ(registrationsOf(TTestSeries::StaticClass()), 0);
}

TEST_F(SeriesTypes, LookupByNameIsExactAndSkipsFunctions)
{
    RegisterStandardSeriesType(TTestSeries::StaticClass(), &description);
    RegisterGalleryType(&TOtherSeries::StaticClass(), &TTestAverage::StaticClass(), &description, &page, 1, 0);
    RegisterStandardFunctionType(TTestAverage::StaticClass(), &description);
    const TZebSeriesTypes& types = RegisteredSeriesTypes();
    EXPECT_EQ(types.FindSeriesClassByName("TTestSeries"), &TTestSeries::StaticClass());
    EXPECT_EQ(types.FindSeriesClassByName("ttestseries"), nullptr);
    EXPECT_EQ(types.FindSeriesClassByName("TOtherSeries"), nullptr) << "only with a function";
    EXPECT_EQ(types.FindSeriesClassByName("TTestAverage"), nullptr);
    const TZebSeriesType* plain = types.FindSeriesType(TTestSeries::StaticClass());
    EXPECT_EQ(plain->GalleryPageText(), "Standard");
    EXPECT_EQ(plain->NumGallerySeries, 2);
    EXPECT_EQ(plain->GetFlatDescription(), "Two lines");
    TTestSeries series(nullptr);
    TOtherSeries other(nullptr);
    EXPECT_EQ(SeriesTypeDescription(series), "Two\rlines");
    EXPECT_EQ(SeriesTypeDescription(other), "TOtherSeries");
    // The description is the text variable itself: a changed text shows at once.
    description = "Renamed";
    EXPECT_EQ(SeriesTypeDescription(series), "Renamed");
    description = "Two\rlines";
}

TEST_F(SeriesTypes, ToolAndAnimationTypes)
{
    RegisterToolTypes({&TTestSeriesTool::StaticClass(), &TTestSeriesTool::StaticClass()});
    EXPECT_EQ(RegisteredToolTypes().Count(), 1);
    EXPECT_EQ(RegisteredToolTypes().GetItem(0), &TTestSeriesTool::StaticClass());
    EXPECT_EQ(RegisteredAnimationTypes().Count(), 0);
    UnregisterToolTypes({&TTestSeriesTool::StaticClass()});
    EXPECT_EQ(RegisteredToolTypes().Count(), 0);
    EXPECT_EQ(GetClass("TTestSeriesTool"), nullptr);
    // Never listed, still made unknown to stored descriptions.
    RegisterClass(TTestSeriesTool::StaticClass());
    UnregisterAnimationTypes({&TTestSeriesTool::StaticClass()});
    EXPECT_EQ(GetClass("TTestSeriesTool"), nullptr);
}

// ---- cloning ----

class Cloning : public ChartCoreSuite {
protected:
    Cloning()
    {
        chart = new TTestAxisPanel(&window);
        chart->SetName("Chart1");
    }
    TTestSeries* addSeries(const char* name)
    {
        auto* s = new TTestSeries(&window);
        s->SetName(name);
        s->SetParentChart(chart);
        return s;
    }

    TComponent window{nullptr};
    TTestAxisPanel* chart;
};

TEST_F(Cloning, MadeSeriesTakeTheFirstFreeName)
{
    addSeries("Series1");
    addSeries("Series2");
    TChartSeries* made = MakeSeriesOfClass(&window, chart, TTestSeries::StaticClass(), &TTestAverage::StaticClass());
    EXPECT_EQ(made->Name(), "Series3");
    EXPECT_EQ(made->Owner(), &window);
    EXPECT_EQ(made->ParentChart(), chart);
    ASSERT_NE(made->FunctionObject(), nullptr);
    EXPECT_EQ(made->FunctionObject()->Name(), "ZebFunction1");
    EXPECT_EQ(made->FunctionObject()->Owner(), &window);
    // A chart that owns one of its series owns the new ones too.
    auto* owned = new TTestSeries(chart);
    owned->SetParentChart(chart);
    EXPECT_EQ(MakeSeriesOfClass(&window, chart, TTestSeries::StaticClass())->Owner(), chart);
    EXPECT_EQ(UniqueSeriesName(nullptr), "Series1");
    // Without an owner the chart owns it.
    TTestAxisPanel bare(nullptr);
    EXPECT_EQ(MakeSeriesOfClass(nullptr, &bare, TTestSeries::StaticClass())->Owner(), &bare);
}

TEST_F(Cloning, ConvertedSeriesKeepsNamePlaceSourcesDependantsAndTools)
{
    TTestSeries* first = addSeries("Series1");
    TTestSeries* feeder = addSeries("Feeder");
    TTestSeries* middle = addSeries("Middle");
    TTestSeries* dependant = addSeries("Dependant");
    for (double y : {4.0, 5.0}) feeder->AppendValue(y);
    middle->SetTitle("kept title");
    middle->SetDataSource(feeder);
    dependant->SetDataSource(middle);
    auto* tool = new TTestSeriesTool(&window);
    tool->SetParentChart(chart);
    tool->SetSeries(middle);
    int clicks = 0;
    middle->SetOnClearValues([&](TChartSeries*) { ++clicks; });

    TChartSeries* converted = middle;
    ConvertSeriesClass(converted, TOtherSeries::StaticClass());
    ASSERT_NE(converted, middle);
    EXPECT_EQ(&converted->ClassType(), &TOtherSeries::StaticClass());
    EXPECT_EQ(converted->Name(), "Middle");
    EXPECT_EQ(converted->Title(), "kept title");
    EXPECT_EQ(chart->IndexOfSeries(converted), 2);
    EXPECT_EQ(chart->NumSeries(), 4);
    EXPECT_EQ(chart->GetSeriesAt(0), first);
    EXPECT_EQ(converted->DataSource(), feeder);
    EXPECT_EQ(valuesOf(converted->YValues()), (std::vector<double>{4, 5}));
    EXPECT_EQ(dependant->DataSource(), converted);
    EXPECT_EQ(valuesOf(dependant->YValues()), (std::vector<double>{4, 5}));
    EXPECT_EQ(tool->Series(), converted);
    EXPECT_TRUE(bool(converted->OnClearValues()));
    // Converting to the class it has changes nothing.
    TChartSeries* same = converted;
    ConvertSeriesClass(same, TOtherSeries::StaticClass());
    EXPECT_EQ(same, converted);
}

TEST_F(Cloning, DuplicatedChartCopiesPointsOnlyWithData)
{
    TChartAxis* custom = chart->CustomAxes()->AddAxis();
    TTestSeries* manual = addSeries("Manual");
    TTestSeries* fed = addSeries("Fed");
    for (double y : {1.0, 2.0, 3.0}) manual->AppendValue(y);
    manual->SetManualData(true);
    manual->SetCustomVertAxis(custom);
    fed->SetDataSource(manual);
    auto* tool = new TTestSeriesTool(&window);
    tool->SetParentChart(chart);
    tool->SetSeries(fed);

    for (const bool withData : {true, false}) {
        SCOPED_TRACE(withData);
        TComponent other{nullptr};
        auto* dest = new TTestAxisPanel(&other);
        DuplicateChart(dest, chart, &other, withData);
        ASSERT_EQ(dest->NumSeries(), 2);
        TChartSeries* copy = dest->GetSeriesAt(0);
        TChartSeries* fedCopy = dest->GetSeriesAt(1);
        EXPECT_EQ(copy->Owner(), &other);
        EXPECT_EQ(copy->Count(), withData ? 3 : 0);
        EXPECT_EQ(manual->Count(), 3);
        EXPECT_EQ(manual->DataMark(), TChartSeries::dmNone);
        ASSERT_EQ(dest->CustomAxes()->Count(), 1);
        EXPECT_EQ(copy->CustomVertAxis(), dest->CustomAxes()->GetAxisAt(0));
        EXPECT_EQ(fedCopy->DataSource(), copy);
        EXPECT_EQ(fedCopy->Count(), copy->Count());
        ASSERT_EQ(dest->Tools().Count(), 1);
        auto* toolCopy = dynamic_cast<TTestSeriesTool*>(dest->Tools().GetTool(0));
        ASSERT_NE(toolCopy, nullptr);
        EXPECT_EQ(toolCopy->Name(), "ChartTool1");
        EXPECT_EQ(toolCopy->Series(), fedCopy);
        EXPECT_EQ(chart->Tools().Count(), 1);
    }
}

TEST_F(Cloning, DuplicateSeriesCopiesSettingsAndFunction)
{
    TTestSeries* original = addSeries("Series1");
    original->SetTitle("original");
    auto* average = new TTestAverage(&window);
    original->AttachFunction(average);
    TChartSeries* copy = DuplicateSeries(original);
    EXPECT_EQ(copy->Name(), "Series2");
    EXPECT_EQ(copy->Title(), "original");
    ASSERT_NE(copy->FunctionObject(), nullptr);
    EXPECT_NE(copy->FunctionObject(), average);
    EXPECT_EQ(original->FunctionObject(), average);
    EXPECT_EQ(chart->NumSeries(), 2);
}

}  // namespace

namespace {

// The symbol lands on the bitmap whatever canvas the chart has, and the series, the chart and
// its canvas are as before.
class SeriesSymbol : public ChartCoreSuite {};

TEST_F(SeriesSymbol, PaintsOnAnyCanvasAndRestoresTheChart)
{
    enum Home { Chartless, RecordingChart, BufferedChart, UnbufferedChart };
    for (const Home home : {Chartless, RecordingChart, BufferedChart, UnbufferedChart}) {
        SCOPED_TRACE(static_cast<int>(home));
        TComponent window(nullptr);
        auto* series = new TTestSeries(&window);
        series->SetSeriesColor(clRed);
        TOwnedPtr<TChart> chart;
        TRecordingCanvas* recording = nullptr;
        if (home != Chartless) {
            chart.reset(new TChart(nullptr));
            if (home == RecordingChart) chart->ReplaceCanvas(recording = new TRecordingCanvas(50, 50));
            if (home == UnbufferedChart) chart->Canvas3D()->SetBuffered(false);
            series->SetParentChart(chart.get());
        }
        TCanvas3D* const chartCanvas = chart ? chart->Canvas3D() : nullptr;
        TCanvas* const bound = chartCanvas ? chartCanvas->TargetCanvas() : nullptr;
        TBitmap bitmap;
        bitmap.SetSize(20, 20);
        bitmap.Canvas()->Brush()->SetColor(clWhite);
        bitmap.Canvas()->FillRect({0, 0, 20, 20});
        if (recording) recording->ClearLog();

        PaintSeriesSymbol(series, bitmap.Canvas(), {2, 2, 18, 18});

        EXPECT_EQ(static_cast<std::uint32_t>(bitmap.Canvas()->Pixels(10, 10)) & 0xFFFFFFu, 0x0000FFu);
        EXPECT_EQ(static_cast<std::uint32_t>(bitmap.Canvas()->Pixels(0, 0)) & 0xFFFFFFu, 0xFFFFFFu);
        EXPECT_EQ(series->ParentChart(), chart.get());
        if (chart) {
            EXPECT_EQ(chart->Canvas3D(), chartCanvas);
            EXPECT_EQ(chartCanvas->TargetCanvas(), bound);
        }
        if (recording) EXPECT_TRUE(recording->Log().empty()) << recording->LogText();
        if (home == BufferedChart) EXPECT_TRUE(chartCanvas->GetBuffered());
    }
}

}  // namespace
