#pragma once
// The visible run of an ordered column found by walking it point by point: the answer the
// bisection of the drawing loop must give, kept beside the tests and benchmarks as their oracle.
#include <span>

#include "chart/core/VisibleRange.h"

TVisibleRange WalkVisibleRange(std::span<const double> values, double lowest, double highest, bool beyondLast);
