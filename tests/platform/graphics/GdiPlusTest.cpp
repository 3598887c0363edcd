// The antialiased object layer without pixels: start-up, the missing-library switch, statuses,
// fonts, paths and matrices.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Fonts.h"
#include "platform/graphics/GdiPlus.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/Exceptions.h"

namespace {

// Leaves the layer running and present, whatever a test switched.
struct LayerRunning : ::testing::Test {
    void SetUp() override
    {
        tvgdiplus::SetLibraryMissing(false);
        StartGdiPlus();
    }
    void TearDown() override
    {
        tvgdiplus::SetLibraryMissing(false);
        StartGdiPlus();
    }
};

using GdiPlusLayer = LayerRunning;

TEST_F(GdiPlusLayer, StartsOncePerProcess)
{
    ShutdownGdiPlus();
    const auto before = tvgdiplus::GetEngineCalls();
    StartGdiPlus();
    StartGdiPlus();
    EXPECT_TRUE(GdiPlusStarted());
    EXPECT_TRUE(GdiPlusAvailable());
    EXPECT_EQ(tvgdiplus::GetEngineCalls().Startups, before.Startups + 1);
    ShutdownGdiPlus();
    ShutdownGdiPlus();
    EXPECT_FALSE(GdiPlusStarted());
    EXPECT_EQ(tvgdiplus::GetEngineCalls().Shutdowns, before.Shutdowns + 1);
}

TEST_F(GdiPlusLayer, MissingLibraryIsNeverStartedNorShutDown)
{
    ShutdownGdiPlus();
    tvgdiplus::SetLibraryMissing(true);
    const auto before = tvgdiplus::GetEngineCalls();
    StartGdiPlus();
    EXPECT_FALSE(GdiPlusStarted());
    EXPECT_FALSE(GdiPlusAvailable());
    EXPECT_EQ(GenericSansSerifFamily(), nullptr);

    // Objects are not made and answer the status of a layer that is not there, without raising.
    TGPSolidBrush brush(0xFF000000);
    EXPECT_EQ(brush.GetLastStatus(), GdiplusNotInitialized);
    EXPECT_EQ(brush.Clone(), nullptr);
    TBitmap bmp(4, 4, pf32bit);
    TGPGraphics g(bmp.Canvas()->Handle());
    EXPECT_EQ(g.GetLastStatus(), GdiplusNotInitialized);
    EXPECT_EQ(g.ReadAndClearStatus(), GdiplusNotInitialized);
    EXPECT_EQ(g.FillRectangleI(brush, 0, 0, 4, 4), GdiplusNotInitialized);
    TGPFont font("Arial", 10);
    EXPECT_FALSE(font.IsAvailable());

    ShutdownGdiPlus();
    EXPECT_EQ(tvgdiplus::GetEngineCalls().Shutdowns, before.Shutdowns);
    EXPECT_EQ(tvgdiplus::GetEngineCalls().Startups, before.Startups);
}

TEST_F(GdiPlusLayer, SwitchingMissingLeavesARunningLayerRunning)
{
    tvgdiplus::SetLibraryMissing(true);
    EXPECT_TRUE(GdiPlusAvailable());
    EXPECT_EQ(TGPSolidBrush(0).GetLastStatus(), Ok);
}

TEST(GdiPlusStatus, RaisesTheStatusWithItsText)
{
    EXPECT_NO_THROW(RaiseGdiPlusStatus(0));
    const struct {
        int status;
        const char* message;
    } cases[] = {
        {1, "GDI+ Error: 1 Generic Error"},
        {2, "GDI+ Error: 2 Invalid Parameter"},
        {7, "GDI+ Error: 7 Win32 Error"},
        {18, "GDI+ Error: 18 Gdiplus Not Initialized"},
        {20, "GDI+ Error: 20 Property Not Supported"},
        {21, "GDI+ Error: 21 Unknown Status"},
        {-3, "GDI+ Error: -3 Unknown Status"},
        {255, "GDI+ Error: -1 Unknown Status"},  // the number is shown as a signed byte
    };
    for (const auto& c : cases) {
        try {
            RaiseGdiPlusStatus(c.status);
            ADD_FAILURE() << "no exception for " << c.status;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

// Each failing call stores its status; a later success leaves it; nothing is raised.
TEST_F(GdiPlusLayer, LastStatusIsStoredNotRaised)
{
    TBitmap bmp(8, 8, pf32bit);
    TGPGraphics g(bmp.Canvas()->Handle());
    TGPPen pen(0xFF000000, 1);
    TGPLinearGradientBrush linear(MakeRect(0, 0, 8, 8), 0xFFFF0000, 0xFF0000FF, LinearGradientModeHorizontal);
    TGPGraphicsPath path;
    TGPBitmap image(4, 4);
    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    struct Case {
        const char* what;
        TGdiplusBase* object;
        std::function<TGPStatus()> fail;
        std::function<TGPStatus()> succeed;
    };
    const Case cases[] = {
        {"page unit world", &g, [&] { return g.SetPageUnit(UnitWorld); }, [&] { return g.SetPageUnit(UnitPixel); }},
        {"one-point polyline", &g, [&] { return g.DrawLinesI(pen, nullptr, 1); },
         [&] { return g.DrawLineI(pen, 0, 0, 4, 4); }},
        {"dash style", &pen, [&] { return pen.SetDashStyle(TGPDashStyle(9)); },
         [&] { return pen.SetDashStyle(DashStyleDot); }},
        {"blend out of order", &linear,
         [&] {
             const TGPColor c[2] = {0xFF000000, 0xFFFFFFFF};
             const float p[2] = {0.8f, 0.2f};
             return linear.SetPresetBlend(c, p, 2);
         },
         [&] {
             TGPColor c1, c2;
             return linear.GetLinearColors(c1, c2);
         }},
        {"empty arc", &path, [&] { return path.AddArc(0, 0, 0, 10, 0, 90); }, [&] { return path.AddLine(0, 0, 1, 1); }},
        {"pixel outside", &image,
         [&] {
             TGPColor c;
             return image.GetPixel(4, 0, c);
         },
         [&] { return image.SetPixel(0, 0, 0xFF00FF00); }},
        {"non-finite turn", &g, [&] { return g.RotateWorldTransform(std::numeric_limits<float>::quiet_NaN()); },
         [&] { return g.RotateWorldTransform(10); }},
        {"singular matrix", &singular, [&] { return singular.Invert(); }, [&] { return singular.Reset(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.object->ReadAndClearStatus();
        TGPStatus s = Ok;
        EXPECT_NO_THROW(s = c.fail());
        EXPECT_EQ(s, InvalidParameter);
        EXPECT_EQ(c.succeed(), Ok);
        EXPECT_EQ(c.object->GetLastStatus(), InvalidParameter);
        EXPECT_EQ(c.object->ReadAndClearStatus(), InvalidParameter);
        EXPECT_EQ(c.object->GetLastStatus(), Ok);
    }
}

TEST_F(GdiPlusLayer, PresetBlendOfNoColoursChangesNothing)
{
    TGPLinearGradientBrush linear(MakeRect(0, 0, 8, 8), 0xFFFF0000, 0xFF0000FF, LinearGradientModeHorizontal);
    const TGPColor colors[2] = {0xFF00FF00, 0xFF00FF00};
    const float positions[2] = {0, 1};
    EXPECT_EQ(linear.SetPresetBlend(colors, positions, 0), InvalidParameter);
    EXPECT_EQ(linear.SetPresetBlend(nullptr, positions, 2), InvalidParameter);
    EXPECT_EQ(linear.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(linear.GetPresetBlendCount(), 0);

    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 8, 8);
    TGPPathGradientBrush radial(ellipse);
    EXPECT_EQ(radial.SetPresetBlend(colors, positions, 0), InvalidParameter);
    EXPECT_EQ(radial.GetLastStatus(), InvalidParameter);
    EXPECT_EQ(radial.GetPresetBlendCount(), 0);

    // The brush still draws its two colours, not the green of the refused blend.
    TGPBitmap bmp(8, 8);
    TGPGraphics g(bmp);
    g.FillRectangleI(linear, 0, 0, 8, 8);
    TGPColor left = 0, right = 0;
    bmp.GetPixel(0, 4, left);
    bmp.GetPixel(7, 4, right);
    EXPECT_GT(GetRed(left), 200);
    EXPECT_LT(GetGreen(left), 40);
    EXPECT_GT(GetBlue(right), 200);
}

TEST_F(GdiPlusLayer, BlendsAreKeptInTheirOrder)
{
    TGPLinearGradientBrush linear(MakeRect(0, 0, 8, 8), 0, 0, 30.0f);
    const TGPColor colors[3] = {0xFF0000FF, 0x80FF0000, 0xFFFF0000};
    const float positions[3] = {0, 0.7f, 1};
    ASSERT_EQ(linear.SetPresetBlend(colors, positions, 3), Ok);
    ASSERT_EQ(linear.GetPresetBlendCount(), 3);
    TGPColor c[3];
    float p[3];
    EXPECT_EQ(linear.GetPresetBlend(c, p, 2), InvalidParameter);
    ASSERT_EQ(linear.GetPresetBlend(c, p, 3), Ok);
    EXPECT_EQ(c[1], 0x80FF0000u);
    EXPECT_FLOAT_EQ(p[1], 0.7f);
    EXPECT_FLOAT_EQ(linear.GetAngle(), 30.0f);

    // More than 256 stops are kept whole.
    std::vector<TGPColor> many(300, 0xFF808080);
    std::vector<float> at(300);
    for (int i = 0; i < 300; ++i) at[std::size_t(i)] = float(i) / 299;
    EXPECT_EQ(linear.SetPresetBlend(many.data(), at.data(), 300), Ok);
    EXPECT_EQ(linear.GetPresetBlendCount(), 300);
}

// ---------- fonts ----------
TEST_F(GdiPlusLayer, FontsByNameFallBackToTheGenericSansSerif)
{
    ASSERT_NE(GenericSansSerifFamily(), nullptr);
    String generic;
    ASSERT_EQ(GenericSansSerifFamily()->GetFamilyName(generic), Ok);
    EXPECT_FALSE(generic.empty());

    const struct {
        const char* name;
        bool known;
    } cases[] = {{"Arial", true},       {"Courier New", true},          {"DS-Digital", true},
                 {"DejaVu Sans", true}, {"No Such Family 8231", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGPFontFamily family(c.name);
        EXPECT_EQ(family.IsAvailable(), c.known);
        EXPECT_EQ(family.GetLastStatus(), c.known ? Ok : FontFamilyNotFound);

        TGPFont font(c.name, 12, FontStyleBold, UnitPoint);
        ASSERT_TRUE(font.IsAvailable());
        EXPECT_EQ(font.GetLastStatus(), c.known ? Ok : FontFamilyNotFound);
        EXPECT_EQ(font.GetStyle(), FontStyleBold);
        EXPECT_FLOAT_EQ(font.GetSize(), 12);
        TGPFontFamily used;
        ASSERT_EQ(font.GetFamily(used), Ok);
        String name;
        used.GetFamilyName(name);
        EXPECT_FALSE(name.empty());
        if (!c.known) {
            EXPECT_EQ(name, generic);
        }
    }
}

TEST_F(GdiPlusLayer, FontCollectionsListTheirFamilies)
{
    TGPFontCollection installed;
    EXPECT_GT(installed.GetFamilyCount(), 0);
    std::vector<TGPFontFamily> slots(3);
    int found = -1;
    EXPECT_EQ(installed.GetFamilies(0, slots, found), InvalidParameter);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(installed.GetFamilies(2, {}, found), InvalidParameter);
    ASSERT_EQ(installed.GetFamilies(2, slots, found), Ok);
    EXPECT_EQ(installed.GetLastStatus(), Ok);  // every status is stored, success too
    EXPECT_EQ(found, 2);
    EXPECT_TRUE(slots[1].IsAvailable());
    EXPECT_FALSE(slots[2].IsAvailable());

    // A private collection knows only the fonts given to it.
    TGPPrivateFontCollection own;
    EXPECT_EQ(own.GetFamilyCount(), 0);
    const char junk[] = "not a font";
    EXPECT_EQ(own.AddMemoryFont(junk, sizeof junk), FileNotFound);
    RegisterProgramFonts();
    const ResourceBlob* blob = FindResource("fonts/DSEG7Modern-Regular.ttf");
    ASSERT_NE(blob, nullptr);
    ASSERT_EQ(own.AddMemoryFont(blob->Data, int(blob->Size)), Ok);
    ASSERT_EQ(own.GetFamilyCount(), 1);
    ASSERT_EQ(own.GetFamilies(5, slots, found), Ok);
    EXPECT_EQ(found, 1);
    String name;
    slots[0].GetFamilyName(name);
    EXPECT_TRUE(TGPFontFamily(name, &own).IsAvailable());
    EXPECT_EQ(TGPFontFamily("Arial", &own).GetLastStatus(), FontFamilyNotFound);
    TGPFont digits(name, 20, FontStyleRegular, UnitPixel, &own);
    EXPECT_EQ(digits.GetLastStatus(), Ok);
}

// ---------- paths ----------
std::vector<std::uint8_t> typesOf(const TGPGraphicsPath& p)
{
    std::vector<std::uint8_t> t(std::size_t(p.GetPointCount()));
    p.GetPathTypes(t.data(), int(t.size()));
    return t;
}

std::vector<TGPPointF> pointsOf(const TGPGraphicsPath& p)
{
    std::vector<TGPPointF> v(std::size_t(p.GetPointCount()));
    p.GetPathPoints(v.data(), int(v.size()));
    return v;
}

TEST_F(GdiPlusLayer, PathTypesComeFromTheFigures)
{
    constexpr std::uint8_t S = PathPointTypeStart, L = PathPointTypeLine, B = PathPointTypeBezier,
                           C = PathPointTypeCloseSubpath;
    const TPoint poly[3] = {{0, 0}, {10, 0}, {10, 10}};
    const struct {
        const char* what;
        std::function<void(TGPGraphicsPath&)> build;
        std::vector<std::uint8_t> types;
    } cases[] = {
        {"rectangle", [](TGPGraphicsPath& p) { p.AddRectangle(MakeRect(1, 2, 3, 4)); }, {S, L, L, L | C}},
        {"ellipse", [](TGPGraphicsPath& p) { p.AddEllipse(0, 0, 10, 6); }, {S, B, B, B, B, B, B, B, B, B, B, B, B | C}},
        {"lines join in an open figure",
         [](TGPGraphicsPath& p) {
             p.AddLine(0, 0, 5, 0);
             p.AddLine(5, 0, 5, 5);  // same point: no joining line
             p.AddLine(6, 6, 9, 9);  // a gap: joined by a line
         },
         {S, L, L, L, L}},
        {"closed figure, then a new one",
         [&](TGPGraphicsPath& p) {
             p.AddLine2I(poly, 3);
             p.CloseFigure();
             p.AddLine(0, 0, 1, 1);
         },
         {S, L, L | C, S, L}},
        {"arc after a line",
         [](TGPGraphicsPath& p) {
             p.AddLine(0, 0, 10, 0);
             p.AddArc(0, 0, 20, 20, 0, 90);
         },
         {S, L, L, B, B, B}},
        {"pie", [](TGPGraphicsPath& p) { p.AddPieI(0, 0, 20, 20, 0, 90); }, {S, L, B, B, B | C}},
        {"open curve", [&](TGPGraphicsPath& p) { p.AddCurve2I(poly, 3, 0.5f); }, {S, B, B, B, B, B, B}},
        {"closed curve",
         [&](TGPGraphicsPath& p) { p.AddClosedCurve2I(poly, 3, 0.5f); },
         {S, B, B, B, B, B, B, B, B, B | C}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TGPGraphicsPath path;
        c.build(path);
        EXPECT_EQ(typesOf(path), c.types);
    }
}

TEST_F(GdiPlusLayer, PathPointsAndTypesRoundTrip)
{
    TGPGraphicsPath path(FillModeWinding);
    path.AddEllipse(5, 5, 30, 20);
    path.AddLine(0, 0, 40, 10);
    path.AddArc(0, 0, 40, 40, 30, 200);
    path.CloseFigure();
    path.AddRectangle(MakeRect(2, 2, 6, 6));
    TGPFontFamily family("Arial");
    path.AddString("Ag", &family, FontStyleRegular, 16, MakeRect(10, 10, 0, 0), nullptr);
    ASSERT_EQ(path.GetLastStatus(), Ok);

    const auto points = pointsOf(path);
    const auto types = typesOf(path);
    ASSERT_GT(points.size(), 40u);
    TGPGraphicsPath copy(points.data(), types.data(), int(points.size()));
    EXPECT_EQ(pointsOf(copy), points);
    EXPECT_EQ(typesOf(copy), types);
    TGPRectF a, b;
    path.GetWorldBounds(a);
    copy.GetWorldBounds(b);
    EXPECT_EQ(a, b);

    // Text outlines are closed figures inside the glyphs' box.
    TGPGraphicsPath text;
    text.AddString("I", &family, FontStyleRegular, 20, MakeRect(100, 50, 0, 0), nullptr);
    const auto t = typesOf(text);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.front(), PathPointTypeStart);
    EXPECT_TRUE(t.back() & PathPointTypeCloseSubpath);
    TGPRectF box;
    text.GetWorldBounds(box);
    EXPECT_GT(box.X, 100);
    EXPECT_GT(box.Y, 50);
    EXPECT_LT(box.Y + box.Height, 50 + 20 * 1.2f);

    EXPECT_EQ(TGPGraphicsPath(nullptr, nullptr, 3).GetLastStatus(), InvalidParameter);
}

TEST_F(GdiPlusLayer, CardinalCurvesPassThroughTheirPoints)
{
    const TPoint pts[4] = {{10, 40}, {30, 10}, {50, 40}, {70, 10}};
    for (float tension : {0.0f, 0.5f, 1.0f}) {
        SCOPED_TRACE(tension);
        TGPGraphicsPath path;
        path.AddCurve2I(pts, 4, tension);
        const auto p = pointsOf(path);
        ASSERT_EQ(p.size(), 10u);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(p[std::size_t(i) * 3], (TGPPointF{float(pts[i].X), float(pts[i].Y)}));
        // The tangent at an inner point runs along its neighbours' chord, scaled by the tension.
        const TGPPointF before = p[2], after = p[4];
        EXPECT_NEAR(after.X - 30, tension / 3 * (50 - 10), 1e-4);
        EXPECT_NEAR(30 - before.X, tension / 3 * (50 - 10), 1e-4);
        EXPECT_NEAR(after.Y - 10, 0, 1e-4);
    }
    // Closed: the last segment returns to the first point.
    TGPGraphicsPath closed;
    closed.AddClosedCurve2I(pts, 4, 0.5f);
    const auto c = pointsOf(closed);
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c.back(), (TGPPointF{10, 40}));
}

TEST_F(GdiPlusLayer, ArcsAndEllipsesLieOnTheirEllipse)
{
    // Angles are directions from the centre, clockwise with y down.
    const struct {
        float start, sweep;
        TGPPointF first, last;
    } cases[] = {
        {0, 90, {40, 10}, {20, 20}},
        {90, 90, {20, 20}, {0, 10}},
        {-90, -90, {20, 0}, {0, 10}},
        {0, 360, {40, 10}, {40, 10}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        TGPGraphicsPath path;
        path.AddArc(0, 0, 40, 20, c.start, c.sweep);
        const auto p = pointsOf(path);
        EXPECT_NEAR(p.front().X, c.first.X, 1e-3);
        EXPECT_NEAR(p.front().Y, c.first.Y, 1e-3);
        EXPECT_NEAR(p.back().X, c.last.X, 1e-3);
        EXPECT_NEAR(p.back().Y, c.last.Y, 1e-3);
    }
    // 45 degrees on a wide ellipse is where the diagonal meets it, not the parameter's point.
    TGPGraphicsPath diag;
    diag.AddArc(0, 0, 40, 20, 0, 45);
    const TGPPointF end = pointsOf(diag).back();
    EXPECT_NEAR(end.X - 20, end.Y - 10, 1e-3);
}

// ---------- matrices ----------
TEST_F(GdiPlusLayer, MatrixOrderAndRotationAboutAPoint)
{
    TGPMatrix m;
    m.Translate(10, 0);
    m.Scale(2, 2);  // prepended: runs before the translation
    TGPPointF p{1, 1};
    m.TransformPoints(&p, 1);
    EXPECT_EQ(p, (TGPPointF{12, 2}));

    TGPMatrix a;
    a.Translate(10, 0);
    a.Scale(2, 2, MatrixOrderAppend);
    p = {1, 1};
    a.TransformPoints(&p, 1);
    EXPECT_EQ(p, (TGPPointF{22, 2}));

    for (TGPMatrixOrder order : {MatrixOrderPrepend, MatrixOrderAppend}) {
        TGPMatrix r;
        r.RotateAt(90, {10, 10}, order);
        TGPPointF q[2] = {{10, 10}, {20, 10}};
        r.TransformPoints(q, 2);
        EXPECT_NEAR(q[0].X, 10, 1e-4);
        EXPECT_NEAR(q[0].Y, 10, 1e-4);
        EXPECT_NEAR(q[1].X, 10, 1e-4);  // clockwise on the surface: right becomes down
        EXPECT_NEAR(q[1].Y, 20, 1e-4);
    }
}

}  // namespace
