// The series page's General and Data Source tabs: what they show of a series, what their controls
// write, and the source editors they embed and ask before leaving.
#include <gtest/gtest.h>

#include <algorithm>

#include "chart/core/Chart.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesLists.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ValueList.h"
#include "chart/editor/ChartEditor.h"
#include "chart/editor/SeriesPage.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"
#include "tests/chart/core/IsolatedRegistry.h"

// A source kind whose editor may refuse to be closed.
class TProbeSourceClass : public TZebSeriesSourceClass {
public:
    using TZebSeriesSourceClass::TZebSeriesSourceClass;
    String ListCaption() const override { return "Probe"; }
    const TMetaClass* EditorFormClass() const override;
};

class TProbeSource : public TZebSeriesSource {
    TV_CLASS(TProbeSource, TZebSeriesSource)
public:
    using TZebSeriesSource::TZebSeriesSource;
};

class TProbeSourceEditor : public TForm {
    TV_CLASS(TProbeSourceEditor, TForm)
public:
    explicit TProbeSourceEditor(TComponent* owner) : TForm(owner)
    {
        SetOnCloseQuery(TCloseQueryEvent([](TObject*, bool& can) { can = AllowClose; }));
    }
    static inline bool AllowClose = true;
};

TV_PUBLISHED_AS(TProbeSource, TProbeSourceClass) {}
TV_PUBLISHED(TProbeSourceEditor) {}

const TMetaClass* TProbeSourceClass::EditorFormClass() const { return &TProbeSourceEditor::StaticClass(); }

namespace {

class SeriesPageTest : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartStandardSeriesUnits();
        StartChartEditorUnit();
    }
    static void TearDownTestSuite()
    {
        StopChartEditorUnit();
        StopStandardSeriesUnits();
    }

protected:
    void SetUp() override
    {
        form.reset(new TForm(nullptr));
        form->SetBounds(0, 0, 460, 340);
        chart = new TChart(form.get());
        chart->SetName("Chart1");
        line = new TLineSeries(form.get());
        line->SetName("Series1");
        line->SetParentChart(chart);
        for (const char* label : {"b", "C", "a"}) line->AppendValue(line->Count() * 10 + 5, label);
        page = new TFormZebSeries(form.get());
        page->SetParent(form.get());
        page->SetBounds(0, 0, 440, 300);
        form->Show();
        page->Show();
    }
    void Load(TChartSeries* series, TTabSheet* tab)
    {
        page->CBSeries->Items()->Clear();
        FillSeriesNames(*page->CBSeries->Items(), chart->SeriesList(), true);
        page->SetCurrentSeries(series);
        page->SelectCurrentSeries();
        page->PageSeries->SetActivePage(tab);
        page->PageSeriesChange(page->PageSeries);
    }
    // Chooses row in combo as a user does: the selection, then the change handler.
    static void Choose(TComboBox& combo, int row)
    {
        combo.SetItemIndex(row);
        if (combo.OnChange()) combo.OnChange()(&combo);
    }
    std::vector<String> Labels() const
    {
        std::vector<String> result;
        for (int i = 0; i < line->Count(); ++i) result.push_back(line->Labels().GetLabel(i));
        return result;
    }

    IsolatedRegistry registry;
    TOwnedPtr<TForm> form;
    TChart* chart = nullptr;
    TLineSeries* line = nullptr;
    TFormZebSeries* page = nullptr;
};

TEST_F(SeriesPageTest, GeneralTabListsCustomAxesAndWritesTheChosenAxis)
{
    TChartAxis* horizontal = chart->CustomAxes()->AddAxis();
    horizontal->SetHorizontal(true);
    TChartAxis* vertical = chart->CustomAxes()->AddAxis();
    vertical->SetHorizontal(false);
    Load(line, page->TabGeneral);
    ASSERT_EQ(page->CBHorizAxis->Items()->Count(), 4);
    ASSERT_EQ(page->CBVertAxis->Items()->Count(), 4);
    EXPECT_EQ(page->CBHorizAxis->Items()->Get(3), "Custom  0");
    EXPECT_EQ(page->CBVertAxis->Items()->Get(3), "Custom  1");
    EXPECT_EQ(page->CBHorizAxis->ItemIndex(), 1);
    EXPECT_EQ(page->CBVertAxis->ItemIndex(), 0);
    EXPECT_FALSE(page->CBZDateTime->Visible());  // a line has no depth values

    Choose(*page->CBVertAxis, 3);
    EXPECT_EQ(line->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(line->CustomVertAxis(), vertical);
    Choose(*page->CBHorizAxis, 2);
    EXPECT_EQ(line->HorizAxis(), aBothHorizAxis);
    // Shown again, the custom axis' row is selected and no rows are added twice.
    Load(line, page->TabGeneral);
    EXPECT_EQ(page->CBVertAxis->Items()->Count(), 4);
    EXPECT_EQ(page->CBVertAxis->ItemIndex(), 3);
    ASSERT_TRUE(testkit::RenderToPng(*page, "series_page_general.png"));
}

TEST_F(SeriesPageTest, SortRowsOrderThePoints)
{
    Load(line, page->TabGeneral);
    // "None", "Text", then the named value lists; the line's X values come ordered.
    ASSERT_GE(page->CBSortBy->Items()->Count(), 4);
    EXPECT_EQ(page->CBSortBy->Items()->Get(2), line->XValues()->Name());
    EXPECT_EQ(page->CBSortBy->ItemIndex(), 2);
    EXPECT_TRUE(page->CBSortOrder->Enabled());
    EXPECT_FALSE(page->CBCaseSensitive->Enabled());

    Choose(*page->CBSortOrder, 1);
    Choose(*page->CBSortBy, 1);  // "Text", descending
    EXPECT_EQ(line->XValues()->Order(), loNone);
    EXPECT_TRUE(page->CBCaseSensitive->Enabled());
    EXPECT_EQ(Labels(), (std::vector<String>{"b", "a", "C"}));
    page->CBCaseSensitive->SetChecked(false);  // ignoring case: c before b before a
    EXPECT_TRUE(line->Labels().IgnoreCase());
    EXPECT_EQ(Labels(), (std::vector<String>{"C", "b", "a"}));

    const int yRow = page->CBSortBy->Items()->IndexOfObject(line->YValues());
    ASSERT_GT(yRow, 2);
    Choose(*page->CBSortOrder, 0);
    Choose(*page->CBSortBy, yRow);  // by Y ascending: the points as added
    EXPECT_EQ(line->YValues()->Order(), loAscending);
    EXPECT_EQ(Labels(), (std::vector<String>{"b", "C", "a"}));
    Choose(*page->CBSortBy, 0);
    EXPECT_FALSE(page->CBSortOrder->Enabled());
    EXPECT_EQ(line->YValues()->Order(), loNone);
}

TEST_F(SeriesPageTest, LoadingWritesNothingAndTheLegendAndFormatControlsWrite)
{
    line->SetValueFormat("0.00");
    Load(line, page->TabGeneral);
    EXPECT_FALSE(line->HasLegend());  // filling created no legend settings
    EXPECT_EQ(line->ValueFormat(), "0.00");
    EXPECT_EQ(page->CBFormat->Text(), LocalizeNumberText("0.00"));
    page->PageControl1->SetActivePage(page->TabLegend);
    page->CBShowInLegend->SetChecked(false);
    EXPECT_FALSE(line->ShowInLegend());
    page->ELegendText->SetText("Tilt");
    EXPECT_EQ(line->LegendTitle(), "Tilt");
    page->EPercentFormat->SetText("0 %");
    EXPECT_EQ(line->PercentFormat(), "0 %");
    ASSERT_TRUE(testkit::RenderToPng(*page, "series_page_legend.png"));
}

TEST_F(SeriesPageTest, DepthControlsShowOnlyForTwoValueLists)
{
    auto* bubble = new TBubbleSeries(form.get());
    bubble->SetName("Bubble1");
    bubble->SetParentChart(chart);
    for (TChartSeries* s : std::initializer_list<TChartSeries*>{line, bubble}) {
        Load(s, page->TabGeneral);
        EXPECT_EQ(page->EDepth->Visible(), s->ValueLists().Count() < 3) << s->Name();
        EXPECT_EQ(page->CBDepth->Visible(), s->ValueLists().Count() < 3) << s->Name();
    }
}

TEST_F(SeriesPageTest, RandomStyleShowsTheDefaultCount)
{
    Load(line, page->TabDataSource);
    Choose(*page->CBDataSourcestyle, 1);
    EXPECT_TRUE(page->PanelRandomSource->Visible());
    EXPECT_EQ(page->ESamples->Text(), IntToStr(line->DefaultSampleCount()));
    EXPECT_TRUE(page->CBSamplesDefault->Checked());
    EXPECT_FALSE(page->CBSamplesDefault->Enabled());
    page->ESamples->SetText("7");
    EXPECT_FALSE(page->CBSamplesDefault->Checked());
    EXPECT_TRUE(page->CBSamplesDefault->Enabled());
    page->ESamples->SetText(IntToStr(line->DefaultSampleCount()));
    EXPECT_TRUE(page->CBSamplesDefault->Checked());
    page->ESamples->SetText("7");
    page->BApplyRandom->Click();
    EXPECT_EQ(line->Count(), 7);
}

TEST_F(SeriesPageTest, ASourceKindsEditorIsEmbeddedAndAskedBeforeLeaving)
{
    SeriesSourceClassList().push_back(&TProbeSource::StaticClass());
    auto* source = new TProbeSource(line);  // owned by the series, as the editor makes them
    source->SetName("Probe1");
    line->SetDataSource(source);
    Load(line, page->TabDataSource);
    const int row = page->CBDataSourcestyle->Items()->IndexOf("Probe");
    ASSERT_EQ(row, 4);  // after "Manual", "Random", "Series", "Function"
    EXPECT_EQ(page->CBDataSourcestyle->ItemIndex(), row);
    auto* editor = dynamic_cast<TProbeSourceEditor*>(page->DataSourceEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Parent(), page->Panel2);

    // While the editor refuses, the page neither closes nor changes tab nor drops the editor.
    TProbeSourceEditor::AllowClose = false;
    bool canClose = true;
    page->FormCloseQuery(page, canClose);
    EXPECT_FALSE(canClose);
    bool allow = true;
    page->PageSeriesChanging(page->PageSeries, allow);
    EXPECT_FALSE(allow);
    page->PageSeriesChange(page->PageSeries);
    TProbeSourceEditor::AllowClose = true;

    // "Manual" frees the editor and the series' own source.
    Choose(*page->CBDataSourcestyle, 0);
    EXPECT_EQ(page->DataSourceEditor(), nullptr);
    EXPECT_EQ(line->DataSource(), nullptr);
    EXPECT_EQ(line->FindComponent("Probe1"), nullptr);
    auto& list = SeriesSourceClassList();
    list.erase(std::remove(list.begin(), list.end(), &TProbeSource::StaticClass()), list.end());
}

TEST_F(SeriesPageTest, MarkStyleNamesFollowTheStyleValues)
{
    TStringList names;
    GetMarkStyleNames(names);
    ASSERT_EQ(names.Count(), 15);
    EXPECT_EQ(names.Get(0), "Value");
    EXPECT_EQ(names.Get(2), "Label Only");
    EXPECT_EQ(names.Get(14), "Label Or Value");
}

}  // namespace
