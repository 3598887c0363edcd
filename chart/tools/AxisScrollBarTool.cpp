#include "chart/tools/AxisScrollBarTool.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/AxisScrollTool.h"
#include "platform/classes/Published.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TAxisScrollBarToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAxisScrollBarEditor"; }
    String GalleryName() const override { return "Axis ScrollBar"; }
    String GalleryHint() const override { return "Scrolls an Axis"; }
};

constexpr int positions = 1000;

// The axis while it is still one of chart's (a chart being torn down has freed its axes).
TChartAxis* liveAxis(TCustomAxisPanel* chart, TChartAxis* axis)
{
    if (!chart || !axis) return nullptr;
    for (int i = 0; i < chart->Axes().Count(); ++i)
        if (chart->Axes().Items(i) == axis) return axis;
    return nullptr;
}

}  // namespace

TV_PUBLISHED_AS(TAxisScrollBarTool, TAxisScrollBarToolClass)
{
    Prop("AllowResize", &TAxisScrollBarTool::AllowResize, &TAxisScrollBarTool::SetAllowResize, true);
    Prop("Margin", &TAxisScrollBarTool::Margin, &TAxisScrollBarTool::SetMargin, 5);
}

TAxisScrollBarTool::TAxisScrollBarTool(TComponent* owner) : TZebScrollBar(owner)
{
    SetAllowResize(true);
    SetMaxPosition(positions);
}

TAxisScrollBarTool::~TAxisScrollBarTool() = default;

void TAxisScrollBarTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TAxisScrollBarTool*>(source)) {
        SetAxis(s->axis_);
        SetMargin(s->margin_);
    }
    TZebScrollBar::Assign(source);
}

int TAxisScrollBarTool::axisID() const
{
    TCustomAxisPanel* chart = axis_ ? axis_->ParentChart() : nullptr;
    if (!chart) return -1;
    for (int i = 0; i < chart->Axes().Count(); ++i)
        if (chart->Axes().Items(i) == axis_) return i;
    return -1;
}

void TAxisScrollBarTool::DefineProperties(TFiler& filer)
{
    TZebScrollBar::DefineProperties(filer);
    filer.DefineProperty(
        "AxisID", [this](TReader& reader) { pendingAxisID_ = reader.ReadInteger(); },
        [this](TWriter& writer) { writer.WriteInteger(axisID()); }, axisID() >= 0);
}

void TAxisScrollBarTool::Loaded()
{
    TZebScrollBar::Loaded();
    const int id = pendingAxisID_;
    pendingAxisID_ = -1;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    // A bar stored without an axis serves the bottom one, as a new bar does.
    SetAxis(id >= 0 && id < chart->Axes().Count() ? chart->Axes().Items(id) : chart->BottomAxis());
}

void TAxisScrollBarTool::BeforeDestruction()
{
    if (TChartAxis* axis = liveAxis(ParentChart(), axis_)) axis->ToolMargin = 0;
    TZebScrollBar::BeforeDestruction();
}

void TAxisScrollBarTool::reserveSpace()
{
    if (TChartAxis* axis = liveAxis(ParentChart(), axis_)) {
        axis->ToolMargin = Active() ? Size() + margin_ : 0;
        InvalidateChart();
    }
}

void TAxisScrollBarTool::SetAxis(TChartAxis* value)
{
    if (value == axis_ && (!value || value->ParentChart() == ParentChart())) return;
    if (TChartAxis* old = liveAxis(ParentChart(), axis_)) old->ToolMargin = 0;
    axis_ = value;
    SetParentChart(value ? value->ParentChart() : nullptr);
    if (value) SetHorizontal(value->Horizontal());
    reserveSpace();
}

void TAxisScrollBarTool::SetActive(bool value)
{
    TZebScrollBar::SetActive(value);
    reserveSpace();
}

void TAxisScrollBarTool::SetMargin(int value)
{
    if (!AssignIfChanged(margin_, value)) return;
    reserveSpace();
}

void TAxisScrollBarTool::SetSize(int value)
{
    TZebScrollBar::SetSize(value);
    reserveSpace();
}

void TAxisScrollBarTool::SetParentChart(TCustomAxisPanel* value)
{
    if (value != ParentChart()) {
        // Leaving a chart gives the space back; a chart being torn down has no axes left to touch.
        if (TChartAxis* old = liveAxis(ParentChart(), axis_)) old->ToolMargin = 0;
        if (!liveAxis(value, axis_)) axis_ = nullptr;
    }
    TZebScrollBar::SetParentChart(value);
    if (!value || IsLoading()) return;
    if (!axis_) axis_ = value->BottomAxis();
    SetHorizontal(axis_->Horizontal());
    reserveSpace();
}

bool TAxisScrollBarTool::extent(double& low, double& high) const
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !axis_) return false;
    low = chart->AxisExtreme(axis_, true, axis_->Horizontal());
    high = chart->AxisExtreme(axis_, false, axis_->Horizontal());
    return true;
}

int TAxisScrollBarTool::GetPageSize()
{
    double low = 0, high = 0;
    if (!extent(low, high) || high == low) return 0;
    return static_cast<int>(Round(positions * (axis_->Maximum() - axis_->Minimum()) / (high - low)));
}

void TAxisScrollBarTool::PositionFromAxis()
{
    double low = 0, high = 0;
    if (!extent(low, high)) return;
    const double range = axis_->Maximum() - axis_->Minimum();
    if (range == 0) return;
    int position = 0;
    if (high != low) {
        const double v = Horizontal() ? axis_->Minimum() - low : high - axis_->Maximum();
        position = static_cast<int>(Round(positions * v / (high - low)));
    }
    // Only shows where the axis is: putting the rounded position back would snap the range.
    following_ = true;
    SetPosition(position);
    following_ = false;
}

void TAxisScrollBarTool::applyRange(double minimum, double maximum)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !axis_) return;
    if (axis_->Automatic() && axis_->Minimum() == minimum && axis_->Maximum() == maximum) return;
    const double delta = minimum - axis_->Minimum();
    axis_->ApplyRange(minimum, maximum);
    if (TChartAxis* partner = PairedAxis(*chart, *axis_))
        partner->ApplyRange(partner->Minimum() + delta, partner->Minimum() + delta + (maximum - minimum));
}

void TAxisScrollBarTool::SetPosition(int value)
{
    TZebScrollBar::SetPosition(value);
    if (following_) return;
    double low = 0, high = 0;
    if (!extent(low, high)) return;
    const double range = axis_->Maximum() - axis_->Minimum();
    if (range == 0 || high == low) return;
    const double step = GetPosition() * (high - low) / positions;
    const double minimum = Horizontal() ? low + step : high - step - range;
    applyRange(minimum, minimum + range);
}

void TAxisScrollBarTool::ResizePage(bool atEnd, double delta)
{
    double low = 0, high = 0;
    if (!extent(low, high)) return;
    if (axis_->Maximum() - axis_->Minimum() == 0) return;
    double d = delta * (high - low) / positions;
    if (!Horizontal()) {
        atEnd = !atEnd;
        d = -d;
    }
    double minimum = axis_->Minimum(), maximum = axis_->Maximum();
    if (atEnd) {
        if (maximum + d > minimum) maximum += d;
    } else if (minimum + d < maximum) {
        minimum += d;
    }
    applyRange(minimum, maximum);
    PositionFromAxis();
}

bool TAxisScrollBarTool::GetScrollArea(TRect& area)
{
    if (!areaValid_ || !axis_ || !axis_->Visible()) return false;
    area = area_;
    return true;
}

void TAxisScrollBarTool::ChartDrawStage(TChartDrawStage stage)
{
    if (stage == cdsStart) {
        PositionFromAxis();
    } else if (stage == cdsEnd) {
        // Laid out now: the bar lies Margin pixels beyond the labels, along the axis' span.
        areaValid_ = axis_ && axis_->Visible() && ParentChart();
        if (areaValid_) {
            const int outer = axis_->InflateAxisPos(axis_->LabelsPosition(), axis_->Labels() ? axis_->LabelBandSize() : 0);
            const int edge = axis_->InflateAxisPos(outer, margin_);
            const int low = std::min(axis_->StartPixel(), axis_->EndPixel());
            const int high = std::max(axis_->StartPixel(), axis_->EndPixel());
            const int size = Size();
            if (axis_->Horizontal())
                area_ = axis_->OtherSide() ? TRect{low, edge - 2 * size, high, edge - size} : TRect{low, edge - size, high, edge};
            else
                area_ = axis_->OtherSide() ? TRect{edge, low, edge + size + 1, high} : TRect{edge - size - 1, low, edge, high};
        }
    }
    TZebScrollBar::ChartDrawStage(stage);
}
