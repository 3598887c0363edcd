// The chart export dialog driven as a user drives it: sizes, the three pages' copy and save, mail
// and preview through fake desktop tools (first on the search path, logging their arguments), the
// program's private temporary folder, and the size kept in the registry.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "chart/core/Chart.h"
#include "chart/core/OwnedSeries.h"
#include "chart/editor/ExportForm.h"
#include "chart/io/ChartFile.h"
#include "chart/io/ExcelSource.h"
#include "chart/io/ZebExport.h"
#include "chart/series/LineSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/system/TempFolder.h"
#include "tests/chart/core/IsolatedRegistry.h"
#include "tests/chart/editor/ModalDialogs.h"
#include "tests/support/Commands.h"
#include "tests/support/WmfFonts.h"

namespace fs = std::filesystem;

namespace {

String ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), {});
}

// A folder of this test with fake desktop tools first on the search path.
class FakeTools {
public:
    FakeTools()
    {
        std::string pattern = (fs::temp_directory_path() / "tv-export-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        fs::create_directories(dir_ / "bin");
        oldPath_ = std::getenv("PATH");
        setenv("PATH", ((dir_ / "bin").string() + ":" + oldPath_).c_str(), 1);
    }
    ~FakeTools()
    {
        setenv("PATH", oldPath_.c_str(), 1);
        fs::remove_all(dir_);
    }
    FakeTools(const FakeTools&) = delete;
    FakeTools& operator=(const FakeTools&) = delete;
    void Tool(const std::string& name, const std::string& body)
    {
        const fs::path file = dir_ / "bin" / name;
        std::ofstream(file) << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$(dirname \"$0\")/" << name << ".log\"\n" << body;
        chmod(file.c_str(), 0755);
    }
    void Remove(const std::string& name) { fs::remove(dir_ / "bin" / name); }
    String Log(const std::string& name) const { return ReadFile(dir_ / "bin" / (name + ".log")); }
    fs::path Dir() const { return dir_; }

private:
    fs::path dir_;
    std::string oldPath_;
};

class ExportDialog : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        StartStandardSeriesUnits();
        StartPictureExportUnits();
        StartChartFileUnit();
        StartExcelSourceUnit();
    }
    static void TearDownTestSuite()
    {
        StopExcelSourceUnit();
        StopChartFileUnit();
        StopPictureExportUnits();
        StopStandardSeriesUnits();
    }

protected:
    void SetUp() override
    {
        ResetExportMailCheck();
        tools.Tool("xdg-mime", "[ \"$1\" = query ] && [ \"$2\" = default ] && echo viewer.desktop\nexit 0\n");
        tools.Tool("xdg-open", "exit 0\n");
        tools.Tool("xdg-email", "exit 0\n");
        chart = new TChart(root.get());
        chart->SetBounds(0, 0, 400, 250);
        chart->SetView3D(false);
        for (const char* title : {"X-Value", "Y-Value"}) {
            auto* series = new TLineSeries(root.get());
            series->SetTitle(title);
            series->SetParentChart(chart);
            for (int i = 0; i < 5; ++i) series->AppendValue(std::round(10 * std::sin(i + (title[0] == 'Y'))));
        }
        previousDialogs = SetDialogHandler([this](const TDialogRequest& r) {
            if (r.Kind == dkMessageBox) return IDYES;
            fileDialogs.push_back(r);
            if (r.Kind != dkSaveDialog) return IDCANCEL;
            *r.Value = answerName;
            *r.FilterIndex = answerEntry > 0 ? answerEntry : *r.FilterIndex;
            return answerName.empty() ? IDCANCEL : IDOK;
        });
    }
    void TearDown() override { SetDialogHandler(previousDialogs); }

    // Opens the dialog on the chart as "Data Save" does; inside, action drives it.
    void Open(const std::function<void(TZebExportForm&)>& action)
    {
        OnNextModal<TZebExportForm> modal([&](TZebExportForm& d) {
            action(d);
            return mrCancel;
        });
        ShowChartExportDialog(root.get(), chart, tools.Dir().string());
    }
    static void UserPicks(TPageControl& pages, TTabSheet* page)
    {
        const TRect tab = pages.TabRect(page->PageIndex());
        testkit::Click(pages, tab.Left + 4, tab.Top + 4);
        ASSERT_EQ(pages.ActivePage(), page);
    }
    // The save dialog answers name and entry (0: the one preselected).
    void Answer(const String& name, int entry = 0)
    {
        answerName = name;
        answerEntry = entry;
    }
    String Saved(const String& name) const { return ReadFile(tools.Dir() / name); }

    IsolatedRegistry registry;
    FakeTools tools;
    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart* chart = nullptr;
    TDialogHandler previousDialogs;
    std::vector<TDialogRequest> fileDialogs;
    String answerName;
    int answerEntry = 0;
};

TEST_F(ExportDialog, OpensOnThePictureWithTheChartSizeAndKeepsTheAspect)
{
    Open([](TZebExportForm& d) {
        EXPECT_EQ(d.Caption(), "Export Dialog");
        EXPECT_EQ(d.UDWidth->Position(), 400);
        EXPECT_EQ(d.UDHeight->Position(), 250);
        ASSERT_EQ(d.LBFormat->Count(), 2);
        EXPECT_EQ(d.LBFormat->Items()->Get(0), "as Bitmap");
        EXPECT_EQ(d.LBFormat->Items()->Get(1), "as Metafile");
        EXPECT_EQ(d.PageControl1->ActivePage(), d.TabPicture);
        EXPECT_EQ(d.CBScale->Text(), "1");
        d.EWidth->SetText("800");
        EXPECT_EQ(d.UDHeight->Position(), 500);
        d.CBAspect->SetChecked(false);
        d.EWidth->SetText("100");
        EXPECT_EQ(d.UDHeight->Position(), 500);
        EXPECT_TRUE(d.BCopy->Enabled());
        EXPECT_TRUE(d.BPreview->Enabled());
    });
}

TEST_F(ExportDialog, PicturesGoToTheClipboardAndToFilesOfTheirFormat)
{
    Open([this](TZebExportForm& d) {
        Clipboard()->SetAsText("before");
        d.BCopy->Click();
        EXPECT_FALSE(Clipboard()->HasText());
        Answer("chart.bmp");
        d.BSave->Click();
        ASSERT_EQ(fileDialogs.size(), 1u);
        EXPECT_EQ(fileDialogs[0].FileDialog->InitialDir(), tools.Dir().string());
        EXPECT_EQ(Saved("chart.bmp").substr(0, 2), "BM");
        d.CBPicSize->SetChecked(true);
        EXPECT_NE(d.LabelPicSize->Caption().find("bytes"), String::npos);
        // The listed scales read with a point in a locale of decimal commas.
        const TFormatSettings saved = FormatSettings;
        FormatSettings.DecimalSeparator = ',';
        d.CBScale->SetItemIndex(0);
        d.CBScaleChange(d.CBScale);
        FormatSettings = saved;
        EXPECT_FLOAT_EQ(d.SelectedFormat()->Scale(), 0.25f);
    });
}

TEST_F(ExportDialog, NativePageCopiesTextFormsAndSavesUnderTheFormatsExtension)
{
    Open([this](TZebExportForm& d) {
        UserPicks(*d.PageControl1, d.TabNative);
        EXPECT_FALSE(d.BCopy->Enabled());
        EXPECT_FALSE(d.BViewNative->Enabled());
        EXPECT_TRUE(d.BSave->Enabled());
        Answer("report.txt");
        d.BSave->Click();
        EXPECT_TRUE(fs::exists(tools.Dir() / "report.zeb"));
        EXPECT_FALSE(fs::exists(tools.Dir() / "report.txt"));
        d.CBNativeFormat->SetItemIndex(1);
        EXPECT_TRUE(d.BCopy->Enabled());
        EXPECT_TRUE(d.BViewNative->Enabled());
        d.BCopy->Click();
        EXPECT_EQ(Clipboard()->AsText().rfind("object TChart", 0), 0u) << Clipboard()->AsText().substr(0, 40);
        d.CBFileSize->SetChecked(true);
        EXPECT_NE(d.LabelSize->Caption().find(" bytes"), String::npos);
    });
}

TEST_F(ExportDialog, DataListsOnlyTheSeriesEditorsShow)
{
    // A function's own extra line lives in the chart but is none of the user's series.
    auto* internal = new TLineSeries(root.get());
    internal->SetTitle("internal line");
    internal->SetParentChart(chart);
    HideOwnedSeries(*internal);
    Open([this](TZebExportForm& d) {
        UserPicks(*d.PageControl1, d.TabData);
        ASSERT_EQ(d.CBSeries->Items()->Count(), 3);
        EXPECT_EQ(d.CBSeries->Items()->IndexOf("internal line"), -1);
    });
}

TEST_F(ExportDialog, DataFilesTakeTheDelimiterOfTheEntryChosen)
{
    Open([this](TZebExportForm& d) {
        UserPicks(*d.PageControl1, d.TabData);
        EXPECT_EQ(d.CBSeries->Items()->Get(0), "(all)");
        EXPECT_EQ(d.CBSeries->Items()->Get(2), "Y-Value");
        EXPECT_EQ(d.CBDelim->Text(), "Tab");
        // Colon is a semicolon.
        d.CBDelim->SetItemIndex(3);
        Answer("colon");
        d.BSave->Click();
        EXPECT_EQ(fileDialogs.back().FilterIndex != nullptr, true);
        EXPECT_NE(Saved("colon.txt").find(';'), String::npos);
        // The comma entry chosen while XML is selected: comma-separated text in a .csv file.
        d.RGText->SetItemIndex(1);
        Answer("data.csv", 3);
        d.BSave->Click();
        EXPECT_EQ(d.RGText->ItemIndex(), 0);
        const String csv = Saved("data.csv");
        EXPECT_NE(csv.find(','), String::npos) << csv;
        EXPECT_EQ(csv.find('\t'), String::npos) << csv;
        EXPECT_EQ(csv.find('<'), String::npos) << csv;
    });
}

// Each picture entry of the save dialog, with a name typed without extension, writes its own
// format, also after another entry of the same format was chosen; an outside converter opens the WMF.
TEST_F(ExportDialog, EveryPictureEntryWritesItsFormatUnderItsExtension)
{
    struct Case {
        int entry;
        const char* typed;
        const char* saved;
        String magic;
        std::size_t at;
    };
    const Case cases[] = {{2, "chart", "chart.wmf", String("\xD7\xCD\xC6\x9A", 4), 0},
                          {1, "again", "again.emf", " EMF", 40},
                          {3, "plain", "plain.bmp", "BM", 0},
                          {2, "metafile", "metafile.wmf", String("\xD7\xCD\xC6\x9A", 4), 0}};
    Open([&](TZebExportForm& d) {
        for (const Case& k : cases) {
            SCOPED_TRACE(k.saved);
            Answer(k.typed, k.entry);
            d.BSave->Click();
            EXPECT_EQ(Saved(k.saved).substr(k.at, k.magic.size()), k.magic);
        }
    });
    if (!HaveProgram("wmf2svg")) GTEST_SKIP() << "wmf2svg is not installed";
    const fs::path fonts = tools.Dir() / "fonts";
    fs::create_directories(fonts);
    testsupport::LinkWmfFonts(fonts);
    const String svg = (tools.Dir() / "chart.svg").string();
    const TCommandResult converted = RunCommandStatus("wmf2svg --wmf-fontdir='" + fonts.string() + "' -o '" + svg +
                                                      "' '" + (tools.Dir() / "chart.wmf").string() + "'");
    EXPECT_EQ(converted.Code, 0) << converted.Output;
    EXPECT_NE(ReadFile(svg).find("<svg"), String::npos);
}

// Each data entry of the save dialog, with a name typed without extension, writes the format and
// delimiter it names under its extension, whatever the page showed; the outside reader of the
// format reads it: the two series side by side, a header and five rows.
TEST_F(ExportDialog, EveryDataEntryWritesItsFormatUnderItsExtension)
{
    struct Case {
        int entry;
        const char* saved;
        int format;  // the Data page's format afterwards
        const char* reader;  // a shell command on the file $F that fails when the file is not right
    };
    const String table = "python3 -c \"import csv,sys\nrows=[r for r in csv.reader(open(sys.argv[1],newline=''),"
                         "delimiter=sys.argv[2]) if r]\nassert len(rows)==6 and {len(r) for r in rows}=={2}, rows\" \"$F\" ";
    const Case cases[] = {
        {1, "e1.txt", 0, ""},  // the readers of the delimited files are given below with their delimiters
        {2, "e2.txt", 0, ""},
        {3, "e3.csv", 0, ""},
        {4, "e4.txt", 0, ""},
        {5, "e5.txt", 0, ""},
        {6, "e6.xml", 1, "test \"$(xmllint --xpath 'count(/chart/series/points/point)' \"$F\")\" = 10"},
        {7, "e7.htm", 2,
         "python3 -c \"import sys\nfrom html.parser import HTMLParser\nclass P(HTMLParser):\n"
         "  rows=0\n  def handle_starttag(s,t,a): s.rows+=t=='tr'\np=P(); p.feed(open(sys.argv[1]).read())\n"
         "assert p.rows==6, p.rows\" \"$F\""},
        {8, "e8.xls", 3, ""},  // LibreOffice reads both spreadsheets below
        {9, "e9.xlsx", 3, ""},
        {10, "e10.json", 4,
         "python3 -c \"import json,sys\nc=json.load(open(sys.argv[1]))['chart']\n"
         "assert [len(s['series']['point']) for s in c]==[5,5], c\" \"$F\""},
    };
    const std::pair<int, const char*> delimiters[] = {{1, " "}, {2, "\t"}, {3, ","}, {4, ";"}, {5, "|"}};
    Open([&](TZebExportForm& d) {
        UserPicks(*d.PageControl1, d.TabData);
        d.ECustom->SetText("|");
        for (const Case& k : cases) {
            SCOPED_TRACE(k.saved);
            // The page shows another format than the entry names.
            d.RGText->SetItemIndex(k.format == 4 ? 0 : 4);
            Answer(String(k.saved).substr(0, String(k.saved).find('.')), k.entry);
            d.BSave->Click();
            EXPECT_TRUE(fs::exists(tools.Dir() / k.saved));
            EXPECT_EQ(d.RGText->ItemIndex(), k.format);
        }
        EXPECT_EQ(d.RGExcelVers->ItemIndex(), 1);
    });
    EXPECT_EQ(Saved("e8.xls").substr(0, 4), String("\x09\x00\x04\x00", 4));
    EXPECT_EQ(Saved("e9.xlsx").substr(0, 2), "PK");
    if (!HaveProgram("python3") || !HaveProgram("xmllint")) GTEST_SKIP() << "python3 or xmllint is not installed";
    const auto read = [&](const String& command, const char* file) {
        const TCommandResult r = RunCommandStatus("F='" + (tools.Dir() / file).string() + "'; " + command);
        EXPECT_EQ(r.Code, 0) << file << ": " << r.Output;
    };
    for (const auto& [entry, delimiter] : delimiters) read(table + "'" + delimiter + "'", cases[entry - 1].saved);
    for (const Case& k : cases)
        if (*k.reader) read(k.reader, k.saved);
    if (!HaveProgram("soffice")) GTEST_SKIP() << "soffice is not installed";
    const fs::path out = tools.Dir() / "converted";
    fs::create_directories(out);
    const TCommandResult converted = RunCommandStatus(
        "cd '" + out.string() + "' && HOME='" + out.string() + "' soffice --headless --convert-to csv --outdir '" +
        out.string() + "' '" + (tools.Dir() / "e8.xls").string() + "' '" + (tools.Dir() / "e9.xlsx").string() + "'");
    ASSERT_EQ(converted.Code, 0) << converted.Output;
    for (const char* sheet : {"e8.csv", "e9.csv"}) read(table + "','", ("converted/" + String(sheet)).c_str());
}

TEST_F(ExportDialog, ThePreviewMemoFollowsTheFormatAndStaysHiddenForExcel)
{
    Open([](TZebExportForm& d) {
        d.PageControl1->SetActivePage(d.TabData);
        d.CBDataPreview->SetChecked(true);
        EXPECT_TRUE(d.MemoData->Visible());
        EXPECT_NE(d.MemoData->Text().find("X-Value"), String::npos);
        d.RGText->SetItemIndex(3);
        EXPECT_FALSE(d.MemoData->Visible());
        EXPECT_TRUE(d.TabExcel->TabVisible());
        EXPECT_EQ(d.PageDataOptions->ActivePage(), d.TabExcel);
        d.RGText->SetItemIndex(4);
        EXPECT_TRUE(d.TabJSON->TabVisible());
        EXPECT_FALSE(d.TabExcel->TabVisible());
        EXPECT_EQ(d.MemoData->Text().find("{"), 0u);
    });
}

TEST_F(ExportDialog, SendHandsTheFileInThePrivateFolderToTheMailComposer)
{
    Open([this](TZebExportForm& d) {
        d.PageControl1->SetActivePage(d.TabData);
        d.RGText->SetItemIndex(4);
        d.BSend->Click();
        const String folder = ProgramTempFolder();
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder.find(std::to_string(getpid())), String::npos);
        EXPECT_NE(tools.Log("xdg-email").find(folder + "Zebgraph.json"), String::npos) << tools.Log("xdg-email");
        EXPECT_TRUE(fs::exists(folder + "Zebgraph.json"));
        tools.Tool("xdg-email", "exit 4\n");
        try {
            d.BSend->Click();
            ADD_FAILURE() << "a failing composer raises";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Can not email Zebgraph. Mapi Error: 4");
        }
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_TRUE(d.BSend->Enabled());
    });
}

// A composer that finds no mail program on the desktop (status 3) is a desktop without mail: Send
// is disabled for the rest of the run, and nothing is reported.
TEST_F(ExportDialog, ADesktopThatCannotComposeMailDisablesSendForTheRun)
{
    tools.Tool("xdg-email", "exit 3\n");
    Open([](TZebExportForm& d) {
        ASSERT_TRUE(d.BSend->Enabled());
        EXPECT_NO_THROW(d.BSend->Click());
        EXPECT_FALSE(d.BSend->Enabled());
        EXPECT_FALSE(fs::exists(ProgramTempFolder() + "Zebgraph.bmp"));
        UserPicks(*d.PageControl1, d.TabData);
        EXPECT_TRUE(d.BSave->Enabled());
        EXPECT_FALSE(d.BSend->Enabled());
    });
    Open([](TZebExportForm& d) { EXPECT_FALSE(d.BSend->Enabled()); });
    const String log = tools.Log("xdg-email");
    ASSERT_NE(log.find("--subject"), String::npos);
    EXPECT_EQ(log.find("--subject"), log.rfind("--subject")) << "the composer is asked once";
}

TEST_F(ExportDialog, WithoutAMailComposerSendIsDisabled)
{
    tools.Remove("xdg-email");
    const char* path = std::getenv("PATH");
    const std::string saved = path;
    setenv("PATH", (tools.Dir() / "bin").c_str(), 1);
    Open([](TZebExportForm& d) {
        d.BSend->Click();
        EXPECT_FALSE(d.BSend->Enabled());
    });
    setenv("PATH", saved.c_str(), 1);
}

TEST_F(ExportDialog, PreviewFollowsTheDesktopAndOpensTheTemporaryFile)
{
    Open([this](TZebExportForm& d) {
        ASSERT_TRUE(d.BPreview->Enabled());
        d.BPreview->Click();
        EXPECT_EQ(tools.Log("xdg-open"), ProgramTempFolder() + "Zebgraph.bmp\n");
        tools.Tool("xdg-mime", "exit 0\n");  // no program for any type
        UserPicks(*d.PageControl1, d.TabNative);
        d.CBNativeFormat->SetItemIndex(2);
        EXPECT_TRUE(d.BCopy->Enabled());
        EXPECT_FALSE(d.BPreview->Enabled());
    });
}

TEST_F(ExportDialog, TheSizeSurvivesInTheRegistry)
{
    {
        TOwnedPtr<TZebExportForm> form(new TZebExportForm(nullptr));
        form->SetChart(chart);
        form->Show();
        form->SetBounds(form->Left(), form->Top(), 640, 480);
        form->Close();
    }
    TOwnedPtr<TZebExportForm> again(new TZebExportForm(nullptr));
    EXPECT_EQ(again->Width(), 640);
    EXPECT_EQ(again->Height(), 480);
}

TEST_F(ExportDialog, AFailedSaveRaisesAndTheCursorComesBack)
{
    Open([this](TZebExportForm& d) {
        d.PageControl1->SetActivePage(d.TabData);
        Answer((tools.Dir() / "no such folder" / "x.csv").string(), 3);
        EXPECT_ANY_THROW(d.BSave->Click());
        EXPECT_EQ(Screen->Cursor(), crDefault);
        Answer("");
        d.BSave->Click();  // cancelled: nothing written, nothing raised
    });
}

}  // namespace

// Pictures of the dialog's pages, for a person to look at (not compared).
TEST_F(ExportDialog, RendersItsPages)
{
    const char* dir = std::getenv("TV_EXPORT_DIALOG_PNG");
    if (!dir) GTEST_SKIP() << "set TV_EXPORT_DIALOG_PNG to a folder to get the pictures";
    Open([dir](TZebExportForm& d) {
        testkit::RenderToPng(d, String(dir) + "/export_picture.png");
        d.PageOptions->SetActivePage(d.TabSize);
        testkit::RenderToPng(d, String(dir) + "/export_size.png");
        d.PageControl1->SetActivePage(d.TabNative);
        testkit::RenderToPng(d, String(dir) + "/export_native.png");
        d.PageControl1->SetActivePage(d.TabData);
        d.CBDataPreview->SetChecked(true);
        testkit::RenderToPng(d, String(dir) + "/export_data.png");
    });
}
