#include "chart/core/AxisLabels.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProcs.h"
#include "chart/canvas/Canvas3D.h"
#include "platform/classes/Assign.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {

constexpr double SmallestStep = std::numeric_limits<double>::denorm_min();

}  // namespace

double NiceStep(double x)
{
    if (std::isinf(x) || !(x > 0)) return 1;
    // Powers of ten scaled out in a loop: the recursion of the definition, without its depth.
    double scale = 1;
    while (x >= 10) {
        x /= 10;
        scale *= 10;
    }
    while (x < 1) {
        x *= 10;
        scale /= 10;
    }
    if (x < 2) return 2 * scale;
    if (x < 5) return 5 * scale;
    return 10 * scale;
}

String GeographicLabelText(double v, bool horizontal)
{
    const float value = static_cast<float>(v);
    const double a = std::fabs(value);
    String text;
    if (a > 2e15) {
        text = value < 0 ? "-INF" : "+INF";
    } else {
        const double d = std::trunc(a);
        text = std::to_string(static_cast<Int64>(d)) + "\xC2\xB0";
        const double s = (a - d) * 3600;
        const Int64 m = static_cast<Int64>(std::trunc(s / 60));
        const Int64 r = static_cast<Int64>(std::trunc(s - 60.0 * m));
        if (m != 0 || r != 0) text += std::to_string(m) + "'";
        if (r != 0) text += std::to_string(r) + "\"";
    }
    if (horizontal)
        text += value >= 0 ? " E" : " W";
    else
        text += value >= 0 ? " N" : " S";
    return text;
}

// ---- label settings ----

TV_PUBLISHED(TAxisLabels) {}

template <class T>
void TAxisLabels::change(T& field, T value)
{
    if (AssignIfChanged(field, value) && axis_ && axis_->ParentChart()) axis_->ParentChart()->Invalidate();
}

void TAxisLabels::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TAxisLabels*>(source);
    if (!s) return TPersistent::Assign(source);
    align_ = s->align_;
    alternate_ = s->alternate_;
    angle_ = s->angle_;
    behind_ = s->behind_;
    gridIgnoresLabelSize_ = s->gridIgnoresLabelSize_;
    marginToAxis_ = s->marginToAxis_;
    onAxis_ = s->onAxis_;
    separation_ = s->separation_;
    size_ = s->size_;
    style_ = s->style_;
    exponent_ = s->exponent_;
    multiLine_ = s->multiLine_;
    roundFirst_ = s->roundFirst_;
    position_ = s->position_;
    useImages_ = s->useImages_;
    trim_ = s->trim_;
}

void TAxisLabels::SetSeparation(int value)
{
    if (value < 0) throw AxisException(TxtLabelsSeparationMustBeGreater);
    change(separation_, value);
}

TAxisLabelsFormat* TAxisLabels::Format() const { return axis_ ? axis_->Items().Format() : nullptr; }

TZebFont* TAxisLabels::Font() const { return Format() ? Format()->Font() : nullptr; }

bool TAxisLabels::Visible() const { return Format() && Format()->Visible(); }

void TAxisLabels::SetVisible(bool value)
{
    if (Format()) Format()->SetVisible(value);
}

int TChartAxis::LabelsSeparation() const { return labels_->Separation(); }
void TChartAxis::SetLabelsSeparation(int value) { labels_->SetSeparation(value); }
bool TChartAxis::RoundFirstLabel() const { return labels_->RoundFirst(); }
void TChartAxis::SetRoundFirstLabel(bool value) { labels_->SetRoundFirst(value); }
TAxisLabelStyle TChartAxis::LabelStyle() const { return labels_->Style(); }
void TChartAxis::SetLabelStyle(TAxisLabelStyle value) { labels_->SetStyle(value); }
bool TChartAxis::Labels() const { return labels_->Visible(); }
void TChartAxis::SetLabels(bool value) { labels_->SetVisible(value); }
TAxisLabelAlign TChartAxis::LabelsAlign() const { return labels_->Align(); }
void TChartAxis::SetLabelsAlign(TAxisLabelAlign value) { labels_->SetAlign(value); }
bool TChartAxis::LabelsAlternate() const { return labels_->Alternate(); }
void TChartAxis::SetLabelsAlternate(bool value) { labels_->SetAlternate(value); }
int TChartAxis::LabelsAngle() const { return labels_->Angle(); }
void TChartAxis::SetLabelsAngle(int value) { labels_->SetAngle(value); }
bool TChartAxis::LabelsBehind() const { return labels_->Behind(); }
void TChartAxis::SetLabelsBehind(bool value) { labels_->SetBehind(value); }
bool TChartAxis::LabelsExponent() const { return labels_->Exponent(); }
void TChartAxis::SetLabelsExponent(bool value) { labels_->SetExponent(value); }
TZebFont* TChartAxis::LabelsFont() const { return labels_->Font(); }
void TChartAxis::SetLabelsFont(TZebFont* value) { labels_->Font()->Assign(value); }
TAxisLabelsFormat* TChartAxis::LabelsFormat() const { return labels_->Format(); }
void TChartAxis::SetLabelsFormat(TAxisLabelsFormat* value) { labels_->Format()->Assign(value); }
bool TChartAxis::LabelsGridIgnoresLabelSize() const { return labels_->GridIgnoresLabelSize(); }
void TChartAxis::SetLabelsGridIgnoresLabelSize(bool value) { labels_->SetGridIgnoresLabelSize(value); }
bool TChartAxis::LabelsMultiLine() const { return labels_->MultiLine(); }
void TChartAxis::SetLabelsMultiLine(bool value) { labels_->SetMultiLine(value); }
bool TChartAxis::LabelsOnAxis() const { return labels_->OnAxis(); }
void TChartAxis::SetLabelsOnAxis(bool value) { labels_->SetOnAxis(value); }
int TChartAxis::LabelsSize() const { return labels_->Size(); }
void TChartAxis::SetLabelsSize(int value) { labels_->SetSize(value); }

bool TChartAxis::ShowsDateTime() const
{
    const TChartAxis* root = this;
    while (root->parentAxis_) root = root->parentAxis_;
    if (!chart_) return false;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        const TChartSeries* series = chart_->GetSeriesAt(i);
        if (!series->Active()) continue;
        if (const TChartValueList* list = series->GetAxisValueList(root)) return list->DateTime();
    }
    return false;
}

double TChartAxis::LogStep(double x) const
{
    return std::pow(logarithmicBase_, static_cast<double>(Round(std::log(x) / std::log(logarithmicBase_))));
}

double TChartAxis::IncrementForCount(int count) const
{
    const bool dateTime = ShowsDateTime();
    const double range = static_cast<double>(range_);
    if (count < 1) return dateTime ? DateTimeStepTable[0] : SmallestStep;
    if (dateTime) {
        double step = std::fmax(DateTimeStepTable[0], increment_);
        if (step > 0) {
            if (range / step > 1000000) step = range / 1000000;
            // A step that no longer grows ends the loop.
            while (std::isfinite(step) && Round(range / step) > count) {
                double next;
                if (step >= 365)
                    next = step * 2;
                else if (step >= 1.0 / 86400)
                    next = NextDateTimeStep(step);
                else
                    next = NiceStep(step);
                if (!(next > step)) break;
                step = next;
            }
        }
        return std::fmax(step, DateTimeStepTable[0]);
    }

    double step;
    if (increment_ > 0)
        step = increment_;
    else if (zeroRange_)
        step = 1;
    else {
        step = std::fabs(range) / (count + 1);
        if (logarithmic_) step = LogStep(step);
    }
    if (range >= 1.1 && chart_) {
        for (int i = 0; i < chart_->NumSeries(); ++i) {
            const TChartSeries* series = chart_->GetSeriesAt(i);
            if (!series->Active() || !series->IsBoundToAxis(this)) continue;
            const bool indexAxis = series->YMandatory() == horizontal_;
            if (indexAxis && series->Count() <= count) {
                step = std::fmax(step, 1);
                break;
            }
        }
    }
    if (labels_->Separation() != 0 && range != 0 && step != 0) {
        for (;;) {
            const double q = range / step;
            const bool huge = !(std::fabs(q) < 2147483647);
            if (!huge && Round(q) <= count) break;
            double next;
            if (logarithmic_)
                next = step * logarithmicBase_;
            else if (increment_ > 0 && !huge)
                next = step * 2;
            else
                next = NiceStep(step);
            // Stops where growing no longer changes the step.
            if (!(next != step)) break;
            step = next;
            if (!(range >= step) || !std::isfinite(step)) break;
        }
    }
    if (std::isinf(step)) return range;
    return std::fmax(step, SmallestStep);
}

double TChartAxis::StepForLabelSize(int size) const
{
    int count = 1;
    if (size > 0 && size_ > 0) {
        const double room = labels_->Separation() > 0 ? size + static_cast<double>(Round(labels_->Separation() / 100.0 * size))
                                                  : size;
        count = static_cast<int>(Round(size_ / room));
    }
    return IncrementForCount(count);
}

void TChartAxis::SetAxisValuesFormat(const String& value) { change(axisValuesFormat_, value); }

bool TChartAxis::IsAxisValuesFormatStored() const { return axisValuesFormat_ != "#,##0.###"; }

void TChartAxis::SetDateTimeFormat(const String& value) { change(dateTimeFormat_, value); }

String TChartAxis::ValueToLabelText(double value) const
{
    String text;
    if (ShowsDateTime()) {
        const String format = dateTimeFormat_.empty() ? PickDateTimeFormat(static_cast<double>(range_))
                                                      : dateTimeFormat_;
        text = FormatDateTime(format, value);
    } else if (GeographicLabels) {
        text = GeographicLabelText(value, horizontal_);
    } else {
        text = FormatFloat(axisValuesFormat_, value);
    }
    if (chart_ && chart_->HasGetAxisLabel())
        chart_->OnGetAxisLabel()(const_cast<TChartAxis*>(this), nullptr, -1, text);
    if (labels_->MultiLine()) std::replace(text.begin(), text.end(), ' ', LineBreakChar);
    return text;
}

int TChartAxis::LabelExtent(double value) const
{
    if (labels_->GridIgnoresLabelSize() || !chart_ || !chart_->Canvas3D()) return 1;
    int lines = 0;
    const int width = chart_->TextBlockWidth(ValueToLabelText(value), lines, ttfNormal);
    const int angle = labels_->Angle();
    const bool across = horizontal_ ? angle == 90 || angle == 270 : angle == 0 || angle == 180;
    return across ? chart_->Canvas3D()->StandardTextHeight() * lines : width;
}

void TChartAxis::keepMeasures() const
{
    if (measures_.open == 0 || measuredFor()) return;
    const int open = measures_.open;
    measures_ = {};
    measures_.open = open;
    measures_.low = workMinimum_;
    measures_.high = workMaximum_;
    measures_.size = size_;
}

double TChartAxis::ComputeLabelStep() const
{
    if (chart_ && chart_->Canvas3D() && labels_->Font()) chart_->Canvas3D()->UseFont(*labels_->Font());
    keepMeasures();
    if (measures_.hasStep && measuredFor()) return measures_.step;
    double low = workMinimum_, high = workMaximum_;
    if (labels_->RoundFirst() && increment_ != 0) {
        low = std::trunc(low / increment_) * increment_;
        high = std::trunc(high / increment_) * increment_;
    }
    int extent = std::max(LabelExtent(low), LabelExtent(high));
    if (increment_ == 0) {
        // A whole midpoint is halved until it has decimals, so that such a label is measured.
        double middle = (low + high) * 0.5;
        for (int i = 0; i < 2000 && middle != 0 && std::isfinite(middle) && middle == std::trunc(middle); ++i)
            middle *= 0.5;
        extent = std::max(extent, LabelExtent(middle));
    } else {
        extent = std::max({extent, LabelExtent(high - increment_), LabelExtent(low + increment_)});
    }
    double step = StepForLabelSize(extent);
    if (labels_->Alternate()) step = logarithmic_ ? step / logarithmicBase_ : step / 2;
    if (measuredFor()) {
        measures_.step = step;
        measures_.hasStep = true;
    }
    return step;
}

void TChartAxis::RoundRangeToIncrement()
{
    if (size_ == 0 || zeroRange_) return;
    const bool roundMaximum = maximumRound_ && (automatic_ || automaticMaximum_);
    const bool roundMinimum = minimumRound_ && (automatic_ || automaticMinimum_);
    if (!roundMaximum && !roundMinimum) return;
    const double step = ComputeLabelStep();
    if (step == 0) return;
    if (roundMaximum) workMaximum_ = step * std::ceil(workMaximum_ / step);
    if (roundMinimum) workMinimum_ = step * std::floor(workMinimum_ / step);
    RecalcScale();
}


TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const
{
    if (parentAxis_) return parentAxis_->EffectiveLabelStyle();
    if (!chart_) return talNone;
    bool bound = false;
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        TChartSeries* series = chart_->GetSeriesAt(i);
        if (!series->Active() || !series->IsBoundToAxis(this)) continue;
        bound = true;
        const TAxisLabelStyle style = series->PreferredLabelStyle(this);
        if (style != talValue) return style;
    }
    return bound ? talValue : talNone;
}

TAxisLabelStyle TChartDepthAxis::EffectiveLabelStyle() const
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart)
        for (int i = 0; i < chart->NumSeries(); ++i) {
            TChartSeries* series = chart->GetSeriesAt(i);
            if (series->Active() && series->LowestZ() != series->HighestZ()) return talValue;
        }
    return talText;
}
