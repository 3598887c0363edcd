#include "chart/core/ZebSpline.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "chart/core/UnitStarts.h"

namespace {
class TSmoothingFunctionClass : public TZebFunctionClass {
public:
    using TZebFunctionClass::TZebFunctionClass;
    String EditorFormClassName() const override { return "TSmoothFuncEditor"; }
};
}  // namespace

TV_PUBLISHED_AS(TSmoothingFunction, TSmoothingFunctionClass)
{
    Prop("Interpolate", &TSmoothingFunction::Interpolate, &TSmoothingFunction::SetInterpolate, true);
    Prop("Factor", &TSmoothingFunction::Factor, &TSmoothingFunction::SetFactor, 4);
    Prop("Period", &TSmoothingFunction::Period, &TSmoothingFunction::SetPeriod, 1.0);
}

// ---- B-spline ----

TBSpline::TBSpline(std::span<const TPointFloat> points)
{
    for (const TPointFloat& p : points) AddPoint(p.X, p.Y);
}

void TBSpline::AddPoint(double x, double y)
{
    points_.push_back({x, y});
    knuckles_.push_back(false);
    built_ = false;
}

void TBSpline::SetKnuckle(int index, bool value)
{
    if (index < 1 || index > PointCount()) return;
    knuckles_[static_cast<size_t>(index - 1)] = value;
    built_ = false;
}

bool TBSpline::IsKnuckle(int index) const
{
    if (index <= 1 || index >= PointCount()) return false;
    return knuckles_[static_cast<size_t>(index - 1)];
}

void TBSpline::SetInterpolating(bool value) { if (AssignIfChanged(interpolating_, value)) built_ = false; }

void TBSpline::SetSegmentCount(int value) { segmentCount_ = std::min(value, MaxSegments); }

int TBSpline::VertexCount()
{
    if (!built_) Build();
    return vertexCount_;
}

T2DPoint TBSpline::Vertex(int index)
{
    if (!built_) Build();
    return index >= 0 && index < static_cast<int>(vertices_.size()) ? vertices_[static_cast<size_t>(index)]
                                                                     : T2DPoint{};
}

namespace {
bool coincide(const T2DPoint& a, const T2DPoint& b)
{
    return std::abs(a.X - b.X) < 1e-5 && std::abs(a.Y - b.Y) < 1e-5;
}
}  // namespace

// The interpolation system is tridiagonal with identity rows at both ends and around repeated
// points, so it is kept as its three diagonals and eliminated row by row without pivoting: the
// same operations a dense elimination does on its non-zero entries, in linear time and memory.
void TBSpline::Build()
{
    const int n = PointCount();
    if (n < 2) {
        built_ = true;
        return;
    }
    int v = 0;
    for (int i = 1; i <= n; ++i) v += IsKnuckle(i) ? 3 : 1;
    vertexCount_ = v;
    vertices_.assign(static_cast<size_t>(v) + 2, T2DPoint{});
    size_t at = 1;
    for (int i = 1; i <= n; ++i)
        for (int copies = IsKnuckle(i) ? 3 : 1; copies > 0; --copies) vertices_[at++] = points_[static_cast<size_t>(i - 1)];

    if (interpolating_ && v >= 3) {
        const auto size = static_cast<size_t>(v) + 1;
        std::vector<double> sub(size, 1.0 / 6), diag(size, 2.0 / 3), sup(size, 1.0 / 6);
        const auto identity = [&](int row) {
            sub[static_cast<size_t>(row)] = 0;
            diag[static_cast<size_t>(row)] = 1;
            sup[static_cast<size_t>(row)] = 0;
        };
        identity(1);
        identity(v);
        for (int i = 3; i < v - 1;) {
            const auto k = static_cast<size_t>(i);
            if (coincide(vertices_[k - 1], vertices_[k]) && coincide(vertices_[k], vertices_[k + 1])) {
                identity(i - 1);
                identity(i);
                identity(i + 1);
                i += 2;
            } else {
                i += 1;
            }
        }
        for (size_t k = 1; k < static_cast<size_t>(v); ++k) {
            const double factor = sub[k + 1] / diag[k];
            diag[k + 1] -= factor * sup[k];
            vertices_[k + 1].X -= factor * vertices_[k].X;
            vertices_[k + 1].Y -= factor * vertices_[k].Y;
        }
        vertices_[static_cast<size_t>(v)].X /= diag[static_cast<size_t>(v)];
        vertices_[static_cast<size_t>(v)].Y /= diag[static_cast<size_t>(v)];
        for (size_t k = static_cast<size_t>(v) - 1; k >= 1; --k) {
            vertices_[k].X = (vertices_[k].X - sup[k] * vertices_[k + 1].X) / diag[k];
            vertices_[k].Y = (vertices_[k].Y - sup[k] * vertices_[k + 1].Y) / diag[k];
        }
    }

    const auto last = static_cast<size_t>(v);
    vertices_[0] = {2 * vertices_[1].X - vertices_[2].X, 2 * vertices_[1].Y - vertices_[2].Y};
    vertices_[last + 1] = {2 * vertices_[last].X - vertices_[last - 1].X,
                           2 * vertices_[last].Y - vertices_[last - 1].Y};
    built_ = true;
}

T2DPoint TBSpline::EvaluateAt(double t)
{
    if (PointCount() < 2) return {};
    if (!built_) Build();
    const int v = vertexCount_;
    const double u = (v - 1) * t + 1;
    const int k0 = std::max(0, static_cast<int>((v - 1) * t));
    T2DPoint result;
    // Past vertex V + 1 the weight is 0 (t = 1 reaches it): the loop stops at the list's end.
    for (int k = std::min(k0, v + 1); k <= std::min(k0 + 3, v + 1); ++k) {
        const double d = std::abs(k - u);
        double weight = 0;
        if (d < 1)
            weight = 2.0 / 3 - d * d + d * d * d / 2;
        else if (d < 2)
            weight = (2 - d) * (2 - d) * (2 - d) / 6;
        else
            continue;
        result.X += weight * vertices_[static_cast<size_t>(k)].X;
        result.Y += weight * vertices_[static_cast<size_t>(k)].Y;
    }
    return result;
}

void TBSpline::Clear()
{
    points_.clear();
    knuckles_.clear();
    vertices_.clear();
    vertexCount_ = 0;
    built_ = false;
    interpolating_ = false;
    segmentCount_ = 100;
}

// ---- smoothing function ----

TSmoothingFunction::TSmoothingFunction(TComponent* owner) : TZebFunction(owner)
{
    InitPeriod(1);
    OneSource = true;
    UsesPeriod = false;
}

void TSmoothingFunction::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TSmoothingFunction*>(source)) {
        interpolate_ = other->interpolate_;
        factor_ = other->factor_;
    }
    TZebFunction::Assign(source);
}

void TSmoothingFunction::SetInterpolate(bool value) { Change(interpolate_, value); }

void TSmoothingFunction::SetFactor(int value)
{
    value = std::max(1, value);
    Change(factor_, value);
}

void TSmoothingFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (Suspended() || !source || !output) return;
    output->RemoveAllPoints();
    const bool vertical = output->YMandatory();
    if (!output->IsXYZSeries()) {
        const bool sameOrientation = vertical == source->YMandatory();
        output->IndependentValueList()->SetOrder(sameOrientation ? loAscending : loNone);
        output->MandatoryValueList()->SetOrder(sameOrientation ? loNone : loAscending);
        output->SetScanVisibleRange(sameOrientation);
    }
    const int n = source->Count();
    if (n == 0) return;
    TBSpline spline;
    const TChartValueList* along = vertical ? source->XValues() : source->YValues();
    const TChartValueList* values = SourceValueList(source);
    for (int i = 0; i < n; ++i) spline.AddPoint(along->ValueAt(i), values->ValueAt(i));
    spline.SetInterpolating(interpolate_);
    spline.SetSegmentCount(static_cast<int>(std::min<std::int64_t>(std::int64_t{n} * factor_, TBSpline::MaxSegments)));
    const int segments = spline.SegmentCount();
    const double step = 1.0 / segments;
    for (int s = 0; s <= segments; ++s) {
        const T2DPoint p = spline.EvaluateAt(s * step);
        if (vertical)
            output->InsertXY(p.X, p.Y);
        else
            output->InsertXY(p.Y, p.X);
    }
}

void TSmoothingFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    if (chart->NumSeries() > 0) chart->GetSeriesAt(0)->FillWithSamples(10);
    if (TChartSeries* output = OutputSeries()) {
        output->SetTransparency(70);
        output->Pen()->SetWidth(10);
    }
    SetFactor(8);
}

// ---- unit ----

namespace {
TUnitStarts splineStarts;
}

void StartSplineUnit()
{
    if (!splineStarts.First()) return;
    RegisterFunctionType(TSmoothingFunction::StaticClass(), &TxtSmoothing, &TxtExtended, 1);
}

void StopSplineUnit()
{
    if (!splineStarts.Last()) return;
    UnregisterFunctionTypes({&TSmoothingFunction::StaticClass()});
}
