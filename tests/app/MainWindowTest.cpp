#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/app/ViewerFixture.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

namespace {

String fileBytes(const String& path)
{
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), {});
}

// Collects the texts of message boxes instead of showing them.
class DialogRecorder {
public:
    DialogRecorder()
    {
        previous_ = SetDialogHandler([this](const TDialogRequest& r) {
            texts.push_back(r.Text);
            return IDOK;
        });
    }
    ~DialogRecorder() { SetDialogHandler(previous_); }
    std::vector<String> texts;

private:
    TDialogHandler previous_;
};

TEST_F(ViewerTest, RendersTheWindow)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(w.ClientWidth(), 929);
    EXPECT_EQ(w.ClientHeight(), 717);
    EXPECT_EQ(w.Caption(), "KAVRO_IN_D_485_Viewer Ver2.2.0");
    w.ProcessLine("12.34 -5.67");
    testkit::Pump();  // the log box takes its lines from the message loop
    ASSERT_TRUE(testkit::RenderToPng(w, (std::filesystem::temp_directory_path() / "viewer-window.png").string()));
}

TEST_F(ViewerTest, FirstStartWritesTheDefaultSettings)
{
    CreateWindow();
    const String bytes = fileBytes(SettingsFile());
    ASSERT_EQ(bytes.size(), 270u);
    String expected(270, '\0');
    expected.replace(7, 7,
                     "\x06"
                     "115200");
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(Get<TComboBox>("cbBaudrate").Text(), "115200");
    EXPECT_EQ(Get<TComboBox>("ePortNo").Text(), "");
    EXPECT_EQ(Get<TEdit>("edtSend1").Text(), "");
}

TEST_F(ViewerTest, CloseSavesTheBoxesCut)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    Get<TComboBox>("ePortNo").SetText("COM4");
    Get<TComboBox>("cbBaudrate").SetText("9600");
    Get<TEdit>("edtSend1").SetText("#INFO");
    Get<TEdit>("edtSend2").SetText(String(60, 'y'));
    w.btCloseClick(&w);
    const String bytes = fileBytes(SettingsFile());
    ASSERT_EQ(bytes.size(), 270u);
    EXPECT_EQ(bytes.substr(0, 5),
              "\x04"
              "COM4");
    EXPECT_EQ(bytes.substr(7, 5),
              "\x04"
              "9600");
    EXPECT_EQ(bytes.substr(15, 6), "\x05#INFO");
    EXPECT_EQ(static_cast<Byte>(bytes[66]), 50);

    Get<TComboBox>("ePortNo").SetText("COM12345678");
    w.btCloseClick(&w);
    EXPECT_EQ(fileBytes(SettingsFile()).substr(0, 7),
              "\x06"
              "COM123");

    // A cut never splits a character: what does not fit whole stays out, and the text reloads.
    const String umlaut = "\xC3\xBC";
    Get<TEdit>("edtSend3").SetText(String(49, 'a') + umlaut + "b");
    Get<TComboBox>("ePortNo").SetText("COM1" + umlaut + "x");
    w.btCloseClick(&w);
    const String saved = fileBytes(SettingsFile());
    EXPECT_EQ(saved.substr(0, 7),
              "\x06"
              "COM1" +
                  umlaut);
    EXPECT_EQ(static_cast<Byte>(saved[117]), 49);
    window_.reset();
    CreateWindow();
    EXPECT_EQ(Get<TEdit>("edtSend3").Text(), String(49, 'a'));
    EXPECT_EQ(Get<TComboBox>("ePortNo").Text(), "COM1" + umlaut);
}

TEST_F(ViewerTest, SettingsAreLoadedIntoTheBoxes)
{
    TUserSet record = TUserSet::Defaults();
    record.Set(TUserSet::fPortNo, "COM3");
    record.Set(TUserSet::fBaudrate, "57600");
    record.Set(TUserSet::fSend5, "#SAVE");
    WriteUserSet(SettingsFile(), record);
    CreateWindow();
    EXPECT_EQ(Get<TComboBox>("ePortNo").Text(), "COM3");
    EXPECT_EQ(Get<TComboBox>("cbBaudrate").Text(), "57600");
    EXPECT_EQ(Get<TEdit>("edtSend5").Text(), "#SAVE");
}

// A short file is reported, but the fields it holds whole reach the boxes (the others keep the
// stored description's texts), and "Close" writes them back.
TEST_F(ViewerTest, ShortSettingsFileIsReportedAndKeepsItsWholeFields)
{
    TUserSet record = TUserSet::Defaults();
    record.Set(TUserSet::fPortNo, "COM3");
    record.Set(TUserSet::fSend1, "#MINE");
    record.Set(TUserSet::fSend2, "#ALSO MINE");
    const String bytes(reinterpret_cast<const char*>(record.Bytes().data()), 100);  // up to Send2
    std::ofstream(SettingsFile(), std::ios::binary) << bytes;
    TfKAVRO_IN_D_485_Viewer::SetClock([] { return EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0); });
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(w.ErrorText(), "Read beyond end of file - 2024-03-03 14:05:09");
    EXPECT_EQ(Get<TStatusBar>("StatusBar1").Panels()->Items(0)->Text(), w.ErrorText());
    EXPECT_EQ(Get<TComboBox>("ePortNo").Text(), "COM3");
    EXPECT_EQ(Get<TEdit>("edtSend1").Text(), "#MINE");
    EXPECT_EQ(Get<TEdit>("edtSend2").Text(), "#ALSO MINE");
    EXPECT_EQ(Get<TEdit>("edtSend3").Text(), "#STOP");  // the stored description's text
    EXPECT_EQ(Get<TComboBox>("ePortNo").Items()->Count(), 0);
    w.btCloseClick(&w);
    const TUserSet saved = ReadUserSet(SettingsFile());
    EXPECT_EQ(saved.Get(TUserSet::fSend1), "#MINE");
    EXPECT_EQ(saved.Get(TUserSet::fSend3), "#STOP");
}

TEST_F(ViewerTest, UnwritableSettingsKeepTheWindowOpenAtClose)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    std::filesystem::remove(SettingsFile());
    std::filesystem::create_directory(SettingsFile());  // not writable as a file, even by root
    testkit::Click(w, "btClose");
    testkit::Pump(50);
    EXPECT_TRUE(w.Visible());
    EXPECT_EQ(w.ErrorText().substr(0, 16), "Access denied - ");
}

TEST_F(ViewerTest, ErrorReportTextAndClock)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    TfKAVRO_IN_D_485_Viewer::SetClock([] { return EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0); });
    Exception e("abc");
    w.ShowErrorInStatusBar(&w, &e);
    EXPECT_EQ(Get<TStatusBar>("StatusBar1").Panels()->Items(0)->Text(), "abc - 2024-03-03 14:05:09");
}

TEST_F(ViewerTest, CommandsRefusedWhileClosed)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    DialogRecorder dialogs;
    testkit::Click(w, "btACStart");
    EXPECT_EQ(Get<TLabel>("lbStart").Font()->Color(), clGreen);
    EXPECT_EQ(Get<TLabel>("lbStop").Font()->Color(), clGreen);
    testkit::Click(w, "Button3");
    testkit::Click(w, "Button5");
    testkit::Click(w, "btnbt360Send1");
    Get<TComboBox>("cbbID").SetText("0");
    testkit::Click(w, "Button4");
    Get<TComboBox>("cbbID").SetText("5");
    testkit::Click(w, "Button4");
    EXPECT_EQ(dialogs.texts, (std::vector<String>{"Open Com port.", "Open Com port.", "Open Com port.",
                                                  "Open Com port.", "ID 0 is not possible", "Open Com port."}));
}

// A line is a reading when its Y text is a number and its X text is one or empty. Every line is
// logged as received and becomes the last line (the reply waits look there); only a reading moves
// the readouts, the meters and the chart.
TEST_F(ViewerTest, ReadingsReachReadoutsMetersAndChartRepliesOnlyTheLog)
{
    struct Case {
        const char* line;
        bool reading;
        double x = 0, y = 0;
    };
    const Case cases[] = {
        {"1.5 -2.25", true, 1.5, -2.25},
        {"OK", false},
        {"ERR", false},
        {"#INFO KAVRO_IN_D_485 ID 1", false},
        {"", false},
        {"7.5", true, 0, 7.5},
        {" 3", true, 0, 3},
        {"1e3 2", true, 1000, 2},
        {"1 2 3", false},
        {"abc 4.25", false},
        {"4.25 abc", false},
        {"-90 90", true, -90, 90},
        {"\x05\x7f-1.5 2", false},  // a stray byte that is no blank spoils the line
        {"\x05\t-1.5 2", true, -1.5, 2},  // stray control bytes are blanks to the number
    };
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    auto& memo = Get<TMemo>("Memo1");
    TChartSeries& xSeries = *w.Chart1->GetSeriesAt(0);
    TChartSeries& ySeries = *w.Chart1->GetSeriesAt(1);
    w.ProcessLine("9 -9");
    double shownX = 9, shownY = -9;
    int points = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(String("line \"") + c.line + "\"");
        w.ProcessLine(c.line);
        if (c.reading) {
            shownX = c.x;
            shownY = c.y;
            ++points;
        }
        EXPECT_EQ(w.LastLine(), c.line);
        EXPECT_EQ(memo.Lines()->Get(memo.Lines()->Count() - 1), c.line);
        EXPECT_DOUBLE_EQ(w.ssXValue->Value(), shownX);
        EXPECT_DOUBLE_EQ(w.ssYValue->Value(), shownY);
        EXPECT_FLOAT_EQ(w.meterXValue->Value(), static_cast<float>(shownX));
        EXPECT_FLOAT_EQ(w.meterYValue->Value(), static_cast<float>(shownY));
        ASSERT_EQ(xSeries.Count(), points);
        ASSERT_EQ(ySeries.Count(), points);
        EXPECT_DOUBLE_EQ(xSeries.YValues()->ValueAt(points - 1), shownX);
        EXPECT_DOUBLE_EQ(ySeries.YValues()->ValueAt(points - 1), shownY);
    }
}

TEST_F(ViewerTest, ReadingsParseWithCommaLocaleToo)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    w.ProcessLine("1,5 2.25");
    FormatSettings = saved;
    EXPECT_DOUBLE_EQ(w.ssXValue->Value(), 1.5);
    EXPECT_DOUBLE_EQ(w.ssYValue->Value(), 2.25);
}

TEST_F(ViewerTest, ReadingsBeyondTheDisplaysStayDefined)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    w.ProcessLine("1e300 -1e300");
    EXPECT_EQ(w.ssXValue->Value(), 1e15);  // the readout's own limit
    EXPECT_EQ(w.meterXValue->Value(), 1e15f);
    EXPECT_EQ(w.meterYValue->Value(), -std::numeric_limits<float>::max());
    ASSERT_TRUE(testkit::RenderToPng(w, (root_ / "huge.png").string()));
}

TEST_F(ViewerTest, OffsetTaresTheNextReadings)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    w.ProcessLine("3.10 -1.20");
    Get<TCheckBox>("CheckBox1").SetChecked(true);  // OnClick runs as for a click
    EXPECT_DOUBLE_EQ(w.OffsetX(), 3.10);
    EXPECT_DOUBLE_EQ(w.OffsetY(), -1.20);
    w.ProcessLine("3.10 -1.20");
    EXPECT_NEAR(w.ssXValue->Value(), 0, 1e-12);
    EXPECT_NEAR(w.ssYValue->Value(), 0, 1e-12);
    Get<TCheckBox>("CheckBox1").SetChecked(false);
    EXPECT_EQ(w.OffsetX(), 0);
    w.ProcessLine("3.10 -1.20");
    EXPECT_DOUBLE_EQ(w.ssXValue->Value(), 3.10);
}

// The coloured buttons draw themselves on the top bar, yet show their hints; the first status
// panel cuts a long error, and shows it whole as its tooltip.
TEST_F(ViewerTest, HintsOfTheButtonsAndTheWholeErrorText)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    EXPECT_EQ(testkit::HintAt(testkit::FindControl(w, "btConnect")), "ComPort Open or Close");
    EXPECT_EQ(testkit::HintAt(testkit::FindControl(w, "btACStart")), "Download of data list");
    EXPECT_EQ(testkit::HintAt(testkit::FindControl(w, "btClose")), "") << "an empty hint";

    TfKAVRO_IN_D_485_Viewer::SetClock([] { return EncodeDate(2024, 3, 3) + EncodeTime(14, 5, 9, 0); });
    Exception error("Error writing the settings file: the folder of the program is not writable (Permission denied)");
    w.ShowErrorInStatusBar(nullptr, &error);
    const String whole = error.Message() + " - 2024-03-03 14:05:09";
    ASSERT_EQ(w.ErrorText(), whole);
    EXPECT_EQ(testkit::HintAt(*w.StatusBar1, 150, 10), whole);
    EXPECT_EQ(testkit::HintAt(*w.StatusBar1, 910, 10), "") << "the unused last panel";
}

TEST_F(ViewerTest, ClearEmptiesTheLog)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    w.ProcessLine("1 2");
    testkit::Click(w, "btClear");
    EXPECT_EQ(Get<TMemo>("Memo1").Lines()->Count(), 0);
}

}  // namespace

namespace {

TEST_F(ViewerTest, CloseDuringAWaitWaitsForTheHandler)
{
    TfKAVRO_IN_D_485_Viewer& w = CreateWindow();
    DialogRecorder dialogs;
    // The close arrives while Stop waits before sending; the handler ends early and the window
    // closes once it has returned.
    w.PostMessage(WM_CLOSE);
    testkit::Click(w, "btACStop");
    testkit::Pump(50);
    EXPECT_FALSE(w.Visible());
    EXPECT_TRUE(dialogs.texts.empty());
}

}  // namespace
