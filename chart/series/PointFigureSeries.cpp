#include "chart/series/PointFigureSeries.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/ZebBrush.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"

namespace {
class TPointFigureSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPointFigureEditor"; }
};
}  // namespace

TV_PUBLISHED_AS(TPointFigureSeries, TPointFigureSeriesClass)
{
    Prop("BoxSize", &TPointFigureSeries::BoxSize, &TPointFigureSeries::SetBoxSize, 1.0);
    Prop("DownSymbol", &TPointFigureSeries::DownSymbol, &TPointFigureSeries::SetDownSymbol);
    Prop("ReversalAmount", &TPointFigureSeries::ReversalAmount, &TPointFigureSeries::SetReversalAmount, 3.0);
    Prop("UpSymbol", &TPointFigureSeries::UpSymbol, &TPointFigureSeries::SetUpSymbol);
}

TPointFigureSeries::TPointFigureSeries(TComponent* owner)
    : TOHLCSeries(owner),
      upSymbol_(std::make_unique<TSeriesPointer>(this)),
      downSymbol_(std::make_unique<TSeriesPointer>(this))
{
    XValues()->InitDateTime(false);
    upSymbol_->InitStyle(psDiagCross);
    upSymbol_->Brush()->SetColor(clGreen);
    downSymbol_->InitStyle(psCircle);
    downSymbol_->Brush()->SetColor(clRed);
}

TPointFigureSeries::~TPointFigureSeries() = default;

void TPointFigureSeries::SetBoxSize(double value)
{
    if (value > 0) ChangeDouble(boxSize_, value);
}

void TPointFigureSeries::SetUpSymbol(TSeriesPointer* value) { upSymbol_->Assign(value); }
void TPointFigureSeries::SetDownSymbol(TSeriesPointer* value) { downSymbol_->Assign(value); }

TColor TPointFigureSeries::GetLegendColor(int index) const
{
    return (index == 0 ? upSymbol_ : downSymbol_)->Brush()->Color();
}

String TPointFigureSeries::FormatLegendText(int index, TLegendTextStyle) const { return index == 0 ? TxtUp : TxtDown; }

void TPointFigureSeries::drawColumn(TSeriesPointer& symbol, int x, double from, double to)
{
    const TChartAxis* axis = GetVertAxis();
    // Boxes per pixel row, so a box far smaller than a row costs one symbol per row, and a step
    // that no longer changes the value cannot stall the column.
    double step = 1;
    double first = 0, last = std::max(0.0, std::floor((to - from) / boxSize_));
    if (axis) {
        const int y0 = ValueScreenY(from);
        const double rowValue = std::fabs(ValueAtScreenY(y0) - ValueAtScreenY(y0 + 1));
        if (std::isfinite(rowValue) && rowValue > boxSize_) step = std::ceil(rowValue / boxSize_);
        // Boxes beyond the axis' range are not drawn.
        const double lo = std::min(axis->Minimum(), axis->Maximum()), hi = std::max(axis->Minimum(), axis->Maximum());
        if (lo > from) first = std::max(first, std::floor((lo - from) / boxSize_) - 1);
        if (hi < to) last = std::min(last, std::ceil((hi - from) / boxSize_) + 1);
    }
    symbol.PrepareCanvas();
    for (double m = first; m <= last || m == first; m += step) {
        symbol.DrawAt(x, ValueScreenY(from + m * boxSize_));
        if (m > last) break;
    }
}

int TPointFigureSeries::CalcColumns(bool draw)
{
    const int n = Count();
    columns_.assign(static_cast<size_t>(n), 0);
    if (n < 1) return 0;
    const double box = boxSize_, reversal = reversalAmount_ * boxSize_;
    const TChartValueList& high = *HighValues();
    const TChartValueList& low = *LowValues();
    double lo = low[0], hi = high[0];
    int column = 0;
    bool falling = true;
    int x = 0;
    if (draw) {
        x = ValueScreenX(0);
        drawColumn(*downSymbol_, x, lo, hi);
    }
    for (int i = 1; i < n; ++i) {
        if (falling) {
            if (low[i] <= lo - box) {
                if (draw) drawColumn(*downSymbol_, x, low[i], lo - box);
                lo = low[i];
            } else if (high[i] >= lo + reversal) {
                ++column;
                hi = high[i];
                if (draw) {
                    x = ValueScreenX(column);
                    drawColumn(*upSymbol_, x, lo + box, high[i]);
                }
                falling = false;
            }
        } else {
            if (high[i] >= hi + box) {
                if (draw) drawColumn(*upSymbol_, x, hi + box, high[i]);
                hi = high[i];
            } else if (low[i] <= hi - reversal) {
                ++column;
                lo = low[i];
                if (draw) {
                    x = ValueScreenX(column);
                    drawColumn(*downSymbol_, x, low[i], hi - box);
                }
                falling = true;
            }
        }
        columns_[static_cast<size_t>(i)] = column;
    }
    return column + 1;
}

void TPointFigureSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D()) return;
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(*chart->Canvas3D(), chart->ChartRect(), Transparency());
    CalcColumns(true);
}
