#pragma once
// A quicksort over indexes that leaves comparing and exchanging to the caller, so that several
// parallel lists (values, colours, labels of a series) move together.
#include <functional>

// Negative when item a belongs before item b.
using TSortCompare = std::function<int(int a, int b)>;
using TSortSwap = std::function<void(int a, int b)>;

// Sorts the items first..last (nothing when last <= first).
void SortByCallbacks(int first, int last, const TSortCompare& compare, const TSortSwap& swap);
