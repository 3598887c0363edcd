// The program's temporary folder, the desktop's file types and the mail composer, against fake
// xdg-mime and xdg-email put first on the search path.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "EnvVar.h"
#include "TempDir.h"
#include "platform/rtl/Files.h"
#include "platform/system/DesktopPrograms.h"
#include "platform/system/Mail.h"
#include "platform/system/TempFolder.h"

namespace {

TEST(ProgramTempFolder, IsPrivateWritableAndStable)
{
    TempDir tmp;
    tmp.Write("base/.keep", "");
    EnvVar base("TMPDIR", tmp / "base");
    const String folder = ProgramTempFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(folder.rfind(tmp / "base/tiltviewer-" + std::to_string(getpid()) + "-", 0), 0u) << folder;
    struct stat st{};
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(ProgramTempFolder(), folder);
}

TEST(ProgramTempFolder, IsMadeAgainWhenRemovedAndEmptyWithoutAUsableBase)
{
    TempDir tmp;
    tmp.Write("base/.keep", "");
    EnvVar base("TMPDIR", tmp / "base");
    const String first = ProgramTempFolder();
    ASSERT_TRUE(DirectoryExists(first));
    rmdir(first.c_str());
    const String second = ProgramTempFolder();
    EXPECT_TRUE(DirectoryExists(second));
    rmdir(second.c_str());
    EnvVar missing("TMPDIR", tmp / "no such folder");
    EXPECT_EQ(ProgramTempFolder(), "");
}

// Fake desktop tools: each writes its arguments, one a line, into bin/<name>.log.
class FakeDesktop : public ::testing::Test {
protected:
    FakeDesktop() : path_("PATH", tmp_ / "bin" + ":" + std::getenv("PATH")) {}
    void Tool(const std::string& name, const std::string& body)
    {
        tmp_.Write("bin/" + name, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/" + name + ".log\"\n" + body);
        chmod((tmp_ / "bin/" + name).c_str(), 0755);
    }
    std::string Log(const std::string& name) const { return tmp_.Read("bin/" + name + ".log"); }
    TempDir tmp_;
    EnvVar path_;
};

TEST_F(FakeDesktop, AProgramIsKnownWhenXdgMimeNamesOne)
{
    Tool("xdg-mime", "[ \"$3\" = text/csv ] && echo libreoffice-calc.desktop\nexit 0\n");
    EXPECT_TRUE(DesktopHasProgramFor(".csv"));
    EXPECT_EQ(Log("xdg-mime"), "query\ndefault\ntext/csv\n");
    EXPECT_TRUE(DesktopHasProgramFor("CSV"));
    EXPECT_FALSE(DesktopHasProgramFor(".png"));  // no answer
    EXPECT_FALSE(DesktopHasProgramFor(".nosuchtype12"));
    EXPECT_FALSE(DesktopHasProgramFor(""));
    Tool("xdg-mime", "echo something.desktop\nexit 4\n");
    EXPECT_FALSE(DesktopHasProgramFor(".csv"));
}

TEST_F(FakeDesktop, WithoutXdgMimeNoProgramIsKnown)
{
    tmp_.Write("empty/.keep", "");
    EnvVar path("PATH", tmp_ / "empty");
    EXPECT_FALSE(DesktopHasProgramFor(".csv"));
}

TEST_F(FakeDesktop, TheComposerGetsSubjectAndAttachmentAndItsExitCodeComesBack)
{
    tmp_.Write("empty/.keep", "");
    {
        EnvVar path("PATH", tmp_ / "empty");
        EXPECT_FALSE(MailComposerAvailable());
        EXPECT_EQ(ComposeMailWithAttachment("/tmp/a b.json", "Zebgraph"), -1);
    }
    Tool("xdg-email", "exit \"${EMAIL_EXIT:-0}\"\n");
    EXPECT_TRUE(MailComposerAvailable());
    EXPECT_EQ(ComposeMailWithAttachment("/tmp/a b.json", "Zebgraph"), 0);
    EXPECT_EQ(Log("xdg-email"), "--subject\nZebgraph\n--attach\n/tmp/a b.json\n");
    EnvVar fail("EMAIL_EXIT", "3");
    EXPECT_EQ(ComposeMailWithAttachment("/tmp/a.json", "Zebgraph"), 3);
}

}  // namespace
