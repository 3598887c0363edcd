// The layer-private bridge the window layer uses: a device context over a painter it owns.
#include <QFontInfo>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Images.h"

namespace {

TEST(PainterDevice, DrawsAtThePaintersOriginAndReadsBack)
{
    EnsureGuiApplication();
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(10, 5);  // a child control inside its window's surface
    {
        auto dc = CreatePainterDC(p, QSize(20, 20));
        EXPECT_EQ(dc->Width(), 20);
        dc->FillRect({0, 0, 2, 2}, clRed);
        EXPECT_EQ(dc->GetPixel(0, 0), ColorToRGB(clRed));
        EXPECT_EQ(dc->GetPixel(2, 2), 0xFFFFFFu);
        dc->SetViewportOrg({3, 3});
        dc->SetPixel(0, 0, clBlue);
        EXPECT_EQ(dc->GetPixel(-3, -3), ColorToRGB(clRed));
        TRect box;
        dc->GetClipBox(box);
        EXPECT_EQ(box, (TRect{-3, -3, 17, 17}));
        dc->SetROP2(R2_XORPEN);
        IntersectClipRect(dc.get(), -3, -3, 0, 0);

        // Blocks copied out of the painter's surface.
        TBitmap copy(4, 4, pf24bit);
        copy.Canvas()->Handle()->BitBlt(0, 0, 4, 4, *dc, -3, -3, SRCCOPY);
        EXPECT_EQ(copy.Canvas()->Handle()->GetPixel(0, 0), ColorToRGB(clRed));
        EXPECT_EQ(copy.Canvas()->Handle()->GetPixel(3, 3), ColorToRGB(clBlue));
    }
    // The painter is handed back as it was given.
    EXPECT_EQ(p.worldTransform(), QTransform::fromTranslate(10, 5));
    EXPECT_FALSE(p.hasClipping());
    EXPECT_EQ(p.compositionMode(), QPainter::CompositionMode_SourceOver);
    p.end();
    EXPECT_EQ(img.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(13, 8), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(9, 5), qRgb(255, 255, 255));
}

TEST(PainterDevice, FontsAndColoursAsQtSeesThem)
{
    EnsureGuiApplication();
    TLogFont lf;
    QFont f = ToQFont(lf);
    EXPECT_EQ(f.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(f).family(), "Liberation Sans");
    lf.FaceName = "Elektra";
    lf.Height = -20;
    lf.Weight = FW_BOLD;
    lf.Italic = true;
    f = ToQFont(lf);
    EXPECT_EQ(QFontInfo(f).family(), "DSEG7 Classic");
    EXPECT_EQ(f.pixelSize(), 20);
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    // A positive height is the cell: ascent + descent come out at (about) that height.
    lf.FaceName = "Arial";
    lf.Height = 30;
    lf.Weight = FW_NORMAL;
    f = ToQFont(lf);
    EXPECT_NEAR(QFontMetrics(f).height(), 30, 2);

    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clBtnFace).rgb() & 0xFFFFFF,
              qRgb(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                   GetBValue(GetSysColor(COLOR_BTNFACE))) &
                  0xFFFFFF);
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), static_cast<TColor>(RGB(1, 2, 3)));
}

TEST(PainterDevice, BitmapImagesBothWays)
{
    TBitmap b(3, 2, pf24bit);
    b.Canvas()->Handle()->SetPixel(1, 1, clLime);
    const QImage& q = BitmapImage(b);
    EXPECT_EQ(q.size(), QSize(3, 2));
    EXPECT_EQ(q.pixel(1, 1), qRgb(0, 255, 0));
    QImage other(5, 4, QImage::Format_ARGB32);
    other.fill(qRgba(0, 0, 255, 255));
    SetBitmapImage(b, other);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.PixelFormat(), pf32bit);
    EXPECT_EQ(b.Canvas()->Handle()->GetPixel(4, 3), ColorToRGB(clBlue));
}

TEST(PainterDevice, PatternBrushTilesTheBitmapFromTheBrushOrigin)
{
    TBitmap pattern(2, 2, pf24bit);
    HDC p = pattern.Canvas()->Handle();
    p->FillRect({0, 0, 2, 2}, clWhite);
    p->SetPixel(0, 0, clBlack);
    p->SetPixel(1, 1, clBlack);
    Surface s(8, 8);
    TCanvas* c = s.bmp->Canvas();
    c->Brush()->SetBitmap(&pattern);
    c->FillRect({0, 0, 8, 8});
    c->Brush()->SetBitmap(nullptr);
    s.dc = c->Handle();
    EXPECT_EQ(s.Count(clBlack), 32);
    EXPECT_TRUE(s.Is(0, 0, clBlack));
    EXPECT_TRUE(s.Is(1, 0, clWhite));
    EXPECT_TRUE(s.Is(7, 7, clBlack));
}

// Collects the warnings Qt prints while it lives.
class QtWarnings {
public:
    QtWarnings() { previous_ = qInstallMessageHandler(&collect); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    static std::vector<std::string>& Seen()
    {
        static std::vector<std::string> seen;
        return seen;
    }

private:
    static void collect(QtMsgType type, const QMessageLogContext&, const QString& msg)
    {
        if (type != QtDebugMsg && type != QtInfoMsg) Seen().push_back(msg.toStdString());
    }
    QtMessageHandler previous_;
};

TEST(PainterDevice, BitmapsDrawnOnEndTheirPainterQuietly)
{
    EnsureGuiApplication();
    struct Case {
        const char* name;
        std::function<void(TBitmap&)> use;
    };
    const std::vector<Case> cases = {
        {"drawn",
         [](TBitmap& b) {
             b.Canvas()->FillRect({0, 0, 4, 4});
         }},
        {"drawn then resized",
         [](TBitmap& b) {
             b.Canvas()->FillRect({0, 0, 4, 4});
             b.SetSize(6, 6);
         }},
        {"resized and drawn again",
         [](TBitmap& b) {
             b.Canvas()->FillRect({0, 0, 4, 4});
             b.SetSize(6, 6);
             b.Canvas()->Handle()->SetPixel(5, 5, clRed);
         }},
        {"format changed",
         [](TBitmap& b) {
             b.Canvas()->FillRect({0, 0, 4, 4});
             b.SetPixelFormat(pf8bit);
         }},
        {"assigned from another",
         [](TBitmap& b) {
             b.Canvas()->FillRect({0, 0, 4, 4});
             TBitmap other(3, 3, pf24bit);
             other.Canvas()->FillRect({0, 0, 3, 3});
             b.Assign(&other);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtWarnings::Seen().clear();
        {
            QtWarnings w;
            auto b = std::make_unique<TBitmap>(4, 4, pf24bit);
            c.use(*b);
            b.reset();
        }
        EXPECT_EQ(QtWarnings::Seen(), std::vector<std::string>{});
    }
}

// A 4 x 4 opaque red bitmap that carries its own alpha.
std::unique_ptr<TBitmap> AlphaSquare()
{
    auto b = std::make_unique<TBitmap>(4, 4, pf32bit);
    b->SetAlphaFormat(afPremultiplied);
    for (int y = 0; y < 4; ++y) {
        Byte* row = b->ScanLine(y);
        for (int x = 0; x < 4; ++x) {
            const Byte red[4] = {0x00, 0x00, 0xFF, 0xFF};  // blue, green, red, alpha
            std::memcpy(row + 4 * x, red, 4);
        }
    }
    return b;
}

// A resize ends the painter of the target's context; drawing that goes to the painter directly
// must wake it like the context's own calls do.
TEST(PainterDevice, AnAlphaBitmapDrawnAfterAResize)
{
    EnsureGuiApplication();
    auto square = AlphaSquare();
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    ASSERT_EQ(list.Add(square.get(), nullptr), 0);
    TPngImage png;  // read back from a file: per-pixel alpha as loaded pictures have it
    {
        TPngImage written;
        written.Assign(square.get());
        TMemoryStream file;
        written.SaveToStream(file);
        file.SetPosition(0);
        png.LoadFromStream(file);
    }
    ASSERT_EQ(png.Bitmap()->AlphaFormat(), afPremultiplied);
    struct Case {
        const char* name;
        std::function<void(TCanvas*)> draw;
    };
    const std::vector<Case> cases = {
        {"bitmap", [&](TCanvas* c) { c->Draw(2, 2, square.get()); }},
        {"image list", [&](TCanvas* c) { list.Draw(c, 2, 2, 0); }},
        {"PNG picture", [&](TCanvas* c) { c->Draw(2, 2, &png); }},
    };
    for (const Case& c : cases)
        for (bool resized : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (resized ? ", resized" : ""));
            QtWarnings::Seen().clear();
            {
                QtWarnings w;
                TBitmap target(10, 10, pf32bit);
                target.Canvas()->FillRect({0, 0, 10, 10});  // the default brush: white
                if (resized) target.SetSize(20, 20);
                c.draw(target.Canvas());
                HDC dc = target.Canvas()->Handle();
                for (auto [x, y] : {std::pair{2, 2}, {3, 3}, {5, 5}})
                    EXPECT_EQ(dc->GetPixel(x, y), ColorToRGB(clRed)) << x << "," << y;
                for (auto [x, y] : {std::pair{1, 1}, {6, 6}, {9, 9}})
                    EXPECT_EQ(dc->GetPixel(x, y), 0xFFFFFFu) << x << "," << y;
            }
            EXPECT_EQ(QtWarnings::Seen(), std::vector<std::string>{});
        }
}

TEST(PainterDevice, PainterScopeWorksInTheContextsOriginAndClipAndHandsThePainterBack)
{
    EnsureGuiApplication();
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.translate(10, 5);
    auto dc = CreatePainterDC(p, QSize(20, 20));
    dc->SetViewportOrg({2, 2});
    IntersectClipRect(dc.get(), 0, 0, 3, 3);
    p.setPen(QPen(Qt::green));
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    {
        DCPainterScope s(*dc);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->compositionMode(), QPainter::CompositionMode_SourceOver);
        s->setPen(Qt::NoPen);
        s->fillRect(QRect(-1, -1, 6, 6), Qt::red);
    }
    EXPECT_EQ(p.pen().color(), QColor(Qt::green));
    EXPECT_EQ(p.compositionMode(), QPainter::RasterOp_SourceXorDestination);
    dc.reset();
    p.end();
    EXPECT_EQ(img.pixel(12, 7), qRgb(255, 0, 0));      // logical (0, 0)
    EXPECT_EQ(img.pixel(14, 9), qRgb(255, 0, 0));      // logical (2, 2)
    EXPECT_EQ(img.pixel(11, 6), qRgb(255, 255, 255));  // outside the clip
    EXPECT_EQ(img.pixel(15, 10), qRgb(255, 255, 255));
}

TEST(PainterDevice, PainterScopeOnBitmapsWhosePixelsChange)
{
    EnsureGuiApplication();
    struct Case {
        const char* name;
        TPixelFormat format;
        std::function<void(TBitmap&)> change;  // runs while a scope is held
    };
    const std::vector<Case> cases = {
        {"resized", pf32bit, [](TBitmap& b) { b.SetSize(6, 6); }},
        {"format changed", pf24bit, [](TBitmap& b) { b.SetPixelFormat(pf32bit); }},
        {"palette pixels written", pf8bit, [](TBitmap& b) { b.ScanLine(0)[0] = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QtWarnings::Seen().clear();
        {
            QtWarnings w;
            TBitmap b(4, 4, c.format);
            HDC dc = b.Canvas()->Handle();
            {
                DCPainterScope held(*dc);
                ASSERT_TRUE(held);
                c.change(b);
            }
            {
                DCPainterScope again(*dc);
                ASSERT_TRUE(again);
                again->fillRect(QRect(3, 3, 1, 1), Qt::red);
            }
            EXPECT_EQ(dc->GetPixel(3, 3), ColorToRGB(clRed));
            EXPECT_EQ(dc->GetPixel(2, 2), 0xFFFFFFu);
        }
        EXPECT_EQ(QtWarnings::Seen(), std::vector<std::string>{});
    }
    TBitmap empty;
    EXPECT_FALSE(DCPainterScope(*empty.Canvas()->Handle()));
}

}  // namespace
