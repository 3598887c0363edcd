// Metafiles: recording through the device context, playing back, EMF and WMF files read by this
// layer and by outside readers, and what a damaged file does.
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstring>
#include <functional>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"

namespace {

constexpr int W = 160, H = 120;

// A white image of the scene's size with whatever draw() paints on a canvas.
QImage Render(const std::function<void(TCanvas&)>& draw, int w = W, int h = H)
{
    TBitmap bmp(w, h, pf32bit);
    bmp.Canvas()->Handle()->FillRect({0, 0, w, h}, clWhite);
    draw(*bmp.Canvas());
    return BitmapImage(bmp).convertToFormat(QImage::Format_RGB32);
}

// The scene every file is checked with: a background, lines, a polygon, an ellipse, an image, a
// clip and text.
struct Parts {
    bool image = true, clip = true, text = true;
};
void DrawScene(TCanvas& c, Parts parts)
{
    HDC dc = c.Handle();
    dc->FillRect({0, 0, W, H}, static_cast<TColor>(0xF0F0F0));
    dc->SelectPen({PS_SOLID, 1, clNavy, {}});
    dc->MoveTo(5, 5);
    dc->LineTo(150, 5);
    dc->SelectPen({PS_SOLID, 3, clRed, {}});
    dc->MoveTo(5, 15);
    dc->LineTo(60, 40);
    dc->SelectPen({PS_DASH, 1, clBlack, {}});
    dc->MoveTo(70, 15);
    dc->LineTo(150, 15);

    const TPoint tri[] = {{10, 110}, {50, 50}, {90, 110}};
    dc->SelectPen({PS_SOLID, 1, clBlack, {}});
    dc->SelectBrush({BS_SOLID, clLime, 0, nullptr});
    dc->Polygon(tri, 3);
    dc->SelectBrush({BS_SOLID, clYellow, 0, nullptr});
    dc->Ellipse(95, 25, 150, 65);

    TBitmap picture(8, 8, pf24bit);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) picture.Canvas()->Handle()->SetPixel(x, y, (x + y) % 2 ? clBlue : clFuchsia);
    if (parts.image) c.StretchDraw({100, 70, 124, 94}, &picture);

    // Clipped: only the left half of the box shows.
    dc->SaveDC();
    if (parts.clip) dc->IntersectClipRect(128, 70, 140, 110);
    dc->SelectPen({PS_NULL, 0, clBlack, {}});
    dc->SelectBrush({BS_SOLID, clTeal, 0, nullptr});
    dc->Rectangle(128, 70, parts.clip ? 152 : 141, 110);
    dc->RestoreDC(-1);

    if (!parts.text) return;
    TLogFont font;
    font.FaceName = "Liberation Sans";
    font.Height = -14;
    dc->SelectFont(font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(clMaroon);
    dc->TextOut(62, 24, "Tilt");
}
void Scene(TCanvas& c) { DrawScene(c, {}); }
// What the outside readers show: Qt's SVG renderer has no clip paths; the WMF converter places
// images twice over (by position and again by transform).
void SceneWithoutClip(TCanvas& c) { DrawScene(c, {true, false, true}); }
void PlainScene(TCanvas& c) { DrawScene(c, {false, false, true}); }

std::shared_ptr<TMetafile> Record(const std::function<void(TCanvas&)>& draw, int w = W, int h = H)
{
    auto mf = std::make_shared<TMetafile>();
    mf->SetWidth(w);
    mf->SetHeight(h);
    {
        TMetafileCanvas canvas(mf.get(), nullptr);
        draw(canvas);
    }
    return mf;
}

QImage Play(TMetafile& mf, int w = W, int h = H)
{
    return Render([&](TCanvas& c) { c.StretchDraw({0, 0, w, h}, &mf); }, w, h);
}

// Pixels whose channels differ by more than delta after both images are blurred by a box of
// (2 r + 1) pixels: lines a pixel apart and glyphs of another rasteriser stay close.
int Differing(const QImage& a, const QImage& b, int delta = 60, int r = 1)
{
    if (a.size() != b.size()) return a.width() * a.height();
    auto blur = [r](const QImage& img, int x, int y, int shift) {
        int sum = 0, n = 0;
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const int xx = std::clamp(x + dx, 0, img.width() - 1), yy = std::clamp(y + dy, 0, img.height() - 1);
                sum += (img.pixel(xx, yy) >> shift) & 0xFF;
                ++n;
            }
        return sum / n;
    };
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            for (int shift : {0, 8, 16})
                if (std::abs(blur(a, x, y, shift) - blur(b, x, y, shift)) > delta) {
                    ++count;
                    break;
                }
    return count;
}

// Pixels of the text's colour (maroon) around where the scene writes it.
int TextInk(const QImage& img)
{
    int n = 0;
    for (int y = 20; y < 44; ++y)
        for (int x = 60; x < 94; ++x) {
            const QRgb p = img.pixel(x, y);
            n += qRed(p) > qGreen(p) + 40 && qRed(p) > qBlue(p) + 40 && qRed(p) < 200;
        }
    return n;
}

void Look(const QImage& img, const char* name)
{
    if (const char* dir = std::getenv("TV_LOOK_DIR")) img.save(QString("%1/metafile-%2.png").arg(dir, name));
}

std::vector<Byte> Save(TMetafile& mf)
{
    TMemoryStream s;
    mf.SaveToStream(s);
    const auto* p = static_cast<const Byte*>(s.Memory());
    return std::vector<Byte>(p, p + s.Size());
}

void Load(TMetafile& mf, const std::vector<Byte>& bytes)
{
    TMemoryStream s;
    if (!bytes.empty()) s.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    s.SetPosition(0);
    mf.LoadFromStream(s);
}

std::uint32_t U32(const std::vector<Byte>& b, std::size_t at)
{
    std::uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

// The record types of an EMF, in order.
std::vector<std::uint32_t> EmfRecordTypes(const std::vector<Byte>& b)
{
    std::vector<std::uint32_t> types;
    for (std::size_t at = 0; at + 8 <= b.size();) {
        types.push_back(U32(b, at));
        const std::uint32_t n = U32(b, at + 4);
        if (n < 8) break;
        at += n;
    }
    return types;
}

class MetafileTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureGuiApplication(); }
};

TEST_F(MetafileTest, ReplayDrawsWhatTheCanvasDrew)
{
    const QImage direct = Render(Scene);
    auto mf = Record(Scene);
    EXPECT_FALSE(mf->Empty());
    const QImage played = Play(*mf);
    Look(direct, "scene-bitmap");
    Look(played, "scene-replayed");
    EXPECT_LE(Differing(direct, played), W * H / 200);
}

TEST_F(MetafileTest, SavedAndLoadedFilesReplayAlike)
{
    const QImage direct = Render(Scene);
    for (bool enhanced : {true, false}) {
        SCOPED_TRACE(enhanced ? "EMF" : "WMF");
        auto mf = Record(Scene);
        mf->SetEnhanced(enhanced);
        TMetafile loaded;
        Load(loaded, Save(*mf));
        EXPECT_EQ(loaded.Enhanced(), enhanced);
        EXPECT_EQ(loaded.Width(), W);
        EXPECT_EQ(loaded.Height(), H);
        const QImage played = Play(loaded);
        Look(played, enhanced ? "scene-emf-loaded" : "scene-wmf-loaded");

        EXPECT_LE(Differing(direct, played), W * H / 100);
    }
}

// Outside readers: a converter to SVG, whose picture is drawn by Qt's SVG image plugin.
struct OutsideReader {
    const char* name;
    bool enhanced;
    void (*scene)(TCanvas&);
    QStringList (*arguments)(const QString& in, const QString& out, const QString& fonts);
};

void PrintTo(const OutsideReader& r, std::ostream* os) { *os << r.name; }

class MetafileOutsideReaderTest : public MetafileTest, public ::testing::WithParamInterface<OutsideReader> {};

// The fonts the WMF reader asks for by their Type 1 file names; any font file does, FreeType reads
// them by content.
void LinkWmfFonts(const QString& dir)
{
    const char* liberation = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    for (const char* name :
         {"NimbusSans-Regular", "NimbusSans-Italic", "NimbusSans-Bold", "NimbusSans-BoldItalic", "NimbusRoman-Regular",
          "NimbusRoman-Italic", "NimbusRoman-Bold", "NimbusRoman-BoldItalic", "NimbusMonoPS-Regular",
          "NimbusMonoPS-Italic", "NimbusMonoPS-Bold", "NimbusMonoPS-BoldItalic", "StandardSymbolsPS"})
        QFile::link(liberation, QString("%1/%2.t1").arg(dir, name));
}

TEST_P(MetafileOutsideReaderTest, DrawsTheSavedScene)
{
    const OutsideReader& reader = GetParam();
    if (QStandardPaths::findExecutable(reader.name).isEmpty()) GTEST_SKIP() << reader.name << " is not installed";
    if (!QImageReader::supportedImageFormats().contains("svg")) GTEST_SKIP() << "Qt's SVG image plugin is missing";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    LinkWmfFonts(dir.path());
    auto mf = Record(reader.scene);
    mf->SetEnhanced(reader.enhanced);
    const QString in = dir.filePath(reader.enhanced ? "scene.emf" : "scene.wmf"), out = dir.filePath("scene.svg");
    mf->SaveToFile(in.toStdString());
    QProcess tool;
    tool.start(reader.name, reader.arguments(in, out, dir.path()));
    ASSERT_TRUE(tool.waitForFinished(60000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QImageReader svg(out, "svg");
    svg.setScaledSize(QSize(W, H));
    QImage drawn(W, H, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        p.drawImage(0, 0, svg.read());
    }
    const QImage direct = Render(reader.scene);
    Look(drawn, reader.name);
    Look(direct, (std::string(reader.name) + "-expected").c_str());
    if (const char* look = std::getenv("TV_LOOK_DIR")) {
        QFile::remove(QString("%1/metafile-%2.svg").arg(look, reader.name));
        QFile::copy(out, QString("%1/metafile-%2.svg").arg(look, reader.name));
        QFile::remove(QString("%1/metafile-%2.%3").arg(look, reader.name, reader.enhanced ? "emf" : "wmf"));
        QFile::copy(in, QString("%1/metafile-%2.%3").arg(look, reader.name, reader.enhanced ? "emf" : "wmf"));
    }
    EXPECT_LE(Differing(direct, drawn, 60, 2), W * H / 60);
    // The text, small beside the shapes, is found where it was drawn.
    const int ink = TextInk(direct);
    EXPECT_GT(ink, 20);
    EXPECT_GE(TextInk(drawn), ink / 2);
    EXPECT_LE(TextInk(drawn), ink * 2);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, MetafileOutsideReaderTest,
    ::testing::Values(OutsideReader{"emf2svg-conv", true, SceneWithoutClip,
                                    [](const QString& in, const QString& out, const QString&) {
                                        return QStringList{"-i", in, "-o", out};
                                    }},
                      OutsideReader{"wmf2svg", false, PlainScene,
                                    [](const QString& in, const QString& out, const QString& fonts) {
                                        return QStringList{"--inline", "--wmf-fontdir=" + fonts, "-o", out, in};
                                    }}),
    [](const auto& info) { return std::string(info.param.enhanced ? "Emf" : "Wmf"); });

}  // namespace
