#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusPath.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Fonts.h"
#include "platform/graphics/GdiPlus.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }
int Red(TColor c) { return static_cast<int>(c) & 0xFF; }
int Green(TColor c) { return (static_cast<int>(c) >> 8) & 0xFF; }
int Blue(TColor c) { return (static_cast<int>(c) >> 16) & 0xFF; }

// A buffered canvas prepared for a white frame of w x h.
struct TSurface {
    TBitmap window;
    TGDIPlusCanvas canvas;

    TSurface(int w, int h) : window(w, h, pf32bit)
    {
        canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, {0, 0, w, h});
        canvas.GetDeviceContext()->FillRect({0, 0, w, h}, clWhite);
        canvas.SetBackgroundMode(TRANSPARENT);
    }
    TColor At(int x, int y) const
    {
        const Byte* p = canvas.BufferBitmap()->ScanLine(y) + 4 * x;
        return Rgb(p[2], p[1], p[0]);
    }
    bool White(int x, int y) const { return At(x, y) == clWhite; }
    // Every pixel of the frame, for comparing two drawings.
    std::vector<TColor> Pixels() const
    {
        std::vector<TColor> out;
        for (int y = 0; y < canvas.BufferBitmap()->Height(); ++y)
            for (int x = 0; x < canvas.BufferBitmap()->Width(); ++x) out.push_back(At(x, y));
        return out;
    }
    void SolidBrush(TColor color)
    {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(color);
    }
    void NoPen() { canvas.Pen()->SetStyle(psClear); }
};

bool Near(TColor c, int r, int g, int b, int tolerance = 12)
{
    return std::abs(Red(c) - r) <= tolerance && std::abs(Green(c) - g) <= tolerance &&
           std::abs(Blue(c) - b) <= tolerance;
}

}  // namespace

TEST(GdiPlusCanvas, DescriptionAndSettings)
{
    TGDIPlusCanvas canvas;
    EXPECT_EQ(canvas.GetDescription(), "GDI+");
    EXPECT_EQ(canvas.GetEditorClassName(), "TGDIPlusEditor");
    EXPECT_EQ(canvas.GetSmoothingKind(), 1);
    EXPECT_TRUE(canvas.CanDrawInverted());
    EXPECT_FALSE(canvas.SelectStockDCBrush());
    EXPECT_TRUE(canvas.SupportsAlpha());
    EXPECT_TRUE(canvas.AntiAlias());
    EXPECT_EQ(canvas.Scale(), 1.0f);
    EXPECT_EQ(canvas.Alpha(), 255);
    EXPECT_EQ(canvas.GetAntiAliasText(), gpfDefault);
    EXPECT_TRUE(canvas.IsAvailable());
    canvas.SetAntiAliasText(gpfClearType);
    EXPECT_EQ(canvas.TextQuality(), TZebFontQuality::fqClearType);
    canvas.SetScale(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(canvas.Scale(), 1.0f);
}

TEST(GdiPlusCanvas, TransparentSectionsNestAsAlpha)
{
    TGDIPlusCanvas canvas;
    EXPECT_EQ(canvas.StartBlend({}, 20), nullptr);  // nothing captured
    EXPECT_EQ(canvas.Alpha(), 204);
    canvas.StartBlend({}, 50);
    EXPECT_EQ(canvas.Alpha(), 102);
    canvas.FinishBlend(nullptr);
    EXPECT_EQ(canvas.Alpha(), 204);
    canvas.FinishBlend(nullptr);
    EXPECT_EQ(canvas.Alpha(), 255);
    canvas.FinishBlend(nullptr);  // one too many leaves it opaque
    EXPECT_EQ(canvas.Alpha(), 255);
}

TEST(GdiPlusCanvas, AntiAliasWithItsValueSendsNothing)
{
    TSurface s(10, 10);
    TGPGraphics& g = *s.canvas.GetGraphics();
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeHighQuality);
    g.SetSmoothingMode(SmoothingModeNone);
    s.canvas.SetAntiAlias(true);
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeNone);
    s.canvas.SetAntiAlias(false);
    EXPECT_EQ(g.GetSmoothingMode(), SmoothingModeHighSpeed);
    EXPECT_EQ(g.GetPixelOffsetMode(), PixelOffsetModeNone);
}

TEST(GdiPlusCanvas, PenFromTheChartPen)
{
    TSurface s(20, 20);
    TZebPen& pen = *s.canvas.Pen();
    pen.SetStyle(psDash);
    pen.SetEndStyle(esSquare);
    pen.SetJoinStyle(jsBevel);
    pen.SetWidth(2);
    s.canvas.LineTo(10, 10);
    ASSERT_NE(s.canvas.LayerPen(), nullptr);
    const TGPPen& made = *s.canvas.LayerPen();
    EXPECT_EQ(made.GetStartCap(), LineCapSquare);
    EXPECT_EQ(made.GetEndCap(), LineCapSquare);
    EXPECT_EQ(made.GetDashCap(), DashCapTriangle);
    EXPECT_EQ(made.GetDashStyle(), DashStyleDash);
    EXPECT_EQ(made.GetLineJoin(), LineJoinBevel);
    EXPECT_FLOAT_EQ(made.GetWidth(), 2);
    EXPECT_TRUE(s.canvas.IsSmoothingOn());

    pen.SetWidth(0);  // a new pen: hairlines are drawn aliased
    s.canvas.LineTo(0, 10);
    EXPECT_FALSE(s.canvas.IsSmoothingOn());
    EXPECT_EQ(s.canvas.GetGraphics()->GetSmoothingMode(), SmoothingModeHighSpeed);
}

TEST(GdiPlusCanvas, ScaleDrawsLargerAndShrinksIntoTheTarget)
{
    const struct {
        TRect bounds;
    } cases[] = {{{0, 0, 300, 200}}, {{50, 40, 350, 240}}};
    for (const auto& c : cases) {
        TBitmap window(400, 300, pf32bit);
        window.Canvas()->Brush()->SetColor(clWhite);
        window.Canvas()->FillRect({0, 0, 400, 300});
        TGDIPlusCanvas canvas;
        canvas.SetScale(2);
        const TRect drawn = canvas.PrepareView(window.Canvas(), nullptr, clWhite, false, c.bounds);
        EXPECT_EQ(drawn, (TRect{0, 0, 600, 400}));
        ASSERT_NE(canvas.BufferBitmap(), nullptr);
        EXPECT_EQ(canvas.BufferBitmap()->Width(), 600);
        EXPECT_EQ(canvas.BufferBitmap()->Height(), 400);
        canvas.Pen()->SetStyle(psClear);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRectangle(drawn);
        canvas.FlushBuffer(window.Canvas(), window.Canvas(), c.bounds);
        const TRect& b = c.bounds;
        EXPECT_EQ(window.Canvas()->Pixels(b.Left, b.Top), clRed) << b.Left;
        EXPECT_EQ(window.Canvas()->Pixels(b.Right - 1, b.Bottom - 1), clRed) << b.Left;
        EXPECT_EQ(window.Canvas()->Pixels(b.Right, b.Bottom - 1), clWhite) << b.Left;
        EXPECT_EQ(window.Canvas()->Pixels(b.Right - 1, b.Bottom), clWhite) << b.Left;
        if (b.Left > 0) {
            EXPECT_EQ(window.Canvas()->Pixels(b.Left - 1, b.Top), clWhite);
        }
    }
}

TEST(GdiPlusCanvasBrushes, TopBottomGradientRunsFromTheLastStopAtTheTop)
{
    const struct {
        TGradientDirection direction;
        TColor top, bottom;
    } cases[] = {{gdTopBottom, clBlue, clRed}, {gdBottomTop, clRed, clBlue}};
    for (const auto& c : cases) {
        TSurface s(40, 100);
        s.NoPen();
        TZebGradient& g = *s.canvas.Brush()->Gradient();
        g.SetStartColor(clRed);
        g.SetEndColor(clBlue);
        g.SetDirection(c.direction);
        g.SetVisible(true);
        s.canvas.FillRectangle({0, 0, 40, 100});
        EXPECT_TRUE(Near(s.At(20, 1), Red(c.top), Green(c.top), Blue(c.top), 20)) << c.direction;
        EXPECT_TRUE(Near(s.At(20, 98), Red(c.bottom), Green(c.bottom), Blue(c.bottom), 20)) << c.direction;
    }
}

TEST(GdiPlusCanvasBrushes, RadialOffsetMovesTheCentre)
{
    const int offsets[] = {0, 10};
    for (int offset : offsets) {
        TSurface s(100, 40);
        s.NoPen();
        TZebGradient& g = *s.canvas.Brush()->Gradient();
        g.SetStartColor(clWhite);
        g.SetEndColor(clBlack);
        g.SetDirection(gdRadial);
        g.SetRadialX(offset);
        g.SetVisible(true);
        s.canvas.FillRectangle({0, 0, 100, 40});
        int brightest = 0;
        for (int x = 0; x < 100; ++x)
            if (Red(s.At(x, 20)) > Red(s.At(brightest, 20))) brightest = x;
        EXPECT_NEAR(brightest, 50 + offset, 2) << offset;
        // The ellipse runs over the rectangle widened by a quarter: its corners are not black.
        EXPECT_GT(Red(s.At(0, 0)), 0) << offset;
    }
}

TEST(GdiPlusCanvasBrushes, PictureBrushCarriesTheCanvasAlpha)
{
    TSurface s(20, 20);
    s.NoPen();
    TBitmap red(4, 4, pf24bit);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 4, 4});
    s.canvas.Brush()->Image()->Assign(&red);
    s.canvas.StartBlend({}, 50);  // alpha 128
    s.canvas.FillRectangle({0, 0, 20, 20});
    s.canvas.FinishBlend(nullptr);
    EXPECT_TRUE(Near(s.At(10, 10), 255, 127, 127, 4)) << std::hex << static_cast<int>(s.At(10, 10));
}

TEST(GdiPlusCanvasBrushes, HatchUsesTheBrushColours)
{
    TSurface s(16, 16);
    s.NoPen();
    s.canvas.Brush()->SetStyle(bsCross);
    s.canvas.Brush()->SetColor(clBlue);
    s.canvas.Brush()->SetBackColor(clYellow);
    s.canvas.FillRectangle({0, 0, 16, 16});
    int blue = 0, yellow = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            blue += s.At(x, y) == clBlue;
            yellow += s.At(x, y) == clYellow;
        }
    EXPECT_GT(blue, 16);
    EXPECT_GT(yellow, 16);
    EXPECT_EQ(blue + yellow, 256);
}

TEST(GdiPlusCanvasShapes, WideOutlineRectangleFillsToItsMiddle)
{
    TSurface s(12, 12), reversed(12, 12);
    for (TSurface* f : {&s, &reversed}) {
        f->SolidBrush(clBlue);
        f->canvas.Pen()->SetWidth(3);
        f->canvas.Pen()->SetColor(static_cast<TColor>(0x800000FF));  // red, half transparent
    }
    s.canvas.Rectangle(0, 0, 10, 10);
    reversed.canvas.Rectangle(10, 10, 0, 0);
    EXPECT_EQ(s.Pixels(), reversed.Pixels());
    // Under the outline's inner half there is no fill: the half-transparent red shows white.
    EXPECT_TRUE(Near(s.At(0, 5), 255, 127, 127, 8)) << std::hex << static_cast<int>(s.At(0, 5));
    EXPECT_EQ(s.At(5, 5), clBlue);
}

// A polygon is filled and outlined in one painter set-up: it must look exactly like its fill
// drawn first and its outline over it, whatever the pen, the smoothing or the clip.
TEST(GdiPlusCanvasShapes, PolygonEqualsFillThenOutline)
{
    struct Case {
        const char* name;
        int penWidth;
        TPenStyle penStyle;
        bool smoothing;
        bool clipped;
    };
    const Case cases[] = {
        {"thin", 1, psSolid, true, false},
        {"wide", 4, psSolid, true, false},
        {"dashed", 2, psDash, true, false},
        {"unsmoothed", 1, psSolid, false, false},
        {"clipped", 3, psSolid, true, true},
    };
    const TPoint quad[] = {{10, 12}, {52, 7}, {61, 47}, {15, 55}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto prepare = [&c](TSurface& s) {
            s.canvas.SetSmoothingOn(c.smoothing);
            if (c.clipped) {
                const TPoint clip[] = {{0, 0}, {70, 20}, {40, 70}};
                s.canvas.ClipToPolygon(clip);
            }
            s.canvas.Pen()->SetColor(clNavy);
            s.canvas.Pen()->SetWidth(c.penWidth);
        };
        TSurface together(70, 70), apart(70, 70);
        prepare(together);
        together.SolidBrush(clYellow);
        together.canvas.Pen()->SetStyle(c.penStyle);
        together.canvas.Polygon(quad);

        prepare(apart);
        apart.SolidBrush(clYellow);
        apart.NoPen();
        apart.canvas.Polygon(quad);
        apart.canvas.Brush()->SetStyle(bsClear);
        apart.canvas.Pen()->SetStyle(c.penStyle);
        apart.canvas.Polygon(quad);

        EXPECT_FALSE(together.White(35, 30));
        EXPECT_EQ(together.Pixels(), apart.Pixels());
    }
}

// A run of coloured polygons (one painter set-up for solid brushes, polygon by polygon for others)
// looks like the polygons drawn one after the other, overlaps included, and leaves the last colour.
TEST(GdiPlusCanvasShapes, ColoredPolygonsEqualPolygonByPolygon)
{
    struct Case {
        const char* name;
        TBrushStyle brush;
        bool pen, clipped;
    };
    const Case cases[] = {
        {"solid", bsSolid, true, false},
        {"borderless", bsSolid, false, false},
        {"clipped", bsSolid, true, true},
        {"hatched", bsCross, true, false},
    };
    const TPoint quads[] = {{5, 5},   {40, 8},  {38, 40}, {6, 35},  {25, 20}, {65, 22},
                            {60, 62}, {22, 58}, {0, 50},  {30, 45}, {35, 69}, {2, 68}};
    const TColor colors[] = {clRed, clLime, clBlue};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto prepare = [&c](TSurface& s) {
            if (c.clipped) {
                const TPoint clip[] = {{0, 0}, {70, 20}, {40, 70}};
                s.canvas.ClipToPolygon(clip);
            }
            s.canvas.Brush()->SetStyle(c.brush);
            s.canvas.Pen()->SetColor(clBlack);
            s.canvas.Pen()->SetWidth(2);
            if (!c.pen) s.NoPen();
        };
        TSurface run(70, 70), single(70, 70);
        prepare(run);
        run.canvas.ColoredPolygons(quads, 4, colors);
        prepare(single);
        for (size_t i = 0; i < 3; ++i) {
            single.canvas.Brush()->SetColor(colors[i]);
            single.canvas.Polygon(std::span<const TPoint>(quads).subspan(4 * i, 4));
        }
        EXPECT_FALSE(run.White(30, 30));
        EXPECT_EQ(run.Pixels(), single.Pixels());
        EXPECT_EQ(run.canvas.Brush()->Color(), clBlue);
    }
}

TEST(GdiPlusCanvasShapes, PieAngles)
{
    {
        TSurface s(102, 102);
        s.canvas.Brush()->SetStyle(bsClear);
        s.canvas.PieByAngles({0, 0, 100, 100}, 0, 0);  // a whole ellipse: no radius line
        EXPECT_TRUE(s.White(75, 50));
        EXPECT_FALSE(s.White(99, 50) && s.White(100, 50) && s.White(98, 50));
    }
    {
        TSurface s(102, 102);
        s.NoPen();
        s.SolidBrush(clRed);
        s.canvas.PieByAngles({0, 0, 100, 100}, 90, 180);  // the upper left quarter
        EXPECT_EQ(s.At(25, 25), clRed);
        EXPECT_TRUE(s.White(75, 25));
        EXPECT_TRUE(s.White(25, 75));
    }
}

TEST(GdiPlusCanvasShapes, OpenCurveWithAClearBrushDrawsOnlyTheCurve)
{
    TSurface s(100, 100);
    s.canvas.Brush()->SetStyle(bsClear);
    const TPoint points[] = {{10, 90}, {50, 10}, {90, 90}};
    s.canvas.PolylineOrPolygon(points, 0.5f, false);
    EXPECT_TRUE(s.White(50, 60));  // inside the arch
    EXPECT_FALSE(s.White(50, 10) && s.White(50, 11) && s.White(50, 9));
}

TEST(GdiPlusCanvasShapes, CachedLineRunsAreDrawnAndKeptApart)
{
    const struct {
        TPenStyle style;
        TPenEndStyle end;
    } cases[] = {{psSolid, esRound}, {psSolid, esFlat}, {psDash, esRound}};
    for (const auto& c : cases) {
        TSurface s(60, 40);
        s.canvas.Pen()->SetWidth(2);
        s.canvas.Pen()->SetStyle(c.style);
        s.canvas.Pen()->SetEndStyle(c.end);
        s.canvas.CacheDeviceContext(true);
        s.canvas.MoveTo(2, 10);
        s.canvas.LineToCached(20, 10);
        s.canvas.LineToCached(20, 30);
        s.canvas.MoveTo(40, 30);  // a second run: nothing joins (20, 30) to it
        s.canvas.LineToCached(58, 30);
        EXPECT_NE(s.canvas.GetPixelColor(4, 10), clWhite) << c.style << c.end;
        s.canvas.CacheDeviceContext(false);
        EXPECT_NE(s.At(20, 20), clWhite) << c.style << c.end;
        EXPECT_NE(s.At(50, 30), clWhite) << c.style << c.end;
        EXPECT_TRUE(s.White(30, 30)) << c.style << c.end;
    }
}

// A line drawn segment by segment is held back as one run: whatever comes next (a fill, a read, a
// pen of another colour) sees the segments before it drawn.
TEST(GdiPlusCanvasShapes, JoinedSegmentsAreDrawnBeforeWhatFollows)
{
    TSurface s(60, 40);
    TZebPen red;
    red.SetWidth(2);
    s.canvas.SelectPen(red, clRed);
    s.canvas.MoveTo(2, 10);
    s.canvas.LineTo(30, 10);
    s.canvas.SelectPen(red, clRed);  // the same pen again: the run goes on
    s.canvas.MoveTo(30, 10);
    s.canvas.LineTo(58, 10);
    EXPECT_TRUE(Near(s.canvas.GetPixelColor(45, 10), 255, 0, 0));
    s.canvas.MoveTo(2, 30);
    s.canvas.LineTo(30, 30);
    s.canvas.SelectPen(red, clLime);
    s.canvas.MoveTo(30, 30);
    s.canvas.LineTo(58, 30);
    s.canvas.SelectPen(red, clBlue);
    s.canvas.MoveTo(20, 2);
    s.canvas.LineTo(20, 38);
    s.SolidBrush(clYellow);
    s.NoPen();
    s.canvas.FillRectangle({40, 5, 50, 15});
    s.canvas.GetPixelColor(0, 0);
    EXPECT_TRUE(Near(s.At(10, 30), 255, 0, 0));
    EXPECT_TRUE(Near(s.At(45, 30), 0, 255, 0));
    EXPECT_TRUE(Near(s.At(20, 10), 0, 0, 255));  // the blue line crosses the red one after it
    EXPECT_TRUE(Near(s.At(20, 30), 0, 0, 255));
    EXPECT_TRUE(Near(s.At(45, 10), 255, 255, 0));  // the fill covers the red line before it
}

TEST(GdiPlusCanvasShapes, LongLinesInPiecesLookWhole)
{
    std::vector<TPoint> points;
    for (int i = 0; i < 700; ++i) points.push_back({i % 2 ? 10 + i / 4 : 190 - i / 4, 5 + i / 8});
    TSurface s(200, 100);
    s.canvas.Pen()->SetWidth(2);
    s.canvas.Pen()->SetColor(clNavy);
    s.canvas.Polyline(points);

    TBitmap whole(200, 100, pf32bit);
    whole.Canvas()->Brush()->SetColor(clWhite);
    whole.Canvas()->FillRect({0, 0, 200, 100});
    {
        TGPGraphics g(whole.Canvas()->Handle());
        g.SetSmoothingMode(SmoothingModeHighQuality);
        g.SetPixelOffsetMode(PixelOffsetModeHighQuality);
        TGPPen pen(MakeColor(255, 0, 0, 128), 2);
        pen.SetLineCap(LineCapRound, LineCapRound, DashCapRound);
        pen.SetLineJoin(LineJoinRound);
        g.DrawLinesI(pen, points.data(), static_cast<int>(points.size()));
    }
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const TColor w = whole.Canvas()->Pixels(x, y);
            differing += !Near(s.At(x, y), Red(w), Green(w), Blue(w), 40);
        }
    EXPECT_LT(differing, 20);
}

TEST(GdiPlusCanvasShapes, XorPensEraseWhatTheyDrew)
{
    const struct {
        const char* name;
        std::function<void(TGDIPlusCanvas&)> draw;
    } cases[] = {
        {"LineTo", [](TGDIPlusCanvas& c) { c.MoveTo(5, 5), c.LineTo(60, 40); }},
        {"LineAtZ", [](TGDIPlusCanvas& c) { c.LineAtZ(5, 40, 60, 5, 0); }},
        {"Rectangle", [](TGDIPlusCanvas& c) { c.Rectangle(10, 10, 50, 30); }},
    };
    for (const auto& c : cases) {
        TSurface s(64, 48);
        s.SolidBrush(clYellow);
        s.canvas.FillRectangle({0, 0, 32, 48});
        const auto before = s.Pixels();
        s.canvas.Brush()->SetStyle(bsClear);
        s.canvas.Pen()->SetMode(pmNotXor);
        s.canvas.Pen()->SetColor(clBlack);
        c.draw(s.canvas);
        EXPECT_NE(s.Pixels(), before) << c.name;
        c.draw(s.canvas);
        EXPECT_EQ(s.Pixels(), before) << c.name;
    }
}

TEST(GdiPlusCanvasShapes, ShineOverlayBand)
{
    const auto draw = [](int style, int start, int end) {
        auto s = std::make_unique<TSurface>(120, 120);
        s->SolidBrush(clNavy);
        s->canvas.FillRectangle({0, 0, 120, 120});
        s->canvas.DrawShineOverlay(style, 0, {10, 10, 110, 110}, {25, 25, 95, 95}, {40, 40, 80, 80}, start, end,
                                   {60, 60}, false);
        return s->Pixels();
    };
    EXPECT_EQ(draw(0, 0, 90), draw(2, 0, 90));        // the slice does not reach the band
    EXPECT_NE(draw(0, 270, 360), draw(2, 270, 360));  // it does
    EXPECT_NE(draw(2, 0, 90), draw(2, 0, 0));
}

TEST(GdiPlusCanvasShapes, SmoothShadowFadesToItsEdge)
{
    TSurface s(100, 100);
    TZebShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSmooth(true);
    shadow.SetSmoothBlur(50);
    s.canvas.PaintShadow(shadow, {10, 10, 90, 90}, false, 0, {}, 0, 0, 360);
    EXPECT_LT(Red(s.At(50, 50)), 40);
    EXPECT_GT(Red(s.At(11, 50)), 200);
    EXPECT_TRUE(s.White(5, 50));
}

TEST(GdiPlusCanvasShapes, NonFiniteAnglesAndPointsDrawNothing)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    TSurface s(40, 40);
    s.SolidBrush(clRed);
    s.canvas.PieByAngles({0, 0, 40, 40}, nan, 90);
    s.canvas.DrawDonutSlice(20, 20, 10, 10, 0, inf, 50);
    s.canvas.ArcByAngles(0, 0, 40, 40, static_cast<float>(inf), 10);
    s.canvas.RotatedTextOut(5, 5, "x", nan, false);
    TSolidPieSlice slice;
    slice.EndAngle = nan;
    s.canvas.DrawSolidPieSlice(slice);
    const TPointFloat points[] = {{0, 0}, {static_cast<float>(nan), 30}, {static_cast<float>(inf), 5}};
    s.canvas.PolygonFloat(points);
    s.canvas.PolylineFloat(points);
    EXPECT_TRUE(s.White(20, 20));
}

// ---- text ----

TEST(GdiPlusCanvasText, MeasuringAddsShadowsAndRoundsHeightsUp)
{
    TSurface s(10, 10);
    s.canvas.Font()->SetName("Arial");
    s.canvas.Font()->SetSize(11);
    const TSizeFloat plain = s.canvas.TextSizeFloat("Tilt");
    const int width = s.canvas.TextWidth("Tilt");
    EXPECT_EQ(width, PixelRound(plain.Width));
    EXPECT_EQ(s.canvas.TextHeight("Tilt"), PixelRound(plain.Height + 0.5));
    EXPECT_GE(s.canvas.TextHeight("Tilt"), std::ceil(plain.Height));
    TZebShadow& shadow = *s.canvas.Font()->Shadow();
    shadow.SetVisible(true);
    shadow.SetHorizSize(-3);
    shadow.SetVertSize(2);
    EXPECT_EQ(s.canvas.TextWidth("Tilt"), width + 3);
    EXPECT_FLOAT_EQ(s.canvas.TextSizeFloat("Tilt").Height, plain.Height + 2);
}

TEST(GdiPlusCanvasText, TextLeavesTheCallersPenAndBrush)
{
    TSurface s(80, 30);
    s.canvas.Pen()->SetColor(clGreen);
    s.canvas.Pen()->SetWidth(2);
    s.SolidBrush(clAqua);
    TZebFont& font = *s.canvas.Font();
    font.SetSize(14);
    font.OutLine()->SetVisible(true);
    font.OutLine()->SetColor(clNavy);
    font.Brush()->Gradient()->SetVisible(true);
    s.canvas.TextOut(2, 2, "Tilt");
    EXPECT_EQ(s.canvas.Pen()->Color(), clGreen);
    EXPECT_EQ(s.canvas.Pen()->Width(), 2);
    EXPECT_EQ(s.canvas.Brush()->Color(), clAqua);
    EXPECT_FALSE(s.canvas.Brush()->HasVisibleGradient());
    s.canvas.FillRectangle({60, 0, 80, 30});
    EXPECT_EQ(s.At(70, 15), clAqua);
}

TEST(GdiPlusCanvasText, DigitFontsComeFromTheProgram)
{
    const auto draw = [](const String& name) {
        auto s = std::make_unique<TSurface>(80, 30);
        s->canvas.Font()->SetName(name);
        s->canvas.Font()->SetSize(14);
        s->canvas.Font()->SetColor(clBlack);
        s->canvas.TextOut(2, 2, "12:8");
        return s->Pixels();
    };
    const auto led = draw("DS-Digital");
    EXPECT_NE(led, draw("Arial"));
    EXPECT_EQ(led, draw(ResolveFontFamily("DS-Digital")));
    EXPECT_NE(led, draw("Elektra"));
}

TEST(GdiPlusCanvasText, RotatedTextKeepsTheElementTransform)
{
    TSurface s(60, 60);
    TZebTransform move;
    move.Enabled = true;
    move.TranslateX = 30;
    s.canvas.BeginElement("Series", nullptr, &move);
    s.canvas.RotatedTextOut(10, 30, "x", 90, false);
    TGPMatrix m;
    s.canvas.GetGraphics()->GetWorldTransform(m);
    EXPECT_FLOAT_EQ(m.OffsetX(), 30);
    s.NoPen();
    s.SolidBrush(clRed);
    s.canvas.FillRectangle({0, 0, 10, 10});
    EXPECT_EQ(s.At(35, 5), clRed);
    EXPECT_TRUE(s.White(5, 5));
    s.canvas.EndElement();
    s.canvas.GetGraphics()->GetWorldTransform(m);
    EXPECT_TRUE(m.IsIdentity());
}

TEST(GdiPlusCanvasText, AlignedTextsLandBesideTheirAnchor)
{
    const struct {
        TTextAlign align;
        bool leftOfAnchor, rightOfAnchor;
    } cases[] = {{TA_LEFT, false, true}, {TA_RIGHT, true, false}, {TA_CENTER, true, true}};
    for (const auto& c : cases) {
        TSurface s(120, 30);
        s.canvas.Font()->SetColor(clBlack);
        s.canvas.Font()->SetSize(12);
        s.canvas.SetTextAlignment(c.align);
        s.canvas.TextOut(60, 5, "MMMM");
        bool left = false, right = false;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x)
                if (!s.White(x, y)) (x < 60 ? left : right) = true;
        EXPECT_EQ(left, c.leftOfAnchor) << c.align;
        EXPECT_EQ(right, c.rightOfAnchor) << c.align;
    }
}

// ---- clipping ----

TEST(GdiPlusCanvasClip, RemovingAClipRestoresTheOneBeforeWithItsShape)
{
    TSurface s(100, 100);
    s.NoPen();
    s.SolidBrush(clRed);
    s.canvas.ClipToEllipse({0, 0, 100, 100});
    s.canvas.ClipToRect({40, 40, 60, 60});
    s.canvas.RemoveClip();
    s.canvas.FillRectangle({0, 0, 100, 100});
    EXPECT_EQ(s.At(50, 50), clRed);
    EXPECT_EQ(s.At(5, 50), clRed);
    EXPECT_TRUE(s.White(3, 3));  // outside the ellipse: still clipped
    s.canvas.RemoveClip();
    s.canvas.FillRectangle({0, 0, 100, 100});
    EXPECT_EQ(s.At(3, 3), clRed);
}

TEST(GdiPlusCanvasClip, BoundsAfterRectangleEllipseAndOneRemoval)
{
    TSurface s(100, 100);
    s.canvas.ClipToRect({10, 20, 60, 70});
    s.canvas.ClipToEllipse({30, 30, 90, 90});
    s.canvas.RemoveClip();
    TGPRectF bounds;
    s.canvas.GetGraphics()->GetVisibleClipBounds(bounds);
    EXPECT_EQ(bounds, MakeRect(10, 19, 50, 52));  // one pixel more at the top and bottom
    s.canvas.RemoveClip();
    s.canvas.RemoveClip();  // an empty stack: no clip at all
    s.canvas.GetGraphics()->GetVisibleClipBounds(bounds);
    EXPECT_EQ(bounds, MakeRect(0, 0, 100, 100));
}

TEST(GdiPlusCanvasClip, ExcludedEllipse)
{
    TSurface s(100, 100);
    s.NoPen();
    s.SolidBrush(clRed);
    s.canvas.ClipToEllipse({20, 20, 80, 80}, true);
    s.canvas.FillRectangle({0, 0, 100, 100});
    s.canvas.RemoveClip();
    EXPECT_TRUE(s.White(50, 50));
    EXPECT_EQ(s.At(5, 5), clRed);
}

// ---- paths ----

TEST(GdiPlusCanvasPath, PointsAndTypesRoundTrip)
{
    TSurface s(10, 10);
    TOwnedPtr<TZebBasePath> path(s.canvas.CreatePathObject());
    path->MoveToXY(1, 2);
    path->AddLineTo(8, 2);
    path->AddArc(0, 0, 8, 8, 0, 90);
    path->CloseFigure();
    std::vector<Byte> types, types2;
    std::vector<TPointFloat> points, points2;
    TFloatRect bounds, bounds2;
    path->GetPathData(types, points, bounds);
    ASSERT_GT(points.size(), 2u);
    EXPECT_EQ(types.front(), PathPointTypeStart);
    EXPECT_EQ(types.back() & PathPointTypeCloseSubpath, PathPointTypeCloseSubpath);
    EXPECT_FLOAT_EQ(bounds.Right, 8);
    TOwnedPtr<TZebBasePath> copy(s.canvas.CreatePathFromData(points, types));
    copy->GetPathData(types2, points2, bounds2);
    EXPECT_EQ(types2, types);
    EXPECT_EQ(points2, points);
    EXPECT_EQ(bounds2, bounds);
}

// ---- pictures ----

TEST(GdiPlusCanvasPictures, TransparentBitmapLeavesItsKeyColourOut)
{
    TSurface s(40, 40);
    s.NoPen();
    s.SolidBrush(clLime);
    s.canvas.FillRectangle({0, 0, 40, 40});
    TBitmap picture(4, 4, pf24bit);
    picture.Canvas()->Brush()->SetColor(clFuchsia);
    picture.Canvas()->FillRect({0, 0, 4, 4});
    picture.Canvas()->SetPixels(1, 1, clBlue);
    picture.SetTransparent(true);  // the bottom-left pixel is the key
    s.canvas.SetStretchQuality(sqLow);
    s.canvas.StretchGraphic({0, 0, 40, 40}, &picture);
    EXPECT_EQ(s.At(15, 15), clBlue);
    for (const TPoint p : {TPoint{2, 2}, TPoint{35, 35}, TPoint{35, 2}}) EXPECT_EQ(s.At(p.X, p.Y), clLime) << p.X;
}

TEST(GdiPlusCanvasPictures, DrawGraphicAtHalfAlphaCoversItsOwnSize)
{
    TSurface s(140, 80);
    TBitmap picture(20, 10, pf24bit);
    picture.Canvas()->Brush()->SetColor(clBlack);
    picture.Canvas()->FillRect({0, 0, 20, 10});
    s.canvas.StartBlend({}, 50);
    s.canvas.DrawGraphic(100, 50, &picture);
    s.canvas.FinishBlend(nullptr);
    EXPECT_TRUE(Near(s.At(100, 50), 127, 127, 127, 4));
    EXPECT_TRUE(Near(s.At(119, 59), 127, 127, 127, 4));
    EXPECT_TRUE(s.White(99, 50));
    EXPECT_TRUE(s.White(120, 55));
    EXPECT_TRUE(s.White(110, 60));
}

TEST(GdiPlusCanvasPictures, StretchBitmapSmoothAverages)
{
    TBitmap source(2, 2, pf24bit), destination(1, 1, pf24bit);
    source.Canvas()->SetPixels(0, 0, clBlack);
    source.Canvas()->SetPixels(1, 0, clWhite);
    source.Canvas()->SetPixels(0, 1, clWhite);
    source.Canvas()->SetPixels(1, 1, clBlack);
    TGDIPlusCanvas::StretchBitmapSmooth(source, destination);
    EXPECT_NEAR(Red(destination.Canvas()->Pixels(0, 0)), 128, 20);
}
