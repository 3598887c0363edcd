// Chart files: the header and the recognition of the three forms, round trips with and without
// points, names, refused and broken files, files that survive a failed write, and the XML form
// checked by xmllint.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "IoFixtures.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartException.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebFunction.h"
#include "chart/io/ChartFile.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Label.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Unicode.h"
#include "tests/chart/support/XmlFormText.h"

namespace {

// The mean of the sources' values at each index.
class TIoAverage : public TZebFunction {
    TV_CLASS(TIoAverage, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override
    {
        double sum = 0;
        for (const double v : work) sum += v;
        return work.empty() ? 0 : sum / static_cast<double>(work.size());
    }
};

class ChartFile : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterClass(TIoAverage::StaticClass()); }

    // Two line series with labels and a coloured point, and the average of both as a third.
    static TOwnedPtr<TChart> makeChart()
    {
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        TLineSeries& a = AddLine(*chart, "Pitch");
        TLineSeries& b = AddLine(*chart, "Roll");
        a.SetName("Series1");
        b.SetName("Series2");
        a.InsertXY(0, 1.5, "first");
        a.InsertXY(1, -2.25, "", clRed);
        a.InsertXY(2, 3);
        b.InsertXY(0, 10);
        b.InsertXY(1, 20);
        b.InsertXY(2, 30);
        TLineSeries& mean = AddLine(*chart, "Mean");
        mean.SetName("Series3");
        auto* average = new TIoAverage(chart.get());
        average->SetName("Function1");
        mean.AttachFunction(average);
        mean.DataSources().AddSource(&a);
        mean.DataSources().AddSource(&b);
        return chart;
    }

    static String written(TComponent* chart, bool includeData, bool asText)
    {
        TStringStream stream;
        WriteChartStream(chart, stream, includeData, asText);
        return stream.DataString();
    }

    static void load(TCustomChart& chart, const String& bytes, bool readData = false)
    {
        TStringStream stream(bytes);
        ReadChartStream(&chart, stream, readData);
    }

    static TLineSeries& seriesAt(TCustomChart& chart, int index)
    {
        return dynamic_cast<TLineSeries&>(*chart.SeriesList().GetSeriesAt(index));
    }

    static String firstLine(const String& text) { return text.substr(0, text.find("\r\n")); }
};

}  // namespace

TV_PUBLISHED_AS(TIoAverage, TZebFunctionClass) {}

TEST_F(ChartFile, BinaryStartsWithTheHeaderAndTheTextNamesOnlyTheClass)
{
    TOwnedPtr<TChart> chart = makeChart();
    chart->SetName("MainChart");
    const String binary = written(chart.get(), true, false);
    ASSERT_GE(binary.size(), 8u);
    EXPECT_EQ(binary.substr(0, 8), String("\x60\x30\x57\x01TPF0", 8));
    EXPECT_EQ(firstLine(written(chart.get(), true, true)), "object TChart");
    EXPECT_EQ(chart->Name(), "MainChart") << "the name is given back after writing";
    for (TChartSeries* series : chart->SeriesList()) EXPECT_EQ(series->DataMark(), TChartSeries::dmNone);
}

TEST_F(ChartFile, SeriesAndFunctionsComeBackWithOrWithoutTheirPoints)
{
    for (const bool asText : {false, true})
        for (const bool includeData : {false, true}) {
            SCOPED_TRACE(String(asText ? "text" : "binary") + (includeData ? " with data" : " without data"));
            TOwnedPtr<TChart> chart = makeChart();
            const String bytes = written(chart.get(), includeData, asText);
            TOwnedPtr<TChart> back(new TChart(nullptr));
            load(*back, bytes);
            ASSERT_EQ(back->SeriesList().Count(), 3);
            TLineSeries& a = seriesAt(*back, 0);
            EXPECT_EQ(a.Title(), "Pitch");
            EXPECT_EQ(seriesAt(*back, 1).Title(), "Roll");
            TLineSeries& mean = seriesAt(*back, 2);
            ASSERT_NE(mean.FunctionObject(), nullptr);
            EXPECT_EQ(mean.FunctionObject()->ClassType().ClassName(), "TIoAverage");
            ASSERT_EQ(mean.DataSources().Count(), 2);
            if (!includeData) {
                EXPECT_EQ(a.Count(), 0);
                continue;
            }
            ASSERT_EQ(a.Count(), 3);
            EXPECT_EQ(a.YValues()->ValueAt(1), -2.25);
            EXPECT_EQ(a.GetLabelAt(0), "first");
            EXPECT_EQ(a.GetPointColor(1), clRed);
            ASSERT_EQ(mean.Count(), 3) << "the function computes from the loaded sources";
            EXPECT_DOUBLE_EQ(mean.YValues()->ValueAt(2), 16.5);
        }
}

TEST_F(ChartFile, TwoLineSeriesPassBinaryTextBinaryByteForByte)
{
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    for (const char* title : {"X", "Y"}) {
        TLineSeries& s = AddLine(*chart, title);
        s.SetName(String("Series") + title);
        for (int i = 0; i < 5; ++i) s.AppendValue(i * 0.1 + (title[0] == 'Y' ? 7 : 0));
    }
    const String binary = written(chart.get(), true, false);
    TStringStream source(binary), text, back;
    ChartStreamToText(source, text);
    EXPECT_EQ(firstLine(text.DataString()), "object TChart");
    text.SetPosition(0);
    ChartStreamToBinary(text, back);
    EXPECT_EQ(back.DataString(), binary);
}

TEST_F(ChartFile, AnyVersionWordAndEitherCaseOfObjectLoad)
{
    TOwnedPtr<TChart> source = makeChart();
    String binary = written(source.get(), true, false);
    binary[2] = '\x12';
    binary[3] = '\x34';
    const String text = written(source.get(), true, true);
    String capital = text;
    capital[0] = 'O';
    for (const String& bytes : {binary, text, capital}) {
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        load(*chart, bytes);
        EXPECT_EQ(chart->SeriesList().Count(), 3);
    }
}

TEST_F(ChartFile, RefusedStreamsLeaveTheChartAsItWas)
{
    struct Case {
        const char* name;
        String bytes;
        String message;
    };
    const String text = "object TChart\r\nend\r\n";
    for (const Case& k : {Case{"empty", "", TxtEmptyZebFile}, Case{"inherited", "inherited TChart\r\nend\r\n", TxtWrongZebFileFormat},
                          Case{"blank first line", "\r\n" + text, TxtWrongZebFileFormat},
                          Case{"xml", "<?xml version=\"1.0\"?>\r\n<TChart/>\r\n", TxtWrongZebFileFormat},
                          Case{"one byte", "\x60", TxtWrongZebFileFormat}}) {
        SCOPED_TRACE(k.name);
        TOwnedPtr<TChart> chart = makeChart();
        try {
            load(*chart, k.bytes);
            ADD_FAILURE() << "loaded";
        } catch (const ChartException& e) {
            EXPECT_EQ(e.Message(), k.message);
        }
        EXPECT_EQ(chart->SeriesList().Count(), 3);
        EXPECT_TRUE(chart->AutoRepaint());
    }
    EXPECT_THROW(ReadChartStreamBasic(nullptr, *std::make_unique<TStringStream>(text)), ChartException);
}

TEST_F(ChartFile, ABrokenFileRaisesAndLeavesAnEmptiedChartThatRepaints)
{
    TOwnedPtr<TChart> source = makeChart();
    const String binary = written(source.get(), true, false);
    String unknownClass = written(source.get(), true, true);
    unknownClass.replace(unknownClass.find("TLineSeries"), 11, "TNoSuchSeries");
    for (const String& bytes : {binary.substr(0, binary.size() / 2), binary.substr(0, 6), unknownClass}) {
        TOwnedPtr<TChart> chart = makeChart();
        chart->SetAutoRepaint(true);
        EXPECT_ANY_THROW(load(*chart, bytes));
        EXPECT_TRUE(chart->AutoRepaint()) << "auto-repaint is on again after the failed load";
        EXPECT_EQ(chart->SeriesList().Count(), 0);
        // Still usable: the next load works.
        load(*chart, binary);
        EXPECT_EQ(chart->SeriesList().Count(), 3);
    }
}

TEST_F(ChartFile, UnknownPropertiesAndHandlersAreSkipped)
{
    TOwnedPtr<TChart> source = makeChart();
    String text = written(source.get(), true, true);
    const auto at = text.find("\r\n") + 2;
    text.insert(at, "  NoSuchProperty = 12\r\n  OnAfterDraw = NoSuchHandler\r\n  Title.NoSuchEither = 'x'\r\n");
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    load(*chart, text);
    EXPECT_EQ(chart->SeriesList().Count(), 3);

    // A hook that refuses stops the load.
    TStringStream stream(text);
    TOwnedPtr<TChart> strict(new TChart(nullptr));
    EXPECT_ANY_THROW(ReadChartStream(strict.get(), stream, false, [](const String&) { return false; }));
}

TEST_F(ChartFile, LoadingKeepsTheChartsNameAndAnUnnamedChartStaysUnnamed)
{
    TOwnedPtr<TChart> source = makeChart();
    source->SetName("Saved");
    const String bytes = written(source.get(), false, false);
    TOwnedPtr<TChart> named(new TChart(nullptr));
    named->SetName("Shown");
    load(*named, bytes);
    EXPECT_EQ(named->Name(), "Shown");
    TOwnedPtr<TChart> unnamed(new TChart(nullptr));
    load(*unnamed, bytes);
    EXPECT_EQ(unnamed->Name(), "");
}

TEST_F(ChartFile, SeriesDataAfterTheComponentIsReadWhenAsked)
{
    TOwnedPtr<TChart> source = makeChart();
    TStringStream stream;
    WriteChartStream(source.get(), stream, false);
    for (TChartSeries* series : source->SeriesList()) series->WriteDataBinary(stream);
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    stream.SetPosition(0);
    ReadChartStream(chart.get(), stream, true);
    EXPECT_EQ(seriesAt(*chart, 0).Count(), 3);
    EXPECT_EQ(seriesAt(*chart, 1).YValues()->ValueAt(2), 30);
}

TEST_F(ChartFile, FileNamesGetTheExtensionOnlyWhenTheyHaveNone)
{
    struct Case {
        const char* name;
        const char* expected;
    };
    for (const Case& k : {Case{"chart", "chart.zeb"}, Case{"chart.zeb", "chart.zeb"}, Case{"chart.txt", "chart.txt"},
                          Case{"/tmp/my.charts/chart", "/tmp/my.charts/chart.zeb"},
                          Case{"/tmp/my.charts/chart.old", "/tmp/my.charts/chart.old"}}) {
        EXPECT_EQ(AddChartFileExtension(k.name), k.expected) << k.name;
    }
}

TEST_F(ChartFile, FilesRoundTripAndAFailedWriteKeepsTheOldFileAndTheName)
{
    TTempFile file("tv_chart_file", "");
    TOwnedPtr<TChart> chart = makeChart();
    chart->SetName("Kept");
    WriteChartFile(chart.get(), file.Name(), true);
    const String zeb = file.Name() + ".zeb";
    const String before = ReadWholeFile(zeb);
    TOwnedPtr<TChart> back(new TChart(nullptr));
    ReadChartFileBasic(back.get(), file.Name());
    EXPECT_EQ(seriesAt(*back, 0).Count(), 3);
    EXPECT_THROW(ReadChartFileBasic(back.get(), file.Name() + "_missing"), EFOpenError);
    EXPECT_EQ(back->SeriesList().Count(), 3) << "a file that does not open leaves the chart alone";

    // The text form has no infinities: the write fails half way.
    chart->LeftAxis()->SetMaximum(std::numeric_limits<double>::infinity());
    EXPECT_ANY_THROW(WriteChartFile(chart.get(), zeb, true, true));
    EXPECT_EQ(chart->Name(), "Kept");
    EXPECT_EQ(ReadWholeFile(zeb), before);
    for (const auto& entry : std::filesystem::directory_iterator(file.Path().parent_path()))
        EXPECT_EQ(entry.path().string().find(file.Path().filename().string() + ".zeb."), std::string::npos)
            << "no temporary file is left: " << entry.path();
    std::filesystem::remove(zeb.c_str());
}

TEST_F(ChartFile, XmlFormHasTheDeclarationAndPassesXmllint)
{
    TOwnedPtr<TChart> chart = makeChart();
    chart->Title()->Lines()->SetText("A & <B> \"C\" é");
    TTempFile file("tv_chart_file", ".xml");
    WriteChartXmlFile(chart.get(), file.Name(), true);
    const String xml = ReadWholeFile(file.Name());
    EXPECT_EQ(firstLine(xml), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
    EXPECT_NE(xml.find("<TChart>"), String::npos);
    if (!HaveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    const TCommandResult result = RunCommandStatus("xmllint --noout '" + file.Name() + "'");
    EXPECT_EQ(result.Code, 0) << result.Output;
    TStringStream xmlStream(xml);
    EXPECT_FALSE(IsChartStream(xmlStream)) << "XML chart files do not load back";
}

TEST_F(ChartFile, AChartOwnedByAWindowWritesItsSeriesAndLoadsIntoAnotherChart)
{
    // As in the main window: the window owns the chart and its series.
    TOwnedPtr<TComponent> window(new TComponent(nullptr));
    window->SetName("MainForm");
    auto* chart = new TChart(window.get());
    chart->SetName("Chart1");
    for (const char* name : {"Series1", "Series2"}) {
        auto* series = new TLineSeries(window.get());
        series->SetName(name);
        series->SetParentChart(chart);
        series->AppendValue(4);
    }
    const String text = written(chart, true, true);
    EXPECT_EQ(firstLine(text), "object TChart");
    EXPECT_NE(text.find("object Series2: TLineSeries"), String::npos) << text;
    EXPECT_EQ(chart->Name(), "Chart1");
    TOwnedPtr<TChart> back(new TChart(nullptr));
    load(*back, text);
    ASSERT_EQ(back->SeriesList().Count(), 2);
    EXPECT_EQ(seriesAt(*back, 1).YValues()->ValueAt(0), 4);
}

// Series titles around the text form's line length (64 characters), with quotes, dots and
// characters beyond ASCII: the XML form is well-formed and gives each back.
TEST_F(ChartFile, LongTitlesTravelThroughTheXmlForm)
{
    const std::u32string piece = U"It's 4.5 \u00E9t\u00E9s \u20AC. ";
    for (const size_t length : {63, 64, 65, 200, 500}) {
        String title;
        for (size_t i = 0; i < length; ++i) AppendUtf8(title, piece[i % piece.size()]);
        SCOPED_TRACE(length);
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        AddLine(*chart, title).SetName("Series1");
        TTempFile file("tv_chart_title", ".xml");
        WriteChartXmlFile(chart.get(), file.Name(), false);
        if (HaveProgram("xmllint")) {
            const TCommandResult lint = RunCommandStatus("xmllint --noout '" + file.Name() + "'");
            EXPECT_EQ(lint.Code, 0) << lint.Output;
        }
        TOwnedPtr<TChart> back(new TChart(nullptr));
        load(*back, XmlFormToText(ReadWholeFile(file.Name())));
        ASSERT_EQ(back->SeriesList().Count(), 1);
        EXPECT_EQ(seriesAt(*back, 0).Title(), title);
    }
}

// A chart file holds the chart's series, tools and animations: controls placed on the chart (as
// in the main window) stay out of it, and a file that holds another chart or a control inside
// the chart is refused by name, so nothing piles up from one load to the next. The chart's
// TabOrder and Tag are not chart settings: they follow the file or stay as they were.
TEST_F(ChartFile, AChartFileHoldsOnlyWhatAChartHolds)
{
    RegisterStandardClasses();  // a button is a class the registry knows
    TOwnedPtr<TComponent> window(new TComponent(nullptr));
    auto* chart = new TChart(window.get());
    chart->SetName("Chart1");
    auto* label = new TLabel(window.get());
    label->SetName("Label1");
    label->SetParent(chart);
    auto* series = new TLineSeries(window.get());
    series->SetName("Series1");
    series->SetParentChart(chart);
    const String text = written(chart, false, true);
    EXPECT_EQ(text.find("Label1"), String::npos) << text;

    for (int i = 0; i < 3; ++i) load(*chart, text);
    EXPECT_EQ(chart->SeriesList().Count(), 1);
    EXPECT_EQ(chart->ControlCount(), 1) << "the window's label stays, once";
    EXPECT_EQ(written(chart, false, true), text);

    for (const char* child :
         {"object TChart\r\nend\r\n", "object Inner: TChart\r\nend\r\n", "object B: TButton\r\nend\r\n"}) {
        SCOPED_TRACE(child);
        TOwnedPtr<TChart> target(new TChart(nullptr));
        const String nested = "object TChart\r\n" + String(child) + "end\r\n";
        try {
            load(*target, nested);
            ADD_FAILURE() << "loaded";
        } catch (const ChartException& e) {
            const String kind = String(child).find("TButton") != String::npos ? "TButton" : "TChart";
            EXPECT_EQ(e.Message(), TxtWrongZebFileFormat + ": a chart can not hold a " + kind);
        }
        EXPECT_EQ(target->ControlCount(), 0);
    }

    TOwnedPtr<TForm> form(new TForm(nullptr));
    (new TLabel(form.get()))->SetParent(form.get());
    (new TChart(form.get()))->SetParent(form.get());
    auto* target = new TChart(form.get());
    target->SetParent(form.get());
    target->SetTag(7);
    target->SetTabOrder(0);
    load(*target, text);
    EXPECT_EQ(target->Tag(), 7);
    EXPECT_EQ(target->TabOrder(), 0);
    load(*target, "object TChart\r\n  Tag = 9\r\n  TabOrder = 1\r\nend\r\n");
    EXPECT_EQ(target->Tag(), 9);
    EXPECT_EQ(target->TabOrder(), 1);
}
