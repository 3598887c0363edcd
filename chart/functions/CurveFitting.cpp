#include "chart/functions/CurveFitting.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

namespace {
constexpr char CurveFittingForm[] = "TCurveFittingEditor";
}  // namespace

TV_PUBLISHED_AS(TCustomFittingFunction, TZebFunctionClass)
{
    Prop("PolyDegree", &TCustomFittingFunction::PolyDegree, &TCustomFittingFunction::SetPolyDegree, 5);
    PropEnum("TypeFitting", &TCustomFittingFunction::TypeFitting, &TCustomFittingFunction::SetTypeFitting,
             cfPolynomial, TTypeFittingNames);
    Prop("FirstCalcPoint", &TCustomFittingFunction::FirstCalcPoint, &TCustomFittingFunction::SetFirstCalcPoint, -1);
    Prop("LastCalcPoint", &TCustomFittingFunction::LastCalcPoint, &TCustomFittingFunction::SetLastCalcPoint, -1);
    Prop("FirstPoint", &TCustomFittingFunction::FirstPoint, &TCustomFittingFunction::SetFirstPoint, -1);
    Prop("LastPoint", &TCustomFittingFunction::LastPoint, &TCustomFittingFunction::SetLastPoint, -1);
    Prop("Factor", &TCustomFittingFunction::Factor, &TCustomFittingFunction::SetFactor, 1);
}
TV_PUBLISHED_AS(TCurveFittingFunction, TFunctionWithForm<CurveFittingForm>) {}
TV_PUBLISHED_AS(TCustomTrendFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TTrendFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TExpTrendFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TCorrelationFunction, TZebFunctionClass) {}

// ---- the numeric module ----

Extended SolvePivoted(int n, TFitMatrix& a, TFitVector& b, Extended eps, TFitVector& x)
{
    int exchanges = 0;
    for (int i = 0; i < n - 1; ++i) {
        int d = i;
        for (int r = i + 1; r < n; ++r)
            if (std::fabs(a[r][i]) > std::fabs(a[d][i])) d = r;
        if (d != i) {
            for (int c = 0; c < n; ++c) std::swap(a[i][c], a[d][c]);
            std::swap(b[i], b[d]);
            ++exchanges;
        }
        if (eps > std::fabs(a[i][i])) return 0;
        for (int k = i + 1; k < n; ++k) {
            const Extended f = a[k][i] / a[i][i];
            for (int c = i + 1; c < n; ++c) a[k][c] -= f * a[i][c];
            b[k] -= f * b[i];
        }
    }
    if (eps > std::fabs(a[n - 1][n - 1])) return 0;
    Extended determinant = 1;
    for (int j = n - 1; j >= 0; --j) {
        Extended sum = b[j];
        for (int k = j + 1; k < n; ++k) sum -= a[j][k] * x[k];
        x[j] = sum / a[j][j];
        determinant *= a[j][j];
    }
    return exchanges % 2 == 1 ? -determinant : determinant;
}

void FitPolynomial(int m, int terms, const double* x, const double* y, TFitVector& coefficients)
{
    TFitMatrix a{};
    TFitVector b{};
    // Powers of each X in Extended, summed term by term.
    std::vector<Extended> powers(static_cast<size_t>(terms));
    for (int i = 0; i < m; ++i) {
        Extended p = 1;
        for (int k = 0; k < terms; ++k) {
            powers[static_cast<size_t>(k)] = p;
            p *= x[i];
        }
        for (int j = 0; j < terms; ++j) {
            for (int k = 0; k < terms; ++k) a[j][k] += powers[static_cast<size_t>(j)] * powers[static_cast<size_t>(k)];
            b[j] += powers[static_cast<size_t>(j)] * y[i];
        }
    }
    if (SolvePivoted(terms, a, b, 1e-15L, coefficients) == 0) throw Exception(TxtCannotProcessFitting);
}

Extended PolynomialValue(int terms, const TFitVector& coefficients, Extended x)
{
    Extended result = 0, power = 1;
    for (int k = 0; k < terms; ++k) {
        result += coefficients[k] * power;
        power *= x;
    }
    return result;
}

// ---- curve fitting ----

TCustomFittingFunction::TCustomFittingFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    InitPeriod(1);
    OneSource = true;
}

void TCustomFittingFunction::SetPolyDegree(int value)
{
    if (value < 1 || value > MaxPolyDegree) throw Exception(TxtPolynomialDegreeMustBeBetween);
    Change(polyDegree_, value);
}

void TCustomFittingFunction::SetTypeFitting(TTypeFitting value) { Change(typeFitting_, value); }

void TCustomFittingFunction::SetFirstCalcPoint(int value) { Change(firstCalcPoint_, value); }
void TCustomFittingFunction::SetLastCalcPoint(int value) { Change(lastCalcPoint_, value); }
void TCustomFittingFunction::SetFirstPoint(int value) { Change(firstPoint_, value); }
void TCustomFittingFunction::SetLastPoint(int value) { Change(lastPoint_, value); }
void TCustomFittingFunction::SetFactor(int value) { Change(factor_, std::max(1, value)); }

double TCustomFittingFunction::GetCurveYValue(TChartSeries* source, double x) const
{
    const double x0 = source->IndependentValueList()->Lowest();
    return static_cast<double>(PolynomialValue(polyDegree_, coefficients_, static_cast<Extended>(x) - x0) + yOffset_);
}

void TCustomFittingFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended()) return;
    output->RemoveAllPoints();
    const int count = source->Count();
    if (count < polyDegree_) return;
    TChartValueList* xs = source->IndependentValueList();
    TChartValueList* ys = SourceValueList(source);
    const double x0 = xs->Lowest();
    yOffset_ = ys->Lowest();
    const int first = firstCalcPoint_ == -1 ? 0 : std::max(firstCalcPoint_, 0);
    const int last = lastCalcPoint_ == -1 ? count - 1 : std::min(lastCalcPoint_, count - 1);
    const int m = last - first + 1;
    if (m <= 0) return;
    std::vector<double> fx(static_cast<size_t>(m)), fy(static_cast<size_t>(m));
    for (int i = 0; i < m; ++i) {
        fx[static_cast<size_t>(i)] = xs->ValueAt(first + i) - x0;
        fy[static_cast<size_t>(i)] = ys->ValueAt(first + i) - yOffset_;
    }
    FitPolynomial(m, polyDegree_, fx.data(), fy.data(), coefficients_);
    EmitFittedPoints(source);
}

void TCustomFittingFunction::EmitFittedPoints(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    const int count = source->Count();
    const TChartValueList* xs = source->IndependentValueList();
    // Limited to the source's points: outside them there is no X to place an output point at.
    const int s = std::max(firstPoint_ == -1 ? 0 : firstPoint_, 0);
    const int e = std::min(lastPoint_ == -1 ? count - 1 : lastPoint_, count - 1);
    if (s > e) return;
    auto add = [&](double x) {
        const double y = GetCurveYValue(source, x);
        if (output->YMandatory())
            output->InsertXY(x, y);
        else
            output->InsertXY(y, x);
    };
    for (int i = s; i < e; ++i) {
        const double x = xs->ValueAt(i);
        add(x);
        const double step = (xs->ValueAt(i + 1) - x) / factor_;
        for (int k = 1; k < factor_; ++k) add(x + k * step);
    }
    add(xs->ValueAt(e));
}

// ---- trend ----

TCustomTrendFunction::TCustomTrendFunction(TComponent* owner) : TZebFunction(owner) {}

TExpTrendFunction::TExpTrendFunction(TComponent* owner) : TCustomTrendFunction(owner) { trendStyle_ = 2; }

void TCustomTrendFunction::accumulate(TChartSeries* source, int first, int last)
{
    TChartValueList* xs = source->IndependentValueList();
    TChartValueList* ys = SourceValueList(source);
    n_ = last - first + 1;
    sumX_ = sumXY_ = sumY_ = sumX2_ = sumY2_ = 0;
    const bool exponential = trendStyle_ == 2;
    for (int i = first; i <= last; ++i) {
        const double x = xs->ValueAt(i);
        double y = ys->ValueAt(i);
        if (exponential) y = y > 0 ? std::log(y) : 0;
        sumXY_ += x * y;
        sumX2_ += x * x;
        sumY2_ += y * y;
        sumX_ += x;
        sumY_ += y;
    }
    if (!exponential && first == 0 && last == source->Count() - 1) {
        sumX_ = xs->Sum();
        sumY_ = ys->Sum();
    }
}

bool TCustomTrendFunction::CalculateTrend(TChartSeries* source, int first, int last, double& m, double& b)
{
    if (last - first + 1 <= 1) return false;
    accumulate(source, first, last);
    const double n = n_;
    if (trendStyle_ == 2) {
        const double meanX = sumX_ / n, meanY = sumY_ / n;
        const double d = sumX2_ - n * meanX * meanX;
        m = d == 0 ? 1 : (sumXY_ - n * meanX * meanY) / d;
        b = std::exp(meanY - m * meanX);
    } else {
        const double d = n * sumX2_ - sumX_ * sumX_;
        if (d == 0) {
            m = 1;
            b = 0;
        } else {
            m = (n * sumXY_ - sumX_ * sumY_) / d;
            b = (sumY_ * sumX2_ - sumX_ * sumXY_) / d;
        }
    }
    m_ = m;
    b_ = b;
    return true;
}

double TCustomTrendFunction::curveAt(double x) const { return trendStyle_ == 2 ? b_ * std::exp(m_ * x) : m_ * x + b_; }

void TCustomTrendFunction::EmitPeriod(TChartSeries* source, int first, int last, double x)
{
    (void)x;
    double m, b;
    if (!CalculateTrend(source, first, last, m, b)) return;
    TChartValueList* xs = source->IndependentValueList();
    double x1 = xs->ValueAt(first), x2 = xs->ValueAt(last);
    if (xs->Order() == loNone) {
        x1 = xs->Lowest();
        x2 = xs->Highest();
    }
    TChartSeries* output = OutputSeries();
    for (const double at : {x1, x2}) {
        if (output->YMandatory())
            output->InsertXY(at, curveAt(at));
        else
            output->InsertXY(curveAt(at), at);
    }
}

void TCustomTrendFunction::FillWhole(TChartSeries* source, TChartValueList* list)
{
    (void)list;
    EmitPeriod(source, 0, source->Count() - 1, 0);
}

// ---- correlation ----

double TCorrelationFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) {
        first = 0;
        last = source->Count() - 1;
    }
    if (last - first + 1 <= 1) return 1;
    accumulate(source, first, last);
    const double n = n_;
    const double d = std::sqrt((sumX2_ - sumX_ * sumX_ / n) * (sumY2_ - sumY_ * sumY_ / n));
    if (d == 0 || std::isnan(d)) return 1;
    return (sumXY_ - sumX_ * sumY_ / n) / d;
}

void TCorrelationFunction::EmitPeriod(TChartSeries* source, int first, int last, double x)
{
    (void)x;
    const double r = ComputeOverRange(source, first, last);
    TChartSeries* output = OutputSeries();
    if (output->SinglePointResult()) {
        output->AppendMainValue(r);
    } else {
        TChartValueList* xs = source->IndependentValueList();
        AddOutputPoint(source->YMandatory(), r, xs->Lowest());
        AddOutputPoint(source->YMandatory(), r, xs->Highest());
    }
}

void TCorrelationFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
    if (chart) chart->RightAxis()->ApplyRange(-1, 1);
}
