#include "chart/functions/DownSampling.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "chart/core/AxisPanel.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebConst.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/MathUtils.h"

namespace {
constexpr char DownSamplingForm[] = "TDownSamplingEditor";

struct TReduced {
    std::vector<double> X, Y;
    std::vector<bool> Null;
    void Add(double x, double y, bool null = false)
    {
        X.push_back(x);
        Y.push_back(y);
        Null.push_back(null);
    }
};

// Kept points of first .. last, in source order. The spans still to look at wait on a stack of
// their own, so a long source cannot exhaust the call stack.
void douglasPeucker(const double* xs, const double* ys, int first, int last, double tolerance, TReduced& out)
{
    std::vector<char> keep(static_cast<size_t>(last - first + 1), 0);
    keep.front() = keep.back() = 1;
    const double limit = tolerance * tolerance;
    std::vector<std::pair<int, int>> spans{{first, last}};
    while (!spans.empty()) {
        const auto [a, b] = spans.back();
        spans.pop_back();
        if (b - a < 2) continue;
        const double ax = xs[a], ay = ys[a];
        const double dx = xs[b] - ax, dy = ys[b] - ay;
        const double dd = dx * dx + dy * dy;
        double farthest = -1;
        int at = -1;
        for (int i = a + 1; i < b; ++i) {
            const double px = xs[i] - ax, py = ys[i] - ay;
            const double dot = px * dx + py * dy;
            double ex = px, ey = py;  // from the nearest point of the segment
            if (dot > dd) {
                ex = px - dx;
                ey = py - dy;
            } else if (dot > 0) {
                const double t = dot / dd;
                ex = px - t * dx;
                ey = py - t * dy;
            }
            const double d = ex * ex + ey * ey;
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (farthest > limit) {
            keep[static_cast<size_t>(at - first)] = 1;
            spans.emplace_back(at, b);
            spans.emplace_back(a, at);
        }
    }
    for (int i = first; i <= last; ++i)
        if (keep[static_cast<size_t>(i - first)]) out.Add(xs[i], ys[i]);
}

struct TGroup {
    int First = 0, Last = 0, Count = 0;
    double Sum = 0;
    int Min = 0, Max = 0;
};

void groupMethods(const double* xs, const double* ys, int first, int last, TDownSampleMethod method, double tolerance,
                  bool byCount, double nullValue, TReduced& out)
{
    // Round of a huge tolerance does not fit; a group of fewer than one point would never end.
    const int perGroup = byCount ? static_cast<int>(std::clamp<double>(Round(std::min(tolerance, 2e9)), 1, 2e9)) : 0;
    const bool nullAware = method == dsMinMaxFirstLastNull;
    int i = first;
    while (i <= last) {
        TGroup g;
        g.First = g.Min = g.Max = i;
        int nulls = 0;
        bool tracking = true;
        int j = i;
        for (; j <= last; ++j) {
            if (j > i && (byCount ? j - i >= perGroup : !(std::fabs(xs[j] - xs[i]) < tolerance))) break;
            if (!tracking) continue;
            g.Last = j;
            ++g.Count;
            g.Sum += ys[j];
            if (ys[j] > ys[g.Max]) g.Max = j;
            if (ys[j] < ys[g.Min]) g.Min = j;
            if (nullAware && byCount && ys[j] == nullValue && ++nulls == 2) tracking = false;
        }
        const int end = j - 1;
        const double midX = (xs[g.First] + xs[g.Last]) / 2;
        auto add = [&](int k) { out.Add(xs[k], ys[k], nullAware && ys[k] == nullValue); };
        switch (method) {
        case dsMax: out.Add(midX, ys[g.Max]); break;
        case dsMin: out.Add(midX, ys[g.Min]); break;
        case dsAverage: out.Add(midX, g.Sum / g.Count); break;
        case dsMinMax:
            if (g.Count == 1) {
                add(g.First);
            } else {
                out.Add(xs[g.First], ys[g.Min]);
                out.Add(xs[g.Last], ys[g.Max]);
            }
            break;
        default:
            // Two or three points have no minimum and maximum of their own: each point once.
            if (g.Count <= 3) {
                for (int k = g.First; k <= g.Last; ++k) add(k);
                break;
            }
            add(g.First);
            {
                int lo = g.Min, hi = g.Max;
                if (xs[hi] < xs[lo]) std::swap(lo, hi);
                std::vector<double> placed{xs[g.First]};
                for (const int k : {lo, hi, g.Last}) {
                    if (nullAware && std::find(placed.begin(), placed.end(), xs[k]) != placed.end()) continue;
                    add(k);
                    placed.push_back(xs[k]);
                }
            }
            break;
        }
        i = end + 1;
    }
}
}  // namespace

TV_PUBLISHED_AS(TDownSamplingFunction, TFunctionWithForm<DownSamplingForm>)
{
    PropEnum("DownSampleMethod", &TDownSamplingFunction::DownSampleMethod, &TDownSamplingFunction::SetDownSampleMethod,
             dsDouglas, TDownSampleMethodNames);
    Prop("Tolerance", &TDownSamplingFunction::Tolerance, &TDownSamplingFunction::SetTolerance, 1.0);
    Prop("DisplayedPointCount", &TDownSamplingFunction::DisplayedPointCount,
         &TDownSamplingFunction::SetDisplayedPointCount, 0);
}

TDownSamplingFunction::TDownSamplingFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
    InitPeriod(1);
}

void TDownSamplingFunction::SetDownSampleMethod(TDownSampleMethod value) { Change(method_, value); }

void TDownSamplingFunction::SetTolerance(double value)
{
    value = std::max(value, 0.0);
    Change(tolerance_, value);
}

bool TDownSamplingFunction::rangeToReduce(TChartSeries* source, int& first, int& last) const
{
    first = 0;
    last = source->Count() - 1;
    TCustomAxisPanel* chart = OutputSeries()->ParentChart();
    // A chart that draws now may be what recalculates: its frame is not drawn again from inside.
    if (!chart || !chart->ChartRect().IsEmpty() || !chart->Parent() || chart->Rendering()) return true;
    TOwnedPtr<TBitmap> drawn(chart->MakePanelBitmap());
    source->FindVisibleRange();
    first = source->FirstVisibleIndex();
    last = source->LastVisibleIndex();
    return first >= 0 && last >= first;
}

void TDownSamplingFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended() || source->Count() == 0) return;
    output->RemoveAllPoints();
    reducedSize_ = 0;
    int first, last;
    if (!rangeToReduce(source, first, last)) return;
    const int n = last - first + 1;
    const bool sameOrientation = source->YMandatory() == output->YMandatory();
    output->IndependentValueList()->SetOrder(sameOrientation ? loAscending : loNone);
    output->MandatoryValueList()->SetOrder(sameOrientation ? loNone : loAscending);
    const double t = displayedPointCount_ <= 0 ? tolerance_ : 4.0 * n / displayedPointCount_;
    const double* xs = source->XValues()->Values();
    const double* ys = source->YValues()->Values();
    TReduced reduced;
    if (method_ == dsDouglas)
        douglasPeucker(xs, ys, first, last, t, reduced);
    else
        groupMethods(xs, ys, first, last, method_, t, displayedPointCount_ > 0, source->NullValue(), reduced);
    const TColor color = output->SeriesColor();
    const bool yMandatory = source->YMandatory();
    for (size_t k = 0; k < reduced.X.size(); ++k) {
        const TColor c = reduced.Null[k] ? clNullPoint : color;
        if (yMandatory)
            output->InsertXY(reduced.X[k], reduced.Y[k], String(), c);
        else
            output->InsertXY(reduced.Y[k], reduced.X[k], String(), c);
    }
    reducedSize_ = static_cast<int>(reduced.X.size());
}

void TDownSamplingFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    TChartSeries* output = OutputSeries();
    if (!chart || !output) return;
    output->SetVertAxis(aRightAxis);
    chart->RightAxis()->SetStartPosition(50);
    chart->LeftAxis()->SetEndPosition(50);
    if (auto* source = dynamic_cast<TChartSeries*>(output->DataSource())) {
        source->FillWithSamples(2000);
        chart->LeftAxis()->Title()->SetCaption(Format("%d %s", {source->Count(), TxtPoints}));
    }
    chart->RightAxis()->Title()->SetCaption(Format("%d %s", {output->Count(), TxtPoints}));
}
