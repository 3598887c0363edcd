// Metafiles: recording through the device context, playing back, EMF and WMF files read by this
// layer and by outside readers, and what a damaged file does.
#include <QFile>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainterPath>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstring>
#include <functional>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"
#include "tests/support/WmfFonts.h"

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

void Put32(std::vector<Byte>& b, std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

struct FileRecord {
    std::size_t at;
    std::uint32_t type;
};

// The records of an EMF (type, where) or a placeable WMF (function, where), in order.
std::vector<FileRecord> EmfRecords(const std::vector<Byte>& b)
{
    std::vector<FileRecord> out;
    for (std::size_t at = 0; at + 8 <= b.size();) {
        out.push_back({at, U32(b, at)});
        const std::uint32_t n = U32(b, at + 4);
        if (n < 8) break;
        at += n;
    }
    return out;
}
std::vector<FileRecord> WmfRecords(const std::vector<Byte>& b)
{
    std::vector<FileRecord> out;
    for (std::size_t at = 22 + 18; at + 6 <= b.size();) {
        out.push_back({at, static_cast<std::uint32_t>(b[at + 4] | (b[at + 5] << 8))});
        const std::uint32_t words = U32(b, at);
        if (words < 3) break;
        at += words * 2;
    }
    return out;
}
const FileRecord* Find(const std::vector<FileRecord>& records, std::uint32_t type)
{
    for (const FileRecord& r : records)
        if (r.type == type) return &r;
    return nullptr;
}

enum : std::uint32_t {
    EMR_HEADER = 1,
    EMR_EOF = 14,
    EMR_POLYGON16 = 86,
    EMR_SELECTCLIPPATH = 67,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_ALPHABLEND = 114,
    EMR_POLYBEZIERTO = 5,
};

// A 10 x 10 picture: a diagonal line.
void Diagonal(TCanvas& c)
{
    c.Pen()->SetColor(clBlack);
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
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
        EXPECT_NEAR(TextInk(played), TextInk(direct), TextInk(direct) / 4);
    }
}

TEST_F(MetafileTest, ANewMetafileIsEmptyAndSavesAnEmptyPicture)
{
    TMetafile mf;
    EXPECT_TRUE(mf.Empty());
    EXPECT_EQ(mf.Width(), 0);
    EXPECT_TRUE(mf.Enhanced());
    EXPECT_EQ(Render([&](TCanvas& c) { c.StretchDraw({0, 0, W, H}, &mf); }), Render([](TCanvas&) {}));
    for (bool enhanced : {true, false}) {
        SCOPED_TRACE(enhanced ? "EMF" : "WMF");
        mf.SetEnhanced(enhanced);
        TMetafile loaded;
        Load(loaded, Save(mf));
        EXPECT_EQ(loaded.Width(), 0);
        EXPECT_EQ(loaded.Height(), 0);
    }
    // A canvas that draws nothing leaves a picture that shows nothing.
    auto blank = Record([](TCanvas&) {});
    EXPECT_FALSE(blank->Empty());
    EXPECT_EQ(blank->Width(), W);
    EXPECT_EQ(Play(*blank), Render([](TCanvas&) {}));
}

TEST_F(MetafileTest, AMetafileWithoutSizeTakesTheExtentOfTheDrawing)
{
    TMetafile mf;
    {
        TMetafileCanvas c(&mf, nullptr);
        c.Brush()->SetColor(clRed);
        c.Rectangle(0, 0, 30, 20);
    }
    EXPECT_NEAR(mf.Width(), 30, 1);
    EXPECT_NEAR(mf.Height(), 20, 1);
}

TEST_F(MetafileTest, SizesInPixelsAndHundredthsOfAMillimetreFollowEachOther)
{
    TMetafile mf;
    mf.SetWidth(96);
    EXPECT_EQ(mf.MMWidth(), 2540);
    mf.SetMMHeight(1270);
    EXPECT_EQ(mf.Height(), 48);
    mf.SetMMWidth(100);  // 3.78 pixels
    EXPECT_EQ(mf.Width(), 4);
}

TEST_F(MetafileTest, FilesCarryTheFrameAt96Dpi)
{
    auto mf = Record(Diagonal, 96, 48);
    const auto emf = Save(*mf);
    // The frame in 0.01 mm (inclusive), the reference device of 96 dpi.
    EXPECT_EQ(U32(emf, 24), 0u);
    EXPECT_EQ(U32(emf, 32), 2539u);
    EXPECT_EQ(U32(emf, 36), 1269u);
    EXPECT_EQ(U32(emf, 72) * 2540, U32(emf, 80) * 96 * 100);  // device pixels to millimetres
    EXPECT_EQ(U32(emf, 48), emf.size());                      // nBytes
    EXPECT_EQ(U32(emf, 52), EmfRecords(emf).size());          // nRecords

    mf->SetEnhanced(false);
    const auto wmf = Save(*mf);
    EXPECT_EQ(U32(wmf, 0), 0x9AC6CDD7u);
    auto word = [&](std::size_t at) { return wmf[at] | (wmf[at + 2 - 1] << 8); };
    EXPECT_EQ(word(10), 96);  // box right
    EXPECT_EQ(word(12), 48);  // box bottom
    EXPECT_EQ(word(14), 96);  // units per inch
    int sum = 0;
    for (std::size_t i = 0; i < 20; i += 2) sum ^= word(i);
    EXPECT_EQ(word(20), sum);
    EXPECT_EQ(U32(wmf, 22 + 6) * 2, wmf.size() - 22);  // the file's size in words
}

// What outside readers need to find in an EMF: the drawing's own records.
TEST_F(MetafileTest, EmfRecordsWhatOutsideReadersDraw)
{
    struct Case {
        const char* what;
        std::function<void(TCanvas&)> draw;
        std::uint32_t record;
    };
    TBitmap picture(4, 4, pf24bit);
    const Case cases[] = {
        {"text and its font", [](TCanvas& c) { c.TextOut(5, 5, "Tilt"); }, EMR_EXTTEXTOUTW},
        {"an opaque image", [&](TCanvas& c) { c.Draw(5, 5, &picture); }, EMR_STRETCHDIBITS},
        {"a translucent fill",
         [](TCanvas& c) {
             DCPainterScope p(*c.Handle());
             p->fillRect(QRect(5, 5, 20, 20), QColor(255, 0, 0, 128));
         },
         EMR_ALPHABLEND},
        {"a curve",
         [](TCanvas& c) {
             DCPainterScope p(*c.Handle());
             p->setBrush(Qt::NoBrush);
             QPainterPath path(QPointF(5, 5));
             path.cubicTo(20, 0, 30, 40, 50, 20);
             p->drawPath(path);
         },
         EMR_POLYBEZIERTO},
        {"a rectangular clip",
         [](TCanvas& c) {
             c.Handle()->IntersectClipRect(5, 5, 20, 20);
             c.Rectangle(0, 0, 30, 30);
         },
         EMR_INTERSECTCLIPRECT},
        {"a clip with a hole",
         [](TCanvas& c) {
             c.Handle()->ExcludeClipRect(5, 5, 20, 20);
             c.Rectangle(0, 0, 30, 30);
         },
         EMR_EXCLUDECLIPRECT},
        {"an elliptic clip",
         [](TCanvas& c) {
             DCPainterScope p(*c.Handle());
             QPainterPath round;
             round.addEllipse(0, 0, 30, 30);
             p->setClipPath(round);
             p->fillRect(QRect(0, 0, 30, 30), Qt::red);
         },
         EMR_SELECTCLIPPATH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto mf = Record(c.draw);
        const auto records = EmfRecords(Save(*mf));
        EXPECT_NE(Find(records, c.record), nullptr);
    }
}

TEST_F(MetafileTest, TextKeepsItsFontAndAngle)
{
    auto mf = Record([](TCanvas& c) {
        TLogFont font;
        font.FaceName = "Liberation Sans";
        font.Height = -14;
        font.Escapement = 900;
        font.Weight = FW_BOLD;
        c.Handle()->SelectFont(font);
        c.Handle()->TextOut(50, 100, "Up");
    });
    const auto emf = Save(*mf);
    const auto records = EmfRecords(emf);
    const FileRecord* font = Find(records, EMR_EXTCREATEFONTINDIRECTW);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(static_cast<std::int32_t>(U32(emf, font->at + 12)), -14);  // lfHeight
    EXPECT_EQ(U32(emf, font->at + 20), 900u);                            // lfEscapement
    EXPECT_EQ(U32(emf, font->at + 28), 700u);                            // lfWeight
    std::u16string face;
    for (std::size_t i = font->at + 40; emf[i] || emf[i + 1]; i += 2) face.push_back(emf[i] | (emf[i + 1] << 8));
    EXPECT_EQ(face, u"Liberation Sans");
    const FileRecord* text = Find(records, EMR_EXTTEXTOUTW);
    ASSERT_NE(text, nullptr);
    const std::uint32_t chars = U32(emf, text->at + 44), offset = U32(emf, text->at + 48);
    EXPECT_EQ(chars, 2u);
    EXPECT_EQ(emf[text->at + offset], 'U');
    EXPECT_EQ(emf[text->at + offset + 2], 'p');
    // And it reads back standing up, where it was drawn.
    TMetafile loaded;
    Load(loaded, emf);
    EXPECT_LE(Differing(Play(*mf), Play(loaded)), 10);
}

// The device context paints translucent colours; the files keep them as far as they can.
TEST_F(MetafileTest, TranslucentFillsBlendInEmfAndTurnOpaqueInWmf)
{
    auto mf = Record([](TCanvas& c) {
        c.Handle()->FillRect({0, 0, W, H}, clBlue);
        DCPainterScope p(*c.Handle());
        p->fillRect(QRect(10, 10, 40, 40), QColor(255, 0, 0, 128));
        QLinearGradient g(60, 0, 100, 0);
        g.setColorAt(0, Qt::black);
        g.setColorAt(1, Qt::white);
        p->fillRect(QRect(60, 10, 40, 40), g);
    });
    struct Case {
        const char* file;
        bool save, enhanced;
        QRgb blended, gradientLeft, gradientRight;
    };
    const Case cases[] = {
        {"memory", false, true, qRgb(128, 0, 127), qRgb(0, 0, 0), qRgb(255, 255, 255)},
        {"EMF", true, true, qRgb(128, 0, 127), qRgb(0, 0, 0), qRgb(255, 255, 255)},
        {"WMF", true, false, qRgb(255, 0, 0), qRgb(128, 128, 128), qRgb(128, 128, 128)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TMetafile shown;
        if (c.save) {
            mf->SetEnhanced(c.enhanced);
            Load(shown, Save(*mf));
        } else {
            shown.Assign(mf.get());
        }
        const QImage img = Play(shown);
        auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
                   std::abs(qBlue(a) - qBlue(b)) < 24;
        };
        EXPECT_TRUE(near(img.pixel(30, 30), c.blended)) << std::hex << img.pixel(30, 30);
        EXPECT_TRUE(near(img.pixel(61, 30), c.gradientLeft)) << std::hex << img.pixel(61, 30);
        EXPECT_TRUE(near(img.pixel(98, 30), c.gradientRight)) << std::hex << img.pixel(98, 30);
        EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 255));
    }
}

TEST_F(MetafileTest, DamagedFilesRaiseAndKeepThePicture)
{
    auto source = Record(Scene);
    const auto emf = Save(*source);
    source->SetEnhanced(false);
    const auto wmf = Save(*source);
    const auto emfRecords = EmfRecords(emf);
    const auto wmfRecords = WmfRecords(wmf);
    const FileRecord* polygon = Find(emfRecords, EMR_POLYGON16);
    const FileRecord* wmfPolygon = Find(wmfRecords, 0x0324);
    ASSERT_TRUE(polygon && wmfPolygon);
    auto with = [](std::vector<Byte> b, const std::function<void(std::vector<Byte>&)>& change) {
        change(b);
        return b;
    };
    struct Case {
        const char* what;
        std::vector<Byte> bytes;
    };
    const Case cases[] = {
        {"no bytes", {}},
        {"not a metafile", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0, 0}},
        {"EMF header cut short", std::vector<Byte>(emf.begin(), emf.begin() + 60)},
        {"EMF cut in half", std::vector<Byte>(emf.begin(), emf.begin() + static_cast<long>(emf.size() / 2))},
        {"EMF without its end record", with(emf,
                                            [](auto& b) {
                                                b.resize(b.size() - 20);
                                                Put32(b, 48, static_cast<std::uint32_t>(b.size()));
                                            })},
        {"EMF record of size 0", with(emf, [&](auto& b) { Put32(b, polygon->at + 4, 0); })},
        {"EMF record beyond the file", with(emf, [&](auto& b) { Put32(b, polygon->at + 4, 0x7FFFFFF0); })},
        {"EMF polygon with more points than its record",
         with(emf, [&](auto& b) { Put32(b, polygon->at + 24, 0x7FFFFFFF); })},
        {"WMF cut in half", std::vector<Byte>(wmf.begin(), wmf.begin() + static_cast<long>(wmf.size() / 2))},
        {"WMF record of size 0", with(wmf, [&](auto& b) { Put32(b, wmfPolygon->at, 0); })},
        {"WMF polygon with more points than its record", with(wmf,
                                                              [&](auto& b) {
                                                                  b[wmfPolygon->at + 6] = 0xFF;
                                                                  b[wmfPolygon->at + 7] = 0x7F;
                                                              })},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto mf = Record(Diagonal, 10, 10);
        mf->SetEnhanced(false);
        const TMetafileImage* before = mf->Image();
        const QImage shown = Play(*mf, 10, 10);
        EXPECT_THROW(Load(*mf, c.bytes), EInvalidGraphic);
        EXPECT_EQ(mf->Image(), before);
        EXPECT_EQ(mf->Width(), 10);
        EXPECT_FALSE(mf->Enhanced());
        EXPECT_EQ(Play(*mf, 10, 10), shown);
    }
}

TEST_F(MetafileTest, RecordsTheReaderDoesNotKnowAreSkipped)
{
    auto mf = Record(Scene);
    const QImage expected = Play(*mf);
    // EMF: a record of an unknown type and a comment before the end record.
    std::vector<Byte> emf = Save(*mf);
    const std::vector<Byte> extra = {200, 0, 0,  0, 12, 0, 0, 0, 1, 2, 3,   4,   70,  0,
                                     0,   0, 16, 0, 0,  0, 4, 0, 0, 0, 'n', 'o', 't', 'e'};
    emf.insert(emf.end() - 20, extra.begin(), extra.end());
    Put32(emf, 48, static_cast<std::uint32_t>(emf.size()));
    Put32(emf, 52, U32(emf, 52) + 2);
    // WMF: a record of an unknown function before the end record.
    mf->SetEnhanced(false);
    std::vector<Byte> wmf = Save(*mf);
    const std::vector<Byte> unknown = {4, 0, 0, 0, 0x99, 0x09, 7, 7};
    wmf.insert(wmf.end() - 6, unknown.begin(), unknown.end());
    Put32(wmf, 22 + 6, U32(wmf, 22 + 6) + 4);
    for (const auto& bytes : {emf, wmf}) {
        TMetafile loaded;
        ASSERT_NO_THROW(Load(loaded, bytes));
        EXPECT_LE(Differing(expected, Play(loaded)), W * H / 100);
    }
}

TEST_F(MetafileTest, PlayingFitsThePictureIntoTheRectangle)
{
    // A 10 x 10 picture with a square bigger than its frame, played into (5, 5, 25, 25).
    auto mf = Record(
        [](TCanvas& c) {
            c.Brush()->SetColor(clRed);
            c.Pen()->SetStyle(psClear);
            c.Rectangle(0, 0, 30, 30);
        },
        10, 10);
    const QImage img = Render([&](TCanvas& c) { c.StretchDraw({5, 5, 25, 25}, mf.get()); }, 40, 40);
    EXPECT_EQ(img.pixel(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(24, 24), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(26, 26), qRgb(255, 255, 255)) << "the frame bounds the picture";
    EXPECT_EQ(img.pixel(4, 4), qRgb(255, 255, 255));
}

TEST_F(MetafileTest, PicturesLoadMetafilesByExtensionAndContent)
{
    EXPECT_EQ(TPicture::GraphicClassForExtension("emf"), &TMetafile::StaticClass());
    EXPECT_EQ(TPicture::GraphicClassForExtension(".WMF"), &TMetafile::StaticClass());
    QTemporaryDir dir;
    auto mf = Record(Scene);
    for (bool enhanced : {true, false}) {
        SCOPED_TRACE(enhanced ? "EMF" : "WMF");
        mf->SetEnhanced(enhanced);
        const String file = dir.filePath(enhanced ? "a.emf" : "a.wmf").toStdString();
        mf->SaveToFile(file);
        TPicture byName, byContent;
        byName.LoadFromFile(file);
        TFileStream s(file, fmOpenRead);
        byContent.LoadFromStream(s);
        for (TPicture* p : {&byName, &byContent}) {
            auto* loaded = dynamic_cast<TMetafile*>(p->Graphic());
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(loaded->Enhanced(), enhanced);
            EXPECT_EQ(p->Width(), W);
        }
    }
}

TEST_F(MetafileTest, AssignCopiesPicturesAndRecordsOtherGraphics)
{
    auto mf = Record(Scene);
    TMetafile copy;
    copy.Assign(mf.get());
    EXPECT_EQ(copy.Image(), mf->Image());
    EXPECT_EQ(copy.Width(), W);

    TBitmap picture(6, 4, pf24bit);
    picture.Canvas()->Handle()->FillRect({0, 0, 6, 4}, clGreen);
    TMetafile fromBitmap;
    fromBitmap.Assign(&picture);
    EXPECT_EQ(fromBitmap.Width(), 6);
    EXPECT_EQ(fromBitmap.Height(), 4);
    EXPECT_EQ(Play(fromBitmap, 6, 4).pixel(3, 2), qRgb(0, 128, 0));

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST_F(MetafileTest, TheDeviceReportsTheMetafileTechnology)
{
    TMetafile mf;
    mf.SetWidth(10);
    mf.SetHeight(10);
    TMetafileCanvas canvas(&mf, nullptr);
    EXPECT_EQ(canvas.Handle()->GetDeviceCaps(TECHNOLOGY), DT_METAFILE);
    TBitmap bmp(2, 2);
    EXPECT_EQ(bmp.Canvas()->Handle()->GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
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

TEST_P(MetafileOutsideReaderTest, DrawsTheSavedScene)
{
    const OutsideReader& reader = GetParam();
    if (QStandardPaths::findExecutable(reader.name).isEmpty()) GTEST_SKIP() << reader.name << " is not installed";
    if (!QImageReader::supportedImageFormats().contains("svg")) GTEST_SKIP() << "Qt's SVG image plugin is missing";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    testsupport::LinkWmfFonts(dir.path().toStdString());
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
