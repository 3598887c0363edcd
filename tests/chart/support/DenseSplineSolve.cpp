#include "tests/chart/support/DenseSplineSolve.h"

#include <algorithm>
#include <cmath>

std::vector<T2DPoint> DenseSplineSolve(const std::vector<T2DPoint>& vertices, int v)
{
    std::vector<std::vector<double>> m(size_t(v) + 1, std::vector<double>(size_t(v) + 1, 0.0));
    std::vector<T2DPoint> b = vertices;
    m[1][1] = 1;
    m[size_t(v)][size_t(v)] = 1;
    for (int i = 2; i < v; ++i) {
        m[size_t(i)][size_t(i - 1)] = 1.0 / 6;
        m[size_t(i)][size_t(i)] = 2.0 / 3;
        m[size_t(i)][size_t(i + 1)] = 1.0 / 6;
    }
    const auto same = [&](int a, int c) {
        return std::abs(b[size_t(a)].X - b[size_t(c)].X) < 1e-5 && std::abs(b[size_t(a)].Y - b[size_t(c)].Y) < 1e-5;
    };
    for (int i = 3; i < v - 1;) {
        if (same(i - 1, i) && same(i, i + 1)) {
            for (int r : {i - 1, i, i + 1}) {
                std::fill(m[size_t(r)].begin(), m[size_t(r)].end(), 0.0);
                m[size_t(r)][size_t(r)] = 1;
            }
            i += 2;
        } else {
            i += 1;
        }
    }
    for (int k = 1; k <= v; ++k)
        for (int r = k + 1; r <= v; ++r) {
            const double f = m[size_t(r)][size_t(k)] / m[size_t(k)][size_t(k)];
            for (int c = k; c <= v; ++c) m[size_t(r)][size_t(c)] -= f * m[size_t(k)][size_t(c)];
            b[size_t(r)].X -= f * b[size_t(k)].X;
            b[size_t(r)].Y -= f * b[size_t(k)].Y;
        }
    std::vector<T2DPoint> x(size_t(v) + 1);
    for (int k = v; k >= 1; --k) {
        double sx = b[size_t(k)].X, sy = b[size_t(k)].Y;
        for (int c = k + 1; c <= v; ++c) {
            sx -= m[size_t(k)][size_t(c)] * x[size_t(c)].X;
            sy -= m[size_t(k)][size_t(c)] * x[size_t(c)].Y;
        }
        x[size_t(k)] = {sx / m[size_t(k)][size_t(k)], sy / m[size_t(k)][size_t(k)]};
    }
    return x;
}
