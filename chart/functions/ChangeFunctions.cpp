#include "chart/functions/ChangeFunctions.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/HitTests.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"

namespace {
constexpr char NoForm[] = "";
}  // namespace

TV_PUBLISHED_AS(TSlopeFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TPercentChangeFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TPerformanceFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TCrossPointsFunction, TFunctionWithForm<NoForm>) {}
TV_PUBLISHED_AS(TPerimeterFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TCentroidZebFunction, TZebFunctionClass) {}

// ---- change ----

double TSlopeFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first <= 0 || last >= source->Count()) return 0;
    const TChartValueList* v = SourceValueList(source);
    const TChartValueList* xs = source->IndependentValueList();
    const double dx = xs->ValueAt(last) - xs->ValueAt(first - 1);
    return dx == 0 ? 0 : (v->ValueAt(last) - v->ValueAt(first - 1)) / dx;
}

double TPercentChangeFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first <= 0 || last >= source->Count()) return 0;
    const TChartValueList* v = SourceValueList(source);
    const double before = v->ValueAt(first - 1);
    return before == 0 ? 0 : (v->ValueAt(last) - before) * 100 / before;
}

void TPercentChangeFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
    if (chart) chart->RightAxis()->SetAxisValuesFormat("0%");
}

double TPerformanceFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (source->Count() == 0) return 0;
    if (first == -1) last = source->Count() - 1;
    const TChartValueList* v = SourceValueList(source);
    const double start = v->ValueAt(0);
    return start == 0 ? 0 : (v->ValueAt(last) - start) * 100 / start;
}

// ---- cross points ----

TCrossPointsFunction::TCrossPointsFunction(TComponent* owner) : TZebFunction(owner) { UsesPeriod = false; }

void TCrossPointsFunction::RecomputeFrom(TChartSeries* source)
{
    (void)source;
    TChartSeries* output = OutputSeries();
    if (!output || Suspended() || output->DataSources().Count() < 2) return;
    auto* a = dynamic_cast<TChartSeries*>(output->DataSources().Items(0));
    auto* b = dynamic_cast<TChartSeries*>(output->DataSources().Items(1));
    output->RemoveAllPoints();
    if (!a || !b || a->Count() < 2 || b->Count() < 2) return;
    const TChartValueList* ax = a->XValues();
    const TChartValueList* ay = a->YValues();
    const TChartValueList* bx = b->XValues();
    const TChartValueList* by = b->YValues();
    int i = 0, j = 0;
    do {
        double x, y;
        if (IntersectSegments({ax->ValueAt(i), ay->ValueAt(i)}, {ax->ValueAt(i + 1), ay->ValueAt(i + 1)},
                              {bx->ValueAt(j), by->ValueAt(j)}, {bx->ValueAt(j + 1), by->ValueAt(j + 1)}, x, y))
            output->InsertXY(x, y);
        if (bx->ValueAt(j + 1) >= ax->ValueAt(i + 1))
            ++i;
        else
            ++j;
    } while (i < a->Count() - 1 && j < b->Count() - 1);
}

// ---- perimeter ----

TPerimeterFunction::TPerimeterFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
}

void TPerimeterFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended()) return;
    output->RemoveAllPoints();
    TCustomAxisPanel* chart = source->ParentChart();
    if (source->Count() == 0 || !chart) return;
    for (TChartAxis* axis : {source->GetHorizAxis(), source->GetVertAxis()})
        if (axis && (axis->EndPixel() == axis->StartPixel() || axis->WorkingRange() == 0)) axis->ComputeRange();
    std::vector<TPoint> points;
    points.reserve(static_cast<size_t>(source->Count()));
    const int z = source->DepthRange().start;
    for (int i = 0; i < source->Count(); ++i)
        points.push_back(chart->Canvas3D()->ProjectXYZ(source->PointScreenX(i), source->PointScreenY(i), z));
    ComputeConvexHull(points);
    output->XValues()->SetOrder(loNone);
    for (const TPoint& p : points) output->InsertXY(output->ValueAtScreenX(p.X), output->ValueAtScreenY(p.Y));
    if (output->Count() > 0) output->InsertXY(output->XValues()->ValueAt(0), output->YValues()->ValueAt(0));
}

// ---- centroid ----

void TCentroidZebFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended()) return;
    output->RemoveAllPoints();
    if (source->Count() == 0) return;
    const float xc = static_cast<float>((source->XValues()->Highest() + source->XValues()->Lowest()) / 2);
    const float yc = static_cast<float>((source->YValues()->Highest() + source->YValues()->Lowest()) / 2);
    if (output->YMandatory())
        output->InsertXY(xc, yc);
    else
        output->InsertXY(yc, xc);
}
