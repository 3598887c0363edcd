// The bar series base: settings, the layout shared by the bar series of a chart, the value axis'
// range, Z slots and depth.
#include "chart/series/CustomBarSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AutomaticText.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartPage.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/TextShapes.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/SeriesShared.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

TV_PUBLISHED_AS(TCustomBarSeries, TChartElementClass)
{
    Prop("AutoBarSize", &TCustomBarSeries::AutoBarSize, &TCustomBarSeries::SetAutoBarSize, false);
    Prop("AutoMarkPosition", &TCustomBarSeries::AutoMarkPosition, &TCustomBarSeries::SetAutoMarkPosition)
        .Stored(false);
    Prop("BarBrush", &TCustomBarSeries::BarBrush, &TCustomBarSeries::SetBarBrush);
    Prop("BarPen", &TCustomBarSeries::BarPen, &TCustomBarSeries::SetBarPen);
    PropEnum("BarRound", &TCustomBarSeries::BarRound, &TCustomBarSeries::SetBarRound, brAtValue, TBarRoundNames);
    PropEnum("BarStyle", &TCustomBarSeries::BarStyle, &TCustomBarSeries::SetBarStyle, bsRectangle, TBarStyleNames);
    Prop("BarWidthPercent", &TCustomBarSeries::BarWidthPercent, &TCustomBarSeries::SetBarWidthPercent, 70);
    Prop("BevelSize", &TCustomBarSeries::BevelSize, &TCustomBarSeries::SetBevelSize, 1);
    Prop("ConePercent", &TCustomBarSeries::ConePercent, &TCustomBarSeries::SetConePercent, 0);
    Prop("Dark3D", &TCustomBarSeries::Dark3D, &TCustomBarSeries::SetDark3D, true);
    Prop("DarkPen", &TCustomBarSeries::DarkPen, &TCustomBarSeries::SetDarkPen, 0);
    Prop("DepthPercent", &TCustomBarSeries::DepthPercent, &TCustomBarSeries::SetDepthPercent, 100);
    Prop("Emboss", &TCustomBarSeries::Emboss, &TCustomBarSeries::SetEmboss);
    Prop("Gradient", &TCustomBarSeries::Gradient, &TCustomBarSeries::SetGradient);
    Prop("GradientRelative", &TCustomBarSeries::GradientRelative, &TCustomBarSeries::SetGradientRelative, false);
    PropEnum("MarksLocation", &TCustomBarSeries::MarksLocation, &TCustomBarSeries::SetMarksLocation, mlEnd,
             TMarksLocationNames);
    Prop("MarksOnBar", &TCustomBarSeries::MarksOnBar, &TCustomBarSeries::SetMarksOnBar, false);
    PropEnum("MultiBar", &TCustomBarSeries::MultiBar, &TCustomBarSeries::SetMultiBar, mbSide, TMultiBarNames);
    Prop("OffsetPercent", &TCustomBarSeries::OffsetPercent, &TCustomBarSeries::SetOffsetPercent, 0);
    Prop("RoundSize", &TCustomBarSeries::RoundSize, &TCustomBarSeries::SetRoundSize, 16);
    Prop("SelfStack", &TCustomBarSeries::SelfStack, &TCustomBarSeries::SetSelfStack);
    Prop("Shadow", &TCustomBarSeries::Shadow, &TCustomBarSeries::SetShadow);
    Prop("SideMargins", &TCustomBarSeries::SideMargins, &TCustomBarSeries::SetSideMargins, true);
    Prop("Sides", &TCustomBarSeries::Sides, &TCustomBarSeries::SetSides, 32);
    Prop("StackGroup", &TCustomBarSeries::StackGroup, &TCustomBarSeries::SetStackGroup, 0);
    Prop("TickLines", &TCustomBarSeries::TickLines, &TCustomBarSeries::SetTickLines)
        .Stored(&TCustomBarSeries::HasTickLines);
    Prop("UseYOrigin", &TCustomBarSeries::UseYOrigin, &TCustomBarSeries::SetUseYOrigin, true);
    Prop("YOrigin", &TCustomBarSeries::YOrigin, &TCustomBarSeries::SetYOrigin);
    Prop("OnGetBarStyle", &TCustomBarSeries::OnGetBarStyle, &TCustomBarSeries::SetOnGetBarStyle);
}

namespace {

constexpr TColor EffectColor = static_cast<TColor>(0x808080);

}  // namespace

TCustomBarSeries::TCustomBarSeries(TComponent* owner) : TChartSeries(owner)
{
    TSeriesMarks& marks = Marks();
    marks.InitVisible(true);
    marks.SetOnTop(true);
    marks.Callout()->InitLength(20);
    const TNotifyEvent changed(this, &TCustomBarSeries::effectsChanged);
    emboss_ = std::make_unique<TZebEmboss>(changed);
    emboss_->InitDefaults(false, EffectColor, emboss_->HorizSize());
    shadow_ = std::make_unique<TZebShadow>(changed);
    shadow_->InitDefaults(true, EffectColor, 0);
    selfStack_ = std::make_unique<TSelfStack>(this);
}

TCustomBarSeries::~TCustomBarSeries() = default;

void TCustomBarSeries::effectsChanged(TObject*) { InvalidateChart(); }

void TCustomBarSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomBarSeries*>(source)) {
        barStyle_ = other->barStyle_;
        multiBar_ = other->multiBar_;
        yOrigin_ = other->yOrigin_;
        selfStack_->Assign(other->selfStack_.get());
        stackGroup_ = other->stackGroup_;
        useYOrigin_ = other->useYOrigin_;
    }
    TChartSeries::Assign(source);
}

void TCustomBarSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* bar = dynamic_cast<TCustomBarSeries*>(other)) {
        barWidthPercent_ = bar->barWidthPercent_;
        barRound_ = bar->barRound_;
        bevelSize_ = bar->bevelSize_;
        conePercent_ = bar->conePercent_;
        customBarWidth_ = bar->customBarWidth_;
        dark3D_ = bar->dark3D_;
        darkPen_ = bar->darkPen_;
        depthPercent_ = bar->depthPercent_;
        emboss_->Assign(bar->emboss_.get());
        gradientRelative_ = bar->gradientRelative_;
        marksLocation_ = bar->marksLocation_;
        marksOnBar_ = bar->marksOnBar_;
        offsetPercent_ = bar->offsetPercent_;
        roundSize_ = bar->roundSize_;
        shadow_->Assign(bar->shadow_.get());
        sideMargins_ = bar->sideMargins_;
        SetTickLines(bar->tickLines_.get());
    }
    TChartSeries::CopyAppearance(other);
}

void TCustomBarSeries::SetParentChart(TCustomAxisPanel* value)
{
    TChartSeries::SetParentChart(value);
    if (ParentChart()) shareMultiBar(false);
}

// ---- settings ----

bool TCustomBarSeries::AutoMarkPosition() { return Marks().AutomaticText()->Move(); }

void TCustomBarSeries::SetAutoMarkPosition(bool value) { Marks().AutomaticText()->SetMove(value); }

void TCustomBarSeries::SetBarRound(TBarRound value) { Change(barRound_, value); }

void TCustomBarSeries::SetBarStyle(TBarStyle value)
{
    if (!AssignIfChanged(barStyle_, value)) return;
    if (value == bsRectangle) Gradient()->SetVisible(false);
    InvalidateChart();
}

void TCustomBarSeries::SetMarksLocation(TMarksLocation value) { Change(marksLocation_, value); }

void TCustomBarSeries::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }

void TCustomBarSeries::SetShadow(TZebShadow* value) { shadow_->Assign(value); }

void TCustomBarSeries::SetSelfStack(TSelfStack* value) { selfStack_->Assign(value); }

TZebGradient* TCustomBarSeries::Gradient() const { return Brush()->Gradient(); }

void TCustomBarSeries::SetGradient(TZebGradient* value) { Gradient()->Assign(value); }

TZebHiddenPen* TCustomBarSeries::TickLines()
{
    if (!tickLines_) {
        tickLines_ = std::make_unique<TZebHiddenPen>(TNotifyEvent(this, &TCustomBarSeries::effectsChanged));
        tickLines_->InitEndStyle(esFlat);
    }
    return tickLines_.get();
}

void TCustomBarSeries::SetTickLines(TZebHiddenPen* value)
{
    if (!value) {
        tickLines_.reset();
        InvalidateChart();
        return;
    }
    TickLines()->Assign(value);
}

void TCustomBarSeries::SetMultiBar(TMultiBar value)
{
    if (!AssignIfChanged(multiBar_, value)) return;
    shareMultiBar(true);
    InvalidateChart();
}

void TCustomBarSeries::SetSideMargins(bool value)
{
    ChangeBoolean(sideMargins_, value);
    shareMultiBar(true);
}

void TCustomBarSeries::shareMultiBar(bool give)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) {
        if (give) scanVisibleRange_ = multiBar_ != mbSelfStack;
        return;
    }
    for (TChartSeries* series : chart->SeriesList()) {
        if (!series->InheritsFrom(ClassType())) continue;
        auto& bar = static_cast<TCustomBarSeries&>(*series);
        if (!give) {
            multiBar_ = bar.multiBar_;
            sideMargins_ = bar.sideMargins_;
            scanVisibleRange_ = multiBar_ != mbSelfStack;
            return;
        }
        bar.multiBar_ = multiBar_;
        bar.sideMargins_ = sideMargins_;
        bar.scanVisibleRange_ = multiBar_ != mbSelfStack;
    }
}

TBarStyle TCustomBarSeries::BarStyleOf(int index)
{
    TBarStyle style = barStyle_;
    if (onGetBarStyle_) onGetBarStyle_(this, index, style);
    return style;
}

// ---- layout ----

bool TCustomBarSeries::IsGroupedWith(const TChartSeries* other) const
{
    if (!other->Active() || !IsSameKind(other)) return false;
    const TChartAxis* mine = GetValueAxis();
    const TChartAxis* theirs = other->GetValueAxis();
    if (mine == theirs) return true;
    // Series on the standard value axes group together; a custom axis only with itself.
    const auto standard = [](const TChartAxis* axis) { return axis && axis->IsStandard(); };
    return standard(mine) && standard(theirs);
}

void TCustomBarSeries::PrepareDraw()
{
    TChartSeries::PrepareDraw();
    BarSize = 0;
    BarSlotOrder = 1;
    PointsBeforeSeries = 0;
    BarSlotCount = 0;
    MaxBarPoints = -1;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) {
        BarSlotCount = 1;
        return;
    }
    std::vector<int> groups;
    bool seenSelf = false;
    int most = -1;
    for (TChartSeries* series : chart->SeriesList()) {
        if (series != this && !IsGroupedWith(series)) continue;
        if (series == this) seenSelf = true;
        const int count = series->Count();
        if (count > most) {
            most = count;
            MaxBarPoints = count + (sideMargins_ && count > 0 ? 1 : 0);
        }
        switch (multiBar_) {
        case mbNone: BarSlotCount = 1; break;
        case mbSide:
        case mbSideAll:
        case mbSelfStack:
            ++BarSlotCount;
            if (!seenSelf) ++BarSlotOrder;
            break;
        case mbStacked:
        case mbStacked100: {
            const auto* bar = dynamic_cast<const TCustomBarSeries*>(series);
            const int group = bar ? bar->stackGroup_ : 0;
            if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
                groups.push_back(group);
                ++BarSlotCount;
                if (!seenSelf) ++BarSlotOrder;
            }
            break;
        }
        }
        if (!seenSelf) PointsBeforeSeries += count;
    }
    if (const auto at = std::find(groups.begin(), groups.end(), stackGroup_); at != groups.end())
        BarSlotOrder = static_cast<int>(at - groups.begin()) + 1;
    if (BarSlotCount == 0) BarSlotCount = 1;
    const int perPage = chart->GetMaxPointsPerPage();
    if (multiBar_ == mbSelfStack)
        MaxBarPoints = perPage != 0 ? perPage : BarSlotCount;
    else if (perPage > 0)
        MaxBarPoints = perPage;
    if (perPage > 0 && sideMargins_ && MaxBarPoints > 0) ++MaxBarPoints;
}

void TCustomBarSeries::ComputeBarSize()
{
    // A custom width is taken as it is; a computed one is made even.
    if (customBarWidth_ != 0) {
        BarSize = customBarWidth_;
        return;
    }
    if (MaxBarPoints < 1) {
        BarSize = 0;
    } else {
        const TChartAxis* axis = CategoryAxis();
        const double length = axis ? axis->AxisSize() : 0;
        double span = length;
        if (autoBarSize_ && axis) span = length * MaxBarPoints / (axis->Maximum() + 2 - axis->Minimum());
        const double x = barWidthPercent_ * 0.01 * span / MaxBarPoints;
        BarSize = multiBar_ == mbSelfStack ? RoundHalfEven(x * 0.8) : RoundHalfEven(x / BarSlotCount);
    }
    if (BarSize > 0 && BarSize % 2 == 1) ++BarSize;
}

int TCustomBarSeries::BarGroupMargin() const
{
    int margin = BarSize;
    if (multiBar_ != mbSideAll && multiBar_ != mbSelfStack) margin *= BarSlotCount;
    return sideMargins_ ? margin : margin / 2;
}

double TCustomBarSeries::SelfStackPosition() const
{
    return selfStack_->UsePosition() ? selfStack_->Position() : IndexInChart();
}

double TCustomBarSeries::BarBaseValue(int index, bool all) const
{
    const TCustomAxisPanel* chart = ParentChart();
    if ((multiBar_ == mbStacked || multiBar_ == mbStacked100) && chart) {
        const bool positive = ValueOf(index) >= 0;
        double sum = 0;
        for (const TChartSeries* series : chart->SeriesList()) {
            if (!all && series == this) break;
            const auto* bar = dynamic_cast<const TCustomBarSeries*>(series);
            if (!bar || !series->Active() || !IsSameKind(series) || series->Count() <= index ||
                bar->stackGroup_ != stackGroup_)
                continue;
            const double v = series->GetStackValue(index);
            if (all)
                sum += std::abs(v);
            else if (positive ? v > 0 : v < 0)
                sum += v;
        }
        return sum;
    }
    if (multiBar_ == mbSelfStack) {
        const bool above = ValueOf(index) >= yOrigin_;
        double sum = 0;
        for (int i = 0; i < index; ++i)
            if (const double v = ValueOf(i); (v >= yOrigin_) == above) sum += v;
        return sum;
    }
    return yOrigin_;
}

int TCustomBarSeries::BarSlotPixel(int index) const
{
    int pixel;
    switch (multiBar_) {
    case mbSideAll: pixel = CategoryPixel(index + PointsBeforeSeries) - BarSize / 2; break;
    case mbSelfStack: pixel = CategoryPixel(SelfStackPosition()) - BarSize / 2; break;
    case mbNone: pixel = CategoryPixel(CategoryOf(index)) - BarSize / 2; break;
    default:
        pixel = CategoryPixel(CategoryOf(index)) + RoundHalfEven((BarSlotOrder - BarSlotCount * 0.5 - 1) * BarSize);
    }
    if (offsetPercent_ != 0) pixel += RoundHalfEven(offsetPercent_ * BarSize * 0.01);
    return pixel;
}

int TCustomBarSeries::BarValuePixel(int index) const
{
    switch (multiBar_) {
    case mbStacked:
    case mbSelfStack: return ValuePixel(BarBaseValue(index, false) + ValueOf(index));
    case mbStacked100: {
        const double total = BarBaseValue(index, true);
        if (total == 0) return ValuePixel(0);
        return ValuePixel((BarBaseValue(index, false) + ValueOf(index)) * 100 / total);
    }
    default: return ValuePixel(ValueOf(index));
    }
}

int TCustomBarSeries::BarOriginPixel(int index) const
{
    switch (multiBar_) {
    case mbStacked:
    case mbSelfStack: return ValuePixel(BarBaseValue(index, false));
    case mbStacked100: {
        const double total = BarBaseValue(index, true);
        return ValuePixel(total == 0 ? 0 : BarBaseValue(index, false) * 100 / total);
    }
    default:
        if (useYOrigin_) return ValuePixel(yOrigin_);
        if (const TChartAxis* axis = ValueAxisOfBars()) return YMandatory() ? axis->EndPixel() : axis->StartPixel();
        return 0;
    }
}

double TCustomBarSeries::BarHighestValue()
{
    TChartValueList& values = *MandatoryValueList();
    double highest = values.Highest();
    if (multiBar_ == mbStacked100) {
        double sum = 0;
        for (int i = 0; i < Count(); ++i) sum += ValueOf(i);
        return sum >= 0 ? 100 : 0;
    }
    if (multiBar_ == mbStacked || multiBar_ == mbSelfStack)
        for (int i = 0; i < Count(); ++i) highest = std::max(highest, BarBaseValue(i, false) + ValueOf(i));
    return useYOrigin_ ? std::max(highest, yOrigin_) : highest;
}

double TCustomBarSeries::BarLowestValue()
{
    TChartValueList& values = *MandatoryValueList();
    if (multiBar_ == mbStacked100) {
        // A category whose total is 0 adds nothing: the lowest starts from 0.
        double lowest = 0;
        for (int i = 0; i < Count(); ++i)
            if (const double total = BarBaseValue(i, true); total != 0)
                lowest = std::min(lowest, (BarBaseValue(i, false) + ValueOf(i)) * 100 / total);
        return lowest;
    }
    double lowest = values.Lowest();
    if (multiBar_ == mbStacked || multiBar_ == mbSelfStack)
        for (int i = 0; i < Count(); ++i) lowest = std::min(lowest, BarBaseValue(i, false) + ValueOf(i));
    return useYOrigin_ ? std::min(lowest, yOrigin_) : lowest;
}

double TCustomBarSeries::CategoryHighest()
{
    if (multiBar_ == mbSideAll) return Count() + PointsBeforeSeries - 1;
    return SelfStackPosition();
}

double TCustomBarSeries::CategoryLowest() { return SelfStackPosition(); }

// ---- Z slots and depth ----

void TCustomBarSeries::ReserveZSlot()
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && multiBar_ != mbNone) {
        for (TChartSeries* series : chart->SeriesList()) {
            if (series == this) break;
            if (series->Active() && IsSameKind(series)) {
                SetZSlot(series->GetZSlot());
                return;
            }
        }
    }
    TChartSeries::ReserveZSlot();
}

bool TCustomBarSeries::SharesZSlot() const
{
    if (multiBar_ == mbSideAll || multiBar_ == mbSelfStack) return false;
    return TChartSeries::SharesZSlot();
}

TChartSeries::TDepthRange TCustomBarSeries::ComputeDepthRange() const
{
    TDepthRange range = TChartSeries::ComputeDepthRange();
    if (depthPercent_ != 0) {
        const int d = RoundHalfEven((100 - depthPercent_) * (range.end - range.start) * 0.005);
        range.start += d;
        range.end -= d;
        range.middle = (range.start + range.end) / 2;
    }
    return range;
}

void TCustomBarSeries::BeforeDrawPoints()
{
    TChartSeries::BeforeDrawPoints();
    if (BarSize == 0) ComputeBarSize();
}

// ---- legend ----

void TCustomBarSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    (void)index;
    style = Brush()->Style();
    backColor = Brush()->Color() == clDefault && ParentChart() ? ParentChart()->Color() : Brush()->Color();
}

void TCustomBarSeries::FillLegendSymbol(int index, const TRect& rect)
{
    if (TCustomAxisPanel* chart = ParentChart(); chart && Brush()->HasImage())
        if (auto* picture = dynamic_cast<TBitmap*>(Brush()->Image()->GetFilteredGraphic()))
            chart->Canvas3D()->Brush()->SetBitmap(picture);
    TChartSeries::FillLegendSymbol(index, rect);
}

// ---- marks margin ----

int TCustomBarSeries::MarksMargin(int index)
{
    TSeriesMarks* marks = MarksOrNull();
    if (Count() == 0 || !marks || !marks->Visible() || !ParentChart()) return 0;
    ParentChart()->ApplyFont(*marks->Font());
    int margin = MarkExtent(index) + marks->Callout()->Length();
    if (marks->Pen()->Visible()) margin += 2 * marks->Pen()->Width();
    return margin;
}

int TCustomBarSeries::MarksOnBarInset(const TSeriesMarkPosition& position, bool horizontal)
{
    TSeriesMarks& marks = Marks();
    TMargins& margins = *marks.Margins();
    if (marks.Transparent()) margins.ComputePixels(position.Width, position.Height, 4 * marks.Font()->Size());
    const int angle = marks.Angle();
    if (horizontal) {
        if (angle == 0 || angle == 360) return margins.LeftPixels();
        return angle == 180 ? margins.RightPixels() : 0;
    }
    int inset = angle == 90 ? margins.LeftPixels() : angle == 270 ? margins.RightPixels() : 0;
    if (angle != 0 && angle != 360)
        inset += (position.Width - position.Height) / 2;
    else
        inset = position.Height / 2;
    return inset;
}

void TCustomBarSeries::DrawBarMark(int index, const String& text, TSeriesMarkPosition& position)
{
    if (!marksOnBar_) {
        TChartSeries::DrawPointMark(index, text, position);
        return;
    }
    // Off while the base draws, back after.
    class TMarksOnBarScope {
    public:
        explicit TMarksOnBarScope(TSeriesMarks& marks)
            : marks_(marks), arrow_(marks.Arrow()->Visible()), move_(marks.AutoPosition())
        {
            marks_.Arrow()->SetVisible(false);
            marks_.SetAutoPosition(false);
        }
        ~TMarksOnBarScope()
        {
            marks_.SetAutoPosition(move_);
            marks_.Arrow()->SetVisible(arrow_);
        }
        TMarksOnBarScope(const TMarksOnBarScope&) = delete;
        TMarksOnBarScope& operator=(const TMarksOnBarScope&) = delete;

    private:
        TSeriesMarks& marks_;
        bool arrow_, move_;
    };
    const TAutoRepaintOff quiet(ParentChart());
    const TMarksOnBarScope scope(Marks());
    TChartSeries::DrawPointMark(index, text, position);
}
