#include "app/MainWindow.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

#include "app/SensorProtocol.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ZebConst.h"
#include "chart/canvas/ZebFont.h"
#include "chart/editor/ChartEditor.h"
#include "chart/editor/ExportForm.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Tick.h"
#include "platform/comm/CommDevice.h"
#include "platform/rtl/StringList.h"
#include "platform/system/DeviceMap.h"
#include "platform/system/Registry.h"
#include "serial/VaComm.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/meters/Register.h"
#include "widgets/styled/QMPanel.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"
#include "platform/forms/FormComponents.h"

TfKAVRO_IN_D_485_Viewer* fKAVRO_IN_D_485_Viewer = nullptr;

namespace {

String settingsFolder;
std::function<TDateTime()> clockNow = [] { return Now(); };

const String CRLF = "\r\n";

// Received lines reach the screen at this pace (25 frames a second).
constexpr Cardinal FramePeriodMs = 40;

// A reading's text as a number: the current decimal separator first, then the sensor's own '.'.
bool readingValue(const String& text, double& value)
{
    if (TryStrToFloat(text, value)) return true;
    TFormatSettings dot = FormatSettings;
    dot.DecimalSeparator = '.';
    return TryStrToFloat(text, value, dot);
}

// X before the first blank, Y after it; a line without a blank is a Y alone (X 0). A line whose
// parts are not numbers is a reply ("OK", "ERR", the info text): no tilt the sensor measured.
bool parseReading(const String& line, double& x, double& y)
{
    const std::size_t blank = line.find(' ');
    const String xText = blank == String::npos ? String() : line.substr(0, blank);
    const String yText = blank == String::npos ? line : line.substr(blank + 1);
    x = 0;
    return readingValue(yText, y) && (xText.empty() || readingValue(xText, x));
}

// View sizes when the "DATA" box holds no number: at show, and on a click of "DATA".
constexpr int ShowViewDataQuantity = 300;
constexpr int ButtonViewDataQuantity = 1000;

// A view size below 1 would put the sliding bottom axis's minimum at or past its maximum.
bool validViewDataQuantity(int value) { return value >= 1; }

// The meters take 32-bit values; a reading beyond that range pins to its end.
float meterValue(double value)
{
    if (std::isnan(value)) return 0;
    if (value > FLT_MAX) return FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

}  // namespace

class TfKAVRO_IN_D_485_Viewer::TBusyScope {
public:
    explicit TBusyScope(TfKAVRO_IN_D_485_Viewer& form) : form_(form) { ++form_.busy_; }
    ~TBusyScope()
    {
        if (--form_.busy_ == 0 && form_.closePending_) form_.PostMessage(WM_CLOSE);
    }
    TBusyScope(const TBusyScope&) = delete;
    TBusyScope& operator=(const TBusyScope&) = delete;

private:
    TfKAVRO_IN_D_485_Viewer& form_;
};

void TfKAVRO_IN_D_485_Viewer::SetSettingsFolder(const String& folder) { settingsFolder = folder; }
void TfKAVRO_IN_D_485_Viewer::SetClock(std::function<TDateTime()> clock)
{
    clockNow = clock ? std::move(clock) : [] { return Now(); };
}

TfKAVRO_IN_D_485_Viewer::TfKAVRO_IN_D_485_Viewer(TComponent* owner) : TForm(owner)
{
    InitFromResource("TfKAVRO_IN_D_485_Viewer");
}

TfKAVRO_IN_D_485_Viewer::~TfKAVRO_IN_D_485_Viewer() = default;

void TfKAVRO_IN_D_485_Viewer::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, VaComm1, "VaComm1");
    FindFormComponent(*this, shDataRecieve, "shDataRecieve");
    FindFormComponent(*this, Memo1, "Memo1");
    FindFormComponent(*this, ssXValue, "ssXValue");
    FindFormComponent(*this, ssYValue, "ssYValue");
    FindFormComponent(*this, meterXValue, "meterXValue");
    FindFormComponent(*this, meterYValue, "meterYValue");
    FindFormComponent(*this, CheckBox1, "CheckBox1");
    FindFormComponent(*this, ePortNo, "ePortNo");
    FindFormComponent(*this, cbBaudrate, "cbBaudrate");
    FindFormComponent(*this, cbbID, "cbbID");
    FindFormComponent(*this, lbComOpen, "lbComOpen");
    FindFormComponent(*this, lbStart, "lbStart");
    FindFormComponent(*this, lbStop, "lbStop");
    const char* sendNames[5] = {"edtSend1", "edtSend2", "edtSend3", "edtSend4", "edtSend5"};
    for (int i = 0; i < 5; ++i) FindFormComponent(*this, edtSend[i], sendNames[i]);
    FindFormComponent(*this, StatusBar1, "StatusBar1");
    FindFormComponent(*this, Chart1, "Chart1");
    FindFormComponent(*this, ChartEditor1, "ChartEditor1");
    FindFormComponent(*this, edACDataQuantity, "edACDataQuantity");
    FindFormComponent(*this, edChart1LeftMax, "edChart1LeftMax");
    FindFormComponent(*this, edChart1LeftMin, "edChart1LeftMin");
    FindFormComponent(*this, cbChart1LeftAuto, "cbChart1LeftAuto");
    if (!Chart1->GetSeriesAt(0) || !Chart1->GetSeriesAt(1))
        throw EComponentError("The chart's two series are missing from the window");
    frame_.reset(new TTimer(nullptr));
    frame_->SetEnabled(false);
    frame_->SetInterval(FramePeriodMs);
    frame_->SetOnTimer(TNotifyEvent([this](TObject*) { showReceived(); }));
    // Closing while a command waits is held until its handler has returned.
    SetOnCloseQuery(TCloseQueryEvent(this, &TfKAVRO_IN_D_485_Viewer::FormCloseQuery));
}

// ---- start-up, settings, error report ----

void TfKAVRO_IN_D_485_Viewer::FormCreate(TObject*)
{
    Application->SetOnException(TExceptionEvent(this, &TfKAVRO_IN_D_485_Viewer::ShowErrorInStatusBar));
    // The record starts as the boxes show it, so a field a short file lacks keeps the box's text;
    // the fields the file holds whole are shown before its error reaches the status bar.
    storeBoxes();
    try {
        LoadUserSet();
    } catch (const EInOutError&) {
        showUserSet();
        throw;
    }
    showUserSet();
    ListComPorts(*ePortNo->Items(), true);
    offsetX_ = offsetY_ = 0;
}

void TfKAVRO_IN_D_485_Viewer::FormShow(TObject*)
{
    leftAxis().LabelsFont()->SetColor(clWhite);
    bottomAxis().LabelsFont()->SetColor(clWhite);
    Chart1->Title()->Font()->SetColor(clWhite);
    int quantity = 0;
    const bool number = TryStrToInt(edACDataQuantity->Text(), quantity);
    viewDataQuantity_ = number && validViewDataQuantity(quantity) ? quantity : ShowViewDataQuantity;
    // The stored chart fixes the left axis while the box says automatic: the box decides.
    cbChart1LeftAutoClick(cbChart1LeftAuto);
}

void TfKAVRO_IN_D_485_Viewer::FormCloseQuery(TObject*, bool& CanClose)
{
    if (busy_ > 0) {
        closePending_ = true;
        CanClose = false;
    }
}

void TfKAVRO_IN_D_485_Viewer::ShowErrorInStatusBar(TObject*, Exception* E)
{
    try {
        errorText_ = E->Message() + " - " + FormatDateTime("yyyy-mm-dd hh:mm:ss", clockNow());
        setStatus(0, errorText_);
    } catch (...) {
    }
}

void TfKAVRO_IN_D_485_Viewer::storeBoxes()
{
    // Each field takes what fits of its text, cut between characters.
    userSet_.Set(TUserSet::fPortNo, ePortNo->Text());
    userSet_.Set(TUserSet::fBaudrate, cbBaudrate->Text());
    for (int i = 0; i < 5; ++i) userSet_.Set(static_cast<TUserSet::TField>(TUserSet::fSend1 + i), edtSend[i]->Text());
}

void TfKAVRO_IN_D_485_Viewer::showUserSet()
{
    ePortNo->SetText(userSet_.Get(TUserSet::fPortNo));
    cbBaudrate->SetText(userSet_.Get(TUserSet::fBaudrate));
    for (int i = 0; i < 5; ++i) edtSend[i]->SetText(userSet_.Get(static_cast<TUserSet::TField>(TUserSet::fSend1 + i)));
}

void TfKAVRO_IN_D_485_Viewer::LoadUserSet()
{
    const String folder = settingsFolder.empty() ? ProgramFolder() : settingsFolder;
    const String path = UserSetPath(folder);
    if (FileExists(path)) {
        ReadUserSet(path, userSet_);
    } else {
        userSet_ = TUserSet::Defaults();
        SaveUserSet();
    }
}

void TfKAVRO_IN_D_485_Viewer::SaveUserSet()
{
    const String folder = settingsFolder.empty() ? ProgramFolder() : settingsFolder;
    WriteUserSet(UserSetPath(folder), userSet_);
}

void TfKAVRO_IN_D_485_Viewer::ListComPorts(TStrings& target, bool onlyOpenable)
{
    target.Clear();
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly("hardware\\devicemap\\serialcomm")) return;
    TStringList names;
    registry.GetValueNames(names);
    for (int i = 0; i < names.Count(); ++i) {
        const String port = registry.ReadString(names[i]);
        if (!onlyOpenable || PortCanOpen(port)) target.Add(port);
    }
    registry.CloseKey();
}

bool TfKAVRO_IN_D_485_Viewer::PortCanOpen(const String& name)
{
    const String path = ResolveSerialDevice(name);
    if (path.empty()) return false;
    CommDevice device;
    return device.Open(path);  // exclusive: a port held elsewhere fails
}

void TfKAVRO_IN_D_485_Viewer::btClearClick(TObject*)
{
    showReceived();  // lines received before the click go with the rest
    Memo1->Lines()->Clear();
}

void TfKAVRO_IN_D_485_Viewer::btCloseClick(TObject*)
{
    TBusyScope busy(*this);
    storeBoxes();
    SaveUserSet();  // a failure reaches the status bar and the window stays open
    if (portOpened_) {
        try {
            VaComm1->Close();
        } catch (...) {
            closePending_ = true;
            throw;
        }
        WaitMs(10);
    }
    closePending_ = true;  // the busy scope closes the window once this handler has returned
}

// ---- receive path ----

// The reply waits look at LastLine at once; the log, the readouts, the meters and the lamp catch
// up on the next frame.
void TfKAVRO_IN_D_485_Viewer::VaComm1RxChar(TObject*, int)
{
    const String data = VaComm1->ReceiveText();
    lampToggled_ = !lampToggled_;
    if (!frame_->Enabled()) frame_->SetEnabled(true);
    framer_.Feed(data, [this](const String& line) { receiveLine(line); });
}

void TfKAVRO_IN_D_485_Viewer::receiveLine(const String& line)
{
    lastLine_ = line;
    received_.push_back(line);
}

void TfKAVRO_IN_D_485_Viewer::showReceived()
{
    if (IsDestroying()) return;  // the controls may be gone already
    if (!lampToggled_ && received_.empty()) {
        frame_->SetEnabled(false);  // the stream paused: no ticks until the next receive event
        return;
    }
    if (lampToggled_) {
        lampToggled_ = false;
        TBrush* lamp = shDataRecieve->Brush();
        lamp->SetColor(lamp->Color() == clGreen ? clLime : clGreen);
    }
    std::vector<String> lines;
    lines.swap(received_);
    // The readouts hold their repaint until the frame's last value is in.
    ssXValue->BeginUpdate();
    ssYValue->BeginUpdate();
    for (const String& line : lines) {
        try {
            showLine(line);
        } catch (...) {
            Application->HandleException(this);  // the report; the lines after it still show
        }
    }
    ssXValue->EndUpdate();
    ssYValue->EndUpdate();
}

void TfKAVRO_IN_D_485_Viewer::ProcessLine(const String& line)
{
    showReceived();  // in order after the lines already waiting
    lastLine_ = line;
    showLine(line);
}

void TfKAVRO_IN_D_485_Viewer::showLine(const String& line)
{
    Memo1->Lines()->Add(sensor::BytesToText(line));
    double x = 0;
    double y = 0;
    if (!parseReading(line, x, y)) return;  // logged, and the reply waits saw it as the last line
    ssXValue->SetValue(x - offsetX_);
    ssYValue->SetValue(y - offsetY_);
    meterXValue->SetValue(meterValue(ssXValue->Value()));
    meterYValue->SetValue(meterValue(ssYValue->Value()));
    plotReading(ssXValue->Value(), ssYValue->Value());
}

// ---- chart ----

TChartAxis& TfKAVRO_IN_D_485_Viewer::bottomAxis() const { return *Chart1->BottomAxis(); }
TChartAxis& TfKAVRO_IN_D_485_Viewer::leftAxis() const { return *Chart1->LeftAxis(); }

// The bottom axis's maximum is the one of the last paint: it follows the newest sample through
// its automatic maximum.
void TfKAVRO_IN_D_485_Viewer::plotReading(double x, double y)
{
    Chart1->GetSeriesAt(0)->AppendValue(x, String(), clAutomatic);
    Chart1->GetSeriesAt(1)->AppendValue(y, String(), clAutomatic);
    TChartAxis& axis = bottomAxis();
    const double maximum = axis.Maximum();
    axis.SetAutomaticMinimum(false);
    if (viewDataQuantity_ < maximum) axis.SetMinimum(maximum - viewDataQuantity_);
}

void TfKAVRO_IN_D_485_Viewer::btACDataQuantityClick(TObject*)
{
    const String text = edACDataQuantity->Text();
    int quantity = 0;
    if (!TryStrToInt(text, quantity)) quantity = ButtonViewDataQuantity;
    if (!validViewDataQuantity(quantity)) throw EConvertError("View Data Quantity must be 1 or more: '" + text + "'");
    viewDataQuantity_ = quantity;
    TChartAxis& axis = bottomAxis();
    const double maximum = axis.Maximum();
    axis.SetAutomaticMinimum(false);
    if (!(static_cast<double>(quantity) - 1 > maximum)) axis.SetMinimum(maximum - quantity);
}

void TfKAVRO_IN_D_485_Viewer::edChart1LeftMaxChange(TObject*)
{
    cbChart1LeftAuto->SetChecked(false);
    TChartAxis& axis = leftAxis();
    axis.SetAutomaticMaximum(false);
    axis.SetMaximum(StrToFloatDef(edChart1LeftMax->Text(), 0));
}

void TfKAVRO_IN_D_485_Viewer::edChart1LeftMinChange(TObject*)
{
    cbChart1LeftAuto->SetChecked(false);
    TChartAxis& axis = leftAxis();
    axis.SetAutomaticMinimum(false);
    axis.SetMinimum(StrToFloatDef(edChart1LeftMin->Text(), 0));
}

void TfKAVRO_IN_D_485_Viewer::cbChart1LeftAutoClick(TObject*)
{
    TChartAxis& axis = leftAxis();
    if (cbChart1LeftAuto->Checked()) {
        axis.SetAutomaticMaximum(true);
        axis.SetAutomaticMinimum(true);
        return;
    }
    axis.SetAutomaticMaximum(false);
    axis.SetAutomaticMinimum(false);
    const double maximum = StrToFloat(edChart1LeftMax->Text());
    const double minimum = StrToFloat(edChart1LeftMin->Text());
    if (maximum < minimum) throw AxisException(TxtAxisMaximumValueMustBe);
    // Both bounds move together: the first one set must not meet the other's old value, or a
    // valid pair would be refused when it lies wholly beside the automatic range of the moment.
    if (maximum >= axis.Minimum()) {
        axis.SetMaximum(maximum);
        axis.SetMinimum(minimum);
    } else {
        axis.SetMinimum(minimum);
        axis.SetMaximum(maximum);
    }
}

void TfKAVRO_IN_D_485_Viewer::btChart1ClearClick(TObject*)
{
    showReceived();  // lines received before the click go with the rest
    Chart1->GetSeriesAt(0)->RemoveAllPoints();
    Chart1->GetSeriesAt(1)->RemoveAllPoints();
    TChartAxis& axis = bottomAxis();
    axis.SetMinimum(0);
    axis.SetMaximum(0);
}

void TfKAVRO_IN_D_485_Viewer::Button2Click(TObject*)
{
    showReceived();  // the export holds every line received before the click
    ShowChartExportDialog(this, Chart1, String());
}

void TfKAVRO_IN_D_485_Viewer::Chart1DblClick(TObject*)
{
    ChartEditor1->OpenEditorDialog();
}

void TfKAVRO_IN_D_485_Viewer::CheckBox1Click(TObject*)
{
    showReceived();  // the tare is the last reading received
    if (CheckBox1->Checked()) {
        offsetX_ = ssXValue->Value();
        offsetY_ = ssYValue->Value();
    } else {
        offsetX_ = offsetY_ = 0;
    }
}

// ---- port and commands ----

void TfKAVRO_IN_D_485_Viewer::WaitMs(int ms)
{
    const Cardinal start = GetTickCount();
    const auto limit = static_cast<Cardinal>(ms);
    for (;;) {
        const Cardinal now = GetTickCount();
        Application->ProcessMessages();
        if (closePending_ || Application->Terminated()) throw EAbort("Operation aborted");
        if (static_cast<Cardinal>(now - start) > limit) break;
        // Asleep until the next message or the first tick past the limit, not spinning.
        const Cardinal elapsed = GetTickCount() - start;
        if (elapsed <= limit)
            Application->WaitMessage(static_cast<int>(std::min<Cardinal>(limit - elapsed + 1, INT_MAX)));
    }
}

void TfKAVRO_IN_D_485_Viewer::OpenPort()
{
    try {
        WaitMs(10);
        framer_.Clear();
        VaComm1->SetPortNum(PortNumberFromText(ePortNo->Text()));
        VaComm1->SetBaudrate(BaudrateFromText(cbBaudrate->Text()));
        VaComm1->Open();
        VaComm1->SetRtsLine(true);
        VaComm1->SetDtrLine(true);
        WaitMs(10);
    } catch (const EAbort&) {
        throw;
    } catch (...) {
    }
}

void TfKAVRO_IN_D_485_Viewer::ClosePort()
{
    try {
        WaitMs(50);
        VaComm1->Close();
        WaitMs(10);
    } catch (const EAbort&) {
        throw;
    } catch (...) {
    }
}

void TfKAVRO_IN_D_485_Viewer::VaComm1Open(TObject*)
{
    try {
        lbComOpen->Font()->SetColor(clLime);
        portOpened_ = true;
    } catch (...) {
    }
}

void TfKAVRO_IN_D_485_Viewer::VaComm1Close(TObject*)
{
    try {
        showReceived();  // everything the port delivered shows before it is reported closed
        lbComOpen->Font()->SetColor(clBlack);
        portOpened_ = false;
    } catch (...) {
    }
}

void TfKAVRO_IN_D_485_Viewer::btConnectClick(TObject*)
{
    TBusyScope busy(*this);
    if (portOpened_)
        ClosePort();
    else
        OpenPort();
}

bool TfKAVRO_IN_D_485_Viewer::refuseWhenClosed()
{
    if (portOpened_) return false;
    ShowMessage("Open Com port.");
    return true;
}

void TfKAVRO_IN_D_485_Viewer::setStatus(int panel, const String& text)
{
    StatusBar1->Panels()->Items(panel)->SetText(text);
}

void TfKAVRO_IN_D_485_Viewer::sendText(const String& text) { VaComm1->SendText(text); }

void TfKAVRO_IN_D_485_Viewer::showCommand(const String& text) { setStatus(1, text); }

bool TfKAVRO_IN_D_485_Viewer::beginStreamCommand(int waitMs)
{
    WaitMs(waitMs);
    lastLine_.clear();
    framer_.Clear();
    if (portOpened_) return true;
    lbStart->Font()->SetColor(clGreen);
    lbStop->Font()->SetColor(clGreen);
    refuseWhenClosed();
    return false;
}

void TfKAVRO_IN_D_485_Viewer::btACStartClick(TObject*)
{
    TBusyScope busy(*this);
    if (!beginStreamCommand(20)) return;
    lbStart->Font()->SetColor(clLime);
    lbStop->Font()->SetColor(clBlack);
    const String command = sensor::StartCommand + CRLF;
    sendText(command);
    showCommand(command);
    WaitMs(100);
}

void TfKAVRO_IN_D_485_Viewer::btACStopClick(TObject*)
{
    TBusyScope busy(*this);
    if (!beginStreamCommand(200)) return;
    lbStart->Font()->SetColor(clBlack);
    lbStop->Font()->SetColor(clLime);
    const String command = sensor::StopCommand + CRLF;
    sendText(command);
    showCommand(command);
    WaitMs(200);
    sendText(command);
    WaitMs(200);
    sendText(command);
}

void TfKAVRO_IN_D_485_Viewer::sendFreeCommand(int index)
{
    TBusyScope busy(*this);
    WaitMs(200);
    lastLine_.clear();
    framer_.Clear();
    if (refuseWhenClosed()) return;
    const String text = edtSend[index]->Text() + CRLF;
    sendText(text);
    showCommand(text);
}

void TfKAVRO_IN_D_485_Viewer::btnbt360Send1Click(TObject*) { sendFreeCommand(0); }
void TfKAVRO_IN_D_485_Viewer::btnbt360Send2Click(TObject*) { sendFreeCommand(1); }
void TfKAVRO_IN_D_485_Viewer::btnbt360Send3Click(TObject*) { sendFreeCommand(2); }
void TfKAVRO_IN_D_485_Viewer::btn1Click(TObject*) { sendFreeCommand(3); }
void TfKAVRO_IN_D_485_Viewer::btn2Click(TObject*) { sendFreeCommand(4); }

void TfKAVRO_IN_D_485_Viewer::Button3Click(TObject*)
{
    lastLine_.clear();
    framer_.Clear();
    if (refuseWhenClosed()) return;
    const String poll = sensor::PollBytes(StrToInt(cbbID->Text()));
    sendText(poll);
    showCommand(sensor::BytesToText(poll));  // binary: one byte one character
}

void TfKAVRO_IN_D_485_Viewer::replyWait(const String& command)
{
    for (int pass = 0; pass <= 10; ++pass) {
        if (pass > 5) sendText(command);
        WaitMs(200);
        if (lastLine_.find("OK") != String::npos) break;
    }
    showReceived();  // the transaction ends with its reply on the screen
}

void TfKAVRO_IN_D_485_Viewer::Button4Click(TObject*)
{
    TBusyScope busy(*this);
    lastLine_.clear();
    framer_.Clear();
    if (cbbID->Text() == "0") {
        ShowMessage("ID 0 is not possible");
        return;
    }
    if (refuseWhenClosed()) return;
    const String access = sensor::AccessCode + CRLF;
    sendText(access);
    WaitMs(200);
    sendText(access);
    WaitMs(200);
    const String command = sensor::IdCommand + cbbID->Text() + CRLF;
    sendText(command);
    replyWait(command);
}

void TfKAVRO_IN_D_485_Viewer::Button5Click(TObject*)
{
    TBusyScope busy(*this);
    lastLine_.clear();
    if (refuseWhenClosed()) return;
    const String command = sensor::SaveCommand + CRLF;
    sendText(command);
    replyWait(command);
}

// ---- class table ----

TV_PUBLISHED(TfKAVRO_IN_D_485_Viewer)
{
    Method("FormCreate", &TfKAVRO_IN_D_485_Viewer::FormCreate);
    Method("FormShow", &TfKAVRO_IN_D_485_Viewer::FormShow);
    Method("VaComm1RxChar", &TfKAVRO_IN_D_485_Viewer::VaComm1RxChar);
    Method("VaComm1Open", &TfKAVRO_IN_D_485_Viewer::VaComm1Open);
    Method("VaComm1Close", &TfKAVRO_IN_D_485_Viewer::VaComm1Close);
    Method("CheckBox1Click", &TfKAVRO_IN_D_485_Viewer::CheckBox1Click);
    Method("btConnectClick", &TfKAVRO_IN_D_485_Viewer::btConnectClick);
    Method("btACStartClick", &TfKAVRO_IN_D_485_Viewer::btACStartClick);
    Method("btACStopClick", &TfKAVRO_IN_D_485_Viewer::btACStopClick);
    Method("btnbt360Send1Click", &TfKAVRO_IN_D_485_Viewer::btnbt360Send1Click);
    Method("btnbt360Send2Click", &TfKAVRO_IN_D_485_Viewer::btnbt360Send2Click);
    Method("btnbt360Send3Click", &TfKAVRO_IN_D_485_Viewer::btnbt360Send3Click);
    Method("btn1Click", &TfKAVRO_IN_D_485_Viewer::btn1Click);
    Method("btn2Click", &TfKAVRO_IN_D_485_Viewer::btn2Click);
    Method("Button3Click", &TfKAVRO_IN_D_485_Viewer::Button3Click);
    Method("Button4Click", &TfKAVRO_IN_D_485_Viewer::Button4Click);
    Method("Button5Click", &TfKAVRO_IN_D_485_Viewer::Button5Click);
    Method("btCloseClick", &TfKAVRO_IN_D_485_Viewer::btCloseClick);
    Method("btClearClick", &TfKAVRO_IN_D_485_Viewer::btClearClick);
    Method("btACDataQuantityClick", &TfKAVRO_IN_D_485_Viewer::btACDataQuantityClick);
    Method("edChart1LeftMaxChange", &TfKAVRO_IN_D_485_Viewer::edChart1LeftMaxChange);
    Method("edChart1LeftMinChange", &TfKAVRO_IN_D_485_Viewer::edChart1LeftMinChange);
    Method("cbChart1LeftAutoClick", &TfKAVRO_IN_D_485_Viewer::cbChart1LeftAutoClick);
    Method("btChart1ClearClick", &TfKAVRO_IN_D_485_Viewer::btChart1ClearClick);
    Method("Button2Click", &TfKAVRO_IN_D_485_Viewer::Button2Click);
    Method("Chart1DblClick", &TfKAVRO_IN_D_485_Viewer::Chart1DblClick);
}

void RegisterViewerClasses()
{
    RegisterStandardClasses();
    RegisterSevenSegmentClasses();
    RegisterMeterControls();
    RegisterStyledControls();
    RegisterClass(TVaComm::StaticClass());
    // The chart engine registers the chart itself; the line series is the viewer's to name.
    RegisterClass(TLineSeries::StaticClass());
    RegisterClass(TfKAVRO_IN_D_485_Viewer::StaticClass());
}
