#pragma once
// Darvas series: candles with Darvas boxes over them. A box's top is a high the next highs stay
// below, its bottom a low the next lows stay above; the box lasts until prices leave it.
#include <memory>
#include <vector>

#include "chart/series/CandleSeries.h"

class TZebBrush;

class TDarvasSeries : public TCandleSeries {
    TV_CLASS(TDarvasSeries, TCandleSeries)
public:
    explicit TDarvasSeries(TComponent* owner);
    ~TDarvasSeries() override;

    TZebBrush* BoxBrush() const { return boxBrush_.get(); }
    void SetBoxBrush(TZebBrush* value);
    TZebPen* BoxPen() const { return boxPen_.get(); }
    void SetBoxPen(TZebPen* value);
    int BoxTransparency() const { return boxTransparency_; }
    void SetBoxTransparency(int value) { ChangeInteger(boxTransparency_, value); }

    struct TDarvasBox {
        int start, top, end, bottom;  // point indexes: first, of the top, last, of the bottom
    };
    // The boxes in the prices, first to last.
    std::vector<TDarvasBox> FindBoxes() const;

    void CopyAppearance(TChartSeries* other) override;
    void DrawVisiblePoints() override;

private:
    void styleChanged(TObject* sender) { StyleChanged(sender); }

    std::unique_ptr<TZebBrush> boxBrush_;
    std::unique_ptr<TZebPen> boxPen_;
    int boxTransparency_ = 70;
};
