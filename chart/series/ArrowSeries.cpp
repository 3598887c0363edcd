// Arrow series: the arrow geometry is the canvas'; the series places the ends and tests clicks.
#include "chart/series/ArrowSeries.h"

#include <algorithm>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

namespace {

class TArrowSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TArrowSeriesEditor"; }
};

// Segment tolerance of a click on a 2-D arrow.
constexpr int ArrowClickTolerance = 3;

}  // namespace

TV_PUBLISHED_AS(TArrowSeries, TArrowSeriesClass)
{
    Prop("ArrowPercent", &TArrowSeries::ArrowPercent, &TArrowSeries::SetArrowPercent, 50);
    Prop("EndXValues", &TArrowSeries::EndXValues, &TArrowSeries::SetEndXValues);
    Prop("EndYValues", &TArrowSeries::EndYValues, &TArrowSeries::SetEndYValues);
    Prop("Fill2D", &TArrowSeries::Fill2D, &TArrowSeries::SetFill2D, false);
    Prop("StartXValues", &TArrowSeries::StartXValues, &TArrowSeries::SetStartXValues);
    Prop("StartYValues", &TArrowSeries::StartYValues, &TArrowSeries::SetStartYValues);
}

TArrowSeries::TArrowSeries(TComponent* owner)
    : TPointSeries(owner),
      endXValues_(new TChartValueList(this, "EndX")),
      endYValues_(new TChartValueList(this, "EndY"))
{
    SetScanVisibleRange(false);
    XValues()->InitDateTime(true);
    endXValues_->InitDateTime(true);
    Pointer()->SetInflateMargins(false);
    // Stored defaults too: a frame or an opaque box the user turns on is stored.
    Marks().Pen()->InitVisible(false);
    Marks().PresetTransparent(true);
}

void TArrowSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TArrowSeries*>(source)) {
        arrowPercent_ = s->arrowPercent_;
        fill2D_ = s->fill2D_;
    }
    TPointSeries::Assign(source);
}

int TArrowSeries::AddArrow(double startX, double startY, double endX, double endY, const String& label, TColor color)
{
    endXValues_->SetPendingValue(endX);
    endYValues_->SetPendingValue(endY);
    return InsertXY(startX, startY, label, color);
}

void TArrowSeries::ArrowEndPoints(int index, TPoint& start, TPoint& end) const
{
    start = {PointScreenX(index), PointScreenY(index)};
    end = {ValueScreenX(endXValues_->ValueAt(index)), ValueScreenY(endYValues_->ValueAt(index))};
}

void TArrowSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TArrowSeries*>(other)) {
        arrowPercent_ = s->arrowPercent_;
        fill2D_ = s->fill2D_;
    }
    TCustomSeries::CopyAppearance(other);
}

std::vector<TPoint> TArrowSeries::arrowPolygon(int index) const
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return {};
    TPoint start, end;
    ArrowEndPoints(index, start, end);
    return chart->Canvas3D()->CalcArrowPointsAtZ(start, end, DepthRange().middle, Pointer()->VertSize(),
                                                 Pointer()->HorizSize(), arrowPercent_);
}

void TArrowSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TColor c = GetPointColor(index);
    const bool filled = fill2D_ || chart->View3D();
    if (filled) {
        Pointer()->SetupCanvas(canvas, c);
    } else {
        canvas.UsePen(*Pointer()->Pen());
        canvas.Pen()->SetColor(c);
    }
    ApplyHoverPen(index);
    const std::vector<TPoint> polygon = arrowPolygon(index);
    if (polygon.empty()) return;
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) {
        TRect bounds{polygon[0].X, polygon[0].Y, polygon[0].X, polygon[0].Y};
        for (const TPoint& p : polygon) {
            bounds.Left = std::min(bounds.Left, p.X), bounds.Right = std::max(bounds.Right, p.X);
            bounds.Top = std::min(bounds.Top, p.Y), bounds.Bottom = std::max(bounds.Bottom, p.Y);
        }
        const TRect around{bounds.Left - 1, bounds.Top - 1, bounds.Right + 1, bounds.Bottom + 1};
        blend.emplace(canvas, canvas.SupportsAlpha() ? TRect{} : around, Transparency());
    }
    TPoint start, end;
    ArrowEndPoints(index, start, end);
    canvas.DrawArrowAtZ(filled, start, end, Pointer()->HorizSize(), Pointer()->VertSize(), DepthRange().start,
                        DepthRange().end, arrowPercent_);
}

double TArrowSeries::HighestX() { return std::max(TCustomSeries::HighestX(), endXValues_->Highest()); }
double TArrowSeries::LowestX() { return std::min(TCustomSeries::LowestX(), endXValues_->Lowest()); }
double TArrowSeries::HighestY() { return std::max(TCustomSeries::HighestY(), endYValues_->Highest()); }
double TArrowSeries::LowestY() { return std::min(TCustomSeries::LowestY(), endYValues_->Lowest()); }

int TArrowSeries::HitTest(int x, int y)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return -1;
    const TPoint click{x, y};
    for (int i = 0; i < Count(); ++i) {
        const std::vector<TPoint> p = arrowPolygon(i);
        if (p.empty()) continue;
        bool hit;
        if (chart->View3D()) {
            hit = IsInsidePolygon(click, p);
        } else {
            TPoint start, end;
            ArrowEndPoints(i, start, end);
            // The head edges run from the tip to the two head corners.
            hit = IsNearSegment(click, start, end, ArrowClickTolerance) ||
                  IsNearSegment(click, end, p[4], ArrowClickTolerance) ||
                  IsNearSegment(click, end, p[2], ArrowClickTolerance);
        }
        if (hit) {
            SetHoverPart(1);
            return i;
        }
    }
    return -1;
}

bool TArrowSeries::AcceptsSourceSeries(const TChartSeries* series) const
{
    return dynamic_cast<const TArrowSeries*>(series) != nullptr;
}

void TArrowSeries::AddRandomPoints(int count, bool)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    const int xSpan = RoundHalfEven(count * r.stepX), ySpan = RoundHalfEven(r.spanY);
    for (int i = 0; i < count; ++i) {
        const double x = r.startX + RandomInt(xSpan), y = r.minY + RandomInt(ySpan);
        const double endX = x + RandomInt(xSpan), endY = y + RandomInt(ySpan);
        AddArrow(x, y, endX, endY);
    }
}

void TArrowSeries::SetupGalleryPreview()
{
    TPointSeries::SetupGalleryPreview();
    FillWithSamples(3);
    SetArrowWidth(12);
    SetArrowHeight(12);
}
