// Series pointer symbols and callouts.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "PanelFixture.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Callout.h"
#include "chart/core/SeriesPointer.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

// A pointer whose series gives it a depth slot, and that counts the hits its series would record.
class DepthPointer : public TSeriesPointer {
public:
    std::optional<TSeriesDepth> Slot;
    int Hits = 0;

protected:
    std::optional<TSeriesDepth> SeriesDepth() const override { return Slot; }
    void SymbolHit() override { ++Hits; }
};

class PointerTest : public PanelSuite {};

// The bounds of the pixels that are not white, right and bottom exclusive.
TRect PaintedBounds(TRecordingCanvas& canvas)
{
    TBitmap& b = canvas.Bitmap();
    TRect r{b.Width(), b.Height(), 0, 0};
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (canvas.GetPixelColor(x, y) != clWhite) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

// The operation names of the log, without their arguments.
std::vector<std::string> CallNames(const TRecordingCanvas& canvas)
{
    std::vector<std::string> names;
    for (const std::string& line : canvas.Log()) names.push_back(line.substr(0, line.find('(')));
    return names;
}

TEST_F(PointerTest, ARectangleOfSizeFourCoversNinePixelsFromTheCentreOrOneFurtherWithoutExactCentring)
{
    for (const bool exact : {true, false}) {
        SCOPED_TRACE(exact);
        TRecordingCanvas canvas(40, 40);
        TSeriesPointer pointer;
        pointer.SetExactCentre(exact);
        pointer.SetupCanvas(canvas, clRed);
        pointer.DrawSymbol(canvas, false, psRectangle, clRed, 4, 4, 20, 20);
        EXPECT_EQ(PaintedBounds(canvas), exact ? TRect(16, 16, 25, 25) : TRect(17, 17, 25, 25));
    }
}

TEST_F(PointerTest, TwoDimensionalShapes)
{
    const struct {
        TSeriesPointerStyle style;
        std::vector<std::string> calls;
    } cases[] = {
        {psRectangle, {"Rectangle(16,16,25,25) brush=0000FF"}},
        {psCircle, {"Ellipse(16,16,24,24) brush=0000FF"}},
        {psTriangle, {"Polygon(16,24 24,24 20,16) brush=0000FF"}},
        {psDownTriangle, {"Polygon(16,16 24,16 20,24) brush=0000FF"}},
        {psCross, {"MoveTo(20,16)", "LineTo(20,25)", "MoveTo(16,20)", "LineTo(25,20)"}},
        {psDiagCross, {"MoveTo(16,16)", "LineTo(25,25)", "MoveTo(24,16)", "LineTo(15,25)"}},
        {psDiamond, {"Polygon(16,20 20,16 24,20 20,24) brush=0000FF"}},
        {psSmallDot, {"SetPixelColor(20,20) color=0000FF"}},
        {psNothing, {}},
        {psVisual, {}},
        {psLeftTriangle, {"Polygon(16,20 24,24 24,16) brush=0000FF"}},
        {psRightTriangle, {"Polygon(24,20 16,24 16,16) brush=0000FF"}},
        {psHexagon, {"Polygon(20,16 24,18 24,22 20,24 16,22 16,18) brush=0000FF"}},
        {psDonut, {"DrawDonutSlice(20,20,4,4,0,6.28319,50) brush=0000FF"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TSeriesPointerStyleNames[c.style]);
        TRecordingCanvas canvas(40, 40);
        TSeriesPointer pointer;
        pointer.SetExactCentre(true);
        pointer.SetupCanvas(canvas, clRed);
        canvas.ClearLog();
        pointer.DrawSymbol(canvas, false, c.style, clRed, 4, 4, 20, 20);
        EXPECT_EQ(canvas.Log(), c.calls);
    }
}

TEST_F(PointerTest, SolidFormsInThreeDimensions)
{
    const struct {
        TSeriesPointerStyle style;
        bool draw3D;
        std::string call;
    } cases[] = {
        {psRectangle, true, "DrawBox(16,24,16,24,10,30,true,0) brush=0000FF"},
        {psRectangle, false, "RectangleAtZ(16,16,25,25,10)"},
        {psTriangle, true, "DrawSquarePyramid(true,16,16,24,24,10,30,true) brush=0000FF"},
        {psDownTriangle, true, "DrawSquarePyramid(true,16,24,24,16,10,30,true) brush=0000FF"},
        {psTriangle, false, "Polygon(26,14 34,14 30,6) brush=0000FF"},  // projected at the front
        {psCircle, true, "EllipseAtZ(16,16,24,24,10)"},                 // the recording canvas is not really 3-D
        {psSmallDot, true, "SetPixelColor(40,0) color=0000FF"},         // at the middle
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        TRecordingCanvas canvas(60, 60);
        DepthPointer pointer;
        pointer.Slot = TSeriesDepth{10, 20, 30};
        pointer.SetExactCentre(true);
        pointer.SetDraw3D(c.draw3D);
        pointer.SetupCanvas(canvas, clRed);
        canvas.ClearLog();
        pointer.DrawSymbol(canvas, true, c.style, clRed, 4, 4, 20, 20);
        ASSERT_FALSE(canvas.Log().empty());
        EXPECT_EQ(canvas.Log().front(), c.call);
    }
}

TEST_F(PointerTest, DepthFollowsTheSeriesSlotAndDepth)
{
    const struct {
        std::optional<TSeriesDepth> slot;
        int depth;
        int start, middle, end;
    } cases[] = {
        {std::nullopt, 3, 7, 7, 7},  // no series: the own Z
        {TSeriesDepth{10, 20, 30}, 0, 10, 20, 30},
        {TSeriesDepth{10, 20, 30}, 3, 17, 20, 23},
    };
    for (const auto& c : cases) {
        DepthPointer pointer;
        pointer.Slot = c.slot;
        pointer.SetOwnZ(7);
        pointer.SetDepth(c.depth);
        EXPECT_EQ(pointer.GetStartZ(), c.start);
        EXPECT_EQ(pointer.GetMiddleZ(), c.middle);
        EXPECT_EQ(pointer.GetEndZ(), c.end);
    }
}

TEST_F(PointerTest, SizesBelowOneStoreOne)
{
    TSeriesPointer pointer;
    pointer.SetHorizSize(0);
    pointer.SetVertSize(-5);
    EXPECT_EQ(pointer.HorizSize(), 1);
    EXPECT_EQ(pointer.VertSize(), 1);
    pointer.SetSymbolSize(6);
    EXPECT_EQ(pointer.GetLargestSize(), 6);
}

TEST_F(PointerTest, CanvasSetupDarkensTheOutlineAndChoosesTheFill)
{
    const struct {
        int darkPen;
        TColor penColor;
        TColor point;
        TColor outline;
    } pens[] = {
        {20, clBlack, 0x808080, 0x6C6C6C},
        {-20, clBlack, 0x808080, 0x949494},
        {200, clBlack, 0x808080, 0x000000},
        {-200, clBlack, 0x808080, 0xFFFFFF},
        {20, clBlack, 0x0A1464, 0x000050},
        {20, static_cast<TColor>(0x80FF0000), 0x808080, static_cast<TColor>(0x806C6C6C)},  // keeps the pen's alpha
        {20, clDefault, 0x808080, 0x6C6C6C},  // the automatic marker is no alpha
        {0, clDefault, 0x808080, 0x808080},
        {0, clGreen, 0x808080, clGreen},
    };
    for (const auto& c : pens) {
        SCOPED_TRACE(c.darkPen);
        TRecordingCanvas canvas(10, 10);
        TSeriesPointer pointer;
        pointer.SetDarkPen(c.darkPen);
        pointer.Pen()->SetColor(c.penColor);
        pointer.SetupCanvas(canvas, c.point);
        EXPECT_EQ(canvas.Pen()->Color(), c.outline);
    }
    const struct {
        TColor brushColor;
        TBrushStyle style;
        TColor fill;
    } brushes[] = {
        {clDefault, bsSolid, clRed},
        {clDefault, bsCross, clYellow},  // the back colour
        {clBlue, bsSolid, clBlue},
    };
    for (const auto& c : brushes) {
        TRecordingCanvas canvas(10, 10);
        TSeriesPointer pointer;
        pointer.Brush()->SetColor(c.brushColor);
        pointer.Brush()->SetStyle(c.style);
        pointer.Brush()->SetBackColor(clYellow);
        pointer.SetupCanvas(canvas, clRed);
        EXPECT_EQ(canvas.Brush()->Color(), c.fill);
    }
    TRecordingCanvas canvas(10, 10);
    TSeriesPointer pointer;
    pointer.Pen()->SetVisible(false);
    pointer.SetupCanvas(canvas, clRed);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);
}

TEST_F(PointerTest, MarginsMakeRoomForTheSymbolAndItsPen)
{
    const struct {
        bool visible, inflate, penVisible;
        int penWidth;
        TSeriesPointerStyle style;
        int start;
        int horiz, vert;
    } cases[] = {
        {true, true, true, 3, psRectangle, 0, 6, 5},    {true, true, false, 3, psRectangle, 0, 5, 5},
        {true, true, true, 1, psNothing, 0, 5, 4},       // reserves room though it draws nothing
        {true, true, true, 3, psRectangle, 10, 10, 10},  // larger requests stay
        {false, true, true, 3, psRectangle, 0, 0, 0},   {true, false, true, 3, psRectangle, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TSeriesPointer pointer;
        pointer.SetVisible(c.visible);
        pointer.SetInflateMargins(c.inflate);
        pointer.Pen()->SetVisible(c.penVisible);
        pointer.Pen()->SetWidth(c.penWidth);
        pointer.SetStyle(c.style);
        int left = c.start, right = c.start, top = c.start, bottom = c.start;
        pointer.WidenHorizMargins(left, right);
        pointer.WidenVertMargins(top, bottom);
        EXPECT_EQ(left, c.horiz);
        EXPECT_EQ(right, c.horiz);
        EXPECT_EQ(top, c.vert);
        EXPECT_EQ(bottom, c.vert);
    }
}

TEST_F(PointerTest, AxisUnitsConvertOnTheVerticalAxis)
{
    const struct {
        int horiz, vert;
        float fractional;
        TPointerSizeUnits units;
        std::string call;
    } cases[] = {
        {2, 1, 0, suAxis, "Rectangle(130,140,171,161) brush=0000FF"},  // 20 and 10 pixels
        {2, 1, 0, suPixels, "Rectangle(148,149,153,152) brush=0000FF"},
        {2, 1, 1.5f, suAxis, "Rectangle(135,135,166,166) brush=0000FF"},    // 15 pixels both ways
        {2, 1, 2.5f, suPixels, "Rectangle(148,148,153,153) brush=0000FF"},  // rounded half to even
    };
    TTestAxisPanel chart(nullptr);
    chart.SetView3D(false);
    auto* canvas = new TRecordingCanvas(300, 300);
    chart.ReplaceCanvas(canvas);
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    TChartAxis& axis = *chart.LeftAxis();
    axis.SetPixelBounds(0, 100);
    axis.ApplyRange(0, 10);
    axis.ComputeRange();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        TSeriesPointer pointer(&series);
        pointer.SetExactCentre(true);
        pointer.SetHorizSize(c.horiz);
        pointer.SetVertSize(c.vert);
        pointer.SetFractionalSize(c.fractional);
        pointer.SetSizeUnits(c.units);
        pointer.SetupCanvas(*canvas, clRed);
        canvas->ClearLog();
        pointer.DrawStyled(150, 150, psRectangle, clRed);
        EXPECT_EQ(canvas->Calls("Rectangle"), std::vector<std::string>{c.call});
    }
    TSeriesPointer pointer(&series);
    pointer.SetFractionalSize(1.5f);
    pointer.SetSizeUnits(suAxis);
    int w = 0, h = 0;
    pointer.GetEffectiveSize(w, h);
    EXPECT_EQ(w, 15);
    EXPECT_EQ(h, 15);
}

TEST_F(PointerTest, HitTestPerStyle)
{
    // Centre (50, 50), half sizes 10.
    const struct {
        TSeriesPointerStyle style;
        TPoint in, out;
    } cases[] = {
        {psRectangle, {59, 59}, {60, 50}},    {psCross, {41, 41}, {50, 40}},
        {psSmallDot, {55, 55}, {50, 61}},     {psCircle, {50, 41}, {58, 58}},
        {psHexagon, {41, 50}, {42, 42}},      {psDonut, {50, 50}, {59, 41}},
        {psTriangle, {42, 58}, {42, 45}},     {psDownTriangle, {42, 42}, {42, 55}},
        {psLeftTriangle, {58, 42}, {45, 42}}, {psRightTriangle, {42, 42}, {55, 42}},
        {psDiamond, {50, 42}, {57, 57}},      {psArrow, {51, 42}, {54, 42}},  // body 5 wide, head 10 wide from y 50
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TSeriesPointerStyleNames[c.style]);
        DepthPointer pointer;
        pointer.SetSymbolSize(10);
        EXPECT_TRUE(pointer.IsPointInSymbol(c.style, c.in, 50, 50));
        EXPECT_FALSE(pointer.IsPointInSymbol(c.style, c.out, 50, 50));
        EXPECT_EQ(pointer.Hits, 1);
    }
    DepthPointer pointer;
    pointer.SetSymbolSize(10);
    EXPECT_TRUE(pointer.IsPointInSymbol(psArrow, {52, 53}, 50, 50));  // in the head
    EXPECT_FALSE(pointer.IsPointInSymbol(psNothing, {50, 50}, 50, 50));
}

TEST_F(PointerTest, TheGradientEndsInThePointColourUnlessFull)
{
    for (const bool full : {false, true}) {
        TTestPanel panel(nullptr);
        TRecordingCanvas canvas(40, 40);
        TSeriesPointer pointer;
        pointer.SetParentPanel(&panel);
        pointer.SetFullGradient(full);
        pointer.Gradient()->SetEndColor(clYellow);
        pointer.Gradient()->SetVisible(true);
        pointer.SetupCanvas(canvas, clRed);
        pointer.DrawSymbol(canvas, false, psRectangle, clRed, 4, 4, 20, 20);
        EXPECT_EQ(pointer.Gradient()->EndColor(), full ? clYellow : clRed);
        EXPECT_EQ(canvas.GetBrushGradient()->EndColor(), full ? clYellow : clRed);
        EXPECT_TRUE(panel.AutoRepaint());
    }
}

TEST_F(PointerTest, ShadowsGoUnderTheFiveStylesThatHaveThemAndTheFillComesBack)
{
    const struct {
        TSeriesPointerStyle style;
        bool shadowed;
    } cases[] = {
        {psRectangle, true}, {psCircle, true}, {psDonut, true},    {psHexagon, true},
        {psArrow, true},     {psCross, false}, {psDiamond, false}, {psTriangle, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TSeriesPointerStyleNames[c.style]);
        TRecordingCanvas canvas(60, 60);
        TSeriesPointer pointer;
        pointer.Shadow()->SetVisible(true);
        pointer.Shadow()->SetSmooth(false);
        pointer.Shadow()->SetTransparency(0);
        pointer.Shadow()->SetColor(clGray);
        pointer.SetupCanvas(canvas, clRed);
        canvas.ClearLog();
        pointer.DrawSymbol(canvas, false, c.style, clRed, 8, 8, 30, 30);
        const std::string text = canvas.LogText();
        EXPECT_EQ(text.find("brush=808080") != std::string::npos, c.shadowed) << text;
        EXPECT_EQ(canvas.Brush()->Color(), clRed);
        EXPECT_EQ(canvas.Brush()->Style(), bsSolid);
        EXPECT_EQ(canvas.Pen()->Color(), clBlack);  // the outline keeps its colour
    }
}

TEST_F(PointerTest, APictureFillsTheBoxAndAnEllipseClipsItForCircles)
{
    for (const TSeriesPointerStyle style : {psRectangle, psCircle}) {
        TRecordingCanvas canvas(40, 40);
        TSeriesPointer pointer;
        pointer.SetExactCentre(true);
        TBitmap image(4, 4, pf24bit);
        pointer.Picture()->SetGraphic(&image);
        pointer.SetupCanvas(canvas, clRed);
        canvas.ClearLog();
        pointer.DrawSymbol(canvas, false, style, clRed, 4, 4, 20, 20);
        const std::vector<std::string> names = CallNames(canvas);
        ASSERT_FALSE(names.empty());
        EXPECT_EQ(canvas.Calls("StretchGraphic"), std::vector<std::string>{"StretchGraphic(16,16,25,25)"});
        // The clip of a circle ends with it.
        EXPECT_EQ(names.back(), style == psCircle ? "RemoveClip" : "StretchGraphic");
    }
}

// The sixteen styles flat, four solid forms, and the effects, on both canvases.
void DrawPointerSheet(TTestPanel& panel)
{
    TCanvas3D& c = *panel.Canvas3D();
    c.SetupProjection(30, panel.ClientRect(), panel.ClientRect());
    const TColor colors[] = {clRed,   clGreen, clBlue,  clFuchsia, clNavy,    clMaroon, clTeal,   clPurple,
                             clOlive, clRed,   clGreen, clBlue,    clFuchsia, clNavy,   clMaroon, clTeal};
    DepthPointer pointer;
    pointer.SetParentPanel(&panel);
    pointer.Slot = TSeriesDepth{0, 10, 20};
    for (int i = 0; i <= psArrow; ++i) {
        const auto style = static_cast<TSeriesPointerStyle>(i);
        pointer.SetupCanvas(c, colors[i]);
        pointer.DrawSymbol(c, false, style, colors[i], 12, 12, 30 + (i / 8) * 50, 30 + (i % 8) * 50);
    }
    const TSeriesPointerStyle solids[] = {psRectangle, psTriangle, psDownTriangle, psCircle};
    for (int i = 0; i < 4; ++i) {
        pointer.SetupCanvas(c, colors[i]);
        pointer.DrawSymbol(c, true, solids[i], colors[i], 12, 12, 150, 30 + i * 60);
    }
    // Effects: shadow, gradient, darkened thick outline, transparency over a line, emboss.
    const int y = 210;
    c.UsePen(*TOwnedPtr<TZebPen>(new TZebPen));
    c.DrawLine(10, y, 400, y);
    TSeriesPointer shadowed;
    shadowed.Shadow()->SetVisible(true);
    shadowed.Shadow()->SetColor(clGray);
    shadowed.SetupCanvas(c, clYellow);
    shadowed.DrawSymbol(c, false, psRectangle, clYellow, 12, 12, y, 30);
    TSeriesPointer graded;
    graded.Gradient()->SetStartColor(clWhite);
    graded.Gradient()->SetVisible(true);
    graded.SetupCanvas(c, clBlue);
    graded.DrawSymbol(c, false, psCircle, clBlue, 12, 12, y, 90);
    TSeriesPointer dark;
    dark.SetDarkPen(100);
    dark.Pen()->SetWidth(3);
    dark.SetupCanvas(c, clLime);
    dark.DrawSymbol(c, false, psHexagon, clLime, 12, 12, y, 150);
    TSeriesPointer clear;
    clear.SetTransparency(50);
    clear.SetupCanvas(c, clRed);
    clear.DrawSymbol(c, false, psDiamond, clRed, 12, 12, y, 210);
    TSeriesPointer embossed;
    embossed.Emboss()->SetVisible(true);
    embossed.Emboss()->SetColor(clAqua);
    embossed.SetupCanvas(c, clNavy);
    embossed.DrawSymbol(c, false, psDonut, clNavy, 12, 12, y, 270);
}

TEST_F(PointerTest, PictureOfTheStyles)
{
    const struct {
        const char* canvas;
        const char* golden;
    } cases[] = {{"TZebCanvas3D", "pointer_styles"}, {"TGDIPlusCanvas", "pointer_styles_gdiplus"}};
    for (const auto& c : cases) {
        TTestPanel panel(nullptr);
        panel.SetCanvasClassName(c.canvas);
        panel.SetBounds(0, 0, 420, 240);
        panel.SetColor(clWhite);
        panel.SetBevelOuter(bvNone);
        panel.SetView3D(true);
        panel.Content = [](TTestPanel& p, const TRect&) { DrawPointerSheet(p); };
        TBitmap window;
        testkit::RenderToBitmap(panel, window);
        testsupport::ExpectMatchesGolden(window, GoldenDir, c.golden);
    }
}

// ---- callouts ----

class CalloutTest : public PanelSuite {
protected:
    void SetUp() override
    {
        panel_.SetView3D(false);
        recording_ = new TRecordingCanvas(100, 100);
        panel_.ReplaceCanvas(recording_);
    }
    TTestPanel panel_{nullptr};
    TRecordingCanvas* recording_ = nullptr;  // the panel's
};

TEST_F(CalloutTest, TheConnectorAndTheSymbolAtThePoint)
{
    using Names = std::vector<std::string>;
    const struct {
        TArrowHeadStyle head;
        bool arrowVisible, visible, withBend;
        Names calls;
    } cases[] = {
        {ahNone, true, true, false, {"MoveTo", "LineTo", "Rectangle"}},
        {ahNone, true, true, true, {"MoveTo", "LineTo", "LineTo", "Rectangle"}},
        {ahNone, true, false, false, {"MoveTo", "LineTo"}},
        {ahNone, false, true, false, {"Rectangle"}},  // an invisible arrow still leaves the symbol
        {ahLine, true, true, false, {"DrawArrowAtZ", "Polyline"}},
        {ahSolid, true, true, false, {"DrawArrowAtZ", "Polygon"}},
        {ahLine, false, true, false, {}},
    };
    for (const auto& c : cases) {
        TCallout callout;
        callout.SetParentPanel(&panel_);
        callout.SetArrowHead(c.head);
        callout.Arrow()->SetVisible(c.arrowVisible);
        callout.SetVisible(c.visible);
        recording_->ClearLog();
        callout.DrawCalloutOnParent(clRed, c.withBend, 0, {50, 10}, {30, 10}, {30, 40});
        EXPECT_EQ(CallNames(*recording_), c.calls) << recording_->LogText();
    }
}

TEST_F(CalloutTest, ThePlainConnectorRunsFromThePointThroughTheBend)
{
    TCallout callout;
    callout.SetParentPanel(&panel_);
    callout.DrawCallout(panel_, clRed, true, 0, {50, 10}, {30, 10}, {30, 40});
    EXPECT_EQ(recording_->Calls("MoveTo"), std::vector<std::string>{"MoveTo(30,40)"});
    EXPECT_EQ(recording_->Calls("LineTo"), (std::vector<std::string>{"LineTo(30,10)", "LineTo(50,10)"}));
    // The black brush of a callout, drawn flat around the point.
    EXPECT_EQ(recording_->Calls("Rectangle"), std::vector<std::string>{"Rectangle(27,37,35,45) brush=000000"});
}

TEST_F(CalloutTest, InThreeDimensionsTheSymbolSitsAtTheProjectedPoint)
{
    panel_.SetView3D(true);
    TCallout callout;
    callout.SetParentPanel(&panel_);
    callout.Brush()->SetColor(clDefault);
    callout.DrawCallout(panel_, clRed, false, 10, {50, 10}, {0, 0}, {30, 40});
    // The recording canvas projects (x + z, y - z); an automatic brush takes the point colour.
    EXPECT_EQ(recording_->Calls("Rectangle"), std::vector<std::string>{"Rectangle(37,27,45,35) brush=0000FF"});
}

TEST_F(CalloutTest, LengthAndDistanceLiftTheMark)
{
    TMarksCallout callout;
    callout.SetLength(8);
    callout.SetDistance(2);
    TPoint from{50, 50}, to{50, 40}, leftTop{40, 20};
    callout.OffsetMarkPosition(from, to, leftTop);
    EXPECT_EQ(from, (TPoint{50, 48}));
    EXPECT_EQ(to, (TPoint{50, 30}));
    EXPECT_EQ(leftTop, (TPoint{40, 10}));
}

TEST_F(CalloutTest, StoredDefaultsDifferFromThePointers)
{
    TMarksCallout marks;
    EXPECT_FALSE(marks.Visible());
    EXPECT_FALSE(marks.IsVisibleStored());
    marks.SetVisible(true);
    EXPECT_TRUE(marks.IsVisibleStored());
    TCallout callout;
    EXPECT_TRUE(callout.FullGradient());
    EXPECT_FALSE(callout.IsFullGradientStored());
    EXPECT_FALSE(callout.Draw3D());
    EXPECT_FALSE(callout.Brush()->IsColorStored());
    EXPECT_EQ(callout.Brush()->Color(), clBlack);
    TSeriesPointer pointer;
    EXPECT_FALSE(pointer.FullGradient());
    EXPECT_FALSE(pointer.IsFullGradientStored());
}

}  // namespace
