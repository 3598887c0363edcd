#pragma once
// Candle series: each OHLC point as a candle stick, a bar with open and close ticks, a body
// without wicks, or one line through the closes. Up and down candles take their colours from two
// gradients; the wicks have a pen of their own.
#include <iterator>
#include <memory>

#include "chart/series/OHLCSeries.h"

class TZebGradient;

enum TCandleStyle { csCandleStick, csCandleBar, csOpenClose, csLine };
inline constexpr const char* TCandleStyleNames[] = {"csCandleStick", "csCandleBar", "csOpenClose", "csLine"};
static_assert(std::size(TCandleStyleNames) == csLine + 1);

enum TCandleBorderColor { cbUseColor, cbSameAsCandle };
inline constexpr const char* TCandleBorderColorNames[] = {"cbUseColor", "cbSameAsCandle"};
static_assert(std::size(TCandleBorderColorNames) == cbSameAsCandle + 1);

enum TCandleColorStyle { cssRelativeToOpen, cssRelativeToClose };
inline constexpr const char* TCandleColorStyleNames[] = {"cssRelativeToOpen", "cssRelativeToClose"};
static_assert(std::size(TCandleColorStyleNames) == cssRelativeToClose + 1);

class TCandleSeries : public TOHLCSeries {
    TV_CLASS(TCandleSeries, TOHLCSeries)
public:
    explicit TCandleSeries(TComponent* owner);
    ~TCandleSeries() override;

    // ---- settings ----
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value) { ChangeBoolean(autoSize_, value); }
    TCandleBorderColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TCandleBorderColor value);
    TCandleStyle CandleStyle() const { return candleStyle_; }
    void SetCandleStyle(TCandleStyle value);
    int CandleWidth() const { return candleWidth_; }
    void SetCandleWidth(int value) { ChangeInteger(candleWidth_, value); }
    TCandleColorStyle ColorStyle() const { return colorStyle_; }
    void SetColorStyle(TCandleColorStyle value);
    bool Draw3D() const;
    void SetDraw3D(bool value);
    bool Dark3D() const;
    void SetDark3D(bool value);
    int CandleDepth() const;
    void SetCandleDepth(int value);
    TColor DownCloseColor() const;
    void SetDownCloseColor(TColor value);
    TZebGradient* DownCloseGradient() const { return downGradient_.get(); }
    void SetDownCloseGradient(TZebGradient* value);
    TColor UpCloseColor() const;
    void SetUpCloseColor(TColor value);
    TZebGradient* UpCloseGradient() const { return upGradient_.get(); }
    void SetUpCloseGradient(TZebGradient* value);
    TCandleBorderColor HighLowColor() const { return highLowColor_; }
    void SetHighLowColor(TCandleBorderColor value);
    TZebPen* HighLowPen() const { return highLowPen_.get(); }
    void SetHighLowPen(TZebPen* value);
    TColor OpenTickColor() const { return openTickColor_; }
    void SetOpenTickColor(TColor value) { ChangeColor(openTickColor_, value); }
    TColor CloseTickColor() const { return closeTickColor_; }
    void SetCloseTickColor(TColor value) { ChangeColor(closeTickColor_, value); }
    bool ShowOpenTick() const { return showOpenTick_; }
    void SetShowOpenTick(bool value) { ChangeBoolean(showOpenTick_, value); }
    bool ShowCloseTick() const { return showCloseTick_; }
    void SetShowCloseTick(bool value) { ChangeBoolean(showCloseTick_, value); }
    // Candles by point index (0, 1, 2 ...) instead of date; every point is a drawing candidate.
    bool RemoveGaps() const { return removeGaps_; }
    void SetRemoveGaps(bool value);

    int AppendCandle(const String& label, TColor color, double date, double open, double high, double low,
                     double close)
    {
        return AppendOHLC(label, color, date, open, high, low, close);
    }

    // ---- colours and geometry ----
    // The point's own colour, else its gradient's start colour.
    TColor CandleColor(int index) const;
    // Up or down: relative to the open (equal: to the previous close, up for the first point) or to
    // the previous close (equal: as the previous point).
    TZebGradient* CandleGradient(int index) const;
    struct TCandleGeometry {
        int x, open, close, high, low, left, right;
    };
    TCandleGeometry CandleGeometry(int index) const;
    // Whether (x, y) lies on the candle of index; csLine tests the segment from the previously tested
    // point.
    bool CandleContains(int index, int x, int y);
    // The wick pen in the candle colour, the pen's or its own.
    void UseHighLowPen(TColor color);
    // Pixels the candles reach beyond the first and last point (AutoSize: half the closest gap).
    int CandleMargin() const { return candleMargin_; }

    // ---- the series' operations ----
    void PrepareDraw() override;
    void CopyAppearance(TChartSeries* other) override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    // Down and up candles in palette colours 2 and 5 of the chart.
    void ApplyGallery3D();
    void SetupGalleryPreview() override;
    void FillLegendSymbol(int index, const TRect& rect) override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    bool PlacesByPointIndex() const override { return removeGaps_; }
    bool IsPointInPlot(int index) const override;
    TColor GetLegendColor(int index) const override { return CandleColor(index); }
    double HighestX() override;
    double LowestX() override;
    double HighestY() override;
    double LowestY() override;
    int PointScreenX(int index) const override;
    int HitTest(int x, int y) override;
    void MeasureAxisOverhang(const TChartAxis& axis, TRect& margins) const override;

private:
    void styleChanged(TObject* sender) { StyleChanged(sender); }
    void fillBodyGradient(int index, const TRect& rect);
    void drawCandle(int index, const TCandleGeometry& g, TColor color, bool hover);
    void drawBar(const TCandleGeometry& g, TColor color, bool hover);
    void drawLinePart(int index, const TCandleGeometry& g, TColor color, bool hover);
    TRect bodyRect(const TCandleGeometry& g, bool in3D) const;

    bool autoSize_ = true;
    TCandleBorderColor borderColor_ = cbUseColor;
    TCandleStyle candleStyle_ = csCandleStick;
    int candleWidth_ = 4;
    TCandleColorStyle colorStyle_ = cssRelativeToOpen;
    std::unique_ptr<TZebGradient> downGradient_;
    std::unique_ptr<TZebGradient> upGradient_;
    TCandleBorderColor highLowColor_ = cbUseColor;
    std::unique_ptr<TZebPen> highLowPen_;
    TColor openTickColor_ = clNullPoint;
    TColor closeTickColor_ = clNullPoint;
    bool showOpenTick_ = true;
    bool showCloseTick_ = true;
    bool removeGaps_ = false;
    int candleMargin_ = 4;
    // csLine: the point the next segment starts at, and whether there is one.
    TPoint lineFrom_;
    bool hasLineFrom_ = false;
};
