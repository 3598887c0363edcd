#include "chart/core/SortByCallbacks.h"

void SortByCallbacks(int first, int last, const TSortCompare& compare, const TSortSwap& swap)
{
    // Recurses into the smaller part and loops on the larger one, so the depth stays logarithmic.
    while (first < last) {
        int i = first;
        int j = last;
        int pivot = static_cast<int>((static_cast<unsigned>(first) + static_cast<unsigned>(last)) / 2);
        while (i < j) {
            while (compare(i, pivot) < 0) ++i;
            while (compare(pivot, j) < 0) --j;
            if (i < j) {
                swap(i, j);
                // The pivot item moved with the exchange.
                if (i == pivot)
                    pivot = j;
                else if (j == pivot)
                    pivot = i;
            }
            if (j >= i) {
                ++i;
                --j;
            }
        }
        if (j - first < last - i) {
            if (j > first) SortByCallbacks(first, j, compare, swap);
            first = i;
        } else {
            if (i < last) SortByCallbacks(i, last, compare, swap);
            last = j;
        }
    }
}
