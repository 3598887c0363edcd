#pragma once
// Bezier series: the points are the control points of a chain of quadratic or cubic Bezier
// curves; the curve starts at the first point and ends exactly at the last point of each segment.
#include <iterator>

#include "chart/series/CustomSeries.h"

enum TBezierStyle { bsWindows, bsBezier3, bsBezier4 };
inline constexpr const char* TBezierStyleNames[] = {"bsWindows", "bsBezier3", "bsBezier4"};
static_assert(std::size(TBezierStyleNames) == bsBezier4 + 1);

class TBezierSeries : public TCustomSeries {
    TV_CLASS(TBezierSeries, TCustomSeries)
public:
    explicit TBezierSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    TBezierStyle BezierStyle() const { return bezierStyle_; }
    void SetBezierStyle(TBezierStyle value);
    int NumBezierPoints() const { return numBezierPoints_; }
    // ChartException below 2.
    void SetNumBezierPoints(int value);

    void SetSeriesColor(TColor value) override;
    void DrawVisiblePoints() override;
    void SetupGalleryPreview() override;

private:
    // The curve segment of kind 2 (quadratic) or 3 (cubic) ending at control point k.
    void drawSegment(int kind, int k);

    TBezierStyle bezierStyle_ = bsWindows;
    int numBezierPoints_ = 32;
    // Screen positions of all points during one drawing.
    std::vector<TPoint> points_;
};
