#pragma once
// TFastLineSeries: one pen, no pointers, areas, stacking or ribbons; a single polyline or point by
// point with per-pixel-column decimation, and with AutoRepaint off each new point's segment drawn
// into the off-screen buffer at once.
#include <iterator>
#include <vector>

#include "chart/series/CustomSeries.h"

enum TDrawAllPointsStyle { daFirst, daMinMax };
inline constexpr const char* TDrawAllPointsStyleNames[] = {"daFirst", "daMinMax"};
static_assert(std::size(TDrawAllPointsStyleNames) == daMinMax + 1);

enum TFastLineDrawStyle { flSegments, flAll };
inline constexpr const char* TFastLineDrawStyleNames[] = {"flSegments", "flAll"};
static_assert(std::size(TFastLineDrawStyleNames) == flAll + 1);

class TFastLineSeries : public TCustomLineSeries {
    TV_CLASS(TFastLineSeries, TCustomLineSeries)
public:
    explicit TFastLineSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { ChangeBoolean(autoRepaint_, value); }
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { ChangeInteger(clickTolerance_, value); }
    bool DrawAllPoints() const { return drawAllPoints_; }
    void SetDrawAllPoints(bool value) { ChangeBoolean(drawAllPoints_, value); }
    TDrawAllPointsStyle DrawAllPointsStyle() const { return drawAllPointsStyle_; }
    void SetDrawAllPointsStyle(TDrawAllPointsStyle value);
    TFastLineDrawStyle DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(TFastLineDrawStyle value);
    // Selects the line pen once for the whole drawing and draws with the cached device context.
    bool FastPen() const { return fastPen_; }
    void SetFastPen(bool value) { ChangeBoolean(fastPen_, value); }
    bool IgnoreNulls() const { return ignoreNulls_; }
    void SetIgnoreNulls(bool value) { ChangeBoolean(ignoreNulls_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { ChangeBoolean(invertedStairs_, value); }
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { ChangeBoolean(stairs_, value); }

    void SetPen(TZebPen* value) override;
    void SetSeriesColor(TColor value) override;
    void MeasureHorizMargins(int& left, int& right) const override;
    void MeasureVertMargins(int& top, int& bottom) const override;
    void CopyAppearance(TChartSeries* other) override;
    bool CanPrecalcInParallel() const override { return polylineMode(); }
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void PrecalcPoints() override;
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    void PointAdded(int index) override;
    void GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const override;
    void RemoveAllPoints() override;
    void FindVisibleRange() override;
    int HitTest(int x, int y) override;
    // A horizontal line across the middle of rect.
    void FillLegendSymbol(int index, const TRect& rect) override;

private:
    bool polylineMode() const;
    bool fastPenInUse() const;
    void preparePen(TCanvas3D& canvas) const;
    TPoint screenPoint(int index) const;
    void lineTo(TCanvas3D& canvas, int x, int y);
    void moveTo(TCanvas3D& canvas, int x, int y);
    bool decide(int index, int x, int y);
    int penRoom() const;

    bool autoRepaint_ = true;
    int clickTolerance_ = 0;
    bool drawAllPoints_ = true;
    TDrawAllPointsStyle drawAllPointsStyle_ = daFirst;
    TFastLineDrawStyle drawStyle_ = flSegments;
    bool fastPen_ = false;
    bool ignoreNulls_ = true;
    bool invertedStairs_ = false;
    bool stairs_ = false;

    int lastX_ = 0, lastY_ = 0;
    int columnMin_ = 0, columnMax_ = 0;
    bool columnPending_ = false;
    bool drawing_ = false;
    std::vector<TPoint> points_;
};
