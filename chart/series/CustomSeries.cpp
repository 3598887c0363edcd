// The line, area and point family's settings, per-point pointers, margins, visible range,
// extremes, stacking and hit test.
#include "chart/series/CustomSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebSelected.h"
#include "chart/core/ZebSpline.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "chart/canvas/Geometry.h"

TV_PUBLISHED(TSeriesPointerItems) {}

TV_PUBLISHED_AS(TCustomLineSeries, TChartElementClass) {}

TV_PUBLISHED_AS(TCustomSeries, TChartElementClass)
{
    Prop("ClickableLine", &TCustomSeries::ClickableLine, &TCustomSeries::SetClickableLine, true);
    Prop("ClickTolerance", &TCustomSeries::ClickTolerance, &TCustomSeries::SetClickTolerance, 0);
    Prop("Pointer", &TCustomSeries::Pointer, &TCustomSeries::SetPointer);
    Prop("OnClickPointer", &TCustomSeries::OnClickPointer, &TCustomSeries::SetOnClickPointer);
    Prop("OnGetPointerStyle", &TCustomSeries::OnGetPointerStyle, &TCustomSeries::SetOnGetPointerStyle);
    Prop("DataSource", &TCustomSeries::StoredDataSource, &TCustomSeries::SetDataSource)
        .Stored(&TCustomSeries::IsStoredDataSourceStored);
}

// ---- pointer list ----

TSeriesPointerItems::TSeriesPointerItems(TCustomSeries* series) : TSeriesPointer(series) {}

TSeriesPointerItems::~TSeriesPointerItems() { items_.clear(); }

TSeriesPointer* TSeriesPointerItems::EnsureItem(int index)
{
    if (index < 0) return this;
    if (index >= ItemCount()) items_.resize(static_cast<size_t>(index) + 1);
    auto& item = items_[static_cast<size_t>(index)];
    if (!item) {
        item = std::make_unique<TSeriesPointer>(Series());
        item->Assign(this);
    }
    return item.get();
}

TSeriesPointer* TSeriesPointerItems::ItemOrSelf(int index)
{
    if (index >= 0 && index < ItemCount() && items_[static_cast<size_t>(index)])
        return items_[static_cast<size_t>(index)].get();
    return this;
}

const TSeriesPointer* TSeriesPointerItems::ItemOrSelf(int index) const
{
    return const_cast<TSeriesPointerItems*>(this)->ItemOrSelf(index);
}

void TSeriesPointerItems::RemoveItem(int index)
{
    if (index >= 0 && index < ItemCount()) items_.erase(items_.begin() + index);
}

void TSeriesPointerItems::ClearItems()
{
    items_.clear();
    InvalidateChart();
}

void TSeriesPointerItems::SwapItems(int a, int b)
{
    if (std::max(a, b) >= ItemCount() || std::min(a, b) < 0) return;
    std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
}

std::optional<TSeriesDepth> TSeriesPointerItems::SeriesDepth() const
{
    if (!Series() || !Series()->ParentChart()) return std::nullopt;
    const auto range = Series()->ComputeDepthRange();
    return TSeriesDepth{range.start, range.middle, range.end};
}

void TSeriesPointerItems::SymbolHit()
{
    if (Series()) Series()->SetHoverPart(2);
}

// ---- construction ----

TCustomSeries::TCustomSeries(TComponent* owner) : TCustomLineSeries(owner)
{
    const TNotifyEvent changed(this, &TCustomSeries::styleChanged);
    areaBrush_ = std::make_unique<TZebBrush>(changed);
    areaBrush_->SetColor(static_cast<TColor>(0x808080));
    areaBrush_->SetBackColor(clAutomatic);
    areaLinesPen_ = CreatePen();
    emboss_ = std::make_unique<TZebEmboss>(changed);
    shadow_ = std::make_unique<TZebShadow>(changed);
    pointer_ = std::make_unique<TSeriesPointerItems>(this);
    SetHoverElement(THoverElements{heCurrent});
    Brush()->SetColor(clAutomatic);
    Brush()->SetBackColor(clAutomatic);
    Brush()->SetOnChange(TNotifyEvent(this, &TCustomSeries::brushChanged));
}

TCustomSeries::~TCustomSeries() = default;

void TCustomSeries::BeforeDestruction()
{
    TCustomLineSeries::BeforeDestruction();
}

void TCustomSeries::Notification(TComponent* component, TOperation operation)
{
    TCustomLineSeries::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == savedSource_) savedSource_ = nullptr;
    if (component == smoothCopy_) smoothCopy_ = nullptr, smoothing_ = false;
}

void TCustomSeries::styleChanged(TObject* sender) { StyleChanged(sender); }

// A colour set on the series brush itself becomes the series colour.
void TCustomSeries::brushChanged(TObject* sender)
{
    const TColor color = Brush()->Color();
    if (color != clAutomatic && color != SeriesColor() && !IsLoading()) SetSeriesColor(color);
    StyleChanged(sender);
}

void TCustomSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomSeries*>(source)) {
        clickableLine_ = other->clickableLine_;
        clickTolerance_ = other->clickTolerance_;
        drawStyle_ = other->drawStyle_;
        stacked_ = other->stacked_;
    }
    TCustomLineSeries::Assign(source);
}

void TCustomSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustomSeries*>(other)) {
        areaBrush_->Assign(s->areaBrush_.get());
        areaColor_ = s->areaColor_;
        areaLinesPen_->Assign(s->areaLinesPen_.get());
        colorEachLine_ = s->colorEachLine_;
        dark3D_ = s->dark3D_;
        drawArea_ = s->drawArea_;
        drawLines_ = s->drawLines_;
        inflateMargins_ = s->inflateMargins_;
        invertedStairs_ = s->invertedStairs_;
        lineHeight_ = s->lineHeight_;
        pointer_->Assign(s->pointer_.get());
        pointerBehind_ = s->pointerBehind_;
        stairs_ = s->stairs_;
        SetOutLine(s->outLine_.get());
        emboss_->Assign(s->emboss_.get());
        shadow_->Assign(s->shadow_.get());
    }
    TCustomLineSeries::CopyAppearance(other);
}

// ---- settings ----

void TCustomSeries::SetAreaChartBrush(TZebBrush* value) { areaBrush_->Assign(value); }

TBrushStyle TCustomSeries::AreaBrush() const { return areaBrush_->Style(); }

void TCustomSeries::SetAreaBrush(TBrushStyle value) { areaBrush_->SetStyle(value); }

void TCustomSeries::SetAreaLinesPen(TZebPen* value) { areaLinesPen_->Assign(value); }

void TCustomSeries::SetDrawStyle(TCustomSeriesDrawStyle value) { Change(drawStyle_, value); }

void TCustomSeries::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }

void TCustomSeries::SetShadow(TZebShadow* value) { shadow_->Assign(value); }

void TCustomSeries::SetPointer(TSeriesPointerItems* value) { pointer_->Assign(value); }

TZebGradient* TCustomSeries::GetGradient() { return Brush()->Gradient(); }

void TCustomSeries::SetGradient(TZebGradient* value) { GetGradient()->Assign(value); }

TBrushStyle TCustomSeries::LineBrush() const { return Brush()->Style(); }

void TCustomSeries::SetLineBrush(TBrushStyle value) { Brush()->SetStyle(value); }

TZebHiddenPen* TCustomSeries::OutLine()
{
    if (!outLine_) outLine_ = std::make_unique<TZebHiddenPen>(TNotifyEvent(this, &TCustomSeries::styleChanged));
    return outLine_.get();
}

void TCustomSeries::SetOutLine(TZebHiddenPen* value)
{
    if (!value) {
        outLine_.reset();
        InvalidateChart();
        return;
    }
    OutLine()->Assign(value);
}

void TCustomSeries::SetParentChart(TCustomAxisPanel* value)
{
    TCustomLineSeries::SetParentChart(value);
    pointer_->SetParentPanel(value);
}

void TCustomSeries::UseDefaultColor()
{
    Brush()->SetStyle(bsSolid);
    Brush()->SetColor(clAutomatic);
    Brush()->SetBackColor(clAutomatic);
    ResetSeriesColor();
    InvalidateChart();
}

TSeriesPointerStyle TCustomSeries::GetPointerStyle(int index) const
{
    if (onGetPointerStyle_) return onGetPointerStyle_(const_cast<TCustomSeries*>(this), index);
    return pointer_->ItemOrSelf(index)->Style();
}

int TCustomSeries::MarkGap() const
{
    const TSeriesMarks* marks = MarksOrNull();
    if (!marks) return 0;
    auto* m = const_cast<TSeriesMarks*>(marks);
    return m->Callout()->Length() + m->Callout()->Distance();
}

// ---- smoothing ----

namespace {
void copyPoints(TChartSeries& from, TChartSeries& to)
{
    const TPointUpdateBlock block(to);
    to.RemoveAllPoints();
    for (int i = 0; i < from.Count(); ++i) to.InsertXY(from.XValues()->ValueAt(i), from.YValues()->ValueAt(i));
}
}  // namespace

void TCustomSeries::PrepareDraw()
{
    TCustomLineSeries::PrepareDraw();
    updateSmoothing();
}

void TCustomSeries::updateSmoothing()
{
    if (!drawLines_ && !drawArea_) return;
    if (smoothed_ && !smoothCopy_)
        startSmoothing();
    else if (!smoothed_ && smoothCopy_)
        stopSmoothing();
}

void TCustomSeries::startSmoothing()
{
    smoothCopy_ = new TCustomSeries(this);
    smoothCopy_->SetInternal(true);
    smoothCopy_->SetShowInEditor(false);
    smoothCopy_->SetShowInLegend(false);
    if (!YMandatory()) smoothCopy_->MakeHorizontal();
    smoothCopy_->XValues()->Assign(XValues());
    smoothCopy_->YValues()->Assign(YValues());
    if (smoothCopy_->Count() == 0 || valuesCleared_) copyPoints(*this, *smoothCopy_);
    if (FunctionObject() && !valuesCleared_) return;
    // Linking a function and a source clears the manual-data flag; the points are still the
    // series' own (the copy stores them), so the flag stays.
    const bool manual = ManualData();
    TComponent* owner = ParentChart() ? static_cast<TComponent*>(ParentChart()) : this;
    auto* function = new TSmoothingFunction(owner);
    function->SetInterpolate(true);
    function->SetFactor(8);
    AttachFunction(function);
    savedSource_ = DataSource();
    if (savedSource_) savedSource_->FreeNotification(this);
    SetDataSource(smoothCopy_);
    smoothing_ = true;
    valuesCleared_ = false;
    SetManualData(manual);
}

void TCustomSeries::stopSmoothing()
{
    if (smoothing_) {
        const bool manual = ManualData();
        smoothing_ = false;
        AttachFunction(nullptr);
        TComponent* saved = savedSource_;
        savedSource_ = nullptr;
        if (saved) {
            saved->RemoveFreeNotification(this);
            SetDataSource(saved);
        } else {
            SetDataSource(nullptr);
            copyPoints(*smoothCopy_, *this);
        }
        SetManualData(manual);
    }
    TCustomSeries* copy = smoothCopy_;
    smoothCopy_ = nullptr;
    copy->RemoveAllPoints();
    copy->Free();
    NotifyBulkChange();
}

void TCustomSeries::WriteDataBinary(TStream& stream)
{
    if (smoothing_ && smoothCopy_)
        smoothCopy_->WriteDataBinary(stream);
    else
        TCustomLineSeries::WriteDataBinary(stream);
}

void TCustomSeries::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TZebFunction* smoothing = smoothing_ ? FunctionObject() : nullptr;
    TCustomLineSeries::GetChildren(
        [&](TComponent* child) {
            if (child != smoothing) proc(child);
        },
        root);
}

// ---- points ----

void TCustomSeries::RemoveAllPoints()
{
    TCustomLineSeries::RemoveAllPoints();
    valuesCleared_ = true;
}

void TCustomSeries::RemovePoint(int index)
{
    TCustomLineSeries::RemovePoint(index);
    pointer_->RemoveItem(index);
}

void TCustomSeries::SwapPoints(int a, int b)
{
    TCustomLineSeries::SwapPoints(a, b);
    pointer_->SwapItems(a, b);
}

// ---- margins ----

namespace {

// Room a pen of this width needs at the axis ends.
int penRoom(const TZebPen& pen, bool stairs)
{
    const int width = pen.Width();
    if (stairs) return width;
    return width >= 2 ? RoundHalfEven(width * 0.5) + 1 : 0;
}

void atLeast(int& a, int& b, int value)
{
    a = std::max(a, value);
    b = std::max(b, value);
}

}  // namespace

void TCustomSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomLineSeries::MeasureHorizMargins(left, right);
    const int count = Count();
    if (count > 0 && pointer_->ItemCount() > 0) {
        int ignored = 0;
        pointer_->ItemOrSelf(0)->WidenHorizMargins(left, ignored);
        pointer_->ItemOrSelf(count - 1)->WidenHorizMargins(ignored, right);
    } else {
        pointer_->WidenHorizMargins(left, right);
    }
    if (inflateMargins_) {
        if (drawLines_) atLeast(left, right, penRoom(*LinePen(), stairs_));
        if (outLine_ && outLine_->Visible()) atLeast(left, right, outLine_->Width());
        if (drawArea_ && Pen()->Visible()) atLeast(left, right, penRoom(*Pen(), stairs_));
    }
    if (!YMandatory() && HasVisibleMarks()) right = std::max(right, MarkGap());
}

void TCustomSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomLineSeries::MeasureVertMargins(top, bottom);
    pointer_->WidenVertMargins(top, bottom);
    if (inflateMargins_) {
        if (drawLines_) atLeast(top, bottom, penRoom(*LinePen(), stairs_));
        if (outLine_ && outLine_->Visible()) atLeast(top, bottom, outLine_->Width());
        if (drawArea_ && Pen()->Visible()) atLeast(top, bottom, penRoom(*Pen(), stairs_));
    }
    if (YMandatory() && HasVisibleMarks()) top = std::max(top, MarkGap());
    if (lineHeight_ > 0 && !drawArea_ && inflateMargins_ && ParentChart() && ParentChart()->View3D())
        bottom = std::max(bottom, lineHeight_);
}

// ---- visible range ----

void TCustomSeries::FindVisibleRange()
{
    TCustomLineSeries::FindVisibleRange();
    int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return;
    const TChartValueList& order = *IndependentValueList();
    const int count = Count();
    while (last + 1 < count && IsPointInPlot(last + 1)) ++last;
    while (last + 1 < count && order.ValueAt(last + 1) == order.ValueAt(last)) ++last;
    while (first > 0 && IsPointInPlot(first - 1)) --first;
    while (first > 0 && order.ValueAt(first - 1) == order.ValueAt(first)) --first;
    SetVisibleRange(first, last);
}

bool TCustomSeries::IsPointInPlot(int index) const
{
    if (!ParentChart()) return false;
    const int x = PointScreenX(index), y = PointScreenY(index);
    const int h = pointer_->HorizSize(), v = pointer_->VertSize();
    const TRect& r = ParentChart()->ChartRect();
    return x + h >= r.Left && x - h <= r.Right && y + v >= r.Top && y - v <= r.Bottom;
}

// ---- extremes and stacking ----

double TCustomSeries::ExtremeValue(bool lowest)
{
    TChartValueList& list = *MandatoryValueList();
    const int count = Count();
    if (count == 0) return 0;
    if (NullPointCount() == 0 || TreatNulls() == tnIgnore) return lowest ? list.Lowest() : list.Highest();
    bool any = false;
    double result = 0;
    for (int i = 0; i < count; ++i) {
        if (IsNullPoint(i)) continue;
        const double v = list.ValueAt(i);
        if (!any || (lowest ? v < result : v > result)) result = v;
        any = true;
    }
    return result;
}

void TCustomSeries::SetStacked(TCustomSeriesStack value)
{
    if (!AssignIfChanged(stacked_, value)) return;
    if (TCustomAxisPanel* chart = ParentChart())
        for (int i = 0; i < chart->NumSeries(); ++i)
            if (auto* s = dynamic_cast<TCustomSeries*>(chart->GetSeriesAt(i)); s && InheritsFrom(s->ClassType()))
                s->stacked_ = value;
    InvalidateChart();
}

double TCustomSeries::StackedSum(int index, bool total) const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return 0;
    double sum = 0;
    for (int i = 0; i < chart->NumSeries(); ++i) {
        TChartSeries* series = chart->GetSeriesAt(i);
        if (!total && series == this) break;
        auto* s = dynamic_cast<TCustomSeries*>(series);
        if (!s || !s->Active() || !StacksWith(s) || s->Count() <= index) continue;
        const double v = s->GetStackValue(index);
        sum += total ? std::fabs(v) : v;
    }
    return sum;
}

int TCustomSeries::StackedPixel(int index, double value) const
{
    const TChartAxis* axis = GetValueAxis();
    const int end = axis ? axis->EndPixel() : 0;
    const double below = StackedSum(index, false);
    if (stacked_ == cssStack100) {
        const double total = StackedSum(index, true);
        return total != 0 ? MainValueToScreen((below + value) * 100 / total) : end;
    }
    return std::min(MainValueToScreen(below + value), end);
}

int TCustomSeries::PointScreenX(int index) const
{
    if (!YMandatory() && (stacked_ == cssStack || stacked_ == cssStack100))
        return StackedPixel(index, MandatoryValueList()->ValueAt(index));
    return TCustomLineSeries::PointScreenX(index);
}

int TCustomSeries::PointScreenY(int index) const
{
    if (YMandatory() && (stacked_ == cssStack || stacked_ == cssStack100))
        return StackedPixel(index, MandatoryValueList()->ValueAt(index));
    return TCustomLineSeries::PointScreenY(index);
}

int TCustomSeries::OriginPixel(int index) const
{
    if (stacked_ == cssStack || stacked_ == cssStack100) return StackedPixel(index, 0);
    if (YMandatory()) {
        const TChartAxis* axis = GetVertAxis();
        if (!axis) return 0;
        return axis->Inverted() ? axis->StartPixel() : axis->EndPixel();
    }
    const TChartAxis* axis = GetHorizAxis();
    if (!axis) return 0;
    return axis->Inverted() ? axis->EndPixel() : axis->StartPixel();
}

double TCustomSeries::HighestY()
{
    if (!YMandatory()) return TCustomLineSeries::HighestY();
    if (stacked_ == cssStack100) return 100;
    double r = ExtremeValue(false);
    if (stacked_ == cssStack)
        for (int i = 0; i < Count(); ++i) r = std::max(r, StackedSum(i, false) + YValues()->ValueAt(i));
    return r;
}

double TCustomSeries::HighestX()
{
    if (YMandatory()) return TCustomLineSeries::HighestX();
    if (stacked_ == cssStack100) return 100;
    double r = ExtremeValue(false);
    if (stacked_ == cssStack)
        for (int i = 0; i < Count(); ++i) r = std::max(r, StackedSum(i, false) + XValues()->ValueAt(i));
    return r;
}

double TCustomSeries::LowestY()
{
    if (!YMandatory()) return TCustomLineSeries::LowestY();
    double r = ExtremeValue(true);
    if (stacked_ == cssStack) {
        for (int i = 0; i < Count(); ++i) r = std::min(r, StackedSum(i, false) + YValues()->ValueAt(i));
    } else if (stacked_ == cssStack100) {
        r = 0;
        for (int i = 0; i < Count(); ++i)
            if (const double total = StackedSum(i, true); total != 0)
                r = std::min(r, (StackedSum(i, false) + YValues()->ValueAt(i)) * 100 / total);
    }
    return r;
}

double TCustomSeries::LowestX()
{
    if (YMandatory()) return TCustomLineSeries::LowestX();
    return stacked_ == cssStack100 ? 0 : ExtremeValue(true);
}

void TCustomSeries::ReserveZSlot()
{
    TCustomAxisPanel* chart = ParentChart();
    if (stacked_ != cssNone && chart && chart->View3D())
        SetZSlot(std::max(chart->MaxZSlot(), 0));
    else
        TCustomLineSeries::ReserveZSlot();
}

// ---- hover and clicks ----

bool TCustomSeries::IsPointHovered(int index) const
{
    if (TCustomLineSeries::IsPointHovered(index)) return true;
    return index == pointer_->HoverIndex && HoverElement().Contains(heCurrent) && HoverElement().Contains(heJoin);
}

bool TCustomSeries::HasClickHandlers() const
{
    return TCustomLineSeries::HasClickHandlers() || (pointer_->Visible() && bool(onClickPointer_));
}

void TCustomSeries::FirePointClick(int index, TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomLineSeries::FirePointClick(index, button, shift, x, y);
    if (HoverPart() == 2 && onClickPointer_)
        onClickPointer_(this, index, x, y);
}

bool TCustomSeries::IsOverPointer(int index, int x, int y, int clickX, int clickY)
{
    if (GetPointerStyle(index) == psNothing) return false;
    PreparePointer(index);
    int h = 0, v = 0;
    pointer_->GetEffectiveSize(h, v);
    if (std::abs(clickX - x) < h + clickTolerance_ && std::abs(clickY - y) < v + clickTolerance_) {
        SetHoverPart(2);
        return true;
    }
    return false;
}

// ---- hit test ----

bool TCustomSeries::segmentHit(TPoint click, int qx, int qy, int px, int py) const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) {
        const int dx = chart->SeriesDepth3D(), dy = chart->SeriesDepth3D();
        const TPoint quad[4] = {{px, py}, {px + dx, py - dy}, {qx + dx, qy - dy}, {qx, qy}};
        return IsInsidePolygon(click, quad);
    }
    if (!stairs_) return IsNearSegmentXY(click, qx, qy, px, py, clickTolerance_);
    if (invertedStairs_)
        return IsNearSegmentXY(click, qx, qy, qx, py, clickTolerance_) ||
               IsNearSegmentXY(click, qx, py, px, py, clickTolerance_);
    return IsNearSegmentXY(click, qx, qy, px, qy, clickTolerance_) ||
           IsNearSegmentXY(click, px, qy, px, py, clickTolerance_);
}

bool TCustomSeries::areaHit(TPoint click, int qx, int qy, int px, int py, int qOrigin, int pOrigin) const
{
    if (!YMandatory()) {
        // Horizontal series: the origins lie on the X side.
        if (stairs_ && invertedStairs_) {
            const TPoint r[4] = {{px, qy}, {px, py}, {pOrigin, py}, {pOrigin, qy}};
            return IsInsidePolygon(click, r);
        }
        if (stairs_) {
            const TPoint r[4] = {{qx, qy}, {qx, py}, {qOrigin, py}, {qOrigin, qy}};
            return IsInsidePolygon(click, r);
        }
        const TPoint poly[4] = {{qx, qy}, {px, py}, {pOrigin, py}, {qOrigin, qy}};
        return IsInsidePolygon(click, poly);
    }
    if (stairs_ && invertedStairs_) {
        const TPoint r[4] = {{qx, py}, {px, py}, {px, pOrigin}, {qx, pOrigin}};
        return IsInsidePolygon(click, r);
    }
    if (stairs_) {
        const TPoint r[4] = {{qx, qy}, {px, qy}, {px, qOrigin}, {qx, qOrigin}};
        return IsInsidePolygon(click, r);
    }
    const TPoint poly[4] = {{qx, qy}, {px, py}, {px, pOrigin}, {qx, qOrigin}};
    return IsInsidePolygon(click, poly);
}

bool TCustomSeries::unprojectClick(int& x, int& y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) chart->Canvas3D()->UnprojectXY(x, y, ComputeDepthRange().start);
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (!h || !v) return true;
    const int x0 = std::min(h->StartPixel(), h->EndPixel()), x1 = std::max(h->StartPixel(), h->EndPixel());
    const int y0 = std::min(v->StartPixel(), v->EndPixel()), y1 = std::max(v->StartPixel(), v->EndPixel());
    return x >= x0 && x <= x1 && y >= y0 && y <= y1;
}

bool TCustomSeries::IsOverPointer(int x, int y)
{
    if (!pointer_->Visible() || !unprojectClick(x, y)) return false;
    const int first = FirstVisibleIndex(), last = std::min(LastVisibleIndex(), Count() - 1);
    if (first < 0) return false;
    for (int a = first; a <= last; ++a)
        if (IsOverPointer(a, PointScreenX(a), PointScreenY(a), x, y)) return true;
    return false;
}

int TCustomSeries::HitTest(int x, int y)
{
    if (!unprojectClick(x, y)) return -1;
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (const int inherited = TCustomLineSeries::HitTest(x, y); inherited != -1) return inherited;
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;

    const TChartAxis* independent = YMandatory() ? h : v;
    const bool downward = independent && independent->Inverted();
    const int start = clickableLine_ ? std::max(0, first - 1) : first;
    const TPoint click{x, y};
    int qx = 0, qy = 0, qOrigin = 0;
    bool second = false;
    const int step = downward ? -1 : 1;
    for (int a = downward ? last : start; downward ? a >= start : a <= last; a += step) {
        pointer_->HoverIndex = -1;
        if (a >= Count()) continue;
        const int px = PointScreenX(a), py = PointScreenY(a);
        if (pointer_->Visible() && IsOverPointer(a, px, py, x, y)) {
            pointer_->HoverIndex = a;
            return a;
        }
        if (px == x && py == y) {
            SetHoverPart(1);
            return a;
        }
        const int pOrigin = OriginPixel(a);
        if (second && ((clickableLine_ && segmentHit(click, qx, qy, px, py)) ||
                       (drawArea_ && areaHit(click, qx, qy, px, py, qOrigin, pOrigin)))) {
            SetHoverPart(1);
            return downward ? a : a - 1;
        }
        qx = px, qy = py, qOrigin = pOrigin;
        second = true;
    }
    return -1;
}
