#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "chart/core/SortByCallbacks.h"

namespace {

// Sorts values and, in step, their labels, as a series sorts its lists.
int sortPairs(std::vector<int>& values, std::vector<std::string>& labels, int first, int last)
{
    int swaps = 0;
    SortByCallbacks(
        first, last, [&](int a, int b) { return values[a] - values[b]; },
        [&](int a, int b) {
            std::swap(values[a], values[b]);
            std::swap(labels[a], labels[b]);
            ++swaps;
        });
    return swaps;
}

}  // namespace

TEST(SortByCallbacks, SortsAndMovesEveryListAlong)
{
    struct Case {
        std::vector<int> values;
    };
    const Case cases[] = {
        {{}},
        {{7}},
        {{2, 1}},
        {{1, 2}},
        {{3, 1, 2}},
        {{5, 5, 5, 5}},
        {{1, 2, 3, 4, 5, 6, 7}},
        {{7, 6, 5, 4, 3, 2, 1}},
        {{3, 1, 3, 1, 3, 1, 2}},
        {{10, -3, 0, 10, 7, -3, 5, 2, 2, 9}},
    };
    for (const Case& c : cases) {
        std::vector<int> values = c.values;
        std::vector<std::string> labels;
        for (int v : values) labels.push_back("L" + std::to_string(v));
        sortPairs(values, labels, 0, static_cast<int>(values.size()) - 1);
        std::vector<int> expected = c.values;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(values, expected);
        for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(labels[i], "L" + std::to_string(values[i]));
    }
}

TEST(SortByCallbacks, RandomListsWithDuplicates)
{
    std::mt19937 random(18);
    for (int round = 0; round < 200; ++round) {
        const int size = static_cast<int>(random() % 40);
        std::vector<int> values(static_cast<std::size_t>(size));
        for (int& v : values) v = static_cast<int>(random() % 8);
        std::vector<std::string> labels;
        for (int v : values) labels.push_back(std::to_string(v));
        std::vector<int> expected = values;
        std::sort(expected.begin(), expected.end());
        sortPairs(values, labels, 0, size - 1);
        ASSERT_EQ(values, expected) << "round " << round;
        for (int i = 0; i < size; ++i) ASSERT_EQ(labels[i], std::to_string(values[i]));
    }
}

TEST(SortByCallbacks, OnlyTheGivenRange)
{
    std::vector<int> values{9, 4, 3, 2, 1, 0};
    std::vector<std::string> labels(values.size());
    sortPairs(values, labels, 1, 4);
    EXPECT_EQ(values, (std::vector<int>{9, 1, 2, 3, 4, 0}));
    // Sorted input exchanges nothing.
    values = {1, 2, 3, 4, 5};
    EXPECT_EQ(sortPairs(values, labels, 0, 4), 0);
    // Descending by a compare that says so.
    values = {1, 3, 2};
    SortByCallbacks(
        0, 2, [&](int a, int b) { return values[b] - values[a]; },
        [&](int a, int b) { std::swap(values[a], values[b]); });
    EXPECT_EQ(values, (std::vector<int>{3, 2, 1}));
}
