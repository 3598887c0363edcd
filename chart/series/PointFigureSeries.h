#pragma once
// Point-and-figure series: the highs and lows of OHLC points become columns of rising symbols (X's)
// and falling symbols (O's). A column grows while prices move on by a box in its direction; a
// reversal of ReversalAmount boxes starts the next column. Columns, not dates, make the horizontal
// axis.
#include <memory>
#include <vector>

#include "chart/series/OHLCSeries.h"

class TPointFigureSeries : public TOHLCSeries {
    TV_CLASS(TPointFigureSeries, TOHLCSeries)
public:
    explicit TPointFigureSeries(TComponent* owner);
    ~TPointFigureSeries() override;

    double BoxSize() const { return boxSize_; }
    // Values of 0 or below are ignored.
    void SetBoxSize(double value);
    double ReversalAmount() const { return reversalAmount_; }
    void SetReversalAmount(double value) { ChangeDouble(reversalAmount_, value); }
    TSeriesPointer* UpSymbol() const { return upSymbol_.get(); }
    void SetUpSymbol(TSeriesPointer* value);
    TSeriesPointer* DownSymbol() const { return downSymbol_.get(); }
    void SetDownSymbol(TSeriesPointer* value);

    // The number of columns; they are drawn when draw is set.
    int CalcColumns(bool draw);
    // Per point, the column its price action ended in (of the last calculation).
    const std::vector<int>& ColumnMap() const { return columns_; }

    void DrawVisiblePoints() override;
    int GetPointCount() const override { return 2; }
    TColor GetLegendColor(int index) const override;
    String FormatLegendText(int index, TLegendTextStyle style) const override;
    double HighestX() override { return CalcColumns(false) - 1; }
    double LowestX() override { return 0; }

private:
    // One symbol per box from `from` up to `to`, at least one; a box smaller than a pixel row draws
    // one symbol per row.
    void drawColumn(TSeriesPointer& symbol, int x, double from, double to);

    double boxSize_ = 1.0;
    double reversalAmount_ = 3.0;
    std::unique_ptr<TSeriesPointer> upSymbol_;
    std::unique_ptr<TSeriesPointer> downSymbol_;
    std::vector<int> columns_;
};
