// Bezier series: every point takes part in the curve, visible or not, so scrolling does not
// change the shape of a segment.
#include "chart/series/BezierSeries.h"

#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/SeriesPointer.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"

namespace {

class TBezierSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TCustomSeriesEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TBezierSeries, TBezierSeriesClass)
{
    PropEnum("BezierStyle", &TBezierSeries::BezierStyle, &TBezierSeries::SetBezierStyle, bsWindows,
             TBezierStyleNames);
    Prop("LinePen", &TBezierSeries::LinePen, &TBezierSeries::SetLinePen);
    Prop("NumBezierPoints", &TBezierSeries::NumBezierPoints, &TBezierSeries::SetNumBezierPoints, 32);
}

TBezierSeries::TBezierSeries(TComponent* owner) : TCustomSeries(owner) {}

void TBezierSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TBezierSeries*>(source)) {
        bezierStyle_ = s->bezierStyle_;
        numBezierPoints_ = s->numBezierPoints_;
    }
    TCustomSeries::Assign(source);
}

void TBezierSeries::SetBezierStyle(TBezierStyle value) { Change(bezierStyle_, value); }

void TBezierSeries::SetNumBezierPoints(int value)
{
    if (value < 2) throw ChartException(TxtNumberOfBezierPointsShould);
    ChangeInteger(numBezierPoints_, value);
}

void TBezierSeries::SetSeriesColor(TColor value)
{
    TCustomSeries::SetSeriesColor(value);
    LinePen()->SetColor(value);
}

void TBezierSeries::SetupGalleryPreview()
{
    TCustomSeries::SetupGalleryPreview();
    FillWithSamples(3);
    SetColorEachPoint(true);
    Pointer()->SetDraw3D(false);
    SetBezierStyle(bsBezier3);
}

void TBezierSeries::drawSegment(int kind, int k)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    if (ColorEachPoint() && ColorEachLine()) canvas.Pen()->SetColor(GetPointColor(k));
    const int n = numBezierPoints_, z = DepthRange().start;
    const auto at = [this](int i) {
        const TPoint& p = points_[static_cast<size_t>(i)];
        return std::pair<double, double>{p.X, p.Y};
    };
    for (int i = 1; i <= n; ++i) {
        const double t = static_cast<double>(i) / n, m = 1 - t;
        double x, y;
        if (kind == 2) {
            const auto [x0, y0] = at(k - 2);
            const auto [x1, y1] = at(k - 1);
            const auto [x2, y2] = at(k);
            x = x0 * m * m + 2 * x1 * t * m + x2 * t * t;
            y = y0 * m * m + 2 * y1 * t * m + y2 * t * t;
        } else {
            const auto [x0, y0] = at(k - 3);
            const auto [x1, y1] = at(k - 2);
            const auto [x2, y2] = at(k - 1);
            const auto [x3, y3] = at(k);
            x = x0 * m * m * m + 3 * x1 * t * m * m + 3 * x2 * t * t * m + x3 * t * t * t;
            y = y0 * m * m * m + 3 * y1 * t * m * m + 3 * y2 * t * t * m + y3 * t * t * t;
        }
        const int px = RoundHalfEven(x), py = RoundHalfEven(y);
        if (chart.View3D())
            canvas.LineToXYZ(px, py, z);
        else
            canvas.LineTo(px, py);
    }
}

void TBezierSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const int count = Count();
    points_.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) points_[static_cast<size_t>(i)] = {PointScreenX(i), PointScreenY(i)};
    if (count == 0) return;
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, canvas.SupportsAlpha() ? TRect{} : chart->ChartRect(), Transparency());
    canvas.UsePen(*LinePen());
    // An automatic series colour is picked, not stored, so the pen never received it.
    if (!IsSeriesColorStored()) canvas.Pen()->SetColor(SeriesColor());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
    if (chart->View3D())
        canvas.MoveToXYZ(points_[0].X, points_[0].Y, DepthRange().start);
    else
        canvas.MoveTo(points_[0].X, points_[0].Y);
    // Segment ends past the last point are skipped.
    switch (bezierStyle_) {
    case bsWindows:
        if (count > 2) drawSegment(2, 2);
        for (int k = 5; k < count; k += 3) drawSegment(3, k);
        break;
    case bsBezier3:
        for (int k = 2; k < count; k += 2) drawSegment(2, k);
        break;
    case bsBezier4:
        for (int k = 3; k < count; k += 3) drawSegment(3, k);
        break;
    }
    if (Pointer()->Visible())
        for (int j = 0; j < count; ++j)
            if (!(IsNullPoint(j) && TreatNulls() == tnDontPaint))
                DrawPointSymbol(points_[static_cast<size_t>(j)].X, points_[static_cast<size_t>(j)].Y, j,
                                GetPointColor(j));
}
