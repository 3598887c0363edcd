#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Fonts.h"
#include "platform/rtl/StringList.h"
#include "tests/support/Commands.h"

namespace {
std::vector<Byte> bmpBytes(TBitmap& bmp)
{
    TMemoryStream s;
    bmp.SaveToStream(s);
    std::vector<Byte> out(static_cast<std::size_t>(s.Size()));
    s.SetPosition(0);
    s.ReadBuffer(out.data(), static_cast<std::int64_t>(out.size()));
    return out;
}

int le32(const std::vector<Byte>& b, std::size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (b[at + 3] << 24);
}

// A picture with detail in both directions, so that any smoothing would show.
void fillPattern(TBitmap& bmp)
{
    auto rows = BitmapScanLines24(bmp);
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            Byte* p = rows[static_cast<std::size_t>(y)] + x * 3;
            p[0] = static_cast<Byte>(x * 37 + y * 11);
            p[1] = static_cast<Byte>((x ^ y) * 53);
            p[2] = static_cast<Byte>(y * 71);
        }
}
}  // namespace

TEST(CanvasServices, ResolutionIsWrittenAsPixelsPerMetre)
{
    TBitmap bmp(4, 3, pf24bit);
    SetBitmapResolution(bmp, 96);
    const auto bytes = bmpBytes(bmp);
    EXPECT_EQ(le32(bytes, 38), 3780);
    EXPECT_EQ(le32(bytes, 42), 3780);

    // An outside reader sees 96 dots per inch.
    const std::string path = ::testing::TempDir() + "resolution96.bmp";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const std::string answer = RunCommand("identify -units PixelsPerInch -format \"%x %y\" " + path);
    double x = 0, y = 0;
    const int read = std::sscanf(answer.c_str(), "%lf %lf", &x, &y);
    ASSERT_EQ(read, 2) << "identify did not answer";
    EXPECT_NEAR(x, 96, 0.05);
    EXPECT_NEAR(y, 96, 0.05);
}

TEST(CanvasServices, SameSizeResamplingIsTheIdentity)
{
    for (bool low : {false, true}) {
        TBitmap src(9, 7, pf24bit), dst(9, 7, pf24bit);
        fillPattern(src);
        ResampleBitmapQuality(src, dst, low);
        auto a = BitmapScanLines24(src), b = BitmapScanLines24(dst);
        for (int y = 0; y < 7; ++y)
            EXPECT_EQ(0, std::memcmp(a[static_cast<std::size_t>(y)], b[static_cast<std::size_t>(y)], 9 * 3))
                << "row " << y << (low ? " (low quality)" : "");
    }
}

TEST(CanvasServices, ResamplingKeepsFlatAreasAndFillsEveryRow)
{
    struct Case {
        int sw, sh, dw, dh;
    };
    const Case cases[] = {{10, 10, 25, 2}, {40, 30, 7, 5}, {5, 5, 12, 13}};
    for (const Case& c : cases)
        for (bool low : {false, true}) {
            TBitmap src(c.sw, c.sh, pf24bit), dst(c.dw, c.dh, pf24bit);
            src.Canvas()->Brush()->SetColor(0x336699);
            src.Canvas()->FillRect({0, 0, c.sw, c.sh});
            ResampleBitmapQuality(src, dst, low);
            auto rows = BitmapScanLines24(dst);
            for (int y = 0; y < c.dh; ++y)
                for (int x = 0; x < c.dw; ++x) {
                    const Byte* p = rows[static_cast<std::size_t>(y)] + x * 3;
                    ASSERT_EQ((p[2] << 16) | (p[1] << 8) | p[0], 0x996633)
                        << c.sw << "x" << c.sh << " -> " << c.dw << "x" << c.dh << " at " << x << "," << y;
                }
        }
}

TEST(CanvasServices, OneByNBitmapsAreLeftAlone)
{
    TBitmap src(1, 5, pf24bit), dst(3, 3, pf24bit);
    src.Canvas()->Brush()->SetColor(clBlack);
    src.Canvas()->FillRect({0, 0, 1, 5});
    ResampleBitmap(src, dst);
    EXPECT_EQ(dst.Canvas()->Pixels(1, 1), clWhite);
}

TEST(CanvasServices, DefaultFontByLanguage)
{
    InitDefaultFont("Arial", 8, "en");
    EXPECT_EQ(ZebDefaultFontName(), "Arial");
    EXPECT_EQ(ZebDefaultFontSize(), 8);

    InitDefaultFont("Arial", 8, "ja");
    EXPECT_EQ(ZebDefaultFontSize(), 9);
    EXPECT_EQ(ZebDefaultFontName(), JapaneseGothicFaceName);
    // Drawn with an installed Japanese family when there is one.
    const String family = ResolveFontFamily(JapaneseGothicFaceName);
    EXPECT_FALSE(family.empty());
    EXPECT_NE(family, JapaneseGothicFaceName);

    InitDefaultFont("Arial", 8, "en");
}

TEST(CanvasServices, UnitLifetime)
{
    StartCanvasUnit("Arial", 8);
    ASSERT_NE(CanvasClassList(), nullptr);
    ASSERT_EQ(CanvasClassList()->size(), 1u);
    EXPECT_EQ(CanvasClassList()->front(), &TZebCanvas3D::StaticClass());
    ASSERT_TRUE(FontListHook());
    TStringList names;
    FontListHook()(names);
    EXPECT_EQ(names.CommaText(), "Elektra,DS-Digital");

    StopCanvasUnit();
    EXPECT_EQ(CanvasClassList(), nullptr);
    EXPECT_FALSE(FontListHook());
    EXPECT_TRUE(ZebDefaultFontName().empty());
    InitDefaultFont("Arial", 8, "en");
}

TEST(CanvasServices, LibrariesLoadQuietly)
{
    EXPECT_EQ(LoadLibraryQuiet("no-such-library.so"), nullptr);
    TLibraryHandle libm = LoadLibraryQuiet("libm.so.6");
    ASSERT_NE(libm, nullptr);
    ReleaseLibrary(libm);
    ReleaseLibrary(nullptr);
    EXPECT_TRUE(LoadGdiLibrary());
    EXPECT_TRUE(LoadAlphaBlend());
}

TEST(CanvasServices, ClipHistoryNests)
{
    TBitmap bmp(20, 20, pf32bit);
    HDC dc = bmp.Canvas()->Handle();
    PushClipRegion(dc, TRegion::FromRect({0, 0, 10, 10}), RGN_AND);
    PushClipRegion(dc, TRegion::FromRect({5, 5, 20, 20}), RGN_AND);
    TRect box;
    dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{5, 5, 10, 10}));
    PopClipRegion(dc);
    dc->GetClipBox(box);
    EXPECT_EQ(box, (TRect{0, 0, 10, 10}));
    PopClipRegion(dc);
    TRegion none;
    EXPECT_FALSE(dc->GetClipRgn(none));
    EXPECT_EQ(ClipHistoryDepth(dc), 0);
}

// Each device keeps its own clips, and a device freed with clips still pushed takes them along: a
// new device, wherever it is allocated, starts unclipped and pops to no clip.
TEST(CanvasServices, ClipHistoryEndsWithItsDevice)
{
    TBitmap other(20, 20, pf32bit);
    HDC kept = other.Canvas()->Handle();
    PushClipRegion(kept, TRegion::FromRect({0, 0, 4, 4}), RGN_AND);
    PushClipRegion(kept, TRegion::FromRect({1, 1, 4, 4}), RGN_AND);
    std::optional<TBitmap> bitmap;
    for (int round = 0; round < 64; ++round) {
        SCOPED_TRACE(round);
        bitmap.emplace(20, 20, pf32bit);
        HDC dc = bitmap->Canvas()->Handle();
        EXPECT_EQ(ClipHistoryDepth(dc), 0);
        PopClipRegion(dc);
        TRegion clip;
        EXPECT_FALSE(dc->GetClipRgn(clip)) << "a fresh device restores no clip of a freed one";
        PushClipRegion(dc, TRegion::FromRect({0, 0, 10, 10}), RGN_AND);
        PushClipRegion(dc, TRegion::FromRect({5, 5, 20, 20}), RGN_AND);
        bitmap.reset();
    }
    EXPECT_EQ(ClipHistoryDepth(kept), 1);
    PopClipRegion(kept);
    TRect box;
    kept->GetClipBox(box);
    EXPECT_EQ(box, (TRect{0, 0, 4, 4}));
}
