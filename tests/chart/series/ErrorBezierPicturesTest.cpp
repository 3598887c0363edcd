// Pictures of the error, error-bar, high-low and Bezier series, compared with committed images
// that someone has looked at.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesPointer.h"
#include "chart/series/BezierSeries.h"
#include "chart/series/ErrorSeries.h"
#include "chart/series/HighLowSeries.h"
#include "tests/chart/series/BarFixtures.h"
#include "tests/chart/series/ChartPicture.h"

namespace {

class ErrorPictures : public BarSuite {};

}  // namespace

TEST_F(ErrorPictures, ErrorBars)
{
    ExpectChartPicture("error_bars", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        auto* bars = new TErrorBarSeries(&root);
        bars->SetParentChart(&chart);
        auto* errors = new TErrorSeries(&root);
        errors->SetParentChart(&chart);
        errors->ErrorPen()->SetWidth(2);
        for (int i = 0; i < 8; ++i) {
            bars->AppendXYError(i, 40 + 20 * std::sin(i / 1.5), 4 + i);
            errors->AppendXYError(i, 70 + 10 * std::cos(i / 2.0), 3 + (i % 3) * 2);
        }
    });
}

TEST_F(ErrorPictures, HighLowBand)
{
    ExpectChartPicture("high_low", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        auto* s = new THighLowSeries(&root);
        s->SetParentChart(&chart);
        s->HighBrush()->SetStyle(bsSolid);
        s->HighBrush()->SetColor(static_cast<TColor>(0x80FF80));
        s->LowBrush()->SetStyle(bsSolid);
        s->LowBrush()->SetColor(static_cast<TColor>(0x8080FF));
        s->HighPen()->SetColor(clGreen);
        s->LowPen()->SetColor(clRed);
        for (int i = 0; i < 20; ++i)
            s->AppendHighLow(i, 50 + 20 * std::sin(i / 3.0), 45 + 15 * std::cos(i / 2.5));
    });
}

TEST_F(ErrorPictures, ErrorBarsAndColouredBandIn3D)
{
    ExpectChartPicture("error_high_low_3d", true, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        auto* band = new THighLowSeries(&root);
        band->SetParentChart(&chart);
        band->HighBrush()->SetStyle(bsSolid);
        band->LowBrush()->SetStyle(bsSolid);
        band->SetColorEachPoint(true);
        auto* errors = new TErrorSeries(&root);
        errors->SetParentChart(&chart);
        errors->SetErrorStyle(essLeftRight);
        errors->ErrorPen()->SetWidth(2);
        for (int i = 0; i < 10; ++i) {
            band->AppendHighLow(i, 50 + 15 * std::sin(i / 2.0), 45 + 10 * std::cos(i / 1.5));
            errors->AppendXYError(i, 20 + 3 * i, 0.3);
        }
    });
}

TEST_F(ErrorPictures, BezierCurves)
{
    ExpectChartPicture("bezier", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        const double ys[] = {10, 80, 20, 60, 90, 30, 50, 70, 10, 40};
        for (const TBezierStyle style : {bsWindows, bsBezier4}) {
            auto* s = new TBezierSeries(&root);
            s->SetParentChart(&chart);
            s->SetBezierStyle(style);
            s->Pointer()->SetVisible(true);
            s->LinePen()->SetWidth(2);
            for (int i = 0; i < 10; ++i) s->InsertXY(i, ys[i] + (style == bsBezier4 ? 20 : 0));
        }
    });
}
