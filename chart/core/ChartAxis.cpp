#include "chart/core/ChartAxis.h"

#include <cmath>

#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED(TChartAxis)
{
    Prop("AxisValuesFormat", &TChartAxis::AxisValuesFormat, &TChartAxis::SetAxisValuesFormat)
        .NoDefault()
        .Stored(&TChartAxis::IsAxisValuesFormatStored);
    Prop("DateTimeFormat", &TChartAxis::DateTimeFormat, &TChartAxis::SetDateTimeFormat);
    PropEnum("LabelStyle", &TChartAxis::LabelStyle, &TChartAxis::SetLabelStyle, talAuto, TAxisLabelStyleNames);
    Prop("Labels", &TChartAxis::Labels, &TChartAxis::SetLabels, true);
    PropEnum("LabelsAlign", &TChartAxis::LabelsAlign, &TChartAxis::SetLabelsAlign, alDefault, TAxisLabelAlignNames);
    Prop("LabelsAlternate", &TChartAxis::LabelsAlternate, &TChartAxis::SetLabelsAlternate, false);
    Prop("LabelsAngle", &TChartAxis::LabelsAngle, &TChartAxis::SetLabelsAngle, 0);
    Prop("LabelsBehind", &TChartAxis::LabelsBehind, &TChartAxis::SetLabelsBehind, false);
    Prop("LabelsExponent", &TChartAxis::LabelsExponent, &TChartAxis::SetLabelsExponent, false);
    Prop("LabelsFont", &TChartAxis::LabelsFont, &TChartAxis::SetLabelsFont);
    Prop("LabelsFormat", &TChartAxis::LabelsFormat, &TChartAxis::SetLabelsFormat);
    Prop("LabelsGridIgnoresLabelSize", &TChartAxis::LabelsGridIgnoresLabelSize,
         &TChartAxis::SetLabelsGridIgnoresLabelSize, false);
    Prop("LabelsMultiLine", &TChartAxis::LabelsMultiLine, &TChartAxis::SetLabelsMultiLine, false);
    Prop("LabelsOnAxis", &TChartAxis::LabelsOnAxis, &TChartAxis::SetLabelsOnAxis, true);
    Prop("LabelsSeparation", &TChartAxis::LabelsSeparation, &TChartAxis::SetLabelsSeparation, 10);
    Prop("LabelsSize", &TChartAxis::LabelsSize, &TChartAxis::SetLabelsSize, 0);
    Prop("RoundFirstLabel", &TChartAxis::RoundFirstLabel, &TChartAxis::SetRoundFirstLabel, true);
    Prop("Axis", &TChartAxis::Axis, &TChartAxis::SetAxis);
    Prop("ExactDateTime", &TChartAxis::ExactDateTime, &TChartAxis::SetExactDateTime, true);
    Prop("Grid", &TChartAxis::Grid, &TChartAxis::SetGrid);
    Prop("GridCentered", &TChartAxis::GridCentered, &TChartAxis::SetGridCentered, false);
    Prop("MinorGrid", &TChartAxis::MinorGrid, &TChartAxis::SetMinorGrid);
    Prop("MinorTickCount", &TChartAxis::MinorTickCount, &TChartAxis::SetMinorTickCount, 3);
    Prop("MinorTickLength", &TChartAxis::MinorTickLength, &TChartAxis::SetMinorTickLength, 2);
    Prop("MinorTicks", &TChartAxis::MinorTicks, &TChartAxis::SetMinorTicks);
    Prop("Ticks", &TChartAxis::Ticks, &TChartAxis::SetTicks);
    Prop("TicksInner", &TChartAxis::TicksInner, &TChartAxis::SetTicksInner);
    Prop("TickInnerLength", &TChartAxis::TickInnerLength, &TChartAxis::SetTickInnerLength, 0);
    Prop("TickLength", &TChartAxis::TickLength, &TChartAxis::SetTickLength, 4);
    Prop("TickOnLabelsOnly", &TChartAxis::TickOnLabelsOnly, &TChartAxis::SetTickOnLabelsOnly, true);
    Prop("UsePartnerAxis", &TChartAxis::UsePartnerAxis, &TChartAxis::SetUsePartnerAxis, false);
    Prop("PositionPercent", &TChartAxis::PositionPercent, &TChartAxis::SetPositionPercent)
        .NoDefault()
        .Stored(&TChartAxis::IsPositionPercentStored);
    PropEnum("PositionUnits", &TChartAxis::PositionUnits, &TChartAxis::SetPositionUnits, muPercent, TZebUnitsNames);
    Prop("TitleSize", &TChartAxis::TitleSize, &TChartAxis::SetTitleSize, 0);
    Prop("Title", &TChartAxis::Title, &TChartAxis::SetTitle).Stored(&TChartAxis::HasTitle);
    Prop("Shape", &TChartAxis::Shape, &TChartAxis::SetShape).Stored(&TChartAxis::HasShape);
    Prop("SubAxes", &TChartAxis::SubAxes, &TChartAxis::SetSubAxes).Stored(&TChartAxis::HasSubAxesItems);
    Prop("OnDrawLabel", &TChartAxis::OnDrawLabel, &TChartAxis::SetOnDrawLabel);
    Prop("Automatic", &TChartAxis::Automatic, &TChartAxis::SetAutomatic, true);
    Prop("AutomaticMaximum", &TChartAxis::AutomaticMaximum, &TChartAxis::SetAutomaticMaximum, true);
    Prop("AutomaticMinimum", &TChartAxis::AutomaticMinimum, &TChartAxis::SetAutomaticMinimum, true);
    Prop("EndPosition", &TChartAxis::EndPosition, &TChartAxis::SetEndPosition)
        .NoDefault()
        .Stored(&TChartAxis::IsEndPositionStored);
    Prop("Horizontal", &TChartAxis::Horizontal, &TChartAxis::SetHorizontal)
        .NoDefault()
        .Stored(&TChartAxis::IsOrientationStored);
    Prop("Increment", &TChartAxis::Increment, &TChartAxis::SetIncrement, 0.0);
    Prop("Inverted", &TChartAxis::Inverted, &TChartAxis::SetInverted, false);
    Prop("Logarithmic", &TChartAxis::Logarithmic, &TChartAxis::SetLogarithmic, false);
    Prop("LogarithmicBase", &TChartAxis::LogarithmicBase, &TChartAxis::SetLogarithmicBase)
        .NoDefault()
        .Stored(&TChartAxis::IsLogarithmicBaseStored);
    Prop("Maximum", &TChartAxis::Maximum, &TChartAxis::SetMaximum, 0.0);
    Prop("MaximumOffset", &TChartAxis::MaximumOffset, &TChartAxis::SetMaximumOffset, 0);
    Prop("MaximumRound", &TChartAxis::MaximumRound, &TChartAxis::SetMaximumRound, false);
    Prop("Minimum", &TChartAxis::Minimum, &TChartAxis::SetMinimum, 0.0);
    Prop("MinimumOffset", &TChartAxis::MinimumOffset, &TChartAxis::SetMinimumOffset, 0);
    Prop("MinimumRound", &TChartAxis::MinimumRound, &TChartAxis::SetMinimumRound, false);
    Prop("OtherSide", &TChartAxis::OtherSide, &TChartAxis::SetOtherSide)
        .NoDefault()
        .Stored(&TChartAxis::IsOrientationStored);
    Prop("StartPosition", &TChartAxis::StartPosition, &TChartAxis::SetStartPosition)
        .NoDefault()
        .Stored(&TChartAxis::IsStartPositionStored);
    Prop("Visible", &TChartAxis::Visible, &TChartAxis::SetVisible, true);
    Prop("ZPosition", &TChartAxis::ZPosition, &TChartAxis::SetZPosition)
        .NoDefault()
        .Stored(&TChartAxis::IsZPositionStored);
}

TV_PUBLISHED(TChartDepthAxis)
{
    Prop("LabelsAsSeriesTitles", &TChartDepthAxis::LabelsAsSeriesTitles, &TChartDepthAxis::SetLabelsAsSeriesTitles,
         true);
    Prop("Visible", &TChartDepthAxis::Visible, &TChartDepthAxis::SetVisible, false);
}

TChartAxis::TChartAxis(TCollection* collection) : TCollectionItem(collection)
{
    if (auto* axes = dynamic_cast<TChartCustomAxes*>(collection)) {
        chart_ = axes->Chart();
        parentAxis_ = axes->ParentAxis();
    }
    if (chart_ && !parentAxis_) chart_->Axes().Add(this);
    init();
    if (chart_ && !parentAxis_ && !standard_) chart_->AxisFromTemplate(this);
}

TChartAxis::TChartAxis(TCustomAxisPanel* chart) : TCollectionItem(nullptr), chart_(chart), standard_(true)
{
    if (chart_) chart_->Axes().Add(this);
    init();
}

void TChartAxis::init()
{
    const TNotifyEvent changed =
        chart_ ? TNotifyEvent(static_cast<TCustomZebPanel*>(chart_), &TCustomZebPanel::StyleChanged) : TNotifyEvent();
    labels_ = new TAxisLabels(this);
    items_ = new TAxisItems(this);
    axisPen_ = new TChartAxisPen(changed);
    grid_ = new TAxisGridPen(changed);
    minorGrid_ = new TZebHiddenPen(changed);
    ticksPen_ = new TTicks(changed);
    ticksInner_ = new TTicks(changed);
    minorTicks_ = new TTicks(changed);
    SelectPixelStrategy();
}

void TChartAxis::free()
{
    TObject::Free(shape_);
    TObject::Free(axisPen_);
    TObject::Free(grid_);
    TObject::Free(minorGrid_);
    TObject::Free(ticksPen_);
    TObject::Free(ticksInner_);
    TObject::Free(minorTicks_);
    TObject::Free(title_);
    delete items_;
    TObject::Free(labels_);
    shape_ = nullptr;
    title_ = nullptr;
}

TChartAxis::~TChartAxis()
{
    delete subAxes_;
    free();
    if (!chart_) return;
    // Series drawn against this axis go back to the standard ones.
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        TChartSeries* series = chart_->GetSeriesAt(i);
        if (series->CustomHorizAxis() == this) {
            series->SetCustomHorizAxis(nullptr);
            series->SetHorizAxis(aBottomAxis);
        }
        if (series->CustomVertAxis() == this) {
            series->SetCustomVertAxis(nullptr);
            series->SetVertAxis(aLeftAxis);
        }
    }
    if (!parentAxis_) chart_->Axes().Remove(this);
}

void TChartAxis::Assign(TPersistent* source)
{
    auto* other = dynamic_cast<TChartAxis*>(source);
    if (!other) {
        TCollectionItem::Assign(source);
        return;
    }
    increment_ = other->increment_;
    maximum_ = other->maximum_;
    maximumOffset_ = other->maximumOffset_;
    maximumRound_ = other->maximumRound_;
    minimum_ = other->minimum_;
    minimumOffset_ = other->minimumOffset_;
    minimumRound_ = other->minimumRound_;
    automatic_ = other->automatic_;
    automaticMaximum_ = other->automaticMaximum_;
    automaticMinimum_ = other->automaticMinimum_;
    logarithmic_ = other->logarithmic_;
    logarithmicBase_ = other->logarithmicBase_;
    inverted_ = other->inverted_;
    depth_ = other->depth_;
    startPosition_ = other->startPosition_;
    endPosition_ = other->endPosition_;
    visible_ = other->visible_;
    horizontal_ = other->horizontal_;
    otherSide_ = other->otherSide_;
    axisValuesFormat_ = other->axisValuesFormat_;
    dateTimeFormat_ = other->dateTimeFormat_;
    axisPen_->Assign(other->axisPen_);
    items_->CopyFrom(*other->items_);
    labels_->Assign(other->labels_);
    ticksPen_->Assign(other->ticksPen_);
    ticksInner_->Assign(other->ticksInner_);
    titleSize_ = other->titleSize_;
    grid_->Assign(other->grid_);
    minorTicks_->Assign(other->minorTicks_);
    minorGrid_->Assign(other->minorGrid_);
    tickLength_ = other->tickLength_;
    tickInnerLength_ = other->tickInnerLength_;
    minorTickLength_ = other->minorTickLength_;
    minorTickCount_ = other->minorTickCount_;
    SetTitle(other->title_);
    exactDateTime_ = other->exactDateTime_;
    tickOnLabelsOnly_ = other->tickOnLabelsOnly_;
    positionPercent_ = other->positionPercent_;
    positionUnits_ = other->positionUnits_;
    SetShape(other->shape_);
    partnerAxis_ = other->partnerAxis_;
    usePartnerAxis_ = other->usePartnerAxis_;
    if (other->subAxes_) SubAxes()->Assign(other->subAxes_);
    SelectPixelStrategy();
    if (chart_) chart_->Invalidate();
}

TChartCustomAxes* TChartAxis::SubAxes()
{
    if (!subAxes_) subAxes_ = new TChartCustomAxes(chart_, this);
    return subAxes_;
}

void TChartAxis::DefineProperties(TFiler& filer)
{
    TCollectionItem::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Items", [this](TStream& stream) { items_->ReadItems(stream); },
        [this](TStream& stream) { items_->WriteItems(stream); }, !items_->Automatic());
}

void TChartAxis::SetAxis(TChartAxisPen* value) { axisPen_->Assign(value); }

void TChartAxis::SetGrid(TAxisGridPen* value) { grid_->Assign(value); }

bool TChartAxis::GridCentered() const { return grid_->Centered(); }

void TChartAxis::SetGridCentered(bool value) { grid_->SetCentered(value); }

void TChartAxis::SetMinorGrid(TZebHiddenPen* value) { minorGrid_->Assign(value); }

void TChartAxis::SetTicks(TTicks* value) { ticksPen_->Assign(value); }

void TChartAxis::SetTicksInner(TTicks* value) { ticksInner_->Assign(value); }

void TChartAxis::SetMinorTicks(TTicks* value) { minorTicks_->Assign(value); }

void TChartAxis::SetPartnerAxis(TChartAxis* value) { change(partnerAxis_, value); }

void TChartAxis::SetPositionUnits(TZebUnits value) { change(positionUnits_, value); }

TChartAxisTitle* TChartAxis::Title()
{
    if (!title_) {
        title_ = new TChartAxisTitle(chart_);
        // A vertical title reads upwards on the near side, downwards on the other.
        if (!horizontal_) title_->InitAngle(otherSide_ ? 270 : 90);
    }
    return title_;
}

void TChartAxis::SetTitle(TChartAxisTitle* value)
{
    if (!value) {
        TObject::Free(title_);
        title_ = nullptr;
        return;
    }
    Title()->Assign(value);
}

TAxisBackShape* TChartAxis::Shape()
{
    if (!shape_) shape_ = new TAxisBackShape(chart_);
    return shape_;
}

void TChartAxis::SetShape(TAxisBackShape* value)
{
    if (!value) {
        TObject::Free(shape_);
        shape_ = nullptr;
        return;
    }
    Shape()->Assign(value);
}

bool TChartAxis::HasSubAxesItems() const { return subAxes_ && subAxes_->Count() > 0; }

void TChartAxis::SetSubAxes(TChartCustomAxes* value)
{
    if (!value) {
        delete subAxes_;
        subAxes_ = nullptr;
        return;
    }
    SubAxes()->Assign(value);
}

void TChartAxis::repaintChart()
{
    if (chart_) chart_->Invalidate();
}

bool TChartAxis::loading() const { return chart_ && chart_->ComponentState().Contains(csLoading); }

void TChartAxis::rangeChanged()
{
    if (chart_) chart_->NotifyAxisRangeChanged(this);
}

void TChartAxis::SetAutomatic(bool value)
{
    change(automatic_, value);
    if (loading()) return;
    automaticMinimum_ = value;
    automaticMaximum_ = value;
}

void TChartAxis::SetAutomaticMaximum(bool value)
{
    change(automaticMaximum_, value);
    if (!value)
        automatic_ = false;
    else if (automaticMinimum_)
        automatic_ = true;
}

void TChartAxis::SetAutomaticMinimum(bool value)
{
    change(automaticMinimum_, value);
    if (!value)
        automatic_ = false;
    else if (automaticMaximum_)
        automatic_ = true;
}

void TChartAxis::SetMinimum(double value)
{
    if (!loading() && value > maximum_) throw AxisException(TxtAxisMinimumValueMustBe);
    if (AssignIfChanged(minimum_, value)) rangeChanged();
}

void TChartAxis::SetMaximum(double value)
{
    if (!loading() && value < minimum_) throw AxisException(TxtAxisMaximumValueMustBe);
    if (AssignIfChanged(maximum_, value)) rangeChanged();
}

void TChartAxis::ApplyRange(double a, double b)
{
    automatic_ = automaticMinimum_ = automaticMaximum_ = false;
    const double low = std::fmin(a, b), high = std::fmax(a, b);
    if (AssignIfChanged(minimum_, low)) rangeChanged();
    if (AssignIfChanged(maximum_, high)) rangeChanged();
    if (subAxes_)
        for (int i = 0; i < subAxes_->Count(); ++i) subAxes_->GetAxisAt(i)->ApplyRange(a, b);
}

void TChartAxis::ShiftRange(bool guarded, double delta)
{
    if (guarded) {
        if (delta == 0 || !chart_) return;
        if (delta > 0 && !(chart_->AxisExtreme(this, false, horizontal_) - delta > maximum_)) return;
        if (delta < 0 && !(chart_->AxisExtreme(this, true, horizontal_) - delta < minimum_)) return;
    }
    automatic_ = automaticMaximum_ = automaticMinimum_ = false;
    maximum_ += delta;
    minimum_ += delta;
    rangeChanged();
}

void TChartAxis::SetIncrement(double value)
{
    if (value < 0) throw AxisException(TxtAxisIncrementMustBe0);
    change(increment_, value);
}

void TChartAxis::SetLogarithmic(bool value)
{
    if (value) {
        ComputeRange();
        if (workMinimum_ < 0 || workMaximum_ < 0) throw AxisException(TxtLogarithmicAxisMinAndMax);
    }
    change(logarithmic_, value);
    if (parentAxis_) parentAxis_->SetLogarithmic(value);
    SelectPixelStrategy();
}

void TChartAxis::SetLogarithmicBase(double value)
{
    if (value == 1 || !(value > 0)) throw AxisException(TxtAxisLogarithmicBaseShouldBe);
    change(logarithmicBase_, value);
}

void TChartAxis::SetInverted(bool value)
{
    if (parentAxis_) parentAxis_->inverted_ = value;
    change(inverted_, value);
}

void TChartAxis::SetMaximumOffset(int value) { change(maximumOffset_, value); }

void TChartAxis::SetMinimumOffset(int value) { change(minimumOffset_, value); }

void TChartAxis::SetHorizontal(bool value)
{
    horizontal_ = value;
    SelectPixelStrategy();
}

void TChartAxis::SetZPosition(double value) { change(zPosition_, value == 0 ? 0.01 : value); }

bool TChartAxis::IsZPositionStored() const
{
    if (depth_) return false;
    return otherSide_ ? zPosition_ != 100 : zPosition_ > 0.011;
}

void TChartAxis::SelectPixelStrategy()
{
    if (depth_)
        strategy_ = Strategy::Depth;
    else if (logarithmic_)
        strategy_ = Strategy::Logarithmic;
    else if (chart_ && chart_->Axes().FastPixelCalc())
        strategy_ = Strategy::Fast;
    else
        strategy_ = Strategy::Linear;
}

void TChartAxis::ComputeRange()
{
    if (chart_) {
        if (automatic_ || automaticMaximum_) maximum_ = chart_->AxisExtreme(this, false, horizontal_);
        if (automatic_ || automaticMinimum_) minimum_ = chart_->AxisExtreme(this, true, horizontal_);
    }
    workMaximum_ = maximum_;
    workMinimum_ = minimum_;
    RecalcScale();
    RoundRangeToIncrement();
}

void TChartAxis::RecalcScale()
{
    range_ = static_cast<long double>(workMaximum_) - workMinimum_;
    zeroRange_ = !std::isfinite(range_) || std::fabs(range_) <= 1e-12L;
    scale_ = zeroRange_ ? 0 : static_cast<double>(size_ / range_);
    if (logarithmic_) {
        logMinimum_ = workMinimum_ > 0 ? std::log(workMinimum_) : 0;
        logMaximum_ = workMaximum_ > 0 ? std::log(workMaximum_) : 0;
        logRange_ = static_cast<long double>(logMaximum_) - logMinimum_;
        logScale_ = logRange_ > 1e-12L ? static_cast<double>(size_ / logRange_) : 0;
    }
    if (chart_) {
        const int depth = depth_ ? chart_->ChartHeight() : chart_->Depth3D();
        zPixel_ = static_cast<int>(Round(zPosition_ * depth / 100));
    }
}

void TChartAxis::SetPixelBounds(int start, int end)
{
    start_ = start;
    end_ = end;
    size_ = end - start;
    centre_ = (start + end) / 2;
    RecalcScale();
}

void TChartAxis::ComputePixelBounds()
{
    int origin = 0, length = 0;
    if (chart_) {
        if (depth_) {
            length = chart_->Depth3D();
        } else if (horizontal_) {
            origin = chart_->ChartRect().Left;
            length = chart_->ChartWidth();
        } else {
            origin = chart_->ChartRect().Top;
            length = chart_->ChartHeight();
        }
    }
    SetPixelBounds(origin + static_cast<int>(Round(length * startPosition_ / 100)),
                   origin + static_cast<int>(Round(length * endPosition_ / 100)));
}

void TChartAxis::AdjustRangeForMargins(int lowMargin, int highMargin)
{
    const int oldStart = start_, oldEnd = end_;
    start_ += lowMargin;
    end_ -= highMargin;
    size_ = end_ - start_;
    const double atStart = PixelToValue(oldStart);
    const double atEnd = PixelToValue(oldEnd);
    workMinimum_ = atStart;
    workMaximum_ = atEnd;
    if (workMinimum_ > workMaximum_) std::swap(workMinimum_, workMaximum_);
    // Back to the full length, which the margins leave as it was.
    SetPixelBounds(oldStart, oldEnd);
    if (!subAxes_) return;
    for (int i = 0; i < subAxes_->Count(); ++i) {
        TChartAxis* sub = subAxes_->GetAxisAt(i);
        sub->workMinimum_ = workMinimum_;
        sub->workMaximum_ = workMaximum_;
        sub->ComputePixelBounds();
    }
}

namespace {

// Every pixel lands within +-MaxPixelCoordinate (a NaN product at the negative end).
int ClampPixel(long double p)
{
    if (!(p >= -MaxPixelCoordinate)) return -MaxPixelCoordinate;
    if (p > MaxPixelCoordinate) return MaxPixelCoordinate;
    return static_cast<int>(Round(p));
}

}  // namespace

int TChartAxis::linear(double value, bool horizontal) const
{
    const double d = (value - workMinimum_) * scale_;
    if (horizontal) return ClampPixel(inverted_ ? end_ - d : start_ + d);
    return ClampPixel(inverted_ ? start_ + d : end_ - d);
}

int TChartAxis::fast(double value, bool horizontal) const
{
    const int d = ClampPixel((value - workMinimum_) * scale_);
    const bool fromStart = horizontal != inverted_;
    return ClampPixel(fromStart ? static_cast<long double>(start_) + d : static_cast<long double>(end_) - d);
}

int TChartAxis::logarithmicPixel(double value, bool horizontal) const
{
    if (value <= 0) {
        if (horizontal) return inverted_ ? end_ : start_;
        return inverted_ ? start_ : end_;
    }
    const long double logValue = std::log(static_cast<long double>(value));
    const long double along = logScale_ * (inverted_ ? logMaximum_ - logValue : logValue - logMinimum_);
    if (std::isnan(along)) return -MaxPixelCoordinate;
    // Rounded before the offset, as a pixel count along the axis.
    const long double steps = along > 2 * MaxPixelCoordinate    ? 2 * MaxPixelCoordinate
                              : along < -2 * MaxPixelCoordinate ? -2 * MaxPixelCoordinate
                                                                : static_cast<long double>(Round(along));
    return ClampPixel(horizontal ? start_ + steps : end_ - steps);
}

int TChartAxis::depthPixel(double value) const
{
    return ClampPixel(scale_ * static_cast<long double>(inverted_ ? workMaximum_ - value : value - workMinimum_));
}

int TChartAxis::convert(double value, bool horizontal) const
{
    // A NaN has no place on the axis: it goes far off any picture.
    if (std::isnan(value)) return -MaxPixelCoordinate;
    switch (strategy_) {
    case Strategy::Depth: return zeroRange_ ? centre_ : depthPixel(value);
    case Strategy::Logarithmic: return logScale_ == 0 ? centre_ : logarithmicPixel(value, horizontal);
    case Strategy::Fast: return zeroRange_ ? centre_ : fast(value, horizontal);
    case Strategy::Linear: break;
    }
    return zeroRange_ ? centre_ : linear(value, horizontal);
}

int TChartAxis::ValueToPixel(double value) const { return convert(value, horizontal_); }

int TChartAxis::HorizontalValueToPixel(double value) const { return convert(value, true); }

int TChartAxis::VerticalValueToPixel(double value) const { return convert(value, false); }

double TChartAxis::PixelToValue(int pixel) const
{
    const double d = inverted_ ? end_ - pixel : pixel - start_;
    if (logarithmic_) {
        const bool minimumAtStart = horizontal_ != inverted_;
        if (pixel == start_) return minimumAtStart ? workMinimum_ : workMaximum_;
        if (pixel == end_) return minimumAtStart ? workMaximum_ : workMinimum_;
        if (logRange_ <= 1e-12L || size_ == 0) return workMinimum_;
        const double t = static_cast<double>(logRange_ * d / size_);
        return horizontal_ ? std::exp(logMinimum_ + t) : std::exp(logMaximum_ - t);
    }
    if (size_ < 1) return 0;
    const double t = static_cast<double>(d * range_ / size_);
    // A depth axis counts from its minimum like a horizontal one, as its conversion does.
    return horizontal_ || depth_ ? workMinimum_ + t : workMaximum_ - t;
}

int TChartAxis::PixelSpanBetween(double a, double b) const
{
    if (a == b) return 0;
    if (logarithmic_) return ValueToPixel(a) - ValueToPixel(b);
    if (zeroRange_) return 0;
    return ClampPixel(std::fabs(a - b) * scale_);
}

TChartDepthAxis::TChartDepthAxis(TCustomAxisPanel* chart) : TChartAxis(chart)
{
    setDepthAxis();
    SetVisible(false);
}

void TChartDepthAxis::SetInverted(bool value)
{
    TChartAxis::SetInverted(value);
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TChartAxis* other = chart->DepthAxis() == this ? chart->DepthTopAxis() : chart->DepthAxis();
    if (other && other != this) other->StoreInverted(value);
}
