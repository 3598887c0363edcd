#pragma once
// The dialog that offers to report a failure of drawing at design time to the engine's web service.
// It is shown only while DownloadURLHook is installed.
#include "platform/forms/Forms.h"

class TPanel;
class TLabel;
class TEdit;
class TMemo;
class TButton;

// The service's address of reports and the support page.
extern const char* const ExceptionReportAddress;
extern const char* const SupportWebAddress;
// The per-user key of the remembered e-mail address (value "Email").
extern const char* const ExceptionReportRegistryKey;

class TZebExceptionForm : public TForm {
    TV_CLASS(TZebExceptionForm, TForm)
public:
    // Builds the dialog from its stored description.
    explicit TZebExceptionForm(TComponent* owner);

    // The tag of the report ("DRAW", "GALL") and the failure reported.
    String Tag;
    String ErrorMessage;
    String ErrorClassName;

    // The report address of the current entries (the "Submit" button's second click fetches it).
    String ReportAddress() const;

    // Handlers bound by name from the stored description.
    void FormShow(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void Label4Click(TObject* Sender);

    // Components of the stored description.
    TPanel* PanelMain = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* LabelError = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label5 = nullptr;
    TEdit* Email = nullptr;
    TLabel* Label6 = nullptr;
    TMemo* MemoComments = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* LabelServer = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
};

// When DownloadURLHook is installed: a dialog without owner showing the error, modal, then freed.
void ShowExceptionReportForm(const String& tag, const Exception& error);
// The running system: "Version: 6.1 "Linux" Build: ..." or "Unknown".
String OperatingSystemText();
// The class name of an exception object ("EInvalidOp").
String ExceptionClassName(const std::exception& error);
