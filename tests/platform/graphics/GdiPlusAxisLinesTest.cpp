// Antialiased axis lines written straight into a bitmap's rows against the painter's stroke of the
// same lines (a graphics over someone else's painter always strokes through it).
#include <string>

#include "PixelTest.h"
#include "platform/graphics/DeviceContext_p.h"
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

void Draw(HDC dc, const Scene& scene)
{
    dc->SetViewportOrg(scene.vpOrg);
    if (!scene.dcClip1.IsEmpty()) {
        TRegion clip;
        clip.Combine(TRegion::FromRect(scene.dcClip1), TRegion::FromRect(scene.dcClip2), RGN_OR);
        dc->SelectClipRgn(&clip);
    }
    TGPGraphics g(dc);
    g.SetSmoothingMode(SmoothingModeHighQuality);
    g.SetPixelOffsetMode(scene.offset);
    g.TranslateWorldTransform(float(scene.world.X), float(scene.world.Y));
    if (scene.gClip.Width > 0) g.SetClipRectI(scene.gClip);
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

TEST(GdiPlusAxisLines, WrittenIntoRowsMatchThePaintersStroke)
{
    tvgdiplus::SetLibraryMissing(false);
    StartGdiPlus();
    for (const TPixelFormat format : {pf32bit, pf24bit})
        for (const Scene& scene : scenes) {
            SCOPED_TRACE(std::string(scene.name) + (format == pf24bit ? ", 24-bit" : ", 32-bit"));
            Surface rows(100, 80, format);
            Background(rows.dc, 100, 80);
            QImage general(100, 80, format == pf24bit ? QImage::Format_BGR888 : QImage::Format_RGB32);
            {
                QPainter p(&general);
                auto dc = CreatePainterDC(p, general.size());
                Background(dc.get(), 100, 80);
                Draw(dc.get(), scene);
            }
            const QImage before = BitmapImage(*rows.bmp).copy();
            Draw(rows.dc, scene);
            const QImage& drawn = BitmapImage(*rows.bmp);
            int differences = 0, changed = 0;
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 100; ++x) {
                    differences += (drawn.pixel(x, y) & 0xFFFFFF) != (general.pixel(x, y) & 0xFFFFFF);
                    changed += drawn.pixel(x, y) != before.pixel(x, y);
                }
            EXPECT_GT(changed, 1000);
            EXPECT_EQ(differences, 0);
        }
}

}  // namespace
