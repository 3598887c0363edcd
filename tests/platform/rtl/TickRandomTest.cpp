// The 32-bit tick count across its wrap, and the reproducible random generator.
#include <gtest/gtest.h>

#include <set>

#include "platform/rtl/Random.h"
#include "platform/rtl/Tick.h"

namespace {
struct FakeClock : ::testing::Test {
    std::uint64_t now = 0;
    void SetUp() override
    {
        SetTickClock([this] { return now; });
    }
    void TearDown() override { SetTickClock({}); }
};
}  // namespace

TEST_F(FakeClock, TickCountWrapsAfter32Bits)
{
    now = 0xFFFFFFF0u;
    const Cardinal start = GetTickCount();
    EXPECT_EQ(start, 0xFFFFFFF0u);
    now += 0x15;
    const Cardinal later = GetTickCount();
    EXPECT_EQ(later, 5u);
    EXPECT_EQ(TicksSince(start, later), 0x15u);
    EXPECT_EQ(GetTickCount64(), 0x100000005ull);
}

TEST(TickCount, SystemClockAdvances)
{
    SetTickClock({});
    const std::uint64_t a = GetTickCount64();
    Sleep(5);
    EXPECT_GE(GetTickCount64() - a, 4u);
}

TEST(Random, SeededSequencesRepeat)
{
    RandSeed = 0;
    int first[5];
    for (int& v : first) v = Random(100);
    EXPECT_EQ(std::vector<int>(first, first + 5), (std::vector<int>{0, 3, 86, 20, 27}));
    EXPECT_EQ(RandSeed, 1172187917u);

    RandSeed = 12345;
    EXPECT_DOUBLE_EQ(Random(), 0.3853505323641002);
    EXPECT_DOUBLE_EQ(Random(), 0.2893544191028923);

    RandSeed = 42;
    std::vector<int> seq;
    for (int i = 0; i < 6; ++i) seq.push_back(Random(1000));
    EXPECT_EQ(seq, (std::vector<int>{317, 877, 205, 156, 19, 847}));
}

TEST(Random, RangesHold)
{
    RandSeed = 7;
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int v = Random(7);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        seen.insert(v);
        const int r = RandomRange(10, 5);
        ASSERT_GE(r, 5);
        ASSERT_LT(r, 10);
        const double f = Random();
        ASSERT_GE(f, 0.0);
        ASSERT_LT(f, 1.0);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-5), 0);
    EXPECT_EQ(Random(1), 0);
}
