// The window region and the clipboard as the X server and other programs see them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
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
#include "platform/forms/FileDialogs.h"
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

// Answers the platform's file dialog as a user does: picks the entry, types the name, presses Save,
// and says yes to a question about replacing a file, noting the question.
class FileDialogUser {
public:
    FileDialogUser(int entry, const QString& typed) : entry_(entry), typed_(typed)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start(20);
    }
    bool Answered = false;
    QStringList Questions;

private:
    void step()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && box->isVisible()) {
            Questions << box->text();
            QTimer::singleShot(0, box->button(QMessageBox::Yes), &QAbstractButton::click);
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog || !dialog->isVisible() || Answered) return;
        Answered = true;
        dialog->selectNameFilter(dialog->nameFilters().value(entry_ - 1));
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
        if (!name || !buttons) return dialog->reject();
        name->setText(typed_);
        // Queued: the question about replacing comes in a loop of its own, which this timer must reach.
        QTimer::singleShot(0, buttons->button(QDialogButtonBox::Save), &QAbstractButton::click);
    }

    int entry_;
    QString typed_;
    QTimer timer_;
};

// The dialog a person sees completes a name typed without an extension by the chosen entry, like
// the headless one, and asks about replacing the file so named.
TEST_F(XServer, TheSaveDialogCompletesATypedNameByTheChosenEntry)
{
    testkit::Pump();  // the application, whose thread the dialog user's timer needs
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::ofstream(dir.filePath("old.csv").toStdString()) << "old";
    struct Case {
        int entry;
        const char* typed;
        const char* saved;
        bool asked;
    };
    for (const Case& k : {Case{2, "data", "data.csv", false}, Case{3, "data", "data.json", false},
                          Case{4, "data", "data.txt", false}, Case{1, "data.xml", "data.xml", false},
                          Case{2, "old", "old.csv", true}}) {
        SCOPED_TRACE(k.saved);
        TOwnedPtr<TSaveDialog> save(new TSaveDialog(nullptr));
        save->SetFilter("Tab delimited text files (*.txt)|*.txt|Comma delimited text files (*.csv)|*.csv|"
                        "JSON files (*.json)|*.json|All files|*.*");
        save->SetDefaultExt("txt");
        save->SetInitialDir(dir.path().toStdString());
        save->SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly});
        FileDialogUser user(k.entry, k.typed);
        const bool chosen = save->Execute();
        ASSERT_TRUE(user.Answered) << "the platform's dialog never showed";
        ASSERT_TRUE(chosen);
        EXPECT_EQ(save->FileName(), dir.filePath(k.saved).toStdString());
        EXPECT_EQ(save->FilterIndex(), k.entry);
        ASSERT_EQ(user.Questions.size(), k.asked ? 1 : 0) << user.Questions.join("; ").toStdString();
        if (k.asked) EXPECT_TRUE(user.Questions[0].contains(k.saved)) << user.Questions[0].toStdString();
    }
}

}  // namespace
