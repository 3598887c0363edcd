// The line family: defaults, the pointer list, margins, drawing on the recording canvas, stacking,
// hit tests, pointers and legend symbols, and the fast line series.
#include <cstdlib>
#include <set>
#include <tuple>

#include "SeriesTestPanel.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Callout.h"
#include "chart/core/Chart.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebSelected.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TLineTestPanel) {}

namespace {

// A chart whose mouse press a test can send without a window.
class TPressableChart : public TChart {
    TV_CLASS(TPressableChart, TChart)
public:
    using TChart::TChart;
    using TChart::MouseDown;
};

}  // namespace

TV_PUBLISHED(TPressableChart) {}

// ---- defaults ----

TEST_F(LineFamily, Defaults)
{
    TCustomSeries base(&owner);
    EXPECT_TRUE(base.ClickableLine());
    EXPECT_TRUE(base.ColorEachLine());
    EXPECT_TRUE(base.Dark3D());
    EXPECT_TRUE(base.InflateMargins());
    EXPECT_EQ(base.ClickTolerance(), 0);
    EXPECT_EQ(base.DrawStyle(), dsSegments);
    EXPECT_EQ(base.Stacked(), cssNone);
    EXPECT_EQ(base.HoverElement(), THoverElements{heCurrent});
    EXPECT_EQ(base.DrawnFraction(), 1.0f);
    EXPECT_EQ(base.AreaChartBrush()->Color(), static_cast<TColor>(0x808080));

    struct Case {
        TCustomSeries* series;
        bool pointer, lines, area, clickableLine;
    };
    TLineSeries line(&owner);
    TPointSeries point(&owner);
    TAreaSeries area(&owner);
    for (const Case& c : {Case{&line, false, true, false, true}, Case{&point, true, false, false, false},
                          Case{&area, false, false, true, true}}) {
        SCOPED_TRACE(c.series->ClassName());
        EXPECT_EQ(c.series->Pointer()->Visible(), c.pointer);
        EXPECT_FALSE(c.series->Pointer()->IsVisibleStored());
        EXPECT_EQ(c.series->DrawLines(), c.lines);
        EXPECT_EQ(c.series->DrawArea(), c.area);
        EXPECT_EQ(c.series->ClickableLine(), c.clickableLine);
    }
    TFastLineSeries fast(&owner);
    EXPECT_TRUE(fast.AutoRepaint());
    EXPECT_TRUE(fast.DrawAllPoints());
    EXPECT_TRUE(fast.IgnoreNulls());
    EXPECT_EQ(fast.TreatNulls(), tnIgnore);
    EXPECT_EQ(fast.DrawAllPointsStyle(), daFirst);
    EXPECT_EQ(fast.DrawStyle(), flSegments);
    EXPECT_FALSE(fast.FastPen());
    EXPECT_EQ(fast.LinePen()->EndStyle(), esFlat);
}

TEST_F(LineFamily, AssigningAPointSeriesToALineSeriesHidesThePointerAndKeepsLines)
{
    TPointSeries point(&owner);
    TLineSeries line(&owner);
    line.Assign(&point);
    EXPECT_FALSE(line.Pointer()->Visible());
    EXPECT_TRUE(line.DrawLines());
}

// ---- pointer list ----

TEST_F(LineFamily, PointerListAnswersTheSharedPointerOutsideItsEntries)
{
    TPointSeries s(&owner);
    TSeriesPointerItems& p = *s.Pointer();
    p.EnsureItem(2)->SetHorizSize(9);
    EXPECT_EQ(p.ItemCount(), 3);
    EXPECT_EQ(p.ItemOrSelf(-1), &p);
    EXPECT_EQ(p.ItemOrSelf(7), &p);
    EXPECT_EQ(p.ItemOrSelf(1), &p);  // empty entry
    EXPECT_EQ(p.ItemOrSelf(2)->HorizSize(), 9);
}

TEST_F(LineFamily, DeletingAPointMovesTheLaterPointers)
{
    auto* s = Add<TPointSeries>({1, 2, 3, 4, 5, 6});
    for (int i = 0; i <= 5; ++i) s->Pointer()->EnsureItem(i)->SetHorizSize(10 + i);
    s->RemovePoint(3);
    EXPECT_EQ(s->Pointer()->ItemOrSelf(3)->HorizSize(), 14);
    EXPECT_EQ(s->Pointer()->ItemOrSelf(4)->HorizSize(), 15);
    EXPECT_EQ(s->Pointer()->ItemCount(), 5);
}

TEST_F(LineFamily, OutLineIsMadeOnReadAndNoneRemovesIt)
{
    TLineSeries s(&owner);
    EXPECT_FALSE(s.HasOutLine());
    EXPECT_FALSE(s.OutLine()->Visible());
    EXPECT_TRUE(s.HasOutLine());
    s.SetOutLine(nullptr);
    EXPECT_FALSE(s.HasOutLine());
}

TEST_F(LineFamily, MarginsOfTheLinePen)
{
    for (auto [width, stairs, expected] : {std::tuple{1, false, 0}, {4, false, 3}, {4, true, 4}}) {
        SCOPED_TRACE(width);
        TLineSeries s(&owner);
        s.LinePen()->SetWidth(width);
        s.SetStairs(stairs);
        int l = 0, r = 0, t = 0, b = 0;
        s.MeasureHorizMargins(l, r);
        s.MeasureVertMargins(t, b);
        EXPECT_EQ(l, expected);
        EXPECT_EQ(r, expected);
        EXPECT_EQ(t, expected);
        EXPECT_EQ(b, expected);
    }
}

// ---- extremes ----

TEST_F(LineFamily, ExtremeValueLeavesNullsOutUnlessIgnored)
{
    auto* s = Add<TLineSeries>({5, 1, 9});
    EXPECT_EQ(s->ExtremeValue(true), 1);
    EXPECT_EQ(s->ExtremeValue(false), 9);
    s->SetPointColor(2, clNullPoint);
    EXPECT_EQ(s->NullPointCount(), 1);
    EXPECT_EQ(s->ExtremeValue(false), 5);
    s->SetTreatNulls(tnIgnore);
    EXPECT_EQ(s->ExtremeValue(false), 9);
    s->SetTreatNulls(tnDontPaint);
    s->RemovePoint(2);
    EXPECT_EQ(s->NullPointCount(), 0);
    EXPECT_EQ(s->ExtremeValue(false), 5);
    TLineSeries empty(&owner);
    EXPECT_EQ(empty.ExtremeValue(true), 0);
}

// ---- drawing ----

TEST_F(LineFamily, NullPointUnderEachTreatment)
{
    using V = std::vector<std::string>;
    const V dontPaint{};
    const V skip{P("MoveTo", X(0), Y(1)), P("LineTo", X(2), Y(3))};
    const V ignore{P("MoveTo", X(0), Y(1)), P("LineTo", X(1), Y(0)), P("MoveTo", X(1), Y(0)), P("LineTo", X(2), Y(3))};
    for (auto [treat, expected] : {std::tuple{tnDontPaint, dontPaint}, {tnSkip, skip}, {tnIgnore, ignore}}) {
        SCOPED_TRACE(TTreatNullsStyleNames[treat]);
        auto* s = Add<TLineSeries>({1, 0, 3});
        s->SetPointColor(1, clNullPoint);
        s->SetTreatNulls(treat);
        EXPECT_EQ(Draw(*s), expected);
        s->Free();
    }
}

TEST_F(LineFamily, StairsGoAcrossThenUpOrUpThenAcross)
{
    Range(0, 100, 0, 100);
    for (bool inverted : {false, true}) {
        auto* s = new TLineSeries(&owner);
        s->SetParentChart(&chart);
        s->InsertXY(10, 50);
        s->InsertXY(20, 30);
        s->SetStairs(true);
        s->SetInvertedStairs(inverted);
        const TPoint corner = inverted ? TPoint{X(10), Y(30)} : TPoint{X(20), Y(50)};
        EXPECT_EQ(Draw(*s), (std::vector<std::string>{P("MoveTo", X(10), Y(50)), P("LineTo", corner.X, corner.Y),
                                                      P("LineTo", X(20), Y(30))}));
        s->Free();
    }
}

TEST_F(LineFamily, CoincidingEndsDrawNoSegmentButThePointer)
{
    auto* s = Add<TLineSeries>({2, 2});
    s->InsertXY(0, 2);  // a second point on the first one's pixel
    s->Pointer()->SetVisible(true);
    canvas->ClearLog();
    s->FindVisibleRange();
    s->DrawVisiblePoints();
    const auto lines = canvas->Calls("LineTo");
    EXPECT_EQ(lines.size(), 1u);  // only the segment to (1, 2)
    EXPECT_EQ(canvas->Calls("Rectangle").size(), 3u);  // every pointer still painted
}

TEST_F(LineFamily, TheLineEntersFromThePlotEdgeWhenEarlierPointsAreOutOfView)
{
    Range(4.5, 10, 0, 20);
    for (bool stairs : {false, true}) {
        auto* s = Add<TLineSeries>({0, 1, 2, 3, 4, 10, 6, 7});
        s->SetStairs(stairs);
        const auto calls = Draw(*s);
        ASSERT_FALSE(calls.empty());
        // Halfway from point 4 (4) to point 5 (10) the line is at 7; with stairs at point 4's height.
        EXPECT_EQ(calls[0], P("MoveTo", 100, stairs ? Y(4) : Y(7)));
        s->Free();
    }
}

TEST_F(LineFamily, DrawAllIsOnePolylineIn2DAndFallsBackIn3D)
{
    auto* s = Add<TLineSeries>({1, 2, 3, 4});
    s->SetDrawStyle(dsAll);
    Draw(*s);
    EXPECT_EQ(canvas->Calls("Polyline").size(), 1u);
    EXPECT_TRUE(canvas->Calls("LineTo").empty());
    s->SetColorEachPoint(true);
    Draw(*s);
    EXPECT_TRUE(canvas->Calls("Polyline").empty());
    EXPECT_EQ(canvas->Calls("LineTo").size(), 3u);
}

TEST_F(LineFamily, DrawnFractionHasAPartialPointOnlyWithARemainder)
{
    Range(0, 10, 0, 20);
    // 0.5 of 10: points 0 to 5; 0.55: the same and a partial point at X 5.5.
    for (auto [fraction, points] : {std::tuple{0.5f, 6u}, {0.55f, 7u}}) {
        SCOPED_TRACE(fraction);
        auto* s = Add<TLineSeries>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        s->SetDrawStyle(dsAll);
        s->SetDrawnFraction(fraction);
        Draw(*s);
        const auto calls = canvas->Calls("Polyline");
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(std::count(calls[0].begin(), calls[0].end(), ' ') + 1, static_cast<long>(points)) << calls[0];
        s->Free();
    }
}

TEST_F(LineFamily, AFarPointIsClampedOnTheSameLine)
{
    Range(0, 10, 0, 10);
    auto* s = Add<TLineSeries>({5});
    s->InsertXY(1, 5 - 10000);  // about 300,000 pixels below
    const auto calls = Draw(*s);
    ASSERT_EQ(calls.size(), 2u);
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(calls[1].c_str(), "LineTo(%d,%d)", &x, &y), 2);
    EXPECT_EQ(y, MaxPixelCoordinate);
    const double slope = static_cast<double>(Y(-9995) - Y(5)) / (X(1) - X(0));
    EXPECT_NEAR(x, X(0) + (y - Y(5)) / slope, 1);
}

TEST_F(LineFamily, AHiddenLinePenStillDrawsAndStaysVisible)
{
    auto* s = Add<TLineSeries>({1, 2});
    s->LinePen()->SetVisible(false);
    Draw(*s);
    EXPECT_EQ(canvas->Calls("LineTo").size(), 1u);
    EXPECT_TRUE(s->LinePen()->Visible());
}

TEST_F(LineFamily, TheLineTakesTheSeriesColourNotThePenColour)
{
    auto* s = Add<TLineSeries>({1, 2});
    s->SetSeriesColor(static_cast<TColor>(0x8000FF));
    s->LinePen()->SetColor(clRed);
    Draw(*s);
    EXPECT_EQ(canvas->Pen()->Color(), static_cast<TColor>(0x8000FF));
    s->SetColorEachLine(false);  // and no colour per point either
    Draw(*s);
    EXPECT_EQ(canvas->Pen()->Color(), static_cast<TColor>(0x8000FF));
}

// ---- stacking ----

TEST_F(LineFamily, StackedSeriesSitOnEachOther)
{
    Range(0, 10, 0, 10);
    auto* a = Add<TLineSeries>({1, 0});
    auto* b = Add<TLineSeries>({2, 0});
    auto* c = Add<TLineSeries>({3, 0});
    a->SetStacked(cssStack);
    EXPECT_EQ(c->Stacked(), cssStack);
    EXPECT_EQ(c->PointScreenY(0), Y(6));
    EXPECT_EQ(c->OriginPixel(0), Y(3));
    EXPECT_EQ(c->HighestY(), 6);
    c->SetStacked(cssStack100);
    Range(0, 10, 0, 100);
    EXPECT_EQ(a->PointScreenY(0), Y(100.0 / 6));
    EXPECT_EQ(b->PointScreenY(0), Y(50));
    EXPECT_EQ(c->PointScreenY(0), Y(100));
    EXPECT_EQ(a->PointScreenY(1), chart.LeftAxis()->EndPixel());
    b->SetPointY(0, -2);
    EXPECT_EQ(c->StackedSum(0, true), 6);
}

// Two stacked series, pixel for pixel: a stacked point is the pixel of its sum but never beyond
// the value axis' end pixel (the bottom of a vertical axis, the right of a horizontal one).
TEST_F(LineFamily, StackedPixelsStopAtTheValueAxisEnd)
{
    struct Case {
        const char* name;
        bool horizontal;
        double a, b;
        int lower, upper, upperOrigin;  // pixels of a, of b on a, and of b's origin
    };
    // Both axes run 0..10: X over pixels 100..400, Y over 320..20.
    const Case cases[] = {
        {"vertical", false, 1, 2, 290, 230, 290},
        {"vertical, above the top", false, 6, 6, 140, -40, 140},
        {"vertical, below the bottom", false, -1, -2, 320, 320, 320},
        {"horizontal", true, 1, 2, 130, 190, 130},
        {"horizontal, beyond the right", true, 6, 6, 280, 400, 280},
        {"horizontal, left of the start", true, -1, -2, 70, 10, 70},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChartSeries* pair[2];
        for (int k = 0; k < 2; ++k) {
            TCustomSeries* s = c.horizontal ? static_cast<TCustomSeries*>(new THorizLineSeries(&owner))
                                            : static_cast<TCustomSeries*>(new TLineSeries(&owner));
            s->SetParentChart(&chart);
            const double v = k == 0 ? c.a : c.b;
            if (c.horizontal)
                s->InsertXY(v, 0);
            else
                s->InsertXY(0, v);
            pair[k] = s;
        }
        auto* a = static_cast<TCustomSeries*>(pair[0]);
        auto* b = static_cast<TCustomSeries*>(pair[1]);
        a->SetStacked(cssStack);
        auto at = [&](TCustomSeries* s) { return c.horizontal ? s->PointScreenX(0) : s->PointScreenY(0); };
        EXPECT_EQ(at(a), c.lower);
        EXPECT_EQ(at(b), c.upper);
        EXPECT_EQ(b->OriginPixel(0), c.upperOrigin);
        EXPECT_EQ(a->OriginPixel(0), c.horizontal ? 100 : 320);
        a->Free();
        b->Free();
    }
}

TEST_F(LineFamily, StackedSpreadsToLineSeriesAndAncestorsOnly)
{
    auto* line = Add<TLineSeries>({1});
    auto* horiz = Add<THorizLineSeries>({1});
    auto* area = Add<TAreaSeries>({1});
    auto* point = Add<TPointSeries>({1});
    line->SetStacked(cssStack);
    EXPECT_EQ(horiz->Stacked(), cssNone);
    EXPECT_EQ(area->Stacked(), cssNone);
    EXPECT_EQ(point->Stacked(), cssNone);
    horiz->SetStacked(cssOverlap);
    EXPECT_EQ(line->Stacked(), cssOverlap);
}

TEST_F(LineFamily, AreaStackGroupsTakeTheirOwnDepthSlots)
{
    chart.SetView3D(true);
    auto* a = Add<TAreaSeries>({1});
    auto* b = Add<TAreaSeries>({1});
    b->SetStackGroup(1);
    a->SetMultiArea(maStacked);
    EXPECT_EQ(b->Stacked(), cssStack);
    EXPECT_FALSE(a->StacksWith(b));
    chart.ResetZSlots();
    a->ReserveZSlot();
    b->ReserveZSlot();
    EXPECT_NE(a->GetZSlot(), b->GetZSlot());
}

TEST_F(LineFamily, AreaFillsFromItsOwnOrigin)
{
    Range(0, 10, 0, 40);
    auto* s = Add<TAreaSeries>({20, 30});
    s->SetUseYOrigin(true);
    s->SetYOrigin(10);
    EXPECT_EQ(s->LowestY(), 10);
    EXPECT_EQ(s->OriginPixel(0), Y(10));
    Draw(*s);
    const auto polygons = canvas->Calls("Polygon");
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_NE(polygons[0].find(std::to_string(Y(10))), std::string::npos) << polygons[0];
}

// ---- marks of horizontal series ----

// A horizontal line series puts a mark beside its point, on the side away from the origin (the
// right edge of an inverted axis); the horizontal area series always on the right.
TEST_F(LineFamily, MarksOfHorizontalSeriesStandBesideThePoint)
{
    struct Case {
        const char* name;
        bool area, inverted, left;
    };
    const Case cases[] = {
        {"line", false, false, false},
        {"line, origin on the right", false, true, true},
        {"area", true, false, false},
        {"area, origin on the right", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart.BottomAxis()->SetInverted(c.inverted);
        Range(0, 10, 0, 10);
        TCustomSeries* s = c.area ? static_cast<TCustomSeries*>(new THorizAreaSeries(&owner))
                                  : static_cast<TCustomSeries*>(new THorizLineSeries(&owner));
        s->SetParentChart(&chart);
        s->InsertXY(3, 2, "left");
        s->InsertXY(7, 8, "right");
        s->Marks().SetVisible(true);
        s->FindVisibleRange();
        s->DrawPointMarks();
        const int length = s->Marks().Callout()->Length(), distance = s->Marks().Callout()->Distance();
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE(i);
            const TSeriesMarkPosition* p = s->Marks().Positions().PositionAt(i);
            ASSERT_NE(p, nullptr);
            const int x = s->PointScreenX(i), y = s->PointScreenY(i);
            ASSERT_GT(p->Width, 0);
            EXPECT_EQ(p->ArrowFrom, (TPoint{c.left ? x - distance : x + distance, y}));
            if (c.left) {
                EXPECT_EQ(p->LeftTop.X, x - length - distance - p->Width);
                EXPECT_EQ(p->ArrowTo, (TPoint{x - length - distance - p->Width, y}));
            } else {
                EXPECT_EQ(p->LeftTop.X, x + length + distance);
                EXPECT_EQ(p->ArrowTo, (TPoint{x + length + distance, y}));
            }
            // Centred on the point's height.
            EXPECT_LE(std::abs(p->LeftTop.Y + p->Height / 2 - y), 1);
        }
        s->Free();
    }
    chart.BottomAxis()->SetInverted(false);
}

// ---- hit test ----

TEST_F(LineFamily, HitTestAlongTheLine)
{
    auto* s = Add<TLineSeries>({1, 2, 3, 4, 5, 6});
    s->FindVisibleRange();
    EXPECT_EQ(s->HitTest(X(0), Y(1)), 0);
    const int midX = (X(3) + X(4)) / 2, midY = (Y(4) + Y(5)) / 2;
    EXPECT_EQ(s->HitTest(midX, midY), 3);
    chart.BottomAxis()->SetInverted(true);
    Range(0, 10, 0, 10);
    s->FindVisibleRange();
    EXPECT_EQ(s->HitTest((X(3) + X(4)) / 2, midY), 3);
    s->SetClickableLine(false);
    EXPECT_EQ(s->HitTest((X(3) + X(4)) / 2, midY), -1);
}

TEST_F(LineFamily, FastLineAnswersTheLowerIndexOnAnInvertedStep)
{
    auto* s = Add<TFastLineSeries>({1, 5});
    s->SetStairs(true);
    s->SetInvertedStairs(true);
    s->FindVisibleRange();
    EXPECT_EQ(s->HitTest(X(0), Y(3)), 0);  // the vertical leg comes first
    EXPECT_EQ(s->HitTest(X(1), Y(3)), -1);
}

// ---- pointers, hover pens, legend symbols ----

TEST_F(LineFamily, APointersOwnBrushColourWins)
{
    auto* s = Add<TPointSeries>({1});
    s->Pointer()->Brush()->SetColor(clBlue);
    canvas->ClearLog();
    s->DrawPointSymbol(X(0), Y(1), 0, clRed);
    EXPECT_EQ(canvas->Brush()->Color(), clBlue);
}

TEST_F(LineFamily, PsNothingDrawsAndHitsNothing)
{
    auto* s = Add<TPointSeries>({1, 2});
    s->SetOnGetPointerStyle(TOnGetPointerStyle([](TChartSeries*, int) { return psNothing; }));
    Draw(*s);
    EXPECT_TRUE(canvas->Calls("Rectangle").empty());
    EXPECT_FALSE(s->IsOverPointer(0, X(0), Y(1), X(0), Y(1)));
}

// The chart's part finder tells a point's pointer symbol from its line, flat and in 3-D, and a
// press on the symbol reaches OnClickPointer.
TEST_F(LineFamily, TheChartFindsAPointerApartFromItsLine)
{
    for (const bool view3D : {false, true}) {
        SCOPED_TRACE(view3D ? "3-D" : "flat");
        TPressableChart c(nullptr);
        c.SetBounds(0, 0, 400, 300);
        c.SetView3D(view3D);
        c.ReplaceCanvas(new TRecordingCanvas(400, 300));
        auto* s = new TLineSeries(&c);
        s->SetParentChart(&c);
        for (const double y : {1, 5, 3}) s->AppendValue(y);
        s->Marks().SetVisible(false);
        s->Pointer()->SetVisible(true);
        int pointerClicks = 0;
        s->SetOnClickPointer(TSeriesClickPointerEvent([&](TCustomSeries*, int index, int, int) { pointerClicks += index; }));
        c.RenderTo(nullptr, {0, 0, 400, 300});
        // The hit test reads clicks in the series' front plane.
        const auto screen = [&](int x, int y) {
            return view3D ? c.Canvas3D()->ProjectXYZ(x, y, s->ComputeDepthRange().start) : TPoint{x, y};
        };
        const TPoint onPointer = screen(s->PointScreenX(1), s->PointScreenY(1));
        const TPoint onLine = screen((s->PointScreenX(1) + s->PointScreenX(2)) / 2, (s->PointScreenY(1) + s->PointScreenY(2)) / 2);
        struct Case {
            const char* name;
            TPoint at;
            bool pointerVisible;
            TChartClickedPartStyle part;
            int index;
        };
        for (const Case& k : {Case{"pointer", onPointer, true, cpSeriesPointer, 1}, Case{"line", onLine, true, cpSeries, 1},
                              Case{"hidden pointer", onPointer, false, cpSeries, 1}}) {
            SCOPED_TRACE(k.name);
            s->Pointer()->SetVisible(k.pointerVisible);
            const TChartClickedPart part = c.PartAtPoint(k.at);
            EXPECT_EQ(part.Part, k.part);
            EXPECT_EQ(part.PointIndex, k.index);
            EXPECT_EQ(part.ASeries, s);
        }
        s->Pointer()->SetVisible(true);
        // The press on the line starts a zoom, so it comes last.
        c.MouseDown(mbLeft, {}, onPointer.X, onPointer.Y);
        EXPECT_EQ(pointerClicks, 1);
        c.MouseDown(mbLeft, {}, onLine.X, onLine.Y);
        EXPECT_EQ(pointerClicks, 1);
    }
}

// Which segment and which pointer take the hover pen, by the hovered part and HoverElement.
TEST_F(LineFamily, HoverPensMarkTheCurrentNextOrPreviousSegmentAndPointer)
{
    struct Case {
        const char* name;
        THoverElements elements;
        int part;  // 1: the point (Selected's hover index), 2: its pointer
        int segment, pointer;  // starts of the hovered segment and the hovered pointer, -1 none
    };
    const Case cases[] = {
        {"current point", {heCurrent}, 1, 2, -1},   {"next of a point", {heNext}, 1, -1, 3},
        {"previous of a point", {hePrevious}, 1, -1, 2}, {"current pointer", {heCurrent}, 2, -1, 2},
        {"next of a pointer", {heNext}, 2, 2, -1},  {"previous of a pointer", {hePrevious}, 2, 1, -1},
    };
    const TColor hoverColor = clLime;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* s = Add<TLineSeries>({5, 5, 5, 5, 5, 5});
        chart.Hover()->SetVisible(true);
        s->Selected()->Hover()->SetVisible(true);
        s->Selected()->Hover()->Pen()->SetColor(hoverColor);
        s->Selected()->Hover()->Pen()->SetWidth(3);
        s->Pointer()->Selected()->Hover()->Pen()->SetColor(hoverColor);
        s->Pointer()->Selected()->Hover()->Pen()->SetWidth(3);
        s->LinePen()->SetWidth(3);
        s->Pointer()->SetVisible(true);
        s->Pointer()->SetHorizSize(4);
        s->Pointer()->SetVertSize(4);
        s->SetHoverElement(c.elements);
        s->SetHoverPart(c.part);
        if (c.part == 1)
            s->Selected()->SetHoverIndex(2);
        else
            s->Pointer()->HoverIndex = 2;
        canvas->EraseRect({0, 0, 500, 400});
        Draw(*s);
        for (int i = 0; i + 1 < s->Count(); ++i)
            EXPECT_EQ(canvas->GetPixelColor((X(i) + X(i + 1)) / 2, Y(5)) == hoverColor, i == c.segment) << "segment " << i;
        for (int i = 0; i < s->Count(); ++i)
            EXPECT_EQ(canvas->GetPixelColor(X(i), Y(5) - 4) == hoverColor, i == c.pointer) << "pointer " << i;
        s->Free();
    }
}

// A hovered pointer takes its own hover pen, the line the series'; either display enables hovering.
TEST_F(LineFamily, APointerHoversWithItsOwnSelected)
{
    struct Case {
        const char* name;
        bool seriesHover, pointerHover;
    };
    const Case cases[] = {
        {"both", true, true}, {"series only", true, false}, {"pointer only", false, true}, {"neither", false, false}};
    const TColor seriesPen = clLime, pointerPen = clBlue;
    chart.Hover()->SetVisible(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto* s = Add<TLineSeries>({5, 5, 5});
        s->Selected()->Hover()->SetVisible(c.seriesHover);
        s->Selected()->Hover()->Pen()->SetColor(seriesPen);
        s->Pointer()->SetVisible(true);
        s->Pointer()->Selected()->Hover()->SetVisible(c.pointerHover);
        s->Pointer()->Selected()->Hover()->Pen()->SetColor(pointerPen);
        s->Pointer()->Selected()->Hover()->Pen()->SetWidth(3);
        EXPECT_EQ(s->IsHoverEnabled(), c.seriesHover || c.pointerHover);
        s->SetHoverElement({heCurrent});
        s->SetHoverPart(2);
        s->Pointer()->HoverIndex = 1;
        canvas->EraseRect({0, 0, 500, 400});
        Draw(*s);
        EXPECT_EQ(canvas->GetPixelColor(X(1), Y(5) - 4) == pointerPen, c.pointerHover);
        EXPECT_NE(canvas->GetPixelColor(X(0), Y(5) - 4), pointerPen);
        s->Free();
    }
    chart.Hover()->SetVisible(false);
    auto* s = Add<TLineSeries>({5});
    s->Pointer()->Selected();
    EXPECT_FALSE(s->IsHoverEnabled()) << "the chart hides hovering";
    s->Free();
}

TEST_F(LineFamily, LegendLineAndPointerShape)
{
    auto* line = Add<TLineSeries>({1});
    canvas->ClearLog();
    line->FillLegendSymbol(-1, {10, 10, 30, 20});
    EXPECT_EQ(canvas->Calls("LineTo"), std::vector<std::string>{"LineTo(30,15)"});

    auto* point = Add<TPointSeries>({1});
    point->Pointer()->SetHorizSize(8);
    point->Pointer()->SetVertSize(4);
    point->Pointer()->Pen()->SetVisible(false);
    canvas->ClearLog();
    point->FillLegendSymbol(-1, {0, 0, 20, 20});
    const auto rects = canvas->Calls("Rectangle");
    ASSERT_EQ(rects.size(), 1u);
    int l, t, r, b;
    ASSERT_EQ(std::sscanf(rects[0].c_str(), "Rectangle(%d,%d,%d,%d)", &l, &t, &r, &b), 4);
    EXPECT_LE(r - l, 2 * 8 + 1);
    EXPECT_LE(b - t, 2 * 4 + 1);
    EXPECT_NEAR(static_cast<double>(r - l) / (b - t), 2.0, 0.5);
}

// ---- fast line ----

TEST_F(LineFamily, FastLineFirstOfEachColumnDrawsAtMostOneLinePerColumn)
{
    // 1000 points whose X pixels span exactly 100 columns (100 .. 199).
    chart.SetChartRect({100, 20, 200, 320});
    chart.NormalizeChartRect();
    Range(0, 1010, 0, 10);
    std::set<int> columns;
    for (int i = 0; i < 1000; ++i) columns.insert(X(i));
    ASSERT_EQ(columns.size(), 100u);
    auto* s = new TFastLineSeries(&owner);
    s->SetParentChart(&chart);
    for (int i = 0; i < 1000; ++i) s->AppendValue(i % 7);
    s->SetDrawAllPoints(false);
    s->PrecalcPoints();
    Draw(*s);
    // The first point only moves: one line into each later column.
    EXPECT_EQ(canvas->Calls("LineTo").size(), columns.size() - 1);
}

TEST_F(LineFamily, FastLineNulls)
{
    for (auto [treat, lines] : {std::tuple{tnIgnore, 2u}, {tnSkip, 1u}, {tnDontPaint, 0u}}) {
        SCOPED_TRACE(TTreatNullsStyleNames[treat]);
        auto* s = Add<TFastLineSeries>({1, 5, 3});
        s->SetPointColor(1, clNullPoint);
        s->SetTreatNulls(treat);
        s->PrecalcPoints();
        Draw(*s);
        EXPECT_EQ(canvas->Calls("LineTo").size(), lines);
        s->Free();
    }
}

TEST_F(LineFamily, FastLineWithoutAutoRepaintStartsAtTheAxesCrossing)
{
    auto* s = Add<TFastLineSeries>({1, 2});
    s->SetAutoRepaint(false);
    chart.LeftAxis()->SetAxisLinePosition(100);
    chart.BottomAxis()->SetAxisLinePosition(320);
    s->RemoveAllPoints();
    canvas->ClearLog();
    s->AppendValue(5);
    EXPECT_EQ(canvas->Calls("MoveTo").front(), "MoveTo(100,320)");
    EXPECT_EQ(canvas->Calls("LineTo"), std::vector<std::string>{P("LineTo", X(0), Y(5))});
}
