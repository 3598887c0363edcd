// The video tools: recording chart drawings into AVI files that ffmpeg plays, and playing AVI files
// (ours and ffmpeg's) inside a chart.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "PictureFixtures.h"
#include "chart/canvas/FilterColor.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/Gradient.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/SeriesTypes.h"
#include "chart/io/AviFile.h"
#include "chart/io/ZebVideo.h"
#include "chart/io/ZebVideoPlayer.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/StringList.h"

namespace {

namespace fs = std::filesystem;

class VideoTool : public PictureChart {
public:
    static void SetUpTestSuite()
    {
        PictureChart::SetUpTestSuite();
        StartVideoUnit();
    }
    static void TearDownTestSuite()
    {
        StopVideoUnit();
        PictureChart::TearDownTestSuite();
    }

protected:
    void SetUp() override
    {
        PictureChart::SetUp();
        tool = new TVideoTool(root.get());
        tool->SetParentChart(chart);
    }
    void TearDown() override
    {
        TAviWriter::SetSegmentLimit(std::int64_t(1) << 30);
        for (const fs::path& p : files)
            if (!HasFailure()) fs::remove(p);
    }
    fs::path File(const std::string& stem)
    {
        files.push_back(TempFile("tv_video_" + stem, ".avi"));
        return files.back();
    }
    // Draws the chart count times, moving the series so every frame differs.
    void Draw(int count)
    {
        for (int i = 0; i < count; ++i) {
            axisX->AppendValue(i);
            TBitmap window;
            testkit::RenderToBitmap(*chart, window);
        }
    }
    // "key=value" lines of ffprobe for the first video stream.
    static std::string Probe(const fs::path& file)
    {
        return RunTool("ffprobe -v error -select_streams v:0 -count_frames -show_entries "
                       "stream=codec_name,width,height,pix_fmt,r_frame_rate,nb_read_frames -of default=nw=1 " +
                       file.string());
    }
    // ffmpeg's complaints when it decodes every frame; "" for a clean file.
    static std::string Decode(const fs::path& file)
    {
        return RunTool("ffmpeg -v error -i " + file.string() + " -f null -");
    }

    TVideoTool* tool = nullptr;
    std::vector<fs::path> files;
};

TEST_F(VideoTool, TenDrawingsBecomeTenUncompressedFramesAtTwentyPerSecond)
{
    if (!HaveTool("ffprobe")) GTEST_SKIP() << "no ffprobe";
    const fs::path file = File("raw");
    int started = 0, stopped = 0, framed = 0;
    tool->SetOnStart([&](TObject*) { ++started; });
    tool->SetOnStop([&](TObject*) { ++stopped; });
    tool->SetOnNewFrame([&](TObject*) { ++framed; });
    tool->BeginCapture(file.string());
    EXPECT_TRUE(tool->IsRecording());
    Draw(10);
    tool->EndCapture();
    EXPECT_FALSE(tool->IsRecording());
    EXPECT_EQ(started, 1);
    EXPECT_EQ(stopped, 1);
    EXPECT_EQ(framed, 10);
    EXPECT_EQ(Probe(file),
              "codec_name=rawvideo\nwidth=480\nheight=300\npix_fmt=bgra\nr_frame_rate=20/1\nnb_read_frames=10\n");
    EXPECT_EQ(Decode(file), "");
    // The last frame is the chart as drawn.
    TAviReader reader(file.string());
    EXPECT_EQ(reader.Scale(), 50);
    EXPECT_EQ(reader.Rate(), 1000);
    ASSERT_EQ(reader.FrameCount(), 10);
    TBitmap frame, window;
    ASSERT_TRUE(reader.ReadFrame(9, frame));
    testkit::RenderToBitmap(*chart, window);
    for (auto [x, y] : {std::pair{10, 10}, std::pair{240, 20}, std::pair{300, 150}, std::pair{470, 290}})
        EXPECT_EQ(frame.Canvas()->Pixels(x, y), window.Canvas()->Pixels(x, y)) << x << "," << y;
}

TEST_F(VideoTool, TheAntialiasedCanvasRecordsToo)
{
    chart->SetCanvasClassName("TGDIPlusCanvas");
    const fs::path file = File("gdiplus");
    tool->BeginCapture(file.string());
    Draw(2);
    tool->EndCapture();
    TAviReader reader(file.string());
    ASSERT_EQ(reader.FrameCount(), 2);
    TBitmap frame, window;
    ASSERT_TRUE(reader.ReadFrame(1, frame));
    testkit::RenderToBitmap(*chart, window);
    EXPECT_EQ(frame.Canvas()->Pixels(240, 20), window.Canvas()->Pixels(240, 20));
    EXPECT_EQ(frame.Canvas()->Pixels(300, 150), window.Canvas()->Pixels(300, 150));
}

// A file cut short keeps the frames written before the cut; a file that is no AVI says so.
TEST_F(VideoTool, TheReaderKeepsTheWholeFramesOfACutFile)
{
    const fs::path file = File("cut");
    tool->BeginCapture(file.string());
    Draw(4);
    tool->EndCapture();
    const std::string bytes = FileBytes(file);
    const size_t frame = 480 * 300 * 4 + 8;
    const size_t movie = bytes.find("movi");
    ASSERT_NE(movie, std::string::npos);
    const size_t firstFrame = movie + 4;
    struct Case {
        size_t length;
        int frames;
    };
    for (const Case& c : {Case{firstFrame + 2 * frame + 100, 2}, Case{firstFrame + 3 * frame, 3}, Case{firstFrame, 0}}) {
        const fs::path cut = File("cut_part");
        std::ofstream(cut, std::ios::binary) << bytes.substr(0, c.length);
        TAviReader reader(cut.string());
        EXPECT_EQ(reader.FrameCount(), c.frames) << c.length;
        TBitmap picture;
        if (c.frames > 0) {
            EXPECT_TRUE(reader.ReadFrame(c.frames - 1, picture));
        }
        EXPECT_FALSE(reader.ReadFrame(c.frames, picture));
    }
    for (const std::string& head : {std::string("RIFF\x10\0\0\0WAVEfmt "), bytes.substr(0, 6), std::string()}) {
        const fs::path other = File("other");
        std::ofstream(other, std::ios::binary) << head;
        try {
            TAviReader reader(other.string());
            ADD_FAILURE() << "no error";
        } catch (const EAviError& error) {
            EXPECT_EQ(error.Message(), "AVI Error: 80044066");
        }
    }
}

TEST_F(VideoTool, MotionJpegFramesDecodeInFfmpeg)
{
    if (!HaveTool("ffprobe")) GTEST_SKIP() << "no ffprobe";
    const fs::path file = File("mjpg");
    tool->SetCompression("mjpg");
    tool->BeginCapture(file.string());
    Draw(10);
    tool->EndCapture();
    const std::string probe = Probe(file);
    EXPECT_NE(probe.find("codec_name=mjpeg\nwidth=480\nheight=300\n"), std::string::npos) << probe;
    EXPECT_NE(probe.find("nb_read_frames=10"), std::string::npos) << probe;
    EXPECT_EQ(Decode(file), "");
    TAviReader reader(file.string());
    ASSERT_TRUE(reader.CanDecode());
    TBitmap frame;
    ASSERT_TRUE(reader.ReadFrame(0, frame));
    EXPECT_EQ(frame.Width(), 480);
}

TEST_F(VideoTool, CompressionTakesTheListedCodes)
{
    TStringList list;
    TVideoTool::ListCompressors(list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Strings(0), "No Compression");
    EXPECT_EQ(list.Strings(1), "MJPG Motion JPEG");
    tool->SetCompression("MJPG");
    EXPECT_EQ(tool->Compression(), "MJPG");
    tool->SetCompression("No Compression");
    EXPECT_EQ(tool->Compression(), "");
    try {
        tool->SetCompression("XVID");
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "No compressor for XVID available");
    }
    EXPECT_EQ(tool->Compression(), "XVID");
    // Such a code cannot record.
    try {
        tool->BeginCapture(File("xvid").string());
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "AVI Error: 80044071");
    }
    EXPECT_FALSE(tool->IsRecording());
}

TEST_F(VideoTool, NothingIsRecordedOutsideACapture)
{
    const fs::path file = File("none");
    Draw(2);
    EXPECT_EQ(tool->FrameCount(), 0);
    tool->BeginCapture(file.string());
    Draw(2);
    tool->EndCapture();
    Draw(2);
    EXPECT_EQ(TAviReader(file.string()).FrameCount(), 2);

    // Without a chart only the name is kept.
    TVideoTool loose(nullptr);
    loose.BeginCapture(File("loose").string());
    EXPECT_EQ(loose.FileName(), files.back().string());
    EXPECT_FALSE(loose.IsRecording());
    EXPECT_FALSE(fs::exists(files.back()));
}

TEST_F(VideoTool, AFrameDurationBelowOneCountsAsOne)
{
    if (!HaveTool("ffprobe")) GTEST_SKIP() << "no ffprobe";
    const fs::path file = File("fast");
    tool->SetFrameDuration(0);
    tool->BeginCapture(file.string());
    Draw(2);
    tool->EndCapture();
    EXPECT_NE(Probe(file).find("r_frame_rate=1000/1"), std::string::npos);
    EXPECT_EQ(TAviReader(file.string()).Scale(), 1);
}

TEST_F(VideoTool, FramesOfAResizedChartKeepTheFirstSize)
{
    if (!HaveTool("ffprobe")) GTEST_SKIP() << "no ffprobe";
    const fs::path file = File("resized");
    tool->BeginCapture(file.string());
    Draw(2);
    chart->SetBounds(0, 0, 400, 250);
    Draw(2);
    tool->EndCapture();
    EXPECT_NE(Probe(file).find("width=480\nheight=300\npix_fmt=bgra\nr_frame_rate=20/1\nnb_read_frames=4"),
              std::string::npos);
    EXPECT_EQ(Decode(file), "");
}

// A recording past the segment size continues in further RIFF segments that ffmpeg and our
// reader follow.
TEST_F(VideoTool, ALongRecordingContinuesAsOpenDml)
{
    if (!HaveTool("ffprobe")) GTEST_SKIP() << "no ffprobe";
    for (const char* compression : {"", "MJPG"}) {
        const fs::path file = File(std::string("long") + compression);
        // Three uncompressed frames of 480 x 300 per segment.
        TAviWriter::SetSegmentLimit(2'000'000);
        if (*compression) TAviWriter::SetSegmentLimit(60'000);
        tool->SetCompression(compression);
        tool->BeginCapture(file.string());
        Draw(10);
        tool->EndCapture();
        const std::string bytes = FileBytes(file);
        EXPECT_NE(bytes.find("AVIX"), std::string::npos) << compression;
        EXPECT_NE(Probe(file).find("nb_read_frames=10"), std::string::npos) << compression;
        EXPECT_EQ(Decode(file), "") << compression;
        TAviReader reader(file.string());
        EXPECT_EQ(reader.FrameCount(), 10) << compression;
        TBitmap frame;
        EXPECT_TRUE(reader.ReadFrame(9, frame));
    }
}

// Colours within the rounding of video codecs.
bool Near(TColor a, TColor b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24) return false;
    return true;
}

class VideoPlayer : public VideoTool {
protected:
    void SetUp() override
    {
        VideoTool::SetUp();
        player = new TVideoPlayerTool(root.get());
        player->SetParentChart(chart);
    }
    // An AVI of ffmpeg's: top half blue, bottom half red, 64 x 48, five frames.
    fs::path Made(const std::string& stem, const std::string& codec)
    {
        const fs::path file = File(stem);
        RunTool("ffmpeg -v error -y -f lavfi -i 'color=c=red:size=64x48:rate=10[a];color=c=blue:size=64x24[b];"
                "[a][b]overlay' -frames:v 5 " + codec + " " + file.string());
        return file;
    }
    // Plays until the tool stops (at most limit ticks); the number of frames shown.
    int Play(int limit = 100)
    {
        int shown = 0;
        player->SetOnFrame([&](TObject*) { ++shown; });
        player->StartPlaying();
        for (int i = 0; i < limit && player->Playing(); ++i) player->ShowNextFrame();
        return shown;
    }

    TVideoPlayerTool* player = nullptr;
};

TEST_F(VideoPlayer, FfmpegFilesPlayEveryFrameIntoTheBackImage)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    struct Case {
        const char* stem;
        const char* codec;
    };
    for (const Case& c : {Case{"bgra", "-c:v rawvideo -pix_fmt bgra"}, Case{"bgr24", "-c:v rawvideo -pix_fmt bgr24"},
                          Case{"mjpeg", "-c:v mjpeg -q:v 2"}}) {
        player->SetFileName(Made(c.stem, c.codec).string());
        EXPECT_EQ(Play(), 5) << c.stem;
        EXPECT_FALSE(player->Playing());
        TGraphic* shown = chart->BackImage()->Graphic();
        ASSERT_NE(shown, nullptr) << c.stem;
        EXPECT_EQ(shown->Width(), 64);
        EXPECT_EQ(shown->Height(), 48);
        TBitmap& frame = *player->FrameBitmap();
        EXPECT_TRUE(Near(frame.Canvas()->Pixels(10, 5), clBlue)) << c.stem;
        EXPECT_TRUE(Near(frame.Canvas()->Pixels(10, 40), clRed)) << c.stem;
    }
}

TEST_F(VideoPlayer, OurOwnRecordingPlaysBack)
{
    const fs::path file = File("own");
    tool->BeginCapture(file.string());
    Draw(3);
    tool->EndCapture();
    player->SetFileName(file.string());
    EXPECT_EQ(Play(), 3);
    EXPECT_EQ(player->FrameBitmap()->Width(), 480);
}

TEST_F(VideoPlayer, LoopRestartsAndASecondStartDoesNothing)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    player->SetFileName(Made("loop", "-c:v rawvideo -pix_fmt bgra").string());
    player->SetLoop(true);
    player->StartPlaying();
    EXPECT_EQ(player->FirstFrame(), 0);
    EXPECT_EQ(player->LastFrame(), 4);
    for (int i = 0; i < 3; ++i) player->ShowNextFrame();
    EXPECT_EQ(player->CurrentFrame(), 3);
    player->StartPlaying();
    EXPECT_EQ(player->CurrentFrame(), 3);
    for (int i = 0; i < 2; ++i) player->ShowNextFrame();
    EXPECT_EQ(player->CurrentFrame(), 0);
    EXPECT_TRUE(player->Playing());
    player->StopPlaying();
    EXPECT_FALSE(player->Playing());
    EXPECT_EQ(player->FirstFrame(), -1);  // closed
    player->StartPlaying();
    EXPECT_EQ(player->CurrentFrame(), 0);
}

TEST_F(VideoPlayer, TheTimerPlaysTheFileToItsEnd)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    player->SetFileName(Made("timer", "-c:v mjpeg").string());
    int shown = 0;
    player->SetOnFrame([&](TObject*) { ++shown; });
    player->StartPlaying();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (player->Playing() && std::chrono::steady_clock::now() < deadline) {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_FALSE(player->Playing());
    EXPECT_EQ(shown, 5);
}

TEST_F(VideoPlayer, TheFirstFrameSwitchesTheBackGradientOff)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    chart->Gradient()->SetVisible(true);
    player->SetFileName(Made("gradient", "-c:v rawvideo -pix_fmt bgra").string());
    player->StartPlaying();
    EXPECT_TRUE(chart->Gradient()->Visible());
    player->ShowNextFrame();
    EXPECT_FALSE(chart->Gradient()->Visible());
}

TEST_F(VideoPlayer, ATargetPictureTakesTheFramesAndInactivityEmptiesIt)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    TPicture target;
    player->SetTargetPicture(&target);
    player->SetFileName(Made("target", "-c:v rawvideo -pix_fmt bgra").string());
    Play();
    ASSERT_NE(target.Graphic(), nullptr);
    EXPECT_EQ(chart->BackImage()->Graphic(), nullptr);
    player->SetActive(false);
    EXPECT_EQ(target.Graphic(), nullptr);
    player->SetActive(true);
    ASSERT_NE(target.Graphic(), nullptr);
    EXPECT_EQ(target.Graphic()->Width(), 64);
    player->SetTargetPicture(nullptr);  // the previous target is emptied
    EXPECT_EQ(target.Graphic(), nullptr);
}

TEST_F(VideoPlayer, FiltersSetInCodeApplyToEveryFrame)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    TFilterItems filters(nullptr);
    filters.Add(TInvertFilter::StaticClass());
    player->SetFilters(&filters);
    player->SetFileName(Made("filtered", "-c:v rawvideo -pix_fmt bgra").string());
    Play();
    EXPECT_TRUE(Near(player->FrameBitmap()->Canvas()->Pixels(10, 40), static_cast<TColor>(0xFFFF00)));  // red inverted
}

TEST_F(VideoPlayer, AFrameThatCannotBeDecodedStopsTheTimer)
{
    const fs::path file = File("broken");
    tool->SetCompression("MJPG");
    tool->BeginCapture(file.string());
    Draw(2);
    tool->EndCapture();
    // The second frame's JPEG data overwritten.
    std::string bytes = FileBytes(file);
    const size_t second = bytes.find("00dc", bytes.find("00dc", bytes.find("movi")) + 8);
    ASSERT_NE(second, std::string::npos);
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(second) + 8, 64, '\0');
    std::ofstream(file, std::ios::binary) << bytes;
    player->SetFileName(file.string());
    player->StartPlaying();
    player->ShowNextFrame();
    try {
        player->ShowNextFrame();
        ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Error GetFrame AVI file stream");
    }
    int ticks = 0;
    player->SetOnFrame([&](TObject*) { ++ticks; });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
    while (std::chrono::steady_clock::now() < deadline) Application->ProcessMessages();
    EXPECT_EQ(ticks, 0);  // the timer is off
}

TEST_F(VideoPlayer, TheSettingsAndFiltersAreStored)
{
    player->SetName("Player1");
    player->SetFileName("clip.avi");
    player->SetDelay(40);
    player->SetLoop(true);
    player->Filters()->Add(TInvertFilter::StaticClass());
    const String text = ComponentToText(player);
    TOwnedPtr<TVideoPlayerTool> copy(new TVideoPlayerTool(nullptr));
    TextToComponent(text, copy.get());
    EXPECT_EQ(copy->FileName(), "clip.avi");
    EXPECT_EQ(copy->Delay(), 40);
    EXPECT_TRUE(copy->Loop());
    ASSERT_EQ(copy->Filters()->Count(), 1);
    EXPECT_TRUE(copy->Filters()->Items(0)->Is<TInvertFilter>());
}

TEST_F(VideoPlayer, FilesItCannotPlayAreRefused)
{
    if (!HaveTool("ffmpeg")) GTEST_SKIP() << "no ffmpeg";
    struct Case {
        fs::path file;
        const char* message;
    };
    const fs::path text = File("text");
    { std::ofstream(text) << "no video"; }
    for (const Case& c : {Case{Made("h264", "-c:v libx264 -pix_fmt yuv420p"), "Error GetFrameOpen AVI file stream"},
                          Case{text, "AVI Error: 80044066"},
                          Case{text.string() + ".missing", "AVI Error: 8004406F"}}) {
        player->SetFileName(c.file.string());
        try {
            player->StartPlaying();
            ADD_FAILURE() << "no error " << c.file;
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message(), c.message) << c.file;
        }
        EXPECT_FALSE(player->Playing());
    }
}

TEST_F(VideoTool, ToolsAreRegisteredWithTheirGalleryTexts)
{
    EXPECT_GE(RegisteredToolTypes().IndexOf(TVideoTool::StaticClass()), 0);
    EXPECT_GE(RegisteredToolTypes().IndexOf(TVideoPlayerTool::StaticClass()), 0);
    const TChartElementClass* recorder = ChartElementClassOf(TVideoTool::StaticClass());
    const TChartElementClass* player = ChartElementClassOf(TVideoPlayerTool::StaticClass());
    ASSERT_TRUE(recorder && player);
    EXPECT_EQ(recorder->GalleryName(), "Video creator");
    EXPECT_EQ(recorder->GalleryHint(), "Creates an AVI video with Chart images");
    EXPECT_EQ(recorder->EditorFormClassName(), "TVideoToolEditor");
    EXPECT_EQ(player->GalleryName(), "Video player");
    EXPECT_EQ(player->GalleryHint(), "Play videos inside Chart regions");
    EXPECT_EQ(player->EditorFormClassName(), "TVideoPlayerEditor");
}

}  // namespace
