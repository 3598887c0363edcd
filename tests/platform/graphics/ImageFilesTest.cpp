// Bitmap storage, BMP and JPEG files, pictures; produced files are checked with outside decoders.
#include <array>
#include <cstring>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PixelTest.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/Images.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/Commands.h"

namespace {

namespace fs = std::filesystem;

fs::path TempDir()
{
    fs::path p = fs::temp_directory_path() / ("tv_graphics_" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
}


// A 7 x 5 picture with distinct colours in the corners (odd width: row padding matters).
void Paint(TBitmap& b)
{
    HDC dc = b.Canvas()->Handle();
    dc->FillRect({0, 0, b.Width(), b.Height()}, clWhite);
    dc->SetPixel(0, 0, clRed);
    dc->SetPixel(b.Width() - 1, 0, clLime);
    dc->SetPixel(0, b.Height() - 1, clBlue);
    dc->SetPixel(b.Width() - 1, b.Height() - 1, clBlack);
}

TColorRef PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Handle()->GetPixel(x, y); }

TEST(BitmapStorage, ScanLineUsesBlueGreenRedOrder)
{
    TBitmap b24(3, 2, pf24bit);
    b24.Canvas()->Handle()->SetPixel(1, 1, static_cast<TColor>(RGB(0x11, 0x22, 0x33)));
    const Byte* row = b24.ScanLine(1);
    EXPECT_EQ(row[3], 0x33);
    EXPECT_EQ(row[4], 0x22);
    EXPECT_EQ(row[5], 0x11);

    TBitmap b32(3, 2, pf32bit);
    b32.Canvas()->Handle()->SetPixel(2, 0, static_cast<TColor>(RGB(0x11, 0x22, 0x33)));
    row = b32.ScanLine(0);
    EXPECT_EQ(row[8], 0x33);
    EXPECT_EQ(row[9], 0x22);
    EXPECT_EQ(row[10], 0x11);

    // Writing a scan line shows on the canvas.
    Byte* w = b24.ScanLine(0);
    w[0] = 0xFF;  // blue
    w[1] = 0;
    w[2] = 0;
    EXPECT_EQ(PixelOf(b24, 0, 0), ColorToRGB(clBlue));
    EXPECT_EQ(b24.BytesPerScanLine(), 9);
}

TEST(BitmapStorage, ScanLineOutOfRangeRaises)
{
    TBitmap b(4, 4, pf24bit);
    EXPECT_THROW(b.ScanLine(4), EInvalidGraphicOperation);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(BitmapStorage, ResizeKeepsTheCommonPartAndConversionKeepsColours)
{
    TBitmap b(4, 4, pf24bit);
    b.Canvas()->Handle()->SetPixel(1, 1, clRed);
    b.SetSize(8, 2);
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(PixelOf(b, 1, 1), ColorToRGB(clRed));
    EXPECT_EQ(PixelOf(b, 6, 1), ColorToRGB(clWhite));
    for (TPixelFormat f : {pf32bit, pf16bit, pf8bit, pf24bit}) {
        b.SetPixelFormat(f);
        EXPECT_EQ(b.PixelFormat(), f);
        EXPECT_EQ(PixelOf(b, 1, 1), ColorToRGB(clRed)) << f;
    }
}

TEST(BitmapStorage, TransparentDrawingSkipsTheTransparentColour)
{
    TBitmap sprite(4, 4, pf24bit);
    sprite.Canvas()->Handle()->FillRect({0, 0, 4, 4}, clFuchsia);
    sprite.Canvas()->Handle()->FillRect({1, 1, 3, 3}, clNavy);
    Surface s(6, 6);
    s.Clear(clYellow);
    sprite.SetTransparent(true);
    EXPECT_EQ(sprite.TransparentColor(), clFuchsia);  // automatic: the bottom-left pixel
    s.bmp->Canvas()->Draw(1, 1, &sprite);
    s.dc = s.bmp->Canvas()->Handle();
    EXPECT_TRUE(s.Is(1, 1, clYellow));
    EXPECT_TRUE(s.Is(2, 2, clNavy));
    EXPECT_EQ(s.Count(clNavy), 4);
    // A fixed colour wins over the corner pixel.
    sprite.SetTransparentColor(clNavy);
    EXPECT_EQ(sprite.TransparentMode(), tmFixed);
    s.Clear(clYellow);
    s.bmp->Canvas()->Draw(1, 1, &sprite);
    EXPECT_EQ(s.Count(clFuchsia), 12);
    EXPECT_TRUE(s.Is(2, 2, clYellow));
}

TEST(BitmapStorage, CopyRectAndStretchDraw)
{
    TBitmap src(2, 2, pf24bit);
    Paint(src);
    Surface s(8, 8);
    s.bmp->Canvas()->StretchDraw({0, 0, 4, 4}, &src);
    EXPECT_TRUE(s.Is(1, 1, clRed));
    EXPECT_TRUE(s.Is(3, 0, clLime));
    s.bmp->Canvas()->CopyRect({4, 4, 6, 6}, src.Canvas(), {0, 0, 2, 2});
    EXPECT_TRUE(s.Is(4, 4, clRed));
    EXPECT_TRUE(s.Is(5, 5, clBlack));
    s.bmp->Canvas()->SetCopyMode(SRCINVERT);
    s.bmp->Canvas()->CopyRect({4, 4, 6, 6}, src.Canvas(), {0, 0, 2, 2});
    EXPECT_TRUE(s.Is(4, 4, clBlack));  // red xor red
}

TEST(BitmapFiles, RoundTripsEveryPixelFormat)
{
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(f);
        TBitmap b(7, 5, pf24bit);
        Paint(b);
        b.SetPixelFormat(f);
        b.SetPelsPerMeter(3780, 2835);
        TMemoryStream m;
        b.SaveToStream(m);
        m.SetPosition(0);
        TBitmap c;
        c.LoadFromStream(m);
        EXPECT_EQ(c.PixelFormat(), f);
        EXPECT_EQ(c.Width(), 7);
        EXPECT_EQ(c.Height(), 5);
        EXPECT_EQ(c.XPelsPerMeter(), 3780);
        EXPECT_EQ(c.YPelsPerMeter(), 2835);
        for (auto [x, y] : {std::pair{0, 0}, {6, 0}, {0, 4}, {6, 4}, {3, 2}})
            EXPECT_EQ(PixelOf(c, x, y), PixelOf(b, x, y)) << x << "," << y;
    }
}

TEST(BitmapFiles, ResolutionLivesAtOffsets38And42)
{
    TBitmap b(2, 2, pf24bit);
    b.SetPelsPerMeter(0x1234, 0x0ABC);
    TMemoryStream m;
    b.SaveToStream(m);
    const Byte* p = m.Memory();
    EXPECT_EQ(p[38] | (p[39] << 8), 0x1234);
    EXPECT_EQ(p[42] | (p[43] << 8), 0x0ABC);
    EXPECT_EQ(p[28], 24);  // bits per pixel
    EXPECT_EQ(m.Size(), 54 + 2 * 8);
}

TEST(BitmapFiles, BadDataRaisesAndKeepsThePicture)
{
    TBitmap b(3, 3, pf24bit);
    Paint(b);
    TMemoryStream good;
    b.SaveToStream(good);
    const std::vector<std::pair<const char*, std::vector<Byte>>> cases = {
        {"empty", {}},
        {"not BMP", {'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"header only", std::vector<Byte>(good.Memory(), good.Memory() + 20)},
        {"truncated pixels", std::vector<Byte>(good.Memory(), good.Memory() + good.Size() - 5)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        TMemoryStream m;
        if (!bytes.empty()) m.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
        m.SetPosition(0);
        TBitmap keep(3, 3, pf24bit);
        Paint(keep);
        EXPECT_THROW(keep.LoadFromStream(m), EInvalidGraphic);
        EXPECT_EQ(keep.Width(), 3);
        EXPECT_EQ(PixelOf(keep, 0, 0), ColorToRGB(clRed));
    }
    // Absurd sizes are refused before any allocation.
    std::vector<Byte> huge(good.Memory(), good.Memory() + good.Size());
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
    TMemoryStream m;
    m.WriteBuffer(huge.data(), static_cast<std::int64_t>(huge.size()));
    m.SetPosition(0);
    TBitmap c;
    EXPECT_THROW(c.LoadFromStream(m), EInvalidGraphic);
}

TEST(BitmapFiles, OutsideDecoderReadsOurFiles)
{
    if (!HaveProgram("identify")) GTEST_SKIP() << "identify (imagemagick) not installed";
    fs::path dir = TempDir();
    for (TPixelFormat f : {pf1bit, pf8bit, pf24bit, pf32bit}) {
        TBitmap b(7, 5, pf24bit);
        Paint(b);
        b.SetPixelFormat(f);
        fs::path file = dir / ("bmp" + std::to_string(f) + ".bmp");
        b.SaveToFile(file.string());
        std::string info = RunCommand("identify -format '%w %h' '" + file.string() + "'");
        EXPECT_EQ(info, "7 5") << f;
        if (f >= pf24bit) {
            // The bottom-left pixel as the outside decoder sees it.
            std::string px = RunCommand("convert '" + file.string() + "' -format '%[pixel:p{0,4}]' info:");
            EXPECT_NE(px.find("(0,0,255"), std::string::npos) << px;
            px = RunCommand("convert '" + file.string() + "' -format '%[pixel:p{0,0}]' info:");
            EXPECT_NE(px.find("(255,0,0"), std::string::npos) << px;
        }
    }
    fs::remove_all(dir);
}

TEST(JpegFiles, EncodeDecodeRoundTripCheckedWithDjpeg)
{
    TBitmap b(32, 16, pf24bit);
    HDC dc = b.Canvas()->Handle();
    dc->FillRect({0, 0, 16, 16}, clRed);
    dc->FillRect({16, 0, 32, 16}, clBlue);
    TJPEGImage j;
    j.Assign(&b);
    j.SetCompressionQuality(95);
    TMemoryStream m;
    j.SaveToStream(m);
    ASSERT_GT(m.Size(), 100);
    EXPECT_EQ(m.Memory()[0], 0xFF);
    EXPECT_EQ(m.Memory()[1], 0xD8);

    m.SetPosition(0);
    TJPEGImage back;
    back.LoadFromStream(m);
    EXPECT_EQ(back.Width(), 32);
    EXPECT_EQ(back.Height(), 16);
    TColorRef left = PixelOf(*back.Bitmap(), 4, 8), right = PixelOf(*back.Bitmap(), 28, 8);
    EXPECT_GT(GetRValue(left), 230);
    EXPECT_LT(GetBValue(left), 30);
    EXPECT_GT(GetBValue(right), 230);

    if (!HaveProgram("djpeg")) GTEST_SKIP() << "djpeg not installed";
    fs::path dir = TempDir();
    fs::path file = dir / "round.jpg";
    j.SaveToFile(file.string());
    std::string ppm = RunCommand("djpeg -pnm '" + file.string() + "' | head -c 20");
    EXPECT_EQ(ppm.rfind("P6\n32 16\n255\n", 0), 0u) << ppm;
    fs::remove_all(dir);
}

TEST(JpegFiles, GrayscaleAndScaleOptions)
{
    TBitmap b(40, 24, pf24bit);
    b.Canvas()->Handle()->FillRect({0, 0, 40, 24}, clRed);
    TJPEGImage j;
    j.Assign(&b);
    j.SetGrayscale(true);
    TMemoryStream m;
    j.SaveToStream(m);
    if (HaveProgram("identify")) {
        fs::path dir = TempDir();
        fs::path file = dir / "gray.jpg";
        j.SaveToFile(file.string());
        EXPECT_EQ(RunCommand("identify -format '%[colorspace] %w' '" + file.string() + "'"), "Gray 40");
        fs::remove_all(dir);
    }
    m.SetPosition(0);
    TJPEGImage k;
    k.LoadFromStream(m);
    k.SetScale(jsQuarter);
    EXPECT_EQ(k.Width(), 10);
    EXPECT_EQ(k.Height(), 6);
    EXPECT_EQ(k.StoredWidth(), 40);
    TColorRef c = PixelOf(*k.Bitmap(), 5, 3);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
}

TEST(JpegFiles, CorruptDataRaisesAndKeepsTheOldPicture)
{
    TBitmap b(8, 8, pf24bit);
    TJPEGImage j;
    j.Assign(&b);
    TMemoryStream good;
    j.SaveToStream(good);
    good.SetPosition(0);
    j.LoadFromStream(good);
    std::vector<Byte> bad(good.Memory(), good.Memory() + 30);  // header cut short
    TMemoryStream m;
    m.WriteBuffer(bad.data(), static_cast<std::int64_t>(bad.size()));
    m.SetPosition(0);
    EXPECT_THROW(j.LoadFromStream(m), EInvalidGraphic);
    EXPECT_EQ(j.Width(), 8);
    TMemoryStream again;
    j.SaveToStream(again);
    EXPECT_EQ(again.Size(), good.Size());
}

TEST(Pictures, LoadByExtensionAndByContent)
{
    fs::path dir = TempDir();
    TBitmap b(5, 4, pf24bit);
    Paint(b);
    b.SaveToFile((dir / "a.bmp").string());
    TJPEGImage j;
    j.Assign(&b);
    j.SaveToFile((dir / "a.jpg").string());
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile((dir / "a.png").string());

    struct Case {
        const char* file;
        const TMetaClass* cls;
    };
    const Case cases[] = {{"a.bmp", &TBitmap::StaticClass()},
                          {"a.jpg", &TJPEGImage::StaticClass()},
                          {"a.png", &TPngImage::StaticClass()}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TPicture p;
        int changes = 0;
        p.SetOnChange([&](TObject*) { ++changes; });
        p.LoadFromFile((dir / c.file).string());
        ASSERT_NE(p.Graphic(), nullptr);
        EXPECT_EQ(&p.Graphic()->ClassType(), c.cls);
        EXPECT_EQ(p.Width(), 5);
        EXPECT_GE(changes, 1);
        TFileStream s((dir / c.file).string(), fmOpenRead);
        TPicture q;
        q.LoadFromStream(s);
        EXPECT_EQ(&q.Graphic()->ClassType(), c.cls);
    }
    TPicture p;
    try {
        p.LoadFromFile((dir / "a.xyz").string());
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
    TMemoryStream junk;
    junk.WriteBuffer("hello world, not a picture", 26);
    junk.SetPosition(0);
    EXPECT_THROW(p.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_NE(TPicture::GraphicFilter().find("*.jpg"), std::string::npos);
    fs::remove_all(dir);
}

TEST(Pictures, BitmapAccessReplacesOtherKinds)
{
    TPicture p;
    TBitmap b(3, 3, pf24bit);
    TJPEGImage j;
    j.Assign(&b);
    p.SetGraphic(&j);
    EXPECT_EQ(&p.Graphic()->ClassType(), &TJPEGImage::StaticClass());
    TBitmap* bm = p.Bitmap();
    EXPECT_TRUE(bm->Empty());
    bm->SetSize(2, 2);
    EXPECT_EQ(p.Width(), 2);
}

TEST(Pictures, PngKeepsAlpha)
{
    TBitmap b(2, 1, pf32bit);
    b.SetAlphaFormat(afPremultiplied);
    Byte* row = b.ScanLine(0);
    const Byte px[8] = {0, 0, 0x80, 0x80, 0, 0, 0, 0};  // half-transparent red, then clear
    std::memcpy(row, px, 8);
    TPngImage png;
    png.Assign(&b);
    TMemoryStream m;
    png.SaveToStream(m);
    m.SetPosition(0);
    TPngImage back;
    back.LoadFromStream(m);
    EXPECT_EQ(back.Bitmap()->PixelFormat(), pf32bit);
    const Byte* r = back.Bitmap()->ScanLine(0);
    EXPECT_NEAR(r[3], 0x80, 1);
    EXPECT_EQ(r[7], 0);
}

}  // namespace

namespace {

TEST(BitmapStorage, AHandleStaysValidAcrossResizeReloadAndScanLines)
{
    TBitmap b(4, 4, pf24bit);
    HDC dc = b.Canvas()->Handle();
    dc->SelectPen(TLogPen{PS_SOLID, 1, clRed, {}});
    b.SetSize(10, 6);
    EXPECT_EQ(dc->Width(), 10);
    dc->MoveTo(0, 5);
    dc->LineTo(10, 5);  // the selected pen survived
    EXPECT_EQ(dc->GetPixel(9, 5), ColorToRGB(clRed));
    TBitmap other(3, 3, pf24bit);
    other.Canvas()->Handle()->FillRect({0, 0, 3, 3}, clBlue);
    b.Assign(&other);
    EXPECT_EQ(b.Canvas()->Handle(), dc);
    EXPECT_EQ(dc->GetPixel(1, 1), ColorToRGB(clBlue));
    // Palette bitmaps: scan-line writes show through the same handle, and drawing shows in scan lines.
    b.SetPixelFormat(pf8bit);
    dc->FillRect({0, 0, 3, 3}, clWhite);
    Byte* row = b.ScanLine(0);
    Byte white = row[0];
    dc->SetPixel(1, 0, clBlack);
    row = b.ScanLine(0);
    EXPECT_NE(row[1], white);
    row[2] = row[1];
    EXPECT_EQ(dc->GetPixel(2, 0), ColorToRGB(clBlack));
}

}  // namespace

namespace {

TEST(BitmapStorage, DrawingABitmapOntoItselfShiftsItsPixels)
{
    TBitmap b(8, 1, pf24bit);
    HDC dc = b.Canvas()->Handle();
    for (int x = 0; x < 8; ++x) dc->SetPixel(x, 0, static_cast<TColor>(RGB(static_cast<Byte>(x * 30), 0, 0)));
    b.Canvas()->Draw(2, 0, &b);
    for (int x = 2; x < 8; ++x) EXPECT_EQ(GetRValue(dc->GetPixel(x, 0)), (x - 2) * 30) << x;
}

TEST(BitmapStorage, PatternBrushKeepsThePixelsItWasMadeFrom)
{
    TBitmap pattern(2, 2, pf24bit);
    pattern.Canvas()->Handle()->FillRect({0, 0, 2, 2}, clRed);
    TBrush brush;
    brush.SetBitmap(&pattern);
    TLogBrush lb = brush.LogBrush();
    pattern.Canvas()->Handle()->FillRect({0, 0, 2, 2}, clBlue);
    TBitmap target(4, 4, pf24bit);
    target.Canvas()->Handle()->FillRect({0, 0, 4, 4}, lb);
    EXPECT_EQ(target.Canvas()->Handle()->GetPixel(3, 3), ColorToRGB(clRed));
}

}  // namespace
