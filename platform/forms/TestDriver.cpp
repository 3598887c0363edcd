// The test hook of the message loop (see TestDriver_p.h).
#include "platform/forms/TestDriver_p.h"

#include <fcntl.h>
#include <unistd.h>

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QWindow>
#include <cstdlib>
#include <memory>

#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/TestKit.h"

namespace tvforms {

namespace {

void Answer(const String& text)
{
    const String line = text + "\n";
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, line.data() + done, line.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

class TestDriver {
public:
    explicit TestDriver(int fd) : fd_(fd), notifier_(fd, QSocketNotifier::Read)
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readCommands(); });
    }
    ~TestDriver() { ::close(fd_); }
    TestDriver(const TestDriver&) = delete;
    TestDriver& operator=(const TestDriver&) = delete;

private:
    void readCommands()
    {
        // A command's own waits run the message loop: the next command waits for this one.
        notifier_.setEnabled(false);
        char chunk[256];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n > 0) buffer_.append(chunk, static_cast<std::size_t>(n));
        for (std::size_t nl; (nl = buffer_.find('\n')) != String::npos;) {
            const String command = buffer_.substr(0, nl);
            buffer_.erase(0, nl + 1);
            run(command);
        }
        notifier_.setEnabled(true);
    }

    static void run(const String& command)
    {
        TCustomForm* form = Application->MainForm();
        try {
            if (!form) throw EInvalidOperation("no main form");
            if (command.rfind("click ", 0) == 0) {
                const String name = command.substr(6);
                testkit::Click(testkit::FindControl(*form, name));
                Answer("clicked " + name);
            } else if (command == "close") {
                QWindow* window = form->Host() && form->Host()->widget ? form->Host()->widget->windowHandle() : nullptr;
                if (!window) throw EInvalidOperation("the main form has no window");
                // Later, from the loop, as the window system's message arrives; QWindow::close goes
                // through the platform window's close, the path of the close box.
                QMetaObject::invokeMethod(
                    window, [window] { window->close(); }, Qt::QueuedConnection);
                Answer("closing");
            } else {
                throw EInvalidOperation("unknown command");
            }
        } catch (const std::exception& e) {
            Answer("failed " + command + ": " + e.what());
        } catch (...) {
            Answer("failed " + command);
        }
    }

    int fd_;
    QSocketNotifier notifier_;
    String buffer_;
};

std::unique_ptr<TestDriver> driver;

}  // namespace

void StartTestDriver()
{
    if (driver) return;
    const char* path = std::getenv("TV_TEST_DRIVER");
    if (!path || !*path) return;
    // Read and write: the FIFO then never reads as ended while the test has not opened it yet.
    const int fd = ::open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return;
    driver = std::make_unique<TestDriver>(fd);
    Answer("ready");
}

void StopTestDriver() { driver.reset(); }

}  // namespace tvforms
