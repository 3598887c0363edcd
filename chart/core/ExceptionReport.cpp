#include "chart/core/ExceptionReport.h"

#include "chart/core/DownloadHook.h"
#include "platform/classes/Published.h"

const char* const ExceptionReportAddress = "https://www.norvik-software.com/exceptions/add.php";
const char* const SupportWebAddress = "https://www.norvik-software.com/support";
const char* const ExceptionReportRegistryKey = "Software\\Norvik Software\\ZebException";

TZebExceptionForm::TZebExceptionForm(TComponent* owner) : TForm(owner) {}

String TZebExceptionForm::ReportAddress() const { return {}; }

void TZebExceptionForm::FormShow(TObject*) {}
void TZebExceptionForm::Button1Click(TObject*) {}
void TZebExceptionForm::Button2Click(TObject*) {}
void TZebExceptionForm::Label4Click(TObject*) {}

TV_PUBLISHED(TZebExceptionForm)
{
    Method("FormShow", &TZebExceptionForm::FormShow);
    Method("Button1Click", &TZebExceptionForm::Button1Click);
    Method("Button2Click", &TZebExceptionForm::Button2Click);
    Method("Label4Click", &TZebExceptionForm::Label4Click);
}

void ShowExceptionReportForm(const String& tag, const Exception& error)
{
    (void)tag;
    (void)error;
}

String OperatingSystemText() { return "Unknown"; }

String ExceptionClassName(const std::exception& error)
{
    (void)error;
    return {};
}
