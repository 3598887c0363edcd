#pragma once
// A uniform cubic B-spline through (or near) control points, and the smoothing function that
// samples one through the points of its source series.
#include <span>
#include <vector>

#include "chart/core/ZebFunction.h"
#include "platform/graphics/GraphicsTypes.h"

struct T2DPoint {
    double X = 0;
    double Y = 0;
};

// Control points are numbered from 1. The vertices are the control points (a corner point three
// times); with interpolation they are solved for, so that the curve passes through every point.
class TBSpline {
public:
    TBSpline() = default;
    explicit TBSpline(std::span<const TPointFloat> points);

    int PointCount() const { return static_cast<int>(points_.size()); }
    void AddPoint(double x, double y);
    // A corner: the curve bends sharply at the point.
    void SetKnuckle(int index, bool value);
    // Never for the first and the last point.
    bool IsKnuckle(int index) const;
    bool Interpolating() const { return interpolating_; }
    void SetInterpolating(bool value);
    int SegmentCount() const { return segmentCount_; }
    // At most MaxSegments.
    void SetSegmentCount(int value);
    static constexpr int MaxSegments = 600;

    // Builds when needed.
    int VertexCount();
    // Vertex 0 and VertexCount() + 1 are the phantom ends; builds when needed.
    T2DPoint Vertex(int index);
    void Build();
    // t in 0 .. 1: the first point at 0, the last at 1; (0, 0) with fewer than 2 points.
    T2DPoint EvaluateAt(double t);
    void Clear();

private:
    std::vector<T2DPoint> points_;
    std::vector<bool> knuckles_;
    std::vector<T2DPoint> vertices_;
    int vertexCount_ = 0;
    bool built_ = false;
    bool interpolating_ = false;
    int segmentCount_ = 100;
};

class TSmoothingFunction : public TZebFunction {
    TV_CLASS(TSmoothingFunction, TZebFunction)
public:
    explicit TSmoothingFunction(TComponent* owner);
    void Assign(TPersistent* source) override;

    bool Interpolate() const { return interpolate_; }
    void SetInterpolate(bool value);
    int Factor() const { return factor_; }
    // Never below 1.
    void SetFactor(int value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    bool interpolate_ = true;
    int factor_ = 4;
};

// Registers the smoothing function in the gallery (and for streaming); the last matching call
// removes it.
void StartSplineUnit();
void StopSplineUnit();
