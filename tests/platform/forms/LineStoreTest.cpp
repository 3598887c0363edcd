// The memo's line store against a plain list of strings: every change, across block bounds.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "platform/forms/LineStore.h"

namespace {

void ExpectSame(const TLineStore& store, const std::vector<String>& model)
{
    ASSERT_EQ(store.Count(), static_cast<int>(model.size()));
    std::size_t text = 0;
    for (int i = 0; i < store.Count(); ++i) {
        ASSERT_EQ(store.Line(i), model[static_cast<std::size_t>(i)]) << "line " << i;
        text += model[static_cast<std::size_t>(i)].size();
    }
    EXPECT_EQ(store.TextSize(), text);
}

TEST(LineStore, AgreesWithAListUnderMixedChanges)
{
    std::mt19937 rng(11);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto text = [&] {
        // Mostly short lines, some empty, now and then one longer than a block holds.
        const int length = pick(50) == 0 ? 70000 + pick(1000) : pick(10) == 0 ? 0 : pick(40);
        String s(static_cast<std::size_t>(length), 'a');
        for (char& c : s) c = static_cast<char>(' ' + pick(95));
        return s;
    };
    TLineStore store;
    std::vector<String> model;
    for (int step = 0; step < 30000; ++step) {
        const int n = static_cast<int>(model.size());
        const int op = pick(100);
        if (op < 55 || n == 0) {
            const String s = text();
            store.Add(s);
            model.push_back(s);
        } else if (op < 75) {
            const int at = pick(n + 1);
            const String s = text();
            store.Insert(at, s);
            model.insert(model.begin() + at, s);
        } else if (op < 85) {
            const int at = pick(n);
            const String s = text();
            store.Put(at, s);
            model[static_cast<std::size_t>(at)] = s;
        } else if (op < 99 || step % 7 != 0) {
            const int at = pick(n);
            store.Delete(at);
            model.erase(model.begin() + at);
        } else {
            store.Clear();
            model.clear();
        }
        if (step % 2000 == 0) ExpectSame(store, model);
    }
    ExpectSame(store, model);
}

TEST(LineStore, InsertsAtTheFrontSplitTheBlockAndKeepTheOrder)
{
    TLineStore store;
    std::vector<String> model;
    for (int i = 0; i < 5000; ++i) {
        store.Insert(0, std::to_string(i));
        model.insert(model.begin(), std::to_string(i));
    }
    ExpectSame(store, model);
    for (int i = 0; i < 4990; ++i) store.Delete(store.Count() / 2);
    model.erase(model.begin() + 5, model.begin() + 4995);
    ExpectSame(store, model);
}

TEST(LineStore, RefusesPlacesOutsideTheLines)
{
    TLineStore store;
    EXPECT_THROW(store.Line(0), std::out_of_range);
    store.Add("a");
    EXPECT_THROW(store.Line(1), std::out_of_range);
    EXPECT_THROW(store.Delete(-1), std::out_of_range);
    EXPECT_THROW(store.Put(1, "b"), std::out_of_range);
    EXPECT_THROW(store.Insert(2, "b"), std::out_of_range);
    store.Insert(1, "b");  // the end appends
    ExpectSame(store, {"a", "b"});
}

}  // namespace
