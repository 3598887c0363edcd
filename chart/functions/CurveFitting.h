#pragma once
// Least-squares polynomial fitting, the straight and exponential trend lines and the correlation
// coefficient. The fit solves its normal equations in Extended precision.
#include "chart/core/ZebFunction.h"
#include "platform/rtl/Types.h"

inline constexpr int MaxPolyDegree = 20;
using TFitVector = Extended[MaxPolyDegree];
using TFitMatrix = Extended[MaxPolyDegree][MaxPolyDegree];

// Solves a x = b (n <= 20) by elimination with partial pivoting; the determinant of a, or 0 when
// a pivot falls below eps (a and b are worked on).
Extended SolvePivoted(int n, TFitMatrix& a, TFitVector& b, Extended eps, TFitVector& x);
// y = c0 + c1 x + ... over m points with terms coefficients; "Cannot process fitting" when the
// normal matrix is singular.
void FitPolynomial(int m, int terms, const double* x, const double* y, TFitVector& coefficients);
Extended PolynomialValue(int terms, const TFitVector& coefficients, Extended x);

enum TTypeFitting { cfPolynomial };
inline constexpr const char* TTypeFittingNames[] = {"cfPolynomial"};

class TCustomFittingFunction : public TZebFunction {
    TV_CLASS(TCustomFittingFunction, TZebFunction)
public:
    explicit TCustomFittingFunction(TComponent* owner);

    // Coefficients of the polynomial, 1 .. 20; outside an exception with the engine's text.
    int PolyDegree() const { return polyDegree_; }
    void SetPolyDegree(int value);
    TTypeFitting TypeFitting() const { return typeFitting_; }
    void SetTypeFitting(TTypeFitting value);
    // Source indexes of the fit; -1 the first or last point.
    int FirstCalcPoint() const { return firstCalcPoint_; }
    void SetFirstCalcPoint(int value);
    int LastCalcPoint() const { return lastCalcPoint_; }
    void SetLastCalcPoint(int value);
    // Source indexes the output spans; -1 the first or last point.
    int FirstPoint() const { return firstPoint_; }
    void SetFirstPoint(int value);
    int LastPoint() const { return lastPoint_; }
    void SetLastPoint(int value);
    // Output points per source interval, at least 1.
    int Factor() const { return factor_; }
    void SetFactor(int value);

    // The fitted polynomial at a source X.
    double GetCurveYValue(TChartSeries* source, double x) const;
    Extended Coefficient(int index) const { return coefficients_[index]; }

    void RecomputeFrom(TChartSeries* source) override;

protected:
    virtual void EmitFittedPoints(TChartSeries* source);

private:
    int polyDegree_ = 5;
    TTypeFitting typeFitting_ = cfPolynomial;
    int firstCalcPoint_ = -1;
    int lastCalcPoint_ = -1;
    int firstPoint_ = -1;
    int lastPoint_ = -1;
    int factor_ = 1;
    TFitVector coefficients_{};
    double yOffset_ = 0;
};

class TCurveFittingFunction : public TCustomFittingFunction {
    TV_CLASS(TCurveFittingFunction, TCustomFittingFunction)
public:
    using TCustomFittingFunction::TCustomFittingFunction;
};

// A line over one period (the whole source by default) drawn between its two end X.
class TCustomTrendFunction : public TZebFunction {
    TV_CLASS(TCustomTrendFunction, TZebFunction)
public:
    explicit TCustomTrendFunction(TComponent* owner);

    // The line of the last calculation: y = m x + b, or y = A e^(s x) for the exponential style.
    bool CalculateTrend(TChartSeries* source, int first, int last, double& m, double& b);
    // 0 linear, 2 exponential.
    Byte TrendStyle() const { return trendStyle_; }

protected:
    void EmitPeriod(TChartSeries* source, int first, int last, double x) override;
    void FillWhole(TChartSeries* source, TChartValueList* list) override;
    double ComputeOverRange(TChartSeries*, int, int) override { return 0; }
    double ComputeAcrossSourcesAt(const TDataSourcesList&, int) override { return 0; }
    // The sums over first .. last; the exponential style takes ln y of positive y, 0 otherwise.
    void accumulate(TChartSeries* source, int first, int last);
    double curveAt(double x) const;

    Byte trendStyle_ = 0;
    int n_ = 0;
    double sumX_ = 0, sumXY_ = 0, sumY_ = 0, sumX2_ = 0, sumY2_ = 0;
    double m_ = 0, b_ = 0;
};

class TTrendFunction : public TCustomTrendFunction {
    TV_CLASS(TTrendFunction, TCustomTrendFunction)
public:
    using TCustomTrendFunction::TCustomTrendFunction;
};

class TExpTrendFunction : public TCustomTrendFunction {
    TV_CLASS(TExpTrendFunction, TCustomTrendFunction)
public:
    explicit TExpTrendFunction(TComponent* owner);
};

// Pearson's r of X and Y; 1 where it is undefined.
class TCorrelationFunction : public TCustomTrendFunction {
    TV_CLASS(TCorrelationFunction, TCustomTrendFunction)
public:
    using TCustomTrendFunction::TCustomTrendFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    void EmitPeriod(TChartSeries* source, int first, int last, double x) override;
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};
