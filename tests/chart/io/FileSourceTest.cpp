// The file and URL source, the download cache and the network hooks, against a local web server.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "chart/canvas/HtmlText.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartException.h"
#include "chart/core/DownloadHook.h"
#include "chart/core/EngineStartup.h"
#include "chart/io/DownloadCache.h"
#include "chart/io/FileSource.h"
#include "chart/series/LineSeries.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Streams.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TempName.h"

namespace {

// Keeps what it was given to parse.
class TProbeFileSource : public TZebSeriesSourceFile {
public:
    using TZebSeriesSourceFile::TZebSeriesSourceFile;
    std::vector<String> Parsed;

protected:
    void ParseStream(TStream& stream) override
    {
        String bytes(static_cast<std::size_t>(stream.Size()), '\0');
        stream.SetPosition(0);
        stream.ReadBuffer(bytes.data(), stream.Size());
        Parsed.push_back(bytes);
    }
};

TEST(IsURL, KnowsWebAndFtpAddressesInAnyCase)
{
    const struct {
        const char* name;
        bool url;
    } cases[] = {
        {"  http://example.org/data.txt", true}, {"FTP://HOST/DATA.TXT", true}, {"https://example.org/a", true},
        {"HTTPS://EXAMPLE.ORG/A", true},         {"/home/user/data.txt", false}, {"data/http:/x", false},
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsURL(c.name), c.url) << c.name;
}

class FileSource : public ::testing::Test {
public:
    static void SetUpTestSuite()
    {
        Application->Initialize();
        StartChartEngine();
    }
    static void TearDownTestSuite() { StopChartEngine(); }

protected:
    void SetUp() override
    {
        // A folder per test: the cache keeps every name for the whole run.
        folder_ = testsupport::UniqueTempPath(std::string("tv_file_source_") +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_ / "site");
        std::ofstream(folder_ / "site/data.txt") << "1 2 3";
        std::ofstream(folder_ / "site/empty.txt");
        server_ = std::make_unique<testsupport::LocalHttpServer>((folder_ / "site").string(), (folder_ / "server.log").string());
        chart_ = new TChart(nullptr);
        series_ = new TLineSeries(chart_);
        series_->SetParentChart(chart_);
        source_ = new TProbeFileSource(chart_);
    }
    void TearDown() override
    {
        TOwnedPtr<TChart> free(chart_);
        free.reset();
        server_.reset();
        std::filesystem::remove_all(folder_);
    }
    bool HaveServer() const { return server_->Port() != 0; }
    String Local(const String& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
    std::unique_ptr<testsupport::LocalHttpServer> server_;
    TChart* chart_ = nullptr;
    TLineSeries* series_ = nullptr;
    TProbeFileSource* source_ = nullptr;
};

TEST_F(FileSource, LoadsLocalFilesAndAddresses)
{
    source_->SetSeries(series_);
    source_->SetFileName(Local("site/data.txt"));
    source_->LoadSource();
    if (!HaveServer()) GTEST_SKIP() << "no python3 web server";
    source_->SetFileName("  " + server_->Url("/empty.txt"));
    source_->LoadSource();
    EXPECT_EQ(source_->Parsed, (std::vector<String>{"1 2 3", ""}));
}

TEST_F(FileSource, DoesNothingWithoutASeriesOrAName)
{
    source_->SetFileName(Local("site/data.txt"));
    source_->LoadSource();
    source_->SetSeries(series_);
    source_->SetFileName("");
    source_->LoadSource();
    EXPECT_TRUE(source_->Parsed.empty());
}

TEST_F(FileSource, AFailedDownloadRaisesWithCodeAddressAndReason)
{
    if (!HaveServer()) GTEST_SKIP() << "no python3 web server";
    source_->SetSeries(series_);
    const String address = server_->Url("/missing.txt");
    source_->SetFileName(address);
    try {
        source_->LoadSource();
        FAIL() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Error code: 22 downloading Series data from URL: " + address + " HTTP response code said error");
    }
    EXPECT_TRUE(source_->Parsed.empty());
    source_->SetFileName(Local("site/missing.txt"));
    EXPECT_THROW(source_->LoadSource(), EFOpenError);
}

TEST_F(FileSource, ForgetsItsChartWhenTheChartGoes)
{
    TOwnedPtr<TChart> other(new TChart(nullptr));
    source_->SetChart(other.get());
    EXPECT_EQ(source_->Chart(), other.get());
    other.reset();
    EXPECT_EQ(source_->Chart(), nullptr);
}

TEST_F(FileSource, TheCacheReadsEachNameOnceInAnyLetterCase)
{
    if (!HaveServer()) GTEST_SKIP() << "no python3 web server";
    const String address = server_->Url("/data.txt");
    TStringStream first, second;
    EXPECT_EQ(LoadCachedStream(address, first), 0);
    String upper = address;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(LoadCachedStream(upper, second), 0);
    EXPECT_EQ(first.DataString(), "1 2 3");
    EXPECT_EQ(second.DataString(), "1 2 3");
    EXPECT_EQ(server_->Requests("/data.txt"), 1);

    // Failures are not kept.
    TStringStream missing;
    EXPECT_EQ(LoadCachedStream(server_->Url("/gone.txt"), missing), 22);
    EXPECT_EQ(LoadCachedStream(server_->Url("/gone.txt"), missing), 22);
    EXPECT_EQ(server_->Requests("/gone.txt"), 2);
    EXPECT_EQ(missing.Size(), 0);
}

TEST_F(FileSource, TheCacheKeepsFilesAndRaisesForMissingOnes)
{
    const String file = Local("site/data.txt");
    TStringStream first("> "), second;
    first.SetPosition(2);
    EXPECT_EQ(LoadCachedStream(file, first), 0);
    std::filesystem::remove(file);
    EXPECT_EQ(LoadCachedStream(file, second), 0);
    EXPECT_EQ(first.DataString(), "> 1 2 3");
    EXPECT_EQ(second.DataString(), "1 2 3");
    TStringStream none;
    EXPECT_THROW(LoadCachedStream(Local("site/none.txt"), none), EFOpenError);
}

TEST_F(FileSource, ThreadsShareTheCache)
{
    const String names[] = {Local("site/data.txt"), Local("site/empty.txt")};
    std::vector<std::thread> threads;
    std::vector<String> results(8);
    for (std::size_t i = 0; i < results.size(); ++i)
        threads.emplace_back([&, i] {
            TStringStream stream;
            if (LoadCachedStream(names[i % 2], stream) == 0) results[i] = stream.DataString();
        });
    for (auto& thread : threads) thread.join();
    for (std::size_t i = 0; i < results.size(); ++i) EXPECT_EQ(results[i], i % 2 ? "" : "1 2 3") << i;
}

TEST_F(FileSource, TheUnitInstallsBothHooksAndItsLastStopRemovesTheDownloader)
{
    StartURLUnit();
    StartURLUnit();
    ASSERT_TRUE(DownloadURLHook);
    ASSERT_TRUE(LoadStreamHook());
    TStringStream loaded;
    EXPECT_EQ(LoadStreamHook()(Local("site/data.txt"), loaded), 0);
    EXPECT_EQ(loaded.DataString(), "1 2 3");
    EXPECT_EQ(LoadStreamHook()(Local("site/none.png"), loaded), -1);
    if (HaveServer()) {
        TStringStream downloaded;
        EXPECT_EQ(DownloadURLHook(server_->Url("/data.txt"), downloaded, true, {}), 0);
        EXPECT_EQ(downloaded.DataString(), "1 2 3");
    }
    StopURLUnit();
    EXPECT_TRUE(DownloadURLHook);
    StopURLUnit();
    EXPECT_FALSE(DownloadURLHook);
    SetLoadStreamHook(nullptr);
}

}  // namespace
