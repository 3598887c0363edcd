#include "chart/core/ExceptionReport.h"

#include <cxxabi.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <typeinfo>

#include "chart/core/ControlRoutines.h"
#include "chart/core/DownloadHook.h"
#include "chart/core/HourGlass.h"
#include "chart/core/SystemRoutines.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Label.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/system/Registry.h"
#include "platform/forms/FormComponents.h"

void TvRegisterResources_chartcore();

// The service is not known here: a reserved domain stands in until one is configured.
const char* const ExceptionReportAddress = "https://www.norvik-software.invalid/exceptions/add.php";
const char* const SupportWebAddress = "https://www.norvik-software.invalid/support";
const char* const ExceptionReportRegistryKey = "Software\\Norvik Software\\ZebException";

namespace {

// What the report says about the engine's build.
constexpr const char* buildEnvironment = "CXX20";
constexpr const char* languageName = "C++";
constexpr const char* engineVersion = "1.0";

// RFC 3986: unreserved characters stay, every other byte becomes %XX.
String percentEncoded(const String& value)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    String result;
    for (unsigned char c : value) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '_' || c == '.' || c == '~';
        if (unreserved) {
            result += static_cast<char>(c);
        } else {
            result += '%';
            result += hex[c >> 4];
            result += hex[c & 15];
        }
    }
    return result;
}

String readFirstLine(const char* path)
{
    std::ifstream file(path);
    String line;
    std::getline(file, line);
    return Trim(line);
}


}  // namespace

TZebExceptionForm::TZebExceptionForm(TComponent* owner) : TForm(owner)
{
    static const bool registered = (TvRegisterResources_chartcore(), true);
    (void)registered;
    InitFromResource("TZebExceptionForm");
}

void TZebExceptionForm::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, PanelMain, "PanelMain");
    FindFormComponent(*this, Label1, "Label1");
    FindFormComponent(*this, Label3, "Label3");
    FindFormComponent(*this, LabelError, "LabelError");
    FindFormComponent(*this, Panel1, "Panel1");
    FindFormComponent(*this, Label7, "Label7");
    FindFormComponent(*this, Label5, "Label5");
    FindFormComponent(*this, Email, "Email");
    FindFormComponent(*this, Label6, "Label6");
    FindFormComponent(*this, MemoComments, "MemoComments");
    FindFormComponent(*this, Label2, "Label2");
    FindFormComponent(*this, Label4, "Label4");
    FindFormComponent(*this, LabelServer, "LabelServer");
    FindFormComponent(*this, Button1, "Button1");
    FindFormComponent(*this, Button2, "Button2");
}

String TZebExceptionForm::ReportAddress() const
{
    String address = String(ExceptionReportAddress) + "?ide=" + percentEncoded(buildEnvironment) +
                     "&product=1&code=" + percentEncoded(ReportTag) + "&error=" + percentEncoded(ErrorMessage) +
                     "&class=" + percentEncoded(ErrorClassName) + "&build=" + percentEncoded(engineVersion) +
                     "&lang=" + percentEncoded(languageName) + "&osversion=" + percentEncoded(OperatingSystemText()) +
                     "&platform=" + percentEncoded(sizeof(void*) == 8 ? " 64bit" : " 32bit");
    const String email = Trim(Email->Text());
    if (!email.empty()) address += "&email=" + percentEncoded(email);
    const String comments = Trim(MemoComments->Text());
    if (!comments.empty()) address += "&comments=" + percentEncoded(comments);
    return address;
}

void TZebExceptionForm::FormShow(TObject*) { LocalizeControl(*this); }

void TZebExceptionForm::Button1Click(TObject*)
{
    if (!Panel1->Visible()) {
        PanelMain->Hide();
        Panel1->SetAlign(alTop);
        Panel1->SetHeight(Button1->Top() - 12);
        Panel1->Show();
        MemoComments->SetHeight(Button1->Top() - 80);
        MemoComments->SetWidth(Width() - 40);
        Button1->SetCaption(TxtSend);
        TRegistry registry;
        Email->SetText(registry.OpenKeyReadOnly("\\" + String(ExceptionReportRegistryKey))
                           ? registry.ReadString("Email")
                           : String());
        SetActiveControl(Email->Text().empty() ? static_cast<TWinControl*>(Email) : MemoComments);
        return;
    }
    Button1->Hide();
    {
        TRegistry registry;
        if (registry.OpenKey("\\" + String(ExceptionReportRegistryKey), true))
            registry.WriteString("Email", Email->Text());
    }
    TStringStream answer;
    {
        HourGlass hourGlass;
        DownloadURLHook(ReportAddress(), answer, true, {});
    }
    LabelServer->SetCaption(answer.DataString().starts_with("OK") ? TxtThanksForYourHelp : TxtServerError);
}

void TZebExceptionForm::Button2Click(TObject*) { SetModalResult(mrCancel); }

void TZebExceptionForm::Label4Click(TObject*) { OpenWithShell(this, SupportWebAddress); }

TV_PUBLISHED(TZebExceptionForm)
{
    Method("FormShow", &TZebExceptionForm::FormShow);
    Method("Button1Click", &TZebExceptionForm::Button1Click);
    Method("Button2Click", &TZebExceptionForm::Button2Click);
    Method("Label4Click", &TZebExceptionForm::Label4Click);
}

void ShowExceptionReportForm(const String& tag, const Exception& error)
{
    if (!DownloadURLHook) return;
    TOwnedPtr<TZebExceptionForm> form(new TZebExceptionForm(nullptr));
    form->ReportTag = tag;
    form->ErrorMessage = error.Message();
    form->ErrorClassName = ExceptionClassName(error);
    form->LabelError->SetCaption(error.Message());
    form->ShowModal();
}

String OperatingSystemText()
{
    // "6.1.0-18-amd64": major 6, minor 1, the rest is the build.
    const String name = readFirstLine("/proc/sys/kernel/ostype");
    const String release = readFirstLine("/proc/sys/kernel/osrelease");
    char* end = nullptr;
    const long major = std::strtol(release.c_str(), &end, 10);
    if (release.empty() || end == release.c_str() || *end != '.') return "Unknown";
    const char* minorText = end + 1;
    const long minor = std::strtol(minorText, &end, 10);
    if (end == minorText) return "Unknown";
    const String build = *end == '.' ? String(end + 1) : String(end);
    return "Version: " + std::to_string(major) + "." + std::to_string(minor) + " \"" + name + "\" Build: " + build;
}

String ExceptionClassName(const std::exception& error)
{
    const char* mangled = typeid(error).name();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                          &std::free);
    return status == 0 && demangled ? String(demangled.get()) : String(mangled);
}
