// The window region and the clipboard as the X server and other programs see them.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <future>
#include <memory>

#include "platform/forms/Clipboard.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Region.h"
#include "platform/rtl/Files.h"
#include "platform/system/ChildProcess.h"

namespace {

bool OnXServer()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return std::getenv("DISPLAY") && platform && String(platform) == "xcb";
}

bool Have(const char* program) { return std::system((String("command -v ") + program + " >/dev/null").c_str()) == 0; }

// Pumps messages until done() holds or about three seconds have passed.
template <class F>
bool PumpUntil(F done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        testkit::Pump(20);
    }
    return true;
}

class XServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!OnXServer()) GTEST_SKIP() << "needs an X server (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
    }
};

TEST_F(XServer, RoundedPanelShowsItsParentInTheCornersOnTheScreen)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(40, 40, 220, 180);
    form->SetColor(clBlue);
    auto* panel = new TPanel(form.get());
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    panel->SetBounds(20, 20, 120, 90);
    panel->SetParent(form.get());
    form->Show();
    TRegion round = CreateRoundRectRgn(0, 0, 120, 90, 40, 40);
    panel->SetWindowRgn(&round);

    auto screenAt = [&](int x, int y) {
        const TPoint p = panel->ClientToScreen({x, y});
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, p.X, p.Y, 1, 1).toImage();
        return shot.isNull() ? QColor() : shot.pixelColor(0, 0);
    };
    ASSERT_TRUE(PumpUntil([&] { return screenAt(60, 45) == QColor(Qt::yellow); })) << "the panel never showed";
    EXPECT_EQ(screenAt(1, 1), QColor(Qt::blue));
    EXPECT_EQ(screenAt(118, 88), QColor(Qt::blue));
    EXPECT_EQ(screenAt(60, 1), QColor(Qt::yellow));

    // Resized: the owner sets the region again for the new size.
    panel->SetBounds(20, 20, 160, 120);
    TRegion larger = CreateRoundRectRgn(0, 0, 160, 120, 40, 40);
    panel->SetWindowRgn(&larger);
    EXPECT_TRUE(PumpUntil([&] { return screenAt(140, 100) == QColor(Qt::yellow); }));
    EXPECT_EQ(screenAt(158, 118), QColor(Qt::blue));
}

// The title-bar buttons as the window manager reads them: the functions word of the window's
// _MOTIF_WM_HINTS (minimize 8, maximize 16, close 32).
TEST_F(XServer, BorderIconsReachTheWindowManager)
{
    if (!Have("xprop")) GTEST_SKIP() << "xprop is not installed";
    constexpr unsigned Minimize = 8, Maximize = 16, Close = 32;
    const struct {
        const char* what;
        TBorderIcons icons;
        TFormBorderStyle style;
        unsigned functions;  // of the three above
    } cases[] = {
        {"all", {biSystemMenu, biMinimize, biMaximize}, bsSizeable, Minimize | Maximize | Close},
        {"system menu only", {biSystemMenu}, bsSizeable, Close},
        {"no maximize", {biSystemMenu, biMinimize}, bsSingle, Minimize | Close},
        {"dialog frame", {biSystemMenu, biMinimize, biMaximize}, bsDialog, Close},
        {"none", {}, bsSizeable, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TOwnedPtr<TForm> form(new TForm(nullptr));
        form->SetCaption(String("Border icons: ") + c.what);
        form->SetBorderStyle(c.style);
        form->SetBorderIcons(c.icons);
        form->SetBounds(40, 40, 220, 180);
        form->Show();
        String hints;
        ASSERT_TRUE(PumpUntil([&] {
            hints.clear();
            const String command = "xprop -name '" + form->Caption() + "' _MOTIF_WM_HINTS 2>/dev/null";
            std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
            char buf[256];
            for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;) hints.append(buf, n);
            return hints.find(" = ") != String::npos;
        })) << hints;
        // "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = flags, functions, decorations, ..."
        const unsigned functions = std::stoul(hints.substr(hints.find(',', hints.find(" = ")) + 1), nullptr, 0);
        EXPECT_EQ(functions & (Minimize | Maximize | Close), c.functions) << hints;
    }
}

TEST_F(XServer, ClipboardTextReachesOtherPrograms)
{
    if (!Have("xclip")) GTEST_SKIP() << "xclip is not installed";
    const String text = "Tilt \xC3\xA4 & <chart>\tline";
    Clipboard()->SetAsText(text);
    // xclip asks this program for the text, which answers from its message loop.
    auto read = std::async(std::launch::async, [] {
        String out;
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("xclip -o -selection clipboard", "r"), pclose);
        char buf[256];
        for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;) out.append(buf, n);
        return out;
    });
    ASSERT_TRUE(PumpUntil([&] { return read.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(read.get(), text);
}

TEST_F(XServer, ClipboardTextFromOtherPrograms)
{
    if (!Have("xclip")) GTEST_SKIP() << "xclip is not installed";
    const String file = IncludeTrailingPathDelimiter(::testing::TempDir()) + "xclip-in.txt";
    const String text = "from xclip: 1,5;2\xC2\xB0";
    std::ofstream(file) << text;
    TChildProcess xclip;  // it owns the clipboard until it is stopped
    ASSERT_TRUE(xclip.Start("xclip", {"-quiet", "-i", "-selection", "clipboard", file}));
    EXPECT_TRUE(PumpUntil([&] { return Clipboard()->AsText() == text; })) << Clipboard()->AsText();
    xclip.Stop();
}

}  // namespace
