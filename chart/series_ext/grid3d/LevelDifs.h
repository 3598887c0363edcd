#pragma once
// Contouring of one grid cell at a time: the cell split into four triangles round its centre, a
// 27-entry case table per triangle giving the segment where the surface crosses a level, and the
// polygons of the cell inside a band between two levels. Level lines chain the segments of one
// level into polylines. No canvas is involved: points are data units (X, Z).
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <unordered_map>
#include <vector>

struct TLevelPoint {
    double X = 0, Z = 0;
};
using TLevelPoints = std::vector<TLevelPoint>;
// The lines of one level, in list order.
using TLevelSegments = std::vector<TLevelPoints>;

// A band polygon's point: position and interpolated height.
struct TBandPoint {
    double X = 0, Z = 0, Y = 0;
};

class TLevelDifs {
public:
    // The value arrays are the series' own, read in place.
    TLevelDifs(const double* x, const double* y, const double* z, double minLevel, double maxLevel)
        : x_(x), y_(y), z_(z), minLevel_(minLevel), maxLevel_(maxLevel)
    {
    }

    // Loads the cell of nodes A (x, z), C (x + 1, z), B (x, z + 1), D (x + 1, z + 1); false when
    // it lies wholly above the highest or below the lowest level of interest.
    bool PrepareCell(int a, int c, int b, int d);
    double CellMin() const { return cellMin_; }
    double CellMax() const { return cellMax_; }

    // One call of emit per segment of the cell at level.
    void ContourCell(const std::function<void(const TLevelPoint&, const TLevelPoint&)>& emit, double level) const;
    // One call of emit per polygon of the cell whose heights lie in [lower, upper].
    void BandPolygons(const std::function<void(std::span<const TBandPoint>)>& emit, double upper,
                      double lower) const;

private:
    const double *x_, *y_, *z_;
    double minLevel_, maxLevel_;
    double cellMin_ = 0, cellMax_ = 0;
    // Vertex 0 the centre, 1..4 the corners A, C, D, B.
    TBandPoint v_[5];
};

// Chains segments of one level into lines: a segment whose end meets a line's end (both
// coordinates within 1e-4) extends the first such line in list order, which may then join the
// first other line that meets its new end. Candidates come from a hash of quantised end points, so
// a segment costs the same however many lines the level holds.
class TLevelLineChain {
public:
    static constexpr double Tolerance = 1e-4;

    void Add(const TLevelPoint& p, const TLevelPoint& q);
    // The lines in list order.
    TLevelSegments Lines() const;
    int LineCount() const { return alive_; }
    void Clear();

private:
    struct TLine {
        std::deque<TLevelPoint> points;
        bool alive = true;
    };
    static bool matches(const TLevelPoint& a, const TLevelPoint& b)
    {
        return std::abs(a.X - b.X) <= Tolerance && std::abs(a.Z - b.Z) <= Tolerance;
    }
    static std::uint64_t key(std::int64_t cx, std::int64_t cz);
    static std::int64_t cellOf(double v);
    void index(int line, const TLevelPoint& p);
    // The first live line other than except with an end that matches p; -1 when none.
    int firstLineNear(const TLevelPoint& p, int except) const;
    void join(int line, bool front);

    std::vector<TLine> lines_;
    std::unordered_map<std::uint64_t, std::vector<int>> ends_;
    int alive_ = 0;
};
