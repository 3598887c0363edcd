// The antialiased layer's shortcuts past the painter against the painter's own drawing: axis lines,
// bevels and frames written straight into a bitmap's rows (a graphics over someone else's painter always strokes
// through it), texts drawn from glyphs shaped once, round lines filled as their outlines.
#include <QFontMetricsF>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GPObjects_p.h"
#include "platform/graphics/GdiPlus.h"

namespace {

struct Scene {
    const char* name;
    TPoint vpOrg;
    TPoint world;  // the graphics' translation
    TRect dcClip1, dcClip2;
    TGPRect gClip;  // empty: none
    TGPPixelOffsetMode offset;
};

const Scene scenes[] = {
    {"plain", {}, {}, {}, {}, {}, PixelOffsetModeHighQuality},
    {"origin and translation", {3, -2}, {-7, 5}, {}, {}, {}, PixelOffsetModeHighQuality},
    {"clips of both", {1, 1}, {}, {4, 4, 60, 40}, {50, 30, 96, 76}, {10, 2, 70, 70}, PixelOffsetModeHighQuality},
    {"pixel centres half-way (painter)", {}, {}, {}, {}, {}, PixelOffsetModeNone},
};

// Every pixel a different shade, so that each blend shows.
void Background(HDC dc, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) dc->SetPixel(x, y, static_cast<TColor>(RGB((x * 13 + y) & 255, (255 - y + 5 * x) & 255, (7 * y + x) & 255)));
}

// The graphics of a scene on a device context.
std::unique_ptr<TGPGraphics> Graphics(HDC dc, const Scene& scene)
{
    dc->SetViewportOrg(scene.vpOrg);
    if (!scene.dcClip1.IsEmpty()) {
        TRegion clip;
        clip.Combine(TRegion::FromRect(scene.dcClip1), TRegion::FromRect(scene.dcClip2), RGN_OR);
        dc->SelectClipRgn(&clip);
    }
    auto g = std::make_unique<TGPGraphics>(dc);
    g->SetSmoothingMode(SmoothingModeHighQuality);
    g->SetPixelOffsetMode(scene.offset);
    g->TranslateWorldTransform(float(scene.world.X), float(scene.world.Y));
    if (scene.gClip.Width > 0) g->SetClipRectI(scene.gClip);
    return g;
}

void DrawAxisLines(TGPGraphics& g)
{
    struct Stroke {
        TGPColor color;
        float width;
        TGPLineCap cap;
    };
    const Stroke strokes[] = {
        {0xFFC0C0C0, 1, LineCapRound}, {0xFF102030, 1, LineCapFlat}, {0xFFFFFFFF, 1, LineCapSquare},
        {0xFF804000, 0.5f, LineCapFlat}, {0xFF0000FF, 3, LineCapRound}, {0x80FF0000, 1, LineCapFlat},  // translucent: painter
    };
    int at = 6;
    for (const Stroke& s : strokes) {
        TGPPen pen(s.color, s.width);
        pen.SetLineCap(s.cap, s.cap, DashCapFlat);
        g.DrawLine(pen, 4.0f, float(at), 90.0f, float(at));      // grid lines both ways
        g.DrawLine(pen, 92.0f, float(at + 3), 2.0f, float(at + 3));
        g.DrawLine(pen, float(at), 2.0f, float(at), 74.0f);
        g.DrawLine(pen, float(at + 3), 75.0f, float(at + 3), 3.0f);
        g.DrawLine(pen, float(at + 60), 30.0f, float(at + 60), 34.0f);  // a tick
        g.DrawLine(pen, 30.5f, float(at + 1), 60.5f, float(at + 1));  // between pixels: painter
        at += 12;
    }
}

// Bevels and frames: polylines and rectangles of thin pens along the axes, overlapping each other.
void DrawFrames(TGPGraphics& g)
{
    const TGPColor colors[] = {0xFFC0C0C0, 0xFF102030, 0xFFFFFFFF, 0xFF804000, 0x80FF0000};  // translucent: painter
    int at = 4;
    for (const TGPColor color : colors) {
        for (const float width : {1.0f, 0.5f, 2.0f}) {  // wider: painter
            TGPPen pen(color, width);
            const float x = float(at), y = float(at) / 2;
            const TPoint light[] = {{at, 70}, {at, at / 2}, {at + 50, at / 2}};
            const TPoint dark[] = {{at + 50, at / 2}, {at + 50, 70}, {at - 1, 70}};
            g.DrawLinesI(pen, light, 3);
            g.DrawLinesI(pen, dark, 3);
            const TGPPointF frame[] = {{x + 3, y + 3}, {x + 40, y + 3}, {x + 40, y + 20}, {x + 3, y + 20}, {x + 3, y + 3}};
            g.DrawLines(pen, frame, 5);
            g.DrawRectangleI(pen, at + 6, at / 2 + 25, 30, 12);
            g.DrawRectangleI(pen, at + 8, at / 2 + 27, 1, 1);
            const TGPPointF between[] = {{x + 5.5f, y + 45}, {x + 30.5f, y + 45}, {x + 30.5f, y + 60}};  // painter
            g.DrawLines(pen, between, 3);
            at += 3;
        }
    }
}

struct Apart {
    int pixels = 0, most = 0, changed = 0;
};

// The scene drawn on a bitmap's own rows (where the shortcuts apply) against the same on a
// painter's device (where they never do), on a background that shows every blend.
Apart DrawnBothWays(const Scene& scene, TPixelFormat format, void (*draw)(TGPGraphics&))
{
    Surface rows(100, 80, format);
    Background(rows.dc, 100, 80);
    QImage general(100, 80, format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32);
    {
        QPainter p(&general);
        auto dc = CreatePainterDC(p, general.size());
        Background(dc.get(), 100, 80);
        draw(*Graphics(dc.get(), scene));
    }
    const QImage before = BitmapImage(*rows.bmp).copy();
    draw(*Graphics(rows.dc, scene));
    const QImage& drawn = BitmapImage(*rows.bmp);
    Apart apart;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const QRgb a = drawn.pixel(x, y), b = general.pixel(x, y);
            const int most = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                       std::abs(qBlue(a) - qBlue(b))});
            apart.pixels += most > 0;
            apart.most = std::max(apart.most, most);
            apart.changed += a != before.pixel(x, y);
        }
    return apart;
}

// Every scene in both pixel formats: at least changed pixels drawn, at most pixels apart from the
// painter's drawing by at most most levels.
void ExpectEveryScene(void (*draw)(TGPGraphics&), int changed, int pixels, int most)
{
    tvgdiplus::SetLibraryMissing(false);
    StartGdiPlus();
    for (const TPixelFormat format : {pf32bit, pf24bit})
        for (const Scene& scene : scenes) {
            SCOPED_TRACE(std::string(scene.name) + (format == pf24bit ? ", 24-bit" : ", 32-bit"));
            const Apart apart = DrawnBothWays(scene, format, draw);
            EXPECT_GT(apart.changed, changed);
            EXPECT_LE(apart.pixels, pixels);
            EXPECT_LE(apart.most, most);
        }
}

TEST(GdiPlusFastPaths, AxisLinesWrittenIntoRowsMatchThePaintersStroke) { ExpectEveryScene(DrawAxisLines, 1000, 0, 0); }

// Where a frame's strokes overlap (a rectangle's corners), its stamp blends the pixel once with
// their joint coverage and the painter once per stroke: a level or two apart (two where all four
// sides of a one-pixel rectangle meet), at a few of the 30 rectangles' corners.
TEST(GdiPlusFastPaths, FramesWrittenIntoRowsMatchThePaintersStrokeButForTheBlendOfCorners)
{
    ExpectEveryScene(DrawFrames, 1500, 30, 2);
}

TEST(GdiPlusFastPaths, TextsFromKeptGlyphsMatchThePaintersText)
{
    tvgdiplus::SetLibraryMissing(false);
    StartGdiPlus();
    struct Label {
        float em;
        int style;
        const char* text;
        TGPColor color;
    };
    // "-90" comes back in three fonts: its glyphs must be those of the font asked for.
    const Label labels[] = {
        {11, FontStyleRegular, "-90", 0xFF000000}, {11, FontStyleBold, "-90", 0xFF202080},
        {14, FontStyleRegular, "-90", 0xFF000000}, {12, FontStyleItalic, "Wij 1.5E3", 0xFF804000},
        {12, FontStyleUnderline, "245", 0xFF000000},  // decorations: the painter's text
    };
    Surface kept(160, 90);
    QImage general(160, 90, QImage::Format_RGB32);
    general.fill(Qt::white);
    QPainter p(&general);
    p.setRenderHint(QPainter::Antialiasing, true);
    TGPGraphics g(kept.dc);
    g.SetSmoothingMode(SmoothingModeHighQuality);  // as the antialiased canvas draws
    g.SetPixelOffsetMode(PixelOffsetModeHighQuality);
    g.TranslateWorldTransform(3, 2);
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < std::size(labels); ++i) {
            const Label& l = labels[i];
            const float x = 4.5f + 70 * pass, y = 3 + 16 * float(i);
            const TGPFont font("Arial", l.em, l.style, UnitPixel);
            g.DrawString(l.text, font, MakeRect(x, y, 0, 0), nullptr, TGPSolidBrush(l.color));
            const QFont qf = font.impl()->Make(l.em, 96, true);
            p.setFont(qf);
            p.setPen(QPen(QBrush(tvgdiplus::ToQColor(l.color)), 1));
            p.drawText(QPointF(3 + x, 2 + y + QFontMetricsF(qf, &general).ascent()), QString::fromUtf8(l.text));
        }
    p.end();
    const QImage& drawn = BitmapImage(*kept.bmp);
    int differences = 0, ink = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 160; ++x) {
            differences += (drawn.pixel(x, y) & 0xFFFFFF) != (general.pixel(x, y) & 0xFFFFFF);
            ink += (drawn.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
        }
    EXPECT_GT(ink, 200);
    EXPECT_EQ(differences, 0);
}

// A round pen's line filled as its outline covers what the painter's stroke covers, but for a few
// pixels at sharp and right-angled joins, where the stroke's round join reaches a little further
// than half the pen width from the corner.
TEST(GdiPlusFastPaths, RoundLinesFilledAsOutlinesCoverTheStroke)
{
    tvgdiplus::SetLibraryMissing(false);
    StartGdiPlus();
    const std::vector<TGPPointF> lines[] = {
        {{5, 40}, {20, 10}, {35, 60}, {50, 12}, {65, 58}, {80, 20}},     // zigzag
        {{10, 20}, {80, 20}, {10, 21}, {80, 30}},                        // turning back on itself
        {{10, 60}, {30, 50}, {50, 40}, {50, 40}, {70, 30}, {90, 29.5f}},  // straight on, a repeated point
        {{40, 70}, {41, 10}, {42, 70}, {44, 12}, {45.5f, 68}},           // spikes
        {{20, 30}, {60, 30}, {60, 60}, {20, 60}, {20, 31}},              // right angles both ways
    };
    const auto draw = [](const std::vector<TGPPointF>& pts, float width, bool outlines) {
        auto surface = std::make_unique<Surface>(100, 80);
        tvgdiplus::SetRoundLineOutlines(outlines);
        TGPGraphics g(surface->dc);
        g.SetSmoothingMode(SmoothingModeHighQuality);
        g.SetPixelOffsetMode(PixelOffsetModeHighQuality);
        TGPPen pen(0xFF000000, width);
        pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
        pen.SetLineJoin(LineJoinRound);
        g.DrawLines(pen, pts.data(), static_cast<int>(pts.size()));
        tvgdiplus::SetRoundLineOutlines(true);
        return surface;
    };
    for (const float width : {2.0f, 3.0f, 5.5f})
        for (std::size_t i = 0; i < std::size(lines); ++i) {
            SCOPED_TRACE(::testing::Message() << "line " << i << ", width " << width);
            const auto outline = draw(lines[i], width, true), stroked = draw(lines[i], width, false);
            const QImage &a = BitmapImage(*outline->bmp), &b = BitmapImage(*stroked->bmp);
            int apart = 0, ink = 0;
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 100; ++x) {
                    // Black on white: the red channel tells the cover.
                    apart += std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y))) > 16;
                    ink += qRed(a.pixel(x, y)) < 128;
                }
            EXPECT_GT(ink, 100);
            EXPECT_LE(apart, 4);
        }
}

}  // namespace
