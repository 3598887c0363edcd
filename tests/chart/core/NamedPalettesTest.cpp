// The named colour palettes.
#include <vector>

#include "PanelFixture.h"
#include "chart/core/NamedPalettes.h"
#include "platform/rtl/StringList.h"

namespace {

class NamedPalettesTest : public PanelSuite {
protected:
    // Tests that change the list leave a fresh one behind.
    void TearDown() override { ReleaseNamedPalettes(); }
};

TEST_F(NamedPalettesTest, TheListNamesTwentyThreePalettesAfterTheDefault)
{
    TStringList names;
    GetNamedPalettes()->ListNames(names, true);
    ASSERT_EQ(names.Count(), 24);
    EXPECT_EQ(names[0], "Default");
    EXPECT_EQ(names[1], "Zebgraph");
    EXPECT_EQ(names[14], "Opera");
    EXPECT_EQ(names[23], "Activity");
    TStringList plain;
    GetNamedPalettes()->ListNames(plain, false);
    EXPECT_EQ(plain.Count(), 23);
    EXPECT_EQ(plain[0], "Zebgraph");
}

TEST_F(NamedPalettesTest, CountsAndColours)
{
    const struct {
        int index;
        const char* name;
        int count;
        TColor first, last;
    } cases[] = {
        {0, "Zebgraph", 0, clNone, clNone},         {1, "Excel", 22, 0xFF9999, 0xCC99FF},
        {4, "Solid", 8, 0xFF0000, 0xFFFFFF},        {5, "Classic", 12, 0xFF0000, 0x008080},
        {8, "Rainbow", 25, 0x000099, 0xFF00CC},     {9, "Win. XP", 13, 0xFE9B82, 0x7B715F},
        {12, "Gray scale", 15, 0xF0F0F0, 0x101010}, {13, "Opera", 12, 0xA36644, 0xB4B4B4},
        {16, "BlackIsBack", 4, 0x5AE6C8, 0x0FA0E6}, {22, "Activity", 10, 0x07D9F8, 0x19E4D6},
    };
    const TColorPalettes& list = *GetNamedPalettes();
    ASSERT_EQ(list.Count(), 23);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(list.Items(c.index).Name, c.name);
        EXPECT_EQ(list.IndexOfName(c.name), c.index);
        const std::vector<TColor> colors = list.CopyColors(c.index);
        ASSERT_EQ(static_cast<int>(colors.size()), c.count);
        if (c.count == 0) continue;
        EXPECT_EQ(colors.front(), c.first);
        EXPECT_EQ(colors.back(), c.last);
    }
    EXPECT_EQ(list.CopyColors(4)[3], static_cast<TColor>(0x00CCFF));
}

TEST_F(NamedPalettesTest, OutsideTheListThereAreNoColours)
{
    const TColorPalettes& list = *GetNamedPalettes();
    EXPECT_TRUE(list.CopyColors(-1).empty());
    EXPECT_TRUE(list.CopyColors(23).empty());
    EXPECT_EQ(list.IndexOfName("Nowhere"), -1);
}

TEST_F(NamedPalettesTest, AddOrReplaceComparesNamesWithoutCase)
{
    TColorPalettes& list = *GetNamedPalettes();
    list.AddOrReplace("excel", {clRed, clLime});
    EXPECT_EQ(list.Count(), 23);
    EXPECT_EQ(list.CopyColors(1), (std::vector<TColor>{clRed, clLime}));
    EXPECT_EQ(list.Items(1).Name, "Excel");
    list.AddOrReplace("Mine", {clBlue});
    EXPECT_EQ(list.Count(), 24);
    EXPECT_EQ(list.IndexOfName("MINE"), 23);
}

TEST_F(NamedPalettesTest, ReleasingTheListBuildsItAgainOnTheNextUse)
{
    GetNamedPalettes()->AddOrReplace("Mine", {clBlue});
    ReleaseNamedPalettes();
    EXPECT_EQ(GetNamedPalettes()->Count(), 23);
}

}  // namespace
