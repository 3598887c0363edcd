// Pictures of the line family on both canvases, compared with committed images that someone has
// looked at: lines, areas, points, a fast line, stacked areas and stairs.
#include <cmath>
#include <functional>
#include <string>

#include "SeriesTestPanel.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/ArrowSeries.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/HistogramSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/ShapeSeries.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/StringList.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/series/golden";
constexpr int Width = 320, Height = 220;

template <class S>
S* AddSeries(TCustomAxisPanel& chart, TColor color, int count, const std::function<double(int)>& y)
{
    auto* s = new S(&chart);
    s->SetParentChart(&chart);
    s->SetSeriesColor(color);
    for (int i = 0; i < count; ++i) s->AppendValue(y(i));
    return s;
}

double Wave(int i, double phase) { return 50 + 35 * std::sin(i / 3.0 + phase); }

struct PictureCase {
    const char* name;
    std::function<void(TCustomAxisPanel&)> fill;
};

const PictureCase Pictures[] = {
    {"line",
     [](TCustomAxisPanel& c) {
         AddSeries<TLineSeries>(c, static_cast<TColor>(0x8000FF), 30, [](int i) { return Wave(i, 0); })
             ->LinePen()
             ->SetWidth(2);
         AddSeries<TLineSeries>(c, static_cast<TColor>(4259584), 30, [](int i) { return Wave(i, 2); });
     }},
    {"area",
     [](TCustomAxisPanel& c) {
         AddSeries<TAreaSeries>(c, clTeal, 20, [](int i) { return Wave(i, 1); });
     }},
    {"point",
     [](TCustomAxisPanel& c) {
         auto* s = AddSeries<TPointSeries>(c, clBlue, 15, [](int i) { return Wave(i, 0); });
         s->Pointer()->SetStyle(psCircle);
         AddSeries<TPointSeries>(c, clRed, 15, [](int i) { return Wave(i, 3); });
     }},
    {"fast_line",
     [](TCustomAxisPanel& c) {
         AddSeries<TFastLineSeries>(c, static_cast<TColor>(0x8000FF), 300, [](int i) {
             return Wave(i / 10, 0) + 6 * std::sin(i * 1.7);
         });
     }},
    {"stacked_areas",
     [](TCustomAxisPanel& c) {
         auto* a = AddSeries<TAreaSeries>(c, clRed, 12, [](int i) { return 10 + 8 * std::sin(i / 2.0); });
         AddSeries<TAreaSeries>(c, clGreen, 12, [](int i) { return 20 + 5 * std::cos(i / 3.0); });
         AddSeries<TAreaSeries>(c, clBlue, 12, [](int i) { return 15 + i; });
         a->SetMultiArea(maStacked);
     }},
    {"stairs",
     [](TCustomAxisPanel& c) {
         auto* up = AddSeries<TLineSeries>(c, clRed, 12, [](int i) { return Wave(i, 0); });
         up->SetStairs(true);
         up->LinePen()->SetWidth(2);
         auto* inverted = AddSeries<TLineSeries>(c, clBlue, 12, [](int i) { return Wave(i, 2); });
         inverted->SetStairs(true);
         inverted->SetInvertedStairs(true);
     }},
    {"histogram",
     [](TCustomAxisPanel& c) {
         auto* h = AddSeries<THistogramSeries>(c, clTeal, 16, [](int i) { return Wave(i, 1); });
         h->LinesPen()->SetVisible(true);
         h->SetColorEachPoint(false);
     }},
    {"bubble",
     [](TCustomAxisPanel& c) {
         RandSeed = 2024;  // the sample data is the seeded generator's
         auto* b = new TBubbleSeries(&c);
         b->SetParentChart(&c);
         b->FillWithSamples();
     }},
    {"arrow",
     [](TCustomAxisPanel& c) {
         RandSeed = 2024;
         auto* a = new TArrowSeries(&c);
         a->SetParentChart(&c);
         a->XValues()->SetDateTime(false);  // a date-time start would be today's
         a->SetColorEachPoint(true);
         a->SetArrowWidth(10);
         a->SetArrowHeight(12);
         a->FillWithSamples(6);
         auto* filled = new TArrowSeries(&c);
         filled->SetParentChart(&c);
         filled->SetFill2D(true);
         filled->SetArrowWidth(14);
         filled->SetArrowHeight(14);
         filled->FillWithSamples(3);
     }},
    {"shapes",
     [](TCustomAxisPanel& c) {
         const auto shape = [&c](TChartShapeStyle style, TColor color, double x0, double y0, double x1, double y1) {
             auto* s = new TChartShape(&c);
             s->SetParentChart(&c);
             s->SetStyle(style);
             s->SetSeriesColor(color);
             s->SetX0(x0);
             s->SetY0(y0);
             s->SetX1(x1);
             s->SetY1(y1);
             return s;
         };
         TChartShape* box = shape(chasRectangle, clYellow, 0, 60, 45, 100);
         box->SetRoundRectangle(true);
         box->Text()->Add("Rounded");
         box->Text()->Add("box");
         shape(chasCircle, clRed, 55, 60, 100, 100)->Text()->Add("red on red");
         shape(chasTriangle, clTeal, 0, 0, 30, 45);
         shape(chasDiamond, clFuchsia, 35, 0, 65, 45);
         shape(chasStar, clBlue, 70, 0, 100, 45);
         shape(chasLine, clGreen, 100, 50, 0, 50);
     }},
    {"gantt",
     [](TCustomAxisPanel& c) {
         auto* g = new TGanttSeries(&c);
         g->SetParentChart(&c);
         g->Marks().SetVisible(false);
         g->Pointer()->SetVertSize(6);
         g->Callout()->SetVisible(true);
         const double day = 46000;  // fixed dates: the picture must not follow the clock
         const int design = g->AddTask(day, day + 6, 0, "Design");
         const int build = g->AddTask(day + 8, day + 20, 1, "Development");
         const int test = g->AddTask(day + 15, day + 24, 2, "Testing");
         g->AddTask(day + 26, day + 26, 3, "Release");
         g->NextTask()->SetValueAt(design, build);
         g->NextTask()->SetValueAt(build, test);
     }},
};

}  // namespace

TEST_F(LineFamily, PicturesOnBothCanvases)
{
    for (auto [canvasClass, suffix] : {std::pair{"TZebCanvas3D", ""}, std::pair{"TGDIPlusCanvas", "_gdiplus"}})
        for (const PictureCase& c : Pictures) {
            SCOPED_TRACE(std::string(c.name) + suffix);
            TOwnedPtr<TLineTestPanel> panel(new TLineTestPanel(nullptr));
            panel->SetBounds(0, 0, Width, Height);
            panel->SetView3D(false);
            panel->SetCanvasClassName(canvasClass);
            c.fill(*panel);
            TBitmap bitmap(Width, Height, pf24bit);
            panel->RenderTo(bitmap.Canvas(), {0, 0, Width, Height});
            testsupport::ExpectMatchesGolden(bitmap, GoldenDir, String("series_") + c.name + suffix);
        }
}
