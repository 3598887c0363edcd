// Downloads from a local web server: reads of 128 KB with the progress asked before each, cancel,
// failures and bounded waits.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <netinet/in.h>
#include <unistd.h>

#include <vector>

#include "TempDir.h"
#include "platform/rtl/Streams.h"
#include "platform/system/ChildProcess.h"
#include "platform/system/Download.h"
#include "tests/support/LocalHttpServer.h"

namespace {

class Download : public ::testing::Test {
protected:
    void SetUp() override
    {
        tmp_.Write("site/big.bin", std::string(300 * 1024, 'x'));
        tmp_.Write("site/empty.bin", "");
        tmp_.Write("site/small.txt", "1 2 3");
        server_ = std::make_unique<testsupport::LocalHttpServer>(tmp_ / "site", tmp_ / "server.log");
        if (server_->Port() == 0) GTEST_SKIP() << "no python3 web server";
    }
    TempDir tmp_;
    std::unique_ptr<testsupport::LocalHttpServer> server_;
};

TEST_F(Download, ArrivesInReadsOf128KBWithTheProgressAskedBeforeEach)
{
    TMemoryStream stream;
    std::vector<std::int64_t> asked;
    const int result = DownloadURL(server_->Url("/big.bin"), stream, false,
                                   [&](std::int64_t received, bool&) { asked.push_back(received); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(stream.Size(), 300 * 1024);
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(asked, (std::vector<std::int64_t>{0, 0, 131072, 262144, 307200}));
}

TEST_F(Download, ACancelEndsWithMinusOne)
{
    const struct {
        int cancelAt;  // the ask that cancels
        int asks;
    } cases[] = {{0, 1}, {1, 2}, {2, 3}, {4, 5}};
    for (const auto& c : cases) {
        TMemoryStream stream;
        int asks = 0;
        const int result = DownloadURL(server_->Url("/big.bin"), stream, true, [&](std::int64_t, bool& cancel) {
            cancel = asks++ == c.cancelAt;
        });
        EXPECT_EQ(result, -1) << c.cancelAt;
        EXPECT_EQ(asks, c.asks) << c.cancelAt;
    }
}

TEST_F(Download, AnEmptyBodyGivesAnEmptyStreamAndZero)
{
    TMemoryStream stream;
    EXPECT_EQ(DownloadURL(server_->Url("/empty.bin"), stream, false), 0);
    EXPECT_EQ(stream.Size(), 0);
    TStringStream text;
    EXPECT_EQ(DownloadURL(server_->Url("/small.txt"), text, true), 0);
    EXPECT_EQ(text.DataString(), "1 2 3");
}

TEST_F(Download, ErrorStatusesAndRefusedConnectionsAreErrorCodesWithTexts)
{
    // A port nobody listens on: bound, then closed.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    const std::string closed = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/a.txt";

    for (const std::string& url : {server_->Url("/missing.txt"), closed, std::string("nosuchscheme://x")}) {
        TMemoryStream stream;
        const int result = DownloadURL(url, stream, false);
        EXPECT_GT(result, 0) << url;
        EXPECT_EQ(stream.Size(), 0) << url;  // the error page is not data
        const String text = DownloadErrorText(result);
        EXPECT_FALSE(text.empty()) << url;
        EXPECT_NE(text.back(), '.') << text;
    }
    EXPECT_EQ(DownloadErrorText(-1), "");
}

TEST(DownloadWaits, AServerThatStopsSendingEndsInAnError)
{
    // Sends the head and a few bytes of a longer body, then nothing.
    TChildProcess server;
    ASSERT_TRUE(server.Start("python3", {"-u", "-c", R"(
import socket,time
s=socket.socket();s.bind(('127.0.0.1',0));s.listen(1);print(s.getsockname()[1])
c,_=s.accept();c.recv(4096)
c.sendall(b'HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789');time.sleep(30)
)"}));
    String port;
    if (!server.ReadLine(port, 10000)) GTEST_SKIP() << "no python3";
    SetDownloadWaitLimits(30, 1);
    TMemoryStream stream;
    const int result = DownloadURL("http://127.0.0.1:" + port + "/", stream, false);
    SetDownloadWaitLimits(30, 60);
    EXPECT_GT(result, 0);
    EXPECT_FALSE(DownloadErrorText(result).empty());
}

}  // namespace
