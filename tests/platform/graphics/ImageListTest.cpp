#include "PixelTest.h"
#include "platform/graphics/ImageList.h"

namespace {

// A strip of three 4x4 images: red, green and blue squares on a fuchsia background.
std::unique_ptr<TBitmap> Strip()
{
    auto b = std::make_unique<TBitmap>(12, 4, pf24bit);
    HDC dc = b->Canvas()->Handle();
    dc->FillRect({0, 0, 12, 4}, clFuchsia);
    dc->FillRect({1, 1, 3, 3}, clRed);
    dc->FillRect({5, 1, 7, 3}, clLime);
    dc->FillRect({9, 1, 11, 3}, clBlue);
    return b;
}

TEST(ImageList, AddSplitsAStripAndMasksTheKeyColour)
{
    TImageList il(nullptr);
    il.SetWidth(4);
    il.SetHeight(4);
    auto strip = Strip();
    EXPECT_EQ(il.AddMasked(strip.get(), clFuchsia), 0);
    EXPECT_EQ(il.Count(), 3);
    Surface s(10, 10);
    il.Draw(s.bmp->Canvas(), 2, 2, 2);
    EXPECT_TRUE(s.Is(4, 4, clBlue));
    EXPECT_TRUE(s.Is(2, 2, clWhite));  // fuchsia stayed out
    EXPECT_EQ(s.Count(clFuchsia), 0);
    il.Draw(s.bmp->Canvas(), 0, 0, 7);  // no such image: nothing
    EXPECT_EQ(s.Count(clBlue), 4);
}

TEST(ImageList, DisabledImagesAreDrawnInTheShadowColours)
{
    TImageList il(nullptr);
    il.SetWidth(4);
    il.SetHeight(4);
    auto strip = Strip();
    il.AddMasked(strip.get(), clDefault);  // bottom-left pixel: fuchsia
    Surface s(10, 10);
    il.Draw(s.bmp->Canvas(), 2, 2, 0, false);
    EXPECT_EQ(s.Count(clRed), 0);
    EXPECT_TRUE(s.Is(3, 3, clBtnShadow));
    EXPECT_TRUE(s.Is(5, 5, clBtnHighlight));
}

TEST(ImageList, ChangeLinksHearChangesUntilTheyGo)
{
    TImageList il(nullptr);
    int heard = 0;
    auto link = std::make_unique<TChangeLink>();
    link->SetOnChange([&](TObject* s) {
        EXPECT_EQ(s, &il);
        ++heard;
    });
    il.RegisterChanges(link.get());
    auto strip = Strip();
    il.Add(strip.get(), nullptr);
    EXPECT_EQ(heard, 1);
    il.BeginUpdate();
    il.Delete(0);
    il.Clear();
    EXPECT_EQ(heard, 1);
    il.EndUpdate();
    EXPECT_EQ(heard, 2);
    link.reset();  // unregisters itself
    il.Clear();
    EXPECT_EQ(heard, 2);
}

TEST(ImageList, ListGoingFirstDetachesItsLinks)
{
    TChangeLink link;
    {
        TImageList il(nullptr);
        il.RegisterChanges(&link);
        EXPECT_EQ(link.Sender(), &il);
    }
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST(ImageList, ResizingClearsAndMaskBitmapsHideWhitePixels)
{
    TImageList il(nullptr);
    auto strip = Strip();
    il.SetWidth(4);
    il.SetHeight(4);
    TBitmap mask(12, 4, pf24bit);
    mask.Canvas()->Handle()->FillRect({0, 0, 12, 4}, clWhite);
    mask.Canvas()->Handle()->FillRect({1, 1, 3, 3}, clBlack);
    il.Add(strip.get(), &mask);
    Surface s(6, 6);
    il.Draw(s.bmp->Canvas(), 0, 0, 0);
    EXPECT_EQ(s.Count(clRed), 4);
    EXPECT_EQ(s.Count(clFuchsia), 0);
    il.SetWidth(8);
    EXPECT_EQ(il.Count(), 0);
}

}  // namespace
