// The desktop's "open", against a fake opener put first on the search path.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "EnvVar.h"
#include "TempDir.h"
#include "platform/system/Shell.h"

namespace {

// An opener that writes its arguments, one a line, into $OPENER_LOG after $OPENER_DELAY seconds
// and ends with $OPENER_EXIT.
class FakeOpener : public ::testing::Test {
protected:
    FakeOpener() : path_("PATH", tmp_ / "bin" + ":" + std::getenv("PATH")), log_("OPENER_LOG", tmp_ / "log")
    {
        tmp_.Write("bin/xdg-open",
                   "#!/bin/sh\n"
                   "sleep \"${OPENER_DELAY:-0}\"\n"
                   "printf '%s\\n' \"$@\" > \"$OPENER_LOG\"\n"
                   "exit \"${OPENER_EXIT:-0}\"\n");
        chmod((tmp_ / "bin/xdg-open").c_str(), 0755);
    }
    TempDir tmp_;
    EnvVar path_;
    EnvVar log_;
};

TEST_F(FakeOpener, AnswersByTheOpenersExitCode)
{
    const struct {
        const char* exit;
        int result;
    } cases[] = {
        {"0", 33}, {"2", SE_ERR_FNF}, {"3", SE_ERR_NOASSOC}, {"4", SE_ERR_ACCESSDENIED}, {"1", SE_ERR_ACCESSDENIED},
    };
    for (const auto& c : cases) {
        EnvVar exit("OPENER_EXIT", c.exit);
        EXPECT_EQ(OpenWithShell("https://example.org/a?b=1&c=2"), c.result) << c.exit;
    }
}

TEST_F(FakeOpener, PassesTheDocumentAsOneArgument)
{
    const String document = "/tmp/my \"chart\" $HOME; `x`.pdf";
    EXPECT_GT(OpenWithShell(document), 32);
    EXPECT_EQ(tmp_.Read("log"), document + "\n");
}

TEST_F(FakeOpener, AnOpenerStillRunningHasTakenTheDocumentAndRunsOn)
{
    EnvVar delay("OPENER_DELAY", "3");
    EXPECT_EQ(OpenWithShell("page.html"), 33);
    EXPECT_EQ(tmp_.Read("log"), "");
    for (int i = 0; i < 100 && tmp_.Read("log").empty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(tmp_.Read("log"), "page.html\n");
}

TEST(Shell, WithoutAnOpenerNoProgramIsAssociated)
{
    TempDir tmp;
    tmp.Write("empty/.keep", "");
    EnvVar path("PATH", tmp / "empty");
    EXPECT_EQ(OpenWithShell("a.pdf"), SE_ERR_NOASSOC);
}

}  // namespace
