#pragma once
// The run of an ordered column that lies between two values, found by bisection. The ends are
// those of a walk from the first point (lower end) and from the lower end on (upper end); a
// descending column keeps that walk's answers, so the series types built on it see one rule.
#include <span>

struct TVisibleRange {
    int First = -1;
    int Last = -1;
};

// values ordered ascending (or descending); -1, -1 when empty or all below lowest. With beyondLast
// the first value at or beyond highest stays in; a Last below First means nothing is in view.
TVisibleRange OrderedVisibleRange(std::span<const double> values, bool descending, double lowest, double highest,
                                  bool beyondLast);
