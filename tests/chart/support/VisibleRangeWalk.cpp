#include "tests/chart/support/VisibleRangeWalk.h"

TVisibleRange WalkVisibleRange(std::span<const double> values, double lowest, double highest, bool beyondLast)
{
    const int n = static_cast<int>(values.size());
    if (n == 0) return {};
    const auto v = [&](int i) { return values[static_cast<size_t>(i)]; };
    int first = 0;
    if (!(v(0) > lowest)) {
        while (first < n && v(first) < lowest) ++first;
        if (first == n) return {};
    }
    int last = n - 1;
    if (v(n - 1) > highest) {
        last = first;
        while (last < n - 1 && v(last) < highest) ++last;
        if (!beyondLast)
            while (last > 0 && v(last) > highest) --last;
    }
    return {first, last};
}
