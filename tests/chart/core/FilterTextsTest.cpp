#include <gtest/gtest.h>

#include "chart/canvas/Filters.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/ClassRegistry.h"

// The engine's start-up gives every registered filter its description from the message texts.
TEST(FilterTexts, EveryFilterDescribesItselfWithTheEngineText)
{
    StartChartEngine();
    const std::pair<const char*, const char*> cases[] = {
        {"TInvertFilter", "Invert"},
        {"TGrayScaleFilter", "Gray scale"},
        {"TMosaicFilter", "Mosaic"},
        {"TFlipFilter", "Flip"},
        {"TReverseFilter", "Reverse"},
        {"TBrightnessFilter", "Brightness"},
        {"TContrastFilter", "Contrast"},
        {"TColorFilter", "Color"},
        {"TColorReplaceFilter", "Color Replacer"},
        {"THueLumSatFilter", "Hue,Lum,Sat"},
        {"TBlurFilter", "Blur"},
        {"TSharpenFilter", "Sharpen"},
        {"TGammaCorrectionFilter", "Gamma correction"},
        {"TEmbossFilter", "Emboss"},
        {"TSoftenFilter", "Antialias"},
        {"TCropFilter", "Crop"},
        {"TResizeFilter", "Resize"},
        {"TRotateFilter", "Rotate"},
        {"TMirrorFilter", "Mirror"},
        {"TTileFilter", "Tile"},
        {"TBevelFilter", "Bevel"},
        {"TEqualizeFilter", "Equalize"},
        {"TZoomFilter", "Zoom"},
        {"TSobelFilter", "Sobel"},
        {"TSepiaFilter", "Sepia"},
    };
    ASSERT_EQ(FilterClassNames().size(), std::size(cases));
    for (const auto& [className, text] : cases) {
        TOwnedPtr<TCollectionItem> filter(FindClass(className).CreateItem(nullptr));
        EXPECT_EQ(static_cast<TZebFilter*>(filter.get())->GetDescription(), text) << className;
    }

    // A translation overwriting a text while the engine runs is seen at once.
    TxtBlur = "Flou";
    TOwnedPtr<TCollectionItem> blur(FindClass("TBlurFilter").CreateItem(nullptr));
    EXPECT_EQ(static_cast<TZebFilter*>(blur.get())->GetDescription(), "Flou");
    StopChartEngine();
}
