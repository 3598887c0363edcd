#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "IsolatedRegistry.h"
#include "chart/core/DownloadHook.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ExceptionReport.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Label.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Streams.h"

namespace {

// A report service that answers with a fixed text and keeps the addresses it was asked for.
class ReportDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartChartEngine();
        DownloadURLHook = [this](const String& url, TStream& stream, bool, const TDownloadProgress&) {
            Requests.push_back(url);
            stream.WriteBuffer(Answer.data(), static_cast<std::int64_t>(Answer.size()));
            stream.SetPosition(0);
            return 0;
        };
    }
    void TearDown() override
    {
        SetModalHandler(nullptr);
        DownloadURLHook = nullptr;
        StopChartEngine();
    }

    // Shows the dialog for error; inside, action drives it.
    void Show(const Exception& error, std::function<void(TZebExceptionForm&)> action)
    {
        SetModalHandler([action, this](TCustomForm& form) {
            ++Shown;
            action(dynamic_cast<TZebExceptionForm&>(form));
            return mrCancel;
        });
        ShowExceptionReportForm("DRAW", error);
    }
    static void Submit(TZebExceptionForm& form)
    {
        form.Button1->Click();  // shows the optional information
        form.Button1->Click();  // sends
    }

    IsolatedRegistry registry_;
    std::vector<String> Requests;
    String Answer = "OK";
    int Shown = 0;
};

}  // namespace

TEST_F(ReportDialog, NotShownWithoutADownloadHook)
{
    DownloadURLHook = nullptr;
    Show(Exception("x"), [](TZebExceptionForm&) {});
    EXPECT_EQ(Shown, 0);
}

TEST_F(ReportDialog, TheFirstClickAsksForOptionalInformation)
{
    Show(Exception("Division by zero"), [&](TZebExceptionForm& form) {
        EXPECT_EQ(form.Caption(), "Norvik Exception");
        EXPECT_EQ(form.ClientWidth(), 439);
        EXPECT_EQ(form.ClientHeight(), 203);
        EXPECT_EQ(form.LabelError->Caption(), "Division by zero");
        EXPECT_FALSE(form.Panel1->Visible());
        form.Button1->Click();
        EXPECT_FALSE(form.PanelMain->Visible());
        EXPECT_TRUE(form.Panel1->Visible());
        EXPECT_EQ(form.Panel1->Height(), form.Button1->Top() - 12);
        EXPECT_EQ(form.Button1->Caption(), "&Send");
        EXPECT_EQ(form.Email->Text(), "");
        EXPECT_EQ(form.ActiveControl(), form.Email);
        EXPECT_TRUE(Requests.empty());
    });
    EXPECT_EQ(Shown, 1);
}

TEST_F(ReportDialog, TheQueryOfAReport)
{
    Show(EZeroDivide("Division by zero"), [&](TZebExceptionForm& form) {
        Submit(form);
        EXPECT_FALSE(form.Button1->Visible());
    });
    ASSERT_EQ(Requests.size(), 1u);
    const String& url = Requests[0];
    EXPECT_TRUE(url.starts_with(String(ExceptionReportAddress) + "?ide=")) << url;
    EXPECT_NE(url.find("&product=1&code=DRAW&error=Division%20by%20zero&class=EZeroDivide&build="), String::npos)
        << url;
    EXPECT_NE(url.find("&lang=C%2B%2B&osversion="), String::npos) << url;
    // Without e-mail and comment the platform is the last parameter.
    const auto platform = url.rfind("&platform=");
    ASSERT_NE(platform, String::npos);
    EXPECT_EQ(url.find('&', platform + 1), String::npos) << url;
}

TEST_F(ReportDialog, ValuesArePercentEncoded)
{
    Show(Exception("50% of a&b #1 = ä?"), [&](TZebExceptionForm& form) {
        form.Button1->Click();
        form.Email->SetText(" someone@example.org ");
        form.MemoComments->SetText("drew\r\nthen & failed");
        form.Button1->Click();
    });
    ASSERT_EQ(Requests.size(), 1u);
    const String& url = Requests[0];
    EXPECT_NE(url.find("&error=50%25%20of%20a%26b%20%231%20%3D%20%C3%A4%3F&"), String::npos) << url;
    EXPECT_TRUE(url.ends_with("&email=someone%40example.org&comments=drew%0D%0Athen%20%26%20failed")) << url;
}

TEST_F(ReportDialog, TheServiceVerdict)
{
    struct Case {
        const char* answer;
        const char* verdict;
    };
    const Case cases[] = {
        {"OK", "Thanks for Your Help"}, {"OK, report 17 stored", "Thanks for Your Help"}, {"ok", "SERVER ERROR"},
        {"", "SERVER ERROR"},           {"ERROR: database down", "SERVER ERROR"},
    };
    for (const Case& c : cases) {
        Answer = c.answer;
        Show(Exception("x"), [&](TZebExceptionForm& form) {
            Submit(form);
            EXPECT_EQ(form.LabelServer->Caption(), c.verdict) << c.answer;
        });
    }
}

TEST_F(ReportDialog, TheEmailAddressIsRemembered)
{
    Show(Exception("x"), [&](TZebExceptionForm& form) {
        form.Button1->Click();
        form.Email->SetText("someone@example.org");
        form.Button1->Click();
    });
    Show(Exception("y"), [&](TZebExceptionForm& form) {
        form.Button1->Click();
        EXPECT_EQ(form.Email->Text(), "someone@example.org");
        EXPECT_EQ(form.ActiveControl(), form.MemoComments);
    });
}

TEST_F(ReportDialog, AFailedDownloadLeavesTheDialogOpen)
{
    DownloadURLHook = [](const String&, TStream&, bool, const TDownloadProgress&) -> int {
        throw EInOutError("network unreachable");
    };
    Show(Exception("x"), [&](TZebExceptionForm& form) {
        form.Button1->Click();
        EXPECT_THROW(form.Button1->Click(), EInOutError);
        EXPECT_EQ(Screen->Cursor(), crDefault);
        EXPECT_EQ(form.LabelServer->Caption(), "");
    });
}

TEST_F(ReportDialog, TheSupportLinkOpensTheWebPage)
{
    // A desktop opener that notes what it was given.
    std::string pattern = (std::filesystem::temp_directory_path() / "tv-opener-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    std::ofstream(folder / "xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" << (folder / "log").string()
                                       << "\"\n";
    std::filesystem::permissions(folder / "xdg-open", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH");
    ::setenv("PATH", (folder.string() + ":" + path).c_str(), 1);

    Show(Exception("x"), [&](TZebExceptionForm& form) { form.Label4->Click(); });
    ::setenv("PATH", path.c_str(), 1);
    std::ifstream log(folder / "log");
    const std::string opened(std::istreambuf_iterator<char>(log), {});
    std::filesystem::remove_all(folder);
    EXPECT_EQ(opened, String(SupportWebAddress) + "\n");
}

TEST(OperatingSystem, DescribesTheRunningSystem)
{
    // "Version: 6.1 "Linux" Build: 0-18-amd64"
    const String text = OperatingSystemText();
    if (text == "Unknown") GTEST_SKIP() << "the system's version cannot be read here";
    EXPECT_TRUE(text.starts_with("Version: ")) << text;
    EXPECT_NE(text.find(" \"Linux\" Build: "), String::npos) << text;
}
