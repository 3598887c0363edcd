#include "chart/functions/KernelDensity.h"

#include <algorithm>
#include <cmath>

#include "chart/core/ChartSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TKDEOptions) {}
TV_PUBLISHED_AS(TKDEFunction, TZebFunctionClass)
{
    Prop("Position", &TKDEFunction::Position, &TKDEFunction::SetPosition, 0.0);
    Prop("ClampMin", &TKDEFunction::ClampMin, &TKDEFunction::SetClampMin, 0.0);
    Prop("ClampMax", &TKDEFunction::ClampMax, &TKDEFunction::SetClampMax, 0.0);
}

TKDEFunction::TKDEFunction(TComponent* owner) : TZebFunction(owner) { Options(); }

TKDEFunction::~TKDEFunction() = default;

TKDEOptions* TKDEFunction::Options()
{
    if (!options_) options_ = std::make_unique<TKDEOptions>();
    return options_.get();
}

void TKDEFunction::CalculateKDE()
{
    if (samples_ && samples_->Count() > 0) CalculateValues();
}

void TKDEFunction::CalcClampRange()
{
    TChartSeries* output = OutputSeries();
    if (!output) return;
    TChartAxis* axis = output->GetVertAxis();
    if (!axis) return;
    axis->SetMinimumOffset(10);
    axis->SetMaximumOffset(10);
    axis->ComputeRange();
    clampMin_ = axis->Minimum();
    clampMax_ = axis->Maximum();
}

namespace {
// The nearest grid point lo + k * step, the lower of two equally near; -1 when none is nearer
// than the largest int.
int nearestGridPoint(double v, double lo, double step, int count)
{
    int guess = 0;
    if (step > 0) {
        const double at = std::floor((v - lo) / step);
        guess = at >= count ? count - 1 : at > 0 ? static_cast<int>(at) : 0;
    }
    int best = -1;
    double bestDistance = 2147483647.0;
    for (int k = std::max(guess - 1, 0); k <= std::min(guess + 1, count - 1); ++k) {
        const double d = std::fabs(v - (lo + k * step));
        if (d < bestDistance) {
            bestDistance = d;
            best = k;
            if (d == 0) break;
        }
    }
    return best;
}
}  // namespace

void TKDEFunction::CalculateValues()
{
    if (!samples_) return;
    samples_->SetOrder(loAscending);
    samples_->SortPoints();
    if (OutputSeries()) CalcClampRange();
    const TKDEOptions& options = *Options();
    const int n = samples_->Count();
    double lo = 0, hi = 0;
    if (options.ClampMode == 1) {
        lo = clampMin_;
        hi = clampMax_;
    } else if (n > 0) {
        lo = samples_->Lowest();
        hi = samples_->Highest();
    }
    const int r = options.Resolution;
    TFloatPointArray result;
    if (r > 0) {
        const double step = (hi - lo) / r;
        if (options.Histogram) {
            // A grid point without samples stays on the grid at count 0, so an outline drawn from
            // the points follows the axis there.
            result.resize(static_cast<size_t>(r));
            for (int k = 0; k < r; ++k) result[static_cast<size_t>(k)] = {0, static_cast<float>(lo + k * step)};
            for (int i = 0; i < n; ++i) {
                const int k = nearestGridPoint(samples_->ValueAt(i), lo, step, r);
                if (k >= 0) result[static_cast<size_t>(k)].X += 1;
            }
        } else {
            result.resize(static_cast<size_t>(2 * r));
            const double h = options.Bandwidth;
            for (int k = 0; k < r; ++k) {
                const double g = lo + k * step;
                double sum = 0;
                for (int i = 0; i < n; ++i) {
                    const double u = (g - samples_->ValueAt(i)) / h;
                    if (std::fabs(u) <= 1) sum += 0.75 * (1 - u * u) / h;
                }
                const double f = n > 0 ? sum / n : 0;
                result[static_cast<size_t>(k)] = {static_cast<float>(position_ - f), static_cast<float>(g)};
                result[static_cast<size_t>(2 * r - 1 - k)] = {static_cast<float>(position_ + f), static_cast<float>(g)};
            }
        }
    }
    points_ = std::move(result);
}

void TKDEFunction::RecomputeFrom(TChartSeries* source)
{
    if (source) samples_ = source->MandatoryValueList();
}

void TKDEFunction::HandleSeriesCleared()
{
    TZebFunction::HandleSeriesCleared();
    options_ = std::make_unique<TKDEOptions>();
    points_.clear();
}
