// Gantt series: the pointer draws each task's bar; a connector in three legs joins a task's end to
// the start of its next task.
#include "chart/series/GanttSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/rtl/DateTime.h"

namespace {

class TGanttSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TGanttSeriesEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TGanttSeries, TGanttSeriesClass)
{
    Prop("Callout", &TGanttSeries::Callout, &TGanttSeries::SetCallout).Stored(&TGanttSeries::HasCallout);
    Prop("ColorEachPoint", &TGanttSeries::ColorEachPoint, &TGanttSeries::SetColorEachPoint, true);
    Prop("ConnectingPen", &TGanttSeries::ConnectingPen, &TGanttSeries::SetConnectingPen);
    Prop("EndValues", &TGanttSeries::EndValues, &TGanttSeries::SetEndValues);
    Prop("NextTask", &TGanttSeries::NextTask, &TGanttSeries::SetNextTask);
    Prop("StartValues", &TGanttSeries::StartValues, &TGanttSeries::SetStartValues);
}

String TaskSampleName(int index)
{
    static const char* const names[] = {"Design",    "Prototyping", "Development", "Sales",      "Marketing",
                                        "Testing",   "Manufac.",    "Debugging",   "New Version"};
    return index >= 0 && index < static_cast<int>(std::size(names)) ? String(names[index]) : String("Banking");
}

TGanttSeries::TGanttSeries(TComponent* owner)
    : TPointSeries(owner), endValues_(nullptr), nextTask_(nullptr)
{
    MakeHorizontal();
    SetClickableLine(false);
    SetScanVisibleRange(false);
    XValues()->SetName("Start");
    XValues()->InitDateTime(true);
    SetColorEachPoint(true);
    endValues_ = new TChartValueList(this, "End");
    endValues_->InitDateTime(true);
    nextTask_ = new TChartValueList(this, "NextTask");
    Pointer()->SetStyle(psRectangle);
}

TGanttSeries::~TGanttSeries() { callout_.reset(); }

TMarksCallout* TGanttSeries::Callout()
{
    if (!callout_) {
        const TAutoRepaintOff quiet(ParentChart());
        callout_ = std::make_unique<TMarksCallout>(this);
        callout_->InitStyle(psRightTriangle);
        callout_->SetVisible(false);
        callout_->Arrow()->InitVisible(false);               // its stored default too
        if (IsLoading()) ApplyPublishedDefaults(*callout_);  // what the stream leaves out is the default
    }
    return callout_.get();
}

void TGanttSeries::SetCallout(TMarksCallout* value)
{
    if (value)
        Callout()->Assign(value);
    else
        callout_.reset();
}

int TGanttSeries::AddTaskColor(double start, double end, double row, const String& label, TColor color)
{
    endValues_->SetPendingValue(end);
    return InsertXY(start, row, label, color);
}

int TGanttSeries::AddTask(double start, double end, double row, const String& label)
{
    return AddTaskColor(start, end, row, label, clAutomatic);
}

int TGanttSeries::InsertXY(double x, double y, const String& label, TColor color)
{
    nextTask_->SetPendingValue(-1);
    return TPointSeries::InsertXY(x, y, label, color);
}

double TGanttSeries::HighestX() { return std::max(TPointSeries::HighestX(), endValues_->Highest()); }

void TGanttSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TPointSeries::MeasureVertMargins(top, bottom);
    top += Pointer()->VertSize();
    bottom += Pointer()->VertSize();
}

void TGanttSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TGanttSeries*>(other)) {
        ConnectingPen()->Assign(s->ConnectingPen());
        SetCallout(s->callout_.get());
    }
    TCustomSeries::CopyAppearance(other);
}

int TGanttSeries::endPixel(int index) const { return ValueScreenX(endValues_->ValueAt(index)); }

bool TGanttSeries::IsOverPointer(int index, int x, int y, int clickX, int clickY)
{
    (void)x;
    const int x0 = PointScreenX(index), x1 = endPixel(index);
    if (clickX < std::min(x0, x1) || clickX > std::max(x0, x1) || std::abs(clickY - y) >= Pointer()->VertSize())
        return false;
    SetHoverPart(2);
    return true;
}

void TGanttSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    position.Offset({(endPixel(index) - PointScreenX(index)) / 2, position.Height / 2});
    TPointSeries::DrawPointMark(index, text, position);
}

void TGanttSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Pointer()->Visible()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TColor color = GetPointColor(index);
    Pointer()->SetupCanvas(canvas, color);
    ApplyHoverPen(index);
    const int x0 = PointScreenX(index), x1 = endPixel(index), y = PointScreenY(index);
    const int half = (x1 - x0) / 2;
    Pointer()->DrawSymbol(canvas, chart->View3D(), GetPointerStyle(index), color, Pointer()->VertSize(), half, y,
                          x0 + half);
    drawConnector(index, x1, y);
}

void TGanttSeries::drawConnector(int index, int x1, int y)
{
    if (!ConnectingPen()->Visible()) return;
    const double next = nextTask_->ValueAt(index);
    if (!(next >= 0 && next < Count())) return;
    const int n = RoundHalfEven(next);
    if (n >= Count()) return;
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    canvas.UsePen(*ConnectingPen());
    canvas.Brush()->SetStyle(bsClear);
    const int gx = PointScreenX(n), gy = PointScreenY(n);
    const int mid = x1 + (gx - x1) / 2;
    const int z = DepthRange().middle;
    {
        std::optional<TBlendSection> blend;
        if (Transparency() > 0) blend.emplace(canvas, TRect{}, Transparency());
        const TPoint legs[] = {{x1, y}, {mid, y}, {mid, gy}, {gx, gy}};
        if (chart.View3D())
            canvas.PolylineAtZ(legs, z);
        else
            canvas.Polyline(legs);
    }
    if (callout_ && (callout_->Visible() || callout_->Arrow()->Visible())) {
        const TColor head = callout_->Brush()->Color();
        callout_->SetupCanvas(canvas, head);
        callout_->DrawStyled(gx - callout_->GetLargestSize(), gy, callout_->Style(), head);
    }
}

bool TGanttSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TGanttSeries*>(series) != nullptr;
}

void TGanttSeries::AddRandomPoints(int count, bool)
{
    const int tasks = std::min(count - 1, 10 + RandomInt(20)) + 1;
    const double today = Date();
    // Tasks are kept in row order, so a new task can land before earlier ones: the indexes of the
    // earlier tasks and the links to them move up with it.
    std::vector<int> indexOfTask;
    for (int b = 0; b < tasks; ++b) {
        const double start = today + 3 * b + RandomInt(5);
        const double end = start + 9 + RandomInt(16);
        const int index = AddTask(start, end, b % 10, TaskSampleName(b % 10));
        for (int& i : indexOfTask)
            if (i >= index) ++i;
        for (int i = 0; i < Count(); ++i)
            if (i != index && nextTask_->ValueAt(i) >= index) nextTask_->SetValueAt(i, nextTask_->ValueAt(i) + 1);
        for (const int i : indexOfTask)
            if (nextTask_->ValueAt(i) == -1 && endValues_->ValueAt(i) < start) {
                nextTask_->SetValueAt(i, index);
                break;
            }
        indexOfTask.push_back(index);
    }
}

void TGanttSeries::SetupGalleryPreview()
{
    TPointSeries::SetupGalleryPreview();
    SetColorEachPoint(true);
    Pointer()->SetVertSize(3);
    Pointer()->Gradient()->SetVisible(true);
    Callout()->SetVisible(true);
}
