#pragma once
// The sensor viewer's main window: port, commands, receive path, readouts, meters and the log.
#include <functional>
#include <vector>

#include "app/ReceiveFramer.h"
#include "app/UserSet.h"
#include "platform/forms/Forms.h"

class TVaComm;
class TChartEditor;
class TShape;
class TMemo;
class TEdit;
class TComboBox;
class TCheckBox;
class TLabel;
class TStatusBar;
class TiSevenSegmentAnalog;
class TVnDB180Meter;
class TStrings;
class TTimer;
class TChart;
class TChartAxis;

class TfKAVRO_IN_D_485_Viewer : public TForm {
    TV_CLASS(TfKAVRO_IN_D_485_Viewer, TForm)
public:
    // Builds the window from its stored description.
    explicit TfKAVRO_IN_D_485_Viewer(TComponent* owner);
    ~TfKAVRO_IN_D_485_Viewer() override;

    // Handlers bound by name from the stored description.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void VaComm1RxChar(TObject* Sender, int Count);
    void VaComm1Open(TObject* Sender);
    void VaComm1Close(TObject* Sender);
    void CheckBox1Click(TObject* Sender);
    void btConnectClick(TObject* Sender);
    void btACStartClick(TObject* Sender);
    void btACStopClick(TObject* Sender);
    void btnbt360Send1Click(TObject* Sender);
    void btnbt360Send2Click(TObject* Sender);
    void btnbt360Send3Click(TObject* Sender);
    void btn1Click(TObject* Sender);
    void btn2Click(TObject* Sender);
    void Button3Click(TObject* Sender);
    void Button4Click(TObject* Sender);
    void Button5Click(TObject* Sender);
    void btCloseClick(TObject* Sender);
    void btClearClick(TObject* Sender);
    void btACDataQuantityClick(TObject* Sender);
    void edChart1LeftMaxChange(TObject* Sender);
    void edChart1LeftMinChange(TObject* Sender);
    void cbChart1LeftAutoClick(TObject* Sender);
    void btChart1ClearClick(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Chart1DblClick(TObject* Sender);
    void ShowErrorInStatusBar(TObject* Sender, Exception* E);

    void ProcessLine(const String& line);
    void OpenPort();
    void ClosePort();
    // A wait that keeps processing window messages, asleep while none comes.
    void WaitMs(int ms);
    void ListComPorts(TStrings& target, bool onlyOpenable);
    static bool PortCanOpen(const String& name);
    void LoadUserSet();
    void SaveUserSet();

    // State of the receive path and the commands.
    const String& RxBuffer() const { return framer_.Buffer(); }
    const String& LastLine() const { return lastLine_; }
    double OffsetX() const { return offsetX_; }
    double OffsetY() const { return offsetY_; }
    bool PortOpened() const { return portOpened_; }
    const String& ErrorText() const { return errorText_; }
    const TUserSet& UserSet() const { return userSet_; }
    // How many of the newest samples the chart's bottom axis shows.
    int ViewDataQuantity() const { return viewDataQuantity_; }

    // Where "UserSet.dat" lives (the program's folder unless set, for tests) and the clock of the
    // error report.
    static void SetSettingsFolder(const String& folder);
    static void SetClock(std::function<TDateTime()> clock);

    // Components of the stored description.
    TVaComm* VaComm1 = nullptr;
    TShape* shDataRecieve = nullptr;
    TMemo* Memo1 = nullptr;
    TiSevenSegmentAnalog* ssXValue = nullptr;
    TiSevenSegmentAnalog* ssYValue = nullptr;
    TVnDB180Meter* meterXValue = nullptr;
    TVnDB180Meter* meterYValue = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TComboBox* ePortNo = nullptr;
    TComboBox* cbBaudrate = nullptr;
    TComboBox* cbbID = nullptr;
    TLabel* lbComOpen = nullptr;
    TLabel* lbStart = nullptr;
    TLabel* lbStop = nullptr;
    TEdit* edtSend[5] = {};
    TStatusBar* StatusBar1 = nullptr;
    TChart* Chart1 = nullptr;
    TChartEditor* ChartEditor1 = nullptr;
    TEdit* edACDataQuantity = nullptr;
    TEdit* edChart1LeftMax = nullptr;
    TEdit* edChart1LeftMin = nullptr;
    TCheckBox* cbChart1LeftAuto = nullptr;

protected:
    void Loaded() override;

private:
    // The boxes into the settings record, and back.
    void storeBoxes();
    void showUserSet();
    // Counts the handlers inside a wait, so that a close asked for meanwhile waits for them.
    class TBusyScope;
    void sendFreeCommand(int index);
    void sendText(const String& text);
    void showCommand(const String& text);
    void replyWait(const String& command);
    bool refuseWhenClosed();
    // The shared start of Start and Stop: wait, forget the last reply; false when the port is closed.
    bool beginStreamCommand(int waitMs);
    void setStatus(int panel, const String& text);
    // Received lines are shown once per frame: a stream of hundreds of receive events a second
    // then costs one screen update per frame instead of one per event.
    void receiveLine(const String& line);
    void showLine(const String& line);
    void showReceived();
    // One point per series, then the bottom axis slides to keep the newest samples in view.
    void plotReading(double x, double y);
    TChartAxis& bottomAxis() const;
    TChartAxis& leftAxis() const;

    TReceiveFramer framer_;
    std::vector<String> received_;  // lines waiting for the next frame
    bool lampToggled_ = false;      // an odd number of receive events since the last frame
    TOwnedPtr<TTimer> frame_;
    String lastLine_;
    double offsetX_ = 0;
    double offsetY_ = 0;
    bool portOpened_ = false;
    String errorText_;
    TUserSet userSet_;
    int busy_ = 0;
    int viewDataQuantity_ = 0;
    bool closePending_ = false;
};

extern TfKAVRO_IN_D_485_Viewer* fKAVRO_IN_D_485_Viewer;

// Registers the window's class and every component class its description names.
void RegisterViewerClasses();
