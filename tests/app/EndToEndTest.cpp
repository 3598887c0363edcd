// The main window against a simulated sensor on a pseudo-terminal: the real port, the real
// receive path, the real command handlers.
#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <vector>

#include "app/ReceiveFramer.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/DateTime.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"
#include "tests/app/SensorDevice.h"
#include "tests/app/ViewerFixture.h"
#include "tests/support/Python.h"
#include "chart/editor/ExportForm.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RadioGroup.h"

namespace {

const String CRLF = "\r\n";

// Repeats s n times.
String Times(const String& s, int n)
{
    String out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

// The reading a line shows: X before the first blank, Y after it.
std::pair<double, double> Reading(const String& line)
{
    const auto blank = line.find(' ');
    return {std::strtod(line.substr(0, blank).c_str(), nullptr), std::strtod(line.substr(blank + 1).c_str(), nullptr)};
}

// A number text as a whole, in the sensor's notation; blanks and control bytes around it (a stray
// byte before a line) are no part of it, as for the program's conversion.
bool IsNumber(const String& text, double& value)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t b = 0, e = text.size();
    while (b < e && blank(text[b])) ++b;
    while (e > b && blank(text[e - 1])) --e;
    const String number = text.substr(b, e - b);
    char* end = nullptr;
    value = std::strtod(number.c_str(), &end);
    return !number.empty() && number.find_first_not_of("0123456789+-.eE") == String::npos && *end == 0;
}

// A line that is a reading: Y after the first blank (or the whole line) a number, X before it a
// number or nothing.
bool IsReading(const String& line, double& x, double& y)
{
    const auto blank = line.find(' ');
    x = 0;
    if (blank == String::npos) return IsNumber(line, y);
    return IsNumber(line.substr(blank + 1), y) && (blank == 0 || IsNumber(line.substr(0, blank), x));
}

String Hex(const String& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    String out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

class EndToEndTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        previous_ = SetDialogHandler([this](const TDialogRequest& request) {
            dialogs_.push_back(request.Text);
            return 1;  // IDOK
        });
    }
    void TearDown() override
    {
        window_.reset();  // the window closes its port before the device goes
        testkit::Pump();
        device_.reset();
        ViewerTest::TearDown();
        SetDialogHandler(previous_);
    }

    // A device on COM7, then the window (so that its port list can see the device).
    SensorDevice& StartDevice(SensorOptions options = {}, SensorDevice::TAnswer answer = SensorDevice::anModel)
    {
        device_ = std::make_unique<SensorDevice>(options, answer);
        EXPECT_TRUE(device_->Start("COM7"));
        return *device_;
    }

    TfKAVRO_IN_D_485_Viewer& Connect()
    {
        auto& w = window_ ? *window_ : CreateWindow();
        w.ePortNo->SetText("COM7");
        testkit::Click(*window_, "btConnect");
        EXPECT_TRUE(PumpUntil([&] { return w.PortOpened(); }, 2000)) << "port did not open";
        return w;
    }

    // Pumps messages until the condition holds or the time is up.
    static bool PumpUntil(const std::function<bool()>& done, int ms)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end) return false;
            testkit::Pump(2);
        }
        return true;
    }

    // A device that streams rate lines a second to the connected window, started by START; true
    // once the window has logged lines of them.
    bool Stream(double rate, int lines)
    {
        SensorOptions options;
        options.rate = rate;
        StartDevice(options);
        testkit::Click(Connect(), "btACStart");
        return PumpUntil([&] { return Log().Count() >= lines; }, 10000);
    }

    TStrings& Log() { return *window_->Memo1->Lines(); }
    String LogLine(int fromEnd = 0) { return Log()[Log().Count() - 1 - fromEnd]; }
    String Panel(int i) { return window_->StatusBar1->Panels()->Items(i)->Text(); }

    // Sends bytes from the device and waits until the window has seen them arrive.
    void DeviceSends(const String& bytes, const std::function<bool()>& seen)
    {
        device_->Push(bytes);
        EXPECT_TRUE(PumpUntil(seen, 2000)) << "not received: " << Hex(bytes);
    }

    std::unique_ptr<SensorDevice> device_;
    std::vector<String> dialogs_;
    TDialogHandler previous_;
};

TEST_F(EndToEndTest, ConnectStartShowsEveryLineOnLogReadoutsAndMeters)
{
    SensorOptions options;
    options.rate = 100;
    auto& device = StartDevice(options);
    auto& w = CreateWindow();
    bool listed = false;
    for (int i = 0; i < w.ePortNo->Items()->Count(); ++i) listed |= (*w.ePortNo->Items())[i] == "COM7";
    EXPECT_TRUE(listed) << "the simulator's port is missing from the port list";

    Connect();
    EXPECT_EQ(w.lbComOpen->Font()->Color(), clLime);
    EXPECT_EQ(device.Received(), "");  // opening sends nothing

    testkit::Click(w, "btACStart");
    EXPECT_EQ(device.Received(), "#READ" + CRLF);
    EXPECT_EQ(Panel(1), "#READ" + CRLF);
    ASSERT_TRUE(PumpUntil([&] { return Log().Count() >= 30; }, 5000)) << Log().Count() << " lines";

    // Between two pumps nothing arrives: the last line logged is the one on display.
    const auto [x, y] = Reading(LogLine());
    EXPECT_NEAR(w.ssXValue->Value(), x, 1e-9);
    EXPECT_NEAR(w.ssYValue->Value(), y, 1e-9);
    EXPECT_FLOAT_EQ(w.meterXValue->Value(), static_cast<float>(x));
    EXPECT_FLOAT_EQ(w.meterYValue->Value(), static_cast<float>(y));
    const TColor lamp = w.shDataRecieve->Brush()->Color();
    EXPECT_TRUE(lamp == clGreen || lamp == clLime);
    // A picture of the window while it streams, beside the test binary, to look at.
    EXPECT_TRUE(testkit::RenderToPng(w, (std::filesystem::current_path() / "viewer-streaming.png").string()));

    // Every line the device sent, in order, nothing lost or doubled.
    const auto sent = device.DataLines();
    ASSERT_GE(sent.size(), static_cast<std::size_t>(Log().Count()));
    for (int i = 0; i < Log().Count(); ++i) ASSERT_EQ(Log()[i] + "\r", sent[i]) << "line " << i;
}

TEST_F(EndToEndTest, ReceiveLampTogglesOncePerReceiveEvent)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    const TColor before = w.shDataRecieve->Brush()->Color();
    DeviceSends("1.00 2.00\r3.00 4.00\r", [&] { return Log().Count() == 2; });
    EXPECT_NE(w.shDataRecieve->Brush()->Color(), before);  // one event, two lines: one toggle
    const TColor after = w.shDataRecieve->Brush()->Color();
    EXPECT_TRUE(after == clGreen || after == clLime);
    DeviceSends("5.00 6.00\r", [&] { return Log().Count() == 3; });
    EXPECT_EQ(w.shDataRecieve->Brush()->Color(), before);
}

TEST_F(EndToEndTest, OffsetTaresTheReadingOnDisplay)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    struct Step {
        const char* line;
        bool checkOffsetBefore;
        bool uncheckOffsetBefore;
        double x, y;
    };
    const Step steps[] = {
        {"3.10 -1.20", false, false, 3.10, -1.20},
        {"3.10 -1.20", true, false, 0.0, 0.0},  // tared at 3.10 -1.20
        {"4.10 -0.70", false, false, 1.0, 0.5},
        {"4.10 -0.70", false, true, 4.10, -0.70},  // unchecked: raw again
    };
    int lines = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.line);
        if (s.checkOffsetBefore) testkit::Click(w, "CheckBox1");
        if (s.uncheckOffsetBefore) testkit::Click(w, "CheckBox1");
        ++lines;
        DeviceSends(String(s.line) + "\r", [&] { return Log().Count() == lines; });
        EXPECT_NEAR(w.ssXValue->Value(), s.x, 1e-9);
        EXPECT_NEAR(w.ssYValue->Value(), s.y, 1e-9);
        EXPECT_FLOAT_EQ(w.meterXValue->Value(), static_cast<float>(w.ssXValue->Value()));
        EXPECT_FLOAT_EQ(w.meterYValue->Value(), static_cast<float>(w.ssYValue->Value()));
    }
    EXPECT_EQ(Log()[0], "3.10 -1.20");  // the log keeps the raw lines
    EXPECT_EQ(Log()[1], "3.10 -1.20");
}

TEST_F(EndToEndTest, OffsetAndClearTakeInTheLinesAlreadyReceived)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    // Each click comes right after a line arrived, before the screen has caught up with it.
    DeviceSends("3.10 -1.20\r", [&] { return w.LastLine() == "3.10 -1.20"; });
    testkit::Click(w, "CheckBox1");
    EXPECT_DOUBLE_EQ(w.OffsetX(), 3.10);
    EXPECT_DOUBLE_EQ(w.OffsetY(), -1.20);
    EXPECT_EQ(Log().Count(), 1);
    DeviceSends("1.00 2.00\r", [&] { return w.LastLine() == "1.00 2.00"; });
    testkit::Click(w, "btClear");
    testkit::Pump(100);
    EXPECT_EQ(Log().Count(), 0);  // cleared with the rest, not shown after the click
    EXPECT_NEAR(w.ssXValue->Value(), 1.00 - 3.10, 1e-9);
}

TEST_F(EndToEndTest, StopSendsStopThreeTimesAndTheStreamEnds)
{
    ASSERT_TRUE(Stream(100, 5));
    auto& device = *device_;
    auto& w = *window_;
    testkit::Click(w, "btACStop");
    // The last one leaves through the write queue after the handler has returned.
    const String expected = "#READ" + CRLF + Times("#STOP" + CRLF, 3);
    PumpUntil([&] { return device.Received().size() >= expected.size(); }, 1000);
    EXPECT_EQ(device.Received(), expected);
    EXPECT_EQ(Panel(1), "#STOP" + CRLF);
    EXPECT_EQ(w.lbStop->Font()->Color(), clLime);
    EXPECT_EQ(w.lbStart->Font()->Color(), clBlack);
    EXPECT_FALSE(device.Streaming());
    // What was under way when the device stopped arrives; then nothing more.
    testkit::Pump(100);
    const int count = Log().Count();
    testkit::Pump(200);
    EXPECT_EQ(Log().Count(), count);
    EXPECT_EQ(static_cast<std::size_t>(count), device.DataLines().size());
}

TEST_F(EndToEndTest, FreeCommandGoesOutAndShowsAsTyped)
{
    auto& device = StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    const String typed =
        "Gr\xC3\xBC\xC3\x9F"
        "e\xC2\xB0";  // "Grüße°" as the edit holds it
    w.edtSend[0]->SetText(typed);
    testkit::Click(w, "btnbt360Send1");
    PumpUntil([&] { return device.Received().size() >= typed.size() + 2; }, 1000);
    EXPECT_EQ(Hex(device.Received()), Hex(typed + CRLF));
    EXPECT_EQ(Panel(1), typed + CRLF);
}

TEST_F(EndToEndTest, PollSendsTwoBytesAndTheAddressedDeviceAnswers)
{
    struct Case {
        int id;
        const char* bytes;
    };
    for (const Case c : {Case{12, "\xBC\x05"}, Case{79, "\xFF\x05"}, Case{1, "\xB1\x05"}}) {
        SCOPED_TRACE(c.id);
        SensorOptions options;
        options.id = c.id;
        auto& device = StartDevice(options);
        auto& w = Connect();
        w.cbbID->SetText(std::to_string(c.id));
        testkit::Click(w, "Button3");
        ASSERT_TRUE(PumpUntil([&] { return Log().Count() == 1; }, 2000));
        EXPECT_EQ(Hex(device.Received()), Hex(c.bytes));    // exactly these, no line end
        EXPECT_EQ(Panel(1), sensor::BytesToText(c.bytes));  // each byte one character
        const auto [x, y] = Reading(Log()[0]);
        EXPECT_NEAR(w.ssXValue->Value(), x, 1e-9);
        EXPECT_NEAR(w.ssYValue->Value(), y, 1e-9);
        window_.reset();
        testkit::Pump();
        device_.reset();
    }
}

TEST_F(EndToEndTest, IdChangeSendsAccessCodeTwiceThenTheIdUntilOk)
{
    struct Case {
        SensorDevice::TAnswer answer;
        int idCommands;
        int idAfter;
    };
    for (const Case c : {Case{SensorDevice::anModel, 1, 5}, Case{SensorDevice::anSilent, 6, 5}}) {
        SCOPED_TRACE(c.answer == SensorDevice::anModel ? "answering" : "silent");
        auto& device = StartDevice({}, c.answer);
        auto& w = Connect();
        w.cbbID->SetText("5");
        testkit::Click(w, "Button4");
        EXPECT_EQ(device.Received(), Times("#QKV5302" + CRLF, 2) + Times("#ID5" + CRLF, c.idCommands));
        EXPECT_EQ(device.Id(), c.idAfter);  // the model takes the ID whether or not it answers
        if (c.answer == SensorDevice::anModel) {
            EXPECT_EQ(w.LastLine(), "OK");
            EXPECT_EQ(LogLine(), "OK");
        } else {
            EXPECT_EQ(Log().Count(), 0);
        }
        EXPECT_TRUE(dialogs_.empty());
        window_.reset();
        testkit::Pump();
        device_.reset();
    }
}

TEST_F(EndToEndTest, SaveWithAPartialLineEndsOnTheJoinedReply)
{
    auto& device = StartDevice();
    auto& w = Connect();
    DeviceSends("12.3", [&] { return w.RxBuffer() == "12.3"; });
    testkit::Click(w, "Button5");
    EXPECT_EQ(device.Received(), "#SAVE" + CRLF);  // the joined line holds "OK": no repeat
    EXPECT_EQ(w.LastLine(), "12.3OK");
    EXPECT_EQ(LogLine(), "12.3OK");
    EXPECT_EQ(w.RxBuffer(), "");
}

TEST_F(EndToEndTest, LineSplitAcrossTwoWritesIsProcessedOnce)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    DeviceSends("12.3", [&] { return w.RxBuffer() == "12.3"; });
    EXPECT_EQ(Log().Count(), 0);
    DeviceSends("4 5.6\r", [&] { return Log().Count() == 1; });
    EXPECT_EQ(Log()[0], "12.34 5.6");
    EXPECT_NEAR(w.ssXValue->Value(), 12.34, 1e-9);
    EXPECT_NEAR(w.ssYValue->Value(), 5.6, 1e-9);
    EXPECT_EQ(w.RxBuffer(), "");
}

TEST_F(EndToEndTest, CheckedBlocksFromTheDevice)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    // A good block is a line; a bad check leaves its bytes in the buffer and shows nothing.
    DeviceSends(FrameBlock("1.25 -2.50"), [&] { return Log().Count() == 1; });
    EXPECT_EQ(Log()[0], "1.25 -2.50");
    EXPECT_NEAR(w.ssXValue->Value(), 1.25, 1e-9);
    EXPECT_NEAR(w.ssYValue->Value(), -2.50, 1e-9);

    String bad = FrameBlock("3.00 4.00");
    bad[bad.size() - 3] ^= 1;  // the second check byte
    const String kept = "3.00 4.00" + bad.substr(bad.size() - 4, 2);
    DeviceSends(bad, [&] { return w.RxBuffer() == kept; });
    testkit::Pump(20);
    EXPECT_EQ(Log().Count(), 1);
    EXPECT_NEAR(w.ssXValue->Value(), 1.25, 1e-9);
}

TEST_F(EndToEndTest, FramedStreamArrivesAsLines)
{
    SensorOptions options;
    options.rate = 100;
    options.frame = true;
    auto& device = StartDevice(options);
    auto& w = Connect();
    testkit::Click(w, "btACStart");
    ASSERT_TRUE(PumpUntil([&] { return Log().Count() >= 20; }, 5000));
    const auto sent = device.DataLines();
    // A block alone in its receive event is a line. When the pace brings two blocks into one
    // event, the second fails its check, keeps its text and check bytes, and the next block,
    // which passes, ends the line: a line is one block's text or two joined that way.
    std::size_t next = 0;
    bool lastWhole = false;
    for (int i = 0; i < Log().Count(); ++i) {
        ASSERT_LT(next, sent.size());
        const String& block = sent[next];
        const String text = block.substr(1, block.size() - 5);
        lastWhole = Log()[i] == text;
        if (lastWhole) {
            ++next;
            continue;
        }
        ASSERT_LT(next + 1, sent.size()) << "line " << i;
        const String& following = sent[next + 1];
        EXPECT_EQ(Log()[i], text + block.substr(block.size() - 4, 2) + following.substr(1, following.size() - 5))
            << "line " << i;
        next += 2;
    }
    if (lastWhole) {
        const auto [x, y] = Reading(LogLine());
        EXPECT_NEAR(w.ssXValue->Value(), x, 1e-9);
        EXPECT_NEAR(w.ssYValue->Value(), y, 1e-9);
    }
}

TEST_F(EndToEndTest, GarbageBytesSpoilOnlyTheLineTheyPrecede)
{
    SensorOptions options;
    options.rate = 200;
    options.garbage = true;
    options.seed = 7;
    auto& device = StartDevice(options);
    auto& w = Connect();
    testkit::Click(w, "btACStart");
    ASSERT_TRUE(PumpUntil([&] { return Log().Count() >= 40; }, 5000));
    testkit::Click(w, "btACStop");
    testkit::Pump(100);
    const auto sent = device.DataLines();
    ASSERT_EQ(static_cast<std::size_t>(Log().Count()), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const String& line = sent[i];
        ASSERT_EQ(Log()[static_cast<int>(i)], sensor::BytesToText(line.substr(0, line.size() - 1)))
            << "line " << i << ": each byte one character";
    }
    EXPECT_EQ(Panel(0), "");  // a spoilt line is no reading, and no error
    // The chart holds the lines that are still readings, in order; the readouts the last of them.
    std::vector<std::pair<double, double>> readings;
    for (int i = 0; i < Log().Count(); ++i)
        if (double x, y; IsReading(Log()[i], x, y)) readings.emplace_back(x, y);
    ASSERT_GE(readings.size(), sent.size() * 8 / 10);
    ASSERT_EQ(static_cast<std::size_t>(window_->Chart1->GetSeriesAt(0)->Count()), readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        ASSERT_NEAR(window_->Chart1->GetSeriesAt(0)->YValues()->ValueAt(static_cast<int>(i)), readings[i].first, 1e-9);
        ASSERT_NEAR(window_->Chart1->GetSeriesAt(1)->YValues()->ValueAt(static_cast<int>(i)), readings[i].second, 1e-9);
    }
    EXPECT_NEAR(w.ssXValue->Value(), readings.back().first, 1e-9);
    EXPECT_NEAR(w.ssYValue->Value(), readings.back().second, 1e-9);
}

TEST_F(EndToEndTest, HangUpWhileStreamingIsReportedAndNothingHangs)
{
    SensorOptions options;
    options.rate = 200;
    auto& device = StartDevice(options);
    TfKAVRO_IN_D_485_Viewer::SetClock([] { return EncodeDate(2026, 3, 4) + EncodeTime(5, 6, 7, 0); });
    auto& w = Connect();
    testkit::Click(w, "btACStart");
    ASSERT_TRUE(PumpUntil([&] { return Log().Count() >= 10; }, 3000));
    device.HangUp();
    ASSERT_TRUE(PumpUntil([&] { return !w.PortOpened(); }, 3000)) << "hang-up not noticed";
    EXPECT_EQ(w.lbComOpen->Font()->Color(), clBlack);
    EXPECT_TRUE(PumpUntil([&] { return !Panel(0).empty(); }, 1000));
    EXPECT_TRUE(std::regex_match(Panel(0), std::regex(".+ - 2026-03-04 05:06:07"))) << Panel(0);

    // The window still answers: a command is refused as for a closed port.
    const int lines = Log().Count();
    testkit::Click(w, "btACStart");
    ASSERT_EQ(dialogs_.size(), 1u);
    EXPECT_EQ(dialogs_[0], "Open Com port.");
    testkit::Pump(50);
    EXPECT_EQ(Log().Count(), lines);
}

TEST_F(EndToEndTest, DisconnectAndReconnect)
{
    SensorOptions options;
    options.rate = 100;
    auto& device = StartDevice(options);
    auto& w = Connect();
    testkit::Click(w, "btConnect");
    EXPECT_FALSE(w.PortOpened());
    EXPECT_EQ(w.lbComOpen->Font()->Color(), clBlack);
    testkit::Click(w, "btConnect");
    ASSERT_TRUE(w.PortOpened());
    testkit::Click(w, "btACStart");
    // The device's thread reads the command on its own time.
    PumpUntil([&] { return device.Received().size() >= 7; }, 3000);
    EXPECT_EQ(device.Received(), "#READ" + CRLF);
    EXPECT_TRUE(PumpUntil([&] { return Log().Count() >= 3; }, 3000));
}

}  // namespace

namespace {

TEST_F(EndToEndTest, CloseDuringTheIdReplyWaitEndsTheWaitAndThenTheWindow)
{
    auto& device = StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    w.cbbID->SetText("5");
    testkit::PostClick(testkit::FindControl(w, "btClose"));  // taken in by the first wait
    testkit::Click(w, "Button4");
    testkit::Pump(50);
    // The transaction stopped at the close; the window closed only after its handler returned.
    // The access code may or may not leave the output queue before the close drops it.
    PumpUntil([&] { return !device.Received().empty(); }, 300);
    EXPECT_EQ(device.Received(), device.Received().empty() ? String() : "#QKV5302" + CRLF);
    EXPECT_FALSE(w.PortOpened());
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.UserSet().Get(TUserSet::fPortNo), "COM7");
}

}  // namespace

// ---- the chart view ----

class EndToEndChartTest : public EndToEndTest {
protected:
    TChartSeries& Series(int i) { return *window_->Chart1->GetSeriesAt(i); }
    TChartAxis& Bottom() { return *window_->Chart1->BottomAxis(); }
    int Plotted() { return Series(0).Count(); }
    // The device sends one reading; true once the chart holds it.
    void DeviceReads(const String& line)
    {
        const int before = Plotted();
        DeviceSends(line + "\r", [&] { return Plotted() == before + 1; });
    }
};

// The bottom axis holds the newest N samples: the feed moves the minimum when N < M, "DATA" when
// N - 1 <= M (and so reaches -1 when M is N - 1, where a reading leaves the minimum).
TEST_F(EndToEndChartTest, ViewSizeSlidesTheBottomAxisFromItsMaximum)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    constexpr double untouched = 7;
    const struct {
        const char* via;
        double maximum;
        double minimum;
    } cases[] = {
        {"reading", 250, 150}, {"reading", 80, untouched}, {"reading", 100, untouched},
        {"reading", 101, 1},   {"DATA", 250, 150},         {"DATA", 80, untouched},
        {"DATA", 99, -1},      {"DATA", 98, untouched},
    };
    w.edACDataQuantity->SetText("100");
    for (const auto& c : cases) {
        SCOPED_TRACE(String(c.via) + " at maximum " + std::to_string(c.maximum));
        Bottom().ApplyRange(untouched, c.maximum);  // fixed ends: no paint moves them under the test
        if (String(c.via) == "DATA")
            testkit::Click(w, "btACDataQuantity");
        else
            DeviceReads("1.00 2.00");
        EXPECT_EQ(w.ViewDataQuantity(), 100);
        EXPECT_FALSE(Bottom().AutomaticMinimum());
        EXPECT_EQ(Bottom().Minimum(), c.minimum);
        EXPECT_EQ(Bottom().Maximum(), c.maximum);
    }
    EXPECT_EQ(Panel(0), "") << "nothing refused";
}

// While the device streams, each line is one point per series at X 0, 1, 2 ..., and the bottom
// axis follows the newest sample with the view size's width.
TEST_F(EndToEndChartTest, StreamPlotsEveryLineAndSlides)
{
    ASSERT_TRUE(Stream(200, 300)) << Log().Count() << " lines";
    auto& device = *device_;
    auto& w = *window_;
    EXPECT_EQ(w.ViewDataQuantity(), 100) << "the stored box";
    testkit::Click(w, "btACStop");
    ASSERT_TRUE(PumpUntil([&] { return !device.Streaming(); }, 3000));
    testkit::Pump(100);
    const int lines = Log().Count();
    ASSERT_EQ(Plotted(), lines);
    ASSERT_EQ(Series(1).Count(), lines);
    for (int i = 0; i < lines; ++i) {
        const auto [x, y] = Reading(Log()[i]);
        ASSERT_EQ(Series(0).XValues()->ValueAt(i), i);
        ASSERT_NEAR(Series(0).YValues()->ValueAt(i), x, 1e-9) << "line " << i;
        ASSERT_NEAR(Series(1).YValues()->ValueAt(i), y, 1e-9) << "line " << i;
    }
    // The paint after the last line puts the maximum on it; a last reading slides the minimum.
    testkit::Pump(50);
    EXPECT_EQ(Bottom().Maximum(), lines - 1);
    DeviceReads("1.00 2.00");
    EXPECT_EQ(Bottom().Minimum(), lines - 1 - 100);
}

TEST_F(EndToEndChartTest, ChartClearRestartsAtXZero)
{
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    for (const char* line : {"1.00 2.00", "3.00 4.00", "5.00 6.00"}) DeviceReads(line);
    testkit::Pump(50);
    EXPECT_EQ(Bottom().Maximum(), 2);
    testkit::Click(w, "btChart1Clear");
    EXPECT_EQ(Plotted(), 0);
    EXPECT_EQ(Series(1).Count(), 0);
    EXPECT_EQ(Bottom().Minimum(), 0);
    EXPECT_EQ(Bottom().Maximum(), 0);
    DeviceReads("7.00 -8.00");
    ASSERT_EQ(Plotted(), 1);
    EXPECT_EQ(Series(0).XValues()->ValueAt(0), 0);
    EXPECT_EQ(Series(1).XValues()->ValueAt(0), 0);
    EXPECT_EQ(Series(0).YValues()->ValueAt(0), 7);
    EXPECT_EQ(Series(1).YValues()->ValueAt(0), -8);
}

// Replies that come between the readings of a stream ("OK" of an ID change, the info text) are
// logged, and the chart holds the readings alone: no spike at 0. A picture of the window after the
// "OK", beside the test binary, to look at.
TEST_F(EndToEndChartTest, RepliesWhileStreamingAreLoggedNotPlotted)
{
    ASSERT_TRUE(Stream(100, 30)) << Log().Count() << " lines";
    auto& device = *device_;
    auto& w = *window_;
    w.cbbID->SetText("5");
    testkit::Click(w, "Button4");
    EXPECT_EQ(device.Id(), 5);
    w.edtSend[0]->SetText("#INFO");
    testkit::Click(w, "btnbt360Send1");
    ASSERT_TRUE(PumpUntil([&] { return Log().Count() >= 60; }, 5000)) << Log().Count() << " lines";
    EXPECT_TRUE(testkit::RenderToPng(w, (std::filesystem::current_path() / "viewer-reply-while-streaming.png").string()));
    testkit::Click(w, "btACStop");
    ASSERT_TRUE(PumpUntil([&] { return !device.Streaming(); }, 3000));
    testkit::Pump(100);

    std::vector<std::pair<double, double>> readings;
    std::vector<String> replies;
    for (int i = 0; i < Log().Count(); ++i) {
        if (double x, y; IsReading(Log()[i], x, y))
            readings.emplace_back(x, y);
        else
            replies.push_back(Log()[i]);
    }
    // Readings overwrite the last line between two looks of the reply wait, so the ID command may
    // go out again, and the sensor, locked again, answers "ERR".
    ASSERT_GE(replies.size(), 2u);
    EXPECT_EQ(replies.front(), "OK");
    for (std::size_t i = 1; i + 1 < replies.size(); ++i) EXPECT_TRUE(replies[i] == "OK" || replies[i] == "ERR") << replies[i];
    EXPECT_EQ(replies.back().rfind("TILT-2", 0), 0u) << replies.back();
    EXPECT_EQ(readings.size(), device.DataLines().size());
    ASSERT_EQ(static_cast<std::size_t>(Plotted()), readings.size());
    ASSERT_EQ(static_cast<std::size_t>(Series(1).Count()), readings.size());
    for (std::size_t i = 0; i < readings.size(); ++i) {
        ASSERT_NEAR(Series(0).YValues()->ValueAt(static_cast<int>(i)), readings[i].first, 1e-9) << "point " << i;
        ASSERT_NEAR(Series(1).YValues()->ValueAt(static_cast<int>(i)), readings[i].second, 1e-9) << "point " << i;
    }
}

// A picture of the whole window while the chart slides, beside the test binary, to look at.
TEST_F(EndToEndChartTest, PictureWhileStreaming)
{
    ASSERT_TRUE(Stream(200, 250)) << Log().Count() << " lines";
    auto& w = *window_;
    testkit::Pump(50);
    EXPECT_GT(Bottom().Minimum(), 0) << "the view slid";
    EXPECT_TRUE(testkit::RenderToPng(w, (std::filesystem::current_path() / "viewer-chart-streaming.png").string()));
}

// "Data Save" writes what was streamed: both series as comma-separated text and as a workbook,
// read back by python's csv module and by openpyxl.
TEST_F(EndToEndChartTest, DataSaveWritesBothSeriesAsCsvAndWorkbook)
{
    const std::string python = testsupport::OpenpyxlPython();
    if (python.empty()) GTEST_SKIP() << "no python3 with openpyxl";
    StartDevice({}, SensorDevice::anSilent);
    auto& w = Connect();
    for (const char* line : {"1.50 -2.00", "3.00 4.25", "-5.00 6.00"}) DeviceReads(line);
    const std::filesystem::path folder = testsupport::UniqueTempPath("tv_datasave", "");
    std::filesystem::create_directories(folder);
    String answer;
    int entry = 0;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest& r) {
        if (r.Kind != dkSaveDialog) return IDYES;
        *r.Value = answer;
        *r.FilterIndex = entry;
        return IDOK;
    });
    TZebExportForm* shown = nullptr;
    TModalHandler oldModal = SetModalHandler([&](TCustomForm& form) {
        auto& d = dynamic_cast<TZebExportForm&>(form);
        shown = &d;
        d.Show();
        d.PageControl1->SetActivePage(d.TabData);
        answer = (folder / "tilt.csv").string();
        entry = 3;
        d.BSave->Click();
        d.RGText->SetItemIndex(3);
        d.RGExcelVers->SetItemIndex(1);
        answer = (folder / "tilt.xlsx").string();
        entry = 9;
        d.BSave->Click();
        d.Hide();
        return mrCancel;
    });
    testkit::Click(w, "Button2");
    SetModalHandler(oldModal);
    SetDialogHandler(old);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(Panel(0), "") << "nothing refused";
    const std::string csv = testsupport::RunPython(python,
                                                   "import csv, sys\n"
                                                   "for row in csv.reader(open(sys.argv[1], newline='')):\n"
                                                   "    if row: print('|'.join(row))\n",
                                                   {(folder / "tilt.csv").string()});
    EXPECT_EQ(csv, "X-Value|Y-Value\n1.5|-2\n3|4.25\n-5|6\n") << csv;
    const std::string sheet = testsupport::RunPython(python,
                                                     "import openpyxl, sys\n"
                                                     "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                                     "for row in ws.iter_rows(values_only=True):\n"
                                                     "    print(row)\n",
                                                     {(folder / "tilt.xlsx").string()});
    EXPECT_NE(sheet.find("1.5"), std::string::npos) << sheet;
    EXPECT_NE(sheet.find("4.25"), std::string::npos) << sheet;
    std::filesystem::remove_all(folder);
}
