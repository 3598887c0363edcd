// The stored form of a chart's series side: series with sources and a function, custom axes and
// axis tools, written and read back; stored references that name nothing usable are left out.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "chart/core/ChartTools.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebFunction.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/support/RegistryCheck.h"
#include "tests/support/StreamText.h"

namespace {
// A chart that stores its custom axes and lists its tools as children, as the concrete chart does.
class TStorePanel : public TTestAxisPanel {
    TV_CLASS(TStorePanel, TTestAxisPanel)
public:
    using TTestAxisPanel::TTestAxisPanel;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override
    {
        TTestAxisPanel::GetChildren(proc, root);
        for (TZebCustomTool* tool : Tools()) proc(tool);
    }
};

// A form-like root: every owned component without a parent component is its child.
class TStoreRoot : public TComponent {
    TV_CLASS(TStoreRoot, TComponent)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override
    {
        for (int i = 0; i < ComponentCount(); ++i)
            if (!Components(i)->GetParentComponent()) proc(Components(i));
        (void)root;
    }
};

}  // namespace

TV_PUBLISHED(TStorePanel)
{
    Prop("CustomAxes", &TCustomAxisPanel::CustomAxes, &TCustomAxisPanel::SetCustomAxes);
}
TV_PUBLISHED(TStoreRoot) {}

namespace {

class SeriesStore : public ChartCoreSuite {
protected:
    static void SetUpTestSuite()
    {
        ChartCoreSuite::SetUpTestSuite();
        RegisterClasses({&TStorePanel::StaticClass(), &TStoreRoot::StaticClass(), &TTestSeries::StaticClass(),
                         &TTestAverage::StaticClass(), &TTestAxisTool::StaticClass(),
                         &TTestSource::StaticClass()});
    }

    template <class T>
    static T* find(TComponent& root, const String& name)
    {
        return dynamic_cast<T*>(root.FindComponent(name));
    }

    static String toBinary(TComponent* root)
    {
        TStringStream s;
        WriteComponentToStream(s, root);
        return s.DataString();
    }

    static TOwnedPtr<TStoreRoot> fromBinary(const String& binary)
    {
        TOwnedPtr<TStoreRoot> root(new TStoreRoot(nullptr));
        TStringStream s(binary);
        ReadComponentFromStream(s, root.get());
        return root;
    }

    // The scene of the round trip: a chart with a custom axis, a series loaded by a source on that
    // axis, a copy of it, an average of both with two sources, and two axis tools.
    static TOwnedPtr<TStoreRoot> makeScene()
    {
        TOwnedPtr<TStoreRoot> root(new TStoreRoot(nullptr));
        root->SetName("Root");
        auto* chart = new TStorePanel(root.get());
        chart->SetName("Chart1");
        TChartAxis* custom = chart->CustomAxes()->AddAxis();
        auto* s1 = new TTestSeries(root.get());
        auto* s2 = new TTestSeries(root.get());
        auto* s3 = new TTestSeries(root.get());
        s1->SetName("Series1");
        s2->SetName("Series2");
        s3->SetName("Series3");
        for (TTestSeries* s : {s1, s2, s3}) s->SetParentChart(chart);
        s1->SetTitle("Reading");
        s1->SetIdentifier("tilt-x");
        s1->SetStyle(TChartSeriesStyles{0, 3, 5});
        s1->SetCustomVertAxis(custom);
        auto* source = new TTestSource(root.get());
        source->SetName("Source1");
        source->SetSeries(s1);
        source->SetActive(true);
        s2->SetDataSource(s1);
        s2->Selected()->Hover()->SetClipText(false);
        auto* average = new TTestAverage(root.get());
        average->SetName("Average1");
        average->SetPeriod(2);
        s3->AttachFunction(average);
        s3->DataSources().AddSource(s1);
        s3->DataSources().AddSource(s2);
        auto* left = new TTestAxisTool(root.get());
        left->SetName("Tool1");
        left->SetAxis(chart->LeftAxis());
        auto* onCustom = new TTestAxisTool(root.get());
        onCustom->SetName("Tool2");
        onCustom->SetAxis(custom);
        return root;
    }
};

TEST_F(SeriesStore, ChartRoundTripsThroughObjectsUnchanged)
{
    TOwnedPtr<TStoreRoot> scene = makeScene();
    const String first = toBinary(scene.get());
    TOwnedPtr<TStoreRoot> back = fromBinary(first);
    const String second = toBinary(back.get());
    EXPECT_EQ(testsupport::toText(second), testsupport::toText(first));
    EXPECT_EQ(second, first);

    auto* chart = find<TStorePanel>(*back, "Chart1");
    auto* s1 = find<TTestSeries>(*back, "Series1");
    auto* s2 = find<TTestSeries>(*back, "Series2");
    auto* s3 = find<TTestSeries>(*back, "Series3");
    auto* source = find<TTestSource>(*back, "Source1");
    ASSERT_TRUE(chart && s1 && s2 && s3 && source);
    ASSERT_EQ(chart->NumSeries(), 3);
    ASSERT_EQ(chart->CustomAxes()->Count(), 1);
    EXPECT_EQ(s1->Identifier(), "tilt-x");
    EXPECT_EQ(s1->Style(), (TChartSeriesStyles{0, 3, 5}));
    EXPECT_EQ(s1->GetVertAxis(), chart->CustomAxes()->GetAxisAt(0));
    EXPECT_EQ(s1->DataSource(), source);
    EXPECT_EQ(source->Loads, 1) << "the source loads once, after reading";
    EXPECT_EQ(s1->Count(), 3);
    EXPECT_EQ(s2->DataSource(), s1);
    EXPECT_EQ(s2->Count(), 3);
    ASSERT_TRUE(s2->HasSelected());
    EXPECT_FALSE(s2->Selected()->Hover()->ClipText());
    EXPECT_FALSE(s1->HasSelected()) << "a highlight never used is not stored";
    ASSERT_NE(s3->FunctionObject(), nullptr);
    EXPECT_EQ(s3->FunctionObject()->Period(), 2);
    ASSERT_EQ(s3->DataSources().Count(), 2);
    EXPECT_EQ(s3->DataSources().Items(1), s2);
    auto* original = find<TTestSeries>(*scene, "Series3");
    EXPECT_EQ(valuesOf(s3->YValues()), valuesOf(original->YValues()));
    EXPECT_GT(s3->Count(), 0);
    ASSERT_EQ(chart->Tools().Count(), 2);
    EXPECT_EQ(find<TTestAxisTool>(*back, "Tool1")->Axis(), chart->LeftAxis()) << "AxisID 2 is the left axis";
    EXPECT_EQ(find<TTestAxisTool>(*back, "Tool2")->Axis(), chart->CustomAxes()->GetAxisAt(0));
}

TEST_F(SeriesStore, StoredAxesOutsideTheChartsListsAreIgnored)
{
    TOwnedPtr<TStoreRoot> scene = makeScene();
    String text = testsupport::toText(toBinary(scene.get()));
    const auto replace = [&text](const String& from, const String& to) {
        const size_t at = text.find(from);
        ASSERT_NE(at, String::npos) << from;
        text.replace(at, from.size(), to);
    };
    replace("CustomVertAxis = 0", "CustomVertAxis = 1\r\n      CustomHorizAxis = -1");
    replace("AxisID = 2", "AxisID = 99");
    replace("AxisID = 6", "AxisID = -4");
    TOwnedPtr<TStoreRoot> back(new TStoreRoot(nullptr));
    TextToComponent(text, back.get());
    auto* chart = find<TStorePanel>(*back, "Chart1");
    auto* s1 = find<TTestSeries>(*back, "Series1");
    EXPECT_EQ(s1->CustomVertAxis(), nullptr);
    EXPECT_EQ(s1->CustomHorizAxis(), nullptr);
    EXPECT_EQ(s1->GetVertAxis(), chart->LeftAxis()) << "the custom choice without an axis falls back";
    EXPECT_EQ(s1->GetHorizAxis(), chart->BottomAxis());
    for (const char* name : {"Tool1", "Tool2"}) {
        auto* tool = find<TTestAxisTool>(*back, name);
        EXPECT_EQ(tool->Axis(), nullptr) << name;
        EXPECT_EQ(tool->ParentChart(), chart) << name;
        EXPECT_EQ(tool->LoadedCalls, 1) << name;
    }
}

TEST_F(SeriesStore, AxisIDReadBeforeTheToolHasItsChartWaitsForLoaded)
{
    TStorePanel chart(nullptr);
    TTestAxisTool tool(nullptr);
    TStringStream stream(testsupport::toBinary("object Tool9: TTestAxisTool\r\n  AxisID = 2\r\nend\r\n"));
    TReader reader(stream);
    reader.ReadSignature();
    reader.ReadComponent(&tool);
    EXPECT_EQ(tool.Axis(), nullptr);
    EXPECT_EQ(tool.LoadedCalls, 0);
    tool.SetParentChart(&chart);
    tool.Loaded();
    EXPECT_EQ(tool.Axis(), chart.LeftAxis());
    EXPECT_FALSE(tool.IsLoading());
    tool.SetParentChart(nullptr);
}

TEST_F(SeriesStore, LoadedSkipsSourcesThatCloseALoopOrNameNothing)
{
    const String text =
        "object Root: TStoreRoot\r\n"
        "  object Chart1: TStorePanel\r\n"
        "    object Series1: TTestSeries\r\n"
        "      DataSources = ('Series2' 'Nothing')\r\n"
        "    end\r\n"
        "    object Series2: TTestSeries\r\n"
        "      DataSources = ('Series3' 'Series2')\r\n"
        "    end\r\n"
        "    object Series3: TTestSeries\r\n"
        "      DataSources = ('Root' 'Series1')\r\n"
        "    end\r\n"
        "  end\r\n"
        "end\r\n";
    TOwnedPtr<TStoreRoot> root(new TStoreRoot(nullptr));
    TextToComponent(text, root.get());
    auto* s1 = find<TTestSeries>(*root, "Series1");
    auto* s2 = find<TTestSeries>(*root, "Series2");
    auto* s3 = find<TTestSeries>(*root, "Series3");
    ASSERT_TRUE(s1 && s2 && s3);
    // Series1 <- Series2 <- Series3 is read first; Series3 <- Series1 would close the loop, and
    // Series2 naming itself, Root (no series source) and Nothing are left out too.
    ASSERT_EQ(s1->DataSources().Count(), 1);
    EXPECT_EQ(s1->DataSource(), s2);
    ASSERT_EQ(s2->DataSources().Count(), 1);
    EXPECT_EQ(s2->DataSource(), s3);
    EXPECT_EQ(s3->DataSources().Count(), 0);
    for (TTestSeries* s : {s1, s2, s3}) EXPECT_FALSE(s->DependsOn(s)) << s->Name();
    s3->AppendValue(5);
    EXPECT_EQ(s1->Count(), 1) << "the chain copies the point";
}

// The engine's registered classes are checked by the registry test; these test classes reach the
// bases no registered class derives from yet (the axis tool).
TEST_F(SeriesStore, TestFunctionsToolsAndSourcesStreamEveryProperty)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    for (const TMetaClass* cls :
         {&TTestAverage::StaticClass(), &TTestAxisTool::StaticClass(), &TTestSource::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String all;
        for (const String& f : faults) all += f + "\n";
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":\n" << all;
    }
}

}  // namespace
