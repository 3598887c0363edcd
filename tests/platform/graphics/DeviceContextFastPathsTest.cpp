// The device context's shortcuts past the painter (line runs written into a bitmap's rows, texts
// drawn from glyphs shaped once) against the painter's own drawing of the same calls.
#include <QFontMetrics>

#include <cstdint>
#include <functional>
#include <string>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"

namespace {

struct Scene {
    const char* name;
    TPoint winOrg, vpOrg;
    TSize winExt{1, 1}, vpExt{1, 1};  // MM_ANISOTROPIC when not 1 x 1
    TRect clip1, clip2;               // device units; the clip is their union when not empty
};

const Scene scenes[] = {
    {"plain", {}, {}, {1, 1}, {1, 1}, {}, {}},
    {"origins", {5, -3}, {-7, 11}, {1, 1}, {1, 1}, {}, {}},
    {"clip of one rectangle", {}, {2, 1}, {1, 1}, {1, 1}, {8, 6, 95, 66}, {8, 6, 95, 66}},
    {"clip of two rectangles", {}, {3, 2}, {1, 1}, {1, 1}, {10, 4, 60, 30}, {40, 25, 110, 70}},
    {"scaled mapping", {}, {}, {2, 3}, {3, 2}, {0, 0, 90, 60}, {0, 0, 90, 60}},
};

void Apply(HDC dc, const Scene& s)
{
    if (!(s.winExt == s.vpExt)) {
        dc->SetMapMode(MM_ANISOTROPIC);
        dc->SetWindowExt(s.winExt);
        dc->SetViewportExt(s.vpExt);
    }
    dc->SetWindowOrg(s.winOrg);
    dc->SetViewportOrg(s.vpOrg);
    if (s.clip1.IsEmpty()) return;
    TRegion clip;
    clip.Combine(TRegion::FromRect(s.clip1), TRegion::FromRect(s.clip2), RGN_OR);
    dc->SelectClipRgn(&clip);
}

QRegion ClipOf(const Scene& s)
{
    if (s.clip1.IsEmpty()) return QRegion(0, 0, 1 << 20, 1 << 20);
    return QRegion(s.clip1.Left, s.clip1.Top, s.clip1.Width(), s.clip1.Height()) +
           QRegion(s.clip2.Left, s.clip2.Top, s.clip2.Width(), s.clip2.Height());
}

QTransform MappingOf(const Scene& s)
{
    return QTransform::fromTranslate(-s.winOrg.X, -s.winOrg.Y) *
           QTransform::fromScale(double(s.vpExt.cx) / s.winExt.cx, double(s.vpExt.cy) / s.winExt.cy) *
           QTransform::fromTranslate(s.vpOrg.X, s.vpOrg.Y);
}

// Pixels of a bitmap that differ from the image (colour only).
int Differences(const TBitmap& bmp, const QImage& image)
{
    const QImage& drawn = BitmapImage(bmp);
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += (drawn.pixel(x, y) & 0xFFFFFF) != (image.pixel(x, y) & 0xFFFFFF);
    return n;
}

TEST(DeviceContextFastPaths, OnePixelLinesWrittenIntoRowsMatchThePainter)
{
    EnsureGuiApplication();
    auto draw = [](HDC dc) {
        dc->SelectPen(SolidPen(clNavy));
        // Ticks and grid lines both ways, lines that leave the surface, a slanted one.
        for (int i = 0; i < 12; ++i) {
            dc->MoveTo(-5 + 10 * i, 2);
            dc->LineTo(-5 + 10 * i, 77);
            dc->MoveTo(118, 3 + 7 * i);
            dc->LineTo(-4, 3 + 7 * i);
        }
        dc->MoveTo(3, 70);
        dc->LineTo(100, 9);
        dc->SelectPen(SolidPen(clRed));
        const TPoint zigzag[] = {{20, 20}, {50, 20}, {50, 50}, {20, 60}, {20, 21}};
        dc->Polyline(zigzag, 5);
        dc->SelectBrush(NullBrush());
        dc->Rectangle(60, 40, 90, 70);
        // Filled rectangles: a wall with a thin frame, a wide frame, no frame, a mix.
        dc->SelectBrush(SolidBrush(clYellow));
        dc->Rectangle(70, 5, 110, 30);
        dc->SelectPen(SolidPen(clGreen, 3));
        dc->Rectangle(8, 48, 40, 75);
        dc->SelectPen(TLogPen{PS_NULL, 1, clBlack, {}});
        dc->Rectangle(45, 60, 58, 78);
        dc->SelectPen(SolidPen(clMaroon, 2));
        dc->SetROP2(R2_XORPEN);
        dc->Rectangle(30, 10, 66, 36);
        dc->SetROP2(R2_COPYPEN);
    };
    for (const TPixelFormat format : {pf32bit, pf24bit})
        for (const Scene& setup : scenes) {
            SCOPED_TRACE(std::string(setup.name) + (format == pf24bit ? ", 24-bit" : ", 32-bit"));
            Surface rows(120, 80, format);
            Apply(rows.dc, setup);
            draw(rows.dc);
            // A context over someone else's painter always draws through it.
            QImage general(120, 80, format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32);
            general.fill(Qt::white);
            {
                QPainter p(&general);
                auto dc = CreatePainterDC(p, general.size());
                Apply(dc.get(), setup);
                draw(dc.get());
            }
            EXPECT_GT(rows.Count(clNavy), 100);
            EXPECT_EQ(Differences(*rows.bmp, general), 0);
        }
}

TEST(DeviceContextFastPaths, TextsFromKeptGlyphsMatchThePaintersText)
{
    EnsureGuiApplication();
    struct Label {
        int height, escapement, extra;
        const char* text;
        bool antialiased;
    };
    const Label labels[] = {
        {-11, 0, 0, "-90", true},    {-11, 0, 0, "245", true},   {-14, 0, 0, "Wij 1.5E3", true},
        {-11, 900, 0, "-90", true},  {-13, 450, 0, "Mid", true}, {-11, 0, 2, "-90", true},
        {-12, 0, 0, "12:30", false},
    };
    for (const Scene& setup : scenes) {
        SCOPED_TRACE(setup.name);
        // Every label twice on one surface: the second drawing comes from the kept glyphs, after
        // the other fonts (so a text must never come back in the glyphs of another font).
        Surface kept(120, 80);
        Apply(kept.dc, setup);
        kept.dc->SetBkMode(TRANSPARENT);
        kept.dc->SetTextColor(clBlack);
        QImage general(120, 80, QImage::Format_RGB32);
        general.fill(Qt::white);
        QPainter p(&general);
        p.setClipRegion(ClipOf(setup));
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < std::size(labels); ++i) {
                const Label& l = labels[i];
                const int x = 10 + 9 * pass + (l.escapement ? 60 : 0), y = 5 + 9 * static_cast<int>(i);
                TLogFont f;
                f.Height = l.height;
                f.Escapement = l.escapement;
                f.Quality = l.antialiased ? DEFAULT_QUALITY : NONANTIALIASED_QUALITY;
                kept.dc->SelectFont(f);
                kept.dc->SetTextCharacterExtra(l.extra);
                kept.dc->TextOut(x, y, l.text);
                QFont qf = ToQFont(f);
                if (l.extra) qf.setLetterSpacing(QFont::AbsoluteSpacing, l.extra);
                p.setTransform(MappingOf(setup));
                p.translate(x, y);
                p.rotate(-l.escapement / 10.0);
                p.setFont(qf);
                p.setPen(Qt::black);
                p.setRenderHint(QPainter::TextAntialiasing, l.antialiased);
                p.drawText(QPoint(0, QFontMetrics(qf).ascent()), QString::fromUtf8(l.text));
            }
        p.end();
        EXPECT_GT(kept.Count(clBlack), 20);
        EXPECT_EQ(Differences(*kept.bmp, general), 0);
    }
}

}  // namespace

// A solid wide pen with round caps covers exactly the pixels whose centres lie within half its
// width of the segment (odd widths centred on the pixel, even ones on its corner), whichever way
// the segment runs and wherever it lies: checked in whole numbers at twice the scale.
TEST(DeviceContextFastPaths, RoundCappedWideLinesCoverThePixelsWithinHalfThePenWidth)
{
    EnsureGuiApplication();
    struct Place {
        TPoint at;     // logical start of every segment
        TPoint vpOrg;  // puts it at device (25, 25)
    };
    const Place places[] = {{{25, 25}, {0, 0}}, {{1003, 2011}, {-978, -1986}}};
    const auto within = [](std::int64_t px, std::int64_t py, std::int64_t ax, std::int64_t ay, std::int64_t bx,
                           std::int64_t by, std::int64_t w) {
        const std::int64_t dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
        const std::int64_t dot = (px - ax) * dx + (py - ay) * dy;
        const auto d2 = [](std::int64_t x, std::int64_t y) { return x * x + y * y; };
        if (len2 == 0 || dot <= 0) return d2(px - ax, py - ay) <= w * w;
        if (dot >= len2) return d2(px - bx, py - by) <= w * w;
        const std::int64_t cross = (px - ax) * dy - (py - ay) * dx;
        return cross * cross <= w * w * len2;
    };
    Surface s(50, 50);
    int wrong = 0;
    for (const int w : {2, 3, 4})
        for (const Place& place : places)
            for (int dy = -9; dy <= 9; ++dy)
                for (int dx = -9; dx <= 9; ++dx) {
                    s.dc->SetViewportOrg({0, 0});
                    s.Clear(clWhite);
                    s.dc->SetViewportOrg(place.vpOrg);
                    s.dc->SelectPen(SolidPen(clBlack, w));
                    s.dc->MoveTo(place.at.X, place.at.Y);
                    s.dc->LineTo(place.at.X + dx, place.at.Y + dy);
                    const QImage& drawn = BitmapImage(*s.bmp);
                    const int off = w % 2;
                    const std::int64_t ax = 2 * 25 + off, ay = 2 * 25 + off;
                    for (int y = 0; y < 50; ++y)
                        for (int x = 0; x < 50; ++x) {
                            const bool want = within(2 * x + 1, 2 * y + 1, ax, ay, ax + 2 * dx, ay + 2 * dy, w);
                            const bool ink = (drawn.pixel(x, y) & 0xFFFFFF) == 0;
                            if (want != ink && ++wrong <= 5)
                                ADD_FAILURE() << "width " << w << ", start " << place.at.X << "," << place.at.Y
                                              << ", delta " << dx << "," << dy << ": pixel " << x << "," << y;
                        }
                }
    EXPECT_EQ(wrong, 0);
}

TEST(DeviceContextFastPaths, WideLinesUnderAClipKeepTheUnclippedPixelsWithinIt)
{
    EnsureGuiApplication();
    // Lines that leave the surface on every side, round and square capped.
    auto draw = [](HDC dc) {
        dc->SelectPen(SolidPen(clNavy, 3));
        dc->MoveTo(-10, 40);
        dc->LineTo(130, 52);
        dc->MoveTo(60, -9);
        dc->LineTo(47, 90);
        dc->SelectPen(TLogPen{PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE, 4, clRed, {}});
        dc->MoveTo(-3, 5);
        dc->LineTo(123, 77);
        dc->MoveTo(118, 2);
        dc->LineTo(4, 78);
    };
    const int margin = 20;
    for (const Scene& setup : scenes) {
        if (!(setup.winExt == setup.vpExt)) continue;
        SCOPED_TRACE(setup.name);
        // The same lines unclipped, on a surface they stay within.
        Surface reference(120 + 2 * margin, 80 + 2 * margin);
        reference.dc->SetWindowOrg(setup.winOrg);
        reference.dc->SetViewportOrg({setup.vpOrg.X + margin, setup.vpOrg.Y + margin});
        draw(reference.dc);
        const QImage& whole = BitmapImage(*reference.bmp);
        Surface s(120, 80);
        Apply(s.dc, setup);
        draw(s.dc);
        const QImage& drawn = BitmapImage(*s.bmp);
        const QRegion clip = ClipOf(setup);
        int wrong = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x) {
                const QRgb want = clip.contains(QPoint(x, y)) ? whole.pixel(x + margin, y + margin) : 0xFFFFFFu;
                wrong += (drawn.pixel(x, y) & 0xFFFFFF) != (want & 0xFFFFFF);
            }
        EXPECT_EQ(wrong, 0);
    }
}
