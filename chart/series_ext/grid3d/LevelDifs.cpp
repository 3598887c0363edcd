#include "chart/series_ext/grid3d/LevelDifs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

// Case of the triangle (m, 0, n) by the signs of m, 0 and n, each shifted to 0..2.
constexpr int CaseTable[3][3][3] = {
    {{0, 0, 8}, {0, 2, 5}, {7, 6, 9}},
    {{0, 3, 4}, {1, 3, 1}, {4, 3, 0}},
    {{9, 6, 7}, {5, 2, 0}, {8, 0, 0}},
};

int signOf(double h) { return h > 0 ? 1 : h < 0 ? -1 : 0; }

}  // namespace

bool TLevelDifs::PrepareCell(int a, int c, int b, int d)
{
    const double ha = y_[a], hc = y_[c], hd = y_[d], hb = y_[b];
    cellMin_ = std::min({ha, hb, hc, hd});
    cellMax_ = std::max({ha, hb, hc, hd});
    if (cellMin_ > maxLevel_ || cellMax_ < minLevel_) return false;
    const double x0 = x_[a], x1 = x_[c], z0 = z_[a], z1 = z_[b];
    v_[1] = {x0, z0, ha};
    v_[2] = {x1, z0, hc};
    v_[3] = {x1, z1, hd};
    v_[4] = {x0, z1, hb};
    v_[0] = {(x0 + x1) / 2, (z0 + z1) / 2, (ha + hb + hc + hd) / 4};
    return true;
}

void TLevelDifs::ContourCell(const std::function<void(const TLevelPoint&, const TLevelPoint&)>& emit,
                             double level) const
{
    double h[5];
    int s[5];
    for (int i = 1; i <= 4; ++i) h[i] = v_[i].Y - level;
    h[0] = (v_[1].Y + v_[2].Y + v_[3].Y + v_[4].Y) / 4 - level;
    for (int i = 0; i < 5; ++i) s[i] = signOf(h[i]);
    const auto vertex = [this](int i) { return TLevelPoint{v_[i].X, v_[i].Z}; };
    const auto cross = [&](int p, int q) {
        const double d = h[q] - h[p];
        return TLevelPoint{(h[q] * v_[p].X - h[p] * v_[q].X) / d, (h[q] * v_[p].Z - h[p] * v_[q].Z) / d};
    };
    for (int m = 1; m <= 4; ++m) {
        const int n = m == 4 ? 1 : m + 1;
        switch (CaseTable[s[m] + 1][s[0] + 1][s[n] + 1]) {
        case 1: emit(vertex(m), vertex(0)); break;
        case 2: emit(vertex(0), vertex(n)); break;
        case 3: emit(vertex(n), vertex(m)); break;
        case 4: emit(vertex(m), cross(0, n)); break;
        case 5: emit(vertex(0), cross(n, m)); break;
        case 6: emit(vertex(n), cross(m, 0)); break;
        case 7: emit(cross(m, 0), cross(0, n)); break;
        case 8: emit(cross(0, n), cross(n, m)); break;
        case 9: emit(cross(n, m), cross(m, 0)); break;
        default: break;
        }
    }
}

void TLevelDifs::BandPolygons(const std::function<void(std::span<const TBandPoint>)>& emit, double upper,
                              double lower) const
{
    // Each triangle clipped by the two half-spaces of the band; at most five points remain.
    using TPoly = std::array<TBandPoint, 6>;
    const auto clip = [](const TPoly& in, int count, TPoly& out, double level, bool keepAbove) {
        const auto inside = [&](const TBandPoint& p) { return keepAbove ? p.Y >= level : p.Y <= level; };
        int n = 0;
        for (int i = 0; i < count; ++i) {
            const TBandPoint& a = in[static_cast<size_t>(i)];
            const TBandPoint& b = in[static_cast<size_t>((i + 1) % count)];
            if (inside(a)) out[static_cast<size_t>(n++)] = a;
            if (inside(a) != inside(b)) {
                const double t = (level - a.Y) / (b.Y - a.Y);
                out[static_cast<size_t>(n++)] = {a.X + t * (b.X - a.X), a.Z + t * (b.Z - a.Z), level};
            }
        }
        return n;
    };
    for (int m = 1; m <= 4; ++m) {
        const int n = m == 4 ? 1 : m + 1;
        const TBandPoint& c = v_[0];
        const TBandPoint& p = v_[m];
        const TBandPoint& q = v_[n];
        if ((c.Y < lower && p.Y < lower && q.Y < lower) || (c.Y > upper && p.Y > upper && q.Y > upper)) continue;
        TPoly tri{c, p, q}, lowCut{}, band{};
        const int k = clip(tri, 3, lowCut, lower, true);
        const int j = k >= 3 ? clip(lowCut, k, band, upper, false) : 0;
        if (j >= 3) emit(std::span<const TBandPoint>(band.data(), static_cast<size_t>(j)));
    }
}

// ---- level lines ----

std::int64_t TLevelLineChain::cellOf(double v)
{
    const double c = std::floor(v / Tolerance);
    constexpr double limit = 4e18;
    return static_cast<std::int64_t>(std::clamp(c, -limit, limit));
}

std::uint64_t TLevelLineChain::key(std::int64_t cx, std::int64_t cz)
{
    return static_cast<std::uint64_t>(cx) * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(cz);
}

void TLevelLineChain::index(int line, const TLevelPoint& p) { ends_[key(cellOf(p.X), cellOf(p.Z))].push_back(line); }

int TLevelLineChain::firstLineNear(const TLevelPoint& p, int except) const
{
    // Within the tolerance a point lies in its own cell or a neighbour. Entries go stale as lines
    // grow; each is checked against the line's current ends.
    int best = -1;
    const std::int64_t cx = cellOf(p.X), cz = cellOf(p.Z);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
        for (std::int64_t dz = -1; dz <= 1; ++dz) {
            const auto it = ends_.find(key(cx + dx, cz + dz));
            if (it == ends_.end()) continue;
            for (const int id : it->second) {
                if (id == except || (best >= 0 && id >= best)) continue;
                const TLine& line = lines_[static_cast<size_t>(id)];
                if (line.alive && (matches(line.points.front(), p) || matches(line.points.back(), p))) best = id;
            }
        }
    return best;
}

void TLevelLineChain::Add(const TLevelPoint& p, const TLevelPoint& q)
{
    const int a = firstLineNear(p, -1), b = firstLineNear(q, -1);
    const int id = a < 0 ? b : b < 0 ? a : std::min(a, b);
    if (id < 0) {
        lines_.push_back({{p, q}, true});
        ++alive_;
        const int added = static_cast<int>(lines_.size()) - 1;
        index(added, p);
        index(added, q);
        return;
    }
    auto& pts = lines_[static_cast<size_t>(id)].points;
    bool front = true;
    if (matches(p, pts.front()))
        pts.push_front(q);
    else if (matches(q, pts.front()))
        pts.push_front(p);
    else if (matches(p, pts.back()))
        pts.push_back(q), front = false;
    else
        pts.push_back(p), front = false;
    index(id, front ? pts.front() : pts.back());
    if (alive_ > 1) join(id, front);
}

void TLevelLineChain::join(int id, bool front)
{
    TLine& line = lines_[static_cast<size_t>(id)];
    const TLevelPoint end = front ? line.points.front() : line.points.back();
    const int other = firstLineNear(end, id);
    if (other < 0) return;
    TLine& o = lines_[static_cast<size_t>(other)];
    std::deque<TLevelPoint> joined;
    if (matches(o.points.front(), end)) {
        if (front) {
            joined.assign(o.points.rbegin(), o.points.rend() - 1);
            joined.insert(joined.end(), line.points.begin(), line.points.end());
        } else {
            joined = line.points;
            joined.insert(joined.end(), o.points.begin() + 1, o.points.end());
        }
    } else if (front) {
        joined.assign(o.points.begin(), o.points.end() - 1);
        joined.insert(joined.end(), line.points.begin(), line.points.end());
    } else {
        joined = line.points;
        joined.insert(joined.end(), o.points.rbegin() + 1, o.points.rend());
    }
    line.points = std::move(joined);
    o.alive = false;
    o.points.clear();
    --alive_;
    index(id, line.points.front());
    index(id, line.points.back());
}

TLevelSegments TLevelLineChain::Lines() const
{
    TLevelSegments out;
    out.reserve(static_cast<size_t>(alive_));
    for (const TLine& line : lines_)
        if (line.alive) out.emplace_back(line.points.begin(), line.points.end());
    return out;
}

void TLevelLineChain::Clear()
{
    lines_.clear();
    ends_.clear();
    alive_ = 0;
}
