#include <gtest/gtest.h>

#include <vector>

#include "chart/core/ResourceBitmaps.h"
#include "platform/classes/Component.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Resources.h"
#include "platform/rtl/Streams.h"

namespace {

// BMP files of the given widths, registered once as program resources.
void registerPictures()
{
    static std::vector<std::vector<unsigned char>> files;
    static std::vector<ResourceBlob> blobs;
    if (!blobs.empty()) return;
    for (int width : {3, 5, 7}) {
        TBitmap bitmap(width, 2);
        TMemoryStream stream;
        bitmap.SaveToStream(stream);
        files.emplace_back(stream.Memory(), stream.Memory() + stream.Size());
    }
    static const unsigned char garbage[] = "BM but not a bitmap";
    blobs = {
        {"ZEBTEST_THREE", files[0].data(), files[0].size()},
        {"ZEBTEST_FIVE", files[1].data(), files[1].size()},
        {"TPersistent", files[2].data(), files[2].size()},
        {"ZEBTEST_BROKEN", garbage, sizeof garbage},
    };
    RegisterResources(blobs.data(), blobs.size());
}

}  // namespace

TEST(ResourceBitmaps, ByNameWithFallback)
{
    registerPictures();
    struct Case {
        const char* name;
        const char* fallback;
        bool loads;
        int width;
    };
    const Case cases[] = {
        {"ZEBTEST_THREE", "ZEBTEST_FIVE", true, 3},    // the name first
        {"zebtest_five", "", true, 5},                 // names without case
        {"ZEBTEST_NONE", "ZEBTEST_FIVE", true, 5},     // the fallback
        {"ZEBTEST_BROKEN", "ZEBTEST_THREE", true, 3},  // a picture that does not load counts as absent
        {"ZEBTEST_NONE", "ZEBTEST_BROKEN", false, 1},
        {"", "", false, 1},
    };
    for (const Case& c : cases) {
        TBitmap bitmap(1, 1);
        EXPECT_EQ(LoadNamedBitmapResource(bitmap, c.name, c.fallback), c.loads) << c.name;
        EXPECT_EQ(bitmap.Width(), c.width) << c.name;
    }
}

TEST(ResourceBitmaps, ClassIconsFallBackToTheParentClass)
{
    registerPictures();
    TBitmap bitmap;
    TPersistent persistent;
    EXPECT_TRUE(LoadClassIcon(persistent, bitmap));  // its own picture
    EXPECT_EQ(bitmap.Width(), 7);
    TBitmap parents;
    TOwnedPtr<TComponent> component(new TComponent(nullptr));
    EXPECT_TRUE(LoadClassIcon(*component, parents));  // no "TComponent": the parent's, "TPersistent"
    EXPECT_EQ(parents.Width(), 7);
    TObject object;
    EXPECT_FALSE(LoadClassIcon(object, bitmap));  // neither TObject nor a parent has one
}
