#include "chart/core/VisibleRange.h"

#include <algorithm>

TVisibleRange OrderedVisibleRange(std::span<const double> values, bool descending, double lowest, double highest,
                                  bool beyondLast)
{
    const int n = static_cast<int>(values.size());
    if (n == 0) return {};
    const double* v = values.data();
    const auto indexOf = [v](const double* p) { return static_cast<int>(p - v); };

    // Lower end: the first value not below lowest. A descending column has it at 0 or nowhere.
    int first = 0;
    if (!(v[0] > lowest)) {
        first = descending ? (v[0] < lowest ? n : 0) : indexOf(std::lower_bound(v, v + n, lowest));
        if (first == n) return {};
    }

    // Upper end: everything when the last value is in view; else the first value from the lower
    // end on that is not below highest (the last point when none), stepped back past the values
    // above highest unless the one beyond the edge is wanted.
    if (!(v[n - 1] > highest)) return {first, n - 1};
    int last;
    if (descending)
        last = v[first] < highest ? n - 1 : first;
    else
        last = indexOf(std::lower_bound(v + first, v + n - 1, highest));
    if (!beyondLast && v[last] > highest) {
        if (descending)
            last = 0;
        else
            last = std::max(indexOf(std::upper_bound(v, v + last, highest)) - 1, 0);
    }
    return {first, last};
}
