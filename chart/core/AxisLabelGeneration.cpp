// Which values of an axis get a label: value labels stepped down from the maximum, logarithmic
// labels, labels asked from the chart's OnGetNextAxisLabel, series point labels with overlap
// trimming, series titles on a depth axis, and custom labels. Every loop ends when a step no
// longer changes the value and after MaxAxisLabels labels.
#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "platform/rtl/MathUtils.h"

namespace {

// The date-time step index: from the entry equal to the increment, the first at least step.
int DateTimeStepIndexFor(double increment, double step)
{
    const int start = DateTimeStepIndexOf(increment);
    if (start >= DateTimeStepCount) return DateTimeStepCount;
    for (int i = start; i < DateTimeStepCount; ++i)
        if (DateTimeStepTable[static_cast<size_t>(i)] >= step) return i;
    return dtOneYear;
}

}  // namespace

void TChartAxis::GenerateLabels()
{
    TCanvas3D* canvas = chart_ ? chart_->Canvas3D() : nullptr;
    const bool behind = labels_->Behind() && canvas;
    if (behind) canvas->BeginElement("Labels", this, nullptr);
    ticks_.clear();
    if (items_->Automatic()) {
        items_->ClearAutomatic();
        const TAxisLabelStyle style = LabelStyleInUse();
        if (style != talNone) {
            if (canvas) canvas->UseFont(*labels_->Font());
            const double step = ComputeLabelStep();
            const int index = ShowsDateTime() && exactDateTime_ && increment_ != 0
                                  ? DateTimeStepIndexFor(increment_, step)
                                  : DateTimeStepCount;
            const bool calendar = index >= dtHalfMonth && index <= dtOneYear;
            if ((step > 0 || calendar) && workMaximum_ >= workMinimum_) {
                switch (style) {
                case talValue:
                    if (chart_ && chart_->HasGetNextAxisLabel() && nextAxisLabels()) break;
                    if (logarithmic_ && increment_ == 0)
                        logarithmicLabels();
                    else
                        valueLabels(step, index);
                    break;
                case talText: {
                    const auto* depth = dynamic_cast<const TChartDepthAxis*>(this);
                    if (depth && depth->LabelsAsSeriesTitles())
                        seriesTitleLabels();
                    else
                        seriesLabels(style);
                    break;
                }
                case talMark:
                case talPointValue: seriesLabels(style); break;
                default: break;
                }
            }
        }
    } else {
        customLabels();
    }
    if (behind) canvas->EndElement();
}

void TChartAxis::registerLabel(int pixel, const String& text, double value, TGraphic* picture)
{
    if (tickOnLabelsOnly_) ticks_.push_back(pixel);
    const TAxisLabelsPosition position = labels_->Position();
    if (position != lpAtTick && chart_ && chart_->Canvas3D()) {
        const int half = chart_->Canvas3D()->TextWidth(text) / 2;
        pixel += position == lpAfterTick ? half : -half;
    }
    if (!Labels()) return;
    TAxisItem* item = items_->AddAutomatic(text, value, pixel);
    item->Picture = picture;
    if (labels_->Behind() && chart_ && chart_->Canvas3D())
        paintLabelItem(*item, items_->AutomaticCount() - 1, *LabelsFormat());
}

void TChartAxis::valueLabels(double step, int stepIndex)
{
    if (!(std::fabs(static_cast<double>(range_) / step) < MaxAxisLabels)) return;
    const bool dateTime = ShowsDateTime();
    const bool calendarSteps = dateTime && exactDateTime_ && stepIndex >= dtHalfMonth && stepIndex < DateTimeStepCount;
    double value;
    if (dateTime && exactDateTime_ && stepIndex >= dtOneDay && stepIndex <= dtOneYear)
        value = RoundDateTimeToStep(stepIndex, workMaximum_);
    else if (workMaximum_ == workMinimum_)
        value = workMaximum_;
    else if (labels_->RoundFirst())
        value = std::trunc(workMaximum_ / step) * step;
    else
        value = workMaximum_;

    // One step down; false when the value would not change (a step below its precision) or leave
    // the doubles.
    auto stepDown = [&](double& v) {
        double next = v;
        if (calendarSteps)
            StepDateTime(false, next, stepIndex, step);
        else
            next = v - step;
        if (!(std::fabs(next) <= 1.7e308) || next == v) return false;
        v = next;
        return true;
    };
    for (int i = 0; value > workMaximum_ && i < MaxAxisLabels; ++i)
        if (!stepDown(value)) return;

    const bool labelsShown = Labels() || (grid_->Visible() && grid_->DrawAlways());
    auto place = [&](double v) {
        const int pixel = ValueToPixel(v);
        if (!labels_->OnAxis() && !(pixel > start_ && pixel < end_)) return;
        if (!tickOnLabelsOnly_) ticks_.push_back(pixel);
        if (labelsShown) registerLabel(pixel, ValueToLabelText(v), v);
    };
    if (zeroRange_) {
        place(value);
        return;
    }
    const double lowest = workMinimum_ >= 0 ? workMinimum_ - std::numeric_limits<double>::denorm_min() : workMinimum_;
    for (int count = 0; value >= lowest && count < MaxAxisLabels; ++count) {
        place(value);
        if (!stepDown(value)) break;
    }
}

void TChartAxis::logarithmicLabels()
{
    if (workMinimum_ == workMaximum_) return;
    double first = workMinimum_ > 0 ? LogStep(workMinimum_) : workMinimum_ == 0 ? 0.1 : LogStep(1e-10);
    if (!(first > 0) || !std::isfinite(first)) return;
    const double base = logarithmicBase_;
    const bool minorGrid = minorGrid_->Visible();
    if (minorGrid) {
        const double below = std::pow(base, std::log(first) / std::log(base) - 1);
        if (below < workMinimum_) ticks_.push_back(ValueToPixel(below));
    }
    auto place = [&](double v) {
        const int pixel = ValueToPixel(v);
        if (!tickOnLabelsOnly_) ticks_.push_back(pixel);
        if (Labels()) registerLabel(pixel, ValueToLabelText(v), v);
    };
    int placed = 0;
    double value = first;
    if (base > 1) {
        for (int i = 0; value <= workMaximum_ && i < MaxAxisLabels; ++i) {
            if (value >= workMinimum_) {
                place(value);
                ++placed;
            }
            const double next = value * base;
            if (next == value) break;
            value = next;
        }
    }
    if (base <= 1 || placed == 0) {
        const double s = first / base;
        value = first;
        for (int i = 0; value <= workMaximum_ && i < MaxAxisLabels; ++i) {
            if (value >= workMinimum_) place(value);
            const double next = value + s;
            if (next == value) break;
            value = next;
        }
    }
    if (minorGrid) ticks_.push_back(ValueToPixel(value));
}

bool TChartAxis::nextAxisLabels()
{
    double value = workMinimum_;
    bool stop = true;
    const double low = workMinimum_ - 1e-7, high = workMaximum_ + 1e-7;
    for (int index = 0; index <= 2000; ++index) {
        chart_->OnGetNextAxisLabel()(this, index, value, stop);
        if (stop) return index > 0;
        if (!(value >= low && value <= high)) return true;
        const int pixel = ValueToPixel(value);
        if (!tickOnLabelsOnly_) ticks_.push_back(pixel);
        if (Labels()) registerLabel(pixel, ValueToLabelText(value), value);
    }
    return true;
}

String TChartAxis::labelOfSeries(TChartSeries& series, int index, TAxisLabelStyle style)
{
    String text;
    if (style == talText)
        text = series.GetPointLabel(index);
    else if (style == talPointValue) {
        if (const TChartValueList* list = series.GetAxisValueList(this)) text = ValueToLabelText(list->ValueAt(index));
    }
    else if (style == talMark)
        text = series.ComposeMarkText(index);
    if (chart_->HasGetAxisLabel()) chart_->OnGetAxisLabel()(this, &series, index, text);
    return text;
}

void TChartAxis::seriesLabels(TAxisLabelStyle style)
{
    if (!chart_) return;
    TCanvas3D& canvas = *chart_->Canvas3D();
    std::vector<TChartSeries*> bound;
    int first = -1, last = -1;
    bool labelsSet = false;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        TChartSeries* series = chart_->GetSeriesAt(i);
        if (!series->Active() || !series->IsBoundToAxis(this)) continue;
        bound.push_back(series);
        if (!series->HasPointLabels() && LabelStyle() != talPointValue) continue;
        labelsSet |= series->HasPointLabels();
        // Axes draw before the series: the range a series kept is the previous frame's (none
        // on the first), so it is found here from this frame's axis ranges.
        series->FindVisibleRange();
        const int f = series->FirstVisibleIndex(), l = series->LastVisibleIndex();
        if (f >= 0 && (first < 0 || f < first)) first = f;
        if (l > last) last = l;
    }
    if (first < 0 || last < first) return;
    int step = 1;
    if (!chart_->HasGetAxisLabel() && !labelsSet) {
        const int count = last - first + 1;
        const int length = horizontal_ ? chart_->ChartWidth() : chart_->ChartHeight();
        if (length < count && length >= 1) step = std::max(1, static_cast<int>(Round(2.0 * count / length)));
    }
    const int angle = labels_->Angle();
    const bool widthAlong = horizontal_ != (angle == 90 || angle == 270);
    const int separation = labels_->Separation();
    const int fontHeight = canvas.StandardTextHeight();
    const bool depth = depth_;
    int placed = 0;
    for (TChartSeries* series : bound) {
        bool firstOfSeries = true;
        int previous = 0, previousHalf = 0;
        for (int index = first; index <= last && index < series->Count() && placed < MaxAxisLabels; index += step) {
            String text = labelOfSeries(*series, index, style);
            if (text.empty()) continue;
            double value;
            if (depth)
                value = series->LowestZ();
            else if (series->PlacesByPointIndex())
                value = index;
            else
                value = horizontal_ ? series->XValues()->ValueAt(index) : series->YValues()->ValueAt(index);
            if (value < workMinimum_ || value > workMaximum_) continue;
            const int pixel = ValueToPixel(value);
            const bool tickThere = std::find(ticks_.begin(), ticks_.end(), pixel) != ticks_.end();
            if (!tickOnLabelsOnly_ && !tickThere) ticks_.push_back(pixel);
            auto extentOf = [&](const String& t) {
                int lines = 0;
                const int width = chart_->TextBlockWidth(t, lines, ttfNormal);
                return widthAlong ? width : lines * fontHeight;
            };
            int extent = extentOf(text);
            if (separation != 0 && !firstOfSeries) {
                auto fits = [&](int e) {
                    const int half = (e + static_cast<int>(e * 0.02 * separation)) / 2;
                    return pixel >= previous ? pixel - half >= previous + previousHalf
                                             : pixel + half <= previous - previousHalf;
                };
                bool fit = fits(extent);
                while (!fit && labels_->Trim() && !text.empty()) {
                    text.pop_back();
                    extent = text.empty() ? 0 : extentOf(text);
                    fit = fits(extent);
                }
                if (!fit || text.empty()) continue;
            }
            if (!tickThere || tickOnLabelsOnly_) registerLabel(pixel, text, value);
            ++placed;
            firstOfSeries = false;
            previous = pixel;
            previousHalf = extent / 2;
        }
    }
}

void TChartAxis::seriesTitleLabels()
{
    if (!chart_ || chart_->ActiveSeriesTotal() == 0) return;
    const int low = static_cast<int>(std::trunc(workMinimum_)), high = static_cast<int>(std::trunc(workMaximum_));
    for (int z = low; z <= high && z - low < MaxAxisLabels; ++z) {
        const int pixel = ValueToPixel(workMaximum_ - z - 0.5);
        if (!tickOnLabelsOnly_) ticks_.push_back(pixel);
        if (!Labels()) continue;
        String text = chart_->SeriesTitleText(z, true);
        if (chart_->HasGetAxisLabel()) chart_->OnGetAxisLabel()(this, nullptr, z, text);
        registerLabel(pixel, text, z);
    }
}

void TChartAxis::customLabels()
{
    for (int i = 0; i < items_->Count(); ++i) {
        TAxisItem& item = *items_->GetItem(i);
        if (item.Value() < workMinimum_ || item.Value() > workMaximum_) continue;
        item.Pixel = ValueToPixel(item.Value());
        if (!tickOnLabelsOnly_) ticks_.push_back(item.Pixel);
        if (!item.EffectiveFormat()->Visible()) continue;
        if (tickOnLabelsOnly_) ticks_.push_back(item.Pixel);
    }
}
