#include <gtest/gtest.h>

#include "platform/graphics/Fonts.h"
#include "platform/graphics/Resources.h"

namespace {

const unsigned char kData[] = {'a', 'b', 'c', 'd', 'e'};
const ResourceBlob kBlobs[] = {{"test/Five.bin", kData, sizeof kData}};

TEST(Resources, LookupIsByNameAndIgnoresCase)
{
    RegisterResources(kBlobs, 1);
    const ResourceBlob* b = FindResource("TEST/five.BIN");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Size, 5u);
    EXPECT_EQ(FindResource("test/six.bin"), nullptr);
}

TEST(Resources, TheDigitFontsAndTheirLicenceAreEmbedded)
{
    RegisterProgramFonts();
    for (const char* name :
         {"fonts/DSEG7Classic-Regular.ttf", "fonts/DSEG7Modern-Regular.ttf", "fonts/DSEG-LICENSE.txt"}) {
        const ResourceBlob* b = FindResource(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_GT(b->Size, 1000u) << name;
    }
    // TrueType files start with version 1.0.
    const ResourceBlob* f = FindResource("fonts/DSEG7Classic-Regular.ttf");
    EXPECT_EQ(f->Data[0], 0);
    EXPECT_EQ(f->Data[1], 1);
}

TEST(Resources, ResourceStreamReadsAndRefusesWrites)
{
    RegisterResources(kBlobs, 1);
    TResourceStream s("test/five.bin");
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 3), 3);
    EXPECT_EQ(String(buf, 3), "abc");
    EXPECT_EQ(s.Read(buf, 8), 2);
    EXPECT_EQ(s.Read(buf, 8), 0);
    s.SetPosition(1);
    EXPECT_EQ(s.Read(buf, 1), 1);
    EXPECT_EQ(buf[0], 'b');
    EXPECT_THROW(s.WriteBuffer("x", 1), EStreamError);
    try {
        TResourceStream missing("nothing/here");
        FAIL();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource nothing/here not found");
    }
}

}  // namespace
