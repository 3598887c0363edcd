#pragma once
// The base of series whose points carry X, Y and a depth value Z: the Z list, inserts with a Z
// value, points from a picture, the depth axis bound to Z, and a snapshot of the view that tells
// descendants when screen positions they cached are stale.
#include "chart/core/ChartSeries.h"
#include "platform/rtl/Types.h"

class TGraphic;

class TCustom3DSeries : public TChartSeries {
    TV_CLASS(TCustom3DSeries, TChartSeries)
public:
    explicit TCustom3DSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    TChartValueList* ZValues() const { return zValues_; }
    void SetZValues(TChartValueList* value) { zValues_->Assign(value); }
    int TimesZOrder() const { return timesZOrder_; }
    void SetTimesZOrder(int value) { ChangeInteger(timesZOrder_, value); }

    // One point per pixel of 24-bit rows (blue, green, red), column by column: X the column,
    // Z the row, Y the colour as a number (negated when negative).
    virtual void LoadFromRGBArray(int width, int height, bool negative, const std::vector<Byte*>& rows);
    // The new index, -1 when OnBeforeAdd refused.
    virtual int InsertXYZ(double x, double y, double z, const String& label = String(), TColor color = clAutomatic);
    int InsertPoint3D(double x, double y, double z) { return InsertXYZ(x, y, z); }
    int PointScreenZ(int index) const;
    bool ViewChanged() const;
    void RememberView();

    bool IsXYZSeries() const override { return true; }
    void DrawVisiblePoints() override;
    void ReserveZSlot() override;
    void DrawPointMark(int index, const String& text, TSeriesMarkPosition& position) override;
    bool AcceptsSourceSeries(const TChartSeries* series) const override;
    double HighestZ() override { return zValues_->Highest(); }
    double LowestZ() override { return zValues_->Lowest(); }
    bool IsBoundToAxis(const TChartAxis* axis) const override;
    TChartValueList* GetAxisValueList(const TChartAxis* axis) const override;

    // The screen pixel of a depth value on the chart's depth axis; 0 without one.
    int DepthValueToPixel(double value) const;

private:
    TChartValueList* zValues_;
    int timesZOrder_ = 3;
    struct TViewSnapshot {
        TRect chartRect{};
        int start = 0, end = 0;
        bool taken = false;
    } view_;
};

// Empties series and fills it from the picture's pixels (LoadFromRGBArray, as the series loads).
void LoadSeriesFromPicture(TCustom3DSeries& series, TGraphic& graphic, bool negative);
// The depth runs backwards on screen: the depth axis is inverted, or the view is turned past
// 90 degrees (but not to 270), not both.
bool IsDepthViewReversed(const TChartSeries& series);
